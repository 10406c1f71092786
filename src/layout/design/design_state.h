/* State shared by the screen design step (DC_P3097) and the report design
 * step (DC_P3019): the values their identification exchange, attribute
 * carry-over and stored design data work on. Each step keeps its own
 * instance (ScreenStep(), ReportStep()); the step-specific state is in
 * screen_design.h and report_design.h. */
#ifndef DQOV_LAYOUT_DESIGN_DESIGN_STATE_H
#define DQOV_LAYOUT_DESIGN_DESIGN_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_paint_str.h"
#include "params/command_records.h"
#include "params/parsed_command.h"

namespace layout::design {

constexpr size_t kParameterBuffer = 11000;
constexpr int32_t kListEntries = 100;
constexpr int32_t kEntryValues = 7;
constexpr int kTextMapRows = 100;
constexpr int kSystemFlags = 64;

/* One row of a step's text-map table: a command and its map name. */
struct TextMapRow {
    int32_t command = 0;
    char name[8]{};
};

struct DesignCommon {
    FFC_CONTEXT* ctx = nullptr;
    FFC_PAINT_STR* paint = nullptr;
    char* optionFlags = nullptr; /* 999 'Y'/'N' flags: text-map numbers taken */
    char msgQueue[10]{};
    char sysFlags[kSystemFlags]{}; /* the first 64 system flags, numbered from 1 */
    int32_t adjHeadings = 0, adjLabels = 0, adjDescriptions = 0, adjTexts = 0;

    /* the identification exchange: the letter ('L', 'C', 'D', 'N'; the
     * report step also 255 for no choice), the request code the dialogue
     * passes to the painter and the painter's reply word */
    int16_t identification = 'L';
    char painterCommand[4] = {' ', ' ', ' ', ' '};
    char action[2] = {' ', ' '};

    /* the parsed field list of the command being written back */
    int32_t entryCount = 0;
    char entries[kListEntries][10]{};
    char attributes[kListEntries * kEntryValues * 10]{};
    /* the parameter text under construction (position from 1) */
    std::vector<char> buffer = std::vector<char>(kParameterBuffer, ' ');
    size_t position = 1;
    bool overflow = false; /* a token did not fit the buffer */
    char currentField[10]{};

    /* the step's text-map names */
    std::vector<TextMapRow> textMaps;

    char flag(int number) const { return number >= 1 && number <= kSystemFlags ? sysFlags[number - 1] : 'N'; }
    char mirror() const { return flag(28); }
};

struct ScreenDesign;
struct ReportDesign;
ScreenDesign& ScreenStep();
ReportDesign& ReportStep();

/* Parameter text helpers on a step's buffer: the value at the position
 * (cut at the buffer's end, which marks the overflow), the position moved
 * to just after the first blank at or after it. */
/* Puts the text at the position, as much as fits (false when nothing fits);
** the position stays. */
bool PutText(DesignCommon& s, const char* text, size_t length);
void PutToken(DesignCommon& s, const char* text, size_t length);
void PutToken(DesignCommon& s, const std::string& text);
/* Blanks the buffer and starts it with "(" at position 1. */
void StartFieldList(DesignCommon& s);
/* Takes the command's field list (names and attribute values) as the
 * parsed list that the attribute carry-over searches. */
void LoadParsedFieldList(DesignCommon& s, const FFC_PARSED_COMMAND& command, const FFC_COMMAND_EXTENSION& extension);

/* The address of a parameter element of a parsed command (nullptr when the
 * command has no such element). */
char* ParmAddress(FFC_PARSED_COMMAND& command, std::string_view keyword, int element = 0, int entry = 0);
/* Reads the stored record of command (number, second); false when none. */
bool FindCommand(FFC_CONTEXT* ctx, int32_t number, int32_t second, FFC_PARSED_COMMAND& command);

/* The text-map name of a command: the one settled earlier in this step,
 * else the command's own "*TMAP" value, else "*TMAP" and the lowest free
 * option flag (which is then taken). Returns the 8-character name. */
std::string SettleTextMapName(DesignCommon& s, int32_t command, const char* textParameter);
/* The step's map name of a command (the last row that names it), or "". */
std::string TextMapNameOf(const DesignCommon& s, int32_t command);
/* Marks the text-map numbers that the function's commands already name. */
void MarkTextMapsInUse(DesignCommon& s, int16_t commands);

/* Formats the editor's message template n with up to three texts (each
 * taken as long as its length, at most 100, without trailing blanks) into
 * the 67-character line; only %s conversions are substituted. */
void ComposeMessageLine(const FFC_PAINT_STR* paint, int number, char* line, const std::string& a = {},
                        const std::string& b = {}, const std::string& c = {});
/* A text as a message argument: its first length characters (at most 100)
 * without trailing blanks. */
std::string MessageText(const char* text, int32_t length);

/* A number as its rightmost n zero-padded digits. */
std::string Digits(int32_t value, uint32_t n);
/* A field name without, and with, the run's national name character in
 * front (10 characters); texts and blanks as written. */
std::string BareName(const FFC_CONTEXT* ctx, const char* name);
std::string PrefixedName(const FFC_CONTEXT* ctx, const char* name);
/* The identification keyword a field list writes for a letter ("*COL",
 * "*LAB", "*NOID", and "*DESC" where descriptions are allowed), or null. */
const char* IdentificationKeyword(char letter, bool descriptions);
/* A field entry blank, its numbers 0 and its flags 'N'. */
void BlankFieldEntry(LAYOUT_FIELD_ENTRY& f);

/* Services message 251: an unexpected painter reply. */
void UnexpectedReply(const char* routine, int reply);
/* True while the painter window is there to answer. */
bool PainterPresent(const DesignCommon& s);

/* The farthest a cursor the painter answers with may lie off its window:
 * a position past it (a field moved beyond the screen's edge) is the
 * design step's to refuse with its fit messages; one farther still is no
 * position of any screen or report and is refused as it is read, so that
 * no arithmetic on it can overflow. */
constexpr int32_t kFarthestCursor = 999;
bool CursorAnswerInRange(int32_t row, int32_t column);

}  // namespace layout::design

extern "C" {
void QBIDEN_Report(void);
void P3097_GetIdentification(void);
void P3097_ExpandFieldAttributeLists(void);
void P3019_ExpandFieldAttributeLists(void);
int P3097_AddEnumeratedField(const char* pszField, const char* pszAttributes);
int P3019_AddEnumeratedField(const char* pszField, const char* pszAttributes);
void P3097_SaveTextMaps(void);
void P3019_SaveTextMaps(void);
void P3019_SaveReportImage(void);
/* Installs the identification exchanges with the painter requests. */
void P3097_UseIdentificationExchanges(void);
/* The design steps as steps of the run driver (FFC_RUN_STEP). */
int32_t P3097_lRunScreenDesignStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
int32_t P3019_lRunReportDesignStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);
}

#endif
