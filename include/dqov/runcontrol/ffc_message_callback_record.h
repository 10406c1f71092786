/* FFC_MESSAGE_CALLBACK_RECORD: one listed message handed to the editor's
 * message callback ("FCCMSGCALLBACK") after the two component anchors. */
#ifndef DQOV_FFC_MESSAGE_CALLBACK_RECORD_H
#define DQOV_FFC_MESSAGE_CALLBACK_RECORD_H

#include <stdint.h>

typedef struct FFC_MESSAGE_CALLBACK_RECORD {
    char acMsgId[8];       /* 7-character message id, terminated */
    uint32_t ulTextLength; /* bytes of text used */
    char acText[264];      /* the message text, terminated */
    char cSeverity;        /* 'F', 'W' or 'I' */
    uint32_t ulErrors;     /* the job's error count */
    uint32_t ulWarnings;   /* the job's warning count */
    uint32_t ulLine;       /* source line of the message, 0 for none (after the record's own fields) */
} FFC_MESSAGE_CALLBACK_RECORD;

/* The editor's message callback: called with PX_COMP_CMPE_ANCHOR_BLOCK,
 * PX_COMP_LPC_ANCHOR_BLOCK (in that order) and the record. */
typedef int32_t (*FFC_MESSAGE_CALLBACK)(void* pCmpeAnchor, void* pLpcAnchor,
                                        const FFC_MESSAGE_CALLBACK_RECORD* pRecord);

#endif
