/* The run driver and the run context of a job. */
#ifndef DQOV_RUN_DRIVER_H
#define DQOV_RUN_DRIVER_H

#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_named_parameters.h"
#include "dqov/runcontrol/ffc_system_definition.h"
#include <stdint.h>

/* Results of dc_p31o2. */
#define DC_P31O2_OK 0
#define DC_P31O2_NOT_RESOLVED (-1)
#define DC_P31O2_PREPARE_FAILED (-2)
#define DC_P31O2_SOURCE_FAILED (-3)
#define DC_P31O2_OUTPUT_FAILED (-4) /* the generated files could not be read or written */

/* The option words of a run: the option letter's companions. */
typedef struct FFC_OPTION_WORDS {
    uint32_t ulOptionBits; /* bit 13 HTML pages, bit 14 XML pages, bit 15 passed to the HTML generator */
    uint32_t ulReserved;
    uint32_t ulWebMode; /* 3 all, 1 new, other none */
} FFC_OPTION_WORDS;

/* A design session outside the editor: after the job the run driver runs
 * the screen and/or report design step with this painter block (as the
 * editor's design loop does after the painter's reply 3 or 4). When the
 * session ends with the painter still there, its repository work is
 * committed and every command it changed is handed to pfnChanged; when the
 * painter went away first, the design steps put back what they had
 * changed, the session's repository work is rolled back and no command is
 * handed on. */
struct SZOPH_COMMAND;
typedef void (*FFC_CHANGED_COMMAND_FN)(void* pUser, const struct SZOPH_COMMAND* pCommand);
typedef struct FFC_DESIGN_REQUEST {
    struct FFC_PAINT_STR* pPaint;
    char cScreens; /* 'Y': run the screen design step */
    char cReports; /* 'Y': run the report design step */
    FFC_CHANGED_COMMAND_FN pfnChanged;
    void* pUser;
} FFC_DESIGN_REQUEST;

/* One job request of the caller. */
typedef struct FFC_RUN_REQUEST {
    const FFC_SYSTEM_DEFINITION* pSystemDefinition;
    const char* pszProcess;  /* process name, or the component name when pszFunction is "*COMP" */
    const char* pszFunction; /* function name, or "*COMP" */
    char cOption;            /* 'G' check and generate, 'C' check only, 'D' design only */
    int16_t sRunMode;        /* 1 editor, 2 tools, 3 message service */
    FFC_OPTION_WORDS options;
    const FFC_NAMED_PARAMETERS* pParameters; /* may be NULL */
    const char* pszNotifyHandle;             /* event-log notification handle, NULL for none */
    int32_t* plErrors;                       /* the caller's counters, raised by the job's counts (may be NULL) */
    int32_t* plWarnings;
    const FFC_DESIGN_REQUEST* pDesign; /* a design session outside the editor, NULL for none */
    char cCSharp;                      /* 'Y': the C# source set too (option 'G'); anything else: C only */
    char cZoph2;                       /* 'Y': the run context's ZOPH2 switch is set: the program holds its
                                          lists in the two-level list tables (long and short layouts) */
} FFC_RUN_REQUEST;

/* The steps of a job that other parts of the library supply. Each receives
 * the run context, the check state and the build handle; a NULL step is
 * skipped, except the checker, whose place the source load then takes. */
