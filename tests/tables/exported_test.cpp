// The table-definition generator's exported C entry points, used as the
// environment's table tools use them: a capability table, a table definition
// read from its text or built column by column, the statements of a table's
// life run on SQLite, the Oracle record-number block, the messages, the
// export file written and read back, and the header compiled as C.
#include "dqov/tables/dqov_tables.h"

#include "support.h"
#include "support/commands.h"
#include "tables/dbms_env.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace ctdtest;

namespace {

constexpr size_t kOut = 8192;

// Selects the sample environment file and a DBMS for the current-DBMS calls.
void useDbms(const char* name)
{
    SMISC_SetDBMSEnvironment(sampleEnvironmentFile().c_str(), name);
}

std::vector<std::string> allMessages(X_CTD_TABLE_DEFINITION* record)
{
    std::vector<std::string> out;
    char text[300];
    X_CTD_NextMessage(record, text, sizeof text, 'Y', 'N');
    while (text[0]) {
        out.emplace_back(text);
        X_CTD_NextMessage(record, text, sizeof text, 'N', 'N');
    }
    return out;
}

const char* const kOrders = "* Customer orders\n"
                            "DEFINE_TABLE\n"
                            "  INTERNAL=ORDERS_I\n"
                            "  TABLE=ORDERS\n"
                            "  COLLECTION=LIB\n"
                            "  DESC=Customer orders\n"
                            "DEFINE_COLUMNS\n"
                            "  NAME=ORDNO\n"
                            "    DESC=Order number\n"
                            "    TYPE=DECIMAL\n"
                            "    LEN=9\n"
                            "    DEC=0\n"
                            "    NOT_NULL\n"
                            "  NAME=CUSTNO\n"
                            "    TYPE=CHAR\n"
                            "    LEN=10\n"
                            "  NAME=AMOUNT\n"
                            "    TYPE=DECIMAL\n"
                            "    LEN=11\n"
                            "    DEC=2\n"
                            "  NAME=NOTE\n"
                            "    TYPE=VARCHAR\n"
                            "    LEN=60\n"
                            "DEFINE_PRIMARY_KEYS\n"
                            "  NAME=ORDERS_PK\n"
                            "  COLUMN=ORDNO\n"
                            "DEFINE_INDEX\n"
                            "  NAME=ORDCUST\n"
                            "  DEFINE_INDEX_KEYS\n"
                            "    COLUMN=CUSTNO\n"
                            "    COLUMN=AMOUNT\n"
                            "    DESCENDING\n"
                            "DEFINE_VIEW\n"
                            "  NAME=BIGORD\n"
                            "  COMMAND=SELECT \"ORDNO\", \"AMOUNT\" FROM \"LIB_ORDERS\" WHERE \"AMOUNT\" > 100\n";

// The same table without key, index and view, NOTE made a long text.
std::string changedOrders()
{
    std::string text = kOrders;
    text.erase(text.find("DEFINE_PRIMARY_KEYS"));
    text.replace(text.find("TYPE=VARCHAR\n    LEN=60"), 23, "TYPE=LONGVARCHAR");
    return text;
}

}  // namespace

