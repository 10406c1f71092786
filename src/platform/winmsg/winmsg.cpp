/*
** Window messages inside the process.
**
** All windows live in one table under one lock; a change wakes every waiting
** thread through one condition variable (the traffic is a progress window
** and a painter, so simplicity wins over fine-grained locking). Each message
** gets a sequence number when queued, so a thread that takes messages of all
** its windows still takes them in posting order. Window procedures always run
** without the lock held, so they may post, send, create and destroy freely.
*/
#include "platform/winmsg/winmsg.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

namespace {

/* A message sent from another thread, waiting for the owner to run it. */
struct PendingSend {
    WIN_MSG msg{};
    LRESULT result = 0;
    bool done = false;
};

struct Entry {
    uint64_t seq;
    WIN_MSG msg;
    std::shared_ptr<PendingSend> send;  // set for sent messages only
};

struct Window {
    WIN_WNDPROC proc;
    void* data;
    std::thread::id owner;
    std::deque<Entry> posted;
    std::deque<Entry> sent;
};

std::mutex g_mutex;
std::condition_variable g_changed;
std::map<uintptr_t, Window> g_windows;
uintptr_t g_nextHandle = 1;
uint64_t g_nextSeq = 1;

uintptr_t Key(HWND hwnd)
{
    return reinterpret_cast<uintptr_t>(hwnd);
}

Window* FindWindow(HWND hwnd)
{
    auto it = g_windows.find(Key(hwnd));
    return it == g_windows.end() ? nullptr : &it->second;
}

/* Runs every message sent to the calling thread's windows, oldest first.
** The lock is released around each procedure call. True when one ran. */
bool RunSentMessages(std::unique_lock<std::mutex>& lock)
{
    const std::thread::id self = std::this_thread::get_id();
    bool ran = false;
    for (;;) {
        Window* from = nullptr;
        for (auto& [key, w] : g_windows)
            if (w.owner == self && !w.sent.empty() && (from == nullptr || w.sent.front().seq < from->sent.front().seq))
                from = &w;
        if (from == nullptr)
            return ran;
        Entry e = std::move(from->sent.front());
        from->sent.pop_front();
        WIN_WNDPROC proc = from->proc;
        lock.unlock();
        LRESULT result = proc(e.msg.hwnd, e.msg.message, e.msg.wParam, e.msg.lParam);
        lock.lock();
        e.send->result = result;
        e.send->done = true;
        g_changed.notify_all();
        ran = true;
    }
}

bool InRange(unsigned int message, unsigned int uMin, unsigned int uMax)
{
    if (uMin == 0 && uMax == 0)
        return true;
    return message >= uMin && message <= uMax;
}

/* Finds the oldest matching posted message of the calling thread's windows
** and copies it to *pMsg, taking it off the queue when remove is set. */
bool TakePosted(WIN_MSG* pMsg, HWND hwnd, unsigned int uMin, unsigned int uMax, bool remove)
{
    const std::thread::id self = std::this_thread::get_id();
    std::deque<Entry>* bestQueue = nullptr;
    std::deque<Entry>::iterator best;
    for (auto& [key, w] : g_windows) {
        if (w.owner != self || (hwnd != nullptr && key != Key(hwnd)))
            continue;
        for (auto it = w.posted.begin(); it != w.posted.end(); ++it) {
            if (!InRange(it->msg.message, uMin, uMax))
                continue;
            if (bestQueue == nullptr || it->seq < best->seq) {
                bestQueue = &w.posted;
                best = it;
            }
            break;  // later entries of this window are younger
        }
    }
    if (bestQueue == nullptr)
        return false;
    *pMsg = best->msg;
    if (remove)
        bestQueue->erase(best);
    return true;
}

}  // namespace

extern "C" HWND WIN_CreateWindow(WIN_WNDPROC pfnProc, void* pUserData)
{
    if (pfnProc == nullptr)
        return nullptr;
    std::lock_guard lock(g_mutex);
    uintptr_t key = g_nextHandle++;
    g_windows.emplace(key, Window{pfnProc, pUserData, std::this_thread::get_id(), {}, {}});
    return reinterpret_cast<HWND>(key);
}

