/*
** library_alloc.cpp: the release library's own operator new and delete.
**
** A generation job makes and drops tens of thousands of small objects
** (strings, tree and list nodes, shared blocks) for each thousand commands,
** and the C library's general allocator spends about a tenth of the job on
** them. Here small blocks (up to 256 bytes) come from pages of 4 KB, each
** page holding blocks of one size, carved from one stretch of address space
** reserved at the first call (it takes memory only as pages are used). Each
** page keeps a list of its blocks given back: taking a block or giving one
** back is a handful of instructions, with no header beside the block. A page
** whose blocks are all back joins a pool of empty pages that blocks of any
** size reuse, so that memory a job drops in one size serves the next. Larger
** blocks, and every block once the stretch is used up, come from malloc.
**
** The size of a block is read from its page, never from what the caller
** says it frees, so an unsized delete and a sized one are the same.
**
** The pages serve one thread: the first that allocates (a job runs on one).
** Other threads take their blocks from malloc; a block of the pages they free
** goes onto a list the serving thread takes back the next time it needs a
** page.
**
** SQLite, linked into the release library, takes its memory here too (see
** SqliteMemory below): a job's statements make and drop thousands of small
** blocks. A connection used on another thread takes malloc's blocks there
** and gives back those of the pages through the list above.
**
** The release library defines the replaceable operators (DQOV_OWN_NEW): its
** own references bind to them, and a program that loads the library keeps
** its own. The web library and the tool, which hand C++ objects to and from
** the library, define theirs over the library's (DQOV_SHARED_NEW). The test
** program calls the functions below directly.
*/
#include <malloc.h>
#include <sqlite3.h>
#include <sys/mman.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#ifndef DQOV_SHARED_NEW

namespace dqov_alloc {

namespace {

constexpr std::size_t kGranule = 16;  // the alignment operator new promises
constexpr std::size_t kLargest = 256;
constexpr std::size_t kSizes = kLargest / kGranule;
constexpr std::size_t kPageShift = 12;
constexpr std::size_t kPage = std::size_t(1) << kPageShift;
constexpr std::size_t kStretch = std::size_t(32) << 20;
constexpr std::size_t kPages = kStretch / kPage;
constexpr std::size_t kPopulated = 8;  // pages faulted in together

struct FreeBlock {
    FreeBlock* next;
};

struct Page {
    FreeBlock* free;  // blocks given back
    char* carve;      // the part of the page never given out: carve to carveEnd
    char* carveEnd;
    Page* next;  // in its size's list of pages with room, or in the pool
    Page* prev;
    std::uint16_t used;  // blocks given out and not back
    std::uint8_t size;   // size index + 1 (0: in the pool)
    // the page is its size's current page or in its list of pages with room
    bool tracked;
};

// The page a size takes blocks from before it has one: no room, so the first
// allocation of each size finds a real page.
constinit Page g_noRoom{};

struct Heap {
    std::atomic<char*> base{nullptr};
    std::atomic<std::uintptr_t> owner{0};  // thread pointer of the thread served
    std::atomic<bool> failed{false};
    std::size_t carved = 0;  // pages carved from the stretch so far
    Page* current[kSizes];
    Page* roomy[kSizes] = {};                 // other pages of the size with room
    Page* pool = nullptr;                     // empty pages
    std::atomic<FreeBlock*> remote{nullptr};  // blocks freed by other threads

