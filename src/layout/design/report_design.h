/* Module state of the report design step (module tag DC_P3019): the chosen
 * report and lines, the page image of the line being designed, the painter
 * dialogue and the loaded item. Every routine of the step works on this
 * one state; the entry sets it up and releases it on every way out. */
#ifndef DQOV_LAYOUT_DESIGN_REPORT_DESIGN_H
#define DQOV_LAYOUT_DESIGN_REPORT_DESIGN_H

#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/work_records.h"
#include "layout/design/design_state.h"
#include "params/parsed_command.h"

namespace layout::design {

constexpr int kReportEntries = 200; /* field entries; 201 is the spare entry */
constexpr int kReportRows = 300;    /* field-table rows; 301 is the spare row */
constexpr int kSpareEntry = 201, kSpareRow = 301;
constexpr int32_t kLineColumns = 400;
constexpr int32_t kPageColumns = 80, kPageLines = 24, kPageCells = kPageColumns * kPageLines;
/* The most copies of a line, and of the body, that a page image repeats. */
constexpr int32_t kMostRepeats = 99;
constexpr int kMoveEntries = 50;

/* "DC_P3019/..." list names, blank-padded to 30 by the list routines. */
constexpr const char* kDrinfList = "DC_P3019/RM/DRINF";
constexpr const char* kFieldList = "DC_P3019/RM/X_INFO";
constexpr const char* kLineList = "DC_P3019/VL/SFLRPT";

/* One row of the field table: a printed piece of a field or text. */
struct FieldRow {
    char section[4]; /* "HED", "LED", "DET", "TRL", "FOT" and a blank */
    int32_t command; /* command number of the line */
    int32_t line;    /* line within the report line (absolute for HED and FOT) */
    int32_t column;
    int32_t entry; /* field entry number */
    char part[4];  /* '1'-'3' column-heading line, 'F' the field itself */
};
static_assert(sizeof(FieldRow) == 24);

/* One entry of the line list "DC_P3019/VL/SFLRPT". */
struct LineListEntry {
    int32_t command;   /*  0 */
    char name[10];     /*  4 "DEF_HEAD  " ... */
    char lineName[10]; /* 14 */
    char format[8];    /* 24 */
    char section[4];   /* 32 "HED", "LED", "DET", "TRL", "FOT" */
    int32_t before;    /* 36 */
    int32_t after;     /* 40 */
    char selection;    /* 44 */
    char filler[3];
    int32_t repeat; /* 48 */
};
static_assert(sizeof(LineListEntry) == 52 && offsetof(LineListEntry, format) == 24 &&
              offsetof(LineListEntry, repeat) == 48);

/* One entry of a section work list: a report line and its column owners. */
struct SectionEntry {
    char text[kLineColumns]; /*   0 */
    char inUse;              /* 400 'Y'/'N' */
    char filler[3];
    int32_t command;              /* 404 */
    char section[4];              /* 408 */
    int32_t line;                 /* 412 line within the report line */
    int32_t reportLine;           /* 416 heading and footing lines */
    int32_t zero;                 /* 420 */
    int32_t before;               /* 424 */
    int32_t after;                /* 428 */
    int16_t owners[kLineColumns]; /* 432 field-table row per column, 0 none */
};
static_assert(sizeof(SectionEntry) == 1232 && offsetof(SectionEntry, before) == 424 &&
              offsetof(SectionEntry, owners) == 432);

/* A row of the body order: which body line is drawn next. */
struct OrderRow {
    int32_t repetition, kind, copy, entry;
    char section[4];
};

/* A line of the report chosen for the page. */
struct ChosenLine {
    char command[10]{};
    char format[8]{};
    int32_t number = 0, second = 0;
    char lineName[10]{};
    char section[3]{};
    char selection = ' ';
    int32_t before = 0, after = 0, repeat = 1;
};

/* A field picked for a move. */
struct MoveEntry {
    int32_t line, column;
    char number[4];
    int32_t last, width;
};

struct ReportDesign : DesignCommon {
    /* arguments */
    const FFC_PROCESS_DEFINITION* process = nullptr;
    const FFC_FUNCTION_DEFINITION* function = nullptr;
    int32_t* fieldCounter = nullptr;
    int16_t commandCount = 0;
    const FFC_PAINT_TEXTS* texts = nullptr;

    /* the step's lists: report entries 1-9, field entries 1-201 */
    WR_DRINF_DATA* reports = nullptr;
    LAYOUT_FIELD_ENTRY* fields = nullptr;
    int32_t reportNumber = 0, width = 132, pageLength = 66;
    int32_t lineCount = 0;

    /* chosen lines, the designed one and its command */
    std::vector<ChosenLine> chosen;
    ChosenLine designed;
    int32_t chosenCount = 0;
    bool error = false; /* a fatal finding stopped the step */

