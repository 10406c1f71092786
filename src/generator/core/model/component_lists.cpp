/*
** component_lists.cpp: the component definition lists: the resources and
** member texts from the object server, the routines from the checker's
** records and the dispatched commands from the object layer.
*/
#include "generator/core/model/component_lists.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/command_state.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"
#include "platform/dqoo/dqoo.h"
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

/* The command of a dispatch record as the run time's constant. */
std::string commandConstant(const std::string& command, bool fCSharp)
{
    return (fCSharp ? "DqooDef.X_COMP_COMMAND_" : "X_COMP_COMMAND_") + command;
}

/* One dispatched command: its id in the dispatch-id table and a member
** object group that describes it to the run time. */
long takeDispatch(void* pvUser, const DQOO_DISPATCH* d)
{
    auto& c = *static_cast<GEN_MODEL_COMPONENT*>(pvUser);
    c.dispatch.ids.push_back(d->lId);
    GEN_MEMBER_OBJECT_GROUP group;
    group.structureType = "X_COMP_DISPATCH";
    group.objectName = "s_Dispatch_" + std::to_string(d->lId);
    const std::string id = std::to_string(d->lId), line = std::to_string(d->ulLine);
    const auto text = [](int16_t sequence, const char* comment, const char* value) {
        GEN_GROUP_ELEMENT e{sequence, comment, 2, value ? value : "", "", false, 0};
        e.fEmpty = e.cValue.empty();
        return e;
    };
    group.elements = {
        {1, "Identifier", 1, id + "L", id, false, 0},
        {2, "Command", 1, commandConstant(d->pszCommand, false), commandConstant(d->pszCommand, true), false, 0},
        text(3, "Component", d->pszComponent),
        text(4, "Feature", d->pszFeature),
        text(5, "Arguments", d->pszArguments),
        {6, "Line", 1, line + "L", line, false, 0},
    };
    c.dispatchObjects.push_back(group.objectName);
    c.groups.push_back(std::move(group));
    return 0;
}

/* The component routines, in order of appearance, as the members of the
** routine header table: the routines the run time calls. */
void readRoutines(GEN_MODEL_COMPONENT& c)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return;
    std::vector<std::pair<int32_t, std::string>> routines;
    FFC_WORK_RECORD r;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, WR_USRSUBR, FFC_WORK_KIND_LEN);
    for (char rc = WF_cReadFirst(ctx, GEN_SLOT_SETUP, &r, 1); rc == '0';
         rc = WF_cReadNext(ctx, GEN_SLOT_SETUP, &r, 1)) {
        const std::string name(r.acName, 10);
        static constexpr const char* kKinds[] = {"*PTY_", "*EVT_", "*MTH_", "*WEB_"};
        if (std::none_of(std::begin(kKinds), std::end(kKinds), [&](const char* k) { return name.rfind(k, 0) == 0; }))
            continue;
        const auto* data = reinterpret_cast<const WR_USRSUBR_DATA*>(r.acData);
        routines.emplace_back(FIX_lDigitsToLong(data->acLine, 7, nullptr), name);
    }
    std::sort(routines.begin(), routines.end());
    for (const auto& [line, name] : routines)
        c.header.members.push_back(GEN_COMPONENT_HEADER_MEMBER{P3109_MakeSubroutineName(name), true});
}

/* The component of the run: its routines and the commands it dispatches. */
void readComponent()
{
    GEN_MODEL_COMPONENT c;
    c.header.name = "X_Component_Header";
    c.dispatch.name = "X_Component_Dispatch_Ids";
    readRoutines(c);
    auto* build = static_cast<FCC_BUILD_HANDLE*>(P3109_pBuildHandle());
    if (build) {
        const long rc = DQOO_FCC_EnumerateDispatches(build, takeDispatch, &c);
        if (rc < 0 && rc != DQOO_ERR_NO_BUILD)
            DQOO_FCC_FatalError("DQOO_FCC_EnumerateDispatches", rc);
    }
    lists().model.components.push_back(std::move(c));
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
    if (!ctx || (!ctx->lComponentRun && !ctx->lZophxUsed) || ctx->pComponentDefinitions)
        return;
    if (ctx->lComponentRun) {
        const std::string component = P3109_TrimRight(std::string_view(ctx->acComponent, sizeof ctx->acComponent));
        read(component, OSRV_DATA_RESOURCES, takeResource);
        read(component, OSRV_DATA_MEMBER_TEXTS, takeMemberText);
    }
    readComponent();
    /* the builds of a compound component before its home's */
    lists().model.lMemberBuilds = ctx->lCompoundComponent != 0 ? std::max(0, ctx->lPassCount - 1) : 0;
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
