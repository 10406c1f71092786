/*
** output_driver.cpp: the generator's output driver and the end of
** generation: opens the skeleton and the output set, runs the skeleton
** engine over the main skeleton, appends the work files, writes the side
** outputs, removes everything when the generation was aborted, and records
** the result in the repository. The rows it writes join the job's unit of
** work, and the files join the job's file work: they are written aside and
** put in place when the run driver commits, or dropped with the job.
*/
#include <sys/statvfs.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "checker/checker.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/x_tree.h"
#include "generator/core/components/description_tables.h"
#include "generator/core/components/text_strings.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/object_data.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/file_helpers.h"
#include "generator/core/output/gen_sql.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/csharp_files.h"
#include "generator/core/points/p3109.h"
#include "generator/core/points/skeleton_engine.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

constexpr uint64_t kErrorSpace = 2097152;
constexpr uint64_t kWarningSpace = 10485760;

void status(const char* text40)
{
    P31O2_ShowStatusText(text40, 40);
}

/* Step 8: the free space of the root directory's file system. */
void checkDiskSpace(const GEN_MODULE_STATE& g)
{
    const std::string& root = g.args.root;
    std::string host;
    uint64_t freeBytes = 0;
    struct statvfs vfs {};
    if (dqoz::MapPath(root + "\\", host) == 0 && ::statvfs(host.c_str(), &vfs) == 0) {
        freeBytes = static_cast<uint64_t>(vfs.f_bavail) * vfs.f_frsize;
        if (freeBytes > 4294967295ULL)
            freeBytes = 4294967295ULL;
    } else if (!root.empty() && root[0] == '\\') {
        return;
    }
    P3109_CheckFreeSpace(freeBytes, root.empty() ? ' ' : root[0]);
}

}  // namespace

void P3109_CheckFreeSpace(uint64_t freeBytes, char drive)
{
    char text[96];
    if (freeBytes < kErrorSpace) {
        std::snprintf(text, sizeof text, "ERROR : Available space on drive %c: less than %ld bytes", drive,
                      static_cast<long>(kErrorSpace));
        P3109_IssueTextMessage('F', text);
        ++P3109_State().lOutputFailures;
    } else if (freeBytes < kWarningSpace) {
        std::snprintf(text, sizeof text, "WARNING : Available space on drive %c: less than %ld bytes", drive,
                      static_cast<long>(kWarningSpace));
        P3109_IssueTextMessage('W', text);
    }
}

