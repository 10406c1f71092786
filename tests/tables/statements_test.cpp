// Statement texts of the table-definition generator, compared with texts
// derived by hand from the naming, type and statement rules.
#include "support.h"

#include <gtest/gtest.h>

using namespace ctdtest;

namespace {

X_CTD_TABLE_DEFINITION_PTR oneColumn(char type, uint32_t length, uint32_t decimals = 0, uint16_t alloc = 0)
{
    auto r = newTable("T", "LIB");
    X_CTD_AddColumn(*r, "NAME", "", type, length, decimals, 0, 0, "NAME_I", 0, 0, alloc);
    return r;
}

// Definition form of column 0 on a DBMS of the keys, with its product code.
std::string definition(const Env& env, X_CTD_TABLE_DEFINITION& r, std::string* literal = nullptr, int16_t product = -2)
{
    std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
    X_CTD_SetDefaultCapabilities(r, s, env.caps.get(), env.dbms);
    std::string out;
    if (product == -2)
        product = X_CTD_ProductCode(env.caps.get(), env.dbms.name);
    X_CTD_AppendColumnDefinition(r, env.dbms, *s, out, product, "T", 0, 1, literal, nullptr);
    return out;
}

}  // namespace

TEST(QualifiedNames, CollectionRules)
{
    Env emulated("E", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=Y\n");
    auto r = newTable("DC_W31", "QV_DTA");
    auto name = [&](int32_t useCollections) {
        std::string out;
        X_CTD_AppendQualifiedName(emulated.dbms, *r, out, useCollections);
        return out;
    };
    EXPECT_EQ(name(0), "\"DC_W31\"");
    r->table = "ORDERS";
    EXPECT_EQ(name(0), "\"QV_DTA_ORDERS\"");
    r->otherDatabase = 1;
    EXPECT_EQ(name(0), "\"QV_DTA\".\"ORDERS\"");
    r->collection.clear();
    EXPECT_EQ(name(1), "\"ORDERS\"");

    Env plain("P", "");
    auto t = newTable("ORDERS", "LIB");
    std::string expanded;
    X_CTD_ExpandTemplate(*t, plain.dbms, "GRANT ALL ON >C<.>T< TO PUBLIC >x<", expanded);
    EXPECT_EQ(expanded, "GRANT ALL ON LIB.LIB.ORDERS TO PUBLIC >x<");
    std::string text = "a.b 'c.d' e.f";
    X_CTD_ReplaceOutsideQuotes(text, '.', '_');
    EXPECT_EQ(text, "a_b 'c.d' e_f");

    X_CTD_AddColumn(*t, "A", "", 'H', 1, 0, 0, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*t, "B", "", 'H', 1, 0, 0, 0, "B", 1, 0, 0);
    std::string list = "SELECT A, B, C FROM";
    X_CTD_RemoveNativeColumns(*t, list, 0, '"');
    EXPECT_EQ(list, "SELECT A   , C FROM");
    X_CTD_DBMS_INFO native = plain.dbms;
    native.ignoreNativeSupport = 0;
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &native, "B"), 0);
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &plain.dbms, "B"), 1);
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &plain.dbms, "Z"), 0);
}

// The split form: the delimited collection apart, the rest as the qualified
// form writes it; both outputs are appended to.
TEST(QualifiedNames, SplitNameKeepsTheCollectionApart)
{
    Env supported("S", "SUPPORTS_COLLECTIONS=Y\n");
    Env emulated("E", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=Y\n");
    Env neither("N", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\n");
    auto split = [](const Env& env, const X_CTD_TABLE_DEFINITION& r) {
        std::string table = "T:", collection = "C:";
        X_CTD_AppendSplitName(r, env.dbms, table, collection);
        return collection + " " + table;
    };
    auto orders = newTable("ORDERS", "LIB");
    EXPECT_EQ(split(supported, *orders), "C:\"LIB\" T:\"ORDERS\"");
    EXPECT_EQ(split(emulated, *orders), "C: T:\"LIB_ORDERS\"");
    EXPECT_EQ(split(neither, *orders), "C: T:\"ORDERS\"");
    orders->otherDatabase = 1;
    EXPECT_EQ(split(emulated, *orders), "C:\"LIB\" T:\"ORDERS\"") << "another database's table is qualified";
    orders->collection.clear();
    EXPECT_EQ(split(supported, *orders), "C: T:\"ORDERS\"") << "an empty collection is left out";

    auto repository = newTable("QV_F23", "QV_DTA");
    EXPECT_EQ(split(emulated, *repository), "C: T:\"QV_F23\"");
    repository->table = "DC_W32";
    EXPECT_EQ(split(emulated, *repository), "C: T:\"DC_W32\"");
    repository->table = "CUST";
    EXPECT_EQ(split(emulated, *repository), "C: T:\"QV_DTA_CUST\"");

    // Joined with a period, the two pieces are the qualified name.
    auto lib = newTable("ORDERS", "LIB");
    std::string table, collection, qualified;
    X_CTD_AppendSplitName(*lib, supported.dbms, table, collection);
    X_CTD_AppendQualifiedName(supported.dbms, *lib, qualified, supported.dbms.collectionsSupported);
    EXPECT_EQ(collection + "." + table, qualified);
}

namespace {

// The texts of the single-quoted literals of PL/SQL text, with doubled
// apostrophes read as one, passing over double-quoted identifiers;
// "unbalanced" when a literal does not end.
std::vector<std::string> literals(const std::string& text)
{
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            i = text.find('"', i + 1);
            if (i == std::string::npos)
                return {"unbalanced"};
            continue;
        }
        if (text[i] != '\'')
            continue;
        std::string value;
        for (++i;; ++i) {
            if (i >= text.size())
                return {"unbalanced"};
            if (text[i] == '\'' && i + 1 < text.size() && text[i + 1] == '\'')
                value += text[i++];
            else if (text[i] == '\'')
                break;
            else
                value += text[i];
        }
        out.push_back(value);
    }
    return out;
}

}  // namespace

