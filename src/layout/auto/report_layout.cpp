// The automatic report layout (DC_P3116): the entry that the checker calls
// for every DEF_HEAD, DEF_FOOT, DEF_LINE and DEF_BREAK in pass 2, its start,
// layout proper and completion steps, the PRTFMT / PRTFMTCO records and the
// module's messages.
#include "layout/auto/report_state.h"

#include <cstdio>
#include <cstring>

#include "dqov/runcontrol/ffc_check_message.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace layout::report {

using dqov::cmdparm::ParmNumber;
using dqov::cmdparm::ParmText;

Report& Rpt()
{
    static Report r;
    return r;
}

LAYOUT_FIELD_ENTRY& Item(int32_t number)
{
    return Rpt().table[static_cast<size_t>(number - 1)];
}

std::string ItemName(const LAYOUT_FIELD_ENTRY& e)
{
    return std::string(e.acName, sizeof e.acName);
}

bool CallbackPresent()
{
    return Rpt().callbackPresent();
}

bool HeadOrFoot()
{
    const Report& r = Rpt();
    return std::memcmp(r.lineKind, "HEAD", 4) == 0 || std::memcmp(r.lineKind, "FOOT", 4) == 0;
}

void PostEvent(ReportEvent code, void* entry)
{
    Report& r = Rpt();
    if (!CallbackPresent())
        return;
    const bool withState = code == ReportEvent::Started || code == ReportEvent::Message;
    RPT_DESIGN_EVENT event{static_cast<intptr_t>(code), entry, withState ? r.state : nullptr,
                           code == ReportEvent::Started ? &r.start : nullptr};
    r.callback(r.cmpe, r.lpc, &event);
}

// The message id and the value at the start of the substitution text;
// the characters after the value keep what they held unless blankFirst.
void SetSlot(Msg msg, const std::string& data, bool blankFirst)
{
    FFC_CHECK_STATE& st = *Rpt().state;
    std::memcpy(st.acFinalMsgId, dqov::MsgId(msg), 7);
    if (blankFirst)
        std::memset(st.acFinalText, ' ', sizeof st.acFinalText);
    std::memcpy(st.acFinalText, data.data(), std::min(data.size(), sizeof st.acFinalText));
}

void P3116_ReportMessage()
{
    Report& r = Rpt();
    PostEvent(ReportEvent::Message, r.currentEntry());
    if (CallbackPresent())
        return;
    AddFinalMessage(r);
}

void P3116_IssueMessage(char severity, unsigned long number, const std::string& value)
{
    const char* format = SMSG_pszGetMessage(number, 0);
    char text[133];
    if (format)
        std::snprintf(text, sizeof text, format, value.c_str());
    else
        std::snprintf(text, sizeof text, "Message %lu: %s", number, value.c_str());
    Rpt().state->cFinalSeverity = severity;
    SetSlot(Msg::ServicesText, text, true);
    P3116_ReportMessage();
}

