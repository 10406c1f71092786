// Design sessions that rework screens and a report of DEMODSN with the
// painter scripts screen-edit.txt and report-edit.txt (fields moved, added,
// removed and identified anew, texts, spacing), the positions outside the
// screen and the report that the steps refuse, and the layouts that the
// system definition's flags choose, as the painter sees them. Expected
// commands, images and rows are worked out by hand.
#include "checked_access.h"
#include "layout/design/screen_design.h"
#include "layout/design_fixture.h"

namespace {

using design_test::DesignSession;
using design_test::g_after;
using design_test::Blank;
using design_test::g_before;
using design_test::Line;
using design_test::Sample;

// The field records (RCDFLD, PRTFLD) of a snapshot of layout records; the
// design step works the format records' line ranges out again whenever it
// draws a screen.
std::vector<std::string> Fields(const std::vector<std::string>& records)
{
    std::vector<std::string> out;
    for (const std::string& r : records)
        if (r.compare(0, 6, "RCDFLD") == 0 || r.compare(0, 6, "PRTFLD") == 0)
            out.push_back(r);
    return out;
}

// DSNEDT: DEMODSN has an action bar of three choices (two lines) and the
// standard heading, so the usable area starts below two action-bar lines,
// the separator and the title: its line 2 is screen line 5. The DISPLAY
// lays its fields DOWN from line 5, column 2, each behind its 15-character
// label (value at column 18); the REQUEST shows the field group XG_DSNHDR
// ACROSS under column headings from line 5.
TEST_F(DesignSession, ScreenEditSessionRewritesTheScreenAndItsGroup)
{
    Run("DSNEDT", 'S', Sample("screen-edit.txt"));
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    EXPECT_EQ(script->unused(), 0u);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Put the cursor on a field to move and press Enter",
                                        "Field marked: mark more, or put the cursor where they go",
                                        "Field DSNCMT inserted: put the cursor where it goes",
                                        "Put the cursor on the field to remove", "Field ORDNOTE removed",
                                        "Identification", "Identification ORDREF", "Identification",
                                        "Identification ORDCODE", "Text \"Order entry\"s end\": put the cursor where it goes",
                                        "Text placed", "Put the cursor on a field to move and press Enter",
                                        "Field marked: mark more, or put the cursor where they go"}));
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0][4], Line({{2, "Order ref      ~"}}));
    EXPECT_EQ(shown[0][7], Line({{2, "Note           ~"}}));
    // The reference without identification (its highlight attribute cell
    // before its value); the code behind its description, the 18 columns
    // of the screen's widest description (17, made even) with its dot
    // leaders, then the prompt dots and the value at column 27; the
    // quantity at line 10, column 40; the comment at line 12; the note gone;
    // the text at line 14.
    EXPECT_EQ(shown[1][4], Line({{1, "~"}}));
    EXPECT_EQ(shown[1][5], Line({{2, "Order code . . . . . . .~"}}));
    EXPECT_EQ(shown[1][6], Blank(80));
    EXPECT_EQ(shown[1][7], Blank(80));
    EXPECT_EQ(shown[1][9], Line({{40, "Quantity       ~99999"}}));
    EXPECT_EQ(shown[1][11], Line({{2, "Comment        ~"}}));
    EXPECT_EQ(shown[1][13], Line({{2, "Order entry\"s end"}}));
    // The REQUEST: the code's heading and value from line 5, column 23, to
    // line 8, column 10.
    EXPECT_EQ(shown[2][4], Line({{2, "Order reference text Code"}}));
    EXPECT_EQ(shown[3][4], Line({{2, "Order reference text"}}));
    EXPECT_EQ(shown[3][7], Line({{10, "Code"}}));
    EXPECT_EQ(shown[3][8], Line({{9, "~"}}));

    // The DISPLAY's own field list, in record order, each field with its
    // line and column, an identification other than the command's *LABEL,
    // and the *HI written for it in the source; the REQUEST's design goes to
    // the GROUP_BY that defines its group (with the *HI of that list), and
    // the REQUEST itself stays as it was.
    ASSERT_EQ(changed.size(), 2u);
    EXPECT_EQ(changed[1], (std::map<int, std::string>{{9401, "((#ORDREF *L5 *P2 ) (#ORDCODE *L8 *P10 *HI ) )"}}));
    EXPECT_EQ(changed[2],
              (std::map<int, std::string>{
                  {9401, "((#ORDREF *L5 *P2 *NOID *HI ) (#ORDCODE *L6 *P2 *DESC ) (#ORDQTY *L10 *P40 ) (#DSNCMT "
                         "*L12 *P2 ) )"},
                  {14101, "((*TMAP001 1 1))"}}));
    // The text map row: 80 characters of text, line, column, the 14
    // attribute flags, 32 blanks and the closing zero byte, 133 in all.
    const auto rows = Rows("DSNEDT");
    ASSERT_EQ(rows.size(), 1u);
    const std::string payload = "Order entry\"s end" + Blank(63) + "014002" + "YNNNNNNNNNNNNN" + Blank(32) + '\0';
    ASSERT_EQ(payload.size(), 133u);
    EXPECT_EQ(rows[0], "TEXTMAPS|*TMAP001|1|" + payload);
}

