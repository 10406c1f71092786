// Object server, web services: settings, WAM data, weblets with their locks,
// and the stored documents of web routines, on a copy of the sample
// repository.

#include "platform/dqoo/objlayer_repo.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "platform/dqos/repo_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class WebServices : public ::testing::Test {
protected:
    objlayer_test::SampleRepository repo;
    void SetUp() override { SMISC_SetSession("DEM", "ENG"); }
};

long keepText(void* user, long, void* record)
{
    *static_cast<std::string*>(user) = record != nullptr ? static_cast<const char*>(record) : "(null)";
    return 1;
}

struct Loaded {
    std::string xsl, key;
    long answer = 1;
};

long keepWeblet(void* user, long, void* record)
{
    auto* loaded = static_cast<Loaded*>(user);
    const auto* weblet = static_cast<const OSRV_WEBLET_RECORD*>(record);
    loaded->xsl = weblet->pszXsl;
    loaded->key = std::string(weblet->pszTsp) + ":" + weblet->pszApplication + ":" +
                  std::to_string(weblet->lModifiedDate) + ":" + std::to_string(weblet->lModifiedTime);
    return loaded->answer;
}

TEST_F(WebServices, SettingsAndLanguages)
{
    std::string text;
    EXPECT_EQ(0, OSRV_GetGlobalParamData(nullptr, &text, OSRV_PARAM_WEB_WORK, keepText));
    EXPECT_EQ("X_VELMO\\TEMP", text);
    EXPECT_EQ(0, OSRV_GetGlobalParamData(nullptr, &text, OSRV_PARAM_WEBLET_DESIGN, keepText));
    EXPECT_EQ("X_VELMO\\WEBDESIGN\\", text);
    EXPECT_EQ(0, OSRV_GetGlobalParamData(nullptr, &text, 99, keepText));
    EXPECT_EQ("(null)", text) << "an unset parameter arrives as null";
    EXPECT_EQ(0, OWEB_GetTechServiceStylesheetsHome(&text, keepText));
    EXPECT_EQ("X_VELMO\\TSP", text);

    const OWEB_TSP_APPLICATION desktop{"HTML", "DESKTOP", nullptr};
    EXPECT_EQ(0, OWEB_GetTechServiceStylesheet(&text, &desktop, OWEB_STYLESHEET_GENERATION, keepText));
    EXPECT_EQ("X_VELMO\\TSP\\HTML\\html_webroutine.xsl", text);
    EXPECT_EQ(0, OWEB_GetTechServiceStylesheet(&text, &desktop, OWEB_STYLESHEET_DEFINITION, keepText));
    EXPECT_EQ("X_VELMO\\TSP\\HTML\\html_definition.xsl", text);
    const OWEB_TSP_APPLICATION unknown{"HTML", "KIOSK", nullptr};
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OWEB_GetTechServiceStylesheet(&text, &unknown, 0, keepText));
    EXPECT_EQ(0, OSRV_IsValidXmlApp("HTML", "MOBILE"));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_IsValidXmlApp("HTML", "KIOSK"));

    char buffer[261];
    EXPECT_EQ(0, OSRV_GetWebImagesPath(buffer, sizeof buffer));
    EXPECT_STREQ("/images/", buffer);
    char small[8];
    EXPECT_EQ(OSRV_ERR_INVALID, OSRV_GetWebActionRequest(small, sizeof small));
    EXPECT_STREQ("", small);

    struct Answer {
        uint32_t codePage = 0;
        std::u16string iso;
        bool called = false;
    } answer;
    auto language = [](void* user, long, void* record) -> long {
        auto* a = static_cast<Answer*>(user);
        a->called = true;
        if (record != nullptr) {
            const auto* r = static_cast<const OSRV_LANGUAGE_CODEPAGE*>(record);
            a->codePage = r->ulCodePage;
            a->iso = r->pwszIsoCode;
        }
        return 1;
    };
    EXPECT_EQ(0, OSRV_GetLanguageCodePage(nullptr, &answer, "ENG", language));
    EXPECT_EQ(1252u, answer.codePage);
    EXPECT_EQ(u"en", answer.iso);
    answer = Answer();
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_GetLanguageCodePage(nullptr, &answer, "XXX", language));
    EXPECT_TRUE(answer.called) << "an unknown language is answered with a null record";
    EXPECT_EQ(0u, answer.codePage);
}

