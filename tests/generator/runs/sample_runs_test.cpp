// The sample functions of process DEMORUN run under the test run time, in
// C and in C#: the values their fields and lists hold after the run, each
// worked out by hand from the function's source (samples/sources/DEM/DEMORUN).
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using SampleRuns = TargetRuns;

/* Loops with a negative step, LEAVE and CONTINUE, CASE in a loop, nested
** IF and ELSE, GOTO back to a label, DOUNTIL. */
TEST_P(SampleRuns, FlowOfControl)
{
    const RunResult r = run("DEMORUN", "RUNFLOW");
    ASSERT_TRUE(r.ran);
    /* 10, 7, 4, 1: ((10 * 10 + 7) * 10 + 4) * 10 + 1 */
    EXPECT_EQ(r["RFDOWN"], "10741");
    /* the loop left at 10; 1 + 2 + 4 + 6 + 7 + 8 + 9 */
    EXPECT_EQ(r["RFJ"], "10");
    EXPECT_EQ(r["RFSUM"], "37");
    /* passes 1 (+100), 2 and 3 (+10 each), 4 and 5 (+1 each) */
    EXPECT_EQ(r["RFCNT"], "5");
    EXPECT_EQ(r["RFCLSN"], "122");
    EXPECT_EQ(r["RFCLS"], text("BOTH      "));
    EXPECT_EQ(r["RFJMP"], "3");
    /* 1, 3, 9, 27, 81 */
    EXPECT_EQ(r["RFU"], "81");
    EXPECT_EQ(r.ended, "1");
}

/* Numbers cut to the target's decimals or rounded half away from zero,
** zoned decimals, texts cut and filled with blanks, *HIVAL. */
TEST_P(SampleRuns, MovesBetweenFields)
{
    const RunResult r = run("DEMORUN", "RUNMOVE");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["RMP2"], "1234.56");
    EXPECT_EQ(r["RMP0"], "1235");
    EXPECT_EQ(r["RMT0"], "1234");
    EXPECT_EQ(r["RMS3"], "-2469.120");
    EXPECT_EQ(r["RMS1"], "-2469.1");
    EXPECT_EQ(r["RMN0"], "-3");
    EXPECT_EQ(r["RMA8"], text("ABCDE   "));
    EXPECT_EQ(r["RMA5"], text("ABCDE"));
    EXPECT_EQ(r["RMA1"], text("\\xFF"));
    EXPECT_EQ(r["RMHP"], "99999");
    EXPECT_EQ(r["RMHS"], "999.9");
}

/* Arithmetic with decimals: a product over a bracket and a division cut to
** the target, a rounded VAT, a negative result. */
TEST_P(SampleRuns, Arithmetic)
{
    const RunResult r = run("DEMORUN", "RUNCALC");
    ASSERT_TRUE(r.ran);
    /* 12 * 19.99 = 239.88; * 92.5 = 22188.900; / 100 = 221.889 */
    EXPECT_EQ(r["RCNET"], "221.88");
    /* 221.88 * 0.19 = 42.1572 */
    EXPECT_EQ(r["RCVAT"], "42.16");
    /* 221.88 / 7 = 31.69714... */
    EXPECT_EQ(r["RCAVG"], "31.6971");
    /* (12 - 20) * 2.55 = -20.40 */
    EXPECT_EQ(r["RCNEG"], "-20.4");
    EXPECT_EQ(r["RCDSC"], "7.50");
}

/* An array of four packed fields, each element set through the index
** field in a loop, one read back through it. */
TEST_P(SampleRuns, ArrayOfNumbers)
{
    const RunResult r = run("DEMORUN", "RUNARR");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["YE1"], "2");
    EXPECT_EQ(r["YE2"], "5");
    EXPECT_EQ(r["YE3"], "10");
    EXPECT_EQ(r["YE4"], "17");
    EXPECT_EQ(r["YI"], "3");
    EXPECT_EQ(r["YSUM"], "12");
}

