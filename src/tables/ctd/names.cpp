// Qualified table names and the small statement-text helpers.
#include "tables/ctd/ctd.h"

bool X_CTD_RepositoryTableWithoutPrefix(const X_CTD_TABLE_DEFINITION& r, std::string_view collection, bool alsoWork)
{
    if (collection != "QV_DTA")
        return false;
    if (r.table.rfind("QV_", 0) == 0)
        return true;
    return alsoWork && (r.table == "DC_W31" || r.table == "DC_W32");
}

void X_CTD_AppendQualifiedName(const X_CTD_DBMS_INFO& dbms, const X_CTD_TABLE_DEFINITION& record, std::string& out,
                               int32_t useCollections)
{
    std::string table, collection;
    X_CTD_ObjectNames(table, collection, record, dbms.useInternalNames);
    const char d = dbms.delimiter;
    out.push_back(d);
    if ((useCollections || record.otherDatabase) && !collection.empty()) {
        out += X_CTD_Quote(collection, d);
        out.push_back(d);
        out.push_back('.');
        out.push_back(d);
    } else if (dbms.emulateCollections && !record.otherDatabase && !collection.empty() &&
               !X_CTD_RepositoryTableWithoutPrefix(record, collection, true)) {
        out += X_CTD_Quote(collection, d);
        out.push_back('_');
    }
    out += X_CTD_Quote(table, d);
    out.push_back(d);
}

void X_CTD_AppendSplitName(const X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms, std::string& tableOut,
                           std::string& collectionOut)
{
    std::string table, collection;
    X_CTD_ObjectNames(table, collection, record, dbms.useInternalNames);
    const char d = dbms.delimiter;
    if ((dbms.collectionsSupported || record.otherDatabase) && !collection.empty()) {
        collectionOut.push_back(d);
        collectionOut += X_CTD_Quote(collection, d);
        collectionOut.push_back(d);
        tableOut.push_back(d);
    } else {
        tableOut.push_back(d);
        if (dbms.emulateCollections && !record.otherDatabase && !collection.empty() &&
            !X_CTD_RepositoryTableWithoutPrefix(record, collection, true)) {
            tableOut += X_CTD_Quote(collection, d);
            tableOut.push_back('_');
        }
    }
    tableOut += X_CTD_Quote(table, d);
    tableOut.push_back(d);
}

void X_CTD_UseCollections(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms, std::string_view key,
                          std::string* valueOut, int32_t* numberOut, int32_t* yesOut)
{
    int32_t createWith = 0;
    if (X_CTD_sGetCapability(table, dbms, "CREATE_WITH_COLLECTIONS", nullptr, nullptr, &createWith) &&
        createWith == 1) {
        if (yesOut)
            *yesOut = 1;
        return;
    }
    X_CTD_GetCapabilityDefaultYes(table, dbms, key, valueOut, numberOut, yesOut);
}

int32_t X_CTD_CollectionsSupported(const X_CTD_CAPABILITY_TABLE* table, std::string_view dbms)
{
    int32_t yes = 1;
    X_CTD_UseCollections(table, dbms, "SUPPORTS_COLLECTIONS", nullptr, nullptr, &yes);
    return yes;
}

void X_CTD_AppendCreateName(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                            const X_CTD_DBMS_INFO& dbms, std::string& out)
{
    X_CTD_AppendQualifiedName(dbms, record, out, X_CTD_CollectionsSupported(table, dbms.name));
}

void X_CTD_ExpandTemplate(const X_CTD_TABLE_DEFINITION& record, const X_CTD_DBMS_INFO& dbms, std::string_view templ,
                          std::string& out)
{
    if (templ.empty())
        return;
    std::string table, collection;
    X_CTD_ObjectNames(table, collection, record, dbms.useInternalNames);
    std::string n;
    if (dbms.collectionsSupported && !collection.empty())
        n = collection + ".";
    else if (dbms.emulateCollections && !collection.empty() &&
             !X_CTD_RepositoryTableWithoutPrefix(record, collection, false))
        n = collection + "_";
    n += table;
    size_t from = 0;
    for (size_t i = 0; i + 2 < templ.size(); ++i) {
        char letter = templ[i + 1];
        if (templ[i] != '>' || templ[i + 2] != '<')
            continue;
        if (letter != 'C' && letter != 'c' && letter != 'T' && letter != 't')
            continue;
        out.append(templ.substr(from, i - from));
        out += (letter == 'C' || letter == 'c') ? collection : n;
        from = i + 3;
        i += 2;
    }
    out.append(templ.substr(from));
}

void X_CTD_ReplaceOutsideQuotes(std::string& text, char find, char replacement)
{
    bool quoted = false;
    for (char& c : text) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && c == find)
            c = replacement;
    }
}

