// The page of the report line being designed: the field table of every
// printed piece of the chosen lines, one 400-column image per report line
// in six section work lists, the order of the body lines, and the 80 by 24
// window of the page that goes to the painter.
#include "layout/design/report_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/workfile.h"

namespace layout::design {

namespace {

constexpr uint16_t kSlot = 9;

bool Is(const char* section, const char* code)
{
    return std::memcmp(section, code, 3) == 0;
}

bool RowBefore(const FieldRow& a, const FieldRow& b)
{
    if (int c = std::memcmp(a.section, b.section, 4); c != 0)
        return c < 0;
    if (a.command != b.command)
        return a.command < b.command;
    if (a.line != b.line)
        return a.line < b.line;
    if (a.column != b.column)
        return a.column < b.column;
    if (a.entry != b.entry)
        return a.entry < b.entry;
    return a.part[0] < b.part[0];
}

const ChosenLine* ChosenOf(int32_t command)
{
    for (const ChosenLine& c : ReportStep().chosen)
        if (c.number == command)
            return &c;
    return nullptr;
}

bool AddRow(const ChosenLine& line, int32_t entry, int32_t at, char part)
{
    ReportDesign& s = ReportStep();
    if (s.rowCount >= kReportRows)
        return false;
    FieldRow& row = s.rows[++s.rowCount];
    std::memcpy(row.section, line.section, 3);
    row.section[3] = ' ';
    row.command = line.number;
    row.line = at;
    row.column = ReportField(entry).lColumn;
    row.entry = entry;
    std::memset(row.part, ' ', sizeof row.part);
    row.part[0] = part;
    return true;
}

void ClearElement(SectionEntry& e)
{
    std::memset(&e, 0, sizeof e);
    std::memset(e.text, ' ', sizeof e.text);
    std::memset(e.section, ' ', sizeof e.section);
    e.inUse = 'N';
}

// Puts a piece into a line element: columns beyond 400 are dropped.
void PutPiece(SectionEntry& element, const char* text, int32_t length, int32_t start, int32_t maximum, int16_t row)
{
    for (int32_t i = 0; i < std::min(length, maximum); ++i) {
        const int32_t column = start + i;
        if (column < 1 || column > kLineColumns)
            continue;
        element.text[column - 1] = text[i];
        element.owners[column - 1] = row;
    }
}

int32_t Kind(const char* section)
{
    return Is(section, "LED") ? 1 : Is(section, "DET") ? 2 : 3;
}

uint16_t Append(const char* section, const SectionEntry& entry)
{
    uint16_t number = 0, length = sizeof entry;
    QVRMM_sPutEntry(ReportStep().ctx, SectionList(section), &number, &entry, &length);
    return number;
}

void FileElements(const char* section, int32_t repeat)
{
    ReportDesign& s = ReportStep();
    for (int k = 0; k < 4; ++k) {
        SectionEntry& e = s.elements[k];
        if (e.inUse != 'Y')
            continue;
        const uint16_t number = Append(e.section, e);
        if (k == 0 && BodySection(section))
            for (int32_t rep = 1; rep <= s.bodyRepeat; ++rep)
                for (int32_t copy = 1; copy <= repeat; ++copy) {
                    OrderRow o{rep, Kind(section), copy, number, {}};
                    std::memcpy(o.section, section, 3);
                    o.section[3] = ' ';
                    s.order.push_back(o);
                }
        ClearElement(e);
    }
}

void StartLine(const FieldRow& row, const char* section, const FieldRow* previous)
{
    ReportDesign& s = ReportStep();
    SectionEntry& e = s.elements[0];
    e.inUse = 'Y';
    e.command = row.command;
    std::memcpy(e.section, section, 3);
    e.line = row.line;
    e.reportLine = BodySection(section) ? 0 : row.line;
    if (!BodySection(section))
        return;
    const ChosenLine* line = ChosenOf(row.command);
    e.before = previous && previous->command == row.command ? row.line - previous->line : line ? line->before : 0;
}

void PlacePieces(const FieldRow& row, int16_t number, const char* section)
{
    ReportDesign& s = ReportStep();
    const LAYOUT_FIELD_ENTRY& f = ReportField(row.entry);
    const char part = row.part[0];
    if (part >= '1' && part <= '3') {
        PutPiece(s.elements[0], f.acHeadings[part - '1'], f.lHeadingWidth, row.column + f.lIdentOffset, 20, number);
        return;
    }
    if (f.cIdentification == 'C' && BodySection(section)) {
        for (int k = 1; k <= 3; ++k) {
            SectionEntry& e = s.elements[k];
            e.inUse = 'Y';
            e.command = row.command;
            std::memcpy(e.section, "HD2 ", 4);
            e.line = row.line;
            e.before = k == 1 ? 2 : 1;
            e.after = 0;
            PutPiece(e, f.acHeadings[k - 1], f.lHeadingWidth, row.column + f.lIdentOffset, 20, number);
        }
    }
    if (f.cIdentification == 'L' && f.lLabelWidth > 0)
        PutPiece(s.elements[0], f.acLabel, f.lLabelWidth, row.column + f.lRightLabelOffset, 15, number);
    PutPiece(s.elements[0], f.acEditMask, f.lValueWidth, row.column + f.lValueOffset, 256, number);
}

// A line of the page at its report line: into the window when it lies
// there.
void DrawLine(const SectionEntry& e, int32_t reportLine, bool first)
{
    ReportDesign& s = ReportStep();
    if (reportLine < s.firstLine || reportLine > s.firstLine + kPageLines - 2)
        return;
    const int32_t row = reportLine - s.firstLine + 1;
    for (int32_t c = 0; c < kPageColumns; ++c) {
        const int32_t column = s.leftColumn + c;
        if (column < 1 || column > kLineColumns)
            break;
        const int32_t cell = (row - 1) * kPageColumns + c;
        s.image[cell] = e.text[column - 1];
        s.owners[cell] = e.owners[column - 1];
        s.firstCopy[cell] = first ? 'Y' : 'N';
    }
}

// A body line is at least one line below the line before it, also when
// its command asks for no spacing.
int32_t Advance(const SectionEntry& e)
{
    return std::max<int32_t>(e.before, 1);
}

}  // namespace

bool ReadSectionEntry(const char* section, uint16_t n, SectionEntry& entry)
{
    uint16_t number = n, length = sizeof entry;
    return QVRMM_sGetEntry(ReportStep().ctx, SectionList(section), &number, &entry, &length) == QVRMM_OK;
}

uint16_t SectionEntryCount(const char* section)
{
    return QVRMM_usHighestEntry(ReportStep().ctx, SectionList(section));
}

void FieldRecordKey(FFC_WORK_RECORD& r, int32_t fieldNumber)
{
    ReportDesign& s = ReportStep();
    WF_BlankRecord(s.ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_PRTFLD, 10);
    std::memcpy(r.acName, s.designed.format, 8);
    FIX_LongToDigits(&fieldNumber, 4, r.acQualifier);
}

}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3019_RebuildReportPage(void)
{
    ReportDesign& s = ReportStep();
    std::memset(&s.rows[1], 0xFF, sizeof(FieldRow) * kSpareRow);
    s.rowCount = 0;
    s.order.clear();
    s.selection.clear();
    s.entryCount = 0;
    s.textCount = 0;
    FFC_WORK_RECORD r;
    for (const ChosenLine& line : s.chosen) {
        const bool designed = line.number == s.designed.number;
        WF_BlankRecord(s.ctx, &r);
        std::memcpy(r.acKind, LAYOUT_KIND_PRTFLD, 10);
        std::memcpy(r.acName, line.format, 8);
        for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, 2); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, 2)) {
            if (s.entryCount >= kReportEntries)
                break;
            const int32_t entry = ++s.entryCount;
            LAYOUT_FIELD_ENTRY& f = ReportField(entry);
            std::memcpy(&f, r.acData, sizeof f);
            if (designed) {
                if (s.pendingShift != 0) {
                    f.lLine += s.pendingShift;
                    std::memcpy(r.acData, &f, sizeof f);
                    WF_cUpdate(s.ctx, kSlot, &r);
                }
                if (f.cType == 'T')
                    ++s.textCount;
            }
            if (f.cIdentification == 'C' && !BodySection(line.section)) {
                for (char part = '1'; part <= '3'; ++part)
                    AddRow(line, entry, f.lLine + (part - '1'), part);
                AddRow(line, entry, f.lLine + 3, 'F');
            } else {
                AddRow(line, entry, f.lLine, 'F');
            }
        }
    }
    s.pendingShift = 0;
    std::sort(&s.rows[1], &s.rows[1] + s.rowCount, RowBefore);
    for (const char* section : {"HED", "LED", "DET", "TRL", "FOT"})
        P3019_LayoutSection(section);
    std::stable_sort(s.order.begin(), s.order.end(), [](const OrderRow& a, const OrderRow& b) {
        if (a.repetition != b.repetition)
            return a.repetition < b.repetition;
        if (a.kind != b.kind)
            return a.kind < b.kind;
        if (a.copy != b.copy)
            return a.copy < b.copy;
        return a.entry < b.entry;
    });
    s.redraw = true;
}

