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

constexpr char kInsertSql[] =
    "INSERT INTO QV_DTA.QV_XRF (XRFP_I, XRFMOD, XRFFMT, XRFSEQ, XRFKND, XRFNAM, XRFUSG, XRFLIN) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?)";

// Runs the insert for one reference: the object's values are bound by the
// caller, the reference's where they stand (they outlive the step, and the
// statement is reset before they go).
bool insertReference(sqlite3_stmt* ins, const Reference& ref)
{
    sqlite3_bind_int64(ins, 4, ref.sequence);
    sqlite3_bind_text(ins, 5, ref.kind.data(), static_cast<int>(ref.kind.size()), SQLITE_STATIC);
    sqlite3_bind_text(ins, 6, ref.name.data(), static_cast<int>(ref.name.size()), SQLITE_STATIC);
    sqlite3_bind_text(ins, 7, ref.usage.data(), static_cast<int>(ref.usage.size()), SQLITE_STATIC);
    sqlite3_bind_int64(ins, 8, ref.line);
    const int rc = sqlite3_step(ins);
    if (rc != SQLITE_DONE)
        setLastError(dbReason(sqlite3_db_handle(ins)));
    sqlite3_reset(ins);
    return rc == SQLITE_DONE;
}

void bindObject(sqlite3_stmt* ins, const Recording& r)
{
    sqlite3_bind_text(ins, 1, r.partition.data(), static_cast<int>(r.partition.size()), SQLITE_STATIC);
    sqlite3_bind_text(ins, 2, r.process.data(), static_cast<int>(r.process.size()), SQLITE_STATIC);
    sqlite3_bind_text(ins, 3, r.function.data(), static_cast<int>(r.function.size()), SQLITE_STATIC);
}

// A row kept for the commit of a reading unit.
bool insertRow(sqlite3* db, const Recording& r, const Reference& ref)
{
    PooledStmt ins(db, kInsertSql);
    if (!ins.ok())
        return false;
    bindObject(ins.get(), r);
    return insertReference(ins.get(), ref);
}

// An open recording and its insert, prepared at its first row written at
// once and kept for the others, with the object's values bound to it (they
// stand in the recording, which the statement does not outlive).
struct OpenRecording {
    Recording rec;
    Stmt insert;
};

std::map<long, OpenRecording>& recordings()
{
    static std::map<long, OpenRecording> m;
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
    recordings().emplace(handle, OpenRecording{std::move(r), Stmt()});
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
    OpenRecording& open = it->second;
    Recording& r = open.rec;
    Reference ref{r.count + 1, trimmed(pszKind), trimmed(pszName), trimmed(pszUsage), lLine};
    if (writesWait()) {
        keepWrite([r, ref](sqlite3* d) { return insertRow(d, r, ref); });
    } else {
        if (!open.insert.ok() || sqlite3_db_handle(open.insert.get()) != db) {
            open.insert = Stmt(db, kInsertSql);
            if (!open.insert.ok())
                return SSQL_RC_ERROR;
            bindObject(open.insert.get(), r);
        }
        if (!insertReference(open.insert.get(), ref))
            return SSQL_RC_ERROR;
    }
    ++r.count;
    return SSQL_RC_OK;
}

extern "C" long SZOPH_XREF_End(long lXref)
{
    std::lock_guard lock(dbLock());
    auto it = recordings().find(lXref);
    if (it == recordings().end())
        return -1;
    long count = it->second.rec.count;
    recordings().erase(it);
    return count;
}
