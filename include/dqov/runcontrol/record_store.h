/* Record stores: growable stores of records with up to five sorted indexes
 * (key-extract and compare functions) and optional run-length packing. The
 * run context owns the command, command-extension, source and run-message
 * stores of a pass.
 *
 * Command, extension and source records start with two 16-bit numbers (the
 * command's line and sub-line) that key them. Their layouts belong to the
 * checker, so the stores take the record length from the caller. */
#ifndef DQOV_RECORD_STORE_H
#define DQOV_RECORD_STORE_H

#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/ffc_context.h"
#include <stdint.h>

#define RS_MAX_INDEXES 5

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FFC_RECORD_STORE FFC_RECORD_STORE;
/* Writes the record's key (ulKeyLength bytes) to pKey. */
typedef void (*RS_KEY_EXTRACT)(const void* pRecord, uint32_t ulRecordLength, void* pKey);
/* Compares two keys; NULL compares the key bytes. */
typedef int (*RS_KEY_COMPARE)(const void* pKey1, const void* pKey2, uint32_t ulKeyLength);

int16_t RS_sCreateStore(FFC_RECORD_STORE** ppStore, int32_t fPacked);
int16_t RS_sDefineIndex(FFC_RECORD_STORE* pStore, uint32_t ulKeyLength, RS_KEY_EXTRACT pfnExtract,
                        RS_KEY_COMPARE pfnCompare);
void RS_DestroyStore(FFC_RECORD_STORE** ppStore);
/* Adds a record; returns its number (from 1) or 0 when it could not be stored. */
uint32_t RS_ulAddRecord(FFC_RECORD_STORE* pStore, const void* pRecord, uint32_t ulLength);
/* Replaces the first record whose key in index 0 equals the new record's, or
 * adds it; returns its number or 0. */
uint32_t RS_ulPutRecord(FFC_RECORD_STORE* pStore, const void* pRecord, uint32_t ulLength);
/* Copies the first record with this key in the index (at most ulCapacity
 * bytes); 0 found, 1 not found. *pulLength (when given) gets its length. */
int32_t RS_fFindRecord(FFC_RECORD_STORE* pStore, uint16_t usIndex, const void* pKey, void* pRecord, uint32_t ulCapacity,
                       uint32_t* pulLength);
/* As RS_fFindRecord, into a buffer that holds, as it is stored, the record
 * with the key pHeldKey in the index (up to ulCapacity bytes): where the
 * new record repeats a byte over the held record's longest run of it (as
 * over the blank tail of a fixed record), nothing is written again. A null
 * pHeldKey (or a key not stored) holds nothing: the copy is RS_fFindRecord's. */
int32_t RS_fFindRecordOver(FFC_RECORD_STORE* pStore, uint16_t usIndex, const void* pKey, void* pRecord,
                           uint32_t ulCapacity, uint32_t* pulLength, const void* pHeldKey);
/* The first record with this key, unpacked in the store's own buffer, or
 * NULL. The view holds what it holds until the store's next view or its
 * end; a record viewed again while the store is unchanged is not unpacked
 * again. *pulLength (when given) gets its length. */
const void* RS_pViewRecord(FFC_RECORD_STORE* pStore, uint16_t usIndex, const void* pKey, uint32_t* pulLength);
uint32_t RS_ulRecordCount(FFC_RECORD_STORE* pStore);
/* A number that changes whenever a record store of the process is created,
 * destroyed, added to or has a record replaced: a reader may keep a record
 * it copied while the number stays the same. */
uint64_t RS_ulChangeStamp(void);

/* The stores of a pass (command, extension, source). 0, or -9. */
int16_t RS_sCreateCommandStores(FFC_CONTEXT* pContext);
void RS_DestroyCommandStores(FFC_CONTEXT* pContext);
/* Gives back what the stores of the pass hold beyond their records (the room
 * replaced records left, the unused end of their blocks and of their
 * indexes), once the pass has stored them all. The records stay as they are. */
void RS_ShrinkCommandStores(FFC_CONTEXT* pContext);
/* Adds or replaces the record under its two 16-bit numbers; 0, or -9. */
int16_t RS_PutCommandRecord(FFC_CONTEXT* pContext, const void* pRecord, uint32_t ulLength);
int16_t RS_PutCommandExtension(FFC_CONTEXT* pContext, const void* pRecord, uint32_t ulLength);
int16_t RS_PutSourceRecord(FFC_CONTEXT* pContext, const void* pRecord, uint32_t ulLength);
/* Copies the stored record with the numbers held in the buffer's first two
 * 16-bit words into the buffer (at most ulCapacity bytes); 0 found, 1 not
 * found (the buffer keeps what it held). */
int32_t RS_fFindCommandRecord(FFC_CONTEXT* pContext, void* pRecord, uint32_t ulCapacity);
/* RS_fFindCommandRecord into a buffer that holds the stored command record
 * with the numbers sHeldLine, sHeldSubLine as it was found or stored. */
int32_t RS_fFindCommandRecordOver(FFC_CONTEXT* pContext, void* pRecord, uint32_t ulCapacity, int16_t sHeldLine,
                                  int16_t sHeldSubLine);
/* RS_fFindCommandRecord of the command that follows the one with the
 * numbers in the buffer: the record (line, subline + 1) when there is one,
 * else (line + 1, 0); 0 found, 1 neither found (the buffer keeps what it
 * held). */
int32_t RS_fFindFollowingCommandRecord(FFC_CONTEXT* pContext, void* pRecord, uint32_t ulCapacity);
/* A view of the stored command record with these numbers (RS_pViewRecord),
 * or NULL: for a reader that only reads, with no copy into a buffer. */
const void* RS_pViewCommandRecord(FFC_CONTEXT* pContext, int16_t sLine, int16_t sSubLine, uint32_t* pulLength);
int32_t RS_fFindCommandExtension(FFC_CONTEXT* pContext, void* pRecord, uint32_t ulCapacity);
int32_t RS_fFindSourceRecord(FFC_CONTEXT* pContext, void* pRecord, uint32_t ulCapacity);
/* A view of the stored source record with these numbers, as
 * RS_pViewCommandRecord gives one of a command record. */
const void* RS_pViewSourceRecord(FFC_CONTEXT* pContext, int16_t sLine, int16_t sSubLine, uint32_t* pulLength);

/* The run-message store. */
uint16_t RS_sCreateMessageStore(FFC_CONTEXT* pContext);
void RS_sDestroyMessageStore(FFC_CONTEXT* pContext);
/* Adds a message to the group of its line (line + 1 for lines 1 to 31,998,
 * FFC_MESSAGE_GROUP_OUTSIDE otherwise). Nothing is dropped: a line with more
 * than 20 messages is listed in several groups. 0, or -9. */
int16_t RS_sAddRunMessage(FFC_CONTEXT* pContext, const FFC_CHECK_MESSAGE* pMessage);
/* Adds a message to the summary group. */
int16_t RS_sAddSummaryMessage(FFC_CONTEXT* pContext, const FFC_CHECK_MESSAGE* pMessage);
uint32_t RS_ulRunMessageCount(FFC_CONTEXT* pContext);
/* Calls pfnGroup for every group in order (line groups, then the summary);
 * the group and its messages are valid during the call only. */
typedef void (*RS_GROUP_LISTER)(const FFC_MESSAGE_GROUP* pGroup, void* pUser);
void RS_ListMessageGroups(FFC_CONTEXT* pContext, RS_GROUP_LISTER pfnGroup, void* pUser);

#ifdef __cplusplus
}
#endif

#endif
