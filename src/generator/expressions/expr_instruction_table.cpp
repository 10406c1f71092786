/*
** expr_instruction_table.cpp: the instruction table writer.
**
** Header, one row (or a short run of rows) per instruction, the closing
** brace, then the operand stack, the expression frame and the evaluator
** call. Rows are formed by the opcode catalogue's rules; an opcode without a
** rule writes the unknown-opcode row "   %.8x, ???,", which does not
** compile, so the generated source fails at that spot; the job reports it
** as an error naming the opcode.
*/
#include "generator/expressions/expr_instruction_table.h"

#include <string>

#include "generator/core/output/services.h"
#include "generator/expressions/expr_routines.h"
#include "generator/expressions/expr_table_rows.h"

void ExprGeneratorServices::ReportError(std::string_view text)
{
    P3109_IssueTextMessage('F', text);
}

bool EXPR_IsCountedOperand(const EXPR_OPERAND_NODE* node, uint32_t opcode)
{
    if (node == nullptr)
        return false;
    switch (node->kind) {
    case EXPR_NODE_INT32_CONSTANT:
    case EXPR_NODE_DECIMAL_CONSTANT:
    case EXPR_NODE_STRING_CONSTANT:
    case EXPR_NODE_BOOLEAN_CONSTANT:
    case EXPR_NODE_PACKED_CONSTANT:
    case EXPR_NODE_INT64_CONSTANT:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_INT32_LOVAL:
    case EXPR_NODE_INT64_LOVAL:
    case EXPR_NODE_RECORD_FIELD: return true;
    case EXPR_NODE_SYSTEM_VARIABLE: return opcode == EXPR_OP_EVALUATE_SYSTEM_VARIABLE;
    default: return false;
    }
}

void EXPR_WriteManagedExpressionFrame(ExprGeneratorServices& gen, std::string_view operandTable)
{
    gen.Line("X_VAR_EXPRESSION_FRAME frame = new X_VAR_EXPRESSION_FRAME();");
    gen.Line("frame.lVersion             = X_VarStr.X_VAR_EXPRESSION_FRAME_CURRENT;");
    gen.Line("frame.pX_Ids               = pX_Ids;");
    gen.Line("frame.pX_Pro               = pX_Pro;");
    gen.Line("frame.pX_Fun               = pX_Fun;");
    gen.Line("frame.pX_Fld               = pX_Fld;");
    gen.Line("frame.pX_List              = pX_List;");
    gen.Line("frame.pX_FldFile           = null;");
    gen.Line("frame.ppOperandTable       = " + std::string(operandTable) + ";");
    gen.Line("frame.psInstructionTable   = asInstructionTable;");
    gen.Line("frame.ulInstructionCount   = asInstructionTable.Length;");
    gen.Line("frame.pOperandStack        = operandStack;");
    gen.Line("frame.ulOperandSize        = operandStack.Length;");
}

