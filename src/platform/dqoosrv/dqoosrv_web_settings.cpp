// Object server, web services: the settings of the environment's web
// generation (table QV_OWS), the technology-service applications (QV_OTA)
// and the languages' code pages (QV_OLC).

#include "platform/dqoosrv/dqoosrv_web_store.h"
#include "platform/qvutil/qvutil.h"

#include <cstring>

using namespace osrvweb;

namespace {

// The setting of the key; std::nullopt when it is not set.
std::optional<std::string> setting(const std::string& key, bool* failed)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT XWSVAL FROM QV_DTA.QV_OWS WHERE XWSKEY = '%s'", key.c_str());
    return firstText(area, "OSRV/QV_OWS/1", failed);
}

// Hands the setting (or NULL) to the callback.
long handSetting(const std::string& key, void* user, OSRV_WEB_CALLBACK callback)
{
    if (callback == nullptr)
        return OSRV_ERR_INVALID;
    bool failed = false;
    const std::optional<std::string> value = setting(key, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    callback(user, 0, value ? const_cast<char*>(value->c_str()) : nullptr);
    return OSRV_OK;
}

long copySetting(const char* key, char* buffer, long size)
{
    if (buffer == nullptr || size < 1)
        return OSRV_ERR_INVALID;
    buffer[0] = '\0';
    bool failed = false;
    const std::optional<std::string> value = setting(key, &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (!value)
        return OSRV_ERR_NOT_FOUND;
    if (value->size() >= static_cast<size_t>(size))
        return OSRV_ERR_INVALID;
    std::memcpy(buffer, value->c_str(), value->size() + 1);
    return OSRV_OK;
}

}  // namespace

extern "C" long OSRV_GetGlobalParamData(void*, void* pvUser, long lId, OSRV_WEB_CALLBACK pfnCallback)
{
    return handSetting("GLOBAL." + std::to_string(lId), pvUser, pfnCallback);
}

extern "C" long OWEB_GetTechServiceStylesheetsHome(void* pvUser, OSRV_WEB_CALLBACK pfnCallback)
{
    return handSetting("TSPHOME", pvUser, pfnCallback);
}

extern "C" long OSRV_GetWebImagesPath(char* pszBuffer, long cbBuffer)
{
    return copySetting("IMAGESPATH", pszBuffer, cbBuffer);
}

extern "C" long OSRV_GetWebActionRequest(char* pszBuffer, long cbBuffer)
{
    return copySetting("ACTIONREQUEST", pszBuffer, cbBuffer);
}

extern "C" long OWEB_GetTechServiceStylesheet(void* pvUser, const OWEB_TSP_APPLICATION* pApplication, long lKind,
                                              OSRV_WEB_CALLBACK pfnCallback)
{
    if (pApplication == nullptr || pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    const char* statement =
        lKind == OWEB_STYLESHEET_GENERATION   ? "SELECT XTAGEN FROM QV_DTA.QV_OTA WHERE XTATSP = '%s' AND XTAAPP = '%s'"
        : lKind == OWEB_STYLESHEET_DEFINITION ? "SELECT XTADEF FROM QV_DTA.QV_OTA WHERE XTATSP = '%s' AND XTAAPP = '%s'"
                                              : nullptr;
    if (statement == nullptr)
        return OSRV_ERR_NOT_FOUND;
    SSQL_AREA area;
    SSQL_DeclareExt(&area, statement, arg(pApplication->pszTsp).c_str(), arg(pApplication->pszApplication).c_str());
    bool failed = false;
    const std::optional<std::string> path = firstText(area, "OSRV/QV_OTA/1", &failed);
    if (failed)
        return OSRV_ERR_REPOSITORY;
    if (!path || path->empty())
        return OSRV_ERR_NOT_FOUND;
    pfnCallback(pvUser, 0, const_cast<char*>(path->c_str()));
    return OSRV_OK;
}

extern "C" long OSRV_IsValidXmlApp(const char* pszTsp, const char* pszApplication)
{
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT COUNT(*) FROM QV_DTA.QV_OTA WHERE XTATSP = '%s' AND XTAAPP = '%s' AND XTAXML = 'Y'",
                    arg(pszTsp).c_str(), arg(pszApplication).c_str());
    const long n = count(area, "OSRV/QV_OTA/2");
    if (n < 0)
        return OSRV_ERR_REPOSITORY;
    return n > 0 ? OSRV_OK : OSRV_ERR_NOT_FOUND;
}

extern "C" long OSRV_GetLanguageCodePage(void*, void* pvUser, const char* pszLanguage, OSRV_WEB_CALLBACK pfnCallback)
{
    if (pfnCallback == nullptr)
        return OSRV_ERR_INVALID;
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT XLCCCP, XLCISO, XLCDSC FROM QV_DTA.QV_OLC WHERE XLCLNG = '%s'",
                    arg(pszLanguage).c_str());
    dqoo::Cursor cursor(area, "OSRV/QV_OLC/1");
    if (!cursor.ok())
        return OSRV_ERR_REPOSITORY;
    int32_t codePage = 0;
    dqoo::VaryingText<64> iso;
    dqoo::VaryingText<256> description;
    const unsigned short rc = cursor.next(SSQL_I32(&codePage), iso.column(), description.column());
    if (rc == SSQL_RC_END) {
        pfnCallback(pvUser, 0, nullptr);
        return OSRV_ERR_NOT_FOUND;
    }
    if (rc != SSQL_RC_OK)
        return OSRV_ERR_REPOSITORY;
    // The ISO code is handed over as wide text; it is plain ASCII.
    std::u16string wideIso(iso.text, iso.text + iso.length);
    const std::string language = arg(pszLanguage);
    const std::string text = description.str();
    OSRV_LANGUAGE_CODEPAGE record{language.c_str(), static_cast<uint32_t>(codePage), text.c_str(), wideIso.c_str()};
    pfnCallback(pvUser, 0, &record);
    return OSRV_OK;
}
