// The hash of the writers' tables of field names and kept lines: it reads
// a text's own bytes only, whatever its length (the last eight bytes of a
// text of eight or more are read at once, the bytes of a shorter one one
// by one), so the same text hashes the same wherever it stands.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "generator/expressions/expr_routines.h"

namespace {

// The text "abcdefgh..." of `length` characters, inside a buffer whose
// bytes before and after it are `fill`.
std::string framed(size_t length, char fill)
{
    std::string buffer(8, fill);
    for (size_t i = 0; i < length; ++i)
        buffer.push_back(static_cast<char>('a' + i % 26));
    buffer.append(8, fill);
    return buffer;
}

TEST(TextHash, SameTextSameHashWhateverStandsAroundIt)
{
    /* every length around the eight-byte steps, the empty text included */
    for (size_t length = 0; length <= 25; ++length) {
        const std::string one = framed(length, 'X'), other = framed(length, '\xFF');
        const std::string_view a(one.data() + 8, length), b(other.data() + 8, length);
        ASSERT_EQ(a, b);
        EXPECT_EQ(EXPR_TextHash(a), EXPR_TextHash(b)) << "length " << length;
    }
}

TEST(TextHash, TextsOfTheSameBytesButOneHashApart)
{
    /* a change in any byte, also one of the bytes read twice (in the last
       whole word and in the last eight) or alone at the end, shows */
    for (size_t length = 1; length <= 25; ++length) {
        const std::string base = framed(length, ' ').substr(8, length);
        for (size_t at = 0; at < length; ++at) {
            std::string changed = base;
            changed[at] = '#';
            EXPECT_NE(EXPR_TextHash(base), EXPR_TextHash(changed)) << "length " << length << " at " << at;
        }
    }
}

}  // namespace
