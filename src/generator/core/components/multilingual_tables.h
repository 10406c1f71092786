/*
** multilingual_tables.h: point 18 of the main skeleton: the "called" flags
** and prototypes of the built-in functions a function uses, the
** prototypes of its user-DLL entries, the table of its multilingual text
** variables (MultiText, deferred queue 4) and the table of its field
** labels, column headings and descriptions (MultiField, queue 3), one text
** per partition language. The names of the text literals are kept for the
** web page generators until the end of the generation.
*/
#ifndef GENERATOR_CORE_MULTILINGUAL_TABLES_H
#define GENERATOR_CORE_MULTILINGUAL_TABLES_H

#include <string>
#include <vector>

void P3109_WriteMultilingualTables();

/* pWebMTxt: the text literal reference of (variable v, language l) at
** v * languages + l. */
const std::vector<std::string>& P3109_WebMultilingualTexts();

/* One entry of pWebMFld: a field's text literal references in one
** language; an absent text leaves its name empty. */
struct GEN_WEB_FIELD_TEXTS {
    std::string field; /* 10 characters */
    std::string label;
    std::string headings[3];
    std::string description;
};
/* pWebMFld: entry (field f, language l) at f * languages + l. */
const std::vector<GEN_WEB_FIELD_TEXTS>& P3109_WebFieldTexts();

void P3109_ResetMultilingualTables();

#endif