namespace {

std::string UnknownOpcodeRow(uint32_t opcode)
{
    char digits[8];
    return std::string("   ").append(EXPR_HexDigits(digits, opcode, 8, false)).append(", ???,");
}

/* The single-row rules and the dispatch to the multi-row ones. */
void FormRows(ExprTableRows& rows, const ExprOpcodeEntry& entry, EXPR_OPERAND_NODE* node, uint32_t opcode)
{
    switch (entry.rule) {
    case ExprRowRule::Index:
        /* The operand counted for this very node; a push without a counted
        ** node can only name the operand counted before it. */
        if (!EXPR_IsCountedOperand(node, opcode))
            rows.CountUnnumbered();
        rows.SetPendingRow(entry, rows.Index());
        return;
    case ExprRowRule::Zero: rows.SetPendingRow(entry, "0"); return;
    case ExprRowRule::Pair: rows.SetPendingRow(entry, rows.Pair(node)); return;
    case ExprRowRule::Hex4Or0002: rows.SetPendingRow(entry, rows.Hex4(node, "0x0002")); return;
    case ExprRowRule::Hex4OrZero: rows.SetPendingRow(entry, rows.Hex4(node, "0")); return;
    case ExprRowRule::OperandText: {
        EXPR_OPERAND_DESCRIPTOR d;
        EXPR_DescribeOperand(rows.Gen().Fields(), d, node);
        rows.SetPendingRow(entry, d.text);
        return;
    }
    case ExprRowRule::VectorPush: EXPR_FormVectorPushRows(rows, entry, node); return;
    case ExprRowRule::StackVectorPush: EXPR_FormStackVectorPushRows(rows, entry, node); return;
    case ExprRowRule::DispatchOperand: EXPR_FormDispatchOperandRow(rows, entry, node); return;
    case ExprRowRule::PullStandard:
    case ExprRowRule::PullComponentRefresh: EXPR_FormPullRows(rows, entry, node); return;
    case ExprRowRule::None: break;
    }
    rows.CountUnknownOpcode(opcode);
    rows.SetPending(UnknownOpcodeRow(opcode));
}

void WriteOperandStack(ExprGeneratorServices& gen, bool csharp, uint32_t size)
{
    const std::string n = std::to_string(size);
    if (!csharp) {
        static std::string line;
        gen.Line("X_VAR_EXPRESSION_OPERAND");
        gen.Line(line.assign("   operandStack[").append(n).append("];"));
        gen.Line("");
        return;
    }
    gen.Line("X_VAR_EXPRESSION_OPERAND[]");
    gen.Line("   operandStack = new X_VAR_EXPRESSION_OPERAND[" + n + "];");
    for (uint32_t i = 0; i < size; ++i) {
        gen.Line("operandStack[ " + std::to_string(i) + " ] = new X_VAR_EXPRESSION_OPERAND();");
    }
    gen.Line("");
}

void WriteEpilogue(ExprGeneratorServices& gen, const EXPR_PCODE_ROUTINE& routine, bool csharp, uint32_t operandIndex)
{
    const std::string table = operandIndex > 0 ? "apOperandTable" : (csharp ? "null" : "pX_NULL");
    const int32_t kind = routine.kind;

    /* A When routine works on the When group's stack, its parameter; so
       does, in C#, the routine that loads the group's subject. */
    if (kind != EXPR_ROUTINE_WHEN_TEST && !(csharp && EXPR_fLoadsWhenSubject(routine)))
        WriteOperandStack(gen, csharp, routine.operandStackSize);

    if (kind == EXPR_ROUTINE_CALLBACK) {
        /* The callback frame is the runtime's macro in both languages. */
        gen.Line("X_VAR_DEFINE_CALLBACK_EXPRESSION_FRAME( " + table + " )");
    } else if (csharp) {
        EXPR_WriteManagedExpressionFrame(gen, table);
    } else if (kind == EXPR_ROUTINE_COMPONENT) {
        gen.Line("X_VAR_DEFINE_COMPONENT_EXPRESSION_FRAME( pModuleFrame->pX_List, " + table + " )");
    } else {
        static std::string line;
        gen.Line(line.assign("X_VAR_DEFINE_EXPRESSION_FRAME( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pX_NULL, ")
                     .append(table)
                     .append(" )"));
    }
    gen.Line("");

    if (!csharp) {
        gen.Line("X_VAR_EvaluateExpression( &frame );");
    } else if (kind == EXPR_ROUTINE_WHEN_TEST) {
        gen.Line("X_VAR_DLL.X_VAR_EvaluateExpression( ref frame );");
    } else {
        gen.Line("X_VAR_DLL.X_VAR_EvaluateExpression( frame );");
    }
}

}  // namespace

ExprTableReport EXPR_WriteInstructionTable(ExprGeneratorServices& gen, const EXPR_PCODE_ROUTINE& routine,
                                           uint32_t count, EXPR_PCODE_INSTRUCTION* const* instructions)
{
    ExprTableReport report;
    const char target = gen.TargetLanguage();
    if (target != EXPR_TARGET_C && target != EXPR_TARGET_CSHARP) {
        report.badTarget = true;
        gen.InternalError("EXPR_WriteInstructionTable");
        return report;
    }

    const bool csharp = target == EXPR_TARGET_CSHARP;
    gen.Line(csharp ? "int[] asInstructionTable =  new int[]" : "static const X_SHORT asInstructionTable[] =");
    gen.Line("{");

    ExprTableRows rows(gen, routine, report);
    for (uint32_t i = 0; instructions != nullptr && i < count; ++i) {
        rows.FlushWithComma();
        EXPR_PCODE_INSTRUCTION* instruction = instructions[i];
        /* A missing instruction has no opcode: it is written as opcode 0. */
        const uint32_t opcode = instruction != nullptr ? instruction->opcode : 0;
        EXPR_OPERAND_NODE* node = instruction != nullptr ? instruction->operand : nullptr;

        rows.CountOperand(node, opcode);
        if (EXPR_IsPseudoOpcode(opcode)) {
            rows.ClearPending();
            continue;
        }
        const ExprOpcodeEntry* entry = EXPR_FindRowEntry(opcode);
        if (entry == nullptr) {
            rows.CountUnknownOpcode(opcode);
            rows.SetPending(UnknownOpcodeRow(opcode));
            continue;
        }
        FormRows(rows, *entry, node, opcode);
    }
    rows.FlushLast();
    gen.Line("};");
    gen.Line("");

    WriteEpilogue(gen, routine, csharp, report.operandIndex);
    report.written = true;
    return report;
}
