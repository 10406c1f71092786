// The object layer's expression compiler: the routines, references and
// instructions it makes of checked expressions, its refusals, the reset
// at the start of a check, and its opcode numbers against the catalogue's
// names.

#include "generator/expressions/expr_opcodes.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_compile.h"
#include "platform/dqoo/dqoo_opcodes.h"
#include "platform/dqoo/dqoo_pcode.h"
#include "platform/dqoo/objlayer_repo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

DQOO_CHECKED_OPERAND Field(const char* name, char type = 'P', int32_t length = 7, int32_t decimals = 0,
                           uint32_t flags = 0)
{
    DQOO_CHECKED_OPERAND o{};
    std::memcpy(o.achClass, "FL", 2);
    o.chType = type;
    o.lLength = length;
    o.lDecimals = decimals;
    o.pszName = name;
    o.ulFlags = flags;
    return o;
}

DQOO_CHECKED_OPERAND Number(const char* text, int32_t digits = 1)
{
    DQOO_CHECKED_OPERAND o{};
    std::memcpy(o.achClass, "NL", 2);
    o.chType = 'P';
    o.lLength = digits;
    o.pszName = text;
    return o;
}

DQOO_CHECKED_OPERAND Work(char type, int32_t length = 9)
{
    DQOO_CHECKED_OPERAND o{};
    std::memcpy(o.achClass, "  ", 2);
    o.chType = type;
    o.lLength = length;
    return o;
}

DQOO_CHECKED_OPERATION Op(int16_t first, const char* code, int16_t second = 0, int16_t result = 0)
{
    DQOO_CHECKED_OPERATION op{};
    op.sFirst = first;
    std::memcpy(op.achCode, code, 2);
    op.sSecond = second;
    op.sResult = result;
    return op;
}

// One routine as the expression enumeration hands it out.
struct Seen {
    int32_t kind;
    int32_t number;
    uint32_t stack;
    std::vector<std::vector<uint32_t>> opcodes;   // per expression
    std::vector<std::vector<uint32_t>> variants;  // tags per expression
};

long collect(EXPR_PCODE_ROUTINE* r, void* user)
{
    Seen s{r->kind, r->number, r->operandStackSize, {}, {}};
    for (uint32_t e = 0; e < r->expressionCount; ++e) {
        std::vector<uint32_t> codes, tags;
        for (uint32_t i = 0; i < r->expressions[e]->instructionCount; ++i)
            codes.push_back(r->expressions[e]->instructions[i]->opcode);
        for (uint32_t v = 0; v < r->expressions[e]->variantCount; ++v)
            tags.push_back(r->expressions[e]->variants[v]->tag);
        s.opcodes.push_back(codes);
        s.variants.push_back(tags);
    }
    static_cast<std::vector<Seen>*>(user)->push_back(s);
    return 0;
}

uint32_t Named(const char* name)
{
    const std::string full = std::strncmp(name, "X_", 2) == 0 ? name : std::string("X_COMP_OPCODE_") + name;
    const ExprOpcodeEntry* e = EXPR_FindOpcodeByName(full);
    return e != nullptr ? e->number : 0;
}

class Compiler : public ::testing::Test {
protected:
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();
    char reference[10] = {};
    char reason[200] = {};

    void SetUp() override
    {
        startBuild("EXPRPRC", "EXPCALC");
        startChecking();
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
    }
    /* The build of a function, or of a component (function "*COMP"). */
    void startBuild(const char* object, const char* function)
    {
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = object;
        request.pszFunctionName = function;
        request.pszPartition = "DEM";
        uint32_t passes = 0;
        int32_t start = 0;
        ASSERT_EQ(0, DQOO_FCC_StartBuild(handle, &request, &passes, &start));
    }
    /* The check of the function, or of the component named. */
    void startChecking(const char* component = nullptr)
    {
        DQOO_START_REQUEST request{};
        request.usMode = DQOO_MODE_TOOLS;
        request.pszComponentName = component;
        request.pszProcessName = component ? nullptr : "EXPRPRC";
        request.pszFunctionName = component ? nullptr : "EXPCALC";
        ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &request));
    }
    long compile(const DQOO_COMPILE_REQUEST& r)
    {
        std::memset(reference, 0, sizeof reference);
        return DQOO_FCC_CompileCheckedExpression(handle, &r, reference, reason, sizeof reason);
    }
    // Compiles the condition "property > 0" of a component property (a
    // packed field of that size) and answers the operand node of its
    // routine's first instruction.
    EXPR_OPERAND_NODE* propertyNode(const char* property, int32_t length = 7, int32_t decimals = 0)
    {
        DQOO_CHECKED_OPERAND p = Field(property, 'P', length, decimals);
        std::memcpy(p.achClass, "CP", 2);
        const DQOO_CHECKED_OPERAND operands[] = {p, Number("0"), Work('L', 1)};
        const DQOO_CHECKED_OPERATION operations[] = {Op(1, "GT", 2, 3), Op(3, "IF")};
        const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
        DQOO_COMPILE_REQUEST r{};
        r.lForm = DQOO_COMPILE_CONDITION;
        r.ulExpressionCount = 1;
        r.pExpressions = &e;
        EXPECT_EQ(0, compile(r)) << reason;
        EXPR_OPERAND_NODE* node = nullptr;
        DQOO_FCC_EnumerateExpressionPcode(
            [](EXPR_PCODE_ROUTINE* routine, void* user) -> long {
                *static_cast<EXPR_OPERAND_NODE**>(user) = routine->expressions[0]->instructions[0]->operand;
                return 0;
            },
            &node, 0);
        return node;
    }
    std::vector<Seen> routines()
    {
        std::vector<Seen> seen;
        EXPECT_EQ(0, DQOO_FCC_EnumerateExpressionPcode(collect, &seen, 0));
        return seen;
    }
    std::string ref() const { return std::string(reference + 1, 8); }
    // One expression of the given form (a value into one field, when a
    // target is given).
    long compileOne(int32_t form, const DQOO_CHECKED_EXPRESSION& e, const DQOO_CHECKED_OPERAND* target = nullptr,
                    char round = 'N')
    {
        DQOO_COMPILE_REQUEST r{};
        r.lForm = form;
        r.ulExpressionCount = 1;
        r.pExpressions = &e;
        r.ulTargetCount = target != nullptr ? 1 : 0;
        r.pTargets = target;
        r.chRound = round;
        return compile(r);
    }
};

