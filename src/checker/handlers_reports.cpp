// Check handlers of the report commands: DEF_REPORT, the report lines
// (DEF_HEAD, DEF_FOOT, DEF_LINE, DEF_BREAK), PRINT, SPACE, SKIP, ENDPRINT
// and UPRINT, and of the KEEP_ commands that keep values over a loop. Reports 1 to 9 keep their definition in the
// module's report table (the "$DRINF" records of the end of checking); a report printed to is marked used ('Y'), a
// report defined by DEF_REPORT 'P'. Each report line is a line group ("GROUPNAM", origin "LIN") that PRINT counts, so a
// line never printed is reported after pass 2.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"

using namespace checker;
using dqov::text::Fixed;

namespace {

// The report the command names (1 to 9), or null with PRC0297 issued in
// pass 1.
WR_DRINF_DATA* Report()
{
    std::string text = Parm("REPORT_NUM");
    int number = text.empty() ? 1 : std::atoi(text.c_str());
    if (number < 1 || number > 9) {
        if (Pass() == 1)
            Issue(Msg::ReportLineNotValid, "REPORT_NUM(" + text + ")");
        return nullptr;
    }
    return &G().reports[number - 1];
}

// The report's first use: where its page-number field is used from.
void NoteFirstUse(const WR_DRINF_DATA& report)
{
    Globals& g = G();
    const size_t i = static_cast<size_t>(&report - g.reports);
    if (report.cState != 'N' || i >= 9)
        return;
    g.reportLine[i] = g.state->lLine;
    std::memcpy(g.reportCommand[i], g.parsed.acName, 10);
}

void MarkPrinted(WR_DRINF_DATA& report)
{
    NoteFirstUse(report);
    if (report.cState == 'N')
        report.cState = 'Y';
}

// The group of a report line: name, origin by the line's kind ("HED",
// "FOT", "LIN", "BRK"), the report number in the byte after the origin,
// use count 0. Only detail lines ("LIN") are printed by PRINT; headings,
// foots and break lines print by themselves.
void DefineLineGroup(const std::string& name, int report, const char* origin)
{
    Globals& g = G();
    FFC_WORK_RECORD& r = g.record2;
    if (!BlankNewRecord(r, WR_GROUPNAM, name, Msg::ReportLineNotValid))
        return;
    auto* data = reinterpret_cast<WR_GROUPNAM_DATA*>(r.acData);
    std::memcpy(data->acOrigin, origin, 3);
    data->cFiller = static_cast<char>('0' + report);
    WR_SetGroupUseCount(data, 0);
    P3100_WriteRecord(r);
}

// PRINT LINE(*ALL): every line of the report counts as printed.
void PrintAllLines(int report)
{
    Globals& g = G();
    FFC_WORK_RECORD r;
    BlankRecord(r, WR_GROUPNAM);
    for (char rc = WF_cReadFirst(g.ctx, 1, &r, 1); rc == '0'; rc = WF_cReadNext(g.ctx, 1, &r, 1)) {
        auto* data = reinterpret_cast<WR_GROUPNAM_DATA*>(r.acData);
        if (std::memcmp(data->acOrigin, "LIN", 3) != 0 || data->cFiller != static_cast<char>('0' + report))
            continue;
        WR_SetGroupUseCount(data, WR_GroupUseCount(data) + 1);
        WF_cUpdate(g.ctx, 1, &r);
    }
}

int NumberOf(const WR_DRINF_DATA& report)
{
    return static_cast<int>(&report - G().reports) + 1;
}

}  // namespace

