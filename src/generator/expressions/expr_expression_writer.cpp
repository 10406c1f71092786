/*
** expr_expression_writer.cpp: one expression of a routine in its variant
** frame, and its p-code path: the static operand declarations, the operand
** table and the instruction table.
**
** The variants come in the order 52 (iSeries), 51 (no 64-bit long
** constants), 50 (generic); each stands in its own preprocessor branch. A
** generic variant leaves the p-code path as dead text; without one the
** p-code path is the branch of the other platforms, or the code itself.
*/
#include <algorithm>
#include <vector>

#include "generator/expressions/expr_direct_code.h"
#include "generator/expressions/expr_instruction_table.h"
#include "generator/expressions/expr_opcode_traits.h"
#include "generator/expressions/expr_operand_info.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr uint32_t kPushPacked31 = 16, kPushPacked63 = 17, kPushDecimal = 18, kPushFloat64 = 25;

void blockOpen(ExprWriterServices& gen)
{
    gen.Line("{");
    gen.SetOutputIndent(static_cast<uint16_t>(gen.OutputIndent() + 3));
}

void blockClose(ExprWriterServices& gen)
{
    gen.SetOutputIndent(static_cast<uint16_t>(gen.OutputIndent() >= 3 ? gen.OutputIndent() - 3 : 0));
    gen.Line("}");
}

/* A variant's code; in the C# pass the lines recorded for it. */
void writeVariant(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression, EXPR_VARIANT& variant,
                  bool block, const std::vector<ExprCsVariantLine>& csLines)
{
    if (block)
        blockOpen(gen);
    if (gen.CSharp()) {
        const uint16_t indent = gen.OutputIndent();
        for (const ExprCsVariantLine& line : csLines)
            gen.LineAt(gen.OutputStream(), static_cast<uint16_t>(std::max<int32_t>(indent + line.step, 0)), line.text);
    } else {
        EXPR_WriteVariantCode(gen, routine, expression, variant, gen.OutputStream(), gen.OutputIndent());
    }
    if (block)
        blockClose(gen);
}

bool isBooleanKind(int32_t kind)
{
    return kind == EXPR_ROUTINE_BOOLEAN || kind == EXPR_ROUTINE_BOOLEAN_SUBJECT || kind == EXPR_ROUTINE_WHEN_TEST;
}

std::string hex8(uint32_t value)
{
    return EXPR_Format("0x%08X", value);
}

/* The buffer the declarator lines are formatted into, kept between
** declarations. */
std::string& declaratorLine()
{
    static std::string line;
    return line;
}

/* The declarator line begun: "   operand<k> = ", in the kept buffer, for
** the caller to append the rest to. */
std::string& declaratorOf(uint32_t k)
{
    return declaratorLine().assign("   operand").append(ExprDigits(k)).append(" = ");
}

/* Two lines: the type, then the declarator (formatted three blanks in). */
void declare(ExprWriterServices& gen, std::string_view type, std::string_view declarator)
{
    gen.Line(type);
    gen.Line(declarator);
}

void declarePacked(ExprWriterServices& gen, uint32_t k, const EXPR_OPERAND_NODE& node)
{
    const char* packed = EXPR_PackedText(&node) != nullptr ? EXPR_PackedText(&node) : "";
    const long bytes = static_cast<long>(std::string_view(packed).size() / 4);
    /* "<kind>, <bytes>, <scale>, \"<packed digits>\"" */
    const auto tail = [&](std::string& line) -> std::string& {
        return line.append("X_VAR_HEADER_KIND_FACTOR_DECIMAL_PACKED, ")
            .append(ExprDigits(bytes))
            .append(", ")
            .append(ExprDigits(static_cast<long>(node.second)))
            .append(", \"")
            .append(packed)
            .append("\"");
    };
    if (gen.CSharp()) {
        declare(gen, "X_VAR_FACTOR_DECIMAL_PACKED",
                tail(declaratorOf(k).append("new X_VAR_FACTOR_DECIMAL_PACKED( X_VAR.")).append(" );"));
        return;
    }
    declare(gen, "static const X_VAR_FACTOR_DECIMAL_PACKED", tail(declaratorOf(k).append("{ ")).append(" };"));
}

