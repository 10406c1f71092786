/*
** description_tables.h: the language and description tables of the
** generated program (point 8), the prototypes of its evaluation routines
** (point 15), its condition blocks (point 16), and the expression request
** through which an evaluation routine's expression is checked again
** before its code is written (point 14).
*/
#ifndef GENERATOR_CORE_DESCRIPTION_TABLES_H
#define GENERATOR_CORE_DESCRIPTION_TABLES_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/params/dqov_check.h"
#include "generator/core/model/gen_chains.h"

/* Point 8. */
void P3109_WriteLanguageTables();
/* Point 15. */
void P3109_WriteEvaluationPrototypes();
/* Point 16. */
void P3109_WriteConditionBlocks();

/* The references of the function description literals, one per partition
** language, created by point 8 and kept to the end of the generation for
** the web page generators (pWebFuncDesc). */
const std::vector<std::string>& P3109_WebFunctionDescriptions();
void P3109_ResetDescriptionTables();

/* GEN_EVALUATION_REQUEST: the expression checker's request block with its
** operand list, token table and work areas, and the text it was last run
** on. */
struct GEN_EVALUATION_REQUEST {
    DC_EXPRESSION_REQUEST request{};
    DC_CHECK_OPTIONS options{};
    DC_OPERAND_LIST operands{};
    std::array<char, DC_TOKEN_TABLE_SIZE> tokens{};
    std::array<char, DC_TOKEN_TABLE_SIZE> work{};
    std::vector<char> workArea = std::vector<char>(DC_WORK_AREA_SIZE, '\0');
    std::string text;    /* the text last checked */
    int32_t lChecks = 0; /* checks run for the last node */
};

/* Fills the request for the node's expression and checks it; a numeric
** expression that needs wider intermediate values is checked once more in
** parentheses. The caller reads P3109_EvaluationRequest(). */
void P3109_PrepareEvaluationRequest(const GEN_EVALUATION_NODE& node);
GEN_EVALUATION_REQUEST& P3109_EvaluationRequest();
/* Releases the request's four work buffers (the checker's work area, its
** token and work tables and the operand list) and forgets the text last
** checked; the next preparation takes them again. */
void P3109_FreeWorkBuffers();
/* 1 when the text (blanks around it ignored) is one expression in
** parentheses, else 0. */
int P3109_fIsWhollyParenthesised(std::string_view text, size_t ulLength);

#endif
