// Generated names, the value cache and the build entry list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "checker/support_names.h"
#include "dqov/runcontrol/run_driver.h"

namespace {

struct Context {
    FFC_CONTEXT ctx{};
    Context()
    {
        P31O2_FillRunContext(&ctx, nullptr);
        ctx.cNatChar1 = '#';
    }
    ~Context()
    {
        P31O2_FreeGeneratedNames(&ctx);
        P31O2_FreeRunContext(&ctx);
    }
};

std::string Value(const char* text)
{
    std::string v(text);
    v.resize(50, ' ');
    return v;
}

TEST(GeneratedNames, NumberedPerFieldAndOwnerAndRepeated)
{
    Context c;
    std::string a = Value("*autogenerateF35KV2");
    std::string b = Value("*AUTOGENERATEF35KV2");
    ASSERT_EQ(P31O2_sMakeGeneratedName(&c.ctx, "#CUSTNO  ", 7, 1, a.data(), 50), 0);
    ASSERT_EQ(P31O2_sMakeGeneratedName(&c.ctx, "ORDNO", 7, 2, b.data(), 50), 0);
    EXPECT_EQ(a, Value("P\xFF"
                       "0000001"));
    EXPECT_EQ(b, Value("P\xFF"
                       "0000002"));
    std::string again = Value("*AUTOGENERATEF35KV2");
    ASSERT_EQ(P31O2_sMakeGeneratedName(&c.ctx, "CUSTNO", 7, 1, again.data(), 50), 0);
    EXPECT_EQ(again, a);
    // A given value is recorded as it stands and left alone.
    std::string given = Value("CUST_KEY");
    ASSERT_EQ(P31O2_sMakeGeneratedName(&c.ctx, "CUSTNO", 9, 3, given.data(), 50), 0);
    EXPECT_EQ(given, Value("CUST_KEY"));

    char data[56];
    ASSERT_EQ(P31O2_fFindGeneratedName(&c.ctx, "CUSTNO", 7, 9, data), 1);  // owner 2 first
    EXPECT_EQ(std::string(data, 50), Value("CUST_KEY"));
    ASSERT_EQ(P31O2_fFindGeneratedName(&c.ctx, "CUSTNO", 7, 0, data), 1);
    EXPECT_EQ(std::string(data, 50), a);
    EXPECT_EQ(P31O2_fFindGeneratedName(&c.ctx, "CUSTNO", 8, 0, data), 0);

    char name[50];
    std::memcpy(name, Value("#CUSTNO").data(), 50);
    P31O2_RecordFieldUsage(&c.ctx, "USEFIELD  ", name, 7, 0);
    EXPECT_EQ(std::string(name, 50), a);
}

TEST(BuildEntries, AppendedOneByOne)
{
    P31O2_BUILD_APP_LIST list{};
    SMISC_BUILD_APP e{};
    for (uint32_t i = 1; i <= 3; ++i) {
        e.ulNumber = i;
        std::snprintf(e.szName1, sizeof e.szName1, "APP%u", i);
        EXPECT_EQ(P31O2_fAddBuildAppEntry(&list, nullptr, &e), 1);
    }
    ASSERT_EQ(list.ulCount, 3u);
    EXPECT_EQ(list.pEntries[2].ulNumber, 3u);
    EXPECT_STREQ(list.pEntries[1].szName1, "APP2");
    EXPECT_EQ(P31O2_fAddBuildAppEntry(nullptr, nullptr, &e), 0);
    SMEM_FreeMem(list.pEntries);
}

}  // namespace
