// The file commands' code: the argument block of a request, its key,
// field and WHERE groups, the read loop of a WHERE kept in code, the
// changes and their loop form, the file-control commands, and the common
// open of every used file. Expected texts are the templates filled in by
// hand for the order files of the sample repository.
#include "checked_access.h"
#include "emit_fixture.h"

#include "generator/core/components/description_tables.h"
#include "generator/core/model/definitions.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/io_support.h"
#include "platform/dqoo/dqoo_fixture.h"

namespace emitters_test {
namespace {

class IoEmitters : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        for (const char* name : {"IOCOMP", "IOLSTAT", "IOPROD", "IOWANT"})
            field(name, 'A', 10);
        for (const char* name : {"IOORDNO", "IOLINE", "IOSUBL", "IOSEQ", "IOLIMIT", "IOCOUNT", "CUSTNO"})
            field(name, 'P', 7);
        field("IOLVALUE", 'P', 11, 2);
        field("CUSTNAM", 'A', 30);
        field("IO$STS", 'A', 2);
    }

    /* An I/O command with the defaults of its outcome parameters. */
    FFC_PARSED_COMMAND& io(const std::string& name, const std::string& file)
    {
        FFC_PARSED_COMMAND& p = command(name, name + " " + file);
        const char* keyword = name == "INSERT"      ? "TO_FILE"
                              : name == "UPDATE"    ? "IN_FILE"
                              : name == "CHECK_FOR" ? "FOR_FILE"
                                                    : "FROM_FILE";
        set(p, keyword, file);
        set(p, keyword, "*FIRST", 1);
        for (auto [k, v] : std::initializer_list<std::pair<const char*, const char*>>{{"IO_STATUS", "*STATUS"},
                                                                                      {"IO_ERROR", "*ABORT"},
                                                                                      {"VAL_ERROR", "*LASTDIS"},
                                                                                      {"NOT_FOUND", "*NEXT"},
                                                                                      {"LOCK", "*NO"},
                                                                                      {"NBR_KEYS", "*WITHKEY"},
                                                                                      {"AUTOCOMMIT", "*FILEDEF"},
                                                                                      {"END_FILE", "*NEXT"},
                                                                                      {"GENERIC", "*NO"}})
            if (dqov::cmdparm::FindParam(
                    dqov::cmdparm::kCommands[static_cast<size_t>(dqov::cmdparm::FindCommand(name))], k) >= 0)
                set(p, k, v);
        return p;
    }

    static int count(const std::vector<Line>& ls, const std::string& text)
    {
        int n = 0;
        for (const Line& l : ls)
            n += l.text.find(text) != std::string::npos ? 1 : 0;
        return n;
    }

    bool issued(const std::string& id)
    {
        for (const std::string& m : issuedMessages())
            if (m.rfind(id, 0) == 0)
                return true;
        return false;
    }
};

TEST_F(IoEmitters, FetchWithoutWhereReadsOnceWithItsSevenInitialiserLines)
{
    FFC_PARSED_COMMAND& p = io("FETCH", "CUSTMST");
    list(p, "FIELDS", {"#CUSTNAM"});
    list(p, "WITH_KEY", {"#CUSTNO"});
    const std::vector<Line> ls = dispatch(p);
    const std::string seq = std::to_string(p.sSequence);
    const std::vector<std::string> block = {"static X_BOOL fChangedByPoint = FALSE;",
                                            "struct X_DBM X_DBM_Fch_" + seq + " =",
                                            "{",
                                            "X_DBM_V9, \"CUSTMST   \", X_DBM_FETCH, \"\", 0, pX_NULL,",
                                            "0, pX_NULL, 0, pX_NULL, NO, 0, pX_NULL,",
                                            "NO, 0, NO, 0, NO, NO, NO, NO, NO, NO, NO, X_DBM_COMMIT_NO,",
                                            "NO, pX_NULL, NO, " + seq + ", 0, pX_NULL, 0, pX_NULL,",
                                            "\"CUSTMST\", NO, \"\", NO, NO, pX_NULL, NO, TRUE, FALSE,",
                                            "X_FILE_LIB_DFT, NO, X_FILE_MBR_DFT, X_FILE_MBR_DFT,",
                                            "0, pX_NULL, pX_NULL, \"CUSTMST   \"",
                                            "};"};
    const std::vector<std::string> t = texts(ls);
    auto at = std::search(t.begin(), t.end(), block.begin(), block.end());
    ASSERT_NE(at, t.end()) << dump(ls);
    /* the values one level deeper than the opening */
    const size_t first = static_cast<size_t>(at - t.begin());
    EXPECT_EQ(ls[first + 3].indent, ls[first + 1].indent + 3);
    EXPECT_EQ(count(ls, "X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, &X_DBM_Fch_" + seq + ", \"CUSTMST\" );"), 1);
    EXPECT_EQ(count(ls, "do"), 0);
    EXPECT_TRUE(holdsText(ls, "X_GET_IO_STATUS( X_DBM_Fch_" + seq + " )"));
    EXPECT_TRUE(holdsText(ls, "X_CONVERT_IO_STATUS (X_DBM_END_FILE,X_DBM_NO_RECORD)"));
    /* NOT_FOUND(*NEXT): no no-record action; LOCK(*NO): no lock line, no warning */
    EXPECT_EQ(count(ls, "Handle a no record error"), 0);
    EXPECT_EQ(count(ls, "chLock"), 0);
    EXPECT_FALSE(issued("PRC1014"));
    EXPECT_TRUE(holdsText(ls, "X_DBM_Fch_" + seq + ".pModuleBinding = &INSTANCE_S3(X_OAM_Binding_CUSTMST);"));
}

