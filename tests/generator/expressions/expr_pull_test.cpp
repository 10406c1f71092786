// Pull opcodes 432-767: the pull row expansion in its standard and component
// refresh shapes, the status refresh tail, result vectors, record members,
// dispatch sets and result variants, in C and C#.
#include <gtest/gtest.h>

#include "expr_test_support.h"

namespace {

using Lines = std::vector<std::string>;

const std::string kStatusOffsetRow =
    CRowOf("X_COMP_OPCODE_PUSH_GLOBAL_STORAGE_OFFSET",
           "((X_SHORT)( ((X_BYTE*)( &( ((struct FUNCTION_STATIC_GLOBAL_1*)( 0 ))->vchLastIOStatus ) )) - "
           "((X_BYTE*)( 0 )) ))") +
    ",";

class PullTest : public ExprTableTest {
protected:
    void SetUp() override
    {
        auto& f = gen.dictionary.fields;
        f["AMOUNT"] = FieldFacts("V_FIELD_AMOUNT", 'P', false, 0);
        f["ARR"] = FieldFacts("V_ARR", 'P', true, 0);
        f["DISP"] = FieldFacts("V_DISP", 'P', false, 77);
        f["BOTH"] = FieldFacts("V_BOTH", 'P', true, 12);
    }
};

TEST_F(PullTest, AbsentOperandIsTheSameCFormRowInBothTargets)
{
    PcodeBuilder b;
    b.Instr(432);
    b.Instr(497);
    b.Instr(561);
    b.Instr(647);
    const Lines expected = {"   X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG,                       0,",
                            "   X_COMP_OPCODE_PULL_SIGNED_VECTOR_FROM_LONG_A,                     0,",
                            "   X_COMP_OPCODE_PULL_INT8_VECTOR_FROM_NULL,                         0,",
                            "   X_COMP_OPCODE_PULL_ALPHA_VECTOR_FROM_STRING_PLUS,                 0"};
    EXPECT_EQ(RowsIn('C', b), expected);
    EXPECT_EQ(RowsIn('#', b), expected);
}

TEST_F(PullTest, PlainVectorTarget)
{
    PcodeBuilder b;
    b.Instr(432, b.Field("AMOUNT", 5));
    b.Instr(639, b.Field("AMOUNT", 6));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{"   0x000000B6 /* X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR */,                  V_FIELD_AMOUNT,",
                     "   0x000001B0 /* X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG */ ,                5,",
                     CsRowOf(182, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_FIELD_AMOUNT", true) + ",",
                     CsRowOf(0x27F, "X_COMP_OPCODE_PULL_BINARY_VECTOR_FROM_NAVAIL", "6")}));
}

