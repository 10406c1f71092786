// The steps that make up a job of the run driver: the generator's set-up, the
// checker and the generator's output driver, and the end-of-pass release of
// what the checker built for the generator. The run driver takes them from
// here unless a caller installs others (tests do).
#include "checker/checker.h"
#include "checker/command_tables.h"
#include "checker/support_names.h"
#include "dqov/run_driver.h"
#include "generator/core/run_steps.h"
#include "layout/design/design_state.h"

namespace {

int32_t releaseCheckedNames(FFC_CONTEXT* pContext, FFC_CHECK_STATE*, void*)
{
    P31O2_FreeGeneratedNames(pContext);
    return 0;
}

}  // namespace

extern "C" void P31O2_LibraryRunSeams(FFC_RUN_SEAMS* pSeams)
{
    if (!pSeams)
        return;
    *pSeams = FFC_RUN_SEAMS{};
    pSeams->pfnChecker = P3100_lRunCheckerStep;
    P3100_UseLibraryLayouts();
    P3097_UseIdentificationExchanges();
    P3109_FillRunSeams(pSeams);
    pSeams->pfnPassRelease = releaseCheckedNames;
    pSeams->pfnScreenDesign = P3097_lRunScreenDesignStep;
    pSeams->pfnReportDesign = P3019_lRunReportDesignStep;
}

extern "C" const void* P31O2_pLibraryCommandNames(void)
{
    return P3100_pParserCommandTable();
}
