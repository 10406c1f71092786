/*
** component_commands.cpp: the code of a component routine (its locals,
** start-up and shutdown), the commands that act on components (SET,
** SIGNAL, SET_REF, INVOKE, ASSIGN, PERFORM, IF_REF, FOR/ENDFOR) as calls of
** the component dispatch macro with the dispatch id the object layer gave
** the command, and the two tables the core writes for a component: the
** routine header table and the dispatch-id table.
*/
#include "dqov/runcontrol/run_driver.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/expressions/expr_routines.h"

namespace {

GEN_BLOCK_ENTRY& innermost()
{
    return g().blocks[static_cast<size_t>(std::max<int16_t>(g().sBlockDepth, 0))];
}

int32_t dispatchId()
{
    return P3109_CurrentParsedHead().lDispatchId;
}

std::string kindText(const char* kind)
{
    return P3109_fCSharp() ? std::string("DqooDef.") + kind : std::string(kind);
}

void dispatchCommand()
{
    P3109_EmitComponentDispatch(kindText("X_COMP_DISPATCH_ZOPHX_COMMAND"), 1, dispatchId(), "");
}

/* INVOKE, ASSIGN and PERFORM: the dispatch, or the compiled evaluation. */
void dispatchOrEvaluate()
{
    P3109_EmitCommandPrologue();
    if (dispatchId() != -1) {
        dispatchCommand();
        return;
    }
    if (const char* reference = P3109_pRoutineReference())
        EXPR_WriteCommandEvaluationCall(P3109_ExpressionWriter(), reference);
}

std::string forNumber()
{
    return std::to_string(innermost().lLineNumber);
}

}  // namespace

void P3109_EmitComponentRoutineLocals()
{
    static constexpr const char* kC[] = {
        "struct X_IDS                       *  pX_Ids = ((struct X_IDS*)( pRequestBlock->pX_Ids ));",
        "X_COMP_MODULE_FRAME                *  pModuleFrame = ((X_COMP_MODULE_FRAME*)( apvAgreedArgs[0] ));",
        "struct X_PRO                       *  pX_Pro = pX_Ids->pX_IdsComponent->pX_ProComponent;",
        "struct X_FUN                       *  pX_Fun  = pModuleFrame->pX_Fun;",
        "struct X_FLD                       *  pX_Fld  = pModuleFrame->pX_Fld;",
        "struct X_LIST                      *  pX_List = pModuleFrame->pX_List;",
        "struct FUNCTION_STATIC_GLOBAL_1    *  pGlobal1 = ((struct FUNCTION_STATIC_GLOBAL_1*)( pModuleFrame->pGlobal1 "
        "));",
        "struct FUNCTION_STATIC_GLOBAL_2    *  pGlobal2 = ((struct FUNCTION_STATIC_GLOBAL_2*)( pModuleFrame->pGlobal2 "
        "));",
        "struct X_FKEY                      *  X_FKey = pX_NULL;",
        "X_COMP_RETURN_CODE                    lReturnCode = X_COMP_RETURN_OK;",
        "X_COMPONENT_ROUTINE_INFO              RoutineInfo;",
        "struct X_FUN                       *  pSTACKActiveCompRtnX_Fun = pX_Ids->pActiveCompRtnX_Fun;"};
    static constexpr const char* kCs[] = {
        "X_IDS                    pX_Ids = (X_IDS) pRequestBlock.pX_Ids;",
        "_X_COMP_MODULE_FRAME     pModuleFrame = (_X_COMP_MODULE_FRAME) apvAgreedArgs[0];",
        "X_PRO                    pX_Pro = pX_Ids.pX_IdsComponent.pX_ProComponent;",
        "X_FUN                    pX_Fun  = pModuleFrame.pX_Fun;",
        "X_FLD[]                  pX_Fld  = pModuleFrame.pX_Fld;",
        "X_LIST[]                 pX_List = pModuleFrame.pX_List;",
        "FUNCTION_STATIC_GLOBAL_1 pGlobal1 = (FUNCTION_STATIC_GLOBAL_1) pModuleFrame.pGlobal1;",
        "FUNCTION_STATIC_GLOBAL_2 pGlobal2 = (FUNCTION_STATIC_GLOBAL_2) pModuleFrame.pGlobal2;",
        "X_FKEY                   X_FKey = null;",
        "int                      lReturnCode = DqooDef.X_COMP_RETURN_OK;",
        "X_COMPONENT_ROUTINE_INFO RoutineInfo = new X_COMPONENT_ROUTINE_INFO();",
        "X_FUN                    pSTACKActiveCompRtnX_Fun = pX_Ids.pActiveCompRtnX_Fun;"};
    const bool cs = P3109_fCSharp();
    for (const char* line : cs ? kCs : kC)
        P3109_Line(line);
    if (cs)
        P3109_Line(P3109_fHasCursors() ? "int                   sEntryCursors = pGlobal1.sCurrentCursors;"
                                       : "int                   sEntryCursors = X_FunStr.X_INVALID_CURSOR;");
    else
        P3109_Line(std::string("X_SHORT                               sEntryCursors = ") +
                   (P3109_fHasCursors() ? "INSTANCE(sCurrentCursors)" : "X_INVALID_CURSOR") + ";");
}