TEST(OracleRecordNumbers, BlockWithApostrophesInNames)
{
    Env oracle("ORA", "DATABASE_PRODUCT=ORACLE\n");
    auto r = newTable("ORDERS", "L'X");
    r->internalName = "ORD_";
    X_CTD_AddColumn(*r, "A", "", 'H', 1, 0, 0, 0, "A", 0, 0, 0);
    std::string out = "untouched";
    X_CTD_BuildOracleRrnoBlock(*r, nullptr, oracle.dbms, out);
    EXPECT_EQ(out, "untouched");  // no AUTO column
    X_CTD_AddColumn(*r, "X_RRNO", "", 'I', 0, 0, 0, 1, "X_RRNO", 0, 0, 0);
    Env other("O", "DATABASE_PRODUCT=MYSQL\n");
    X_CTD_BuildOracleRrnoBlock(*r, nullptr, other.dbms, out);
    EXPECT_EQ(out, "untouched");
    X_CTD_BuildOracleRrnoBlock(*r, nullptr, oracle.dbms, out);
    EXPECT_EQ(out.rfind("DECLARE CursorId INTEGER;ret INTEGER;MaxRRNO  NUMERIC;NextSeq  NUMERIC;BEGIN /* Set each "
                        "column to a unique value */UPDATE \"L'X\".\"ORDERS\" SET \"X_RRNO\"=ROWNUM;",
                        0),
              0u);
    EXPECT_EQ(literals(out),
              (std::vector<std::string>{"CREATE SEQUENCE \"L'X\".\"ORD_X_RRNO_SEQ\" START WITH ",
                                        "CREATE OR REPLACE TRIGGER \"L'X\".\"ORD_X_RRNO_TRG\" BEFORE INSERT ON "
                                        "\"L'X\".\"ORDERS\" FOR EACH ROW BEGIN SELECT \"ORD_X_RRNO_SEQ\".NEXTVAL INTO "
                                        ":new.\"X_RRNO\" FROM DUAL;END;"}));
    EXPECT_EQ(out.substr(out.size() - 44), "DBMS_SQL.CLOSE_CURSOR(CursorId ); RAISE;END;");
    EXPECT_EQ(X_CTD_IsRrnoColumn("X_RRNO", 'Z') + X_CTD_IsRrnoColumn("ZZRRNO", 'Z'), 2);
    EXPECT_EQ(X_CTD_IsRrnoColumn("ZRRNO", 'Z') + X_CTD_IsRrnoColumn("ZZRRNOX", 'Z'), 0);
}

TEST(PrimaryKeyStatements, ProductForms)
{
    auto r = newTable("ORDERS", "LIB");
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "ID");
    auto build = [&](const Env& env, const char* name, int drop, int add) {
        uint16_t count = 9;
        std::string out;
        X_CTD_BuildPrimaryKeyStatements(*r, env.caps.get(), env.dbms, name, drop, add, count, out);
        auto parts = X_CTD_SplitStatements(out);
        EXPECT_EQ(count, parts.size());
        return parts;
    };
    using V = std::vector<std::string>;
    Env oracle("ORA", "DATABASE_PRODUCT=ORACLE\n");
    EXPECT_EQ(build(oracle, nullptr, 1, 1), (V{"ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY CASCADE",
                                               "ALTER TABLE \"LIB\".\"ORDERS\" ADD PRIMARY KEY (\"ID\")"}));
    EXPECT_EQ(build(Env("N", "SUPPORTS_PRIMARY_KEY=N\n"), nullptr, 1, 1), V{});
    // One constraint name serves CREATE TABLE, the drop and the add.
    Env sqlserver("MSSQLS", "DATABASE_PRODUCT=SQLSERVER\nSUPPORTS_COLLECTIONS=N\n");
    EXPECT_EQ(build(sqlserver, nullptr, 1, 1),
              (V{"ALTER TABLE \"ORDERS\" DROP CONSTRAINT \"PK_ORDERS\"",
                 "ALTER TABLE \"ORDERS\" ADD CONSTRAINT \"PK_ORDERS\" PRIMARY KEY (\"ID\")"}));
    EXPECT_EQ(build(sqlserver, "OLDKEY", 1, 0), V{"ALTER TABLE \"ORDERS\" DROP CONSTRAINT \"OLDKEY\""});
    Env named("PG", "NAMED_PRIMARY_KEY=Y\n");
    EXPECT_EQ(build(named, nullptr, 1, 0), V{"ALTER TABLE \"LIB\".\"ORDERS\" DROP CONSTRAINT \"PK_ORDERS\""});
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "B");
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "C");
    EXPECT_EQ(build(Env("M", ""), nullptr, 0, 1),
              V{"ALTER TABLE \"LIB\".\"ORDERS\" ADD PRIMARY KEY (\"ID\",\"B\",\"C\")"});
}

