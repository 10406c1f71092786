// Result arrays of the command parser and the display of a result's text.

#include "platform/dqot/dqot_results.h"

#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

namespace {

std::mutex g_mutex;
std::map<const TPARS_RESULT*, std::unique_ptr<dqot::ResultSet>> g_sets;

void writeToStandardError(void*, const char* text, size_t length) {
    std::fwrite(text, 1, length, stderr);
    std::fputc('\n', stderr);
}

TPARS_DISPLAY_SINK g_sink = writeToStandardError;
void* g_sinkUser = nullptr;

}  // namespace

namespace dqot {

ResultSet& newResultSet(size_t n) {
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

extern "C" void TPARS_FreeResults(TPARS_RESULT* pResults) {
    if (pResults == nullptr)
        return;
    std::lock_guard<std::mutex> lock(g_mutex);
    g_sets.erase(pResults);
}

extern "C" TPARS_DISPLAY_SINK TPARS_SetDisplaySink(TPARS_DISPLAY_SINK pfnSink, void* pvUser) {
    std::lock_guard<std::mutex> lock(g_mutex);
    TPARS_DISPLAY_SINK previous = g_sink;
    g_sink = pfnSink != nullptr ? pfnSink : writeToStandardError;
    g_sinkUser = pfnSink != nullptr ? pvUser : nullptr;
    return previous;
}

extern "C" int16_t TPARS_InitServices(void) {
    TPARS_SetDisplaySink(nullptr, nullptr);
    return 0;
}

extern "C" void TPARS_DisplayResult(const TPARS_RESULT* pResult) {
    if (pResult == nullptr || pResult->lError == TPARS_OK)
        return;
    TPARS_DISPLAY_SINK sink;
    void* user;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        sink = g_sink;
        user = g_sinkUser;
    }
    sink(user, pResult->szText, strnlen(pResult->szText, sizeof pResult->szText));
}
