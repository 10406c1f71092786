// Stylesheet cache and slot array.
#include <gtest/gtest.h>

#include <cstdio>

#include "classlib/xml/xslt_cache.h"
#include "xml_test_util.h"

namespace {

std::string sheet(const char* out)
{
    return std::string("<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
                       "<xsl:output method='text'/><xsl:template match='/'>") +
           out + "</xsl:template></xsl:stylesheet>";
}

LWString W(const std::string& s)
{
    return LWString::fromUtf8(s.c_str());
}

}  // namespace

TEST(XsltCacheTest, LeastRecentlyUsedIsReplaced)
{
    ScratchDir dir;
    std::string a = dir.write("A.xsl", sheet("A")), b = dir.write("B.xsl", sheet("B")),
                c = dir.write("C.xsl", sheet("C"));
    XSLTDocCache cache(2, false);
    LDOMDocument src(false, false);
    src.loadXML(u"<r/>");
    EXPECT_STREQ(cache.get(W(a)).transform(src).c_str(), "A");
    cache.get(W(b));
    cache.get(W(a));
    cache.get(W(c));
    EXPECT_EQ(cache.size(), 2);
    EXPECT_TRUE(cache.holds(W(a)));
    EXPECT_FALSE(cache.holds(W(b)));
    EXPECT_TRUE(cache.holds(W(c)));
    // A hit does not load again: the file may even be gone.
    std::remove(a.c_str());
    EXPECT_STREQ(cache.get(W(a)).transform(src).c_str(), "A");
    // A failing load leaves the cache as it was.
    EXPECT_THROW(cache.get(W(dir.file("missing.xsl"))), LXSLTException);
    EXPECT_EQ(cache.size(), 2);
    EXPECT_TRUE(cache.holds(W(c)));
    testing::internal::CaptureStdout();
    cache.dump();
    std::string dumped = testing::internal::GetCapturedStdout();
    // Entry 0 holds A (used last by the fifth get), entry 1 C, which took
    // B's place at the fourth.
    EXPECT_EQ(dumped, "\nCurrent size: 2. maximum size: 2.\n  Stylesheet: " + a + ". Last used: 5\n  Stylesheet: " + c +
                          ". Last used: 4\n");
}

TEST(XsltCacheTest, PathsDifferingInCaseAreTwoEntries)
{
    ScratchDir dir;
    std::string lower = dir.write("s.xsl", sheet("lower")), upper = dir.write("S.xsl", sheet("upper"));
    XSLTDocCache cache(4, false);
    LDOMDocument src(false, false);
    src.loadXML(u"<r/>");
    EXPECT_STREQ(cache.get(W(lower)).transform(src).c_str(), "lower");
    EXPECT_STREQ(cache.get(W(upper)).transform(src).c_str(), "upper");
    EXPECT_EQ(cache.size(), 2);
    EXPECT_THROW(XSLTDocCache(0, false), LException);
}

TEST(StylesheetSlotArrayTest, SlotsAreBuiltEmpty)
{
    StylesheetSlotArray slots(10);
    EXPECT_EQ(slots.capacity(), 10);
    EXPECT_EQ(slots.used, 0);
    EXPECT_FALSE(slots[9].inliner);
    EXPECT_TRUE(slots[9].document.isNull());
    EXPECT_EQ(slots[0].text, nullptr);
    EXPECT_THROW(slots[10], LException);
    StylesheetSlotArray none(0);
    EXPECT_EQ(none.capacity(), 0);
    EXPECT_THROW(none[0], LException);
}
