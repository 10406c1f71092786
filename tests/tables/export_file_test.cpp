// Table-definition export file: packed decimal, compression, records.
#include "support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

using namespace ctdtest;

namespace {

using Bytes = std::vector<unsigned char>;

// Compresses (or, with `expand`, expands) a record body of at most 200 bytes.
Bytes transform(const Bytes& in, bool expand)
{
    X_CTD_EXPORT_FILE handle;
    handle.compressed = 1;
    Bytes out(200);
    size_t n = expand ? X_CTD_ExpandRecord(handle, in.data(), in.size(), out.data(), out.size())
                      : X_CTD_CompressRecord(handle, in.data(), in.size(), out.data(), out.size());
    out.resize(n == static_cast<size_t>(-1) ? 0 : n);
    return n == static_cast<size_t>(-1) ? Bytes{'!'} : out;
}

}  // namespace

TEST(ExportFile, PackedDecimalAndRunLengthCompression)
{
    unsigned char b[4];
    X_CTD_PackDecimal(b, 4, 1234);
    EXPECT_EQ(Bytes(b, b + 4), (Bytes{0x00, 0x00, 0x12, 0x34}));
    EXPECT_EQ(X_CTD_UnpackDecimal(b, 4), 1234u);
    X_CTD_PackDecimal(b, 2, 12345);  // leading digits lost
    EXPECT_EQ(Bytes(b, b + 2), (Bytes{0x23, 0x45}));

    // Six equal bytes stay a run of single bytes; seven become a packed run.
    EXPECT_EQ(transform(Bytes(6, 0x41), false), (Bytes{'S', 0, 0, 0, 6, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 'E'}));
    EXPECT_EQ(transform(Bytes(7, 0x41), false), (Bytes{'P', 0x41, 0, 0, 0, 7, 'E'}));
    const Bytes mixed = {0x42, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 0x41, 0x43};
    const Bytes stored = transform(mixed, false);
    EXPECT_EQ(stored, (Bytes{'S', 0, 0, 0, 1, 0x42, 'P', 0x41, 0, 0, 0, 7, 'S', 0, 0, 0, 1, 0x43, 'E'}));
    EXPECT_EQ(transform(stored, true), mixed);
    EXPECT_TRUE(transform(Bytes{'E', 'S'}, true).empty());
    // A corrupt count is refused rather than read past the stored body.
    EXPECT_EQ(transform(Bytes{'S', 0, 0, 0x99, 0x99, 0x41}, true), Bytes{'!'});
}

class ExportRecords : public testing::TestWithParam<int> {};

TEST_P(ExportRecords, WriteReadAndEndRecord)
{
    TempDir dir;
    std::string path = (dir.path() / "t.exp").string();
    X_CTD_EXPORT_FILE_PTR out;
    ASSERT_EQ(X_CTD_OpenExportFile(path.c_str(), out, GetParam()), 1);
    out->recordCode = 12;
    out->fieldCount = 2;
    out->fields[0].length = 2;
    std::memcpy(out->fields[0].data, "AB", 2);
    out->fields[1].length = 0;
    EXPECT_EQ(X_CTD_WriteExportRecord(*out), 0);
    out->recordCode = 13;
    out->fieldCount = 1;
    out->fields[0].length = 9000;
    std::memset(out->fields[0].data, 'z', 9000);
    EXPECT_EQ(X_CTD_WriteExportRecord(*out), 0);
    EXPECT_EQ(X_CTD_CloseExportFile(out), 1);
    EXPECT_EQ(out, nullptr);

    std::string file = readFile(path);
    EXPECT_EQ(file.substr(0, 26), GetParam() == 2 ? X_CTD_EXPORT_HEADER_NORM : X_CTD_EXPORT_HEADER_COMP);
    if (GetParam() == 2) {
        // Length 12, then code 12, field AB, empty field.
        EXPECT_EQ(file.substr(26, 16), std::string("\x00\x00\x00\x12\x00\x12\x00\x00\x00\x02"
                                                   "AB\x00\x00\x00\x00",
                                                   16));
    }

    X_CTD_EXPORT_FILE_PTR in;
    ASSERT_EQ(X_CTD_OpenExportFile(path.c_str(), in, 1), 1);
    EXPECT_EQ(in->compressed, GetParam() == 3 ? 1 : 0);
    ASSERT_EQ(X_CTD_ReadExportRecord(*in), 0);
    EXPECT_EQ(in->recordCode, 12);
    ASSERT_EQ(in->fieldCount, 2);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(in->fields[0].data), in->fields[0].length), "AB");
    EXPECT_EQ(in->fields[1].length, 0u);
    ASSERT_EQ(X_CTD_ReadExportRecord(*in), 0);
    EXPECT_EQ(in->recordCode, 13);
    EXPECT_EQ(in->fields[0].length, 9000u);
    EXPECT_EQ(in->fields[0].data[8999], 'z');
    ASSERT_EQ(X_CTD_ReadExportRecord(*in), 0);
    EXPECT_EQ(in->recordCode, 999);
    EXPECT_EQ(in->fieldCount, 0);
    EXPECT_EQ(X_CTD_ReadExportRecord(*in), 1);
    EXPECT_EQ(X_CTD_CloseExportFile(in), 1);
    EXPECT_EQ(readFile(path), file);  // closing a read handle writes nothing
}

