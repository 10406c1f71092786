// The release library's allocator of small blocks, called directly (the
// test program keeps the sanitizer's operator new). The sizes and counts
// below follow from its pages: 4 KB pages, each of blocks of one multiple of
// 16 bytes up to 256; larger blocks come from malloc.
#include <gtest/gtest.h>

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

}  // namespace