extern "C" int WIN_DestroyWindow(HWND hwnd)
{
    std::lock_guard lock(g_mutex);
    auto it = g_windows.find(Key(hwnd));
    if (it == g_windows.end())
        return 0;
    for (Entry& e : it->second.sent) {
        e.send->result = 0;
        e.send->done = true;
    }
    g_windows.erase(it);
    g_changed.notify_all();
    return 1;
}

extern "C" int WIN_IsWindow(HWND hwnd)
{
    std::lock_guard lock(g_mutex);
    return FindWindow(hwnd) != nullptr ? 1 : 0;
}

extern "C" void* WIN_GetWindowData(HWND hwnd)
{
    std::lock_guard lock(g_mutex);
    Window* w = FindWindow(hwnd);
    return w != nullptr ? w->data : nullptr;
}

extern "C" int WIN_PostMessage(HWND hwnd, unsigned int uMsg, WPARAM wParam, LPARAM lParam)
{
    std::lock_guard lock(g_mutex);
    Window* w = FindWindow(hwnd);
    if (w == nullptr)
        return 0;
    w->posted.push_back(Entry{g_nextSeq++, WIN_MSG{hwnd, uMsg, wParam, lParam}, nullptr});
    g_changed.notify_all();
    return 1;
}

extern "C" LRESULT WIN_SendMessage(HWND hwnd, unsigned int uMsg, WPARAM wParam, LPARAM lParam)
{
    std::unique_lock lock(g_mutex);
    Window* w = FindWindow(hwnd);
    if (w == nullptr)
        return 0;
    if (w->owner == std::this_thread::get_id()) {
        WIN_WNDPROC proc = w->proc;
        lock.unlock();
        return proc(hwnd, uMsg, wParam, lParam);
    }
    auto pending = std::make_shared<PendingSend>();
    pending->msg = WIN_MSG{hwnd, uMsg, wParam, lParam};
    w->sent.push_back(Entry{g_nextSeq++, pending->msg, pending});
    g_changed.notify_all();
    // While the owner has not answered, run what others send to this thread,
    // so that two threads sending to each other both get through.
    while (!pending->done) {
        if (RunSentMessages(lock))
            continue;
        g_changed.wait(lock);
    }
    return pending->result;
}

extern "C" int WIN_PeekMessage(WIN_MSG* pMsg, HWND hwnd, unsigned int uMin, unsigned int uMax, unsigned int uRemove)
{
    if (pMsg == nullptr)
        return 0;
    std::unique_lock lock(g_mutex);
    RunSentMessages(lock);
    return TakePosted(pMsg, hwnd, uMin, uMax, (uRemove & PM_REMOVE) != 0) ? 1 : 0;
}

extern "C" int WIN_GetMessage(WIN_MSG* pMsg, HWND hwnd, unsigned int uMin, unsigned int uMax)
{
    if (pMsg == nullptr)
        return -1;
    std::unique_lock lock(g_mutex);
    for (;;) {
        RunSentMessages(lock);
        if (TakePosted(pMsg, hwnd, uMin, uMax, true))
            return pMsg->message == WM_QUIT ? 0 : 1;
        if (hwnd != nullptr) {
            Window* w = FindWindow(hwnd);
            if (w == nullptr || w->owner != std::this_thread::get_id())
                return -1;
        }
        g_changed.wait(lock);
    }
}

extern "C" int WIN_TranslateAccelerator(HWND, const void*, WIN_MSG*)
{
    return 0;
}

extern "C" LRESULT WIN_DispatchMessage(const WIN_MSG* pMsg)
{
    if (pMsg == nullptr)
        return 0;
    WIN_WNDPROC proc;
    {
        std::lock_guard lock(g_mutex);
        Window* w = FindWindow(pMsg->hwnd);
        if (w == nullptr)
            return 0;
        proc = w->proc;
    }
    return proc(pMsg->hwnd, pMsg->message, pMsg->wParam, pMsg->lParam);
}
