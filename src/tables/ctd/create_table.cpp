// CREATE TABLE builder, column-add statements and the collection commands.
#include "tables/ctd/ctd.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string tableNameOf(const X_CTD_TABLE_DEFINITION& r, const X_CTD_DBMS_INFO& dbms)
{
    return (dbms.useInternalNames && !r.internalName.empty()) ? r.internalName : r.table;
}

void checkDefinedDatabase(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                          const X_CTD_DBMS_INFO& dbms)
{
    if (record.otherDatabase)
        return;
    if (X_CTD_YesFlag(table, dbms.name, "SUPPORTS_VELMO_DEFINED_DB", 0) == 0)
        X_CTD_IssueMessage(record, 'F', 910, {dbms.name});
}

void convertPrimaryKey(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms)
{
    if (X_CTD_YesFlag(table, dbms.name, "SUPPORTS_PRIMARY_KEY", 1) != 0 || record.primaryKey.empty())
        return;
    if (X_CTD_YesFlag(table, dbms.name, "CONVERT_PRIMARY_KEY_TO_INDEX", 0) == 0)
        return;
    const std::string name = tableNameOf(record, dbms) + "_P";
    X_CTD_AddIndex(record, name, 1);
    X_CTD_InfoKeyAsIndex(record, name, dbms.useInternalNames);
    for (const auto& key : record.primaryKey)
        X_CTD_AddIndexKey(record, record.indexes.back(), X_CTD_UsesGivenNames(record) ? key.column : key.internalName,
                          0);
    record.primaryKey.clear();
}

void addRrnoIndexes(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table, const X_CTD_DBMS_INFO& dbms)
{
    if (X_CTD_YesFlag(table, dbms.name, "CREATE_RRNO_INDEXES", 0) == 0 || record.otherDatabase || dbms.foreign == 0 ||
        record.columns.empty() || !X_CTD_IsRrnoColumn(record.columns.back().name, record.atSign))
        return;
    const std::string rrno = X_CTD_RrnoKeyName(record);
    const size_t existing = record.indexes.size();
    for (size_t i = 0; i < existing; ++i) {
        if (record.indexes[i].keys.empty())
            continue;
        if (record.indexes[i].unique) {
            if (X_CTD_IsRrnoColumn(record.indexes[i].keys.front().column, record.atSign))
                continue;
            X_CTD_AddIndex(record, record.indexes[i].name + "R", 0);
            const std::vector<X_CTD_INDEX_KEY> keys = record.indexes[i].keys;
            for (const auto& key : keys)
                X_CTD_AddKeyToLastIndex(record, X_CTD_UsesGivenNames(record) ? key.column : key.internalName,
                                        key.descending ? 1 : 0);
            X_CTD_AddKeyToLastIndex(record, rrno, 0);
        } else if (record.creationValue != 0 &&
                   !(record.indexes[i].keys.size() == 1 && record.indexes[i].name.size() == 21)) {
            X_CTD_AddIndexKey(record, record.indexes[i], rrno, 0);
        }
    }
    if (!record.primaryKey.empty()) {
        X_CTD_AddIndex(record, tableNameOf(record, dbms) + "_PR", 0);
        const std::vector<X_CTD_KEY_COLUMN> keys = record.primaryKey;
        for (const auto& key : keys)
            X_CTD_AddKeyToLastIndex(record, X_CTD_UsesGivenNames(record) ? key.column : key.internalName, 0);
        X_CTD_AddKeyToLastIndex(record, rrno, 0);
    }
}

// Names longer than the DBMS takes would be cut by some servers without a
// word (PostgreSQL keeps 63 characters), so that two names could become one:
// with NAME_MAX_LENGTH set, every name of the table is checked against it.
void checkNameLengths(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                      const X_CTD_DBMS_INFO& dbms, const std::string& tableName)
{
    int32_t limit = 0;
    if (!X_CTD_sGetCapability(table, dbms.name, "NAME_MAX_LENGTH", nullptr, &limit, nullptr) || limit <= 0)
        return;
    const bool internal = dbms.useInternalNames != 0;
    std::vector<std::string> names{tableName, record.collection, record.primaryKeyName};
    for (const X_CTD_COLUMN& c : record.columns)
        names.push_back(internal ? c.internalName : c.name);
    for (const X_CTD_INDEX& i : record.indexes)
        names.push_back(i.name);
    for (const X_CTD_VIEW& v : record.views)
        names.push_back(internal && !v.internalName.empty() ? v.internalName : v.name);
    for (std::string& name : names) {
        X_CTD_TrimRight(name);
        if (name.size() > static_cast<size_t>(limit))
            X_CTD_IssueMessage(record, 'F', 911, {tableName, name, std::to_string(limit)});
    }
}

// The name of a column as the statements write it.
std::string writtenName(const X_CTD_DBMS_INFO& dbms, const X_CTD_COLUMN& c)
{
    std::string name = dbms.useInternalNames ? c.internalName : c.name;
    X_CTD_TrimRight(name);
    return name;
}