/* An array of alphanumeric fields reached through two index fields, read,
** stored and compared through each. */
TEST_P(SampleRuns, ArrayOfTextsWithTwoIndexes)
{
    const RunResult r = run("DEMORUN", "RUNARRA");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["ZOUT"], text("WEST"));
    EXPECT_EQ(r["ZC1"], text("WEST"));
    EXPECT_EQ(r["ZC2"], text("SOUT"));
    EXPECT_EQ(r["ZC3"], text("WEST"));
    EXPECT_EQ(r["ZHIT"], "1");
}

/* An array of four entries laid over one field. */
TEST_P(SampleRuns, ArrayOverAField)
{
    const RunResult r = run("DEMORUN", "RUNARRO");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["OOUT"], text("BBB"));
    EXPECT_EQ(r["OBUF"], text("AAABBBCCCZZZ"));
    EXPECT_EQ(r["OX"], "4");
}

/* Working lists: ADD_ENTRY in a loop, GET_ENTRY by number, LOC_ENTRY with a
** WHERE, SELECTLIST with and without one, a search that finds nothing. */
void expectOrderLines(const RunResult& r)
{
    EXPECT_EQ(r["LIST LQLST"], "5");
    EXPECT_EQ(r["LIST LQBIG"], "5");
    for (const char* list : {"LQLST", "LQBIG"}) {
        const std::string l(list);
        EXPECT_EQ(r[l + ".1.LQNO"], "10") << l;
        EXPECT_EQ(r[l + ".1.LQAMT"], "2.50") << l;
        EXPECT_EQ(r[l + ".4.LQNO"], "40") << l;
        EXPECT_EQ(r[l + ".4.LQAMT"], "10.00") << l;
        EXPECT_EQ(r[l + ".5.LQAMT"], "12.50") << l;
    }
    EXPECT_EQ(r["LQGOT"], "30");
    EXPECT_EQ(r["LQFND"], "3");
    /* 5.00 + 7.50 + 10.00 + 12.50 */
    EXPECT_EQ(r["LQTOT"], "35.00");
    EXPECT_EQ(r["LQCNT"], "4");
    EXPECT_EQ(r["LQALL"], "5");
    EXPECT_EQ(r["LQFND2"], "0");
    EXPECT_EQ(r["LQSTS"], text("NR"));
    /* the last line selected */
    EXPECT_EQ(r["LQNO"], "50");
    EXPECT_EQ(r["LQAMT"], "12.50");
}

TEST_P(SampleRuns, WorkingLists)
{
    const RunResult r = run("DEMORUN", "RUNLST");
    ASSERT_TRUE(r.ran);
    expectOrderLines(r);
}

/* The same with the two-level list tables: LQBIG in the long layout, LQLST
** in the short one. */
TEST_P(SampleRuns, WorkingListsInTheTwoLevelTables)
{
    const RunResult r = run("DEMORUN", "RUNLST", true);
    ASSERT_TRUE(r.ran);
    expectOrderLines(r);
}

/* SORT_LIST by an ascending and a descending field, DLT_ENTRY and
** UPD_ENTRY inside SELECTLIST, GET_ENTRY of what is left. */
TEST_P(SampleRuns, SortedListThinnedInItsLoop)
{
    const RunResult r = run("DEMORUN", "RUNSORT");
    ASSERT_TRUE(r.ran);
    /* sorted: 4 E 20, 1 N 40, 3 N 30, 5 S 50, 2 S 10; 4 and 2 dropped */
    EXPECT_EQ(r["SSEEN"], "5");
    EXPECT_EQ(r["LIST SLST"], "3");
    EXPECT_EQ(r["SLST.1.SNO"], "1");
    EXPECT_EQ(r["SLST.1.SAMT"], "41");
    EXPECT_EQ(r["SLST.2.SNO"], "3");
    EXPECT_EQ(r["SLST.2.SREG"], text("N"));
    EXPECT_EQ(r["SLST.2.SAMT"], "31");
    EXPECT_EQ(r["SLST.3.SNO"], "5");
    EXPECT_EQ(r["SLST.3.SREG"], text("S"));
    EXPECT_EQ(r["SLST.3.SAMT"], "51");
    EXPECT_EQ(r["SNO"], "3");
    EXPECT_EQ(r["SREG"], text("N"));
    EXPECT_EQ(r["SAMT"], "31");
}