namespace {

struct TypeCase {
    const char* keys;
    char type;
    uint32_t length, decimals;
    const char* text;  // the column's definition after "\"NAME\" "
    std::vector<int> messages;
};

}  // namespace

TEST(ColumnTypes, TextsAndSubstitutions)
{
    const char* c254 = "TYPE_CHAR_MAX_DIGITS=254\nTYPE_VARCHAR_MAX_DIGITS=254\n";
    const TypeCase cases[] = {
        {c254, 'H', 10, 0, "CHAR(10)", {}},
        {c254, 'H', 254, 0, "CHAR(254)", {}},  // exactly at the maximum
        {"TYPE_CHAR_MAX_DIGITS=254\nTYPE_VARCHAR_MAX_DIGITS=4000\n", 'H', 255, 0, "VARCHAR(255)", {909}},
        {c254, 'A', 60, 0, "VARCHAR(60)", {}},
        {c254, 'A', 50, 0, "CHAR(50)", {}},
        {"CREATE_ALPHA_AS_FIXED=Y\nTYPE_CHAR_MAX_DIGITS=254\n", 'A', 60, 0, "CHAR(60)", {}},
        {"", 'H', 10, 0, "LONGVARCHAR", {909, 909, 393}},  // no CHAR or VARCHAR limit
        {"SUPPORTS_TYPE_VARCHAR=N\n", '1', 20, 0, "", {390}},
        {"TYPE_VARCHAR_MAX_DIGITS=254\n", '1', 20, 0, "VARCHAR(20)", {}},
        {"SUPPORTS_TYPE_DECIMAL=N\nTYPE_INTEGER_MAX_DIGITS=10\n", 'D', 9, 0, "INTEGER", {392}},
        {"SUPPORTS_TYPE_DECIMAL=N\nTYPE_INTEGER_MAX_DIGITS=10\n", 'D', 11, 0, "DECIMAL", {392}},  // BIGINT
        {"TYPE_DECIMAL_MAX_DIGITS=31\nTYPE_DECIMAL_MAX_DECIMALS=31\n", 'D', 40, 2, "DECIMAL(31,2)", {393}},
        {"TYPE_DECIMAL_MAX_DIGITS=31\nTYPE_DECIMAL_MAX_DECIMALS=5\n", 'N', 11, 2, "DECIMAL(11,2)", {}},
        {"TYPE_DECIMAL_MAX_DIGITS=31\n", 'N', 31, 31, "DECIMAL(31,31)", {}},
        {"", 'N', 11, 2, "DECIMAL(11,2)", {}},  // no limit known: the precision stays
        {"", 'Q', 0, 0, "TINYINT", {}},
        {"SUPPORTS_TYPE_TINYINT=N\n", 'Q', 0, 0, "SMALLINT", {392}},
        {"SUPPORTS_TYPE_DATE=N\n", 'E', 0, 0, "TIMESTAMP", {392}},
        {"TYPE_DATETIME_APPEND=>D<\nTYPE_DATETIME_MAX_DIGITS=26\nTYPE_DATETIME_MAX_DECIMALS=6\n",
         'Z',
         26,
         6,
         "TIMESTAMP(6) ",
         {}},
        {"TYPE_DATETIME_APPEND=X\nTYPE_DATETIME_MAX_DIGITS=26\nTYPE_DATETIME_MAX_DECIMALS=6\n",
         'Z',
         26,
         6,
         "TIMESTAMP",
         {}},
        {"TYPE_DATETIME_APPEND=>D<\n", 'Z', 26, 6, "TIMESTAMP(6) ", {393}},
        {"TYPE_BINARY_APPEND=FOR BIT DATA\n", 'B', 255, 0, "BINARY(255) FOR BIT DATA", {}},
        {"TYPE_BINARY_APPEND=FOR BIT DATA\n", 'B', 256, 0, "BINARY", {909, 909, 393}},
        {"TYPE_LONGVARCHAR_REQUIRES_LEN=Y\nTYPE_LONGVARCHAR_DEFAULT_LEN=1M\n", '3', 0, 0, "LONGVARCHAR(1M)", {}},
        {"SUPPORTS_TYPE_CHAR=Y\nSUPPORTS_TYPE_VARCHAR=Y\nTYPE_UCHAR_MAX_DIGITS=4\nTYPE_UVARCHAR_MAX_DIGITS=100\n",
         'C',
         5,
         0,
         "NVARCHAR(5)",
         {909}},
        {"", 'Y', 1, 0, "UNKNOWN", {}},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(std::string(c.keys) + " type " + c.type + " " + std::to_string(c.length));
        auto r = oneColumn(c.type, c.length, c.decimals);
        EXPECT_EQ(definition(Env("D", c.keys), *r), std::string("\"NAME\" ") + c.text);
        EXPECT_EQ(numbers(*r), c.messages);
    }
    // A type whose native name is empty cannot be written: a fatal message.
    Env empty("X", "");
    empty.caps->entries[0].capabilities.push_back({"TYPE_SMALLINT_NAME", 0, 0, ""});
    auto r = oneColumn('S', 0);
    EXPECT_EQ(definition(empty, *r), "\"NAME\" ");
    EXPECT_EQ(messages(*r), std::vector<std::string>{"(0390) FATAL - Table T uses type SMALLINT in its definition, "
                                                     "but the current DBMS is indicated as not supporting this type."});
}

