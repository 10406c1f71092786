/*
** expr_operand_info.h: the small operand services of the direct-code
** writers: the wrapped-operand description, lengths and scales, string
** classes and string-compare strategies, work-variable numbers, the
** field-state text and three one-line writers.
**
** String classes (EXPR_sOperandStringClass):
**   0 string constant, 1 string constant of fixed length, 2 string constant
**   longer than 256, 3 LOB file name, 4..7 fixed-length alphanumeric field
**   (5 and 7 reached through a conversion), 8 varying string field,
**   9 short character field, 10 binary field, 11 anything else.
** String-compare strategies (EXPR_sStringCompareStrategy):
**   1 equal fixed lengths, 2 fixed lengths that differ, 3 the first operand
**   longer (the second padded), 4 the second longer (the first padded),
**   5 both padded, 6 varying strings compared at run time.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_OPERAND_INFO_H
#define GENERATOR_EXPRESSIONS_EXPR_OPERAND_INFO_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/expressions/expr_operand.h"
#include "generator/expressions/expr_writer_services.h"

/* Describes the node a wrapper (an instruction standing as an operand)
** wraps; outside the iSeries variant a packed or signed field is marked as
** read into a numeric work variable. 1 when described, else 0. */
int EXPR_fDescribeWrappedOperand(const ExprFieldDictionary& fields, const EXPR_VARIANT* variant,
                                 const EXPR_EXPRESSION* expression, EXPR_OPERAND_NODE* node,
                                 EXPR_OPERAND_DESCRIPTOR& descriptor);

int32_t EXPR_lOperandLength(const EXPR_OPERAND_NODE* node);
int32_t EXPR_lOperandMaxLength(const EXPR_OPERAND_NODE* node);
int32_t EXPR_lOperandScale(const EXPR_OPERAND_NODE* node);
/* The text of a string constant (1003) with its length: every byte, a
** zero byte included. */
std::string_view EXPR_StringConstantText(const EXPR_OPERAND_NODE* node);
/* "%ld" for a fixed length, else "X_RESOLVE_VARCHAR_LENGTH(%ld,%ld)"; in
** C# the run time's helper is reached through its class X_DEFS. */
std::string EXPR_BuildVarCharLengthText(const EXPR_OPERAND_NODE* node, bool fCSharp);

int16_t EXPR_sOperandStringClass(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE* node);
int16_t EXPR_sStringCompareStrategy(const ExprFieldDictionary& fields, const EXPR_STATEMENT* comparison);

/* The 1-based position of an instruction in the expression's p-code, the
** suffix of its work variables; 0 when it is not there. */
int32_t EXPR_lInstructionPosition(const EXPR_OPERAND_NODE* instruction, const EXPR_EXPRESSION* expression);

/* 1 when the node is a field (1007, 1015, 1020) with an SQL-null state;
** the text "((X_FLD_INFO*)( base[name].pField ))->bFieldState" goes to
** `text` when given. */
int EXPR_BuildFieldStateText(const ExprFieldDictionary& fields, EXPR_OPERAND_NODE* node, std::string* text);

/* The index set after a store to an indexed vector element; returns sw. */
int EXPR_WriteVectorSetIndex(ExprWriterServices& gen, EXPR_OPERAND_NODE* node, const EXPR_OPERAND_DESCRIPTOR& d,
                             uint32_t stream, uint16_t indent, int sw);
/* The dispatch store of a field reached through dispatch operations; returns sw. */
int EXPR_WriteSetFieldDataDispatch(ExprWriterServices& gen, const EXPR_OPERAND_DESCRIPTOR& d, EXPR_OPERAND_NODE* node,
                                   uint32_t stream, uint16_t indent, int sw);
/* The reload of the last I/O status after a store into the status field. */
void EXPR_WriteIoStatusLoad(ExprWriterServices& gen, EXPR_OPERAND_NODE* node, uint32_t stream, uint16_t indent);

/* The node behind a chain of wrappers (null for a wrapper without one). */
EXPR_OPERAND_NODE* EXPR_pUnwrap(EXPR_OPERAND_NODE* node);

#endif
