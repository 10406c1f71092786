// Static working-variable lists, text-literal naming, and the expression
// writers' line sink on the core.
#include "generator/core/gen_fixture.h"

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
