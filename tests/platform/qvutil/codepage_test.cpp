// Code pages: native text to UTF-8 and back, IANA names, the default code
// page, and wide text streamed to a writer in pieces.
#include "platform/qvutil/qvutil.h"
#include "platform/qvutil/qvutil_iconv.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Collected {
    std::vector<std::string> pieces;
    int stopAfter = -1;
};

int Collect(void* ctx, const char* pb, size_t cb)
{
    auto* c = static_cast<Collected*>(ctx);
    c->pieces.emplace_back(pb, cb);
    return (c->stopAfter >= 0 && static_cast<int>(c->pieces.size()) >= c->stopAfter) ? 1 : 0;
}

std::string Joined(const Collected& c)
{
    std::string s;
    for (const auto& p : c.pieces)
        s += p;
    return s;
}

std::u16string ToWide(const std::string& utf8)
{
    std::string bytes;
    EXPECT_TRUE(qvutil::Convert("UTF-8", "UTF-16LE", utf8, bytes));
    std::u16string w;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        w += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return w;
}

TEST(QvutilCodePage, Cp1252ToUtf8AndBack)
{
    const std::string native = "Caf\xE9 \x80 5 \x9C\xFF";  // é, €, œ, ÿ
    size_t len = 0;
    char* utf8 = UTC_NativeEncodingToUTF8(1252, native.c_str(), -1, UTC_Allocator, &len);
    ASSERT_NE(utf8, nullptr);
    EXPECT_EQ(std::string(utf8, len), "Caf\xC3\xA9 \xE2\x82\xAC 5 \xC5\x93\xC3\xBF");

    std::u16string wide = ToWide(std::string(utf8, len));
    UTC_Deallocator(utf8);
    char buf[4096];
    Collected back;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&back, 1252, wide.data(), wide.size(), buf, sizeof buf, Collect),
              static_cast<long>(native.size()));
    EXPECT_EQ(Joined(back), native);
}

// The C library's own conversion of one byte of code page 1252 into out;
// false where it has none.
bool IconvCp1252Byte(unsigned char b, std::string& out)
{
    iconv_t cd = iconv_open("UTF-8", "CP1252");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    char in[1] = {static_cast<char>(b)};
    char buf[8];
    char* inPtr = in;
    char* outPtr = buf;
    size_t inLeft = 1, outLeft = sizeof buf;
    const bool ok = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    out.assign(buf, static_cast<size_t>(outPtr - buf));
    return ok;
}

// Code page 1252 is converted without iconv: every byte as the C library's
// iconv converts it, the undefined ones failing or replaced.
TEST(QvutilCodePage, Cp1252BytesConvertAsIconvDoes)
{
    std::string all;
    std::string wanted;
    for (int b = 0; b < 256; ++b) {
        std::string want;
        const bool defined = IconvCp1252Byte(static_cast<unsigned char>(b), want);
        std::string got;
        const std::string one(1, static_cast<char>(b));
        EXPECT_EQ(qvutil::Convert("CP1252", "UTF-8", one, got), defined) << b;
        if (defined) {
            EXPECT_EQ(got, want) << b;
            all += one;
            wanted += want;
        }
        EXPECT_TRUE(qvutil::ConvertReplacing("CP1252", "UTF-8", "a" + one + "b", got, "?")) << b;
        EXPECT_EQ(got, "a" + (defined ? want : std::string("?")) + "b") << b;
    }
    EXPECT_EQ(all.size(), 251u);  // 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character
    std::string got;
    EXPECT_TRUE(qvutil::Convert("CP1252", "UTF-8", all, got));
    EXPECT_EQ(got, wanted);
}

TEST(QvutilCodePage, UndefinedBytesAndUnknownCodePagesFail)
{
    size_t len = 99;
    EXPECT_EQ(UTC_NativeEncodingToUTF8(1252, "a\x81z", 3, UTC_Allocator, &len), nullptr);
    EXPECT_EQ(len, 0u);
    EXPECT_EQ(UTC_NativeEncodingToUTF8(4711, "abc", 3, UTC_Allocator, nullptr), nullptr);
    // An embedded NUL counts when the length is given.
    char* s = UTC_NativeEncodingToUTF8(1252, "a\0b", 3, UTC_Allocator, &len);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::string(s, len), std::string("a\0b", 3));
    UTC_Deallocator(s);
    // Shift-JIS: the two bytes 82 A0 are HIRAGANA LETTER A.
    s = UTC_NativeEncodingToUTF8(932, "\x82\xA0", -1, UTC_Allocator, &len);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(std::string(s, len), "\xE3\x81\x82");
    UTC_Deallocator(s);
}

