// Connections to the real databases that check the generated DDL: SQLite in
// memory, and the PostgreSQL server that scripts/with-services starts (found
// through DQOV_PG_CONNINFO). A test that needs the server fails when it cannot
// reach it.
#pragma once

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace ctdtest {

class Database {
public:
    virtual ~Database() = default;
    // Runs one or more statements; "" when they ran, else the database's message.
    virtual std::string exec(const std::string& sql) = 0;
    // First column of the first row of a query as a number; -1 on error.
    virtual long number(const std::string& sql) = 0;
    virtual std::string name() const = 0;
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
    std::string name() const override { return "SQLITE"; }

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
    // "" when connected, else why not.
    const std::string& connectError() const { return error_; }
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
    std::string name() const override { return "POSTGRESQL"; }

private:
    PGconn* conn_ = nullptr;
    std::string error_;
};

} // namespace ctdtest
