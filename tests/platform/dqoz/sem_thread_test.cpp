// Event semaphores across threads, and BeginThread / DosWaitThread.
#include "platform/dqoz/dqoz.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

struct Exchange {
    HEV ready = nullptr;
    HEV release = nullptr;
    std::atomic<int> step{0};
};

void Worker(void* arg)
{
    auto* x = static_cast<Exchange*>(arg);
    x->step = 1;
    DosPostEventSem(x->ready);
    if (DosWaitEventSem(x->release, DQOZ_SEM_INDEFINITE_WAIT) == DQOZ_NO_ERROR)
        x->step = 2;
}

TEST(DqozSem, PostBeforeWaitIsNotLostAndResetCountsPosts)
{
    HEV ev = nullptr;
    ASSERT_EQ(DosCreateEventSem(nullptr, &ev, 0, 0), DQOZ_NO_ERROR);
    EXPECT_EQ(DosWaitEventSem(ev, 0), DQOZ_ERROR_TIMEOUT);
    EXPECT_EQ(DosPostEventSem(ev), DQOZ_NO_ERROR);
    EXPECT_EQ(DosPostEventSem(ev), DQOZ_ERROR_ALREADY_POSTED);
    EXPECT_EQ(DosWaitEventSem(ev, DQOZ_SEM_INDEFINITE_WAIT), DQOZ_NO_ERROR);
    EXPECT_EQ(DosWaitEventSem(ev, 0), DQOZ_NO_ERROR);  // the wait does not reset it
    unsigned long posts = 0;
    EXPECT_EQ(DosResetEventSem(ev, &posts), DQOZ_NO_ERROR);
    EXPECT_EQ(posts, 2UL);
    EXPECT_EQ(DosResetEventSem(ev, &posts), DQOZ_ERROR_ALREADY_RESET);
    EXPECT_EQ(posts, 0UL);
    EXPECT_EQ(DosWaitEventSem(ev, 0), DQOZ_ERROR_TIMEOUT);
    EXPECT_EQ(DosCloseEventSem(ev), DQOZ_NO_ERROR);
    EXPECT_EQ(DosPostEventSem(ev), DQOZ_ERROR_INVALID_HANDLE);
    EXPECT_EQ(DosWaitEventSem(nullptr, 0), DQOZ_ERROR_INVALID_HANDLE);
}

TEST(DqozSem, WaitWithTimeoutRunsOutThenSucceedsAfterPost)
{
    HEV ev = nullptr;
    ASSERT_EQ(DosCreateEventSem("timeout", &ev, 0, 0), DQOZ_NO_ERROR);
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(DosWaitEventSem(ev, 50), DQOZ_ERROR_TIMEOUT);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(45));
    HEV initiallyPosted = nullptr;
    ASSERT_EQ(DosCreateEventSem(nullptr, &initiallyPosted, 0, 1), DQOZ_NO_ERROR);
    EXPECT_EQ(DosWaitEventSem(initiallyPosted, 0), DQOZ_NO_ERROR);
    DosCloseEventSem(initiallyPosted);
    DosCloseEventSem(ev);
}

TEST(DqozSem, TwoThreadsHandOverThroughEvents)
{
    Exchange x;
    ASSERT_EQ(DosCreateEventSem(nullptr, &x.ready, 0, 0), DQOZ_NO_ERROR);
    ASSERT_EQ(DosCreateEventSem(nullptr, &x.release, 0, 0), DQOZ_NO_ERROR);
    long tid = BeginThread(Worker, &x, 65536);
    ASSERT_GT(tid, 0);
    ASSERT_EQ(DosWaitEventSem(x.ready, 5000), DQOZ_NO_ERROR);
    EXPECT_EQ(x.step.load(), 1);
    // The worker stays blocked until released.
    EXPECT_EQ(DosWaitEventSem(x.release, 20), DQOZ_ERROR_TIMEOUT);
    EXPECT_EQ(x.step.load(), 1);
    DosPostEventSem(x.release);
    EXPECT_EQ(DosWaitThread(tid), DQOZ_NO_ERROR);
    EXPECT_EQ(x.step.load(), 2);
    EXPECT_EQ(DosWaitThread(tid), DQOZ_ERROR_INVALID_HANDLE);
    DosCloseEventSem(x.ready);
    DosCloseEventSem(x.release);
}

void CloseLater(void* arg)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    DosCloseEventSem(*static_cast<HEV*>(arg));
}

TEST(DqozSem, ClosingWakesAWaiter)
{
    HEV ev = nullptr;
    ASSERT_EQ(DosCreateEventSem(nullptr, &ev, 0, 0), DQOZ_NO_ERROR);
    long tid = BeginThread(CloseLater, &ev, 0);
    EXPECT_EQ(DosWaitEventSem(ev, 5000), DQOZ_ERROR_INVALID_HANDLE);
    DosWaitThread(tid);
}

}  // namespace
