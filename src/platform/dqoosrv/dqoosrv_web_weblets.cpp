// Object server, web services: weblet stylesheets (QV_OWB, texts in
// QV_OWT) and the weblets' locks (QV_OWK).  A weblet's base stylesheet is
// stored with an empty technology service and application.

#include "platform/dqoosrv/dqoosrv_web_store.h"

#include <unistd.h>

#include <vector>

using namespace osrvweb;

namespace {

// The lock owner of this job.
std::string owner()
{
    return "JOB" + std::to_string(static_cast<long>(getpid()));
}

struct StoredWeblet {
    long document = 0;
    int32_t date = 0;
    int32_t time = 0;
    char readOnly = 'N';
};

// The stored row of the weblet; std::nullopt when none, *failed on failure.
std::optional<StoredWeblet> findWeblet(const std::string& weblet, const std::string& language, const std::string& tsp,
                                       const std::string& application, bool* failed)
{
    *failed = false;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "SELECT XWBDOC, XWBMDT, XWBMTM, XWBRDO FROM QV_DTA.QV_OWB WHERE XWBP_I = '%s' AND XWBNAM = '%s' "
                    "AND XWBLNG = '%s' AND XWBTSP = '%s' AND XWBAPP = '%s'",
                    partition().c_str(), weblet.c_str(), language.c_str(), tsp.c_str(), application.c_str());
    dqoo::Cursor cursor(area, "OSRV/QV_OWB/1");
    if (!cursor.ok()) {
        *failed = true;
        return std::nullopt;
    }
    StoredWeblet row;
    int32_t document = 0;
    const unsigned short rc =
        cursor.next(SSQL_I32(&document), SSQL_I32(&row.date), SSQL_I32(&row.time), SSQL_FIXED(&row.readOnly, 1));
    if (rc == SSQL_RC_END)
        return std::nullopt;
    if (rc != SSQL_RC_OK) {
        *failed = true;
        return std::nullopt;
    }
    row.document = document;
    return row;
}

// The job that holds the weblet's lock ("" when it is not locked).
std::optional<std::string> lockOwner(const std::string& weblet, bool* failed)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT XWKOWN FROM QV_DTA.QV_OWK WHERE XWKP_I = '%s' AND XWKNAM = '%s'",
                    partition().c_str(), weblet.c_str());
    return firstText(area, "OSRV/QV_OWK/1", failed);
}

bool lockWeblet(const std::string& weblet)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "INSERT OR IGNORE INTO QV_DTA.QV_OWK (XWKP_I, XWKNAM, XWKOWN) VALUES ('%s', '%s', '%s')",
                    partition().c_str(), weblet.c_str(), owner().c_str());
    return run(area, "OSRV/QV_OWK/2");
}

// Replaces (or adds) the stylesheet of the row's key; false on failure.
bool storeWeblet(const std::string& weblet, const std::string& description, const std::string& language,
                 const std::string& tsp, const std::string& application, const char* xsl,
                 const std::optional<StoredWeblet>& old)
{
    long document = 0;
    if (!storeText(xsl, &document))
        return false;
    if (old && !dropText(old->document))
        return false;
    int32_t date = 0, time = 0;
    stamp(&date, &time);
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "INSERT OR REPLACE INTO QV_DTA.QV_OWB (XWBP_I, XWBNAM, XWBLNG, XWBTSP, XWBAPP, XWBDSC, XWBDOC, "
                    "XWBMDT, XWBMTM, XWBRDO) VALUES ('%s', '%s', '%s', '%s', '%s', '%s', %ld, %ld, %ld, 'N')",
                    partition().c_str(), weblet.c_str(), language.c_str(), tsp.c_str(), application.c_str(),
                    description.c_str(), document, static_cast<long>(date), static_cast<long>(time));
    return run(area, "OSRV/QV_OWB/2");
}

}  // namespace

