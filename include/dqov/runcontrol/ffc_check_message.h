/* FFC_CHECK_MESSAGE: one message of the job as the checker and the
 * generators record it in the run-message store; messages are listed in
 * groups by line (at most FFC_MESSAGE_GROUP_SIZE per group), the summary
 * group last. */
#ifndef DQOV_FFC_CHECK_MESSAGE_H
#define DQOV_FFC_CHECK_MESSAGE_H

#include <stdint.h>

#define FFC_MESSAGE_GROUP_SIZE 20
#define FFC_MESSAGE_GROUP_SUMMARY 32000
#define FFC_MESSAGE_GROUP_OUTSIDE 32001 /* messages of no line in range */
#define FFC_MESSAGE_TEXT_LEN 132

typedef struct FFC_CHECK_MESSAGE {
    uint32_t ulLine;                   /* source line, 0 for none */
    char acCommand[10];                /* command name, blanks for none */
    uint16_t usPass;                   /* pass that issued it */
    uint32_t ulSubLine;                /* sub-line of the command */
    char cSeverity;                    /* 'F', 'W' or 'I' */
    char acMsgId[7];                   /* e.g. PRC0010 */
    char acObject[10];                 /* object name (message file) */
    char acText[FFC_MESSAGE_TEXT_LEN]; /* text or substitution data, blank-padded */
} FFC_CHECK_MESSAGE;

/* A group of messages as handed to the lister. */
typedef struct FFC_MESSAGE_GROUP {
    uint32_t ulGroup;   /* line + 1, FFC_MESSAGE_GROUP_OUTSIDE or FFC_MESSAGE_GROUP_SUMMARY */
    uint32_t ulCount;   /* messages in this group (at most 20) */
    uint32_t ulFurther; /* messages of the same line that follow in later groups */
    const FFC_CHECK_MESSAGE* apMessages[FFC_MESSAGE_GROUP_SIZE];
} FFC_MESSAGE_GROUP;

#endif
