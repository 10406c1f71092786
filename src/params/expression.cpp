/* The expression and condition check.
 *
 * The text is split into tokens (brackets, operands, operators); each
 * operand is resolved by the operand check; the operators are applied by
 * precedence (OR lowest, then AND, comparisons, + and -, * and / highest),
 * left to right within one level, brackets first.  Every operation is
 * listed with its operands and a work result, so that the generator can
 * write the evaluation in order.  Types are checked as the operations are
 * applied: arithmetic takes numbers, a comparison takes two operands of one
 * class, AND and OR take conditions. */
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "params/literal_key.h"
#include "params/operand_internal.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

using namespace dqov::operand;

namespace {

/* A token's text lies in the expression text, which outlives the check. */
struct Token {
    char cls[3]; /* "OB", "CB", "FL", "OP" */
    std::string_view text;
    std::string_view op; /* operator code */
    int position = 0;    /* from 1 */
    int operand = 0;     /* index into the operand table, from 1 */
};

struct Operand {
    std::string name;
    bool work = false;
    char type = ' ';
    char cls = ' ';
    std::string code = "  ";
    int32_t length = 0;
    int16_t decimals = 0;
    int32_t integerDigits = 0;
    bool literal = false;
    bool zeroLiteral = false;
};

int Precedence(std::string_view op)
{
    if (op == "OR")
        return 1;
    if (op == "AN")
        return 2;
    if (op == "EQ" || op == "NE" || op == "LT" || op == "LE" || op == "GT" || op == "GE")
        return 3;
    if (op == "AD" || op == "SU")
        return 4;
    if (op == "MU" || op == "DV")
        return 5;
    return 0;
}

/* Operator code of a word or symbol, "" when it is none: + - * / = <> ^= <
 * <= > >= EQ NE LT LE GT GE AND OR, in any case, a word with or without a
 * leading '*'. */
std::string_view OperatorCode(std::string_view w)
{
    if (!w.empty() && w[0] == '*' && w.size() > 1)
        w.remove_prefix(1);
    constexpr size_t kLongest = 3;
    if (w.empty() || w.size() > kLongest)
        return "";
    char upper[kLongest];
    for (size_t i = 0; i < w.size(); ++i)
        upper[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(w[i])));
    const std::string_view u(upper, w.size());
    if (u.size() == 1) {
        switch (u[0]) {
        case '+': return "AD";
        case '-': return "SU";
        case '*': return "MU";
        case '/': return "DV";
        case '=': return "EQ";
        case '<': return "LT";
        case '>': return "GT";
        default: return "";
        }
    }
    if (u.size() == 3)
        return u == "AND" ? "AN" : "";
    if (u == "<>" || u == "^=")
        return "NE";
    if (u == "<=")
        return "LE";
    if (u == ">=")
        return "GE";
    static constexpr std::string_view kWords[] = {"EQ", "NE", "LT", "LE", "GT", "GE", "OR"};
    for (std::string_view word : kWords)
        if (u == word)
            return word;
    return "";
}

/* The name of the work result of operation n: the prefix and n in three
 * digits or more. */
std::string WorkResultName(const std::string& prefix, int n)
{
    std::string name = prefix.substr(0, std::min<size_t>(6, prefix.find('\0')));
    std::string digits = std::to_string(n);
    if (digits.size() < 3)
        name.append(3 - digits.size(), '0');
    return name + digits;
}

/* The tables of an expression check, kept with their room from one check
 * to the next: a function checks thousands of short expressions, and each
 * would otherwise make and free its tables anew. A check made while one is
 * running (none is, today) makes its own. */
struct CheckTables {
    std::vector<Token> tokens;
    std::vector<Operand> operands;
    std::vector<DC_OPERATION> operations;
    std::vector<int> values;
    std::vector<const Token*> pending;
    bool lent = false;

    void SwapWith(CheckTables& other)
    {
        tokens.swap(other.tokens);
        operands.swap(other.operands);
        operations.swap(other.operations);
        values.swap(other.values);
        pending.swap(other.pending);
    }
    void Clear()
    {
        tokens.clear();
        operands.clear();
        operations.clear();
        values.clear();
        pending.clear();
    }
};

