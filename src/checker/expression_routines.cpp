// The evaluation routines of checked expressions: the accepted expression
// is handed to the object layer's compiler and the routine's reference is
// kept in the current command for the generator.
#include "checker/expression_routines.h"

#include "checker/checker.h"
#include "checker/operand_checks.h"
#include "checker/params/fixed_text.h"
#include "checker/usage.h"

#include <cctype>
#include <cstring>

namespace checker {

namespace {

using dqov::text::Fixed;
using dqov::text::TrimBlanks;

uint32_t flagsOf(const FFC_FIELD_DEFINITION &def)
{
    char asqn = 'N', suns = 'N', suni = 'N';
    P310C_ScanFieldAttributeCodes(def.input.acCodes, def.output.acCodes, &asqn, &suns, &suni);
    uint32_t flags = 0;
    if (asqn == 'Y')
        flags |= DQOO_OPERAND_SQLNULL;
    if (suns == 'Y' || suni == 'Y')
        flags |= DQOO_OPERAND_UNSIGNED;
    return flags;
}

// A field operand by its name as written, without the name character.
std::string fieldName(const std::string &written)
{
    std::string name = TrimBlanks(written);
    const FFC_CONTEXT *ctx = G().ctx;
    if (ctx && !name.empty() && name[0] == ctx->cNatChar1 && ctx->cNatChar1 != ' ')
        name.erase(0, 1);
    for (char &c : name)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return name;
}

// The target fields of a value, as operands of the compile request.
struct Targets {
    std::deque<std::string> names;
    std::vector<DQOO_CHECKED_OPERAND> operands;

    explicit Targets(const std::vector<std::string> &written)
    {
        for (const std::string &w : written) {
            FFC_FIELD_DEFINITION def;
            if (!LookUpFieldDefinition(w, def))
                continue;
            DQOO_CHECKED_OPERAND o{};
            std::memcpy(o.achClass, "FL", 2);
            o.chType = def.cType;
            o.lLength = def.lLength;
            o.lDecimals = def.lDecimals;
            o.pszName = names.emplace_back(fieldName(w)).c_str();
            o.ulFlags = flagsOf(def);
            operands.push_back(o);
        }
    }
};

// Runs the compiler and keeps the reference, or reports what it refused.
void compile(const DQOO_COMPILE_REQUEST &request, const std::string &text)
{
    Globals &g = G();
    char reference[9];
    char reason[256];
    const long rc = DQOO_FCC_CompileCheckedExpression(P3100_pGetBuildHandle(), &request, reference, reason, sizeof reason);
    if (rc == DQOO_OK) {
        std::memcpy(g.parsed.acRoutineRef, reference, sizeof reference);
        return;
    }
    if (rc != DQOO_ERR_UNSUPPORTED)
        std::snprintf(reason, sizeof reason, "the object layer answered %ld", rc);
    /* the message data holds 132 bytes: the command, the expression (cut
    ** to 60) and the reason (cut to 62) */
    Issue('F', "PRC1810",
          Fixed(Trim(g.parsed.acName, 10), 10) + Fixed(TrimBlanks(text), 60) + Fixed(reason, 62));
}

} // namespace

void CheckedExpression::Take(const std::string &expressionText, const DC_EXPRESSION_REQUEST &request)
{
    text = expressionText;
    operands.clear();
    names.clear();
    operations.clear();
    for (int i = 0; i < request.sOperandCount; ++i) {
        const DC_EXPRESSION_OPERAND &in = request.aOperands[i];
        DQOO_CHECKED_OPERAND o{};
        const bool work = in.cWorkResult == 'Y';
        std::memcpy(o.achClass, work ? "  " : in.acClass, 2);
        o.chType = in.cType;
        o.lLength = in.lLength;
        o.lDecimals = in.sDecimals;
        const std::string written = TrimBlanks(std::string_view(in.acName, sizeof in.acName));
        const bool field = !work && std::memcmp(in.acClass, "FL", 2) == 0;
        o.pszName = names.emplace_back(field ? fieldName(written) : written).c_str();
        FFC_FIELD_DEFINITION def;
        if (field && LookUpFieldDefinition(written, def))
            o.ulFlags = flagsOf(def);
        /* a system variable the routine reads is a used field of the object */
        if (!work && std::memcmp(in.acClass, "SV", 2) == 0 && in.lLength > 0)
            RecordFieldUse(fieldName(written), "", "SV");
        operands.push_back(o);
    }
    for (int i = 0; i < request.sOperationCount; ++i) {
        const DC_OPERATION &in = request.aOperations[i];
        DQOO_CHECKED_OPERATION op{};
        op.sFirst = in.sFirst;
        std::memcpy(op.achCode, in.acCode, 2);
        op.sSecond = in.sSecond;
        op.sResult = in.sResult;
        operations.push_back(op);
    }
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

bool CheckCompiledCondition(const std::string &text)
{
    CheckedExpression e;
    if (!CheckConditionText(text, &e))
        return false;
    CompileCondition(e);
    return true;
}

void CompileCondition(const CheckedExpression &e)
{
    const DQOO_CHECKED_EXPRESSION view = e.View();
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_CONDITION;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    compile(request, e.text);
}

void CompileValue(const CheckedExpression &e, const std::vector<std::string> &targets, bool round)
{
    const DQOO_CHECKED_EXPRESSION view = e.View();
    const Targets fields(targets);
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_VALUE;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    request.ulTargetCount = static_cast<uint32_t>(fields.operands.size());
    request.pTargets = fields.operands.data();
    request.chRound = round ? 'Y' : 'N';
    compile(request, e.text);
}

void CompileSpecialValue(const std::string &value, const std::vector<std::string> &targets)
{
    const Targets fields(targets);
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_SPECIAL;
    request.ulTargetCount = static_cast<uint32_t>(fields.operands.size());
    request.pTargets = fields.operands.data();
    request.pszSpecialValue = value.c_str();
    compile(request, value);
}

void CompileWhenSubject(const CheckedExpression &e, uint32_t level)
{
    const DQOO_CHECKED_EXPRESSION view = e.View();
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_WHEN_SUBJECT;
    request.ulGroupLevel = level;
    request.ulExpressionCount = 1;
    request.pExpressions = &view;
    compile(request, e.text);
}

void CompileWhenTests(const std::vector<CheckedExpression> &values, uint32_t level)
{
    if (values.empty())
        return;
    std::vector<DQOO_CHECKED_EXPRESSION> views;
    std::string text;
    for (const CheckedExpression &e : values) {
        views.push_back(e.View());
        text += (text.empty() ? "" : " | ") + e.text;
    }
    DQOO_COMPILE_REQUEST request{};
    request.lForm = DQOO_COMPILE_WHEN_TEST;
    request.ulGroupLevel = level;
    request.ulExpressionCount = static_cast<uint32_t>(views.size());
    request.pExpressions = views.data();
    compile(request, text);
}

} // namespace checker
