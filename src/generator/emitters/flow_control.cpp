/*
** flow_control.cpp: the structured commands as C or C# control flow:
** IF/ELSE/ENDIF, DOWHILE/ENDWHILE, DOUNTIL/ENDUNTIL, CASE/WHEN/OTHERWISE/
** ENDCASE (a loop that runs once, so each branch can end with "break;"),
** BEGIN_LOOP/END_LOOP (a counted loop), CONTINUE, LEAVE, GOTO and RETURN.
**
** A condition is either compiled by the object layer (the command carries
** its routine reference, and the call text comes from the expression
** generator) or text, which becomes an evaluation routine of the
** generator's own chain, written at insertion point 14.
*/
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_state.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/expressions/expr_routines.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* The text of a WHEN value's evaluation: the CASE operand (10), a blank
** and the VALUE_IS condition (50), blank-padded. */
constexpr size_t kWhenValueText = 70;

GEN_BLOCK_ENTRY& innermost()
{
    return g().blocks[static_cast<size_t>(std::max<int16_t>(g().sBlockDepth, 0))];
}

/* A condition of the current command: the call text of its compiled
** routine, or the name of the evaluation routine registered for its text. */
struct Condition {
    std::string call;    /* compiled: the call text */
    std::string routine; /* text: the evaluation routine's name */
};

Condition conditionOf(std::string_view keyword)
{
    Condition c;
    if (const char* reference = P3109_pRoutineReference()) {
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, &c.call, nullptr);
        if (!c.call.empty())
            return c;
    }
    const std::string text = P3109_ParmField(keyword);
    c.routine = P3109_pszMakeEvaluationName(text, GEN_EVAL_LOGICAL, GEN_EVALUATION_TEXT_MAX, text, GEN_EVAL_UNNAMED,
                                            GEN_EVAL_SHARE_NAMED, 0)
                    ->name;
    return c;
}

void writeConditionHead(const char* statement, const Condition& c)
{
    if (c.call.empty())
        P3109_Line(std::string(statement) + " (" + c.routine + "(" + P3109_StdParms() + ") == YES)");
    else
        P3109_Line(std::string(statement) + " ( " + c.call + " )");
}

/* CONTINUE and LEAVE. */
void writeLoopControl(char cKind, const char* plain, const char* conditional)
{
    P3109_EmitCommandPrologue();
    std::string statement;
    P3109_MakeBreakContinueGoto(statement, cKind);
    if (statement.empty())
        return;
    if (P3109_TrimRight(P3109_ParmField("COND")).empty()) {
        P3109_WriteComment(plain);
        P3109_Line(statement + ";");
        return;
    }
    P3109_WriteComment(conditional);
    const Condition c = conditionOf("COND");
    if (c.call.empty())
        P3109_Line("if (" + c.routine + "(" + P3109_StdParms() + ") == YES) " + statement + ";");
    else
        P3109_Line("if ( " + c.call + " ) " + statement + ";");
}

/* Step 1 of WHEN: the branch before it ends. */
void closeBranch()
{
    if (innermost().sWhenCount <= 0)
        return;
    P3109_Line("break;");
    P3109_IndentOut();
    P3109_Line("}");
}

void writeTerminateFrameCall()
{
    if (innermost().fFrame)
        EXPR_WriteTerminateFrameCall(P3109_ExpressionWriter(), 1);
}

/* The step of BEGIN_LOOP when it is a number: the parser's value, else the
** STEP written as an integer; 0 for a step field. */
int32_t literalStepOf()
{
    if (const int32_t parsed = P3109_ParmNumber("@STEPVALUE"))
        return parsed;
    const std::string step = P3109_Parm("STEP");
    const size_t digits =
        step.find_first_not_of("0123456789", step.size() > 1 && (step[0] == '-' || step[0] == '+') ? 1 : 0);
    if (step.empty() || digits != std::string::npos || step.size() > 10)
        return 0;
    const long long value = std::strtoll(step.c_str(), nullptr, 10);
    return value >= INT32_MIN && value <= INT32_MAX ? static_cast<int32_t>(value) : 0;
}

