// Default-value routines: a routine of kind 140 per field with a default,
// whose one expression pushes the default as a constant and pulls it into
// the field.  Alpha defaults are string constants; packed and signed
// defaults are whole numbers pushed as decimals, or numbers with decimal
// places pushed from their packed image as doubles.

#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_compile_internal.h"
#include "platform/dqoo/dqoo_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// Opcodes of the instruction catalogue used here.
constexpr uint32_t kPushInt32ConstantAsDecimal = 6;
constexpr uint32_t kPushPackedConstantAsDouble = 20;
constexpr uint32_t kPushStringConstantAsString = 26;
constexpr uint32_t kPullPackedVectorFromDouble = 438;
constexpr uint32_t kPullPackedVectorFromDecimal = 445;
constexpr uint32_t kPullSignedVectorFromDouble = 502;
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

// A whole number of at most `digits` significant digits (leading zeros do
// not count: zero fits a field without integer digits), or false.
bool wholeNumber(const std::string& written, uint32_t digits, long long& value)
{
    const size_t i = written.size() > 0 && (written[0] == '-' || written[0] == '+') ? 1 : 0;
    if (i == written.size())
        return false;
    for (size_t k = i; k < written.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(written[k])))
            return false;
    const size_t first = std::min(written.find_first_not_of('0', i), written.size());
    const size_t significant = written.size() - first;
    if (significant > 9 || significant > digits)
        return false;
    value = significant == 0 ? 0 : std::stoll(written.substr(first));
    if (i == 1 && written[0] == '-')
        value = -value;
    return true;
}

// A number with decimal places that fits `digits` digits of which
// `decimals` decimals: its digits without the point, its decimal count and
// sign, or false.
bool decimalNumber(const std::string& written, uint32_t digits, uint32_t decimals, std::string& packed,
                   uint32_t& places, bool& negative)
{
    size_t i = written.size() > 0 && (written[0] == '-' || written[0] == '+') ? 1 : 0;
    negative = i == 1 && written[0] == '-';
    /* the point may stand first (".5"); a whole number of more digits than
       a whole constant holds comes here without one: its double holds up
       to 15 digits exactly */
    size_t point = written.find('.', i);
    if (point == std::string::npos) {
        if (written.size() - i > 15)
            return false;
        point = written.size();
    } else if (point + 1 == written.size()) {
        return false;
    }
    std::string whole = written.substr(i, point - i),
                fraction = point < written.size() ? written.substr(point + 1) : std::string();
    if (whole.empty() && fraction.empty())
        return false;
    for (const std::string* part : {&whole, &fraction})
        for (char c : *part)
            if (!std::isdigit(static_cast<unsigned char>(c)))
                return false;
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    if (fraction.size() > decimals || whole.size() + decimals > digits)
        return false;
    packed = (whole.empty() ? "" : whole) + fraction;
    if (packed.empty())
        packed = "0";
    places = static_cast<uint32_t>(fraction.size());
    return true;
}

// The packed image of the digits, each byte written "\xNN": the digits
// padded to an odd count on the left, then the sign nibble.
std::string packedImage(std::string nibbles, bool negative)
{
    if (nibbles.size() % 2 == 0)
        nibbles.insert(nibbles.begin(), '0');
    nibbles.push_back(negative ? 'D' : 'C');
    std::string text;
    for (size_t i = 0; i < nibbles.size(); i += 2)
        text.append("\\x").append(1, nibbles[i]).append(1, nibbles[i + 1]);
    return text;
}

/* The default-value routine of one expression, under its 'O' reference. */
void addDefaultRoutine(dqoo::ExpressionStore& store, EXPR_EXPRESSION* expression, uint32_t stack, char* pchReference)
{
    EXPR_PCODE_ROUTINE& routine = store.routines.emplace_back();
    std::memset(&routine, 0, sizeof routine);
    std::vector<EXPR_EXPRESSION*>& expressions = store.expressionArrays.emplace_back(1, expression);
    routine.kind = EXPR_ROUTINE_DEFAULT_VALUE;
    routine.number = dqoo::nextRoutineNumber(store);
    routine.operandStackSize = stack;
    routine.expressionCount = 1;
    routine.expressions = expressions.data();
    store.routineOrder.push_back(&routine);
    char digits[16];
    std::snprintf(digits, sizeof digits, "%07d", routine.number);
    const std::string key = std::string("O") + digits;
    store.references[key] = {&routine};
    pchReference[0] = 3;
    std::memcpy(pchReference + 1, key.data(), 8);
}