// The p-code of C = A + 2 * B (packed fields), as the compiler plans it:
// A, 2 and B pushed as longs, the product, the sum, C pulled.
std::vector<uint32_t> APlusTwoTimesBOpcodes()
{
    return {Named("PUSH_PACKED_VECTOR_AS_LONG"), Named("PUSH_INT32_CONSTANT_AS_LONG"),
            Named("PUSH_PACKED_VECTOR_AS_LONG"), Named("LONG_MULTIPLY"),
            Named("LONG_PLUS"),                  Named("PULL_PACKED_VECTOR_FROM_LONG")};
}

// #C := #A + 2 * #B, all packed 7,0: whole numbers held as long.
TEST_F(Compiler, ArithmeticIntoAFieldIsACommandRoutine)
{
    const DQOO_CHECKED_OPERAND operands[] = {Field("A"), Number("2"), Field("B"), Work('P'), Work('P')};
    const DQOO_CHECKED_OPERATION operations[] = {Op(2, "MU", 3, 4), Op(1, "AD", 4, 5), Op(5, "ZA")};
    const DQOO_CHECKED_EXPRESSION e{5, operands, 3, operations};
    const DQOO_CHECKED_OPERAND target = Field("C");
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_VALUE;
    r.ulExpressionCount = 1;
    r.pExpressions = &e;
    r.ulTargetCount = 1;
    r.pTargets = &target;
    ASSERT_EQ(0, compile(r)) << reason;
    EXPECT_EQ(reference[0], 3);
    EXPECT_EQ(ref(), "B0000001");
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].kind, EXPR_ROUTINE_COMMAND);
    EXPECT_EQ(seen[0].number, 1);
    EXPECT_EQ(seen[0].stack, 3u);  // A, 2 and B are on the stack before the product
    const std::vector<uint32_t> expected = APlusTwoTimesBOpcodes();
    ASSERT_EQ(seen[0].opcodes.size(), 1u);
    EXPECT_EQ(seen[0].opcodes[0], expected);
    EXPECT_EQ(seen[0].variants[0], (std::vector<uint32_t>{EXPR_VARIANT_ISERIES, EXPR_VARIANT_GENERIC}));

    /* the routine reference names the routine */
    int elements = 0;
    ASSERT_EQ(0, DQOO_FCC_EnumerateRoutinePcode(
                     reference,
                     [](EXPR_PCODE_ROUTINE* e, void* user, void*) -> long {
                         ++*static_cast<int*>(user);
                         return e->kind == EXPR_ROUTINE_COMMAND && e->number == 1 ? 0 : 1;
                     },
                     &elements, nullptr));
    EXPECT_EQ(elements, 1);
}

// Expressions compiled one after the other each keep only their own
// instructions and statements: the same assignment compiled before and
// after a condition has the same p-code and the same direct statements,
// and the condition between them none of the assignment's.
TEST_F(Compiler, EachExpressionKeepsOnlyItsOwnCode)
{
    const DQOO_CHECKED_OPERAND operands[] = {Field("A"), Number("2"), Field("B"), Work('P'), Work('P')};
    const DQOO_CHECKED_OPERATION operations[] = {Op(2, "MU", 3, 4), Op(1, "AD", 4, 5), Op(5, "ZA")};
    const DQOO_CHECKED_EXPRESSION sum{5, operands, 3, operations};
    const DQOO_CHECKED_OPERAND target = Field("C");
    const DQOO_CHECKED_OPERAND tested[] = {Field("A"), Number("0"), Work('L', 1)};
    const DQOO_CHECKED_OPERATION test[] = {Op(1, "GT", 2, 3), Op(3, "IF")};
    const DQOO_CHECKED_EXPRESSION condition{3, tested, 2, test};
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_VALUE, sum, &target)) << reason;
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_CONDITION, condition)) << reason;
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_VALUE, sum, &target)) << reason;
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 3u);
    const std::vector<uint32_t> expected = APlusTwoTimesBOpcodes();
    EXPECT_EQ(seen[0].opcodes, std::vector<std::vector<uint32_t>>{expected});
    EXPECT_EQ(seen[2].opcodes, std::vector<std::vector<uint32_t>>{expected});
    ASSERT_EQ(seen[1].opcodes.size(), 1u);
    for (uint32_t opcode : seen[1].opcodes[0])
        EXPECT_NE(opcode, Named("LONG_MULTIPLY"));
    EXPECT_LT(seen[1].opcodes[0].size(), expected.size());

    /* the generic variant's statements: an operation each for the product
    ** and the sum and the assignment; the test's own for the condition */
    std::vector<std::vector<int32_t>> kinds;
    DQOO_FCC_EnumerateExpressionPcode(
        [](EXPR_PCODE_ROUTINE* r, void* user) -> long {
            const EXPR_EXPRESSION& e = *r->expressions[0];
            std::vector<int32_t> k;
            for (uint32_t v = 0; v < e.variantCount; ++v)
                if (e.variants[v]->tag == EXPR_VARIANT_GENERIC)
                    for (uint32_t i = 0; i < e.variants[v]->statementCount; ++i)
                        k.push_back(e.variants[v]->statements[i]->kind);
            static_cast<std::vector<std::vector<int32_t>>*>(user)->push_back(k);
            return 0;
        },
        &kinds, 0);
    ASSERT_EQ(kinds.size(), 3u);
    const std::vector<int32_t> assignment = {EXPR_STATEMENT_OPERATION, EXPR_STATEMENT_OPERATION,
                                             EXPR_STATEMENT_ASSIGNMENT};
    EXPECT_EQ(kinds[0], assignment);
    EXPECT_EQ(kinds[2], assignment);
    EXPECT_EQ(kinds[1], std::vector<int32_t>{EXPR_STATEMENT_OPERATION});
}

