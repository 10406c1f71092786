/*
** panel_records.cpp: the web records of a function's panels made from the
** panels' layout records.
**
** The display emitter describes each panel while it emits its code; a
** panel it has described has its WEBPNL record. Every other panel of the
** function is described here, after generation, from what the automatic
** layout left: the RCDFMT records of the screen command (one per format),
** their RCDFLD records, the POP_UP record of a window, and the command's
** PANEL_TITL and BROWSELIST parameters. The calls and the values given to
** the writers follow the emitter's: the first format's texts, then every
** field (a browse list's columns after its WEBLST record), the WEBPNL record
** and the flush.
*/
#include "web/pages/web_records.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "checker/params/parsed_command.h"
#include "dqov/definitions.h"
#include "dqov/fix.h"
#include "dqov/record_store.h"
#include "web/pages/page_common.h"

namespace {

using web_pages::As;
using web_pages::ReadRecords;

constexpr uint16_t kSlot = 0;

/* One screen command: its number and sequence, name and formats. */
struct ScreenCommand {
    int32_t lNumber = 0, lSequence = 0;
    std::string name;
    std::vector<RCDFMT_DATA> formats;
};

std::vector<ScreenCommand> screenCommands(FFC_CONTEXT* ctx)
{
    std::vector<ScreenCommand> commands;
    for (const FFC_WORK_RECORD& r : ReadRecords(ctx, kSlot, LAYOUT_KIND_RCDFMT)) {
        int32_t number = 0, sequence = 0;
        FIX_lDigitsToLong(r.acQualifier, 4, &number);
        FIX_lDigitsToLong(r.acQualifier + 4, 4, &sequence);
        auto it = std::find_if(commands.begin(), commands.end(), [&](const ScreenCommand& c) {
            return c.lNumber == number && c.lSequence == sequence;
        });
        if (it == commands.end()) {
            ScreenCommand c;
            c.lNumber = number;
            c.lSequence = sequence;
            c.name = web_pages::FieldText(r.acName, 10);
            commands.push_back(c);
            it = commands.end() - 1;
        }
        RCDFMT_DATA format;
        std::memcpy(&format, r.acData, sizeof format);
        it->formats.push_back(format);
    }
    std::sort(commands.begin(), commands.end(), [](const ScreenCommand& a, const ScreenCommand& b) {
        return a.lNumber != b.lNumber ? a.lNumber < b.lNumber : a.lSequence < b.lSequence;
    });
    return commands;
}

bool described(FFC_CONTEXT* ctx, const ScreenCommand& c)
{
    char key[8];
    FIX_LongToDigits(&c.lNumber, 4, key);
    FIX_LongToDigits(&c.lSequence, 4, key + 4);
    return !ReadRecords(ctx, kSlot, WEB_KIND_WEBPNL, std::string_view(key, 8)).empty();
}

/* The command's PANEL_TITL (40 characters) and BROWSELIST list name (10). */
void commandValues(FFC_CONTEXT* ctx, const ScreenCommand& c, std::string& title, std::string& list)
{
    title = web_pages::Padded("*FUNCTION", 40);
    list.clear();
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    std::memset(parsed.get(), 0, sizeof *parsed);
    parsed->sLine = static_cast<int16_t>(c.lNumber);
    parsed->sSubLine = static_cast<int16_t>(c.lSequence);
    if (RS_fFindCommandRecord(ctx, parsed.get(), sizeof *parsed) != 0)
        return;
    if (const std::string t = dqov::cmdparm::ParmText(*parsed, "PANEL_TITL"); !t.empty())
        title = web_pages::Padded(t, 40);
    const std::string l = dqov::cmdparm::ParmText(*parsed, "BROWSELIST");
    if (!l.empty() && l != "*NONE")
        list = web_pages::Padded(l, 10);
}

/* The row and column offsets of a window: its first line and column less 1. */
void windowOffsets(FFC_CONTEXT* ctx, const ScreenCommand& c, int32_t& rows, int32_t& columns)
{
    rows = columns = 0;
    if (c.name != "POP_UP")
        return;
    char line[15], sequence[15];
    FIX_LongToDigits(&c.lNumber, 15, line);
    FIX_LongToDigits(&c.lSequence, 15, sequence);
    for (const FFC_WORK_RECORD& r : ReadRecords(ctx, kSlot, LAYOUT_KIND_POP_UP)) {
        if (std::memcmp(r.acName, line, 15) != 0 || std::memcmp(r.acName + 15, sequence, 15) != 0)
            continue;
        POP_UP_DATA window;
        std::memcpy(&window, r.acData, sizeof window);
        rows = window.lLine - 1;
        columns = window.lColumn - 1;
        return;
    }
}

std::vector<LAYOUT_FIELD_ENTRY> formatEntries(FFC_CONTEXT* ctx, const RCDFMT_DATA& format)
{
    std::vector<LAYOUT_FIELD_ENTRY> entries;
    for (const FFC_WORK_RECORD& r : ReadRecords(ctx, kSlot, LAYOUT_KIND_RCDFLD, std::string_view(format.acFormat, 8))) {
        LAYOUT_FIELD_ENTRY e;
        std::memcpy(&e, r.acData, sizeof e);
        entries.push_back(e);
    }
    return entries;
}

bool isList(const RCDFMT_DATA& format) { return std::memcmp(format.acKind, "SFL   ", 6) == 0; }

bool blank(const char* text, size_t width) { return P3108_fIsAllBlank(text, static_cast<int16_t>(width)); }

/* The field's attribute codes from its definition; the text lengths are the
** widths of the field's text places. */
P3108_FIELD_DEFINITION fieldDefinition(FFC_CONTEXT* ctx, const LAYOUT_FIELD_ENTRY& e)
{
    P3108_FIELD_DEFINITION d;
    std::memset(d.acInputAttributes, ' ', sizeof d.acInputAttributes);
    std::memset(d.acOutputAttributes, ' ', sizeof d.acOutputAttributes);
    d.sLabelLength = sizeof e.acLabel;
    d.sHeadingLength = sizeof e.acHeadings[0];
    d.sDescriptionLength = sizeof e.acDescription;
    FFC_FIELD_DEFINITION def;
    std::memset(&def, ' ', sizeof def);
    std::memcpy(def.acName, e.acName, sizeof def.acName);
    char local = 'N';
    if (Get_Function_Field(ctx, &local, &def, nullptr, nullptr) != '0')
        return d;
    std::memcpy(d.acInputAttributes, def.input.acCodes, std::min<size_t>(def.input.usLength, 40));
    std::memcpy(d.acOutputAttributes, def.output.acCodes, std::min<size_t>(def.output.usLength, 40));
    return d;
}

/* Which of the field's texts get text ids: the label always (in a window
** only when not blank), each heading that is not blank (texts of the server
** web job for a browse-list column not identified by headings), the
** description when the panel has descriptions or it is not blank. */
void textFlags(const LAYOUT_FIELD_ENTRY& e, bool listColumn, bool window, bool descriptions, uint16_t flags[5])
{
    std::fill(flags, flags + 5, P3108_NO_TEXT_ID);
    if (e.cUsage1 == 'H' || e.cUsage == 'H')
        return;
    flags[0] = !window || !blank(e.acLabel, 15) ? P3108_TEXT_ID : P3108_NO_TEXT_ID;
    const uint16_t heading = listColumn && e.cIdentification != 'C' ? P3108_WEB_JOB_TEXT_ID : P3108_TEXT_ID;
    for (int k = 0; k < 3; ++k)
        flags[k + 1] = blank(e.acHeadings[k], 20) ? P3108_NO_TEXT_ID : heading;
    flags[4] = descriptions || !blank(e.acDescription, 40) ? P3108_TEXT_ID : P3108_NO_TEXT_ID;
}

/* The positions of the field's identification: the headings one below the
** other from the field's row (in a browse list above the list line), a
** description at the field, a label at its label offset. */
void textPositions(const LAYOUT_FIELD_ENTRY& e, bool listColumn, int16_t rows[3], int16_t columns[3])
{
    std::fill(rows, rows + 3, int16_t{0});
    std::fill(columns, columns + 3, int16_t{0});
    if (e.cUsage == 'H')
        return;
    const int16_t row = static_cast<int16_t>(e.lLine), column = static_cast<int16_t>(e.lColumn);
    switch (e.cIdentification) {
    case 'C':
        for (int k = 0, present = 0; k < 3; ++k) {
            if (blank(e.acHeadings[k], 20))
                continue;
            rows[k] = static_cast<int16_t>(listColumn ? row + k - 3 : row + present++);
            columns[k] = static_cast<int16_t>(e.lIdentOffset + column);
        }
        break;
    case 'D':
        if (e.lDescriptionWidth != 0) {
            rows[0] = row;
            columns[0] = column;
        }
        break;
    case 'L':
        if (e.lLabelWidth != 0) {
            rows[0] = row;
            columns[0] = static_cast<int16_t>(e.lIdentOffset + column);
        }
        break;
    default: break;
    }
}

void describePanel(FFC_CONTEXT* ctx, const ScreenCommand& c, int16_t panel, uint32_t& textPosition)
{
    const int16_t number = static_cast<int16_t>(c.lNumber), sequence = static_cast<int16_t>(c.lSequence);
    const bool window = c.name == "POP_UP";
    std::string title, list;
    commandValues(ctx, c, title, list);
    int32_t rowOffset = 0, columnOffset = 0;
    windowOffsets(ctx, c, rowOffset, columnOffset);
    auto place = [&](LAYOUT_FIELD_ENTRY& e) {
        if (e.lLine != 0)
            e.lLine += rowOffset;
        if (e.lColumn != 0)
            e.lColumn += columnOffset;
    };

    std::vector<std::vector<LAYOUT_FIELD_ENTRY>> formats;
    bool descriptions = false;
    for (const RCDFMT_DATA& format : c.formats) {
        formats.push_back(formatEntries(ctx, format));
        if (isList(format))
            continue;
        for (const LAYOUT_FIELD_ENTRY& e : formats.back())
            descriptions = descriptions || (e.cType != 'T' && !blank(e.acDescription, 40));
    }

    P3108_StartPendingWebRecords(ctx, P3108_usNextTextId(), &textPosition);
    if (!formats.empty()) {
        for (LAYOUT_FIELD_ENTRY e : formats.front()) {
            if (e.cType != 'T')
                continue;
            place(e);
            P3108_WriteWebtxtRecord(ctx, number, sequence, e.lLine, e.lColumn, e.acEditMask, sizeof e.acEditMask);
        }
    }
    std::map<std::string, LAYOUT_FIELD_ENTRY> controlPart;
    bool listStarted = false;
    int32_t lastRow = 0;
    for (size_t f = 0; f < formats.size(); ++f) {
        const bool listFormat = isList(c.formats[f]);
        for (LAYOUT_FIELD_ENTRY e : formats[f]) {
            if (e.cType == 'T')
                continue;
            place(e);
            const std::string name(e.acName, sizeof e.acName);
            if (!listFormat && e.cControlPart == 'Y') {
                controlPart[name] = e;
                continue;
            }
            if (f > 0 && e.cUsage != 'H' && e.lLine < lastRow)
                e.lLine = lastRow + 1;
            /* a list column without identification of its own takes that of
               its heading in the control part */
            const bool fromControl = listFormat && e.cIdentification == 'N' && controlPart.count(name) > 0;
            const LAYOUT_FIELD_ENTRY& identified = fromControl ? controlPart[name] : e;
            uint16_t flags[5];
            int16_t rows[3], columns[3];
            textFlags(e, listFormat, window, descriptions, flags);
            textPositions(identified, listFormat && !fromControl, rows, columns);
            const P3108_FIELD_DEFINITION definition = fieldDefinition(ctx, e);
            if (listFormat && !listStarted && !list.empty()) {
                P3108_WriteWeblstRecord(ctx, number, sequence, list.c_str());
                listStarted = true;
            }
            P3108_WriteWeblsdWebdtaRecords(ctx, listFormat ? 1 : 0, number, sequence, &e, &definition, rows, columns,
                                           flags);
            if (e.cUsage != 'H')
                lastRow = e.lLine;
        }
    }
    const bool titleText = std::memcmp(title.data(), "*MTXT", 5) == 0 ||
                           (window && std::memcmp(title.data(), "*FUNCTION", 9) == 0);
    P3108_WriteWebpnlRecord(ctx, number, sequence, c.name.empty() ? 'D' : c.name[0], title.c_str(), panel,
                            titleText ? 1 : 0);
    P3108_FlushPendingWebRecords(ctx, descriptions ? 1 : 0, window ? 1 : 0);
}

} // namespace

void P3108_WritePanelRecordsFromLayout(FFC_CONTEXT* pContext)
{
    std::string flags;
    if (!pContext || !web_pages::ReadSystemFlags(pContext, flags) ||
        (flags[web_pages::kFlagHtmlPages] != 'Y' && flags[web_pages::kFlagXmlPages] != 'Y'))
        return;
    uint32_t textPosition = 0;
    P3108_StartPendingWebRecords(pContext, 1, &textPosition);
    int16_t panel = 0;
    for (const ScreenCommand& c : screenCommands(pContext)) {
        ++panel;
        if (!described(pContext, c))
            describePanel(pContext, c, panel, textPosition);
    }
}
