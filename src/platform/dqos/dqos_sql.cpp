// Running declared statements: cursors, single-row statements, plain runs,
// commits, and the typed fetch buffers. Every call returns the result codes
// of dqos.h; failures also leave a communication area for the caller's
// error routine.
#include "platform/dqos/dqos.h"
#include "platform/dqos/dqos_db.h"
#include "platform/dqos/dqos_values.h"

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace dqos {

bool appendValue(SSQL_AREA& area, const ValueRef& v)
{
    uint32_t need = 1 + (v.isText ? 4 + static_cast<uint32_t>(v.textValue.size()) : 8);
    if (v.isText && v.textValue.size() > SSQL_VALUES_SIZE)
        return false;
    if (area.ulValuesUsed + need > SSQL_VALUES_SIZE)
        return false;
    unsigned char* p = area.abValues + area.ulValuesUsed;
    *p++ = v.isText ? 'T' : 'I';
    if (v.isText) {
        uint32_t n = static_cast<uint32_t>(v.textValue.size());
        std::memcpy(p, &n, 4);
        if (n)
            std::memcpy(p + 4, v.textValue.data(), n);
    } else {
        std::memcpy(p, &v.intValue, 8);
    }
    area.ulValuesUsed += need;
    return true;
}

bool decodeValue(const SSQL_AREA& area, uint32_t& pos, ValueRef& out)
{
    uint32_t used = std::min<uint32_t>(area.ulValuesUsed, SSQL_VALUES_SIZE);
    if (pos >= used)
        return false;
    unsigned char kind = area.abValues[pos++];
    if (kind == 'I') {
        if (pos + 8 > used)
            return false;
        int64_t v;
        std::memcpy(&v, area.abValues + pos, 8);
        pos += 8;
        out = ValueRef::integer(v);
        return true;
    }
    if (kind != 'T' || pos + 4 > used)
        return false;
    uint32_t n;
    std::memcpy(&n, area.abValues + pos, 4);
    pos += 4;
    if (n > used - pos)
        return false;
    out = ValueRef::text(std::string_view(reinterpret_cast<const char*>(area.abValues + pos), n));
    pos += n;
    return true;
}

namespace {

struct Cursor {
    uint32_t serial = 0;
    PooledStmt stmt;
    bool ended = false;
};

std::map<uint16_t, Cursor>& cursors()
{
    static std::map<uint16_t, Cursor> m;
    return m;
}

// Copies text into a fixed field, cut to fit with its terminator.
void copyField(char* field, size_t size, std::string_view text)
{
    size_t n = std::min(text.size(), size - 1);
    std::memcpy(field, text.data(), n);
    field[n] = '\0';
}

// Builds a communication/descriptor area in one SMEM block: status fields,
// then the column pointers, then the column texts (a NULL column has no
// text: SQLite gives no text for it).
SSQL_SQLDA* makeSqlda(long code, std::string_view message, sqlite3_stmt* row, int columns)
{
    // the texts of the first columns are asked once (a row has few)
    constexpr int kAskedOnce = 32;
    std::string_view texts[kAskedOnce];
    bool nulls[kAskedOnce];
    size_t textBytes = 0;
    for (int i = 0; i < columns; ++i) {
        const std::string_view text = columnText(row, i);
        if (i < kAskedOnce) {
            texts[i] = text.data() ? text : std::string_view("", 0);
            nulls[i] = text.data() == nullptr;
        }
        textBytes += text.size() + 1;
    }
    size_t slots = columns > 0 ? static_cast<size_t>(columns) : 1;
    size_t head = offsetof(SSQL_SQLDA, apszColumn) + slots * sizeof(const char*);
    auto* da = static_cast<SSQL_SQLDA*>(SMEM_pMalloc(0, head + textBytes));
    if (da == nullptr)
        return nullptr;
    da->lSqlCode = code;
    copyField(da->szLocation, sizeof da->szLocation, currentLocation());
    copyField(da->szMessage, sizeof da->szMessage, message);
    da->usColumns = static_cast<uint16_t>(columns);
    char* out = reinterpret_cast<char*>(da) + head;
    for (int i = 0; i < columns; ++i) {
        const char* p;
        size_t n;
        if (i < kAskedOnce) {
            p = nulls[i] ? nullptr : texts[i].data();
            n = texts[i].size();
        } else {
            const std::string_view text = columnText(row, i);
            p = text.data();
            n = text.size();
        }
        if (n)
            std::memcpy(out, p, n);
        out[n] = '\0';
        da->apszColumn[i] = p ? out : nullptr;
        out += n + 1;
    }
    return da;
}

void replace(SSQL_SQLDA** pp, SSQL_SQLDA* da)
{
    if (pp == nullptr) {
        SMEM_FreeMem(da);
        return;
    }
    SMEM_FreeMem(*pp);
    *pp = da;
}

// Records a failure: last error text, and a communication area for the caller.
unsigned short failWith(SSQL_SQLDA** ppCa, long code, const std::string& message)
{
    setLastError(message);
    replace(ppCa, makeSqlda(code, message, nullptr, 0));
    return SSQL_RC_ERROR;
}

long dbCode(sqlite3* db)
{
    return -static_cast<long>(sqlite3_extended_errcode(db));
}

// A failure reported by the database for its last call.
unsigned short dbFailure(sqlite3* db, SSQL_SQLDA** ppCa)
{
    return failWith(ppCa, dbCode(db), dbReason(db));
}

enum class Verb { Other, Begin, BeginRead, Commit, Rollback, Disconnect };

// The transaction verbs of the callers, in the forms they write them. A
// text longer than the longest verb ("BEGIN READ WORK", once its blanks are
// made single) is none: every other statement is known after a few letters.
Verb classify(const char* sql)
{
    constexpr size_t kLongestVerb = 15;
    /* a statement (SELECT, INSERT, ...) is told by its first letter */
    const char* first = sql;
    while (*first && (std::isspace(static_cast<unsigned char>(*first)) || *first == ';'))
        ++first;
    if (!std::strchr("BCRDbcrd", *first) || *first == '\0')
        return Verb::Other;
    std::string words;
    for (const char* p = sql; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (std::isspace(c) || c == ';') {
            if (!words.empty() && words.back() != ' ')
                words += ' ';
        } else {
            words += static_cast<char>(std::toupper(c));
        }
        if (words.size() > kLongestVerb + 1)
            return Verb::Other;
    }
    while (!words.empty() && words.back() == ' ')
        words.pop_back();
    if (words == "BEGIN" || words == "BEGIN WORK")
        return Verb::Begin;
    if (words == "BEGIN READ WORK")
        return Verb::BeginRead;
    if (words == "COMMIT" || words == "COMMIT WORK")
        return Verb::Commit;
    if (words == "ROLLBACK" || words == "ROLLBACK WORK")
        return Verb::Rollback;
    if (words == "DISCONNECT")
        return Verb::Disconnect;
    return Verb::Other;
}

// Takes the statement kept for the area's text, or prepares it. One
// statement only: text after the first is refused.
unsigned short statementOf(sqlite3* db, const SSQL_AREA* area, PooledStmt& out, SSQL_SQLDA** ppCa)
{
    if (out.take(db, area->szStmt))
        return SSQL_RC_OK;
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db, area->szStmt, -1, &raw, &tail) != SQLITE_OK || raw == nullptr) {
        sqlite3_finalize(raw);
        return failWith(ppCa, dbCode(db), sqlite3_errmsg(db));
    }
    for (const char* p = tail; p && *p; ++p) {
        if (!std::isspace(static_cast<unsigned char>(*p)) && *p != ';') {
            sqlite3_finalize(raw);
            return failWith(ppCa, -1, "More than one statement in one declared text");
        }
    }
    out.hold(raw);
    return SSQL_RC_OK;
}

