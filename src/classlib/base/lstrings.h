// Owned text values of the class library.
//
// LCharBuffer is a narrow text (bytes in a code page) with its length;
// LWString is a UTF-16 text where "null" (no text) and "empty" (a text of
// no characters) are different states. Both own exactly what they hold and
// copy on every copy: texts are short (names, paths, attribute values).
#pragma once

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class LCharBuffer {
public:
    LCharBuffer() = default;
    LCharBuffer(const char* text);  // NOLINT: implicit like a C string
    // copy == false adopts the array, copy == true copies the text.
    LCharBuffer(std::unique_ptr<char[]> text, bool copy);
    LCharBuffer(const LCharBuffer& other);
    LCharBuffer(LCharBuffer&& other) noexcept = default;
    LCharBuffer& operator=(const LCharBuffer& other);
    LCharBuffer& operator=(LCharBuffer&& other) noexcept = default;
    ~LCharBuffer() = default;

    // Replaces the text by count bytes of text (null text: empty state).
    void assign(const char* text, uint32_t count);
    // Adopts an array holding count bytes plus a terminator; the length is
    // given by the caller so that data with zero bytes keeps its true size.
    void adopt(std::unique_ptr<char[]> data, uint32_t length);
    // Formats into exactly bufferSize bytes (truncating); size 0 or no format
    // leaves the empty state.
    void format(uint32_t bufferSize, const char* fmt, ...) __attribute__((format(printf, 3, 4)));
    void vformat(uint32_t bufferSize, const char* fmt, va_list args);

    bool isEmpty() const { return !m_text; }
    const char* c_str() const { return m_text.get(); }
    uint32_t length() const { return m_length; }
    std::string_view view() const { return m_text ? std::string_view(m_text.get(), m_length) : std::string_view(); }
    std::unique_ptr<char[]> release();

private:
    std::unique_ptr<char[]> m_text;
    uint32_t m_length = 0;
};

class LWString {
public:
    LWString() = default;
    LWString(const char16_t* text);  // NOLINT: implicit like a C string
    LWString(std::unique_ptr<char16_t[]> text, bool copy);
    LWString(const LWString& other);
    LWString(LWString&& other) noexcept = default;
    ~LWString() = default;

    LWString& operator=(const char16_t* text);
    LWString& operator=(const LWString& other);
    LWString& operator=(LWString&& other) noexcept = default;

    // Text in the active code page (UTF-8 on this system); null gives null.
    void assignMultiByte(const char* text);
    // Null gives a non-null empty text.
    static LWString fromMultiByte(const char* text);
    static LWString fromMultiByteCodePage(const char* text, unsigned codePage);
    static LWString fromCharBuffer(const LCharBuffer& text);
    static LWString fromCharBufferCodePage(const LCharBuffer& text, unsigned codePage);
    // Exact UTF-8 conversion for the XML layer (null stays null).
    static LWString fromUtf8(const char* text);
    static LWString fromUtf8(const char* text, size_t bytes);
    LCharBuffer toMultiByte() const;
    std::string toUtf8() const;

    void append(const char16_t* text, int32_t count);
    void append(const LWString& text);
    void append(const char16_t* text);

    friend LWString operator+(const LWString& a, const LWString& b);
    friend LWString operator+(const char16_t* a, const LWString& b);
    static LWString concat(const LWString& a, const char16_t* text);
    static LWString joinWithColon(const LWString& prefix, const LWString& local);

    int compare(const char16_t* other) const;
    int compare(const LWString& other) const { return compare(other.c_str()); }
    bool operator==(const LWString& other) const { return compare(other) == 0; }
    bool operator!=(const LWString& other) const { return compare(other) != 0; }
    bool operator<(const LWString& other) const { return compare(other) < 0; }

    int32_t length() const;
    bool endsWith(const char16_t* suffix) const;
    LWString leftOf(char16_t ch) const;
    LWString rightOf(char16_t ch) const;
    void removeChar(char16_t ch);

    bool isNull() const { return !m_text; }
    const char16_t* c_str() const { return m_text.get(); }
    std::u16string_view view() const;

private:
    std::unique_ptr<char16_t[]> m_text;
};

// Pair ordering: by the first, then by the second.
bool operator<(const std::pair<LWString, LWString>& a, const std::pair<LWString, LWString>& b);

// Records of three and five strings kept by the web generation.
struct LWStringRecord3 {
    LWString s1, s2, s3;
    LWStringRecord3() = default;
    LWStringRecord3(const char* a, const char* b, const char* c);
    LWStringRecord3(const LWString& a, const LWString& b, const LWString& c) : s1(a), s2(b), s3(c) {}
};
struct LWStringRecord5 {
    LWString s1, s2, s3, s4, s5;
};

// Fixed-capacity array of strings; appends beyond the capacity are dropped.
class LWStringArray {
public:
    explicit LWStringArray(int32_t capacity);
    LWStringArray(const LWStringArray& other);
    LWStringArray& operator=(const LWStringArray&) = delete;
    ~LWStringArray() = default;

    std::unique_ptr<LWStringArray> clone() const { return std::make_unique<LWStringArray>(*this); }
    void append(const LWString& s);
    // Throws LException when the index lies outside the capacity.
    LWString entry(int32_t index) const;
    int32_t capacity() const { return m_capacity; }
    int32_t used() const { return m_used; }

    // Iterates over the whole capacity, as the stylesheet code expects.
    class const_iterator {
    public:
        const_iterator(const LWStringArray* a, int32_t i) : m_a(a), m_i(i) {}
        LWString operator*() const { return m_a->m_items[m_i]; }
        const_iterator& operator++()
        {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return m_i == o.m_i; }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        const LWStringArray* m_a;
        int32_t m_i;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, m_capacity}; }

private:
    std::unique_ptr<LWString[]> m_items;
    int32_t m_used = 0;
    int32_t m_capacity = 0;
};

// Code-page conversions. The result array belongs to the caller; failures
// give "???" instead of an error.
std::unique_ptr<char16_t[]> P3142_MultiByteToWide(const char* text, int64_t byteCount, int32_t* outCount,
                                                  unsigned codePage);
std::unique_ptr<char[]> P3142_WideToMultiByte(const char16_t* text);

// Length of a terminated wide text (0 for null).
size_t LWStrLen(const char16_t* text);
