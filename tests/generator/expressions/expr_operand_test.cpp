// The operand describer: wrappers, served kinds, names of fields not found,
// the dispatch number taken from the field's definition, and the text bound.
#include <gtest/gtest.h>

#include "expr_test_support.h"
#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand.h"
#include "generator/expressions/expr_operand_info.h"

namespace {

class OperandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dict.fields["AMOUNT"] = FieldFacts("V_FIELD_AMOUNT", 'P', false, 0);
        dict.fields["ARR"] = FieldFacts("V_ARR", 'A', true, 0);
        dict.fields["DISP"] = FieldFacts("V_DISP", 'A', false, 77);
        dict.fields["LONG"] = FieldFacts(std::string(50, 'V'), 'A', false, 0);
        dict.componentFields["CF"] = FieldFacts("V_CF", 'A', false, 0);
    }
    MapFieldDictionary dict;
    PcodeBuilder b;
};

TEST_F(OperandTest, FieldThroughWrappers)
{
    EXPR_OPERAND_NODE* field = b.Field("ARR", 0, EXPR_NODE_FLAG_INDEXED);
    EXPR_OPERAND_NODE* outer = b.Wrapper(182, b.Wrapper(182, field));
    EXPR_OPERAND_DESCRIPTOR d;
    ASSERT_EQ(EXPR_DescribeOperand(dict, d, outer), 1);
    EXPECT_EQ(d.node, field);
    EXPECT_EQ(d.text, "V_ARR");
    EXPECT_EQ(d.LengthText(), "BYTE_LEN_V_ARR");
    EXPECT_EQ(d.typeLetter, 'A');
    EXPECT_TRUE(d.array);
    EXPECT_TRUE(d.indexed);
    EXPECT_FALSE(d.dispatch);
    EXPECT_FALSE(d.record);
}

TEST_F(OperandTest, NothingToDescribeLeavesTheDescriptorClear)
{
    EXPR_OPERAND_DESCRIPTOR d;
    d.text = "left over";
    d.dispatch = true;
    EXPECT_EQ(EXPR_DescribeOperand(dict, d, nullptr), 0);
    EXPECT_TRUE(d.text.empty());
    EXPECT_FALSE(d.dispatch);

    d.text = "left over";
    EXPECT_EQ(EXPR_DescribeOperand(dict, d, b.Wrapper(1, nullptr)), 0);
    EXPECT_TRUE(d.text.empty());

    for (int32_t kind : {1000, 1006, 1010, 1011, 1012, 1016, 1017, 1018, 260}) {
        EXPR_OPERAND_NODE* n = b.Node(kind);
        n->fieldRef = "AMOUNT";
        EXPECT_EQ(EXPR_DescribeOperand(dict, d, n), 0) << kind;
        EXPECT_TRUE(d.text.empty());
        EXPECT_EQ(d.node, nullptr);
    }
}

TEST_F(OperandTest, FieldsNotFound)
{
    EXPR_OPERAND_DESCRIPTOR d;
    EXPECT_EQ(EXPR_DescribeOperand(dict, d, b.Field("NOSUCH")), 1);
    EXPECT_EQ(d.text, "V_NOT_AVAILABLE");
    EXPR_OPERAND_NODE* comp = b.Node(EXPR_NODE_COMPONENT_FIELD_REF);
    comp->componentFieldRef = "NOSUCH";
    EXPECT_EQ(EXPR_DescribeOperand(dict, d, comp), 1);
    EXPECT_EQ(d.text, "V_UNKNOWN");
    comp->componentFieldRef = "CF";
    EXPR_DescribeOperand(dict, d, comp);
    EXPECT_EQ(d.text, "V_CF");
}

// A packed or signed field beyond 30 digits or 9 decimals is held with its
// field information by its definition alone, whether or not the node says
// so; up to 30 digits and 9 decimals only the node's mark or a definition
// word makes it so. Other types with a structure of their own always are,
// an alphanumeric field never.
TEST_F(OperandTest, HeldWithFieldInformationByTheDefinition)
{
    struct Row {
        char type;
        int32_t length, decimals;
        uint32_t flags;
        int32_t fieldWord;
        bool converted;
    };
    constexpr Row kRows[] = {
        {'S', 31, 0, 0, 0, true},  {'P', 31, 0, 0, 0, true},  {'S', 31, 9, 0, 0, true},
        {'P', 63, 5, 0, 0, true},  {'S', 30, 0, 0, 0, false}, {'P', 30, 9, 0, 0, false},
        {'S', 20, 10, 0, 0, true}, {'P', 15, 10, 0, 0, true}, {'P', 9, 2, EXPR_NODE_FLAG_CONVERTED, 0, true},
        {'S', 7, 2, 0, 1, true},   {'I', 4, 0, 0, 0, true},   {'A', 31, 0, 0, 0, false},
    };
    for (const Row& r : kRows) {
        ExprFieldFacts facts = FieldFacts("V_FIELD_WIDE", r.type, false, 0);
        facts.length = r.length;
        facts.decimals = r.decimals;
        facts.fieldWord = r.fieldWord;
        dict.fields["WIDE"] = facts;
        EXPR_OPERAND_DESCRIPTOR d;
        ASSERT_EQ(EXPR_DescribeOperand(dict, d, b.Field("WIDE", 0, r.flags)), 1);
        EXPECT_EQ(d.converted, r.converted) << r.type << r.length << "," << r.decimals << " flags " << r.flags;
    }
}

