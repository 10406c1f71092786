// The component field references of the expression generators, found
// through a component description built here, and the count of a
// statement's evaluations from the object layer.
#include "generator/core/gen_fixture.h"
#include "generator/core/description_tree.h"

#include <vector>

#include "generator/core/model/field_helpers.h"
#include "generator/core/output/services.h"
#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_operand.h"
#include "platform/dqoo/dqoo_fixture.h"

namespace gencore_test {
namespace {

class ComponentFieldRefs : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        for (const char* f : {"CUSTNO", "CUSTNAM", "CREDIT", "FNOTE"})
            useField(f, "FL", f);
        setUp();
        /* the root: a document with a proxy and an identifier record, and
           the dispatch record of the document's data */
        BOM_DESCRIPTION_NODE* root = tree.node(BOM_KIND_CONTENT_ROOT);
        BOM_DESCRIPTION_NODE* document = tree.node(BOM_KIND_DOCUMENT, "Customer");
        tree.list(document, 12,
                  {tree.record(BOM_KIND_PROXY_RECORD, "CustProxy", 1, {"CUSTNO", "CUSTNAM"}),
                   tree.record(BOM_KIND_IDENTIFIER_RECORD, "CustId", 3, {"CUSTNO", "NOTUSED"})});
        tree.list(root, 1,
                  {document, tree.record(BOM_KIND_DOCUMENT_RECORD + 200, "CustData", 2, {"CUSTNO", "CREDIT"}),
                   tree.record(BOM_KIND_DISPATCH_PROXY, "CustProxy", 1, {"NOTUSED", "CUSTNAM"})});
        P3109_State().pDescription = root;
    }
    void TearDown() override
    {
        P3109_State().pDescription = nullptr;
        GenFixture::TearDown();
    }
    Tree tree;
};

// A field of one of the component's records (of any kind, anywhere in the
// description) is named by its vector name; a field no record holds, or one
// the component does not use, keeps the defaults and answers -1.
TEST_F(ComponentFieldRefs, AFieldOfTheComponentsRecords)
{
    struct Case {
        const char* field;
        int16_t result;
        const char* name;
    };
    const Case kCases[] = {
        {"CUSTNO", 0, "V_FIELD_CUSTNO"}, {"#custnam  ", 0, "V_FIELD_CUSTNAM"},
        {"CREDIT", 0, "V_FIELD_CREDIT"}, {"FNOTE", -1, "V_UNKNOWN"}, /* used, but in no record */
        {"NOTUSED", -1, "V_UNKNOWN"},                                /* a member the component does not use */
        {"", -1, "V_UNKNOWN"},
    };
    for (const Case& c : kCases) {
        std::string table = "?", name = "?";
        EXPECT_EQ(P3109_sGetComponentFieldRef(c.field, table, name), c.result) << c.field;
        EXPECT_EQ(table, "pX_Fld") << c.field;
        EXPECT_EQ(name, c.name) << c.field;
    }
}

// A member of a dispatch record: the record's entry in the field vector and
// the member's place in the record; the record named, or else the first
// dispatch record that holds the field. A field only data records hold has
// no such names.
TEST_F(ComponentFieldRefs, AMemberOfADispatchRecord)
{
    struct Case {
        const char* field;
        const char* record;
        int16_t result;
        const char* name;
        const char* recordName;
    };
    const Case kCases[] = {
        {"CREDIT", "", 0, "V_DDR_CustData_CREDIT", "V_RECORD_DDR_CustData"},
        {"CUSTNO", "custdata", 0, "V_DDR_CustData_CUSTNO", "V_RECORD_DDR_CustData"},
        {"CUSTNAM", "", 0, "V_PDR_CustProxy_CUSTNAM", "V_RECORD_PDR_CustProxy"},
        {"CUSTNAM", "CustData", -1, "V_UNKNOWN", ""}, /* not a member of the record named */
        {"CUSTNO", "CustId", -1, "V_UNKNOWN", ""},    /* a data record, not in the vector */
        {"FNOTE", "", -1, "V_UNKNOWN", ""},
    };
    for (const Case& c : kCases) {
        std::string table = "?", name = "?", record = "?";
        EXPECT_EQ(P3109_sGetComponentFieldRefExt(c.field, c.record, table, name, record), c.result) << c.field;
        EXPECT_EQ(table, "pX_Fld") << c.field;
        EXPECT_EQ(name, c.name) << c.field << " " << c.record;
        EXPECT_EQ(record, c.recordName) << c.field << " " << c.record;
    }
}

