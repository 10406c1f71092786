/* Fixed-width pieces of message data and work records: blank-padded text,
 * the same text without its blanks and a count written as "+" and seven
 * digits. */
#ifndef DQOV_PARAMS_FIXED_TEXT_H
#define DQOV_PARAMS_FIXED_TEXT_H

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dqov::text {

/* The text cut or blank-padded to the width. */
inline std::string Fixed(std::string_view text, size_t width)
{
    std::string s(text.substr(0, std::min(text.size(), width)));
    s.resize(width, ' ');
    return s;
}

/* The end of the n characters' text before their trailing blanks. Wide
 * fields are mostly blank: their blank blocks of 64 are passed first (with
 * SSE2), then 16 (or eight) bytes at a time, and the last text byte is told
 * by a bit scan of the block that holds it. */
inline size_t BeforeBlankWords(const char* field, size_t n)
{
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(' ');
    /* the bits of the sixteen bytes from `at` that are not blanks */
    auto texts16 = [field, blank](size_t at) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(field + at));
        return ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, blank))) & 0xFFFFu;
    };
    auto blank64 = [field, blank](size_t at) {
        auto same = [&](size_t k) {
            return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(field + at + k)), blank);
        };
        __m128i all = _mm_and_si128(_mm_and_si128(same(0), same(16)), _mm_and_si128(same(32), same(48)));
        return _mm_movemask_epi8(all) == 0xFFFF;
    };
    if (n >= 16) {
        while (n >= 64 && blank64(n - 64))
            n -= 64;
        for (; n > 16; n -= 16)
            if (const unsigned texts = texts16(n - 16))
                return n - 16 + static_cast<size_t>(32 - std::countl_zero(texts));
        /* the field's first sixteen bytes hold what is left: those from n
         * on were found blank */
        const unsigned texts = texts16(0);
        return texts ? static_cast<size_t>(32 - std::countl_zero(texts)) : 0;
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        auto texts8 = [field](size_t at) {
            uint64_t word;
            std::memcpy(&word, field + at, 8);
            return word ^ 0x2020202020202020ULL;
        };
        if (n >= 8) {
            for (; n > 8; n -= 8)
                if (const uint64_t texts = texts8(n - 8))
                    return n - static_cast<size_t>(std::countl_zero(texts)) / 8;
            /* the first eight bytes hold what is left, as above */
            const uint64_t texts = texts8(0);
            return texts ? 8 - static_cast<size_t>(std::countl_zero(texts)) / 8 : 0;
        }
    }
    while (n > 0 && field[n - 1] == ' ')
        --n;
    return n;
}

/* The text without its leading and trailing blanks. */
inline std::string_view TrimmedBlanks(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    e = b + BeforeBlankWords(text.data() + b, e - b);
    while (e > b && text[e - 1] == ' ')
        --e;
    return text.substr(b, e - b);
}

/* The text without its trailing blanks, NULs, form feeds, line feeds and
 * carriage returns; TrimRight makes a string of it. */
inline std::string_view TrimmedRight(std::string_view text)
{
    size_t n = text.size();
    while (n > 0) {
        char c = text[n - 1];
        if (c != ' ' && c != '\0' && c != '\f' && c != '\n' && c != '\r')
            break;
        --n;
    }
    return text.substr(0, n);
}
inline std::string TrimRight(std::string_view text)
{
    return std::string(TrimmedRight(text));
}

/* The field's text without its leading and trailing blanks, in place (up to
 * a NUL, and without trailing form feeds, line feeds and carriage returns);
 * Trim makes a string of it. */
std::string_view TrimmedView(const char* field, size_t width);
std::string Trim(const char* field, size_t width);
/* The field blank-filled, then the text copied in (cut to the width). */
void Pad(char* field, size_t width, std::string_view text);
/* A letter a to z in capitals, any other byte as it is: what toupper does in
 * the "C" locale the library runs in, without its call per character. */
inline char UpperChar(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
/* A letter or digit: what isalnum and isalpha answer in the "C" locale,
 * without their call per character. */
inline bool IsAlpha(char c)
{
    const char folded = static_cast<char>(c | 0x20);
    return folded >= 'a' && folded <= 'z';
}
inline bool IsAlnum(char c)
{
    return (c >= '0' && c <= '9') || IsAlpha(c);
}
/* A hash of a ten-byte name field (a command or field name as stored),
 * for the small tables that keep the last answer for a name: take its
 * high bits. */
inline uint64_t NameFieldHash(const char* name, uint64_t seed = 0)
{
    uint64_t head;
    uint16_t tail;
    std::memcpy(&head, name, 8);
    std::memcpy(&tail, name + 8, 2);
    return (head ^ (static_cast<uint64_t>(tail) << 48 | seed)) * 0x9E3779B97F4A7C15ULL;
}
/* The text in capitals. */
std::string Upper(std::string s);

inline std::string TrimBlanks(std::string_view text)
{
    return std::string(TrimmedBlanks(text));
}

/* "+" and seven digits, the value held to 0 .. 9999999. */
inline std::string Signed7(long value)
{
    char text[24];
    std::snprintf(text, sizeof text, "+%07ld", std::clamp(value, 0L, 9999999L));
    return text;
}

}  // namespace dqov::text

#endif