    /* page (field table, section lists, body order, screen image) */
    FieldRow rows[kReportRows + 2]{};
    int32_t rowCount = 0, entryCount = 0, textCount = 0;
    SectionEntry elements[4]{};
    std::vector<OrderRow> order;
    char image[kPageCells + 80]{};
    int16_t owners[kPageCells + 80]{};
    char firstCopy[kPageCells + 80]{};
    int32_t firstDrawLine = 0;
    int32_t pendingShift = 0;
    bool redraw = true;
    int32_t bodyRepeat = 1;

    /* dialogue */
    int32_t firstLine = 1, lastLine = 23, leftColumn = 1;
    int32_t cursorRow = 1, cursorColumn = 1, savedRow = 1, savedColumn = 2;
    char answered[4]{};
    char message[67]{}, keptMessage[67]{};
    char fieldName[10]{};
    char text[120]{};
    int32_t linesBefore = 0, linesAfter = 0;
    char textMode[3]{};
    char leave[3]{};
    char changed = 'N';
    MoveEntry moves[kMoveEntries]{};
    int32_t moveCount = 0;
    std::vector<int32_t> selection;
    char ruler = 'N';
    int32_t rulerRow = 3, rulerColumn = 3;
    std::vector<std::pair<int32_t, char>> overlay;
    char screen[2000]{};

    /* the loaded item */
    int32_t itemRow = 0;
    FieldRow item{};
    char itemName[10]{};
    int32_t itemNumber = 0;
    char found = 'N', fits = 'N', placed = 'N', done = 'N';
    bool added = false; /* an added field waits to be placed */
    bool collecting = true;
    bool newPosition = false;
    int32_t checkedLine = 0, checkedColumn = 0;
    FieldRow savedRow301{};
    LAYOUT_FIELD_ENTRY savedEntry{};

    /* write-back */
    char defaultIdent = 'X';
    FFC_PARSED_COMMAND command{};
    bool painterGone = false;
};

LAYOUT_FIELD_ENTRY& ReportField(int32_t entry);
FieldRow& ReportRow(int32_t row);
/* True when the row belongs to the line being designed. */
bool OfDesignedLine(const FieldRow& row);
/* The section entry's screen row for a report line, or 0 outside the window. */
bool BodySection(const char* section);
void SetRequest(const char* code);
void ComposeReportMessage(int number, const std::string& a = {}, const std::string& b = {}, const std::string& c = {});
std::string Name10(const char* field);
/* The section list of a section code ("HED", "HD2", "LED", "DET", "TRL", "FOT"). */
const char* SectionList(const char* section);
/* Reads entry n of a section list; false when it is missing. */
bool ReadSectionEntry(const char* section, uint16_t n, SectionEntry& entry);
uint16_t SectionEntryCount(const char* section);
/* The PRTFLD record of a field entry on the designed line (three key parts). */
void FieldRecordKey(FFC_WORK_RECORD& r, int32_t fieldNumber);

}  // namespace layout::design

extern "C" {
void P3019_DesignReports(FFC_CONTEXT* pContext, const FFC_PROCESS_DEFINITION* pProcess,
                         const FFC_FUNCTION_DEFINITION* pFunction, int32_t* plFieldCounter, char* pachOptionFlags,
                         const char* pachMsgQueue, FFC_PAINT_STR* pPaint, int16_t sCommandCount);
void P3019_StartReportDesign(void);
void P3019_SelectReports(void);
void P3019_ScanReportCommands(void);
void P3019_EndReportDesign(void);
void P3019_DesignReportLine(void);
void P3019_RunPainterDialogue(void);
void P3019_ChooseLeaveAction(void);
void P3019_SaveLineFields(void);
void P3019_RestoreLineFields(void);
void P3019_ComposePainterMessage(int16_t sNumber, const char* pText1, int16_t sLength1, const char* pText2,
                                 int16_t sLength2, const char* pText3, int16_t sLength3);
void P3019_RebuildReportPage(void);
void P3019_LayoutSection(const char* pachSection);
void P3019_DrawReportPage(void);
void P3019_IdentifyItem(void);
void P3019_CheckPlacement(void);
void P3019_StoreItem(void);
void P3019_RemoveItem(void);
void P3019_AddField(void);
void P3019_PlaceNewField(void);
void P3019_PlaceText(void);
void P3019_ChangeIdentification(void);
void P3019_ComputeItemWidths(LAYOUT_FIELD_ENTRY* pEntry);
void P3019_WriteBackLine(void);
void P3019_BuildFieldListParameter(void);
void P3019_InsertParameter(uint16_t usComponent, uint16_t usLength);
}

#endif
