// Memory stream, whole-stream readers, wide-text output and the JSON writer.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "classlib/base/json_writer.h"
#include "classlib/base/lexception.h"
#include "classlib/base/lstream.h"
#include "classlib/base/wide_text.h"
#include "support/commands.h"
#include "support/files.h"
#include "support/scratch.h"

namespace {

std::string readAll(LMemoryStream& s)
{
    std::string out(s.getSize(), '\0');
    s.position(0);
    out.resize(s.read(out.data(), static_cast<uint32_t>(out.size())));
    return out;
}

}  // namespace

TEST(LMemoryStreamTest, BlockBoundaries)
{
    LMemoryStream s(1, nullptr, 2048);
    std::vector<char> data(2048, 'a');
    EXPECT_EQ(s.write(data.data(), 2048), 2048u);
    EXPECT_EQ(s.getBlockCount(), 1u);
    s.write("b", 1);
    EXPECT_EQ(s.getBlockCount(), 2u);
    EXPECT_EQ(s.getSize(), 2049u);
}

TEST(LMemoryStreamTest, ConsumeModeReleasesBlocksWhileReading)
{
    LMemoryStream s(1, nullptr, 2048);
    std::vector<char> data(5000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<char>(i * 7);
    s.write(data.data(), 5000);
    EXPECT_EQ(s.getBlockCount(), 3u);
    s.position(0);
    std::vector<char> back(5000);
    EXPECT_EQ(s.read(back.data(), 5000), 5000u);
    EXPECT_EQ(back, data);
    EXPECT_EQ(s.getSize(), 904u);
    EXPECT_EQ(s.getBlockCount(), 1u);
    char c;
    EXPECT_EQ(s.read(&c, 1), 0u);
    EXPECT_EQ(s.getSize(), 904u);
}

TEST(LMemoryStreamTest, KeepModeReadsTwice)
{
    LMemoryStream s(0, nullptr, 16);
    s.writeString("0123456789abcdefghij");
    EXPECT_EQ(readAll(s), "0123456789abcdefghij");
    EXPECT_EQ(readAll(s), "0123456789abcdefghij");
}

TEST(LStreamTest, DefaultsThrowNotSupported)
{
    LStream s;
    try {
        s.getSize();
        FAIL();
    } catch (const LStreamOperationNotSupportedException& e) {
        EXPECT_STREQ(e.message(), "getSize() not supported");
    }
    EXPECT_THROW(s.write("x", 1), LStreamException);
    EXPECT_EQ(s.writeString(""), 0u);
    EXPECT_EQ(s.writeString(nullptr), 0u);
    char c;
    try {
        s.read(&c, 1);
        FAIL();
    } catch (const LStreamOperationNotSupportedException& e) {
        EXPECT_STREQ(e.message(), "read() not supported");
    }
    try {
        s.position(0);
        FAIL();
    } catch (const LStreamOperationNotSupportedException& e) {
        EXPECT_STREQ(e.message(), "position() not supported");
    }
    EXPECT_EQ(s.getBlockSize(), 2048u);
    EXPECT_EQ(s.getTransferred(), 0u);
}

// Reads go on across the blocks of the stream's block size; a rewind
// starts again at the first byte. The transferred count is the bytes read
// since the last rewind (writing does not count); the block size is the
// one the stream was made with.
TEST(LMemoryStreamTest, ReadsAcrossBlocksAndCountsWhatWasReadSinceTheRewind)
{
    LMemoryStream s(0, nullptr, 16);
    EXPECT_EQ(s.getBlockSize(), 16u);
    s.writeString("0123456789abcdefghij");
    EXPECT_EQ(s.getBlockCount(), 2u);
    EXPECT_EQ(s.getTransferred(), 0u);
    s.position(0);
    char buffer[32];
    EXPECT_EQ(s.read(buffer, 5), 5u);
    EXPECT_EQ(s.getTransferred(), 5u);
    EXPECT_EQ(s.read(buffer, 14), 14u);
    EXPECT_EQ(std::string(buffer, 14), "56789abcdefghi") << "across the block boundary";
    EXPECT_EQ(s.getTransferred(), 19u);
    EXPECT_EQ(s.read(buffer, 10), 1u);
    EXPECT_EQ(buffer[0], 'j');
    EXPECT_EQ(s.getTransferred(), 20u);
    EXPECT_EQ(s.read(buffer, 10), 0u) << "nothing after the last byte";
    EXPECT_EQ(s.getTransferred(), 20u);
    s.position(0);
    EXPECT_EQ(s.getTransferred(), 0u);
    EXPECT_EQ(s.read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "012");
    EXPECT_EQ(s.getTransferred(), 3u);
    LMemoryStream standard;
    EXPECT_EQ(standard.getBlockSize(), 2048u);
    LMemoryStream large(1, nullptr, 4096);
    EXPECT_EQ(large.getBlockSize(), 4096u);
}

TEST(LStreamTest, ReadAllTextAndWideText)
{
    LMemoryStream empty;
    LCharBuffer t = LStream_ReadAllText(empty);
    EXPECT_FALSE(t.isEmpty());
    EXPECT_EQ(t.length(), 0u);

    LMemoryStream s;  // consume mode, as every user builds it
    std::vector<char> big(3000, 'z');
    s.write(big.data(), 3000);
    EXPECT_EQ(LStream_ReadAllText(s).length(), 3000u);
    // Read again: the whole-stream reader does not consume the stream.
    EXPECT_EQ(LStream_ReadAllText(s).length(), 3000u);

    LMemoryStream z;
    z.write("ab\0cd", 5);
    EXPECT_STREQ(LStream_ReadAllText(z).c_str(), "ab");

    LMemoryStream w;
    w.write("a\0b\0c\0d", 7);
    LWString ws = LStream_ReadAllWideText(w);
    EXPECT_EQ(ws, LWString(u"abc"));
    LMemoryStream we;
    LWString e = LStream_ReadAllWideText(we);
    EXPECT_FALSE(e.isNull());
    EXPECT_EQ(e.length(), 0);
    // The stream is back at its start.
    char first[2];
    EXPECT_EQ(w.read(first, 2), 2u);
    EXPECT_EQ(first[0], 'a');
}

TEST(WideTextBufferTest, FlushesWhenExactlyFull)
{
    LMemoryStream s(0);
    WideTextBuffer out(&s, 2, 0);
    std::u16string run(WideTextBuffer::kChars, u'x');
    out.write(run.data(), static_cast<uint32_t>(run.size()));
    EXPECT_EQ(s.getSize(), WideTextBuffer::kChars * 2);
    EXPECT_EQ(out.freeChars, WideTextBuffer::kChars);
    out.putChar(u'y');
    EXPECT_EQ(out.next, 1u);
    P3142_WriteWideToStream(out);
    EXPECT_EQ(s.getSize(), (WideTextBuffer::kChars + 1) * 2);
}

namespace {

struct JsonFixture {
    LMemoryStream stream{0};
    WideTextBuffer out{&stream, 0, 65001};
    LJsonStreamWriter writer{out};
    std::string text() { return std::string(LStream_ReadAllText(stream).view()); }
};

// Runs python3's json module over the text; returns its canonical dump.
std::string pythonCanonical(const std::string& json)
{
    const testsupport::ScratchDir dir("dqov_json");
    const std::string path = (dir / "in.json").string();
    testsupport::writeFile(path, json);
    std::string cmd = std::string("python3 -c 'import json,sys; d=json.load(sys.stdin); "
                                  "sys.stdout.write(json.dumps(d, ensure_ascii=True, separators=(\",\",\":\")))' < ") +
                      path;
    const testsupport::CommandResult ran = testsupport::runCommand(cmd, testsupport::Errors::WithOutput);
    return ran.status != 0 ? "python3 rejected: " + ran.out : ran.out;
}

}  // namespace

TEST(LJsonStreamWriterTest, CallSequenceGivesCompactText)
{
    JsonFixture j;
    j.writer.startDocument().startObject().writeKey(u"a", 1).writeNumber(1).writeKey(u"b", 1).startArray();
    j.writer.writeBoolean(true).writeNull().endArray().endObject().endDocument();
    EXPECT_EQ(j.text(), R"({"a":1,"b":[true,null]})");
}

// Numbers in decimal, booleans and null unquoted, each taking its comma in
// an array and ending a key's value.
TEST(LJsonStreamWriterTest, NumbersBooleansAndNull)
{
    JsonFixture j;
    j.writer.startDocument().startArray();
    j.writer.writeNumber(0).writeNumber(-2147483647L - 1).writeNumber(2147483647L).writeBoolean(false);
    j.writer.writeBoolean(true).writeNull().startObject().writeKey(u"n", 1).writeNull().writeKey(u"f", 1);
    j.writer.writeBoolean(false).writeKey(u"v", 1).writeNumber(7).endObject().endArray().endDocument();
    EXPECT_EQ(j.text(), R"([0,-2147483648,2147483647,false,true,null,{"n":null,"f":false,"v":7}])");
    JsonFixture k;
    k.writer.startDocument().startObject().writeKey(u"a", 1).writeNumber(1);
    EXPECT_NO_THROW(k.writer.writeKey(u"b", 1)) << "a number completes the key's value";
    k.writer.writeNull();
    EXPECT_NO_THROW(k.writer.writeKey(u"c", 1)) << "so does null";
    k.writer.writeBoolean(true).endObject().endDocument();
    EXPECT_EQ(k.text(), R"({"a":1,"b":null,"c":true})");
}

TEST(LJsonStreamWriterTest, CommasBetweenObjectsInArrayOnly)
{
    JsonFixture j;
    j.writer.startDocument().startArray().startObject().endObject().startObject().endObject().endArray();
    j.writer.startObject().endObject().startObject().endObject().endDocument();
    EXPECT_EQ(j.text(), "[{},{}]{}{}");
}

TEST(LJsonStreamWriterTest, OrderErrors)
{
    JsonFixture j;
    j.writer.startDocument().startArray();
    try {
        j.writer.endObject();
        FAIL();
    } catch (const LJsonWriterException& e) {
        EXPECT_STREQ(e.message(), "Invalid state. Expecting OBJECT but state is ARRAY.");
    }
    JsonFixture k;
    k.writer.startDocument().startObject().writeKey(u"a", 1);
    try {
        k.writer.writeKey(u"b", 1);
        FAIL();
    } catch (const LJsonWriterException& e) {
        EXPECT_STREQ(e.message(), "Key entered. Expecting value");
    }
    JsonFixture m;
    EXPECT_THROW(m.writer.endDocument(), LJsonWriterException);
}

TEST(LJsonStreamWriterTest, RawKinds)
{
    JsonFixture j;
    j.writer.startDocument().startArray();
    j.writer.writeRaw(u"True", 4, 3).writeRaw(u"true", 4, 3).writeRaw(u"a\"b", 3, 1).writeRaw(u"12.5", 4, 2);
    j.writer.endArray().endDocument();
    EXPECT_EQ(j.text(), R"([false,true,"a"b",12.5])");
}

