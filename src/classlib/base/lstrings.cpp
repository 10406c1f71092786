// LCharBuffer, LWString, LWStringArray and the code-page conversions.
#include "classlib/base/lstrings.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <new>

#include "classlib/base/lexception.h"
#include "classlib/base/qvseam.h"
#include "classlib/base/wide_text.h"
#include "platform/qvutil/qvutil.h"
#include "platform/qvutil/qvutil_iconv.h"

namespace {

static_assert(std::endian::native == std::endian::little, "wide text is kept as UTF-16LE in memory");

// Narrow copy of count bytes plus terminator; null when memory runs out.
std::unique_ptr<char[]> copyBytes(const char* text, size_t count)
{
    std::unique_ptr<char[]> p(new (std::nothrow) char[count + 1]);
    if (!p)
        return p;
    if (count)
        std::memcpy(p.get(), text, count);
    p[count] = '\0';
    return p;
}

std::unique_ptr<char16_t[]> copyWide(const char16_t* text, size_t count)
{
    auto p = std::make_unique<char16_t[]>(count + 1);
    if (count)
        std::memcpy(p.get(), text, count * sizeof(char16_t));
    p[count] = u'\0';
    return p;
}

std::unique_ptr<char16_t[]> wideFromBytes(const char* text, size_t bytes, const char* fromCode, int32_t* outCount)
{
    std::string out;
    // A byte that is no character of the code page becomes one replacement
    // character (U+FFFD); the rest of the text is kept.
    static constexpr char kReplacement[] = {'\xFD', '\xFF'};
    if (!qvutil::ConvertReplacing(fromCode, "UTF-16LE", std::string_view(text, bytes), out,
                                  std::string_view(kReplacement, sizeof kReplacement))) {
        // A code page without a conversion: the text is shown as "???".
        auto p = std::make_unique<char16_t[]>(8);
        p[0] = p[1] = p[2] = u'?';
        if (outCount)
            *outCount = 3;
        return p;
    }
    size_t n = out.size() / 2;
    auto p = std::make_unique<char16_t[]>(n + 1);
    std::memcpy(p.get(), out.data(), n * 2);
    p[n] = u'\0';
    if (outCount)
        *outCount = static_cast<int32_t>(n);
    return p;
}

// The bytes of a terminated wide text, without the terminator.
std::string_view asBytes(const char16_t* text)
{
    return {reinterpret_cast<const char*>(text), LWStrLen(text) * sizeof(char16_t)};
}

LWString wideFromCodePage(const char* text, unsigned codePage)
{
    int32_t count = 0;
    // The terminator is converted with the text, as the callers expect.
    auto p = P3142_MultiByteToWide(text, static_cast<int64_t>(std::strlen(text)) + 1, &count, codePage);
    return LWString(std::move(p), false);
}

}  // namespace

size_t LWStrLen(const char16_t* text)
{
    if (!text)
        return 0;
    size_t n = 0;
    while (text[n])
        ++n;
    return n;
}

// ---- LCharBuffer -----------------------------------------------------------

LCharBuffer::LCharBuffer(const char* text)
{
    if (!text)
        return;
    size_t n = std::strlen(text);
    m_text = copyBytes(text, n);
    m_length = m_text ? static_cast<uint32_t>(n) : 0;
}

LCharBuffer::LCharBuffer(std::unique_ptr<char[]> text, bool copy)
{
    if (!text)
        return;
    size_t n = std::strlen(text.get());
    if (copy) {
        m_text = copyBytes(text.get(), n);
    } else {
        m_text = std::move(text);
    }
    m_length = m_text ? static_cast<uint32_t>(n) : 0;
}

LCharBuffer::LCharBuffer(const LCharBuffer& other)
{
    if (!other.m_text)
        return;
    m_text = copyBytes(other.m_text.get(), other.m_length);
    m_length = m_text ? other.m_length : 0;
}

LCharBuffer& LCharBuffer::operator=(const LCharBuffer& other)
{
    if (this == &other)
        return *this;
    std::unique_ptr<char[]> copy;
    if (other.m_text)
        copy = copyBytes(other.m_text.get(), other.m_length);
    m_text = std::move(copy);
    m_length = m_text ? other.m_length : 0;
    return *this;
}

void LCharBuffer::assign(const char* text, uint32_t count)
{
    if (!text) {
        m_text.reset();
        m_length = 0;
        return;
    }
    m_text = copyBytes(text, count);
    m_length = m_text ? count : 0;
}

