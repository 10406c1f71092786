// The painter dialogue of the screen being designed: one call handles one
// answer of the painter (its request code, cursor, text line, field name
// or identification letter) on the screen's work records and image, and
// leaves the next prompt and the pending action.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "params/fixed_text.h"

namespace {

using namespace layout::design;

void Request(const char* code)
{
    std::memcpy(ScreenStep().painterCommand, code, 4);
}

bool Is(const char* code, const char* what)
{
    return std::memcmp(code, what, 4) == 0;
}

void Home()
{
    ScreenDesign& s = ScreenStep();
    s.cursorLine = s.homeLine;
    s.cursorColumn = s.homeColumn;
}

std::string Name(const char* name)
{
    return MessageText(name, 10);
}

int32_t Owner()
{
    return FIX_lDigitsToLong(ScreenStep().selNumber, 4, nullptr);
}

char DrawKind()
{
    const ScreenDesign& s = ScreenStep();
    if (s.selFormatIndex >= 1 && s.selFormatIndex <= static_cast<int32_t>(s.formats.size()))
        return FormatKindLetter(s.formats[s.selFormatIndex - 1]);
    return 'R';
}

// The field at the cursor without highlighting it.
void LookUpQuietly()
{
    ScreenDesign& s = ScreenStep();
    s.lookupQuiet = true;
    P3097_FindFieldAtCursor();
    s.lookupQuiet = false;
}

void BringUpToDate()
{
    ScreenDesign& s = ScreenStep();
    const bool subfile = s.selected >= 1 && std::memcmp(s.formats[s.selected - 1].kind, "SFLCTL", 6) == 0;
    if (subfile)
        P3097_SetFormatLines();
}

// Tries the field of element 1 at the cursor on a scratch copy (element
// 2); on success it is taken off the image, shown at its new place and its
// record rewritten, and element 1 holds the result.
template <typename Prepare> bool TryAtCursor(Prepare prepare)
{
    ScreenDesign& s = ScreenStep();
    if (!CursorOnScreen())
        return false;
    WorkElement(2) = WorkElement(1);
    s.current = 2;
    prepare(WorkElement(2));
    P3097_MirrorColumn();
    P3097_fFieldBlockFits();
    if (s.fits != 'Y') {
        s.current = 1;
        P3097_UnmirrorColumn();
        return false;
    }
    s.current = 1;
    s.owner = Owner();
    P3097_EraseField();
    s.current = 2;
    Field().lLine = s.cursorLine;
    Field().lColumn = s.cursorColumn;
    s.kind = DrawKind();
    s.owner = Owner();
    P3097_ShowField();
    RewriteFieldRecord();
    WorkElement(1) = WorkElement(2);
    s.current = 1;
    return true;
}

bool TryAtCursor()
{
    return TryAtCursor([](LAYOUT_FIELD_ENTRY&) {});
}

// ---- pop-up window --------------------------------------------------------

bool PopUpFits()
{
    P3097_CheckPopUpWindow();
    return !ScreenStep().windowError;
}

void KeepOrRestore(bool fits)
{
    ScreenDesign& s = ScreenStep();
    if (!fits) {
        std::memcpy(s.popData, s.popSaved, sizeof s.popData);
        P3097_CheckPopUpWindow();
        return;
    }
    if (std::memcmp(s.popData, s.popSaved, sizeof(POP_UP_DATA)) == 0)
        return;
    RewritePopUpRecord();
    s.anyChanged = s.popChanged = 'Y';
    P3097_MoveWindowFormats();
}

void MoveStep(int32_t lines, int32_t columns)
{
    POP_UP_DATA& p = PopUp();
    do {
        p.lLine += lines;
        p.lColumn += columns;
    } while (PopUpFits());
    p.lLine -= lines;
    p.lColumn -= columns;
    KeepOrRestore(PopUpFits());
}

bool ColumnFree(int32_t column)
{
    const ScreenDesign& s = ScreenStep();
    const POP_UP_DATA& p = PopUp();
    for (int32_t line = p.lFirstUsable; line <= p.lLastUsable; ++line) {
        const int32_t cell = (line - 1) * s.width + column;
        if (cell >= 1 && cell <= s.size && s.owners[cell] != 0)
            return false;
    }
    return true;
}

bool LineFree(int32_t line)
{
    const ScreenDesign& s = ScreenStep();
    const POP_UP_DATA& p = PopUp();
    for (int32_t column = p.lColumn; column <= p.lColumn + p.lWidth - 1; ++column) {
        const int32_t cell = (line - 1) * s.width + column;
        if (cell >= 1 && cell <= s.size && s.owners[cell] != 0)
            return false;
    }
    return true;
}

void ShrinkPopUp()
{
    POP_UP_DATA& p = PopUp();
    bool lowered = false;
    while (p.lWidth > 3 && ColumnFree(p.lColumn + p.lWidth - 1)) {
        --p.lWidth;
        lowered = true;
    }
    if (lowered)
        p.lWidth += 2;
    while (p.lHeight > 5 && LineFree(p.lLastUsable)) {
        --p.lHeight;
        --p.lLastUsable;
    }
    KeepOrRestore(PopUpFits());
}

bool PopUpRequest(const char* code)
{
    ScreenDesign& s = ScreenStep();
    static constexpr const char* kCodes[10] = {"PM  ", "PMP ", "PMU ", "PMD ", "PML ",
                                               "PMR ", "PLEN", "PWID", "PMAX", "PMIN"};
    if (std::none_of(std::begin(kCodes), std::end(kCodes), [&](const char* c) { return Is(code, c); }))
        return false;
    if (!s.popUp) {
        Request("    ");
        return true;
    }
    std::memcpy(s.popSaved, s.popData, sizeof s.popSaved);
    POP_UP_DATA& p = PopUp();
    if (Is(code, "PM  ")) {
        ScreenMessage(35);
        Request("PMP ");
        return true;
    }
    Request("    ");
    if (Is(code, "PMP ")) {
        p.lLine = s.cursorLine;
        p.lColumn = s.cursorColumn;
        KeepOrRestore(PopUpFits());
    } else if (Is(code, "PMU ") || Is(code, "PMD ") || Is(code, "PML ") || Is(code, "PMR ")) {
        MoveStep(Is(code, "PMU ") ? -1 : Is(code, "PMD ") ? 1 : 0, Is(code, "PML ") ? -1 : Is(code, "PMR ") ? 1 : 0);
    } else if (Is(code, "PLEN")) {
        if (p.lLine + p.lHeight < s.screenLines) {
            ++p.lHeight;
            std::memcpy(s.pendingRequest, "PLEN", 4);
        }
        KeepOrRestore(PopUpFits());
    } else if (Is(code, "PWID")) {
        if (p.lWidth + p.lColumn + 2 < kScreenWidth) {
            ++p.lWidth;
            std::memcpy(s.pendingRequest, "PWID", 4);
        }
        KeepOrRestore(PopUpFits());
    } else if (Is(code, "PMAX")) {
        p.lWidth = 78 - p.lColumn;
        p.lHeight = s.screenLines - p.lLine;
        KeepOrRestore(PopUpFits());
    } else {
        ShrinkPopUp();
    }
    std::memcpy(s.pending, "RS2", 3);
    return true;
}

// ---- marking and moving ---------------------------------------------------

void MarkField(bool restart)
{
    ScreenDesign& s = ScreenStep();
    if (restart)
        P3097_UndoAttributes();
    Request("MT  ");
    ScreenMessage(4);
    if (s.markCount >= kMarks)
        return;
    s.keepHighlights = 'N';
    LookUpQuietly();
    if (s.found != 'Y') {
        s.keepHighlights = 'Y';
        return;
    }
    for (int32_t i = 0; i < s.markCount; ++i)
        if (s.marks[i].kind != s.selKind || std::memcmp(s.marks[i].number, s.selNumber, 4) == 0) {
            s.keepHighlights = 'Y';
            return;
        }
    P3097_DrawField();
    s.keepHighlights = 'Y';
    Mark& m = s.marks[s.markCount++];
    m.line = s.selKind == 'S' ? s.areaLastLine : s.areaFirstLine;
    m.column = s.areaFirstColumn;
    m.kind = s.selKind;
    std::memcpy(m.number, s.selNumber, 4);
    std::memset(m.filler, ' ', sizeof m.filler);
    m.cursorLine = s.cursorLine;
    m.cursorColumn = s.cursorColumn;
    m.last = s.areaLastColumn;
    m.width = Field().lWidth;
}

void MoveMarked()
{
    ScreenDesign& s = ScreenStep();
    std::vector<Mark> marks(s.marks, s.marks + s.markCount);
    int32_t smallLine = 99999, bigLine = -99999, smallColumn = 99999, bigEnd = -99999;
    for (const Mark& m : marks) {
        smallLine = std::min(smallLine, m.line);
        bigLine = std::max(bigLine, m.line);
        smallColumn = std::min(smallColumn, m.column);
        bigEnd = std::max(bigEnd, m.last);
    }
    const int32_t spread = s.mirror() == 'Y' ? bigEnd - smallColumn : 0;
    const int32_t lineOffset = s.cursorLine - smallLine;
    const int32_t columnOffset = s.cursorColumn - spread - smallColumn;
    const bool ascending = lineOffset < 0 || (lineOffset == 0 && columnOffset < 0);
    std::stable_sort(marks.begin(), marks.end(), [&](const Mark& a, const Mark& b) {
        return ascending ? P3097_CompareKeysUp(&a, &b) < 0 : P3097_CompareKeysDown(&a, &b) < 0;
    });
    P3097_UndoAttributes();
    for (const Mark& m : marks) {
        s.cursorLine = m.cursorLine;
        s.cursorColumn = m.cursorColumn;
        LookUpQuietly();
        if (s.found != 'Y')
            break;
        if (dqov::text::Trim(s.selName, 10).empty()) {
            ScreenMessage(5);
            Request("MS  ");
            return;
        }
        s.cursorLine = m.line + lineOffset;
        s.cursorColumn = m.column + columnOffset + (s.mirror() == 'Y' ? m.width - 1 : 0);
        if (!TryAtCursor()) {
            // the refusal's message tells why the move stopped
            Request("    ");
            return;
        }
        SetChanged(s.selKind);
        BringUpToDate();
        ScreenMessage(9, Name(s.selName));
    }
    Request("    ");
    std::memset(s.message, ' ', sizeof s.message);
}

// ---- texts ------------------------------------------------------------------

void TakeText()
{
    ScreenDesign& s = ScreenStep();
    if (dqov::text::Trim(s.textLine, sizeof s.textLine).empty())
        return;
    if (s.mirror() == 'Y')
        layout::LeftAlignText(s.textLine, sizeof s.textLine);
    if (s.ctx->cKeepQuotes != 'Y')
        std::replace(s.textLine, s.textLine + sizeof s.textLine, '\'', '"');
    int32_t length = static_cast<int32_t>(dqov::text::Trim(s.textLine, sizeof s.textLine).size());
    length = P3097_usGetDbcsLength(s.ctx, nullptr, static_cast<uint16_t>(length), s.textLine, s.adjTexts);
    LAYOUT_FIELD_ENTRY& f = WorkElement(1);
    s.current = 1;
    if (std::memcmp(s.textMode, "CHG", 3) == 0) {
        s.cursorLine = f.lLine;
        s.cursorColumn = s.mirror() == 'Y' ? std::min(f.lColumn + f.lValueWidth - 1, kScreenWidth) : f.lColumn;
    } else {
        Home();
        std::memset(&f, ' ', sizeof f);
        int32_t count = s.textCount + 1;
        std::memcpy(f.acName, "TEXT", 4);
        FIX_LongToDigits(&count, 6, f.acName + 4);
        f.cType = 'T';
        s.nextSequence -= 1;
        f.lFieldNumber = static_cast<int32_t>(s.nextSequence);
        f.lLine = f.lColumn = 0;
        f.lDecimals = f.lLabelWidth = f.lHeadingWidth = f.lDescriptionWidth = 0;
        f.lValueOffset = f.lIdentOffset = f.lRightLabelOffset = 0;
        f.asHeadingWidths[0] = f.asHeadingWidths[1] = f.asHeadingWidths[2] = 0;
        f.sPushButton = 0;
        f.cControlKind = 'N';
        f.cFieldEntry = 'N';
        f.cControlPart = f.cHeadingInControl = f.cNewPage = f.cCounted = f.cFailed = f.cRepeat = 'N';
        f.cPlaced = 'Y';
        std::memcpy(s.selFormat, s.formats.empty() ? "        " : s.formats.front().name, 8);
        s.selFormatIndex = 1;
    }
    P3097_NormaliseAttributeFlags();
    f.lLength = f.lValueWidth = f.lWidth = length;
    std::memset(f.acEditMask, ' ', sizeof f.acEditMask);
    std::memcpy(f.acEditMask, s.textLine, sizeof s.textLine);
    std::memcpy(f.acDisplayText, f.acEditMask, sizeof f.acDisplayText);
    f.cIdentification = 'N';
    std::memcpy(f.acInputFlags, s.textFlags, 14);
    std::memset(f.acInputFlags + 14, 'N', 16);
    std::memset(f.acOutputFlags, '0', sizeof f.acOutputFlags);
    f.cUsage = 'O';
    f.lLines = 1;
    std::memcpy(s.selName, f.acName, 10);
    s.selKind = 'T';
    const std::string number = RecordNumber(f.lFieldNumber);
    std::memcpy(s.selNumber, number.data(), 4);
    s.found = 'Y';
    s.textTaken = true;
    ScreenMessage(14, MessageText(s.textLine, sizeof s.textLine));
    Request("TP  ");
}

// Writes the placed field (element 1) as a new RCDFLD record.
void WriteNewRecord()
{
    ScreenDesign& s = ScreenStep();
    LAYOUT_FIELD_ENTRY f = WorkElement(1);
    if (f.lLine > 0)
        f.lLine -= s.originLine;
    if (f.lColumn > 0)
        f.lColumn -= s.originColumn;
    ScreenKey(s.record, LAYOUT_KIND_RCDFLD, std::string(s.selFormat, 8), RecordNumber(f.lFieldNumber));
    std::memcpy(s.record.acData, &f, sizeof f);
    P3097_WriteRecord();
}

void PlaceSelected(bool text)
{
    ScreenDesign& s = ScreenStep();
    const bool blank = text ? dqov::text::Trim(s.textLine, sizeof s.textLine).empty() || !s.textTaken : !s.inserted;
    if (blank || dqov::text::Trim(s.selName, 10).empty()) {
        if (text) {
            s.cursorLine = 24;
            s.cursorColumn = 38;
        }
        Request(text ? "TS  " : "FS  ");
        return;
    }
    const bool change = text && std::memcmp(s.textMode, "CHG", 3) == 0;
    auto old = [&](void (*draw)()) {
        WorkElement(2) = s.oldText;
        s.current = 2;
        s.kind = DrawKind();
        s.owner = Owner();
        draw();
        s.current = 1;
    };
    if (change)
        old(P3097_EraseField);
    if (!TryAtCursor()) {
        if (change)
            old(P3097_ShowField);
        return;
    }
    if (change) {
        ScreenKey(s.record, LAYOUT_KIND_RCDFLD, {}, std::string(s.selNumber, 4));
        P3097_ReadAndDeleteBySecondKey();
        --s.textCount;
    }
    WriteNewRecord();
    s.inserted = s.textTaken = false;
    if (text)
        ++s.textCount;
    BringUpToDate();
    SetChanged(text ? 'T' : DrawKind());
    Request("    ");
    if (text)
        ScreenMessage(16);
    std::memset(s.fieldName, ' ', sizeof s.fieldName);
    std::memset(s.textLine, ' ', sizeof s.textLine);
}

void PickText()
{
    ScreenDesign& s = ScreenStep();
    LookUpQuietly();
    if (s.found != 'Y') {
        Request("TCF ");
        return;
    }
    const LAYOUT_FIELD_ENTRY& f = WorkElement(1);
    if (f.cType != 'T') {
        ScreenMessage(18, Name(f.acName));
        Request("TCF ");
        return;
    }
    s.oldText = f;
    std::memcpy(s.textFlags, f.acInputFlags, 14);
    std::memcpy(s.textLine, f.acEditMask, sizeof s.textLine);
    if (s.ctx->cRightToLeft == 'Y') {
        std::memcpy(s.drawText, s.textLine, sizeof s.textLine);
        s.length = sizeof s.textLine;
        P3097_RightAlignKeyText();
        std::memcpy(s.textLine, s.drawText, sizeof s.textLine);
    }
    Request("TS  ");
}

void RemoveSelected()
{
    ScreenDesign& s = ScreenStep();
    LookUpQuietly();
    Request("    ");
    if (s.found != 'Y')
        return;
    const LAYOUT_FIELD_ENTRY f = WorkElement(1);
    s.current = 1;
    s.owner = Owner();
    P3097_EraseField();
    ScreenKey(s.record, LAYOUT_KIND_RCDFLD, {}, std::string(s.selNumber, 4));
    P3097_ReadAndDeleteBySecondKey();
    if (f.cType == 'T')
        --s.textCount;
    SetChanged(s.selKind);
    BringUpToDate();
    if (f.cType == 'T')
        ScreenMessage(19, MessageText(f.acEditMask, f.lLength));
    else
        ScreenMessage(26, Name(f.acName));
}

// ---- identification -----------------------------------------------------

void PickForIdentification()
{
    ScreenDesign& s = ScreenStep();
    LookUpQuietly();
    Request("    ");
    if (s.found != 'Y')
        return;
    if (s.selKind == 'T') {
        ScreenMessage(23);
        return;
    }
    if (s.selKind != 'R') {
        ScreenMessage(24);
        return;
    }
    std::memcpy(s.fieldName, s.selName, 10);
    s.identification = static_cast<unsigned char>(WorkElement(1).cIdentification);
    Request("IC  ");
}

bool LetterAllowed(char kind, char letter)
{
    if (kind == 'B')
        return letter == 'N';
    if (kind == 'R' || kind == 'X')
        return letter == 'N' || letter == 'L';
    return true;
}

void ChangeIdentification()
{
    ScreenDesign& s = ScreenStep();
    Request("    ");
    const char letter = static_cast<char>(s.identification);
    const LAYOUT_FIELD_ENTRY& f = WorkElement(1);
    if (!LetterAllowed(f.cControlKind, letter))
        return;
    s.cursorLine = f.lLine;
    s.cursorColumn = f.lColumn;
    const bool fits = TryAtCursor([&](LAYOUT_FIELD_ENTRY& e) {
        e.cIdentification = letter;
        P3097_ComputeFieldBlock();
    });
    if (!fits) {
        Request("IS  ");
        return;
    }
    SetChanged(s.selKind);
    ScreenMessage(22, Name(f.acName));
}

}  // namespace

