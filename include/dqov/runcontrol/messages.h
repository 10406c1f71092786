/* Messages of a job: queueing by id with substitution data, retrieval,
 * listing by run mode, status lines, colours and run modes.
 *
 * Run modes: 1 editor, 2 tools (standard output with colour tags), 3 the
 * message service. Colours of tools-mode lines: 1 "<RED>", 2 "<BRN>",
 * 5 "<GRN>", any other "<BLU>". */
#ifndef DQOV_MESSAGES_H
#define DQOV_MESSAGES_H

#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_message_callback_record.h"
#include <stdint.h>

#define FFC_RUN_MODE_EDITOR 1
#define FFC_RUN_MODE_TOOLS 2
#define FFC_RUN_MODE_SERVICE 3

#define FFC_MSG_DATA_MAX 256

/* A queued message: texts are fetched only when it is shown. */
typedef struct FFC_MESSAGE_RECORD {
    char acLanguage[4];
    char acMsgFile[10];
    char acMsgId[7];
    uint16_t usDataLength;
    char acData[FFC_MSG_DATA_MAX];
} FFC_MESSAGE_RECORD;

#ifdef __cplusplus
extern "C" {
#endif

void FFC_Set_Run_Mode(int16_t sMode);
int16_t FFC_sGetRunMode(void);
int32_t FFC_from_EDITOR(void);
int32_t FFC_from_TOOLS(void);
/* Writes one tools-mode line: the current colour tag, the text (sLength
 * bytes, or up to its terminator when sLength < 0) and "\r\n", flushed. */
void FFC_TOOLS_Message(const char* pText, int16_t sLength);

void P31O2_SetBaseColour(uint16_t usColour);
/* Severity 1 -> colour 1, 2 -> 2, 3 -> 5, else the base colour. */
void P31O2_SetSeverityColour(int16_t sSeverity);
/* Shows the first sLength characters as a status line by run mode. */
void P31O2_ShowStatusText(const char* pText, int16_t sLength);
/* Issues a plain terminated text by run mode. */
void P31O2_IssueText(const char* pszText);

/* Queues message acMsgId (7 characters) with its substitution data in the
 * job's message queue acQueue (10 characters), with the context's object
 * name as message file and the context's language. 0, -5 data longer than
 * FFC_MSG_DATA_MAX, -9 no storage. */
int16_t P9006_sQueueMessage(FFC_CONTEXT* pContext, const char* acQueue, const char* acMsgId, uint16_t usDataLength,
                            const void* pData);
/* Empties the job's message queue acQueue (10 characters): what a command
 * queued and nothing replayed is not carried into the next command. 0, -1
 * when no such queue. */
int16_t P9006_sEmptyMessageQueue(FFC_CONTEXT* pContext, const char* acQueue);
/* Counts one message of severity cSeverity in the run statistics: the total
 * and the pass-1 or later-passes count by lPass. 1 when counted ('F' fatal,
 * 'W' warning), 0 for any other severity. */
int P9006_fCountMessage(FFC_RUN_STATISTICS* pStats, char cSeverity, int32_t lPass);
/* Number of messages in a queue: 0 and *pulCount, or -1 when no such queue. */
int16_t qvrms3(FFC_CONTEXT* pContext, const char* acQueue, uint32_t* pulCount);
/* Message n (from 1) of a queue with its text resolved: id (8 bytes with
 * terminator), severity letter and the text (terminated, cut to
 * ulTextCapacity). 0, 1 no such message, -1 no such queue. */
int16_t qvrms4(FFC_CONTEXT* pContext, const char* acQueue, uint32_t ulNumber, char* pszMsgId, char* pcSeverity,
               char* pszText, uint32_t ulTextCapacity);
/* Resolves a message id with substitution data into its text and severity
 * (repository message table by language, falling back to "ENG"). 0 found,
 * 1 no text (the text then names the id and shows the data). */
int16_t P9006_sResolveMessage(const char* acMsgFile, const char* acMsgId, const char* acLanguage, const void* pData,
                              uint16_t usDataLength, char* pcSeverity, char* pszText, uint32_t ulTextCapacity);

/* Moves the queued messages of acQueue into the run-message store as
 * messages of the check state's current line, and empties the queue;
 * returns the number moved. Errors and warnings are counted in the check
 * state (pass 1 or later). */
uint32_t P9006_ulReplayQueuedMessages(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const char* acQueue);

/* Lists the run's messages (groups by line, then the summary, then anything
 * left in the queue acQueue) by run mode. In editor mode each message goes
 * to pfnCallback (when given) after the two anchors. */
void P31O2_ListRunMessages(FFC_CONTEXT* pContext, const char* acQueue, const FFC_RUN_STATISTICS* pStats,
                           FFC_MESSAGE_CALLBACK pfnCallback, void* pCmpeAnchor, void* pLpcAnchor);

#ifdef __cplusplus
}
#endif

#endif