// A field moved into another of the same type, length and decimals: a byte
// copy or the run time's assignment of the whole field, offered as direct
// code even beyond 30 digits; not between a field that may be SQL null and
// a packed one that may not, and not of a field into itself.
TEST_F(Compiler, FieldsOfIdenticalLayoutMoveWhole)
{
    struct Move {
        DQOO_CHECKED_OPERAND source, target;
        const char* pull; /* the pull, or null for an assignment */
    };
    const Move moves[] = {
        {Field("A", 'A', 20), Field("B", 'A', 20), "PULL_IDENTICAL_VECTOR_FROM_STACK_VECTOR"},
        {Field("A", 'S', 7), Field("B", 'S', 7), "PULL_IDENTICAL_VECTOR_FROM_STACK_VECTOR"},
        {Field("A", 'P', 31, 5), Field("B", 'P', 31, 5), "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR"},
        {Field("A", 'P', 9, 2, DQOO_OPERAND_SQLNULL), Field("B", 'P', 9, 2, DQOO_OPERAND_SQLNULL),
         "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR"},
        {Field("A", 'H', 12), Field("B", 'H', 12, 0, DQOO_OPERAND_SQLNULL), "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_C"},
        {Field("A", 'B', 100, 0, DQOO_OPERAND_SQLNULL), Field("B", 'B', 100),
         "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_D"},
        {Field("A", 'P', 9, 2, DQOO_OPERAND_SQLNULL), Field("B", 'P', 9, 2), nullptr},
        {Field("A", 'H', 12), Field("B", 'H', 20), nullptr},
        {Field("A", 'A', 20), Field("A", 'A', 20), nullptr},
    };
    std::vector<uint32_t> pulls;
    for (const Move& m : moves) {
        const DQOO_CHECKED_OPERAND operands[] = {m.source};
        const DQOO_CHECKED_OPERATION operations[] = {Op(1, "MB")};
        const DQOO_CHECKED_EXPRESSION e{1, operands, 1, operations};
        ASSERT_EQ(0, compileOne(DQOO_COMPILE_VALUE, e, &m.target)) << reason;
    }
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), std::size(moves));
    for (size_t i = 0; i < seen.size(); ++i) {
        const std::vector<uint32_t>& codes = seen[i].opcodes[0];
        ASSERT_FALSE(codes.empty());
        if (moves[i].pull != nullptr) {
            EXPECT_EQ(codes, (std::vector<uint32_t>{Named("PUSH_VECTOR_AS_STACK_VECTOR"), Named(moves[i].pull)})) << i;
            EXPECT_EQ(seen[i].variants[0], std::vector<uint32_t>{EXPR_VARIANT_GENERIC}) << i;
        } else {
            EXPECT_NE(codes.front(), Named("PUSH_VECTOR_AS_STACK_VECTOR")) << i;
        }
    }
}

// CASE #A with WHEN '= 1' '= 2': the group, the subject routine and a When
// routine sharing the group's stack.
TEST_F(Compiler, WhenGroupSharesItsStack)
{
    const DQOO_CHECKED_OPERAND subject[] = {Field("A")};
    const DQOO_CHECKED_OPERATION none[] = {Op(1, "MB")};
    const DQOO_CHECKED_EXPRESSION s{1, subject, 1, none};
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_WHEN_SUBJECT;
    r.ulGroupLevel = 1;
    r.ulExpressionCount = 1;
    r.pExpressions = &s;
    ASSERT_EQ(0, compile(r)) << reason;
    EXPECT_EQ(ref(), "B0000001");

    const DQOO_CHECKED_OPERAND one[] = {Field("A"), Number("1"), Work('L', 1)};
    const DQOO_CHECKED_OPERAND two[] = {Field("A"), Number("2"), Work('L', 1)};
    const DQOO_CHECKED_OPERATION test[] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
    const DQOO_CHECKED_EXPRESSION values[] = {{3, one, 2, test}, {3, two, 2, test}};
    DQOO_COMPILE_REQUEST w{};
    w.lForm = DQOO_COMPILE_WHEN_TEST;
    w.ulGroupLevel = 1;
    w.ulExpressionCount = 2;
    w.pExpressions = values;
    ASSERT_EQ(0, compile(w)) << reason;
    EXPECT_EQ(ref(), "F0000002");

    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].kind, EXPR_ROUTINE_WHEN_GROUP);
    EXPECT_EQ(seen[1].kind, EXPR_ROUTINE_COMMAND);
    EXPECT_EQ(seen[2].kind, EXPR_ROUTINE_WHEN_TEST);
    /* result, subject, then the subject and a constant of one test */
    EXPECT_EQ(seen[0].stack, 4u);
    EXPECT_EQ(seen[2].stack, 4u);
    const uint32_t subjectOp = Named("WHEN_SUBJECT_LONG"), constant = Named("PUSH_INT32_CONSTANT_AS_LONG"),
                   eq = Named("COMPARE_LONG_EQ_LONG"), isTrue = Named("WHEN_TRUE_LONG");
    EXPECT_EQ(seen[2].opcodes[0], (std::vector<uint32_t>{subjectOp, constant, eq, isTrue, subjectOp, constant, eq,
                                                         isTrue, Named("WHEN_ALL_FALSE_LONG")}));
    /* the subject routine pushes the field and loads it as the subject */
    ASSERT_EQ(seen[1].opcodes[0].size(), 2u);
    EXPECT_EQ(seen[1].opcodes[0][0], Named("PUSH_PACKED_VECTOR_AS_LONG"));
    EXPECT_EQ(seen[1].opcodes[0][1], EXPR_PSEUDO_OPCODE_FIRST);

    /* a WHEN without its CASE level is refused */
    w.ulGroupLevel = 2;
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compile(w));
    EXPECT_STREQ(reason, "a WHEN without the CASE of its level");
}

TEST_F(Compiler, SpecialValuesIntoEveryKindOfField)
{
    const DQOO_CHECKED_OPERAND targets[] = {Field("I2", 'I', 2), Field("I8", 'I', 8), Field("U1", 'I', 1, 0, 0x02u),
                                            Field("F4", 'F', 4), Field("OK", 'Y', 1), Field("N", 'P', 9, 2, 0x01u)};
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_SPECIAL;
    r.ulTargetCount = 6;
    r.pTargets = targets;
    r.pszSpecialValue = "*null";
    ASSERT_EQ(0, compile(r)) << reason;
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 1u);
    ASSERT_EQ(seen[0].opcodes.size(), 6u);
    const char* pulls[] = {"PULL_INT16_VECTOR_FROM_NULL",   "PULL_INT64_VECTOR_FROM_NULL",
                           "PULL_INTU8_VECTOR_FROM_NULL",   "PULL_FLOAT32_VECTOR_FROM_NULL",
                           "PULL_BOOLEAN_VECTOR_FROM_NULL", "PULL_PACKED_VECTOR2_FROM_NULL"};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(seen[0].opcodes[i], (std::vector<uint32_t>{Named(pulls[i])})) << pulls[i];
        /* a store has its one-statement direct form */
        EXPECT_EQ(seen[0].variants[i], (std::vector<uint32_t>{EXPR_VARIANT_GENERIC})) << pulls[i];
    }

    /* "not available" is text: an integer, which has no pull of it, takes
       its zero as *NULL gives it */
    r.ulTargetCount = 1;
    r.pszSpecialValue = "*NAVAIL";
    ASSERT_EQ(0, compile(r)) << reason;
    const std::vector<Seen> navail = routines();
    ASSERT_EQ(navail.size(), 2u);
    EXPECT_EQ(navail[1].opcodes[0], (std::vector<uint32_t>{Named("PULL_INT16_VECTOR_FROM_NULL")}));
}

