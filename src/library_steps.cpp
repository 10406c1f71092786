// The steps that make up a job of the run driver: the generator's set-up, the
// checker and the generator's output driver, and the end-of-pass release of
// what the checker built for the generator. The run driver takes them from
// here unless a caller installs others (tests do).
#include "checker/checker.h"
#include "checker/command_tables.h"
#include "checker/select_sql_files.h"
#include "checker/support_names.h"
#include "checker/web_access.h"
#include "dqov/runcontrol/run_driver.h"
#include "generator/core/model/file_field_mangling.h"
#include "generator/core/output/emitter_interface.h"
#include "generator/core/points/run_steps.h"
#include "generator/emitters/emitters.h"
#include "layout/design/design_state.h"
#include "web/pages/page_generators.h"
#include "web/web_library.h"

namespace {

// The generator's file-field name lookups, which the SELECT_SQL check asks.
const P3100_SELECT_SQL_FILES kSelectSqlFiles = {P3109_SetSelectSqlFiles, P3109_sCheckFileFieldMangling};

// A check begins with no answer of the dictionary's field lookups kept from
// another job; the end of a pass forgets them too.
int32_t runChecker(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild)
{
    P3109_ForgetFileFieldAnswers();
    return P3100_lRunCheckerStep(pContext, pState, pBuild);
}

int32_t releaseCheckedNames(FFC_CONTEXT* pContext, FFC_CHECK_STATE*, void*)
{
    P31O2_FreeGeneratedNames(pContext);
    P3109_ForgetFileFieldAnswers();
    return 0;
}

// Run control takes the library's steps from here; it is told so before
// any other initialiser of the library runs (its own first among them).
__attribute__((constructor(101))) void installLibrarySteps()
{
    P31O2_UseLibrarySteps(P31O2_LibraryRunSeams, P31O2_pLibraryCommandNames);
}

}  // namespace

extern "C" void P31O2_LibraryRunSeams(FFC_RUN_SEAMS* pSeams)
{
    if (!pSeams)
        return;
    *pSeams = FFC_RUN_SEAMS{};
    pSeams->pfnChecker = runChecker;
    P3100_UseLibraryLayouts();
    P3100_UseWebFunctions(P3142_WebFunctions);
    P3100_UseSelectSqlFiles(&kSelectSqlFiles);
    P3109_UseGeneratorTextsForWebRecords();
    static P3109_GENERATOR_PARTS parts;
    P3109_FillGeneratorParts(&parts);
    P3109_UseGeneratorParts(&parts);
    P3097_UseIdentificationExchanges();
    P3109_FillRunSeams(pSeams);
    pSeams->pfnHtmlPages = P3137_lHtmlPagesStep;
    pSeams->pfnXmlPages = P3140_lXmlPagesStep;
    pSeams->pfnPassRelease = releaseCheckedNames;
    pSeams->pfnScreenDesign = P3097_lRunScreenDesignStep;
    pSeams->pfnReportDesign = P3019_lRunReportDesignStep;
}

extern "C" const void* P31O2_pLibraryCommandNames(void)
{
    return P3100_pParserCommandTable();
}
