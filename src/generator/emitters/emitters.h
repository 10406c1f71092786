/*
** emitters.h: the command emitters of the generator and the section
** writers of their insertion points.
**
** The command loop binds each command to its emitter (a function without
** arguments that reads the current command and writes its code through the
** line writer) in its emitter table; the skeleton engine calls the section
** writers at their insertion points. The shared writers of the emitter
** frame are used by every emitter.
*/
#ifndef GENERATOR_EMITTERS_EMITTERS_H
#define GENERATOR_EMITTERS_EMITTERS_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/component_model.h"
#include "generator/core/model/field_info.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/gen_state.h"

struct GEN_DATA_STRUCTURE;

/* Work-file cursor slots of the emitters' own reads. */
inline constexpr uint16_t GEN_SLOT_EMITTERS = 6;
inline constexpr uint16_t GEN_SLOT_EMITTERS_INNER = 7;

/* Forgets the emitters' per-job state (the set-up). */
void P3109_ResetEmitters();
/* The emitter table of the command loop and its number of rows. */
const P3109_EMITTER_ROW* P3109_pEmitterTable(size_t* pulCount);
/* The emitters' and the expression writers' parts of the core's block. */
void P3109_FillGeneratorParts(P3109_GENERATOR_PARTS* pParts);
/* Hands the web page records the generator's partition and text references. */
void P3109_UseGeneratorTextsForWebRecords();

/* ---- the command emitter frame ---- */
void P3109_EmitCommandPrologue();
void P3109_EmitLabelTarget();
/* GEN_CONDITIONS_IDENTIFY identifies the conditions for run-time
** evaluation, GEN_CONDITIONS_TEST tests them now. */
enum GEN_CONDITIONS_FORM { GEN_CONDITIONS_TEST, GEN_CONDITIONS_IDENTIFY };
void P3109_EmitConditionTest(const std::vector<std::string>& names, GEN_CONDITIONS_FORM form);
void P3109_EmitFatalErrorTest();
void P3109_EmitBranchToTarget(std::string_view target, uint16_t usIndent);
void P3109_EmitUnsupportedCommand();
void P3109_EmitIoStatusAction(std::string_view target, std::string_view outcome);
void P3109_EmitIoStatusToField(std::string_view userField);
/* Entries of a PARMS or WITH_PARMS list that a call passes (the commands
** take at most 50). */
inline constexpr int32_t GEN_CALL_PARMS_MAX = 50;
/* Operand names of ulWidth characters each. */
void P3109_EmitDynamicSysVars(const std::vector<std::string>& operands, size_t ulWidth);
void P3109_EmitFatalErrorBreak();
void P3109_EmitSetLock(std::string_view lock, std::string_view pointerName, std::string_view blockName);

/* ---- flow control and declaratives ---- */
void P3109_EmitIf();
void P3109_EmitElse();
void P3109_EmitEndIf();
void P3109_EmitGoto();
void P3109_EmitDoWhile();
void P3109_EmitEndWhile();
void P3109_EmitDoUntil();
void P3109_EmitEndUntil();
void P3109_EmitContinue();
void P3109_EmitLeave();
void P3109_EmitReturn();
void P3109_EmitCase();
void P3109_EmitWhen();
void P3109_EmitOtherwise();
void P3109_EmitEndCase();
void P3109_EmitBeginLoop();
void P3109_EmitEndLoop();
void P3109_EmitDefine();
void P3109_EmitOverride();
void P3109_EmitDefCond();
void P3109_EmitFunction();
void P3109_EmitUprint();
void P3109_EmitBrowse();
void P3109_EmitInclude();
void P3109_EmitDefReport();
void P3109_EmitRename();
void P3109_EmitDefArray();
void P3109_EmitBeginCom();
void P3109_EmitEndCom();
void P3109_EmitDefineCom();
void P3109_EmitDefineMap();
void P3109_EmitDefinePty();
void P3109_EmitDefineEvt();
void P3109_EmitImport();
void P3109_EmitWebMap();
void P3109_EmitAttribute();

