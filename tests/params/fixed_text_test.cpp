// Fixed-width text helpers: capitals and trimming of wide blank fields.
#include <gtest/gtest.h>

#include <string>

#include "params/fixed_text.h"

using namespace dqov::text;

namespace {

TEST(FixedText, CapitalsOnlyForTheLettersAToZAtEveryPlace)
{
    // every byte value, starting at every place within an eight-byte word
    for (size_t shift = 0; shift < 8; ++shift) {
        std::string all(shift, '#');
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        all += "xyz";
        const std::string upper = Upper(all);
        ASSERT_EQ(upper.size(), all.size());
        for (size_t i = 0; i < all.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(all[i]);
            const unsigned char want = c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : c;
            EXPECT_EQ(static_cast<unsigned char>(upper[i]), want) << "byte " << int(c) << " shift " << shift;
        }
    }
    EXPECT_EQ(Upper("#custno@_{`}z~"), "#CUSTNO@_{`}Z~");
    EXPECT_EQ(Upper("change to('abc\xe9')"), "CHANGE TO('ABC\xe9')");
    EXPECT_EQ(Upper(""), "");
}

TEST(FixedText, CapitalsOfShortTextsLeaveTheBytesPastThem)
{
    // texts of every length up to 24 in a buffer with room past them (the
    // last bytes are taken as one word): only the text's letters change
    for (size_t length = 0; length <= 24; ++length) {
        std::string text;
        text.reserve(40);
        for (size_t i = 0; i < length; ++i)
            text += static_cast<char>("az{`Ab9_#m"[i % 10]);
        std::string want = text;
        for (char& c : want)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
        const std::string upper = Upper(text);
        EXPECT_EQ(upper, want) << "length " << length;
        EXPECT_EQ(upper.c_str()[length], '\0') << "length " << length;
        // a short text in the string's own small buffer
        EXPECT_EQ(Upper(std::string(text, 0, std::min<size_t>(length, 7))), want.substr(0, std::min<size_t>(length, 7)));
    }
}

TEST(FixedText, WideBlankFieldsTrimToTheirText)
{
    // texts ending at and around the 64-byte blocks the trim passes
    for (size_t width : {1u, 7u, 8u, 63u, 64u, 65u, 127u, 128u, 200u, 1000u}) {
        for (size_t length : {0u, 1u, 5u, 8u, 31u, 63u, 64u, 65u, 100u}) {
            if (length > width)
                continue;
            std::string field(width, ' ');
            for (size_t i = 0; i < length; ++i)
                field[i] = static_cast<char>('A' + i % 26);
            if (length > 2)
                field[length / 2] = ' ';  // a blank inside the text stays
            const std::string want = field.substr(0, length);
            EXPECT_EQ(std::string(TrimmedView(field.data(), width)), want) << width << "/" << length;
            EXPECT_EQ(std::string(TrimmedBlanks(field)), want) << width << "/" << length;
        }
    }
    std::string padded(300, ' ');
    padded.replace(70, 4, "NAME");
    EXPECT_EQ(Trim(padded.data(), padded.size()), "NAME");
    padded[200] = '\0';  // the text ends at a NUL
    padded.replace(250, 3, "XYZ");
    EXPECT_EQ(Trim(padded.data(), padded.size()), "NAME");
}

TEST(FixedText, TrimStopsAtTheFirstNulAndTheLastTextByteAtEveryPlace)
{
    // every field width up to past two 64-byte blocks, with the text's last
    // byte, a NUL and a form feed placed at each position in turn: the
    // blocks the trim reads overlap the field's ends in every way
    for (size_t width = 0; width <= 140; ++width) {
        for (size_t last = 0; last <= width; ++last) {
            std::string field(width, ' ');
            if (last > 0)
                field[last - 1] = 'Z';
            if (last > 1)
                field[0] = 'A';
            const std::string text = field.substr(0, last);
            EXPECT_EQ(std::string(TrimmedBlanks(field)), text) << width << "/" << last;
            EXPECT_EQ(std::string(TrimmedView(field.data(), width)), text) << width << "/" << last;
            // a NUL at each place inside the text ends it there, blanks
            // before the NUL going with it
            for (size_t nul = 0; nul < last; nul += 1 + nul / 8) {
                std::string cut = field;
                cut[nul] = '\0';
                const std::string want = nul > 0 ? "A" : "";
                EXPECT_EQ(std::string(TrimmedView(cut.data(), width)), want) << width << "/" << last << "/" << nul;
            }
            // a NUL among the trailing blanks ends nothing that shows
            if (last < width) {
                std::string tail = field;
                tail[width - 1] = '\0';
                EXPECT_EQ(std::string(TrimmedView(tail.data(), width)), text) << width << "/" << last << "/tail";
            }
            // line ends and form feeds before the blanks go too
            if (last > 1) {
                std::string feed = field;
                feed[last - 1] = '\f';
                EXPECT_EQ(std::string(TrimmedView(feed.data(), width)), "A") << width << "/" << last << "/feed";
            }
        }
    }
    // leading blanks go, a blank inside stays
    EXPECT_EQ(std::string(TrimmedView("   AB CD      ", 14)), "AB CD");
    EXPECT_EQ(std::string(TrimmedView("  X\0Y    ", 10)), "X");
    EXPECT_EQ(std::string(TrimmedView("\0ABCDEFGHIJKLMNOPQRSTUVWXYZ", 27)), "");
}

}  // namespace
