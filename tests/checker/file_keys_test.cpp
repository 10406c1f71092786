// WITH_KEY values of the file commands against the keys of physical files
// and logical views, checked end to end on small functions.
#include "checker/file_keys.h"
#include "checker_fixture.h"

#include <sqlite3.h>

#include <string>
#include <vector>

using checker_test::CheckJob;
using checker_test::Message;

namespace {

class FileKeys : public CheckJob {
protected:
    std::vector<std::string> onLine(uint32_t line) { return checker_test::OnLine(messages(), line); }
};

using checker_test::Lines;

TEST_F(FileKeys, ValuesMatchedAgainstTheKeys)
{
    // A file of three keys, and one whose key field may not be a key.
    exec("INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB) VALUES ('DEM', 'ORDHDR', 'DEMLIB'), ('DEM', 'BADFILE', 'DEMLIB');"
         "INSERT INTO QV_F24 (X24P_I, X24PFL, X24PLB, X24FLD, X24KSQ) VALUES ('DEM', 'ORDHDR', 'DEMLIB', 'CUSTNO', 1),"
         " ('DEM', 'ORDHDR', 'DEMLIB', 'CUSTNAM', 2), ('DEM', 'ORDHDR', 'DEMLIB', 'CREDIT', 3),"
         " ('DEM', 'BADFILE', 'DEMLIB', 'BADKEY', 1);"
         "INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES"
         " ('DEM', 'BADKEY', 'A', 5, 0, '             12345');");
    addFunction("TSTPRC", "KEYS",
                {"FUNCTION OPTIONS(*DIRECT)",                                      // 1
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO)",    // 2
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO 5)",  // 3
                 "FETCH FIELDS(#CUSTNO) FROM_FILE(CUSTMSTL1) WITH_KEY(5)",         // 4
                 "FETCH FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(*MTXTNAME)",  // 5
                 "FETCH FIELDS(#CUSTSTS) FROM_FILE(ORDHDR) WITH_KEY(#CUSTNO)",     // 6
                 "FETCH FIELDS(#CUSTSTS) FROM_FILE(BADFILE) WITH_KEY('A')",        // 7
                 "DELETE FROM_FILE(CUSTMST) WITH_KEY(#CUSTNAM)",                   // 8
                 "RETURN"});
    prepare("TSTPRC", "KEYS");
    run();
    EXPECT_TRUE(onLine(2).empty());
    EXPECT_EQ(onLine(3), Lines{"DCM0122 CUSTMST   DEMLIB    +00000015"});
    ASSERT_EQ(onLine(4).size(), 1u);
    EXPECT_EQ(onLine(4).at(0).substr(0, 7), "DCM0402") << "a number for the view's alphanumeric key";
    EXPECT_EQ(onLine(5), Lines{"DCM1108 *MTXTNAME"});
    EXPECT_EQ(onLine(6),
              (Lines{"DCM0123 ORDHDR    DEMLIB    0000001CUSTNAM", "DCM0123 ORDHDR    DEMLIB    0000001CREDIT"}))
        << "partial keys are allowed: reported, the command stays good";
    EXPECT_EQ(onLine(7), Lines{"DCM0121 BADFILE   DEMLIB    0000001BADKEY"});
    ASSERT_EQ(onLine(8).size(), 1u);
    EXPECT_EQ(onLine(8).at(0).substr(0, 7), "DCM0402");
}

TEST_F(FileKeys, KeyFieldAttributes)
{
    exec("INSERT INTO QV_F03 (X03P_I, X03FLD, X03TYP, X03LEN, X03DEC, X03SP1) VALUES"
         " ('DEM', 'ZEROKEY', 'P', 9, 2, '             00000xyz'), ('DEM', 'ODDKEY', 'A', 3, 0, '             0000 '),"
         " ('DEM', 'SHORTKEY', 'A', 4, 0, '             0');");
    prepare("TSTPRC", "NONE");
    P3105_FIELD_REQUEST f{};
    std::memcpy(f.acName, "ZEROKEY   ", 10);
    ASSERT_EQ(P3105_sGetFieldAttributes(&ctx, &f), '0');
    EXPECT_EQ(f.cType, 'P');
    EXPECT_EQ(f.lLength, 9);
    EXPECT_EQ(f.lDecimals, 2);
    std::memcpy(f.acName, "ODDKEY    ", 10);
    EXPECT_EQ(P3105_sGetFieldAttributes(&ctx, &f), '1');
    std::memcpy(f.acName, "SHORTKEY  ", 10);
    EXPECT_EQ(P3105_sGetFieldAttributes(&ctx, &f), '1') << "characters 14 to 18 are '0' and four blanks";
    std::memcpy(f.acName, "CREDIT    ", 10);
    EXPECT_EQ(P3105_sGetFieldAttributes(&ctx, &f), '0') << "an option string shorter than 14 characters";
    std::memcpy(f.acName, "NOWHERE   ", 10);
    EXPECT_EQ(P3105_sGetFieldAttributes(&ctx, &f), '1');
}

}  // namespace

