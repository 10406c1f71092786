// The checker run: start of a check, source load, the two passes, the web
// output choice and the end of the check.
#include "checker/builtins.h"
#include "checker/checker.h"
#include "checker/field_lists.h"
#include "checker/file_keys.h"
#include "checker/handlers.h"
#include "checker/usage.h"
#include "params/cmdparm.h"

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <new>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"

using namespace checker;

namespace {

// Locations of the cross-reference writes.
constexpr char kXrefBeginTag[] = "DC_P3100/QV_XRF/A";
constexpr char kXrefRecordTag[] = "DC_P3100/QV_XRF/B";

// A count message of the run's summary: the fatal and the warning totals,
// seven digits each.
void AddCountMessage(FFC_CONTEXT* ctx, Msg msg, int32_t pass, int32_t fatal, int32_t warnings)
{
    char counts[14];
    FIX_LongToDigits(&fatal, 7, counts);
    FIX_LongToDigits(&warnings, 7, counts + 7);
    FFC_CHECK_MESSAGE m{};
    std::memset(m.acCommand, ' ', 10);
    m.usPass = static_cast<uint16_t>(pass);
    m.cSeverity = dqov::MsgSeverity(msg);
    std::memcpy(m.acMsgId, dqov::MsgId(msg), 7);
    std::memcpy(m.acObject, ctx->acObjectName, 10);
    std::memset(m.acText, ' ', sizeof m.acText);
    std::memcpy(m.acText, counts, 14);
    RS_sAddSummaryMessage(ctx, &m);
}

// Keyword area, loaded once per process.
struct FreeBytes {
    void operator()(char* p) const { std::free(p); }
};

struct KeywordArea {
    std::unique_ptr<char, FreeBytes> bytes;
    uint16_t count = 0;
    bool loaded = false;
};

KeywordArea& Keywords()
{
    static KeywordArea area;
    return area;
}

P3100_PREPARE_COMMAND g_prepare = CMDPARM_sPrepareCommand;

void Show(std::string_view text)
{
    P31O2_ShowStatusText(text.data(), static_cast<int16_t>(text.size()));
}

void Banner()
{
    Globals& g = G();
    P31O2_SetBaseColour(3);
    const std::string rule(80, '_');
    if (FFC_from_TOOLS())
        Show(rule);
    Show(IsComponentRun() ? "VELMO Full Component Checker (FCC) Invoked "
                          : "VELMO Full Function Checker (FFC) Invoked ");
    // The rights notice, a fixed line of 45 characters.
    static constexpr char kNotice[] = "(C) The VELMO environment. All rights kept.  ";
    static_assert(sizeof kNotice - 1 == 45, "notice of 45 characters");
    Show(kNotice);
    if (!FFC_from_TOOLS())
        return;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    char line[128];
    if (now != static_cast<std::time_t>(-1) && localtime_r(&now, &local) &&
        std::strftime(line, sizeof line, "Started : %H:%M:%S %A %d %B %Y", &local) > 0)
        Show(line);
    std::string who = IsComponentRun() ? "Component : " + Trim(g.ctx->acComponent, 10)
                                       : "Process : " + g.processName + " Function : " + g.functionName;
    Show(who);
    Show(rule);
}

// The user DLL definitions of the root's source directory, those of an
// earlier check released first.
void ReadUserDlls()
{
    Globals& g = G();
    USEDLL_FreeList(&g.userDlls);
    USEDLL_pReadFile((g.root + "\\x_velmo\\source\\").c_str(), &g.userDlls);
}

constexpr char kAbortAction[] = "*ABORT";
constexpr char kPredefinedAbortLabel[] = "@ABORT";

}  // namespace

namespace checker {

void WriteAbortLabel()
{
    Globals& g = G();
    const std::string_view routine(g.currentRoutine, 10);
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_LABEL, g.abortLabel, routine);
    if (RecordExists(r, 3))
        return;
    BlankRecord(r, WR_LABEL, g.abortLabel, routine);
    auto* data = reinterpret_cast<WR_LABEL_DATA*>(r.acData);
    std::memcpy(data->acRoutine, g.currentRoutine, sizeof data->acRoutine);
    P3100_WriteRecord(r);
}

void NoteErrorAction(const std::string& action)
{
    if (Upper(action) == kAbortAction)
        G().abortLabel = kAbortAction;
}

bool AbortLabelKnown()
{
    Globals& g = G();
    FFC_WORK_RECORD& r = g.record2;
    for (const char* name : {kAbortAction, kPredefinedAbortLabel}) {
        BlankRecord(r, WR_LABEL, name, std::string_view(g.currentRoutine, 10));
        if (RecordExists(r, 3))
            return true;
    }
    return false;
}

