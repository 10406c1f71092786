// Build start and end, check start and end.

#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_fixture.h"
#include "platform/dqoo/dqoo_repository.h"
#include "platform/dqoo/dqoo_store.h"

#include <cstring>
#include <map>
#include <memory>

namespace {

std::map<const FCC_BUILD_HANDLE*, std::unique_ptr<dqoo::BuildState>>& builds()
{
    static std::map<const FCC_BUILD_HANDLE*, std::unique_ptr<dqoo::BuildState>> all;
    return all;
}

// The members of a compound component, in member order; empty for any
// other object.
bool readMembers(dqoo::BuildState& state)
{
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area, "SELECT XCMMEM FROM QV_DTA.QV_OCM WHERE XCMP_I = '%s' AND XCMCMP = '%s' ORDER BY XCMSEQ",
                        state.partition.c_str(), state.objectName.c_str()) != SSQL_RC_OK)
        return false;
    dqoo::Cursor cursor(area, "DQOO/QV_OCM/1");
    if (!cursor.ok())
        return false;
    for (;;) {
        dqoo::VaryingText<64> member;
        const unsigned short rc = cursor.next(member.column());
        if (rc == SSQL_RC_END)
            return true;
        if (rc != SSQL_RC_OK)
            return false;
        state.members.push_back(dqoo::trimmedName(member.str().c_str()));
    }
}

}  // namespace

namespace dqoo {

BuildState* findBuild(const FCC_BUILD_HANDLE* build)
{
    auto it = builds().find(build);
    return it == builds().end() ? nullptr : it->second.get();
}

BuildState* checkingBuild()
{
    for (auto& [handle, state] : builds())
        if (state->checking)
            return state.get();
    return nullptr;
}

std::string currentComponent(const BuildState& state)
{
    if (state.members.empty())
        return state.objectName;
    const size_t pass = state.checksStarted == 0 ? 0 : state.checksStarted - 1;
    return state.members[std::min(pass, state.members.size() - 1)];
}

void reportFinding(BuildState& state, const std::string& text)
{
    ++state.findings;
    if (state.checking && state.start.pfnReportFinding != nullptr)
        state.start.pfnReportFinding(text.c_str(), text.size());
}

}  // namespace dqoo

extern "C" long DQOO_FCC_StartBuild(FCC_BUILD_HANDLE* pBuild, const DQOO_BUILD_REQUEST* pRequest,
                                    uint32_t* pulPassCount, int32_t* plBuildStart)
{
    if (pulPassCount != nullptr)
        *pulPassCount = 1;
    if (plBuildStart != nullptr)
        *plBuildStart = 0;
    if (pBuild == nullptr || pRequest == nullptr || pRequest->pszObjectName == nullptr)
        return DQOO_ERR_ARGUMENT;
    auto state = std::make_unique<dqoo::BuildState>();
    state->objectName = dqoo::trimmedName(pRequest->pszObjectName);
    state->functionName = dqoo::trimmedName(pRequest->pszFunctionName);
    state->partition = dqoo::trimmedName(pRequest->pszPartition);
    state->commands = pRequest->pCommands;
    if (pRequest->chNational1 != 0)
        state->national[0] = pRequest->chNational1;
    if (pRequest->chNational2 != 0)
        state->national[1] = pRequest->chNational2;
    if (pRequest->chNational3 != 0)
        state->national[2] = pRequest->chNational3;
    state->component = state->functionName.empty() || state->functionName.rfind("*COMP", 0) == 0;
    if (state->component && !readMembers(*state))
        return DQOO_ERR_REPOSITORY;
    if (!state->members.empty()) {
        if (pulPassCount != nullptr)
            *pulPassCount = static_cast<uint32_t>(state->members.size());
        if (plBuildStart != nullptr)
            *plBuildStart = static_cast<int32_t>(state->members.size());
    }
    if (auto old = builds().find(pBuild); old != builds().end())
        dqoo::releaseWams(*old->second);
    builds()[pBuild] = std::move(state);
    return DQOO_OK;
}

extern "C" long DQOO_FCC_EndBuild(FCC_BUILD_HANDLE* pBuild)
{
    auto it = builds().find(pBuild);
    if (it == builds().end())
        return DQOO_ERR_NO_BUILD;
    dqoo::releaseWams(*it->second);
    builds().erase(it);
    DQOO_FCC_ClearExpressions();
    return DQOO_OK;
}

extern "C" long DQOO_FCC_QueryBuild(const FCC_BUILD_HANDLE* pBuild)
{
    return pBuild != nullptr && dqoo::findBuild(pBuild) != nullptr ? DQOO_OK : DQOO_ERR_NO_BUILD;
}

extern "C" long DQOO_FCC_StartChecking(FCC_BUILD_HANDLE* pBuild, const DQOO_START_REQUEST* pRequest)
{
    if (pRequest == nullptr)
        return DQOO_ERR_ARGUMENT;
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    if (dqoo::BuildState* other = dqoo::checkingBuild(); other != nullptr && other != state)
        other->checking = false;
    state->start = *pRequest;
    const char* names[4] = {pRequest->pszComponentName, pRequest->pszSecondComponentName, pRequest->pszProcessName,
                            pRequest->pszFunctionName};
    const char** slots[4] = {&state->start.pszComponentName, &state->start.pszSecondComponentName,
                             &state->start.pszProcessName, &state->start.pszFunctionName};
    for (int i = 0; i < 4; ++i) {
        state->startNames[i] = names[i] != nullptr ? names[i] : "";
        *slots[i] = names[i] != nullptr ? state->startNames[i].c_str() : nullptr;
    }
    state->checking = true;
    state->findings = 0;
    dqoo::resetCompiledStore();
    state->references.clear();
    state->zophx = dqoo::ZophxModel{};
    ++state->checksStarted;
    return DQOO_OK;
}

extern "C" long DQOO_FCC_EndChecking(void)
{
    dqoo::BuildState* state = dqoo::checkingBuild();
    if (state == nullptr)
        return DQOO_ERR_NO_CHECK;
    state->checking = false;
    return DQOO_OK;
}
