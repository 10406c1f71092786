/*
** arrays.cpp: the array table.
**
** Each DEF_ARRAY leaves four "ARRAYNAM" records that carry its parameter
** area in eight pieces of 250 bytes (data bytes 0-249 and 2550-2799 of
** each record); put back together they are read as the command's
** parameters. An array over an existing field shares that field's
** storage; any other array gets storage of its own, "f<name>hARRAY",
** which holds its fields one after the other.
*/
#include "generator/core/components/arrays.h"

#include <cstring>
#include <memory>

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "params/parsed_command.h"

namespace {

struct ArrayState {
    std::vector<GEN_ARRAY_ENTRY> table;
    std::vector<std::string> indexFields;
};

ArrayState& as()
{
    static ArrayState s;
    return s;
}

/* The 10-character name without its leading national name character. */
std::string fieldKey(std::string_view written)
{
    return P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(written)), 10);
}

/* The DEF_ARRAY command of one array from its four records; false when the
** records are not complete. */
bool readArrayCommand(FFC_CONTEXT* ctx, FFC_WORK_RECORD& first, FFC_PARSED_COMMAND& parsed, char& rc,
                      uint16_t slot = GEN_SLOT_ARRAYS)
{
    std::memset(&parsed, ' ', sizeof parsed);
    std::memcpy(parsed.acName, "DEF_ARRAY ", sizeof parsed.acName);
    const std::string name(first.acName, FFC_WORK_NAME_LEN);
    for (int k = 0; k < WR_ARRAYNAM_RECORDS; ++k) {
        if (rc != '0' || std::string(first.acName, FFC_WORK_NAME_LEN) != name)
            return false;
        std::memcpy(parsed.acParms + (2 * k) * WR_ARRAYNAM_PIECE, first.acData, WR_ARRAYNAM_PIECE);
        std::memcpy(parsed.acParms + (2 * k + 1) * WR_ARRAYNAM_PIECE, first.acData + WR_ARRAYNAM_SECOND,
                    WR_ARRAYNAM_PIECE);
        rc = WF_cReadNext(ctx, slot, &first, 1);
    }
    return true;
}

/* The element length the check left, else the storage of the array's
** first field, which every element shares. */
uint16_t elementLength(int32_t lGiven, const GEN_FIELD_INFO* pFirst)
{
    if (lGiven > 0 && lGiven <= UINT16_MAX)
        return static_cast<uint16_t>(lGiven);
    return pFirst ? pFirst->usByteLength : 0;
}

void declare(GEN_ARRAY_ENTRY& e, const FFC_PARSED_COMMAND& p)
{
    using namespace dqov::cmdparm;
    const int32_t entries = std::max<int32_t>(ParmNumber(p, "ENTRYS"), 1);
    const std::string overlaid = ParmText(p, "OVERLAYING", 0);
    const std::string storage = "f" + e.identifier + "hARRAY";
    if (!overlaid.empty() && overlaid != "*NONE") {
        GEN_FIELD_INFO field;
        if (P3109_sGetUsedField(overlaid, GEN_SLOT_LOOKUP_INNER, field) == 0) {
            const int32_t start = std::max<int32_t>(ParmNumber(p, "OVERLAYING", 1), 1);
            e.address = "&INSTANCE_S2(" + field.localName + "[" + std::to_string(start - 1) + "])";
            e.overlaid = field.localName;
            e.lOverlayOffset = start - 1;
            e.usOverlaidLength = field.usByteLength;
            e.csAddress = "new X_ARRAY_ELEMENT( pGlobal2." + field.localName + ", " + std::to_string(start - 1) + " )";
        }
        e.usBound = static_cast<uint16_t>(entries);
        return;
    }
    /* an array of fields holds each of its fields one after the other:
       its entries are its fields, whatever ENTRYS says */
    e.usBound = static_cast<uint16_t>(e.fields.size());
    const int32_t held = e.fields.empty() ? entries : static_cast<int32_t>(e.fields.size());
    GEN_FIELD_INFO first;
    const bool found = !e.fields.empty() && P3109_sGetUsedField(e.fields[0], GEN_SLOT_LOOKUP_INNER, first) == 0;
    e.usElementLength = elementLength(e.usElementLength, found ? &first : nullptr);
    /* C#: the storage is an array object of the function's instance */
    if (found && P3109_fIsZophxOnlyType(first.cType)) {
        e.fExtended = true;
        const std::string kind = P3109_pszFieldKindName(first), count = std::to_string(held);
        CGEN_AddStaticWorkingEntry(1, kind + " " + storage + "[" + count + "]", "",
                                   "public " + kind + "[] " + storage + " = new " + kind + "[" + count + "]", "",
                                   GEN_STATIC_ALWAYS);
        e.address = "(X_PDICTIONARY_FIELD) &(INSTANCE_S2(" + storage + "[0]))";
        e.csAddress = "pGlobal2." + storage;
        return;
    }
    const long size = static_cast<long>(e.usElementLength) * held;
    const std::string bytes = std::to_string(std::max<long>(size, 1));
    const std::string csDeclaration = "public byte[] " + storage + " = new byte[" + bytes + "]";
    e.csAddress = "pGlobal2." + storage;
    if (size > 1) {
        CGEN_AddStaticWorkingEntry(1, "X_DICTIONARY_ARRAY " + storage + "[" + bytes + "]", "", csDeclaration, "",
                                   GEN_STATIC_ALWAYS);
        e.address = "&(INSTANCE_S2(" + storage + "[0]))";
    } else {
        CGEN_AddStaticWorkingEntry(1, "X_DICTIONARY_ARRAY " + storage, "", csDeclaration, "", GEN_STATIC_ALWAYS);
        e.address = "&(INSTANCE_S2(" + storage + "))";
    }
}

}  // namespace

