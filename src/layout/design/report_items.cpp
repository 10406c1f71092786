// Operations on the items (fields and free texts) of the report line being
// designed: identify the item at the cursor, test whether it fits at a
// position, store, remove, add a field, place a text and change a field's
// identification. Every accepted change rewrites the item's PRTFLD record
// and rebuilds the page.
#include "layout/design/report_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"

namespace layout::design {

namespace {

constexpr uint16_t kSlot = 10;

void LoadItem(int32_t row)
{
    ReportDesign& s = ReportStep();
    s.itemRow = row;
    s.item = s.rows[row];
    const LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    std::memcpy(s.itemName, f.acName, 10);
    s.itemNumber = f.lFieldNumber;
}

bool InMoveList(int32_t number)
{
    const ReportDesign& s = ReportStep();
    for (int32_t i = 0; i < s.moveCount; ++i)
        if (FIX_lDigitsToLong(s.moves[i].number, 4, nullptr) == number % 10000)
            return true;
    return false;
}

bool HeadOrFoot()
{
    return !BodySection(ReportStep().designed.section);
}

// The smallest line of the designed body line's items (without the item
// of field number `without`); a shift that makes it line 1 is pending for
// the next rebuild.
void WorkOutLineShift(int32_t without)
{
    ReportDesign& s = ReportStep();
    if (HeadOrFoot())
        return;
    int32_t smallest = 99999;
    for (int32_t n = 1; n <= s.rowCount; ++n) {
        const FieldRow& row = s.rows[n];
        const LAYOUT_FIELD_ENTRY& f = ReportField(row.entry);
        if (OfDesignedLine(row) && f.lFieldNumber != without)
            smallest = std::min(smallest, f.lLine);
    }
    if (s.item.entry == kSpareEntry && s.itemNumber != without)
        smallest = std::min(smallest, ReportField(kSpareEntry).lLine);
    if (smallest != 1 && smallest != 99999)
        s.pendingShift = 1 - smallest;
}

void SpareRow()
{
    ReportDesign& s = ReportStep();
    FieldRow& row = s.rows[kSpareRow];
    std::memcpy(row.section, s.designed.section, 3);
    row.section[3] = ' ';
    row.command = s.designed.number;
    row.line = row.column = 0;
    row.entry = kSpareEntry;
    std::memset(row.part, ' ', sizeof row.part);
    row.part[0] = 'F';
}

void Refuse(int message, const std::string& a = {}, const std::string& b = {}, const std::string& c = {})
{
    ReportDesign& s = ReportStep();
    ComposeReportMessage(message, a, b, c);
    SetRequest("FI  ");
    s.cursorRow = 24;
    s.cursorColumn = 21;
}

}  // namespace

}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3019_ComputeItemWidths(LAYOUT_FIELD_ENTRY* pEntry)
{
    layout::ReportItemGeometry(*pEntry, ReportStep().ctx->cRightToLeft == 'Y');
}

void P3019_IdentifyItem(void)
{
    ReportDesign& s = ReportStep();
    s.found = 'N';
    const int32_t cell = (s.cursorRow - 1) * kPageColumns + s.cursorColumn;
    if (s.cursorRow < 1 || s.cursorRow > kPageLines || s.cursorColumn < 1 || s.cursorColumn > kPageColumns ||
        s.owners[cell - 1] == 0) {
        ComposeReportMessage(2);
        return;
    }
    if (s.firstCopy[cell - 1] != 'Y') {
        ComposeReportMessage(25);
        return;
    }
    LoadItem(s.owners[cell - 1]);
    if (!OfDesignedLine(s.item)) {
        ComposeReportMessage(5, MessageText(s.itemName, 10), MessageText(s.designed.command, 10),
                             MessageText(s.designed.lineName, 10));
        std::memset(s.itemName, ' ', 10);
        return;
    }
    s.found = 'Y';
    if (s.collecting)
        for (int32_t n = 1; n <= s.rowCount; ++n)
            if (OfDesignedLine(s.rows[n]) && ReportField(s.rows[n].entry).lFieldNumber == s.itemNumber)
                s.selection.push_back(n);
    s.savedRow = s.cursorRow;
    s.savedColumn = s.cursorColumn;
}

