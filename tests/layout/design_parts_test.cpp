// Single routines of the design steps on hand-made state: the painter's
// message line, the pop-up window check, field blocks, the parameter text,
// the action bar, the restore without backup and the stored design data.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <string>
#include <vector>

#include "checker/checker_fixture.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/named_lists.h"
#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"

namespace {

using namespace layout::design;

std::string Text(const char* field, size_t n)
{
    return std::string(field, n);
}

TEST(DesignMessage, OnlyTextConversionsAreSubstituted)
{
    const char templates[2][70] = {"%s moved to %-6s|%.3s|", "%d%% of %x: %s %s %s %s"};
    FFC_PAINT_STR paint{};
    paint.pTemplates = templates;
    paint.lTemplateCount = 2;
    char line[67];
    ComposeMessageLine(&paint, 1, line, "#ORDREF", "LINE", "ABCDEF");
    EXPECT_EQ(Text(line, 67), "#ORDREF moved to LINE  |ABC|" + std::string(39, ' '));
    // other conversions stay as written; missing texts are empty
    ComposeMessageLine(&paint, 2, line, "a", "b");
    EXPECT_EQ(Text(line, 67), "%d% of %x: a b  " + std::string(51, ' '));
    EXPECT_EQ(MessageText("Total  ", 7), "Total");
    EXPECT_EQ(MessageText("ABCDEFGHIJ", 0), "");
}

class ScreenParts : public ::testing::Test {
protected:
    FFC_CONTEXT ctx{};
    LAYOUT_FIELD_ENTRY work[2]{};
    ScreenDesign& s = ScreenStep();

    void SetUp() override
    {
        s = ScreenDesign{};
        ctx.usScreenLines = 24;
        ctx.cNatChar1 = '#';
        s.ctx = &ctx;
        s.work = work;
        s.current = 1;
        std::memset(s.sysFlags, 'N', sizeof s.sysFlags);
        s.screenLines = 24;
    }
    void TearDown() override { s = ScreenDesign{}; }

    void Window(int32_t line, int32_t column, int32_t width, int32_t height)
    {
        POP_UP_DATA& p = PopUp();
        p.lLine = line;
        p.lColumn = column;
        p.lWidth = width;
        p.lHeight = height;
        P3097_CheckPopUpWindow();
    }
};

TEST_F(ScreenParts, PopUpWindowMustFitTheScreen)
{
    s.windowTitle = 'Y';
    Window(5, 70, 9, 6);
    EXPECT_TRUE(s.windowError) << "70 + 9 + 2 > 80";
    Window(5, 70, 8, 6);
    EXPECT_FALSE(s.windowError);
    EXPECT_EQ(s.firstInner, 6);
    EXPECT_EQ(s.fourthLast, 7);
    EXPECT_EQ(std::vector<int32_t>(s.bottomLines, s.bottomLines + 3), (std::vector<int32_t>{10, 9, 8}));
    Window(1, 10, 20, 6);
    EXPECT_TRUE(s.windowError) << "a frame needs the line above";
    s.sysFlags[44] = 'Y';
    Window(1, 10, 20, 6);
    EXPECT_FALSE(s.windowError) << "without frame";
    s.windowTitle = 'Y';
    Window(5, 10, 20, 4);
    EXPECT_TRUE(s.windowError) << "a title line needs five lines";
}

TEST_F(ScreenParts, FieldBlocksByIdentification)
{
    LAYOUT_FIELD_ENTRY& f = work[0];
    f.cType = 'P';
    f.lValueWidth = 5;
    f.lHeadingWidth = 12;
    f.cIdentification = 'C';
    f.asHeadingWidths[2] = 12;
    f.cHeadingInControl = 'N';
    P3097_ComputeFieldBlock();
    EXPECT_EQ(f.lValueOffset, 7);
    EXPECT_EQ(f.lWidth, 12);
    EXPECT_EQ(f.lLines, 2);
    f.cType = 'A';
    P3097_ComputeFieldBlock();
    EXPECT_EQ(f.lValueOffset, 3);
    f.lValueWidth = 20;
    P3097_ComputeFieldBlock();
    EXPECT_EQ(f.lWidth, 20);
    EXPECT_EQ(f.lIdentOffset, 0);
    ctx.cRightToLeft = 'Y';
    P3097_ComputeFieldBlock();
    EXPECT_EQ(f.lIdentOffset, 8);
    ctx.cRightToLeft = 'N';
    f.cIdentification = 'D';
    f.lDescriptionWidth = 30;
    f.lValueWidth = 10;
    P3097_ComputeFieldBlock();
    EXPECT_EQ(f.lWidth, 47);
    EXPECT_EQ(f.lValueOffset, 37);
    EXPECT_EQ(f.lLines, 1);
}

TEST_F(ScreenParts, TextsAndFieldsInTheImage)
{
    // a field at column 1 of line 2: its attribute cell is the last cell of
    // line 1; the cell after it becomes an attribute cell
    std::memset(s.chars, 'x', sizeof s.chars);
    s.line = 2;
    s.column = 1;
    s.length = 3;
    std::memcpy(s.drawText, "ABC", 3);
    s.kind = 'R';
    s.owner = 7;
    s.attribute = 4;
    P3097_PutText();
    EXPECT_EQ(s.chars[80], '\x04');
    EXPECT_EQ(Text(s.chars + 81, 3), "ABC");
    EXPECT_EQ(s.chars[84], '\0');
    EXPECT_EQ(s.owners[84], 7);
    P3097_PositionFromCell(80);
    EXPECT_EQ(s.line, 1);
    EXPECT_EQ(s.column, 80);
    P3097_PositionFromCell(81);
    EXPECT_EQ(s.line, 2);
    EXPECT_EQ(s.column, 1);
    s.line = 2;
    s.column = 1;
    P3097_EraseText();
    EXPECT_EQ(Text(s.chars + 81, 3), "   ");
    EXPECT_EQ(s.owners[82], 0);
}

TEST_F(ScreenParts, ParameterTextIsBuiltTokenByToken)
{
    s.position = 9;
    P3097_BackOverBlanks();
    EXPECT_EQ(s.position, 1u) << "an all-blank buffer stops at 1";
    s.buffer[0] = 'X';
    s.position = 2;
    P3097_SkipWord();
    EXPECT_EQ(s.position, 3u) << "a blank at the position moves one place";
    std::memcpy(work[0].acName, "ORDREFABCD", 10);
    s.position = 1;
    P3097_AppendField();
    EXPECT_EQ(std::string(s.buffer.data(), 12), "(#ORDREFABC ");
    EXPECT_EQ(s.position, 13u);
    ASSERT_EQ(s.written.size(), 1u);
    EXPECT_EQ(s.written[0], "#ORDREFABC");
    s.position = 20;
    P3097_BackOverBlanks();
    EXPECT_EQ(s.position, 12u) << "just after the last non-blank";
    P3097_BackOverBlanks();
    EXPECT_EQ(s.position, 12u) << "a non-blank before the position keeps it";
    s.position = s.buffer.size() + 5;
    P3097_BackOverBlanks();
    EXPECT_EQ(s.position, 12u) << "from beyond the buffer's end";
}

class DesignData : public checker_test::CheckJob {
protected:
    void SetUp() override { prepare("DEMOSCR", "ORDTMAP"); }