CheckTables& KeptTables()
{
    static CheckTables tables;
    return tables;
}

class ExpressionCheck {
public:
    ExpressionCheck(FFC_CONTEXT* ctx, const DC_CHECK_OPTIONS* options, DC_EXPRESSION_REQUEST* req, const char* queue,
                    bool issue, bool component)
        : ctx_(ctx), req_(req), queue_(queue), issue_(issue)
    {
        if (options)
            std::memcpy(opt_.options, options->acOptions, 8);
        opt_.component = component;
        if (req_->acWorkPrefix[0] != ' ' && req_->acWorkPrefix[0] != 0)
            prefix_.assign(req_->acWorkPrefix, 6);
        CheckTables& kept = KeptTables();
        if (!kept.lent) {
            kept.lent = borrowed_ = true;
            tables_.SwapWith(kept);
        }
    }
    ~ExpressionCheck()
    {
        if (!borrowed_)
            return;
        CheckTables& kept = KeptTables();
        tables_.Clear();
        tables_.SwapWith(kept);
        kept.lent = false;
    }
    ExpressionCheck(const ExpressionCheck&) = delete;
    ExpressionCheck& operator=(const ExpressionCheck&) = delete;

    void Run();
    const std::vector<Token>& Tokens() const { return tokens_; }
    const std::vector<Operand>& Operands() const { return operands_; }
    const std::vector<DC_OPERATION>& Operations() const { return operations_; }
    int Errors() const { return errors_; }
    int FirstPosition() const { return firstPosition_; }

private:
    void Finding(Msg msg, const std::string& data, int position) { Finding(dqov::MsgId(msg), data, position); }
    // a finding of the operand checker, by the id it gave
    void Finding(const char* id, const std::string& data, int position)
    {
        if (errors_++ == 0)
            firstPosition_ = position;
        if (issue_ && ctx_ && queue_)
            P9006_sQueueMessage(ctx_, queue_, id, static_cast<uint16_t>(data.size()), data.data());
    }
    // More operands or operations than the tables hold: one finding for
    // the expression, at the first that did not fit.
    void TooMany(int most, int position)
    {
        if (!tooMany_)
            Finding(Msg::ExpressionTooManyTokens, Signed7(most), position);
        tooMany_ = true;
    }
    bool Tokenise(std::string_view text);
    bool AddOperand(std::string_view text, int position);
    void AddToken(const char* cls, std::string_view text, std::string_view op, int position, int operand = 0);
    bool Parse();
    bool Apply(std::vector<int>& values, const Token& op);
    bool WhollyParenthesised() const;
    bool SizeResult(int final, char expected);

    FFC_CONTEXT* ctx_;
    DC_EXPRESSION_REQUEST* req_;
    const char* queue_;
    bool issue_;
    ResolveOptions opt_;
    std::string prefix_ = "@@@@@@";
    CheckTables tables_;
    bool borrowed_ = false;
    std::vector<Token>& tokens_ = tables_.tokens;
    std::vector<Operand>& operands_ = tables_.operands;
    std::vector<DC_OPERATION>& operations_ = tables_.operations;
    int errors_ = 0;
    int firstPosition_ = 0;
    bool tooMany_ = false;
};

void ExpressionCheck::AddToken(const char* cls, std::string_view text, std::string_view op, int position, int operand)
{
    Token t;
    std::memcpy(t.cls, cls, 3);
    t.text = text;
    t.op = op;
    t.position = position;
    t.operand = operand;
    tokens_.push_back(std::move(t));
}

