/*
** Sorted lists of short words held in place, searched by halving. A word
** sits in a fixed field with its length, so a list holds no pointers and
** loading the library writes none of its pages.
*/
#ifndef DQOV_PLATFORM_QVUTIL_WORD_LIST_H
#define DQOV_PLATFORM_QVUTIL_WORD_LIST_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace qvutil {

/* A word of at most N characters. */
template <size_t N> struct Word {
    static_assert(N <= 255, "the length is kept in a byte");
    char text[N];
    uint8_t size;

    template <size_t n> consteval Word(const char (&word)[n]) : text{}, size(n - 1)
    {
        static_assert(n - 1 <= N, "a word longer than its list's field");
        for (size_t i = 0; i + 1 < n; ++i)
            text[i] = word[i];
    }
    constexpr std::string_view view() const { return {text, size}; }
};

/* The words are in byte order, as InWordList needs. */
template <size_t N, size_t Count> constexpr bool IsSortedWordList(const Word<N> (&list)[Count])
{
    return std::is_sorted(std::begin(list), std::end(list),
                          [](const Word<N>& a, const Word<N>& b) { return a.view() < b.view(); });
}

/* The word is in the (sorted) list. */
template <size_t N, size_t Count> constexpr bool InWordList(const Word<N> (&list)[Count], std::string_view word)
{
    const Word<N>* found = std::lower_bound(std::begin(list), std::end(list), word,
                                            [](const Word<N>& w, std::string_view text) { return w.view() < text; });
    return found != std::end(list) && found->view() == word;
}

}  // namespace qvutil

#endif
