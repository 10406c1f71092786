// The edges of the fixed-field helpers and the work file: centring with an
// even and an odd number of blanks to share, digits at the ends of the
// digit range, and records of equal keys in the work file's second order,
// told apart only by their sequence numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"

namespace {

std::string centred(const std::string& text, char upper = 'N')
{
    std::string t = text;
    FIX_CentreText(nullptr, t.data(), static_cast<uint32_t>(t.size()), upper);
    return t;
}

// The blanks around the text are shared out: an even number half on each
// side, an odd number with the one left over on the right; where the text
// stood first does not matter.
TEST(FixBoundaries, CentringSharesEvenAndOddPaddings)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"ab    ", "  ab  "},         /* 4 blanks: 2 and 2 */
        {"ab     ", "  ab   "},       /* 5 blanks: 2 and 3 */
        {"    ab", "  ab  "},         /* from the right */
        {"   abc ", "  abc  "},       /* 4 blanks */
        {" abc    ", "  abc   "},     /* 5 blanks */
        {"abc", "abc"},               /* none */
        {"abc ", "abc "},             /* 1 blank: it stays on the right */
        {" abc", "abc "},             /* and goes there */
        {"a", "a"},                   /* a text of one */
        {"  x b  ", "  x b  "},       /* inner blanks are text */
        {"x b    ", "  x b  "},
        {"       ", "       "},       /* all blank stays so */
    };
    for (const Case& c : cases)
        EXPECT_EQ(centred(c.text), c.expected) << "'" << c.text << "'";
    EXPECT_EQ(centred("ab     ", 'Y'), "  AB   ");
    EXPECT_EQ(centred("Ab     ", 'N'), "  Ab   ") << "'N' keeps the case";
}

// Only the first LENGTH characters are centred: what lies behind them is
// not touched.
TEST(FixBoundaries, CentringKeepsToItsLength)
{
    char t[9];
    std::memcpy(t, "ab    ##", 8);
    t[8] = '\0';
    FIX_CentreText(nullptr, t, 6, 'N');
    EXPECT_EQ(std::string(t, 8), "  ab  ##");
}

// Every digit converts, '9' the same as the others; a field of ten nines
// saturates at the largest 32-bit value.
TEST(FixBoundaries, DigitsAtTheEndsOfTheRange)
{
    int32_t value = -1;
    EXPECT_EQ(FIX_lDigitsToLong("0123456789", 10, &value), 123456789);
    EXPECT_EQ(value, 123456789);
    EXPECT_EQ(FIX_lDigitsToLong("9", 1, nullptr), 9);
    EXPECT_EQ(FIX_lDigitsToLong("99", 2, nullptr), 99);
    EXPECT_EQ(FIX_lDigitsToLong("19x9", 4, nullptr), 19);
    EXPECT_EQ(FIX_lDigitsToLong("9999999999", 10, nullptr), INT32_MAX);
    double d = 0;
    EXPECT_DOUBLE_EQ(FIX_dDigitsToDouble("9999", 4, 2, &d), 99.99);
    EXPECT_DOUBLE_EQ(d, 99.99);
    /* a value converted to digits is rounded half up at its last decimal */
    char digits[5];
    const double v = 12.345;
    FIX_DoubleToDigits(&v, 5, 3, digits);
    EXPECT_EQ(std::string(digits, 5), "12345");
    const double w = 0.125;
    FIX_DoubleToDigits(&w, 3, 2, digits);
    EXPECT_EQ(std::string(digits, 3), "013");
    const double x = 0.004;
    FIX_DoubleToDigits(&x, 3, 2, digits);
    EXPECT_EQ(std::string(digits, 3), "000");
}

struct SecondOrder : ::testing::Test {
    FFC_CONTEXT ctx{};
    void SetUp() override { ASSERT_EQ(WF_sCreate(&ctx), 0); }
    void TearDown() override { P31O2_FreeRunContext(&ctx); }

