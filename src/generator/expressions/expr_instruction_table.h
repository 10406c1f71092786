/*
** expr_instruction_table.h: the instruction table writer.
**
** For one p-code expression the writer writes, into the generated C or C#
** source, the array asInstructionTable (one or a few rows per instruction),
** the operand stack, the expression frame and the call of the run-time
** expression evaluator. The caller has already declared the operands and
** apOperandTable for the same instruction list.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_INSTRUCTION_TABLE_H
#define GENERATOR_EXPRESSIONS_EXPR_INSTRUCTION_TABLE_H

#include <cstdint>
#include <string_view>

#include "generator/expressions/expr_generator_services.h"
#include "platform/dqoo/dqoo_pcode.h"

/*
** What a table came out like. The rows that cannot compile ("???" operands
** and unknown opcodes) stay in the table text, so the compiler points at the
** spot, and are counted; an unknown opcode is also an error message of the
** job naming it, and so is an operand that does not fit the table's column,
** which would compile into another number (ExprGeneratorServices::ReportError).
*/
struct ExprTableReport {
    bool written = false;            /* the table was written */
    bool badTarget = false;          /* the target language was neither 'C' nor '#' */
    uint32_t operandIndex = 0;       /* counted operands: entries of apOperandTable */
    uint32_t unknownOpcodes = 0;     /* unknown-opcode rows */
    uint32_t unresolvedOperands = 0; /* rows with the operand "???" */
    uint32_t unnumberedOperands = 0; /* index operands of a push whose node was absent
                                        or not counted (the row names the operand
                                        counted before it) */
    uint32_t wideOperands = 0;       /* numeric operands wider than the column: a
                                        C table holds 16-bit words, a C# table 32-bit */

    uint32_t Problems() const { return unknownOpcodes + unresolvedOperands + unnumberedOperands + wideOperands; }
};

/*
** Writes the instruction table, operand stack, frame and evaluator call of
** one expression. `instructions` holds `count` instructions; a list without
** a row of its own (only direct-code-only operations, or none) gives an
** empty table and the frame, so the evaluation routine stays whole. A
** target language other than 'C' or '#' is an internal error; nothing is
** written for it.
*/
ExprTableReport EXPR_WriteInstructionTable(ExprGeneratorServices& gen, const EXPR_PCODE_ROUTINE& routine,
                                           uint32_t count, EXPR_PCODE_INSTRUCTION* const* instructions);

/* True when the node is one that EXPR_WriteOperandDeclarations declares and
** the instruction table numbers: the operand index counts exactly these. */
bool EXPR_IsCountedOperand(const EXPR_OPERAND_NODE* node, uint32_t opcode);

/* The C# expression frame, at the current indent, with the operand table
** text ("apOperandTable" or "null"). */
void EXPR_WriteManagedExpressionFrame(ExprGeneratorServices& gen, std::string_view operandTable);

#endif
