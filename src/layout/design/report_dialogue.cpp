// The painter dialogue of the report line being designed: each exchange
// sends the page window, the message line and the request code; the
// painter's answer code drives scrolling, moving, texts, fields,
// identification and spacing until the user leaves the line.
#include "layout/design/report_design.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "params/fixed_text.h"

namespace layout::design {

namespace {

constexpr uint16_t kSlot = 11;

bool CodeIs(const char* code, const char* what)
{
    return std::memcmp(code, what, 4) == 0;
}

// The digits of a scroll code, in order; -1 when it has none.
int32_t CodeNumber(const char* code)
{
    int32_t n = -1;
    for (int i = 0; i < 4; ++i)
        if (std::isdigit(static_cast<unsigned char>(code[i])))
            n = (n < 0 ? 0 : n * 10) + (code[i] - '0');
    return n;
}

void SavedCursor()
{
    ReportDesign& s = ReportStep();
    s.cursorRow = s.savedRow;
    s.cursorColumn = s.savedColumn;
}

void ClearWork()
{
    ReportDesign& s = ReportStep();
    s.selection.clear();
    std::memset(s.fieldName, ' ', sizeof s.fieldName);
    std::memset(s.message, ' ', sizeof s.message);
    std::memset(s.text, ' ', sizeof s.text);
}

// Copies the PRTFLD records of the chosen lines to records of another kind
// (and back).
void CopyRecords(const char* from, const char* to)
{
    ReportDesign& s = ReportStep();
    FFC_WORK_RECORD r;
    for (const ChosenLine& line : s.chosen) {
        WF_BlankRecord(s.ctx, &r);
        std::memcpy(r.acKind, from, 10);
        std::memcpy(r.acName, line.format, 8);
        for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, 2); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, 2)) {
            FFC_WORK_RECORD copy = r;
            std::memcpy(copy.acKind, to, 10);
            WF_lWrite(s.ctx, &copy);
        }
    }
}

void DeleteRecords(const char* kind, const char* format, uint16_t parts)
{
    ReportDesign& s = ReportStep();
    FFC_WORK_RECORD r;
    WF_BlankRecord(s.ctx, &r);
    std::memcpy(r.acKind, kind, 10);
    if (format)
        std::memcpy(r.acName, format, 8);
    for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, parts); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, parts))
        WF_cDelete(s.ctx, kSlot, &r);
}

void Overlay(int32_t cell, char c)
{
    ReportDesign& s = ReportStep();
    if (cell < 0 || cell >= kPageCells)
        return;
    s.overlay.emplace_back(cell, s.image[cell]);
    s.image[cell] = c;
}

// A number as up to 3 digits without leading zeros, moved to the front.
std::string RulerNumber(int32_t value)
{
    std::string d = Digits(value, 3);
    const size_t first = std::min(d.find_first_not_of('0'), d.size() - 1);
    d = d.substr(first);
    return d + std::string(3 - d.size(), ' ');
}

void DrawRuler()
{
    ReportDesign& s = ReportStep();
    for (int32_t row = 1; row <= kPageLines; ++row) {
        const std::string n = RulerNumber(s.firstLine + row - 1);
        for (int k = 0; k < 3; ++k)
            if (k == 0 || std::isdigit(static_cast<unsigned char>(n[k])))
                Overlay((row - 1) * kPageColumns + s.rulerColumn - 1 + k, n[k]);
    }
    for (int32_t column = 1; column <= kPageColumns; ++column) {
        const std::string n = RulerNumber(s.leftColumn + column - 1);
        for (int k = 0; k < 3; ++k)
            if (k == 0 || std::isdigit(static_cast<unsigned char>(n[k])))
                Overlay((s.rulerRow - 1 + k) * kPageColumns + column - 1, n[k]);
    }
}

