// Support routines of the screen design step: the pop-up window check, the
// attribute-flag rules of texts, multilingual texts and the screen title,
// the painter's message line, frame pieces, double-byte text lengths,
// alignment and control tests, a few painter requests and the comparisons
// of the sorts.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/painter.h"
#include "layout/auto/layout_text.h"
#include "layout/layout.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

using namespace layout::design;

namespace {

bool FrameBlank(char c)
{
    return c == ' ' || c == '\0';
}

int Sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// Marks compared as numbers field by field (line, column, kind, number).
int CompareMarks(const Mark& a, const Mark& b)
{
    if (a.line != b.line)
        return a.line < b.line ? -1 : 1;
    if (a.column != b.column)
        return a.column < b.column ? -1 : 1;
    if (a.kind != b.kind)
        return static_cast<unsigned char>(a.kind) < static_cast<unsigned char>(b.kind) ? -1 : 1;
    return Sign(std::memcmp(a.number, b.number, 4));
}

}  // namespace

extern "C" {

void P3097_CheckPopUpWindow(void)
{
    ScreenDesign& s = ScreenStep();
    POP_UP_DATA& p = PopUp();
    const bool border = s.flag(45) != 'Y';
    const bool title = s.windowTitle != 'N';
    const bool error = (border ? p.lLine - 1 : p.lLine) < 1 || p.lLine + p.lHeight > s.screenLines ||
                       (border ? p.lColumn - 2 : p.lColumn) < 1 || p.lColumn + p.lWidth + 2 > kScreenWidth ||
                       p.lWidth < 3 || p.lHeight < (title ? 5 : 4);
    s.windowError = error;
    s.firstInner = title ? p.lLine + 1 : p.lLine;
    const int32_t last = p.lLine + p.lHeight - 1;
    s.fourthLast = last - 3;
    if (s.ctx->usScreenLines == 24) {
        s.bottomLines[0] = last;
        s.bottomLines[1] = last - 1;
        s.bottomLines[2] = last - 2;
    } else {
        s.bottomLines[0] = last - 2;
        s.bottomLines[1] = last;
        s.bottomLines[2] = last - 1;
    }
    p.lFirstUsable = s.firstInner;
    p.lLastUsable = s.fourthLast;
    p.lMessageLine = s.bottomLines[0];
    p.lKeyLine1 = s.bottomLines[1];
    p.lKeyLine2 = s.bottomLines[2];
}

void P3097_NormaliseAttributeFlags(void)
{
    char* flags = ScreenStep().textFlags;
    if (flags[0] == 'Y' || flags[1] == 'Y') {
        const int keep = flags[0] == 'Y' ? 0 : 1;
        for (int i = 0; i < 14; ++i)
            if (i != keep)
                flags[i] = 'N';
    }
    bool seen = false;
    for (int i = 7; i < 14; ++i) {
        if (flags[i] != 'Y')
            continue;
        if (seen)
            flags[i] = 'N';
        seen = true;
    }
}

void P3097_ResolveMultilingualText(void)
{
    ScreenDesign& s = ScreenStep();
    std::memset(s.variableText, ' ', sizeof s.variableText);
    const std::string partition = dqov::text::Trim(s.ctx->acPartition, 3);
    const std::string language(s.ctx->acLanguage, 4);
    const std::string name = dqov::text::Trim(s.variable, sizeof s.variable);
    SSQL_AREA area;
    SSQL_SetLocation("P3097_06");
    SSQL_DeclareExt(&area,
                    "SELECT X61VAL FROM QV_DTA.QV_F61 WHERE     X61P_I = '%s' AND X61PLN = '%s' AND X61MTX = '%s'",
                    partition.c_str(), language.c_str(), name.c_str());
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    const unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_FIXED(s.variableText, sizeof s.variableText));
    if (rc == SSQL_RC_ERROR)
        FFC_SQL_Error(ca, "P3097_06");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK || dqov::text::Trim(s.variableText, sizeof s.variableText).empty())
        dqov::text::Pad(s.variableText, sizeof s.variableText, "N/A");
    const std::string text(s.variableText, sizeof s.variableText);
    const size_t first = std::min(text.find_first_not_of(' '), text.size());
    dqov::text::Pad(s.variableShort, sizeof s.variableShort, text.substr(first, 8));
}

void P3097_BuildScreenTitle(void)
{
    ScreenDesign& s = ScreenStep();
    FFC_PARSED_COMMAND& c = s.command;
    const std::string name = dqov::cmdparm::ParmText(c, "PANEL_ID");
    if (name == "*AUTO") {
        int32_t number = s.commandNumber;
        const uint32_t digits = number <= 99 ? 2 : number <= 999 ? 3 : 4;
        char d[4];
        FIX_LongToDigits(&number, digits, d);
        dqov::text::Pad(s.titleIdentifier, sizeof s.titleIdentifier,
                        dqov::text::Trim(s.function->acFunction, 7) + std::string(d, digits));
    } else {
        dqov::text::Pad(s.titleIdentifier, sizeof s.titleIdentifier, name.substr(0, 10));
    }
    char text[40];
    dqov::text::Pad(text, sizeof text, dqov::cmdparm::ParmText(c, "PANEL_TITL"));
    s.titleLength = 0;
    std::memset(s.titleText, ' ', sizeof s.titleText);
    P3125_ResolveTitleText(s.ctx, s.process, s.function, text, s.titleText, &s.titleLength, kScreenWidth, &s.titleStart,
                           nullptr);
}