TEST(ColumnTypes, NameFormsLiteralsAndChains)
{
    Env env("D", "TYPE_CHAR_MAX_DIGITS=254\n");
    auto r = oneColumn('H', 10);
    r->columns[0].name = "NAME   ";
    std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
    X_CTD_SetDefaultCapabilities(*r, s, env.caps.get(), env.dbms);
    std::string out;
    X_CTD_AppendColumnDefinition(*r, env.dbms, *s, out, 6, "T", 0, 0, nullptr, nullptr);
    EXPECT_EQ(out, "\"NAME\" ");
    EXPECT_EQ(r->columns[0].name, "NAME");
    std::string literal;
    definition(env, *r, &literal);
    EXPECT_EQ(literal, "''");
    definition(env, *r, &literal, X_CTD_ORACLE);
    EXPECT_EQ(literal, "' '");

    // The longest chain: ALPHA, CHAR, BINARY, VARBINARY, LONGVARBINARY.
    Env chain("CH", "CREATE_ALPHA_AS_FIXED=Y\nSUPPORTS_TYPE_VARBINARY=N\nIGNORE_CHAR_TO_BINARY=N\n");
    auto w = oneColumn('A', 300);
    w->charToBinary = 1;
    EXPECT_EQ(definition(chain, *w, &literal, X_CTD_ORACLE), "\"NAME\" BINARY");
    EXPECT_EQ(w->columns[0].type, '4');
    EXPECT_EQ(numbers(*w), (std::vector<int>{909, 392, 393}));
    EXPECT_EQ(literal, "'0'");

    Env access("ACC", "DATABASE_PRODUCT=MSACCESS\n");
    auto autoColumn = oneColumn('I', 0);
    autoColumn->columns[0].autoFlag = 1;
    EXPECT_EQ(definition(access, *autoColumn), "\"NAME\" ");
    EXPECT_TRUE(messages(*autoColumn).empty());
}

