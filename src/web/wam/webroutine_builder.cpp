// The web routine builder: the start of a web routine, its header (context
// values, options, technology services), its lists and weblet fields, and
// its finish.
#include "web/wam/webroutine_builder.h"

#include "classlib/base/timing.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "web/wam/web_support.h"

WebRoutineBuilder::WebRoutineBuilder(WAMBuilder& wam, const WebRoutineInfo& info, uint32_t inlineOption)
    : m_wam(wam), m_name(LWString::fromMultiByte(info.szName)), m_document(false, false),
      m_tsml(std::make_unique<WebRoutineTsmlDoc>(&m_document, inlineOption)), m_listsInline(inlineOption == 1),
      m_services(TsmlAddTechnologyServiceList(m_document))
{
    m_tsml->setCodePage(wam.m_codePage);
}

WebRoutineBuilder::~WebRoutineBuilder()
{
    m_list.reset();
    m_services.reset();
    m_tsml.reset();
}

long WebRoutineBuilder::startWebRoutine(void*, void*, void* user, void* record)
{
    WebGenerationContext& context = WebGenerationContext::of(user);
    WAMBuilder& wam = *context.wamBuilder;
    const auto& info = *static_cast<const WebRoutineInfo*>(record);
    P3142_Trace(wam.m_trace, 1, "WebRoutineBuilder::startWebRoutine() started. Webroutine name: %s. Response type: %s",
                info.szName, P3142_pszOutputFormatName(info.ulResponseType));
    const bool caught = wam.failedStep([&] {
        if (context.webRoutineBuilder) {
            try {
                context.webRoutineBuilder->finish(context);
            } catch (...) {
                // A routine that failed to finish is not finished again.
                context.webRoutineBuilder.reset();
                throw;
            }
        }
        if (info.ulResponseType == WEBROUTINE_STANDARD) {
            context.webRoutineBuilder = std::make_unique<WebRoutineBuilder>(wam, info, wam.m_inlineOption);
            context.webRoutineBuilder->setWebRoutineInfo(context, info);
            P3142_Trace(wam.m_trace, 1, "WebRoutineBuilder created");
            context.webRoutineBuilder->addReplacedQVMLDocFragments(context);
            ++wam.m_standardRoutines;
        } else {
            context.webRoutineBuilder.reset();
            const std::string name = wam.wamName();
            if (P3142_lServerResult(OSRV_XslWebRoutineExist(name.c_str(), info.szName, nullptr, nullptr, nullptr, 0),
                                    "OSRV_XslWebRoutineExist") == 0) {
                const long rc = P3142_lServerResult(OSRV_XslDeleteWebRoutine(name.c_str(), info.szName, 0, 0, 0),
                                                    "OSRV_XslDeleteWebRoutine");
                if (rc == 0)
                    P3142_Trace(wam.m_trace, 1, "XML/XSL documents for webroutine %s discarded.", info.szName);
                else
                    P3142_Trace(wam.m_trace, 1,
                                "ERROR: Failed to discard XML/XSL documents for webroutine %s. Return code: %ld",
                                info.szName, rc);
            } else {
                P3142_Trace(wam.m_trace, 1, "XML/XSL documents not applicable");
            }
        }
    });
    P3142_Trace(wam.m_trace, 1, "WebRoutineBuilder::startWebRoutine() completed: %s", caught ? "true" : "false");
    return caught ? 1 : 0;
}

long WebRoutineBuilder::onLanguageCount(void* user, void* application, long* languages)
{
    auto& context = *static_cast<WebGenerationContext*>(user);
    WebRoutineBuilder* builder = context.webRoutineBuilder.get();
    const auto& app = *static_cast<const TspApplication*>(application);
    if (!builder || !languages)
        return 1;
    TsmlAddTechnologyService(*builder->m_services, app.key(), static_cast<int32_t>(*languages));
    P3142_Trace(builder->m_wam.m_trace, 2,
                "Technology Service %s (language count: %ld) added to technology-service-list",
                LWString::joinWithColon(app.tsp, app.application).toUtf8().c_str(), *languages);
    return 1;
}

