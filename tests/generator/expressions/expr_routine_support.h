// Test support for the evaluation routine writers: a writer that captures
// every line as (stream, indent, text) with its macro continuation, and
// builders of routine records beside the p-code builder of
// expr_test_support.h.
#ifndef TESTS_GENERATOR_EXPRESSIONS_EXPR_ROUTINE_SUPPORT_H
#define TESTS_GENERATOR_EXPRESSIONS_EXPR_ROUTINE_SUPPORT_H

#include "expr_test_support.h"

#include <algorithm>
#include <string>
#include <vector>

#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_routines.h"
#include "generator/expressions/expr_writer_services.h"

struct WrittenLine {
    uint32_t stream;
    uint16_t indent;
    std::string text;
    bool continued;  // written while the macro continuation was on
};

class CaptureWriter : public ExprWriterServices {
public:
    char target = 'C';
    uint32_t stream = 7;
    uint32_t header = 8;
    uint16_t indent = 3;
    int16_t depth = 0;
    bool macro = false;
    char sqlNullMode = 'N';
    char nameCharacter3 = '$';
    MapFieldDictionary dictionary;
    std::vector<WrittenLine> lines;
    std::vector<std::string> messages;  // "F PRC1008 <data>"
    std::vector<std::string> failures;  // object-layer failures
    std::string prefix;

    char TargetLanguage() const override { return target; }
    uint32_t OutputStream() const override { return stream; }
    uint16_t OutputIndent() const override { return indent; }
    void WriteLine(uint32_t s, uint16_t i, std::string_view text) override
    {
        lines.push_back({s, i, std::string(text), macro});
    }
    void SetLastIoStatusFlag() override {}
    void InternalError(std::string_view) override {}
    const ExprFieldDictionary& Fields() const override { return dictionary; }
    void SetOutputStream(uint32_t s) override { stream = s; }
    void SetOutputIndent(uint16_t i) override { indent = i; }
    int16_t OutputDepth() const override { return depth; }
    void SetOutputDepth(int16_t d) override { depth = d; }
    uint32_t HeaderStream() const override { return header; }
    uint32_t SourceStream() const override { return 7; }
    void SetMacroContinuation(bool on) override { macro = on; }
    /* A C literal of every byte: one that is no plain printable character
    ** as a hexadecimal escape that ends its piece of the literal. */
    void StringConstant(std::string_view text, std::string& reference, std::string& declared) override
    {
        static constexpr char kHex[] = "0123456789ABCDEF";
        reference = "\"";
        for (const unsigned char ch : text) {
            if (ch >= ' ' && ch < 0x7F && ch != '\\' && ch != '"' && ch != '?') {
                reference += static_cast<char>(ch);
                continue;
            }
            reference += "\\x";
            reference += kHex[ch >> 4];
            reference += kHex[ch & 0x0F];
            reference += "\"\"";
        }
        reference += "\"";
        declared = reference;
    }
    void SetTextLiteralPrefix(std::string_view p) override { prefix = p; }
    char SqlNullAssignMode() const override { return sqlNullMode; }
    char NameCharacter3() const override { return nameCharacter3; }
    void IssueMessage(char severity, std::string_view id, std::string_view data) override
    {
        messages.push_back(std::string(1, severity) + " " + std::string(id) + " " + std::string(data));
    }
    void ObjectLayerFailure(std::string_view service, long code) override
    {
        failures.push_back(std::string(service) + " " + std::to_string(code));
    }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const auto& l : lines)
            out.push_back(l.text);
        return out;
    }
    // The lines with their indent as leading blanks.
    std::vector<std::string> Indented() const
    {
        std::vector<std::string> out;
        for (const auto& l : lines)
            out.push_back(std::string(l.indent, ' ') + l.text);
        return out;
    }
    bool Has(const std::string& text) const
    {
        return std::any_of(lines.begin(), lines.end(), [&](const WrittenLine& l) { return l.text == text; });
    }
    void Clear() { lines.clear(); }
    // The lines of one stream, macro lines continued as the line writer
    // continues them.
    std::string StreamText(uint32_t stream) const
    {
        std::string out;
        for (const WrittenLine& l : lines)
            if (l.stream == stream)
                out += std::string(l.indent, ' ') + l.text + (l.continued ? " \\" : "") + "\n";
        return out;
    }
};

