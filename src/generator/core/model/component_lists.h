/*
** component_lists.h: the component definition lists of a component run
** (FFC_CONTEXT.pComponentDefinitions, a GEN_COMPONENT_MODEL) as the object
** server delivers them: the component's resources and the multilingual
** texts of its members that its routines fetch. The set-up reads them for
** every component run whose context holds none, and hands them to the run
** context; they live until the next set-up.
*/
#ifndef GENERATOR_CORE_COMPONENT_LISTS_H
#define GENERATOR_CORE_COMPONENT_LISTS_H

#include <cstdint>

#include "generator/core/model/component_model.h"

inline constexpr int32_t GEN_RESOURCE_BITMAP = 1130;

/* Reads the lists of the run's component into the run context (nothing for
** a function run, or when the context holds lists already); a failed read
** of the repository ends the process through the fatal SQL path. */
void P3109_LoadComponentLists();
/* The next number of the generation's C# resource files (1, 2, ...). */
int32_t P3109_lNextCSharpResourceNumber();
/* Forgets the lists read and the resource numbering (the set-up). */
void P3109_ResetComponentLists();

#endif