TEST(ExportedCapabilities, LoadListFindLookUpAndFree)
{
    X_CTD_CAPABILITY_TABLE* table = nullptr;
    char error[200] = "old";
    EXPECT_EQ(X_CTD_Load_Capabilities("/nonexistent/env.dat", &table, error, sizeof error), -1);
    EXPECT_STREQ(error, "UNABLE TO FIND OR OPEN DATABASE ENVIRONMENT FILE /nonexistent/env.dat.");
    EXPECT_EQ(table, nullptr);

    const std::string sample = sampleEnvironmentFile();
    ASSERT_EQ(X_CTD_Load_Capabilities(sample.c_str(), &table, error, sizeof error), 0);
    EXPECT_STREQ(error, "");
    ASSERT_NE(table, nullptr);
    X_CTD_CAPABILITY_TABLE* same = table;
    EXPECT_EQ(X_CTD_Load_Capabilities("/nonexistent/env.dat", &table, error, sizeof error), 0);  // already loaded
    EXPECT_EQ(table, same);

    const char* names[16] = {};
    uint16_t count = 16;
    X_CTD_ListDBMS(table, &count, names);
    ASSERT_EQ(count, 9);
    const char* const expected[] = {"DB2400",      "DB2UWO", "MSACCESS", "ORACLE",    "MSSQLS",
                                    "SQLANYWHERE", "MYSQL",  "SQLITE",   "POSTGRESQL"};
    for (int i = 0; i < 9; ++i)
        EXPECT_STREQ(names[i], expected[i]);
    count = 2;
    X_CTD_ListDBMS(table, &count, names);
    EXPECT_EQ(count, 2);
    EXPECT_STREQ(names[1], "DB2UWO");

    // the capability's value is a prefix of the value asked for
    count = 16;
    X_CTD_FindDBMSWithCapability(table, "DATABASE_PRODUCT", "ORACLE", &count, names);
    ASSERT_EQ(count, 1);
    EXPECT_STREQ(names[0], "ORACLE");
    count = 16;
    X_CTD_FindDBMSWithCapability(table, "DATABASE_PRODUCT", "USERDEFINED AND MORE", &count, names);
    ASSERT_EQ(count, 2);
    EXPECT_STREQ(names[0], "SQLITE");
    EXPECT_STREQ(names[1], "POSTGRESQL");
    count = 1;
    X_CTD_FindDBMSWithCapability(table, "DATABASE_PRODUCT", "USERDEFINED", &count, names);
    EXPECT_EQ(count, 1);

    char value[151] = "x";
    int32_t number = -1, yes = -1;
    EXPECT_EQ(
        X_CTD_GetCapabilityDefaultNo(table, "SQLITE", "TYPE_LONGVARCHAR_NAME", value, sizeof value, &number, &yes), 1);
    EXPECT_STREQ(value, "TEXT");
    EXPECT_EQ(
        X_CTD_GetCapabilityDefaultNo(table, "ORACLE", "TYPE_DECIMAL_MAX_DIGITS", value, sizeof value, &number, &yes),
        1);
    EXPECT_STREQ(value, "38");
    EXPECT_EQ(number, 38);
    EXPECT_EQ(yes, 0);
    EXPECT_EQ(X_CTD_GetCapabilityDefaultNo(table, "SQLITE", "SUPPORTS_DESC_KEYS", value, sizeof value, &number, &yes),
              1);
    EXPECT_EQ(yes, 1);
    EXPECT_EQ(X_CTD_GetCapabilityDefaultNo(table, "SQLITE", "NO_SUCH_KEY", value, sizeof value, &number, &yes), 0);
    EXPECT_STREQ(value, "");
    EXPECT_EQ(number, 0);
    EXPECT_EQ(yes, 0);
    // a value that does not fit leaves "" and still answers
    char small[3] = "zz";
    EXPECT_EQ(
        X_CTD_GetCapabilityDefaultNo(table, "SQLITE", "TYPE_LONGVARCHAR_NAME", small, sizeof small, nullptr, nullptr),
        1);
    EXPECT_STREQ(small, "");

    X_CTD_FreeCapabilities(&table);
    EXPECT_EQ(table, nullptr);
    X_CTD_FreeCapabilities(&table);  // a null table is left alone
    count = 4;
    X_CTD_ListDBMS(nullptr, &count, names);
    EXPECT_EQ(count, 0);
}

