// Internal access to the repository connection for the services library's
// own C++ modules (messages, stored source, object state). Callers outside
// this folder use the SSQL_ calls of dqos.h.
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace dqos {

// Lock that serialises every use of the connection.
std::recursive_mutex& dbLock();

// The open connection, or null when none is open. Hold dbLock() while using it.
sqlite3* dbHandle();

// Records the text that SSQL_pszLastError() answers.
void setLastError(std::string_view text);

// Location tag current on this thread, and whether it is switched to fail
// (the location is also written to the location log when one is set).
const std::string& currentLocation();
bool locationFails();

// The gate every statement of a caller and every write of the library
// passes first: the failure switch of tests and an interruption of the
// process. "" to go on, else the reason the statement fails with.
std::string statementRefusal();

// Units of work (see dqos.h); each answers false with the last error set.
// openWork opens a unit when none is open; openWriterWork opens the unit of
// a job, holding the write lock; openReaderWork the unit of a job that only
// reads, taking no lock (the library's own writes in it wait for its
// commit); the others end the unit when one is open.
bool openWork(sqlite3* db);
bool openWriterWork(sqlite3* db);
bool openReaderWork(sqlite3* db);
bool commitWork(sqlite3* db);
bool rollbackWork(sqlite3* db);

// In a unit that only reads, the library's own writes wait for the unit's
// commit, which takes the write lock for them then (a unit rolled back
// drops them). writesWait answers whether they must; keepWrite keeps one,
// to run with the connection at the commit (false fails the commit, with
// the last error set).
bool writesWait();
void keepWrite(std::function<bool(sqlite3*)> write);
// Ends the unit's own state (a reading unit and its kept writes) when the
// connection rolls back or closes.
void forgetUnit();

// Tables whose rows callers keep for a unit of work (SSQL_ulUnitOfWork):
// no statement of a job writes them, but a write of the connection to one
// (a test's, an administrator's tool) moves the unit's number on, so that
// what was kept of them is read again. Watches the connection for them.
void watchKeptTables(sqlite3* db);
void noteKeptTableWrite();

// The last call of the database failed for a lock not granted in time.
bool busy(sqlite3* db);

// The database's reason for the failure of its last call; a lock not
// granted in time is named with the repository and the lock timeout.
std::string dbReason(sqlite3* db);

// Opens the unit of work for a write of the library itself after the gate;
// false (last error set) when the write may not run.
bool startOwnWrite(sqlite3* db);

// The text of column i of the statement's current row, as
// sqlite3_column_text and sqlite3_column_bytes answer it (a number is given
// as its text), with the column looked up once instead of once per call:
// data() is null for a NULL column. Valid until the statement steps again.
inline std::string_view columnText(sqlite3_stmt* row, int i)
{
    sqlite3_value* value = sqlite3_column_value(row, i);
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return p ? std::string_view(p, static_cast<size_t>(sqlite3_value_bytes(value))) : std::string_view();
}

// Owns one prepared statement.
class Stmt {
public:
    Stmt() = default;
    Stmt(sqlite3* db, std::string_view sql);
    ~Stmt();
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    Stmt(Stmt&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
    Stmt& operator=(Stmt&& other) noexcept;

    // Takes ownership of a statement prepared elsewhere.
    void adopt(sqlite3_stmt* stmt)
    {
        sqlite3_finalize(stmt_);
        stmt_ = stmt;
    }
    // Gives the statement up to the caller, who then owns it.
    sqlite3_stmt* release()
    {
        sqlite3_stmt* stmt = stmt_;
        stmt_ = nullptr;
        return stmt;
    }
    bool ok() const { return stmt_ != nullptr; }
    sqlite3_stmt* get() const { return stmt_; }
    void bindText(int index, std::string_view text);
    // Binds the text where it stands, without a copy: it must stay there
    // until the statement is reset (a pooled statement is reset when it
    // goes back to the pool).
    void bindTextInPlace(int index, std::string_view text);
    void bindInt(int index, int64_t value);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    std::string text(int column) const;
    int64_t integer(int column) const;
    bool isNull(int column) const;

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// Statements kept for reuse: a job runs a few dozen statements thousands
// of times, so each text is prepared once per connection and kept, reset,
// between its uses. A statement in use is out of the pool; a second user of
// the same text gets a statement of its own.
//
// Finalises every pooled statement.
void dropPooled();

// The pool's place for a text: the text and its idle statement, if any.
using PooledSlot = std::pair<const std::string, sqlite3_stmt*>;

// A statement used once and then put back into the pool under its text.
// The pool's place of the text is looked up once, when the statement is
// taken: it goes back there without the text being looked up again.
class PooledStmt {
public:
    PooledStmt() = default;
    // Takes the text's statement from the pool or prepares it (!ok() and
    // the last error set when it cannot be prepared).
    PooledStmt(sqlite3* db, const char* sql);
    ~PooledStmt();
    PooledStmt(const PooledStmt&) = delete;
    PooledStmt& operator=(const PooledStmt&) = delete;
    PooledStmt(PooledStmt&& other) noexcept : stmt_(std::move(other.stmt_)), slot_(other.slot_), seen_(other.seen_)
    {
        other.slot_ = nullptr;
    }
    PooledStmt& operator=(PooledStmt&&) = delete;

    // Puts the statement held back and takes the idle statement of the
    // text, kept under it afterwards; false (and none held) when the text
    // has no idle statement: hold() is then given one prepared for it.
    bool take(sqlite3* db, const char* sql);
    // Holds a statement prepared for the text of the last take().
    void hold(sqlite3_stmt* stmt);
    bool ok() const { return stmt_.ok(); }
    sqlite3_stmt* get() const { return stmt_.get(); }
    void bindText(int index, std::string_view text) { stmt_.bindText(index, text); }
    void bindTextInPlace(int index, std::string_view text) { stmt_.bindTextInPlace(index, text); }
    void bindInt(int index, int64_t value) { stmt_.bindInt(index, value); }
    int step() { return stmt_.step(); }
    std::string text(int column) const { return stmt_.text(column); }
    int64_t integer(int column) const { return stmt_.integer(column); }
    bool isNull(int column) const { return stmt_.isNull(column); }

private:
    Stmt stmt_;
    PooledSlot* slot_ = nullptr;
    uint64_t seen_ = 0;
};

// Finalises every open cursor and every pooled statement; called before
// the connection closes.
void dropCursors();

// Runs a statement that returns no rows; false (and the last error set) on failure.
bool execSimple(sqlite3* db, const char* sql);

// Text of a caller's argument: null gives "", trailing blanks removed.
std::string trimmed(const char* text);
std::string trimmed(std::string_view text);

// Value of a QV_SET setting, when connected and stored.
std::optional<std::string> readSetting(std::string_view key);

// Session partition and language (trimmed).
std::string sessionPartition();
std::string sessionLanguage();
std::string defaultLanguage();

// Current UTC time as "YYYY-MM-DD HH:MM:SS".
std::string utcTimestamp();

}  // namespace dqos
