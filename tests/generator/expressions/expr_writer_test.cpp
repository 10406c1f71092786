// The instruction table writer: table frame, comma rule, operand index,
// direct-code-only operations, unknown opcodes, and the epilogue of every
// routine kind in C and C#.
#include <gtest/gtest.h>

#include "expr_test_support.h"

namespace {

using Lines = std::vector<std::string>;

const Lines kCsFrameApOperandTable = {
    "X_VAR_EXPRESSION_FRAME frame = new X_VAR_EXPRESSION_FRAME();",
    "frame.lVersion             = X_VarStr.X_VAR_EXPRESSION_FRAME_CURRENT;",
    "frame.pX_Ids               = pX_Ids;",
    "frame.pX_Pro               = pX_Pro;",
    "frame.pX_Fun               = pX_Fun;",
    "frame.pX_Fld               = pX_Fld;",
    "frame.pX_List              = pX_List;",
    "frame.pX_FldFile           = null;",
    "frame.ppOperandTable       = apOperandTable;",
    "frame.psInstructionTable   = asInstructionTable;",
    "frame.ulInstructionCount   = asInstructionTable.Length;",
    "frame.pOperandStack        = operandStack;",
    "frame.ulOperandSize        = operandStack.Length;",
};

Lines Concat(std::initializer_list<Lines> parts) {
    Lines out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

class WriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        gen.dictionary.fields["AMOUNT"] = ExprFieldFacts{"V_FIELD_AMOUNT", 'P', false, 0};
    }
    CaptureGenerator gen;
};

TEST_F(WriterTest, WorkedExampleInC) {
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 2);
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(432, b.Field("AMOUNT", 5));
    gen.indent = 6;
    ExprTableReport r = b.Write(gen);

    const Lines expected = {
        "static const X_SHORT asInstructionTable[] =",
        "{",
        "   X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG,                        1,",
        "   X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR,                        V_FIELD_AMOUNT,",
        "   X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG,                       5",
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
    for (const auto& l : gen.lines) {
        EXPECT_EQ(l.stream, 7u);
        EXPECT_EQ(l.indent, 6u);
    }
    EXPECT_TRUE(r.written);
    EXPECT_EQ(r.operandIndex, 1u);
    EXPECT_EQ(r.Problems(), 0u);
}

TEST_F(WriterTest, WorkedExampleInCSharp) {
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 2);
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(432, b.Field("AMOUNT", 5));
    gen.target = '#';
    b.Write(gen);

    const Lines expected = Concat({
        {"int[] asInstructionTable =  new int[]",
         "{",
         "   0x00000001 /* X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG */ ,                 1,",
         "   0x000000B6 /* X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR */,                  V_FIELD_AMOUNT,",
         "   0x000001B0 /* X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG */ ,                5",
         "};",
         "",
         "X_VAR_EXPRESSION_OPERAND[]",
         "   operandStack = new X_VAR_EXPRESSION_OPERAND[2];",
         "operandStack[ 0 ] = new X_VAR_EXPRESSION_OPERAND();",
         "operandStack[ 1 ] = new X_VAR_EXPRESSION_OPERAND();",
         ""},
        kCsFrameApOperandTable,
        {"", "X_VAR_DLL.X_VAR_EvaluateExpression( frame );"},
    });
    EXPECT_EQ(gen.Texts(), expected);
}

TEST_F(WriterTest, OneInstructionHasNoComma) {
    PcodeBuilder b(EXPR_ROUTINE_BOOLEAN, 1);
    b.Instr(768);
    b.Write(gen);
    const Lines expected = {
        "static const X_SHORT asInstructionTable[] =",
        "{",
        "   X_COMP_OPCODE_LOGICAL_NOT,                                        0",
        "};",
        "",
        "X_VAR_EXPRESSION_OPERAND",
        "   operandStack[1];",
        "",
        "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, pX_NULL )",
        "",
        "X_VAR_EvaluateExpression( &frame );",
    };
    EXPECT_EQ(gen.Texts(), expected);
}

TEST_F(WriterTest, PseudoOpcodeAtTheEndLeavesCommaAndEmptyLine) {
    PcodeBuilder b;
    b.Instr(768);
    b.Instr(65540);
    b.Write(gen);
    const Lines t = gen.Texts();
    ASSERT_GE(t.size(), 5u);
    EXPECT_EQ(t[2], "   X_COMP_OPCODE_LOGICAL_NOT,                                        0,");
    EXPECT_EQ(t[3], "");
    EXPECT_EQ(t[4], "};");
}

