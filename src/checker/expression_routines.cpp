// The evaluation routines of checked expressions: the accepted expression
// is handed to the object layer's compiler and the routine's reference is
// kept in the current command for the generator.
#include "checker/expression_routines.h"

#include "checker/checker.h"
#include "checker/field_lists.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "dqov/runcontrol/work_records.h"
#include "params/fixed_text.h"
#include "params/literal_key.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace checker {

namespace {

using dqov::text::Fixed;
using dqov::text::TrimBlanks;
using dqov::text::TrimmedBlanks;

bool indexesAnArray(std::string_view field);

// The attribute codes of a field that tell how its routine holds it: read
// once for its flags and its held type.
struct HeldCodes {
    char asqn = 'N', suns = 'N', suni = 'N';

    explicit HeldCodes(const FFC_FIELD_DEFINITION& def)
    {
        P310C_ScanFieldAttributeCodes(def.input.acCodes, def.output.acCodes, &asqn, &suns, &suni);
    }
};

uint32_t flagsOf(const HeldCodes& codes, std::string_view field)
{
    uint32_t flags = indexesAnArray(field) ? DQOO_OPERAND_ARRAY_INDEX : 0;
    if (codes.asqn == 'Y')
        flags |= DQOO_OPERAND_SQLNULL;
    if (codes.suns == 'Y' || codes.suni == 'Y')
        flags |= DQOO_OPERAND_UNSIGNED;
    return flags;
}

// The type under which a field is held: a character field of at most 32
// characters (of the partition's width) that is not national is held as a
// short character field ('U'), as the generator lays it out; the compiled
// code must reach it in that form.
char heldType(const FFC_FIELD_DEFINITION& def, const HeldCodes& codes)
{
    if (def.cType != 'H' && def.cType != '1')
        return def.cType;
    const FFC_CONTEXT* ctx = G().ctx;
    const int32_t unit = ctx && ctx->cDoubleByte == 'Y' ? 2 : 1;
    return def.lLength > 0 && def.lLength <= 32 * unit && codes.suns != 'Y' ? 'U' : def.cType;
}

// A field operand by its name as written, without the name character.
std::string fieldName(const std::string& written)
{
    std::string name = TrimBlanks(written);
    const FFC_CONTEXT* ctx = G().ctx;
    if (ctx && !name.empty() && name[0] == ctx->cNatChar1 && ctx->cNatChar1 != ' ')
        name.erase(0, 1);
    for (char& c : name)
        c = UpperChar(c);
    return name;
}

// Whether a field (its name without the name character) indexes one of the
// object's arrays: a store into it sets the vector's index.
bool indexesAnArray(std::string_view field)
{
    return std::any_of(G().arrayElements.begin(), G().arrayElements.end(),
                       [field](const Globals::ArrayElement& e) { return fieldName(e.index) == field; });
}

// A literal longer than the operand table holds (its 50 characters) is
// only its start there: its whole text is taken from the expression, the
// first literal there (alphanumeric, or hexadecimal after an X) that
// begins with the part held, so that the routine compares and moves all of
// it. A literal that fits is the part held.
std::string wholeLiteral(const std::string& expression, std::string_view held)
{
    if (held.empty() || held.back() == ' ')
        return std::string(TrimBlanks(held));
    for (size_t i = 0; i < expression.size(); ++i) {
        if (expression[i] != '\'')
            continue;
        size_t end = i + 1;
        while (end < expression.size()) {
            if (expression[end] == '\'' && end + 1 < expression.size() && expression[end + 1] == '\'')
                end += 2;
            else if (expression[end] == '\'')
                break;
            else
                ++end;
        }
        if (end >= expression.size())
            break;
        for (size_t start : {i, i > 0 && UpperChar(expression[i - 1]) == 'X' ? i - 1 : i}) {
            const std::string_view literal(expression.data() + start, end + 1 - start);
            if (literal.size() > held.size() && literal.substr(0, held.size()) == held)
                return std::string(literal);
        }
        i = end;
    }
    return std::string(TrimBlanks(held));
}

// The target fields of a value, as operands of the compile request.
struct Targets {
    std::vector<std::string> names;  // room for every target: no name moves
    std::vector<DQOO_CHECKED_OPERAND> operands;

