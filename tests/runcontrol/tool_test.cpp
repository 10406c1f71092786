// The dqov tool on a copy of the sample environment: its output and its
// exit status for a clean job, an unknown function, a missing repository
// and bad arguments.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "sample_env.h"
#include "support/files.h"

namespace {

using testsupport::readFile;

TEST(Tool, ExitStatusTellsCleanFromCouldNotRun)
{
    SampleEnv env;
    const std::string where = env.toolArguments();

    ToolResult clean = runTool("--generate " + where + " DEMOPRC DEMOMIN");
    EXPECT_EQ(clean.status, 0) << clean.out;
    EXPECT_NE(clean.out.find("<BLU>VELMO Full Function Checker (FFC) Invoked"), std::string::npos) << clean.out;
    EXPECT_NE(clean.out.find("<GRN>VELMO Generator Ended Normally"), std::string::npos) << clean.out;
    const std::string tail =
        "<GRN>PRC0010 I Checking ended: 0000000 fatal error(s) and 0000000 warning(s) were found.\r\n"
        "<GRN>PRC0011 I Function checked: 0000000 fatal error(s), 0000000 warning(s).\r\n"
        "<GRN>Job ended with result 0: 0 error(s), 0 warning(s).\r\n";
    ASSERT_GE(clean.out.size(), tail.size());
    EXPECT_EQ(clean.out.substr(clean.out.size() - tail.size()), tail);
    EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOPRC' AND OSTFMT = 'DEMOMIN'"), "7");
    for (const char* ext : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_TRUE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/DEMOMIN" + ext)) << ext;

    // A function with an unknown command: the job runs, finds the error and
    // generates nothing.
    ASSERT_TRUE(env.execOutside("INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES ('DEM', "
                                "'DEMOPRC', 'BADFN', '', 'N', 'Y');"
                                "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
                                "('DEM', 'DEMOPRC', 'BADFN', 1, 'FUNCTION', 'OPTIONS(*DIRECT)'),"
                                "('DEM', 'DEMOPRC', 'BADFN', 2, 'FROBNICATE', ''),"
                                "('DEM', 'DEMOPRC', 'BADFN', 3, 'RETURN', '');"));
    ToolResult errors = runTool("--generate " + where + " DEMOPRC BADFN");
    EXPECT_EQ(errors.status, 1) << errors.out;
    EXPECT_NE(errors.out.find("PRC1059"), std::string::npos) << errors.out;
    EXPECT_NE(errors.out.find("<RED>Job ended with result 1: "), std::string::npos) << errors.out;
    EXPECT_FALSE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/BADFN.C"));
    EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOPRC' AND OSTFMT = 'BADFN'"), "6");

    ToolResult unknown = runTool(where + " DEMOPRC NOSUCH");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "<RED>DCM9898 F Function NOSUCH of process DEMOPRC was not found in partition DEM.\r\n"
                           "<RED>Job ended with result 2: 1 error(s), 0 warning(s). The job could not run (run "
                           "driver result -1).\r\n");

    ToolResult noRepository =
        runTool("--root " + env.root() + " --repository " + env.root() + "/none.db DEMOPRC DEMOMIN");
    EXPECT_EQ(noRepository.status, 2);
    EXPECT_EQ(noRepository.out.rfind("<RED>The repository " + env.root() + "/none.db cannot be opened", 0), 0u)
        << noRepository.out;

    EXPECT_EQ(runTool(where + " ONLYONE").status, 2);
    EXPECT_EQ(runTool(where + " --bogus DEMOPRC DEMOMIN").status, 2);
    EXPECT_EQ(runTool("--help").status, 0);
}

/* Without --root and --repository (nor their environment settings) the tool
   takes the sample environment in the folder "sample" beside itself, wherever
   it is started from: a copy of the tool beside a copy of the sample that
   holds a function the built sample lacks checks that function. */
TEST(Tool, TakesTheSampleEnvironmentBesideItself)
{
    SampleEnv env;
    ASSERT_TRUE(env.execOutside("INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES ('DEM', "
                                "'DEMOPRC', 'BESIDE', '', 'N', 'Y');"
                                "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
                                "('DEM', 'DEMOPRC', 'BESIDE', 1, 'FUNCTION', 'OPTIONS(*DIRECT)'),"
                                "('DEM', 'DEMOPRC', 'BESIDE', 2, 'FROBNICATE', ''),"
                                "('DEM', 'DEMOPRC', 'BESIDE', 3, 'RETURN', '');"));
    namespace fs = std::filesystem;
    const std::string bin = env.root() + "/../bin";
    fs::create_directories(bin + "/sample");
    fs::copy_file(testsupport::toolPath(), bin + "/dqov");
    fs::copy(env.root(), bin + "/sample/root", fs::copy_options::recursive);
    fs::copy_file(env.repository(), bin + "/sample/repository.db");

    const ToolResult r =
        testsupport::runCommand("cd / && env -u DQOV_ENV_ROOT -u DQOV_REPOSITORY " + bin + "/dqov DEMOPRC BESIDE");
    /* the function was found and checked: its unknown command is an error */
    EXPECT_EQ(r.status, 1) << r.out;
    EXPECT_NE(r.out.find("PRC1059"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("<RED>Job ended with result 1: "), std::string::npos) << r.out;
}

TEST(Tool, CSharpIsAskedForWithGenerate)
{
    SampleEnv env;
    const std::string where = env.toolArguments();
    const std::string project = env.root() + "/X_VELMO/X_DEM/SOURCE/C#/DEMOMIN";

    /* C# is generated code: without --generate the request is refused before any job */
    ToolResult alone = runTool("--csharp " + where + " DEMOPRC DEMOMIN");
    EXPECT_EQ(alone.status, 2);
    EXPECT_EQ(alone.out, "");
    EXPECT_FALSE(std::filesystem::exists(project));

    ToolResult csharp = runTool("--generate --csharp " + where + " DEMOPRC DEMOMIN");
    EXPECT_EQ(csharp.status, 0) << csharp.out;
    EXPECT_NE(csharp.out.find("<GRN>Job ended with result 0: 0 error(s), "), std::string::npos) << csharp.out;
    for (const char* name :
         {"DEMOMIN.cs", "DEMOMIN.csproj", "DEMOMIN.sln", "DEMOMINSTG.cs", "Properties/AssemblyInfo.cs"})
        EXPECT_TRUE(std::filesystem::exists(project + "/" + name)) << name;
    EXPECT_TRUE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/DEMOMIN.C"));
}

/* --zoph2 sets the run's ZOPH2 switch: the function's lists stand in the
   two-level list tables, a LONG_LIST list in the long layout and the other
   in the short one; without it in the one table of plain lists. */
TEST(Tool, Zoph2PutsTheListsIntoTheTwoLevelTables)
{
    SampleEnv env;
    const std::string where = env.toolArguments();
    const std::string c = env.root() + "/X_VELMO/X_DEM/SOURCE/DEFLIST.C";

    ToolResult two = runTool("--generate --zoph2 " + where + " DEMODEF DEFLIST");
    EXPECT_EQ(two.status, 0) << two.out;
    std::string text = readFile(c);
    EXPECT_NE(text.find("static X_LIST_1 FUNCTION_LIST_DEF [] = {"), std::string::npos) << text;
    EXPECT_NE(text.find("static X_LIST_2 FUNCTION_LIST_DEF_2 [] = {"), std::string::npos);
    EXPECT_NE(text.find("X_Create_List_Instances_2 (pX_Ids,"), std::string::npos);

    ToolResult plain = runTool("--generate " + where + " DEMODEF DEFLIST");
    EXPECT_EQ(plain.status, 0) << plain.out;
    text = readFile(c);
    EXPECT_NE(text.find("static struct X_LIST FUNCTION_LIST_DEF [] = {"), std::string::npos) << text;
    EXPECT_EQ(text.find("X_LIST_2"), std::string::npos);
    EXPECT_NE(runTool("--help").out.find("--zoph2"), std::string::npos);
}

}  // namespace