    constexpr Heap()
    {
        for (Page*& page : current)
            page = &g_noRoom;
    }
};
constinit Heap g_heap;
Page g_pages[kPages];

/* The calling thread's thread pointer: one instruction, where a thread
** local variable of a shared library may cost a call. */
std::uintptr_t ThisThread()
{
#if defined(__x86_64__)
    std::uintptr_t self;
    __asm__("mov %%fs:0, %0" : "=r"(self));
    return self;
#else
    return reinterpret_cast<std::uintptr_t>(__builtin_thread_pointer());
#endif
}

std::size_t SizeIndex(std::size_t bytes)
{
    return bytes == 0 ? 0 : (bytes - 1) / kGranule;
}

bool InStretch(const char* base, const void* block)
{
    const char* p = static_cast<const char*>(block);
    return base != nullptr && p >= base && p < base + kStretch;
}

Page& PageOf(const char* base, const void* block)
{
    return g_pages[static_cast<std::size_t>(static_cast<const char*>(block) - base) >> kPageShift];
}

/* Whether the calling thread is the one the pages serve; the first to ask
** becomes it, and reserves the stretch. */
bool Served()
{
    const std::uintptr_t self = ThisThread();
    std::uintptr_t owner = g_heap.owner.load(std::memory_order_relaxed);
    if (owner == self)
        return !g_heap.failed.load(std::memory_order_relaxed);
    if (owner != 0 || !g_heap.owner.compare_exchange_strong(owner, self, std::memory_order_acq_rel))
        return false;
    void* got = mmap(nullptr, kStretch, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (got == MAP_FAILED) {
        g_heap.failed.store(true, std::memory_order_relaxed);
        return false;
    }
    // whole small pages, so that a job's memory grows by the page it uses
    madvise(got, kStretch, MADV_NOHUGEPAGE);
    g_heap.base.store(static_cast<char*>(got), std::memory_order_release);
    return true;
}

void Unlink(Page& page, std::size_t k)
{
    if (page.prev != nullptr)
        page.prev->next = page.next;
    else
        g_heap.roomy[k] = page.next;
    if (page.next != nullptr)
        page.next->prev = page.prev;
    page.next = page.prev = nullptr;
}

/* A block given back on a page that is neither its size's current page nor
** in its list of pages with room, or the last block of a page given back. */
[[gnu::noinline]] void PageGainsRoom(Page& page)
{
    const std::size_t k = page.size - 1u;
    if (g_heap.current[k] == &page)
        return;
    if (!page.tracked) {
        page.tracked = true;
        page.prev = nullptr;
        page.next = g_heap.roomy[k];
        if (page.next != nullptr)
            page.next->prev = &page;
        g_heap.roomy[k] = &page;
    }
    if (page.used == 0) {
        Unlink(page, k);
        page.tracked = false;
        page.size = 0;
        page.next = g_heap.pool;
        g_heap.pool = &page;
    }
}

void ReleaseHere(const char* base, void* block)
{
    Page& page = PageOf(base, block);
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = page.free;
    page.free = freed;
    if (--page.used != 0 && page.tracked)
        return;
    PageGainsRoom(page);
}

/* Takes back the blocks other threads freed. */
void TakeBackRemote(const char* base)
{
    FreeBlock* block = g_heap.remote.exchange(nullptr, std::memory_order_acquire);
    while (block != nullptr) {
        FreeBlock* next = block->next;
        ReleaseHere(base, block);
        block = next;
    }
}

/* A page for blocks of size index k with room: one of the size's with room,
** an empty one, or a fresh one; nullptr when the stretch is used up. */
Page* PageWithRoom(std::size_t k, char* base)
{
    if (Page* page = g_heap.roomy[k]) {
        Unlink(*page, k);
        return page;
    }
    Page* page = g_heap.pool;
    char* start;
    if (page != nullptr) {
        g_heap.pool = page->next;
        start = base + (static_cast<std::size_t>(page - g_pages) << kPageShift);
    } else {
        if (g_heap.carved == kPages)
            return nullptr;
        page = &g_pages[g_heap.carved];
        start = base + (g_heap.carved << kPageShift);
        // fresh pages are faulted in eight at a time: one call costs about
        // half of eight faults, and the job takes the next seven soon after
#ifdef MADV_POPULATE_WRITE
        if (g_heap.carved % kPopulated == 0)
            madvise(start, std::min(kPopulated, kPages - g_heap.carved) << kPageShift, MADV_POPULATE_WRITE);
#endif
        ++g_heap.carved;
    }
    const std::size_t size = (k + 1) * kGranule;
    page->free = nullptr;
    page->carve = start;
    page->carveEnd = start + (kPage / size) * size;
    page->next = page->prev = nullptr;
    page->used = 0;
    page->size = static_cast<std::uint8_t>(k + 1);
    return page;
}

}  // namespace

/* Allocate's way when the size's current page has no block given back: the
** rest of the page never given out, another page, or malloc. */
[[gnu::noinline]] static void* AllocateAside(std::size_t bytes)
{
    if (bytes <= kLargest && Served()) {
        const std::size_t k = SizeIndex(bytes);
        char* base = g_heap.base.load(std::memory_order_relaxed);
        Page* page = g_heap.current[k];
        if (page->carve == page->carveEnd && page->free == nullptr) {
            TakeBackRemote(base);
            if (page->free == nullptr) {
                if (Page* other = PageWithRoom(k, base)) {
                    page->tracked = false;  // full: a block given back lists it again
                    other->tracked = true;
                    g_heap.current[k] = other;
                    page = other;
                }
            }
        }
        if (FreeBlock* block = page->free) {
            page->free = block->next;
            ++page->used;
            return block;
        }
        if (page->carve != page->carveEnd) {
            char* block = page->carve;
            page->carve = block + (k + 1) * kGranule;
            ++page->used;
            return block;
        }
    }
    return std::malloc(bytes == 0 ? 1 : bytes);
}

/* A block of at least bytes bytes, aligned to 16, or nullptr when no memory
** is left. */
void* Allocate(std::size_t bytes)
{
    if (bytes <= kLargest && g_heap.owner.load(std::memory_order_relaxed) == ThisThread()) {
        Page* page = g_heap.current[SizeIndex(bytes)];
        if (FreeBlock* block = page->free) {
            page->free = block->next;
            ++page->used;
            return block;
        }
    }
    return AllocateAside(bytes);
}

/* Gives back a block Allocate gave (nullptr does nothing). */
void Release(void* block)
{
    const char* base = g_heap.base.load(std::memory_order_relaxed);
    if (!InStretch(base, block)) {
        std::free(block);
        return;
    }
    if (g_heap.owner.load(std::memory_order_relaxed) == ThisThread()) {
        ReleaseHere(base, block);
        return;
    }
    FreeBlock* freed = static_cast<FreeBlock*>(block);
    freed->next = g_heap.remote.load(std::memory_order_relaxed);
    while (!g_heap.remote.compare_exchange_weak(freed->next, freed, std::memory_order_release,
                                                std::memory_order_relaxed)) {}
}

/* The size of the block's page's blocks, or 0 when malloc gave the block. */
std::size_t BlockSize(const void* block)
{
    const char* base = g_heap.base.load(std::memory_order_relaxed);
    return InStretch(base, block) ? PageOf(base, block).size * kGranule : 0;
}

namespace {

void* SqliteMalloc(int bytes)
{
    return Allocate(static_cast<std::size_t>(bytes));
}

/* The bytes the block holds: its page's size, or what malloc gave (0 for
** nullptr). */
int SqliteSize(void* block)
{
    const std::size_t size = BlockSize(block);
    return static_cast<int>(size != 0 ? size : malloc_usable_size(block));
}

/* A block of the pages that holds the new size stays; one that does not
** moves (to a larger size, or to malloc above 256 bytes); malloc's blocks
** stay with malloc. */
void* SqliteRealloc(void* block, int bytes)
{
    const std::size_t wanted = static_cast<std::size_t>(bytes);
    const std::size_t size = BlockSize(block);
    if (size == 0)
        return std::realloc(block, wanted);
    if (wanted <= size)
        return block;
    void* moved = Allocate(wanted);
    if (moved == nullptr)
        return nullptr;
    std::memcpy(moved, block, size);
    Release(block);
    return moved;
}

/* The size SQLite asks for in place of bytes: up to 256, what the block
** given for it holds (the next multiple of 16); above, the next multiple of
** 8, as SQLite's own methods round. */
int SqliteRoundup(int bytes)
{
    if (bytes <= static_cast<int>(kLargest))
        return bytes <= 0 ? static_cast<int>(kGranule) : (bytes + int(kGranule) - 1) & ~(int(kGranule) - 1);
    return (bytes + 7) & ~7;
}

int SqliteInit(void*)
{
    return SQLITE_OK;
}

void SqliteShutdown(void*) {}

constexpr sqlite3_mem_methods kSqliteMemory = {
    SqliteMalloc, Release, SqliteRealloc, SqliteSize, SqliteRoundup, SqliteInit, SqliteShutdown, nullptr,
};

}  // namespace

/* SQLite's memory methods over the blocks above (SQLITE_CONFIG_MALLOC). */
const sqlite3_mem_methods& SqliteMemory()
{
    return kSqliteMemory;
}

/* How many pages the stretch has given so far (each is reused once empty). */
std::size_t PagesCarved()
{
    return g_heap.carved;
}

}  // namespace dqov_alloc

#ifdef DQOV_OWN_NEW

// The web library and the tool, which free blocks the library made and make
// blocks it frees, take theirs through these.
extern "C" void* dqov_allocate_block(std::size_t bytes)
{
    return dqov_alloc::Allocate(bytes);
}
extern "C" void dqov_release_block(void* block)
{
    dqov_alloc::Release(block);
}

// SQLite takes its memory from the blocks too. It takes its memory methods
// only before it starts, which no call of the library's can precede: they
// are set as the library loads.
[[gnu::constructor]] static void UseBlocksForSqlite()
{
    sqlite3_config(SQLITE_CONFIG_MALLOC, &dqov_alloc::SqliteMemory());
}

#endif
#endif  // !DQOV_SHARED_NEW

#if defined(DQOV_OWN_NEW) || defined(DQOV_SHARED_NEW)

#ifdef DQOV_SHARED_NEW
extern "C" void* dqov_allocate_block(std::size_t bytes);
extern "C" void dqov_release_block(void* block);
#endif

namespace {

inline void* AllocateBlock(std::size_t bytes)
{
#ifdef DQOV_OWN_NEW
    return dqov_alloc::Allocate(bytes);
#else
    return dqov_allocate_block(bytes);
#endif
}

inline void ReleaseBlock(void* block)
{
#ifdef DQOV_OWN_NEW
    dqov_alloc::Release(block);
#else
    dqov_release_block(block);
#endif
}

[[gnu::noinline, gnu::cold]] void* AllocateAfterHandler(std::size_t bytes)
{
    for (;;) {
        std::new_handler handler = std::get_new_handler();
        if (handler == nullptr)
            throw std::bad_alloc();
        handler();
        if (void* block = AllocateBlock(bytes))
            return block;
    }
}

inline void* AllocateOrThrow(std::size_t bytes)
{
    if (void* block = AllocateBlock(bytes)) [[likely]]
        return block;
    return AllocateAfterHandler(bytes);
}

void* AllocateOrNull(std::size_t bytes) noexcept
{
    try {
        return AllocateOrThrow(bytes);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

void* operator new(std::size_t bytes)
{
    return AllocateOrThrow(bytes);
}
void* operator new[](std::size_t bytes)
{
    return AllocateOrThrow(bytes);
}
void* operator new(std::size_t bytes, const std::nothrow_t&) noexcept
{
    return AllocateOrNull(bytes);
}
void* operator new[](std::size_t bytes, const std::nothrow_t&) noexcept
{
    return AllocateOrNull(bytes);
}
void operator delete(void* block) noexcept
{
    ReleaseBlock(block);
}
void operator delete[](void* block) noexcept
{
    ReleaseBlock(block);
}
void operator delete(void* block, std::size_t) noexcept
{
    ReleaseBlock(block);
}
void operator delete[](void* block, std::size_t) noexcept
{
    ReleaseBlock(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept
{
    ReleaseBlock(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept
{
    ReleaseBlock(block);
}

#endif
