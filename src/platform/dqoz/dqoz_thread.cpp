/*
** BeginThread on std::thread, with DosWaitThread to join.
**
** Started threads are kept by number until waited for. At process end the
** ones never waited for are detached rather than destroyed while joinable.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <cstdio>
#include <exception>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

struct ThreadTable {
    std::mutex mutex;
    std::map<long, std::thread> threads;
    long next = 1;
    ~ThreadTable()
    {
        for (auto& [id, t] : threads)
            if (t.joinable())
                t.detach();
    }
};

ThreadTable& Table()
{
    static ThreadTable table;
    return table;
}

/* Runs the thread function; an exception may not end the process from a
** thread that nobody joins, so it is reported and the thread ends. */
void RunThread(DQOZ_THREAD_FN fn, void* arg, long id)
{
    try {
        fn(arg);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "thread %ld ended by exception: %s\n", id, e.what());
    } catch (...) {
        std::fprintf(stderr, "thread %ld ended by an exception\n", id);
    }
}

}  // namespace

extern "C" long BeginThread(DQOZ_THREAD_FN pfnThread, void* pArg, unsigned long)
{
    if (pfnThread == nullptr) {
        dqoz::Fail(DQOZ_ERROR_INVALID_PARAMETER, "no thread function");
        return -1;
    }
    ThreadTable& table = Table();
    std::lock_guard lock(table.mutex);
    long id = table.next++;
    try {
        table.threads.emplace(id, std::thread(RunThread, pfnThread, pArg, id));
    } catch (const std::system_error& e) {
        dqoz::Fail(DQOZ_ERROR_NOT_ENOUGH_MEMORY, std::string("thread not started: ") + e.what());
        return -1;
    }
    return id;
}

extern "C" unsigned long DosWaitThread(long lThreadId)
{
    ThreadTable& table = Table();
    std::thread t;
    {
        std::lock_guard lock(table.mutex);
        auto it = table.threads.find(lThreadId);
        if (it == table.threads.end())
            return dqoz::Fail(DQOZ_ERROR_INVALID_HANDLE, "unknown thread number");
        if (it->second.get_id() == std::this_thread::get_id())
            return dqoz::Fail(DQOZ_ERROR_INVALID_HANDLE, "a thread cannot wait for itself");
        t = std::move(it->second);
        table.threads.erase(it);
    }
    t.join();
    return DQOZ_NO_ERROR;
}