void P3019_CheckPlacement(void)
{
    ReportDesign& s = ReportStep();
    s.fits = 'Y';
    const LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    const int32_t given = s.cursorColumn;
    // A cursor left of the report's first column is outside the report
    // (in mirrored layout before it is taken as the item's right end).
    const bool outside = s.leftColumn + s.cursorColumn - 1 < 1;
    if (s.mirror() == 'Y' && s.newPosition)
        s.cursorColumn = std::clamp(s.cursorColumn + 1 - f.lWidth, 1, std::max(s.width, 1));
    const int32_t reportLine = s.firstLine + s.cursorRow - 1;
    const int32_t column = s.leftColumn + s.cursorColumn - 1;
    s.cursorColumn = given;
    const int32_t last = column + f.lWidth - 1;
    if (outside || column < 1 || last > s.width) {
        s.fits = 'N';
        ComposeReportMessage(19, MessageText(s.itemName, 10));
        return;
    }
    int32_t line = reportLine;
    if (!HeadOrFoot()) {
        line = s.firstDrawLine > 0 ? line + 1 - s.firstDrawLine : 1;
        if (line < 1) {
            s.checkedLine = line;
            s.checkedColumn = column;
            return;
        }
    }
    struct Piece {
        int32_t line, start, end;
    };
    std::vector<Piece> pieces;
    if (f.cIdentification == 'C' && HeadOrFoot()) {
        for (int32_t k = 0; k < 3; ++k)
            pieces.push_back({line + k, column, column + f.lIdentOffset + f.lHeadingWidth - 1});
        pieces.push_back({line + 3, column, column + f.lWidth - 1});
    } else {
        pieces.push_back({line, column, last});
    }
    for (int32_t n = 1; n <= s.rowCount; ++n) {
        const FieldRow& row = s.rows[n];
        const LAYOUT_FIELD_ENTRY& other = ReportField(row.entry);
        if (!OfDesignedLine(row) || other.lFieldNumber == s.itemNumber || InMoveList(other.lFieldNumber))
            continue;
        const bool heading = row.part[0] >= '1' && row.part[0] <= '3';
        const int32_t end = row.column + (heading ? other.lIdentOffset + other.lHeadingWidth : other.lWidth) - 1;
        for (const Piece& p : pieces) {
            if (p.line != row.line || p.start > end || p.end < row.column)
                continue;
            s.fits = 'N';
            ComposeReportMessage(20, MessageText(s.itemName, 10), MessageText(other.acName, 10));
            return;
        }
    }
    s.checkedLine = line;
    s.checkedColumn = column;
}

void P3019_StoreItem(void)
{
    ReportDesign& s = ReportStep();
    LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    f.lLine = s.item.line = s.checkedLine;
    f.lColumn = s.item.column = s.checkedColumn;
    if (s.itemRow >= 1 && s.itemRow <= kSpareRow)
        s.rows[s.itemRow] = s.item;
    FFC_WORK_RECORD r;
    FieldRecordKey(r, f.lFieldNumber);
    if (WF_cReadFirst(s.ctx, kSlot, &r, 3) == '0') {
        std::memcpy(r.acData, &f, sizeof f);
        WF_cUpdate(s.ctx, kSlot, &r);
    } else {
        FieldRecordKey(r, f.lFieldNumber);
        std::memcpy(r.acData, &f, sizeof f);
        WF_lWrite(s.ctx, &r);
    }
    WorkOutLineShift(0);
    P3019_RebuildReportPage();
    P3019_DrawReportPage();
    s.changed = 'Y';
}