TEST(ColumnTypes, AlterColumnStatements)
{
    const std::string keys = "TYPE_CHAR_MAX_DIGITS=254\nSUPPORTS_COLLECTIONS=N\n";
    auto build = [](const Env& env, bool isNew, bool notNull, int16_t product, int32_t withType) {
        auto r = oneColumn('H', 10);
        r->columns[0].newColumn = r->columns[0].alter = isNew;
        r->columns[0].notNull = notNull;
        std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
        X_CTD_SetDefaultCapabilities(*r, s, env.caps.get(), env.dbms);
        std::string out;
        X_CTD_BuildAlterColumnStatement(*r, env.caps.get(), env.dbms, *s, product, "T", 0, withType, out);
        return out + " " + testing::PrintToString(numbers(*r));
    };
    Env env("D", keys);
    EXPECT_EQ(build(env, true, false, X_CTD_SQLSERVER, 1),
              "ALTER TABLE \"T\" ADD \"NAME\" CHAR(10) NOT NULL DEFAULT '' {}");
    EXPECT_EQ(build(env, true, false, X_CTD_ORACLE, 1),
              "ALTER TABLE \"T\" ADD  (\"NAME\" CHAR(10) DEFAULT ' ' NOT NULL) {}");
    EXPECT_EQ(build(env, true, false, X_CTD_SQLANYWHERE, 0), "ALTER TABLE \"T\" MODIFY \"NAME\"  NOT NULL  {}");
    EXPECT_EQ(build(env, true, false, X_CTD_USERDEFINED, 1), "ALTER TABLE \"T\" ADD \"NAME\" CHAR(10) { -1 }");
    EXPECT_EQ(build(Env("NN", keys + "SUPPORTS_NOT_NULL=N\n"), false, true, X_CTD_SQLSERVER, 1),
              "ALTER TABLE \"T\" ALTER COLUMN \"NAME\" CHAR(10) { 391 }");
    EXPECT_EQ(build(env, false, true, X_CTD_ORACLE, 1), "ALTER TABLE \"T\" MODIFY  (\"NAME\" CHAR(10)) {}");
    EXPECT_EQ(build(Env("Q", "TYPE_CHAR_MAX_DIGITS=254\n"), false, true, X_CTD_MYSQL, 1),
              "ALTER TABLE \"LIB\".\"T\" MODIFY \"NAME\" CHAR(10) NOT NULL {}");

    // The column-add statements give SQL Anywhere its second statement.
    Env anywhere("SA", keys + "DATABASE_PRODUCT=SQLANYWHERE\nSUPPORTS_VELMO_DEFINED_DB=Y\n");
    auto r = oneColumn('H', 10);
    r->columns[0].newColumn = r->columns[0].alter = 1;
    uint16_t count = 0;
    std::string out;
    X_CTD_BuildColumnAddStatements(*r, anywhere.caps.get(), anywhere.dbms, 0, count, out);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(X_CTD_SplitStatements(out),
              (std::vector<std::string>{"ALTER TABLE \"T\" ADD \"NAME\" CHAR(10) DEFAULT '' ",
                                        "ALTER TABLE \"T\" MODIFY \"NAME\"  NOT NULL "}));
}

