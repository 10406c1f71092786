// Expression fixture loading and the expression enumerations and item
// queries that answer from it.

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_fixture.h"
#include "platform/dqoo/dqoo_pcode.h"
#include "support/files.h"
#include "support/scratch.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// Two routines: a command evaluation #TOTAL := #PRICE * 3 with p-code and
// one generic variant, and a Boolean test #QTY > 0 with two variants.
const char* const kTwoRoutines = R"(# two routines
ROUTINE cmd kind=100 number=7 stack=3
EXPRESSION result=w1
CODE p1 p2 p3 p4
WORK p3
VARIANT tag=50
STATEMENT kind=60 operation=p3 result=p3 left=price right=three
STATEMENT kind=61 operation=p4 source=p3

NODE price kind=1007 field=PRICE flags=0x4
NODE three kind=1000 value=3 text='3'
NODE total kind=1007 field=TOTAL
INSTRUCTION p1 opcode=12 operand=price
INSTRUCTION p2 opcode=10 operand=three
INSTRUCTION p3 opcode=31 flags=1
INSTRUCTION p4 opcode=44 operand=total
INSTRUCTION w1 opcode=12 operand=total

ROUTINE test kind=120 number=8
EXPRESSION
CODE q1 q2 q3
VARIANT tag=52
STATEMENT kind=60 operation=q3 left=qty right=zero
VARIANT tag=50
STATEMENT kind=60 operation=q3 left=qty right=zero
STATEMENT kind=300 field=qty
NODE qty kind=1007 field=QTY
NODE zero kind=1003 value=5 maxlength=10 text='it''s 0'
INSTRUCTION q1 opcode=12 operand=qty
INSTRUCTION q2 opcode=11 operand=zero
INSTRUCTION q3 opcode=60

REFERENCE B0000007
ELEMENT kind=150 number=7 stack=3
ELEMENT routine=cmd
REFERENCE D0000008
ELEMENT kind=200
ELEMENT kind=270 code=O node=qty
ELEMENT kind=270 code=P node=zero
ELEMENT kind=272 code=A first=1 second=2 third=3
ELEMENT kind=210

LITERAL S0000004 text='Hello, world' second=2
ATTRIBUTES 0000009 CUSTNO '*OUTPUT *LC' NAME ''
PENDING 0000011 text='SELECT * FROM CUST'
EVALUATIONS 5 PRICE TOTAL QTY
)";

std::vector<EXPR_PCODE_ROUTINE*> enumerateRoutines()
{
    std::vector<EXPR_PCODE_ROUTINE*> seen;
    const long rc = DQOO_FCC_EnumerateExpressionPcode(
        [](EXPR_PCODE_ROUTINE* r, void* user) -> long {
            static_cast<std::vector<EXPR_PCODE_ROUTINE*>*>(user)->push_back(r);
            return 0;
        },
        &seen, 0);
    EXPECT_EQ(0, rc);
    return seen;
}

class ExpressionFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        char error[200];
        ASSERT_EQ(0, DQOO_FCC_LoadExpressionFixture(kTwoRoutines, error, sizeof error)) << error;
    }
    void TearDown() override { DQOO_FCC_ClearExpressions(); }
};