void X_CTD_RemoveNativeColumns(const X_CTD_TABLE_DEFINITION& record, std::string& list, int32_t useInternalNames,
                               char delimiter)
{
    for (size_t i = record.columns.size(); i-- > 0;) {
        const X_CTD_COLUMN& c = record.columns[i];
        if (!c.ignoreIfNative)
            continue;
        std::string search =
            useInternalNames ? std::string(1, delimiter) + X_CTD_Quote(c.internalName, delimiter) + delimiter : c.name;
        if (search.empty())
            continue;
        size_t at = 0;
        size_t found = std::string::npos;
        while ((at = list.find(search, at)) != std::string::npos) {
            size_t after = at + search.size();
            if (after < list.size() && (list[after] == ' ' || list[after] == ',')) {
                found = at;
                break;
            }
            ++at;
        }
        if (found == std::string::npos)
            continue;
        for (size_t k = 0; k < search.size(); ++k)
            list[found + k] = ' ';
        if (i == 0) {
            for (size_t k = found + search.size(); k < list.size(); ++k) {
                if (list[k] == ' ')
                    continue;
                if (list[k] == ',')
                    list[k] = ' ';
                break;
            }
        } else {
            for (size_t k = found; k-- > 0;) {
                if (list[k] == ' ')
                    continue;
                if (list[k] == ',')
                    list[k] = ' ';
                break;
            }
        }
    }
}

int32_t X_CTD_IncludeColumn(const X_CTD_TABLE_DEFINITION* record, const X_CTD_DBMS_INFO* dbms, std::string_view column)
{
    if (!record || !dbms || record->columns.empty())
        return 0;
    for (const auto& c : record->columns)
        if (c.name == column)
            return (dbms->ignoreNativeSupport || !c.ignoreIfNative) ? 1 : 0;
    return 0;
}

// ---------------------------------------------------------------------------
// Record-number column, sequence and trigger
// ---------------------------------------------------------------------------

int32_t X_CTD_IsRrnoColumn(std::string_view name, char c)
{
    if (name == "X_RRNO")
        return 1;
    return name.size() == 6 && name[0] == c && name[1] == c && name.substr(2) == "RRNO" ? 1 : 0;
}

std::string X_CTD_RrnoKeyName(const X_CTD_TABLE_DEFINITION& record)
{
    return record.nameFlag == '1' ? std::string(2, record.atSign) + "RRNO" : std::string("X_RRNO");
}

void X_CTD_BuildOracleRrnoBlock(const X_CTD_TABLE_DEFINITION& record, const void*, const X_CTD_DBMS_INFO& dbms,
                                std::string& out)
{
    if (dbms.productIndex != X_CTD_ORACLE)
        return;
    const X_CTD_COLUMN* autoColumn = nullptr;
    for (const auto& c : record.columns)
        if (c.autoFlag) {
            autoColumn = &c;
            break;
        }
    if (!autoColumn)
        return;
    std::string column = autoColumn->name;
    if (dbms.useInternalNames && !autoColumn->internalName.empty())
        column = autoColumn->internalName;
    std::string collection = record.collection;
    if (dbms.useInternalNames && !record.dataLibrary.empty())
        collection = record.dataLibrary;
    const std::string d(1, dbms.delimiter);
    std::string t;
    X_CTD_AppendQualifiedName(dbms, record, t, dbms.collectionsSupported);
    const std::string b = X_CTD_Quote(record.internalName + column, dbms.delimiter);
    const std::string q = X_CTD_Quote(collection, dbms.delimiter);
    const std::string s = d + q + d + "." + d + b + "_SEQ" + d;
    const std::string sUnqualified = d + b + "_SEQ" + d;
    const std::string r = d + q + d + "." + d + b + "_TRG" + d;
    const std::string c = d + X_CTD_Quote(column, dbms.delimiter) + d;
    // The sequence and the trigger are created from statement texts inside
    // PL/SQL string literals, where an apostrophe in a name is doubled.
    const std::string sText = X_CTD_Quote(s, '\'');
    const std::string rText = X_CTD_Quote(r, '\'');
    const std::string tText = X_CTD_Quote(t, '\'');
    const std::string seqText = X_CTD_Quote(sUnqualified, '\'');
    const std::string cText = X_CTD_Quote(c, '\'');
    out = "DECLARE CursorId INTEGER;ret INTEGER;MaxRRNO  NUMERIC;NextSeq  NUMERIC;BEGIN /* Set each column to a "
          "unique value */UPDATE " +
          t + " SET " + c + "=ROWNUM;/* Determine the maximum value assigned to use in Sequence */SELECT MAX(" + c +
          ") INTO MaxRRNO  FROM " + t +
          ";IF MaxRRNO IS NULL THEN NextSeq := 1; ELSE NextSeq := MaxRRNO + 1;END IF;/* Open new cursor and return "
          "cursor ID. */ CursorId := DBMS_SQL.OPEN_CURSOR; /* Create Sequence to hold current X_RRNO. */ /* "
          "Perform inside a block so that errors can be ignored *//* and thus the trigger WILL get created. */ "
          "BEGIN DBMS_SQL.PARSE(CursorId , 'CREATE SEQUENCE " +
          sText +
          " START WITH ' || NextSeq, dbms_sql.v7);ret := DBMS_SQL.EXECUTE(CursorId); /* Unnecessary. Left in for "
          "forward compatibility */EXCEPTION WHEN OTHERS THEN ret := 0; /* dummy code. */ END; /* Create Trigger "
          "to auto generate X_RRNO */DBMS_SQL.PARSE(CursorId , 'CREATE OR REPLACE TRIGGER " +
          rText + " BEFORE INSERT ON " + tText + " FOR EACH ROW BEGIN SELECT " + seqText + ".NEXTVAL INTO :new." +
          cText +
          " FROM DUAL;END;',dbms_sql.v7);ret := DBMS_SQL.EXECUTE(CursorId); /* Unnecessary. Left in for forward "
          "compatibility *//* Close cursor. */ DBMS_SQL.CLOSE_CURSOR(CursorId ); EXCEPTION /* If an exception is "
          "raised, close cursor before exiting. */ WHEN OTHERS THEN DBMS_SQL.CLOSE_CURSOR(CursorId ); RAISE;END;";
}

