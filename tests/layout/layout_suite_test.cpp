// The automatic layouts of the DEMOSCR functions that use their keyword
// variants together: ORDREPS (a report of headings, breaks, detail lines
// across and down, a footing from a stored text map, texts of the commands
// and a conditioned field), ORDSCRN (screens down and across, identified by
// descriptions, labels and column headings, with fixed positions, hidden,
// output-only, lower-case and repeated fields, a check box, a push button,
// a browse list and a pop-up window) and ORDLFLT (the faults the layouts
// refuse, one command each). Expected values are worked out by hand from
// the layout rules; each comment gives the working.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "layout_fixture.h"

namespace {

using layout_test::LayoutJob;

class LayoutSuite : public LayoutJob {
protected:
    // The entries of the format with the name, in field-number order.
    std::vector<LAYOUT_FIELD_ENTRY> entries(const char* kind, const std::string& format)
    {
        std::vector<LAYOUT_FIELD_ENTRY> out;
        for (const FFC_WORK_RECORD& r : records(kind, format))
            out.push_back(Entry(r));
        return out;
    }

    template <typename T>
    static T Data(const FFC_WORK_RECORD& r)
    {
        T t;
        std::memcpy(&t, r.acData, sizeof t);
        return t;
    }

    // The format record of the command at the source line (qualifier
    // "LLLL0000").
    template <typename T>
    bool format(const char* kind, const char* command, int line, T& out)
    {
        char qualifier[9];
        std::snprintf(qualifier, sizeof qualifier, "%04d0000", line);
        for (const FFC_WORK_RECORD& r : records(kind, command))
            if (std::memcmp(r.acQualifier, qualifier, 8) == 0) {
                out = Data<T>(r);
                return true;
            }
        return false;
    }