TEST(LJsonStreamWriterTest, EscapedTextIsStandardJson)
{
    JsonFixture j;
    std::u16string key = u"k\"ey\t\u00e9\u20ac";
    std::u16string value = u"q\" s/ b\\ t\t n\n f\f r\r c\x01 d\x1f \u00fc\u4e2d";
    j.writer.startDocument().startObject();
    j.writer.writeKey(key.data(), static_cast<int32_t>(key.size()));
    j.writer.writeString(LWString(value.c_str()), 0);
    j.writer.writeKey(u"n", 1).writeNumber(-42);
    j.writer.endObject().endDocument();
    std::string text = j.text();
    EXPECT_EQ(text, "{\"k\\\"ey\\t\xC3\xA9\xE2\x82\xAC\":\"q\\\" s\\/ b\\\\ t\\t n\\n f\\f r\\r c\\u0001 d\\u001f "
                    "\xC3\xBC\xE4\xB8\xAD\",\"n\":-42}");
    EXPECT_EQ(pythonCanonical(text),
              R"({"k\"ey\t\u00e9\u20ac":"q\" s/ b\\ t\t n\n f\f r\r c\u0001 d\u001f \u00fc\u4e2d","n":-42})");
}

TEST(LJsonStreamWriterTest, CharacterOutsideTheBasicPlaneAcrossTheFlush)
{
    // "[" and the opening quote, then text that puts the emoji's high
    // surrogate into the buffer's last place.
    JsonFixture j;
    std::u16string value(WideTextBuffer::kChars - 3, u'x');
    value += u"\U0001F600";
    j.writer.startDocument().startArray().writeString(LWString(value.c_str()), 0).endArray().endDocument();
    std::string text = j.text();
    EXPECT_EQ(text.size(), WideTextBuffer::kChars - 3 + 8u);
    EXPECT_EQ(text.substr(text.size() - 6), "\xF0\x9F\x98\x80\"]");
}

TEST(LJsonStreamWriterTest, Utf16OutputKeepsCodeUnits)
{
    LMemoryStream s(0);
    WideTextBuffer out(&s, 2, 0);
    LJsonStreamWriter w(out);
    w.startDocument().startArray().writeString(LWString(u"\u00e9"), 0).endArray().endDocument();
    LWString back = LStream_ReadAllWideText(s);
    EXPECT_EQ(back, LWString(u"[\"\u00e9\"]"));
}
