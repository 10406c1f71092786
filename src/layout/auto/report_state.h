/* Module state of the automatic report layout (module tag DC_P3116), shared
 * by its driver, records, text items and field placement. */
#ifndef DQOV_LAYOUT_AUTO_REPORT_STATE_H
#define DQOV_LAYOUT_AUTO_REPORT_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "layout/auto/layout_run.h"
#include "layout/layout.h"
#include "runcontrol/message_table.h"

namespace layout::report {

using dqov::Msg;

constexpr int kFormats = kLayoutFormats;
constexpr int kEntries = 100;
constexpr int32_t kBufferSize = 30000;

struct RPT_START_INFO {
    void* apArguments[9];
    char cMirror;
    const void* pReportTable;
    const char* pachMsgQueue;
    const char* pachSystemFlags;
    int32_t lFirstColumn, lLastColumn, lFirstLine, lLastLine, lLineOffset;
};

struct Report : LayoutRun {
    int32_t *itemCounter = nullptr, *savedCounter = nullptr;
    int32_t reportNumber = 1;
    const void* reportTable = nullptr;

    int32_t firstLine[kFormats + 1]{}, lastLine[kFormats + 1]{}, items[kFormats + 1]{}, items2[kFormats + 1]{};
    int32_t onChange[kFormats + 1]{};
    int32_t highestFormat = 0;
    std::vector<char> buffer;
    char lineKind[6]{};

    /* geometry and position */
    int32_t width = 0, overflow = 0, pageSize = 0, pages = 1, lastReportLine = 0;
    int32_t page = 1, line = 1, column = 2;
    bool across = true;
    char identify = 'C';
    int32_t downSep = 1, acrossSep = 1;

    /* result of the last position test */
    char check[2]{'O', 'K'};
    int32_t candPage = 0, candLine = 0, candColumn = 0, startIndex = 0, endIndex = 0;

    RPT_START_INFO start{};
};

Report& Rpt();
LAYOUT_FIELD_ENTRY& Item(int32_t number);
std::string ItemName(const LAYOUT_FIELD_ENTRY& e);
bool CallbackPresent();
/* Events of the design callback; the number is the block's event code. */
enum class ReportEvent : intptr_t {
    Started = 0,           /* start of the layout proper: check state, start information */
    FieldLoaded = 1,       /* each field of the line loaded */
    TextItemCreated = 2,   /* each text item created */
    ItemRecordWriting = 3, /* just before an item's PRTFLD record is written */
    Message = 4,           /* every message: current entry, check state */
};
void PostEvent(ReportEvent event, void* entry);
void SetSlot(Msg msg, const std::string& data, bool blankFirst = false);
void P3116_ReportMessage();
void P3116_IssueMessage(char severity, unsigned long number, const std::string& value);
bool HeadOrFoot();

/* Text items and fields (report_texts.cpp, report_fields.cpp). */
void P3116_LoadTextMaps();
void P3116_LoadGroupFields();
void P3116_PlaceFixedFields();
void P3116_PlaceAutomatically();
void CHKPOS_3116();
void SAVPOS_3116();

}  // namespace layout::report

#endif
