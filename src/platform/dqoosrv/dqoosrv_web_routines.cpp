// Object server, web services: the stored documents of web routines
// (QV_OWX, texts in QV_OWT).  A stylesheet is stored per language and
// technology-service application; the runtime-data document has neither.

#include "platform/dqoosrv/dqoosrv_web_store.h"

#include <vector>

using namespace osrvweb;

namespace {

// The documents of the web routine matching the key (an empty language,
// TSP or application matches any); *failed on failure.
std::vector<long> documents(const std::string& wam, const std::string& routine, const char* language, const char* tsp,
                            const char* application, bool runtimeData, bool* failed)
{
    *failed = false;
    std::vector<long> found;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "SELECT XWXDOC, XWXLNG, XWXTSP, XWXAPP FROM QV_DTA.QV_OWX WHERE XWXP_I = '%s' AND XWXWAM = '%s' "
                    "AND XWXWRN = '%s' ORDER BY XWXLNG, XWXTSP, XWXAPP",
                    partition().c_str(), wam.c_str(), routine.c_str());
    dqoo::Cursor cursor(area, "OSRV/QV_OWX/1");
    if (!cursor.ok()) {
        *failed = true;
        return found;
    }
    const auto matches = [](const char* wanted, const dqoo::VaryingText<64>& stored) {
        return wanted == nullptr || *wanted == '\0' || stored.str() == arg(wanted);
    };
    for (;;) {
        int32_t document = 0;
        dqoo::VaryingText<64> storedLanguage, storedTsp, storedApplication;
        const unsigned short rc =
            cursor.next(SSQL_I32(&document), storedLanguage.column(), storedTsp.column(), storedApplication.column());
        if (rc == SSQL_RC_END)
            return found;
        if (rc != SSQL_RC_OK) {
            *failed = true;
            return found;
        }
        if (runtimeData != (storedTsp.length == 0))
            continue;
        if (matches(language, storedLanguage) && matches(tsp, storedTsp) && matches(application, storedApplication))
            found.push_back(document);
    }
}

long saveDocument(const char* wam, const std::string& language, const OSRV_WEBROUTINE_DOCUMENT* doc, bool stylesheet)
{
    if (arg(wam).empty() || doc == nullptr || arg(doc->pszWebRoutine).empty() || doc->pszText == nullptr)
        return OSRV_ERR_INVALID;
    const std::string tsp = stylesheet ? arg(doc->pszTsp) : "",
                      application = stylesheet ? arg(doc->pszApplication) : "";
    if (stylesheet && (language.empty() || tsp.empty() || application.empty()))
        return OSRV_ERR_INVALID;
    const std::string routine = arg(doc->pszWebRoutine);
    bool failed = false;
    const std::vector<long> old = documents(arg(wam), routine, language.empty() ? "" : language.c_str(), tsp.c_str(),
                                            application.c_str(), !stylesheet, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    long document = 0;
    if (!storeText(doc->pszText, &document))
        return OSRV_ERR_REPOSITORY;
    for (long id : old)
        if (!dropText(id))
            return OSRV_ERR_REPOSITORY;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "INSERT OR REPLACE INTO QV_DTA.QV_OWX (XWXP_I, XWXWAM, XWXWRN, XWXLNG, XWXTSP, XWXAPP, XWXDOC) "
                    "VALUES ('%s', '%s', '%s', '%s', '%s', '%s', %ld)",
                    partition().c_str(), arg(wam).c_str(), routine.c_str(), language.c_str(), tsp.c_str(),
                    application.c_str(), document);
    return run(area, "OSRV/QV_OWX/2") ? OSRV_OK : OSRV_ERR_REPOSITORY;
}

}  // namespace

