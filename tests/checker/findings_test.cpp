// Functions a business programmer writes check clean, and each fault gives
// one finding at the line that holds it.
#include "checker_fixture.h"
#include "runcontrol/sample_env.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dqov/params/dqov_check.h"

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::Message;
using checker_test::OnLine;

namespace {

// The findings of a check, "line ID data" each, in the order listed.
std::vector<std::string> Findings(const std::vector<Message>& all)
{
    std::vector<std::string> out;
    for (const Message& m : all)
        if (m.id != "PRC0010")
            out.push_back(std::to_string(m.line) + " " + m.id + " " + m.data);
    return out;
}

TEST_F(CheckJob, ValidFormsOfConditionsValuesAndKeysCheckClean)
{
    addFunction("TSTPRC", "VALID",
                {"FUNCTION OPTIONS(*DIRECT)", "DEF_COND NAME(*ACTIVE) COND('#CUSTSTS = A')", "IF COND(*ACTIVE)",
                 "CHANGE FIELD(#CUSTNAM) TO('Customer not on file')", "ENDIF",
                 "DOWHILE COND('*ACTIVE AND #CREDIT > 5')", "CHANGE FIELD(#CUSTNAM) TO('***')", "ENDWHILE",
                 "DOUNTIL COND(*ACTIVE)", "CHANGE FIELD(#CUSTNAM) TO('(no name)')", "ENDUNTIL",
                 "CHANGE FIELD(#CUSTNAM) TO(*REMEMBERED_VALUE_FOR_SYSTEM)",
                 "CHANGE FIELD(#CUSTNAM) TO(*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM)",
                 "CHANGE FIELD(#CREDIT) TO('#CREDIT * 2')",
                 "SELECT FIELDS(#LINNO #ITEM #QTY) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO)", "ENDSELECT", "RETURN"});
    prepare("TSTPRC", "VALID");
    run();
    // The partial key is a note, not a fault.
    EXPECT_EQ(Findings(messages()), (Lines{"15 DCM0123 ORDLIN    DEMLIB    0000001LINNO"}));
    EXPECT_EQ(withId("DCM0123").at(0).severity, 'I');
    EXPECT_EQ(state.stats.lFatalTotal, 0);
    EXPECT_EQ(state.stats.lWarningsTotal, 0);
}

TEST_F(CheckJob, QuotedChangeValuesAreLiteralsOrExpressions)
{
    addFunction("TSTPRC", "QUOTED",
                {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#CUSTNAM) TO('A name much longer than thirty characters')",
                 "CHANGE FIELD(#CREDIT) TO('abc')", "CHANGE FIELD(#CUSTNAM) TO('#CUSTSTS')", "RETURN"});
    prepare("TSTPRC", "QUOTED");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 DCM0403 'A name much longer +0000030+0000041", "3 DCM0459 NA"}));
    auto literalKind = [&](int16_t line) {
        auto p = std::make_unique<FFC_PARSED_COMMAND>();
        p->sLine = line;
        p->sSubLine = 0;
        EXPECT_EQ(RS_fFindCommandRecord(&ctx, p.get(), sizeof *p), 0);
        checker::G().parsed = *p;
        return checker::Parm("@LITKIND");
    };
    EXPECT_EQ(literalKind(2), "ALP");
    EXPECT_EQ(literalKind(4), "") << "a quoted field is an expression";
}

TEST_F(CheckJob, AnOpenBracketIsAFindingAtItsLine)
{
    addFunction("TSTPRC", "BRACKET", {"FUNCTION OPTIONS(*DIRECT)", "IF COND('(')", "ENDIF", "RETURN"});
    prepare("TSTPRC", "BRACKET");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 DCM0451 +0000001"}));

    // The same through the exported expression check.
    DC_EXPRESSION_REQUEST request{};
    request.pchText = "((";
    request.ulTextLength = 2;
    request.cExpectedType = 'L';
    EXPECT_NE(DC_P8015(&ctx, nullptr, &request, nullptr, 0, nullptr, nullptr), 0);
    EXPECT_EQ(request.lErrorPosition, 2);
}

TEST_F(CheckJob, AReportOverTheDictionaryChecksClean)
{
    addFunction("TSTPRC", "REPORT",
                {"FUNCTION OPTIONS(*DIRECT)", "DEF_REPORT PRT_FILE(QSYSPRT)",
                 "DEF_LINE NAME(#LINE1) FIELDS(#CUSTNO #CUSTNAM)", "SELECT FIELDS(#CUSTNO #CUSTNAM) FROM_FILE(CUSTMST)",
                 "PRINT LINE(#LINE1)", "ENDSELECT", "ENDPRINT", "RETURN"});
    prepare("TSTPRC", "REPORT");
    run();
    EXPECT_EQ(Findings(messages()), Lines{});
    // A system that gives no page length, overflow line or width: the
    // report has 66 lines of 132 columns, overflow at 60, last line 57.
    FFC_WORK_RECORD r;
    std::memset(&r, ' ', sizeof r);
    std::memcpy(r.acKind, "$DRINF", 6);
    ASSERT_EQ(WF_cReadFirst(&ctx, 13, &r, 1), '0');
    WR_DRINF_DATA report;
    std::memcpy(&report, r.acData, sizeof report);
    EXPECT_EQ(report.sPageLength, 66);
    EXPECT_EQ(report.sPageWidth, 132);
    EXPECT_EQ(report.sOverflow, 60);
    EXPECT_EQ(report.sLastLine, 57);

    // Without the page field in the dictionary, the report's first use
    // names it.
    SSQL_Disconnect();
    exec("DELETE FROM QV_F03 WHERE X03FLD = 'REP1PAGE'");
    prepare("TSTPRC", "REPORT");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 PRC0056 REP1PAGE"}));
}

// The print-file values of DEF_REPORT (output queue, copies, form type and
// the other overrides) are fields whose values the run time takes, or *FILE:
// a plain name, an undefined field or a copies field that is no number is a
// finding at the DEF_REPORT's line, never a value that vanishes.
TEST_F(CheckJob, PrintFileValuesOfAReportAreFields)
{
    addFunction("TSTPRC", "REPVALS",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEF_REPORT PRT_FILE(QSYSPRT) OUTQ(PRTQ1) COPIES(#CUSTNAM) FORMTYPE(*FILE) OTHER_OVRD(#NOSUCH)",
                 "DEF_LINE NAME(#LINE1) FIELDS(#CUSTNO)", "PRINT LINE(#LINE1)", "ENDPRINT", "RETURN"});
    prepare("TSTPRC", "REPVALS");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 DCM0401 PRTQ1", "2 DCM0402 #CUSTNAM            NA", "2 DCM0401 #NOSUCH"}));

    /* fields of the right kinds check clean */
    addFunction("TSTPRC", "REPVAL2",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEF_REPORT PRT_FILE(QSYSPRT) OUTQ(#CUSTNAM) COPIES(#CUSTNO) FORMTYPE(*FILE) OTHER_OVRD(#CUSTNAM)",
                 "DEF_LINE NAME(#LINE1) FIELDS(#CUSTNO)", "PRINT LINE(#LINE1)", "ENDPRINT", "RETURN"});
    prepare("TSTPRC", "REPVAL2");
    run();
    EXPECT_EQ(Findings(messages()), Lines{});
}

TEST_F(CheckJob, EachFaultIsReportedOnceAtItsLine)
{
    addFunction("TSTPRC", "ONCE",
                {"FUNCTION OPTIONS(*DIRECT)", "FETCH FIELDS(#CUSTNAM) FROM_FILE(NOSUCHF) WITH_KEY(#CUSTNO)",
                 "CHANGE FIELD(#NOSUCH) TO(1)", "IF COND('#NOSUCH2 = 1')", "ENDIF", "RETURN"});
    prepare("TSTPRC", "ONCE");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 PRC0019 NOSUCHF   *FIRST", "2 PRC1401 FETCH     NOSUCHF",
                                           "3 DCM0401 #NOSUCH", "4 DCM0401 #NOSUCH2"}));
}

