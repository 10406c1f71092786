// Fixed-width text helpers shared by the parameter checks, the checker and
// the layouts.
#include "params/fixed_text.h"

#include <bit>

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
    // eight bytes at a time: a byte below 128 from 'a' to 'z' loses 0x20
    // (no sum below carries into the next byte), any other stays
    constexpr uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL, kHigh = 0x8080808080808080ULL;
    constexpr uint64_t kFromA = 0x1F1F1F1F1F1F1F1FULL;  /* 0x80 - 'a' */
    constexpr uint64_t kPastZ = 0x0505050505050505ULL;  /* 0x80 - ('z' + 1) */
    char* p = s.data();
    const size_t n = s.size();
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x;
        std::memcpy(&x, p + i, 8);
        const uint64_t t = x & kLow7;
        const uint64_t lower = (t + kFromA) & ~(t + kPastZ) & ~x & kHigh;
        if (lower == 0)
            continue;
        x -= lower >> 2;
        std::memcpy(p + i, &x, 8);
    }
    if (i < n && i + 8 <= s.capacity() + 1) {
        // the last bytes as one word too, where the string's buffer (its
        // capacity and terminator) holds eight from here: only the text's
        // bytes may change, the ones past it are written back as they were
        const unsigned past = 8 * static_cast<unsigned>(8 - (n - i)); /* bits of the bytes past the text */
        const uint64_t text =
            kHigh & (std::endian::native == std::endian::little ? ~uint64_t{0} >> past : ~uint64_t{0} << past);
        uint64_t x;
        std::memcpy(&x, p + i, 8);
        const uint64_t t = x & kLow7;
        x -= ((t + kFromA) & ~(t + kPastZ) & ~x & text) >> 2;
        std::memcpy(p + i, &x, 8);
        return s;
    }
    for (; i < n; ++i)
        p[i] = UpperChar(p[i]);
    return s;
}

}  // namespace dqov::text