TEST_F(ExpressionFixture, RoutinesComeBackAsWritten)
{
    const std::vector<EXPR_PCODE_ROUTINE*> routines = enumerateRoutines();
    ASSERT_EQ(2u, routines.size());

    const EXPR_PCODE_ROUTINE& cmd = *routines[0];
    EXPECT_EQ(100, cmd.kind);
    EXPECT_EQ(7, cmd.number);
    EXPECT_EQ(3u, cmd.operandStackSize);
    ASSERT_EQ(1u, cmd.expressionCount);
    const EXPR_EXPRESSION& e = *cmd.expressions[0];
    ASSERT_EQ(4u, e.instructionCount);
    const uint32_t opcodes[] = {12, 10, 31, 44};
    for (uint32_t i = 0; i < 4; ++i) {
        EXPECT_EQ(EXPR_TAG_INSTRUCTION, e.instructions[i]->kind);
        EXPECT_EQ(opcodes[i], e.instructions[i]->opcode);
    }
    const EXPR_OPERAND_NODE* price = e.instructions[0]->operand;
    ASSERT_NE(nullptr, price);
    EXPECT_EQ(EXPR_NODE_FIELD, price->kind);
    EXPECT_STREQ("PRICE", price->fieldRef);
    EXPECT_EQ(EXPR_NODE_FLAG_SQLNULL_STATE, price->flags);
    const EXPR_OPERAND_NODE* three = e.instructions[1]->operand;
    EXPECT_EQ(EXPR_NODE_INT32_CONSTANT, three->kind);
    EXPECT_EQ(3u, three->value);
    EXPECT_STREQ("3", three->valueText);
    EXPECT_EQ(nullptr, e.instructions[2]->operand);
    EXPECT_EQ(EXPR_INSTR_FLAG_SQLNULL, e.instructions[2]->instructionFlags);
    EXPECT_STREQ("TOTAL", e.instructions[3]->operand->fieldRef);
    ASSERT_NE(nullptr, e.result);
    EXPECT_EQ(12u, e.result->opcode);
    EXPECT_EQ(e.instructions[3]->operand, e.result->operand);  // one node, shared
    ASSERT_EQ(1u, e.workCount);
    EXPECT_EQ(e.instructions[2], e.work[0]);

    ASSERT_EQ(1u, e.variantCount);
    const EXPR_VARIANT& v = *e.variants[0];
    EXPECT_EQ(50u, v.tag);
    ASSERT_EQ(2u, v.statementCount);
    EXPECT_EQ(EXPR_STATEMENT_OPERATION, v.statements[0]->kind);
    // Statements point at the very instruction objects of the p-code list.
    EXPECT_EQ(e.instructions[2], v.statements[0]->operation);
    EXPECT_EQ(e.instructions[2], v.statements[0]->result);
    EXPECT_EQ(price, v.statements[0]->left);
    EXPECT_EQ(three, v.statements[0]->right);
    EXPECT_EQ(EXPR_STATEMENT_ASSIGNMENT, v.statements[1]->kind);
    EXPECT_EQ(e.instructions[3], v.statements[1]->operation);
    EXPECT_EQ(e.instructions[2], v.statements[1]->source);

    const EXPR_PCODE_ROUTINE& test = *routines[1];
    EXPECT_EQ(120, test.kind);
    EXPECT_EQ(8, test.number);
    EXPECT_EQ(0u, test.operandStackSize);
    ASSERT_EQ(1u, test.expressionCount);
    const EXPR_EXPRESSION& t = *test.expressions[0];
    EXPECT_EQ(nullptr, t.result);
    ASSERT_EQ(3u, t.instructionCount);
    const EXPR_OPERAND_NODE* zero = t.instructions[1]->operand;
    EXPECT_EQ(EXPR_NODE_STRING_CONSTANT, zero->kind);
    EXPECT_EQ(5u, zero->value);
    EXPECT_EQ(10, zero->maxLength);
    EXPECT_STREQ("it's 0", zero->valueText);
    ASSERT_EQ(2u, t.variantCount);
    EXPECT_EQ(52u, t.variants[0]->tag);
    EXPECT_EQ(50u, t.variants[1]->tag);
    ASSERT_EQ(1u, t.variants[0]->statementCount);
    ASSERT_EQ(2u, t.variants[1]->statementCount);
    EXPECT_EQ(nullptr, t.variants[1]->statements[0]->result);
    EXPECT_EQ(t.instructions[2], t.variants[1]->statements[0]->operation);
    EXPECT_EQ(EXPR_STATEMENT_REMEMBER_USER, t.variants[1]->statements[1]->kind);
    EXPECT_EQ(t.instructions[0]->operand, t.variants[1]->statements[1]->field);
    EXPECT_EQ(0u, t.workCount);

    // The enumeration repeats the same records in the same order.
    EXPECT_EQ(routines, enumerateRoutines());
}

TEST_F(ExpressionFixture, CallbackResultStopsTheEnumeration)
{
    int calls = 0;
    const long rc = DQOO_FCC_EnumerateExpressionPcode(
        [](EXPR_PCODE_ROUTINE*, void* user) -> long {
            ++*static_cast<int*>(user);
            return 9;
        },
        &calls, 0);
    EXPECT_EQ(9, rc);
    EXPECT_EQ(1, calls);
}

struct Element {
    int32_t kind;
    int32_t number;
    char code;
    const EXPR_OPERAND_NODE* node;
};

