// Instruction tables written from the object layer's compiled expressions:
// the routines come from the expression enumeration, as the generator gets
// them, and every p-code expression is written while its records are valid.
#include <gtest/gtest.h>

#include "expr_test_support.h"
#include "platform/dqoo/dqoo_fixture.h"
#include "platform/dqoo/dqoo_pcode.h"

namespace {

using Lines = std::vector<std::string>;

// #TOTAL := #PRICE * 3, and the condition #QTY > 0.
const char* const kFixture = R"(
ROUTINE cmd kind=100 number=7 stack=2
EXPRESSION
CODE p1 p2 p3 p4
NODE price kind=1007 field=PRICE
NODE three kind=1000 value=3 text='3'
NODE product kind=260 value=31 second=2
NODE total kind=1007 field=TOTAL pull=4
INSTRUCTION p1 opcode=67 operand=price
INSTRUCTION p2 opcode=4 operand=three
INSTRUCTION p3 opcode=943 operand=product
INSTRUCTION p4 opcode=441 operand=total

ROUTINE test kind=120 number=8 stack=2
EXPRESSION
CODE q1 q2 q3
NODE qty kind=1007 field=QTY
NODE zero kind=1000 value=0 text='0'
INSTRUCTION q1 opcode=134 operand=qty
INSTRUCTION q2 opcode=7 operand=zero
INSTRUCTION q3 opcode=839
)";

long WriteRoutine(EXPR_PCODE_ROUTINE* routine, void* user)
{
    auto* gen = static_cast<CaptureGenerator*>(user);
    for (uint32_t i = 0; i < routine->expressionCount; ++i) {
        const EXPR_EXPRESSION* e = routine->expressions[i];
        if (e->instructionCount == 0)
            continue;
        EXPR_WriteInstructionTable(*gen, *routine, e->instructionCount, e->instructions);
    }
    return 0;
}

class ObjectLayerTest : public ::testing::Test {
protected:
    /* a plain field: its vector name and type letter, the rest as a field's defaults */
    static ExprFieldFacts facts(const char* vectorName, char typeLetter)
    {
        ExprFieldFacts field;
        field.vectorName = vectorName;
        field.typeLetter = typeLetter;
        return field;
    }
    void SetUp() override
    {
        char error[256] = "";
        ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kFixture, error, sizeof error), 0) << error;
        auto& f = gen.dictionary.fields;
        f["PRICE"] = facts("V_PRICE", 'P');
        f["TOTAL"] = facts("V_TOTAL", 'P');
        f["QTY"] = facts("V_QTY", 'I');
    }
    void TearDown() override { DQOO_FCC_ClearExpressions(); }
    CaptureGenerator gen;
};

TEST_F(ObjectLayerTest, CommandAndConditionInC)
{
    ASSERT_EQ(DQOO_FCC_EnumerateExpressionPcode(WriteRoutine, &gen, 0), 0);
    const Lines expected = {
        "static const X_SHORT asInstructionTable[] =",
        "{",
        CRowOf("X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_PACKED31", "V_PRICE") + ",",
        CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_PACKED31", "1") + ",",
        CRowOf("X_COMP_OPCODE_PACKED31_MULTIPLY", "0x1f02") + ",",
        CRowOf("X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_TOTAL") + ",",
        CRowOf("X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_PACKED31", "4"),
        "};",
        "",
        "X_VAR_EXPRESSION_OPERAND",
        "   operandStack[2];",
        "",
        "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, apOperandTable )",
        "",
        "X_VAR_EvaluateExpression( &frame );",
        "static const X_SHORT asInstructionTable[] =",
        "{",
        CRowOf("X_COMP_OPCODE_PUSH_INT32_VECTOR_AS_INT32", "V_QTY") + ",",
        CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_INT32", "1") + ",",
        CRowOf("X_COMP_OPCODE_COMPARE_INT32_GT_INT32", "0"),
        "};",
        "",
        "X_VAR_EXPRESSION_OPERAND",
        "   operandStack[2];",
        "",
        "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, apOperandTable )",
        "",
        "X_VAR_EvaluateExpression( &frame );",
    };
    EXPECT_EQ(gen.Texts(), expected);
}

TEST_F(ObjectLayerTest, ConditionInCSharp)
{
    gen.target = '#';
    ASSERT_EQ(DQOO_FCC_EnumerateExpressionPcode(WriteRoutine, &gen, 0), 0);
    const Lines all = gen.Texts();
    // The second table: the condition.
    auto second = std::find(all.begin() + 1, all.end(), "int[] asInstructionTable =  new int[]");
    ASSERT_NE(second, all.end());
    const Lines rows(second + 2, second + 5);
    EXPECT_EQ(rows, (Lines{CsRowOf(134, "X_COMP_OPCODE_PUSH_INT32_VECTOR_AS_INT32", "V_QTY") + ",",
                           CsRowOf(7, "X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_INT32", "1") + ",",
                           CsRowOf(839, "X_COMP_OPCODE_COMPARE_INT32_GT_INT32", "0")}));
    EXPECT_EQ(all.back(), "X_VAR_DLL.X_VAR_EvaluateExpression( frame );");
}

}  // namespace
