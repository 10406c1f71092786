// Statement texts for the products that have no server here, compared with
// texts derived by hand from the naming, type and statement rules.
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace ctdtest;

namespace {

struct Env {
    X_CTD_CAPABILITY_TABLE_PTR caps;
    X_CTD_DBMS_INFO dbms;
    Env(const std::string& name, const std::string& keys)
        : caps(capabilitiesFrom("DATABASE_TYPE=" + name + "\n" + keys)), dbms(dbmsInfo(caps.get(), name))
    {
    }
    std::unique_ptr<X_CTD_TYPE_SETTINGS> settings(const X_CTD_TABLE_DEFINITION& r) const
    {
        std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
        X_CTD_SetDefaultCapabilities(r, s, caps.get(), dbms);
        return s;
    }
};

// Definition form of column 0 with the product code of the DBMS.
std::string definition(const Env& env, X_CTD_TABLE_DEFINITION& r, std::string* literal = nullptr,
                       int16_t product = -2)
{
    auto s = env.settings(r);
    std::string out;
    if (product == -2)
        product = X_CTD_ProductCode(env.caps.get(), env.dbms.name);
    X_CTD_AppendColumnDefinition(r, env.dbms, *s, out, product, "T", 0, 1, literal, nullptr);
    return out;
}

X_CTD_TABLE_DEFINITION_PTR oneColumn(char type, uint32_t length, uint32_t decimals = 0, uint16_t alloc = 0)
{
    auto r = newTable("T", "LIB");
    X_CTD_AddColumn(*r, "NAME", "", type, length, decimals, 0, 0, "NAME_I", 0, 0, alloc);
    return r;
}

} // namespace

TEST(QualifiedNames, CollectionRules)
{
    Env emulated("E", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=Y\n");
    auto r = newTable("DC_W31", "QV_DTA");
    std::string out;
    X_CTD_AppendQualifiedName(emulated.dbms, *r, out, 0);
    EXPECT_EQ(out, "\"DC_W31\"");
    r->table = "ORDERS";
    out.clear();
    X_CTD_AppendQualifiedName(emulated.dbms, *r, out, 0);
    EXPECT_EQ(out, "\"QV_DTA_ORDERS\"");
    r->otherDatabase = 1;
    out.clear();
    X_CTD_AppendQualifiedName(emulated.dbms, *r, out, 0);
    EXPECT_EQ(out, "\"QV_DTA\".\"ORDERS\"");
    r->collection.clear();
    out.clear();
    X_CTD_AppendQualifiedName(emulated.dbms, *r, out, 1);
    EXPECT_EQ(out, "\"ORDERS\"");

    Env plain("P", "");
    auto t = newTable("ORDERS", "LIB");
    std::string expanded;
    X_CTD_ExpandTemplate(*t, plain.dbms, "GRANT ALL ON >C<.>T< TO PUBLIC", expanded);
    EXPECT_EQ(expanded, "GRANT ALL ON LIB.LIB.ORDERS TO PUBLIC");
    std::string table, collection;
    X_CTD_AppendSplitName(*t, plain.dbms, table, collection);
    EXPECT_EQ(collection, "\"LIB\"");
    EXPECT_EQ(table, "\"ORDERS\"");

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
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &native, "A"), 1);
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &native, "B"), 0);
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &plain.dbms, "B"), 1);
    EXPECT_EQ(X_CTD_IncludeColumn(t.get(), &plain.dbms, "Z"), 0);
}

TEST(OracleRecordNumbers, SequenceAndTriggerBlock)
{
    Env oracle("ORA", "DATABASE_PRODUCT=ORACLE\n");
    auto r = newTable("ORDERS", "LIB");
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
    EXPECT_EQ(out.rfind("DECLARE CursorId INTEGER;ret INTEGER;MaxRRNO  NUMERIC;NextSeq  NUMERIC;BEGIN /* Set "
                                  "each column to a unique value */UPDATE \"LIB\".\"ORDERS\" SET \"X_RRNO\"=ROWNUM;", 0), 0u);
    EXPECT_NE(out.find("'CREATE SEQUENCE \"LIB\".\"ORD_X_RRNO_SEQ\" START WITH ' || NextSeq"), std::string::npos);
    EXPECT_NE(out.find("'CREATE OR REPLACE TRIGGER \"LIB\".\"ORD_X_RRNO_TRG\" BEFORE INSERT ON \"LIB\".\"ORDERS\" FOR "
                       "EACH ROW BEGIN SELECT \"ORD_X_RRNO_SEQ\".NEXTVAL INTO :new.\"X_RRNO\" FROM DUAL;END;'"),
              std::string::npos);
    EXPECT_EQ(out.substr(out.size() - 44), "DBMS_SQL.CLOSE_CURSOR(CursorId ); RAISE;END;");
    EXPECT_EQ(X_CTD_IsRrnoColumn("X_RRNO", 'Z'), 1);
    EXPECT_EQ(X_CTD_IsRrnoColumn("ZZRRNO", 'Z'), 1);
    EXPECT_EQ(X_CTD_IsRrnoColumn("ZRRNO", 'Z'), 0);
    EXPECT_EQ(X_CTD_IsRrnoColumn("ZZRRNOX", 'Z'), 0);
}

