// Faults the check must find at their own lines, and forms it must pass,
// each through the dqov tool on a function (or component) as a business
// programmer writes it: the findings are compared as the tool prints them,
// and what checks clean is generated and compiled.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "generator/compile_c.h"
#include "runcontrol/sample_env.h"
#include "support/files.h"

namespace {

class CheckerFaults : public ::testing::Test {
protected:
    SampleEnv env;

    // Stores function FUNCTION of process DEMOPRC with one command per line
    // ("LBL: NAME parameters"), as the sample loader stores them.
    void add(const std::string& function, const std::vector<std::string>& lines)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(env.repository().c_str(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT, X23SP1, X23SQL, X23APM) "
                           "VALUES ('DEM', 'DEMOPRC', ?, '', 'N', 'Y')",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, function.c_str(), -1, SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
        sqlite3_finalize(st);
        sqlite3_prepare_v2(db,
                           "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) "
                           "VALUES ('DEM', 'DEMOPRC', ?, ?, ?, ?, ?)",
                           -1, &st, nullptr);
        int sequence = 0;
        for (const std::string& line : lines) {
            std::string label, rest = line;
            const size_t colon = line.find(':');
            if (colon != std::string::npos && colon <= 3) {
                label = line.substr(0, colon);
                rest = line.substr(colon + 2);
            }
            const size_t blank = rest.find(' ');
            const std::string name = rest.substr(0, blank);
            const std::string parameters = blank == std::string::npos ? "" : rest.substr(blank + 1);
            sqlite3_reset(st);
            sqlite3_bind_text(st, 1, function.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 2, ++sequence);
            sqlite3_bind_text(st, 3, label.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 4, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 5, parameters.c_str(), -1, SQLITE_TRANSIENT);
            ASSERT_EQ(sqlite3_step(st), SQLITE_DONE);
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
    }

    ToolResult check(const std::string& function) { return runTool(env.toolArguments() + " DEMOPRC " + function); }
    ToolResult generate(const std::string& function)
    {
        return runTool("--generate " + env.toolArguments() + " DEMOPRC " + function);
    }
    ToolResult component(const std::string& name, bool generating = false)
    {
        return runTool(std::string(generating ? "--generate " : "") + env.toolArguments() + " --component " + name);
    }

    std::string sourceDir() const { return env.root() + "/X_VELMO/X_DEM/SOURCE"; }
    std::string generated(const std::string& object, const char* extension) const
    {
        return testsupport::readFile(sourceDir() + "/" + object + extension);
    }
    // gcc's findings on the generated files of an object, "" when clean.
    std::string compiled(const std::string& object) const
    {
        const std::filesystem::path work = std::filesystem::path(env.root()).parent_path() / "gcc";
        std::filesystem::create_directories(work);
        return gentest::compileGeneratedFunction(sourceDir(), object, work);
    }
};

// The findings a job printed ("ID S Line n COMMAND: text"), in order.
std::vector<std::string> Findings(const std::string& out)
{
    return testsupport::findingLines(out);
}

// The text of a finding after its "Line n COMMAND: ".
std::string TextOf(const std::string& finding)
{
    const size_t colon = finding.find(": ");
    return colon == std::string::npos ? finding : finding.substr(colon + 2);
}

using Lines = std::vector<std::string>;

// NBR_KEYS counts the key values used: *COMPUTE, a field that holds the
// count at run time, or a number from 1 to the number of key values given
// (a literal of the program). Any other value names nothing the program
// can read, or counts keys the command does not give: a finding at its
// line instead of a generation that stops.
TEST_F(CheckerFaults, NbrKeysIsComputedOrAFieldOrANumberOfTheKeysGiven)
{
    add("NKBAD", {"FUNCTION OPTIONS(*DIRECT)",                                                          // 1
                  "SELECT FIELDS(#ITEM #QTY) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NBR_KEYS(3)",    // 2
                  "ENDSELECT",                                                                         // 3
                  "FETCH FIELDS(#ITEM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NBR_KEYS(0)",         // 4
                  "DELETE FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NBR_KEYS(NKEYS)",                  // 5
                  "RETURN"});
    ToolResult bad = generate("NKBAD");
    EXPECT_EQ(bad.status, 1) << bad.out;
    EXPECT_EQ(Findings(bad.out), (Lines{"PRC1196 F Line 2 SELECT: Command SELECT cannot use 3 in keyword NBR_KEYS.",
                                        "PRC1196 F Line 4 FETCH: Command FETCH cannot use 0 in keyword NBR_KEYS.",
                                        "PRC1196 F Line 5 DELETE: Command DELETE cannot use NKEYS in keyword NBR_KEYS."}))
        << bad.out;
    EXPECT_EQ(bad.out.find("VELMO Generator"), std::string::npos) << bad.out;
    EXPECT_FALSE(std::filesystem::exists(sourceDir() + "/NKBAD.C"));

    add("NKGOOD", {"FUNCTION OPTIONS(*DIRECT)",                                                             // 1
                   "DEFINE FIELD(#NKEYS) TYPE(*DEC) LENGTH(3) DECIMALS(0)",                                 // 2
                   "CHANGE FIELD(#NKEYS) TO(2)",                                                            // 3
                   "SELECT FIELDS(#ITEM #QTY) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NBR_KEYS(1)",       // 4
                   "ENDSELECT",                                                                            // 5
                   "FETCH FIELDS(#ITEM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NBR_KEYS(#NKEYS)",        // 6
                   "CHECK_FOR FOR_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NBR_KEYS(*COMPUTE)",                 // 7
                   "RETURN"});
    ToolResult good = generate("NKGOOD");
    EXPECT_EQ(good.status, 0) << good.out;
    EXPECT_EQ(Findings(good.out), Lines{}) << good.out;
    // the SELECT checks its key count against the literal 1
    const std::string c = generated("NKGOOD", ".C");
    EXPECT_NE(c.find("X_Check_Key_Count( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_Sel_4, V_NUMERIC_LITERAL_"),
              std::string::npos)
        << c;
    EXPECT_EQ(compiled("NKGOOD"), "");
}

// A command's text is held up to 11,000 characters. A longer one is a
// finding that names its length: what lies past the end (here an undefined
// label and an unknown keyword) is never passed in silence. One of exactly
// 11,000 characters is whole.
TEST_F(CheckerFaults, ACommandLongerThanARecordHoldsIsAFindingWithItsLength)
{
    const std::string start = "FIELDS(#ITEM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO)";
    std::string tooLong = start + std::string(11100 - start.size(), ' ') + " NOT_FOUND(NOL) BOGUS(1)";
    ASSERT_EQ(tooLong.size(), 11124u);
    add("LONGCMD", {"FUNCTION OPTIONS(*DIRECT)", "FETCH " + tooLong, "RETURN"});
    ToolResult job = generate("LONGCMD");
    EXPECT_EQ(job.status, 1) << job.out;
    EXPECT_EQ(Findings(job.out),
              Lines{"PRC1408 F Line 2 FETCH: The command's text is 11124 characters long; a command can hold at most "
                    "11000 characters."})
        << job.out;
    EXPECT_FALSE(std::filesystem::exists(sourceDir() + "/LONGCMD.C"));

    std::string whole = start + std::string(11000 - start.size() - 15, ' ') + " NOT_FOUND(L10)";
    ASSERT_EQ(whole.size(), 11000u);
    add("FULLCMD", {"FUNCTION OPTIONS(*DIRECT)", "FETCH " + whole, "L10: RETURN"});
    ToolResult full = check("FULLCMD");
    EXPECT_EQ(full.status, 0) << full.out;
    EXPECT_EQ(Findings(full.out), Lines{}) << full.out;
}

// A branch target of a file command that names no label of the routine is
// reported with the keyword that holds it.
TEST_F(CheckerFaults, AnUndefinedBranchLabelIsNamedWithItsKeyword)
{
    add("NOLABEL",
        {"FUNCTION OPTIONS(*DIRECT)",                                                      // 1
         "FETCH FIELDS(#ITEM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NOT_FOUND(NOL)",   // 2
         "SELECT FIELDS(#ITEM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) END_FILE(EFL)",   // 3
         "ENDSELECT",                                                                      // 4
         "DELETE FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) IO_ERROR(IOL) VAL_ERROR(VAL)",  // 5
         "UPDATE FIELDS(#QTY) IN_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) NOT_FOUND(L10)",     // 6
         "L10: RETURN"});
    ToolResult job = check("NOLABEL");
    EXPECT_EQ(job.status, 1) << job.out;
    EXPECT_EQ(Findings(job.out),
              (Lines{"PRC1409 F Line 2 FETCH: NOT_FOUND label NOL is not defined in this routine.",
                     "PRC1409 F Line 3 SELECT: END_FILE label EFL is not defined in this routine.",
                     "PRC0025 F Line 5 DELETE: IO_ERROR label IOL is not defined in this routine.",
                     "PRC1409 F Line 5 DELETE: VAL_ERROR label VAL is not defined in this routine."}))
        << job.out;
}

// A closer without its opener: the message names the closer as the command
// that closes, and its opener as the one that opens.
TEST_F(CheckerFaults, ACloserWithoutItsOpenerIsNamedFirst)
{
    add("CLOSERS", {"FUNCTION OPTIONS(*DIRECT)",  // 1
                    "ENDWHILE",                   // 2
                    "IF COND('#QTY *GT 0')",      // 3
                    "ENDUNTIL",                   // 4
                    "ENDIF",                      // 5
                    "RETURN"});
    ToolResult job = check("CLOSERS");
    EXPECT_EQ(job.status, 1) << job.out;
    EXPECT_EQ(
        Findings(job.out),
        (Lines{"PRC0023 F Line 2 ENDWHILE: Command ENDWHILE is expected to close the structure opened by DOWHILE.",
               "PRC0023 F Line 4 ENDUNTIL: Command ENDUNTIL is expected to close the structure opened by DOUNTIL."}))
        << job.out;
}

// The WHERE of a file command is a condition like the one of an IF: each
// fault is the finding the same condition has in an IF, at the file
// command's line; a WHERE that checks is generated into a routine that
// compiles.
TEST_F(CheckerFaults, TheWhereOfAFileCommandIsCheckedAsACondition)
{
    const std::vector<std::string> conditions = {"#QTY *GT ''abc''", "#QTY *ZZ 1", "(#QTY *GT 1"};
    std::vector<std::string> lines = {"FUNCTION OPTIONS(*DIRECT)"};
    for (const std::string& c : conditions) {
        lines.push_back("IF COND('" + c + "')");
        lines.push_back("ENDIF");
    }
    lines.push_back("SELECT FIELDS(#ITEM) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) WHERE('" + conditions[0] + "')");
    lines.push_back("ENDSELECT");
    lines.push_back("DELETE FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) WHERE('" + conditions[1] + "')");
    lines.push_back("UPDATE FIELDS(#QTY) IN_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) WHERE('" + conditions[2] + "')");
    lines.push_back("RETURN");
    add("BADWHR", lines);
    ToolResult job = check("BADWHR");
    EXPECT_EQ(job.status, 1) << job.out;
    const std::vector<std::string> found = Findings(job.out);
    // lines 2, 4, 6 hold the IFs; 8, 10 and 11 the file commands
    const std::vector<std::pair<int, int>> pairs = {{2, 8}, {4, 10}, {6, 11}};
    for (const auto& [ifLine, fileLine] : pairs) {
        std::vector<std::string> ofIf, ofFile;
        for (const std::string& f : found) {
            if (f.find(" Line " + std::to_string(ifLine) + " ") != std::string::npos)
                ofIf.push_back(f.substr(0, f.find(' ')) + " " + TextOf(f));
            if (f.find(" Line " + std::to_string(fileLine) + " ") != std::string::npos)
                ofFile.push_back(f.substr(0, f.find(' ')) + " " + TextOf(f));
        }
        EXPECT_FALSE(ofIf.empty()) << ifLine << "\n" << job.out;
        EXPECT_EQ(ofFile, ofIf) << fileLine << "\n" << job.out;
    }

    add("GOODWHR",
        {"FUNCTION OPTIONS(*DIRECT)",
         "SELECT FIELDS(#ITEM #QTY) FROM_FILE(ORDLIN) WITH_KEY(#ORDNO) WHERE('#QTY *GT 5 *AND #ITEM *NE ''X''')",
         "ENDSELECT", "DELETE FROM_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) WHERE('#QTY *LE 0')",
         "UPDATE FIELDS(#QTY) IN_FILE(ORDLIN) WITH_KEY(#ORDNO #LINNO) WHERE('#ITEM = ''OLD''')", "RETURN"});
    ToolResult good = generate("GOODWHR");
    EXPECT_EQ(good.status, 0) << good.out;
    EXPECT_EQ(compiled("GOODWHR"), "");
}

// An operand the check refuses still stands where an operand stands: the
// operator after it is read as one, so each fault is one finding.
TEST_F(CheckerFaults, AnOperatorAfterARefusedOperandIsNoFindingOfItsOwn)
{
    add("REFUSED", {"FUNCTION OPTIONS(*DIRECT)", "IF COND('#OrderData.QTY *GT 0 *AND #NOSUCH *EQ 1')", "ENDIF",
                    "RETURN"});
    ToolResult job = check("REFUSED");
    EXPECT_EQ(job.status, 1) << job.out;
    EXPECT_EQ(Findings(job.out),
              (Lines{"DCM0408 F Line 2 IF: Component property #ORDERDATA.QTY is not known.",
                     "DCM0401 F Line 2 IF: Field #NOSUCH is not defined in the function or the dictionary."}))
        << job.out;
}

// An alphanumeric literal longer than 50 characters inside a condition is
// compared whole: the condition's routine holds all of its text, not its
// first 50 characters with the opening quote.
TEST_F(CheckerFaults, ALongLiteralInAConditionIsComparedWhole)
{
    const std::string text = "This literal is much longer than fifty characters, in fact it is sixty-odd";
    ASSERT_EQ(text.size(), 74u);
    add("LONGLIT", {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#A256) TYPE(*CHAR) LENGTH(256)",
                    "IF COND('#A256 *EQ ''" + text + "''')", "CHANGE FIELD(#A256) TO(*BLANK)", "ENDIF", "RETURN"});
    ToolResult job = generate("LONGLIT");
    ASSERT_EQ(job.status, 0) << job.out;
    const std::string c = generated("LONGLIT", ".C");
    EXPECT_NE(c.find("memcmp( pX_Fld[V_FIELD_A256].pField, \"" + text + "\", 74 )"), std::string::npos) << c;
    EXPECT_NE(c.find("{ X_VAR_HEADER_KIND_FACTOR_STRING, 74, \"" + text + "\" }"), std::string::npos) << c;
    EXPECT_EQ(c.find("\"\\x27\"\"This literal"), std::string::npos) << c;
    EXPECT_EQ(compiled("LONGLIT"), "");
}

// A field of a component's record is written #Record.FIELD in a condition.
// With a record name of ten characters or fewer the name before the point
// is no field; with any record name the field after it is used by the
// component (its cross-reference names it at the condition's line).
TEST_F(CheckerFaults, AFieldQualifiedByItsRecordIsTheFieldUsed)
{
    ASSERT_TRUE(env.execOutside("UPDATE QV_OCS SET XCSTXT = REPLACE(XCSTXT, ' #IOSTAT', '') "
                                "WHERE XCSCMP = 'DEMOBOM' AND XCSSEQ IN (12, 24, 30, 32);"
                                "UPDATE QV_OCS SET XCSTXT = 'IF COND(''#InvoiceData.IOSTAT *NE ''''X'''''')' "
                                "WHERE XCSCMP = 'DEMOBOM' AND XCSSEQ = 41;"));
    const char* usedAt41 = "SELECT COUNT(*) FROM QV_XRF WHERE XRFKND = 'FIELD' AND XRFNAM = 'IOSTAT' AND XRFLIN = 41";
    ToolResult longName = component("DEMOBOM", true);
    EXPECT_EQ(longName.status, 0) << longName.out;
    EXPECT_EQ(env.queryOutside(usedAt41), "1") << longName.out;
    // a literal or special value is no field of the cross-reference
    EXPECT_EQ(env.queryOutside("SELECT COUNT(*) FROM QV_XRF WHERE XRFKND = 'FIELD' AND TRIM(XRFNAM) = ''"), "0");

    // the record renamed to nine characters
    ASSERT_TRUE(
        env.execOutside("UPDATE QV_OBW SET XBWTXT = 'OrderData' WHERE XBWCMP = 'DEMOBOM' AND XBWTXT = 'InvoiceData';"
                        "UPDATE QV_OCS SET XCSTXT = 'IF COND(''#OrderData.IOSTAT *NE ''''X'''''')' "
                        "WHERE XCSCMP = 'DEMOBOM' AND XCSSEQ = 41;"));
    ToolResult shortName = component("DEMOBOM", true);
    EXPECT_EQ(shortName.status, 0) << shortName.out;
    for (const std::string& f : Findings(shortName.out))
        EXPECT_EQ(f.find(" F "), std::string::npos) << f;
    EXPECT_EQ(env.queryOutside(usedAt41), "1") << shortName.out;
    EXPECT_EQ(compiled("DEMOBOM"), "");

    // a field the record does not hold is one finding, of the condition
    ASSERT_TRUE(env.execOutside("UPDATE QV_OCS SET XCSTXT = 'IF COND(''#OrderData.NOSUCHF *NE ''''X'''''')' "
                                "WHERE XCSCMP = 'DEMOBOM' AND XCSSEQ = 41;"));
    ToolResult unknown = component("DEMOBOM");
    EXPECT_EQ(unknown.status, 1) << unknown.out;
    std::vector<std::string> fatal;
    for (const std::string& f : Findings(unknown.out))
        if (f.find(" F ") != std::string::npos)
            fatal.push_back(f);
    EXPECT_EQ(fatal, Lines{"DCM0408 F Line 41 IF: Component property #ORDERDATA.NOSUCHF is not known."}) << unknown.out;
}

}  // namespace
