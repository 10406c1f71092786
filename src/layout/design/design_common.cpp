// Routines shared by the screen and report design steps: the parameter
// text under construction, the parsed field list of the command written
// back, text-map names, the painter's message line and its presence.
#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/record_store.h"
#include "layout/design/design_state.h"
#include "layout/layout.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace layout::design {

using dqov::cmdparm::CommandNameOf;

bool PutText(DesignCommon& s, const char* text, size_t length)
{
    const size_t size = s.buffer.size();
    if (s.position < 1 || s.position > size) {
        s.overflow = true;
        return false;
    }
    const size_t at = s.position - 1;
    if (length > size - at) {
        s.overflow = true;
        length = size - at;
    }
    std::memcpy(s.buffer.data() + at, text, length);
    return true;
}

void PutToken(DesignCommon& s, const char* text, size_t length)
{
    if (!PutText(s, text, length))
        return;
    const size_t size = s.buffer.size();
    size_t p = s.position - 1;
    while (p < size && s.buffer[p] != ' ')
        ++p;
    if (p >= size)
        s.overflow = true;
    s.position = p + 2;
}

void PutToken(DesignCommon& s, const std::string& text)
{
    PutToken(s, text.data(), text.size());
}

void StartFieldList(DesignCommon& s)
{
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    s.buffer[0] = '(';
    s.position = 2;
    s.overflow = false;
}

char* ParmAddress(FFC_PARSED_COMMAND& command, std::string_view keyword, int element, int entry)
{
    using namespace dqov::cmdparm;
    const int ci = dqov::cmdparm::FindCommand(CommandNameOf(command));
    const int pi = ci < 0 ? -1 : FindParam(kCommands[ci], keyword);
    if (pi < 0 || element >= kCommands[ci].params[pi].elementCount)
        return nullptr;
    const int32_t size = ElementSize(kCommands[ci].params[pi].elements[element]);
    const int32_t at = EntryOffset(command, keyword, element, entry, size);
    return at < 0 ? nullptr : command.acParms + at;
}

bool FindCommand(FFC_CONTEXT* ctx, int32_t number, int32_t second, FFC_PARSED_COMMAND& command)
{
    std::memset(&command, ' ', sizeof command);
    command.sLine = static_cast<int16_t>(number);
    command.sSubLine = static_cast<int16_t>(second);
    return RS_fFindCommandRecord(ctx, &command, sizeof command) == 0;
}

void LoadParsedFieldList(DesignCommon& s, const FFC_PARSED_COMMAND& command, const FFC_COMMAND_EXTENSION& extension)
{
    FFC_PARSED_COMMAND copy = command;
    const int32_t count = std::clamp<int32_t>(dqov::cmdparm::ParmCount(copy, "FIELDS"), 0, kListEntries);
    std::memset(s.entries, ' ', sizeof s.entries);
    std::memset(s.attributes, ' ', sizeof s.attributes);
    for (int32_t i = 0; i < count; ++i)
        if (const char* name = ParmAddress(copy, "FIELDS", 0, i))
            std::memcpy(s.entries[i], name, 10);
    const int32_t withValues = std::clamp<int32_t>(extension.lEntries, 0, count);
    std::memcpy(s.attributes, extension.acAttributes, static_cast<size_t>(withValues) * kEntryValues * 10);
    s.entryCount = count;
}

std::string TextMapNameOf(const DesignCommon& s, int32_t command)
{
    std::string name;
    for (const TextMapRow& row : s.textMaps)
        if (row.command == command)
            name.assign(row.name, 8);
    return name;
}

std::string SettleTextMapName(DesignCommon& s, int32_t command, const char* textParameter)
{
    std::string name = TextMapNameOf(s, command);
    if (!name.empty())
        return name;
    if (std::memcmp(textParameter, "*TMAP", 5) == 0) {
        name.assign(textParameter, 8);
    } else {
        int32_t free = 1;
        while (free <= 999 && s.optionFlags && s.optionFlags[free - 1] == 'Y')
            ++free;
        if (free > 999)
            free = 999;
        if (s.optionFlags)
            s.optionFlags[free - 1] = 'Y';
        name = "*TMAP" + Digits(free, 3);
    }
    TextMapRow row;
    row.command = command;
    std::memcpy(row.name, name.data(), 8);
    s.textMaps.push_back(row);
    return name;
}

// The function's commands may name text maps already; their numbers are
// taken, so that a name given out here never points at another command's
// stored texts.
void MarkTextMapsInUse(DesignCommon& s, int16_t commands)
{
    if (!s.optionFlags)
        return;
    FFC_PARSED_COMMAND command;
    for (int32_t n = 1; n <= commands; ++n) {
        if (!FindCommand(s.ctx, n, 0, command))
            continue;
        const char* text = ParmAddress(command, "TEXTS", 0, 0);
        if (!text || std::memcmp(text, "*TMAP", 5) != 0)
            continue;
        if (!std::isdigit(static_cast<unsigned char>(text[5])) || !std::isdigit(static_cast<unsigned char>(text[6])) ||
            !std::isdigit(static_cast<unsigned char>(text[7])))
            continue;
        const int32_t number = FIX_lDigitsToLong(text + 5, 3, nullptr);
        if (number >= 1 && number <= 999)
            s.optionFlags[number - 1] = 'Y';
    }
}

