/*
 * Command parser: splits the text of one ZOPH command,
 *
 *     [label:] NAME [parameters]
 *
 * into its label, its command name and its parameter text, and finds the
 * command's number in the caller's command-name table.  The parameter text
 * is checked for balanced quotes (a quote inside a literal is written
 * twice) and balanced brackets, and continuation lines are joined: a line
 * ending in '+' continues with the first non-blank of the next line, a
 * line ending in '-' continues with the whole next line.
 *
 * Callers rely on:
 *   - TPARS_sParseZOPH hands back an array of 1,040-byte results; the last
 *     one carries usLast = 1.  A result whose first word (lError) is not 0
 *     is an error whose text names the place (line and column); a good
 *     result carries the command number, the pre-split flag and the
 *     parameter text.  The caller frees the array with TPARS_FreeResults.
 *   - TPARS_DisplayResult shows the text of a result as a product message
 *     (SMSG_DisplayMessage of the services library), so a caller captures
 *     it with SMSG_RedirectMsgs.
 */
#ifndef DQOV_PLATFORM_DQOT_H
#define DQOV_PLATFORM_DQOT_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Command-name table: the names of the language's commands in command-number
 * order, each 10 characters, upper case, blank-padded.  The entry at index i
 * is command number i + 1.  An entry of NUL bytes matches no name. */
typedef struct TPARS_COMMAND_TABLE {
    uint32_t ulCount;            /* number of entries */
    const char (*pachNames)[10]; /* ulCount names of 10 characters */
} TPARS_COMMAND_TABLE;

/* Keyword table (optional, may be NULL): for each command number the
 * keywords its parameters may be written with (KEYWORD(value)).  A command
 * whose entry has no keywords is not checked. */
typedef struct TPARS_COMMAND_KEYWORDS {
    uint32_t ulCount;                /* number of keywords */
    const char* const* ppszKeywords; /* upper-case keyword names */
} TPARS_COMMAND_KEYWORDS;

typedef struct TPARS_KEYWORD_TABLE {
    uint32_t ulCount; /* entries, index = number - 1 */
    const TPARS_COMMAND_KEYWORDS* pCommands;
} TPARS_KEYWORD_TABLE;

/* Error codes of a result (first word). */
enum {
    TPARS_OK = 0,
    TPARS_ERR_EMPTY = 1,             /* no command name in the text */
    TPARS_ERR_LABEL_TOO_LONG = 2,    /* label longer than 3 characters */
    TPARS_ERR_LABEL_CHARACTER = 3,   /* label holds a character not allowed */
    TPARS_ERR_NAME_MISSING = 4,      /* a label without a command name */
    TPARS_ERR_UNKNOWN_NAME = 5,      /* name not in the command-name table */
    TPARS_ERR_UNCLOSED_QUOTE = 6,    /* literal not closed */
    TPARS_ERR_UNCLOSED_BRACKET = 7,  /* '(' without its ')' */
    TPARS_ERR_UNMATCHED_BRACKET = 8, /* ')' without its '(' */
    TPARS_ERR_CONTINUATION = 9,      /* continuation at the end of the text */
    TPARS_ERR_UNKNOWN_KEYWORD = 10   /* keyword not defined for the command */
};

/* Parser option 1, bit 0: command names are matched without regard to case. */
#define TPARS_OPT_ANY_CASE_NAMES 0x0001u

#define TPARS_RESULT_TEXT_SIZE 1000

/* One parse result: 1,040 bytes. */
typedef struct TPARS_RESULT {
    int32_t lError;         /* 0 good, else TPARS_ERR_... */
    uint16_t usCommandCode; /* command number (1-based table row) */
    uint16_t usPreSplit;    /* 1: split into label, name and parameters */
    uint16_t usLast;        /* 1 on the last result of the array */
    uint16_t usLine;        /* error place: line (1-based) */
    uint16_t usColumn;      /* error place: column (1-based) */
    char achLabel[3];       /* label, upper case, blank-padded */
    char achName[10];       /* command name, upper case, blank-padded */
    char chFiller;
    uint32_t ulParmLength;               /* length of the parameter text */
    char* pszParameters;                 /* parameter text, NUL-terminated (owned) */
    char szText[TPARS_RESULT_TEXT_SIZE]; /* error text, NUL-terminated */
} TPARS_RESULT;

/* Initialises the parser services.  The parser keeps no state between
 * calls besides the result arrays it hands out, so there is nothing to
 * prepare; returns 0. */
int16_t TPARS_InitServices(void);

/* Parses one command.  Arguments: the command text; the command-name table;
 * the keyword table or NULL; a reserved word (0); the two national
 * characters allowed in labels besides letters and digits; out the result
 * array; a reserved pointer (NULL); the two parser options.
 * Returns 0 when results were produced (good or erroneous), -1 when the
 * call itself is unusable (no text, no table, no result pointer). */
int16_t TPARS_sParseZOPH(const char* pszText, const TPARS_COMMAND_TABLE* pCommands,
                         const TPARS_KEYWORD_TABLE* pKeywords, uint32_t ulReserved, char chNational1, char chNational2,
                         TPARS_RESULT** ppResults, void* pvReserved, uint32_t ulOption1, uint32_t ulOption2);

/* Shows the text of an erroneous result as a product message.  A good
 * result shows nothing. */
void TPARS_DisplayResult(const TPARS_RESULT* pResult);

/* Frees a result array handed back by TPARS_sParseZOPH (with its
 * parameter texts).  NULL is accepted. */
void TPARS_FreeResults(TPARS_RESULT* pResults);

#ifdef __cplusplus
}
#endif

#endif
