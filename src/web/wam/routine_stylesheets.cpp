// The stored outputs of a complete web routine: one stylesheet per
// technology-service application (made by the TSP's generation stylesheet
// with the weblet inliner as extension object), the runtime-data document
// (made by the global stylesheet), the fragments of the earlier runtime
// data that are carried over, the per-WAM cache of TSP stylesheet sets and
// the document dumps of the trace.
#include <cstdio>
#include <string>

#include "classlib/base/lstream.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "web/tsml/tsml_names.h"
#include "web/wam/web_support.h"
#include "web/wam/webroutine_builder.h"
#include "web/xslt/trace_formatter.h"

namespace {

constexpr size_t kPathBuffer = 261;

std::string stylesheetPath(const TspApplication& app, long kind)
{
    const std::string tsp = app.tsp.toUtf8(), application = app.application.toUtf8();
    const OWEB_TSP_APPLICATION request{tsp.c_str(), application.c_str(), nullptr};
    char path[kPathBuffer] = "";
    char* words[3] = {nullptr, nullptr, path};
    P3142_lServerResult(OWEB_GetTechServiceStylesheet(words, &request, kind, P3142_fCopyPathCallback<3>),
                        "OWEB_GetTechServiceStylesheet");
    return path;
}

}  // namespace

// ---- TSP stylesheet sets ------------------------------------------------------------------

TspStylesheetSet WAMBuilder::getTspStylesheetSet(WebGenerationContext& context, const TspApplication& application)
{
    const LWString key = LWString::joinWithColon(application.tsp, application.application);
    for (const TspStylesheetSet& set : m_stylesheetCache)
        if (set.key == key)
            return set;
    TspStylesheetSet set = makeTspStylesheetSet(context, application);
    if (m_stylesheetCache.size() < kStylesheetCache)
        m_stylesheetCache.push_back(set);
    return set;
}

TspStylesheetSet WAMBuilder::makeTspStylesheetSet(WebGenerationContext& context, const TspApplication& application)
{
    const std::string definitionPath = stylesheetPath(application, OWEB_STYLESHEET_DEFINITION);
    const std::string generationPath = stylesheetPath(application, OWEB_STYLESHEET_GENERATION);
    const std::string tsp = application.tsp.toUtf8(), app = application.application.toUtf8();
    char designDirectory[kPathBuffer], temporaryDirectory[kPathBuffer];
    std::snprintf(designDirectory, sizeof designDirectory, "%sweb\\%s\\%s\\%s\\",
                  context.globalParameter28.c_str() ? context.globalParameter28.c_str() : "", tsp.c_str(), app.c_str(),
                  generationLanguage());
    std::snprintf(temporaryDirectory, sizeof temporaryDirectory, "%s%s_%s\\",
                  context.webWorkDirectory.c_str() ? context.webWorkDirectory.c_str() : "", tsp.c_str(), app.c_str());
    TspStylesheetSet set;
    set.key = LWString::joinWithColon(application.tsp, application.application);
    set.inliner = createWebletInliner();
    try {
        set.inliner->initialize(tsp.c_str(), app.c_str(), generationLanguage(),
                                context.stylesheetsHome.c_str() ? context.stylesheetsHome.c_str() : "", designDirectory,
                                temporaryDirectory, generationPath.c_str(), P3142_fLoadWeblet,
                                m_trace && m_trace->isEnabled(0) ? m_trace : nullptr);
    } catch (const WdInlinerException& e) {
        throw LXSLTException(e.message());
    }
    set.stylesheet.setExtensionObject(set.inliner.get(), LWString(tsml::kWdNamespace));
    try {
        set.stylesheet.load(LWString::fromMultiByte(generationPath.c_str()));
    } catch (const LXSLTException&) {
        // Reported by each transformation, which compiles the file again.
    }
    LDOMDocument definition(true, false);
    definition.load(LWString::fromMultiByte(definitionPath.c_str()));
    set.definition = XsltDomDocument(definition);
    return set;
}

// ---- stylesheets of a web routine -----------------------------------------------------------