TEST(ExportedTableDefinition, TableLifeOnSqlite)
{
    useDbms("SQLITE");
    const X_CTD_CAPABILITY_TABLE* caps = SMISC_sGetDBMSTypes();
    const X_CTD_DBMS_INFO* dbms = SSQL_pGetDBMSInfo();
    ASSERT_NE(caps, nullptr);
    TempDir dir;
    X_CTD_TABLE_DEFINITION* orders = nullptr;
    X_CTD_ReadDefinition(dir.file("orders.ctd", kOrders).c_str(), &orders, 1, 1, caps, "SQLITE");
    ASSERT_NE(orders, nullptr);
    uint16_t info = 9, warnings = 9, fatal = 9;
    EXPECT_EQ(X_CTD_CountMessages(orders, &info, &warnings, &fatal), 0);
    EXPECT_EQ(info + warnings + fatal, 0);

    SqliteDatabase db;
    std::vector<char> out(kOut);
    size_t length = X_CTD_BuildCreateTable(orders, caps, dbms, out.data(), out.size());
    ASSERT_GT(length, 0u);
    EXPECT_EQ(std::strlen(out.data()), length);
    EXPECT_EQ(std::string(out.data()).rfind("CREATE TABLE \"LIB_ORDERS\" (\"ORDNO\" ", 0), 0u) << out.data();
    ASSERT_EQ(db.exec(out.data()), "") << out.data();
    // SQLite has no primary-key constraint here: the key becomes an index, with a message saying so
    std::vector<std::string> messages = allMessages(orders);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].rfind("(0394)", 0), 0u) << messages[0];
    EXPECT_EQ(X_CTD_CountMessages(orders, &info, &warnings, &fatal), 'I');
    EXPECT_EQ(info, 1);
    X_CTD_ClearMessages(orders);
    EXPECT_EQ(X_CTD_CountMessages(orders, &info, &warnings, &fatal), 0);
    EXPECT_EQ(info, 0);

    // the index of the definition and the one the primary key became
    for (uint16_t i = 0; i < 2; ++i) {
        ASSERT_GT(X_CTD_BuildCreateIndex(orders, caps, dbms, i, out.data(), out.size()), 0u);
        ASSERT_EQ(db.exec(out.data()), "") << out.data();
    }
    char name[64] = "INSERT INTO ";
    EXPECT_EQ(X_CTD_AppendCreateName(orders, caps, dbms, name, sizeof name), 24u);
    EXPECT_STREQ(name, "INSERT INTO \"LIB_ORDERS\"");
    char table[40] = "T:", collection[40] = "C:";
    EXPECT_EQ(X_CTD_AppendSplitName(orders, dbms, table, sizeof table, collection, sizeof collection), 1);
    EXPECT_STREQ(table, "T:\"LIB_ORDERS\"");  // collections emulated: no collection piece
    EXPECT_STREQ(collection, "C:");
    const std::string insert = std::string(name) + " (\"ORDNO\", \"CUSTNO\", \"AMOUNT\", \"NOTE\") VALUES ";
    ASSERT_EQ(db.exec(insert + "(1, 'C1', 150.25, 'first')"), "");
    ASSERT_EQ(db.exec(insert + "(2, 'C2', 50, 'second')"), "");
    EXPECT_NE(db.exec(insert + "(1, 'C9', 1, '')"), "");  // the key's unique index holds

    // a statement that does not fit is not written
    char tiny[12] = "unchanged";
    size_t viewLength = X_CTD_BuildCreateView(orders, caps, dbms, 0, tiny, sizeof tiny);
    EXPECT_GT(viewLength, sizeof tiny);
    EXPECT_STREQ(tiny, "");
    EXPECT_EQ(X_CTD_BuildCreateView(orders, caps, dbms, 0, out.data(), out.size()), viewLength);
    ASSERT_EQ(db.exec(out.data()), "") << out.data();
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM \"LIB_BIGORD\""), 1);

    // no collection commands, no identity statement, no primary-key statements on SQLite
    char create[200] = "x", grantCollection[200] = "x", grantTable[200] = "x";
    EXPECT_EQ(X_CTD_BuildCollectionCommands(orders, caps, dbms, create, grantCollection, grantTable, 200), 1);
    EXPECT_STREQ(create, "");
    EXPECT_STREQ(grantCollection, "");
    EXPECT_STREQ(grantTable, "");
    EXPECT_EQ(X_CTD_BuildIdentityColumnStatement(orders, caps, dbms, out.data(), out.size()), 0u);
    uint16_t count = 7;
    EXPECT_EQ(X_CTD_BuildPrimaryKeyStatements(orders, caps, dbms, nullptr, 1, 1, &count, out.data(), out.size()), 0u);
    EXPECT_EQ(count, 0);

    // Save the rows, drop view, indexes and table, create the changed table and refill it.
    ASSERT_GT(X_CTD_BuildTableCopy(orders, caps, dbms, "SAV", out.data(), out.size()), 0u);
    ASSERT_EQ(db.exec(out.data()), "") << out.data();
    EXPECT_EQ(X_CTD_DropViewStatement(orders, caps, dbms, 0, out.data(), out.size()), 22u);
    EXPECT_STREQ(out.data(), "DROP VIEW \"LIB_BIGORD\"");
    ASSERT_EQ(db.exec(out.data()), "");
    for (uint16_t i = 0; i < 2; ++i) {
        // SQLite drops indexes with their table: only an explicit request builds the statement
        EXPECT_EQ(X_CTD_DropIndexStatement(orders, caps, dbms, i, out.data(), out.size(), 0), 0u);
        ASSERT_GT(X_CTD_DropIndexStatement(orders, caps, dbms, i, out.data(), out.size(), 1), 0u);
        ASSERT_EQ(db.exec(out.data()), "") << out.data();
    }
    X_CTD_DropPrefixedTableStatement(orders, caps, dbms, nullptr, out.data(), out.size());
    EXPECT_STREQ(out.data(), "DROP TABLE \"LIB_ORDERS\"");
    ASSERT_EQ(db.exec(out.data()), "");

    X_CTD_TABLE_DEFINITION* changed = nullptr;
    X_CTD_ReadDefinition(dir.file("changed.ctd", changedOrders()).c_str(), &changed, 1, 1, caps, "SQLITE");
    ASSERT_NE(changed, nullptr);
    ASSERT_GT(X_CTD_BuildCreateTable(changed, caps, dbms, out.data(), out.size()), 0u);
    ASSERT_EQ(db.exec(out.data()), "") << out.data();
    ASSERT_GT(X_CTD_BuildInsertFromCopy(changed, orders, caps, dbms, "SAV", out.data(), out.size()), 0u);
    ASSERT_EQ(db.exec(out.data()), "") << out.data();
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM \"LIB_ORDERS\" WHERE \"NOTE\" = 'first' AND \"AMOUNT\" = 150.25"), 1);
    EXPECT_EQ(db.number("SELECT COUNT(*) FROM \"LIB_ORDERS\""), 2);
    // an old definition with fewer columns than the new one builds nothing
    X_CTD_TABLE_DEFINITION* narrow = nullptr;
    X_CTD_CreateTableDefinition(&narrow, "ORDERS_I", "ORDERS", "", "LIB", 0, 0, "", "", "", "", nullptr, "", "LIB", 'Y',
                                ' ', '@');
    X_CTD_AddColumn(narrow, "ORDNO", "", 'D', 9, 0, 1, 0, "ORDNO", 0, ' ', 0);
    std::strcpy(out.data(), "x");
    EXPECT_EQ(X_CTD_BuildInsertFromCopy(changed, narrow, caps, dbms, "SAV", out.data(), out.size()), 0u);
    EXPECT_STREQ(out.data(), "");
    X_CTD_FreeTableDefinition(&narrow);
    EXPECT_EQ(X_CTD_DropPrefixedTableStatement(orders, caps, dbms, "SAV", out.data(), out.size()), 27u);
    EXPECT_STREQ(out.data(), "DROP TABLE \"LIB_ORDERS_SAV\"");
    ASSERT_EQ(db.exec(out.data()), "");

    // The definition written out and read back writes the same text again.
    const std::string first = (dir.path() / "first.ctd").string(), second = (dir.path() / "second.ctd").string();
    X_CTD_WriteDefinition(first.c_str(), orders);
    X_CTD_TABLE_DEFINITION* back = nullptr;
    X_CTD_ReadDefinition(first.c_str(), &back, 1, 1, caps, "SQLITE");
    X_CTD_WriteDefinition(second.c_str(), back);
    EXPECT_EQ(readFile(second), readFile(first));
    EXPECT_NE(readFile(first).find("  TABLE=ORDERS\r\n"), std::string::npos);
    // read without its views and indexes, the definition has none to build
    X_CTD_ReadDefinition(first.c_str(), &back, 0, 0, caps, "SQLITE");
    EXPECT_EQ(X_CTD_BuildCreateView(back, caps, dbms, 0, out.data(), out.size()), 0u);

    X_CTD_FreeTableDefinition(&back);
    X_CTD_FreeTableDefinition(&changed);
    X_CTD_FreeTableDefinition(&orders);
    EXPECT_EQ(orders, nullptr);
    // a missing record builds nothing
    EXPECT_EQ(X_CTD_BuildCreateTable(nullptr, caps, dbms, out.data(), out.size()), 0u);
    EXPECT_STREQ(out.data(), "");
}

