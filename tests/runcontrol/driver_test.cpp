// The run driver on the sample repository: unknown objects, passes and
// steps, option 'G' state and commit, listings by run mode, the design loop
// and the fatal SQL path.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "sample_env.h"
#include "scripted_painter.h"
#include "support/files.h"

namespace {

// What the installed steps saw.
struct Seen {
    std::vector<int> checkerPasses;
    int setups = 0;
    int outputs = 0;
    int screens = 0;
    int reports = 0;
    int checkerResult = 0;
    int errorsToIssue = 0;
    int messagesOnLine3 = 0;
    bool sourceLoaded = false;
    std::string partition;
    std::string process;
    std::string function;
};
Seen g_seen;

int32_t setupStep(FFC_CONTEXT*, FFC_CHECK_STATE*, void*)
{
    ++g_seen.setups;
    return 0;
}

int32_t checkerStep(FFC_CONTEXT* c, FFC_CHECK_STATE* s, void* build)
{
    EXPECT_NE(build, nullptr);
    g_seen.checkerPasses.push_back(c->lCurrentPass);
    g_seen.partition.assign(c->acPartition, 3);
    g_seen.process.assign(c->acProcess, 10);
    g_seen.function.assign(c->acFunction, 7);
    EXPECT_EQ(std::string(s->acScope, 2), "X1");
    EXPECT_EQ(std::string(s->acMsgQueue, 10), FFC_JOB_MSG_QUEUE);
    g_seen.sourceLoaded = P31O2_pGetEditorSourceAnchor()->pCommands != nullptr;
    for (int i = 0; i < g_seen.errorsToIssue; ++i) {
        // the checker's way: queue by id, then replay for the current line
        s->lLine = 2;
        std::memcpy(s->acCommand, "RETURN    ", 10);
        P9006_sQueueMessage(c, s->acMsgQueue, "PRC1017", 0, nullptr);
        P9006_ulReplayQueuedMessages(c, s, s->acMsgQueue);
    }
    for (int i = 0; i < g_seen.messagesOnLine3; ++i) {
        FFC_CHECK_MESSAGE m;
        std::memset(&m, ' ', sizeof m);
        m.ulLine = 3;
        m.ulSubLine = 0;
        m.usPass = 1;
        m.cSeverity = 'W';
        std::memcpy(m.acMsgId, "PRC0094", 7);
        std::memcpy(m.acObject, FFC_MSG_FILE, 10);
        std::string name = "GRP" + std::to_string(i + 1);
        std::memcpy(m.acText, name.data(), name.size());
        RS_sAddRunMessage(c, &m);
        ++s->stats.lWarningsTotal;
        ++s->stats.lWarningsPass1;
    }
    return g_seen.checkerResult;
}

int32_t outputStep(FFC_CONTEXT*, FFC_CHECK_STATE*, void*)
{
    ++g_seen.outputs;
    return 0;
}
int32_t screenStep(FFC_CONTEXT*, FFC_CHECK_STATE*, void*)
{
    ++g_seen.screens;
    return 0;
}
int32_t reportStep(FFC_CONTEXT*, FFC_CHECK_STATE*, void*)
{
    ++g_seen.reports;
    return 0;
}

struct Driver : ::testing::Test {
    SampleEnv env;
    FFC_SYSTEM_DEFINITION sys{};
    FFC_RUN_REQUEST rq{};
    int32_t errors = 0;
    int32_t warnings = 0;
    void SetUp() override
    {
        g_seen = Seen{};
        ASSERT_TRUE(env.connect());
        std::snprintf(sys.szPartition, sizeof sys.szPartition, "DEM");
        std::snprintf(sys.szLanguage, sizeof sys.szLanguage, "ENG");
        std::memcpy(sys.acNationalChars, "#@$", 3);
        rq.pSystemDefinition = &sys;
        rq.pszProcess = "DEMOPRC";
        rq.pszFunction = "DEMOMIN";
        rq.cOption = 'G';
        rq.sRunMode = FFC_RUN_MODE_TOOLS;
        rq.plErrors = &errors;
        rq.plWarnings = &warnings;
        P31O2_SetBaseColour(4);
    }
    void TearDown() override
    {
        P31O2_SetRunSeams(nullptr);
        PassPaintStrPtr(nullptr);
        FFC_Set_Run_Mode(0);
    }
    void installSeams()
    {
        FFC_RUN_SEAMS s{};
        s.pfnGeneratorSetup = setupStep;
        s.pfnChecker = checkerStep;
        s.pfnOutputDriver = outputStep;
        s.pfnScreenDesign = screenStep;
        s.pfnReportDesign = reportStep;
        P31O2_SetRunSeams(&s);
    }
    int32_t run(std::string* out = nullptr)
    {
        testing::internal::CaptureStdout();
        int32_t r = dc_p31o2(&rq);
        std::string o = testing::internal::GetCapturedStdout();
        if (out)
            *out = o;
        return r;
    }
    std::string state()
    {
        return env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTP_I = 'DEM' AND OSTMOD = 'DEMOPRC' AND "
                                "OSTFMT = 'DEMOMIN'");
    }
};

