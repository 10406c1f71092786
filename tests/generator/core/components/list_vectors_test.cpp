// List vectors and tables (point 20), reload counters (2101), user built-in
// function calls (132) and the release of the KEEP_LAST areas (19).
#include "generator/core/tables_fixture.h"

#include "generator/core/components/list_vectors.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

class ListVectors : public TablesFixture {
protected:
    std::string vectorNumber(const std::string& name, int n)
    {
        std::string line = "#define " + name;
        line.resize(60, ' ');
        return line + std::to_string(n);
    }
    std::vector<std::string> staticDeclarations()
    {
        std::vector<std::string> all;
        for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(0))
            all.push_back(std::string(e.cDeclaration) + (e.cInitialiser.empty() ? "" : " = " + std::string(e.cInitialiser)));
        return all;
    }
};

TEST_F(ListVectors, AFunctionWithoutLists)
{
    begin();
    P3109_WriteListVectors();
    EXPECT_EQ(header(), " \n");
    EXPECT_EQ(queueText(1), "");
    EXPECT_EQ(stg(), "");
    P3109_WriteReloadCounters();
    EXPECT_EQ(mainText(), "");

    P3109_State().cTarget = GEN_TARGET_CSHARP;
    P3109_WriteListVectors();
    EXPECT_EQ(queueText(1),
              "public const int TOTAL_LISTS = 0;\npublic const int FUNCTION_TOTAL_LISTS = 0;\n"
              "public const int FUNCTION_TOTAL_LL1_LISTS = 0;\npublic const int FUNCTION_TOTAL_LL2_LISTS = 0;\n"
              "   private static X_LIST[] FUNCTION_LIST_DEF = null;\n");
}

TEST_F(ListVectors, TwoLevelOneAndThreeLevelTwoLists)
{
    ctx.lZoph2Used = 1;
    begin();
    for (const auto& [name, version] :
         std::vector<std::pair<const char*, int>>{{"TWOA", 1}, {"ONEA", 0}, {"TWOB", 1}, {"ONEB", 0}, {"TWOC", 1}})
        P3109_NewListDefinition(name, 'W', version);
    P3109_WriteListVectors();
    const std::string s = stg();
    int n = 0;
    for (const char* name : {"V_LIST_ONEA", "V_LIST_ONEB", "V_LIST_TWOA", "V_LIST_TWOB", "V_LIST_TWOC"})
        EXPECT_NE(s.find(vectorNumber(name, n++)), std::string::npos) << name << "\n" << s;
    EXPECT_LT(s.find("/* ZOPH Lists"), s.find("/* ZOPHX Lists"));
    const std::string q = queueText(1);
    const size_t one = q.find("   static X_LIST_1 FUNCTION_LIST_DEF [] = {\n       \"ONEA\"");
    const size_t two = q.find("   };\n   \n   static X_LIST_2 FUNCTION_LIST_DEF_2 [] = {\n       \"TWOA\",'W',-1,");
    EXPECT_NE(one, std::string::npos) << q;
    EXPECT_NE(two, std::string::npos) << q;
    EXPECT_NE(q.find("      ,\"ONEB\"", one), std::string::npos);
    EXPECT_NE(q.find("      ,\"TWOC\"", two), std::string::npos);
    EXPECT_NE(q.find(vectorNumber("FUNCTION_TOTAL_LISTS", 5)), std::string::npos) << q;
    EXPECT_NE(q.find(vectorNumber("FUNCTION_TOTAL_LL1_LISTS", 2)), std::string::npos);
    EXPECT_NE(q.find(vectorNumber("FUNCTION_TOTAL_LL2_LISTS", 3)), std::string::npos);
    const std::string indent(27, ' ');
    EXPECT_EQ(queueText(6), "   X_Create_List_Instances_2 (pX_Ids,\n   " + indent + "pX_Pro,\n   " + indent +
                                "pX_Fun,\n   " + indent + "(X_SHORT) FUNCTION_TOTAL_LL1_LISTS,\n   " + indent +
                                "&(FUNCTION_LIST_DEF[0]),\n   " + indent + "(X_SHORT) FUNCTION_TOTAL_LL2_LISTS,\n   " +
                                indent + "&(FUNCTION_LIST_DEF_2[0]),\n   " + indent + "ppX_List);\n");

    P3109_State().out.queues[0].clear();
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    P3109_WriteListVectors();
    const std::string cs = queueText(1);
    EXPECT_NE(cs.find("   private static X_LIST[] FUNCTION_LIST_DEF = new X_LIST[2]{\n"), std::string::npos) << cs;
    /* static: the set-up routine that makes the instances is a static method */
    EXPECT_NE(cs.find("   private static X_LIST[] FUNCTION_LIST_DEF_2 = new X_LIST[3]{\n"), std::string::npos);
}

