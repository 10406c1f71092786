// The design session: any text as the painter's replies to the screen or
// report design of a sample function of DEMODSN. The first byte chooses
// the function and the step (or the editor's design loop, which the
// script's "design" lines drive); the rest is the painter script. A script
// is either refused with its reason, or its session runs: to its end, or
// to the request the script cannot answer, where the painter goes away.
#include "fuzz_jobs.h"
#include "fuzz_target.h"

#include <memory>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/run_driver.h"
#include "runcontrol/painter_script.h"

namespace {

struct Session {
    const char* function;
    char mode;  // 'S' screens, 'R' reports, 'E' the editor's design loop
};
constexpr Session kSessions[] = {{"DSNLST", 'S'}, {"DSNEDT", 'S'}, {"DSNPOP", 'S'}, {"DSNREP", 'R'},
                                 {"DSNRPT", 'R'}, {"DSNEDT", 'E'}, {"DSNREP", 'E'}, {"DSNLST", 'R'}};

void RunSession(const Session& session, painter::PainterScript& script)
{
    FFC_SYSTEM_DEFINITION sys;
    FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
    painter::PainterScript::ApplyEditorSettings(sys);
    const bool editor = session.mode == 'E';
    FFC_DESIGN_REQUEST design{};
    design.pPaint = script.start(session.mode == 'R' ? 'R' : 'S');
    design.cScreens = session.mode == 'S' ? 'Y' : 'N';
    design.cReports = session.mode == 'R' ? 'Y' : 'N';
    FFC_RUN_REQUEST rq{};
    rq.pSystemDefinition = &sys;
    rq.pszProcess = "DEMODSN";
    rq.pszFunction = session.function;
    rq.cOption = 'C';
    rq.sRunMode = editor ? FFC_RUN_MODE_EDITOR : FFC_RUN_MODE_TOOLS;
    rq.pDesign = editor ? nullptr : &design;
    if (editor)
        PassPaintStrPtr(design.pPaint);
    FFC_Set_Run_Mode(rq.sRunMode);
    dqov_fuzz::Guarded([&] { dc_p31o2(&rq); });
    PassPaintStrPtr(nullptr);
    script.stop();
}

}  // namespace

DQOV_FUZZ_TARGET(painter_session)
{
    if (size == 0)
        return;
    const Session& session = kSessions[data[0] % (sizeof kSessions / sizeof kSessions[0])];
    const std::string text = dqov_fuzz::Text(data + 1, size - 1);
    std::string error;
    const std::unique_ptr<painter::PainterScript> script = painter::PainterScript::Parse(text, error);
    if (!script) {
        if (error.empty())
            __builtin_trap();
        return;
    }
    dqov_fuzz::JobEnvironment* env = dqov_fuzz::JobEnvironment::Fresh();
    if (!env)
        return;
    RunSession(session, *script);
    env->Leave();
}