TEST_F(Driver, UnknownFunctionGivesMinusOneAndANamedMessage)
{
    installSeams();
    rq.pszFunction = "NOSUCH";
    std::string out;
    EXPECT_EQ(run(&out), DC_P31O2_NOT_RESOLVED);
    EXPECT_EQ(out, "<RED>DCM9898 F Function NOSUCH of process DEMOPRC was not found in partition DEM.\r\n");
    EXPECT_TRUE(g_seen.checkerPasses.empty());
    EXPECT_EQ(errors, 1);
    EXPECT_EQ(state(), "<none>") << "nothing is written to the repository";
}

TEST_F(Driver, UnknownProcessAndOverlongNames)
{
    rq.pszProcess = "NOPROC";
    std::string out;
    EXPECT_EQ(run(&out), DC_P31O2_NOT_RESOLVED);
    EXPECT_EQ(out, "<RED>DCM9898 F Process NOPROC was not found in partition DEM.\r\n");
    rq.pszProcess = "DEMOPRC";
    rq.pszFunction = "DEMOMIN12";
    EXPECT_EQ(run(&out), DC_P31O2_NOT_RESOLVED);
    EXPECT_EQ(out, "<RED>DCM9898 F The function name DEMOMIN12 is longer than 7 characters.\r\n");
    EXPECT_EQ(state(), "<none>");
}

TEST_F(Driver, SampleFunctionRunsItsPassAndCommitsStateSeven)
{
    installSeams();
    std::string out;
    ASSERT_EQ(run(&out), DC_P31O2_OK);
    EXPECT_EQ(g_seen.checkerPasses, (std::vector<int>{1}));
    EXPECT_EQ(g_seen.setups, 1);
    EXPECT_EQ(g_seen.outputs, 1);
    EXPECT_EQ(g_seen.partition, "DEM");
    EXPECT_EQ(g_seen.process, "DEMOPRC   ");
    EXPECT_EQ(g_seen.function, "DEMOMIN");
    EXPECT_TRUE(g_seen.sourceLoaded) << "the stored command list is at hand for the checker";
    EXPECT_EQ(P31O2_pGetEditorSourceAnchor()->pCommands, nullptr) << "and released with the pass";
    EXPECT_EQ(out, "");
    EXPECT_EQ(state(), "7") << "committed: another connection sees it";
    EXPECT_EQ(errors, 0);
}

TEST_F(Driver, ErrorsGiveStateSixAndNoGeneration)
{
    installSeams();
    g_seen.errorsToIssue = 2;
    std::string out;
    ASSERT_EQ(run(&out), DC_P31O2_OK);
    EXPECT_EQ(g_seen.outputs, 0);
    EXPECT_EQ(errors, 2);
    EXPECT_EQ(state(), "6");
    EXPECT_EQ(out, "<RED>PRC1017 F Line 2 RETURN: The function must be given OPTIONS(*DIRECT) to be generated.\r\n"
                   "<RED>PRC1017 F Line 2 RETURN: The function must be given OPTIONS(*DIRECT) to be generated.\r\n");
}

