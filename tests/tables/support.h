// Shared helpers of the table-definition tests: scratch files, capability
// tables made from text or from the sample environment file, records, and
// connections to the real databases that run the generated DDL (SQLite in
// memory; the PostgreSQL and MariaDB servers that scripts/with-services
// starts). A test that needs a server fails when it cannot reach it.
#pragma once

#include "support/files.h"
#include "support/scratch.h"
#include "tables/ctd/ctd.h"

#include <libpq-fe.h>
#include <mysql.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace ctdtest {

// A scratch folder of the table tests, with files written into it.
class TempDir : public testsupport::ScratchDir {
public:
    TempDir() : ScratchDir("ctd") {}
    // Writes the file NAME (folders made as needed); its path.
    std::string file(const std::string& name, const std::string& content) const
    {
        testsupport::writeFile(path() / name, content);
        return (path() / name).string();
    }
};

using testsupport::readFile;

inline std::string sampleEnvironmentFile()
{
    return std::string(DQOV_SOURCE_DIR) + "/samples/root/X_VELMO/X_DBENV.DAT";
}

inline X_CTD_CAPABILITY_TABLE_PTR load(const std::string& path, std::vector<std::string>* warnings = nullptr)
{
    X_CTD_CAPABILITY_TABLE_PTR table;
    std::string error;
    if (X_CTD_Load_Capabilities(path.c_str(), table, error, warnings) != 0)
        throw std::runtime_error(error);
    return table;
}

inline X_CTD_CAPABILITY_TABLE_PTR capabilitiesFrom(const std::string& text,
                                                   std::vector<std::string>* warnings = nullptr)
{
    TempDir dir;
    return load(dir.file("env.dat", text), warnings);
}

inline X_CTD_CAPABILITY_TABLE_PTR sampleCapabilities()
{
    return load(sampleEnvironmentFile());
}

// The DBMS description as the services library fills it.
inline X_CTD_DBMS_INFO dbmsInfo(const X_CTD_CAPABILITY_TABLE* table, const std::string& name)
{
    X_CTD_DBMS_INFO info;
    info.name = name;
    std::string error;
    X_CTD_FillDBMSInfo(table, info, error);
    int32_t kind = 0;
    X_CTD_sGetCapability(table, name, "DBMS_KIND", nullptr, &kind, nullptr);
    info.kind = static_cast<int16_t>(kind);
    info.foreign = info.ignoreNativeSupport;
    X_CTD_sGetCapability(table, name, "SERVER_VERSION", &info.serverVersion, nullptr, nullptr);
    return info;
}

// A capability table of one DBMS made from KEY=value lines, and its description.
struct Env {
    X_CTD_CAPABILITY_TABLE_PTR caps;
    X_CTD_DBMS_INFO dbms;
    Env(const std::string& name, const std::string& keys)
        : caps(capabilitiesFrom("DATABASE_TYPE=" + name + "\n" + keys)), dbms(dbmsInfo(caps.get(), name))
    {}
};

inline X_CTD_TABLE_DEFINITION_PTR newTable(const std::string& table, const std::string& collection)
{
    X_CTD_TABLE_DEFINITION_PTR r;
    X_CTD_CreateTableDefinition(r, table, table, "", collection, 0, 0, "", "", "", "", nullptr, "", nullptr, collection,
                                'Y', ' ', '@');
    return r;
}

inline X_CTD_TABLE_DEFINITION_PTR readText(const std::string& text, const X_CTD_CAPABILITY_TABLE* caps = nullptr,
                                           const std::string& dbms = "SQLITE", int keepViews = 1, int keepIndexes = 1)
{
    TempDir dir;
    std::string path = dir.file("t.ctd", text);
    X_CTD_TABLE_DEFINITION_PTR r;
    X_CTD_ReadDefinition(path.c_str(), r, nullptr, keepViews, keepIndexes, caps, dbms);
    return r;
}

inline std::vector<std::string> messages(X_CTD_TABLE_DEFINITION& r)
{
    std::vector<std::string> out;
    std::string text;
    X_CTD_NextMessage(r, text, 'Y', 'N');
    while (!text.empty()) {
        out.push_back(text);
        X_CTD_NextMessage(r, text, 'N', 'N');
    }
    return out;
}

// The numbers of the record's messages, "(0392) ..." giving 392, in order.
inline std::vector<int> numbers(X_CTD_TABLE_DEFINITION& r)
{
    std::vector<int> out;
    for (const auto& m : messages(r))
        out.push_back(m[0] == '(' ? std::atoi(m.c_str() + 1) : -1);
    return out;
}