namespace {

void FillStartInfo()
{
    Report& r = Rpt();
    RPT_START_INFO& s = r.start;
    s = RPT_START_INFO{};
    void* arguments[9] = {r.ctx,
                          r.state,
                          const_cast<FFC_PROCESS_DEFINITION*>(r.process),
                          const_cast<FFC_FUNCTION_DEFINITION*>(r.function),
                          r.command,
                          r.formatCounter,
                          r.itemCounter,
                          &r.reportNumber,
                          r.savedCounter};
    std::memcpy(s.apArguments, arguments, sizeof arguments);
    s.cMirror = r.mirror;
    s.pReportTable = r.reportTable;
    s.pachMsgQueue = r.msgQueue;
    s.pachSystemFlags = r.systemFlags;
    s.lFirstColumn = 1;
    s.lLastColumn = r.width;
    s.lFirstLine = 1;
    s.lLastLine = r.overflow;
    s.lLineOffset = 0;
}

// Line kind of the command: HEAD, FOOT, LEAD or TRAIL (DEF_BREAK), LINE.
void SetLineKind()
{
    Report& r = Rpt();
    const char* kind = "LINE";
    if (r.commandName == "DEF_HEAD")
        kind = "HEAD";
    else if (r.commandName == "DEF_FOOT")
        kind = "FOOT";
    else if (r.commandName == "DEF_BREAK") {
        const std::string trigger = ParmText(*r.command, "TRIGGER_BY");
        const bool leading = !trigger.empty() && (trigger[0] == 'L' || trigger.compare(0, 2, "*L") == 0);
        kind = leading ? "LEAD" : "TRAIL";
    }
    dqov::text::Pad(r.lineKind, 6, kind);
}

void P3116_StartReportDesign()
{
    Report& r = Rpt();
    r.table.assign(kEntries, LAYOUT_FIELD_ENTRY{});
    r.buffer.assign(kBufferSize, ' ');
    if (*r.savedCounter < 8000)
        *r.savedCounter = 8000;
    if (!CallbackPresent() && r.ctx->cJobType == 'I') {
        char status[31];
        std::snprintf(status, sizeof status, "Designing Report -> %-10.10s", r.commandName.c_str());
        P31O2_ShowStatusText(status, 30);
    }
    const auto* reports = static_cast<const WR_DRINF_DATA*>(r.reportTable);
    if (reports && r.reportNumber >= 1 && r.reportNumber <= 9) {
        const WR_DRINF_DATA& entry = reports[r.reportNumber - 1];
        r.width = entry.sPageWidth;
        r.overflow = entry.sOverflow;
        r.lastReportLine = entry.sLastLine;
    }
    for (int i = 1; i <= kFormats; ++i) {
        r.firstLine[i] = 999;
        r.lastLine[i] = -999;
        std::memset(r.formatKind[i], 0, 6);
        LAYOUT_FORMAT_SLOT& slot = r.slots[i];
        std::memset(&slot, 0, sizeof slot);
        std::memset(slot.acNames, ' ', sizeof slot.acNames);
        for (int k = 0; k < LAYOUT_CONDITIONS; ++k) {
            int32_t code = 99 - k;
            FIX_LongToDigits(&code, 2, slot.acIndicators[k]);
        }
    }
    SetLineKind();
}

void ResetPosition()
{
    Report& r = Rpt();
    r.page = 1;
    r.column = 2;
    r.line = std::memcmp(r.lineKind, "FOOT", 4) == 0 ? r.lastReportLine + 1 : 1;
}

void P3116_LayoutReport()
{
    Report& r = Rpt();
    r.pageSize = r.width * r.overflow;
    r.pages = 1;
    std::fill(r.buffer.begin(), r.buffer.end(), ' ');
    const std::string design = ParmText(*r.command, "DESIGN"), identify = ParmText(*r.command, "IDENTIFY");
    r.across = design.find("ACROSS") != std::string::npos;
    const std::string id = !identify.empty() && identify[0] == '*' ? identify.substr(1) : identify;
    r.identify = id.empty() ? 'C' : id[0];
    r.downSep = ParmNumber(*r.command, "DOWN_SEP");
    r.acrossSep = ParmNumber(*r.command, "ACROSS_SEP");
    ResetPosition();
    r.highestFormat = 0;
    FillStartInfo();
    PostEvent(ReportEvent::Started, nullptr);
    r.error = false;
    if (r.pageSize <= 0) {
        // A report without width or overflow line has no place for anything.
        r.state->cFinalSeverity = dqov::MsgSeverity(Msg::ReportItemOffFirstPage);
        SetSlot(Msg::ReportItemOffFirstPage, r.commandName, true);
        P3116_ReportMessage();
        r.error = true;
        return;
    }
    P3116_LoadTextMaps();
    for (int32_t i = 1; i <= r.count; ++i) {
        LAYOUT_FIELD_ENTRY& e = Item(i);
        r.current = i;
        r.candPage = r.page;
        r.candLine = e.lLine;
        r.candColumn = e.lColumn;
        CHKPOS_3116();
        if (std::memcmp(r.check, "OK", 2) == 0) {
            SAVPOS_3116();
            continue;
        }
        r.state->cFinalSeverity = dqov::MsgSeverity(Msg::ReportTextDoesNotFit);
        SetSlot(Msg::ReportTextDoesNotFit, std::string(e.acEditMask, 132), true);
        P3116_ReportMessage();
        r.error = true;
    }
    ResetPosition();
    P3116_LoadGroupFields();
    if (r.error)
        return;
    P3116_PlaceFixedFields();
    if (r.error)
        return;
    P3116_PlaceAutomatically();
}

void P3116_WriteFormatRecords()
{
    Report& r = Rpt();
    if (r.highestFormat < 1) {
        r.state->cFinalSeverity = dqov::MsgSeverity(Msg::NoReportItemPlaced);
        std::memcpy(r.state->acFinalMsgId, dqov::MsgId(Msg::NoReportItemPlaced), 7);
        P3116_ReportMessage();
        r.error = true;
        return;
    }
    for (int32_t f = 1; f <= r.highestFormat; ++f) {
        PRTFMT_DATA fmt;
        std::memset(&fmt, ' ', sizeof fmt);
        std::memcpy(fmt.acFormat, r.formatName[f], 8);
        fmt.lFirstLine = r.firstLine[f];
        fmt.lLastLine = r.lastLine[f];
        std::memcpy(fmt.acLineKind, r.formatKind[f], 6);
        fmt.lZero24 = fmt.lZero28 = 0;
        fmt.lItems = r.items[f];
        fmt.lItems2 = r.items2[f];
        fmt.lConditions = r.slots[f].lCount;
        WriteFormatRecord(r, LAYOUT_KIND_PRTFMT, &fmt, sizeof fmt, LAYOUT_KIND_PRTFMTCO, f);
    }
}

void P3116_CompleteReportDesign()
{
    Report& r = Rpt();
    r.table.clear();
    r.table.shrink_to_fit();
    r.buffer.clear();
    r.buffer.shrink_to_fit();
    if (!CallbackPresent() && r.error) {
        r.state->cFinalSeverity = dqov::MsgSeverity(Msg::LayoutNotCompleted);
        std::memcpy(r.state->acFinalMsgId, dqov::MsgId(Msg::LayoutNotCompleted), 7);
        std::memset(r.state->acFinalText, ' ', sizeof r.state->acFinalText);
        dqov::text::Pad(r.state->acFinalText, 10, r.commandName);
    } else {
        r.state->cFinalSeverity = ' ';
    }
    if (!CallbackPresent() && r.ctx->cJobType == 'I' && FFC_from_EDITOR()) {
        char status[31];
        std::snprintf(status, sizeof status, "Completed Report -> %-10.10s", r.commandName.c_str());
        P31O2_ShowStatusText(status, 30);
    }
}

}  // namespace

}  // namespace layout::report

