// Component source: the stored lines of a component, each split into
// label, command name and parameters for the collector.

#include "platform/dqoo/dqoo_source.h"
#include "platform/dqoo/dqoo_build.h"
#include "platform/dqoo/dqoo_repository.h"

#include <cstring>
#include <memory>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Stored lines may hold a whole command with its continuations.
constexpr size_t kMaxLine = 32000;

}  // namespace

extern "C" void DQOO_SplitSourceLine(const char* pszText, char* pszLabel, char* pszName, const char** ppszParameters)
{
    pszLabel[0] = '\0';
    pszName[0] = '\0';
    const char* p = pszText != nullptr ? pszText : "";
    while (isBlank(*p))
        ++p;
    const char* word = p;
    while (*p != '\0' && !isBlank(*p) && *p != ':' && *p != '(')
        ++p;
    if (*p == ':' && p - word <= 3) {
        std::memcpy(pszLabel, word, static_cast<size_t>(p - word));
        pszLabel[p - word] = '\0';
        ++p;
        while (isBlank(*p))
            ++p;
        word = p;
        while (*p != '\0' && !isBlank(*p) && *p != '(')
            ++p;
    } else if (*p == ':') {
        // Not a label: the word is read as the name below.
        while (*p != '\0' && !isBlank(*p) && *p != '(')
            ++p;
    }
    const size_t nameLength = std::min<size_t>(static_cast<size_t>(p - word), 10);
    std::memcpy(pszName, word, nameLength);
    pszName[nameLength] = '\0';
    while (isBlank(*p))
        ++p;
    if (ppszParameters != nullptr)
        *ppszParameters = p;
}

namespace dqoo {

long deliverComponentSource(const std::string& partition, const std::string& component, DQOO_SOURCE_COLLECTOR collect,
                            uint32_t* lines)
{
    *lines = 0;
    if (collect == nullptr)
        return DQOO_ERR_ARGUMENT;
    SSQL_AREA area;
    if (SSQL_DeclareExt(&area, "SELECT XCSTXT FROM QV_DTA.QV_OCS WHERE XCSP_I = '%s' AND XCSCMP = '%s' ORDER BY XCSSEQ",
                        partition.c_str(), component.c_str()) != SSQL_RC_OK)
        return DQOO_ERR_REPOSITORY;
    Cursor cursor(area, "DQOO/QV_OCS/1");
    if (!cursor.ok())
        return DQOO_ERR_REPOSITORY;
    auto text = std::make_unique<VaryingText<kMaxLine>>();
    for (;;) {
        const unsigned short rc = cursor.next(text->column());
        if (rc == SSQL_RC_END)
            return *lines == 0 ? DQOO_ERR_NOT_FOUND : DQOO_OK;
        if (rc != SSQL_RC_OK)
            return DQOO_ERR_REPOSITORY;
        std::string whole = text->str();
        while (!whole.empty() && (whole.back() == ' ' || whole.back() == '\r' || whole.back() == '\n'))
            whole.pop_back();
        char label[4];
        char name[11];
        const char* parameters = nullptr;
        DQOO_SplitSourceLine(whole.c_str(), label, name, &parameters);
        const DQOO_SOURCE_LINE line{*lines + 1, label, name, parameters, whole.c_str()};
        if (collect(&line) == 0)
            return DQOO_ERR_STOPPED;
        ++*lines;
    }
}

}  // namespace dqoo

extern "C" long DQOO_FCC_RetrieveCompoundComponentZOPHX(FCC_BUILD_HANDLE* pBuild, DQOO_SOURCE_COLLECTOR pfnCollect)
{
    dqoo::BuildState* state = dqoo::findBuild(pBuild);
    if (state == nullptr)
        return DQOO_ERR_NO_BUILD;
    uint32_t lines = 0;
    return dqoo::deliverComponentSource(state->partition, dqoo::currentComponent(*state), pfnCollect, &lines);
}
