// The release library's allocator of small blocks, called directly (the
// test program keeps the sanitizer's operator new). The sizes and counts
// below follow from its pages: 4 KB pages, each of blocks of one multiple of
// 16 bytes up to 256; larger blocks come from malloc.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <set>
#include <thread>
#include <vector>

namespace dqov_alloc {
void* Allocate(std::size_t bytes);
void Release(void* block);
std::size_t BlockSize(const void* block);
std::size_t PagesCarved();
const sqlite3_mem_methods& SqliteMemory();
}  // namespace dqov_alloc

namespace {

using dqov_alloc::Allocate;
using dqov_alloc::BlockSize;
using dqov_alloc::PagesCarved;
using dqov_alloc::Release;

TEST(LibraryAlloc, BlocksTakeTheNextMultipleOfSixteenUpTo256AndMallocAbove)
{
    const std::size_t asked[] = {0, 1, 16, 17, 31, 32, 33, 100, 255, 256};
    const std::size_t given[] = {16, 16, 16, 32, 32, 32, 48, 112, 256, 256};
    for (std::size_t i = 0; i < std::size(asked); ++i) {
        void* block = Allocate(asked[i]);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 16, 0u) << asked[i];
        EXPECT_EQ(BlockSize(block), given[i]) << asked[i];
        Release(block);
    }
    void* large = Allocate(257);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(large) % 16, 0u);
    EXPECT_EQ(BlockSize(large), 0u);
    std::memset(large, 'x', 257);
    Release(large);
    Release(nullptr);
}

TEST(LibraryAlloc, ABlockGivenBackIsTheNextOfItsSizeAndNotOfAnother)
{
    void* first = Allocate(40);
    Release(first);
    void* other = Allocate(20);
    EXPECT_NE(other, first);
    EXPECT_EQ(BlockSize(other), 32u);
    void* again = Allocate(48);
    EXPECT_EQ(again, first);
    Release(again);
    Release(other);
}

TEST(LibraryAlloc, LiveBlocksOfMixedSizesNeverOverlap)
{
    std::mt19937 random(7);
    struct Live {
        unsigned char* block;
        std::size_t size;
        unsigned char fill;
    };
    std::vector<Live> live;
    for (int round = 0; round < 20000; ++round) {
        if (!live.empty() && random() % 3 == 0) {
            const std::size_t at = random() % live.size();
            const Live gone = live[at];
            for (std::size_t i = 0; i < gone.size; ++i)
                ASSERT_EQ(gone.block[i], gone.fill) << "block of " << gone.size << " overwritten";
            Release(gone.block);
            live[at] = live.back();
            live.pop_back();
            continue;
        }
        const std::size_t size = 1 + random() % 300;
        const unsigned char fill = static_cast<unsigned char>(round);
        auto* block = static_cast<unsigned char*>(Allocate(size));
        ASSERT_NE(block, nullptr);
        std::memset(block, fill, size);
        live.push_back({block, size, fill});
    }
    for (const Live& l : live) {
        for (std::size_t i = 0; i < l.size; ++i)
            ASSERT_EQ(l.block[i], l.fill);
        Release(l.block);
    }
}

TEST(LibraryAlloc, PagesEmptiedInOneSizeServeAnother)
{
    // 128 blocks of 32 fill a page: 640 fill five, of which all but the one
    // still taken from become empty when they are given back.
    std::vector<void*> small;
    for (int i = 0; i < 640; ++i)
        small.push_back(Allocate(32));
    for (void* block : small)
        Release(block);
    const std::size_t before = PagesCarved();
    // 64 blocks of 64 fill a page: 256 need four, all found empty
    std::vector<void*> larger;
    for (int i = 0; i < 256; ++i)
        larger.push_back(Allocate(64));
    EXPECT_LE(PagesCarved(), before + 1) << before;
    std::set<std::uintptr_t> pages;
    for (void* block : larger) {
        EXPECT_EQ(BlockSize(block), 64u);
        pages.insert(reinterpret_cast<std::uintptr_t>(block) >> 12);
    }
    EXPECT_LE(pages.size(), 5u);
    for (void* block : larger)
        Release(block);
}

TEST(LibraryAlloc, OtherThreadsUseMallocAndTheirReleasesComeBack)
{
    void* mine = Allocate(80);
    ASSERT_NE(BlockSize(mine), 0u);
    void* theirs = nullptr;
    std::thread([&] {
        theirs = Allocate(80);
        Release(mine);
    }).join();
    EXPECT_EQ(BlockSize(theirs), 0u);  // from malloc
    Release(theirs);
    // The block freed over there is taken back once the size's page is used
    // up: within two pages' worth of allocations.
    std::vector<void*> taken;
    bool back = false;
    for (int i = 0; i < 2 * 4096 / 80 + 2 && !back; ++i) {
        taken.push_back(Allocate(80));
        back = taken.back() == mine;
    }
    EXPECT_TRUE(back);
    for (void* block : taken)
        Release(block);
}

