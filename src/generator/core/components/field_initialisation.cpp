/*
** field_initialisation.cpp: first values of fields and literals, releases
** of variable-length fields, array bounds, the field and parameter tables
** of a built-in function program and the index arrays of field groups.
**
** A field's default is held by an expression routine (a value item of
** reference kind 3) that assigns it; the expression generator writes its
** call.
*/
#include "generator/core/components/field_initialisation.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/components/arrays.h"
#include "generator/core/components/field_vector.h"
#include "generator/core/model/bif_parameters.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "params/parsed_command.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr const char* kDatabaseKind = "DATABASE  ";
constexpr size_t kDatabaseIdAt = 0, kDatabaseIdWidth = 128, kDatabaseTypeAt = 128, kDatabaseTypeWidth = 32;
constexpr size_t kParametersAt = 160, kParametersWidth = 256, kFlagsAt = 416;

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}
void drop()
{
    g().skel.cKeep = 'N';
}

/* Calls f(record, info) for every used-field record of generation flag
** 'Y' whose class is the two letters (any class when null) of which
** take(record) holds: a record the writer would pass over is not
** described. take() is asked first of the head of the record's data (its
** first ulHead bytes; takeHead) and of the record whole after. */
template <typename TakeHead, typename Take, typename F>
void forEachUsedFieldWhere(const char* cls, uint32_t ulHead, TakeHead takeHead, Take take, F f)
{
    P3109_ForEachGeneratedUseWhere(
        P3109_Context(), GEN_SLOT_SECTIONS, ulHead, takeHead,
        [&](const FFC_WORK_RECORD& r) {
            if (!take(r))
                return;
            /* the record's description, held while f writes */
            const std::shared_ptr<const GEN_FIELD_INFO> info = P3109_DescribeUse(r);
            f(r, *info);
        },
        cls);
}

template <typename F> void forEachUsedField(const char* cls, F f)
{
    forEachUsedFieldWhere(
        cls, 0, [](const WR_USEFIELD_DATA&) { return true; }, [](const FFC_WORK_RECORD&) { return true; }, f);
}

/* Calls f(info) for every field record (class "FL") of generation flag 'Y'
** that has a default: the description's default is the record's value item
** when its first byte is 3 (the reference of a routine), else none. */
template <typename F> void forEachFieldWithDefault(F f)
{
    constexpr uint32_t head = offsetof(WR_USEFIELD_DATA, acValueItem) + 1;
    forEachUsedFieldWhere(
        "FL", head, [](const WR_USEFIELD_DATA& d) { return static_cast<unsigned char>(d.acValueItem[0]) == 3; },
        [](const FFC_WORK_RECORD&) { return true; },
        [&](const FFC_WORK_RECORD&, const GEN_FIELD_INFO& info) { f(info); });
}

/* The default of a field at the start of the program: its default-value
** routine, when it has one. */
void writeDefault(const GEN_FIELD_INFO& field)
{
    P3109_WriteFieldDefault(field, false);
}

bool mainScopeField(const GEN_FIELD_INFO& f)
{
    return !P3109_fIsComponentField(f) && !f.fMangled;
}

/* ---- database connections ---- */

std::string dataText(const FFC_WORK_RECORD& r, size_t at, size_t width)
{
    return P3109_MakeHexLiteral(P3109_TrimRight(std::string_view(r.acData + at, width)), width);
}

char flag(const FFC_WORK_RECORD& r, size_t at)
{
    return r.acData[at] == 'Y' ? 'Y' : 'N';
}

