/*
** Event semaphores on std::condition_variable.
**
** A handle is a number in a registry, not a pointer, so a closed or made-up
** handle is refused instead of followed. The registry holds shared ownership:
** a thread waiting on an event keeps it alive while another closes it, and the
** close wakes it with DQOZ_ERROR_INVALID_HANDLE.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace {

struct EventSem {
    std::mutex mutex;
    std::condition_variable cv;
    bool posted = false;
    bool closed = false;
    unsigned long posts = 0;
    std::string name;
};

std::mutex g_registryMutex;
std::unordered_map<uintptr_t, std::shared_ptr<EventSem>> g_registry;
uintptr_t g_nextHandle = 1;

std::shared_ptr<EventSem> Lookup(HEV hev)
{
    std::lock_guard lock(g_registryMutex);
    auto it = g_registry.find(reinterpret_cast<uintptr_t>(hev));
    return it == g_registry.end() ? nullptr : it->second;
}

unsigned long BadHandle()
{
    return dqoz::Fail(DQOZ_ERROR_INVALID_HANDLE, "invalid event semaphore handle");
}

}  // namespace

extern "C" unsigned long DosCreateEventSem(const char* pszName, HEV* phev, unsigned long, unsigned long fPosted)
{
    if (phev == nullptr)
        return dqoz::Fail(DQOZ_ERROR_INVALID_PARAMETER, "no place for the event semaphore handle");
    auto sem = std::make_shared<EventSem>();
    sem->posted = fPosted != 0;
    if (pszName != nullptr)
        sem->name = pszName;
    std::lock_guard lock(g_registryMutex);
    uintptr_t id = g_nextHandle++;
    g_registry.emplace(id, std::move(sem));
    *phev = reinterpret_cast<HEV>(id);
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosCloseEventSem(HEV hev)
{
    std::shared_ptr<EventSem> sem;
    {
        std::lock_guard lock(g_registryMutex);
        auto it = g_registry.find(reinterpret_cast<uintptr_t>(hev));
        if (it == g_registry.end())
            return BadHandle();
        sem = std::move(it->second);
        g_registry.erase(it);
    }
    std::lock_guard lock(sem->mutex);
    sem->closed = true;
    sem->cv.notify_all();
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosPostEventSem(HEV hev)
{
    std::shared_ptr<EventSem> sem = Lookup(hev);
    if (!sem)
        return BadHandle();
    std::lock_guard lock(sem->mutex);
    ++sem->posts;
    if (sem->posted)
        return DQOZ_ERROR_ALREADY_POSTED;
    sem->posted = true;
    sem->cv.notify_all();
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosWaitEventSem(HEV hev, long lTimeoutMs)
{
    std::shared_ptr<EventSem> sem = Lookup(hev);
    if (!sem)
        return BadHandle();
    std::unique_lock lock(sem->mutex);
    auto ready = [&] { return sem->posted || sem->closed; };
    if (lTimeoutMs < 0) {
        sem->cv.wait(lock, ready);
    } else if (!sem->cv.wait_for(lock, std::chrono::milliseconds(lTimeoutMs), ready)) {
        return dqoz::Fail(DQOZ_ERROR_TIMEOUT, "timed out waiting for event semaphore");
    }
    if (!sem->posted)
        return BadHandle();  // closed while waiting
    return DQOZ_NO_ERROR;
}

extern "C" unsigned long DosResetEventSem(HEV hev, unsigned long* pulPostCount)
{
    std::shared_ptr<EventSem> sem = Lookup(hev);
    if (!sem)
        return BadHandle();
    std::lock_guard lock(sem->mutex);
    if (pulPostCount != nullptr)
        *pulPostCount = sem->posts;
    if (!sem->posted)
        return DQOZ_ERROR_ALREADY_RESET;
    sem->posted = false;
    sem->posts = 0;
    return DQOZ_NO_ERROR;
}