// How the area's texts are bound: copied, for a cursor, whose statement
// outlives the call that binds them (its caller may change or free the
// area between fetches); where they stand in the area, for a statement run
// and reset within the call that binds them.
enum class Binding { Copied, InPlace };

// Prepares the area's statement with its values bound, inside the caller's
// unit of work.
unsigned short prepareArea(sqlite3* db, const SSQL_AREA* area, PooledStmt& out, SSQL_SQLDA** ppCa,
                           Binding binding = Binding::Copied)
{
    if (area == nullptr || area->ulSerial == 0)
        return failWith(ppCa, -1, "Statement was not declared or its template was refused");
    if (!openWork(db))
        return failWith(ppCa, dbCode(db), SSQL_pszLastError());
    if (unsigned short rc = statementOf(db, area, out, ppCa); rc != SSQL_RC_OK)
        return rc;
    sqlite3_stmt* raw = out.get();
    if (sqlite3_bind_parameter_count(raw) != area->usValues)
        return failWith(ppCa, -1, "The values given do not match the statement's placeholders");
    const sqlite3_destructor_type keep = binding == Binding::InPlace ? SQLITE_STATIC : SQLITE_TRANSIENT;
    bool ok = forEachValue(*area, [&](int i, const ValueRef& v) {
        if (v.isText)
            sqlite3_bind_text(raw, i, v.textValue.data(), static_cast<int>(v.textValue.size()), keep);
        else
            sqlite3_bind_int64(raw, i, v.intValue);
    });
    if (!ok)
        return failWith(ppCa, -1, "Damaged statement area");
    return SSQL_RC_OK;
}

