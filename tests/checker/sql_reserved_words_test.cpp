// The reserved words of SQL: found whole at both ends of the list and at the
// longest word, and not found one character short or long of a word.
#include "checker/sql_reserved_words.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlReservedWords, WordsAreFoundWhole)
{
    EXPECT_TRUE(checker::IsSqlReservedWord("ABS"));
    EXPECT_TRUE(checker::IsSqlReservedWord("YEAR"));
    EXPECT_TRUE(checker::IsSqlReservedWord("CURRENT_TRANSFORM_GROUP_FOR_TYPE"));
    EXPECT_FALSE(checker::IsSqlReservedWord("CURRENT_TRANSFORM_GROUP_FOR_TYP"));
    EXPECT_FALSE(checker::IsSqlReservedWord("YEARS"));
    EXPECT_FALSE(checker::IsSqlReservedWord("AB"));
    EXPECT_FALSE(checker::IsSqlReservedWord(""));
}

}  // namespace
