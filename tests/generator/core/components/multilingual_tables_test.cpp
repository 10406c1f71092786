// Point 18: the built-in functions' flags and prototypes, MultiText from
// QV_F61 and MultiField from the field text records.
#include "checked_access.h"
#include "generator/core/tables_fixture.h"

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/components/multilingual_tables.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "params/field_texts.h"

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
    const GEN_STATIC_ENTRY& flag = checked::Last(CGEN_StaticWorkingList(0));
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

/* The texts of fields the function defines or overrides, in a partition of
** two languages: an OVERRIDE's label stands in both languages, the texts it
** inherited keep each language's own; a DEFINE'd field the repository has
** no texts for takes its DEFINE's texts in both. The widths the layouts
** size their columns by are those of the texts that stand. */
TEST_F(MultilingualTables, TextsOfTheFunctionsOwnFieldsInEveryLanguage)
{
    exec("INSERT INTO QV_F60 (X60P_I, X60PLN, X60DBC, X60RLT, X60KLG, X60CHR, X60DLN) VALUES "
         "('DEM', 'FRA', 'N', 'N', 'Francais', '1140 1252 ', 'Y');"
         "INSERT INTO QV_FTX (FTXP_I, FTXFLD, FTXPLN, FTXLBL, FTXCH1, FTXCH2, FTXCH3, FTXDES) VALUES "
         "('DEM', 'CUSTNO', 'FRA', 'No client', 'Client', 'numero', '', 'Numero du client')");
    begin();
    const auto own = [this](const char* name, const char* label, const char* h1, const char* h2,
                            const char* description) {
        FFC_FIELD_DEFINITION def;
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, name, std::strlen(name));
        def.cType = 'P';
        def.lLength = 7;
        def.lDecimals = 0;
        def.input.usLength = def.output.usLength = 0;
        FFC_FIELD_TEXT text;
        std::memset(&text, ' ', sizeof text);
        std::memcpy(text.acLabel, label, std::strlen(label));
        std::memcpy(text.acColumnHeadings[0], h1, std::strlen(h1));
        std::memcpy(text.acColumnHeadings[1], h2, std::strlen(h2));
        std::memcpy(text.acDescription, description, std::strlen(description));
        ASSERT_EQ(Put_Function_Field(&ctx, 'F', &def, &text), 0);
    };
    /* OVERRIDE FIELD(#CUSTNO) LABEL('Customer code'): the other texts are
       the repository's English ones */
    own("CUSTNO", "Customer code", "Customer", "number", "Customer number");
    /* DEFINE FIELD(#OPENQTY) ... LABEL('Open') COLHDG('Quantity' 'still open') */
    own("OPENQTY", "Open", "Quantity", "still open", "Quantity still open");
    const auto widths = [this](const char* field) {
        int32_t w[7] = {-1, -1, -1, -1, -1, -1, -1};
        EXPECT_EQ(P8061_sGetMultilingualFieldTexts(&ctx, field, &w[0], &w[1], &w[2], &w[3], &w[4], &w[5], &w[6],
                                                   "QUEUE     "),
                  0)
            << field;
        return std::vector<int32_t>(w, w + 7);
    };
    /* label, heading lines 1 to 3, heading, heading lines, description */
    EXPECT_EQ(widths("CUSTNO    "), (std::vector<int32_t>{13, 8, 6, 0, 8, 2, 16}));
    EXPECT_EQ(widths("OPENQTY   "), (std::vector<int32_t>{4, 8, 10, 0, 10, 2, 19}));
    const auto record = [this](const char* field, const char* language) {
        FFC_WORK_RECORD r;
        WF_BlankRecord(&ctx, &r);
        std::memcpy(r.acKind, "MFLD_3109 ", 10);
        std::memcpy(r.acName, field, std::strlen(field));
        std::memcpy(r.acQualifier, language, std::strlen(language));
        EXPECT_EQ(WF_cReadFirst(&ctx, 0, &r, 3), '0') << field << " " << language;
        const auto at = [&r](size_t offset, size_t width) { return P3109_TrimRight(std::string_view(r.acData + offset, width)); };
        return at(2, 15) + "|" + at(24, 20) + "|" + at(45, 20) + "|" + at(66, 20) + "|" + at(90, 40);
    };
    EXPECT_EQ(record("CUSTNO", "ENG"), "Customer code|Customer|number||Customer number");
    EXPECT_EQ(record("CUSTNO", "FRA"), "Customer code|Client|numero||Numero du client");
    EXPECT_EQ(record("OPENQTY", "ENG"), "Open|Quantity|still open||Quantity still open");
    EXPECT_EQ(record("OPENQTY", "FRA"), "Open|Quantity|still open||Quantity still open");
}

}  // namespace
}  // namespace gencore_test