void P3109_EmitStartComponentRoutine(std::string_view routineKind)
{
    P3109_WriteDashedBoxComment(g().out.current, "Perform start up logic");
    const std::string kind(routineKind);
    if (P3109_fCSharp()) {
        P3109_Line(P3109_Format("lReturnCode = X_START_COMPONENT_ROUTINE( %s, DqooDef.%s );",
                                GEN_COMPONENT_ROUTINE_ARGS, kind.c_str()));
        P3109_Line("if ( lReturnCode != DqooDef.X_COMP_RETURN_OK ) return lReturnCode;");
        return;
    }
    /* the parsed routine commands carry no message routing options */
    P3109_Line("X_START_COMPONENT_ROUTINE(" + kind + ", 0, 0)");
}

void P3109_EmitTerminateComponentRoutine()
{
    P3109_WriteDashedBoxComment(g().out.current, "Invoke shutdown routine");
    P3109_WriteDashedBoxComment(g().out.current, "Terminate");
    P3109_Line(P3109_fCSharp() ? P3109_Format("return X_TERMINATE_COMPONENT_ROUTINE( %s );", GEN_COMPONENT_ROUTINE_ARGS)
                               : std::string("X_TERMINATE_COMPONENT_ROUTINE"));
}

namespace {

/* C# has no statement macros: the dispatch is a call of the run time's
** method that answers the return code, followed by the routine's end when
** the code is not X_COMP_RETURN_OK. */
void writeCSharpDispatch(const std::string& kind, int iEnding, int32_t lDispatchId, const std::string& suffix)
{
    const bool routine = P3109_fInComponentRoutine();
    const std::string caller = routine ? "RoutineInfo, pSTACKActiveCompRtnX_Fun, ulNoofNegotiableComps, aNegotiableComps"
                                       : "null, null, 0, null";
    P3109_Line("lReturnCode = X_DISPATCH_COMPONENT_COMMAND" + suffix + "( " + std::to_string(lDispatchId) + ", " +
               caller + ", pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + kind + " );");
    std::string end;
    if (!routine && !P3109_fInSubroutine())
        end = P3109_CSharpRoutineEnd("X_GloDef.X_SUBR_FAILED");
    else if (iEnding == 0)
        end = "return X_GloDef.X_SUBR_ABORTED;";
    else if (routine)
        end = "return lReturnCode;";
    else
        end = "return X_GloDef.X_SUBR_FAILED;";
    P3109_Line("if ( lReturnCode != DqooDef.X_COMP_RETURN_OK ) " + end);
}

}  // namespace