    explicit Targets(const std::vector<std::string>& written)
    {
        names.reserve(written.size());
        operands.reserve(written.size());
        for (const std::string& w : written) {
            FFC_FIELD_DEFINITION def;
            if (!LookUpFieldDefinition(w, def))
                continue;
            DQOO_CHECKED_OPERAND o{};
            std::memcpy(o.achClass, "FL", 2);
            const HeldCodes codes(def);
            o.chType = heldType(def, codes);
            o.lLength = def.lLength;
            o.lDecimals = def.lDecimals;
            o.pszName = names.emplace_back(fieldName(w)).c_str();
            o.ulFlags = flagsOf(codes, o.pszName);
            operands.push_back(o);
        }
    }
};

/* An expression the object layer is not given: the message data holds
** 132 bytes, the command, the expression (cut to 60) and the reason (cut
** to 62). */
void refuse(const std::string& text, const std::string& reason)
{
    Issue(Msg::ExpressionNotCompiled,
          Fixed(Trim(G().parsed.acName, 10), 10) + Fixed(TrimBlanks(text), 60) + Fixed(reason, 62));
}

// Runs the compiler and keeps the reference, or reports what it refused
// with the text textOf() gives (made only then).
template <typename TextOf> void compile(const DQOO_COMPILE_REQUEST& request, TextOf&& textOf)
{
    char reference[9];
    char reason[256];
    const long rc =
        DQOO_FCC_CompileCheckedExpression(P3100_pGetBuildHandle(), &request, reference, reason, sizeof reason);
    if (rc == DQOO_OK) {
        std::memcpy(G().parsed.acRoutineRef, reference, sizeof reference);
        return;
    }
    if (rc != DQOO_ERR_UNSUPPORTED)
        std::snprintf(reason, sizeof reason, "the object layer answered %ld", rc);
    refuse(textOf(), reason);
}

bool isConditionName(const DQOO_CHECKED_OPERAND& o)
{
    return std::memcmp(o.achClass, "CN", 2) == 0;
}

bool isTest(const DQOO_CHECKED_OPERATION& op)
{
    return std::memcmp(op.achCode, "IF", 2) == 0;
}

/* Conditions may name conditions; a chain that grows beyond this many
** operands is refused rather than compiled. */
constexpr size_t kExpandedOperandMax = 2000;

// Appends the operands and the inner operations of a condition to e, the
// operations before e's own so that e's last operation stays last; returns
// the index in e of the value the condition's final test examines.
int16_t splice(CheckedExpression& e, const CheckedExpression& condition)
{
    const auto offset = static_cast<int16_t>(e.operands.size());
    e.names.reserve(e.names.size() + condition.operands.size());
    for (DQOO_CHECKED_OPERAND o : condition.operands) {
        e.names.emplace_back(o.pszName != nullptr ? o.pszName : "");
        e.operands.push_back(o);
    }
    /* the names may have moved with the room made for the new ones */
    for (size_t i = 0; i < e.operands.size(); ++i)
        e.operands[i].pszName = e.names[i].c_str();
    auto shift = [offset](int16_t i) { return static_cast<int16_t>(i > 0 ? i + offset : i); };
    std::vector<DQOO_CHECKED_OPERATION> inner;
    for (size_t i = 0; i + 1 < condition.operations.size(); ++i) {
        DQOO_CHECKED_OPERATION op = condition.operations[i];
        op.sFirst = shift(op.sFirst);
        op.sSecond = shift(op.sSecond);
        op.sResult = shift(op.sResult);
        inner.push_back(op);
    }
    e.operations.insert(e.operations.begin(), inner.begin(), inner.end());
    return shift(condition.operations.back().sFirst);
}

// Replaces each condition name of e by the condition its DEF_COND gives
// it, so that the routine evaluates the condition where the name stands.
// `path` holds the names being replaced: a condition that leads back to
// itself is refused rather than followed for ever.
bool expandConditions(CheckedExpression& e, std::vector<std::string>& path, std::string& reason)
{
    const size_t operands = e.operands.size();
    for (size_t i = 0; i < operands; ++i) {
        if (!isConditionName(e.operands[i]))
            continue;
        const std::string name = Upper(TrimBlanks(e.operands[i].pszName != nullptr ? e.operands[i].pszName : ""));
        if (std::find(path.begin(), path.end(), name) != path.end()) {
            reason = "the condition " + name + " that names itself";
            return false;
        }
        FFC_WORK_RECORD r;
        CheckedExpression condition;
        bool found = FindConditionRecord(name, r);
        if (found) {
            const auto* data = reinterpret_cast<const WR_DEF_COND_DATA*>(r.acData);
            found = AcceptConditionText(TrimBlanks(std::string_view(data->acCondition, sizeof data->acCondition)),
                                        &condition) &&
                    !condition.operations.empty() && isTest(condition.operations.back());
        }
        if (!found) {
            /* its DEF_COND reports why at its own line */
            reason = "the condition " + name + " that does not check";
            return false;
        }
        path.push_back(name);
        const bool expanded = expandConditions(condition, path, reason);
        path.pop_back();
        if (!expanded)
            return false;
        if (e.operands.size() + condition.operands.size() > kExpandedOperandMax) {
            reason = "conditions that name too many conditions";
            return false;
        }
        const int16_t root = splice(e, condition);
        const auto index = static_cast<int16_t>(i + 1);
        for (DQOO_CHECKED_OPERATION& op : e.operations) {
            if (op.sFirst == index)
                op.sFirst = root;
            if (op.sSecond == index)
                op.sSecond = root;
        }
    }
    return true;
}

// The expression with its condition names replaced; false, with the
// finding, when one cannot be.
bool withConditions(CheckedExpression& e)
{
    std::vector<std::string> path;
    std::string reason;
    if (expandConditions(e, path, reason))
        return true;
    refuse(e.text, reason);
    return false;
}

}  // namespace

