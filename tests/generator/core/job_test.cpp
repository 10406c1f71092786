// A whole job through the run driver: the checker's step, the generator's
// set-up and output driver on the sample function DEMOMIN, in tools mode.
#include "gen_fixture.h"

#include "checker/checker.h"
#include "checker/command_tables.h"
#include "dqov/run_driver.h"
#include "generator/core/run_steps.h"

namespace gencore_test {
namespace {

class Job : public GenFixture {
protected:
    FFC_SYSTEM_DEFINITION sys{};
    int32_t errors = 0, warnings = 0;

    void SetUp() override
    {
        GenFixture::SetUp();
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
        sys.pCommandNames = P3100_pParserCommandTable();
        FFC_RUN_SEAMS seams{};
        seams.pfnChecker = P3100_lRunCheckerStep;
        P3109_FillRunSeams(&seams);
        P31O2_SetRunSeams(&seams);
    }
    void TearDown() override
    {
        P31O2_SetRunSeams(nullptr);
        P3100_SetBuildHandle(nullptr);
        FFC_Set_Run_Mode(0);
        GenFixture::TearDown();
    }
    std::string run(const char* function, char option, int32_t& result, const char* process = "DEMOPRC")
    {
        FFC_RUN_REQUEST rq{};
        rq.pSystemDefinition = &sys;
        rq.pszProcess = process;
        rq.pszFunction = function;
        rq.cOption = option;
        rq.sRunMode = FFC_RUN_MODE_TOOLS;
        rq.plErrors = &errors;
        rq.plWarnings = &warnings;
        FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
        testing::internal::CaptureStdout();
        result = dc_p31o2(&rq);
        return testing::internal::GetCapturedStdout();
    }
};

TEST_F(Job, GenerateOptionWritesTheSampleFunctionsFileSet)
{
    int32_t result = -9;
    std::string out = run("DEMOMIN", 'G', result);
    EXPECT_EQ(result, 0) << out;
    EXPECT_EQ(errors, 0) << out;
    EXPECT_NE(out.find("VELMO C/C++ Code Translator Invoked"), std::string::npos) << out;
    EXPECT_NE(out.find("VELMO Generator Ended Normally"), std::string::npos) << out;
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_TRUE(std::filesystem::exists(sourceDir() / (std::string("DEMOMIN") + s))) << s;
    const std::string c = readFile(sourceDir() / "DEMOMIN.C");
    EXPECT_NE(c.find("   /* FUNCTION OPTIONS(*DIRECT) */ \r\n   /* RETURN */ \r\n"), std::string::npos) << c;
    EXPECT_EQ(queryText("SELECT length(X23SP1) FROM QV_F23 WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'"), "17");
}

TEST_F(Job, FunctionWithAnIncludeAndASubroutine)
{
    /* the message field the function uses, not in the sample dictionary */
    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC) VALUES ('DEM', 'IO$MSGTXT', 'A', 80, 0)");
    int32_t result = -9;
    std::string out = run("CUSTUPD", 'G', result);
    EXPECT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    const std::string c = readFile(sourceDir() / "CUSTUPD.C");
    /* the routine's lines come after the main body, from the routine work file */
    const size_t main = c.find("X_Return( X_STD_PARMS );");
    const size_t routine = c.find("SUBROUTINE NAME(CHKCRD)");
    ASSERT_NE(main, std::string::npos) << c;
    ASSERT_NE(routine, std::string::npos) << c;
    EXPECT_LT(main, routine);
    EXPECT_NE(c.find("EXECUTE SUBROUTINE(CHKCRD) WITH_PARMS(#CREDIT)"), std::string::npos);
    EXPECT_EQ(c.find("EXECUTE SUBROUTINE(CHKCRD)"), c.rfind("EXECUTE SUBROUTINE(CHKCRD)"));
}

TEST_F(Job, ComponentJobWritesItsFileSetAndUpdatesItsRow)
{
    /* a component of the plainest form, with its version data and its row */
    exec("INSERT INTO QV_OCS (XCSP_I, XCSCMP, XCSSEQ, XCSTXT) VALUES ('DEM', 'PLAINCOMP', 1, 'BEGIN_COM'), "
         "('DEM', 'PLAINCOMP', 2, '* nothing but a comment'), ('DEM', 'PLAINCOMP', 3, 'END_COM')");
    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES "
         "('DEM', 'PLAINCOMP', 'X', 0, 0, '')");
    int32_t result = -9;
    std::string out = run("*COMP", 'G', result, "PLAINCOMP");
    EXPECT_EQ(result, 0) << out;
    ASSERT_EQ(errors, 0) << out;
    EXPECT_NE(out.find("Component : PLAINCOMP"), std::string::npos) << out;
    EXPECT_NE(out.find("VELMO Generator Ended Normally"), std::string::npos) << out;
    /* the component has no module identifier: its name names the files */
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_TRUE(std::filesystem::exists(sourceDir() / (std::string("PLAINCOM") + s))) << s;
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / ".C"));
    const std::string c = readFile(sourceDir() / "PLAINCOM.C");
    EXPECT_NE(c.find("/*  Component : PLAINCOM                                             */  \r\n"),
              std::string::npos) << c;
    EXPECT_EQ(c.find("Function  :"), std::string::npos);
    /* the component's lines as comments, from the checker's source-line list */
    EXPECT_NE(c.find("   /* BEGIN_COM */ \r\n   /* * nothing but a comment */ \r\n   /* END_COM */ \r\n"),
              std::string::npos) << c;
    /* blank-padded to 23, the SQL indicator 'N', the four digits, length 29 */
    EXPECT_EQ(queryText("SELECT X03SP1 || '|' FROM QV_F03 WHERE X03P_I = 'DEM' AND X03FLD = 'PLAINCOMP'"),
              std::string(23, ' ') + "N0000 |");
}

TEST_F(Job, CheckOnlyWritesNothing)
{
    int32_t result = -9;
    std::string out = run("DEMOMIN", 'C', result);
    EXPECT_EQ(result, 0) << out;
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / "DEMOMIN.C"));
    EXPECT_EQ(out.find("VELMO Generator"), std::string::npos);
}

} // namespace
} // namespace gencore_test