INSTANTIATE_TEST_SUITE_P(ExportFile, ExportRecords, testing::Values(2, 3));

TEST(ExportFile, RefusedFilesAndRecords)
{
    TempDir dir;
    X_CTD_EXPORT_FILE_PTR h;
    std::string bad = dir.file("bad.exp", "VELMORK731EXPORTFILE=XXXX=");
    EXPECT_EQ(X_CTD_OpenExportFile(bad.c_str(), h, 1), 0);
    EXPECT_EQ(X_CTD_CloseExportFile(h), 1);
    EXPECT_EQ(X_CTD_OpenExportFile("/nonexistent/x.exp", h, 1), 0);
    EXPECT_NE(h, nullptr);
    EXPECT_EQ(X_CTD_CloseExportFile(h), 1);

    // Eleven fields do not fit the current-record area.
    std::string body("\x00\x01", 2);
    for (int i = 0; i < 11; ++i)
        body += std::string("\x00\x00\x00\x01", 4) + "x";
    unsigned char length[4];
    X_CTD_PackDecimal(length, 4, static_cast<uint32_t>(body.size()));
    std::string eleven = std::string(X_CTD_EXPORT_HEADER_NORM) + std::string(reinterpret_cast<char*>(length), 4) + body;
    std::string path = dir.file("eleven.exp", eleven);
    ASSERT_EQ(X_CTD_OpenExportFile(path.c_str(), h, 1), 1);
    EXPECT_EQ(X_CTD_ReadExportRecord(*h), 3);
    X_CTD_CloseExportFile(h);

    // A short body is a short read.
    std::string shortFile =
        dir.file("short.exp", std::string(X_CTD_EXPORT_HEADER_NORM) + std::string("\x00\x00\x00\x50", 4) + "abc");
    ASSERT_EQ(X_CTD_OpenExportFile(shortFile.c_str(), h, 1), 1);
    EXPECT_EQ(X_CTD_ReadExportRecord(*h), 3);
    X_CTD_CloseExportFile(h);
}

namespace {

size_t openDescriptors()
{
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd"))
        ++n;
    return n;
}

}  // namespace

TEST(ExportFile, HandlesDroppedWithoutClosingReleaseTheirStreams)
{
    TempDir dir;
    std::string bad = dir.file("bad.exp", "VELMORK731EXPORTFILE=XXXX=");
    std::string good = dir.file("good.exp", X_CTD_EXPORT_HEADER_NORM);
    const size_t before = openDescriptors();
    {
        X_CTD_EXPORT_FILE_PTR h;
        // A refused header leaves the stream open in the handle.
        EXPECT_EQ(X_CTD_OpenExportFile(bad.c_str(), h, 1), 0);
        ASSERT_NE(h, nullptr);
        EXPECT_NE(h->stream, nullptr);
        // Opening again on the same handle pointer replaces the first handle.
        ASSERT_EQ(X_CTD_OpenExportFile(good.c_str(), h, 1), 1);
        EXPECT_EQ(openDescriptors(), before + 1);
    }
    EXPECT_EQ(openDescriptors(), before);
}
