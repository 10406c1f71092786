/* Records shared by the checker, the parameter preparation and the
 * generator around one command: the source command as the passes read it,
 * the command lookup entry with its cached handlers, and the command
 * extension that carries per-entry attributes of field lists.
 *
 * Each type is guarded so that the module owning the checker's command
 * tables can hold the one definition once it exists. */
#ifndef DQOV_PARAMS_COMMAND_RECORDS_H
#define DQOV_PARAMS_COMMAND_RECORDS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FFC_PARAMETER_TEXT_SIZE 11000

#ifndef FFC_SOURCE_COMMAND_DEFINED
#define FFC_SOURCE_COMMAND_DEFINED
/* One command of the source as the passes read it. */
typedef struct FFC_SOURCE_COMMAND {
    int16_t sLine;             /* command number, or the INCLUDE's number */
    int16_t sSubLine;          /* 0, or the number within the included function */
    int16_t sSequence;         /* running count of stored commands */
    int32_t lPreSplit;         /* 1: acParameters holds the parameters only */
    int32_t lBuiltIn;          /* 1: a built-in (component) command */
    int32_t lObjectLayerParse; /* parse route mark */
    int32_t lWrittenLength;    /* length of a text longer than the area holds; else 0 */
    int32_t lSpare;
    char acLabel[3]; /* upper case */
    char acLabelWritten[3];
    uint16_t usCommandCode;
    char acName[10]; /* upper case; "**********" for an empty line */
    char acNameWritten[10];
    uint16_t usParmLength; /* at most 11,000 */
    char acParameters[FFC_PARAMETER_TEXT_SIZE];
} FFC_SOURCE_COMMAND;
#endif

#ifndef FFC_COMMAND_ENTRY_DEFINED
#define FFC_COMMAND_ENTRY_DEFINED
typedef void (*FFC_CHECK_HANDLER)(void);
typedef void (*FFC_EMITTER)(void);
struct FFC_CONTEXT;
struct FFC_PARSED_COMMAND;
/* Parameter-defaults handler: fills the defaults of every parameter of its
 * command into the blanked parsed command. */
typedef void (*FFC_DEFAULTS_HANDLER)(struct FFC_CONTEXT* pContext, struct FFC_PARSED_COMMAND* pCommand);

/* One entry of the command lookup shared by checker, parameter preparation
 * and generator; each caches its own handler in it. */
typedef struct FFC_COMMAND_ENTRY {
    char acName[10];
    uint32_t ulNumber; /* 1-based; 128 for the end entry */
    FFC_CHECK_HANDLER pfnCheck;
    int32_t lDefaultsCached; /* 1 once pfnDefaults is stored */
    FFC_DEFAULTS_HANDLER pfnDefaults;
    FFC_EMITTER pfnEmitter;
    int32_t lPushWhen; /* 0 never, 1 before the emitter, 2 after */
    char acBlock[3];   /* loop, case, labels: 'Y'/'N' */
    int32_t lPopWhen;
    int32_t lIndentWhen;
} FFC_COMMAND_ENTRY;
#endif

#ifndef FFC_COMMAND_EXTENSION_DEFINED
#define FFC_COMMAND_EXTENSION_DEFINED
#define FFC_EXTENSION_ENTRIES 100
#define FFC_EXTENSION_VALUES 7
#define FFC_EXTENSION_VALUE_WIDTH 10
/* Per-entry attributes of a command's field list: for entry i (from 0) the
 * values written after its name, 7 values of 10 characters each, at
 * acAttributes + i * 70.  The field list of SELECT_SQL has instead one
 * column text per entry (an SQL expression giving the field's column,
 * blank when the column is the field itself): FFC_EXTENSION_COLUMN_WIDTH
 * characters at the start of the entry's 70. */
#define FFC_EXTENSION_COLUMN_WIDTH 50
typedef struct FFC_COMMAND_EXTENSION {
    int16_t sLine;
    int16_t sSubLine;
    int32_t lEntries; /* entries holding attributes */
    char acAttributes[FFC_EXTENSION_ENTRIES * FFC_EXTENSION_VALUES * FFC_EXTENSION_VALUE_WIDTH];
} FFC_COMMAND_EXTENSION;

/* The column text of entry i (from 0) of a field list with column texts:
 * FFC_EXTENSION_COLUMN_WIDTH characters, blank-padded; NULL out of range. */
static inline const char* FFC_ExtensionColumnText(const FFC_COMMAND_EXTENSION* pExtension, int32_t lEntry)
{
    if (!pExtension || lEntry < 0 || lEntry >= FFC_EXTENSION_ENTRIES)
        return 0;
    return pExtension->acAttributes + lEntry * FFC_EXTENSION_VALUES * FFC_EXTENSION_VALUE_WIDTH;
}
#endif

#ifdef __cplusplus
}
#endif

#endif
