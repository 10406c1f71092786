// What a check leaves for its callers: the cross-references (the names the
// ZOPHX parses referred to), the exchanged fields and the dispatch records.

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