    static std::string Name(const LAYOUT_FIELD_ENTRY& e) { return Text(e.acName, 10); }
    // The entry of the field (or text, "TEXT" and its number) among them.
    static LAYOUT_FIELD_ENTRY ByName(const std::vector<LAYOUT_FIELD_ENTRY>& list, const std::string& name)
    {
        for (const LAYOUT_FIELD_ENTRY& e : list)
            if (Trimmed(e.acName, 10) == name)
                return e;
        ADD_FAILURE() << name << " is not among the entries";
        return LAYOUT_FIELD_ENTRY{};
    }
    static std::string Trimmed(const char* text, size_t n)
    {
        std::string t(text, n);
        t.erase(t.find_last_not_of(' ') + 1);
        return t;
    }
};

TEST_F(LayoutSuite, ReportLinesOfEveryKindArePlacedAsTheirCommandsAsk)
{
    check("ORDREPS");
    ASSERT_EQ(ids(), std::vector<std::string>{});

    // Line 4, DEF_HEAD with two texts of its own and a field at *L2 *P20:
    // the texts come first (items 1 and 2), each at its own place.
    PRTFMT_DATA title;
    ASSERT_TRUE(format("PRTFMT", "DEF_HEAD", 4, title));
    EXPECT_EQ(Text(title.acFormat, 8), "R@F00001");
    EXPECT_EQ(Text(title.acLineKind, 6), "HEAD  ");
    EXPECT_EQ(title.lFirstLine, 1);
    EXPECT_EQ(title.lLastLine, 2);
    EXPECT_EQ(title.lItems, 3);
    EXPECT_EQ(title.lConditions, 0);
    const auto t = entries("PRTFLD", "R@F00001");
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(Name(t[0]), "TEXT000001");
    EXPECT_EQ(t[0].cType, 'T');
    EXPECT_EQ(t[0].lLength, 12) << "\"Order report\"";
    EXPECT_EQ(t[0].lWidth, 12);
    EXPECT_EQ(Text(t[0].acDisplayText, 12), "Order report");
    EXPECT_EQ(t[0].lLine, 1);
    EXPECT_EQ(t[0].lColumn, 50);
    EXPECT_EQ(t[0].cIdentification, 'N');
    EXPECT_EQ(t[0].cUsage, 'O');
    EXPECT_EQ(Text(t[0].acInputFlags, 60), std::string(60, '0'));
    EXPECT_EQ(t[0].lFieldNumber, 1);
    EXPECT_EQ(Name(t[1]), "TEXT000002");
    EXPECT_EQ(t[1].lLength, 9) << "\"Reference\"";
    EXPECT_EQ(t[1].lLine, 2);
    EXPECT_EQ(t[1].lColumn, 5);
    EXPECT_EQ(Text(t[1].acSavedName, 6), "      ") << "a text keeps no saved value";
    EXPECT_EQ(Name(t[2]), "#ORDREF   ");
    EXPECT_EQ(t[2].lLine, 2);
    EXPECT_EQ(t[2].lColumn, 20);
    EXPECT_EQ(t[2].lWidth, 10) << "not identified: the output width";
    EXPECT_EQ(Text(t[2].acSavedName, 6), "@N8001") << "the first saved value of the function";
    EXPECT_EQ(t[2].lFieldNumber, 3);

    // Line 5, DEF_HEAD across under column headings: four rows each (three
    // heading lines and the value); ORDREF's 10 characters under its
    // 20-character heading sit 5 in, and the next field starts one
    // separation after the heading's end (2 + 20 + 1 = 23). ORDCODE's value
    // (5) is wider than its heading "Code" (4): area 5, heading offset 0
    // for an alphanumeric field; the move past it starts from the end of
    // its first row, the heading's (23 + 4 - 1 = 26), so the next field
    // stands at 26 + 1 + 1 = 28.
    PRTFMT_DATA cols;
    ASSERT_TRUE(format("PRTFMT", "DEF_HEAD", 5, cols));
    EXPECT_EQ(Text(cols.acFormat, 8), "R@F00002");
    EXPECT_EQ(cols.lFirstLine, 1);
    EXPECT_EQ(cols.lLastLine, 4);
    EXPECT_EQ(cols.lItems, 3);
    const auto c = entries("PRTFLD", "R@F00002");
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].lLines, 4);
    EXPECT_EQ(c[0].lWidth, 20);
    EXPECT_EQ(c[0].lValueOffset, 5);
    EXPECT_EQ(c[0].lColumn, 2);
    EXPECT_EQ(Text(c[0].acHeadings[2], 20), "Order reference text") << "headings bottom-aligned";
    EXPECT_EQ(Text(c[0].acSavedName, 6), "@N8002");
    EXPECT_EQ(Name(c[1]), "#ORDCODE  ");
    EXPECT_EQ(c[1].lColumn, 23);
    EXPECT_EQ(c[1].lWidth, 5);
    EXPECT_EQ(c[1].lIdentOffset, 0);
    EXPECT_EQ(c[2].lColumn, 28);
    EXPECT_EQ(Text(c[2].acSavedName, 6), "@N8004");

    // Line 6, a leading break: line kind LEAD, no saved values; the label
    // "Code" (4) before the value: area 4 + 5 + 1.
    PRTFMT_DATA lead;
    ASSERT_TRUE(format("PRTFMT", "DEF_BREAK", 6, lead));
    EXPECT_EQ(Text(lead.acLineKind, 6), "LEAD  ");
    const auto l = entries("PRTFLD", Text(lead.acFormat, 8));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].cIdentification, 'L');
    EXPECT_EQ(l[0].lWidth, 10);
    EXPECT_EQ(l[0].lValueOffset, 5);
    EXPECT_EQ(Text(l[0].acSavedName, 6), "      ");

    // Line 7, the detail line across with ACROSS_SEP(2): one row per field
    // on a detail line; ORDQTY carries the condition *BIGQTY, the first of
    // its format, so code "99" and one name in the condition table.
    PRTFMT_DATA detail;
    ASSERT_TRUE(format("PRTFMT", "DEF_LINE", 7, detail));
    EXPECT_EQ(Text(detail.acLineKind, 6), "LINE  ");
    EXPECT_EQ(detail.lFirstLine, 1);
    EXPECT_EQ(detail.lLastLine, 1);
    EXPECT_EQ(detail.lItems, 4);
    EXPECT_EQ(detail.lConditions, 1);
    const auto d = entries("PRTFLD", Text(detail.acFormat, 8));
    ASSERT_EQ(d.size(), 4u);
    EXPECT_EQ(d[0].lLines, 1);
    EXPECT_EQ(d[0].lColumn, 2);
    EXPECT_EQ(d[1].lColumn, 24) << "2 + 20 + 2";
    EXPECT_EQ(d[2].lColumn, 31) << "24 + 5 + 2";
    EXPECT_EQ(Name(d[2]), "#ORDQTY   ");
    EXPECT_EQ(d[2].cFieldEntry, 'Y');
    EXPECT_EQ(Text(d[2].acCondition, 10), "*BIGQTY   ");
    EXPECT_EQ(Text(d[2].acConditionIndicator, 2), "99");
    EXPECT_EQ(Text(d[1].acConditionIndicator, 2), "  ");
    const auto co = records("PRTFMTCO", Text(detail.acFormat, 8));
    ASSERT_EQ(co.size(), 2u);
    int32_t names = 0;
    std::memcpy(&names, co[0].acData, 4);
    EXPECT_EQ(names, 1);
    EXPECT_EQ(Text(co[0].acData + 4, 10), "*BIGQTY   ");
    EXPECT_EQ(Text(co[1].acData + 4, 4), "9998") << "the codes after the fiftieth name's last four characters";

    // Line 8, the detail line down, identified by descriptions: the area is
    // the heading width (20), and DOWN_SEP(2) puts ORDNOTE two lines under
    // ORDREF in the same column.
    PRTFMT_DATA down;
    ASSERT_TRUE(format("PRTFMT", "DEF_LINE", 8, down));
    EXPECT_EQ(down.lFirstLine, 1);
    EXPECT_EQ(down.lLastLine, 3);
    const auto dn = entries("PRTFLD", Text(down.acFormat, 8));
    ASSERT_EQ(dn.size(), 2u);
    EXPECT_EQ(dn[0].cIdentification, 'D');
    EXPECT_EQ(dn[0].lLine, 1);
    EXPECT_EQ(dn[1].lLine, 3);
    EXPECT_EQ(dn[1].lColumn, 2);

    // Line 9, a trailing break with its own text "Total" at column 2
    // (columns 2 to 6): the field moves on by ACROSS_SEP + 1 from column 2
    // until it is clear of the text, at column 8; a saved value (TRAIL).
    PRTFMT_DATA trail;
    ASSERT_TRUE(format("PRTFMT", "DEF_BREAK", 9, trail));
    EXPECT_EQ(Text(trail.acLineKind, 6), "TRAIL ");
    const auto tr = entries("PRTFLD", Text(trail.acFormat, 8));
    ASSERT_EQ(tr.size(), 2u);
    EXPECT_EQ(Name(tr[0]), "TEXT000001");
    EXPECT_EQ(tr[0].lColumn, 2);
    EXPECT_EQ(Name(tr[1]), "#ORDQTY   ");
    EXPECT_EQ(tr[1].lColumn, 8);
    EXPECT_EQ(Text(tr[1].acSavedName, 6), "@N8005");

    // Line 10, the footing from text map *TMAP002: two of its three rows
    // (the third has a blank in its line digits), at line 2, columns 5
    // and 40, then the field from the footing's first line: the report's
    // last line (OVERFLOW(60) - 3 without LAST_LINE) plus 1.
    PRTFMT_DATA foot;
    ASSERT_TRUE(format("PRTFMT", "DEF_FOOT", 10, foot));
    EXPECT_EQ(Text(foot.acLineKind, 6), "FOOT  ");
    EXPECT_EQ(foot.lItems, 3);
    const auto f = entries("PRTFLD", Text(foot.acFormat, 8));
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(Text(f[0].acDisplayText, 20), "End of order listing");
    EXPECT_EQ(f[0].lLength, 20);
    EXPECT_EQ(f[0].lLine, 2);
    EXPECT_EQ(f[0].lColumn, 5);
    EXPECT_EQ(Text(f[1].acDisplayText, 18), "Printed by DEMOSCR");
    EXPECT_EQ(f[1].lColumn, 40);
    EXPECT_EQ(Name(f[2]), "#ORDREF   ");
    EXPECT_EQ(f[2].lLine, 58);
    EXPECT_EQ(Text(f[2].acSavedName, 6), "@N8006");

    // Report 2, 300 columns wide. Line 15, a heading down with labels of
    // 15: its text at column 120, ORDAMT at its own column 260 past the
    // 255 of one byte, ORDCUST placed from column 2; the format counter
    // and the saved values go on over the function's reports.
    PRTFMT_DATA head2;
    ASSERT_TRUE(format("PRTFMT", "DEF_HEAD", 15, head2));
    EXPECT_EQ(Text(head2.acFormat, 8), "R@F00008");
    const auto h2 = entries("PRTFLD", "R@F00008");
    ASSERT_EQ(h2.size(), 3u);
    EXPECT_EQ(Text(h2[0].acDisplayText, 14), "Second listing");
    EXPECT_EQ(h2[0].lColumn, 120);
    EXPECT_EQ(Name(h2[1]), "#ORDAMT   ");
    EXPECT_EQ(h2[1].lColumn, 260);
    EXPECT_EQ(h2[1].lValueOffset, 16) << "label width 15 + 1";
    EXPECT_EQ(Text(h2[1].acSavedName, 6), "@N8007");
    EXPECT_EQ(Name(h2[2]), "#ORDCUST  ");
    EXPECT_EQ(h2[2].lLine, 1);
    EXPECT_EQ(h2[2].lColumn, 2);
    EXPECT_EQ(Text(h2[2].acSavedName, 6), "@N8008");

    // Line 16: ORDAMT changes are tracked (*ONCHANGE, the format's first:
    // "01"), ORDCODE is printed under *BIGQTY (the format's first
    // condition: "99").
    PRTFMT_DATA line2;
    ASSERT_TRUE(format("PRTFMT", "DEF_LINE", 16, line2));
    EXPECT_EQ(line2.lConditions, 1);
    const auto l2 = entries("PRTFLD", Text(line2.acFormat, 8));
    ASSERT_EQ(l2.size(), 4u);
    EXPECT_EQ(Name(l2[1]), "#ORDAMT   ");
    EXPECT_EQ(l2[1].cOnChange, 'Y');
    EXPECT_EQ(Text(l2[1].acErrorIndicator, 2), "01");
    EXPECT_EQ(Text(l2[0].acErrorIndicator, 2), "  ");
    EXPECT_EQ(Text(l2[3].acConditionIndicator, 2), "99");
}

