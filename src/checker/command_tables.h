/* Command tables of the checker and the sorted command lookup.
 *
 * The language's 127 commands are known through fixed tables indexed by
 * command number less one: names, a two-letter structure role and partner,
 * and 28 Y/N flags that switch on the optional parameter groups of the file
 * and screen commands, all taken from the command list
 * (params/commands.def). The lookup (128 entries, sorted by name compared as
 * unsigned bytes) is built once per process; the checker, the parameter
 * preparation and the generator cache their handlers in its entries. */
#ifndef DQOV_CHECKER_COMMAND_TABLES_H
#define DQOV_CHECKER_COMMAND_TABLES_H

#include "dqov/runcontrol/ffc_context.h"
#include "params/command_records.h"
#include "platform/dqot/dqot.h"
#include <stdint.h>

/* The commands: the rows of the command list (127). */
enum {
    FFC_COMMAND_COUNT = 0
#define DQOV_COMMAND(...) +1
#include "params/commands.def"
#undef DQOV_COMMAND
};
#define FFC_COMMAND_LOOKUP_SIZE (FFC_COMMAND_COUNT + 1)
#define FFC_COMMAND_FLAG_COUNT 28

/* The flag columns of a command's row, by their place in it: a 'Y' lets
 * the common check of the file and screen commands examine the parameter
 * group. The columns without a name here are carried in the rows but
 * examined by no check. */
typedef enum FFC_COMMAND_FLAG {
    FFC_FLAG_FIELD_LIST = 0,      /* the field list */
    FFC_FLAG_FILE = 1,            /* the file name ("*FIRST"; the library looked up) */
    FFC_FLAG_WHERE = 2,           /* the WHERE condition */
    FFC_FLAG_KEY = 3,             /* the key values */
    FFC_FLAG_IO_STATUS = 4,       /* the I/O status field ("*STATUS") */
    FFC_FLAG_IO_ERROR = 5,        /* the I/O error action */
    FFC_FLAG_END_ACTION = 6,      /* an action taking "*NEXT", "*RETURN" or a label */
    FFC_FLAG_SECOND_ACTION = 7,   /* a second such action */
    FFC_FLAG_VAL_ERROR = 8,       /* the validation error action */
    FFC_FLAG_EXIT_KEY = 9,        /* the exit key action */
    FFC_FLAG_MENU_KEY = 10,       /* the menu key action */
    FFC_FLAG_KEY_COUNT = 14,      /* a value "*WITHKEY" or "*COMPUTE" */
    FFC_FLAG_NO_OR_NONE = 15,     /* a value "*NO" or "*NONE" */
    FFC_FLAG_SIGNED_BINARY = 16,  /* a field that must be signed binary */
    FFC_FLAG_NONE_VALUE = 18,     /* a value "*NONE" */
    FFC_FLAG_NO_VALUE = 19,       /* a value "*NO" */
    FFC_FLAG_FUNCTION_KEYS = 20,  /* the function keys of the screen */
    FFC_FLAG_CURSOR = 21,         /* the cursor position */
    FFC_FLAG_IO_MODULE = 26       /* the I/O module */
} FFC_COMMAND_FLAG;

typedef struct FFC_COMMAND_LOOKUP {
    FFC_COMMAND_ENTRY aEntries[FFC_COMMAND_LOOKUP_SIZE];
} FFC_COMMAND_LOOKUP;

#ifdef __cplusplus
extern "C" {
#endif

/* Name of command number n (1-127), 10 characters, not terminated. */
const char* P3100_pCommandName(uint32_t ulNumber);
/* Two-letter role ("NA", "ST", "US", "PR", "S2", "S6", "U7", "LM"; two NULs
 * for none) and the 10-character partner (blanks for none). */
const char* P3100_pStructureRole(uint32_t ulNumber);
const char* P3100_pStructurePartner(uint32_t ulNumber);
/* Row of 28 flags of the writable flag table (FFC_COMMAND_FLAG places). */
const char* P3100_pCommandFlags(uint32_t ulNumber);
/* Number of rows the joined role and partner tables hold (127 once built). */
uint32_t P3100_ulStructureRows(void);

/* Builds the flag table (every check) and, once per process, the joined
 * role and partner tables and the lookup, whose address goes to the
 * context (when given). */
void P3100_BuildCommandTables(FFC_CONTEXT* pContext);
FFC_COMMAND_LOOKUP* P3100_pCommandLookup(void);

/* Byte-wise comparison of two 10-character names as unsigned characters. */
int32_t P3100_sCompareCommandName(const void* pName1, const void* pName2);
/* Binary search of a 10-character blank-padded name; null when absent. */
FFC_COMMAND_ENTRY* P3100_pFindCommand(const char* pachName);

/* The command names as the command parser's table. */
const TPARS_COMMAND_TABLE* P3100_pParserCommandTable(void);

/* FUNCTION options (26 of 20 characters) and their count. */
extern const char FFC_FUNCTION_OPTIONS[26][21];
/* The checker's literal message formats. */
extern const char* const FFC_LITERAL_FORMATS[9];
#define FFC_FMT_CLASS_NOT_VALID 0
#define FFC_FMT_OUT_OF_SCOPE 2
#define FFC_FMT_ILLEGAL_REFERENCE 5
#define FFC_FMT_TOO_MANY_LINES 8

#ifdef __cplusplus
}
#endif

#endif
