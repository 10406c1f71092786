// The web page work records, byte by byte at the positions of their
// layout, the pending chains and the numbering of text ids.
#include "pages_fixture.h"

#include "generator/core/model/field_helpers.h"

namespace pages_test {
namespace {

using WebRecords = PagesTest;

std::string At(const FFC_WORK_RECORD& r, size_t offset, size_t length)
{
    return std::string(reinterpret_cast<const char*>(&r) + offset, length);
}
uint32_t U32At(const FFC_WORK_RECORD& r, size_t offset)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(&r) + offset;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

TEST_F(WebRecords, TextKeepsEightyCharactersAndItsRowColumn)
{
    std::string text(256, 'x');
    text.replace(0, 10, "0123456789");
    P3108_WriteWebtxtRecord(&ctx, 12, 3, 123, 7, text.data(), 256);
    const auto texts = Records(WEB_KIND_WEBTXT);
    ASSERT_EQ(texts.size(), 1u);
    const FFC_WORK_RECORD& r = texts[0];
    EXPECT_EQ(At(r, 0, 70), "WEBTXT    00120003" + std::string(52, ' '));
    EXPECT_EQ(At(r, 70, 8), "2307    ");
    EXPECT_EQ(U32At(r, 78), 123u);
    EXPECT_EQ(U32At(r, 82), 7u);
    EXPECT_EQ(At(r, 86, 80), text.substr(0, 80));
    EXPECT_EQ(At(r, 166, 1), std::string(1, '\0'));
    EXPECT_EQ(At(r, 167, 10), std::string(10, ' '));
}

TEST_F(WebRecords, HeadingFieldIsCopiedWithItsDataBelowTheHeadings)
{
    LAYOUT_FIELD_ENTRY e = Entry("CUSTNO", 'P', 7, 2, 7, 3, 'C', 'B');
    Put(e.acHeadings[0], "Cust");
    Put(e.acHeadings[2], "Number");
    Put(e.acLabel, "Customer");
    Put(e.acDescription, "Customer number");
    Put(e.acEditWord, "bbb");
    Put(e.acErrorIndicator, "05");
    Put(e.acListName, "LIST01");
    e.lValueOffset = 4;
    e.lValueWidth = 12;
    e.cEditCode = 'J';
    e.cShift = 'X';
    P3108_FIELD_DEFINITION d;
    std::memset(&d, ' ', sizeof d);
    Put(d.acInputAttributes, "LC  ND  ");
    Put(d.acOutputAttributes, "GRN ");
    const int16_t rows[3] = {7, 8, 9}, columns[3] = {3, 3, 3};
    P3108_WriteWeblsdWebdtaRecords(&ctx, 0, 21, 4, &e, &d, rows, columns, noIds);
    EXPECT_TRUE(Records(WEB_KIND_WEBDTA).empty()) << "queued until the panel ends";
    P3108_FlushPendingWebRecords(&ctx, 0, 0);
    const auto fields = Records(WEB_KIND_WEBDTA);
    ASSERT_EQ(fields.size(), 1u);
    const FFC_WORK_RECORD& r = fields[0];
    EXPECT_EQ(At(r, 0, 70), "WEBDTA    00210004" + std::string(42, ' ') + "0703      ");
    EXPECT_EQ(At(r, 70, 4), "0703");
    EXPECT_EQ(U32At(r, 78), 9u) << "two headings above the data";
    EXPECT_EQ(U32At(r, 82), 7u);
    EXPECT_EQ(At(r, 86, 12), "CUSTNO     P");
    EXPECT_EQ(U32At(r, 102), 7u);
    EXPECT_EQ(U32At(r, 106), 2u);
    EXPECT_EQ(At(r, 110, 5), "J bbb");
    EXPECT_EQ(At(r, 137, 3), "B C");
    EXPECT_EQ(At(r, 141, 45), "0703 Customer number" + std::string(25, ' '));
    EXPECT_EQ(At(r, 187, 20), "0703 Customer       ");
    EXPECT_EQ(At(r, 208, 25), "0703 Cust                ");
    EXPECT_EQ(At(r, 234, 25), "0803 " + std::string(20, ' '));
    EXPECT_EQ(At(r, 260, 25), "0903 Number              ");
    EXPECT_EQ(At(r, 286, 8), "LC  ND  ");
    EXPECT_EQ(At(r, 327, 4), "GRN ");
    EXPECT_EQ(At(r, 379, 15), "LIST01     X 05");
    EXPECT_EQ(U32At(r, 398), 12u);
    EXPECT_EQ(At(r, 402, 24), std::string(24, '\0')) << "no text ids outside a multilingual run";
    EXPECT_EQ(At(r, 426, 10), std::string(10, ' '));
}

TEST_F(WebRecords, MultilingualIdsNumberChainTwoFirstAndRunOutAfter9999)
{
    Open("ENG");
    const size_t references = P3109_TextReferences().size();
    P3108_StartPendingWebRecords(&ctx, 9999, &textPosition);
    LAYOUT_FIELD_ENTRY a = Entry("ALPHA", 'A', 5, 0, 4, 2, 'L', 'B');
    Put(a.acLabel, "Alpha");
    LAYOUT_FIELD_ENTRY b = Entry("BETA", 'A', 5, 0, 4, 2, 'C', 'B');
    Put(b.acHeadings[0], "Beta");
    const uint16_t labelId[5] = {1, 0, 0, 0, 0}, webJobHeading[5] = {0, 2, 0, 0, 0};
    Field(0, 1, a, "", "", labelId);
    Field(0, 1, b, "", "", webJobHeading);
    P3108_FlushPendingWebRecords(&ctx, 0, 0);
    const auto fields = Records(WEB_KIND_WEBDTA);
    ASSERT_EQ(fields.size(), 2u);
    // BETA, queued second, has a web job text: the second chain is written first
    EXPECT_EQ(At(fields[0], 86, 10), "BETA      ");
    EXPECT_EQ(At(fields[0], 213, 20), std::string("@T9999\0", 7) + std::string(13, ' '));
    EXPECT_EQ(At(fields[0], 192, 15), std::string(1, '\0') + std::string(14, ' ')) << "a text without id";
    EXPECT_EQ(U32At(fields[0], 402), 1u);
    EXPECT_EQ(U32At(fields[0], 414), 20u);
    EXPECT_EQ(At(fields[1], 86, 10), "ALPHA     ");
    EXPECT_EQ(At(fields[1], 192, 15), std::string("@T????\0", 7) + std::string(8, ' '));
    EXPECT_EQ(U32At(fields[1], 402), 21u);
    EXPECT_EQ(U32At(fields[1], 414), 35u);
    EXPECT_EQ(textPosition, 35u);
    const auto& refs = P3109_TextReferences();
    ASSERT_EQ(refs.size(), references + 2);
    EXPECT_EQ(refs[references].name + std::to_string(refs[references].lKind) + std::to_string(refs[references].lValue),
              "BETA      11");
    EXPECT_EQ(refs[references + 1].name + std::to_string(refs[references + 1].lValue), "ALPHA     0");
}

TEST_F(WebRecords, TitleIdReservesTheTitlesLengthOfTextPositions)
{
    Open("ENG");
    auto title = [](const char* t) { return std::string(t) + std::string(40 - std::strlen(t), ' '); };
    P3108_WriteWebpnlRecord(&ctx, 2, 0, 'P', title("*MTXTNOSUCH").c_str(), 1, 1);    // no variable: 3
    P3108_WriteWebpnlRecord(&ctx, 3, 0, 'D', title("*MTXTORDTITLE").c_str(), 2, 1);  // a variable: 40
    P3108_WriteWebpnlRecord(&ctx, 4, 0, 'R', title("*FUNCTION").c_str(), 3, 1);      // its description: 17
    std::memcpy(ctx.acFunction, "NODESC ", 7);
    P3108_WriteWebpnlRecord(&ctx, 5, 0, 'R', title("*FUNCTION").c_str(), 4, 1);  // none: 0
    P3108_WriteWebpnlRecord(&ctx, 6, 0, 'D', title("Plain & <title>").c_str(), 5, 0);
    const auto panels = Records(WEB_KIND_WEBPNL);
    ASSERT_EQ(panels.size(), 5u);
    EXPECT_EQ(At(panels[0], 0, 18), "WEBPNL    00020000");
    EXPECT_EQ(U32At(panels[0], 70), 1u);
    EXPECT_EQ(At(panels[0], 74, 2), "P ");
    EXPECT_EQ(At(panels[0], 76, 40), std::string("@T0001\0", 7) + std::string(33, ' '));
    const uint32_t expected[4][2] = {{1, 3}, {4, 43}, {44, 60}, {61, 60}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(U32At(panels[i], 118), expected[i][0]) << i;
        EXPECT_EQ(U32At(panels[i], 122), expected[i][1]) << i;
    }
    EXPECT_EQ(textPosition, 60u) << "a title without description reserves nothing";
    EXPECT_EQ(At(panels[4], 76, 40), title("Plain & <title>"));
    EXPECT_EQ(U32At(panels[4], 118), 0u);
    const auto& refs = P3109_TextReferences();
    ASSERT_GE(refs.size(), 4u);
    EXPECT_EQ(refs[refs.size() - 2].lKind, 0) << "*FUNCTION";
    EXPECT_EQ(refs[refs.size() - 4].lKind, 2) << "a multilingual variable";
}

TEST_F(WebRecords, DescriptionLengthIsTheLongestOverTheLanguages)
{
    std::memcpy(ctx.acProcess, "DEMOSCR   ", 10);
    std::memcpy(ctx.acFunction, "ORDPOP ", 7);
    EXPECT_EQ(P3108_sGetDescriptionLength(&ctx), 29) << "the French description";
    SSQL_SetFailLocation("DC_P3108/QV_F67/A");
    const std::string err = ExpectFatal([&] { P3108_sGetDescriptionLength(&ctx); });
    EXPECT_NE(err.find("Fatal SQL error identified as DC_P3108/QV_F67/A encountered. Failure injected by the test "
                       "switch. Please record details"),
              std::string::npos)
        << err;
}

TEST_F(WebRecords, ListRecordCarriesTheListName)
{
    P3108_WriteWeblstRecord(&ctx, 7, 1, "ORDLIST   and more");
    const auto lists = Records(WEB_KIND_WEBLST);
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(At(lists[0], 70, 18), "        ORDLIST   ");
    EXPECT_EQ(At(lists[0], 88, 10), std::string(10, ' '));
}

}  // namespace
}  // namespace pages_test
