// dc_p31o2: one whole job on one object. The job's state lives in the run
// blocks below, which the driver fills and every later step reads; the
// lists, work files and stores of a pass are made at its start and released
// at its end. Messages of every pass are kept in a job-level store and
// listed by run mode at the end of the job.
//
// The job is one unit of work on the repository and on the files: begun
// with the write lock before the job reads anything, committed as its very
// last step (the files the job wrote aside then put in place), and rolled
// back (the files left as they were) when it cannot run or ends fatally.
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqoel/dqoel.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"
#include "platform/dqot/dqot.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/message_table.h"
#include "runcontrol/rc_internal.h"

// The build handle: its address is what the object layer and the object
// server know the build by.
struct FCC_BUILD_HANDLE {
    int32_t lReserved;
};

namespace {

constexpr char kSourceList[] = "P31O2/SL/SOURCE";
constexpr size_t kNameWidth = 40;  // names in the run blocks

struct NamedValues {
    void* callFromEditor = nullptr;
    void* msgCallback = nullptr;  // an FFC_MESSAGE_CALLBACK
    void* lpcAnchor = nullptr;
    void* cmpeAnchor = nullptr;
    void* designScreen = nullptr;
    void* designReport = nullptr;
};

// The named parameters the driver takes from a request, each with the
// member that keeps its value.
struct NamedParameter {
    const char* name;
    void* NamedValues::*member;
};
constexpr NamedParameter kNamedParameters[] = {
    {FFC_PARM_CALLFROMFCCEDITOR, &NamedValues::callFromEditor},
    {FFC_PARM_FCCMSGCALLBACK, &NamedValues::msgCallback},
    {FFC_PARM_PX_COMP_LPC_ANCHOR_BLOCK, &NamedValues::lpcAnchor},
    {FFC_PARM_PX_COMP_CMPE_ANCHOR_BLOCK, &NamedValues::cmpeAnchor},
    {FFC_PARM_FCCDESIGNSCREENCALLBACK, &NamedValues::designScreen},
    {FFC_PARM_FCCDESIGNREPORTCALLBACK, &NamedValues::designReport},
};

// The run blocks of the job.
struct RunBlocks {
    FFC_CONTEXT context{};
    FFC_CHECK_STATE state{};
    FFC_PROCESS_DEFINITION process{};
    FFC_FUNCTION_DEFINITION function{};
    FFC_OPTION_WORDS options{};
    char processName[kNameWidth];   // process or component, blank-padded to 40
    char functionName[kNameWidth];  // function or "*COMP", blank-padded to 40
    FCC_BUILD_HANDLE build{};
    NamedValues named;
    FFC_CONTEXT messages{};  // holds the job's message store across passes
};

RunBlocks g_run;
FFC_EDITOR_SOURCE_ANCHOR g_source{nullptr, ' '};

void dropSource()
{
    SZOPH_DropCommands(static_cast<SZOPH_LIST*>(g_source.pCommands));
    g_source = FFC_EDITOR_SOURCE_ANCHOR{nullptr, ' '};
}

// The stored command list of a function job for the pass.
void loadSource()
{
    dropSource();
    if (std::memcmp(g_run.functionName, "*COMP", 5) == 0)
        return;
    SZOPH_LIST* list = nullptr;
    std::string process = rc::Trimmed(g_run.processName, kNameWidth);
    std::string function = rc::Trimmed(g_run.functionName, kNameWidth);
    if (SZOPH_sLoadCommands(process.c_str(), function.c_str(), &list, 0) != 0 || !list)
        return;
    g_source.pCommands = list;
    g_source.cKind = SZOPH_chListKind(list);
}
// The library's own steps and parser table, as its assembly installs them
// before any other initialiser of the library runs (P31O2_UseLibrarySteps).
void (*g_libraryRunSeams)(FFC_RUN_SEAMS*) = nullptr;
const void* (*g_libraryCommandNames)(void) = nullptr;

FFC_RUN_SEAMS librarySeams()
{
    FFC_RUN_SEAMS s{};
    if (g_libraryRunSeams)
        g_libraryRunSeams(&s);
    return s;
}
FFC_RUN_SEAMS g_seams = librarySeams();
bool g_haveProcess = false;
bool g_haveFunction = false;
bool g_outputWritten = false;  // the output driver ran in this job, its commit not yet done

std::string trimmed(const char* s)
{
    return s ? rc::Trimmed(s, std::strlen(s)) : std::string();
}

bool equalNoCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
            return false;
    return *a == *b;
}

// The driver's named parameter of this name (case ignored), else NULL.
const NamedParameter* namedParameter(const char* name)
{
    for (const auto& p : kNamedParameters)
        if (equalNoCase(name, p.name))
            return &p;
    return nullptr;
}

void lookUpNamedParameters(const FFC_NAMED_PARAMETERS* p, NamedValues& v)
{
    v = NamedValues{};
    if (!p || !p->apszNames || !p->apValues)
        return;
    for (uint32_t i = 0; i < p->ulCount; ++i) {
        const NamedParameter* known = p->apszNames[i] ? namedParameter(p->apszNames[i]) : nullptr;
        if (known)
            v.*known->member = p->apValues[i];
    }
}