// Each remembered value is its own statement: user and function, function,
// system, user across the system.
TEST_F(Compiler, RememberedValuesKeepTheirScope)
{
    const DQOO_CHECKED_OPERAND target = Field("NAME", 'A', 20);
    const std::pair<const char*, int32_t> values[] = {
        {"*REMEMBERED_VALUE_FOR_USER", EXPR_STATEMENT_REMEMBER_USER},
        {"*REMEMBERED_VALUE_FOR_FUNCTION", EXPR_STATEMENT_REMEMBER_FUNCTION},
        {"*remembered_value_for_system", EXPR_STATEMENT_REMEMBER_SYSTEM},
        {"*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM", EXPR_STATEMENT_REMEMBER_USER_SYSTEM}};
    std::vector<int32_t> kinds;
    for (const auto& [value, kind] : values) {
        DQOO_COMPILE_REQUEST r{};
        r.lForm = DQOO_COMPILE_SPECIAL;
        r.ulTargetCount = 1;
        r.pTargets = &target;
        r.pszSpecialValue = value;
        ASSERT_EQ(0, compile(r)) << value << ": " << reason;
    }
    ASSERT_EQ(DQOO_FCC_EnumerateExpressionPcode(
                  [](EXPR_PCODE_ROUTINE* r, void* user) -> long {
                      const EXPR_VARIANT* v = r->expressions[0]->variants[0];
                      static_cast<std::vector<int32_t>*>(user)->push_back(v->statements[0]->kind);
                      return 0;
                  },
                  &kinds, 0),
              0);
    EXPECT_EQ(kinds, (std::vector<int32_t>{EXPR_STATEMENT_REMEMBER_USER, EXPR_STATEMENT_REMEMBER_FUNCTION,
                                           EXPR_STATEMENT_REMEMBER_SYSTEM, EXPR_STATEMENT_REMEMBER_USER_SYSTEM}));
}

// #I4 := #I4 + 1: the integer is pushed as itself and coerced to the
// long long of the arithmetic, and back; the coercions are the table's
// only, the direct code reads and stores the field through its structure.
TEST_F(Compiler, IntegerFieldsAreCoercedAndHaveDirectCode)
{
    const DQOO_CHECKED_OPERAND operands[] = {Field("I4", 'I', 4), Number("1"), Work('P')};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "AD", 2, 3), Op(3, "ZA")};
    const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_VALUE;
    r.ulExpressionCount = 1;
    r.pExpressions = &e;
    r.ulTargetCount = 1;
    r.pTargets = &operands[0];
    ASSERT_EQ(0, compile(r)) << reason;
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 1u);
    /* an INT32 of 10 digits is held as long long */
    EXPECT_EQ(seen[0].opcodes[0],
              (std::vector<uint32_t>{Named("PUSH_INT32_VECTOR_AS_INT32"), Named("COERCE_INT32_TO_LONGLONG"),
                                     Named("PUSH_INT32_CONSTANT_AS_LONGLONG"), Named("LONGLONG_PLUS"),
                                     Named("COERCE_LONGLONG_TO_INT32"), Named("PULL_INT32_VECTOR_FROM_INT32")}));
    EXPECT_EQ(seen[0].variants[0],
              (std::vector<uint32_t>{EXPR_VARIANT_ISERIES, EXPR_VARIANT_NO_LONGLONG, EXPR_VARIANT_GENERIC}));
}

// A component property is the component field it names: pushed as a field
// (the operand node of a component field, named by the field).
TEST_F(Compiler, AComponentPropertyIsItsComponentField)
{
    EXPR_OPERAND_NODE* node = propertyNode("InvoiceData.IOTOTAL", 11, 2);
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].opcodes[0][0], Named("PUSH_PACKED_VECTOR_AS_DOUBLE"));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->kind, EXPR_NODE_COMPONENT_FIELD);
    EXPECT_STREQ(node->fieldRef, "IOTOTAL");
}

// An alphanumeric operand of the class given, as the checker names it.
DQOO_CHECKED_OPERAND Operand(const char* name, const char* cls, int32_t length)
{
    DQOO_CHECKED_OPERAND o = Field(name, 'A', length);
    std::memcpy(o.achClass, cls, 2);
    return o;
}

// The condition that the operand equals the field B, as a request.
struct EqualsB {
    DQOO_CHECKED_OPERAND operands[3];
    DQOO_CHECKED_OPERATION operations[2] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
    DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
    DQOO_COMPILE_REQUEST r{};
    explicit EqualsB(const DQOO_CHECKED_OPERAND& first) : operands{first, Field("B", 'A', 10), Work('L', 1)}
    {
        r.lForm = DQOO_COMPILE_CONDITION;
        r.ulExpressionCount = 1;
        r.pExpressions = &e;
    }
    EqualsB(const EqualsB&) = delete;
    EqualsB& operator=(const EqualsB&) = delete;
};

// A multilingual variable is read from its vector entry, which the program
// fills with the variable's text in the run's language: it is pushed as an
// alphanumeric value, with nothing evaluated at run time.
TEST_F(Compiler, MultilingualVariableIsReadFromItsVectorEntry)
{
    const EqualsB condition(Operand("*MTXTTITLE", "ML", 78));
    ASSERT_EQ(compile(condition.r), 0) << reason;
    EXPR_PCODE_INSTRUCTION* first = nullptr;
    DQOO_FCC_EnumerateExpressionPcode(
        [](EXPR_PCODE_ROUTINE* routine, void* user) -> long {
            *static_cast<EXPR_PCODE_INSTRUCTION**>(user) = routine->expressions[0]->instructions[0];
            return 0;
        },
        &first, 0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->opcode, Named("PUSH_ALPHA_VECTOR_AS_ALPHA")) << "no EVALUATE_SYSTEM_VARIABLE before it";
    ASSERT_NE(first->operand, nullptr);
    EXPECT_EQ(first->operand->kind, EXPR_NODE_SYSTEM_VARIABLE);
    EXPECT_STREQ(first->operand->fieldRef, "*MTXTTITLE");
}

