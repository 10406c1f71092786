// The Web Application Modules of a component to be generated: the object
// layer hands each WAM to the callback, which runs the WAM generation and
// adds its counts to the totals of the later passes.
#include "checker/checker.h"
#include "checker/usage.h"
#include "checker/web_access.h"

#include "dqov/runcontrol/fatal.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_wam.h"

using namespace checker;

namespace {

const P3142_WEB_FUNCTIONS& (*g_webFunctions)() = nullptr;

const P3142_WEB_FUNCTIONS& webFunctions()
{
    if (!g_webFunctions)
        FFC_Fatal_Error("The component's Web Application Modules cannot be generated: no web library is installed.");
    return g_webFunctions();
}

}  // namespace

void P3100_UseWebFunctions(const P3142_WEB_FUNCTIONS& (*pfnWebFunctions)())
{
    g_webFunctions = pfnWebFunctions;
}

extern "C" {

long P3100_sCountWebAccessCallback(void*, void* pvModule, void* pvArgument, WebAccessModuleEnumerator pfnEnumerator)
{
    Globals& g = G();
    uint32_t counts[2] = {0, 0};
    webFunctions().pfnGenerateXMLAndXSLTDocs(pvModule, pvArgument, counts, pfnEnumerator);
    if (g.state) {
        FFC_RUN_STATISTICS& s = g.state->stats;
        s.lWarningsTotal += static_cast<int32_t>(counts[0]);
        s.lWarningsLater += static_cast<int32_t>(counts[0]);
        s.lFatalTotal += static_cast<int32_t>(counts[1]);
        s.lFatalLater += static_cast<int32_t>(counts[1]);
    }
    return 0;
}

void P3100_GenerateWebAccessModules(FCC_BUILD_HANDLE* pBuild)
{
    Globals& g = G();
    const P3142_WEB_FUNCTIONS& web = webFunctions();
    web.pfnLoadWebApplicationList(g.ctx);
    long rc = DQOO_FCC_EnumerateWebAccessModules(pBuild, P3100_sCountWebAccessCallback, nullptr);
    web.pfnReleaseWebApplicationList(g.ctx);
    if (rc < 0 && rc != DQOO_ERR_NO_BUILD)
        DQOO_FCC_FatalError("DQOO_FCC_EnumerateWebAccessModules", rc);
}

}  // extern "C"
