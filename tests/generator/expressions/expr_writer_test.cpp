// The instruction table writer: table frame, comma rule, operand index,
// direct-code-only operations, unknown opcodes, values too wide for their
// column, and the epilogue of every routine kind in C and C#.
#include <gtest/gtest.h>

#include "expr_test_support.h"

namespace {

using Lines = std::vector<std::string>;

Lines CsFrame(const std::string& table)
{
    return {"X_VAR_EXPRESSION_FRAME frame = new X_VAR_EXPRESSION_FRAME();",
            "frame.lVersion             = X_VarStr.X_VAR_EXPRESSION_FRAME_CURRENT;",
            "frame.pX_Ids               = pX_Ids;",
            "frame.pX_Pro               = pX_Pro;",
            "frame.pX_Fun               = pX_Fun;",
            "frame.pX_Fld               = pX_Fld;",
            "frame.pX_List              = pX_List;",
            "frame.pX_FldFile           = null;",
            "frame.ppOperandTable       = " + table + ";",
            "frame.psInstructionTable   = asInstructionTable;",
            "frame.ulInstructionCount   = asInstructionTable.Length;",
            "frame.pOperandStack        = operandStack;",
            "frame.ulOperandSize        = operandStack.Length;"};
}

Lines Concat(std::initializer_list<Lines> parts)
{
    Lines out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

class WriterTest : public ::testing::Test {
protected:
    void SetUp() override { gen.dictionary.fields["AMOUNT"] = FieldFacts("V_FIELD_AMOUNT", 'P', false, 0); }
    Lines Write(PcodeBuilder& b, char target)
    {
        gen.lines.clear();
        gen.target = target;
        report = b.Write(gen);
        return gen.Texts();
    }
    CaptureGenerator gen;
    ExprTableReport report;
};

TEST_F(WriterTest, WorkedExampleInBothTargets)
{
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 2);
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(432, b.Field("AMOUNT", 5));
    gen.indent = 6;
    EXPECT_EQ(
        Write(b, 'C'),
        (Lines{"static const X_SHORT asInstructionTable[] =", "{",
               "   X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG,                        1,",
               "   X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR,                        V_FIELD_AMOUNT,",
               "   X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG,                       5", "};", "",
               "X_VAR_EXPRESSION_OPERAND", "   operandStack[2];", "",
               "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, apOperandTable )", "",
               "X_VAR_EvaluateExpression( &frame );"}));
    for (const auto& l : gen.lines)
        EXPECT_EQ(l.stream * 100 + l.indent, 706u);
    EXPECT_TRUE(report.written);
    EXPECT_EQ(report.operandIndex, 1u);
    EXPECT_EQ(
        Write(b, '#'),
        Concat({{"int[] asInstructionTable =  new int[]", "{",
                 "   0x00000001 /* X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG */ ,                 1,",
                 "   0x000000B6 /* X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR */,                  V_FIELD_AMOUNT,",
                 "   0x000001B0 /* X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG */ ,                5", "};", "",
                 "X_VAR_EXPRESSION_OPERAND[]", "   operandStack = new X_VAR_EXPRESSION_OPERAND[2];",
                 "operandStack[ 0 ] = new X_VAR_EXPRESSION_OPERAND();",
                 "operandStack[ 1 ] = new X_VAR_EXPRESSION_OPERAND();", ""},
                CsFrame("apOperandTable"),
                {"", "X_VAR_DLL.X_VAR_EvaluateExpression( frame );"}}));
}

TEST_F(WriterTest, PseudoOpcodesCommasAndUnknownOpcodes)
{
    // A pseudo-opcode at the start writes nothing; one at the end leaves the
    // last row's comma and an empty line; every row is written once.
    PcodeBuilder b;
    b.Instr(65536);
    b.Instr(432, b.Field("AMOUNT", 5));
    b.Instr(65538);
    b.Instr(65552);
    b.Instr(768);
    b.Instr(65540);
    Lines t = Write(b, 'C');
    EXPECT_EQ(Lines(t.begin() + 1, t.begin() + 7),
              (Lines{"{", CRowOf("X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_FIELD_AMOUNT") + ",",
                     CRowOf("X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG", "5") + ",",
                     CRowOf("X_COMP_OPCODE_LOGICAL_NOT", "0") + ",", "", "};"}));

    // An unknown opcode's row ends in its own comma, so another follows with two.
    PcodeBuilder u;
    for (uint32_t op : {0u, 1300u, 65535u, 65553u, 72u, 1058u})
        u.Instr(op);
    u.List().push_back(nullptr);  // a missing instruction is opcode 0
    t = Write(u, '#');
    EXPECT_EQ(Lines(t.begin() + 2, t.begin() + 9),
              (Lines{"   00000000, ???,,", "   00000514, ???,,", "   0000ffff, ???,,", "   00010011, ???,,",
                     "   00000048, ???,,", "   00000422, ???,,", "   00000000, ???,"}));
    EXPECT_EQ(report.unknownOpcodes, 7u);
    // Each is an error of the job that names the opcode (and its name when
    // the catalogue has one): the table it is written into cannot compile.
    EXPECT_EQ(gen.errors, (Lines{"Opcode 0 has no instruction row", "Opcode 1300 has no instruction row",
                                 "Opcode 65535 has no instruction row", "Opcode 65553 has no instruction row",
                                 "Opcode 72 has no instruction row (PUSH_PACKED_STACK_VECTOR_AS_LONG)",
                                 "Opcode 1058 has no instruction row (SET_INDEX)", "Opcode 0 has no instruction row"}));
}

TEST_F(WriterTest, TableWithoutRowsIsEmptyWithItsFrame)
{
    PcodeBuilder b(EXPR_ROUTINE_BOOLEAN, 1);
    b.Instr(65536, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(65550);
    EXPECT_EQ(
        Write(b, 'C'),
        (Lines{"static const X_SHORT asInstructionTable[] =", "{", "", "};", "", "X_VAR_EXPRESSION_OPERAND",
               "   operandStack[1];", "",
               "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, apOperandTable )", "",
               "X_VAR_EvaluateExpression( &frame );"}));
    PcodeBuilder none;
    const Lines t = Write(none, '#');
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(t[2] + t[3], "};");
    EXPECT_TRUE(report.written);
}

TEST_F(WriterTest, OperandIndexCountsDeclaredKindsOnly)
{
    PcodeBuilder b;
    // Counted: 1000, 1002, 1003 under any opcode, even unknown or pseudo ones.
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(65537, b.Node(EXPR_NODE_DECIMAL_CONSTANT));
    b.Instr(1300, b.Node(EXPR_NODE_STRING_CONSTANT));
    // Not counted: a system variable outside 1056, a wrapper around a constant.
    b.Instr(1, b.Node(EXPR_NODE_SYSTEM_VARIABLE));
    b.Instr(1, b.Wrapper(1, b.Node(EXPR_NODE_INT32_CONSTANT)));
    b.Instr(1056, b.Node(EXPR_NODE_SYSTEM_VARIABLE));  // counted under 1056
    const Lines t = Write(b, 'C');
    EXPECT_EQ(Lines(t.begin() + 4, t.begin() + 7),
              (Lines{CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "3") + ",",
                     CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "3") + ",",
                     CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "4")}));
    EXPECT_EQ(report.operandIndex, 4u);
    EXPECT_EQ(report.unnumberedOperands, 2u);
}

