/*
** list_definitions.cpp: the chain of list definitions, the definitions of
** a component's lists, their X_LIST entries and the storage checks of the
** lists.
**
** A component's lists are the lists its DEF_LIST commands defined (the
** checker's "LISTNAME" records, in their order of definition) in a run
** that uses the extended language. Each gets its entry structure in the
** header file, its list variable and descriptor vector in deferred queue 1,
** the initialisation of its extended fields in queue 5 and the index
** symbols of its fields in the storage file.
*/
#include "generator/core/model/list_definitions.h"

#include <algorithm>
#include <cstring>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/component_model.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr GEN_STREAM kListQueue = 1;
constexpr GEN_STREAM kInitQueue = 5;
constexpr const char* kNotAvailable = "V_NOT_AVAILABLE";

struct ListState {
    std::deque<GEN_LIST_DEFINITION> chain;
    int16_t sCurrent = -1;
};

ListState& ls()
{
    static ListState s;
    return s;
}

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}

/* The name as the chain keeps it: without a leading national name
** character, upper-cased and blank-padded to 10. */
std::string listKey(std::string_view name)
{
    const std::string trimmed = P3109_TrimRight(name);
    const std::string dropped = P3109_DropNationalChar(trimmed);
    return P3109_CopyUpper(P3109_Padded(dropped, 10), 10);
}

void storageOf(const GEN_FIELD_INFO& f, uint32_t& size)
{
    P3109_GetFieldStorageSize(f.cType, f.lLength, f.sDecimals, f.fNullable(), f.fUnsigned(), f.fNational(), size);
}

/* ---- one component list ---- */

struct ModelList {
    int32_t lOrder = 0;
    std::string name;
    std::vector<std::string> fields;
    int32_t lSecondVersion = 0;
};

/* The lists of the program model: the checker's LISTNAME records in the
** order of their DEF_LIST commands. */
std::vector<ModelList> modelLists(FFC_CONTEXT* ctx)
{
    std::vector<ModelList> lists;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_LISTNAME, FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_LISTS, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_LISTS, &r, 1)) {
        const auto* d = reinterpret_cast<const WR_LISTNAME_DATA*>(r.acData);
        ModelList m;
        m.lOrder = FIX_lDigitsToLong(d->acOrder, sizeof d->acOrder, nullptr);
        m.name = std::string(r.acName, 10);
        const int32_t count =
            std::clamp<int32_t>(FIX_lDigitsToLong(d->acFieldCount, 3, nullptr), 0, WR_LIST_FIELDS_MAX);
        for (int32_t i = 0; i < count; ++i)
            m.fields.emplace_back(d->acFields[i], 10);
        m.lSecondVersion = d->cLongList == 'Y' ? 1 : 0;
        lists.push_back(std::move(m));
    }
    std::stable_sort(lists.begin(), lists.end(),
                     [](const ModelList& a, const ModelList& b) { return a.lOrder < b.lOrder; });
    return lists;
}

/* The descriptor row of one list field (three lines, queue 1). */
void writeFieldRow(const GEN_LIST_DEFINITION& list, const GEN_FIELD_INFO& f, bool fFirst)
{
    const bool cs = csharp();
    const bool extended = P3109_fNeedsZophxHandling(f) != 0;
    const std::string member = "X_List_" + list.identifier + "." + f.localName;
    const std::string size = P3109_MemberSizeText(f, member, cs);
    const std::string address = cs ? member : P3109_MemberAddressText(f, member);
    const std::string subtype = P3109_pszComponentSubtypeName('F', &f, true);
    const std::string type = cs ? "X_DEFS.X_TYPE_COMPONENT" : "X_TYPE_COMPONENT";
    const std::string head = CGEN_NameLiteral(f.DisplayName()) + "," + P3109_pszFieldTypeName(&f) + "," + type + "," +
                             (cs ? "X_DEFS." : "") + subtype + ",'" + f.cShift + "',";
    if (cs)
        P3109_WriteLine(kListQueue, 6, (fFirst ? "new X_FLD( " : ", new X_FLD( ") + head);
    else
        P3109_WriteLine(kListQueue, 6, (fFirst ? " " : ",") + head);
    const std::string length = f.fNational() || f.lLength > 32767 || f.lLength < 0 ? "-1" : std::to_string(f.lLength);
    P3109_WriteLine(kListQueue, 9, length + "," + size + "," + std::to_string(f.sDecimals) + ",");
    P3109_WriteLine(kListQueue, 9,
                    address + "," + P3109_MakeShortLiteral(f.lComponentNumber) + (cs ? ",NO )" : ",NO "));
    if (extended)
        P3109_WriteLine(kInitQueue, 3, P3109_MemberClearLine(f, member, cs));
    P3109_WriteFieldDataVersion(kInitQueue, 3, f, cs ? member : "(&(" + member + "))");
}