void MarkSelection()
{
    ReportDesign& s = ReportStep();
    auto selected = [&](int32_t cell) {
        return s.owners[cell] != 0 &&
               std::find(s.selection.begin(), s.selection.end(), s.owners[cell]) != s.selection.end();
    };
    for (int32_t cell = 0; cell < kPageCells; ++cell) {
        if (!selected(cell))
            continue;
        if (cell == 0 || s.owners[cell - 1] != s.owners[cell])
            Overlay(cell - 1, '\x01');
        if (cell + 1 == kPageCells || s.owners[cell + 1] != s.owners[cell])
            Overlay(cell + 1, '\0');
    }
}

void UndoOverlay()
{
    ReportDesign& s = ReportStep();
    for (auto it = s.overlay.rbegin(); it != s.overlay.rend(); ++it)
        s.image[it->first] = it->second;
    s.overlay.clear();
}

void ColumnWindow(int32_t left)
{
    ReportDesign& s = ReportStep();
    left = std::clamp(left, 1, std::max(s.width - 79, 1));
    if (left != s.leftColumn) {
        s.leftColumn = left;
        s.redraw = true;
    }
    ComposeReportMessage(17, Digits(s.leftColumn, 3), Digits(s.leftColumn + 79, 3));
    SetRequest(s.answered);
}

void LineWindow(int32_t first)
{
    ReportDesign& s = ReportStep();
    first = std::clamp(first, 1, std::max(s.pageLength - 22, 1));
    if (first != s.firstLine) {
        s.firstLine = first;
        s.lastLine = first + 22;
        s.redraw = true;
    }
    ComposeReportMessage(18, Digits(s.firstLine, 3), Digits(s.lastLine, 3));
    SetRequest(s.answered);
}

bool Scroll(const char* code)
{
    ReportDesign& s = ReportStep();
    const int32_t number = CodeNumber(code);
    if (code[0] == 'W') {
        if (code[1] == 'L')
            ColumnWindow(s.leftColumn - (number < 0 ? 79 : number));
        else if (code[1] == 'R')
            ColumnWindow(s.leftColumn + (number < 0 ? 79 : number));
        else if (code[1] == '?')
            ColumnWindow(s.leftColumn);
        else
            ColumnWindow(number < 0 ? 1 : number);
        return true;
    }
    if (code[0] == 'U' || CodeIs(code, "RU  ")) {
        LineWindow(s.firstLine + (number < 0 ? 22 : number));
        return true;
    }
    if (code[0] == 'D' || CodeIs(code, "RD  ")) {
        LineWindow(s.firstLine - (number < 0 ? 22 : number));
        return true;
    }
    return false;
}

// The report line at which a field of the designed line stands.
int32_t ReportLineOf(const LAYOUT_FIELD_ENTRY& f)
{
    const ReportDesign& s = ReportStep();
    return BodySection(s.designed.section) ? s.firstDrawLine + f.lLine - 1 : f.lLine;
}

void PickForMove(bool restart)
{
    ReportDesign& s = ReportStep();
    if (restart)
        s.moveCount = 0;
    if (s.moveCount >= kMoveEntries) {
        SetRequest("MT  ");
        return;
    }
    s.collecting = true;
    P3019_IdentifyItem();
    if (s.found != 'Y') {
        SetRequest(restart ? "MS  " : "MT  ");
        return;
    }
    SetRequest("MT  ");
    char number[4];
    FIX_LongToDigits(&s.itemNumber, 4, number);
    for (int32_t i = 0; i < s.moveCount; ++i)
        if (std::memcmp(s.moves[i].number, number, 4) == 0)
            return;
    const LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    MoveEntry& m = s.moves[s.moveCount++];
    m.line = ReportLineOf(f);
    m.column = f.lColumn;
    std::memcpy(m.number, number, 4);
    m.last = f.lColumn + f.lWidth - 1;
    m.width = f.lWidth;
    ComposeReportMessage(3);
}