TEST_F(LayoutSuite, ScreensOfEveryDesignKeepTheirFieldsKeywords)
{
    check("ORDSCRN");
    // ORDLONG (70 + label 15 + 1) cannot fit a line of 80; the screen of
    // line 6 spreads over more than one page.
    EXPECT_EQ(ids(), (std::vector<std::string>{"PRC0081 ORDLONG"}));

    // Line 3: DISPLAY down, identified by descriptions. The widest
    // description of the group is "Note on the order" (17), rounded up to
    // 18: value offset 18 + 7, width value + 25. The fixed fields keep
    // their line (3) and column; the others follow down from area line 2,
    // two title lines above the area.
    RCDFMT_DATA main;
    ASSERT_TRUE(format("RCDFMT", "DISPLAY", 3, main));
    const auto s = entries("RCDFLD", Text(main.acFormat, 8));
    ASSERT_EQ(s.size(), 6u);
    // the text item first, at its own line and column
    EXPECT_EQ(Name(s[0]), "TEXT000001");
    EXPECT_EQ(Text(s[0].acDisplayText, 11), "Order entry");
    EXPECT_EQ(s[0].lLine, 20);
    EXPECT_EQ(s[0].lColumn, 30);
    const LAYOUT_FIELD_ENTRY ref = ByName(s, "ORDREF");
    EXPECT_EQ(ref.cIdentification, 'D');
    EXPECT_EQ(ref.lValueOffset, 25);
    EXPECT_EQ(ref.lWidth, 35);
    EXPECT_EQ(ref.lLine, 3);
    EXPECT_EQ(ref.lColumn, 2);
    EXPECT_EQ(ref.acInputFlags[24], '1') << "*HI";
    EXPECT_EQ(ref.acOutputFlags[24], '1') << "*HI";
    EXPECT_EQ(Text(ref.acInputFlags, 3), "010");
    EXPECT_EQ(Text(ref.acOutputFlags, 3), "100");
    // "Order reference" ends at 15: dots from 15 + 2, made even, at 18, 20, ...
    EXPECT_EQ(Text(ref.acDescription, 20), "Order reference  . .");
    const LAYOUT_FIELD_ENTRY code = ByName(s, "ORDCODE");
    EXPECT_EQ(code.lLine, 3);
    EXPECT_EQ(code.lColumn, 40);
    const LAYOUT_FIELD_ENTRY qty = ByName(s, "ORDQTY");
    EXPECT_EQ(qty.lLine, 4);
    EXPECT_EQ(qty.lColumn, 2);
    EXPECT_EQ(ByName(s, "ORDNOTE").lLine, 5);
    const LAYOUT_FIELD_ENTRY cust = ByName(s, "ORDCUST");
    EXPECT_EQ(cust.lLine, 6);
    EXPECT_EQ(cust.cUsage, 'O');
    EXPECT_EQ(Text(cust.acOutputFlags, 3), "000");
    EXPECT_EQ(cust.acOutputFlags[17], '1') << "*RED";
    EXPECT_EQ(Text(cust.acInputFlags, 30), Text(cust.acOutputFlags, 30)) << "*OUTPUT: input flags as output";

    // Line 4: REQUEST across with labels, no standard heading (the area
    // begins at line 1, no offset), ACROSS_SEP(3). ORDREF: label 9 + 1 +
    // value 10; the next field starts 20 + 1 + 3 further on.
    RCDFMT_DATA across;
    ASSERT_TRUE(format("RCDFMT", "REQUEST", 4, across));
    const auto a = entries("RCDFLD", Text(across.acFormat, 8));
    ASSERT_EQ(a.size(), 5u);
    EXPECT_EQ(a[0].cIdentification, 'L');
    EXPECT_EQ(a[0].lValueOffset, 10);
    EXPECT_EQ(a[0].lWidth, 20);
    EXPECT_EQ(a[0].lLine, 2);
    EXPECT_EQ(a[0].lColumn, 2);
    EXPECT_EQ(a[0].cUsage1, 'I') << "*INPUT";
    EXPECT_EQ(Text(a[0].acOutputFlags, 3), Text(a[0].acInputFlags, 3));
    EXPECT_EQ(Name(a[1]), "ORDCUST   ");
    EXPECT_EQ(a[1].lColumn, 25);
    EXPECT_EQ(a[1].acInputFlags[3], '1') << "*LOWERCASE";
    EXPECT_EQ(Name(a[2]), "ORDHIDE   ");
    EXPECT_EQ(a[2].cUsage, 'H');
    EXPECT_EQ(a[2].cIdentification, 'N');
    EXPECT_EQ(a[2].lLine, 0);
    EXPECT_EQ(a[2].lColumn, 0);
    EXPECT_EQ(Text(a[2].acInputFlags, 60), std::string(60, '0'));
    EXPECT_EQ(Name(a[3]), "ORDFLAG   ");
    EXPECT_EQ(a[3].cControlKind, 'X') << "CBOX";
    EXPECT_EQ(a[3].cIdentification, 'L');
    EXPECT_EQ(Name(a[4]), "ORDOKB    ");
    EXPECT_EQ(a[4].cControlKind, 'B') << "PB01";
    EXPECT_EQ(a[4].sPushButton, 1);
    EXPECT_EQ(a[4].cIdentification, 'N') << "a push button shows no identification";

    // Line 5: REQUEST with a browse list of page size 10: the main record
    // and the list's control part share the first page's format, whose
    // kind becomes SFLCTL; the list line is the next page's format.
    std::vector<std::string> kinds;
    for (const FFC_WORK_RECORD& r : records("RCDFMT", "REQUEST"))
        if (std::memcmp(r.acQualifier, "00050000", 8) == 0)
            kinds.push_back(Text(Data<RCDFMT_DATA>(r).acKind, 6));
    EXPECT_EQ(kinds, (std::vector<std::string>{"SFLCTL", "SFL   "}));

    // Line 6: DISPLAY down with DOWN_SEP(4) over more than one page: the
    // *REPEAT field ORDCODE is on every page's format.
    std::vector<std::string> formats;
    for (const FFC_WORK_RECORD& r : records("RCDFMT", "DISPLAY"))
        if (std::memcmp(r.acQualifier, "00060000", 8) == 0)
            formats.push_back(Text(Data<RCDFMT_DATA>(r).acFormat, 8));
    ASSERT_GE(formats.size(), 2u);
    for (const std::string& name : formats) {
        int repeated = 0;
        for (const LAYOUT_FIELD_ENTRY& e : entries("RCDFLD", name))
            repeated += Name(e) == "ORDCODE   ";
        EXPECT_EQ(repeated, 1) << name;
    }

    // Line 9, inside the loop: a REQUEST down with DOWN_SEP(2) and two
    // texts of its own, each at its line and column.
    RCDFMT_DATA loop;
    ASSERT_TRUE(format("RCDFMT", "REQUEST", 9, loop));
    std::vector<std::string> placed;
    for (const LAYOUT_FIELD_ENTRY& e : entries("RCDFLD", Text(loop.acFormat, 8)))
        placed.push_back(e.cType == 'T' ? Trimmed(e.acDisplayText, 20) + " " + std::to_string(e.lLine) + " " +
                                              std::to_string(e.lColumn)
                                        : Name(e) + " " + e.cUsage);
    EXPECT_EQ(placed, (std::vector<std::string>{"Enter the order 4 40", "Amount follows 8 40", "ORDREF     B",
                                                "ORDQTY     B", "ORDAMT     O"}));
    // Line 14: a pop-up window without standard heading.
    const auto windows = records("RCDFMT", "POP_UP");
    EXPECT_EQ(windows.size(), 3u) << "line 8: the window with the list's control, and the list; line 14";
}

