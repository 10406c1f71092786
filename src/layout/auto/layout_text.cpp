// Double-byte adjustment and display length of layout texts.
#include "layout/auto/layout_text.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/command_reader.h"
#include "layout/layout.h"
#include "params/field_texts.h"
#include "platform/dqos/dqos.h"

namespace layout {

namespace {

// The field text widths asked so far, by the 10 characters of the field
// name as asked, with what they rest on: the context, its work file's field
// text records (their kind's stamp changes with every record written,
// rewritten or deleted, and differs between work files), the job's field
// definitions (a DEFINE or OVERRIDE gives a field its own texts), and the
// run values the texts and widths are read with. The repository's texts and
// the partition's languages are not written during a run. Without a work
// file nothing is kept.
struct FieldTextMemo {
    struct Widths {
        int32_t w[7];
        int16_t rc;
    };
    const FFC_CONTEXT* ctx = nullptr;
    uint64_t textStamp = 0, fieldStamp = 0;
    int32_t componentRun = 0, functionRun = 0, levelTwo = 0;
    char doubleByte = ' ', natChar = ' ';
    char partition[3]{};
    std::unordered_map<std::string, Widths> byField;

    bool holdsFor(const FFC_CONTEXT* c, uint64_t text, uint64_t fields) const
    {
        return text != 0 && ctx == c && textStamp == text && fieldStamp == fields && componentRun == c->lComponentRun &&
               functionRun == c->lFunctionRun && levelTwo == c->lLanguageLevelTwo && doubleByte == c->cDoubleByte &&
               natChar == c->cNatChar1 && std::memcmp(partition, c->acPartition, sizeof partition) == 0;
    }
    void restartFor(const FFC_CONTEXT* c)
    {
        byField.clear();
        ctx = c;
        componentRun = c->lComponentRun;
        functionRun = c->lFunctionRun;
        levelTwo = c->lLanguageLevelTwo;
        doubleByte = c->cDoubleByte;
        natChar = c->cNatChar1;
        std::memcpy(partition, c->acPartition, sizeof partition);
    }
};

constexpr char kFieldTextKind[] = "MFLD_3109 ";

FieldTextMemo& Memo()
{
    static FieldTextMemo* memo = new FieldTextMemo;
    return *memo;
}

}  // namespace

int16_t FieldTextWidths(FFC_CONTEXT* ctx, const char* acField, int32_t w[7], const char* msgQueue)
{
    if (!ctx || !acField)
        return P8061_sGetMultilingualFieldTexts(ctx, acField, &w[0], &w[1], &w[2], &w[3], &w[4], &w[5], &w[6],
                                                msgQueue);
    FieldTextMemo& m = Memo();
    if (!m.holdsFor(ctx, WF_ulKindStamp(ctx, kFieldTextKind), P310C_ulFieldCacheStamp()))
        m.restartFor(ctx);
    const std::string_view name(acField, 10);
    if (auto it = m.byField.find(std::string(name)); it != m.byField.end()) {
        std::memcpy(w, it->second.w, sizeof it->second.w);
        return it->second.rc;
    }
    FieldTextMemo::Widths found{};
    found.rc = P8061_sGetMultilingualFieldTexts(ctx, acField, &found.w[0], &found.w[1], &found.w[2], &found.w[3],
                                                &found.w[4], &found.w[5], &found.w[6], msgQueue);
    std::memcpy(w, found.w, sizeof found.w);
    /* the asking wrote this field's records: what the others rest on holds */
    m.textStamp = WF_ulKindStamp(ctx, kFieldTextKind);
    m.fieldStamp = P310C_ulFieldCacheStamp();
    m.byField.emplace(name, found);
    return found.rc;
}

void P3111_AdjustDbcsText(const FFC_CONTEXT* ctx, char* text, int width, int32_t adjustSwitch)
{
    if (!ctx || ctx->cDoubleByte != 'Y' || !adjustSwitch)
        return;
    // A text already in its shifted form (the screen layout adjusts a
    // description once when it loads it and again after its dot leaders)
    // keeps it: shifting it again would wrap its runs in a second pair.
    char* const end = text + width;
    if (std::find(text, end, char{SSNLS_SHIFT_OUT}) != end || std::find(text, end, char{SSNLS_SHIFT_IN}) != end)
        return;
    std::string copy(text, static_cast<size_t>(width));
    SSNLS_StripBlanks(copy.data(), 1);
    copy.resize(std::strlen(copy.c_str()));
    std::string shifted(static_cast<size_t>(width) * 2 + 2, '\0');
    unsigned short n =
        SSNLS_CreateAsciiShiftString(copy.c_str(), shifted.data(), static_cast<unsigned short>(shifted.size()));
    std::memset(text, ' ', static_cast<size_t>(width));
    std::memcpy(text, shifted.data(), std::min<size_t>(n, static_cast<size_t>(width)));
}

uint16_t P3111_usDisplayLength(const FFC_CONTEXT* ctx, const char* text, int width, int32_t textsSwitch)
{
    int n = width;
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
        --n;
    if (n < 1 || !ctx || ctx->cDoubleByte != 'Y' || !textsSwitch)
        return static_cast<uint16_t>(n);
    std::string copy(text, static_cast<size_t>(n));
    SSNLS_StripBlanks(copy.data(), 1);
    return SSNLS_usGetEbcdicLength(copy.c_str());
}

void MoveHeadingsDown(char headings[3][20])
{
    char lines[3][20];
    std::memset(lines, ' ', sizeof lines);
    int at = 2;
    for (int i = 2; i >= 0; --i)
        if (std::string(headings[i], 20).find_first_not_of(' ') != std::string::npos)
            std::memcpy(lines[at--], headings[i], 20);
    std::memcpy(headings, lines, sizeof lines);
}

void RightAlignText(char* text, int width)
{
    int n = width;
    while (n > 0 && text[n - 1] == ' ')
        --n;
    if (n == 0 || n == width)
        return;
    std::memmove(text + (width - n), text, static_cast<size_t>(n));
    std::memset(text, ' ', static_cast<size_t>(width - n));
}

void LeftAlignText(char* text, int width)
{
    int first = 0;
    while (first < width && text[first] == ' ')
        ++first;
    if (first == 0 || first == width)
        return;
    std::memmove(text, text + first, static_cast<size_t>(width - first));
    std::memset(text + (width - first), ' ', static_cast<size_t>(first));
}

void ReportItemGeometry(LAYOUT_FIELD_ENTRY& e, bool rightToLeft)
{
    e.lValueOffset = e.lIdentOffset = e.lRightLabelOffset = 0;
    if (e.cIdentification == 'N') {
        e.lWidth = e.lValueWidth;
        return;
    }
    if (e.cIdentification == 'L') {
        e.lWidth = e.lLabelWidth + e.lValueWidth + 1;
        if (rightToLeft)
            e.lRightLabelOffset = e.lValueWidth + 1;
        else
            e.lValueOffset = e.lLabelWidth + 1;
        return;
    }
    if (e.lValueWidth <= e.lHeadingWidth) {
        e.lWidth = e.lHeadingWidth;
        e.lValueOffset = e.lHeadingWidth - e.lValueWidth;
        if (e.cType == 'A')
            e.lValueOffset /= 2;
        return;
    }
    e.lWidth = e.lValueWidth;
    e.lIdentOffset = e.cType == 'A' && !rightToLeft ? 0 : e.lValueWidth - e.lHeadingWidth;
}

}  // namespace layout

extern "C" {

void P3100_StripLeadingChar(char* pachName, char cChar)
{
    if (!pachName || pachName[0] != cChar || cChar == ' ')
        return;
    std::memmove(pachName, pachName + 1, 49);
    pachName[49] = ' ';
}

void P3100_PrefixChar(char* pachName, char cChar)
{
    if (!pachName || pachName[0] == cChar)
        return;
    std::memmove(pachName + 1, pachName, 49);
    pachName[0] = cChar;
}

}  // extern "C"

namespace {

LAYOUT_READ_COMMAND g_readCommand = nullptr;

}  // namespace

extern "C" {

void LAYOUT_UseCommandReader(LAYOUT_READ_COMMAND pfnRead)
{
    g_readCommand = pfnRead;
}

char LAYOUT_chReadNextCommand(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pRecord)
{
    return g_readCommand ? g_readCommand(pContext, pRecord) : '1';
}

}  // extern "C"