/* KEEP_TOTAL, KEEP_COUNT, KEEP_MAX, KEEP_MIN and KEEP_AVG over a list's
** lines, and a total that starts again when its BY field changes. */
TEST_P(SampleRuns, RunningTotals)
{
    const RunResult r = run("DEMORUN", "RUNKEEP");
    ASSERT_TRUE(r.ran);
    /* 10.10 + 30.20 + 5.30 + 20.40 + 11.50 */
    EXPECT_EQ(r["KTOT"], "77.50");
    EXPECT_EQ(r["KCNT"], "5");
    EXPECT_EQ(r["KMAX"], "30.20");
    EXPECT_EQ(r["KMIN"], "5.30");
    EXPECT_EQ(r["KAVG"], "15.50");
    /* region B: 5.30 + 20.40 + 11.50 */
    EXPECT_EQ(r["KRTOT"], "37.20");
}

/* SUBSTRING into a whole field, into a field from a position, with
** positions and lengths held in fields, of a whole field, and within one
** field whose target piece lies behind its overlapping source piece. */
TEST_P(SampleRuns, Substrings)
{
    const RunResult r = run("DEMORUN", "RUNSUBS");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["SBSRC"], text("ORDER-4711  "));
    EXPECT_EQ(r["SBT1"], text("4711  "));
    EXPECT_EQ(r["SBT2"], text("XXORDER "));
    EXPECT_EQ(r["SBT3"], text(" RDE "));
    EXPECT_EQ(r["SBT4"], text("ORDER-4711    "));
    /* "ORDER-4711  " from position 1 into position 3: the source as it was */
    EXPECT_EQ(r["SBT5"], text("ORORDER-4711"));
}

/* Defaults of DEFINE at the start, and *DEFAULT setting fields back. */
TEST_P(SampleRuns, Defaults)
{
    const RunResult r = run("DEMORUN", "RUNDFT");
    ASSERT_TRUE(r.ran);
    /* 12 * 1.125 */
    EXPECT_EQ(r["DFSUM"], "13.500");
    EXPECT_EQ(r["DFFST"], "12");
    EXPECT_EQ(r["DFQTY"], "12");
    EXPECT_EQ(r["DFCUR"], text("EUR"));
    EXPECT_EQ(r["DFRATE"], "1.125");
    EXPECT_EQ(r["DFNOTE"], text("          "));
}

/* Subroutine parameters received, returned and both, fields and literals. */
TEST_P(SampleRuns, SubroutineParameters)
{
    const RunResult r = run("DEMORUN", "RUNSUBR");
    ASSERT_TRUE(r.ran);
    /* SRB: 5 + 7 = 12, then 12 + 100; SRA only handed in */
    EXPECT_EQ(r["SRA"], "7");
    EXPECT_EQ(r["SRB"], "112");
    EXPECT_EQ(r["SRX"], "0");
    EXPECT_EQ(r["SRY"], "112");
    EXPECT_EQ(r["SRTXT"], text("ABC   "));
    EXPECT_EQ(r["SROUT"], text("ABC   "));
}

/* A check block whose range and condition checks fail, counted by
** KEEP_COUNT and seen by IF_ERROR; the same block passing. */
TEST_P(SampleRuns, ValidationResults)
{
    const RunResult r = run("DEMORUN", "RUNVAL");
    ASSERT_TRUE(r.ran);
    /* 150 is not in 1 to 99, BB is in the list, 30.00 is above 25 */
    EXPECT_EQ(r["VERRS"], "2");
    EXPECT_EQ(r["VOK"], text("N"));
    EXPECT_EQ(r["VPASS"], "0");
    EXPECT_EQ(r["VOK2"], text("Y"));
}

