// The WAM builder: the set-up of a WAM (language, texts, options, stored
// WAM data, the global runtime-data stylesheet and the technology-service
// applications), its end (registration of the applications), the message
// sink and the generation context.
#include "web/wam/wam_builder.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>

#include "classlib/base/timing.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/message_table.h"
#include "web/wam/web_support.h"
#include "web/wam/webroutine_builder.h"

namespace {

constexpr size_t kLayoutNameLength = 20;

const FFC_SYSTEM_DEFINITION* systemDefinition()
{
    FFC_CONTEXT* context = P31O2_pGetCurrentRunContext();
    return context ? context->pSystemDefinition : nullptr;
}

struct LanguageAnswer {
    uint32_t codePage = 0;
    LWString iso{u""};
};

long languageCallback(void* user, long, void* record)
{
    auto* answer = static_cast<LanguageAnswer*>(user);
    const auto* language = static_cast<const OSRV_LANGUAGE_CODEPAGE*>(record);
    if (!language)
        return 0;
    answer->codePage = language->ulCodePage;
    answer->iso = LWString(language->pwszIsoCode ? language->pwszIsoCode : u"");
    return 1;
}

long wamDataCallback(void* user, long, void* record)
{
    auto& context = *static_cast<WebGenerationContext*>(user);
    WAMBuilder& wam = *context.wamBuilder;
    const auto* data = static_cast<const OSRV_WAM_DATA*>(record);
    std::string layout = wam.wamName() + "_layout";
    if (layout.size() > kLayoutNameLength)
        layout.resize(kLayoutNameLength);
    std::transform(layout.begin(), layout.end(), layout.begin(), [](unsigned char c) { return std::tolower(c); });
    wam.m_layoutName = LWString::fromMultiByte(layout.c_str());
    if (data && data->pszLayoutWeblet && *data->pszLayoutWeblet) {
        wam.m_nameProvided = true;
        wam.m_providedLayoutName = LWString::fromMultiByte(data->pszLayoutWeblet);
        wam.m_ownLayout = wam.m_providedLayoutName == wam.m_layoutName;
        return 1;
    }
    wam.m_ownLayout = true;
    OSRV_WAM_DATA stored{layout.c_str(), data ? data->chSetting1 : ' ', data ? data->chSetting2 : ' '};
    if (P3142_lServerResult(OSRV_XslSetWamData(wam.wamName().c_str(), &stored), "OSRV_XslSetWamData") != 0) {
        wam.reportMessage('F', P3142_pszGetMessageText(856).c_str());
        return 0;
    }
    return 1;
}

const char* choice(uint32_t value, std::initializer_list<const char*> names)
{
    return value < names.size() ? names.begin()[value] : "?";
}

}  // namespace

// ---- message sink and generation context -------------------------------------------------

WebMessageSink::WebMessageSink() : m_context(P31O2_pGetCurrentRunContext())
{
    std::memset(&m_record, 0, sizeof m_record);
    std::memcpy(m_record.acMsgId, dqov::MsgId(dqov::Msg::ServicesText), sizeof m_record.acMsgId);
    if (m_context)
        std::memcpy(m_record.acObject, m_context->acObjectName, sizeof m_record.acObject);
}

void WebMessageSink::add(char severity, const char* text)
{
    m_record.ulLine = 0;
    std::memset(m_record.acCommand, ' ', sizeof m_record.acCommand);
    m_record.cSeverity = severity;
    std::memset(m_record.acText, 0, sizeof m_record.acText);
    if (text)
        std::memcpy(m_record.acText, text, std::min(std::strlen(text), sizeof m_record.acText));
    if (m_context)
        RS_sAddRunMessage(m_context, &m_record);
    if (severity == 'W')
        ++warnings;
    if (severity == 'F')
        ++fatals;
}

WebGenerationContext::WebGenerationContext() = default;

WebGenerationContext::~WebGenerationContext()
{
    // Text buffers, the current web routine builder, the WAM builder, the
    // trace writer: in that order.
    stylesheetsHome = LCharBuffer();
    globalParameter28 = LCharBuffer();
    webWorkDirectory = LCharBuffer();
    webRoutineBuilder.reset();
    wamBuilder.reset();
    traceWriter.reset();
}

