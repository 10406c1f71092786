// Temporary repository files for the services library's tests.
#pragma once

#include <filesystem>
#include <sqlite3.h>
#include <string>

#include "platform/dqos/dqos.h"
#include "support/scratch.h"

namespace dqos_test {

// A fresh repository file in a temporary directory, made from the given
// DDL; removed with the object.
class TempRepository {
public:
    explicit TempRepository(const char* ddl) : dir_("dqos-test"), path_((dir_ / "repo.db").string())
    {
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        sqlite3_exec(db, ddl, nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    // A copy of an existing repository file.
    static TempRepository copyOf(const std::string& file)
    {
        TempRepository r("");
        std::filesystem::copy_file(file, r.path_, std::filesystem::copy_options::overwrite_existing);
        return r;
    }
    ~TempRepository() { SSQL_Disconnect(); }
    TempRepository(TempRepository&& o) noexcept = default;
    const std::string& path() const { return path_; }
    std::string dir() const { return dir_.str(); }

private:
    testsupport::ScratchDir dir_;
    std::string path_;
};

// Counts rows with a separate connection, which sees committed data only.
inline int countFromOutside(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
        n = sqlite3_column_int(st, 0);
    sqlite3_finalize(st);
    sqlite3_close(db);
    return n;
}

inline std::string sampleRepository()
{
    return testsupport::sampleRepository().string();
}

}  // namespace dqos_test
