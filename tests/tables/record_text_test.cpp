// Table-definition record, its messages, and the table-definition text.
#include "support.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace ctdtest;

TEST(TableRecord, MessageListTextsAndCounts)
{
    auto r = newTable("T", "L");
    uint16_t i = 9, w = 9, f = 9;
    EXPECT_EQ(X_CTD_CountMessages(*r, i, w, f) + i + w + f, 0);
    X_CTD_AddMessage(*r, 'I', "info");
    X_CTD_AddMessage(*r, 'W', "warn1");
    X_CTD_AddMessage(*r, 'F', "fatal");
    X_CTD_AddMessage(*r, 'W', std::string(300, 'x'));
    std::string text;
    X_CTD_NextMessage(*r, text, 'Y', 'Y');
    EXPECT_EQ(text, "fatal");
    X_CTD_NextMessage(*r, text, 'N', 'Y');
    EXPECT_EQ(text, "");
    EXPECT_EQ(X_CTD_CountMessages(*r, i, w, f), 'W');
    EXPECT_EQ(i * 100 + w * 10 + f, 121);
    EXPECT_EQ(r->messages.back().text.size(), 256u);
    X_CTD_ClearMessages(*r);
    EXPECT_EQ(X_CTD_CountMessages(*r, i, w, f), 0);

    EXPECT_EQ(X_CTD_GetMessageText(500), "UNEXPECTED MESSAGE NUMBER 500 ISSUED - REFER TO x_txtmsg.dat FOR DETAILS");
    // The stray "%." of message 910 is text; values holding '%' are never conversions.
    X_CTD_IssueMessage(*r, 'F', 910, {"MSSQLS"});
    X_CTD_IssueMessage(*r, 'W', 388, {"%s%d%n"});
    EXPECT_EQ(messages(*r), (std::vector<std::string>{
                                "(0910) FATAL - VELMO does not support this operation in databases of type MSSQLS%.",
                                "(0388) WARNING - CTD identifier/string \"%s%d%n\" is unknown or invalid. String has "
                                "been ignored."}));
}

TEST(TableRecord, PrecisionCheckLowersOnlyDecimalTypes)
{
    auto r = newTable("ORDERS", "L");
    X_CTD_AddColumn(*r, "AMOUNT", "", 'D', 40, 2, 0, 0, "AMOUNT_I", 0, 0, 0);
    X_CTD_AddColumn(*r, "COUNT", "", 'I', 40, 0, 0, 0, "COUNT_I", 0, 0, 0);
    EXPECT_EQ(X_CTD_CheckPrecision(*r, 0, 31, 31, 0), 1);
    EXPECT_EQ(r->columns[0].length, 31u);
    EXPECT_EQ(X_CTD_CheckPrecision(*r, 1, 31, 31, 1), 0);
    EXPECT_EQ(r->columns[1].length, 40u);
    auto m = messages(*r);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], "(0393) WARNING - In table ORDERS the definition of column AMOUNT exceeds the precision limits "
                    "of the current DBMS. The effects of this loss of precision should be investigated.");
    EXPECT_NE(m[1].find("column COUNT_I"), std::string::npos);
}

TEST(TableRecord, KeyNamesResolveThroughColumns)
{
    auto r = newTable("T", "L");
    X_CTD_AddColumn(*r, "CUSTNO", "", 'H', 10, 0, 0, 0, "CUSTOMER_NUMBER", 0, 0, 0);
    X_CTD_AddPrimaryKeyColumn(*r, "PK", "CUSTNO");
    X_CTD_AddIndex(*r, "IX", 0);
    X_CTD_AddKeyToLastIndex(*r, "OTHER", 1);
    EXPECT_EQ(r->keysChanged, 1u);
    X_CTD_ResolveKeyColumnNames(r.get());
    EXPECT_EQ(r->primaryKey[0].internalName, "CUSTOMER_NUMBER");
    EXPECT_EQ(r->indexes[0].keys[0].internalName, "OTHER");
    EXPECT_EQ(r->keysChanged, 0u);
    r->nameFlag = '1';
    EXPECT_EQ(X_CTD_ColumnInternalName(r.get(), "CUSTNO"), "CUSTNO");
    EXPECT_FALSE(X_CTD_AddIndexAppendClause(*r, "NOSUCH", "A", "x"));
    X_CTD_RemoveLastIndex(*r);
    EXPECT_TRUE(r->indexes.empty());
}

