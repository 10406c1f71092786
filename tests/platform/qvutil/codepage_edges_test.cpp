// Code pages at their edges: a name that fills the buffer but for its
// terminator, and an unpaired surrogate streamed into a code page that is
// no Unicode one.
#include "platform/qvutil/qvutil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

int Append(void* ctx, const char* pb, size_t cb)
{
    static_cast<std::string*>(ctx)->append(pb, cb);
    return 0;
}

// "windows-1252" is 12 characters: 13 bytes hold it with its terminator,
// 12 do not (the buffer then holds "").
TEST(QvutilCodePageEdges, AnIanaNameNeedsRoomForItsTerminator)
{
    char buf[16];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(UTC_GetIANACharset(1252, 0, buf, 13), 0);
    EXPECT_STREQ(buf, "windows-1252");
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(UTC_GetIANACharset(1252, 0, buf, 12), -1);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(buf[12], 'x') << "nothing is written past the buffer";
    EXPECT_EQ(UTC_GetIANACharset(65001, 0, buf, 6), 0);
    EXPECT_STREQ(buf, "UTF-8");
    EXPECT_EQ(UTC_GetIANACharset(65001, 0, buf, 5), -1);
    EXPECT_EQ(UTC_GetIANACharset(1252, 0, buf, 0), -1);
}

// An unpaired surrogate is a character the code page cannot hold: in a
// code page that is no Unicode one it becomes '?' like any other; only a
// Unicode target takes U+FFFD for it.
TEST(QvutilCodePageEdges, AnUnpairedSurrogateInANonUnicodeCodePage)
{
    char buf[16];
    const char16_t text[] = {u'x', 0xD800, u'y', 0xDC00, u'z'};
    std::string out;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&out, 1252, text, 5, buf, sizeof buf, Append), 5L);
    EXPECT_EQ(out, "x?y?z");
    std::string latin;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&latin, 28591, text, 5, buf, sizeof buf, Append), 5L);
    EXPECT_EQ(latin, "x?y?z");
    std::string wide;
    EXPECT_EQ(UTC_WideCharToMultiByteStream(&wide, 1200, text, 5, buf, sizeof buf, Append), 10L);
    EXPECT_EQ(wide, std::string("x\0\xFD\xFFy\0\xFD\xFFz\0", 10));
}

}  // namespace