void WebRoutineBuilder::setWebRoutineInfo(WebGenerationContext& context, const WebRoutineInfo& info)
{
    P3142_Trace(m_wam.m_trace, 2, "WebRoutineInfo: Name=%s Description=\"%s\" Service-name=\"%s\"", info.szName,
                info.szDescription, info.szServiceName);
    if (m_wam.m_mode == WebGenerationMode::kWebGenerationAll) {
        const std::string wam = m_wam.wamName();
        for (TspApplication& app : m_wam.m_applications)
            P3142_lServerResult(OSRV_XslWebRoutineLangCount(&context, &app, wam.c_str(), info.szName,
                                                            app.tsp.toUtf8().c_str(), app.application.toUtf8().c_str(),
                                                            onLanguageCount),
                                "OSRV_XslWebRoutineLangCount");
    }
    WebRoutineTsmlDoc& d = *m_tsml;
    d.insertFirst(m_services->element());
    d.setSsi(u"");
    const uint32_t codePage = d.codePage();
    d.setContextValue(u"user-id", m_wam.getUserId());
    d.setContextValue(u"webapplication", m_wam.m_wamName);
    d.setContextValue(u"webapplication-title", m_wam.m_description.isNull() ? LWString(u"") : m_wam.m_description);
    d.setContextValue(u"webroutine", m_name);
    d.setContextValue(u"webroutine-title", LWString::fromMultiByteCodePage(info.szDescription, codePage));
    d.setContextValue(u"service-name", LWString::fromMultiByteCodePage(info.szServiceName, codePage));
    d.setContextValue(u"partition", m_wam.m_partition);
    d.setLanguage(m_wam.m_language, m_wam.m_isoLanguage);
    d.setContextValue(u"images-path", m_wam.m_imagesPath);
    d.setContextValue(u"action-request", m_wam.m_actionRequest);
    d.setContextValue(u"layout-name", m_wam.m_layoutName);
    d.setContextValue(u"timestamp", LWString::fromCharBuffer(P3142_FormatIsoTimestamp()));
    d.setOption(u"DBCS", m_wam.m_dbcs);
    d.setOption(u"align-right", m_wam.m_alignRight);
    const FFC_CONTEXT* run = P31O2_pGetCurrentRunContext();
    const bool numericCheck = run && run->pSystemDefinition && run->pSystemDefinition->cNumericCheck == 'Y';
    const bool checkNumeric = m_wam.m_numericValidation == 1 || (m_wam.m_numericValidation == 0 && numericCheck);
    d.setOption(u"check-numeric", LWString(checkNumeric ? u"true" : u"false"));
    d.setOption(u"debug", u"");
    d.setOption(u"trace", u"");
    d.setOption(u"task", u"");
}

void WebRoutineBuilder::startList(const ListInfo& list)
{
    if (list.ulMapFor != 2 && list.ulMapFor != 3)
        return;
    m_list = m_tsml->createListNode(list);
    m_list->setCodePage(m_wam.m_codePage);
}

void WebRoutineBuilder::finish(WebGenerationContext& context)
{
    LDirStack directory;
    const char* home = context.stylesheetsHome.c_str() ? context.stylesheetsHome.c_str() : "";
    if (!directory.pushd(home)) {
        LCharBuffer text = P3142_pszGetMessageText(838, home);
        m_wam.reportMessage('F', text.c_str());
        throw TSMLException(text.c_str());
    }
    const std::string wam = m_wam.wamName(), routine = name();
    P3142_Trace(m_wam.m_trace, 2, "\r\n=== WAM: %s Webroutine: %s TSML Document Start ===", wam.c_str(),
                routine.c_str());
    P3142_TraceDocument(m_wam.m_trace, 2, m_document);
    P3142_Trace(m_wam.m_trace, 2, "=== Webroutine TSML Document End ===\r\n");
    createXsltDocuments(context);
    createQvmlDocument(context);
}

// ---- weblet fields and columns ------------------------------------------------------------------

namespace {

// Fields and columns that are mapped for output (kinds 2 and 3) enter the
// document.
bool entersDocument(const TsmlFieldRecord& field)
{
    return field.usedFor == 2 || field.usedFor == 3;
}

}  // namespace

void WebRoutineBuilder::addWebletField(const TsmlFieldRecord& field)
{
    if (!entersDocument(field))
        return;
    LCharBuffer inlineName = P3142_MakeInlineWebletName(field.weblet, m_listsInline ? 1 : 0);
    const TechServiceSet set = m_wam.buildTechServiceSet(inlineName.isEmpty() ? field.weblet : inlineName.c_str());
    m_tsml->addField(field, set);
}

void WebRoutineBuilder::addWebletColumn(const TsmlFieldRecord& column)
{
    if (!entersDocument(column) || !m_list)
        return;
    if (m_list->isHidden() || m_list->isJsonList()) {
        m_list->addColumn(column, TechServiceSet());
        return;
    }
    LCharBuffer inlineName = P3142_MakeInlineWebletName(column.weblet, m_list->isInlined() ? 1 : 0);
    const TechServiceSet set = m_wam.buildTechServiceSet(inlineName.isEmpty() ? column.weblet : inlineName.c_str());
    m_list->addColumn(column, set);
}
