/* Entry points for other tools: the single-check session, its message
 * queues, and the library's identification. */
#ifndef DQOV_VALID_H
#define DQOV_VALID_H

#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_system_definition.h"
#include "dqov/runcontrol/x_obj_id_table.h"
#include <stdint.h>

#define DQOV_MODULE_NAME "DQOV"
#define DQOV_PLATFORM "PC"
#define DQOV_BUILD_NUMBER 1L

/* The services anchor of the single-check session: the caller's system
 * definition with two record positions and a services value. */
typedef struct FFC_SERVICES_ANCHOR {
    const FFC_SYSTEM_DEFINITION* pSystemDefinition;
    int32_t lRecordPosition1;
    int32_t lRecordPosition2;
    void* pServices;
} FFC_SERVICES_ANCHOR;

#ifdef __cplusplus
extern "C" {
#endif

/* Starts the single-check session from the caller's system definition;
 * 0, or -1 without a system definition. The session's run context is
 * VALID_pGetSession(). */
int16_t VALID_InitServices(const FFC_SYSTEM_DEFINITION* pSystem, int32_t lRecordPosition1, int32_t lRecordPosition2,
                           void* pServices);
FFC_CONTEXT* VALID_pGetSession(void);
const FFC_SERVICES_ANCHOR* VALID_pGetServicesAnchor(void);
/* Creates a message queue (10-character name): 0, -4 exists, -9 no storage,
 * -1 no session. */
int16_t VALID_CreateMsgQueue(const char* acQueue);
/* Shows the queue's messages by run mode; returns their number, -1 when
 * there is no such queue. */
int32_t VALID_DisplayMessages(const char* acQueue);
/* Empties the queue: 0, -1 no such queue. */
int16_t VALID_ClearMessages(const char* acQueue);
/* Deletes the queue: 0, -1 no such queue. */
int16_t VALID_CloseMsgQueue(const char* acQueue);
/* Ends the process through the fatal exit with the text. */
void VALID_Die(const char* pszText);
int32_t VALID_Get_Build_Number(void);
/* The library's identification rows: platform, module, build date, time
 * and number, ended by identifier -1. */
const X_OBJ_ID_TABLE* X_GetIdentificationPtr(void);
/* Queues a message in a queue of the single-check session (see
 * P9006_sQueueMessage). */
int16_t DC_P9006(const char* acQueue, const char* acMsgId, uint16_t usDataLength, const void* pData);

#ifdef __cplusplus
}
#endif

#endif