FFC_MESSAGE_CALLBACK messageCallback()
{
    return reinterpret_cast<FFC_MESSAGE_CALLBACK>(g_run.named.msgCallback);
}

// A message of the driver itself, outside any line: its text (or
// substitution data) is left blank for the caller.
FFC_CHECK_MESSAGE driverMessage(dqov::Msg msg, char severity, int32_t pass)
{
    FFC_CHECK_MESSAGE m;
    std::memset(&m, ' ', sizeof m);
    m.ulLine = 0;
    m.usPass = static_cast<uint16_t>(pass);
    m.ulSubLine = 0;
    m.cSeverity = severity;
    std::memcpy(m.acMsgId, dqov::MsgId(msg), 7);
    std::memcpy(m.acObject, FFC_MSG_FILE, 10);
    return m;
}

// A text message (CheckerText) of the driver.
FFC_CHECK_MESSAGE textMessage(char severity, int32_t pass, const std::string& text)
{
    FFC_CHECK_MESSAGE m = driverMessage(dqov::Msg::CheckerText, severity, pass);
    rc::Pad(m.acText, sizeof m.acText, text);
    return m;
}

// A message of the driver into the job's message store.
void jobMessage(char severity, const std::string& text)
{
    FFC_CHECK_MESSAGE m = textMessage(severity, g_run.context.lCurrentPass, text);
    RS_sAddRunMessage(&g_run.messages, &m);
    P9006_fCountMessage(&g_run.state.stats, severity, g_run.context.lCurrentPass);
}

bool componentJob()
{
    return std::memcmp(g_run.functionName, "*COMP", 5) == 0;
}

std::string processText()
{
    return rc::Trimmed(g_run.processName, kNameWidth);
}
std::string functionText()
{
    return rc::Trimmed(g_run.functionName, kNameWidth);
}

// Fills the context for a pass from the system definition and the request.
void fillContext(const FFC_RUN_REQUEST* rq, int32_t pass, int32_t passCount)
{
    FFC_CONTEXT& c = g_run.context;
    // later passes keep the generation time stamp of pass 1
    char stamp[sizeof c.szGenerationStamp];
    std::memcpy(stamp, c.szGenerationStamp, sizeof stamp);
    P31O2_FreeRunContext(&c);
    std::memset(&c, 0, sizeof c);
    if (pass > 1)
        std::memcpy(c.szGenerationStamp, stamp, sizeof stamp);
    P31O2_FillRunContext(&c, rq->pSystemDefinition);
    c.cOption = rq->cOption;
    c.ulOptionBits = rq->options.ulOptionBits;
    c.cCSharp = rq->cCSharp == 'Y' ? 'Y' : 'N';
    c.lZoph2Used = rq->cZoph2 == 'Y' ? 1 : 0;
    c.lComponentRun = componentJob() ? 1 : 0;
    c.lFunctionRun = componentJob() ? 0 : 1;
    c.lComponentChecking = c.lComponentRun;
    rc::Pad(c.acObjectName, 10, rc::Trimmed(FFC_MSG_FILE, 10));
    if (componentJob()) {
        rc::Pad(c.acComponent, 10, processText());
    } else {
        rc::Pad(c.acProcess, 10, processText());
        rc::Pad(c.acFunction, 7, functionText());
    }
    c.lPassCount = passCount;
    c.lCurrentPass = pass;
    // messages of the pass go to the job's store
    c.pMessageStore = g_run.messages.pMessageStore;
    P31O2_SetCurrentRunContext(&c);
}

void resetState()
{
    FFC_CHECK_STATE& s = g_run.state;
    FFC_RUN_STATISTICS keep = s.stats;
    std::memset(&s, ' ', sizeof s);
    s.stats = keep;
    s.lPass = g_run.context.lCurrentPass;
    s.lLine = s.lLineWord = s.lSequence = s.lLineNumber = 0;
    s.lSecondSequence = 0;
    s.pFieldTable = nullptr;
    if (!componentJob()) {
        rc::Pad(s.acProcess, 10, processText());
        rc::Pad(s.acFunction, 7, functionText());
    }
    std::memcpy(s.acMsgQueue, FFC_JOB_MSG_QUEUE, 10);
    std::memcpy(s.acScope, g_run.context.cOption == 'D' ? "X3" : "X1", 2);
    const FFC_SYSTEM_DEFINITION* sys = g_run.context.pSystemDefinition;
    if (sys)
        std::memcpy(s.acSystemFlags, sys->acScreenFlags, sizeof s.acSystemFlags);
}

