// Functions of process DEMORUN in corners of the language run under the
// test run time, each value worked out by hand from the function's source
// (samples/sources/DEM/DEMORUN): half-up rounding between every numeric
// kind, running values stored after a store of another scale, and the
// texts of a multilingual variable.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using CornerRuns = RunFixture;

/* ROUND_UP(*YES) from and into packed, signed, integer (1, 2, 4 and 8
** bytes) and floating-point (4 and 8 bytes) fields: half a unit of the
** target away from zero, then cut. The floating-point values are exact in
** binary (1.375, 2.5), so that the half is a half. */
TEST_F(CornerRuns, RoundingHalfUpBetweenEveryNumericKind)
{
    const RunResult r = runFunction("DEMORUN", "RUNRND");
    ASSERT_TRUE(r.ran);
    /* a floating-point value into packed and signed decimals */
    EXPECT_EQ(r["RP92"], "4.13");   /* 1.375 * 3 = 4.125 */
    EXPECT_EQ(r["RP92B"], "-4.13"); /* -4.125 */
    EXPECT_EQ(r["RP92C"], "1.38");  /* the field alone, 1.375 */
    EXPECT_EQ(r["RP50"], "8");      /* 2.5 * 3 = 7.5 */
    EXPECT_EQ(r["RS71"], "0.2");    /* 1.375 / 8 = 0.171875 */
    EXPECT_EQ(r["RP92E"], "2.06");  /* 4.125 / 2 = 2.0625, the 4-byte field after it took 4.125 */
    /* into integers of every size and a decimal of 40 digits */
    EXPECT_EQ(r["RNI1"], "8");               /* 2.5 * 3 = 7.5 */
    EXPECT_EQ(r["RNI2"], "-3");              /* 2.5 * -1 = -2.5 */
    EXPECT_EQ(r["RNI4"], "50001");           /* 100001 / 2 = 50000.5 */
    EXPECT_EQ(r["RNI8"], "500000000");       /* 5000000001 / 10 = 500000000.1 */
    EXPECT_EQ(r["RNP40"], "0.4583333333");   /* 1.375 / 3 = 0.45833333333... */
    EXPECT_EQ(r["RNS15"], "-0.429");         /* -3 / 7 = -0.4285714... */
    EXPECT_EQ(r["RNI8B"], "1");              /* 4.125 / 4 = 1.03125 */
    EXPECT_EQ(r["RNI2B"], "-4");             /* -0.429 * 10 = -4.29 */
    EXPECT_EQ(r["RNI4B"], "1");              /* 0.4583333333 * 3 = 1.3749999999 */
    EXPECT_EQ(r["RNI1B"], "4");              /* the field alone, 4.125 */
    /* a floating-point field takes the value as it is */
    EXPECT_EQ(r["RNF4"], "4.125");
    /* decimals and integers into each other */
    EXPECT_EQ(r["RS71B"], "1.4");  /* 4.13 / 3 = 1.3766... */
    EXPECT_EQ(r["RP50B"], "-4");   /* -4.13 */
    EXPECT_EQ(r["RP92D"], "2.67"); /* 8 / 3 = 2.666... */
    EXPECT_EQ(r["RS71C"], "2.7");
}

/* Each running value is stored after a CHANGE stored a value of one
** decimal: it is stored at its own scale, not at the one left by that
** store. Moves -9, -9, -1 at the prices 2.35, 1.10, 0.05. */
TEST_F(CornerRuns, RunningValuesAreStoredAtTheirOwnScale)
{
    const RunResult r = runFunction("DEMORUN", "RUNKAVG");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["KVAVG"], "-6.33");    /* -19 / 3 = -6.333... */
    EXPECT_EQ(r["KVAVG4"], "-6.3333"); /* the same to four decimals */
    EXPECT_EQ(r["KVTOT"], "3.50");     /* 2.35 + 1.10 + 0.05 */
    EXPECT_EQ(r["KVMAX"], "2.35");
    EXPECT_EQ(r["KVMIN"], "0.05");
    EXPECT_EQ(r["KVCNT"], "2");  /* -9 and then -1 */
    EXPECT_EQ(r["KVUP"], "9");   /* 3 * 1.5 cut three times: 4, 6, 9 */
}

/* The multilingual variable *MTXTORDTITLE ("Orders" in English, the run's
** language): CHANGE gives a field its text, cut to the field; MESSAGE and
** the message of a failed check show it. */
TEST_F(CornerRuns, MultilingualVariableGivesItsText)
{
    const RunResult r = runFunction("DEMORUN", "RUNMLV");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["MLTITLE"], text("Orders              "));
    EXPECT_EQ(r["MLSHORT"], text("Orde"));
    EXPECT_NE(r.output.find("MESSAGE I - Orders\n"), std::string::npos) << r.output;
    /* 150 lies outside 1 to 99: the check's message is the variable's text */
    EXPECT_NE(r.output.find("MESSAGE E MLQTY:*NONE    <Orders "), std::string::npos) << r.output;
}

}  // namespace
}  // namespace runs_test