TEST_F(IoEmitters, FiveKeysGiveALineOfFourAndALineOfOne)
{
    FFC_PARSED_COMMAND& p = io("FETCH", "IOORDLN");
    list(p, "FIELDS", {"#IOPROD"});
    list(p, "WITH_KEY", {"#IOCOMP", "#IOORDNO", "#IOLINE", "#IOSUBL", "#IOSEQ"});
    set(p, "NBR_KEYS", "#IOCOUNT");
    set(p, "NOT_FOUND", "*ERROR");
    const std::vector<Line> ls = dispatch(p);
    const std::string seq = std::to_string(p.sSequence), n = P3109_State().lineNumberText;
    const std::vector<std::string> keys = {"static const X_SHORT asX_Key_" + n + "[] =", "{",
                                           "    V_FIELD_IOCOMP, V_FIELD_IOORDNO, V_FIELD_IOLINE, V_FIELD_IOSUBL, ",
                                           "   V_FIELD_IOSEQ", "};"};
    const std::vector<std::string> t = texts(ls);
    EXPECT_NE(std::search(t.begin(), t.end(), keys.begin(), keys.end()), t.end()) << dump(ls);
    /* a count field checks the keys; a fatal error ends the main routine */
    EXPECT_TRUE(holdsText(ls, "X_Check_Key_Count( pX_Ids, pX_Pro, pX_Fun, pX_Fld, &(X_DBM_Fch_" + seq +
                                  "), V_FIELD_IOCOUNT );"));
    EXPECT_TRUE(holdsText(ls, "   memcpy(INSTANCE(vchLastIOStatus),X_DBM_FATAL_ERROR,2);"));
    EXPECT_TRUE(holdsText(ls, "X_MAIN_CHECK_FATAL(" + P3109_State().cName + ")"));
    EXPECT_EQ(count(ls, "return(NO);"), 0);
    EXPECT_EQ(count(ls, "Handle a no record error"), 1);
}

// The routine the object layer compiles of WHERE('#IOLSTAT = #IOWANT'),
// #IOLSTAT a field of the file: the condition's routine, and the tables
// that hand the WHERE to the I/O module.
const char* const kModuleWhere = R"(
NODE stat kind=1007 field=IOLSTAT
NODE want kind=1007 field=IOWANT
REFERENCE D0000001
ELEMENT kind=200
ELEMENT kind=270 code=O node=stat
ELEMENT kind=270 code=G
ELEMENT kind=270 code=P node=want
ELEMENT kind=210
ELEMENT kind=220
ELEMENT kind=271 code=A node=stat
ELEMENT kind=271 code=B node=want
ELEMENT kind=271 code=C
ELEMENT kind=230
ELEMENT kind=240
ELEMENT kind=272 code=H first=1 second=2 third=3
ELEMENT kind=272 code=A second=3
ELEMENT kind=250
)";

