// The two ways the library talks to other threads through window messages:
// a progress window run by its own thread and coordinated with three events,
// and a painter that answers posted requests through a shared block and an
// event while the requester keeps dispatching messages.
#include "platform/dqoz/dqoz.h"
#include "platform/winmsg/winmsg.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// ---- progress window ------------------------------------------------------

constexpr unsigned int kProgressStep = WM_USER + 1;
constexpr unsigned int kProgressClose = WM_USER + 2;

struct Progress {
    HEV ready = nullptr;
    HEV release = nullptr;
    HEV done = nullptr;
    std::atomic<HWND> window{nullptr};
    std::vector<WPARAM> steps;   // touched by the progress thread only until done
};

LRESULT ProgressProc(HWND hwnd, unsigned int msg, WPARAM wParam, LPARAM)
{
    auto* p = static_cast<Progress*>(WIN_GetWindowData(hwnd));
    if (msg == kProgressStep)
        p->steps.push_back(wParam);
    return static_cast<LRESULT>(p->steps.size());
}

void ProgressThread(void* arg)
{
    auto* p = static_cast<Progress*>(arg);
    p->window = WIN_CreateWindow(ProgressProc, p);
    DosPostEventSem(p->ready);
    WIN_MSG msg;
    while (WIN_GetMessage(&msg, nullptr, 0, 0) > 0 && msg.message != kProgressClose)
        WIN_DispatchMessage(&msg);
    DosWaitEventSem(p->release, DQOZ_SEM_INDEFINITE_WAIT);
    WIN_DestroyWindow(p->window.load());
    DosPostEventSem(p->done);
}

TEST(WinmsgProtocol, ProgressThreadWithThreeEvents)
{
    Progress p;
    ASSERT_EQ(DosCreateEventSem(nullptr, &p.ready, 0, 0), DQOZ_NO_ERROR);
    ASSERT_EQ(DosCreateEventSem(nullptr, &p.release, 0, 0), DQOZ_NO_ERROR);
    ASSERT_EQ(DosCreateEventSem(nullptr, &p.done, 0, 0), DQOZ_NO_ERROR);
    long tid = BeginThread(ProgressThread, &p, 0);
    ASSERT_GT(tid, 0);
    ASSERT_EQ(DosWaitEventSem(p.ready, 5000), DQOZ_NO_ERROR);
    HWND w = p.window.load();
    // A send is answered before the call returns; posted steps follow in order.
    EXPECT_EQ(WIN_SendMessage(w, kProgressStep, 1, 0), 1);
    WIN_PostMessage(w, kProgressStep, 2, 0);
    WIN_PostMessage(w, kProgressStep, 3, 0);
    WIN_PostMessage(w, kProgressClose, 0, 0);
    DosPostEventSem(p.release);
    ASSERT_EQ(DosWaitEventSem(p.done, 5000), DQOZ_NO_ERROR);
    EXPECT_EQ(DosWaitThread(tid), DQOZ_NO_ERROR);
    EXPECT_EQ(p.steps, (std::vector<WPARAM>{1, 2, 3}));
    EXPECT_EQ(WIN_IsWindow(w), 0);
    DosCloseEventSem(p.ready);
    DosCloseEventSem(p.release);
    DosCloseEventSem(p.done);
}

// ---- painter exchange -----------------------------------------------------

constexpr unsigned int kPainterCommand = WM_USER + 1;
constexpr unsigned int kPainterQuit = WM_USER + 16;
constexpr unsigned int kBusy = WM_USER + 19;

struct Block {
    HEV answered = nullptr;
    HWND painter = nullptr;     // the painter's window
    HWND requester = nullptr;   // a window of the requesting thread
    int request = 0;
    int reply = 0;
    std::atomic<int> busyNotes{0};
};

LRESULT RequesterProc(HWND, unsigned int msg, WPARAM, LPARAM lParam)
{
    if (msg == kBusy)
        ++reinterpret_cast<Block*>(lParam)->busyNotes;
    return 0;
}

// The scripted painter: answers each command with request * 10, telling the
// requester first (by a sent message) that it is busy.
LRESULT PainterProc(HWND hwnd, unsigned int msg, WPARAM, LPARAM lParam)
{
    auto* b = reinterpret_cast<Block*>(lParam);
    if (msg == kPainterCommand) {
        WIN_SendMessage(b->requester, kBusy, 0, lParam);
        b->reply = b->request * 10;
        DosPostEventSem(b->answered);
    }
    return 0;
}

/* Posts a request and waits for the block's event while dispatching the
** requesting thread's messages, then resets the event. */
int Request(Block& b, int value)
{
    b.request = value;
    WIN_PostMessage(b.painter, kPainterCommand, 0, reinterpret_cast<LPARAM>(&b));
    for (;;) {
        WIN_MSG msg;
        while (WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            if (WIN_TranslateAccelerator(msg.hwnd, nullptr, &msg) == 0)
                WIN_DispatchMessage(&msg);
        if (DosWaitEventSem(b.answered, 5) == DQOZ_NO_ERROR)
            break;
    }
    DosResetEventSem(b.answered, nullptr);
    return b.reply;
}

TEST(WinmsgProtocol, PainterAnswersThroughTheBlockAndItsEvent)
{
    Block b;
    ASSERT_EQ(DosCreateEventSem(nullptr, &b.answered, 0, 0), DQOZ_NO_ERROR);
    b.requester = WIN_CreateWindow(RequesterProc, nullptr);
    HEV painterUp = nullptr;
    DosCreateEventSem(nullptr, &painterUp, 0, 0);
    std::thread painter([&] {
        b.painter = WIN_CreateWindow(PainterProc, nullptr);
        DosPostEventSem(painterUp);
        WIN_MSG msg;
        while (WIN_GetMessage(&msg, b.painter, 0, 0) > 0 && msg.message != kPainterQuit)
            WIN_DispatchMessage(&msg);
        WIN_DestroyWindow(b.painter);
    });
    ASSERT_EQ(DosWaitEventSem(painterUp, 5000), DQOZ_NO_ERROR);
    EXPECT_EQ(Request(b, 4), 40);
    EXPECT_EQ(Request(b, 7), 70);
    EXPECT_EQ(b.busyNotes.load(), 2);
    WIN_PostMessage(b.painter, kPainterQuit, 0, 0);
    painter.join();
    WIN_DestroyWindow(b.requester);
    DosCloseEventSem(painterUp);
    DosCloseEventSem(b.answered);
}

} // namespace
