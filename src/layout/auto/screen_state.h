/* Module state of the automatic screen layout (module tag DC_P3111), shared
 * by its driver, records, field loading, placement and texts. One layout
 * runs at a time; the entry resets the state at every call. */
#ifndef DQOV_LAYOUT_AUTO_SCREEN_STATE_H
#define DQOV_LAYOUT_AUTO_SCREEN_STATE_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "layout/auto/layout_run.h"
#include "layout/layout.h"
#include "runcontrol/message_table.h"

namespace layout::screen {

using dqov::Msg;

constexpr int kFormats = kLayoutFormats;
constexpr int kOccupancy = 9999;

/* The start information handed to the callback with the Started event. */
struct DLG_START_INFO {
    void* apArguments[8];
    char cMirror, cSinglePage, cNoFrame;
    int32_t lScreenLines;
    const char* pachMsgQueue;
    const char* pachSystemFlags;
    int32_t lActionBarLines;
    char cProcessStyle;
    char cStdHead;
    int32_t lPopLine, lPopColumn, lPopTop, lPopLeft, lPopWidth, lPopHeight;
    char acOptions[2][8];
    char acBrowseList[8];
};

struct Dialogue : LayoutRun {
    /* call arguments of the screen layout's own */
    int32_t* fieldCounter = nullptr;
    char* flag30 = nullptr;
    char singlePage = 'N', noFrame = 'N';
    int32_t screenLines = 24;

    /* per-format values (index 1..20) */
    int32_t lowest[kFormats + 1]{}, highest[kFormats + 1]{};
    int32_t fields[kFormats + 1]{}, counted[kFormats + 1]{}, headingLines[kFormats + 1]{};
    int32_t sflPage[kFormats + 1]{}, sflSize[kFormats + 1]{}, indicator[kFormats + 1]{};
    int32_t formats = 0; /* highest page that received an entry */
    /* entries the table may hold: its storage is reserved for them at the
       start, and an entry is made when the layout first comes to it, so
       that an entry stays where it is while the layout runs */
    int32_t capacity = 0;

    /* geometry */
    int32_t firstLine = 1, lastLine = 0, firstColumn = 1, width = 80;
    int32_t lineOffset = 0, popTop = 0, popLeft = 0, pageSize = 0, pageLimit = 0;
    int32_t actionBarLines = 0;
    char processStyle = 'N';
    char stdHead = 'Y';
    POP_UP_DATA popUp{};

    /* design values of the running step */
    char design[10]{}; /* "ACROSS" or "DOWN" */
    char identify = 'C';
    int32_t downSep = 1, acrossSep = 1;
    char kind[6]{};        /* format kind of the running step */
    char kindLetter = 'R'; /* 'R' main record, 'C' browse control */

    /* cursor */
    int32_t page = 1, line = 2, column = 2;
    bool newPage = false; /* the last move opened a new page */

    int32_t pushButtons[21]{};
    DLG_START_INFO start{};
};

Dialogue& Screen();

/* Text of the message slot helpers. */
void SetSlot(Msg msg, const std::string& data);
/* Issues the message in the slot with the given severity (Message event, run
 * message and counts unless a callback is present). */
void P3111_IssueMessage(char severity);
/* Convenience: slot + issue. */
void IssueFinding(Msg msg, const std::string& data);
/* Events of the design callback; the number is the block's event code. */
enum class DialogueEvent : intptr_t {
    Started = 0,            /* after the start step: check state, start information */
    MainRecordLaidOut = 1,  /* the current entry */
    FieldLoaded = 2,        /* each entry at the end of a field group's load */
    TextEntryCreated = 3,   /* each text-map entry created */
    FieldRecordWriting = 4, /* just before an entry's RCDFLD record is written */
    Message = 5,            /* every message: current entry, check state */
    ControlPartPlaced = 6,  /* browse list control part: its line and page */
    SubfilePageSized = 7,   /* the subfile page size */
};
void PostEvent(DialogueEvent event, void* entry = nullptr, intptr_t v1 = 0, intptr_t v2 = 0, intptr_t v3 = 0,
               intptr_t v4 = 0, void* start = nullptr);
bool CallbackPresent();

LAYOUT_FIELD_ENTRY& Entry(int32_t number);
/* The next entry (number count + 1, which becomes the count and the current
 * entry), made when the table has not held it yet; null when the table is
 * full. Its contents are those of an earlier load or zero. */
LAYOUT_FIELD_ENTRY* NextEntry();
std::string EntryName(const LAYOUT_FIELD_ENTRY& e);

/* Records (screen_records.cpp). */
void P3111_WriteFieldRecord(LAYOUT_FIELD_ENTRY& e, int32_t page);
void P3111_WriteFormatRecords();
void P3111_AddFieldToFormat(LAYOUT_FIELD_ENTRY& e, int32_t page);

/* Field loading (screen_fields.cpp). */
void P3111_LoadFieldGroup(const char* group);
void P3111_CheckPushButtonNumbers();
/* Value, identification and right-label offsets and the entry width by
 * the entry's identification. */
void SetEntryOffsets(LAYOUT_FIELD_ENTRY& e);

/* Placement (screen_placement.cpp). */
void P3111_LayoutMainRecord();
void P3111_LayoutBrowseList();
void P3111_SizePopUp();
/* Frees every position of the occupancy map. */
void P3111_ClearOccupancy();

/* Texts (screen_texts.cpp). */
void P3111_LoadTextMaps();

}  // namespace layout::screen

#endif
