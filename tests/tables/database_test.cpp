// The generated DDL run against real databases: CREATE TABLE, CREATE INDEX,
// CREATE VIEW, ADD COLUMN, the table copy and refill, DROP VIEW, DROP INDEX
// and DROP TABLE, for SQLite and for PostgreSQL, with the sample environment
// file's sections of both.
#include "databases.h"
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace ctdtest;

namespace {

const char* const kOrdersText =
    "* Orders of a customer\n"
    "DEFINE_TABLE\n"
    "  TABLE=ORDERS\n"
    "  COLLECTION=@LIB@\n"
    "  DESC=Customer orders\n"
    "DEFINE_COLUMNS\n"
    "  NAME=ORDNO\n    TYPE=DECIMAL\n    LEN=9\n    DEC=0\n    NOT_NULL\n"
    "  NAME=CUSTNO\n    TYPE=CHAR\n    LEN=10\n    NOT_NULL\n"
    "  NAME=NAME\n    TYPE=ALPHA\n    LEN=60\n"
    "  NAME=AMOUNT\n    TYPE=DECIMAL\n    LEN=11\n    DEC=2\n"
    "  NAME=NOTE\n    TYPE=LONGVARCHAR\n"
    "  NAME=PIC\n    TYPE=LONGVARBINARY\n"
    "  NAME=BIN\n    TYPE=BINARY\n    LEN=16\n"
    "  NAME=CREATED\n    TYPE=DATETIME\n    LEN=26\n    DEC=6\n"
    "  NAME=SMALL\n    TYPE=TINYINT\n"
    "  NAME=QTY\n    TYPE=INTEGER\n"
    "  NAME=BIG\n    TYPE=BIGINT\n"
    "  NAME=RATE\n    TYPE=DOUBLE\n"
    "  NAME=R\n    TYPE=REAL\n"
    "  NAME=D\n    TYPE=DATE\n"
    "  NAME=T\n    TYPE=TIME\n"
    "  NAME=UC\n    TYPE=UCHAR\n    LEN=5\n"
    "  NAME=UV\n    TYPE=UVARCHAR\n    LEN=50\n"
    "  NAME=UL\n    TYPE=UCLOB\n"
    "  NAME=X_RRNO\n    TYPE=INTEGER\n"
    "DEFINE_PRIMARY_KEYS\n"
    "  NAME=ORDERS_PK\n"
    "    COLUMN=ORDNO\n"
    "DEFINE_VIEW\n"
    "  NAME=BIG_ORDERS\n"
    "  COMMAND=SELECT \"ORDNO\", \"CUSTNO\", \"AMOUNT\" FROM OLD WHERE \"AMOUNT\" > 100\n"
    "DEFINE_INDEX\n"
    "  NAME=ORDERS_CUST\n"
    "  UNIQUE\n"
    "  DEFINE_INDEX_KEYS\n"
    "    COLUMN=CUSTNO\n"
    "    COLUMN=ORDNO\n"
    "    DESCENDING\n"
    "DEFINE_INDEX\n"
    "  NAME=ORDERS_NAME\n"
    "  DEFINE_INDEX_KEYS\n"
    "    COLUMN=NAME\n";

std::string withLibrary(const std::string& library)
{
    std::string text = kOrdersText;
    text.replace(text.find("@LIB@"), 5, library);
    return text;
}

bool noFatal(X_CTD_TABLE_DEFINITION& r, std::string& why)
{
    for (const auto& m : r.messages)
        if (m.level == 'F') {
            why = m.text;
            return false;
        }
    return true;
}

// The whole life of a table on one database.
void runTableLife(Database& db, const std::string& library)
{
    X_CTD_CAPABILITY_TABLE_PTR caps = sampleCapabilities();
    const std::string dbmsName = db.name();
    X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), dbmsName);
    TempDir dir;
    std::string path = dir.file("orders.ctd", withLibrary(library));
    X_CTD_TABLE_DEFINITION_PTR r;
    X_CTD_ReadDefinition(path.c_str(), r, nullptr, 1, 1, caps.get(), dbmsName);
    ASSERT_NE(r, nullptr);
    ASSERT_TRUE(messages(*r).empty()) << messages(*r).front();
    std::string why;

    std::string create, grantCollection, grantTable;
    X_CTD_BuildCollectionCommands(*r, caps.get(), dbms, create, grantCollection, grantTable);
    for (const std::string* sql : {&create, &grantCollection}) {
        if (!sql->empty()) {
            ASSERT_EQ(db.exec(*sql), "") << *sql;
        }
    }

    std::string sql;
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_TRUE(noFatal(*r, why)) << why;
    ASSERT_EQ(db.exec(sql), "") << sql;
    if (!grantTable.empty()) {
        ASSERT_EQ(db.exec(grantTable), "") << grantTable;
    }

    ASSERT_GE(r->indexes.size(), 2u);
    for (uint16_t i = 0; i < r->indexes.size(); ++i) {
        X_CTD_BuildCreateIndex(*r, caps.get(), dbms, i, sql);
        ASSERT_FALSE(sql.empty());
        ASSERT_EQ(db.exec(sql), "") << sql;
    }
    std::string table;
    X_CTD_AppendCreateName(*r, caps.get(), dbms, table);
    ASSERT_EQ(db.exec("INSERT INTO " + table + " (\"ORDNO\", \"CUSTNO\", \"AMOUNT\") VALUES (1, 'C1', 150)"), "");
    ASSERT_EQ(db.exec("INSERT INTO " + table + " (\"ORDNO\", \"CUSTNO\", \"AMOUNT\") VALUES (2, 'C2', 50)"), "");
    // The unique index holds.
    EXPECT_NE(db.exec("INSERT INTO " + table + " (\"ORDNO\", \"CUSTNO\") VALUES (1, 'C1')"), "");

    X_CTD_BuildCreateView(*r, caps.get(), dbms, 0, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    std::string again;
    X_CTD_BuildCreateView(*r, caps.get(), dbms, 0, again);
    EXPECT_EQ(again, sql);  // the view command in the record is whole
    std::string view = sql.substr(12, sql.find(" AS ") - 12);
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM " + view), 1);

    // A new column added to the existing table.
    X_CTD_AddColumn(*r, "EXTRA", "", '1', 20, 0, 0, 0, "EXTRA", 0, 0, 0);
    r->columns.back().alter = 1;
    r->columns.back().newColumn = 1;
    uint16_t count = 0;
    X_CTD_BuildColumnAddStatements(*r, caps.get(), dbms, static_cast<uint16_t>(r->columns.size() - 1), count, sql);
    ASSERT_EQ(count, 1);
    ASSERT_TRUE(noFatal(*r, why)) << why;
    std::string add = X_CTD_SplitStatements(sql).at(0);
    ASSERT_EQ(db.exec(add), "") << add;
    EXPECT_EQ(db.exec("UPDATE " + table + " SET \"EXTRA\" = 'x'"), "");

    // Copy, drop, create with a changed and a new column, refill from the copy.
    X_CTD_BuildTableCopy(*r, caps.get(), dbms, "SAV", &sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    X_CTD_DropViewStatement(*r, caps.get(), dbms, 0, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    for (uint16_t i = 0; i < r->indexes.size(); ++i) {
        X_CTD_DropIndexStatement(*r, caps.get(), dbms, i, sql, 1);
        ASSERT_EQ(db.exec(sql), "") << sql;
    }
    X_CTD_DropTableStatement(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;

    X_CTD_TABLE_DEFINITION old = *r;
    r->indexes.clear();
    for (auto& c : r->columns)
        if (c.name == "QTY") {
            c.type = 'D';
            c.length = 9;
        }
    X_CTD_AddColumn(*r, "LATER", "", 'I', 0, 0, 0, 0, "LATER", 0, 0, 0);
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    X_CTD_BuildInsertFromCopy(*r, old, caps.get(), dbms, "SAV", &sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM " + table + " WHERE \"EXTRA\" = 'x' AND \"LATER\" IS NULL"), 2);

    X_CTD_DropPrefixedTableStatement(*r, caps.get(), dbms, "SAV", sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    X_CTD_DropTableStatement(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    EXPECT_NE(db.exec("SELECT 1 FROM " + table), "");
}

} // namespace

TEST(DatabaseSqlite, TableLife)
{
    SqliteDatabase db;
    runTableLife(db, "LIBS");
}

TEST(DatabasePostgres, TableLife)
{
    PostgresDatabase db;
    ASSERT_EQ(db.connectError(), "");
    ASSERT_EQ(db.exec("SET search_path TO \"LIBP\", public"), "");
    runTableLife(db, "LIBP");
}

TEST(DatabasePostgres, NamesWithQuotesAreDelimitedCorrectly)
{
    PostgresDatabase db;
    ASSERT_EQ(db.connectError(), "");
    X_CTD_CAPABILITY_TABLE_PTR caps = sampleCapabilities();
    X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), "POSTGRESQL");
    auto r = newTable("WEIRD\"NAME", "LIBQ");
    X_CTD_AddColumn(*r, "A\"B", "", 'H', 5, 0, 0, 0, "A\"B", 0, 0, 0);
    std::string sql;
    ASSERT_EQ(db.exec("CREATE SCHEMA IF NOT EXISTS \"LIBQ\""), "");
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    X_CTD_DropTableStatement(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
}

TEST(DatabasePostgres, PrimaryKeyAddedToAnExistingTable)
{
    PostgresDatabase db;
    ASSERT_EQ(db.connectError(), "");
    X_CTD_CAPABILITY_TABLE_PTR caps = sampleCapabilities();
    X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), "POSTGRESQL");
    auto r = newTable("KEYED", "LIBK");
    X_CTD_AddColumn(*r, "A", "", 'I', 0, 0, 1, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*r, "B", "", 'H', 3, 0, 1, 0, "B", 0, 0, 0);
    std::string sql;
    ASSERT_EQ(db.exec("CREATE SCHEMA IF NOT EXISTS \"LIBK\""), "");
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "A");
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "B");
    uint16_t count = 0;
    X_CTD_BuildPrimaryKeyStatements(*r, caps.get(), dbms, nullptr, 0, 1, count, sql);
    ASSERT_EQ(count, 1);
    std::string add = X_CTD_SplitStatements(sql).at(0);
    EXPECT_EQ(add, "ALTER TABLE \"LIBK\".\"KEYED\" ADD PRIMARY KEY (\"A\",\"B\")");
    ASSERT_EQ(db.exec(add), "") << add;
    ASSERT_EQ(db.exec("INSERT INTO \"LIBK\".\"KEYED\" VALUES (1, 'x')"), "");
    EXPECT_NE(db.exec("INSERT INTO \"LIBK\".\"KEYED\" VALUES (1, 'x')"), "");
    X_CTD_DropTableStatement(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
}
