// The inline indent of the command loop while the commands write their
// comment lines only: a block's body one step in, its closing command back
// at the opening's indent, an ELSE at the IF's indent with its body inside.
#include "gen_fixture.h"

namespace gencore_test {
namespace {

class BlockIndent : public GenFixture {
protected:
    std::string body()
    {
        generate();
        const std::string c = readFile(sourceDir() / "DEMOMIN.C");
        const size_t from = c.find("   /* FUNCTION");
        const size_t to = c.find("/* RETURN */ \r\n");
        if (from == std::string::npos || to == std::string::npos)
            return c;
        return c.substr(from, to + 15 - from);
    }
};

TEST_F(BlockIndent, ClosingCommandsReturnToTheOpeningIndent)
{
    testCommands() = {
        {"FUNCTION", {"FUNCTION OPTIONS(*DIRECT)"}, 1},
        {"IF", {"IF COND(A)"}, 2},
        {"CHANGE", {"CHANGE 1"}, 3},
        {"ELSE", {"ELSE"}, 4},
        {"CHANGE", {"CHANGE 2"}, 5},
        {"ENDIF", {"ENDIF"}, 6},
        {"DOWHILE", {"DOWHILE COND(B)"}, 7},
        {"IF", {"IF COND(C)"}, 8},
        {"CHANGE", {"CHANGE 3"}, 9},
        {"ENDIF", {"ENDIF"}, 10},
        {"ENDWHILE", {"ENDWHILE"}, 11},
        {"RETURN", {"RETURN"}, 12},
    };
    EXPECT_EQ(body(), "   /* FUNCTION OPTIONS(*DIRECT) */ \r\n"
                      "   /* IF COND(A) */ \r\n"
                      "      /* CHANGE 1 */ \r\n"
                      "   /* ELSE */ \r\n"
                      "      /* CHANGE 2 */ \r\n"
                      "   /* ENDIF */ \r\n"
                      "   /* DOWHILE COND(B) */ \r\n"
                      "      /* IF COND(C) */ \r\n"
                      "         /* CHANGE 3 */ \r\n"
                      "      /* ENDIF */ \r\n"
                      "   /* ENDWHILE */ \r\n"
                      "   /* RETURN */ \r\n");
    EXPECT_EQ(P3109_State().sBlockDepth, 0);
}

TEST_F(BlockIndent, DeepNestingStopsIndentingAfterTwelveLevelsAndUnwinds)
{
    testCommands().push_back({"FUNCTION", {"FUNCTION OPTIONS(*DIRECT)"}, 1});
    for (int i = 0; i < 14; ++i)
        testCommands().push_back({"IF", {"IF " + std::to_string(i)}, 2 + i});
    testCommands().push_back({"CHANGE", {"CHANGE X"}, 20});
    for (int i = 0; i < 14; ++i)
        testCommands().push_back({"ENDIF", {"ENDIF"}, 21 + i});
    testCommands().push_back({"RETURN", {"RETURN"}, 40});
    const std::string text = body();
    /* 3 columns of the body plus 12 steps of 3, never more */
    EXPECT_NE(text.find("\r\n" + std::string(39, ' ') + "/* CHANGE X */ \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n" + std::string(39, ' ') + "/* IF 13 */ \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   /* ENDIF */ \r\n   /* RETURN */ \r\n"), std::string::npos) << text;
    EXPECT_EQ(P3109_State().out.sDepth, 0);
}

} // namespace
} // namespace gencore_test
