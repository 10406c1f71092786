// The block stack's labels and the status text of a command: a CASE gives
// the nearest loop below it its continue and leave labels wherever that
// loop stands in the stack, the outermost place too; the line number of
// the status text loses at most three leading zeros.
#include "generator/core/gen_fixture.h"

#include "generator/core/output/command_state.h"

namespace gencore_test {
namespace {

class BlockLabels : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
    void push(int32_t line, bool loop, bool caseBlock, bool labels = false)
    {
        state.lLineNumber = line;
        P3109_PushBlock(loop, caseBlock, labels);
    }
    static std::string leave()
    {
        std::string out;
        P3109_MakeBreakContinueGoto(out, 'L');
        return out;
    }
    static std::string next()
    {
        std::string out;
        P3109_MakeBreakContinueGoto(out, 'C');
        return out;
    }
};

TEST_F(BlockLabels, ACaseLabelsTheLoopBelowItEvenAtTheBottomOfTheStack)
{
    P3109_State().sBlockDepth = -1;
    push(7, true, false);
    EXPECT_EQ(leave(), "break");
    EXPECT_EQ(next(), "continue");
    push(9, false, true);
    EXPECT_EQ(leave(), "goto Leave__7");
    EXPECT_EQ(next(), "goto Continue__7");
    /* a loop inside the case: its own break and continue; a case inside
       it labels that inner loop, not the outer one */
    push(11, true, false);
    EXPECT_EQ(leave(), "break");
    push(12, false, true);
    EXPECT_EQ(leave(), "goto Leave__11");
    P3109_PopBlock();
    P3109_PopBlock();
    EXPECT_EQ(leave(), "goto Leave__7");
}

TEST_F(BlockLabels, AStatusLineLosesAtMostThreeLeadingZeros)
{
    struct Case {
        int32_t line;
        const char* text;
    };
    const Case cases[] = {{0, "   0"}, {5, "   5"}, {40, "  40"}, {307, " 307"}, {1234, "1234"}, {10007, "   7"}};
    for (const Case& c : cases) {
        GEN_COMMAND_RECORD r;
        r.lLineNumber = c.line;
        std::memcpy(r.acName, "CHANGE    ", 10);
        EXPECT_EQ(P3109_CommandStatusText(r), std::string("Pass 3 : ") + c.text + " Command CHANGE    ") << c.line;
    }
}

}  // namespace
}  // namespace gencore_test