extern "C" long OSRV_XslWebRoutineExist(const char* pszWam, const char* pszWebRoutine, const char* pszLanguage,
                                        const char* pszTsp, const char* pszApplication, long)
{
    if (arg(pszWam).empty() || arg(pszWebRoutine).empty())
        return OSRV_ERR_INVALID;
    bool failed = false;
    std::vector<long> found =
        documents(arg(pszWam), arg(pszWebRoutine), pszLanguage, pszTsp, pszApplication, false, &failed);
    // Asked without a language, TSP and application: any document counts.
    if (!failed && found.empty() && arg(pszLanguage).empty() && arg(pszTsp).empty() && arg(pszApplication).empty())
        found = documents(arg(pszWam), arg(pszWebRoutine), nullptr, nullptr, nullptr, true, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    return found.empty() ? OSRV_ERR_NOT_FOUND : OSRV_OK;
}

extern "C" long OSRV_XslDeleteWebRoutine(const char* pszWam, const char* pszWebRoutine, long, long, long)
{
    if (arg(pszWam).empty() || arg(pszWebRoutine).empty())
        return OSRV_ERR_INVALID;
    bool failed = false;
    std::vector<long> all = documents(arg(pszWam), arg(pszWebRoutine), nullptr, nullptr, nullptr, false, &failed);
    if (!failed) {
        const std::vector<long> data =
            documents(arg(pszWam), arg(pszWebRoutine), nullptr, nullptr, nullptr, true, &failed);
        all.insert(all.end(), data.begin(), data.end());
    }
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (all.empty())
        return OSRV_ERR_NOT_FOUND;
    for (long id : all)
        if (!dropText(id))
            return OSRV_ERR_REPOSITORY;
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "DELETE FROM QV_DTA.QV_OWX WHERE XWXP_I = '%s' AND XWXWAM = '%s' AND XWXWRN = '%s'",
                    partition().c_str(), arg(pszWam).c_str(), arg(pszWebRoutine).c_str());
    return run(area, "OSRV/QV_OWX/3") ? OSRV_OK : OSRV_ERR_REPOSITORY;
}

extern "C" long OSRV_XslWebRoutineLangCount(void* pvUser, void* pvApplication, const char* pszWam,
                                            const char* pszWebRoutine, const char* pszTsp, const char* pszApplication,
                                            OSRV_LANGCOUNT_CALLBACK pfnCallback)
{
    if (arg(pszWam).empty() || arg(pszWebRoutine).empty() || arg(pszTsp).empty() || arg(pszApplication).empty() ||
        pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "SELECT COUNT(DISTINCT XWXLNG) FROM QV_DTA.QV_OWX WHERE XWXP_I = '%s' AND XWXWAM = '%s' AND "
                    "XWXWRN = '%s' AND XWXTSP = '%s' AND XWXAPP = '%s'",
                    partition().c_str(), arg(pszWam).c_str(), arg(pszWebRoutine).c_str(), arg(pszTsp).c_str(),
                    arg(pszApplication).c_str());
    long languages = count(area, "OSRV/QV_OWX/4");
    if (languages < 0)
        return OSRV_ERR_REPOSITORY;
    pfnCallback(pvUser, pvApplication, &languages);
    return OSRV_OK;
}

extern "C" long OSRV_SaveWebRoutineXslData(void*, void*, const OSRV_WEBROUTINE_XSL_REQUEST* pRequest)
{
    if (pRequest == nullptr)
        return OSRV_ERR_INVALID;
    return saveDocument(pRequest->pszWam, arg(pRequest->pszLanguage), pRequest->pDocument, true);
}

extern "C" long OSRV_SaveWebRoutineXmlData(void*, void*, const OSRV_WEBROUTINE_XML_REQUEST* pRequest)
{
    if (pRequest == nullptr)
        return OSRV_ERR_INVALID;
    return saveDocument(pRequest->pszWam, "", pRequest->pDocument, false);
}

extern "C" long OSRV_LoadWebRoutineXmlData(void*, void* pvUser, const char* pszWam, const char* pszWebRoutine,
                                           long* plResult, OSRV_WEB_CALLBACK pfnCallback)
{
    if (arg(pszWam).empty() || arg(pszWebRoutine).empty() || pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    bool failed = false;
    const std::vector<long> found =
        documents(arg(pszWam), arg(pszWebRoutine), nullptr, nullptr, nullptr, true, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (found.empty())
        return OSRV_ERR_NOT_FOUND;
    std::string text;
    if (!loadText(found.front(), text))
        return OSRV_ERR_REPOSITORY;
    const std::string routine = arg(pszWebRoutine);
    OSRV_WEBROUTINE_DOCUMENT doc{routine.c_str(), nullptr, nullptr, 0, text.empty() ? nullptr : text.c_str(), 0, 0};
    const long answer = pfnCallback(pvUser, 0, &doc);
    if (plResult != nullptr)
        *plResult = answer;
    return OSRV_OK;
}