void WebRoutineBuilder::createXsltDocuments(WebGenerationContext& context)
{
    P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::createXsltDocuments started");
    const uint32_t mode = m_wam.m_mode;
    if (mode != WebGenerationMode::kWebGenerationAll && mode != WebGenerationMode::kWebGenerationNew) {
        P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::createXsltDocuments completed");
        return;
    }
    const std::string wam = m_wam.wamName(), routine = name();
    const char* language = m_wam.generationLanguage();
    uint32_t failures = 0;
    for (TspApplication& app : m_wam.m_applications) {
        const std::string tsp = app.tsp.toUtf8(), application = app.application.toUtf8();
        const std::string service = tsp + ":" + application, description = app.description.toUtf8();
        bool generate = mode == WebGenerationMode::kWebGenerationAll;
        if (mode == WebGenerationMode::kWebGenerationNew) {
            const bool missing = P3142_lServerResult(OSRV_XslWebRoutineExist(wam.c_str(), routine.c_str(), language,
                                                                             tsp.c_str(), application.c_str(), 0),
                                                     "OSRV_XslWebRoutineExist") != 0;
            P3142_Trace(m_wam.m_trace, 2, "XSL for Webroutine %s for TSP %s and language %s %sfound", routine.c_str(),
                        service.c_str(), language, missing ? "not " : "");
            generate = missing;
        }
        if (!generate) {
            P3142_Trace(m_wam.m_trace, 2, "Generation of XSL for Webroutine %s for TSP %s and language %s skipped",
                        routine.c_str(), service.c_str(), language);
            continue;
        }
        try {
            TspStylesheetSet set = m_wam.getTspStylesheetSet(context, app);
            LCharBuffer xsl = set.stylesheet.transform(m_document);
            P3142_Trace(m_wam.m_trace, 2, "\r\nThe result XSLT stylesheet (UTF8):");
            if (m_wam.m_trace)
                m_wam.m_trace->write(2, xsl.c_str() ? xsl.c_str() : "");
            const OSRV_WEBROUTINE_DOCUMENT doc{routine.c_str(), tsp.c_str(), application.c_str(), 0, xsl.c_str(), 0, 0};
            const OSRV_WEBROUTINE_XSL_REQUEST request{wam.c_str(), language, &doc, 0};
            if (const long rc = P3142_lServerResult(OSRV_SaveWebRoutineXslData(nullptr, nullptr, &request),
                                                    "OSRV_SaveWebRoutineXslData");
                rc != 0) {
                P3142_Trace(m_wam.m_trace, 0, "Save Webroutine XSLT Return code=%ld", rc);
                throw TSMLException(
                    P3142_pszGetMessageText(843, wam.c_str(), routine.c_str(), description.c_str()).c_str());
            }
            ++app.savedCount;
            m_wam.reportMessage(
                'I', P3142_pszGetMessageText(844, wam.c_str(), routine.c_str(), description.c_str()).c_str());
        } catch (const LParserException& e) {
            m_wam.reportMessage('F', e.message());
            m_wam.reportMessage(
                'F', P3142_pszGetMessageText(842, wam.c_str(), routine.c_str(), description.c_str()).c_str());
            ++app.failureCount;
            ++failures;
        } catch (const TSMLException& e) {
            m_wam.reportMessage('F', e.message());
            m_wam.reportMessage(
                'F', P3142_pszGetMessageText(842, wam.c_str(), routine.c_str(), description.c_str()).c_str());
            ++app.failureCount;
            ++failures;
        }
    }
    if (failures > 0)
        throw TSMLException(P3142_pszGetMessageText(845, wam.c_str(), routine.c_str()).c_str());
    P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::createXsltDocuments completed");
}

