// The screen image of the screen design step: one byte per cell (codes 0
// to 31 are attribute cells, the others displayed characters), the kind of
// thing in each cell and the field that owns it, with the primitives that
// draw and erase texts and fields, highlight them, and overlay a ruler.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "params/fixed_text.h"

namespace layout::design {

namespace {

bool Blank(const char* text, size_t n)
{
    return dqov::text::Trim(text, n).empty();
}

bool HeadingPresent(const LAYOUT_FIELD_ENTRY& f, int k)
{
    return f.asHeadingWidths[k] > 0 || !Blank(f.acHeadings[k], 20);
}

int32_t HeadingLines(const LAYOUT_FIELD_ENTRY& f)
{
    int32_t n = 0;
    for (int k = 0; k < 3; ++k)
        n += HeadingPresent(f, k) ? 1 : 0;
    return n;
}

void SetText(const char* text, int32_t length, int32_t maximum)
{
    ScreenDesign& s = ScreenStep();
    std::memset(s.drawText, ' ', sizeof s.drawText);
    std::memcpy(s.drawText, text, static_cast<size_t>(std::clamp<int32_t>(std::min(length, maximum), 0, 256)));
    s.length = length;
}

enum class Pieces { Highlight, Show, Erase };

void Piece(Pieces how, int32_t line, int32_t column, const char* text, int32_t length, int32_t maximum,
           int32_t attribute)
{
    ScreenDesign& s = ScreenStep();
    s.line = line;
    s.column = column;
    SetText(text, length, maximum);
    if (how == Pieces::Erase)
        return P3097_EraseText();
    if (how == Pieces::Highlight)
        P3097_ExtendChangedArea();
    s.attribute = how == Pieces::Highlight ? 1 : attribute;
    P3097_PutText();
}

// The pieces of a field at their places: column headings, label or
// description with its prompt dots, then the value.
void FieldPieces(Pieces how)
{
    ScreenDesign& s = ScreenStep();
    const LAYOUT_FIELD_ENTRY& f = Field();
    const int32_t L = f.lLine, C = f.lColumn;
    if (L < 1 || C < 1 || f.cControlPart == 'Y')
        return;
    const bool above = f.cHeadingInControl == 'Y';
    const int32_t headings = HeadingLines(f);
    if (f.cIdentification == 'C' || above) {
        int32_t line = above ? L - headings : L;
        for (int k = 0; k < 3; ++k) {
            if (!HeadingPresent(f, k))
                continue;
            Piece(how, line++, C + f.lIdentOffset, f.acHeadings[k], f.lHeadingWidth, 20, 0);
        }
    }
    if (f.cIdentification == 'L' && !Blank(f.acLabel, 15))
        Piece(how, L, C + f.lRightLabelOffset, f.acLabel, f.lLabelWidth, 15, 0);
    if (f.cIdentification == 'D' && !Blank(f.acDescription, 40)) {
        const bool output = f.cUsage == 'O';
        if (s.ctx->cRightToLeft == 'Y') {
            Piece(how, L, C + f.lValueWidth + 7, f.acDescription, f.lDescriptionWidth, 40, 0);
            Piece(how, L, C + f.lValueWidth + 1, output ? ": . ." : ". . .", 5, 5, 0);
        } else {
            Piece(how, L, C, f.acDescription, f.lDescriptionWidth, 40, 0);
            Piece(how, L, C + f.lDescriptionWidth + 1, output ? ". . :" : ". . .", 5, 5, 0);
        }
    }
    const int32_t valueLine = f.cIdentification == 'C' && !above ? L + headings : L;
    Piece(how, valueLine, C + f.lValueOffset, f.acEditMask, f.lValueWidth, 256, P3097_FieldAttributeCode(&f));
}

bool Set(const char* flags, int number)
{
    return flags[number - 1] == 'Y' || flags[number - 1] == '1';
}

}  // namespace

int32_t FieldHeadingLines(const LAYOUT_FIELD_ENTRY& f)
{
    return HeadingLines(f);
}

void ShowFieldPieces()
{
    FieldPieces(Pieces::Show);
}

}  // namespace layout::design

