// Cross-reference recording: the references of one checked object, written
// to QV_XRF between a begin (which clears the object's earlier rows) and an
// end. The rows join the caller's unit of work (in a unit that only reads,
// they are written when it commits); every write passes the statement
// gate, so the failure switch reaches it.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"

#include <map>

namespace {

using namespace dqos;

struct Recording {
    std::string partition;
    std::string process;
    std::string function;
    long count = 0;
};

// One reference as QV_XRF keeps it.
struct Reference {
    long sequence;
    std::string kind, name, usage;
    long line;
};

bool clearRows(sqlite3* db, const Recording& r)
{
    Stmt del(db, "DELETE FROM QV_DTA.QV_XRF WHERE XRFP_I = ? AND XRFMOD = ? AND XRFFMT = ?");
    if (!del.ok())
        return false;
    del.bindText(1, r.partition);
    del.bindText(2, r.process);
    del.bindText(3, r.function);
    return del.step() == SQLITE_DONE;
}

bool insertRow(sqlite3* db, const Recording& r, const Reference& ref)
{
    // the values are bound where they stand: they outlive the statement's
    // use (it is reset when it goes back to the pool, before they go)
    PooledStmt ins(db, "INSERT INTO QV_DTA.QV_XRF (XRFP_I, XRFMOD, XRFFMT, XRFSEQ, XRFKND, XRFNAM, XRFUSG, XRFLIN) "
                       "VALUES (?, ?, ?, ?, ?, ?, ?, ?)");
    if (!ins.ok())
        return false;
    ins.bindTextInPlace(1, r.partition);
    ins.bindTextInPlace(2, r.process);
    ins.bindTextInPlace(3, r.function);
    ins.bindInt(4, ref.sequence);
    ins.bindTextInPlace(5, ref.kind);
    ins.bindTextInPlace(6, ref.name);
    ins.bindTextInPlace(7, ref.usage);
    ins.bindInt(8, ref.line);
    return ins.step() == SQLITE_DONE;
}

std::map<long, Recording>& recordings()
{
    static std::map<long, Recording> m;
    return m;
}

long gNextHandle = 0;

}  // namespace

using namespace dqos;

extern "C" long SZOPH_XREF_Begin(const char* pszProcess, const char* pszFunction)
{
    std::lock_guard lock(dbLock());
    sqlite3* db = dbHandle();
    std::string process = trimmed(pszProcess);
    if (process.empty()) {
        setLastError("No object given for the cross-reference");
        return 0;
    }
    if (!startOwnWrite(db))
        return 0;
    Recording r{sessionPartition(), process, trimmed(pszFunction), 0};
    if (writesWait())
        keepWrite([r](sqlite3* d) { return clearRows(d, r); });
    else if (!clearRows(db, r))
        return 0;
    long handle = ++gNextHandle;
    recordings().emplace(handle, std::move(r));
    return handle;
}

extern "C" unsigned short SZOPH_XREF_Record(long lXref, const char* pszKind, const char* pszName, const char* pszUsage,
                                            long lLine)
{
    std::lock_guard lock(dbLock());
    auto it = recordings().find(lXref);
    sqlite3* db = dbHandle();
    if (it == recordings().end()) {
        setLastError("Unknown cross-reference handle");
        return SSQL_RC_ERROR;
    }
    if (!startOwnWrite(db))
        return SSQL_RC_ERROR;
    Recording& r = it->second;
    Reference ref{r.count + 1, trimmed(pszKind), trimmed(pszName), trimmed(pszUsage), lLine};
    if (writesWait())
        keepWrite([r, ref](sqlite3* d) { return insertRow(d, r, ref); });
    else if (!insertRow(db, r, ref))
        return SSQL_RC_ERROR;
    ++r.count;
    return SSQL_RC_OK;
}

extern "C" long SZOPH_XREF_End(long lXref)
{
    std::lock_guard lock(dbLock());
    auto it = recordings().find(lXref);
    if (it == recordings().end())
        return -1;
    long count = it->second.count;
    recordings().erase(it);
    return count;
}