TEST(ExportedTableDefinition, RecordBuiltByHandOnOracle)
{
    useDbms("ORACLE");
    const X_CTD_CAPABILITY_TABLE* caps = SMISC_sGetDBMSTypes();
    const X_CTD_DBMS_INFO* dbms = SSQL_pGetDBMSInfo();
    X_CTD_TABLE_DEFINITION* r = nullptr;
    const char encrypted = 'N';
    X_CTD_CreateTableDefinition(&r, "ORDERS_I", "ORDERS", "Orders", "LIB", 0, 0, "", "", "", "", &encrypted, "", "LIB",
                                'Y', ' ', '@');
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(X_CTD_AddColumn(r, "ORDNO", "Order number", 'D', 9, 0, 1, 0, "ORDNO", 0, ' ', 0), 0);
    EXPECT_EQ(X_CTD_AddColumn(r, "TOTAL", "Total", 'D', 40, 2, 0, 0, "TOTAL", 0, ' ', 0), 0);
    EXPECT_EQ(X_CTD_AddColumn(r, "X_RRNO", "", 'I', 0, 0, 0, 1, "X_RRNO", 0, ' ', 7), 7);
    X_CTD_AddPrimaryKeyColumn(r, "ORDERS_PK", "ORDNO");
    EXPECT_EQ(X_CTD_AddAppendClause(r, "ORACLE", " TABLESPACE USERS"), 1);
    X_CTD_AddIndex(r, "BYTOTAL", 1);
    X_CTD_AddKeyToLastIndex(r, "TOTAL", 1);
    EXPECT_EQ(X_CTD_AddIndexAppendClause(r, "BYTOTAL", "ORACLE", " TABLESPACE IDX"), 1);
    EXPECT_EQ(X_CTD_AddIndexAppendClause(r, "NOSUCH", "ORACLE", " X"), 0);
    X_CTD_AddIndex(r, "DROPPED", 0);
    X_CTD_RemoveLastIndex(r);
    X_CTD_AddView(r, "BIG", "BIG_I", "SELECT \"ORDNO\" FROM \"LIB\".\"ORDERS\"", "");

    std::vector<char> out(kOut);
    ASSERT_GT(X_CTD_BuildCreateTable(r, caps, dbms, out.data(), out.size()), 0u);
    const std::string create = out.data();
    EXPECT_EQ(create.rfind("CREATE TABLE \"LIB\".\"ORDERS\" (", 0), 0u) << create;
    EXPECT_NE(create.find(" TABLESPACE USERS"), std::string::npos) << create;
    // TOTAL's 40 digits are beyond Oracle's 38: a warning, and the column is cut to 38
    EXPECT_NE(create.find("\"TOTAL\" NUMBER(38,2)"), std::string::npos) << create;
    uint16_t info = 0, warnings = 0, fatal = 0;
    X_CTD_CountMessages(r, &info, &warnings, &fatal);
    EXPECT_EQ(warnings, 1);
    EXPECT_EQ(fatal, 0);
    char text[300] = "x";
    X_CTD_NextMessage(r, text, sizeof text, 'Y', 'Y');  // no fatal message
    EXPECT_STREQ(text, "");
    X_CTD_NextMessage(r, text, sizeof text, 'Y', 'N');
    EXPECT_EQ(std::string(text).rfind("(0393)", 0), 0u) << text;

    char table[40] = "", collection[5] = "";
    EXPECT_EQ(X_CTD_AppendSplitName(r, dbms, table, sizeof table, collection, sizeof collection), 0);
    EXPECT_STREQ(table, "\"ORDERS\"");
    EXPECT_STREQ(collection, "");  // "LIB" and its delimiters need 6 bytes
    char wide[6] = "";
    table[0] = '\0';
    EXPECT_EQ(X_CTD_AppendSplitName(r, dbms, table, sizeof table, wide, sizeof wide), 1);
    EXPECT_STREQ(wide, "\"LIB\"");

    // only the index added last was removed
    ASSERT_GT(X_CTD_BuildCreateIndex(r, caps, dbms, 0, out.data(), out.size()), 0u);
    EXPECT_NE(std::string(out.data()).find("\"TOTAL\" DESC"), std::string::npos) << out.data();
    EXPECT_NE(std::string(out.data()).find(" TABLESPACE IDX"), std::string::npos) << out.data();
    // CREATE TABLE added the record-number indexes (CREATE_RRNO_INDEXES=Y, X_RRNO the last column): the
    // unique index's keys and X_RRNO as "BYTOTALR", the primary key's and X_RRNO as "ORDERS_PR"
    ASSERT_GT(X_CTD_BuildCreateIndex(r, caps, dbms, 1, out.data(), out.size()), 0u);
    EXPECT_STREQ(out.data(), "CREATE INDEX \"LIB\".\"BYTOTALR\" ON \"LIB\".\"ORDERS\" ( \"TOTAL\" DESC, \"X_RRNO\")");
    ASSERT_GT(X_CTD_BuildCreateIndex(r, caps, dbms, 2, out.data(), out.size()), 0u);
    EXPECT_STREQ(out.data(), "CREATE INDEX \"LIB\".\"ORDERS_PR\" ON \"LIB\".\"ORDERS\" ( \"ORDNO\", \"X_RRNO\")");
    EXPECT_EQ(X_CTD_BuildCreateIndex(r, caps, dbms, 3, out.data(), out.size()), 0u);

    uint16_t count = 0;
    size_t keys = X_CTD_BuildPrimaryKeyStatements(r, caps, dbms, nullptr, 1, 1, &count, out.data(), out.size());
    ASSERT_EQ(count, 2);
    // two statements, each closed by its NUL
    const std::string dropKey(out.data());
    const std::string addKey(out.data() + dropKey.size() + 1);
    EXPECT_EQ(dropKey.size() + 1 + addKey.size(), keys);
    EXPECT_EQ(dropKey, "ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY CASCADE");
    EXPECT_EQ(addKey, "ALTER TABLE \"LIB\".\"ORDERS\" ADD PRIMARY KEY (\"ORDNO\")");

    // The record-number block: T the qualified table, B the internal name and the column.
    const std::string t = "\"LIB\".\"ORDERS\"";
    size_t block = X_CTD_BuildOracleRrnoBlock(r, nullptr, dbms, out.data(), out.size());
    const std::string rrno = out.data();
    EXPECT_EQ(rrno.size(), block);
    EXPECT_EQ(rrno.rfind("DECLARE CursorId INTEGER;ret INTEGER;MaxRRNO  NUMERIC;NextSeq  NUMERIC;BEGIN /* Set each "
                         "column to a unique value */UPDATE " +
                             t +
                             " SET \"X_RRNO\"=ROWNUM;/* Determine the maximum value assigned to use in Sequence "
                             "*/SELECT MAX(\"X_RRNO\") INTO MaxRRNO  FROM " +
                             t + ";IF MaxRRNO IS NULL",
                         0),
              0u)
        << rrno;
    EXPECT_NE(rrno.find("'CREATE SEQUENCE \"LIB\".\"ORDERS_IX_RRNO_SEQ\" START WITH ' || NextSeq"), std::string::npos);
    EXPECT_NE(rrno.find("'CREATE OR REPLACE TRIGGER \"LIB\".\"ORDERS_IX_RRNO_TRG\" BEFORE INSERT ON " + t +
                        " FOR EACH ROW BEGIN SELECT \"ORDERS_IX_RRNO_SEQ\".NEXTVAL INTO :new.\"X_RRNO\" FROM DUAL;"),
              std::string::npos);
    const std::string end = "WHEN OTHERS THEN DBMS_SQL.CLOSE_CURSOR(CursorId ); RAISE;END;";
    ASSERT_GT(rrno.size(), end.size());
    EXPECT_EQ(rrno.substr(rrno.size() - end.size()), end);

    // Another product leaves the caller's buffer as it was.
    useDbms("SQLITE");
    std::strcpy(out.data(), "kept");
    EXPECT_EQ(X_CTD_BuildOracleRrnoBlock(r, nullptr, SSQL_pGetDBMSInfo(), out.data(), out.size()), 0u);
    EXPECT_STREQ(out.data(), "kept");
    X_CTD_FreeTableDefinition(&r);
}

