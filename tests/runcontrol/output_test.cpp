// Tools-mode lines with their colour tags, run modes and label numbers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"

namespace {

struct ToolsMode : ::testing::Test {
    void SetUp() override
    {
        FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
        P31O2_SetBaseColour(4);
    }
    void TearDown() override
    {
        FFC_Set_Run_Mode(0);
        P31O2_SetBaseColour(4);
    }
};

TEST_F(ToolsMode, RunModeTests)
{
    EXPECT_EQ(FFC_from_TOOLS(), 1);
    EXPECT_EQ(FFC_from_EDITOR(), 0);
    FFC_Set_Run_Mode(FFC_RUN_MODE_EDITOR);
    EXPECT_EQ(FFC_from_TOOLS(), 0);
    EXPECT_EQ(FFC_from_EDITOR(), 1);
}

TEST_F(ToolsMode, ColourTagsBySeverityAndBase)
{
    testing::internal::CaptureStdout();
    P31O2_SetBaseColour(3);
    FFC_TOOLS_Message("base three", -1);
    P31O2_SetSeverityColour(1);
    FFC_TOOLS_Message("fatal", -1);
    P31O2_SetSeverityColour(2);
    FFC_TOOLS_Message("warning", -1);
    P31O2_SetSeverityColour(3);
    FFC_TOOLS_Message("information", -1);
    P31O2_SetSeverityColour(0);
    FFC_TOOLS_Message("back to base", -1);
    P31O2_SetBaseColour(5);
    FFC_TOOLS_Message("green base", 5);
    P31O2_SetBaseColour(2);
    P31O2_ShowStatusText("Pass 3 Code Generation Phase Started    ", 40);
    P31O2_SetBaseColour(1);
    P31O2_IssueText("plain text");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "<BLU>base three\r\n"
                                                      "<RED>fatal\r\n"
                                                      "<BRN>warning\r\n"
                                                      "<GRN>information\r\n"
                                                      "<BLU>back to base\r\n"
                                                      "<GRN>green\r\n"
                                                      "<BRN>Pass 3 Code Generation Phase Started    \r\n"
                                                      "<RED>plain text\r\n");
}

TEST_F(ToolsMode, StatusTextOutsideToolsModeWritesNothingToStandardOutput)
{
    FFC_Set_Run_Mode(FFC_RUN_MODE_EDITOR);
    testing::internal::CaptureStdout();
    P31O2_ShowStatusText("Loading BIF definitions (Part 1)        ", 40);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// A status line shows its first `length` characters, routed by run mode:
// tools mode on standard output, the message-service mode as message 180.
TEST_F(ToolsMode, StatusTextShowsItsFirstLengthCharactersByRunMode)
{
    testing::internal::CaptureStdout();
    P31O2_ShowStatusText("Loading BIF definitions (Part 1)        and more", 40);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "<BLU>Loading BIF definitions (Part 1)        \r\n");

    FFC_Set_Run_Mode(FFC_RUN_MODE_SERVICE);
    char shown[256];
    SMSG_RedirectMsgs(shown, sizeof shown);
    testing::internal::CaptureStdout();
    P31O2_ShowStatusText("Pass 1 Checking Phase Started           and more", 39);
    std::string out = testing::internal::GetCapturedStdout();
    SMSG_RedirectMsgs(nullptr, 0);
    EXPECT_EQ(out, "");
    EXPECT_NE(std::string(shown).find("Pass 1 Checking Phase Started          "), std::string::npos) << shown;
    EXPECT_EQ(std::string(shown).find("and more"), std::string::npos) << shown;
}

// Control bytes of a line (below 0x20, and 0x7F) are shown as \xNN wherever
// they stand, one after another too; the bytes between them, and bytes from
// 0x80 up, stand as they are.
TEST_F(ToolsMode, ControlBytesAreShownAsHexPairs)
{
    testing::internal::CaptureStdout();
    const char text[] = "\x1b" "ab\tc\x7f\x01\x1f" "d\xe9\x1b";
    FFC_TOOLS_Message(text, static_cast<int16_t>(sizeof text - 1));
    FFC_TOOLS_Message("no control bytes at all", -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "<BLU>\\x1Bab\\x09c\\x7F\\x01\\x1Fd\xe9\\x1B\r\n"
              "<BLU>no control bytes at all\r\n");
}

// The run messages listed at the end of a job in tools mode: one line each
// in the colour of its severity, "ID S Line N COMMAND: text" (a message of
// no line without its line part), control bytes of the text shown visibly.
TEST_F(ToolsMode, RunMessagesAreListedOneLineEachWithTheirBytesVisible)
{
    FFC_CONTEXT ctx{};
    auto add = [&](uint32_t line, char severity, const char* command, const char* text) {
        FFC_CHECK_MESSAGE m;
        std::memset(&m, ' ', sizeof m);
        m.ulLine = line;
        m.cSeverity = severity;
        std::memcpy(m.acCommand, command, std::strlen(command));
        std::memcpy(m.acText, text, std::strlen(text));
        ASSERT_EQ(RS_sAddRunMessage(&ctx, &m), 0);
    };
    add(5, 'W', "CHANGE", "a\x1b" "b\tc\x7f  ");
    add(0, ' ', "", "no line");
    add(12, 'F', "", "\x01");
    testing::internal::CaptureStdout();
    P31O2_ListRunMessages(&ctx, nullptr, nullptr, nullptr, nullptr, nullptr);
    FFC_TOOLS_Message("after the list", -1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "<BRN> W Line 5 CHANGE: a\\x1Bb\\x09c\\x7F\r\n"
                                                      "<RED> F Line 12: \\x01\r\n"
                                                      "<GRN> I no line\r\n"
                                                      "<BLU>after the list\r\n");
    P31O2_FreeRunContext(&ctx);
}

TEST(LabelNumbers, PushPopAndReset)
{
    FFC_CONTEXT ctx{};
    P31O2_SetCurrentRunContext(&ctx);
    EXPECT_EQ(P31O2_ulPushLabelNumber(&ctx), 1u);
    EXPECT_EQ(P31O2_ulPushLabelNumber(&ctx), 2u);
    for (uint32_t i = 3; i <= 40; ++i)
        EXPECT_EQ(P31O2_ulPushLabelNumber(&ctx), i);
    EXPECT_EQ(P31O2_ulPopLabelNumber(&ctx), 39u);
    EXPECT_EQ(P31O2_ulPushLabelNumber(&ctx), 41u) << "numbers are never reused";
    EXPECT_EQ(ctx.ulLabelNumber, 41u);
    EXPECT_EQ(P31O2_ResetLabelNumbers(), 0u);
    EXPECT_EQ(P31O2_ulPushLabelNumber(&ctx), 1u);
    EXPECT_EQ(P31O2_ulPopLabelNumber(&ctx), 0u);
    EXPECT_EQ(P31O2_ulPopLabelNumber(&ctx), 0u) << "popping an empty stack is harmless";
    P31O2_SetCurrentRunContext(nullptr);
    P31O2_FreeRunContext(&ctx);
}

}  // namespace
