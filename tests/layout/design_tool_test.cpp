// The dqov tool with the painter scripts of samples/painter: a session that
// runs to its end shows the commands it rewrote; a script that ends early
// ends the session and the tool reports it could not run.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "runcontrol/sample_env.h"

namespace {

struct Ran {
    int status;
    std::string out;
};

Ran Tool(const SampleEnv &env, const std::string &args)
{
    const std::string cmd = std::string(DQOV_TOOL_PATH) + " --root " + env.root() + " --repository " +
                            env.repository() + " " + args + " 2>&1";
    Ran r{-1, {}};
    FILE *p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

std::string Script(const char *name)
{
    return std::string(DQOV_SOURCE_DIR) + "/samples/painter/" + name;
}

TEST(DesignTool, ScreenSessionShowsTheRewrittenCommand)
{
    SampleEnv env;
    const Ran r = Tool(env, "--design-screens " + Script("screen-session.txt") + " DEMODSN DSNPOP");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("painter: asked command \"PLEN\"; answered: command PMIN"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("The design session rewrote these commands:"), std::string::npos);
    EXPECT_NE(r.out.find("  component 19902: 12"), std::string::npos);
    EXPECT_NE(env.queryOutside("SELECT COUNT(*) FROM QV_F85 WHERE X85FMT = 'DSNPOP'"), "0") << "committed";
}

TEST(DesignTool, ReportSessionShowsTheRewrittenCommand)
{
    SampleEnv env;
    const Ran r = Tool(env, "--design-reports " + Script("report-session.txt") + " DEMODSN DSNRPT");
    EXPECT_NE(r.out.find("  component 38301: 002"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("  component 9401: ((#ORDREF *L001 *P002 )"), std::string::npos);
}

TEST(DesignTool, ScriptThatEndsEarlyMeansTheToolCouldNotRun)
{
    SampleEnv env;
    const std::string path = env.root() + "/short.txt";
    std::ofstream(path) << "screen 1\ncommand M\n";
    const Ran r = Tool(env, "--design-screens " + path + " DEMODSN DSNPOP");
    EXPECT_EQ(r.status, 2) << r.out;
    EXPECT_NE(r.out.find("The painter script has no reply left for WM_USER+1 (command \"MS  \")."),
              std::string::npos)
        << r.out;
    EXPECT_EQ(env.queryOutside("SELECT COUNT(*) FROM QV_F85 WHERE X85FMT = 'DSNPOP'"), "0");
    std::ofstream(path) << "screen 1\ncommand \"M\n";
    const Ran bad = Tool(env, "--design-screens " + path + " DEMODSN DSNPOP");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.out.find("Line 2 of the painter script cannot be read: a quoted text is not closed."),
              std::string::npos)
        << bad.out;
}

}  // namespace