bool ExpressionCheck::AddOperand(std::string_view text, int position)
{
    Resolution r = Resolve(ctx_, text, opt_);
    /* *NAVAIL and *DEFAULT are values a field is set to, never ones an
       expression computes with or compares: there is no not-available or
       default value of an operand to load, so they are refused where they
       stand */
    if (r.ok && r.kind == DC_OPERAND_SYSTEM_VARIABLE && (r.resolved == "*NAVAIL" || r.resolved == "*DEFAULT")) {
        r.ok = false;
        r.messageId = dqov::MsgId(Msg::OperandKindNotAllowed);
        r.data = Fixed(r.written, 20) + Fixed(r.code, 2);
    }
    if (!r.ok) {
        Finding(r.messageId, r.data, position);
        /* it still stands where an operand stands: the operator after it
           is read as one, not as a further operand of its own finding */
        AddToken("FL", text, "", position, 0);
        return false;
    }
    if (operands_.size() >= DC_OPERAND_MAX) {
        TooMany(DC_OPERAND_MAX, position);
        return false;
    }
    Operand o;
    o.name = std::move(r.written);
    o.type = r.type;
    o.cls = r.cls;
    o.code = r.code;
    o.length = r.length;
    o.decimals = r.decimals;
    o.integerDigits = r.integerDigits;
    o.literal =
        r.kind == DC_OPERAND_ALPHA_LITERAL || r.kind == DC_OPERAND_NUMERIC_LITERAL || r.kind == DC_OPERAND_HEX_LITERAL;
    o.zeroLiteral = r.kind == DC_OPERAND_NUMERIC_LITERAL && r.integerValue == 0 && r.fractionValue == 0;
    operands_.push_back(std::move(o));
    AddToken("FL", text, "", position, static_cast<int>(operands_.size()));
    return true;
}

bool ExpressionCheck::Tokenise(std::string_view text)
{
    const char point = ctx_ && ctx_->cDecimalPoint != 0 && ctx_->cDecimalPoint != ' ' ? ctx_->cDecimalPoint : '.';
    auto operandBefore = [&]() {
        return !tokens_.empty() &&
               (std::strcmp(tokens_.back().cls, "FL") == 0 || std::strcmp(tokens_.back().cls, "CB") == 0);
    };
    auto nameChar = [&](char c) {
        return dqov::text::IsAlnum(c) || c == '_' || c == '@' || c == '.' || c == point ||
               (ctx_ && c != ' ' && c != 0 && (c == ctx_->cNatChar1 || c == ctx_->cNatChar2 || c == ctx_->cNatChar3));
    };
    bool good = true;
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        int pos = static_cast<int>(i + 1);
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c == '(' || c == ')') {
            AddToken(c == '(' ? "OB" : "CB", text.substr(i, 1), "", pos);
            ++i;
            continue;
        }
        bool hex = (c == 'X' || c == 'x') && i + 1 < text.size() && text[i + 1] == '\'';
        if (c == '\'' || hex) {
            size_t j = i + (hex ? 2 : 1);
            bool closed = false;
            for (; j < text.size(); ++j) {
                if (text[j] != '\'')
                    continue;
                if (j + 1 < text.size() && text[j + 1] == '\'') {
                    ++j;
                    continue;
                }
                closed = true;
                break;
            }
            if (!closed) {
                Finding(Msg::ExpressionLiteralNotClosed, Signed7(pos), pos);
                return false;
            }
            good &= AddOperand(text.substr(i, j + 1 - i), pos);
            i = j + 1;
            continue;
        }
        /* a sign directly before a number where an operand is expected */
        bool sign = (c == '+' || c == '-') && !operandBefore() && i + 1 < text.size() &&
                    (std::isdigit(static_cast<unsigned char>(text[i + 1])) || text[i + 1] == point);
        if (std::isdigit(static_cast<unsigned char>(c)) || sign ||
            (c == point && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1])))) {
            size_t j = i + (sign ? 1 : 0);
            while (j < text.size() && nameChar(text[j]))
                ++j;
            good &= AddOperand(text.substr(i, j - i), pos);
            i = j;
            continue;
        }
        if (c == '*' && i + 1 < text.size() && std::isalpha(static_cast<unsigned char>(text[i + 1]))) {
            size_t j = i + 1;
            while (j < text.size() && nameChar(text[j]))
                ++j;
            std::string_view word = text.substr(i, j - i);
            std::string_view code = OperatorCode(word);
            if (operandBefore() && !code.empty())
                AddToken("OP", word, code, pos);
            else if (operandBefore()) {
                Finding(Msg::ExpressionOperandWithoutOperator, Fixed(word, 20) + Signed7(pos), pos);
                return false;
            } else
                good &= AddOperand(word, pos);
            i = j;
            continue;
        }
        if (nameChar(c)) {
            size_t j = i;
            while (j < text.size() && nameChar(text[j]))
                ++j;
            std::string_view word = text.substr(i, j - i);
            std::string_view code = OperatorCode(word);
            if (!code.empty() && std::isalpha(static_cast<unsigned char>(word[0])) && operandBefore())
                AddToken("OP", word, code, pos);
            else
                good &= AddOperand(word, pos);
            i = j;
            continue;
        }
        /* operator symbols */
        size_t j = i;
        if (std::strchr("+-*/", c)) {
            j = i + 1;
        } else {
            while (j < text.size() && std::strchr("<>=^!&|%?;:,\"$", text[j]) && text[j] != 0)
                ++j;
            if (j == i)
                j = i + 1;
        }
        std::string_view symbol = text.substr(i, j - i);
        std::string_view code = OperatorCode(symbol);
        if (code.empty()) {
            Finding(Msg::ExpressionOperatorUnknown, Fixed(symbol, 10) + Signed7(pos), pos);
            return false;
        }
        AddToken("OP", symbol, code, pos);
        i = j;
    }
    return good;
}

