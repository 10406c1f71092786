/*
** bom_descriptions.h: the description tables of a component's
** business-object model (skeleton point 140).
*/
#ifndef GENERATOR_CORE_BOM_DESCRIPTIONS_H
#define GENERATOR_CORE_BOM_DESCRIPTIONS_H

#include "platform/dqoo/dqoo_bom.h"

/* The tables, the content tables and the first-time initialisation, on
** the current stream; the last line hands the content to pvDescription. */
void BOMGEN_WriteDescriptions(const BOM_DESCRIPTION_NODE* root);
/* The tables of a node's members first, then its own. */
void BOMGEN_WriteDocumentDescriptions(const BOM_DESCRIPTION_NODE* node);
/* Phase 1 the content items, phase 3 the feature kinds, phase 2 nothing. */
void BOMGEN_WriteContentDescription(const BOM_DESCRIPTION_NODE* node, int iPhase);
/* The records' initialisations of the first-time block. */
void BOMGEN_WriteLovalInitialisation(const BOM_DESCRIPTION_NODE* node);

#endif