void WebGenerationContext::loadStylesheetHome()
{
    char text[261];
    char* words[3] = {text, nullptr, nullptr};
    text[0] = '\0';
    P3142_lServerResult(OWEB_GetTechServiceStylesheetsHome(words, P3142_fCopyPathCallback<1>),
                        "OWEB_GetTechServiceStylesheetsHome");
    stylesheetsHome = LCharBuffer(text);
    text[0] = '\0';
    P3142_lServerResult(OSRV_GetGlobalParamData(nullptr, words, OSRV_PARAM_WEBLET_DESIGN, P3142_fCopyPathCallback<1>),
                        "OSRV_GetGlobalParamData");
    globalParameter28 = LCharBuffer(text);
    text[0] = '\0';
    P3142_lServerResult(OSRV_GetGlobalParamData(nullptr, words, OSRV_PARAM_WEB_WORK, P3142_fCopyPathCallback<1>),
                        "OSRV_GetGlobalParamData");
    // Each job works in a folder of its own, so that two jobs at once
    // neither share nor clean each other's working stylesheets.
    webWorkDirectory = LCharBuffer((std::string(text) + "\\web\\J" + DosJobIdentity() + "\\").c_str());
}

// ---- WAMBuilder --------------------------------------------------------------------------

WAMBuilder::WAMBuilder(WebMessageSink* sink) : m_sink(sink)
{
    m_stylesheetCache.reserve(kStylesheetCache);
}

void WAMBuilder::reportMessage(char severity, const char* text)
{
    m_sink->add(severity, text);
    P3142_Trace(m_trace, 1, "%s", text ? text : "");
}

long WAMBuilder::startWAM(void*, void*, void* user, void* record)
{
    WebGenerationContext& context = WebGenerationContext::of(user);
    WAMBuilder& wam = *context.wamBuilder;
    P3142_Trace(wam.m_trace, 1, "WAMBuilder::startWAM started");
    const bool caught = wam.failedStep([&] { wam.setUp(context, *static_cast<const WamInfo*>(record)); });
    P3142_Trace(wam.m_trace, 1, "WAMBuilder::startWAM completed: %s", caught ? "true" : "false");
    return caught ? 1 : 0;
}

void WAMBuilder::setUp(WebGenerationContext& context, const WamInfo& info)
{
    reportMessage('I', P3142_pszGetMessageText(850, info.szName).c_str());
    const FFC_SYSTEM_DEFINITION* sys = systemDefinition();
    const char* language = sys ? sys->szLanguage : "";
    LanguageAnswer answer;
    P3142_lServerResult(OSRV_GetLanguageCodePage(nullptr, &answer, language, languageCallback),
                        "OSRV_GetLanguageCodePage");
    m_language = LWString::fromMultiByte(language);
    m_isoLanguage = answer.iso;
    m_codePage = answer.codePage;
    P3142_Trace(m_trace, 2, "Current language (%s) ISO code: \"%s\". Code page: %d", language,
                m_isoLanguage.toUtf8().c_str(), static_cast<int>(m_codePage));

    m_wamName = LWString::fromMultiByte(info.szName);
    if (char* description = SMISC_pszGetDesc4Field(info.szName)) {
        m_description = LWString::fromMultiByteCodePage(description, m_codePage);
        SMEM_FreeMem(description);
    }
    m_userId = LWString::fromMultiByte(sys ? sys->szUserId : "");
    m_partition = LWString::fromMultiByte(sys ? sys->szPartition : "");
    m_generationLanguage = LCharBuffer("");
    for (uint16_t i = 0; sys && i < sys->usLanguageCount && sys->pLanguages; ++i)
        if (sys->pLanguages[i].ulFlags != 0) {
            m_generationLanguage = LCharBuffer(sys->pLanguages[i].szLanguage);
            break;
        }
    m_dbcs = LWString(sys && sys->lDoubleByte != 0 ? u"true" : u"false");
    m_alignRight = LWString(sys && sys->cRightToLeft == 'Y' ? u"true" : u"false");
    m_numericValidation = info.ulNumericValidation;
    m_inlineOption = info.ulInline;

    if (!info.pszLayoutWeblet)
        P3142_Trace(m_trace, 2, "QV_WAM_INFO layout weblet name: %s", "null");
    else if (*info.pszLayoutWeblet == '\0')
        P3142_Trace(m_trace, 2, "QV_WAM_INFO layout weblet name: %s", "empty");
    else
        m_providedLayoutName = LWString::fromMultiByte(info.pszLayoutWeblet);

    if (P3142_lServerResult(OSRV_XslGetWamData(&context, info.szName, wamDataCallback), "OSRV_XslGetWamData") != 0) {
        LCharBuffer text = P3142_pszGetMessageText(830, info.szName);
        reportMessage('F', text.c_str());
        throw TSMLException(text.c_str());
    }
    P3142_Trace(m_trace, 2,
                "Numeric validation: %s; Inline option: %s; WAM layout name: \"%s\"; Own layout?: %s; Name provided "
                "(%s): \"%s\"",
                choice(m_numericValidation, {"Default", "Yes", "No"}), choice(m_inlineOption, {"None", "Lists"}),
                m_layoutName.toUtf8().c_str(), m_ownLayout ? "true" : "false", m_nameProvided ? "true" : "false",
                m_providedLayoutName.isNull() ? "{null}" : m_providedLayoutName.toUtf8().c_str());

    char buffer[261];
    m_imagesPath = LWString::fromMultiByte(
        P3142_lServerResult(OSRV_GetWebImagesPath(buffer, sizeof buffer), "OSRV_GetWebImagesPath") == 0 ? buffer : "");
    m_actionRequest = LWString::fromMultiByte(
        P3142_lServerResult(OSRV_GetWebActionRequest(buffer, sizeof buffer), "OSRV_GetWebActionRequest") == 0 ? buffer
                                                                                                             : "");

    {
        LDirStack directory;
        const char* home = context.stylesheetsHome.c_str() ? context.stylesheetsHome.c_str() : "";
        if (!directory.pushd(home)) {
            LCharBuffer text = P3142_pszGetMessageText(838, home);
            reportMessage('F', text.c_str());
            throw TSMLException(text.c_str());
        }
        m_runtimeDataStylesheet.load(
            LWString::fromMultiByte((std::string(home) + "\\tsp_global_qvml_webroutine.xsl").c_str()));
    }
    buildTSPAppList();
    ensureWamLayoutExists(context);
}

