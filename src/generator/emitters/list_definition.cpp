/*
** list_definition.cpp: DEF_LIST, the definition of a working or browse
** list.
**
** In the definition run the command makes the list's definition record:
** its names, kind, counts, the fields that hold its references (counter,
** page size, top entry, selected entry, scroll text), its exchange mode and
** its fields in the order the checker recorded them. In the main run it
** writes what the generated module needs to hold the list: the packed entry
** structure and the static entry in the header and the data section, the
** list's field vector, the initialisation of its field data, the index
** constants of the vector and, for a working list, the two macros that copy
** an entry between the function's fields and the list's own copies.
**
** The lists of a run that uses the extended language come from the
** checker's list records between the two runs (list_definitions.cpp), so
** DEF_LIST writes only its source line there.
*/
#include <algorithm>
#include <cstring>
#include <map>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/bif_parameters.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/list_support.h"

namespace {

constexpr GEN_STREAM kDataQueue = 1;
constexpr GEN_STREAM kInitQueue = 5;

/* The command that defined each list (its number), so that a list named
** by two DEF_LIST commands is written once. */
std::map<std::string, uint16_t>& definingCommands()
{
    static std::map<std::string, uint16_t> commands;
    return commands;
}

bool extendedLanguageRun()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && (ctx->lComponentRun != 0 || ctx->lZophxUsed != 0);
}

/* The list's field group records, when a screen recorded them under the
** list's name (written with or without its national name character). */
std::vector<GROUPFLD_DATA> groupRecords(const GEN_LIST_DEFINITION& list)
{
    std::vector<GROUPFLD_DATA> records;
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return records;
    const std::string name = P3109_TrimRight(list.name);
    for (const std::string& key : {name, g().nationalChar1.substr(0, 1) + name}) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
        std::memcpy(r.acName, key.data(), std::min<size_t>(key.size(), FFC_WORK_NAME_LEN));
        for (char rc = WF_cReadFirst(ctx, GEN_SLOT_LAYOUT, &r, 2); rc == '0';
             rc = WF_cReadNext(ctx, GEN_SLOT_LAYOUT, &r, 2))
            records.push_back(*reinterpret_cast<const GROUPFLD_DATA*>(r.acData));
        if (!records.empty())
            break;
    }
    return records;
}

/* Exchange mode: an argument ('A') or the return value ('R') of the
** built-in function being generated, a working list received from the
** caller ('Y'), else 'N'. */
char exchangeMode(const GEN_LIST_DEFINITION& list)
{
    const GEN_DEFINITIONS& d = P3109_Definitions();
    if (d.cBuiltin == 'Y') {
        const GEN_BIF_PARAMETERS& bif = P3109_BifParameters();
        for (const auto& [table, mode] : {std::pair{&bif.arguments, 'A'}, std::pair{&bif.returns, 'R'}})
            for (const GEN_BIF_PARAMETER& p : *table)
                if (p.cKind == 'L' && P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(p.field)), 10) == list.name)
                    return mode;
    }
    FFC_CONTEXT* ctx = P3109_Context();
    if (list.cKind != 'W' || d.cTrigger != 'N' || !ctx || !ctx->pWorkFile)
        return 'N';
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_RCV_LIST, FFC_WORK_KIND_LEN);
    std::memcpy(r.acQualifier, list.name.data(), std::min<size_t>(list.name.size(), FFC_WORK_QUAL_LEN));
    return WF_cReadFirstBySecondKey(ctx, GEN_SLOT_LAYOUT, &r, 2) == '0' ? 'Y' : 'N';
}