namespace {

TEST_F(FileKeys, SelectRulesAndLoopIdentifiers)
{
    addFunction("TSTPRC", "SELS",
                {"FUNCTION OPTIONS(*DIRECT)",                                                                      // 1
                 "DEF_LIST NAME(#L) FIELDS(#CUSTNO)",                                                              // 2
                 "SELECT FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) GENERIC(*YES) OPTIONS(*STARTKEY)",  // 3
                 "ENDSELECT",                                                                                      // 4
                 "SELECTLIST NAMED(#L)",                                                                           // 5
                 "ENDSELECT",                                                                                      // 6
                 "SELECT FIELDS(#CUSTNAM) FROM_FILE(CUSTMST) WITH_KEY(#CUSTNO) OPTIONS(*BLOCK)",                   // 7
                 "ENDSELECT",                                                                                      // 8
                 "RETURN"});
    prepare("TSTPRC", "SELS");
    run();
    std::vector<Message> w = withId("PRC1022");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].line, 3u);
    EXPECT_EQ(w[0].severity, 'W');
    std::vector<Message> f = withId("PRC0210");
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0].line, 7u);
    auto stored = [&](int16_t line) {
        auto p = std::make_unique<FFC_PARSED_COMMAND>();
        std::memset(p.get(), 0, sizeof *p);
        p->sLine = line;
        p->sSubLine = 0;
        EXPECT_EQ(RS_fFindCommandRecord(&ctx, p.get(), sizeof *p), 0);
        return p;
    };
    auto first = stored(3);
    EXPECT_EQ(std::string(first->acLoopId, 6), "SL@001");
    EXPECT_EQ(std::string(first->acParms + 1982, 4), "*NO ") << "GENERIC(*YES) gives way to *STARTKEY";
    auto second = stored(7);
    EXPECT_EQ(std::string(second->acLoopId, 6), "SL@003") << "the SELECTLIST between counts as a loop";
}

}  // namespace

namespace {

TEST_F(FileKeys, SelectSqlFilesAndDatabases)
{
    exec("INSERT INTO QV_F27 (X27P_I, X27PFL, X27PLB, X27EXF, X27SP1) VALUES"
         " ('DEM', 'EXTA', 'EXTLIB', 'X', '12345678901234567M'), ('DEM', 'EXTB', 'EXTLIB', 'X', ''),"
         " ('DEM', 'EXTC', 'EXTLIB', 'X', '');"
         "INSERT INTO QV_FOF (XOFP_I, XOFPFL, XOFPLB, XOFDSN, XOFTYP) VALUES"
         " ('DEM', 'EXTA', 'EXTLIB', 'SALES', 'PGSQL'), ('DEM', 'EXTB', 'EXTLIB', 'sales', 'pgsql'),"
         " ('DEM', 'EXTC', 'EXTLIB', 'STOCK', 'PGSQL');");
    addFunction("TSTPRC", "SQLS",
                {"FUNCTION OPTIONS(*DIRECT)",                                                    // 1
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((CUSTMST A) (CUSTMSTL1 B) (NOFILE A))",  // 2
                 "ENDSELECT",                                                                    // 3
                 "SELECT_SQL FIELDS(#CUSTNO)",                                                   // 4
                 "ENDSELECT",                                                                    // 5
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((EXTA) (EXTB))",                         // 6 same database
                 "ENDSELECT",                                                                    // 7
                 "SELECT_SQL FIELDS(#CUSTNO) FROM_FILES((EXTA) (EXTC)) IO_ERROR(L55)",           // 8
                 "ENDSELECT",                                                                    // 9
                 "RETURN"});
    prepare("TSTPRC", "SQLS", 'G');
    run();
    EXPECT_EQ(onLine(2), (Lines{"PRC1019 CUSTMSTL1", "PRC1020 CUSTMSTL1", "PRC0019 NOFILE    *FIRST", "PRC0248 A"}));
    EXPECT_EQ(onLine(4), Lines{"PRC0247 "});
    /* the data-source names compare without case; CUSTNO is a field of none of the files */
    EXPECT_EQ(onLine(6), Lines{"PRC1065 CUSTNO"});
    EXPECT_EQ(onLine(8),
              (Lines{"PRC0380 EXTA      EXTLIB    EXTC      EXTLIB",
                     "PRC0381 EXTA      SALES                           PGSQL",
                     "PRC0381 EXTC      STOCK                           PGSQL", "PRC0025 L55", "PRC1065 CUSTNO"}));
    auto p = std::make_unique<FFC_PARSED_COMMAND>();
    std::memset(p.get(), 0, sizeof *p);
    p->sLine = 6;
    ASSERT_EQ(RS_fFindCommandRecord(&ctx, p.get(), sizeof *p), 0);
    EXPECT_EQ(std::string(p->acParms + 1142, 10), "EXTA      ");
    EXPECT_EQ(std::string(p->acParms + 1152, 10), "EXTLIB    ");
    EXPECT_EQ(p->acParms[1162], 'Y') << "a file of another database";
    EXPECT_EQ(p->acParms[1163], 'M') << "the 18th character of its option string";
    EXPECT_EQ(p->acParms[1362], 'Y');
}

}  // namespace
