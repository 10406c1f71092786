/*
** field_vector.cpp: the field vector of the generated program.
**
** The writer takes every used field whose generation flag is set and that
** is not reached through a qualified name, in the order of the records,
** then the work fields. A field that generated code cannot hold (no
** definition, a type or length the runtime does not know) is reported
** with its name and takes no entry, so no line that cannot compile is
** written for it. Two records of one field (written with and without the
** national name character) give one entry.
*/
#include "generator/core/components/field_vector.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/components/arrays.h"
#include "generator/core/components/bom_records.h"
#include "generator/core/model/bom_names.h"
#include "generator/core/model/component_model.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_info.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/object_data.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/file_helpers.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr GEN_STREAM kDescriptorQueue = 1;
constexpr GEN_STREAM kBindingQueue = 2;
constexpr int32_t kMaxDigits = 63;

struct VectorState {
    std::vector<GEN_WORK_FIELD> workFields;
    std::vector<GEN_ARRAY_DATA> fields; /* the array data of the used fields, in vector order */
    int32_t lEvaluationItems = 0;
};

VectorState& vs()
{
    static VectorState s;
    return s;
}

bool csharp()
{
    return g().cTarget == GEN_TARGET_CSHARP;
}

/* One entry of the vector with the use the check state names it by. */
struct Entry {
    std::shared_ptr<const GEN_FIELD_INFO> f; /* the used field's description */
    int32_t lFirstLine = 0;
    std::array<char, 10> firstCommand;
};

/* The list, instance macro and C# prefix of a field's storage. */
struct Storage {
    int16_t sList;
    const char* macro;
    const char* csPrefix;
};

Storage storageOf(const GEN_FIELD_INFO& f)
{
    return P3109_fIsSpecialVectorField(f) ? Storage{2, "INSTANCE_S3", "FunctionGlobalStatic3."}
                                          : Storage{1, "INSTANCE_S2", "pGlobal2."};
}

void nameUse(const Entry& e)
{
    FFC_CHECK_STATE* st = P3109_CheckState();
    if (!st)
        return;
    st->lLine = e.lFirstLine;
    std::memcpy(st->acCommand, e.firstCommand.data(), sizeof st->acCommand);
}

std::string digits7(int32_t value)
{
    char text[8];
    FIX_LongToDigits(&value, 7, text);
    return std::string(text, 7);
}

/* The runtime holds the field: its type is known and its lengths fit. */
bool holdable(const GEN_FIELD_INFO& f)
{
    /* the name is made only for a message */
    auto name = [&] { return P3109_Padded(f.DisplayName(), 10); };
    if (!f.fDefined) {
        P3109_sIssueMessage(Msg::FieldNotInDictionary, name());
        return false;
    }
    bool fits = f.cType != ' ' && f.cType != '\0' && std::strchr("APSLDHU1BYEMZIF34", f.cType) != nullptr;
    if (fits && f.cType == 'I')
        fits = f.lLength == 1 || f.lLength == 2 || f.lLength == 4 || f.lLength == 8;
    else if (fits && f.cType == 'F')
        fits = f.lLength == 4 || f.lLength == 8;
    else if (fits && (f.cType == 'P' || f.cType == 'S'))
        fits = f.lLength >= 1 && f.lLength <= kMaxDigits && f.sDecimals >= 0 && f.sDecimals <= f.lLength;
    else if (fits && (f.cType == 'A' || f.cType == 'U'))
        fits = f.lLength >= 1 && f.lLength <= 32767;
    if (fits)
        return true;
    P3109_sIssueMessage(Msg::FieldTypeNotGenerated, name() + std::string(1, f.cType) + digits7(f.lLength));
    return false;
}

/* The qualifying used fields in the order of their records. */
std::vector<Entry> collectFields(FFC_CONTEXT* ctx)
{
    std::vector<Entry> entries;
    std::unordered_set<std::string_view> taken; /* the vector names of the entries (held by them) */
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USEFIELD, FFC_WORK_KIND_LEN);
    /* each record's flags first, the whole record only when it is taken */
    constexpr uint32_t head = offsetof(WR_USEFIELD_DATA, cResolved) + 1;
    for (char rc = WF_cReadFirstHead(ctx, GEN_SLOT_VECTOR, &r, 1, head); rc == '0';
         rc = WF_cReadNextHead(ctx, GEN_SLOT_VECTOR, &r, 1, head)) {
        const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
        if (d.cGenerate != 'Y' || d.cResolved == 'r' || WF_cReadCurrent(ctx, GEN_SLOT_VECTOR, &r) != '0')
            continue;
        Entry e;
        e.f = P3109_DescribeUse(r);
        e.lFirstLine = FIX_lDigitsToLong(d.acFirstLine, 7, nullptr);
        std::memcpy(e.firstCommand.data(), d.acFirstCommand, sizeof d.acFirstCommand);
        const std::string& vectorName = e.f->vectorName;
        if (vectorName.empty() || vectorName == "V_NOT_AVAILABLE" || taken.count(vectorName))
            continue;
        nameUse(e);
        if (!holdable(*e.f))
            continue;
        taken.insert(vectorName);
        entries.push_back(std::move(e));
    }
    return entries;
}