void P3097_FormatMessageLine(int16_t sLength, int16_t sNumber, const char* pText)
{
    ScreenDesign& s = ScreenStep();
    ComposeMessageLine(s.paint, sNumber, s.message, MessageText(pText, sLength));
}

void P3097_BuildFrameLine(void)
{
    ScreenDesign& s = ScreenStep();
    const char* frame = s.ctx->acFrameChars;
    if (std::all_of(frame, frame + 4, FrameBlank))
        return;
    if (s.framePiece != 'T' && s.framePiece != 'B') {
        s.drawText[0] = frame[3];
        return;
    }
    const int32_t n = std::clamp<int32_t>(s.length, 0, 256);
    std::memset(s.drawText, frame[0], static_cast<size_t>(n));
    if (n >= 1) {
        const char corner = s.framePiece == 'T' ? frame[1] : frame[2];
        s.drawText[0] = corner;
        s.drawText[n - 1] = corner;
    }
}

void P3097_StartDisplayRequest(void)
{
    ScreenDesign& s = ScreenStep();
    char* h = s.displayHeader;
    std::memset(h, '0', 10);
    std::memset(h + 10, ' ', 42);
    h[58] = 'N';
    h[59] = s.process ? s.process->cProcessClass : ' ';
    std::memcpy(h + 60, "DIS", 3);
    int at = 63;
    for (int key : {10, 1, 6, 24, 25, 26}) {
        std::memcpy(h + at, s.ctx->aFunctionKeys[key - 1].acValue, 2);
        at += 2;
    }
    h[at] = s.process ? s.process->cMenuStyle : ' ';
    s.displayStarted = 'Y';
}

void P3097_RightAlignKeyText(void)
{
    ScreenDesign& s = ScreenStep();
    layout::RightAlignText(s.drawText, std::clamp<int32_t>(s.length, 0, 256));
}

uint16_t P3097_usGetDbcsLength(FFC_CONTEXT* pContext, void*, uint16_t usLength, const char* pText, int32_t lSwitch)
{
    if (!lSwitch || !pContext || pContext->cDoubleByte != 'Y')
        return usLength;
    std::string copy(pText, usLength);
    copy.erase(copy.find_last_not_of(' ') + 1);
    return SSNLS_usGetEbcdicLength(copy.c_str());
}

void P3097_ConvertToShiftText(FFC_CONTEXT* pContext, const char* pText, uint16_t usLength, char* pResult,
                              int32_t lSwitch)
{
    std::memmove(pResult, pText, usLength);
    layout::P3111_AdjustDbcsText(pContext, pResult, usLength, lSwitch);
}

char P3097_cGetAlignment(FFC_CONTEXT* pContext)
{
    const char kind = Field().cControlKind;
    const bool box = kind == 'X' || kind == 'R';
    return box != (pContext->cRightToLeft == 'Y') ? 'R' : 'L';
}

bool P3097_cHasControlCode(const char* pachCodes)
{
    for (int i = 0; i < 10; ++i) {
        const std::string code(pachCodes + 4 * i, 4);
        if ((code >= "PB01" && code <= "PB20") || (code >= "RB01" && code <= "RB99") || code.compare(0, 2, "DD") == 0 ||
            code == "CBOX")
            return true;
    }
    return false;
}

void P3097_ShowScreenOnce(void)
{
    ScreenDesign& s = ScreenStep();
    if (s.shownOnce)
        return;
    s.shownOnce = true;
    P31O2_PainterRequest16(s.paint);
}

void P3097_GetDesignMode(void)
{
    ScreenDesign& s = ScreenStep();
    const int16_t reply = P31O2_sPainterRequest8(s.paint);
    s.designMode = reply == 1 ? 'R' : reply == 2 ? 'S' : ' ';
    if (s.designMode == ' ' && PainterPresent(s))
        UnexpectedReply("P3097_GetDesignMode", reply);
}

int P3097_CompareKeysUp(const void* p1, const void* p2)
{
    return CompareMarks(*static_cast<const Mark*>(p1), *static_cast<const Mark*>(p2));
}

int P3097_CompareKeysDown(const void* p1, const void* p2)
{
    return -CompareMarks(*static_cast<const Mark*>(p1), *static_cast<const Mark*>(p2));
}

int P3097_CompareTwoBytes(const void* p1, const void* p2)
{
    return Sign(std::memcmp(p1, p2, 2));
}

}  // extern "C"
