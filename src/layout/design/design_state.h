/* Values of the screen and report design steps that their identification
 * exchange, attribute carry-over and stored design data work on. */
#ifndef DQOV_LAYOUT_DESIGN_DESIGN_STATE_H
#define DQOV_LAYOUT_DESIGN_DESIGN_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/ffc_context.h"
#include "dqov/ffc_paint_str.h"
#include "dqov/layout_records.h"

namespace layout::design {

constexpr size_t kParameterBuffer = 11000;
constexpr int32_t kListEntries = 100;
constexpr int32_t kEntryValues = 7;

/* One line of a report image: the section it belongs to ("HED", "HD2",
 * "LED", "DET", "TRL" or another body section, "FOT"), its line number
 * (heading and foot lines), the lines before and after it and its text. */
struct ImageLine {
    std::string section;
    int32_t line = 0, before = 0, after = 0;
    std::string text;               /* up to 400 characters */
};

struct DesignStep {
    FFC_PAINT_STR *paint = nullptr;
    int16_t identification = 'L';   /* 'L', 'C', 'D', 'N'; 255 no choice */
    char painterCommand[4] = {' ', ' ', ' ', ' '};
    char action[2] = {' ', ' '};

    /* the parsed field list of the command being written back */
    int32_t entryCount = 0;
    char entries[kListEntries][10]{};
    char attributes[kListEntries * kEntryValues * 10]{};
    /* the field-list parameter under construction (position from 1) */
    std::vector<char> buffer = std::vector<char>(kParameterBuffer, ' ');
    size_t position = 1;
    char currentField[10]{};

    /* the command whose design is stored */
    FFC_CONTEXT *ctx = nullptr;
    int16_t commandNumber = 0;
    bool popUp = false;
    std::string textMap;            /* "*TMAPnnn" */
    char mirror = 'N';
    int32_t width = 80;
    std::vector<LAYOUT_FIELD_ENTRY> fields;   /* the command's entries in field-number order */
    int32_t reportNumber = 1;
    std::vector<ImageLine> image;
};

DesignStep &ScreenStep();
DesignStep &ReportStep();

}  // namespace layout::design

extern "C" {
void QBIDEN_Report(void);
void P3097_GetIdentification(void);
void P3097_ExpandFieldAttributeLists(void);
void P3019_ExpandFieldAttributeLists(void);
int P3097_AddEnumeratedField(const char *pszField, const char *pszAttributes);
int P3019_AddEnumeratedField(const char *pszField, const char *pszAttributes);
void P3097_SaveTextMaps(void);
void P3019_SaveTextMaps(void);
void P3019_SaveReportImage(void);
/* Installs the identification exchanges with the painter requests. */
void P3097_UseIdentificationExchanges(void);
}

#endif
