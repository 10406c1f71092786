/*
** bom_services.h: the record service routines of a component and their
** static service table entries.
*/
#ifndef GENERATOR_CORE_BOM_SERVICES_H
#define GENERATOR_CORE_BOM_SERVICES_H

#include "platform/dqoo/dqoo_bom.h"

/* Every service routine of the root's services (root of kind 1000-1030). */
void BOMGEN_WriteServiceRoutines(const BOM_DESCRIPTION_NODE* root);
/* One service routine: the switch over the service's cases. */
void BOMGEN_WriteServiceRoutine(const char* pszSet, const BOM_DESCRIPTION_NODE* root,
                                const BOM_DESCRIPTION_NODE* service, const char* pszName);
/* The table entry "s_BOM_<set>_<name>" of a service routine. */
void BOMGEN_WriteServiceTableEntry(const char* pszConstant, const char* pszSet, const char* pszName);
/* The name of a service node's table entry ("s_BOM_<set>_<name>"), valid
** until the next call; null for a node of another kind. */
const char* BOMGEN_pszServiceTableName(const BOM_DESCRIPTION_NODE* service);
/* The table entry of a service node; false for a node of another kind. */
bool BOMGEN_fWriteServiceTableEntry(const BOM_DESCRIPTION_NODE* service);

#endif