TEST(ExportedExportFile, RecordsWrittenCompressedAndReadBack)
{
    TempDir dir;
    const std::string path = (dir.path() / "orders.exp").string();
    X_CTD_EXPORT_FILE* out = nullptr;
    ASSERT_EQ(X_CTD_OpenExportFile(path.c_str(), &out, 3), 1);
    uint16_t* code = nullptr;
    uint16_t* fieldCount = nullptr;
    X_CTD_EXPORT_FIELD* fields = X_CTD_ExportRecord(out, &code, &fieldCount);
    ASSERT_NE(fields, nullptr);
    *code = 17;
    *fieldCount = 2;
    fields[0].length = 6;
    std::memcpy(fields[0].data, "ORDERS", 6);
    fields[1].length = 500;
    std::memset(fields[1].data, ' ', 500);  // a run that compresses
    ASSERT_EQ(X_CTD_WriteExportRecord(out), 0);
    *code = 18;
    *fieldCount = 1;
    fields[0].length = 3;
    std::memcpy(fields[0].data, "LIB", 3);
    ASSERT_EQ(X_CTD_WriteExportRecord(out), 0);
    ASSERT_EQ(X_CTD_CloseExportFile(&out), 1);
    EXPECT_EQ(out, nullptr);
    const std::string file = readFile(path);
    EXPECT_EQ(file.substr(0, 26), "VELMORK731EXPORTFILE=COMP=");
    EXPECT_LT(file.size(), 100u);  // the 500 blanks are one repeat item

    X_CTD_EXPORT_FILE* in = nullptr;
    ASSERT_EQ(X_CTD_OpenExportFile(path.c_str(), &in, 1), 1);
    fields = X_CTD_ExportRecord(in, &code, &fieldCount);
    ASSERT_EQ(X_CTD_ReadExportRecord(in), 0);
    EXPECT_EQ(*code, 17);
    ASSERT_EQ(*fieldCount, 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fields[0].data), fields[0].length), "ORDERS");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fields[1].data), fields[1].length), std::string(500, ' '));
    ASSERT_EQ(X_CTD_ReadExportRecord(in), 0);
    EXPECT_EQ(*code, 18);
    ASSERT_EQ(*fieldCount, 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fields[0].data), fields[0].length), "LIB");
    ASSERT_EQ(X_CTD_ReadExportRecord(in), 0);  // the end record the close wrote
    EXPECT_EQ(*code, 999);
    EXPECT_EQ(*fieldCount, 0);
    EXPECT_EQ(X_CTD_ReadExportRecord(in), 1);  // end of file
    EXPECT_EQ(X_CTD_CloseExportFile(&in), 1);

    // A file with another header is refused; the handle is released by the close all the same.
    X_CTD_EXPORT_FILE* wrong = nullptr;
    EXPECT_EQ(X_CTD_OpenExportFile(dir.file("wrong.exp", "VELMORK731EXPORTFILE=ZZZZ=xxxx").c_str(), &wrong, 1), 0);
    X_CTD_CloseExportFile(&wrong);
    EXPECT_EQ(wrong, nullptr);
    EXPECT_EQ(X_CTD_CloseExportFile(&wrong), 1);  // a null handle
    EXPECT_EQ(X_CTD_ReadExportRecord(nullptr), 2);
    EXPECT_EQ(X_CTD_ExportRecord(nullptr, &code, &fieldCount), nullptr);
}

