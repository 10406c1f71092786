// Screen field placement: the fit test over the occupancy map, fixed and
// automatic placement of the main record (DOWN and ACROSS), the browse
// list's control part and list line with its subfile page, and the sizing
// of a pop-up window.
#include "layout/auto/screen_state.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "params/fixed_text.h"

namespace layout::screen {

namespace {

struct Position {
    int32_t page = 0, line = 0, column = 0;
};

int32_t P3111_PositionToIndex(int32_t page, int32_t line, int32_t column)
{
    const Dialogue& d = Screen();
    return (page - 1) * d.pageSize + (line - 1) * d.width + column;
}

Position P3111_IndexToPosition(int32_t index)
{
    const Dialogue& d = Screen();
    Position p;
    if (d.pageSize <= 0 || d.width <= 0)
        return p;
    p.page = index / d.pageSize;
    const int32_t r = index % d.pageSize;
    if (r == 0) {
        p.line = d.lastLine;
        p.column = d.width;
        return p;
    }
    ++p.page;
    p.line = r / d.width + (r % d.width != 0 ? 1 : 0);
    p.column = r % d.width != 0 ? r % d.width : d.width;
    return p;
}

bool InArea(const Position& p)
{
    const Dialogue& d = Screen();
    return p.line >= d.firstLine && p.line <= d.lastLine && p.column >= d.firstColumn && p.column <= d.width;
}

bool ListLineKind()
{
    return std::memcmp(Screen().kind, "SFL   ", 6) == 0;
}

bool ControlKind()
{
    return std::memcmp(Screen().kind, "SFLCTL", 6) == 0;
}

// Width tested on line k (0-based) of an entry covering `lines` lines.
int32_t LineWidth(const LAYOUT_FIELD_ENTRY& e, int32_t k)
{
    if (ControlKind() || k == e.lLines - 1)
        return e.lWidth;
    return e.lIdentOffset + e.lHeadingWidth;
}

// Occupancy map: a placed entry's attribute positions hold zero, the
// positions between them kTaken; blank is free. The fit test asks only
// whether a position is taken, and a position marked zero after it was
// taken is no longer taken, so the map keeps one bit per position: taken
// or not.
constexpr char kTaken = 'X';

// The map of kOccupancy positions (1-based), kept from one layout to the
// next.
std::vector<uint64_t>& Occupancy()
{
    static std::vector<uint64_t> taken;
    return taken;
}

char Occupied(int32_t index)
{
    const std::vector<uint64_t>& taken = Occupancy();
    if (index < 1 || index > kOccupancy || taken.empty())
        return kTaken;
    const auto bit = static_cast<uint32_t>(index - 1);
    return (taken[bit / 64] >> (bit % 64) & 1) != 0 ? kTaken : ' ';
}

void Mark(int32_t index, char value)
{
    std::vector<uint64_t>& taken = Occupancy();
    if (index < 1 || index > kOccupancy || taken.empty())
        return;
    const auto bit = static_cast<uint32_t>(index - 1);
    const uint64_t mask = uint64_t{1} << (bit % 64);
    if (value == kTaken)
        taken[bit / 64] |= mask;
    else
        taken[bit / 64] &= ~mask;
}

// Result of the fit test of an entry at a position: that it fits, or the
// first reason it does not.
enum class Fit : char {
    Fits = 'K',           // fits on the line
    PastLineEnd = 'L',    // fits, but runs past the end of the line (PRC0081)
    PastPageEnd = 'F',    // its end lies on the next page (PRC0080)
    OutsideArea = 'P',    // start or end outside the usable area (PRC0080)
    Overlaps = 'V',       // a position is already taken (PRC0082)
    PastPageLimit = 'X',  // beyond the last page the layout may use (PRC0166)
};

// The fit test; the message of the result is left in the slot.
Fit P3111_cCheckFit(const LAYOUT_FIELD_ENTRY& e, int32_t page, int32_t line, int32_t column)
{
    Dialogue& d = Screen();
    const std::string name = EntryName(e);
    Fit result = Fit::Fits;
    const int32_t lines = std::max<int32_t>(e.lLines, 1);
    for (int32_t k = 0; k < lines; ++k) {
        const int32_t start = P3111_PositionToIndex(page, line + k, column) - 1;
        const Position s = P3111_IndexToPosition(start);
        if (s.page > d.pageLimit) {
            SetSlot(Msg::ScreenTooManyPages, name);
            return Fit::PastPageLimit;
        }
        if (s.page < 1 || s.page != page || !InArea(s)) {
            SetSlot(Msg::ScreenFieldOutsideArea, name);
            return Fit::OutsideArea;
        }
        const int32_t end = start + LineWidth(e, k) + 1;
        const Position t = P3111_IndexToPosition(end);
        if (t.page < 1 || t.page > d.pageLimit || !InArea(t)) {
            SetSlot(Msg::ScreenFieldOutsideArea, name);
            return Fit::OutsideArea;
        }
        if (t.page != page) {
            SetSlot(Msg::ScreenFieldOutsideArea, name);
            return Fit::PastPageEnd;
        }
        for (int32_t i = start; i <= end; ++i) {
            const char c = Occupied(i);
            if (c != ' ' && c != '\0') {
                SetSlot(Msg::ScreenFieldOverlaps, name);
                return Fit::Overlaps;
            }
        }
        if (P3111_IndexToPosition(end - 1).line != s.line) {
            SetSlot(Msg::ScreenFieldPastLineEnd, name);
            result = Fit::PastLineEnd;
        } else {
            result = Fit::Fits;
        }
    }
    return result;
}

std::vector<int32_t>& PlacedPages()
{
    static std::vector<int32_t> pages;
    return pages;
}

void P3111_ReservePositions(LAYOUT_FIELD_ENTRY& e, int32_t page, int32_t line, int32_t column)
{
    Dialogue& d = Screen();
    e.cPlaced = 'Y';
    P3111_AddFieldToFormat(e, page);
    if (ControlKind() && e.cIdentification == 'C' && e.cUsage != 'H' && e.cControlPart == 'Y') {
        int32_t headings = 0;
        for (int16_t w : e.asHeadingWidths)
            headings += w > 0 ? 1 : 0;
        d.headingLines[page] = std::max(d.headingLines[page], headings);
    }
    const int32_t lines = std::max<int32_t>(e.lLines, 1);
    for (int32_t k = 0; k < lines; ++k) {
        const int32_t start = P3111_PositionToIndex(page, line + k, column) - 1;
        const int32_t end = start + LineWidth(e, k) + 1;
        Mark(start, '\0');
        Mark(end, '\0');
        for (int32_t i = start + 1; i < end; ++i)
            Mark(i, kTaken);
        d.lowest[page] = std::min(d.lowest[page], P3111_IndexToPosition(start).line);
        const int32_t last = P3111_IndexToPosition(ListLineKind() ? end - 1 : end).line;
        d.highest[page] = std::max(d.highest[page], last);
    }
    const int32_t number = static_cast<int32_t>(&e - d.table.data()) + 1;
    if (number >= 1 && static_cast<size_t>(number) <= PlacedPages().size())
        PlacedPages()[static_cast<size_t>(number - 1)] = page;
    const int32_t ownLine = e.lLine, ownColumn = e.lColumn;
    e.lLine = line;
    e.lColumn = column;
    P3111_WriteFieldRecord(e, page);
    e.lLine = ownLine;
    e.lColumn = ownColumn;
}

void P3111_NewPage()
{
    Dialogue& d = Screen();
    ++d.page;
    d.line = 2;
    d.column = 2;
    d.newPage = true;
}

void P3111_NextLine()
{
    Dialogue& d = Screen();
    d.line += std::max<int32_t>(d.downSep, 1);
    d.newPage = false;
    if (d.line > d.lastLine) {
        P3111_NewPage();
        return;
    }
    d.column = 2;
}

// A separation of 0 columns still moves on by one, so a test that failed
// is never repeated at the same place.
void P3111_NextColumn()
{
    Dialogue& d = Screen();
    d.column += std::max<int32_t>(d.acrossSep, 1);
    d.newPage = false;
    if (d.column > d.width)
        P3111_NextLine();
}

void MoveTo(int32_t index)
{
    Dialogue& d = Screen();
    const int32_t before = d.page;
    const Position p = P3111_IndexToPosition(index);
    d.page = p.page;
    d.line = p.line;
    d.column = p.column;
    d.newPage = d.page != before;
}

void P3111_AdvanceAfterField(const LAYOUT_FIELD_ENTRY& e, int32_t page, int32_t line, int32_t column)
{
    Dialogue& d = Screen();
    const int32_t start = P3111_PositionToIndex(page, line, column) - 1;
    if (std::memcmp(d.design, "ACROSS", 6) == 0)
        MoveTo(start + e.lWidth + 1 + d.acrossSep);
    else
        MoveTo(start + std::max<int32_t>(d.downSep, 1) * d.width + 1);
}

void P3111_PlaceHiddenField(LAYOUT_FIELD_ENTRY& e)
{
    Dialogue& d = Screen();
    e.cPlaced = 'Y';
    P3111_AddFieldToFormat(e, d.page);
    const int32_t line = e.lLine, column = e.lColumn;
    e.lLine = e.lColumn = 0;
    P3111_WriteFieldRecord(e, d.page);
    e.lLine = line;
    e.lColumn = column;
}

bool ToHandle(const LAYOUT_FIELD_ENTRY& e, int32_t number)
{
    if (e.cFailed == 'Y')
        return false;
    if (e.cPlaced != 'Y')
        return true;
    // a *REPEAT field is placed once on every page
    return e.cRepeat == 'Y' && PlacedPages()[static_cast<size_t>(number - 1)] != Screen().page;
}

void Fail(LAYOUT_FIELD_ENTRY& e)
{
    P3111_IssueMessage('F');
    e.cFailed = 'Y';
    Screen().error = true;
}

void P3111_PlaceFixedFields()
{
    Dialogue& d = Screen();
    for (int32_t i = 1; i <= d.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Entry(i);
        if (!ToHandle(e, i) || (e.lLine == 0 && e.lColumn == 0))
            continue;
        d.current = i;
        if (e.cNewPage == 'Y') {
            e.cNewPage = 'N';
            P3111_NewPage();
            i = 0;
            continue;
        }
        if (e.lColumn == 0) {
            IssueFinding(Msg::ScreenFieldColumnZero, EntryName(e));
            e.cFailed = 'Y';
            d.error = true;
        }
        if (e.lLine == 0) {
            IssueFinding(Msg::ScreenFieldLineZero, EntryName(e));
            e.cFailed = 'Y';
            d.error = true;
        }
        const int32_t line = e.lLine - d.lineOffset;
        const Fit fit = P3111_cCheckFit(e, d.page, line, e.lColumn);
        if (fit == Fit::Fits && e.cFailed != 'Y') {
            P3111_ReservePositions(e, d.page, line, e.lColumn);
        } else if (fit == Fit::PastLineEnd && e.cFailed != 'Y' && d.commandName != "POP_UP" && d.singlePage != 'Y') {
            P3111_ReservePositions(e, d.page, line, e.lColumn);
            P3111_IssueMessage('W');
        } else if (fit != Fit::Fits && fit != Fit::PastLineEnd) {
            Fail(e);
        } else if (e.cFailed != 'Y') {
            Fail(e);
        }
    }
}

enum class Step { Next, Restart, Stop };

// Places one entry at the cursor; Restart when a new pass must begin.
Step PlaceAtCursor(LAYOUT_FIELD_ENTRY& e)
{
    Dialogue& d = Screen();
    for (;;) {
        const Fit fit = P3111_cCheckFit(e, d.page, d.line, d.column);
        const int32_t page = d.page, line = d.line, column = d.column;
        switch (fit) {
        case Fit::Fits:
            P3111_ReservePositions(e, page, line, column);
            P3111_AdvanceAfterField(e, page, line, column);
            if (d.page != page) {
                P3111_PlaceFixedFields();
                return Step::Restart;
            }
            return Step::Next;
        case Fit::OutsideArea:
        case Fit::Overlaps:
            P3111_NextColumn();
            if (d.page != page)
                return Step::Restart;
            continue;
        case Fit::PastPageEnd:
            if (e.lWidth + 2 >= d.pageSize) {
                Fail(e);
                return Step::Stop;
            }
            P3111_NewPage();
            return Step::Restart;
        case Fit::PastPageLimit: Fail(e); return Step::Stop;
        case Fit::PastLineEnd: break;  // below
        }
        if (e.lWidth + 2 < d.width) {
            if (e.cControlKind == 'D') {
                IssueFinding(Msg::DropDownRunsOver, EntryName(e));
                e.cFailed = 'Y';
                d.error = true;
                return Step::Stop;
            }
            P3111_NextLine();
            if (d.page != page)
                return Step::Restart;
            d.column = 2;
            continue;
        }
        const std::optional<Msg> stop = d.commandName == "POP_UP" ? Msg::FieldTooWideForPopUp
                                        : d.singlePage == 'Y'     ? Msg::FieldAsWideAsLine
                                        : e.cControlKind == 'D'   ? std::optional<Msg>(Msg::DropDownRunsOver)
                                                                  : std::nullopt;
        if (stop) {
            IssueFinding(*stop, EntryName(e));
            e.cFailed = 'Y';
            d.error = true;
            return Step::Stop;
        }
        P3111_ReservePositions(e, page, line, column);
        P3111_AdvanceAfterField(e, page, line, column);
        SetSlot(Msg::ScreenFieldPastLineEnd, EntryName(e));
        P3111_IssueMessage('W');
        return d.page != page ? Step::Restart : Step::Next;
    }
}

void PlaceAutomatically()
{
    Dialogue& d = Screen();
    while (!d.error) {
        bool restart = false, handled = false;
        const int32_t pageBefore = d.page;
        for (int32_t i = 1; i <= d.count && !restart && !d.error; ++i) {
            LAYOUT_FIELD_ENTRY& e = Entry(i);
            if (!ToHandle(e, i) || e.lLine != 0 || e.lColumn != 0)
                continue;
            handled = true;
            d.current = i;
            if (e.cNewPage == 'Y') {
                e.cNewPage = 'N';
                P3111_NewPage();
                P3111_PlaceFixedFields();
                restart = true;
                break;
            }
            if (e.cUsage == 'H') {
                P3111_PlaceHiddenField(e);
                continue;
            }
            Step step = PlaceAtCursor(e);
            if (step == Step::Stop)
                return;
            restart = step == Step::Restart;
        }
        if (restart)
            continue;
        if (!handled && d.newPage && d.page > 1 && d.page != pageBefore)
            d.page = pageBefore;
        break;
    }
}

}  // namespace

void P3111_ClearOccupancy()
{
    std::vector<uint64_t>& taken = Occupancy();
    taken.assign((static_cast<size_t>(kOccupancy) + 63) / 64, 0);
}

void P3111_LayoutMainRecord()
{
    Dialogue& d = Screen();
    std::fill(std::begin(d.pushButtons), std::end(d.pushButtons), 0);
    d.error = false;
    PlacedPages().assign(static_cast<size_t>(d.capacity), 0);
    P3111_LoadTextMaps();
    for (int32_t i = 1; i <= d.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Entry(i);
        d.current = i;
        const std::string text(e.acEditMask, 132);
        const int32_t line = e.lLine - d.lineOffset;
        const Fit fit = P3111_cCheckFit(e, d.page, line, e.lColumn);
        if (fit == Fit::Fits) {
            P3111_ReservePositions(e, d.page, line, e.lColumn);
            continue;
        }
        if (fit == Fit::PastLineEnd && d.commandName != "POP_UP" && d.singlePage != 'Y') {
            P3111_ReservePositions(e, d.page, line, e.lColumn);
            continue;
        }
        IssueFinding(fit == Fit::PastLineEnd && d.singlePage == 'Y' && d.commandName != "POP_UP"
                         ? Msg::ScreenTextRunsOver
                         : Msg::ScreenTextNotPlaced,
                     text);
        d.error = true;
    }
    d.page = 1;
    d.line = d.firstLine + 1;
    d.column = d.firstColumn + 1;
    char group[10];
    dqov::text::Pad(group, 10, dqov::cmdparm::ParmText(*d.command, "@GROUPNAME"));
    P3111_LoadFieldGroup(group);
    PlacedPages().assign(static_cast<size_t>(d.capacity), 0);
    if (!d.error) {
        P3111_PlaceFixedFields();
        PlaceAutomatically();
    }
    P3111_CheckPushButtonNumbers();
}

void P3111_LayoutBrowseList()
{
    Dialogue& d = Screen();
    const std::string browse = dqov::cmdparm::ParmText(*d.command, "BROWSELIST");
    if (d.error || browse.empty() || browse == "*NONE")
        return;
    dqov::text::Pad(d.design, 10, "ACROSS");
    d.identify = 'C';
    d.acrossSep = dqov::cmdparm::ParmNumber(*d.command, "ACROSS_SEP");
    d.downSep = 1;
    std::memcpy(d.kind, "SFLCTL", 6);
    d.kindLetter = 'C';
    char group[10];
    dqov::text::Pad(group, 10, browse);
    P3111_LoadFieldGroup(group);
    PlacedPages().assign(static_cast<size_t>(d.capacity), 0);
    if (d.error)
        return;
    // heading depth over the entries that fit on one line
    int32_t depth = 0, sum = 0, previousColumn = 0;
    bool first = true;
    for (int32_t i = 1; i <= d.count; ++i) {
        const LAYOUT_FIELD_ENTRY& e = Entry(i);
        if (e.cUsage == 'H')
            continue;
        sum += e.lWidth + 1;
        if (!first && (sum > d.width || (e.lColumn != 0 && e.lColumn < previousColumn)))
            break;
        depth = std::max(depth, e.lLines);
        previousColumn = e.lColumn != 0 ? e.lColumn : previousColumn;
        first = false;
    }
    if (d.formats == 0) {
        d.page = 1;
        d.line = 2;
        d.column = 2;
        d.newPage = true;
    } else {
        const int32_t top = d.highest[d.formats];
        const bool tight = d.noFrame == 'Y' && depth == 1;
        const int32_t needed = top + depth + (tight ? 1 : 2);
        d.page = d.formats;
        if (needed <= d.lastLine) {
            d.line = top + (tight ? 1 : 2);
            d.column = 2;
            d.newPage = false;
        } else {
            P3111_NewPage();
        }
    }
    const int32_t controlPage = d.page, controlLine = d.line;
    for (int32_t i = 1, placed = 0; i <= d.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Entry(i);
        if (e.cUsage == 'H')
            continue;
        d.current = i;
        if (e.lColumn != 0) {
            if (e.lColumn < d.column)
                P3111_NextLine();
            d.column = e.lColumn;
        }
        if (d.page != controlPage || d.line > controlLine)
            break;
        const Fit fit = P3111_cCheckFit(e, d.page, d.line, d.column);
        if (fit != Fit::Fits && !(fit == Fit::PastLineEnd && placed == 0))
            break;
        const int32_t page = d.page, line = d.line, column = d.column;
        P3111_ReservePositions(e, page, line, column);
        P3111_AdvanceAfterField(e, page, line, column);
        ++placed;
    }
    PostEvent(DialogueEvent::ControlPartPlaced, nullptr, 0, controlLine, controlPage);
    // the list line
    d.identify = 'L';
    std::memcpy(d.kind, "SFL   ", 6);
    for (int32_t i = 1; i <= d.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Entry(i);
        if (e.cPlaced == 'Y') {
            e.cIdentification = 'N';
            e.cHeadingInControl = 'Y';
            e.lIdentOffset = 0;
        } else {
            e.cIdentification = 'L';
            SetEntryOffsets(e);
        }
        e.cPlaced = 'N';
        e.lLines = 1;
        e.cControlPart = 'N';
    }
    const int32_t listPage = controlPage + 1;
    d.page = listPage;
    d.line = controlLine + d.headingLines[controlPage];
    d.column = 2;
    for (int32_t i = 1; i <= d.count && !d.error; ++i) {
        LAYOUT_FIELD_ENTRY& e = Entry(i);
        if (e.cPlaced == 'Y')
            continue;
        d.current = i;
        if (e.cUsage == 'H') {
            P3111_PlaceHiddenField(e);
            continue;
        }
        if (e.cControlKind != 'N') {
            IssueFinding(Msg::ControlInBrowseList, EntryName(e));
            d.error = true;
            return;
        }
        if (e.lColumn != 0) {
            if (e.lColumn < d.column)
                P3111_NextLine();
            d.column = e.lColumn;
        }
        for (;;) {
            if (d.page != listPage) {
                IssueFinding(Msg::BrowseFieldOffListPage, EntryName(e));
                d.error = true;
                return;
            }
            const Fit fit = P3111_cCheckFit(e, d.page, d.line, d.column);
            const int32_t page = d.page, line = d.line, column = d.column;
            if (fit == Fit::Fits) {
                P3111_ReservePositions(e, page, line, column);
                P3111_AdvanceAfterField(e, page, line, column);
                break;
            }
            if (fit == Fit::PastLineEnd) {
                if (e.lWidth + 2 < d.width) {
                    P3111_NextLine();
                    continue;
                }
                const std::optional<Msg> stop = d.commandName == "POP_UP" ? Msg::FieldTooWideForPopUp
                                                : d.singlePage == 'Y'     ? std::optional<Msg>(Msg::FieldAsWideAsLine)
                                                                          : std::nullopt;
                if (stop) {
                    IssueFinding(*stop, EntryName(e));
                    d.error = true;
                    return;
                }
                P3111_ReservePositions(e, page, line, column);
                P3111_AdvanceAfterField(e, page, line, column);
                SetSlot(Msg::ScreenFieldPastLineEnd, EntryName(e));
                P3111_IssueMessage('W');
                break;
            }
            if (fit == Fit::PastPageEnd)
                P3111_NewPage();
            else
                P3111_NextColumn();
        }
    }
    if (d.error || d.highest[listPage] < d.lowest[listPage])
        return;
    const int32_t h = d.highest[listPage] - d.lowest[listPage] + 1;
    const int32_t free = d.lastLine - d.lowest[listPage] + 1;
    int32_t size = h > 0 ? free / h : 0;
    const int32_t limit = dqov::cmdparm::ParmNumber(*d.command, "BROWSELIST", 1);
    if ((d.commandName == "DISPLAY" || d.commandName == "REQUEST") && limit > 0 && limit < size)
        size = limit;
    d.sflPage[listPage] = size;
    d.sflSize[listPage] = size + 1;
    PostEvent(DialogueEvent::SubfilePageSized, nullptr, 0, 0, 0, size);
}

}  // namespace layout::screen
