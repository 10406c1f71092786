// Point 18: the built-in functions' flags and prototypes, MultiText from
// QV_F61 and MultiField from the field text records.
#include "tables_fixture.h"

#include "generator/core/definitions.h"
#include "generator/core/multilingual_tables.h"
#include "generator/core/name_services.h"
#include "generator/core/services.h"
#include "generator/core/static_lists.h"

namespace gencore_test {
namespace {

class MultilingualTables : public TablesFixture {};

TEST_F(MultilingualTables, WithoutTextsOnlyTheBuiltInFunctionSections)
{
    begin();
    for (GEN_BIF_DEFINITION& b : P3109_ProcessDefinitions().bifs)
        b.cUsed = P3109_TrimRight(b.name) == "DEM_ADD_VAT" ? 'Y' : 'N';
    P3109_WriteMultilingualTables();
    /* then the entries of the environment's user DLL, each with the
       built-in function routine's arguments */
    const std::string arguments = " (struct X_IDS *,struct X_PRO *,struct X_FUN *,\n"
                                  "    struct X_BIF *,struct X_FLD [],struct X_LIST [],\n"
                                  "    X_SHORT,X_SHORT [],X_SHORT,X_SHORT []);\n";
    EXPECT_EQ(header(), "   X_VOID_FUNCTION X_BuiltIn_901 (struct X_IDS *,struct X_PRO *,struct X_FUN *,\n"
                        "       struct X_BIF *,struct X_FLD [],struct X_LIST [],\n"
                        "       X_SHORT,X_SHORT [],X_SHORT,X_SHORT []);\n"
                        "F_VOID_FUNCTION X_BZMONEYROUNDCUR" +
                            arguments + "F_VOID_FUNCTION X_BZMONEYTRUNCCUR" + arguments);
    const GEN_STATIC_ENTRY& flag = CGEN_StaticWorkingList(0).back();
    EXPECT_EQ(flag.cDeclaration, "X_YES_NO X_BuiltIn_901_Called");
    EXPECT_EQ(flag.cInitialiser, "INSTANCE(X_BuiltIn_901_Called) = NO;");
    EXPECT_EQ(queueText(3), "");
    EXPECT_EQ(queueText(4), "");
    EXPECT_TRUE(P3109_WebMultilingualTexts().empty());
    EXPECT_TRUE(P3109_WebFieldTexts().empty());
}

TEST_F(MultilingualTables, TextsOfTheVariablesInThePartitionsLanguages)
{
    exec("INSERT INTO QV_F61 (X61P_I, X61PLN, X61MTX, X61VAL) VALUES ('DEM', 'ENG', 'TITLE', 'Customers'), "
         "('DEM', 'FRA', 'ONLYFRA', 'Clients')");
    begin();
    P3109_pFindMultilingualVariable("title");
    P3109_pFindMultilingualVariable("ONLYFRA");
    P3109_WriteMultilingualTables();
    const std::vector<std::string>& names = P3109_WebMultilingualTexts();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_STREQ(CGEN_pFindTextLiteral(names[0], nullptr), "Customers");
    EXPECT_EQ(queueText(4), " \n   /* --------------------------------------------- */\n"
                            "   /* Global multilingual text definition structure */\n"
                            "   /* --------------------------------------------- */\n \n"
                            "   static struct X_MTXT MultiText [2] /* Variables */ [1] /* Languages */ = \n   {\n"
                            "      {\n         " +
                                names[0] +
                                "\n      }\n"
                                "     ,{\n         " +
                                names[1] + "\n      }\n   };\n");
    EXPECT_EQ(issuedMessages(), std::vector<std::string>{"PRC1007 W ONLYFRA"});
}

TEST_F(MultilingualTables, FieldTextsByTheirFlags)
{
    writeRecord("MFLD_3109", "CUSTNO", "ENG",
                {{2, "Customer no."}, {24, "Customer"}, {45, "number"}, {90, "Customer number"}});
    writeRecord("MFLD_3109", "CREDIT", "ENG", {{2, "Credit limit"}, {90, "Credit limit"}});
    begin();
    P3109_RegisterFieldTextUse("CUSTNO", 'L');
    P3109_RegisterFieldTextUse("CUSTNO", '1');
    P3109_RegisterFieldTextUse("CREDIT", 'D');
    P3109_WriteMultilingualTables();
    const std::vector<GEN_WEB_FIELD_TEXTS>& n = P3109_WebFieldTexts();
    ASSERT_EQ(n.size(), 2u);
    EXPECT_EQ(n[0].field, "CUSTNO    ");
    EXPECT_TRUE(n[0].description.empty());
    EXPECT_TRUE(n[1].label.empty()) << "the label flag of CREDIT is 'N'";
    EXPECT_STREQ(CGEN_pFindTextLiteral(n[0].headings[1], nullptr), "number");
    EXPECT_EQ(queueText(3),
              " \n   /* ----------------------------------------------------- */\n"
              "   /* Global field labels, column headings and descriptions */\n"
              "   /* ----------------------------------------------------- */\n \n"
              "   static struct X_MFLD MultiField[2] /* Fields */ [1] /* Languages */ = \n   {\n"
              "      {\n         " +
                  n[0].label + "\n        ," + n[0].headings[0] + "\n        ," + n[0].headings[1] +
                  "\n        ,pX_NULL\n        ,pX_NULL\n      }\n"
                  "     ,{\n         pX_NULL\n        ,pX_NULL\n        ,pX_NULL\n        ,pX_NULL\n        ," +
                  n[1].description + "\n      }\n   };\n");
}

}  // namespace
}  // namespace gencore_test
