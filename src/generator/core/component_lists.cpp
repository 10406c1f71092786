/*
** component_lists.cpp: the component definition lists from the object
** server.
*/
#include "generator/core/component_lists.h"

#include <string>

#include "generator/core/gen_state.h"
#include "generator/core/services.h"
#include "platform/dqoosrv/dqoosrv.h"
#include "platform/dqos/dqos.h"

namespace {

struct Lists {
    GEN_COMPONENT_MODEL model;
    int32_t lCSharpResourceNumber = 0;
};

Lists& lists()
{
    static Lists l;
    return l;
}

GEN_COMPONENT_MODEL& modelOf(void* pvUser)
{
    return *static_cast<GEN_COMPONENT_MODEL*>(static_cast<OSRV_DATA_REQUEST*>(pvUser)->pvStream);
}

long takeResource(void* pvUser, long, void* pvRecord)
{
    const auto* r = static_cast<const OSRV_RESOURCE_DATA*>(pvRecord);
    if (!pvUser || !r)
        return 1;
    GEN_RESOURCE resource;
    resource.lType = static_cast<int32_t>(r->lType);
    resource.sIdentifier = static_cast<int16_t>(r->usIdentifier);
    if (r->pvData && r->lLength > 0) {
        const auto* bytes = static_cast<const uint8_t*>(r->pvData);
        resource.data.assign(bytes, bytes + r->lLength);
    }
    resource.kindText = r->pszKind ? r->pszKind : "";
    resource.extension = r->pszExtension ? r->pszExtension : "";
    resource.keyword = r->pszKeyword ? r->pszKeyword : "";
    modelOf(pvUser).resources.push_back(std::move(resource));
    return 1;
}

/* Texts of one owner follow each other: a new owner name opens an owner. */
long takeMemberText(void* pvUser, long, void* pvRecord)
{
    const auto* t = static_cast<const OSRV_MEMBER_TEXT_DATA*>(pvRecord);
    if (!pvUser || !t)
        return 1;
    std::vector<GEN_TEXT_OWNER>& owners = modelOf(pvUser).owners;
    const std::string owner = t->pszOwner ? t->pszOwner : "";
    if (owners.empty() || owners.back().name != owner)
        owners.push_back(GEN_TEXT_OWNER{owner, {}});
    owners.back().texts.push_back(GEN_MEMBER_TEXT{t->pszMember ? t->pszMember : "", static_cast<int32_t>(t->lTextKind),
                                                  t->pszCTarget ? t->pszCTarget : "",
                                                  t->pszCsTarget ? t->pszCsTarget : ""});
    return 1;
}

void read(const std::string& component, long lKind, OSRV_DATA_CALLBACK pfnTake)
{
    OSRV_DATA_REQUEST request{&lists().model, component.c_str(), P3109_State().partition.c_str()};
    if (OSRV_GetData(nullptr, &request, lKind, nullptr, nullptr, nullptr, pfnTake) == OSRV_ERR_REPOSITORY)
        P3109_FatalSqlError(std::string(SSQL_pszLocation()).c_str());
}

}  // namespace

void P3109_LoadComponentLists()
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->lComponentRun || ctx->pComponentDefinitions)
        return;
    const std::string component = P3109_TrimRight(std::string_view(ctx->acComponent, sizeof ctx->acComponent));
    read(component, OSRV_DATA_RESOURCES, takeResource);
    read(component, OSRV_DATA_MEMBER_TEXTS, takeMemberText);
    ctx->pComponentDefinitions = &lists().model;
}

int32_t P3109_lNextCSharpResourceNumber()
{
    return ++lists().lCSharpResourceNumber;
}

void P3109_ResetComponentLists()
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (ctx && ctx->pComponentDefinitions == &lists().model)
        ctx->pComponentDefinitions = nullptr;
    lists() = Lists{};
}
