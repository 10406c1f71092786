/*
** bif_parameters.h: the parameter tables of a built-in function program.
**
** A function with the option *BUILTIN implements the built-in function
** whose definition (QV_F47) names the function as its program. The
** definition's arguments and return values (QV_F48, in sequence order)
** become the function's two parameter tables (FFC_BIF_PARAMETER): each row
** names the field -- or, for a list parameter, the working list -- of the
** function that receives the argument or holds the return value.
*/
#ifndef GENERATOR_CORE_BIF_PARAMETERS_H
#define GENERATOR_CORE_BIF_PARAMETERS_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

/* One row of FFC_BIF_PARAMETER. */
struct GEN_BIF_PARAMETER {
    char cKind = 'A';                  /* 'A' alpha, 'N' numeric, 'L' working list, 'X' either */
    char cReturn = ' ';                /* 'R' a return value */
    std::string field;                 /* 10 characters: the receiving field or list */
    char cRequired = 'R';              /* 'R' required, else optional */
    std::array<int32_t, 4> alLimits{}; /* length, decimals and two further limits */
};

struct GEN_BIF_PARAMETERS {
    std::string name;    /* the built-in function, 20 characters; empty when none */
    int16_t sNumber = 0; /* its identifier */
    std::vector<GEN_BIF_PARAMETER> arguments, returns;
};

/* Loads the tables of a built-in function program (set-up); empty tables
** for any other function. */
void P3109_LoadBifParameters();
const GEN_BIF_PARAMETERS& P3109_BifParameters();

#endif
