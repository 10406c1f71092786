// The output driver end to end on the sample environment: the generated
// file set of DEMOMIN from the sample skeletons, the command loop's comment
// lines and routine work file, the repository update, and the abort path.
#include "generator/core/gen_fixture.h"

#include "generator/core/points/command_loop.h"

namespace gencore_test {
namespace {

class OutputDriver : public GenFixture {
protected:
    std::string generated(const char* suffix) { return readFile(sourceDir() / (std::string("DEMOMIN") + suffix)); }
    bool exists(const char* suffix) { return std::filesystem::exists(sourceDir() / (std::string("DEMOMIN") + suffix)); }
    std::string sp1()
    {
        return queryText("SELECT X23SP1 || '|' FROM QV_F23 WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'");
    }

    void sampleCommands()
    {
        testCommands() = {
            {"FUNCTION", {"FUNCTION OPTIONS(*DIRECT)"}, 1},
            {"SELECT", {"SELECT FIELDS(#CUSTNO) FROM_FILE(CUSTMST)"}, 2},
            {"ENDSELECT", {"ENDSELECT"}, 3},
            {"EXECUTE", {"EXECUTE SUBROUTINE(TOTALS)"}, 4},
            {"SELECT_SQL", {"SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST)"}, 5},
            {"ENDSELECT", {"ENDSELECT"}, 6},
            {"RETURN", {"RETURN"}, 7},
            {"SUBROUTINE", {"SUBROUTINE NAME(TOTALS)"}, 8},
            {"CHANGE", {"CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 1') /* a */"}, 9},
            {"ENDROUTINE", {"ENDROUTINE"}, 10},
            {"SELECT", {"SELECT FIELDS(#CUSTNO) FROM_FILE(CUSTMST)"}, 11},
            {"ENDSELECT", {"ENDSELECT"}, 12},
        };
    }
};

TEST_F(OutputDriver, WritesTheFileSetFromTheSkeletons)
{
    sampleCommands();
    generate();
    EXPECT_EQ(state.stats.lFatalLater, 0);
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_TRUE(exists(s)) << s;
    for (const char* s : {".SBR", ".RPT", ".DDC"})
        EXPECT_FALSE(exists(s)) << s;

    const std::string c = generated(".C");
    EXPECT_NE(c.find("/*  Function  : DEMOMIN                                              */  \r\n"),
              std::string::npos)
        << c;
    EXPECT_NE(c.find("#include \"DEMOMIN.H\" \r\n"), std::string::npos);
    EXPECT_NE(c.find("#define X_PARTITION_ID      \"dem\"  \r\n"), std::string::npos);
    EXPECT_NE(c.find("#define X_GENERATED_AT      \"20261206143005\" \r\n"), std::string::npos);
    EXPECT_NE(c.find("#define X_FUNCTION_NAME     \"DEMOMIN\"  \r\n"), std::string::npos);
    EXPECT_EQ(c.find("X_COMPONENT_MODULE"), std::string::npos);
    EXPECT_EQ(c.find("%%IF"), std::string::npos);
    EXPECT_NE(c.find("X_VOID_FUNCTION DEMOMIN( FUNCTION_STD_ARGS ) \r\n"), std::string::npos);
    /* two SELECT and one SELECT_SQL counted by the first command run */
    EXPECT_NE(c.find("   X_SHORT sCursorLimit = 3   ;  \r\n"), std::string::npos) << c;
    /* the static initialisers of list 0 at the point's column */
    EXPECT_NE(c.find("\r\n   INSTANCE(ulStructureSize) = sizeof( struct FUNCTION_STATIC_GLOBAL_1 );\r\n"),
              std::string::npos);
    /* the first-time block of point 90 */
    EXPECT_NE(c.find("   { \r\n      static X_BOOL \r\n         bFirstTime = TRUE; \r\n"), std::string::npos) << c;
    /* the commands, main body at indent 3, routines appended at the end */
    EXPECT_NE(c.find("   // FUNCTION OPTIONS(*DIRECT) \r\n"), std::string::npos);
    EXPECT_NE(c.find("      // SELECT FIELDS(#CUSTNO) FROM_FILE(CUSTMST) \r\n"), std::string::npos);
    const size_t routine = c.find("// SUBROUTINE NAME(TOTALS) \r\n");
    ASSERT_NE(routine, std::string::npos);
    EXPECT_GT(routine, c.find("100%% of it comes from the skeleton."));
    /* a comment end in the source cannot end the generated comment */
    EXPECT_NE(c.find("// CHANGE FIELD(#WRKCNT) TO('#WRKCNT + 1') /* a */ \r\n"), std::string::npos) << c;
    EXPECT_NE(c.find("   // ENDROUTINE \r\n"), std::string::npos) << c.substr(routine);

    EXPECT_EQ(generated(".H").substr(0, 74),
              "/* ================================================================= */ \r\n");
    const std::string stg = generated(".STG");
    EXPECT_NE(
        stg.find("typedef struct FUNCTION_STATIC_GLOBAL_1\r\n{\r\n   X_ULONG ulStructureSize;\r\n"
                 "   struct X_UIM * pX_UIM;\r\n   X_LONG lEntryCount;\r\n   struct X_FKEY X_FKey[X_FKEY_TOTAL];\r\n"),
        std::string::npos)
        << stg;
    EXPECT_NE(stg.find("#include \"x_strpck.h\" \r\n"), std::string::npos);
    const std::string rc = generated(".RC");
    EXPECT_EQ(rc.rfind("  \r\n   /* ------------------------------------- */ \r\n"
                       "   /* *** Start of Resource Definitions *** */ \r\n"
                       "   /* ------------------------------------- */ \r\n  \r\n",
                       0),
              0u);
    /* the version block of DEMOMIN's version data lies between the boxes */
    const size_t version = rc.find("     \r\n     \r\n     1 VERSIONINFO\r\n     FILEVERSION     1,0,0,0\r\n");
    EXPECT_NE(version, std::string::npos) << rc;
    EXPECT_LT(version, rc.find("*** End of Resource Definitions ***"));
    /* the literals of the language table and of the function's description */
    using namespace std::string_literals;
    EXPECT_EQ(generated(".TXT"),
              "0\0U_LANGUAGE_TEXT_1\0ENG\0ENG\0\r\n0\0U_FUNCDESC_TEXT_2\0Smallest function\0ENG\0\r\n"s);
    const std::string pgm = generated(".PGM");
    EXPECT_NE(pgm.find("#define X_BIF_PROGRAM_NAME  \"demomin.pgm\" \r\n"), std::string::npos) << pgm;
    EXPECT_EQ(pgm.find("X_BIF_LEVEL_TWO"), std::string::npos);

    /* X23SP1: blanks to 13 characters, then the four digits */
    EXPECT_EQ(sp1(), std::string(13, ' ') + "0000|");
    EXPECT_EQ(queryText("SELECT X23SQL || X23APM FROM QV_F23 WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'"), "YY");
}

TEST_F(OutputDriver, OptionValueAndValidationFlagsGoToTheRepository)
{
    exec("UPDATE QV_F23 SET X23SP1 = 'abcde' WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'");
    const uint16_t value = 37;
    std::string bytes(2, '\0');
    std::memcpy(bytes.data(), &value, 2);
    writeRecord("SYSFLAGS", "", "", {{52, bytes}, {39, "Y"}});
    generate();
    EXPECT_EQ(sp1(), "abcde        0037|");
    EXPECT_EQ(queryText("SELECT X23APM FROM QV_F23 WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'"), "N");
    EXPECT_TRUE(exists(".PGM"));
    EXPECT_NE(generated(".PGM").find("/*  System variable program of function DEMOMIN"), std::string::npos);
}

TEST_F(OutputDriver, AbortRemovesEveryFileAndLeavesTheRepository)
{
    sampleCommands();
    writeFile(sourceDir() / "DEMOMIN.UTW", "stale");
    writeFile(sourceDir() / "DEMOMIN.DDC", "stale");
    writeFile(sourceDir() / "DEMOMIN.DLL", "old object");
    const std::string before = sp1();
    state.stats.lFatalLater = 1;
    generate();
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM", ".SBR", ".RPT", ".UTW", ".DDC", ".DLL"})
        EXPECT_FALSE(exists(s)) << s;
    EXPECT_EQ(sp1(), before);
    EXPECT_EQ(queryText("SELECT X23APM FROM QV_F23 WHERE X23MOD = 'DEMOPRC' AND X23FMT = 'DEMOMIN'"), "Y");
}

TEST_F(OutputDriver, FatalMessageDuringGenerationRemovesTheCSharpSetToo)
{
    ctx.cCSharp = 'Y';
    /* a CASE over a field the program does not have is a fatal message of
    ** the later passes */
    testCommands() = {{"CASE", {"CASE OF_FIELD(#NOSUCH)"}, 1}, {"ENDCASE", {"ENDCASE"}, 2}};
    generate();
    EXPECT_EQ(state.stats.lFatalLater, 1);
    for (const char* s : {".C", ".H", ".STG", ".RC", ".TXT", ".PGM"})
        EXPECT_FALSE(exists(s)) << s;
    EXPECT_TRUE(std::filesystem::exists(sourceDir() / "C#"));
    EXPECT_FALSE(std::filesystem::exists(sourceDir() / "C#" / "DEMOMIN"));
    EXPECT_EQ(sp1(), "|");
}

TEST_F(OutputDriver, UnknownCommandIsAnInternalError)
{
    testCommands() = {{"NOSUCHCMD", {"NOSUCHCMD"}, 1}};
    std::string err = expectFatal([&] { generate(); });
    EXPECT_NE(err.find("Unknown Command encountered Please record details of this error"), std::string::npos) << err;
}

TEST_F(OutputDriver, FreeSpaceLimits)
{
    setUp();
    P3109_CheckFreeSpace(10485760, 'C');
    EXPECT_EQ(state.stats.lWarningsLater, 0);
    P3109_CheckFreeSpace(2097152, 'C');
    EXPECT_EQ(state.stats.lWarningsLater, 1);
    EXPECT_EQ(state.stats.lFatalLater, 0);
    P3109_CheckFreeSpace(2097151, 'C');
    EXPECT_EQ(state.stats.lFatalLater, 1);

    /* the two limits were reported as DCM9992 with the formatted text */
    EXPECT_EQ(issuedMessages(), (std::vector<std::string>{
                                    "DCM9992 W WARNING : Available space on drive C: less than 10485760 bytes",
                                    "DCM9992 F ERROR : Available space on drive C: less than 2097152 bytes",
                                }));
}

TEST_F(OutputDriver, CheckerCountsStayInTheTotals)
{
    state.stats.lWarningsPass1 = 2;
    state.stats.lWarningsTotal = 2;
    generate();
    EXPECT_EQ(state.stats.lWarningsTotal, 2);
    EXPECT_EQ(state.stats.lFatalTotal, 0);
}

}  // namespace
}  // namespace gencore_test