// Stores column i of the row as a T, clamped to T's range; NULL is 0.
template <typename T> void putInteger(void* buffer, sqlite3_stmt* row, int i)
{
    const int64_t v = sqlite3_column_int64(row, i);  // 0 for NULL
    const T t = static_cast<T>(std::clamp<int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
    std::memcpy(buffer, &t, sizeof t);
}

// Moves the current row into the caller's typed buffers.
unsigned short fillBuffers(sqlite3_stmt* row, uint16_t count, va_list& ap, SSQL_SQLDA** ppCa)
{
    int columns = sqlite3_column_count(row);
    if (count > columns)
        return failWith(ppCa, -1, "More fetch buffers than selected columns");
    for (int i = 0; i < count; ++i) {
        SSQL_COLUMN col = va_arg(ap, SSQL_COLUMN);
        if (col.pBuffer == nullptr)
            continue;
        switch (col.usType) {
        case SSQL_COL_FIXED: {
            const std::string_view text = columnText(row, i);
            auto* dst = static_cast<char*>(col.pBuffer);
            // a one-letter code is stored without a call
            if (col.usWidth == 1) {
                *dst = text.empty() ? ' ' : text[0];
                break;
            }
            const size_t n = std::min<size_t>(text.size(), col.usWidth);
            if (n)
                std::memcpy(dst, text.data(), n);
            // most texts fill their field (a one-letter code, a full key)
            if (n < col.usWidth)
                std::memset(dst + n, ' ', col.usWidth - n);
            break;
        }
        case SSQL_COL_VARYING: {
            const std::string_view text = columnText(row, i);
            const size_t n = std::min<size_t>(text.size(), col.usWidth);
            uint16_t len = static_cast<uint16_t>(n);
            auto* dst = static_cast<char*>(col.pBuffer);
            std::memcpy(dst, &len, 2);
            if (n)
                std::memcpy(dst + 2, text.data(), n);
            break;
        }
        case SSQL_COL_I16: putInteger<int16_t>(col.pBuffer, row, i); break;
        case SSQL_COL_I32: putInteger<int32_t>(col.pBuffer, row, i); break;
        case SSQL_COL_U32: putInteger<uint32_t>(col.pBuffer, row, i); break;
        default: return failWith(ppCa, -1, "Unknown fetch buffer kind");
        }
    }
    return SSQL_RC_OK;
}

// Connection check, failure switch and interruption, shared by every
// statement call.
sqlite3* usableDb(SSQL_SQLDA** ppCa, unsigned short& rc)
{
    rc = SSQL_RC_OK;
    std::string refusal = statementRefusal();
    if (!refusal.empty()) {
        rc = failWith(ppCa, -1, refusal);
        return nullptr;
    }
    sqlite3* db = dbHandle();
    if (db == nullptr)
        rc = failWith(ppCa, -1, "No repository connection");
    return db;
}

// Runs a transaction verb; returns true when the text was one.
bool runVerb(sqlite3* db, const char* sql, unsigned short& rc, SSQL_SQLDA** ppCa)
{
    Verb verb = classify(sql);
    if (verb == Verb::Other)
        return false;
    bool ok = true;
    if (verb == Verb::Begin)
        ok = openWriterWork(db);
    if (verb == Verb::BeginRead)
        ok = openReaderWork(db);
    if (verb == Verb::Commit)
        ok = commitWork(db);
    if (verb == Verb::Rollback)
        ok = rollbackWork(db);
    if (verb == Verb::Disconnect)
        SSQL_Disconnect();
    rc = ok ? SSQL_RC_OK : failWith(ppCa, dbCode(db), SSQL_pszLastError());
    return true;
}

}  // namespace

