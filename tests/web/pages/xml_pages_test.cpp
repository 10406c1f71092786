// The XML page generator on work records and a skeleton written by hand,
// and the escaping of texts in markup.
#include "pages_fixture.h"

#include "web/pages/page_common.h"

#include <algorithm>

namespace pages_test {
namespace {

using XmlPages = PagesTest;

TEST_F(XmlPages, FixtureRecordsGiveThePageWrittenByHand)
{
    Flags(false, false, true);
    std::string head = "Head";
    head.resize(256, ' ');
    P3108_WriteWebtxtRecord(&ctx, 2, 0, 2, 2, head.data(), 256);
    LAYOUT_FIELD_ENTRY cust = Entry("CUSTNO", 'A', 10, 0, 4, 2, 'L', 'I');
    Put(cust.acLabel, "A&B's");
    Put(cust.acErrorIndicator, "01");
    cust.lValueOffset = 10;
    cust.cShift = 'A';
    Field(0, 2, cust, "GRN1AB  ");
    LAYOUT_FIELD_ENTRY qty = Entry("ORDQTY", 'P', 5, 0, 4, 30, 'D', 'I');
    Put(qty.acDescription, "Qty &amp; more");
    Put(qty.acErrorIndicator, "02");
    qty.lValueWidth = 6;
    qty.cShift = 'Y';
    Field(0, 2, qty, "PBPT");
    LAYOUT_FIELD_ENTRY note = Entry("NOTE", 'A', 20, 0, 6, 2, 'N', 'O');
    Put(note.acErrorIndicator, "03");
    Field(0, 2, note);
    Field(0, 2, Entry("KQ7@END", 'A', 1, 0, 9, 2, 'N', 'O'));  // the end marker
    std::string title = "Orders";
    title.resize(40, ' ');
    P3108_WriteWebpnlRecord(&ctx, 2, 0, 'R', title.c_str(), 1, 0);
    P3108_FlushPendingWebRecords(&ctx, 0, 0);
    Skeleton("SOURCE/XMLSKEL.S", {"<PAGE TYPE=\"%PTYPE\" ", "%W3TTL", ">", "%W3FLD", "%FLDDTA", "</PAGE>"});
    Quietly([&] { DC_P3140_XmlPageGenerator(&ctx, &state, "C:"); });

    const std::vector<std::string> page = {
        "<PAGE TYPE=\"REQUEST\"",
        "           TITLE=\"                Orders                  \"",
        ">",
        "            <FIELD",
        "               NAME=\"_TEXT001\"",
        "               TYPE=\"T\"",
        "               VISUAL=\"O\"",
        "               LOCATION=\"0202\"/>",
        "            <FIELD",
        "               NAME=\"CUSTNO\"    ",
        "               LABEL=\"A&amp;B&apos;s\"",
        "               TYPE=\"A\"",
        "               VISUAL=\"E\"",
        "               LENGTH=\"010\"",
        "               KBSHIFT=\"A\"",
        "               <ZOPH MERGE=\"&ERR01\">",
        "               FCOLOR=\"008000\"",
        "               IATTR=\"AB  \"",
        "               LOCATION=\"0412\"/>",
        "            <FIELD",
        "               NAME=\"ORDQTY\"    ",
        "               LABEL=\"Qty &amp; more\"",
        "               TYPE=\"P\"",
        "               VISUAL=\"E\"",
        "               LENGTH=\"005\"",
        "               DECIMALS=\"000\"",
        "               MAXLENGTH=\"006\"",
        "               KBSHIFT=\"Y\"",
        "               <ZOPH MERGE=\"&ERR02\">",
        "               ROW=\"*SAME\"       ",
        "               IATTR=\"PBPT\"",
        "               LOCATION=\"0430\"/>",
        "            <FIELD",
        "               NAME=\"NOTE\"      ",
        "               LABEL=\"\"",
        "               TYPE=\"A\"",
        "               VISUAL=\"O\"",
        "               LENGTH=\"020\"",
        "               LOCATION=\"0602\"/>",
        "<ZOPH MERGE=\"&END\">",
        "            <FIELD NAME=\"_TEXT001\"  >Head</FIELD>",
        "            <FIELD NAME=\"CUSTNO\"    ><ZOPH MERGE=\"CUSTNO    \"></FIELD>",
        "            <FIELD NAME=\"ORDQTY\"    ><ZOPH MERGE=\"ORDQTY    \"></FIELD>",
        "            <FIELD NAME=\"NOTE\"      ><ZOPH MERGE=\"NOTE      \"></FIELD>",
        "</PAGE>",
    };
    EXPECT_EQ(Page("XML", "DEMOWEB   ORDWEB 001"), page);
    EXPECT_EQ(Query("SELECT X01PAG FROM QV_DTA.QV_X01 WHERE X01PEN = 'XML'"),
              std::vector<std::string>{"DEMOWEB   ORDWEB 001"});
}

/* A field for input and output on a DISPLAY panel: one definition per
** display mode, shown by the mode: the output one (VISUAL "O") to display
** and delete, the input one (VISUAL "E") to add and change. */
TEST_F(XmlPages, AFieldOfBothUsagesGetsOneDefinitionPerMode)
{
    Flags(false, false, true);
    Field(0, 2, Entry("CUSTNO", 'A', 10, 0, 4, 2, 'N', 'B'));
    Field(0, 2, Entry("KQ7@END", 'A', 1, 0, 9, 2, 'N', 'O'));  // the end marker
    std::string title = "Orders";
    title.resize(40, ' ');
    P3108_WriteWebpnlRecord(&ctx, 2, 0, 'D', title.c_str(), 1, 0);
    P3108_FlushPendingWebRecords(&ctx, 0, 0);
    Skeleton("SOURCE/XMLSKEL.S", {"<PAGE TYPE=\"%PTYPE\" ", "%W3TTL", ">", "%W3FLD", "</PAGE>"});
    Quietly([&] { DC_P3140_XmlPageGenerator(&ctx, &state, "C:"); });
    const std::vector<std::string> page = Page("XML", "DEMOWEB   ORDWEB 001");
    std::vector<std::string> modes;
    for (auto at = page.begin(); at != page.end(); ++at) {
        if (at->rfind("<ZOPH ONMODE=", 0) != 0)
            continue;
        const auto end = std::find(at, page.end(), "</ZOPH>");
        ASSERT_NE(end, page.end()) << *at << " is not closed";
        const bool output = std::count(at, end, "               VISUAL=\"O\"") == 1;
        const bool input = std::count(at, end, "               VISUAL=\"E\"") == 1;
        EXPECT_EQ(std::count(at, end, "               NAME=\"CUSTNO\"    "), 1) << *at;
        modes.push_back(*at + (output && !input ? " output" : input && !output ? " input" : " ?"));
    }
    EXPECT_EQ(modes, (std::vector<std::string>{"<ZOPH ONMODE=\"DIS\"> output", "<ZOPH ONMODE=\"DLT\"> output",
                                               "<ZOPH ONMODE=\"ADD\"> input", "<ZOPH ONMODE=\"CHG\"> input"}))
        << ::testing::PrintToString(page);
}

TEST_F(XmlPages, MissingSkeletonIsFatal)
{
    Flags(false, false, true);
    std::remove((env.root() + "/X_VELMO/SOURCE/XMLSKEL.S").c_str());
    const std::string err = ExpectFatal([&] { Quietly([&] { DC_P3140_XmlPageGenerator(&ctx, &state, "C:"); }); });
    EXPECT_NE(err.find("Unable to open XML skeleton file C:\\X_VELMO\\SOURCE\\XMLSKEL.S."), std::string::npos) << err;
}

TEST(Markup, SpecialCharactersBecomeEntitiesAndEntitiesStay)
{
    using web_pages::EscapeMarkup;
    EXPECT_EQ(EscapeMarkup("A&B"), "A&amp;B");
    EXPECT_EQ(EscapeMarkup("it's \"x\" <y>"), "it&apos;s &quot;x&quot; &lt;y&gt;");
    EXPECT_EQ(EscapeMarkup("A&amp;B &#38;"), "A&amp;B &#38;");
    EXPECT_EQ(EscapeMarkup("&; & b;"), "&amp;; &amp; b;") << "too short, or white space before the ';'";
    EXPECT_EQ(EscapeMarkup("\x0E<&>\x0F<"), "\x0E<&>\x0F&lt;") << "a double-byte run is copied";
}

}  // namespace
}  // namespace pages_test
