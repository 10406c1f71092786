// Generation definitions: the once-per-process loads (reloaded for another
// partition), built-in functions with their descriptors and defaults, the
// conditions and report slots from work records, and the fatal SQL path.
#include "generator/core/gen_fixture.h"

namespace gencore_test {
namespace {

using Definitions = GenFixture;

TEST_F(Definitions, LanguagesAreReloadedForAnotherPartition)
{
    exec("INSERT INTO QV_F60 (X60P_I, X60PLN, X60DBC, X60RLT, X60KLG, X60CHR, X60DLN) VALUES "
         "('XYZ', 'FRA', 'N', 'N', 'Francais', '1147 1252 ', 'N'),"
         "('XYZ', 'JPN', 'Y', 'N', 'Japanese', '5026 932  ', 'Y'),"
         "('XYZ', 'ARA', 'N', 'Y', 'Arabic', '420  1256 ', 'N')");
    P3109_LoadLanguages("DEM");
    const auto& p = P3109_ProcessDefinitions();
    ASSERT_EQ(p.languages.size(), 1u);
    EXPECT_EQ(p.languages[0].code, "ENG");
    EXPECT_EQ(p.languages[0].charset, "1140 1252");

    /* the default language (X60DLN 'Y') first, then by name */
    P3109_LoadLanguages("XYZ");
    ASSERT_EQ(p.languages.size(), 3u);
    EXPECT_EQ(p.languages[0].code, "JPN");
    EXPECT_EQ(p.languages[0].cDirection, 'D');
    EXPECT_EQ(p.languages[1].code, "ARA");
    EXPECT_EQ(p.languages[1].cDirection, 'R');
    EXPECT_EQ(p.languages[2].code, "FRA");
    EXPECT_EQ(p.languages[2].cDirection, 'L');

    /* the same partition again is not read again */
    exec("DELETE FROM QV_F60 WHERE X60P_I = 'XYZ'");
    P3109_LoadLanguages("XYZ");
    EXPECT_EQ(p.languages.size(), 3u);
    P3109_LoadLanguages("DEM");
    EXPECT_EQ(p.languages.size(), 1u);
}

TEST_F(Definitions, BuiltinFunctionsWithDescriptorsAndDefaults)
{
    exec("INSERT INTO QV_F47 (X47BIF, X47IDN, X47ARG, X47RET, X47SLR, X47DES, X47PGM) VALUES "
         "('GET_SYSTEM_VALUE', -401, 2, 1, 'N', 'System value', 'BIFSYS01X'),"
         "('CONCAT', 12, 3, 0, 'Y', 'Concatenate', 'BIFCAT'),"
         "('UD_MINE', 40, 0, 0, 'Y', '', 'UD_MINE'),"
         "('MINE_TOO', 42, 0, 0, 'Y', '', 'OV_MINE'),"
         "('UD_OTHER', 43, 0, 0, 'Y', '', 'OTHERPGM'),"
         "('MY_ROUND', 41, 0, 0, 'Y', '', 'DLL')");
    exec("INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48TYP, X48PLN, X48PDP, X48DFT) VALUES "
         "('CONCAT', 'A', 1, 'A', 10, 0, '''AB'''),"
         "('CONCAT', 'A', 2, 'A', 10, 0, '''ABCDEFGHI'),"
         "('CONCAT', 'A', 3, 'A', 5, 0, '*BLANKS'),"
         "('CONCAT', 'A', 0, 'A', 5, 0, 'ZERO'),"
         "('CONCAT', 'A', 51, 'A', 5, 0, 'BEYOND'),"
         "('GET_SYSTEM_VALUE', 'R', 1, 'N', 7, 2, '*ZERO'),"
         "('NO_SUCH_BIF', 'A', 1, 'A', 1, 0, '')");
    P3109_LoadBuiltinFunctions();
    const GEN_BIF_DEFINITION* sys = P3109_pFindBuiltinFunction("GET_SYSTEM_VALUE");
    ASSERT_NE(sys, nullptr);
    EXPECT_EQ(sys->cKind, 'R');
    EXPECT_EQ(sys->routine, "X_BuiltIn_R401");
    EXPECT_EQ(sys->cCall, 'Y');
    EXPECT_EQ(sys->program, "BIFSYS01");
    EXPECT_EQ(sys->returns[0].defaultValue, "0         ");
    EXPECT_EQ(sys->returns[0].sLength, 7);
    EXPECT_EQ(sys->returns[0].sDecimals, 2);

    const GEN_BIF_DEFINITION* cat = P3109_pFindBuiltinFunction("CONCAT");
    ASSERT_NE(cat, nullptr);
    EXPECT_EQ(cat->cKind, 'L');
    EXPECT_EQ(cat->routine, "X_BuiltIn_012");
    EXPECT_EQ(cat->cCall, 'N');
    EXPECT_EQ(cat->arguments[0].defaultValue, "AB        ");
    EXPECT_EQ(cat->arguments[1].defaultValue, "ABCDEFGHI ");
    EXPECT_EQ(cat->arguments[2].defaultValue, std::string(10, ' '));
    EXPECT_EQ(cat->arguments[3].cType, ' '); /* sequence 0 and 51 were ignored */
    /* the kind follows the program: a user's program (UD_, OV_), a user
       DLL entry (DLL), else a routine of the run time */
    EXPECT_EQ(P3109_pFindBuiltinFunction("UD_MINE")->cKind, 'U');
    EXPECT_EQ(P3109_pFindBuiltinFunction("MINE_TOO")->cKind, 'U');
    EXPECT_EQ(P3109_pFindBuiltinFunction("UD_OTHER")->cKind, 'L');
    EXPECT_EQ(P3109_pFindBuiltinFunction("MY_ROUND")->cKind, 'D');

    /* a later job keeps the definitions and clears only the used marks */
    const_cast<GEN_BIF_DEFINITION*>(cat)->cUsed = 'Y';
    exec("DELETE FROM QV_F47");
    P3109_LoadBuiltinFunctions();
    ASSERT_NE(P3109_pFindBuiltinFunction("CONCAT"), nullptr);
    EXPECT_EQ(P3109_pFindBuiltinFunction("CONCAT")->cUsed, 'N');
}

TEST_F(Definitions, ConditionsRenamesAndReportSlotsFromWorkRecords)
{
    writeRecord("DEF_COND", "ISACTIVE", "", {{36, "*YES"}});
    writeRecord("DEF_COND", "NOEVAL", "", {{36, "*NO "}});
    writeRecord("RENAMETO", std::string("OLDNAME   ") + std::string(10, ' ') + "#NEWNAME  ", "#QUAL", {});
    std::string drinf(200, ' ');
    writeRecord("$DRINF", "1", "", {{4, "PRTFILE   "}, {14, "          "}, {77, "P"}, {215, "*NONE     "}});
    setUp();
    const auto& d = P3109_Definitions();
    ASSERT_EQ(d.conditions.size(), 4u);
    EXPECT_EQ(d.conditions[0].name, "TRUE      ");
    EXPECT_EQ(d.conditions[1].name, "FALSE     ");
    EXPECT_EQ(d.conditions[2].name, "ISACTIVE  ");
    EXPECT_EQ(d.conditions[2].cEvaluate, 'Y');
    EXPECT_EQ(d.conditions[3].sNumber, 3);
    EXPECT_EQ(d.conditions[3].cEvaluate, 'N');
    EXPECT_EQ(P3109_pFindCondition("isactive")->sNumber, 2);
    EXPECT_EQ(P3109_pFindCondition("UNKNOWN"), nullptr);

    ASSERT_EQ(d.renames.size(), 1u);
    EXPECT_EQ(d.renames[0].first, "OLDNAME   ");
    EXPECT_EQ(d.renames[0].second, "NEWNAME   ");
    EXPECT_EQ(d.renames[0].third, "QUAL      ");

    EXPECT_EQ(d.reports[0].cKind, 'P');
    EXPECT_EQ(d.reports[0].names[0], "PRTFILE");
    EXPECT_EQ(d.reports[0].names[1], " ");
    EXPECT_EQ(d.reports[0].returnFields[0], "V_NOT_AVAILABLE");
    EXPECT_EQ(d.reports[1].cKind, 'N');
    EXPECT_EQ(d.reports[8].sNumber, 9);
    EXPECT_EQ(d.x20rcl, "L");
}

TEST_F(Definitions, SystemFlagsChooseTheSkeletonAndTheSwitches)
{
    writeRecord("SYSFLAGS", "", "", {{40, "Y"}, {38, "Y"}, {58, "Y"}, {62, "X"}});
    writeRecord("RCV_LIST", "LIST1", "", {});
    setUp();
    const auto& d = P3109_Definitions();
    EXPECT_EQ(d.cBuiltin, 'Y');
    EXPECT_EQ(d.cTrigger, 'N');
    EXPECT_EQ(d.cRcvList, 'Y');
    EXPECT_EQ(d.cRcvDs, 'N');
    EXPECT_EQ(P3109_State().cTargetNext, 'X');
    EXPECT_NE(P3109_State().files.bifSkeleton.find("FUN00026.S"), std::string::npos);
}

TEST_F(Definitions, MissingProcessRowIsAFatalSqlError)
{
    std::memcpy(state.acProcess, "NOPROC    ", 10);
    std::string err = expectFatal([&] { setUp(); });
    EXPECT_NE(err.find("Fatal SQL error identified as DC_P3109/QV_F20/A encountered."), std::string::npos) << err;
    EXPECT_NE(err.find("report it to your product vendor."), std::string::npos);
}

TEST_F(Definitions, StatementFailureNamesItsStep)
{
    SSQL_SetFailLocation("DC_P3109/QV_F60/B");
    std::string err = expectFatal([&] { setUp(); });
    SSQL_SetFailLocation(nullptr);
    EXPECT_NE(err.find("DC_P3109/QV_F60/B"), std::string::npos) << err;
}

TEST_F(Definitions, SetUpSeedsTheStaticListsAndBanners)
{
    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    testing::internal::CaptureStdout();
    setUp();
    std::string out = testing::internal::GetCapturedStdout();
    FFC_Set_Run_Mode(0);
    const std::string rule(80, '_');
    EXPECT_EQ(out.substr(0, 5 + 80 + 2), "<BLU>" + rule + "\r\n");
    EXPECT_NE(out.find("<BLU>VELMO C/C++ Code Translator Invoked   \r\n"), std::string::npos);
    EXPECT_NE(out.find("<BLU>Started : 14:30:05 "), std::string::npos) << out;
    EXPECT_NE(out.find("<BLU>Process : DEMOPRC Function : DEMOMIN\r\n"), std::string::npos) << out;
    EXPECT_EQ(P3109_CheckState()->lPass, 3);
    EXPECT_STREQ(ctx.szGenerationStamp, "20261206143005");
}

}  // namespace
}  // namespace gencore_test
