/*
** evaluation_services.h: two services of the core around the generator's
** own evaluation chain: GEN_EVALUATION_REQUEST, the expression check run
** over one entry before its routine is written (insertion point 14), and
** the prototypes and macros of the evaluation routines in the header
** (insertion point 15).
*/
#ifndef GENERATOR_CORE_EVALUATION_SERVICES_H
#define GENERATOR_CORE_EVALUATION_SERVICES_H

#include <array>
#include <string>

#include "dqov/dqov_check.h"
#include "generator/core/gen_chains.h"

struct GEN_EVALUATION_REQUEST {
    DC_EXPRESSION_REQUEST request;
    DC_OPERAND_LIST operands;
    std::array<char, DC_TOKEN_TABLE_SIZE> tokens;
    std::string text;             /* the text the request points to */
};

/* The request of the entry last prepared. */
GEN_EVALUATION_REQUEST& P3109_EvaluationRequest();
/* Fills the request for the entry's text and runs the expression check
** over it (silently: the checker reported the text already); the caller
** reads the filled request. */
void P3109_PrepareEvaluationRequest(const GEN_EVALUATION_NODE& entry);
/* Insertion point 15: the prototypes of the chain's routines that are no
** macros, then the object layer's routines' macros and prototypes. */
void P3109_WriteEvaluationPrototypes();

#endif
