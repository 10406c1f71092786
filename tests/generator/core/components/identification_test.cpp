// The identification table (point 66) and the function definition record
// (point 7) of a generated module, in C and C#; expected lines written out
// by hand.
#include "generator/core/gen_fixture.h"

#include "dqov/runcontrol/work_records.h"
#include "generator/core/components/identification.h"
#include "generator/core/model/definitions.h"

namespace gencore_test {
namespace {

class Identification : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
        GEN_MODULE_STATE& g = P3109_State();
        g.function = "ABC";
        g.process = "PROCX";
        g.cName = "ABC";
    }

    /* What a point writes on the main output, blank and line end of each
       line written as "\n". */
    template <typename F> std::string mainOutput(F f)
    {
        Capture capture;
        GEN_MODULE_STATE& g = P3109_State();
        g.out.mainOutput = capture.stream();
        f();
        g.out.mainOutput = GEN_NO_STREAM;
        std::string text = capture.text();
        for (size_t at; (at = text.find(" \r\n")) != std::string::npos;)
            text.replace(at, 3, "\n");
        return text;
    }

    static std::string from(const std::string& text, const std::string& start)
    {
        const size_t at = text.find(start);
        return at == std::string::npos ? "<" + start + " missing>" : text.substr(at);
    }
};

TEST_F(Identification, FunctionTableInC)
{
    const std::string text = mainOutput([] { P3109_WriteIdentificationTable(); });
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    EXPECT_EQ(text.rfind("   static X_OBJ_ID_BUILD_DATE X_BuildDate =\n   {\n      __DATE__\n   };\n\n", 0), 0u);
    EXPECT_NE(text.find("   static X_OBJ_ID_BUILD_TIME X_BuildTime =\n   {\n      __TIME__\n   };\n\n"),
              std::string::npos);
    EXPECT_NE(text.find("   static X_OBJ_ID_BUILD_NUMBER X_BuildNumber =\n   {\n      1,\n      \""),
              std::string::npos);
    EXPECT_EQ(from(text, "   static X_OBJ_ID_OBJECT_TYPE"),
              "   static X_OBJ_ID_OBJECT_TYPE X_ObjType =\n   {\n      \"PF\"\n   };\n\n"
              "   static X_OBJ_ID_OBJECT_NAME X_ObjName =\n   {\n      \"ABC    \"\n   };\n\n"
              "   static X_OBJ_ID_OBJECT_EXT X_ObjExt =\n   {\n      \"PROCX     \"\n   };\n\n"
              "   static X_OBJ_ID_DLL_NAME X_DLLName =\n   {\n      \"ABC\"\n   };\n\n"
              "   static X_OBJ_ID_TABLE IdentificationTable[] =\n   {\n"
              "      X_OBJ_ID_OBJECT_TYPE_OPTION, &X_ObjType,\n"
              "      X_OBJ_ID_OBJECT_NAME_OPTION, &X_ObjName,\n"
              "      X_OBJ_ID_OBJECT_EXT_OPTION, &X_ObjExt,\n"
              "      X_OBJ_ID_DLL_NAME_OPTION, &X_DLLName,\n"
              "      X_OBJ_ID_BUILD_DATE_OPTION, &X_BuildDate,\n"
              "      X_OBJ_ID_BUILD_TIME_OPTION, &X_BuildTime,\n"
              "      X_OBJ_ID_BUILD_NUMBER_OPTION, &X_BuildNumber,\n"
              "      -1, pX_NULL,\n   };\n");
}