// A right-to-left run: labels go after the value, a value wider than its
// column heading keeps the heading's offset, and a description no longer
// stands before the value.
TEST_F(LayoutSuite, RightToLeftRunsPutTheTextsOnTheOtherSide)
{
    sys.cRightToLeft = 'Y';
    check("ORDREPS");
    ASSERT_EQ(ids(), std::vector<std::string>{});
    PRTFMT_DATA lead;
    ASSERT_TRUE(format("PRTFMT", "DEF_BREAK", 6, lead));
    const auto l = entries("PRTFLD", Text(lead.acFormat, 8));
    ASSERT_EQ(l.size(), 1u);
    EXPECT_EQ(l[0].lWidth, 10);
    EXPECT_EQ(l[0].lValueOffset, 0);
    EXPECT_EQ(l[0].lRightLabelOffset, 6) << "value 5 + 1";
    PRTFMT_DATA cols;
    ASSERT_TRUE(format("PRTFMT", "DEF_HEAD", 5, cols));
    const auto c = entries("PRTFLD", Text(cols.acFormat, 8));
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[1].lIdentOffset, 1) << "value 5 - heading \"Code\" 4";

    checkAgain("ORDSCRN");
    RCDFMT_DATA main;
    ASSERT_TRUE(format("RCDFMT", "DISPLAY", 3, main));
    const LAYOUT_FIELD_ENTRY ref = ByName(entries("RCDFLD", Text(main.acFormat, 8)), "ORDREF");
    EXPECT_EQ(ref.cIdentification, 'D');
    EXPECT_EQ(ref.lValueOffset, 0);
    EXPECT_EQ(ref.lWidth, 35);
}