TEST_F(WriterTest, PseudoOpcodeAtTheStartWritesNothing) {
    PcodeBuilder b;
    b.Instr(65536);
    b.Instr(65552);
    b.Instr(769);
    b.Write(gen);
    const Lines t = gen.Texts();
    ASSERT_GE(t.size(), 4u);
    EXPECT_EQ(t[1], "{");
    EXPECT_EQ(t[2], "   X_COMP_OPCODE_LOGICAL_OR,                                         0");
    EXPECT_EQ(t[3], "};");
}

TEST_F(WriterTest, UnknownOpcodesWriteTheirRowAndAreCounted) {
    PcodeBuilder b;
    for (uint32_t op : {0u, 1300u, 65535u, 65553u, 72u, 1058u}) b.Instr(op);
    ExprTableReport r = b.Write(gen);
    const Lines t = gen.Texts();
    ASSERT_GE(t.size(), 9u);
    // A row that already ends in its comma gets a second one when another follows.
    EXPECT_EQ(t[2], "   00000000, ???,,");
    EXPECT_EQ(t[3], "   00000514, ???,,");
    EXPECT_EQ(t[4], "   0000ffff, ???,,");
    EXPECT_EQ(t[5], "   00010011, ???,,");
    EXPECT_EQ(t[6], "   00000048, ???,,");
    EXPECT_EQ(t[7], "   00000422, ???,");
    EXPECT_EQ(t[8], "};");
    EXPECT_EQ(r.unknownOpcodes, 6u);
    EXPECT_EQ(r.Problems(), 6u);

    // The same rows in C#.
    CaptureGenerator cs;
    cs.target = '#';
    PcodeBuilder b2;
    b2.Instr(1300);
    EXPECT_EQ(b2.Write(cs).unknownOpcodes, 1u);
    EXPECT_EQ(cs.Texts()[2], "   00000514, ???,");
}

TEST_F(WriterTest, MissingInstructionIsWrittenAsOpcodeZero) {
    PcodeBuilder b;
    b.Instr(768);
    b.List().push_back(nullptr);
    ExprTableReport r = b.Write(gen);
    EXPECT_EQ(gen.Texts()[3], "   00000000, ???,");
    EXPECT_EQ(r.unknownOpcodes, 1u);
}

TEST_F(WriterTest, OperandIndexCountsDeclaredKindsOnly) {
    PcodeBuilder b;
    // Counted: 1000, 1002, 1003 under any opcode, even unknown or pseudo ones.
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(65537, b.Node(EXPR_NODE_DECIMAL_CONSTANT));
    b.Instr(1300, b.Node(EXPR_NODE_STRING_CONSTANT));
    // Not counted: a system variable outside 1056, a wrapper around a constant.
    b.Instr(1, b.Node(EXPR_NODE_SYSTEM_VARIABLE));
    b.Instr(1, b.Wrapper(1, b.Node(EXPR_NODE_INT32_CONSTANT)));
    // Counted: a system variable under 1056.
    b.Instr(1056, b.Node(EXPR_NODE_SYSTEM_VARIABLE));
    ExprTableReport r = b.Write(gen);
    const Lines t = gen.Texts();
    EXPECT_EQ(t[2], CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "1") + ",");
    EXPECT_EQ(t[4], CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "3") + ",");
    EXPECT_EQ(t[5], CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "3") + ",");
    EXPECT_EQ(t[6], CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "4"));
    EXPECT_EQ(r.operandIndex, 4u);
    // The two pushes without a counted node of their own are reported.
    EXPECT_EQ(r.unnumberedOperands, 2u);
}

TEST_F(WriterTest, NoCountedOperandGivesTheNullTable) {
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 1);
    b.Instr(768, b.Field("AMOUNT"));
    b.Write(gen);
    EXPECT_EQ(gen.Texts()[8],
              "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, pX_NULL )");

    CaptureGenerator cs;
    cs.target = '#';
    b.Write(cs);
    const Lines t = cs.Texts();
    EXPECT_NE(std::find(t.begin(), t.end(), "frame.ppOperandTable       = null;"), t.end());
}

TEST_F(WriterTest, CSharpWithEmptyOperandStack) {
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 0);
    b.Instr(768);
    gen.target = '#';
    b.Write(gen);
    const Lines t = gen.Texts();
    EXPECT_EQ(t[5], "X_VAR_EXPRESSION_OPERAND[]");
    EXPECT_EQ(t[6], "   operandStack = new X_VAR_EXPRESSION_OPERAND[0];");
    EXPECT_EQ(t[7], "");
    EXPECT_EQ(t[8], "X_VAR_EXPRESSION_FRAME frame = new X_VAR_EXPRESSION_FRAME();");
}

