// Field identification requests against a scripted painter: the values
// sent with WM_USER+6 and what each reply leaves in the design step.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dqov/runcontrol/painter.h"
#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"
#include "runcontrol/scripted_painter.h"

namespace {

using namespace layout::design;

class Identification : public ::testing::Test {
protected:
    std::unique_ptr<FFC_PAINT_STR> block = std::make_unique<FFC_PAINT_STR>();
    std::vector<int16_t> replies, sent;
    size_t next = 0;
    std::unique_ptr<ScriptedPainter> painter;

    void SetUp() override
    {
        std::memset(block.get(), 0, sizeof *block);
        painter = std::make_unique<ScriptedPainter>(block.get(), [this](FFC_PAINT_STR* p, unsigned request) {
            if (request != 6)
                return;
            sent.push_back(p->sRequestValue);
            p->sReply = next < replies.size() ? replies[next++] : int16_t(-1);
        });
    }
    void TearDown() override { painter.reset(); }

    static void Reset(DesignCommon& s, char identification)
    {
        s.identification = identification;
        std::memcpy(s.painterCommand, "XX  ", 4);
        std::memcpy(s.action, "  ", 2);
    }
    static std::string Command(const DesignCommon& s) { return std::string(s.painterCommand, 4); }
    static std::string Action(const DesignCommon& s) { return std::string(s.action, 2); }
};

TEST_F(Identification, ReportAcceptsNoDescriptionAndSends255AfterCancel)
{
    DesignCommon& s = ReportStep();
    s.paint = block.get();
    Reset(s, 'C');
    replies = {'D', -1, 'L'};
    QBIDEN_Report();
    EXPECT_EQ(s.identification, 'C') << "'D' is no report identification";
    EXPECT_EQ(Command(s), "XX  ");
    QBIDEN_Report();
    EXPECT_EQ(s.identification, 255);
    EXPECT_EQ(Command(s), "    ");
    EXPECT_EQ(Action(s), "  ") << "a cancel leaves the report action";
    QBIDEN_Report();
    EXPECT_EQ(s.identification, 'L');
    EXPECT_EQ(Command(s), "IC  ");
    EXPECT_EQ(Action(s), "RA");
    EXPECT_EQ(sent, (std::vector<int16_t>{'C', 'C', 255}));
}

TEST_F(Identification, ScreenAcceptsDescriptionAndResendsItsLetterAfterCancel)
{
    DesignCommon& s = ScreenStep();
    s.paint = block.get();
    Reset(s, 'C');
    replies = {'D', -1, 'X'};
    P3097_GetIdentification();
    EXPECT_EQ(s.identification, 'D');
    EXPECT_EQ(Command(s), "IC  ");
    EXPECT_EQ(Action(s), "RA");
    Reset(s, 'L');
    P3097_GetIdentification();
    EXPECT_EQ(s.identification, 'L');
    EXPECT_EQ(Command(s), "    ");
    EXPECT_EQ(Action(s), "RA");
    P3097_GetIdentification();
    EXPECT_EQ(s.identification, 'L') << "an unexpected reply changes nothing";
    EXPECT_EQ(Command(s), "    ");
    EXPECT_EQ(sent, (std::vector<int16_t>{'C', 'L', 'L'}));
}

}  // namespace
