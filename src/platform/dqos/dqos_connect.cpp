// Repository connection: opens the repository file, attaches it as QV_DTA
// with its write-ahead log and lock timeout, and owns the last-error text,
// the current location tag and, in builds made for the tests, the two
// switches they use (failure at a location, log of the locations seen).
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "platform/dqos/dqos_messages.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>

namespace dqos {
namespace {

// Seconds a job waits for the repository's write lock unless the
// environment variable DQOV_LOCK_TIMEOUT says otherwise.
constexpr long kDefaultLockTimeout = 60;

struct ConnectionState {
    sqlite3* db = nullptr;
    std::string path;
    std::string lastError;
    std::string lockReason;  // the text of the last lock not granted in time
    bool ready = false;      // connected: past the opening of the file
#if DQOV_TEST_HOOKS
    std::string failLocation;
    std::string locationLog;
    std::set<std::string> logged;
#endif
};

ConnectionState& state()
{
    static ConnectionState s;
    return s;
}

thread_local std::string tlsLocation;

void closeConnection()
{
    ConnectionState& s = state();
    if (s.db == nullptr)
        return;
    dropCursors();
    forgetUnit();
    forgetMessageTexts();
    if (!sqlite3_get_autocommit(s.db))
        sqlite3_exec(s.db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close_v2(s.db);
    s.db = nullptr;
    s.ready = false;
    s.path.clear();
}

#if DQOV_TEST_HOOKS
// Appends a location seen to the location log, once each.
void logLocation(ConnectionState& s, const std::string& tag)
{
    if (!s.logged.insert(tag).second)
        return;
    int fd = ::open(s.locationLog.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    std::string line = tag + "\n";
    ssize_t written = ::write(fd, line.data(), line.size());
    (void)written;
    ::close(fd);
}
#endif

long lockTimeoutSeconds()
{
    const char* env = std::getenv("DQOV_LOCK_TIMEOUT");
    if (env == nullptr || *env == '\0')
        return kDefaultLockTimeout;
    char* end = nullptr;
    long seconds = std::strtol(env, &end, 10);
    if (*end != '\0' || seconds < 0 || seconds > 86400)
        return kDefaultLockTimeout;
    return seconds;
}

// Refuses a path that is missing, not a regular file or not readable and
// writable, before SQLite would quietly create an empty database there.
bool checkRepositoryFile(const std::string& path)
{
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
// a database; one without tables (an empty file is a valid empty database)
// is no repository. The path is bound, so no character in it can alter the
// statement. Returns "" or the reason of the failure.
std::string attachAndProbe(sqlite3* db, const std::string& path)
{
    Stmt attach(db, "ATTACH DATABASE ? AS QV_DTA");
    if (!attach.ok())
        return state().lastError;
    attach.bindText(1, path);
    if (attach.step() != SQLITE_DONE)
        return busy(db) ? dbReason(db) : "Repository file " + path + " cannot be opened: " + sqlite3_errmsg(db);
    Stmt probe(db, "SELECT COUNT(*) FROM QV_DTA.sqlite_master WHERE type = 'table'");
    if (!probe.ok() || probe.step() != SQLITE_ROW)
        return busy(db) ? dbReason(db) : "Repository file " + path + " is not a database: " + sqlite3_errmsg(db);
    if (probe.integer(0) == 0)
        return "Repository file " + path + " holds no tables: it is not a repository";
    return {};
}

// The write-ahead log lets readers go on while a job writes and lets a
// job commit while others read. The mode stays with the file, so only the
// first connection switches it; a repository that cannot switch (another
// process holds it, a file system without shared memory) keeps its
// rollback journal and works as before.
//
// In the log's mode a commit is not synced to disk by itself: the log is
// synced, and its pages copied into the file and that synced, at each
// checkpoint (the one at the end of the connection included). The database
// stays consistent after a crash or power loss; a power loss may take back
// the last jobs committed since the last checkpoint, never a part of one.
// A rollback journal keeps the full syncs it needs to stay consistent.
void useWriteAheadLog(sqlite3* db)
{
    bool wal = false;
    {
        Stmt mode(db, "PRAGMA QV_DTA.journal_mode");
        wal = mode.ok() && mode.step() == SQLITE_ROW && mode.text(0) == "wal";
    }  // the reading statement ends here: the mode cannot change while one is active
    if (!wal) {
        // the pragma answers the mode the file is in after it
        auto answer = [](void* out, int columns, char** values, char**) {
            *static_cast<bool*>(out) = columns == 1 && values[0] != nullptr && std::strcmp(values[0], "wal") == 0;
            return 0;
        };
        sqlite3_exec(db, "PRAGMA QV_DTA.journal_mode=WAL", answer, &wal, nullptr);
    }
    if (!wal)
        return;
    sqlite3_exec(db, "PRAGMA QV_DTA.synchronous = NORMAL", nullptr, nullptr, nullptr);
    // The log and its index stay beside the repository when the connection
    // closes, the log emptied: the next job opens both files again instead
    // of making them anew and deleting them at its end. The repository file
    // holds every committed row either way.
    int persist = 1;
    sqlite3_file_control(db, "QV_DTA", SQLITE_FCNTL_PERSIST_WAL, &persist);
    sqlite3_exec(db, "PRAGMA QV_DTA.journal_size_limit = 0", nullptr, nullptr, nullptr);
}

// A job reads its function's source and definitions once and looks up a
// few rows at a time afterwards: a small page cache (the operating system
// keeps the file's pages anyway) keeps the job's memory low.
constexpr const char* kPageCache = "PRAGMA QV_DTA.cache_size = -128";  // KiB

// The tables of watchKeptTables.
bool isKeptTable(const char* table)
{
    // told apart by their sixth letter first: the hook sees every row the job writes
    if (table == nullptr || std::strlen(table) != 6)
        return false;
    for (const char* kept : {"QV_SET", "QV_F60", "QV_FTX"})
        if (std::toupper(static_cast<unsigned char>(table[5])) == kept[5] && sqlite3_stricmp(table, kept) == 0)
            return true;
    return false;
}

}  // namespace

void watchKeptTables(sqlite3* db)
{
    // each row written to one of them, when the statement runs
    sqlite3_update_hook(
        db,
        [](void*, int, const char*, const char* table, sqlite3_int64) {
            if (isKeptTable(table))
                noteKeptTableWrite();
        },
        nullptr);
    // a statement that changes one of them as it is prepared (the table
    // dropped or altered, or rows written where the hook does not see them),
    // and a delete of all of a table's rows is made row by row, which the
    // hook sees (SQLITE_IGNORE only gives up that shortcut)
    sqlite3_set_authorizer(
        db,
        [](void*, int action, const char* a1, const char* a2, const char*, const char*) {
            switch (action) {
            case SQLITE_INSERT:
            case SQLITE_UPDATE:
            case SQLITE_DROP_TABLE:
                if (isKeptTable(a1))
                    noteKeptTableWrite();
                return SQLITE_OK;
            case SQLITE_DELETE:
                if (!isKeptTable(a1))
                    return SQLITE_OK;
                noteKeptTableWrite();
                return SQLITE_IGNORE;
            case SQLITE_ALTER_TABLE:
                if (isKeptTable(a2))
                    noteKeptTableWrite();
                return SQLITE_OK;
            default: return SQLITE_OK;
            }
        },
        nullptr);
}

bool busy(sqlite3* db)
{
    const int code = sqlite3_extended_errcode(db) & 0xFF;
    return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

std::recursive_mutex& dbLock()
{
    static std::recursive_mutex m;
    return m;
}

sqlite3* dbHandle()
{
    return state().db;
}

void setLastError(std::string_view text)
{
    state().lastError.assign(text);
}

const std::string& currentLocation()
{
    return tlsLocation;
}

bool locationFails()
{
#if DQOV_TEST_HOOKS
    ConnectionState& s = state();
    if (!s.locationLog.empty())
        logLocation(s, tlsLocation);
    return !s.failLocation.empty() && s.failLocation == tlsLocation;
#else
    return false;
#endif
}

std::string dbReason(sqlite3* db)
{
    if (!busy(db))
        return sqlite3_errmsg(db);
    // what is locked, and how long the job waited for it
    ConnectionState& s = state();
    const std::string waited = std::to_string(lockTimeoutSeconds()) + " second(s)";
    s.lockReason = "The repository " + s.path +
                   (s.ready ? " is locked: its write lock was held by another process for more than "
                            : " is locked: another process held it for more than ") +
                   waited;
    return s.lockReason;
}

bool execSimple(sqlite3* db, const char* sql)
{
    char* msg = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &msg) == SQLITE_OK)
        return true;
    setLastError(msg ? msg : sqlite3_errmsg(db));
    sqlite3_free(msg);
    return false;
}

Stmt::Stmt(sqlite3* db, std::string_view sql)
{
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &stmt_, &tail) != SQLITE_OK) {
        setLastError(sqlite3_errmsg(db));
        stmt_ = nullptr;
    }
}

Stmt::~Stmt()
{
    sqlite3_finalize(stmt_);
}

Stmt& Stmt::operator=(Stmt&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(stmt_);
        stmt_ = other.stmt_;
        other.stmt_ = nullptr;
    }
    return *this;
}