/* ---- condition and evaluation routines ---- */
/* Insertion point 14. */
void P3109_EmitEvaluationRoutines();
/* The body of one evaluation from the expression check's operations;
** cResult comes in 'Y' and goes out 'N' once an operation stored into a
** result. */
void P3109_EmitConditionLogic(std::string& lastResult, char& cResult, GEN_EVALUATION_NODE& entry);
/* Before the field vector is written: the work results the routines of
** the function's DEF_COND conditions will use, found by writing their
** logic with the output suppressed, joined to the vector's work fields
** (the routines themselves are written at point 14, after the vector). */
void P3109_RegisterConditionWorkFields();
/* The text naming operand sIndex of the prepared request. */
std::string P3109_FormatEvaluationWorkResult(int16_t sIndex, GEN_FIELD_INFO& info);
/* The statement evaluation table of the current command, for an I/O block
** given by pointer name or by struct name (one of the two empty). */
void P3109_EmitStatementEvaluations(std::string_view pointerName, std::string_view structName);
/* The statement evaluation table being written: its name, the line being
** gathered and the state word (0 before the first entry, then the entries
** on the line, four to a line). */
struct GEN_EVALUATION_GROUP {
    std::string name;
    std::string line;
    int32_t lState = 0;
};
/* The callback of the statement-evaluation enumeration (user data a
** GEN_EVALUATION_GROUP): the evaluation's field, looked up as a used field,
** joins the table (the first opens it); an unknown field is skipped. 0. */
long P3109_EmitEvaluationGroupEntry(const struct DQOO_STATEMENT_EVALUATION* pEvaluation, void* pvUser, void* pvUser2);

/* ---- subroutines and component routines ---- */
void P3109_EmitSubroutine(char cKind, std::string_view kindText);
void P3109_EmitPtyRoutine();
void P3109_EmitEvtRoutine();
void P3109_EmitMthRoutine();
void P3109_EmitWebRoutine();
void P3109_EmitEndRoutine();
void P3109_EmitComponentRoutineLocals();
void P3109_EmitStartComponentRoutine(std::string_view kindText);
void P3109_EmitTerminateComponentRoutine();
void P3109_EmitExecute();
/* One dispatch statement: kind text, ending flag (1 normal, 0 abort
** form), dispatch id, name suffix. */
void P3109_EmitComponentDispatch(std::string_view kindText, int iEnding, int32_t lDispatchId, std::string_view suffix);
void P3109_EmitSet();
void P3109_EmitSignal();
void P3109_EmitSetRef();
void P3109_EmitInvoke();
void P3109_EmitAssign();
void P3109_EmitPerform();
void P3109_EmitIfRef();
void P3109_EmitFor();
void P3109_EmitEndFor();

/* The tables the core writes for a component (component_model.h). */
void P3109_EmitComponentHeaderTable(const GEN_COMPONENT_HEADER_TABLE* pTable, GEN_STREAM cStream, GEN_STREAM csStream,
                                    uint16_t usIndent);
void P3109_EmitComponentDispatchIdTable(const GEN_COMPONENT_DISPATCH_TABLE* pTable, GEN_STREAM cStream,
                                        GEN_STREAM csStream, uint16_t usIndent);

/* GEN_SUBROUTINE_LIST: the subroutines and component routines met, in
** order of appearance. */
struct GEN_ROUTINE_NODE {
    std::string name;  /* the 4GL name, 10 characters */
    std::string cName; /* "Subroutine_..." */
    char cKind = 'S';  /* 'S' subroutine, 'P', 'E', 'M', 'W' component routines */
};
const std::vector<GEN_ROUTINE_NODE>& P3109_SubroutineList();

/* ---- field values and status tests ---- */
void P3109_EmitChange();
int16_t P3109_sClassifyChangeValue(GEN_FIELD_INFO& source);
void P3109_EmitSubstring();
void P3109_EmitIfNull();
void P3109_EmitSetMode();
void P3109_EmitResetFunctionMode();
void P3109_EmitIfMode();
void P3109_EmitIfStatus();
void P3109_EmitIfKey();
std::string P3109_EmitListEntryMode(std::string_view mode);

/* ---- messages ---- */
void P3109_EmitMessage();
void P3109_EmitMessageCall(int iAbort);
/* The message arguments of a check command. */
struct GEN_CHECK_MESSAGE {
    std::string msgId = "X_STANDARD_TEXT_MESSAGE_ID", msgIdName;
    std::string msgFile = "pX_Ids->vchStandardMessageFile", msgFileName;
    std::string count = "0";
    std::string vector = "pX_NULL";
};
/* cMode 'B' declares and sets, 'D' declares only, 'S' sets only; false
** after PRC1008 (no message is passed). */
bool P3109_EmitCheckMessage(GEN_CHECK_MESSAGE& out, char cMode);

