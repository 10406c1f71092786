// Drawing the screen image before it goes to the painter: the pop-up
// frame and the cells outside the window, the action-bar lines, the title
// line with its date and time placeholders, the function-key legend and
// message line, and the fields of a record format.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/layout.h"
#include "params/fixed_text.h"

using namespace layout::design;

namespace {

// Draws a text of the drawing state's kind with owner 0.
void Draw(int32_t line, int32_t column, const std::string& text, char kind, int32_t attribute)
{
    ScreenDesign& s = ScreenStep();
    s.line = line;
    s.column = column;
    s.length = static_cast<int32_t>(std::min<size_t>(text.size(), 256));
    std::memset(s.drawText, ' ', sizeof s.drawText);
    std::memcpy(s.drawText, text.data(), static_cast<size_t>(s.length));
    s.kind = kind;
    s.owner = 0;
    s.attribute = attribute;
    s.remember = false;
    P3097_PutText();
}

void DrawFramePiece(char piece, int32_t line, int32_t column, int32_t length)
{
    ScreenDesign& s = ScreenStep();
    s.framePiece = piece;
    s.length = length;
    std::memset(s.drawText, ' ', sizeof s.drawText);
    P3097_BuildFrameLine();
    Draw(line, column, std::string(s.drawText, static_cast<size_t>(length)), 'H', 0);
}

bool BothSwitches()
{
    const ScreenDesign& s = ScreenStep();
    return s.state && s.state->acSystemFlags[0] == 'Y' && s.state->acSystemFlags[1] == 'Y';
}

bool Option(const char* at, const char* value)
{
    return dqov::text::Trim(at, 10) == value;
}

char* ParmArea()
{
    return ScreenStep().command.acParms;
}

struct LegendEntry {
    char number[2];
    char text[10];
    int32_t length;
};

// The function-key switches from the command's key options.
void SetKeySwitches()
{
    ScreenDesign& s = ScreenStep();
    std::memset(s.keySwitches, '0', sizeof s.keySwitches);
    const char* p = ParmArea();
    auto on = [&](int key) { s.keySwitches[key - 1] = '1'; };
    if (Option(p + 1096, "*YES"))
        on(std::memcmp(p + 1699, "*LOW ", 5) == 0 ? 11 : 10);
    if (Option(p + 1110, "*YES"))
        on(1);
    on(6);
    on(3);
    if (Option(p + 1124, "*YES"))
        on(24);
    if (Option(p + 1138, "*YES"))
        on(25);
    if (Option(p + 1152, "*YES"))
        on(26);
    if (Option(p + 1770, "*YES"))
        on(4);
    if (s.process && s.process->cMenuStyle == 'A' && !s.popUp)
        on(23);
}

std::vector<LegendEntry> LegendEntries()
{
    ScreenDesign& s = ScreenStep();
    const bool rightToLeft = s.ctx->cRightToLeft == 'Y';
    std::vector<LegendEntry> entries;
    auto add = [&](const char* number, const char* text, int32_t length) {
        LegendEntry e;
        std::memcpy(e.number, number, 2);
        if (rightToLeft && std::isdigit(static_cast<unsigned char>(number[0])) &&
            std::isdigit(static_cast<unsigned char>(number[1]))) {
            int32_t n = 98 - FIX_lDigitsToLong(number, 2, nullptr);
            FIX_LongToDigits(&n, 2, e.number);
        }
        std::memset(e.text, ' ', sizeof e.text);
        std::memcpy(e.text, text, static_cast<size_t>(std::clamp<int32_t>(length, 0, 10)));
        e.length = length;
        entries.push_back(e);
    };
    if (s.ctx->cExtraKey == 'Y')
        add(s.ctx->acExtraKeyNumber, s.ctx->acExtraKeyText,
            static_cast<int32_t>(dqov::text::Trim(s.ctx->acExtraKeyText, 10).size()));
    for (int key = 1; key <= FFC_FUNCTION_KEY_COUNT; ++key) {
        const FFC_FUNCTION_KEY_DEF& k = s.ctx->aFunctionKeys[key - 1];
        const std::string number(k.acValue, 2);
        if (s.keySwitches[key - 1] != '1' || number < "01" || number > "24")
            continue;
        add(k.acValue, k.acCaption, static_cast<int32_t>(dqov::text::Trim(k.acCaption, 10).size()));
    }
    const char* p = ParmArea();
    for (int i = 0; i < 5; ++i) {
        int16_t number = 0;
        std::memcpy(&number, p + 1560 + 2 * i, 2);
        if (number <= 0)
            continue;
        char text[8];
        std::memcpy(text, p + 1580 + 8 * i, 8);
        if (std::memcmp(text, "*MTXT", 5) == 0) {
            dqov::text::Pad(s.variable, sizeof s.variable, dqov::text::Trim(text, 8));
            P3097_ResolveMultilingualText();
            std::memcpy(text, s.variableShort, 8);
        }
        char digits[2];
        int32_t n = number;
        FIX_LongToDigits(&n, 2, digits);
        add(digits, text, static_cast<int32_t>(std::min<size_t>(dqov::text::Trim(text, 8).size(), 8)));
    }
    std::stable_sort(entries.begin(), entries.end(), [](const LegendEntry& a, const LegendEntry& b) {
        return P3097_CompareTwoBytes(a.number, b.number) < 0;
    });
    return entries;
}

// The legend over two lines of the given width; an item that does not fit
// on the first line starts the second.
void BuildLegend(int32_t width, std::string& first, std::string& second)
{
    ScreenDesign& s = ScreenStep();
    const bool rightToLeft = s.ctx->cRightToLeft == 'Y';
    first.clear();
    second.clear();
    bool onSecond = false;
    for (const LegendEntry& e : LegendEntries()) {
        if (e.length < 1)
            continue;
        char digits[2];
        std::memcpy(digits, e.number, 2);
        if (rightToLeft) {
            int32_t n = 98 - FIX_lDigitsToLong(digits, 2, nullptr);
            FIX_LongToDigits(&n, 2, digits);
        }
        const std::string number(digits, 2);
        std::string key;
        if (number >= "01" && number <= "24")
            key = "F" + std::to_string(FIX_lDigitsToLong(digits, 2, nullptr));
        else if (number == "25")
            key = "UP";
        else if (number == "26")
            key = "DN";
        const std::string text(e.text, static_cast<size_t>(e.length));
        std::string item = text;
        if (!key.empty())
            item = rightToLeft ? text + "=" + key : key + "=" + text;
        std::string& line = onSecond ? second : first;
        const size_t needed = line.size() + (line.empty() ? 0 : 1) + item.size();
        if (!onSecond && needed > static_cast<size_t>(width)) {
            onSecond = true;
            second = item;
            continue;
        }
        line += (line.empty() ? "" : " ") + item;
    }
    if (rightToLeft) {
        first =
            std::string(static_cast<size_t>(std::max<int32_t>(width - static_cast<int32_t>(first.size()), 0)), ' ') +
            first;
        second =
            std::string(static_cast<size_t>(std::max<int32_t>(width - static_cast<int32_t>(second.size()), 0)), ' ') +
            second;
    }
    first.resize(static_cast<size_t>(std::max(width, 0)), ' ');
    second.resize(static_cast<size_t>(std::max(width, 0)), ' ');
}

}  // namespace