    std::vector<std::string> rows(const char* kind)
    {
        SSQL_Commit();
        std::vector<std::string> out;
        sqlite3* db = nullptr;
        sqlite3_open(repo.path().c_str(), &db);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT X85KV2, X85SEQ, X85DTA FROM QV_F85 WHERE X85MOD = 'DEMOSCR' AND X85FMT = 'ORDTMAP' "
                           "AND X85KV1 = ? ORDER BY X85KV2, X85SEQ",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, kind, -1, SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) {
            std::string data(reinterpret_cast<const char*>(sqlite3_column_blob(st, 2)),
                             static_cast<size_t>(sqlite3_column_bytes(st, 2)));
            std::string key(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            out.push_back(key + "|" + std::to_string(sqlite3_column_int(st, 1)) + "|" + data);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }

    void writeText(const char* text, int32_t line, int32_t column, int32_t number)
    {
        LAYOUT_FIELD_ENTRY e;
        std::memset(&e, ' ', sizeof e);
        e.cType = 'T';
        std::memcpy(e.acEditMask, text, std::strlen(text));
        e.lLength = static_cast<int32_t>(std::strlen(text));
        e.lLine = line;
        e.lColumn = column;
        std::memcpy(e.acInputFlags, "YNNNNNNNNNNNNN", 14);
        FFC_WORK_RECORD r;
        WF_BlankRecord(&ctx, &r);
        std::memcpy(r.acKind, LAYOUT_KIND_RCDFLD, 10);
        std::memcpy(r.acName, "R@F00009", 8);
        FIX_LongToDigits(&number, 4, r.acQualifier);
        std::memcpy(r.acData, &e, sizeof e);
        WF_lWrite(&ctx, &r);
    }
};

TEST_F(DesignData, ScreenTextMapReplacesItsRowsWithMirroredColumns)
{
    ScreenDesign& s = ScreenStep();
    s = ScreenDesign{};
    s.ctx = &ctx;
    s.commandNumber = 1;
    s.textMap = "*TMAP001";
    s.usableWidth = 80;
    std::memset(s.sysFlags, 'N', sizeof s.sysFlags);
    s.sysFlags[27] = 'Y';
    ScreenFormat format;
    std::memcpy(format.name, "R@F00009", 8);
    s.formats = {format};
    writeText("Eight ch", 5, 10, 1);
    writeText("Two", 6, 2, 2);
    writeText("Three", 7, 3, 3);
    P3097_SaveTextMaps();
    const auto stored = rows("TEXTMAPS");
    ASSERT_EQ(stored.size(), 3u) << "the sample row is replaced";
    EXPECT_EQ(stored[0], "*TMAP001  |1|Eight ch" + std::string(72, ' ') + "005064" + "YNNNNNNNNNNNNN" +
                             std::string(32, ' ') + std::string(1, '\0'))
        << "80 + 2 - 10 - 8 = 64";
    EXPECT_EQ(stored[2].substr(0, 13), "*TMAP001  |3|");
    s = ScreenDesign{};
}

TEST_F(DesignData, ReportImageStoresChunksAndFillsGaps)
{
    ReportDesign& s = ReportStep();
    s = ReportDesign{};
    s.ctx = &ctx;
    s.reportNumber = 2;
    s.width = 198;
    P3019_StartReportDesign();
    auto add = [&](const char* section, int32_t reportLine, int32_t before, const char* text) {
        SectionEntry e;
        std::memset(&e, 0, sizeof e);
        std::memset(e.text, ' ', sizeof e.text);
        std::memcpy(e.text, text, std::strlen(text));
        std::memcpy(e.section, section, 3);
        e.reportLine = reportLine;
        e.before = before;
        uint16_t n = 0, length = sizeof e;
        QVRMM_sPutEntry(&ctx, SectionList(section), &n, &e, &length);
        return n;
    };
    add("HED", 1, 0, "Title");
    s.order = {{1, 2, 1, add("DET", 0, 2, "Detail"), {'D', 'E', 'T', ' '}}};
    add("FOT", 6, 0, "Foot");
    P3019_SaveReportImage();
    P3019_EndReportDesign();
    const auto stored = rows("FUNCREP002");
    // lines 1 (heading), 3 (detail: 1 + 2 lines before), 6 (foot); 2, 4
    // and 5 blank; two chunks each
    std::vector<std::string> keys;
    for (const std::string& r : stored)
        keys.push_back(r.substr(0, 12));
    EXPECT_EQ(keys, (std::vector<std::string>{"0000000011|1", "0000000012|2", "0000000021|1", "0000000022|2",
                                              "0000000031|1", "0000000032|2", "0000000041|1", "0000000042|2",
                                              "0000000051|1", "0000000052|2", "0000000061|1", "0000000062|2"}));
    EXPECT_EQ(stored[4].substr(13), "Detail" + std::string(126, ' '));
    EXPECT_EQ(stored[2].substr(13), std::string(132, ' '));
    s = ReportDesign{};
}

TEST_F(DesignData, ActionBarChoicesHelpAndRestoreWithoutBackup)
{
    exec("INSERT INTO QV_F71 (X71P_I, X71MOD, X71PLN, X71BNO, X71BDS) VALUES ('DEM', 'DEMOSCR', 'ENG', 1, 'One'), "
         "('DEM', 'DEMOSCR', 'ENG', 2, 'Two'), ('DEM', 'DEMOSCR', 'ENG', 8, 'Eight')");
    ScreenDesign& s = ScreenStep();
    s = ScreenDesign{};
    s.ctx = &ctx;
    FFC_PROCESS_DEFINITION process{};
    checker::Pad(process.acProcess, 10, "DEMOSCR");
    process.cMenuStyle = 'A';
    s.process = &process;
    std::memcpy(ctx.aFunctionKeys[2].acValue, "01", 2);
    checker::Pad(ctx.aFunctionKeys[2].acCaption, 10, "Help");
    P3097_StartScreenDesign();
    EXPECT_EQ(s.actionBarLines, 2);
    EXPECT_EQ(s.firstFree, 4);
    EXPECT_EQ(Text(s.choiceLines[0], 30), "One          Two              ");
    EXPECT_EQ(Text(s.choiceLines[1], 36), std::string(13, ' ') + "Eight        Help      ")
        << "choice 8 in slot 2, the help choice as number 9";
    EXPECT_EQ(Text(s.separator, 4), "  --");

    // a restore without backup leaves the screen's records alone
    P3100_UseLibraryLayouts();
    run();
    s.ctx = &ctx;
    s.commandNumber = 1;
    std::memcpy(s.commandName, "DISPLAY   ", 10);
    FFC_WORK_RECORD r;
    ScreenKey(r, LAYOUT_KIND_RCDFMT, "DISPLAY");
    ASSERT_EQ(WF_cReadFirst(&ctx, 8, &r, 2), '0');
    P3097_RestoreScreenRecords();
    ScreenKey(r, LAYOUT_KIND_RCDFMT, "DISPLAY");
    EXPECT_EQ(WF_cReadFirst(&ctx, 8, &r, 2), '0');
    s = ScreenDesign{};
}

}  // namespace
