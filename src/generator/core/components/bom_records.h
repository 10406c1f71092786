/*
** bom_records.h: the data records of a component (business-object records:
** proxy, search, document and identifier records, and the dispatch records
** of the same four sorts) as the object layer describes them: their names,
** their structure definitions in the storage definitions, their routines
** (release, copy, move, compare, equality, assemble, disassemble), the
** record service routines of the description (Loader, Search, Restore,
** Read, Insert, Update, CrossUpdateCheck, Verify) and the static tables
** that describe them to the runtime.
**
** Description nodes (BOM_DESCRIPTION_NODE, platform/dqoo/dqoo_bom.h) are
** read by kind; a missing description, a node of another kind, a record or
** field that cannot be found, or a field the object does not use writes
** nothing for that item.
*/
#ifndef GENERATOR_CORE_BOM_RECORDS_H
#define GENERATOR_CORE_BOM_RECORDS_H

#include <cstdint>
#include <string>
#include <string_view>

#include "generator/core/model/bom_names.h"
#include "generator/core/model/field_info.h"
#include "platform/dqoo/dqoo_bom.h"

/* Node kinds of the description that these writers read. */
inline constexpr int32_t BOM_KIND_LINK_FIRST = 1040;
inline constexpr int32_t BOM_KIND_LINK_LAST = 1060;
inline constexpr int32_t BOM_KIND_ATTRIBUTE_DATA_FIELD = 1120;
inline constexpr int32_t BOM_KIND_ATTRIBUTE_JOIN = 1121;
inline constexpr int32_t BOM_KIND_SEARCH_KEY = 1171;
inline constexpr int32_t BOM_KIND_DISPATCH_SEARCH = 1510;
inline constexpr int32_t BOM_KIND_DISPATCH_DOCUMENT = 1520;
inline constexpr int32_t BOM_KIND_KEY_ENTRY = 2303;

bool BOMGEN_fIsContainer(const BOM_DESCRIPTION_NODE* node);
bool BOMGEN_fIsDocument(const BOM_DESCRIPTION_NODE* node);
bool BOMGEN_fIsDataRecord(const BOM_DESCRIPTION_NODE* node);
/* A link to another module member (1040-1060). */
bool BOMGEN_fIsLink(const BOM_DESCRIPTION_NODE* node);
/* The text of a word of the node, "" where it holds none. */
const char* BOMGEN_pszText(const BOM_DESCRIPTION_NODE* node, int word);
/* The count and i-th node of the child list whose count is in the word. */
intptr_t BOMGEN_lCount(const BOM_DESCRIPTION_NODE* node, int iCountWord);
const BOM_DESCRIPTION_NODE* BOMGEN_pChild(const BOM_DESCRIPTION_NODE* node, int iCountWord, intptr_t i);

/* The names of a record's field; true when the node is a field the object
** uses. */
bool BOMGEN_fFieldNames(const BOM_DESCRIPTION_NODE* record, const BOM_DESCRIPTION_NODE* field, BOM_FIELD_NAMES& names);
/* 1 with the names of the first node of kind 1520 with that number in the
** list, else 0. */
int BOMGEN_fFindDocumentRecord(intptr_t lCount, BOM_DESCRIPTION_NODE* const* ppNodes, long lNumber,
                               BOM_RECORD_NAMES& names);
/* 1 with the names of the first dispatch record (1500-1530) of that exact
** name among the children of the description's root, else 0. */
int BOMGEN_fFindDispatchRecord(std::string_view name, BOM_RECORD_NAMES& names);
/* 1 with the names of the first field of that name of that dispatch
** record, else 0. */
int BOMGEN_fFindRecordField(std::string_view recordName, std::string_view fieldName, BOM_FIELD_NAMES& names);
/* Whether any field of the record is a variable character or binary field. */
bool BOMGEN_fRecordHasVarFields(const BOM_DESCRIPTION_NODE* record);

/* The lines of one field for one routine kind ('A' copy and move between
** records, 'C' copy and 'M' move after a whole-record copy, 'E' equality,
** 'I' assemble, 'K' compare, 'O' disassemble, 'R' release). */
void BOMGEN_WriteRecordRoutine(const BOM_DESCRIPTION_NODE* field, char cStep);
/* "X_BOM_routine_sort_number_module": the name of a routine of a data
** record, as its routine and the record entry that points at it name it. */
std::string BOMGEN_RecordRoutineName(const char* routine, const BOM_DESCRIPTION_NODE* record);
/* "X_BOM_routine_kind_identifier_module": the name of the assemble or
** disassemble routine of a dispatch record. */
std::string BOMGEN_DispatchRoutineName(const char* routine, const BOM_RECORD_NAMES& names);
void BOMGEN_WriteRecordReleaseRoutine(const BOM_DESCRIPTION_NODE* record);
void BOMGEN_WriteRecordCopyRoutine(const BOM_DESCRIPTION_NODE* source, const BOM_DESCRIPTION_NODE* target,
                                   const BOM_DESCRIPTION_NODE* fieldList);
void BOMGEN_WriteRecordMoveRoutine(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                                   const BOM_DESCRIPTION_NODE* fieldList);
void BOMGEN_WriteRecordCompareRoutine(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                                      const BOM_DESCRIPTION_NODE* fieldList);
void BOMGEN_WriteRecordIsEqualRoutine(const BOM_DESCRIPTION_NODE* first, const BOM_DESCRIPTION_NODE* second,
                                      const BOM_DESCRIPTION_NODE* fieldList);
void BOMGEN_WriteRecordAssembleRoutine(const BOM_DESCRIPTION_NODE* record);
void BOMGEN_WriteRecordDisassembleRoutine(const BOM_DESCRIPTION_NODE* record);

/* The routines of a document's or relation's records; the identifier
** routines only for an identifier record of its own, the identifier
** variants of the others with its own or the inherited one. */
void BOMGEN_WriteSupportRoutines(const BOM_DESCRIPTION_NODE* proxy, const BOM_DESCRIPTION_NODE* document,
                                 const BOM_DESCRIPTION_NODE* identifier,
                                 const BOM_DESCRIPTION_NODE* inheritedIdentifier);
/* The walk that writes every record routine of the description. */
void BOMGEN_WriteRecordSupport(const BOM_DESCRIPTION_NODE* node);
/* The structure definitions of every record, on the storage definitions. */
void BOMGEN_WriteRecordTypedef(const BOM_DESCRIPTION_NODE* node);
/* The condition over the key fields of a cross-update group. */
void BOMGEN_WriteFieldComparison(intptr_t lCount, BOM_DESCRIPTION_NODE* const* ppKeys, std::string_view first,
                                 std::string_view second);

#endif
