/* Named in-memory lists anchored in the run context.
 *
 * Names are 30 characters, blank-padded ("DC_P3019/VL/SFLRPT"); a shorter
 * terminated name is accepted. Types: 'F' fixed entries of the element size,
 * 'V' and 'M' variable entries of at most the element size, 'R' one raw
 * zero-filled block of size x count bytes. Entries are numbered from 1. */
#ifndef DQOV_NAMED_LISTS_H
#define DQOV_NAMED_LISTS_H

#include "dqov/runcontrol/ffc_context.h"
#include <stdint.h>

#define QVRMM_NAME_LEN 30
#define QVRMM_OK 0
#define QVRMM_EMPTY 1 /* QVRMM_sGetEntry: the slot holds no entry */
#define QVRMM_NOT_FOUND (-1)
#define QVRMM_WRONG_TYPE (-2)
#define QVRMM_CAPACITY (-3)
#define QVRMM_EXISTS (-4)
#define QVRMM_TOO_LONG (-5)
#define QVRMM_NO_STORAGE (-9)

#ifdef __cplusplus
extern "C" {
#endif

/* Creates a list. For 'R' the block's address goes to *ppBlock (for other
 * types *ppBlock, when given, is set to NULL). 0, -2 unknown type or zero
 * size/count, -4 exists, -9 no storage. */
int16_t qvrmm1(FFC_CONTEXT* pContext, char cType, const char* pszName, uint16_t* pusElementSize, uint16_t* pusCount,
               void** ppBlock);
/* Empties a 'V' or 'M' list: 0, -1 no list, -2 another type. */
int16_t qvrmm4(FFC_CONTEXT* pContext, const char* pszName);
/* Deletes every list whose name begins with the given name up to its first
 * blank (at most 29 characters); returns the number of lists deleted. */
int16_t qvrmm5(FFC_CONTEXT* pContext, const char* pszName);
/* Deletes the one list of exactly this name: 0, -1 no such list. */
int16_t QVRMM_sDeleteList(FFC_CONTEXT* pContext, const char* pszName);
/* Stores entry *pusNumber (0: after the highest used; the number comes back). */
int16_t QVRMM_sPutEntry(FFC_CONTEXT* pContext, const char* pszName, uint16_t* pusNumber, const void* pEntry,
                        uint16_t* pusLength);
/* Copies entry *pusNumber and, for 'V' and 'M', its length. */
int16_t QVRMM_sGetEntry(FFC_CONTEXT* pContext, const char* pszName, uint16_t* pusNumber, void* pEntry,
                        uint16_t* pusLength);
/* The highest entry number used in a list (0 when empty or no such list). */
uint16_t QVRMM_usHighestEntry(FFC_CONTEXT* pContext, const char* pszName);
/* Releases every list of the context. */
void QVRMM_FreeAll(FFC_CONTEXT* pContext);

#ifdef __cplusplus
}
#endif

#endif
