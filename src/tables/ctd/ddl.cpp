// DDL statement builders: DROP TABLE, DROP VIEW, DROP INDEX, CREATE INDEX,
// CREATE VIEW and the statements that copy a table and refill it.
#include "tables/ctd/ctd.h"

namespace {

struct Names {
    std::string table;
    std::string library;
};

Names dropNames(const X_CTD_TABLE_DEFINITION& r, const X_CTD_DBMS_INFO& dbms, const char* suffix)
{
    Names n;
    X_CTD_ObjectNames(n.table, n.library, r, dbms.useInternalNames);
    if (suffix && *suffix)
        n.table += std::string("_") + suffix;
    return n;
}

bool emulatedCollections(const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms)
{
    return X_CTD_YesFlag(table, dbms.name, "EMULATE_COLLECTIONS", 1) != 0;
}

bool indexCollections(const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms)
{
    int32_t yes = 1;
    X_CTD_UseCollections(table, dbms.name, "SUPPORTS_COLLECTIONS_IDX", nullptr, nullptr, &yes);
    return yes != 0;
}

// The DROP naming rule for a table or (with `requireLibrary` false) a view.
std::string qualifyForDrop(const X_CTD_TABLE_DEFINITION& r, const std::string& name, const std::string& library,
                           bool supported, bool emulated, char d)
{
    const std::string D(1, d);
    const std::string L = X_CTD_Quote(library, d);
    const std::string N = X_CTD_Quote(name, d);
    if (supported && !library.empty())
        return D + L + D + "." + D + N + D;
    if (emulated && !library.empty()) {
        if (X_CTD_RepositoryTableWithoutPrefix(r, library, false))
            return D + N + D;
        return D + L + "_" + N + D;
    }
    return D + N + D;
}

// Value of a NOT NULL column that a refill adds: zero for numbers, else the
// default literal of the column's type.
std::string newColumnDefault(X_CTD_TABLE_DEFINITION& r, const X_CTD_DBMS_INFO& dbms, const X_CTD_TYPE_SETTINGS& s,
                             int16_t product, uint16_t column)
{
    std::string scratch, literal;
    X_CTD_AppendColumnDefinition(r, dbms, s, scratch, product, "", column, 1, &literal, nullptr);
    switch (r.columns[column].type) {
    case 'Q':
    case 'S':
    case 'I':
    case 'G':
    case 'R':
    case 'U':
    case 'D':
    case 'N': return "0 ";
    default: return literal + " ";
    }
}

std::string viewName(const X_CTD_VIEW& v, const X_CTD_DBMS_INFO& dbms)
{
    return dbms.useInternalNames ? v.internalName : v.name;
}

}  // namespace

void X_CTD_BuildDropTable(const char* suffix, const X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms,
                          const X_CTD_CAPABILITY_TABLE* table, std::string& out)
{
    Names n = dropNames(record, dbms, suffix);
    out = "DROP TABLE " + qualifyForDrop(record, n.table, n.library, X_CTD_CollectionsSupported(table, dbms.name),
                                         emulatedCollections(table, dbms), dbms.delimiter);
}

void X_CTD_DropTableStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                              const X_CTD_DBMS_INFO& dbms, std::string& out)
{
    X_CTD_BuildDropTable(nullptr, record, dbms, table, out);
}

void X_CTD_DropPrefixedTableStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                      const X_CTD_DBMS_INFO& dbms, const char* suffix, std::string& out)
{
    X_CTD_BuildDropTable(suffix, record, dbms, table, out);
}

void X_CTD_DropViewStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                             const X_CTD_DBMS_INFO& dbms, uint16_t viewNumber, std::string& out)
{
    out.clear();
    if (viewNumber >= record.views.size())
        return;
    Names n = dropNames(record, dbms, nullptr);
    // An empty library gives the plain view name: a bare "_" prefix would
    // name a view that does not exist.
    out = "DROP VIEW " + qualifyForDrop(record, viewName(record.views[viewNumber], dbms), n.library,
                                        X_CTD_CollectionsSupported(table, dbms.name), emulatedCollections(table, dbms),
                                        dbms.delimiter);
}

