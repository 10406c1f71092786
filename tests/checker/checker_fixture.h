// A check job in one test: a copy of the sample repository (with functions
// a test adds), a run context with its work file and stores, an object-layer
// build, and the checker run in tools mode with its output captured.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "checker/checker.h"
#include "checker/handlers.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqos/dqos.h"
#include "platform/dqos/repo_fixture.h"

namespace checker_test {

struct Message {
    uint32_t line;
    uint32_t subLine;
    std::string id;
    char severity;
    std::string data;  // substitution data, trailing blanks removed
};

// The messages of one line as "ID data" strings, in the order issued.
inline std::vector<std::string> OnLine(const std::vector<Message>& all, uint32_t line)
{
    std::vector<std::string> out;
    for (const Message& m : all)
        if (m.line == line)
            out.push_back(m.id + " " + m.data);
    return out;
}

// What a test expects of one line.
using Lines = std::vector<std::string>;

class CheckJob : public ::testing::Test {
protected:
    dqos_test::TempRepository repo = dqos_test::TempRepository::copyOf(dqos_test::sampleRepository());
    FFC_SYSTEM_DEFINITION sys{};
    FFC_CONTEXT ctx{};
    FFC_CHECK_STATE state{};
    alignas(16) unsigned char build[256]{};
    bool buildStarted = false;
    char functionKind[3]{};
    char optionFlags[999]{};
    char switch6 = 'N', switch8 = 'N', switch9 = 'N';
    uint16_t status = 0;
    int32_t html = 0, xml = 0;
    std::string output;
    std::string root = "/tmp/"; /* the environment root handed to the checker */