/* The definition run: the list's definition record. */
void defineList(const std::string& name)
{
    if (P3109_sFindListDefinition(name) >= 0)
        return;
    const bool browse = P3109_Parm("TYPE").rfind("*B", 0) == 0;
    GEN_LIST_DEFINITION& list = P3109_NewListDefinition(name, browse ? 'B' : 'W', P3109_ParmNumber("LONG_LIST"));
    definingCommands()[list.name] = P3109_CurrentCommand().usNumber;
    const int32_t entries = P3109_ParmNumber("ENTRYS");
    if (browse) {
        list.lMaxEntries = std::max<int32_t>(entries, 9999);
        list.sEntryCount = 1;
    } else {
        const int32_t cap = P3109_ParmNumber("MAX_ENTRYS");
        list.lMaxEntries = entries;
        const int32_t allocated = list.Level2() && cap > 0 ? std::min(entries, cap) : entries;
        list.sEntryCount = static_cast<int16_t>(std::clamp<int32_t>(allocated, 0, INT16_MAX));
    }
    static constexpr const char* kReferences[5] = {"COUNTER", "PAGE_SIZE", "TOP_ENTRY", "SEL_ENTRY", "SCROLL_TXT"};
    for (size_t i = 0; i < 5; ++i)
        /* "V_NOT_AVAILABLE" for a special value (*NONE, *CURRENT) */
        list.texts[i] = P3109_KeywordFieldVector(kReferences[i]);
    list.cTopCurrent = browse && P3109_Parm("TOP_ENTRY") == "*CURRENT" ? 'Y' : 'N';
    list.cExchange = exchangeMode(list);

    for (const GEN_FIELD_INFO& f : P3109_ListFieldInfos(list)) {
        GEN_LIST_FIELD slot;
        slot.field = P3109_Padded(f.fieldName, 10);
        slot.entryIdentifier = "V_LF_" + list.identifier + "_" + P3109_MakeCIdentifier(slot.field, 10);
        slot.vectorName = f.vectorName;
        list.fields.push_back(slot);
        if (f.vectorName == list.texts[0])
            list.lCounterInList = 1;
    }
    for (const GROUPFLD_DATA& d : groupRecords(list)) {
        if (d.acCondition[0] != ' ')
            P3109_AddUniqueName(list.conditions, std::string_view(d.acCondition, 10));
        if (d.acFlags2[GF_FURTHER - GF_RA] == '1')
            list.texts[5] = P3109_FieldVector(std::string_view(d.acField, 10));
    }
    P3109_sCheckGroupFields(list);
    if (list.ulEntryLength == 0)
        P3109_sIssueNumberedMessage('F', 79, {"Internal error. List entry length is 0"});
    else
        P3109_sCheckListEntrySize(list.Level2(), list.ulEntryLength, list.lMaxEntries);
}

/* ---- the main run ---- */

void header(int16_t sIndent, const std::string& text)
{
    P3109_WriteLine(g().header, sIndent, text);
}

void writeStructure(const GEN_LIST_DEFINITION& list, const std::vector<GEN_FIELD_INFO>& fields)
{
    const bool cs = P3109_fCSharp();
    const bool packed = !cs && list.identifier != "TRIG_LIST";
    const std::string name = P3109_TrimRight(list.name);
    P3109_WriteDashedBoxComment(kDataQueue, " List " + name + " Definitions");
    P3109_WriteDashedBoxComment(g().header, " List " + name + " Definitions");
    if (packed) {
        header(0, " ");
        header(0, "#include \"x_strpck.h\" ");
        header(0, " ");
    }
    header(0, (cs ? "public class LIST_" : "struct LIST_") + list.identifier);
    header(0, "{");
    const bool browse = list.cKind == 'B';
    if (browse) {
        const std::string conditions = std::to_string(P3109_Definitions().conditions.size());
        header(3, cs ? "public char chMode; " : "X_CHAR chMode; ");
        header(3, cs ? "public X_COND[] Cond = new X_COND[" + conditions + "];"
                     : "struct X_COND Cond[" + conditions + "];");
    }
    for (const GEN_FIELD_INFO& f : fields) {
        header(3, P3109_ListMemberDeclaration(f, ""));
        if (!browse)
            continue;
        if (list.cChangeTracking == 'Y')
            header(3, P3109_ListMemberDeclaration(f, "c"));
        header(3, (cs ? "public char e" : "X_YES_NO e") + f.localName + ";");
    }
    header(0, "};");
    header(0, " ");
    if (packed) {
        header(0, " ");
        header(0, "#include \"x_endpck.h\" ");
        header(0, " ");
    }
}

