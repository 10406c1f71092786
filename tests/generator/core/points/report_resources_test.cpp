// Report and cursor prototypes, the temporary storage count, the fast-maths
// test, resource references and definitions, member objects, the component
// exchange vector and the evaluation cases.
#include "checked_access.h"
#include "generator/core/tables_fixture.h"

#include "dqov/runcontrol/x_tree.h"
#include "generator/core/components/report_prototypes.h"
#include "generator/core/model/component_model.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_info.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/resource_definitions.h"

namespace gencore_test {
namespace {

class ReportsResources : public TablesFixture {};

TEST_F(ReportsResources, PrototypesOfAPrintedReport)
{
    begin();
    GEN_REPORT_SLOT& slot = P3109_Definitions().reports[2];
    slot.sNumber = 3;
    slot.cKind = 'P';
    P3109_WriteReportPrototypes();
    EXPECT_EQ(header(), " \n   /* ----------------------------------------------------- */\n"
                        "   /* Prototypes for report open/close/handling subroutines */\n"
                        "   /* ----------------------------------------------------- */\n \n"
                        "   F_VOID_FUNCTION Open_Report_3 (FUNCTION_STD_ARGS);\n"
                        "   F_VOID_FUNCTION Close_Report_3 (FUNCTION_STD_ARGS);\n"
                        "   F_VOID_FUNCTION Print_Headings_3 (FUNCTION_STD_ARGS);\n"
                        "   F_VOID_FUNCTION Print_Footings_3 (X_SHORT, FUNCTION_STD_ARGS);\n");
    slot.printLines = {{"LINE", "ORDLN"}, {"TRAI", "TOTAL"}, {"HEAD", "IGNORED"}};
    const size_t before = CGEN_StaticWorkingList(0).size();
    P3109_WriteReportPrototypes();
    EXPECT_NE(header().find("   F_VOID_FUNCTION Print_Line_ORDLN (FUNCTION_STD_ARGS);\n"
                            "   F_VOID_FUNCTION Print_Trailing_TOTAL (FUNCTION_STD_ARGS);\n"),
              std::string::npos);
    ASSERT_EQ(CGEN_StaticWorkingList(0).size(), before + 1);
    EXPECT_EQ(checked::Last(CGEN_StaticWorkingList(0)).cDeclaration, "X_ULONG ulBreakCountTOTAL");
}

TEST_F(ReportsResources, CursorPrototypesOnlyWithCursors)
{
    begin();
    const size_t before = CGEN_StaticWorkingList(0).size();
    P3109_WriteCursorPrototypes();
    EXPECT_EQ(header(), "");
    EXPECT_EQ(CGEN_StaticWorkingList(0).size(), before);
    P3109_State().sSqlCursorCount = 2;
    P3109_WriteCursorPrototypes();
    EXPECT_NE(header().find("   F_VOID_FUNCTION X_Close_Cursors (FUNCTION_STD_ARGS, X_LONG);\n"), std::string::npos);
    EXPECT_EQ(checked::Last(CGEN_StaticWorkingList(0)).cDeclaration, "PFNCURSORCLS pfCloseCursor[2]");
    P3109_State().emit.sTempStoreAreas = 4;
    P3109_WriteTempStoreCount();
    std::string define = "#define V_TEMP_STORE_AREAS";
    define.resize(60, ' ');
    EXPECT_NE(stg().find(define + "4"), std::string::npos) << stg();
}

TEST_F(ReportsResources, FastMathsOfOrdinaryNumericFields)
{
    begin();
    GEN_FIELD_INFO f;
    f.cType = 'P';
    f.lLength = 7;
    f.fieldName = "AMOUNT    ";
    f.acKind[0] = 'F';
    f.acKind[1] = 'L';
    EXPECT_FALSE(P3109_fFastMathsAllowed(f));
    f.cFastMaths = 'Y';
    EXPECT_TRUE(P3109_fFastMathsAllowed(f));
    f.cFastMaths = 'N';
    P3109_State().process = "QTW$ORD";
    EXPECT_TRUE(P3109_fFastMathsAllowed(f));
    f.lLength = 31;
    const std::string text = expectFatal([&] { P3109_fFastMathsAllowed(f); });
    EXPECT_NE(text.find("Internal error: Fast_Maths_Allowed() unexpected use of ZOPHX Field AMOUNT"), std::string::npos)
        << text;
}

TEST_F(ReportsResources, ResourceReferences)
{
    begin();
    GEN_RESOURCE data;
    data.lType = 1201;
    data.sIdentifier = 7;
    data.data = {0x01, 0x02, 0x03};
    int32_t counter = 0;
    P3109_WriteResourceReference(data, main_->stream(), counter);
    EXPECT_EQ(mainText(), "     7   RCDATA \n      BEGIN\n0x0201,\n0x0003\n      END\n");
    EXPECT_EQ(counter, 1);

    GEN_RESOURCE empty;
    P3109_WriteResourceReference(empty, main_->stream(), counter);
    EXPECT_EQ(counter, 1) << "a resource without data counts for nothing";

    GEN_RESOURCE bitmap;
    bitmap.lType = 1130;
    bitmap.sIdentifier = 12;
    bitmap.data = {'B', 'M'};
    const std::string before = mainText();
    P3109_WriteResourceReference(bitmap, main_->stream(), counter);
    EXPECT_EQ(bitmap.referenceName, "DEMOMIN_Ref_Bitmap_2.BMP");
    EXPECT_EQ(readFile(sourceDir() / "DEMOMIN_Ref_Bitmap_2.BMP"), "BM");
    const std::string listing = mainText().substr(before.size());
    EXPECT_NE(listing.find("     12   BITMAP   \""), std::string::npos) << listing;
    EXPECT_NE(listing.find("DEMOMIN_Ref_Bitmap_2.BMP\""), std::string::npos) << listing;
}

TEST_F(ReportsResources, ResourceDefinitionsAndMemberObjects)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    ctx.lCompoundComponent = 1;
    GEN_COMPONENT_MODEL model;
    model.lMemberBuilds = 1;
    model.fOwnIcon = true;
    GEN_MODEL_COMPONENT component;
    GEN_MEMBER_OBJECT_GROUP one{"X_MEMBER", "oOnly", false, {{1, "only", 6, "", "", false, 0}}};
    GEN_MEMBER_OBJECT_GROUP group{"X_MEMBER",
                                  "oMembers",
                                  true,
                                  {{3, "routine", 13, "", "", false, 42},
                                   {1, "name", 2, "Customer", "", false, 0},
                                   {2, "value", 1, "12", "", false, 0}}};
    component.groups = {one, group};
    model.components = {component};
    ctx.pComponentDefinitions = &model;
    begin();
    std::unique_ptr<Capture> ddc = std::make_unique<Capture>();
    P3109_WriteResourceDefinitions(main_->stream(), ddc->stream(), GEN_NO_STREAM);
    const std::string rc = mainText();
    EXPECT_EQ(rc.find("Resources from member builds"), std::string::npos);
    EXPECT_EQ(rc.find("ICON"), std::string::npos);
    EXPECT_NE(rc.find("*** Start of Resource Definitions ***"), std::string::npos);
    const std::string d = plain(ddc->text());
    EXPECT_NE(d.find("static const X_MEMBER oOnly = {\n   /* only */ pX_NULL };\n"), std::string::npos) << d;
    const size_t members = d.find("static  X_MEMBER oMembers = {\n");
    ASSERT_NE(members, std::string::npos) << d;
    EXPECT_NE(d.find("   /* name */ &(auchU", members), std::string::npos) << d;
    EXPECT_NE(d.find(" ,\n   /* value */ 12 ,\n   /* routine */ Component_Evaluation_Routine_42 };\n", members),
              std::string::npos)
        << d;

