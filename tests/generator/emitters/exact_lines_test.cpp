// The lines of generated code that carry a value, an order or a length,
// where a wrong one would compile all the same: the calls of a report's
// heading routine in their order and number, the default term of an I/O
// status test, and "not available" set field by field into alphanumeric
// fields of two, three and four characters.
#include <map>
#include <set>

#include "sample_checks.h"

namespace emitters_test {
namespace {

class ExactLines : public SampleJob {
protected:
    void expectBlock(const std::vector<std::string>& lines, const std::vector<std::string>& block)
    {
        EXPECT_NE(findBlock(lines, block), std::string::npos) << "missing:\n" << shown(block) << near(lines, block);
    }
};

// LSTRPT's heading #LRHEAD (fields #LSTREG and the page number, no trigger
// fields: the overflow form): when it fires, the trigger values are saved
// into the second slot, the trailing values restored, the heading's one
// print routine called once, and the trigger values restored from the
// second slot, in that order; then the unsatisfied overflow, and the
// column headings of the detail line (three lines) on a new page.
TEST_F(ExactLines, ReportHeadingPrintsOnceBetweenItsSavesAndRestores)
{
    const std::string c = generateFunction("LSTRPT", "DEMOLST");
    ASSERT_FALSE(c.empty());
    const std::vector<std::string> lines = programLines(c);
    const std::string trigger = "scLRHEAD_Trigger,((X_SHORT*) asLRHEAD_Trigger), ";
    const std::string trail = "scLRHEAD_Trail,((X_SHORT*) asLRHEAD_Trail), ";
    expectBlock(lines, {"F_VOID_FUNCTION Print_Headings_1 (FUNCTION_STD_ARGS)", "{",
                        "INSTANCE(X_Report_1.chNewPageFlag) = NO;", "{"});
    expectBlock(lines, {"if ((INSTANCE(X_Report_1.chLevelBreak) != YES)", "|| (INSTANCE(X_Report_1.sPIMCallCount) == 0))",
                        "{", "X_Vec_Save_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,", trigger + "1, INSTANCE(aStorePointers) );",
                        "X_Vec_Save_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,", trail + "3, INSTANCE(aStorePointers) );", "}",
                        "/* Print any foot lines */", "if (INSTANCE(X_Report_1.chNewPageFlag) != YES)", "{",
                        "Print_Footings_1 (1, FUNCTION_STD_PARMS);", "}", "/* Set the new page flag */",
                        "INSTANCE(X_Report_1.chNewPageFlag) = YES;", "X_Vec_Save_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,",
                        trigger + "2, INSTANCE(aStorePointers) );", "X_Vec_Restore_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,",
                        trail + "3, INSTANCE(aStorePointers) );", "Print_Routine_<n> (FUNCTION_STD_PARMS);",
                        "X_Vec_Restore_Values( pX_Ids, pX_Pro, pX_Fun, pX_Fld,",
                        trigger + "2, INSTANCE(aStorePointers) );", "}", "}", "/* Handle an unsatisfied overflow */",
                        "if (((INSTANCE(X_Report_1.chOverFlowOn) == YES)", "|| (INSTANCE(X_Report_1.sPIMCallCount) == 0))",
                        "&& (INSTANCE(X_Report_1.chNewPageFlag) == NO))", "{", "Print_Footings_1 (1, FUNCTION_STD_PARMS);",
                        "X_Skip_To_Line (FUNCTION_STD_PARMS,&(INSTANCE(X_Report_1)),1);",
                        "INSTANCE(X_Report_1.chNewPageFlag) = YES;", "}",
                        "/* Now print required \"Type 2\" detail line headings */",
                        "if (INSTANCE(X_Report_1.chNewPageFlag) == YES)", "{", "Print_Routine_<n> (FUNCTION_STD_PARMS);",
                        "Print_Routine_<n> (FUNCTION_STD_PARMS);", "Print_Routine_<n> (FUNCTION_STD_PARMS);", "}",
                        "INSTANCE(X_Report_1.chOverFlowOn) = NO;", "return;", "}"});
}

// IF_STATUS without IS tests the last I/O status for *OKAY, the default of
// IS, and nothing else; with IS given that is what it tests.
TEST_F(ExactLines, TheDefaultTermOfAnIoStatusTest)
{
    addFunction("DEMORUN", "STSDFT",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#STSA) TYPE(*CHAR) LENGTH(2)", "IF_STATUS",
                 "CHANGE FIELD(#STSA) TO(*BLANK)", "ENDIF", "IF_STATUS IS(*NORECORD *ENDFILE)",
                 "CHANGE FIELD(#STSA) TO(*BLANK)", "ENDIF", "RETURN"});
    const std::string c = generateFunction("STSDFT", "DEMORUN");
    ASSERT_FALSE(c.empty());
    const std::vector<std::string> lines = programLines(c);
    expectBlock(lines, {"// IF_STATUS", "//", "pX_Fun->sSequence = 3;", "#if defined(X_DEBUG)",
                        "if (DebugMain(FUNCTION_STD_PARMS,_IF_STATUS_COMMAND)) return;", "#endif",
                        "if ((memcmp(INSTANCE(vchLastIOStatus),X_DBM_OKAY,2) == 0))", "{"});
    expectBlock(lines, {"if ((memcmp(INSTANCE(vchLastIOStatus),X_DBM_NO_RECORD,2) == 0)",
                        "|| (memcmp(INSTANCE(vchLastIOStatus),X_DBM_END_FILE,2) == 0))", "{"});
    EXPECT_EQ(c.find("X_DBM_OKAY,2) == 0)", c.find("IF_STATUS IS(*NORECORD")), std::string::npos)
        << "no *OKAY term where IS is given";
}

// CHANGE of a group to *NAVAIL sets its fields one by one: an alphanumeric
// field of three characters or more takes the text N/A, one of two
// characters is blanked (as by *BLANK).
TEST_F(ExactLines, NotAvailableFieldByFieldByTheFieldsLength)
{
    addFunction("DEMORUN", "NAVGRP",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#NA2) TYPE(*CHAR) LENGTH(2)",
                 "DEFINE FIELD(#NA3) TYPE(*CHAR) LENGTH(3)", "DEFINE FIELD(#NA4) TYPE(*CHAR) LENGTH(4)",
                 "GROUP_BY NAME(XG_NAV) FIELDS(#NA2 #NA3 #NA4)", "CHANGE FIELD(XG_NAV) TO(*NAVAIL)", "RETURN"});
    const std::string c = generateFunction("NAVGRP", "DEMORUN");
    ASSERT_FALSE(c.empty());
    const std::vector<std::string> lines = programLines(c);
    expectBlock(lines, {"/* Change to special N/A value */", "{", "X_PDICTIONARY_FIELD pField;",
                        "pField = pX_Fld[V_FIELD_NA2].pField;",
                        "memset(pField,X_CLEAR_ALPHA,pX_Fld[V_FIELD_NA2].sByteLen);",
                        "pX_Fld[V_FIELD_NA2].sIndexVOV = 0;",
                        "X_Refresh_Component_Value(pX_Ids,pX_Pro,pX_Fun,(pX_Fld + V_FIELD_NA2));", "}",
                        "/* Change to special N/A value */",
                        "X_Vec_Set_from_Vchar (pX_Ids, pX_Pro, pX_Fun, pX_Fld,", "V_FIELD_NA3,\"N/A\");",
                        "/* Change to special N/A value */",
                        "X_Vec_Set_from_Vchar (pX_Ids, pX_Pro, pX_Fun, pX_Fld,", "V_FIELD_NA4,\"N/A\");"});
    EXPECT_EQ(c.find("V_FIELD_NA2,\"N/A\""), std::string::npos);
}