/* Applies one operator to the two topmost operand indexes. */
bool ExpressionCheck::Apply(std::vector<int>& values, const Token& op)
{
    int b = values.back();
    values.pop_back();
    int a = values.back();
    values.pop_back();
    /* (no operand is added while these are read) */
    const Operand &first = operands_[a - 1], &second = operands_[b - 1];
    const std::string_view code = op.op;
    Operand result;
    result.work = true;
    if (code == "AN" || code == "OR") {
        for (const Operand* o : {&first, &second})
            if (o->cls != 'L') {
                Finding(Msg::ExpressionResultWrongClass, std::string("L") + (o->cls == ' ' ? 'A' : o->cls),
                        op.position);
                return false;
            }
        result.cls = result.type = 'L';
        result.length = 1;
    } else if (Precedence(code) == 3) {
        if (first.cls == 'L' || second.cls == 'L' ||
            (first.cls != ' ' && second.cls != ' ' && first.cls != second.cls)) {
            Finding(Msg::ExpressionOperandTypesDiffer, Fixed(first.name, 20) + Fixed(second.name, 20), op.position);
            return false;
        }
        result.cls = result.type = 'L';
        result.length = 1;
    } else {
        for (const Operand* o : {&first, &second})
            if (o->cls != 'N' && o->cls != ' ') {
                Finding(Msg::ExpressionAlphanumericInArithmetic, Fixed(o->name, 20), op.position);
                return false;
            }
        if (code == "DV" && second.zeroLiteral) {
            Finding(Msg::ExpressionDivisionByZero, Signed7(op.position), op.position);
            return false;
        }
        int32_t i1 = first.length - first.decimals, i2 = second.length - second.decimals;
        int16_t d1 = first.decimals, d2 = second.decimals;
        int32_t digits;
        int16_t dec;
        if (code == "MU") {
            digits = i1 + i2;
            dec = static_cast<int16_t>(d1 + d2);
        } else if (code == "DV") {
            digits = i1 + d2;
            dec = static_cast<int16_t>(std::max<int32_t>({d1, d2, req_->lResultDecimals}));
        } else {
            digits = std::max(i1, i2) + 1;
            dec = std::max(d1, d2);
        }
        result.cls = 'N';
        result.type = 'P';
        result.length = std::min<int32_t>(digits + dec, 63);
        result.decimals = std::min<int16_t>(dec, static_cast<int16_t>(result.length));
    }
    if (operands_.size() >= DC_OPERAND_MAX || operations_.size() >= DC_OPERATION_MAX) {
        TooMany(DC_OPERAND_MAX, op.position);
        return false;
    }
    result.name = WorkResultName(prefix_, static_cast<int>(operations_.size() + 1));
    result.code = "FL";
    operands_.push_back(std::move(result));
    DC_OPERATION o;
    o.sFirst = static_cast<int16_t>(a);
    std::memcpy(o.acCode, code.data(), 2);
    o.sSecond = static_cast<int16_t>(b);
    o.sResult = static_cast<int16_t>(operands_.size());
    operations_.push_back(o);
    values.push_back(static_cast<int>(operands_.size()));
    return true;
}