using namespace layout::report;

extern "C" void P3116_DesignReport(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState,
                                   const FFC_PROCESS_DEFINITION* pProcess, const FFC_FUNCTION_DEFINITION* pFunction,
                                   FFC_PARSED_COMMAND* pCommand, int32_t* plFormatCounter, int32_t* plItemCounter,
                                   const int32_t* plReportNumber, int32_t* plSavedValueCounter, char cMirror,
                                   const void* pReportTable, const char* pachMsgQueue, const char* pachSystemFlags,
                                   void* pLpcAnchor, void* pCmpeAnchor, LAYOUT_DESIGN_CALLBACK pfnCallback)
{
    Report& r = Rpt();
    r = Report{};
    StartLayoutRun(r, pContext, pState, pProcess, pFunction, pCommand, plFormatCounter, cMirror, pachMsgQueue,
                   pachSystemFlags, pLpcAnchor, pCmpeAnchor, pfnCallback);
    r.itemCounter = plItemCounter;
    r.reportNumber = plReportNumber ? *plReportNumber : 1;
    r.savedCounter = plSavedValueCounter;
    r.reportTable = pReportTable;
    std::memset(pState->acFinalText, ' ', sizeof pState->acFinalText);
    for (auto& name : r.formatName)
        std::memset(name, ' ', sizeof name);
    P3116_StartReportDesign();
    P3116_LayoutReport();
    if (!r.error && !CallbackPresent())
        P3116_WriteFormatRecords();
    P3116_CompleteReportDesign();
    EndLayoutRun(r);
}