/* ---- step 1: symbols ---- */

struct Sizes {
    std::string c, cs;
};

Sizes byteSize(const GEN_FIELD_INFO& f)
{
    if (f.cResolved == 'E')
        return {"0", "0"};
    /* C# has no sizeof of a class: the run time names the sizes */
    if (f.cType == 'U')
        return {"(sizeof( X_FLD_SHORT_CHAR ) + " + std::to_string(f.lLength) + ")",
                "(DqooDef.X_FLD_SHORT_CHAR_SIZE + " + std::to_string(f.lLength) + ")"};
    if (P3109_fIsZophxOnlyType(f.cType)) {
        const std::string kind = P3109_pszFieldKindName(f);
        return {"sizeof( " + kind + " )", "DqooDef." + kind + "_SIZE"};
    }
    if (P3109_fIsBigDecimal(f.cType, f.lLength, f.sDecimals, f.fNullable())) {
        const std::string n = std::to_string(f.usByteLength - 11);
        return {"(sizeof( X_FLD_PACKED ) - 1 + " + n + ")", "(DqooDef.X_FLD_PACKED_SIZE - 1 + " + n + ")"};
    }
    if (f.cResolved == 'L' && f.usLiteralLength1 != f.usLiteralLength2) {
        /* a constant of C# is a constant expression: the lesser length */
        const std::string s = "X_RESOLVE_VARCHAR_LENGTH( " + std::to_string(f.usLiteralLength1) + ", " +
                              std::to_string(f.usLiteralLength2) + " )";
        return {s, std::to_string(std::min(f.usLiteralLength1, f.usLiteralLength2))};
    }
    return {std::to_string(f.usByteLength), std::to_string(f.usByteLength)};
}

Sizes workFieldSize(const GEN_WORK_FIELD& w)
{
    switch (w.cType) {
    case 'A': return {std::to_string(w.lLength), std::to_string(w.lLength)};
    case 'C':
    case 'L': return {"1", "1"};
    default:
        if (w.sDecimals == 0 && w.lLength < 10)
            return {"sizeof(X_LONG)", "DqooDef.X_LONG_SIZE"};
        return {"sizeof(X_DOUBLE)", "DqooDef.X_DOUBLE_SIZE"};
    }
}

void writeSymbols(GEN_STREAM stg, GEN_STREAM csStg, const std::string& symbol, int16_t sIndex, const Sizes& size)
{
    P3109_WriteShortConstant(stg, 0, symbol, sIndex);
    /* the length's name is put together in a buffer kept between fields */
    static std::string bytes;
    bytes.assign("BYTE_LEN_", 9).append(symbol);
    P3109_WriteDefineLine(stg, bytes, size.c);
    if (csStg == GEN_NO_STREAM)
        return;
    P3109_WritePublicConstInt(csStg, symbol, sIndex);
    P3109_WritePublicConstIntText(csStg, bytes, size.cs);
}

/* The component's records the vector holds: the dispatch records among the
** members of the description's root. */
std::vector<BOM_RECORD_NAMES> componentRecords()
{
    std::vector<BOM_RECORD_NAMES> records;
    const BOM_DESCRIPTION_NODE* root = P3109_pRetrieveDescription();
    if (!BOMGEN_fIsContainer(root))
        return records;
    for (intptr_t i = 0; i < BOMGEN_lCount(root, 1); ++i) {
        const BOM_DESCRIPTION_NODE* member = BOMGEN_pChild(root, 1, i);
        if (BOMGEN_fIsDispatchRecord(member))
            BOMGEN_MakeRecordNames(member, records.emplace_back());
    }
    return records;
}

