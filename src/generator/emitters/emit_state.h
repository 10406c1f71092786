/*
** emit_state.h: the command emitters' own state of one generation: the
** validation depth, the routine being emitted, the subroutine list and the
** work results of the generator's evaluation routines.
*/
#ifndef GENERATOR_EMITTERS_EMIT_STATE_H
#define GENERATOR_EMITTERS_EMIT_STATE_H

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "generator/emitters/emitters.h"

/* GEN_WORK_RESULT: a work field shared by the evaluation routines. */
struct GEN_WORK_RESULT {
    std::string workName;   /* "wIntermedResult_n" or "wLogicalResult_n", 20 characters */
    std::string name;       /* "IntermedResult_n" or "LogicalResult_n" */
    std::string vectorName; /* "V_IntermedResult_n" or "V_LogicalResult_n" */
    std::string boundTo;    /* the 6 characters of the operand it is bound to */
    char cType = ' ';
    int32_t lLength = 0;
    int16_t sDecimals = 0;
    int32_t lUseCount = 0;
};

struct GEN_EMITTER_STATE {
    int16_t sValidationDepth = 0;           /* open BEGINCHECK blocks */
    int16_t sRoutineBaseDepth = 0;          /* the block that opened the routine being emitted */
    std::vector<GEN_ROUTINE_NODE> routines; /* GEN_SUBROUTINE_LIST */
    std::deque<GEN_WORK_RESULT> workResults;
    int32_t lWorkCounter = 0;
};

GEN_EMITTER_STATE& P3109_EmitterState();

#endif
