// The stream interface over a library stream: what each method answers and
// does to the stream, and the XML output that writes through it.
#include <gtest/gtest.h>

#include <string>

#include "classlib/base/lexception.h"
#include "classlib/xml/com_error.h"
#include "classlib/xml/stream_output.h"

namespace {

// A stream whose every operation fails.
class BrokenStream : public LStream {
public:
    uint32_t write(const void*, uint32_t) override { throw LStreamException("disk gone"); }
    void flush() override { throw LStreamException("disk gone"); }
};

TEST(LMsIStreamAdapterTest, ReadWriteAndCountedReferences)
{
    LMemoryStream stream(0, nullptr, 2048);
    LMsIStreamAdapter adapter(stream);
    uint32_t written = 0;
    EXPECT_EQ(adapter.Write("hello", 5, &written), lcom::S_OK_);
    EXPECT_EQ(written, 5u);
    EXPECT_EQ(adapter.Write(" world", 6, nullptr), lcom::S_OK_) << "no count asked";
    EXPECT_EQ(stream.getSize(), 11u);
    char buffer[16] = {};
    uint32_t read = 0;
    EXPECT_EQ(adapter.Read(buffer, 5, &read), lcom::S_OK_);
    EXPECT_EQ(read, 5u);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    EXPECT_EQ(adapter.Read(buffer, 16, &read), lcom::S_OK_);
    EXPECT_EQ(std::string(buffer, read), " world");

    void* object = nullptr;
    for (const lcom::Iid* iid : {&lcom::IID_IUnknown_, &lcom::IID_ISequentialStream_, &lcom::IID_IStream_}) {
        object = nullptr;
        EXPECT_EQ(adapter.QueryInterface(*iid, &object), lcom::S_OK_);
        EXPECT_EQ(object, static_cast<void*>(&adapter));
    }
    EXPECT_EQ(adapter.AddRef(), 5u) << "one at construction, three from the queries";
    EXPECT_EQ(adapter.Release(), 4u);
    object = &adapter;
    EXPECT_EQ(adapter.QueryInterface(lcom::Iid{1}, &object), lcom::E_NOINTERFACE_);
    EXPECT_EQ(object, nullptr);
}

TEST(LMsIStreamAdapterTest, SeekRewindsOnlyFromTheStart)
{
    LMemoryStream stream(0, nullptr, 2048);
    stream.writeString("abcdef");
    LMsIStreamAdapter adapter(stream);
    char buffer[8];
    stream.position(0);
    ASSERT_EQ(stream.read(buffer, 3), 3u);
    EXPECT_EQ(adapter.Seek(2, lcom::STREAM_SEEK_CUR_, nullptr), lcom::STG_E_INVALIDFUNCTION_);
    EXPECT_EQ(adapter.Seek(0, lcom::STREAM_SEEK_END_, nullptr), lcom::STG_E_INVALIDFUNCTION_);
    ASSERT_EQ(stream.read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 'd') << "the stream stayed where it was";
    uint64_t position = 77;
    EXPECT_EQ(adapter.Seek(4, lcom::STREAM_SEEK_SET_, &position), lcom::S_OK_);
    EXPECT_EQ(position, 77u) << "the position is not written";
    ASSERT_EQ(stream.read(buffer, 1), 1u);
    EXPECT_EQ(buffer[0], 'a') << "any distance rewinds to the start";
}

TEST(LMsIStreamAdapterTest, StatAndTheMethodsItDoesNotOffer)
{
    LMemoryStream stream(0, nullptr, 2048);
    stream.writeString("12345");
    LMsIStreamAdapter adapter(stream);
    LStreamStatistics statistics;
    statistics.mode = 42;
    statistics.accessed = 9;
    EXPECT_EQ(adapter.Stat(&statistics, lcom::STATFLAG_DEFAULT_), lcom::STG_E_INVALIDFLAG_);
    EXPECT_EQ(statistics.size, 0u);
    EXPECT_EQ(adapter.Stat(&statistics, lcom::STATFLAG_NONAME_), lcom::S_OK_);
    EXPECT_EQ(statistics.name, nullptr);
    EXPECT_EQ(statistics.type, lcom::STGTY_STREAM_);
    EXPECT_EQ(statistics.size, 5u);
    EXPECT_EQ(statistics.modified, 0u);
    EXPECT_EQ(statistics.created, 0u);
    EXPECT_EQ(statistics.mode, 42u) << "other fields as the caller had them";
    EXPECT_EQ(statistics.accessed, 9u);

    EXPECT_EQ(adapter.SetSize(10), lcom::E_NOTIMPL_);
    EXPECT_EQ(adapter.CopyTo(&adapter, 1, nullptr, nullptr), lcom::E_NOTIMPL_);
    EXPECT_EQ(adapter.Revert(), lcom::E_NOTIMPL_);
    EXPECT_EQ(adapter.LockRegion(0, 1, 0), lcom::STG_E_INVALIDFUNCTION_);
    EXPECT_EQ(adapter.UnlockRegion(0, 1, 0), lcom::STG_E_INVALIDFUNCTION_);
    LMsIStreamAdapter* clone = &adapter;
    EXPECT_EQ(adapter.Clone(&clone), lcom::E_NOTIMPL_);
    EXPECT_EQ(clone, nullptr);
    EXPECT_EQ(adapter.Commit(0), lcom::S_OK_);
}

TEST(LMsIStreamAdapterTest, FailuresOfTheStreamBecomeResultCodes)
{
    BrokenStream broken;
    LMsIStreamAdapter adapter(broken);
    uint32_t count = 7;
    EXPECT_EQ(adapter.Write("x", 1, &count), lcom::STG_E_CANTSAVE_);
    EXPECT_EQ(count, 7u);
    char c;
    EXPECT_EQ(adapter.Read(&c, 1, &count), lcom::S_FALSE_) << "the default read throws";
    EXPECT_EQ(adapter.Commit(0), lcom::STG_E_MEDIUMFULL_);
    EXPECT_EQ(adapter.Seek(0, lcom::STREAM_SEEK_SET_, nullptr), lcom::STG_E_INVALIDFUNCTION_);
    LStreamStatistics statistics;
    EXPECT_NE(adapter.Stat(&statistics, lcom::STATFLAG_NONAME_), lcom::S_OK_) << "no size to tell";

    // The XML output through the adapter: a stream that fails is an error.
    xmlOutputBufferPtr failing = LStream_CreateXmlOutput(broken, nullptr);
    ASSERT_NE(failing, nullptr);
    xmlOutputBufferWrite(failing, 3, "abc");
    EXPECT_LT(xmlOutputBufferClose(failing), 0);
    LMemoryStream stream(0, nullptr, 2048);
    xmlOutputBufferPtr out = LStream_CreateXmlOutput(stream, nullptr);
    ASSERT_NE(out, nullptr);
    xmlOutputBufferWrite(out, 3, "abc");
    EXPECT_GE(xmlOutputBufferClose(out), 0);
    EXPECT_STREQ(LStream_ReadAllText(stream).c_str(), "abc");
}

}  // namespace
