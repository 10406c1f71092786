/*
** object_data.cpp: the component description and the version data of the
** object being generated.
*/
#include "generator/core/model/object_data.h"

#include "checker/checker.h"
#include "dqov/runcontrol/fatal.h"
#include "generator/core/model/version_resource.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/services.h"
#include "platform/dqoo/dqoo.h"

namespace {

/* The request as the callback receives it back. */
struct VersionRequest {
    OSRV_DATA_REQUEST request;
    GEN_STREAM stream;
    long lRecords;
};

/* The version resource of one record (none: the defaults) at base indent 5. */
void writeVersionInfo(GEN_STREAM stream, OSRV_VERSION_DATA* pRecord)
{
    const GEN_MODULE_STATE& g = P3109_State();
    RCGEN_CONTEXT context{stream, pRecord, g.cName, g.partition};
    RCGEN_WriteVersionInfo(stream, context, 5);
}

}  // namespace

const BOM_DESCRIPTION_NODE* P3109_pRetrieveDescription()
{
    GEN_MODULE_STATE& g = P3109_State();
    g.pDescription = nullptr;
    /* the build the run driver handed to the generator, else the checker's */
    auto* build = static_cast<FCC_BUILD_HANDLE*>(P3109_pBuildHandle());
    if (!build)
        build = P3100_pGetBuildHandle();
    if (!build)
        return nullptr;
    BOM_DESCRIPTION_NODE* root = nullptr;
    const long rc = DQOO_FCC_BOM_RetrieveDescription(&build, &root);
    /* no description is a component without one; any other failure ends the job */
    if (rc != DQOO_OK && rc != DQOO_ERR_NOT_FOUND)
        DQOO_FCC_FatalError("DQOO_FCC_BOM_RetrieveDescription", rc);
    if (rc != DQOO_OK)
        return nullptr;
    g.pDescription = root;
    return root;
}

void P3109_WriteVersionInfoFromServer(GEN_STREAM stream, const std::string& objectName, const std::string& partition)
{
    VersionRequest rq{{nullptr, objectName.c_str(), partition.c_str()}, stream, 0};
    rq.request.pvStream = &rq;
    long rc = OSRV_GetData(nullptr, &rq.request, OSRV_DATA_VERSION, nullptr, nullptr, nullptr,
                           P3109_WriteVersionInfoCallback);
    /* the version data lie in the repository: a failed query is a fatal SQL error at its own location */
    if (rc == OSRV_ERR_REPOSITORY)
        P3109_FatalSqlError(std::string(SSQL_pszLocation()).c_str());
    /* every module carries a version resource: without version data of
       the object's own, the block holds the defaults */
    if (rq.lRecords == 0)
        writeVersionInfo(stream, nullptr);
}

extern "C" long P3109_WriteVersionInfoCallback(void* pvUser, long, void* pvRecord)
{
    auto* request = static_cast<OSRV_DATA_REQUEST*>(pvUser);
    if (!request || !pvRecord)
        return 1;
    auto* rq = static_cast<VersionRequest*>(request->pvStream);
    if (!rq)
        return 1;
    ++rq->lRecords;
    writeVersionInfo(rq->stream, static_cast<OSRV_VERSION_DATA*>(pvRecord));
    return 1;
}