// IF_MODE tests each mode it lists, all four of them, one term a line.
TEST_F(ExactLines, EveryModeOfAModeTest)
{
    addFunction("DEMORUN", "MODALL",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#MDA) TYPE(*CHAR) LENGTH(2)",
                 "IF_MODE IS(*DISPLAY *ADD *CHANGE *DELETE)", "CHANGE FIELD(#MDA) TO(*BLANK)", "ENDIF", "RETURN"});
    const std::string c = generateFunction("MODALL", "DEMORUN");
    ASSERT_FALSE(c.empty());
    expectBlock(programLines(c), {"if ((X_FUNCTION_MODE_IS_DISPLAY)", "|| (X_FUNCTION_MODE_IS_ADD)",
                                  "|| (X_FUNCTION_MODE_IS_CHANGE)", "|| (X_FUNCTION_MODE_IS_DELETE))", "{"});
}

// Every command that runs (FUNCTION too) tells the debugger its name through
// a constant the program's header declares once, and a definition command
// (DEFINE) has no hook and no constant. Two functions generated one after the other in the same
// run, the second naming in another order the commands the first used, each
// declare the names of their own hooks.
TEST_F(ExactLines, EveryDebuggerHookNamesOneDeclaredCommand)
{
    addFunction("DEMORUN", "DBGNMA",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#DBA) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "CHANGE FIELD(#DBA) TO(1)", "IF COND('#DBA *GT 0')", "CHANGE FIELD(#DBA) TO(2)", "ENDIF",
                 "CHANGE FIELD(#DBA) TO(3)", "RETURN"});
    addFunction("DEMORUN", "DBGNMB",
                {"FUNCTION OPTIONS(*DIRECT)", "DEFINE FIELD(#DBB) TYPE(*DEC) LENGTH(5) DECIMALS(0)",
                 "BEGIN_LOOP FROM(1) TO(3)", "IF COND('#DBB *LT 9')", "CHANGE FIELD(#DBB) TO('#DBB + 1')", "ENDIF",
                 "END_LOOP", "CHANGE FIELD(#DBB) TO(0)", "RETURN"});
    const auto check = [this](const char* function, const std::string& c, const std::set<std::string>& expected) {
        std::map<std::string, int> hooks, declared;
        for (const std::string& line : programLines(c)) {
            const std::string hook = "DebugMain(FUNCTION_STD_PARMS,_";
            if (const size_t at = line.find(hook); at != std::string::npos)
                ++hooks[line.substr(at + hook.size(), line.find("_COMMAND", at) - at - hook.size())];
        }
        const std::string header = gencore_test::readFile(sourceDir() / (std::string(function) + ".H"));
        for (const std::string& line : programLines(header)) {
            const std::string constant = "static const X_PVCHAR _";
            if (const size_t at = line.find(constant); at != std::string::npos) {
                const std::string name = line.substr(at + constant.size(), line.find("_COMMAND", at) - at - constant.size());
                EXPECT_NE(line.find("_COMMAND = \"" + name + "\";"), std::string::npos) << line;
                ++declared[name];
            }
        }
        std::set<std::string> hooked, constants;
        for (const auto& [name, count] : hooks)
            hooked.insert(name);
        for (const auto& [name, count] : declared) {
            EXPECT_EQ(count, 1) << name << " declared more than once";
            constants.insert(name);
        }
        EXPECT_EQ(hooked, expected);
        EXPECT_EQ(constants, expected);
    };
    const std::string a = generateFunction("DBGNMA", "DEMORUN");
    ASSERT_FALSE(a.empty());
    check("DBGNMA", a, {"FUNCTION", "CHANGE", "IF", "ENDIF", "RETURN"});
    const std::string b = generateFunction("DBGNMB", "DEMORUN");
    ASSERT_FALSE(b.empty());
    check("DBGNMB", b, {"FUNCTION", "BEGIN_LOOP", "IF", "CHANGE", "ENDIF", "END_LOOP", "RETURN"});
}

}  // namespace
}  // namespace emitters_test