void P3019_LayoutSection(const char* pachSection)
{
    ReportDesign& s = ReportStep();
    qvrmm4(s.ctx, SectionList(pachSection));
    if (Is(pachSection, "LED"))
        qvrmm4(s.ctx, SectionList("HD2"));
    for (SectionEntry& e : s.elements)
        ClearElement(e);
    const FieldRow* previous = nullptr;
    int32_t repeat = 1;
    for (int32_t n = 1; n <= s.rowCount; ++n) {
        const FieldRow& row = s.rows[n];
        if (!Is(row.section, pachSection))
            continue;
        if (!previous || previous->command != row.command || previous->line != row.line) {
            if (previous)
                FileElements(pachSection, repeat);
            StartLine(row, pachSection, previous);
            const ChosenLine* line = ChosenOf(row.command);
            repeat = line ? line->repeat : 1;
        }
        if (BodySection(pachSection)) {
            const bool last =
                n == s.rowCount || !Is(s.rows[n + 1].section, pachSection) || s.rows[n + 1].command != row.command;
            const ChosenLine* line = ChosenOf(row.command);
            s.elements[0].after = last && line ? line->after : 0;
        }
        PlacePieces(row, static_cast<int16_t>(n), pachSection);
        previous = &row;
    }
    if (previous)
        FileElements(pachSection, repeat);
}

