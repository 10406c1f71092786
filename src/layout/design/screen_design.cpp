// The screen design step (DC_P3097): registers the function's screens with
// the painter, and designs the one chosen: it draws the screen image, runs
// the painter dialogue until the user leaves the screen, and writes a
// changed design back into the commands.
#include "layout/design/screen_design.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/command_reader.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"

namespace layout::design {

namespace {

constexpr uint16_t kSlot = 13;

// A number the checker keeps as a double in a GROUPNAM record; bytes it
// never wrote (blanks) count as 0.
double GroupNumber(const FFC_WORK_RECORD& r, size_t at)
{
    if (std::all_of(r.acData + at, r.acData + at + 8, [](char c) { return c == ' '; }))
        return 0.0;
    double value = 0.0;
    std::memcpy(&value, r.acData + at, sizeof value);
    return value;
}

// The GROUPNAM number at data offset 136 of a group or list name; a blank
// name or "*NONE" counts as 0, and so does a group without record.
double GroupMark(const char* name)
{
    ScreenDesign& s = ScreenStep();
    const std::string n = dqov::text::Trim(name, 10);
    if (n.empty() || n == "*NONE")
        return 0.0;
    FFC_WORK_RECORD r;
    ScreenKey(r, LAYOUT_KIND_GROUPNAM, n);
    if (WF_cReadFirst(s.ctx, kSlot, &r, 2) != '0')
        return 0.0;
    return GroupNumber(r, 136);
}

const char* Text(const char* text)
{
    return text ? text : "";
}

int16_t RegisterFormats(int32_t number, const char* name, int16_t registered)
{
    ScreenDesign& s = ScreenStep();
    const FFC_PAINT_TEXTS empty{};
    const FFC_PAINT_TEXTS& t = s.texts ? *s.texts : empty;
    s.commandNumber = number;
    s.commandSecond = 0;
    std::memcpy(s.commandName, name, 10);
    RecordKey(LAYOUT_KIND_RCDFMT, std::string(name, 10), CommandQualifier(), 3);
    for (P3097_ReadFirst(); s.last == '0'; P3097_ReadNext()) {
        RCDFMT_DATA d;
        std::memcpy(&d, s.record.acData, sizeof d);
        if (std::memcmp(d.acKind, "SFL   ", 6) == 0)
            continue;
        P31O2_AddPainterObject(s.paint, number, name, d.acFormat, d.acKind, ++registered, Text(t.apszScreenHeadings[0]),
                               Text(t.apszScreenHeadings[1]), Text(t.apszScreenHeadings[2]),
                               Text(t.apszScreenHeadings[3]), Text(t.pszScreenTitle));
    }
    return registered;
}

void LoadFormats()
{
    ScreenDesign& s = ScreenStep();
    s.formats.clear();
    s.selected = 0;
    RecordKey(LAYOUT_KIND_RCDFMT, std::string(s.commandName, 10), CommandQualifier(), 3);
    for (P3097_ReadFirst(); s.last == '0' && s.formats.size() < kScreenFormats; P3097_ReadNext()) {
        RCDFMT_DATA d;
        std::memcpy(&d, s.record.acData, sizeof d);
        ScreenFormat f;
        std::memcpy(f.name, d.acFormat, 8);
        f.first = d.lFirstLine;
        f.last = d.lLastLine;
        std::memcpy(f.kind, d.acKind, 6);
        f.subfilePage = d.lSubfilePage;
        f.subfileSize = d.lSubfileSize;
        f.entries = d.lEntries;
        f.counted = d.lCounted;
        f.headingLines = d.lHeadingLines;
        s.formats.push_back(f);
        if (std::memcmp(f.name, s.selectedFormat, 8) == 0)
            s.selected = static_cast<int32_t>(s.formats.size());
    }
}

void LoadPopUp()
{
    ScreenDesign& s = ScreenStep();
    std::memset(s.popData, 0, sizeof s.popData);
    s.originLine = s.originColumn = 0;
    s.usableWidth = kScreenWidth;
    if (!s.popUp)
        return;
    RecordKey(LAYOUT_KIND_POP_UP, PopUpName(), {}, 2);
    P3097_ReadFirst();
    if (s.last == '0')
        std::memcpy(s.popData, s.record.acData, sizeof s.popData);
    const POP_UP_DATA& p = PopUp();
    s.originLine = p.lLine - 1;
    s.originColumn = p.lColumn - 1;
    s.usableWidth = p.lWidth - 2;
}

// The command's text-map name, settled and written into its text parameter.
void SettleTextMap()
{
    ScreenDesign& s = ScreenStep();
    P3097_ReadCommandRecord();
    if (s.last != '0')
        return;
    char* text = ParmAddress(s.command, "TEXTS", 0, 0);
    if (!text)
        return;
    s.textMap = SettleTextMapName(s, s.commandNumber, text);
    dqov::text::Pad(text, 20, s.textMap);
    RS_PutCommandRecord(s.ctx, &s.command, sizeof s.command);
}

char TitleWanted()
{
    ScreenDesign& s = ScreenStep();
    const char option = s.command.acParms[2543];
    if (option != 'X' && option != ' ')
        return option;
    const bool screen = std::memcmp(s.commandName, "DISPLAY", 7) == 0 || std::memcmp(s.commandName, "REQUEST", 7) == 0;
    if (screen && (std::memcmp(s.command.acParms + 1912, "*OVERLAY", 8) == 0 ||
                   std::memcmp(s.command.acParms + 1920, "*OVERLAY", 8) == 0))
        return 'N';
    return s.ctx->cTitleLines == 'N' ? 'N' : 'Y';
}

// Steps 2 to 8 of one screen: its image drawn from its records.
void BuildScreen()
{
    ScreenDesign& s = ScreenStep();
    std::memcpy(s.painterCommand, s.pendingRequest, 4);
    std::memset(s.pendingRequest, ' ', 4);
    std::memcpy(s.pending, "DIS", 3);
    s.size = kScreenCells;
    s.width = kScreenWidth;
    s.attributeUndo.clear();
    s.markCount = 0;
    LoadPopUp();
    LoadFormats();
    SettleTextMap();
    s.title = TitleWanted();
    s.windowTitle = s.title;
    if (s.popUp)
        P3097_CheckPopUpWindow();
    std::memset(s.chars, ' ', sizeof s.chars);
    std::memset(s.kinds, ' ', sizeof s.kinds);
    std::memset(s.owners, 0, sizeof s.owners);
    s.textCount = 0;
    s.commonDescription = 0;
    P3097_DrawHeaderLines();
    if (s.title == 'Y')
        P3097_DrawTitleLine();
    P3097_DrawFunctionKeyLines();
    s.selFormatIndex = s.selected;
    P3097_LoadFormatFields();
    if (s.selected >= 1 && std::memcmp(s.formats[s.selected - 1].kind, "SFLCTL", 6) == 0 &&
        s.selected < static_cast<int32_t>(s.formats.size())) {
        s.selFormatIndex = s.selected + 1;
        P3097_LoadFormatFields();
    }
    s.selFormatIndex = s.selected;
    P3097_SetFormatLines();
    if (s.popUp) {
        s.homeLine = PopUp().lLine;
        s.homeColumn = PopUp().lColumn;
    } else {
        s.homeLine = 3;
        s.homeColumn = s.mirror() == 'Y' ? 79 : 2;
    }
    s.cursorLine = s.homeLine;
    s.cursorColumn = s.homeColumn;
    s.ruler = 'N';
    s.rulerLine = s.rulerColumn = 1;
    std::memset(s.message, ' ', sizeof s.message);
}

enum class Answer { Gone, Refused, Taken };

// One exchange of the screen with the painter. An answer whose cursor lies
// far off any screen is refused as it is read: the cursor stays where it
// was, the painter is asked the same again with message 27.
Answer Exchange()
{
    ScreenDesign& s = ScreenStep();
    P3097_DrawPopUpFrame();
    P3097_DrawRuler();
    P3097_ShowScreenOnce();
    char screen[2000];
    std::memset(screen, ' ', sizeof screen);
    std::memcpy(screen, s.chars + 1, kScreenCells);
    int16_t fieldValue = 0;
    char asked[4];
    std::memcpy(asked, s.painterCommand, 4);
    int32_t line = s.cursorLine, column = s.cursorColumn;
    P31O2_sPainterCommand(s.textLine, s.textFlags, &fieldValue, s.painterCommand, &line, &column, screen, s.message,
                          s.fieldName, &s.identification, nullptr, nullptr, nullptr, s.paint);
    P3097_UndoRuler();
    if (!PainterPresent(s))
        return Answer::Gone;
    if (!CursorAnswerInRange(line, column)) {
        std::memcpy(s.painterCommand, asked, 4);
        ScreenMessage(27);
        return Answer::Refused;
    }
    s.cursorLine = line;
    s.cursorColumn = column;
    return Answer::Taken;
}

}  // namespace

ScreenDesign& ScreenStep()
{
    static ScreenDesign step;
    return step;
}

LAYOUT_FIELD_ENTRY& WorkElement(int element)
{
    return ScreenStep().work[element - 1];
}

LAYOUT_FIELD_ENTRY& Field()
{
    return WorkElement(ScreenStep().current);
}

POP_UP_DATA& PopUp()
{
    return *reinterpret_cast<POP_UP_DATA*>(ScreenStep().popData);
}

void ScreenMessage(int number, const std::string& text)
{
    P3097_FormatMessageLine(static_cast<int16_t>(text.size()), static_cast<int16_t>(number), text.c_str());
}

std::string RecordNumber(int32_t number)
{
    char digits[4];
    FIX_LongToDigits(&number, 4, digits);
    return std::string(digits, 4);
}

char FormatKindLetter(const ScreenFormat& f)
{
    return std::memcmp(f.kind, "RECORD", 6) == 0 || std::memcmp(f.kind, "SFLCTL", 6) == 0 ? 'R' : 'S';
}

void ScreenKey(FFC_WORK_RECORD& r, const char* kind, const std::string& name, const std::string& qualifier)
{
    WF_BlankRecord(ScreenStep().ctx, &r);
    std::memcpy(r.acKind, kind, 10);
    std::memcpy(r.acName, name.data(), std::min(name.size(), sizeof r.acName));
    std::memcpy(r.acQualifier, qualifier.data(), std::min(qualifier.size(), sizeof r.acQualifier));
}

std::string CommandQualifier()
{
    const ScreenDesign& s = ScreenStep();
    int32_t number = s.commandNumber, second = s.commandSecond;
    char q[10];
    std::memset(q, ' ', sizeof q);
    FIX_LongToDigits(&number, 4, q);
    FIX_LongToDigits(&second, 4, q + 4);
    return std::string(q, 10);
}

std::string PopUpName()
{
    const ScreenDesign& s = ScreenStep();
    int32_t number = s.commandNumber, second = s.commandSecond;
    char n[30];
    FIX_LongToDigits(&number, 15, n);
    FIX_LongToDigits(&second, 15, n + 15);
    return std::string(n, 30);
}

bool ReadFieldRecord(const std::string& number)
{
    ScreenDesign& s = ScreenStep();
    ScreenKey(s.record, LAYOUT_KIND_RCDFLD, {}, number);
    P3097_ReadFirstBySecondKey();
    return s.last == '0';
}

void RecordKey(const char* kind, const std::string& name, const std::string& qualifier, uint16_t parts)
{
    ScreenDesign& s = ScreenStep();
    P3097_BlankRecord();
    std::memcpy(s.record.acKind, kind, 10);
    std::memcpy(s.record.acName, name.data(), std::min(name.size(), sizeof s.record.acName));
    std::memcpy(s.record.acQualifier, qualifier.data(), std::min(qualifier.size(), sizeof s.record.acQualifier));
    s.keyCount = parts;
}

void RewriteFieldRecord()
{
    ScreenDesign& s = ScreenStep();
    if (!ReadFieldRecord(RecordNumber(Field().lFieldNumber)))
        return;
    P3097_RemoveOffsets();
    std::memcpy(s.record.acData, &Field(), sizeof(LAYOUT_FIELD_ENTRY));
    P3097_AddOffsets();
    P3097_UpdateBySecondKey();
}

void RewritePopUpRecord()
{
    ScreenDesign& s = ScreenStep();
    RecordKey(LAYOUT_KIND_POP_UP, PopUpName(), {}, 2);
    P3097_ReadFirst();
    if (s.last != '0')
        return;
    std::memcpy(s.record.acData, s.popData, sizeof s.popData);
    P3097_UpdateRecord();
}

void SetChanged(char kind)
{
    ScreenDesign& s = ScreenStep();
    s.anyChanged = 'Y';
    if (kind == 'T')
        s.textsChanged = 'Y';
    else if (kind == 'R')
        s.recordChanged = 'Y';
    else if (kind == 'S')
        s.listChanged = 'Y';
}

}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3097_DesignScreens(FFC_CONTEXT* pContext, const FFC_PROCESS_DEFINITION* pProcess,
                         const FFC_FUNCTION_DEFINITION* pFunction, FFC_CHECK_STATE* pState, char* pachOptionFlags,
                         const char* pachMsgQueue, FFC_PAINT_STR* pPaint)
{
    ScreenDesign& s = ScreenStep();
    s = ScreenDesign{};
    s.ctx = pContext;
    s.process = pProcess;
    s.function = pFunction;
    s.state = pState;
    s.optionFlags = pachOptionFlags;
    if (pachMsgQueue)
        std::memcpy(s.msgQueue, pachMsgQueue, 10);
    s.paint = pPaint;
    if (!pContext || !pPaint || !pState)
        return;
    pPaint->lMode = 1;
    s.texts = static_cast<const FFC_PAINT_TEXTS*>(pPaint->pTextTable);
    uint16_t size = LAYOUT_ENTRY_SIZE, count = 2;
    void* block = nullptr;
    if (qvrmm1(pContext, 'R', kScreenWorkList, &size, &count, &block) == QVRMM_OK) {
        s.work = static_cast<LAYOUT_FIELD_ENTRY*>(block);
        P8061_GetSessionDesignAdjustAttributes(pContext, &s.adjHeadings, &s.adjLabels, &s.adjDescriptions, &s.adjTexts);
        s.nextSequence = 9999.0;
        s.defaultLetter = 'D';
        s.screenLines = pState->acSystemFlags[0] == 'Y' && pState->acSystemFlags[1] != 'Y' ? 24 - 1 : 24;
        P3097_StartScreenDesign();
        P3097_ScanScreenCommands();
    }
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    char name[41];
    std::snprintf(name, sizeof name, "%-40s", "DC_P3097");
    qvrmm5(pContext, name);
    s.work = nullptr;
}