void writeAllSymbols(const std::vector<Entry>& entries, const std::vector<BOM_RECORD_NAMES>& records)
{
    const GEN_STREAM stg = g().stg, csStg = g().csStreams[1];
    int16_t index = 0;
    for (const Entry& e : entries) {
        if (index == 0) {
            P3109_CopySkeletonInclude(stg, "FUN00004.S");
            if (csStg != GEN_NO_STREAM)
                P3109_CopySkeletonInclude(csStg, "FUN00004.S");
        }
        writeSymbols(stg, csStg, e.f->vectorName, index++, byteSize(*e.f));
    }
    for (const GEN_WORK_FIELD& w : vs().workFields)
        writeSymbols(stg, csStg, w.indexSymbol, index++, workFieldSize(w));
    for (const BOM_RECORD_NAMES& r : records)
        writeSymbols(stg, csStg, r.vectorName, index++, {"sizeof(X_FLD_RECORD)", "DqooDef.X_FLD_RECORD_SIZE"});
    P3109_WriteDoubleBoxComment(stg, "Vector Total");
    P3109_WriteShortConstant(stg, 0, "X_VECTOR_TOTAL", index);
    if (csStg != GEN_NO_STREAM) {
        P3109_WriteDoubleBoxComment(csStg, "Vector Total");
        P3109_WritePublicConstInt(csStg, "X_VECTOR_TOTAL", index);
    }
    if (const BOM_DESCRIPTION_NODE* description = P3109_pRetrieveDescription())
        BOMGEN_WriteRecordTypedef(description);
}

/* ---- step 3: storage ---- */

void declareField(const GEN_FIELD_INFO& f)
{
    const Storage s = storageOf(f);
    const std::string& local = f.localName;
    if (P3109_fIsZophxOnlyType(f.cType)) {
        const std::string decl = P3109_MakeFieldDeclaration(f, false);
        const std::string cs =
            P3109_MakeCSharpDeclarationByType(f.cType, "", local, f.lLength, f.fUnsigned(), f.fNational());
        CGEN_AddStaticWorkingEntry(s.sList, decl, "", cs, "", GEN_STATIC_ALWAYS);
        return;
    }
    const std::string_view cType = P3109_pszDictionaryTypeName(f.cType, false),
                           csType = P3109_pszDictionaryTypeName(f.cType, true);
    /* the texts are put together in buffers kept between fields */
    static std::string bytes, cDeclaration, csDeclaration, init, csInit;
    bytes.assign("BYTE_LEN_", 9).append(f.vectorName);
    /* C#: a big or nullable decimal is an object of its kind, as its
       descriptor's version line casts it */
    if (const std::string decimal = P3109_MakeCSharpDecimalDeclaration(f, ""); !decimal.empty()) {
        cDeclaration.assign("X_DICTIONARY_", 13).append(cType).append(" ", 1).append(local);
        cDeclaration.append("[", 1).append(bytes).append("]", 1);
        CGEN_AddStaticWorkingEntry(s.sList, cDeclaration, "", decimal, "", GEN_STATIC_ALWAYS);
        return;
    }
    init.clear();
    csInit.clear();
    if (f.cType == 'D') {
        init.assign(s.macro).append("(", 1).append(local).append(") = 0.0;", 8);
        csInit.assign(s.csPrefix).append(local).append(" = 0.0;", 7);
    }
    /* C: a one-byte field is one X_DICTIONARY_ value. C#: a long and a double
       are one value (a store boxes a new one); a field of any other type, one
       byte long or longer, is storage the run time changes: a string (compact:
       the declaration of a literal still fits its 79 characters), or bytes */
    const bool single = f.usByteLength == 1 || f.cType == 'L' || f.cType == 'D';
    cDeclaration.assign("X_DICTIONARY_", 13).append(cType).append(" ", 1).append(local);
    if (!single)
        cDeclaration.append("[", 1).append(bytes).append("]", 1);
    if (f.cType == 'L' || f.cType == 'D')
        csDeclaration.assign("public ", 7).append(csType).append(" ", 1).append(local);
    else if (f.cType == 'A')
        csDeclaration.assign("public string ", 14).append(local).append(" = new String(' ',", 18).append(bytes).append(")", 1);
    else
        csDeclaration.assign("public ", 7)
            .append(csType)
            .append("[] ", 3)
            .append(local)
            .append(" = new ", 7)
            .append(csType)
            .append("[", 1)
            .append(bytes)
            .append("]", 1);
    CGEN_AddStaticWorkingEntry(s.sList, cDeclaration, init, csDeclaration, csInit, GEN_STATIC_ALWAYS);
}

bool declarable(const GEN_WORK_FIELD& w)
{
    return !P3109_fIsZophxOnlyType(w.cType) && !P3109_fIsBigDecimal(w.cType, w.lLength, w.sDecimals, false);
}