TEST(DefinitionText, KeywordsSectionsAndContext)
{
    auto r = readText("* comment\n"
                      "LEN=5\n"  // before any section
                      "define_table\n"
                      "  table=Orders\n"
                      "  DTALIB=D1\n"
                      "  COLLECTION=C1\n"
                      "  DESC=" +
                      std::string(60, 'd') +
                      "\n"
                      "  IGNORE_IF_NATIVE\n"
                      "DEFINE_COLUMNS\n"
                      "  LEN=3\n"  // no column yet
                      "  NAME=A\n"
                      "    TYPE=NOSUCH\n"
                      "    TYPE=decimal\n"
                      "    LEN=9\n"
                      "    DEC=2\n"
                      "    NAME\n"
                      "    NAMEX=1\n"
                      "    NOT_NULL\n"
                      "    IGNORE_IF_NATIVE\n"
                      "DEFINE_INDEX_KEYS\n");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->table, "Orders");
    EXPECT_EQ(r->collection, "C1");
    EXPECT_EQ(r->dataLibrary, "C1");  // COLLECTION after DTALIB sets both
    EXPECT_EQ(r->description, std::string(40, 'd'));
    ASSERT_EQ(r->columns.size(), 1u);
    const X_CTD_COLUMN& a = r->columns[0];
    EXPECT_EQ(a.type, 'D');
    EXPECT_EQ(a.length, 9u);
    EXPECT_EQ(a.decimals, 2u);
    EXPECT_EQ(a.notNull, 1u);
    EXPECT_EQ(a.ignoreIfNative, 1u);
    auto m = messages(*r);
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(m[0], "(0387) WARNING - CTD identifier/string \"LEN=5\" used out of context or invalidly. String "
                    "has been ignored.");
    EXPECT_EQ(m[1].substr(0, 6), "(0387)");  // LEN=3 without a column
    EXPECT_EQ(m[2], "(0388) WARNING - CTD identifier/string \"TYPE=NOSUCH\" is unknown or invalid. String has "
                    "been ignored.");
    EXPECT_EQ(m[3].substr(0, 6), "(0388)");  // NAME
    EXPECT_EQ(m[4].substr(0, 6), "(0388)");  // NAMEX=1
    EXPECT_EQ(m[5].substr(0, 6), "(0387)");  // DEFINE_INDEX_KEYS outside an index
}

TEST(DefinitionText, DtalibAfterCollectionStaysApart)
{
    auto r = readText("DEFINE_TABLE\nCOLLECTION=C1\nDTALIB=D1\n");
    EXPECT_EQ(r->collection, "C1");
    EXPECT_EQ(r->dataLibrary, "D1");
}

TEST(DefinitionText, MalformedInputGivesMessagesAndNoCrash)
{
    std::string longCommand = "COMMAND=" + std::string(6000, 'c') + "TABLE=HIJACK";
    auto r = readText("DEFINE_TABLE\n"
                      "TABLE=FIRST\n"
                      "TABLE=SECOND\n"      // duplicate: ignored
                      "DEFINE_SOMETHING\n"  // unknown section
                      "DEFINE_COLUMNS\n"
                      "NAME=\n"  // missing value
                      "NAME=A\n"
                      "LEN=\n"  // missing value
                      "TYPE=\n"
                      "DEFINE_VIEW\n" +
                      longCommand + "\n");
    EXPECT_EQ(r->table, "FIRST");
    ASSERT_EQ(r->columns.size(), 1u);
    EXPECT_EQ(r->columns[0].length, 0u);
    ASSERT_EQ(r->views.size(), 1u);
    EXPECT_EQ(r->views[0].text.size(), 5000u);
    auto m = messages(*r);
    ASSERT_EQ(m.size(), 6u);
    EXPECT_EQ(m[0].substr(0, 6), "(0387)");
    EXPECT_EQ(m[1], "(0388) WARNING - CTD identifier/string \"DEFINE_SOMETHING\" is unknown or invalid. String "
                    "has been ignored.");
    EXPECT_EQ(m[2].substr(0, 6), "(0388)");
    EXPECT_EQ(m[3].substr(0, 6), "(0388)");
    EXPECT_EQ(m[4].substr(0, 6), "(0388)");
    // The rest of the over-long line is refused, not read as TABLE=HIJACK.
    EXPECT_EQ(m[5].substr(0, 6), "(0388)");
}

TEST(DefinitionText, FileErrors)
{
    X_CTD_TABLE_DEFINITION_PTR r;
    X_CTD_ReadDefinition("/nonexistent/t.ctd", r, nullptr, 1, 1, nullptr, "SQLITE");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(messages(*r).at(0), "(0336) Fatal error detected when opening /nonexistent/t.ctd for read.");
    EXPECT_EQ(r->commitmentControl, 'Y');
    EXPECT_EQ(r->atSign, '@');
    X_CTD_WriteDefinition("/nonexistent/t.ctd", *r);
    EXPECT_EQ(messages(*r).at(1), "(0336) Fatal error detected when opening /nonexistent/t.ctd for write.");
    TempDir dir;
    X_CTD_ReadDefinition(dir.path().c_str(), r, nullptr, 1, 1, nullptr, "SQLITE");
    EXPECT_EQ(messages(*r).at(0), "(0242) Fatal error detected when reading from file " + dir.path().string() + ".");
}

