// Design sessions on the sample process DEMODSN with the painter scripts of
// samples/painter: the screens sent to the painter, the messages shown, the
// commands rewritten and the design rows stored, worked out by hand.
#include "checked_access.h"
#include "layout/design/screen_design.h"
#include "layout/design_fixture.h"

namespace {

using design_test::DesignSession;
using design_test::g_after;
using design_test::Blank;
using design_test::g_before;
using design_test::Line;
using design_test::Replace;
using design_test::Sample;

TEST_F(DesignSession, ReportLineIsRedesignedAndWrittenBack)
{
    Run("DSNRPT", 'R', Sample("report-session.txt"));
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    EXPECT_EQ(script->unused(), 0u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Lines 023 to 045", "Lines 001 to 023", "Columns 053 to 132", "Columns 001 to 080",
                              "Text \"Total's\": put the cursor where it goes", "Text placed",
                              "Field DSNCMT added: put the cursor where it goes", "Field #DSNCMT placed",
                              "Put the cursor on a field to move and press Enter",
                              "Field picked: pick more, or put the cursor where they go", "Field #ORDREF moved",
                              "Put the cursor on the field to identify", "Spacing of DEF_LINE changed"}));
    // The heading line at report line 1 (its alphanumeric field prints
    // blanks); the detail line one line below it, its first line holding
    // the order reference with its 15-character label.
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0][0], Blank(80));
    EXPECT_EQ(shown[0][1], Line({{2, "Order ref"}}));
    EXPECT_EQ(shown[0][2], Line({{2, "Quantity"}, {18, "99999"}}));
    // Moved above line 1, the reference became line 1 and every other item
    // of the line moved one down: quantity and text at line 3, the new
    // field at line 4 (the line's first line stays on report line 2).
    EXPECT_EQ(shown[1][1], Line({{2, "Order ref"}}));
    EXPECT_EQ(shown[1][2], Blank(80));
    EXPECT_EQ(shown[1][3], Line({{2, "Quantity"}, {18, "99999"}, {30, "Total\"s"}}));
    EXPECT_EQ(shown[1][4], Line({{2, "Comment"}}));
    // Two lines before the detail line: it starts at report line 3.
    EXPECT_EQ(shown[2][1], Blank(80));
    EXPECT_EQ(shown[2][2], Line({{2, "Order ref"}}));
    EXPECT_EQ(shown[2][4], Line({{2, "99999"}, {30, "Total\"s"}}));

    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[3], (std::map<int, std::string>{
                              {8501, "((*TMAP002 1 1))"},
                              {9401, "((#ORDREF *L001 *P002 ) (#ORDQTY *L003 *P002 *NOID ) (#DSNCMT *L004 *P002 ) )"},
                              {38301, "002"},
                              {38401, "001"}}));
    const auto rows = Rows("DSNRPT");
    ASSERT_EQ(rows.size(), 7u);
    // The report image: lines 1 (heading), 3, 5 and 6 (detail), the gaps
    // 2 and 4 filled with blanks; one chunk each for 132 columns.
    EXPECT_EQ(rows[0], "FUNCREP001|0000000011|1|" + Blank(132));
    EXPECT_EQ(rows[1], "FUNCREP001|0000000021|1|" + Blank(132));
    EXPECT_EQ(rows[2], "FUNCREP001|0000000031|1| Order ref" + Blank(122));
    EXPECT_EQ(rows[3], "FUNCREP001|0000000041|1|" + Blank(132));
    EXPECT_EQ(rows[4], "FUNCREP001|0000000051|1| 99999" + Blank(23) + "Total\"s" + Blank(96));
    EXPECT_EQ(rows[5], "FUNCREP001|0000000061|1| Comment" + Blank(124));
    EXPECT_EQ(rows[6], "TEXTMAPS|*TMAP002|1|Total\"s" + Blank(113) + "003030" + Blank(6));
}

// With right-to-left texts a text to change is offered right-aligned in its
// 80 characters: "End of entry" (12 characters) after 68 blanks.
TEST_F(DesignSession, TextToChangeIsOfferedRightAlignedForRightToLeftTexts)
{
    configure = [](FFC_SYSTEM_DEFINITION& sys) { sys.cRightToLeft = 'Y'; };
    Run("DSNEDT", 'S', Sample("text-change.txt"));
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    std::vector<std::string> offered;
    for (const painter::Exchange& e : script->transcript())
        if (e.request == 9)
            offered.push_back(e.asked);
    EXPECT_EQ(offered, (std::vector<std::string>{
                           "a text", "a text (now \"" + std::string(68, ' ') + "End of entry\")"}));
}