void declareWorkField(const GEN_WORK_FIELD& w)
{
    if (!declarable(w))
        P3109_ZophxFieldMisuse("Action_0012_3109()", w.name);
    const std::string& n = w.name;
    /* C#: members of the storage class, which its routines reach */
    switch (w.cType) {
    case 'A':
        if (w.lLength == 1)
            CGEN_AddStaticWorkingEntry(1, "X_DICTIONARY_ALPHA " + n, "",
                                       "public string " + n + " = new String( ' ', 1 )", "", GEN_STATIC_ALWAYS);
        else
            CGEN_AddStaticWorkingEntry(1, "X_DICTIONARY_ALPHA " + n + "[BYTE_LEN_" + w.indexSymbol + "]", "",
                                       "public string " + n + " = new String( ' ', BYTE_LEN_" + w.indexSymbol + " )",
                                       "", GEN_STATIC_ALWAYS);
        return;
    case 'C':
    case 'L': CGEN_AddStaticWorkingEntry(1, "X_YES_NO " + n, "", "public char " + n, "", GEN_STATIC_ALWAYS); return;
    default:
        if (w.sDecimals != 0 || w.lLength >= 10)
            CGEN_AddStaticWorkingEntry(1, "X_DOUBLE " + n, "INSTANCE_S2(" + n + ") = 0.0;", "public double " + n,
                                       "pGlobal2." + n + " = 0.0;", GEN_STATIC_ALWAYS);
        else
            CGEN_AddStaticWorkingEntry(1, "X_LONG " + n, "", "public int " + n, "", GEN_STATIC_ALWAYS);
        return;
    }
}

/* ---- steps 5 and 6: descriptor rows and bindings ---- */

struct Row {
    std::string name, typeName;
    std::string_view typeConst, subtype;
    char cShift = 'N';
    std::string length, byteLength;
    std::string second; /* decimals, "pX_NULL" and the last value */
};

void writeRow(const Row& r, bool fFirst)
{
    const bool cs = csharp();
    /* the line is put together in a buffer kept between rows */
    static std::string line;
    line.assign(cs ? (fFirst ? " new X_FLD( " : ",new X_FLD( ") : (fFirst ? " " : ","));
    line.append(r.name).append(",", 1).append(r.typeName).append(",", 1);
    if (cs)
        line.append("X_DEFS.", 7);
    line.append(r.typeConst).append(",", 1);
    if (cs)
        line.append("X_DEFS.", 7);
    line.append(r.subtype).append(",'", 2);
    line.push_back(r.cShift);
    line.append("',", 2).append(r.length).append(",", 1).append(r.byteLength).append(",", 1);
    P3109_WriteLine(kDescriptorQueue, 6, line);
    line.assign(r.second).append(",NO ", 4);
    P3109_WriteLine(kDescriptorQueue, 9, line);
    if (cs)
        P3109_WriteLine(kDescriptorQueue, 9, ")");
}

const GEN_ARRAY_ENTRY* findArray(std::string_view name)
{
    const int16_t at = P3109_sFindArrayDefinition(name);
    return at > 0 ? &P3109_ArrayTable()[static_cast<size_t>(at - 1)] : nullptr;
}

/* Address and alternative column of an array element or overlay. */
void arrayMember(const GEN_FIELD_INFO& f, std::string& address, std::string& alternative)
{
    if (f.array.cKind == 'O') {
        GEN_FIELD_INFO ref;
        if (P3109_sGetUsedField(f.array.referenced, GEN_SLOT_LOOKUP_INNER, ref) != 0)
            return;
        const int32_t start = f.array.sStart;
        if (start == 1 && ref.usByteLength == 1)
            address = csharp() ? "pGlobal2." + ref.localName : "&(INSTANCE_S2(" + ref.localName + "))";
        else
            address = csharp() ? "pGlobal2." + ref.localName + "[" + std::to_string(start - 1) + "]"
                               : "&(INSTANCE_S2(" + ref.localName + "[" + std::to_string(start - 1) + "]))";
        if (start > ref.usByteLength)
            P3109_sIssueNumberedMessage('W', 877);
        else if (start + f.usByteLength > ref.usByteLength + 1)
            P3109_sIssueNumberedMessage('W', 878, {std::to_string(start + f.usByteLength - ref.usByteLength - 1)});
        return;
    }
    const GEN_ARRAY_ENTRY* a = findArray(f.array.referenced);
    if (a)
        address = csharp() ? a->csAddress : a->address;
    GEN_FIELD_INFO index;
    if ((f.array.cKind == 'A' || f.array.cKind == 'B') &&
        P3109_sGetUsedField(f.array.indexField, GEN_SLOT_LOOKUP_INNER, index) == 0)
        alternative = index.vectorName;
}