void writeConnection(const GEN_FILE_ACCESS_BLOCK& b, const FFC_WORK_RECORD& r)
{
    const std::string v = "INSTANCE(" + b.connection + ")";
    const std::string id = dataText(r, kDatabaseIdAt, kDatabaseIdWidth);
    P3109_Line("if ( " + v + " == pX_NULL )");
    P3109_Line("{");
    P3109_Line("   " + v + " = X_Locate_Database_Connect( pX_Ids, pX_Pro, pX_Fun, \"" + id + "\" );");
    P3109_Line("   if ( " + v + " == pX_NULL) ");
    P3109_Line("   {");
    P3109_Line("      " + v + " = (struct X_CONNECT_DATABASE *)X_Create_Database_Connect( pX_Ids, pX_Pro, pX_Fun );");
    P3109_Line("      if ( pX_Ids->chFatalError != YES )");
    P3109_Line("      {");
    const std::string in = "         " + v;
    P3109_Line(in + "->sVersion = X_CONNECT_DB_V4;");
    P3109_Line(in + "->vchSSN[0] = '\\0';");
    P3109_Line("         strcpy( " + v + "->vchDatabaseId, \"" + id + "\" );");
    P3109_Line("         strcpy( " + v + "->vchParameters, \"" + dataText(r, kParametersAt, kParametersWidth) +
               "\" );");
    P3109_Line(in + "->vchRRNPath[0] = '\\0';");
    P3109_Line("         strcpy( " + v + "->vchDatabaseType, \"" + dataText(r, kDatabaseTypeAt, kDatabaseTypeWidth) +
               "\" );");
    P3109_Line(in + "->chConnected = 'N';");
    P3109_Line(in + "->chFatalError = 'N';");
    P3109_Line(in + "->chEncrypted = '" + flag(r, kFlagsAt) + "';");
    P3109_Line(in + "->chODBA = '" + flag(r, kFlagsAt + 1) + "';");
    P3109_Line(in + "->chODBI = '" + flag(r, kFlagsAt + 2) + "';");
    for (const char* member : {"pConnectionInfo", "pDBMSInfo", "pNext", "pfnUserIO", "pfnUserIONative"})
        P3109_Line(in + "->" + member + " = pX_NULL;");
    P3109_Line(in + "->fActiveTransaction = FALSE;");
    P3109_Line("      }");
    P3109_Line("   }");
    P3109_Line("}");
    P3109_Line(" ");
}

void writeConnections()
{
    FFC_CONTEXT* ctx = P3109_Context();
    std::vector<const GEN_FILE_ACCESS_BLOCK*> used;
    for (const GEN_FILE_ACCESS_BLOCK& b : g().emit.fileAccessBlocks)
        if (!b.connection.empty())
            used.push_back(&b);
    if (used.empty() || !ctx || !ctx->pWorkFile)
        return;
    P3109_Line("{");
    for (const GEN_FILE_ACCESS_BLOCK* b : used) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, kDatabaseKind, FFC_WORK_KIND_LEN);
        std::memcpy(r.acName, P3109_Padded(b->database, 10).data(), 10);
        std::memcpy(r.acQualifier, P3109_Padded(b->qualifier, 10).data(), 10);
        if (WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 3) == '0')
            writeConnection(*b, r);
    }
    P3109_Line("}");
}

void writeKeepLastInits()
{
    const std::vector<std::string>& areas = g().emit.keepLastAreas;
    if (areas.empty())
        return;
    P3109_WriteComment("Initialise all \"KEEP_LAST\" tracking areas");
    for (size_t k = 0; k < areas.size(); ++k)
        P3109_Line("INSTANCE(X_KLast[" + std::to_string(k) + "].pEntries) = pX_NULL;");
}

/* ---- literals and system variables ---- */

/* The text of an alphanumeric literal: the quotes of a quoted literal
** dropped and its doubled quotes made single. */
std::string literalText(std::string_view written)
{
    std::string text = P3109_TrimRight(written);
    if (text.size() >= 2 && text.front() == '\'' && text.back() == '\'') {
        text = text.substr(1, text.size() - 2);
        for (size_t at = text.find("''"); at != std::string::npos; at = text.find("''", at + 1))
            text.erase(at, 1);
    }
    return text;
}

void writeAlphaLiteral(const GEN_FIELD_INFO& f)
{
    CGEN_SetTextLiteralPrefix("LITERAL");
    const char* reference = nullptr;
    const char* declared = nullptr;
    CGEN_GetTextLiteralDefineName(literalText(f.operandText), nullptr, nullptr, GEN_LITERAL_AS_IS, &reference,
                                  &declared);
    const std::string value = csharp() ? (declared ? declared : "") : (reference ? reference : "");
    const std::string& v = f.vectorName;
    P3109_Line(csharp() ? "DqooDef.X_CPYBYTES( ref pX_Fld[" + v + "].pField, " + value + ", BYTE_LEN_" + v + " );"
                        : "X_CPYBYTES( pX_Fld[" + v + "].pField, " + value + ", BYTE_LEN_" + v + " );");
}

