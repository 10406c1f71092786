// JSON stream writer and the flush of the wide-text output.
#include "classlib/base/json_writer.h"

#include <cstdio>

#include "classlib/base/lexception.h"
#include "classlib/base/lstream.h"
#include "classlib/base/wide_text.h"
#include "platform/qvutil/qvutil.h"

namespace {

constexpr const char* kStateNames[] = {"BEFORESTART", "ROOT", "ARRAY", "OBJECT", "KEY"};

int writeChunk(void* context, const char* bytes, size_t count)
{
    static_cast<LStream*>(context)->write(bytes, static_cast<uint32_t>(count));
    return 0;
}

// The escape for one character, or null when it is written as it is.
// Control characters below 0x20 without a short form become \u00XX.
const char16_t* escapeFor(char16_t ch, char16_t (&scratch)[7])
{
    switch (ch) {
    case u'\t': return u"\\t";
    case u'\n': return u"\\n";
    case u'\f': return u"\\f";
    case u'\r': return u"\\r";
    case u'"': return u"\\\"";
    case u'\\': return u"\\\\";
    case u'/': return u"\\/";
    default: break;
    }
    if (ch >= 0x20)
        return nullptr;
    static constexpr char16_t kHex[] = u"0123456789abcdef";
    scratch[0] = u'\\';
    scratch[1] = u'u';
    scratch[2] = u'0';
    scratch[3] = u'0';
    scratch[4] = kHex[(ch >> 4) & 0xF];
    scratch[5] = kHex[ch & 0xF];
    scratch[6] = 0;
    return scratch;
}

}  // namespace

namespace {

// Writes the pending characters; with `final` false a high surrogate at the
// very end stays in the buffer, so that a character outside the basic plane
// that the buffer's end splits is converted whole with the next piece.
void writePending(WideTextBuffer& output, bool final)
{
    uint32_t pending = WideTextBuffer::kChars - output.freeChars;
    char16_t carried = 0;
    if (!final && output.encodingKind != 2 && pending > 0 && (output.buffer[pending - 1] & 0xFC00) == 0xD800)
        carried = output.buffer[--pending];
    if (pending > 0) {
        if (output.encodingKind == 2) {
            output.stream->write(output.buffer, pending * 2);
        } else {
            UTC_WideCharToMultiByteStream(output.stream, output.codePage, output.buffer, pending, output.conversion,
                                          sizeof output.conversion, writeChunk);
        }
    }
    output.next = 0;
    output.freeChars = WideTextBuffer::kChars;
    if (carried) {
        output.buffer[output.next++] = carried;
        --output.freeChars;
    }
    output.stream->flush();
}

}  // namespace

void P3142_WriteWideToStream(WideTextBuffer& output)
{
    writePending(output, false);
}

LJsonStreamWriter::LJsonStreamWriter(WideTextBuffer& output) : m_out(output)
{
    m_states.push_back(BEFORESTART);
}

const char* LJsonStreamWriter::stateName(int32_t state)
{
    if (state < 0 || state > KEY)
        return "UNKNOWN";
    return kStateNames[state];
}

void LJsonStreamWriter::checkState(State expected, bool pop)
{
    if (!m_states.empty() && m_states.back() == expected) {
        if (pop)
            m_states.pop_back();
        return;
    }
    char text[128];
    std::snprintf(text, sizeof text, "Invalid state. Expecting %s but state is %s.", stateName(expected),
                  m_states.empty() ? "UNKNOWN" : stateName(m_states.back()));
    throw LJsonWriterException(text);
}

LJsonWriter& LJsonStreamWriter::startDocument()
{
    m_states.push_back(ROOT);
    return *this;
}

LJsonWriter& LJsonStreamWriter::endDocument()
{
    checkState(ROOT, false);
    writePending(m_out, true);
    return *this;
}