    model.lMemberBuilds = 2;
    model.fOwnIcon = false;
    P3109_WriteResourceDefinitions(main_->stream(), GEN_NO_STREAM, GEN_NO_STREAM);
    const std::string rc2 = mainText().substr(rc.size());
    EXPECT_NE(rc2.find("#include \"00000001.RC\"\n#include \"00000002.RC\"\n"), std::string::npos) << rc2;
    EXPECT_NE(rc2.find("     1   ICON   \""), std::string::npos) << rc2;
    ddc.reset();
}

TEST_F(ReportsResources, ExchangeVectorAndEvaluationCases)
{
    ctx.lComponentRun = 1;
    ctx.lFunctionRun = 0;
    useField("CUSTNO", "FL", "CUSTNO");
    begin();
    P3109_WriteComponentExchangeVector();
    EXPECT_EQ(mainText(), "") << "no exchange tree";

    RBTREE *names = nullptr, *exchange = nullptr;
    ASSERT_EQ(RBTree_CreateTree(&names, 1000), 0);
    RBTree_DefineKey(names, RBT_TYPE_STRING_NC, 51);
    RBTree_DefineKey(names, RBT_TYPE_INT32, 4);
    RBTree_DefineData(names, RBT_TYPE_BYTES, 56);
    ASSERT_EQ(RBTree_CreateTree(&exchange, 1000), 0);
    RBTree_DefineKey(exchange, RBT_TYPE_INT32, 4);
    RBTree_DefineData(exchange, RBT_TYPE_POINTER, sizeof(void*));
    RBTree_DefineData(exchange, RBT_TYPE_BYTES, 2);
    ctx.pNameTree = names;
    ctx.pReferenceTree1 = exchange;
    P3109_WriteComponentExchangeVector();
    EXPECT_EQ(mainText(), "   {  ((X_USHORT)(0)),  ((X_SHORT)(V_NOT_AVAILABLE)) } \n");

    auto add = [&](int32_t number, const std::string& field, const char* flags) {
        char key[51] = {};
        std::memcpy(key, field.data(), field.size());
        int32_t owner = 0;
        std::string data = field;
        data.resize(56, ' ');
        const void* nk[] = {key, &owner};
        const void* nd[] = {data.data()};
        RBTREE_ENTRY* entry = RBTree_PutEntry(names, nk, nd);
        const void* ek[] = {&number};
        const void* ed[] = {&entry, flags};
        RBTree_PutEntry(exchange, ek, ed);
    };
    add(5, "CUSTNO", "YY");
    add(9, "NOFIELD", "NN");
    const std::string before = mainText();
    P3109_WriteComponentExchangeVector();
    EXPECT_EQ(mainText().substr(before.size()),
              "    {  ((X_USHORT)(5)),  ((X_SHORT)(V_FIELD_CUSTNO + V_MAXIMUM_VALUE))  } \n"
              "  , {  ((X_USHORT)(9)),  ((X_SHORT)(V_NOT_AVAILABLE))  } \n");
    const size_t cases = mainText().size();
    P3109_WriteEvaluationCases();
    const std::string written = mainText().substr(cases);
    EXPECT_EQ(written.substr(0, 8), "case 5:\n") << written;
    EXPECT_EQ(written.substr(written.size() - 7), "break;\n") << written;
    EXPECT_EQ(written.find("case 9:"), std::string::npos);
    ctx.pNameTree = nullptr;
    ctx.pReferenceTree1 = nullptr;
    RBTree_DestroyTree(exchange);
    RBTree_DestroyTree(names);
}

}  // namespace
}  // namespace gencore_test
