/*
** field_initialisation.h: the statements that give the fields of a
** generated program their first values, and the small static tables that
** the runtime keeps beside the field vector: the bounds of array vectors,
** the field and parameter tables of a built-in function program, and the
** index arrays of field groups.
**
** Every writer writes to the current output stream (deferred queue 1 for
** the field group array of GROUP_BY) and sets the skeleton line's keep
** flag to 'N'.
*/
#ifndef GENERATOR_CORE_FIELD_INITIALISATION_H
#define GENERATOR_CORE_FIELD_INITIALISATION_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/bif_parameters.h"
#include "generator/core/output/gen_state.h"

/* Points 17 (0: fields, database connections, KEEP_LAST areas) and 1701
** (1: literals and system variables). */
void P3109_WriteFieldInitialValues(int32_t lArgument);
/* Point 71: the defaults of a built-in function program's arguments. */
void P3109_WriteWorkFieldInits();
/* Point 72: the release of variable-length fields. */
void P3109_WriteVarFieldReleases();
/* Point 73: the bounds of the array vectors. */
void P3109_WriteArrayBounds();
/* Point 97: the defaults of the fields of a routine scope. */
void P3109_WriteLiteralWorkFields(int32_t lScope);
/* Point 127: BIF_NUMBER and the field list of a built-in function program. */
void P3109_WriteBifFieldList();
/* One row of that field list at indent 6 (fFirst: the first row, led by a
** blank, else by a comma); false, and no row, when the parameter's field
** is not a defined used field. */
bool P3109_WriteBifFieldEntry(const GEN_BIF_PARAMETER& p, bool fFirst);
/* The statement that gives a field its default: the call of the field's
** default-value routine (its value item, reference kind 3). A field
** without a default is left as it is, or with `fBlankWithout` set to its
** type's blank or zero. */
struct GEN_FIELD_INFO;
void P3109_WriteFieldDefault(const GEN_FIELD_INFO& field, bool fBlankWithout);
/* Points 69 (1: return values) and 70 (0: arguments). */
void P3109_WriteBifParmTable(int32_t lReturnValues);
void P3109_WriteBifParmTableNoArgs();

/* Whether the work file holds "GROUPFLD" records under the group name. */
bool P3109_fGroupHasMembers(FFC_CONTEXT* pContext, std::string_view name);
/* The members just written as the "GROUPFLD" records of a group that had
** none, ulStampBefore being WF_ulKindStamp of "GROUPFLD" before they were
** written: kept so that the group's array is written without reading its
** records back. */
void P3109_KeepGroupMembers(FFC_CONTEXT* pContext, std::string_view name, const std::vector<std::string>& members,
                            uint64_t ulStampBefore);
/* "static const X_SHORT as%s[] =" with the index symbols of the group's
** fields. */
void P3109_WriteFieldGroupArray(GEN_STREAM stream, int16_t sIndent, std::string_view group, std::string_view array);
/* GROUP_BY: prologue, then the group's index array into queue 1. */
void P3109_EmitGroupBy();

#endif