bool ExpressionCheck::Parse()
{
    std::vector<int>& values = tables_.values;
    std::vector<const Token*>& ops = tables_.pending; /* operators and open brackets */
    values.clear();
    ops.clear();
    values.reserve(tokens_.size());
    ops.reserve(tokens_.size());
    bool expectOperand = true;
    const Token* lastOperator = nullptr;
    auto reduceWhile = [&](auto pred) {
        while (!ops.empty() && std::strcmp(ops.back()->cls, "OB") != 0 && pred(*ops.back())) {
            const Token* t = ops.back();
            ops.pop_back();
            if (!Apply(values, *t))
                return false;
        }
        return true;
    };
    for (const Token& t : tokens_) {
        const std::string_view cls = t.cls;
        if (cls == "FL") {
            if (!expectOperand) {
                Finding(Msg::ExpressionOperandWithoutOperator, Fixed(t.text, 20) + Signed7(t.position), t.position);
                return false;
            }
            values.push_back(t.operand);
            expectOperand = false;
        } else if (cls == "OB") {
            if (!expectOperand) {
                Finding(Msg::ExpressionOperandWithoutOperator, Fixed(t.text, 20) + Signed7(t.position), t.position);
                return false;
            }
            ops.push_back(&t);
        } else if (cls == "CB") {
            if (expectOperand) {
                const Token* before = lastOperator;
                if (before)
                    Finding(Msg::ExpressionOperatorWithoutOperand, Fixed(before->text, 10) + Signed7(before->position),
                            before->position);
                else
                    Finding(Msg::ExpressionEmpty, "", t.position);
                return false;
            }
            if (!reduceWhile([](const Token&) { return true; }))
                return false;
            if (ops.empty()) {
                Finding(Msg::ExpressionBracketClosesNothing, Signed7(t.position), t.position);
                return false;
            }
            ops.pop_back();
        } else {
            if (expectOperand) {
                Finding(Msg::ExpressionOperatorWithoutOperand, Fixed(t.text, 10) + Signed7(t.position), t.position);
                return false;
            }
            int p = Precedence(t.op);
            if (!reduceWhile([&](const Token& o) { return Precedence(o.op) >= p; }))
                return false;
            ops.push_back(&t);
            lastOperator = &t;
            expectOperand = true;
        }
    }
    if (tokens_.empty()) {
        Finding(Msg::ExpressionEmpty, "", 1);
        return false;
    }
    if (expectOperand) {
        /* the text ends where an operand is due: after an operator, or
           after an open bracket that nothing follows */
        if (lastOperator)
            Finding(Msg::ExpressionOperatorWithoutOperand,
                    Fixed(lastOperator->text, 10) + Signed7(lastOperator->position), lastOperator->position);
        else
            Finding(Msg::ExpressionBracketNotClosed, Signed7(ops.back()->position), ops.back()->position);
        return false;
    }
    if (!reduceWhile([](const Token&) { return true; }))
        return false;
    if (!ops.empty()) {
        Finding(Msg::ExpressionBracketNotClosed, Signed7(ops.back()->position), ops.back()->position);
        return false;
    }
    const Operand& final = operands_[values.back() - 1];
    char expected = req_->cExpectedType == 'L' || req_->cExpectedType == 'N' ? req_->cExpectedType : 'A';
    char found = final.cls == ' ' ? expected : final.cls;
    if (found != expected) {
        Finding(Msg::ExpressionResultWrongClass, std::string(1, expected) + found, 1);
        return false;
    }
    if (!SizeResult(values.back(), expected))
        return false;
    DC_OPERATION o;
    o.sFirst = static_cast<int16_t>(values.back());
    std::memcpy(o.acCode, expected == 'L' ? "IF" : expected == 'N' ? "ZA" : "MB", 2);
    o.sSecond = 0;
    o.sResult = 0;
    operations_.push_back(o);
    return true;
}

