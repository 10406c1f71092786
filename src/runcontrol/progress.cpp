// The progress thread: in editor mode it runs the progress window
// ("Function Checking") while the job works on the caller's thread. Three
// event semaphores coordinate it: window ready, release, done. While the
// caller's thread waits for one of them it keeps dispatching its window
// messages.
#include <cstdio>
#include <mutex>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/painter.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "platform/winmsg/winmsg.h"
#include "runcontrol/painter_internal.h"

namespace {

constexpr unsigned kShowText = WM_USER + 1;
constexpr long kSliceMs = 10;

struct Progress {
    HEV ready = nullptr;
    HEV release = nullptr;
    HEV done = nullptr;
    long thread = -1;
    HWND window = nullptr;
    std::mutex mutex;
    std::string shown;
};

Progress g_progress;
bool g_running = false;
std::string g_shownCopy;

// Window procedure of the progress window: shows the pending status text.
LRESULT progressProc(HWND, unsigned msg, WPARAM, LPARAM)
{
    if (msg == kShowText) {
        std::lock_guard<std::mutex> lock(g_progress.mutex);
        g_progress.shown = painter::ProgressText();
    }
    return 0;
}

// Waits for the event while running the calling thread's window messages.
void waitDispatching(HEV ev)
{
    while (DosWaitEventSem(ev, kSliceMs) != 0) {
        WIN_MSG msg;
        while (WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
            WIN_DispatchMessage(&msg);
    }
}

void progressMain(void*)
{
    Progress& p = g_progress;
    p.window = WIN_CreateWindow(progressProc, nullptr);
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        p.shown = "Function Checking";
    }
    SWIN_ulSlider(SWIN_SLIDER_OPEN, "Function Checking", 0, 0);
    painter::SetProgressUp(true);
    DosPostEventSem(p.ready);
    waitDispatching(p.release);  // the window's messages run until released
    painter::SetProgressUp(false);
    SWIN_ulSlider(SWIN_SLIDER_CLOSE, "Function Checking", 1, 1);
    WIN_DestroyWindow(p.window);
    p.window = nullptr;
    DosPostEventSem(p.done);
}

void closeEvents(Progress& p)
{
    for (HEV* ev : {&p.ready, &p.release, &p.done})
        if (*ev) {
            DosCloseEventSem(*ev);
            *ev = nullptr;
        }
}

}  // namespace

namespace painter {

void PostProgressText()
{
    if (g_running && g_progress.window)
        WIN_PostMessage(g_progress.window, kShowText, 0, 0);
}

}  // namespace painter

extern "C" {

int16_t P31O2_sStartProgress(void)
{
    if (g_running)
        return 0;
    Progress& p = g_progress;
    if (DosCreateEventSem(nullptr, &p.ready, 0, 0) || DosCreateEventSem(nullptr, &p.release, 0, 0) ||
        DosCreateEventSem(nullptr, &p.done, 0, 0)) {
        closeEvents(p);
        return -1;
    }
    p.thread = BeginThread(progressMain, nullptr, 0);
    if (p.thread < 0) {
        closeEvents(p);
        return -1;
    }
    g_running = true;
    waitDispatching(p.ready);
    return 0;
}

void P31O2_StopProgress(void)
{
    if (!g_running)
        return;
    Progress& p = g_progress;
    DosPostEventSem(p.release);
    waitDispatching(p.done);
    DosWaitThread(p.thread);
    p.thread = -1;
    closeEvents(p);
    g_running = false;
}

void P31O2_SendProgressStep(int32_t pass, int32_t step, int32_t total)
{
    if (!FFC_from_EDITOR() || !g_running)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "Pass %d step %d of %d", static_cast<int>(pass), static_cast<int>(step),
                  static_cast<int>(total));
    painter::SetProgressText(text);
    painter::PostProgressText();
    SWIN_ulSlider(SWIN_SLIDER_UPDATE, "Function Checking", static_cast<unsigned long>(step > 0 ? step : 0),
                  static_cast<unsigned long>(total > 0 ? total : 0));
}

const char* P31O2_pszProgressText(void)
{
    if (!g_running)
        return "";
    std::lock_guard<std::mutex> lock(g_progress.mutex);
    g_shownCopy = g_progress.shown;
    return g_shownCopy.c_str();
}

}  // extern "C"
