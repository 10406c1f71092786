// The painter protocol against a scripted painter, and the progress thread.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <string>
#include <thread>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/painter.h"
#include "platform/dqos/dqos.h"
#include "scripted_painter.h"

namespace {

std::unique_ptr<FFC_PAINT_STR> newBlock()
{
    auto p = std::make_unique<FFC_PAINT_STR>();
    std::memset(p.get(), 0, sizeof *p);
    std::memcpy(p->acRequestCode, "    ", 4);
    std::memcpy(p->acAnswer, "    ", 4);
    return p;
}

TEST(Painter, NumberedRequestsCarryTheirValuesAndReturnTheReply)
{
    auto block = newBlock();
    ScriptedPainter painter(block.get(), [](FFC_PAINT_STR* p, unsigned request) {
        switch (request) {
        case 5: p->sReply = static_cast<int16_t>(p->lRequest == 1 ? 4 : 1); break;
        case 6: p->sReply = p->sRequestValue == 'L' ? 'C' : 'N'; break;
        case 8: p->sReply = 2; break;
        case 11:
            p->sReply = 3;
            p->lChosenCommand = 12;
            std::memcpy(p->acChosenCommandName, "DISPLAY   ", 10);
            break;
        case 13: p->sReply = -1; break;
        default: p->sReply = 0; break;
        }
    });
    EXPECT_EQ(P31O2_sPainterRequest5(block.get(), 1), 4);
    EXPECT_EQ(block->lRequest, 1);
    EXPECT_EQ(P31O2_sPainterRequest5(block.get(), 0), 4) << "0 leaves the request word unchanged";
    EXPECT_EQ(P31O2_sPainterRequest6(block.get(), 'L'), 'C');
    EXPECT_EQ(P31O2_sPainterRequest8(block.get()), 2);
    EXPECT_EQ(P31O2_sPainterRequest11(block.get()), 3);
    EXPECT_EQ(block->lChosenCommand, 12);
    EXPECT_EQ(std::string(block->acChosenCommandName, 10), "DISPLAY   ");
    EXPECT_EQ(P31O2_sPainterRequest13(block.get()), -1);
    P31O2_PainterRequest16(block.get());
    EXPECT_EQ(painter.requests(), (std::vector<unsigned>{5, 5, 6, 8, 11, 13, 16}));
}

TEST(Painter, DesignCommandExchanges)
{
    auto block = newBlock();
    block->lMode = 1;  // screen design
    ScriptedPainter painter(block.get(), [](FFC_PAINT_STR* p, unsigned request) {
        switch (request) {
        case 9:  // text to the screen
            std::memcpy(p->acAnswer, "OK  ", 4);
            p->sFieldValue = 7;
            p->acTextLine[0] = 'X';
            break;
        case 10:  // field
            std::memcpy(p->acAnswer, "FD  ", 4);
            std::memcpy(p->acFieldName, "CUSTNO    ", 10);
            p->sRequestValue = 'F';
            p->sFieldValue = static_cast<int16_t>(p->sFieldValue + 1);
            break;
        case 1:  // command
            std::memcpy(p->acAnswer, "WR  ", 4);
            p->lCursorRow = 5;
            p->lCursorColumn = 17;
            break;
        default: break;
        }
    });
    char line[80];
    std::memset(line, ' ', sizeof line);
    char attrs[14];
    std::memset(attrs, 'N', sizeof attrs);
    int16_t value = 0;
    char code[4];
    std::memcpy(code, "TS  ", 4);
    ASSERT_EQ(P31O2_sPainterCommand(line, attrs, &value, code, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, block.get()),
              0);
    EXPECT_EQ(std::string(code, 4), "OK  ");
    EXPECT_EQ(value, 7);
    EXPECT_EQ(line[0], 'X');

    std::memcpy(code, "FS  ", 4);
    value = 41;
    char field[10];
    int16_t ident = 0;
    ASSERT_EQ(P31O2_sPainterCommand(nullptr, nullptr, &value, code, nullptr, nullptr, nullptr, nullptr, field, &ident,
                                    nullptr, nullptr, nullptr, block.get()),
              0);
    EXPECT_EQ(value, 42);
    EXPECT_EQ(std::string(field, 10), "CUSTNO    ");
    EXPECT_EQ(ident, 'F');
    EXPECT_EQ(std::string(code, 4), "FD  ");

    // "SS  " does nothing in screen mode
    std::memcpy(code, "SS  ", 4);
    ASSERT_EQ(P31O2_sPainterCommand(nullptr, nullptr, &value, code, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr, nullptr, block.get()),
              0);

    // a move: "MT  " stays in force while the painter answers with a move
    char screen[2000];
    std::memset(screen, '.', sizeof screen);
    char message[67];
    std::memset(message, ' ', sizeof message);
    int32_t row = 0, col = 0;
    std::memcpy(code, "MT  ", 4);
    ASSERT_EQ(P31O2_sPainterCommand(line, attrs, &value, code, &row, &col, screen, message, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, block.get()),
              0);
    EXPECT_EQ(std::string(block->acRequestCode, 4), "MT  ");
    EXPECT_EQ(block->acScreen[0], '.');
    EXPECT_EQ(row, 5);
    EXPECT_EQ(col, 17);
    std::memcpy(code, "XX  ", 4);
    P31O2_sPainterCommand(line, attrs, &value, code, &row, &col, screen, message, nullptr, nullptr, nullptr, nullptr,
                          nullptr, block.get());
    EXPECT_EQ(std::string(block->acRequestCode, 4), "MT  ") << "last answer WR keeps the move";
    std::memcpy(block->acRequestCode, "END ", 4);
    std::memcpy(code, "YY  ", 4);
    P31O2_sPainterCommand(line, attrs, &value, code, &row, &col, screen, message, nullptr, nullptr, nullptr, nullptr,
                          nullptr, block.get());
    EXPECT_EQ(std::string(block->acRequestCode, 4), "    ");
    EXPECT_EQ(painter.requests(), (std::vector<unsigned>{9, 10, 1, 1, 1}));
}

TEST(Painter, ReportSpacingAndTrace)
{
    auto block = newBlock();
    block->lMode = 0;
    block->lTrace = 1;
    ScriptedPainter painter(block.get(), [](FFC_PAINT_STR* p, unsigned request) {
        if (request == 15) {
            p->lLinesBefore += 1;
            p->lLinesAfter += 2;
            std::memcpy(p->acAnswer, "SP  ", 4);
        }
    });
    int32_t before = 1, after = 2;
    int16_t value = 0;
    char code[4];
    std::memcpy(code, "SS  ", 4);
    std::memcpy(block->acRequestCode, "RD  ", 4);
    testing::internal::CaptureStderr();
    ASSERT_EQ(P31O2_sPainterCommand(nullptr, nullptr, &value, code, nullptr, nullptr, nullptr, nullptr, nullptr,
                                    nullptr, nullptr, &after, &before, block.get()),
              0);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 4);
    EXPECT_EQ(err, "PAINTER: Command=RD   xACT=SP  \n");
}

