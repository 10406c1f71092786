/*
** resource_definitions.h: the resources of a component written in the
** extended language and the data definitions of its components (point
** 93), the vector of the fields it exchanges (point 95) and the cases
** that reset those fields on an evaluation request (point 98).
*/
#ifndef GENERATOR_CORE_RESOURCE_DEFINITIONS_H
#define GENERATOR_CORE_RESOURCE_DEFINITIONS_H

#include <cstdint>

#include "generator/core/model/component_model.h"
#include "generator/core/output/gen_state.h"

void P3109_WriteResources();
void P3109_WriteResourceDefinitions(GEN_STREAM rcStream, GEN_STREAM cStream, GEN_STREAM csStream);
/* One member object group into the C stream and its C# twin. */
void P3109_WriteResourceObjects(int16_t sIndent, GEN_MEMBER_OBJECT_GROUP& group, GEN_STREAM cStream,
                                GEN_STREAM csStream);
void P3109_WriteComponentExchangeVector();
void P3109_WriteEvaluationCases();

#endif
