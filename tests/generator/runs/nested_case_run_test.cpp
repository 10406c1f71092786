// CASE nested inside the WHEN and OTHERWISE blocks of another CASE, the
// outer CASE over a number and the inner ones over a number and a
// character, with WHENs of the outer CASE after each inner ENDCASE; run in
// a loop so that every branch is taken once, in C and C#. Each pass adds
// a digit per branch taken to a trace; every value below was worked out by
// hand from the source.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using NestedCaseRuns = TargetRuns;

/* Pass p sets the outer subject to p and the inner one to 5 - p (the
** character subject is 'B' from the third pass on):
**   1: outer WHEN 1 (1), inner WHEN '= 4' (7), after the inner ENDCASE (9)
**   2: outer WHEN 2, after WHEN 1's inner CASE: (2)
**   3: outer WHEN 3 (3), inner CASE over 2: its WHEN '= 2' (6), then the
**      character CASE over 'B': its OTHERWISE (5)
**   4: the outer OTHERWISE (4), its inner CASE over 1: WHEN '= 1' (8)
** The inner subjects of passes 1 and 3 (4 and 2) are values a later outer
** WHEN compares with: an outer WHEN tested with the inner subject would
** take another branch. */
TEST_P(NestedCaseRuns, OuterWhensAfterAnInnerCase)
{
    addFunction("DEMORUN", "RUNNCAS",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEFINE FIELD(#NCP) TYPE(*DEC) LENGTH(3) DECIMALS(0)",
                 "DEFINE FIELD(#NCO) TYPE(*DEC) LENGTH(3) DECIMALS(0)",
                 "DEFINE FIELD(#NCI) TYPE(*SIGNED) LENGTH(5) DECIMALS(0)",
                 "DEFINE FIELD(#NCC) TYPE(*CHAR) LENGTH(1)",
                 "DEFINE FIELD(#NCR) TYPE(*DEC) LENGTH(15) DECIMALS(0)",
                 "CHANGE FIELD(#NCC) TO('''A''')",
                 "BEGIN_LOOP USING(#NCP) FROM(1) TO(4)",
                 "CHANGE FIELD(#NCO) TO(#NCP)",
                 "CHANGE FIELD(#NCI) TO('5 - #NCP')",
                 "IF COND('#NCP >= 3')",
                 "CHANGE FIELD(#NCC) TO('''B''')",
                 "ENDIF",
                 "CASE OF_FIELD(#NCO)",
                 "WHEN VALUE_IS('= 1')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 1')",
                 "CASE OF_FIELD(#NCI)",
                 "WHEN VALUE_IS('= 2')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 6')",
                 "WHEN VALUE_IS('= 4')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 7')",
                 "ENDCASE",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 9')",
                 "WHEN VALUE_IS('= 2')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 2')",
                 "WHEN VALUE_IS('= 3')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 3')",
                 "CASE OF_FIELD(#NCI)",
                 "WHEN VALUE_IS('= 2')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 6')",
                 "ENDCASE",
                 "CASE OF_FIELD(#NCC)",
                 "WHEN VALUE_IS('= ''A''')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 1')",
                 "OTHERWISE",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 5')",
                 "ENDCASE",
                 "OTHERWISE",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 4')",
                 "CASE OF_FIELD(#NCI)",
                 "WHEN VALUE_IS('= 1')",
                 "CHANGE FIELD(#NCR) TO('#NCR * 10 + 8')",
                 "ENDCASE",
                 "ENDCASE",
                 "END_LOOP",
                 "RETURN"});
    const RunResult r = run("DEMORUN", "RUNNCAS");
    ASSERT_TRUE(r.ran) << r.output;
    EXPECT_EQ(r["NCR"], "179236548");
    EXPECT_EQ(r["NCI"], "1");
    EXPECT_EQ(r["NCC"], text("B"));
    EXPECT_EQ(r.ended, "1");
}

INSTANTIATE_TEST_SUITE_P(Targets, NestedCaseRuns, testing::Values(Target::C, Target::CSharp), targetName);

}  // namespace
}  // namespace runs_test
