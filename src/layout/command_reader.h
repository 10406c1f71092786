/* What the checker hands the layouts: its reader of the object's stored
 * commands, with which the design steps walk the source. The checker
 * installs it (P3100_UseLibraryLayouts). */
#ifndef DQOV_LAYOUT_COMMAND_READER_H
#define DQOV_LAYOUT_COMMAND_READER_H

#include "dqov/runcontrol/ffc_context.h"
#include "params/command_records.h"

extern "C" {

/* Reads the command after the one the record holds into the record: '0',
 * or '1' past the last command. */
typedef char (*LAYOUT_READ_COMMAND)(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pRecord);
void LAYOUT_UseCommandReader(LAYOUT_READ_COMMAND pfnRead);
/* The installed reader's answer; '1' (no command) when none is installed. */
char LAYOUT_chReadNextCommand(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pRecord);

}  // extern "C"

#endif