extern "C" {

void P3097_DrawPopUpFrame(void)
{
    ScreenDesign& s = ScreenStep();
    if (!s.popUp)
        return;
    const POP_UP_DATA& p = PopUp();
    if (s.flag(45) != 'Y') {
        const bool lower = s.state && s.state->acSystemFlags[0] == 'Y' && s.state->acSystemFlags[1] != 'Y';
        DrawFramePiece('T', p.lLine - 1, p.lColumn - 1, p.lWidth + 2);
        DrawFramePiece('B', p.lLine + p.lHeight + (lower ? 1 : 0), p.lColumn - 1, p.lWidth + 2);
        for (int32_t line = p.lLine; line < p.lLine + p.lHeight; ++line) {
            DrawFramePiece('S', line, p.lColumn - 1, 1);
            DrawFramePiece('S', line, p.lColumn + p.lWidth, 1);
        }
    }
    for (int32_t cell = 1; cell <= s.size; ++cell) {
        const int32_t line = (cell - 1) / s.width + 1, column = (cell - 1) % s.width + 1;
        const bool inside = line >= p.lFirstUsable && line <= p.lLastUsable && column >= p.lColumn &&
                            column <= p.lColumn + p.lWidth - 2;
        if (inside)
            continue;
        s.kinds[cell] = 'W';
        s.owners[cell] = 0;
    }
}

void P3097_DrawHeaderLines(void)
{
    ScreenDesign& s = ScreenStep();
    const int32_t lines = std::min<int32_t>(s.actionBarLines, 3);
    for (int32_t k = 0; k < lines; ++k)
        Draw(k + 1, 1, std::string(s.choiceLines[k], 80), 'H', 2);
    if (lines > 0)
        Draw(lines + 1, 1, std::string(s.separator, 80), 'H', 0);
}

void P3097_DrawTitleLine(void)
{
    ScreenDesign& s = ScreenStep();
    const bool rightToLeft = s.ctx->cRightToLeft == 'Y';
    const bool showName = s.ctx->cPopupIdentifier != 'N';
    if (s.popUp) {
        const POP_UP_DATA& p = PopUp();
        const int32_t width = std::max<int32_t>(p.lWidth - 2, 1);
        std::string line(static_cast<size_t>(width), ' ');
        char title[40];
        int32_t length = 0, start = 0;
        P3125_ResolveTitleText(s.ctx, s.process, s.function, p.acTitle, title, &length, p.lWidth - 3, &start, nullptr);
        const std::string name = dqov::text::Trim(p.acTitleId, 10);
        if (name != "*NONE" && showName)
            line.replace(0, std::min<size_t>(10, line.size()), std::string(p.acTitleId, 10).substr(0, line.size()));
        if (start >= 1 && static_cast<size_t>(start - 1) < line.size())
            line.replace(static_cast<size_t>(start - 1),
                         std::min<size_t>(static_cast<size_t>(length), line.size() - static_cast<size_t>(start - 1)),
                         std::string(title, static_cast<size_t>(std::clamp<int32_t>(length, 0, 40))));
        Draw(p.lLine, s.originColumn + 2, line, 'H', 0);
        return;
    }
    P3097_BuildScreenTitle();
    std::string line(80, ' ');
    const std::string name = dqov::text::Trim(s.titleIdentifier, 11);
    if (name != "*NONE" && !name.empty() && showName)
        line.replace(rightToLeft ? 69 : 1, 11, std::string(s.titleIdentifier, 11));
    if (s.titleStart >= 1 && s.titleStart <= 80)
        line.replace(static_cast<size_t>(s.titleStart - 1),
                     std::min<size_t>(static_cast<size_t>(std::clamp<int32_t>(s.titleLength, 0, 40)),
                                      static_cast<size_t>(81 - s.titleStart)),
                     std::string(s.titleText, static_cast<size_t>(std::clamp<int32_t>(s.titleLength, 0, 40))));
    if (s.ctx->cDateTimeOnTitle == 'Y') {
        line.replace(rightToLeft ? 0 : 62, 8, "DD/DD/DD");
        line.replace(rightToLeft ? 10 : 71, 8, "HH:MM:SS");
    }
    Draw(s.firstFree, 1, line, 'H', 0);
}

void P3097_BuildFunctionKeyLine(void)
{
    SetKeySwitches();
}

void P3097_DrawFunctionKeyLines(void)
{
    ScreenDesign& s = ScreenStep();
    P3097_BuildFunctionKeyLine();
    std::string first, second;
    if (s.popUp) {
        const POP_UP_DATA& p = PopUp();
        const int32_t width = std::max<int32_t>(p.lWidth - 3, 1);
        BuildLegend(p.lWidth - 2, first, second);
        first.resize(static_cast<size_t>(width), ' ');
        second.resize(static_cast<size_t>(width), ' ');
        Draw(p.lKeyLine1, s.originColumn + 2, first, 'F', 0);
        if (!BothSwitches())
            Draw(p.lKeyLine2, s.originColumn + 2, second, 'F', 0);
        Draw(p.lMessageLine, s.originColumn + 2, std::string(static_cast<size_t>(width), 'M'), 'F', 0);
        return;
    }
    BuildLegend(78, first, second);
    // The screen's three bottom lines in the order a pop-up window takes
    // them: on a 24-line screen the message line last, the first legend
    // line above it and the second above that; on other screens the
    // message line first, then the second and the first legend line.
    const bool standard = s.ctx->usScreenLines == kScreenLines;
    const int32_t message = standard ? kScreenLines : kScreenLines - 2;
    const int32_t legend1 = standard ? kScreenLines - 1 : kScreenLines;
    const int32_t legend2 = standard ? kScreenLines - 2 : kScreenLines - 1;
    // Line 22 carries no prompt text of its own in the design.
    Draw(22, 1, std::string(80, ' '), 'F', 0);
    Draw(legend1, 2, first, 'F', 0);
    Draw(legend2, 2, second, 'F', 0);
    Draw(message, 1, std::string(80, 'M'), 'F', 0);
    for (int32_t cell = 21 * s.width + 1; cell <= s.size; ++cell) {
        s.kinds[cell] = 'F';
        s.owners[cell] = 0;
    }
}

void P3097_LoadFormatFields(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.selFormatIndex < 1 || s.selFormatIndex > static_cast<int32_t>(s.formats.size()))
        return;
    const ScreenFormat& format = s.formats[s.selFormatIndex - 1];
    const char kind = FormatKindLetter(format);
    RecordKey(LAYOUT_KIND_RCDFLD, std::string(format.name, 8), {}, 2);
    s.current = 1;
    for (P3097_ReadFirst(); s.last == '0'; P3097_ReadNext()) {
        LAYOUT_FIELD_ENTRY& f = WorkElement(1);
        std::memcpy(&f, s.record.acData, sizeof f);
        P3097_AddOffsets();
        if (f.cType == 'T')
            ++s.textCount;
        if (kind == 'R' && f.cControlPart != 'Y' && f.cFieldEntry == 'Y')
            s.commonDescription = std::max(s.commonDescription, f.lDescriptionWidth);
        s.kind = kind;
        s.owner = FIX_lDigitsToLong(s.record.acQualifier, 4, nullptr);
        P3097_ShowField();
    }
}

}  // extern "C"
