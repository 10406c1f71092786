// A repository for the object layer's and object server's tests: a copy of
// the sample repository with the object layer's tables and sample rows
// (samples/objlayer) applied, connected through the services library.
#ifndef DQOV_TESTS_OBJLAYER_REPO_H
#define DQOV_TESTS_OBJLAYER_REPO_H

#include "platform/dqos/dqos.h"
#include "support/files.h"
#include "support/scratch.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

namespace objlayer_test {

using testsupport::readFile;

class SampleRepository {
public:
    SampleRepository()
    {
        if (std::filesystem::exists(testsupport::sampleRepository()))
            testsupport::copySampleRepository(path_);
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        const std::filesystem::path objlayer = std::filesystem::path(DQOV_SOURCE_DIR) / "samples" / "objlayer";
        for (const char* script : {"schema.sql", "10-components.sql"}) {
            char* error = nullptr;
            if (sqlite3_exec(db, readFile(objlayer / script).c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
                const std::string what = error != nullptr ? error : "?";
                sqlite3_free(error);
                sqlite3_close(db);
                throw std::runtime_error(std::string(script) + ": " + what);
            }
        }
        sqlite3_close(db);
        if (SSQL_sConnect(path_.c_str()) != SSQL_RC_OK)
            throw std::runtime_error(SSQL_pszLastError());
    }
    ~SampleRepository() { SSQL_Disconnect(); }
    SampleRepository(const SampleRepository&) = delete;
    SampleRepository& operator=(const SampleRepository&) = delete;

    const std::string& path() const { return path_; }
    std::string dir() const { return dir_.str(); }

    // Runs SQL on the connection's database with a separate handle (for
    // setting up cases); the services library's transaction is committed
    // first so the two do not block each other.
    void exec(const std::string& sql) const
    {
        SSQL_Commit();
        sqlite3* db = nullptr;
        sqlite3_open(path_.c_str(), &db);
        sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }

private:
    testsupport::ScratchDir dir_{"objlayer-test"};
    std::string path_ = (dir_ / "repository.db").string();
};

}  // namespace objlayer_test

#endif
