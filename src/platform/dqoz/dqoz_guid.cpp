/*
** DosCreateGuid: random identifiers, or a fixed sequence from a seed so that
** generated project files come out the same on every run.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>

namespace {

struct GuidSource {
    std::mutex mutex;
    bool explicitSeed = false;  // set by DosSetGuidSeed
    std::string envSeed;        // DQOV_GUID_SEED text the state was started from
    uint64_t state = 0;
};

GuidSource g_source;

/* splitmix64: a small, well-mixed sequence; each seed gives its own. */
uint64_t NextFromSeed(uint64_t& state)
{
    uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

bool ParseSeed(const char* text, uint64_t& seed)
{
    if (text == nullptr || *text == '\0')
        return false;
    char* end = nullptr;
    errno = 0;
    unsigned long long v = std::strtoull(text, &end, 0);
    if (errno != 0 || end == text || *end != '\0')
        return false;
    seed = v;
    return true;
}

}  // namespace

extern "C" unsigned long DosCreateGuid(DQOZ_GUID* pGuid)
{
    if (pGuid == nullptr)
        return dqoz::Fail(DQOZ_ERROR_INVALID_PARAMETER, "no place for the identifier");
    uint64_t hi, lo;
    {
        std::lock_guard lock(g_source.mutex);
        bool seeded = g_source.explicitSeed;
        if (!seeded) {
            const char* env = std::getenv("DQOV_GUID_SEED");
            uint64_t seed;
            if (ParseSeed(env, seed)) {
                if (g_source.envSeed != env) {
                    g_source.envSeed = env;
                    g_source.state = seed;
                }
                seeded = true;
            } else {
                g_source.envSeed.clear();
            }
        }
        if (seeded) {
            hi = NextFromSeed(g_source.state);
            lo = NextFromSeed(g_source.state);
        } else {
            std::random_device rd;
            hi = (uint64_t{rd()} << 32) | rd();
            lo = (uint64_t{rd()} << 32) | rd();
        }
    }
    // Version 4 and the RFC 4122 variant, as random identifiers carry them.
    hi = (hi & ~0xF000ULL) | 0x4000ULL;
    lo = (lo & ~(0xC0ULL << 56)) | (0x80ULL << 56);
    pGuid->data1 = static_cast<uint32_t>(hi >> 32);
    pGuid->data2 = static_cast<uint16_t>(hi >> 16);
    pGuid->data3 = static_cast<uint16_t>(hi);
    for (int i = 0; i < 8; ++i)
        pGuid->data4[i] = static_cast<uint8_t>(lo >> (56 - 8 * i));
    return DQOZ_NO_ERROR;
}

extern "C" void DosSetGuidSeed(int fUse, uint64_t ullSeed)
{
    std::lock_guard lock(g_source.mutex);
    g_source.explicitSeed = fUse != 0;
    g_source.state = ullSeed;
    g_source.envSeed.clear();
}
