// Operand, value and condition checks of the handlers through the parameter
// subsystem's checks, in the classic flavour for functions and the
// component flavour in component runs and extended-language functions.
#include "checker/operand_checks.h"

#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/usage.h"
#include "params/fixed_text.h"
#include "params/operand_internal.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/messages.h"

namespace checker {

namespace {

using dqov::text::TrimBlanks;

// An operand refused because the field it names is not defined: the
// finding stands at its line, so the final field check passes over it.
void NoteUndefinedField(const std::string& operand)
{
    std::string field = FieldOf(operand);
    char type = ' ';
    int32_t length = 0, decimals = 0;
    if (field.empty() || LookUpField(field, type, length, decimals))
        return;
    NoteFieldReported(field);
}

// The function's process and name as the check blocks hold them, ten
// characters each, blank-padded (made when the run names them).
const char* PaddedProcessAndFunction()
{
    return G().paddedNames;
}

bool ComponentFlavour()
{
    const FFC_CONTEXT* ctx = G().ctx;
    return ctx && (ctx->lComponentRun || ctx->lComponentExpressions || ctx->lLanguageLevelTwo);
}

// A quoted literal longer than the operand block holds: the same
// resolution and fit as the block's check, its findings queued and shown
// as that check's are.
OperandInfo CheckLongLiteral(const std::string& text, const char* options, char typeClass, int32_t length,
                             int32_t decimals)
{
    Globals& g = G();
    dqov::operand::ResolveOptions opt;
    std::memcpy(opt.options, options, 8);
    opt.component = ComponentFlavour();
    dqov::operand::Resolution r = dqov::operand::Resolve(g.ctx, text, opt);
    if (r.ok)
        dqov::operand::CheckFit(r, typeClass, length, decimals, length > 0);
    OperandInfo info;
    if (!r.ok) {
        if (g.ctx)
            P9006_sQueueMessage(g.ctx, g.msgQueue, r.messageId, static_cast<uint16_t>(r.data.size()),
                                r.data.data());
        P3100_ReplayQueuedMessages();
        return info;
    }
    info.valid = true;
    info.type = r.type;
    info.typeClass = P3100_chTypeClass(r.type);
    info.length = r.length;
    info.decimals = r.decimals;
    info.resolved = r.resolved;
    return info;
}

OperandInfo P3100_sCheckOperand(const std::string& operand, const char* options, char typeClass, int32_t length,
                                int32_t decimals)
{
    Globals& g = G();
    OperandInfo info;
    // the operand without its outer blanks, read where it lies
    const std::string_view text = dqov::text::TrimmedBlanks(operand);
    if (text.empty())
        return info;
    if (text.size() > DC_OPERAND_TEXT_SIZE) {
        // An alphanumeric literal as long as the longest field, with its
        // quotes (and doubled quotes inside), runs past the operand block:
        // it is resolved and fitted from its whole text.
        if (text[0] == '\'')
            return CheckLongLiteral(std::string(text), options, typeClass, length, decimals);
        // Longer than any operand can be: refused as it stands, never cut
        // into something that might pass.
        Issue(Msg::FieldNotUsableHere, text.substr(0, 50));
        return info;
    }
    DC_OPERAND_BLOCK block;
    std::memset(&block, ' ', sizeof block);
    std::memcpy(block.acOperand, text.data(), text.size());
    block.usOperandLength = static_cast<uint16_t>(text.size());
    block.cTypeClass = typeClass;
    block.lLength = length;
    block.lDecimals = decimals;
    block.cFlag = 'Y';
    std::memcpy(block.acOptions, options, 8);
    std::memcpy(block.acSourceKind, "DC@F23", 6);
    const char* names = PaddedProcessAndFunction();
    std::memcpy(block.acProcess, names, 10);
    std::memcpy(block.acFunction, names + 10, 10);
    block.lResultLength = 0;
    block.sResultDecimals = block.sOperandKind = block.sLocal = 0;
    block.lIntegerValue = block.lFractionValue = 0;
    int16_t checkSize = length > 0 ? 1 : 0;
    int16_t rc = ComponentFlavour() ? Component_P8007(g.ctx, &block, g.msgQueue, 1, 1, checkSize, 1)
                                    : DC_P8007(g.ctx, &block, g.msgQueue, 1, 1, checkSize, 0);
    P3100_ReplayQueuedMessages();
    info.valid = rc == 0 && block.cValid == 'Y';
    if (!info.valid) {
        NoteUndefinedField(std::string(text));
        return info;
    }
    info.type = block.cTypeCode;
    info.typeClass = P3100_chTypeClass(block.cTypeCode);
    info.length = block.lResultLength;
    info.decimals = block.sResultDecimals;
    info.field = block.sOperandKind == DC_OPERAND_FIELD;
    info.resolved = TrimBlanks(std::string_view(block.acResolved, DC_OPERAND_TEXT_SIZE));
    return info;
}

// How a check's findings reach the command: not at all, replayed as they
// are, or under the command's own message given before them.
struct Reporting {
    bool report;
    const dqov::Msg* msg;
    std::string_view data;