/* ---- validation blocks and checks ---- */
void P3109_EmitBeginCheck();
void P3109_EmitEndCheck();
void P3109_EmitIfError();
void P3109_EmitSetError();
void P3109_EmitDateCheck();
void P3109_EmitRangeCheck();
void P3109_EmitValueCheck();
void P3109_EmitCondCheck();
void P3109_EmitCallCheck();
void P3109_EmitIncrementErrorCount();
void P3109_EmitSetFieldError(const GEN_FIELD_INFO& field);
void P3109_EmitCheckResultAction(const GEN_FIELD_INFO& field);
/* Operand names blank-padded to GEN_OPERAND_NAME_WIDTH; fStatic: a constant group of the
** third static list. */
void P3109_EmitConstantVectorGroup(std::string_view groupName, const std::vector<std::string>& operands, bool fStatic,
                                   std::string_view keyword = "FIELDS");

/* ---- calls, submission and exchange ---- */
void P3109_EmitCall();
void P3109_EmitSubmit();
void P3109_EmitExchange();
void P3109_EmitExchangeList();
/* Insertion point 22. */
void P3109_EmitExchangeAlways();

/* ---- function entry and exit ---- */
/* Insertion points 29, 30 and 32. */
void P3109_EmitReceiveParameters();
void P3109_EmitReturnParameters();
void P3109_EmitReturnTriggerInfo();
void P3109_EmitDataStructureAssign(const GEN_DATA_STRUCTURE& structure, char cKind);
/* The pointer through which generated code reaches a data structure's
** storage ("p" and the storage name). */
std::string P3109_DataStructurePointerName(const GEN_DATA_STRUCTURE& structure);
void P3109_EmitExecCpf();
void P3109_EmitTransfer();

/* ---- database I/O: argument blocks and the I/O module ---- */
/* GEN_DBM_BLOCK_LAYOUT: the block kinds of an I/O request's argument
** block ("struct X_DBM"), and of OPEN's open-query block. */
enum class GEN_DBM_LAYOUT : uint8_t {
    Fetch,
    Delete,
    Update,
    Insert,
    Select,
    CheckFor,
    FileCheck,
    Open,
    Close,
    SelectSql,
    Commit,
    Rollback,
    CommonClose,
    CommonOpen,
    OpenQuery
};
struct GEN_POINT_ENTRY;
void P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT layout, std::string_view blockName);
/* pointerName: the name after the 'p' of a block pointer (empty for the
** block form). */
void P3109_EmitOamBinding(std::string_view moduleName, std::string_view pointerName, std::string_view blockName);
void P3109_EmitDbmTableNames(std::string_view blockName, std::string_view filePoint, std::string_view physical);
void P3109_EmitIoCounters(std::string_view moduleName, size_t ulKeyLength);
/* pLibrary null: the block's library is the default. */
void P3109_EmitFilePointOverride(std::string_view fileType, std::string_view filePoint, std::string_view physical,
                                 const std::string* pLibrary, std::string_view blockName, const GEN_POINT_ENTRY& used);
void P3109_EmitRenameStack(std::string_view group, std::string_view file);
/* Insertion point 133. */
void P3109_EmitRenameTable();
/* The rows of the rename table in the current target: one per rename whose
** two fields the function uses. */
std::vector<std::string> P3109_RenameTableRows();
/* Whether the call asks the I/O module to close the file. */
enum GEN_IO_CLOSE { GEN_IO_NO_FORCE_CLOSE, GEN_IO_FORCE_CLOSE };
/* GEN_IO_FORCE_CLOSE only for CLOSE; an empty group applies no renames. */
void P3109_EmitInvokeIoModule(std::string_view moduleName, std::string_view pointerName, std::string_view blockName,
                              GEN_IO_CLOSE close, std::string_view fileName, std::string_view group);
/* Insertion points 23 and 25. */
void P3109_EmitDbmCloseStructs();
void P3109_EmitDbmOpenStructs();
void P3109_EmitPoint();
void P3109_EmitLoadIoStatusFromField(std::string_view target, GEN_STREAM stream, int16_t sIndent);
void P3109_EmitGetIoStatus(std::string_view pointerName, std::string_view blockName);

