// Every entry point of run control is exported from the library.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

#include "support/commands.h"

namespace {

constexpr const char* kEntryPoints[] = {
    "dc_p31o2",
    "FFC_Set_Run_Mode",
    "FFC_from_EDITOR",
    "FFC_from_TOOLS",
    "FFC_TOOLS_Message",
    "FFC_Fatal_Error",
    "FFC_SQL_Error",
    "DQOO_FCC_FatalError",
    "PassPaintStrPtr",
    "VALID_InitServices",
    "VALID_CreateMsgQueue",
    "VALID_DisplayMessages",
    "VALID_ClearMessages",
    "VALID_CloseMsgQueue",
    "VALID_Die",
    "VALID_Get_Build_Number",
    "X_GetIdentificationPtr",
    "DC_P9006",
    "qvrmm1",
    "qvrmm4",
    "qvrmm5",
    "qvrms3",
    "qvrms4",
    "QVRMM_sPutEntry",
    "QVRMM_sGetEntry",
    "RBTree_CreateTree",
    "RBTree_DefineKey",
    "RBTree_DefineDescendingKey",
    "RBTree_DefineData",
    "RBTree_PutEntry",
    "RBTree_UpdateEntry",
    "RBTree_GetEntry",
    "RBTree_GetEntry_Direct",
    "RBTree_DeleteEntry",
    "RBTree_PositiontoFirst",
    "RBTree_PositiontoLast",
    "RBTree_PositiontoKey",
    "RBTree_GetNextEntry",
    "RBTree_GetPrevEntry",
    "RBTree_GetEntryCount",
    "RBTree_GetLastError",
    "RBTree_DestroyTree",
    "Get_Function_Field",
    "Get_Function_Field_Allow_Component",
    "FIX_MoveLeft",
    "FIX_MoveLeftB",
    "FIX_MoveLeftC",
    "FIX_MoveLeftD",
    "FIX_MoveLeftE",
    "FIX_MoveLeftF",
    "FIX_MoveLeftG",
    "FIX_MoveRight",
    "FIX_MoveRightB",
    "FIX_MoveRightC",
    "FIX_MoveRightD",
    "FIX_FillBlanksB",
    "FIX_FillBlanksC",
    "FIX_FillBlanksD",
    "FIX_FillHighValues",
    "FIX_FillLowValues",
    "FIX_lDigitsToLong",
    "FIX_LongToDigits",
    "FIX_MoveLongRight",
    "FIX_MoveLongRightB",
    "FIX_CentreText",
    "LoadPaddedBuffer",
    "MEM_pAllocFilled",
    "MEM_pAllocZeroed",
    "WF_BlankRecord",
    "WF_lWrite",
    "WF_cReadFirst",
    "WF_cReadFirstBySecondKey",
    "WF_cReadNext",
    "WF_cUpdate",
    "WF_cUpdateBySecondKey",
    "WF_cDelete",
    "WF_cDeleteBySecondKey",
    "RS_PutCommandRecord",
    "RS_fFindCommandRecord",
    "RS_PutCommandExtension",
    "RS_fFindCommandExtension",
    "RS_PutSourceRecord",
    "RS_fFindSourceRecord",
    "RS_sAddRunMessage",
    "RS_sCreateMessageStore",
    "RS_sDestroyMessageStore",
    "P9006_sQueueMessage",
    "P9006_sEmptyMessageQueue",
    "P31O2_ShowStatusText",
    "P31O2_SetBaseColour",
    "P31O2_SetSeverityColour",
    "P31O2_IssueText",
    "P31O2_ListRunMessages",
    "P31O2_ulPushLabelNumber",
    "P31O2_ulPopLabelNumber",
    "P31O2_ResetLabelNumbers",
    "P31O2_SendProgressStep",
    "P31O2_pGetCurrentRunContext",
    "P31O2_SetCurrentRunContext",
    "P31O2_pGetCurrentOptionWords",
    "P31O2_SetCurrentOptionWords",
    "P31O2_FreeRunContext",
    "P31O2_fCollectComponentSourceLine",
    "P31O2_sPainterCommand",
    "P31O2_sPainterRequest5",
    "P31O2_sPainterRequest6",
    "P31O2_sPainterRequest8",
    "P31O2_sPainterRequest11",
    "P31O2_sPainterRequest13",
    "P31O2_PainterRequest16",
    "P31O2_AddPainterObject",
    "P31O2_FreePainterObjects",
    "USEDLL_pReadFile",
    "USEDLL_pFindEntry",
    "USEDLL_WritePrototypes",
    "USEDLL_CopySkeletons",
    "USEDLL_FreeList",
    "P310C_ScanFieldAttributeCodes",
    "P31O2_AskSaveReportImage",
    "P31O2_LoadRunEnvironment",
    "P31O2_pGetEditorSourceAnchor",
    "P31O2_SetRunSeams",
    "P31O2_sStartProgress",
    "P31O2_StopProgress",
};

TEST(Exports, EveryEntryPointIsInTheDynamicSymbolTable)
{
    std::string lib = (std::filesystem::path(testsupport::toolPath()).parent_path() / "libdqov.so").string();
    ASSERT_TRUE(std::filesystem::exists(lib)) << lib;
    const testsupport::CommandResult nm =
        testsupport::runCommand("nm -D --defined-only " + testsupport::shellQuote(lib), testsupport::Errors::Kept);
    ASSERT_EQ(nm.status, 0);
    std::set<std::string> defined;
    std::istringstream lines(nm.out);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string address, kind, name;
        if (fields >> address >> kind >> name && (kind == "T" || kind == "W"))
            defined.insert(name);
    }
    for (const char* name : kEntryPoints)
        EXPECT_TRUE(defined.count(name)) << name << " is not exported with C linkage";
}

}  // namespace