// The WHERE's routine, which the command holds, gives the module its
// tables through the rows of its elements; no loop is written.
TEST_F(IoEmitters, WhereOfAFileFieldGoesToTheModule)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kModuleWhere, error, sizeof error), 0) << error;
    FFC_PARSED_COMMAND& p = io("FETCH", "IOORDLN");
    list(p, "FIELDS", {"#IOPROD"});
    set(p, "WHERE", "#IOLSTAT = #IOWANT");
    std::memcpy(p.acRoutineRef, "\x03"
                                "D0000001",
                9);
    const std::vector<Line> ls = dispatch(p);
    const std::string n = P3109_State().lineNumberText;
    const std::vector<std::string> where = {"static const struct X_DBM_WHERE asWhere_Group_" + n + "[] =", "{",
                                            "X_DBM_WHERE_NAME, V_FIELD_IOLSTAT, X_DBM_WHERE_EQ, 0,",
                                            "X_DBM_WHERE_VALUE, V_FIELD_IOWANT", "};"};
    const std::vector<std::string> t = texts(ls);
    EXPECT_NE(std::search(t.begin(), t.end(), where.begin(), where.end()), t.end()) << dump(ls);
    const std::vector<std::string> component = {"X_DBM_COMPONENT_FIELD_NAME, V_FIELD_IOLSTAT,",
                                                "X_DBM_COMPONENT_FIELD_VALUE, V_FIELD_IOWANT,",
                                                "X_DBM_COMPONENT_LGL_RESULT, V_NOT_AVAILABLE", "};"};
    EXPECT_NE(std::search(t.begin(), t.end(), component.begin(), component.end()), t.end());
    const std::vector<std::string> activity = {"X_DBM_ACTIVITY_EQ, 1, 2, 3,", "X_DBM_ACTIVITY_IF, 0, 3, 0", "};"};
    EXPECT_NE(std::search(t.begin(), t.end(), activity.begin(), activity.end()), t.end());
    EXPECT_EQ(count(ls, "X_PDF_Execute_IO_Module"), 1);
    EXPECT_EQ(count(ls, "do"), 0);
    EXPECT_FALSE(issued("PRC1003"));
}

// A WHERE the checker left as text (none compiled it) is evaluated in
// code, even when it names a field of the file: the module's tables come
// only from a compiled routine.
TEST_F(IoEmitters, WhereLeftAsTextIsEvaluatedInCode)
{
    FFC_PARSED_COMMAND& p = io("FETCH", "IOORDLN");
    list(p, "FIELDS", {"#IOPROD"});
    set(p, "WHERE", "#IOLSTAT = #IOWANT");
    const std::vector<Line> ls = dispatch(p);
    EXPECT_EQ(count(ls, "Where_Group"), 0) << dump(ls);
    EXPECT_TRUE(holdsText(ls, "X_DBM_Fch_" + std::to_string(p.sSequence) + ".chWhereZOPH = YES;"));
    EXPECT_TRUE(issued("PRC1003 W FETCH"));
}

// The fields of a WHERE prepared as text, classified against the file: the
// module can take the WHERE when a field of the file stands at the outer
// level, alone or in a bracket that holds one; a virtual field of the file,
// or a bracket without a field of the file, keeps it in code.
TEST_F(IoEmitters, WhereFieldsAreClassifiedAgainstTheFile)
{
    struct Case {
        const char* where;
        char result;
    };
    const Case kCases[] = {
        {"#IOLSTAT = #IOWANT", 'Y'},
        {"(#IOLSTAT = #IOWANT) *AND (#IOPROD = #IOCOMP)", 'Y'},
        {"#IOLVALUE > #IOLIMIT", 'N'},                            /* a virtual field */
        {"#IOWANT = #CUSTNAM", 'N'},                              /* no field of the file */
        {"(#IOLSTAT = #IOWANT) *AND (#IOCOUNT > #IOLIMIT)", 'N'}, /* a bracket without one */
    };
    const auto markOf = [](const std::vector<char>& marks, const char* name) {
        const DC_EXPRESSION_REQUEST& q = P3109_EvaluationRequest().request;
        for (int16_t i = 0; i < q.sOperandCount && static_cast<size_t>(i) < marks.size(); ++i)
            if (P3109_TrimRight(std::string(q.aOperands[i].acName, sizeof q.aOperands[i].acName)) == name)
                return marks[static_cast<size_t>(i)];
        return '?';
    };
    for (const Case& c : kCases) {
        GEN_EVALUATION_NODE node;
        node.text = c.where;
        node.cResultKind = 'L';
        P3109_PrepareEvaluationRequest(node);
        ASSERT_EQ(P3109_EvaluationRequest().request.lError, 0) << c.where;
        std::vector<char> marks;
        EXPECT_EQ(P3109_fClassifyWhereFields("IOORDLN", "DEMLIB", marks), c.result) << c.where;
        EXPECT_EQ(marks.size(), static_cast<size_t>(P3109_EvaluationRequest().request.sOperandCount)) << c.where;
        if (c.result == 'Y') {
            EXPECT_EQ(markOf(marks, "#IOLSTAT"), 'N') << c.where;
            EXPECT_EQ(markOf(marks, "#IOWANT"), 'V') << c.where;
        }
    }
    /* another file holds none of them */
    std::vector<char> marks;
    EXPECT_EQ(P3109_fClassifyWhereFields("IOORDHD", "DEMLIB", marks), 'N');
}