TEST_F(CheckJob, ControlBytesOfTheSourceAreShownVisibly)
{
    addFunction("TSTPRC", "BYTES",
                {"FUNCTION OPTIONS(*DIRECT)", "MESSAGE MSGTXT('ab~cd')", "CHANGE FIELD(#CREDIT) TO('a^b')", "RETURN"});
    exec("UPDATE QV_SRC SET SRCPRM = replace(replace(SRCPRM, '~', char(0)), '^', char(27)) WHERE SRCFMT = 'BYTES'");
    prepare("TSTPRC", "BYTES");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 PRC1402 0000011", "3 DCM0453 \x1b         +0000002"}));
    ::testing::internal::CaptureStdout();
    P31O2_ListRunMessages(&ctx, nullptr, &state.stats, nullptr, nullptr, nullptr);
    std::string shown = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(shown.find("DCM0453 F Line 3 CHANGE: Operator \\x1B at position"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\x1b'), std::string::npos);
}

// A fatal finding of pass 2 (a GOTO to a label no routine has) stops the
// generation as one of pass 1 does (a file that is not there).
TEST(CheckTool, FindingsOfEitherPassStopGeneration)
{
    SampleEnv env;
    const std::string where = env.toolArguments();
    ASSERT_TRUE(env.execOutside(
        "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES "
        "('DEM', 'DEMOPRC', 'PASSTWO', '', 'N', 'Y'), ('DEM', 'DEMOPRC', 'NOFILE', '', 'N', 'Y');"
        "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
        "('DEM', 'DEMOPRC', 'PASSTWO', 1, 'FUNCTION', 'OPTIONS(*DIRECT)'),"
        "('DEM', 'DEMOPRC', 'PASSTWO', 2, 'GOTO', 'LABEL(L99)'),"
        "('DEM', 'DEMOPRC', 'NOFILE', 1, 'FUNCTION', 'OPTIONS(*DIRECT)'),"
        "('DEM', 'DEMOPRC', 'NOFILE', 2, 'FETCH', 'FIELDS(#CUSTNAM) FROM_FILE(NOSUCHF) WITH_KEY(#CUSTNO)');"));
    ToolResult passTwo = runTool("--generate " + where + " DEMOPRC PASSTWO");
    EXPECT_EQ(passTwo.status, 1) << passTwo.out;
    EXPECT_NE(passTwo.out.find("PRC0046 F Line 2 GOTO"), std::string::npos) << passTwo.out;
    EXPECT_EQ(passTwo.out.find("VELMO Generator"), std::string::npos) << passTwo.out;
    EXPECT_FALSE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/PASSTWO.C"));

    // Array elements go from the check through generation.
    ASSERT_TRUE(env.execOutside(
        "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) VALUES "
        "('DEM', 'DEMOPRC', 'ARRGEN', '', 'N', 'Y');"
        "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCCMD, SRCPRM) VALUES "
        "('DEM', 'DEMOPRC', 'ARRGEN', 1, 'FUNCTION', 'OPTIONS(*DIRECT)'),"
        "('DEM', 'DEMOPRC', 'ARRGEN', 2, 'DEFINE', 'FIELD(#IX) TYPE(*DEC) LENGTH(3) DECIMALS(0)'),"
        "('DEM', 'DEMOPRC', 'ARRGEN', 3, 'DEF_ARRAY', 'NAME(#KEY) INDEXES(#IX) OF_FIELDS(#CUSTNO #ORDNO)'),"
        "('DEM', 'DEMOPRC', 'ARRGEN', 4, 'CHANGE', 'FIELD(#KEY#IX) TO(''#KEY#IX + 1'')');"));
    ToolResult arrays = runTool("--generate " + where + " DEMOPRC ARRGEN");
    EXPECT_EQ(arrays.status, 0) << arrays.out;
    EXPECT_TRUE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/ARRGEN.C"));

    ToolResult noFile = runTool("--generate " + where + " DEMOPRC NOFILE");
    EXPECT_EQ(noFile.status, 1) << noFile.out;
    EXPECT_NE(noFile.out.find("PRC0019 F Line 2 FETCH: File NOSUCHF (library *FIRST) is neither"), std::string::npos)
        << noFile.out;
    EXPECT_FALSE(std::filesystem::exists(env.root() + "/X_VELMO/X_DEM/SOURCE/NOFILE.C"));
}

}  // namespace

namespace {

TEST_F(CheckJob, FunctionOptionsTriggerListsAndSelectAll)
{
    addFunction("TSTPRC", "OPTIONS",
                {"FUNCTION OPTIONS(*DIRECT) TRIGGER(NOSUCHF)", "SELECT FIELDS(*ALL) FROM_FILE(CUSTMST)", "ENDSELECT",
                 "RETURN"});
    addFunction("TSTPRC", "LISTS",
                {"FUNCTION OPTIONS(*DIRECT) RCV_LIST(#CUSTLIST #NOLIST)",
                 "DEF_LIST NAME(#CUSTLIST) FIELDS(#CUSTNO #CUSTNAM)", "RETURN"});
    addFunction("TSTPRC", "TRIGLST",
                {"FUNCTION OPTIONS(*DIRECT) TRIGGER(CUSTMST) RCV_LIST(#CUSTLIST)",
                 "DEF_LIST NAME(#CUSTLIST) FIELDS(#CUSTNO #CUSTNAM)", "RETURN"});
    addFunction("TSTPRC", "SYSVAR",
                {"FUNCTION OPTIONS(*DIRECT *ALP_SYSTEM_VARIABLE) RCV_DS(CUSTMST)", "RETURN"});
    prepare("TSTPRC", "OPTIONS");
    run();
    /* a trigger function without its working list TRIG_LIST has nowhere to
       receive the record */
    EXPECT_EQ(Findings(messages()), (Lines{"1 PRC0265 TRIGGER(NOSUCHF)", "2 PRC0024 CUSTMST", "0 PRC1006 TRIG_LIST"}));
    EXPECT_EQ(withId("PRC0024").at(0).severity, 'W');

    prepare("TSTPRC", "LISTS");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"1 PRC1006 NOLIST"}));
    std::vector<std::string> received;
    FFC_WORK_RECORD r;
    for (bool more = record("RCV_LIST  ", "", r, 1); more; more = WF_cReadNext(&ctx, 12, &r, 1) == '0')
        received.emplace_back(r.acQualifier, 10);
    EXPECT_EQ(received, (std::vector<std::string>{"#CUSTLIST ", "#NOLIST   "}));

    /* a trigger's entry receives its trigger information only, a system
       variable function's its request: lists or a structure they name
       would never arrive */
    prepare("TSTPRC", "TRIGLST");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"1 PRC0265 RCV_LIST with TRIGGER", "0 PRC1006 TRIG_LIST"}));
    prepare("TSTPRC", "SYSVAR");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"1 PRC0265 RCV_DS with *SYSTEM_VARIABLE"}));
}

}  // namespace

