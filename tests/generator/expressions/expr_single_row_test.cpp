// Single-row opcodes: coercions, logical, compare and null tests,
// arithmetic, rounding and concatenation, WHEN and evaluation control,
// intrinsics and the BOM evaluation opcodes, in C and C#.
#include <gtest/gtest.h>

#include "expr_test_support.h"

namespace {

using Lines = std::vector<std::string>;

class SingleRowTest : public ExprTableTest {
protected:
    EXPR_OPERAND_NODE* Words(PcodeBuilder& b, uint32_t first, uint32_t second,
                             int32_t kind = EXPR_NODE_FIELD) {
        EXPR_OPERAND_NODE* n = b.Node(kind);
        n->value = first;
        n->second = second;
        return n;
    }
};

TEST_F(SingleRowTest, Coercions) {
    PcodeBuilder b;
    b.Instr(288, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(402, Words(b, 15, 5));
    b.Instr(402, Words(b, 300, 2));
    b.Instr(402);
    b.Instr(375);
    b.Instr(378);
    b.Instr(416);
    EXPECT_EQ(RowsIn('#', b), (Lines{
        "   0x00000120 /* X_COMP_OPCODE_COERCE_LONG_TO_LONGLONG */ ,                     0,",
        CsRowOf(402, "X_COMP_OPCODE_COERCE_DECIMAL_TO_PRECISE_DECIMAL", "0x0f05") + ",",
        CsRowOf(402, "X_COMP_OPCODE_COERCE_DECIMAL_TO_PRECISE_DECIMAL", "0x12c02") + ",",
        CsRowOf(402, "X_COMP_OPCODE_COERCE_DECIMAL_TO_PRECISE_DECIMAL", "0x0000") + ",",
        "   00000177, ???,,",
        "   0000017a, ???,,",
        CsRowOf(416, "X_COMP_OPCODE_COERCE_INT32_TO_ENUMERATION", "0")}));
    EXPECT_EQ(RowsIn('C', b)[1], CRowOf("X_COMP_OPCODE_COERCE_DECIMAL_TO_PRECISE_DECIMAL", "0x0f05") + ",");
    // 0x12c02 does not fit a 16-bit word.
    EXPECT_EQ(report.wideOperands, 1u);
}

TEST_F(SingleRowTest, LogicalCompareAndNullTests) {
    PcodeBuilder b;
    b.Instr(813, Words(b, 9, 2));
    b.Instr(813);
    b.Instr(849, Words(b, 9, 2));
    b.Instr(777);
    b.Instr(891);
    b.Instr(892);
    b.Instr(927, Words(b, 1, 1));
    EXPECT_EQ(RowsIn('#', b), (Lines{
        CsRowOf(0x32D, "X_COMP_OPCODE_COMPARE_DOUBLE_LT_DOUBLE", "0x0902") + ",",
        CsRowOf(0x32D, "X_COMP_OPCODE_COMPARE_DOUBLE_LT_DOUBLE", "0x0000") + ",",
        CsRowOf(849, "X_COMP_OPCODE_COMPARE_FLOAT64_LT_FLOAT64", "0") + ",",
        "   0x00000309 /* X_COMP_OPCODE_LOGICAL_IF */ ,                                  0,",
        CsRowOf(891, "X_COMP_OPCODE_COMPARE_BOOLEAN_NE_BOOLEAN", "0") + ",",
        "   0000037c, ???,,",
        CsRowOf(927, "X_COMP_OPCODE_IS_BINARY_NULL", "0")}));
}

TEST_F(SingleRowTest, ArithmeticRoundingAndConcatenation) {
    PcodeBuilder b;
    b.Instr(948, Words(b, 31, 9));
    b.Instr(948);
    b.Instr(952);
    b.Instr(951);
    b.Instr(972, Words(b, 15, 2));
    b.Instr(975, Words(b, 256, 0));
    b.Instr(975, Words(b, 65536, 0));
    b.Instr(976);
    EXPECT_EQ(RowsIn('C', b), (Lines{
        CRowOf("X_COMP_OPCODE_DECIMAL_PLUS", "0x1f09") + ",",
        CRowOf("X_COMP_OPCODE_DECIMAL_PLUS", "0x0000") + ",",
        CRowOf("X_COMP_OPCODE_DECIMAL_MULTIPLY", "0x0000") + ",",
        "   000003b7, ???,,",
        CRowOf("X_COMP_OPCODE_ROUND_HALFUP_DECIMAL", "0x0f02") + ",",
        CRowOf("X_COMP_OPCODE_STRING_PLUS", "0x0100") + ",",
        CRowOf("X_COMP_OPCODE_STRING_PLUS", "0x10000") + ",",
        CRowOf("X_COMP_OPCODE_BINARY_PLUS", "0x0002")}));
    EXPECT_EQ(RowsIn('#', b)[2], CsRowOf(0x3B8, "X_COMP_OPCODE_DECIMAL_MULTIPLY", "0x0000") + ",");
}

TEST_F(SingleRowTest, WhenAndEvaluationControl) {
    PcodeBuilder b;
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(2, b.Node(EXPR_NODE_STRING_CONSTANT));
    b.Instr(1056, b.Node(EXPR_NODE_SYSTEM_VARIABLE));
    b.Instr(1056, b.Node(EXPR_NODE_SYSTEM_VARIABLE));
    b.Instr(1056, b.Field("X"));
    b.Instr(1008, b.Node(EXPR_NODE_INT32_CONSTANT));  // the opcode, not the node kind
    b.Instr(1065);
    b.Instr(1065, Words(b, 15, 2));
    b.Instr(1057);
    b.Instr(1058);
    Lines rows = RowsIn('C', b);
    EXPECT_EQ(Lines(rows.begin() + 2, rows.end()), (Lines{
        CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "3") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "4") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "4") + ",",
        CRowOf("X_COMP_OPCODE_WHEN_TRUE_LONG", "0") + ",",
        CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0000") + ",",
        CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02") + ",",
        CRowOf("X_COMP_OPCODE_INITIALIZE_CALLBACK_FRAME", "0") + ",",
        "   00000422, ???,"}));
    EXPECT_EQ(report.operandIndex, 5u);
    EXPECT_EQ(RowsIn('#', b)[7], CsRowOf(0x429, "X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02") + ",");
}

