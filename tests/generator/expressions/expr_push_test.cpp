// Push opcodes 1-287: constant pushes, pushes without operand, vector pushes
// with their array, list, record and dispatch forms, 182, low and high
// values, result vectors and dispatch gets, in C and C#.
#include <gtest/gtest.h>

#include "expr_test_support.h"

namespace {

using Lines = std::vector<std::string>;

class PushTest : public ExprTableTest {
protected:
    void SetUp() override
    {
        auto& f = gen.dictionary.fields;
        f["AMOUNT"] = FieldFacts("V_FIELD_AMOUNT", 'P', false, 0);
        f["ARR"] = FieldFacts("V_ARR", 'P', true, 0);
        f["DISP"] = FieldFacts("V_DISP", 'A', false, 77);
        f["BOTH"] = FieldFacts("V_BOTH", 'P', true, 12);
        f["ITEM"] = FieldFacts("V_ITEM", 'A', false, 0);
    }
};

TEST_F(PushTest, ConstantPushesNameTheOperandIndex)
{
    PcodeBuilder b;
    b.Instr(16, b.Node(EXPR_NODE_PACKED_CONSTANT));
    b.Instr(9, b.Node(EXPR_NODE_INT64_CONSTANT));
    b.Instr(34, b.Node(EXPR_NODE_BOOLEAN_CONSTANT));
    EXPECT_EQ(RowsIn('C', b), (Lines{"   X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_PACKED31,                   1,",
                                     "   X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG,                    2,",
                                     "   X_COMP_OPCODE_PUSH_BOOLEAN_CONSTANT_AS_BOOLEAN,                   3"}));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{"   0x00000015 /* X_COMP_OPCODE_PUSH_PACKED_CONSTANT_AS_PACKED31 */ ,            1,",
                     "   0x00000009 /* X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG */ ,             2,",
                     "   0x00000022 /* X_COMP_OPCODE_PUSH_BOOLEAN_CONSTANT_AS_BOOLEAN */ ,            3"}));
    EXPECT_EQ(report.Problems(), 0u);
}

TEST_F(PushTest, ConstantPushWithoutCountedNodeRepeatsTheIndexAndIsReported)
{
    PcodeBuilder b;
    b.Instr(1);
    b.Instr(3, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(3, b.Field("AMOUNT"));
    EXPECT_EQ(RowsIn('C', b), (Lines{CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "0") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_DOUBLE", "1") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_DOUBLE", "1")}));
    EXPECT_EQ(report.unnumberedOperands, 2u);
}

TEST_F(PushTest, PushesWithoutOperandWriteZeroButStillCount)
{
    PcodeBuilder b;
    b.Instr(32, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(51);
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(32, "X_COMP_OPCODE_PUSH_BOOLEAN_TRUE_CONSTANT", "0") + ",",
                                     CsRowOf(51, "X_COMP_OPCODE_PUSH_SQLNULL", "0") + ",",
                                     CsRowOf(1, "X_COMP_OPCODE_PUSH_INT32_CONSTANT_AS_LONG", "2")}));
}

