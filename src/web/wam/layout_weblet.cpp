// The WAM's layout weblet: for every technology-service application whose
// layout weblet is not stored yet, the model weblet (the TSP's default or
// the one the WAM names) is inspected, the layout document is transformed
// by the TSP's definition document into the layout weblet, which is
// stored; then the layout weblet's base stylesheet is built and stored.
// Also the weblet load callbacks of layout and field weblets.
#include <cstdio>
#include <string>
#include <vector>

#include "classlib/base/timing.h"
#include "platform/dqoosrv/dqoosrv_web.h"
#include "web/tsml/layout_inspect.h"
#include "web/tsml/tsml_names.h"
#include "web/wam/web_support.h"
#include "web/wam/webroutine_builder.h"

namespace {

// What the load of one model weblet needs to record it.
struct LayoutLoadContext {
    WAMBuilder* wam;
    WamLayoutTsmlDoc* layout;
    const TspApplication* application;
    std::string model;       // the model weblet's name
    LWString namespaceText;  // the default namespace of the TSP's definition
};

std::string modificationId(const OSRV_WEBLET_RECORD& record)
{
    char id[32];
    std::snprintf(id, sizeof id, "%8.8d%9.9d", static_cast<int>(record.lModifiedDate),
                  static_cast<int>(record.lModifiedTime));
    return id;
}

// The default namespace declared on the document's root element.
LWString defaultNamespace(const LDOMDocument& doc)
{
    xmlNodePtr root = doc.isNull() ? nullptr : xmlDocGetRootElement(reinterpret_cast<xmlDocPtr>(doc.raw()));
    for (xmlNsPtr ns = root ? root->nsDef : nullptr; ns; ns = ns->next)
        if (!ns->prefix && ns->href)
            return LWString::fromUtf8(reinterpret_cast<const char*>(ns->href));
    return LWString();
}

LDOMDocument parsedWeblet(const OSRV_WEBLET_RECORD& record)
{
    LDOMDocument doc(false, false);
    doc.loadXML(LWString::fromUtf8(record.pszXsl ? record.pszXsl : ""));
    return doc;
}

// The message of a refused save, before 835 or 852.
LCharBuffer refusalText(long result, const std::string& weblet)
{
    switch (result) {
    case OSRV_ERR_LOCKED: return P3142_pszGetMessageText(832);
    case OSRV_ERR_INVALID: return P3142_pszGetMessageText(833);
    case OSRV_ERR_READ_ONLY: return P3142_pszGetMessageText(834);
    default: return P3142_pszGetMessageText(857, weblet.c_str(), P3142_pszCompReturnName(result));
    }
}

// Reports a refused save and throws with the first of the two messages.
[[noreturn]] void refuseSave(WAMBuilder& wam, long result, const std::string& weblet, unsigned long followUp)
{
    if (result == OSRV_ERR_LOCKED)
        P3142_lServerResult(OSRV_UnlockWeblet(weblet.c_str(), 1), "OSRV_UnlockWeblet");
    LCharBuffer first = refusalText(result, weblet);
    wam.reportMessage('F', first.c_str());
    wam.reportMessage('F', P3142_pszGetMessageText(followUp, weblet.c_str()).c_str());
    throw TSMLException(first.c_str());
}

}  // namespace

