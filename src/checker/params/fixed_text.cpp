// Fixed-width text helpers shared by the parameter checks, the checker and
// the layouts.
#include "checker/params/fixed_text.h"

namespace dqov::text {

std::string_view TrimmedView(const char* field, size_t width)
{
    // The text ends at a NUL, which can only lie before the trailing blanks.
    size_t n = BeforeBlankWords(field, width);
    if (const void* end = std::memchr(field, '\0', n))
        n = BeforeBlankWords(field, static_cast<size_t>(static_cast<const char*>(end) - field));
    while (n > 0 && (field[n - 1] == ' ' || field[n - 1] == '\f' || field[n - 1] == '\n' || field[n - 1] == '\r'))
        --n;
    size_t start = 0;
    while (start < n && field[start] == ' ')
        ++start;
    return std::string_view(field + start, n - start);
}

std::string Trim(const char* field, size_t width)
{
    return std::string(TrimmedView(field, width));
}

void Pad(char* field, size_t width, std::string_view text)
{
    std::memset(field, ' ', width);
    if (!text.empty())
        std::memcpy(field, text.data(), std::min(width, text.size()));
}

std::string Upper(std::string s)
{
    for (char& c : s)
        c = UpperChar(c);
    return s;
}

}  // namespace dqov::text
