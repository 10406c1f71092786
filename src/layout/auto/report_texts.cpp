// Report text items: the texts of a report line, from its stored text map
// or from the command's own texts.
#include "layout/auto/report_state.h"

#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "layout/auto/layout_text.h"
#include "layout/auto/text_maps.h"
#include "params/fixed_text.h"

namespace layout::report {

namespace {

constexpr int32_t kTexts = 50;

void AddTextItem(const std::string& text, int width, int32_t line, int32_t column)
{
    Report& r = Rpt();
    if (r.count >= kEntries)
        return;
    r.current = ++r.count;
    LAYOUT_FIELD_ENTRY& e = Item(r.count);
    std::memset(&e, 0, sizeof e);
    int32_t number = r.count;
    std::memcpy(e.acName, "TEXT", 4);
    FIX_LongToDigits(&number, 6, e.acName + 4);
    e.cType = 'T';
    dqov::text::Pad(e.acEditMask, sizeof e.acEditMask, text);
    e.lLength = e.lValueWidth = e.lWidth = P3111_usDisplayLength(r.ctx, e.acEditMask, width, r.adjTexts);
    std::memset(e.acLabel, ' ', sizeof e.acLabel);
    std::memset(e.acHeadings, ' ', sizeof e.acHeadings);
    e.cEditCode = ' ';
    std::memset(e.acEditWord, ' ', sizeof e.acEditWord);
    std::memcpy(e.acDisplayText, e.acEditMask, sizeof e.acDisplayText);
    P3111_AdjustDbcsText(r.ctx, e.acEditMask, sizeof e.acEditMask, r.adjTexts);
    e.cIdentification = 'N';
    e.lLine = line;
    e.lColumn = column;
    e.lLines = 1;
    e.cFailed = e.cPlaced = e.cOnChange = e.cFieldEntry = 'N';
    e.cRepeat = e.cControlPart = e.cCounted = e.cHeadingInControl = e.cNewPage = 'N';
    e.cUsage = 'O';
    std::memset(e.acInputFlags, '0', 60);
    std::memset(e.acErrorIndicator, ' ', 2);
    std::memset(e.acListName, ' ', sizeof e.acListName);
    std::memset(e.acSavedName, ' ', sizeof e.acSavedName);
    std::memset(e.acCondition, ' ', 12);
    PostEvent(ReportEvent::TextItemCreated, &e);
}

}  // namespace

void P3116_LoadTextMaps()
{
    Report& r = Rpt();
    r.count = 0;
    const std::string first = dqov::cmdparm::ParmText(*r.command, "TEXTS", 0, 0);
    if (first.compare(0, 5, "*TMAP") == 0) {
        ReadTextMap(
            r.ctx, r.state, first.substr(0, std::min<size_t>(first.size(), 10)), TextMapReader::Report,
            [&] { return r.count < kTexts; },
            [&](const std::string& row) {
                if (row.size() < 126 || !DigitsAt(row, 120, 6))
                    return;
                int32_t line = 0, column = 0;
                FIX_lDigitsToLong(row.data() + 120, 3, &line);
                FIX_lDigitsToLong(row.data() + 123, 3, &column);
                AddTextItem(row.substr(0, 120), 120, line, column);
            });
        return;
    }
    for (int32_t i = 0; i < kTexts; ++i) {
        const std::string text = dqov::cmdparm::ParmText(*r.command, "TEXTS", 0, i);
        const int32_t line = dqov::cmdparm::ParmNumber(*r.command, "TEXTS", 1, i);
        const int32_t column = dqov::cmdparm::ParmNumber(*r.command, "TEXTS", 2, i);
        if (text.empty() || line == 0 || column == 0)
            continue;
        AddTextItem(text, 20, line, column);
    }
}

}  // namespace layout::report
