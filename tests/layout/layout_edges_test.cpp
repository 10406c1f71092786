// The automatic layout at the edges of the line: a screen field whose last
// character stands in the last column (its closing attribute position on
// the next line's first) fits, one column further it runs past the end of
// the line; a report line whose fields fill its width exactly keeps them
// all on one line.
#include "layout_fixture.h"

namespace layout_test {
namespace {

using checker_test::OnLine;

class LayoutEdges : public LayoutJob {
protected:
    // The entries of the first format of a command, in order.
    std::vector<LAYOUT_FIELD_ENTRY> entries(const char* formatKind, const char* fieldKind, const char* command)
    {
        std::vector<LAYOUT_FIELD_ENTRY> out;
        const auto formats = records(formatKind, command);
        if (formats.empty())
            return out;
        const std::string format(formats[0].acData, 8);
        for (const FFC_WORK_RECORD& r : records(fieldKind, format))
            out.push_back(Entry(r));
        return out;
    }
};

// #ORDREF is 10 characters: at column 71 its last character stands in
// column 80, the last of the screen; at 72 it would need column 81.
TEST_F(LayoutEdges, AScreenFieldEndingInTheLastColumnFits)
{
    addFunction("DEMOSCR", "EDGE80", {"DISPLAY FIELDS((#ORDREF *L5 *P71 *NOID))", "RETURN"});
    addFunction("DEMOSCR", "EDGE81", {"DISPLAY FIELDS((#ORDREF *L5 *P72 *NOID))", "RETURN"});
    addFunction("DEMOSCR", "SHARE13", {"DISPLAY FIELDS((#ORDREF *L5 *P2 *NOID) (#ORDCODE *L5 *P13 *NOID))", "RETURN"});
    addFunction("DEMOSCR", "SHARE12", {"DISPLAY FIELDS((#ORDREF *L5 *P2 *NOID) (#ORDCODE *L5 *P12 *NOID))", "RETURN"});
    check("EDGE80");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    auto placed = entries("RCDFMT", "RCDFLD", "DISPLAY");
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].lLine, 5);
    EXPECT_EQ(placed[0].lColumn, 71);

    checkAgain("EDGE81");
    const std::vector<std::string> past = ids();
    ASSERT_EQ(past.size(), 1u) << ::testing::PrintToString(past);
    EXPECT_EQ(past[0].substr(0, 7), "PRC0081");
    placed = entries("RCDFMT", "RCDFLD", "DISPLAY");
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].lColumn, 72) << "a fixed field is placed all the same";

    /* two fields on one line: #ORDREF from 2 to 11 closes at 12, where
       #ORDCODE at 13 opens: they share that attribute position; at 12 its
       opening position would be #ORDREF's last character */
    checkAgain("SHARE13");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    placed = entries("RCDFMT", "RCDFLD", "DISPLAY");
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[1].lColumn, 13);
    checkAgain("SHARE12");  /* the field as the dictionary names it */
    EXPECT_EQ(ids(), (std::vector<std::string>{"PRC0082 ORDCODE", "PRC0084 DISPLAY"}));
}

// A report of 17 columns: #ORDREF (10) from column 2 to 11, one column
// between, #ORDCODE (5) from 13 to 17: the line is full and both stand on
// it; at 16 columns #ORDCODE no longer fits beside it.
TEST_F(LayoutEdges, AReportLineFilledToItsWidth)
{
    addFunction("DEMOSCR", "RPT17",
                {"DEF_REPORT REPORT_NUM(1) FORMSIZE(66 17) OVERFLOW(60)",
                 "DEF_LINE NAME(#LINEA) FIELDS(#ORDREF #ORDCODE) IDENTIFY(*NOID)", "PRINT LINE(#LINEA)", "ENDPRINT",
                 "RETURN"});
    addFunction("DEMOSCR", "RPT16",
                {"DEF_REPORT REPORT_NUM(1) FORMSIZE(66 16) OVERFLOW(60)",
                 "DEF_LINE NAME(#LINEA) FIELDS(#ORDREF #ORDCODE) IDENTIFY(*NOID)", "PRINT LINE(#LINEA)", "ENDPRINT",
                 "RETURN"});
    check("RPT17");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    auto items = entries("PRTFMT", "PRTFLD", "DEF_LINE");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].lLine, 1);
    EXPECT_EQ(items[0].lColumn, 2);
    EXPECT_EQ(items[1].lLine, 1);
    EXPECT_EQ(items[1].lColumn, 13);

    checkAgain("RPT16");
    items = entries("PRTFMT", "PRTFLD", "DEF_LINE");
    const bool oneLine = items.size() == 2 && items[1].lLine == 1 && ids().empty();
    EXPECT_FALSE(oneLine) << "16 columns do not hold both fields on one line";
}

// A field identified by its description stands after the description and
// its prompt dots: value offset = description width + 7, entry width =
// value width + description width + 7 ("Order reference", 15 characters,
// made even: 16).
TEST_F(LayoutEdges, ADescribedFieldStandsAfterItsDescription)
{
    addFunction("DEMOSCR", "DESC1", {"DISPLAY FIELDS((#ORDREF *L5 *P2 *DESC))", "RETURN"});
    check("DESC1");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto placed = entries("RCDFMT", "RCDFLD", "DISPLAY");
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].cIdentification, 'D');
    EXPECT_EQ(placed[0].lDescriptionWidth, 16);
    EXPECT_EQ(placed[0].lValueOffset, 16 + 7);
    EXPECT_EQ(placed[0].lWidth, 10 + 16 + 7);
}

// The ninth report, the last there is, takes its own width from its
// DEF_REPORT as the first does.
TEST_F(LayoutEdges, TheNinthReportTakesItsWidth)
{
    addFunction("DEMOSCR", "RPT9",
                {"DEF_REPORT REPORT_NUM(9) FORMSIZE(66 17) OVERFLOW(60)",
                 "DEF_LINE NAME(#LINE9) REPORT_NUM(9) FIELDS(#ORDREF #ORDCODE) IDENTIFY(*NOID)",
                 "PRINT LINE(#LINE9) REPORT_NUM(9)", "ENDPRINT REPORT_NUM(9)", "RETURN"});
    check("RPT9");
    EXPECT_EQ(ids(), std::vector<std::string>{});
    const auto items = entries("PRTFMT", "PRTFLD", "DEF_LINE");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].lLine, 1);
    EXPECT_EQ(items[1].lColumn, 13);
    const auto formats = records("PRTFMT", "DEF_LINE");
    ASSERT_EQ(formats.size(), 1u);
}

}  // namespace
}  // namespace layout_test
