// DQOO_FCC_CompileCheckedExpression: the routine forms of the expression
// compiler, their routine records and references, and the When groups that
// CASE opens for the WHEN routines of its block.
#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_compile_internal.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

namespace dqoo::compile {

namespace {

std::string upper(const char* text)
{
    std::string s = text != nullptr ? text : "";
    s.erase(s.find_last_not_of(' ') + 1);
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

const DQOO_CHECKED_EXPRESSION& only(const DQOO_COMPILE_REQUEST& r)
{
    if (r.ulExpressionCount < 1 || r.pExpressions == nullptr)
        throw Unsupported("a request without an expression");
    return r.pExpressions[0];
}

const char* lastCode(const DQOO_CHECKED_EXPRESSION& e)
{
    return e.ulOperationCount > 0 ? e.pOperations[e.ulOperationCount - 1].achCode : "  ";
}

EXPR_PCODE_ROUTINE* addRoutine(ExpressionStore& store, int32_t kind, int32_t number, uint32_t stack,
                               const std::vector<EXPR_EXPRESSION*>& expressions)
{
    EXPR_PCODE_ROUTINE& r = store.routines.emplace_back();
    std::memset(&r, 0, sizeof r);
    r.kind = kind;
    r.number = number;
    r.operandStackSize = stack;
    r.expressionCount = static_cast<uint32_t>(expressions.size());
    r.expressions = store.compiledExpressionArrays.Keep(expressions.data(), expressions.size());
    return &r;
}

/* The letter and the number in seven digits or more. */
std::string keyOf(char letter, int32_t number)
{
    // as "%c%07d" writes it, without the formatting machinery; a routine
    // number of seven digits at most fills the string's own room in place
    if (number >= 0 && number <= 9999999) {
        std::string key(8, '0');
        key[0] = letter;
        for (size_t i = 7; number != 0; --i, number /= 10)
            key[i] = static_cast<char>('0' + number % 10);
        return key;
    }
    // else put together from the end of a buffer and made a string once
    char text[16];
    char* at = text + sizeof text;
    const bool negative = number < 0;
    uint32_t v = negative ? 0u - static_cast<uint32_t>(number) : static_cast<uint32_t>(number);
    do {
        *--at = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    /* the sign counts in the width */
    for (char* const first = text + sizeof text - (negative ? 6 : 7); at > first;)
        *--at = '0';
    if (negative)
        *--at = '-';
    *--at = letter;
    return std::string(at, static_cast<size_t>(text + sizeof text - at));
}

/* The pull row of a target field. */
const op::PullRow* pullRow(const DQOO_CHECKED_OPERAND& target)
{
    const char type = target.chType;
    char layout = type;
    if (HeldWithFieldInformation(target))
        layout = type == 'P' ? 'p' : 's';
    else if (type == 'H')
        layout = '1';
    else if (type == 'I')
        layout = target.lLength <= 1   ? ((target.ulFlags & DQOO_OPERAND_UNSIGNED) != 0 ? 'u' : 'b')
                 : target.lLength == 2 ? 'h'
                 : target.lLength <= 4 ? 'i'
                                       : 'l';
    else if (type == 'F')
        layout = target.lLength <= 4 ? 'f' : 'd';
    else if (type == 'B')
        layout = '2';
    else if (type == '4')
        layout = '3';
    for (const op::PullRow& row : op::kPulls)
        if (row.layout == layout)
            return &row;
    return nullptr;
}

uint32_t pullOpcode(const DQOO_CHECKED_OPERAND& target, op::PullSource source)
{
    const op::PullRow* row = pullRow(target);
    const uint32_t opcode = row != nullptr ? row->op[source] : 0;
    if (opcode == 0)
        throw Unsupported(std::string("the value cannot be stored into the field ") +
                          (target.pszName != nullptr ? target.pszName : "") + " of type " + target.chType);
    return opcode;
}

op::PullSource sourceOf(Family family, op::ValueType numeric)
{
    switch (family) {
    case Family::Number: return op::FromValue(numeric);
    case Family::Alpha:
    case Family::VarChar:
    case Family::Lob: return op::FromString;
    case Family::Binary: return op::FromBinary;
    case Family::Date: return op::FromDate;
    case Family::Time: return op::FromTime;
    case Family::DateTime: return op::FromDateTime;
    case Family::Boolean: return op::FromBoolean;
    default: throw Unsupported("a value of this kind assigned to a field");
    }
}

/* A value moved into a field of the same type, length and decimals is a
** byte copy between fields of identical layout: the PULL_IDENTICAL form of
** the move, or 0 when the layouts differ. Packed or signed fields held with
** their field information (VECTOR2) are copied with it; fields of varying
** length assign their value (_C characters, _D bytes), carrying the SQL
** null state. A field moved into itself is left to the assignment, which
** copies nothing onto itself. */
uint32_t identicalMove(const DQOO_CHECKED_OPERAND& source, const DQOO_CHECKED_OPERAND& target)
{
    if (std::memcmp(source.achClass, "FL", 2) != 0 || source.chType != target.chType ||
        source.lLength != target.lLength || source.lDecimals != target.lDecimals)
        return 0;
    if (source.pszName != nullptr && target.pszName != nullptr && std::strcmp(source.pszName, target.pszName) == 0)
        return 0;
    const bool sourceNull = (source.ulFlags & DQOO_OPERAND_SQLNULL) != 0;
    const bool targetNull = (target.ulFlags & DQOO_OPERAND_SQLNULL) != 0;
    switch (source.chType) {
    case 'A': return sourceNull || targetNull ? 0 : op::kPullIdentical;
    case 'P':
    case 'S': {
        /* both held the same way: a field that may be SQL null into one that
        ** may not is left to the assignment, which stores zero for null */
        const bool held = HeldWithFieldInformation(source);
        if (held != HeldWithFieldInformation(target))
            return 0;
        return held ? op::kPullIdenticalVector2 : op::kPullIdentical;
    }
    case '1':
    case 'H': return op::kPullIdenticalVarChar;
    case '2':
    case 'B': return op::kPullIdenticalBinary;
    default: return 0;
    }
}

/* The value type a numeric field is stored from: an integer or float
** field's own, a packed or signed field's the arithmetic's. */
op::ValueType storedType(const DQOO_CHECKED_OPERAND& target, op::ValueType numeric)
{
    if (target.chType == 'F')
        return op::Float64;
    if (target.chType == 'I')
        return target.lLength > 4 ? op::Int64 : op::Int32;
    return numeric;
}

EXPR_EXPRESSION* compileAssignment(ExpressionStore& store, const DQOO_CHECKED_EXPRESSION& e,
                                   const DQOO_CHECKED_OPERAND& target, bool round, uint32_t& depth)
{
    const char* code = lastCode(e);
    if (std::memcmp(code, "ZA", 2) != 0 && std::memcmp(code, "MB", 2) != 0)
        throw Unsupported("a value that is not a number or a value to assign");
    Plan plan = PlanNumbers(e, &target, round && target.chType != 'F');
    Builder b(store);
    EXPR_OPERAND_NODE* pull = nullptr;
    /* a byte copy or an assignment of the whole field is exact whatever
    ** the field's size: its direct code is always offered */
    const int first = e.pOperations[e.ulOperationCount - 1].sFirst;
    const uint32_t identical = first >= 1 && static_cast<uint32_t>(first) <= e.ulOperandCount &&
                                       ProducerOf(e, first) == nullptr
                                   ? identicalMove(e.pOperands[first - 1], target)
                                   : 0;
    if (identical != 0) {
        EXPR_OPERAND_NODE* source = OperandNode(b, e.pOperands[first - 1]);
        b.Instruction(op::kPushVectorAsStackVector, source, 1);
        pull = b.Instruction(identical, OperandNode(b, target), -1);
        b.Statement(EXPR_STATEMENT_IDENTICAL_MOVE, pull, nullptr, nullptr)->source = source;
        depth = std::max(depth, b.MaxDepth());
        return b.Finish(pull);
    }
    ExpressionCompiler c(b, e, std::move(plan));
    const op::ValueType numeric = c.Numeric();
    const int root = c.Root();
    /* a literal is pushed as the target's kind (a date literal as a
    ** date), a field as what it is */
    const Family family = FieldFamily(target.chType);
    Family want = family;
    if (family != Family::Number && c.Producer(root) == nullptr) {
        const DQOO_CHECKED_OPERAND& source = c.Operand(root);
        const bool literal = std::memcmp(source.achClass, "AL", 2) == 0 || std::memcmp(source.achClass, "HL", 2) == 0;
        if (!literal)
            want = FamilyOf(source);
    }
    const Value v = c.Emit(root, want, true);
    if ((family == Family::Number) != (v.family == Family::Number))
        throw Unsupported("a value of another kind than the field it is assigned to");
    EXPR_OPERAND_NODE* field = OperandNode(b, target);
    if (family != Family::Number) {
        pull = b.Instruction(pullOpcode(target, sourceOf(v.family, numeric)), field, -1);
        b.Statement(EXPR_STATEMENT_ASSIGNMENT, pull, nullptr, nullptr)->source = v.instruction;
        depth = std::max(depth, b.MaxDepth());
        return b.Finish(pull);
    }
    const op::ValueType stored = storedType(target, numeric);
    /* Rounding half up to the field writes straight into it: the value
    ** moved by half a unit of the field keeps its own decimals, so that its
    ** store takes the nearest decimal at those and then cuts to the field's
    ** (a quotient always has more decimals than the field: the plan gives
    ** it one at least). */
    /* a floating-point value has no decimals of its own: it is rounded
    ** whatever the field's decimals */
    const bool rounds = round && target.chType != 'F' && (v.decimals > target.lDecimals || numeric == op::Float64);
    EXPR_OPERAND_NODE* rounded = nullptr;
    if (rounds) {
        const int32_t ints = v.length - v.decimals + 1;
        rounded = b.Instruction(op::RoundHalfUp(numeric), b.Intermediate(ints + target.lDecimals, target.lDecimals), 0);
    }
    Coerce(b, numeric, stored);
    /* the scale the value is stored with */
    field->pullOperand = std::max(v.decimals, target.lDecimals);
    pull = b.Instruction(pullOpcode(target, op::FromValue(stored)), field, -1);
    if (rounds)
        b.Statement(EXPR_STATEMENT_OPERATION, rounded, pull, v.instruction);
    else
        b.Statement(EXPR_STATEMENT_ASSIGNMENT, pull, nullptr, nullptr)->source = v.instruction;
    depth = std::max(depth, b.MaxDepth());
    return b.Finish(pull);
}

EXPR_EXPRESSION* compileSpecial(ExpressionStore& store, const std::string& value, const DQOO_CHECKED_OPERAND& target)
{
    Builder b(store);
    EXPR_OPERAND_NODE* node = OperandNode(b, target);
    /* the value remembered for the user in this function, for the
    ** function, for the system, and for the user across the system */
    constexpr std::pair<const char*, int32_t> kRemembered[] = {
        {"*REMEMBERED_VALUE_FOR_USER", EXPR_STATEMENT_REMEMBER_USER},
        {"*REMEMBERED_VALUE_FOR_USER_AND_FUNCTION", EXPR_STATEMENT_REMEMBER_USER},
        {"*REMEMBERED_VALUE_FOR_FUNCTION", EXPR_STATEMENT_REMEMBER_FUNCTION},
        {"*REMEMBERED_VALUE_FOR_SYSTEM", EXPR_STATEMENT_REMEMBER_SYSTEM},
        {"*REMEMBERED_VALUE_FOR_USER_IN_SYSTEM", EXPR_STATEMENT_REMEMBER_USER_SYSTEM},
    };
    for (const auto& [name, kind] : kRemembered) {
        if (value == name) {
            b.Statement(kind, nullptr, nullptr, nullptr)->field = node;
            return b.Finish(nullptr);
        }
    }
    op::PullSource source;
    if (value == "*NULL" || value == "*BLANK" || value == "*BLANKS" || value == "*ZERO" || value == "*ZEROS" ||
        value == "*ZEROES")
        source = op::FromNull;
    else if (value == "*SQLNULL")
        source = op::FromSqlNull;
    else if (value == "*HIVAL")
        source = op::FromHiVal;
    else if (value == "*LOVAL")
        source = op::FromLoVal;
    else if (value == "*NAVAIL") {
        /* "not available" is a text: a field that cannot hold it (a number,
           a date, a Boolean) takes its blank or zero, as the classic writer
           gives it */
        const op::PullRow* row = pullRow(target);
        source = row != nullptr && row->op[op::FromNAvail] != 0 ? op::FromNAvail : op::FromNull;
    } else
        throw Unsupported("the special value " + value);
    EXPR_OPERAND_NODE* pull = b.Instruction(pullOpcode(target, source), node, 0);
    b.Statement(EXPR_STATEMENT_SPECIAL_STORE, pull, nullptr, nullptr);
    return b.Finish(pull);
}

struct Compiled {
    char letter;
    int32_t number;
};

Compiled compileCondition(ExpressionStore& store, const DQOO_COMPILE_REQUEST& r)
{
    const DQOO_CHECKED_EXPRESSION& e = only(r);
    if (std::memcmp(lastCode(e), "IF", 2) != 0)
        throw Unsupported("a condition that is not a test");
    Builder b(store);
    ExpressionCompiler c(b, e, PlanNumbers(e, nullptr, false));
    FinishCondition(b, c.Emit(c.Root(), Family::Boolean));
    EXPR_EXPRESSION* expression = b.Finish(nullptr);
    const int32_t n = nextRoutineNumber(store);
    EXPR_PCODE_ROUTINE* routine = addRoutine(store, EXPR_ROUTINE_BOOLEAN, n, b.MaxDepth(), {expression});
    store.routineOrder.push_back(routine);
    store.references[keyOf('D', n)] = {routine};
    return {'D', n};
}

Compiled compileValue(ExpressionStore& store, const DQOO_COMPILE_REQUEST& r)
{
    if (r.ulTargetCount == 0 || r.pTargets == nullptr)
        throw Unsupported("a value without a field to assign");
    std::vector<EXPR_EXPRESSION*> expressions;
    uint32_t depth = 1;
    for (uint32_t i = 0; i < r.ulTargetCount; ++i) {
        if (r.lForm == DQOO_COMPILE_SPECIAL)
            expressions.push_back(compileSpecial(store, upper(r.pszSpecialValue), r.pTargets[i]));
        else
            expressions.push_back(compileAssignment(store, only(r), r.pTargets[i], r.chRound == 'Y', depth));
    }
    const int32_t n = nextRoutineNumber(store);
    EXPR_PCODE_ROUTINE* routine = addRoutine(store, EXPR_ROUTINE_COMMAND, n, depth, expressions);
    store.routineOrder.push_back(routine);
    store.references[keyOf('B', n)] = {routine};
    return {'B', n};
}

Compiled compileWhenSubject(ExpressionStore& store, const DQOO_COMPILE_REQUEST& r)
{
    const DQOO_CHECKED_EXPRESSION& e = only(r);
    if (r.ulGroupLevel < 1 || e.ulOperandCount < 1)
        throw Unsupported("a CASE without its level or its subject");
    const DQOO_CHECKED_OPERAND& subject = e.pOperands[0];
    const Family family = FamilyOf(subject);
    const Plan plan = PlanNumbers(e, nullptr, false);
    const op::ValueType numeric = plan.numeric;
    /* a decimal subject outside the whole and double types is held in the
    ** operand stack in a form only the evaluator reads */
    const bool direct = plan.direct && (family != Family::Number || numeric <= op::Double || numeric == op::Float64);
    Builder b(store);
    if (!direct)
        b.NoDirectForm();
    const Value v = PushLeaf(b, subject, family, numeric, false);
    EXPR_OPERAND_NODE* load = b.Instruction(op::kSubjectLoad + SubjectIndex(v.family, numeric), v.node, -1);
    b.Statement(EXPR_STATEMENT_OPERATION, load, nullptr, v.instruction);
    EXPR_EXPRESSION* expression = b.Finish(nullptr);
    const int32_t n = nextRoutineNumber(store);
    EXPR_PCODE_ROUTINE* group = addRoutine(store, EXPR_ROUTINE_WHEN_GROUP, n, 2, {});
    EXPR_PCODE_ROUTINE* routine = addRoutine(store, EXPR_ROUTINE_COMMAND, n, b.MaxDepth(), {expression});
    store.routineOrder.push_back(group);
    store.routineOrder.push_back(routine);
    store.references[keyOf('B', n)] = {group, routine};
    store.whenGroups.resize(r.ulGroupLevel);
    store.whenGroups[r.ulGroupLevel - 1] =
        WhenGroup{group, v.node, static_cast<char>(v.family), static_cast<int>(numeric), direct};
    return {'B', n};
}

Compiled compileWhenTest(ExpressionStore& store, const DQOO_COMPILE_REQUEST& r)
{
    if (r.ulGroupLevel < 1 || r.ulGroupLevel > store.whenGroups.size() ||
        store.whenGroups[r.ulGroupLevel - 1].element == nullptr)
        throw Unsupported("a WHEN without the CASE of its level");
    if (r.ulExpressionCount == 0 || r.pExpressions == nullptr)
        throw Unsupported("a WHEN without a value");
    const WhenGroup& group = store.whenGroups[r.ulGroupLevel - 1];
    const Family family = static_cast<Family>(group.family);
    const auto numeric = static_cast<op::ValueType>(group.numeric);
    const uint32_t index = SubjectIndex(family, numeric);
    /* the values are compared in the subject's type, or in the type that
    ** holds subject and value where the subject's cannot hold the value (a
    ** number with decimals, a floating-point field) */
    std::vector<Plan> plans;
    bool indirect = false;
    for (uint32_t i = 0; i < r.ulExpressionCount; ++i) {
        const DQOO_CHECKED_EXPRESSION& e = r.pExpressions[i];
        if (std::memcmp(lastCode(e), "IF", 2) != 0)
            throw Unsupported("a WHEN value that is not a test");
        plans.push_back(PlanNumbers(e, nullptr, false));
        if (family != Family::Number)
            plans.back().numeric = numeric;
        indirect = indirect || !plans.back().direct;
    }
    /* tests only the instruction table evaluates, in a group whose subject
    ** direct code holds, read the CASE's field itself: the field is
    ** unchanged from the CASE to its WHEN tests */
    const bool ownSubject = group.direct && indirect;
    Builder b(store);
    for (uint32_t i = 0; i < r.ulExpressionCount; ++i) {
        const DQOO_CHECKED_EXPRESSION& e = r.pExpressions[i];
        Plan plan = plans[i];
        plan.direct = plan.direct && group.direct;
        ExpressionCompiler c(b, e, plan);
        if (!ownSubject)
            c.SetSubject(group.subject, family, numeric);
        const Value v = c.Emit(c.Root(), Family::Boolean);
        EXPR_OPERAND_NODE* whenTrue = b.Instruction(op::kWhenTrue + index, group.subject, -1);
        b.Statement(EXPR_STATEMENT_OPERATION, whenTrue, nullptr, v.instruction);
    }
    EXPR_OPERAND_NODE* allFalse = b.Instruction(op::kWhenAllFalse + index, group.subject, 0);
    b.Statement(EXPR_STATEMENT_OPERATION, allFalse, nullptr, nullptr);
    EXPR_EXPRESSION* expression = b.Finish(nullptr);
    /* The group's stack holds the result, the subject and the tests' values. */
    group.element->operandStackSize = std::max(group.element->operandStackSize, 2 + b.MaxDepth());
    const int32_t n = nextRoutineNumber(store);
    EXPR_PCODE_ROUTINE* routine =
        addRoutine(store, EXPR_ROUTINE_WHEN_TEST, n, group.element->operandStackSize, {expression});
    store.routineOrder.push_back(routine);
    store.references[keyOf('F', n)] = {routine};
    return {'F', n};
}

}  // namespace

EXPR_EXPRESSION* CompileDefaultValue(ExpressionStore& store, const DQOO_CHECKED_OPERAND& target,
                                     const std::string& written, uint32_t& depth)
{
    depth = 1;
    if (!written.empty() && written[0] == '*') {
        /* a Boolean is true at its highest value and false at its lowest */
        const std::string value = upper(written.c_str());
        const bool boolean = target.chType == 'Y' || target.chType == 'L';
        if (boolean && (value == "*TRUE" || value == "*FALSE"))
            return compileSpecial(store, value == "*TRUE" ? "*HIVAL" : "*LOVAL", target);
        return compileSpecial(store, value, target);
    }
    /* a literal, assigned as CHANGE assigns it: a quoted text, or a number
       of its digits and decimals */
    DQOO_CHECKED_OPERAND literal{};
    literal.pszName = written.c_str();
    DQOO_CHECKED_OPERATION move{};
    move.sFirst = 1;
    if (written.size() >= 2 && written.front() == '\'' && written.back() == '\'') {
        std::memcpy(literal.achClass, "AL", 2);
        literal.chType = 'A';
        int32_t length = 0;
        for (size_t i = 1; i + 1 < written.size(); ++i, ++length)
            if (written[i] == '\'' && written[i + 1] == '\'')
                ++i;
        literal.lLength = length;
        std::memcpy(move.achCode, "MB", 2);
    } else {
        const size_t sign = !written.empty() && (written[0] == '-' || written[0] == '+') ? 1 : 0;
        const size_t point = written.find('.', sign);
        int32_t digits = 0, decimals = 0;
        for (size_t i = sign; i < written.size(); ++i) {
            if (i == point)
                continue;
            if (!std::isdigit(static_cast<unsigned char>(written[i])))
                throw Unsupported("the default " + written);
            ++digits;
            decimals += point != std::string::npos && i > point ? 1 : 0;
        }
        if (digits == 0)
            throw Unsupported("the default " + written);
        std::memcpy(literal.achClass, "NL", 2);
        literal.chType = 'P';
        literal.lLength = digits;
        literal.lDecimals = decimals;
        std::memcpy(move.achCode, "ZA", 2);
    }
    const DQOO_CHECKED_EXPRESSION e{1, &literal, 1, &move};
    return compileAssignment(store, e, target, false, depth);
}

}  // namespace dqoo::compile

extern "C" long DQOO_FCC_CompileCheckedExpression(FCC_BUILD_HANDLE* pBuild, const DQOO_COMPILE_REQUEST* pRequest,
                                                  char* pchReference, char* pszReason, size_t cbReason)
{
    using namespace dqoo::compile;
    if (pszReason != nullptr && cbReason > 0)
        pszReason[0] = '\0';
    if (pRequest == nullptr || pchReference == nullptr)
        return DQOO_ERR_ARGUMENT;
    if (dqoo::findBuild(pBuild) == nullptr)
        return DQOO_ERR_NO_BUILD;
    /* a component's properties are reached through its description */
    BOM_DESCRIPTION_NODE* root = nullptr;
    FCC_BUILD_HANDLE* build = pBuild;
    if (DQOO_FCC_BOM_RetrieveDescription(&build, &root) != DQOO_OK)
        root = nullptr;
    const CompiledDescription described(root);
    dqoo::ExpressionStore& store = dqoo::currentStore();
    Compiled compiled{};
    try {
        switch (pRequest->lForm) {
        case DQOO_COMPILE_CONDITION: compiled = compileCondition(store, *pRequest); break;
        case DQOO_COMPILE_VALUE:
        case DQOO_COMPILE_SPECIAL: compiled = compileValue(store, *pRequest); break;
        case DQOO_COMPILE_WHEN_SUBJECT: compiled = compileWhenSubject(store, *pRequest); break;
        case DQOO_COMPILE_WHEN_TEST: compiled = compileWhenTest(store, *pRequest); break;
        case DQOO_COMPILE_WHERE:
            compiled = compileCondition(store, *pRequest);
            AppendWhereTables(store, only(*pRequest), store.references[keyOf(compiled.letter, compiled.number)]);
            break;
        default: throw Unsupported("an unknown routine form");
        }
    } catch (const Unsupported& u) {
        if (pszReason != nullptr && cbReason > 0)
            std::snprintf(pszReason, cbReason, "%s", u.what());
        return DQOO_ERR_UNSUPPORTED;
    } catch (const std::exception& x) {
        if (pszReason != nullptr && cbReason > 0)
            std::snprintf(pszReason, cbReason, "%s", x.what());
        return DQOO_ERR_UNSUPPORTED;
    }
    const std::string key = keyOf(compiled.letter, compiled.number);
    pchReference[0] = 3;
    std::memcpy(pchReference + 1, key.data(), 8);
    return DQOO_OK;
}