void dropCursors()
{
    cursors().clear();
    dropPooled();
}

}  // namespace dqos

using namespace dqos;

extern "C" unsigned short SSQL_sOpenExt(uint16_t* pusCursor)
{
    std::lock_guard lock(dbLock());
    unsigned short rc;
    if (usableDb(nullptr, rc) == nullptr)
        return rc;
    if (pusCursor == nullptr)
        return SSQL_RC_ERROR;
    auto& m = cursors();
    for (uint16_t n = 1; n < SSQL_SINGLE_ROW; ++n) {
        if (m.count(n))
            continue;
        m.emplace(n, Cursor{});
        *pusCursor = n;
        return SSQL_RC_OK;
    }
    return failWith(nullptr, -1, "No cursor left");
}

extern "C" unsigned short SSQL_sFetchExt(const SSQL_AREA* pArea, uint16_t usCursor, SSQL_SQLDA** ppCa,
                                         SSQL_SQLDA** ppDa, uint16_t usColumns, ...)
{
    std::lock_guard lock(dbLock());
    unsigned short rc;
    sqlite3* db = usableDb(ppCa, rc);
    if (db == nullptr)
        return rc;
    auto it = cursors().find(usCursor);
    if (it == cursors().end())
        return failWith(ppCa, -1, "Cursor is not open");
    Cursor& cur = it->second;
    if (!cur.stmt.ok() || pArea == nullptr || cur.serial != pArea->ulSerial) {
        cur.ended = false;
        cur.serial = 0;
        if ((rc = prepareArea(db, pArea, cur.stmt, ppCa)) != SSQL_RC_OK)
            return rc;
        cur.serial = pArea->ulSerial;
    }
    if (cur.ended)
        return SSQL_RC_END;
    int step = cur.stmt.step();
    if (step == SQLITE_DONE) {
        cur.ended = true;
        replace(ppCa, makeSqlda(SSQL_RC_END, "", nullptr, 0));
        return SSQL_RC_END;
    }
    if (step != SQLITE_ROW)
        return dbFailure(db, ppCa);
    va_list ap;
    va_start(ap, usColumns);
    rc = fillBuffers(cur.stmt.get(), usColumns, ap, ppCa);
    va_end(ap);
    if (rc != SSQL_RC_OK)
        return rc;
    // a caller that reads its buffers only asks for neither area
    if (ppCa)
        replace(ppCa, makeSqlda(0, "", nullptr, 0));
    if (ppDa)
        replace(ppDa, makeSqlda(0, "", cur.stmt.get(), sqlite3_column_count(cur.stmt.get())));
    return SSQL_RC_OK;
}

extern "C" unsigned short SSQL_sRunExt(const SSQL_AREA* pArea, SSQL_SQLDA** ppCa, SSQL_SQLDA** ppDa, uint16_t usColumns,
                                       ...)
{
    std::lock_guard lock(dbLock());
    unsigned short rc;
    sqlite3* db = usableDb(ppCa, rc);
    if (db == nullptr)
        return rc;
    if (pArea != nullptr && pArea->ulSerial != 0 && runVerb(db, pArea->szStmt, rc, ppCa))
        return rc;
    PooledStmt stmt;
    if ((rc = prepareArea(db, pArea, stmt, ppCa, Binding::InPlace)) != SSQL_RC_OK)
        return rc;
    int step = stmt.step();
    if (step == SQLITE_DONE) {
        bool isQuery = sqlite3_column_count(stmt.get()) > 0;
        SSQL_SQLDA* ca = makeSqlda(isQuery ? SSQL_RC_END : 0, "", nullptr, 0);
        if (ca)
            ca->lRowsChanged = isQuery ? 0 : sqlite3_changes(db);
        replace(ppCa, ca);
        return isQuery ? SSQL_RC_NOROW : SSQL_RC_OK;
    }
    if (step != SQLITE_ROW)
        return dbFailure(db, ppCa);
    va_list ap;
    va_start(ap, usColumns);
    rc = fillBuffers(stmt.get(), usColumns, ap, ppCa);
    va_end(ap);
    if (rc != SSQL_RC_OK)
        return rc;
    // an area not asked for is not made
    if (ppCa)
        replace(ppCa, makeSqlda(0, "", nullptr, 0));
    if (ppDa)
        replace(ppDa, makeSqlda(0, "", stmt.get(), sqlite3_column_count(stmt.get())));
    return SSQL_RC_OK;
}

