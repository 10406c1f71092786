// Fields of fixed characters (dictionary type H) in expressions, run under
// the test run times (C and C#): the sample function RUNHFLD of process DEMORUN
// (samples/sources/DEM/DEMORUN/RUNHFLD.zoph). FCODE and TXCODE have 12
// characters, so they are held as short character fields; FNOTE has 200
// and is held as a character field of varying length. Every value below
// was worked out by hand from the function's source.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using FixedCharRuns = TargetRuns;

/* A code set from a literal, computed into another field, compared with a
** field and with literals (equal, greater, less, not equal), moved into
** fixed and varying characters, set from a fixed-length field and taken as
** a CASE subject. */
TEST_P(FixedCharRuns, ShortFixedCharactersInConditionsAndComputedValues)
{
    /* the fields shown again before line 25 (TXCODE set from HFKEY): the
       function releases its varying characters when it ends */
    const RunResult r = run("DEMORUN", "RUNHFLD", false, "25");
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

/* TYPALL (process DEMOTYP): a field of every kind set to its empty value;
** the fixed characters among them (FCODE, 12, held as short characters)
** blanked with the varying ones. It runs to its end. */
TEST_P(FixedCharRuns, FieldsOfEveryKindSetToTheirEmptyValues)
{
    const RunResult r = run("DEMOTYP", "TYPALL");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["FALPHA"], text(std::string(20, ' ')));
    EXPECT_EQ(r["FPACKED"], "0.00");
    EXPECT_EQ(r["FSIGNED"], "0");
    EXPECT_EQ(r["FBIGDEC"], "0.00000");
    EXPECT_EQ(r["FNULLAMT"], "0.00");
    EXPECT_EQ(r["FINT2"], "0");
    EXPECT_EQ(r["FINT8"], "0");
    EXPECT_EQ(r["FAMOUNT"], "0");
    /* the default date, time and timestamp */
    EXPECT_EQ(r["FDATE"], "0001-01-01");
    EXPECT_EQ(r["FTIME"], "00:00:00");
    EXPECT_EQ(r["FSTAMP"], "0001-01-01 00:00:00.000000000");
    /* characters of every length empty, bytes and the object's file name too */
    EXPECT_EQ(r["FCODE"], text(""));
    EXPECT_EQ(r["FNOTE"], text(""));
    EXPECT_EQ(r["FNATNAME"], text(""));
    EXPECT_EQ(r["FIMAGE"], text(""));
    EXPECT_EQ(r["FDOC"], text(""));
    EXPECT_EQ(r["FACTIVE"], "0");
}

INSTANTIATE_TEST_SUITE_P(Targets, FixedCharRuns, testing::Values(Target::C, Target::CSharp), targetName);

}  // namespace
}  // namespace runs_test
