// Report field loading and placement: the line's fields as layout entries,
// the report buffer of taken print positions, the test of one candidate
// position, fixed and automatic placement and the PRTFLD records.
#include "layout/auto/report_state.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "layout/layout.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace layout::report {

namespace {

struct Position {
    int32_t page = 0, line = 0, column = 0;
};

int32_t GETPTR_3116(int32_t page, int32_t line, int32_t column)
{
    const Report& r = Rpt();
    return (page - 1) * r.pageSize + (line - 1) * r.width + column;
}

Position P3116_IndexToPosition(int32_t index)
{
    const Report& r = Rpt();
    Position p;
    const int32_t rest = index % r.pageSize;
    if (rest == 0) {
        p.page = index / r.pageSize;
        p.line = r.overflow;
        p.column = r.width;
        return p;
    }
    p.page = index / r.pageSize + 1;
    const int32_t c = rest % r.width;
    p.line = rest / r.width + (c == 0 ? 0 : 1);
    p.column = c == 0 ? r.width : c;
    return p;
}

bool InPage(const Position& p)
{
    const Report& r = Rpt();
    return p.line >= 1 && p.line <= r.overflow && p.column >= 1 && p.column <= r.width;
}

void SetCheck(const char* code, Msg msg, const std::string& value)
{
    Report& r = Rpt();
    std::memcpy(r.check, code, 2);
    SetSlot(msg, value);
}

bool ColumnHeadingRows(const LAYOUT_FIELD_ENTRY& e)
{
    return e.cIdentification == 'C' && HeadOrFoot();
}

void ShowInternal(const char* text)
{
    if (!Rpt().lpc)
        SMSG_sGetMessage(nullptr, 180, 16384, 0, 1, text);
}

// Counts a placed item in its format, starting the format when needed.
void P3116_AddFormatItem(int32_t format)
{
    Report& r = Rpt();
    if (r.formatName[format][0] == ' ') {
        int32_t number = ++*r.formatCounter;
        FIX_LongToDigits(&number, 8, r.formatName[format]);
        std::memcpy(r.formatName[format], "R@F", 3);
        r.firstLine[format] = 999;
        r.lastLine[format] = r.items[format] = r.items2[format] = r.onChange[format] = 0;
    }
    std::memcpy(r.formatKind[format], r.lineKind, 6);
    ++r.items[format];
    ++r.items2[format];
    r.highestFormat = std::max(r.highestFormat, format);
}

void P3116_WriteFieldRecord(LAYOUT_FIELD_ENTRY& e, int32_t format)
{
    Report& r = Rpt();
    e.lFieldNumber = ++*r.itemCounter;
    std::memset(e.acErrorIndicator, ' ', 2);
    if (e.cOnChange == 'Y' && r.onChange[format] + 1 < 100) {
        int32_t number = ++r.onChange[format];
        FIX_LongToDigits(&number, 2, e.acErrorIndicator);
    }
    std::memset(e.acConditionIndicator, ' ', 2);
    if (e.cFieldEntry == 'Y') {
        LAYOUT_FORMAT_SLOT& slot = r.slots[format];
        int32_t at = 0;
        while (at < slot.lCount && std::memcmp(slot.acNames[at], e.acCondition, 10) != 0)
            ++at;
        if (at < LAYOUT_CONDITIONS) {
            if (at == slot.lCount) {
                std::memcpy(slot.acNames[at], e.acCondition, 10);
                ++slot.lCount;
            }
            std::memcpy(e.acConditionIndicator, slot.acIndicators[at], 2);
        }
    }
    const int32_t line = e.lLine, column = e.lColumn;
    e.lLine = r.candLine;
    e.lColumn = r.mirror == 'Y' ? r.width - e.lWidth - r.candColumn + 2 : r.candColumn;
    PostEvent(ReportEvent::ItemRecordWriting, &e);
    WriteEntryRecord(r, LAYOUT_KIND_PRTFLD, format, e.lFieldNumber, e);
    e.lLine = line;
    e.lColumn = column;
}

void NXTPTR_3116()
{
    Report& r = Rpt();
    const int32_t next = r.across ? r.endIndex + r.acrossSep + 1 : r.startIndex + r.downSep * r.width;
    if (next >= kBufferSize)
        ShowInternal("NXTPTR_3116: Internal error calculating Screen/Report Buffer index");
    const Position p = P3116_IndexToPosition(next);
    r.page = p.page;
    r.line = p.line;
    r.column = p.column;
}

void NewPage()
{
    Report& r = Rpt();
    ++r.page;
    r.line = 2;
    r.column = 2;
}

void NextLine()
{
    Report& r = Rpt();
    r.line += std::max<int32_t>(r.downSep, 1);
    r.column = 1;
    if (r.line > r.overflow)
        NewPage();
}

void NextColumn()
{
    Report& r = Rpt();
    r.column += r.acrossSep + 1;
    if (r.column > r.width)
        NextLine();
}

bool IsPageNumberField(const std::string& name)
{
    return name.size() == 8 && name.compare(0, 3, "REP") == 0 && name[3] >= '1' && name[3] <= '8' &&
           name.compare(4, 4, "PAGE") == 0;
}

// The dictionary's output attributes as one text of 4-character codes.
std::string OutputAttributes(const FFC_FIELD_DEFINITION& def)
{
    return std::string(def.output.acCodes, std::min<size_t>(def.output.usLength, sizeof def.output.acCodes));
}

void AlignHeadings(LAYOUT_FIELD_ENTRY& e)
{
    MoveHeadingsDown(e.acHeadings);
    if (Rpt().ctx->cRightToLeft != 'Y' || e.lHeadingWidth >= 21 || e.lHeadingWidth <= 0)
        return;
    const size_t shift = static_cast<size_t>(20 - e.lHeadingWidth);
    for (auto& heading : e.acHeadings) {
        std::memmove(heading, heading + shift, 20 - shift);
        std::memset(heading + 20 - shift, ' ', shift);
    }
}

void Fail(LAYOUT_FIELD_ENTRY& e)
{
    Report& r = Rpt();
    r.state->cFinalSeverity = 'F';
    P3116_ReportMessage();
    e.cFailed = 'Y';
    r.error = true;
}

}  // namespace