// Loads the run environment of the pass: the definitions of the object.
// 0, or -1 with a message naming what was not found.
int32_t loadEnvironment()
{
    FFC_CONTEXT& c = g_run.context;
    std::string part = rc::Trimmed(c.acPartition, 3);
    if (componentJob()) {
        std::string name = processText();
        if (name.empty() || name[0] == '*') {
            jobMessage('F', "Component name " + name + " is reserved and cannot be checked.");
            return -1;
        }
        // the component's definition: its kind word (level two when its
        // second byte is 1) and the module identifier its files are named by
        OSRV_COMPONENT_NAME which{part.c_str(), name.c_str()};
        OSRV_COMPONENT_DEFINITION definition{};
        const long rc = OSRV_lGetComponentDefinition(&which, &definition);
        if (rc != OSRV_OK && rc != OSRV_ERR_NOT_FOUND)
            FFC_SQL_Error(nullptr, SSQL_pszLocation());
        const bool levelTwo = ((static_cast<uint32_t>(definition.lKindWord) >> 8) & 0xFFu) == 1;
        std::snprintf(c.szComponentModule, sizeof c.szComponentModule, "%s", definition.szModule);
        std::memset(&g_run.function, ' ', sizeof g_run.function);
        rc::Pad(g_run.function.acPartition, 3, part);
        g_run.function.usOptionsLength = 0;
        g_run.function.cLevelTwo = levelTwo ? 'Y' : 'N';
        c.lLanguageLevelTwo = levelTwo ? 1 : 0;
        g_haveFunction = true;
        g_haveProcess = false;
        return 0;
    }
    if (P310C_sLoadProcessDefinition(&c, c.acProcess, &g_run.process) != 0) {
        jobMessage('F', "Process " + processText() + " was not found in partition " + part + ".");
        return -1;
    }
    g_haveProcess = true;
    if (P310C_sLoadFunctionDefinition(&c, c.acProcess, c.acFunction, &g_run.function) != 0) {
        jobMessage('F', "Function " + functionText() + " of process " + processText() + " was not found in partition " +
                            part + ".");
        return -1;
    }
    g_haveFunction = true;
    std::memcpy(c.acFunctionDescription, g_run.function.acDescription, 40);
    c.lLanguageLevelTwo = g_run.function.cLevelTwo == 'Y' ? 1 : 0;
    if (c.lLanguageLevelTwo)
        c.lComponentChecking = 1;
    return 0;
}

// The source lines of a component (of every member of a compound one)
// from the object layer into the run context's source-line list: 0, or -1
// with a message when the component does not exist.
int32_t collectComponentSource()
{
    FFC_CONTEXT& c = g_run.context;
    c.ulSourceLineCount = 0;
    long rc = DQOO_FCC_RetrieveCompoundComponentZOPHX(
        &g_run.build, [](const DQOO_SOURCE_LINE* line) -> int32_t { return P31O2_fCollectComponentSourceLine(line); });
    if (rc == DQOO_ERR_NOT_FOUND) {
        jobMessage('F',
                   "Component " + processText() + " was not found in partition " + rc::Trimmed(c.acPartition, 3) + ".");
        return DC_P31O2_NOT_RESOLVED;
    }
    if (rc == DQOO_ERR_STOPPED) {
        jobMessage('F', "The source of " + processText() + " does not fit in storage.");
        return DC_P31O2_PREPARE_FAILED;
    }
    if (rc != DQOO_OK)
        DQOO_FCC_FatalError("DQOO_FCC_RetrieveCompoundComponentZOPHX", rc);
    return 0;
}

// Prepares the lists, work file and stores of a pass: 0, or -2.
int32_t preparePass()
{
    FFC_CONTEXT& c = g_run.context;
    if (WF_sCreate(&c) != 0 || RS_sCreateCommandStores(&c) != 0)
        return -2;
    uint16_t size = 4 + 3 + 10 + 11000;
    uint16_t count = 65000;
    int16_t rc = qvrmm1(&c, 'V', kSourceList, &size, &count, nullptr);
    return rc == 0 || rc == QVRMM_EXISTS ? 0 : -2;
}

// Without a checker the pass loads the object's source, so that a job on an
// object whose source cannot be read ends with -3, and reports the count.
int32_t loadSourceOnly(FFC_CONTEXT* c, FFC_CHECK_STATE* s)
{
    if (!componentJob()) {
        auto* list = static_cast<SZOPH_LIST*>(g_source.pCommands);
        if (!list)
            return -3;
        SZOPH_ResetCommandList(list);
        SZOPH_COMMAND* cmd = nullptr;
        uint32_t n = 0;
        while (SZOPH_sGetNextCommand(list, &cmd) == 0)
            ++n;
        c->ulSourceLineCount = n;
    }
    if (c->lCurrentPass != c->lPassCount)
        return 0;
    char counts[15];
    std::snprintf(counts, sizeof counts, "%-7u%-7u", static_cast<unsigned>(s->stats.lFatalTotal) % 10000000u,
                  static_cast<unsigned>(s->stats.lWarningsTotal) % 10000000u);
    FFC_CHECK_MESSAGE m =
        driverMessage(dqov::Msg::FunctionChecked, dqov::MsgSeverity(dqov::Msg::FunctionChecked), c->lCurrentPass);
    std::memcpy(m.acText, counts, 14);
    RS_sAddSummaryMessage(c, &m);
    return 0;
}

bool pageFlag(int bit, size_t position)
{
    if (!(g_run.options.ulOptionBits & (1u << bit)) || !g_haveProcess)
        return false;
    return g_run.process.usOptionsLength > position && g_run.process.acOptions[position] == 'Y';
}