TEST_F(Driver, CheckOnlyWritesNoState)
{
    installSeams();
    rq.cOption = 'C';
    ASSERT_EQ(run(), DC_P31O2_OK);
    EXPECT_EQ(g_seen.outputs, 0);
    EXPECT_EQ(state(), "<none>");
}

TEST_F(Driver, SourceThatCannotBeLoadedGivesMinusThree)
{
    installSeams();
    g_seen.checkerResult = DC_P31O2_SOURCE_FAILED;
    std::string out;
    EXPECT_EQ(run(&out), DC_P31O2_SOURCE_FAILED);
    EXPECT_EQ(out, "<RED>DCM9898 F The source of DEMOMIN could not be loaded.\r\n");
    EXPECT_EQ(state(), "<none>");
}

TEST_F(Driver, WithoutACheckerTheSourceIsLoadedAndCounted)
{
    FFC_RUN_SEAMS none{};
    P31O2_SetRunSeams(&none);
    std::string out;
    ASSERT_EQ(run(&out), DC_P31O2_OK);
    EXPECT_EQ(out, "<GRN>PRC0011 I Function checked: 0 fatal error(s), 0 warning(s).\r\n");
    EXPECT_EQ(state(), "7");
}

TEST_F(Driver, NoRepositoryConnection)
{
    SSQL_Disconnect();
    std::string out;
    EXPECT_EQ(run(&out), DC_P31O2_PREPARE_FAILED);
    EXPECT_EQ(out, "<RED>DCM9898 F The repository is not open.\r\n");
}

TEST_F(Driver, MoreMessagesOnALineThanAGroupHoldsAreAllListed)
{
    installSeams();
    g_seen.messagesOnLine3 = 23;
    std::string out;
    ASSERT_EQ(run(&out), DC_P31O2_OK);
    EXPECT_EQ(warnings, 23);
    std::istringstream lines(out);
    std::vector<std::string> all;
    for (std::string l; std::getline(lines, l);)
        all.push_back(l);
    ASSERT_EQ(all.size(), 24u);
    EXPECT_EQ(all[0], "<BRN>PRC0094 W Line 3: Field group GRP1 is defined but never used.\r");
    EXPECT_EQ(all[19], "<BRN>PRC0094 W Line 3: Field group GRP20 is defined but never used.\r");
    EXPECT_EQ(all[20], "<GRN> I Line 3: 3 further messages on line 3 (more than 20 in one group)\r");
    EXPECT_EQ(all[23], "<BRN>PRC0094 W Line 3: Field group GRP23 is defined but never used.\r");
}

TEST_F(Driver, MessageServiceModeShowsTheListingAsServicesMessages)
{
    installSeams();
    g_seen.errorsToIssue = 1;
    rq.sRunMode = FFC_RUN_MODE_SERVICE;
    char shown[1024];
    SMSG_RedirectMsgs(shown, sizeof shown);
    std::string out;
    int32_t r = run(&out);
    SMSG_RedirectMsgs(nullptr, 0);
    ASSERT_EQ(r, DC_P31O2_OK);
    EXPECT_EQ(out, "");
    EXPECT_EQ(std::string(shown),
              "PRC1017 F Line 2 RETURN: The function must be given OPTIONS(*DIRECT) to be generated.");
}

struct Callback {
    void* cmpe;
    void* lpc;
    std::vector<FFC_MESSAGE_CALLBACK_RECORD> records;
};
Callback g_callback;

int32_t messageCallback(void* cmpe, void* lpc, const FFC_MESSAGE_CALLBACK_RECORD* r)
{
    g_callback.cmpe = cmpe;
    g_callback.lpc = lpc;
    g_callback.records.push_back(*r);
    return 0;
}

