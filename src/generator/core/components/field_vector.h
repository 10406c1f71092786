/*
** field_vector.h: the field vector of the generated program (skeleton
** point 12): the index and byte-length symbols of every vector entry, the
** storage of the fields, the descriptor vector FUNCTION_FIELD_DEF, the
** statements that bind each descriptor to its storage, and the evaluation
** table of the fields computed by a routine. Also the work fields that the
** condition writers add to the vector.
**
** Vector entries come in one order everywhere: the used fields in the
** order of their records, then the work fields; the index symbols, the
** descriptor rows and the binding statements agree in it.
*/
#ifndef GENERATOR_CORE_FIELD_VECTOR_H
#define GENERATOR_CORE_FIELD_VECTOR_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/field_info.h"

/* GEN_WORK_FIELD: a work field of the vector. */
struct GEN_WORK_FIELD {
    std::string name; /* the storage variable */
    std::string indexSymbol;
    char cType = 'A'; /* 'A' alpha, 'C' character flag, 'L' logical, 'N' numeric */
    int32_t lLength = 0;
    int16_t sDecimals = 0;
};

/* Adds a work field to the vector; a type other than 'A', 'C', 'L' and 'N'
** is an internal error. */
void P3109_AddWorkField(std::string_view name, std::string_view indexSymbol, char cType, int32_t lLength,
                        int16_t sDecimals);
const std::vector<GEN_WORK_FIELD>& P3109_WorkFields();
/* The array data of the used fields of the vector as point 12 wrote them,
** in vector order (the work fields follow them): all the array bounds need
** of them, kept in place of whole field descriptions. */
const std::vector<GEN_ARRAY_DATA>& P3109_VectorFieldArrays();

/* Point 12. */
void P3109_WriteFieldVector();
void P3109_ResetFieldVector();

#endif