extern "C" unsigned short SSQL_sCloseExt(uint16_t usCursor, SSQL_SQLDA** ppCa, SSQL_SQLDA** ppDa)
{
    std::lock_guard lock(dbLock());
    if (ppCa)
        replace(ppCa, nullptr);
    if (ppDa)
        replace(ppDa, nullptr);
    bool known = usCursor == SSQL_SINGLE_ROW || cursors().erase(usCursor) != 0;
    if (std::string refusal = statementRefusal(); !refusal.empty())
        return failWith(nullptr, -1, refusal);
    if (!known)
        return failWith(nullptr, -1, "Cursor is not open");
    return SSQL_RC_OK;
}

extern "C" unsigned short SSQL_sRun(const SSQL_AREA* pArea, SSQL_SQLDA** ppDa, int iReserved)
{
    std::lock_guard lock(dbLock());
    if (ppDa)
        *ppDa = nullptr;
    unsigned short rc;
    sqlite3* db = usableDb(ppDa, rc);
    if (db == nullptr)
        return rc;
    if (pArea != nullptr && pArea->ulSerial != 0 && runVerb(db, pArea->szStmt, rc, ppDa))
        return rc;
    PooledStmt stmt;
    if ((rc = prepareArea(db, pArea, stmt, ppDa, Binding::InPlace)) != SSQL_RC_OK)
        return rc;
    int step = stmt.step();
    bool isQuery = sqlite3_column_count(stmt.get()) > 0;
    if (step == SQLITE_ROW) {
        replace(ppDa, makeSqlda(0, "", stmt.get(), sqlite3_column_count(stmt.get())));
        return SSQL_RC_OK;
    }
    if (step != SQLITE_DONE)
        return dbFailure(db, ppDa);
    SSQL_SQLDA* ca = makeSqlda(isQuery ? SSQL_RC_END : 0, "", nullptr, 0);
    if (ca)
        ca->lRowsChanged = isQuery ? 0 : sqlite3_changes(db);
    replace(ppDa, ca);
    return isQuery ? SSQL_RC_NOROW : SSQL_RC_OK;
}

extern "C" char* SSQL_GetData(const SSQL_SQLDA* pDa, uint16_t usColumn)
{
    if (pDa == nullptr || usColumn == 0 || usColumn > pDa->usColumns)
        return nullptr;
    const char* text = pDa->apszColumn[usColumn - 1];
    if (text == nullptr)
        return nullptr;
    size_t n = std::strlen(text);
    auto* copy = static_cast<char*>(SMEM_pMalloc(0, n + 1));
    if (copy)
        std::memcpy(copy, text, n + 1);
    return copy;
}

extern "C" void SSQL_FreeSqlda(SSQL_SQLDA* pDa)
{
    SMEM_FreeMem(pDa);
}

extern "C" unsigned short SSQL_sCommitExt(SSQL_SQLDA** ppCa)
{
    std::lock_guard lock(dbLock());
    if (ppCa)
        *ppCa = nullptr;
    unsigned short rc;
    sqlite3* db = usableDb(ppCa, rc);
    if (db == nullptr)
        return rc;
    if (!commitWork(db))
        return failWith(ppCa, dbCode(db), SSQL_pszLastError());
    return SSQL_RC_OK;
}

extern "C" void SSQL_Commit(void)
{
    SSQL_sCommitExt(nullptr);
}
