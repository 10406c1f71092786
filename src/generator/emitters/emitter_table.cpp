/*
** emitter_table.cpp: the emitter of every language command the generator
** writes, with the block controls the command loop binds with it.
*/
#include "generator/emitters/emitters.h"

#include "generator/core/components/field_initialisation.h"
#include "generator/core/output/command_lookup.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/report_support.h"
#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_routines.h"

namespace {

constexpr int32_t N = GEN_CONTROL_NEVER, B = GEN_CONTROL_BEFORE, A = GEN_CONTROL_AFTER;

/* In the order of the name comparison. */
const P3109_EMITTER_ROW kEmitters[] = {
    {"GROUP_BY", P3109_EmitGroupBy, N, 'N', 'N', 'N', N, N, P3109_FIRST_GROUP_BY},
    {"SELECT", P3109_EmitSelect, B, 'Y', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ENDSELECT", P3109_EmitEndSelect, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"IF", P3109_EmitIf, B, 'N', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"ELSE", P3109_EmitElse, A, 'N', 'N', 'N', B, N, P3109_FIRST_EMITTER},
    {"ENDIF", P3109_EmitEndIf, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"GOTO", P3109_EmitGoto, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DOWHILE", P3109_EmitDoWhile, B, 'Y', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"ENDWHILE", P3109_EmitEndWhile, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"DOUNTIL", P3109_EmitDoUntil, B, 'Y', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"ENDUNTIL", P3109_EmitEndUntil, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"FETCH", P3109_EmitFetch, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"INSERT", P3109_EmitInsert, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SET_MODE", P3109_EmitSetMode, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IF_MODE", P3109_EmitIfMode, B, 'N', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"CHANGE", P3109_EmitChange, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DELETE", P3109_EmitDelete, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"UPDATE", P3109_EmitUpdate, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CHECK_FOR", P3109_EmitCheckFor, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"RENAME", P3109_EmitRename, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"DEFINE", P3109_EmitDefine, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"OVERRIDE", P3109_EmitOverride, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"MESSAGE", P3109_EmitMessage, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ABORT", P3109_EmitMessage, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"EXIT", P3109_EmitMessage, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"MENU", P3109_EmitMessage, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"TRANSFER", P3109_EmitTransfer, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"BEGINCHECK", P3109_EmitBeginCheck, B, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ENDCHECK", P3109_EmitEndCheck, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"ON_ERROR", P3109_EmitEndCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IF_ERROR", P3109_EmitIfError, B, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SET_ERROR", P3109_EmitSetError, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DATECHECK", P3109_EmitDateCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"RANGECHECK", P3109_EmitRangeCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"VALUECHECK", P3109_EmitValueCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CONDCHECK", P3109_EmitCondCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"FILECHECK", P3109_EmitFileCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CALLCHECK", P3109_EmitCallCheck, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CALL", P3109_EmitCall, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"UPRINT", P3109_EmitUprint, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE_UNSUPPORTED},
    {"ENDPRINT", P3109_EmitEndPrint, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"REQUEST", P3109_EmitRequest, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DISPLAY", P3109_EmitDisplay, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IF_NULL", P3109_EmitIfNull, B, 'N', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"DEF_LIST", P3109_EmitDefList, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ADD_ENTRY", P3109_EmitAddEntry, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CLR_LIST", P3109_EmitClrList, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"INZ_LIST", P3109_EmitInzList, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DLT_LIST", P3109_EmitDltList, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"UPD_ENTRY", P3109_EmitUpdEntry, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SELECTLIST", P3109_EmitSelectList, B, 'Y', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IF_STATUS", P3109_EmitIfStatus, B, 'N', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"CASE", P3109_EmitCase, B, 'N', 'Y', 'N', N, N, P3109_FIRST_EMITTER},
    {"WHEN", P3109_EmitWhen, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"OTHERWISE", P3109_EmitOtherwise, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ENDCASE", P3109_EmitEndCase, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"EXCHANGE", P3109_EmitExchange, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SUBSTRING", P3109_EmitSubstring, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"BEGIN_LOOP", P3109_EmitBeginLoop, B, 'Y', 'N', 'Y', N, N, P3109_FIRST_EMITTER},
    {"END_LOOP", P3109_EmitEndLoop, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"COMMIT", P3109_EmitCommit, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ROLLBACK", P3109_EmitRollback, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ENDROUTINE", P3109_EmitEndRoutine, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"EXECUTE", P3109_EmitExecute, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"RETURN", P3109_EmitReturn, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEF_REPORT", P3109_EmitDefReport, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"DEF_HEAD", P3109_EmitDefHead, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEF_FOOT", P3109_EmitDefFoot, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEF_LINE", P3109_EmitDefLine, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEF_BREAK", P3109_EmitDefBreak, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"PRINT", P3109_EmitPrint, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"KEEP_TOTAL", P3109_EmitKeep, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"KEEP_COUNT", P3109_EmitKeep, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"KEEP_AVG", P3109_EmitKeep, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"KEEP_MAX", P3109_EmitKeep, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"KEEP_MIN", P3109_EmitKeep, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SPACE", P3109_EmitSpaceSkip, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SKIP", P3109_EmitSpaceSkip, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CLOSE", P3109_EmitClose, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"GET_ENTRY", P3109_EmitGetEntry, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DLT_ENTRY", P3109_EmitDltEntry, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"LOC_ENTRY", P3109_EmitLocEntry, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SORT_LIST", P3109_EmitSortList, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IF_KEY", P3109_EmitIfKey, B, 'N', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"BROWSE", P3109_EmitBrowse, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE_UNSUPPORTED},
    {"SUBMIT", P3109_EmitSubmit, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"USE", P3109_EmitUse, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"POINT", P3109_EmitPoint, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"OPEN", P3109_EmitOpen, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"EXEC_CPF", P3109_EmitExecCpf, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"EXEC_OS400", P3109_EmitExecCpf, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"POP_UP", P3109_EmitPopUp, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEF_COND", P3109_EmitDefCond, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"FUNCTION", P3109_EmitFunction, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEF_ARRAY", P3109_EmitDefArray, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"SELECT_SQL", P3109_EmitSelectSql, B, 'Y', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"CONTINUE", P3109_EmitContinue, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"LEAVE", P3109_EmitLeave, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"INCLUDE", P3109_EmitInclude, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"BEGIN_COM", P3109_EmitBeginCom, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"END_COM", P3109_EmitEndCom, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"DEFINE_COM", P3109_EmitDefineCom, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"DEFINE_MAP", P3109_EmitDefineMap, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"SET", P3109_EmitSet, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEFINE_PTY", P3109_EmitDefinePty, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"PTYROUTINE", P3109_EmitPtyRoutine, B, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"EVTROUTINE", P3109_EmitEvtRoutine, B, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"DEFINE_EVT", P3109_EmitDefineEvt, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"SIGNAL", P3109_EmitSignal, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"MTHROUTINE", P3109_EmitMthRoutine, B, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"INVOKE", P3109_EmitInvoke, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"_INVOKE", P3109_EmitInvoke, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"SET_REF", P3109_EmitSetRef, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IF_REF", P3109_EmitIfRef, B, 'N', 'N', 'N', N, A, P3109_FIRST_EMITTER},
    {"ASSIGN", P3109_EmitAssign, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"_ASSIGN", P3109_EmitAssign, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"IMPORT", P3109_EmitImport, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"FOR", P3109_EmitFor, B, 'Y', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"ENDFOR", P3109_EmitEndFor, N, 'N', 'N', 'N', A, N, P3109_FIRST_EMITTER},
    {"WEBROUTINE", P3109_EmitWebRoutine, B, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"WEB_MAP", P3109_EmitWebMap, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"ATTRIBUTE", P3109_EmitAttribute, N, 'N', 'N', 'N', N, N, P3109_FIRST_PROLOGUE},
    {"PERFORM", P3109_EmitPerform, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
    {"_PERFORM", P3109_EmitPerform, N, 'N', 'N', 'N', N, N, P3109_FIRST_EMITTER},
};

}  // namespace

const P3109_EMITTER_ROW* P3109_pEmitterTable(size_t* pulCount)
{
    *pulCount = sizeof kEmitters / sizeof kEmitters[0];
    return kEmitters;
}

void P3109_FillGeneratorParts(P3109_GENERATOR_PARTS* pParts)
{
    P3109_GENERATOR_PARTS& p = *pParts;
    p = P3109_GENERATOR_PARTS{};
    p.pEmitters = P3109_pEmitterTable(&p.ulEmitters);
    p.pfnResetEmitters = P3109_ResetEmitters;
    p.pfnResetReportEmitters = P3109_ResetReportEmitters;
    p.pfnEmitCommandPrologue = P3109_EmitCommandPrologue;
    p.pfnEmitUnsupportedCommand = P3109_EmitUnsupportedCommand;
    p.pfnEmitSubroutine = P3109_EmitSubroutine;
    p.pfnEmitComponentRoutineLocals = P3109_EmitComponentRoutineLocals;
    p.pfnEmitComponentHeaderTable = P3109_EmitComponentHeaderTable;
    p.pfnEmitComponentDispatchIdTable = P3109_EmitComponentDispatchIdTable;
    p.pfnRenameTableRows = P3109_RenameTableRows;
    p.pfnEvaluationRoutines = P3109_EmitEvaluationRoutines;
    p.pfnExchangeAlways = P3109_EmitExchangeAlways;
    p.pfnDbmCloseStructs = P3109_EmitDbmCloseStructs;
    p.pfnRoutineSection = P3109_EmitRoutineSection;
    p.pfnDbmOpenStructs = P3109_EmitDbmOpenStructs;
    p.pfnActionBarOptionInit = P3109_EmitActionBarOptionInit;
    p.pfnReportStructs = P3109_EmitReportStructs;
    p.pfnReportRoutines = P3109_EmitReportRoutines;
    p.pfnReceiveParameters = P3109_EmitReceiveParameters;
    p.pfnReturnParameters = P3109_EmitReturnParameters;
    p.pfnReturnTriggerInfo = P3109_EmitReturnTriggerInfo;
    p.pfnLoadSelectSqlCommands = P3109_LoadSelectSqlCommands;
    p.pfnResetFunctionMode = P3109_EmitResetFunctionMode;
    p.pfnRenameTable = P3109_EmitRenameTable;
    p.pfnExpressionIndentIn = [] { EXPR_IndentIn(P3109_ExpressionWriter()); };
    p.pfnExpressionIndentOut = [] { EXPR_IndentOut(P3109_ExpressionWriter()); };
    p.pfnBuildConditionRoutineCall = [](const char* reference, std::string* call, std::string* name) {
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, call, name);
    };
    p.pfnWriteDefaultValueCall = [](const char* reference, std::string_view argument) {
        EXPR_WriteDefaultValueCall(P3109_ExpressionWriter(), reference, argument);
    };
    p.pfnRunEvaluationHeaderPoint = EXPR_RunEvaluationHeaderPoint;
    p.pfnRegisterConditionWorkFields = P3109_RegisterConditionWorkFields;
    p.pfnForgetDirectCode = EXPR_ForgetDirectCode;
}