const char* identityClause(int16_t product)
{
    switch (product) {
    case X_CTD_MSACCESS: return " AUTOINCREMENT";
    case X_CTD_ORACLE: return " DEFAULT 0";
    case X_CTD_SQLSERVER: return " IDENTITY";
    case X_CTD_SQLANYWHERE: return " DEFAULT AUTOINCREMENT";
    case X_CTD_MYSQL: return " AUTO_INCREMENT";
    default: return nullptr;
    }
}

// The key-column list of the PRIMARY KEY clause; empty when no key column is included.
std::string primaryKeyColumns(X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms)
{
    const std::string D(1, dbms.delimiter);
    std::string list;
    for (auto& key : record.primaryKey) {
        X_CTD_TrimRight(key.column);
        X_CTD_TrimRight(key.internalName);
        if (!X_CTD_IncludeColumn(&record, &dbms, key.column))
            continue;
        if (!list.empty())
            list += ",";
        list += D + X_CTD_Quote(dbms.useInternalNames ? key.internalName : key.column, dbms.delimiter) + D;
    }
    return list;
}

}  // namespace

void X_CTD_BuildCreateTable(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                            const X_CTD_DBMS_INFO& dbms, std::string& out)
{
    checkDefinedDatabase(record, table, dbms);
    const int32_t collections = X_CTD_CollectionsSupported(table, dbms.name);
    const int16_t product = X_CTD_ProductCode(table, dbms.name);
    convertPrimaryKey(record, table, dbms);
    addRrnoIndexes(record, table, dbms);
    X_CTD_ResolveKeyColumnNames(&record);

    std::unique_ptr<X_CTD_TYPE_SETTINGS> settings;
    X_CTD_SetDefaultCapabilities(record, settings, table, dbms);
    const std::string tableName = tableNameOf(record, dbms);
    const bool other = record.otherDatabase != 0;
    checkNameLengths(record, table, dbms, tableName);
    // MariaDB and MySQL take an AUTO_INCREMENT column only as the first
    // column of a key: an AUTO column that does not lead the primary key
    // gets a key of its own in the column list
    std::vector<std::string> autoKeys;
    out.clear();
    std::string prefix = other ? "ALTER TABLE " : "CREATE TABLE ";
    X_CTD_AppendQualifiedName(dbms, record, prefix, collections);
    bool markUpdate = false;
    const bool hasColumns = !record.columns.empty();
    if (hasColumns) {
        if (!other)
            out = prefix + " (";
        int included = 0;
        for (uint16_t i = 0; i < record.columns.size(); ++i) {
            if (record.columns[i].ignoreIfNative && dbms.foreign == 0)
                continue;
            if (included++)
                out += other ? ";" : ",";
            if (other)
                out += prefix + " ADD ";
            X_CTD_AppendColumnDefinition(record, dbms, *settings, out, product, tableName, i, 1, nullptr, nullptr);
            const X_CTD_COLUMN& c = record.columns[i];
            if (c.autoFlag) {
                const char* clause = identityClause(product);
                if (clause && !(product == X_CTD_MYSQL && other))
                    out += clause;
                if (clause && product == X_CTD_MYSQL && !other)
                    autoKeys.push_back(writtenName(dbms, c));
                else if (!clause)
                    X_CTD_IssueMessage(record, 'W', 657, {tableName});
            } else if (other && c.internalName == "@@UPID") {
                if (product != X_CTD_MSACCESS)
                    out += " DEFAULT 0";
                if (product == X_CTD_MSACCESS || product == X_CTD_SQLSERVER)
                    markUpdate = true;
            } else if (!other && c.notNull) {
                if (settings->notNullSupported)
                    out += " NOT NULL";
                else
                    X_CTD_IssueMessage(record, 'W', 391, {tableName});
            }
        }
    }
    if (!record.primaryKey.empty()) {
        if (X_CTD_YesFlag(table, dbms.name, "SUPPORTS_PRIMARY_KEY", 1) == 0) {
            X_CTD_IssueMessage(record, 'F', 389, {tableName});
        } else if (hasColumns) {
            // Inside the column list of a new table; as a statement of its own
            // after the column-add statements of a table of another database.
            std::string list = primaryKeyColumns(record, dbms);
            std::string constraint = X_CTD_PrimaryKeyConstraint(record, table, dbms, nullptr);
            if (!constraint.empty())
                constraint = "CONSTRAINT " + std::string(1, dbms.delimiter) + X_CTD_Quote(constraint, dbms.delimiter) +
                             dbms.delimiter + " ";
            if (!list.empty())
                out += (other ? ";" + prefix + " ADD " : std::string(", ")) + constraint + "PRIMARY KEY(" + list + ")";
            // the primary key's first column needs no key of its own
            const std::string leading = list.substr(0, list.find(','));
            autoKeys.erase(std::remove_if(autoKeys.begin(), autoKeys.end(),
                                          [&](const std::string& name) {
                                              return leading ==
                                                     dbms.delimiter + X_CTD_Quote(name, dbms.delimiter) + dbms.delimiter;
                                          }),
                           autoKeys.end());
        }
    }
    for (const std::string& name : autoKeys)
        out += ", KEY(" + std::string(1, dbms.delimiter) + X_CTD_Quote(name, dbms.delimiter) + dbms.delimiter + ")";
    if (hasColumns) {
        if (!other)
            out += ")";
        else if (markUpdate) {
            out += ";UPDATE ";
            X_CTD_AppendQualifiedName(dbms, record, out, collections);
            out += " SET X_UPID=0";
        }
    } else if (!other) {
        X_CTD_IssueMessage(record, 'F', 884, {tableName});
    }
    for (const auto& clause : record.appends)
        if (clause.dbmsType == dbms.name)
            out += clause.text;
}