TEST_F(SingleRowTest, Intrinsics) {
    PcodeBuilder b;
    b.Instr(1072, Words(b, 3, 0));
    b.Instr(1072);
    b.Instr(1077, Words(b, 31, 0));
    b.Instr(1077, Words(b, 0, 0));
    b.Instr(1077, Words(b, 65536, 0));
    b.Instr(1077, Words(b, 0xFFFFFFFFu, 0));
    b.Instr(1280);
    b.Instr(1280, Words(b, 1, 0));
    b.Instr(1284, b.Wrapper(1, Words(b, 9, 0)));
    b.Instr(1285);
    EXPECT_EQ(RowsIn('C', b), (Lines{
        "   X_COMP_OPCODE_IMP_INTRINSIC_STRING_CUR_SIZE,                      0x0003,",
        "   X_COMP_OPCODE_IMP_INTRINSIC_STRING_CUR_SIZE,                      0,",
        CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_STRING_TRIM", "0x001f") + ",",
        CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_STRING_TRIM", "0x0000") + ",",
        CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_STRING_TRIM", "0x10000") + ",",
        CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_STRING_TRIM", "0xffffffff") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_DATE_CHECK", "0x0002") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_DATE_CHECK", "0x0001") + ",",
        // A wrapper's own value word, which is 0 here.
        CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_DATE_WEEK", "0x0000") + ",",
        "   00000505, ???,"}));
    EXPECT_EQ(report.wideOperands, 2u);
    Lines cs = RowsIn('#', b);
    EXPECT_EQ(cs[0], "   0x00000430 /* X_COMP_OPCODE_IMP_INTRINSIC_STRING_CUR_SIZE */ ,               0x0003,");
    EXPECT_EQ(cs[0].size(), 86u + 1);
    EXPECT_EQ(report.wideOperands, 1u);
}

TEST_F(SingleRowTest, IntrinsicNamesWiderThanTheField) {
    PcodeBuilder b;
    b.Instr(1199, Words(b, 10, 0));
    b.Instr(1239, Words(b, 1, 0));
    b.Instr(1240);
    EXPECT_EQ(RowsIn('#', b), (Lines{
        CsRowOf(0x4AF, "X_COMP_OPCODE_IMP_INTRINSIC_BOOLEAN_AND", "0x000a") + ",",
        "   0x000004D7 /* X_COMP_OPCODE_IMP_INTRINSIC_DATETIME_AS_LOCALIZED_DATETIME */ , 0x0001,",
        "   0x000004D8 /* X_COMP_OPCODE_IMP_INTRINSIC_DATETIME_AS_UNIVERSAL_DATETIME */ , 0"}));
}

