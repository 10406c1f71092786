// Result arrays of the command parser and the display of a result's text.

#include "platform/dqot/dqot_results.h"
#include "platform/dqos/dqos.h"

#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

std::mutex g_mutex;
std::map<const TPARS_RESULT*, std::unique_ptr<dqot::ResultSet>> g_sets;

}  // namespace

namespace dqot {

ResultSet& newResultSet(size_t n)
{
    auto set = std::make_unique<ResultSet>();
    set->results.resize(n);
    std::memset(set->results.data(), 0, n * sizeof(TPARS_RESULT));
    set->parameters.resize(n);
    ResultSet& ref = *set;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sets.emplace(ref.results.data(), std::move(set));
    return ref;
}

}  // namespace dqot

static_assert(sizeof(TPARS_RESULT) == 1040, "a parse result is 1,040 bytes");

extern "C" void TPARS_FreeResults(TPARS_RESULT* pResults)
{
    if (pResults == nullptr)
        return;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sets.erase(pResults);
}

extern "C" int16_t TPARS_InitServices(void)
{
    return 0;
}

extern "C" void TPARS_DisplayResult(const TPARS_RESULT* pResult)
{
    if (pResult == nullptr || pResult->lError == TPARS_OK)
        return;
    const std::string text(pResult->szText, strnlen(pResult->szText, sizeof pResult->szText));
    SMSG_DisplayMessage(text.c_str());
}