TEST(PrimaryKeyStatements, ProductForms)
{
    auto r = newTable("ORDERS", "LIB");
    X_CTD_AddColumn(*r, "ID", "", 'I', 0, 0, 0, 0, "ID", 0, 0, 0);
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "ID");
    uint16_t count = 9;
    std::string out;
    Env oracle("ORA", "DATABASE_PRODUCT=ORACLE\n");
    X_CTD_BuildPrimaryKeyStatements(*r, oracle.caps.get(), oracle.dbms, nullptr, 1, 1, count, out);
    ASSERT_EQ(count, 2);
    auto parts = X_CTD_SplitStatements(out);
    EXPECT_EQ(parts.at(0), "ALTER TABLE \"LIB\".\"ORDERS\" DROP PRIMARY KEY CASCADE");
    EXPECT_EQ(parts.at(1), "ALTER TABLE \"LIB\".\"ORDERS\" ADD PRIMARY KEY (\"ID\")");

    Env none("N", "SUPPORTS_PRIMARY_KEY=N\nDATABASE_PRODUCT=ORACLE\n");
    X_CTD_BuildPrimaryKeyStatements(*r, none.caps.get(), none.dbms, nullptr, 1, 1, count, out);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(out, "");

    // One constraint name serves the drop and the add.
    Env sqlserver("MSSQLS", "DATABASE_PRODUCT=SQLSERVER\nSUPPORTS_COLLECTIONS=N\n");
    X_CTD_BuildPrimaryKeyStatements(*r, sqlserver.caps.get(), sqlserver.dbms, nullptr, 1, 1, count, out);
    parts = X_CTD_SplitStatements(out);
    EXPECT_EQ(parts.at(0), "ALTER TABLE \"ORDERS\" DROP CONSTRAINT \"PK_ORDERS\"");
    EXPECT_EQ(parts.at(1), "ALTER TABLE \"ORDERS\" ADD CONSTRAINT \"PK_ORDERS\" PRIMARY KEY (\"ID\")");
    X_CTD_BuildPrimaryKeyStatements(*r, sqlserver.caps.get(), sqlserver.dbms, "OLDKEY", 1, 0, count, out);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(X_CTD_SplitStatements(out).at(0), "ALTER TABLE \"ORDERS\" DROP CONSTRAINT \"OLDKEY\"");

    X_CTD_AddPrimaryKeyColumn(*r, "PK", "B");
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "C");
    Env missing("M", "");
    X_CTD_BuildPrimaryKeyStatements(*r, missing.caps.get(), missing.dbms, nullptr, 0, 1, count, out);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(X_CTD_SplitStatements(out).at(0), "ALTER TABLE \"LIB\".\"ORDERS\" ADD PRIMARY KEY (\"ID\",\"B\",\"C\")");
}

