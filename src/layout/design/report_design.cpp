// The report design step (DC_P3019): registers the function's reports with
// the painter, lists the print lines of the chosen report, takes the user's
// choice of lines to show and the one line to design, and runs the painter
// dialogue on it. Its lists live from the painter's reply 4 to the return.
#include "layout/design/report_design.h"

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
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace layout::design {

namespace {

constexpr uint16_t kSlot = 9;
constexpr const char* kSectionLists[6] = {"DC_P3019/VL/HEDWRKSF", "DC_P3019/VL/HD2WRKSF", "DC_P3019/VL/FOTWRKSF",
                                          "DC_P3019/VL/DETWRKSF", "DC_P3019/VL/LEDWRKSF", "DC_P3019/VL/TRLWRKSF"};

const char* Heading(const char* text)
{
    return text ? text : "";
}

// The work file's records of a kind, each handed to the visitor.
template <typename Visit> void ForEachRecord(FFC_CONTEXT* ctx, const char* kind, Visit visit)
{
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, kind, 10);
    for (char rc = WF_cReadFirst(ctx, kSlot, &r, 1); rc == '0'; rc = WF_cReadNext(ctx, kSlot, &r, 1))
        visit(r);
}

void FreeStep()
{
    ReportDesign& s = ReportStep();
    P31O2_FreePainterObjects(s.paint);
    P3019_EndReportDesign();
}

// The format name of a report command's PRTFMT record.
void FormatOf(const LineListEntry& line, int32_t second, char* format)
{
    ReportDesign& s = ReportStep();
    FFC_WORK_RECORD r;
    WF_BlankRecord(s.ctx, &r);
    std::memcpy(r.acKind, LAYOUT_KIND_PRTFMT, 10);
    std::memcpy(r.acName, line.name, 10);
    int32_t number = line.command;
    FIX_LongToDigits(&number, 4, r.acQualifier);
    FIX_LongToDigits(&second, 4, r.acQualifier + 4);
    std::memset(format, ' ', 8);
    if (WF_cReadFirst(s.ctx, kSlot, &r, 3) == '0')
        std::memcpy(format, r.acData, 8);
}

// Fills the step's message data area with four names (DCM0635).
void MessageData(const ChosenLine& designed, const LineListEntry& other)
{
    char* area = ReportStep().ctx->acMsgData;
    std::memset(area, ' ', sizeof ReportStep().ctx->acMsgData);
    std::memcpy(area, designed.command, 10);
    std::memcpy(area + 10, designed.lineName, 10);
    std::memcpy(area + 20, other.name, 10);
    std::memcpy(area + 30, other.lineName, 10);
}

void QueueMessage(Msg msg)
{
    ReportDesign& s = ReportStep();
    P9006_sQueueMessage(s.ctx, s.msgQueue, dqov::MsgId(msg), sizeof s.ctx->acMsgData, s.ctx->acMsgData);
}

bool ReportPresent(const WR_DRINF_DATA& report)
{
    return report.cState == 'Y' || report.cState == 'P';
}

}  // namespace

ReportDesign& ReportStep()
{
    static ReportDesign step;
    return step;
}

LAYOUT_FIELD_ENTRY& ReportField(int32_t entry)
{
    return ReportStep().fields[entry - 1];
}

FieldRow& ReportRow(int32_t row)
{
    return ReportStep().rows[row];
}

bool BodySection(const char* section)
{
    return std::memcmp(section, "LED", 3) == 0 || std::memcmp(section, "DET", 3) == 0 ||
           std::memcmp(section, "TRL", 3) == 0;
}

bool OfDesignedLine(const FieldRow& row)
{
    const ReportDesign& s = ReportStep();
    return row.command == s.designed.number && std::memcmp(row.section, s.designed.section, 3) == 0;
}

std::string Name10(const char* field)
{
    return dqov::text::Trim(field, 10);
}