// DSNREP: the heading line at report line 1; the detail line's column
// headings on three lines before it (only the third holds text, at report
// line 5) and the line itself one line further (SPACE_BEF 1), report line 6.
TEST_F(DesignSession, ReportEditSessionRewritesTheDetailLine)
{
    Run("DSNREP", 'R', Sample("report-edit.txt"));
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    EXPECT_EQ(script->unused(), 0u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Put the cursor on a field to move and press Enter",
                                                    "Field picked: pick more, or put the cursor where they go",
                                                    "Field #ORDQTY moved",
                                                    "Field DSNCMT added: put the cursor where it goes",
                                                    "Field #DSNCMT placed", "Put the cursor on the field to remove",
                                                    "Field #ORDNOTE removed", "Put the cursor on the field to identify",
                                                    "Text \"Ordered\": put the cursor where it goes", "Text placed",
                                                    "Spacing of DEF_LINE changed"}));
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0][0], Line({{2, "Order ref"}}));
    EXPECT_EQ(shown[0][4], Line({{2, "Order reference text"}, {23, "Code"}, {31, "Qty"}, {35, "Note"}}));
    EXPECT_EQ(shown[0][5], Line({{29, "99999"}}));
    // The quantity at column 60 (its heading two columns in), the comment's
    // heading at column 70, the code without heading, the note gone; two
    // lines before the detail line put it on report line 7.
    EXPECT_EQ(shown[1][4], Line({{2, "Order reference text"}, {62, "Qty"}, {70, "Comment"}}));
    EXPECT_EQ(shown[1][5], Blank(80));
    EXPECT_EQ(shown[1][6], Line({{60, "99999"}}));

    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[3], (std::map<int, std::string>{
                              {8501, "((*TMAP002 1 1))"},
                              {9401, "((#ORDREF *L001 *P002 ) (#ORDCODE *L001 *P023 *NOID ) (#ORDQTY *L001 *P060 ) "
                                     "(#DSNCMT *L001 *P070 ) )"},
                              {38301, "002"},
                              {38401, "001"}}));
    const auto rows = Rows("DSNREP");
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], "FUNCREP001|0000000011|1| Order ref" + Blank(122));
    EXPECT_EQ(rows[4], "FUNCREP001|0000000051|1|" + Line({{2, "Order reference text"}, {62, "Qty"}, {70, "Comment"}}) +
                           Blank(52));
    EXPECT_EQ(rows[6], "FUNCREP001|0000000071|1|" + Blank(59) + "99999" + Blank(20) + "Ordered" + Blank(41));
    EXPECT_EQ(rows[7], "TEXTMAPS|*TMAP002|1|Ordered" + Blank(113) + "001085" + Blank(6));
}

// A field moved to column 85 or -3 and a text placed at column -5 lie
// outside the 80 columns: each is refused with its fit message and the
// screen keeps every record as it was.
TEST_F(DesignSession, ScreenPositionsOutsideTheScreenAreRefused)
{
    Run("DSNLST", 'S',
        "screen 1\n"
        "command M\ncommand MS 5 5\ncommand MT 10 85\n"
        "command M\ncommand MS 6 5\ncommand MT 12 -3\n"
        "command TI\ntext \"Minus five\"\ncommand TP 15 -5\n"
        "command M\ncommand MS 5 5\ncommand MT 25 2\n"
        "command E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Put the cursor on a field to move and press Enter",
                                                    "Field marked: mark more, or put the cursor where they go",
                                                    "The field would end outside its format",
                                                    "Put the cursor on a field to move and press Enter",
                                                    "Field marked: mark more, or put the cursor where they go",
                                                    "The field would start outside its format",
                                                    "Text \"Minus five\": put the cursor where it goes",
                                                    "The field would start outside its format",
                                                    "Put the cursor on a field to move and press Enter",
                                                    "Field marked: mark more, or put the cursor where they go",
                                                    "The field would end outside its format"}));
    ASSERT_FALSE(Fields(g_before).empty());
    EXPECT_EQ(Fields(g_after), Fields(g_before)) << "no field moved";
    EXPECT_TRUE(changed.empty());
    EXPECT_TRUE(Rows("DSNLST").empty());
}