void writeNumericLiteral(const GEN_FIELD_INFO& f)
{
    const std::string text = P3109_TrimRight(f.operandText);
    if (f.cResolved == 'L') {
        /* C# stores through the run time: a long literal's storage is a boxed
           number, which a store gives anew */
        const std::string where = "pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + f.vectorName;
        if (f.cType == 'L') {
            P3109_Line(csharp() ? "X_RUN_DLL.X_Vec_Set_from_Long( " + where + ", " + text + " );"
                                : "*((X_LONG*)( pX_Fld[" + f.vectorName + "].pField)) = ((X_LONG) " + text + ");");
            return;
        }
        P3109_WriteDoubleScale(f.sDecimals);
        P3109_Line(std::string(csharp() ? "X_RUN_DLL." : "") + "X_Vec_Set_from_Double( " + where +
                   (csharp() ? ", ((double) " : ", ((X_DOUBLE) ") + text + ") );");
        return;
    }
    const FFC_CONTEXT* ctx = P3109_Context();
    const char point = ctx && ctx->cDecimalPoint != '\0' && ctx->cDecimalPoint != ' ' ? ctx->cDecimalPoint : '.';
    std::string value = text;
    if (f.sDecimals == 0 && value.find(point) == std::string::npos)
        value += ".0";
    else if (point != '.')
        for (char& c : value)
            c = c == point ? '.' : c;
    /* a number written with its point last ("9.") is a C double but no C# one */
    if (csharp() && !value.empty() && value.back() == '.')
        value += '0';
    P3109_WriteSetFromDoubleAtScale(f, value, f.sDecimals);
}

/* ---- built-in function programs ---- */

bool builtinProgram()
{
    return P3109_Definitions().cBuiltin == 'Y';
}

const char* parameterKindName(char cKind)
{
    switch (cKind) {
    case 'A': return "X_BIFPARM_ALPHA";
    case 'L': return "X_BIFPARM_LIST";
    case 'N': return "X_BIFPARM_NUMERIC";
    case 'X': return "X_BIFPARM_EITHER";
    default: return P3109_pszFieldTypeConstName(cKind);
    }
}

void writeParmRow(const GEN_BIF_PARAMETER& p, int32_t lRow)
{
    std::string vector = "V_NOT_AVAILABLE";
    if (p.cKind == 'L') {
        const int16_t list = P3109_sFindListDefinition(p.field);
        if (list < 0) {
            P3109_sIssueMessage(Msg::ListNotDefined, P3109_Padded(P3109_TrimRight(p.field), 10));
            return;
        }
        vector = P3109_ListDefinitions()[static_cast<size_t>(list)].vectorName;
    } else {
        GEN_FIELD_INFO f;
        if (P3109_sGetUsedField(p.field, GEN_SLOT_LOOKUP, f) == 0 && !f.vectorName.empty())
            vector = f.vectorName;
    }
    char limits[80];
    std::snprintf(limits, sizeof limits, "%ld,%ld,%ld,%ld", static_cast<long>(p.alLimits[0]),
                  static_cast<long>(p.alLimits[1]), static_cast<long>(p.alLimits[2]), static_cast<long>(p.alLimits[3]));
    P3109_Line("{ " + std::to_string(lRow) + ", " + (p.cRequired == 'R' ? "TRUE" : "FALSE") + "," +
               parameterKindName(p.cKind) + "," + vector + "," + limits + ",V_BIF_ARG_ALREADY_INITIALIZED },");
}

}  // namespace

void P3109_WriteFieldInitialValues(int32_t lArgument)
{
    drop();
    if (lArgument == 0) {
        forEachFieldWithDefault([](const GEN_FIELD_INFO& f) {
            if (mainScopeField(f))
                writeDefault(f);
        });
        /* the connection blocks and KEEP_LAST areas are structures of the C
           run time; the C# class keeps its own */
        if (csharp())
            return;
        writeConnections();
        writeKeepLastInits();
        return;
    }
    forEachUsedField("AL", [](const FFC_WORK_RECORD&, const GEN_FIELD_INFO& f) { writeAlphaLiteral(f); });
    forEachUsedField("NL", [](const FFC_WORK_RECORD&, const GEN_FIELD_INFO& f) { writeNumericLiteral(f); });
    forEachUsedField("SV", [](const FFC_WORK_RECORD&, const GEN_FIELD_INFO& f) {
        P3109_WriteSetToSpecialValue(f, GEN_REFRESH_STATIC);
    });
}