// In a component's build the description decides: a property of a data
// record that the field vector does not hold (no dispatch record of that
// name) is the component field reached through the component's records
// (1019); a property of a record the vector holds, or of the component
// itself, is the component field (1014).
class ComponentCompiler : public Compiler {
protected:
    void SetUp() override
    {
        startBuild("DEMOCOMP", "*COMP");
        startChecking("DEMOCOMP");
    }
};

TEST_F(ComponentCompiler, APropertyOfADataRecordIsReachedThroughTheRecords)
{
    EXPR_OPERAND_NODE* node = propertyNode("#CustomerId.CUSTNO");
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->kind, EXPR_NODE_COMPONENT_FIELD_REF);
    EXPECT_STREQ(node->componentFieldRef, "CUSTNO");
    EXPECT_STREQ(node->fieldRef, "CUSTNO");
}

TEST_F(ComponentCompiler, APropertyTheVectorHoldsIsTheComponentField)
{
    for (const char* property : {"#CustomerData.CUSTNO", "CUSTOMERDATA.CUSTNO", "DEMOCOMP.CUSTNO",
                                 "#CustomerId.CUSTNAME", "#NoRecord.CUSTNO"}) {
        EXPR_OPERAND_NODE* node = propertyNode(property);
        ASSERT_NE(node, nullptr) << property;
        EXPECT_EQ(node->kind, EXPR_NODE_COMPONENT_FIELD) << property;
    }
}

TEST_F(Compiler, RefusalsNameWhatCannotBeCompiled)
{
    EqualsB condition(Operand("*QQ", "QQ", 10));
    DQOO_COMPILE_REQUEST& r = condition.r;
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compile(r));
    EXPECT_STREQ(reason, "the operand *QQ");
    EXPECT_TRUE(routines().empty()) << "nothing is stored";

    r.lForm = 99;
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compile(r));
    EXPECT_STREQ(reason, "an unknown routine form");
    EXPECT_EQ(DQOO_ERR_ARGUMENT, DQOO_FCC_CompileCheckedExpression(handle, nullptr, reference, reason, sizeof reason));
    HandleBlock other;
    EXPECT_EQ(DQOO_ERR_NO_BUILD, DQOO_FCC_CompileCheckedExpression(other.get(), &r, reference, reason, sizeof reason));
}

TEST_F(Compiler, StartingACheckForgetsTheRoutinesAndRestartsTheNumbers)
{
    const DQOO_CHECKED_OPERAND target = Field("A");
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_SPECIAL;
    r.ulTargetCount = 1;
    r.pTargets = &target;
    r.pszSpecialValue = "*HIVAL";
    ASSERT_EQ(0, compile(r)) << reason;
    ASSERT_EQ(0, compile(r)) << reason;
    EXPECT_EQ(ref(), "B0000002");
    EXPECT_EQ(routines().size(), 2u);
    /* the same enumeration twice, in the same order */
    const std::vector<Seen> again = routines();
    EXPECT_EQ(again[0].number, 1);
    EXPECT_EQ(again[1].number, 2);

    DQOO_FCC_EndChecking();
    startChecking();
    EXPECT_TRUE(routines().empty());
    ASSERT_EQ(0, compile(r)) << reason;
    EXPECT_EQ(ref(), "B0000001");
}

// The value type of the arithmetic is the least that holds every value
// exactly; a direct variant only where one does.
TEST_F(Compiler, ArithmeticIsDoneInATypeThatHoldsEveryValue)
{
    struct Sum {
        DQOO_CHECKED_OPERAND a, b, target;
        const char* code;
        const char* opcode;      // the operation's opcode name
        bool direct;             // whether the expression has variants
    };
    const Sum sums[] = {
        /* 9 digits: long */
        {Field("A", 'P', 8), Field("B", 'P', 8), Field("C", 'P', 9), "AD", "LONG_PLUS", true},
        /* 18 digits: long long */
        {Field("A", 'P', 17), Field("B", 'P', 17), Field("C", 'P', 18), "AD", "LONGLONG_PLUS", true},
        /* 36 digits: only the exact p-code */
        {Field("A", 'P', 18), Field("B", 'P', 18), Field("C", 'P', 18), "MU", "PACKED63_MULTIPLY", false},
        /* 15 digits with decimals: a double */
        {Field("A", 'P', 13, 2), Field("B", 'P', 13, 2), Field("C", 'P', 15, 2), "AD", "DOUBLE_PLUS", true},
        /* 16: beyond the double's */
        {Field("A", 'P', 15, 2), Field("B", 'P', 15, 2), Field("C", 'P', 15, 2), "AD", "PACKED31_PLUS", false},
        /* a floating-point field */
        {Field("F", 'F', 8), Field("B", 'P', 5, 2), Field("G", 'F', 8), "MU", "FLOAT64_MULTIPLY", true},
    };
    for (const Sum& sum : sums) {
        const DQOO_CHECKED_OPERAND operands[] = {sum.a, sum.b, Work('P', 30)};
        const DQOO_CHECKED_OPERATION operations[] = {Op(1, sum.code, 2, 3), Op(3, "ZA")};
        const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
        ASSERT_EQ(0, compileOne(DQOO_COMPILE_VALUE, e, &sum.target)) << reason;
    }
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), std::size(sums));
    for (size_t i = 0; i < std::size(sums); ++i) {
        const std::vector<uint32_t>& codes = seen[i].opcodes[0];
        EXPECT_NE(std::find(codes.begin(), codes.end(), Named(sums[i].opcode)), codes.end()) << sums[i].opcode;
        EXPECT_EQ(!seen[i].variants[0].empty(), sums[i].direct) << sums[i].opcode;
    }
}