void PresetReports()
{
    Globals& g = G();
    int32_t pageLength = FIX_lDigitsToLong(g.ctx->acPageLength, 3, nullptr);
    int32_t overflow = FIX_lDigitsToLong(g.ctx->acOverflowLine, 3, nullptr);
    if (pageLength == 0)
        pageLength = 66;
    if (overflow == 0)
        overflow = 60;
    /* without a width a report has no room for a line */
    const int32_t width = g.ctx->lPageWidth > 0 ? g.ctx->lPageWidth : FFC_DEFAULT_PAGE_WIDTH;
    for (int i = 0; i < 9; ++i) {
        WR_DRINF_DATA& d = g.reports[i];
        std::memset(&d, ' ', sizeof d);
        int32_t number = i + 1;
        FIX_LongToDigits(&number, 4, d.acNumber);
        Pad(d.acPrintFile, 10, "QSYSPRT");
        Pad(d.acLibrary, 10, "*LIBL");
        Pad(d.acTexts, 40, "*NONE");
        for (auto& f : d.acFiles)
            Pad(f, 12, "*FILE");
        Pad(d.acFieldName, sizeof d.acFieldName, "*NONE");
        for (auto& f : d.acRetFields)
            Pad(f, 10, "*NONE");
        std::memcpy(d.acSwitches, "NNN", 3);
        d.cSwitch4 = 'N';
        d.sPageLength = static_cast<int16_t>(pageLength);
        d.sOverflow = static_cast<int16_t>(overflow);
        d.sLastLine = static_cast<int16_t>(overflow - 3);
        d.sPageWidth = static_cast<int16_t>(width);
        d.sFiller1 = d.sFiller2 = 0;
        d.cState = 'N';
        char field[10];
        std::snprintf(field, sizeof field, "%cREP%dPAGE", g.ctx->cNatChar1, number);
        Pad(d.acPageField, 10, field);
    }
}

void ResetModuleForCheck()
{
    Globals& g = G();
    g.recordMode =
        (g.ctx->cRunType == 'B' || std::memcmp(g.code10, "IME", 3) == 0 || g.ctx->cOption == 'G' || IsComponentRun())
            ? 'C'
            : 'F';
    Pad(g.currentRoutine, sizeof g.currentRoutine, "*MAIN");
    g.abortLabel = kPredefinedAbortLabel;
    g.routineDepth = 0;
    g.inSubroutine = g.inRoutine = false;
    g.messageTextUsed = 'N';
    g.prc0324 = 'N';
    g.screenCommands = 0;
    g.switchDirect = IsComponentRun() ? 'Y' : 'N';
    g.switchWebEvent = 'N';
    // The run's system flags start as the caller's system definition sets
    // them (the mirrored, single-page and no-frame layouts, the marks of
    // radio buttons and check boxes ...); the checks set the others.
    std::memset(g.sysFlags, 'N', sizeof g.sysFlags);
    if (const FFC_SYSTEM_DEFINITION* sys = g.ctx->pSystemDefinition)
        for (size_t i = 0; i < sizeof g.sysFlags; ++i)
            if (sys->acSystemFlags[i] != '\0' && sys->acSystemFlags[i] != ' ' && sys->acSystemFlags[i] != 'N')
                g.sysFlags[i] = sys->acSystemFlags[i];
    if (IsComponentRun())
        g.sysFlags[SF_DIRECT] = 'Y';
    if (g.functionKind)
        std::memcpy(g.functionKind, IsComponentRun() ? "DIR" : "   ", 3);
    if (g.optionFlags)
        std::memset(g.optionFlags, 'N', 999);
    if (g.switch8)
        *g.switch8 = 'N';
    if (g.switch9)
        *g.switch9 = 'N';
    g.screenLines = g.state && g.state->acSystemFlags[0] == 'Y' && g.state->acSystemFlags[1] != 'Y' ? 23 : 24;
    char io[11];
    std::snprintf(io, sizeof io, "IO%cSTS    ", g.ctx->cNatChar3);
    std::memcpy(g.ioStatusField, io, 10);
    g.labelReferences.clear();
    g.deferredReferences.clear();
    g.undefinedFieldsReported.clear();
    g.filesOpened.clear();
    g.filesUsed.clear();
    g.arrayElements.clear();
    g.functionsFound.clear();
    g.loopCounter = 0;
    g.currentSelectLevel = -1;
    for (int i = 0; i <= kStackLimit; ++i) {
        g.levelFile[i].clear();
        g.levelLibrary[i].clear();
        g.levelLoopId[i] = "SL@000";
    }
    g.caseLevels.clear();
    g.firstLabel.clear();
    g.firstLabelKnown = false;
    g.depth = 0;
    g.commandCount = 0;
    g.checkerCommandCounter = 0;
    P3100_ResetLayoutCounters();
    ForgetFileKeys();
    ForgetResolvedFiles();
    ForgetDictionaryFields();
}

