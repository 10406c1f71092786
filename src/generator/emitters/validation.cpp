/*
** validation.cpp: validation blocks (BEGINCHECK ... ENDCHECK, ON_ERROR,
** IF_ERROR), SET_ERROR and the check commands, with the shared writers of
** the error count, the field error flags, the result action of a check and
** the constant vector groups of field indexes. FILECHECK asks the file's
** I/O module whether a record with the field's key exists.
**
** Blocks nest: a nested block saves the error flags of the fields on entry
** and merges them back at its end; an error counts on every open level.
*/
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/emit_state.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/io_support.h"
#include "generator/expressions/expr_routines.h"

namespace {

bool cs()
{
    return P3109_fCSharp();
}

GEN_BLOCK_ENTRY& innermost()
{
    return g().blocks[static_cast<size_t>(std::max<int16_t>(g().sBlockDepth, 0))];
}

bool componentRun()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && ctx->lComponentRun;
}

/* Whether a BEGINCHECK block is open: its acceptance flags exist only
** then. A check outside a block sets the field in error or leaves it, and
** its acceptance has no later check of a block to spare. */
bool insideBlock()
{
    return P3109_EmitterState().sValidationDepth > 0;
}

/* Entries of a list parameter that one vector group holds. */
constexpr size_t kGroupNameLimit = 50;

/* The field set in error, as SET_ERROR sets it. */
void setFieldInError(const GEN_FIELD_INFO& field)
{
    if (componentRun())
        P3109_Line(P3109_RunTime("X_Comp_Set_Error_On") + "(pX_Ids,pX_Pro,pX_Fun,pX_Fld," + field.vectorName + ");");
    else
        P3109_Line("pX_Fld[" + field.vectorName + "].chValError = YES;");
}

/* The entries of a list parameter, blank-padded to GEN_OPERAND_NAME_WIDTH
** for a vector group; at most kGroupNameLimit. */
void collect(std::vector<std::string>& names, const std::string& entry)
{
    if (P3109_TrimRight(entry).empty())
        return;
    if (names.size() == kGroupNameLimit)
        P3109_ReportException();
    names.push_back(P3109_Padded(entry, GEN_OPERAND_NAME_WIDTH));
}

/* The operands of the first 50 entries of a list parameter, each entry's
** columns in order. */
std::vector<std::string> collectEntries(const char* keyword, int columns)
{
    std::vector<std::string> names;
    const int32_t count = std::min<int32_t>(P3109_ParmCount(keyword), static_cast<int32_t>(kGroupNameLimit));
    for (int32_t i = 0; i < count; ++i)
        for (int column = 0; column < columns; ++column)
            collect(names, P3109_ParmField(keyword, column, i));
    return names;
}

/* The three closing lines of a check call. */
void standardLines(const std::string& indent, const std::string& in, const std::string& out,
                   const GEN_CHECK_MESSAGE& message)
{
    P3109_Line(indent + in + "," + out + ",");
    P3109_Line(indent + message.msgId + "," + message.msgFile + ",");
    P3109_Line(indent + message.count + "," + (cs() && message.vector == "pX_NULL" ? "null" : message.vector) + "," +
               (cs() ? "ref pGlobal1.chResultofCheck);" : "&(INSTANCE(chResultofCheck)));"));
}

/* The error counter of validation block level `level`. */
std::string errorCountName(int level)
{
    return "X_ErrorCount_" + std::to_string(level);
}

/* A check command: its frame around the preparation and the call. */
struct Check {
    const char* comment; /* the comment's text before the field's name */
    const char* inKeyword;
    const char* outKeyword;
};

