// Units of work on the repository: the gate every statement passes first,
// the lazy start of a caller's unit, the unit of a job that holds the write
// lock from its start, and the commit and rollback that end a unit.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "platform/dqoz/dqoz.h"

#include <vector>

namespace dqos {

namespace {

// The unit that only reads and the writes it keeps for its commit.
struct ReadingUnit {
    bool open = false;
    std::vector<std::function<bool(sqlite3*)>> writes;
};

ReadingUnit& readingUnit()
{
    static ReadingUnit unit;
    return unit;
}

// The writes a reading unit kept, run in the writing unit now open; false
// (the unit rolled back, the last error set) on failure.
bool applyKeptWrites(sqlite3* db)
{
    ReadingUnit unit = std::move(readingUnit());
    forgetUnit();
    for (const auto& write : unit.writes) {
        if (!write(db)) {
            const std::string why = SSQL_pszLastError();
            sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
            setLastError(why);
            return false;
        }
    }
    return true;
}

// The number SSQL_ulUnitOfWork answers in a unit: it moves on with every
// transaction the library opens (each is opened by beginUnit or
// beginImmediate) and with every write of the connection to a kept table.
unsigned long gUnitsBegun = 0;

bool beginUnit(sqlite3* db)
{
    if (!execSimple(db, "BEGIN"))
        return false;
    ++gUnitsBegun;
    return true;
}

bool beginImmediate(sqlite3* db)
{
    if (sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK) {
        ++gUnitsBegun;
        return true;
    }
    setLastError(dbReason(db));
    return false;
}

// The kept writes of a reading unit in a unit of their own, holding the
// write lock; false on failure, with nothing of them written.
bool runKeptWrites(sqlite3* db)
{
    if (readingUnit().writes.empty())
        return true;
    // the reads end here: the writes see the repository as it stands
    if (!sqlite3_get_autocommit(db) && !execSimple(db, "COMMIT"))
        return false;
    return beginImmediate(db) && applyKeptWrites(db);
}

}  // namespace

void noteKeptTableWrite()
{
    ++gUnitsBegun;
}

bool writesWait()
{
    return readingUnit().open;
}

void keepWrite(std::function<bool(sqlite3*)> write)
{
    readingUnit().writes.push_back(std::move(write));
}

void forgetUnit()
{
    readingUnit() = ReadingUnit{};
}

std::string statementRefusal()
{
#if DQOV_TEST_HOOKS
    if (locationFails())
        return "Failure injected by the test switch";
#endif
    if (int signal = DosQueryInterrupt(); signal != 0)
        return "The job was interrupted (signal " + std::to_string(signal) + ")";
    return {};
}

bool openWork(sqlite3* db)
{
    if (!sqlite3_get_autocommit(db))
        return true;
    return beginUnit(db);
}

// A unit that has only read holds no lock worth keeping: it is rolled back
// and the job's unit begun as a writer, since a reader that later writes
// could be refused at once by a writer that came in between.
bool openWriterWork(sqlite3* db)
{
    if (!sqlite3_get_autocommit(db)) {
        if (sqlite3_txn_state(db, "QV_DTA") == SQLITE_TXN_WRITE)
            return true;
        if (!execSimple(db, "ROLLBACK"))
            return false;
    }
    // a reading unit becomes a writing one: what it kept is written in it
    return beginImmediate(db) && applyKeptWrites(db);
}

bool openReaderWork(sqlite3* db)
{
    forgetUnit();
    if (!openWork(db))
        return false;
    readingUnit().open = true;
    return true;
}

bool commitWork(sqlite3* db)
{
    const bool kept = runKeptWrites(db);
    forgetUnit();
    if (!kept)
        return false;
    if (sqlite3_get_autocommit(db))
        return true;
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) {
        setLastError(dbReason(db));
        return false;
    }
    // The committed pages go into the repository file now, while its
    // writes are the only ones waiting, rather than when the connection
    // closes, after the job has put its files in place and the file
    // system flushes those as well. A reader that holds older pages only
    // defers the rest to the close.
    sqlite3_wal_checkpoint_v2(db, "QV_DTA", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
    return true;
}

bool rollbackWork(sqlite3* db)
{
    forgetUnit();
    if (sqlite3_get_autocommit(db))
        return true;
    return execSimple(db, "ROLLBACK");
}

bool startOwnWrite(sqlite3* db)
{
    std::string refusal = statementRefusal();
    if (!refusal.empty()) {
        setLastError(refusal);
        return false;
    }
    if (db == nullptr) {
        setLastError("No repository connection");
        return false;
    }
    return openWork(db);
}

}  // namespace dqos

extern "C" unsigned long SSQL_ulUnitOfWork(void)
{
    std::lock_guard lock(dqos::dbLock());
    sqlite3* db = dqos::dbHandle();
    // a unit ended by a commit, a rollback or a failure SQLite rolled back
    // leaves the connection in autocommit until the next one begins
    if (db == nullptr || sqlite3_get_autocommit(db))
        return 0;
    return dqos::gUnitsBegun;
}