namespace {

void openCSharpSet(GEN_MODULE_STATE& g)
{
    g.csStreams.fill(GEN_NO_STREAM);
    if (!P3109_fCSharpRequested())
        return;
    for (const std::string* dir :
         {&g.files.csDirectory, &g.files.csProject, &g.files.csProperties, &g.files.csResources})
        DosCreateDir(dir->c_str(), nullptr);
    g.csStreams[0] = P3109_pOpenOutputFile(g.files.csDdc);
    g.csStreams[1] = P3109_pOpenOutputFile(g.files.csStg);
    g.csStreams[2] = P3109_pOpenOutputFile(g.files.csSbr);
    g.csStreams[3] = P3109_pOpenOutputFile(g.files.csIncl);
    g.csStreams[4] = P3109_pOpenOutputFile(g.files.csTxt);
}

/* Step 18: the text strings file. */
void writeTextStrings(GEN_MODULE_STATE& g)
{
    MLTX_WriteTextStringsFile(g.files.skeletonDirectory, g.files.txt, P3109_ProcessDefinitions().languages,
                              GEN_TARGET_C, GEN_NO_STREAM);
}

void removeOutputs(const GEN_FILE_SET& f, bool csharp)
{
    for (const std::string* name : {&f.c, &f.pgm, &f.sbr, &f.rpt, &f.h, &f.stg, &f.ddc, &f.rc, &f.txt, &f.utw})
        P3109_DeleteFile(*name);
    if (!csharp)
        return;
    for (const std::string* name : {&f.csTxt, &f.csClass, &f.csProj, &f.csSln, &f.csAssemblyInfo, &f.csManifest,
                                    &f.csDdc, &f.csStg, &f.csSbr, &f.csIncl})
        P3109_DeleteFile(*name);
    P3109_RemoveDirectory(f.csProperties);
    /* the resource files the project item group wrote there */
    P3109_DeleteFile(f.csResources + "\\*");
    P3109_RemoveDirectory(f.csResources);
    P3109_RemoveDirectory(f.csProject);
}

/* The four digits of the SYSFLAGS value in the option strings. A value of
** five digits cannot be recorded in four: 9999 is written and a warning
** says so, rather than a different number. */
std::string sysflagDigits()
{
    const char* options = P3109_pFunctionOptions();
    uint16_t value = 0;
    std::memcpy(&value, options + SYSFLAG_SP1_VALUE, sizeof value);
    /* the record's fill bytes (blanks, or the 'N' preset of its flags) carry no value */
    const char first = options[SYSFLAG_SP1_VALUE];
    const char second = options[SYSFLAG_SP1_VALUE + 1];
    if ((first == ' ' && second == ' ') || (first == 'N' && second == 'N'))
        value = 0;
    if (value > 9999) {
        char text[96];
        std::snprintf(text, sizeof text, "WARNING : Option value %u exceeds four digits; 9999 recorded", value);
        P3109_IssueTextMessage('W', text);
        value = 9999;
    }
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04u", value);
    return digits;
}

bool anyOptionForApm()
{
    const GEN_MODULE_STATE& g = P3109_State();
    for (size_t o : {SYSFLAG_ALP_SYSTEM_VARIABLE, SYSFLAG_NUM_SYSTEM_VARIABLE, SYSFLAG_ALP_FIELD_VALIDATE,
                     SYSFLAG_NUM_FIELD_VALIDATE})
        if (P3109_fSysFlag(o))
            return true;
    for (char c : g.derivedOptions)
        if (c == 'Y')
            return true;
    return false;
}

struct Varying {
    uint16_t len = 0;
    char text[256] = {};
};

void updateFunctionRow(GEN_MODULE_STATE& g)
{
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    Varying sp1;
    char sql[1] = {'N'}, apm[1] = {'N'};
    SSQL_SetLocation("DC_P3109/QV_F23/A");
    unsigned short rc = SSQL_DeclareExt(area.get(),
                                        "SELECT X23SP1, X23SQL, X23APM FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' AND "
                                        "X23MOD = '%s' AND X23FMT = '%s'",
                                        g.partition.c_str(), g.process.c_str(), g.function.c_str());
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area.get(), &ca, &da, 3, SSQL_VARYING(&sp1, 100), SSQL_FIXED(sql, 1), SSQL_FIXED(apm, 1));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_NOROW)
        return;
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError("DC_P3109/QV_F23/A");
    std::string value(sp1.text, std::min<size_t>(sp1.len, 100));
    if (value.size() < 17)
        value.resize(17, ' ');
    value.replace(13, 4, sysflagDigits());
    const char newApm = anyOptionForApm() ? 'N' : apm[0];
    const char newSql = g.emit.cSqlIndicator == 'Y' ? 'Y' : 'N';
    SSQL_SetLocation("DC_P3109/QV_F23/B");
    rc = SSQL_DeclareExt(area.get(),
                         "UPDATE QV_DTA.QV_F23 SET   X23SP1 = '%v', X23SQL = '%c', X23APM = '%c' WHERE X23P_I = '%s' "
                         "AND X23MOD = '%s' AND X23FMT = '%s'",
                         static_cast<int>(value.size()), value.c_str(), newSql, newApm, g.partition.c_str(),
                         g.process.c_str(), g.function.c_str());
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area.get(), &ca, &da, 0);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError("DC_P3109/QV_F23/B");
    /* no commit of its own: the row is committed with the rest of the job */
}

void updateComponentRow(GEN_MODULE_STATE& g)
{
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    Varying sp1;
    const std::string component = P3109_TrimRight(std::string_view(g.args.pContext->acComponent, 10));
    SSQL_SetLocation("DC_P3109/QV_F03/A");
    unsigned short rc =
        SSQL_DeclareExt(area.get(), "SELECT X03SP1 FROM QV_DTA.QV_F03 WHERE X03P_I = '%s' AND X03FLD = '%s' ",
                        g.partition.c_str(), component.c_str());
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area.get(), &ca, &da, 1, SSQL_VARYING(&sp1, 256));
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_NOROW)
        return;
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError("DC_P3109/QV_F03/A");
    std::string value(sp1.text, std::min<size_t>(sp1.len, 256));
    if (value.size() < 29)
        value.resize(29, ' ');
    value[23] = g.emit.cSqlIndicator == 'Y' ? 'Y' : 'N';
    value.replace(24, 4, sysflagDigits());
    SSQL_SetLocation("DC_P3109/QV_F03/B");
    rc = SSQL_DeclareExt(area.get(), "UPDATE QV_DTA.QV_F03 SET   X03SP1 = '%v' WHERE X03P_I = '%s' AND X03FLD = '%s'",
                         static_cast<int>(value.size()), value.c_str(), g.partition.c_str(), component.c_str());
    if (rc == SSQL_RC_OK)
        rc = SSQL_sRunExt(area.get(), &ca, &da, 0);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc != SSQL_RC_OK)
        P3109_FatalSqlError("DC_P3109/QV_F03/B");
    /* no commit of its own: the row is committed with the rest of the job */
}

