// Fields of fixed characters (dictionary type H) in expressions, run under
// the test run time: the sample function RUNHFLD of process DEMORUN
// (samples/sources/DEM/DEMORUN/RUNHFLD.zoph). FCODE and TXCODE have 12
// characters, so they are held as short character fields; FNOTE has 200
// and is held as a character field of varying length. Every value below
// was worked out by hand from the function's source.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using FixedCharRuns = RunFixture;

/* A code set from a literal, computed into another field, compared with a
** field and with literals (equal, greater, less, not equal), moved into
** fixed and varying characters, set from a fixed-length field and taken as
** a CASE subject. */
TEST_F(FixedCharRuns, ShortFixedCharactersInConditionsAndComputedValues)
{
    /* the fields shown again before line 25 (TXCODE set from HFKEY): the
       function releases its varying characters when it ends */
    const RunResult r = runFunction("DEMORUN", "RUNHFLD", false, "25");
    ASSERT_TRUE(r.ran);
    /* 'AB-12' set, then TXCODE computed from FCODE */
    EXPECT_EQ(r["FCODE"], text("AB-12"));
    /* FCODE = TXCODE (+1), FCODE = 'AB-12' (+10), 'AB-12' > 'AB-11' and
       'AB-12' < 'AB-13' (+100), FCODE <> TXCODE not taken, then TXCODE
       from HFKEY is 'XY-77' (+10000) */
    EXPECT_EQ(r["HFHIT"], "10111");
    /* into 8 fixed characters: blanks after the 5 of the code */
    EXPECT_EQ(r["HFOUT"], text("AB-12   "));
    /* into varying characters: the code as it stands; TXCODE still the
       code computed from FCODE, three of the conditions passed */
    EXPECT_EQ(r.shownAt(25, "FNOTE"), text("AB-12"));
    EXPECT_EQ(r.shownAt(25, "TXCODE"), text("AB-12"));
    EXPECT_EQ(r.shownAt(25, "HFHIT"), "111");
    /* from the 5 characters of HFKEY */
    EXPECT_EQ(r["TXCODE"], text("XY-77"));
    /* 'XY-77' is not FCODE's 'AB-12': the second WHEN */
    EXPECT_EQ(r["HFCAS"], "2");
}

}  // namespace
}  // namespace runs_test
