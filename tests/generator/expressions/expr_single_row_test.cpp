// Single-row opcodes of every family (coercions, logical, compare and null
// tests, arithmetic, rounding and concatenation, WHEN and evaluation
// control, intrinsics and the BOM evaluation opcodes), in C and C#.
#include <gtest/gtest.h>

#include "expr_test_support.h"

namespace {

using Lines = std::vector<std::string>;

class SingleRowTest : public ExprTableTest {
protected:
    EXPR_OPERAND_NODE* Words(PcodeBuilder& b, uint32_t first, uint32_t second, int32_t kind = EXPR_NODE_FIELD)
    {
        EXPR_OPERAND_NODE* n = b.Node(kind);
        n->value = first;
        n->second = second;
        return n;
    }
};

TEST_F(SingleRowTest, WhenAndEvaluationControl)
{
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
    EXPECT_EQ(Lines(rows.begin() + 2, rows.end()),
              (Lines{CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "3") + ",",
                     CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "4") + ",",
                     CRowOf("X_COMP_OPCODE_EVALUATE_SYSTEM_VARIABLE", "4") + ",",
                     CRowOf("X_COMP_OPCODE_WHEN_TRUE_LONG", "0") + ",",
                     CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0000") + ",",
                     CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02") + ",",
                     CRowOf("X_COMP_OPCODE_INITIALIZE_CALLBACK_FRAME", "0") + ",", "   00000422, ???,"}));
    EXPECT_EQ(report.operandIndex, 5u);
    EXPECT_EQ(RowsIn('#', b).at(7), CsRowOf(0x429, "X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02") + ",");
}

TEST_F(SingleRowTest, IntrinsicNamesWiderThanTheField)
{
    PcodeBuilder b;
    b.Instr(1199, Words(b, 10, 0));
    b.Instr(1239, Words(b, 1, 0));
    b.Instr(1240);
    EXPECT_EQ(RowsIn('#', b),
              (Lines{CsRowOf(0x4AF, "X_COMP_OPCODE_IMP_INTRINSIC_BOOLEAN_AND", "0x000a") + ",",
                     "   0x000004D7 /* X_COMP_OPCODE_IMP_INTRINSIC_DATETIME_AS_LOCALIZED_DATETIME */ , 0x0001,",
                     "   0x000004D8 /* X_COMP_OPCODE_IMP_INTRINSIC_DATETIME_AS_UNIVERSAL_DATETIME */ , 0"}));
}

