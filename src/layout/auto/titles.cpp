// Titles (DC_P3125): a screen title is a literal, the function's own
// description ("*FUNCTIO...") or a multilingual variable ("*MTXT..."). It is
// measured in every language of the partition; the current language's text
// is handed back, centred in the widest width.
#include <algorithm>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/fix.h"
#include "layout/layout.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace {

struct TitleModule {
    std::string partition, language, process, function;
    int32_t capped = 0;
    char measure[100];
};

TitleModule& Title()
{
    static TitleModule t;
    return t;
}

void P3125_TrimTitle(char* result, int32_t* length)
{
    TitleModule& t = Title();
    std::memset(result, ' ', 40);
    const char* m = t.measure;
    int32_t first = 0;
    while (first < 100 && m[first] == ' ')
        ++first;
    if (first == 100)
        return;
    int32_t last = 99;
    while (m[last] == ' ')
        --last;
    const int32_t span = last - first + 1;
    std::memcpy(result, m + first, static_cast<size_t>(std::min(span, t.capped)));
    if (span <= t.capped && span > *length)
        *length = span;
}

void Measure(const char* text, size_t width, char* result, int32_t* length)
{
    TitleModule& t = Title();
    std::memset(t.measure, ' ', sizeof t.measure);
    std::memcpy(t.measure, text, std::min(width, sizeof t.measure));
    P3125_TrimTitle(result, length);
}

// Opens a cursor on the declared statement and hands every row to `row`;
// a failure of the statement ends the run.
template <typename Row, typename... Columns>
void ForEachRow(SSQL_AREA& area, const char* const tags[4], Row row, Columns... columns)
{
    uint16_t cursor = 0;
    SSQL_SetLocation(tags[0]);
    if (SSQL_sOpenExt(&cursor) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, tags[0]);
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    for (bool first = true;; first = false) {
        const char* tag = first ? tags[1] : tags[2];
        SSQL_SetLocation(tag);
        unsigned short rc =
            SSQL_sFetchExt(&area, cursor, &ca, &da, static_cast<uint16_t>(sizeof...(Columns)), columns...);
        if (rc == SSQL_RC_ERROR)
            FFC_SQL_Error(ca, tag);
        if (rc != SSQL_RC_OK)
            break;
        row();
    }
    SSQL_SetLocation(tags[3]);
    if (SSQL_sCloseExt(cursor, &ca, &da) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, tags[3]);
}

struct Varying78 {
    uint16_t length = 0;
    char text[78];
    void pad() { std::memset(text + std::min<uint16_t>(length, 78), ' ', 78 - std::min<uint16_t>(length, 78)); }
};

void FunctionDescription(const char* language, char* result, int32_t* length)
{
    TitleModule& t = Title();
    char chosen[40];
    dqov::text::Pad(chosen, 40, "N/A");
    SSQL_AREA area;
    // the text of the description table's look-up, so that the job
    // prepares the statement once for both
    SSQL_DeclareExt(&area,
                    "SELECT X67PLN, X67DES FROM QV_DTA.QV_F67 WHERE X67P_I = '%s' AND   X67MOD = '%s' AND   "
                    "X67FMT = '%s'",
                    t.partition.c_str(), t.process.c_str(), t.function.c_str());
    static constexpr const char* kTags[4] = {"DC_P3125/SQL001", "DC_P3125/SQL002", "DC_P3125/SQL003",
                                             "DC_P3125/SQL004"};
    struct {
        uint16_t length;
        char text[40];
    } description{};
    char rowLanguage[4];
    ForEachRow(
        area, kTags,
        [&] {
            std::memset(description.text + std::min<uint16_t>(description.length, 40), ' ',
                        40 - std::min<uint16_t>(description.length, 40));
            if (std::memcmp(rowLanguage, language, 4) == 0)
                std::memcpy(chosen, description.text, 40);
            Measure(description.text, 40, result, length);
        },
        SSQL_FIXED(rowLanguage, 4), SSQL_VARYING(&description, 40));
    Measure(chosen, 40, result, length);
}

void MultilingualVariable(const char* title, const char* language, char* result, int32_t* length)
{
    TitleModule& t = Title();
    const std::string name = dqov::text::Trim(title, 20);
    SSQL_AREA area;
    SSQL_DeclareExt(&area, "SELECT X61VAL FROM QV_DTA.QV_F61 WHERE X61P_I = '%s' AND X61MTX = '%s'",
                    t.partition.c_str(), name.c_str());
    static constexpr const char* kTags[4] = {"DC_P3125/SQL005", "DC_P3125/SQL006", "DC_P3125/SQL007",
                                             "DC_P3125/SQL008"};
    Varying78 value;
    ForEachRow(
        area, kTags,
        [&] {
            value.pad();
            Measure(value.text, 78, result, length);
        },
        SSQL_VARYING(&value, 78));
    SSQL_DeclareExt(&area, "SELECT X61VAL FROM QV_DTA.QV_F61 WHERE X61P_I = '%s' AND X61MTX = '%s' AND X61PLN = '%s'",
                    t.partition.c_str(), name.c_str(), t.language.c_str());
    SSQL_SetLocation("DC_P3125/SQL009");
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    Varying78 current;
    unsigned short rc = SSQL_sRunExt(&area, &ca, &da, 1, SSQL_VARYING(&current, 78));
    if (rc == SSQL_RC_ERROR)
        FFC_SQL_Error(ca, "DC_P3125/SQL009");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    if (rc == SSQL_RC_OK) {
        current.pad();
        Measure(current.text, 78, result, length);
    }
}

}  // namespace

extern "C" void P3125_ResolveTitleText(FFC_CONTEXT* pContext, const FFC_PROCESS_DEFINITION* pProcess,
                                       const FFC_FUNCTION_DEFINITION* pFunction, const char* pachTitle,
                                       char* pachResult, int32_t* plLength, int32_t lAvailable, int32_t* plStartColumn,
                                       const void*)
{
    TitleModule& t = Title();
    t.partition = dqov::text::Trim(pContext->acPartition, 3);
    t.language = dqov::text::Trim(pContext->acLanguage, 4);
    t.process = dqov::text::Trim(pProcess->acProcess, 10);
    t.function = dqov::text::Trim(pFunction->acFunction, 7);
    t.capped = std::min<int32_t>(lAvailable, 40);
    std::memset(pachResult, ' ', 40);
    if (std::memcmp(pachTitle, "*FUNCTIO", 8) == 0)
        FunctionDescription(pContext->acLanguage, pachResult, plLength);
    else if (std::memcmp(pachTitle, "*MTXT", 5) == 0)
        MultilingualVariable(pachTitle, pContext->acLanguage, pachResult, plLength);
    else
        Measure(pachTitle, 40, pachResult, plLength);
    if (*plLength > 40)
        *plLength = 40;
    if (*plLength <= 0 || dqov::text::Trim(pachResult, 40).empty()) {
        dqov::text::Pad(pachResult, 40, "N/A");
        *plLength = 3;
    }
    if (*plLength > lAvailable) {
        *plLength = lAvailable;
        if (lAvailable >= 1 && lAvailable <= 39)
            std::memset(pachResult + lAvailable, ' ', static_cast<size_t>(40 - lAvailable));
    }
    if (*plLength > 0)
        FIX_CentreText(pContext, pachResult, static_cast<uint32_t>(*plLength), pContext->cTitleUpper);
    int32_t start = (lAvailable - *plLength) / 2;
    *plStartColumn = start <= 1 ? 2 : start;
}
