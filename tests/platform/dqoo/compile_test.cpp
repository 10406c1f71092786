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
        DQOO_BUILD_REQUEST request{};
        request.pszObjectName = "EXPRPRC";
        request.pszFunctionName = "EXPCALC";
        request.pszPartition = "DEM";
        uint32_t passes = 0;
        int32_t start = 0;
        ASSERT_EQ(0, DQOO_FCC_StartBuild(handle, &request, &passes, &start));
        startChecking();
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
    }
    void startChecking()
    {
        DQOO_START_REQUEST request{};
        request.usMode = DQOO_MODE_TOOLS;
        request.pszProcessName = "EXPRPRC";
        request.pszFunctionName = "EXPCALC";
        ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &request));
    }
    long compile(const DQOO_COMPILE_REQUEST& r)
    {
        std::memset(reference, 0, sizeof reference);
        return DQOO_FCC_CompileCheckedExpression(handle, &r, reference, reason, sizeof reason);
    }
    std::vector<Seen> routines()
    {
        std::vector<Seen> seen;
        EXPECT_EQ(0, DQOO_FCC_EnumerateExpressionPcode(collect, &seen, 0));
        return seen;
    }
    std::string ref() const { return std::string(reference + 1, 8); }
};

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
    const std::vector<uint32_t> expected = {Named("PUSH_PACKED_VECTOR_AS_LONG"),
                                            Named("PUSH_INT32_CONSTANT_AS_LONG"),
                                            Named("PUSH_PACKED_VECTOR_AS_LONG"),
                                            Named("LONG_MULTIPLY"),
                                            Named("LONG_PLUS"),
                                            Named("PULL_PACKED_VECTOR_FROM_LONG")};
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

    /* *NAVAIL has no pull into an integer */
    r.ulTargetCount = 1;
    r.pszSpecialValue = "*NAVAIL";
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compile(r));
    EXPECT_STREQ(reason, "the value cannot be stored into the field I2 of type I");
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
// long of the arithmetic, and back; only the table form holds that.
TEST_F(Compiler, IntegerFieldsAreCoercedAndTableOnly)
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
    EXPECT_TRUE(seen[0].variants[0].empty());
}

// A component property is the component field it names: pushed as a field
// (the operand node of a component field, named by the field).
TEST_F(Compiler, AComponentPropertyIsItsComponentField)
{
    DQOO_CHECKED_OPERAND property = Field("InvoiceData.IOTOTAL", 'P', 11, 2);
    std::memcpy(property.achClass, "CP", 2);
    const DQOO_CHECKED_OPERAND operands[] = {property, Number("0"), Work('L', 1)};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "GT", 2, 3), Op(3, "IF")};
    const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_CONDITION;
    r.ulExpressionCount = 1;
    r.pExpressions = &e;
    ASSERT_EQ(0, compile(r)) << reason;
    const std::vector<Seen> seen = routines();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].opcodes[0][0], Named("PUSH_PACKED_VECTOR_AS_DOUBLE"));
    EXPR_OPERAND_NODE* node = nullptr;
    DQOO_FCC_EnumerateExpressionPcode(
        [](EXPR_PCODE_ROUTINE* routine, void* user) -> long {
            *static_cast<EXPR_OPERAND_NODE**>(user) = routine->expressions[0]->instructions[0]->operand;
            return 0;
        },
        &node, 0);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->kind, EXPR_NODE_COMPONENT_FIELD);
    EXPECT_STREQ(node->fieldRef, "IOTOTAL");
}

TEST_F(Compiler, RefusalsNameWhatCannotBeCompiled)
{
    DQOO_CHECKED_OPERAND text = Field("*MTXTTITLE", 'A', 10);
    std::memcpy(text.achClass, "ML", 2);
    const DQOO_CHECKED_OPERAND operands[] = {text, Field("B", 'A', 10), Work('L', 1)};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
    const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_CONDITION;
    r.ulExpressionCount = 1;
    r.pExpressions = &e;
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, compile(r));
    EXPECT_STREQ(reason, "the multilingual variable *MTXTTITLE");
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