void P3019_RemoveItem(void)
{
    ReportDesign& s = ReportStep();
    FFC_WORK_RECORD r;
    FieldRecordKey(r, s.itemNumber);
    if (WF_cReadFirst(s.ctx, kSlot, &r, 3) == '0')
        WF_cDelete(s.ctx, kSlot, &r);
    WorkOutLineShift(s.itemNumber);
    P3019_RebuildReportPage();
    P3019_DrawReportPage();
    s.changed = 'Y';
}

void P3019_AddField(void)
{
    ReportDesign& s = ReportStep();
    s.added = false;
    const std::string name = BareName(s.ctx, s.fieldName);
    FFC_FIELD_DEFINITION def{};
    FFC_FIELD_TEXT text{};
    dqov::text::Pad(def.acName, 10, name);
    char local = 'N';
    if (name.empty() || Get_Function_Field(s.ctx, &local, &def, &text, nullptr) != '0')
        return Refuse(21, name);
    for (int32_t n = 1; n <= s.rowCount; ++n)
        if (OfDesignedLine(s.rows[n]) && BareName(s.ctx, ReportField(s.rows[n].entry).acName) == name)
            return Refuse(22, name, MessageText(s.designed.command, 10), MessageText(s.designed.lineName, 10));
    SpareRow();
    LAYOUT_FIELD_ENTRY& f = ReportField(kSpareEntry);
    BlankFieldEntry(f);
    std::memcpy(f.acName, PrefixedName(s.ctx, name.c_str()).data(), 10);
    f.cType = def.cType;
    f.lLength = def.lLength;
    f.lDecimals = def.lDecimals;
    layout::P3111_AdjustDbcsText(s.ctx, text.acLabel, 15, s.adjLabels);
    layout::P3111_AdjustDbcsText(s.ctx, text.acDescription, 40, s.adjDescriptions);
    for (auto& heading : text.acColumnHeadings)
        layout::P3111_AdjustDbcsText(s.ctx, heading, 20, s.adjHeadings);
    std::memcpy(f.acLabel, text.acLabel, 15);
    std::memcpy(f.acDescription, text.acDescription, 40);
    std::memcpy(f.acHeadings, text.acColumnHeadings, sizeof f.acHeadings);
    layout::MoveHeadingsDown(f.acHeadings);
    f.cEditCode = def.cEditCode;
    std::memcpy(f.acEditWord, def.acEditWord, 24);
    int32_t widths[7] = {0, 0, 0, 0, 0, 0, 0};
    P8061_sGetMultilingualFieldTexts(s.ctx, def.acName, &widths[0], &widths[1], &widths[2], &widths[3], &widths[4],
                                     &widths[5], &widths[6], s.msgQueue);
    FFC_PARSED_COMMAND command;
    const bool across = FindCommand(s.ctx, s.designed.number, s.designed.second, command) &&
                        dqov::cmdparm::ParmText(command, "DESIGN") == "ACROSS";
    f.lLabelWidth = across ? widths[0] : 15;
    f.lHeadingWidth = widths[4];
    if (s.ctx->cRightToLeft == 'Y')
        for (auto& heading : f.acHeadings)
            layout::RightAlignText(heading, 20);
    int32_t valueWidth = 0;
    bool valid = true;
    char shift = ' ';
    FLDCHK_sCheckFieldAttributes(s.ctx, f.acName, f.cType, ' ', f.lLength, f.lDecimals, f.cEditCode, f.acEditWord,
                                 &valueWidth, f.acEditMask, &shift, &valid, 'P', s.msgQueue, 'N', s.sysFlags);
    f.cShift = shift;
    f.lValueWidth = valueWidth;
    std::memcpy(f.acDisplayText, f.acEditMask, sizeof f.acDisplayText);
    std::memset(f.acInputFlags, '0', sizeof f.acInputFlags);
    std::memset(f.acOutputFlags, '0', sizeof f.acOutputFlags);
    f.cUsage = 'B';
    f.cIdentification = static_cast<char>(s.identification);
    f.lLines = f.cIdentification == 'C' && HeadOrFoot() ? 4 : 1;
    P3019_ComputeItemWidths(&f);
    f.lFieldNumber = --*s.fieldCounter;
    LoadItem(kSpareRow);
    s.added = true;
    ComposeReportMessage(23, name);
    SetRequest("FP  ");
    s.cursorRow = s.savedRow;
    s.cursorColumn = s.savedColumn;
}

