// Arrays reached through index fields held with their field information:
// an integer, a float, a Boolean and an integer that may be null, each
// defined like a dictionary field of its kind. The program names such an
// index as a simple field of its vector (not as an index field), so the
// element takes the index's value itself at each use. Run in C and C#;
// every value below was worked out by hand from the source.
#include "generator/runs/run_fixture.h"

#include <regex>

namespace runs_test {
namespace {

using ArrayIndexRuns = TargetRuns;

/* Three elements set in a loop over the integer index, then one read and
** changed through each other index: the float at 2, the Boolean set true
** (the first element), the nullable integer at 3 and then one less. */
TEST_P(ArrayIndexRuns, IndexesOfTheExtendedKinds)
{
    addFunction("DEMORUN", "RUNAIDX",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEFINE FIELD(#XII) REFFLD(#FINT2)",
                 "DEFINE FIELD(#XIF) REFFLD(#FAMOUNT)",
                 "DEFINE FIELD(#XIY) REFFLD(#FACTIVE)",
                 "DEFINE FIELD(#XIN) REFFLD(#NKINT2)",
                 "DEFINE FIELD(#XE1) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "DEFINE FIELD(#XE2) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "DEFINE FIELD(#XE3) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "DEFINE FIELD(#XOUT) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "DEFINE FIELD(#XSUM) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "DEFINE FIELD(#XHIT) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "DEF_ARRAY NAME(#XA) INDEXES(#XII #XIF #XIY #XIN) OF_FIELDS(#XE1 #XE2 #XE3)",
                 "BEGIN_LOOP USING(#XII) FROM(1) TO(3)",
                 "CHANGE FIELD(#XA#XII) TO('#XII * 10')",
                 "END_LOOP",
                 "CHANGE FIELD(#XIF) TO(2)",
                 "CHANGE FIELD(#XA#XIF) TO('#XA#XIF + 5')",
                 "CHANGE FIELD(#XIY) TO(*HIVAL)",
                 "CHANGE FIELD(#XA#XIY) TO('#XA#XIY + 1')",
                 "CHANGE FIELD(#XIN) TO(3)",
                 "CHANGE FIELD(#XOUT) TO(#XA#XIN)",
                 "CHANGE FIELD(#XIN) TO('#XIN - 1')",
                 "CHANGE FIELD(#XII) TO(3)",
                 "CHANGE FIELD(#XSUM) TO('#XA#XIN + #XA#XII')",
                 "IF COND('#XA#XIY = 11')",
                 "CHANGE FIELD(#XHIT) TO(1)",
                 "ENDIF",
                 "RETURN"});
    const RunResult r = run("DEMORUN", "RUNAIDX");
    ASSERT_TRUE(r.ran) << r.output;
    /* 10, 20, 30 from the loop; the second plus 5; the first plus 1 */
    EXPECT_EQ(r["XE1"], "11");
    EXPECT_EQ(r["XE2"], "25");
    EXPECT_EQ(r["XE3"], "30");
    /* the third element, read through the nullable index */
    EXPECT_EQ(r["XOUT"], "30");
    /* the second (25) and the third (30) */
    EXPECT_EQ(r["XSUM"], "55");
    EXPECT_EQ(r["XHIT"], "1");
    EXPECT_EQ(r["XIN"], "2");
    EXPECT_EQ(r["XIY"], "1");
    EXPECT_EQ(r.ended, "1");
    /* a store into an index field sets the vector's index after it: in C the
    ** direct code calls X_Vec_Set_Index, in C# the operation table holds a
    ** SET_INDEX row, for the float, the Boolean and the nullable integer */
    const bool c = GetParam() == Target::C;
    const std::string code =
        testsupport::readFile(c ? sourceDir() / "RUNAIDX.C" : sourceDir() / "C#" / "RUNAIDX" / "RUNAIDX.cs");
    for (const char* index : {"V_FIELD_XIF", "V_FIELD_XIY", "V_FIELD_XIN"}) {
        const std::regex set(c ? std::string("X_Vec_Set_Index\\( pX_Ids, pX_Pro, pX_Fun, pX_Fld, ") + index + " \\);"
                               : std::string("X_COMP_OPCODE_SET_INDEX \\*/, +") + index);
        EXPECT_TRUE(std::regex_search(code, set)) << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Targets, ArrayIndexRuns, testing::Values(Target::C, Target::CSharp), targetName);

}  // namespace
}  // namespace runs_test
