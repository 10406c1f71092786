// Technology-service sets of weblet fields: for each weblet that fields
// and list columns of the web routines use, the technology-service
// applications that offer it in the generation language, with the
// weblet's information per application; built once per weblet name and
// WAM.  Also the weblet loader of the inliner.
#include <string>

#include "platform/dqoosrv/dqoosrv_web.h"
#include "web/wam/wam_builder.h"
#include "web/wam/web_support.h"

LCharBuffer P3142_MakeInlineWebletName(const char* name, uint8_t inlined)
{
    if (!name || inlined == 0)
        return LCharBuffer();
    return LCharBuffer((std::string(name) + ".inline").c_str());
}

TechServiceSet WAMBuilder::buildTechServiceSet(const char* name)
{
    if (!name)
        return TechServiceSet();
    const LWString wide = LWString::fromMultiByte(name);
    if (auto hit = m_techServiceSets.find(wide); hit != m_techServiceSets.end())
        return hit->second;
    TechServiceSet set;
    set.name = wide;
    P3142_Trace(m_trace, 3, "Build Tech Service set for weblet: %s, lang: %s", name, generationLanguage());
    TechServiceLoadContext load{this, &set};
    const std::string weblet = webletPart(wide).toUtf8();
    if (P3142_lServerResult(OSRV_XslEnumWebletApps(&load, 0, weblet.c_str(), generationLanguage(), 0, onWebletApp),
                            "OSRV_XslEnumWebletApps") != 0) {
        LCharBuffer text = P3142_pszGetMessageText(837, name);
        m_sink->add('W', text.c_str());
        P3142_Trace(m_trace, 1, "%s", text.c_str() ? text.c_str() : "");
    }
    m_techServiceSets[wide] = set;
    P3142_Trace(m_trace, 2, "Weblet %s added to set", name);
    return set;
}

long WAMBuilder::onWebletApp(void* loadContext, long, void* pair)
{
    auto& load = *static_cast<TechServiceLoadContext*>(loadContext);
    const auto& app = *static_cast<const OSRV_TSP_APPLICATION_PAIR*>(pair);
    P3142_Trace(load.wam->m_trace, 3, "   TSP: %s:%s", app.pszTsp, app.pszApplication);
    const std::string weblet = webletPart(load.set->name).toUtf8();
    long word = 0;
    const long rc = P3142_lServerResult(OSRV_XslLoadWeblet(&load, weblet.c_str(), load.wam->generationLanguage(),
                                                           app.pszTsp, app.pszApplication, &word,
                                                           P3142_OnFieldWebletLoaded, 0, 0, 0),
                                        "OSRV_XslLoadWeblet");
    return rc == 0 ? 1 : 0;
}

int P3142_fLoadWeblet(WdWebletSinkContext* context, WdWebletLoadRequest* request, WdWebletSink sink)
{
    long word = 0;
    return P3142_lServerResult(OSRV_XslLoadWeblet(context, request->weblet, request->language, request->tsp,
                                                  request->application, &word, sink, 0, 0, 0),
                               "OSRV_XslLoadWeblet") == 0;
}
