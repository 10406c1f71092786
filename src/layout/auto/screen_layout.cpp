// The automatic screen layout (DC_P3111): the entry that the checker calls
// for every DISPLAY, REQUEST and POP_UP in pass 2, its start and completion
// steps, the design callback's events and the module's messages.
#include "layout/auto/screen_state.h"

#include <cstring>
#include <new>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace layout::screen {

using dqov::cmdparm::ParmNumber;
using dqov::cmdparm::ParmText;

Dialogue& Screen()
{
    static Dialogue d;
    return d;
}

LAYOUT_FIELD_ENTRY& Entry(int32_t number)
{
    return Screen().table[static_cast<size_t>(number - 1)];
}

LAYOUT_FIELD_ENTRY* NextEntry()
{
    Dialogue& d = Screen();
    if (d.count >= d.capacity)
        return nullptr;
    d.current = ++d.count;
    if (d.table.size() < static_cast<size_t>(d.count))
        d.table.emplace_back();
    return &d.table[static_cast<size_t>(d.count - 1)];
}

std::string EntryName(const LAYOUT_FIELD_ENTRY& e)
{
    return std::string(e.acName, sizeof e.acName);
}

bool CallbackPresent()
{
    return Screen().callbackPresent();
}

void PostEvent(DialogueEvent code, void* entry, intptr_t v1, intptr_t v2, intptr_t v3, intptr_t v4, void* start)
{
    Dialogue& d = Screen();
    if (!CallbackPresent())
        return;
    DLG_DESIGN_EVENT event{static_cast<intptr_t>(code), entry, v1, v2, v3, v4, start};
    d.callback(d.cmpe, d.lpc, &event);
}

void SetSlot(Msg msg, const std::string& data)
{
    FFC_CHECK_STATE& st = *Screen().state;
    std::memcpy(st.acFinalMsgId, dqov::MsgId(msg), 7);
    dqov::text::Pad(st.acFinalText, sizeof st.acFinalText, data);
}

void P3111_IssueMessage(char severity)
{
    Dialogue& d = Screen();
    FFC_CHECK_STATE& st = *d.state;
    st.cFinalSeverity = severity;
    PostEvent(DialogueEvent::Message, d.currentEntry(), reinterpret_cast<intptr_t>(&st));
    if (CallbackPresent())
        return;
    AddFinalMessage(d);
}

void IssueFinding(Msg msg, const std::string& data)
{
    SetSlot(msg, data);
    P3111_IssueMessage(dqov::MsgSeverity(msg));
}

namespace {

// Action-bar lines of the process: by the number of its action-bar choices
// in the run's language.
int32_t ActionBarLines()
{
    Dialogue& d = Screen();
    if (d.process->cMenuStyle != 'A')
        return 0;
    SSQL_AREA area;
    std::string partition(d.ctx->acPartition, 3), language = dqov::text::Trim(d.ctx->acLanguage, 4),
                                                  process = dqov::text::Trim(d.process->acProcess, 10);
    SSQL_SetLocation("DC_P3111/SQL005");
    SSQL_DeclareExt(&area,
                    "SELECT COUNT(*) FROM   QV_DTA.QV_F71 WHERE  X71P_I = '%s' AND X71PLN = '%s' AND "
                    "X71MOD = '%s'",
                    partition.c_str(), language.c_str(), process.c_str());
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    uint32_t entries = 0;
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(&entries));
    if (rc == SSQL_RC_ERROR)
        FFC_SQL_Error(ca, "DC_P3111/SQL005");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return entries > 12 ? 4 : entries > 6 ? 3 : 2;
}

// The design value without its leading '*', blank-padded to 10.
void CopyDesignValue(char* target, const std::string& value)
{
    std::string v = !value.empty() && value[0] == '*' ? value.substr(1) : value;
    dqov::text::Pad(target, 10, v);
}