using namespace layout::design;

extern "C" {

int32_t P3097_CellFromPosition(void)
{
    const ScreenDesign& s = ScreenStep();
    return (s.line - 1) * s.width + s.column;
}

void P3097_PositionFromCell(int32_t lCell)
{
    ScreenDesign& s = ScreenStep();
    s.line = std::max<int32_t>((lCell + s.width - 1) / s.width, 1);
    const int32_t rest = lCell % s.width;
    s.column = rest == 0 ? s.width : rest;
}

void P3097_PutText(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.length < 1 || s.length > 256)
        return;
    const int32_t c = P3097_CellFromPosition();
    auto set = [&](int32_t cell, char value) {
        s.chars[cell] = value;
        s.kinds[cell] = s.kind;
        s.owners[cell] = s.owner;
    };
    if (c - 1 >= 1 && c - 1 <= s.size) {
        if (s.remember)
            s.attributeUndo.emplace_back(c - 1, s.chars[c - 1]);
        set(c - 1, static_cast<char>(s.attribute));
    }
    for (int32_t i = 0; i < s.length; ++i) {
        if (c + i > s.size)
            break;
        if (c + i >= 1)
            set(c + i, s.drawText[i]);
    }
    const int32_t after = c + s.length;
    if (after >= 1 && after <= s.size && static_cast<unsigned char>(s.chars[after]) > 31) {
        if (s.remember)
            s.attributeUndo.emplace_back(after, s.chars[after]);
        set(after, '\0');
    }
}

void P3097_EraseText(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.length < 1 || s.length > 256)
        return;
    const int32_t c = P3097_CellFromPosition();
    auto clear = [&](int32_t cell, char value) {
        if (cell < 1 || cell > s.size || s.owners[cell] != s.owner)
            return;
        s.chars[cell] = value;
        s.kinds[cell] = ' ';
        s.owners[cell] = 0;
    };
    clear(c - 1, '\0');
    for (int32_t i = 0; i < s.length; ++i)
        clear(c + i, ' ');
    clear(c + s.length, '\0');
}

void P3097_DrawField(void)
{
    ScreenDesign& s = ScreenStep();
    const LAYOUT_FIELD_ENTRY& f = Field();
    if (f.lLine < 1 || f.lColumn < 1 || f.cControlPart == 'Y')
        return;
    s.areaFirstLine = 99999;
    s.areaLastLine = -99999;
    s.areaFirstColumn = 99999;
    s.areaLastColumn = -99999;
    if (s.keepHighlights != 'N')
        P3097_UndoAttributes();
    s.remember = true;
    s.kind = s.selKind;
    s.owner = FIX_lDigitsToLong(s.selNumber, 4, nullptr);
    FieldPieces(Pieces::Highlight);
    s.remember = false;
}

void P3097_EraseField(void)
{
    FieldPieces(Pieces::Erase);
}

void P3097_UndoAttributes(void)
{
    ScreenDesign& s = ScreenStep();
    for (auto it = s.attributeUndo.rbegin(); it != s.attributeUndo.rend(); ++it)
        s.chars[it->first] = it->second;
    s.attributeUndo.clear();
    s.markCount = 0;
}

void P3097_UndoRuler(void)
{
    ScreenDesign& s = ScreenStep();
    for (auto it = s.rulerUndo.rbegin(); it != s.rulerUndo.rend(); ++it)
        s.chars[it->first] = it->second;
    s.rulerUndo.clear();
}