void Stmt::bindText(int index, std::string_view text)
{
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

void Stmt::bindTextInPlace(int index, std::string_view text)
{
    sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

void Stmt::bindInt(int index, int64_t value)
{
    sqlite3_bind_int64(stmt_, index, value);
}

int Stmt::step()
{
    int rc = sqlite3_step(stmt_);
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        setLastError(dbReason(sqlite3_db_handle(stmt_)));
    return rc;
}

std::string Stmt::text(int column) const
{
    return std::string(columnText(stmt_, column));
}

int64_t Stmt::integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

bool Stmt::isNull(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

}  // namespace dqos

using namespace dqos;

extern "C" unsigned short SSQL_sConnect(const char* pszPath)
{
    std::lock_guard lock(dbLock());
    closeConnection();
    std::string path = pszPath ? pszPath : "";
    if (path.empty()) {
        const char* env = std::getenv("DQOV_REPOSITORY");
        path = env ? env : "";
    }
#if DQOV_TEST_HOOKS
    if (const char* fail = std::getenv("DQOV_SQL_FAIL_AT"); fail && *fail)
        state().failLocation = fail;
    if (const char* log = std::getenv("DQOV_SQL_LOCATION_LOG"); log && *log)
        SSQL_SetLocationLog(log);
#endif
    if (path.empty()) {
        setLastError("No repository file given (DQOV_REPOSITORY is not set)");
        return SSQL_RC_NOREPOS;
    }
    if (!checkRepositoryFile(path))
        return SSQL_RC_NOREPOS;

    // Nothing here asks SQLite how much memory it holds, so its count of
    // every allocation (a lock and two updates each) is left off. It can be
    // set only before SQLite starts; where it already has, the call is
    // refused and changes nothing.
    static const int memoryCountOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    (void)memoryCountOff;

    // Every use of the connection holds dbLock(), so SQLite's own lock
    // around each of its calls is left out.
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        setLastError(db ? sqlite3_errmsg(db) : "out of storage");
        sqlite3_close_v2(db);
        return SSQL_RC_NOREPOS;
    }
    sqlite3_busy_timeout(db, static_cast<int>(lockTimeoutSeconds() * 1000));
    sqlite3_extended_result_codes(db, 1);
    watchKeptTables(db);
    state().db = db;
    state().path = path;

    // The statements are finished before the pragma below, which cannot
    // replace the LIKE function while any statement is still active.
    std::string why = attachAndProbe(db, path);
    if (!why.empty()) {
        closeConnection();
        setLastError(why);
        return SSQL_RC_NOREPOS;
    }
    if (!execSimple(db, "PRAGMA case_sensitive_like=ON")) {
        std::string why = state().lastError;
        closeConnection();
        setLastError(why);
        return SSQL_RC_NOREPOS;
    }
    useWriteAheadLog(db);
    sqlite3_exec(db, kPageCache, nullptr, nullptr, nullptr);
    state().ready = true;
    return SSQL_RC_OK;
}

extern "C" void SSQL_Disconnect(void)
{
    std::lock_guard lock(dbLock());
    closeConnection();
}

extern "C" int SSQL_fIsConnected(void)
{
    std::lock_guard lock(dbLock());
    return state().db != nullptr;
}

extern "C" int SSQL_fLockNotGranted(void)
{
    std::lock_guard lock(dbLock());
    const ConnectionState& s = state();
    return !s.lockReason.empty() && s.lastError == s.lockReason ? 1 : 0;
}

extern "C" const char* SSQL_pszLastError(void)
{
    std::lock_guard lock(dbLock());
    return state().lastError.c_str();
}

extern "C" void SSQL_SetLocation(const char* pszTag)
{
    tlsLocation = pszTag ? pszTag : "";
}

extern "C" const char* SSQL_pszLocation(void)
{
    return tlsLocation.c_str();
}

#if DQOV_TEST_HOOKS
extern "C" void SSQL_SetLocationLog(const char* pszPath)
{
    std::lock_guard lock(dbLock());
    state().locationLog = pszPath ? pszPath : "";
    state().logged.clear();
}

extern "C" void SSQL_SetFailLocation(const char* pszTag)
{
    std::lock_guard lock(dbLock());
    state().failLocation = pszTag ? pszTag : "";
}
#endif

extern "C" const char* SSQL_pszRepositoryPath(void)
{
    std::lock_guard lock(dbLock());
    return dbHandle() ? state().path.c_str() : "";
}