void P3109_ResetArrays()
{
    as() = ArrayState{};
}

void P3109_ForEachArrayCommand(const std::function<void(const FFC_PARSED_COMMAND&)>& visit)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_ARRAYNAM, FFC_WORK_KIND_LEN);
    char rc = WF_cReadFirst(ctx, GEN_SLOT_SECTIONS, &r, 1);
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    while (rc == '0' && readArrayCommand(ctx, r, *parsed, rc, GEN_SLOT_SECTIONS))
        visit(*parsed);
}

const std::vector<GEN_ARRAY_ENTRY>& P3109_ArrayTable()
{
    return as().table;
}

void P3109_BuildArrayTable()
{
    using namespace dqov::cmdparm;
    FFC_CONTEXT* ctx = P3109_Context();
    as() = ArrayState{};
    if (!ctx || !ctx->pWorkFile)
        return;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_ARRAYNAM, FFC_WORK_KIND_LEN);
    char rc = WF_cReadFirst(ctx, GEN_SLOT_ARRAYS, &r, 1);
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    while (rc == '0') {
        if (!readArrayCommand(ctx, r, *parsed, rc))
            break;
        GEN_ARRAY_ENTRY e;
        e.name = P3109_TrimRight(fieldKey(ParmText(*parsed, "NAME")).substr(0, 4));
        e.identifier = P3109_MakeCIdentifier(e.name, 4);
        const int32_t given = ParmNumber(*parsed, "@ELEMLEN");
        e.usElementLength = given > 0 && given <= UINT16_MAX ? static_cast<uint16_t>(given) : 0;
        const int32_t fields = std::min<int32_t>(ParmCount(*parsed, "OF_FIELDS"), GEN_ARRAY_FIELDS);
        for (int32_t i = 0; i < fields; ++i)
            e.fields.push_back(fieldKey(ParmText(*parsed, "OF_FIELDS", 0, i)));
        const int32_t indexes = std::min<int32_t>(ParmCount(*parsed, "INDEXES"), 10);
        for (int32_t i = 0; i < indexes; ++i)
            as().indexFields.push_back(fieldKey(ParmText(*parsed, "INDEXES", 0, i)));
        declare(e, *parsed);
        as().table.push_back(std::move(e));
    }
}

bool P3109_fIsArrayIndexField(std::string_view field)
{
    const std::string key = fieldKey(field);
    for (const std::string& index : as().indexFields)
        if (index == key)
            return true;
    return false;
}

void P3109_ReleaseArrayIndexes()
{
    std::vector<std::string>().swap(as().indexFields);
}

bool P3109_MakeFieldArrayRef(std::string_view field, std::string& reference)
{
    const std::string key = fieldKey(field);
    for (const GEN_ARRAY_ENTRY& e : as().table) {
        if (e.fExtended || e.address.empty())
            continue;
        for (size_t i = 0; i < e.fields.size(); ++i) {
            if (e.fields[i] != key)
                continue;
            /* an array over a field holds its fields in that field's storage */
            const std::string storage = e.overlaid.empty() ? "f" + e.identifier + "hARRAY" : e.overlaid;
            const long offset = static_cast<long>(i) * e.usElementLength + e.lOverlayOffset;
            const long size = e.overlaid.empty() ? static_cast<long>(e.usElementLength) * std::max<long>(e.usBound, 1)
                                                 : static_cast<long>(e.usOverlaidLength);
            /* C# cannot point into an array: the field is the element at its
               offset of the array object */
            if (P3109_State().cTarget == GEN_TARGET_CSHARP) {
                reference = "new X_ARRAY_ELEMENT( pGlobal2." + storage + ", " + std::to_string(offset) + " )";
                return true;
            }
            reference = size > 1
                            ? "(X_PDICTIONARY_FIELD) &(INSTANCE_S2(" + storage + "[" + std::to_string(offset) + "]))"
                            : "(X_PDICTIONARY_FIELD) &(INSTANCE_S2(" + storage + "))";
            return true;
        }
    }
    return false;
}

int16_t P3109_sFindArrayDefinition(std::string_view name)
{
    std::string key(name.substr(0, std::min<size_t>(name.size(), 10)));
    if (const size_t end = key.find('\0'); end != std::string::npos)
        key.resize(end);
    key = P3109_TrimRight(fieldKey(key));
    const std::vector<GEN_ARRAY_ENTRY>& table = as().table;
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].name == key)
            return static_cast<int16_t>(i + 1);
    return 0;
}