void CheckedExpression::Take(const std::string& expressionText, const DC_EXPRESSION_REQUEST& request)
{
    text = expressionText;
    operands.clear();
    names.clear();
    operations.clear();
    operands.reserve(static_cast<size_t>(std::max<int>(request.sOperandCount, 0)));
    /* room for every name first: no name moves once an operand points to it */
    names.reserve(static_cast<size_t>(std::max<int>(request.sOperandCount, 0)));
    operations.reserve(static_cast<size_t>(std::max<int>(request.sOperationCount, 0)));
    for (int i = 0; i < request.sOperandCount; ++i) {
        const DC_EXPRESSION_OPERAND& in = request.aOperands[i];
        DQOO_CHECKED_OPERAND o{};
        const bool work = in.cWorkResult == 'Y';
        std::memcpy(o.achClass, work ? "  " : in.acClass, 2);
        o.chType = in.cType;
        o.lLength = in.lLength;
        o.lDecimals = in.sDecimals;
        const bool literal = !work && (std::memcmp(in.acClass, "AL", 2) == 0 || std::memcmp(in.acClass, "HL", 2) == 0);
        const bool field = !work && std::memcmp(in.acClass, "FL", 2) == 0;
        if (field) {
            // a field by its name without the name character, in capitals,
            // made from the name as the table holds it; the definition is
            // looked up by the name as written
            const std::string_view written = TrimmedBlanks(std::string_view(in.acName, sizeof in.acName));
            std::string& name = names.emplace_back(written);
            const FFC_CONTEXT* ctx = G().ctx;
            if (ctx && !name.empty() && name[0] == ctx->cNatChar1 && ctx->cNatChar1 != ' ')
                name.erase(0, 1);
            for (char& c : name)
                c = UpperChar(c);
            o.pszName = name.c_str();
            FFC_FIELD_DEFINITION def;
            if (LookUpFieldDefinition(written, def)) {
                const HeldCodes codes(def);
                o.ulFlags = flagsOf(codes, o.pszName);
                if (o.chType == def.cType)
                    o.chType = heldType(def, codes);
            }
            operands.push_back(o);
            continue;
        }
        const std::string whole = literal ? dqov::literal::WholeOperandName(&request, i) : std::string();
        const std::string written =
            !whole.empty() ? whole
            : literal      ? wholeLiteral(expressionText, std::string_view(in.acName, sizeof in.acName))
                           : TrimBlanks(std::string_view(in.acName, sizeof in.acName));
        o.pszName = names.emplace_back(written).c_str();
        /* a system variable or a multilingual variable the routine reads is
        ** a used field of the object */
        if (!work && ((std::memcmp(in.acClass, "SV", 2) == 0 && in.lLength > 0) ||
                      std::memcmp(in.acClass, "ML", 2) == 0))
            RecordFieldUse(fieldName(written), "", "SV");
        operands.push_back(o);
    }
    for (int i = 0; i < request.sOperationCount; ++i) {
        const DC_OPERATION& in = request.aOperations[i];
        DQOO_CHECKED_OPERATION op{};
        op.sFirst = in.sFirst;
        std::memcpy(op.achCode, in.acCode, 2);
        op.sSecond = in.sSecond;
        op.sResult = in.sResult;
        operations.push_back(op);
    }
}

bool CheckedExpression::NamesOneCondition() const
{
    if (operations.size() != 1 || !isTest(operations[0]))
        return false;
    const int16_t tested = operations[0].sFirst;
    return tested >= 1 && static_cast<size_t>(tested) <= operands.size() && isConditionName(operands[tested - 1]);
}