// The object layer's opcode numbers are the catalogue's.
TEST(CompilerOpcodes, NumbersMatchTheCatalogueNames)
{
    namespace op = dqoo::op;
    const std::pair<uint32_t, const char*> named[] = {
        {op::kPushInt32AsLong, "PUSH_INT32_CONSTANT_AS_LONG"},
        {op::kPushInt64AsLongLong, "X_VAR_RESOLVE_PUSH_INT64_CONSTANT_AS_LONGLONG"},
        {op::kPushPackedAsDouble, "PUSH_PACKED_CONSTANT_AS_DOUBLE"},
        {op::kPushStringConstant, "PUSH_STRING_CONSTANT_AS_STRING"},
        {op::kPushPackedAsLong, "PUSH_PACKED_VECTOR_AS_LONG"},
        {op::kPushPackedAsLong + op::kVector2Step, "PUSH_PACKED_VECTOR2_AS_LONG"},
        {op::kPushSignedAsLong, "PUSH_SIGNED_VECTOR_AS_LONG"},
        {op::kPushAlphaAsAlpha, "PUSH_ALPHA_VECTOR_AS_ALPHA"},
        {op::kPushDateAsDate, "PUSH_DATE_VECTOR_AS_DATE"},
        {op::kPushVectorAsStackVector, "PUSH_VECTOR_AS_STACK_VECTOR"},
        {op::kPushInt8AsInt32, "PUSH_INT8_VECTOR_AS_INT32"},
        {op::kPushInt64AsInt64, "PUSH_INT64_VECTOR_AS_INT64"},
        {op::kPushFloat64AsFloat64, "PUSH_FLOAT64_VECTOR_AS_FLOAT64"},
        {op::kPushBooleanAsBoolean, "PUSH_BOOLEAN_VECTOR_AS_BOOLEAN"},
        {op::kCoerceDateToDateTime, "COERCE_DATE_TO_DATETIME"},
        {op::kCoerceInt32ToLong, "COERCE_INT32_TO_LONG"},
        {op::kCoerceInt64ToLong, "COERCE_INT64_TO_LONG"},
        {op::kCoerceFloat64ToDecimal, "COERCE_FLOAT64_TO_DECIMAL"},
        {op::kCoerceDecimalToDouble, "COERCE_DECIMAL_TO_DOUBLE"},
        {op::kCoerceLongToInt32, "COERCE_LONG_TO_INT32"},
        {op::kCoerceLongLongToInt32, "COERCE_LONGLONG_TO_INT32"},
        {op::kCoerceDoubleToInt32 + 2, "COERCE_DOUBLE_TO_FLOAT64"},
        {op::kLogicalNot, "LOGICAL_NOT"},
        {op::kBeginOrIf, "LOGICAL_BEGIN_ORIF"},
        {op::kCompareLong, "COMPARE_LONG_EQ_LONG"},
        {op::kCompareString + 5, "COMPARE_STRING_NE_STRING"},
        {op::kIsDateNull, "IS_DATE_NULL"},
        {op::kDoublePlus + 3, "DOUBLE_MULTIPLY"},
        {op::kRoundHalfUpDouble, "ROUND_HALFUP_DOUBLE"},
        {op::kBooleanIsTrue, "IMP_INTRINSIC_BOOLEAN_IS_TRUE"},
        {op::kEvaluateSystemVariable, "EVALUATE_SYSTEM_VARIABLE"},
        {op::kWhenSubject, "WHEN_SUBJECT_LONG"},
        {op::kWhenTrue + op::kSubjectString, "WHEN_TRUE_STRING"},
        {op::kWhenAllFalse + op::kSubjectDate, "WHEN_ALL_FALSE_DATE"},
        {op::kPullIdentical, "PULL_IDENTICAL_VECTOR_FROM_STACK_VECTOR"},
    };
    for (const auto& [number, name] : named)
        EXPECT_EQ(number, Named(name)) << name;

    /* every pull of the table is a pull by its catalogue name */
    for (const op::PullRow& row : op::kPulls)
        for (uint32_t number : row.op)
            if (number != 0) {
                const ExprOpcodeEntry* e = EXPR_FindOpcode(number);
                ASSERT_NE(e, nullptr) << number;
                EXPECT_EQ(std::string(e->name).find("X_COMP_OPCODE_PULL_"), 0u) << row.layout << " " << number;
            }
}

}  // namespace