/* The object whose version data the resource script carries: the
** component of a component run, else the function. */
std::string versionObjectName(const GEN_MODULE_STATE& g)
{
    if (g.args.pContext && g.args.pContext->lComponentRun)
        return P3109_TrimRight(std::string_view(g.args.pContext->acComponent, 10));
    return g.function;
}

void issueOptionWarnings(const GEN_EMITTER_FLAGS& e)
{
    if (e.lIgnoredPrecision > 0)
        P3109_sIssueMessage(Msg::OptionIgnored, "PRECISION");
    if (e.lIgnored1030 > 0)
        P3109_sIssueMessage(Msg::OptionsIgnored, " ");
    if (e.lIgnoredRoundUp > 0)
        P3109_sIssueMessage(Msg::OptionIgnored, "ROUND_UP");
    if (e.lIgnored1015 > 0)
        P3109_sIssueMessage(Msg::CommitmentControl, " ");
}

}  // namespace

extern "C" void P3109_GenerateAndWriteFiles(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState,
                                            const FFC_PROCESS_DEFINITION* pProcess,
                                            const FFC_FUNCTION_DEFINITION* pFunction, int32_t lDriverValue,
                                            char cDriverByte1, char* pOptionFlags, char cDriverByte2, char cDriverByte3,
                                            const char* pDriverField3, const char* acMsgQueue, uint16_t usStatusWord,
                                            const char* pszRoot, FFC_MESSAGE_CALLBACK pfnCallback, int32_t lEditor,
                                            uint32_t ulWebPageFlags, int32_t lOptionBit31)
{
    /* 1 */
    P3109_GenerateCode(pContext, pState, pProcess, pFunction, lDriverValue, cDriverByte1, pOptionFlags, cDriverByte2,
                       cDriverByte3, pDriverField3, acMsgQueue, usStatusWord, pszRoot, pfnCallback, lEditor,
                       ulWebPageFlags, lOptionBit31);
    GEN_MODULE_STATE& g = P3109_State();
    const GEN_FILE_SET& f = g.files;
    if (!f.refusal.empty()) {
        /* an object name that cannot name files: refused before anything is written or removed */
        P3109_IssueTextMessage('F', f.refusal);
        P3109_UpdateRepositoryAtEnd();
        return;
    }

    /* 2 */
    status("Deleting existing compiled ZOPH function");
    P3109_DeleteFile(f.dll);

    /* 3-5 */
    g.skeletonIn = P3109_pOpenInputFile(f.mainSkeleton);
    g.skel.currentSkeleton = f.mainSkeleton;
    g.header = P3109_pOpenOutputFile(f.h);
    P3109_CopySkeletonInclude(g.header, "FUN00008.S");
    g.mainC = P3109_pOpenOutputFile(f.c);
    g.stg = P3109_pOpenOutputFile(f.stg);
    if (pContext->lZophxUsed)
        g.ddc = P3109_pOpenOutputFile(f.ddc);
    g.rc = P3109_pOpenOutputFile(f.rc);
    /* the subroutines and reporting routines are read back into the main
       program below: they need no file of their own */
    GEN_WORK_FILE sbrText, rptText;
    g.sbr = sbrText.Open(f.sbr);
    g.rpt = rptText.Open(f.rpt);
    g.out.mainOutput = g.mainC;
    g.out.current = g.mainC;

    /* 6-7 */
    openCSharpSet(g);
    P3109_WriteDashedBoxComment(g.rc, "*** Start of Resource Definitions ***");
    P3109_WriteCSharpClassHeader(g.csStreams[1]);
    CGEN_SetTextLiteralLanguage(f.utw, g.language);

    /* 8-10 */
    checkDiskSpace(g);
    P3109_ResetSkeletonConditions();
    std::string line;
    while (P3109_lAbortWord() == 0 && g.skeletonIn != GEN_NO_STREAM && P3109_fReadSkeletonLine(g.skeletonIn, 1, line)) {
        P3109_SetSkeletonLine(line);
        P3109_ProcessSkeletonLine();
        if (g.skel.cKeep == 'Y')
            P3109_WriteFileLine(1, P3109_SkeletonLineText(), g.out.mainOutput);
    }

    /* 11 */
    if (P3109_lAbortWord() == 0)
        for (int16_t list = 0; list < 3; ++list)
            CGEN_WriteStaticWorkingDeclarations(list, g.stg, g.csStreams[1]);

    /* 12-14: the object's version data into the resource script */
    const bool member = pContext->lCompoundComponent != 0 && pContext->lCurrentPass < pContext->lPassCount;
    if (!member)
        P3109_WriteVersionInfoFromServer(g.rc, versionObjectName(g), g.partition);
    P3109_WriteDashedBoxComment(g.rc, "*** End of Resource Definitions ***");
    P3109_WriteCSharpClassTail(g.csStreams[1]);

    /* 15 */
    P3109_CloseStream(g.skeletonIn);
    P3109_CloseStream(g.header);
    P3109_CloseStream(g.stg);
    P3109_CloseStream(g.csStreams[1]);
    P3109_CloseStream(g.ddc);
    P3109_CloseStream(g.csStreams[0]);
    P3109_CloseStream(g.rc);
    P3109_CloseStream(g.sbr);
    P3109_CloseStream(g.rpt);

    /* 16-17 */
    if (P3109_lAbortWord() == 0) {
        status("Appending ZOPH Subroutines to Main      ");
        sbrText.AppendTo(g.mainC);
        P3109_DeleteFile(f.sbr);
        status("Appending Reporting Routines to Main    ");
        rptText.AppendTo(g.mainC);
        P3109_DeleteFile(f.rpt);
    }
    g.out.current = GEN_NO_STREAM;
    g.out.mainOutput = GEN_NO_STREAM;
    P3109_CloseStream(g.mainC);

    /* 18-20 */
    if (FFC_from_EDITOR())
        status("Creating cross platform text strings    ");
    writeTextStrings(g);
    P3109_ProcessBifSkeleton();
    if (P3109_fCSharpRequested())
        P3109_GenerateCSharpFiles();
    for (GEN_STREAM& s : g.csStreams)
        P3109_CloseStream(s);

    /* 21 */
    if (P3109_lAbortWord() != 0)
        removeOutputs(f, P3109_fCSharpRequested());
    /* whatever is still open must have reached its file before the commit */
    P3109_CloseAllStreams();

    /* 22 */
    P3109_UpdateRepositoryAtEnd();
}

