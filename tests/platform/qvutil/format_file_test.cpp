// Bounded formatting, byte-order marks, file attributes and directory trees.
#include "platform/dqoz/temp_root.h"
#include "platform/qvutil/qvutil.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace {

TEST(QvutilFormat, TruncatesAndTerminatesWithinTheSize)
{
    char buf[8];
    std::memset(buf, 'Z', sizeof buf);
    EXPECT_EQ(UTS_snprintf(buf, sizeof buf, "%s-%d", "ABCDEFGH", 12), 11);
    EXPECT_STREQ(buf, "ABCDEFG");
    EXPECT_EQ(UTS_snprintf(buf, 4, "%s", "abc"), 3);  // exact fit
    EXPECT_STREQ(buf, "abc");
    EXPECT_EQ(UTS_snprintf(buf, 3, "%s", "abc"), 3);  // not smaller than the size: cut
    EXPECT_STREQ(buf, "ab");
    buf[0] = 'Q';
    EXPECT_EQ(UTS_snprintf(buf, 0, "%d", 12345), 5);  // nothing written
    EXPECT_EQ(buf[0], 'Q');
    EXPECT_EQ(UTS_snprintf(nullptr, 0, "%d", 7), 1);
    EXPECT_LT(UTS_snprintf(buf, sizeof buf, nullptr), 0);
    EXPECT_STREQ(buf, "");
}

TEST(QvutilBom, OffsetsForEachMark)
{
    const unsigned char utf8[] = {0xEF, 0xBB, 0xBF, 'a'};
    const unsigned char le[] = {0xFF, 0xFE, 'a', 0};
    const unsigned char be[] = {0xFE, 0xFF, 0, 'a'};
    const unsigned char le32[] = {0xFF, 0xFE, 0, 0};
    const unsigned char be32[] = {0, 0, 0xFE, 0xFF};
    const unsigned char none[] = {'<', '?', 'x', 'm'};
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(utf8, 4), 3);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(utf8, 3), 3);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(utf8, 2), 0);  // too short to be a mark
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(le, 4), 2);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(le, 2), 2);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(be, 4), 2);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(le32, 4), 4);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(be32, 4), 4);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(none, 4), 0);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(none, 0), 0);
    EXPECT_EQ(UTF_GetByteOrderMarkOffset(nullptr, 4), 0);
}

TEST(QvutilAttributes, ReadOnlySetCheckAndReset)
{
    TempRoot root;
    root.mkdirs("X_VELMO");
    root.touch("X_VELMO/DATA.TXT");
    const char* name = "D:\\x_velmo\\data.txt";
    EXPECT_EQ(UTF_CheckFileAttribute(name, UTF_ATTR_READONLY), 0);
    EXPECT_EQ(UTF_SetSingleFileAttribute(name, UTF_ATTR_READONLY), 0);
    EXPECT_EQ(UTF_CheckFileAttribute(name, UTF_ATTR_READONLY), 1);
    EXPECT_EQ(UTF_ResetSingleFileAttribute(name, UTF_ATTR_READONLY), 0);
    EXPECT_EQ(UTF_CheckFileAttribute(name, UTF_ATTR_READONLY), 0);

    EXPECT_EQ(UTF_CheckFileAttribute("X_VELMO\\MISSING.TXT", UTF_ATTR_READONLY), 0);
    EXPECT_EQ(UTF_GetLastError(), static_cast<unsigned long>(ENOENT));
    EXPECT_EQ(UTF_SetSingleFileAttribute("X_VELMO\\MISSING.TXT", UTF_ATTR_READONLY), ENOENT);
    EXPECT_EQ(UTF_SetSingleFileAttribute(name, 2), EINVAL);
    EXPECT_EQ(UTF_GetLastError(), static_cast<unsigned long>(EINVAL));
    EXPECT_EQ(UTF_SetSingleFileAttribute("..\\outside.txt", UTF_ATTR_READONLY), EACCES);
}

TEST(QvutilDirectoryTree, CreatesEveryMissingLevel)
{
    TempRoot root;
    root.mkdirs("X_VELMO");
    EXPECT_EQ(LUTE_fCreateDirectoryTree("D:\\x_velmo\\TEMP\\gen\\run1", 0), 1);
    EXPECT_TRUE(root.exists("X_VELMO/TEMP/gen/run1"));
    EXPECT_EQ(LUTE_fCreateDirectoryTree("D:\\X_VELMO\\temp\\GEN\\run1", 0), 1);  // all there
    root.touch("X_VELMO/FILE");
    EXPECT_EQ(LUTE_fCreateDirectoryTree("X_VELMO\\FILE\\sub", 0), 0);
    EXPECT_EQ(UTF_GetLastError(), static_cast<unsigned long>(ENOTDIR));
    EXPECT_EQ(LUTE_fCreateDirectoryTree("X_VELMO\\..\\..\\escape", 0), 0);
}

}  // namespace