/* The declaration of one counted operand. */
void declareOperand(ExprWriterServices& gen, uint32_t k, uint32_t opcode, EXPR_OPERAND_NODE& node)
{
    const bool cs = gen.CSharp();
    /* the node's own texts, read in place */
    const std::string_view value = node.valueText != nullptr ? node.valueText : "";
    const std::string_view packed = EXPR_PackedText(&node) != nullptr ? EXPR_PackedText(&node) : "";
    const long bytes = static_cast<long>(packed.size() / 4);
    switch (node.kind) {
    case EXPR_NODE_INT32_CONSTANT:
        if (cs)
            declare(gen, "X_VAR_FACTOR_LONG",
                    declaratorOf(k)
                        .append("new X_VAR_FACTOR_LONG( X_VAR.X_VAR_HEADER_KIND_FACTOR_LONG, ")
                        .append(value)
                        .append(" );"));
        else
            declare(gen, "static const X_VAR_FACTOR_LONG",
                    declaratorOf(k).append("{ X_VAR_HEADER_KIND_FACTOR_LONG, ").append(value).append(" };"));
        return;
    case EXPR_NODE_DECIMAL_CONSTANT:
        if (opcode == kPushPacked31 || opcode == kPushPacked63 || opcode == kPushDecimal) {
            declarePacked(gen, k, node);
        } else if (opcode == kPushFloat64) {
            /* C#: the double factor is constructed as what it is declared */
            if (cs)
                declare(gen, "X_VAR_FACTOR_DOUBLE",
                        EXPR_FormatInto(
                            declaratorLine(),
                            "   operand%u = new X_VAR_FACTOR_DOUBLE( X_VAR.X_VAR_HEADER_KIND_FACTOR_DOUBLE, %s );", k,
                            value.data()));
            else
                declare(gen, "static const X_VAR_FACTOR_DOUBLE",
                        EXPR_FormatInto(declaratorLine(), "   operand%u = { X_VAR_HEADER_KIND_FACTOR_DOUBLE, %s };", k,
                                        value.data()));
        } else if (cs) {
            gen.Line(
                EXPR_Format("X_VAR_FACTOR_DECIMAL_DOUBLE operand%u = X_VAR.X_VAR_RESOLVE_FACTOR_AS_DECIMAL_DOUBLE( "
                            "%ld, %ld, %s, \"%s\" );",
                            k, bytes, static_cast<long>(node.second), value.data(), packed.data()));
        } else {
            gen.Line(EXPR_Format("X_VAR_RESOLVE_FACTOR_AS_DECIMAL_DOUBLE( operand%u, %ld, %ld, %s, \"%s\" )", k, bytes,
                                 static_cast<long>(node.second), value.data(), packed.data()));
        }
        return;
    case EXPR_NODE_STRING_CONSTANT: {
        std::string reference, declared;
        gen.StringConstant(EXPR_StringConstantText(&node), reference, declared);
        const bool fixed = static_cast<int32_t>(node.value) == node.maxLength;
        const std::string length =
            fixed ? std::to_string(node.value)
                  : EXPR_Format(cs ? "X_DEFS.X_RESOLVE_VARCHAR_LENGTH( %u, %d )" : "X_RESOLVE_VARCHAR_LENGTH( %u, %d )",
                                node.value, node.maxLength);
        if (!cs) {
            declare(gen, "static const X_VAR_FACTOR_STRING",
                    declaratorOf(k)
                        .append("{ X_VAR_HEADER_KIND_FACTOR_STRING, ")
                        .append(length.c_str())
                        .append(", ")
                        .append(reference.c_str())
                        .append(" };"));
            return;
        }
        gen.Line("X_VAR_FACTOR_STRING");
        gen.Line(EXPR_Format("   operand%u = new X_VAR_FACTOR_STRING();", k));
        gen.Line("");
        gen.Line(
            EXPR_Format("operand%u.ulHeaderKind = %s /* X_VAR_HEADER_KIND_FACTOR_STRING */;", k, hex8(0x900).c_str()));
        gen.Line(EXPR_Format("operand%u.lSize        = %s;", k, length.c_str()));
        gen.Line(EXPR_Format("operand%u.pvchValue    = %s;\n", k, declared.c_str()));
        return;
    }
    case EXPR_NODE_BOOLEAN_CONSTANT: {
        const long b = node.booleanValue != nullptr ? *node.booleanValue : 0;
        if (cs)
            declare(gen, "X_VAR_FACTOR_LONG",
                    declaratorOf(k)
                        .append("new X_VAR_FACTOR_LONG( X_VAR.X_VAR_HEADER_KIND_FACTOR_BOOLEAN, ")
                        .append(ExprDigits(b))
                        .append(" );"));
        else
            declare(gen, "static const X_VAR_FACTOR_LONG",
                    declaratorOf(k).append("{ X_VAR_HEADER_KIND_FACTOR_BOOLEAN, ").append(ExprDigits(b)).append(" };"));
        return;
    }
    case EXPR_NODE_PACKED_CONSTANT: declarePacked(gen, k, node); return;
    case EXPR_NODE_SYSTEM_VARIABLE: {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(gen.Fields(), d, &node);
        if (cs)
            declare(gen, "X_VAR_FACTOR_SYSVAR_EVALUATION",
                    declaratorOf(k)
                        .append("new X_VAR_FACTOR_SYSVAR_EVALUATION( X_VAR.X_VAR_HEADER_KIND_FACTOR_SYSVAR_EVALUATION, "
                                "null, ")
                        .append(d.text.c_str())
                        .append(", \"")
                        .append(d.systemVariable.c_str())
                        .append("\" );"));
        else
            declare(gen, "static const X_VAR_FACTOR_SYSVAR_EVALUATION",
                    declaratorOf(k)
                        .append("{ X_VAR_HEADER_KIND_FACTOR_SYSVAR_EVALUATION, NULL, ")
                        .append(d.text.c_str())
                        .append(", \"")
                        .append(d.systemVariable.c_str())
                        .append("\" };"));
        return;
    }
    case EXPR_NODE_INT64_CONSTANT:
        if (cs)
            gen.Line(EXPR_Format("X_VAR_FACTOR_LONGLONG operand%u = X_VAR.X_VAR_RESOLVE_FACTOR_AS_LONGLONG( %ld, "
                                 "%sL, \"%s\" );",
                                 k, bytes, value.data(), packed.data()));
        else
            gen.Line(EXPR_Format("X_VAR_RESOLVE_FACTOR_AS_LONGLONG( operand%u, %ld, LL_CONST( %s ), \"%s\" )", k, bytes,
                                 value.data(), packed.data()));
        return;
    case EXPR_NODE_LIST_FIELD: {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(gen.Fields(), d, &node);
        if (cs)
            declare(
                gen, "X_VAR_FACTOR_LIST_VECTOR",
                declaratorOf(k)
                    .append("new X_VAR_FACTOR_LIST_VECTOR( X_VAR.X_VAR_HEADER_KIND_FACTOR_LIST_FIELD_VECTOR, null, ")
                    .append(d.listReference.c_str())
                    .append(", ")
                    .append(d.text.c_str())
                    .append(" );"));
        else
            declare(gen, "static const X_VAR_FACTOR_LIST_VECTOR",
                    declaratorOf(k)
                        .append("{ X_VAR_HEADER_KIND_FACTOR_LIST_FIELD_VECTOR, NULL, ")
                        .append(d.listReference.c_str())
                        .append(", ")
                        .append(d.text.c_str())
                        .append(" };"));
        return;
    }
    case EXPR_NODE_INT32_LOVAL:
        if (cs)
            declare(gen, "X_VAR_FACTOR_LONG",
                    EXPR_FormatInto(
                        declaratorLine(),
                        "   operand%u = new X_VAR_FACTOR_LONG( X_VAR.X_VAR_HEADER_KIND_FACTOR_LONG, X_INT32_LOVAL );",
                        k));
        else
            declare(gen, "static const X_VAR_FACTOR_LONG",
                    EXPR_FormatInto(declaratorLine(),
                                    "   operand%u = { X_VAR_HEADER_KIND_FACTOR_LONG, X_INT32_LOVAL };", k));
        return;
    case EXPR_NODE_INT64_LOVAL:
        if (cs)
            gen.Line(EXPR_Format("X_VAR_FACTOR_LONGLONG operand%u = X_VAR.X_VAR_RESOLVE_FACTOR_AS_LONGLONG( %ld, "
                                 "X_INT64_LOVAL, \"%s\" );",
                                 k, bytes, packed.data()));
        else
            gen.Line(EXPR_Format("X_VAR_RESOLVE_FACTOR_AS_LONGLONG( operand%u, %ld, X_INT64_LOVAL, \"%s\" )", k, bytes,
                                 packed.data()));
        return;
    case EXPR_NODE_RECORD_FIELD: {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(gen.Fields(), d, &node);
        if (cs)
            declare(gen, "X_VAR_FACTOR_RECORD_VECTOR",
                    declaratorOf(k)
                        .append("new X_VAR_FACTOR_RECORD_VECTOR( X_VAR.X_VAR_HEADER_KIND_FACTOR_RECORD_FIELD_VECTOR, ")
                        .append(d.recordName.c_str())
                        .append(", ")
                        .append(d.text.c_str())
                        .append(" );"));
        else
            declare(gen, "static const X_VAR_FACTOR_RECORD_VECTOR",
                    declaratorOf(k)
                        .append("{ X_VAR_HEADER_KIND_FACTOR_RECORD_FIELD_VECTOR, ")
                        .append(d.recordName.c_str())
                        .append(", ")
                        .append(d.text.c_str())
                        .append(" };"));
        return;
    }
    default: return;
    }
}