TEST_F(DesignSession, ReportLineLeftWithoutKeepingIsAsBefore)
{
    Run("DSNRPT", 'R', Replace(Sample("report-session.txt"), "leave 1", "leave 2"));
    ASSERT_FALSE(script->failed()) << script->failure();
    ASSERT_FALSE(g_before.empty());
    EXPECT_EQ(g_after, g_before) << "every layout record as it was backed up";
    EXPECT_TRUE(changed.empty());
    for (const std::string& row : Rows("DSNRPT"))
        EXPECT_EQ(row.compare(0, 8, "FUNCREP0"), 0) << "no text map kept: " << row;
}

TEST_F(DesignSession, PopUpIsRedesignedAndWrittenBack)
{
    Run("DSNPOP", 'S', Sample("screen-session.txt"));
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    EXPECT_EQ(script->unused(), 0u);
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 3u);
    // The first image: action bar, the pop-up frame (frame characters
    // "-++|"), its title line with the *AUTO identifier, the fields of its
    // first format with their labels, the legend over two lines (the
    // first below the second) and the message line.
    const std::string side = Line({{9, "|"}, {50, "|"}});
    const std::vector<std::string> first = {
        Line({{1, "File"}, {14, "Edit"}, {27, "View"}, {40, "Help"}}),
        Line({{3, "-----"}, {9, "+" + std::string(40, '-') + "+"}, {52, std::string(29, '-')}}),
        Line({{9, "|"}, {11, "DSNPOP01   Order window"}, {50, "|"}}),
        side,
        Line({{9, "|"}, {11, "Order ref~"}, {32, "Code~"}, {50, "|"}}),
        side,
        side,
        side,
        side,
        side,
        side,
        Line({{9, "|"}, {11, "F14=Messages"}, {50, "|"}}),
        Line({{9, "|"}, {11, "F1=Help F3=Exit F12=Cancel"}, {50, "|"}}),
        Line({{9, "|"}, {11, std::string(37, 'M')}, {50, "|"}}),
        Line({{9, "+" + std::string(40, '-') + "+"}}),
        Blank(80),
        Blank(80),
        Blank(80),
        Blank(80),
        Blank(80),
        Blank(80),
        Blank(80),
        Blank(80),
        Blank(80)};
    EXPECT_EQ(shown[0], first);
    // Both fields one line down, the new field at line 8, the text on the
    // window's last usable line.
    EXPECT_EQ(shown[1][4], side);
    EXPECT_EQ(shown[1][5], Line({{9, "|"}, {11, "Order ref~"}, {32, "Code~"}, {50, "|"}}));
    EXPECT_EQ(shown[1][7], Line({{9, "|"}, {11, "Comment~"}, {50, "|"}}));
    EXPECT_EQ(shown[1][10], Line({{9, "|"}, {35, "Window\"s end"}, {50, "|"}}));
    // PLEN made it 13 lines; PMIN took it back to what it holds.
    EXPECT_EQ(shown[2][14], Line({{9, "+" + std::string(40, '-') + "+"}}));

    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[1],
              (std::map<int, std::string>{
                  {9401, "((#ORDREF *L4 *P2 ) (#ORDCODE *L4 *P23 ) (#DSNCMT *L6 *P2 ) (#ORDQTY *L3 *P2 *NEWFORMAT ) )"},
                  {19801, "3"},
                  {19802, "10"},
                  {19901, "40"},
                  {19902, "12"},
                  {34101, "((*TMAP001 1 1))"}}));
    const auto rows = Rows("DSNPOP");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], "TEXTMAPS|*TMAP001|1|Window\"s end" + Blank(68) + "009026" + "YNNNNNNNNNNNNN" + Blank(32) +
                           std::string(1, '\0'));
}

