/*
** used_fields.cpp: look-ups in the checker's used-field records.
**
** The writers ask for the same few fields over and over (every operand of
** every evaluation routine, of its macros and of each command's code), and
** a description costs a work record read and the field's definition. What
** a look-up found is therefore kept by its key while none of what it
** rests on has changed since: the work file's used-field records, the
** field definitions of the process and the names that keep exact decimal
** arithmetic, the generation's process; and for one generation at most.
*/
#include "generator/core/model/used_fields.h"

#include <cstddef>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "checker/support_names.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "params/literal_key.h"

namespace {

/* What a look-up of one key found. */
struct Found {
    enum Kind { kMissing, kMangled, kDescribed } kind = kMissing;
    /* kMangled: its three fields set, the others as made; kDescribed: the
       record's description, shared with the descriptions by record */
    std::shared_ptr<const GEN_FIELD_INFO> info;
};

/* Keys are looked up as they stand in the name asked for. */
struct KeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};
using FoundByKey = std::unordered_map<std::string, Found, KeyHash, std::equal_to<>>;

struct Remembered {
    const FFC_CONTEXT* ctx = nullptr;
    uint64_t usedStamp = 0, fieldStamp = 0, namesStamp = 0;
    std::string process; /* fast arithmetic depends on it */
    FoundByKey byKey;
};

Remembered& remembered()
{
    static Remembered r;
    return r;
}

/* The descriptions of used-field records, by what the resolver reads of a
** record: its name, its data up to the end of the array data's element
** part, and the mangled mark. A record of the same bytes is described
** alike while the field definitions, the names that keep exact decimal
** arithmetic, the generation's process and the context's settings stay as
** they are; the walks over the records (the field vector, first values,
** releases) and the look-ups by name describe the same records several
** times a generation. */
constexpr size_t kUseDataRead = offsetof(WR_USEFIELD_DATA, acArrayData) + sizeof(WR_ARRAY_ELEMENT_DATA);
constexpr size_t kUseKeyLength = FFC_WORK_NAME_LEN + kUseDataRead + 1;

struct Described {
    const FFC_CONTEXT* ctx = nullptr;
    uint64_t fieldStamp = 0, namesStamp = 0;
    int32_t lComponentRun = 0;
    char cDoubleByte = ' ';
    std::string process;
    std::unordered_map<std::string, std::shared_ptr<const GEN_FIELD_INFO>, KeyHash, std::equal_to<>> byRecord;
};

Described& described()
{
    static Described d;
    return d;
}

/* The descriptions kept for the context, emptied when anything they rest
** on has changed. */
Described& describedFor(const FFC_CONTEXT* ctx)
{
    Described& d = described();
    const uint64_t fields = P310C_ulFieldCacheStamp(), names = P3109_ulReferencedNamesStamp();
    const std::string& process = P3109_State().process;
    if (d.ctx != ctx || d.fieldStamp != fields || d.namesStamp != names || d.lComponentRun != ctx->lComponentRun ||
        d.cDoubleByte != ctx->cDoubleByte || d.process != process) {
        d.byRecord.clear();
        d.ctx = ctx;
        d.fieldStamp = fields;
        d.namesStamp = names;
        d.lComponentRun = ctx->lComponentRun;
        d.cDoubleByte = ctx->cDoubleByte;
        d.process = process;
    }
    return d;
}

/* The look-ups kept for the context, emptied when anything they rest on
** has changed. */
FoundByKey& rememberedFor(FFC_CONTEXT* ctx)
{
    Remembered& r = remembered();
    const uint64_t used = WF_ulKindStamp(ctx, WR_USEFIELD), fields = P310C_ulFieldCacheStamp(),
                   names = P3109_ulReferencedNamesStamp();
    const std::string& process = P3109_State().process;
    if (r.ctx != ctx || r.usedStamp != used || r.fieldStamp != fields || r.namesStamp != names ||
        r.process != process) {
        r.byKey.clear();
        r.ctx = ctx;
        r.usedStamp = used;
        r.fieldStamp = fields;
        r.namesStamp = names;
        r.process = process;
    }
    return r.byKey;
}

bool readUsedField(FFC_CONTEXT* ctx, uint16_t usSlot, const std::string& key, FFC_WORK_RECORD& r)
{
    if (key.empty() || key.size() > FFC_WORK_NAME_LEN)
        return false;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USEFIELD, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, key.data(), key.size());
    return WF_cReadFirst(ctx, usSlot, &r, 2) == '0';
}

/* The name as written, cut at its length and at a terminator, without
** trailing blanks. */
std::string_view writtenName(std::string_view name, size_t ulNameLength)
{
    std::string_view written = name.substr(0, std::min(ulNameLength, name.size()));
    if (const size_t end = written.find('\0'); end != std::string_view::npos)
        written = written.substr(0, end);
    return P3109_TrimmedRight(written);
}