TEST_F(ListVectors, OnlyLevelTwoLists)
{
    ctx.lZoph2Used = 1;
    begin();
    P3109_NewListDefinition("TWOA", 'W', 1);
    P3109_WriteListVectors();
    const std::string q = queueText(1);
    EXPECT_NE(q.find(" */\n \n   static X_LIST_2 FUNCTION_LIST_DEF_2 [] = {\n"), std::string::npos) << q;
    EXPECT_EQ(q.find("FUNCTION_LIST_DEF ["), std::string::npos);
    const std::string six = queueText(6);
    EXPECT_NE(six.find("pX_NULL,\n"), std::string::npos) << six;
    EXPECT_NE(six.find("&(FUNCTION_LIST_DEF_2[0]),\n"), std::string::npos);
    P3109_State().out.queues[5].clear();
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    P3109_WriteListVectors();
    EXPECT_NE(queueText(6).find(std::string(27, ' ') + "null,\n"), std::string::npos) << queueText(6);
}

TEST_F(ListVectors, MapsAndStaticWorkingVariables)
{
    begin();
    GEN_LIST_DEFINITION& l = P3109_NewListDefinition("ORD", 'W', 0);
    l.fields.push_back({"CUSTNO    ", "V_LF_ORD_CUSTNO", "V_FIELD_CUSTNO", -1});
    l.fields.push_back({"CREDIT    ", "V_LF_ORD_CREDIT", "V_FIELD_CREDIT", 3});
    GEN_EMITTER_FLAGS& e = P3109_State().emit;
    e.cCallFunction = 'Y';
    e.cValidation = 'Y';
    e.sBeginChecks = 2;
    e.cWorkDouble = 'Y';
    e.keepLastAreas = {"ORDFILE"};
    e.cLastIoStatus = 'Y';
    e.fileAccessBlocks = {{"ORDFILE", "ORDDB", "ORDERS", "ORDLIB"}};
    e.pointOverrides = {"X_Point_ORDxLIB"};
    e.workFields = {{"dWork1", "X_DOUBLE", ""}, {"chWork", "X_CHAR", "10"}};
    const size_t before = CGEN_StaticWorkingList(0).size();
    P3109_WriteListVectors();
    EXPECT_NE(queueText(1).find("   static struct X_LMAP X_LMap_ORD[] = {\n       V_FIELD_CUSTNO,-1\n"
                                "      ,V_FIELD_CREDIT,3\n   };\n"),
              std::string::npos)
        << queueText(1);
    const std::vector<std::string> all = staticDeclarations();
    const std::vector<std::string> added(all.begin() + static_cast<long>(before), all.end());
    EXPECT_EQ(
        added,
        (std::vector<std::string>{
            "X_VCHAR vchCallFunction[X_FUNCTION_NAME_LEN + 1]", "X_YES_NO fchFieldAccepted[X_VECTOR_TOTAL]",
            "X_SHORT X_ErrorCount_1", "X_SHORT X_ErrorCount_2", "X_DOUBLE dWorkDouble = INSTANCE(dWorkDouble) = 0.0;",
            "X_CHAR chListEntryMode", "struct X_KEEP_LAST X_KLast[1]", "X_SHORT scX_KLast = INSTANCE(scX_KLast) = 1;",
            "X_CHAR chEntryChanged", "X_VCHAR vchLastIOStatus[X_DBM_RETURN_CODE_LEN + 1]",
            "struct X_DBM * pORDFILE = INSTANCE(pORDFILE) = pX_NULL;", "struct X_CONNECT_DATABASE * ORDDB",
            "X_POINT_FILE X_Point_ORDxLIB = #if defined X_OPERATING_SYSTEM_ISERIES\r\n"
            "   INSTANCE(X_Point_ORDxLIB.vchFilePoint)[0] = LOVAL;\r\n"
            "   INSTANCE(X_Point_ORDxLIB.vchLibrary)[0] = LOVAL;\r\n"
            "   INSTANCE(X_Point_ORDxLIB.vchMember)[0] = LOVAL;\r\n   #endif",
            "X_DOUBLE dWork1 = INSTANCE(dWork1) = 0.0;", "X_CHAR chWork[10]"}));
}

