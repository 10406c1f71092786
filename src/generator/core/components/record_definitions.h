/*
** record_definitions.h: the static definitions of a component's dispatch
** records (the command loop writes them between its two runs).
*/
#ifndef GENERATOR_CORE_RECORD_DEFINITIONS_H
#define GENERATOR_CORE_RECORD_DEFINITIONS_H

#include "platform/dqoo/dqoo_bom.h"

/* Writes the definitions of the node and, recursively, of its children. */
void P3109_WriteRecordDefinitions(const BOM_DESCRIPTION_NODE* pNode);

#endif