TEST(DdlBuilders, DropStatements)
{
    auto r = newTable("CUST", "LIB1");
    X_CTD_AddView(*r, "V", "VI", "SELECT A FROM X", "SELECT A FROM X");
    X_CTD_AddIndex(*r, "IDX1", 0);
    auto dropTable = [&](const Env& env, const X_CTD_DBMS_INFO& dbms, const char* suffix = nullptr) {
        std::string out;
        X_CTD_DropPrefixedTableStatement(*r, env.caps.get(), dbms, suffix, out);
        return out;
    };
    Env missing("M", ""), emulated("E", "SUPPORTS_COLLECTIONS=N\n"),
        neither("N", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\n");
    X_CTD_CAPABILITY_TABLE none;
    std::string out;
    X_CTD_DropTableStatement(*r, &none, missing.dbms, out);
    EXPECT_EQ(out, "DROP TABLE \"LIB1\".\"CUST\"");
    EXPECT_EQ(dropTable(emulated, emulated.dbms), "DROP TABLE \"LIB1_CUST\"");
    EXPECT_EQ(dropTable(neither, neither.dbms, "T1"), "DROP TABLE \"CUST_T1\"");
    r->collection = r->dataLibrary = "QV_DTA";
    EXPECT_EQ(dropTable(emulated, emulated.dbms), "DROP TABLE \"QV_DTA_CUST\"");
    r->table = "QV_F03";
    EXPECT_EQ(dropTable(emulated, emulated.dbms), "DROP TABLE \"QV_F03\"");
    r->table = "CUST";
    r->collection = r->dataLibrary = "LIB1";

    X_CTD_DropViewStatement(*r, emulated.caps.get(), emulated.dbms, 0, out);
    EXPECT_EQ(out, "DROP VIEW \"LIB1_V\"");
    // The index forms of the sample sections are checked with them; with
    // `always` 0 an index that goes with its table gets no statement.
    X_CTD_DropIndexStatement(*r, missing.caps.get(), missing.dbms, 0, out, 0);
    EXPECT_EQ(out, "");
    Env kind3("K3", "SUPPORTS_COLLECTIONS=N\nDBMS_KIND=3\n");
    X_CTD_DropIndexStatement(*r, kind3.caps.get(), kind3.dbms, 0, out, 1);
    EXPECT_EQ(out, "DROP INDEX \"CUST\".\"IDX1\"");
}

TEST(DdlBuilders, CreateIndexViewAndCopies)
{
    Env off("OFF", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\nSUPPORTS_DESC_KEYS=N\nDBMS_KIND=2\n"
                   "TYPE_VARCHAR_MAX_DIGITS=254\n");
    auto r = newTable("CUST", "LIB1");
    X_CTD_AddColumn(*r, "A", "", 'H', 5, 0, 0, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*r, "B", "", 'H', 5, 0, 0, 0, "B", 0, 0, 0);
    X_CTD_AddIndex(*r, "IDX1", 1);
    X_CTD_AddKeyToLastIndex(*r, "A", 0);
    X_CTD_AddKeyToLastIndex(*r, "B", 1);
    X_CTD_AddIndex(*r, "IDX2", 0);
    X_CTD_AddKeyToLastIndex(*r, "NOSUCH", 0);
    std::string out;
    X_CTD_BuildCreateIndex(*r, off.caps.get(), off.dbms, 0, out);
    EXPECT_EQ(out, "CREATE UNIQUE INDEX \"IDX1\" ON \"CUST\" ( \"A\", \"B\")");
    EXPECT_EQ(messages(*r).at(0), "(0547) WARNING - Table CUST has an index IDX1 with a descending key, but the "
                                  "current DBMS is indicated as not supporting descending keys. Descending has been "
                                  "ignored.");
    X_CTD_BuildCreateIndex(*r, off.caps.get(), off.dbms, 1, out);
    EXPECT_EQ(out, "");

    X_CTD_AddView(*r, "V", "VI", "SELECT A, B FROM OLDT WHERE A > 1", "");
    X_CTD_BuildCreateView(*r, off.caps.get(), off.dbms, 0, out);
    EXPECT_EQ(out, "CREATE VIEW \"V\" AS SELECT A, B FROM \"CUST\" WHERE A > 1");
    EXPECT_EQ(r->views[0].text, "SELECT A, B FROM OLDT WHERE A > 1");  // the record keeps the whole command

    X_CTD_BuildTableCopy(*r, off.caps.get(), off.dbms, "SAV", &out);
    EXPECT_EQ(out, "CREATE TABLE \"CUST_SAV\" AS SELECT * FROM \"CUST\"");
    X_CTD_DBMS_INFO kind0 = off.dbms;
    kind0.kind = 0;
    X_CTD_BuildTableCopy(*r, off.caps.get(), kind0, "SAV", &out);
    EXPECT_EQ(out, "SELECT * INTO \"CUST_SAV\" FROM \"CUST\"");

    // Refill: A changes to VARCHAR, B to binary on kind 2, C is new.
    auto now = newTable("CUST", "LIB1");
    X_CTD_AddColumn(*now, "A", "", '1', 5, 0, 0, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*now, "B", "", 'B', 5, 0, 0, 0, "B", 0, 0, 0);
    X_CTD_AddColumn(*now, "C", "", 'D', 5, 0, 0, 0, "C", 0, 0, 0);
    X_CTD_BuildInsertFromCopy(*now, *r, off.caps.get(), off.dbms, "SAV", &out);
    EXPECT_EQ(out,
              "INSERT INTO \"CUST\" ( \"A\" ,\"B\" ,\"C\" ) SELECT CAST( \"A\" AS VARCHAR(5) ) ,RAWTOHEX( \"B\"  ) "
              ",NULL  FROM \"CUST_SAV\"");
}

TEST(CreateTable, ProductClausesAndMessages)
{
    auto table = [] {
        auto r = newTable("CUST", "LIB1");
        X_CTD_AddColumn(*r, "A", "", 'I', 0, 0, 0, 1, "A", 0, 0, 0);
        X_CTD_AddColumn(*r, "B", "", 'H', 10, 0, 1, 0, "B", 0, 0, 0);
        return r;
    };
    const std::string keys = "SUPPORTS_VELMO_DEFINED_DB=Y\nTYPE_CHAR_MAX_DIGITS=254\n";
    auto build = [](const Env& env, X_CTD_TABLE_DEFINITION& r) {
        std::string out;
        X_CTD_BuildCreateTable(r, env.caps.get(), env.dbms, out);
        return out;
    };
    auto r = table();
    EXPECT_EQ(build(Env("MSSQLS", keys + "DATABASE_PRODUCT=SQLSERVER\n"), *r),
              "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER IDENTITY,\"B\" CHAR(10) NOT NULL)");
    r = table();
    EXPECT_EQ(build(Env("DB2400", keys + "DATABASE_PRODUCT=DB2400\n"), *r),
              "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER,\"B\" CHAR(10) NOT NULL)");
    EXPECT_TRUE(hasMessage(*r, "UNEXPECTED MESSAGE NUMBER 657"));
    Env mysql("MYSQL", keys + "DATABASE_PRODUCT=MYSQL\n");
    r = table();
    // AUTO_INCREMENT needs a key that the column leads: A gets one of its own
    EXPECT_EQ(build(mysql, *r),
              "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER AUTO_INCREMENT,\"B\" CHAR(10) NOT NULL, KEY(\"A\"))");
    r = table();
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "A");
    EXPECT_EQ(build(mysql, *r), "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER AUTO_INCREMENT,\"B\" CHAR(10) NOT NULL, "
                                "PRIMARY KEY(\"A\"))");
    r = table();
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "B");
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "A");
    EXPECT_EQ(build(mysql, *r), "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER AUTO_INCREMENT,\"B\" CHAR(10) NOT NULL, "
                                "PRIMARY KEY(\"B\",\"A\"), KEY(\"A\"))");
    r = table();
    build(Env("U", "DATABASE_PRODUCT=MYSQL\n"), *r);
    EXPECT_EQ(messages(*r).at(0), "(0910) FATAL - VELMO does not support this operation in databases of type U%.");

    // Other-database table: one ADD per column, the key in an ALTER of its own.
    r = table();
    r->otherDatabase = 1;
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "A");
    EXPECT_EQ(build(mysql, *r),
              "ALTER TABLE \"LIB1\".\"CUST\" ADD \"A\" INTEGER;ALTER TABLE \"LIB1\".\"CUST\" ADD \"B\" "
              "CHAR(10);ALTER TABLE \"LIB1\".\"CUST\" ADD PRIMARY KEY(\"A\")");
    auto empty = newTable("CUST", "LIB1");
    X_CTD_AddPrimaryKeyColumn(*empty, "PK", "A");
    EXPECT_EQ(build(mysql, *empty), "");
    EXPECT_EQ(messages(*empty).at(0), "FATAL - Empty table, CUST, cannot be created.");
}