// A value rounded half up to its field is moved by the rounding straight
// into the field: the rounding's statement has the pull as its result. A
// quotient is rounded even into a field of its own decimals.
TEST_F(Compiler, RoundingStoresIntoTheField)
{
    const DQOO_CHECKED_OPERAND operands[] = {Field("C", 'P', 5, 2), Number("3"), Work('P', 9)};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "DV", 2, 3), Op(3, "ZA")};
    const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
    const DQOO_CHECKED_OPERAND target = Field("Q", 'P', 9, 4);
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_VALUE, e, &target, 'Y')) << reason;
    EXPR_EXPRESSION* expression = nullptr;
    ASSERT_EQ(0, DQOO_FCC_EnumerateExpressionPcode(
                     [](EXPR_PCODE_ROUTINE* routine, void* user) -> long {
                         *static_cast<EXPR_EXPRESSION**>(user) = routine->expressions[0];
                         return 0;
                     },
                     &expression, 0));
    ASSERT_NE(expression, nullptr);
    ASSERT_EQ(expression->instructionCount, 5u);
    EXPR_PCODE_INSTRUCTION** code = expression->instructions;
    EXPECT_EQ(code[2]->opcode, Named("DOUBLE_DIVIDE"));
    /* 3 integer digits and the field's 4 decimals, the 2 of the dividend,
    ** the divisor's digit and 2 more: 9 */
    EXPECT_EQ(code[2]->operand->second, 9u);
    EXPECT_EQ(code[3]->opcode, Named("ROUND_HALFUP_DOUBLE"));
    EXPECT_EQ(code[3]->operand->second, 4u);
    EXPECT_EQ(code[4]->opcode, Named("PULL_PACKED_VECTOR_FROM_DOUBLE"));
    ASSERT_GT(expression->variantCount, 0u);
    const EXPR_VARIANT* generic = expression->variants[expression->variantCount - 1];
    const EXPR_STATEMENT* last = generic->statements[generic->statementCount - 1];
    EXPECT_EQ(last->kind, EXPR_STATEMENT_OPERATION);
    EXPECT_EQ(last->operation, code[3]);
    EXPECT_EQ(last->result, code[4]);
    EXPECT_EQ(last->left, code[2]);
}

// *HIVAL and *LOVAL compared with a number are the highest and lowest of
// its digits and decimals, in the p-code only; a literal keeps a zero
// byte with its length.
TEST_F(Compiler, SpecialValuesAndLiteralsKeepTheirSize)
{
    DQOO_CHECKED_OPERAND hival{};
    std::memcpy(hival.achClass, "SV", 2);
    hival.chType = 'P';
    hival.pszName = "*HIVAL";
    const DQOO_CHECKED_OPERAND compare[] = {Field("A", 'P', 7, 2), hival, Work('L', 1)};
    const DQOO_CHECKED_OPERATION lt[] = {Op(1, "LT", 2, 3), Op(3, "IF")};
    const DQOO_CHECKED_EXPRESSION condition{3, compare, 2, lt};
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_CONDITION, condition)) << reason;

    DQOO_CHECKED_OPERAND hex{};
    std::memcpy(hex.achClass, "HL", 2);
    hex.chType = 'A';
    hex.lLength = 3;
    hex.pszName = "X'C100C2'";
    const DQOO_CHECKED_OPERAND move[] = {hex};
    const DQOO_CHECKED_OPERATION mb[] = {Op(1, "MB")};
    const DQOO_CHECKED_EXPRESSION value{1, move, 1, mb};
    const DQOO_CHECKED_OPERAND target = Field("N", 'A', 10);
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_VALUE, value, &target)) << reason;

    std::vector<EXPR_EXPRESSION*> expressions;
    ASSERT_EQ(0, DQOO_FCC_EnumerateExpressionPcode(
                     [](EXPR_PCODE_ROUTINE* routine, void* user) -> long {
                         static_cast<std::vector<EXPR_EXPRESSION*>*>(user)->push_back(routine->expressions[0]);
                         return 0;
                     },
                     &expressions, 0));
    ASSERT_EQ(expressions.size(), 2u);
    const EXPR_PCODE_INSTRUCTION* push = expressions[0]->instructions[1];
    EXPECT_EQ(push->opcode, Named("PUSH_DECIMAL_HIVAL"));
    ASSERT_NE(push->operand, nullptr);
    EXPECT_EQ(push->operand->value, 7u);
    EXPECT_EQ(push->operand->second, 2u);
    EXPECT_EQ(expressions[0]->instructions[0]->opcode, Named("PUSH_PACKED_VECTOR_AS_DECIMAL"));
    EXPECT_EQ(expressions[0]->instructions[2]->opcode, Named("COMPARE_DECIMAL_LT_DECIMAL"));
    EXPECT_EQ(expressions[0]->variantCount, 0u);
    const EXPR_OPERAND_NODE* literal = expressions[1]->instructions[0]->operand;
    EXPECT_EQ(literal->value, 3u);
    EXPECT_EQ(std::string(literal->valueText, literal->value), std::string("\xC1\x00\xC2", 3));
}

// An operation that names its own result, directly or through another,
// is refused with the reason instead of being followed for ever.
TEST_F(Compiler, AnOperationOnItsOwnResultIsRefused)
{
    const DQOO_CHECKED_OPERAND operands[] = {Field("A"), Number("1"), Work('P'), Work('P')};
    const DQOO_CHECKED_OPERATION self[] = {Op(3, "AD", 2, 3), Op(3, "ZA")};
    const DQOO_CHECKED_OPERATION cycle[] = {Op(4, "AD", 2, 3), Op(3, "MU", 1, 4), Op(3, "ZA")};
    const DQOO_CHECKED_OPERAND target = Field("C");
    for (const auto& [operations, count] :
         {std::pair<const DQOO_CHECKED_OPERATION*, uint32_t>{self, 2}, {cycle, 3}}) {
        const DQOO_CHECKED_EXPRESSION e{4, operands, count, operations};
        EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compileOne(DQOO_COMPILE_VALUE, e, &target));
        EXPECT_STREQ(reason, "an operation that depends on its own result");
        EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compileOne(DQOO_COMPILE_CONDITION, e));
    }
    EXPECT_TRUE(routines().empty());
}

