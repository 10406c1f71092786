/* FFC_SYSTEM_DEFINITION: the caller's system definition, read only.
 * Texts are terminated unless a width without terminator is stated. */
#ifndef DQOV_FFC_SYSTEM_DEFINITION_H
#define DQOV_FFC_SYSTEM_DEFINITION_H

#include <stdint.h>

#define FFC_FUNCTION_KEY_COUNT 26
#define FFC_SYSTEM_FLAG_COUNT 999

/* The report page width of a system that gives none. */
#define FFC_DEFAULT_PAGE_WIDTH 132

typedef struct FFC_FUNCTION_KEY_DEF {
    char acValue[2];    /* e.g. "03" */
    char acCaption[10]; /* blank-padded caption */
} FFC_FUNCTION_KEY_DEF;

typedef struct FFC_LANGUAGE_ENTRY {
    char szLanguage[5]; /* language code, terminated */
    uint32_t ulFlags;   /* non-zero: the language takes part in web generation */
} FFC_LANGUAGE_ENTRY;

typedef struct FFC_SYSTEM_DEFINITION {
    char szPartition[4];     /* 3-character partition identifier */
    char szLanguage[5];      /* current language, "NAT" for the native one */
    char szUserId[11];       /* user identifier */
    char szProduct[7];       /* product value */
    char szDateFormat[4];    /* "DMY", "MDY" or "YMD" */
    char cDecimalPoint;      /* '.' or ',' */
    char acNationalChars[3]; /* three national characters allowed in names (blank: none) */
    FFC_FUNCTION_KEY_DEF aFunctionKeys[FFC_FUNCTION_KEY_COUNT];
    int32_t lDoubleByte;                       /* > 0: texts are double-byte */
    char cRightToLeft;                         /* 'Y': right-to-left texts */
    char cNumericCheck;                        /* 'Y': numeric check on */
    char acScreenFlags[20];                    /* the first two are the screen-line switches ('Y'/'N') */
    char acSystemFlags[FFC_SYSTEM_FLAG_COUNT]; /* 'Y'/'N' system flags, numbered from 1 */
    char cShowSqlErrors;                       /* 'Y': SQL failures are also shown as message 181 */
    uint16_t usLanguageCount;                  /* entries in pLanguages */
    const FFC_LANGUAGE_ENTRY* pLanguages;
    int32_t QV_ITRO;           /* trace option, non-zero = on */
    int32_t QV_ITRM;           /* trace mode */
    int32_t QV_ITRL;           /* trace level */
    char szTraceFile[261];     /* trace file path (filled by the trace set-up when empty) */
    char szRootDirectory[261]; /* environment root, e.g. "C:\\VELMO\\" */
    char szRepositoryDsn[33];  /* data-source name of the repository's own database */
    char szRepositoryType[33]; /* DBMS type of the repository's own database */
    char acPageLength[3];      /* report page length, 3 digits */
    char acOverflowLine[3];    /* report overflow line, 3 digits */
    int32_t lPageWidth;        /* report page width; 0: FFC_DEFAULT_PAGE_WIDTH */
    char cTitleUpper;          /* 'Y': titles are upper-cased */
    char cTitleLines;          /* run default of the title-lines flag */
    uint16_t usScreenLines;    /* 24 or another screen line count */
    char cPopupIdentifier;     /* identifier switch of pop-up titles */
    char cExtendedAttributes;  /* '1' = on */
    char acPlaceholders[4];    /* the four placeholder characters */
    char acFrameChars[4];      /* pop-up frame: line, top corner, bottom corner, side */
    char cDateTimeOnTitle;     /* 'Y': date and time placeholders on designed screens */
    char cReportImage;         /* 'Y': offer to store the report image */
    char cKeepQuotes;          /* 'Y': single quotes in texts are kept */
    const void* pCommandNames; /* the command-name table of the parser (TPARS_COMMAND_TABLE), or NULL */
    char cExtraKey;            /* 'Y': the function-key legend of a designed screen shows the key below first */
    char acExtraKeyNumber[2];  /* its key number, "01" to "24" */
    char acExtraKeyText[10];   /* its text, blank-padded */
} FFC_SYSTEM_DEFINITION;

#endif
