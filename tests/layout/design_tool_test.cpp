// The dqov tool with the painter scripts of samples/painter: a session that
// runs to its end shows the commands it rewrote; a script that ends early
// ends the session and the tool reports it could not run.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "runcontrol/painter_script.h"
#include "runcontrol/sample_env.h"

namespace {

ToolResult Tool(const SampleEnv& env, const std::string& args)
{
    return runTool(env.toolArguments() + " " + args, true);
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

// The sessions of screen-edit.txt and report-edit.txt through the tool:
// the commands each rewrote, as worked out in design_edit_test.
TEST(DesignTool, EditSessionsShowTheCommandsTheyRewrote)
{
    SampleEnv env;
    const ToolResult screens = Tool(env, "--design-screens " + Script("screen-edit.txt") + " DEMODSN DSNEDT");
    EXPECT_EQ(screens.status, 0) << screens.out;
    for (const char* line : {"Command 1 GROUP_BY (written: GROUP_BY NAME(XG_DSNHDR) FIELDS(#ORDREF (#ORDCODE *HI)))",
                             "  component 9401: ((#ORDREF *L5 *P2 ) (#ORDCODE *L8 *P10 *HI ) )",
                             "  component 9401: ((#ORDREF *L5 *P2 *NOID *HI ) (#ORDCODE *L6 *P2 *DESC ) (#ORDQTY *L10 "
                             "*P40 ) (#DSNCMT *L12 *P2 ) )",
                             "  component 14101: ((*TMAP001 1 1))"})
        EXPECT_NE(screens.out.find(line), std::string::npos) << line;
    // the screen's text-map row: 133 bytes, the last a zero byte
    EXPECT_EQ(env.queryOutside("SELECT length(CAST(X85DTA AS BLOB)) || ' ' || hex(substr(CAST(X85DTA AS BLOB), 133)) "
                               "FROM QV_F85 WHERE X85FMT = 'DSNEDT'"),
              "133 00");

    const ToolResult report = Tool(env, "--design-reports " + Script("report-edit.txt") + " DEMODSN DSNREP");
    EXPECT_EQ(report.status, 0) << report.out;
    for (const char* line : {"  component 9401: ((#ORDREF *L001 *P002 ) (#ORDCODE *L001 *P023 *NOID ) (#ORDQTY *L001 "
                             "*P060 ) (#DSNCMT *L001 *P070 ) )",
                             "  component 38301: 002", "  component 38401: 001"})
        EXPECT_NE(report.out.find(line), std::string::npos) << line;
}

// The tool's options that fill the system definition: system flags, the
// double-byte code page and the extra key of designed screens.
TEST(DesignTool, SystemDefinitionOptionsChooseTheLayouts)
{
    SampleEnv env;
    ToolResult r = Tool(env, "--system-flag 33 DEMOSCR ORDWIDE");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("PRC0241 F Line 1 DISPLAY: Field ORDLONG"), std::string::npos) << r.out;
    r = Tool(env, "DEMOSCR ORDEDG");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.out.find("PRC0188 F Line 1 POP_UP"), std::string::npos) << r.out;
    EXPECT_EQ(Tool(env, "--system-flag 45 DEMOSCR ORDEDG").status, 0);
    EXPECT_EQ(Tool(env, "--double-byte 932 DEMOSCR ORDDBC").status, 0);
    for (const char* bad : {"--system-flag 0", "--system-flag 1000", "--system-flag x", "--double-byte 1252",
                            "--extra-key 25=Up", "--extra-key 2=Refresh", "--extra-key 02="})
        EXPECT_EQ(Tool(env, std::string(bad) + " DEMOSCR ORDACR").status, 2) << bad;

    // Mirrored: DSNLST's order reference (its description block 35 wide at
    // column 2) stands at column 80 + 2 - 2 - 35 = 45; the extra key leads
    // the legend and the message line is the image's last.
    r = Tool(env, "--system-flag 28 --extra-key 02=Refresh --design-screens " + Script("list-screen.txt") +
                      " DEMODSN DSNLST");
    EXPECT_EQ(r.status, 0) << r.out;
    auto at = [](size_t column, const std::string& text) {
        std::string line(80, ' ');
        return line.replace(column - 1, text.size(), text);
    };
    const std::string reference = at(45, "Order reference  . . . .~");
    const std::string legend = at(2, "F1=Help F2=Refresh F3=Exit F10=Actions F12=Cancel F14=Messages");
    for (const std::string& line : {reference, legend, std::string(80, 'M')})
        EXPECT_NE(r.out.find("  |" + line + "|"), std::string::npos) << line << r.out;
}

// A text to change is offered to the painter as it stands; the new text
// replaces it.
TEST(DesignTool, TextToChangeIsOfferedAsItStands)
{
    SampleEnv env;
    const std::string offered = "asked a text (now \"End of entry\"); answered: text \"Entry done\"";
    ToolResult r = Tool(env, "--design-screens " + Script("text-change.txt") + " DEMODSN DSNEDT");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find(offered), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("asked a text; answered: text \"End of entry\""), std::string::npos) << "a new text is blank";
    /* the screen shown after the change holds the new text */
    bool shown = false;
    std::istringstream lines(r.out);
    for (std::string line; std::getline(lines, line);)
        shown = shown || (line.find("  |") != std::string::npos && line.find("Entry done") != std::string::npos);
    EXPECT_TRUE(shown) << r.out;
}

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