void writeVector(const GEN_LIST_DEFINITION& list, const std::vector<GEN_FIELD_INFO>& fields)
{
    const bool cs = P3109_fCSharp();
    const std::string& id = list.identifier;
    const std::string name = P3109_TrimRight(list.name);
    P3109_WriteLine(kDataQueue, 3,
                    cs ? "private static LIST_" + id + " X_List_" + id + " = new LIST_" + id + "();"
                       : "static struct LIST_" + id + " X_List_" + id + ";");
    P3109_WriteDashedBoxComment(kDataQueue, "Field Vector Definitions for list " + name);
    P3109_WriteLine(kDataQueue, 3,
                    cs ? "private static X_FLD[] X_Fld_" + id + " = new X_FLD[] {"
                       : "static struct X_FLD X_Fld_" + id + "[] = {");
    bool first = true;
    size_t position = 0;
    for (const GEN_FIELD_INFO& f : fields) {
        if (first)
            P3109_WriteDashedBoxComment(kInitQueue, " Initialize List " + name + " X_FLD Definitions");
        const std::string member = "X_List_" + id + "." + f.localName;
        const std::string size = P3109_MemberSizeText(f, member, cs);
        const std::string constants = cs ? "X_DEFS." : "";
        const std::string row = CGEN_NameLiteral(f.DisplayName()) + "," + P3109_pszFieldTypeName(&f) + "," + constants +
                                P3109_pszFieldTypeConstName(f.cType) + "," + constants +
                                P3109_pszFieldSubtypeName('F') + ",'" + f.cType + "',";
        P3109_WriteLine(kDataQueue, 6, (cs ? (first ? "new X_FLD( " : ", new X_FLD( ") : (first ? " " : ",")) + row);
        const bool variable = f.lLength > 32767 || f.lLength < 0 || f.fNational();
        P3109_WriteLine(kDataQueue, 9,
                        (variable ? std::string("-1") : std::to_string(f.lLength)) + "," + size + "," +
                            std::to_string(f.sDecimals) + ",");
        const std::string address = cs ? member : P3109_MemberAddressText(f, member);
        const std::string component = P3109_fIsComponentField(f) ? P3109_MakeShortLiteral(f.lComponentNumber) : "0";
        P3109_WriteLine(kDataQueue, 9, address + "," + component + (cs ? ",NO )" : ",NO "));
        if (P3109_fNeedsZophxHandling(f))
            P3109_WriteLine(kInitQueue, 3,
                            P3109_MemberClearLine(f, member, cs, "X_Fld_" + id + "[" + std::to_string(position) + "]"));
        P3109_WriteFieldDataVersion(kInitQueue, 3, f, cs ? member : "(&(" + member + "))");
        first = false;
        ++position;
    }
    P3109_WriteLine(kDataQueue, 3, "};");
    P3109_WriteLine(kDataQueue, 3, " ");
}

void writeIndexConstants(const GEN_LIST_DEFINITION& list)
{
    const std::string box = "List " + P3109_TrimRight(list.name) + " Field Vector Definitions";
    const GEN_STREAM cs = g().csStreams[1];
    int16_t position = 0;
    for (const GEN_LIST_FIELD& field : list.fields) {
        if (position == 0) {
            P3109_WriteDoubleBoxComment(g().stg, box);
            if (cs != GEN_NO_STREAM)
                P3109_WriteDoubleBoxComment(cs, box);
        }
        P3109_WriteShortConstant(g().stg, 0, field.entryIdentifier, position);
        if (cs != GEN_NO_STREAM)
            P3109_WritePublicConstInt(cs, field.entryIdentifier, position);
        ++position;
    }
}

/* The character and binary fields of the extended language move through
** the runtime's varying assignment; every other field by its bytes. */
void writeVaryingMove(const char* kind, const char* assign, const std::string& function, const std::string& list,
                      bool fAssemble, bool fKeepData)
{
    const bool cs = P3109_fCSharp();
    const std::string cast = cs ? std::string("((") + kind + ")( " : std::string("((") + kind + "*)( ";
    const char* pointer = cs ? "       " : "      *";
    header(3, "{");
    header(3, std::string("   ") + kind);
    header(3, pointer + std::string(fAssemble ? "pSrcField = " : "pTgtField = ") + cast + function + " ));");
    header(3, std::string("   ") + kind);
    header(3, pointer + std::string(fAssemble ? "pTgtField = " : "pSrcField = ") + cast + list + " ));");
    header(3, cs ? "   pTgtField.bFieldState = pSrcField.bFieldState;"
                 : "   pTgtField->bFieldState = pSrcField->bFieldState;");
    if (fKeepData)
        header(3, cs ? "   pTgtField.pvData = null;" : "   pTgtField->pvData = pX_NULL;");
    header(3, std::string("   ") + (cs ? "X_VAR_DLL." : "") + assign +
                  "( pX_Ids, pX_Pro, pX_Fun, pSrcField, pTgtField );");
    header(3, "}");
}