void X_CTD_BuildColumnAddStatements(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                    const X_CTD_DBMS_INFO& dbms, uint16_t columnNumber, uint16_t& count,
                                    std::string& out)
{
    checkDefinedDatabase(record, table, dbms);
    const std::string tableName = tableNameOf(record, dbms);
    const int16_t product = X_CTD_ProductCode(table, dbms.name);
    X_CTD_ResolveKeyColumnNames(&record);
    out.clear();
    count = 0;
    if (columnNumber >= record.columns.size() || !record.columns[columnNumber].alter)
        return;
    std::unique_ptr<X_CTD_TYPE_SETTINGS> settings;
    X_CTD_SetDefaultCapabilities(record, settings, table, dbms);
    const X_CTD_COLUMN& c = record.columns[columnNumber];
    if (c.ignoreIfNative && dbms.foreign == 0)
        return;
    std::string statement;
    X_CTD_BuildAlterColumnStatement(record, table, dbms, *settings, product, tableName, columnNumber, 1, statement);
    out = statement;
    out.push_back('\0');
    ++count;
    if (record.columns[columnNumber].newColumn && product == X_CTD_SQLANYWHERE) {
        X_CTD_BuildAlterColumnStatement(record, table, dbms, *settings, X_CTD_SQLANYWHERE, tableName, columnNumber, 0,
                                        statement);
        out += statement;
        out.push_back('\0');
        ++count;
    }
}

void X_CTD_BuildIdentityColumnStatement(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                        const X_CTD_DBMS_INFO& dbms, std::string& out)
{
    out.clear();
    if (!record.otherDatabase || dbms.kind != 5)
        return;
    for (uint16_t i = 0; i < record.columns.size(); ++i) {
        X_CTD_COLUMN& c = record.columns[i];
        if (!c.autoFlag || !X_CTD_IsRrnoColumn(c.name, record.atSign))
            continue;
        c.alter = 1;
        uint16_t count = 0;
        std::string statements;
        X_CTD_BuildColumnAddStatements(record, table, dbms, i, count, statements);
        std::vector<std::string> parts = X_CTD_SplitStatements(statements);
        if (!parts.empty() && !parts.front().empty())
            out = parts.front() + " AUTO_INCREMENT";
        return;
    }
}

void X_CTD_BuildCollectionCommands(X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                   const X_CTD_DBMS_INFO& dbms, std::string& createOut, std::string& grantCollectionOut,
                                   std::string& grantTableOut)
{
    X_CTD_ResolveKeyColumnNames(&record);
    const int32_t collections = X_CTD_CollectionsSupported(table, dbms.name);
    bool older = false;
    if (dbms.name == "MSSQLS") {
        std::string version = dbms.serverVersion;
        std::string major = version.substr(0, version.find('.'));
        older = !major.empty() && std::atoi(major.c_str()) < 9;
    }
    // The templates take the names undelimited: a name that could end the
    // command or start another one is refused.
    std::string tableName, collection;
    X_CTD_ObjectNames(tableName, collection, record, dbms.useInternalNames);
    bool unsafe = false;
    for (const std::string* name : {&tableName, &collection})
        for (unsigned char c : *name)
            if (c <= ' ' || c == '"' || c == '\'' || c == ';' || c == '-' || c == '/' || c == '*')
                unsafe = true;
    if (unsafe)
        X_CTD_IssueMessage(record, 'W', 388, {collection + "." + tableName});
    if (unsafe || record.otherDatabase || !collections || record.collection.empty()) {
        createOut.clear();
        grantCollectionOut.clear();
        grantTableOut.clear();
        return;
    }
    struct Purpose {
        const char* key;
        std::string* out;
    } purposes[] = {{"CMD_CREATE_COLLECTION", &createOut},
                    {"CMD_GRANT_COLLECTION_PRIVS", &grantCollectionOut},
                    {"CMD_GRANT_TABLE_PRIVS", &grantTableOut}};
    for (const auto& p : purposes) {
        std::string key = std::string(p.key) + (older ? "_2000" : "");
        std::string templ;
        X_CTD_sGetCapability(table, dbms.name, key, &templ, nullptr, nullptr);
        X_CTD_ExpandTemplate(record, dbms, templ, *p.out);
    }
}
