// DosExit hands both arguments to the installed hook; the default ends the
// process with the status of a job that could not run.
#include "platform/dqoz/dqoz.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

struct ExitCalled {
    unsigned long action;
    unsigned long result;
};

void ThrowingHook(unsigned long action, unsigned long result)
{
    throw ExitCalled{action, result};
}

int g_returningHookCalls = 0;
void ReturningHook(unsigned long, unsigned long)
{
    ++g_returningHookCalls;
}

TEST(DqozExit, HookReceivesActionAndResult)
{
    EXPECT_EQ(DosSetExitHook(ThrowingHook), nullptr);
    try {
        DosExit(1, 0);
        ADD_FAILURE() << "DosExit returned";
    } catch (const ExitCalled& e) {
        EXPECT_EQ(e.action, 1UL);
        EXPECT_EQ(e.result, 0UL);
    }
    EXPECT_EQ(DosSetExitHook(nullptr), &ThrowingHook);
}

TEST(DqozExitDeathTest, DefaultHookEndsTheProcessWithCouldNotRunStatus)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(DosExit(1, 0), ::testing::ExitedWithCode(2), "");
    EXPECT_EXIT(DosExit(1, 3), ::testing::ExitedWithCode(3), "");
    // A hook that returns does not keep the process alive.
    EXPECT_EXIT((DosSetExitHook(ReturningHook), DosExit(1, 0)), ::testing::ExitedWithCode(2), "");
}

}  // namespace
