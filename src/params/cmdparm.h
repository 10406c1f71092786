/* Command parameters: the keyword area loaded from the repository and the
 * preparation of one command's parameters into its parsed command.
 *
 * The keyword area holds fixed 66-byte entries: one per element of every
 * parameter of every command (row type 'P'), one per allowed value of a
 * flag-set parameter ('V') and one per alias ('A').  Entries of a command
 * lie together, parameters in their order.  The checker loads the area once
 * per process with CMDPARM_sLoadKeywordTables and hands it, with its entry
 * count, to every CMDPARM_sPrepareCommand. */
#ifndef DQOV_PARAMS_CMDPARM_H
#define DQOV_PARAMS_CMDPARM_H

#include <stdint.h>

#include "dqov/runcontrol/ffc_context.h"
#include "params/command_records.h"
#include "params/parsed_command.h"

#ifdef __cplusplus
extern "C" {
#endif

#define CMDPARM_KEYWORD_AREA_SIZE 145200
#define CMDPARM_PARAMETER_BUFFER_SIZE 11000
#define CMDPARM_VALUE_BUFFER_SIZE 256

typedef struct CMDPARM_KEYWORD_ENTRY {
    char cRowType; /* 'P' parameter element, 'V' allowed value, 'A' alias */
    char acCommand[10];
    char acKeyword[10]; /* parameter keyword; for 'A' the alias */
    char acParmSeq[3];  /* parameter number within the command, from "001" */
    char cElement;      /* element number '1'..'6' */
    char cLayout;       /* 'S', 'R', 'C', 'F' */
    char cKind;         /* 'A', 'T', 'X', 'S', 'C', 'N', 'H' */
    char acWidth[4];
    char acEntries[3];
    char acOffset[4];  /* element of the first entry, in the parameter area */
    char acCountAt[4]; /* the 32-bit count, or blanks */
    char cPositional;  /* 'Y' may be given without its keyword */
    char acValue[20];  /* 'P': the element's default; 'V': the value; 'A': the keyword aliased */
    char acSpare[3];
} CMDPARM_KEYWORD_ENTRY;

#define CMDPARM_KEYWORD_ENTRY_MAX (CMDPARM_KEYWORD_AREA_SIZE / sizeof(CMDPARM_KEYWORD_ENTRY))

/* Loads the keyword table (QV_F98 rows with X98ROC 'M') and the alias table
 * (QV_F97) into the area (CMDPARM_KEYWORD_AREA_SIZE bytes) and sets the
 * entry count.  0 loaded; 1 more rows than the area holds (the area keeps
 * what fitted); -1 a statement failed (SSQL_pszLastError says why). */
int16_t CMDPARM_sLoadKeywordTables(void* pArea, uint16_t* pusCount);

/* Prepares the parameters of the source command into the parsed command:
 * blanks the whole parameter block (also when the command is not prepared:
 * callers need not blank it first) and the extension's attributes, caches
 * the command's defaults handler in the
 * lookup entry and runs it, then parses the parameter text (keywords,
 * positional values, quoted literals, lists of lists, expressions kept
 * whole).  Per-entry attributes of a field list go into the extension.
 * Every finding is queued in the message queue (10-character name) as a DCM
 * message.  0 prepared, 1 not prepared.
 * The two buffers are the caller's work areas (11,000 and 256 bytes). */
int16_t CMDPARM_sPrepareCommand(FFC_CONTEXT* pContext, FFC_PARSED_COMMAND* pCommand, FFC_COMMAND_EXTENSION* pExtension,
                                const FFC_SOURCE_COMMAND* pSource, char* pchParmBuffer, char* pchValueBuffer,
                                const char* acQueue, const void* pKeywordArea, uint16_t usKeywordCount,
                                FFC_COMMAND_ENTRY* pEntry);

/* The defaults handler every command entry caches: blanks the command's
 * parameter area (numbers and counts 0) and sets the defaults of its
 * parameters from the keyword area last handed to CMDPARM_sPrepareCommand. */
void CMDPARM_SetDefaults(FFC_CONTEXT* pContext, FFC_PARSED_COMMAND* pCommand);

#ifdef __cplusplus
}

namespace dqov::cmdparm {

/* CMDPARM_sPrepareCommand for a caller that knows the extension's
 * attributes blank past its first `blankPast` entries (as a preparation
 * leaves them past its entry count): only those entries are blanked. -1
 * when it does not know: all of them are.
 * Likewise the parameter area is known blank from offset `parmsBlankFrom`
 * on (FFC_PARM_AREA_SIZE when nothing is known): only the bytes before it
 * are blanked. When `parmsWrittenPast` is given it is set to the offset
 * from which the preparation left the area blank. */
int16_t PrepareCommand(FFC_CONTEXT* pContext, FFC_PARSED_COMMAND* pCommand, FFC_COMMAND_EXTENSION* pExtension,
                       const FFC_SOURCE_COMMAND* pSource, char* pchParmBuffer, const char* acQueue,
                       const void* pKeywordArea, uint16_t usKeywordCount, FFC_COMMAND_ENTRY* pEntry,
                       int32_t blankPast, int32_t parmsBlankFrom = FFC_PARM_AREA_SIZE,
                       int32_t* parmsWrittenPast = nullptr);

/* Frees what the preparations keep between commands (the command views read
 * from the keyword area, with their defaults, and the room of the items
 * read): for when no more commands are prepared. A later preparation reads
 * the views again. */
void ForgetPreparations();

}  // namespace dqov::cmdparm
#endif

#endif