    static Reporting None() { return {false, nullptr, {}}; }
    static Reporting Replayed() { return {true, nullptr, {}}; }
    static Reporting Under(const dqov::Msg& msg, std::string_view data) { return {true, &msg, data}; }
};

ExpressionShape RunExpressionCheck(const std::string& text, char type, int32_t length, int32_t decimals,
                                   const Reporting& reporting, CheckedExpression* accepted = nullptr)
{
    const bool report = reporting.report;
    Globals& g = G();
    // the text without its outer blanks: most texts have none, and are
    // checked where they lie
    const std::string_view trimmed = dqov::text::TrimmedBlanks(text);
    std::string trimmedCopy;
    if (trimmed.size() != text.size())
        trimmedCopy.assign(trimmed);
    const std::string& expression = trimmed.size() != text.size() ? trimmedCopy : text;
    // The check fills the operand and operation tables up to their counts,
    // which is all that is read of them: only the request's head is set
    // beforehand. The work area, token table and operand list belong to the
    // generator's evaluation set-up; the checker reads none of them.
    DC_EXPRESSION_REQUEST request;
    std::memset(&request, 0, offsetof(DC_EXPRESSION_REQUEST, aOperands));
    request.pchText = expression.c_str();
    request.ulTextLength = static_cast<uint32_t>(expression.size());
    std::memcpy(request.acWorkPrefix, "@@@@@@", 6);
    request.cExpectedType = type;
    std::memcpy(request.acResultClass, "FL", 2);
    request.lResultLength = length;
    request.lResultDecimals = decimals;
    std::memcpy(request.acCaller, "DC_P3100  ", 10);
    std::memcpy(request.acRound, "*NO ", 4);
    DC_CHECK_OPTIONS options;
    std::memset(&options, ' ', sizeof options);
    std::memset(options.acOptions, 'Y', 8);
    std::memcpy(options.acMsgFile, "DC@F23", 6);
    const char* names = PaddedProcessAndFunction();
    std::memcpy(options.acProcess, names, 10);
    std::memcpy(options.acFunction, names + 10, 10);
    options.lReserved = 0;
    DC_SetExpressionQueue(g.msgQueue);
    int16_t issue = report ? 1 : 0;
    int32_t error = ComponentFlavour()
                        ? Component_P8015(g.ctx, &options, &request, nullptr, issue, nullptr, nullptr, g.state, 1, 0)
                        : DC_P8015(g.ctx, &options, &request, nullptr, issue, nullptr, nullptr);
    ExpressionShape shape;
    shape.valid = error == 0;
    if (report && !shape.valid && reporting.msg)
        Issue(*reporting.msg, reporting.data);
    if (report)
        P3100_ReplayQueuedMessages();
    if (shape.valid && accepted)
        accepted->Take(expression, request);
    if (report && !shape.valid)
        for (const std::string& name : ExpressionFields(expression))
            NoteUndefinedField(name);
    // More than the final move means an operation; an operand that is no
    // literal names something of the function or the run.
    shape.computes = request.sOperationCount > 1;
    for (int i = 0; i < request.sOperandCount && !shape.namesOperand; ++i) {
        const char* code = request.aOperands[i].acClass;
        shape.namesOperand = request.aOperands[i].cWorkResult != 'Y' && std::memcmp(code, "AL", 2) != 0 &&
                             std::memcmp(code, "NL", 2) != 0 && std::memcmp(code, "HL", 2) != 0;
    }
    return shape;
}

}  // namespace

OperandInfo CheckOperandValue(const std::string& operand, char typeClass, int32_t length, int32_t decimals)
{
    return P3100_sCheckOperand(operand, "YYYYYYYY", typeClass, length, decimals);
}

OperandInfo CheckFieldOperand(const std::string& operand, char typeClass)
{
    return P3100_sCheckOperand(operand, "NNNNYNNN", typeClass, 0, 0);
}

OperandInfo CheckNumericField(const std::string& operand, Msg msg, std::string_view data)
{
    OperandInfo info = CheckFieldOperand(operand);
    if (info.valid && info.typeClass != 'N') {
        Issue(msg, data);
        info.valid = false;
    }
    return info;
}

bool CheckConditionText(const std::string& text, CheckedExpression* accepted)
{
    return RunExpressionCheck(text, 'L', 0, 0, Reporting::Replayed(), accepted).valid;
}

bool CheckConditionTextAs(const std::string& text, Msg msg, std::string_view data, CheckedExpression* accepted)
{
    return RunExpressionCheck(text, 'L', 0, 0, Reporting::Under(msg, data), accepted).valid;
}

bool AcceptConditionText(const std::string& text, CheckedExpression* accepted)
{
    return RunExpressionCheck(text, 'L', 0, 0, Reporting::None(), accepted).valid;
}

bool CheckExpressionText(const std::string& text, char type, int32_t length, int32_t decimals,
                         CheckedExpression* accepted)
{
    return RunExpressionCheck(text, type, length, decimals, Reporting::Replayed(), accepted).valid;
}

ExpressionShape ExpressionShapeOf(const std::string& text, char type, int32_t length, int32_t decimals)
{
    return RunExpressionCheck(text, type, length, decimals, Reporting::None());
}

bool LookUpFieldDefinition(std::string_view name, FFC_FIELD_DEFINITION& def)
{
    Globals& g = G();
    std::string_view n = dqov::text::TrimmedBlanks(name);
    if (!n.empty() && g.ctx && n[0] == g.ctx->cNatChar1)
        n.remove_prefix(1);
    if (n.empty() || n.size() > 10)
        return false;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, n.data(), n.size());
    char local = 'N';
    char found = dqov::operand::LookUpDefinition(g.ctx, ComponentFlavour(), def, &local);
    return found == '0';
}

bool LookUpField(const std::string& name, char& type, int32_t& length, int32_t& decimals)
{
    FFC_FIELD_DEFINITION def;
    if (!LookUpFieldDefinition(name, def))
        return false;
    type = def.cType;
    length = def.lLength;
    decimals = def.lDecimals;
    return true;
}

void CheckEntryValues(const char* keyword)
{
    for (const std::string& v : FieldEntries(keyword))
        CheckOperandValue(v);
}

void CheckFieldEntries(const char* keyword)
{
    for (const std::string& v : FieldEntries(keyword))
        CheckFieldOperand(v);
}

}  // namespace checker