TEST(QvutilCodePage, DefaultCodePageAndIanaNames)
{
    const char* saved = std::getenv("LC_ALL");
    std::string keep = saved ? saved : "";
    char buf[26];
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_EQ(UTC_GetCurrentPageCode(buf, 6), 0);
    EXPECT_STREQ(buf, "65001");
    EXPECT_EQ(UTC_GetIANACharset(0, 0, buf, 26), 0);
    EXPECT_STREQ(buf, "UTF-8");
    setenv("LC_ALL", "ja_JP.eucJP", 1);
    EXPECT_EQ(UTC_GetCurrentPageCode(buf, 6), 0);
    EXPECT_STREQ(buf, "51932");
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(UTC_GetCurrentPageCode(buf, 6), 0);
    EXPECT_STREQ(buf, "1252");
    EXPECT_EQ(UTC_GetCurrentPageCode(buf, 3), -1);
    EXPECT_STREQ(buf, "12");
    EXPECT_EQ(UTC_GetIANACharset(0, 0, buf, 26), 0);
    EXPECT_STREQ(buf, "windows-1252");
    EXPECT_EQ(UTC_GetIANACharset(932, 0, buf, 26), 0);
    EXPECT_STREQ(buf, "Shift_JIS");
    EXPECT_EQ(UTC_GetIANACharset(1252, 0, buf, 5), -1);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(UTC_GetIANACharset(4711, 0, buf, 26), -1);
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");

    // Every code page the table names is one iconv can open.
    for (unsigned cp : {37u,   437u,   850u,   866u,   874u,   932u,   936u,   949u,   950u,   1140u,  1200u, 1250u,
                        1258u, 10000u, 20127u, 20866u, 28591u, 28605u, 50220u, 51932u, 51949u, 54936u, 65001u}) {
        std::string out;
        EXPECT_TRUE(qvutil::Convert("UTF-8", qvutil::IconvName(cp), "A", out)) << cp;
        EXPECT_NE(qvutil::IanaName(cp), nullptr) << cp;
    }
}

TEST(QvutilCodePage, WideStreamCrossesThePieceBoundaryWithoutSplittingCharacters)
{
    // 3,000 times "€": 9,000 bytes of UTF-8. 4,096 is not a multiple of 3,
    // so a character would straddle each piece boundary; instead each piece
    // ends one byte short, with whole characters only.
    std::u16string wide(3000, u'\u20AC');
    char buf[4096];
    Collected c;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&c, UTC_CP_UTF8, wide.data(), wide.size(), buf, sizeof buf, Collect),
              9000L);
    ASSERT_EQ(c.pieces.size(), 3u);
    EXPECT_EQ(c.pieces[0].size(), 4095u);
    EXPECT_EQ(c.pieces[1].size(), 4095u);
    EXPECT_EQ(c.pieces[2].size(), 810u);
    for (const std::string& p : c.pieces) {
        std::string check;
        EXPECT_TRUE(qvutil::Convert("UTF-8", "UTF-16LE", p, check)) << "piece splits a character";
    }
    std::string expected;
    for (int i = 0; i < 3000; ++i)
        expected += "\xE2\x82\xAC";
    EXPECT_EQ(Joined(c), expected);

    // 5,000 single-byte characters in CP1252: one full piece and the rest.
    std::u16string e(5000, u'\u00E9');
    Collected d;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&d, 1252, e.data(), e.size(), buf, sizeof buf, Collect), 5000L);
    ASSERT_EQ(d.pieces.size(), 2u);
    EXPECT_EQ(d.pieces[0], std::string(4096, '\xE9'));
    EXPECT_EQ(d.pieces[1], std::string(904, '\xE9'));

    // A writer that stops the stream.
    Collected stop;
    stop.stopAfter = 1;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&stop, 1252, e.data(), e.size(), buf, sizeof buf, Collect), -1);
    EXPECT_EQ(stop.pieces.size(), 1u);
}

TEST(QvutilCodePage, UnrepresentableCharactersAndBrokenSurrogates)
{
    char buf[16];
    Collected c;
    const char16_t text[] = u"A\u4E2DB";
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&c, 1252, text, 3, buf, sizeof buf, Collect), 3L);
    EXPECT_EQ(Joined(c), "A?B");
    Collected u;
    const char16_t broken[] = {u'x', 0xD800, u'y', 0xDC00};
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&u, UTC_CP_UTF8, broken, 4, buf, sizeof buf, Collect), 8L);
    EXPECT_EQ(Joined(u), "x\xEF\xBF\xBDy\xEF\xBF\xBD");
    Collected pair;
    const char16_t smile[] = {0xD83D, 0xDE00};
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&pair, 1252, smile, 2, buf, sizeof buf, Collect), 1L);
    EXPECT_EQ(Joined(pair), "?");
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&pair, 1252, smile, 2, buf, 4, Collect), -1);  // buffer too small
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&pair, 4711, smile, 2, buf, sizeof buf, Collect), -1);
}

}  // namespace