TEST_F(WriterTest, WhenRoutineHasNoOperandStack) {
    PcodeBuilder b(EXPR_ROUTINE_WHEN_TEST, 3);
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Write(gen);
    const Lines all = gen.Texts();
    const Lines tail(all.begin() + 5, all.end());
    EXPECT_EQ(tail, (Lines{
        "X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, apOperandTable )",
        "",
        "X_VAR_EvaluateExpression( &frame );"}));

    CaptureGenerator cs;
    cs.target = '#';
    b.Write(cs);
    const Lines csAll = cs.Texts();
    const Lines csTail(csAll.begin() + 5, csAll.end());
    EXPECT_EQ(csTail, Concat({kCsFrameApOperandTable,
                              {"", "X_VAR_DLL.X_VAR_EvaluateExpression( ref frame );"}}));
}

TEST_F(WriterTest, ComponentAndCallbackFrames) {
    PcodeBuilder comp(EXPR_ROUTINE_COMPONENT, 1);
    comp.Instr(768);
    comp.Write(gen);
    EXPECT_EQ(gen.Texts()[8], "X_VAR_DEFINE_COMPONENT_EXPRESSION_FRAME( pModuleFrame->pX_List, pX_NULL )");
    EXPECT_EQ(gen.Texts()[10], "X_VAR_EvaluateExpression( &frame );");

    CaptureGenerator cs;
    cs.target = '#';
    comp.Write(cs);
    EXPECT_EQ(cs.Texts()[9], "X_VAR_EXPRESSION_FRAME frame = new X_VAR_EXPRESSION_FRAME();");
    EXPECT_EQ(cs.Texts().back(), "X_VAR_DLL.X_VAR_EvaluateExpression( frame );");

    PcodeBuilder cb(EXPR_ROUTINE_CALLBACK, 1);
    cb.Instr(1, cb.Node(EXPR_NODE_INT32_CONSTANT));
    CaptureGenerator c2;
    cb.Write(c2);
    EXPECT_EQ(c2.Texts()[8], "X_VAR_DEFINE_CALLBACK_EXPRESSION_FRAME( apOperandTable )");
    EXPECT_EQ(c2.Texts()[10], "X_VAR_EvaluateExpression( &frame );");

    // C# writes the callback frame line as C does.
    PcodeBuilder cb2(EXPR_ROUTINE_CALLBACK, 1);
    cb2.Instr(768);
    CaptureGenerator cs2;
    cs2.target = '#';
    cb2.Write(cs2);
    const Lines all = cs2.Texts();
    const Lines tail(all.begin() + 9, all.end());
    EXPECT_EQ(tail, (Lines{"X_VAR_DEFINE_CALLBACK_EXPRESSION_FRAME( null )", "",
                           "X_VAR_DLL.X_VAR_EvaluateExpression( frame );"}));
}

TEST_F(WriterTest, BadTargetWritesNothingAndIsAnInternalError) {
    PcodeBuilder b;
    b.Instr(432, b.Field("AMOUNT", 5));
    gen.target = 'X';
    ExprTableReport r = b.Write(gen);
    EXPECT_TRUE(gen.lines.empty());
    EXPECT_EQ(gen.internalErrors, 1);
    EXPECT_TRUE(r.badTarget);
    EXPECT_FALSE(r.written);
}

TEST_F(WriterTest, TableWithoutRowsIsNotWritten) {
    PcodeBuilder empty;
    ExprTableReport r = empty.Write(gen);
    EXPECT_TRUE(r.emptyTable);

    PcodeBuilder pseudo;
    pseudo.Instr(65536, pseudo.Node(EXPR_NODE_INT32_CONSTANT));
    pseudo.Instr(65550);
    r = pseudo.Write(gen);
    EXPECT_TRUE(r.emptyTable);
    EXPECT_FALSE(r.written);
    EXPECT_TRUE(gen.lines.empty());
}

TEST_F(WriterTest, RowsAreNeverWrittenTwice) {
    // Every row formed is written exactly once, whatever follows it.
    PcodeBuilder b;
    b.Instr(432, b.Field("AMOUNT", 5));
    b.Instr(65538);
    b.Instr(65539);
    b.Instr(768);
    b.Write(gen);
    const Lines t = gen.Texts();
    const Lines rows(t.begin() + 2, t.begin() + 5);
    EXPECT_EQ(rows, (Lines{
        CRowOf("X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_FIELD_AMOUNT") + ",",
        CRowOf("X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG", "5") + ",",
        CRowOf("X_COMP_OPCODE_LOGICAL_NOT", "0")}));
    EXPECT_EQ(t[5], "};");
}

} // namespace
