// Inserting a new field into a designed screen: the field's definition and
// texts, the format it goes into (the record format, or the list of a
// subfile screen), the refusal of duplicates, and a complete field entry
// with its block, ready for the user to place.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>

#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"

namespace {

using namespace layout::design;

constexpr uint16_t kSlot = 13;

void Refuse(int message, const std::string& name)
{
    ScreenMessage(message, name);
    std::memcpy(ScreenStep().painterCommand, "FI  ", 4);
}

// A visible field of that name in the format.
bool AlreadyThere(const ScreenFormat& format, const std::string& name)
{
    ScreenDesign& s = ScreenStep();
    FFC_WORK_RECORD r;
    ScreenKey(r, LAYOUT_KIND_RCDFLD, std::string(format.name, 8));
    for (char rc = WF_cReadFirst(s.ctx, kSlot, &r, 2); rc == '0'; rc = WF_cReadNext(s.ctx, kSlot, &r, 2)) {
        LAYOUT_FIELD_ENTRY f;
        std::memcpy(&f, r.acData, sizeof f);
        if (f.cControlPart != 'Y' && f.cType != 'T' && f.cUsage != 'H' && BareName(s.ctx, f.acName) == name)
            return true;
    }
    return false;
}

std::string AttributeCodes(const FFC_ATTRIBUTE_LIST& list)
{
    std::string codes(list.acCodes, std::min<size_t>(list.usLength, sizeof list.acCodes));
    codes.resize(40, ' ');
    return codes;
}

}  // namespace