/* True when the first bracket closes at the last token: "( text )". */
bool ExpressionCheck::WhollyParenthesised() const
{
    if (tokens_.size() < 2 || std::strcmp(tokens_.front().cls, "OB") != 0)
        return false;
    int depth = 0;
    for (size_t i = 0; i < tokens_.size(); ++i) {
        if (std::strcmp(tokens_[i].cls, "OB") == 0)
            ++depth;
        else if (std::strcmp(tokens_[i].cls, "CB") == 0 && --depth == 0)
            return i + 1 == tokens_.size();
    }
    return false;
}

/* Sizes the value of the expression against the request's result length
 * and decimals.  A value that is one literal must fit the result.  The
 * last operation of a numeric expression writes straight into a work field
 * of the result's size; when the whole text stands in brackets every
 * operation keeps its full precision and only the final move (rounded when
 * the request asks for it) brings the value to the result's size, which is
 * how a caller widens an expression whose operands or products are larger
 * than the result. */
bool ExpressionCheck::SizeResult(int final, char expected)
{
    if (expected == 'L' || req_->lResultLength <= 0)
        return true;
    Operand& value = operands_[final - 1];
    if (value.literal) {
        Resolution r;
        r.written = value.name;
        r.cls = value.cls;
        r.length = value.length;
        r.decimals = value.decimals;
        r.integerDigits = value.integerDigits;
        if (!CheckFit(r, expected, req_->lResultLength, expected == 'N' ? req_->lResultDecimals : 0, true)) {
            Finding(r.messageId, r.data, tokens_.empty() ? 1 : tokens_.front().position);
            return false;
        }
        return true;
    }
    if (expected == 'N' && value.work && !WhollyParenthesised()) {
        value.length = std::min<int32_t>(req_->lResultLength, 63);
        value.decimals = static_cast<int16_t>(std::clamp<int32_t>(req_->lResultDecimals, 0, value.length));
    }
    return true;
}

void ExpressionCheck::Run()
{
    uint32_t n = req_->pchText ? req_->ulTextLength : 0;
    std::string_view text(req_->pchText ? req_->pchText : "", n);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0'))
        text.remove_suffix(1);
    /* room for the tokens, operands and operations of most expressions */
    tokens_.reserve(12);
    operands_.reserve(8);
    operations_.reserve(4);
    if (!Tokenise(text) || errors_)
        return;
    if (tokens_.size() > DC_TOKEN_MAX) {
        TooMany(DC_TOKEN_MAX, tokens_[DC_TOKEN_MAX].position);
        return;
    }
    Parse();
}