std::string loopName(const char* stem)
{
    return stem + std::to_string(g().sBlockDepth + 1);
}

std::string declaration(const std::string& name, const char* initialiser = "")
{
    /* C# passes the variable by ref: it is assigned first */
    if (P3109_fCSharp())
        return "int " + name + (*initialiser ? initialiser : " = 0") + ";";
    return "X_LONG " + name + initialiser + ";";
}

/* Whether a CASE around the innermost block, in the routine being
** written, declared its WHEN operand stack. */
bool whenStackAround()
{
    const int16_t base = P3109_fInSubroutine() ? P3109_EmitterState().sRoutineBaseDepth : 0;
    for (int i = g().sBlockDepth - 1; i >= base && i >= 0; --i)
        if (g().blocks[static_cast<size_t>(i)].fWhenStack)
            return true;
    return false;
}

}  // namespace

void P3109_EmitIf()
{
    P3109_EmitCommandPrologue();
    writeConditionHead("if", conditionOf("COND"));
    P3109_Line("{");
}

void P3109_EmitElse()
{
    P3109_IndentOut();
    P3109_Line("}");
    P3109_Line("else");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_EmitCommandPrologue();
}

void P3109_EmitEndIf()
{
    P3109_EmitCommandPrologue();
    P3109_IndentOut();
    P3109_Line("}");
}

void P3109_EmitGoto()
{
    P3109_EmitCommandPrologue();
    P3109_Line(P3109_MakeGotoLabel(P3109_ParmField("LABEL"), 10));
}

void P3109_EmitDoWhile()
{
    P3109_EmitCommandPrologue();
    writeConditionHead("while", conditionOf("COND"));
    P3109_Line("{");
    P3109_EmitFatalErrorBreak();
}

void P3109_EmitEndWhile()
{
    P3109_EmitCommandPrologue();
    P3109_WriteContinuePoint();
    P3109_IndentOut();
    P3109_Line("}");
    P3109_WriteLeavePoint();
}

void P3109_EmitDoUntil()
{
    const Condition c = conditionOf("COND");
    const char* reference = P3109_pRoutineReference();
    innermost().untilCondition = c.call.empty() ? c.routine : std::string(reference, 9);
    P3109_Line("do");
    P3109_Line("{");
    P3109_EmitCommandPrologue();
    P3109_EmitFatalErrorBreak();
}

void P3109_EmitEndUntil()
{
    P3109_EmitCommandPrologue();
    P3109_WriteContinuePoint();
    P3109_IndentOut();
    const std::string& kept = innermost().untilCondition;
    std::string call;
    if (P3109_fIsRoutineReference(kept.c_str()))
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), kept.c_str(), &call, nullptr);
    if (call.empty())
        P3109_Line("} while (" + kept + "(" + P3109_StdParms() + ") == NO);");
    else
        P3109_Line("} while ( !( " + call + " ) );");
    P3109_WriteLeavePoint();
}

void P3109_EmitContinue()
{
    writeLoopControl('C', "Continue with the next iteration of this loop",
                     "Conditionally continue the next iteration of this loop");
}

void P3109_EmitLeave()
{
    writeLoopControl('L', "Leave this Loop", "Conditionally leave this loop");
}

void P3109_EmitReturn()
{
    P3109_EmitCommandPrologue();
    P3109_EmitBranchToTarget("*RETURN", g().out.usIndent);
}