    // Adds function PROCESS/FUNCTION of partition DEM with one command per
    // line (stored as the sample loader stores them).
    void addFunction(const std::string& process, const std::string& function, const std::vector<std::string>& lines)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(repo.path().c_str(), &db), SQLITE_OK);
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO QV_F23 (X23P_I, X23MOD, X23FMT) VALUES ('DEM', ?, ?)", -1, &st, nullptr);
        sqlite3_bind_text(st, 1, process.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, function.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_finalize(st);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_prepare_v2(db,
                           "INSERT INTO QV_SRC (SRCP_I, SRCMOD, SRCFMT, SRCSEQ, SRCLBL, SRCCMD, SRCPRM) "
                           "VALUES ('DEM', ?, ?, ?, ?, ?, ?)",
                           -1, &st, nullptr);
        int n = 0;
        for (const std::string& line : lines) {
            std::string label, rest = line;
            size_t colon = line.find(':');
            if (colon != std::string::npos && colon <= 3) {
                label = line.substr(0, colon);
                rest = line.substr(colon + 1);
            }
            size_t a = rest.find_first_not_of(' ');
            std::string name, parms;
            if (a != std::string::npos) {
                size_t b = rest.find(' ', a);
                name = rest.substr(a, b == std::string::npos ? std::string::npos : b - a);
                if (b != std::string::npos)
                    parms = rest.substr(rest.find_first_not_of(' ', b) == std::string::npos
                                            ? rest.size()
                                            : rest.find_first_not_of(' ', b));
            }
            sqlite3_reset(st);
            sqlite3_bind_text(st, 1, process.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 2, function.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(st, 3, ++n);
            sqlite3_bind_text(st, 4, label.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 5, name.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_text(st, 6, parms.c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_step(st);
        }
        sqlite3_finalize(st);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

    // Runs SQL statements on the job's copy of the repository.
    void exec(const char* sql)
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(repo.path().c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    void connect()
    {
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        SMISC_SetSession("DEM", "ENG");
    }

    // Prepares a job on a function; cOption 'C' checks, 'G' generates.
    void prepare(const std::string& process, const std::string& function, char option = 'C')
    {
        connect();
        std::strcpy(sys.szPartition, "DEM");
        std::strcpy(sys.szLanguage, "ENG");
        sys.acNationalChars[0] = '#';
        sys.acNationalChars[1] = '@';
        sys.acNationalChars[2] = '$';
        std::memcpy(sys.acPageLength, "000", 3);
        std::memcpy(sys.acOverflowLine, "000", 3);
        P31O2_FreeRunContext(&ctx);
        ctx = FFC_CONTEXT{};
        P31O2_FillRunContext(&ctx, &sys);
        std::memset(ctx.acProcess, ' ', 10);
        std::memcpy(ctx.acProcess, process.data(), process.size());
        std::memset(ctx.acFunction, ' ', 7);
        std::memcpy(ctx.acFunction, function.data(), function.size());
        std::memcpy(ctx.acObjectName, "DC@F23    ", 10);
        ctx.cOption = option;
        P31O2_SetCurrentRunContext(&ctx);
        ASSERT_EQ(WF_sCreate(&ctx), 0);
        ASSERT_EQ(RS_sCreateCommandStores(&ctx), 0);
        ASSERT_EQ(RS_sCreateMessageStore(&ctx), 0);
        state = FFC_CHECK_STATE{};
        std::memcpy(state.acScope, "X1", 2);
        FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
        DQOO_BUILD_REQUEST request{
            process.c_str(), function.c_str(), "DEM", P3100_pParserCommandTable(), '#', '@', '$'};
        uint32_t passes = 0;
        int32_t start = 0;
        buildStarted = DQOO_FCC_StartBuild(handle(), &request, &passes, &start) == 0;
        P3100_SetBuildHandle(buildStarted ? handle() : nullptr);
    }

    FCC_BUILD_HANDLE* handle() { return reinterpret_cast<FCC_BUILD_HANDLE*>(build); }

    void run()
    {
        ::testing::internal::CaptureStdout();
        P3100_RunChecker(&ctx, &state, nullptr, nullptr, functionKind, &switch6, optionFlags, &switch8, &switch9, "   ",
                         "DC_P3100  ", &status, root.c_str(), nullptr, nullptr, 1, &html, &xml, nullptr, nullptr,
                         nullptr, nullptr, nullptr);
        output = ::testing::internal::GetCapturedStdout();
    }

    void TearDown() override
    {
        if (buildStarted)
            DQOO_FCC_EndBuild(handle());
        P3100_SetBuildHandle(nullptr);
        P3100_SetPrepareCommand(nullptr);
        P31O2_FreeRunContext(&ctx);
        P31O2_SetCurrentRunContext(nullptr);
        SSQL_Disconnect();
    }

    std::vector<Message> messages()
    {
        std::vector<Message> out;
        RS_ListMessageGroups(
            &ctx,
            [](const FFC_MESSAGE_GROUP* group, void* user) {
                auto* v = static_cast<std::vector<Message>*>(user);
                for (uint32_t i = 0; i < group->ulCount; ++i) {
                    const FFC_CHECK_MESSAGE* m = group->apMessages[i];
                    std::string data(m->acText, sizeof m->acText);
                    data.erase(data.find_last_not_of(' ') + 1);
                    v->push_back({m->ulLine, m->ulSubLine, std::string(m->acMsgId, 7), m->cSeverity, data});
                }
            },
            &out);
        return out;
    }

    std::vector<Message> withId(const std::string& id)
    {
        std::vector<Message> out;
        for (const Message& m : messages())
            if (m.id == id)
                out.push_back(m);
        return out;
    }

    // The first work record of a kind and name (blank-padded) on the key of
    // `parts` parts, or false.
    bool record(const char* kind, const std::string& name, FFC_WORK_RECORD& r, uint16_t parts = 2)
    {
        std::memset(&r, ' ', sizeof r);
        std::memcpy(r.acKind, kind, 10);
        std::memcpy(r.acName, name.data(), std::min<size_t>(name.size(), 50));
        return WF_cReadFirst(&ctx, 12, &r, parts) == '0';
    }

    // Stored check status of command line/subLine.
    std::string storedStatus(int16_t line, int16_t sub = 0)
    {
        auto p = std::make_unique<FFC_PARSED_COMMAND>();
        p->sLine = line;
        p->sSubLine = sub;
        if (RS_fFindCommandRecord(&ctx, p.get(), sizeof *p) != 0)
            return "none";
        return std::string(FFC_CommandStatus(*p), 3);
    }
};

}  // namespace checker_test