TEST_F(OperandTest, DispatchNumberOfTheDefinitionIsStoredInTheNode)
{
    EXPR_OPERAND_NODE* n = b.Field("DISP");
    EXPR_OPERAND_DESCRIPTOR d;
    EXPR_DescribeOperand(dict, d, n);
    EXPECT_TRUE(d.dispatch);
    EXPECT_EQ(n->dispatchOp, 77);

    // The node's own bit keeps the node's own number.
    EXPR_OPERAND_NODE* own = b.Field("DISP", 0, EXPR_NODE_FLAG_DISPATCH);
    own->dispatchOp = 5;
    EXPR_DescribeOperand(dict, d, own);
    EXPECT_TRUE(d.dispatch);
    EXPECT_EQ(own->dispatchOp, 5);

    // A system variable is never reached through dispatch operations.
    EXPR_OPERAND_NODE* sv = b.Node(EXPR_NODE_SYSTEM_VARIABLE);
    sv->fieldRef = "DISP";
    EXPR_DescribeOperand(dict, d, sv);
    EXPECT_FALSE(d.dispatch);
    EXPECT_EQ(sv->dispatchOp, 0);
}

// What a table row reads of a plain field: its name (bounded to 40
// characters, "V_NOT_AVAILABLE" when the field is not found), whether it is
// an array, and whether it is reached through dispatch operations, by the
// node's bit (keeping the node's number) or by the definition (whose number
// the node then takes).
TEST_F(OperandTest, PlainFieldFactsOfATableRow)
{
    ExprPlainField f = EXPR_DescribePlainField(dict, *b.Field("AMOUNT"));
    EXPECT_EQ(f.text, "V_FIELD_AMOUNT");
    EXPECT_FALSE(f.array);
    EXPECT_FALSE(f.dispatch);

    f = EXPR_DescribePlainField(dict, *b.Field("ARR", 0, EXPR_NODE_FLAG_INDEXED));
    EXPECT_EQ(f.text, "V_ARR");
    EXPECT_TRUE(f.array);
    EXPECT_FALSE(f.dispatch);

    f = EXPR_DescribePlainField(dict, *b.Field("LONG"));
    EXPECT_EQ(f.text, std::string(40, 'V'));

    EXPR_OPERAND_NODE* missing = b.Field("NOSUCH", 0, EXPR_NODE_FLAG_DISPATCH);
    missing->dispatchOp = 3;
    f = EXPR_DescribePlainField(dict, *missing);
    EXPECT_EQ(f.text, "V_NOT_AVAILABLE");
    EXPECT_FALSE(f.array);
    EXPECT_TRUE(f.dispatch);
    EXPECT_EQ(missing->dispatchOp, 3);
    EXPR_OPERAND_NODE* unnamed = b.Node(EXPR_NODE_FIELD);
    f = EXPR_DescribePlainField(dict, *unnamed);
    EXPECT_EQ(f.text, "V_NOT_AVAILABLE");
    EXPECT_FALSE(f.dispatch);

    EXPR_OPERAND_NODE* byDefinition = b.Field("DISP");
    f = EXPR_DescribePlainField(dict, *byDefinition);
    EXPECT_EQ(f.text, "V_DISP");
    EXPECT_TRUE(f.dispatch);
    EXPECT_EQ(byDefinition->dispatchOp, 77);

    EXPR_OPERAND_NODE* own = b.Field("DISP", 0, EXPR_NODE_FLAG_DISPATCH);
    own->dispatchOp = 5;
    f = EXPR_DescribePlainField(dict, *own);
    EXPECT_TRUE(f.dispatch);
    EXPECT_EQ(own->dispatchOp, 5);
}

