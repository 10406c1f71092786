/* The checker's view of the command records.
 *
 * The records themselves (FFC_SOURCE_COMMAND, FFC_PARSED_COMMAND,
 * FFC_COMMAND_EXTENSION, FFC_COMMAND_ENTRY) are defined once with the
 * parameter preparation, which fills the parsed command's parameter area.
 * The checker keeps its own marks of a command in the spare bytes 46-54 of
 * the parsed command's header: the check status "OK " or "FTL" (46-48), the
 * extension switch 'Y'/'N' (49), a reserved byte (50) and the context's
 * label number at the command, a 32-bit value in native order (51-54). */
#ifndef DQOV_CHECKER_COMMAND_RECORDS_H
#define DQOV_CHECKER_COMMAND_RECORDS_H

#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include "params/command_records.h"
#include "params/parsed_command.h"

#define FFC_SOURCE_TEXT_MAX FFC_PARAMETER_TEXT_SIZE
#define FFC_PARAMETER_AREA FFC_PARM_AREA_SIZE
#define FFC_BLANK_COMMAND "**********"

#define FFC_MARK_STATUS 0
#define FFC_MARK_EXTENSION 3
#define FFC_MARK_LABEL 5

#ifdef __cplusplus
static_assert(offsetof(FFC_PARSED_COMMAND, acFiller) == 46, "checker marks at bytes 46-54");
static_assert(sizeof(((FFC_PARSED_COMMAND*)0)->acFiller) == 9, "nine spare bytes");

inline char* FFC_CommandStatus(FFC_PARSED_COMMAND& p)
{
    return p.acFiller + FFC_MARK_STATUS;
}
inline char& FFC_ExtensionSwitch(FFC_PARSED_COMMAND& p)
{
    return p.acFiller[FFC_MARK_EXTENSION];
}
inline void FFC_SetLabelNumber(FFC_PARSED_COMMAND& p, uint32_t n)
{
    memcpy(p.acFiller + FFC_MARK_LABEL, &n, 4);
}
inline uint32_t FFC_LabelNumber(const FFC_PARSED_COMMAND& p)
{
    uint32_t n;
    memcpy(&n, p.acFiller + FFC_MARK_LABEL, 4);
    return n;
}
#endif

#endif