std::vector<EXPR_PCODE_ROUTINE*> enumerateReference(const char* ref, long* rc)
{
    std::vector<EXPR_PCODE_ROUTINE*> seen;
    *rc = DQOO_FCC_EnumerateRoutinePcode(
        ref,
        [](EXPR_PCODE_ROUTINE* e, void* user, void* user2) -> long {
            EXPECT_EQ(nullptr, user2);
            static_cast<std::vector<EXPR_PCODE_ROUTINE*>*>(user)->push_back(e);
            return 0;
        },
        &seen, nullptr);
    return seen;
}

TEST_F(ExpressionFixture, RoutineReferencesGiveTheirElementStreams)
{
    long rc = -1;
    // In place: nine bytes not ended by a NUL.
    const char inPlace[12] = {3, 'B', '0', '0', '0', '0', '0', '0', '7', 'X', 'Y', 'Z'};
    std::vector<EXPR_PCODE_ROUTINE*> b = enumerateReference(inPlace, &rc);
    EXPECT_EQ(0, rc);
    ASSERT_EQ(2u, b.size());
    EXPECT_EQ(EXPR_ROUTINE_WHEN_GROUP, b[0]->kind);
    EXPECT_EQ(3u, b[0]->operandStackSize);
    EXPECT_EQ(enumerateRoutines().at(0), b[1]);  // the routine record itself

    std::vector<EXPR_PCODE_ROUTINE*> d = enumerateReference("\003D0000008", &rc);
    EXPECT_EQ(0, rc);
    ASSERT_EQ(5u, d.size());
    EXPECT_EQ(EXPR_ELEMENT_WHERE_START, d[0]->kind);
    EXPECT_EQ(EXPR_ELEMENT_WHERE_ROW, d[1]->kind);
    EXPECT_EQ('O', d[1]->code);
    EXPECT_STREQ("QTY", d[1]->node->fieldRef);
    EXPECT_EQ('P', d[2]->code);
    EXPECT_EQ(EXPR_NODE_STRING_CONSTANT, d[2]->node->kind);
    EXPECT_EQ(EXPR_ELEMENT_ACTIVITY_ROW, d[3]->kind);
    EXPECT_EQ(1, d[3]->first);
    EXPECT_EQ(2, d[3]->second);
    EXPECT_EQ(3, d[3]->third);
    EXPECT_EQ(EXPR_ELEMENT_WHERE_END, d[4]->kind);

    EXPECT_TRUE(enumerateReference("\003D0000009", &rc).empty());
    EXPECT_EQ(DQOO_ERR_NOT_FOUND, rc);
    enumerateReference("D0000008", &rc);  // not a kind-3 item
    EXPECT_EQ(DQOO_ERR_ARGUMENT, rc);
    enumerateReference("\003D00008", &rc);  // too short
    EXPECT_EQ(DQOO_ERR_ARGUMENT, rc);
}

TEST_F(ExpressionFixture, ItemQueries)
{
    DQOO_LITERAL_INFO info;
    ASSERT_EQ(0, DQOO_FCC_LL2_ETT_QueryGetLiteralInfo("\003S0000004", &info));
    EXPECT_EQ(std::string("Hello, world"), std::string(info.pszText, info.usLength));
    EXPECT_EQ(12, info.usLength);
    EXPECT_EQ(2, info.usSecond);
    EXPECT_EQ(DQOO_ERR_NOT_FOUND, DQOO_FCC_LL2_ETT_QueryGetLiteralInfo("\003S0000005", &info));
    EXPECT_EQ(nullptr, info.pszText);

    // The area holds the item itself and receives the resolved text.
    char area[30];
    std::memset(area, ' ', sizeof area);
    std::memcpy(area,
                "\0032"
                "0000011",
                9);
    ASSERT_EQ(0, DQOO_FCC_LL2_ETT_ResolvePendingEscapedParameter(nullptr, area, area, sizeof area));
    EXPECT_EQ(std::string("SELECT * FROM CUST            "), std::string(area, sizeof area));
    EXPECT_EQ(DQOO_ERR_NOT_FOUND, DQOO_FCC_LL2_ETT_ResolvePendingEscapedParameter(nullptr,
                                                                                  "\0032"
                                                                                  "0000012",
                                                                                  area, sizeof area));

    std::vector<std::string> fields;
    ASSERT_EQ(0,
              DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList(
                  "\003M0000009",
                  [](void* control, const char* field, const char* attributes) -> long {
                      static_cast<std::vector<std::string>*>(control)->push_back(std::string(field) + "=" + attributes);
                      return 0;
                  },
                  &fields, nullptr));
    EXPECT_EQ((std::vector<std::string>{"CUSTNO=*OUTPUT *LC", "NAME="}), fields);

    std::vector<std::string> names;
    const auto collect = [](const DQOO_STATEMENT_EVALUATION* e, void* user, void*) -> long {
        static_cast<std::vector<std::string>*>(user)->push_back(std::string(e->achFieldName, 10) + ":" +
                                                                std::to_string(e->lSequence));
        return 0;
    };
    EXPECT_EQ(0, DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(5, collect, &names, nullptr));
    EXPECT_EQ((std::vector<std::string>{"PRICE     :1", "TOTAL     :2", "QTY       :3"}), names);
    names.clear();
    EXPECT_EQ(0, DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(6, collect, &names, nullptr));
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(DQOO_ERR_ARGUMENT, DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(0, collect, &names, nullptr));
}

