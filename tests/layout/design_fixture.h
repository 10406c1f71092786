// A design session in one test: a job on a function of the sample process
// DEMODSN run through the run driver in tools mode, with a painter script
// in place of the editor's painter window; what the painter was sent, the
// commands the session rewrote, the repository's design rows, and the
// layout records as they stood before and after the design step.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/painter.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "layout/design/design_state.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/painter_script.h"
#include "runcontrol/sample_env.h"
#include "support/files.h"

namespace design_test {

// A painter script of samples/painter, as text.
inline std::string Sample(const char* name)
{
    return testsupport::readFile(std::string(DQOV_SOURCE_DIR) + "/samples/painter/" + name);
}

inline std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

inline std::string Blank(size_t n)
{
    return std::string(n, ' ');
}

// A line of 80 from pieces at their columns.
inline std::string Line(std::initializer_list<std::pair<int, std::string>> pieces)
{
    std::string line(80, ' ');
    for (const auto& [column, text] : pieces)
        line.replace(static_cast<size_t>(column - 1), text.size(), text);
    return line;
}

// The layout records of the job (kind, key and data), in key order.
inline std::vector<std::string> LayoutRecords(FFC_CONTEXT* ctx)
{
    std::vector<std::string> out;
    for (const char* kind : {"POP_UP    ", "PRTFLD    ", "PRTFMT    ", "RCDFLD    ", "RCDFMT    "}) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(ctx, &r);
        std::memcpy(r.acKind, kind, 10);
        for (char rc = WF_cReadFirst(ctx, 8, &r, 1); rc == '0'; rc = WF_cReadNext(ctx, 8, &r, 1))
            out.emplace_back(reinterpret_cast<const char*>(&r), sizeof r);
    }
    return out;
}

inline std::vector<std::string> g_before, g_after;
// command number -> component number -> value
using Changes = std::map<int, std::map<int, std::string>>;

inline void AddChanges(Changes& into, const SZOPH_COMMAND* c)
{
    for (uint16_t i = 0; i < SZOPH_usParmCompCount(c); ++i) {
        const SZOPH_PARMCOMP* p = SZOPH_pGetParmComp(c, i);
        into[c->sNumber][p->usParm * 100 + p->usComp] = p->pszText;
    }
}

// The commands of the run's stored command list that the design steps
// changed, as the list stood after the last step.
inline Changes g_listChanges;

inline int32_t Snapshot(FFC_RUN_STEP step, FFC_CONTEXT* ctx, FFC_CHECK_STATE* state, void* build)
{
    g_before = LayoutRecords(ctx);
    const int32_t rc = step(ctx, state, build);
    g_after = LayoutRecords(ctx);
    g_listChanges.clear();
    const FFC_EDITOR_SOURCE_ANCHOR* anchor = P31O2_pGetEditorSourceAnchor();
    auto* list = anchor ? static_cast<SZOPH_LIST*>(anchor->pCommands) : nullptr;
    if (!list)
        return rc;
    SZOPH_ResetCommandList(list);
    SZOPH_COMMAND* c = nullptr;
    while (SZOPH_sGetNextCommand(list, &c) == 0)
        if (c->fChanged)
            AddChanges(g_listChanges, c);
    return rc;
}

inline int32_t ScreenStep(FFC_CONTEXT* c, FFC_CHECK_STATE* s, void* b)
{
    return Snapshot(P3097_lRunScreenDesignStep, c, s, b);
}

inline int32_t ReportStep(FFC_CONTEXT* c, FFC_CHECK_STATE* s, void* b)
{
    return Snapshot(P3019_lRunReportDesignStep, c, s, b);
}

class DesignSession : public ::testing::Test {
protected:
    SampleEnv env;
    std::unique_ptr<painter::PainterScript> script;
    std::string output, errorOutput;
    int32_t result = 0, errors = 0, warnings = 0;
    Changes changed;
    // The job's process, and what the test sets in the system definition
    // beyond the editor's settings (system flags, the extra key ...).
    std::string process = "DEMODSN";
    std::function<void(FFC_SYSTEM_DEFINITION&)> configure;