// Facts of a field of the dictionary of the tests.
inline ExprFieldFacts FieldFacts(const char* vector, char type, int32_t length, int32_t decimals = 0)
{
    ExprFieldFacts f;
    f.vectorName = vector;
    f.typeLetter = type;
    f.length = length;
    f.decimals = decimals;
    f.fieldClass = true;
    return f;
}

// Owns the records of routines built by hand: nodes and instructions (the
// p-code builder's), statements, variants, expressions and routines.
class RoutineBuilder {
public:
    PcodeBuilder code;

    EXPR_STATEMENT* Statement(int32_t kind, EXPR_OPERAND_NODE* operation, EXPR_OPERAND_NODE* result = nullptr,
                              EXPR_OPERAND_NODE* left = nullptr, EXPR_OPERAND_NODE* right = nullptr)
    {
        statements_.push_back(EXPR_STATEMENT{});
        EXPR_STATEMENT& s = statements_.back();
        s.kind = kind;
        s.operation = operation;
        s.result = result;
        s.left = left;
        s.right = right;
        return &s;
    }
    EXPR_VARIANT* Variant(uint32_t tag, std::vector<EXPR_STATEMENT*> statements)
    {
        statementLists_.push_back(std::move(statements));
        variants_.push_back(EXPR_VARIANT{});
        EXPR_VARIANT& v = variants_.back();
        v.tag = tag;
        v.statementCount = static_cast<uint32_t>(statementLists_.back().size());
        v.statements = statementLists_.back().data();
        return &v;
    }
    // An expression of the p-code instructions given (or all the builder's).
    EXPR_EXPRESSION* Expression(std::vector<EXPR_VARIANT*> variants, std::vector<EXPR_PCODE_INSTRUCTION*> instructions)
    {
        variantLists_.push_back(std::move(variants));
        instructionLists_.push_back(std::move(instructions));
        expressions_.push_back(EXPR_EXPRESSION{});
        EXPR_EXPRESSION& e = expressions_.back();
        e.variantCount = static_cast<uint32_t>(variantLists_.back().size());
        e.variants = variantLists_.back().data();
        e.instructionCount = static_cast<uint32_t>(instructionLists_.back().size());
        e.instructions = instructionLists_.back().data();
        return &e;
    }
    EXPR_ROUTINE* Routine(int32_t kind, int32_t number, std::vector<EXPR_EXPRESSION*> expressions, uint32_t stack = 2)
    {
        expressionLists_.push_back(std::move(expressions));
        routines_.push_back(EXPR_ROUTINE{});
        EXPR_ROUTINE& r = routines_.back();
        r.kind = kind;
        r.number = number;
        r.operandStackSize = stack;
        r.expressionCount = static_cast<uint32_t>(expressionLists_.back().size());
        r.expressions = expressionLists_.back().data();
        return &r;
    }

private:
    std::deque<EXPR_STATEMENT> statements_;
    std::deque<std::vector<EXPR_STATEMENT*>> statementLists_;
    std::deque<EXPR_VARIANT> variants_;
    std::deque<std::vector<EXPR_VARIANT*>> variantLists_;
    std::deque<std::vector<EXPR_PCODE_INSTRUCTION*>> instructionLists_;
    std::deque<EXPR_EXPRESSION> expressions_;
    std::deque<std::vector<EXPR_EXPRESSION*>> expressionLists_;
    std::deque<EXPR_ROUTINE> routines_;
};

#endif