void writeListHead(const GEN_LIST_DEFINITION& list)
{
    const GEN_STREAM h = g().header;
    const std::string name = P3109_TrimRight(list.name);
    P3109_WriteDashedBoxComment(kListQueue, " List " + name + " Definitions");
    P3109_WriteDashedBoxComment(h, " List " + name + " Definitions");
    if (csharp()) {
        P3109_WriteLine(h, 0, "public class LIST_" + list.identifier);
    } else {
        P3109_WriteLine(h, 0, " ");
        P3109_WriteLine(h, 1, "#include \"x_strpck.h\" ");
        P3109_WriteLine(h, 0, " ");
        P3109_WriteLine(h, 0, "struct LIST_" + list.identifier);
    }
    P3109_WriteLine(h, 0, "{");
}

void writeListTail(const GEN_LIST_DEFINITION& list)
{
    const GEN_STREAM h = g().header;
    const std::string& id = list.identifier;
    if (list.fields.empty())
        P3109_WriteLine(h, 6, csharp() ? "public char chDummyField;" : "X_CHAR chDummyField;");
    P3109_WriteLine(h, 0, "};");
    P3109_WriteLine(h, 0, " ");
    if (csharp()) {
        P3109_WriteLine(kListQueue, 3, "private static LIST_" + id + " X_List_" + id + " = new LIST_" + id + "();");
        return;
    }
    P3109_WriteLine(h, 0, " ");
    P3109_WriteLine(h, 1, "#include \"x_endpck.h\" ");
    P3109_WriteLine(h, 0, " ");
    P3109_WriteLine(kListQueue, 3, "static struct LIST_" + id + " X_List_" + id + ";");
}

void writeIndexSymbols(const GEN_LIST_DEFINITION& list)
{
    const std::string box = "List " + P3109_TrimRight(list.name) + " Field Vector Definitions";
    const GEN_STREAM cs = g().csStreams[1];
    P3109_WriteDoubleBoxComment(g().stg, box);
    if (cs != GEN_NO_STREAM)
        P3109_WriteDoubleBoxComment(cs, box);
    int16_t position = 0;
    for (const GEN_LIST_FIELD& field : list.fields) {
        P3109_WriteShortConstant(g().stg, 0, field.entryIdentifier, position);
        if (cs != GEN_NO_STREAM)
            P3109_WritePublicConstInt(cs, field.entryIdentifier, position);
        ++position;
    }
}

