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
    std::deque<std::string_view> order;  // texts (the keys of idle), oldest first
    // Counts the texts forgotten: a user's slot stays valid while the count
    // it saw is the count (a map's element stays where it is until erased).
    uint64_t forgotten = 0;

    void clear(sqlite3* conn)
    {
        for (auto& [sql, stmt] : idle)
            sqlite3_finalize(stmt);
        idle.clear();
        order.clear();
        ++forgotten;
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
        ++forgotten;
    }
    // The text's slot, added when the text is new (the oldest text is then
    // forgotten past the limit, never the one added).
    PooledSlot* slot(sqlite3* conn, const char* sql)
    {
        if (conn != db)
            clear(conn);
        const std::string_view text(sql);
        auto it = idle.find(text);
        if (it == idle.end()) {
            it = idle.emplace(std::string(text), nullptr).first;
            order.push_back(it->first);
            if (order.size() > kPoolLimit)
                forgetOldest();
        }
        return &*it;
    }
    void give(sqlite3_stmt* stmt, PooledSlot* slot, uint64_t seen)
    {
        if (stmt == nullptr)
            return;
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        // a statement of a connection since closed, or whose text was
        // forgotten while it was out, or a second statement of its text
        if (sqlite3_db_handle(stmt) != dbHandle() || sqlite3_db_handle(stmt) != db || slot == nullptr ||
            seen != forgotten || slot->second != nullptr) {
            sqlite3_finalize(stmt);
            return;
        }
        slot->second = stmt;
    }
};

StatementPool& pool()
{
    static StatementPool p;
    return p;
}

}  // namespace

void dropPooled()
{
    pool().clear(nullptr);
}

PooledStmt::PooledStmt(sqlite3* db, const char* sql)
{
    if (!take(db, sql))
        stmt_ = Stmt(db, sql);
}

PooledStmt::~PooledStmt()
{
    pool().give(stmt_.release(), slot_, seen_);
}

bool PooledStmt::take(sqlite3* db, const char* sql)
{
    StatementPool& p = pool();
    p.give(stmt_.release(), slot_, seen_);
    slot_ = nullptr;
    if (db == nullptr)
        return false;
    slot_ = p.slot(db, sql);
    seen_ = p.forgotten;
    sqlite3_stmt* stmt = slot_->second;
    slot_->second = nullptr;
    stmt_.adopt(stmt);
    return stmt != nullptr;
}

void PooledStmt::hold(sqlite3_stmt* stmt)
{
    stmt_.adopt(stmt);
}

}  // namespace dqos