// A field moved left of the report's first column and a text placed there
// are refused with message 19; the line is left as it was.
TEST_F(DesignSession, ReportPositionsLeftOfTheReportAreRefused)
{
    Run("DSNREP", 'R',
        "report 1\nlines 2=1\n"
        "command M\ncommand MS 6 30\ncommand MT 6 -3\n"
        "command TI\ntext \"Left\"\ncommand TP 6 -5\n"
        "command E\nleave 1\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 5u);
    EXPECT_EQ(messages[2], "#ORDQTY would end past the report width");
    EXPECT_EQ(messages[4], "TEXT000001 would end past the report width");
    EXPECT_EQ(g_after, g_before);
    EXPECT_TRUE(changed.empty());
}

// Spacing is written back as 3 digits: a negative count, or one above 999,
// is refused (message 26) and the line keeps its spacing.
TEST_F(DesignSession, SpacingOutsideThreeDigitsIsRefused)
{
    Run("DSNREP", 'R',
        "report 1\nlines 2=1\n"
        "command SP\nspacing -3 1\ncommand SP\nspacing 1 1000\n"
        "command E\nleave 1\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"DEF_LINE has no spacing", "DEF_LINE has no spacing"}));
    EXPECT_EQ(g_after, g_before);
    EXPECT_TRUE(changed.empty()) << "nothing changed, nothing written";
}

// A kept screen that has no text left: its text parameter is cleared, and
// no DELETE runs, so the stored row of its earlier map stays.
TEST_F(DesignSession, ScreenLeftWithoutTextsKeepsItsEarlierRows)
{
    process = "DEMOSCR";
    Run("ORDTMAP", 'S', "screen 1\ncommand TD\ncommand TR 5 12\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(checked::Last(Messages()), "Text \"Designed order text\" removed");
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[1].at(14101), "");
    const auto rows = Rows("ORDTMAP");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].substr(0, 40), "TEXTMAPS|*TMAP001|1|Designed order text ");
}

// Under the single-page flag (33) a block may not wrap onto the next line.
TEST_F(DesignSession, SinglePageScreenRefusesABlockThatWraps)
{
    configure = [](FFC_SYSTEM_DEFINITION& sys) { sys.acSystemFlags[32] = 'Y'; };
    Run("DSNEDT", 'S', "screen 1\ncommand M\ncommand MS 8 5\ncommand MT 10 60\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(checked::Last(Messages()), "The field would run over the end of its line");
    EXPECT_TRUE(changed.empty());
}

// Under the no-frame flag (45) a pop-up is drawn without its frame; what
// lies outside its usable area is still the window's ('W').
TEST_F(DesignSession, FramelessPopUpIsDrawnWithoutItsFrame)
{
    configure = [](FFC_SYSTEM_DEFINITION& sys) { sys.acSystemFlags[44] = 'Y'; };
    Run("DSNPOP", 'S', "screen 1\nshow\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    // No top line over the window (line 2 keeps the action-bar separator),
    // no sides and no bottom line (line 15).
    EXPECT_EQ(shown[0][1], Line({{3, std::string(78, '-')}}));
    EXPECT_EQ(shown[0][2], Line({{11, "DSNPOP01   Order window"}}));
    EXPECT_EQ(shown[0][4], Line({{11, "Order ref~"}, {32, "Code~"}}));
    EXPECT_EQ(shown[0][3], Blank(80));
    EXPECT_EQ(shown[0][14], Blank(80));
    const layout::design::ScreenDesign& step = layout::design::ScreenStep();
    EXPECT_EQ(step.kinds[1 * 80 + 10], 'W') << "line 2, column 10: above the window";
    EXPECT_EQ(step.kinds[4 * 80 + 9], 'W') << "line 5, column 9: left of the window";
}

// The context's own extra key is in the legend, in key order among the
// screen's keys, and the message line is on the last line of the 24-line
// image.
TEST_F(DesignSession, ExtraKeyLeadsTheLegendAndTheMessageLineIsOnTheImage)
{
    configure = [](FFC_SYSTEM_DEFINITION& sys) {
        sys.cExtraKey = 'Y';
        std::memcpy(sys.acExtraKeyNumber, "02", 2);
        std::memcpy(sys.acExtraKeyText, "Refresh   ", 10);
    };
    Run("DSNLST", 'S', "screen 1\nshow\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0][21], Blank(80)) << "the second legend line";
    EXPECT_EQ(shown[0][22], Line({{2, "F1=Help F2=Refresh F3=Exit F10=Actions F12=Cancel F14=Messages"}}));
    EXPECT_EQ(shown[0][23], std::string(80, 'M'));
}

// DSNLST's browse list: its line shows the reference (block at column 2),
// the code (23) and the quantity (29) under their headings. The code moved
// to column 45 of the list line rewrites the DEF_LIST that defines the
// list, its fields in the order they now stand on the screen, each with
// its column only; the REQUEST keeps its own field list.
TEST_F(DesignSession, AListFieldMovedRewritesTheListsDefinition)
{
    Run("DSNLST", 'S',
        "screen 1\ncommand M\ncommand MS 9 23\ncommand MT 9 45\nshow\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Put the cursor on a field to move and press Enter",
                                                    "Field marked: mark more, or put the cursor where they go"}));
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0][7], Line({{2, "Order reference text       Qty             Code"}}));
    EXPECT_EQ(changed, (design_test::Changes{{1, {{9401, "((#ORDREF *P2 ) (#ORDQTY *P29 ) (#ORDCODE *P45 ) )"}}}}));
}