TEST(ColumnTypes, NameFormsAndCharacterTypes)
{
    Env env("D", "TYPE_CHAR_MAX_DIGITS=254\nTYPE_VARCHAR_MAX_DIGITS=254\n");
    auto r = oneColumn('H', 10);
    r->columns[0].name = "NAME   ";
    auto s = env.settings(*r);
    std::string out;
    X_CTD_AppendColumnDefinition(*r, env.dbms, *s, out, 6, "T", 0, 0, nullptr, nullptr);
    EXPECT_EQ(out, "\"NAME\" ");
    EXPECT_EQ(r->columns[0].name, "NAME");
    X_CTD_DBMS_INFO internal = env.dbms;
    internal.useInternalNames = 1;
    r->columns[0].internalName.clear();
    out.clear();
    X_CTD_AppendColumnDefinition(*r, internal, *s, out, 6, "T", 0, 0, nullptr, nullptr);
    EXPECT_EQ(out, "\"\" ");

    std::string literal;
    EXPECT_EQ(definition(env, *r, &literal), "\"NAME\" CHAR(10)");
    EXPECT_EQ(literal, "''");
    definition(env, *r, &literal, X_CTD_ORACLE);
    EXPECT_EQ(literal, "' '");

    auto alpha = oneColumn('A', 60);
    EXPECT_EQ(definition(env, *alpha), "\"NAME\" VARCHAR(60)");
    EXPECT_EQ(alpha->columns[0].type, '1');
    EXPECT_TRUE(messages(*alpha).empty());
    Env fixed("F", "CREATE_ALPHA_AS_FIXED=Y\nTYPE_CHAR_MAX_DIGITS=254\n");
    alpha = oneColumn('A', 60);
    EXPECT_EQ(definition(fixed, *alpha), "\"NAME\" CHAR(60)");
    alpha = oneColumn('A', 50);
    EXPECT_EQ(definition(env, *alpha), "\"NAME\" CHAR(50)");

    // No CHAR or VARCHAR limit: CHAR becomes VARCHAR, then LONGVARCHAR.
    Env bare("B", "");
    auto c = oneColumn('H', 10);
    EXPECT_EQ(definition(bare, *c), "\"NAME\" LONGVARCHAR");
    auto m = messages(*c);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0], "(0909) WARNING - In table T the definition of column NAME exceeds the precision limits of "
                    "type CHAR. Type has been changed to VARCHAR.");
    EXPECT_EQ(m[1].substr(0, 6), "(0909)");
    EXPECT_EQ(m[2].substr(0, 6), "(0393)");

    Env novarchar("V", "SUPPORTS_TYPE_VARCHAR=N\n");
    auto v = oneColumn('1', 20);
    EXPECT_EQ(definition(novarchar, *v), "\"NAME\" ");
    EXPECT_EQ(messages(*v).at(0), "(0390) FATAL - Table T uses type VARCHAR in its definition, but the current DBMS "
                                  "is indicated as not supporting this type.");

    Env alloc("A", "TYPE_VARCHAR_MAX_DIGITS=254\n");
    auto a = oneColumn('1', 20, 0, 100);
    EXPECT_EQ(definition(alloc, *a), "\"NAME\" VARCHAR(20) ALLOCATE(100)");
    a = oneColumn('1', 20, 0, 0);
    EXPECT_EQ(definition(alloc, *a), "\"NAME\" VARCHAR(20)");
    Env noalloc("NA", "TYPE_VARCHAR_MAX_DIGITS=254\nSUPPORTS_ALLOC_BEHAVIOUR=N\n");
    a = oneColumn('1', 20, 0, 100);
    EXPECT_EQ(definition(noalloc, *a), "\"NAME\" VARCHAR(20)");

    auto unknown = oneColumn('Y', 1);
    EXPECT_EQ(definition(env, *unknown), "\"NAME\" UNKNOWN");
}

TEST(ColumnTypes, NumericDateAndBinarySubstitutions)
{
    Env nodec("N", "SUPPORTS_TYPE_DECIMAL=N\nTYPE_INTEGER_MAX_DIGITS=10\n");
    auto d = oneColumn('D', 9);
    std::string literal;
    EXPECT_EQ(definition(nodec, *d, &literal), "\"NAME\" INTEGER");
    EXPECT_EQ(d->columns[0].type, 'I');
    EXPECT_EQ(literal, "0");
    EXPECT_EQ(messages(*d).at(0), "(0392) WARNING - Table T (column NAME) is specified as type DECIMAL, which is not "
                                  "supported by the current DBMS. Type has been changed to INTEGER.");

    Env nodate("ND", "SUPPORTS_TYPE_DATE=N\n");
    auto e = oneColumn('E', 0);
    EXPECT_EQ(definition(nodate, *e), "\"NAME\" TIMESTAMP");
    EXPECT_EQ(e->columns[0].type, 'Z');
    EXPECT_EQ(e->columns[0].length, 19u);
    EXPECT_EQ(messages(*e).size(), 1u);

    Env dt("DT", "TYPE_DATETIME_APPEND=>D<\nTYPE_DATETIME_MAX_DIGITS=26\nTYPE_DATETIME_MAX_DECIMALS=6\n");
    auto z = oneColumn('Z', 26, 6);
    EXPECT_EQ(definition(dt, *z), "\"NAME\" TIMESTAMP(6) ");
    Env dt2("DT2", "TYPE_DATETIME_APPEND=X\nTYPE_DATETIME_MAX_DIGITS=26\nTYPE_DATETIME_MAX_DECIMALS=6\n");
    z = oneColumn('Z', 26, 6);
    EXPECT_EQ(definition(dt2, *z), "\"NAME\" TIMESTAMP");
    Env dt3("DT3", "TYPE_DATETIME_APPEND=>D<\n");
    z = oneColumn('Z', 26, 6);
    EXPECT_EQ(definition(dt3, *z), "\"NAME\" TIMESTAMP(6) ");
    EXPECT_EQ(messages(*z).at(0).substr(0, 6), "(0393)");

    Env c2b("CB", "TYPE_BINARY_APPEND=FOR BIT DATA\n");
    auto h = oneColumn('H', 10);
    h->charToBinary = 1;
    c2b.caps->entries[0].capabilities.push_back({"IGNORE_CHAR_TO_BINARY", 0, 0, "N"});
    EXPECT_EQ(definition(c2b, *h, &literal), "\"NAME\" BINARY(10) FOR BIT DATA");
    EXPECT_EQ(literal, "0");
    definition(c2b, *h, &literal, X_CTD_ORACLE);
    EXPECT_EQ(literal, "'0'");

    // The longest chain: ALPHA, CHAR, BINARY, VARBINARY, LONGVARBINARY.
    Env chain("CH", "CREATE_ALPHA_AS_FIXED=Y\nSUPPORTS_TYPE_VARBINARY=N\nIGNORE_CHAR_TO_BINARY=N\n");
    auto w = oneColumn('A', 300);
    w->charToBinary = 1;
    EXPECT_EQ(definition(chain, *w), "\"NAME\" BINARY");
    EXPECT_EQ(w->columns[0].type, '4');
    auto m = messages(*w);
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].substr(0, 6), "(0909)");
    EXPECT_EQ(m[1].substr(0, 6), "(0392)");
    EXPECT_EQ(m[2].substr(0, 6), "(0393)");

    Env access("ACC", "DATABASE_PRODUCT=MSACCESS\n");
    auto autoColumn = oneColumn('I', 0);
    autoColumn->columns[0].autoFlag = 1;
    EXPECT_EQ(definition(access, *autoColumn), "\"NAME\" ");
    EXPECT_TRUE(messages(*autoColumn).empty());
}

