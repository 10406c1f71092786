/*
** expr_table_rows.h: row forming for the instruction table writer (internal).
**
** A table row is the opcode word and the operand word of one instruction.
** In C it names the opcode ("   %-65s %s", the name with its comma padded to
** 65 columns); in C# it gives the number and the name as a comment
** ("   0x%08X %-65s %s"). Rows are written one late so that the separating
** comma can be added: the last row formed is pending, and rows that a rule
** writes ahead of it carry their own comma.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_TABLE_ROWS_H
#define GENERATOR_EXPRESSIONS_EXPR_TABLE_ROWS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/expressions/expr_instruction_table.h"
#include "generator/expressions/expr_opcodes.h"

// How the C# comment of a name ends: with a blank before the comma for an
// opcode's own rows, without one for the rows that the pull expansion adds
// around a pull.
enum class ExprCsComma { Spaced, Tight };

/* The hex digits of `value` in `text`, at least `width` of them (zeros in
** front), in capitals when asked: a printf "%0<width>x" without a format. */
std::string_view EXPR_HexDigits(char (&text)[8], uint32_t value, size_t width, bool capitals);

class ExprTableRows {
public:
    ExprTableRows(ExprGeneratorServices& gen, const EXPR_PCODE_ROUTINE& routine, ExprTableReport& report);

    bool CSharp() const { return csharp_; }
    int32_t RoutineKind() const { return routine_.kind; }
    uint32_t OperandIndex() const { return report_.operandIndex; }
    ExprGeneratorServices& Gen() { return gen_; }

    /* Row texts. */
    static std::string CRow(std::string_view name, std::string_view operand);
    static std::string CsRow(uint32_t number, std::string_view name, std::string_view operand,
                             ExprCsComma comma = ExprCsComma::Spaced);
    /* The row of a catalogue entry in the target's own form. */
    std::string Row(const ExprOpcodeEntry& entry, std::string_view operand,
                    ExprCsComma comma = ExprCsComma::Spaced) const;
    /* The row of the catalogue entry numbered `number` in the target's own form. */
    std::string Row(uint32_t number, std::string_view operand, ExprCsComma comma = ExprCsComma::Spaced) const;

    /* Operand texts; the numeric ones are checked against the column width. */
    std::string Number(int64_t value);
    std::string Index();
    std::string Pair(const EXPR_OPERAND_NODE* node);
    std::string Hex4(const EXPR_OPERAND_NODE* node, std::string_view absent);
    std::string Unresolved();

    /* Writes a row at once, with its own comma. */
    void WriteNow(std::string row);
    /* Makes a row the pending one. */
    void SetPending(std::string row);
    /* Makes the row of a catalogue entry (Row's) the pending one, put
    ** together in the pending row's own room. */
    void SetPendingRow(const ExprOpcodeEntry& entry, std::string_view operand, ExprCsComma comma = ExprCsComma::Spaced);
    /* Writes the pending row with its comma, when there is one; the buffer is
    ** empty afterwards, so a row can never be written twice. */
    void FlushWithComma();
    /* Drops the pending row (direct-code-only operations). */
    void ClearPending() { pending_.clear(); }
    /* Writes the last row without a comma (an empty line when none). */
    void FlushLast();

    /* Raises the operand index for a counted node. */
    void CountOperand(const EXPR_OPERAND_NODE* node, uint32_t opcode);
    /* Counts an unknown-opcode row; the table cannot compile with it, so it
    ** is an error of the job naming the opcode. */
    void CountUnknownOpcode(uint32_t opcode);
    /* Counts an index operand that names no operand of its own. */
    void CountUnnumbered() { ++report_.unnumberedOperands; }

private:
    void CheckWidth(int64_t value);

    ExprGeneratorServices& gen_;
    const EXPR_PCODE_ROUTINE& routine_;
    ExprTableReport& report_;
    bool csharp_;
    std::string pending_;
};

/* Rules of the push opcodes: the vector pushes, 182 and the dispatch operands. */
void EXPR_FormVectorPushRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node);
void EXPR_FormStackVectorPushRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node);
void EXPR_FormDispatchOperandRow(ExprTableRows& rows, const ExprOpcodeEntry& entry, const EXPR_OPERAND_NODE* node);
/* The pull expansion (standard and component refresh shapes). */
void EXPR_FormPullRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node);

#endif
