// The language and description tables (point 8), the evaluation routine
// prototypes (15), the condition blocks (16) and the expression request
// of an evaluation routine.
#include "checked_access.h"
#include "generator/core/tables_fixture.h"

#include "generator/core/components/description_tables.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

class DescriptionTables : public TablesFixture {};

TEST_F(DescriptionTables, OneLanguageGivesRowsWithoutATrailingComma)
{
    exec("INSERT INTO QV_F67 (X67P_I, X67MOD, X67FMT, X67PLN, X67DES) VALUES "
         "('DEM', 'DEMOPRC', 'DEMOMIN', 'XYZ', 'A language the partition lacks')");
    begin();
    P3109_WriteLanguageTables();
    const std::string reference = P3109_WebFunctionDescriptions().at(0);
    EXPECT_EQ(mainText(), "static struct X_LANG s_LanguageTable[] =\n{\n   U_LANGUAGE_TEXT_1,'L'\n};\n"
                          "static X_SHORT s_LanguageCount = (sizeof(s_LanguageTable) / sizeof(struct X_LANG));\n"
                          " \n \n/* ================================================================= */\n"
                          "/* Function Description Details                                      */\n"
                          "/* ================================================================= */\n"
                          "const X_PVCHAR s_FunctionDescriptionTable[] =\n{\n    " +
                              reference + "\n};\n");
    EXPECT_STREQ(CGEN_pFindTextLiteral(reference, nullptr), "Smallest function");
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
}

TEST_F(DescriptionTables, EveryLanguageHasADescriptionLiteral)
{
    exec("INSERT INTO QV_F60 (X60P_I, X60PLN, X60RLT, X60CHR) VALUES ('DEM', 'ARA', 'Y', '420  1256 ')");
    begin();
    ASSERT_EQ(P3109_ProcessDefinitions().languages.size(), 2u);
    P3109_WriteLanguageTables();
    const std::string c = mainText();
    EXPECT_NE(c.find("{\n   U_LANGUAGE_TEXT_1,'L',\n   U_LANGUAGE_TEXT_"), std::string::npos) << c;
    EXPECT_NE(c.find(",'R'\n};\n"), std::string::npos) << c;
    const std::vector<std::string>& names = P3109_WebFunctionDescriptions();
    ASSERT_EQ(names.size(), 2u);
    EXPECT_NE(c.find("    " + names[0] + "\n   ," + names[1] + "\n};\n"), std::string::npos) << c;
    /* the language without a description: its literal is the blank description */
    const char* text = CGEN_pFindTextLiteral(names[1], nullptr);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text).find_first_not_of(' '), std::string::npos);
}

TEST_F(DescriptionTables, AMemberPassDeclaresTheTablesExternal)
{
    ctx.lCompoundComponent = 1;
    ctx.lPassCount = 2;
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    begin();
    ctx.lCurrentPass = 1;
    P3109_WriteLanguageTables();
    EXPECT_EQ(mainText(),
              "extern const X_SHORT        s_LanguageCount;\nextern const struct X_LANG  s_LanguageTable[];\n"
              " \n \n/* ================================================================= */\n"
              "/* Component Description Details                                     */\n"
              "/* ================================================================= */\n"
              "extern const X_PVCHAR s_FunctionDescriptionTable[];\n");
    EXPECT_TRUE(P3109_WebFunctionDescriptions().empty());
}

TEST_F(DescriptionTables, PrototypesOfTheRoutinesThatAreNoMacros)
{
    begin();
    P3109_pszMakeEvaluationName("*ACTIVE", GEN_EVAL_LOGICAL, 20, "#CUSTSTS = A", GEN_EVAL_NAMED_CONDITION, GEN_EVAL_NEW,
                                0)
        ->cResultKind = 'L';
    P3109_pszMakeEvaluationName("COND1", GEN_EVAL_LOGICAL, 20, "#CREDIT > 0", GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 1);
    P3109_pszMakeEvaluationName("EXPR1", ' ', 20, "#CREDIT * 2", GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 0)->cResultKind = 'P';
    P3109_WriteEvaluationPrototypes();
    EXPECT_NE(header().find(" */\n \n   X_YES_NO_FUNCTION Evaluation_Routine_1 (FUNCTION_STD_ARGS);\n"
                            "   X_VOID_FUNCTION Evaluation_Routine_2 (FUNCTION_STD_ARGS);\n"),
              std::string::npos)
        << header();
    EXPECT_EQ(header().find("EVALUATION_MACRO_1"), std::string::npos);
}

