/* Support services shared by the checker, the layout steps and the
 * generator: generated names, the value cache, object-layer item queries,
 * parameter insertion and web application build entries. */
#ifndef DQOV_CHECKER_SUPPORT_NAMES_H
#define DQOV_CHECKER_SUPPORT_NAMES_H

#include <stdint.h>

#include "dqov/runcontrol/ffc_context.h"
#include "platform/dqos/dqos.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Generated names of "*AUTOGENERATEF35KV2" values, per field and owner: a
 * value area beginning with that text receives the name generated for the
 * field and owner (the first time "P", x'FF' and the next counter in seven
 * digits); any other value is recorded as given. 0, or -9 without storage. */
int16_t P31O2_sMakeGeneratedName(FFC_CONTEXT* pContext, const char* pszField, int32_t lOwner, int32_t lNumber,
                                 char* pchValue, uint32_t ulValueLength);
/* 1 and the 56-byte data (value 50, number 4) of (field, owner 2) or else
 * (field, owner 1); 0 when neither is recorded. */
int32_t P31O2_fFindGeneratedName(FFC_CONTEXT* pContext, const char* pszField, int32_t lOwner1, int32_t lOwner2,
                                 char* pchData56);
/* For a "USEFIELD" record whose field has a generated name, the record's
 * 50-character name becomes the generated value. */
void P31O2_RecordFieldUsage(FFC_CONTEXT* pContext, const char* pachKind, char* pachName50, int32_t lOwner1,
                            int32_t lOwner2);
/* The run's exchange tree (pReferenceTree1), made on first use: one entry
 * per field the component exchanges, keyed by its 32-bit exchange number,
 * whose data is the field's entry in the name tree (key the field and
 * owner 0, data the 50-character name and the number) and two flag bytes,
 * 'Y' when the field's maximum value travels and 'Y' when it has an
 * evaluation case. A number already in the tree is left as it is; without
 * a field only the (empty) tree is made. 0, or -9 without storage. */
int16_t P31O2_sAddExchangedField(FFC_CONTEXT* pContext, int32_t lNumber, const char* pszField, char cMaximum,
                                 char cEvaluationCase);
/* The run's component and property usage tree (pReferenceTree2), made on
 * first use: key the 50-character name and the 32-bit scope, data the
 * usage kind (100 a member, 200 a property) and the member flags. 0, or -9
 * without storage. */
int16_t P31O2_sAddComponentUsage(FFC_CONTEXT* pContext, const char* pszName, int32_t lScope, int32_t lKind,
                                 int32_t lFlags);
/* Releases the generated-name trees, the exchange and usage trees and the
 * value cache of the context. */
void P31O2_FreeGeneratedNames(FFC_CONTEXT* pContext);

/* The value cache of a component run (made on first use): the first stores
 * the value unless present and returns its entry, the second answers 1 when
 * the cache holds it. A function run stores nothing (null) and holds
 * nothing (0). */
void* P31O2_pGetCachedEntry(FFC_CONTEXT* pContext, int32_t lValue);
int32_t P31O2_fHasCachedEntry(FFC_CONTEXT* pContext, int32_t lValue);

/* Object-layer items (9 bytes: 3, a sub-kind, 7 more). */
void P31O2_ResolveEscapedParameter(const char* pchItem, char* pchArea, uint32_t ulLength);
int16_t P31O2_sQueryLiteralInfo(const char* pchItem, char* pchText, uint32_t ulSize);
/* A field attribute list (sub-kind 'M'): its attributes, one a slot of 10
 * characters, while slots remain; the number of slots filled. Any other
 * item: ulOther. A failure of the object layer ends the run. */
uint32_t P31O2_sEnumerateFieldAttributes(const char* pchItem, char (*pachSlots)[10], uint32_t ulOther,
                                         uint32_t ulSlots);
/* The slots the enumeration fills: the array, its number of slots and the
 * number filled so far. */
typedef struct P31O2_ATTRIBUTE_SLOTS {
    char (*pachSlots)[10];
    uint32_t ulCapacity;
    uint32_t ulFilled;
} P31O2_ATTRIBUTE_SLOTS;
/* The enumeration's callback (pvControl a P31O2_ATTRIBUTE_SLOTS): the
 * entry's attributes into the next slots; always 0. */
long P31O2_sCollectAttributeCallback(void* pvControl, const char* pszField, const char* pszAttributes);

/* Web application build entries collected from SMISC_LoadBuildWamApp. */
typedef struct P31O2_BUILD_APP_LIST {
    uint32_t ulCount;
    SMISC_BUILD_APP* pEntries; /* from SMEM_pMalloc; the owner frees it */
} P31O2_BUILD_APP_LIST;
int P31O2_fAddBuildAppEntry(void* pList, void* pReserved, const SMISC_BUILD_APP* pEntry);

#ifdef __cplusplus
}
#endif

#endif