TEST(ColumnTypes, AlterColumnStatements)
{
    const std::string keys = "TYPE_CHAR_MAX_DIGITS=254\nSUPPORTS_COLLECTIONS=N\n";
    auto newColumn = [] {
        auto r = oneColumn('H', 10);
        r->columns[0].newColumn = 1;
        r->columns[0].alter = 1;
        return r;
    };
    auto build = [](Env& env, X_CTD_TABLE_DEFINITION& r, int16_t product, int32_t withType) {
        auto s = env.settings(r);
        std::string out;
        X_CTD_BuildAlterColumnStatement(r, env.caps.get(), env.dbms, *s, product, "T", 0, withType, out);
        return out;
    };
    Env env("D", keys);
    auto r = newColumn();
    EXPECT_EQ(build(env, *r, X_CTD_SQLSERVER, 1), "ALTER TABLE \"T\" ADD \"NAME\" CHAR(10) NOT NULL DEFAULT ''");
    r = newColumn();
    EXPECT_EQ(build(env, *r, X_CTD_ORACLE, 1), "ALTER TABLE \"T\" ADD  (\"NAME\" CHAR(10) DEFAULT ' ' NOT NULL)");
    r = newColumn();
    EXPECT_EQ(build(env, *r, X_CTD_SQLANYWHERE, 0), "ALTER TABLE \"T\" MODIFY \"NAME\"  NOT NULL ");
    r = newColumn();
    EXPECT_EQ(build(env, *r, X_CTD_USERDEFINED, 1), "ALTER TABLE \"T\" ADD \"NAME\" CHAR(10)");
    EXPECT_TRUE(hasMessage(*r, "UNEXPECTED MESSAGE NUMBER 657"));

    auto existing = oneColumn('H', 10);
    existing->columns[0].notNull = 1;
    Env nonull("NN", keys + "SUPPORTS_NOT_NULL=N\n");
    EXPECT_EQ(build(nonull, *existing, X_CTD_SQLSERVER, 1), "ALTER TABLE \"T\" ALTER COLUMN \"NAME\" CHAR(10)");
    EXPECT_TRUE(hasMessage(*existing, "(0391)"));
    EXPECT_EQ(build(env, *existing, X_CTD_ORACLE, 1), "ALTER TABLE \"T\" MODIFY  (\"NAME\" CHAR(10))");
    EXPECT_EQ(build(env, *existing, X_CTD_MYSQL, 1), "ALTER TABLE \"T\" MODIFY \"NAME\" CHAR(10) NOT NULL");

    Env qualified("Q", "TYPE_CHAR_MAX_DIGITS=254\n");
    EXPECT_EQ(build(qualified, *existing, X_CTD_MYSQL, 1),
              "ALTER TABLE \"LIB\".\"T\" MODIFY \"NAME\" CHAR(10) NOT NULL");

    // The column-add statements give SQL Anywhere its second statement.
    Env anywhere("SA", keys + "DATABASE_PRODUCT=SQLANYWHERE\nSUPPORTS_VELMO_DEFINED_DB=Y\n");
    r = newColumn();
    uint16_t count = 0;
    std::string out;
    X_CTD_BuildColumnAddStatements(*r, anywhere.caps.get(), anywhere.dbms, 0, count, out);
    ASSERT_EQ(count, 2);
    auto parts = X_CTD_SplitStatements(out);
    EXPECT_EQ(parts.at(0), "ALTER TABLE \"T\" ADD \"NAME\" CHAR(10) DEFAULT '' ");
    EXPECT_EQ(parts.at(1), "ALTER TABLE \"T\" MODIFY \"NAME\"  NOT NULL ");
}

