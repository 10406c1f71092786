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

// A shared name is kept once: the same text gives the same copy, also after
// other texts and blocks were kept; a name that only starts like another,
// or differs in case, is a copy of its own; a plain Keep never shares.
TEST(TextArena, SharedNamesAreKeptOnce)
{
    dqoo::TextArena texts;
    const char* amount = texts.KeepShared("AMOUNT");
    const char* amounts = texts.KeepShared("AMOUNTS");
    const char* lower = texts.KeepShared("amount");
    const char* plain = texts.Keep("AMOUNT");
    texts.Keep(std::string(5000, 'L'));  // a block of its own in between
    for (int i = 0; i < 2000; ++i)
        texts.KeepShared("NAME" + std::to_string(i));  // blocks and table grown
    EXPECT_EQ(texts.KeepShared("AMOUNT"), amount);
    EXPECT_EQ(texts.KeepShared("AMOUNTS"), amounts);
    EXPECT_EQ(texts.KeepShared("NAME17"), texts.KeepShared(std::string("NAME") + "17"));
    EXPECT_NE(amount, amounts);
    EXPECT_NE(amount, lower);
    EXPECT_NE(amount, plain);
    EXPECT_STREQ(amount, "AMOUNT");
    EXPECT_STREQ(amounts, "AMOUNTS");
    EXPECT_STREQ(lower, "amount");
    EXPECT_STREQ(texts.KeepShared(""), "");
    EXPECT_EQ(texts.KeepShared(""), texts.KeepShared(""));
}

}  // namespace

namespace {

// Routine references: every key finds its own list, whatever the order the
// references are made in and whatever form the key has, and a list stays
// where it is while more references are made.
TEST(ReferenceTable, EveryKeyFindsItsOwnListInAnyOrder)
{
    dqoo::ReferenceTable table;
    EXPR_PCODE_ROUTINE routines[6]{};
    EXPECT_EQ(table.find("B0000001"), nullptr);
    table["B0000007"] = {&routines[0], &routines[1]};
    std::vector<EXPR_PCODE_ROUTINE*>& held = table["D0000008"];
    held.push_back(&routines[2]);
    // an earlier number, the same number with another letter, a key of
    // another form: none of them moves or replaces the lists made before
    table["F0000002"] = {&routines[3]};
    table["D0000007"] = {&routines[4]};
    table["O-000001"] = {&routines[5]};
    for (int n = 100; n > 0; --n)
        table["W" + std::string(7 - std::to_string(n).size(), '0') + std::to_string(n)];
    held.push_back(&routines[0]);  // the list is still where it was
    ASSERT_NE(table.find("D0000008"), nullptr);
    EXPECT_EQ(*table.find("D0000008"), (std::vector<EXPR_PCODE_ROUTINE*>{&routines[2], &routines[0]}));
    EXPECT_EQ(*table.find("B0000007"), (std::vector<EXPR_PCODE_ROUTINE*>{&routines[0], &routines[1]}));
    EXPECT_EQ(*table.find("F0000002"), (std::vector<EXPR_PCODE_ROUTINE*>{&routines[3]}));
    EXPECT_EQ(*table.find("D0000007"), (std::vector<EXPR_PCODE_ROUTINE*>{&routines[4]}));
    EXPECT_EQ(*table.find("O-000001"), (std::vector<EXPR_PCODE_ROUTINE*>{&routines[5]}));
    ASSERT_NE(table.find("W0000055"), nullptr);
    EXPECT_TRUE(table.find("W0000055")->empty());
    EXPECT_EQ(table.count("W0000101"), 0u);
    EXPECT_EQ(table.count("D000008"), 0u) << "seven characters: no reference";
    EXPECT_EQ(table.count("B00000070"), 0u);
    // the same key gives the same list
    EXPECT_EQ(&table["B0000007"], table.find("B0000007"));
}

}  // namespace