/* The lines a report prints from a SELECTLIST: the detail lines, a
** trailing break with the total of each region that ends, the footing with
** the grand total and the count of regions; and the totals after the run. */
TEST_P(SampleRuns, ReportTotals)
{
    const RunResult r = run("DEMORUN", "RUNRPT");
    ASSERT_TRUE(r.ran);
    std::vector<std::string> printed;
    std::istringstream lines(r.output);
    for (std::string line; std::getline(lines, line);)
        if (line.rfind("PRINT 1 ", 0) == 0)
            printed.push_back(line.substr(line.find('|')));
    const std::vector<std::string> expected = {"|RPREG|RPAMT|", "|NTH|10.00|", "|NTH|5.50|", "|Region total|15.50|",
                                               "|STH|7.25|", "|Region total|7.25|", "|Grand total|Lines|22.75|2|"};
    /* the column headings (the fields' names: they have no texts) come
       first; blank heading lines between them and the details are left out */
    std::vector<std::string> shown;
    for (const std::string& p : printed)
        if (p != "|||")
            shown.push_back(p);
    EXPECT_EQ(shown, expected) << r.output;
    EXPECT_EQ(r["RPTOT"], "7.25");
    EXPECT_EQ(r["RPGRD"], "22.75");
    EXPECT_EQ(r["RPCNT"], "2");
}

/* Integers of 2, 4 (unsigned) and 8 bytes, a double, a packed decimal of
** 31 digits and a nullable one, held with their field information, set by
** expressions and moved back into classic decimals. */
TEST_P(SampleRuns, ExtendedFieldKinds)
{
    const RunResult r = run("DEMORUN", "RUNKIND");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["FINT2"], "12");
    EXPECT_EQ(r["FCOUNT"], "36");
    EXPECT_EQ(r["FINT8"], "12000000");
    EXPECT_EQ(r["FAMOUNT"], "25");
    /* 12 * 0.00125 */
    EXPECT_EQ(r["FBIGDEC"], "0.01500");
    EXPECT_EQ(r["FNULLAMT"], "100.00");
    EXPECT_EQ(r["KDQTY"], "24");
    /* 100.00 + 0.015, cut to two decimals */
    EXPECT_EQ(r["KDVAL"], "100.01");
}

/* RUNBYTE: fields of one byte, a field of eight characters set from one of
** one, and literals handed to a subroutine. Each holds in C# as in C. */

/* A one-byte alphanumeric field and a packed decimal of one digit keep what
** was stored: X, and the highest value of one digit. */
TEST_P(SampleRuns, FieldsOfOneByteKeepWhatIsStored)
{
    const RunResult r = run("DEMORUN", "RUNBYTE");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["OBA1"], text("X"));
    EXPECT_EQ(r["OBP1"], "9");
    EXPECT_EQ(r.ended, "1");
}

/* A letter moved into a code of eight: Q and seven blanks; the letter
** changed to Z afterwards leaves the code as it was. */
TEST_P(SampleRuns, ALetterMovedIntoACodeIsCopiedAndBlankFilled)
{
    const RunResult r = run("DEMORUN", "RUNBYTE");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["OBC8"], text("Q       "));
    EXPECT_EQ(r["OBC1"], text("Z"));
}

/* 'AB' and 7.5 received into a text of 4 and an amount of 5,2, then handed
** back into OBLT and OBLP. */
TEST_P(SampleRuns, LiteralsHandedToASubroutineKeepTheirValues)
{
    const RunResult r = run("DEMORUN", "RUNBYTE");
    ASSERT_TRUE(r.ran);
    EXPECT_EQ(r["OBTT"], text("AB  "));
    EXPECT_EQ(r["OBTP"], "7.50");
    EXPECT_EQ(r["OBRT"], text("AB  "));
    EXPECT_EQ(r["OBRP"], "7.50");
    EXPECT_EQ(r["OBLT"], text("AB  "));
    EXPECT_EQ(r["OBLP"], "7.50");
}

INSTANTIATE_TEST_SUITE_P(Targets, SampleRuns, testing::Values(Target::C, Target::CSharp), targetName);

}  // namespace
}  // namespace runs_test