char usageCode(const GEN_FIELD_INFO& f)
{
    if (f.cArrayElement == 'Y')
        return 'R';
    if (f.acKind[1] == 'L' && f.acKind[0] == 'F')
        return P3109_fIsArrayIndexField(f.fieldName) && f.cType != 'A' && !P3109_fNeedsZophxHandling(f) ? 'I' : 'F';
    if (f.acKind[1] == 'L')
        return 'L';
    if (f.fKind("SV"))
        return 'V';
    if (f.fKind("UP"))
        return 'P';
    return ' ';
}

/* The address of the field's storage appended to `out`. */
void appendFieldAddress(std::string& out, const GEN_FIELD_INFO& f)
{
    const Storage s = storageOf(f);
    if (csharp()) {
        out.append(s.csPrefix);
        if (f.cResolved == 'E')
            out.append("EvaluationRoutineTable_1");
        else
            out.append(f.localName);
        return;
    }
    if (f.cResolved == 'E') {
        out.append("((X_PDICTIONARY_FIELD)( &").append(s.macro).append("(EvaluationRoutineTable_1) ))");
        return;
    }
    if (f.cType == 'D' || f.cType == 'L' || P3109_fIsZophxOnlyType(f.cType))
        out.append("(X_PDICTIONARY_FIELD) &(");
    else
        out.append("&(");
    out.append(s.macro).append("(").append(f.localName);
    if (f.cType == 'D' || f.cType == 'L' || P3109_fIsZophxOnlyType(f.cType) || f.usByteLength == 1)
        out.append("))");
    else
        out.append("[0]))");
}

/* A number appended to `out` as std::to_string writes it. */
void appendNumber(std::string& out, int32_t value)
{
    char digits[16];
    out.append(digits, static_cast<size_t>(std::to_chars(digits, digits + sizeof digits, value).ptr - digits));
}

/* The row of a used field. `arrayReferenced` is whether the field lies in
** an array's storage (P3109_MakeFieldArrayRef), when the caller has asked
** already: -1 when not. */
void writeFieldRow(const Entry& e, bool fFirst, int arrayReferencedKnown)
{
    const GEN_FIELD_INFO& f = *e.f;
    nameUse(e);
    const bool needs = P3109_fNeedsZophxHandling(f) != 0;
    std::string arrayRef;
    const bool arrayReferenced =
        f.array.cKind == ' ' && arrayReferencedKnown != 0 && P3109_MakeFieldArrayRef(f.fieldName, arrayRef);
    /* the row's texts are put together in buffers kept between rows */
    static Row r;
    r.name = CGEN_NameLiteral(f.DisplayName());
    r.typeName = P3109_pszFieldTypeName(&f);
    r.typeConst = P3109_fIsComponentField(f) ? "X_TYPE_COMPONENT" : P3109_pszFieldTypeConstName(f.cType);
    r.subtype = P3109_pszComponentSubtypeName(usageCode(f), &f, false);
    r.cShift = f.cShift;
    r.length.clear();
    if (f.cResolved == 'L' && f.usLiteralLength1 != f.usLiteralLength2)
        r.length.assign("BYTE_LEN_").append(f.vectorName);
    else if (f.fNational() || f.lLength > 32767)
        r.length.assign("-1");
    else
        appendNumber(r.length, f.lLength);
    const bool inArray = f.array.cKind == 'A' || f.array.cKind == 'B' || f.array.cKind == 'C';
    const bool decimalBytes = ((arrayReferenced || inArray) && !needs) || f.array.cKind == 'O';
    r.byteLength.clear();
    if (decimalBytes)
        appendNumber(r.byteLength, f.usByteLength);
    else
        r.byteLength.assign("BYTE_LEN_").append(f.vectorName);

    static std::string address;
    address.clear();
    if (arrayReferenced)
        address.assign(arrayRef);
    else
        appendFieldAddress(address, f);
    std::string alternative = "0";
    if (f.array.cKind != ' ')
        arrayMember(f, address, alternative);
    if (P3109_fIsComponentField(f))
        alternative = csharp() ? "(" + std::to_string(f.lComponentNumber) + ")"
                               : "((X_SHORT)" + std::to_string(f.lComponentNumber) + ")";
    const int32_t decimals = f.cResolved == 'E' ? 0 : f.sDecimals;
    r.second.clear();
    appendNumber(r.second, decimals);
    r.second.append(",pX_NULL,");
    if (f.cResolved == 'E')
        appendNumber(r.second, vs().lEvaluationItems++);
    else
        r.second.append(alternative);
    writeRow(r, fFirst);

    /* the lines are put together in buffers kept between rows */
    static std::string field, line;
    field.assign("pX_Fld[", 7).append(f.vectorName).append("]", 1);
    P3109_WriteLine(kBindingQueue, 3, line.assign(field).append(".pField = ", 10).append(address).append(";", 1));
    if (needs && f.cResolved != 'E') {
        line.assign(csharp() ? "X_DEFS.X_MEMSET( ref " : "memset( ");
        line.append(field).append(".pField, 0, ", 12).append(field).append(".sByteLen );", 12);
        P3109_WriteLine(kBindingQueue, 3, line);
    }
    P3109_WriteFieldDataVersion(kBindingQueue, 3, f, line.assign(field).append(".pField", 7));
    P3109_WriteLine(kBindingQueue, 3, " ");
}