TEST(DdlBuilders, DropStatements)
{
    auto r = newTable("CUST", "LIB1");
    X_CTD_AddView(*r, "V", "VI", "SELECT A FROM X", "SELECT A FROM X");
    X_CTD_AddIndex(*r, "IDX1", 0);
    std::string out;
    Env missing("M", "");
    X_CTD_CAPABILITY_TABLE empty;
    X_CTD_DropTableStatement(*r, &empty, missing.dbms, out);
    EXPECT_EQ(out, "DROP TABLE \"LIB1\".\"CUST\"");
    Env emulatedByDefault("E", "SUPPORTS_COLLECTIONS=N\n");
    X_CTD_DropTableStatement(*r, emulatedByDefault.caps.get(), emulatedByDefault.dbms, out);
    EXPECT_EQ(out, "DROP TABLE \"LIB1_CUST\"");
    Env neither("N", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\n");
    X_CTD_DropTableStatement(*r, neither.caps.get(), neither.dbms, out);
    EXPECT_EQ(out, "DROP TABLE \"CUST\"");
    X_CTD_DropPrefixedTableStatement(*r, neither.caps.get(), neither.dbms, "T1", out);
    EXPECT_EQ(out, "DROP TABLE \"CUST_T1\"");
    auto repo = newTable("QV_F03", "QV_DTA");
    X_CTD_DropTableStatement(*repo, emulatedByDefault.caps.get(), emulatedByDefault.dbms, out);
    EXPECT_EQ(out, "DROP TABLE \"QV_F03\"");
    repo->table = "ORDERS";
    X_CTD_DropTableStatement(*repo, emulatedByDefault.caps.get(), emulatedByDefault.dbms, out);
    EXPECT_EQ(out, "DROP TABLE \"QV_DTA_ORDERS\"");
    X_CTD_DBMS_INFO internal = neither.dbms;
    internal.useInternalNames = 1;
    r->internalName.clear();
    X_CTD_DropTableStatement(*r, neither.caps.get(), internal, out);
    EXPECT_EQ(out, "DROP TABLE \"CUST\"");

    X_CTD_DropViewStatement(*r, emulatedByDefault.caps.get(), emulatedByDefault.dbms, 0, out);
    EXPECT_EQ(out, "DROP VIEW \"LIB1_V\"");
    auto noLibrary = newTable("CUST", "");
    X_CTD_AddView(*noLibrary, "V", "VI", "", "");
    X_CTD_DropViewStatement(*noLibrary, emulatedByDefault.caps.get(), emulatedByDefault.dbms, 0, out);
    EXPECT_EQ(out, "DROP VIEW \"V\"");  // no bare "_" prefix

    X_CTD_DropIndexStatement(*r, missing.caps.get(), missing.dbms, 0, out, 0);
    EXPECT_EQ(out, "");
    Env kind3("K3", "SUPPORTS_COLLECTIONS=N\nDBMS_KIND=3\n");
    X_CTD_DropIndexStatement(*r, kind3.caps.get(), dbmsInfo(kind3.caps.get(), "K3"), 0, out, 1);
    EXPECT_EQ(out, "DROP INDEX \"CUST\".\"IDX1\"");
    X_CTD_DropIndexStatement(*r, missing.caps.get(), missing.dbms, 0, out, 1);
    EXPECT_EQ(out, "DROP INDEX \"LIB1\".\"IDX1\"");
}

TEST(DdlBuilders, CreateIndexViewAndCopies)
{
    Env off("OFF", "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\nSUPPORTS_DESC_KEYS=N\nDBMS_KIND=2\n"
                   "TYPE_VARCHAR_MAX_DIGITS=254\n");
    X_CTD_DBMS_INFO dbms = dbmsInfo(off.caps.get(), "OFF");
    auto r = newTable("CUST", "LIB1");
    X_CTD_AddColumn(*r, "A", "", 'H', 5, 0, 0, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*r, "B", "", 'H', 5, 0, 0, 0, "B", 0, 0, 0);
    X_CTD_AddIndex(*r, "IDX1", 1);
    X_CTD_AddKeyToLastIndex(*r, "A", 0);
    X_CTD_AddKeyToLastIndex(*r, "B", 1);
    X_CTD_AddIndex(*r, "IDX2", 0);
    X_CTD_AddKeyToLastIndex(*r, "NOSUCH", 0);
    std::string out;
    X_CTD_BuildCreateIndex(*r, off.caps.get(), dbms, 0, out);
    EXPECT_EQ(out, "CREATE UNIQUE INDEX \"IDX1\" ON \"CUST\" ( \"A\", \"B\")");
    EXPECT_EQ(messages(*r).at(0), "(0547) WARNING - Table CUST has an index IDX1 with a descending key, but the "
                                  "current DBMS is indicated as not supporting descending keys. Descending has been "
                                  "ignored.");
    X_CTD_BuildCreateIndex(*r, off.caps.get(), dbms, 1, out);
    EXPECT_EQ(out, "");

    X_CTD_AddView(*r, "V", "VI", "SELECT A, B FROM OLDT WHERE A > 1", "");
    X_CTD_BuildCreateView(*r, off.caps.get(), dbms, 0, out);
    EXPECT_EQ(out, "CREATE VIEW \"V\" AS SELECT A, B FROM \"CUST\" WHERE A > 1");
    // The record keeps the whole command: building again gives the same text.
    std::string again;
    X_CTD_BuildCreateView(*r, off.caps.get(), dbms, 0, again);
    EXPECT_EQ(again, out);
    EXPECT_EQ(r->views[0].text, "SELECT A, B FROM OLDT WHERE A > 1");

    X_CTD_BuildTableCopy(*r, off.caps.get(), dbms, "SAV", &out);
    EXPECT_EQ(out, "CREATE TABLE \"CUST_SAV\" AS SELECT * FROM \"CUST\"");
    dbms.kind = 0;
    X_CTD_BuildTableCopy(*r, off.caps.get(), dbms, "SAV", &out);
    EXPECT_EQ(out, "SELECT * INTO \"CUST_SAV\" FROM \"CUST\"");
    X_CTD_BuildTableCopy(*r, off.caps.get(), dbms, "SAV", nullptr);

    // Refill: B changed to binary on kind 2; C is new and takes its default.
    auto old = newTable("CUST", "LIB1");
    X_CTD_AddColumn(*old, "A", "", 'H', 5, 0, 0, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*old, "B", "", 'H', 5, 0, 0, 0, "B", 0, 0, 0);
    auto now = newTable("CUST", "LIB1");
    X_CTD_AddColumn(*now, "A", "", '1', 5, 0, 0, 0, "A", 0, 0, 0);
    X_CTD_AddColumn(*now, "B", "", 'B', 5, 0, 0, 0, "B", 0, 0, 0);
    X_CTD_AddColumn(*now, "C", "", 'D', 5, 0, 0, 0, "C", 0, 0, 0);
    dbms.kind = 2;
    X_CTD_BuildInsertFromCopy(*now, *old, off.caps.get(), dbms, "SAV", &out);
    EXPECT_EQ(out, "INSERT INTO \"CUST\" ( \"A\" ,\"B\" ,\"C\" ) SELECT CAST( \"A\" AS VARCHAR(5) ) ,RAWTOHEX( \"B\"  ) ,NULL "
                   " FROM \"CUST_SAV\"");
}

TEST(CreateTable, IdentityNotNullAndKeys)
{
    auto table = [] {
        auto r = newTable("CUST", "LIB1");
        X_CTD_AddColumn(*r, "A", "", 'I', 0, 0, 0, 1, "A", 0, 0, 0);
        X_CTD_AddColumn(*r, "B", "", 'H', 10, 0, 1, 0, "B", 0, 0, 0);
        return r;
    };
    const std::string keys = "SUPPORTS_VELMO_DEFINED_DB=Y\nTYPE_CHAR_MAX_DIGITS=254\n";
    Env sqlserver("MSSQLS", keys + "DATABASE_PRODUCT=SQLSERVER\nSUPPORTS_NOT_NULL=Y\n");
    auto r = table();
    std::string out;
    X_CTD_BuildCreateTable(*r, sqlserver.caps.get(), sqlserver.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER IDENTITY,\"B\" CHAR(10) NOT NULL)");
    EXPECT_TRUE(messages(*r).empty());

    Env db2("DB2400", keys + "DATABASE_PRODUCT=DB2400\n");
    r = table();
    X_CTD_BuildCreateTable(*r, db2.caps.get(), db2.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER,\"B\" CHAR(10) NOT NULL)");
    EXPECT_TRUE(hasMessage(*r, "UNEXPECTED MESSAGE NUMBER 657"));
    Env mysql("MYSQL", keys + "DATABASE_PRODUCT=MYSQL\n");
    r = table();
    X_CTD_BuildCreateTable(*r, mysql.caps.get(), mysql.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"LIB1\".\"CUST\" (\"A\" INTEGER AUTO_INCREMENT,\"B\" CHAR(10) NOT NULL)");

    Env undefined("U", "DATABASE_PRODUCT=MYSQL\n");
    r = table();
    X_CTD_BuildCreateTable(*r, undefined.caps.get(), undefined.dbms, out);
    EXPECT_EQ(messages(*r).at(0), "(0910) FATAL - VELMO does not support this operation in databases of type U%.");

    // Other-database table: one ADD per column, the key in an ALTER of its own.
    r = table();
    r->otherDatabase = 1;
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "A");
    X_CTD_BuildCreateTable(*r, mysql.caps.get(), mysql.dbms, out);
    EXPECT_EQ(out, "ALTER TABLE \"LIB1\".\"CUST\" ADD \"A\" INTEGER;ALTER TABLE \"LIB1\".\"CUST\" ADD \"B\" "
                   "CHAR(10);ALTER TABLE \"LIB1\".\"CUST\" ADD PRIMARY KEY(\"A\")");

    auto empty = newTable("CUST", "LIB1");
    X_CTD_AddPrimaryKeyColumn(*empty, "PK", "A");
    X_CTD_BuildCreateTable(*empty, mysql.caps.get(), mysql.dbms, out);
    EXPECT_EQ(out, "");
    EXPECT_EQ(messages(*empty).at(0), "FATAL - Empty table, CUST, cannot be created.");
}

