// Window messages between threads: posting order, synchronous sends from
// either thread and between two threads, peeking with filters, and windows
// destroyed under waiting senders. (The painter and progress protocols built
// on them are tested with run control.)
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

// Runs the owner's message loop until the end message arrives.
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

TEST(Winmsg, PostsKeepTheirOrderAndSendsAnswerFromEitherThread)
{
    Recorder rec;
    HWND a = WIN_CreateWindow(RecordingProc, &rec);
    HWND b = WIN_CreateWindow(RecordingProc, &rec);
    EXPECT_EQ(WIN_SendMessage(a, WM_USER + 5, 20, 1), 41);  // owner: a direct call
    std::atomic<LRESULT> fromWorker{-1};
    std::thread poster([&] {
        for (WPARAM i = 0; i < 100; ++i)
            WIN_PostMessage(i % 3 == 0 ? b : a, WM_USER + 1, i, 0);
        fromWorker = WIN_SendMessage(a, WM_USER + 6, 100, 3);  // runs inside the owner's loop
        WIN_PostMessage(a, kEnd, 0, 0);
    });
    PumpUntilEnd();
    poster.join();
    EXPECT_EQ(fromWorker.load(), 203);
    std::vector<WPARAM> posted;
    for (const auto& [msg, wParam] : rec.seen)
        if (msg == WM_USER + 1)
            posted.push_back(wParam);
    ASSERT_EQ(posted.size(), 100u);
    for (WPARAM i = 0; i < 100; ++i)
        EXPECT_EQ(posted[i], i);
    EXPECT_EQ(rec.seen.size(), 103u);  // with the two sends and the end message
    WIN_DestroyWindow(a);
    WIN_DestroyWindow(b);
}

struct Pair {
    HWND mainWindow = nullptr;
    std::atomic<HWND> workerWindow{nullptr};
};
Pair* g_pair = nullptr;

// The main window answers by asking the worker's window, whose owner is
// itself blocked in a send to the main window.
LRESULT ForwardingProc(HWND, unsigned int msg, WPARAM wParam, LPARAM)
{
    return msg == WM_USER + 7 ? WIN_SendMessage(g_pair->workerWindow.load(), WM_USER + 8, wParam, 0) + 1 : 0;
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
    std::atomic<LRESULT> result{0};
    std::thread worker([&] {
        pair.workerWindow = WIN_CreateWindow(DoublingProc, nullptr);
        result = WIN_SendMessage(pair.mainWindow, WM_USER + 7, 21, 0);
        WIN_DestroyWindow(pair.workerWindow.load());
        WIN_PostMessage(endWindow, kEnd, 0, 0);
    });
    PumpUntilEnd();
    worker.join();
    EXPECT_EQ(result.load(), 43);
    WIN_DestroyWindow(pair.mainWindow);
    WIN_DestroyWindow(endWindow);
    g_pair = nullptr;
}

TEST(Winmsg, PeekFiltersAndDestroyedWindows)
{
    Recorder rec;
    HWND a = WIN_CreateWindow(RecordingProc, &rec);
    HWND b = WIN_CreateWindow(RecordingProc, &rec);
    WIN_MSG msg;
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 0);
    WIN_PostMessage(a, WM_USER + 1, 1, 0);
    WIN_PostMessage(b, WM_USER + 2, 2, 0);
    WIN_PostMessage(a, WM_USER + 3, 3, 0);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE) * 10 + msg.wParam, 11u);
    EXPECT_EQ(WIN_PeekMessage(&msg, b, 0, 0, PM_REMOVE) * 10 + msg.wParam, 12u);                            // by window
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, WM_USER + 3, WM_USER + 3, PM_REMOVE) * 10 + msg.wParam, 13u);  // by number
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE) * 10 + msg.wParam, 11u);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 0);
    EXPECT_EQ(WIN_DispatchMessage(&msg), 2);  // the last message taken, to its procedure

    // Another thread's messages are not visible here.
    HWND other = nullptr;
    std::thread t([&] { other = WIN_CreateWindow(RecordingProc, &rec); });
    t.join();
    WIN_PostMessage(other, WM_USER + 4, 4, 0);
    EXPECT_EQ(WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE), 0);
    EXPECT_EQ(WIN_GetMessage(&msg, other, 0, 0), -1);
    WIN_PostMessage(a, WM_QUIT, 0, 0);
    EXPECT_EQ(WIN_GetMessage(&msg, a, 0, 0), 0);

    // A destroyed window takes nothing and releases a waiting sender with 0.
    std::atomic<LRESULT> result{-1};
    std::thread sender([&] { result = WIN_SendMessage(b, WM_USER + 1, 50, 0); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    rec.seen.clear();
    EXPECT_EQ(WIN_DestroyWindow(b), 1);
    sender.join();
    EXPECT_EQ(result.load(), 0);
    EXPECT_TRUE(rec.seen.empty());
    EXPECT_EQ(WIN_DestroyWindow(b), 0);
    EXPECT_EQ(WIN_PostMessage(b, WM_USER, 0, 0) + WIN_SendMessage(b, WM_USER, 0, 0) + WIN_IsWindow(b), 0);
    EXPECT_EQ(WIN_IsWindow(a), 1);
    WIN_DestroyWindow(a);
    WIN_DestroyWindow(other);
    EXPECT_EQ(WIN_CreateWindow(nullptr, nullptr), nullptr);
}

}  // namespace
