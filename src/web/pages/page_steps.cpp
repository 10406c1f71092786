/*
** page_steps.cpp: the page generators as steps of the run driver.
**
** The driver calls a step after the pass's code generation when the run
** and the process ask for that kind of page; the checker has withdrawn the
** request of a function without a screen by clearing its SYSFLAGS byte,
** which the generators test. The display emitter described each panel in
** its web page records while the function's code was generated.
*/
#include "web/pages/page_generators.h"

#include <string>

#include "dqov/runcontrol/run_driver.h"

namespace {

/* The root directory under which X_VELMO lies, without a closing '\'. */
std::string rootDirectory(const FFC_CONTEXT* ctx)
{
    std::string root = ctx->pSystemDefinition ? ctx->pSystemDefinition->szRootDirectory : "";
    while (!root.empty() && root.back() == '\\')
        root.pop_back();
    return root;
}

}  // namespace

extern "C" int32_t P3137_lHtmlPagesStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void*)
{
    const FFC_OPTION_WORDS* words = P31O2_pGetCurrentOptionWords();
    const uint32_t numericValidation = words && (words->ulOptionBits & (1u << 15)) ? 1 : 0;
    DC_P3137_WebPageGenerator(pContext, pState, rootDirectory(pContext).c_str(), numericValidation);
    return 0;
}

extern "C" int32_t P3140_lXmlPagesStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void*)
{
    DC_P3140_XmlPageGenerator(pContext, pState, rootDirectory(pContext).c_str());
    return 0;
}