int32_t CheckExpression(FFC_CONTEXT* ctx, const DC_CHECK_OPTIONS* options, DC_EXPRESSION_REQUEST* req,
                        DC_OPERAND_LIST* list, int16_t issue, void* tokens, void* work, bool component,
                        const char* queue)
{
    if (!req)
        return 1;
    ExpressionCheck check(ctx, options, req, queue, issue != 0, component);
    check.Run();
    req->lError = check.Errors();
    req->lErrorPosition = check.FirstPosition();
    const auto& toks = check.Tokens();
    size_t nt = std::min<size_t>(toks.size(), DC_TOKEN_MAX);
    req->lTokenCount = static_cast<int32_t>(nt);
    if (tokens) {
        std::memset(tokens, ' ', DC_TOKEN_TABLE_SIZE);
        auto* table = static_cast<DC_TOKEN*>(tokens);
        for (size_t i = 0; i < nt; ++i) {
            DC_TOKEN t;
            std::memset(&t, ' ', sizeof t);
            std::memcpy(t.acClass, toks[i].cls, 2);
            t.sOperand = static_cast<int16_t>(toks[i].operand);
            if (!toks[i].op.empty())
                std::memcpy(t.acOperator, toks[i].op.data(), 2);
            t.sPosition = static_cast<int16_t>(toks[i].position);
            t.sPrecedence = static_cast<int16_t>(Precedence(toks[i].op));
            std::memcpy(&table[i], &t, sizeof t);
        }
    }
    const auto& ops = check.Operands();
    req->sOperandCount = static_cast<int16_t>(std::min<size_t>(ops.size(), DC_OPERAND_MAX));
    for (int i = 0; i < req->sOperandCount; ++i) {
        DC_EXPRESSION_OPERAND& o = req->aOperands[i];
        std::memset(o.acName, ' ', sizeof o.acName);
        std::memcpy(o.acName, ops[i].name.data(), std::min(ops[i].name.size(), sizeof o.acName));
        o.cWorkResult = ops[i].work ? 'Y' : 'N';
        o.cType = ops[i].type;
        std::memcpy(o.acClass, ops[i].code.data(), 2);
        o.lLength = ops[i].length;
        o.sDecimals = ops[i].decimals;
    }
    /* the names cut short are kept whole in the request's name area */
    size_t used = 0;
    for (int i = 0; i < req->sOperandCount; ++i) {
        const std::string& name = ops[i].name;
        req->asWholeStart[i] = 0;
        req->asWholeLength[i] = 0;
        if (name.size() <= sizeof req->aOperands[i].acName || name.size() > sizeof req->acWholeNames - used)
            continue;
        std::memcpy(req->acWholeNames + used, name.data(), name.size());
        req->asWholeStart[i] = static_cast<int16_t>(used);
        req->asWholeLength[i] = static_cast<int16_t>(name.size());
        used += name.size();
    }
    if (list) {
        list->sCount = req->sOperandCount;
        for (int i = 0; i < req->sOperandCount; ++i) {
            list->a[i].sLength = static_cast<int16_t>(ops[i].length);
            list->a[i].sDecimals = ops[i].decimals;
        }
    }
    const auto& opsList = check.Operations();
    req->sOperationCount = static_cast<int16_t>(std::min<size_t>(opsList.size(), DC_OPERATION_MAX));
    std::copy_n(opsList.begin(), req->sOperationCount, req->aOperations);
    if (work) {
        std::memset(work, 0, DC_TOKEN_TABLE_SIZE);
        size_t fit = std::min<size_t>(opsList.size(), DC_TOKEN_TABLE_SIZE / sizeof(DC_OPERATION));
        if (fit > 0)  // an expression without operations leaves the work table blank
            std::memcpy(work, opsList.data(), fit * sizeof(DC_OPERATION));
    }
    return req->lError;
}

}  // namespace

std::string dqov::literal::WholeOperandName(const DC_EXPRESSION_REQUEST* request, int index)
{
    if (!request || index < 0 || index >= request->sOperandCount || index >= DC_OPERAND_MAX ||
        request->asWholeLength[index] <= 0)
        return {};
    return std::string(request->acWholeNames + request->asWholeStart[index],
                       static_cast<size_t>(request->asWholeLength[index]));
}

/* The queue in which the expression check queues its findings. */
namespace dqov::expression {
char g_queue[10] = {'D', 'C', '_', 'P', '8', '0', '1', '5', ' ', ' '};
}

extern "C" {

void DC_SetExpressionQueue(const char* acQueue)
{
    if (!acQueue)
        return;
    size_t n = strnlen(acQueue, 10);
    std::memset(dqov::expression::g_queue, ' ', 10);
    std::memcpy(dqov::expression::g_queue, acQueue, n);
}

int32_t DC_P8015(FFC_CONTEXT* pContext, const DC_CHECK_OPTIONS* pOptions, DC_EXPRESSION_REQUEST* pRequest,
                 DC_OPERAND_LIST* pOperands, int16_t sValue, void* pTokens, void* pWork)
{
    return CheckExpression(pContext, pOptions, pRequest, pOperands, sValue, pTokens, pWork, false,
                           dqov::expression::g_queue);
}

int32_t Component_P8015(FFC_CONTEXT* pContext, const DC_CHECK_OPTIONS* pOptions, DC_EXPRESSION_REQUEST* pRequest,
                        DC_OPERAND_LIST* pOperands, int16_t sValue, void* pTokens, void* pWork, void*,
                        int16_t sComponent, int16_t)
{
    return CheckExpression(pContext, pOptions, pRequest, pOperands, sValue, pTokens, pWork, sComponent != 0,
                           dqov::expression::g_queue);
}

}  // extern "C"