TEST(ExpressionFixtureErrors, NameTheLine)
{
    char error[200];
    EXPECT_EQ(-1,
              DQOO_FCC_LoadExpressionFixture("ROUTINE r kind=100 number=1\nEXPRESSION\nCODE x\n", error, sizeof error));
    EXPECT_STREQ("line 3: node x is not defined", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("STATEMENT kind=60\n", error, sizeof error));
    EXPECT_STREQ("line 1: STATEMENT outside a VARIANT", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("NODE a kind=1000\nNODE a kind=1001\n", error, sizeof error));
    EXPECT_STREQ("line 2: duplicate id a", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("NODE a kind=1000 colour=red\n", error, sizeof error));
    EXPECT_STREQ("line 1: unknown member colour", error);
    // members that share their room in the record: one of each group
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("NODE a kind=1015 field=F list=L record=R\n", error, sizeof error));
    EXPECT_STREQ("line 1: only one of packed, component, bool, list and record", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("NODE a kind=1004 bool=1 packed=\\x1C\n", error, sizeof error));
    EXPECT_STREQ("line 1: only one of packed, component, bool, list and record", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("NODE a kind=1003 maxlength=9 vector=229\n", error, sizeof error));
    EXPECT_STREQ("line 1: maxlength and vector share their room", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("ROUTINE r kind=100 number=1\nEXPRESSION\nVARIANT tag=50\n"
                                                 "NODE a kind=1007 field=F\nSTATEMENT kind=61 source=a field=a\n",
                                                 error, sizeof error));
    EXPECT_STREQ("line 5: source and field share their room", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("\n\nNODE a kind=1003 text='open\n", error, sizeof error));
    EXPECT_STREQ("line 3: quoted value not closed", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("LITERAL S12 text=x\n", error, sizeof error));
    EXPECT_STREQ("line 1: expected a letter and 7 digits, found S12", error);
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixture("# a comment\nnode a kind=1000\n", error, sizeof error));
    EXPECT_STREQ("line 2: unknown keyword node", error);
    // A failed load leaves the store empty.
    EXPECT_TRUE(enumerateRoutines().empty());
    EXPECT_EQ(-1, DQOO_FCC_LoadExpressionFixtureFile("/nonexistent/fixture.pcd", error, sizeof error));
}

}  // namespace

namespace {

TEST(ExpressionFixtureFile, LoadsFromAFile)
{
    const testsupport::ScratchDir dir("objlayer-fixture");
    const std::string file = (dir / "fixture.txt").string();
    const std::string text = "ROUTINE r kind=130 number=4\r\nEXPRESSION\r\nCODE i\r\nINSTRUCTION i opcode=148\r\n";
    testsupport::writeFile(file, text);
    ASSERT_EQ(testsupport::readFile(file), text);
    char error[200];
    ASSERT_EQ(0, DQOO_FCC_LoadExpressionFixtureFile(file.c_str(), error, sizeof error)) << error;
    const std::vector<EXPR_PCODE_ROUTINE*> routines = enumerateRoutines();
    ASSERT_EQ(1u, routines.size());
    EXPECT_EQ(EXPR_ROUTINE_STRING, routines[0]->kind);
    EXPECT_EQ(4, routines[0]->number);
    ASSERT_EQ(1u, routines[0]->expressions[0]->instructionCount);
    EXPECT_EQ(148u, routines[0]->expressions[0]->instructions[0]->opcode);
    DQOO_FCC_ClearExpressions();
    EXPECT_TRUE(enumerateRoutines().empty());
}

}  // namespace