// The WHERE of a file command: its condition routine, and when every
// comparison names a field of the file the tables for the I/O module.
TEST_F(Compiler, WhereHoldsTheModulesTables)
{
    struct Element {
        int32_t kind;
        char code;
        int32_t first, second, third;
        bool operator==(const Element&) const = default;
    };
    const auto elements = [this](const char* key) {
        std::vector<Element> out;
        char item[10] = {3};
        std::memcpy(item + 1, key, 8);
        EXPECT_EQ(0, DQOO_FCC_EnumerateRoutinePcode(
                         item,
                         [](EXPR_PCODE_ROUTINE* e, void* user, void*) -> long {
                             static_cast<std::vector<Element>*>(user)->push_back(
                                 {e->kind, e->code, e->first, e->second, e->third});
                             return 0;
                         },
                         &out, nullptr));
        return out;
    };
    /* #STAT = 'A' AND #QTY > #LIMIT, STAT and QTY fields of the file */
    DQOO_CHECKED_OPERAND literal{};
    std::memcpy(literal.achClass, "AL", 2);
    literal.chType = 'A';
    literal.lLength = 1;
    literal.pszName = "'A'";
    const DQOO_CHECKED_OPERAND operands[] = {Field("STAT", 'A', 1, 0, DQOO_OPERAND_FILE_FIELD),
                                             literal,
                                             Work('L', 1),
                                             Field("QTY", 'P', 7, 0, DQOO_OPERAND_FILE_FIELD),
                                             Field("LIMIT"),
                                             Work('L', 1),
                                             Work('L', 1)};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "EQ", 2, 3), Op(4, "GT", 5, 6), Op(3, "AN", 6, 7),
                                                 Op(7, "IF")};
    const DQOO_CHECKED_EXPRESSION e{7, operands, 4, operations};
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_WHERE, e)) << reason;
    EXPECT_EQ(ref(), "D0000001");
    const std::vector<Element> tables = elements("D0000001");
    const std::vector<Element> expected = {
        {EXPR_ROUTINE_BOOLEAN, 0, 0, 0, 0},
        {EXPR_ELEMENT_WHERE_START, 0, 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'A', 0, 0, 0},  /* ( STAT = 'A' ) AND ( QTY > LIMIT ) */
        {EXPR_ELEMENT_WHERE_ROW, 'O', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'G', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'P', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'B', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'M', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'A', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'O', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'K', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'P', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_ROW, 'B', 0, 0, 0},
        {EXPR_ELEMENT_WHERE_END, 0, 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_START, 0, 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'A', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'B', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'C', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'A', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'B', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'C', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_ROW, 'C', 0, 0, 0},
        {EXPR_ELEMENT_COMPONENT_END, 0, 0, 0, 0},
        {EXPR_ELEMENT_ACTIVITY_START, 0, 0, 0, 0},
        {EXPR_ELEMENT_ACTIVITY_ROW, 'H', 1, 2, 3},
        {EXPR_ELEMENT_ACTIVITY_ROW, 'L', 4, 5, 6},
        {EXPR_ELEMENT_ACTIVITY_ROW, 'B', 7, 3, 6},
        {EXPR_ELEMENT_ACTIVITY_ROW, 'A', 0, 7, 0},
        {EXPR_ELEMENT_ACTIVITY_END, 0, 0, 0, 0},
    };
    EXPECT_EQ(tables, expected);

    /* a comparison of function fields only, or a virtual field of the
    ** file: the condition routine alone, evaluated in code */
    DQOO_CHECKED_OPERAND local[7];
    std::copy(std::begin(operands), std::end(operands), local);
    local[3].ulFlags = 0;
    const DQOO_CHECKED_EXPRESSION other{7, local, 4, operations};
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_WHERE, other)) << reason;
    EXPECT_EQ(elements("D0000002").size(), 1u);
    local[3].ulFlags = DQOO_OPERAND_VIRTUAL_FIELD;
    ASSERT_EQ(0, compileOne(DQOO_COMPILE_WHERE, other)) << reason;
    EXPECT_EQ(elements("D0000003").size(), 1u);
}

