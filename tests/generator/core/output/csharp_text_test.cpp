// Lines of C text never reach a C# file: the judge of a line's C# (every C
// construct the C# pass may be left with, and the C# forms the generator
// writes that look alike), and the line writer, which drops such a line and
// fails the generation with PRC1250 once a command.
#include "generator/core/gen_fixture.h"
#include "generator/core/output/csharp_text.h"
#include "generator/core/output/file_helpers.h"

namespace gencore_test {
namespace {

TEST(CSharpText, CConstructsAreNoCSharp)
{
    for (const char* c : {
             "pX_Sel_10->chLock = YES;",
             "X_CPYBYTES( &(vchDateTime9[10]), \" \" X_DEFAULT_TIME \".000000000\", 20 );",
             "X_VCHAR vchDateTime9[X_MAX_SIZE_DATETIME_LEN];",
             "X_FCHAR Call3GLPgmLib[20];",
             "X_FLD_CHAR fldChar3 = { X_FLDDATA_V1, 0, X_MAX_SIZE_ALPHA_LEN, NULL };",
             "sResult = Subroutine_A(pX_Ids, pX_Pro, INSTANCE(sCurrentCursors));",
             "x = *((decimal(9,2)*)( pX_Fld[V_FIELD_A].pField ));",
             "decimal(7,0) decOperand2;",
             "X_VAR_VarChar_GetCurSize( pX_Ids, pX_Pro, pX_Fun, a, &ulCurSize3 );",
             "y = sizeof( X_List_A.fB );",
             "memset( T, X_CLEAR_ALPHA, 10 );",
             "strcpy( pGlobal1.vchLastIOStatus, X_DBM_OKAY );",
             "PX_FLD_CHAR  pCharValue;",
             "X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, 1 );",
             "((X_FLD_CHAR *)( a ))",
             "#if defined(X_OPERATING_SYSTEM_ISERIES)",
             "#ifdef X_DEBUG",
             "lcGetEntry = FUNCTION_STD_PARMS;",
             "X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_A].pField, \"ABC\", X_RESOLVE_VARCHAR_LENGTH(3,8) );",
         })
        EXPECT_FALSE(P3109_fCSharpText(c)) << c;
}

TEST(CSharpText, TheCSharpFormsTheGeneratorWrites)
{
    for (const char* cs : {
             "pX_Sel_10.chLock = YES;",
             "X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_A].pField, pX_Fld[V_FIELD_B].pField, BYTE_LEN_V_FIELD_A );",
             "//ORIGINAL LINE= *(pX_Fld[V_FIELD_A].pField) = *(pX_Fld[V_FIELD_B].pField);",
             "/* a comment with -> and &(x) and *p */",
             "public X_COND[] Cond = new X_COND[4];",
             "private static readonly short[] asRange_Check_0018 = ",
             "if ( ( ((X_FLD_INFO)( pX_Fld[V_FIELD_A].pField )).bFieldState & (int)XFIELDSTATE.FsIsSqlNull ) != 0 )",
             "dOperand3 = dOperand1 * dOperand2;",
             "if ( bOperand1 && !bOperand2 ) return true;",
             "PX_LIST_1     pList_1 = (PX_LIST_1)pX_NULL;",
             "X_RUN_DLL.X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, 1 );",
             "X_VAR_DLL.X_VAR_VarChar_Assign( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR)( a )), ((X_FLD_CHAR)( b )) );",
             "X_DEFS.X_COPYBYTES( ref pX_Fld[V_FIELD_A].pField, \"ABC\", X_DEFS.X_RESOLVE_VARCHAR_LENGTH(3,8) );",
             "public static X_OBJ_ID_TABLE[] X_Get_Module_Identification()",
             "X_Initialise_Function( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2 );",
             "string s = \"a -> b &(c) *d\";",
             "return ComponentExchange[0].usExchange;",
             "else X_Table[1] = 2;",
             "char c = '*';",
             "#if X_DEBUG",
             "#if UNUSED",
             "X_CondEvaluate[pX_Fun.scX_CondEvaluate] = new X_COND_EVALUATE( 2, new System.Func<X_IDS, char>( R ) );",
             "",
         })
        EXPECT_TRUE(P3109_fCSharpText(cs)) << cs;
}

class CSharpStreams : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
        std::filesystem::create_directories(dir_ / "root" / "CS");
    }
    /* a file of the environment's directory CS, named as the generator names its files */
    GEN_STREAM open(const std::string& name) { return P3109_pOpenOutputFile("\\CS\\" + name); }
    std::string text(const std::string& name) { return readFile(dir_ / "root" / "CS" / name); }
};

/* A C line on its way to a .cs file is not written; the generation fails
   with PRC1250 naming what is written (here a skeleton point's section),
   once for it; a C file takes the line, and C# text passes into the .cs
   file. */
TEST_F(CSharpStreams, CTextIsRefusedOnceACommand)
{
    GEN_STREAM cs = open("A.cs"), c = open("A.C");
    P3109_State().skel.sPoint = 24; /* a section, not the commands (point 1) */
    P3109_WriteLine(cs, 3, "pX_Sel_5->chLock = YES;");
    P3109_WriteLine(cs, 3, "memset( a, 0, 2 );");
    P3109_WriteLine(cs, 3, "pX_Sel_5.chLock = YES;");
    P3109_WriteLine(c, 3, "pX_Sel_5->chLock = YES;");
    P3109_CloseStream(cs);
    P3109_CloseStream(c);
    EXPECT_EQ(text("A.cs"), "   pX_Sel_5.chLock = YES; \r\n");
    EXPECT_EQ(text("A.C"), "   pX_Sel_5->chLock = YES; \r\n");
    const std::vector<std::string> messages = issuedMessages();
    ASSERT_EQ(messages.size(), 1u);
    /* the substitution data: what is written, then the line */
    EXPECT_EQ(messages[0].rfind("PRC1250 F Skeleton point 24 ", 0), 0u) << messages[0];
    EXPECT_NE(messages[0].find("pX_Sel_5->chLock = YES;"), std::string::npos) << messages[0];
    EXPECT_EQ(state.stats.lFatalLater, 1);
}

/* In the C# pass the deferred queues hold C#: a C line is refused when it
   is queued, and the queue is written out as it is. */
TEST_F(CSharpStreams, QueuedLinesOfTheCSharpPass)
{
    GEN_MODULE_STATE& g = P3109_State();
    g.cTarget = GEN_TARGET_CSHARP;
    P3109_WriteLine(1, 3, "static struct X_DBM X_Sel_5;");
    P3109_WriteLine(1, 3, "private static X_DBM X_Sel_5;");
    g.cTarget = GEN_TARGET_C;
    P3109_WriteLine(2, 3, "static struct X_DBM X_Sel_5;");
    GEN_STREAM cs = open("B.cs");
    P3109_WriteLineQueue(1, cs);
    P3109_CloseStream(cs);
    EXPECT_EQ(text("B.cs"), "   private static X_DBM X_Sel_5; \r\n");
    ASSERT_EQ(g.out.queues[1].size(), 1u);
    EXPECT_EQ(issuedMessages().size(), 1u);
}

}  // namespace
}  // namespace gencore_test
