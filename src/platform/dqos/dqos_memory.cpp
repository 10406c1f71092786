// Memory services: zero-filled blocks from the C heap, and blocks kept for
// the life of the process (released at exit, so leak checkers stay quiet).
#include "platform/dqos/dqos.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <vector>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

struct OrphanStore {
    std::mutex lock;
    std::vector<std::unique_ptr<void, FreeDeleter>> blocks;
};

OrphanStore& orphans()
{
    static OrphanStore store;
    return store;
}

}  // namespace

extern "C" void* SMEM_pMalloc(unsigned long ulFlags, size_t ulSize)
{
    if (ulSize == 0)
        return nullptr;
    return std::calloc(1, ulSize);
}

extern "C" void SMEM_FreeMem(void* pBlock)
{
    std::free(pBlock);
}

extern "C" void* SMEM_pMallocOrphan(size_t ulSize)
{
    if (ulSize == 0)
        return nullptr;
    void* p = std::calloc(1, ulSize);
    if (p == nullptr)
        return nullptr;
    OrphanStore& s = orphans();
    std::lock_guard guard(s.lock);
    try {
        s.blocks.emplace_back(p);
    } catch (...) {
        std::free(p);
        return nullptr;
    }
    return p;
}