void P3109_WriteWorkFieldInits()
{
    drop();
    if (!builtinProgram() || !P3109_fSysFlag(21))
        return;
    P3109_IndentIn();
    for (const GEN_BIF_PARAMETER& p : P3109_BifParameters().arguments) {
        if (p.cKind == 'L' || p.cReturn == 'R')
            continue;
        GEN_FIELD_INFO f;
        if (P3109_sGetUsedField(p.field, GEN_SLOT_LOOKUP, f) == 0 && f.cResolved != 'r')
            writeDefault(f);
    }
    P3109_IndentOut();
}

void P3109_WriteVarFieldReleases()
{
    drop();
    /* a record that cannot be of such a field is not described */
    constexpr uint32_t head = offsetof(WR_USEFIELD_DATA, cResolved) + 1;
    forEachUsedFieldWhere(
        nullptr, head, P3109_fHeadMayBeReleased, P3109_fMayBeReleased,
        [](const FFC_WORK_RECORD&, const GEN_FIELD_INFO& f) {
            /* only a field of variable length is released */
            const bool chars = f.cType == 'H' || f.cType == '1', bytes = f.cType == 'B' || f.cType == '2';
            if (f.cResolved == 'E' || (!chars && !bytes))
                return;
            const std::string field = "pX_Fld[" + f.vectorName + "].pField";
            const char* dll = csharp() ? "X_VAR_DLL." : "";
            if (chars)
                P3109_Line(std::string(dll) + "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR" +
                           (csharp() ? "" : "*") + ")( " + field + " )) );");
            else
                P3109_Line(std::string(dll) + "X_VAR_VarBinary_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_BINARY" +
                           (csharp() ? "" : "*") + ")( " + field + " )) );");
        });
}

void P3109_WriteArrayBounds()
{
    drop();
    if (P3109_ArrayTable().empty())
        return;
    const GEN_STREAM s = g().out.current;
    P3109_WriteDashedBoxComment(s, "Array Vector Bounds Definitions");
    P3109_WriteLine(s, 3, "static X_SHORT s_ArrayVectorBounds[] =");
    P3109_WriteLine(s, 3, "{");
    std::vector<std::string> values;
    for (const GEN_ARRAY_DATA& array : P3109_VectorFieldArrays()) {
        const int16_t at = array.cKind == 'A' || array.cKind == 'B' ? P3109_sFindArrayDefinition(array.referenced) : 0;
        values.push_back(at > 0 ? std::to_string(P3109_ArrayTable()[static_cast<size_t>(at - 1)].usBound) : "0");
    }
    for (size_t i = 0; i < P3109_WorkFields().size(); ++i)
        values.push_back("0");
    std::string line;
    for (size_t i = 0; i < values.size(); ++i) {
        line += (i % 20 == 0 ? "" : ", ") + values[i];
        if (i % 20 == 19 && i + 1 < values.size()) {
            P3109_WriteLine(s, 6, line + ",");
            line.clear();
        }
    }
    if (!line.empty())
        P3109_WriteLine(s, 6, line);
    P3109_WriteLine(s, 3, "};");
}

void P3109_WriteLiteralWorkFields(int32_t lScope)
{
    drop();
    /* the used-field records hold the fields of the main scope */
    if (lScope != 0)
        return;
    forEachFieldWithDefault([](const GEN_FIELD_INFO& f) {
        if (mainScopeField(f))
            writeDefault(f);
    });
}

