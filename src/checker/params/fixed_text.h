/* Fixed-width pieces of message data and work records: blank-padded text,
 * the same text without its blanks and a count written as "+" and seven
 * digits. */
#ifndef DQOV_CHECKER_PARAMS_FIXED_TEXT_H
#define DQOV_CHECKER_PARAMS_FIXED_TEXT_H

#include <algorithm>
#include <cstddef>
#include <cstdio>
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

/* The text without its leading and trailing blanks. */
inline std::string TrimBlanks(std::string_view text)
{
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ')
        ++b;
    while (e > b && text[e - 1] == ' ')
        --e;
    return std::string(text.substr(b, e - b));
}

/* "+" and seven digits, the value held to 0 .. 9999999. */
inline std::string Signed7(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "+%07ld", std::clamp(value, 0L, 9999999L));
    return text;
}

}  // namespace dqov::text

#endif