// The record's own fields in their order: message id, text length, text,
// severity letter, then the counts.
static_assert(offsetof(FFC_MESSAGE_CALLBACK_RECORD, acMsgId) < offsetof(FFC_MESSAGE_CALLBACK_RECORD, ulTextLength));
static_assert(offsetof(FFC_MESSAGE_CALLBACK_RECORD, ulTextLength) < offsetof(FFC_MESSAGE_CALLBACK_RECORD, acText));
static_assert(offsetof(FFC_MESSAGE_CALLBACK_RECORD, acText) < offsetof(FFC_MESSAGE_CALLBACK_RECORD, cSeverity));
static_assert(offsetof(FFC_MESSAGE_CALLBACK_RECORD, cSeverity) < offsetof(FFC_MESSAGE_CALLBACK_RECORD, ulErrors));
static_assert(offsetof(FFC_MESSAGE_CALLBACK_RECORD, ulErrors) < offsetof(FFC_MESSAGE_CALLBACK_RECORD, ulWarnings));

TEST_F(Driver, EditorModeHandsEachMessageToTheCallbackAfterTheAnchors)
{
    installSeams();
    g_seen.errorsToIssue = 1;
    g_callback = Callback{};
    int cmpe = 1, lpc = 2;
    const char* names[] = {"FCCMSGCALLBACK", "PX_COMP_LPC_ANCHOR_BLOCK", "PX_COMP_CMPE_ANCHOR_BLOCK",
                           "FCCDESIGNSCREENCALLBACK"};
    void* values[] = {reinterpret_cast<void*>(messageCallback), &lpc, &cmpe, reinterpret_cast<void*>(screenStep)};
    FFC_NAMED_PARAMETERS np{4, names, values};
    rq.pParameters = &np;
    rq.sRunMode = FFC_RUN_MODE_EDITOR;
    std::string out;
    ASSERT_EQ(run(&out), DC_P31O2_OK);
    EXPECT_EQ(out, "");
    ASSERT_EQ(g_callback.records.size(), 1u);
    EXPECT_EQ(g_callback.cmpe, &cmpe);
    EXPECT_EQ(g_callback.lpc, &lpc);
    const auto& r = g_callback.records[0];
    EXPECT_STREQ(r.acMsgId, "PRC1017");
    EXPECT_STREQ(r.acText, "The function must be given OPTIONS(*DIRECT) to be generated.");
    EXPECT_EQ(r.ulTextLength, std::strlen(r.acText));
    EXPECT_EQ(r.cSeverity, 'F');
    EXPECT_EQ(r.ulLine, 2u);
    EXPECT_EQ(r.ulErrors, 1u);
    EXPECT_EQ(r.ulWarnings, 0u);
    EXPECT_EQ(P31O2_pGetNamedParameter("FCCDESIGNSCREENCALLBACK"), reinterpret_cast<void*>(screenStep));
    EXPECT_EQ(P31O2_pGetNamedParameter("fccMsgCallback"), reinterpret_cast<void*>(messageCallback))
        << "names are matched without regard to case";
    EXPECT_EQ(P31O2_pGetNamedParameter("FCCDESIGNREPORTCALLBACK"), nullptr) << "not given";
    EXPECT_EQ(P31O2_pGetNamedParameter("FCCMSGCALLBACKX"), nullptr) << "not a parameter of the driver";
}

TEST_F(Driver, EditorDesignLoopFollowsThePaintersReplies)
{
    installSeams();
    FFC_PAINT_STR block;
    std::memset(&block, 0, sizeof block);
    std::vector<int16_t> replies = {3, 4, 3, 1};
    size_t next = 0;
    ScriptedPainter painter(&block, [&](FFC_PAINT_STR* p, unsigned request) {
        if (request == P31O2_PAINT_COUNTS)
            p->sReply = replies[next++];
    });
    PassPaintStrPtr(&block);
    rq.sRunMode = FFC_RUN_MODE_EDITOR;
    ASSERT_EQ(run(), DC_P31O2_OK);
    EXPECT_EQ(g_seen.screens, 2);
    EXPECT_EQ(g_seen.reports, 1);
    EXPECT_EQ(next, 4u);
    EXPECT_EQ(block.lErrorCount, 0);
    EXPECT_EQ(block.lProgressUp, 0) << "the progress window is down again";
}