TEST_F(IoEmitters, WhereOfAVirtualFieldStaysInCodeAndLoops)
{
    FFC_PARSED_COMMAND& p = io("FETCH", "IOORDLN");
    list(p, "FIELDS", {"#IOPROD"});
    set(p, "WHERE", "#IOLVALUE > #IOLIMIT");
    const std::vector<Line> ls = dispatch(p);
    const std::string b = "X_DBM_Fch_" + std::to_string(p.sSequence);
    EXPECT_TRUE(holdsText(ls, b + ".chWhereZOPH = YES;")) << dump(ls);
    const std::vector<std::string> loop = {b + ".sDBMRequest = X_DBM_FETCH_NEXT;",
                                           "} while ( ( memcmp( " + b + ".vchReturnCode, X_DBM_OKAY, 2 ) == 0 )",
                                           "      && (Evaluation_Routine_1(FUNCTION_STD_PARMS) == NO));", " "};
    const std::vector<std::string> t = texts(ls);
    EXPECT_NE(std::search(t.begin(), t.end(), loop.begin(), loop.end()), t.end()) << dump(ls);
    /* the read and the close of the cursor, both through the module */
    EXPECT_EQ(count(ls, "X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, &" + b), 2);
    EXPECT_TRUE(holdsText(ls, b + ".sDBMRequest = X_DBM_CURSOR_CLOSE;"));
    /* without key values the WHERE reads every record: the warning says so */
    EXPECT_TRUE(issued("PRC1003 W FETCH"));
    EXPECT_EQ(checked::Last(P3109_EvaluationChain()).text.substr(0, 20), "#IOLVALUE > #IOLIMIT");
}

TEST_F(IoEmitters, DeleteKeptInCodeLoopsAndCountsWhatItDeleted)
{
    FFC_PARSED_COMMAND& p = io("DELETE", "IOORDLN");
    set(p, "WHERE", "#IOLVALUE < #IOLIMIT");
    const int32_t commits = P3109_State().emit.lIgnored1015;
    const std::vector<Line> ls = dispatch(p);
    const std::string b = "X_DBM_Dlt_" + std::to_string(p.sSequence);
    const std::vector<std::string> loop = {b + ".sDBMRequest = X_DBM_DELETE_NEXT;",
                                           b + ".chActionRow = Evaluation_Routine_1(FUNCTION_STD_PARMS);",
                                           "if ( " + b + ".chActionRow == YES ) X_DeleteCount++;",
                                           "} while ( memcmp( " + b + ".vchReturnCode, X_DBM_OKAY, 2 ) == 0 );"};
    const std::vector<std::string> t = texts(ls);
    EXPECT_NE(std::search(t.begin(), t.end(), loop.begin(), loop.end()), t.end()) << dump(ls);
    EXPECT_TRUE(holdsText(ls, "X_LONG X_DeleteCount = 0;"));
    const std::vector<std::string> conversion = {"if (X_DeleteCount > 0)",
                                                 "{",
                                                 "X_CONVERT_IO_STATUS (X_DBM_END_FILE,X_DBM_OKAY)",
                                                 "X_CONVERT_IO_STATUS (X_DBM_BEGIN_FILE,X_DBM_OKAY)",
                                                 "}",
                                                 "else",
                                                 "{",
                                                 "X_CONVERT_IO_STATUS (X_DBM_END_FILE,X_DBM_NO_RECORD)"};
    EXPECT_NE(std::search(t.begin(), t.end(), conversion.begin(), conversion.end()), t.end());
    EXPECT_EQ(count(ls, "X_PDF_Execute_IO_Module"), 2);
    /* NOT_FOUND(*NEXT): no branch; AUTOCOMMIT(*FILEDEF): no commitment control */
    EXPECT_EQ(count(ls, "Handle no records deleted branch"), 0);
    EXPECT_EQ(P3109_State().emit.lIgnored1015, commits);

    /* by key: one request, no loop, and the no-record branch of NOT_FOUND */
    FFC_PARSED_COMMAND& k = io("DELETE", "IOORDHD");
    list(k, "WITH_KEY", {"#IOCOMP", "#IOORDNO"});
    set(k, "NOT_FOUND", "*ERROR");
    set(k, "AUTOCOMMIT", "*YES");
    const std::vector<Line> keyed = dispatch(k);
    EXPECT_EQ(count(keyed, "X_DeleteCount"), 0) << dump(keyed);
    EXPECT_EQ(count(keyed, "X_PDF_Execute_IO_Module"), 1);
    EXPECT_EQ(count(keyed, "Handle no records deleted branch"), 1);
    EXPECT_TRUE(holdsText(keyed, "NO, 0, NO, 0, NO, NO, NO, NO, NO, NO, NO, X_DBM_COMMIT_YES,"));
    EXPECT_EQ(P3109_State().emit.lIgnored1015, commits + 1);
}