TEST_F(LayoutSuite, EveryLayoutFaultIsNamedWithItsField)
{
    check("ORDLFLT");
    const auto all = messages();
    using checker_test::OnLine;
    // A binary alphanumeric field and a long integer cannot be printed.
    const auto binary = OnLine(all, 3);
    ASSERT_EQ(binary.size(), 3u);
    EXPECT_EQ(binary[0].substr(0, 7), "PRC0047");
    EXPECT_NE(binary[0].find("ORDBIN"), std::string::npos);
    EXPECT_NE(binary[1].find("ORDCNT"), std::string::npos);
    EXPECT_EQ(binary[2], "PRC0084 DEF_LINE");
    // A column without a line, a line without a column: each is named and
    // still tested where the 0 puts it.
    EXPECT_EQ(OnLine(all, 4), (std::vector<std::string>{"PRC0131 #ORDREF", "PRC0133 #ORDREF", "PRC0084 DEF_LINE"}));
    EXPECT_EQ(OnLine(all, 5), (std::vector<std::string>{"PRC0132 #ORDCODE", "PRC0135 #ORDCODE", "PRC0084 DEF_LINE"}));
    // ORDNOTE at column 15 overlaps ORDREF at columns 10 to 19.
    EXPECT_EQ(OnLine(all, 6), (std::vector<std::string>{"PRC0134 #ORDNOTE", "PRC0084 DEF_HEAD"}));
    // 70 characters from column 40 run past a line of 80.
    EXPECT_EQ(OnLine(all, 7), (std::vector<std::string>{"PRC0135 #ORDLONG", "PRC0084 DEF_LINE"}));
    // A text of 12 characters at column 75 of 80 does not fit.
    const auto text = OnLine(all, 8);
    ASSERT_EQ(text.size(), 2u);
    EXPECT_EQ(text[0].substr(0, 20), "PRC0130 Footing text");
    EXPECT_EQ(text[1], "PRC0084 DEF_FOOT");
    // Screens: a line without a column and a column without a line.
    const auto screen = OnLine(all, 9);
    ASSERT_GE(screen.size(), 3u);
    EXPECT_EQ(screen[0], "PRC0116 ORDREF");
    EXPECT_EQ(screen[1], "PRC0117 ORDCODE");
    EXPECT_EQ(screen.back(), "PRC0084 DISPLAY");
    // A check box under column headings; two push buttons numbered 1.
    const auto controls = OnLine(all, 10);
    ASSERT_GE(controls.size(), 3u);
    EXPECT_EQ(controls[0], "PRC0301 ORDFLAG");
    EXPECT_EQ(controls[1], "PRC0304 PB01");
    // Eleven input attributes from the dictionary.
    const auto attributes = OnLine(all, 11);
    ASSERT_GE(attributes.size(), 1u);
    EXPECT_EQ(attributes[0], "PRC0086 ORDATTR");
    // A field as wide as a line of the pop-up; a pop-up past the screen.
    const auto narrow = OnLine(all, 12);
    ASSERT_GE(narrow.size(), 1u);
    EXPECT_EQ(narrow[0], "PRC0190 ORDREF");
    const auto outside = OnLine(all, 13);
    ASSERT_GE(outside.size(), 1u);
    EXPECT_EQ(outside[0], "PRC0188 0013");
    // No failed line leaves a format record.
    for (const FFC_WORK_RECORD& r : records("PRTFMT"))
        ADD_FAILURE() << "format left by line " << Text(r.acQualifier, 4);
}

}  // namespace
