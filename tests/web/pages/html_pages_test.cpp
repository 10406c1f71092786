// The HTML page generator on work records and skeletons written by hand:
// the page lines in QV_X02, the header in QV_X01, the browse-list columns
// in QV_X04, the conditional lines and the fatal ends.
#include "pages_fixture.h"

#include <algorithm>

namespace pages_test {
namespace {

class HtmlPages : public PagesTest {
protected:
    void Text(int16_t command, int32_t row, int32_t column, const std::string& text)
    {
        std::string t = text;
        t.resize(256, ' ');
        P3108_WriteWebtxtRecord(&ctx, command, 0, row, column, t.data(), 256);
    }
    void Panel(int16_t command, char letter, const char* title, int16_t number)
    {
        std::string t = title;
        t.resize(40, ' ');
        P3108_WriteWebpnlRecord(&ctx, command, 0, letter, t.c_str(), number, 0);
        P3108_FlushPendingWebRecords(&ctx, 0, 0);
    }
    void Group(const char* list, const char* field, int number, char marker)
    {
        FFC_WORK_RECORD r;
        std::memset(&r, ' ', sizeof r);
        std::memcpy(r.acKind, "GROUPFLD  ", 10);
        Put(r.acName, list);
        Put(r.acQualifier, ("000000000" + std::to_string(number)).c_str());
        Put(r.acData, field);
        r.acData[GF_SELECT] = marker;
        WF_lWrite(&ctx, &r);
    }
    void Generate(uint32_t numericValidation = 0)
    {
        Quietly([&] { DC_P3137_WebPageGenerator(&ctx, &state, "C:", numericValidation); });
    }
};

TEST_F(HtmlPages, FixtureRecordsGiveThePageWrittenByHand)
{
    Flags(true, false, false);
    Group("ORDLIST", "ORDREF", 1, ' ');
    Group("ORDLIST", "ORDQTY", 2, '1');
    Text(5, 3, 2, "A&B's <x>");
    Text(5, 4, 40, "Right");
    Text(5, 9, 5, "Last");
    LAYOUT_FIELD_ENTRY cust = Entry("CUSTNO", 'A', 10, 0, 4, 2, 'L', 'I');
    Put(cust.acLabel, "Customer");
    cust.lValueOffset = 16;
    Field(0, 5, cust, "LC  ");
    LAYOUT_FIELD_ENTRY amount = Entry("AMOUNT", 'P', 7, 2, 5, 2, 'C', 'O');
    Put(amount.acHeadings[1], "Amount & 'tax'");
    Field(0, 5, amount);
    Field(0, 5, Entry("SECRET", 'A', 8, 0, 6, 30, 'N', 'I'), "ND  ");
    Field(0, 5, Entry("HIDE1", 'A', 3, 0, 0, 0, 'N', 'H'));
    P3108_WriteWeblstRecord(&ctx, 5, 0, "ORDLIST   ");
    LAYOUT_FIELD_ENTRY ref = Entry("ORDREF", 'A', 10, 0, 8, 2, 'N', 'O');
    Put(ref.acHeadings[0], "Ref's <no>");
    Field(1, 5, ref);
    LAYOUT_FIELD_ENTRY qty = Entry("ORDQTY", 'P', 5, 0, 8, 14, 'N', 'O');
    qty.cEditCode = 'J';
    Field(1, 5, qty);
    Panel(5, 'R', "Order entry", 1);
    Skeleton("SOURCE/WEBSKEL.S",
             {"<!-- %PANEL.............. %SEQ -->", "%IFWEV web event only", "%IFNWEV ordinary function", "%W3TTL",
              "%W3FRM", "<table>", "%W3FLD", "</table>", "%W3BRW", "<p>%QQ 'quoted' \"text\" %TXT</p>"});
    Generate(1);

    const std::vector<std::string> page = {
        "<!-- DEMOWEB   ORDWEB 001 0005 -->",
        "        ordinary function",
        "<center><h1>              Order entry               </h1></center>",
        "<form action=\"/<ZOPH MERGE=\"&CGI\">/VELMOWEB?FUNCTION+<ZOPH MERGE=\"&SESSION\">\"",
        " method=\"post\" name=\"VELMO\">",
        "<table>",
        "<tr>",
        "<td><input name=\"HIDE1     \" type=\"hidden\" size=\"003\" maxlength=\"003\"",
        "value=\"<ZOPH MERGE=\"HIDE1     \">\" /></td>",
        "</tr>",
        "<tr>",
        "<td><h3>",
        "A&amp;B&apos;s &lt;x&gt;",
        "</h3></td>",
        "</tr>",
        "<tr>",
        "<td><strong>Customer</strong></td>",
        "<td><input name=\"CUSTNO    \" type=\"text\" size=\"010\" maxlength=\"010\"",
        "value=\"<ZOPH MERGE=\"CUSTNO    \">\"",
        "onfocus=\"SetNameLocation('CUSTNO    ', 4,18)\" /></td>",
        "<td><h3>",
        "Right",
        "</h3></td>",
        "</tr>",
        "<tr>",
        "<td><strong>Amount &amp; &apos;tax&apos;</strong></td>",
        "<td><ZOPH MERGE=\"AMOUNT    \"></td>",
        "<td><strong></strong></td>",
        "<td><input name=\"SECRET    \" type=\"password\" size=\"008\" maxlength=\"008\"",
        "value=\"<ZOPH MERGE=\"SECRET    \">\"",
        "onfocus=\"SetNameLocation('SECRET    ', 6,30)\" /></td>",
        "</tr>",
        "<tr>",
        "<td><h3>",
        "Last",
        "</h3></td>",
        "</tr>",
        "</table>",
        "<ZOPH MERGE=\"&BLORDLIST   \">",
        "<p>%QQ 'quoted' \"text\" </p>",
    };
    EXPECT_EQ(Page("HTM", "DEMOWEB   ORDWEB 001"), page);
    EXPECT_EQ(Query("SELECT length(X02TXT), X02SEQ FROM QV_DTA.QV_X02 WHERE X02SEQ = 1"),
              std::vector<std::string>{"255|1"})
        << "lines are stored blank-padded to 255";
    EXPECT_EQ(Query("SELECT X01PAG, X01DES, X01SP1 FROM QV_DTA.QV_X01 WHERE X01PEN = 'HTM'"),
              std::vector<std::string>{"DEMOWEB   ORDWEB 001|Process DEMOWEB Function ORDWEB 001| "});
    EXPECT_EQ(Query("SELECT rtrim(X04BRW), X04FNO, rtrim(X04FLD), X04USG, X04TYP, X04LEN, X04DEC, rtrim(X04CH1), "
                    "length(X04CH2), length(X04INA), X04ROW, X04COL, X04ECD, X04EWD, X04MLN, X04NMV, X04KSH, X04SP1 "
                    "FROM QV_DTA.QV_X04 WHERE X04PEN = 'HTM' AND X04MOD = 'DEMOWEB' ORDER BY X04FNO"),
              (std::vector<std::string>{"ORDLIST|1|ORDREF|O|A|10|0|Ref's <no>|20|40|8|2| ||0|N| |",
                                        "ORDLIST|2|ORDQTY|S|P|5|0||20|40|8|14|J||5|Y| |"}));
}

TEST_F(HtmlPages, DescriptionsAreEscapedLikeEveryOtherText)
{
    Flags(true, false, false);
    Panel(5, 'R', "Order entry", 1);
    std::memset(ctx.acProcessDescription, ' ', sizeof ctx.acProcessDescription);
    std::memcpy(ctx.acProcessDescription, "Orders & <returns>", 18);
    std::memset(ctx.acFunctionDescription, ' ', sizeof ctx.acFunctionDescription);
    std::memcpy(ctx.acFunctionDescription, "Enter \"quoted\" orders", 21);
    // each keyword takes the 40 columns of its value
    const std::string blanks(35, ' ');
    Skeleton("SOURCE/WEBSKEL.S", {"<title>%PRDS" + blanks + "</title>", "<h2>%FUDS" + blanks + "</h2>"});
    Generate();
    // each blank-padded to its 40 columns after the escapes
    EXPECT_EQ(Page("HTM", "DEMOWEB   ORDWEB 001"),
              (std::vector<std::string>{"<title>Orders &amp; &lt;returns&gt;            </title>",
                                        "<h2>Enter &quot;quoted&quot; orders         </h2>"}));
}

TEST_F(HtmlPages, EmptyPanelAndFunctionWithoutPanels)
{
    Flags(true, false, false);
    Exec("INSERT INTO QV_DTA.QV_X04 (X04P_I, X04PEN, X04SEN, X04MOD, X04FMT, X04BRW, X04FNO, X04FLD) VALUES "
         "('DEM', 'HTM', '     ', 'DEMOWEB', 'ORDWEB', 'OLD', 1, 'OLDFLD')");
    Exec("INSERT INTO QV_DTA.QV_X02 (X02P_I, X02PEN, X02SEN, X02PLN, X02PAG, X02SET, X02SEQ, X02TXT) VALUES "
         "('DEM', 'HTM', '     ', 'NAT', 'DEMOWEB   ORDWEB 001', 0, 1, 'old line')");
    Skeleton("SOURCE/WEBSKEL.S", {"%W3FLD"});
    Generate();
    EXPECT_EQ(env.queryOutside("SELECT COUNT(*) FROM QV_X04"), "0") << "the rows are gone, and committed";
    EXPECT_EQ(env.queryOutside("SELECT COUNT(*) FROM QV_X02 WHERE X02PLN = 'NAT'"), "0")
        << "the old set is deleted without a page to replace it";

    Panel(1, 'D', "", 1);
    Generate();
    EXPECT_EQ(Page("HTM", "DEMOWEB   ORDWEB 001"), (std::vector<std::string>{"<tr>", "<td></td>", "</tr>"}));
}

/* A field for input and output on a DISPLAY panel: one cell per display
** mode, shown by the mode: the output cell to display and delete, the input
** cell to add and change. */
TEST_F(HtmlPages, AFieldOfBothUsagesGetsOneCellPerMode)
{
    Flags(true, false, false);
    Field(0, 1, Entry("CUSTNO", 'A', 10, 0, 4, 2, 'N', 'B'));
    Panel(1, 'D', "", 1);
    Skeleton("SOURCE/WEBSKEL.S", {"%W3FLD"});
    Generate();
    const std::vector<std::string> page = Page("HTM", "DEMOWEB   ORDWEB 001");
    const std::string output = "<td><ZOPH MERGE=\"CUSTNO    \"></td>";
    const std::string input = "<td><input name=\"CUSTNO    \" type=\"text\" size=\"010\" maxlength=\"010\"";
    std::vector<std::string> modes;
    for (size_t i = 0; i < page.size(); ++i) {
        if (page[i].rfind("<ZOPH ONMODE=", 0) != 0)
            continue;
        ASSERT_LT(i + 1, page.size());
        const size_t end = std::find(page.begin() + static_cast<long>(i), page.end(), "</ZOPH>") - page.begin();
        ASSERT_LT(end, page.size()) << page[i] << " is not closed";
        const std::string cell = page[i + 1];
        modes.push_back(page[i] + " " + (cell == output ? "output" : cell == input ? "input" : cell));
        EXPECT_EQ(std::count(page.begin() + static_cast<long>(i), page.begin() + static_cast<long>(end), output) +
                      std::count(page.begin() + static_cast<long>(i), page.begin() + static_cast<long>(end), input),
                  1)
            << page[i];
    }
    EXPECT_EQ(modes, (std::vector<std::string>{"<ZOPH ONMODE=\"DIS\"> output", "<ZOPH ONMODE=\"DLT\"> output",
                                               "<ZOPH ONMODE=\"ADD\"> input", "<ZOPH ONMODE=\"CHG\"> input"}));
}

TEST_F(HtmlPages, NothingWithoutThePageFlag)
{
    Flags(false, false, true);
    Panel(1, 'D', "", 1);
    Generate();
    EXPECT_TRUE(Query("SELECT X01PAG FROM QV_DTA.QV_X01").empty());
    EXPECT_TRUE(Query("SELECT X02PAG FROM QV_DTA.QV_X02 WHERE X02PEN = 'HTM' AND X02P_I = 'DEM'").empty());
}

TEST_F(HtmlPages, WebEventFunctionTakesItsOwnSkeletonAndTypedNames)
{
    Flags(true, true, false);
    Field(0, 1, Entry("CUSTNO", 'A', 50, 0, 3, 2, 'N', 'I'), "LC  ");
    Field(0, 1, Entry("BIGTEXT", 'X', 120, 0, 4, 2, 'N', 'I'));
    Field(0, 1, Entry("AMOUNT", 'P', 7, 2, 5, 2, 'N', 'I'));
    Panel(1, 'R', "", 1);
    Skeleton("X_DEM/SOURCE/ORDWEB.S", {"%IFWEV web event only", "%IFRLTB right to left", "%W3FRM", "%W3FLD"});
    Generate(1);
    const std::vector<std::string> page = Page("HTM", "DEMOWEB   ORDWEB 001");
    auto has = [&](const std::string& line) { return std::find(page.begin(), page.end(), line) != page.end(); };
    EXPECT_EQ(page.at(0), "       web event only");
    EXPECT_EQ(page.at(1), "<form method=\"post\" name=\"VELMO\"") << "the right-to-left line is dropped";
    EXPECT_TRUE(has("<td><input name=\"LCUSTNO   \" type=\"text\" size=\"030\" maxlength=\"050\""));
    EXPECT_TRUE(has("<td><input name=\"QBIGTEXT  \" type=\"text\" size=\"080\" maxlength=\"120\""));
    EXPECT_TRUE(has("<td><input name=\"PAMOUNT   \" type=\"text\" size=\"008\" maxlength=\"008\""));
    EXPECT_TRUE(has("onchange=\"if (!isValidNumeric(this,  5,  2,'.')){this.focus();this.select()}\""));
}

TEST_F(HtmlPages, FailedLineWriteEndsTheJobWithItsTag)
{
    Flags(true, false, false);
    Panel(1, 'D', "", 1);
    Skeleton("SOURCE/WEBSKEL.S", {"<p>one</p>"});
    SSQL_SetFailLocation("DC_P3137/QV_X02/1");
    const std::string err = ExpectFatal([&] { Generate(); });
    EXPECT_NE(err.find("Fatal SQL error identified as DC_P3137/QV_X02/1 encountered. "), std::string::npos) << err;
    EXPECT_EQ(state.stats.lFatalTotal, 1);
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

TEST_F(HtmlPages, HeaderRowIsKeptAndAFailedMarkIsFatal)
{
    Flags(true, false, false);
    Panel(1, 'D', "", 1);
    Skeleton("SOURCE/WEBSKEL.S", {"<p>one</p>"});
    Generate();
    Exec("UPDATE QV_DTA.QV_X01 SET X01SP1 = NULL");
    Generate();
    EXPECT_EQ(Query("SELECT X01PAG, X01SP1 FROM QV_DTA.QV_X01"), std::vector<std::string>{"DEMOWEB   ORDWEB 001| "});
    EXPECT_EQ(Page("HTM", "DEMOWEB   ORDWEB 001"), std::vector<std::string>{"<p>one</p>"});
    SSQL_SetFailLocation("DC_P3137/QV_X01/2");
    const std::string err = ExpectFatal([&] { Generate(); });
    EXPECT_NE(err.find("DC_P3137/QV_X01/2"), std::string::npos) << err;
}

TEST_F(HtmlPages, MissingSkeletonNamesTheLastPathTried)
{
    Flags(true, false, false);
    std::remove((env.root() + "/X_VELMO/SOURCE/WEBSKEL.S").c_str());
    const std::string err = ExpectFatal([&] { Generate(); });
    EXPECT_NE(err.find("Unable to open skeleton input file C:\\X_VELMO\\SOURCE\\WEBSKEL.S."), std::string::npos) << err;
}

}  // namespace
}  // namespace pages_test