void P3116_LoadGroupFields()
{
    Report& r = Rpt();
    r.count = 0;
    FFC_WORK_RECORD w;
    WF_BlankRecord(r.ctx, &w);
    std::memcpy(w.acKind, LAYOUT_KIND_GROUPFLD, 10);
    dqov::text::Pad(w.acName, 10, dqov::cmdparm::ParmText(*r.command, "NAME"));
    const bool saved = std::memcmp(r.lineKind, "HEAD", 4) == 0 || std::memcmp(r.lineKind, "FOOT", 4) == 0 ||
                       std::memcmp(r.lineKind, "TRAIL", 5) == 0;
    for (char rc = WF_cReadFirst(r.ctx, LAYOUT_CURSOR_SLOT, &w, 2); rc == '0';
         rc = WF_cReadNext(r.ctx, LAYOUT_CURSOR_SLOT, &w, 2)) {
        const GROUPFLD_DATA& f = *reinterpret_cast<const GROUPFLD_DATA*>(w.acData);
        char name[50];
        dqov::text::Pad(name, sizeof name, dqov::text::Trim(f.acField, 10));
        P3100_StripLeadingChar(name, r.ctx->cNatChar1);
        FFC_FIELD_DEFINITION def{};
        FFC_FIELD_TEXT text{};
        std::memcpy(def.acName, name, 10);
        char local = 'N';
        if (Get_Function_Field(r.ctx, &local, &def, &text, nullptr) != '0')
            continue;
        const std::string bare = dqov::text::Trim(name, 10);
        const std::string output = OutputAttributes(def);
        const bool binary =
            output == "SBIN" || output.find("SBIN ") != std::string::npos || output.find(" SBIN") != std::string::npos;
        if (def.cType != 'P' && def.cType != 'S' && (def.cType != 'A' || binary)) {
            P3116_IssueMessage('F', def.cType == 'A' ? 865 : 896, bare);
            r.error = true;
            continue;
        }
        if (r.count >= kEntries) {
            r.state->cFinalSeverity = dqov::MsgSeverity(Msg::LayoutFieldsFull);
            SetSlot(Msg::LayoutFieldsFull, bare, true);
            P3116_ReportMessage();
            r.error = true;
            break;
        }
        r.current = ++r.count;
        LAYOUT_FIELD_ENTRY& e = Item(r.count);
        std::memset(&e, 0, sizeof e);
        std::memcpy(e.acName, f.acField, 10);
        e.cType = def.cType;
        e.lLength = def.lLength;
        e.lDecimals = def.lDecimals;
        P3111_AdjustDbcsText(r.ctx, text.acLabel, 15, r.adjLabels);
        P3111_AdjustDbcsText(r.ctx, text.acDescription, 40, r.adjDescriptions);
        for (auto& heading : text.acColumnHeadings)
            P3111_AdjustDbcsText(r.ctx, heading, 20, r.adjHeadings);
        std::memcpy(e.acLabel, text.acLabel, 15);
        std::memcpy(e.acHeadings, text.acColumnHeadings, sizeof e.acHeadings);
        std::memcpy(e.acDescription, text.acDescription, 40);
        e.cEditCode = def.cEditCode;
        std::memcpy(e.acEditWord, def.acEditWord, 24);
        e.cShift = ' ';
        e.cFailed = e.cPlaced = e.cRepeat = e.cControlPart = e.cCounted = 'N';
        e.cHeadingInControl = e.cNewPage = 'N';
        std::memset(e.acListName, ' ', sizeof e.acListName);
        FIX_lDigitsToLong(w.acData + GF_LINE, 3, &e.lLine);
        FIX_lDigitsToLong(w.acData + GF_COLUMN, 3, &e.lColumn);
        std::memcpy(e.acCondition, f.acCondition, 10);
        std::memcpy(e.acConditionValue, f.acConditionValue, 4);
        e.cFieldEntry = dqov::text::Trim(f.acCondition, 10).empty() ? 'N' : 'Y';
        e.cOnChange = w.acData[GF_ONCHANGE] == '1' ? 'Y' : 'N';
        std::memset(e.acSavedName, ' ', sizeof e.acSavedName);
        if (saved && !IsPageNumberField(bare)) {
            int32_t number = ++*r.savedCounter;
            e.acSavedName[0] = '@';
            e.acSavedName[1] = 'N';
            FIX_LongToDigits(&number, 4, e.acSavedName + 2);
        }
        int32_t widths[7] = {0, 0, 0, 0, 0, 0, 0};
        FieldTextWidths(r.ctx, def.acName, widths, r.msgQueue);
        e.lHeadingWidth = widths[4];
        e.lLabelWidth = r.across ? widths[0] : 15;
        AlignHeadings(e);
        int32_t valueWidth = 0;
        bool valid = true;
        char shift = ' ';
        FLDCHK_sCheckFieldAttributes(r.ctx, e.acName, e.cType, e.cShift, e.lLength, e.lDecimals, e.cEditCode,
                                     e.acEditWord, &valueWidth, e.acEditMask, &shift, &valid, 'P', r.msgQueue, 'N',
                                     r.systemFlags);
        e.cShift = shift;
        e.lValueWidth = valueWidth;
        std::memcpy(e.acDisplayText, e.acEditMask, sizeof e.acDisplayText);
        const char own = w.acData[GF_IDENT];
        e.cIdentification = own != '0' && own != ' ' ? own : r.identify;
        e.lLines = e.cIdentification == 'C' && HeadOrFoot() ? 4 : 1;
        ReportItemGeometry(e, r.ctx->cRightToLeft == 'Y');
        PostEvent(ReportEvent::FieldLoaded, &e);
    }
}