TEST_F(Identification, ComponentTableInCSharpIsFilledByIndex)
{
    ctx.lComponentRun = 1;
    std::memcpy(ctx.acComponent, "ORDERS    ", 10);
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::string text = mainOutput([] { P3109_WriteIdentificationTable(); });
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_NE(text.find("   X_OBJ_ID_BUILD_DATE X_BuildDate = new X_OBJ_ID_BUILD_DATE\n   (\n      __DATE__\n   );\n"),
              std::string::npos);
    EXPECT_EQ(
        from(text, "   X_OBJ_ID_OBJECT_TYPE"),
        "   X_OBJ_ID_OBJECT_TYPE X_ObjType = new X_OBJ_ID_OBJECT_TYPE\n   (\n      \"DF\"\n   );\n\n"
        "   X_OBJ_ID_OBJECT_NAME X_ObjName = new X_OBJ_ID_OBJECT_NAME\n   (\n      \"ORDERS\"\n   );\n\n"
        "   X_OBJ_ID_OBJECT_EXT X_ObjExt = new X_OBJ_ID_OBJECT_EXT\n   (\n      \"\"\n   );\n\n"
        "   X_OBJ_ID_DLL_NAME X_DLLName = new X_OBJ_ID_DLL_NAME\n   (\n      \"ABC\"\n   );\n\n"
        "   X_OBJ_ID_TABLE[] IdentificationTable = new X_OBJ_ID_TABLE[X_OidStr.X_OBJ_ID_MAX_OPTIONS];\n"
        "      IdentificationTable[0] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_OBJECT_TYPE_OPTION, X_ObjType );\n"
        "      IdentificationTable[1] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_OBJECT_NAME_OPTION, X_ObjName );\n"
        "      IdentificationTable[2] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_OBJECT_EXT_OPTION, X_ObjExt );\n"
        "      IdentificationTable[3] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_DLL_NAME_OPTION, X_DLLName );\n"
        "      IdentificationTable[4] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_BUILD_DATE_OPTION, X_BuildDate );\n"
        "      IdentificationTable[5] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_BUILD_TIME_OPTION, X_BuildTime );\n"
        "      IdentificationTable[8] = new X_OBJ_ID_TABLE( X_OidStr.X_OBJ_ID_BUILD_NUMBER_OPTION, X_BuildNumber );\n");
}

TEST_F(Identification, RowBeyondTheTemplateIsRefused)
{
    const std::string text = mainOutput([] {
        const GEN_STREAM out = P3109_State().out.mainOutput;
        IDTAB_WriteBuildStampVariables([](GEN_STREAM s, std::string_view l) { P3109_WriteFileLine(1, l, s); }, out,
                                       GEN_TARGET_C);
        P3109_WriteFileLine(1, "MARK", out);
        EXPECT_EQ(IDTAB_WriteVariableInitialiser(11, "X", GEN_TARGET_C), 0);
        EXPECT_EQ(IDTAB_WriteVariableInitialiser(-1, "X", GEN_TARGET_C), 0);
    });
    EXPECT_EQ(text.substr(text.size() - 5), "MARK\n");
}

TEST_F(Identification, FunctionDefinitionRecord)
{
    GEN_DEFINITIONS& d = P3109_Definitions();
    d.x20rcl = "H";
    d.sysflags[SF_HEAVYUSAGE] = 'Y';
    d.sysflags[SF_LIGHTUSAGE] = 'Y';
    d.sysflags[SF_NOMESSAGES] = 'Y';
    d.sysflags[SF_WEBEVENT] = 'Y';
    d.sysflags[SF_STRICT_NULL_ASSIGN] = 'S';
    ctx.lZophxUsed = 1;
    P3109_State().cursorLocationField = "V_FIELD_CURLOCdFN";
    P3109_State().ioModeField = "V_NOT_AVAILABLE";
    const std::string text = mainOutput([] { P3109_WriteFunctionDefinition(); });
    EXPECT_EQ(text, "     X_FUN_V18,\n"
                    "     \"PROCX\",\"ABC\",\"\",\n"
                    "     \"\",0,YES,NO,NO,'D',NO,NO,\n"
                    "     \"  \",\"00\",\"00\",\"00\",\"00\",\"00\",\n"
                    "     NO,0,pX_NULL,NO,\n"
                    "     V_FIELD_CURLOCdFN,0,pX_NULL,0,pX_NULL,0,pX_NULL,V_NOT_AVAILABLE,0,pX_NULL,\n"
                    "     pX_NULL,pX_NULL,FALSE,FALSE,pX_NULL,0,pX_NULL,0,0,FALSE,0,0,pX_NULL,pX_NULL,pX_NULL,\n"
                    "     -1,TRUE,-1,FALSE,FALSE,pX_NULL,0,( 0 | 0 | FuncIsZophxUsed | FuncIsStrictSqlNullAssign | "
                    "FuncIsSizingInfoInGlobals),pX_NULL,0,pX_NULL\n");
}