/* ---- database I/O: field, key and WHERE groups ---- */
void P3109_EmitFieldGroup(std::string_view pointerName, std::string_view blockName);
void P3109_EmitKeyGroup(std::string_view pointerName, std::string_view blockName, std::string_view nbrKeys);
/* cMode 'N' (FETCH, DELETE, UPDATE) or SELECT's end-where option 'N',
** 'Y' or 'S'. Answers whether the WHERE went to the I/O module, whether it
** is evaluated in code, and the text naming its condition routine. The
** tables handed to the module are the rows of the WHERE's compiled
** routine; a WHERE left as text is evaluated in code. */
void P3109_EmitWhereClause(std::string_view pointerName, std::string_view blockName, bool& fToModule, bool& fInCode,
                           std::string_view physical, std::string_view library, std::string& routine, char cMode);
void P3109_EmitWhereGroup(std::string_view pointerName, std::string_view blockName, std::string& groupName);
/* Whether the command's WHERE was compiled: its condition routine answers
** a Boolean, the evaluation routine of a WHERE text YES or NO. */
bool P3109_fWhereIsCompiled();
void P3109_EmitWhereExpressionGroups(std::string_view pointerName, std::string_view blockName,
                                     std::string& componentGroup, std::string& activityGroup);
/* 'Y' when a field of the file stands at the outermost level of the WHERE
** prepared in the evaluation request (alone or inside a bracket that holds
** one), else 'N'; 'N' at once for a bracket closed without a file field in
** it and for a virtual field of the file. marks[i] for operand i + 1: 'N'
** a field of the file (its name goes to the module), 'V' a value the
** function supplies. */
char P3109_fClassifyWhereFields(std::string_view file, std::string_view library, std::vector<char>& marks);
/* FILECHECK's key group; answers its name. */
std::string P3109_EmitFileCheckKeyGroup();

/* ---- database I/O: the file commands ---- */
void P3109_EmitFetch();
void P3109_EmitCheckFor();
void P3109_EmitOpen();
void P3109_EmitClose();
void P3109_EmitCommit();
void P3109_EmitRollback();
void P3109_EmitDelete();
void P3109_EmitUpdate();
void P3109_EmitInsert();
void P3109_EmitFileCheck();

/* ---- SELECT and SELECT_SQL loops ---- */
void P3109_EmitSelect();
void P3109_EmitEndSelect();
/* The KEEP_ commands of the loop identified by its six bytes (32-bit
** line, 16-bit sub-line) get their result fields cleared. */
void P3109_EmitKeepReset(const char* pchLoopId);
void P3109_EmitSelectSql();
void P3109_EmitSelectSqlOdbcRoutine(const GEN_SELECT_NODE& select);
void P3109_EmitSelectSqlOdbcLiteralRoutine(const GEN_SELECT_NODE& select);
/* One information entry; an empty value writes no line. */
void P3109_EmitOdbcInfoEntry(std::string_view kind, std::string_view value1, std::string_view value2,
                             std::string_view value3, std::string_view realName);
/* Insertion point 42. */
void P3109_LoadSelectSqlCommands();

/* ---- built-in function calls ---- */
void P3109_EmitUse();
/* One entry of a ZOPH built-in function's parameter list; an empty text
** writes no line. */
void P3109_EmitBifParmEntry(int32_t lEntry, std::string_view name, std::string_view type, std::string_view count,
                            std::string_view value);

/* ---- working lists ---- */
void P3109_EmitDefList();
void P3109_EmitAddEntry();
void P3109_EmitUpdEntry();
void P3109_EmitDltEntry();
void P3109_EmitInzList();
void P3109_EmitClrList();
void P3109_EmitDltList();
void P3109_EmitSortList();
void P3109_EmitGetEntry();
void P3109_EmitLocEntry();
void P3109_EmitSelectList();

/* ---- screens ---- */
void P3109_EmitDisplay();
void P3109_EmitRequest();
void P3109_EmitPopUp();
/* Insertion point 27. */
void P3109_EmitActionBarOptionInit();

/* ---- reports ---- */
void P3109_EmitDefHead();
void P3109_EmitDefFoot();
void P3109_EmitDefLine();
void P3109_EmitDefBreak();
void P3109_EmitPrint();
void P3109_EmitSpaceSkip();
void P3109_EmitEndPrint();
void P3109_EmitKeep();
/* Insertion points 35 and 37. */
void P3109_EmitReportStructs();
void P3109_EmitReportRoutines();

/* ---- the routine section (insertion point 24) ---- */
void P3109_EmitRoutineSection();

#endif