TEST_F(IoEmitters, UpdateLoopAppliesTheRenamesAtBothCalls)
{
    P3109_Definitions().renames.push_back(
        {P3109_Padded("IOORDLN", 10), P3109_Padded("IOPRICE", 10), P3109_Padded("IOLIMIT", 10)});
    field("IOPRICE", 'P', 9, 2);
    FFC_PARSED_COMMAND& p = io("UPDATE", "IOORDLN");
    list(p, "FIELDS", {"#IOLIMIT", "#IOPROD"});
    set(p, "WHERE", "#IOLVALUE > 0");
    const std::vector<Line> ls = dispatch(p);
    EXPECT_EQ(count(ls, "X_CLEAR_RENAME_STACK"), 2) << dump(ls);
    EXPECT_EQ(count(ls, "X_APPLY_RENAME(V_FIELD_IOLIMIT,V_FIELD_IOPRICE)"), 2);
    EXPECT_EQ(count(ls, "X_REMOVE_RENAMES"), 2);
    EXPECT_TRUE(holdsText(ls, "X_LONG X_UpdateCount = 0;"));
    const std::vector<Line> table = lines([] { P3109_EmitRenameTable(); });
    EXPECT_TRUE(holdsText(table, "static X_FUN_RENAMES aRenames[] = ")) << dump(table);
    EXPECT_EQ(table.back().text, "};");
    EXPECT_EQ(table[table.size() - 2],
              (Line{6, static_cast<uint16_t>(table.back().indent + 3), "\"IOORDLN\",V_FIELD_IOLIMIT,V_FIELD_IOPRICE"}));
    /* in C# the table is an array member of the function class */
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::vector<Line> csTable = lines([] { P3109_EmitRenameTable(); });
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_TRUE(holdsText(csTable, "private static X_FUN_RENAMES[] aRenames = new X_FUN_RENAMES[] ")) << dump(csTable);
    EXPECT_EQ(csTable[csTable.size() - 2].text, "new X_FUN_RENAMES( \"IOORDLN\", V_FIELD_IOLIMIT, V_FIELD_IOPRICE )");
    EXPECT_EQ(csTable.back().text, "};");
    /* a rename whose fields the function does not use gives no row, and a
       table without rows is not written */
    P3109_Definitions().renames = {
        {P3109_Padded("IOORDLN", 10), P3109_Padded("IOQTY", 10), P3109_Padded("NOTUSED", 10)}};
    EXPECT_TRUE(lines([] { P3109_EmitRenameTable(); }).empty());
    P3109_Definitions().renames.clear();
}

TEST_F(IoEmitters, CheckForConvertsToANotEqualKey)
{
    FFC_PARSED_COMMAND& p = io("CHECK_FOR", "IOORDLNV4");
    list(p, "WITH_KEY", {"#IOCOMP", "#IOORDNO", "#IOLINE", "#IOSUBL"});
    set(p, "NOT_FOUND", "*ERROR");
    const std::vector<Line> ls = dispatch(p);
    const std::string seq = std::to_string(p.sSequence);
    EXPECT_TRUE(holdsText(ls, "X_DBM_V9, \"IOORDLNV4 \", X_DBM_CHECK_FOR, X_DBM_EQUAL_KEY, 0, pX_NULL,")) << dump(ls);
    /* the view's physical file names its module */
    EXPECT_TRUE(
        holdsText(ls, "X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, &X_DBM_Chk_" + seq + ", \"IOORDLN\" );"));
    for (const char* from : {"X_DBM_END_FILE", "X_DBM_BEGIN_FILE", "X_DBM_NO_RECORD"})
        EXPECT_TRUE(holdsText(ls, std::string("X_CONVERT_IO_STATUS (") + from + ",X_DBM_NOT_EQUAL_KEY)"));
    EXPECT_TRUE(holdsText(ls, "if ( memcmp( INSTANCE(vchLastIOStatus), X_DBM_NOT_EQUAL_KEY, 2 ) == 0 )"));
    EXPECT_EQ(count(ls, "X_CLEAR_RENAME_STACK"), 0);
}

