/* The run driver and the run context of a job. */
#ifndef DQOV_RUN_DRIVER_H
#define DQOV_RUN_DRIVER_H

#include <stdint.h>
#include "dqov/ffc_context.h"
#include "dqov/ffc_check_state.h"
#include "dqov/ffc_named_parameters.h"
#include "dqov/ffc_system_definition.h"

/* Results of dc_p31o2. */
#define DC_P31O2_OK               0
#define DC_P31O2_NOT_RESOLVED   (-1)
#define DC_P31O2_PREPARE_FAILED (-2)
#define DC_P31O2_SOURCE_FAILED  (-3)

/* The option words of a run: the option letter's companions. */
typedef struct FFC_OPTION_WORDS {
    uint32_t ulOptionBits;      /* bit 13 HTML pages, bit 14 XML pages, bit 15 passed to the HTML generator */
    uint32_t ulReserved;
    uint32_t ulWebMode;         /* 3 all, 1 new, other none */
} FFC_OPTION_WORDS;

/* One job request of the caller. */
typedef struct FFC_RUN_REQUEST {
    const FFC_SYSTEM_DEFINITION *pSystemDefinition;
    const char *pszProcess;          /* process name, or the component name when pszFunction is "*COMP" */
    const char *pszFunction;         /* function name, or "*COMP" */
    char        cOption;             /* 'G' check and generate, 'C' check only, 'D' design only */
    int16_t     sRunMode;            /* 1 editor, 2 tools, 3 message service */
    FFC_OPTION_WORDS options;
    const FFC_NAMED_PARAMETERS *pParameters;  /* may be NULL */
    const char *pszNotifyHandle;     /* event-log notification handle, NULL for none */
    int32_t    *plErrors;            /* the caller's counters, raised by the job's counts (may be NULL) */
    int32_t    *plWarnings;
} FFC_RUN_REQUEST;

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one whole job. 0 ran, -1 name or definition not resolved, -2 a
 * preparation step failed, -3 the checker could not load the source, or the
 * non-zero result of the definition load. */
int32_t dc_p31o2(const FFC_RUN_REQUEST *pRequest);

FFC_CONTEXT *P31O2_pGetCurrentRunContext(void);
void         P31O2_SetCurrentRunContext(FFC_CONTEXT *pContext);
FFC_OPTION_WORDS *P31O2_pGetCurrentOptionWords(void);
void         P31O2_SetCurrentOptionWords(FFC_OPTION_WORDS *pWords);
/* Fills the zeroed context from the system definition for a pass. */
void P31O2_FillRunContext(FFC_CONTEXT *pContext, const FFC_SYSTEM_DEFINITION *pSystem);
/* Frees the context's lists, work file, stores, caches and label stack. */
void P31O2_FreeRunContext(FFC_CONTEXT *pContext);
/* Label numbers of FOR/ENDFOR (growable stack). */
uint32_t P31O2_ulPushLabelNumber(FFC_CONTEXT *pContext);
uint32_t P31O2_ulPopLabelNumber(FFC_CONTEXT *pContext);
uint32_t P31O2_ResetLabelNumbers(void);

#ifdef __cplusplus
}
#endif

#endif
