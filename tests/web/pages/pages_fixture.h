// The web page tests: a copy of the sample environment connected as the
// repository, a run context of function DEMOWEB/ORDWEB with its work file,
// a fixed clock and a throwing exit hook; builders of layout entries and
// the repository rows of a page.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/sample_env.h"
#include "web/pages/page_generators.h"
#include "web/pages/web_records.h"

namespace pages_test {

struct Exited {};
inline void throwingHook(unsigned long, unsigned long)
{
    throw Exited{};
}
inline unsigned long fixedClock(DQOZ_DATETIME* dt)
{
    *dt = DQOZ_DATETIME{};
    dt->year = 2026, dt->month = 3, dt->day = 9, dt->hours = 14, dt->minutes = 5, dt->seconds = 7;
    return 0;
}

// A layout entry (RCDFLD data) with blank texts.
inline LAYOUT_FIELD_ENTRY Entry(const char* name, char type, int32_t length, int32_t decimals, int32_t line,
                                int32_t column, char style, char usage)
{
    LAYOUT_FIELD_ENTRY e;
    std::memset(&e, ' ', sizeof e);
    std::memcpy(e.acName, name, std::strlen(name));
    e.cType = type;
    e.lLength = length;
    e.lDecimals = decimals;
    e.lLine = line;
    e.lColumn = column;
    e.lValueOffset = 0;
    e.lValueWidth = 0;
    e.cIdentification = style;
    e.cUsage = e.cUsage1 = usage;
    return e;
}

inline void Put(char* field, const char* text)
{
    std::memcpy(field, text, std::strlen(text));
}

class PagesTest : public ::testing::Test {
protected:
    SampleEnv env;
    FFC_SYSTEM_DEFINITION sys{};
    FFC_CONTEXT ctx{};
    FFC_CHECK_STATE state{};
    uint32_t textPosition = 0;
    const int16_t none[3] = {0, 0, 0};
    const uint16_t noIds[5] = {0, 0, 0, 0, 0};

