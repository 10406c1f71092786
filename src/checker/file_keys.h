/* Key checks of the file commands: WITH_KEY values matched against the
 * keys of a physical file or logical view and checked as operands of the
 * key fields' types. */
#ifndef DQOV_CHECKER_FILE_KEYS_H
#define DQOV_CHECKER_FILE_KEYS_H

#include <stdint.h>

#include "dqov/ffc_context.h"

#define P3105_MAX_KEYS 20
#define P3105_VALUE_LEN 20
#define P3105_RESULT_ENTRIES 199

extern "C" {

/* The key-check request, built by the caller and updated in place. */
typedef struct P3105_KEY_REQUEST {
    char acFileKind[3]; /* "PHY", else a logical view */
    char acFile[10];
    char acLibrary[10];
    char acPhysical[10]; /* physical file of a view */
    int32_t lValueCount;
    char aacValues[P3105_MAX_KEYS][P3105_VALUE_LEN]; /* replaced by their resolved forms */
    char aacCodes[P3105_MAX_KEYS][2];                /* operand code, or "ER" */
    char cResult;                                    /* 'Y' on entry, 'N' when a value is refused */
    char cOption;                                    /* the command's option byte (not read here) */
    char acGeneric[4];                               /* the command's GENERIC value (not read here) */
    char cPartialAllowed;                            /* 'Y': a key without a value does not refuse */
    char acOptions[8];                               /* operand context: "YYYYYYYY" */
    char acSourceKind[6];                            /* "DC@F23" */
    char acProcess[10];
    char acFunction[10];
} P3105_KEY_REQUEST;

/* The field request: name in; type code, length and decimals out. */
typedef struct P3105_FIELD_REQUEST {
    char acName[10];
    char cType;
    int32_t lLength;
    int32_t lDecimals;
} P3105_FIELD_REQUEST;

/* The operand check's six results of each accepted key value, by value
 * position from 1 (entry 0 unused), valid until the next key check. */
typedef struct P3105_KEY_RESULTS {
    int32_t alLength[P3105_RESULT_ENTRIES];
    int16_t asDecimals[P3105_RESULT_ENTRIES];
    int16_t asKind[P3105_RESULT_ENTRIES];
    int16_t asLocal[P3105_RESULT_ENTRIES];
    int32_t alInteger[P3105_RESULT_ENTRIES];
    int32_t alFraction[P3105_RESULT_ENTRIES];
} P3105_KEY_RESULTS;

/* '0' when the dictionary field is usable and its attributes were filled,
 * '1' otherwise. */
char P3105_sGetFieldAttributes(FFC_CONTEXT* pContext, P3105_FIELD_REQUEST* pField);
/* Checks the request's key values; findings are queued in acQueue. The
 * check flag goes to the operand check (non-zero: sizes checked). */
void P3105_sCheckFileKeys(FFC_CONTEXT* pContext, int16_t sCheckFlag, P3105_KEY_REQUEST* pRequest, const char* acQueue);
const P3105_KEY_RESULTS* P3105_pKeyResults(void);
}

namespace checker {
/* A check reads each file's key fields with their attributes, and where
 * each file is, once: the repository does not change while it runs. These
 * forget what an earlier check read; called at the start of each check. */
void ForgetFileKeys();
void ForgetResolvedFiles();
}  // namespace checker

#endif