void defineComponentList(const ModelList& m)
{
    GEN_LIST_DEFINITION& list = P3109_NewListDefinition(m.name, 'C', m.lSecondVersion);
    list.lMaxEntries = list.Level2() ? GEN_UNBOUNDED_ENTRIES : 32000;
    list.sEntryCount = list.Level2() ? 500 : 32000;
    list.texts[2] = P3109_MakeShortLiteral(0);
    const std::string& adj = list.adjustment;
    CGEN_AddStaticWorkingEntry(0, "X_LONG " + adj, "INSTANCE(" + adj + ") = 0;", "public int " + adj,
                               "pGlobal1." + adj + " = 0;", GEN_STATIC_ALWAYS);
    P3109_fAddMemberLink(0, list.vectorName, 1, "X_COMPONENT_LIST_NA", "DqooDef.X_COMPONENT_LIST_NA");
    writeListHead(list);

    /* the members and their storage */
    std::vector<GEN_FIELD_INFO> infos;
    for (const std::string& name : m.fields) {
        GEN_FIELD_INFO f;
        if (P3109_sGetUsedField(name, GEN_SLOT_LOOKUP, f) != 0 || !f.fDefined) {
            P3109_sIssueMessage(Msg::FieldNotInDictionary, P3109_Padded(name, 10));
            continue;
        }
        uint32_t size = 0;
        storageOf(f, size);
        if (static_cast<uint64_t>(list.ulEntryLength) + size > GEN_LIST_ENTRY_LIMIT) {
            P3109_sIssueNumberedMessage('F', 868);
            break;
        }
        list.ulEntryLength += size;
        P3109_WriteLine(g().header, 6, P3109_ListMemberDeclaration(f, ""));
        GEN_LIST_FIELD slot;
        slot.field = P3109_Padded(f.fieldName, 10);
        slot.entryIdentifier = "V_LF_" + list.identifier + "_" + P3109_MakeCIdentifier(slot.field, 10);
        slot.vectorName = f.vectorName;
        list.fields.push_back(slot);
        infos.push_back(std::move(f));
        if (list.fields.size() == GEN_LIST_FIELD_SLOTS)
            break;
    }
    writeListTail(list);

    /* the descriptor vector */
    const std::string name = P3109_TrimRight(list.name);
    P3109_WriteDashedBoxComment(kListQueue, "Field Vector Definitions for list " + name);
    if (csharp()) {
        P3109_WriteLine(kListQueue, 3, "private static X_FLD[] X_Fld_" + list.identifier + " = ");
        P3109_WriteLine(kListQueue, 3, "new X_FLD[" + std::to_string(infos.size()) + "] {");
    } else {
        P3109_WriteLine(kListQueue, 3, "static struct X_FLD X_Fld_" + list.identifier + "[] = {");
    }
    if (!infos.empty())
        P3109_WriteDashedBoxComment(kInitQueue, " Initialize List " + name + " X_FLD Definitions");
    for (size_t i = 0; i < infos.size(); ++i)
        writeFieldRow(list, infos[i], i == 0);
    P3109_WriteLine(kListQueue, 3, "};");

    P3109_sCheckListEntrySize(list.Level2(), list.ulEntryLength, list.lMaxEntries);
    writeIndexSymbols(list);
}

bool usesExtendedLanguage()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && (ctx->lComponentRun != 0 || ctx->lZophxUsed != 0);
}

}  // namespace

std::string P3109_ListMemberDeclaration(const GEN_FIELD_INFO& f, std::string_view prefix)
{
    const bool cs = csharp();
    const std::string name = std::string(prefix) + f.localName;
    if (P3109_fIsZophxOnlyType(f.cType))
        return (cs ? P3109_MakeCSharpDeclarationByType(f.cType, prefix, f.localName, f.lLength, f.fUnsigned(),
                                                       f.fNational())
                   : P3109_MakeDeclarationByType(f.cType, prefix, f.localName, f.lLength, f.fUnsigned(),
                                                 f.fNational())) +
               ";";
    if (const std::string decimal = cs ? P3109_MakeCSharpDecimalDeclaration(f, prefix) : ""; !decimal.empty())
        return decimal + ";";
    const std::string word = P3109_pszDictionaryTypeName(f.cType, cs);
    const std::string bytes = "BYTE_LEN_" + f.vectorName;
    if (f.usByteLength == 1 || f.cType == 'L' || f.cType == 'D')
        return cs ? "public " + word + " " + name + ";" : "X_DICTIONARY_" + word + " " + name + ";";
    if (!cs)
        return "X_DICTIONARY_" + word + " " + name + "[" + bytes + "];";
    if (f.cType == 'A')
        return "public string " + name + " = new String( ' ', " + bytes + " );";
    return "public " + word + "[] " + name + " = new " + word + "[" + bytes + "];";
}

GEN_LIST_DEFINITION& P3109_NewListDefinition(std::string_view name, char cKind, int32_t lSecondVersion)
{
    GEN_LIST_DEFINITION& list = ls().chain.emplace_back();
    list.name = listKey(name);
    list.identifier = P3109_MakeCIdentifier(list.name, 10);
    list.vectorName = "V_LIST_" + list.identifier;
    list.adjustment = "lAdjustment_" + list.identifier;
    list.cKind = cKind;
    list.texts.fill(kNotAvailable);
    list.lSecondVersion = P3109_fZoph2Used() ? lSecondVersion : 0;
    return list;
}

