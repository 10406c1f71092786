// The dqov tool on a copy of the sample environment: its output and its
// exit status for a clean job, an unknown function, a missing repository
// and bad arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "sample_env.h"

namespace {

TEST(Tool, ExitStatusTellsCleanFromCouldNotRun)
{
    SampleEnv env;
    const std::string where = env.toolArguments();

    ToolResult clean = RunTool("--generate " + where + " DEMOPRC DEMOMIN");
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
    ToolResult errors = RunTool("--generate " + where + " DEMOPRC BADFN");
    EXPECT_EQ(errors.status, 1) << errors.out;
    EXPECT_NE(errors.out.find("PRC1059"), std::string::npos) << errors.out;
    EXPECT_NE(errors.out.find("<RED>Job ended with result 1: "), std::string::npos) << errors.out;
    EXPECT_FALSE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/BADFN.C"));
    EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOPRC' AND OSTFMT = 'BADFN'"), "6");

    ToolResult unknown = RunTool(where + " DEMOPRC NOSUCH");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.out, "<RED>DCM9898 F Function NOSUCH of process DEMOPRC was not found in partition DEM.\r\n"
                           "<RED>Job ended with result 2: 1 error(s), 0 warning(s). The job could not run (run "
                           "driver result -1).\r\n");

    ToolResult noRepository =
        RunTool("--root " + env.root() + " --repository " + env.root() + "/none.db DEMOPRC DEMOMIN");
    EXPECT_EQ(noRepository.status, 2);
    EXPECT_EQ(noRepository.out.rfind("<RED>The repository " + env.root() + "/none.db cannot be opened", 0), 0u)
        << noRepository.out;

    EXPECT_EQ(RunTool(where + " ONLYONE").status, 2);
    EXPECT_EQ(RunTool(where + " --bogus DEMOPRC DEMOMIN").status, 2);
    EXPECT_EQ(RunTool("--help").status, 0);
}

TEST(Tool, CSharpIsAskedForWithGenerate)
{
    SampleEnv env;
    const std::string where = env.toolArguments();
    const std::string project = env.root() + "/X_VELMO/X_DEM/SOURCE/C#/DEMOMIN";

    /* C# is generated code: without --generate the request is refused before any job */
    ToolResult alone = RunTool("--csharp " + where + " DEMOPRC DEMOMIN");
    EXPECT_EQ(alone.status, 2);
    EXPECT_EQ(alone.out, "");
    EXPECT_FALSE(std::filesystem::exists(project));

    ToolResult csharp = RunTool("--generate --csharp " + where + " DEMOPRC DEMOMIN");
    EXPECT_EQ(csharp.status, 0) << csharp.out;
    EXPECT_NE(csharp.out.find("<GRN>Job ended with result 0: 0 error(s), "), std::string::npos) << csharp.out;
    for (const char* name :
         {"DEMOMIN.cs", "DEMOMIN.csproj", "DEMOMIN.sln", "DEMOMINSTG.cs", "Properties/AssemblyInfo.cs"})
        EXPECT_TRUE(std::filesystem::exists(project + "/" + name)) << name;
    EXPECT_TRUE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/DEMOMIN.C"));
}

}  // namespace
