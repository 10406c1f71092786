// The lines of the screen's record formats: after fields were placed, the
// line ranges of each format are worked out again from the image, written
// into the RCDFMT records, the subfile's fields moved with its first line,
// and the subfile line repeated as a subfile page shows it. A moved or
// resized pop-up window takes its formats and subfile fields along.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>

namespace {

using namespace layout::design;

int32_t LineOfCell(int32_t cell)
{
    return std::max<int32_t>((cell + kScreenWidth - 1) / kScreenWidth, 1);
}

int32_t FirstAvailable()
{
    const ScreenDesign& s = ScreenStep();
    if (s.popUp)
        return s.firstInner;
    return s.title == 'Y' ? s.firstFree + 1 : s.firstFree;
}

int32_t LastAvailable()
{
    const ScreenDesign& s = ScreenStep();
    return s.popUp ? s.fourthLast : s.screenLines - 3;
}

// Updates the screen's RCDFMT records by a visitor on their data.
template <typename Change> void ChangeFormatRecords(Change change)
{
    ScreenDesign& s = ScreenStep();
    RecordKey(LAYOUT_KIND_RCDFMT, std::string(s.commandName, 10), CommandQualifier(), 3);
    for (P3097_ReadFirst(); s.last == '0'; P3097_ReadNext()) {
        RCDFMT_DATA d;
        std::memcpy(&d, s.record.acData, sizeof d);
        if (!change(d))
            continue;
        std::memcpy(s.record.acData, &d, sizeof d);
        P3097_UpdateRecord();
    }
}

// Adds d to the line of every placed RCDFLD record of a format.
void MoveFieldRecords(const char* format, int32_t d)
{
    ScreenDesign& s = ScreenStep();
    RecordKey(LAYOUT_KIND_RCDFLD, std::string(format, 8), {}, 2);
    for (P3097_ReadFirst(); s.last == '0'; P3097_ReadNext()) {
        LAYOUT_FIELD_ENTRY f;
        std::memcpy(&f, s.record.acData, sizeof f);
        if (f.lLine == 0)
            continue;
        f.lLine += d;
        std::memcpy(s.record.acData, &f, sizeof f);
        P3097_UpdateRecord();
    }
}

void MoveListCells(int32_t d)
{
    ScreenDesign& s = ScreenStep();
    struct Cell {
        int32_t cell;
        char c;
        int32_t owner;
    };
    std::vector<Cell> cells;
    for (int32_t cell = 1; cell <= s.size; ++cell)
        if (s.kinds[cell] == 'S') {
            cells.push_back({cell, s.chars[cell], s.owners[cell]});
            s.chars[cell] = ' ';
            s.kinds[cell] = ' ';
            s.owners[cell] = 0;
        }
    for (const Cell& c : cells) {
        const int32_t to = c.cell + d * s.width;
        if (to < 1 || to > s.size)
            continue;
        s.chars[to] = c.c;
        s.kinds[to] = 'S';
        s.owners[to] = c.owner;
    }
}

// Repeats the subfile's line images below themselves as often as one page
// shows them; the copies are texts, not fields.
void DrawSubfilePage(const ScreenFormat& control, const ScreenFormat& list)
{
    ScreenDesign& s = ScreenStep();
    P3097_ClearTextCells();
    const int32_t bottom = LastAvailable();
    const int32_t room = bottom + 1 - list.first;
    const int32_t recordLines = control.subfileLines - control.headingLines;
    if (room < 1 || recordLines < 1)
        return;
    const int32_t copies = std::min(room / recordLines, list.subfilePage) - 1;
    for (int32_t k = 1; k <= copies; ++k)
        for (int32_t line = list.first; line < list.first + recordLines; ++line)
            for (int32_t column = 1; column <= s.width; ++column) {
                const int32_t from = (line - 1) * s.width + column;
                const int32_t to = from + k * recordLines * s.width;
                if (from < 1 || to > s.size)
                    continue;
                s.chars[to] = s.chars[from];
                s.kinds[to] = 'T';
                s.owners[to] = 0;
            }
    if (copies < 1)
        return;
    const int32_t after = (list.first + (copies + 1) * recordLines - 1) * s.width + 1;
    if (after >= 1 && after <= s.size && s.chars[after] != '\0' && static_cast<unsigned char>(s.chars[after]) <= 31)
        s.chars[after] = '\0';
}

}  // namespace