// SQLite's memory methods over the blocks (the release library gives them to
// SQLite before it starts).

void Fill(void* block, int size, unsigned char first)
{
    auto* bytes = static_cast<unsigned char*>(block);
    for (int i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>(first + i);
}

bool Holds(const void* block, int size, unsigned char first)
{
    const auto* bytes = static_cast<const unsigned char*>(block);
    for (int i = 0; i < size; ++i)
        if (bytes[i] != static_cast<unsigned char>(first + i))
            return false;
    return true;
}

TEST(LibraryAllocSqlite, SizesRoundToSixteenUpTo256AndToEightAbove)
{
    const sqlite3_mem_methods& m = dqov_alloc::SqliteMemory();
    const int asked[] = {1, 16, 17, 100, 255, 256, 257, 300, 1000, 4096};
    const int rounded[] = {16, 16, 32, 112, 256, 256, 264, 304, 1000, 4096};
    for (std::size_t i = 0; i < std::size(asked); ++i)
        EXPECT_EQ(m.xRoundup(asked[i]), rounded[i]) << asked[i];
    EXPECT_EQ(m.xInit(m.pAppData), SQLITE_OK);

    // a block of the pages holds exactly its size; one from malloc at least
    // what was asked
    for (int size = 1; size <= 1100; size += 7) {
        void* block = m.xMalloc(size);
        ASSERT_NE(block, nullptr) << size;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(block) % 8, 0u) << size;
        const int holds = m.xSize(block);
        if (size <= 256)
            EXPECT_EQ(holds, m.xRoundup(size)) << size;
        else
            EXPECT_GE(holds, size) << size;
        std::memset(block, 0x5a, static_cast<std::size_t>(holds));
        m.xFree(block);
    }
    EXPECT_EQ(m.xSize(nullptr), 0);
}

TEST(LibraryAllocSqlite, ReallocKeepsTheContentsAcrossTheLargestSmallBlock)
{
    const sqlite3_mem_methods& m = dqov_alloc::SqliteMemory();
    // 20 bytes take a block of 32: growing to 30 keeps it
    void* block = m.xMalloc(20);
    Fill(block, 20, 1);
    EXPECT_EQ(m.xRealloc(block, 30), block);
    EXPECT_TRUE(Holds(block, 20, 1));

    // to another size of the pages: 100 bytes take a block of 112
    Fill(block, 30, 2);
    block = m.xRealloc(block, 100);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(m.xSize(block), 112);
    EXPECT_TRUE(Holds(block, 30, 2));

    // across 256 to malloc, all 256 bytes of the old block kept
    Fill(block, 112, 3);
    block = m.xRealloc(block, 250);
    EXPECT_EQ(m.xSize(block), 256);
    EXPECT_TRUE(Holds(block, 112, 3));
    Fill(block, 256, 4);
    block = m.xRealloc(block, 600);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(m.xSize(block), 600);
    EXPECT_TRUE(Holds(block, 256, 4));

    // and back below 256: the first bytes kept
    Fill(block, 600, 5);
    block = m.xRealloc(block, 64);
    ASSERT_NE(block, nullptr);
    EXPECT_GE(m.xSize(block), 64);
    EXPECT_TRUE(Holds(block, 64, 5));
    m.xFree(block);
}

TEST(LibraryAllocSqlite, AnotherThreadReallocsAndFreesBlocksOfThePages)
{
    const sqlite3_mem_methods& m = dqov_alloc::SqliteMemory();
    void* mine = m.xMalloc(48);
    void* grown = m.xMalloc(40);
    ASSERT_NE(BlockSize(mine), 0u);
    Fill(grown, 40, 6);
    void* theirs = nullptr;
    std::thread([&] {
        EXPECT_EQ(m.xSize(mine), 48);
        grown = m.xRealloc(grown, 400);
        theirs = m.xMalloc(48);
        m.xFree(mine);
    }).join();
    ASSERT_NE(grown, nullptr);
    EXPECT_GE(m.xSize(grown), 400);
    EXPECT_TRUE(Holds(grown, 40, 6));
    EXPECT_EQ(BlockSize(theirs), 0u);  // from malloc
    EXPECT_GE(m.xSize(theirs), 48);
    m.xFree(theirs);
    m.xFree(grown);
}

}  // namespace
