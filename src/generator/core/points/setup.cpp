/*
** setup.cpp: the generator's entry and its set-up for one job: names, time
** stamp, per-job state, banners, static working lists, file set and the
** generation definitions.
*/
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/x_tree.h"
#include "generator/core/components/arrays.h"
#include "generator/core/components/description_tables.h"
#include "generator/core/components/field_vector.h"
#include "generator/core/components/multilingual_tables.h"
#include "generator/core/model/bif_parameters.h"
#include "generator/core/model/component_lists.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/file_field_mangling.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/model/web_sections.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/output/file_set.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"
#include "generator/core/points/p3109.h"
#include "generator/core/points/skeleton_engine.h"
#include "platform/dqoz/dqoz.h"

namespace {

constexpr const char kNotice[] = "Generator core of the VELMO environment   "; /* 42 characters */

void show(const std::string& text)
{
    P31O2_ShowStatusText(text.c_str(), static_cast<int16_t>(text.size()));
}

void showBanners(GEN_MODULE_STATE& g)
{
    P31O2_SetBaseColour(3);
    const bool tools = FFC_from_TOOLS() != 0;
    const std::string underscores(80, '_');
    if (tools)
        show(underscores);
    show("VELMO C/C++ Code Translator Invoked   ");
    show(kNotice);
    if (FFC_from_EDITOR())
        show("Pass 3 Code Generation Phase Started    ");
    if (!tools)
        return;
    DQOZ_DATETIME dt{};
    if (DosGetDateTime(&dt) != 0)
        return;
    std::tm tm{};
    tm.tm_year = dt.year - 1900;
    tm.tm_mon = dt.month - 1;
    tm.tm_mday = dt.day;
    tm.tm_hour = dt.hours;
    tm.tm_min = dt.minutes;
    tm.tm_sec = dt.seconds;
    tm.tm_wday = dt.weekday;
    char started[256];
    std::strftime(started, sizeof started, "Started : %H:%M:%S %A %d %B %Y", &tm);
    show(started);
    const FFC_CONTEXT* ctx = g.args.pContext;
    if (ctx->lComponentRun)
        show("Component : " + P3109_TrimRight(std::string_view(ctx->acComponent, 10)));
    else
        show("Process : " + g.process + " Function : " + g.function);
    show(underscores);
}

/* Step 6: every per-job counter, anchor and switch starts afresh. */
void resetJobState(GEN_MODULE_STATE& g)
{
    if (g.pDebugNames)
        RBTree_DestroyTree(g.pDebugNames);
    USEDLL_FreeList(&g.pUserDlls);
    GEN_RUN_ARGUMENTS args = std::move(g.args);
    const char target = g.cTarget;
    const int32_t listCheckOff = g.lListSizeCheckOff;
    const int32_t generatorWord = g.lGeneratorWord;
    std::string nat1 = g.nationalChar1, nat3 = g.nationalChar3;
    g = GEN_MODULE_STATE{};
    g.args = std::move(args);
    g.cTarget = target;
    g.lListSizeCheckOff = listCheckOff;
    g.lGeneratorWord = generatorWord;
    g.nationalChar1 = nat1;
    g.nationalChar3 = nat3;
    P3109_ForgetCommandSurvey();
    P3109_ResetSkeletonConditions();
    P3109_ResetNameServices();
    P3109_ResetChains();
    P3109_ResetListDefinitions();
    P3109_ForgetUsedFields();
    P3109_ResetDescriptionTables();
    P3109_ResetMultilingualTables();
    P3109_ResetSqlFields();
    P3109_ResetFieldHelpers();
    P3109_ResetDataStructures();
    P3109_ResetWebSections();
    P3109_ResetFieldVector();
    P3109_ResetArrays();
    P3109_Parts().pfnResetEmitters();
    P3109_ResetComponentLists();
    P3109_Parts().pfnForgetDirectCode();
}

void seedStaticLists(bool processSwitch)
{
    CGEN_ResetStaticWorkingLists();
    CGEN_AddStaticWorkingEntry(0, "X_ULONG ulStructureSize",
                               "INSTANCE(ulStructureSize) = sizeof( struct FUNCTION_STATIC_GLOBAL_1 );",
                               "public int ulStructureSize", "pGlobal1.ulStructureSize = 0;", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(1, "X_ULONG ulStructureSize",
                               "INSTANCE_S2(ulStructureSize) = sizeof( struct FUNCTION_STATIC_GLOBAL_2 );",
                               "public int ulStructureSize", "pGlobal2.ulStructureSize = 0;", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(
        2, "X_ULONG ulStructureSize", "INSTANCE_S3(ulStructureSize) = sizeof( struct FUNCTION_STATIC_GLOBAL_3 );",
        "public int ulStructureSize", "FunctionGlobalStatic3.ulStructureSize = 0;", GEN_STATIC_ALWAYS);
    (void)processSwitch;
}

void addFurtherStaticVariables(bool processSwitch)
{
    CGEN_AddStaticWorkingEntry(0, "struct X_UIM * pX_UIM", "INSTANCE(pX_UIM) = pX_Ids->pX_UIM;", "public X_UIM pX_UIM",
                               "pGlobal1.pX_UIM = pX_Ids.pX_UIM;", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(0, "X_LONG lEntryCount", "", "public int lEntryCount", "", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(2, "X_SHORT sLangNo", "", "public int sLangNo", "", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(
        2, "X_SHORT scX_Fld", "INSTANCE_S3(scX_Fld) = sizeof(FUNCTION_FIELD_DEF) / sizeof(struct X_FLD);",
        "public int scX_Fld", "FunctionGlobalStatic3.scX_Fld = FUNCTION_FIELD_DEF.Length;", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(2, "X_SHORT scX_List", "", "public int scX_List", "", GEN_STATIC_ALWAYS);
    if (!processSwitch)
        return;
    /* C declarations are no C#: the C# class declares the same members in its own words */
    CGEN_AddStaticWorkingEntry(0, "struct X_FKEY X_FKey[X_FKEY_TOTAL]", "", "public X_FKEY[] X_FKey", "",
                               GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(0, "X_SHORT scX_Parm", "", "public int scX_Parm", "", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(0, "struct X_PARM * pX_Parm", "", "public X_PARM[] pX_Parm", "", GEN_STATIC_ALWAYS);
    /* C#: the slots of the report routines' saved values are an array the
       run time fills, as the C array of pointers is */
    CGEN_AddStaticWorkingEntry(0, "X_PDICTIONARY_FIELD aStorePointers[V_TEMP_STORE_AREAS]", "",
                               "public object[] aStorePointers = new object[V_TEMP_STORE_AREAS]", "",
                               GEN_STATIC_ALWAYS);
}

void formFileSet(GEN_MODULE_STATE& g, int32_t lCheckIn)
{
    FFC_CONTEXT* ctx = g.args.pContext;
    GEN_FILE_SET_INPUT in;
    in.root = g.args.root;
    in.partition = g.partition;
    in.cName = g.cName;
    /* the name the C name was made of, for the refusals */
    in.objectName = ctx->lComponentRun ? P3109_TrimRight(std::string_view(ctx->acComponent, 10)) : g.function;
    in.checkIn = lCheckIn != 0;
    in.compound = ctx->lCompoundComponent != 0;
    in.lPassCount = ctx->lPassCount;
    in.lCurrentPass = ctx->lCurrentPass;
    in.cFieldValidate =
        P3109_fSysFlag(SYSFLAG_ALP_FIELD_VALIDATE) || P3109_fSysFlag(SYSFLAG_NUM_FIELD_VALIDATE) ? 'Y' : 'N';
    in.cSystemVariable =
        P3109_fSysFlag(SYSFLAG_ALP_SYSTEM_VARIABLE) || P3109_fSysFlag(SYSFLAG_NUM_SYSTEM_VARIABLE) ? 'Y' : 'N';
    in.cTrigger = P3109_Definitions().cTrigger;
    in.cBuiltin = P3109_Definitions().cBuiltin;
    /* another object of the partition whose files have the same stem is
       refused before anything is written, created or removed */
    const std::string other = in.lCurrentPass < in.lPassCount && in.compound
                                  ? std::string()
                                  : P3109_StemTakenBy(g.partition, in.cName, ctx->lComponentRun != 0,
                                                      ctx->lComponentRun ? in.objectName : g.function);
    if (!other.empty()) {
        g.files = GEN_FILE_SET{};
        g.files.refusal = "ERROR : Name " + in.objectName + " has the file stem " + in.cName + " of " + other;
        return;
    }
    if (!P3109_FormFileSet(in, g.files, true))
        P3109_InternalError("The root directory path " + g.args.root +
                            " leaves no room for the names of the generated files.");
    g.cName = in.cName;
}

}  // namespace

extern "C" void P3109_GenerateCode(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState,
                                   const FFC_PROCESS_DEFINITION* pProcess, const FFC_FUNCTION_DEFINITION* pFunction,
                                   int32_t lDriverValue, char cDriverByte1, char* pOptionFlags, char cDriverByte2,
                                   char cDriverByte3, const char* pDriverField3, const char* acMsgQueue,
                                   uint16_t usStatusWord, const char* pszRoot, FFC_MESSAGE_CALLBACK pfnCallback,
                                   int32_t lEditor, uint32_t, int32_t lOptionBit31)
{
    GEN_MODULE_STATE& g = P3109_State();
    GEN_RUN_ARGUMENTS& a = g.args;
    a.pContext = pContext;
    a.pState = pState;
    a.pProcess = pProcess;
    a.pFunction = pFunction;
    a.lDriverValue = lDriverValue;
    a.cDriverByte1 = cDriverByte1;
    a.pOptionFlags = pOptionFlags;
    a.cDriverByte2 = cDriverByte2;
    a.cDriverByte3 = cDriverByte3;
    if (pDriverField3)
        std::memcpy(a.acDriverField, pDriverField3, sizeof a.acDriverField);
    std::memset(a.acMsgQueue, ' ', sizeof a.acMsgQueue);
    if (acMsgQueue)
        std::memcpy(a.acMsgQueue, acMsgQueue, sizeof a.acMsgQueue);
    a.usStatusWord = usStatusWord;
    a.root = pszRoot ? pszRoot : "";
    a.pfnCallback = pfnCallback;
    a.lEditor = lEditor;
    g.nationalChar1 = std::string(1, pContext->cNatChar1);
    g.nationalChar3 = std::string(1, pContext->cNatChar3);
    g.lListSizeCheckOff = 0;
    g.lGeneratorWord = 1;
    g.cTarget = GEN_TARGET_C;
    P3109_TranslateFunction(lOptionBit31);
}

void P3109_TranslateFunction(int32_t lCheckIn)
{
    GEN_MODULE_STATE& g = P3109_State();
    FFC_CONTEXT* ctx = g.args.pContext;
    FFC_CHECK_STATE* st = g.args.pState;

    resetJobState(g);

    /* 1-2: names and the object's C name */
    g.partition = P3109_NameText(ctx->acPartition, 3);
    g.language = P3109_NameText(ctx->acLanguage, 4);
    g.process = P3109_NameText(st->acProcess, 10);
    g.function = P3109_NameText(st->acFunction, 7);
    if (ctx->lComponentRun) {
        g.cName = P3109_TrimRight(std::string_view(ctx->szComponentModule, strnlen(ctx->szComponentModule, 8)));
        /* A component without a module identifier would give every file of
           its set an empty base name (".C", ".H", ...): its name, made an
           identifier, stands in. */
        if (g.cName.empty())
            g.cName = P3109_MakeCIdentifierShort(8, std::string_view(ctx->acComponent, 10));
    } else
        g.cName = P3109_MakeCIdentifierShort(7, std::string_view(st->acFunction, 7));
    P3109_CopyBounded(ctx->szObjectCName, sizeof ctx->szObjectCName, g.cName.c_str());

    /* 3: the time stamp of pass 1 */
    if (ctx->lCurrentPass == 1) {
        DQOZ_DATETIME dt{};
        DosGetDateTime(&dt);
        std::snprintf(ctx->szGenerationStamp, sizeof ctx->szGenerationStamp, "%4.4d%2.2d%2.2d%2.2d%2.2d%2.2d",
                      dt.year % 10000, dt.month % 100, dt.day % 100, dt.hours % 100, dt.minutes % 100,
                      dt.seconds % 100);
    }

    /* 4: the outermost block and the check state of generation */
    g.routineName = "*MAIN*****";
    st->lLine = 0;
    st->lLineWord = 0;
    st->pFieldTable = nullptr;
    g.sBlockDepth = -1;
    P3109_PushBlock(false, false, false);
    /* The totals stay as the checker left them: zeroing them here would
       drop the checker's counts from the job's totals while the pass-1 and
       later-pass counts they are the sum of remain. */
    st->lPass = 3;
    st->lLine = -1;
    st->lLineWord = -1;
    st->pFieldTable = nullptr;

    /* 5-6: banners, and the per-job state already reset above */
    showBanners(g);
    g.out.usIndent = 3;
    g.out.sDepth = 0;
    g.out.lMacroContinuation = 0;
    g.out.cSuppress = 'N';

    /* 7: the seed entries of the static working-variable lists */
    const bool processSwitch = ctx->lComponentRun == 0;
    seedStaticLists(processSwitch);

    /* 9: system flags and received parameters */
    P3109_LoadSystemFlags(ctx);
    g.cTargetNext = P3109_Definitions().sysflags[SYSFLAG_TARGET_NEXT];
    g.derivedOptions[3] = P3109_Definitions().cBuiltin;

    /* 10: the file set */
    formFileSet(g, lCheckIn);

    /* 11-17: the definitions */
    P3109_LoadProcessAttributes(ctx, g.partition, g.process);
    P3109_LoadLanguages(g.partition);
    P3109_LoadConditions(ctx);
    P3109_LoadRenameStack(ctx);
    P3109_LoadBuiltinFunctions();
    P3109_LoadBifParameters();
    P3109_LoadComponentDefinitions(ctx, g.partition);
    P3109_LoadComponentLists();
    P3109_LoadDataStructures();
    P3109_LoadReportSlots(ctx);

    /* 18: the index symbols of the two system fields */
    const char third = ctx->cNatChar3 != ' ' && ctx->cNatChar3 != '\0' ? ctx->cNatChar3 : '$';
    g.ioModeField = P3109_UsedFieldSymbol(std::string("IO") + third + "MDE", 6);
    g.cursorLocationField = P3109_UsedFieldSymbol(std::string("CURLOC") + third + "FN", 9);

    /* 19: further static working variables */
    addFurtherStaticVariables(processSwitch);

    /* 20: the user DLL definitions */
    USEDLL_pReadFile((g.args.root + "\\x_velmo\\source\\").c_str(), &g.pUserDlls);

    /* 21: the debugger-name tree */
    g.debugNamesEntered.clear();
    if (RBTree_CreateTree(&g.pDebugNames, 1000) == 0)
        RBTree_DefineKey(g.pDebugNames, 8, 11);
    else
        g.pDebugNames = nullptr;
}
