/*
** name_services.h: generated names, used-name registries and small
** lookups that the section writers and the command emitters share.
*/
#ifndef GENERATOR_CORE_NAME_SERVICES_H
#define GENERATOR_CORE_NAME_SERVICES_H

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

/* "INSTANCE(base_n)" with the next instance number; the instance and its
** three texts are kept in the instance-name chain. */
std::string P3109_MakeInstanceName(std::string_view base, std::string_view text1, std::string_view text2,
                                   std::string_view text3);
struct GEN_INSTANCE_NAME {
    std::string name, text1, text2, text3;
};
const std::vector<GEN_INSTANCE_NAME>& P3109_InstanceNames();

/* The 10-character name without its leading marker, padded with a blank. */
std::string P3109_MakeFieldNameFromLiteral(std::string_view name);
/* Appends " // text" to a generated line when a text is given. */
void P3109_AppendLineComment(std::string& line, std::string_view text);
/* Whether a GROUPNAM work record names the field group (a leading national
** name character is dropped first). */
bool P3109_fIsGroupName(std::string_view name);
/* Tells the answers of P3109_fIsGroupName that the GROUPNAM record of the
** name was written, the kind's stamp of the work file going from before to
** after (WF_ulKindStamp): no other record of the kind changed in between
** when after is before plus one. */
void P3109_NoteGroupRecorded(std::string_view name, uint64_t ulStampBefore, uint64_t ulStampAfter);
/* Appends the 10-character name to the array unless it holds it already. */
void P3109_AddUniqueName(std::vector<std::string>& names, std::string_view name);
/* Whether the value is one of the ten. */
bool P3109_fInList10(int32_t lValue, const int32_t alList[10]);
int P3109_lCompare12(const void* pKey1, const void* pKey2);

/* Used field texts (point 57) and multilingual variables (point 58). */
void P3109_RegisterFieldTextUse(std::string_view field, char cKind);
int16_t P3109_sFieldTextIndex(std::string_view field);
std::string P3109_MakeMultilingualFieldRef(std::string_view field, char cKind);
/* The used field texts in registration order: the 10-character field and
** the letters of the texts needed ('L' label, 'D' description, '1' to '3'
** column headings). */
const std::vector<std::pair<std::string, std::string>>& P3109_FieldTextUses();
/* The multilingual variables in first-use order, 20 characters each. */
const std::vector<std::string>& P3109_MultilingualVariables();
int16_t P3109_sMultilingualVariableIndex(std::string_view name);
/* Finds the variable, registering it on first use; returns its ordinal. */
int16_t P3109_pFindMultilingualVariable(std::string_view name);

/* Makes a command current again (key, line, label and name into the check
** state), as the command loop does; label flag 'Y'. 0, or 1 when absent. */
int16_t P3109_SetCurrentCommand(uint16_t usNumber, uint16_t usSequence);
/* PRC1023 'F' and 1 when the value is not below its limit; else 0. */
int P3109_fCheckReportLimit(int32_t lValue, int32_t lLimit, std::string_view text);
/* The close of the cursors a routine opened beyond its entry count. */
void P3109_WriteCloseCursors(std::string_view offset);

/* The style codes and attribute flags of a display field, as the colour
** and condition writers read them. Flags are indexed by attribute number
** ('1' set). */
struct GEN_DISPLAY_ATTRIBUTES {
    char acInputStyles[10][4];
    char acOutputStyles[10][4];
    char acInputFlags[32];
    char acOutputFlags[32];
};
struct GEN_COLOUR_NAMES {
    std::string inputColour, outputColour, inputAttributes, outputAttributes;
};
GEN_COLOUR_NAMES P3109_MakeColourNames(const GEN_DISPLAY_ATTRIBUTES& field);
/* The condition operand of a display field: 1 when its value keyword is
** neither *YES nor *DFT; otherwise 0 for *NONE, else the named condition's
** number (marked used), or -1 when no condition has that name. */
int16_t P3109_ResolveFieldCondition(std::string_view valueKeyword, std::string_view conditionName);

/* Forgets the per-job registries (the set-up). */
void P3109_ResetNameServices();

#endif