TEST_F(PushTest, VectorPushOfPlainArrayAndDispatchedFields)
{
    PcodeBuilder b;
    b.Instr(64, b.Field("AMOUNT"));
    b.Instr(64, b.Field("ARR"));
    b.Instr(64, b.Field("BOTH"));  // dispatch wins over array
    EXPECT_EQ(RowsIn('C', b), (Lines{CRowOf("X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG", "V_FIELD_AMOUNT") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR", "V_ARR") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_PACKED_STACK_VECTOR_AS_LONG", "0") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_LONG", "12")}));
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(64, "X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG", "V_FIELD_AMOUNT") + ",",
                                     CsRowOf(184, "X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR", "V_ARR") + ",",
                                     CsRowOf(72, "X_COMP_OPCODE_PUSH_PACKED_STACK_VECTOR_AS_LONG", "0") + ",",
                                     CsRowOf(256, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_LONG", "12")}));
}

TEST_F(PushTest, DispatchFlagOfTheNodeUsesTheNodesNumber)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* f = b.Field("AMOUNT", 0, EXPR_NODE_FLAG_DISPATCH);
    f->dispatchOp = -3;
    b.Instr(136, f);
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(263, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_INT64", "-3")}));
}

TEST_F(PushTest, ListAndRecordMembers)
{
    PcodeBuilder b;
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "ITEM";
    b.Instr(148, list);
    EXPR_OPERAND_NODE* rec = b.Node(EXPR_NODE_RECORD_FIELD);
    rec->fieldRef = "ITEM";
    b.Instr(64, rec);
    const Lines rec3 = {CRowOf("X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_STACK_VECTOR", "3") + ",",
                        CRowOf("X_COMP_OPCODE_PUSH_PACKED_STACK_VECTOR_AS_LONG", "0")};
    Lines c = RowsIn('C', b);
    EXPECT_EQ(Lines(c.begin() + 1, c.end()),
              (Lines{CRowOf("X_COMP_OPCODE_PUSH_LIST_VECTOR_AS_STACK_VECTOR", "2") + ",",
                     CRowOf("X_COMP_OPCODE_PUSH_STRING_STACK_VECTOR_AS_STRING", "0") + ",", rec3[0], rec3[1]}));
    // In C#, the record rows stay in C form.
    Lines cs = RowsIn('#', b);
    EXPECT_EQ(Lines(cs.begin() + 1, cs.end()),
              (Lines{CsRowOf(183, "X_COMP_OPCODE_PUSH_LIST_VECTOR_AS_STACK_VECTOR", "2") + ",",
                     CsRowOf(150, "X_COMP_OPCODE_PUSH_STRING_STACK_VECTOR_AS_STRING", "0") + ",", rec3[0], rec3[1]}));
}

TEST_F(PushTest, UnservedKindsAndMissingNodesGiveUnresolvedOperands)
{
    PcodeBuilder b;
    b.Instr(64, b.Node(EXPR_NODE_RESULT_VECTOR));
    b.Instr(64, b.Wrapper(64, b.Field("AMOUNT")));
    b.Instr(148);
    b.Instr(182);
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(64, "X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG", "???") + ",",
                                     CsRowOf(64, "X_COMP_OPCODE_PUSH_PACKED_VECTOR_AS_LONG", "???") + ",",
                                     CsRowOf(148, "X_COMP_OPCODE_PUSH_STRING_VECTOR_AS_STRING", "???") + ",",
                                     CsRowOf(182, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "???")}));
    EXPECT_EQ(report.unresolvedOperands, 4u);
}