const char* SectionList(const char* section)
{
    static constexpr const char* kCodes[6] = {"HED", "HD2", "FOT", "DET", "LED", "TRL"};
    for (int i = 0; i < 6; ++i)
        if (std::memcmp(section, kCodes[i], 3) == 0)
            return kSectionLists[i];
    return kSectionLists[5];
}

}  // namespace layout::design

using namespace layout::design;

extern "C" {

void P3019_DesignReports(FFC_CONTEXT* pContext, const FFC_PROCESS_DEFINITION* pProcess,
                         const FFC_FUNCTION_DEFINITION* pFunction, int32_t* plFieldCounter, char* pachOptionFlags,
                         const char* pachMsgQueue, FFC_PAINT_STR* pPaint, int16_t sCommandCount)
{
    ReportDesign& s = ReportStep();
    s = ReportDesign{};
    s.ctx = pContext;
    s.process = pProcess;
    s.function = pFunction;
    s.fieldCounter = plFieldCounter;
    s.optionFlags = pachOptionFlags;
    if (pachMsgQueue)
        std::memcpy(s.msgQueue, pachMsgQueue, 10);
    s.paint = pPaint;
    s.commandCount = sCommandCount;
    if (!pContext || !pPaint)
        return;
    pPaint->lMode = 0;
    s.texts = static_cast<const FFC_PAINT_TEXTS*>(pPaint->pTextTable);
    uint16_t size = sizeof(WR_DRINF_DATA), count = 9;
    void* block = nullptr;
    if (qvrmm1(pContext, 'R', kDrinfList, &size, &count, &block) != QVRMM_OK)
        return FreeStep();
    s.reports = static_cast<WR_DRINF_DATA*>(block);
    size = LAYOUT_ENTRY_SIZE;
    count = kSpareEntry;
    if (qvrmm1(pContext, 'R', kFieldList, &size, &count, &block) != QVRMM_OK)
        return FreeStep();
    s.fields = static_cast<LAYOUT_FIELD_ENTRY*>(block);
    P8061_GetSessionDesignAdjustAttributes(pContext, &s.adjHeadings, &s.adjLabels, &s.adjDescriptions, &s.adjTexts);
    P3019_StartReportDesign();
    MarkTextMapsInUse(s, s.commandCount);

    const FFC_PAINT_TEXTS empty{};
    const FFC_PAINT_TEXTS& t = s.texts ? *s.texts : empty;
    int16_t registered = 0;
    for (int n = 1; n <= 9; ++n) {
        const WR_DRINF_DATA& report = s.reports[n - 1];
        if (!ReportPresent(report))
            continue;
        const int32_t number = FIX_lDigitsToLong(report.acNumber, 4, nullptr);
        /* a report is offered by its name, or by its print file when unnamed */
        const bool named = std::memcmp(report.acTexts, "*NONE", 5) != 0;
        P31O2_AddPainterObject(pPaint, number, named ? report.acTexts : report.acPrintFile, report.acLibrary, "      ", ++registered,
                               Heading(t.apszReportHeadings[0]), Heading(t.apszReportHeadings[1]),
                               Heading(t.apszReportHeadings[2]), " ", Heading(t.pszReportTitle));
    }
    if (registered == 0) {
        FreeStep();
        P31O2_IssueText(Heading(t.pszNoReport));
        return;
    }
    const int16_t reply = P31O2_sPainterRequest11(pPaint);
    if (reply == -1)
        return FreeStep();
    // The reply is a report number; anything that names no present report
    // ends the step as a cancel does.
    if (reply < 1 || reply > 9 || !ReportPresent(s.reports[reply - 1])) {
        UnexpectedReply("P3019_DesignReports", reply);
        return FreeStep();
    }
    const WR_DRINF_DATA& report = s.reports[reply - 1];
    s.reportNumber = reply;
    s.pageLength = report.sPageLength;
    s.width = report.sPageWidth;
    P3019_ScanReportCommands();
    if (s.lineCount == 0) {
        FreeStep();
        P31O2_IssueText(Heading(t.pszNoLine));
        return;
    }
    for (uint16_t n = 1; n <= s.lineCount; ++n) {
        LineListEntry line;
        uint16_t number = n, length = sizeof line;
        if (QVRMM_sGetEntry(pContext, kLineList, &number, &line, &length) != QVRMM_OK)
            continue;
        P31O2_AddPainterObject(pPaint, line.command, line.name, line.lineName, "      ", static_cast<int16_t>(n),
                               Heading(t.apszLineHeadings[0]), Heading(t.apszLineHeadings[1]),
                               Heading(t.apszLineHeadings[2]), "  ", Heading(t.pszLineTitle));
    }
    while (!s.painterGone && P31O2_sPainterRequest13(pPaint) != -1)
        P3019_SelectReports();
    FreeStep();
}

void P3019_StartReportDesign(void)
{
    ReportDesign& s = ReportStep();
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    uint16_t size = sizeof(LineListEntry), count = 999;
    qvrmm1(s.ctx, 'V', kLineList, &size, &count, nullptr);
    for (const char* list : kSectionLists) {
        size = sizeof(SectionEntry);
        count = 999;
        qvrmm1(s.ctx, 'V', list, &size, &count, nullptr);
    }
    s.textMaps.clear();
    s.bodyRepeat = 1;
    int32_t next = 1;
    ForEachRecord(s.ctx, "$DRINF    ", [&](const FFC_WORK_RECORD& r) {
        WR_DRINF_DATA report;
        std::memcpy(&report, r.acData, sizeof report);
        // Each report goes to the element of its number, so that a
        // function that uses only some report numbers keeps them apart.
        int32_t number = FIX_lDigitsToLong(report.acNumber, 4, nullptr);
        if (number < 1 || number > 9)
            number = next;
        if (number <= 9)
            std::memcpy(&s.reports[number - 1], &report, sizeof report);
        next = std::max(next, number + 1);
    });
    std::memset(s.sysFlags, 'N', sizeof s.sysFlags);
    ForEachRecord(s.ctx, "SYSFLAGS  ", [&](const FFC_WORK_RECORD& r) { std::memcpy(s.sysFlags, r.acData, 64); });
}

void P3019_ScanReportCommands(void)
{
    ReportDesign& s = ReportStep();
    auto source = std::make_unique<FFC_SOURCE_COMMAND>();
    s.lineCount = 0;
    for (int32_t n = 1; n <= s.commandCount; ++n) {
        FFC_PARSED_COMMAND& command = s.command;
        if (!FindCommand(s.ctx, n, 0, command))
            continue;
        static constexpr const char* kLines[4] = {"DEF_HEAD", "DEF_FOOT", "DEF_LINE", "DEF_BREA"};
        if (std::none_of(std::begin(kLines), std::end(kLines),
                         [&](const char* name) { return std::memcmp(command.acName, name, 8) == 0; }))
            continue;
        if (dqov::cmdparm::ParmNumber(command, "REPORT_NUM") != s.reportNumber)
            continue;
        std::memset(source.get(), 0, sizeof *source);
        source->sLine = static_cast<int16_t>(n - 1);
        source->sSubLine = 0;
        if (LAYOUT_chReadNextCommand(s.ctx, source.get()) != '0')
            continue;
        P31O2_ShowStatusText(source->acName, 10);
        if (char* text = ParmAddress(command, "TEXTS", 0, 0)) {
            const std::string name = SettleTextMapName(s, n, text);
            std::memcpy(text, name.data(), 8);
            RS_PutCommandRecord(s.ctx, &command, sizeof command);
        }
        LineListEntry line;
        std::memset(&line, ' ', sizeof line);
        line.command = source->sLine;
        std::memcpy(line.name, source->acName, 10);
        dqov::text::Pad(line.lineName, 10, dqov::cmdparm::ParmText(command, "NAME"));
        FormatOf(line, source->sSubLine, line.format);
        const std::string kind(command.acName + 4, 6);
        line.before = line.after = 0;
        if (kind == "BREAK " || kind == "LINE  ") {
            const std::string trigger = dqov::cmdparm::ParmText(command, "TRIGGER_BY");
            std::memcpy(line.section,
                        kind == "LINE  "                        ? "DET "
                        : !trigger.empty() && trigger[0] == 'L' ? "LED "
                                                                : "TRL ",
                        4);
            line.before = dqov::cmdparm::ParmNumber(command, "SPACE_BEF");
            line.after = dqov::cmdparm::ParmNumber(command, "SPACE_AFT");
        } else {
            std::memcpy(line.section, kind == "HEAD  " ? "HED " : "FOT ", 4);
        }
        line.selection = ' ';
        line.repeat = 1;
        uint16_t number = 0, length = sizeof line;
        if (QVRMM_sPutEntry(s.ctx, kLineList, &number, &line, &length) == QVRMM_OK)
            ++s.lineCount;
    }
}

void P3019_SelectReports(void)
{
    ReportDesign& s = ReportStep();
    s.error = false;
    s.chosenCount = 0;
    s.chosen.clear();
    s.designed = ChosenLine{};
    s.designed.number = s.designed.second = s.designed.before = s.designed.after = s.designed.repeat = -9;
    // A repeat count beyond what a page could show is no choice of a
    // painter: it is refused as it is read, and the lines are asked again.
    const auto tooMany = [&s](int32_t count) {
        if (count <= kMostRepeats)
            return false;
        UnexpectedReply("P3019_SelectReports", count);
        s.error = true;
        return true;
    };
    s.bodyRepeat = tooMany(s.paint->lBodyRepeat) ? 1 : std::max<int32_t>(s.paint->lBodyRepeat, 1);
    for (uint16_t n = 1; n <= s.lineCount; ++n) {
        LineListEntry line;
        uint16_t number = n, length = sizeof line;
        if (QVRMM_sGetEntry(s.ctx, kLineList, &number, &line, &length) != QVRMM_OK)
            continue;
        if (!s.paint->pSelections || n > s.paint->lObjectCount)
            break;
        const FFC_PAINT_SELECTION& mark = s.paint->pSelections[n - 1];
        ChosenLine c;
        std::memcpy(c.command, line.name, 10);
        std::memcpy(c.format, line.format, 8);
        c.number = line.command;
        c.second = 0;
        std::memcpy(c.lineName, line.lineName, 10);
        std::memcpy(c.section, line.section, 3);
        c.before = line.before;
        c.after = line.after;
        c.repeat = tooMany(mark.lRepeat) ? 1 : std::max<int32_t>(mark.lRepeat, 1);
        if (mark.cSelection == '1') {
            ++s.chosenCount;
            if (s.designed.command[0] == '\0') {
                s.designed = c;
                s.designed.selection = '1';
                continue;
            }
            s.error = true;
            MessageData(s.designed, line);
            QueueMessage(Msg::DesignLineAlreadyChosen);
        } else if (mark.cSelection == 'X') {
            ++s.chosenCount;
            c.selection = 'X';
            s.chosen.push_back(c);
        }
    }
    std::memset(s.ctx->acMsgData, ' ', sizeof s.ctx->acMsgData);
    if (s.chosenCount > 0 && s.designed.command[0] == '\0') {
        s.error = true;
        QueueMessage(Msg::DesignLineNoneMarkedOne);
    }
    if (s.chosenCount == 0) {
        QueueMessage(Msg::DesignLineNotMarked);
        return;
    }
    if (s.error)
        return;
    P3019_DesignReportLine();
}

void P3019_EndReportDesign(void)
{
    ReportDesign& s = ReportStep();
    std::fill(s.buffer.begin(), s.buffer.end(), ' ');
    char name[41];
    std::snprintf(name, sizeof name, "%-40s", "DC_P3019");
    if (s.ctx)
        qvrmm5(s.ctx, name);
    s.reports = nullptr;
    s.fields = nullptr;
}

}  // extern "C"
