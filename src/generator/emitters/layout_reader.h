/*
** layout_reader.h: the layout records of the current screen or report
** command, as the display and report emitters read them, and the text
** pieces both take from them.
**
** A command's format records (RCDFMT of a screen, PRTFMT of a report
** line) are keyed by the command's name and a qualifier of its line number
** and second sequence number (4 digits each); the entries of a format
** (RCDFLD, PRTFLD) by the format's 8-character name.
*/
#ifndef GENERATOR_EMITTERS_LAYOUT_READER_H
#define GENERATOR_EMITTERS_LAYOUT_READER_H

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "dqov/layout/layout_records.h"

/* The data of each format record of the kind for the current command, in
** stored order; Format is RCDFMT_DATA or PRTFMT_DATA. */
std::vector<std::string> P3109_ReadCommandFormatData(const char* pszKind, size_t ulSize);
template <typename Format> std::vector<Format> P3109_ReadCommandFormats(const char* pszKind)
{
    std::vector<Format> formats;
    for (const std::string& data : P3109_ReadCommandFormatData(pszKind, sizeof(Format))) {
        Format f;
        std::memcpy(&f, data.data(), sizeof f);
        formats.push_back(f);
    }
    return formats;
}
/* The layout entries of a format (its 8-character name) in stored order. */
std::vector<LAYOUT_FIELD_ENTRY> P3109_ReadFormatEntries(const char* pszKind, const char* pachFormat8);

/* The name of a registered text literal for a text, under a name part
** ("PANEL", "REPORT", "EDITWORD" ...). */
std::string P3109_TextLiteralName(const char* pszPrefix, std::string_view text);
/* A character fit for a generated character constant; a blank for any
** other. */
char P3109_PrintableChar(char c);

#endif