namespace {

// What the repository does not describe is named, never passed in silence:
// a print file other than the standard one, and the catalogue entry of a
// function offered as a built-in function (whose name must be free).
TEST_F(CheckJob, ExternalObjectsAndUserBuiltInFunctions)
{
    addFunction("TSTPRC", "UDFREE",
                {"FUNCTION OPTIONS(*DIRECT *BUILTIN)", "DEF_REPORT PRT_FILE(MYPRTF MYLIB)",
                 "DEF_LINE NAME(#LINE1) FIELDS(#CUSTNO)", "PRINT LINE(#LINE1)", "ENDPRINT", "RETURN"});
    addFunction("TSTPRC", "UDTAKEN", {"FUNCTION OPTIONS(*DIRECT *BUILTIN)", "RETURN"});
    exec("INSERT INTO QV_F47 (X47BIF, X47IDN, X47PGM) VALUES ('UD_UDTAKEN', 900, 'OTHERPG')");
    prepare("TSTPRC", "UDFREE");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"2 PRC1405 MYPRTF    MYLIB", "0 PRC1407 UD_UDFREE"}));
    prepare("TSTPRC", "UDTAKEN");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"0 PRC1406 UD_UDTAKEN          OTHERPG"}));
}

}  // namespace

namespace {

// An element of an array is written as the array's name and one of its
// index fields: #QTS#IX is the element of #QTS that #IX selects.
TEST_F(CheckJob, ArrayElementsAreFieldsOfTheFunction)
{
    addFunction("TSTPRC", "ARRAYS",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#Q1) TYPE(*DEC) LENGTH(7) DECIMALS(2)",
                 "DEFINE FIELD(#Q2) REFFLD(#Q1)", "DEFINE FIELD(#IX) TYPE(*DEC) LENGTH(3) DECIMALS(0)",
                 "DEFINE FIELD(#JX) TYPE(*CHAR) LENGTH(1)", "DEF_ARRAY NAME(#QTS) INDEXES(#IX #JX) OF_FIELDS(#Q1 #Q2)",
                 "BEGIN_LOOP USING(#IX) FROM(1) TO(2)", "CHANGE FIELD(#QTS#IX) TO('#QTS#IX * 2')",
                 "IF COND('#QTS#IX > 100')", "CHANGE FIELD(#QTS#IX) TO(100)", "ENDIF", "END_LOOP",
                 "CHANGE FIELD(#QTS#KX) TO(1)", "DEF_ARRAY NAME(#MIX) INDEXES(#IX) OF_FIELDS(#Q1 #CUSTNAM)",
                 "DEF_ARRAY NAME(#LONG) INDEXES(#IX) OF_FIELDS(#Q1)", "RETURN"});
    prepare("TSTPRC", "ARRAYS");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"6 DCM0402 #JX                 NA", "13 DCM0401 #QTS#KX", "14 PRC0219 #MIX",
                                           "15 PRC0007 DEF_ARRAY", "15 DCM0304 NAME      +0000004#LONG"}));
    // The element's use names its array and index, for the generator; the
    // index field is used with it.
    FFC_WORK_RECORD r;
    ASSERT_TRUE(record(WR_USEFIELD, "#QTS#IX", r));
    const auto* data = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
    EXPECT_EQ(std::string(data->acFieldName, 10), "QTS#IX    ");
    EXPECT_EQ(std::string(data->acArrayData, 21), "A#QTS      #IX       ");
    ASSERT_TRUE(record(WR_ARRAYNAM, "#QTS", r));
    int32_t elementBytes = 0;
    std::memcpy(&elementBytes, r.acData, 4);
    EXPECT_EQ(elementBytes, 4) << "seven packed digits";
}

}  // namespace