/* The checked field's description, held; null when the check is left out. */
std::shared_ptr<const GEN_FIELD_INFO> openCheck(const Check& c, bool& frame)
{
    P3109_EmitCommandPrologue();
    std::shared_ptr<const GEN_FIELD_INFO> held = P3109_HoldOperandField(P3109_ParmField("FIELD"));
    if (!held)
        return nullptr;
    const GEN_FIELD_INFO& field = *held;
    /* the name ends at a terminator, as a C string would */
    const std::string name = P3109_TrimRight(field.fieldName);
    P3109_WriteComment(std::string(c.comment).append(name.c_str()));
    /* outside a validation block no earlier check of the block can have
       accepted the field: the check always runs */
    if (insideBlock())
        P3109_Line("if (" + P3109_Instance("fchFieldAccepted[" + field.vectorName + "]") + " == NO)");
    P3109_Line("{");
    P3109_IndentIn();
    frame = P3109_fFrameIndicator();
    if (frame)
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
    return held;
}

void closeCheck(const GEN_FIELD_INFO& field, bool frame, bool called)
{
    /* a check whose call was left out has no result of its own to act on */
    if (called)
        P3109_EmitCheckResultAction(field);
    if (frame)
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
    P3109_IndentOut();
    P3109_Line("}");
}

std::string actionName(const char* keyword)
{
    std::string name;
    P3109_MakeActionName(P3109_ParmField(keyword), name);
    return cs() && !name.empty() ? "X_CmdStr." + name : name;
}

/* The compiled form of DATECHECK, RANGECHECK, VALUECHECK and CONDCHECK:
** the condition checker over the command's Boolean routine. */
bool writeCompiledCheck(const GEN_FIELD_INFO& field, const Check& c, const GEN_CHECK_MESSAGE& message,
                        const std::string& indent)
{
    const char* reference = P3109_pRoutineReference();
    std::string call;
    if (reference)
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, &call, nullptr);
    if (call.empty())
        return false;
    P3109_WriteComment("Invoke the condition checker with result");
    P3109_Line(P3109_RunTime("X_Condition_Check") + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
    P3109_Line(indent + field.vectorName + ",( ( " + call + " ) ? YES : NO ),");
    standardLines(indent, actionName(c.inKeyword), actionName(c.outKeyword), message);
    return true;
}

void noteCheckResult()
{
    g().emit.cCheckResult = 'Y';
}

/* The flags of an enclosing block saved while a nested one runs: C# lets
** no block declare a name that a block around it declares, so each depth
** has its own there. */
std::string errorsSave(int16_t depth)
{
    return cs() ? "X_ErrorsSave_" + std::to_string(depth) : "X_ErrorsSave";
}

}  // namespace

void P3109_EmitBeginCheck()
{
    P3109_EmitCommandPrologue();
    GEN_EMITTER_STATE& es = P3109_EmitterState();
    const int16_t depth = ++es.sValidationDepth;
    GEN_EMITTER_FLAGS& flags = g().emit;
    flags.cValidation = 'Y';
    flags.sBeginChecks = std::max(flags.sBeginChecks, depth);
    P3109_Line("{");
    P3109_IndentIn();
    if (depth > 1)
        P3109_Line(cs() ? "char[] " + errorsSave(depth) + " = new char[X_VECTOR_TOTAL];"
                        : "X_YES_NO X_ErrorsSave[X_VECTOR_TOTAL];");
    P3109_Line(cs() ? "X_DEFS.X_MEMSET( pGlobal1.fchFieldAccepted, NO );"
                    : "memset(INSTANCE(fchFieldAccepted),NO,sizeof(INSTANCE(fchFieldAccepted)));");
    if (!(depth == 1 && componentRun())) {
        P3109_Line("{");
        P3109_IndentIn();
        P3109_Line(cs() ? "int i;" : "X_SHORT i;");
        P3109_Line("for (i = 0; i < X_VECTOR_TOTAL; i++)");
        P3109_Line("{");
        if (depth > 1)
            P3109_Line("   " + errorsSave(depth) + "[i] = pX_Fld[i].chValError;");
        if (!componentRun())
            P3109_Line("   pX_Fld[i].chValError = NO;");
        P3109_Line("}");
        P3109_IndentOut();
        P3109_Line("}");
    }
    if (componentRun())
        P3109_Line(P3109_RunTime("X_Comp_Set_All_Errors_Off") + "(pX_Ids,pX_Pro,pX_Fun,X_VECTOR_TOTAL,pX_Fld);");
    P3109_Line(P3109_Instance(errorCountName(depth)) + " = 0;");
    const std::string count = P3109_ParmField("KEEP_COUNT");
    GEN_FIELD_INFO info;
    if (P3109_TrimRight(count) != "*NONE" && P3109_fFindUsedField(count, info)) {
        innermost().fErrorCountField = true;
        innermost().errorCountField = info.vectorName;
    }
}

