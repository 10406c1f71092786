// Checker jobs through the run driver in tools mode, on a copy of the
// sample repository: the checker installed as the driver's checker step,
// the job's counts, and its printed lines.
#pragma once

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "checker/checker.h"
#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/run_driver.h"
#include "platform/dqos/dqos.h"
#include "platform/dqos/repo_fixture.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/tools_job.h"
#include "support/scratch.h"

class ToolsCheckFixture : public ::testing::Test {
protected:
    dqos_test::TempRepository repo = dqos_test::TempRepository::copyOf(dqos_test::sampleRepository());
    FFC_SYSTEM_DEFINITION sys{};
    int32_t errors = 0, warnings = 0;

    void SetUp() override
    {
        DosSetEnvironmentRoot(testsupport::sampleRoot().c_str());
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK) << SSQL_pszLastError();
        FFC_InitToolsSystemDefinition(&sys, "DEM", "ENG");
        sys.pCommandNames = P3100_pParserCommandTable();
        FFC_RUN_SEAMS seams{};
        seams.pfnChecker = P3100_lRunCheckerStep;
        P31O2_SetRunSeams(&seams);
    }
    void TearDown() override
    {
        P31O2_SetRunSeams(nullptr);
        P3100_SetBuildHandle(nullptr);
        SSQL_Disconnect();
        DosSetEnvironmentRoot(nullptr);
    }

    // Statements on the repository, outside the services' connection.
    void exec(const std::string& sql)
    {
        SSQL_Disconnect();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(repo.path().c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        const std::string what = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << what << "\n" << sql;
        ASSERT_EQ(SSQL_sConnect(repo.path().c_str()), SSQL_RC_OK);
    }

    // The lines of a job's printed output, without their line ends.
    static std::vector<std::string> Lines(const std::string& out)
    {
        std::vector<std::string> lines;
        size_t at = 0;
        while (at < out.size()) {
            size_t end = out.find('\n', at);
            if (end == std::string::npos)
                end = out.size();
            std::string line = out.substr(at, end - at);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            at = end + 1;
        }
        return lines;
    }
};
