// The dqov tool with the painter scripts of samples/painter: a session that
// runs to its end shows the commands it rewrote; a script that ends early
// ends the session and the tool reports it could not run.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "runcontrol/painter_script.h"
#include "runcontrol/sample_env.h"

namespace {

ToolResult Tool(const SampleEnv& env, const std::string& args)
{
    return RunTool(env.toolArguments() + " " + args, true);
}

std::string Script(const char* name)
{
    return std::string(DQOV_SOURCE_DIR) + "/samples/painter/" + name;
}

TEST(DesignTool, ScreenSessionShowsTheRewrittenCommand)
{
    SampleEnv env;
    const ToolResult r = Tool(env, "--design-screens " + Script("screen-session.txt") + " DEMODSN DSNPOP");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("painter: asked command \"PLEN\"; answered: command PMIN"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("The design session rewrote these commands:"), std::string::npos);
    EXPECT_NE(r.out.find("  component 19902: 12"), std::string::npos);
    EXPECT_NE(env.queryOutside("SELECT COUNT(*) FROM QV_F85 WHERE X85FMT = 'DSNPOP'"), "0") << "committed";
}

TEST(DesignTool, ReportSessionShowsTheRewrittenCommand)
{
    SampleEnv env;
    const ToolResult r = Tool(env, "--design-reports " + Script("report-session.txt") + " DEMODSN DSNRPT");
    EXPECT_NE(r.out.find("  component 38301: 002"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  component 9401: ((#ORDREF *L001 *P002 )"), std::string::npos);
}

TEST(DesignTool, ScriptThatEndsEarlyMeansTheToolCouldNotRun)
{
    SampleEnv env;
    const std::string path = env.root() + "/short.txt";
    std::ofstream(path) << "screen 1\ncommand M\n";
    const ToolResult r = Tool(env, "--design-screens " + path + " DEMODSN DSNPOP");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("The painter script has no reply left for WM_USER+1 (command \"MS  \")."), std::string::npos)
        << r.out;
    EXPECT_EQ(env.queryOutside("SELECT COUNT(*) FROM QV_F85 WHERE X85FMT = 'DSNPOP'"), "0");
    // the closing line states the result the tool ends with
    EXPECT_NE(r.out.find("<RED>Job ended with result 2: 0 error(s), 0 warning(s). The design session ended early; "
                         "nothing of it was kept."),
              std::string::npos)
        << r.out;
    std::ofstream(path) << "screen 1\ncommand \"M\n";
    const ToolResult bad = Tool(env, "--design-screens " + path + " DEMODSN DSNPOP");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("Line 2 of the painter script cannot be read: a quoted text is not closed."),
              std::string::npos)
        << bad.out;
}

}  // namespace

namespace {

TEST(DesignTool, LinesOfWhiteSpaceOnlyAreBlankLines)
{
    // a vertical tab or a form feed alone on a line once ended the tool
    for (const char* text : {"\v\n", "\f\n", "screen 1\n\v\f \t\r\n"}) {
        std::string error;
        EXPECT_NE(painter::PainterScript::Parse(text, error), nullptr) << error;
        EXPECT_EQ(error, "");
    }
}

}  // namespace
