// Numbers the painter answers with that lie far off any screen or report,
// and numbers of a painter script that fit no place of the exchange block:
// each is a refused step with its message, and nothing of the design
// changes. (A cursor line of 30,000,000 once made the cell index of the
// screen overflow, and the move of marked fields to -2147483648 overflowed
// its offsets.)
#include "checked_access.h"
#include "layout/design_fixture.h"

namespace {

using design_test::DesignSession;
using design_test::g_after;
using design_test::g_before;

constexpr const char* kOutside = "The cursor is outside the window";

// The field records of a snapshot of layout records (the format records'
// line ranges are worked out again whenever a screen is drawn).
std::vector<std::string> Fields(const std::vector<std::string>& records)
{
    std::vector<std::string> out;
    for (const std::string& r : records)
        if (r.compare(0, 6, "RCDFLD") == 0 || r.compare(0, 6, "PRTFLD") == 0)
            out.push_back(r);
    return out;
}

TEST_F(DesignSession, ScreenCursorFarOffTheScreenIsRefused)
{
    // mark, move and identify with cursors no screen has; each is asked
    // again, and a cursor on the screen then goes on as usual
    Run("DSNLST", 'S',
        "screen 1\n"
        "command M\ncommand MS 30000000 5\ncommand MS 5 30000000\ncommand MS 5 5\n"
        "command MT -2147483648 -2147483648\ncommand MT 2147483647 1\n"
        "command I\ncommand IS 30000000 5\ncommand IS -1000 -1000\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(script->unused(), 0u);
    const std::vector<std::string> messages = Messages();
    EXPECT_EQ(messages, (std::vector<std::string>{"Put the cursor on a field to move and press Enter", kOutside,
                                                  kOutside, "Field marked: mark more, or put the cursor where they go",
                                                  kOutside, kOutside, "Identification", kOutside, kOutside}))
        << output;
    // the step asked for the same again after each refusal
    std::vector<std::string> asked;
    for (const painter::Exchange& e : script->transcript())
        if (e.request == 1)
            asked.push_back(e.requestCode);
    EXPECT_EQ(asked, (std::vector<std::string>{"    ", "MS  ", "MS  ", "MS  ", "MT  ", "MT  ", "MT  ", "IS  ",
                                               "IS  ", "IS  "}));
    ASSERT_FALSE(Fields(g_before).empty());
    EXPECT_EQ(Fields(g_after), Fields(g_before));
    EXPECT_TRUE(changed.empty());
}

TEST_F(DesignSession, ScreenCursorJustOffTheScreenKeepsItsFitMessages)
{
    // 999 lines down is still a position: the fit test refuses it
    Run("DSNLST", 'S', "screen 1\ncommand M\ncommand MS 5 5\ncommand MT 999 -999\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(checked::Last(Messages()), "The field would start outside its format");
    EXPECT_TRUE(changed.empty());
}

TEST_F(DesignSession, ReportCursorFarOffTheReportIsRefused)
{
    Run("DSNREP", 'R',
        "report 1\nlines 2=1\n"
        "command M\ncommand MS 30000000 5\ncommand MS 6 30\ncommand MT -2147483648 -2147483648\n"
        "command E\nleave 1\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(script->unused(), 0u);
    for (const char* reply : {"30000000", "-2147483648"})
        EXPECT_NE(errorOutput.find(std::string("Routine P3019_DesignReportLine received an unexpected reply ") + reply +
                                   " from the painter."),
                  std::string::npos)
            << reply << errorOutput;
    EXPECT_EQ(g_after, g_before);
    EXPECT_TRUE(changed.empty());
}

TEST_F(DesignSession, RepeatCountsBeyondAPageAreRefused)
{
    // a line or the body repeated more than 99 times is no choice: the
    // lines are asked again
    Run("DSNREP", 'R', "report 1\nlines 2=1*100\nlines 2=1 body=2147483647\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(script->unused(), 0u);
    for (const char* reply : {"100", "2147483647"})
        EXPECT_NE(errorOutput.find(std::string("Routine P3019_SelectReports received an unexpected reply ") + reply +
                                   " from the painter."),
                  std::string::npos)
            << reply << errorOutput;
    EXPECT_TRUE(changed.empty());
}

TEST(PainterScriptNumbers, NumbersThatFitNoPlaceOfTheBlockAreRefusedAtReading)
{
    const struct {
        const char* line;
        const char* why;
    } kCases[] = {
        {"command MS 99999999999 5", "the cursor row 99999999999 is not a number from -2147483648 to 2147483647"},
        {"command MS 5 -2147483649", "the cursor column -2147483649 is not a number from -2147483648 to 2147483647"},
        {"command MS x 5", "the cursor row \"x\" is not a number"},
        {"command MS 5 5-", "the cursor column \"5-\" is not a number"},
        {"design 32768", "the reply 32768 is not a number from -32768 to 32767"},
        {"leave -32769", "the reply -32769 is not a number from -32768 to 32767"},
        {"spacing 1 99999999999", "the spacing 99999999999 is not a number from -2147483648 to 2147483647"},
        {"lines 1=X*3000000000", "the repeat count 3000000000 is not a number from -2147483648 to 2147483647"},
        {"lines body=x", "the repeat count \"x\" is not a number"},
        {"lines 99999999999=1", "the line number 99999999999 is not a number from -2147483648 to 2147483647"},
    };
    for (const auto& c : kCases) {
        std::string error;
        EXPECT_EQ(painter::PainterScript::Parse(std::string("screen 1\n") + c.line + "\n", error), nullptr) << c.line;
        EXPECT_EQ(error, std::string("Line 2 of the painter script cannot be read: ") + c.why + ".") << c.line;
    }
    // words stand where a reply may be one
    for (const char* line : {"design end", "report BZSALES", "screen DSNPOP01", "target list", "leave 2147483647x"}) {
        std::string error;
        EXPECT_NE(painter::PainterScript::Parse(std::string(line) + "\n", error), nullptr) << line << ": " << error;
    }
}

}  // namespace
