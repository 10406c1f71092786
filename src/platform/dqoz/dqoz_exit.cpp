/*
** DosExit and its replaceable exit hook.
**
** Every fatal end of the library comes here. Tests install a hook that throws
** so that fatal paths can be followed in-process; the default hook ends the
** process at once, after flushing the C streams so that the fatal text that
** was just shown is not lost.
*/
#include "platform/dqoz/dqoz.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

std::atomic<DQOZ_EXIT_HOOK> g_exitHook{nullptr};

/* Ends the process. A result of 0 would tell the shell that the job
** succeeded, yet the library only exits on fatal ends; so 0, and results that
** an exit status cannot carry, end with status 1. */
[[noreturn]] void DefaultExit(unsigned long, unsigned long ulResult)
{
    std::fflush(nullptr);
    int status = static_cast<int>(ulResult & 0xFFUL);
    if (status == 0 || ulResult > 0xFFUL)
        status = 1;
    std::_Exit(status);
}

} // namespace

extern "C" void DosExit(unsigned long ulAction, unsigned long ulResult)
{
    DQOZ_EXIT_HOOK hook = g_exitHook.load();
    if (hook != nullptr)
        hook(ulAction, ulResult);   // may throw; that leaves DosExit
    DefaultExit(ulAction, ulResult);
}

extern "C" DQOZ_EXIT_HOOK DosSetExitHook(DQOZ_EXIT_HOOK pfnHook)
{
    return g_exitHook.exchange(pfnHook);
}