namespace {

// The README's component example: DEMOCOMP checks clean and generates.
TEST(CheckTool, TheSampleComponentChecksCleanAndGenerates)
{
    SampleEnv env;
    const std::string where = env.toolArguments();
    ToolResult check = runTool(where + " --component DEMOCOMP");
    EXPECT_EQ(check.status, 0) << check.out;
    EXPECT_EQ(check.out.find(" Line "), std::string::npos) << check.out;
    ToolResult generate = runTool(where + " --generate --component DEMOCOMP");
    EXPECT_EQ(generate.status, 0) << generate.out;
    EXPECT_NE(generate.out.find("<GRN>VELMO Generator Ended Normally"), std::string::npos) << generate.out;
}

}  // namespace

namespace {

// A default is a value of its field's type and length: DEFINE's own and
// OVERRIDE's are compiled into the field's default routine, and one that is
// no such value is a finding at the line that gave it. The dictionary's
// default reaches a field that takes its definition by reference.
TEST_F(CheckJob, FieldDefaultsAreValuesOfTheirFields)
{
    addFunction("TSTPRC", "DFTS",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#DFA) TYPE(*DEC) LENGTH(5) DECIMALS(2) DEFAULT(1.505)",
                 "DEFINE FIELD(#DFB) TYPE(*DEC) LENGTH(3) DECIMALS(0) DEFAULT('ABC')",
                 "DEFINE FIELD(#DFC) TYPE(*CHAR) LENGTH(2) DEFAULT('ABCD')",
                 "DEFINE FIELD(#DFD) TYPE(*DEC) LENGTH(3) DECIMALS(0) DEFAULT(12345)",
                 "DEFINE FIELD(#DFE) TYPE(*DEC) LENGTH(5) DECIMALS(2) DEFAULT(12.5)",
                 "DEFINE FIELD(#DFF) REFFLD(#BZSTAT)", "OVERRIDE FIELD(#BZPRIO) DEFAULT(7)",
                 "CHANGE FIELD(#DFA #DFB #DFC #DFD #DFE #DFF #BZPRIO) TO(*DEFAULT)", "RETURN"});
    prepare("TSTPRC", "DFTS", 'G');
    run();
    EXPECT_EQ(Findings(withId("PRC1230")), (Lines{"2 PRC1230 DFA       1.505", "3 PRC1230 DFB       'ABC'",
                                                  "4 PRC1230 DFC       'ABCD'", "5 PRC1230 DFD       12345"}));
    /* the defaults recorded for the generator: DEFINE's, the reference
       field's from the dictionary, OVERRIDE's */
    FFC_WORK_RECORD r;
    for (const auto& [field, value] : std::vector<std::pair<std::string, std::string>>{
             {"DFE", "12.5"}, {"DFF", "'N'"}, {"BZPRIO", "7"}}) {
        ASSERT_TRUE(record("FLDDEFLT  ", field, r)) << field;
        EXPECT_EQ(std::string(r.acData, 50), value + std::string(50 - value.size(), ' ')) << field;
    }
}