void P3097_DrawRuler(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.ruler != 'Y')
        return;
    auto put = [&](int32_t line, int32_t column, char digit) {
        if (line < 1 || column < 1 || column > s.width)
            return;
        const int32_t cell = (line - 1) * s.width + column;
        if (cell > s.size || static_cast<unsigned char>(s.chars[cell]) <= 31)
            return;
        s.rulerUndo.emplace_back(cell, s.chars[cell]);
        s.chars[cell] = digit;
    };
    const int32_t lines = s.size / s.width;
    for (int32_t k = 1; k <= lines; ++k) {
        put(k, s.rulerColumn, static_cast<char>('0' + k / 10 % 10));
        put(k, s.rulerColumn + 1, static_cast<char>('0' + k % 10));
    }
    for (int32_t k = 1; k <= s.width; ++k) {
        put(s.rulerLine, k, static_cast<char>('0' + k / 10 % 10));
        put(s.rulerLine + 1, k, static_cast<char>('0' + k % 10));
    }
}

void P3097_ExtendChangedArea(void)
{
    ScreenDesign& s = ScreenStep();
    s.areaFirstLine = std::min(s.areaFirstLine, s.line);
    s.areaLastLine = std::max(s.areaLastLine, s.line);
    s.areaFirstColumn = std::min(s.areaFirstColumn, s.column);
    s.areaLastColumn = std::max(s.areaLastColumn, s.column + s.length - 1);
}

void P3097_ClearTextCells(void)
{
    ScreenDesign& s = ScreenStep();
    for (int32_t cell = 1; cell <= s.size; ++cell) {
        if (s.kinds[cell] != 'T')
            continue;
        s.chars[cell] = ' ';
        s.kinds[cell] = ' ';
        s.owners[cell] = 0;
    }
}

void P3097_MirrorColumn(void)
{
    ScreenDesign& s = ScreenStep();
    s.keptColumn = 0;
    if (s.mirror() != 'Y')
        return;
    s.keptColumn = s.cursorColumn;
    s.cursorColumn = std::clamp(s.cursorColumn + 1 - Field().lWidth, 1, s.width);
}

void P3097_UnmirrorColumn(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.keptColumn > 0)
        s.cursorColumn = s.keptColumn;
    s.keptColumn = 0;
}

void P3097_AddOffsets(void)
{
    ScreenDesign& s = ScreenStep();
    LAYOUT_FIELD_ENTRY& f = Field();
    if (f.lLine > 0)
        f.lLine += s.originLine;
    if (f.lColumn > 0)
        f.lColumn += s.originColumn;
}

void P3097_RemoveOffsets(void)
{
    ScreenDesign& s = ScreenStep();
    LAYOUT_FIELD_ENTRY& f = Field();
    if (f.lLine > 0)
        f.lLine -= s.originLine;
    if (f.lColumn > 0)
        f.lColumn -= s.originColumn;
}

int32_t P3097_FieldAttributeCode(const LAYOUT_FIELD_ENTRY* pEntry)
{
    const LAYOUT_FIELD_ENTRY& f = *pEntry;
    int32_t code = 0;
    if (f.cType == 'T') {
        const char* flags = f.acInputFlags;
        if (Set(flags, 1) || Set(flags, 2))
            return 0;
        constexpr int kPlain[5][2] = {{3, 1}, {4, 4}, {5, 8}, {6, 16}, {7, 2}};
        for (const auto& p : kPlain)
            if (Set(flags, p[0]))
                code |= p[1];
        if (ScreenStep().ctx->cExtendedAttributes == '1') {
            constexpr int kExtended[6][2] = {{9, 26}, {10, 2}, {11, 8}, {12, 20}, {13, 18}, {14, 24}};
            for (const auto& p : kExtended)
                if (Set(flags, p[0]))
                    code |= p[1];
        }
        return code & 31;
    }
    if (std::strchr("BDRX", f.cControlKind) && f.cControlKind != '\0')
        return 0;
    auto on = [&](int n) { return f.acInputFlags[n - 1] == '1' || f.acOutputFlags[n - 1] == '1'; };
    if (on(2))
        code |= 4;
    if (on(23))
        code |= 8;
    if (on(24))
        code |= 16;
    if (on(25))
        code |= 2;
    if (on(26))
        code |= 7;
    return code & 31;
}

}  // extern "C"