void LCharBuffer::adopt(std::unique_ptr<char[]> data, uint32_t length)
{
    m_text = std::move(data);
    m_length = m_text ? length : 0;
}

void LCharBuffer::format(uint32_t bufferSize, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    vformat(bufferSize, fmt, args);
    va_end(args);
}

void LCharBuffer::vformat(uint32_t bufferSize, const char* fmt, va_list args)
{
    m_text.reset();
    m_length = 0;
    if (bufferSize == 0 || !fmt)
        return;
    std::unique_ptr<char[]> p(new (std::nothrow) char[bufferSize]);
    if (!p)
        return;
    UTS_vsnprintf(p.get(), bufferSize, fmt, args);
    p[bufferSize - 1] = '\0';
    m_length = static_cast<uint32_t>(std::strlen(p.get()));
    m_text = std::move(p);
}

std::unique_ptr<char[]> LCharBuffer::release()
{
    m_length = 0;
    return std::move(m_text);
}

// ---- LWString --------------------------------------------------------------

LWString::LWString(const char16_t* text)
{
    if (text)
        m_text = copyWide(text, LWStrLen(text));
}

LWString::LWString(std::unique_ptr<char16_t[]> text, bool copy)
{
    if (!text)
        return;
    if (copy)
        m_text = copyWide(text.get(), LWStrLen(text.get()));
    else
        m_text = std::move(text);
}

LWString::LWString(const LWString& other) : LWString(other.c_str()) {}

LWString& LWString::operator=(const char16_t* text)
{
    if (text == m_text.get())
        return *this;
    m_text = text ? copyWide(text, LWStrLen(text)) : nullptr;
    return *this;
}

LWString& LWString::operator=(const LWString& other)
{
    if (this == &other)
        return *this;
    return *this = other.c_str();
}

void LWString::assignMultiByte(const char* text)
{
    m_text.reset();
    if (!text)
        return;
    *this = wideFromCodePage(text, lqv::kActiveCodePage);
}

LWString LWString::fromMultiByte(const char* text)
{
    return fromMultiByteCodePage(text, lqv::kActiveCodePage);
}

LWString LWString::fromMultiByteCodePage(const char* text, unsigned codePage)
{
    if (!text)
        return LWString(u"");
    return wideFromCodePage(text, codePage);
}

LWString LWString::fromCharBuffer(const LCharBuffer& text)
{
    return fromMultiByte(text.c_str());
}

LWString LWString::fromCharBufferCodePage(const LCharBuffer& text, unsigned codePage)
{
    return fromMultiByteCodePage(text.c_str(), codePage);
}

LWString LWString::fromUtf8(const char* text)
{
    if (!text)
        return LWString();
    return fromUtf8(text, std::strlen(text));
}

LWString LWString::fromUtf8(const char* text, size_t bytes)
{
    if (!text)
        return LWString();
    return LWString(wideFromBytes(text, bytes, "UTF-8", nullptr), false);
}

LCharBuffer LWString::toMultiByte() const
{
    if (!m_text)
        return LCharBuffer();
    return LCharBuffer(P3142_WideToMultiByte(m_text.get()), false);
}

std::string LWString::toUtf8() const
{
    std::string out;
    if (!m_text)
        return out;
    if (!qvutil::Convert("UTF-16LE", "UTF-8", asBytes(m_text.get()), out))
        return "???";
    return out;
}

std::u16string_view LWString::view() const
{
    return m_text ? std::u16string_view(m_text.get(), LWStrLen(m_text.get())) : std::u16string_view();
}

void LWString::append(const char16_t* text, int32_t count)
{
    if (!text || count < 0)
        return;
    size_t old = LWStrLen(m_text.get());
    auto p = std::make_unique<char16_t[]>(old + count + 1);
    if (old)
        std::memcpy(p.get(), m_text.get(), old * 2);
    if (count)
        std::memcpy(p.get() + old, text, static_cast<size_t>(count) * 2);
    p[old + count] = u'\0';
    m_text = std::move(p);
}

void LWString::append(const LWString& text)
{
    append(text.c_str());
}

void LWString::append(const char16_t* text)
{
    if (!text)
        return;
    append(text, static_cast<int32_t>(LWStrLen(text)));
}

LWString operator+(const LWString& a, const LWString& b)
{
    LWString r(a);
    r.append(b);
    return r;
}

LWString operator+(const char16_t* a, const LWString& b)
{
    LWString r(a);
    r.append(b);
    return r;
}

LWString LWString::concat(const LWString& a, const char16_t* text)
{
    LWString r(a);
    r.append(text);
    return r;
}