void X_CTD_DropIndexStatement(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                              const X_CTD_DBMS_INFO& dbms, uint16_t indexNumber, std::string& out, int always)
{
    out.clear();
    if (indexNumber >= record.indexes.size())
        return;
    if (!always && X_CTD_YesFlag(table, dbms.name, "INDEX_DROPPED_WITH_TABLE", 1) != 0)
        return;
    Names n = dropNames(record, dbms, nullptr);
    const std::string D(1, dbms.delimiter);
    const int32_t collections = X_CTD_CollectionsSupported(table, dbms.name);
    // Some products create an index unqualified in its table's collection
    // but find it to drop only by its qualified name (DROP_INDEX_WITH_COLLECTIONS).
    const bool qualify =
        indexCollections(table, dbms) || X_CTD_YesFlag(table, dbms.name, "DROP_INDEX_WITH_COLLECTIONS", 0) != 0;
    out = "DROP INDEX " + D;
    if (collections && qualify && !n.library.empty())
        out += X_CTD_Quote(n.library, dbms.delimiter) + D + "." + D;
    if (dbms.kind == 3)
        out += X_CTD_Quote(n.table, dbms.delimiter) + D + "." + D;
    out += X_CTD_Quote(record.indexes[indexNumber].name, dbms.delimiter) + D;
    // MySQL names the table an index belongs to.
    if (X_CTD_ProductCode(table, dbms.name) == X_CTD_MYSQL) {
        out += " ON ";
        X_CTD_AppendQualifiedName(dbms, record, out, collections);
    }
}

void X_CTD_BuildCreateIndex(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                            const X_CTD_DBMS_INFO& dbms, uint16_t indexNumber, std::string& out)
{
    out.clear();
    if (indexNumber >= record.indexes.size())
        return;
    X_CTD_INDEX& index = record.indexes[indexNumber];
    const std::string D(1, dbms.delimiter);
    const int32_t supported = X_CTD_CollectionsSupported(table, dbms.name);
    Names n = dropNames(record, dbms, nullptr);
    out = "CREATE";
    if (index.unique)
        out += " UNIQUE";
    out += " INDEX " + D;
    // An empty library would give the empty identifier: the name stays unqualified.
    if (supported && indexCollections(table, dbms) && dbms.kind != 3 && !n.library.empty())
        out += X_CTD_Quote(n.library, dbms.delimiter) + D + "." + D;
    out += X_CTD_Quote(index.name, dbms.delimiter) + D + " ON ";
    X_CTD_AppendQualifiedName(dbms, record, out, supported);
    out += " (";
    int included = 0;
    for (auto& key : index.keys) {
        X_CTD_TrimRight(key.column);
        X_CTD_TrimRight(key.internalName);
        if (!X_CTD_IncludeColumn(&record, &dbms, key.column))
            continue;
        if (included++)
            out += ",";
        out += " " + D + X_CTD_Quote(dbms.useInternalNames ? key.internalName : key.column, dbms.delimiter) + D;
        if (key.descending) {
            if (dbms.descKeysSupported)
                out += " DESC";
            else
                X_CTD_IssueMessage(record, 'W', 547,
                                   {dbms.useInternalNames ? record.internalName : record.table, index.name});
        }
    }
    out += ")";
    for (const auto& clause : index.appends)
        if (clause.dbmsType == dbms.name)
            out += clause.text;
    if (included == 0)
        out.clear();
}

void X_CTD_BuildCreateView(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                           const X_CTD_DBMS_INFO& dbms, uint16_t viewNumber, std::string& out)
{
    out.clear();
    if (viewNumber >= record.views.size())
        return;
    const X_CTD_VIEW& view = record.views[viewNumber];
    // The command is cut on a copy: the record keeps the whole view text, so
    // the statement can be built again.
    std::string command = dbms.useInternalNames ? view.internalText : view.text;
    if (dbms.useInternalNames && dbms.delimiter != '"')
        X_CTD_ReplaceOutsideQuotes(command, '"', dbms.delimiter);
    std::string tail;
    size_t from = command.find(" FROM ");
    if (from != std::string::npos) {
        size_t where = command.find(" WHERE ", from + 2);
        if (where != std::string::npos)
            tail = command.substr(where);
        command.resize(from + 6);
    }
    if (dbms.foreign == 0)
        X_CTD_RemoveNativeColumns(record, command, dbms.useInternalNames, dbms.delimiter);
    Names n = dropNames(record, dbms, nullptr);
    const int32_t supported = X_CTD_CollectionsSupported(table, dbms.name);
    out = "CREATE VIEW " + qualifyForDrop(record, viewName(view, dbms), n.library, supported,
                                          dbms.emulateCollections != 0, dbms.delimiter);
    out += " AS " + command;
    X_CTD_AppendQualifiedName(dbms, record, out, supported);
    out += tail;
}