TEST_F(SingleRowTest, BomOpcodesWriteTheOperandText) {
    gen.dictionary.fields["BOMF"] = ExprFieldFacts{"V_BOM_FIELD", 'A', false, 0};
    gen.dictionary.componentFields["CF"] = ExprFieldFacts{"V_COMP_FIELD", 'A', false, 0};
    PcodeBuilder b;
    EXPR_OPERAND_NODE* comp = b.Node(EXPR_NODE_COMPONENT_FIELD_REF);
    comp->componentFieldRef = "CF";
    EXPR_OPERAND_NODE* lost = b.Node(EXPR_NODE_COMPONENT_FIELD_REF);
    lost->componentFieldRef = "NONE";
    b.Instr(1296, b.Field("NOSUCH"));
    b.Instr(1297, b.Wrapper(182, b.Field("BOMF")));
    b.Instr(1298);
    b.Instr(1299, comp);
    b.Instr(1299, lost);
    b.Instr(1296, b.Node(EXPR_NODE_RESULT_VECTOR));
    EXPECT_EQ(RowsIn('C', b), (Lines{
        "   X_COMP_OPCODE_EVALUATE_BOM_ADD_ENTRY,                             V_NOT_AVAILABLE,",
        CRowOf("X_COMP_OPCODE_EVALUATE_BOM_STORE_ENTRY", "V_BOM_FIELD") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_BOM_HANDLE_IO_ERROR", "") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_BOM_HANDLE_NOT_FOUND", "V_COMP_FIELD") + ",",
        CRowOf("X_COMP_OPCODE_EVALUATE_BOM_HANDLE_NOT_FOUND", "V_UNKNOWN") + ",",
        // No text left over from the row before.
        CRowOf("X_COMP_OPCODE_EVALUATE_BOM_ADD_ENTRY", "")}));
    Lines cs = RowsIn('#', b);
    EXPECT_EQ(cs[0], "   0x00000510 /* X_COMP_OPCODE_EVALUATE_BOM_ADD_ENTRY */ ,                      V_NOT_AVAILABLE,");
    EXPECT_EQ(cs[2], "   0x00000512 /* X_COMP_OPCODE_EVALUATE_BOM_HANDLE_IO_ERROR */ ,                ,");
}

TEST_F(SingleRowTest, OneRowOfEachFamilyInBothTargets) {
    struct Case { uint32_t opcode; const char* name; const char* operand; };
    const Case cases[] = {
        {51, "PUSH_SQLNULL", "0"},
        {187, "PUSH_DECIMAL_LOVAL", "0x0903"},
        {243, "PUSH_BOOLEAN_RESULT_VECTOR_AS_STACK_VECTOR", "0"},
        {256, "PUSH_DISPATCH_GET_AS_LONG", "-1"},
        {394, "COERCE_DATETIME_TO_DATE", "0"},
        {705, "PULL_RESULT_VARIANT_FROM_LONGLONG", "0x0009"},
        {779, "LOGICAL_ENDIF", "0"},
        {837, "COMPARE_INT32_LT_INT32", "0"},
        {925, "IS_BOOLEAN_NULL", "0"},
        {966, "VARIANT_MINUS", "0x0903"},
        {970, "ROUND_HALFUP_PACKED31", "0x0903"},
        {976, "BINARY_PLUS", "0x0009"},
        {1030, "WHEN_ALL_FALSE_INT32", "0"},
        {1186, "IMP_INTRINSIC_VAR_IS_EMPTY", "0x0009"},
    };
    for (const Case& c : cases) {
        PcodeBuilder b;
        EXPR_OPERAND_NODE* n = Words(b, 9, 3, EXPR_NODE_DISPATCH_CONSTANT);
        n->dispatchOp = -1;
        b.Instr(c.opcode, n);
        const std::string name = std::string("X_COMP_OPCODE_") + c.name;
        EXPECT_EQ(RowsIn('C', b), Lines{CRowOf(name, c.operand)}) << c.opcode;
        EXPECT_EQ(RowsIn('#', b), Lines{CsRowOf(c.opcode, name, c.operand)}) << c.opcode;
        EXPECT_EQ(report.Problems(), 0u) << c.opcode;
    }
    // An identical-vector pull without a node is a C-form row in both targets.
    PcodeBuilder b;
    b.Instr(742);
    const Lines pull = {CRowOf("X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_C", "0")};
    EXPECT_EQ(RowsIn('C', b), pull);
    EXPECT_EQ(RowsIn('#', b), pull);
}

} // namespace