extern "C" {

void P3097_SetFormatLines(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.selected < 1 || s.selected > static_cast<int32_t>(s.formats.size()))
        return;
    ScreenFormat& f = s.formats[static_cast<size_t>(s.selected - 1)];
    const bool control = std::memcmp(f.kind, "SFLCTL", 6) == 0 && s.selected < static_cast<int32_t>(s.formats.size());
    auto cells = [&](ScreenFormat& format) {
        format.firstCell = (format.first - 1) * s.width + 1;
        format.lastCell = format.last * s.width;
    };
    if (!control) {
        f.first = FirstAvailable();
        f.last = LastAvailable();
        cells(f);
        return;
    }
    ScreenFormat& list = s.formats[static_cast<size_t>(s.selected)];
    const int32_t minimum = f.headingLines == 0 && s.flag(45) == 'Y' ? 0 : f.headingLines + 1;
    const int32_t start = s.popUp ? (s.firstInner - 1) * s.width : s.title == 'Y' ? s.firstFree * s.width : 0;
    int32_t lastR = start, firstS = start, lastS = start;
    bool seenS = false;
    for (int32_t cell = 1; cell <= s.size; ++cell) {
        if (s.kinds[cell] == 'R')
            lastR = cell;
        if (s.kinds[cell] == 'S') {
            if (!seenS)
                firstS = cell;
            seenS = true;
            lastS = cell;
        }
    }
    f.subfileLines = std::max(LineOfCell(lastS - 1) - LineOfCell(firstS) + 1, minimum);
    f.first = FirstAvailable();
    f.last = LastAvailable() - f.subfileLines - 1;
    const int32_t previous = list.first;
    list.first = LineOfCell(lastR) + minimum + 1;
    list.last = list.first + f.subfileLines - minimum;
    ChangeFormatRecords([&](RCDFMT_DATA& d) {
        if (std::memcmp(d.acKind, "SFLCTL", 6) == 0 && std::memcmp(d.acFormat, f.name, 8) == 0) {
            d.lFirstLine = f.first;
            d.lLastLine = f.last;
            return true;
        }
        if (std::memcmp(d.acFormat, list.name, 8) == 0) {
            d.lFirstLine = list.first;
            d.lLastLine = list.last;
            return true;
        }
        return false;
    });
    const int32_t d = list.first - previous;
    if (d != 0) {
        MoveListCells(d);
        MoveFieldRecords(list.name, d);
    }
    DrawSubfilePage(f, list);
    cells(f);
    cells(list);
}

void P3097_MoveWindowFormats(void)
{
    ScreenDesign& s = ScreenStep();
    POP_UP_DATA before;
    std::memcpy(&before, s.popSaved, sizeof before);
    const POP_UP_DATA& after = PopUp();
    const int32_t d = after.lLine - before.lLine, h = after.lHeight - before.lHeight;
    if (d == 0 && h == 0)
        return;
    const ScreenFormat* current =
        s.selected >= 1 && s.selected <= static_cast<int32_t>(s.formats.size()) ? &s.formats[s.selected - 1] : nullptr;
    ChangeFormatRecords([&](RCDFMT_DATA& data) {
        const bool list = std::memcmp(data.acKind, "SFL   ", 6) == 0;
        if (!list && !(current && std::memcmp(data.acFormat, current->name, 8) == 0))
            return false;
        data.lFirstLine += d;
        data.lLastLine += d;
        if (list) {
            data.lSubfilePage += h;
            data.lSubfileSize += h;
            data.lLastLine += h;
        }
        return true;
    });
    if (current && std::memcmp(current->kind, "SFLCTL", 6) == 0 && s.selected < static_cast<int32_t>(s.formats.size()))
        MoveFieldRecords(s.formats[s.selected].name, d);
}

}  // extern "C"
