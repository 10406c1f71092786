// A private copy of the built sample environment (root and repository) in a
// temporary directory, so that tests may write to it.
#pragma once

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"

class SampleEnv {
public:
    SampleEnv()
    {
        char tmpl[] = "/tmp/dqov-rc-XXXXXX";
        dir_ = std::filesystem::canonical(mkdtemp(tmpl)).string();
        std::filesystem::copy(std::string(DQOV_SAMPLE_DIR) + "/root", dir_ + "/root",
                              std::filesystem::copy_options::recursive);
        std::filesystem::copy_file(std::string(DQOV_SAMPLE_DIR) + "/repository.db", repository());
        DosSetEnvironmentRoot(root().c_str());
    }
    ~SampleEnv()
    {
        SSQL_Disconnect();
        DosSetEnvironmentRoot(nullptr);
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    SampleEnv(const SampleEnv&) = delete;
    SampleEnv& operator=(const SampleEnv&) = delete;

    std::string root() const { return dir_ + "/root"; }
    std::string repository() const { return dir_ + "/repository.db"; }
    bool connect() const { return SSQL_sConnect(repository().c_str()) == SSQL_RC_OK; }
    // The dqov tool's arguments that name this environment.
    std::string toolArguments() const { return "--root " + root() + " --repository " + repository(); }

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
    std::string dir_;
};

// What the dqov tool printed and its exit status (-1 when it did not run or
// did not exit).
struct ToolResult {
    int status;
    std::string out;
};

// Runs the dqov tool with the arguments; its standard error goes with what
// it printed when asked, else nowhere.
inline ToolResult RunTool(const std::string& args, bool withErrors = false)
{
    const std::string cmd = std::string(DQOV_TOOL_PATH) + " " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    ToolResult r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    char buf[512];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
        r.out.append(buf, n);
    const int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}