void P3109_DiscardJobFiles()
{
    /* the files themselves are dropped with the job's file work */
    P3109_DropAllStreams();
}

void P3109_EndGeneration()
{
    GEN_MODULE_STATE& g = P3109_State();
    g.usCommandCounter = 0;
    g.guid161.clear();
    g.guid162.clear();
    P3109_FreeWorkBuffers();
    P3109_ClearQueues();
    P3109_ResetChains();
    P3109_ResetListDefinitions();
    P3109_ResetNameServices();
    P3109_Parts().pfnResetReportEmitters();
    P3109_Definitions().conditions.clear();
    P3109_Definitions().renames.clear();
}

void P3109_UpdateRepositoryAtEnd()
{
    GEN_MODULE_STATE& g = P3109_State();
    FFC_CHECK_STATE* st = g.args.pState;
    FFC_CONTEXT* ctx = g.args.pContext;

    /* 1 */
    std::memset(st->acCommand, ' ', sizeof st->acCommand);
    st->lLine = st->lSequence = st->lLineNumber = -1;
    st->pFieldTable = nullptr;

    /* 2-3: option warnings and the storage of the working lists */
    issueOptionWarnings(g.emit);
    if (!g.lListSizeCheckOff)
        P3109_CheckWorkingListStorage();

    /* 4 */
    P3109_EndGeneration();
    CGEN_FreeStaticWorkingLists();
    for (GEN_REPORT_SLOT& s : P3109_Definitions().reports)
        for (auto& b : s.buffers)
            std::vector<char>().swap(b);

    /* 5 */
    if (P3109_lAbortWord() == 0) {
        if (ctx->lFunctionRun)
            updateFunctionRow(g);
        else
            updateComponentRow(g);
    }

    /* 6 */
    if (P3109_lAbortWord() != 0) {
        P31O2_SetSeverityColour(1);
        P31O2_ShowStatusText("VELMO Generator found FATAL ERRORS    ", 38);
    } else if (st->stats.lWarningsLater != 0) {
        P31O2_SetSeverityColour(2);
        P31O2_ShowStatusText("VELMO Generator issued WARNINGS       ", 38);
    } else {
        P31O2_SetSeverityColour(3);
        P31O2_ShowStatusText("VELMO Generator Ended Normally        ", 38);
    }

    /* 7 */
    P3100_IssueCompletionMessages(g.args.acMsgQueue, 0, st->stats.lWarningsTotal, st->stats.lFatalTotal);
    USEDLL_FreeList(&g.pUserDlls);
    if (g.pDebugNames) {
        RBTree_DestroyTree(g.pDebugNames);
        g.pDebugNames = nullptr;
    }
    g.debugNamesEntered.clear();
    P31O2_SetBaseColour(4);
}
