// Default-value routines: a routine of kind 140 per field with a default,
// whose one expression pushes the default as a constant and pulls it into
// the field.  Alpha defaults are string constants; packed and signed
// defaults are whole numbers pushed as decimals.

#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Opcodes of the instruction catalogue used here.
constexpr uint32_t kPushInt32ConstantAsDecimal = 6;
constexpr uint32_t kPushStringConstantAsString = 26;
constexpr uint32_t kPullPackedVectorFromDecimal = 445;
constexpr uint32_t kPullSignedVectorFromDecimal = 509;
constexpr uint32_t kPullAlphaVectorFromString = 619;

std::string trimmed(const char* text)
{
    std::string s = text != nullptr ? text : "";
    s.erase(s.find_last_not_of(' ') + 1);
    s.erase(0, std::min(s.find_first_not_of(' '), s.size()));
    return s;
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// The text of a quoted literal ('' inside is one quote), or false.
bool literalText(const std::string& written, std::string& text)
{
    if (written.size() < 2 || written.front() != '\'' || written.back() != '\'')
        return false;
    text.clear();
    for (size_t i = 1; i + 1 < written.size(); ++i) {
        if (written[i] == '\'') {
            if (i + 2 >= written.size() || written[i + 1] != '\'')
                return false;
            ++i;
        }
        text.push_back(written[i]);
    }
    return true;
}

// A whole number of at most `digits` digits, or false.
bool wholeNumber(const std::string& written, uint32_t digits, long long& value)
{
    size_t i = written.size() > 0 && (written[0] == '-' || written[0] == '+') ? 1 : 0;
    if (i == written.size() || written.size() - i > 9 || written.size() - i > digits)
        return false;
    for (size_t k = i; k < written.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(written[k])))
            return false;
    value = std::stoll(written);
    return true;
}

}  // namespace

extern "C" long DQOO_FCC_PrepareDefaultValueRoutine(FCC_BUILD_HANDLE* pBuild,
                                                    const DQOO_DEFAULT_VALUE_REQUEST* pRequest, char* pchReference)
{
    if (pRequest == nullptr || pchReference == nullptr || pRequest->pszField == nullptr)
        return DQOO_ERR_ARGUMENT;
    if (dqoo::findBuild(pBuild) == nullptr)
        return DQOO_ERR_NO_BUILD;
    const std::string field = trimmed(pRequest->pszField);
    const std::string written = trimmed(pRequest->pszDefault);
    const std::string special = upper(written);
    if (field.empty() || written.empty())
        return DQOO_ERR_ARGUMENT;

    const bool alpha = pRequest->chType == 'A';
    const bool numeric = pRequest->chType == 'P' || pRequest->chType == 'S';
    std::string text;
    long long number = 0;
    if (alpha) {
        if (special == "*BLANK" || special == "*BLANKS")
            text.clear();
        else if (!literalText(written, text) || text.size() > pRequest->ulLength)
            return DQOO_ERR_UNSUPPORTED;
    } else if (numeric) {
        if (special == "*ZERO" || special == "*ZEROS")
            number = 0;
        else if (!wholeNumber(written, pRequest->ulLength - std::min(pRequest->ulLength, pRequest->ulDecimals), number))
            return DQOO_ERR_UNSUPPORTED;
    } else {
        return DQOO_ERR_UNSUPPORTED;
    }

    dqoo::ExpressionStore& store = dqoo::currentStore();
    EXPR_OPERAND_NODE& target = store.nodes.emplace_back();
    std::memset(&target, 0, sizeof target);
    target.kind = EXPR_NODE_FIELD;
    target.fieldRef = store.keepText(field);

    EXPR_OPERAND_NODE& constant = store.nodes.emplace_back();
    std::memset(&constant, 0, sizeof constant);
    if (alpha) {
        constant.kind = EXPR_NODE_STRING_CONSTANT;
        constant.value = static_cast<uint32_t>(text.size());
        constant.maxLength = static_cast<int32_t>(pRequest->ulLength);
        constant.valueText = store.keepText(text);
    } else {
        constant.kind = EXPR_NODE_INT32_CONSTANT;
        constant.value = static_cast<uint32_t>(static_cast<int32_t>(number));
        constant.valueText = store.keepText(std::to_string(number));
    }

    EXPR_OPERAND_NODE& push = store.nodes.emplace_back();
    std::memset(&push, 0, sizeof push);
    push.kind = EXPR_TAG_INSTRUCTION;
    push.opcode = alpha ? kPushStringConstantAsString : kPushInt32ConstantAsDecimal;
    push.operand = &constant;

    EXPR_OPERAND_NODE& pull = store.nodes.emplace_back();
    std::memset(&pull, 0, sizeof pull);
    pull.kind = EXPR_TAG_INSTRUCTION;
    pull.opcode = alpha ? kPullAlphaVectorFromString
                        : (pRequest->chType == 'P' ? kPullPackedVectorFromDecimal : kPullSignedVectorFromDecimal);
    pull.operand = &target;

    EXPR_STATEMENT& assign = store.statements.emplace_back();
    std::memset(&assign, 0, sizeof assign);
    assign.kind = EXPR_STATEMENT_ASSIGNMENT;
    assign.operation = &pull;
    assign.source = &constant;

    EXPR_VARIANT& variant = store.variants.emplace_back();
    std::vector<EXPR_STATEMENT*>& statements = store.statementArrays.emplace_back(1, &assign);
    variant.tag = EXPR_VARIANT_GENERIC;
    variant.statementCount = 1;
    variant.statements = statements.data();

    EXPR_EXPRESSION& expression = store.expressions.emplace_back();
    std::memset(&expression, 0, sizeof expression);
    std::vector<EXPR_OPERAND_NODE*>& code =
        store.nodeArrays.emplace_back(std::vector<EXPR_OPERAND_NODE*>{&push, &pull});
    std::vector<EXPR_VARIANT*>& variants = store.variantArrays.emplace_back(1, &variant);
    expression.instructionCount = 2;
    expression.instructions = code.data();
    expression.variantCount = 1;
    expression.variants = variants.data();

    EXPR_PCODE_ROUTINE& routine = store.routines.emplace_back();
    std::memset(&routine, 0, sizeof routine);
    std::vector<EXPR_EXPRESSION*>& expressions = store.expressionArrays.emplace_back(1, &expression);
    routine.kind = EXPR_ROUTINE_DEFAULT_VALUE;
    routine.number = dqoo::nextRoutineNumber(store);
    routine.operandStackSize = 1;
    routine.expressionCount = 1;
    routine.expressions = expressions.data();
    store.routineOrder.push_back(&routine);

    char digits[16];
    std::snprintf(digits, sizeof digits, "%07d", routine.number);
    const std::string key = std::string("O") + digits;
    store.references[key] = {&routine};
    pchReference[0] = 3;
    std::memcpy(pchReference + 1, key.data(), 8);
    return DQOO_OK;
}
