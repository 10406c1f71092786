/* The checker's command records.
 *
 * FFC_SOURCE_COMMAND: one command of the loaded source, as the loader stores
 * it and the reader hands it to the passes (and to the generator and the
 * layout steps). FFC_PARSED_COMMAND: the command as checked, kept in the
 * command store between the passes; its parameter area from byte 56 is the
 * parameter parser's, laid out per command. Both begin with the line and
 * sub-line numbers, which key them in the record stores. */
#ifndef DQOV_CHECKER_COMMAND_RECORDS_H
#define DQOV_CHECKER_COMMAND_RECORDS_H

#include <stddef.h>
#include <stdint.h>

#define FFC_SOURCE_TEXT_MAX   11000
#define FFC_PARAMETER_AREA    5000
#define FFC_BLANK_COMMAND     "**********"

typedef struct FFC_SOURCE_COMMAND {
    int16_t  sLine;               /* command number, or the INCLUDE's number */
    int16_t  sSubLine;            /* 0, or the number within the included function */
    int16_t  sSequence;           /* running count of stored commands */
    int16_t  sFiller;
    int32_t  lPreSplit;           /* 1: the text holds only the parameters */
    int32_t  lBuiltIn;            /* 1: one of the built-in (component) commands */
    int32_t  lObjectParse;        /* 1: parsed through the object layer */
    int32_t  lTokenWord1;         /* cleared by the reader */
    int32_t  lTokenWord2;
    char     acLabel[3];          /* upper case */
    char     acLabelWritten[3];
    uint16_t usCode;              /* built-in code or the parser's command code */
    char     acName[10];          /* upper case; "**********" for an empty line */
    char     acNameWritten[10];
    uint16_t usParmLength;        /* at most 11,000 */
    char     acParms[FFC_SOURCE_TEXT_MAX];
    char     acFiller[2];
} FFC_SOURCE_COMMAND;

typedef struct FFC_PARSED_COMMAND {
    int16_t  sLine;               /*  0 */
    int16_t  sSubLine;            /*  2 */
    int16_t  sThird;              /*  4 line (component run) or sequence */
    char     acLabel[3];          /*  6 */
    char     acName[10];          /*  9 */
    char     acStatus[3];         /* 19 "OK " or "FTL" */
    char     cExtension;          /* 22 'Y': a command extension is kept */
    char     cByte;               /* 23 0 at the start of a command */
    int32_t  lDispatchId;         /* 24 -1 when none */
    uint32_t ulLabelNumber;       /* 28 the context's current label number */
    int32_t  lBuiltIn;            /* 32 */
    int32_t  lObjectParse;        /* 36 */
    int32_t  lTokenWord1;         /* 40 */
    int32_t  lTokenWord2;         /* 44 */
    int16_t  sOpenerLine;         /* 48 line and sub-line of the opener a closer matched */
    int16_t  sOpenerSubLine;      /* 50 */
    int16_t  sPrepareStatus;      /* 52 result of the parameter preparation */
    char     acFiller[2];         /* 54 */
    char     acParms[FFC_PARAMETER_AREA]; /* 56 */
} FFC_PARSED_COMMAND;

/* Extension of a parsed command whose parameters need more room; kept only
 * when the parsed command's extension switch is 'Y'. */
typedef struct FFC_COMMAND_EXTENSION {
    int16_t sLine;
    int16_t sSubLine;
    char    acData[FFC_SOURCE_TEXT_MAX];
} FFC_COMMAND_EXTENSION;

#ifdef __cplusplus
static_assert(offsetof(FFC_PARSED_COMMAND, acName) == 9, "name at byte 9");
static_assert(offsetof(FFC_PARSED_COMMAND, acParms) == 56, "parameters at byte 56");
static_assert(sizeof(FFC_SOURCE_COMMAND) == 11060, "source command of 11,060 bytes");
#endif

#endif