void WebRoutineBuilder::createQvmlDocument(WebGenerationContext&)
{
    P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::createQvmlDocument started");
    const std::string wam = m_wam.wamName(), routine = name();
    LCharBuffer qvml;
    try {
        qvml = m_wam.m_runtimeDataStylesheet.transform(m_document);
    } catch (const LParserException& e) {
        m_wam.reportMessage('F', e.message());
        ++m_wam.m_failedRuntimeDataSaves;
        LCharBuffer text = P3142_pszGetMessageText(839, wam.c_str(), routine.c_str());
        m_wam.reportMessage('F', text.c_str());
        throw TSMLException(text.c_str());
    }
    P3142_Trace(m_wam.m_trace, 2, "WAM: %s Webroutine: %s", wam.c_str(), routine.c_str());
    P3142_Trace(m_wam.m_trace, 2, "\r\nThe input QVML document (UTF8):");
    if (m_wam.m_trace)
        m_wam.m_trace->write(2, qvml.c_str() ? qvml.c_str() : "");
    const OSRV_WEBROUTINE_DOCUMENT doc{routine.c_str(), nullptr, nullptr, 0, qvml.c_str() ? qvml.c_str() : "", 0, 0};
    const OSRV_WEBROUTINE_XML_REQUEST request{wam.c_str(), 0, 0, &doc};
    if (P3142_lServerResult(OSRV_SaveWebRoutineXmlData(nullptr, nullptr, &request), "OSRV_SaveWebRoutineXmlData") !=
        0) {
        LCharBuffer text = P3142_pszGetMessageText(840, wam.c_str(), routine.c_str());
        m_wam.reportMessage('F', text.c_str());
        ++m_wam.m_failedRuntimeDataSaves;
        throw TSMLException(text.c_str());
    }
    m_wam.reportMessage('I', P3142_pszGetMessageText(841, wam.c_str(), routine.c_str()).c_str());
    P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::createQvmlDocument completed");
}

// ---- runtime data carried over ------------------------------------------------------------------

void WebRoutineBuilder::addReplacedQVMLDocFragments(WebGenerationContext& context)
{
    P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::addReplacedQVMLDocFragments started");
    long word = 0;
    P3142_lServerResult(OSRV_LoadWebRoutineXmlData(nullptr, &context, m_wam.wamName().c_str(), name().c_str(), &word,
                                                   extractQVMLDocFragments),
                        "OSRV_LoadWebRoutineXmlData");
    P3142_Trace(m_wam.m_trace, 1, "WebRoutineBuilder::addReplacedQVMLDocFragments completed");
}

long WebRoutineBuilder::extractQVMLDocFragments(void* user, long, void* record)
{
    auto& context = *static_cast<WebGenerationContext*>(user);
    WebRoutineBuilder* builder = context.webRoutineBuilder.get();
    const auto* stored = static_cast<const OSRV_WEBROUTINE_DOCUMENT*>(record);
    if (!builder || !stored || !stored->pszText)
        return 1;
    LTraceWriter* trace = builder->m_wam.m_trace;
    P3142_Trace(trace, 1, "WebRoutineBuilder::extractQVMLDocFragments() started");
    try {
        LDOMDocument qvml(false, false);
        qvml.loadXML(LWString::fromUtf8(stored->pszText));
        builder->m_tsml->setReplacedQvml(qvml);
    } catch (const LDOMException& e) {
        builder->m_wam.reportMessage('W', e.message());
    }
    P3142_Trace(trace, 1, "WebRoutineBuilder::extractQVMLDocFragments() completed");
    return 1;
}

// ---- document dumps --------------------------------------------------------------------------

void P3142_TraceDocument(LTraceWriter* writer, int32_t level, const LDOMDocument& document)
{
    if (!writer || !writer->isEnabled(level))
        return;
    try {
        LDOMDocument formatter(true, false);
        formatter.loadXML(P3142_TraceFormatterText());
        LCharBuffer text = LDOMNode::transformNode(document, formatter);
        writer->write(level, text.c_str() ? text.c_str() : "");
    } catch (const LException& e) {
        P3142_Trace(writer, level, "Failed to format DOM: %s", e.message() ? e.message() : "");
    } catch (const ComError& e) {
        P3142_Trace(writer, level, "Failed to format DOM: %s", e.description() ? e.description() : "");
    }
}