void X_CTD_BuildTableCopy(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                          const X_CTD_DBMS_INFO& dbms, const char* suffix, std::string* out)
{
    if (!out)
        return;
    const int32_t supported = X_CTD_CollectionsSupported(table, dbms.name);
    const bool emulated = emulatedCollections(table, dbms);
    Names t = dropNames(record, dbms, nullptr);
    Names c = dropNames(record, dbms, suffix);
    std::string tq = qualifyForDrop(record, t.table, t.library, supported, emulated, dbms.delimiter);
    std::string cq = qualifyForDrop(record, c.table, c.library, supported, emulated, dbms.delimiter);
    if (dbms.kind == 2)
        *out = "CREATE TABLE " + cq + " AS SELECT * FROM " + tq;
    else
        *out = "SELECT * INTO " + cq + " FROM " + tq;
}

void X_CTD_BuildInsertFromCopy(X_CTD_TABLE_DEFINITION& newRecord, const X_CTD_TABLE_DEFINITION& oldRecord,
                               const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms, const char* suffix,
                               std::string* out)
{
    if (!out)
        return;
    const int32_t supported = X_CTD_CollectionsSupported(table, dbms.name);
    const bool emulated = emulatedCollections(table, dbms);
    Names t = dropNames(newRecord, dbms, nullptr);
    Names c = dropNames(newRecord, dbms, suffix);
    std::unique_ptr<X_CTD_TYPE_SETTINGS> settings;
    X_CTD_SetDefaultCapabilities(newRecord, settings, table, dbms);
    const int16_t product = X_CTD_ProductCode(table, dbms.name);
    std::string& o = *out;
    o = "INSERT INTO " + qualifyForDrop(newRecord, t.table, t.library, supported, emulated, dbms.delimiter) + " ( ";
    for (uint16_t i = 0; i < newRecord.columns.size(); ++i) {
        if (i)
            o += ",";
        X_CTD_AppendColumnDefinition(newRecord, dbms, *settings, o, product, "", i, 0, nullptr, nullptr);
    }
    o += ") SELECT ";
    auto isBinary = [](char t) { return t == 'B' || t == '2' || t == '4'; };
    auto isChar = [](char t) { return t == 'H' || t == '1' || t == '3'; };
    for (uint16_t i = 0; i < newRecord.columns.size(); ++i) {
        if (i)
            o += ",";
        // Columns are compared by position; a column beyond the old record's
        // columns was added and is filled with its type's default.
        const char newType = newRecord.columns[i].type;
        const bool hasOld = i < oldRecord.columns.size();
        const char oldType = hasOld ? oldRecord.columns[i].type : 0;
        if (!hasOld) {
            // The copy has no such column: a new column starts empty, or with
            // its type's default when it may not be null.
            o += newRecord.columns[i].notNull ? newColumnDefault(newRecord, dbms, *settings, product, i) : "NULL ";
        } else if (newType == oldType) {
            X_CTD_AppendColumnDefinition(newRecord, dbms, *settings, o, product, "", i, 0, nullptr, nullptr);
        } else if (dbms.kind == 2 && isBinary(newType) && isChar(oldType)) {
            o += "RAWTOHEX( ";
            X_CTD_AppendColumnDefinition(newRecord, dbms, *settings, o, product, "", i, 0, nullptr, nullptr);
            o += " ) ";
        } else {
            o += "CAST( ";
            // A type-name output selects the conversion form ("AS " and the type).
            const std::string* typeName = nullptr;
            X_CTD_AppendColumnDefinition(newRecord, dbms, *settings, o, product, "", i, 1, nullptr, &typeName);
            o += " ) ";
        }
    }
    o += " FROM " + qualifyForDrop(newRecord, c.table, c.library, supported, emulated, dbms.delimiter);
}