void P3109_EmitComponentDispatch(std::string_view kind, int iEnding, int32_t lDispatchId, std::string_view suffix)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->lZophxUsed || lDispatchId == -1)
        return;
    const std::string k(kind), sfx(suffix);
    if (P3109_fCSharp()) {
        writeCSharpDispatch(k, iEnding, lDispatchId, sfx);
        return;
    }
    std::string line =
        P3109_fInComponentRoutine()
            ? P3109_Format("X_DISPATCH_COMPONENT_COMMAND%s( %ldL, &(RoutineInfo), pSTACKActiveCompRtnX_Fun, "
                           "ulNoofNegotiableComps, aNegotiableComps, %s, ",
                           sfx.c_str(), static_cast<long>(lDispatchId), k.c_str())
            : P3109_Format("X_DISPATCH_COMPONENT_COMMAND%s( %ldL, pX_NULL, pX_NULL, 0, pX_NULL, %s, ", sfx.c_str(),
                           static_cast<long>(lDispatchId), k.c_str());
    if (!P3109_fInComponentRoutine() && !P3109_fInSubroutine())
        line += "X_MAIN_CHECK_DISPATCH( lReturnCode, " + P3109_ModuleName() + " ) )";
    else if (iEnding == 0)
        line += "X_SUBR_ABORT )";
    else if (P3109_fInComponentRoutine())
        line += "return(lReturnCode); )";
    else
        line += "X_SUBR_CHECK_DISPATCH( lReturnCode ) )";
    P3109_Line(line);
}

void P3109_EmitSet()
{
    P3109_EmitCommandPrologue();
    dispatchCommand();
}

void P3109_EmitSignal()
{
    P3109_EmitCommandPrologue();
    dispatchCommand();
}

void P3109_EmitSetRef()
{
    P3109_EmitCommandPrologue();
    dispatchCommand();
}

void P3109_EmitInvoke()
{
    dispatchOrEvaluate();
}
void P3109_EmitAssign()
{
    dispatchOrEvaluate();
}
void P3109_EmitPerform()
{
    dispatchOrEvaluate();
}

void P3109_EmitIfRef()
{
    P3109_EmitCommandPrologue();
    CGEN_AddStaticWorkingEntry(0, "X_COMP_RETURN_CODE lIfRefCommandResult", "INSTANCE(lIfRefCommandResult) = FALSE;",
                               "public int lIfRefCommandResult", "pGlobal1.lIfRefCommandResult = 0;",
                               GEN_STATIC_UNIQUE);
    P3109_EmitComponentDispatch(P3109_fCSharp()
                                    ? "DqooDef.X_COMP_DISPATCH_ZOPHX_CONDITION, ref pGlobal1.lIfRefCommandResult"
                                    : "X_COMP_DISPATCH_ZOPHX_CONDITION, &(INSTANCE(lIfRefCommandResult))",
                                1, dispatchId(), "_1");
    P3109_Line(P3109_fCSharp() ? "if (pGlobal1.lIfRefCommandResult == DqooDef.X_COMP_RETURN_TRUE)"
                               : "if (INSTANCE(lIfRefCommandResult) == X_COMP_RETURN_TRUE)");
    P3109_Line("{");
}

void P3109_EmitFor()
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (ctx)
        ctx->ulLabelNumber = P31O2_ulPushLabelNumber(ctx);
    P3109_EmitLabelTarget();
    P3109_WriteComment("Define the starting point of the FOR Loop");
    P3109_Line("{");
    P3109_IndentIn();
    GEN_BLOCK_ENTRY& block = innermost();
    block.lIterator2 = dispatchId();
    const std::string n = forNumber();
    const bool cs = P3109_fCSharp();
    P3109_Line(cs ? "Object pvForLoopIterator" + n + " = null;" : "X_PVOID pvForLoopIterator" + n + " = pX_NULL;");
    P3109_Line(cs ? "Object lForCommandResult" + n + "  = 0;" : "X_COMP_RETURN_CODE lForCommandResult" + n + "  = 0;");
    P3109_WriteComment("Begin an infinite loop");
    P3109_Line(cs ? "while ( true )" : "while ( 1 )");
    P3109_Line("{");
    P3109_IndentIn();
    P3109_EmitCommandPrologue();
    P3109_LineAt(1, " ");
    P3109_EmitComponentDispatch(
        cs ? "DqooDef.X_COMP_DISPATCH_ITERATOR_STEP, ref pvForLoopIterator" + n + ", ref lForCommandResult" + n
           : "X_COMP_DISPATCH_ITERATOR_STEP, &pvForLoopIterator" + n + ", &lForCommandResult" + n,
        1, block.lIterator2, "_2");
    P3109_WriteComment("Exit loop if iterator has indicated that there is no more to process");
    P3109_Line(cs ? "if ( ((int)lForCommandResult" + n + ") != DqooDef.X_COMP_RETURN_TRUE ) break;"
                  : "if ( lForCommandResult" + n + " != X_COMP_RETURN_TRUE ) break;");
    P3109_EmitFatalErrorBreak();
}

