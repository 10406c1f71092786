// Static working-variable lists, text-literal naming, and the expression
// writers' line sink on the core.
#include "checked_access.h"
#include "generator/core/gen_fixture.h"

#include <deque>

#include "generator/core/output/static_lists.h"
#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_instruction_table.h"

namespace gencore_test {
namespace {

class StaticLists : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
        CGEN_ResetStaticWorkingLists();
    }
};

TEST_F(StaticLists, EntriesKeepTheirOrderAcrossBlocksAndUniqueRefusesDuplicates)
{
    for (int i = 1; i <= 11; ++i)
        CGEN_AddStaticWorkingEntry(1, "X_LONG l" + std::to_string(i), "", "X_LONG l" + std::to_string(i), "",
                                   GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(1, "X_LONG l3", "INSTANCE_S2(l3) = 3;", "public int l3", "", GEN_STATIC_UNIQUE);
    ASSERT_EQ(CGEN_StaticWorkingList(1).size(), 11u);
    /* ten entries a block: the eleventh starts the second block */
    const std::deque<GEN_STATIC_WORKING_BLOCK>& blocks = CGEN_StaticWorkingBlocks(1);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].usCount, 10);
    EXPECT_EQ(blocks[0].ulFirst, 0u);
    EXPECT_EQ(blocks[1].usCount, 1);
    EXPECT_EQ(blocks[1].ulFirst, 10u);
    EXPECT_TRUE(CGEN_StaticWorkingBlocks(2).empty());
    Capture c, cs;
    CGEN_WriteStaticWorkingDeclarations(1, c.stream(), cs.stream());
    std::string expected = " \r\n"
                           "/* ----------------------------------------------------------------- */\r\n"
                           "/* ------ GLOBALLY SCOPED STATIC WORKING VARIABLE DECLARATIONS ----- */\r\n"
                           "/* ----------------------------------------------------------------- */\r\n"
                           " \r\n#include \"x_strpck.h\" \r\n \r\n"
                           " \r\n"
                           "typedef struct FUNCTION_STATIC_GLOBAL_2\r\n{\r\n";
    for (int i = 1; i <= 11; ++i)
        expected += "   X_LONG l" + std::to_string(i) + ";\r\n";
    expected += "} FUNCTION_STATIC_GLOBAL_2;\r\n \r\n#include \"x_endpck.h\" \r\n \r\n \r\n";
    EXPECT_EQ(c.text(), expected);
    EXPECT_NE(cs.text().find("   public class FUNCTION_STATIC_GLOBAL_2\r\n   {\r\n      X_LONG l1;\r\n"),
              std::string::npos);
}

// One declaration and one initialiser for both languages; with the unique
// switch an equal declaration adds nothing, whatever its initialiser.
TEST_F(StaticLists, AVariableOfOneTextForBothLanguages)
{
    CGEN_AddStaticWorkingVariable(0, "X_LONG lCount", "INSTANCE(lCount) = 0;", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingVariable(0, "X_LONG lCount", "INSTANCE(lCount) = 1;", GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingVariable(0, "X_SHORT sOther", "", GEN_STATIC_UNIQUE);
    const std::deque<GEN_STATIC_ENTRY>& list = CGEN_StaticWorkingList(0);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].cDeclaration, "X_LONG lCount");
    EXPECT_EQ(list[0].csDeclaration, "X_LONG lCount");
    EXPECT_EQ(list[0].cInitialiser, "INSTANCE(lCount) = 0;");
    EXPECT_EQ(list[0].csInitialiser, "INSTANCE(lCount) = 0;");
    EXPECT_EQ(list[1].csDeclaration, "X_SHORT sOther");
    EXPECT_EQ(list[1].csInitialiser, "");
    /* a list number outside 0 to 2 takes nothing */
    CGEN_AddStaticWorkingVariable(3, "X_LONG lLost", "", GEN_STATIC_ALWAYS);
    EXPECT_EQ(CGEN_StaticWorkingList(0).size(), 2u);
}

