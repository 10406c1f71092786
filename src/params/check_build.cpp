// The object layer's build of the job and its component description.
#include "params/check_build.h"

#include "dqov/runcontrol/fatal.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_bom.h"

namespace {

FCC_BUILD_HANDLE* g_build = nullptr;

}  // namespace

extern "C" {

void P3100_SetBuildHandle(FCC_BUILD_HANDLE* pBuild)
{
    g_build = pBuild;
}

/* The job's build while it lasts: the object layer ends it after the job,
** and a check that follows without a job must not reach the ended build. */
FCC_BUILD_HANDLE* P3100_pGetBuildHandle(void)
{
    if (g_build != nullptr && DQOO_FCC_QueryBuild(g_build) != DQOO_OK)
        g_build = nullptr;
    return g_build;
}

const BOM_DESCRIPTION_NODE* P3100_pComponentDescription(void)
{
    FCC_BUILD_HANDLE* build = P3100_pGetBuildHandle();
    BOM_DESCRIPTION_NODE* root = nullptr;
    if (!build)
        return nullptr;
    const long rc = DQOO_FCC_BOM_RetrieveDescription(&build, &root);
    if (rc != DQOO_OK && rc != DQOO_ERR_NOT_FOUND)
        DQOO_FCC_FatalError("DQOO_FCC_BOM_RetrieveDescription", rc);
    return rc == DQOO_OK ? root : nullptr;
}

}  // extern "C"