void CHKPOS_3116()
{
    Report& r = Rpt();
    const LAYOUT_FIELD_ENTRY& e = Item(r.current);
    const std::string name = ItemName(e);
    std::memcpy(r.check, "OK", 2);
    const int32_t rows = std::max<int32_t>(e.lLines, 1);
    int32_t firstStart = 0, firstEnd = 0;
    for (int32_t row = 0; row < rows; ++row) {
        const int32_t start = GETPTR_3116(r.candPage, r.candLine + row, r.candColumn);
        if (start >= kBufferSize) {
            r.state->cFinalSeverity = 'F';
            SetSlot(Msg::ServicesText, "GETPTR_3116: Internal error calculating Screen/Report Buffer index", true);
            P3116_ReportMessage();
        }
        const Position s = P3116_IndexToPosition(start);
        if (s.page < 1 || s.page > r.pages || s.page != r.candPage)
            return SetCheck("PE", Msg::ReportItemOffFirstPage, name);
        if (!InPage(s))
            return SetCheck("PE", Msg::ReportItemOutsidePage, name);
        const int32_t end =
            ColumnHeadingRows(e) && row < 3 ? start + e.lIdentOffset + e.lHeadingWidth - 1 : start + e.lWidth - 1;
        if (end >= kBufferSize) {
            std::memcpy(r.check, "PE", 2);
            SetSlot(Msg::ServicesText, "CHKPOS_3116: Internal error calculating Screen/Report Buffer index", true);
            return;
        }
        const Position t = P3116_IndexToPosition(end);
        if (t.page < 1 || t.page > r.pages || !InPage(t))
            return SetCheck("PE", Msg::ReportItemOutsidePage, name);
        if (t.page != s.page)
            return SetCheck("SF", Msg::ReportItemOutsidePage, name);
        for (int32_t i = std::max(start, 1); i <= end; ++i)
            if (r.buffer[static_cast<size_t>(i - 1)] != ' ')
                return SetCheck("OV", Msg::ReportItemOverlaps, name);
        if (t.line != s.line)
            SetCheck("SL", Msg::ReportItemTooWide, name);
        else
            std::memcpy(r.check, "OK", 2);
        if (row == 0) {
            firstStart = start;
            firstEnd = end;
        }
    }
    if (std::memcmp(r.check, "OK", 2) == 0) {
        r.startIndex = firstStart;
        r.endIndex = firstEnd;
    }
}