// Queued messages left by the pass's steps join the job's messages.
void replayPassMessages()
{
    P9006_ulReplayQueuedMessages(&g_run.context, &g_run.state, FFC_JOB_MSG_QUEUE);
}

void releasePass()
{
    FFC_CONTEXT& c = g_run.context;
    replayPassMessages();
    if (g_seams.pfnPassRelease)
        g_seams.pfnPassRelease(&c, &g_run.state, &g_run.build);
    c.pMessageStore = nullptr;  // the job's store outlives the pass
    P31O2_FreeRunContext(&c);
    dropSource();
}

// The object a notice names: the component, or process/function.
std::string noticeObject(const FFC_RUN_REQUEST* rq)
{
    std::string process = trimmed(rq->pszProcess);
    std::string function = trimmed(rq->pszFunction);
    return function == "*COMP" ? process : process + "/" + function;
}

void notice(const FFC_RUN_REQUEST* rq, unsigned long kind, const std::string& text)
{
    if (!rq->pszNotifyHandle || !*rq->pszNotifyHandle)
        return;
    EL_SendNotificationEx(rq->pszNotifyHandle, kind, noticeObject(rq).c_str(), text.c_str());
}

// Copies a name into its 40-character run block; false when it is longer
// than the field it names (process or component 10, function 7).
bool copyName(const char* name, size_t field, char* block, const char* what)
{
    std::string n = trimmed(name);
    std::memset(block, ' ', kNameWidth);
    if (n.empty()) {
        jobMessage('F', std::string("No ") + what + " name was given.");
        return false;
    }
    if (n.size() > field) {
        jobMessage('F', std::string("The ") + what + " name " + n + " is longer than " + std::to_string(field) +
                            " characters.");
        return false;
    }
    std::memcpy(block, n.data(), n.size());
    return true;
}

// Runs one statement of the job's unit of work; a failure is fatal (its
// reason is the services library's last error).
void runJobStatement(const char* text, const char* tag)
{
    SSQL_SetLocation(tag);
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SQLDA* ca = nullptr;
    unsigned short rc = SSQL_DeclareExt(area.get(), text);
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRun(area.get(), &ca, 0);
    SSQL_FreeSqlda(ca);
    if (rc != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, tag);
}

// Drops every file the job wrote: the output driver lets go of its files
// and the job's file work is rolled back, so that the files are as they
// were before the job.
void discardOutput()
{
    if (g_outputWritten && g_seams.pfnDiscardOutput)
        g_seams.pfnDiscardOutput(&g_run.context, &g_run.state, &g_run.build);
    g_outputWritten = false;
    DosRollbackFileWork();
}

// The identity of the environment root, which the repository records with
// the key of each journal of a job on it; "" when the root has none (no job
// has kept a journal there).
std::string rootIdentity()
{
    char id[64];
    return DosQueryRootIdentity(0, id, sizeof id) == 0 ? std::string(id) : std::string();
}

// The journal of what the commit does to the files is written before the
// repository commits (keyed by the job's identity, recorded with the root's
// in the same unit of work, or without a key where the repository's commit
// is the caller's): a job that dies between the commit and its last rename
// is completed by the next.
void prepareFileCommit(bool keyed)
{
    const std::string key = DosJobIdentity();
    if (DosPrepareFileWorkCommit(keyed ? key.c_str() : nullptr) != 0)
        FFC_Fatal_Error((std::string("The journal of the job's files could not be written: ") + DosGetLastErrorText() +
                         ". Nothing of the job was kept.")
                            .c_str());
    if (!keyed || !DosFileWorkJournaled())
        return;
    SSQL_SetLocation("DC_P31O2/QV_FJW/I");
    if (SDQOX_NoteFileWork(key.c_str(), rootIdentity().c_str()) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, "DC_P31O2/QV_FJW/I");
}

int32_t journalCommitted(const char* key, const char* root, void*)
{
    return SDQOX_FileWorkCommitted(key, root);
}

// What a dead job's journal holds that the job leaves as it is: told as a
// warning of the job.
void journalLeft(const char* text, void*)
{
    jobMessage('W', text);
}

// Settles what jobs that died left behind (their files aside, working
// folders, renames after their commit). A job that holds the write lock
// then forgets the keys of the root's jobs whose journal is gone; one that
// does not (a check) leaves them, as it may not write.
void settleDeadJobs(bool writer)
{
    DosSettleDeadFileWork(journalCommitted, journalLeft, nullptr);
    const std::string root = rootIdentity();
    if (!writer || root.empty())
        return;
    std::vector<std::string> open;
    DosListFileWorkKeys([](const char* key, void* user) { static_cast<std::vector<std::string>*>(user)->push_back(key); },
                        &open);
    std::vector<const char*> keys;
    for (const std::string& k : open)
        keys.push_back(k.c_str());
    SSQL_SetLocation("DC_P31O2/QV_FJW/D");
    if (SDQOX_ForgetFileWork(root.c_str(), keys.data(), static_cast<unsigned long>(keys.size())) != SSQL_RC_OK)
        FFC_SQL_Error(nullptr, "DC_P31O2/QV_FJW/D");
}

