// Test support for the expression writers: a generator that captures every
// line as (stream, indent, text), a field dictionary held in a map, and
// builders for p-code records.
#ifndef TESTS_GENERATOR_EXPRESSIONS_EXPR_TEST_SUPPORT_H
#define TESTS_GENERATOR_EXPRESSIONS_EXPR_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "generator/expressions/expr_generator_services.h"
#include "generator/expressions/expr_operand.h"
#include "generator/expressions/expr_instruction_table.h"
#include "platform/dqoo/dqoo_pcode.h"

struct CapturedLine {
    uint32_t stream;
    uint16_t indent;
    std::string text;
};

class MapFieldDictionary : public ExprFieldDictionary {
public:
    std::map<std::string, ExprFieldFacts> fields;
    std::map<std::string, ExprFieldFacts> componentFields;

    bool FindField(const char* ref, ExprFieldFacts& facts) const override
    {
        auto it = fields.find(ref);
        if (it == fields.end())
            return false;
        facts = it->second;
        return true;
    }
    bool FindComponentField(const char* ref, ExprFieldFacts& facts) const override
    {
        auto it = componentFields.find(ref);
        if (it == componentFields.end())
            return false;
        facts = it->second;
        return true;
    }
    std::string ListFieldVectorRef(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const override
    {
        return std::string(node.listName ? node.listName : "") + "." + facts.vectorName;
    }
    std::string RecordFieldVectorRef(const EXPR_OPERAND_NODE& node, const ExprFieldFacts& facts) const override
    {
        return std::string(node.recordRef ? node.recordRef : "") + "." + facts.vectorName;
    }
};

class CaptureGenerator : public ExprGeneratorServices {
public:
    char target = 'C';
    uint32_t stream = 7;
    uint16_t indent = 3;
    char lastIoStatusFlag = 'N';
    int internalErrors = 0;
    MapFieldDictionary dictionary;
    std::vector<CapturedLine> lines;

    char TargetLanguage() const override { return target; }
    uint32_t OutputStream() const override { return stream; }
    uint16_t OutputIndent() const override { return indent; }
    void WriteLine(uint32_t s, uint16_t i, std::string_view text) override
    {
        lines.push_back({s, i, std::string(text)});
    }
    void SetLastIoStatusFlag() override { lastIoStatusFlag = 'Y'; }
    void InternalError(std::string_view) override { ++internalErrors; }
    void ReportError(std::string_view text) override { errors.emplace_back(text); }
    std::vector<std::string> errors;
    const ExprFieldDictionary& Fields() const override { return dictionary; }

    // The rows of the (single) table written: the lines between "{" and "};".
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> out;
        bool in = false;
        for (const auto& l : lines) {
            if (l.text == "};")
                break;
            if (in)
                out.push_back(l.text);
            if (l.text == "{")
                in = true;
        }
        return out;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const auto& l : lines)
            out.push_back(l.text);
        return out;
    }
};

// Owns the records of one p-code expression.
class PcodeBuilder {
public:
    EXPR_PCODE_ROUTINE routine{};

    explicit PcodeBuilder(int32_t kind = EXPR_ROUTINE_COMMAND, uint32_t stack = 2)
    {
        routine.kind = kind;
        routine.number = 1;
        routine.operandStackSize = stack;
    }
    EXPR_OPERAND_NODE* Node(int32_t kind)
    {
        nodes_.push_back(EXPR_OPERAND_NODE{});
        nodes_.back().kind = kind;
        return &nodes_.back();
    }
    EXPR_OPERAND_NODE* Field(const char* ref, int32_t pull = 0, uint32_t flags = 0)
    {
        EXPR_OPERAND_NODE* n = Node(EXPR_NODE_FIELD);
        n->fieldRef = ref;
        n->pullOperand = pull;
        n->flags = flags;
        return n;
    }
    EXPR_PCODE_INSTRUCTION* Instr(uint32_t opcode, EXPR_OPERAND_NODE* node = nullptr)
    {
        EXPR_OPERAND_NODE* i = Node(EXPR_TAG_INSTRUCTION);
        i->opcode = opcode;
        i->operand = node;
        list_.push_back(i);
        return i;
    }
    // A wrapper node: an instruction record standing as an operand.
    EXPR_OPERAND_NODE* Wrapper(uint32_t opcode, EXPR_OPERAND_NODE* wrapped)
    {
        EXPR_OPERAND_NODE* w = Node(EXPR_TAG_INSTRUCTION);
        w->opcode = opcode;
        w->operand = wrapped;
        return w;
    }
    ExprTableReport Write(ExprGeneratorServices& gen)
    {
        return EXPR_WriteInstructionTable(gen, routine, static_cast<uint32_t>(list_.size()), list_.data());
    }
    std::vector<EXPR_PCODE_INSTRUCTION*>& List() { return list_; }

private:
    std::deque<EXPR_OPERAND_NODE> nodes_;  // stable addresses
    std::vector<EXPR_PCODE_INSTRUCTION*> list_;
};

// "   %-65s %s" with the name and its comma.
/* A field's facts as the tests set them: its vector name, type letter,
** array mark and dispatch operation; the rest keep their defaults. */
inline ExprFieldFacts FieldFacts(std::string vectorName, char typeLetter, bool isArray, int32_t dispatchOp)
{
    ExprFieldFacts facts;
    facts.vectorName = std::move(vectorName);
    facts.typeLetter = typeLetter;
    facts.isArray = isArray;
    facts.dispatchOp = dispatchOp;
    return facts;
}

inline std::string CRowOf(const std::string& name, const std::string& operand)
{
    char buf[512];
    std::snprintf(buf, sizeof buf, "   %-65s %s", (name + ",").c_str(), operand.c_str());
    return buf;
}
// "   0x%08X %-65s %s" with the commented name; tight drops the blank before the comma.
inline std::string CsRowOf(unsigned number, const std::string& name, const std::string& operand, bool tight = false)
{
    char buf[512];
    std::string field = "/* " + name + (tight ? " */," : " */ ,");
    std::snprintf(buf, sizeof buf, "   0x%08X %-65s %s", number, field.c_str(), operand.c_str());
    return buf;
}

// Base of the table tests: writes one table from a builder's instructions in
// the given target and keeps the rows and the writer's report.
class ExprTableTest : public ::testing::Test {
protected:
    std::vector<std::string> RowsIn(char target, PcodeBuilder& b)
    {
        gen.lines.clear();
        gen.target = target;
        report = b.Write(gen);
        return gen.Rows();
    }
    CaptureGenerator gen;
    ExprTableReport report;
};

#endif
