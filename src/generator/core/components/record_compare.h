/*
** record_compare.h: the lines that compare one field in two records: the
** ordering comparison of the record compare and sort routines (return
** early when the field differs, ascending or descending) and the equality
** test of the record equality routines (return FALSE when it differs).
** Lines go to the current stream at the current indent.
*/
#ifndef GENERATOR_CORE_RECORD_COMPARE_H
#define GENERATOR_CORE_RECORD_COMPARE_H

#include <string_view>

#include "generator/core/model/field_info.h"

/* The order letter 'D' orders descending, any other ascending. A type
** letter outside the tables writes nothing. */
void P3109_WriteRecordCompare(const GEN_FIELD_INFO& field, std::string_view first, std::string_view second,
                              char cOrder);
/* The same ordering in C#, of the members of two entry objects: each
** field's comparison into lCompare. */
void P3109_WriteRecordCompareCs(const GEN_FIELD_INFO& field, std::string_view first, std::string_view second,
                                char cOrder);
/* Whether the C ordering of a field reads the comparison result lCompare
** (the relational forms do not). */
bool P3109_fRecordCompareUsesResult(const GEN_FIELD_INFO& field);
void P3109_WriteRecordEquality(const GEN_FIELD_INFO& field, std::string_view first, std::string_view second);

#endif
