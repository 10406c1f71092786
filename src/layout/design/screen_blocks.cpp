// Field blocks of a designed screen: the field with its identification
// (column headings above it, a label beside it, or a description with
// prompt dots) as one block; the field under the painter's cursor; the test
// whether a block fits at a position; and the drawing of a field.
#include "layout/design/screen_design.h"

#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "params/fixed_text.h"

using namespace layout::design;

namespace {

bool ListFormat(int32_t index)
{
    const ScreenDesign& s = ScreenStep();
    return index >= 1 && index <= static_cast<int32_t>(s.formats.size()) &&
           std::memcmp(s.formats[index - 1].kind, "SFL   ", 6) == 0;
}

void Refuse(int message)
{
    ScreenDesign& s = ScreenStep();
    s.fits = 'N';
    s.fitMessage = message;
    ScreenMessage(message);
}

}  // namespace

namespace layout::design {

bool CursorOnScreen()
{
    ScreenDesign& s = ScreenStep();
    if (s.cursorLine < 1 || s.cursorColumn < 1) {
        Refuse(10);
        return false;
    }
    if (s.cursorLine > kScreenLines || s.cursorColumn > s.width) {
        Refuse(11);
        return false;
    }
    return true;
}

}  // namespace layout::design

extern "C" {

void P3097_ComputeFieldBlock(void)
{
    ScreenDesign& s = ScreenStep();
    LAYOUT_FIELD_ENTRY& f = Field();
    f.lValueOffset = f.lIdentOffset = f.lRightLabelOffset = 0;
    const bool listHeading = f.cHeadingInControl == 'Y';
    const bool rightToLeft = s.ctx->cRightToLeft == 'Y';
    if (f.cIdentification == 'N' && !listHeading) {
        f.lWidth = f.lValueWidth;
    } else if (f.cIdentification == 'L' && !listHeading) {
        if (P3097_cGetAlignment(s.ctx) != 'R')
            f.lValueOffset = f.lLabelWidth + 1;
        else
            f.lRightLabelOffset = f.lValueWidth + 1;
        f.lWidth = f.lValueWidth + f.lLabelWidth + 1;
    } else if (f.cIdentification == 'D' && !listHeading) {
        f.lValueOffset = rightToLeft ? 0 : f.lDescriptionWidth + 7;
        f.lWidth = f.lDescriptionWidth + f.lValueWidth + 7;
    } else if (f.lValueWidth <= f.lHeadingWidth) {
        f.lWidth = f.lHeadingWidth;
        f.lValueOffset = f.lHeadingWidth - f.lValueWidth;
        if (f.cType == 'A')
            f.lValueOffset /= 2;
    } else {
        f.lWidth = f.lValueWidth;
        f.lIdentOffset = f.cType == 'A' && !rightToLeft ? 0 : f.lValueWidth - f.lHeadingWidth;
    }
    f.lLines = 1;
    if (f.cIdentification == 'C')
        for (int16_t width : f.asHeadingWidths)
            f.lLines += width > 0 ? 1 : 0;
}

void P3097_FindFieldAtCursor(void)
{
    ScreenDesign& s = ScreenStep();
    s.found = 'N';
    if (s.cursorLine < 1 || s.cursorColumn < 1 || s.cursorColumn > s.width) {
        ScreenMessage(3);
        return;
    }
    const int32_t cell = (s.cursorLine - 1) * s.width + s.cursorColumn;
    const char kind = cell <= s.size ? s.kinds[cell] : ' ';
    const int message = kind == ' ' ? 3 : kind == 'H' ? 6 : kind == 'F' ? 7 : kind == 'W' ? 27 : 0;
    if (message != 0) {
        ScreenMessage(message);
        return;
    }
    const std::string number = RecordNumber(s.owners[cell]);
    if (s.owners[cell] == 0 || !ReadFieldRecord(number)) {
        ScreenMessage(3);
        return;
    }
    LAYOUT_FIELD_ENTRY& f = WorkElement(1);
    std::memcpy(&f, s.record.acData, sizeof f);
    s.current = 1;
    P3097_AddOffsets();
    if (f.cControlPart == 'Y') {
        ScreenMessage(8);
        return;
    }
    s.found = 'Y';
    std::memcpy(s.selName, f.acName, 10);
    std::memcpy(s.selFormat, s.record.acName, 8);
    s.selKind = f.cType == 'T' ? 'T' : kind;
    std::memcpy(s.selNumber, number.data(), 4);
    s.selFormatIndex = 0;
    for (size_t i = 0; i < s.formats.size() && i < kScreenFormats; ++i)
        if (std::memcmp(s.formats[i].name, s.selFormat, 8) == 0)
            s.selFormatIndex = static_cast<int32_t>(i + 1);
    s.homeLine = s.cursorLine;
    s.homeColumn = s.keptColumn > 0 ? s.keptColumn : s.cursorColumn;
    if (!s.lookupQuiet)
        P3097_DrawField();
}

void P3097_fFieldBlockFits(void)
{
    ScreenDesign& s = ScreenStep();
    LAYOUT_FIELD_ENTRY& f = Field();
    s.fits = 'Y';
    if (ListFormat(s.selFormatIndex)) {
        const ScreenFormat& format = s.formats[s.selFormatIndex - 1];
        if (s.cursorLine > format.first) {
            f.cIdentification = 'L';
            f.cHeadingInControl = 'N';
        } else {
            f.cIdentification = 'N';
            f.cHeadingInControl = 'Y';
        }
        P3097_ComputeFieldBlock();
    }
    int32_t firstCell = 1, lastCell = s.size;
    if (s.selFormatIndex >= 1 && s.selFormatIndex <= static_cast<int32_t>(s.formats.size())) {
        firstCell = s.formats[s.selFormatIndex - 1].firstCell;
        lastCell = s.formats[s.selFormatIndex - 1].lastCell;
    }
    const int32_t own = f.lFieldNumber % 10000;
    const int32_t headings = f.lLines - 1;
    for (int32_t k = 0; k < std::max<int32_t>(f.lLines, 1); ++k) {
        const int32_t line = s.cursorLine + k;
        const int32_t start = (line - 1) * s.width + s.cursorColumn - 1;
        const bool heading = f.cIdentification == 'C' && k < headings;
        const int32_t end = start + (heading ? f.lIdentOffset + f.lHeadingWidth : f.lWidth) + 1;
        if (start < firstCell || start > lastCell)
            return Refuse(10);
        if (end < firstCell || end > lastCell)
            return Refuse(11);
        if (s.flag(33) == 'Y' && (start - 1) / s.width != (end - 1) / s.width)
            return Refuse(34);
        for (int32_t cell = std::max(start, 1); cell <= end && cell <= s.size; ++cell) {
            if (static_cast<unsigned char>(s.chars[cell]) > 31 && s.owners[cell] != 0 && s.owners[cell] != own)
                return Refuse(12);
            if (s.popUp && s.kinds[cell] == 'W')
                return Refuse(28);
        }
    }
    s.homeLine = s.cursorLine;
    s.homeColumn = s.cursorColumn;
}

void P3097_ShowField(void)
{
    ShowFieldPieces();
}

}  // extern "C"