    void SetUp() override { Open("NAT"); }
    void TearDown() override
    {
        P31O2_FreeRunContext(&ctx);
        DosSetExitHook(nullptr);
        DosSetClockHook(nullptr);
        SSQL_SetFailLocation(nullptr);
        FFC_Set_Run_Mode(0);
    }
    // Connects and fills the context of DEMOWEB/ORDWEB in the language.
    void Open(const char* language)
    {
        P31O2_FreeRunContext(&ctx);
        ASSERT_TRUE(env.connect());
        FFC_InitToolsSystemDefinition(&sys, "DEM", language);
        std::strcpy(sys.szRootDirectory, "C:\\");
        ctx = FFC_CONTEXT{};
        P31O2_FillRunContext(&ctx, &sys);
        std::memcpy(ctx.acProcess, "DEMOWEB   ", 10);
        std::memcpy(ctx.acFunction, "ORDWEB ", 7);
        std::memset(&state, ' ', sizeof state);
        state.stats = FFC_RUN_STATISTICS{};
        std::memcpy(state.acProcess, "DEMOWEB   ", 10);
        std::memcpy(state.acFunction, "ORDWEB ", 7);
        ASSERT_EQ(WF_sCreate(&ctx), 0);
        SMISC_SetSession("DEM", language);
        DosSetExitHook(throwingHook);
        DosSetClockHook(fixedClock);
        textPosition = 0;
        P3108_StartPendingWebRecords(&ctx, 1, &textPosition);
    }
    // The SYSFLAGS record: HTML pages, web event function, XML pages.
    void Flags(bool html, bool webEvent, bool xml)
    {
        FFC_WORK_RECORD r;
        std::memset(&r, ' ', sizeof r);
        std::memcpy(r.acKind, "SYSFLAGS  ", 10);
        std::memset(r.acData, 'N', 64);
        r.acData[56] = html ? 'Y' : 'N';
        r.acData[57] = webEvent ? 'Y' : 'N';
        r.acData[60] = xml ? 'Y' : 'N';
        WF_lWrite(&ctx, &r);
    }
    // The records of a kind in key order.
    std::vector<FFC_WORK_RECORD> Records(const char* kind)
    {
        std::vector<FFC_WORK_RECORD> out;
        FFC_WORK_RECORD r;
        std::memset(&r, ' ', sizeof r);
        std::memcpy(r.acKind, kind, 10);
        for (char rc = WF_cReadFirst(&ctx, 9, &r, 1); rc == '0'; rc = WF_cReadNext(&ctx, 9, &r, 1))
            out.push_back(r);
        return out;
    }
    // A field record queued with the given attribute codes.
    void Field(int16_t fList, int16_t command, const LAYOUT_FIELD_ENTRY& e, const char* input = "",
               const char* output = "", const uint16_t* ids = nullptr)
    {
        P3108_FIELD_DEFINITION d;
        std::memset(&d, ' ', sizeof d);
        Put(d.acInputAttributes, input);
        Put(d.acOutputAttributes, output);
        d.sLabelLength = 15;
        d.sHeadingLength = 20;
        d.sDescriptionLength = 40;
        P3108_WriteWeblsdWebdtaRecords(&ctx, fList, command, 0, &e, &d, none, none, ids ? ids : noIds);
    }
    // Runs statements on the job's connection.
    void Exec(const std::string& sql)
    {
        auto area = std::make_unique<SSQL_AREA>();
        ASSERT_EQ(SSQL_DeclareExt(area.get(), sql.c_str()), SSQL_RC_OK) << sql;
        SSQL_SQLDA* da = nullptr;
        EXPECT_EQ(SSQL_sRun(area.get(), &da, 0), SSQL_RC_OK) << sql << ": " << SSQL_pszLastError();
        SSQL_FreeSqlda(da);
    }
    // The rows of a query on the job's connection, columns joined by '|'.
    std::vector<std::string> Query(const std::string& sql)
    {
        std::vector<std::string> out;
        auto area = std::make_unique<SSQL_AREA>();
        EXPECT_EQ(SSQL_DeclareExt(area.get(), sql.c_str()), SSQL_RC_OK) << sql;
        uint16_t cursor = 0;
        SSQL_sOpenExt(&cursor);
        SSQL_SQLDA *ca = nullptr, *da = nullptr;
        while (SSQL_sFetchExt(area.get(), cursor, &ca, &da, 0) == SSQL_RC_OK && da) {
            std::string row;
            for (uint16_t i = 0; i < da->usColumns; ++i)
                row += (i ? "|" : "") + std::string(da->apszColumn[i] ? da->apszColumn[i] : "<null>");
            out.push_back(row);
        }
        SSQL_sCloseExt(cursor, &ca, &da);
        return out;
    }
    // The lines of a stored page (environment HTM or XML), trailing blanks
    // of padded HTML lines removed.
    std::vector<std::string> Page(const char* environment, const char* page, int set = 0)
    {
        return Query(std::string("SELECT ") + (std::strcmp(environment, "HTM") == 0 ? "rtrim(X02TXT)" : "X02TXT") +
                     " FROM QV_DTA.QV_X02 WHERE X02PEN = '" + environment + "' AND X02PAG = '" + page +
                     "' AND X02SET = " + std::to_string(set) + " ORDER BY X02SEQ");
    }
    // Replaces a skeleton of the environment.
    void Skeleton(const std::string& relative, const std::vector<std::string>& lines)
    {
        std::ofstream out(env.root() + "/X_VELMO/" + relative, std::ios::binary);
        for (const std::string& l : lines)
            out << l << "\n";
    }
    // Runs f expecting a fatal end; what went to standard error.
    template <typename F> std::string ExpectFatal(F f)
    {
        testing::internal::CaptureStderr();
        try {
            f();
            ADD_FAILURE() << "no fatal end";
        } catch (const Exited&) {}
        return testing::internal::GetCapturedStderr();
    }
    // Runs a generator quietly (its status lines go to standard output).
    template <typename F> void Quietly(F f)
    {
        testing::internal::CaptureStdout();
        try {
            f();
        } catch (...) {
            testing::internal::GetCapturedStdout();
            throw;
        }
        testing::internal::GetCapturedStdout();
    }
};

}  // namespace pages_test
