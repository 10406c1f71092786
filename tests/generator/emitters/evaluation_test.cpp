// The generator's own evaluation routines at insertion point 14 and the
// statement evaluation table of an I/O command.
#include "emit_fixture.h"

#include "generator/core/components/description_tables.h"
#include "generator/core/output/static_lists.h"
#include "platform/dqoo/dqoo_fixture.h"

namespace emitters_test {
namespace {

class Evaluation : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        field("A");
        field("B");
        command("IF");
        current(*commands_.back());
    }
    void TearDown() override
    {
        DQOO_FCC_ClearExpressions();
        EmitterFixture::TearDown();
    }
    /* A condition of the chain, written at point 14. */
    std::vector<std::string> routine(const std::string& condition)
    {
        P3109_pszMakeEvaluationName(condition, GEN_EVAL_LOGICAL, 1000, condition, GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 0);
        return texts(lines([] { P3109_EmitEvaluationRoutines(); }));
    }
};

TEST_F(Evaluation, SingleComparisonAnswersDirectly)
{
    const std::vector<std::string> r = routine("#A > #B");
    const std::vector<std::string> expected = {"E_YES_NO_FUNCTION Evaluation_Routine_1 (FUNCTION_STD_ARGS)",
                                               "{",
                                               " ",
                                               "if (X_Vec_Compare (pX_Ids,pX_Pro,pX_Fun,",
                                               "   pX_Fld,V_FIELD_A,pX_Fld,V_FIELD_B) > 0)",
                                               "   return(YES);",
                                               "else",
                                               "   return(NO);",
                                               "}",
                                               "#endif"};
    const auto head = std::find(r.begin(), r.end(), expected.front());
    ASSERT_NE(head, r.end());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), head));
    EXPECT_EQ(r.front(), "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_EVALUATE)))");
}

TEST_F(Evaluation, JoinsOfComparisonsShareWorkResults)
{
    const std::vector<std::string> r = routine("(#A > #B) AND (#A < #B) OR (#A = #B)");
    EXPECT_NE(std::find(r.begin(), r.end(), "   INSTANCE_S2(LogicalResult_1) = YES;"), r.end());
    EXPECT_NE(std::find(r.begin(), r.end(), "if ((INSTANCE_S2(LogicalResult_1) == YES)"), r.end());
    EXPECT_NE(std::find(r.begin(), r.end(), " && (INSTANCE_S2(LogicalResult_2) == YES))"), r.end());
    EXPECT_EQ(std::count_if(r.begin(), r.end(), [](const std::string& l) { return l.rfind(" || (", 0) == 0; }), 1);
    EXPECT_EQ(
        std::count_if(r.begin(), r.end(), [](const std::string& l) { return l.rfind("return(INSTANCE_S2(", 0) == 0; }),
        1);
    /* the logical results are static variables of the second list */
    const std::deque<GEN_STATIC_ENTRY>& list1 = CGEN_StaticWorkingList(1);
    EXPECT_NE(std::find_if(list1.begin(), list1.end(),
                           [](const GEN_STATIC_ENTRY& e) { return e.cDeclaration == "X_YES_NO LogicalResult_1"; }),
              list1.end());
    /* an operand index beyond the table names nothing */
    GEN_FIELD_INFO info;
    EXPECT_EQ(P3109_FormatEvaluationWorkResult(199, info), "");
}

TEST_F(Evaluation, NineStatementEvaluationsInLinesOfFour)
{
    std::string fixture = "EVALUATIONS 1";
    for (int i = 1; i <= 9; ++i) {
        field("E" + std::to_string(i));
        fixture += " E" + std::to_string(i);
    }
    char error[256] = {};
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(fixture.c_str(), error, sizeof error), 0) << error;
    state.lLine = 1;
    const std::vector<std::string> t = texts(lines([] { P3109_EmitStatementEvaluations("X_DBM_Fch_1", ""); }));
    const auto head = std::find(t.begin(), t.end(), "static const X_SHORT asX_Evaluations_0001[] =");
    ASSERT_NE(head, t.end());
    EXPECT_EQ(*(head + 2), "   V_FIELD_E1, V_FIELD_E2, V_FIELD_E3, V_FIELD_E4,");
    EXPECT_EQ(*(head + 3), "   V_FIELD_E5, V_FIELD_E6, V_FIELD_E7, V_FIELD_E8,");
    EXPECT_EQ(*(head + 4), "   V_FIELD_E9");
    EXPECT_EQ(*(head + 5), "};");
    EXPECT_EQ(t.back(), "}");

    /* a statement none of whose fields is known writes nothing */
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture("EVALUATIONS 2 NOFIELD", error, sizeof error), 0) << error;
    state.lLine = 2;
    EXPECT_TRUE(lines([] { P3109_EmitStatementEvaluations("", "X_DBM_Fch_2"); }).empty());
}

// The enumeration's callback on its own: the first known field opens the
// table, four fields make a line, the fifth starts the next line after the
// full one is written with its comma; a field that is not used is skipped.
TEST_F(Evaluation, GroupEntriesOpenTheTableAndFillLinesOfFour)
{
    for (const char* name : {"E1", "E2", "E3", "E4", "E5"})
        field(name);
    GEN_EVALUATION_GROUP table;
    table.name = "X_Evaluations_0007";
    table.line = table.name;
    DQOO_STATEMENT_EVALUATION e{};
    const auto entry = [&](const char* name) {
        std::memset(e.achFieldName, ' ', sizeof e.achFieldName);
        std::memcpy(e.achFieldName, name, std::strlen(name));
        EXPECT_EQ(P3109_EmitEvaluationGroupEntry(&e, &table, nullptr), 0);
    };
    const std::vector<std::string> t = texts(lines([&] {
        entry("NOFIELD");
        for (const char* name : {"E1", "E2", "E3", "E4", "NOFIELD", "E5"})
            entry(name);
    }));
    EXPECT_EQ(t, (std::vector<std::string>{"", "/* Evaluation Group Definition : X_Evaluations_0007 */", "{",
                                           "X_SHORT sCurrent;", "", "static const X_SHORT asX_Evaluations_0007[] =",
                                           "{", "   V_FIELD_E1, V_FIELD_E2, V_FIELD_E3, V_FIELD_E4,"}));
    EXPECT_EQ(table.line, "   V_FIELD_E5");
    EXPECT_EQ(table.lState, 1);
    EXPECT_EQ(P3109_EmitEvaluationGroupEntry(nullptr, &table, nullptr), 0);
    EXPECT_EQ(P3109_EmitEvaluationGroupEntry(&e, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace emitters_test
