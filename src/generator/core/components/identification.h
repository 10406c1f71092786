/*
** identification.h: what every generated module tells the runtime about
** itself: its identification table (skeleton point 66: object type, name,
** extension, DLL name, build date and time, the generator's build) and its
** function definition record X_FUN_V18 (point 7). The parenthesis test of
** this family, P3109_fIsWhollyParenthesised, is declared with its user, the
** expression request (description_tables.h).
*/
#ifndef GENERATOR_CORE_IDENTIFICATION_H
#define GENERATOR_CORE_IDENTIFICATION_H

#include <cstddef>
#include <string>
#include <string_view>

#include "generator/core/output/gen_state.h"

/* Rows of the identification template. */
inline constexpr int IDTAB_ROW_COUNT = 11;
inline constexpr int IDTAB_OBJECT_TYPE = 0;
inline constexpr int IDTAB_OBJECT_NAME = 1;
inline constexpr int IDTAB_OBJECT_EXT = 2;
inline constexpr int IDTAB_DLL_NAME = 3;
inline constexpr int IDTAB_BUILD_DATE = 4;
inline constexpr int IDTAB_BUILD_TIME = 5;
inline constexpr int IDTAB_BUILD_NUMBER = 8;

/* Hands a finished line of the identification buffer to its output. */
using IDTAB_LINE_CALLBACK = void (*)(GEN_STREAM stream, std::string_view line);

/* Point 66: drops the directive line, then writes the build stamp, the
** object's identity and the table on the main output. */
void P3109_WriteIdentificationTable();
/* Point 7: the eight lines of the function definition record. */
void P3109_WriteFunctionDefinition();

/* The steps of point 66 (target letter 'C' or '#'). */
void IDTAB_WriteBuildStampVariables(IDTAB_LINE_CALLBACK pfnLine, GEN_STREAM stream, char cTarget);
void IDTAB_WriteIdentification(std::string_view type, std::string_view name, std::string_view extension,
                               std::string_view dllName, char cTarget);
void IDTAB_WriteIdentificationTable(char cTarget);
/* Fills the row's value slot and writes its variable; 0 (nothing written)
** for a row number of IDTAB_ROW_COUNT or more, else 1. */
int IDTAB_WriteVariableInitialiser(int iRow, std::string_view value, char cTarget);

#endif