/* The record of the key and what it describes. The key is the name without
** the national character; a record kept under the operand as written (with
** the character) is found too. */
Found describeUsedField(FFC_CONTEXT* ctx, uint16_t usSlot, const std::string& key)
{
    Found found;
    FFC_WORK_RECORD r;
    const char national = ctx->cNatChar1;
    bool read = readUsedField(ctx, usSlot, key, r);
    if (!read && national != ' ')
        read = readUsedField(ctx, usSlot, std::string(1, national) + P3109_CopyUpper(key, key.size()), r);
    if (!read)
        return found;
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    if (d.cGenerate != 'Y')
        return found;
    if (d.cMangled == 'F') {
        found.kind = Found::kMangled;
        auto info = std::make_shared<GEN_FIELD_INFO>();
        info->vectorName = P3109_ResolveFieldVectorName(r);
        info->fMangled = true;
        std::memcpy(&info->lMangledValue, d.acValue, sizeof info->lMangledValue);
        found.info = std::move(info);
        return found;
    }
    found.kind = Found::kDescribed;
    found.info = P3109_DescribeUse(r);
    return found;
}

/* What the name's look-up finds, null without a work file. */
const Found* lookUp(std::string_view name, uint16_t usSlot, size_t ulNameLength, bool fScope, int32_t lScope)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return nullptr;
    const std::string_view written = writtenName(name, ulNameLength);
    const char national = ctx->cNatChar1;
    const bool marked = national != ' ' && !written.empty() && written[0] == national;
    /* the key is the name as written, unless it is made anew here */
    std::string made;
    std::string_view key = written;
    if (marked)
        key = made = P3109_CopyUpper(written.substr(1), written.size());
    else if (written.size() > FFC_WORK_NAME_LEN && dqov::literal::IsQuoted(written))
        key = made = dqov::literal::RecordKey(written); /* a long literal: the name its whole text makes */

    if (fScope && ctx->lComponentRun && !key.empty()) {
        char key50[FFC_WORK_NAME_LEN];
        std::memset(key50, ' ', sizeof key50);
        std::memcpy(key50, key.data(), std::min(key.size(), sizeof key50));
        P31O2_RecordFieldUsage(ctx, WR_USEFIELD, key50, 0, lScope);
        key = made = P3109_TrimRight(std::string_view(key50, sizeof key50));
    }

    FoundByKey& kept = rememberedFor(ctx);
    auto it = kept.find(key);
    if (it == kept.end()) {
        std::string stored(key);
        Found found = describeUsedField(ctx, usSlot, stored);
        it = kept.emplace(std::move(stored), std::move(found)).first;
    }
    return &it->second;
}

}  // namespace

int16_t P3109_sGetUsedField(std::string_view name, uint16_t usSlot, GEN_FIELD_INFO& info, size_t ulNameLength,
                            bool fScope, int32_t lScope)
{
    const Found* f = lookUp(name, usSlot, ulNameLength, fScope, lScope);
    if (!f || f->kind == Found::kMissing)
        return 1;
    if (f->kind == Found::kMangled) {
        info.vectorName = f->info->vectorName;
        info.fMangled = true;
        info.lMangledValue = f->info->lMangledValue;
        return 0;
    }
    info = *f->info;
    return 0;
}

const GEN_FIELD_INFO* P3109_pFindUsedField(std::string_view name, uint16_t usSlot, size_t ulNameLength)
{
    const Found* f = lookUp(name, usSlot, ulNameLength, false, 0);
    return f && f->kind != Found::kMissing ? f->info.get() : nullptr;
}

std::shared_ptr<const GEN_FIELD_INFO> P3109_DescribeUse(const FFC_WORK_RECORD& r)
{
    FFC_CONTEXT* ctx = P3109_Context();
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    if (!ctx) {
        auto info = std::make_shared<GEN_FIELD_INFO>();
        P3109_ResolveOperandName(r, *info);
        info->fMangled = d.cMangled == 'F';
        return info;
    }
    char key[kUseKeyLength];
    std::memcpy(key, r.acName, FFC_WORK_NAME_LEN);
    std::memcpy(key + FFC_WORK_NAME_LEN, r.acData, kUseDataRead);
    key[kUseKeyLength - 1] = d.cMangled;
    Described& kept = describedFor(ctx);
    const std::string_view k(key, sizeof key);
    if (auto it = kept.byRecord.find(k); it != kept.byRecord.end())
        return it->second;
    auto info = std::make_shared<GEN_FIELD_INFO>();
    P3109_ResolveOperandName(r, *info);
    info->fMangled = d.cMangled == 'F';
    /* the resolver reads nothing that changes what is kept: it is kept now */
    describedFor(ctx).byRecord.emplace(std::string(k), info);
    return info;
}

void P3109_ForgetUsedFields()
{
    remembered() = Remembered{};
    described() = Described{};
}

bool P3109_fFindUsedField(std::string_view name, GEN_FIELD_INFO& info, size_t ulWidth)
{
    if (name.empty() || name[0] == ' ')
        return false;
    return P3109_sGetUsedField(name, GEN_SLOT_LOOKUP_INNER, info, ulWidth) == 0;
}

std::string P3109_FieldVector(std::string_view name, size_t ulWidth)
{
    GEN_FIELD_INFO info;
    return P3109_fFindUsedField(name, info, ulWidth) ? info.vectorName : std::string("V_NOT_AVAILABLE");
}

std::string P3109_UsedFieldSymbol(std::string_view name, size_t ulNameLength)
{
    GEN_FIELD_INFO info;
    if (P3109_sGetUsedField(name, GEN_SLOT_LOOKUP_INNER, info, ulNameLength) != 0 || info.vectorName.empty())
        return "V_NOT_AVAILABLE";
    return info.vectorName;
}