void P3109_EmitCase()
{
    P3109_EmitCommandPrologue();
    GEN_BLOCK_ENTRY& block = innermost();
    block.caseOperand = P3109_ParmField("OF_FIELD");
    P3109_Line("do /* A Single Iteration CASE Loop */");
    P3109_Line("{");
    P3109_IndentIn();
    if (const char* reference = P3109_pRoutineReference()) {
        ExprWriterServices& writer = P3109_ExpressionWriter();
        writer.whenStackDeclared = whenStackAround();
        writer.whenStackWritten = false;
        EXPR_WriteCommandEvaluationCall(writer, reference);
        block.fWhenStack = writer.whenStackWritten;
        block.fWhenSubject = true;
        writer.whenStackDeclared = writer.whenStackWritten = false;
        return;
    }
    GEN_FIELD_INFO info;
    if (!P3109_fFindUsedField(block.caseOperand, info)) {
        P3109_sIssueMessage(Msg::FieldNotUsedByFunction, block.caseOperand.substr(0, 9));
        return;
    }
    if (info.cResolved != 'E')
        return;
    EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
    block.fFrame = true;
    P3109_Line("/* Assign vector for OF_FIELD evaluation */");
    P3109_Line("X_VAR_SetFactorFromEvaluation( pFrame, 1, pX_Fld, " + info.vectorName + " );");
    P3109_Line("");
}

void P3109_EmitWhen()
{
    closeBranch();
    GEN_BLOCK_ENTRY& block = innermost();
    ++block.sWhenCount;
    ++block.sWhenTests;
    std::string call;
    if (const char* reference = P3109_pRoutineReference())
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, &call, nullptr);
    if (!call.empty()) {
        P3109_Line("if ( " + call + " )");
    } else {
        std::vector<std::string> routines;
        for (int i = 0; i < 20; ++i) {
            const std::string slot = P3109_ParmField("VALUE_IS", 0, i);
            if (slot.empty() || P3109_TrimRight(slot.substr(0, 20)).empty())
                continue;
            const std::string text = P3109_Padded(P3109_Padded(block.caseOperand, 10) + " " + slot, kWhenValueText);
            routines.push_back(P3109_pszMakeEvaluationName(text, GEN_EVAL_LOGICAL, kWhenValueText, text,
                                                           GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 0)
                                   ->name);
        }
        if (routines.size() == 1)
            P3109_Line("if (" + routines[0] + "(" + P3109_StdParms() + ") == YES)");
        for (size_t i = 0; routines.size() > 1 && i < routines.size(); ++i) {
            std::string line =
                (i == 0 ? "if (" : " || ") + std::string("(") + routines[i] + "(" + P3109_StdParms() + ") == YES)";
            if (i + 1 == routines.size())
                line += ")";
            P3109_Line(line);
        }
        if (routines.empty()) {
            /* a WHEN without values would take its branch always */
            P3109_sIssueMessage(Msg::NoValueToTest, "WHEN      ");
            P3109_Line("if ( NO )");
        }
    }
    P3109_Line("{");
    P3109_IndentIn();
    writeTerminateFrameCall();
    P3109_EmitCommandPrologue();
}

void P3109_EmitOtherwise()
{
    closeBranch();
    ++innermost().sWhenCount;
    P3109_Line("{");
    P3109_IndentIn();
    writeTerminateFrameCall();
    P3109_EmitCommandPrologue();
}

void P3109_EmitEndCase()
{
    closeBranch();
    /* a subject no WHEN compares is loaded for nothing: C is told it is used */
    if (innermost().fWhenSubject && innermost().sWhenTests == 0 && !P3109_fCSharp())
        P3109_Line("(void)operandStack;");
    if (innermost().fFrame)
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
    P3109_IndentOut();
    P3109_Line(P3109_fCSharp() ? "} while(false); /* A single iteration CASE Loop */"
                               : "} while(0); /* A single iteration CASE Loop */");
    P3109_EmitCommandPrologue();
}

