// The design steps as steps of the run driver: after the job's last pass
// the driver's design loop (or a design session outside the editor) runs
// the screen design step or the report design step on the checked
// function, with the job's definitions and painter block.
#include <algorithm>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/run_driver.h"
#include "layout/command_reader.h"
#include "layout/design/report_design.h"
#include "layout/design/screen_design.h"
#include "params/fixed_text.h"

namespace {

// The text-map numbers taken: each step starts from none and marks the
// names the function's commands hold (design_common.cpp), so the names one
// step gave out are known to the next.
char g_optionFlags[999];
// Items a report design adds are numbered downwards from here, below the
// numbers the automatic layouts give, and never twice in a process.
int32_t g_fieldCounter = 10000;

char* OptionFlags()
{
    std::memset(g_optionFlags, 'N', sizeof g_optionFlags);
    return g_optionFlags;
}

int16_t CommandCount(FFC_CONTEXT* ctx)
{
    auto source = std::make_unique<FFC_SOURCE_COMMAND>();
    std::memset(source.get(), 0, sizeof *source);
    int16_t count = 0;
    while (LAYOUT_chReadNextCommand(ctx, source.get()) == '0')
        count = std::max(count, source->sLine);
    return count;
}

bool Ready(FFC_CONTEXT* ctx)
{
    return ctx && ctx->pWorkFile && ctx->pCommandStore && P31O2_pGetPaintStr() && P31O2_pGetProcessDefinition() &&
           P31O2_pGetFunctionDefinition();
}

}  // namespace

extern "C" {

int32_t P3097_lRunScreenDesignStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void*)
{
    if (!Ready(pContext) || !pState)
        return 0;
    P3097_DesignScreens(pContext, P31O2_pGetProcessDefinition(), P31O2_pGetFunctionDefinition(), pState, OptionFlags(),
                        FFC_JOB_MSG_QUEUE, P31O2_pGetPaintStr());
    return 0;
}

int32_t P3019_lRunReportDesignStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE*, void*)
{
    if (!Ready(pContext))
        return 0;
    P3019_DesignReports(pContext, P31O2_pGetProcessDefinition(), P31O2_pGetFunctionDefinition(), &g_fieldCounter,
                        OptionFlags(), FFC_JOB_MSG_QUEUE, P31O2_pGetPaintStr(), CommandCount(pContext));
    return 0;
}

}  // extern "C"
