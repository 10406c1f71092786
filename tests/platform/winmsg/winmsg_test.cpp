// Window messages between threads: posting order, synchronous sends, peeking
// with filters, and windows destroyed under waiting senders.
#include "platform/winmsg/winmsg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

constexpr unsigned int kEnd = WM_USER + 99;

struct Recorder {
    std::mutex mutex;
    std::vector<std::pair<unsigned int, WPARAM>> seen;
};

LRESULT RecordingProc(HWND hwnd, unsigned int msg, WPARAM wParam, LPARAM lParam)
{
    auto* r = static_cast<Recorder*>(WIN_GetWindowData(hwnd));
    std::lock_guard lock(r->mutex);
    r->seen.emplace_back(msg, wParam);
    return static_cast<LRESULT>(wParam) * 2 + lParam;
}

/* Runs the owner's message loop until the end message arrives. */
void PumpUntilEnd()
{
    WIN_MSG msg;
    while (WIN_GetMessage(&msg, nullptr, 0, 0) > 0) {
        if (WIN_TranslateAccelerator(msg.hwnd, nullptr, &msg) == 0)
            WIN_DispatchMessage(&msg);
        if (msg.message == kEnd)
            return;
    }
}

TEST(Winmsg, MessagesPostedFromAnotherThreadAreDispatchedInOrder)
{
    Recorder rec;
    HWND a = WIN_CreateWindow(RecordingProc, &rec);
    HWND b = WIN_CreateWindow(RecordingProc, &rec);
    ASSERT_NE(a, nullptr);
    std::thread poster([&] {
        for (WPARAM i = 0; i < 200; ++i)
            WIN_PostMessage(i % 3 == 0 ? b : a, WM_USER + 1 + static_cast<unsigned>(i % 16), i, 0);
        WIN_PostMessage(a, kEnd, 0, 0);
    });
    PumpUntilEnd();
    poster.join();
    ASSERT_EQ(rec.seen.size(), 201u);
    for (WPARAM i = 0; i < 200; ++i) {
        EXPECT_EQ(rec.seen[i].first, WM_USER + 1 + i % 16);
        EXPECT_EQ(rec.seen[i].second, i);
    }
    WIN_DestroyWindow(a);
    WIN_DestroyWindow(b);
}

TEST(Winmsg, SendReturnsTheProcedureResultFromEitherThread)
{
    Recorder rec;
    HWND w = WIN_CreateWindow(RecordingProc, &rec);
    EXPECT_EQ(WIN_SendMessage(w, WM_USER + 5, 20, 1), 41);   // owner: direct call
    std::atomic<LRESULT> fromWorker{-1};
    std::thread worker([&] {
        fromWorker = WIN_SendMessage(w, WM_USER + 6, 100, 3);
        WIN_PostMessage(w, kEnd, 0, 0);
    });
    PumpUntilEnd();
    worker.join();
    EXPECT_EQ(fromWorker.load(), 203);
    ASSERT_EQ(rec.seen.size(), 3u);
    EXPECT_EQ(rec.seen[1].first, WM_USER + 6u);   // ran inside the owner's loop
    WIN_DestroyWindow(w);
}

struct Pair {
    HWND mainWindow = nullptr;
    std::atomic<HWND> workerWindow{nullptr};
    std::atomic<LRESULT> result{0};
};
Pair* g_pair = nullptr;

LRESULT ForwardingProc(HWND, unsigned int msg, WPARAM wParam, LPARAM)
{
    // The main window answers by asking the worker's window, whose owner is
    // itself blocked in a send to us.
    if (msg == WM_USER + 7)
        return WIN_SendMessage(g_pair->workerWindow.load(), WM_USER + 8, wParam, 0) + 1;
    return 0;
}

LRESULT DoublingProc(HWND, unsigned int, WPARAM wParam, LPARAM)
{
    return static_cast<LRESULT>(wParam) * 2;
}

TEST(Winmsg, TwoThreadsSendingToEachOtherDoNotLockUp)
{
    Pair pair;
    g_pair = &pair;
    pair.mainWindow = WIN_CreateWindow(ForwardingProc, nullptr);
    Recorder endRec;
    HWND endWindow = WIN_CreateWindow(RecordingProc, &endRec);
    std::thread worker([&] {
        pair.workerWindow = WIN_CreateWindow(DoublingProc, nullptr);
        pair.result = WIN_SendMessage(pair.mainWindow, WM_USER + 7, 21, 0);
        WIN_DestroyWindow(pair.workerWindow.load());
        WIN_PostMessage(endWindow, kEnd, 0, 0);
    });
    PumpUntilEnd();
    worker.join();
    EXPECT_EQ(pair.result.load(), 43);
    WIN_DestroyWindow(pair.mainWindow);
    WIN_DestroyWindow(endWindow);
    g_pair = nullptr;
}

TEST(Winmsg, PeekFiltersAndKeepsOrRemoves)
{
    Recorder rec;
    HWND a = WIN_CreateWindow(RecordingProc, &rec);
    HWND b = WIN_CreateWindow(RecordingProc, &rec);
    WIN_MSG msg;
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 0);
    WIN_PostMessage(a, WM_USER + 1, 1, 0);
    WIN_PostMessage(b, WM_USER + 2, 2, 0);
    WIN_PostMessage(a, WM_USER + 3, 3, 0);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE), 1);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(WIN_PeekMessage(&msg, b, 0, 0, PM_REMOVE), 1);       // by window
    EXPECT_EQ(msg.wParam, 2u);
    EXPECT_EQ(msg.hwnd, b);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE), 1);   // by number
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 1);
    EXPECT_EQ(msg.wParam, 1u);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 0);
    EXPECT_EQ(WIN_DispatchMessage(&msg), 2);   // the last message taken, to its procedure

    // Another thread's messages are not visible here.
    HWND other = nullptr;
    std::thread t([&] { other = WIN_CreateWindow(RecordingProc, &rec); });
    t.join();
    WIN_PostMessage(other, WM_USER + 4, 4, 0);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 0);
    EXPECT_EQ(WIN_GetMessage(&msg, other, 0, 0), -1);

    WIN_PostMessage(a, WM_QUIT, 0, 0);
    EXPECT_EQ(WIN_GetMessage(&msg, a, 0, 0), 0);
    EXPECT_EQ(WIN_DestroyWindow(a), 1);
    EXPECT_EQ(WIN_DestroyWindow(a), 0);
    EXPECT_EQ(WIN_PostMessage(a, WM_USER, 0, 0), 0);
    EXPECT_EQ(WIN_SendMessage(a, WM_USER, 0, 0), 0);
    EXPECT_EQ(WIN_IsWindow(a), 0);
    EXPECT_EQ(WIN_IsWindow(b), 1);
    WIN_DestroyWindow(b);
    WIN_DestroyWindow(other);
    EXPECT_EQ(WIN_CreateWindow(nullptr, nullptr), nullptr);
}

TEST(Winmsg, DestroyingAWindowReleasesAWaitingSender)
{
    Recorder rec;
    HWND w = WIN_CreateWindow(RecordingProc, &rec);
    std::atomic<LRESULT> result{-1};
    std::thread sender([&] { result = WIN_SendMessage(w, WM_USER + 1, 50, 0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    WIN_DestroyWindow(w);   // never pumped: the sender gets 0
    sender.join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_TRUE(rec.seen.empty());
}

} // namespace
