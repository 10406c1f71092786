// The job's field cache: fields the job defines itself and fields already
// read from the repository's field dictionary.
#include <atomic>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dqov/runcontrol/definitions.h"
#include "runcontrol/definitions_internal.h"
#include "runcontrol/field_cache.h"
#include "runcontrol/rc_internal.h"

namespace {

// A field name (at most ten characters) hashed from the words it fills,
// looked up as it stands, without a string made of it.
struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const noexcept
    {
        if (name.size() > 16)
            return std::hash<std::string_view>{}(name);
        uint64_t w[2] = {0, 0};
        std::memcpy(w, name.data(), name.size());
        const uint64_t h = (w[0] * 0x9E3779B97F4A7C15ULL ^ w[1] ^ name.size()) * 0xC2B2AE3D27D4EB4FULL;
        return static_cast<size_t>(h ^ h >> 29);
    }
};

}  // namespace

// Hashed by name: a check looks fields up many thousand times; entries keep
// their place when the table grows, so a returned entry stays valid.
struct FFC_FIELD_CACHE {
    std::unordered_map<std::string, defs::CachedField, NameHash, std::equal_to<>> fields;
};

namespace {

// Definitions put into or caches released (P310C_ulFieldCacheStamp); a
// dictionary field entering the cache changes no answer.
std::atomic<uint64_t> changeStamp{0};

void changed()
{
    changeStamp.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

namespace defs {

CachedField* FindCachedField(FFC_CONTEXT* ctx, std::string_view name)
{
    if (!ctx || !ctx->pFieldCache)
        return nullptr;
    auto it = ctx->pFieldCache->fields.find(name);
    return it == ctx->pFieldCache->fields.end() ? nullptr : &it->second;
}

CachedField* CacheField(FFC_CONTEXT* ctx, const std::string& name, const CachedField& field)
{
    if (!ctx)
        return nullptr;
    try {
        if (!ctx->pFieldCache)
            ctx->pFieldCache = std::make_unique<FFC_FIELD_CACHE>().release();
        CachedField& stored = ctx->pFieldCache->fields[name];
        stored = field;
        return &stored;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void FreeFieldCache(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return;
    changed();
    std::unique_ptr<FFC_FIELD_CACHE> owned(ctx->pFieldCache);
    ctx->pFieldCache = nullptr;
}

}  // namespace defs

extern "C" int16_t Put_Function_Field(FFC_CONTEXT* ctx, char kind, const FFC_FIELD_DEFINITION* def,
                                      const FFC_FIELD_TEXT* text)
{
    if (!ctx || !def)
        return -1;
    changed();
    defs::CachedField f;
    f.kind = kind == 'C' ? 'C' : 'F';
    f.def = *def;
    if (text)
        f.text = *text;
    else
        std::memset(&f.text, ' ', sizeof f.text);
    const std::string name = rc::Trimmed(def->acName, 10);
    if (const defs::CachedField* before = defs::FindCachedField(ctx, name)) {
        f.dictionary = before->dictionary;
        f.dictionaryDefault = before->dictionaryDefault;
    }
    return defs::CacheField(ctx, name, f) != nullptr ? 0 : -9;
}

extern "C" uint64_t P310C_ulFieldCacheStamp(void)
{
    return changeStamp.load(std::memory_order_relaxed);
}