extern "C" void P3097_InsertField(void)
{
    ScreenDesign& s = ScreenStep();
    s.inserted = false;
    const std::string name = BareName(s.ctx, s.fieldName);
    FFC_FIELD_DEFINITION def{};
    FFC_FIELD_TEXT text{};
    dqov::text::Pad(def.acName, 10, name);
    char local = 'N';
    if (name.empty() || Get_Function_Field(s.ctx, &local, &def, &text, nullptr) != '0')
        return Refuse(29, name);
    const std::string inputCodes = AttributeCodes(def.input), outputCodes = AttributeCodes(def.output);
    int32_t target = s.selected;
    char kind = 'R';
    const bool control = target >= 1 && std::memcmp(s.formats[target - 1].kind, "SFLCTL", 6) == 0 &&
                         target < static_cast<int32_t>(s.formats.size());
    if (control && !P3097_cHasControlCode(inputCodes.c_str()) && !P3097_cHasControlCode(outputCodes.c_str())) {
        P3097_GetDesignMode();
        if (s.designMode == ' ') {
            std::memset(s.painterCommand, ' ', 4);
            std::memset(s.message, ' ', sizeof s.message);
            return;
        }
        kind = s.designMode;
        if (kind == 'S')
            ++target;
    }
    if (target < 1 || target > static_cast<int32_t>(s.formats.size()))
        return Refuse(29, name);
    const ScreenFormat& format = s.formats[target - 1];
    if (AlreadyThere(format, name))
        return Refuse(30, name);

    s.current = 1;
    LAYOUT_FIELD_ENTRY& f = WorkElement(1);
    BlankFieldEntry(f);
    f.lLines = 0;
    std::memcpy(f.acName, PrefixedName(s.ctx, name.c_str()).data(), 10);
    f.cType = def.cType;
    f.lLength = def.lLength;
    f.lDecimals = def.lDecimals;
    f.cEditCode = def.cEditCode;
    std::memcpy(f.acEditWord, def.acEditWord, 24);
    P3097_ConvertToShiftText(s.ctx, text.acLabel, 15, f.acLabel, s.adjLabels);
    P3097_ConvertToShiftText(s.ctx, text.acDescription, 40, f.acDescription, s.adjDescriptions);
    for (int k = 0; k < 3; ++k)
        P3097_ConvertToShiftText(s.ctx, text.acColumnHeadings[k], 20, f.acHeadings[k], s.adjHeadings);
    int32_t w[7] = {0, 0, 0, 0, 0, 0, 0};
    P8061_sGetMultilingualFieldTexts(s.ctx, def.acName, &w[0], &w[1], &w[2], &w[3], &w[4], &w[5], &w[6], s.msgQueue);
    layout::MoveHeadingsDown(f.acHeadings);
    int at = 2;
    for (int k = 2; k >= 0; --k)
        if (w[1 + k] > 0)
            f.asHeadingWidths[at--] = static_cast<int16_t>(w[1 + k]);
    f.lHeadingWidth = w[4];
    const bool across = std::memcmp(s.command.acParms + 2238, "ACROSS", 6) == 0;
    f.lLabelWidth = across || kind == 'S' ? w[0] : 15;
    const int32_t common = s.commonDescription > 0 ? s.commonDescription : 40;
    if (kind == 'R' && w[6] > common)
        return Refuse(32, name);
    f.lDescriptionWidth = common % 2 != 0 ? common + 1 : common;
    if (s.ctx->cRightToLeft == 'Y') {
        layout::RightAlignText(f.acDescription, 40);
        for (auto& heading : f.acHeadings)
            layout::RightAlignText(heading, 20);
    }
    bool valid = true;
    char controlKind = 'N';
    int16_t number = 0;
    FLDCHK_sCheckNameCharacters(s.ctx, f.acName, f.cType, 10, inputCodes.c_str(), 10, outputCodes.c_str(), &valid,
                                s.msgQueue, f.lLength, &controlKind, &number);
    f.cControlKind = controlKind;
    f.sPushButton = number;
    char letter = static_cast<char>(s.identification);
    if (std::strchr("LCDN", letter) == nullptr || letter == '\0')
        letter = s.defaultLetter;
    if (controlKind == 'B')
        letter = 'N';
    else if ((controlKind == 'R' || controlKind == 'X') && letter != 'N')
        letter = 'L';
    s.defaultLetter = letter;
    std::memset(f.acInputFlags, '0', sizeof f.acInputFlags);
    std::memset(f.acOutputFlags, '0', sizeof f.acOutputFlags);
    std::memcpy(f.acInputFlags, "010", 3);
    std::memcpy(f.acOutputFlags, "100", 3);
    f.cUsage = f.cUsage1 = f.cUsage2 = 'B';
    f.cInOutCond = 'N';
    int32_t valueWidth = 0;
    char shift = ' ';
    FLDCHK_sCheckFieldAttributes(s.ctx, f.acName, f.cType, ' ', f.lLength, f.lDecimals, f.cEditCode, f.acEditWord,
                                 &valueWidth, f.acEditMask, &shift, &valid, 'D', s.msgQueue, controlKind, s.sysFlags);
    f.cShift = shift;
    f.lValueWidth = valueWidth;
    std::memcpy(f.acDisplayText, f.acEditMask, sizeof f.acDisplayText);
    f.cIdentification = kind == 'S' ? 'N' : letter;
    f.cHeadingInControl = kind == 'S' ? 'Y' : 'N';
    f.cFieldEntry = 'Y';
    f.cControlPart = 'N';
    f.cNewPage = 'N';
    f.cFailed = f.cPlaced = f.cCounted = 'N';
    f.cRepeat = 'N';
    f.lLine = f.lColumn = 0;
    P3097_ComputeFieldBlock();
    s.nextSequence -= 1;
    f.lFieldNumber = static_cast<int32_t>(s.nextSequence);
    std::memcpy(s.selName, f.acName, 10);
    std::memcpy(s.selFormat, format.name, 8);
    s.selKind = kind;
    const std::string record = RecordNumber(f.lFieldNumber);
    std::memcpy(s.selNumber, record.data(), 4);
    s.selFormatIndex = target;
    s.found = 'Y';
    s.inserted = true;
    ScreenMessage(31, name);
    std::memcpy(s.painterCommand, "FP  ", 4);
}