void MoveFields()
{
    ReportDesign& s = ReportStep();
    int32_t smallLine = 99999, bigLine = -99999, smallColumn = 99999, bigLast = -99999;
    for (int32_t i = 0; i < s.moveCount; ++i) {
        smallLine = std::min(smallLine, s.moves[i].line);
        bigLine = std::max(bigLine, s.moves[i].line);
        smallColumn = std::min(smallColumn, s.moves[i].column);
        bigLast = std::max(bigLast, s.moves[i].last);
    }
    const int32_t shift = s.mirror() == 'Y' ? bigLast - smallColumn : 0;
    const int32_t lineOffset = (s.firstLine + s.cursorRow - 1) - smallLine;
    const int32_t columnOffset = (s.leftColumn - shift + s.cursorColumn - 1) - smallColumn;
    const std::vector<MoveEntry> list(s.moves, s.moves + s.moveCount);
    for (const MoveEntry& m : list) {
        const int32_t number = FIX_lDigitsToLong(m.number, 4, nullptr);
        int32_t row = 0;
        for (int32_t n = 1; n <= s.rowCount && row == 0; ++n)
            if (OfDesignedLine(s.rows[n]) && ReportField(s.rows[n].entry).lFieldNumber % 10000 == number)
                row = n;
        if (row == 0) {
            ComposeReportMessage(4);
            continue;
        }
        s.itemRow = row;
        s.item = s.rows[row];
        const LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
        std::memcpy(s.itemName, f.acName, 10);
        s.itemNumber = f.lFieldNumber;
        const int32_t column = m.column + columnOffset + (s.mirror() == 'Y' ? m.width - 1 : 0);
        s.cursorRow = m.line + lineOffset - s.firstLine + 1;
        s.cursorColumn = column - s.leftColumn + 1;
        s.newPosition = true;
        P3019_CheckPlacement();
        if (s.fits != 'Y')
            break;
        P3019_StoreItem();
        ComposeReportMessage(6, MessageText(s.itemName, 10));
    }
    s.moveCount = 0;
    s.selection.clear();
    SetRequest("    ");
}

void ChangeSpacing()
{
    ReportDesign& s = ReportStep();
    SetRequest("    ");
    // The command keeps its spacing as 3 digits: a count outside 0 to 999
    // cannot be written back and is refused.
    if (s.linesBefore < 0 || s.linesBefore > 999 || s.linesAfter < 0 || s.linesAfter > 999) {
        ComposeReportMessage(26, MessageText(s.designed.command, 10));
        return;
    }
    for (ChosenLine& line : s.chosen)
        if (line.number == s.designed.number) {
            line.before = s.linesBefore;
            line.after = s.linesAfter;
        }
    s.designed.before = s.linesBefore;
    s.designed.after = s.linesAfter;
    FFC_PARSED_COMMAND& command = s.command;
    if (FindCommand(s.ctx, s.designed.number, s.designed.second, command)) {
        if (char* at = ParmAddress(command, "SPACE_BEF"))
            std::memcpy(at, &s.linesBefore, 4);
        if (char* at = ParmAddress(command, "SPACE_AFT"))
            std::memcpy(at, &s.linesAfter, 4);
        RS_PutCommandRecord(s.ctx, &command, sizeof command);
    }
    ComposeReportMessage(27, MessageText(s.designed.command, 10));
    P3019_RebuildReportPage();
    s.changed = 'Y';
}

void TakeText()
{
    ReportDesign& s = ReportStep();
    if (dqov::text::Trim(s.text, sizeof s.text).empty())
        return;
    if (s.mirror() == 'Y')
        layout::LeftAlignText(s.text, sizeof s.text);
    ComposeReportMessage(8, MessageText(s.text, sizeof s.text));
    SavedCursor();
    SetRequest("TP  ");
}

void PickTextToChange()
{
    ReportDesign& s = ReportStep();
    s.collecting = false;
    P3019_IdentifyItem();
    s.collecting = true;
    if (s.found != 'Y') {
        SetRequest("TCF ");
        return;
    }
    const LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    if (f.cType != 'T') {
        ComposeReportMessage(30, MessageText(s.itemName, 10));
        SetRequest("TCF ");
        return;
    }
    std::memcpy(s.text, f.acDisplayText, sizeof s.text);
    if (s.ctx->cRightToLeft == 'Y')
        layout::RightAlignText(s.text, sizeof s.text);
    std::memcpy(s.textMode, "CHG", 3);
    SetRequest("TS  ");
}

