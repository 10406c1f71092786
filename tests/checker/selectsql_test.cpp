// The SQL texts of SELECT_SQL: host fields checked at the command's line,
// reserved words refused as names, the column list's limit.
#include "checker_fixture.h"

#include <string>
#include <vector>

#include "checker/selectsql.h"
#include "platform/dqoo/dqoo_fixture.h"

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::OnLine;

namespace {

TEST_F(CheckJob, HostFieldsOfEveryTextAreCheckedAtTheirLine)
{
    addFunction("TSTPRC", "SQLHOST",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST) WHERE('CUSTNO = :#NOSUCHF')", "ENDSELECT",
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES(CUSTMST) WHERE('CUSTNO=:#CUSTNO AND CUSTSTS = '':#X''') "
                 "HAVING('COUNT(*) > :#NOSUCHH') ORDER_BY('CUSTNO')",
                 "ENDSELECT",
                 "SELECT_SQL FIELDS(#CUSTNO) USING('SELECT CUSTNO FROM CUSTMST WHERE CREDIT > :#CREDIT "
                 "AND CUSTNO <> :NOSUCHG')",
                 "ENDSELECT", "RETURN"});
    prepare("TSTPRC", "SQLHOST");
    run();
    EXPECT_EQ(OnLine(messages(), 2), (Lines{"DCM0401 #NOSUCHF"}));
    EXPECT_EQ(OnLine(messages(), 4), (Lines{"DCM0401 #NOSUCHH"})) << "a quoted ':#X' is no host field";
    // A whole statement that is no escaped parameter is not scanned by the
    // check of pass 2; its host fields are used fields all the same, and
    // one that is not defined is reported at its line after the pass.
    EXPECT_EQ(OnLine(messages(), 6), (Lines{"PRC0056 NOSUCHG"}));
    EXPECT_EQ(withId("PRC0056").size(), 1u);
}

// A whole statement that the object layer hands over as an escaped
// parameter (byte 3, '2', its number) is resolved in pass 2 and then
// scanned: its host fields are checked at the command's line.
TEST_F(CheckJob, AnEscapedWholeStatementIsResolvedAndScanned)
{
    addFunction("TSTPRC", "SQLESC",
                {"FUNCTION OPTIONS(*DIRECT)", std::string("SELECT_SQL FIELDS(#CUSTNO) USING('\x03") + "20000001')",
                 "ENDSELECT", "RETURN"});
    prepare("TSTPRC", "SQLESC");
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(
                  "PENDING 0000001 text='SELECT CUSTNO FROM CUSTMST WHERE CREDIT > :#CREDIT AND CUSTNO > :#NOSUCHE'\n",
                  error, sizeof error),
              0)
        << error;
    run();
    DQOO_FCC_ClearExpressions();
    EXPECT_EQ(OnLine(messages(), 2), (Lines{"DCM0401 #NOSUCHE"})) << output;
}

TEST_F(CheckJob, ReservedWordsOfSqlCannotBeNames)
{
    addFunction("TSTPRC", "SQLNAME",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "SELECT_SQL FIELDS(#CUSTNO (#CREDIT 'SUM(CREDIT) AS ORDER')) FROM_FILES((CUSTMST C)) "
                 "GROUP_BY('CUSTNO')",
                 "ENDSELECT", "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMST ON))", "ENDSELECT",
                 "SELECT_SQL FIELDS((#CREDIT 'SUM(CREDIT) AS TOTAL')) FROM_FILES(CUSTMST) GROUP_BY('CUSTNO')",
                 "ENDSELECT", "RETURN"});
    prepare("TSTPRC", "SQLNAME");
    run();
    EXPECT_EQ(OnLine(messages(), 2), (Lines{"PRC1403 ORDER"}));
    EXPECT_EQ(OnLine(messages(), 4), (Lines{"PRC1403 ON"}));
    EXPECT_EQ(OnLine(messages(), 6), Lines{});
}

TEST_F(CheckJob, TheColumnListMustFitTheStatement)
{
    // Twenty columns of 50 characters make a list of 1,038.
    std::string fields;
    for (int i = 0; i < 20; ++i)
        fields += " (#CREDIT 'COALESCE(CREDIT, 0) + COALESCE(CREDIT, 0) + 000000')";
    addFunction(
        "TSTPRC", "SQLLONG",
        {"FUNCTION OPTIONS(*DIRECT)", "SELECT_SQL FIELDS(" + fields + ") FROM_FILES(CUSTMST)", "ENDSELECT", "RETURN"});
    prepare("TSTPRC", "SQLLONG");
    run();
    EXPECT_EQ(OnLine(messages(), 2), (Lines{"PRC1404 0001038"}));
}

TEST_F(CheckJob, SqlScanCountsHostFieldsOutsideQuotes)
{
    prepare("DEMOPRC", "DEMOMIN");
    checker::G().ctx = &ctx;
    // Without a check (option 0) the scan only counts the host fields.
    const std::string text = "A = :#X AND B IN (:#Y, ':#Z') AND \"C:D\" = :#W";
    EXPECT_EQ(P3100_ScanSelectSqlText(text.data(), static_cast<uint32_t>(text.size()), true, 0), 3);
    EXPECT_EQ(P3100_ScanSelectSqlText(text.data(), static_cast<uint32_t>(text.size()), false, 0), 0);
    const char nul[] = "A = :#X\0 AND B = :#Y";
    EXPECT_EQ(P3100_ScanSelectSqlText(nul, sizeof nul - 1, true, 0), 1) << "a NUL ends the text";
}

}  // namespace
