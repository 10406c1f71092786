// The pool of prepared statements: one idle statement per text, for the
// open connection, at most kPoolLimit texts (the oldest text goes first).
#include "platform/dqos/dqos_db.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace dqos {
namespace {

constexpr size_t kPoolLimit = 128;

// Texts are looked up as they are given, without a string made of them.
struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};

struct StatementPool {
    sqlite3* db = nullptr;  // the connection the statements belong to
    std::unordered_map<std::string, sqlite3_stmt*, TextHash, std::equal_to<>> idle;
    std::deque<std::string> order;  // texts, oldest first

    void clear(sqlite3* conn)
    {
        for (auto& [sql, stmt] : idle)
            sqlite3_finalize(stmt);
        idle.clear();
        order.clear();
        db = conn;
    }
    void forgetOldest()
    {
        auto old = idle.find(order.front());
        order.pop_front();
        if (old == idle.end())
            return;
        sqlite3_finalize(old->second);
        idle.erase(old);
    }
    void give(sqlite3_stmt* stmt, const std::string& sql)
    {
        if (stmt == nullptr)
            return;
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        sqlite3* conn = sqlite3_db_handle(stmt);
        if (conn != dbHandle()) {  // a statement of a connection since closed
            sqlite3_finalize(stmt);
            return;
        }
        if (conn != db)
            clear(conn);
        auto [it, added] = idle.try_emplace(sql, nullptr);
        if (it->second != nullptr) {  // the text has an idle statement already
            sqlite3_finalize(stmt);
            return;
        }
        it->second = stmt;
        if (!added)
            return;
        order.push_back(sql);
        if (order.size() > kPoolLimit)
            forgetOldest();
    }
};

StatementPool& pool()
{
    static StatementPool p;
    return p;
}

}  // namespace

sqlite3_stmt* takePooled(sqlite3* db, const char* sql)
{
    StatementPool& p = pool();
    if (db == nullptr || db != p.db)
        return nullptr;
    auto it = p.idle.find(std::string_view(sql));
    if (it == p.idle.end())
        return nullptr;
    sqlite3_stmt* stmt = it->second;
    it->second = nullptr;
    return stmt;
}

void dropPooled()
{
    pool().clear(nullptr);
}

PooledStmt::PooledStmt(sqlite3* db, const char* sql) : sql_(sql)
{
    sqlite3_stmt* stmt = takePooled(db, sql);
    if (stmt != nullptr) {
        stmt_.adopt(stmt);
        return;
    }
    stmt_ = Stmt(db, sql);
}

PooledStmt::~PooledStmt()
{
    pool().give(stmt_.release(), sql_);
}

void PooledStmt::hold(sqlite3_stmt* stmt, const char* sql)
{
    pool().give(stmt_.release(), sql_);
    stmt_.adopt(stmt);
    sql_ = sql;
}

}  // namespace dqos