// A C program of the environment's table tools compiles against the header.
TEST(ExportedHeader, CompilesAsC)
{
    TempDir dir;
    const std::string program = dir.file("tool.c", R"(#include "dqov/tables/dqov_tables.h"
#include <stdio.h>

int main(int argc, char** argv)
{
    X_CTD_CAPABILITY_TABLE* caps = NULL;
    X_CTD_TABLE_DEFINITION* record = NULL;
    X_CTD_EXPORT_FILE* file = NULL;
    uint16_t* code = NULL;
    uint16_t* count = NULL;
    X_CTD_EXPORT_FIELD* fields;
    char error[256], statement[4096], text[300];
    uint16_t info, warnings, fatal;
    if (argc < 3 || X_CTD_Load_Capabilities(argv[1], &caps, error, sizeof error) != 0)
        return 1;
    X_CTD_ReadDefinition(argv[2], &record, 1, 1, caps, "SQLITE");
    if (X_CTD_BuildCreateTable(record, SMISC_sGetDBMSTypes(), SSQL_pGetDBMSInfo(), statement, sizeof statement) <
        sizeof statement)
        puts(statement);
    X_CTD_CountMessages(record, &info, &warnings, &fatal);
    X_CTD_NextMessage(record, text, sizeof text, 'Y', 'N');
    if (X_CTD_OpenExportFile("out.exp", &file, 2)) {
        fields = X_CTD_ExportRecord(file, &code, &count);
        *code = 1;
        *count = 1;
        fields[0].length = 0;
        X_CTD_WriteExportRecord(file);
    }
    X_CTD_CloseExportFile(&file);
    X_CTD_FreeTableDefinition(&record);
    X_CTD_FreeCapabilities(&caps);
    return QV_Remove_Function_Objects("C", "DEM", "FN00001") != 0;
}
)");
    const std::string command = "gcc -x c -std=c99 -pedantic -Wall -Wextra -Werror -fsyntax-only -I '" +
                                std::string(DQOV_SOURCE_DIR) + "/include' '" + program + "'";
    const testsupport::CommandResult ran = testsupport::runCommand(command, testsupport::Errors::WithOutput);
    EXPECT_EQ(ran.status, 0) << ran.out;
    EXPECT_EQ(ran.out, "");
}