// The findings the handler of a command gives for its own conditions, each
// once, with what it names; a field, file or line that the command's check
// reports is not reported again after the passes.
TEST_F(CheckJob, HandlersGiveTheirOwnFindings)
{
    addFunction("TSTPRC", "OWNF",
                {"FUNCTION OPTIONS(*DIRECT *HEAVYUSAGE *LIGHTUSAGE)",                                    // 1 *LIGHTUSAGE is used
                 "SUBSTRING FIELD(#CUSTNAM 2 0) INTO_FIELD(#CUSTSTS -1)",                                // 2
                 "SUBSTRING FIELD(#CUSTNAM 1 *END) INTO_FIELD(#CUSTSTS 1 1)",                            // 3
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) WITH_RRN(#CREDIT)",        // 4
                 "UPDATE FIELDS(#CUSTNAM) IN_FILE(CUSTMST) WITH_KEY(#CUSTNO) WITH_RRN(#CREDIT)",         // 5
                 "BROWSE FIELDS(#CUSTNO) FROM_FILE(NOFILE)",                                             // 6
                 "UPRINT FIELDS(#CUSTNO #NOFLD)",                                                        // 7
                 "DEF_COND NAME(*BAD) COND('#CREDIT >')",                                                // 8
                 "OPEN FILE(ORDLIN)",                                                                    // 9
                 "OPEN FILE(CUSTMST)",                                                                   // 10
                 "CLOSE FILE(ORDLIN)",                                                                   // 11
                 "CHANGE FIELD(#CUSTNAM) TO(*NULL)",                                                     // 12
                 "RETURN"});
    prepare("TSTPRC", "OWNF");
    run();
    // the expression check's finding says why DEF_COND's condition is not valid
    EXPECT_EQ(Findings(messages()), (Lines{"2 PRC0150 FIELD length 0", "2 PRC0150 INTO_FIELD position -1",
                            "4 PRC0106 WITH_KEY with WITH_RRN", "6 PRC0164 NOFILE    *FIRST",
                            "7 PRC0145 field NOFLD is not defined", "8 PRC0195 *BAD",
                            "8 DCM0454 >         +0000009", "9 PRC0279 ORDLIN"}));
    EXPECT_EQ(withId("PRC0279").at(0).severity, 'W');
}

// A line prints on the report it is defined for.
TEST_F(CheckJob, ALineOfAnotherReportIsNotPrinted)
{
    addFunction("TSTPRC", "TWOREP",
                {"FUNCTION OPTIONS(*DIRECT)", "DEF_REPORT REPORT_NUM(1) PRT_FILE(QSYSPRT)",
                 "DEF_REPORT REPORT_NUM(2) PRT_FILE(QSYSPRT)", "DEF_LINE NAME(#LINE2) FIELDS(#CUSTNO) REPORT_NUM(2)",
                 "PRINT LINE(#LINE2) REPORT_NUM(1)", "PRINT LINE(#LINE2) REPORT_NUM(2)", "ENDPRINT REPORT_NUM(1)",
                 "ENDPRINT REPORT_NUM(2)", "RETURN"});
    prepare("TSTPRC", "TWOREP");
    run();
    EXPECT_EQ(Findings(messages()), (Lines{"5 PRC0297 #LINE2 is a line of report 2"}));
}

}  // namespace
