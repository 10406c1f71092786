// Screen layout records: the RCDFLD record of each placed entry, the
// formats that entries are counted in, and the RCDFMT / RCDFMTCO records
// written after the browse list, with the page-count checks.
#include "layout/auto/screen_state.h"

#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "params/fixed_text.h"

namespace layout::screen {

namespace {

// Line (4 digits), second sequence number (4 digits) and 2 blanks.
void GiveErrorIndicator(LAYOUT_FIELD_ENTRY& e, int32_t format)
{
    Dialogue& d = Screen();
    if (e.cUsage == 'H' || e.cType == 'T' || e.cControlPart == 'Y') {
        std::memset(e.acErrorIndicator, ' ', 2);
        return;
    }
    int32_t number = ++d.indicator[format];
    if (number >= 91)
        number = 90;
    FIX_LongToDigits(&number, 2, e.acErrorIndicator);
}

void GiveConditionIndicator(LAYOUT_FIELD_ENTRY& e, int32_t format)
{
    std::memset(e.acConditionIndicator, ' ', 2);
    if (e.cUsage == 'H' || e.cType == 'T') {
        std::memset(e.acCondition, ' ', sizeof e.acCondition);
        std::memset(e.acConditionValue, ' ', sizeof e.acConditionValue);
        return;
    }
    if (dqov::text::TrimmedView(e.acCondition, 10).empty())
        return;
    if (e.cControlPart == 'Y' && std::memcmp(e.acConditionValue, "*YES", 4) != 0)
        return;
    LAYOUT_FORMAT_SLOT& slot = Screen().slots[format];
    for (int32_t i = 0; i < slot.lCount; ++i) {
        if (std::memcmp(slot.acNames[i], e.acCondition, 10) == 0) {
            std::memcpy(e.acConditionIndicator, slot.acIndicators[i], 2);
            return;
        }
    }
    if (slot.lCount >= LAYOUT_CONDITIONS) {
        // A format holds 50 condition names: a further one cannot be given
        // an indicator of its own.
        IssueFinding(Msg::TooManyScreenConditions, dqov::text::Trim(e.acCondition, 10));
        Screen().error = true;
        return;
    }
    std::memcpy(slot.acNames[slot.lCount], e.acCondition, 10);
    std::memcpy(e.acConditionIndicator, slot.acIndicators[slot.lCount], 2);
    ++slot.lCount;
}

}  // namespace

void P3111_AddFieldToFormat(LAYOUT_FIELD_ENTRY& e, int32_t page)
{
    Dialogue& d = Screen();
    if (page < 1 || page > kFormats)
        return;
    if (d.formatName[page][0] == ' ') {
        int32_t number = ++*d.formatCounter;
        FIX_LongToDigits(&number, 8, d.formatName[page]);
        std::memcpy(d.formatName[page], "R@F", 3);
        d.indicator[page] = 0;
        d.highest[page] = 0;
        d.lowest[page] = 999;
        d.sflPage[page] = d.sflSize[page] = d.fields[page] = d.counted[page] = d.headingLines[page] = 0;
    }
    // A page shared by the main record and a browse list's control part
    // stays a control format.
    if (!(std::memcmp(d.formatKind[page], "SFLCTL", 6) == 0 && std::memcmp(d.kind, "RECORD", 6) == 0))
        std::memcpy(d.formatKind[page], d.kind, 6);
    ++d.fields[page];
    if (e.cCounted == 'Y')
        ++d.counted[page];
    if (page > d.formats)
        d.formats = page;
}

void P3111_WriteFieldRecord(LAYOUT_FIELD_ENTRY& e, int32_t page)
{
    Dialogue& d = Screen();
    if (page < 1 || page > kFormats)
        return;
    const int32_t number = ++*d.fieldCounter;
    e.lFieldNumber = number;
    const int32_t line = e.lLine, column = e.lColumn;
    if (e.cUsage != 'H') {
        e.lLine += d.lineOffset;
        if (d.mirror == 'Y')
            e.lColumn = d.width - e.lWidth - e.lColumn + 2;
    }
    GiveErrorIndicator(e, page);
    GiveConditionIndicator(e, page);
    PostEvent(DialogueEvent::FieldRecordWriting, &e);
    WriteEntryRecord(d, LAYOUT_KIND_RCDFLD, page, number, e);
    e.lLine = line;
    e.lColumn = column;
}

void P3111_WriteFormatRecords()
{
    Dialogue& d = Screen();
    const int32_t formats = d.formats;
    const bool noBrowse = dqov::text::TrimmedView(d.start.acBrowseList, 8).empty() ||
                          dqov::cmdparm::ParmText(*d.command, "BROWSELIST") == "*NONE";
    const bool multiPage = (formats > 1 && noBrowse) || formats >= 3;
    const bool screenCommand = d.commandName == "DISPLAY" || d.commandName == "REQUEST";
    const bool overlay = std::memcmp(d.start.acOptions[0], "*OVERLAY", 8) == 0 ||
                         std::memcmp(d.start.acOptions[0], "*NOREAD ", 8) == 0 ||
                         std::memcmp(d.start.acOptions[1], "*OVERLAY", 8) == 0 ||
                         std::memcmp(d.start.acOptions[1], "*NOREAD ", 8) == 0;
    char line[4];
    int32_t lineNumber = d.state->lLine;
    FIX_LongToDigits(&lineNumber, 4, line);
    if (screenCommand && overlay && multiPage) {
        IssueFinding(Msg::TooManyScreenFormats, std::string(line, 4));
        d.error = true;
        if (LAYOUT_FIELD_ENTRY* e = d.currentEntry())
            e->cFailed = 'Y';
    }
    if (d.ctx->cOption == 'G' && multiPage) {
        ++d.ctx->lMultiPageScreens;
        IssueFinding(Msg::ScreenMoreThanOnePage, std::string(line, 4));
    }
    if (formats < 1) {
        IssueFinding(Msg::NoScreenFormat, "");
        d.error = true;
        return;
    }
    if (CallbackPresent())
        return;
    for (int32_t f = 1; f <= formats; ++f) {
        RCDFMT_DATA fmt;
        std::memset(&fmt, ' ', sizeof fmt);
        std::memcpy(fmt.acFormat, d.formatName[f], 8);
        fmt.lFirstLine = d.lowest[f] + d.popTop + d.lineOffset;
        fmt.lLastLine = d.highest[f] + d.popTop + d.lineOffset;
        std::memcpy(fmt.acKind, d.formatKind[f], 6);
        fmt.lSubfilePage = d.sflPage[f];
        fmt.lSubfileSize = d.sflSize[f];
        fmt.lEntries = d.fields[f];
        fmt.lCounted = d.counted[f];
        fmt.lHeadingLines = d.headingLines[f];
        fmt.lConditions = d.slots[f].lCount;
        WriteFormatRecord(d, LAYOUT_KIND_RCDFMT, &fmt, sizeof fmt, LAYOUT_KIND_RCDFMTCO, f);
    }
}

}  // namespace layout::screen