TEST(CreateTable, PrimaryKeyConversionAndRecordNumberIndexes)
{
    const std::string keys = "SUPPORTS_VELMO_DEFINED_DB=Y\nTYPE_CHAR_MAX_DIGITS=254\nDATABASE_PRODUCT=USERDEFINED\n"
                             "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\n";
    auto orders = [](bool key) {
        auto r = newTable("ORDERS", "LIB");
        X_CTD_AddColumn(*r, "ORDNO", "", 'H', 5, 0, 0, 0, "ORDNO", 0, 0, 0);
        X_CTD_AddColumn(*r, "CUSTNO", "", 'H', 5, 0, 0, 0, "CUSTNO", 0, 0, 0);
        X_CTD_AddColumn(*r, "X_RRNO", "", 'I', 0, 0, 0, 0, "X_RRNO", 0, 0, 0);
        if (key)
            X_CTD_AddPrimaryKeyColumn(*r, "PK", "ORDNO");
        return r;
    };
    std::string out;
    Env convert("C", keys + "SUPPORTS_PRIMARY_KEY=N\nCONVERT_PRIMARY_KEY_TO_INDEX=Y\n");
    auto r = orders(true);
    X_CTD_BuildCreateTable(*r, convert.caps.get(), convert.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"ORDERS\" (\"ORDNO\" CHAR(5),\"CUSTNO\" CHAR(5),\"X_RRNO\" INTEGER)");
    ASSERT_EQ(r->indexes.size(), 1u);
    EXPECT_EQ(r->indexes[0].name + r->indexes[0].keys.at(0).column, "ORDERS_PORDNO");
    EXPECT_EQ(r->indexes[0].unique, 1u);
    EXPECT_EQ(messages(*r).at(0), "(0394) INFORMATION - Current DBMS does not support primary keys, so primary key "
                                  "of table ORDERS will be implemented as a unique index named ORDERS_P.");
    Env refuse("R", keys + "SUPPORTS_PRIMARY_KEY=N\n");
    r = orders(true);
    X_CTD_BuildCreateTable(*r, refuse.caps.get(), refuse.dbms, out);
    EXPECT_EQ(out.find("PRIMARY KEY"), std::string::npos);
    EXPECT_EQ(numbers(*r), std::vector<int>{389});

    Env rrno("RR", keys + "CREATE_RRNO_INDEXES=Y\nNAMED_PRIMARY_KEY=Y\n");
    r = orders(false);
    X_CTD_AddIndex(*r, "IX1", 1);
    X_CTD_AddKeyToLastIndex(*r, "CUSTNO", 0);
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "CUSTNO");
    X_CTD_BuildCreateTable(*r, rrno.caps.get(), rrno.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"ORDERS\" (\"ORDNO\" CHAR(5),\"CUSTNO\" CHAR(5),\"X_RRNO\" INTEGER, CONSTRAINT "
                   "\"PK_ORDERS\" PRIMARY KEY(\"CUSTNO\"))");
    ASSERT_EQ(r->indexes.size(), 3u);
    EXPECT_EQ(r->indexes[1].name + r->indexes[1].keys.at(1).column, "IX1RX_RRNO");
    EXPECT_EQ(r->indexes[1].unique, 0u);
    EXPECT_EQ(r->indexes[2].name + r->indexes[2].keys.at(1).column, "ORDERS_PRX_RRNO");

    Env nativeDb("NAT", keys + "IGNORE_NATIVE_SUPPORT=N\n");
    r = orders(false);
    r->columns[1].ignoreIfNative = 1;
    X_CTD_BuildCreateTable(*r, nativeDb.caps.get(), nativeDb.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"ORDERS\" (\"ORDNO\" CHAR(5),\"X_RRNO\" INTEGER)");
}