TEST_F(PullTest, DispatchTargetStandardAndComponentRefresh)
{
    PcodeBuilder b(EXPR_ROUTINE_COMPONENT, 1);
    b.Instr(445, b.Field("DISP", 3));
    b.Instr(455, b.Field("BOTH", 4));  // dispatch before array
    b.Instr(454, b.Field("BOTH", 4));
    b.Instr(641, b.Field("DISP"));
    b.Instr(654, b.Field("DISP"));
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(0x2A5, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_DECIMAL", "77") + ",",
                                     CsRowOf(0xB6, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_BOTH", true) + ",",
                                     CsRowOf(0x1C7, "X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_HIVAL", "4") + ",",
                                     CsRowOf(0x423, "X_COMP_OPCODE_REFRESH_COMPONENT", "V_BOTH", true) + ",",
                                     CsRowOf(688, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_NULL", "12") + ",",
                                     CsRowOf(686, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_STRING", "77") + ",",
                                     CsRowOf(691, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_NAVAIL", "77")}));
    EXPECT_EQ(RowsIn('C', b).at(0), CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_DECIMAL", "77") + ",");
}

TEST_F(PullTest, DateHivalDispatchTargetInC)
{
    PcodeBuilder b(EXPR_ROUTINE_COMPONENT, 1);
    b.Instr(604, b.Field("DISP", 8));
    b.Instr(600, b.Field("DISP", 8));
    EXPECT_EQ(RowsIn('C', b), (Lines{CRowOf("X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_DISP") + ",",
                                     CRowOf("X_COMP_OPCODE_PULL_DATE_VECTOR_FROM_HIVAL", "8") + ",",
                                     CRowOf("X_COMP_OPCODE_REFRESH_COMPONENT", "V_DISP") + ",",
                                     CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_DATE", "77")}));
    EXPECT_EQ(RowsIn('#', b).at(3), CsRowOf(0x2AB, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_DATE", "77"));
}

TEST_F(PullTest, ArrayBeforeIndexedAndIndexedTarget)
{
    PcodeBuilder b;
    b.Instr(432, b.Field("ARR", 2, EXPR_NODE_FLAG_INDEXED));
    b.Instr(489, b.Field("AMOUNT", 3, EXPR_NODE_FLAG_INDEXED));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{CsRowOf(184, "X_COMP_OPCODE_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR", "V_ARR", true) + ",",
                     CsRowOf(432, "X_COMP_OPCODE_PULL_PACKED_VECTOR_FROM_LONG", "2") + ",",
                     CsRowOf(0xB6, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_FIELD_AMOUNT", true) + ",",
                     CsRowOf(0x1E9, "X_COMP_OPCODE_PULL_PACKED_VECTOR2_FROM_LOVAL", "3") + ",",
                     CsRowOf(0x422, "X_COMP_OPCODE_SET_INDEX", "V_FIELD_AMOUNT", true)}));
}

TEST_F(PullTest, StatusRefreshTailInCommandRoutines)
{
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 1);
    b.Instr(432, b.Field("DISP", 1, EXPR_NODE_FLAG_STATUS_REFRESH));
    EXPECT_EQ(RowsIn('#', b), (Lines{CsRowOf(672, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_LONG", "77") + ",",
                                     kStatusOffsetRow, CRowOf("X_COMP_OPCODE_REFRESH_USER_STATUS", "V_DISP")}));
    EXPECT_EQ(gen.lastIoStatusFlag, 'Y');

    // The same instruction in a component routine takes no tail.
    CaptureGenerator other;
    other.dictionary = gen.dictionary;
    PcodeBuilder c(EXPR_ROUTINE_COMPONENT, 1);
    c.Instr(432, c.Field("DISP", 1, EXPR_NODE_FLAG_STATUS_REFRESH));
    c.Write(other);
    EXPECT_EQ(other.Rows(), (Lines{CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_LONG", "77")}));
    EXPECT_EQ(other.lastIoStatusFlag, 'N');
}

TEST_F(PullTest, FiveRowsForAnIndexedTargetWithTheTail)
{
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 1);
    b.Instr(496, b.Field("AMOUNT", 4, EXPR_NODE_FLAG_INDEXED | EXPR_NODE_FLAG_STATUS_REFRESH));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{CsRowOf(0xB6, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_FIELD_AMOUNT", true) + ",",
                     CsRowOf(0x1F0, "X_COMP_OPCODE_PULL_SIGNED_VECTOR_FROM_LONG", "4") + ",",
                     CsRowOf(0x422, "X_COMP_OPCODE_SET_INDEX", "V_FIELD_AMOUNT", true) + ",", kStatusOffsetRow,
                     CRowOf("X_COMP_OPCODE_REFRESH_USER_STATUS", "V_FIELD_AMOUNT")}));

    PcodeBuilder r(EXPR_ROUTINE_COMMAND, 1);
    r.Instr(598, r.Field("DISP", 4, EXPR_NODE_FLAG_STATUS_REFRESH));
    r.Instr(590, r.Field("DISP", 4, EXPR_NODE_FLAG_STATUS_REFRESH));
    EXPECT_EQ(RowsIn('C', r), (Lines{CRowOf("X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_DISP") + ",",
                                     CRowOf("X_COMP_OPCODE_PULL_BOOLEAN_VECTOR_FROM_HIVAL", "4") + ",",
                                     CRowOf("X_COMP_OPCODE_REFRESH_COMPONENT", "V_DISP") + ",", kStatusOffsetRow,
                                     CRowOf("X_COMP_OPCODE_REFRESH_USER_STATUS", "V_DISP") + ",",
                                     CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_FLOAT64", "77") + ",",
                                     kStatusOffsetRow, CRowOf("X_COMP_OPCODE_REFRESH_USER_STATUS", "V_DISP")}));
}

TEST_F(PullTest, DispatchSetInstructionTakesNoTail)
{
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 1);
    EXPR_OPERAND_NODE* f = b.Field("DISP", 0, EXPR_NODE_FLAG_STATUS_REFRESH);
    f->dispatchOp = 6;
    b.Instr(686, f);
    EXPECT_EQ(RowsIn('C', b), (Lines{CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_STRING", "6")}));
    EXPECT_EQ(gen.lastIoStatusFlag, 'N');
}

TEST_F(PullTest, ResultVectorSources)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* r229 = b.Node(EXPR_NODE_RESULT_VECTOR);
    r229->resultVectorIndex = 229;
    EXPR_OPERAND_NODE* r225 = b.Node(EXPR_NODE_RESULT_VECTOR);
    r225->resultVectorIndex = 225;
    EXPR_OPERAND_NODE* r244 = b.Node(EXPR_NODE_RESULT_VECTOR);
    r244->resultVectorIndex = 244;
    b.Instr(565, r229);
    b.Instr(464, r225);
    b.Instr(580, r244);
    const Lines expected = {CRowOf("X_COMP_OPCODE_PUSH_INTU8_RESULT_VECTOR_AS_STACK_VECTOR", "0") + ",",
                            CRowOf("X_COMP_OPCODE_PULL_INTU8_VECTOR_FROM_INT32", "0") + ",",
                            CRowOf("X_COMP_OPCODE_PUSH_PACKED_RESULT_VECTOR2_AS_STACK_VECTOR", "0") + ",",
                            CRowOf("X_COMP_OPCODE_PULL_PACKED_VECTOR2_FROM_LONG", "0") + ",",
                            // No result vector has the number 244: nothing is read past the names.
                            CRowOf("X_COMP_OPCODE_PULL_INT64_VECTOR_FROM_INT64", "???")};
    EXPECT_EQ(RowsIn('C', b), expected);
    EXPECT_EQ(RowsIn('#', b), expected);
    EXPECT_EQ(report.unresolvedOperands, 1u);
}

TEST_F(PullTest, RecordTargetWrapperAndOtherKinds)
{
    PcodeBuilder b;
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    EXPR_OPERAND_NODE* rec = b.Node(EXPR_NODE_RECORD_FIELD);
    rec->fieldRef = "AMOUNT";
    rec->pullOperand = 9;
    b.Instr(528, rec);
    b.Instr(528, b.Wrapper(182, b.Field("AMOUNT")));
    b.Instr(740, b.Node(EXPR_NODE_DISPATCH_CONSTANT));
    Lines rows = RowsIn('#', b);
    EXPECT_EQ(Lines(rows.begin() + 1, rows.end()),
              (Lines{CRowOf("X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_STACK_VECTOR", "2") + ",",
                     CRowOf("X_COMP_OPCODE_PULL_SIGNED_VECTOR2_FROM_LONG", "9") + ",",
                     CRowOf("X_COMP_OPCODE_PULL_SIGNED_VECTOR2_FROM_LONG", "???") + ",",
                     CRowOf("X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_A", "???")}));
    EXPECT_EQ(report.unresolvedOperands, 2u);
}

TEST_F(PullTest, IdenticalAndLobPullsRefreshDispatchTargets)
{
    PcodeBuilder b(EXPR_ROUTINE_COMPONENT, 1);
    b.Instr(740, b.Field("DISP", 1, EXPR_NODE_FLAG_INDEXED));
    b.Instr(646, b.Field("DISP", 2));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{CsRowOf(182, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_DISP", true) + ",",
                     CsRowOf(740, "X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_A", "1") + ",",
                     CsRowOf(1059, "X_COMP_OPCODE_REFRESH_COMPONENT", "V_DISP", true) + ",",
                     CsRowOf(182, "X_COMP_OPCODE_PUSH_VECTOR_AS_STACK_VECTOR", "V_DISP", true) + ",",
                     CsRowOf(0x286, "X_COMP_OPCODE_PULL_LOB_VECTOR_FROM_NAVAIL", "2") + ",",
                     CsRowOf(0x423, "X_COMP_OPCODE_REFRESH_COMPONENT", "V_DISP", true)}));
}

TEST_F(PullTest, DispatchSetShape)
{
    PcodeBuilder b;
    EXPR_OPERAND_NODE* k1006 = b.Node(EXPR_NODE_DISPATCH_CONSTANT);
    k1006->dispatchOp = 5;
    EXPR_OPERAND_NODE* field = b.Field("BOTH");  // descriptor not consulted
    field->dispatchOp = 5;
    b.Instr(672, k1006);
    b.Instr(672, field);
    b.Instr(690, b.Node(EXPR_NODE_RESULT_VECTOR));
    b.Instr(690);
    EXPECT_EQ(RowsIn('C', b), (Lines{"   X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_LONG,                        5,",
                                     "   X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_LONG,                        5,",
                                     CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_REFERENCE", "???") + ",",
                                     CRowOf("X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_REFERENCE", "???")}));
    EXPECT_EQ(RowsIn('#', b),
              (Lines{"   0x000002A0 /* X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_LONG */ ,                 5,",
                     "   0x000002A0 /* X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_LONG */ ,                 5,",
                     CsRowOf(0x2B2, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_REFERENCE", "???") + ",",
                     CsRowOf(0x2B2, "X_COMP_OPCODE_PULL_DISPATCH_SET_FROM_REFERENCE", "???")}));
    EXPECT_EQ(field->dispatchOp, 5);
    EXPECT_EQ(report.unresolvedOperands, 2u);
}

}  // namespace
