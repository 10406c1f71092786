// The DDL of every section of the sample database environment file: run on
// the real databases of SQLite, PostgreSQL and MariaDB (the MYSQL section),
// and compared with texts derived by hand from the type and statement rules
// for the products that cannot run here.
#include "support.h"

#include <gtest/gtest.h>

using namespace ctdtest;

namespace {

// One table whose columns meet the type rules that differ most between the
// sections: TINYINT, NUMERIC with decimals, DATETIME with fractions, DATE,
// LONGVARCHAR and ALPHA longer than 50.
const char* const kOrders = "DEFINE_TABLE\n  TABLE=ORDERS\n  COLLECTION=LIB\n"
                            "DEFINE_COLUMNS\n"
                            "  NAME=ORDNO\n    TYPE=DECIMAL\n    LEN=9\n    DEC=0\n    NOT_NULL\n"
                            "  NAME=CUSTNO\n    TYPE=CHAR\n    LEN=10\n    NOT_NULL\n"
                            "  NAME=NAME\n    TYPE=ALPHA\n    LEN=60\n"
                            "  NAME=AMOUNT\n    TYPE=NUMERIC\n    LEN=11\n    DEC=2\n"
                            "  NAME=SMALL\n    TYPE=TINYINT\n"
                            "  NAME=CREATED\n    TYPE=DATETIME\n    LEN=26\n    DEC=6\n"
                            "  NAME=D\n    TYPE=DATE\n"
                            "  NAME=NOTE\n    TYPE=LONGVARCHAR\n"
                            "DEFINE_PRIMARY_KEYS\n  NAME=PK\n    COLUMN=ORDNO\n"
                            "DEFINE_INDEX\n  NAME=ORDERS_CUST\n  UNIQUE\n  DEFINE_INDEX_KEYS\n"
                            "    COLUMN=CUSTNO\n    COLUMN=ORDNO\n    DESCENDING\n";

struct Expected {
    const char* section;
    const char* createTable;
    const char* createIndex;
    const char* dropIndex;
    const char* dropKey;
    std::vector<int> messages;
};

// The column texts shared by several sections.
#define Q "\""
#define ORD Q "ORDNO" Q " DECIMAL(9,0) NOT NULL," Q "CUSTNO" Q " CHAR(10) NOT NULL," Q "NAME" Q " VARCHAR(60),"
#define KEY ", PRIMARY KEY(" Q "ORDNO" Q "))"
#define IDX(name)                                                                                                      \
    "CREATE UNIQUE INDEX " name " ON " Q "LIB" Q "." Q "ORDERS" Q " ( " Q "CUSTNO" Q ", " Q "ORDNO" Q " DESC)"

const Expected kWithoutServer[] = {
    {"DB2400",
     "CREATE TABLE \"LIB\".\"ORDERS\" (" ORD "\"AMOUNT\" DECIMAL(11,2),\"SMALL\" SMALLINT,\"CREATED\" TIMESTAMP,"
     "\"D\" DATE,\"NOTE\" CLOB(1048576)" KEY,
     IDX("\"LIB\".\"ORDERS_CUST\""),
     "DROP INDEX \"LIB\".\"ORDERS_CUST\"",
     "ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY",
     {392}},
    {"DB2UWO",
     "CREATE TABLE \"LIB\".\"ORDERS\" (" ORD "\"AMOUNT\" DECIMAL(11,2),\"SMALL\" SMALLINT,\"CREATED\" TIMESTAMP,"
     "\"D\" DATE,\"NOTE\" CLOB(1048576)" KEY,
     IDX("\"LIB\".\"ORDERS_CUST\""),
     "DROP INDEX \"LIB\".\"ORDERS_CUST\"",
     "ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY",
     {392, 393}},
    {"MSACCESS",
     "CREATE TABLE \"LIB_ORDERS\" (\"ORDNO\" LONG NOT NULL,\"CUSTNO\" CHAR(10) NOT NULL,\"NAME\" TEXT(60),"
     "\"AMOUNT\" DOUBLE,\"SMALL\" TINYINT,\"CREATED\" DATETIME,\"D\" DATETIME,\"NOTE\" MEMO" KEY,
     "CREATE UNIQUE INDEX \"ORDERS_CUST\" ON \"LIB_ORDERS\" ( \"CUSTNO\", \"ORDNO\" DESC)",
     "DROP INDEX \"ORDERS_CUST\"",
     "ALTER TABLE \"LIB_ORDERS\" DROP PRIMARY KEY",
     {392, 392, 393, 393, 392}},
    {"ORACLE",
     "CREATE TABLE \"LIB\".\"ORDERS\" (\"ORDNO\" NUMBER(9,0) NOT NULL,\"CUSTNO\" CHAR(10) NOT NULL,"
     "\"NAME\" VARCHAR2(60),\"AMOUNT\" NUMBER(11,2),\"SMALL\" SMALLINT,\"CREATED\" TIMESTAMP(6) ,\"D\" DATE,"
     "\"NOTE\" CLOB" KEY,
     IDX("\"LIB\".\"ORDERS_CUST\""),
     "DROP INDEX \"LIB\".\"ORDERS_CUST\"",
     "ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY CASCADE",
     {392}},
    {"MSSQLS",
     "CREATE TABLE \"LIB\".\"ORDERS\" (" ORD "\"AMOUNT\" DECIMAL(11,2),\"SMALL\" TINYINT,\"CREATED\" DATETIME,"
     "\"D\" DATETIME,\"NOTE\" TEXT, CONSTRAINT \"PK_ORDERS\" PRIMARY KEY(\"ORDNO\"))",
     IDX("\"ORDERS_CUST\""),
     "DROP INDEX \"LIB\".\"ORDERS\".\"ORDERS_CUST\"",
     "ALTER TABLE \"LIB\".\"ORDERS\" DROP CONSTRAINT \"PK_ORDERS\"",
     {393, 392}},
    {"SQLANYWHERE",
     "CREATE TABLE \"LIB\".\"ORDERS\" (" ORD "\"AMOUNT\" DECIMAL(11,2),\"SMALL\" TINYINT,\"CREATED\" TIMESTAMP,"
     "\"D\" DATE,\"NOTE\" LONG VARCHAR" KEY,
     IDX("\"LIB\".\"ORDERS_CUST\""),
     "DROP INDEX \"LIB\".\"ORDERS_CUST\"",
     "ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY",
     {393}},
};

#undef Q
#undef ORD
#undef KEY
#undef IDX

}  // namespace