int16_t P3109_sFindListDefinition(std::string_view name)
{
    ListState& s = ls();
    const std::string key = listKey(name);
    if (key == "*FIRST    ") {
        s.sCurrent = s.chain.empty() ? -1 : 0;
        if (s.sCurrent >= 0)
            g().sCurrentList = s.sCurrent;
        return s.sCurrent;
    }
    for (size_t i = 0; i < s.chain.size(); ++i)
        if (s.chain[i].name == key) {
            s.sCurrent = static_cast<int16_t>(i);
            g().sCurrentList = s.sCurrent;
            return s.sCurrent;
        }
    return -1;
}

GEN_LIST_DEFINITION* P3109_pCurrentListDefinition()
{
    ListState& s = ls();
    if (s.sCurrent < 0 || static_cast<size_t>(s.sCurrent) >= s.chain.size())
        return nullptr;
    return &s.chain[static_cast<size_t>(s.sCurrent)];
}

const std::deque<GEN_LIST_DEFINITION>& P3109_ListDefinitions()
{
    return ls().chain;
}

bool P3109_fZoph2Used()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lZoph2Used != 0;
}

int16_t P3109_FormatListFieldVectorRef(std::string_view listName, std::string_view field, std::string& reference,
                                       std::string& listIdentifier, std::string& fieldIndex)
{
    reference = "pX_Fld";
    listIdentifier = "pX_List";
    fieldIndex = P3109_FieldVector(field);
    const int16_t saved = g().sCurrentList;
    const int16_t ordinal = P3109_sFindListDefinition(listName);
    if (const GEN_LIST_DEFINITION* list = ordinal >= 0 ? P3109_pCurrentListDefinition() : nullptr) {
        listIdentifier = list->vectorName;
        const std::string key = P3109_CopyUpper(P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(field)), 10), 10);
        for (const GEN_LIST_FIELD& slot : list->fields) {
            if (P3109_CopyUpper(slot.field, 10) != key)
                continue;
            fieldIndex = slot.entryIdentifier;
            const std::string& l = list->vectorName;
            if (!P3109_fZoph2Used())
                reference = "pX_List[" + l + "].pX_Fld";
            else if (list->Level2())
                reference = "( &( ((X_LIST_2*)( pX_List ))[" + l + "] ) )->pX_Fld";
            else
                reference = "((X_LIST_1*)( &( ((X_LIST_2*)( pX_List ))[" + l + "] ) ))->pX_Fld";
            break;
        }
    }
    if (saved >= 0 && static_cast<size_t>(saved) < P3109_ListDefinitions().size())
        P3109_sFindListDefinition(P3109_ListDefinitions()[static_cast<size_t>(saved)].name);
    else
        g().sCurrentList = saved;
    return ordinal;
}

std::string P3109_MakeListElementName(std::string_view field, const GEN_LIST_DEFINITION* pList)
{
    if (!pList || pList->cKind != 'W')
        return "pX_Fld";
    const std::string key = P3109_CopyUpper(P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(field)), 10), 10);
    const auto member = [&key](const GEN_LIST_FIELD& slot) { return P3109_CopyUpper(slot.field, 10) == key; };
    if (std::none_of(pList->fields.begin(), pList->fields.end(), member))
        return "pX_Fld";
    if (P3109_fZoph2Used())
        return "X_LIST_ELEMENT_FROM_NO( pX_List, " + pList->vectorName + ", pX_Fld)";
    return "pX_List[" + pList->vectorName + "].pX_Fld";
}

int32_t P3109_lCountLists(bool fLevel2)
{
    int32_t n = 0;
    for (const GEN_LIST_DEFINITION& l : ls().chain)
        n += l.Level2() == fLevel2;
    return n;
}

int16_t P3109_sCheckGroupFields(GEN_LIST_DEFINITION& list)
{
    if (g().out.cSuppress != 'Y')
        return 0;
    for (const GEN_LIST_FIELD& slot : list.fields) {
        GEN_FIELD_INFO f;
        if (P3109_sGetUsedField(slot.field, GEN_SLOT_LOOKUP, f) != 0)
            continue;
        uint32_t size = 0;
        storageOf(f, size);
        if (static_cast<uint64_t>(list.ulEntryLength) + size > GEN_LIST_ENTRY_LIMIT) {
            P3109_MarkListOverflow();
            P3109_sIssueNumberedMessage('F', 868);
            return 1;
        }
        list.ulEntryLength += size;
    }
    return 0;
}