TEST_F(Driver, EventLogNoticesAtStartAndEnd)
{
    rq.pszNotifyHandle = "H42";
    ASSERT_EQ(run(), DC_P31O2_OK);
    const std::string all = testsupport::readFile(env.root() + "/X_VELMO/X_EVENTS.LOG");
    EXPECT_NE(all.find(" START H42 DEMOPRC/DEMOMIN Job started"), std::string::npos) << all;
    EXPECT_NE(all.find(" END H42 DEMOPRC/DEMOMIN Job ended: 0 error(s), 0 warning(s), result 0"), std::string::npos)
        << all;
}

// The component tables of the object layer's sample, added to the copy.
void addComponentSample(const SampleEnv& env)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(env.repository().c_str(), &db), SQLITE_OK);
    for (const char* f : {"/samples/objlayer/schema.sql", "/samples/objlayer/10-components.sql"}) {
        const std::string sql = testsupport::readFile(std::string(DQOV_SOURCE_DIR) + f);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
        sqlite3_free(err);
    }
    sqlite3_close(db);
}

uint32_t g_componentLines = 0;
int32_t componentChecker(FFC_CONTEXT* c, FFC_CHECK_STATE* s, void*)
{
    g_seen.checkerPasses.push_back(c->lCurrentPass);
    EXPECT_EQ(c->lComponentRun, 1);
    EXPECT_EQ(c->lFunctionRun, 0);
    EXPECT_EQ(std::string(s->acProcess, 10), std::string(10, ' '));
    g_componentLines = c->ulSourceLineCount;
    return 0;
}

TEST_F(Driver, ComponentJob)
{
    SSQL_Disconnect();
    addComponentSample(env);
    ASSERT_TRUE(env.connect());
    FFC_RUN_SEAMS seams{};
    seams.pfnChecker = componentChecker;
    P31O2_SetRunSeams(&seams);
    rq.pszProcess = "DEMOCOMP";
    rq.pszFunction = "*COMP";
    ASSERT_EQ(run(), DC_P31O2_OK);
    EXPECT_EQ(g_seen.checkerPasses, (std::vector<int>{1}));
    EXPECT_GT(g_componentLines, 5u) << "the component's source lines were collected";
    EXPECT_EQ(env.queryOutside("SELECT OSTSTA FROM QV_OST WHERE OSTMOD = 'DEMOCOMP'"), "7");

    // a compound component: one pass per member
    g_seen.checkerPasses.clear();
    rq.pszProcess = "DEMOSUITE";
    ASSERT_EQ(run(), DC_P31O2_OK);
    EXPECT_EQ(g_seen.checkerPasses, (std::vector<int>{1, 2}));

    std::string out;
    rq.pszProcess = "NOCOMP";
    EXPECT_EQ(run(&out), DC_P31O2_NOT_RESOLVED);
    EXPECT_EQ(out, "<RED>DCM9898 F Component NOCOMP was not found in partition DEM.\r\n");
    rq.pszProcess = "*RESERVED";
    EXPECT_EQ(run(&out), DC_P31O2_NOT_RESOLVED);
    EXPECT_EQ(out, "<RED>DCM9898 F Component name *RESERVED is reserved and cannot be checked.\r\n");
}

struct Exited {};
void throwingHook(unsigned long, unsigned long)
{
    throw Exited{};
}

TEST_F(Driver, FailingDefinitionStatementEndsFatallyAndRollsBack)
{
    DQOZ_EXIT_HOOK previous = DosSetExitHook(throwingHook);
    SSQL_SetFailLocation("DC_P31O2/QV_F23/A");
    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    bool exited = false;
    try {
        dc_p31o2(&rq);
    } catch (const Exited&) {
        exited = true;
    }
    testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    SSQL_SetFailLocation(nullptr);
    DosSetExitHook(previous);
    EXPECT_TRUE(exited);
    EXPECT_NE(err.find("FFC_Fatal_Error: SQL Error at location DC_P31O2/QV_F23/A"), std::string::npos) << err;
    EXPECT_EQ(SSQL_fIsConnected(), 0) << "disconnected";
    EXPECT_EQ(state(), "<none>");
    // the fatal end left the job's blocks behind; a new job starts clean
    ASSERT_TRUE(env.connect());
    rq.cOption = 'C';
    EXPECT_EQ(run(), DC_P31O2_OK);
}

}  // namespace