// The job keeps a journal of its file work for the repository it works on.
void beginFileWork()
{
    std::error_code ec;
    const char* repository = SSQL_pszRepositoryPath();
    const std::filesystem::path owner =
        repository && *repository ? std::filesystem::weakly_canonical(repository, ec) : std::filesystem::path();
    DosJournalFileWork(owner.empty() ? repository : owner.c_str());
    DosBeginFileWork();
}

// The start of the job's unit of work. A job that commits takes the write
// lock first, so that it settles what dead jobs left seeing every commit;
// a check-only job, which commits nothing of its own, reads without
// waiting for a generation's lock: it settles first, each question about a
// dead job's commit then seeing the repository as it stands, and reads in
// a unit that holds its own writes back until its caller commits it.
void beginJobWork(bool writer)
{
    beginFileWork();
    if (!writer) {
        settleDeadJobs(false);
        runJobStatement("BEGIN READ WORK", "DC_P31O2/BEGIN");
        return;
    }
    runJobStatement("BEGIN WORK", "DC_P31O2/BEGIN");
    settleDeadJobs(true);
}

// Puts the files the job wrote in place, once its repository work is
// committed; a file that cannot be put in place ends the job.
void commitFiles()
{
    g_outputWritten = false;
    if (DosCommitFileWork() != 0)
        FFC_Fatal_Error((std::string("The generated files could not be put in place: ") + DosGetLastErrorText() +
                         ". The repository holds the job's results; generate the object again.")
                            .c_str());
}

// The end of the job's unit of work: a generating job that ran commits all
// it did and puts its files in place, a job that could not run leaves
// nothing behind; a check-only job leaves its repository unit to the
// caller, as it commits nothing of its own, and keeps the files it wrote.
void endJobWork(int32_t result, char option, bool keep)
{
    if (!SSQL_fIsConnected()) {
        discardOutput();
        return;
    }
    if (!keep)
        result = DC_P31O2_NOT_RESOLVED;
    if (result == DC_P31O2_OK && option == 'G') {
        FFC_StopWhenInterrupted();
        prepareFileCommit(true);
        DosKillPoint("before-commit");
        runJobStatement("COMMIT WORK", "DC_P31O2/COMMIT");
        DosKillPoint("after-commit");
        commitFiles();
        return;
    }
    if (result == DC_P31O2_OK) {
        prepareFileCommit(false);
        commitFiles();
        return;
    }
    discardOutput();
    runJobStatement("ROLLBACK WORK", "DC_P31O2/ROLLBACK");
}

// The passes of a compound component are one unit of work: when one of
// them found errors (and so generated nothing), the files the others wrote
// and the repository work of every pass are undone, so that the compound's
// earlier generation stands whole. The job goes on in a new unit, in which
// the object's state records the errors.
void undoCompoundPasses()
{
    jobMessage('I', "A pass of the compound component " + processText() +
                        " found errors: no file of its passes was kept, its earlier generation stands.");
    discardOutput();
    runJobStatement("ROLLBACK WORK", "DC_P31O2/ROLLBACK/C");
    runJobStatement("BEGIN WORK", "DC_P31O2/BEGIN/C");
    beginFileWork();
}

void designLoop(int32_t errors, int32_t warnings)
{
    FFC_PAINT_STR* paint = P31O2_pGetPaintStr();
    if (!paint)
        return;
    int16_t reply = P31O2_sPainterCounts(paint, errors, warnings);
    while (reply > 2) {
        FFC_RUN_STEP step = reply == 3 ? g_seams.pfnScreenDesign : (reply == 4 ? g_seams.pfnReportDesign : nullptr);
        if (step)
            step(&g_run.context, &g_run.state, &g_run.build);
        reply = P31O2_sPainterCounts(paint, errors, warnings);
    }
}

// A design session outside the editor: the asked-for steps with the
// request's painter; its work is kept only when the painter saw it through.
// false when the painter ended early: then nothing of the whole job is kept,
// neither its repository work nor the files it generated, which the job's
// end undoes together.
bool designSession(const FFC_DESIGN_REQUEST& d, char option)
{
    FFC_PAINT_STR* previous = P31O2_pGetPaintStr();
    PassPaintStrPtr(d.pPaint);
    if (d.cScreens == 'Y' && g_seams.pfnScreenDesign)
        g_seams.pfnScreenDesign(&g_run.context, &g_run.state, &g_run.build);
    if (d.cReports == 'Y' && g_seams.pfnReportDesign && P31O2_fPainterPresent(d.pPaint))
        g_seams.pfnReportDesign(&g_run.context, &g_run.state, &g_run.build);
    PassPaintStrPtr(previous);
    SSQL_SQLDA* ca = nullptr;
    if (!P31O2_fPainterPresent(d.pPaint))
        return false;
    // a generating job commits its design work with the rest of the job,
    // when its files are put in place
    if (option != 'G')
        prepareFileCommit(false);
    SSQL_SetLocation("DC_P31O2/COMMIT/D");
    if (option != 'G' && SSQL_sCommitExt(&ca) != SSQL_RC_OK) {
        SSQL_SQLDA failure{};
        if (ca)
            std::memcpy(&failure, ca, sizeof failure);
        SSQL_FreeSqlda(ca);
        FFC_SQL_Error(&failure, "DC_P31O2/COMMIT/D");
    }
    auto* list = static_cast<SZOPH_LIST*>(g_source.pCommands);
    if (!list || !d.pfnChanged)
        return true;
    SZOPH_ResetCommandList(list);
    SZOPH_COMMAND* cmd = nullptr;
    while (SZOPH_sGetNextCommand(list, &cmd) == 0)
        if (cmd->fChanged)
            d.pfnChanged(d.pUser, cmd);
    return true;
}

