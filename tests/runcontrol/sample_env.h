// A private copy of the built sample environment (root and repository) in a
// temporary directory, so that tests may write to it.
#pragma once

#include <sqlite3.h>

#include <string>

#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"
#include "support/commands.h"
#include "support/scratch.h"

class SampleEnv {
public:
    SampleEnv() : copy_("dqov-rc") { DosSetEnvironmentRoot(root().c_str()); }
    ~SampleEnv()
    {
        SSQL_Disconnect();
        DosSetEnvironmentRoot(nullptr);
    }
    SampleEnv(const SampleEnv&) = delete;
    SampleEnv& operator=(const SampleEnv&) = delete;

    std::string root() const { return copy_.root().string(); }
    std::string repository() const { return copy_.repository().string(); }
    bool connect() const { return SSQL_sConnect(repository().c_str()) == SSQL_RC_OK; }
    // The dqov tool's arguments that name this environment.
    std::string toolArguments() const { return copy_.toolArguments(); }

    // One value of a query, read with a separate connection (committed data only).
    std::string queryOutside(const char* sql) const
    {
        sqlite3* db = nullptr;
        sqlite3_open_v2(repository().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* st = nullptr;
        std::string v = "<none>";
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW) {
            const unsigned char* t = sqlite3_column_text(st, 0);
            v = t ? reinterpret_cast<const char*>(t) : "<null>";
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return v;
    }

    // Runs statements on the copy with a separate connection (test set-up).
    bool execOutside(const char* sql) const
    {
        sqlite3* db = nullptr;
        bool ok = sqlite3_open(repository().c_str(), &db) == SQLITE_OK &&
                  sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        sqlite3_close(db);
        return ok;
    }

private:
    testsupport::SampleCopy copy_;
};

using ToolResult = testsupport::CommandResult;
using testsupport::runTool;
