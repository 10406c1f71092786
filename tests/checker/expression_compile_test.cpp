// Expressions the checker accepts are compiled into evaluation routines;
// one the compiler cannot compile is a fatal message naming the command,
// the expression and the reason (a condition that names itself).
#include "checker_fixture.h"

#include "platform/dqoo/dqoo_pcode.h"

#include <memory>
#include <set>
#include <string>
#include <vector>

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::Message;
using checker_test::OnLine;

namespace {

/* Whether the command of a line holds a routine reference. */
bool HoldsRoutine(FFC_CONTEXT& ctx, int16_t line)
{
    auto p = std::make_unique<FFC_PARSED_COMMAND>();
    p->sLine = line;
    p->sSubLine = 0;
    return RS_fFindCommandRecord(&ctx, p.get(), sizeof *p) == 0 && p->acRoutineRef[0] == 3;
}

// *SQLNULL into an alphanumeric field, which has no SQL-null state, is
// compiled: the field is cleared (or, under strict SQL-null assignment,
// the program ends). It was once refused with PRC1810.
TEST_F(CheckJob, SqlNullIntoAnAlphanumericFieldCompiles)
{
    addFunction("TSTPRC", "EXPBAD",
                {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#EXNAME) TO(*SQLNULL)", "IF COND('#EXA > 1')",
                 "CHANGE FIELD(#EXA) TO('#EXA + 1')", "ENDIF", "RETURN"});
    prepare("TSTPRC", "EXPBAD");
    run();
    EXPECT_TRUE(withId("PRC1810").empty()) << output;
    EXPECT_TRUE(HoldsRoutine(ctx, 2));
    EXPECT_TRUE(HoldsRoutine(ctx, 3));
    EXPECT_TRUE(HoldsRoutine(ctx, 4));
}

/* *NAVAIL and *DEFAULT are values a field is set to (CHANGE ... TO(*NAVAIL));
** an expression has no not-available or default value to compare or
** compute with. Within a condition each is refused at the condition's own
** line, a DEF_COND's too (its condition was once left to the generator,
** which compared the field with no vector entry), and no compile is
** tried. */
TEST_F(CheckJob, NotAvailableIsNoOperandOfAnExpression)
{
    addFunction("TSTPRC", "NAVEXP",
                {"FUNCTION OPTIONS(*DIRECT)", "DEF_COND NAME(*GONE) COND('#EXNAME = *NAVAIL')", "IF COND(*GONE)",
                 "ENDIF", "IF COND('#EXNAME *NE *navail')", "ENDIF", "CHANGE FIELD(#EXNAME) TO(*NAVAIL)",
                 "CHANGE FIELD(#EXNAME2) TO('*NAVAIL')", "DEF_COND NAME(*DFT) COND('#EXNAME2 = *DEFAULT')",
                 "CHANGE FIELD(#EXNAME2) TO(*DEFAULT)", "RETURN"});
    prepare("TSTPRC", "NAVEXP");
    run();
    std::vector<Message> refused = withId("DCM0410");
    ASSERT_EQ(refused.size(), 3u) << output;
    EXPECT_EQ(refused[0].line, 2u);
    EXPECT_EQ(refused[0].severity, 'F');
    EXPECT_EQ(refused[0].data, "*NAVAIL             SV");
    EXPECT_EQ(refused[1].line, 5u);
    EXPECT_EQ(refused[1].data, "*navail             SV");
    EXPECT_EQ(refused[2].line, 9u);
    EXPECT_EQ(refused[2].data, "*DEFAULT            SV");
    EXPECT_TRUE(withId("PRC1810").empty()) << output;
    EXPECT_TRUE(HoldsRoutine(ctx, 7));
    EXPECT_TRUE(HoldsRoutine(ctx, 8));
}

/* The fields the p-code of the routine a command's reference names reads. */
std::set<std::string> FieldsOfRoutine(FFC_CONTEXT& ctx, int16_t line)
{
    auto p = std::make_unique<FFC_PARSED_COMMAND>();
    p->sLine = line;
    p->sSubLine = 0;
    std::set<std::string> fields;
    if (RS_fFindCommandRecord(&ctx, p.get(), sizeof *p) != 0 || p->acRoutineRef[0] != 3)
        return fields;
    DQOO_FCC_EnumerateRoutinePcode(
        p->acRoutineRef,
        [](EXPR_PCODE_ROUTINE* r, void* user, void*) -> long {
            for (uint32_t e = 0; e < r->expressionCount; ++e)
                for (uint32_t i = 0; i < r->expressions[e]->instructionCount; ++i) {
                    const EXPR_OPERAND_NODE* n = r->expressions[e]->instructions[i]->operand;
                    if (n != nullptr && n->kind == EXPR_NODE_FIELD && n->fieldRef != nullptr)
                        static_cast<std::set<std::string>*>(user)->insert(n->fieldRef);
                }
            return 0;
        },
        &fields, nullptr);
    return fields;
}

/* A condition name alone is tested by its DEF_COND's evaluation routine and
** needs no routine of its own; within an expression the routine evaluates
** the named condition itself, following names that conditions name. A
** condition that leads back to itself cannot be evaluated. */
TEST_F(CheckJob, ConditionNamesStandForTheirConditions)
{
    addFunction("TSTPRC", "CONDNAM",
                {"FUNCTION OPTIONS(*DIRECT)", "DEF_COND NAME(*ACTIVE) COND('#CUSTSTS = A')",
                 "DEF_COND NAME(*RICH) COND('*ACTIVE AND #CREDIT > 1000')", "IF COND(*ACTIVE)", "ENDIF",
                 "DOWHILE COND('*RICH OR #CREDIT < 5')", "ENDWHILE",
                 "DEF_COND NAME(*LOOP) COND('*LOOP AND #CREDIT > 1')", "IF COND('*LOOP OR #CREDIT > 2')", "ENDIF",
                 "RETURN"});
    prepare("TSTPRC", "CONDNAM");
    run();
    std::vector<Message> refused = withId("PRC1810");
    ASSERT_EQ(refused.size(), 1u) << output;
    EXPECT_EQ(refused[0].line, 9u);
    EXPECT_EQ(refused[0].data.substr(70), "the condition *LOOP that names itself");
    EXPECT_TRUE(FieldsOfRoutine(ctx, 4).empty()) << "no routine of its own";
    EXPECT_EQ(FieldsOfRoutine(ctx, 6), (std::set<std::string>{"CUSTSTS", "CREDIT"}));
}

/* Each WHEN's routine tests the CASE operand against that WHEN's own values
** only: a WHEN of one value after one of three holds none of the three's
** fields, a WHEN refused in between compiles nothing, and a condition name
** among the values stands for its condition. */
TEST_F(CheckJob, EachWhenRoutineTestsItsOwnValues)
{
    addFunction("TSTPRC", "WHENS",
                {"FUNCTION OPTIONS(*DIRECT)",                                 // 1
                 "DEF_COND NAME(*ACTIVE) COND('#CUSTSTS = A')",               // 2
                 "CASE OF_FIELD(#CREDIT)",                                    // 3
                 "WHEN VALUE_IS('> #CUSTNO' '= 5 AND *ACTIVE' '< #CREDIT')",  // 4
                 "WHEN VALUE_IS('> #CUSTNAM')",                               // 5
                 "WHEN VALUE_IS('= 9')",                                      // 6
                 "WHEN VALUE_IS('< 1' '> 2 OR *ACTIVE')",                     // 7
                 "ENDCASE",                                                   // 8
                 "RETURN"});
    prepare("TSTPRC", "WHENS");
    run();
    EXPECT_EQ(OnLine(messages(), 5), Lines{"DCM0456 #CREDIT             #CUSTNAM"}) << output;
    EXPECT_TRUE(withId("PRC1810").empty()) << output;
    EXPECT_EQ(FieldsOfRoutine(ctx, 4), (std::set<std::string>{"CREDIT", "CUSTNO", "CUSTSTS"}));
    EXPECT_FALSE(HoldsRoutine(ctx, 5)) << "a refused value compiles nothing";
    EXPECT_EQ(FieldsOfRoutine(ctx, 6), (std::set<std::string>{"CREDIT"}));
    EXPECT_EQ(FieldsOfRoutine(ctx, 7), (std::set<std::string>{"CREDIT", "CUSTSTS"}));
}

}  // namespace
