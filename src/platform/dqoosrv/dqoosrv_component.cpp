// Object server: restore of a component's source lines.

#include "platform/dqoo/dqoo_repository.h"
#include "platform/dqoo/dqoo_source.h"
#include "platform/dqoosrv/dqoosrv.h"

#include <string>

namespace {

long toServerStatus(long rc)
{
    switch (rc) {
    case DQOO_OK: return OSRV_OK;
    case DQOO_ERR_NOT_FOUND: return OSRV_ERR_NOT_FOUND;
    case DQOO_ERR_REPOSITORY: return OSRV_ERR_REPOSITORY;
    case DQOO_ERR_ARGUMENT: return OSRV_ERR_ARGUMENT;
    default: return rc;
    }
}

}  // namespace

extern "C" long OSRV_lRestoreComponent(FCC_BUILD_HANDLE*, const OSRV_COMPONENT_NAME* pName,
                                       OSRV_RESTORE_RESULT* pResult, DQOO_SOURCE_COLLECTOR pfnCollect, void*, long)
{
    uint32_t lines = 0;
    long rc = OSRV_ERR_ARGUMENT;
    if (pName != nullptr && pName->pszComponent != nullptr && pfnCollect != nullptr)
        rc = toServerStatus(dqoo::deliverComponentSource(dqoo::trimmedName(pName->pszPartition),
                                                         dqoo::trimmedName(pName->pszComponent), pfnCollect, &lines));
    if (pResult != nullptr) {
        pResult->ulLines = lines;
        pResult->lStatus = static_cast<int32_t>(rc);
    }
    return rc;
}
