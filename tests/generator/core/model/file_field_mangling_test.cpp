// Which file of a SELECT_SQL command holds a field and under which column
// name, the SQL field list and the host variables of the SQL routines.
#include "generator/core/tables_fixture.h"

#include "generator/core/model/file_field_mangling.h"

namespace gencore_test {
namespace {

class Mangling : public TablesFixture {
protected:
    void SetUp() override
    {
        TablesFixture::SetUp();
        exec("INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES "
             "('DEM', 'EXTF', 'EXTLIB', 'FFD', 'CUSTNO', 1, 'XPTR1'), "
             "('DEM', 'ALTF', 'EXTLIB', 'FFD', 'CUSTNO', 1, ''), "
             "('DEM', 'FILEA', 'LIB', 'FFD', 'ORD@NO', 1, ''), ('DEM', 'FILEB', 'LIB', 'FFD', 'ORD@NO', 1, ''), "
             "('DEM', 'FILEC', 'LIB', 'FFD', 'ORDaNO', 1, '');"
             "INSERT INTO QV_FCN (XCNP_I, XCNCOL, XCNPTR, XCNSP1) VALUES ('DEM', 'CUST_ID', 'XPTR1', 'CUSTNO   x');"
             "INSERT INTO QV_F54 (X54P_I, X54PFL, X54PLB, X54TYP, X54VAL, X54AKI) VALUES "
             "('DEM', 'ALTF', 'EXTLIB', 'AN$', 'CUSTNO', 'CUST_NUMBER')");
    }
    std::vector<std::string> warnings()
    {
        std::vector<std::string> ids;
        for (const std::string& m : issuedMessages())
            ids.push_back(m.substr(0, 9));
        return ids;
    }
};

TEST_F(Mangling, LookupsByTheDatabaseClass)
{
    begin();
    EXPECT_EQ(P3109_sLookupMangledColumn("#CUSTNO", "EXTF", "EXTLIB", 'Y'), "CUST_ID");
    EXPECT_EQ(P3109_sLookupMangledColumn("CUSTNO", "ALTF", "EXTLIB", 'I'), "CUST_NUMBER");
    EXPECT_EQ(P3109_sLookupMangledColumn("CUSTNO", "ALTF", "EXTLIB", 'N'), "");
    EXPECT_EQ(P3109_sLookupMangledColumn("CREDIT", "ALTF", "EXTLIB", 'I'), "") << "no row: empty";
    EXPECT_TRUE(P3109_sCountMangledColumns("EXTF", "EXTLIB", 'Y', "CUST_ID"));
    EXPECT_FALSE(P3109_sCountMangledColumns("ALTF", "EXTLIB", 'Y', "CUST_ID"));
    EXPECT_TRUE(P3109_sCountMangledColumns("ALTF", "EXTLIB", 'I', "CUST_NUMBER"));
    EXPECT_FALSE(P3109_sCountMangledColumns("ALTF", "EXTLIB", 'N', "CUST_NUMBER"));
    EXPECT_TRUE(P3109_sCountFileFields("#CUSTNO", "EXTF", "EXTLIB", "FFD"));
    EXPECT_FALSE(P3109_sCountFileFields("CUSTNO", "EXTF", "EXTLIB", "VFD"));
    EXPECT_EQ(P3109_fIsFileMangledField("ORDaNO", "FILEA", "LIB", "FFD"), 1);
    EXPECT_EQ(P3109_fIsFileMangledField("ORD_NO", "FILEA", "LIB", "FFD"), 0);
}

/* A job asks the dictionary once for each file and field: a field added
   meanwhile is seen only once the answers are forgotten (a new job's
   set-up forgets them); another file, type or field is asked anew. */
TEST_F(Mangling, AnswersAreKeptUntilForgotten)
{
    begin();
    EXPECT_FALSE(P3109_sCountFileFields("CREDIT", "EXTF", "EXTLIB", "FFD"));
    EXPECT_EQ(P3109_fIsFileMangledField("CRED_T", "EXTF", "EXTLIB", "FFD"), 0);
    exec("INSERT INTO QV_F14 (X14P_I, X14PFL, X14PLB, X14TYP, X14FLD, X14SEQ, X14SP1) VALUES "
         "('DEM', 'EXTF', 'EXTLIB', 'FFD', 'CREDIT', 2, ''), ('DEM', 'EXTF', 'EXTLIB', 'VFD', 'CRED@T', 1, '')");
    EXPECT_FALSE(P3109_sCountFileFields("CREDIT", "EXTF", "EXTLIB", "FFD"));
    EXPECT_EQ(P3109_fIsFileMangledField("CREDaT", "EXTF", "EXTLIB", "VFD"), 1);
    EXPECT_FALSE(P3109_sCountFileFields("CREDIT", "EXTF", "EXTLIB", "VFD"));
    P3109_ForgetFileFieldAnswers();
    EXPECT_TRUE(P3109_sCountFileFields("CREDIT", "EXTF", "EXTLIB", "FFD"));
    P3109_ResetSqlFields();
    EXPECT_TRUE(P3109_sCountFileFields("#CREDIT", "EXTF", "EXTLIB", "FFD"));
    EXPECT_TRUE(P3109_sCountFileFields("CUSTNO", "EXTF", "EXTLIB", "FFD"));
}

TEST_F(Mangling, TheFileWithTheLowerMarkIsKept)
{
    begin();
    P3109_SetSelectSqlFiles({{"FILEA", "LIB", "A", 'N', 'B'}, {"FILEB", "LIB", "B", 'N', 'A'}}, nullptr);
    GEN_SQL_FIELD& entry = P3109_AddSqlField("#ORD@NO");
    EXPECT_EQ(entry.name, "ORD@NO    ");
    EXPECT_EQ(entry.identifier, "ORDaNO");
    entry.uses.push_back({1, 2, ' ', ' '});
    EXPECT_EQ(P3109_sCheckFileFieldMangling("#ORD@NO", &entry, 1, 0), 1);
    EXPECT_EQ(entry.uses.back().cClass, 'N');
    EXPECT_EQ(entry.uses.back().cMark, 'A');
    EXPECT_EQ(warnings(), (std::vector<std::string>{"PRC0047 W", "PRC0047 W", "PRC0047 W"}));
    EXPECT_NE(issuedMessages().at(1).find("Field #ORD@NO: ORDaNO is used; file FILEA names it ORD@NO."),
              std::string::npos)
        << issuedMessages().at(1);

    /* equal marks keep the first file and say nothing; a disabled check answers 0 */
    P3109_SetSelectSqlFiles({{"FILEA", "LIB", "", 'N', ' '}, {"FILEB", "LIB", "", 'N', ' '}}, nullptr);
    EXPECT_EQ(P3109_sCheckFileFieldMangling("ORD@NO", &entry, 1, 0), 1);
    EXPECT_EQ(issuedMessages().size(), 3u);
    EXPECT_EQ(P3109_sCheckFileFieldMangling("ORD@NO", &entry, 0, 0), 0);

    /* no file holds the field: the use keeps class 'N' and a blank mark */
    GEN_SQL_FIELD& none = P3109_AddSqlField("CREDIT");
    EXPECT_EQ(P3109_sCheckFileFieldMangling("CREDIT", &none, 1, 0), 0);
    ASSERT_EQ(none.uses.size(), 1u);
    EXPECT_EQ(none.uses[0].cClass, 'N');
    EXPECT_EQ(none.uses[0].cMark, ' ');
    EXPECT_EQ(P3109_sCheckFileFieldMangling("CREDIT", nullptr, 1, 1), 0);

    int found = 0;
    char kind = '?', flag = '?';
    const int16_t pair[2] = {1, 2};
    EXPECT_EQ(P3109_pFindNamedFileEntry("#ord@no", 7, pair, found, &kind, &flag), &entry);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(kind, 'N');
    EXPECT_EQ(flag, ' ');
    /* the same search by name alone: the name character dropped, case and
       the length given respected */
    EXPECT_EQ(P3109_pFindSqlFieldQuick("#ord@no", 7), &entry);
    EXPECT_EQ(P3109_pFindSqlFieldQuick("CREDIT    ", 10), &none);
    EXPECT_EQ(P3109_pFindSqlFieldQuick("CREDITX", 6), &none);
    EXPECT_EQ(P3109_pFindSqlFieldQuick("NOFIELD", 7), nullptr);
}

TEST_F(Mangling, AFieldOfAnotherDatabaseTakesItsColumnName)
{
    begin();
    P3109_SetSelectSqlFiles({{"EXTF", "EXTLIB", "E", 'Y', ' '}, {"ALTF", "EXTLIB", "A", 'I', ' '}}, nullptr);
    GEN_SQL_FIELD& entry = P3109_AddSqlField("CUSTNO");
    EXPECT_EQ(P3109_sCheckFileFieldMangling("CUSTNO", &entry, 1, 1), 1) << "check-only: held";
    EXPECT_EQ(P3109_sCheckFileFieldMangling("CUSTNO", &entry, 1, 0), 1);
    EXPECT_EQ(entry.column, "CUST_ID");
    EXPECT_EQ(entry.uses.back().cClass, 'Y');
    /* the later file of class 'I' names the field CUST_NUMBER: a conflict */
    EXPECT_EQ(warnings(), (std::vector<std::string>{"PRC0047 W", "PRC0047 W", "PRC0047 W"}));
    EXPECT_NE(issuedMessages().at(1).find("CUST_ID is used; file ALTF names it CUST_NUMBER"), std::string::npos)
        << issuedMessages().at(1);

    /* a qualifier names the file: a correlation name first, then a file name */
    int found = 0;
    char kind = ' ', flag = ' ';
    std::string column;
    EXPECT_EQ(P3109_sCheckSelectSqlFileField("CUSTNO", 6, nullptr, found, kind, flag, "A", column), &entry);
    EXPECT_EQ(kind, 'I');
    EXPECT_EQ(column, "CUST_NUMBER");
    EXPECT_EQ(P3109_sCheckSelectSqlFileField("CUSTNO", 6, nullptr, found, kind, flag, "NOFILE", column), nullptr);
    EXPECT_EQ(found, 0);
}

TEST_F(Mangling, HostVariablesOfTheUsedEntries)
{
    begin();
    P3109_State().out.usIndent = 3;
    const auto add = [](const char* name, bool used, char type, int32_t length) {
        GEN_SQL_FIELD& f = P3109_AddSqlField(name);
        f.fUsed = used;
        f.cSqlType = type;
        f.lLength = length;
    };
    add("CUSTNAM", true, 'A', 10);
    add("CREDIT", true, 'D', 8);
    add("CUSTNO", true, 'L', 4);
    add("NOTE", true, 'V', 10);
    add("SKIPPED", false, 'A', 5);
    add("AMOUNT", true, 'P', 7);
    P3109_WriteSqlHostVariables();
    EXPECT_EQ(mainText(), "      char        U_SQL_CUSTNAM[11];\n      double U_SQL_CREDIT;\n"
                          "      long        U_SQL_CUSTNO;\n      struct\n         {      \n"
                          "            short        Length;\n            char         Data[11];\n"
                          "         } U_SQL_NOTE;\n");
    EXPECT_EQ(P3109_State().out.usIndent, 3);

    P3109_WriteModuleComponentIf(main_->stream(), 0, "ORDERS");
    P3109_WriteEndif(0, 0, main_->stream());
    const std::string c = mainText();
    EXPECT_NE(c.find("#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_ORDERS)))\n#endif\n"),
              std::string::npos);
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    P3109_WriteModuleComponentIf(main_->stream(), 0, "ORDERS");
    P3109_WriteEndif(0, 0, main_->stream());
    EXPECT_EQ(mainText(), c) << "the C# target frames nothing";
}

}  // namespace
}  // namespace gencore_test