extern "C" void P3097_RunPainterDialogue(void)
{
    ScreenDesign& s = ScreenStep();
    char code[4];
    std::memcpy(code, s.painterCommand, 4);
    std::memset(s.message, ' ', sizeof s.message);
    auto is = [&](const char* what) { return Is(code, what); };
    if (PopUpRequest(code))
        return;
    if (is("E   ") || is("EX  ")) {
        Request("    ");
        P3097_ChooseLeaveAction();
        if (std::memcmp(s.pending, "END", 3) == 0)
            std::memcpy(s.paint->acTextLine, s.displayHeader, sizeof s.paint->acTextLine);
    } else if (is("    ")) {
        std::memset(s.fieldName, ' ', sizeof s.fieldName);
        std::memset(s.textLine, ' ', sizeof s.textLine);
        Request("    ");
    } else if (is("G   ") || is("GR  ")) {
        s.ruler = s.ruler == 'Y' ? 'N' : 'Y';
        if (s.ruler == 'Y') {
            s.rulerLine = s.cursorLine;
            s.rulerColumn = s.cursorColumn;
        }
        Request("    ");
    } else if (is("M   ")) {
        Home();
        ScreenMessage(2);
        Request("MS  ");
    } else if (is("MS  ") || is("MA  ")) {
        MarkField(is("MS  "));
    } else if (is("MT  ")) {
        MoveMarked();
    } else if (is("TI  ")) {
        Request("    ");
        std::memcpy(s.textMode, "NEW", 3);
        if (s.textCount >= 50) {
            ScreenMessage(15);
        } else if (s.selected != 1) {
            ScreenMessage(17);
        } else {
            std::memset(s.textFlags, 'N', sizeof s.textFlags);
            s.textFlags[0] = 'Y';
            Request("TS  ");
        }
    } else if (is("TC  ")) {
        std::memcpy(s.textMode, "CHG", 3);
        Home();
        ScreenMessage(33);
        Request("TCF ");
    } else if (is("TCF ")) {
        PickText();
    } else if (is("TS  ")) {
        TakeText();
    } else if (is("TP  ") || is("FP  ")) {
        PlaceSelected(is("TP  "));
    } else if (is("TD  ") || is("FD  ")) {
        Home();
        ScreenMessage(is("TD  ") ? 20 : 21);
        Request(is("TD  ") ? "TR  " : "FR  ");
    } else if (is("TR  ") || is("FR  ")) {
        RemoveSelected();
    } else if (is("I   ") || is("ID  ")) {
        Home();
        ScreenMessage(22);
        Request("IS  ");
    } else if (is("IS  ")) {
        PickForIdentification();
    } else if (is("IC  ")) {
        ChangeIdentification();
    } else if (is("FI  ")) {
        s.inserted = false;
        std::memset(s.fieldName, ' ', sizeof s.fieldName);
        s.identification = static_cast<unsigned char>(s.defaultLetter);
        Request("FS  ");
    } else if (is("FS  ")) {
        Request("    ");
        if (dqov::text::Trim(s.fieldName, 10).empty())
            return;
        P31O2_SendPainterBusy(s.paint, 0);
        std::memcpy(s.paint->acAnswer, "WAIT", 4);
        P3097_InsertField();
        P31O2_SendPainterBusy(s.paint, 1);
        if (Is(s.painterCommand, "FP  "))
            Home();
    } else {
        ScreenMessage(13, std::string(code, 4));
        Request("    ");
    }
}
