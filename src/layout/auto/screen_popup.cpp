// Pop-up windows: the checks of a POP_UP command's position and size, the
// computed lines of its POP_UP record, its *AUTO identifier and title.
#include "layout/auto/screen_state.h"

#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "params/fixed_text.h"

namespace layout::screen {

namespace {

void PopUpKey(FFC_WORK_RECORD& r)
{
    Dialogue& d = Screen();
    WF_BlankRecord(d.ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_POP_UP, 10);
    int32_t line = d.state->lLine, second = d.state->lLineWord;
    FIX_LongToDigits(&line, 15, r.acName);
    FIX_LongToDigits(&second, 15, r.acName + 15);
}

bool PositionSound(const POP_UP_DATA& p)
{
    const Dialogue& d = Screen();
    const bool framed = d.noFrame != 'Y';
    return (framed ? p.lLine - 1 : p.lLine) >= 1 && p.lLine + p.lHeight <= d.screenLines &&
           (framed ? p.lColumn - 2 : p.lColumn) >= 1 && p.lWidth + p.lColumn + 2 <= 80 && p.lWidth >= 3 &&
           p.lHeight >= (d.stdHead != 'N' ? 5 : 4);
}

void ComputeLines(POP_UP_DATA& p)
{
    const Dialogue& d = Screen();
    const int32_t b = p.lLine + p.lHeight - 1;
    p.lFirstUsable = p.lLine + (d.stdHead != 'N' ? 1 : 0);
    if (d.processStyle != 'Y') {
        p.lMessageLine = b;
        p.lLastUsable = b - 2;
        p.lKeyLine1 = p.lKeyLine2 = b - 1;
        return;
    }
    p.lLastUsable = b - 3;
    if (d.ctx->usScreenLines == 24) {
        p.lMessageLine = b;
        p.lKeyLine1 = b - 1;
        p.lKeyLine2 = b - 2;
    } else {
        p.lMessageLine = b - 2;
        p.lKeyLine1 = b;
        p.lKeyLine2 = b - 1;
    }
}

// "*AUTO": the function name and the command's line number (2, 3 or 4
// digits).
void AutoIdentifier(POP_UP_DATA& p)
{
    const Dialogue& d = Screen();
    int32_t line = d.state->lLine;
    const int digits = line <= 99 ? 2 : line <= 999 ? 3 : 4;
    char number[5];
    FIX_LongToDigits(&line, static_cast<uint32_t>(digits), number);
    dqov::text::Pad(p.acTitleId, 10,
                    dqov::text::Trim(d.function->acFunction, 7) + std::string(number, static_cast<size_t>(digits)));
}

}  // namespace

void P3111_SizePopUp()
{
    Dialogue& d = Screen();
    FFC_WORK_RECORD r;
    PopUpKey(r);
    char line[4];
    int32_t lineNumber = d.state->lLine;
    FIX_LongToDigits(&lineNumber, 4, line);
    if (WF_cReadFirst(d.ctx, LAYOUT_CURSOR_SLOT, &r, 2) != '0') {
        IssueFinding(Msg::PopUpOutOfRange, std::string(line, 4));
        d.error = true;
        return;
    }
    POP_UP_DATA& p = d.popUp;
    std::memcpy(&p, r.acData, sizeof p);
    if (!PositionSound(p)) {
        IssueFinding(Msg::PopUpOutOfRange, std::string(line, 4));
        d.error = true;
        return;
    }
    ComputeLines(p);
    if (d.stdHead != 'N') {
        if (std::memcmp(p.acTitleId, "*AUTO", 5) == 0 && dqov::text::Trim(p.acTitleId, 10) == "*AUTO")
            AutoIdentifier(p);
        char title[40];
        int32_t length = 0, start = 0;
        P3125_ResolveTitleText(d.ctx, d.process, d.function, p.acTitle, title, &length, p.lWidth - 3, &start, nullptr);
        const std::string identifier = dqov::text::Trim(p.acTitleId, 10);
        if (identifier != "*NONE" && d.ctx->cPopupIdentifier == 'Y' &&
            static_cast<int32_t>(identifier.size()) + length + 2 > p.lWidth)
            IssueFinding(Msg::PopUpTooNarrow, "");
    }
    std::memcpy(r.acData, &p, sizeof p);
    WF_cUpdate(d.ctx, LAYOUT_CURSOR_SLOT, &r);
}

}  // namespace layout::screen
