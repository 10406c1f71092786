// What a check leaves for its callers: the cross-references (the names the
// ZOPHX parses referred to), the exchanged fields, the dispatch records and
// the members and properties.

#include "platform/dqoo/dqoo_build.h"

#include <algorithm>
#include <set>
#include <utility>

namespace {

// Hands each record to a callback, counting them; a callback's non-zero
// answer ends the enumeration and is its result (negated when positive).
class Handing {
public:
    template <typename Callback, typename... Args> bool hand(Callback callback, Args... args)
    {
        if (callback != nullptr)
            if (const long rc = callback(args...); rc != 0) {
                result_ = rc > 0 ? -rc : rc;
                return false;
            }
        ++result_;
        return true;
    }
    long result() const { return result_; }

private:
    long result_ = 0;
};

}  // namespace

extern "C" long DQOO_FCC_EnumerateCrossReferences(FCC_BUILD_HANDLE* pBuild)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr || !state->checking)
        return DQOO_ERR_NO_CHECK;
    std::set<std::pair<std::string, std::string>> seen;
    Handing h;
    for (const dqoo::BuildState::Reference& r : state->references)
        if (seen.insert({r.kind, r.name}).second &&
            !h.hand(state->start.pfnRecordXref, r.kind.c_str(), r.name.c_str(), r.line))
            break;
    return h.result();
}

extern "C" long DQOO_FCC_EnumerateExchangedFields(FCC_BUILD_HANDLE* pBuild, DQOO_EXCHANGE_CALLBACK pfnCallback,
                                                  void* pvUser)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    Handing h;
    for (const dqoo::ExchangedField& e : state->zophx.exchanged) {
        const DQOO_EXCHANGED_FIELD field{e.number, e.field.c_str(), e.maximum ? 'Y' : 'N',
                                         e.evaluationCase ? 'Y' : 'N'};
        if (!h.hand(pfnCallback, pvUser, &field))
            break;
    }
    return h.result();
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
    Handing h;
    for (const dqoo::DispatchRecord* r : records) {
        const DQOO_DISPATCH d{r->id,
                              r->line,
                              r->command.c_str(),
                              r->component.c_str(),
                              r->feature.c_str(),
                              r->arguments.c_str()};
        if (!h.hand(pfnCallback, pvUser, &d))
            break;
    }
    return h.result();
}

extern "C" long DQOO_FCC_EnumerateUsage(FCC_BUILD_HANDLE* pBuild, DQOO_USAGE_CALLBACK pfnCallback, void* pvUser)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    Handing h;
    const auto hand = [&](const std::string& name, int32_t kind, int32_t scope, uint32_t flags) {
        const DQOO_USAGE usage{name.c_str(), kind, scope, flags};
        return h.hand(pfnCallback, pvUser, &usage);
    };
    for (const auto& [name, member] : state->zophx.members)
        if (!hand(name, 100, member.scope, 1u | (member.fieldClass ? 2u : 0u)))
            return h.result();
    for (const std::string& property : state->zophx.properties)
        if (!hand(property, 200, 0, 0))
            break;
    return h.result();
}