TEST(DefinitionText, RrnoRuleAndAppendLines)
{
    auto caps = capabilitiesFrom("DATABASE_TYPE=DB\nCREATE_RRNO_INDEXES=Y\n");
    const std::string text = "DEFINE_TABLE\nTABLE=T\nCREATE_TABLE_APPEND_DB= WITH X\nCREATE_TABLE_APPEND_OTHER=Y\n"
                             "DEFINE_COLUMNS\nNAME=A\nTYPE=CHAR\nLEN=1\nNAME=X_RRNO\nTYPE=INTEGER\n"
                             "DEFINE_INDEX\nNAME=IX1\nDEFINE_INDEX_KEYS\nCOLUMN=A\nCREATE_INDEX_APPEND_DB= TAIL\n"
                             "DEFINE_INDEX\nNAME=IX2\nUNIQUE\nDEFINE_INDEX_KEYS\nCOLUMN=A\n"
                             "DEFINE_INDEX\nNAME=IX3\n"
                             "DEFINE_INDEX\nNAME=IX4_NAME_OF_21_CHARSX\nDEFINE_INDEX_KEYS\nCOLUMN=A\n"
                             "DEFINE_INDEX\nNAME=IX5\nDEFINE_INDEX_KEYS\nCOLUMN=A\n";
    auto r = readText(text, caps.get(), "DB");
    ASSERT_EQ(r->indexes.size(), 5u);
    ASSERT_EQ(r->indexes[0].keys.size(), 2u);
    EXPECT_EQ(r->indexes[0].keys[1].column, "X_RRNO");
    EXPECT_EQ(r->indexes[0].keys[1].internalName, "");
    ASSERT_EQ(r->indexes[0].appends.size(), 1u);  // accepted after the keys
    EXPECT_EQ(r->indexes[0].appends[0].text, " TAIL");
    EXPECT_EQ(r->indexes[1].keys.size(), 1u);  // unique
    EXPECT_EQ(r->indexes[2].keys.size(), 0u);  // keys never opened
    EXPECT_EQ(r->indexes[3].keys.size(), 1u);  // one key and a 21-character name
    EXPECT_EQ(r->indexes[4].keys.size(), 2u);  // rule applied at the end of the file
    ASSERT_EQ(r->appends.size(), 1u);
    EXPECT_EQ(r->appends[0].dbmsType, "DB");
    EXPECT_TRUE(hasMessage(*r, "(0388) WARNING - CTD identifier/string \"CREATE_TABLE_APPEND_OTHER=Y\""));

    auto altered = readText("DEFINE_TABLE\nALTER\n" + text.substr(13), caps.get(), "DB");
    EXPECT_EQ(altered->indexes[0].keys.size(), 1u);
    auto dropped = readText(text, caps.get(), "DB", 0, 0);
    EXPECT_TRUE(dropped->indexes.empty());
    auto flagged = readText("DEFINE_TABLE\nNAMEFLAG=1\nATSIGN=#\nDEFINE_COLUMNS\nNAME=##RRNO\n"
                            "DEFINE_INDEX\nNAME=IX\nDEFINE_INDEX_KEYS\nCOLUMN=A\n",
                            caps.get(), "DB");
    EXPECT_EQ(flagged->indexes[0].keys.at(1).column, "##RRNO");
}

namespace {

// Every field of a record that the text holds, as one text.
std::string describe(const X_CTD_TABLE_DEFINITION& r)
{
    std::ostringstream o;
    o << r.internalName << '|' << r.table << '|' << r.collection << '|' << r.description << '|' << r.dataLibrary << '|'
      << r.commitmentControl << r.nameFlag << r.atSign << '|' << r.otherDatabase << '|' << r.dsn << '|' << r.qualifier
      << '|' << r.dbType << '|' << r.connection << '|' << r.encrypted << '|' << r.spare << '\n';
    for (const auto& a : r.appends)
        o << "append " << a.dbmsType << '|' << a.text << '\n';
    for (const auto& c : r.columns)
        o << "column " << c.name << '|' << c.internalName << '|' << c.description << '|' << c.type << '|' << c.length
          << '|' << c.decimals << '|' << c.notNull << c.autoFlag << c.ignoreIfNative << '|' << int(c.ksh) << '|'
          << c.alloc << '\n';
    o << "key " << r.primaryKeyName << '\n';
    for (const auto& k : r.primaryKey)
        o << "key " << k.column << '|' << k.internalName << '\n';
    for (const auto& v : r.views)
        o << "view " << v.name << '|' << v.internalName << '|' << v.text << '|' << v.internalText << '\n';
    for (const auto& x : r.indexes) {
        o << "index " << x.name << '|' << x.unique << '\n';
        for (const auto& k : x.keys)
            o << "  " << k.column << '|' << k.internalName << '|' << k.descending << '\n';
        for (const auto& a : x.appends)
            o << "  append " << a.dbmsType << '|' << a.text << '\n';
    }
    return o.str();
}

}  // namespace

