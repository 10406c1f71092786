// The expression store's array blocks: the pointer arrays of compiled
// expressions keep their items while more arrays are kept.
#include "platform/dqoo/dqoo_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(ArrayBlocks, KeptArraysHoldTheirItemsWhileMoreAreKept)
{
    dqoo::ArrayBlocks<int*, 512> arrays;
    std::vector<int> values(4000);
    for (int i = 0; i < 4000; ++i)
        values[i] = i;
    std::vector<int*> items;
    for (int& v : values)
        items.push_back(&v);
    EXPECT_EQ(arrays.Keep(items.data(), 0), nullptr) << "an empty array is kept as no array";
    // short arrays fill a block and go on in the next; one longer than a
    // block has a block of its own
    std::vector<std::pair<int**, size_t>> kept;
    for (size_t n : {3u, 7u, 500u, 1u, 1200u, 2u, 9u}) {
        int** at = arrays.Keep(items.data() + n, n);
        ASSERT_NE(at, nullptr);
        kept.push_back({at, n});
    }
    for (const auto& [at, n] : kept)
        for (size_t i = 0; i < n; ++i)
            ASSERT_EQ(*at[i], static_cast<int>(n + i)) << "array of " << n << ", item " << i;
}

TEST(TextArena, TextsAreKeptWithTheirEndingZero)
{
    dqoo::TextArena texts;
    const char* empty = texts.Keep("");
    const char* name = texts.Keep("CUSTOMER_NAME");
    const std::string longText(5000, 'L');  // longer than a block
    const char* kept = texts.Keep(longText);
    const char* after = texts.Keep("AFTER");
    EXPECT_STREQ(empty, "");
    EXPECT_STREQ(name, "CUSTOMER_NAME");
    EXPECT_EQ(std::string(kept), longText);
    EXPECT_STREQ(after, "AFTER");
}

}  // namespace