TEST(CollectionCommands, TemplatesPerServerVersionAndRefusedNames)
{
    const std::string keys = "CMD_CREATE_COLLECTION=CREATE SCHEMA >C<\nCMD_CREATE_COLLECTION_2000=EXEC add >C<\n"
                             "CMD_GRANT_COLLECTION_PRIVS=GRANT C\nCMD_GRANT_COLLECTION_PRIVS_2000=GRANT C 2000\n"
                             "CMD_GRANT_TABLE_PRIVS_2000=GRANT >T<\n";
    using V = std::vector<std::string>;
    auto run = [](const Env& env, const std::string& version, X_CTD_TABLE_DEFINITION& r) {
        X_CTD_DBMS_INFO dbms = env.dbms;
        dbms.serverVersion = version;
        std::string a, b, c;
        X_CTD_BuildCollectionCommands(r, env.caps.get(), dbms, a, b, c);
        return V{a, b, c};
    };
    Env mssqls("MSSQLS", keys);
    auto r = newTable("ORDERS", "LIB");
    EXPECT_EQ(run(mssqls, "8.00.194", *r), (V{"EXEC add LIB", "GRANT C 2000", "GRANT LIB.ORDERS"}));
    EXPECT_EQ(run(mssqls, "9.00.1399", *r), (V{"CREATE SCHEMA LIB", "GRANT C", ""}));
    EXPECT_EQ(run(Env("MSSQLS2", keys), "8.00.194", *r), (V{"CREATE SCHEMA LIB", "GRANT C", ""}));
    r->otherDatabase = 1;
    EXPECT_EQ(run(mssqls, "8.00.194", *r), (V{"", "", ""}));
    // A name that could end the command and start another is refused.
    auto bad = newTable("ORDERS; DROP TABLE X", "LIB");
    EXPECT_EQ(run(mssqls, "9.00.1399", *bad), (V{"", "", ""}));
    EXPECT_TRUE(hasMessage(*bad, "(0388) WARNING - CTD identifier/string \"LIB.ORDERS; DROP TABLE X\""));
}

TEST(CreateTable, IdentityColumnOfAnotherDatabasesTable)
{
    Env mysql("MYSQL", "DATABASE_PRODUCT=MYSQL\nDBMS_KIND=5\nSUPPORTS_COLLECTIONS=N\n");
    auto r = newTable("ORDERS", "");
    r->otherDatabase = 1;
    X_CTD_AddColumn(*r, "A", "", 'I', 0, 0, 0, 1, "A", 0, 0, 0);
    X_CTD_AddColumn(*r, "X_RRNO", "", 'I', 0, 0, 1, 1, "X_RRNO", 0, 0, 0);
    std::string out;
    X_CTD_BuildIdentityColumnStatement(*r, mysql.caps.get(), mysql.dbms, out);
    EXPECT_EQ(out, "ALTER TABLE \"ORDERS\" MODIFY \"X_RRNO\" INTEGER NOT NULL AUTO_INCREMENT");
    EXPECT_EQ(r->columns[1].alter + r->columns[0].alter, 1);
    X_CTD_DBMS_INFO kind1 = mysql.dbms;
    kind1.kind = 1;
    X_CTD_BuildIdentityColumnStatement(*r, mysql.caps.get(), kind1, out);
    EXPECT_EQ(out, "");
}

// A DECIMAL or NUMERIC column without decimals where the DBMS has no such
// type becomes an INTEGER while its digits are not above INTEGER's maximum
// (10 here): 9 and 10 digits do, 11 no longer; with decimals never.
TEST(ColumnTypes, WholeDecimalsAtTheIntegerDigitLimit)
{
    const char* keys = "SUPPORTS_TYPE_DECIMAL=N\nSUPPORTS_TYPE_NUMERIC=N\nTYPE_INTEGER_MAX_DIGITS=10\n";
    for (char type : {'D', 'N'}) {
        for (uint32_t length : {1u, 9u, 10u}) {
            SCOPED_TRACE(std::string(1, type) + " " + std::to_string(length));
            auto r = oneColumn(type, length, 0);
            std::string literal;
            EXPECT_EQ(definition(Env("D", keys), *r, &literal), "\"NAME\" INTEGER");
            EXPECT_EQ(r->columns[0].type, 'I');
            EXPECT_EQ(numbers(*r), std::vector<int>{392});
            EXPECT_EQ(literal, "0");
        }
        for (uint32_t decimals : {0u, 1u}) {
            SCOPED_TRACE(std::string(1, type) + " 11," + std::to_string(decimals));
            auto r = oneColumn(type, 11, decimals);
            EXPECT_NE(definition(Env("D", keys), *r), "\"NAME\" INTEGER");
            EXPECT_NE(r->columns[0].type, 'I');
        }
        auto r = oneColumn(type, 10, 2);
        EXPECT_NE(definition(Env("D", keys), *r), "\"NAME\" INTEGER");
        EXPECT_NE(r->columns[0].type, 'I');
        EXPECT_NE(r->columns[0].type, 'G') << "a BIGINT holds no decimals";
    }
}
