/* FFC_CHECK_STATE: the check state handed with the run context to the
 * checker and the generator; FFC_RUN_STATISTICS holds its message counts. */
#ifndef DQOV_FFC_CHECK_STATE_H
#define DQOV_FFC_CHECK_STATE_H

#include <stdint.h>

typedef struct FFC_RUN_STATISTICS {
    int32_t lWarningsTotal;
    int32_t lWarningsPass1;
    int32_t lWarningsLater;
    int32_t lFatalTotal;
    int32_t lFatalPass1;
    int32_t lFatalLater; /* code generation stops once this is non-zero */
} FFC_RUN_STATISTICS;

typedef struct FFC_CHECK_STATE {
    char acCommand[10];  /* current command name */
    char acLabel[3];     /* current command's label */
    int32_t lPass;       /* current pass */
    int32_t lLine;       /* current line (command number) */
    int32_t lLineWord;   /* the word after the line: its sub-line */
    int32_t lSequence;   /* sequence of the current command */
    int32_t lLineNumber; /* source line number */
    char cLastSeverity;  /* last severity letter issued */
    char acProcess[10];  /* process name */
    char acFunction[7];  /* function name */
    char acMsgQueue[10]; /* the job's message-queue name */
    char acScope[2];     /* "X1", or "X3" for a design-only job */
    void* pFieldTable;   /* field-table handle */
    FFC_RUN_STATISTICS stats;
    /* final-message slot, issued by the checker after a layout call */
    char cFinalSeverity;
    char acFinalMsgId[7];
    char acFinalText[132];
    char cDesignRun;         /* 'D' screen layout, 'P' report layout */
    int32_t lSecondSequence; /* second sequence number of the current command */
    char acSecondProcess[10];
    char acSecondFunction[7];
    char acSystemFlags[20]; /* from the system definition; first two: screen-line switches */
    /* services the checker installs at the start of a check: the pass
     * filter (1 when the current pass is the one given) and the component
     * block test (1 when the current command stands inside, or outside, the
     * component's BEGIN_COM / END_COM block; else reported, 0) */
    int32_t (*pfnFilterByPass)(int32_t lPass);
    int32_t (*pfnCheckComponentBlock)(int32_t fInside);
} FFC_CHECK_STATE;

#endif
