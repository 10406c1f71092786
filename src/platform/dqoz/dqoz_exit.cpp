/*
** DosExit and its replaceable exit hook, and the interruption mark.
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

#ifdef DQOV_COVERAGE
// gcc's coverage run-time: writes the counts gathered so far.
extern "C" void __gcov_dump(void);
#endif

namespace {

std::atomic<DQOZ_EXIT_HOOK> g_exitHook{nullptr};

std::atomic<int> g_interrupt{0};
static_assert(std::atomic<int>::is_always_lock_free, "the interruption mark is set inside signal handlers");

/* Status of a job that could not run. */
constexpr int kCouldNotRun = 2;

/* Ends the process. A result of 0 would tell the shell that the job
** succeeded, yet the library only exits on fatal ends, where the job could
** not run; so 0, and results that an exit status cannot carry, end with
** status 2. */
[[noreturn]] void DefaultExit(unsigned long, unsigned long ulResult)
{
    std::fflush(nullptr);
#ifdef DQOV_COVERAGE
    // _Exit skips the exit handlers that would write the coverage counts.
    __gcov_dump();
#endif
    int status = static_cast<int>(ulResult & 0xFFUL);
    if (status == 0 || ulResult > 0xFFUL)
        status = kCouldNotRun;
    std::_Exit(status);
}

}  // namespace

extern "C" void DosExit(unsigned long ulAction, unsigned long ulResult)
{
    DQOZ_EXIT_HOOK hook = g_exitHook.load();
    if (hook != nullptr)
        hook(ulAction, ulResult);  // may throw; that leaves DosExit
    DefaultExit(ulAction, ulResult);
}

extern "C" DQOZ_EXIT_HOOK DosSetExitHook(DQOZ_EXIT_HOOK pfnHook)
{
    return g_exitHook.exchange(pfnHook);
}

extern "C" void DosNoteInterrupt(int iSignal)
{
    g_interrupt.store(iSignal != 0 ? iSignal : -1);
}

extern "C" int DosQueryInterrupt(void)
{
    return g_interrupt.load();
}