DQOO_CHECKED_EXPRESSION CheckedExpression::View() const
{
    DQOO_CHECKED_EXPRESSION e{};
    e.ulOperandCount = static_cast<uint32_t>(operands.size());
    e.pOperands = operands.data();
    e.ulOperationCount = static_cast<uint32_t>(operations.size());
    e.pOperations = operations.data();
    return e;
}

bool CheckCompiledCondition(const std::string& text)
{
    CheckedExpression e;
    if (!CheckConditionText(text, &e))
        return false;
    if (!e.NamesOneCondition())
        CompileCondition(e);
    return true;
}

void CompileCondition(CheckedExpression& e)
{
    if (!withConditions(e))
        return;
    const DQOO_CHECKED_EXPRESSION view = e.View();
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_CONDITION;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    compile(request, [&e]() -> const std::string& { return e.text; });
}

void CompileValue(CheckedExpression& e, const std::vector<std::string>& targets, bool round)
{
    if (!withConditions(e))
        return;
    const DQOO_CHECKED_EXPRESSION view = e.View();
    const Targets fields(targets);
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_VALUE;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    request.ulTargetCount = static_cast<uint32_t>(fields.operands.size());
    request.pTargets = fields.operands.data();
    request.chRound = round ? 'Y' : 'N';
    compile(request, [&e]() -> const std::string& { return e.text; });
}

void CompileSpecialValue(const std::string& value, const std::vector<std::string>& targets)
{
    const Targets fields(targets);
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_SPECIAL;
    request.ulTargetCount = static_cast<uint32_t>(fields.operands.size());
    request.pTargets = fields.operands.data();
    request.pszSpecialValue = value.c_str();
    compile(request, [&value]() -> const std::string& { return value; });
}

void CompileWhenSubject(CheckedExpression& e, uint32_t level)
{
    if (!withConditions(e))
        return;
    const DQOO_CHECKED_EXPRESSION view = e.View();
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_WHEN_SUBJECT;
    request.ulGroupLevel = level;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    compile(request, [&e]() -> const std::string& { return e.text; });
}

void CompileWhenTests(std::vector<CheckedExpression>& values, uint32_t level)
{
    if (values.empty())
        return;
    std::vector<DQOO_CHECKED_EXPRESSION> views;
    views.reserve(values.size());
    for (CheckedExpression& e : values) {
        if (!withConditions(e))
            return;
        views.push_back(e.View());
    }
    // the tests one after the other, as a refusal names them
    auto text = [&values] {
        std::string all;
        for (const CheckedExpression& e : values)
            all += (all.empty() ? "" : " | ") + e.text;
        return all;
    };
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_WHEN_TEST;
    request.ulGroupLevel = level;
    request.ulExpressionCount = static_cast<uint32_t>(views.size());
    request.pExpressions = views.data();
    compile(request, text);
}

void CompileFileWhere(const std::string& text, const std::string& file)
{
    // A condition that does not check is a finding at the command's line:
    // a WHERE the program cannot evaluate would select rows it must not.
    CheckedExpression e;
    if (TrimBlanks(text).empty() || !CheckConditionText(TrimBlanks(text), &e) || e.NamesOneCondition())
        return;
    std::vector<std::string> path;
    std::string reason;
    if (!expandConditions(e, path, reason))
        return;
    std::vector<std::string> real, virtualFields;
    if (FileFieldsOf(G().ctx, file, real, virtualFields)) {
        auto holds = [](const std::vector<std::string>& names, const std::string& name) {
            return std::any_of(names.begin(), names.end(),
                               [&](const std::string& n) { return Upper(TrimBlanks(n)) == name; });
        };
        for (DQOO_CHECKED_OPERAND& o : e.operands) {
            if (std::memcmp(o.achClass, "FL", 2) != 0 || o.pszName == nullptr)
                continue;
            if (holds(real, o.pszName))
                o.ulFlags |= DQOO_OPERAND_FILE_FIELD;
            else if (holds(virtualFields, o.pszName))
                o.ulFlags |= DQOO_OPERAND_VIRTUAL_FIELD;
        }
    }
    const DQOO_CHECKED_EXPRESSION view = e.View();
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_WHERE;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    char reference[9];
    char unused[256];
    if (DQOO_FCC_CompileCheckedExpression(P3100_pGetBuildHandle(), &request, reference, unused, sizeof unused) ==
        DQOO_OK)
        std::memcpy(G().parsed.acRoutineRef, reference, sizeof reference);
}

}  // namespace checker