// The rows of the tables share their buffers: a table of long rows, then one
// of a short row, then the long one again, each keeps only its own text.
TEST_F(SingleRowTest, TablesWrittenInTurnKeepTheirOwnRows)
{
    PcodeBuilder wide;
    wide.Instr(1239, Words(wide, 1, 0));
    wide.Instr(1240);
    PcodeBuilder narrow;
    narrow.Instr(1065, Words(narrow, 15, 2));
    const Lines wideRows{CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_DATETIME_AS_LOCALIZED_DATETIME", "0x0001") + ",",
                         CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_DATETIME_AS_UNIVERSAL_DATETIME", "0")};
    EXPECT_EQ(RowsIn('C', wide), wideRows);
    EXPECT_EQ(RowsIn('C', narrow), (Lines{CRowOf("X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02")}));
    EXPECT_EQ(RowsIn('#', narrow),
              (Lines{CsRowOf(0x429, "X_COMP_OPCODE_PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02")}));
    EXPECT_EQ(RowsIn('C', wide), wideRows);
}

TEST_F(SingleRowTest, BomOpcodesWriteTheOperandText)
{
    gen.dictionary.fields["BOMF"] = FieldFacts("V_BOM_FIELD", 'A', false, 0);
    gen.dictionary.componentFields["CF"] = FieldFacts("V_COMP_FIELD", 'A', false, 0);
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
    EXPECT_EQ(RowsIn('C', b),
              (Lines{"   X_COMP_OPCODE_EVALUATE_BOM_ADD_ENTRY,                             V_NOT_AVAILABLE,",
                     CRowOf("X_COMP_OPCODE_EVALUATE_BOM_STORE_ENTRY", "V_BOM_FIELD") + ",",
                     CRowOf("X_COMP_OPCODE_EVALUATE_BOM_HANDLE_IO_ERROR", "") + ",",
                     CRowOf("X_COMP_OPCODE_EVALUATE_BOM_HANDLE_NOT_FOUND", "V_COMP_FIELD") + ",",
                     CRowOf("X_COMP_OPCODE_EVALUATE_BOM_HANDLE_NOT_FOUND", "V_UNKNOWN") + ",",
                     // No text left over from the row before.
                     CRowOf("X_COMP_OPCODE_EVALUATE_BOM_ADD_ENTRY", "")}));
    Lines cs = RowsIn('#', b);
    EXPECT_EQ(cs[0],
              "   0x00000510 /* X_COMP_OPCODE_EVALUATE_BOM_ADD_ENTRY */ ,                      V_NOT_AVAILABLE,");
    EXPECT_EQ(cs[2], "   0x00000512 /* X_COMP_OPCODE_EVALUATE_BOM_HANDLE_IO_ERROR */ ,                ,");
}

TEST_F(SingleRowTest, OneRowOfEachFamilyInBothTargets)
{
    // The operand node's two words, or no node (words -1).
    struct Case {
        uint32_t opcode;
        int64_t first, second;
        const char* name;
        const char* operand;
    };
    const Case cases[] = {
        {51, 9, 3, "PUSH_SQLNULL", "0"},
        {187, 9, 3, "PUSH_DECIMAL_LOVAL", "0x0903"},
        {243, 9, 3, "PUSH_BOOLEAN_RESULT_VECTOR_AS_STACK_VECTOR", "0"},
        {256, 9, 3, "PUSH_DISPATCH_GET_AS_LONG", "-1"},
        {288, 9, 3, "COERCE_LONG_TO_LONGLONG", "0"},
        {394, 9, 3, "COERCE_DATETIME_TO_DATE", "0"},
        {402, 15, 5, "COERCE_DECIMAL_TO_PRECISE_DECIMAL", "0x0f05"},
        {402, -1, -1, "COERCE_DECIMAL_TO_PRECISE_DECIMAL", "0x0000"},
        {416, 9, 3, "COERCE_INT32_TO_ENUMERATION", "0"},
        {705, 9, 3, "PULL_RESULT_VARIANT_FROM_LONGLONG", "0x0009"},
        {705, -1, -1, "PULL_RESULT_VARIANT_FROM_LONGLONG", "0x0002"},
        {779, 9, 3, "LOGICAL_ENDIF", "0"},
        {813, 9, 2, "COMPARE_DOUBLE_LT_DOUBLE", "0x0902"},
        {837, 9, 3, "COMPARE_INT32_LT_INT32", "0"},
        {925, 9, 3, "IS_BOOLEAN_NULL", "0"},
        {948, 31, 9, "DECIMAL_PLUS", "0x1f09"},
        {966, 9, 3, "VARIANT_MINUS", "0x0903"},
        {970, 9, 3, "ROUND_HALFUP_PACKED31", "0x0903"},
        {975, 256, 0, "STRING_PLUS", "0x0100"},
        {976, 9, 3, "BINARY_PLUS", "0x0009"},
        {1030, 9, 3, "WHEN_ALL_FALSE_INT32", "0"},
        {1065, 15, 2, "PUSH_DECIMAL_PRECISION_AS_INT32", "0x0f02"},
        {1057, 9, 3, "INITIALIZE_CALLBACK_FRAME", "0"},
        {1072, 3, 0, "IMP_INTRINSIC_STRING_CUR_SIZE", "0x0003"},
        {1072, -1, -1, "IMP_INTRINSIC_STRING_CUR_SIZE", "0"},
        {1186, 9, 3, "IMP_INTRINSIC_VAR_IS_EMPTY", "0x0009"},
        {1280, -1, -1, "EVALUATE_DATE_CHECK", "0x0002"},
        {1280, 1, 0, "EVALUATE_DATE_CHECK", "0x0001"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opcode);
        PcodeBuilder b;
        EXPR_OPERAND_NODE* n = nullptr;
        if (c.first >= 0) {
            n = Words(b, static_cast<uint32_t>(c.first), static_cast<uint32_t>(c.second), EXPR_NODE_DISPATCH_CONSTANT);
            n->dispatchOp = -1;
        }
        b.Instr(c.opcode, n);
        const std::string name = std::string("X_COMP_OPCODE_") + c.name;
        EXPECT_EQ(RowsIn('C', b), Lines{CRowOf(name, c.operand)});
        EXPECT_EQ(RowsIn('#', b), Lines{CsRowOf(c.opcode, name, c.operand)});
        EXPECT_EQ(report.Problems(), 0u);
    }
    // The worked example of an intrinsic row: 86 characters in C#.
    PcodeBuilder b;
    b.Instr(1072, Words(b, 3, 0));
    EXPECT_EQ(RowsIn('#', b).at(0),
              "   0x00000430 /* X_COMP_OPCODE_IMP_INTRINSIC_STRING_CUR_SIZE */ ,               0x0003");
    // A wrapper gives its own value word; an identical-vector pull without a
    // node is a C-form row in both targets.
    PcodeBuilder w;
    w.Instr(1284, w.Wrapper(1, Words(w, 9, 0)));
    EXPECT_EQ(RowsIn('C', w).at(0), CRowOf("X_COMP_OPCODE_IMP_INTRINSIC_DATE_WEEK", "0x0000"));
    PcodeBuilder p;
    p.Instr(742);
    const Lines pull = {CRowOf("X_COMP_OPCODE_PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_C", "0")};
    EXPECT_EQ(RowsIn('C', p), pull);
    EXPECT_EQ(RowsIn('#', p), pull);
}

}  // namespace
