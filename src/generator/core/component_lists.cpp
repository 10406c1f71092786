/*
** component_lists.cpp: the component definition lists from the object
** server.
*/
#include "generator/core/component_lists.h"

#include <cstring>

#include "dqov/ffc_context.h"
#include "generator/core/gen_state.h"
#include "generator/core/services.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"

namespace {

GEN_COMPONENT_LISTS& lists()
{
    static GEN_COMPONENT_LISTS l;
    return l;
}

long takeResource(void* pvUser, long, void* pvRecord)
{
    auto* request = static_cast<OSRV_DATA_REQUEST*>(pvUser);
    const auto* r = static_cast<const OSRV_RESOURCE_DATA*>(pvRecord);
    if (!request || !r)
        return 1;
    GEN_COMPONENT_RESOURCE resource;
    resource.lType = static_cast<int32_t>(r->lType);
    resource.usIdentifier = r->usIdentifier;
    if (r->pvData && r->lLength > 0) {
        const auto* bytes = static_cast<const unsigned char*>(r->pvData);
        resource.data.assign(bytes, bytes + r->lLength);
    }
    resource.kindText = r->pszKind ? r->pszKind : "";
    resource.extension = r->pszExtension ? r->pszExtension : "";
    resource.keyword = r->pszKeyword ? r->pszKeyword : "";
    static_cast<GEN_COMPONENT_LISTS*>(request->pvStream)->resources.push_back(std::move(resource));
    return 1;
}

long takeMemberText(void* pvUser, long, void* pvRecord)
{
    auto* request = static_cast<OSRV_DATA_REQUEST*>(pvUser);
    const auto* t = static_cast<const OSRV_MEMBER_TEXT_DATA*>(pvRecord);
    if (!request || !t)
        return 1;
    GEN_MEMBER_TEXT text{t->pszOwner ? t->pszOwner : "", t->pszMember ? t->pszMember : "",
                         static_cast<int32_t>(t->lTextKind), t->pszCTarget ? t->pszCTarget : "",
                         t->pszCsTarget ? t->pszCsTarget : ""};
    static_cast<GEN_COMPONENT_LISTS*>(request->pvStream)->texts.push_back(std::move(text));
    return 1;
}

void read(long lKind, OSRV_DATA_CALLBACK pfnTake)
{
    const GEN_MODULE_STATE& g = P3109_State();
    const std::string component = P3109_TrimRight(std::string_view(g.args.pContext->acComponent, 10));
    OSRV_DATA_REQUEST request{&lists(), component.c_str(), g.partition.c_str()};
    if (OSRV_GetData(nullptr, &request, lKind, nullptr, nullptr, nullptr, pfnTake) == OSRV_ERR_REPOSITORY)
        P3109_FatalSqlError(std::string(SSQL_pszLocation()).c_str());
}

}  // namespace

GEN_COMPONENT_LISTS& P3109_ComponentLists()
{
    GEN_COMPONENT_LISTS& l = lists();
    if (l.fLoaded)
        return l;
    l.fLoaded = true;
    const FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->lComponentRun)
        return l;
    read(OSRV_DATA_RESOURCES, takeResource);
    read(OSRV_DATA_MEMBER_TEXTS, takeMemberText);
    return l;
}

void P3109_ResetComponentLists()
{
    lists() = GEN_COMPONENT_LISTS{};
}
