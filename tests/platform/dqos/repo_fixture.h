// Temporary repository files for the services library's tests.
#pragma once

#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/dqos/dqos.h"

namespace dqos_test {

// A fresh repository file in a temporary directory, made from the given
// DDL; removed with the object.
class TempRepository {
public:
    explicit TempRepository(const char* ddl)
    {
        char tmpl[] = "/tmp/dqos-test-XXXXXX";
        dir_ = mkdtemp(tmpl);
        path_ = dir_ + "/repo.db";
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
    ~TempRepository()
    {
        SSQL_Disconnect();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TempRepository(TempRepository&& o) noexcept : dir_(std::move(o.dir_)), path_(std::move(o.path_)) { o.dir_.clear(); }
    const std::string& path() const { return path_; }
    const std::string& dir() const { return dir_; }

private:
    std::string dir_;
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
    return std::string(DQOV_SAMPLE_DIR) + "/repository.db";
}

}  // namespace dqos_test