// The expression writers' operands of the component: a component field
// (kind 1019) is named as the field of the component's records, a member of
// a component record (kind 1020) by its record's entry and its place in the
// record; what the description does not hold is named V_UNKNOWN.
TEST_F(ComponentFieldRefs, TheExpressionWritersDescribeComponentOperands)
{
    const ExprFieldDictionary& fields = EXPR_UsedFieldDictionary();
    EXPR_OPERAND_NODE component{};
    component.kind = EXPR_NODE_COMPONENT_FIELD_REF;
    component.componentFieldRef = "CREDIT";
    EXPR_OPERAND_DESCRIPTOR d;
    ASSERT_EQ(EXPR_DescribeOperand(fields, d, &component), 1);
    EXPECT_EQ(d.base, "pX_Fld");
    EXPECT_EQ(d.text, "V_FIELD_CREDIT");
    EXPECT_GT(d.length, 0) << "the field's own length";
    component.componentFieldRef = "FNOTE";
    ASSERT_EQ(EXPR_DescribeOperand(fields, d, &component), 1);
    EXPECT_EQ(d.text, "V_UNKNOWN");

    EXPR_OPERAND_NODE member{};
    member.kind = EXPR_NODE_RECORD_FIELD;
    member.fieldRef = "CREDIT";
    member.recordRef = "CustData";
    ASSERT_EQ(EXPR_DescribeOperand(fields, d, &member), 1);
    EXPECT_TRUE(d.record);
    EXPECT_EQ(d.base, "pX_Fld");
    EXPECT_EQ(d.recordName, "V_RECORD_DDR_CustData");
    EXPECT_EQ(d.text, "V_DDR_CustData_CREDIT");
    member.recordRef = "CustProxy";
    ASSERT_EQ(EXPR_DescribeOperand(fields, d, &member), 1);
    EXPECT_EQ(d.text, "V_UNKNOWN");
    EXPECT_EQ(d.recordName, "");
}

// Without a description (a function) nothing is found.
TEST_F(ComponentFieldRefs, NoDescriptionNoReference)
{
    P3109_State().pDescription = nullptr;
    std::string table, name, record;
    EXPECT_EQ(P3109_sGetComponentFieldRef("CUSTNO", table, name), -1);
    EXPECT_EQ(name, "V_UNKNOWN");
    EXPECT_EQ(P3109_sGetComponentFieldRefExt("CREDIT", "", table, name, record), -1);
    EXPECT_EQ(table, "pX_Fld");
    EXPECT_EQ(record, "");
}

// The evaluations of the current command's statement, as the object layer
// enumerates them: counted one by one; a statement without any, or no
// statement, has none.
TEST_F(ComponentFieldRefs, StatementEvaluationsAreCounted)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture("EVALUATIONS 3 CUSTNO CREDIT\n", error, sizeof error), 0) << error;
    state.lLine = 3;
    EXPECT_TRUE(P3109_CountStatementEvaluations());
    state.lLine = 5;
    EXPECT_FALSE(P3109_CountStatementEvaluations());
    state.lLine = 0;
    EXPECT_FALSE(P3109_CountStatementEvaluations());
    int32_t count = 0;
    EXPECT_EQ(DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(3, P3109_CountStatementEvaluation, &count, nullptr), 0);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(P3109_CountStatementEvaluation(nullptr, nullptr, nullptr), 0) << "no counter: nothing counted";
    DQOO_FCC_ClearExpressions();
}

}  // namespace
}  // namespace gencore_test