void P3019_PlaceNewField(void)
{
    ReportDesign& s = ReportStep();
    LoadItem(kSpareRow);
    s.newPosition = true;
    P3019_CheckPlacement();
    s.placed = s.fits;
    if (s.fits != 'Y')
        return;
    P3019_StoreItem();
    s.added = false;
}

void P3019_PlaceText(void)
{
    ReportDesign& s = ReportStep();
    const bool add = std::memcmp(s.textMode, "NEW", 3) == 0;
    if (add) {
        SpareRow();
        LoadItem(kSpareRow);
    } else {
        s.savedRow301 = s.item;
        s.savedEntry = ReportField(s.item.entry);
    }
    char text[120];
    std::memcpy(text, s.text, sizeof text);
    if (s.ctx->cKeepQuotes != 'Y')
        std::replace(text, text + sizeof text, '\'', '"');
    const int32_t length = layout::P3111_usDisplayLength(s.ctx, text, sizeof text, s.adjTexts);
    LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    if (add) {
        ++s.textCount;
        BlankFieldEntry(f);
        int32_t count = s.textCount;
        char digits[10];
        FIX_LongToDigits(&count, 10, digits);
        std::memcpy(f.acName, digits, 10);
        std::memcpy(f.acName, "TEXT", 4);
        f.cType = 'T';
        f.cIdentification = 'N';
        f.cUsage = 'O';
        std::memset(f.acInputFlags, '0', sizeof f.acInputFlags);
        std::memset(f.acOutputFlags, '0', sizeof f.acOutputFlags);
        f.lFieldNumber = --*s.fieldCounter;
        LoadItem(kSpareRow);
    }
    f.lLength = f.lValueWidth = length;
    std::memset(f.acEditMask, ' ', sizeof f.acEditMask);
    std::memcpy(f.acEditMask, text, sizeof text);
    layout::P3111_AdjustDbcsText(s.ctx, f.acEditMask, sizeof text, s.adjTexts);
    std::memset(f.acDisplayText, ' ', sizeof f.acDisplayText);
    std::memcpy(f.acDisplayText, text, sizeof text);
    P3019_ComputeItemWidths(&f);
    s.newPosition = add;
    P3019_CheckPlacement();
    if (s.fits == 'Y') {
        P3019_StoreItem();
        s.done = 'Y';
        return;
    }
    s.done = 'N';
    if (add) {
        --s.textCount;
        return;
    }
    ReportField(s.savedRow301.entry) = s.savedEntry;
    s.item = s.savedRow301;
}

void P3019_ChangeIdentification(void)
{
    ReportDesign& s = ReportStep();
    LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    s.savedEntry = f;
    f.cIdentification = static_cast<char>(s.identification);
    f.lLines = f.cIdentification == 'C' && HeadOrFoot() ? 4 : 1;
    P3019_ComputeItemWidths(&f);
    const int32_t row = s.cursorRow, column = s.cursorColumn;
    const int32_t reportLine = HeadOrFoot() ? f.lLine : s.firstDrawLine + f.lLine - 1;
    s.cursorRow = reportLine - s.firstLine + 1;
    s.cursorColumn = f.lColumn - s.leftColumn + 1;
    s.newPosition = false;
    P3019_CheckPlacement();
    if (s.fits == 'Y') {
        P3019_StoreItem();
        SetRequest("    ");
        std::memset(s.itemName, ' ', 10);
    } else {
        f = s.savedEntry;
        ComposeReportMessage(28, MessageText(s.itemName, 10));
        SetRequest("IS  ");
    }
    s.cursorRow = row;
    s.cursorColumn = column;
}

}  // extern "C"