TEST(SampleSections, StatementsOfTheProductsWithoutAServer)
{
    auto caps = sampleCapabilities();
    for (const Expected& e : kWithoutServer) {
        SCOPED_TRACE(e.section);
        X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), e.section);
        auto r = readText(kOrders, caps.get(), e.section);
        ASSERT_TRUE(messages(*r).empty());
        std::string sql;
        X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
        EXPECT_EQ(sql, e.createTable);
        EXPECT_EQ(numbers(*r), e.messages);
        X_CTD_BuildCreateIndex(*r, caps.get(), dbms, 0, sql);
        EXPECT_EQ(sql, e.createIndex);
        X_CTD_DropIndexStatement(*r, caps.get(), dbms, 0, sql, 1);
        EXPECT_EQ(sql, e.dropIndex);
        uint16_t count = 0;
        X_CTD_AddPrimaryKeyColumn(*r, "PK", "ORDNO");
        X_CTD_BuildPrimaryKeyStatements(*r, caps.get(), dbms, nullptr, 1, 0, count, sql);
        EXPECT_EQ(X_CTD_SplitStatements(sql), std::vector<std::string>{e.dropKey});
    }
}

namespace {

// Every type of the table-definition text, with a view and two indexes.
const char* const kLifeTable =
    "DEFINE_TABLE\n  TABLE=ORDERS\n  COLLECTION=@LIB@\n"
    "DEFINE_COLUMNS\n"
    "  NAME=ORDNO\n    TYPE=DECIMAL\n    LEN=9\n    DEC=0\n    NOT_NULL\n"
    "  NAME=CUSTNO\n    TYPE=CHAR\n    LEN=10\n    NOT_NULL\n"
    "  NAME=NAME\n    TYPE=ALPHA\n    LEN=60\n"
    "  NAME=AMOUNT\n    TYPE=NUMERIC\n    LEN=11\n    DEC=2\n"
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
    "DEFINE_PRIMARY_KEYS\n  NAME=ORDERS_PK\n    COLUMN=ORDNO\n"
    "DEFINE_VIEW\n  NAME=BIG_ORDERS\n"
    "  COMMAND=SELECT \"ORDNO\", \"CUSTNO\", \"AMOUNT\" FROM OLD WHERE \"AMOUNT\" > 100\n"
    "DEFINE_INDEX\n  NAME=ORDERS_CUST\n  UNIQUE\n  DEFINE_INDEX_KEYS\n    COLUMN=CUSTNO\n    COLUMN=ORDNO\n"
    "    DESCENDING\n"
    "DEFINE_INDEX\n  NAME=ORDERS_NAME\n  DEFINE_INDEX_KEYS\n    COLUMN=NAME\n";

std::string fatal(X_CTD_TABLE_DEFINITION& r)
{
    for (const auto& m : r.messages)
        if (m.level == 'F')
            return m.text;
    return "";
}

// The whole life of a table on one database, as the DBMS section builds it.
void runTableLife(Database& db, const std::string& section, const std::string& library, bool alterKeys)
{
    auto caps = sampleCapabilities();
    X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), section);
    std::string text = kLifeTable;
    text.replace(text.find("@LIB@"), 5, library);
    auto r = readText(text, caps.get(), section);
    ASSERT_TRUE(messages(*r).empty()) << messages(*r).front();

    std::string create, grantCollection, grantTable, sql;
    X_CTD_BuildCollectionCommands(*r, caps.get(), dbms, create, grantCollection, grantTable);
    for (const std::string* s : {&create, &grantCollection})
        if (!s->empty())
            ASSERT_EQ(db.exec(*s), "") << *s;
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_EQ(fatal(*r), "");
    ASSERT_EQ(db.exec(sql), "") << sql;
    if (!grantTable.empty())
        ASSERT_EQ(db.exec(grantTable), "") << grantTable;
    ASSERT_GE(r->indexes.size(), 2u);
    for (uint16_t i = 0; i < r->indexes.size(); ++i) {
        X_CTD_BuildCreateIndex(*r, caps.get(), dbms, i, sql);
        ASSERT_EQ(db.exec(sql), "") << sql;
    }
    std::string table;
    X_CTD_AppendCreateName(*r, caps.get(), dbms, table);
    const std::string insert = "INSERT INTO " + table + " (\"ORDNO\", \"CUSTNO\", \"AMOUNT\") VALUES ";
    ASSERT_EQ(db.exec(insert + "(1, 'C1', 150.25)"), "");
    ASSERT_EQ(db.exec(insert + "(2, 'C2', 50)"), "");
    EXPECT_NE(db.exec(insert + "(1, 'C9', 1)"), "");  // the primary key holds
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM " + table + " WHERE \"AMOUNT\" = 150.25"), 1);

    if (alterKeys) {
        uint16_t count = 0;
        X_CTD_BuildPrimaryKeyStatements(*r, caps.get(), dbms, nullptr, 1, 1, count, sql);
        for (const std::string& s : X_CTD_SplitStatements(sql))
            ASSERT_EQ(db.exec(s), "") << s;
        EXPECT_NE(db.exec(insert + "(1, 'C9', 1)"), "");  // the key is back
    }

    X_CTD_BuildCreateView(*r, caps.get(), dbms, 0, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM " + sql.substr(12, sql.find(" AS ") - 12)), 1);

    X_CTD_AddColumn(*r, "EXTRA", "", '1', 20, 0, 0, 0, "EXTRA", 0, 0, 0);
    r->columns.back().alter = r->columns.back().newColumn = 1;
    uint16_t count = 0;
    X_CTD_BuildColumnAddStatements(*r, caps.get(), dbms, static_cast<uint16_t>(r->columns.size() - 1), count, sql);
    ASSERT_EQ(count, 1);
    ASSERT_EQ(db.exec(X_CTD_SplitStatements(sql).at(0)), "") << sql;
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
    r->columns[9].type = 'D';  // QTY becomes DECIMAL(9,0)
    r->columns[9].length = 9;
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

}  // namespace