void FillStartInfo()
{
    Dialogue& d = Screen();
    DLG_START_INFO& s = d.start;
    s = DLG_START_INFO{};
    void* arguments[8] = {d.ctx,
                          d.state,
                          const_cast<FFC_PROCESS_DEFINITION*>(d.process),
                          const_cast<FFC_FUNCTION_DEFINITION*>(d.function),
                          d.command,
                          d.formatCounter,
                          d.fieldCounter,
                          d.flag30};
    std::memcpy(s.apArguments, arguments, sizeof arguments);
    s.cMirror = d.mirror;
    s.cSinglePage = d.singlePage;
    s.cNoFrame = d.noFrame;
    s.lScreenLines = d.screenLines;
    s.pachMsgQueue = d.msgQueue;
    s.pachSystemFlags = d.systemFlags;
    s.lActionBarLines = d.actionBarLines;
    s.cProcessStyle = d.processStyle;
    s.cStdHead = d.stdHead;
    s.lPopLine = d.popUp.lLine;
    s.lPopColumn = d.popUp.lColumn;
    s.lPopTop = d.popTop;
    s.lPopLeft = d.popLeft;
    s.lPopWidth = d.popUp.lWidth;
    s.lPopHeight = d.popUp.lHeight;
    dqov::text::Pad(s.acOptions[0], 8, ParmText(*d.command, "OPTIONS", 0, 0));
    dqov::text::Pad(s.acOptions[1], 8, ParmText(*d.command, "OPTIONS", 0, 1));
    dqov::text::Pad(s.acBrowseList, 8, ParmText(*d.command, "BROWSELIST"));
}

}  // namespace

// Start step: buffers, status text, action bar, geometry, format slots.
int16_t P3111_sStartDialogueDesign()
{
    Dialogue& d = Screen();
    d.capacity = d.ctx->lLanguageLevelTwo ? 1000 : 150;
    d.table.clear();
    d.table.reserve(static_cast<size_t>(d.capacity));
    d.count = 0;
    d.current = 0;
    if (!CallbackPresent()) {
        char status[31];
        std::snprintf(status, sizeof status, "Designing Dialogue -> %-8.8s", d.commandName.c_str());
        P31O2_ShowStatusText(status, 30);
    }
    const bool popUp = d.commandName == "POP_UP";
    d.actionBarLines = popUp ? 0 : ActionBarLines();
    for (int i = 1; i <= kFormats; ++i) {
        d.lowest[i] = 999;
        d.highest[i] = -999;
    }
    d.processStyle = d.process->cMenuStyle == 'S' || d.process->cMenuStyle == 'A' ? 'Y' : 'N';
    std::string stdHead = ParmText(*d.command, "STD_HEAD");
    char head = stdHead.empty() ? 'X' : stdHead[0] == '*' && stdHead.size() > 1 ? stdHead[1] : stdHead[0];
    d.stdHead = head == 'X' ? (d.ctx->cTitleLines == 'N' ? 'N' : 'Y') : head;
    if (popUp) {
        P3111_SizePopUp();
        if (d.error)
            return -1;
    }
    d.popTop = popUp ? d.popUp.lLine - 1 : 0;
    d.popLeft = popUp ? d.popUp.lColumn - 1 : 0;
    d.width = popUp ? d.popUp.lWidth - 2 : 80;
    d.firstLine = d.firstColumn = 1;
    int32_t usable = 0, top = 0;
    if (popUp) {
        usable = d.stdHead != 'N' ? d.popUp.lHeight - 4 : d.popUp.lHeight - 3;
        top = d.stdHead != 'N' ? 1 : 0;
    } else if (d.stdHead == 'N') {
        usable = 21;
    } else if (d.processStyle == 'Y') {
        usable = 20;
        top = 1;
    } else {
        usable = 19;
        top = 2;
    }
    d.lastLine = usable - d.actionBarLines;
    d.lineOffset = top + d.actionBarLines;
    d.pageSize = d.lastLine * d.width;
    d.pageLimit = d.pageSize > 0 ? std::min(kOccupancy / d.pageSize, 7) : 0;
    P3111_ClearOccupancy();
    CopyDesignValue(d.design, ParmText(*d.command, "DESIGN"));
    std::string identify = ParmText(*d.command, "IDENTIFY");
    d.identify = identify.empty() ? 'C' : identify[0] == '*' && identify.size() > 1 ? identify[1] : identify[0];
    d.acrossSep = ParmNumber(*d.command, "ACROSS_SEP");
    d.downSep = ParmNumber(*d.command, "DOWN_SEP");
    std::memcpy(d.kind, "RECORD", 6);
    d.kindLetter = 'R';
    d.page = 1;
    d.line = 2;
    d.column = 2;
    d.formats = 0;
    /* the indicators of a format's conditions, 90 down, the same for every slot */
    struct Indicators {
        char at[LAYOUT_CONDITIONS][2];
    };
    static const Indicators indicators = [] {
        Indicators all;
        for (int k = 0; k < LAYOUT_CONDITIONS; ++k) {
            int32_t number = 90 - k;
            FIX_LongToDigits(&number, 2, all.at[k]);
        }
        return all;
    }();
    /* the slots are set here only: a layout that stops before (a pop-up
       window that cannot be sized) writes no format */
    for (int i = 1; i <= kFormats; ++i) {
        LAYOUT_FORMAT_SLOT& slot = d.slots[i];
        slot.lCount = 0;
        std::memset(slot.acNames, ' ', sizeof slot.acNames);
        static_assert(sizeof indicators.at == sizeof slot.acIndicators);
        std::memcpy(slot.acIndicators, indicators.at, sizeof slot.acIndicators);
        std::memset(d.formatName[i], ' ', 8);
        std::memset(d.formatKind[i], ' ', 6);
        d.fields[i] = d.counted[i] = d.headingLines[i] = d.sflPage[i] = d.sflSize[i] = d.indicator[i] = 0;
    }
    return 0;
}

