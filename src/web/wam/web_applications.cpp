// The run's web application list: the technology-service applications for
// which the web routines' stylesheets are made, read from the partition's
// web application build entries (TSP, application, description).
#include <memory>
#include <string>
#include <vector>

#include "checker/support_names.h"
#include "dqov/web/web.h"
#include "platform/dqos/dqos.h"

namespace {

struct ApplicationList {
    const FFC_CONTEXT* owner = nullptr;
    std::vector<std::unique_ptr<std::string[]>> texts;
    std::vector<FFC_WEB_APPLICATION> entries;
};

ApplicationList& list()
{
    static ApplicationList l;
    return l;
}

}  // namespace

extern "C" void P3142_LoadWebApplicationList(FFC_CONTEXT* pContext)
{
    if (!pContext)
        return;
    ApplicationList& l = list();
    l = ApplicationList();
    P31O2_BUILD_APP_LIST entries{};
    SMISC_LoadBuildWamApp(P31O2_fAddBuildAppEntry, &entries);
    for (uint32_t i = 0; i < entries.ulCount; ++i) {
        const SMISC_BUILD_APP& entry = entries.pEntries[i];
        auto texts = std::make_unique<std::string[]>(3);
        texts[0] = entry.szName1;
        texts[1] = entry.szName2;
        texts[2] = entry.szName3;
        l.entries.push_back({texts[0].data(), texts[1].data(), texts[2].data()});
        l.texts.push_back(std::move(texts));
    }
    SMEM_FreeMem(entries.pEntries);
    l.owner = pContext;
    pContext->ulWebApplicationCount = static_cast<uint32_t>(l.entries.size());
    pContext->pWebApplications = l.entries.empty() ? nullptr : l.entries.data();
}

extern "C" void P3142_ReleaseWebApplicationList(FFC_CONTEXT* pContext)
{
    if (!pContext)
        return;
    ApplicationList& l = list();
    if (l.owner == pContext)
        l = ApplicationList();
    pContext->ulWebApplicationCount = 0;
    pContext->pWebApplications = nullptr;
}
