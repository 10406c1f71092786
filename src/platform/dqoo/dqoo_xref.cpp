// What a check leaves for its callers: the cross-references (the names the
// ZOPHX parses referred to), the exchanged fields, the dispatch records and
// the members and properties.

#include "platform/dqoo/dqoo_build.h"

#include <algorithm>
#include <set>
#include <utility>

extern "C" long DQOO_FCC_EnumerateCrossReferences(FCC_BUILD_HANDLE* pBuild)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr || !state->checking)
        return DQOO_ERR_NO_CHECK;
    std::set<std::pair<std::string, std::string>> seen;
    long handed = 0;
    for (const dqoo::BuildState::Reference& r : state->references) {
        if (!seen.insert({r.kind, r.name}).second)
            continue;
        if (state->start.pfnRecordXref != nullptr) {
            const long rc = state->start.pfnRecordXref(r.kind.c_str(), r.name.c_str(), r.line);
            if (rc != 0)
                return rc > 0 ? -rc : rc;
        }
        ++handed;
    }
    return handed;
}

extern "C" long DQOO_FCC_EnumerateExchangedFields(FCC_BUILD_HANDLE* pBuild, DQOO_EXCHANGE_CALLBACK pfnCallback,
                                                  void* pvUser)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    long handed = 0;
    for (const dqoo::ExchangedField& e : state->zophx.exchanged) {
        const DQOO_EXCHANGED_FIELD field{e.number, e.field.c_str(), e.maximum ? 'Y' : 'N',
                                         e.evaluationCase ? 'Y' : 'N'};
        if (pfnCallback != nullptr)
            if (const long rc = pfnCallback(pvUser, &field); rc != 0)
                return rc > 0 ? -rc : rc;
        ++handed;
    }
    return handed;
}

extern "C" long DQOO_FCC_EnumerateDispatches(FCC_BUILD_HANDLE* pBuild, DQOO_DISPATCH_CALLBACK pfnCallback,
                                             void* pvUser)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    std::vector<const dqoo::DispatchRecord*> records;
    for (const dqoo::DispatchRecord& r : state->zophx.dispatches)
        records.push_back(&r);
    std::sort(records.begin(), records.end(), [](auto* a, auto* b) { return a->id < b->id; });
    long handed = 0;
    for (const dqoo::DispatchRecord* r : records) {
        const DQOO_DISPATCH d{r->id,
                              r->line,
                              r->command.c_str(),
                              r->component.c_str(),
                              r->feature.c_str(),
                              r->arguments.c_str()};
        if (pfnCallback != nullptr)
            if (const long rc = pfnCallback(pvUser, &d); rc != 0)
                return rc > 0 ? -rc : rc;
        ++handed;
    }
    return handed;
}

extern "C" long DQOO_FCC_EnumerateUsage(FCC_BUILD_HANDLE* pBuild, DQOO_USAGE_CALLBACK pfnCallback, void* pvUser)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    long handed = 0;
    const auto hand = [&](const std::string& name, int32_t kind, int32_t scope, uint32_t flags) -> long {
        const DQOO_USAGE usage{name.c_str(), kind, scope, flags};
        if (pfnCallback != nullptr)
            if (const long rc = pfnCallback(pvUser, &usage); rc != 0)
                return rc > 0 ? -rc : rc;
        ++handed;
        return 0;
    };
    for (const auto& [name, member] : state->zophx.members)
        if (const long rc = hand(name, 100, member.scope, 1u | (member.fieldClass ? 2u : 0u)); rc != 0)
            return rc;
    for (const std::string& property : state->zophx.properties)
        if (const long rc = hand(property, 200, 0, 0); rc != 0)
            return rc;
    return handed;
}
