/*
** command_state.h: what the command loop keeps while it walks the checked
** commands, for every writer below it: the current command and its record,
** the block stack, and the build handle of the job.
*/
#ifndef GENERATOR_CORE_COMMAND_STATE_H
#define GENERATOR_CORE_COMMAND_STATE_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "generator/core/output/command_lookup.h"

/* Opens a block: fLoop a loop (the target of LEAVE and ITERATE); fCase a
** CASE block, inside which a break would leave the switch, so the nearest
** enclosing loop gets labels; fLabels a loop with labels of its own. */
void P3109_PushBlock(bool fLoop, bool fCase, bool fLabels);
void P3109_PopBlock();
void P3109_MakeBreakContinueGoto(std::string& output, char cKind);
void P3109_WriteLeavePoint();
void P3109_WriteContinuePoint();

/* Steps the key to the next command record (next sequence, else the next
** number with sequence 0); 0 with the record, non-zero at the end. */
int16_t P3109_sNextCommandRecord(uint16_t& usNumber, uint16_t& usSequence, GEN_COMMAND_RECORD& record);
/* The commands the walks before the second run act on, read in one walk
** of the whole list: the definition commands the first run dispatches
** (names starting DEF_LIST, DEF_COND, DEF_HEAD, DEF_FOOT, DEF_LINE,
** DEF_BREAK or POINT) and the SELECT and SELECT_SQL commands, in the
** list's order, with the last command of the list. Kept for the job: the
** generator never adds, drops or renames a command. */
/* The head of a command as the walk reads it, kept for the second run so
** that it need not read every record again: 20 bytes a command. */
struct GEN_COMMAND_HEAD {
    uint16_t usNumber;
    uint16_t usSequence;
    int16_t sSequence;
    char acLabel[3];
    char acName[10];
    char cExtension;
};
struct GEN_COMMAND_SURVEY {
    std::vector<GEN_COMMAND_RECORD> records;
    GEN_COMMAND_RECORD last;
    bool fAny = false;      /* the list holds a command */
    bool fLastKept = false; /* the last command is among `records` */
    /* Every command's head, in the list's order, when the reader gives
    ** each record as its head alone (no field table, no routine values,
    ** its line the key's number, its sequence known); else fHeads false
    ** and the second run reads the list again. */
    bool fHeads = false;
    std::vector<GEN_COMMAND_HEAD> heads;
};
/* Moves the survey's heads into `heads` (the survey keeps none after);
** false, with `heads` empty, when the survey has none. */
bool P3109_fTakeCommandHeads(std::vector<GEN_COMMAND_HEAD>& heads);
/* The record the reader gave for the head. */
GEN_COMMAND_RECORD P3109_CommandOfHead(const GEN_COMMAND_HEAD& head);
/* Whether the first run dispatches the command (see GEN_COMMAND_SURVEY). */
bool P3109_fFirstRunCommand(const char* acName);
/* The survey of the current job's command list, made at its first use. */
const GEN_COMMAND_SURVEY& P3109_CommandSurvey();
/* Drops the survey (a new job, or a test's new command list). */
void P3109_ForgetCommandSurvey();
/* Makes the record the current command: key, line, label and name into
** the check state, and the line-number text. */
void P3109_MakeCurrentCommand(const GEN_COMMAND_RECORD& record);
/* The current command's record. */
const GEN_COMMAND_RECORD& P3109_CurrentCommand();
/* The current command's parsed record from the command store (its
** parameter area), or null when the store does not hold it. */
std::unique_ptr<FFC_PARSED_COMMAND> P3109_pReadCurrentCommand();
/* The 32-character progress text of a command in the second run. */
std::string P3109_CommandStatusText(const GEN_COMMAND_RECORD& record);

/* The build handle of the current job (for the object layer's calls). */
void* P3109_pBuildHandle();
/* Keeps the job's build handle (the run driver's steps hand it over). */
void P3109_SetBuildHandle(void* pBuild);

#endif
