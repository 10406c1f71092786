// The text of a command's parameter as the emitters read it from the stored
// command: the element without its trailing blanks, however wide the
// element and wherever its blanks start; blanks inside the text stay, and
// the element read as a fixed field keeps its full width.
#include "emit_fixture.h"

#include "generator/emitters/emit_support.h"

namespace emitters_test {
namespace {

class ParameterText : public EmitterFixture {
protected:
    /* MESSAGE's MSGTXT: a text element of 80 characters. */
    static constexpr size_t kWidth = 80;

    void store(const std::string& text)
    {
        FFC_PARSED_COMMAND& p = command("MESSAGE");
        set(p, "MSGTXT", text);
        current(p);
    }
};

TEST_F(ParameterText, TrailingBlanksGoWhereverTheyStart)
{
    /* the text's end on both sides of eight-byte and 32-byte steps, and
       the whole element */
    for (size_t length : {1, 2, 7, 8, 9, 15, 16, 17, 24, 31, 32, 33, 47, 63, 64, 65, 72, 79, 80}) {
        std::string text;
        for (size_t i = 0; i < length; ++i)
            text.push_back(i % 5 == 3 ? ' ' : static_cast<char>('A' + i % 26));
        text.back() = 'Z';
        store(text);
        EXPECT_EQ(P3109_Parm("MSGTXT"), text) << "length " << length;
        EXPECT_EQ(P3109_ParmView("MSGTXT"), text) << "length " << length;
        EXPECT_EQ(P3109_ParmField("MSGTXT"), text + std::string(kWidth - length, ' ')) << "length " << length;
    }
}

TEST_F(ParameterText, BlanksInsideTheTextStay)
{
    /* a blank run wider than a word and one that fills whole words */
    const std::string text = "A" + std::string(20, ' ') + "B" + std::string(32, ' ') + "C";
    store(text);
    EXPECT_EQ(P3109_Parm("MSGTXT"), text);
    EXPECT_EQ(P3109_ParmView("MSGTXT"), text);
}

TEST_F(ParameterText, AnElementNarrowerThanAWordLosesItsBlanksToo)
{
    /* MSGID: seven characters */
    for (const std::string text : {"A", "AB C", "ABCDEF", "ABCDEFG"}) {
        FFC_PARSED_COMMAND& p = command("MESSAGE");
        set(p, "MSGID", text);
        current(p);
        EXPECT_EQ(P3109_Parm("MSGID"), text);
        EXPECT_EQ(P3109_ParmField("MSGID"), text + std::string(7 - text.size(), ' '));
    }
}

TEST_F(ParameterText, AnAllBlankElementIsEmpty)
{
    store("");
    EXPECT_EQ(P3109_Parm("MSGTXT"), "");
    EXPECT_TRUE(P3109_ParmView("MSGTXT").empty());
    EXPECT_EQ(P3109_ParmField("MSGTXT"), std::string(kWidth, ' '));
    /* the next command's text is read anew, not the blank one kept */
    store("NEXT");
    EXPECT_EQ(P3109_Parm("MSGTXT"), "NEXT");
}

}  // namespace
}  // namespace emitters_test