TEST_F(IoEmitters, OpenOfAllFilesKeptOpenWarnsAndAsksForTheCommonOpen)
{
    FFC_PARSED_COMMAND& p = command("OPEN", "OPEN USE_OPTION(*KEEPOPEN)");
    set(p, "FILE", "*ALL");
    set(p, "USE_OPTION", "*KEEPOPEN");
    set(p, "IO_ERROR", "*ABORT");
    const std::vector<Line> ls = dispatch(p);
    EXPECT_TRUE(holdsText(ls, "X_Open_Data_Base_" + P3109_ModuleName() + "( FUNCTION_STD_PARMS, YES );")) << dump(ls);
    EXPECT_EQ(count(ls, "{"), 1); /* the fatal-error action's only */
    EXPECT_TRUE(issued("PRC1010 W *KEEPOPEN"));
    EXPECT_EQ(P3109_State().emit.cOpenAll, 'Y');

    /* the common open of every used file not left out of it */
    writeRecord("USEFILE", "IOORDHD", "*LIBL", {{0, "PHY"}, {3, "IOORDHD"}, {13, "N"}});
    writeRecord("USEFILE", "CUSTMST", "*LIBL", {{0, "PHY"}, {3, "CUSTMST"}, {13, "Y"}});
    const std::vector<Line> common = lines([] { P3109_EmitDbmOpenStructs(); });
    const std::vector<std::string> t = texts(common);
    EXPECT_EQ(t.front(), "{") << dump(common);
    EXPECT_EQ(t.back(), "}");
    EXPECT_TRUE(holdsText(common, "X_DBM_Opn.chKeepOpen = chKeepOpen;"));
    EXPECT_TRUE(holdsText(common, "strcpy( X_DBM_Opn.vchTableName, \"IOORDHD   \" );"));
    EXPECT_TRUE(holdsText(common, "X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, &X_DBM_Opn, \"IOORDHD\" );"));
    EXPECT_EQ(count(common, "CUSTMST"), 0);
}

TEST_F(IoEmitters, CommonOpenAndCloseWriteNothingWithoutTheirCause)
{
    EXPECT_TRUE(lines([] { P3109_EmitDbmCloseStructs(); }).empty());
    writeRecord("USEFILE", "IOORDHD", "*LIBL", {{0, "PHY"}, {3, "IOORDHD"}, {13, "N"}});
    /* no OPEN of every file: no common open */
    EXPECT_TRUE(lines([] { P3109_EmitDbmOpenStructs(); }).empty());
    EXPECT_FALSE(lines([] { P3109_EmitDbmCloseStructs(); }).empty());
}

TEST_F(IoEmitters, CloseForcesTheCloseCommitBranchesOnFailure)
{
    FFC_PARSED_COMMAND& c = command("CLOSE", "CLOSE FILE(IOORDHD)");
    set(c, "FILE", "IOORDHD");
    set(c, "IO_ERROR", "*ABORT");
    const std::vector<Line> close = dispatch(c);
    const std::string b = "X_DBM_Cls_" + std::to_string(c.sSequence);
    const std::vector<std::string> force = {b + ".chForceClose = YES;", ""};
    const std::vector<std::string> t = texts(close);
    EXPECT_NE(std::search(t.begin(), t.end(), force.begin(), force.end()), t.end()) << dump(close);

    FFC_PARSED_COMMAND& r = command("ROLLBACK");
    const std::vector<Line> rollback = dispatch(r);
    const std::string rb = "X_DBM_Rollback_" + std::to_string(r.sSequence);
    EXPECT_TRUE(holdsText(rollback, "X_DBM_V9, \"N/AVAIL\", 0, \"\", 0, pX_NULL,")) << dump(rollback);
    EXPECT_TRUE(holdsText(rollback, rb + ".pX_Fld = pX_Fld;"));
    EXPECT_TRUE(holds(rollback, {{6, 0, "#ifdef X_VELMOX_V1_30_OR_LATER"}}));
    EXPECT_TRUE(holdsText(rollback, "lCommRollResult = X_Rollback_DBMS( pX_Ids, pX_Pro, pX_Fun, &" + rb + " );"));
    EXPECT_TRUE(holdsText(rollback, "lCommRollResult = X_DBM_Rollback( pX_Ids, pX_Pro, pX_Fun, &" + rb + " );"));
    EXPECT_TRUE(holdsText(rollback, "if (lCommRollResult < 0)"));
    EXPECT_TRUE(holdsText(rollback, "X_MAIN_ABORT (" + P3109_ModuleName() + ")"));
    EXPECT_EQ(count(rollback, "pModuleBinding"), 0);
}