void P3019_DrawReportPage(void)
{
    ReportDesign& s = ReportStep();
    if (!s.redraw)
        return;
    s.redraw = false;
    std::memset(s.image, ' ', sizeof s.image);
    std::memset(s.owners, 0, sizeof s.owners);
    std::memset(s.firstCopy, 'N', sizeof s.firstCopy);
    s.firstDrawLine = 0;
    int32_t running = 1;
    SectionEntry e;
    for (uint16_t n = 1; n <= SectionEntryCount("HED"); ++n) {
        if (!ReadSectionEntry("HED", n, e))
            continue;
        DrawLine(e, e.reportLine, true);
        running = std::max(running, e.reportLine);
    }
    for (uint16_t n = 1; n <= SectionEntryCount("HD2"); ++n) {
        if (!ReadSectionEntry("HD2", n, e))
            continue;
        running += e.before;
        DrawLine(e, running, true);
        running += e.after;
    }
    for (const OrderRow& o : s.order) {
        if (!ReadSectionEntry(o.section, static_cast<uint16_t>(o.entry), e))
            continue;
        running += Advance(e);
        const bool first = o.repetition == 1 && o.copy == 1;
        if (first && e.command == s.designed.number && s.firstDrawLine == 0)
            s.firstDrawLine = running;
        DrawLine(e, running, first);
        running += e.after;
    }
    for (uint16_t n = 1; n <= SectionEntryCount("FOT"); ++n)
        if (ReadSectionEntry("FOT", n, e))
            DrawLine(e, e.reportLine, true);
}

}  // extern "C"