void P3109_WriteListDefinitions()
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!usesExtendedLanguage() || !ctx->pWorkFile)
        return;
    for (const ModelList& m : modelLists(ctx))
        defineComponentList(m);
}

void P3109_WriteListDefinitionEntry(const GEN_LIST_DEFINITION& list, int iPosition)
{
    const bool cs = csharp();
    const std::string name = P3109_MakeHexLiteral(list.name, 10);
    const std::string& id = list.identifier;
    const std::string lead = iPosition <= 1 ? " " : ",";
    const auto line = [](const std::string& text) { P3109_WriteLine(kListQueue, 6, text); };
    const std::string kind(1, list.cKind);
    const std::string fields = std::to_string(list.FieldCount());
    const std::string conditions = std::to_string(P3109_Definitions().conditions.size());
    if (cs) {
        line(lead + "new X_LIST( \"" + name + "\",'" + kind + "',0," + std::to_string(list.lMaxEntries) + ",0,0,");
        line(list.cKind == 'B' ? " " + fields + ",X_Fld_" + id + "," + conditions + ",X_ListC_" + id + ","
                               : " " + fields + ",X_Fld_" + id + "," + conditions + ",null,");
        line(" X_LMap_" + id + "," + std::to_string(list.sEntryCount) + ",'" + list.cExchange + "','" +
             list.cChangeTracking + "',");
    } else {
        line(lead + "\"" + name + "\",'" + kind + "'," + (list.Level2() ? "-1," : "") + "sizeof(struct LIST_" + id +
             ")," + std::to_string(list.lMaxEntries) + ",0,0,");
        line(list.cKind == 'B' ? " " + fields + ",&(X_Fld_" + id + "[0])," + conditions + ",&(X_ListC_" + id + "[0]),"
                               : " " + fields + ",&(X_Fld_" + id + "[0])," + conditions + ",pX_NULL,");
        line(" &(X_LMap_" + id + "[0])," + std::to_string(list.sEntryCount) + ",'" + list.cExchange + "','" +
             list.cChangeTracking + "',");
    }
    line(" " + list.texts[0] + "," + list.texts[1] + "," + list.texts[2] + ",");
    line(" " + list.texts[3] + "," + list.texts[4] + "," + list.texts[5] +
         (cs ? ",X_List_" + id + ",null," : ",&(X_List_" + id + "),pX_NULL,"));
    line(" " + (cs && list.argument == "pX_NULL" ? std::string("null") : list.argument) + ",");
    line(" NO,NO,NO,NO,NO,NO,NO,NO ");
    if (list.Level2())
        line(" ,X_LIST_V2 ");
    if (cs)
        line(" ) ");
}

void P3109_CheckWorkingListStorage()
{
    uint64_t total = 0, entries = 0;
    std::vector<const GEN_LIST_DEFINITION*> counted;
    for (const GEN_LIST_DEFINITION& l : ls().chain) {
        if (l.cKind == 'C' || l.lMaxEntries == GEN_UNBOUNDED_ENTRIES)
            continue;
        total += static_cast<uint64_t>(std::max<int32_t>(l.lMaxEntries, 0)) * l.ulEntryLength;
        entries += l.ulEntryLength;
        counted.push_back(&l);
    }
    if (total <= 1073741824ULL)
        return;
    const uint32_t number = total <= 2147483648ULL ? 873 : total <= 3221225472ULL ? 872 : 871;
    P3109_sIssueNumberedMessage('W', number, {std::to_string(total), std::to_string(entries)});
    for (const GEN_LIST_DEFINITION* l : counted)
        P3109_sIssueNumberedMessage(
            'W', 876,
            {P3109_TrimRight(l->name),
             std::to_string(static_cast<uint64_t>(std::max<int32_t>(l->lMaxEntries, 0)) * l->ulEntryLength)});
}

void P3109_ResetListDefinitions()
{
    ls() = ListState{};
}