// The object layer's opcode numbers are the catalogue's.
TEST(CompilerOpcodes, NumbersMatchTheCatalogueNames)
{
    namespace op = dqoo::op;
    const std::pair<uint32_t, const char*> named[] = {
        {op::kPushInt32Constant + op::Long, "PUSH_INT32_CONSTANT_AS_LONG"},
        {op::kPushInt32Constant + op::Int64, "PUSH_INT32_CONSTANT_AS_INT64"},
        {op::kPushInt64ConstantAsLongLong, "X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG"},
        {op::kPushInt64ConstantAsPacked63, "X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_PACKED63"},
        {op::kPushInt64ConstantAsInt64, "X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_INT64"},
        {op::kPushPackedConstantAsDouble, "PUSH_PACKED_CONSTANT_AS_DOUBLE"},
        {op::kPushPackedConstantAsLongLong, "PUSH_PACKED_CONSTANT_AS_LONGLONG"},
        {op::kPushPackedConstantAsInt64, "PUSH_PACKED_CONSTANT_AS_INT64"},
        {op::kPushFloat64Constant, "PUSH_FLOAT64_CONSTANT_AS_FLOAT64"},
        {op::kPushStringConstant, "PUSH_STRING_CONSTANT_AS_STRING"},
        {op::PushDecimalVector(false, false, op::Long), "PUSH_PACKED_VECTOR_AS_LONG"},
        {op::PushDecimalVector(false, true, op::Long), "PUSH_PACKED_VECTOR2_AS_LONG"},
        {op::PushDecimalVector(false, true, op::Packed63), "PUSH_PACKED_VECTOR2_AS_PACKED63"},
        {op::PushDecimalVector(true, false, op::Long), "PUSH_SIGNED_VECTOR_AS_LONG"},
        {op::PushDecimalVector(true, false, op::Int64), "PUSH_SIGNED_VECTOR_AS_INT64"},
        {op::kPushDecimalHival, "PUSH_DECIMAL_HIVAL"},
        {op::kPushStringLoval, "PUSH_STRING_LOVAL"},
        {op::kPushAlphaAsAlpha, "PUSH_ALPHA_VECTOR_AS_ALPHA"},
        {op::kPushDateAsDate, "PUSH_DATE_VECTOR_AS_DATE"},
        {op::kPushVectorAsStackVector, "PUSH_VECTOR_AS_STACK_VECTOR"},
        {op::kPushInt8AsInt32, "PUSH_INT8_VECTOR_AS_INT32"},
        {op::kPushInt64AsInt64, "PUSH_INT64_VECTOR_AS_INT64"},
        {op::kPushFloat64AsFloat64, "PUSH_FLOAT64_VECTOR_AS_FLOAT64"},
        {op::kPushBooleanAsBoolean, "PUSH_BOOLEAN_VECTOR_AS_BOOLEAN"},
        {op::kCoerceDateToDateTime, "COERCE_DATE_TO_DATETIME"},
        {op::Coerce(op::Int32, op::Long), "COERCE_INT32_TO_LONG"},
        {op::Coerce(op::Int64, op::Long), "COERCE_INT64_TO_LONG"},
        {op::Coerce(op::Int64, op::Int32), "COERCE_INT64_TO_INT32"},
        {op::Coerce(op::Float64, op::Decimal), "COERCE_FLOAT64_TO_DECIMAL"},
        {op::Coerce(op::Float64, op::Int64), "COERCE_FLOAT64_TO_INT64"},
        {op::Coerce(op::Decimal, op::Double), "COERCE_DECIMAL_TO_DOUBLE"},
        {op::Coerce(op::Long, op::Int32), "COERCE_LONG_TO_INT32"},
        {op::Coerce(op::LongLong, op::Int32), "COERCE_LONGLONG_TO_INT32"},
        {op::Coerce(op::Double, op::Float64), "COERCE_DOUBLE_TO_FLOAT64"},
        {op::Coerce(op::Packed31, op::Int32), "COERCE_PACKED31_TO_INT32"},
        {op::Coerce(op::Packed63, op::Packed31), "COERCE_PACKED63_TO_PACKED31"},
        {op::kLogicalNot, "LOGICAL_NOT"},
        {op::kBeginOrIf, "LOGICAL_BEGIN_ORIF"},
        {op::Compare(op::Long, 0), "COMPARE_LONG_EQ_LONG"},
        {op::Compare(op::Packed63, 3), "COMPARE_PACKED63_GT_PACKED63"},
        {op::Compare(op::Float64, 5), "COMPARE_FLOAT64_NE_FLOAT64"},
        {op::kCompareString + 5, "COMPARE_STRING_NE_STRING"},
        {op::kCompareBoolean + 1, "COMPARE_BOOLEAN_NE_BOOLEAN"},
        {op::kIsDateNull, "IS_DATE_NULL"},
        {op::kIsBooleanNull, "IS_BOOLEAN_NULL"},
        {op::IsNull(op::Packed31), "IS_PACKED31_NULL"},
        {op::IsNull(op::Float64), "IS_FLOAT64_NULL"},
        {op::Arithmetic(op::Double, 3), "DOUBLE_MULTIPLY"},
        {op::Arithmetic(op::Decimal, 2), "DECIMAL_DIVIDE"},
        {op::Arithmetic(op::Decimal, 3), "DECIMAL_MULTIPLY"},
        {op::Arithmetic(op::Int32, 0), "INT32_PLUS"},
        {op::Arithmetic(op::Float64, 3), "FLOAT64_MULTIPLY"},
        {op::RoundHalfUp(op::Double), "ROUND_HALFUP_DOUBLE"},
        {op::RoundHalfUp(op::Packed63), "ROUND_HALFUP_PACKED63"},
        {op::RoundHalfUp(op::Float64), "ROUND_HALFUP_FLOAT64"},
        {op::kBooleanIsTrue, "IMP_INTRINSIC_BOOLEAN_IS_TRUE"},
        {op::kEvaluateSystemVariable, "EVALUATE_SYSTEM_VARIABLE"},
        {op::kWhenSubject, "WHEN_SUBJECT_LONG"},
        {op::kWhenSubject + op::Packed31, "WHEN_SUBJECT_PACKED31"},
        {op::kWhenTrue + op::kSubjectBoolean, "WHEN_TRUE_BOOLEAN"},
        {op::kWhenTrue + op::kSubjectString, "WHEN_TRUE_STRING"},
        {op::kWhenAllFalse + op::kSubjectDate, "WHEN_ALL_FALSE_DATE"},
        {op::kPullIdentical, "PULL_IDENTICAL_VECTOR_FROM_STACK_VECTOR"},
        {op::kPullIdenticalVector2, "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR"},
        {op::kPullIdenticalVarChar, "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_C"},
        {op::kPullIdenticalBinary, "PULL_IDENTICAL_VECTOR2_FROM_STACK_VECTOR_D"},
    };
    for (const auto& [number, name] : named)
        EXPECT_EQ(number, Named(name)) << name;

    /* every coercion between two numeric types is one by its catalogue name */
    const char* const types[] = {"LONG", "LONGLONG", "DOUBLE", "PACKED31", "PACKED63",
                                 "DECIMAL", "INT32", "INT64", "FLOAT64"};
    for (uint32_t from = 0; from < op::kValueTypes; ++from)
        for (uint32_t to = 0; to < op::kValueTypes; ++to) {
            const uint32_t number = op::Coerce(static_cast<op::ValueType>(from), static_cast<op::ValueType>(to));
            const uint32_t named = Named((std::string("COERCE_") + types[from] + "_TO_" + types[to]).c_str());
            EXPECT_EQ(number, named) << types[from] << " to " << types[to];
        }

    /* every pull of the table is a pull by its catalogue name, from the
    ** source of its column */
    const char* const sources[] = {"LONG",   "LONGLONG", "DOUBLE", "PACKED31", "PACKED63", "DECIMAL", "INT32",
                                   "INT64",  "FLOAT64",  "STRING", "BINARY",   "DATE",     "TIME",    "DATETIME",
                                   "NULL",   "SQLNULL",  "HIVAL",  "LOVAL",    "NAVAIL",   "BOOLEAN"};
    for (const op::PullRow& row : op::kPulls)
        for (size_t column = 0; column < op::PullSourceCount; ++column) {
            const uint32_t number = row.op[column];
            if (number == 0)
                continue;
            const ExprOpcodeEntry* e = EXPR_FindOpcode(number);
            ASSERT_NE(e, nullptr) << number;
            const std::string name = e->name;
            EXPECT_EQ(name.find("X_COMP_OPCODE_PULL_"), 0u) << row.layout << " " << number;
            const std::string from = std::string("_FROM_") + sources[column];
            EXPECT_EQ(name.compare(name.size() - from.size(), from.size(), from), 0) << row.layout << " " << name;
        }
}

}  // namespace
