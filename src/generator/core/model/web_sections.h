/*
** web_sections.h: the sections of a web-enabled function (the switch of its
** user-interface manager to the web one and back, skeleton points 99 and
** 101 to 105), the text tag tables through which its web pages get every
** text by language (point 106), and the version and initialisation lines
** of the data of an extended field.
**
** A function is web-enabled when it is given FUNCTION OPTIONS(*WEBEVENT).
*/
#ifndef GENERATOR_CORE_WEB_SECTIONS_H
#define GENERATOR_CORE_WEB_SECTIONS_H

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/field_info.h"
#include "generator/core/output/gen_state.h"

/* The literal names the web pages refer to, by language (in the order of
** the partition's languages): the function's description, the texts of
** the used fields (label, three column headings, description) and the
** multilingual text variables. The description and text table writers
** fill them; a block that was not made stays absent. */
struct GEN_WEB_NAME_BLOCKS {
    bool fFunctionDescriptions = false;
    std::vector<std::string> functionDescriptions; /* [language] */
    bool fFieldTexts = false;
    std::vector<std::vector<std::array<std::string, 5>>> fieldTexts; /* [field row][language][text] */
    bool fMultilingualTexts = false;
    std::vector<std::vector<std::string>> multilingualTexts; /* [variable row][language] */
};
GEN_WEB_NAME_BLOCKS& P3109_WebNameBlocks();

bool P3109_fWebEnabled();
void P3109_WriteWebInfoLines99();
void P3109_WriteWebInfoLines101();
void P3109_WriteWebInfoLines102();
void P3109_WriteWebInfoLines103();
void P3109_WriteWebInfoLines104();
void P3109_WriteWebInfoLines105();
void P3109_WriteTextTagTables();

/* The version line and the initialisation lines of a field's data, for a
** big decimal or an extended-only type that is not marked 'E'. */
void P3109_WriteFieldDataVersion(GEN_STREAM stream, int16_t sIndent, const GEN_FIELD_INFO& field,
                                 std::string_view storage);

void P3109_ResetWebSections();

#endif