void WAMBuilder::ensureWamLayoutExists(WebGenerationContext& context)
{
    P3142_Trace(m_trace, 1, "WAMBuilder::ensureWamLayoutExists started");
    if (m_mode != WebGenerationMode::kWebGenerationAll && m_mode != WebGenerationMode::kWebGenerationNew) {
        P3142_Trace(m_trace, 1, "WAMBuilder::ensureWamLayoutExists completed");
        return;
    }
    try {
        LDirStack directory;
        const std::string home = context.stylesheetsHome.c_str() ? context.stylesheetsHome.c_str() : "";
        if (!directory.pushd(home.c_str())) {
            LCharBuffer text = P3142_pszGetMessageText(838, home.c_str());
            reportMessage('F', text.c_str());
            throw TSMLException(text.c_str());
        }
        const std::string layoutName = m_layoutName.toUtf8();
        const LCharBuffer description = P3142_pszGetMessageText(849, wamName().c_str());
        LDOMDocument doc(false, true);
        WamLayoutTsmlDoc layout(&doc, m_layoutName, LWString::fromCharBufferCodePage(description, m_codePage));
        layout.setContextValue(u"webapplication", m_wamName);
        layout.setContextValue(u"images-path", m_imagesPath);
        layout.setContextValue(u"timestamp", LWString::fromCharBuffer(P3142_FormatIsoTimestamp()));
        std::vector<TspApplication*> toSave;

        for (TspApplication& app : m_applications) {
            const std::string tsp = app.tsp.toUtf8(), application = app.application.toUtf8();
            const std::string appDescription = app.description.toUtf8();
            try {
                if (P3142_lServerResult(OSRV_XslWebletExist(layoutName.c_str(), generationLanguage(), tsp.c_str(),
                                                            application.c_str(), 0),
                                        "OSRV_XslWebletExist") == 0)
                    continue;
                TspStylesheetSet set = getTspStylesheetSet(context, app);
                LDOMDocument definition = set.definition.asDocument();
                LWString selection = tsml::xslWdSelection(" ");
                selection.append(u" xmlns:tsml=\"");
                selection.append(tsml::kTsmlNamespace);
                selection.append(u"\"");
                definition.setProperty(LDOMProperty_SelectionNamespaces, selection);
                LDOMNode defaultLayout =
                    definition.selectSingleNode(u"/xsl:transform/tsml:definition/tsml:default-layout-weblet");
                LDOMNode text = defaultLayout.isNull() ? LDOMNode() : defaultLayout.getFirstChild();
                const std::string tspDefault = text.isNull() ? std::string() : text.getNodeValue().toUtf8();
                const std::string provided =
                    m_providedLayoutName.isNull() ? std::string() : m_providedLayoutName.toUtf8();
                const bool useDefault =
                    provided.empty() || m_ownLayout ||
                    P3142_lServerResult(OSRV_XslWebletExist(provided.c_str(), generationLanguage(), tsp.c_str(),
                                                            application.c_str(), 0),
                                        "OSRV_XslWebletExist") == OSRV_ERR_NOT_FOUND;
                const std::string model = useDefault ? tspDefault : provided;
                P3142_Trace(m_trace, 2, "Inspecting %s weblet: %s [%s:%s %s] ...", useDefault ? "default" : "provided",
                            model.c_str(), tsp.c_str(), application.c_str(), generationLanguage());
                LayoutLoadContext load{this, &layout, &app, model, defaultNamespace(definition)};
                long word = 0;
                const long rc = P3142_lServerResult(
                    OSRV_XslLoadWeblet(&load, model.empty() ? nullptr : model.c_str(), generationLanguage(),
                                       tsp.c_str(), application.c_str(), &word, addAppToLayoutWebletInfoSet, 0, 0, 0),
                    "OSRV_XslLoadWeblet");
                if (rc == 0)
                    toSave.push_back(&app);
                else
                    P3142_Trace(m_trace, 1, "ERROR: OSRV_XslLoadWeblet() return code: %s", P3142_pszCompReturnName(rc));
            } catch (const LParserException& e) {
                reportMessage('F', e.message());
                LCharBuffer failed = P3142_pszGetMessageText(831, layoutName.c_str(), appDescription.c_str());
                reportMessage('F', failed.c_str());
                throw TSMLException(failed.c_str());
            } catch (const TSMLException& e) {
                reportMessage('F', e.message());
                LCharBuffer failed = P3142_pszGetMessageText(831, layoutName.c_str(), appDescription.c_str());
                reportMessage('F', failed.c_str());
                throw TSMLException(failed.c_str());
            }
        }

        layout.addTechnologyServices(layout.layoutWeblets());
        P3142_Trace(m_trace, 2, "\r\n=== WAM Layout TSML Document ===");
        P3142_TraceDocument(m_trace, 2, doc);
        P3142_Trace(m_trace, 2, "=== WAM Layout TSML Document End ===\r\n");

        const std::string descriptionText = description.c_str() ? description.c_str() : "";
        const OSRV_WEBLET_NAME weblet{layoutName.c_str(), descriptionText.c_str()};
        uint32_t saved = 0;
        for (TspApplication* app : toSave) {
            const std::string tsp = app->tsp.toUtf8(), application = app->application.toUtf8();
            const std::string appDescription = app->description.toUtf8();
            long rc = 0;
            try {
                TspStylesheetSet set = getTspStylesheetSet(context, *app);
                LCharBuffer xsl = layout.transform(set.definition.asDocument());
                P3142_Trace(m_trace, 2, "Saving weblet: %s [%s:%s]; description: %s; Data: %s", layoutName.c_str(),
                            tsp.c_str(), application.c_str(), descriptionText.c_str(), xsl.c_str() ? "OK" : "null");
                const OSRV_WEBLET_DATA data{tsp.c_str(), application.c_str(), 0, xsl.c_str(), 0, 0};
                rc = P3142_lServerResult(OSRV_XslSaveWeblet(&weblet, &data, nullptr, generationLanguage()),
                                         "OSRV_XslSaveWeblet");
            } catch (const LParserException& e) {
                reportMessage('F', e.message());
                LCharBuffer failed = P3142_pszGetMessageText(831, layoutName.c_str(), appDescription.c_str());
                reportMessage('F', failed.c_str());
                throw TSMLException(failed.c_str());
            }
            if (rc != 0)
                refuseSave(*this, rc, layoutName, 835);
            P3142_lServerResult(OSRV_UnlockWeblet(layoutName.c_str(), 1), "OSRV_UnlockWeblet");
            ++saved;
            reportMessage('I', P3142_pszGetMessageText(836, layoutName.c_str(), appDescription.c_str()).c_str());
        }

        if (saved > 0) {
            LCharBuffer base;
            try {
                XSLTDoc builder;
                builder.load(LWString::fromMultiByte((home + "\\tsp_global_qvml_webletbuilder.xsl").c_str()));
                base = builder.transform(doc);
            } catch (const LDOMException& e) {
                reportMessage('F', e.message());
                LCharBuffer failed = P3142_pszGetMessageText(851, layoutName.c_str());
                reportMessage('F', failed.c_str());
                throw TSMLException(failed.c_str());
            }
            const OSRV_WEBLET_DATA data{nullptr, nullptr, 0, base.c_str(), 0, 0};
            const long rc = P3142_lServerResult(OSRV_XslSaveWeblet(&weblet, nullptr, &data, generationLanguage()),
                                                "OSRV_XslSaveWeblet");
            if (rc != 0)
                refuseSave(*this, rc, layoutName, 852);
            P3142_lServerResult(OSRV_UnlockWeblet(layoutName.c_str(), 1), "OSRV_UnlockWeblet");
            reportMessage('I', P3142_pszGetMessageText(853, layoutName.c_str()).c_str());
        }
    } catch (const LDOMException& e) {
        throw TSMLException(e.message());
    }
    P3142_Trace(m_trace, 1, "WAMBuilder::ensureWamLayoutExists completed");
}

