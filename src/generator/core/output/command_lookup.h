/*
** command_lookup.h: the shared command lookup (FFC_COMMAND_ENTRY,
** FFC_COMMAND_LOOKUP) as the generator reads and fills it, and the view of
** the checked command list that the generator's command loop walks.
**
** The lookup (FFC_COMMAND_ENTRY, FFC_COMMAND_LOOKUP of the checker's
** command tables) is built once per process by the checker and its address
** is kept in the run context; the checker caches its check handler in each
** entry and the generator its emitter and block controls. The command
** records and their source lines belong to the checker; it hands them to
** the generator through GEN_COMMAND_SOURCE.
*/
#ifndef GENERATOR_CORE_COMMAND_LOOKUP_H
#define GENERATOR_CORE_COMMAND_LOOKUP_H

#include <cstdint>
#include <string>
#include <vector>

#include "checker/command_tables.h"
#include "dqov/runcontrol/ffc_context.h"
#include "generator/core/output/emitter_interface.h"

inline constexpr int FFC_COMMAND_LOOKUP_ENTRIES = FFC_COMMAND_LOOKUP_SIZE;

/* Block control values: never, before the emitter, after it. */
inline constexpr int32_t GEN_CONTROL_NEVER = 0;
inline constexpr int32_t GEN_CONTROL_BEFORE = 1;
inline constexpr int32_t GEN_CONTROL_AFTER = 2;

/* One command record as the command loop reads it. */
struct GEN_COMMAND_RECORD {
    uint16_t usNumber = 0;
    uint16_t usSequence = 0;
    int32_t lLineNumber = 0;
    char acLabel[3] = {' ', ' ', ' '};
    char acName[10] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '}; /* '*' first: not a command */
    void* pFieldTable = nullptr;
    char cExtension = 'N';      /* 'Y' when a command extension record exists */
    int32_t lRoutineValue1 = 0; /* routine values of a routine command */
    int32_t lRoutineValue2 = 0;
    int16_t sRoutineValue3 = 0;
    /* The command's running sequence number, as its stored record holds it;
    ** fSequence false when the reader of the command list leaves it unknown
    ** (the stored record is then read for it). */
    bool fSequence = false;
    int16_t sSequence = 0;
};

/* The checked command list. */
struct GEN_COMMAND_SOURCE {
    /* Reads the record of the key; 0 found, 1 not found. */
    int32_t (*pfnFind)(FFC_CONTEXT* pContext, uint16_t usNumber, uint16_t usSequence, GEN_COMMAND_RECORD* pRecord);
    /* The command's source text, for its comment lines: its lines joined
    ** by a blank, put into the caller's buffer (which keeps its room from
    ** command to command). */
    void (*pfnSourceText)(FFC_CONTEXT* pContext, uint16_t usNumber, uint16_t usSequence, std::string* pText);
    /* Optional: reads the record that follows the key in the walk, the
    ** record (usNumber, usSequence + 1) when there is one, else
    ** (usNumber + 1, 0); 0 found, 1 neither found. Without it the walk
    ** looks both up with pfnFind. */
    int32_t (*pfnFindFollowing)(FFC_CONTEXT* pContext, uint16_t usNumber, uint16_t usSequence,
                                GEN_COMMAND_RECORD* pRecord) = nullptr;
};

/* Installs the command list reader (null: the job has no commands). */
void P3109_SetCommandSource(const GEN_COMMAND_SOURCE* pSource);
const GEN_COMMAND_SOURCE* P3109_pCommandSource();

#endif