TEST_F(PushTest, SystemVariableAndByteLengthFieldsPushTheirText)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* sv = b.Node(EXPR_NODE_SYSTEM_VARIABLE);
    sv->fieldRef = "AMOUNT";
    EXPR_OPERAND_NODE* bl = b.Node(EXPR_NODE_FIELD_BYTE_LENGTH);
    bl->fieldRef = "NOSUCH";
    b.Instr(170, sv);
    b.Instr(182, bl);
    EXPECT_EQ(RowsIn('C', b), (Lines{CRowOf("X_COMP_OPCODE_PUSH_BOOLEAN_VECTOR_AS_BOOLEAN", "V_FIELD_AMOUNT") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_NOT_AVAILABLE")}));
}

TEST_F(PushTest, AlphaAndShortCharPushesRefreshInWhenRoutinesInCOnly)
{
    PcodeBuilder when(EXPR_ROUTINE_WHEN_TEST, 1);
    when.Instr(142, when.Field("DISP"));
    when.Instr(244, when.Field("DISP"));
    EXPECT_EQ(RowsIn('C', when), (Lines{CRowOf("X_COMP_OPCODE_REFRESH_FIELD", "V_DISP") + ",",
                                        CRowOf("X_COMP_OPCODE_PUSH_ALPHA_VECTOR_AS_ALPHA", "V_DISP") + ",",
                                        CRowOf("X_COMP_OPCODE_REFRESH_FIELD", "V_DISP") + ",",
                                        CRowOf("X_COMP_OPCODE_PUSH_SHORT_CHAR_VECTOR_AS_STRING", "V_DISP")}));
    EXPECT_EQ(RowsIn('#', when), (Lines{CsRowOf(270, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_STRING", "77") + ",",
                                        CsRowOf(270, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_STRING", "77")}));

    PcodeBuilder cmd;
    cmd.Instr(143, cmd.Field("DISP"));
    cmd.Instr(144, cmd.Field("DISP"));  // the variant push gets the string
    EXPECT_EQ(RowsIn('C', cmd), (Lines{CRowOf("X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_STRING", "77") + ",",
                                       CRowOf("X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_STRING", "77")}));
}

TEST_F(PushTest, StringVectorPushInCSharp)
{
    PcodeBuilder b;
    b.Instr(148, b.Field("AMOUNT"));
    b.Instr(148, b.Field("ARR"));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{"   0x00000094 /* X_COMP_OPCODE_PUSH_STRING_VECTOR_AS_STRING */ ,                V_FIELD_AMOUNT,",
                     "   0x000000B8 /* X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR */ ,           V_ARR,",
                     "   0x00000096 /* X_COMP_OPCODE_PUSH_STRING_STACK_VECTOR_AS_STRING */ ,          0"}));
}

TEST_F(PushTest, SqlNullPushesTakeTheirOwnCompanions)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "ITEM";
    EXPR_OPERAND_NODE* rec = b.Node(EXPR_NODE_RECORD_FIELD);
    rec->fieldRef = "ITEM";
    b.Instr(176, b.Field("ARR"));
    b.Instr(179, list);
    b.Instr(179, rec);
    b.Instr(176, b.Field("DISP"));
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(184, "X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR", "V_ARR") + ",",
                                     CsRowOf(178, "X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_SQLNULL", "0") + ",",
                                     CsRowOf(183, "X_COMP_OPCODE_PUSH_LIST_VECTOR_AS_STACK_VECTOR", "1") + ",",
                                     CsRowOf(180, "X_COMP_OPCODE_PUSH_LIST_VECTOR2_AS_SQLNULL", "0") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_STACK_VECTOR", "2") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_RECORD_VECTOR2_AS_SQLNULL", "0") + ",",
                                     CsRowOf(272, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_SQLNULL", "77")}));
}

TEST_F(PushTest, VectorAsStackVector)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "ITEM";
    EXPR_OPERAND_NODE* rec = b.Node(EXPR_NODE_RECORD_FIELD);
    rec->fieldRef = "ITEM";
    b.Instr(182, b.Field("ARR"));
    b.Instr(182, b.Field("DISP"));
    b.Instr(182, b.Field("AMOUNT"));
    b.Instr(182, list);
    b.Instr(182, rec);
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(184, "X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR", "V_ARR") + ",",
                                     CsRowOf(1060, "X_COMP_OPCODE_REFRESH_FIELD", "V_DISP") + ",",
                                     CsRowOf(182, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_DISP") + ",",
                                     CsRowOf(182, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_FIELD_AMOUNT") + ",",
                                     CsRowOf(183, "X_COMP_OPCODE_PUSH_LIST_VECTOR_AS_STACK_VECTOR", "1") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_STACK_VECTOR", "2")}));
}

TEST_F(PushTest, LowHighAndResultVectorPushes)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* d1 = b.Node(EXPR_NODE_DECIMAL_CONSTANT);
    d1->value = 5;
    d1->second = 0;
    EXPR_OPERAND_NODE* d2 = b.Node(EXPR_NODE_DECIMAL_CONSTANT);
    d2->value = 31;
    d2->second = 2;
    b.Instr(187);
    b.Instr(187, d1);
    b.Instr(188, d2);
    b.Instr(185, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(243);
    EXPECT_EQ(RowsIn('C', b), (Lines{CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_LOVAL", "0x0000") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_LOVAL", "0x0500") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_HIVAL", "0x1f02") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_STRING_LOVAL", "0") + ",",
                                     CRowOf("X_COMP_OPCODE_PUSH_BOOLEAN_RESULT_VECTOR_AS_STACK_VECTOR", "0")}));
}

TEST_F(PushTest, DispatchGets)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* k1006 = b.Node(EXPR_NODE_DISPATCH_CONSTANT);
    k1006->dispatchOp = 41;
    EXPR_OPERAND_NODE* field = b.Field("DISP");
    field->dispatchOp = 9;  // printed as it stands: a dispatch get describes nothing
    b.Instr(256, k1006);
    b.Instr(275, field);
    b.Instr(265, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(265);
    EXPECT_EQ(RowsIn('#', b),
              (Lines{CsRowOf(256, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_LONG", "41") + ",",
                     // The comment is 66 characters: written whole, the operand one column right.
                     "   0x00000113 /* X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_DYNAMIC_PRECISION_INT32 */ , 9,",
                     CsRowOf(265, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_VARIANT", "???") + ",",
                     CsRowOf(265, "X_COMP_OPCODE_PUSH_DISPATCH_GET_AS_VARIANT", "???")}));
    EXPECT_EQ(field->dispatchOp, 9);
    EXPECT_EQ(report.unresolvedOperands, 2u);
}

}  // namespace