// The string class of a field comes from its type letter: character 8,
// binary 10, C strings 3, alpha 6 (4 when the node marks it), short
// character 9, anything else 11, as for a field not found; an alpha push
// makes 4 and 6 into 5 and 7. Asking it stores the definition's dispatch
// number in a plain field's node, as describing the node does.
TEST_F(OperandTest, StringClassOfAFieldByItsType)
{
    const struct {
        char type;
        uint32_t flags;
        int16_t expected;
    } rows[] = {{'1', 0, 8}, {'H', 0, 8}, {'2', 0, 10}, {'B', 0, 10}, {'3', 0, 3}, {'4', 0, 3}, {'A', 0, 6},
                {'A', EXPR_NODE_FLAG_ALPHA_CLASS4, 4}, {'U', 0, 9}, {'P', 0, 11}, {'E', 0, 11}};
    for (const auto& r : rows) {
        dict.fields["TYPED"] = FieldFacts("V_TYPED", r.type, false, 0);
        EXPECT_EQ(EXPR_sOperandStringClass(dict, b.Field("TYPED", 0, r.flags)), r.expected) << r.type;
    }
    EXPECT_EQ(EXPR_sOperandStringClass(dict, b.Field("NOSUCH")), 11);

    dict.fields["TYPED"] = FieldFacts("V_TYPED", 'A', false, 0);
    EXPECT_EQ(EXPR_sOperandStringClass(dict, b.Wrapper(EXPR_OP_PUSH_ALPHA_VECTOR_AS_STRING, b.Field("TYPED"))), 7);
    EXPECT_EQ(EXPR_sOperandStringClass(
                  dict, b.Wrapper(EXPR_OP_PUSH_ALPHA_VECTOR_AS_STRING, b.Field("TYPED", 0, EXPR_NODE_FLAG_ALPHA_CLASS4))),
              5);

    EXPR_OPERAND_NODE* plain = b.Field("DISP");
    EXPECT_EQ(EXPR_sOperandStringClass(dict, plain), 6);
    EXPECT_EQ(plain->dispatchOp, 77);
    EXPR_OPERAND_NODE* own = b.Field("DISP", 0, EXPR_NODE_FLAG_DISPATCH);
    own->dispatchOp = 5;
    EXPR_sOperandStringClass(dict, own);
    EXPECT_EQ(own->dispatchOp, 5);
    EXPR_OPERAND_NODE* sv = b.Node(EXPR_NODE_SYSTEM_VARIABLE);
    sv->fieldRef = "DISP";
    EXPECT_EQ(EXPR_sOperandStringClass(dict, sv), 6);
    EXPECT_EQ(sv->dispatchOp, 0);
}

TEST_F(OperandTest, ListRecordStrlenAndTextBound)
{
    EXPR_OPERAND_DESCRIPTOR d;
    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "AMOUNT";
    list->listName = "L1";
    EXPR_DescribeOperand(dict, d, list);
    EXPECT_EQ(d.text, "L1.V_FIELD_AMOUNT");

    EXPR_OPERAND_NODE* rec = b.Node(EXPR_NODE_RECORD_FIELD);
    rec->fieldRef = "AMOUNT";
    rec->recordRef = "R";
    EXPR_DescribeOperand(dict, d, rec);
    EXPECT_EQ(d.text, "R.V_FIELD_AMOUNT");
    EXPECT_TRUE(d.record);

    EXPR_OPERAND_NODE* s = b.Node(EXPR_NODE_FIELD_STRLEN);
    s->fieldRef = "AMOUNT";
    EXPR_DescribeOperand(dict, d, s);
    EXPECT_EQ(d.LengthText(), "strlen( V_FIELD_AMOUNT )");

    EXPR_DescribeOperand(dict, d, b.Field("LONG"));
    EXPECT_EQ(d.text, std::string(40, 'V'));
}

// The SQL-null state of a field operand: only a field, list field or record
// field that carries the state has one, reached through its field
// information; the test alone (a null text) leaves no text.
TEST_F(OperandTest, FieldStateTextOfAFieldThatMayBeSqlNull)
{
    std::string text = "untouched";
    EXPR_OPERAND_NODE* nullable = b.Field("AMOUNT", 0, EXPR_NODE_FLAG_SQLNULL_STATE);
    EXPECT_EQ(EXPR_BuildFieldStateText(dict, b.Wrapper(182, nullable), &text), 1);
    EXPECT_EQ(text, "((X_FLD_INFO*)( pX_Fld[V_FIELD_AMOUNT].pField ))->bFieldState");
    EXPECT_EQ(EXPR_BuildFieldStateText(dict, nullable, nullptr), 1);

    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "AMOUNT";
    list->listName = "L1";
    list->flags = EXPR_NODE_FLAG_SQLNULL_STATE;
    EXPECT_EQ(EXPR_BuildFieldStateText(dict, list, &text), 1);
    EXPECT_EQ(text, "((X_FLD_INFO*)( pX_Fld[L1.V_FIELD_AMOUNT].pField ))->bFieldState");

    /* no state: a plain field, or a system variable that carries the flag */
    text = "untouched";
    EXPECT_EQ(EXPR_BuildFieldStateText(dict, b.Field("AMOUNT"), &text), 0);
    EXPR_OPERAND_NODE* sv = b.Node(EXPR_NODE_SYSTEM_VARIABLE);
    sv->fieldRef = "AMOUNT";
    sv->flags = EXPR_NODE_FLAG_SQLNULL_STATE;
    EXPECT_EQ(EXPR_BuildFieldStateText(dict, sv, &text), 0);
    EXPECT_EQ(EXPR_BuildFieldStateText(dict, nullptr, &text), 0);
    EXPECT_EQ(text, "untouched");
}

}  // namespace
