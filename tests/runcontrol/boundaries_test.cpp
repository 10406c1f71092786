// The edges of the fixed-field helpers and the named lists: centring with
// an even and an odd number of blanks to share, digits at the ends of the
// digit range, a padded buffer as long as its source, and entry numbers
// below and at the top of a list.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"

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

// A source as long as its target fills it without padding; a shorter one
// is padded with blanks, an empty one leaves only blanks.
TEST(FixBoundaries, PaddedBufferOfTheSourcesLength)
{
    char t[6];
    std::memcpy(t, "......", 6);
    EXPECT_EQ(LoadPaddedBuffer(t, 6, "abcdef", 6), 0);
    EXPECT_EQ(std::string(t, 6), "abcdef");
    EXPECT_EQ(LoadPaddedBuffer(t, 6, "abcde", 5), 0);
    EXPECT_EQ(std::string(t, 6), "abcde ");
    EXPECT_EQ(LoadPaddedBuffer(t, 6, "", 0), 0);
    EXPECT_EQ(std::string(t, 6), "      ");
}

// Entry numbers of a named list below the highest used leave it where it
// is: an entry put back in the middle does not lower it, and number 0
// still appends after the highest.
TEST(ListBoundaries, AnEntryBelowTheHighestKeepsIt)
{
    FFC_CONTEXT ctx{};
    for (const char type : {'V', 'F'}) {
        const char* name = type == 'V' ? "DC_P3019/VL/EDGES" : "DC_P3019/FL/EDGES";
        uint16_t size = 4, count = 9;
        ASSERT_EQ(qvrmm1(&ctx, type, name, &size, &count, nullptr), 0);
        uint16_t n = 5, len = 4;
        ASSERT_EQ(QVRMM_sPutEntry(&ctx, name, &n, "five", &len), 0);
        n = 2;
        ASSERT_EQ(QVRMM_sPutEntry(&ctx, name, &n, "two ", &len), 0);
        EXPECT_EQ(QVRMM_usHighestEntry(&ctx, name), 5) << type;
        n = 0;
        ASSERT_EQ(QVRMM_sPutEntry(&ctx, name, &n, "six ", &len), 0);
        EXPECT_EQ(n, 6) << type;
        EXPECT_EQ(QVRMM_usHighestEntry(&ctx, name), 6) << type;
        /* the last entry of the capacity is one to put, the one after it not */
        n = 9;
        EXPECT_EQ(QVRMM_sPutEntry(&ctx, name, &n, "nine", &len), 0) << type;
        n = 10;
        EXPECT_EQ(QVRMM_sPutEntry(&ctx, name, &n, "ten ", &len), QVRMM_CAPACITY) << type;
        char entry[5] = {};
        n = 5;
        ASSERT_EQ(QVRMM_sGetEntry(&ctx, name, &n, entry, &len), 0);
        EXPECT_EQ(std::string(entry, 4), "five") << type;
    }
    P31O2_FreeRunContext(&ctx);
}

}  // namespace
