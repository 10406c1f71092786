// Database environment file and the capability table.
#include "support.h"

#include <gtest/gtest.h>

using namespace ctdtest;

TEST(Capabilities, SectionsKeysAndThreeViewsOfAValue)
{
    std::vector<std::string> warnings;
    auto t = capabilitiesFrom("SUPPORTS_NOT_NULL=N\n"  // before any section: ignored
                              "* a comment\n\n"
                              "database_type=Oracle\n"
                              "   supports_not_null=No   \n"
                              "TYPE_CHAR_MAX_DIGITS=254 chars\n"
                              "TYPE_VARCHAR_MAX_DIGITS=abc\n"
                              "LOCK_TYPE=Row\n"
                              "LOCK_TYPE=Table\n"
                              "LONGKEY=" +
                                  std::string(3000, 'v') +
                                  "=INJECTED=Y\n"
                                  "DATABASE_TYPE=X\r\n"
                                  "SUPPORTS_NOT_NULL=\n"
                                  "KEYWITHOUTVALUE\n"
                                  "SUPPORTS_DESC_KEYS=yes\n"
                                  "SUPPORTS_COLLECTIONS=Yes",  // CR LF and no final line end read alike
                              &warnings);
    ASSERT_EQ(t->entries.size(), 2u);
    std::string text;
    int32_t number = -1, yes = -1;
    EXPECT_EQ(X_CTD_sGetCapability(t.get(), "ORACLE", "SUPPORTS_NOT_NULL", &text, &number, &yes), 0);
    EXPECT_EQ(number, -1);  // outputs untouched on a miss; the name keeps its case
    ASSERT_EQ(X_CTD_sGetCapability(t.get(), "Oracle", "SUPPORTS_NOT_NULL", &text, &number, &yes), 1);
    EXPECT_EQ(text + std::to_string(yes), "No0");
    X_CTD_sGetCapability(t.get(), "Oracle", "TYPE_CHAR_MAX_DIGITS", nullptr, &number, nullptr);
    EXPECT_EQ(number, 254);
    X_CTD_sGetCapability(t.get(), "Oracle", "TYPE_VARCHAR_MAX_DIGITS", nullptr, &number, nullptr);
    EXPECT_EQ(number, 0);
    X_CTD_sGetCapability(t.get(), "Oracle", "LOCK_TYPE", &text, nullptr, nullptr);
    EXPECT_EQ(text, "Row");  // the first of two wins
    // An over-long line is refused whole: nothing of it becomes a key.
    EXPECT_EQ(X_CTD_sGetCapability(t.get(), "Oracle", "LONGKEY", nullptr, nullptr, nullptr), 0);
    for (const auto& c : t->entries[0].capabilities)
        EXPECT_EQ(c.key.find("INJECTED"), std::string::npos);
    // An empty value adds nothing; lower-case "yes" is not yes.
    EXPECT_EQ(X_CTD_YesFlag(t.get(), "X", "SUPPORTS_NOT_NULL", 1), 1);
    EXPECT_EQ(X_CTD_YesFlag(t.get(), "X", "SUPPORTS_DESC_KEYS", 1), 0);
    EXPECT_EQ(X_CTD_YesFlag(t.get(), "X", "SUPPORTS_COLLECTIONS", 0), 1);
    ASSERT_EQ(warnings.size(), 5u);
    EXPECT_EQ(warnings[0], "(0387) WARNING - CTD identifier/string \"SUPPORTS_NOT_NULL=N\" used out of context or "
                           "invalidly. String has been ignored.");
    EXPECT_EQ(warnings[1].substr(0, 6) + warnings[2].substr(0, 6) + warnings[3].substr(0, 6) + warnings[4].substr(0, 6),
              "(0387)(0388)(0388)(0388)");  // LOCK_TYPE twice, the long line, SUPPORTS_NOT_NULL=, no '='

    // Missing keys: empty text, number 0, the yes flag of the default.
    text = "old";
    number = yes = -1;
    EXPECT_EQ(X_CTD_GetCapabilityDefaultYes(t.get(), "Oracle", "NOSUCH", &text, &number, &yes), 0);
    EXPECT_EQ(text + std::to_string(number) + std::to_string(yes), "01");
    EXPECT_EQ(X_CTD_GetCapabilityDefaultNo(nullptr, "Oracle", "LOCK_TYPE", &text, &number, &yes), 0);
    EXPECT_EQ(yes, 0);
}