TEST_F(WebServices, WamDataAndRegistration)
{
    auto keep = [](void* user, long, void* record) -> long {
        const auto* d = static_cast<const OSRV_WAM_DATA*>(record);
        *static_cast<std::string*>(user) = std::string(d->pszLayoutWeblet) + "|" + d->chSetting1 + d->chSetting2;
        return 1;
    };
    std::string data;
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_XslGetWamData(&data, "NoWAM", keep));
    EXPECT_EQ(0, OSRV_XslGetWamData(&data, "OrderWAM", keep));
    EXPECT_EQ("|NN", data);
    const OSRV_WAM_DATA stored{"orderwam_layout", 'Y', 'N'};
    EXPECT_EQ(0, OSRV_XslSetWamData("OrderWAM", &stored));
    EXPECT_EQ(0, OSRV_XslGetWamData(&data, "OrderWAM", keep));
    EXPECT_EQ("orderwam_layout|YN", data);

    EXPECT_EQ(0, OSRV_XslRegisterWamApp("OrderWAM", "HTML", "DESKTOP"));
    EXPECT_EQ(0, OSRV_XslRegisterWamApp("OrderWAM", "HTML", "DESKTOP"));
    SSQL_Commit();
    EXPECT_EQ(1, dqos_test::countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_OWA WHERE XWAWAM = 'OrderWAM'"));
    EXPECT_EQ(OSRV_ERR_INVALID, OSRV_XslRegisterWamApp("OrderWAM", "HTML", ""));
}

TEST_F(WebServices, WebletsAndTheirLocks)
{
    EXPECT_EQ(0, OSRV_XslWebletExist("std_layout", "ENG", "HTML", "DESKTOP", 0));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_XslWebletExist("std_layout", "FRA", "HTML", "DESKTOP", 0));
    Loaded loaded;
    long word = 0;
    EXPECT_EQ(0, OSRV_XslLoadWeblet(&loaded, "std_image", "ENG", "HTML", "MOBILE", &word, keepWeblet, 0, 0, 0));
    EXPECT_EQ(1, word);
    EXPECT_EQ("HTML:MOBILE:20260101:120000000", loaded.key);
    EXPECT_NE(std::string::npos, loaded.xsl.find("<xsl:template name=\"inline\">"));
    loaded.answer = 0;
    EXPECT_EQ(OSRV_ERR_CALLBACK,
              OSRV_XslLoadWeblet(&loaded, "std_image", "ENG", "HTML", "MOBILE", nullptr, keepWeblet, 0, 0, 0));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND,
              OSRV_XslLoadWeblet(&loaded, "nothing", "ENG", "HTML", "MOBILE", nullptr, keepWeblet, 0, 0, 0));

    // A stored text longer than one statement's values comes back whole.
    std::string big = "<xsl:transform version=\"1.0\" xmlns:xsl=\"http://www.w3.org/1999/XSL/Transform\">";
    while (big.size() < 40000)
        big += "<xsl:variable name=\"v" + std::to_string(big.size()) + "\" select=\"'it''s'\"/>";
    big += "</xsl:transform>";
    const OSRV_WEBLET_NAME name{"my_layout", "My layout"};
    const OSRV_WEBLET_DATA desktop{"HTML", "DESKTOP", 0, big.c_str(), 0, 0};
    EXPECT_EQ(0, OSRV_XslSaveWeblet(&name, &desktop, nullptr, "ENG"));
    loaded = Loaded();
    EXPECT_EQ(0, OSRV_XslLoadWeblet(&loaded, "my_layout", "ENG", "HTML", "DESKTOP", nullptr, keepWeblet, 0, 0, 0));
    EXPECT_EQ(big, loaded.xsl);

    // This job holds the lock until it unlocks; another job's lock refuses.
    const OSRV_WEBLET_DATA base{nullptr, nullptr, 0, "<base/>", 0, 0};
    EXPECT_EQ(0, OSRV_XslSaveWeblet(&name, nullptr, &base, "ENG"));
    EXPECT_EQ(0, OSRV_XslWebletExist("my_layout", "ENG", "", "", 0)) << "the base stylesheet";
    EXPECT_EQ(0, OSRV_UnlockWeblet("my_layout", 1));
    repo.exec("INSERT INTO QV_OWK (XWKP_I, XWKNAM, XWKOWN) VALUES ('DEM', 'my_layout', 'JOB0')");
    EXPECT_EQ(OSRV_ERR_LOCKED, OSRV_XslSaveWeblet(&name, &desktop, nullptr, "ENG"));
    EXPECT_EQ(0, OSRV_UnlockWeblet("my_layout", 1)) << "this job's unlock leaves the other's lock";
    EXPECT_EQ(OSRV_ERR_LOCKED, OSRV_XslSaveWeblet(&name, &desktop, nullptr, "ENG"));

    const OSRV_WEBLET_NAME shipped{"std_image", ""};
    const OSRV_WEBLET_DATA mobile{"HTML", "MOBILE", 0, "<x/>", 0, 0};
    EXPECT_EQ(OSRV_ERR_READ_ONLY, OSRV_XslSaveWeblet(&shipped, &mobile, nullptr, "ENG"));
    EXPECT_EQ(OSRV_ERR_INVALID, OSRV_XslSaveWeblet(&shipped, nullptr, nullptr, "ENG"));
    EXPECT_EQ(OSRV_ERR_INVALID, OSRV_XslSaveWeblet(&shipped, &mobile, nullptr, ""));
    SSQL_Commit();
    EXPECT_EQ(1, dqos_test::countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_OWK"))
        << "refused saves leave no lock of this job";

    std::vector<std::string> apps;
    auto collect = [](void* user, long, void* record) -> long {
        const auto* pair = static_cast<const OSRV_TSP_APPLICATION_PAIR*>(record);
        auto* list = static_cast<std::vector<std::string>*>(user);
        list->push_back(std::string(pair->pszTsp) + ":" + pair->pszApplication);
        return list->size() < 5 ? 1 : 0;
    };
    EXPECT_EQ(0, OSRV_XslEnumWebletApps(&apps, 0, "std_dropdown", "ENG", 0, collect));
    EXPECT_EQ((std::vector<std::string>{"HTML:DESKTOP", "HTML:MOBILE"}), apps);
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_XslEnumWebletApps(&apps, 0, "std_dropdown", "FRA", 0, collect));
    auto stop = [](void*, long, void*) -> long { return 0; };
    EXPECT_EQ(OSRV_ERR_CALLBACK, OSRV_XslEnumWebletApps(nullptr, 0, "std_dropdown", "ENG", 0, stop));
}

