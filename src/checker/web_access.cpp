// The Web Application Modules of a component to be generated: the object
// layer hands each WAM to the callback, which runs the WAM generation and
// adds its counts to the totals of the later passes.
#include "checker/checker.h"
#include "checker/usage.h"

#include "dqov/fatal.h"
#include "dqov/web.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_wam.h"
#include "web/web_library.h"

using namespace checker;

extern "C" {

long P3100_sCountWebAccessCallback(void*, void* pvModule, void* pvArgument, WebAccessModuleEnumerator pfnEnumerator)
{
    Globals& g = G();
    uint32_t counts[2] = {0, 0};
    P3142_WebFunctions().pfnGenerateXMLAndXSLTDocs(pvModule, pvArgument, counts, pfnEnumerator);
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
    const P3142_WEB_FUNCTIONS& web = P3142_WebFunctions();
    web.pfnLoadWebApplicationList(g.ctx);
    long rc = DQOO_FCC_EnumerateWebAccessModules(pBuild, P3100_sCountWebAccessCallback, nullptr);
    web.pfnReleaseWebApplicationList(g.ctx);
    if (rc < 0 && rc != DQOO_ERR_NO_BUILD)
        DQOO_FCC_FatalError("DQOO_FCC_EnumerateWebAccessModules", rc);
}

}  // extern "C"
