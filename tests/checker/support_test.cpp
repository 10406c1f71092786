// Generated names, the value cache and the build entry list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "checker/support_names.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/x_tree.h"
#include "platform/dqoo/dqoo_fixture.h"

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

// The value cache keeps values only in a component run: the first request
// stores a value and returns its entry, a second request returns the same
// entry, and the cache answers for the values it holds only.
TEST(ValueCache, ComponentRunsOnly)
{
    Context c;
    c.ctx.lComponentRun = 0;
    EXPECT_EQ(P31O2_pGetCachedEntry(&c.ctx, 42), nullptr);
    EXPECT_EQ(P31O2_fHasCachedEntry(&c.ctx, 42), 0);
    EXPECT_EQ(c.ctx.pValueCacheTree, nullptr) << "a function run makes no cache";
    c.ctx.lComponentRun = 1;
    EXPECT_EQ(P31O2_fHasCachedEntry(&c.ctx, 42), 0) << "nothing stored yet";
    void* first = P31O2_pGetCachedEntry(&c.ctx, 42);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(P31O2_pGetCachedEntry(&c.ctx, 42), first);
    void* other = P31O2_pGetCachedEntry(&c.ctx, -7);
    ASSERT_NE(other, nullptr);
    EXPECT_NE(other, first);
    EXPECT_EQ(P31O2_fHasCachedEntry(&c.ctx, 42), 1);
    EXPECT_EQ(P31O2_fHasCachedEntry(&c.ctx, -7), 1);
    EXPECT_EQ(P31O2_fHasCachedEntry(&c.ctx, 43), 0);
    EXPECT_EQ(RBTree_GetEntryCount(c.ctx.pValueCacheTree), 2u);
    // the value is the entry's key and its data
    int32_t key = 0, data = 0;
    void* keyOut[] = {&key};
    void* dataOut[] = {&data};
    ASSERT_EQ(RBTree_GetEntry_Direct(c.ctx.pValueCacheTree, static_cast<RBTREE_ENTRY*>(other), keyOut, dataOut), 1);
    EXPECT_EQ(key, -7);
    EXPECT_EQ(data, -7);
    // back in a function run the cache answers nothing
    c.ctx.lComponentRun = 0;
    EXPECT_EQ(P31O2_fHasCachedEntry(&c.ctx, 42), 0);
}

// A field attribute list (an item of sub-kind 'M'): its attributes fill the
// slots, ten characters each, while slots remain; any other item answers
// the value given for it.
class FieldAttributes : public ::testing::Test {
protected:
    void SetUp() override
    {
        char error[200] = "";
        ASSERT_EQ(DQOO_FCC_LoadExpressionFixture("ATTRIBUTES 0000009 CUSTNO '*OUTPUT *LC' NAME '' "
                                                 "CREDIT '*UPPERCASE_LONG *RIGHT'\n",
                                                 error, sizeof error),
                  0)
            << error;
        std::memset(slots, '.', sizeof slots);
    }
    void TearDown() override { DQOO_FCC_ClearExpressions(); }
    std::string slot(int i) const { return std::string(slots[i], 10); }
    char slots[5][10];
};

TEST_F(FieldAttributes, EachAttributeInTheNextSlot)
{
    EXPECT_EQ(P31O2_sEnumerateFieldAttributes("\003M0000009", slots, 99, 5), 4u);
    EXPECT_EQ(slot(0), "*OUTPUT   ");
    EXPECT_EQ(slot(1), "*LC       ");
    EXPECT_EQ(slot(2), "*UPPERCASE") << "an attribute keeps 10 characters";
    EXPECT_EQ(slot(3), "*RIGHT    ");
    EXPECT_EQ(slot(4), "..........") << "a slot not filled is left alone";
}

TEST_F(FieldAttributes, OnlyWhileSlotsRemain)
{
    EXPECT_EQ(P31O2_sEnumerateFieldAttributes("\003M0000009", slots, 99, 1), 1u);
    EXPECT_EQ(slot(0), "*OUTPUT   ");
    EXPECT_EQ(slot(1), "..........");
    EXPECT_EQ(P31O2_sEnumerateFieldAttributes("\003M0000009", slots, 99, 0), 0u);
}

TEST_F(FieldAttributes, OtherItemsAnswerTheirValue)
{
    EXPECT_EQ(P31O2_sEnumerateFieldAttributes("\003S0000004", slots, 7, 5), 7u);
    EXPECT_EQ(P31O2_sEnumerateFieldAttributes("CUSTNO   ", slots, 3, 5), 3u);
    EXPECT_EQ(slot(0), "..........");
}

TEST_F(FieldAttributes, TheCallbackFillsAndAlwaysAnswersZero)
{
    P31O2_ATTRIBUTE_SLOTS control{slots, 2, 0};
    EXPECT_EQ(P31O2_sCollectAttributeCallback(&control, "CUSTNO", "  *A   *BB *CCC"), 0);
    EXPECT_EQ(control.ulFilled, 2u);
    EXPECT_EQ(slot(0), "*A        ");
    EXPECT_EQ(slot(1), "*BB       ");
    EXPECT_EQ(slot(2), "..........");
    EXPECT_EQ(P31O2_sCollectAttributeCallback(&control, "CUSTNO", "*D"), 0) << "no slot left";
    EXPECT_EQ(control.ulFilled, 2u);
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