TEST(CreateTable, PrimaryKeyConversionAndRecordNumberIndexes)
{
    const std::string keys = "SUPPORTS_VELMO_DEFINED_DB=Y\nTYPE_CHAR_MAX_DIGITS=254\nDATABASE_PRODUCT=USERDEFINED\n"
                             "SUPPORTS_COLLECTIONS=N\nEMULATE_COLLECTIONS=N\n";
    auto orders = [] {
        auto r = newTable("ORDERS", "LIB");
        X_CTD_AddColumn(*r, "ORDNO", "", 'H', 5, 0, 0, 0, "ORDNO", 0, 0, 0);
        X_CTD_AddColumn(*r, "CUSTNO", "", 'H', 5, 0, 0, 0, "CUSTNO", 0, 0, 0);
        X_CTD_AddColumn(*r, "X_RRNO", "", 'I', 0, 0, 0, 0, "X_RRNO", 0, 0, 0);
        return r;
    };
    Env convert("C", keys + "SUPPORTS_PRIMARY_KEY=N\nCONVERT_PRIMARY_KEY_TO_INDEX=Y\n");
    auto r = orders();
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "ORDNO");
    std::string out;
    X_CTD_BuildCreateTable(*r, convert.caps.get(), convert.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"ORDERS\" (\"ORDNO\" CHAR(5),\"CUSTNO\" CHAR(5),\"X_RRNO\" INTEGER)");
    ASSERT_EQ(r->indexes.size(), 1u);
    EXPECT_EQ(r->indexes[0].name, "ORDERS_P");
    EXPECT_EQ(r->indexes[0].unique, 1u);
    EXPECT_EQ(r->indexes[0].keys.at(0).column, "ORDNO");
    EXPECT_EQ(messages(*r).at(0), "(0394) INFORMATION - Current DBMS does not support primary keys, so primary key "
                                  "of table ORDERS will be implemented as a unique index named ORDERS_P.");

    Env refuse("R", keys + "SUPPORTS_PRIMARY_KEY=N\n");
    r = orders();
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "ORDNO");
    X_CTD_BuildCreateTable(*r, refuse.caps.get(), refuse.dbms, out);
    EXPECT_EQ(out.find("PRIMARY KEY"), std::string::npos);
    EXPECT_TRUE(hasMessage(*r, "(0389) FATAL - Table ORDERS definition specifies a PRIMARY KEY"));

    Env rrno("RR", keys + "CREATE_RRNO_INDEXES=Y\n");
    r = orders();
    X_CTD_AddIndex(*r, "IX1", 1);
    X_CTD_AddKeyToLastIndex(*r, "CUSTNO", 0);
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "CUSTNO");
    X_CTD_BuildCreateTable(*r, rrno.caps.get(), rrno.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"ORDERS\" (\"ORDNO\" CHAR(5),\"CUSTNO\" CHAR(5),\"X_RRNO\" INTEGER, PRIMARY "
                   "KEY(\"CUSTNO\"))");
    ASSERT_EQ(r->indexes.size(), 3u);
    EXPECT_EQ(r->indexes[1].name, "IX1R");
    EXPECT_EQ(r->indexes[1].unique, 0u);
    ASSERT_EQ(r->indexes[1].keys.size(), 2u);
    EXPECT_EQ(r->indexes[1].keys[1].column, "X_RRNO");
    EXPECT_EQ(r->indexes[2].name, "ORDERS_PR");
    EXPECT_EQ(r->indexes[2].keys.size(), 2u);

    Env nativeDb("NAT", keys + "IGNORE_NATIVE_SUPPORT=N\n");
    r = orders();
    r->columns[1].ignoreIfNative = 1;
    X_CTD_BuildCreateTable(*r, nativeDb.caps.get(), nativeDb.dbms, out);
    EXPECT_EQ(out, "CREATE TABLE \"ORDERS\" (\"ORDNO\" CHAR(5),\"X_RRNO\" INTEGER)");
    r = orders();
    r->columns[1].ignoreIfNative = 1;
    X_CTD_BuildCreateTable(*r, rrno.caps.get(), rrno.dbms, out);
    EXPECT_NE(out.find("\"CUSTNO\""), std::string::npos);
}