// A new block is appended empty and taken by the next entry; the entries
// keep their order whichever block holds them.
TEST_F(StaticLists, ANewBlockTakesTheNextEntry)
{
    CGEN_AddStaticWorkingEntry(2, "X_LONG a", "", "public int a", "", GEN_STATIC_ALWAYS);
    GEN_STATIC_WORKING_BLOCK* block = CGEN_pNewStaticWorkingBlock(2);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->usCount, 0);
    EXPECT_EQ(block->ulFirst, 1u);
    CGEN_AddStaticWorkingEntry(2, "X_LONG b", "", "public int b", "", GEN_STATIC_ALWAYS);
    EXPECT_EQ(block->usCount, 1);
    const std::deque<GEN_STATIC_WORKING_BLOCK>& blocks = CGEN_StaticWorkingBlocks(2);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].usCount, 1);
    EXPECT_EQ(&blocks[1], block);
    ASSERT_EQ(CGEN_StaticWorkingList(2).size(), 2u);
    EXPECT_EQ(CGEN_StaticWorkingList(2)[1].cDeclaration, "X_LONG b");
    EXPECT_EQ(CGEN_pNewStaticWorkingBlock(-1), nullptr);
    EXPECT_EQ(CGEN_pNewStaticWorkingBlock(3), nullptr);
    /* the reset empties the anchors: the next entry opens a first block */
    CGEN_ResetStaticWorkingLists();
    EXPECT_TRUE(CGEN_StaticWorkingBlocks(2).empty());
    CGEN_AddStaticWorkingEntry(2, "X_LONG c", "", "public int c", "", GEN_STATIC_ALWAYS);
    ASSERT_EQ(CGEN_StaticWorkingBlocks(2).size(), 1u);
    EXPECT_EQ(CGEN_StaticWorkingBlocks(2)[0].usCount, 1);
}