namespace {

X_CTD_TABLE_DEFINITION_PTR sampleRecord(uint16_t otherDatabase)
{
    X_CTD_TABLE_DEFINITION_PTR r;
    const char encrypted = 'Y';
    X_CTD_CreateTableDefinition(r, "ORDERS_INTERNAL", "ORDERS", "Customer orders", "LIB", otherDatabase, 0, "DSN1",
                                "OWNER", "POSTGRESQL", "host=x;user='a b'", &encrypted, "spare", nullptr, "DATALIB",
                                'N', otherDatabase ? '0' : ' ', '#');
    X_CTD_AddAppendClause(*r, "SQLITE", " WITHOUT ROWID");
    X_CTD_AddColumn(*r, "ORDNO", "Order number", 'D', 9, 0, 1, 0, "ORDER_NUMBER", 0, 0, 0);
    X_CTD_AddColumn(*r, "NAME", "Name", 'A', 60, 0, 0, 0, "NAME", 0, 'K', 120);
    X_CTD_AddColumn(*r, "NOTE", "", '3', 0, 0, 0, 0, "NOTE", otherDatabase ? 0 : 1, 0, 0);
    X_CTD_AddColumn(*r, "STAMP", "", 'Z', 26, 0, 0, 0, "STAMP", 0, 0, 0);
    X_CTD_AddColumn(*r, "SHORT", "", 'Z', 10, 0, 0, 0, "SHORT", 0, 0, 0);
    X_CTD_AddColumn(*r, "X_RRNO", "", 'I', 0, 0, 0, 1, "X_RRNO", 0, 0, 0);
    X_CTD_AddPrimaryKeyColumn(*r, "ORDERS_PK", "ORDNO");
    X_CTD_AddView(*r, "V1", "V1_INTERNAL", "SELECT \"ORDNO\" FROM X WHERE \"ORDNO\" > 1", "SELECT 1 FROM Y");
    X_CTD_AddIndex(*r, "IX1", 1);
    X_CTD_AddKeyToLastIndex(*r, "NAME", 1);
    X_CTD_AddKeyToLastIndex(*r, "ORDNO", 0);
    X_CTD_AddIndexAppendClause(*r, "IX1", "SQLITE", " WHERE 1=1");
    X_CTD_AddIndex(*r, "IX2", 0);
    return r;
}

}  // namespace

class RoundTrip : public testing::TestWithParam<uint16_t> {};

TEST_P(RoundTrip, WrittenAndReadBackGivesTheSameRecord)
{
    X_CTD_TABLE_DEFINITION_PTR r = sampleRecord(GetParam());
    TempDir dir;
    std::string path = (dir.path() / "orders.ctd").string();
    X_CTD_WriteDefinition(path.c_str(), *r);
    EXPECT_TRUE(messages(*r).empty());
    EXPECT_EQ(r->columns[3].decimals, 6u);
    EXPECT_EQ(r->columns[4].decimals, 0u);  // never below zero
    std::string text = readFile(path);
    EXPECT_EQ(text.substr(0, 58), "DEFINE_TABLE\r\n  INTERNAL=ORDERS_INTERNAL\r\n  TABLE=ORDERS\r\n");
    EXPECT_NE(text.find("\r\n  NAME=ORDNO\r\n  INTERNAL=ORDER_NUMBER\r\n    DESC=Order number\r\n    "
                        "TYPE=DECIMAL\r\n    LEN=9\r\n    DEC=0\r\n    NOT_NULL\r\n    KSH=\r\n  NAME=NAME\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("DEFINE_INDEX_KEYS\r\n    COLUMN=NAME\r\n    INTERNAL=NAME\r\n    DESCENDING\r\n"),
              std::string::npos);

    X_CTD_TABLE_DEFINITION_PTR back;
    X_CTD_ReadDefinition(path.c_str(), back, nullptr, 1, 1, nullptr, "SQLITE");
    EXPECT_TRUE(messages(*back).empty()) << messages(*back).front();
    EXPECT_EQ(describe(*back), describe(*r));

    // Writing the record read back gives the same text.
    std::string again = (dir.path() / "again.ctd").string();
    X_CTD_WriteDefinition(again.c_str(), *back);
    EXPECT_EQ(readFile(again), text);
}

INSTANTIATE_TEST_SUITE_P(DefinitionText, RoundTrip, testing::Values(uint16_t{0}, uint16_t{1}));
