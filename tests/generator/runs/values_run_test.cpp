// Functions whose values only a run shows: dates, times and timestamps
// carried through conversions into one another and compared, and whole
// numbers of ten digits and more (past what 32 bits hold) in arithmetic.
// Each value is worked out by hand from the source.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using ValueRuns = RunFixture;

// #FDATE, #TXDATE are dates, #FTIME, #TXTIME times, #FSTAMP, #TXSTAMP
// timestamps of the dictionary (shown as their characters). A timestamp is the date, a blank, the
// time and a fraction of nine digits (29 characters). The highest value
// of a timestamp is the default date at 23:59:59.999999999, of a time
// 23:59:59: the stamps start at their highest, so that a conversion that
// left a character unwritten shows it.
TEST_F(ValueRuns, DatesTimesAndTimestampsConvertedAndCompared)
{
    addFunction("DEMORUN", "RUNDTCV",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEFINE FIELD(#DTSAME) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "DEFINE FIELD(#DTLESS) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "DEFINE FIELD(#DTTIME) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "DEFINE FIELD(#DTTSAME) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "DEFINE FIELD(#DTNONE) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "CHANGE FIELD(#FSTAMP #TXSTAMP) TO(*HIVAL)",
                 "CHANGE FIELD(#FTIME) TO(*HIVAL)",
                 "CHANGE FIELD(#FDATE) TO(*HIVAL)",
                 "CHANGE FIELD(#FSTAMP) TO('#FDATE')",
                 "CHANGE FIELD(#TXSTAMP) TO('#FTIME')",
                 "CHANGE FIELD(#TXDATE) TO('#TXSTAMP')",
                 "CHANGE FIELD(#TXTIME) TO('#FSTAMP')",
                 "IF COND('#FDATE = #FSTAMP')",
                 "CHANGE FIELD(#DTSAME) TO(1)",
                 "ENDIF",
                 "IF COND('#FDATE < #TXSTAMP')",
                 "CHANGE FIELD(#DTLESS) TO(1)",
                 "ENDIF",
                 "IF COND('#FTIME > #TXTIME')",
                 "CHANGE FIELD(#DTTIME) TO(1)",
                 "ENDIF",
                 "IF COND('#FTIME = #TXSTAMP')",
                 "CHANGE FIELD(#DTTSAME) TO(1)",
                 "ENDIF",
                 "IF COND('#TXDATE = #TXSTAMP')",
                 "CHANGE FIELD(#DTNONE) TO(1)",
                 "ENDIF",
                 "RETURN"});
    const RunResult r = runFunction("DEMORUN", "RUNDTCV");
    ASSERT_TRUE(r.ran) << r.output;
    EXPECT_EQ(r["FTIME"], "23:59:59");
    EXPECT_EQ(r["FDATE"], "0001-01-01");
    /* the date, a blank and midnight: all 29 characters written */
    EXPECT_EQ(r["FSTAMP"], "0001-01-01 00:00:00.000000000");
    /* the default date, then the time from the twelfth character on */
    EXPECT_EQ(r["TXSTAMP"], "0001-01-01 23:59:59.000000000");
    /* the first ten characters; the eight after the blank */
    EXPECT_EQ(r["TXDATE"], "0001-01-01");
    EXPECT_EQ(r["TXTIME"], "00:00:00");
    /* a date is a timestamp at midnight; a time one of the default date */
    EXPECT_EQ(r["DTSAME"], "1");
    EXPECT_EQ(r["DTLESS"], "1");
    EXPECT_EQ(r["DTTIME"], "1");
    EXPECT_EQ(r["DTTSAME"], "1");
    EXPECT_EQ(r["DTNONE"], "0") << "the date is midnight, the stamp 23:59:59";
}

// Whole numbers of 10, 11 and 18 digits: sums, differences and products
// past 2,147,483,647; nine digits at their highest.
TEST_F(ValueRuns, WholeNumbersOfTenDigitsAndMore)
{
    addFunction("DEMORUN", "RUNBIG",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEFINE FIELD(#BGA) TYPE(*DEC) LENGTH(10) DECIMALS(0)",
                 "DEFINE FIELD(#BGB) TYPE(*DEC) LENGTH(10) DECIMALS(0)",
                 "DEFINE FIELD(#BGC) TYPE(*DEC) LENGTH(11) DECIMALS(0)",
                 "DEFINE FIELD(#BGS) TYPE(*SIGNED) LENGTH(10) DECIMALS(0)",
                 "DEFINE FIELD(#BGN) TYPE(*DEC) LENGTH(9) DECIMALS(0)",
                 "DEFINE FIELD(#BGQ) TYPE(*DEC) LENGTH(18) DECIMALS(0)",
                 "DEFINE FIELD(#BGF) TYPE(*DEC) LENGTH(1) DECIMALS(0)",
                 "CHANGE FIELD(#BGA) TO(4000000000)",
                 "CHANGE FIELD(#BGB) TO('#BGA + 1234567890')",
                 "CHANGE FIELD(#BGC) TO('#BGB * 3')",
                 "CHANGE FIELD(#BGS) TO('#BGA - 9000000000')",
                 "CHANGE FIELD(#BGN) TO(999999999)",
                 "CHANGE FIELD(#BGN) TO('#BGN - 1')",
                 "CHANGE FIELD(#BGQ) TO('#BGB * 100000000')",
                 "IF COND('#BGA > 3000000000')",
                 "CHANGE FIELD(#BGF) TO(1)",
                 "ENDIF",
                 "RETURN"});
    const RunResult r = runFunction("DEMORUN", "RUNBIG");
    ASSERT_TRUE(r.ran) << r.output;
    EXPECT_EQ(r["BGA"], "4000000000");
    /* 4,000,000,000 + 1,234,567,890 */
    EXPECT_EQ(r["BGB"], "5234567890");
    /* 5,234,567,890 * 3 */
    EXPECT_EQ(r["BGC"], "15703703670");
    /* 4,000,000,000 - 9,000,000,000 */
    EXPECT_EQ(r["BGS"], "-5000000000");
    EXPECT_EQ(r["BGN"], "999999998");
    /* 5,234,567,890 * 100,000,000 */
    EXPECT_EQ(r["BGQ"], "523456789000000000");
    EXPECT_EQ(r["BGF"], "1");
}

}  // namespace
}  // namespace runs_test