TEST_F(IoEmitters, PointOfTheLibraryListClearsTheOverride)
{
    FFC_PARSED_COMMAND& p = command("POINT", "POINT FILE(IOORDHD)");
    set(p, "FILE", "IOORDHD");
    set(p, "FILE", "*FIRST", 1);
    set(p, "TO_FILE", "*SAME");
    set(p, "TO_LIBRARY", "*LIBL");
    set(p, "TO_MEMBER", "*FIRST");
    current(p);
    P3109_State().out.cSuppress = 'Y';
    P3109_EmitPoint();
    P3109_State().out.cSuppress = 'N';
    const std::vector<Line> ls = dispatch(p);
    EXPECT_TRUE(holdsText(ls, "INSTANCE(X_Point_IOORDHDx_FIRST.vchLibrary)[0] = LOVAL;")) << dump(ls);
    EXPECT_TRUE(issued("PRC0385 W POINT"));
    /* a later request of the file is redirected by the point structure */
    FFC_PARSED_COMMAND& f = io("FETCH", "IOORDHD");
    list(f, "FIELDS", {"#IOCOMP"});
    const std::vector<Line> fetch = dispatch(f);
    EXPECT_TRUE(holdsText(fetch, "if ( INSTANCE(X_Point_IOORDHDx_FIRST.vchLibrary)[0] )")) << dump(fetch);
    EXPECT_TRUE(holdsText(fetch, "else if ( fChangedByPoint )"));
}

// Two compiled WHERE conditions: the first sets system variables, so the
// module evaluates it from its rows; the second is the condition routine's.
const char* const kCompiledWheres = R"(
NODE f kind=1007 field=IOLSTAT
REFERENCE D0000001
ELEMENT kind=200
ELEMENT kind=270 code=G
ELEMENT kind=270 code=O node=f
ELEMENT kind=210
REFERENCE D0000002
ELEMENT kind=270 code=A
)";

TEST_F(IoEmitters, CompiledWhereByWhatItsRoutineHolds)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kCompiledWheres, error, sizeof error), 0) << error;
    FFC_PARSED_COMMAND& module = io("FETCH", "IOORDLN");
    list(module, "FIELDS", {"#IOPROD"});
    set(module, "WHERE", std::string{3, 'D', '0', '0', '0', '0', '0', '0', '1'});
    const std::vector<Line> rows = dispatch(module);
    EXPECT_TRUE(holdsText(rows, "X_DBM_WHERE_EQ, 0, X_DBM_WHERE_NAME, V_FIELD_IOLSTAT")) << dump(rows);
    EXPECT_EQ(count(rows, "do"), 0);
    FFC_PARSED_COMMAND& code = io("FETCH", "IOORDLN");
    list(code, "FIELDS", {"#IOPROD"});
    set(code, "WHERE", std::string{3, 'D', '0', '0', '0', '0', '0', '0', '2'});
    const std::vector<Line> loop = dispatch(code);
    EXPECT_TRUE(holdsText(loop, "      && ( !( Boolean_Evaluation_Routine_2(FUNCTION_STD_PARMS) ) ));")) << dump(loop);
    EXPECT_EQ(count(loop, "Where_Group"), 0);
}

