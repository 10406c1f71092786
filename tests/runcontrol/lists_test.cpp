// Named lists and their result codes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"

namespace {

struct Lists : ::testing::Test {
    FFC_CONTEXT ctx{};
    void TearDown() override { P31O2_FreeRunContext(&ctx); }
    int16_t create(char type, const char* name, uint16_t size, uint16_t count, void** block = nullptr)
    {
        return qvrmm1(&ctx, type, name, &size, &count, block);
    }
};

TEST_F(Lists, CreateRefusesDuplicatesAndUnknownTypes)
{
    EXPECT_EQ(create('V', "DC_P3019/VL/SFLRPT            ", 52, 999), 0);
    EXPECT_EQ(create('V', "DC_P3019/VL/SFLRPT", 52, 999), QVRMM_EXISTS) << "padded and terminated names are one";
    EXPECT_EQ(create('Q', "DC_P3019/XX/BAD", 1, 1), QVRMM_WRONG_TYPE);
}

// A list name is a 30-character field: what follows it in a record is not
// part of the name, and the delete by prefix looks at 29 characters at most.
TEST_F(Lists, NamesAreThirtyCharacterFields)
{
    const char record[] = "DC_P3019/VL/SECTION_NAME_ABCDEXTRA";  // the name is the first 30 characters
    EXPECT_EQ(create('V', record, 10, 5), 0);
    EXPECT_EQ(create('V', "DC_P3019/VL/SECTION_NAME_ABCDE", 10, 5), QVRMM_EXISTS);
    EXPECT_EQ(create('V', "DC_P3019/VL/SECTION_NAME_ABCDF", 10, 5), 0);
    EXPECT_EQ(qvrmm5(&ctx, "DC_P3019/VL/SECTION_NAME_ABCDZZZ"), 2) << "the first 29 characters are the prefix";
}

TEST_F(Lists, RawBlockIsZeroFilledAndReturned)
{
    void* block = nullptr;
    ASSERT_EQ(create('R', "DC_P3019/RM/DRINF", 272, 9, &block), 0);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(std::string(static_cast<char*>(block), 272 * 9), std::string(272 * 9, '\0'));
    uint16_t n = 1;
    EXPECT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3019/RM/DRINF", &n, "x", nullptr), QVRMM_WRONG_TYPE);
    EXPECT_EQ(qvrmm4(&ctx, "DC_P3019/RM/DRINF"), QVRMM_WRONG_TYPE);
}

TEST_F(Lists, VariableEntries)
{
    ASSERT_EQ(create('V', "DC_P3019/VL/SFLRPT", 8, 3), 0);
    uint16_t n = 0, len = 5;
    ASSERT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, "hello", &len), 0);
    EXPECT_EQ(n, 1);
    n = 3;
    len = 2;
    ASSERT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, "hi", &len), 0);
    n = 0;
    len = 1;
    EXPECT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, "z", &len), QVRMM_CAPACITY)
        << "appending goes after the highest entry used (3)";
    n = 2;
    len = 9;
    EXPECT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, "123456789", &len), QVRMM_TOO_LONG);

    char out[8] = {};
    n = 1;
    ASSERT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, out, &len), 0);
    EXPECT_EQ(std::string(out, len), "hello");
    n = 2;
    EXPECT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, out, &len), QVRMM_EMPTY);
    n = 4;
    EXPECT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, out, &len), QVRMM_CAPACITY);
    n = 0;
    EXPECT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, out, &len), QVRMM_CAPACITY);
    n = 1;
    EXPECT_EQ(QVRMM_sGetEntry(&ctx, "NO/SUCH/LIST", &n, out, &len), QVRMM_NOT_FOUND);

    // a longer entry replaces a shorter one in its slot
    n = 1;
    len = 8;
    ASSERT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, "longer!!", &len), 0);
    ASSERT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, out, &len), 0);
    EXPECT_EQ(std::string(out, len), "longer!!");

    EXPECT_EQ(qvrmm4(&ctx, "DC_P3019/VL/SFLRPT"), 0);
    EXPECT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3019/VL/SFLRPT", &n, out, &len), QVRMM_EMPTY);
    EXPECT_EQ(QVRMM_usHighestEntry(&ctx, "DC_P3019/VL/SFLRPT"), 0);
    EXPECT_EQ(qvrmm4(&ctx, "NO/SUCH/LIST"), QVRMM_NOT_FOUND);
}

TEST_F(Lists, FixedEntriesCopyTheElementSize)
{
    ASSERT_EQ(create('F', "DC_P3097/FL/ROWS", 4, 2), 0);
    uint16_t n = 0;
    ASSERT_EQ(QVRMM_sPutEntry(&ctx, "DC_P3097/FL/ROWS", &n, "abcdXXXX", nullptr), 0);
    char out[8] = {};
    uint16_t len = 0;
    ASSERT_EQ(QVRMM_sGetEntry(&ctx, "DC_P3097/FL/ROWS", &n, out, &len), 0);
    EXPECT_EQ(std::string(out), "abcd");
    EXPECT_EQ(qvrmm4(&ctx, "DC_P3097/FL/ROWS"), QVRMM_WRONG_TYPE);
}

TEST_F(Lists, DeleteByPrefixUpToTheFirstBlank)
{
    ASSERT_EQ(create('V', "DC_P3019/VL/A", 1, 1), 0);
    ASSERT_EQ(create('R', "DC_P3019/RM/X_INFO", 848, 201), 0);
    ASSERT_EQ(create('R', "DC_P3097/RM/X_INFO", 848, 2), 0);
    EXPECT_EQ(qvrmm5(&ctx, "DC_P3019 and what follows"), 2);
    EXPECT_EQ(create('V', "DC_P3019/VL/A", 1, 1), 0) << "deleted lists can be made again";
    EXPECT_EQ(create('R', "DC_P3097/RM/X_INFO", 848, 2), QVRMM_EXISTS);
}

}  // namespace