std::string Digits(int32_t value, uint32_t n)
{
    char digits[15];
    FIX_LongToDigits(&value, n, digits);
    return std::string(digits, n);
}

std::string BareName(const FFC_CONTEXT* ctx, const char* name)
{
    char padded[50];
    dqov::text::Pad(padded, sizeof padded, dqov::text::Trim(name, 10));
    P3100_StripLeadingChar(padded, ctx->cNatChar1);
    return dqov::text::Trim(padded, 10);
}

std::string PrefixedName(const FFC_CONTEXT* ctx, const char* name)
{
    char padded[50];
    dqov::text::Pad(padded, sizeof padded, dqov::text::Trim(name, 10));
    P3100_PrefixChar(padded, ctx->cNatChar1);
    return std::string(padded, 10);
}

const char* IdentificationKeyword(char letter, bool descriptions)
{
    switch (letter) {
    case 'C': return "*COL";
    case 'L': return "*LAB";
    case 'N': return "*NOID";
    case 'D': return descriptions ? "*DESC" : nullptr;
    default: return nullptr;
    }
}

void BlankFieldEntry(LAYOUT_FIELD_ENTRY& f)
{
    std::memset(&f, ' ', sizeof f);
    f.lLength = f.lDecimals = f.lLabelWidth = f.lHeadingWidth = f.lValueWidth = 0;
    f.lValueOffset = f.lIdentOffset = f.lRightLabelOffset = f.lWidth = f.lLine = f.lColumn = 0;
    f.lLines = 1;
    f.lFieldNumber = f.lDescriptionWidth = 0;
    f.asHeadingWidths[0] = f.asHeadingWidths[1] = f.asHeadingWidths[2] = 0;
    f.sPushButton = 0;
    f.cFailed = f.cRepeat = f.cControlPart = f.cCounted = f.cHeadingInControl = f.cNewPage = 'N';
    f.cOnChange = f.cFieldEntry = 'N';
    f.cPlaced = 'Y';
    f.cControlKind = 'N';
}

std::string MessageText(const char* text, int32_t length)
{
    if (!text || length < 1)
        return {};
    std::string t(text, static_cast<size_t>(std::min<int32_t>(length, 100)));
    t.erase(t.find_last_not_of(' ') + 1);
    return t;
}

namespace {

// Substitutes the texts for the template's %s conversions (with optional
// flags, width and precision) in order; "%%" is a percent sign and any
// other conversion stays as written, so a template can never read more
// than the texts given.
std::string FormatTemplate(const std::string& format, const std::string* texts, size_t count)
{
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%') {
            out += format[i];
            continue;
        }
        if (i + 1 < format.size() && format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        size_t j = i + 1;
        const bool left = j < format.size() && format[j] == '-';
        if (left)
            ++j;
        size_t width = 0, precision = std::string::npos;
        while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
            width = width * 10 + static_cast<size_t>(format[j++] - '0');
        if (j < format.size() && format[j] == '.') {
            precision = 0;
            ++j;
            while (j < format.size() && std::isdigit(static_cast<unsigned char>(format[j])))
                precision = precision * 10 + static_cast<size_t>(format[j++] - '0');
        }
        if (j >= format.size() || format[j] != 's') {
            out += '%';
            continue;
        }
        std::string value = next < count ? texts[next] : std::string();
        ++next;
        if (value.size() > precision)
            value.resize(precision);
        if (value.size() < width)
            value =
                left ? value + std::string(width - value.size(), ' ') : std::string(width - value.size(), ' ') + value;
        out += value;
        i = j;
    }
    return out;
}

}  // namespace

void ComposeMessageLine(const FFC_PAINT_STR* paint, int number, char* line, const std::string& a, const std::string& b,
                        const std::string& c)
{
    std::memset(line, ' ', 67);
    std::string result;
    if (paint && paint->pTemplates && number >= 1 && number <= paint->lTemplateCount) {
        const char* entry = paint->pTemplates[number - 1];
        const std::string format(entry, strnlen(entry, 70));
        const std::string texts[3] = {a, b, c};
        result = FormatTemplate(format, texts, 3);
    } else {
        result = "Painter message " + std::to_string(number) + (a.empty() ? "" : " " + a) + (b.empty() ? "" : " " + b) +
                 (c.empty() ? "" : " " + c);
    }
    for (size_t i = 0; i < result.size() && i < 67; ++i)
        line[i] = result[i] == '\0' ? ' ' : result[i];
}

void UnexpectedReply(const char* routine, int reply)
{
    SMSG_sGetMessage(nullptr, 251, 16384, 0, 1, routine, reply);
}

bool PainterPresent(const DesignCommon& s)
{
    return P31O2_fPainterPresent(s.paint) != 0;
}

bool CursorAnswerInRange(int32_t row, int32_t column)
{
    return row >= -kFarthestCursor && row <= kFarthestCursor && column >= -kFarthestCursor &&
           column <= kFarthestCursor;
}

}  // namespace layout::design
