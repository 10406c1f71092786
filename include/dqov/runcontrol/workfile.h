/* Keyed in-memory work file of a job.
 *
 * Records (FFC_WORK_RECORD) are kept in two key orders: kind-name-qualifier
 * and kind-qualifier-name, each with the insertion sequence as the last key
 * part, so records with equal keys come back in the order written. Reads go
 * through cursor slots (0 to WF_CURSOR_SLOTS-1); a slot remembers its order
 * and position. The number of leading key parts is 1 to 4: 1 kind, 2 kind and
 * name (second order: kind and qualifier), 3 and 4 the whole key. Results are
 * the characters '0' (done) and '1' (not found, no more, no current record). */
#ifndef DQOV_WORKFILE_H
#define DQOV_WORKFILE_H

#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_work_record.h"
#include <stdint.h>

#define WF_CURSOR_SLOTS 16

#ifdef __cplusplus
extern "C" {
#endif

/* Creates the context's work file (an existing one is emptied): 0, or -9. */
int16_t WF_sCreate(FFC_CONTEXT* pContext);
void WF_Destroy(FFC_CONTEXT* pContext);
/* Blank-fills the whole record (70 key characters and 2,800 data bytes). */
void WF_BlankRecord(FFC_CONTEXT* pContext, FFC_WORK_RECORD* pRecord);
/* Adds the record under the next insertion sequence; returns that sequence
 * (from 1), or 0 when it could not be stored. */
int32_t WF_lWrite(FFC_CONTEXT* pContext, const FFC_WORK_RECORD* pRecord);
char WF_cReadFirst(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord, uint16_t usParts);
char WF_cReadFirstBySecondKey(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord, uint16_t usParts);
/* As WF_cReadFirst, but only the key of the record found is read into the
 * buffer, its data part stays as it was: for a caller that asks whether
 * there is such a record. */
char WF_cFindFirst(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord, uint16_t usParts);
/* The next record of the slot (in the slot's order) whose leading key parts
 * equal the buffer's; on '1' the slot is cleared. */
char WF_cReadNext(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord, uint16_t usParts);
/* As WF_cReadFirst and WF_cReadNext, but of the record found only the first
 * ulDataBytes of its data are read into the buffer; its key and the rest of
 * its data are not (the key's leading parts are the buffer's own). For a
 * walk that looks at a few leading data bytes of each record before it
 * takes the record whole (WF_cReadCurrent). */
char WF_cReadFirstHead(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord, uint16_t usParts,
                       uint32_t ulDataBytes);
char WF_cReadNextHead(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord, uint16_t usParts,
                      uint32_t ulDataBytes);
/* Reads the slot's current record (the one its last read found) whole;
 * '1' when the slot has none, or its record was deleted. */
char WF_cReadCurrent(FFC_CONTEXT* pContext, uint16_t usSlot, FFC_WORK_RECORD* pRecord);
/* Rewrites the slot's current record: in place when its key is unchanged,
 * else moved to its new key place (as the newest of its equal keys). */
char WF_cUpdate(FFC_CONTEXT* pContext, uint16_t usSlot, const FFC_WORK_RECORD* pRecord);
char WF_cUpdateBySecondKey(FFC_CONTEXT* pContext, uint16_t usSlot, const FFC_WORK_RECORD* pRecord);
/* Deletes the slot's current record from both orders; a following
 * WF_cReadNext on the slot continues with the record after it. */
char WF_cDelete(FFC_CONTEXT* pContext, uint16_t usSlot, const FFC_WORK_RECORD* pRecord);
char WF_cDeleteBySecondKey(FFC_CONTEXT* pContext, uint16_t usSlot, const FFC_WORK_RECORD* pRecord);
/* A number that differs between the work files of the process and changes
 * whenever a record of the kind (10 characters) is written to, updated in
 * or deleted from the context's work file: a reader may keep what it made
 * of the kind's records while the number stays the same. 0 without a work
 * file. */
uint64_t WF_ulKindStamp(FFC_CONTEXT* pContext, const char* acKind);

#ifdef __cplusplus
}
#endif

#endif
