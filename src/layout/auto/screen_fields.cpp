// Screen field loading: one layout entry per field of a field group, with
// the field's texts in their widest form over all languages, its widths
// and offsets for the chosen identification, its usage and attribute flags
// and its screen control kind.
#include "layout/auto/screen_state.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/auto/layout_text.h"
#include "layout/layout.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"

namespace layout::screen {

namespace {

// The attribute codes and the flag position (1-30) each sets.
struct AttributeCode {
    const char* code;
    int position;
};
constexpr AttributeCode kAttributes[45] = {
    {"AB", 5},    {"ME", 6},    {"MF", 7},    {"M10", 8},   {"M11", 9},   {"VN", 10},   {"FE", 11},   {"LC", 4},
    {"RB", 12},   {"RZ", 13},   {"RL", 14},   {"RLTB", 15}, {"GRN", 16},  {"WHT", 17},  {"RED", 18},  {"TRQ", 19},
    {"YLW", 20},  {"PNK", 21},  {"BLU", 22},  {"BL", 23},   {"CS", 24},   {"HI", 25},   {"ND", 26},   {"RA", 27},
    {"DUTC", 28}, {"ABCH", 30}, {"PBPT", 30}, {"PBPI", 30}, {"PBIN", 30}, {"PBFP", 30}, {"PBBR", 30}, {"PBCM", 30},
    {"PBGH", 30}, {"PBNT", 30}, {"PBET", 30}, {"PBEN", 30}, {"PBEE", 30}, {"PBCH", 30}, {"PBDC", 30}, {"PBUC", 30},
    {"PBCN", 30}, {"PBCE", 30}, {"PBSI", 30}, {"PBSL", 30}, {"PBWB", 30}};
constexpr int kListCodes = 10;

const AttributeCode* FindCode(std::string_view code)
{
    for (const AttributeCode& a : kAttributes)
        if (code == a.code)
            return &a;
    return nullptr;
}

// A list of at most ten 4-character codes.
struct CodeList {
    int count = 0;
    char codes[kListCodes * 4];
    CodeList() { std::memset(codes, ' ', sizeof codes); }
    bool add(std::string_view code)
    {
        if (count >= kListCodes)
            return false;
        dqov::text::Pad(codes + 4 * count++, 4, code);
        return true;
    }
};

// The codes of a list that are not blank, in order, as they stand in it.
struct CodeViews {
    int count = 0;
    std::string_view codes[kListCodes];
    const std::string_view* begin() const { return codes; }
    const std::string_view* end() const { return codes + count; }
};

CodeViews Codes(const FFC_ATTRIBUTE_LIST& list)
{
    static_assert(sizeof list.acCodes == 4 * kListCodes);
    CodeViews codes;
    for (size_t i = 0; i + 4 <= list.usLength && i + 4 <= sizeof list.acCodes; i += 4) {
        const std::string_view code = dqov::text::TrimmedView(list.acCodes + i, 4);
        if (!code.empty())
            codes.codes[codes.count++] = code;
    }
    return codes;
}

bool IsControlCode(std::string_view code)
{
    if (code.size() == 4 && code.compare(0, 2, "PB") == 0 && std::isdigit(static_cast<unsigned char>(code[2])) &&
        std::isdigit(static_cast<unsigned char>(code[3]))) {
        int n = (code[2] - '0') * 10 + (code[3] - '0');
        return n >= 1 && n <= 20;
    }
    return (code.size() > 2 && code.compare(0, 2, "RB") == 0 && code[2] != ' ') || code.compare(0, 2, "DD") == 0 ||
           code == "CBOX";
}

bool RightToLeft()
{
    return Screen().ctx->cRightToLeft == 'Y';
}

// 'R' when the entry's label stands right of its value.
char P3111_cLabelSide(const LAYOUT_FIELD_ENTRY& e)
{
    const bool box = e.cControlKind == 'X' || e.cControlKind == 'R';
    return box != RightToLeft() ? 'R' : 'L';
}

void P3111_SetFieldUsage(LAYOUT_FIELD_ENTRY& e, const GROUPFLD_DATA& f)
{
    auto set = [](const GROUPFLD_DATA& g, int at) { return reinterpret_cast<const char*>(&g)[at] == '1'; };
    auto letters = [&](char usage, char a, char b, char c) {
        e.cUsage = usage;
        e.cUsage1 = a;
        e.cInOutCond = b;
        e.cUsage2 = c;
    };
    if (set(f, GF_HIDE)) {
        letters('H', 'H', 'N', 'H');
        e.cCounted = 'Y';
        std::memset(e.acInputFlags, '0', 30);
        std::memset(e.acOutputFlags, '0', 30);
        e.cIdentification = 'N';
        e.lLine = e.lColumn = 0;
    } else if (set(f, GF_SELECT)) {
        letters('B', 'I', 'N', 'I');
        std::memcpy(e.acInputFlags, "010", 3);
        std::memcpy(e.acOutputFlags, e.acInputFlags, 30);
    } else if (set(f, GF_OUTPUT)) {
        letters('O', 'O', 'N', 'O');
        e.cCounted = 'Y';
        std::memcpy(e.acOutputFlags, "000", 3);
        std::memset(e.acListName, ' ', sizeof e.acListName);
        std::memcpy(e.acInputFlags, e.acOutputFlags, 30);
    } else if (!set(f, GF_INPUT)) {
        letters('B', 'B', set(f, GF_INOUTCOND) ? 'Y' : 'N', 'B');
        std::memcpy(e.acInputFlags, "010", 3);
        std::memcpy(e.acOutputFlags, "100", 3);
    } else {
        letters('B', 'I', 'N', 'I');
        e.cCounted = 'Y';
        std::memcpy(e.acInputFlags, "010", 3);
        std::memcpy(e.acOutputFlags, e.acInputFlags, 30);
    }
}

bool AddTo(CodeList& list, std::string_view code, Msg msg, const LAYOUT_FIELD_ENTRY& e)
{
    if (list.add(code))
        return true;
    IssueFinding(msg, EntryName(e));
    Screen().error = true;
    return false;
}

// Control codes of a list go to the control code list; false when it is full.
bool P3111_AddControlCode(CodeList& controls, std::string_view code, const LAYOUT_FIELD_ENTRY& e)
{
    return AddTo(controls, code, Msg::TooManyOutputAttributes, e);
}

bool P3111_CollectControlCodes(CodeList& controls, const CodeViews& codes, const LAYOUT_FIELD_ENTRY& e)
{
    for (std::string_view code : codes)
        if (IsControlCode(code) && !P3111_AddControlCode(controls, code, e))
            return false;
    return true;
}

void P3111_SetFieldAttributes(LAYOUT_FIELD_ENTRY& e, const GROUPFLD_DATA& f, const FFC_FIELD_DEFINITION& def)
{
    Dialogue& d = Screen();
    const char* list = reinterpret_cast<const char*>(&f);
    std::memset(e.acInputFlags, '0', 30);
    std::memset(e.acOutputFlags, '0', 30);
    auto flag = [&](char* flags, int position) { flags[position - 1] = '1'; };
    if (list[GF_LOWERCASE] == '1')
        flag(e.acInputFlags, 4);
    for (int k = 0; k < 22; ++k) {
        if (list[GF_ATTRIBUTES + k] != '1')
            continue;
        flag(e.acInputFlags, 5 + k);
        if (k >= 11)
            flag(e.acOutputFlags, 5 + k);
    }
    if (list[GF_RA] == '1')
        flag(e.acInputFlags, 27);
    if (list[GF_FURTHER] == '1') {
        flag(e.acInputFlags, 28);
        flag(e.acOutputFlags, 28);
    }
    CodeList input, output, controls;
    const CodeViews inCodes = Codes(def.input), outCodes = Codes(def.output);
    for (int side = 0; side < 2; ++side) {
        for (std::string_view code : side == 0 ? inCodes : outCodes) {
            const AttributeCode* a = FindCode(code);
            if (!a)
                continue;
            flag(side == 0 ? e.acInputFlags : e.acOutputFlags, a->position);
            if (a->position == 30 && !AddTo(side == 0 ? input : output, code,
                                            side == 0 ? Msg::TooManyInputAttributes : Msg::TooManyOutputAttributes, e))
                return;
        }
    }
    for (int i = 0; i < 25; ++i) {
        const AttributeCode& a = kAttributes[i];
        if (e.acInputFlags[a.position - 1] == '1' && !AddTo(input, a.code, Msg::TooManyInputAttributes, e))
            return;
        if (e.acOutputFlags[a.position - 1] == '1' && !AddTo(output, a.code, Msg::TooManyOutputAttributes, e))
            return;
    }
    if (!P3111_CollectControlCodes(controls, inCodes, e) || !P3111_CollectControlCodes(controls, outCodes, e))
        return;
    // The control codes are checked with the input codes.
    CodeList checked = input;
    for (int i = 0; i < controls.count && checked.count < kListCodes; ++i)
        checked.add(std::string_view(controls.codes + 4 * i, 4));
    bool valid = true;
    char control = 'N';
    int16_t number = 0;
    FLDCHK_sCheckNameCharacters(d.ctx, e.acName, e.cType, static_cast<int16_t>(checked.count), checked.codes,
                                static_cast<int16_t>(output.count), output.codes, &valid, d.msgQueue, e.lLength,
                                &control, &number);
    e.cControlKind = control;
    e.sPushButton = number;
    if (RightToLeft() && d.flag30) {
        for (std::string_view code : inCodes)
            if (code == "RLTB")
                *d.flag30 = 'Y';
        for (std::string_view code : outCodes)
            if (code == "RLTB")
                *d.flag30 = 'Y';
    }
}

void P3111_CheckControlIdentification(LAYOUT_FIELD_ENTRY& e)
{
    Dialogue& d = Screen();
    if (e.cControlKind == 'B' && e.sPushButton >= 1 && e.sPushButton <= 20)
        ++d.pushButtons[e.sPushButton];
    if (e.cControlKind == 'B' && e.cIdentification != 'N') {
        IssueFinding(Msg::PushButtonIdentification, EntryName(e));
        d.error = true;
    }
    if ((e.cControlKind == 'R' || e.cControlKind == 'X') && e.cIdentification != 'L' && e.cIdentification != 'N') {
        IssueFinding(Msg::ToggleIdentification, EntryName(e));
        d.error = true;
    }
}

}  // namespace

// Offsets and entry width by identification.
void SetEntryOffsets(LAYOUT_FIELD_ENTRY& e)
{
    e.lValueOffset = e.lIdentOffset = e.lRightLabelOffset = 0;
    switch (e.cIdentification) {
    case 'L':
        if (P3111_cLabelSide(e) == 'R')
            e.lRightLabelOffset = e.lValueWidth + 1;
        else
            e.lValueOffset = e.lLabelWidth + 1;
        e.lWidth = e.lValueWidth + e.lLabelWidth + 1;
        break;
    case 'D':
        e.lValueOffset = RightToLeft() ? 0 : e.lDescriptionWidth + 7;
        e.lWidth = e.lValueWidth + e.lDescriptionWidth + 7;
        break;
    case 'C':
        if (e.lValueWidth <= e.lHeadingWidth) {
            e.lWidth = e.lHeadingWidth;
            e.lValueOffset = e.lHeadingWidth - e.lValueWidth;
            if (e.cType == 'A')
                e.lValueOffset /= 2;
        } else {
            e.lWidth = e.lValueWidth;
            e.lIdentOffset = e.cType == 'A' && !RightToLeft() ? 0 : e.lValueWidth - e.lHeadingWidth;
        }
        break;
    default: e.lWidth = e.lValueWidth; break;
    }
}

namespace {

// Blank heading lines to the top, the others (in order) to the bottom; the
// line widths move with their lines.
void BottomAlignHeadings(LAYOUT_FIELD_ENTRY& e, const int32_t widths[3])
{
    char lines[3][20];
    int16_t moved[3] = {0, 0, 0};
    std::memset(lines, ' ', sizeof lines);
    int at = 2;
    for (int i = 2; i >= 0; --i) {
        if (dqov::text::TrimmedView(e.acHeadings[i], 20).empty())
            continue;
        std::memcpy(lines[at], e.acHeadings[i], 20);
        moved[at--] = static_cast<int16_t>(widths[i]);
    }
    std::memcpy(e.acHeadings, lines, sizeof lines);
    std::memcpy(e.asHeadingWidths, moved, sizeof moved);
}

void AddDotLeaders(char* description)
{
    if (dqov::text::TrimmedView(description, 40).empty())
        return;
    if (!RightToLeft()) {
        int p = 40;
        while (p > 1 && description[p - 1] == ' ')
            --p;
        int from = p + 2;
        if (from % 2 != 0)
            ++from;
        for (int q = from; q <= 40; q += 2)
            description[q - 1] = '.';
        return;
    }
    int p = 1;
    while (p < 40 && description[p - 1] == ' ')
        ++p;
    int from = p - 2;
    if (from % 2 != 0)
        --from;
    for (int q = from; q >= 1; q -= 2)
        description[q - 1] = '.';
}

// Moves positions (41 - w) to 40 of a right-to-left text to 1 to w.
void ShiftLeft(char* text, int size, int32_t w)
{
    if (w <= 0 || w >= size)
        return;
    char copy[40];
    std::memcpy(copy, text + size - w, static_cast<size_t>(w));
    std::memset(text, ' ', static_cast<size_t>(size));
    std::memcpy(text, copy, static_cast<size_t>(w));
}

}  // namespace

void P3111_LoadFieldGroup(const char* group)
{
    Dialogue& d = Screen();
    FFC_WORK_RECORD r;
    WF_BlankRecord(d.ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPNAM, 10);
    std::memcpy(r.acName, group, 10);
    const bool keepNames =
        WF_cReadFirst(d.ctx, LAYOUT_CURSOR_SLOT, &r, 2) == '0' && r.acData[GROUPNAM_KEEP_NAMES] == 'Y';
    d.count = 0;
    int32_t widestDescription = 0;
    const bool across = std::memcmp(d.design, "ACROSS", 6) == 0;
    const bool control = d.kindLetter == 'C';
    WF_BlankRecord(d.ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_GROUPFLD, 10);
    std::memcpy(r.acName, group, 10);
    for (char rc = WF_cReadFirst(d.ctx, LAYOUT_CURSOR_SLOT, &r, 2); rc == '0';
         rc = WF_cReadNext(d.ctx, LAYOUT_CURSOR_SLOT, &r, 2)) {
        GROUPFLD_DATA f;
        std::memcpy(&f, r.acData, sizeof f);
        const char* list = r.acData;
        char name[50];
        dqov::text::Pad(name, sizeof name, dqov::text::TrimmedView(f.acField, 10));
        P3100_StripLeadingChar(name, d.ctx->cNatChar1);
        FFC_FIELD_DEFINITION def{};
        FFC_FIELD_TEXT text{};
        std::memcpy(def.acName, name, 10);
        char local = 'N';
        if (Get_Function_Field(d.ctx, &local, &def, &text, nullptr) != '0')
            continue;
        LAYOUT_FIELD_ENTRY* next = NextEntry();
        if (!next) {
            IssueFinding(Msg::LayoutFieldsFull, dqov::text::Trim(f.acField, 10));
            d.error = true;
            break;
        }
        LAYOUT_FIELD_ENTRY& e = *next;
        std::memset(&e, 0, sizeof e);
        e.cFieldEntry = 'Y';
        /* the field's own name, without the national character: every
        ** reader of the entry (display tables, web pages, design) takes it
        ** as the dictionary names it, and a name of 10 characters fits */
        std::memcpy(e.acName, name, 10);
        e.cType = def.cType;
        e.lLength = def.lLength;
        e.lDecimals = def.lDecimals;
        e.cControlKind = 'N';
        e.sPushButton = 0;
        P3111_AdjustDbcsText(d.ctx, text.acLabel, 15, d.adjLabels);
        P3111_AdjustDbcsText(d.ctx, text.acDescription, 40, d.adjDescriptions);
        for (auto& heading : text.acColumnHeadings)
            P3111_AdjustDbcsText(d.ctx, heading, 20, d.adjHeadings);
        std::memcpy(e.acLabel, text.acLabel, 15);
        std::memcpy(e.acDescription, text.acDescription, 40);
        std::memcpy(e.acHeadings, text.acColumnHeadings, sizeof e.acHeadings);
        e.cEditCode = def.cEditCode;
        std::memcpy(e.acEditWord, def.acEditWord, 24);
        e.cShift = ' ';
        e.cFailed = e.cPlaced = 'N';
        e.cRepeat = 'N';
        std::memset(e.acErrorIndicator, ' ', 2);
        std::memset(e.acConditionIndicator, ' ', 2);
        std::memcpy(e.acCondition, f.acCondition, 10);
        std::memcpy(e.acConditionValue, f.acConditionValue, 4);
        e.cCounted = 'N';
        std::memset(e.acListName, ' ', sizeof e.acListName);
        if (keepNames)
            std::memcpy(e.acListName, f.acListName, 6);
        e.cControlPart = control ? 'Y' : 'N';
        e.cHeadingInControl = 'N';
        e.cOnChange = 'N';
        std::memset(e.acSavedName, ' ', sizeof e.acSavedName);
        int32_t line = 0, column = 0;
        FIX_lDigitsToLong(list + GF_LINE, 3, &line);
        FIX_lDigitsToLong(list + GF_COLUMN, 3, &column);
        if (d.kindLetter == 'R')
            e.lLine = line;
        else if (line != 0)
            IssueFinding(Msg::BrowseFieldLineIgnored, EntryName(e) + std::string(list + GF_LINE, 3));
        e.lColumn = column;
        e.cNewPage = list[GF_NEWPAGE] == '1' ? 'Y' : 'N';
        int32_t w[7] = {0, 0, 0, 0, 0, 0, 0};
        FieldTextWidths(d.ctx, def.acName, w, d.msgQueue);
        e.lLabelWidth = d.kindLetter == 'R' && !across ? 15 : w[0];
        e.lDescriptionWidth = w[6];
        widestDescription = std::max(widestDescription, w[6]);
        const int32_t lineWidths[3] = {w[1], w[2], w[3]};
        BottomAlignHeadings(e, lineWidths);
        e.lHeadingWidth = w[4];
        if (RightToLeft() && e.lHeadingWidth < 21)
            for (auto& heading : e.acHeadings)
                ShiftLeft(heading, 20, e.lHeadingWidth);
        P3111_SetFieldAttributes(e, f, def);
        int32_t valueWidth = 0;
        bool valid = true;
        char shift = e.cShift;
        FLDCHK_sCheckFieldAttributes(d.ctx, e.acName, e.cType, e.cShift, e.lLength, e.lDecimals, e.cEditCode,
                                     e.acEditWord, &valueWidth, e.acEditMask, &shift, &valid, 'D', d.msgQueue,
                                     e.cControlKind, d.systemFlags);
        e.cShift = shift;
        e.lValueWidth = valueWidth;
        std::memcpy(e.acDisplayText, e.acEditMask, sizeof e.acDisplayText);
        const char own = list[GF_IDENT];
        if (own == '0' || own == ' ' || control) {
            e.cIdentification = d.identify;
            if (d.kindLetter == 'R' && e.cControlKind == 'B')
                e.cIdentification = 'N';
            if (d.kindLetter == 'R' && (e.cControlKind == 'X' || e.cControlKind == 'R'))
                e.cIdentification = 'L';
        } else {
            e.cIdentification = own;
        }
        e.lLines = 1;
        if (e.cIdentification == 'C') {
            int32_t lines = d.kindLetter == 'R' ? 1 : 0;
            for (int16_t hw : e.asHeadingWidths)
                lines += hw > 0 ? 1 : 0;
            e.lLines = std::max(lines, 1);
        }
        if (list[GF_REPEAT] == '1') {
            if (d.kindLetter == 'R')
                e.cRepeat = 'Y';
            else
                IssueFinding(Msg::BrowseFieldRepeatIgnored, EntryName(e));
        }
        P3111_SetFieldUsage(e, f);
        SetEntryOffsets(e);
        P3111_CheckControlIdentification(e);
    }
    if (widestDescription % 2 != 0)
        ++widestDescription;
    for (int32_t i = 1; i <= d.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Entry(i);
        AddDotLeaders(e.acDescription);
        P3111_AdjustDbcsText(d.ctx, e.acDescription, 40, d.adjDescriptions);
        e.lDescriptionWidth = widestDescription;
        if (RightToLeft())
            ShiftLeft(e.acDescription, 40, widestDescription);
        if (e.cIdentification == 'D') {
            if (!RightToLeft())
                e.lValueOffset = widestDescription + 7;
            e.lWidth = e.lValueWidth + widestDescription + 7;
        }
        PostEvent(DialogueEvent::FieldLoaded, &e);
    }
}

void P3111_CheckPushButtonNumbers()
{
    Dialogue& d = Screen();
    for (int n = 1; n <= 20; ++n) {
        if (d.pushButtons[n] <= 1)
            continue;
        char number[3];
        std::snprintf(number, sizeof number, "%02d", n);
        IssueFinding(Msg::PushButtonNumberTwice, std::string("PB") + number);
        d.error = true;
    }
}

}  // namespace layout::screen