TEST(CollectionCommands, TemplatesPerServerVersion)
{
    const std::string keys = "CMD_CREATE_COLLECTION=CREATE SCHEMA >C<\nCMD_CREATE_COLLECTION_2000=EXEC add >C<\n"
                             "CMD_GRANT_COLLECTION_PRIVS=GRANT C\nCMD_GRANT_COLLECTION_PRIVS_2000=GRANT C 2000\n"
                             "CMD_GRANT_TABLE_PRIVS_2000=GRANT >T<\n";
    auto run = [](const Env& env, const std::string& version, X_CTD_TABLE_DEFINITION& r) {
        X_CTD_DBMS_INFO dbms = env.dbms;
        dbms.serverVersion = version;
        std::string a, b, c;
        X_CTD_BuildCollectionCommands(r, env.caps.get(), dbms, a, b, c);
        return std::vector<std::string>{a, b, c};
    };
    Env mssqls("MSSQLS", keys);
    auto r = newTable("ORDERS", "LIB");
    EXPECT_EQ(run(mssqls, "8.00.194", *r), (std::vector<std::string>{"EXEC add LIB", "GRANT C 2000", "GRANT LIB.ORDERS"}));
    EXPECT_EQ(run(mssqls, "9.00.1399", *r), (std::vector<std::string>{"CREATE SCHEMA LIB", "GRANT C", ""}));
    Env other("MSSQLS2", keys);
    EXPECT_EQ(run(other, "8.00.194", *r), (std::vector<std::string>{"CREATE SCHEMA LIB", "GRANT C", ""}));
    r->otherDatabase = 1;
    EXPECT_EQ(run(mssqls, "8.00.194", *r), (std::vector<std::string>{"", "", ""}));
    auto noCollection = newTable("ORDERS", "");
    EXPECT_EQ(run(mssqls, "9.00.1399", *noCollection), (std::vector<std::string>{"", "", ""}));
}

