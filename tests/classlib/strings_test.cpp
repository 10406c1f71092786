// Strings, buffers, wide-text helpers and exceptions.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "classlib/base/lexception.h"
#include "classlib/base/lstrings.h"
#include "classlib/base/wide_text.h"

TEST(LWStringTest, NullAndEmptyAreDistinct)
{
    LWString empty = LWString::fromMultiByte(nullptr);
    LWString null;
    null.assignMultiByte(nullptr);
    EXPECT_FALSE(empty.isNull());
    EXPECT_EQ(empty.length(), 0);
    EXPECT_TRUE(null.isNull());
    EXPECT_EQ(empty.compare(null), 1);
    EXPECT_EQ(null.compare(empty), -1);
    EXPECT_EQ(LWString().compare(LWString()), 0);
}

TEST(LWStringTest, CompareOrdersByCodeUnits)
{
    EXPECT_EQ(LWString(u"a").compare(u"ab"), -1);
    EXPECT_EQ(LWString(u"ab").compare(u"a"), 1);
    EXPECT_EQ(LWString(u"ab").compare(u"ab"), 0);
    EXPECT_TRUE(LWString(u"a") < LWString(u"b"));
    LWString x(u"x");
    EXPECT_FALSE(x < x);
    std::pair<LWString, LWString> p1{u"a", u"b"}, p2{u"a", u"c"};
    EXPECT_TRUE(p1 < p2);
    EXPECT_FALSE(p2 < p1);
}

TEST(LWStringTest, LeftOfRightOf)
{
    EXPECT_EQ(LWString(u"tsml:field").rightOf(u':'), LWString(u"field"));
    EXPECT_EQ(LWString(u"tsml:field").leftOf(u':'), LWString(u"tsml"));
    LWString r = LWString(u"field").rightOf(u':');
    EXPECT_FALSE(r.isNull());
    EXPECT_EQ(r.length(), 0);
    EXPECT_EQ(LWString(u"field").leftOf(u':'), LWString(u"field"));
    EXPECT_TRUE(LWString().leftOf(u':').isNull());
    EXPECT_TRUE(LWString().rightOf(u':').isNull());
}

TEST(LWStringTest, EndsWithAppendJoinRemove)
{
    LWString name(u"style.xsl");
    EXPECT_TRUE(name.endsWith(u".xsl"));
    EXPECT_TRUE(name.endsWith(u"style.xsl"));
    EXPECT_FALSE(name.endsWith(u"xstyle.xsl"));
    EXPECT_FALSE(LWString().endsWith(u"a"));

    LWString s;
    s.append(u"abc", 2);
    EXPECT_EQ(s, LWString(u"ab"));
    s.append(static_cast<const char16_t*>(nullptr));
    EXPECT_EQ(s, LWString(u"ab"));
    EXPECT_EQ(LWString(u"x") + LWString(u"y"), LWString(u"xy"));
    EXPECT_EQ(u"p" + LWString(), LWString(u"p"));
    EXPECT_EQ(LWString::joinWithColon(LWString(), u"loc"), LWString(u":loc"));
    EXPECT_EQ(LWString::joinWithColon(u"wd", u"loc"), LWString(u"wd:loc"));
    const LWString stem(u"orderwam");
    EXPECT_EQ(LWString::concat(stem, u"_layout"), LWString(u"orderwam_layout"));
    EXPECT_EQ(stem, LWString(u"orderwam")) << "concat leaves its operand";
    EXPECT_EQ(LWString::concat(stem, nullptr), stem);
    EXPECT_EQ(LWString::concat(LWString(), u"_"), LWString(u"_")) << "a null string joins as nothing";
    EXPECT_TRUE(LWString::concat(LWString(), nullptr).isNull());

    LWString g(u"{A-B}");
    g.removeChar(u'{');
    g.removeChar(u'}');
    g.removeChar(u'-');
    EXPECT_EQ(g, LWString(u"AB"));
}

