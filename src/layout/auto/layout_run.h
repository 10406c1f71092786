/* What the automatic screen and report layouts share of one run: the call
 * arguments both are given, the session's adjustment switches, the layout
 * table with its per-format values, and the way a finding in the check
 * state's final slot becomes a run message of the object. */
#ifndef DQOV_LAYOUT_AUTO_LAYOUT_RUN_H
#define DQOV_LAYOUT_AUTO_LAYOUT_RUN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "layout/layout.h"

namespace layout {

constexpr int kLayoutFormats = 20;

struct LayoutRun {
    /* call arguments */
    FFC_CONTEXT* ctx = nullptr;
    FFC_CHECK_STATE* state = nullptr;
    const FFC_PROCESS_DEFINITION* process = nullptr;
    const FFC_FUNCTION_DEFINITION* function = nullptr;
    FFC_PARSED_COMMAND* command = nullptr;
    int32_t* formatCounter = nullptr;
    char mirror = 'N';
    char msgQueue[10]{};
    const char* systemFlags = nullptr;
    void *lpc = nullptr, *cmpe = nullptr;
    LAYOUT_DESIGN_CALLBACK callback = nullptr;
    std::string commandName; /* trimmed */

    /* adjustment switches: column headings, labels, descriptions, texts */
    int32_t adjHeadings = 0, adjLabels = 0, adjDescriptions = 0, adjTexts = 0;

    /* layout table and per-format values (index 1..20) */
    std::vector<LAYOUT_FIELD_ENTRY> table;
    int32_t count = 0;
    int32_t current = 0; /* entry the module works on (1-based, 0 none) */
    /* set afresh by each layout's start step before any other step reads
       them: the report layout zeroes its run first, the screen layout makes
       them without zeroing their 12 KB first */
    LAYOUT_FORMAT_SLOT slots[kLayoutFormats + 1];
    char formatName[kLayoutFormats + 1][8]{};
    char formatKind[kLayoutFormats + 1][6]{};
    bool error = false; /* a fatal finding stopped the layout */

    /* The editor's design callback takes the findings and the records. */
    bool callbackPresent() const { return callback && lpc && cmpe; }
    /* The entry the module works on, or null. */
    LAYOUT_FIELD_ENTRY* currentEntry();
};

/* Takes the arguments both layouts are called with, the command's name and
 * the session's adjustment switches. */
void StartLayoutRun(LayoutRun& run, FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, const FFC_PROCESS_DEFINITION* process,
                    const FFC_FUNCTION_DEFINITION* function, FFC_PARSED_COMMAND* command, int32_t* formatCounter,
                    char mirror, const char* msgQueue, const char* systemFlags, void* lpc, void* cmpe,
                    LAYOUT_DESIGN_CALLBACK callback);
/* Drops the callback at the end of the run. */
void EndLayoutRun(LayoutRun& run);
/* Qualifier of the command's format records: line (last 4 digits), second
 * sequence number (4 digits), 2 blanks. */
void CommandQualifier(const LayoutRun& run, char* qualifier);
/* Writes the entry as a field record of the kind for the format: the
 * format's name, the field number (4 digits) as qualifier. */
void WriteEntryRecord(const LayoutRun& run, const char* kind, int32_t format, int32_t number,
                      const LAYOUT_FIELD_ENTRY& e);
/* Writes the command's format record of the kind with the data, followed,
 * when the format has conditions, by its condition slot in two records of
 * conditionKind. */
void WriteFormatRecord(const LayoutRun& run, const char* kind, const void* data, size_t size, const char* conditionKind,
                       int32_t format);
/* Adds the finding in the check state's final slot (its severity, id and
 * text) as a run message of the object and counts it. */
void AddFinalMessage(const LayoutRun& run);

}  // namespace layout

#endif
