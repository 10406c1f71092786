// The operations of one checked expression, compiled in evaluation order
// into p-code and direct-code statements: arithmetic in the expression's
// numeric type, comparisons by the kind of their operands (numbers, fixed
// and varying strings, dates, times, datetimes), value tests against *NULL,
// *BLANK and *ZERO, and AND/OR, written as short-circuit blocks when their
// right side is more than one plain comparison. An operation on an operand
// that can be SQL null tracks SQL null. Every arithmetic result is sized
// as the plan of the expression's numbers says (dqoo_compile_plan.cpp).
#include "platform/dqoo/dqoo_compile_internal.h"

#include <algorithm>
#include <cstring>

namespace dqoo::compile {

namespace {

bool is(const DQOO_CHECKED_OPERATION& op, const char* code)
{
    return std::memcmp(op.achCode, code, 2) == 0;
}

bool isComparison(const DQOO_CHECKED_OPERATION& op)
{
    for (const char* c : {"EQ", "NE", "LT", "LE", "GT", "GE"})
        if (is(op, c))
            return true;
    return false;
}

uint32_t comparatorIndex(const DQOO_CHECKED_OPERATION& op)
{
    constexpr const char* kOrder[] = {"EQ", "LT", "LE", "GT", "GE", "NE"};
    for (uint32_t i = 0; i < 6; ++i)
        if (is(op, kOrder[i]))
            return i;
    return 0;
}

bool isString(Family f)
{
    return f == Family::Alpha || f == Family::VarChar || f == Family::Lob;
}

void track(EXPR_OPERAND_NODE* instruction, bool tracks)
{
    if (tracks)
        instruction->instructionFlags |= EXPR_INSTR_FLAG_SQLNULL;
}

std::string codeOf(const DQOO_CHECKED_OPERATION& op)
{
    return std::string(op.achCode, 2);
}

}  // namespace

const DQOO_CHECKED_OPERAND& ExpressionCompiler::Operand(int idx) const
{
    if (idx < 1 || static_cast<uint32_t>(idx) > e_.ulOperandCount)
        throw Unsupported("an operation on an operand that does not exist");
    return e_.pOperands[idx - 1];
}

const DQOO_CHECKED_OPERATION* ProducerOf(const DQOO_CHECKED_EXPRESSION& e, int idx)
{
    for (uint32_t i = 0; i + 1 < e.ulOperationCount; ++i)
        if (e.pOperations[i].sResult == idx)
            return &e.pOperations[i];
    return nullptr;
}

const DQOO_CHECKED_OPERATION* ExpressionCompiler::Producer(int idx) const
{
    return producers_.Of(idx);
}

int ExpressionCompiler::Root() const
{
    return e_.ulOperationCount == 0 ? 0 : e_.pOperations[e_.ulOperationCount - 1].sFirst;
}

Family ExpressionCompiler::NaturalFamily(int idx) const
{
    if (subject_ != nullptr && idx == 1)
        return subjectFamily_;
    if (const DQOO_CHECKED_OPERATION* op = Producer(idx)) {
        if (is(*op, "AD") || is(*op, "SU") || is(*op, "MU") || is(*op, "DV"))
            return Family::Number;
        return Family::Boolean;
    }
    return FamilyOf(Operand(idx));
}

Value ExpressionCompiler::Subject()
{
    Value v;
    v.family = subjectFamily_;
    v.length = static_cast<int32_t>(subject_->value);
    v.decimals = static_cast<int32_t>(subject_->second);
    v.tracksNull = (subject_->flags & EXPR_NODE_FLAG_SQLNULL_STATE) != 0;
    v.instruction = b_.Instruction(op::kWhenSubject + SubjectIndex(subjectFamily_, subjectHeld_), subject_, 1);
    track(v.instruction, v.tracksNull);
    /* a number compared in a type other than the one it is held in (a
    ** whole subject with a value that has decimals, a decimal one with a
    ** floating-point field) is taken into the comparison's type */
    if (subjectFamily_ == Family::Number)
        Coerce(b_, subjectHeld_, numeric_);
    return v;
}

Size ExpressionCompiler::NumberSize(int idx) const
{
    if (subject_ != nullptr && idx == 1)
        return {static_cast<int32_t>(subject_->value) - static_cast<int32_t>(subject_->second),
                static_cast<int32_t>(subject_->second)};
    if (const Size* s = plan_.sizes.Find(idx); s != nullptr && Producer(idx) != nullptr)
        return *s;
    return SizeOf(Operand(idx));
}

Value ExpressionCompiler::Emit(int idx, Family want, bool forAssignment)
{
    if (subject_ != nullptr && idx == 1)
        return Subject();
    const DQOO_CHECKED_OPERATION* op = Producer(idx);
    if (op == nullptr)
        return PushLeaf(b_, Operand(idx), want, numeric_, forAssignment);
    /* no operation lies deeper than there are operations: one that does
    ** names its own result, directly or through others */
    if (++depth_ > e_.ulOperationCount)
        throw Unsupported("an operation that depends on its own result");
    Value v = Operation(*op, want);
    --depth_;
    return v;
}

Value ExpressionCompiler::Operation(const DQOO_CHECKED_OPERATION& op, Family want)
{
    if (is(op, "AD") || is(op, "SU") || is(op, "MU") || is(op, "DV")) {
        if (want != Family::Number)
            throw Unsupported("arithmetic where a value of another kind is wanted");
        return Arithmetic(op);
    }
    if (want != Family::Boolean)
        throw Unsupported("a condition where a value is wanted");
    if (isComparison(op))
        return Comparison(op);
    if (is(op, "AN") || is(op, "OR"))
        return Logic(op);
    throw Unsupported("the operation " + codeOf(op));
}

Value ExpressionCompiler::Arithmetic(const DQOO_CHECKED_OPERATION& op)
{
    const Value a = Emit(op.sFirst, Family::Number);
    const Value b = Emit(op.sSecond, Family::Number);
    const uint32_t offset = is(op, "AD") ? 0 : is(op, "SU") ? 1 : is(op, "DV") ? 2 : 3;
    /* the exact size of the result; a quotient's decimals are the plan's */
    const Size size = NumberSize(op.sResult);
    Value v;
    v.family = Family::Number;
    v.length = size.Digits();
    v.decimals = size.decimals;
    v.tracksNull = a.tracksNull || b.tracksNull;
    v.instruction = b_.Instruction(op::Arithmetic(numeric_, offset), b_.Intermediate(v.length, v.decimals), -1);
    v.statement = b_.Statement(EXPR_STATEMENT_OPERATION, v.instruction, v.instruction, a.instruction, b.instruction);
    track(v.instruction, v.tracksNull);
    b_.IncludeISeries();
    if (numeric_ == op::LongLong)
        b_.IncludeNoLongLong();
    return v;
}

Value ExpressionCompiler::ValueTest(const DQOO_CHECKED_OPERATION& op, int tested, bool negate)
{
    if (!is(op, "EQ") && !is(op, "NE"))
        throw Unsupported("*NULL, *BLANK or *ZERO compared other than for equality");
    const Family family = NaturalFamily(tested);
    const Value v = Emit(tested, family == Family::Boolean ? Family::Boolean : family);
    uint32_t opcode = 0;
    switch (v.family) {
    case Family::Number: opcode = op::IsNull(numeric_); break;
    case Family::Alpha:
    case Family::VarChar:
    case Family::Lob: opcode = op::kIsStringNull; break;
    case Family::Date: opcode = op::kIsDateNull; break;
    case Family::Time: opcode = op::kIsTimeNull; break;
    case Family::DateTime: opcode = op::kIsDateTimeNull; break;
    case Family::Binary:
        opcode = op::kIsBinaryNull;
        b_.NoDirectForm();
        break;
    case Family::Boolean:
        if (Producer(tested) != nullptr)
            throw Unsupported("a value test of a condition");
        opcode = op::kIsBooleanNull;
        break;
    default: throw Unsupported("a value test of a condition");
    }
    Value r;
    r.family = Family::Boolean;
    r.tracksNull = v.tracksNull;
    r.instruction = b_.Instruction(opcode, nullptr, 0);
    r.statement = b_.Statement(EXPR_STATEMENT_OPERATION, r.instruction, r.instruction, v.instruction);
    track(r.instruction, r.tracksNull);
    if (!negate)
        return r;
    EXPR_OPERAND_NODE* tested_ = r.instruction;
    r.instruction = b_.Instruction(op::kLogicalNot, nullptr, 0);
    r.statement = b_.Statement(EXPR_STATEMENT_OPERATION, r.instruction, r.instruction, tested_);
    track(r.instruction, r.tracksNull);
    return r;
}

Value ExpressionCompiler::Comparison(const DQOO_CHECKED_OPERATION& op)
{
    Family fl = NaturalFamily(op.sFirst), fr = NaturalFamily(op.sSecond);
    if (fl == Family::Null && fr != Family::Null)
        return ValueTest(op, op.sSecond, is(op, "NE"));
    if (fr == Family::Null && fl != Family::Null)
        return ValueTest(op, op.sFirst, is(op, "NE"));
    if (fl == Family::HiLo)
        fl = fr;
    if (fr == Family::HiLo)
        fr = fl;
    const bool leftLiteral = Producer(op.sFirst) == nullptr && !(subject_ != nullptr && op.sFirst == 1) &&
                             std::memcmp(Operand(op.sFirst).achClass, "AL", 2) == 0;
    const bool rightLiteral =
        Producer(op.sSecond) == nullptr && std::memcmp(Operand(op.sSecond).achClass, "AL", 2) == 0;

    Family compare = Family::Null;
    bool coerceLeft = false, coerceRight = false;
    if (fl == Family::Number && fr == Family::Number) {
        compare = Family::Number;
    } else if (isString(fl) && isString(fr)) {
        compare = Family::Alpha;
    } else if (fl == fr &&
               (fl == Family::Date || fl == Family::Time || fl == Family::DateTime || fl == Family::Binary)) {
        compare = fl;
    } else if ((fl == Family::Date || fl == Family::Time || fl == Family::DateTime) && rightLiteral) {
        compare = fl;
    } else if ((fr == Family::Date || fr == Family::Time || fr == Family::DateTime) && leftLiteral) {
        compare = fr;
    } else if (fl == Family::Boolean && fr == Family::Boolean) {
        if (!is(op, "EQ") && !is(op, "NE"))
            throw Unsupported("booleans compared other than for equality");
        compare = Family::Boolean;
    } else if ((fl == Family::DateTime && (fr == Family::Date || fr == Family::Time)) ||
               (fr == Family::DateTime && (fl == Family::Date || fl == Family::Time))) {
        compare = Family::DateTime;
        coerceLeft = fl != Family::DateTime;
        coerceRight = fr != Family::DateTime;
    } else {
        throw Unsupported("a comparison of operands of different kinds");
    }

    auto side = [&](int idx, int other, bool coerce) {
        Value v;
        if (subject_ == nullptr || idx != 1) {
            if (Producer(idx) == nullptr && FamilyOf(Operand(idx)) == Family::HiLo) {
                /* the highest or lowest value of the other side: a number
                ** of its digits and decimals, a string of its length */
                const bool hi = std::strcmp(Operand(idx).pszName, "*HIVAL") == 0;
                EXPR_OPERAND_NODE* size = nullptr;
                uint32_t opcode = hi ? op::kPushStringHival : op::kPushStringLoval;
                if (compare == Family::Number) {
                    const Size s = NumberSize(other);
                    size = b_.Intermediate(s.Digits(), s.decimals);
                    opcode = hi ? op::kPushDecimalHival : op::kPushDecimalLoval;
                }
                v.family = compare;
                v.instruction = b_.Instruction(opcode, size, 1);
                b_.NoDirectForm();
                return v;
            }
        }
        const Family own = NaturalFamily(idx);
        v = Emit(idx, compare == Family::Alpha ? own : (coerce ? own : compare));
        if (coerce) {
            EXPR_OPERAND_NODE* c = b_.Instruction(
                v.family == Family::Date ? op::kCoerceDateToDateTime : op::kCoerceTimeToDateTime, nullptr, 0);
            b_.Statement(EXPR_STATEMENT_OPERATION, c, c, v.instruction);
            track(c, v.tracksNull);
            v.instruction = c;
            v.family = Family::DateTime;
        }
        return v;
    };
    const Value a = side(op.sFirst, op.sSecond, coerceLeft);
    const Value b = side(op.sSecond, op.sFirst, coerceRight);

    uint32_t base = 0;
    EXPR_OPERAND_NODE* pair = nullptr;
    switch (compare) {
    case Family::Number:
        base = op::Compare(numeric_, 0);
        if (numeric_ == op::Double) {
            /* the decimals of the two sides, which set the tolerance */
            pair = b_.Node(EXPR_TAG_INTERMEDIATE_1);
            pair->value = static_cast<uint32_t>(std::max(a.decimals, 0));
            pair->second = static_cast<uint32_t>(std::max(b.decimals, 0));
        }
        break;
    case Family::Boolean: base = op::kCompareBoolean; break;
    case Family::Alpha: base = op::kCompareString; break;
    case Family::Date: base = op::kCompareDate; break;
    case Family::Time: base = op::kCompareTime; break;
    case Family::DateTime: base = op::kCompareDateTime; break;
    default:
        base = op::kCompareBinary;
        b_.NoDirectForm();
        break;
    }
    Value r;
    r.family = Family::Boolean;
    r.tracksNull = a.tracksNull || b.tracksNull;
    /* the booleans have EQ and NE only */
    const uint32_t place = compare == Family::Boolean ? (is(op, "NE") ? 1 : 0) : comparatorIndex(op);
    r.instruction = b_.Instruction(base + place, pair, -1);
    r.statement = b_.Statement(EXPR_STATEMENT_OPERATION, r.instruction, r.instruction, a.instruction, b.instruction);
    track(r.instruction, r.tracksNull);
    return r;
}

Value ExpressionCompiler::Logic(const DQOO_CHECKED_OPERATION& op)
{
    const bool conjunction = is(op, "AN");
    const DQOO_CHECKED_OPERATION* right = Producer(op.sSecond);
    const bool plain = right == nullptr || (isComparison(*right) && Producer(right->sFirst) == nullptr &&
                                            Producer(right->sSecond) == nullptr);
    Value r;
    r.family = Family::Boolean;
    if (plain) {
        const Value a = Emit(op.sFirst, Family::Boolean);
        const Value b = Emit(op.sSecond, Family::Boolean);
        r.tracksNull = a.tracksNull || b.tracksNull;
        r.instruction = b_.Instruction(conjunction ? op::kLogicalAnd : op::kLogicalOr, nullptr, -1);
        r.statement =
            b_.Statement(EXPR_STATEMENT_OPERATION, r.instruction, r.instruction, a.instruction, b.instruction);
        track(r.instruction, r.tracksNull);
        return r;
    }
    const Value a = Emit(op.sFirst, Family::Boolean);
    EXPR_OPERAND_NODE* begin = b_.Instruction(conjunction ? op::kBeginAndIf : op::kBeginOrIf, nullptr, 0);
    b_.Statement(EXPR_STATEMENT_OPERATION, begin, begin, a.instruction);
    const Value b = Emit(op.sSecond, Family::Boolean);
    EXPR_OPERAND_NODE* end = b_.Instruction(conjunction ? op::kEndAndIf : op::kEndOrIf, nullptr, -1);
    b_.Statement(EXPR_STATEMENT_OPERATION, end, begin, begin, b.instruction);
    r.tracksNull = a.tracksNull || b.tracksNull;
    track(begin, r.tracksNull);
    track(end, r.tracksNull);
    r.instruction = begin;
    return r;
}

void FinishCondition(Builder& b, const Value& v)
{
    if (v.statement != nullptr && v.statement->result == v.instruction) {
        v.statement->result = nullptr;
        return;
    }
    EXPR_OPERAND_NODE* isTrue = b.Instruction(op::kBooleanIsTrue, nullptr, 0);
    b.Statement(EXPR_STATEMENT_OPERATION, isTrue, nullptr, v.instruction);
    track(isTrue, v.tracksNull);
}

}  // namespace dqoo::compile