extern "C" long OSRV_XslWebletExist(const char* pszWeblet, const char* pszLanguage, const char* pszTsp,
                                    const char* pszApplication, long)
{
    if (arg(pszWeblet).empty())
        return OSRV_ERR_INVALID;
    bool failed = false;
    const auto row = findWeblet(arg(pszWeblet), arg(pszLanguage), arg(pszTsp), arg(pszApplication), &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    return row ? OSRV_OK : OSRV_ERR_NOT_FOUND;
}

extern "C" long OSRV_XslLoadWeblet(void* pvUser, const char* pszWeblet, const char* pszLanguage, const char* pszTsp,
                                   const char* pszApplication, long* plResult, OSRV_WEB_CALLBACK pfnCallback, long,
                                   long, long)
{
    if (arg(pszWeblet).empty() || pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    bool failed = false;
    const auto row = findWeblet(arg(pszWeblet), arg(pszLanguage), arg(pszTsp), arg(pszApplication), &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (!row)
        return OSRV_ERR_NOT_FOUND;
    std::string xsl;
    if (!loadText(row->document, xsl))
        return OSRV_ERR_REPOSITORY;
    const std::string tsp = arg(pszTsp), application = arg(pszApplication);
    OSRV_WEBLET_RECORD record{tsp.c_str(), application.c_str(), 0, xsl.c_str(), row->date, row->time};
    const long answer = pfnCallback(pvUser, 0, &record);
    if (plResult != nullptr)
        *plResult = answer;
    if (answer == 0)
        return OSRV_ERR_CALLBACK;
    return OSRV_OK;
}

extern "C" long OSRV_XslSaveWeblet(const OSRV_WEBLET_NAME* pName, const OSRV_WEBLET_DATA* pTsp,
                                   const OSRV_WEBLET_DATA* pBase, const char* pszLanguage)
{
    const OSRV_WEBLET_DATA* data = pTsp != nullptr ? pTsp : pBase;
    if (pName == nullptr || arg(pName->pszWeblet).empty() || arg(pszLanguage).empty() || data == nullptr ||
        data->pszXsl == nullptr ||
        (pTsp != nullptr && (arg(pTsp->pszTsp).empty() || arg(pTsp->pszApplication).empty())))
        return OSRV_ERR_INVALID;
    const std::string weblet = arg(pName->pszWeblet), language = arg(pszLanguage);
    const std::string tsp = pTsp != nullptr ? arg(pTsp->pszTsp) : "";
    const std::string application = pTsp != nullptr ? arg(pTsp->pszApplication) : "";
    bool failed = false;
    const std::optional<std::string> holder = lockOwner(weblet, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (holder && *holder != owner())
        return OSRV_ERR_LOCKED;
    const auto old = findWeblet(weblet, language, tsp, application, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (old && old->readOnly == 'Y')
        return OSRV_ERR_READ_ONLY;
    if (!storeWeblet(weblet, pName->pszDescription ? pName->pszDescription : "", language, tsp, application,
                     data->pszXsl, old))
        return OSRV_ERR_REPOSITORY;
    return lockWeblet(weblet) ? OSRV_OK : OSRV_ERR_REPOSITORY;
}

extern "C" long OSRV_UnlockWeblet(const char* pszWeblet, long)
{
    if (arg(pszWeblet).empty())
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "DELETE FROM QV_DTA.QV_OWK WHERE XWKP_I = '%s' AND XWKNAM = '%s' AND XWKOWN = '%s'",
                    partition().c_str(), arg(pszWeblet).c_str(), owner().c_str());
    return run(area, "OSRV/QV_OWK/3") ? OSRV_OK : OSRV_ERR_REPOSITORY;
}

extern "C" long OSRV_XslEnumWebletApps(void* pvUser, long, const char* pszWeblet, const char* pszLanguage, long,
                                       OSRV_WEB_CALLBACK pfnCallback)
{
    if (arg(pszWeblet).empty() || pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "SELECT XWBTSP, XWBAPP FROM QV_DTA.QV_OWB WHERE XWBP_I = '%s' AND XWBNAM = '%s' AND XWBLNG = '%s' "
                    "AND XWBTSP <> '' ORDER BY XWBTSP, XWBAPP",
                    partition().c_str(), arg(pszWeblet).c_str(), arg(pszLanguage).c_str());
    std::vector<std::pair<std::string, std::string>> applications;
    {
        dqoo::Cursor cursor(area, "OSRV/QV_OWB/3");
        if (!cursor.ok())
            return OSRV_ERR_REPOSITORY;
        for (;;) {
            dqoo::VaryingText<64> tsp, application;
            const unsigned short rc = cursor.next(tsp.column(), application.column());
            if (rc == SSQL_RC_END)
                break;
            if (rc != SSQL_RC_OK)
                return OSRV_ERR_REPOSITORY;
            applications.emplace_back(tsp.str(), application.str());
        }
    }
    if (applications.empty())
        return OSRV_ERR_NOT_FOUND;
    // The cursor is closed before the callbacks: they may load weblets.
    for (const auto& [tsp, application] : applications) {
        OSRV_TSP_APPLICATION_PAIR pair{tsp.c_str(), application.c_str()};
        if (pfnCallback(pvUser, 0, &pair) == 0)
            return OSRV_ERR_CALLBACK;
    }
    return OSRV_OK;
}
