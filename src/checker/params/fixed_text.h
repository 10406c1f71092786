/* Fixed-width pieces of message data and work records: blank-padded text,
 * the same text without its blanks and a count written as "+" and seven
 * digits. */
#ifndef DQOV_CHECKER_PARAMS_FIXED_TEXT_H
#define DQOV_CHECKER_PARAMS_FIXED_TEXT_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace dqov::text {

/* The text cut or blank-padded to the width. */
inline std::string Fixed(std::string_view text, size_t width)
{
    std::string s(text.substr(0, std::min(text.size(), width)));
    s.resize(width, ' ');
    return s;
}

/* The end of the n characters' text before their trailing blanks, passed
 * 32, then eight at a time (wide fields are mostly blank); up to seven
 * blanks may stay. */
inline size_t BeforeBlankWords(const char* field, size_t n)
{
    auto blanks = [field](size_t at, size_t words) {
        uint64_t differ = 0;
        for (size_t i = 0; i < words; ++i) {
            uint64_t word;
            std::memcpy(&word, field + at + 8 * i, 8);
            differ |= word ^ 0x2020202020202020ULL;
        }
        return differ == 0;
    };
    while (n >= 32 && blanks(n - 32, 4))
        n -= 32;
    while (n >= 8 && blanks(n - 8, 1))
        n -= 8;
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