TEST(SampleSections, TableLifeOnSqlite)
{
    SqliteDatabase db;
    runTableLife(db, "SQLITE", "LIBS", true);
}

TEST(SampleSections, TableLifeOnPostgres)
{
    PostgresDatabase db;
    ASSERT_EQ(db.connectError(), "");
    Cleanup schema(db, "DROP SCHEMA IF EXISTS \"LIBP\" CASCADE");
    runTableLife(db, "POSTGRESQL", "LIBP", true);
}

TEST(SampleSections, TableLifeOnMariaDB)
{
    MariaDatabase db;
    ASSERT_EQ(db.connectError(), "");
    Cleanup database(db, "DROP DATABASE IF EXISTS \"LIBM\"");
    runTableLife(db, "MYSQL", "LIBM", true);
}

TEST(SampleSections, NamesWithDelimitersOnPostgres)
{
    PostgresDatabase db;
    ASSERT_EQ(db.connectError(), "");
    Cleanup schema(db, "DROP SCHEMA IF EXISTS \"L\"\"Q\" CASCADE");
    auto caps = sampleCapabilities();
    X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), "POSTGRESQL");
    auto r = newTable("WEIRD\"NAME", "L\"Q");
    X_CTD_AddColumn(*r, "A\"B", "", 'H', 5, 0, 0, 0, "A\"B", 0, 0, 0);
    std::string sql;
    ASSERT_EQ(db.exec("CREATE SCHEMA \"L\"\"Q\""), "");
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
    X_CTD_DropTableStatement(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
}

