/*
** text_strings.h: the text strings file of a generated object: every
** registered text literal, converted from the code page of its language
** into UTF-8 (C target), or as C# constants; and the code pages of the
** partition's languages.
*/
#ifndef GENERATOR_CORE_TEXT_STRINGS_H
#define GENERATOR_CORE_TEXT_STRINGS_H

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/model/definitions.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/static_lists.h"

/* Where a code page was found. */
inline constexpr int MLTX_SOURCE_NONE = -1;
inline constexpr int MLTX_SOURCE_MACHINE = 1;
inline constexpr int MLTX_SOURCE_FILE = 5;
inline constexpr int MLTX_SOURCE_TABLE = 6;

/* The CCSID and Windows code page of a language (each at most ulWidth
** characters, "0" when unknown) and its culture name: from "ccsid.txt" of
** the directory, else the built-in table, else the machine's code page. */
int MLTX_pszFindCodePage(std::string_view language, const std::string& directory, std::string& ccsid,
                         std::string& codePage, size_t ulWidth, std::string* pCulture, size_t ulCultureWidth);

/* A language of the partition with its code pages (the code-page record:
** CCSID and Windows code page, each "0" or empty when unknown). */
struct MLTX_LANGUAGE {
    std::string code, ccsid, codePage;
};

/* Writes one record (C target) or one constant line (C#) per literal, in
** chain order, each text converted from its language's code page to UTF-8;
** a literal of a language the table does not hold is taken as code page 0.
** The chain is walked, not listed: `chain` hands each literal in turn to the
** visitor it is given (CGEN_VisitTextLiterals walks the registry's). */
using MLTX_LITERAL_CHAIN = std::function<void(const GEN_TEXT_LITERAL_VISITOR&)>;
void MLTX_WriteTextRecords(GEN_STREAM stream, const std::vector<MLTX_LANGUAGE>& languages,
                           const MLTX_LITERAL_CHAIN& chain, char cTarget);

/* Writes every registered literal into the file (opened here when no
** stream is given) and releases them. 0, or -1 when the file could not be
** opened (the literals are kept). */
int MLTX_WriteTextStringsFile(const std::string& directory, const std::string& fileName,
                              const std::vector<GEN_LANGUAGE>& languages, char cTarget, GEN_STREAM stream);

#endif
