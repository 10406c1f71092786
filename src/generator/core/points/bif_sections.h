/*
** bif_sections.h: the sections of a built-in function program's skeleton
** (points 128 to 131: its list definitions, the calls that bind its
** arguments and return values, and the received lists and data
** structures), and of the main skeleton the member service routine
** prototypes of a compound component (point 74) and the debug array table
** (points 33 and 34).
*/
#ifndef GENERATOR_CORE_BIF_SECTIONS_H
#define GENERATOR_CORE_BIF_SECTIONS_H

#include <cstdint>
#include <string_view>

void P3109_WriteBifListDefs();
void P3109_WriteBifAddCalls();
void P3109_WriteReceiveListDefs();
void P3109_WriteReceiveAddCalls();
void P3109_WriteMemberInfoRoutines();
void P3109_WriteDebugArrayTable();
void P3109_KeepLineIfDebugArrays();

/* One X_LIST entry of a list named by a parameter or a received list;
** PRC1006 and nothing written when no list has that name. The counter
** rises by 3 (the lines written); its value 0 marks the first entry. */
void P3109_WriteBifListEntry(std::string_view name, size_t ulLength, int32_t& lCounter);

#endif