void RemovePicked()
{
    ReportDesign& s = ReportStep();
    s.collecting = false;
    P3019_IdentifyItem();
    s.collecting = true;
    SetRequest("    ");
    if (s.found != 'Y')
        return;
    const LAYOUT_FIELD_ENTRY f = ReportField(s.item.entry);
    P3019_RemoveItem();
    if (f.cType == 'T')
        ComposeReportMessage(11, MessageText(f.acDisplayText, 120));
    else
        ComposeReportMessage(16, MessageText(f.acName, 10));
}

void PickForIdentification()
{
    ReportDesign& s = ReportStep();
    s.collecting = false;
    P3019_IdentifyItem();
    s.collecting = true;
    SetRequest("    ");
    if (s.found != 'Y')
        return;
    const LAYOUT_FIELD_ENTRY& f = ReportField(s.item.entry);
    if (f.cType == 'T') {
        ComposeReportMessage(15);
        return;
    }
    std::memcpy(s.fieldName, f.acName, 10);
    s.identification = static_cast<unsigned char>(f.cIdentification);
    SetRequest("IC  ");
}

void AddTypedField()
{
    ReportDesign& s = ReportStep();
    if (dqov::text::Trim(s.fieldName, 10).empty())
        return;
    P31O2_SendPainterBusy(s.paint, 0);
    std::memcpy(s.paint->acAnswer, "WAIT", 4);
    P3019_AddField();
    P31O2_SendPainterBusy(s.paint, 1);
}

void PlaceField()
{
    ReportDesign& s = ReportStep();
    if (dqov::text::Trim(s.fieldName, 10).empty() || !s.added) {
        s.cursorRow = 24;
        s.cursorColumn = 21;
        SetRequest("FS  ");
        return;
    }
    P3019_PlaceNewField();
    if (s.placed != 'Y') {
        SetRequest("FP  ");
        return;
    }
    ComposeReportMessage(24, MessageText(ReportField(kSpareEntry).acName, 10));
    std::memset(s.fieldName, ' ', sizeof s.fieldName);
    std::memset(s.text, ' ', sizeof s.text);
    SetRequest("    ");
}

void PlaceTypedText()
{
    ReportDesign& s = ReportStep();
    if (dqov::text::Trim(s.text, sizeof s.text).empty()) {
        s.cursorRow = 24;
        s.cursorColumn = 38;
        SetRequest("TS  ");
        return;
    }
    P3019_PlaceText();
    if (s.done != 'Y') {
        SetRequest("TP  ");
        return;
    }
    ComposeReportMessage(10);
    std::memset(s.fieldName, ' ', sizeof s.fieldName);
    std::memset(s.text, ' ', sizeof s.text);
    SetRequest("    ");
}

}  // namespace

void SetRequest(const char* code)
{
    std::memcpy(ReportStep().painterCommand, code, 4);
}

void ComposeReportMessage(int number, const std::string& a, const std::string& b, const std::string& c)
{
    auto length = [](const std::string& t) { return static_cast<int16_t>(std::min<size_t>(t.size(), 100)); };
    P3019_ComposePainterMessage(static_cast<int16_t>(number), a.c_str(), length(a), b.c_str(), length(b), c.c_str(),
                                length(c));
}

}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3019_ComposePainterMessage(int16_t sNumber, const char* pText1, int16_t sLength1, const char* pText2,
                                 int16_t sLength2, const char* pText3, int16_t sLength3)
{
    ReportDesign& s = ReportStep();
    ComposeMessageLine(s.paint, sNumber, s.message, MessageText(pText1, sLength1), MessageText(pText2, sLength2),
                       MessageText(pText3, sLength3));
}

void P3019_SaveLineFields(void)
{
    DeleteRecords("SAVFLD    ", nullptr, 1);
    CopyRecords(LAYOUT_KIND_PRTFLD, "SAVFLD    ");
}

