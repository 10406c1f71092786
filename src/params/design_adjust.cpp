/* Double-byte adjustment switches of the screen and report designs. */
#include <cstdlib>
#include <initializer_list>

#include "dqov/params/dqov_check.h"
#include "params/field_texts.h"

namespace {

/* The four environment switches, read once per process: true unless the
 * variable begins with 'N' or 'n'. */
struct AdjustSwitches {
    bool colHdgs, labels, descs, texts;
};

bool SwitchOn(const char* name)
{
    const char* v = std::getenv(name);
    return !(v && (v[0] == 'N' || v[0] == 'n'));
}

const AdjustSwitches& Switches()
{
    static const AdjustSwitches s{SwitchOn("X_ENV_ADJUST_DBCS_COLHDGS"), SwitchOn("X_ENV_ADJUST_DBCS_LABELS"),
                                  SwitchOn("X_ENV_ADJUST_DBCS_DESCS"), SwitchOn("X_ENV_ADJUST_DBCS_TEXTS")};
    return s;
}

void Set(int32_t* p, int32_t v)
{
    if (p)
        *p = v;
}

}  // namespace

extern "C" {

void GetDesignAdjustAttributes(int32_t lComponentRun, int32_t lSecond, int32_t lLevelTwo, int32_t* plColHdgs,
                               int32_t* plLabels, int32_t* plDescs, int32_t* plTexts, int32_t* pl5, int32_t* pl6,
                               int32_t* pl7, int32_t* pl8, int32_t* pl9, int32_t* pl10)
{
    for (int32_t* p : {pl5, pl6, pl7, pl8, pl9, pl10})
        Set(p, 0);
    bool off = lComponentRun != 0 || (lSecond != 0 && lLevelTwo != 0);
    const AdjustSwitches& s = Switches();
    Set(plColHdgs, !off && s.colHdgs);
    Set(plLabels, !off && s.labels);
    Set(plDescs, !off && s.descs);
    Set(plTexts, !off && s.texts);
}

void P8061_GetSessionDesignAdjustAttributes(FFC_CONTEXT* pContext, int32_t* plColHdgs, int32_t* plLabels,
                                            int32_t* plDescs, int32_t* plTexts)
{
    if (!pContext)
        return;
    GetDesignAdjustAttributes(pContext->lComponentRun, pContext->lFunctionRun, pContext->lLanguageLevelTwo, plColHdgs,
                              plLabels, plDescs, plTexts, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

}  // extern "C"
