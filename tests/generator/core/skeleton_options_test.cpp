// The lines of the function skeleton that the function's usage class, its
// FUNCTION options and its reports keep or drop (points 9, 31, 39, 107,
// 108, 122 to 126), in whole jobs on the DEMOSCR functions: a report
// function of a light-usage process as the sample has it, and a function
// of system-variable and field-validation options in the same process made
// heavy-usage.
#include "gen_fixture.h"

namespace gencore_test {
namespace {

class SkeletonOptions : public JobFixture {
protected:
    /* The head of the generated program: its lines up to the first
       #include. */
    std::string head(const char* function)
    {
        int32_t result = -9;
        const std::string out = run(function, 'G', result, "DEMOSCR");
        EXPECT_EQ(result, 0) << out;
        EXPECT_EQ(errors, 0) << out;
        const std::string c = readFile(sourceDir() / (std::string(function) + ".C"));
        return c.substr(0, c.find("#include"));
    }
    static bool has(const std::string& text, const std::string& define)
    {
        return text.find("#define " + define + " 1") != std::string::npos;
    }
};

TEST_F(SkeletonOptions, AReportFunctionOfALightProcessKeepsItsLines)
{
    const std::string h = head("ORDREPS");
    /* point 9: 40 blanks, no title text filled by the set-up */
    EXPECT_NE(h.find("/*  Title     : " + std::string(40, ' ') + "   */"), std::string::npos) << h;
    /* process usage class 'L', neither usage option given */
    EXPECT_TRUE(has(h, "X_FUNCTION_LIGHT_USAGE")) << h;
    EXPECT_FALSE(has(h, "X_FUNCTION_HEAVY_USAGE")) << h;
    /* the report is printed (PRINT ... ENDPRINT) */
    EXPECT_TRUE(has(h, "X_FUNCTION_PRINTS_REPORTS")) << h;
    /* none of the four options, no validation; option byte 19 unset */
    for (const char* d : {"X_FUNCTION_ALP_SYSTEM_VARIABLE", "X_FUNCTION_NUM_SYSTEM_VARIABLE",
                          "X_FUNCTION_ALP_FIELD_VALIDATE", "X_FUNCTION_NUM_FIELD_VALIDATE", "X_FUNCTION_VALIDATES"})
        EXPECT_FALSE(has(h, d)) << d;
    EXPECT_TRUE(has(h, "X_FUNCTION_OPTION_19_UNSET")) << h;
    /* a kept line loses its directive and the character after it */
    EXPECT_NE(h.find("\n     #define X_FUNCTION_LIGHT_USAGE 1"), std::string::npos) << h;
    EXPECT_NE(h.find("\n    #define X_FUNCTION_PRINTS_REPORTS 1"), std::string::npos) << h;
}

TEST_F(SkeletonOptions, TheFunctionOptionsKeepTheirOwnLines)
{
    exec("UPDATE QV_F20 SET X20RCL = 'H' WHERE X20P_I = 'DEM' AND X20MOD = 'DEMOSCR';"
         "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES "
         "('DEM', 'DEMOSCR', 'ORDOPT', '', 'N', 'Y'), ('DEM', 'DEMOSCR', 'ORDNUM', '', 'N', 'Y');"
         "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) VALUES "
         "('DEM', 'DEMOSCR', 'ORDOPT', 1, '', 'FUNCTION', "
         "'OPTIONS(*DIRECT *ALP_SYSTEM_VARIABLE *ALP_FIELD_VALIDATE)'),"
         "('DEM', 'DEMOSCR', 'ORDOPT', 2, '', 'CHANGE', 'FIELD(#ORDQTY) TO(1)'),"
         "('DEM', 'DEMOSCR', 'ORDOPT', 3, '', 'RETURN', ''),"
         "('DEM', 'DEMOSCR', 'ORDNUM', 1, '', 'FUNCTION', 'OPTIONS(*DIRECT *NUM_SYSTEM_VARIABLE *NUM_FIELD_VALIDATE)'),"
         "('DEM', 'DEMOSCR', 'ORDNUM', 2, '', 'RETURN', '');");
    std::string h = head("ORDOPT");
    EXPECT_TRUE(has(h, "X_FUNCTION_ALP_SYSTEM_VARIABLE")) << h;
    EXPECT_TRUE(has(h, "X_FUNCTION_ALP_FIELD_VALIDATE")) << h;
    EXPECT_FALSE(has(h, "X_FUNCTION_NUM_SYSTEM_VARIABLE")) << h;
    EXPECT_FALSE(has(h, "X_FUNCTION_NUM_FIELD_VALIDATE")) << h;
    EXPECT_TRUE(has(h, "X_FUNCTION_VALIDATES")) << h;
    EXPECT_FALSE(has(h, "X_FUNCTION_PRINTS_REPORTS")) << h;
    /* neither usage byte of the function set: the process class decides */
    EXPECT_TRUE(has(h, "X_FUNCTION_HEAVY_USAGE")) << h;
    EXPECT_FALSE(has(h, "X_FUNCTION_LIGHT_USAGE")) << h;

    h = head("ORDNUM");
    EXPECT_FALSE(has(h, "X_FUNCTION_ALP_SYSTEM_VARIABLE")) << h;
    EXPECT_FALSE(has(h, "X_FUNCTION_ALP_FIELD_VALIDATE")) << h;
    EXPECT_TRUE(has(h, "X_FUNCTION_NUM_SYSTEM_VARIABLE")) << h;
    EXPECT_TRUE(has(h, "X_FUNCTION_NUM_FIELD_VALIDATE")) << h;
    EXPECT_TRUE(has(h, "X_FUNCTION_VALIDATES")) << h;
    EXPECT_TRUE(has(h, "X_FUNCTION_HEAVY_USAGE")) << h;
}

}  // namespace
}  // namespace gencore_test
