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
#include "params/fixed_text.h"
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
** record: the fields of its data it reads (useKey), the mangled mark and
** the name without its trailing blanks. A record of the same bytes is
** described alike while the field definitions, the names that keep exact
** decimal arithmetic, the generation's process and the context's settings
** stay as they are. A description is found here while anyone holds it (a
** look-up by name keeps what it found, the field vector its entries): the
** look-ups and the walks over the records (the field vector, first values,
** releases) describe the same records several times a generation, and
** what nobody holds any more takes no room. */
/* The data fields the resolver reads: the usage class to the qualified
** name, the value item and load kind, the line of the first use and the
** element part of the array data (the first use's command name and the
** use count are not read). */
constexpr size_t kUseHeadEnd = offsetof(WR_USEFIELD_DATA, acFirstLine) + sizeof(WR_USEFIELD_DATA::acFirstLine);
constexpr size_t kUseArrayAt = offsetof(WR_USEFIELD_DATA, acArrayData);
constexpr size_t kUseKeyFixed = kUseHeadEnd + sizeof(WR_ARRAY_ELEMENT_DATA) + 1;
constexpr size_t kUseKeyLength = kUseKeyFixed + FFC_WORK_NAME_LEN;

/* The key of a record put into `key`; its length. */
size_t useKey(const FFC_WORK_RECORD& r, char (&key)[kUseKeyLength])
{
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    std::memcpy(key, r.acData, kUseHeadEnd);
    std::memcpy(key + kUseHeadEnd, r.acData + kUseArrayAt, sizeof(WR_ARRAY_ELEMENT_DATA));
    key[kUseKeyFixed - 1] = d.cMangled;
    /* the name without its trailing blanks (only blanks: it is read whole),
       passed a word at a time (a name is mostly blank) */
    size_t n = dqov::text::BeforeBlankWords(r.acName, FFC_WORK_NAME_LEN);
    while (n > 0 && r.acName[n - 1] == ' ')
        --n;
    std::memcpy(key + kUseKeyFixed, r.acName, n);
    return kUseKeyFixed + n;
}

/* A record's key with its hash, worked out once: a description is looked
** up by it, entered under it and dropped by it. */
struct HashedKey {
    std::string_view text;
    size_t hash;
    bool operator==(const HashedKey& other) const { return text == other.text; }
};

struct HashedKeyHash {
    size_t operator()(const HashedKey& k) const noexcept { return k.hash; }
};

HashedKey hashedKey(std::string_view text)
{
    return {text, std::hash<std::string_view>{}(text)};
}

/* A description with the key it is found by, held in one allocation with
** its count of holders (std::make_shared); when the last holder lets it go
** its entry is dropped. */
struct DescribedUse {
    GEN_FIELD_INFO info;
    size_t hash = 0;
    uint16_t usKeyLength = 0;
    char key[kUseKeyLength];

    explicit DescribedUse(const HashedKey& k) : hash(k.hash), usKeyLength(static_cast<uint16_t>(k.text.size()))
    {
        std::memcpy(key, k.text.data(), k.text.size());
    }
    DescribedUse(const DescribedUse&) = delete;
    DescribedUse& operator=(const DescribedUse&) = delete;
    ~DescribedUse();
    HashedKey Key() const { return {{key, usKeyLength}, hash}; }
};

struct Described {
    const FFC_CONTEXT* ctx = nullptr;
    uint64_t fieldStamp = 0, namesStamp = 0;
    int32_t lComponentRun = 0;
    char cDoubleByte = ' ';
    std::string process;
    /* the descriptions held, by their keys (which they hold) */
    std::unordered_map<HashedKey, std::weak_ptr<DescribedUse>, HashedKeyHash> byRecord;
};

/* Never destroyed: a description a static holds is released after it. */
Described& described()
{
    static Described* d = new Described;
    return *d;
}

/* A description nobody holds any more drops its entry (its memory goes
** with the entry's weak reference). */
DescribedUse::~DescribedUse()
{
    auto& byRecord = described().byRecord;
    /* an entry of the key made after the description's was dropped is
       another description's */
    if (auto it = byRecord.find(Key()); it != byRecord.end() && it->second.expired())
        byRecord.erase(it);
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
    return P3109_TrimmedField(written);
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

std::shared_ptr<const GEN_FIELD_INFO> P3109_HoldUsedField(std::string_view name, uint16_t usSlot, size_t ulNameLength)
{
    const Found* f = lookUp(name, usSlot, ulNameLength, false, 0);
    return f && f->kind != Found::kMissing ? f->info : nullptr;
}

std::shared_ptr<const GEN_FIELD_INFO> P3109_DescribeUse(const FFC_WORK_RECORD& r)
{
    FFC_CONTEXT* ctx = P3109_Context();
    const WR_USEFIELD_DATA& d = P3109_UsedFieldData(r);
    if (!ctx) {
        auto info = std::make_shared<GEN_FIELD_INFO>();
        P3109_ResolveNewOperandName(r, *info);
        info->fMangled = d.cMangled == 'F';
        return info;
    }
    char key[kUseKeyLength];
    const HashedKey k = hashedKey(std::string_view(key, useKey(r, key)));
    if (auto it = describedFor(ctx).byRecord.find(k); it != described().byRecord.end())
        if (std::shared_ptr<DescribedUse> held = it->second.lock())
            return std::shared_ptr<const GEN_FIELD_INFO>(held, &held->info);
    auto use = std::make_shared<DescribedUse>(k);
    P3109_ResolveNewOperandName(r, use->info);
    use->info.fMangled = d.cMangled == 'F';
    /* the resolver changes nothing the descriptions rest on: it is entered now */
    auto& byRecord = described().byRecord;
    if (auto [at, entered] = byRecord.try_emplace(use->Key(), use); !entered) {
        /* an entry left is one of a description released: its key is that
           description's, so the entry is made anew */
        byRecord.erase(at);
        byRecord.emplace(use->Key(), use);
    }
    return std::shared_ptr<const GEN_FIELD_INFO>(use, &use->info);
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

const GEN_FIELD_INFO* P3109_pFindOperandField(std::string_view name, size_t ulWidth)
{
    if (name.empty() || name[0] == ' ')
        return nullptr;
    return P3109_pFindUsedField(name, GEN_SLOT_LOOKUP_INNER, ulWidth);
}

std::shared_ptr<const GEN_FIELD_INFO> P3109_HoldOperandField(std::string_view name, size_t ulWidth)
{
    if (name.empty() || name[0] == ' ')
        return nullptr;
    return P3109_HoldUsedField(name, GEN_SLOT_LOOKUP_INNER, ulWidth);
}

std::string P3109_FieldVector(std::string_view name, size_t ulWidth)
{
    const GEN_FIELD_INFO* info = P3109_pFindOperandField(name, ulWidth);
    return info ? info->vectorName : std::string("V_NOT_AVAILABLE");
}

std::string P3109_UsedFieldSymbol(std::string_view name, size_t ulNameLength)
{
    const GEN_FIELD_INFO* info = P3109_pFindUsedField(name, GEN_SLOT_LOOKUP_INNER, ulNameLength);
    if (!info || info->vectorName.empty())
        return "V_NOT_AVAILABLE";
    return info->vectorName;
}