void RecordXref(const char* kind, const std::string& name, long line)
{
    Globals& g = G();
    if (!g.xref)
        return;
    SSQL_SetLocation(kXrefRecordTag);
    if (SZOPH_XREF_Record(g.xref, kind, name.c_str(), "USE", line) != 0)
        FFC_SQL_Error(nullptr, kXrefRecordTag);
}

}  // namespace checker

extern "C" {

void P3100_StartChecking(void)
{
    Globals& g = G();
    P3100_BuildCommandTables(g.ctx);
    g.buffer11000.assign(FFC_SOURCE_TEXT_MAX, '\0');
    g.buffer256.assign(256, '\0');
    Banner();
    g.state->pfnFilterByPass = P3100_fFilterByPass;
    g.state->pfnCheckComponentBlock = P3100_fCheckComponentBlock;
    std::memset(&g.source, 0, sizeof g.source);
    std::memset(g.source.acParameters, ' ', sizeof g.source.acParameters);
    std::memset(&g.parsed, 0, sizeof g.parsed);
    std::memset(&g.extension, 0, sizeof g.extension);
    // a component's references are kept under the component's name
    const std::string object = IsComponentRun() ? Trim(g.ctx->acComponent, 10) : g.processName;
    SSQL_SetLocation(kXrefBeginTag);
    g.xref = SZOPH_XREF_Begin(object.c_str(), IsComponentRun() ? nullptr : g.functionName.c_str());
    if (!g.xref)
        FFC_SQL_Error(nullptr, kXrefBeginTag);
    ResetModuleForCheck();
    P3136_sExpandFileFieldList(g.ctx, 'O', nullptr, nullptr, 0, 10, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                               nullptr, nullptr);
    PresetReports();
    WriteAbortLabel();
    Load_BIFs();
    if (g.ctx->cOption == 'G' || IsComponentRun())
        P3100_RecordFieldUsage(1, g.ioStatusField, "FL");
    ReadUserDlls();
    FCC_BUILD_HANDLE* build = P3100_pGetBuildHandle();
    if (!build)
        return;
    DQOO_START_REQUEST request{};
    std::string component = Trim(g.ctx->acComponent, 10), second = Trim(g.ctx->acSecondComponent, 10);
    request.usMode = FFC_from_EDITOR() ? DQOO_MODE_EDITOR : DQOO_MODE_TOOLS;
    if (IsComponentRun()) {
        request.pszComponentName = component.c_str();
        request.pszSecondComponentName = second.c_str();
    } else {
        request.pszProcessName = g.processName.c_str();
        request.pszFunctionName = g.functionName.c_str();
    }
    request.pfnReportFinding = P3100_ReportObjectLayerFinding;
    request.pfnCheckFieldExists = P3100_sCheckFieldExistsCallback;
    request.pfnCheckNameInContext = P3100_sCheckNameInContext;
    request.pfnExpandGroup = P3100_sExpandGroupCallback;
    request.pfnCollectFieldReference = P3100_sCollectFieldReference;
    request.pfnRecordXref = P3100_sRecordXrefCallback;
    long rc = DQOO_FCC_StartChecking(build, &request);
    if (rc != 0)
        DQOO_FCC_FatalError("DQOO_FCC_Start", rc);
}

USEDLL_RECORD* P3100_pUserDlls(void)
{
    return G().userDlls;
}

void P3100_EndChecking(void)
{
    Globals& g = G();
    P3136_sExpandFileFieldList(g.ctx, 'C', nullptr, nullptr, 0, 10, nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                               nullptr, nullptr);
    if (P3100_pGetBuildHandle())
        DQOO_FCC_EndChecking();
    if (g.xref)
        SZOPH_XREF_End(g.xref);
    g.xref = 0;
    FFC_WORK_RECORD& r = g.record;
    BlankRecord(r, WR_SYSFLAGS);
    std::memcpy(r.acData, g.sysFlags, WR_SYSFLAGS_LEN);
    P3100_WriteRecord(r);
    int32_t fields = 0;
    FFC_WORK_RECORD use;
    BlankRecord(use, WR_USEFIELD);
    /* counted: none of a record is read */
    for (char rc = WF_cReadFirstHead(g.ctx, 13, &use, 1, 0); rc == '0'; rc = WF_cReadNextHead(g.ctx, 13, &use, 1, 0))
        ++fields;
    BlankRecord(r, WR_FIELDTOT);
    FIX_LongToDigits(&fields, 7, r.acData);
    P3100_WriteRecord(r);
    BlankRecord(r, WR_ERRORTOT);
    FIX_LongToDigits(&g.state->stats.lFatalTotal, 7, r.acData);
    FIX_LongToDigits(&g.state->stats.lWarningsTotal, 7, r.acData + 7);
    P3100_WriteRecord(r);
    for (const WR_DRINF_DATA& d : g.reports) {
        if (d.cState == 'N')
            continue;
        BlankRecord(r, WR_DRINF, std::string_view(d.acNumber, 4));
        std::memcpy(r.acData, &d, sizeof d);
        P3100_WriteRecord(r);
    }
    std::memset(g.state->acCommand, ' ', 10);
    g.state->lLine = -1;
    FFC_RUN_STATISTICS& s = g.state->stats;
    int32_t fatal = s.lFatalTotal, warnings = s.lWarningsTotal;
    AddCountMessage(g.ctx, IsComponentRun() ? Msg::ComponentCheckingEnded : Msg::CheckingEnded, g.state->lPass, fatal,
                    warnings);
    P31O2_SetSeverityColour(fatal ? 1 : warnings ? 2 : 3);
    char end[80];
    std::snprintf(end, sizeof end, "Checking ended: %ld fatal, %ld warning message(s)", static_cast<long>(fatal),
                  static_cast<long>(warnings));
    Show(end);
    P31O2_SetBaseColour(3);
}

// After generation the job's totals, the generator's findings included.
void P3100_IssueCompletionMessages(const char* pachMsgQueue, int32_t lReserved, int32_t lWarnings, int32_t lFatal)
{
    FFC_CONTEXT* ctx = P31O2_pGetCurrentRunContext();
    if (!ctx)
        return;
    constexpr int32_t kGenerationPass = 3;
    AddCountMessage(ctx, ctx->lComponentRun ? Msg::ComponentChecked : Msg::FunctionChecked, kGenerationPass, lFatal,
                    lWarnings);
}

void P3100_SetPrepareCommand(P3100_PREPARE_COMMAND pfnPrepare)
{
    g_prepare = pfnPrepare ? pfnPrepare : CMDPARM_sPrepareCommand;
}

P3100_PREPARE_COMMAND P3100_pGetPrepareCommand(void)
{
    return g_prepare;
}

void P3100_LoadKeywordTables(void)
{
    KeywordArea& area = Keywords();
    if (area.loaded)
        return;
    // The loader writes the entries one after another from the start of
    // the area and no reader goes past their count, so the area is not
    // blanked first (its pages stay untouched) and is cut to the entries
    // loaded: a repository's tables fill well under half of it.
    area.bytes.reset(static_cast<char*>(std::malloc(CMDPARM_KEYWORD_AREA_SIZE)));
    if (!area.bytes)
        throw std::bad_alloc();
    area.count = 0;
    int16_t rc = CMDPARM_sLoadKeywordTables(area.bytes.get(), &area.count);
    // the loader sets the location of each of its statements: the failing one is current
    if (rc != 0 && rc != 1)
        FFC_SQL_Error(nullptr, std::string(SSQL_pszLocation()).c_str());
    // a cut that moves the entries is seen by the parameter preparation,
    // which indexes the area again when its address changes
    const size_t used = std::max<size_t>(area.count, 1) * sizeof(CMDPARM_KEYWORD_ENTRY);
    if (char* cut = static_cast<char*>(std::realloc(area.bytes.get(), used))) {
        (void)area.bytes.release();
        area.bytes.reset(cut);
    }
    area.loaded = true;
}

void* P3100_pKeywordArea(uint16_t* pusCount)
{
    KeywordArea& area = Keywords();
    if (pusCount)
        *pusCount = area.count;
    return area.loaded ? area.bytes.get() : nullptr;
}

// The web pages of a function are made from its screens: a function that
// holds no REQUEST, DISPLAY or POP_UP has no page to make, so its HTML and
// XML page requests are withdrawn, each with a notice.
void P3100_ReportWebOutputKind(FFC_CHECK_STATE* pState, int32_t* plHtml, int32_t* plXml, FFC_CONTEXT* pContext,
                               int32_t lFunctionRun)
{
    Globals& g = G();
    if (!lFunctionRun || !pState || !pContext || pState->stats.lFatalTotal != 0 || pContext->cOption != 'G')
        return;
    if (g.screenCommands > 0)
        return;
    const struct {
        int32_t* flag;
        const char* name;
    } kinds[] = {{plHtml, "HTML"}, {plXml, "XML"}};
    for (const auto& k : kinds) {
        if (!k.flag || *k.flag == 0)
            continue;
        *k.flag = 0;
        P3100_IssueServicesMessage('W', 156, k.name);
    }
}

void P3100_RunChecker(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pProcessDefinition,
                      void* pFunctionDefinition, char* pachFunctionKind, char* pcSwitch6, char* pachOptionFlags,
                      char* pcSwitch8, char* pcSwitch9, const char* pachCode10, const char* pachMsgQueue,
                      uint16_t* pusStatus, const char* pszRootDirectory, void* pMsgCallback, void* pCallFromEditor,
                      int32_t lFunctionRun, int32_t* plHtml, int32_t* plXml, void* pDriverArgument, void* pLpcAnchor,
                      void* pCmpeAnchor, void* pDesignScreenCallback, void* pDesignReportCallback)
{
    Globals& g = G();
    g.ctx = pContext;
    g.state = pState;
    g.processDefinition = pProcessDefinition;
    g.functionDefinition = pFunctionDefinition;
    g.functionKind = pachFunctionKind;
    g.switch6 = pcSwitch6;
    g.optionFlags = pachOptionFlags;
    g.switch8 = pcSwitch8;
    g.switch9 = pcSwitch9;
    if (pachCode10)
        std::memcpy(g.code10, pachCode10, 3);
    else
        std::memset(g.code10, ' ', 3);
    if (pachMsgQueue)
        std::memcpy(g.msgQueue, pachMsgQueue, 10);
    else
        Pad(g.msgQueue, 10, "DC_P3100");
    g.root = pszRootDirectory ? pszRootDirectory : "";
    g.msgCallback = pMsgCallback;
    g.callFromEditor = pCallFromEditor;
    g.driverArgument = pDriverArgument;
    g.lpcAnchor = pLpcAnchor;
    g.cmpeAnchor = pCmpeAnchor;
    g.designScreen = pDesignScreenCallback;
    g.designReport = pDesignReportCallback;
    std::memcpy(g.partition, pContext->acPartition, 3);
    std::memcpy(g.process, pContext->acProcess, 10);
    std::memcpy(g.function, pContext->acFunction, 7);
    std::memcpy(g.language, pContext->acLanguage, 4);
    auto upToBlank = [](const char* field, size_t width) {
        size_t n = 0;
        while (n < width && field[n] != ' ' && field[n] != '\0')
            ++n;
        return std::string(field, n);
    };
    g.processName = upToBlank(g.process, 10);
    g.functionName = upToBlank(g.function, 7);
    Pad(g.paddedNames, 10, g.processName);
    Pad(g.paddedNames + 10, 10, g.functionName);

    P3100_StartChecking();
    P3100_LoadKeywordTables();
    pState->lPass = 1;
    pState->stats.lWarningsPass1 = 0;
    pState->stats.lFatalPass1 = 0;
    g.checkerCommandCounter = 0;

    uint16_t keywordCount = 0;
    void* keywords = P3100_pKeywordArea(&keywordCount);
    g.status = 0;
    uint16_t rc = PCONTROL_sLoadSource(pContext, pFunctionDefinition, &g.status, pszRootDirectory, pDriverArgument,
                                       pContext->acComponent, nullptr, nullptr, g.buffer11000.data(),
                                       g.buffer256.data(), g.msgQueue, keywords, keywordCount, nullptr);
    if (rc != 0) {
        if (pusStatus)
            *pusStatus = 65535;
        return;
    }
    if (pusStatus)
        *pusStatus = g.status;
    P3100_Pass1();
    pState->lPass = 2;
    P3100_Pass2();
    P3100_ReportWebOutputKind(pState, plHtml, plXml, pContext, lFunctionRun);
    // the page generators read the requests left set from SYSFLAGS
    g.sysFlags[SF_HTML_PAGES] = plHtml && *plHtml ? 'Y' : 'N';
    g.sysFlags[SF_XML_PAGES] = plXml && *plXml ? 'Y' : 'N';
    g.sysFlags[SF_WEB_EVENT] = g.switchWebEvent == 'Y' ? 'Y' : 'N';
    P3100_EndChecking();
    g.lpcAnchor = g.cmpeAnchor = g.designScreen = g.designReport = nullptr;
}

}  // extern "C"
