/*
** code_runs.h: the code of a line of generated C or C#, told apart from its
** comments and the contents of its literals, a line at a time with a
** comment carried from one line to the next.
**
** The mender of held jumps reads a method's lines by it, and the line
** writer follows the comments of the lines it holds by it: both must see
** each line's code alike, so both take it from here.
*/
#ifndef GENERATOR_CORE_CODE_RUNS_H
#define GENERATOR_CORE_CODE_RUNS_H

#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace gen_code {

#if defined(__SSE2__)
/* The `n` (1 to 15) bytes at p, zeros after them: a line's last bytes
** compared at once without reading past its end. They are read as two
** words, the second of each overlapping the first and shifted clear of
** it, with no copy through memory. */
inline __m128i loadShort(const char* p, size_t n)
{
    const auto word = [p](size_t at) {
        uint64_t w;
        std::memcpy(&w, p + at, sizeof w);
        return w;
    };
    const auto half = [p](size_t at) {
        uint32_t w;
        std::memcpy(&w, p + at, sizeof w);
        return uint64_t{w};
    };
    uint64_t lo = 0, hi = 0;
    if (n >= 8) {
        lo = word(0);
        if (n > 8)
            hi = word(n - 8) >> (8 * (16 - n)); /* bytes 8 to n - 1 */
    } else if (n >= 4) {
        lo = half(0) | (half(n - 4) >> (8 * (8 - n))) << 32; /* bytes 4 to n - 1 above the first four */
    } else if (n > 0) {
        const auto byte = [p](size_t at) { return uint64_t{static_cast<unsigned char>(p[at])}; };
        lo = byte(0) | byte(n / 2) << (8 * (n / 2)) | byte(n - 1) << (8 * (n - 1));
    }
    return _mm_set_epi64x(static_cast<long long>(hi), static_cast<long long>(lo));
}

/* The places of the bytes among sixteen, a bit each. */
template <char... Bytes> unsigned placesIn(__m128i v)
{
    __m128i any = _mm_setzero_si128();
    ((any = _mm_or_si128(any, _mm_cmpeq_epi8(v, _mm_set1_epi8(Bytes)))), ...);
    return static_cast<unsigned>(_mm_movemask_epi8(any));
}
#endif

/* Hands the places of the bytes (none of them zero) at or after k to
** at(place) in order, until it answers true; whether one did. The text is
** read sixteen bytes at a time, however many of the bytes they hold. */
template <char... Bytes, typename At> bool anyPlaceOf(std::string_view t, size_t k, At at)
{
    const size_t n = t.size();
#if defined(__SSE2__)
    for (; k < n; k += 16) {
        unsigned mask = k + 16 <= n ? placesIn<Bytes...>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t.data() + k)))
                                    : placesIn<Bytes...>(loadShort(t.data() + k, n - k));
        for (; mask != 0; mask &= mask - 1)
            if (at(k + static_cast<size_t>(__builtin_ctz(mask))))
                return true;
    }
    return false;
#else
    for (; k < n; ++k)
        if (((t[k] == Bytes) || ...) && at(k))
            return true;
    return false;
#endif
}

/* The first of the bytes (none of them zero) at or after k, or the text's
** size. */
template <char... Bytes> size_t nextOf(std::string_view t, size_t k)
{
    const size_t n = t.size();
#if defined(__SSE2__)
    for (; k + 16 <= n; k += 16)
        if (const unsigned mask = placesIn<Bytes...>(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t.data() + k))))
            return k + static_cast<size_t>(__builtin_ctz(mask));
    if (k < n)
        if (const unsigned mask = placesIn<Bytes...>(loadShort(t.data() + k, n - k)))
            return k + static_cast<size_t>(__builtin_ctz(mask));
    return n;
#else
    for (; k < n; ++k)
        if (((t[k] == Bytes) || ...))
            return k;
    return n;
#endif
}

/* The first byte of the text that is neither a blank nor a tab, or its size. */
inline size_t firstNotBlank(std::string_view t)
{
    const size_t n = t.size();
    size_t k = 0;
#if defined(__SSE2__)
    const auto blanks = [](__m128i v) {
        return static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(v, _mm_set1_epi8(' ')), _mm_cmpeq_epi8(v, _mm_set1_epi8('\t')))));
    };
    for (; k + 16 <= n; k += 16)
        if (const unsigned other = ~blanks(_mm_loadu_si128(reinterpret_cast<const __m128i*>(t.data() + k))) & 0xFFFFu)
            return k + static_cast<size_t>(__builtin_ctz(other));
    if (k < n)
        if (const unsigned other = ~blanks(loadShort(t.data() + k, n - k)) & ((1u << (n - k)) - 1u))
            return k + static_cast<size_t>(__builtin_ctz(other));
    return n;
#else
    while (k < n && (t[k] == ' ' || t[k] == '\t'))
        ++k;
    return k;
#endif
}

/* The runs of the text that are code, handed to run(from, to) in order:
** what is left once comments and the contents of string and character
** literals (their quotes are code) are taken out; a preprocessor line has
** none. `comment` carries a comment open at the end of a line to the
** next. */
template <typename Run> void codeRuns(std::string_view t, bool& comment, Run run)
{
    const size_t n = t.size();
    if (!comment) {
        const size_t first = firstNotBlank(t);
        if (first < n && t[first] == '#')
            return;
    }
    for (size_t k = 0; k < n;) {
        if (comment) {
            const size_t end = t.find("*/", k);
            comment = end == std::string_view::npos;
            k = comment ? n : end + 2;
            continue;
        }
        const size_t at = nextOf<'/', '"', '\''>(t, k);
        if (at > k)
            run(k, at);
        k = at;
        if (k >= n)
            break;
        const char ch = t[k];
        if (ch == '/') {
            if (k + 1 < n && t[k + 1] == '/')
                break;
            if (k + 1 < n && t[k + 1] == '*') {
                comment = true;
                k += 2;
                continue;
            }
            run(k, k + 1);
            ++k;
            continue;
        }
        /* a literal: its quotes are code */
        run(k, k + 1);
        const bool verbatim = ch == '"' && k > 0 && t[k - 1] == '@';
        for (++k; k < n; ++k) {
            if (!verbatim && t[k] == '\\') {
                ++k;
                continue;
            }
            if (t[k] == ch) {
                if (verbatim && k + 1 < n && t[k + 1] == '"') {
                    ++k;
                    continue;
                }
                run(k, k + 1);
                break;
            }
        }
        ++k;
    }
}

/* Whether the text holds code (codeRuns) other than blanks and tabs,
** `comment` carried as codeRuns carries it. */
inline bool holdsCode(std::string_view t, bool& comment)
{
    bool code = false;
    codeRuns(t, comment, [&](size_t from, size_t to) {
        if (!code)
            code = firstNotBlank(t.substr(from, to - from)) < to - from;
    });
    return code;
}

}  // namespace gen_code

#endif
