/*
** expr_push_rows.cpp: the rows of the vector pushes, of the push of a vector
** as a stack vector (182) and of the dispatch operands (dispatch gets and
** dispatch sets).
**
** A vector push names the field's vector in its own row; an array element,
** a list entry or a record member is pushed first as a stack vector and then
** taken by the entry's stack-vector companion; a field reached through
** dispatch operations is got by the dispatch-get opcode of the push's type.
** A push always carries a node; one without is written like a node of a
** kind the rule does not serve, with the operand "???".
*/
#include "generator/expressions/expr_table_rows.h"

namespace {

/* The descriptor the push rules describe their node into: one for all the
** rows, so that its strings keep their room from one push to the next
** (EXPR_DescribeOperand clears it first). */
EXPR_OPERAND_DESCRIPTOR& pushDescriptor()
{
    static EXPR_OPERAND_DESCRIPTOR descriptor;
    return descriptor;
}

/* The row after an array, list or record push. */
uint32_t ArrayCompanion(const ExprOpcodeEntry& e)
{
    return e.arrayCompanion != 0 ? e.arrayCompanion : e.stackCompanion;
}
uint32_t ListCompanion(const ExprOpcodeEntry& e)
{
    return e.listCompanion != 0 ? e.listCompanion : e.stackCompanion;
}
const char* RecordCompanion(const ExprOpcodeEntry& e)
{
    if (const char* name = EXPR_RecordCompanionName(e.recordCompanion))
        return name;
    const ExprOpcodeEntry* s = EXPR_FindOpcode(e.stackCompanion);
    return s != nullptr ? s->name : "???";
}

/* The record push and its companion have no numbers: C form in both languages. */
void RecordRows(ExprTableRows& rows, const ExprOpcodeEntry& entry)
{
    rows.WriteNow(ExprTableRows::CRow(EXPR_NAME_PUSH_RECORD_VECTOR, rows.Index()));
    rows.SetPending(ExprTableRows::CRow(RecordCompanion(entry), "0"));
}

}  // namespace

void EXPR_FormVectorPushRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node)
{
    if (node == nullptr) {
        rows.SetPendingRow(entry, rows.Unresolved());
        return;
    }
    EXPR_OPERAND_DESCRIPTOR& d = pushDescriptor();
    switch (node->kind) {
    case EXPR_NODE_FIELD: {
        /* the rows read only the field's name, dispatch and array facts */
        const ExprPlainField f = EXPR_DescribePlainField(rows.Gen().Fields(), *node);
        if (f.dispatch) {
            /* In C, a When routine refreshes a dispatched alpha or short
            ** character field and pushes its vector. */
            if (entry.whenRefresh && !rows.CSharp() && rows.RoutineKind() == EXPR_ROUTINE_WHEN_TEST) {
                rows.WriteNow(rows.Row(EXPR_OP_REFRESH_FIELD, f.text));
                rows.SetPendingRow(entry, f.text);
                return;
            }
            rows.SetPending(rows.Row(entry.dispatchCompanion, rows.Number(node->dispatchOp)));
            return;
        }
        if (f.array) {
            rows.WriteNow(rows.Row(EXPR_OP_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR, f.text));
            rows.SetPending(rows.Row(ArrayCompanion(entry), "0"));
            return;
        }
        rows.SetPendingRow(entry, f.text);
        return;
    }
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_FIELD_BYTE_LENGTH:
        EXPR_DescribeOperand(rows.Gen().Fields(), d, node);
        rows.SetPendingRow(entry, d.text);
        return;
    case EXPR_NODE_LIST_FIELD:
        rows.WriteNow(rows.Row(EXPR_OP_PUSH_LIST_VECTOR_AS_STACK_VECTOR, rows.Index()));
        rows.SetPending(rows.Row(ListCompanion(entry), "0"));
        return;
    case EXPR_NODE_RECORD_FIELD: RecordRows(rows, entry); return;
    default: rows.SetPendingRow(entry, rows.Unresolved()); return;
    }
}

void EXPR_FormStackVectorPushRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node)
{
    if (node == nullptr) {
        rows.SetPendingRow(entry, rows.Unresolved());
        return;
    }
    EXPR_OPERAND_DESCRIPTOR& d = pushDescriptor();
    switch (node->kind) {
    case EXPR_NODE_FIELD: {
        const ExprPlainField f = EXPR_DescribePlainField(rows.Gen().Fields(), *node);
        if (f.dispatch) {
            rows.WriteNow(rows.Row(EXPR_OP_REFRESH_FIELD, f.text));
            rows.SetPendingRow(entry, f.text);
        } else if (f.array) {
            rows.SetPending(rows.Row(EXPR_OP_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR, f.text));
        } else {
            rows.SetPendingRow(entry, f.text);
        }
        return;
    }
    case EXPR_NODE_SYSTEM_VARIABLE:
    case EXPR_NODE_FIELD_BYTE_LENGTH:
        EXPR_DescribeOperand(rows.Gen().Fields(), d, node);
        rows.SetPendingRow(entry, d.text);
        return;
    case EXPR_NODE_LIST_FIELD:
        rows.SetPending(rows.Row(EXPR_OP_PUSH_LIST_VECTOR_AS_STACK_VECTOR, rows.Index()));
        return;
    case EXPR_NODE_RECORD_FIELD:
        rows.SetPending(ExprTableRows::CRow(EXPR_NAME_PUSH_RECORD_VECTOR, rows.Index()));
        return;
    default: rows.SetPendingRow(entry, rows.Unresolved()); return;
    }
}

void EXPR_FormDispatchOperandRow(ExprTableRows& rows, const ExprOpcodeEntry& entry, const EXPR_OPERAND_NODE* node)
{
    if (node != nullptr && (node->kind == EXPR_NODE_DISPATCH_CONSTANT || node->kind == EXPR_NODE_FIELD)) {
        rows.SetPendingRow(entry, rows.Number(node->dispatchOp));
        return;
    }
    rows.SetPendingRow(entry, rows.Unresolved());
}