void SAVPOS_3116()
{
    Report& r = Rpt();
    LAYOUT_FIELD_ENTRY& e = Item(r.current);
    const int32_t format = r.candPage;
    e.cPlaced = 'Y';
    P3116_AddFormatItem(format);
    int32_t start = r.startIndex, end = r.endIndex;
    const int32_t rows = std::max<int32_t>(e.lLines, 1);
    for (int32_t row = 0; row < rows; ++row) {
        if (row > 0)
            end = ColumnHeadingRows(e) && row < 3 ? start + e.lIdentOffset + e.lHeadingWidth - 1 : start + e.lWidth - 1;
        r.firstLine[format] = std::min(r.firstLine[format], P3116_IndexToPosition(start).line);
        r.lastLine[format] = std::max(r.lastLine[format], P3116_IndexToPosition(end).line);
        for (int32_t i = std::max(start, 1); i <= end && i <= kBufferSize; ++i)
            r.buffer[static_cast<size_t>(i - 1)] = 'X';
        start += r.width;
        end += r.width;
        if (end >= kBufferSize)
            ShowInternal("SAVPOS_3116: Internal error calculating Screen/Report Buffer index");
    }
    P3116_WriteFieldRecord(e, format);
}

void P3116_PlaceFixedFields()
{
    Report& r = Rpt();
    for (int32_t i = 1; i <= r.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Item(i);
        if (e.cPlaced == 'Y' || e.cFailed == 'Y' || (e.lLine == 0 && e.lColumn == 0))
            continue;
        r.current = i;
        const std::string name = ItemName(e);
        if (e.lColumn == 0 || e.lLine == 0) {
            const Msg zero = e.lColumn == 0 ? Msg::ReportFieldColumnZero : Msg::ReportFieldLineZero;
            r.state->cFinalSeverity = dqov::MsgSeverity(zero);
            SetSlot(zero, name);
            P3116_ReportMessage();
            e.cFailed = 'Y';
            r.error = true;
        }
        r.candPage = r.page;
        r.candLine = e.lLine;
        r.candColumn = e.lColumn;
        CHKPOS_3116();
        if (std::memcmp(r.check, "OK", 2) == 0)
            SAVPOS_3116();
        else
            Fail(e);
    }
}

void P3116_PlaceAutomatically()
{
    Report& r = Rpt();
    for (int32_t i = 1; i <= r.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Item(i);
        if (e.cPlaced == 'Y' || e.cFailed == 'Y' || e.lLine != 0 || e.lColumn != 0)
            continue;
        r.current = i;
        for (;;) {
            r.candPage = r.page;
            r.candLine = r.line;
            r.candColumn = r.column;
            CHKPOS_3116();
            if (std::memcmp(r.check, "OK", 2) == 0) {
                SAVPOS_3116();
                NXTPTR_3116();
                break;
            }
            if (std::memcmp(r.check, "SL", 2) == 0) {
                if (e.lWidth <= r.width) {
                    NextLine();
                    continue;
                }
                r.state->cFinalSeverity = dqov::MsgSeverity(Msg::ReportItemTooWide);
                SetSlot(Msg::ReportItemTooWide, ItemName(e));
                P3116_ReportMessage();
                return;
            }
            if (std::memcmp(r.check, "PE", 2) == 0 || std::memcmp(r.check, "SF", 2) == 0) {
                Fail(e);
                return;
            }
            NextColumn();
        }
    }
}

}  // namespace layout::report
