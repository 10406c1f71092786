// The checker as a step of the run driver: the driver's seam calls it once
// in every pass with the run context, the check state and the build.
#include "checker/checker.h"

#include <cstring>
#include <string>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/run_driver.h"

namespace {
int32_t html = 0, xml = 0;
}

extern "C" {

void P3100_GetWebOutputRequests(int32_t* plHtml, int32_t* plXml)
{
    if (plHtml)
        *plHtml = html;
    if (plXml)
        *plXml = xml;
}

int32_t P3100_lRunCheckerStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild)
{
    static char functionKind[3];
    static char optionFlags[999];
    static char switch6 = 'N', switch8 = 'N', switch9 = 'N';
    // The page requests of the run: the option word's bits 13 (HTML) and
    // 14 (XML) together with the process's option positions 14 and 15.
    html = xml = 0;
    if (pContext->lFunctionRun) {
        FFC_PROCESS_DEFINITION process{};
        std::string name(pContext->acProcess, strnlen(pContext->acProcess, 10));
        name.erase(name.find_last_not_of(' ') + 1);
        char padded[10];
        checker::Pad(padded, 10, name);
        if (P310C_sLoadProcessDefinition(pContext, padded, &process) == 0) {
            auto requested = [&](int bit, size_t position) {
                return (pContext->ulOptionBits & (1u << bit)) && process.usOptionsLength > position &&
                       process.acOptions[position] == 'Y';
            };
            html = requested(13, 13) ? 1 : 0;
            xml = requested(14, 14) ? 1 : 0;
        }
    }
    P3100_SetBuildHandle(static_cast<FCC_BUILD_HANDLE*>(pBuild));
    FFC_EDITOR_SOURCE_ANCHOR* anchor = P31O2_pGetEditorSourceAnchor();
    P3100_SetEditorSource(anchor ? static_cast<SZOPH_LIST*>(anchor->pCommands) : nullptr);
    std::memcpy(pState->acScope, pContext->cOption == 'D' ? "X3" : "X1", 2);
    const char* root = pContext->pSystemDefinition ? pContext->pSystemDefinition->szRootDirectory : "";
    uint16_t status = 0;
    // The layouts read the process's menu style and the function's name
    // from the definitions the driver loaded for the pass.
    void* process = const_cast<FFC_PROCESS_DEFINITION*>(P31O2_pGetProcessDefinition());
    void* function = const_cast<FFC_FUNCTION_DEFINITION*>(P31O2_pGetFunctionDefinition());
    P3100_RunChecker(pContext, pState, process, function, functionKind, &switch6, optionFlags, &switch8, &switch9, "   ",
                     FFC_JOB_MSG_QUEUE, &status, root, nullptr, nullptr, pContext->lFunctionRun, &html, &xml, nullptr,
                     nullptr, nullptr, nullptr, nullptr);
    P3100_SetEditorSource(nullptr);
    return status == 65535 ? DC_P31O2_SOURCE_FAILED : 0;
}

}  // extern "C"
