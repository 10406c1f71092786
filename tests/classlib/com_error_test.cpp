// The four-line failure text of the document layer.
#include <gtest/gtest.h>

#include <string>

#include "classlib/xml/com_error.h"

TEST(ComErrorTest, FourLinesWithAbsentTexts)
{
    ComError e(lcom::E_FAIL_);
    EXPECT_EQ(std::string(comErrorText(e).c_str()),
              "Code=80004005\nCode meaning=Operation failed\nSource=\nDescription=\n");
}

TEST(ComErrorTest, FallbackMeanings)
{
    EXPECT_STREQ(ComError(0x80040205u).meaning(), "IDispatch error #5");
    EXPECT_STREQ(ComError(0x80040200u).meaning(), "Unknown error 0x80040200");
    EXPECT_STREQ(ComError(0x8123abcdu).meaning(), "Unknown error 0x8123ABCD");
}

TEST(ComErrorTest, LongDescriptionIsCut)
{
    std::string description(2000, 'd');
    ComError e(lcom::E_FAIL_, "src", description.c_str());
    LCharBuffer text = comErrorText(e);
    EXPECT_EQ(text.length(), 1023u);
    EXPECT_EQ(std::string(text.c_str()).substr(0, 54), "Code=80004005\nCode meaning=Operation failed\nSource=src");
    EXPECT_EQ(text.c_str()[1022], 'd');
    char small[8];
    EXPECT_STREQ(formatComErrorText(e, small, sizeof small), "Code=80");
}

TEST(ComErrorTest, GuardTurnsErrorIntoException)
{
    try {
        lcomGuard<LXSLTException>([]() -> int { throw ComError(lcom::E_POINTER_, "s", "d"); });
        FAIL();
    } catch (const LXSLTException& e) {
        EXPECT_STREQ(e.message(), "Code=80004003\nCode meaning=Invalid pointer\nSource=s\nDescription=d\n");
    }
}