extern "C" {

// DEF_REPORT: the report's print file, form size, overflow line and the
// fields that receive its values.
void P3100_CheckDefReport(void)
{
    if (!NotInComponent())
        return;
    WR_DRINF_DATA* report = Report();
    if (!report)
        return;
    static constexpr const char* kReturned[5] = {"RET_LENGTH", "RET_WIDTH", "RET_OVRFLW", "RET_LINE", "RET_PAGE"};
    static constexpr const char* kFileValues[3] = {"OUTQ", "COPIES", "FORMTYPE"};
    if (Pass() == 2) {
        for (const char* keyword : kReturned) {
            std::string field = Parm(keyword);
            if (Given(field))
                CheckFieldOperand(field, 'N');
        }
        /* the print-file values are fields whose value the run time takes
           (or *FILE, the print file's own); a name that is no field would
           reach the program as no value at all */
        for (const char* keyword : kFileValues) {
            std::string value = Parm(keyword);
            if (Given(value) && Upper(value) != "*FILE")
                CheckFieldOperand(value, std::strcmp(keyword, "COPIES") == 0 ? 'N' : ' ');
        }
        if (std::string overrides = Parm("OTHER_OVRD"); Given(overrides))
            CheckFieldOperand(overrides);
        return;
    }
    /* the report's own name, by which the report design offers it */
    const std::string name = Upper(Parm("NAME"));
    Pad(report->acTexts, 40, name.empty() ? "*NONE" : name);
    Pad(report->acPrintFile, 10, Upper(Parm("PRT_FILE", 0)));
    Pad(report->acLibrary, 10, Upper(Parm("PRT_FILE", 1)));
    int length = std::atoi(Parm("FORMSIZE", 0).c_str()), width = std::atoi(Parm("FORMSIZE", 1).c_str());
    int overflow = std::atoi(Parm("OVERFLOW").c_str());
    if (length < 0 || width < 0 || overflow < 0 || (length > 0 && overflow > length)) {
        Issue(Msg::ReportLineNotValid, "FORMSIZE/OVERFLOW");
        return;
    }
    if (length > 0)
        report->sPageLength = static_cast<int16_t>(length);
    if (width > 0)
        report->sPageWidth = static_cast<int16_t>(width);
    if (overflow > 0) {
        report->sOverflow = static_cast<int16_t>(overflow);
        report->sLastLine = static_cast<int16_t>(overflow - 3);
    }
    if (int lastLine = std::atoi(Parm("LAST_LINE").c_str()); lastLine > 0)
        report->sLastLine = static_cast<int16_t>(lastLine);
    for (int i = 0; i < 3; ++i) {
        std::string value = Parm(kFileValues[i]);
        Pad(report->acFiles[i], 12, value.empty() ? "*FILE" : value);
    }
    /* the field whose value holds the other print-file overrides */
    const std::string overrides = Parm("OTHER_OVRD");
    Pad(report->acFieldName, sizeof report->acFieldName, overrides.empty() ? "*NONE" : overrides);
    for (int i = 0; i < 5; ++i) {
        std::string value = Parm(kReturned[i]);
        Pad(report->acRetFields[i], 10, value.empty() ? "*NONE" : Upper(value));
    }
    NoteFirstUse(*report);
    report->cState = 'P';
}

}  // extern "C"

namespace {

// DEF_HEAD, DEF_FOOT, DEF_LINE and DEF_BREAK: the line's fields and its
// name; in pass 2 the automatic report layout designs the line.
void CheckReportLine()
{
    if (!NotInComponent())
        return;
    WR_DRINF_DATA* report = Report();
    if (!report)
        return;
    if (Pass() == 2) {
        P3100_RunReportLayout();
        return;
    }
    MarkPrinted(*report);
    RecordExpandedFieldList("FIELDS", {});
    /* the run time's print routine takes no print-control text: a line
       given one cannot be generated as written, which a check that is to
       be followed by a generation finds at the line */
    const std::string control = Upper(Parm("PRINT_CTL"));
    if (!control.empty() && control != "*NONE" && (G().ctx->cOption == 'G' || IsComponentRun())) {
        std::string data = std::string(G().parsed.acName, 10) + "PRINT_CTL " + control;
        data.resize(70, ' ');
        Issue(Msg::KeywordValueNotUsable, data);
    }
    std::string name = Upper(Parm("NAME"));
    const char* origin = NameIs("DEF_HEAD") ? "HED" : NameIs("DEF_FOOT") ? "FOT" : NameIs("DEF_BREAK") ? "BRK" : "LIN";
    if (!name.empty())
        DefineLineGroup(name, NumberOf(*report), origin);
}

}  // namespace