namespace {

/* A bound or step of the loop into its variable: a field or literal read
** from its vector entry; blanks or zero, which no vector entry holds, as 0.
** Any other value would leave the variable unset: the generation stops,
** naming it. */
void loadLoopValue(const char* keyword, const std::string& variable)
{
    const std::string operand = P3109_ParmField(keyword);
    if (const std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(operand, 20)) {
        P3109_WriteGetLongFromPacked(*held, variable);
        return;
    }
    std::string written = P3109_TrimRight(operand);
    for (char& c : written)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* zero : {"*ZERO", "*ZEROS", "*ZEROES", "*NULL", "*BLANK", "*BLANKS"})
        if (written == zero) {
            P3109_Line(variable + " = 0;");
            return;
        }
    if (!written.empty() && written[0] == '*')
        P3109_UnusableValue(keyword, written);
    else
        P3109_UnresolvedName(keyword, written);
}

}  // namespace

void P3109_EmitBeginLoop()
{
    const std::string step = loopName("X_Loop_Step_"), index = loopName("X_Loop_Index_"),
                      limit = loopName("X_Loop_Limit_");
    const int32_t literalStep = literalStepOf();
    P3109_WriteComment("Perform a BEGIN_LOOP/END_LOOP block");
    P3109_EmitLabelTarget();
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line(declaration(index));
    P3109_Line(declaration(limit));
    if (literalStep == 0)
        P3109_Line(declaration(step, " = 0"));
    GEN_BLOCK_ENTRY& block = innermost();
    block.fFrame = P3109_fFrameIndicator();
    if (block.fFrame)
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);

    const std::string usingField = P3109_ParmField("USING");
    loadLoopValue("FROM", index);
    if (usingField[0] != '*')
        if (const std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(usingField))
            P3109_WriteStoreLongInPacked(*held, index);
    loadLoopValue("TO", limit);
    if (literalStep == 0)
        loadLoopValue("STEP", step);
    if (block.fFrame)
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);

    if (literalStep < 0)
        P3109_Line("while (" + index + " >= " + limit + ")");
    else if (literalStep > 0)
        P3109_Line("while (" + index + " <= " + limit + ")");
    else {
        P3109_Line("while ( ( ( " + step + " >= 0 ) && ( " + index + " <= " + limit + " ) )");
        P3109_Line("   || ( ( " + step + " < 0 ) && ( " + index + " >= " + limit + " ) ) )");
    }
    P3109_Line("{");
    P3109_IndentIn();
    block.loopTo = P3109_ParmField("TO");
    block.loopUsing = usingField;
    block.lIterator1 = literalStep;
    P3109_EmitCommandPrologue();
    P3109_EmitFatalErrorBreak();
}

void P3109_EmitEndLoop()
{
    const std::string step = loopName("X_Loop_Step_"), index = loopName("X_Loop_Index_"),
                      limit = loopName("X_Loop_Limit_");
    P3109_EmitCommandPrologue();
    P3109_WriteContinuePoint();
    const GEN_BLOCK_ENTRY& block = innermost();
    if (block.fFrame)
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
    if (const std::shared_ptr<const GEN_FIELD_INFO> to = P3109_HoldOperandField(block.loopTo, 20); to && to->fKind("FL"))
        P3109_WriteGetLongFromPacked(*to, limit);
    const std::shared_ptr<const GEN_FIELD_INFO> counter = !block.loopUsing.empty() && block.loopUsing[0] != '*'
                                                              ? P3109_HoldOperandField(block.loopUsing)
                                                              : nullptr;
    if (counter)
        P3109_WriteGetLongFromPacked(*counter, index);
    /* the step keeps its full 32 bits, as the loop head tested it */
    const int32_t literalStep = block.lIterator1;
    if (literalStep == 0)
        P3109_Line(index + " = " + index + " + " + step + ";");
    else if (literalStep > 0)
        P3109_Line(index + " = " + index + " + " + std::to_string(literalStep) + ";");
    else
        P3109_Line(index + " = " + index + " - " + std::to_string(-static_cast<long long>(literalStep)) + ";");
    if (counter)
        P3109_WriteStoreLongInPacked(*counter, index);
    if (block.fFrame)
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
    P3109_IndentOut();
    P3109_Line("}");
    P3109_WriteLeavePoint();
    P3109_IndentOut();
    P3109_Line("}");
}