void P3097_ScanScreenCommands(void)
{
    ScreenDesign& s = ScreenStep();
    std::memset(s.sysFlags, 'N', sizeof s.sysFlags);
    FFC_WORK_RECORD r;
    ScreenKey(r, "SYSFLAGS  ", {});
    if (WF_cReadFirst(s.ctx, kSlot, &r, 1) == '0')
        std::memcpy(s.sysFlags, r.acData, sizeof s.sysFlags);
    if (s.flag(45) == 'Y')
        s.state->acSystemFlags[0] = s.state->acSystemFlags[1] = 'N';
    auto source = std::make_unique<FFC_SOURCE_COMMAND>();
    std::memset(source.get(), 0, sizeof *source);
    int16_t registered = 0, commands = 0;
    while (LAYOUT_chReadNextCommand(s.ctx, source.get()) == '0') {
        commands = std::max(commands, source->sLine);
        const std::string name = dqov::text::Trim(source->acName, 10);
        if ((name != "DISPLAY" && name != "REQUEST" && name != "POP_UP") || source->sSubLine != 0)
            continue;
        if (!FindCommand(s.ctx, source->sLine, 0, s.command))
            continue;
        if (GroupMark(s.command.acParms + 1061) != 0.0 || GroupMark(s.command.acParms + 2228) != 0.0)
            continue;
        P31O2_ShowStatusText(source->acName, 10);
        registered = RegisterFormats(source->sLine, source->acName, registered);
    }
    MarkTextMapsInUse(s, commands);
    if (registered == 0) {
        P31O2_IssueText(Text(s.texts ? s.texts->pszNoScreen : nullptr));
        return;
    }
    P3097_StartDisplayRequest();
    std::memcpy(s.paint->acTextLine, s.displayHeader, sizeof s.paint->acTextLine);
    while (PainterPresent(s) && !s.painterGone && P31O2_sPainterRequest11(s.paint) != -1) {
        s.commandNumber = s.paint->lChosenCommand;
        s.commandSecond = s.paint->lChosenSecond;
        std::memcpy(s.commandName, s.paint->acChosenCommandName, 10);
        std::memcpy(s.selectedFormat, s.paint->acChosenFormatName, 10);
        s.popUp = std::memcmp(s.commandName, "POP_UP", 6) == 0;
        P3097_DesignScreen();
    }
    P31O2_FreePainterObjects(s.paint);
}

void P3097_DesignScreen(void)
{
    ScreenDesign& s = ScreenStep();
    for (;;) {
        s.anyChanged = s.recordChanged = s.listChanged = s.textsChanged = s.popChanged = 'N';
        std::memset(s.pendingRequest, ' ', 4);
        s.shownOnce = false;
        P3097_SaveScreenRecords();
        BuildScreen();
        for (;;) {
            if (std::memcmp(s.pending, "END", 3) == 0) {
                if (s.anyChanged == 'Y')
                    P3097_WriteBackScreen();
                return;
            }
            if (std::memcmp(s.pending, "RSS", 3) == 0)
                break;
            if (std::memcmp(s.pending, "RS2", 3) == 0) {
                BuildScreen();
                continue;
            }
            const Answer answer = Exchange();
            if (answer == Answer::Gone) {
                // The painter went away: the screen is left as it was.
                P3097_RestoreScreenRecords();
                s.anyChanged = 'N';
                s.painterGone = true;
                return;
            }
            if (answer == Answer::Taken)
                P3097_RunPainterDialogue();
        }
    }
}

}  // extern "C"
