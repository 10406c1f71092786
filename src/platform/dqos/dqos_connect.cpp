// Repository connection: opens the repository file, attaches it as QV_DTA,
// keeps one transaction open, and owns the last-error text, the current
// location tag and the failure switch used by tests.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace dqos {
namespace {

struct ConnectionState {
    sqlite3 *db = nullptr;
    std::string lastError;
    std::string failLocation;
};

ConnectionState &state() {
    static ConnectionState s;
    return s;
}

thread_local std::string tlsLocation;

void closeConnection() {
    ConnectionState &s = state();
    if (s.db == nullptr) return;
    dropCursors();
    if (!sqlite3_get_autocommit(s.db)) sqlite3_exec(s.db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(s.db);
    s.db = nullptr;
}

// Refuses a path that is missing, not a regular file or not readable and
// writable, before SQLite would quietly create an empty database there.
bool checkRepositoryFile(const std::string &path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        setLastError("Repository file " + path + " does not exist");
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        setLastError("Repository " + path + " is not a file");
        return false;
    }
    if (access(path.c_str(), R_OK | W_OK) != 0) {
        setLastError("Repository file " + path + " cannot be read and written");
        return false;
    }
    return true;
}

// Attaches the file as QV_DTA and reads its catalogue, which proves it is
// a database. The path is bound, so no character in it can alter the
// statement. Returns "" or the reason of the failure.
std::string attachAndProbe(sqlite3 *db, const std::string &path) {
    Stmt attach(db, "ATTACH DATABASE ? AS QV_DTA");
    if (!attach.ok()) return state().lastError;
    attach.bindText(1, path);
    if (attach.step() != SQLITE_DONE)
        return "Repository file " + path + " cannot be opened: " + sqlite3_errmsg(db);
    Stmt probe(db, "SELECT COUNT(*) FROM QV_DTA.sqlite_master");
    if (!probe.ok() || probe.step() != SQLITE_ROW)
        return "Repository file " + path + " is not a database: " + sqlite3_errmsg(db);
    return {};
}

}  // namespace

std::recursive_mutex &dbLock() {
    static std::recursive_mutex m;
    return m;
}

sqlite3 *dbHandle() { return state().db; }

void setLastError(std::string_view text) { state().lastError.assign(text); }

const std::string &currentLocation() { return tlsLocation; }

bool locationFails() {
    const std::string &fail = state().failLocation;
    return !fail.empty() && fail == tlsLocation;
}

bool execSimple(sqlite3 *db, const char *sql) {
    char *msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) == SQLITE_OK) return true;
    setLastError(msg ? msg : sqlite3_errmsg(db));
    sqlite3_free(msg);
    return false;
}

Stmt::Stmt(sqlite3 *db, std::string_view sql) {
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
        setLastError(sqlite3_errmsg(db));
        stmt_ = nullptr;
    }
}

Stmt::~Stmt() { sqlite3_finalize(stmt_); }

Stmt &Stmt::operator=(Stmt &&other) noexcept {
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Stmt::bindText(int index, std::string_view text) {
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Stmt::bindInt(int index, int64_t value) { sqlite3_bind_int64(stmt_, index, value); }

int Stmt::step() {
    int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE) setLastError(sqlite3_errmsg(sqlite3_db_handle(stmt_)));
    return rc;
}

std::string Stmt::text(int column) const {
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, column));
    if (p == nullptr) return {};
    return std::string(p, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

int64_t Stmt::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

bool Stmt::isNull(int column) const { return sqlite3_column_type(stmt_, column) == SQLITE_NULL; }

}  // namespace dqos

using namespace dqos;

extern "C" unsigned short SSQL_sConnect(const char *pszPath) {
    std::lock_guard lock(dbLock());
    closeConnection();
    std::string path = pszPath ? pszPath : "";
    if (path.empty()) {
        const char *env = std::getenv("DQOV_REPOSITORY");
        path = env ? env : "";
    }
    if (const char *fail = std::getenv("DQOV_SQL_FAIL_AT"); fail && *fail) state().failLocation = fail;
    if (path.empty()) {
        setLastError("No repository file given (DQOV_REPOSITORY is not set)");
        return SSQL_RC_NOREPOS;
    }
    if (!checkRepositoryFile(path)) return SSQL_RC_NOREPOS;

    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        setLastError(db ? sqlite3_errmsg(db) : "out of storage");
        sqlite3_close_v2(db);
        return SSQL_RC_NOREPOS;
    }
    sqlite3_busy_timeout(db, 5000);
    sqlite3_extended_result_codes(db, 1);
    state().db = db;

    // The statements are finished before the pragma below, which cannot
    // replace the LIKE function while any statement is still active.
    std::string why = attachAndProbe(db, path);
    if (!why.empty()) {
        closeConnection();
        setLastError(why);
        return SSQL_RC_NOREPOS;
    }
    if (!execSimple(db, "PRAGMA case_sensitive_like=ON") || !execSimple(db, "BEGIN")) {
        std::string why = state().lastError;
        closeConnection();
        setLastError(why);
        return SSQL_RC_NOREPOS;
    }
    return SSQL_RC_OK;
}

extern "C" void SSQL_Disconnect(void) {
    std::lock_guard lock(dbLock());
    closeConnection();
}

extern "C" int SSQL_fIsConnected(void) {
    std::lock_guard lock(dbLock());
    return state().db != nullptr;
}

extern "C" const char *SSQL_pszLastError(void) {
    std::lock_guard lock(dbLock());
    return state().lastError.c_str();
}

extern "C" void SSQL_SetLocation(const char *pszTag) { tlsLocation = pszTag ? pszTag : ""; }

extern "C" void SSQL_SetFailLocation(const char *pszTag) {
    std::lock_guard lock(dbLock());
    state().failLocation = pszTag ? pszTag : "";
}