void P3109_EmitEndFor()
{
    P3109_WriteContinuePoint();
    P3109_EmitCommandPrologue();
    P3109_IndentOut();
    P3109_Line("}");
    P3109_WriteComment("End of the for loop");
    P3109_WriteLeavePoint();
    const std::string n = forNumber();
    P3109_EmitComponentDispatch(P3109_fCSharp() ? "DqooDef.X_COMP_DISPATCH_ITERATOR_DESTROY, ref pvForLoopIterator" + n
                                                : "X_COMP_DISPATCH_ITERATOR_DESTROY, &pvForLoopIterator" + n,
                                1, innermost().lIterator2, "_1");
    P3109_IndentOut();
    P3109_Line("}");
    FFC_CONTEXT* ctx = P3109_Context();
    if (ctx)
        ctx->ulLabelNumber = P31O2_ulPopLabelNumber(ctx);
}

void P3109_EmitComponentHeaderTable(const GEN_COMPONENT_HEADER_TABLE* pTable, GEN_STREAM cStream, GEN_STREAM csStream,
                                    uint16_t usIndent)
{
    if (!pTable || pTable->members.empty())
        return;
    P3109_WriteLine(cStream, 0, " ");
    P3109_WriteLine(csStream, 0, " ");
    /* a table without included members still closes */
    size_t last = pTable->members.size();
    for (size_t i = 0; i < pTable->members.size(); ++i)
        if (pTable->members[i].fIncluded)
            last = i;
    const int16_t at = static_cast<int16_t>(usIndent);
    if (last == pTable->members.size()) {
        P3109_WriteLine(cStream, at, "static const X_PVOID " + pTable->name + "[] = { pX_NULL };");
        P3109_WriteLine(csStream, at, "static X_COMP_HEADER[] " + pTable->name + " = { };");
        return;
    }
    P3109_WriteLine(cStream, at, "static const X_PVOID " + pTable->name + "[] = {");
    P3109_WriteLine(csStream, at, "static X_COMP_HEADER[] " + pTable->name + " = {");
    long number = 0;
    for (size_t i = 0; i < pTable->members.size(); ++i) {
        const GEN_COMPONENT_HEADER_MEMBER& m = pTable->members[i];
        if (!m.fIncluded)
            continue;
        const char* end = i == last ? " };" : " ,";
        P3109_WriteLine(cStream, static_cast<int16_t>(usIndent + 3),
                        P3109_Format("/* [%ld] */ ( (X_PVOID) &(%s) )%s", number, m.text.c_str(), end));
        P3109_WriteLine(csStream, static_cast<int16_t>(usIndent + 3),
                        P3109_Format("/* [%ld] */ ( (%s) )%s", number, m.text.c_str(), end));
        ++number;
    }
}

void P3109_EmitComponentDispatchIdTable(const GEN_COMPONENT_DISPATCH_TABLE* pTable, GEN_STREAM cStream,
                                        GEN_STREAM csStream, uint16_t usIndent)
{
    if (!pTable)
        return;
    std::vector<int32_t> ids = pTable->ids;
    if (ids.empty())
        ids.push_back(-1);
    P3109_WriteLine(cStream, 0, " ");
    std::string c = "static const X_COMP_DISPATCH_ID " + pTable->name + "[] = {";
    std::string cs = "static int[] " + pTable->name + " = {";
    const std::string continuation(13, ' ');
    size_t onLine = 0, perLine = 3;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (onLine == perLine) {
            P3109_WriteLine(cStream, static_cast<int16_t>(usIndent), c);
            P3109_WriteLine(csStream, static_cast<int16_t>(usIndent + 3), cs);
            c = cs = continuation;
            onLine = 0;
            perLine = 12;
        }
        const long id = ids[i];
        c += P3109_Format(i == 0 ? "%ldL" : ",%ldL", id);
        cs += P3109_Format(i == 0 ? "%ld" : ",%ld", id);
        ++onLine;
    }
    P3109_WriteLine(cStream, static_cast<int16_t>(usIndent), c + "};");
    P3109_WriteLine(csStream, static_cast<int16_t>(usIndent + 3), cs + "};");
}