    void SetUp() override
    {
        ASSERT_TRUE(env.connect());
        g_before.clear();
        g_after.clear();
        g_listChanges.clear();
    }
    void TearDown() override { P31O2_SetRunSeams(nullptr); }

    // Runs a check job on process/function and then the screen ('S') or
    // report ('R') design step with the script as the painter; mode 'E'
    // runs the job in editor mode, where the script's "design" lines
    // choose the steps of the run driver's design loop.
    void Run(const char* function, char mode, const std::string& text)
    {
        FFC_SYSTEM_DEFINITION sys;
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
        painter::PainterScript::ApplyEditorSettings(sys);
        if (configure)
            configure(sys);
        std::string error;
        script = painter::PainterScript::Parse(text, error);
        ASSERT_TRUE(script) << error;
        FFC_DESIGN_REQUEST design{};
        design.pPaint = script->start(mode);
        design.cScreens = mode == 'S' ? 'Y' : 'N';
        design.cReports = mode == 'R' ? 'Y' : 'N';
        design.pUser = this;
        design.pfnChanged = [](void* user, const SZOPH_COMMAND* c) {
            AddChanges(static_cast<DesignSession*>(user)->changed, c);
        };
        FFC_RUN_SEAMS seams;
        P31O2_LibraryRunSeams(&seams);
        seams.pfnScreenDesign = ScreenStep;
        seams.pfnReportDesign = ReportStep;
        P31O2_SetRunSeams(&seams);
        FFC_RUN_REQUEST rq{};
        rq.pSystemDefinition = &sys;
        rq.pszProcess = process.c_str();
        rq.pszFunction = function;
        rq.cOption = 'C';
        rq.sRunMode = FFC_RUN_MODE_TOOLS;
        rq.plErrors = &errors;
        rq.plWarnings = &warnings;
        rq.pDesign = &design;
        if (mode == 'E') {
            rq.pDesign = nullptr;
            rq.sRunMode = FFC_RUN_MODE_EDITOR;
            PassPaintStrPtr(design.pPaint);
        }
        FFC_Set_Run_Mode(rq.sRunMode);
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        result = dc_p31o2(&rq);
        errorOutput = ::testing::internal::GetCapturedStderr();
        output = ::testing::internal::GetCapturedStdout();
        PassPaintStrPtr(nullptr);
        script->stop();
    }

    // The message lines the painter was sent with its command requests.
    std::vector<std::string> Messages() const
    {
        std::vector<std::string> out;
        for (const painter::Exchange& e : script->transcript())
            if (e.request == 1 && !e.message.empty())
                out.push_back(e.message);
        return out;
    }

    // The screens the script showed ("show"), 24 lines each.
    std::vector<std::vector<std::string>> Shown() const
    {
        std::vector<std::vector<std::string>> out;
        for (const painter::Exchange& e : script->transcript())
            if (e.request == 0)
                out.push_back(e.screen);
        return out;
    }

    // "KV1|KV2|SEQ|DTA" of the committed design rows of a function of the
    // job's process.
    std::vector<std::string> Rows(const char* function) const
    {
        std::vector<std::string> out;
        sqlite3* db = nullptr;
        sqlite3_open_v2(env.repository().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT X85KV1, X85KV2, X85SEQ, X85DTA FROM QV_F85 WHERE X85MOD = ? AND "
                           "X85FMT = ? ORDER BY X85KV1, X85KV2, X85SEQ",
                           -1, &st, nullptr);
        sqlite3_bind_text(st, 1, process.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, function, -1, SQLITE_TRANSIENT);
        while (sqlite3_step(st) == SQLITE_ROW) {
            auto text = [&](int c) {
                return std::string(reinterpret_cast<const char*>(sqlite3_column_blob(st, c)),
                                   static_cast<size_t>(sqlite3_column_bytes(st, c)));
            };
            std::string kind = text(0), key = text(1);
            kind.erase(kind.find_last_not_of(' ') + 1);
            key.erase(key.find_last_not_of(' ') + 1);
            out.push_back(kind + "|" + key + "|" + std::to_string(sqlite3_column_int(st, 2)) + "|" + text(3));
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }
};

}  // namespace design_test