void P3109_EmitEndCheck()
{
    P3109_EmitCommandPrologue();
    GEN_EMITTER_STATE& es = P3109_EmitterState();
    const int16_t depth = es.sValidationDepth;
    if (depth > 1) {
        P3109_WriteComment("Merge nested error flags");
        P3109_Line("{");
        P3109_IndentIn();
        P3109_Line(cs() ? "int i;" : "X_SHORT i;");
        P3109_Line("for (i = 0; i < X_VECTOR_TOTAL; i++)");
        P3109_Line("{");
        const std::string saved = "   if (" + errorsSave(depth) + "[i] == YES) ";
        P3109_Line(componentRun() ? saved + P3109_RunTime("X_Comp_Set_Error_On") + "(pX_Ids,pX_Pro,pX_Fun,pX_Fld,i);"
                                  : saved + "pX_Fld[i].chValError = YES;");
        P3109_Line("}");
        P3109_IndentOut();
        P3109_Line("}");
    }
    P3109_WriteComment("If an error has occured in this block");
    P3109_Line("if (" + P3109_Instance(errorCountName(std::max<int16_t>(depth, 1))) + " > 0)");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_EmitMessageCall(0);
    P3109_EmitBranchToTarget(P3109_ParmField("IF_ERROR"), static_cast<uint16_t>(g().out.usIndent + 3));
    P3109_IndentOut();
    P3109_Line("}");
    if (!P3109_fCommandIs("ENDCHECK"))
        return;
    P3109_IndentOut();
    P3109_Line("}");
    if (es.sValidationDepth > 0)
        --es.sValidationDepth;
}

void P3109_EmitIfError()
{
    P3109_EmitCommandPrologue();
    P3109_WriteComment("If an error has occured in this block");
    P3109_Line("if (" + P3109_Instance(errorCountName(std::max<int16_t>(P3109_EmitterState().sValidationDepth, 1))) +
               " > 0)");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_EmitMessageCall(0);
}

void P3109_EmitSetError()
{
    P3109_EmitCommandPrologue();
    P3109_EmitIncrementErrorCount();
    P3109_EmitMessageCall(0);
    const int32_t count = std::min<int32_t>(P3109_ParmCount("FOR_FIELD"), 100);
    for (int32_t i = 0; i < count; ++i)
        for (const std::string& name : P3109_ExpandFieldName(P3109_ParmField("FOR_FIELD", 0, i))) {
            GEN_FIELD_INFO field;
            if (!P3109_fFindUsedField(name, field))
                continue;
            setFieldInError(field);
            P3109_EmitSetFieldError(field);
        }
}