// The messages the design steps queued, listed by run mode.
void listDesignMessages()
{
    FFC_RECORD_STORE* store = g_run.context.pMessageStore;
    g_run.context.pMessageStore = nullptr;
    P31O2_ListRunMessages(&g_run.context, FFC_JOB_MSG_QUEUE, nullptr, messageCallback(), g_run.named.cmpeAnchor,
                          g_run.named.lpcAnchor);
    g_run.context.pMessageStore = store;
}

}  // namespace

void rc::DiscardJobOutput()
{
    discardOutput();
}

extern "C" {

void P31O2_UseLibrarySteps(void (*pfnRunSeams)(FFC_RUN_SEAMS*), const void* (*pfnCommandNames)(void))
{
    g_libraryRunSeams = pfnRunSeams;
    g_libraryCommandNames = pfnCommandNames;
}

FFC_EDITOR_SOURCE_ANCHOR* P31O2_pGetEditorSourceAnchor(void)
{
    return &g_source;
}

int16_t P31O2_sInsertCommandParameter(int16_t sLine, uint16_t usCode, uint16_t usLength, const char* pchText)
{
    FFC_EDITOR_SOURCE_ANCHOR* anchor = P31O2_pGetEditorSourceAnchor();
    auto* list = anchor ? static_cast<SZOPH_LIST*>(anchor->pCommands) : nullptr;
    if (!list)
        return 1;
    SZOPH_ResetCommandList(list);
    SZOPH_COMMAND* cmd = nullptr;
    while (SZOPH_sGetNextCommand(list, &cmd) == 0) {
        if (cmd->sNumber != sLine)
            continue;
        std::string text(pchText, usLength);
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        SZOPH_PARMCOMP comp{static_cast<uint16_t>(usCode / 100), static_cast<uint16_t>(usCode % 100), text.c_str()};
        return static_cast<int16_t>(SZOPH_InsertParmComp(cmd, &comp, 0, anchor->cKind));
    }
    return 1;
}

void FFC_InitToolsSystemDefinition(FFC_SYSTEM_DEFINITION* sys, const char* partition, const char* language)
{
    if (!sys)
        return;
    std::memset(sys, 0, sizeof *sys);
    std::snprintf(sys->szPartition, sizeof sys->szPartition, "%.3s", partition ? partition : "");
    std::snprintf(sys->szLanguage, sizeof sys->szLanguage, "%.4s", language ? language : "");
    std::snprintf(sys->szDateFormat, sizeof sys->szDateFormat, "DMY");
    sys->cDecimalPoint = '.';
    std::memcpy(sys->acNationalChars, "#@$", 3);
    std::memset(sys->acScreenFlags, 'N', sizeof sys->acScreenFlags);
    std::memset(sys->acSystemFlags, 'N', sizeof sys->acSystemFlags);
    sys->usScreenLines = 24;
    std::snprintf(sys->szRootDirectory, sizeof sys->szRootDirectory, "C:\\");
    std::memcpy(sys->acPageLength, "066", 3);
    std::memcpy(sys->acOverflowLine, "060", 3);
    sys->lPageWidth = FFC_DEFAULT_PAGE_WIDTH;
}

void P31O2_SetRunSeams(const FFC_RUN_SEAMS* seams)
{
    g_seams = seams ? *seams : librarySeams();
}

void* P31O2_pGetNamedParameter(const char* name)
{
    if (!name)
        return nullptr;
    const NamedParameter* known = namedParameter(name);
    return known ? g_run.named.*known->member : nullptr;
}

const FFC_PROCESS_DEFINITION* P31O2_pGetProcessDefinition(void)
{
    return g_haveProcess ? &g_run.process : nullptr;
}
const FFC_FUNCTION_DEFINITION* P31O2_pGetFunctionDefinition(void)
{
    return g_haveFunction ? &g_run.function : nullptr;
}

void P31O2_IssueJobMessage(FFC_CONTEXT* ctx, char severity, const char* text)
{
    if (!text)
        return;
    if (ctx == &g_run.context || !ctx) {
        jobMessage(severity, text);
        return;
    }
    FFC_CHECK_MESSAGE m = textMessage(severity, 0, text);
    RS_sAddRunMessage(ctx, &m);
}

int32_t P31O2_fCollectComponentSourceLine(const void* p)
{
    const auto* line = static_cast<const DQOO_SOURCE_LINE*>(p);
    FFC_CONTEXT* ctx = P31O2_pGetCurrentRunContext();
    if (!line || !ctx)
        return 0;
    struct {
        uint32_t seq;
        char label[3];
        char name[10];
        char text[11000];
    } rec;
    rec.seq = line->ulNumber;
    rc::Pad(rec.label, 3, line->pszLabel ? line->pszLabel : "");
    rc::Pad(rec.name, 10, line->pszName ? line->pszName : "");
    std::string text = line->pszText ? line->pszText : "";
    size_t n = text.size() < sizeof rec.text ? text.size() : sizeof rec.text;
    std::memcpy(rec.text, text.data(), n);
    uint16_t number = 0;
    uint16_t len = static_cast<uint16_t>(4 + 3 + 10 + n);
    if (QVRMM_sPutEntry(ctx, kSourceList, &number, &rec, &len) != QVRMM_OK)
        return 0;
    ++ctx->ulSourceLineCount;
    return 1;
}

int32_t dc_p31o2(const FFC_RUN_REQUEST* rq)
{
    if (!rq || !rq->pSystemDefinition)
        return DC_P31O2_NOT_RESOLVED;
    // the start notice comes first, before anything of the job is set up
    notice(rq, EL_NOTICE_START, "Job started");
    lookUpNamedParameters(rq->pParameters, g_run.named);
    TPARS_InitServices();
    OSRV_InitServices(nullptr);
    FFC_Set_Run_Mode(rq->sRunMode);
    g_run.options = rq->options;
    P31O2_SetCurrentOptionWords(&g_run.options);
    g_haveProcess = g_haveFunction = false;
    g_outputWritten = false;

    // the job's message store and the counts of the whole job
    P31O2_FreeRunContext(&g_run.messages);
    std::memset(&g_run.messages, 0, sizeof g_run.messages);
    P31O2_FillRunContext(&g_run.messages, rq->pSystemDefinition);
    RS_sCreateMessageStore(&g_run.messages);
    std::memset(&g_run.state, ' ', sizeof g_run.state);
    g_run.state.stats = FFC_RUN_STATISTICS{};
    std::memset(&g_run.context, 0, sizeof g_run.context);
    P31O2_FillRunContext(&g_run.context, rq->pSystemDefinition);

    const bool component = rq->pszFunction && trimmed(rq->pszFunction) == "*COMP";
    std::memset(g_run.functionName, ' ', kNameWidth);
    bool named = copyName(rq->pszProcess, 10, g_run.processName, component ? "component" : "process");
    if (named)
        named = component ? (std::memcpy(g_run.functionName, "*COMP", 5), true)
                          : copyName(rq->pszFunction, 7, g_run.functionName, "function");

    int32_t result = DC_P31O2_OK;
    bool buildStarted = false;
    bool workBegun = false;
    if (!named) {
        result = DC_P31O2_NOT_RESOLVED;
    } else if (!SSQL_fIsConnected()) {
        jobMessage('F', "The repository is not open.");
        result = DC_P31O2_PREPARE_FAILED;
    }
    if (result == DC_P31O2_OK) {
        SMISC_SetSession(rq->pSystemDefinition->szPartition, rq->pSystemDefinition->szLanguage);
        // a job that commits (a generation, a design session, a job of
        // the editor, whose caller commits) takes the write lock
        beginJobWork(rq->cOption == 'G' || FFC_from_EDITOR() || (rq->pDesign && rq->pDesign->pPaint));
        workBegun = true;
    }

    int32_t passCount = 1;
    int32_t buildStartValue = 0;
    // The design steps work on the last pass's work files, stores and
    // command list, so that pass is released only after them.
    const bool designAfter = FFC_from_EDITOR() || (rq->pDesign && rq->pDesign->pPaint);
    bool keptForDesign = false;
    for (int32_t pass = 1; result == DC_P31O2_OK && pass <= passCount; ++pass) {
        FFC_StopWhenInterrupted();
        fillContext(rq, pass, passCount);
        resetState();
        result = loadEnvironment();
        if (result != 0)
            break;
        if (pass == 1) {
            DQOO_BUILD_REQUEST br{};
            std::string object = processText();
            std::string function = functionText();
            std::string part = rc::Trimmed(g_run.context.acPartition, 3);
            br.pszObjectName = object.c_str();
            br.pszFunctionName = function.c_str();
            br.pszPartition = part.c_str();
            const void* names = rq->pSystemDefinition->pCommandNames;
            br.pCommands = static_cast<const TPARS_COMMAND_TABLE*>(
                names ? names : (g_libraryCommandNames ? g_libraryCommandNames() : nullptr));
            br.chNational1 = g_run.context.cNatChar1;
            br.chNational2 = g_run.context.cNatChar2;
            br.chNational3 = g_run.context.cNatChar3;
            uint32_t passes = 1;
            int32_t buildStart = 0;
            long rc = DQOO_FCC_StartBuild(&g_run.build, &br, &passes, &buildStart);
            if (rc != DQOO_OK)
                DQOO_FCC_FatalError("DQOO_FCC_StartBuild", rc);
            buildStarted = true;
            passCount = passes > 0 ? static_cast<int32_t>(passes) : 1;
            g_run.context.lPassCount = passCount;
            buildStartValue = buildStart;
            if (FFC_from_EDITOR() && !g_run.named.designScreen && !g_run.named.designReport)
                P31O2_sStartProgress();
        }
        g_run.context.lBuildStartValue = buildStartValue;
        g_run.context.lCompoundComponent = buildStartValue;
        loadSource();
        if (preparePass() != 0) {
            jobMessage('F', "The work areas of the job could not be prepared.");
            result = DC_P31O2_PREPARE_FAILED;
            break;
        }
        if (componentJob() && (result = collectComponentSource()) != 0)
            break;
        if (g_seams.pfnGeneratorSetup)
            g_seams.pfnGeneratorSetup(&g_run.context, &g_run.state, &g_run.build);
        int32_t checked = g_seams.pfnChecker ? g_seams.pfnChecker(&g_run.context, &g_run.state, &g_run.build)
                                             : loadSourceOnly(&g_run.context, &g_run.state);
        if (checked == DC_P31O2_SOURCE_FAILED) {
            jobMessage('F',
                       "The source of " + (componentJob() ? processText() : functionText()) + " could not be loaded.");
            result = DC_P31O2_SOURCE_FAILED;
            releasePass();
            break;
        }
        // The checker has stored the source in the pass's records. Only the
        // design steps come back to the stored command list (they write
        // parameters into it); without them it is let go before generation.
        if (!designAfter)
            dropSource();
        if (g_run.state.stats.lFatalTotal == 0 && g_run.context.cOption == 'G') {
            // the check has stored the pass's records: what their stores
            // hold beyond them goes back to the generator's allocations
            RS_ShrinkCommandStores(&g_run.context);
            if (g_seams.pfnOutputDriver) {
                g_outputWritten = true;
                if (g_seams.pfnOutputDriver(&g_run.context, &g_run.state, &g_run.build) != 0) {
                    jobMessage('F', "The generated files of " + (componentJob() ? processText() : functionText()) +
                                        " could not be read or written; nothing of the job is kept.");
                    result = DC_P31O2_OUTPUT_FAILED;
                    releasePass();
                    break;
                }
            }
            if (g_seams.pfnHtmlPages && pageFlag(13, 13))
                g_seams.pfnHtmlPages(&g_run.context, &g_run.state, &g_run.build);
            if (g_seams.pfnXmlPages && pageFlag(14, 14))
                g_seams.pfnXmlPages(&g_run.context, &g_run.state, &g_run.build);
        }
        if (pass == passCount && designAfter) {
            replayPassMessages();
            keptForDesign = true;
        } else {
            releasePass();
        }
    }
    if (result != DC_P31O2_OK) {
        g_run.context.pMessageStore = nullptr;  // the job's store is listed below
        P31O2_FreeRunContext(&g_run.context);
        dropSource();
    }

    const FFC_RUN_STATISTICS& st = g_run.state.stats;
    if (rq->plErrors)
        *rq->plErrors += st.lFatalTotal;
    if (rq->plWarnings)
        *rq->plWarnings += st.lWarningsTotal;

    if (result == DC_P31O2_OK && rq->cOption == 'G' && passCount > 1 && st.lFatalTotal != 0)
        undoCompoundPasses();
    if (result == DC_P31O2_OK && rq->cOption == 'G') {
        char state = st.lFatalTotal == 0 ? SDQOX_STATE_CHECKED_OK : SDQOX_STATE_CHECKED_ERRORS;
        SSQL_SetLocation("DC_P31O2/QV_OST/A");
        if (SDQOX_AlterState(processText().c_str(), componentJob() ? nullptr : functionText().c_str(), state) !=
            SSQL_RC_OK)
            FFC_SQL_Error(nullptr, "DC_P31O2/QV_OST/A");
    }
    notice(rq, EL_NOTICE_END,
           "Job ended: " + std::to_string(st.lFatalTotal) + " error(s), " + std::to_string(st.lWarningsTotal) +
               " warning(s), result " + std::to_string(result));
    P31O2_StopProgress();
    P31O2_ListRunMessages(&g_run.messages, nullptr, &st, messageCallback(), g_run.named.cmpeAnchor,
                          g_run.named.lpcAnchor);
    bool keep = true;
    if (result == DC_P31O2_OK && FFC_from_EDITOR())
        designLoop(st.lFatalTotal, st.lWarningsTotal);
    else if (result == DC_P31O2_OK && rq->pDesign && rq->pDesign->pPaint)
        keep = designSession(*rq->pDesign, rq->cOption);
    if (keptForDesign) {
        listDesignMessages();
        releasePass();
    }
    if (buildStarted) {
        long rc = DQOO_FCC_EndBuild(&g_run.build);
        if (rc != DQOO_OK)
            DQOO_FCC_FatalError("DQOO_FCC_EndBuild", rc);
    }
    if (workBegun)
        endJobWork(result, rq->cOption, keep);
    P31O2_SetCurrentRunContext(nullptr);
    P31O2_SetCurrentOptionWords(nullptr);
    return result;
}

}  // extern "C"
