/*
** expr_pull_rows.cpp: the row expansion of the vector pulls.
**
** A pull stores the top of the operand stack into a target. For a field
** target the table first pushes the target's vector (as a stack vector or
** an array vector), then pulls into it, and for an indexed target sets the
** index afterwards. A dispatch target is stored by the dispatch-set opcode
** of the value's type (standard shape) or pushed, pulled and refreshed as a
** component field (component refresh shape). In a command routine a target
** that holds the I/O status is refreshed into the function's last-status
** member afterwards. Result vectors, record members and unresolved
** operands are written in C form in both languages.
*/
#include "generator/expressions/expr_table_rows.h"

namespace {

constexpr const char* kStatusOffset =
    "((X_SHORT)( ((X_BYTE*)( &( ((struct FUNCTION_STATIC_GLOBAL_1*)( 0 ))->vchLastIOStatus ) )) - "
    "((X_BYTE*)( 0 )) ))";

/*
** The status refresh tail: the pending row is written with its comma, the
** function's status member is marked as used, and the row of the status
** offset and the refresh of the user status follow.
*/
void StatusRefreshTail(ExprTableRows& rows, std::string_view operandText)
{
    rows.FlushWithComma();
    rows.Gen().SetLastIoStatusFlag();
    rows.WriteNow(ExprTableRows::CRow(EXPR_NAME_PUSH_GLOBAL_STORAGE_OFFSET, kStatusOffset));
    rows.SetPending(ExprTableRows::CRow(EXPR_NAME_REFRESH_USER_STATUS, operandText));
}

void FieldTargetRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node,
                     const ExprPlainField& d)
{
    constexpr ExprCsComma tight = ExprCsComma::Tight;
    if (d.dispatch && entry.rule == ExprRowRule::PullStandard) {
        rows.SetPending(rows.Row(entry.dispatchCompanion, rows.Number(node->dispatchOp)));
        return;
    }
    if (d.dispatch) {
        rows.WriteNow(rows.Row(EXPR_OP_PUSH_VECTOR_AS_STACK_VECTOR, d.text, tight));
        rows.WriteNow(rows.Row(entry, rows.Number(node->pullOperand)));
        rows.SetPending(rows.Row(EXPR_OP_REFRESH_COMPONENT, d.text, tight));
        return;
    }
    if (d.array) {
        rows.WriteNow(rows.Row(EXPR_OP_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR, d.text, tight));
        rows.SetPendingRow(entry, rows.Number(node->pullOperand));
        return;
    }
    rows.WriteNow(rows.Row(EXPR_OP_PUSH_VECTOR_AS_STACK_VECTOR, d.text, tight));
    if ((node->flags & EXPR_NODE_FLAG_INDEXED) != 0) {
        rows.WriteNow(rows.Row(entry, rows.Number(node->pullOperand)));
        rows.SetPending(rows.Row(EXPR_OP_SET_INDEX, d.text, tight));
        return;
    }
    rows.SetPendingRow(entry, rows.Number(node->pullOperand));
}

}  // namespace

void EXPR_FormPullRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node)
{
    if (node == nullptr) {
        rows.SetPending(ExprTableRows::CRow(EXPR_OpcodeName(entry), "0"));
        return;
    }
    switch (node->kind) {
    case EXPR_NODE_FIELD: {
        /* the rows read only the field's name, dispatch and array facts */
        const ExprPlainField d = EXPR_DescribePlainField(rows.Gen().Fields(), *node);
        FieldTargetRows(rows, entry, node, d);
        if (rows.RoutineKind() == EXPR_ROUTINE_COMMAND && (node->flags & EXPR_NODE_FLAG_STATUS_REFRESH) != 0) {
            StatusRefreshTail(rows, d.text);
        }
        return;
    }
    case EXPR_NODE_RESULT_VECTOR: {
        const uint32_t index = node->resultVectorIndex;
        const ExprOpcodeEntry* vector = index >= EXPR_OP_FIRST_RESULT_VECTOR && index <= EXPR_OP_LAST_RESULT_VECTOR
                                            ? EXPR_FindOpcode(index)
                                            : nullptr;
        if (vector == nullptr) {
            /* No result vector has that number. */
            rows.SetPending(ExprTableRows::CRow(EXPR_OpcodeName(entry), rows.Unresolved()));
            return;
        }
        rows.WriteNow(ExprTableRows::CRow(vector->name, "0"));
        rows.SetPending(ExprTableRows::CRow(EXPR_OpcodeName(entry), "0"));
        return;
    }
    case EXPR_NODE_RECORD_FIELD:
        rows.WriteNow(ExprTableRows::CRow(EXPR_NAME_PUSH_RECORD_VECTOR, rows.Index()));
        rows.SetPending(ExprTableRows::CRow(EXPR_OpcodeName(entry), rows.Number(node->pullOperand)));
        return;
    default: rows.SetPending(ExprTableRows::CRow(EXPR_OpcodeName(entry), rows.Unresolved())); return;
    }
}
