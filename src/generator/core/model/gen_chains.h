/*
** gen_chains.h: the generator's chains of generated evaluations, SELECT
** loops and POINT entries, which the command emitters fill while the
** commands are generated and the section writers read afterwards.
*/
#ifndef GENERATOR_CORE_GEN_CHAINS_H
#define GENERATOR_CORE_GEN_CHAINS_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

/* The kind letter of a logical evaluation, a condition's: its routine
** answers YES or NO (an evaluation of a value has the type letter of the
** field it sets). */
inline constexpr char GEN_EVAL_LOGICAL = 'L';
/* Whether an evaluation is a named condition (DEF_COND) that later uses of
** its name may share. */
enum GEN_EVAL_MARK { GEN_EVAL_UNNAMED, GEN_EVAL_NAMED_CONDITION };

/* One generated evaluation. */
struct GEN_EVALUATION_NODE {
    std::string key;  /* 10 characters, upper-cased */
    char cKind = ' '; /* GEN_EVAL_LOGICAL, or the type letter of the field set */
    std::string name; /* "EVALUATION_MACRO_n" or "Evaluation_Routine_n" */
    GEN_EVAL_MARK mark = GEN_EVAL_UNNAMED;
    std::string text; /* at most 1,000 characters */
    int32_t lLine = 0, lSequence = 0, lLineNumber = 0;
    void* pFieldTable = nullptr;
    int16_t sList = -1;     /* the current list, for LOC_ENTRY and SELECTLIST */
    char cChangeKind = ' '; /* CHANGE: 'R' or 'T', filled by its emitter */
    int16_t sChangeValue1 = 0, sChangeValue2 = 0;
    /* a value evaluation (CHANGE): the field it assigns, filled by its emitter */
    std::string target; /* the target's vector identifier */
    int32_t lTargetLength = 0;
    int16_t sTargetDecimals = 0;
    /* the result the routine computes, set by the emitter that registered
       it: kind letter ('A'; 'P', 'S', 'D' numeric; 'L' logical), length,
       decimals, and its two work-field numbers */
    char cResultKind = 'L';
    int32_t lResultLength = 0;
    int16_t sResultDecimals = 0;
    int32_t alWorkFields[2] = {0, 0};
};

/* One SELECT or SELECT_SQL loop. */
struct GEN_SELECT_NODE {
    uint16_t usNumber = 0, usSequence = 0;
    char cKind = 'N'; /* 'Q' SELECT_SQL, else 'N' */
    std::string loopName, routineName, closeName;
    std::string cursorName, odbcSelectName, connectName; /* SELECT_SQL only */
    int32_t lRoutineValue1 = 0, lRoutineValue2 = 0;
    int16_t sRoutineValue3 = 0;
};

/* One POINT entry. */
struct GEN_POINT_ENTRY {
    int32_t lRoutineValue1 = 0, lRoutineValue2 = 0;
    int16_t sRoutineValue3 = 0;
    std::string file, library, name;
};

/* Characters of an expression or condition text an evaluation keeps. */
inline constexpr size_t GEN_EVALUATION_TEXT_MAX = 1000;
/* Whether a named condition shares the node of an earlier use of its key. */
enum GEN_EVAL_REUSE { GEN_EVAL_NEW, GEN_EVAL_SHARE_NAMED };
/* Registers a generated evaluation and returns its node (see the
** comment of the definition). */
GEN_EVALUATION_NODE* P3109_pszMakeEvaluationName(std::string_view key, char cKind, size_t ulTextLength,
                                                 std::string_view text, GEN_EVAL_MARK mark, GEN_EVAL_REUSE reuse,
                                                 int32_t lMacroSwitch);
/* The evaluation DEF_COND registered for a condition name (its key, the
** name's first 10 characters upper-cased, marked 'Y'); null when none. */
GEN_EVALUATION_NODE* P3109_pFindNamedCondition(std::string_view name);
/* How many of the 10-character names have an evaluation marked 'Y'. */
uint16_t P3109_usCountMarkedNames(const std::vector<std::string>& names);

/* A new SELECT loop node for the current command, attached to the
** innermost block and appended to the SELECT chain. fNamesConnection: the
** SELECT_SQL statement names a database connection. */
GEN_SELECT_NODE* P3109_MakeSelectNames(bool fNamesConnection = false);

/* The POINT entry of a file and library; a new one for the current
** routine when none exists yet. */
GEN_POINT_ENTRY* P3109_pszMakePointName(std::string_view file, std::string_view library);
GEN_POINT_ENTRY* P3109_pFindUsedFile(std::string_view file, std::string_view library);

const std::deque<GEN_EVALUATION_NODE>& P3109_EvaluationChain();
/* The chain for the writer of insertion point 14, which marks an entry's
** round option used. */
std::deque<GEN_EVALUATION_NODE>& P3109_EvaluationChainForUpdate();
const std::deque<GEN_SELECT_NODE>& P3109_SelectChain();
const std::deque<GEN_POINT_ENTRY>& P3109_PointChain();

/* Forgets the chains and their counters (set-up and end of generation). */
void P3109_ResetChains();

#endif
