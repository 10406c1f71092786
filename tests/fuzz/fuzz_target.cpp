// The registry of the fuzz targets and the guard against the library's
// fatal end.
#include "fuzz_target.h"

#include "platform/dqoz/dqoz.h"

namespace dqov_fuzz {

namespace {

struct FatalEnd {};

void ThrowAtExit(unsigned long, unsigned long)
{
    throw FatalEnd{};
}

}  // namespace

std::vector<std::pair<std::string, TargetFunction>>& Targets()
{
    static std::vector<std::pair<std::string, TargetFunction>> targets;
    return targets;
}

TargetFunction FindTarget(std::string_view name)
{
    for (const auto& [n, f] : Targets())
        if (n == name)
            return f;
    return nullptr;
}

bool RunGuarded(void (*f)(void*), void* user)
{
    DQOZ_EXIT_HOOK previous = DosSetExitHook(ThrowAtExit);
    bool ended = true;
    try {
        f(user);
    } catch (const FatalEnd&) {
        ended = false;
    }
    DosSetExitHook(previous);
    return ended;
}

}  // namespace dqov_fuzz