TEST_F(DesignSession, PopUpLeftWithoutKeepingIsAsBefore)
{
    Run("DSNPOP", 'S', Replace(Sample("screen-session.txt"), "leave 1", "leave 2"));
    ASSERT_FALSE(script->failed()) << script->failure();
    ASSERT_FALSE(g_before.empty());
    EXPECT_EQ(g_after, g_before) << "the POP_UP, RCDFMT and RCDFLD records as backed up";
    EXPECT_TRUE(changed.empty());
    EXPECT_TRUE(Rows("DSNPOP").empty());
}

TEST_F(DesignSession, ScreenWithBrowseListIsDrawnWithItsSubfilePage)
{
    Run("DSNLST", 'S', Sample("list-screen.txt"));
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto shown = Shown();
    ASSERT_EQ(shown.size(), 1u);
    const std::string list = Line({{6, "~"}, {22, "~"}, {28, "~99999"}});
    // Two action-bar lines and the title line above the usable area: its
    // line 2 is screen line 5 (line offset 1 + 2, process style 'A').
    std::vector<std::string> expected = {Line({{1, "File"}, {14, "Edit"}, {27, "View"}, {40, "Help"}}),
                                         Line({{3, std::string(77, '-')}}),
                                         Line({{31, "Orders of the day"}, {63, "DD/DD/DD HH:MM:SS"}}),
                                         Blank(80),
                                         Line({{2, "Order reference  . . . .~"}}),
                                         Line({{2, "Note on the order  . . .~"}}),
                                         Blank(80),
                                         Line({{2, "Order reference text Code  Qty"}}),
                                         list,
                                         list,
                                         list};
    // The bottom lines of a 24-line screen: the second legend line (empty),
    // the first and the message line.
    expected.resize(22, Blank(80));
    expected.push_back(Line({{2, "F1=Help F3=Exit F10=Actions F12=Cancel F14=Messages"}}));
    expected.push_back(std::string(80, 'M'));
    EXPECT_EQ(shown[0], expected);
    // the list line is the subfile's; its copies are texts
    const layout::design::ScreenDesign& step = layout::design::ScreenStep();
    EXPECT_EQ(step.kinds[8 * 80 + 29], 'S');
    EXPECT_EQ(step.kinds[9 * 80 + 29], 'T');
    EXPECT_EQ(step.kinds[10 * 80 + 29], 'T');
    EXPECT_EQ(step.owners[10 * 80 + 29], 0);
    EXPECT_TRUE(changed.empty());
}

