/*
** page_sets.cpp: rolls the older page sets of a function.
*/
#include "web/pages/page_sets.h"

#include <memory>
#include <string>

#include "platform/dqos/dqos.h"
#include "web/pages/page_common.h"

namespace {

/* Runs one declared statement, the count (when asked) into *pCount; false
** after an SQL failure. */
bool run(const SSQL_AREA& area, uint32_t* pCount = nullptr)
{
    SSQL_SQLDA* ca = nullptr;
    SSQL_SQLDA* da = nullptr;
    const unsigned short rc =
        pCount ? SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(pCount)) : SSQL_sRunExt(&area, &ca, &da, 0);
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return rc != SSQL_RC_ERROR;
}

/* The LIKE pattern of the function's page names: the process name padded
** to 10 and the function name padded to 7, with '_', '%' and the escape
** character '!' escaped, then the wildcard for the page number. */
std::string pagePattern(const char* process, const char* function)
{
    const std::string names = web_pages::Padded(process, 10) + web_pages::Padded(function, 7);
    std::unique_ptr<char, void (*)(void*)> escaped(SSUTL_pszEscapeSQLLikeWildcards(names.c_str(), "_%", '!', 0),
                                                   SMEM_FreeMem);
    return std::string(escaped ? escaped.get() : names.c_str()) + "%";
}

}  // namespace

int16_t P3137_RollSets(FFC_CONTEXT*, const char* pszPartition, const char* pszProcess, const char* pszFunction,
                       const char* pszEnvironment, const char* pszSubEnvironment, const char* pszLanguage)
{
    const int16_t depth = SMISC_GetMaximumSet();
    const std::string pattern = pagePattern(pszProcess, pszFunction);
    auto area = std::make_unique<SSQL_AREA>();
    SSQL_DeclareExt(area.get(),
                    "SELECT COUNT(*) FROM   QV_DTA.QV_X01 WHERE  X01P_I = '%s' AND  X01PEN = '%s' AND  X01SEN = '%s' "
                    "AND  X01PAG LIKE '%s' ESCAPE '!'",
                    pszPartition, pszEnvironment, pszSubEnvironment, pattern.c_str());
    uint32_t headers = 0;
    if (!run(*area, &headers))
        return 0;
    if (depth <= 0 || headers == 0) {
        SSQL_DeclareExt(area.get(),
                        "DELETE FROM QV_DTA.QV_X02 WHERE X02P_I = '%s' AND  X02PEN = '%s' AND  X02SEN = '%s' AND  "
                        "X02PLN = '%s' AND  X02PAG LIKE '%s' ESCAPE '!' AND  X02SET = 0 ",
                        pszPartition, pszEnvironment, pszSubEnvironment, pszLanguage, pattern.c_str());
        return run(*area) ? 1 : 0;
    }
    SSQL_DeclareExt(area.get(),
                    "DELETE FROM QV_DTA.QV_X02 WHERE X02P_I = '%s' AND  X02PEN = '%s' AND  X02SEN = '%s' AND  "
                    "X02PLN = '%s' AND  X02PAG LIKE '%s' ESCAPE '!' AND  X02SET >= %d ",
                    pszPartition, pszEnvironment, pszSubEnvironment, pszLanguage, pattern.c_str(),
                    static_cast<int>(depth));
    if (!run(*area))
        return 0;
    for (int set = depth - 1; set >= 0; --set) {
        SSQL_DeclareExt(area.get(),
                        "UPDATE QV_DTA.QV_X02 SET X02SET = '%d' WHERE X02P_I = '%s' AND  X02PEN = '%s' AND  X02SEN = "
                        "'%s' AND  X02PLN = '%s' AND  X02PAG LIKE '%s' ESCAPE '!' AND  X02SET = '%d' ",
                        set + 1, pszPartition, pszEnvironment, pszSubEnvironment, pszLanguage, pattern.c_str(), set);
        if (!run(*area))
            return 0;
    }
    return 1;
}