void writeWorkFieldRow(const GEN_WORK_FIELD& w, bool fFirst)
{
    if (!declarable(w))
        P3109_ZophxFieldMisuse("Action_0012_3109()", w.name);
    Row r;
    r.name = CGEN_NameLiteral(w.name);
    r.typeName = "0";
    const char typeLetter = w.cType == 'N' ? (w.sDecimals != 0 || w.lLength >= 10 ? 'D' : 'L') : 'A';
    r.typeConst = P3109_pszFieldTypeConstName(typeLetter);
    r.subtype = "X_SUBTYPE_SIMPLE_FIELD";
    r.length = std::to_string(w.lLength);
    r.byteLength = "BYTE_LEN_" + w.indexSymbol;
    r.second = std::to_string(w.sDecimals) + ",pX_NULL,0";
    writeRow(r, fFirst);
    std::string address;
    if (csharp())
        address = "pGlobal2." + w.name;
    else if (w.cType == 'A' && w.lLength != 1)
        address = "&(INSTANCE_S2(" + w.name + "[0]))";
    else if (w.cType == 'N')
        address = "(X_PDICTIONARY_FIELD) &(INSTANCE_S2(" + w.name + "))";
    else
        address = "&(INSTANCE_S2(" + w.name + "))";
    P3109_WriteLine(kBindingQueue, 3, "pX_Fld[" + w.indexSymbol + "].pField = " + address + ";");
}

/* A component record's descriptor and the bindings of its record field:
** its record storage, description and data record. */
void writeRecordRow(const BOM_RECORD_NAMES& n, bool fFirst)
{
    const char* k = n.kindCode.c_str();
    const char* id = n.identifier.c_str();
    const std::string name = CGEN_NameLiteral(n.kindCode + "_" + n.identifier);
    const std::string lead = csharp() ? (fFirst ? " new X_FLD( " : ",new X_FLD( ") : (fFirst ? " " : ",");
    P3109_WriteLine(kDescriptorQueue, 6,
                    lead + name + (csharp() ? ",DqooDef.LL2FIELD,X_DEFS.X_TYPE_RECORD," : ",LL2FIELD,X_TYPE_RECORD,") +
                        "' ','N',-1,BYTE_LEN_" + n.vectorName + ", ");
    P3109_WriteLine(kDescriptorQueue, 9, "0,pX_NULL,0,NO ");
    if (csharp()) {
        P3109_WriteLine(kDescriptorQueue, 9, ")");
        P3109_WriteLine(kBindingQueue, 3,
                        P3109_Format("pX_Fld[%s].pField = pGlobal2.fRec_%s_%s;", n.vectorName.c_str(), k, id));
        return;
    }
    const std::string field = "pX_Fld[" + n.vectorName + "].pField";
    P3109_WriteLine(kBindingQueue, 3,
                    P3109_Format("%s = ((X_PDICTIONARY_FIELD)( &(INSTANCE_S2(fRec_%s_%s)) ));", field.c_str(), k, id));
    P3109_WriteLine(kBindingQueue, 3, "((X_FLD_INFO*)( " + field + " ))->i8Version = X_FLDDATA_V1;");
    P3109_WriteLine(kBindingQueue, 3,
                    P3109_Format("((X_FLD_RECORD*)( %s ))->pDescription = ((struct X_DRD*)( &(X_DRD_%s_%s) ));",
                                 field.c_str(), k, id));
    P3109_WriteLine(
        kBindingQueue, 3,
        P3109_Format("((X_FLD_RECORD*)( %s ))->pDataRecord = &(INSTANCE_S2(fDataRec_%s_%s));", field.c_str(), k, id));
    P3109_WriteLine(kBindingQueue, 3,
                    P3109_Format("X_CPYBYTES( &(INSTANCE_S2(fDataRec_%s_%s)), X_DRD_%s_%s.pvRecord, "
                                 "X_DRD_%s_%s.ulRecordLength );",
                                 k, id, k, id, k, id));
    P3109_WriteLine(kBindingQueue, 3, " ");
}

