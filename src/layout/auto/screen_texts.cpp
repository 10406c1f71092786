// Screen texts: the text entries of a screen, from its stored text map or
// from the command's own texts.
#include "layout/auto/screen_state.h"

#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "layout/auto/layout_text.h"
#include "layout/auto/text_maps.h"
#include "params/fixed_text.h"

namespace layout::screen {

namespace {

constexpr int32_t kTexts = 50;

// One text entry at (line, column); flags: the 14 stored attribute flags,
// or null for a command text.
void AddTextEntry(const std::string& text, int width, int32_t line, int32_t column, const char* flags)
{
    Dialogue& d = Screen();
    LAYOUT_FIELD_ENTRY* next = NextEntry();
    if (!next)
        return;
    LAYOUT_FIELD_ENTRY& e = *next;
    std::memset(&e, 0, sizeof e);
    int32_t number = d.count;
    std::memcpy(e.acName, "TEXT", 4);
    FIX_LongToDigits(&number, 6, e.acName + 4);
    e.cType = 'T';
    dqov::text::Pad(e.acEditMask, sizeof e.acEditMask, text);
    e.lLength = P3111_usDisplayLength(d.ctx, e.acEditMask, width, d.adjTexts);
    e.lValueWidth = e.lWidth = e.lLength;
    std::memset(e.acLabel, ' ', sizeof e.acLabel);
    std::memset(e.acHeadings, ' ', sizeof e.acHeadings);
    e.cEditCode = ' ';
    std::memset(e.acEditWord, ' ', sizeof e.acEditWord);
    std::memcpy(e.acDisplayText, e.acEditMask, sizeof e.acDisplayText);
    P3111_AdjustDbcsText(d.ctx, e.acEditMask, sizeof e.acEditMask, d.adjTexts);
    e.cIdentification = 'N';
    e.lLine = line;
    e.lColumn = column;
    e.cFailed = e.cRepeat = e.cPlaced = e.cControlPart = e.cCounted = 'N';
    e.cHeadingInControl = e.cNewPage = e.cFieldEntry = 'N';
    e.lLines = 1;
    e.cUsage = e.cUsage1 = e.cUsage2 = 'O';
    if (flags) {
        std::memcpy(e.acInputFlags, flags, 14);
    } else {
        e.acInputFlags[0] = 'Y';
        std::memset(e.acInputFlags + 1, 'N', 29);
    }
    std::memset(e.acOutputFlags, '0', 30);
    std::memset(e.acErrorIndicator, ' ', 2);
    std::memset(e.acListName, ' ', sizeof e.acListName);
    std::memset(e.acCondition, ' ', 16);
    e.cInOutCond = 'N';
    e.cControlKind = 'N';
    e.sPushButton = 0;
    PostEvent(DialogueEvent::TextEntryCreated, &e);
}

}  // namespace

void P3111_LoadTextMaps()
{
    Dialogue& d = Screen();
    d.count = 0;
    const std::string first = dqov::cmdparm::ParmText(*d.command, "TEXTS", 0, 0);
    if (first.compare(0, 5, "*TMAP") == 0) {
        const std::string name = first.substr(0, std::min<size_t>(first.size(), 10));
        ReadTextMap(
            d.ctx, d.state, name, TextMapReader::Screen, [&] { return d.count < kTexts; },
            [&](const std::string& row) {
                if (row.size() < 86 || !DigitsAt(row, 80, 6))
                    return;
                int32_t line = 0, column = 0;
                FIX_lDigitsToLong(row.data() + 80, 3, &line);
                FIX_lDigitsToLong(row.data() + 83, 3, &column);
                char flags[14];
                std::memset(flags, 'N', sizeof flags);
                std::memcpy(flags, row.data() + 86, std::min<size_t>(row.size() - 86, 14));
                AddTextEntry(row.substr(0, 80), 80, line, column, flags);
            });
        return;
    }
    /* the command and its TEXTS parameter found once for the fifty entries,
       not by name for each element read */
    const auto [ci, pi] = dqov::cmdparm::CommandParam(*d.command, "TEXTS");
    for (int32_t i = 0; i < kTexts; ++i) {
        const int32_t line = dqov::cmdparm::ParmNumberOf(*d.command, ci, pi, 1, i);
        if (line == 0)
            continue;
        const int32_t column = dqov::cmdparm::ParmNumberOf(*d.command, ci, pi, 2, i);
        if (column == 0)
            continue;
        const std::string text = dqov::cmdparm::ParmTextOf(*d.command, ci, pi, 0, i);
        if (text.empty())
            continue;
        AddTextEntry(text, 20, line, column, nullptr);
    }
}

}  // namespace layout::screen