TEST_F(StaticLists, InitialisersAtTheColumnAndOnlyWhenGiven)
{
    CGEN_AddStaticWorkingEntry(0, "X_SHORT a", "", "public int a", "", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(0, "X_SHORT b", "INSTANCE(b) = 2;", "public int b", "pGlobal1.b = 2;",
                               GEN_STATIC_ALWAYS);
    Capture c;
    P3109_WriteStaticWorkingInitialisers(0, c.stream(), 6, GEN_TARGET_C);
    P3109_WriteStaticWorkingInitialisers(0, c.stream(), 3, GEN_TARGET_CSHARP);
    P3109_WriteStaticWorkingInitialisers(0, c.stream(), 3, 'X');
    EXPECT_EQ(c.text(), "      INSTANCE(b) = 2;\r\n   pGlobal1.b = 2;\r\n");
}

TEST_F(StaticLists, OverlongDeclarationIsRefusedWithAFatalMessage)
{
    CGEN_AddStaticWorkingEntry(0, std::string(80, 'd'), "", "public int d", "", GEN_STATIC_ALWAYS);
    EXPECT_TRUE(CGEN_StaticWorkingList(0).empty());
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

TEST_F(StaticLists, TextLiteralNames)
{
    CGEN_SetTextLiteralLanguage("X.UTW", "ENG ");
    CGEN_SetTextLiteralPrefix("LANGUAGE");
    const char *ref = nullptr, *decl = nullptr;
    CGEN_GetTextLiteralDefineName("Hello", nullptr, nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(ref, "U_LANGUAGE_TEXT_1");
    EXPECT_STREQ(decl, "U_LANGUAGE_TEXT_1");
    CGEN_GetTextLiteralArrayName("World", nullptr, nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(ref, "&(auchULANGUAGE_Text_2[0])");
    EXPECT_STREQ(decl, "auchULANGUAGE_Text_2");
    CGEN_GetTextLiteralDefineName("Hello", "ENG", nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(ref, "U_LANGUAGE_TEXT_1");
    CGEN_GetTextLiteralArrayName("Hello", nullptr, nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(decl, "auchULANGUAGE_Text_3");
    CGEN_GetTextLiteralDefineName("Hello  ", nullptr, nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(ref, "U_LANGUAGE_TEXT_4");
    CGEN_GetTextLiteralDefineName("Hello  ", nullptr, nullptr, GEN_LITERAL_TRIMMED, &ref, &decl);
    EXPECT_STREQ(ref, "U_LANGUAGE_TEXT_1");
    EXPECT_STREQ(CGEN_pFindTextLiteral("&(auchULANGUAGE_Text_2[0])", nullptr), "World");
    CGEN_SetTextLiteralPrefix(std::string(21, 'P')); /* too long: the name part stays */
    CGEN_GetTextLiteralDefineName("New", nullptr, nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(ref, "U_LANGUAGE_TEXT_5");
    CGEN_SetTextLiteralLanguage("X.UTW", "FRA");
    CGEN_GetTextLiteralDefineName("Hello", nullptr, nullptr, GEN_LITERAL_AS_IS, &ref, &decl);
    EXPECT_STREQ(ref, "U__TEXT_1");
}

// The registration both forms pass on to: equal texts of one form and
// language share their names; the define and the array form number on.
TEST_F(StaticLists, RegisteringATextLiteral)
{
    CGEN_SetTextLiteralLanguage("X.UTW", "ENG");
    CGEN_SetTextLiteralPrefix("DEMO");
    const char *ref = nullptr, *decl = nullptr, *again = nullptr, *againDecl = nullptr;
    CGEN_RegisterTextLiteral("Total  ", nullptr, GEN_LITERAL_TRIMMED, 1, &ref, &decl);
    EXPECT_STREQ(ref, "&(auchUDEMO_Text_1[0])");
    EXPECT_STREQ(decl, "auchUDEMO_Text_1");
    CGEN_RegisterTextLiteral("Total", "ENG", GEN_LITERAL_AS_IS, 1, &again, &againDecl);
    EXPECT_EQ(again, ref) << "the same registration";
    CGEN_RegisterTextLiteral("Total", "FRA", GEN_LITERAL_AS_IS, 1, &ref, &decl);
    EXPECT_STREQ(decl, "auchUDEMO_Text_2") << "another language, another literal";
    CGEN_RegisterTextLiteral("Total", nullptr, GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_STREQ(ref, "U_DEMO_TEXT_3");
    EXPECT_STREQ(decl, "U_DEMO_TEXT_3");
    ASSERT_EQ(CGEN_TextLiterals().size(), 3u);
    EXPECT_EQ(CGEN_TextLiterals()[1].language, "FRA");
}

// A text registered in one language, then in others and in the first
// again: each language keeps its own literal, whichever was registered last.
TEST_F(StaticLists, ATextLiteralIsFoundUnderItsLanguageAfterOthers)
{
    CGEN_SetTextLiteralLanguage("X.UTW", "ENG");
    CGEN_SetTextLiteralPrefix("LANG");
    const char *english = nullptr, *french = nullptr, *ref = nullptr, *decl = nullptr;
    CGEN_RegisterTextLiteral("Yes", nullptr, GEN_LITERAL_AS_IS, 0, &english, &decl);
    EXPECT_STREQ(english, "U_LANG_TEXT_1");
    CGEN_RegisterTextLiteral("Yes", "FRA", GEN_LITERAL_AS_IS, 0, &french, &decl);
    EXPECT_STREQ(french, "U_LANG_TEXT_2");
    CGEN_RegisterTextLiteral("Yes", nullptr, GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_EQ(ref, english) << "the program's language after another";
    CGEN_RegisterTextLiteral("Yes", "FR", GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_STREQ(ref, "U_LANG_TEXT_3") << "a language that begins like another is another";
    CGEN_RegisterTextLiteral("Yes", "FRA ", GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_EQ(ref, french) << "its trailing blank is no part of it";
    CGEN_RegisterTextLiteral("Yes", "ENG", GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_EQ(ref, english);
    ASSERT_EQ(CGEN_TextLiterals().size(), 3u);
    EXPECT_EQ(CGEN_TextLiterals()[2].language, "FR");
}

// Long lists: a declaration added early or late is known however many
// entries came after it; the C# pass adds again only what differs in one
// of the four texts.
TEST_F(StaticLists, ALongListKnowsEveryDeclaration)
{
    for (int i = 0; i < 300; ++i)
        CGEN_AddStaticWorkingEntry(0, "X_LONG lValue" + std::to_string(i), "INSTANCE(lValue" + std::to_string(i) + ") = 0;",
                                   "public int lValue" + std::to_string(i), "", GEN_STATIC_ALWAYS);
    CGEN_AddStaticWorkingEntry(0, "X_LONG lValue0", "INSTANCE(lValue0) = 9;", "public int lValue0", "",
                               GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingEntry(0, "X_LONG lValue299", "", "public int lValue299", "", GEN_STATIC_UNIQUE);
    ASSERT_EQ(CGEN_StaticWorkingList(0).size(), 300u);
    EXPECT_EQ(CGEN_StaticWorkingList(0)[0].cInitialiser, "INSTANCE(lValue0) = 0;");
    EXPECT_EQ(CGEN_StaticWorkingList(0)[299].cDeclaration, "X_LONG lValue299");
    CGEN_AddStaticWorkingEntry(0, "X_LONG lValue", "", "public int lValue", "", GEN_STATIC_UNIQUE);
    EXPECT_EQ(CGEN_StaticWorkingList(0).size(), 301u) << "a declaration that only begins like others is new";

    P3109_State().cTarget = GEN_TARGET_CSHARP;
    CGEN_AddStaticWorkingEntry(0, "X_LONG lValue150", "INSTANCE(lValue150) = 0;", "public int lValue150", "",
                               GEN_STATIC_ALWAYS);
    EXPECT_EQ(CGEN_StaticWorkingList(0).size(), 301u) << "the C pass added it";
    CGEN_AddStaticWorkingEntry(0, "X_LONG lValue150", "INSTANCE(lValue150) = 0;", "public int lValue150",
                               "pGlobal1.lValue150 = 0;", GEN_STATIC_ALWAYS);
    ASSERT_EQ(CGEN_StaticWorkingList(0).size(), 302u);
    EXPECT_EQ(checked::Last(CGEN_StaticWorkingList(0)).csInitialiser, "pGlobal1.lValue150 = 0;");
    P3109_State().cTarget = GEN_TARGET_C;
}

// Lists emptied and filled again: what the index knew of the first
// filling is gone, and the second is known through the index's growth.
TEST_F(StaticLists, AListFilledAgainKnowsOnlyItsNewDeclarations)
{
    for (int i = 0; i < 100; ++i)
        CGEN_AddStaticWorkingVariable(1, "X_LONG lOld" + std::to_string(i), "", GEN_STATIC_ALWAYS);
    CGEN_ResetStaticWorkingLists();
    for (int i = 0; i < 100; ++i)
        CGEN_AddStaticWorkingVariable(1, "X_LONG lNew" + std::to_string(i), "", GEN_STATIC_ALWAYS);
    ASSERT_EQ(CGEN_StaticWorkingList(1).size(), 100u);
    CGEN_AddStaticWorkingVariable(1, "X_LONG lOld7", "", GEN_STATIC_UNIQUE);
    EXPECT_EQ(CGEN_StaticWorkingList(1).size(), 101u) << "an entry of the first filling is no longer held";
    CGEN_AddStaticWorkingVariable(1, "X_LONG lNew0", "", GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingVariable(1, "X_LONG lNew99", "", GEN_STATIC_UNIQUE);
    CGEN_AddStaticWorkingVariable(1, "X_LONG lOld7", "", GEN_STATIC_UNIQUE);
    EXPECT_EQ(CGEN_StaticWorkingList(1).size(), 101u);
    EXPECT_EQ(checked::Last(CGEN_StaticWorkingList(1)).cDeclaration, "X_LONG lOld7");
}

// Many literals: each text keeps its name and its reference (the same
// pointer) while hundreds more are registered, and is found by it.
TEST_F(StaticLists, ManyTextLiteralsKeepTheirNames)
{
    CGEN_SetTextLiteralLanguage("X.UTW", "ENG");
    CGEN_SetTextLiteralPrefix("MANY");
    const char *first = nullptr, *firstDecl = nullptr, *ref = nullptr, *decl = nullptr;
    CGEN_RegisterTextLiteral("Text 1", nullptr, GEN_LITERAL_AS_IS, 0, &first, &firstDecl);
    for (int i = 2; i <= 400; ++i)
        CGEN_RegisterTextLiteral("Text " + std::to_string(i), nullptr, GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_STREQ(ref, "U_MANY_TEXT_400");
    CGEN_RegisterTextLiteral("Text 1", nullptr, GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_EQ(ref, first);
    EXPECT_STREQ(first, "U_MANY_TEXT_1");
    CGEN_RegisterTextLiteral("Text 250", "ENG", GEN_LITERAL_AS_IS, 0, &ref, &decl);
    EXPECT_STREQ(ref, "U_MANY_TEXT_250");
    CGEN_RegisterTextLiteral("Text 250", nullptr, GEN_LITERAL_AS_IS, 1, &ref, &decl);
    EXPECT_STREQ(ref, "&(auchUMANY_Text_401[0])") << "the array form is another literal";
    EXPECT_STREQ(CGEN_pFindTextLiteral("U_MANY_TEXT_1", nullptr), "Text 1");
    EXPECT_STREQ(CGEN_pFindTextLiteral("U_MANY_TEXT_399", nullptr), "Text 399");
    EXPECT_STREQ(CGEN_pFindTextLiteral("&(auchUMANY_Text_401[0])", nullptr), "Text 250");
    EXPECT_EQ(CGEN_pFindTextLiteral("U_MANY_TEXT_402", nullptr), nullptr);
    ASSERT_EQ(CGEN_TextLiterals().size(), 401u);
    EXPECT_EQ(CGEN_TextLiterals()[400].cName, "auchUMANY_Text_401");
    EXPECT_EQ(CGEN_TextLiterals()[400].lForm, 1);
}

TEST_F(StaticLists, ExpressionWritersWriteThroughTheLineWriter)
{
    Capture c;
    GEN_MODULE_STATE& g = P3109_State();
    g.out.current = c.stream();
    g.out.usIndent = 6;
    g.cTarget = GEN_TARGET_CSHARP;
    P3109_ExprWriter services;
    EXPECT_EQ(services.TargetLanguage(), '#');
    EXPECT_EQ(services.OutputStream(), c.stream());
    EXPECT_EQ(services.OutputIndent(), 6);
    EXPECT_EQ(services.Fields().FindField("CUSTNO", *std::make_unique<ExprFieldFacts>()), false);
    EXPR_WriteManagedExpressionFrame(services, "null");
    const std::string text = c.text();
    EXPECT_EQ(text.substr(0, text.find('\n') + 1),
              "      X_VAR_EXPRESSION_FRAME frame = new X_VAR_EXPRESSION_FRAME(); \r\n");
    EXPECT_NE(text.find("      frame.ppOperandTable       = null; \r\n"), std::string::npos);
    services.SetLastIoStatusFlag();
    EXPECT_EQ(g.emit.cLastIoStatus, 'Y');
    g.cTarget = GEN_TARGET_C;
}

}  // namespace
}  // namespace gencore_test