void writeMacroField(const GEN_LIST_FIELD& slot, const GEN_FIELD_INFO& f, bool fAssemble)
{
    const std::string& e = slot.entryIdentifier;
    const std::string& v = f.vectorName;
    const bool component = P3109_fIsComponentField(f);
    const bool applied = f.fIndexed && !component;
    const bool cs = P3109_fCSharp();
    const std::string function =
        applied ? P3109_RunTime("X_Vec_Apply_Index") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + v + " )"
                : "pX_Fld[" + v + "].pField";
    const std::string list = "pX_FldList[" + e + "].pField";
    /* C# names a field of the vector by its element */
    const std::string element = cs ? "pX_Fld[" + v + "]" : "(pX_Fld + " + v + ")";
    if (fAssemble && component)
        header(3, P3109_RunTime("X_Refresh_Field_Value") + "( pX_Ids, pX_Pro, pX_Fun, " + element + " );");
    if (f.cType == 'H' || f.cType == '1')
        writeVaryingMove("X_FLD_CHAR", "X_VAR_VarChar_Assign", function, list, fAssemble, fAssemble);
    else if (f.cType == 'B' || f.cType == '2')
        writeVaryingMove("X_FLD_BINARY", "X_VAR_VarBinary_Assign", function, list, fAssemble, fAssemble);
    else if (fAssemble)
        header(3, (P3109_fCSharp() ? "DqooDef.X_CPYBYTES( ref " : "X_CPYBYTES( ") + list + ", " + function +
                      ", BYTE_LEN_" + v + " );");
    else
        header(3, (cs ? (applied ? "DqooDef.X_CPYBYTES( " : "DqooDef.X_CPYBYTES( ref ") : "X_CPYBYTES( ") + function +
                      ", " + list + ", BYTE_LEN_" + v + " );");
    if (fAssemble)
        return;
    if (!component && f.fIndexed)
        header(3, P3109_RunTime("X_Vec_Set_Index") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + v + " );");
    if (component)
        header(3, P3109_RunTime("X_Refresh_Component_Value") + "( pX_Ids, pX_Pro, pX_Fun, " + element + " );");
}

/* One macro: every line from "#define" to the closing brace continued.
** C# has no macros: the same statements make a routine of the class,
** which the list commands call with the vectors it works on. */
void writeMacro(const GEN_LIST_DEFINITION& list, const std::vector<GEN_FIELD_INFO>& fields, bool fAssemble)
{
    GEN_OUTPUT_STATE& o = g().out;
    const bool cs = P3109_fCSharp();
    const std::string name = std::string(fAssemble ? "ASSEMBLE" : "DISASSEMBLE") + "_LIST_ENTRY_" + list.identifier;
    if (cs) {
        header(0, "private static void " + name + "( " + GEN_LIST_ENTRY_ARGS_CS + " )");
    } else {
        o.lMacroContinuation = 1;
        header(0, "#define " + name + "()");
    }
    header(0, "{");
    header(3, cs ? "X_FLD[]" : "struct X_FLD");
    header(3, (cs ? "   pX_FldList = " : "   *pX_FldList = ") + P3109_ListSlotMember(list, "pX_Fld") + ";");
    header(0, " ");
    for (size_t i = 0; i < fields.size() && i < list.fields.size(); ++i)
        writeMacroField(list.fields[i], fields[i], fAssemble);
    header(0, "}");
    o.lMacroContinuation = 0;
    header(0, " ");
}

void writeList(const GEN_LIST_DEFINITION& list)
{
    /* the field slots were made from the same records in the definition run */
    const std::vector<GEN_FIELD_INFO> fields = P3109_ListFieldInfos(list);
    const std::string& adjustment = list.adjustment;
    CGEN_AddStaticWorkingEntry(0, "X_LONG " + adjustment, "INSTANCE(" + adjustment + ") = 0;",
                               "public int " + adjustment, "pGlobal1." + adjustment + " = 0;", GEN_STATIC_ALWAYS);
    writeStructure(list, fields);
    writeVector(list, fields);
    writeIndexConstants(list);
    if (list.cKind == 'B')
        return;
    writeMacro(list, fields, true);
    writeMacro(list, fields, false);
}

}  // namespace

void P3109_EmitDefList()
{
    P3109_EmitCommandPrologue();
    if (extendedLanguageRun())
        return;
    const std::string name = P3109_Parm("NAME");
    if (name.empty())
        return;
    if (g().out.cSuppress == 'Y') {
        defineList(name);
        return;
    }
    GEN_LIST_DEFINITION* list = P3109_pFindListOrReport(name);
    if (!list)
        return;
    const auto defining = definingCommands().find(list->name);
    if (defining == definingCommands().end() || defining->second != P3109_CurrentCommand().usNumber)
        return;
    writeList(*list);
}

void P3109_ResetListDefinitionEmitter()
{
    definingCommands().clear();
}