TEST_F(DesignSession, EditorDesignLoopRunsTheReportStep)
{
    const std::string session = Sample("report-session.txt");
    Run("DSNRPT", 'E', "design 4\n" + session.substr(session.find("\nreport 1") + 1) + "design 2\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_EQ(script->unused(), 0u);
    ASSERT_FALSE(g_before.empty()) << "the design step found the last pass's records";
    EXPECT_NE(g_after, g_before);
    EXPECT_EQ(checked::Last(Messages()), "Spacing of DEF_LINE changed");
    // the design went back into the run's command list, as outside the editor
    EXPECT_EQ(design_test::g_listChanges[3],
              (std::map<int, std::string>{
                  {8501, "((*TMAP002 1 1))"},
                  {9401, "((#ORDREF *L001 *P002 ) (#ORDQTY *L003 *P002 *NOID ) (#DSNCMT *L004 *P002 ) )"},
                  {38301, "002"},
                  {38401, "001"}}));
}

TEST_F(DesignSession, ScriptThatRunsOutEndsTheSessionAndKeepsNothing)
{
    const std::string script_text = Sample("report-session.txt");
    Run("DSNRPT", 'R', script_text.substr(0, script_text.find("command FI")));
    ASSERT_TRUE(script->failed());
    EXPECT_EQ(script->failure(), "The painter script has no reply left for WM_USER+1 (command \"    \").");
    EXPECT_EQ(g_after, g_before) << "the line's records put back";
    EXPECT_TRUE(changed.empty());
    EXPECT_TRUE(Rows("DSNRPT").empty()) << "the session's rows rolled back";
}

TEST_F(DesignSession, ScriptThatMeetsAnotherRequestEndsTheSession)
{
    Run("DSNPOP", 'S', "screen 1\ncommand FI\ncommand FS\n");
    ASSERT_TRUE(script->failed());
    EXPECT_EQ(script->failure(),
              "Line 3 of the painter script answers with \"command\", but the painter was asked WM_USER+10 (a field "
              "name).");
    EXPECT_TRUE(changed.empty());
}

TEST_F(DesignSession, RefusalsAreToldAndChangeNothing)
{
    // a field past the report width, a field the line holds already, an
    // identification the painter cancels
    Run("DSNRPT", 'R',
        "report 1\nlines 2=1\ncommand M\ncommand MS 2 3\ncommand WR\ncommand MT 2 75\ncommand FI\n"
        "field ORDQTY C\ncommand W\ncommand I\ncommand IS 2 3\nidentify cancel\ncommand E\nleave 1\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto messages = Messages();
    ASSERT_GE(messages.size(), 7u);
    EXPECT_EQ(messages[2], "Columns 053 to 132");
    EXPECT_EQ(messages[3], "#ORDREF would end past the report width");
    EXPECT_EQ(messages[4], "Field ORDQTY is already on DEF_LINE #DSNLINE");
    EXPECT_EQ(messages[6], "Put the cursor on the field to identify");
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(g_after, g_before);
}

TEST_F(DesignSession, LineChoicesThatDesignNothingAreTold)
{
    Run("DSNRPT", 'R', "report 1\nlines 1=1 2=1\nlines 1=X\nlines\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const size_t two = output.find("DCM0635 F Only one line can be designed at a time: DEF_HEAD #DSNHEAD is already "
                                   "chosen, so DEF_LINE #DSNLINE cannot be chosen too.");
    const size_t none = output.find("DCM0637 F Lines were marked, but none with 1.");
    const size_t nothing = output.find("DCM0636 F No line was marked.");
    EXPECT_NE(two, std::string::npos) << output;
    EXPECT_LT(two, none);
    EXPECT_LT(none, nothing);
    EXPECT_NE(nothing, std::string::npos);
    EXPECT_TRUE(changed.empty());
}

TEST_F(DesignSession, ReportReplyThatNamesNoReportEndsTheStep)
{
    Run("DSNRPT", 'R', "report 3\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    EXPECT_NE(errorOutput.find("Routine P3019_DesignReports received an unexpected reply 3 from the painter."),
              std::string::npos)
        << errorOutput;
    EXPECT_TRUE(changed.empty());
}

// A report is offered to the painter by the name its DEF_REPORT gives it,
// and an unnamed one by its print file: BZSTATS names its reports BZSTATS
// (print file BZSALES) and BZBIGORD (the preset print file QSYSPRT).
TEST_F(DesignSession, ReportsAreOfferedByTheirNames)
{
    process = "DEMOBIZ";
    Run("BZSTATS", 'R', "report BZBIGORD\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    EXPECT_EQ(script->unused(), 0u);
    EXPECT_TRUE(changed.empty());

    Run("BZSTATS", 'R', "report BZSALES\n");
    ASSERT_TRUE(script->failed()) << "a named report is not offered by its print file";
    EXPECT_EQ(script->failure(), "Line 1 of the painter script cannot answer WM_USER+11 (a report).");

    Run("BZRPT", 'R', "report BZSALES\nlines end\n");
    ASSERT_FALSE(script->failed()) << script->failure() << output;
    EXPECT_EQ(script->unused(), 0u);
}

TEST_F(DesignSession, ScreenRefusalsAndAnUnknownReply)
{
    // a field the format holds already; a window moved where it does not
    // fit stays where it was; a leave reply the step does not know
    Run("DSNPOP", 'S',
        "screen 1\ncommand FI\nfield ORDREF L\ncommand PM\ncommand PMP 5 70\ncommand M\ncommand MS 5 12\n"
        "command MT 20 11\ncommand E\nleave 7\ncommand E\nleave 2\nscreen end\n");
    ASSERT_FALSE(script->failed()) << script->failure();
    const auto messages = Messages();
    ASSERT_GE(messages.size(), 5u);
    EXPECT_EQ(messages[0], "Field ORDREF is already on the screen");
    EXPECT_EQ(messages[1], "Put the cursor where the window goes");
    EXPECT_EQ(messages[4], "The field would start outside its format") << "line 20 lies below the window";
    EXPECT_NE(errorOutput.find("Routine QBEXIT received an unexpected reply 7 from the painter."), std::string::npos)
        << errorOutput;
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(g_after, g_before);
}

}  // namespace