void writeOperandTable(ExprWriterServices& gen, uint32_t k)
{
    const uint32_t entries = k + 1;
    if (gen.CSharp()) {
        gen.Line("X_VAR_FACTOR_TABLE_HEADER");
        gen.Line("   header = new X_VAR_FACTOR_TABLE_HEADER();");
        gen.Line(" ");
        gen.Line(EXPR_Format("header.ulHeaderKind = %s; /* X_VAR_HEADER_KIND_FACTOR_TABLE_HEADER_ID */",
                             hex8(0xC00).c_str()));
        gen.Line(EXPR_Format("header.lEntryCount = %u;", entries));
        gen.Column0(" ");
        gen.Line(EXPR_Format("X_VAR_HEADER[] apOperandTable =  new X_VAR_HEADER[%u]", entries));
        gen.Line("{");
        gen.Line("   header,");
        std::string line;
        for (uint32_t i = 1; i <= k; ++i) {
            line.assign("   operand").append(ExprDigits(i));
            if (i != k)
                line.push_back(',');
            gen.Line(line);
        }
    } else {
        gen.Line("static const X_VAR_FACTOR_TABLE_HEADER");
        const ExprDigits count(entries);
        /* the lines are put together in a buffer kept between tables */
        static std::string line;
        gen.Line(line.assign("   header = { X_VAR_HEADER_KIND_FACTOR_TABLE_HEADER_ID, ").append(count).append(" };"));
        gen.Column0(" ");
        line.assign("static const PX_VAR_HEADER apOperandTable[").append(count).append("] =");
        gen.Line(line);
        gen.Line("{");
        gen.Line("   ((X_VAR_HEADER*)( &header )),");
        for (uint32_t i = 1; i <= k; ++i) {
            line.assign("   ((X_VAR_HEADER*)( &operand").append(ExprDigits(i)).append(" ))");
            if (i != k)
                line.push_back(',');
            gen.Line(line);
        }
    }
    gen.Line("};");
    gen.Column0(" ");
}

}  // namespace