/* The state word names the state of a run at language level two, and that of
   ZOPH2 use, in both targets: the C names as the run time defines them, the C#
   ones as members of XFUNCTIONSTATE; a state the run lacks is 0 in its place. */
TEST_F(Identification, FunctionDefinitionStateOfLevelTwo)
{
    P3109_Definitions().x20rcl = "H";
    P3109_State().cursorLocationField = P3109_State().ioModeField = "V_NOT_AVAILABLE";
    ctx.lLanguageLevelTwo = 1;
    const auto lastLine = [this] {
        const std::string text = mainOutput([] { P3109_WriteFunctionDefinition(); });
        const size_t from = text.rfind('\n', text.size() - 2);
        return text.substr(from + 1);
    };
    EXPECT_EQ(lastLine(), "     -1,FALSE,-1,FALSE,FALSE,pX_NULL,0,( FuncIsLanguageLevelTwo | 0 | 0 | 0 | "
                          "FuncIsSizingInfoInGlobals),pX_NULL,0,pX_NULL\n");
    ctx.lZoph2Used = 1;
    EXPECT_EQ(lastLine(),
              "     -1,FALSE,-1,FALSE,FALSE,pX_NULL,0,( FuncIsLanguageLevelTwo | FuncIsFullZophxUsed | 0 | 0 | "
              "FuncIsSizingInfoInGlobals),pX_NULL,0,pX_NULL\n");
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::string csharp = lastLine();
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_EQ(csharp,
              "     -1,FALSE,-1,FALSE,FALSE,null,0, (int) ( XFUNCTIONSTATE.FuncIsLanguageLevelTwo | "
              "XFUNCTIONSTATE.FuncIsFullZophxUsed | 0 | 0 | XFUNCTIONSTATE.FuncIsSizingInfoInGlobals),null,0,null\n");
    ctx.lLanguageLevelTwo = 0;
    EXPECT_EQ(lastLine(), "     -1,FALSE,-1,FALSE,FALSE,pX_NULL,0,( 0 | FuncIsFullZophxUsed | 0 | 0 | "
                          "FuncIsSizingInfoInGlobals),pX_NULL,0,pX_NULL\n");
}

TEST_F(Identification, FunctionDefinitionRecordInCSharp)
{
    P3109_Definitions().x20rcl = "H";
    /* a rename of two used fields is a row of the rename table the record
       names; one whose new name the function never uses is no row */
    defineField("CUSTNAM", 'A', 30, 0);
    defineField("FLWCNAM", 'A', 30, 0);
    useField("CUSTNAM", "FL", "CUSTNAM");
    useField("FLWCNAM", "FL", "FLWCNAM");
    P3109_Definitions().renames = {{"CUSTMST   ", "CUSTNAM   ", "FLWCNAM   "},
                                   {"CUSTMST   ", "CUSTNO    ", "NOTUSED   "}};
    P3109_State().cursorLocationField = P3109_State().ioModeField = "V_NOT_AVAILABLE";
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::string text = mainOutput([] { P3109_WriteFunctionDefinition(); });
    P3109_State().cTarget = GEN_TARGET_C;
    EXPECT_EQ(text,
              "     X_FunStr.X_FUN_V18,\n"
              "     \"PROCX\",\"ABC\",\"\",\n"
              "     \"\",0,NO,NO,YES,'D',NO,NO,\n"
              "     \"  \",new X_FUN_UKEY[5]{ new X_FUN_UKEY(\"00\"),new X_FUN_UKEY(\"00\"),new X_FUN_UKEY(\"00\"),"
              "new X_FUN_UKEY(\"00\"),new X_FUN_UKEY(\"00\") },\n"
              "     NO,0,null,NO,\n"
              "     V_NOT_AVAILABLE,0,null,0,null,0,null,V_NOT_AVAILABLE,0,null,\n"
              "     null,null,0,FALSE,null,0,null,0,0,FALSE,0,0,null,null,null,\n"
              "     -1,FALSE,-1,FALSE,FALSE,null,0, (int) ( 0 | 0 | 0 | 0 | "
              "XFUNCTIONSTATE.FuncIsSizingInfoInGlobals),null,1,aRenames\n");
    P3109_Definitions().renames.clear();
}

}  // namespace
}  // namespace gencore_test