// ---------------------------------------------------------------------------
// Primary-key statements
// ---------------------------------------------------------------------------

size_t X_CTD_AppendText(std::string& buffer, std::string_view text)
{
    buffer.append(text);
    return text.size();
}

std::vector<std::string> X_CTD_SplitStatements(const std::string& buffer)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (start < buffer.size()) {
        size_t end = buffer.find('\0', start);
        if (end == std::string::npos)
            end = buffer.size();
        out.push_back(buffer.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string X_CTD_PrimaryKeyConstraint(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                       const X_CTD_DBMS_INFO& dbms, const char* given)
{
    if (X_CTD_ProductCode(table, dbms.name) != X_CTD_SQLSERVER &&
        X_CTD_YesFlag(table, dbms.name, "NAMED_PRIMARY_KEY", 0) == 0)
        return "";
    if (given && *given)
        return given;
    return "PK_" + (dbms.useInternalNames && !record.internalName.empty() ? record.internalName : record.table);
}

void X_CTD_BuildPrimaryKeyStatements(const X_CTD_TABLE_DEFINITION& record, const X_CTD_CAPABILITY_TABLE* table,
                                     const X_CTD_DBMS_INFO& dbms, const char* constraintName, int drop, int add,
                                     uint16_t& count, std::string& out)
{
    count = 0;
    out.clear();
    if (X_CTD_YesFlag(table, dbms.name, "SUPPORTS_PRIMARY_KEY", 1) == 0 || record.primaryKey.empty() || (!drop && !add))
        return;
    int16_t product = X_CTD_ProductCode(table, dbms.name);
    std::string q;
    X_CTD_AppendQualifiedName(dbms, record, q, X_CTD_CollectionsSupported(table, dbms.name));
    const std::string d(1, dbms.delimiter);
    // One constraint name for both statements and CREATE TABLE, so that a key
    // this generator made can be dropped again by its name.
    const std::string constraint = X_CTD_PrimaryKeyConstraint(record, table, dbms, constraintName);
    if (drop) {
        X_CTD_AppendText(out, "ALTER TABLE " + q + " DROP ");
        if (!constraint.empty())
            X_CTD_AppendText(out, "CONSTRAINT " + d + X_CTD_Quote(constraint, dbms.delimiter) + d);
        else
            X_CTD_AppendText(out, product == X_CTD_ORACLE ? "PRIMARY KEY CASCADE" : "PRIMARY KEY");
        out.push_back('\0');
        ++count;
    }
    if (add) {
        X_CTD_AppendText(out, "ALTER TABLE " + q + " ADD ");
        if (!constraint.empty())
            X_CTD_AppendText(out, "CONSTRAINT " + d + X_CTD_Quote(constraint, dbms.delimiter) + d + " ");
        X_CTD_AppendText(out, "PRIMARY KEY (");
        bool first = true;
        for (const auto& key : record.primaryKey) {
            if (!first)
                out.push_back(',');
            first = false;
            X_CTD_AppendText(
                out, d + X_CTD_Quote(dbms.useInternalNames ? key.internalName : key.column, dbms.delimiter) + d);
        }
        out += ")";
        out.push_back('\0');
        ++count;
    }
}