namespace {

// A table whose AUTO column is no key, in a collection named by a word of
// SQL: created, filled and dropped on the database of the section.
void runAutoColumnTable(Database& db, const std::string& section, const std::string& collection)
{
    auto caps = sampleCapabilities();
    X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), section);
    const std::string text = "DEFINE_TABLE\n  TABLE=COUNTED\n  COLLECTION=" + collection +
                             "\n"
                             "DEFINE_COLUMNS\n"
                             "  NAME=CODE\n    TYPE=CHAR\n    LEN=4\n    NOT_NULL\n"
                             "  NAME=SEQ\n    TYPE=INTEGER\n    AUTO\n"
                             "  NAME=NOTE\n    TYPE=ALPHA\n    LEN=20\n"
                             "DEFINE_PRIMARY_KEYS\n  NAME=PK\n    COLUMN=CODE\n";
    auto r = readText(text, caps.get(), section);
    ASSERT_TRUE(messages(*r).empty()) << messages(*r).front();
    ASSERT_EQ(r->columns.at(1).autoFlag, 1u);
    std::string create, grantCollection, grantTable, sql;
    X_CTD_BuildCollectionCommands(*r, caps.get(), dbms, create, grantCollection, grantTable);
    ASSERT_FALSE(create.empty());
    ASSERT_EQ(db.exec(create), "") << create;
    X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
    ASSERT_EQ(fatal(*r), "");
    ASSERT_EQ(db.exec(sql), "") << sql;
    std::string table;
    X_CTD_AppendCreateName(*r, caps.get(), dbms, table);
    ASSERT_EQ(db.exec("INSERT INTO " + table + " (\"CODE\", \"NOTE\") VALUES ('A', 'x'), ('B', 'y')"), "");
    // the AUTO column numbers the rows
    EXPECT_EQ(db.number("SELECT MAX(\"SEQ\") FROM " + table), 2);
    X_CTD_DropTableStatement(*r, caps.get(), dbms, sql);
    ASSERT_EQ(db.exec(sql), "") << sql;
}

}  // namespace

TEST(SampleSections, AutoColumnThatIsNoKeyOnMariaDB)
{
    MariaDatabase db;
    ASSERT_EQ(db.connectError(), "");
    Cleanup database(db, "DROP DATABASE IF EXISTS \"SELECT\"");
    runAutoColumnTable(db, "MYSQL", "SELECT");
}

TEST(SampleSections, NamesLongerThanTheServerTakesAreRefused)
{
    auto caps = sampleCapabilities();
    const std::string long64(64, 'N');
    const std::string text = "DEFINE_TABLE\n  TABLE=T\n  COLLECTION=LIB\n"
                             "DEFINE_COLUMNS\n  NAME=" +
                             long64 + "\n    TYPE=CHAR\n    LEN=4\n";
    for (const char* section : {"POSTGRESQL", "MYSQL", "SQLITE"}) {
        SCOPED_TRACE(section);
        X_CTD_DBMS_INFO dbms = dbmsInfo(caps.get(), section);
        auto r = readText(text, caps.get(), section);
        std::string sql;
        X_CTD_BuildCreateTable(*r, caps.get(), dbms, sql);
        if (std::string(section) == "POSTGRESQL")  // 63 characters at most: the name would be cut
            EXPECT_EQ(fatal(*r), "(0911) FATAL - Table T uses the name " + long64 +
                                     ", which is longer than the 63 characters the current DBMS accepts.");
        else  // MariaDB takes 64, SQLite has no limit
            EXPECT_EQ(fatal(*r), "");
    }
}
