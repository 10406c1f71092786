// Database environment file and the capability table.
#include "fixtures.h"

#include <gtest/gtest.h>

using namespace ctdtest;

TEST(Capabilities, SectionsKeysAndThreeViewsOfAValue)
{
    auto t = capabilitiesFrom("SUPPORTS_NOT_NULL=N\n"                 // before any section: ignored
                              "* a comment\n"
                              "\n"
                              "database_type=Oracle\n"
                              "   supports_not_null=No   \n"
                              "TYPE_CHAR_MAX_DIGITS=254 chars\n"
                              "TYPE_VARCHAR_MAX_DIGITS=abc\n"
                              "LOCK_TYPE=Row\n"
                              "LOCK_TYPE=Table\n"
                              "DATABASE_TYPE=X\n"
                              "SUPPORTS_NOT_NULL=\n"
                              "KEYWITHOUTVALUE\n"
                              "SUPPORTS_DESC_KEYS=yes\n"
                              "SUPPORTS_COLLECTIONS=Yes\n");
    ASSERT_EQ(t->entries.size(), 2u);
    EXPECT_EQ(t->entries[0].name, "Oracle");
    std::string text;
    int32_t number = -1, yes = -1;
    EXPECT_EQ(X_CTD_sGetCapability(t.get(), "ORACLE", "SUPPORTS_NOT_NULL", &text, &number, &yes), 0);
    EXPECT_EQ(number, -1);  // outputs untouched on a miss
    ASSERT_EQ(X_CTD_sGetCapability(t.get(), "Oracle", "SUPPORTS_NOT_NULL", &text, &number, &yes), 1);
    EXPECT_EQ(text, "No");
    EXPECT_EQ(yes, 0);
    X_CTD_sGetCapability(t.get(), "Oracle", "TYPE_CHAR_MAX_DIGITS", nullptr, &number, nullptr);
    EXPECT_EQ(number, 254);
    X_CTD_sGetCapability(t.get(), "Oracle", "TYPE_VARCHAR_MAX_DIGITS", nullptr, &number, nullptr);
    EXPECT_EQ(number, 0);
    X_CTD_sGetCapability(t.get(), "Oracle", "LOCK_TYPE", &text, nullptr, nullptr);
    EXPECT_EQ(text, "Row");  // the first of two wins
    // Empty value adds nothing; lower-case "yes" is not yes.
    EXPECT_EQ(X_CTD_sGetCapability(t.get(), "X", "SUPPORTS_NOT_NULL", nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(X_CTD_YesFlag(t.get(), "X", "SUPPORTS_DESC_KEYS", 1), 0);
    EXPECT_EQ(X_CTD_YesFlag(t.get(), "X", "SUPPORTS_COLLECTIONS", 0), 1);
    EXPECT_EQ(X_CTD_YesFlag(t.get(), "X", "SUPPORTS_NOT_NULL", 1), 1);

    X_CTD_TABLE_DEFINITION r;
    std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
    X_CTD_SetDefaultCapabilities(r, s, t.get(), dbmsInfo(t.get(), "X"));
    EXPECT_EQ(s->notNullSupported, 1);
    X_CTD_SetDefaultCapabilities(r, s, t.get(), dbmsInfo(t.get(), "Oracle"));
    EXPECT_EQ(s->notNullSupported, 0);
    EXPECT_EQ(s->maxDigits[T_CHAR], 254);
}

TEST(Capabilities, LookupsWithADefaultForAMissingKey)
{
    auto t = capabilitiesFrom("DATABASE_TYPE=D\nSUPPORTS_DESC_KEYS=N\nTYPE_CHAR_MAX_DIGITS=254\n");
    std::string text = "old";
    int32_t number = -1, yes = -1;
    // A missing key: empty text, number 0, the yes flag of the default; result 0.
    EXPECT_EQ(X_CTD_GetCapabilityDefaultNo(t.get(), "D", "SUPPORTS_NOT_NULL", &text, &number, &yes), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0);
    EXPECT_EQ(yes, 0);
    text = "old";
    number = yes = -1;
    EXPECT_EQ(X_CTD_GetCapabilityDefaultYes(t.get(), "D", "SUPPORTS_NOT_NULL", &text, &number, &yes), 0);
    EXPECT_EQ(text, "");
    EXPECT_EQ(number, 0);
    EXPECT_EQ(yes, 1);
    // A missing DBMS and a null table are missing keys too.
    yes = -1;
    EXPECT_EQ(X_CTD_GetCapabilityDefaultYes(t.get(), "E", "SUPPORTS_DESC_KEYS", nullptr, nullptr, &yes), 0);
    EXPECT_EQ(yes, 1);
    yes = -1;
    EXPECT_EQ(X_CTD_GetCapabilityDefaultNo(nullptr, "D", "SUPPORTS_DESC_KEYS", nullptr, nullptr, &yes), 0);
    EXPECT_EQ(yes, 0);
    // A present key gives its own values whatever the default.
    EXPECT_EQ(X_CTD_GetCapabilityDefaultYes(t.get(), "D", "SUPPORTS_DESC_KEYS", &text, &number, &yes), 1);
    EXPECT_EQ(text, "N");
    EXPECT_EQ(yes, 0);
    EXPECT_EQ(X_CTD_GetCapabilityDefaultNo(t.get(), "D", "TYPE_CHAR_MAX_DIGITS", &text, &number, &yes), 1);
    EXPECT_EQ(text, "254");
    EXPECT_EQ(number, 254);
    EXPECT_EQ(yes, 0);
}

TEST(Capabilities, DefaultsOfDescriptionAndTypeSettings)
{
    auto t = capabilitiesFrom("DATABASE_TYPE=EMPTY\nDATABASE_TYPE=D\nDATABASE_PRODUCT=MYSQL\n"
                              "DATABASE_CATEGORY=NONE\nTYPE_DECIMAL_NAME=NUMBER\nNATIVE_DATETIME_ONLY=Y\n"
                              "DBMS_RETCODE_DUPLICATE_ROW=-803\n");
    X_CTD_DBMS_INFO e = dbmsInfo(t.get(), "EMPTY");
    EXPECT_EQ(e.categoryIndex, 1);
    EXPECT_EQ(e.productIndex, 0);
    EXPECT_EQ(e.collectionsSupported, 1);
    EXPECT_EQ(e.emulateCollections, 0);
    EXPECT_EQ(e.indexDroppedWithTable, 1);
    EXPECT_EQ(e.allocBehaviour, 1);
    EXPECT_EQ(e.kshBehaviour, 0);
    EXPECT_EQ(e.datetimeMaxDigits, 19);
    EXPECT_EQ(e.dateAsDatetimeLiteral, 1);
    EXPECT_EQ(e.delimiter, '"');
    X_CTD_DBMS_INFO d = dbmsInfo(t.get(), "D");
    EXPECT_EQ(d.productIndex, 5);
    EXPECT_EQ(d.categoryIndex, 1);  // unknown name leaves the index
    EXPECT_EQ(d.rcDuplicateRow2, -803);
    EXPECT_EQ(d.dateAsDatetimeLiteral, 0);

    X_CTD_TABLE_DEFINITION r;
    std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
    X_CTD_SetDefaultCapabilities(r, s, t.get(), d);
    EXPECT_EQ(s->name[T_NUMERIC], "NUMBER");
    EXPECT_EQ(s->name[T_BIGINT], "NUMBER");
    EXPECT_EQ(s->name[T_DATETIME], "TIMESTAMP");
    EXPECT_EQ(s->name[T_LONGVARBINARY], "BINARY");
    EXPECT_EQ(s->name[T_UCLOB], "NCLOB");
    EXPECT_EQ(s->maxDigits[T_BINARY], 255);
    EXPECT_EQ(s->maxDigits[T_DATETIME], 19);
    EXPECT_EQ(s->supported[T_UCHAR], 0);
    EXPECT_EQ(s->supported[T_CHAR], 1);
    EXPECT_EQ(s->lvcDefaultLen, "0");
}

TEST(Capabilities, CharacterToBinaryNeedsAnExplicitNo)
{
    auto t = capabilitiesFrom("DATABASE_TYPE=A\nIGNORE_CHAR_TO_BINARY=N\nDATABASE_TYPE=B\nIGNORE_CHAR_TO_BINARY=Y\n");
    X_CTD_TABLE_DEFINITION r;
    r.charToBinary = 1;
    std::unique_ptr<X_CTD_TYPE_SETTINGS> s;
    X_CTD_SetDefaultCapabilities(r, s, t.get(), dbmsInfo(t.get(), "A"));
    EXPECT_EQ(s->charToBinary, 1);
    X_CTD_SetDefaultCapabilities(r, s, t.get(), dbmsInfo(t.get(), "B"));
    EXPECT_EQ(s->charToBinary, 0);
    X_CTD_SetDefaultCapabilities(r, s, t.get(), dbmsInfo(t.get(), "C"));
    EXPECT_EQ(s->charToBinary, 0);
}

TEST(Capabilities, LineEndsDoNotMatter)
{
    const std::string lf = "DATABASE_TYPE=A\nK1=v1\nK2=Yes\n";
    std::string crlf = "DATABASE_TYPE=A\r\nK1=v1\r\nK2=Yes";  // and no final line end
    auto a = capabilitiesFrom(lf);
    auto b = capabilitiesFrom(crlf);
    ASSERT_EQ(a->entries.size(), b->entries.size());
    ASSERT_EQ(b->entries[0].capabilities.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(a->entries[0].capabilities[i].key, b->entries[0].capabilities[i].key);
        EXPECT_EQ(a->entries[0].capabilities[i].value, b->entries[0].capabilities[i].value);
    }
}

TEST(Capabilities, LoaderResultsAndSecondLoad)
{
    X_CTD_CAPABILITY_TABLE_PTR table;
    std::string error;
    EXPECT_EQ(X_CTD_Load_Capabilities("/nonexistent/env.dat", table, error), -1);
    EXPECT_EQ(error, "UNABLE TO FIND OR OPEN DATABASE ENVIRONMENT FILE /nonexistent/env.dat.");
    EXPECT_EQ(table, nullptr);
    TempDir dir;
    std::string first = dir.file("a.dat", "DATABASE_TYPE=A\n");
    std::string second = dir.file("b.dat", "DATABASE_TYPE=B\n");
    ASSERT_EQ(X_CTD_Load_Capabilities(first.c_str(), table, error), 0);
    EXPECT_EQ(X_CTD_Load_Capabilities(second.c_str(), table, error), 0);
    ASSERT_EQ(table->entries.size(), 1u);
    EXPECT_EQ(table->entries[0].name, "A");
    // A directory opens but cannot be read.
    X_CTD_FreeCapabilities(table);
    EXPECT_EQ(table, nullptr);
    EXPECT_EQ(X_CTD_Load_Capabilities(dir.path().c_str(), table, error), -3);
    EXPECT_EQ(error, "FATAL ERROR DETECTED WHILE READING FROM DATABASE ENVIRONMENT FILE " + dir.path().string() + ".");
}

TEST(Capabilities, MalformedFileGivesNumberedWarningsAndNoCrash)
{
    std::vector<std::string> warnings;
    std::string longLine = "LONGKEY=" + std::string(3000, 'v') + "=INJECTED=Y";
    auto t = capabilitiesFrom("ORPHAN=1\n"
                              "DATABASE_TYPE=A\n"
                              "NOEQUALS\n"
                              "EMPTY=\n" +
                                  longLine +
                                  "\n"
                                  "K=1\nK=2\n"
                                  "DATABASE_TYPE=A\n"
                                  "DATABASE_TYPE=\n"
                                  "AFTER=ok\n",
                              &warnings);
    // The over-long line is refused whole: nothing of it becomes a key.
    EXPECT_EQ(X_CTD_sGetCapability(t.get(), "A", "LONGKEY", nullptr, nullptr, nullptr), 0);
    for (const auto& e : t->entries)
        for (const auto& c : e.capabilities)
            EXPECT_EQ(c.key.find("INJECTED"), std::string::npos);
    int32_t n = 0;
    X_CTD_sGetCapability(t.get(), "A", "K", nullptr, &n, nullptr);
    EXPECT_EQ(n, 1);
    ASSERT_EQ(warnings.size(), 7u);
    EXPECT_EQ(warnings[0], "(0387) WARNING - CTD identifier/string \"ORPHAN=1\" used out of context or invalidly. "
                           "String has been ignored.");
    EXPECT_EQ(warnings[1].substr(0, 6), "(0388)");  // NOEQUALS
    EXPECT_EQ(warnings[2].substr(0, 6), "(0388)");  // EMPTY=
    EXPECT_EQ(warnings[3].substr(0, 6), "(0388)");  // over-long line
    EXPECT_EQ(warnings[4].substr(0, 6), "(0387)");  // duplicate key K
    EXPECT_EQ(warnings[5].substr(0, 6), "(0387)");  // second section A
    EXPECT_EQ(warnings[6].substr(0, 6), "(0388)");  // section without a name
}

TEST(Capabilities, ListingProductsAndKeywords)
{
    auto t = sampleCapabilities();
    const X_CTD_DBMS_ENTRY* out[20];
    uint16_t count = 20;
    X_CTD_ListDBMS(t.get(), count, out);
    EXPECT_EQ(count, 9);
    count = 3;
    X_CTD_ListDBMS(t.get(), count, out);
    EXPECT_EQ(count, 3);
    count = 20;
    X_CTD_FindDBMSWithCapability(t.get(), "DATABASE_PRODUCT", "USERDEFINED", count, out);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(out[0]->name, "SQLITE");
    EXPECT_EQ(out[1]->name, "POSTGRESQL");
    // Every product the generator knows has a section.
    for (const char* product : X_CTD_PRODUCT_NAMES) {
        count = 20;
        X_CTD_FindDBMSWithCapability(t.get(), "DATABASE_PRODUCT", product, count, out);
        EXPECT_GE(count, 1) << product;
    }
    uint16_t index = 99;
    EXPECT_EQ(X_CTD_GetProductIndex("DB2UWO", index), 1);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(X_CTD_GetCategoryIndex("odbc", index), 0);
    EXPECT_EQ(index, 7);
    EXPECT_EQ(X_CTD_KeywordDiffers("NAME=ABC", "NAME="), 0);
    EXPECT_EQ(X_CTD_KeywordDiffers("NAMEX=ABC", "NAME="), 1);
    EXPECT_EQ(X_CTD_KeywordDiffers("UNIQUE", "UNIQUE"), 0);
}
