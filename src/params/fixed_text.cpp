// Fixed-width text helpers shared by the parameter checks, the checker and
// the layouts.
#include "params/fixed_text.h"

#include <bit>

namespace dqov::text {

namespace {

/* Where the first NUL of the field's first n bytes lies, or n; the field is
 * `width` wide and its bytes from n on are blanks, so a block may reach past
 * n within the field. */
size_t FirstNul(const char* field, size_t n, size_t width)
{
#if defined(__SSE2__)
    if (width >= 16) {
        const __m128i nul = _mm_setzero_si128();
        auto nuls16 = [field, nul](size_t at) {
            return static_cast<unsigned>(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(field + at)), nul)));
        };
        size_t at = 0;
        for (; at + 16 <= n; at += 16)
            if (const unsigned nuls = nuls16(at))
                return at + static_cast<size_t>(std::countr_zero(nuls));
        if (at == n)
            return n;
        /* the last bytes in a block that ends at n, or at 16 (blanks past n) */
        const size_t from = n >= 16 ? n - 16 : 0;
        const unsigned nuls = nuls16(from);
        return nuls ? std::min(n, from + static_cast<size_t>(std::countr_zero(nuls))) : n;
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        if (n >= 8) {
            /* a word's NUL bytes as their high bits: the lowest is exact */
            auto nuls8 = [field](size_t at) {
                uint64_t word;
                std::memcpy(&word, field + at, 8);
                return (word - 0x0101010101010101ULL) & ~word & 0x8080808080808080ULL;
            };
            size_t at = 0;
            for (; at + 8 <= n; at += 8)
                if (const uint64_t nuls = nuls8(at))
                    return at + static_cast<size_t>(std::countr_zero(nuls)) / 8;
            if (at == n)
                return n;
            const uint64_t nuls = nuls8(n - 8);
            return nuls ? n - 8 + static_cast<size_t>(std::countr_zero(nuls)) / 8 : n;
        }
    }
    size_t at = 0;
    while (at < n && field[at] != '\0')
        ++at;
    return at;
}

}  // namespace

std::string_view TrimmedView(const char* field, size_t width)
{
    // The text ends at a NUL, which can only lie before the trailing blanks.
    size_t n = BeforeBlankWords(field, width);
    if (const size_t nul = FirstNul(field, n, width); nul < n)
        n = BeforeBlankWords(field, nul);
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