inline bool hasMessage(X_CTD_TABLE_DEFINITION& r, const std::string& prefix)
{
    for (const auto& m : messages(r))
        if (m.rfind(prefix, 0) == 0)
            return true;
    return false;
}

// A connection to a database that runs generated statements. `exec` gives ""
// when they ran, else the database's message.
class Database {
public:
    virtual ~Database() = default;
    virtual std::string exec(const std::string& sql) = 0;
    // First column of the first row of a query as a number; -1 on error.
    virtual long number(const std::string& sql) = 0;
    const std::string& connectError() const { return error_; }

protected:
    std::string error_;
};

class SqliteDatabase : public Database {
public:
    SqliteDatabase() { sqlite3_open(":memory:", &db_); }
    ~SqliteDatabase() override { sqlite3_close(db_); }
    std::string exec(const std::string& sql) override
    {
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK)
            return {};
        std::string text = error ? error : "error";
        sqlite3_free(error);
        return text;
    }
    long number(const std::string& sql) override
    {
        sqlite3_stmt* st = nullptr;
        long value = -1;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            value = static_cast<long>(sqlite3_column_int64(st, 0));
        sqlite3_finalize(st);
        return value;
    }

private:
    sqlite3* db_ = nullptr;
};

class PostgresDatabase : public Database {
public:
    PostgresDatabase()
    {
        const char* info = std::getenv("DQOV_PG_CONNINFO");
        if (!info || !*info) {
            error_ = "DQOV_PG_CONNINFO is not set: run the tests through scripts/with-services (make test)";
            return;
        }
        conn_ = PQconnectdb(info);
        if (PQstatus(conn_) != CONNECTION_OK)
            error_ = PQerrorMessage(conn_);
    }
    ~PostgresDatabase() override
    {
        if (conn_)
            PQfinish(conn_);
    }
    std::string exec(const std::string& sql) override
    {
        PGresult* r = PQexec(conn_, sql.c_str());
        ExecStatusType status = PQresultStatus(r);
        std::string text = (status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK) ? "" : PQerrorMessage(conn_);
        PQclear(r);
        return text;
    }
    long number(const std::string& sql) override
    {
        PGresult* r = PQexec(conn_, sql.c_str());
        long value = -1;
        if (PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) > 0)
            value = std::atol(PQgetvalue(r, 0, 0));
        PQclear(r);
        return value;
    }

private:
    PGconn* conn_ = nullptr;
};

// MariaDB in ANSI_QUOTES mode, as a site whose identifiers are delimited by
// double quotes configures it.
class MariaDatabase : public Database {
public:
    MariaDatabase()
    {
        const char* port = std::getenv("DQOV_MARIADB_PORT");
        if (!port || !*port) {
            error_ = "DQOV_MARIADB_PORT is not set: run the tests through scripts/with-services (make test)";
            return;
        }
        conn_ = mysql_init(nullptr);
        if (!mysql_real_connect(conn_, "127.0.0.1", "root", "", nullptr, static_cast<unsigned>(std::atoi(port)),
                                nullptr, CLIENT_MULTI_STATEMENTS))
            error_ = mysql_error(conn_);
        else
            error_ = exec("SET SESSION sql_mode = 'ANSI_QUOTES,STRICT_ALL_TABLES'");
    }
    ~MariaDatabase() override
    {
        if (conn_)
            mysql_close(conn_);
    }
    std::string exec(const std::string& sql) override
    {
        if (mysql_query(conn_, sql.c_str()) != 0)
            return mysql_error(conn_);
        do {
            if (MYSQL_RES* r = mysql_store_result(conn_))
                mysql_free_result(r);
        } while (mysql_next_result(conn_) == 0);
        return mysql_errno(conn_) ? mysql_error(conn_) : "";
    }
    long number(const std::string& sql) override
    {
        if (mysql_query(conn_, sql.c_str()) != 0)
            return -1;
        long value = -1;
        if (MYSQL_RES* r = mysql_store_result(conn_)) {
            if (MYSQL_ROW row = mysql_fetch_row(r); row && row[0])
                value = std::atol(row[0]);
            mysql_free_result(r);
        }
        return value;
    }

private:
    MYSQL* conn_ = nullptr;
};

// Runs a statement that removes what a test creates, before the test (what
// a failed run left) and when it ends, so that every run finds the server
// as it was.
struct Cleanup {
    Database& db;
    std::string sql;
    Cleanup(Database& d, std::string s) : db(d), sql(std::move(s)) { db.exec(sql); }
    ~Cleanup() { db.exec(sql); }
    Cleanup(const Cleanup&) = delete;
    Cleanup& operator=(const Cleanup&) = delete;
};

}  // namespace ctdtest
