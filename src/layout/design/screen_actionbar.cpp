// The action bar of a process whose screens carry one (X20MUS 'A'): up to
// three lines of six choices in the user's language, a Help choice when the
// process has a help process, and the separator line below them.
#include "layout/design/screen_design.h"

#include <cstring>

#include "dqov/runcontrol/fatal.h"
#include "params/fixed_text.h"
#include "platform/dqos/dqos.h"

namespace {

using namespace layout::design;

// Places a choice by its number: 1-6 on line 1, 7-12 on line 2, above 12
// on line 3, 13 characters each.
void PlaceChoice(int32_t number, const char* text)
{
    ScreenDesign& s = ScreenStep();
    if (number < 1 || number > 18)
        return;
    const int line = (number - 1) / 6;
    const int slot = (number - 1) % 6;
    std::memcpy(s.choiceLines[line] + 13 * slot, text, 10);
    s.actionBarLines = line + 1;
    s.firstFree = line + 3;
}

bool HelpProcessExists()
{
    ScreenDesign& s = ScreenStep();
    char name[11];
    std::snprintf(name, sizeof name, "HELP%c%cAB  ", s.ctx->cNatChar3, s.ctx->cNatChar3);
    const std::string partition = dqov::text::Trim(s.ctx->acPartition, 3);
    SSQL_AREA area;
    SSQL_SetLocation("P3097_05");
    SSQL_DeclareExt(&area, "SELECT COUNT(*) FROM QV_DTA.QV_F20 WHERE X20P_I = '%s' AND X20MOD = '%s'",
                    partition.c_str(), dqov::text::Trim(name, 10).c_str());
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    uint32_t count = 0;
    if (SSQL_sRunExt(&area, &ca, &da, 1, SSQL_U32(&count)) == SSQL_RC_ERROR)
        FFC_SQL_Error(ca, "P3097_05");
    SSQL_sCloseExt(SSQL_SINGLE_ROW, &ca, &da);
    return count > 0;
}

}  // namespace

extern "C" void P3097_StartScreenDesign(void)
{
    ScreenDesign& s = ScreenStep();
    std::memset(s.choiceLines, ' ', sizeof s.choiceLines);
    std::memset(s.separator, ' ', sizeof s.separator);
    s.actionBarLines = 0;
    s.firstFree = 1;
    if (!s.process || s.process->cMenuStyle != 'A')
        return;
    const std::string partition = dqov::text::Trim(s.ctx->acPartition, 3);
    const std::string process = dqov::text::Trim(s.process->acProcess, 10);
    const std::string language = dqov::text::Trim(s.ctx->acLanguage, 4);
    SSQL_AREA area;
    SSQL_DeclareExt(&area,
                    "SELECT X71BNO, X71BDS FROM QV_DTA.QV_F71 WHERE X71P_I = '%s' AND  X71MOD = '%s' AND  "
                    "X71PLN = '%s' ORDER BY X71BNO",
                    partition.c_str(), process.c_str(), language.c_str());
    uint16_t cursor = 0;
    SSQL_SetLocation("P3097_01");
    if (SSQL_sOpenExt(&cursor) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, "P3097_01");
    SSQL_SQLDA *ca = nullptr, *da = nullptr;
    int32_t number = 0, lastNumber = 0;
    char text[10];
    for (bool first = true;; first = false) {
        const char* tag = first ? "P3097_02" : "P3097_03";
        SSQL_SetLocation(tag);
        const unsigned short rc =
            SSQL_sFetchExt(&area, cursor, &ca, &da, 2, SSQL_I32(&number), SSQL_FIXED(text, sizeof text));
        if (rc == SSQL_RC_ERROR)
            FFC_SQL_Error(ca, tag);
        if (rc != SSQL_RC_OK)
            break;
        PlaceChoice(number, text);
        lastNumber = number;
    }
    SSQL_SetLocation("P3097_04");
    if (SSQL_sCloseExt(cursor, &ca, &da) == SSQL_RC_ERROR)
        FFC_SQL_Error(nullptr, "P3097_04");
    const FFC_FUNCTION_KEY_DEF& help = s.ctx->aFunctionKeys[2];
    const bool assigned = !(help.acValue[0] == '0' && help.acValue[1] == '0') && help.acValue[0] != '\0';
    if (lastNumber + 1 <= 18 && assigned && HelpProcessExists())
        PlaceChoice(lastNumber + 1, help.acCaption);
    if (s.actionBarLines > 0)
        std::memset(s.separator + 2, '-', 78);
}
