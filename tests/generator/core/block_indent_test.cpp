// The inline indent of the command loop: a block's body one step in, its
// closing command back at the opening's indent; past twelve levels the
// indent stays and unwinds in step.
#include "gen_fixture.h"

namespace gencore_test {
namespace {

class BlockIndent : public GenFixture {
protected:
    std::string body()
    {
        generate();
        const std::string c = readFile(sourceDir() / "DEMOMIN.C");
        const size_t from = c.find("   // FUNCTION");
        const size_t to = c.find("// RETURN  \r\n");
        if (from == std::string::npos || to == std::string::npos)
            return c;
        return c.substr(from, to + 15 - from);
    }
};

TEST_F(BlockIndent, ClosingCommandsReturnToTheOpeningIndent)
{
    testCommands() = {
        {"FUNCTION", {"FUNCTION OPTIONS(*DIRECT)"}, 1},
        {"SELECT", {"SELECT FIELDS(#A)"}, 2},
        {"LEAVE", {"LEAVE"}, 3},
        {"ENDSELECT", {"ENDSELECT"}, 4},
        {"RETURN", {"RETURN"}, 5},
    };
    const std::string text = body();
    /* the loop body inside the SELECT's two blocks, ENDSELECT's last brace
       back at the SELECT's indent */
    EXPECT_NE(text.find("\r\n         // LEAVE  \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   } \r\n   \r\n   // \r\n   // RETURN  \r\n"), std::string::npos) << text;
    EXPECT_EQ(P3109_State().sBlockDepth, 0);
    EXPECT_EQ(P3109_State().out.sDepth, 0);
}

TEST_F(BlockIndent, DeepNestingStopsIndentingAfterTwelveLevelsAndUnwinds)
{
    testCommands().push_back({"FUNCTION", {"FUNCTION OPTIONS(*DIRECT)"}, 1});
    for (int i = 0; i < 14; ++i)
        testCommands().push_back({"IF", {"IF " + std::to_string(i)}, 2 + i});
    testCommands().push_back({"EXIT", {"EXIT"}, 20});
    for (int i = 0; i < 14; ++i)
        testCommands().push_back({"ENDIF", {"ENDIF"}, 21 + i});
    testCommands().push_back({"RETURN", {"RETURN"}, 40});
    const std::string text = body();
    /* 3 columns of the body plus 12 steps of 3, never more */
    EXPECT_NE(text.find("\r\n" + std::string(39, ' ') + "// EXIT  \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n" + std::string(39, ' ') + "// IF 13 \r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n   } \r\n   \r\n   // \r\n   // RETURN  \r\n"), std::string::npos) << text;
    EXPECT_EQ(P3109_State().out.sDepth, 0);
}

}  // namespace
}  // namespace gencore_test
