/*
** list_support.h: what the working-list emitters share: the slot of a list
** in the function's list table in its three shapes, the fields of a list,
** the chain of list sort routines and the reset of the KEEP_ fields of a
** loop.
**
** A list's slot is reached as an X_LIST_2 element of the table in a run
** that uses ZOPH2 and for a list of the long layout, as the X_LIST_1
** overlay of such an element for a list of the short layout in that run,
** and as an element of the plain X_LIST table otherwise.
*/
#ifndef GENERATOR_EMITTERS_LIST_SUPPORT_H
#define GENERATOR_EMITTERS_LIST_SUPPORT_H

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/field_info.h"
#include "generator/core/model/list_definitions.h"

/* Work-file cursor slots of the display and report emitters' reads (the
** record loops; look-ups inside them use the look-up slots). */
inline constexpr uint16_t GEN_SLOT_LAYOUT = 9;
inline constexpr uint16_t GEN_SLOT_LAYOUT_INNER = 10;

/* A member of the list's slot: "((X_LIST_2*) pX_List)[L].m",
** "((X_LIST_1*)( &( ((X_LIST_2*) pX_List)[L] ) ))->m" or "pX_List[L].m". */
/* C# reaches every list as its element of the list table, "pX_List[L].m". */
std::string P3109_ListSlotMember(const GEN_LIST_DEFINITION& list, std::string_view member);

/* The entry macros of a working list, ASSEMBLE_LIST_ENTRY_ and
** DISASSEMBLE_LIST_ENTRY_, are routines of the class in C#: their
** parameters, and the statement that calls one. */
inline constexpr const char* GEN_LIST_ENTRY_ARGS_CS =
    "X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List";
std::string P3109_ListEntryMove(const GEN_LIST_DEFINITION& list, bool fAssemble);

/* The list named by a list command's parameter, made the current list;
** null after PRC1006 ('F', the 10-character name) when no DEF_LIST
** defines it. */
GEN_LIST_DEFINITION* P3109_pFindListOrReport(std::string_view name);

/* The fields of a list as the checker defined them (its "LISTNAME"
** record, in order), each described by the used-field look-up; a field the
** look-up does not know is left out. */
std::vector<GEN_FIELD_INFO> P3109_ListFieldInfos(const GEN_LIST_DEFINITION& list);

/* GEN_SORT_ROUTINE_LIST: one comparison routine per SORT_LIST command. */
struct GEN_SORT_KEY {
    std::string field; /* 10 characters */
    char cOrder = 'A'; /* 'D' descending */
};
struct GEN_SORT_ROUTINE_NODE {
    std::string name;           /* "X_Sort_List_" + the command's 4-digit number */
    std::string listIdentifier; /* "V_LIST_..." */
    std::string structureName;  /* "LIST_" + the list's C identifier */
    std::vector<GEN_SORT_KEY> keys;
};
inline constexpr size_t GEN_SORT_KEYS_MAX = 100;
std::vector<GEN_SORT_ROUTINE_NODE>& P3109_SortRoutineList();

/* Forgets the chain of sort routines and the commands that defined the
** lists (the set-up). */
void P3109_ResetListEmitters();
void P3109_ResetListDefinitionEmitter();

#endif
