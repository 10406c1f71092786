/*
** static_lists.h: the three static working-variable lists of the generated
** program (FUNCTION_STATIC_GLOBAL_1 to _3) and the registry of text
** literals that generated code refers to by name.
*/
#ifndef GENERATOR_CORE_STATIC_LISTS_H
#define GENERATOR_CORE_STATIC_LISTS_H

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "generator/core/output/gen_state.h"

inline constexpr size_t GEN_STATIC_DECLARATION_MAX = 79;
inline constexpr size_t GEN_STATIC_INITIALISER_MAX = 399;
inline constexpr size_t GEN_TEXT_LITERAL_NAME_MAX = 40;

/* One entry of a list (GEN_STATIC_WORKING_LIST): C and C# forms. The
** texts are held together in the lists' text store (NUL-terminated), valid
** until the lists are reset or freed. */
struct GEN_STATIC_ENTRY {
    std::string_view cDeclaration, cInitialiser, csDeclaration, csInitialiser;
};

/* A list keeps its entries in blocks of ten, taken one after the other:
** a block holds the entries of the list from ulFirst on, usCount of them;
** an entry goes into the tail block, and a new block is taken when the
** tail block is full. */
inline constexpr uint16_t GEN_STATIC_BLOCK_ENTRIES = 10;
struct GEN_STATIC_WORKING_BLOCK {
    uint16_t usCount = 0;
    size_t ulFirst = 0;
};
struct GEN_STATIC_WORKING_LIST {
    std::deque<GEN_STATIC_ENTRY> entries; /* in the order of adding */
    std::deque<GEN_STATIC_WORKING_BLOCK> blocks;
    /* the entries by their C declaration: open addressing, entry number + 1
       in a slot, 0 for a free slot; at most half the slots used */
    std::vector<uint32_t> byDeclaration;
    /* the low half of each entry's declaration hash, by entry number: the
       index grows without hashing the declarations again */
    std::vector<uint32_t> declarationHashes;
};

void CGEN_ResetStaticWorkingLists();
void CGEN_FreeStaticWorkingLists();
/* Whether an entry is added when its list already holds its C declaration. */
enum GEN_STATIC_MODE { GEN_STATIC_ALWAYS, GEN_STATIC_UNIQUE };
/* Adds an entry; with GEN_STATIC_UNIQUE nothing is added when the list
** already holds the same C declaration. A text longer than its field is
** refused with a fatal message. */
void CGEN_AddStaticWorkingEntry(int16_t sList, std::string_view cDeclaration, std::string_view cInitialiser,
                                std::string_view csDeclaration, std::string_view csInitialiser, GEN_STATIC_MODE mode);
/* The same with one declaration and one initialiser for both languages. */
void CGEN_AddStaticWorkingVariable(int16_t sList, std::string_view declaration, std::string_view initialiser,
                                   GEN_STATIC_MODE mode);
/* Appends an empty block to the list (0 to 2) and returns it; null for
** another list number. The adder takes its blocks the same way. */
GEN_STATIC_WORKING_BLOCK* CGEN_pNewStaticWorkingBlock(int16_t sList);
const std::deque<GEN_STATIC_ENTRY>& CGEN_StaticWorkingList(int16_t sList);
const std::deque<GEN_STATIC_WORKING_BLOCK>& CGEN_StaticWorkingBlocks(int16_t sList);
void CGEN_WriteStaticWorkingDeclarations(int16_t sList, GEN_STREAM cStream, GEN_STREAM csStream);
void P3109_WriteStaticWorkingInitialisers(int16_t sList, GEN_STREAM stream, uint16_t usColumn, char cTarget);
void CGEN_WriteListLine(std::string_view text, GEN_STREAM stream);
/* GEN_TEXT_LITERAL: a registered literal as CGEN_TextLiterals shows it;
** the texts are the registry's own (NUL-terminated), valid until the
** registry is emptied. */
struct GEN_TEXT_LITERAL {
    std::string_view cName, csName, reference, declaredName;
    std::string_view language;
    int32_t lForm = 0; /* 0 define form, 1 array form */
    std::string_view text;
};

int16_t CGEN_SetTextLiteralLanguage(std::string_view workFileName, std::string_view language);
void CGEN_SetTextLiteralPrefix(std::string_view namePart);
/* Whether a text's trailing blanks are dropped before it is registered. */
enum GEN_LITERAL_TRIM { GEN_LITERAL_AS_IS, GEN_LITERAL_TRIMMED };
/* Registers a text in the define form (lForm 0) or the array form (1):
** the text (right-trimmed first with GEN_LITERAL_TRIMMED), in the language
** given (at most 4 characters) or the default one; an equal text of the
** same form and language keeps its names. The two out-arguments receive
** the reference and the declared name, valid until the registry is
** emptied; "ERROR!" both when the name cannot be formed. */
void CGEN_RegisterTextLiteral(std::string_view text, const char* pszLanguage, GEN_LITERAL_TRIM trim, int32_t lForm,
                              const char** ppszReference, const char** ppszDeclared);
/* Register a text; the two out-arguments receive the reference and the
** declared name, valid until the registry is emptied. */
void CGEN_GetTextLiteralDefineName(std::string_view text, const char* pszLanguage, const void* pReserved,
                                   GEN_LITERAL_TRIM trim, const char** ppszReference, const char** ppszDeclared);
void CGEN_GetTextLiteralArrayName(std::string_view text, const char* pszLanguage, const void* pReserved,
                                  GEN_LITERAL_TRIM trim, const char** ppszReference, const char** ppszDeclared);
/* Registers a name under the name part "NAME" and returns its reference:
** the name column of a descriptor row. */
std::string CGEN_NameLiteral(std::string_view name);
const char* CGEN_pFindTextLiteral(std::string_view reference, const char* pszLanguage);
const std::vector<GEN_TEXT_LITERAL>& CGEN_TextLiterals();
/* Hands each registered literal to `visit` in registration order, one view
** at a time, without a list of them all (the text strings file is written
** at the end of a generation, when the heap is at its largest). */
using GEN_TEXT_LITERAL_VISITOR = std::function<void(const GEN_TEXT_LITERAL&)>;
void CGEN_VisitTextLiterals(const GEN_TEXT_LITERAL_VISITOR& visit);
/* Releases every registered literal (the text strings writer, once the
** literals are written). */
void CGEN_FreeTextLiterals();

#endif