// A statement whose values the object layer evaluates (statement
// evaluations of the command's line): the request is framed by an X_VAR
// frame instead of a plain block; a statement without them keeps the block.
TEST_F(IoEmitters, StatementEvaluationsFrameTheRequestInAnXVarFrame)
{
    FFC_PARSED_COMMAND& plain = io("FETCH", "CUSTMST");
    list(plain, "FIELDS", {"#CUSTNAM"});
    list(plain, "WITH_KEY", {"#CUSTNO"});
    FFC_PARSED_COMMAND& evaluated = io("FETCH", "CUSTMST");
    list(evaluated, "FIELDS", {"#CUSTNAM"});
    list(evaluated, "WITH_KEY", {"#CUSTNO"});
    const std::string fixture = "EVALUATIONS " + std::to_string(evaluated.sLine) + " CUSTNO CUSTNAM\n";
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(fixture.c_str(), error, sizeof error), 0) << error;

    const std::vector<Line> block = dispatch(plain);
    EXPECT_EQ(count(block, "X_VAR_InitializeFunctionFrame"), 0) << dump(block);
    const std::vector<Line> framed = dispatch(evaluated);
    EXPECT_EQ(count(framed, "/* Define and Initialize an X_VAR Frame */"), 1) << dump(framed);
    EXPECT_EQ(count(framed, "X_VAR_InitializeFunctionFrame( FUNCTION_STD_PARMS, pFrame );"), 1);
    EXPECT_EQ(count(framed, "/* Terminate X_VAR Frame */"), 1);
    EXPECT_EQ(count(framed, "X_VAR_TerminateFrame( pFrame );"), 1);
    /* the request itself inside the frame */
    const std::string seq = std::to_string(evaluated.sSequence);
    EXPECT_EQ(count(framed, "X_PDF_Execute_IO_Module( pX_Ids, pX_Pro, pX_Fun, &X_DBM_Fch_" + seq + ", \"CUSTMST\" );"),
              1);
}

TEST_F(IoEmitters, NamesInCStringsCannotEndTheirLiteral)
{
    EXPECT_EQ(P3109_QuotedCText("A\"B\\C?D\n  "), "A\\x22\"\"B\\x5C\"\"C\\x3F\"\"D   ");
    // a NUL is a control character like any other; trailing blanks stay
    EXPECT_EQ(P3109_QuotedCText(std::string("A\0'B  ", 6)), "A \\x27\"\"B  ");
    EXPECT_EQ(P3109_QuotedCText("   "), "   ");
    EXPECT_EQ(P3109_QuotedCText(""), "");
    EXPECT_EQ(P3109_QuotedText("X?\t"), "\"X\\x3F\"\" \"");
    EXPECT_EQ(P3109_IoModuleName(std::string("AB\0CD", 5)), "AB");
    EXPECT_EQ(P3109_IoModuleName("          "), " ");
}

// A CHANGE of the I/O status field keeps the function's last I/O status:
// right after the field's move the status is loaded from it, at the
// command's indent in the current stream, in C or in C#; the move of any
// other field loads nothing.
TEST_F(IoEmitters, ChangeOfTheStatusFieldLoadsTheLastIoStatus)
{
    const std::string cLoad = "memcpy(INSTANCE(vchLastIOStatus),pX_Fld[V_FIELD_IOdSTS].pField,2);";
    const std::string csLoad = "DqooDef.X_CPYBYTES( ref pGlobal1.vchLastIOStatus, pX_Fld[V_FIELD_IOdSTS].pField, 2 );";
    auto change = [this](std::initializer_list<std::string> fields) {
        FFC_PARSED_COMMAND& p = command("CHANGE");
        list(p, "FIELD", fields);
        set(p, "TO", "#IOLSTAT");
        current(p);
        P3109_State().emit.cLastIoStatus = 'N';
        return lines([] { P3109_EmitChange(); });
    };

    const std::vector<Line> other = change({"#IOCOMP"});
    EXPECT_EQ(count(other, "vchLastIOStatus"), 0) << dump(other);
    EXPECT_EQ(P3109_State().emit.cLastIoStatus, 'N');

    const std::vector<Line> c = change({"#IOCOMP", "#IO$STS"});
    ASSERT_EQ(count(c, "vchLastIOStatus"), 1) << dump(c);
    EXPECT_EQ(c.back(), (Line{kCurrent, 3, cLoad})) << dump(c);
    EXPECT_EQ(P3109_State().emit.cLastIoStatus, 'Y');

    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::vector<Line> cs = change({"#IO$STS", "#IOCOMP"});
    ASSERT_EQ(count(cs, "vchLastIOStatus"), 1) << dump(cs);
    EXPECT_TRUE(holdsText(cs, csLoad));
    EXPECT_NE(cs.back().text, csLoad) << "the load follows the status field's own move";
    EXPECT_EQ(P3109_State().emit.cLastIoStatus, 'Y');
}

}  // namespace
}  // namespace emitters_test
