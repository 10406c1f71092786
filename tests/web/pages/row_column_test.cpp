// The row/column pairs of the web records (RRCC): the tens and the units
// digit of each, higher digits dropped; and the blank test of a field.
#include <gtest/gtest.h>

#include <string>

#include "web/pages/web_records.h"

namespace {

std::string rrcc(uint32_t row, uint32_t column)
{
    char out[4];
    P3108_FormatRowColumn(row, column, out);
    return std::string(out, 4);
}

TEST(RowColumn, TensAndUnitsOfEach)
{
    EXPECT_EQ(rrcc(7, 9), "0709");
    EXPECT_EQ(rrcc(12, 80), "1280");
    EXPECT_EQ(rrcc(99, 100), "9900");
    EXPECT_EQ(rrcc(123, 145), "2345");
    EXPECT_EQ(rrcc(0, 0), "0000");
    EXPECT_EQ(rrcc(1000, 1009), "0009");
}

TEST(RowColumn, BlankFields)
{
    EXPECT_TRUE(P3108_fIsAllBlank("   ", 3));
    EXPECT_FALSE(P3108_fIsAllBlank("  x", 3));
    EXPECT_TRUE(P3108_fIsAllBlank("  x", 2)) << "only the first length bytes";
    EXPECT_TRUE(P3108_fIsAllBlank(" \0x", 3)) << "a NUL before any non-blank";
    EXPECT_TRUE(P3108_fIsAllBlank("abc", 0));
    EXPECT_TRUE(P3108_fIsAllBlank("abc", -1));
}

}  // namespace
