// The keys of the journals of renames of committed jobs (table QV_FJW): a
// row is written in the job's own unit of work, so that it exists exactly
// when the job's repository work was committed.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <set>
#include <string>
#include <vector>

namespace {

using namespace dqos;

constexpr const char* kTable =
    "CREATE TABLE IF NOT EXISTS QV_DTA.QV_FJW (FJWKEY VARCHAR(64) NOT NULL PRIMARY KEY)";

bool tableExists(sqlite3* db)
{
    Stmt st(db, "SELECT 1 FROM QV_DTA.sqlite_master WHERE type = 'table' AND name = 'QV_FJW'");
    return st.ok() && st.step() == SQLITE_ROW;
}

}  // namespace

extern "C" unsigned short SDQOX_NoteFileWork(const char* pszKey)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (!pszKey || !*pszKey) {
        setLastError("No journal key given");
        return SSQL_RC_ERROR;
    }
    if (!startOwnWrite(db))
        return SSQL_RC_ERROR;
    if (!execSimple(db, kTable))
        return SSQL_RC_ERROR;
    Stmt st(db, "INSERT OR REPLACE INTO QV_DTA.QV_FJW (FJWKEY) VALUES (?)");
    if (!st.ok())
        return SSQL_RC_ERROR;
    st.bindText(1, pszKey);
    if (st.step() != SQLITE_DONE) {
        setLastError(dbReason(db));
        return SSQL_RC_ERROR;
    }
    return SSQL_RC_OK;
}

extern "C" int SDQOX_FileWorkCommitted(const char* pszKey)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (!db || !pszKey || !*pszKey)
        return -1;
    if (!tableExists(db))
        return 0;
    Stmt st(db, "SELECT 1 FROM QV_DTA.QV_FJW WHERE FJWKEY = ?");
    if (!st.ok())
        return -1;
    st.bindText(1, pszKey);
    const int rc = st.step();
    return rc == SQLITE_ROW ? 1 : rc == SQLITE_DONE ? 0 : -1;
}

extern "C" unsigned short SDQOX_ForgetFileWork(const char* const* apszKeep, unsigned long ulKeep)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    if (!db) {
        setLastError("No repository connection");
        return SSQL_RC_ERROR;
    }
    if (!tableExists(db))
        return SSQL_RC_OK;
    std::set<std::string> keep;
    for (unsigned long i = 0; apszKeep && i < ulKeep; ++i)
        if (apszKeep[i])
            keep.insert(apszKeep[i]);
    std::vector<std::string> gone;
    {
        Stmt st(db, "SELECT FJWKEY FROM QV_DTA.QV_FJW");
        if (!st.ok())
            return SSQL_RC_ERROR;
        for (int rc; (rc = st.step()) == SQLITE_ROW;)
            if (!keep.count(st.text(0)))
                gone.push_back(st.text(0));
    }
    if (gone.empty())
        return SSQL_RC_OK;
    if (!startOwnWrite(db))
        return SSQL_RC_ERROR;
    for (const std::string& key : gone) {
        Stmt st(db, "DELETE FROM QV_DTA.QV_FJW WHERE FJWKEY = ?");
        if (!st.ok())
            return SSQL_RC_ERROR;
        st.bindText(1, key);
        if (st.step() != SQLITE_DONE) {
            setLastError(dbReason(db));
            return SSQL_RC_ERROR;
        }
    }
    return SSQL_RC_OK;
}