TEST_F(WriterTest, ValueTooWideForItsColumnIsAnErrorOfTheJob)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* n = b.Node(EXPR_NODE_FIELD);
    n->value = 65535;  // the widest value a 16-bit word holds
    b.Instr(1077, n);
    EXPR_OPERAND_NODE* pair = b.Node(EXPR_NODE_FIELD);
    pair->value = 300;
    pair->second = 2;  // 0x12c02
    b.Instr(402, pair);
    Write(b, 'C');
    EXPECT_EQ(gen.errors, Lines{"Expression table: value 76802 does not fit a 16-bit table column"});
    EXPECT_EQ(report.wideOperands, 1u);
    gen.errors.clear();
    Write(b, '#');  // a C# table holds 32-bit words
    EXPECT_TRUE(gen.errors.empty());
}

TEST_F(WriterTest, EpilogueOfEveryRoutineKind)
{
    struct Case {
        int32_t kind;
        char target;
        Lines tail;  // the lines after the operand stack
    };
    const Case cases[] = {
        {EXPR_ROUTINE_WHEN_TEST,
         'C',
         {"X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, pX_NULL )", "",
          "X_VAR_EvaluateExpression( &frame );"}},
        {EXPR_ROUTINE_WHEN_TEST, '#',
         Concat({CsFrame("null"), {"", "X_VAR_DLL.X_VAR_EvaluateExpression( ref frame );"}})},
        {EXPR_ROUTINE_COMPONENT,
         'C',
         {"X_VAR_DEFINE_COMPONENT_EXPRESSION_FRAME( pModuleFrame->pX_List, pX_NULL )", "",
          "X_VAR_EvaluateExpression( &frame );"}},
        {EXPR_ROUTINE_COMPONENT, '#', Concat({CsFrame("null"), {"", "X_VAR_DLL.X_VAR_EvaluateExpression( frame );"}})},
        {EXPR_ROUTINE_CALLBACK,
         'C',
         {"X_VAR_DEFINE_CALLBACK_EXPRESSION_FRAME( pX_NULL )", "", "X_VAR_EvaluateExpression( &frame );"}},
        {EXPR_ROUTINE_CALLBACK,
         '#',
         {"X_VAR_DEFINE_CALLBACK_EXPRESSION_FRAME( null )", "", "X_VAR_DLL.X_VAR_EvaluateExpression( frame );"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.kind) + c.target);
        PcodeBuilder b(c.kind, 2);
        b.Instr(768, b.Field("AMOUNT"));
        const Lines t = Write(b, c.target);
        // The When routine works on its parameter: no operand stack lines.
        const size_t stack = c.kind == EXPR_ROUTINE_WHEN_TEST ? 0 : c.target == 'C' ? 3 : 5;
        EXPECT_EQ(Lines(t.begin() + 5 + stack, t.end()), c.tail);
    }
    // C# with an operand stack of 0: the array line only.
    PcodeBuilder zero(EXPR_ROUTINE_COMMAND, 0);
    zero.Instr(768);
    const Lines t = Write(zero, '#');
    EXPECT_EQ(Lines(t.begin() + 5, t.begin() + 8),
              (Lines{"X_VAR_EXPRESSION_OPERAND[]", "   operandStack = new X_VAR_EXPRESSION_OPERAND[0];", ""}));
}

TEST_F(WriterTest, BadTargetWritesNothingAndIsAnInternalError)
{
    PcodeBuilder b;
    b.Instr(768);
    Write(b, 'X');
    EXPECT_TRUE(gen.lines.empty());
    EXPECT_EQ(gen.internalErrors, 1);
    EXPECT_TRUE(report.badTarget);
}

}  // namespace