/* ---- step 7: the evaluation table ---- */

void writeEvaluationItem(const GEN_FIELD_INFO& f, int32_t n)
{
    const bool cs = csharp();
    const bool dispatch = f.cEvaluationKind == 'R';
    const std::string id = std::to_string(n);
    const auto line = [](const std::string& text) { P3109_WriteLine(kBindingQueue, 6, text); };
    const std::string kind = dispatch ? "DISPATCH" : "CALLBACK";
    line(cs ? "X_VAR_EVALUATION_" + kind + " EvaluationItem_" + id + " = new X_VAR_EVALUATION_" + kind + "("
            : "static const X_VAR_EVALUATION_" + kind + " EvaluationItem_" + id + " = {");
    line(std::string("   ") + (cs ? "X_VAR." : "") + "X_VAR_HEADER_KIND_EVALUATION_" + kind + ",");
    char info[16];
    std::snprintf(info, sizeof info, "0x%X", f.ulEvaluationTypeInfo & ~0xFFu);
    const std::string typeConst = P3109_pszFieldTypeConstName(static_cast<char>(f.ulEvaluationTypeInfo & 0xFFu));
    line(cs ? std::string("   ((uint)( ") + info + " | Convert.ToUInt32( X_DEFS." + typeConst + " ) )),"
            : std::string("   ((X_COMP_EVALUATION_TYPE_INFO)( ") + info + " | " + typeConst + " )),");
    line("   " + std::to_string(f.lLength) + ",");
    line("   " + std::to_string(f.sDecimals) + ",");
    const std::string end = cs ? " );" : " };";
    if (dispatch) {
        line("   " + std::to_string(f.lComponentNumber) + end);
    } else {
        /* the routine of the evaluation reference, else the item's own */
        const std::string routine = f.evaluationRoutine.empty() ? id : f.evaluationRoutine;
        line("   Callback_Evaluation_Routine_" + routine + end);
    }
    P3109_WriteLine(kBindingQueue, 6, " ");
}

void writeEvaluationTable(const std::vector<Entry>& entries)
{
    const bool cs = csharp();
    CGEN_AddStaticWorkingEntry(2, "X_FLD_EVALUATION EvaluationRoutineTable_1", "",
                               "public X_FLD_EVALUATION EvaluationRoutineTable_1 = new X_FLD_EVALUATION()", "",
                               GEN_STATIC_ALWAYS);
    P3109_WriteLine(kBindingQueue, 3, " ");
    P3109_WriteLine(kBindingQueue, 3, "{");
    int32_t items = 0;
    for (const Entry& e : entries)
        if (e.f->cResolved == 'E' && (e.f->cEvaluationKind == 'N' || e.f->cEvaluationKind == 'R'))
            writeEvaluationItem(*e.f, items++);
    if (items > 0) {
        const std::string count = std::to_string(items);
        P3109_WriteLine(kBindingQueue, 6,
                        cs ? "X_VAR_HEADER[] EvaluationTable = new X_VAR_HEADER[" + count + "]{"
                           : "static const PX_VAR_HEADER EvaluationTable[" + count + "] = {");
        for (int32_t i = 0; i < items; ++i) {
            const std::string id = std::to_string(i);
            const std::string end = i + 1 < items ? "," : " };";
            P3109_WriteLine(kBindingQueue, 6,
                            (cs ? "   ((X_VAR_HEADER)( EvaluationItem_" + id + "))"
                                : "   ((X_VAR_HEADER*)( &EvaluationItem_" + id + "))") +
                                end);
        }
        P3109_WriteLine(kBindingQueue, 6, " ");
    }
    const std::string table =
        cs ? "FunctionGlobalStatic3.EvaluationRoutineTable_1" : "&INSTANCE_S3(EvaluationRoutineTable_1)";
    const std::string pointer = items > 0 ? (cs ? "EvaluationTable" : "(X_PPVOID)&EvaluationTable") : "pX_NULL";
    if (cs) {
        P3109_WriteLine(kBindingQueue, 6, "X_DEFS.X_MEMST( ref " + table + ", sizeof( X_FLD_EVALUATION ), 0 );");
        P3109_WriteLine(kBindingQueue, 6, "((X_FLD_EVALUATION)( " + table + " )).i8Version = DqooDef.X_FLDDATA_V1;");
        P3109_WriteLine(kBindingQueue, 6,
                        "((X_FLD_EVALUATION)( " + table + " )).lSize = " + std::to_string(items) + ";");
        P3109_WriteLine(kBindingQueue, 6, "((X_FLD_EVALUATION)( " + table + " )).ppvTable = " + pointer + ";");
    } else {
        P3109_WriteLine(kBindingQueue, 6, "memset( " + table + ", 0, sizeof( X_FLD_EVALUATION ) );");
        P3109_WriteLine(kBindingQueue, 6, "((PX_FLD_EVALUATION)( " + table + " ))->i8Version = X_FLDDATA_V1;");
        P3109_WriteLine(kBindingQueue, 6,
                        "((PX_FLD_EVALUATION)( " + table + " ))->lSize = " + std::to_string(items) + ";");
        P3109_WriteLine(kBindingQueue, 6, "((PX_FLD_EVALUATION)( " + table + " ))->ppvTable = " + pointer + ";");
    }
    P3109_WriteLine(kBindingQueue, 3, "}");
}

}  // namespace