void P3109_EmitIncrementErrorCount()
{
    const GEN_MODULE_STATE& s = g();
    for (int16_t level = 1; level <= P3109_EmitterState().sValidationDepth; ++level)
        P3109_Line(P3109_Instance(errorCountName(level)) + "++;");
    for (int i = 0; i <= s.sBlockDepth; ++i) {
        const GEN_BLOCK_ENTRY& e = s.blocks[static_cast<size_t>(i)];
        if (!e.fErrorCountField)
            continue;
        P3109_Line(P3109_RunTime("X_Vec_Increment") + "(pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
        P3109_Line("               " + e.errorCountField + ",1);");
    }
}

void P3109_EmitSetFieldError(const GEN_FIELD_INFO& field)
{
    const char kind = field.array.cKind;
    if (kind == 'A') {
        P3109_Line("{");
        P3109_IndentIn();
        const char* type = cs() ? "int    " : "X_SHORT";
        P3109_Line(std::string(type) + " sIndexVector = pX_Fld[" + field.vectorName + "].sIndexVOV;");
        P3109_Line(std::string(type) + " sIndexValue  = pX_Fld[sIndexVector].sIndexVOV;");
        P3109_Line("pX_Fld[" + field.vectorName + " + sIndexValue].chValError = YES;");
        P3109_IndentOut();
        P3109_Line("}");
        return;
    }
    if (kind != 'B' && kind != 'O')
        return;
    GEN_FIELD_INFO associated;
    if (P3109_fFindUsedField(field.array.referenced, associated))
        setFieldInError(associated);
}

void P3109_EmitCheckResultAction(const GEN_FIELD_INFO& field)
{
    const std::string in = P3109_ParmField(P3109_fCommandIs("DATECHECK") || P3109_fCommandIs("CALLCHECK") ? "IF_VALID"
                                           : P3109_fCommandIs("RANGECHECK")                               ? "IN_RANGE"
                                           : P3109_fCommandIs("VALUECHECK")                               ? "IN_LIST"
                                           : P3109_fCommandIs("CONDCHECK")                                ? "IF_TRUE"
                                                                                                          : "IN_FILE");
    const std::string out =
        P3109_ParmField(P3109_fCommandIs("DATECHECK") || P3109_fCommandIs("CALLCHECK") ? "IF_INVALID"
                        : P3109_fCommandIs("RANGECHECK")                               ? "OUT_RANGE"
                        : P3109_fCommandIs("VALUECHECK")                               ? "NOT_INLIST"
                        : P3109_fCommandIs("CONDCHECK")                                ? "IF_FALSE"
                                                                                       : "NOT_INFILE");
    auto given = [&](const char* prefix) { return in.compare(0, 2, prefix) == 0 || out.compare(0, 2, prefix) == 0; };
    if (given("*E")) {
        P3109_WriteComment("Handle a validation error");
        P3109_Line(cs() ? "if (pGlobal1.chResultofCheck == X_CmdStr.X_ERROR_ACTION)"
                        : "if (INSTANCE(chResultofCheck) == X_ERROR_ACTION)");
        P3109_Line("{");
        P3109_IndentIn();
        P3109_EmitIncrementErrorCount();
        setFieldInError(field);
        P3109_EmitSetFieldError(field);
        P3109_IndentOut();
        P3109_Line("}");
    }
    if (given("*A") && insideBlock()) {
        P3109_WriteComment("Handle an acceptance");
        P3109_Line(cs() ? "if (pGlobal1.chResultofCheck == X_CmdStr.X_ACCEPT_ACTION)"
                        : "if (INSTANCE(chResultofCheck) == X_ACCEPT_ACTION)");
        P3109_Line("{");
        P3109_IndentIn();
        P3109_Line(P3109_Instance("fchFieldAccepted[" + field.vectorName + "]") + " = YES;");
        P3109_IndentOut();
        P3109_Line("}");
    }
}

void P3109_EmitConstantVectorGroup(std::string_view groupName, const std::vector<std::string>& operands, bool fStatic,
                                   std::string_view keyword)
{
    const std::string name(groupName);
    const GEN_STREAM queue1 = 1;
    if (!operands.empty()) {
        P3109_WriteDashedBoxComment(queue1, "Constant Vector Group Definition : " + name);
        P3109_WriteLine(queue1, 3,
                        cs() ? "private static readonly short[] as" + name + " ="
                             : std::string("static ") + (fStatic ? "const" : "") + " X_SHORT as" + name + "[] =");
        std::string line = "{";
        for (size_t i = 0; i < operands.size(); ++i) {
            if (i > 0 && i % 4 == 0) {
                P3109_WriteLine(queue1, 6, line);
                line = " ";
            }
            /* an operand without a vector entry would leave an empty slot:
               the generation stops, naming it (a special value written in
               place has none to give) */
            if (const GEN_FIELD_INFO* info = P3109_pFindOperandField(operands[i], GEN_OPERAND_NAME_WIDTH))
                line += info->vectorName;
            else {
                if (P3109_TrimRight(operands[i]).rfind('*', 0) == 0)
                    P3109_UnusableValue(keyword, operands[i]);
                else
                    P3109_UnresolvedName(keyword, operands[i]);
                line += "V_NOT_AVAILABLE";
            }
            if (i + 1 < operands.size())
                line += ",";
        }
        P3109_WriteLine(queue1, 10, line + "};");
    }
    const int16_t list = fStatic ? 2 : 0;
    const char* instance = fStatic ? "INSTANCE_S3" : "INSTANCE";
    const std::string pointer = std::string(instance) + "(" + name + ")";
    const std::string count = std::string(instance) + "(sc" + name + ")";
    const std::string csInstance = fStatic ? "FunctionGlobalStatic3." : "pGlobal1.";
    CGEN_AddStaticWorkingEntry(
        list, "X_PSHORT " + name,
        operands.empty() ? pointer + " = pX_NULL;" : pointer + " = ((X_PSHORT)( &(as" + name + "[0]) ));",
        "public short[] " + name, csInstance + name + (operands.empty() ? " = null;" : " = as" + name + ";"),
        GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingEntry(
        list, "X_SHORT sc" + name,
        operands.empty() ? count + " = 0;" : count + " = sizeof(as" + name + ") / sizeof(X_SHORT);",
        "public int sc" + name, csInstance + "sc" + name + (operands.empty() ? " = 0;" : " = as" + name + ".Length;"),
        GEN_STATIC_UNIQUE);
}

void P3109_EmitDateCheck()
{
    const Check c{"Perform a Date Check on field ", "IF_VALID", "IF_INVALID"};
    bool frame = false;
    const std::shared_ptr<const GEN_FIELD_INFO> held = openCheck(c, frame);
    if (!held)
        return;
    const GEN_FIELD_INFO& field = *held;
    GEN_CHECK_MESSAGE message;
    P3109_EmitCheckMessage(message, 'B');
    noteCheckResult();
    const std::string indent(15, ' ');
    if (!writeCompiledCheck(field, c, message, std::string(19, ' '))) {
        P3109_WriteComment("Invoke Date Check and get a result");
        P3109_Line(P3109_RunTime("X_Date_Check") + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
        const std::string format = P3109_Parm("IN_FORMAT");
        P3109_Line(
            indent + field.vectorName + "," +
            (cs() ? P3109_MakeStringLiteral(format.substr(0, 8)) : "\"" + P3109_MakeHexLiteral(format, 8) + "\"") +
            ",");
        /* C writes the bounds as long literals */
        const char* suffix = cs() ? "," : "L,";
        P3109_Line(indent + std::to_string(static_cast<long>(P3109_ParmNumber("DAY_RANGE", 0))) + suffix +
                   std::to_string(static_cast<long>(P3109_ParmNumber("DAY_RANGE", 1))) + suffix);
        standardLines(indent, actionName(c.inKeyword), actionName(c.outKeyword), message);
    }
    closeCheck(field, frame, true);
}

namespace {

/* The end of RANGECHECK and VALUECHECK: the constant group of their bounds or
** values, the message, and then the compiled check or the call of the
** run-time checker over the group (whose count is halved for range pairs). */
void finishGroupCheck(const Check& c, const GEN_FIELD_INFO& field, bool frame, std::vector<std::string>& values,
                      const char* keyword, const char* groupPrefix, const char* comment, const char* routine,
                      bool pairs)
{
    /* a list the checker compiled as its condition (one holding a special
       value, which has no vector entry) needs no group */
    if (P3109_pRoutineReference()) {
        P3109_EmitDynamicSysVars(values, GEN_OPERAND_NAME_WIDTH);
        GEN_CHECK_MESSAGE message;
        P3109_EmitCheckMessage(message, 'B');
        noteCheckResult();
        if (writeCompiledCheck(field, c, message, std::string(19, ' '))) {
            closeCheck(field, frame, true);
            return;
        }
    }
    P3109_EmitDynamicSysVars(values, GEN_OPERAND_NAME_WIDTH);
    const std::string group = groupPrefix + g().lineNumberText;
    if (!values.empty())
        P3109_EmitConstantVectorGroup(group, values, false, keyword);
    GEN_CHECK_MESSAGE message;
    P3109_EmitCheckMessage(message, 'B');
    noteCheckResult();
    const bool called = !values.empty();
    if (called) {
        const std::string indent(5, ' ');
        const std::string count =
            pairs ? (cs() ? "(" : "(X_SHORT)(") + P3109_Instance("sc" + group) + "/2)" : P3109_Instance("sc" + group);
        P3109_WriteComment(comment);
        P3109_Line(P3109_RunTime(routine) + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
        P3109_Line(indent + field.vectorName + "," + count + "," + P3109_Instance(group) + ",");
        standardLines(indent, actionName(c.inKeyword), actionName(c.outKeyword), message);
    }
    closeCheck(field, frame, called);
}

}  // namespace

void P3109_EmitRangeCheck()
{
    const Check c{"Perform Range Check on Field ", "IN_RANGE", "OUT_RANGE"};
    bool frame = false;
    const std::shared_ptr<const GEN_FIELD_INFO> held = openCheck(c, frame);
    if (!held)
        return;
    const GEN_FIELD_INFO& field = *held;
    std::vector<std::string> bounds = collectEntries("RANGE", 2);
    finishGroupCheck(c, field, frame, bounds, "RANGE", "Range_Check_", "Invoke the standard range checker", "X_Range_Check",
                     true);
}

void P3109_EmitValueCheck()
{
    const Check c{"Perform Value Check on Field ", "IN_LIST", "NOT_INLIST"};
    bool frame = false;
    const std::shared_ptr<const GEN_FIELD_INFO> held = openCheck(c, frame);
    if (!held)
        return;
    const GEN_FIELD_INFO& field = *held;
    std::vector<std::string> values = collectEntries("WITH_LIST", 1);
    finishGroupCheck(c, field, frame, values, "WITH_LIST", "List_Check_", "Invoke the standard values checker", "X_Values_Check",
                     false);
}

void P3109_EmitCondCheck()
{
    const Check c{"Perform Condition check on field ", "IF_TRUE", "IF_FALSE"};
    bool frame = false;
    const std::shared_ptr<const GEN_FIELD_INFO> held = openCheck(c, frame);
    if (!held)
        return;
    const GEN_FIELD_INFO& field = *held;
    GEN_CHECK_MESSAGE message;
    P3109_EmitCheckMessage(message, 'B');
    noteCheckResult();
    const std::string indent(15, ' ');
    if (!writeCompiledCheck(field, c, message, indent)) {
        const std::string text = P3109_ParmField("COND");
        const std::string routine = P3109_pszMakeEvaluationName(text, GEN_EVAL_LOGICAL, GEN_EVALUATION_TEXT_MAX, text,
                                                                GEN_EVAL_UNNAMED, GEN_EVAL_SHARE_NAMED, 0)
                                        ->name;
        P3109_WriteComment("Invoke the condition checker with result");
        P3109_Line(P3109_RunTime("X_Condition_Check") + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
        P3109_Line(indent + field.vectorName + "," + routine + "(" + P3109_StdParms() + "),");
        standardLines(indent, actionName(c.inKeyword), actionName(c.outKeyword), message);
    }
    closeCheck(field, frame, true);
}

void P3109_EmitCallCheck()
{
    const Check c{"Perform Complex Check on Field ", "IF_VALID", "IF_INVALID"};
    bool frame = false;
    const std::shared_ptr<const GEN_FIELD_INFO> held = openCheck(c, frame);
    if (!held)
        return;
    const GEN_FIELD_INFO& field = *held;
    std::vector<std::string> parms = collectEntries("PROG_PARM", 1);
    const std::string group = "Parms_" + g().lineNumberText;
    if (!parms.empty()) {
        P3109_EmitDynamicSysVars(parms, GEN_OPERAND_NAME_WIDTH);
        P3109_EmitConstantVectorGroup(group, parms, false, "PROG_PARM");
    }
    GEN_CHECK_MESSAGE message;
    P3109_EmitCheckMessage(message, 'B');
    noteCheckResult();
    const bool function = P3109_Parm("@PGMKIND") == "F";
    const std::string program =
        function ? "LF=" + P3109_TrimRight(P3109_ParmField("BY_CALLING", 0).substr(0, 7)) : P3109_Parm("BY_CALLING", 0);
    const std::string indent(5, ' ');
    P3109_WriteComment("Invoke the complex logic checker");
    P3109_Line(P3109_RunTime("X_Complex_Logic_Check") + " (pX_Ids,pX_Pro,pX_Fun,pX_Fld,");
    P3109_Line(indent + field.vectorName + "," + P3109_MakeStringLiteral(program) + ",");
    P3109_Line(parms.empty() ? indent + (cs() ? "0, null," : "0, pX_NULL,")
                             : indent + P3109_Instance("sc" + group) + "," + P3109_Instance(group) + ",");
    standardLines(indent, actionName(c.inKeyword), actionName(c.outKeyword), message);
    closeCheck(field, frame, true);
}

void P3109_EmitFileCheck()
{
    const Check c{"Perform File Check on field ", "IN_FILE", "NOT_INFILE"};
    bool frame = false;
    const std::shared_ptr<const GEN_FIELD_INFO> held = openCheck(c, frame);
    if (!held)
        return;
    const GEN_FIELD_INFO& field = *held;
    GEN_CHECK_MESSAGE message;
    P3109_EmitCheckMessage(message, 'D');
    noteCheckResult();
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string block = "X_DBM_Chk_" + std::to_string(P3109_sCurrentSequence());
    const std::string module = P3109_IoModuleName(io.physical);
    P3109_WriteComment("Prepare arguments for the I/O Module");
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::FileCheck, block);
    const bool keys = P3109_ParmCount("WITH_KEY") > 0;
    const std::string keyGroup = keys ? P3109_EmitFileCheckKeyGroup() : std::string();
    P3109_EmitCheckMessage(message, 'S');
    P3109_EmitOamBinding(module, "", block);
    P3109_WriteComment("Set up final details before invoking the OAM");
    P3109_EmitIoCounters(module, 11);
    const std::string indent(15, ' ');
    P3109_WriteComment("Invoke the standard file checker");
    P3109_Line(P3109_RunTime("X_Code_File_Check_2") + " (pX_Ids,pX_Pro,pX_Fun,");
    P3109_Line(indent + (cs() ? "" : "&") + block + "," + P3109_QuotedText(P3109_TrimRight(io.file)) + "," +
               P3109_QuotedText(P3109_TrimRight(field.fieldName)) + ",");
    P3109_Line(keys ? indent + P3109_Instance("sc" + keyGroup) + "," + P3109_Instance("ps" + keyGroup) + ","
                    : indent + (cs() ? "0, null," : "0, pX_NULL,"));
    standardLines(indent, actionName(c.inKeyword), actionName(c.outKeyword), message);
    P3109_WriteComment("Set the I/O status ");
    g().emit.cLastIoStatus = 'Y';
    P3109_Line(cs() ? "pGlobal1.vchLastIOStatus = pX_Ids.vchFileCheckRetCode;"
                    : "strcpy(INSTANCE(vchLastIOStatus),pX_Ids->vchFileCheckRetCode);");
    P3109_EmitIoStatusToField("");
    closeCheck(field, frame, true);
}
