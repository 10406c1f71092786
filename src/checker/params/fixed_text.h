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

/* The text without its leading and trailing blanks. Fixed fields are
 * mostly blank at their end: those blanks are passed eight at a time. */
inline std::string_view TrimmedBlanks(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    constexpr uint64_t kEightBlanks = 0x2020202020202020ULL;
    for (uint64_t word; e - b >= 8; e -= 8) {
        std::memcpy(&word, text.data() + e - 8, 8);
        if (word != kEightBlanks)
            break;
    }
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