TEST_F(ListVectors, ReloadCountersOfBrowseListsWithACounter)
{
    begin();
    P3109_NewListDefinition("BRW", 'B', 0).texts[0] = "V_FIELD_LSTCNT";
    P3109_NewListDefinition("NOCOUNT", 'B', 0);
    P3109_NewListDefinition("WORK", 'W', 0).texts[0] = "V_FIELD_WRKCNT";
    P3109_WriteReloadCounters();
    const std::string dashes(42, '-');
    EXPECT_EQ(mainText(), "    \n   /* " + dashes + " */\n   /* Reload Counter for Browse Lists (Web Only) */\n   /* " +
                              dashes +
                              " */\n    \n      {\n"
                              "         if (pX_Ids->chExecutionState == X_EXECUTION_STATE_SERVER_WEB_JOB )\n"
                              "         {\n            X_Vec_Set_from_Long(pX_Ids,pX_Pro,pX_Fun,\n"
                              "               pX_Fld,V_FIELD_LSTCNT,\n"
                              "               pX_List[V_LIST_BRW].sCurrentEntrys);\n         }\n      }\n\n");
    EXPECT_EQ(P3109_State().out.usIndent, 0);
}

TEST_F(ListVectors, UserBuiltInFunctionCalls)
{
    begin();
    GEN_BIF_DEFINITION* vat = nullptr;
    for (GEN_BIF_DEFINITION& b : P3109_ProcessDefinitions().bifs)
        if (P3109_TrimRight(b.name) == "DEM_ADD_VAT")
            vat = &b;
    ASSERT_NE(vat, nullptr);
    vat->cUsed = 'Y';
    P3109_WriteUserBifCalls();
    EXPECT_EQ(mainText(),
              "if ( pX_Fun->chShutDown == YES || pX_Fun->chError == YES )\n{\n"
              "   if (INSTANCE(X_BuiltIn_901_Called) == YES)\n   {\n      struct X_BIF X_BuiltIn;\n    \n"
              "      X_BuiltIn.sUID = 901;\n      X_BuiltIn.chShutDown = YES;\n"
              "      X_BuiltIn.chReturnCode = YES;\n    \n"
              "      X_BuiltIn_901( pX_Ids, pX_Pro, pX_Fun, &(X_BuiltIn), pX_Fld, pX_List,\n"
              "          0, pX_NULL, 0, pX_NULL );\n    \n      INSTANCE(X_BuiltIn_901_Called) = NO;\n   }\n}\n");

    /* at a nesting depth of 12 the block keeps the indent */
    vat->cUsed = 'N';
    P3109_State().out.sDepth = 12;
    P3109_State().out.usIndent = 9;
    const std::string before = mainText();
    P3109_State().skel.usColumn = 6;
    P3109_WriteUserBifCalls();
    EXPECT_EQ(mainText().substr(before.size()),
              "      if ( pX_Fun->chShutDown == YES || pX_Fun->chError == YES )\n      {\n      }\n");
    EXPECT_EQ(P3109_State().out.usIndent, 9);
    EXPECT_EQ(P3109_State().out.sDepth, 12);
}

TEST_F(ListVectors, KeepLastAreasAreReleased)
{
    begin();
    P3109_WriteKeepLastFree();
    EXPECT_EQ(mainText(), "");
    P3109_State().emit.keepLastAreas = {"ORD"};
    P3109_State().skel.usColumn = 3;
    P3109_WriteKeepLastFree();
    EXPECT_EQ(mainText(), "    \n   /* Free all \"KEEP_LAST\" tracking areas */\n    \n   {\n"
                          "      X_Free_Last( pX_Ids, pX_Pro, pX_Fun, pX_Fld, &(INSTANCE(X_KLast[0])),\n"
                          "           INSTANCE_S3(scFetch_Keys_ORD), INSTANCE_S3(Fetch_Keys_ORD),\n"
                          "           INSTANCE_S3(scFetch_Data_ORD), INSTANCE_S3(Fetch_Data_ORD) );\n"
                          "      INSTANCE(X_KLast[0].pEntries) = pX_NULL;\n      \n   }\n");
    EXPECT_EQ(P3109_State().out.usIndent, 0);
}

}  // namespace
}  // namespace gencore_test