void P3019_RestoreLineFields(void)
{
    for (const ChosenLine& line : ReportStep().chosen)
        DeleteRecords(LAYOUT_KIND_PRTFLD, line.format, 2);
    CopyRecords("SAVFLD    ", LAYOUT_KIND_PRTFLD);
}

void P3019_DesignReportLine(void)
{
    ReportDesign& s = ReportStep();
    for (;;) {
        s.changed = 'N';
        s.chosen.push_back(s.designed);
        P3019_SaveLineFields();
        s.pendingShift = 0;
        P3019_RebuildReportPage();
        s.firstLine = 1;
        s.lastLine = 23;
        s.leftColumn = s.mirror() == 'Y' ? std::max(s.width - 79, 1) : 1;
        std::memcpy(s.leave, "DIS", 3);
        s.savedRow = 1;
        s.savedColumn = s.mirror() == 'Y' ? 79 : 2;
        s.ruler = 'N';
        s.rulerRow = s.rulerColumn = 3;
        SetRequest("    ");
        std::memset(s.answered, ' ', 4);
        ClearWork();
        s.moveCount = 0;
        std::memcpy(s.action, "  ", 2);
        s.identification = ' ';
        s.cursorRow = s.cursorColumn = 1;
        for (;;) {
            if (std::memcmp(s.leave, "END", 3) == 0) {
                if (s.changed == 'Y')
                    P3019_WriteBackLine();
                s.chosen.pop_back();
                return;
            }
            if (std::memcmp(s.leave, "RSS", 3) == 0) {
                s.chosen.pop_back();
                break;
            }
            P3019_DrawReportPage();
            if (s.ruler == 'Y')
                DrawRuler();
            MarkSelection();
            std::memset(s.screen, ' ', sizeof s.screen);
            std::memcpy(s.screen, s.image, kPageCells);
            int16_t fieldValue = 0;
            char asked[4];
            std::memcpy(asked, s.painterCommand, 4);
            int32_t row = s.cursorRow, column = s.cursorColumn;
            P31O2_sPainterCommand(nullptr, nullptr, &fieldValue, s.painterCommand, &row, &column, s.screen,
                                  s.message, s.fieldName, &s.identification, s.text, &s.linesAfter, &s.linesBefore,
                                  s.paint);
            if (!PainterPresent(s)) {
                // The painter went away: the line is left as it was.
                P3019_RestoreLineFields();
                s.changed = 'N';
                s.painterGone = true;
                s.chosen.pop_back();
                return;
            }
            if (!CursorAnswerInRange(row, column)) {
                // a cursor far off any report is refused as it is read:
                // the painter is asked the same again
                UnexpectedReply("P3019_DesignReportLine",
                                row < -kFarthestCursor || row > kFarthestCursor ? row : column);
                std::memcpy(s.painterCommand, asked, 4);
                UndoOverlay();
                continue;
            }
            s.cursorRow = row;
            s.cursorColumn = column;
            if (s.cursorRow < 1)
                s.cursorRow = 1;
            std::memcpy(s.answered, s.painterCommand, 4);
            std::memcpy(s.keptMessage, s.message, sizeof s.message);
            UndoOverlay();
            std::memset(s.message, ' ', sizeof s.message);
            P3019_RunPainterDialogue();
        }
    }
}

