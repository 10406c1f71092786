// A scripted painter for tests: a thread owning the painter window, which
// answers each request (WM_USER+n) by running the test's reply function on
// the exchange block and posting the block's event, as the editor's painter
// does.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "dqov/runcontrol/ffc_paint_str.h"
#include "platform/dqoz/dqoz.h"
#include "platform/winmsg/winmsg.h"

class ScriptedPainter {
public:
    using Reply = std::function<void(FFC_PAINT_STR*, unsigned request)>;

    explicit ScriptedPainter(FFC_PAINT_STR* block, Reply reply) : block_(block), reply_(std::move(reply))
    {
        DosCreateEventSem(nullptr, &event_, 0, 0);
        block_->hEvent = event_;
        thread_ = std::thread([this] { run(); });
        while (!ready_.load())
            std::this_thread::yield();
        block_->hwndPainter = window_;
    }
    ~ScriptedPainter()
    {
        stop();
        DosCloseEventSem(event_);
    }
    void stop()
    {
        if (!thread_.joinable())
            return;
        WIN_PostMessage(window_, WM_QUIT, 0, 0);
        thread_.join();
    }
    std::vector<unsigned> requests()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return requests_;
    }

private:
    static LRESULT proc(HWND hwnd, unsigned msg, WPARAM wParam, LPARAM)
    {
        auto* self = static_cast<ScriptedPainter*>(WIN_GetWindowData(hwnd));
        if (msg < WM_USER + 1 || msg > WM_USER + 19)
            return 0;
        auto* block = reinterpret_cast<FFC_PAINT_STR*>(wParam);
        unsigned request = msg - WM_USER;
        {
            std::lock_guard<std::mutex> lock(self->mutex_);
            self->requests_.push_back(request);
        }
        self->reply_(block, request);
        DosPostEventSem(static_cast<HEV>(block->hEvent));
        return 0;
    }
    void run()
    {
        window_ = WIN_CreateWindow(proc, this);
        ready_ = true;
        WIN_MSG msg;
        while (WIN_GetMessage(&msg, nullptr, 0, 0) > 0)
            WIN_DispatchMessage(&msg);
        WIN_DestroyWindow(window_);
    }

    FFC_PAINT_STR* block_;
    Reply reply_;
    HEV event_ = nullptr;
    HWND window_ = nullptr;
    std::atomic<bool> ready_{false};
    std::thread thread_;
    std::mutex mutex_;
    std::vector<unsigned> requests_;
};