/* A default the plain forms below do not take (a field of the extended
** language, a special value other than blanks or zero, a number of more
** digits): assigned as CHANGE assigns the value, or refused when that
** cannot be done either. */
long generalDefault(const DQOO_DEFAULT_VALUE_REQUEST* pRequest, const std::string& field, const std::string& written,
                    char* pchReference)
{
    /* the request does not say whether the field may hold SQL null */
    if (upper(written) == "*SQLNULL")
        return DQOO_ERR_UNSUPPORTED;
    DQOO_CHECKED_OPERAND target{};
    std::memcpy(target.achClass, "FL", 2);
    target.chType = pRequest->chType;
    target.lLength = static_cast<int32_t>(pRequest->ulLength);
    target.lDecimals = static_cast<int32_t>(pRequest->ulDecimals);
    target.pszName = field.c_str();
    dqoo::ExpressionStore& store = dqoo::currentStore();
    try {
        uint32_t depth = 1;
        EXPR_EXPRESSION* expression = dqoo::compile::CompileDefaultValue(store, target, written, depth);
        addDefaultRoutine(store, expression, std::max<uint32_t>(depth, 1), pchReference);
        return DQOO_OK;
    } catch (const std::exception&) {
        return DQOO_ERR_UNSUPPORTED;
    }
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
    std::string text, packedDigits;
    long long number = 0;
    uint32_t places = 0;
    bool negative = false, fraction = false;
    if (alpha) {
        if (special == "*BLANK" || special == "*BLANKS")
            text.clear();
        else if (!literalText(written, text))
            return generalDefault(pRequest, field, written, pchReference);
        else if (text.size() > pRequest->ulLength)
            return DQOO_ERR_UNSUPPORTED;
    } else if (numeric) {
        if (special == "*ZERO" || special == "*ZEROS")
            number = 0;
        else if (wholeNumber(written, pRequest->ulLength - std::min(pRequest->ulLength, pRequest->ulDecimals), number))
            fraction = false;
        else if (decimalNumber(written, pRequest->ulLength, pRequest->ulDecimals, packedDigits, places, negative))
            fraction = true;
        else if (!written.empty() && written[0] == '*')
            return generalDefault(pRequest, field, written, pchReference);
        else
            return DQOO_ERR_UNSUPPORTED;
    } else {
        return generalDefault(pRequest, field, written, pchReference);
    }

    dqoo::ExpressionStore& store = dqoo::currentStore();
    EXPR_OPERAND_NODE& target = store.nodes.emplace_back();
    std::memset(&target, 0, sizeof target);
    target.kind = EXPR_NODE_FIELD;
    target.fieldRef = store.keepText(field);
    target.value = pRequest->ulLength;
    target.second = pRequest->ulDecimals;
    target.pullOperand = static_cast<int32_t>(pRequest->ulDecimals); /* the scale the value is stored with */

    EXPR_OPERAND_NODE& constant = store.nodes.emplace_back();
    std::memset(&constant, 0, sizeof constant);
    if (alpha) {
        constant.kind = EXPR_NODE_STRING_CONSTANT;
        constant.value = static_cast<uint32_t>(text.size());
        constant.maxLength = static_cast<int32_t>(pRequest->ulLength);
        constant.valueText = store.keepText(text);
    } else if (fraction) {
        const std::string digits = packedDigits.size() > places ? packedDigits.substr(0, packedDigits.size() - places)
                                                                : std::string("0");
        constant.kind = EXPR_NODE_DECIMAL_CONSTANT;
        constant.value = static_cast<uint32_t>(packedDigits.size());
        constant.second = places;
        constant.valueText = store.keepText((negative ? "-" : "") + digits +
                                            (places > 0 ? "." + packedDigits.substr(packedDigits.size() - places)
                                                        : std::string()));
        constant.packedText = store.keepText(packedImage(packedDigits, negative));
    } else {
        constant.kind = EXPR_NODE_INT32_CONSTANT;
        constant.value = static_cast<uint32_t>(static_cast<int32_t>(number));
        constant.valueText = store.keepText(std::to_string(number));
    }

    EXPR_OPERAND_NODE& push = store.nodes.emplace_back();
    std::memset(&push, 0, sizeof push);
    push.kind = EXPR_TAG_INSTRUCTION;
    push.opcode = alpha ? kPushStringConstantAsString : fraction ? kPushPackedConstantAsDouble : kPushInt32ConstantAsDecimal;
    push.operand = &constant;

    EXPR_OPERAND_NODE& pull = store.nodes.emplace_back();
    std::memset(&pull, 0, sizeof pull);
    pull.kind = EXPR_TAG_INSTRUCTION;
    const bool packed = pRequest->chType == 'P';
    pull.opcode = alpha      ? kPullAlphaVectorFromString
                  : fraction ? (packed ? kPullPackedVectorFromDouble : kPullSignedVectorFromDouble)
                             : (packed ? kPullPackedVectorFromDecimal : kPullSignedVectorFromDecimal);
    pull.operand = &target;

    EXPR_STATEMENT& assign = store.statements.emplace_back();
    std::memset(&assign, 0, sizeof assign);
    assign.kind = EXPR_STATEMENT_ASSIGNMENT;
    assign.operation = &pull;
    assign.source = &push; /* the value assigned is what the push leaves */

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