LWString LWString::joinWithColon(const LWString& prefix, const LWString& local)
{
    LWString r(prefix.isNull() ? LWString(u"") : prefix);
    r.append(u":");
    r.append(local);
    return r;
}

int LWString::compare(const char16_t* other) const
{
    const char16_t* mine = m_text.get();
    if (!mine && !other)
        return 0;
    if (!mine)
        return -1;
    if (!other)
        return 1;
    for (size_t i = 0;; ++i) {
        if (mine[i] != other[i])
            return mine[i] < other[i] ? -1 : 1;
        if (!mine[i])
            return 0;
    }
}

int32_t LWString::length() const
{
    size_t n = LWStrLen(m_text.get());
    return n > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int32_t>(n);
}

bool LWString::endsWith(const char16_t* suffix) const
{
    if (!m_text || !suffix)
        return false;
    size_t n = LWStrLen(m_text.get()), k = LWStrLen(suffix);
    if (k > n)
        return false;
    return std::memcmp(m_text.get() + n - k, suffix, k * 2) == 0;
}

LWString LWString::leftOf(char16_t ch) const
{
    if (!m_text)
        return LWString();
    auto v = view();
    size_t at = v.find(ch);
    LWString result;
    P3142_WdCopyWideRange(*this, result, 0, at == std::u16string_view::npos ? -1 : static_cast<int32_t>(at));
    return result;
}

LWString LWString::rightOf(char16_t ch) const
{
    if (!m_text)
        return LWString();
    auto v = view();
    size_t at = v.find(ch);
    if (at == std::u16string_view::npos)
        return LWString(u"");
    LWString result;
    P3142_WdCopyWideRange(*this, result, static_cast<int32_t>(at + 1), -1);
    return result;
}

void LWString::removeChar(char16_t ch)
{
    if (!m_text || ch == 0)
        return;
    char16_t* w = m_text.get();
    for (const char16_t* r = m_text.get(); *r; ++r)
        if (*r != ch)
            *w++ = *r;
    *w = u'\0';
}

bool operator<(const std::pair<LWString, LWString>& a, const std::pair<LWString, LWString>& b)
{
    int c = a.first.compare(b.first);
    if (c != 0)
        return c < 0;
    return a.second.compare(b.second) < 0;
}

LWStringRecord3::LWStringRecord3(const char* a, const char* b, const char* c)
{
    s1.assignMultiByte(a);
    s2.assignMultiByte(b);
    s3.assignMultiByte(c);
}

// ---- LWStringArray ---------------------------------------------------------

LWStringArray::LWStringArray(int32_t capacity) : m_capacity(capacity < 0 ? 0 : capacity)
{
    m_items = std::make_unique<LWString[]>(static_cast<size_t>(m_capacity));
}

LWStringArray::LWStringArray(const LWStringArray& other) : LWStringArray(other.m_capacity)
{
    m_used = other.m_used;
    for (int32_t i = 0; i < m_capacity; ++i)
        m_items[i] = other.m_items[i];
}

void LWStringArray::append(const LWString& s)
{
    if (m_used >= m_capacity)
        return;  // full: dropped, as the callers expect
    m_items[m_used++] = s;
}

LWString LWStringArray::entry(int32_t index) const
{
    if (index < 0 || index >= m_capacity) {
        char text[96];
        std::snprintf(text, sizeof text, "String array index %d outside capacity %d.", index, m_capacity);
        throw LException(text);
    }
    return m_items[index];
}

// ---- conversions -----------------------------------------------------------

std::unique_ptr<char16_t[]> P3142_MultiByteToWide(const char* text, int64_t byteCount, int32_t* outCount,
                                                  unsigned codePage)
{
    if (byteCount > 0x7FFFFFFF)
        byteCount = 0x7FFFFFFF;
    if (!text) {
        if (outCount)
            *outCount = 0;
        return std::make_unique<char16_t[]>(1);
    }
    if (byteCount < 0)
        byteCount = 0;
    return wideFromBytes(text, static_cast<size_t>(byteCount), lqv::iconvName(codePage).c_str(), outCount);
}

std::unique_ptr<char[]> P3142_WideToMultiByte(const char16_t* text)
{
    if (!text)
        return copyBytes("", 0);
    std::string out;
    if (!qvutil::Convert("UTF-16LE", lqv::iconvName(lqv::kActiveCodePage).c_str(), asBytes(text), out))
        return copyBytes("???", 3);
    return copyBytes(out.data(), out.size());
}