void P3019_RunPainterDialogue(void)
{
    ReportDesign& s = ReportStep();
    char code[4];
    std::memcpy(code, s.painterCommand, 4);
    auto is = [&](const char* what) { return CodeIs(code, what); };
    if (is("    ")) {
        ClearWork();
        SetRequest("    ");
    } else if (is("E   ") || is("EX  ") || is("EXIT")) {
        P3019_ChooseLeaveAction();
    } else if (is("G   ") || is("GR  ")) {
        if (s.ruler == 'Y') {
            s.ruler = 'N';
        } else {
            s.ruler = 'Y';
            s.rulerRow = s.cursorRow;
            s.rulerColumn = s.cursorColumn;
        }
        SetRequest(s.answered);
        std::memcpy(s.message, s.keptMessage, sizeof s.message);
    } else if (is("M   ")) {
        s.selection.clear();
        s.moveCount = 0;
        ComposeReportMessage(1);
        SavedCursor();
        SetRequest("MS  ");
    } else if (is("MS  ") || is("MA  ")) {
        PickForMove(is("MS  "));
    } else if (is("MT  ")) {
        MoveFields();
    } else if (is("TI  ")) {
        s.selection.clear();
        if (s.textCount >= 49) {
            ComposeReportMessage(9);
            SetRequest("    ");
        } else {
            std::memcpy(s.textMode, "NEW", 3);
            s.cursorRow = 24;
            s.cursorColumn = 38;
            SetRequest("TS  ");
        }
    } else if (is("TC  ")) {
        s.selection.clear();
        ComposeReportMessage(29);
        SetRequest("TCF ");
    } else if (is("TCF ")) {
        s.selection.clear();
        PickTextToChange();
    } else if (is("TS  ")) {
        s.selection.clear();
        TakeText();
    } else if (is("TP  ")) {
        s.selection.clear();
        PlaceTypedText();
    } else if (is("TD  ") || is("FD  ")) {
        s.selection.clear();
        ComposeReportMessage(is("TD  ") ? 12 : 13);
        SavedCursor();
        SetRequest(is("TD  ") ? "TR  " : "FR  ");
    } else if (is("TR  ") || is("FR  ")) {
        s.selection.clear();
        RemovePicked();
    } else if (is("I   ") || is("ID  ")) {
        s.selection.clear();
        ComposeReportMessage(14);
        SavedCursor();
        SetRequest("IS  ");
    } else if (is("IS  ")) {
        s.selection.clear();
        PickForIdentification();
    } else if (is("IC  ")) {
        s.selection.clear();
        if (dqov::text::Trim(s.itemName, 10).empty() || ReportField(s.item.entry).cType == 'T') {
            ComposeReportMessage(14);
            SetRequest("IS  ");
        } else {
            P3019_ChangeIdentification();
        }
    } else if (is("FI  ")) {
        ClearWork();
        s.identification = std::memcmp(s.designed.section, "DET", 3) == 0 ? 'C' : 'L';
        s.cursorRow = 24;
        s.cursorColumn = 21;
        SetRequest("FS  ");
    } else if (is("FS  ")) {
        s.selection.clear();
        AddTypedField();
    } else if (is("FP  ")) {
        s.selection.clear();
        PlaceField();
    } else if (is("SP  ")) {
        s.selection.clear();
        if (!BodySection(s.designed.section)) {
            ComposeReportMessage(26, MessageText(s.designed.command, 10));
            SetRequest("    ");
        } else {
            s.linesBefore = s.designed.before;
            s.linesAfter = s.designed.after;
            SetRequest("SS  ");
        }
    } else if (is("SS  ")) {
        s.selection.clear();
        ChangeSpacing();
    } else if (!Scroll(code)) {
        ComposeReportMessage(7, std::string(code, 4));
        SetRequest("    ");
    }
}

void P3019_ChooseLeaveAction(void)
{
    ReportDesign& s = ReportStep();
    const int16_t reply = P31O2_sPainterRequest5(s.paint, s.changed != 'N' ? 1 : 0);
    char image = 'N';
    if ((reply == 1 || reply == 2) && s.ctx->cReportImage == 'Y')
        image = static_cast<char>(P31O2_AskSaveReportImage(s.paint, s.changed));
    ClearWork();
    std::memcpy(s.action, "RA", 2);
    SetRequest("    ");
    if (reply == 1) {
        std::memcpy(s.leave, "END", 3);
    } else if (reply == 2 || reply == 4) {
        P3019_RestoreLineFields();
        s.pendingShift = 0;
        P3019_RebuildReportPage();
        if (reply == 2)
            s.changed = 'N';
        std::memcpy(s.leave, reply == 2 ? "END" : "RSS", 3);
    }
    if (image == 'Y')
        P3019_SaveReportImage();
}

}  // extern "C"