// While it waits, the caller's thread runs messages sent to its own windows,
// so a painter that asks the caller something before answering is served.
TEST(Painter, WaitingDispatchesTheCallersMessages)
{
    auto block = newBlock();
    HWND mine = WIN_CreateWindow(
        [](HWND, unsigned msg, WPARAM, LPARAM) -> LRESULT { return msg == WM_USER + 50 ? 99 : 0; }, nullptr);
    ScriptedPainter painter(block.get(), [mine](FFC_PAINT_STR* p, unsigned) {
        p->sReply = static_cast<int16_t>(WIN_SendMessage(mine, WM_USER + 50, 0, 0));
    });
    EXPECT_EQ(P31O2_sPainterRequest8(block.get()), 99);
    painter.stop();
    WIN_DestroyWindow(mine);
}

TEST(Painter, NoPainterWindowGivesMinusOneAtOnce)
{
    auto block = newBlock();
    EXPECT_EQ(P31O2_sPainterRequest8(block.get()), -1);
    {
        ScriptedPainter painter(block.get(), [](FFC_PAINT_STR*, unsigned) {});
        painter.stop();  // the window is gone
        EXPECT_EQ(P31O2_sPainterRequest8(block.get()), -1);
    }
}

TEST(Painter, ObjectArraysGrowAndStartAgainAtIndexOne)
{
    auto block = newBlock();
    ASSERT_EQ(P31O2_AddPainterObject(block.get(), 1, "REPORT1   ", "SECOND  ", "   ...", 1, "Num", "Name", "Line",
                                     "Kind", "Reports"),
              0);
    ASSERT_EQ(P31O2_AddPainterObject(block.get(), 2, "REPORT2   ", "SECOND  ", "      ", 2, "Num", "Name", "Line",
                                     "Kind", "Reports"),
              0);
    EXPECT_EQ(block->lObjectCount, 2);
    EXPECT_EQ(block->pObjects[1].lNumber, 2);
    EXPECT_EQ(std::string(block->pObjects[1].acName, 10), "REPORT2   ");
    EXPECT_EQ(block->pSelections[1].cSelection, ' ');
    EXPECT_EQ(block->pSelections[1].lRepeat, 0);
    EXPECT_STREQ(block->szHeading, "Reports");
    EXPECT_EQ(P31O2_AddPainterObject(block.get(), 9, "X         ", "        ", "      ", 5, "", "", "", "", ""), -1)
        << "no gaps in the running index";
    ASSERT_EQ(P31O2_AddPainterObject(block.get(), 7, "SCREEN1   ", "FORMAT1 ", "RCD   ", 1, "", "", "", "", "Screens"),
              0);
    EXPECT_EQ(block->lObjectCount, 1);
    P31O2_FreePainterObjects(block.get());
    EXPECT_EQ(block->pObjects, nullptr);
}