typedef int32_t (*FFC_RUN_STEP)(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
typedef struct FFC_RUN_SEAMS {
    FFC_RUN_STEP pfnGeneratorSetup; /* before the checker: language and output names */
    FFC_RUN_STEP pfnChecker;        /* pass 1 and pass 2; 0, or -3 when the source could not be loaded */
    FFC_RUN_STEP pfnOutputDriver;   /* option 'G' without errors; non-zero when the files could not be
                                       read or written (the job then could not run) */
    FFC_RUN_STEP pfnHtmlPages;      /* option bit 13 and X20SP1 position 14 'Y' */
    FFC_RUN_STEP pfnXmlPages;       /* option bit 14 and X20SP1 position 15 'Y' */
    FFC_RUN_STEP pfnScreenDesign;   /* editor design loop, painter reply 3 */
    FFC_RUN_STEP pfnReportDesign;   /* editor design loop, painter reply 4 */
    FFC_RUN_STEP pfnPassRelease;    /* end of every pass, before the pass's work areas are freed */
    FFC_RUN_STEP pfnDiscardOutput;  /* a job that wrote files ends without its commit: the output
                                       driver lets go of its files (their text is dropped with the
                                       job's file work) */
} FFC_RUN_SEAMS;

/* The job's message queue (10 characters). */
#define FFC_JOB_MSG_QUEUE "DC_P31O2  "
/* The library's message file, the message file of the job's messages. */
#define FFC_MSG_FILE "DC@F23    "

#ifdef __cplusplus
extern "C" {
#endif

/* The run's stored command list: the services library's command list of
 * the function being checked, with its kind byte ('Z', '1' or another). */
typedef struct FFC_EDITOR_SOURCE_ANCHOR {
    void* pCommands; /* SZOPH_LIST of the services library, NULL when not loaded */
    char cKind;
} FFC_EDITOR_SOURCE_ANCHOR;

/* Installs the steps (copied). NULL installs the library's own steps: the
 * generator set-up, the checker and the output driver; a zeroed block runs
 * the driver with no steps at all. */
void P31O2_SetRunSeams(const FFC_RUN_SEAMS* pSeams);
/* Fills the system definition that a command-line tool passes: partition
 * and language as given, and the environment's defaults for the rest (date
 * format DMY, '.' decimal point, national characters "#@$", 24 screen lines,
 * report page 66 lines, overflow at 60, 132 columns, root "C:\"). */
void FFC_InitToolsSystemDefinition(FFC_SYSTEM_DEFINITION* pSys, const char* pszPartition, const char* pszLanguage);
/* The library's own steps, and the command-name table of its parser (used
 * when the caller's system definition names none). */
void P31O2_LibraryRunSeams(FFC_RUN_SEAMS* pSeams);
const void* P31O2_pLibraryCommandNames(void);
/* Tells the run driver where those two are: the library's assembly, which
 * stands above run control, calls it when the library is loaded. */
void P31O2_UseLibrarySteps(void (*pfnRunSeams)(FFC_RUN_SEAMS*), const void* (*pfnCommandNames)(void));
/* A named parameter of the current job (NULL when the caller gave none). */
void* P31O2_pGetNamedParameter(const char* pszName);
/* The definitions loaded for the current pass. */
const struct FFC_PROCESS_DEFINITION* P31O2_pGetProcessDefinition(void);
const struct FFC_FUNCTION_DEFINITION* P31O2_pGetFunctionDefinition(void);
/* Adds a message of the run driver (text carried by DCM9898) to the job's
 * messages with the given severity. */
void P31O2_IssueJobMessage(FFC_CONTEXT* pContext, char cSeverity, const char* pszText);
/* Callback of the component source retrieval: appends one line to the run
 * context's source-line list; 0 when out of storage. */
int32_t P31O2_fCollectComponentSourceLine(const void* pLine);

/* Runs one whole job as one unit of work on the repository, begun with its
 * write lock and committed at the job's very end (option 'G'); a job that
 * cannot run is rolled back, and a fatal end (FFC_Fatal_Error) rolls back and
 * removes the files the job generated. 0 ran, -1 name or definition not
 * resolved, -2 a preparation step failed, -3 the checker could not load the
 * source, -4 the generated files could not be read or written, or the
 * non-zero result of the definition load. */
int32_t dc_p31o2(const FFC_RUN_REQUEST* pRequest);

FFC_CONTEXT* P31O2_pGetCurrentRunContext(void);
void P31O2_SetCurrentRunContext(FFC_CONTEXT* pContext);
FFC_OPTION_WORDS* P31O2_pGetCurrentOptionWords(void);
void P31O2_SetCurrentOptionWords(FFC_OPTION_WORDS* pWords);
/* The stored command list of the current pass (loaded by the driver for a
 * function job; pCommands NULL when the source could not be read). */
FFC_EDITOR_SOURCE_ANCHOR* P31O2_pGetEditorSourceAnchor(void);
/* Inserts a parameter component (code / 100, code % 100) into the stored
 * command of that number of the run's command list. 0, or 1. */
int16_t P31O2_sInsertCommandParameter(int16_t sLine, uint16_t usCode, uint16_t usLength, const char* pchText);
/* Fills the zeroed context for a pass from the request's system definition
 * (or, without a request, from the single-check session's) and makes the
 * option words current; with fKeep non-zero and a request given the
 * request is kept for the web application build callback. */
void P31O2_LoadRunEnvironment(FFC_CONTEXT* pContext, const FFC_RUN_REQUEST* pRequest, FFC_OPTION_WORDS* pOptions,
                              int32_t fKeep);
/* The request kept by P31O2_LoadRunEnvironment (NULL when none). */
const FFC_RUN_REQUEST* P31O2_pGetKeptRunRequest(void);
/* Fills the zeroed context from the system definition for a pass. */
void P31O2_FillRunContext(FFC_CONTEXT* pContext, const FFC_SYSTEM_DEFINITION* pSystem);
/* Frees the context's lists, work file, stores, caches and label stack. */
void P31O2_FreeRunContext(FFC_CONTEXT* pContext);
/* Label numbers of FOR/ENDFOR (growable stack). */
uint32_t P31O2_ulPushLabelNumber(FFC_CONTEXT* pContext);
uint32_t P31O2_ulPopLabelNumber(FFC_CONTEXT* pContext);
uint32_t P31O2_ResetLabelNumbers(void);

#ifdef __cplusplus
}
#endif

#endif