void LJsonStreamWriter::startContainer(State state, char16_t open)
{
    if (m_states.back() == ARRAY && m_count > 0)
        m_out.putChar(u',');
    m_states.push_back(state);
    ++m_count;
    m_counts.push_back(m_count);
    m_count = 0;
    m_out.putChar(open);
}

void LJsonStreamWriter::endContainer(State state, char16_t close)
{
    checkState(state, true);
    if (!m_counts.empty()) {
        m_count = m_counts.back();
        m_counts.pop_back();
    }
    m_out.putChar(close);
    if (!m_states.empty() && m_states.back() == KEY)
        m_states.pop_back();
}

LJsonWriter& LJsonStreamWriter::startObject()
{
    startContainer(OBJECT, u'{');
    return *this;
}

LJsonWriter& LJsonStreamWriter::endObject()
{
    endContainer(OBJECT, u'}');
    return *this;
}

LJsonWriter& LJsonStreamWriter::startArray()
{
    startContainer(ARRAY, u'[');
    return *this;
}

LJsonWriter& LJsonStreamWriter::endArray()
{
    endContainer(ARRAY, u']');
    return *this;
}

LJsonWriter& LJsonStreamWriter::writeKey(const char16_t* text, int32_t length)
{
    if (m_states.back() == KEY)
        throw LJsonWriterException("Key entered. Expecting value");
    m_states.push_back(KEY);
    if (m_count > 0)
        m_out.putChar(u',');
    m_out.putChar(u'"');
    writeEscaped(text, length);  // keys are escaped like values, so the output stays valid JSON
    m_out.putChar(u'"');
    m_out.putChar(u':');
    return *this;
}

LJsonWriter& LJsonStreamWriter::writeNumber(long value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%ld", value);
    LWString wide = LWString::fromMultiByte(text);
    return writeRaw(wide.c_str(), wide.length(), kRaw);
}

LJsonWriter& LJsonStreamWriter::writeBoolean(bool value)
{
    return value ? writeRaw(u"true", 4, kRaw) : writeRaw(u"false", 5, kRaw);
}

LJsonWriter& LJsonStreamWriter::writeString(const LWString& value, int kind)
{
    return writeRaw(value.c_str(), value.length(), kind);
}

LJsonWriter& LJsonStreamWriter::writeNull()
{
    return writeRaw(u"null", 4, kRaw);
}

LJsonWriter& LJsonStreamWriter::writeRaw(const char16_t* text, int32_t length, int kind)
{
    int32_t noted = m_states.back();
    if (noted == ARRAY && m_count > 0)
        m_out.putChar(u',');
    if (!text)
        length = 0;
    switch (kind) {
    case kQuoted:
        m_out.putChar(u'"');
        m_out.write(text, static_cast<uint32_t>(length));
        m_out.putChar(u'"');
        break;
    case kRaw: m_out.write(text, static_cast<uint32_t>(length)); break;
    case kBoolean:
        if (length == 4 && std::u16string_view(text, 4) == u"true")
            m_out.write(u"true", 4);
        else
            m_out.write(u"false", 5);
        break;
    default:
        m_out.putChar(u'"');
        writeEscaped(text, length);
        m_out.putChar(u'"');
        break;
    }
    ++m_count;
    if (noted == KEY)
        m_states.pop_back();
    return *this;
}

void LJsonStreamWriter::writeEscaped(const char16_t* text, int32_t length)
{
    if (!text)
        return;
    int32_t runStart = 0;
    char16_t scratch[7];
    for (int32_t i = 0; i < length; ++i) {
        const char16_t* escape = escapeFor(text[i], scratch);
        if (!escape)
            continue;
        m_out.write(text + runStart, static_cast<uint32_t>(i - runStart));
        m_out.write(escape, static_cast<uint32_t>(LWStrLen(escape)));
        runStart = i + 1;
    }
    m_out.write(text + runStart, static_cast<uint32_t>(length - runStart));
}