long WAMBuilder::addAppToLayoutWebletInfoSet(void* loadContext, long, void* record)
{
    auto& load = *static_cast<LayoutLoadContext*>(loadContext);
    const auto& weblet = *static_cast<const OSRV_WEBLET_RECORD*>(record);
    P3142_Trace(load.wam->m_trace, 2, "WAMBuilder::addAppToLayoutWebletInfoSet started");
    LWStringRecord3 key(load.application->tsp, load.application->application, LWString(u""));
    LayoutWebletInfo info(key, modificationId(weblet).c_str(), load.namespaceText, *load.layout);
    info.webletName = LWString::fromMultiByte(load.model.c_str());
    info.wamLayout = info.webletName == load.wam->m_layoutName;
    LDOMDocument stylesheet = parsedWeblet(weblet);
    TsmlLayoutWebletInspect(info, stylesheet, info.webletName, nullptr);
    load.layout->layoutWeblets().insert(info);
    P3142_Trace(load.wam->m_trace, 2, "WAMBuilder::addAppToLayoutWebletInfoSet ended");
    return 1;
}

long P3142_OnFieldWebletLoaded(void* loadContext, long, void* record)
{
    auto& load = *static_cast<TechServiceLoadContext*>(loadContext);
    const auto& weblet = *static_cast<const OSRV_WEBLET_RECORD*>(record);
    LWStringRecord3 key(LWString::fromMultiByte(weblet.pszTsp), LWString::fromMultiByte(weblet.pszApplication),
                        LWString(u""));
    FieldWebletInfo info(key, modificationId(weblet).c_str());
    LDOMDocument stylesheet = parsedWeblet(weblet);
    if (!WebletXsl_hasTemplate(load.set->name, stylesheet)) {
        P3142_Trace(load.wam->m_trace, 2, "   Template %s not found in weblet %s for TSP: %s",
                    load.set->name.rightOf(u'.').toUtf8().c_str(), webletPart(load.set->name).toUtf8().c_str(),
                    weblet.pszTsp ? weblet.pszTsp : "");
        return 1;
    }
    WebletXsl_readTemplateParams(info, stylesheet, load.set->name);
    load.set->entries.insert(info);
    return 1;
}