TEST(Painter, SaveReportImageTakesTheDefaultAnswer)
{
    auto block = newBlock();
    char shown[256];
    SMSG_RedirectMsgs(shown, sizeof shown);
    EXPECT_EQ(P31O2_AskSaveReportImage(block.get(), 'Y'), 'Y');
    EXPECT_EQ(block->sReply, 'Y');
    EXPECT_EQ(P31O2_AskSaveReportImage(block.get(), 'N'), 'N');
    SMSG_RedirectMsgs(nullptr, 0);
    EXPECT_EQ(std::string(shown),
              "Save report image for VELMO Designer ? Yes\nSave report image for VELMO Designer ? No");
}

TEST(Progress, ThreadShowsStatusTextsUntilStopped)
{
    FFC_Set_Run_Mode(FFC_RUN_MODE_EDITOR);
    ASSERT_EQ(P31O2_sStartProgress(), 0);
    EXPECT_STREQ(P31O2_pszProgressText(), "Function Checking");
    P31O2_ShowStatusText("Pass 1 Started                          ", 40);
    std::string shown;
    for (int i = 0; i < 200 && shown != "Pass 1 Started                          "; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        shown = P31O2_pszProgressText();
    }
    EXPECT_EQ(shown, "Pass 1 Started                          ");
    P31O2_SendProgressStep(2, 3, 9);
    for (int i = 0; i < 200 && shown != "Pass 2 step 3 of 9"; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        shown = P31O2_pszProgressText();
    }
    EXPECT_EQ(shown, "Pass 2 step 3 of 9");
    P31O2_StopProgress();
    EXPECT_STREQ(P31O2_pszProgressText(), "");
    P31O2_StopProgress();  // stopping twice is harmless
    FFC_Set_Run_Mode(0);
}

}  // namespace