void P3111_CompleteDialogueDesign()
{
    Dialogue& d = Screen();
    d.table.clear();
    d.table.shrink_to_fit();
    d.count = 0;
    d.current = 0;
    if (CallbackPresent()) {
        d.state->cFinalSeverity = ' ';
        return;
    }
    if (d.error) {
        d.state->cFinalSeverity = dqov::MsgSeverity(Msg::LayoutNotCompleted);
        std::memcpy(d.state->acFinalMsgId, dqov::MsgId(Msg::LayoutNotCompleted), 7);
        std::memset(d.state->acFinalText, ' ', sizeof d.state->acFinalText);
        std::memcpy(d.state->acFinalText, d.state->acCommand, 10);
    } else {
        d.state->cFinalSeverity = ' ';
    }
    if (FFC_from_EDITOR()) {
        char status[31];
        std::snprintf(status, sizeof status, "Completed Dialogue -> %-8.8s", d.commandName.c_str());
        P31O2_ShowStatusText(status, 30);
    }
}

}  // namespace layout::screen

using namespace layout::screen;

extern "C" void P3111_DesignDialogue(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState,
                                     const FFC_PROCESS_DEFINITION* pProcess, const FFC_FUNCTION_DEFINITION* pFunction,
                                     FFC_PARSED_COMMAND* pCommand, int32_t* plFormatCounter, int32_t* plFieldCounter,
                                     char* pcFlag30, char cMirror, char cSinglePage, char cNoFrame,
                                     int32_t lScreenLines, const char* pachMsgQueue, const char* pachSystemFlags,
                                     void* pLpcAnchor, void* pCmpeAnchor, LAYOUT_DESIGN_CALLBACK pfnCallback)
{
    Dialogue& d = Screen();
    /* every value of the last layout dropped: each member takes its
       initializer afresh, in place */
    d.~Dialogue();
    new (&d) Dialogue;
    StartLayoutRun(d, pContext, pState, pProcess, pFunction, pCommand, plFormatCounter, cMirror, pachMsgQueue,
                   pachSystemFlags, pLpcAnchor, pCmpeAnchor, pfnCallback);
    d.fieldCounter = plFieldCounter;
    d.flag30 = pcFlag30;
    d.singlePage = cSinglePage;
    d.noFrame = cNoFrame;
    d.screenLines = lScreenLines;
    int16_t status = P3111_sStartDialogueDesign();
    FillStartInfo();
    PostEvent(DialogueEvent::Started, nullptr, reinterpret_cast<intptr_t>(pState), 0, 0, 0, &d.start);
    if (status >= 0) {
        P3111_LayoutMainRecord();
        PostEvent(DialogueEvent::MainRecordLaidOut, d.currentEntry());
        P3111_LayoutBrowseList();
        P3111_WriteFormatRecords();
    }
    P3111_CompleteDialogueDesign();
    EndLayoutRun(d);
}