TEST(Capabilities, DefaultsOfDescriptionAndTypeSettings)
{
    auto t = capabilitiesFrom("DATABASE_TYPE=EMPTY\nDATABASE_TYPE=D\nDATABASE_PRODUCT=MYSQL\n"
                              "DATABASE_CATEGORY=NONE\nTYPE_DECIMAL_NAME=NUMBER\nNATIVE_DATETIME_ONLY=Y\n"
                              "DBMS_RETCODE_DUPLICATE_ROW=-803\nTYPE_DECIMAL_MAX_DIGITS=31\n"
                              "IGNORE_CHAR_TO_BINARY=N\n");
    X_CTD_DBMS_INFO e = dbmsInfo(t.get(), "EMPTY");
    EXPECT_EQ(e.categoryIndex + e.productIndex * 10, 1);  // ODBC, DB2400
    EXPECT_EQ(e.collectionsSupported + e.indexDroppedWithTable + e.allocBehaviour + e.dateAsDatetimeLiteral, 4);
    EXPECT_EQ(e.emulateCollections + e.kshBehaviour, 0);
    EXPECT_EQ(e.datetimeMaxDigits, 19);
    EXPECT_EQ(e.delimiter, '"');
    X_CTD_DBMS_INFO d = dbmsInfo(t.get(), "D");
    EXPECT_EQ(d.productIndex, 5);
    EXPECT_EQ(d.categoryIndex, 1);  // an unknown name leaves the index
    EXPECT_EQ(d.rcDuplicateRow2, -803);
    EXPECT_EQ(d.dateAsDatetimeLiteral, 0);

    X_CTD_TABLE_DEFINITION r;
    r.charToBinary = 1;
    std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
    X_CTD_SetDefaultCapabilities(r, s, t.get(), d);
    EXPECT_EQ(s->name[T_NUMERIC] + s->name[T_BIGINT] + s->name[T_TINYINT], "NUMBERNUMBERTINYINT");
    EXPECT_EQ(s->name[T_DATETIME] + s->name[T_LONGVARBINARY] + s->name[T_UCLOB], "TIMESTAMPBINARYNCLOB");
    EXPECT_EQ(s->maxDigits[T_NUMERIC], 31);  // DECIMAL's limit
    EXPECT_EQ(s->maxDigits[T_BINARY] + s->maxDigits[T_DATETIME], 255 + 19);
    EXPECT_EQ(s->supported[T_UCHAR] * 10 + s->supported[T_CHAR], 1);
    EXPECT_EQ(s->charToBinary, 1);  // kept only with an explicit IGNORE_CHAR_TO_BINARY=N
    X_CTD_SetDefaultCapabilities(r, s, t.get(), e);
    EXPECT_EQ(s->charToBinary, 0);
}

TEST(Capabilities, LoaderResultsListsAndKeywords)
{
    X_CTD_CAPABILITY_TABLE_PTR table;
    std::string error;
    EXPECT_EQ(X_CTD_Load_Capabilities("/nonexistent/env.dat", table, error), -1);
    EXPECT_EQ(error, "UNABLE TO FIND OR OPEN DATABASE ENVIRONMENT FILE /nonexistent/env.dat.");
    TempDir dir;
    ASSERT_EQ(X_CTD_Load_Capabilities(dir.file("a.dat", "DATABASE_TYPE=A\n").c_str(), table, error), 0);
    EXPECT_EQ(X_CTD_Load_Capabilities(dir.file("b.dat", "DATABASE_TYPE=B\n").c_str(), table, error), 0);
    EXPECT_EQ(table->entries.at(0).name + std::to_string(table->entries.size()), "A1");  // a second load does nothing
    X_CTD_FreeCapabilities(table);
    EXPECT_EQ(X_CTD_Load_Capabilities(dir.path().c_str(), table, error), -3);  // a directory opens but cannot be read
    EXPECT_EQ(error, "FATAL ERROR DETECTED WHILE READING FROM DATABASE ENVIRONMENT FILE " + dir.path().string() + ".");

    auto t = sampleCapabilities();
    const X_CTD_DBMS_ENTRY* out[20];
    uint16_t count = 3;
    X_CTD_ListDBMS(t.get(), count, out);
    EXPECT_EQ(count, 3);
    count = 20;
    X_CTD_FindDBMSWithCapability(t.get(), "DATABASE_PRODUCT", "USERDEFINED", count, out);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(out[0]->name + out[1]->name, "SQLITEPOSTGRESQL");
    uint16_t index = 99;
    EXPECT_EQ(X_CTD_GetProductIndex("DB2UWO", index), 1);
    EXPECT_EQ(X_CTD_GetCategoryIndex("odbc", index), 0);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(X_CTD_KeywordDiffers("NAME=ABC", "NAME=") + X_CTD_KeywordDiffers("UNIQUE", "UNIQUE"), 0);
    EXPECT_EQ(X_CTD_KeywordDiffers("NAMEX=ABC", "NAME="), 1);
}