uint32_t EXPR_WriteOperandDeclarations(ExprWriterServices& gen, uint32_t count,
                                       EXPR_PCODE_INSTRUCTION* const* instructions)
{
    uint32_t k = 0;
    for (uint32_t i = 0; instructions != nullptr && i < count; ++i) {
        EXPR_PCODE_INSTRUCTION* instruction = instructions[i];
        if (instruction == nullptr || instruction->operand == nullptr)
            continue;
        if (!EXPR_IsCountedOperand(instruction->operand, instruction->opcode))
            continue;
        declareOperand(gen, ++k, instruction->opcode, *instruction->operand);
    }
    if (k >= 1)
        writeOperandTable(gen, k);
    return k;
}

void EXPR_WriteExpression(ExprWriterServices& gen, EXPR_ROUTINE& routine, EXPR_EXPRESSION& expression)
{
    const bool cs = gen.CSharp();
    const bool several = routine.expressionCount >= 2;
    int state = 0;
    std::vector<ExprCsVariantLine> csLines;
    for (uint32_t i = 0; i < expression.variantCount; ++i) {
        EXPR_VARIANT* variant = expression.variants[i];
        if (variant == nullptr)
            continue;
        /* C# gets only a variant whose every line is C#; without one the
           instruction table evaluates the expression */
        if (cs &&
            (variant->tag == EXPR_VARIANT_ISERIES || variant->tag == EXPR_VARIANT_NO_LONGLONG ||
             variant->tag == EXPR_VARIANT_GENERIC) &&
            !EXPR_fRecordCsVariant(gen, routine, expression, *variant, csLines))
            continue;
        switch (variant->tag) {
        case EXPR_VARIANT_ISERIES:
            /* C# knows no #ifdef: its form of the same test */
            gen.Line(cs ? "#if X_OPERATING_SYSTEM_ISERIES" : "#if defined(X_OPERATING_SYSTEM_ISERIES)");
            writeVariant(gen, routine, expression, *variant, true, csLines);
            state = 1;
            break;
        case EXPR_VARIANT_NO_LONGLONG:
            if (state != 0)
                gen.Line(cs ? "#elif !X_CONST_LONGLONG_IS_LONG" : "#elif !defined(X_CONST_LONGLONG_IS_LONG)");
            else
                gen.Line(cs ? "#if !X_CONST_LONGLONG_IS_LONG" : "#if !defined(X_CONST_LONGLONG_IS_LONG)");
            writeVariant(gen, routine, expression, *variant, true, csLines);
            state = 1;
            break;
        case EXPR_VARIANT_GENERIC:
            if (state != 0) {
                gen.Line("#else");
                writeVariant(gen, routine, expression, *variant, true, csLines);
                gen.Line("#endif");
            } else {
                writeVariant(gen, routine, expression, *variant, several, csLines);
            }
            state = 2;
            break;
        default: break;
        }
    }

    /* an expression with neither C# direct code nor an instruction table
       has no C# form at all */
    if (cs && state == 0 && expression.variantCount != 0 && expression.instructionCount == 0)
        gen.Issue(Msg::NoCSharpRoutine, EXPR_RoutineName(routine));

    bool opened = true;
    if (state == 2) {
        gen.Line(cs ? "#if UNUSED" : "#if (0)");
        blockOpen(gen);
    } else if (state == 1) {
        gen.Line("#else");
        blockOpen(gen);
    } else if (several) {
        blockOpen(gen);
    } else {
        opened = false;
    }

    if (expression.instructionCount != 0) {
        const uint32_t operands =
            EXPR_WriteOperandDeclarations(gen, expression.instructionCount, expression.instructions);
        (void)operands;
        const ExprTableReport report =
            EXPR_WriteInstructionTable(gen, routine, expression.instructionCount, expression.instructions);
        /* Only a written table declares the operand stack that the Boolean
        ** result is read from (a When routine has it as its parameter). */
        const bool stack = report.written || routine.kind == EXPR_ROUTINE_WHEN_TEST;
        if (isBooleanKind(routine.kind) && stack) {
            gen.Column0("");
            gen.Line("bResult = operandStack[0].m_Boolean;");
        }
    }

    if (opened)
        blockClose(gen);
    if (state != 0)
        gen.Line("#endif");
}
