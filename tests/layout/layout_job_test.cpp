// The automatic layouts run by a check of the DEMOSCR sample functions:
// their RCDFMT, RCDFLD, POP_UP, PRTFMT and PRTFLD records compared with
// records worked out by hand, and the layouts' findings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "layout_fixture.h"

namespace {

using layout_test::LayoutJob;

TEST_F(LayoutJob, AcrossScreenPlacesHeadingsAndFieldsSideBySide)
{
    check("ORDACR");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto fields = records("RCDFLD", "R@F00001");
    ASSERT_EQ(fields.size(), 3u);
    // A 10-character alpha field under a 20-character heading: value offset 5.
    const LAYOUT_FIELD_ENTRY ref = Entry(fields[0]);
    EXPECT_EQ(Text(fields[0].acQualifier, 10), "0001      ");
    EXPECT_EQ(Text(ref.acName, 10), "ORDREF    ");
    EXPECT_EQ(ref.cType, 'A');
    EXPECT_EQ(ref.lLength, 10);
    EXPECT_EQ(Text(ref.acHeadings[0], 20), std::string(20, ' '));
    EXPECT_EQ(Text(ref.acHeadings[1], 20), std::string(20, ' '));
    EXPECT_EQ(Text(ref.acHeadings[2], 20), "Order reference text");
    EXPECT_EQ(ref.lHeadingWidth, 20);
    EXPECT_EQ(ref.lValueWidth, 10);
    EXPECT_EQ(ref.lValueOffset, 5);
    EXPECT_EQ(ref.lIdentOffset, 0);
    EXPECT_EQ(ref.lWidth, 20);
    EXPECT_EQ(ref.lLines, 2);
    EXPECT_EQ(ref.cIdentification, 'C');
    EXPECT_EQ(ref.cUsage, 'B');
    EXPECT_EQ(Text(ref.acInputFlags, 3), "010");
    EXPECT_EQ(Text(ref.acOutputFlags, 3), "100");
    EXPECT_EQ(Text(ref.acErrorIndicator, 2), "01");
    EXPECT_EQ(ref.lFieldNumber, 1);
    // Two title lines above the usable area: line 2 of the area is screen line 4.
    EXPECT_EQ(ref.lLine, 4);
    EXPECT_EQ(ref.lColumn, 2);
    // ACROSS: the next field starts one separation after the first's end.
    const LAYOUT_FIELD_ENTRY code = Entry(fields[1]);
    EXPECT_EQ(Text(code.acName, 10), "ORDCODE   ");
    EXPECT_EQ(code.lLine, 4);
    EXPECT_EQ(code.lColumn, 23);
    EXPECT_EQ(Text(code.acErrorIndicator, 2), "02");

    const auto formats = records("RCDFMT", "DISPLAY");
    ASSERT_EQ(formats.size(), 1u);
    EXPECT_EQ(Text(formats[0].acQualifier, 10), "00010000  ");
    RCDFMT_DATA fmt;
    std::memcpy(&fmt, formats[0].acData, sizeof fmt);
    EXPECT_EQ(Text(fmt.acFormat, 8), "R@F00001");
    EXPECT_EQ(fmt.lFirstLine, 4);
    EXPECT_EQ(fmt.lLastLine, 5);
    EXPECT_EQ(Text(fmt.acKind, 6), "RECORD");
    EXPECT_EQ(Text(fmt.acBlank22, 2), "  ");
    EXPECT_EQ(fmt.lSubfilePage, 0);
    EXPECT_EQ(fmt.lEntries, 3);
    EXPECT_EQ(fmt.lConditions, 0);
    EXPECT_TRUE(records("RCDFMTCO").empty()) << "no condition, no condition records";
}

TEST_F(LayoutJob, DownScreenWithBrowseListHasItsSubfilePage)
{
    check("ORDDWN");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto main = records("RCDFLD", "R@F00001");
    ASSERT_GE(main.size(), 2u);
    const LAYOUT_FIELD_ENTRY ref = Entry(main[0]), note = Entry(main[1]);
    EXPECT_EQ(ref.cIdentification, 'L');
    EXPECT_EQ(ref.lValueOffset, 16);  // label width 15 + 1
    EXPECT_EQ(ref.acInputFlags[24], '1') << "*HI sets attribute flag 25";
    EXPECT_EQ(ref.acOutputFlags[24], '1');
    EXPECT_EQ(ref.lColumn, 2);
    EXPECT_EQ(note.lColumn, 2);
    EXPECT_EQ(note.lLine, ref.lLine + 1) << "DOWN with separation 1: consecutive lines";
    const auto formats = records("RCDFMT", "REQUEST");
    ASSERT_EQ(formats.size(), 2u);
    RCDFMT_DATA control, list;
    std::memcpy(&control, formats[0].acData, sizeof control);
    std::memcpy(&list, formats[1].acData, sizeof list);
    EXPECT_EQ(Text(control.acKind, 6), "SFLCTL");
    EXPECT_EQ(control.lSubfilePage, 0);
    EXPECT_EQ(control.lHeadingLines, 1);
    EXPECT_EQ(Text(list.acKind, 6), "SFL   ");
    EXPECT_EQ(list.lSubfilePage, 6);
    EXPECT_EQ(list.lSubfileSize, 7);
}

TEST_F(LayoutJob, StoredTextMapPlacesItsText)
{
    check("ORDTMAP");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto fields = records("RCDFLD", "R@F00001");
    ASSERT_EQ(fields.size(), 2u);
    const LAYOUT_FIELD_ENTRY text = Entry(fields[0]);
    EXPECT_EQ(Text(text.acName, 10), "TEXT000001");
    EXPECT_EQ(text.cType, 'T');
    EXPECT_EQ(text.lLength, 19);
    EXPECT_EQ(text.lLine, 5);
    EXPECT_EQ(text.lColumn, 10);
    EXPECT_EQ(Text(text.acInputFlags, 3), "YNN");
    EXPECT_EQ(Text(text.acErrorIndicator, 2), "  ");
    EXPECT_EQ(Text(text.acEditMask, 19), "Designed order text");
}

TEST_F(LayoutJob, PopUpAutoIdentifierNamesFunctionAndLine)
{
    std::vector<std::string> lines(1233, "CHANGE FIELD(#ORDQTY) TO(1)");
    lines.push_back("POP_UP FIELDS(#ORDREF) PANEL_ID(*AUTO) PANEL_TITL(*MTXTORDTITLE) AT_LOC(3 10) "
                    "DIMENSIONS(50 12)");
    lines.push_back("RETURN");
    addFunction("DEMOSCR", "ORD", lines);
    check("ORD");
    const auto popups = records("POP_UP");
    ASSERT_EQ(popups.size(), 1u);
    EXPECT_EQ(Text(popups[0].acName, 30), "000000000001234000000000000000");
    POP_UP_DATA p;
    std::memcpy(&p, popups[0].acData, sizeof p);
    EXPECT_EQ(Text(p.acTitleId, 10), "ORD1234   ");
    // b = 3 + 12 - 1 = 14; no process style: message line b, keys b - 1.
    EXPECT_EQ(p.lFirstUsable, 4);
    EXPECT_EQ(p.lMessageLine, 14);
    EXPECT_EQ(p.lLastUsable, 12);
    EXPECT_EQ(p.lKeyLine1, 13);
    EXPECT_EQ(p.lKeyLine2, 13);
}

TEST_F(LayoutJob, ReportLinesPlaceAcrossAndKeepSavedValues)
{
    check("ORDRPT");
    // The report's page-number field REP1PAGE is in the dictionary; the
    // layouts find nothing.
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto head = records("PRTFMT", "DEF_HEAD");
    ASSERT_EQ(head.size(), 1u);
    PRTFMT_DATA h;
    std::memcpy(&h, head[0].acData, sizeof h);
    EXPECT_EQ(Text(h.acLineKind, 6), "HEAD  ");
    const auto headFields = records("PRTFLD", Text(h.acFormat, 8));
    ASSERT_EQ(headFields.size(), 1u);
    EXPECT_EQ(Text(Entry(headFields[0]).acSavedName, 6), "@N8001");

    const auto lines = records("PRTFMT", "DEF_LINE");
    ASSERT_EQ(lines.size(), 2u);
    PRTFMT_DATA across;
    std::memcpy(&across, lines[0].acData, sizeof across);
    EXPECT_EQ(Text(across.acLineKind, 6), "LINE  ");
    EXPECT_EQ(across.lItems, 2);
    EXPECT_EQ(across.lItems2, 2);
    EXPECT_EQ(Text(across.acBlank40, 4), "    ");
    const auto items = records("PRTFLD", Text(across.acFormat, 8));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(Entry(items[0]).lLine, 1);
    EXPECT_EQ(Entry(items[0]).lColumn, 2);
    EXPECT_EQ(Entry(items[1]).lLine, 1);
    EXPECT_EQ(Entry(items[1]).lColumn, 13);
    EXPECT_EQ(Text(Entry(items[1]).acSavedName, 6), "      ") << "no saved value on a detail line";
}

TEST_F(LayoutJob, ReportFindingsEndWithTheClosingMessage)
{
    addFunction("DEMOSCR", "ORDBAD",
                {"DEF_REPORT REPORT_NUM(1) FORMSIZE(66 132) OVERFLOW(60)",
                 "DEF_LINE NAME(#BADPOS) FIELDS((#ORDREF *P5)) IDENTIFY(*NOID)",
                 "DEF_LINE NAME(#EMPTY) FIELDS(#NOSUCHFLD)", "PRINT LINE(#BADPOS #EMPTY)", "ENDPRINT", "RETURN"});
    check("ORDBAD");
    const auto all = messages();
    EXPECT_EQ(checker_test::OnLine(all, 2),
              (std::vector<std::string>{"PRC0131 #ORDREF", "PRC0133 #ORDREF", "PRC0084 DEF_LINE"}));
    // The line's only field is not defined: nothing is placed, and the
    // field is named once, by the final field check after pass 2.
    const auto third = checker_test::OnLine(all, 3);
    ASSERT_EQ(third.size(), 3u);
    EXPECT_EQ(third[0].substr(0, 7), "PRC0307");
    EXPECT_EQ(third[1], "PRC0084 DEF_LINE");
    EXPECT_EQ(third[2], "PRC0056 NOSUCHFLD");
    EXPECT_TRUE(records("PRTFMT").empty()) << "a failed line leaves no format record";
}

using layout_test::Placement;

// A command's entries: of its (format, name) records, in order.
class StandAlone : public LayoutJob {
protected:
    std::vector<std::string> placements(const char* formatKind, const char* fieldKind, const char* command,
                                        size_t index)
    {
        std::vector<std::string> out;
        const auto formats = records(formatKind, command);
        if (formats.size() <= index)
            return out;
        const std::string format(formats[index].acData, 8);
        for (const FFC_WORK_RECORD& r : records(fieldKind, format))
            out.push_back(Placement(Entry(r)));
        return out;
    }
};

// Two screens in a row, the first with positions and attributes, the
// second without: the second lays out as the same screen alone does, and
// the first keeps what it was given.
TEST_F(StandAlone, ASecondScreenLaysOutAsIfItStoodAlone)
{
    addFunction("DEMOSCR", "ORDONE", {"DISPLAY FIELDS(#ORDCODE #ORDQTY)", "RETURN"});
    addFunction("DEMOSCR", "ORDTWO",
                {"DISPLAY FIELDS((#ORDREF *L8 *P20 *HI) (#ORDQTY *OUTPUT *RED))", "DISPLAY FIELDS(#ORDCODE #ORDQTY)",
                 "RETURN"});
    check("ORDONE");
    ASSERT_EQ(ids(), std::vector<std::string>{});
    const auto alone = placements("RCDFMT", "RCDFLD", "DISPLAY", 0);
    ASSERT_EQ(alone.size(), 2u);

    checkAgain("ORDTWO");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    EXPECT_EQ(placements("RCDFMT", "RCDFLD", "DISPLAY", 1), alone);
    const auto first = records("RCDFLD", "R@F00001");
    ASSERT_EQ(first.size(), 2u);
    EXPECT_EQ(Entry(first[0]).lLine, 8);
    EXPECT_EQ(Entry(first[0]).lColumn, 20);
    EXPECT_EQ(Entry(first[1]).cUsage, 'O');
}

// The same for two report lines: the second line's field is where it is
// when the line stands alone, not at the first line's column.
TEST_F(StandAlone, ASecondReportLineLaysOutAsIfItStoodAlone)
{
    const std::string report = "DEF_REPORT REPORT_NUM(1) FORMSIZE(66 132) OVERFLOW(60)";
    addFunction("DEMOSCR", "RPTONE",
                {report, "DEF_LINE NAME(#LINEB) FIELDS(#ORDCODE)", "PRINT LINE(#LINEB)", "ENDPRINT", "RETURN"});
    addFunction("DEMOSCR", "RPTTWO",
                {report, "DEF_LINE NAME(#LINEA) FIELDS((#ORDREF *L1 *P40)) IDENTIFY(*NOID)",
                 "DEF_LINE NAME(#LINEB) FIELDS(#ORDCODE)", "PRINT LINE(#LINEA #LINEB)", "ENDPRINT", "RETURN"});
    check("RPTONE");
    ASSERT_EQ(ids(), std::vector<std::string>{});
    const auto alone = placements("PRTFMT", "PRTFLD", "DEF_LINE", 0);
    ASSERT_EQ(alone.size(), 1u);

    checkAgain("RPTTWO");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    EXPECT_EQ(placements("PRTFMT", "PRTFLD", "DEF_LINE", 1), alone);
    const auto first = placements("PRTFMT", "PRTFLD", "DEF_LINE", 0);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_NE(first[0].find(" column 40 "), std::string::npos) << first[0];
}

// A browse list's positions and attributes do not reach the next screen,
// which names none.
TEST_F(StandAlone, ListValuesDoNotReachThePlainScreenAfterThem)
{
    addFunction("DEMOSCR", "LSTREQ",
                {"DEF_LIST NAME(#ORDLIST) FIELDS((#ORDQTY *L3)) TYPE(*BROWSE)", "REQUEST FIELDS(#ORDREF #ORDCODE)",
                 "RETURN"});
    check("LSTREQ");
    EXPECT_EQ(ids(), std::vector<std::string>{});
}

// The browse list's fields reach the layout with what their DEF_LIST gives
// them: a line is ignored (PRC0099), *REPEAT is ignored (PRC0100), *HIDE
// hides the column; the long colour names set the colours' flags and an
// unknown value is refused.
TEST_F(StandAlone, BrowseListFieldsKeepTheirKeywords)
{
    addFunction("DEMOSCR", "LSTKW",
                {"DEF_LIST NAME(#ORDLIST) FIELDS((#ORDREF *L2) (#ORDCODE *REPEAT) (#ORDQTY *HIDE) (#ORDNOTE *GREEN))",
                 "REQUEST FIELDS(#ORDREF) DESIGN(*DOWN) BROWSELIST(#ORDLIST 6)", "RETURN"});
    addFunction("DEMOSCR", "LSTBAD", {"DISPLAY FIELDS((#ORDREF *BOGUS))", "RETURN"});
    check("LSTKW");
    const auto all = messages();
    EXPECT_EQ(checker_test::OnLine(all, 2), (std::vector<std::string>{"PRC0099 ORDREF    002", "PRC0100 ORDCODE"}));
    const auto formats = records("RCDFMT", "REQUEST");
    ASSERT_EQ(formats.size(), 2u);
    const auto list = records("RCDFLD", std::string(formats[1].acData, 8));
    bool hidden = false, green = false;
    for (const FFC_WORK_RECORD& r : list) {
        const LAYOUT_FIELD_ENTRY e = Entry(r);
        const std::string name = Text(e.acName, 10);
        if (name == "ORDQTY    " || name == "#ORDQTY   ")
            hidden = e.cUsage == 'H';
        if (name == "ORDNOTE   " || name == "#ORDNOTE  ")
            green = e.acInputFlags[15] == '1' && e.acOutputFlags[15] == '1';
    }
    EXPECT_TRUE(hidden);
    EXPECT_TRUE(green);

    checkAgain("LSTBAD");
    EXPECT_EQ(checker_test::OnLine(messages(), 1),
              (std::vector<std::string>{"PRC1195 ORDREF    *BOGUS"}));
}

// Every one of the 29 display attributes is a value a screen field takes
// (none is refused as unknown), and a colour's long name is its short
// name: the screen field carries the same flags under either.
TEST_F(StandAlone, TheTwentyNineDisplayAttributesAreTaken)
{
    const char* attributes[29] = {"*AB",   "*ME",  "*MF",   "*M10",  "*M11",    "*VN",    "*FE",   "*LC",
                                  "*RB",   "*RZ",  "*RL",   "*RLTB", "*GRN",    "*GREEN", "*WHT",  "*WHITE",
                                  "*RED",  "*TRQ", "*TURQ", "*YLW",  "*YELLOW", "*PNK",   "*PINK", "*BLU",
                                  "*BLUE", "*BL",  "*CS",   "*HI",   "*ND"};
    std::vector<std::string> lines;
    for (const char* a : attributes)
        lines.push_back(std::string("DISPLAY FIELDS((#ORDREF ") + a + "))");
    lines.push_back("RETURN");
    addFunction("DEMOSCR", "ATRALL", lines);
    check("ATRALL");
    for (const auto& m : messages())
        EXPECT_NE(m.id, "PRC1195") << "line " << m.line << ": " << m.data;
    const auto formats = records("RCDFMT", "DISPLAY");
    ASSERT_EQ(formats.size(), 29u);
    /* the input and output flags of ORDREF on the screen of attribute i */
    const auto flags = [&](size_t i) {
        for (const FFC_WORK_RECORD& r : records("RCDFLD", std::string(formats[i].acData, 8))) {
            const LAYOUT_FIELD_ENTRY e = Entry(r);
            const std::string name = Text(e.acName, 10);
            if (name == "ORDREF    " || name == "#ORDREF   ")
                return std::string(e.acInputFlags, 30) + "|" + std::string(e.acOutputFlags, 30);
        }
        return std::string("no ORDREF on screen ") + std::to_string(i);
    };
    const std::pair<size_t, size_t> synonyms[] = {{12, 13}, {14, 15}, {17, 18}, {19, 20}, {21, 22}, {23, 24}};
    for (const auto& [shortName, longName] : synonyms)
        EXPECT_EQ(flags(shortName), flags(longName)) << attributes[shortName] << " " << attributes[longName];
    /* the colours differ from each other */
    EXPECT_NE(flags(12), flags(14));
    EXPECT_NE(flags(16), flags(23));
}

// A screen's own texts: each entry of its TEXTS list with a text, a line
// and a column is a text entry at that line and column, numbered in the
// order of the list; an entry without text is left out. A POP_UP's list
// (at its own place in the command) is read the same way.
TEST_F(StandAlone, ScreenTextsOfTheCommandAreTakenInOrder)
{
    addFunction("DEMOSCR", "TXTLST",
                {"REQUEST FIELDS(#ORDREF) TEXTS(('First text' 10 10) (' ' 11 10) ('Third text' 12 12) "
                 "('Fourth' 14 14))",
                 "POP_UP FIELDS(#ORDQTY) AT_LOC(5 20) DIMENSIONS(44 12) TEXTS(('Window text' 5 3) ('Low' 7 5))",
                 "RETURN"});
    check("TXTLST");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto texts = [this](const char* command) {
        std::vector<std::string> out;
        const auto formats = records("RCDFMT", command);
        if (formats.empty())
            return out;
        for (const FFC_WORK_RECORD& r : records("RCDFLD", std::string(formats[0].acData, 8))) {
            const LAYOUT_FIELD_ENTRY e = Entry(r);
            if (e.cType != 'T')
                continue;
            std::string text(e.acDisplayText, 20);
            text.erase(text.find_last_not_of(' ') + 1);
            out.push_back(Text(e.acName, 10) + " " + text + " " + std::to_string(e.lLine) + " " +
                          std::to_string(e.lColumn));
        }
        return out;
    };
    EXPECT_EQ(texts("REQUEST"), (std::vector<std::string>{"TEXT000001 First text 10 10", "TEXT000002 Third text 12 12",
                                                           "TEXT000003 Fourth 14 14"}));
    EXPECT_EQ(texts("POP_UP"), (std::vector<std::string>{"TEXT000001 Window text 5 3", "TEXT000002 Low 7 5"}));
}

}  // namespace