/* One row of the program's field list; false when the field is unknown. */
bool P3109_WriteBifFieldEntry(const GEN_BIF_PARAMETER& p, bool fFirst)
{
    GEN_FIELD_INFO f;
    if (P3109_sGetUsedField(p.field, GEN_SLOT_LOOKUP, f) != 0 || !f.fDefined)
        return false;
    char line[512];
    std::snprintf(line, sizeof line, "%s  \"%s\",%s,%s,X_SUBTYPE_SIMPLE_FIELD,'%c',%ld,%d,%d,pX_NULL,0,NO",
                  fFirst ? " " : ",", P3109_MakeHexLiteral(P3109_TrimRight(p.field), 10).c_str(),
                  P3109_pszFieldTypeName(&f).c_str(), P3109_pszFieldTypeConstName(f.cType), f.cShift,
                  static_cast<long>(f.lLength), f.usByteLength, f.sDecimals);
    P3109_WriteLine(g().out.current, 6, line);
    return true;
}

void P3109_WriteBifFieldList()
{
    drop();
    if (!builtinProgram())
        return;
    const GEN_BIF_PARAMETERS& t = P3109_BifParameters();
    P3109_Line("#define BIF_NUMBER " + std::to_string(t.sNumber));
    bool any = false, rows = false;
    for (const auto* table : {&t.arguments, &t.returns})
        for (const GEN_BIF_PARAMETER& p : *table) {
            if (p.cKind != 'A' && p.cKind != 'N')
                continue;
            if (!any)
                P3109_WriteLine(g().out.current, 3, "static struct X_FLD FLD_LIST[] = {");
            any = true;
            rows = P3109_WriteBifFieldEntry(p, !rows) || rows;
        }
    if (any)
        P3109_WriteLine(g().out.current, 3, "};");
    P3109_Line(std::string("#define BIF_FIELD_COUNT  ") + (any ? "(sizeof(FLD_LIST) / sizeof(struct X_FLD))" : "0"));
    P3109_Line(std::string("#define BIF_FIELD_STRUCT ") + (any ? "&(FLD_LIST[0])" : "pX_NULL"));
}

void P3109_WriteBifParmTable(int32_t lReturnValues)
{
    drop();
    if (!builtinProgram())
        return;
    const GEN_BIF_PARAMETERS& t = P3109_BifParameters();
    int32_t row = 0;
    for (const GEN_BIF_PARAMETER& p : lReturnValues != 0 ? t.returns : t.arguments)
        writeParmRow(p, ++row);
}

void P3109_WriteBifParmTableNoArgs()
{
    P3109_WriteBifParmTable(0);
}

namespace {

/* A member of a field group: the field name of its "GROUPFLD" record. */
using GroupMember = std::array<char, 10>;

/* The members of field groups by their work-file name (the record's whole
** name field), as the work file held them when its "GROUPFLD" records had
** the change stamp kept here. */
struct GroupMembers {
    bool filled = false;
    uint64_t stamp = 0;
    std::unordered_map<std::string, std::vector<GroupMember>> kept;
};

GroupMembers& groupCache()
{
    static GroupMembers cache;
    return cache;
}

/* Empties the cache when "GROUPFLD" records were written, changed or
** removed since it was filled; true when it still holds. */
bool groupCacheHolds(GroupMembers& c, uint64_t ulStamp)
{
    if (c.filled && c.stamp == ulStamp)
        return true;
    c.kept.clear();
    c.filled = true;
    c.stamp = ulStamp;
    return false;
}

/* The members of the group with this work-file name, in stored order,
** read from the work file once while its "GROUPFLD" records stay as they
** are. */
const std::vector<GroupMember>& groupMembers(FFC_CONTEXT* ctx, const std::string& key)
{
    GroupMembers& c = groupCache();
    groupCacheHolds(c, WF_ulKindStamp(ctx, LAYOUT_KIND_GROUPFLD));
    auto [at, added] = c.kept.try_emplace(key);
    if (!added)
        return at->second;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, key.data(), FFC_WORK_NAME_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 2); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_SECTIONS, &r, 2)) {
        const auto* d = reinterpret_cast<const GROUPFLD_DATA*>(r.acData);
        GroupMember& member = at->second.emplace_back();
        std::memcpy(member.data(), d->acField, member.size());
    }
    return at->second;
}

/* The record's name field holding the name. */
std::string workName(std::string_view name)
{
    std::string field(FFC_WORK_NAME_LEN, ' ');
    field.replace(0, std::min(name.size(), field.size()), name.substr(0, field.size()));
    return field;
}

}  // namespace

