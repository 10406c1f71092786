// Object server: restore of a component's source lines, its definition,
// and the names of the objects of a partition.

#include "platform/dqoo/dqoo_repository.h"
#include "platform/dqoo/dqoo_source.h"
#include "platform/dqoosrv/dqoosrv.h"

#include <cstdio>
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

extern "C" long OSRV_lGetComponentDefinition(const OSRV_COMPONENT_NAME* pName, OSRV_COMPONENT_DEFINITION* pDefinition)
{
    if (pName == nullptr || pName->pszComponent == nullptr || pDefinition == nullptr)
        return OSRV_ERR_ARGUMENT;
    *pDefinition = OSRV_COMPONENT_DEFINITION{};
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area, "SELECT XCDKND, XCDMOD FROM QV_DTA.QV_OCD WHERE XCDP_I = '%s' AND XCDCMP = '%s'",
                        dqoo::trimmedName(pName->pszPartition).c_str(),
                        dqoo::trimmedName(pName->pszComponent).c_str()) != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    dqoo::Cursor cursor(area, "OSRV/QV_OCD/1");
    if (!cursor.ok())
        return OSRV_ERR_REPOSITORY;
    int32_t kind = 0;
    dqoo::VaryingText<64> module;
    const unsigned short rc = cursor.next(SSQL_I32(&kind), module.column());
    if (rc == SSQL_RC_END)
        return OSRV_ERR_NOT_FOUND;
    if (rc != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    pDefinition->lKindWord = kind;
    std::snprintf(pDefinition->szModule, sizeof pDefinition->szModule, "%.8s",
                  dqoo::trimmedName(module.str().c_str()).c_str());
    return OSRV_OK;
}

extern "C" long OSRV_lEnumerateObjectNames(const char* pszPartition, OSRV_OBJECT_NAME_CALLBACK pfnCallback,
                                           void* pvUser)
{
    if (pfnCallback == nullptr)
        return OSRV_ERR_ARGUMENT;
    // every component (a stored source, a compound one, a definition) with
    // its module identifier, by name, then every function by name (a
    // function has no module). Two reads: one ordered set of either kind
    // costs the repository far less than the two kinds merged and sorted.
    SSQL_AREA components;
    if (SSQL_DeclareExt(&components,
                        "SELECT N, COALESCE((SELECT XCDMOD FROM QV_DTA.QV_OCD WHERE XCDP_I = '%s' AND XCDCMP = N), '') "
                        "FROM (SELECT XCSCMP AS N FROM QV_DTA.QV_OCS WHERE XCSP_I = '%s' "
                        "UNION SELECT XCMCMP FROM QV_DTA.QV_OCM WHERE XCMP_I = '%s' "
                        "UNION SELECT XCDCMP FROM QV_DTA.QV_OCD WHERE XCDP_I = '%s') ORDER BY N",
                        pszPartition, pszPartition, pszPartition, pszPartition) != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    SSQL_AREA functions;
    if (SSQL_DeclareExt(&functions,
                        "SELECT DISTINCT X23FMT FROM QV_DTA.QV_F23 WHERE X23P_I = '%s' ORDER BY X23FMT",
                        pszPartition) != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    // 1 to go on, 0 when the callback stopped, else the failure
    const auto hand = [&](dqoo::Cursor& cursor, char kind) -> long {
        if (!cursor.ok())
            return OSRV_ERR_REPOSITORY;
        for (;;) {
            dqoo::VaryingText<64> name, module;
            const unsigned short rc = kind == 'C' ? cursor.next(name.column(), module.column())
                                                  : cursor.next(name.column());
            if (rc == SSQL_RC_END)
                return 1;
            if (rc != SSQL_RC_OK)
                return OSRV_ERR_REPOSITORY;
            if (pfnCallback(pvUser, dqoo::trimmedName(name.str().c_str()).c_str(),
                            dqoo::trimmedName(module.str().c_str()).c_str(), kind) != 1)
                return 0;
        }
    };
    long rc;
    {
        dqoo::Cursor cursor(components, "OSRV/OBJECTS/1");
        rc = hand(cursor, 'C');
    }
    if (rc == 1) {
        dqoo::Cursor cursor(functions, "OSRV/OBJECTS/1");
        rc = hand(cursor, 'F');
    }
    return rc == 1 || rc == 0 ? OSRV_OK : rc;
}