TEST_F(WebServices, DocumentsOfWebRoutines)
{
    auto saveXsl = [](const char* language, const char* app, const char* text) {
        const OSRV_WEBROUTINE_DOCUMENT doc{"ShowOrder", "HTML", app, 0, text, 0, 0};
        const OSRV_WEBROUTINE_XSL_REQUEST request{"OrderWAM", language, &doc, 0};
        return OSRV_SaveWebRoutineXslData(nullptr, nullptr, &request);
    };
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_XslWebRoutineExist("OrderWAM", "ShowOrder", nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(0, saveXsl("ENG", "DESKTOP", "<a/>"));
    EXPECT_EQ(0, saveXsl("ENG", "DESKTOP", "<b/>"));
    EXPECT_EQ(0, saveXsl("FRA", "DESKTOP", "<c/>"));
    EXPECT_EQ(OSRV_ERR_INVALID, saveXsl("ENG", "", "<d/>"));
    EXPECT_EQ(0, OSRV_XslWebRoutineExist("OrderWAM", "ShowOrder", "ENG", "HTML", "DESKTOP", 0));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_XslWebRoutineExist("OrderWAM", "ShowOrder", "ENG", "HTML", "MOBILE", 0));
    EXPECT_EQ(0, OSRV_XslWebRoutineExist("OrderWAM", "ShowOrder", nullptr, nullptr, nullptr, 0));

    long languages = -1;
    auto count = [](void* user, void* app, long* n) -> long {
        EXPECT_EQ(user, app);
        *static_cast<long*>(user) = *n;
        return 1;
    };
    EXPECT_EQ(0,
              OSRV_XslWebRoutineLangCount(&languages, &languages, "OrderWAM", "ShowOrder", "HTML", "DESKTOP", count));
    EXPECT_EQ(2, languages);

    const OSRV_WEBROUTINE_DOCUMENT data{"ShowOrder", nullptr, nullptr, 0, "<qvml:data/>", 0, 0};
    const OSRV_WEBROUTINE_XML_REQUEST xml{"OrderWAM", 0, 0, &data};
    EXPECT_EQ(0, OSRV_SaveWebRoutineXmlData(nullptr, nullptr, &xml));
    std::string stored;
    auto keep = [](void* user, long, void* record) -> long {
        const auto* doc = static_cast<const OSRV_WEBROUTINE_DOCUMENT*>(record);
        *static_cast<std::string*>(user) = doc->pszText != nullptr ? doc->pszText : "(null)";
        return 1;
    };
    long word = 0;
    EXPECT_EQ(0, OSRV_LoadWebRoutineXmlData(nullptr, &stored, "OrderWAM", "ShowOrder", &word, keep));
    EXPECT_EQ("<qvml:data/>", stored);
    EXPECT_EQ(0, OSRV_XslWebRoutineLangCount(&languages, &languages, "OrderWAM", "ShowOrder", "HTML", "DESKTOP", count))
        << "the runtime data counts no language";
    EXPECT_EQ(2, languages);

    EXPECT_EQ(0, OSRV_XslDeleteWebRoutine("OrderWAM", "ShowOrder", 0, 0, 0));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_XslWebRoutineExist("OrderWAM", "ShowOrder", nullptr, nullptr, nullptr, 0));
    EXPECT_EQ(OSRV_ERR_NOT_FOUND, OSRV_LoadWebRoutineXmlData(nullptr, &stored, "OrderWAM", "ShowOrder", &word, keep));
    SSQL_Commit();
    EXPECT_EQ(0, dqos_test::countFromOutside(repo.path(), "SELECT COUNT(*) FROM QV_OWT WHERE XWTDOC > 6"))
        << "the texts of deleted documents go with them";
}

}  // namespace