TEST(LWStringTest, ConversionsRoundTripNonAscii)
{
    LWString w = LWString::fromMultiByte("Gr\xC3\xBC\xC3\x9F"
                                         "e \xE2\x82\xAC");
    EXPECT_EQ(w, LWString(u"Grüße €"));
    EXPECT_STREQ(w.toMultiByte().c_str(), "Gr\xC3\xBC\xC3\x9F"
                                          "e \xE2\x82\xAC");
    LWString latin = LWString::fromMultiByteCodePage("caf\xE9", 1252);
    EXPECT_EQ(latin, LWString(u"café"));
    EXPECT_EQ(LWString::fromCharBufferCodePage(LCharBuffer("caf\xE9"), 1252), latin);
    const LWString empty = LWString::fromCharBufferCodePage(LCharBuffer(), 1252);
    EXPECT_FALSE(empty.isNull()) << "an empty buffer gives the empty text";
    EXPECT_EQ(empty.length(), 0);
    // Each byte that is no character of the code page becomes one
    // replacement character; the characters around it are kept.
    int32_t count = -1;
    auto bad = P3142_MultiByteToWide("\xFF\xFE\xFD", 3, &count, 0);
    EXPECT_EQ(std::u16string(bad.get()), u"\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(count, 3);
    EXPECT_EQ(LWString::fromMultiByteCodePage("Sm\xF6h", 0), LWString(u"Sm\uFFFDh")) << "Latin-1 read as UTF-8";
    EXPECT_EQ(LWString::fromMultiByteCodePage("Sm\xF6h \x81 Tot\xE4", 1252), LWString(u"Smöh \uFFFD Totä"))
        << "0x81 is no character of code page 1252";
    auto none = P3142_MultiByteToWide(nullptr, 0, &count, 0);
    EXPECT_EQ(none[0], 0);
    EXPECT_EQ(count, 0);
    EXPECT_STREQ(P3142_WideToMultiByte(nullptr).get(), "");
}

TEST(LWStringTest, CodePageZeroIsUtf8WhateverTheLocale)
{
    const char* saved = std::getenv("LC_ALL");
    std::string old = saved ? saved : "";
    ASSERT_EQ(setenv("LC_ALL", "de_DE.ISO-8859-1", 1), 0);
    LWString w = LWString::fromMultiByteCodePage("caf\xC3\xA9", 0);
    LCharBuffer back = w.toMultiByte();
    if (saved)
        setenv("LC_ALL", old.c_str(), 1);
    else
        unsetenv("LC_ALL");
    EXPECT_EQ(w, LWString(u"café"));
    EXPECT_STREQ(back.c_str(), "caf\xC3\xA9");
    // An OEM code page and the EUC form of Japanese.
    EXPECT_EQ(LWString::fromMultiByteCodePage("caf\x82", 437), LWString(u"café"));
    EXPECT_EQ(LWString::fromMultiByteCodePage("\xA4\xA2", 20932), LWString(u"\u3042"));
}

TEST(LCharBufferTest, FormatAssignRelease)
{
    LCharBuffer b;
    b.format(0, "%d", 5);
    EXPECT_TRUE(b.isEmpty());
    b.format(6, "%s", "abcdefgh");
    EXPECT_STREQ(b.c_str(), "abcde");
    EXPECT_EQ(b.length(), 5u);
    LCharBuffer c(b);
    EXPECT_STREQ(c.c_str(), "abcde");
    c.assign(nullptr, 3);
    EXPECT_TRUE(c.isEmpty());
    c.assign("xyz", 2);
    EXPECT_STREQ(c.c_str(), "xy");
    auto raw = c.release();
    EXPECT_TRUE(c.isEmpty());
    EXPECT_STREQ(raw.get(), "xy");
    LCharBuffer empty(static_cast<const char*>(nullptr));
    EXPECT_TRUE(empty.isEmpty());
    LCharBuffer nonNullEmpty("");
    EXPECT_FALSE(nonNullEmpty.isEmpty());
}

TEST(LWStringArrayTest, CapacityDropAndCheckedEntry)
{
    LWStringArray a(2);
    a.append(u"one");
    a.append(u"two");
    a.append(u"three");  // dropped
    EXPECT_EQ(a.used(), 2);
    EXPECT_EQ(a.entry(1), LWString(u"two"));
    EXPECT_THROW(a.entry(2), LException);
    EXPECT_THROW(a.entry(-1), LException);
    auto copy = a.clone();
    int n = 0;
    for (LWString s : *copy) {
        (void)s;
        ++n;
    }
    EXPECT_EQ(n, 2);
    LWStringArray b(3);
    b.append(u"x");
    int visited = 0, nulls = 0;
    for (LWString s : b) {
        ++visited;
        if (s.isNull())
            ++nulls;
    }
    EXPECT_EQ(visited, 3);  // the whole capacity is walked
    EXPECT_EQ(nulls, 2);
}

TEST(WideTextTest, CopyRangeAndFindSubstring)
{
    LWString r;
    P3142_WdCopyWideRange(LWString(u"abcdef"), r, 2, 3);
    EXPECT_EQ(r, LWString(u"cde"));
    P3142_WdCopyWideRange(LWString(u"abcdef"), r, 4, -1);
    EXPECT_EQ(r, LWString(u"ef"));
    P3142_WdCopyWideRange(LWString(), r, 0, 1);
    EXPECT_TRUE(r.isNull());
    EXPECT_THROW(P3142_WdCopyWideRange(LWString(u"abc"), r, 4, 0), int);
    EXPECT_THROW(P3142_WdCopyWideRange(LWString(u"abc"), r, 1, 3), int);

    EXPECT_EQ(P3142_WdFindWideSubstring(u"dir/page.xsl", u".xsl"), LWString(u"dir/page"));
    EXPECT_EQ(P3142_WdFindWideSubstring(u"a.xslt.xsl", u".xsl"), LWString(u"a"));
    EXPECT_EQ(P3142_WdFindWideSubstring(u"plain", u".xsl"), LWString(u"plain"));
    EXPECT_EQ(P3142_WdFindWideSubstring(u"", u".xsl"), LWString(u""));
    EXPECT_TRUE(P3142_WdFindWideSubstring(LWString(), u".xsl").isNull());
}

TEST(LExceptionTest, CopiesAndCatchesByBase)
{
    LException none(nullptr);
    LException copy(none);
    EXPECT_EQ(copy.message(), nullptr);
    try {
        throw LStreamFileLockException("locked");
    } catch (const LStreamFileException& e) {
        EXPECT_STREQ(e.message(), "locked");
    }
    try {
        throw LDOMException("dom");
    } catch (const LParserException& e) {
        EXPECT_STREQ(e.message(), "dom");
    }
    try {
        throw LJsonWriterException("json");
    } catch (const LException& e) {
        EXPECT_STREQ(e.message(), "json");
    }
}

// The weblet inliner's exception: from a message, or from where and what.
TEST(LExceptionTest, InlinerExceptionFromAPair)
{
    try {
        throw WdInlinerException("initialize", "the stylesheet is missing");
    } catch (const LException& e) {
        EXPECT_STREQ(e.message(), "initialize: the stylesheet is missing");
    }
    WdInlinerException pair("writeToStreamFile: File ", "x.xsl: denied");
    WdInlinerException copy(pair);
    EXPECT_STREQ(copy.message(), "writeToStreamFile: File : x.xsl: denied");
    EXPECT_STREQ(WdInlinerException(nullptr, nullptr).message(), ": ");
    EXPECT_STREQ(WdInlinerException("plain").message(), "plain");
    EXPECT_EQ(WdInlinerException(static_cast<const char*>(nullptr)).message(), nullptr);
}

TEST(LExceptionTest, SystemErrorText)
{
    EXPECT_STREQ(P3142_FormatWin32Error(2).c_str(), std::strerror(2));
    // Facility-8 code whose low word is 5 looks up error 5.
    EXPECT_STREQ(P3142_FormatWin32Error(0x80080005u).c_str(), std::strerror(5));
    EXPECT_STREQ(P3142_FormatWin32Error(0x12345u).c_str(), "Error code: 0x12345.");
}
