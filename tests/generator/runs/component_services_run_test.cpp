// The record services of a generated component run under the test run
// time: the sample component DEMOXUC (samples/objlayer/55-crossupdate.sql),
// whose CrossUpdateCheck service compares the new, the old and the current
// record of its two document records. What each run reports was worked out
// by hand from the component's cross-update groups.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using ComponentServiceRuns = RunFixture;

/* AccountData (case 12) is in conflict when its name or credit changed in
** the store since it was read (current against old) and the update
** changes its credit (old against new); ContactData (case 14) when its
** status changed in the store and the update changes its signed amount or
** its status. A conflict is reported once, as message DEM0015 of DC@M01
** for the record, with the case number as its context; the service ends
** normally either way, and a case the service does not have is not found. */
TEST_F(ComponentServiceRuns, CrossUpdateCheckReportsAConflictOfTwoRecords)
{
    const std::string script = "# someone renamed the account since it was read; the update raises the credit\n"
                               "SET CUSTNO 4711\nSET CUSTNAM Smith\nSET CREDIT 100.00\nRECORD OLD AccountData\n"
                               "SET CUSTNAM Smith and Sons\nRECORD CUR AccountData\n"
                               "SET CUSTNAM Smith\nSET CREDIT 250.50\nRECORD NEW AccountData\n"
                               "SERVICE 2270 12\n"
                               "# nobody changed the account: the same update is no conflict\n"
                               "SET CREDIT 100.00\nRECORD CUR AccountData\nSERVICE 2270 12\n"
                               "# someone changed the credit, the update changes only the name\n"
                               "SET CREDIT 300.00\nRECORD CUR AccountData\n"
                               "SET CREDIT 100.00\nSET CUSTNAM Smyth\nRECORD NEW AccountData\nSERVICE 2270 12\n"
                               "# the contact's status changed in the store; the update changes its amount\n"
                               "SET CUSTNO 4711\nSET CUSTSTS A\nSET FSIGNED -5\nRECORD OLD ContactData\n"
                               "SET CUSTSTS B\nRECORD CUR ContactData\n"
                               "SET CUSTSTS A\nSET FSIGNED 7\nRECORD NEW ContactData\nSERVICE 2270 14\n"
                               "# the same status in the store: no conflict\n"
                               "SET CUSTSTS A\nRECORD CUR ContactData\nSERVICE 2270 14\n"
                               "# the status changed in the store, the update leaves amount and status\n"
                               "SET CUSTSTS B\nRECORD CUR ContactData\n"
                               "SET CUSTSTS A\nSET FSIGNED -5\nRECORD NEW ContactData\nSERVICE 2270 14\n"
                               "# a case the service does not have\n"
                               "SERVICE 2270 13\n";
    const RunResult r = runComponentServices("DEMOXUC", script);
    ASSERT_TRUE(r.ran) << r.errors << r.output;
    const std::vector<std::string> expected = {
        "REPORT DDR_AccountData 12 DC@M01 DEM0015 AccountData -",
        "RETURN 2270 12 0",
        "RETURN 2270 12 0",
        "RETURN 2270 12 0",
        "REPORT DDR_ContactData 14 DC@M01 DEM0015 ContactData -",
        "RETURN 2270 14 0",
        "RETURN 2270 14 0",
        "RETURN 2270 14 0",
        "RETURN 2270 13 4",
    };
    EXPECT_EQ(r.linesStarting({"REPORT ", "RETURN "}), expected) << r.output;
}

}  // namespace
}  // namespace runs_test
