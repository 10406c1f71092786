/*
** text_references.h: the generated program's table of text references of
** its web pages.
**
** Every "@Tnnnn" text id of a web page stands for one entry, in order of
** use: kind 0 the function's description, 1 a field text (value 0 label,
** 1 to 3 column headings, 4 description) with the field's row among the
** multilingual field texts, 2 a multilingual variable with its row among
** the multilingual texts. The table grows by at least 50 entries at a time.
*/
#ifndef GENERATOR_CORE_TEXT_REFERENCES_H
#define GENERATOR_CORE_TEXT_REFERENCES_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct GEN_TEXT_REFERENCE {
    std::string name;          /* 10 characters */
    int32_t lKind = 0;         /* 0 function description, 1 field text, 2 multilingual variable */
    int32_t lOrdinal = -1;     /* the field's or the variable's row */
    int32_t lValue = -1;       /* kind 1: 0 label, 1-3 headings, 4 description */
};

/* Room for at least one more entry; false when no memory could be had. */
bool P3109_fGrowTextReferences();
void P3109_AppendTextReference(std::string_view name, int32_t lKind, int32_t lValue);
/* Inserts the entry at the position (the end when it lies beyond). */
void P3109_InsertTextReference(size_t ulPosition, std::string_view name, int32_t lKind, int32_t lValue);
const std::vector<GEN_TEXT_REFERENCE>& P3109_TextReferences();

#endif
