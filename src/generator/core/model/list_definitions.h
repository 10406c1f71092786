/*
** list_definitions.h: the generator's chain of list definitions.
**
** Every list of the generated program -- a working or browse list of a
** DEF_LIST command, a list of a component written in the extended
** language -- has one GEN_LIST_DEFINITION, chained in the order of
** creation. The DEF_LIST emitter creates the records of working and browse
** lists in the definition run of the command loop; the list definition
** writer creates those of the component's lists between the two runs and
** writes their entry structures, list variables and descriptor vectors.
** The chain is read by the list vector writer (point 20), the condition
** blocks (point 16) and the built-in function sections, and released at
** the end of the generation.
**
** A list is of the second version (X_LIST_2, long layout) only in a run
** that uses the two-level list tables (the run context's ZOPH2 switch);
** elsewhere its version word is 0, so every list of such a run belongs to
** the one table of X_LIST entries.
*/
#ifndef GENERATOR_CORE_LIST_DEFINITIONS_H
#define GENERATOR_CORE_LIST_DEFINITIONS_H

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/field_info.h"
#include "generator/core/output/gen_state.h"

inline constexpr size_t GEN_LIST_FIELD_SLOTS = 1000;
inline constexpr int32_t GEN_UNBOUNDED_ENTRIES = 2147483647;
inline constexpr uint64_t GEN_LIST_ENTRY_LIMIT = 2147483648ULL;

/* One field of a list. */
struct GEN_LIST_FIELD {
    std::string field;           /* 10 characters, blank-padded */
    std::string entryIdentifier; /* "V_LF_" list "_" field: the field's place in the list's vector */
    std::string vectorName;      /* the field's entry in the function's field vector */
    int16_t sMapNumber = -1;     /* the slot word, preset 65535 */
};

/* GEN_LIST_DEFINITION. */
struct GEN_LIST_DEFINITION {
    std::string name;           /* 10 characters, blank-padded, national name character dropped */
    std::string identifier;     /* the name made a C identifier */
    std::string vectorName;     /* "V_LIST_" + identifier */
    char cKind = 'C';           /* 'C' component list, 'W' working list, 'B' browse list */
    char cChangeTracking = 'N'; /* the flag after the kind */
    int32_t lMaxEntries = 0;
    int16_t sEntryCount = 0;          /* the runtime's entry (allocation) count */
    std::array<std::string, 6> texts; /* preset "V_NOT_AVAILABLE"; the first is the counter field */
    char cExchange = 'N';             /* the flag after the field count */
    std::string argument = "pX_NULL";
    std::vector<GEN_LIST_FIELD> fields;
    std::vector<std::string> conditions;
    char cTopCurrent = 'N';
    std::string adjustment;     /* "lAdjustment_" + identifier */
    int32_t lSecondVersion = 0; /* non-zero: X_LIST_2, a level-2 list */
    uint32_t ulEntryLength = 0;
    int32_t lCounterInList = 0;

    int16_t FieldCount() const { return static_cast<int16_t>(fields.size()); }
    bool Level2() const { return lSecondVersion != 0; }
};

/* Allocates a list definition with its presets and chains it: the name
** (a leading national name character dropped), its identifier, vector and
** adjustment names; the version word is kept only in a run that uses
** ZOPH2. The caller sets the kind, counts and fields. */
GEN_LIST_DEFINITION& P3109_NewListDefinition(std::string_view name, char cKind, int32_t lSecondVersion);
/* The list's ordinal in the chain, or -1 when no list of that name (a
** leading national name character dropped; "*FIRST" the first list)
** exists; the found list becomes the current list. */
int16_t P3109_sFindListDefinition(std::string_view name);
GEN_LIST_DEFINITION* P3109_pCurrentListDefinition();
const std::deque<GEN_LIST_DEFINITION>& P3109_ListDefinitions();
/* Whether the run uses the two-level list tables (ZOPH2). */
bool P3109_fZoph2Used();
/* The text that addresses a field of a list for the expression writers:
** reference "pX_Fld", list identifier "pX_List" and the field's own vector
** name, or for a field of the list the list's field vector, its list
** identifier and the field's entry identifier. Answers the list's ordinal,
** -1 when no DEF_LIST defines it; the current list stays as it was. */
int16_t P3109_FormatListFieldVectorRef(std::string_view listName, std::string_view field, std::string& reference,
                                       std::string& listIdentifier, std::string& fieldIndex);
/* The base text of an operand: for a field of the working list, the list
** element's field vector ("X_LIST_ELEMENT_FROM_NO( pX_List, <list vector>,
** pX_Fld)" in a run that uses the two-level list tables, else
** "pX_List[<list vector>].pX_Fld"); "pX_Fld" for any other field or
** without a list. */
std::string P3109_MakeListElementName(std::string_view field, const GEN_LIST_DEFINITION* pList);
/* The number of lists of level 1 or of level 2. */
int32_t P3109_lCountLists(bool fLevel2);

/* Adds the storage of the list's fields (its field slots, filled by the
** DEF_LIST emitter) to its entry length; only while output is suppressed (the
** definition run). 1 when the entry passed 2147483648 bytes (message 868,
** 'F', and the list-overflow indicator), else 0. */
int16_t P3109_sCheckGroupFields(GEN_LIST_DEFINITION& list);

/* The member of a list field in its entry structure, with its closing
** ";": the dictionary word and the field's local name (prefix first, "c"
** for the change copy of a browse list), an array of the field's byte
** length unless it is one byte, long or double; the declaration of an
** extended-only type; the C# member in the C# pass. */
std::string P3109_ListMemberDeclaration(const GEN_FIELD_INFO& field, std::string_view prefix);

/* The definitions of the component's lists (between the two runs of the
** command loop); nothing unless the object uses the extended language. */
void P3109_WriteListDefinitions();
/* The X_LIST entry of one list into deferred queue 1; iPosition is the
** list's 1-based place in its table (the first entry has no comma). */
void P3109_WriteListDefinitionEntry(const GEN_LIST_DEFINITION& list, int iPosition);

/* The storage of the working lists, checked at the end of generation
** (numbered messages 871, 872 or 873 and 876). */
void P3109_CheckWorkingListStorage();

/* Forgets the chain (set-up and end of generation). */
void P3109_ResetListDefinitions();

#endif
