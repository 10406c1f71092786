// The keys of the journals of renames of committed jobs (table QV_FJW): a
// row is written in the job's own unit of work, so that it exists exactly
// when the job's repository work was committed. Each row holds the identity
// of the environment root the job worked on: roots that share a repository
// settle and forget only their own jobs' keys.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <set>
#include <string>
#include <vector>

namespace {

using namespace dqos;

constexpr const char* kTable = "CREATE TABLE IF NOT EXISTS QV_DTA.QV_FJW (FJWKEY VARCHAR(64) NOT NULL PRIMARY KEY, "
                               "FJWROT VARCHAR(64) NOT NULL DEFAULT '')";

bool tableExists(sqlite3* db)
{
    Stmt st(db, "SELECT 1 FROM QV_DTA.sqlite_master WHERE type = 'table' AND name = 'QV_FJW'");
    return st.ok() && st.step() == SQLITE_ROW;
}

// The table holds the roots' column (a table of an earlier release holds
// only the keys, none of them of a root).
bool hasRoots(sqlite3* db)
{
    Stmt st(db, "SELECT 1 FROM pragma_table_info('QV_FJW', 'QV_DTA') WHERE name = 'FJWROT'");
    return st.ok() && st.step() == SQLITE_ROW;
}

// The table as this release writes it, inside the current unit of work.
bool ensureTable(sqlite3* db)
{
    if (!execSimple(db, kTable))
        return false;
    return hasRoots(db) || execSimple(db, "ALTER TABLE QV_DTA.QV_FJW ADD COLUMN FJWROT VARCHAR(64) NOT NULL DEFAULT ''");
}

bool given(const char* text)
{
    return text && *text;
}

}  // namespace

extern "C" unsigned short SDQOX_NoteFileWork(const char* pszKey, const char* pszRoot)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (!given(pszKey) || !given(pszRoot)) {
        setLastError("No journal key or root given");
        return SSQL_RC_ERROR;
    }
    if (!startOwnWrite(db) || !ensureTable(db))
        return SSQL_RC_ERROR;
    Stmt st(db, "INSERT OR REPLACE INTO QV_DTA.QV_FJW (FJWKEY, FJWROT) VALUES (?, ?)");
    if (!st.ok())
        return SSQL_RC_ERROR;
    st.bindText(1, pszKey);
    st.bindText(2, pszRoot);
    return st.step() == SQLITE_DONE ? SSQL_RC_OK : SSQL_RC_ERROR;
}

extern "C" int SDQOX_FileWorkCommitted(const char* pszKey, const char* pszRoot)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (!db || !given(pszKey) || !given(pszRoot))
        return -1;
    // a unit that reads without the write lock may see the repository as
    // it was before the job in question committed
    if (!sqlite3_get_autocommit(db) && sqlite3_txn_state(db, "QV_DTA") != SQLITE_TXN_WRITE)
        return -1;
    if (!tableExists(db) || !hasRoots(db))
        return 0;
    Stmt st(db, "SELECT 1 FROM QV_DTA.QV_FJW WHERE FJWKEY = ? AND FJWROT = ?");
    if (!st.ok())
        return -1;
    st.bindText(1, pszKey);
    st.bindText(2, pszRoot);
    const int rc = st.step();
    return rc == SQLITE_ROW ? 1 : rc == SQLITE_DONE ? 0 : -1;
}

extern "C" unsigned short SDQOX_ForgetFileWork(const char* pszRoot, const char* const* apszKeep, unsigned long ulKeep)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (!db) {
        setLastError("No repository connection");
        return SSQL_RC_ERROR;
    }
    if (!given(pszRoot)) {
        setLastError("No root given");
        return SSQL_RC_ERROR;
    }
    if (!tableExists(db) || !hasRoots(db))
        return SSQL_RC_OK;
    std::set<std::string> keep;
    for (unsigned long i = 0; apszKeep && i < ulKeep; ++i)
        if (apszKeep[i])
            keep.insert(apszKeep[i]);
    std::vector<std::string> gone;
    {
        Stmt st(db, "SELECT FJWKEY FROM QV_DTA.QV_FJW WHERE FJWROT = ?");
        if (!st.ok())
            return SSQL_RC_ERROR;
        st.bindText(1, pszRoot);
        for (int rc; (rc = st.step()) == SQLITE_ROW;)
            if (!keep.count(st.text(0)))
                gone.push_back(st.text(0));
    }
    if (gone.empty())
        return SSQL_RC_OK;
    if (!startOwnWrite(db))
        return SSQL_RC_ERROR;
    for (const std::string& key : gone) {
        Stmt st(db, "DELETE FROM QV_DTA.QV_FJW WHERE FJWKEY = ? AND FJWROT = ?");
        if (!st.ok())
            return SSQL_RC_ERROR;
        st.bindText(1, key);
        st.bindText(2, pszRoot);
        if (st.step() != SQLITE_DONE)
            return SSQL_RC_ERROR;
    }
    return SSQL_RC_OK;
}
