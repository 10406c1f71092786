// Object server, web services: the stored data of a WAM (QV_OWD) and the
// applications registered for it (QV_OWA).

#include "platform/dqoosrv/dqoosrv_web_store.h"

using namespace osrvweb;

extern "C" long OSRV_XslGetWamData(void* pvUser, const char* pszWam, OSRV_WEB_CALLBACK pfnCallback)
{
    if (pszWam == nullptr || *pszWam == '\0' || pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT XWDLAY, XWDST1, XWDST2 FROM QV_DTA.QV_OWD WHERE XWDP_I = '%s' AND XWDWAM = '%s'",
                    partition().c_str(), pszWam);
    dqoo::Cursor cursor(area, "OSRV/QV_OWD/1");
    if (!cursor.ok())
        return OSRV_ERR_REPOSITORY;
    dqoo::VaryingText<512> layout;
    char settings[2] = {' ', ' '};
    const unsigned short rc = cursor.next(layout.column(), SSQL_FIXED(&settings[0], 1), SSQL_FIXED(&settings[1], 1));
    if (rc == SSQL_RC_END)
        return OSRV_ERR_NOT_FOUND;
    if (rc != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    const std::string name = layout.str();
    OSRV_WAM_DATA data{name.c_str(), settings[0], settings[1]};
    pfnCallback(pvUser, 0, &data);
    return OSRV_OK;
}

extern "C" long OSRV_XslSetWamData(const char* pszWam, const OSRV_WAM_DATA* pData)
{
    if (pszWam == nullptr || *pszWam == '\0' || pData == nullptr)
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "INSERT OR REPLACE INTO QV_DTA.QV_OWD (XWDP_I, XWDWAM, XWDLAY, XWDST1, XWDST2) "
                    "VALUES ('%s', '%s', '%s', '%c', '%c')",
                    partition().c_str(), pszWam, pData->pszLayoutWeblet ? pData->pszLayoutWeblet : "",
                    pData->chSetting1 ? pData->chSetting1 : ' ', pData->chSetting2 ? pData->chSetting2 : ' ');
    return run(area, "OSRV/QV_OWD/2") ? OSRV_OK : OSRV_ERR_REPOSITORY;
}

extern "C" long OSRV_XslRegisterWamApp(const char* pszWam, const char* pszTsp, const char* pszApplication)
{
    if (pszWam == nullptr || *pszWam == '\0' || arg(pszTsp).empty() || arg(pszApplication).empty())
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(
        &area, "INSERT OR IGNORE INTO QV_DTA.QV_OWA (XWAP_I, XWAWAM, XWATSP, XWAAPP) VALUES ('%s', '%s', '%s', '%s')",
        partition().c_str(), pszWam, arg(pszTsp).c_str(), arg(pszApplication).c_str());
    return run(area, "OSRV/QV_OWA/1") ? OSRV_OK : OSRV_ERR_REPOSITORY;
}