    FFC_WORK_RECORD rec(const char* kind, const char* name, const char* qual, const char* data = "")
    {
        FFC_WORK_RECORD r;
        WF_BlankRecord(&ctx, &r);
        std::memcpy(r.acKind, kind, std::strlen(kind));
        std::memcpy(r.acName, name, std::strlen(name));
        std::memcpy(r.acQualifier, qual, std::strlen(qual));
        std::memcpy(r.acData, data, std::strlen(data));
        return r;
    }
    int32_t write(const char* kind, const char* name, const char* qual, const char* data)
    {
        FFC_WORK_RECORD r = rec(kind, name, qual, data);
        return WF_lWrite(&ctx, &r);
    }
    static std::string data(const FFC_WORK_RECORD& r)
    {
        std::string d(r.acData, 10);
        return d.substr(0, d.find(' '));
    }
    std::vector<std::string> walk(uint16_t slot, FFC_WORK_RECORD key, uint16_t parts)
    {
        std::vector<std::string> out;
        for (char c = WF_cReadFirstBySecondKey(&ctx, slot, &key, parts); c == '0' && out.size() < 20;
             c = WF_cReadNext(&ctx, slot, &key, parts))
            out.push_back(data(key));
        return out;
    }
};

// Records whose kind, qualifier and name are all equal differ only in
// their sequence numbers: the second order keeps them in the order they
// were written, reads each once, and goes on past them to the next key;
// the first order does the same.
TEST_F(SecondOrder, EqualKeysKeepTheirWriteOrder)
{
    EXPECT_EQ(write("PRTFLD", "FIELDB", "0001", "b1"), 1);
    EXPECT_EQ(write("PRTFLD", "FIELDA", "0001", "a1"), 2);
    EXPECT_EQ(write("PRTFLD", "FIELDA", "0001", "a2"), 3);
    EXPECT_EQ(write("PRTFLD", "FIELDA", "0001", "a3"), 4);
    EXPECT_EQ(write("PRTFLD", "FIELDA", "0000", "z1"), 5);
    EXPECT_EQ(write("PRTFLD", "FIELDB", "0001", "b2"), 6);

    const std::vector<std::string> all{"z1", "a1", "a2", "a3", "b1", "b2"};
    EXPECT_EQ(walk(2, rec("PRTFLD", "", ""), 1), all);
    EXPECT_EQ(walk(2, rec("PRTFLD", "", "0001"), 2), (std::vector<std::string>{"a1", "a2", "a3", "b1", "b2"}));
    EXPECT_EQ(walk(2, rec("PRTFLD", "FIELDA", "0001"), 3), (std::vector<std::string>{"a1", "a2", "a3"}));
    EXPECT_EQ(walk(2, rec("PRTFLD", "FIELDB", "0001"), 3), (std::vector<std::string>{"b1", "b2"}));

    /* written while the second order is built: the newest of its equals */
    EXPECT_EQ(write("PRTFLD", "FIELDA", "0001", "a4"), 7);
    EXPECT_EQ(walk(3, rec("PRTFLD", "FIELDA", "0001"), 3), (std::vector<std::string>{"a1", "a2", "a3", "a4"}));

    /* the first order (kind, name, qualifier) keeps them alike */
    std::vector<std::string> first;
    FFC_WORK_RECORD k = rec("PRTFLD", "FIELDA", "0001");
    for (char c = WF_cReadFirst(&ctx, 4, &k, 3); c == '0' && first.size() < 20; c = WF_cReadNext(&ctx, 4, &k, 3))
        first.push_back(data(k));
    EXPECT_EQ(first, (std::vector<std::string>{"a1", "a2", "a3", "a4"}));
}

// A record among equals deleted or updated through the second order: the
// walk goes on with the next of them, and an update that keeps the key
// keeps the record's place among its equals.
TEST_F(SecondOrder, EqualKeysAfterADeleteAndAnUpdate)
{
    for (const char* d : {"e1", "e2", "e3", "e4"})
        ASSERT_GT(write("RCDFLD", "F", "0007", d), 0);
    FFC_WORK_RECORD s = rec("RCDFLD", "F", "0007");
    ASSERT_EQ(WF_cReadFirstBySecondKey(&ctx, 2, &s, 3), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '0');
    EXPECT_EQ(data(s), "e2");
    ASSERT_EQ(WF_cDeleteBySecondKey(&ctx, 2, &s), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '0');
    EXPECT_EQ(data(s), "e3");
    std::memcpy(s.acData, "E3", 2);
    ASSERT_EQ(WF_cUpdateBySecondKey(&ctx, 2, &s), '0');
    ASSERT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '0');
    EXPECT_EQ(data(s), "e4");
    EXPECT_EQ(WF_cReadNext(&ctx, 2, &s, 3), '1');
    EXPECT_EQ(walk(5, rec("RCDFLD", "F", "0007"), 3), (std::vector<std::string>{"e1", "E3", "e4"}));
}

}  // namespace