bool P3109_fGroupHasMembers(FFC_CONTEXT* ctx, std::string_view name)
{
    if (!ctx || !ctx->pWorkFile)
        return false;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, workName(name).data(), FFC_WORK_NAME_LEN);
    return WF_cFindFirst(ctx, GEN_SLOT_SECTIONS_INNER, &r, 2) == '0';
}

void P3109_KeepGroupMembers(FFC_CONTEXT* ctx, std::string_view name, const std::vector<std::string>& members,
                            uint64_t ulStampBefore)
{
    if (!ctx || !ctx->pWorkFile)
        return;
    /* what the cache held before the group's records were written still
       holds after them: only this group's records were added */
    GroupMembers& c = groupCache();
    groupCacheHolds(c, ulStampBefore);
    c.stamp = WF_ulKindStamp(ctx, LAYOUT_KIND_GROUPFLD);
    std::vector<GroupMember>& kept = c.kept[workName(name)];
    kept.clear();
    for (const std::string& m : members) {
        GroupMember& member = kept.emplace_back();
        member.fill(' ');
        std::memcpy(member.data(), m.data(), std::min(m.size(), member.size()));
    }
}

void P3109_WriteFieldDefault(const GEN_FIELD_INFO& field, bool fBlankWithout)
{
    /* every default the program knows was compiled by the object layer into
       a routine that assigns it to the field (the checker reports the ones
       it cannot compile) */
    if (field.defaultValue.size() >= 9 && static_cast<unsigned char>(field.defaultValue[0]) == 3) {
        const std::string reference = field.defaultValue.substr(0, 9);
        P3109_Parts().pfnWriteDefaultValueCall(reference.c_str(), field.vectorName);
        return;
    }
    if (fBlankWithout)
        P3109_WriteSetToBlankOrZero(field);
}

void P3109_WriteFieldGroupArray(GEN_STREAM stream, int16_t sIndent, std::string_view group, std::string_view array)
{
    FFC_CONTEXT* ctx = P3109_Context();
    /* C#: a group of the data section is a static member of the class, any
       other a local array of the command's block. C: a group of the data
       section is a table of the module that no statement of the function
       need name, so it is not static (an unused static table does not
       compile clean); any other is the static table of its block */
    const std::string name = "as" + std::string(array);
    /* the lines are put together in a buffer kept between groups */
    static std::string line;
    if (P3109_State().cTarget != GEN_TARGET_CSHARP)
        P3109_WriteLine(stream, sIndent,
                        line.assign(stream == 1 ? "" : "static ").append("const X_SHORT ").append(name).append("[] ="));
    else if (stream == 1)
        P3109_WriteLine(stream, sIndent, "private static readonly short[] " + name + " =");
    else
        P3109_WriteLine(stream, sIndent, "short[] " + name + " =");
    P3109_WriteLine(stream, sIndent, "{");
    std::vector<std::string> symbols;
    if (ctx && ctx->pWorkFile) {
        const std::string key = P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(group)), FFC_WORK_NAME_LEN);
        for (const GroupMember& member : groupMembers(ctx, key)) {
            const GEN_FIELD_INFO* f =
                P3109_pFindUsedField(std::string_view(member.data(), member.size()), GEN_SLOT_SECTIONS_INNER);
            if (f)
                symbols.push_back(f->vectorName);
        }
    }
    line.clear();
    for (size_t i = 0; i < symbols.size(); ++i) {
        line.append(symbols[i]);
        if (i + 1 < symbols.size())
            line.append(", ");
        if ((i + 1) % 4 == 0 || i + 1 == symbols.size()) {
            P3109_WriteLine(stream, static_cast<int16_t>(sIndent + 3), P3109_TrimmedRight(line));
            line.clear();
        }
    }
    P3109_WriteLine(stream, sIndent, "};");
}

void P3109_EmitGroupBy()
{
    P3109_Parts().pfnEmitCommandPrologue();
    auto parsed = P3109_pReadCurrentCommand();
    if (!parsed)
        return;
    const std::string group = dqov::cmdparm::ParmText(*parsed, "NAME");
    const std::string name = P3109_MakeGroupName(group, group.size());
    P3109_WriteFieldGroupArray(1, 3, group, name);
}