void P3109_AddWorkField(std::string_view name, std::string_view indexSymbol, char cType, int32_t lLength,
                        int16_t sDecimals)
{
    if (std::strchr("ACLN", cType) == nullptr || cType == '\0')
        P3109_ZophxFieldMisuse("Action_0012_3109()", name);
    vs().workFields.push_back({std::string(name), std::string(indexSymbol), cType, lLength, sDecimals});
}

const std::vector<GEN_WORK_FIELD>& P3109_WorkFields()
{
    return vs().workFields;
}

const std::vector<GEN_ARRAY_DATA>& P3109_VectorFieldArrays()
{
    return vs().fields;
}

void P3109_ResetFieldVector()
{
    vs() = VectorState{};
}
void P3109_WriteFieldVector()
{
    g().skel.cKeep = 'N';
    FFC_CONTEXT* ctx = P3109_Context();
    FFC_CHECK_STATE* st = P3109_CheckState();
    if (!ctx || !ctx->pWorkFile || !st)
        return;
    const int32_t savedLine = st->lLine;
    char savedCommand[10];
    std::memcpy(savedCommand, st->acCommand, sizeof savedCommand);
    /* the intermediate results of the DEF_COND routines are entries of
       this vector although their routines come later */
    if (P3109_Parts().pfnRegisterConditionWorkFields)
        P3109_Parts().pfnRegisterConditionWorkFields();

    const std::vector<Entry> entries = collectFields(ctx);
    vs().fields.reserve(vs().fields.size() + entries.size());
    for (const Entry& e : entries)
        vs().fields.push_back(e.f->array);
    const std::vector<BOM_RECORD_NAMES> records = componentRecords();
    writeAllSymbols(entries, records);
    P3109_BuildArrayTable();

    int32_t extended = 0;
    /* whether each entry lies in an array's storage, when asked here: its
       row asks only for the others (the array table does not change) */
    std::vector<int8_t> arrayReferenced(entries.size(), -1);
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        extended += e.f->cResolved == 'E';
        std::string arrayRef;
        if (e.f->array.cKind != ' ' || e.f->cResolved == 'E')
            continue;
        arrayReferenced[i] = P3109_MakeFieldArrayRef(e.f->fieldName, arrayRef) ? 1 : 0;
        if (arrayReferenced[i] == 0)
            declareField(*e.f);
    }
    for (const GEN_WORK_FIELD& w : vs().workFields)
        declareWorkField(w);
    const size_t total = entries.size() + vs().workFields.size() + records.size();

    P3109_WriteUsageDebugComments(kDescriptorQueue);
    P3109_WriteDashedBoxComment(kDescriptorQueue, "Data Dictionary Field Vector Definitions");
    P3109_WriteLine(kDescriptorQueue, 3,
                    csharp() ? "private static X_FLD[] FUNCTION_FIELD_DEF = new X_FLD[" + std::to_string(total) + "]"
                             : "static struct X_FLD FUNCTION_FIELD_DEF[] =");
    P3109_WriteLine(kDescriptorQueue, 3, "{");
    bool first = true;
    for (size_t i = 0; i < entries.size(); ++i) {
        writeFieldRow(entries[i], first, arrayReferenced[i]);
        first = false;
    }
    for (const GEN_WORK_FIELD& w : vs().workFields) {
        writeWorkFieldRow(w, first);
        first = false;
    }
    for (const BOM_RECORD_NAMES& r : records) {
        writeRecordRow(r, first);
        first = false;
    }
    if (extended > 0)
        writeEvaluationTable(entries);
    P3109_WriteLine(kDescriptorQueue, 3, "};");
    P3109_ReleaseArrayIndexes();

    st->lLine = savedLine;
    std::memcpy(st->acCommand, savedCommand, sizeof savedCommand);
}