TEST(CreateTable, IdentityColumnOfAnotherDatabasesTable)
{
    Env mysql("MYSQL", "DATABASE_PRODUCT=MYSQL\nDBMS_KIND=5\nSUPPORTS_COLLECTIONS=N\n");
    X_CTD_DBMS_INFO dbms = dbmsInfo(mysql.caps.get(), "MYSQL");
    auto r = newTable("ORDERS", "");
    r->otherDatabase = 1;
    X_CTD_AddColumn(*r, "A", "", 'I', 0, 0, 0, 1, "A", 0, 0, 0);
    X_CTD_AddColumn(*r, "X_RRNO", "", 'I', 0, 0, 1, 1, "X_RRNO", 0, 0, 0);
    std::string out;
    X_CTD_BuildIdentityColumnStatement(*r, mysql.caps.get(), dbms, out);
    EXPECT_EQ(out, "ALTER TABLE \"ORDERS\" MODIFY \"X_RRNO\" INTEGER NOT NULL AUTO_INCREMENT");
    EXPECT_EQ(r->columns[1].alter, 1);
    EXPECT_EQ(r->columns[0].alter, 0);
    dbms.kind = 1;
    X_CTD_BuildIdentityColumnStatement(*r, mysql.caps.get(), dbms, out);
    EXPECT_EQ(out, "");
}

TEST(CollectionCommands, NamesThatCouldEndTheCommandAreRefused)
{
    Env pg("PG", "CMD_CREATE_COLLECTION=CREATE SCHEMA \">C<\"\nCMD_GRANT_TABLE_PRIVS=GRANT SELECT ON >T< TO PUBLIC\n");
    auto r = newTable("ORDERS; DROP TABLE X", "LIB");
    std::string a, b, c;
    X_CTD_BuildCollectionCommands(*r, pg.caps.get(), pg.dbms, a, b, c);
    EXPECT_EQ(a + b + c, "");
    EXPECT_TRUE(hasMessage(*r, "(0388) WARNING - CTD identifier/string \"LIB.ORDERS; DROP TABLE X\""));
    auto fine = newTable("ORDERS", "LIB");
    X_CTD_BuildCollectionCommands(*fine, pg.caps.get(), pg.dbms, a, b, c);
    EXPECT_EQ(a, "CREATE SCHEMA \"LIB\"");
    EXPECT_EQ(c, "GRANT SELECT ON LIB.ORDERS TO PUBLIC");
}