void WAMBuilder::buildTSPAppList()
{
    P3142_Trace(m_trace, 2, "WAMBuilder::buildTSPAppList started");
    const FFC_CONTEXT* run = P31O2_pGetCurrentRunContext();
    for (uint32_t i = 0; run && run->pWebApplications && i < run->ulWebApplicationCount; ++i) {
        const FFC_WEB_APPLICATION& app = run->pWebApplications[i];
        if (P3142_lServerResult(OSRV_IsValidXmlApp(app.pszTspName, app.pszApplication), "OSRV_IsValidXmlApp") == 0) {
            P3142_Trace(m_trace, 2, "%s", app.pszDescription ? app.pszDescription : "");
            m_applications.push_back({LWString::fromMultiByte(app.pszTspName),
                                      LWString::fromMultiByte(app.pszApplication),
                                      LWString::fromMultiByte(app.pszDescription), 0, 0});
        } else {
            reportMessage('F', P3142_pszGetMessageText(879, app.pszTspName, app.pszApplication).c_str());
        }
    }
    P3142_Trace(m_trace, 2, "WAMBuilder::buildTSPAppList completed");
}

long WAMBuilder::endWAM(void*, void*, void* user, void*)
{
    WebGenerationContext& context = WebGenerationContext::of(user);
    WAMBuilder& wam = *context.wamBuilder;
    P3142_Trace(wam.m_trace, 1, "WAMBuilder::endWAM started");
    const bool caught = wam.failedStep([&] {
        if (context.webRoutineBuilder)
            context.webRoutineBuilder->finish(context);
        if (wam.m_standardRoutines > 0)
            P3142_Trace(wam.m_trace, 2, "Standard webroutine count: %d", static_cast<int>(wam.m_standardRoutines));
    });
    wam.registerEnabledApps();
    P3142_Trace(wam.m_trace, 1, "WAMBuilder::endWAM() completed: %s", caught ? "true" : "false");
    return caught ? 1 : 0;
}

void WAMBuilder::registerEnabledApps()
{
    P3142_Trace(m_trace, 2, "WAMBuilder::registerEnabledApps started");
    if (m_failedRuntimeDataSaves == 0) {
        for (const TspApplication& app : m_applications)
            if (app.failureCount == 0)
                P3142_lServerResult(OSRV_XslRegisterWamApp(wamName().c_str(), app.tsp.toUtf8().c_str(),
                                                           app.application.toUtf8().c_str()),
                                    "OSRV_XslRegisterWamApp");
    }
    P3142_Trace(m_trace, 2, "WAMBuilder::registerEnabledApps completed");
}