TEST_F(DescriptionTables, ConditionBlocksOfBrowseLists)
{
    begin();
    GEN_DEFINITIONS& d = P3109_Definitions();
    d.renames.resize(3);
    for (int i = 2; i < 25; ++i)
        d.conditions.push_back({"C" + std::to_string(i), static_cast<int16_t>(i), 'Y', 'N'});
    P3109_NewListDefinition("BRW", 'B', 0);
    P3109_NewListDefinition("WRK", 'W', 0);
    P3109_WriteConditionBlocks();
    const std::string q = queueText(1);
    const std::string no10 = "NO,NO,NO,NO,NO,NO,NO,NO,NO,NO,";
    EXPECT_NE(q.find("   static struct X_COND X_ListC_BRW[] = \n      {YES,NO,NO,NO,NO,NO,NO,NO,NO,NO,\n       " +
                     no10 + "\n       NO,NO,NO,NO,NO};\n"),
              std::string::npos)
        << q;
    EXPECT_EQ(q.find("X_ListC_WRK"), std::string::npos);
    std::vector<std::string> declarations;
    for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(0))
        declarations.emplace_back(e.cDeclaration);
    EXPECT_NE(std::find(declarations.begin(), declarations.end(), "struct X_RENAME_STACK X_RenameStack[3]"),
              declarations.end());
    EXPECT_NE(std::find(declarations.begin(), declarations.end(), "X_SHORT scX_RenameStack"), declarations.end());
    EXPECT_EQ(checked::Last(CGEN_StaticWorkingList(0)).csDeclaration, "public X_COND[] X_Cond = new X_COND[25]");
}

TEST_F(DescriptionTables, AWideningExpressionIsCheckedAgainInParentheses)
{
    useField("CREDIT", "FL", "CREDIT");
    useField("WRKCNT", "FL", "WRKCNT");
    begin();
    GEN_EVALUATION_NODE node;
    node.text = "#CREDIT * #WRKCNT";
    node.cResultKind = 'P';
    node.lResultLength = 11;
    node.sResultDecimals = 2;
    node.lLine = 7;
    P3109_State().args.pState->lLine = 3;
    P3109_PrepareEvaluationRequest(node);
    const GEN_EVALUATION_REQUEST& r = P3109_EvaluationRequest();
    EXPECT_EQ(r.request.lError, 0);
    EXPECT_EQ(r.lChecks, 2);
    EXPECT_EQ(r.text, "( #CREDIT * #WRKCNT )");
    EXPECT_EQ(std::string(r.request.acCaller, 10), "DC_P3109  ");
    EXPECT_EQ(std::string(r.request.acWorkPrefix, 6), "@@@@@@");
    EXPECT_EQ(std::string(r.request.acRound, 4), "*NO ");
    EXPECT_EQ(r.request.cExpectedType, 'N');
    EXPECT_EQ(std::string(r.options.acFunction, 10), "DEMOMIN   ");
    EXPECT_EQ(P3109_State().args.pState->lLine, 3) << "the check state's position is restored";

    node.text = "(#CREDIT * #WRKCNT)";
    node.alWorkFields[0] = 12;
    node.cChangeKind = 'R';
    P3109_PrepareEvaluationRequest(node);
    EXPECT_EQ(r.lChecks, 1);
    EXPECT_EQ(std::string(r.request.acWorkPrefix, 6), "R@W012");
    EXPECT_EQ(std::string(r.request.acRound, 4), "*YES");
    node.text = "#CREDIT + 1";
    P3109_PrepareEvaluationRequest(node);
    EXPECT_EQ(r.lChecks, 1) << "no operand wider than the result";

    /* the end of a generation releases the request's work buffers; the
       next preparation takes them again */
    ASSERT_GT(r.request.sOperandCount, 0);
    P3109_FreeWorkBuffers();
    EXPECT_TRUE(r.workArea.empty());
    EXPECT_EQ(r.workArea.capacity(), 0u);
    EXPECT_EQ(r.text, "");
    EXPECT_EQ(r.lChecks, 0);
    EXPECT_EQ(r.request.sOperandCount, 0);
    EXPECT_EQ(r.request.pWorkArea, nullptr);
    EXPECT_EQ(r.tokens[0], '\0');
    P3109_PrepareEvaluationRequest(node);
    EXPECT_EQ(r.workArea.size(), static_cast<size_t>(DC_WORK_AREA_SIZE));
    EXPECT_EQ(r.request.pWorkArea, r.workArea.data());
    EXPECT_EQ(r.request.lError, 0);
    EXPECT_GT(r.request.sOperandCount, 0);

    EXPECT_EQ(P3109_fIsWhollyParenthesised("  ( a + b )  ", 13), 1);
    EXPECT_EQ(P3109_fIsWhollyParenthesised("(a) + (b)", 9), 0);
    EXPECT_EQ(P3109_fIsWhollyParenthesised("    ", 4), 0);
}

}  // namespace
}  // namespace gencore_test