// A field inserted into the list screen, where the painter asks whether
// it belongs to the record or to the list: given to the list at column 60
// of the list line, it shows its heading above the list and joins the
// DEF_LIST's field list after the fields left of it.
TEST_F(DesignSession, AFieldInsertedIntoTheListGoesToItsDefinition)
{
    Run("DSNLST", 'S',
        "screen 1\ncommand FI\nfield DSNCMT N\ntarget list\ncommand FP 9 60\nshow\ncommand E\nleave 1\n"
        "screen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(script->unused(), 0u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Field DSNCMT inserted: put the cursor where it goes"}));
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0][7], Line({{2, "Order reference text Code  Qty"}, {60, "Comment"}}));
    EXPECT_EQ(changed, (design_test::Changes{
                           {1, {{9401, "((#ORDREF *P2 ) (#ORDCODE *P23 ) (#ORDQTY *P29 ) (#DSNCMT *P60 ) )"}}}}));
}

// Two fields marked (the quantity and the note, lines 7 and 8, each block
// from column 2) and moved up to line 5, column 40: the move goes
// upwards, so the marks are taken nearest first, and both keep their
// places to each other (lines 5 and 6, column 40); the DISPLAY's field
// list is rebuilt and its text-map parameter cleared, as the screen has
// no texts.
TEST_F(DesignSession, MarkedFieldsMovedUpKeepTheirPlacesToEachOther)
{
    Run("DSNEDT", 'S',
        "screen 1\ncommand M\ncommand MS 7 18\ncommand MA 8 18\ncommand MT 5 40\nshow\ncommand E\nleave 1\n"
        "screen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Put the cursor on a field to move and press Enter",
                                                    "Field marked: mark more, or put the cursor where they go",
                                                    "Field marked: mark more, or put the cursor where they go"}));
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0][4], Line({{2, "Order ref      ~"}, {40, "Quantity       ~99999"}}));
    EXPECT_EQ(shown[0][5], Line({{2, "Code           ~"}, {40, "Note           ~"}}));
    EXPECT_EQ(changed, (design_test::Changes{
                           {2,
                            {{9401, "((#ORDREF *L5 *P2 *HI ) (#ORDCODE *L6 *P2 ) (#ORDQTY *L5 *P40 ) (#ORDNOTE *L6 *P40 ) )"},
                             {14101, ""}}}}));
}

// ORDSCRN's first screen gives key F6 the caption *MTXTADD, a
// multilingual text variable: the legend shows the variable's text in the
// run's language ("New"), in key order between F3 and F12.
TEST_F(DesignSession, AKeyCaptionedByAMultilingualTextShowsItsText)
{
    process = "DEMOSCR";
    Run("ORDSCRN", 'S', "screen 1\nshow\ncommand E\nleave 1\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0][22], Line({{2, "F1=Help F3=Exit F6=New F12=Cancel F14=Messages"}}));
    EXPECT_EQ(shown[0][19], Line({{30, "Order entry"}})) << "the command's own text at line 20, column 30";
    EXPECT_TRUE(changed.empty());
}

}  // namespace
