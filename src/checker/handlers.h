/* The check handlers: functions without arguments that read the current
 * command from the module state and do the work of the current pass. */
#ifndef DQOV_CHECKER_HANDLERS_H
#define DQOV_CHECKER_HANDLERS_H

#include <stddef.h>
#include <stdint.h>

extern "C" {

/* Handlers of commands without a check of their own. */
void P3100_CheckEndSelect(void);
void P3100_CheckEndIf(void);
void P3100_CheckEndWhile(void);
void P3100_CheckEndUntil(void);
void P3100_CheckIfStatus(void);
void P3100_CheckOtherwise(void);
void P3100_CheckEndCase(void);
void P3100_CheckEndLoop(void);
void P3100_CheckCommit(void);
void P3100_CheckRollback(void);

/* Structure and flow. */
void P3100_CheckElse(void);
void P3100_CheckGoto(void);
void P3100_CheckReturn(void);
void P3100_CheckCase(void);
void P3100_CheckContinue(void);
void P3100_CheckLeave(void);
void P3100_CheckSubroutine(char cKind);
void P3100_CheckSubroutineCommand(void);
void P3100_CheckEndRoutine(void);
void P3100_CheckExecute(void);

/* Data, conditions and values. */
void P3100_CheckDefine(void);
void P3100_CheckChange(void);
void P3100_CheckDefList(void);
void P3100_CheckDefArray(void);
void P3100_CheckGroupBy(void);
void P3100_CheckUse(void);
void P3100_CheckIf(void);
void P3100_CheckDoWhile(void);
void P3100_CheckDoUntil(void);
void P3100_CheckWhen(void);
void P3100_CheckBeginLoop(void);

/* List commands. */
void P3100_CheckClrList(void);
void P3100_CheckDltList(void);
void P3100_CheckInzList(void);
void P3100_CheckAddEntry(void);
void P3100_CheckUpdEntry(void);
void P3100_CheckGetEntry(void);
void P3100_CheckDltEntry(void);
void P3100_CheckLocEntry(void);
void P3100_CheckSortList(void);
void P3100_CheckSelectList(void);
void P3100_CheckSelectListLoop(void);

/* Component commands. */
void P3100_FormatRoutineLabel(const char* pszKind);
void P3100_sParseComponentCommand(void);
long P3100_sCollectFieldReference(const char* pszField, uint32_t ulLine);
void P3100_ReportObjectLayerFinding(const char* pszText, size_t cbText);
/* The services of the check state: 1 when the current pass is the pass
 * given; 1 when the current command stands inside (fInside set) or outside
 * the BEGIN_COM / END_COM block of a component, else the illegal-reference
 * message and 0 (a function has no block: always 1). */
int32_t P3100_fFilterByPass(int32_t lPass);
int32_t P3100_fCheckComponentBlock(int32_t fInside);
/* The callbacks of the object layer's start request (dqoo.h). */
long P3100_sCheckFieldExistsCallback(const char* pszField);
long P3100_sCheckNameInContext(const char* pszName, int32_t lKind);
long P3100_sExpandGroupCallback(const char* pszGroup, void* pvUser, long (*pfnField)(void*, const char*));
void P3100_CheckBeginCom(void);
void P3100_CheckEndCom(void);
void P3100_CheckDefineCom(void);
void P3100_CheckDefineMap(void);
void P3100_CheckDefinePty(void);
void P3100_CheckSet(void);
void P3100_CheckInvoke(void);
void P3100_CheckSetRef(void);
void P3100_CheckIfRef(void);
void P3100_CheckAttribute(void);
void P3100_CheckDefineEvt(void);
void P3100_CheckSignal(void);
void P3100_CheckAssign(void);
void P3100_CheckImport(void);
void P3100_CheckPerform(void);
void P3100_CheckWebMap(void);
void P3100_CheckPtyRoutine(void);
void P3100_CheckEvtRoutine(void);
void P3100_CheckMthRoutine(void);
void P3100_CheckWebRoutine(void);
void P3100_CheckFor(void);
void P3100_CheckEndFor(void);

/* Validation commands. */
void P3100_CheckBeginCheck(void);
void P3100_CheckEndCheckOnError(void);
void P3100_CheckIfError(void);
void P3100_CheckSetError(void);
void P3100_CheckDateCheck(void);
void P3100_CheckRangeCheck(void);
void P3100_CheckValueCheck(void);
void P3100_CheckCondCheck(void);
void P3100_CheckFileCheck(void);

/* Modes, keys, field lists, substrings, system commands, opening and
 * closing files. */
void P3100_CheckSetMode(void);
void P3100_CheckIfMode(void);
void P3100_CheckIfKey(void);
void P3100_CheckIfNull(void);
void P3100_CheckExchange(void);
void P3100_CheckSubstring(void);
void P3100_CheckExecCommand(void);
void P3100_CheckOpen(void);
void P3100_CheckClose(void);
void P3100_CheckBrowse(void);
void P3100_CheckOverride(void);

/* Reports. */
void P3100_RunReportLayout(void);
void P3100_CheckDefReport(void);
void P3100_CheckDefHead(void);
void P3100_CheckDefFoot(void);
void P3100_CheckDefLine(void);
void P3100_CheckDefBreak(void);
void P3100_CheckPrint(void);
void P3100_CheckSpaceSkip(void);
void P3100_CheckEndPrint(void);
void P3100_CheckUprint(void);
void P3100_CheckKeepCommand(void);

/* SELECT_SQL. */
void P3100_CheckSelectSql(void);

/* Calls. */
void P3100_CheckCall(void);
void P3100_CheckSubmit(void);
void P3100_CheckCallCheck(void);
void P3100_CheckPoint(void);
void P3100_CheckRename(void);
void P3100_CheckTransfer(void);

/* File commands. */
void P3100_CheckFileCommand(int32_t lFromSelect);
/* After the key check, for WITH_KEY value lPosition (from 1) with its six
 * operand results: a value the run generates gets its generated name. */
void P3100_CheckAutoGenerate(int32_t lPosition, int32_t lLength, int16_t sDecimals, int16_t sKind, int16_t sLocal,
                             int32_t lInteger, int32_t lFraction);
void P3100_CheckSelect(void);
void P3100_CheckSelectAll(void);
void P3100_CheckFetch(void);
void P3100_CheckInsert(void);
void P3100_CheckUpdate(void);
void P3100_CheckDelete(void);
void P3100_CheckCheckFor(void);

/* Definitions and options. */
void P3100_CheckFunctionOptions(void);
void P3100_CheckDefCond(void);
void P3100_CheckInclude(void);

/* Messages. */
void P3100_CheckMessageCommand(void);

/* Screens. */
void P3100_CheckScreenCommand(void);
void P3100_CheckRequestDisplay(void);
void P3100_CheckPopUp(void);
}

#endif