extern "C" {

void P3100_CheckDefHead(void)
{
    CheckReportLine();
}

void P3100_CheckDefFoot(void)
{
    CheckReportLine();
}

void P3100_CheckDefLine(void)
{
    CheckReportLine();
}

void P3100_CheckDefBreak(void)
{
    CheckReportLine();
}

// PRINT: the report's lines (*ALL or by name); a name that is no line of
// the function is reported once every line is known.
void P3100_CheckPrint(void)
{
    if (!NotInComponent())
        return;
    WR_DRINF_DATA* report = Report();
    if (!report)
        return;
    int32_t lines = ParmCount("LINE");
    if (Pass() == 1) {
        MarkPrinted(*report);
        for (int32_t i = 0; i < lines; ++i) {
            std::string line = Upper(ParmEntry("LINE", i));
            if (line == "*ALL")
                PrintAllLines(NumberOf(*report));
            else
                RecordOperand(line);  // a line group counts its use
        }
        return;
    }
    for (int32_t i = 0; i < lines; ++i) {
        std::string line = Upper(ParmEntry("LINE", i));
        if (line.empty() || line == "*ALL")
            continue;
        FFC_WORK_RECORD& r = G().record2;
        BlankRecord(r, WR_GROUPNAM, line);
        const auto* data = reinterpret_cast<const WR_GROUPNAM_DATA*>(r.acData);
        if (!FindRecord(r, 2) || std::memcmp(data->acOrigin, "LIN", 3) != 0)
            Issue(Msg::PrintLineNotValid, line);
        else if (data->cFiller != static_cast<char>('0' + NumberOf(*report)))
            // a line prints on the report it is defined for
            Issue(Msg::ReportLineNotValid, line + " is a line of report " + std::string(1, data->cFiller));
    }
}

// SPACE and SKIP: lines to space (0 or more) or the line to skip to (on
// the page).
void P3100_CheckSpaceSkip(void)
{
    if (!NotInComponent())
        return;
    WR_DRINF_DATA* report = Report();
    if (!report || Pass() != 1)
        return;
    MarkPrinted(*report);
    bool skip = NameIs("SKIP");
    std::string text = Parm(skip ? "TO_LINE" : "LINES");
    int value = std::atoi(text.c_str());
    if (skip ? (value < 1 || value > report->sPageLength) : value < 0)
        Issue(Msg::SpaceOrSkipNotValid, std::string(skip ? "TO_LINE(" : "LINES(") + text + ")");
}

// ENDPRINT: the report is closed (its status field is recorded with the
// command's keywords).
void P3100_CheckEndPrint(void)
{
    Report();
}

// UPRINT: the fields printed, each defined (a field the function does not
// know is the command's own finding, not reported again at the end).
void P3100_CheckUprint(void)
{
    if (!NotInComponent())
        return;
    if (Pass() == 2) {
        for (const std::string& entry : FieldEntries("FIELDS")) {
            const std::string field = FieldOf(entry);
            if (FieldKnown(field))
                continue;
            Issue(Msg::UprintNotValid, "field " + field + " is not defined");
            NoteFieldReported(field);
        }
        return;
    }
    if (ParmCount("FIELDS") <= 0) {
        Issue(Msg::UprintNotValid, "FIELDS");
        return;
    }
    RecordExpandedFieldList("FIELDS", {});
}

}  // extern "C"

namespace {

// The innermost open loop of the structure stack (pass 1), or null.
const StackLevel* InnermostLoop()
{
    Globals& g = G();
    for (int i = std::min(g.depth, kStackLimit); i >= 1; --i)
        if (g.stack[i].loop == 'Y')
            return &g.stack[i];
    return nullptr;
}

}  // namespace

extern "C" {

void P3100_CheckExternalObject(const char* pachObject, const char* pachLibrary)
{
    Globals& g = G();
    std::string object = Upper(Trim(pachObject, 10)), library = Upper(Trim(pachLibrary, 10));
    if (object.empty())
        return;
    if (g.xref)
        SZOPH_XREF_Record(g.xref, "PRTF", object.c_str(), "USE", g.state->lLine > 0 ? g.state->lLine : 0);
    if (object == "QSYSPRT" && (library.empty() || library == "*LIBL"))
        return;
    Issue(Msg::PrintFileNotValidated, Fixed(object, 10) + Fixed(library.empty() ? "*LIBL" : library, 10));
}

// KEEP_TOTAL, KEEP_COUNT, KEEP_AVG, KEEP_MAX and KEEP_MIN: a value kept
// over the rows of the enclosing loop. The loop finds its KEEP_ commands
// through their "KEEP_" records to reset them before it starts.
void P3100_CheckKeepCommand(void)
{
    Globals& g = G();
    bool numeric = NameIs("KEEP_TOTAL") || NameIs("KEEP_COUNT") || NameIs("KEEP_AVG");
    int32_t sources = ParmCount("OF_FIELD");
    std::string target = Parm("IN_FIELD");
    if (Pass() == 1) {
        const StackLevel* loop = InnermostLoop();
        if (!loop) {
            Issue(Msg::KeepNotValid, Trim(g.parsed.acName, 10));
            return;
        }
        if (sources <= 0) {
            Issue(Msg::KeepNotValid, "OF_FIELD");
            return;
        }
        FFC_WORK_RECORD& r = g.record2;
        BlankRecord(r, "", WR_KEEP_NAME);
        int32_t loopLine = loop->line;
        int16_t loopSub = loop->subLine;
        std::memcpy(r.acKind, &loopLine, 4);
        std::memcpy(r.acKind + 4, &loopSub, 2);
        WR_KEEP_DATA keep{g.source.sLine, g.source.sSubLine};
        std::memcpy(r.acData, &keep, sizeof keep);
        P3100_WriteRecord(r);
        return;
    }
    if (FieldOf(target).empty()) {
        Issue(Msg::KeepResultNotValid, target);
        return;
    }
    OperandInfo result = CheckFieldOperand(target);
    if (result.valid && numeric && result.typeClass != 'N')
        Issue(Msg::KeepResultNotValid, target);
    for (int32_t i = 0; i < sources; ++i) {
        std::string source = ParmEntry("OF_FIELD", i);
        if (FieldOf(source).empty())
            continue;
        OperandInfo info = CheckFieldOperand(source);
        if (info.valid && (NameIs("KEEP_TOTAL") || NameIs("KEEP_AVG")) && info.typeClass != 'N')
            Issue(Msg::KeepFieldNotNumeric, source);
    }
}

}  // extern "C"
