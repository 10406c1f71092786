// Named conditions, a numeric CASE, an array element's default, IF_NULL of
// the extended kinds and ABORT, run under the test run times (in C and in
// C#): the sample function RUNSWCH of process DEMORUN
// (samples/sources/DEM/DEMORUN/RUNSWCH.zoph). Every value below was worked
// out by hand from the function's source.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using CheckRuns = TargetRuns;

TEST_P(CheckRuns, NamedConditionsCaseArrayDefaultNullTestsAndAbort)
{
    const RunResult r = run("DEMORUN", "RUNSWCH");
    ASSERT_TRUE(r.ran);
    /* code blank (+1) and quantity zero (+10) at first; then code ABC is
       no longer blank, 7 * 2 = 14 > 10 + 1 (+1000) but not > 13 + 1 */
    EXPECT_EQ(r["SWHIT"], "1011");
    /* 12.50 is not below 4, but equals 12.5: the second WHEN */
    EXPECT_EQ(r["SWCAS"], "2");
    /* slot 2 emptied through the array, slot 3 set and read through it */
    EXPECT_EQ(r["SWA1"], text("        "));
    EXPECT_EQ(r["SWA2"], text("        "));
    EXPECT_EQ(r["SWA3"], text("three   "));
    EXPECT_EQ(r["SWOUT"], text("three   "));
    EXPECT_EQ(r["SWX"], "3");
    /* all four empty at first (1); the note set is not empty (+10 not
       taken); the note and the date set to their null values (+100) */
    EXPECT_EQ(r["SWNUL"], "101");
    EXPECT_EQ(r["FDATE"], "0001-01-01");
    EXPECT_EQ(r["FNOTE"], text(""));
    /* the ABORT's message, then the end code of an abort */
    EXPECT_EQ(r.output.compare(0, 23, "ABORT I - Order checked"), 0) << r.output;
    EXPECT_EQ(r.ended, "3");
}

INSTANTIATE_TEST_SUITE_P(Targets, CheckRuns, testing::Values(Target::C, Target::CSharp), targetName);

}  // namespace
}  // namespace runs_test
