// The component record writers on small description trees built here:
// record routines and their variants, structure definitions, key
// conditions, service routines and description tables; and the comparison
// lines of one field. Expected lines written out by hand.
#include "generator/core/gen_fixture.h"
#include "generator/core/description_tree.h"

#include "generator/core/components/bom_descriptions.h"
#include "generator/core/components/bom_records.h"
#include "generator/core/components/bom_services.h"
#include "generator/core/components/record_compare.h"
#include "generator/core/model/used_fields.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

class Bom : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        for (const char* f : {"CUSTNO", "CUSTNAM", "CUSTSTS", "FNOTE"})
            useField(f, "FL", f);
        setUp();
        P3109_State().cName = "M";
    }
    void TearDown() override
    {
        P3109_State().pDescription = nullptr;
        GenFixture::TearDown();
    }
    GEN_FIELD_INFO field(const char* name)
    {
        GEN_FIELD_INFO f;
        EXPECT_EQ(P3109_sGetUsedField(P3109_Padded(name, 10), 1, f, 10), 0) << name;
        return f;
    }
    static size_t count(const std::string& text, const std::string& what)
    {
        size_t n = 0;
        for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++n;
        return n;
    }
    Tree tree;
};

TEST_F(Bom, ComparisonLinesOfOneField)
{
    GEN_FIELD_INFO sts = field("CUSTSTS"); /* alpha of length 1 */
    EXPECT_EQ(writtenBy([&] { P3109_WriteRecordCompare(sts, "a", "b", 'D'); }),
              "if (a->fCUSTSTS < b->fCUSTSTS) return 1;\nif (a->fCUSTSTS > b->fCUSTSTS) return -1;\n");
    EXPECT_EQ(writtenBy([&] { P3109_WriteRecordEquality(sts, "a", "b"); }),
              "if (a->fCUSTSTS != b->fCUSTSTS) return FALSE;\n");
    GEN_FIELD_INFO name = field("CUSTNAM");
    EXPECT_EQ(
        writtenBy([&] { P3109_WriteRecordCompare(name, "a", "b", 'D'); }),
        "if ( ( lCompare = memcmp( a->fCUSTNAM, b->fCUSTNAM, sizeof(a->fCUSTNAM) ) ) != 0 ) return (lCompare * -1);\n");
    GEN_FIELD_INFO no = field("CUSTNO");
    EXPECT_EQ(writtenBy([&] { P3109_WriteRecordEquality(no, "a", "b"); }),
              "#if defined(X_OPERATING_SYSTEM_ISERIES)\n{\n"
              "   if ( *((decimal(7,0)*)( a->fCUSTNO )) != *((decimal(7,0)*)( b->fCUSTNO )) ) return FALSE;\n"
              "}\n#else\n{\n"
              "   if ( X_Compare_Identical_SorP( a->fCUSTNO, b->fCUSTNO, X_TYPE_PACKED, sizeof( a->fCUSTNO ) ) != 0 ) "
              "return FALSE;\n}\n#endif\n");
    /* 32 digits: the portable line only, on the field's extended data */
    no.lLength = 32;
    no.usByteLength = 28;
    EXPECT_EQ(writtenBy([&] { P3109_WriteRecordCompare(no, "a", "b", 'A'); }),
              "if ( ( lCompare = X_Compare_Identical_SorP( ((X_FLD_PACKED*)( &(a->fCUSTNO) ))->fchData, "
              "((X_FLD_PACKED*)( &(b->fCUSTNO) ))->fchData, X_TYPE_PACKED, ( BYTE_LEN_V_FIELD_CUSTNO - "
              "sizeof( X_FLD_PACKED ) + 1 ) ) ) != 0 ) return lCompare;\n");
    no.cType = 'X';
    EXPECT_EQ(writtenBy([&] { P3109_WriteRecordCompare(no, "a", "b", 'A'); }), "");
    EXPECT_EQ(writtenBy([&] { P3109_WriteRecordEquality(no, "a", "b"); }), "");
}

TEST_F(Bom, RecordWithoutVariableFieldsIsCopiedWhole)
{
    BOM_DESCRIPTION_NODE* proxy = tree.record(BOM_KIND_PROXY_RECORD, "Cust", 4, {"CUSTNO", "CUSTNAM"});
    const std::string text = writtenBy([&] { BOMGEN_WriteSupportRoutines(proxy, nullptr, nullptr, nullptr); });
    EXPECT_NE(text.find("void X_BOM_Release_PR_4_M( const void * pvRec )\n{\n}\n"), std::string::npos) << text;
    EXPECT_NE(text.find("void X_BOM_Copy_DDD_PR_4_M( const void * pvRec1, const void * pvRec2)\n{\n"
                        "   X_CPYBYTES( ((struct X_PDR_Cust*) pvRec1), ((struct X_PDR_Cust*) pvRec2), "
                        "sizeof( struct X_PDR_Cust ) );\n}\n"),
              std::string::npos);
    EXPECT_NE(text.find("void X_BOM_Move_DDD_PR_4_M("), std::string::npos);
    /* no identifier record: the DDD routines only */
    EXPECT_EQ(count(text, "_DII_") + count(text, "_IDI_") + count(text, "_DDI_"), 0u);
    EXPECT_EQ(count(text, "Identifier Record support routines"), 0u);
}

TEST_F(Bom, RecordWithAVariableFieldAndAnIdentifier)
{
    BOM_DESCRIPTION_NODE* doc = tree.record(BOM_KIND_DOCUMENT_RECORD, "Order", 7, {"CUSTNO", "FNOTE"});
    BOM_DESCRIPTION_NODE* id = tree.record(BOM_KIND_IDENTIFIER_RECORD, "OrderId", 8, {"CUSTNO"});
    const std::string text = writtenBy([&] { BOMGEN_WriteSupportRoutines(nullptr, doc, id, nullptr); });
    EXPECT_NE(text.find("void X_BOM_Release_DR_7_M( const void * pvRec )\n{\n"
                        "   struct X_DDR_Order * pRec = ((struct X_DDR_Order*) pvRec);\n"
                        "   if ( pRec->fFNOTE.pvData != pX_NULL ) X_VAR_VarChar_Release( pX_NULL, pX_NULL, pX_NULL, "
                        "&(pRec->fFNOTE) );\n}\n"),
              std::string::npos)
        << text;
    /* after the byte copy the target's own copy of the varying value is made
    ** from the source (pRec2), the source first as every varying move takes it */
    EXPECT_NE(text.find("   memcpy( pRec1, pRec2, sizeof( struct X_DDR_Order ) );\n   \n"
                        "   pRec1->fFNOTE.pvData = pX_NULL;\n"
                        "   X_VAR_VarChar_Assign( pX_NULL, pX_NULL, pX_NULL, &(pRec2->fFNOTE), &(pRec1->fFNOTE) );\n"),
              std::string::npos);
    /* record to identifier and back: the identifier's fields, numbered by the document record */
    EXPECT_NE(text.find("void X_BOM_Copy_DII_DR_7_M( const void * pvRec1, const void * pvRec2)\n{\n"
                        "   struct X_IDR_OrderId * pRec1 = ((struct X_IDR_OrderId*) pvRec1);\n"
                        "   struct X_DDR_Order * pRec2 = ((struct X_DDR_Order*) pvRec2);\n"
                        "   X_CPYBYTES( &pRec1->fCUSTNO, &pRec2->fCUSTNO, sizeof( pRec1->fCUSTNO ) );\n}\n"),
              std::string::npos);
    EXPECT_NE(text.find("void X_BOM_Copy_IDI_DR_7_M("), std::string::npos);
    for (const char* r : {"Compare_DII_DR_7_M", "Compare_DDI_DR_7_M", "IsEqual_DII_DR_7_M", "IsEqual_DDI_DR_7_M",
                          "Release_IR_8_M", "Copy_DDD_IR_8_M", "IsEqual_DDD_IR_8_M"})
        EXPECT_EQ(count(text, std::string("X_BOM_") + r + "("), 1u) << r;
}

TEST_F(Bom, SpecializationInheritsTheEnclosingIdentifier)
{
    BOM_DESCRIPTION_NODE* root = tree.node(BOM_KIND_CONTENT_ROOT);
    BOM_DESCRIPTION_NODE* document = tree.node(BOM_KIND_DOCUMENT, "Order");
    BOM_DESCRIPTION_NODE* id = tree.record(BOM_KIND_IDENTIFIER_RECORD, "OrderId", 8, {"CUSTNO"});
    BOM_DESCRIPTION_NODE* special = tree.node(BOM_KIND_SPECIALIZATION, "Rush");
    BOM_DESCRIPTION_NODE* rush = tree.record(BOM_KIND_PROXY_RECORD, "Rush", 3, {"CUSTNO"});
    BOM_DESCRIPTION_NODE* association = tree.node(BOM_KIND_ASSOCIATION, "Lines");
    BOM_DESCRIPTION_NODE* line = tree.record(BOM_KIND_PROXY_RECORD, "Line", 5, {"CUSTNO"});
    tree.list(root, 1, {document});
    tree.list(document, 12, {id});
    tree.list(document, 4, {special, association});
    tree.list(special, 10, {rush});
    tree.list(association, 10, {line});
    const std::string text = writtenBy([&] { BOMGEN_WriteRecordSupport(root); });
    EXPECT_EQ(count(text, "X_BOM_Copy_DII_PR_3_M("), 1u) << text;
    EXPECT_EQ(count(text, "X_BOM_Copy_DII_PR_5_M("), 0u);
    EXPECT_EQ(count(text, "Identifier Record support routines"), 1u);

    /* the record entries follow the same identifier */
    P3109_State().pDescription = root;
    const std::string tables = writtenBy([&] { BOMGEN_WriteDocumentDescriptions(root); });
    EXPECT_NE(tables.find("   X_BOM_Copy_DII_PR_3_M,\n"), std::string::npos) << tables;
    EXPECT_NE(tables.find("static const X_BOM_RECORD X_BOM_RECORD_IDR_OrderId =\n{\n"
                          "   X_BOM_KIND_DEF_IDENTIFIER_RECORD, U_NAME_TEXT_"),
              std::string::npos);
    const std::string id_entry = tables.substr(tables.find("X_BOM_RECORD_IDR_OrderId ="));
    EXPECT_EQ(count(id_entry.substr(0, id_entry.find("};")), "X_BOM_Copy_DDD_IR_8_M,"), 3u);
    EXPECT_NE(id_entry.find("   X_BOM_IsEqual_DDD_IR_8_M\n};\n"), std::string::npos);
}

TEST_F(Bom, SearchRecordEntryHasNoIdentifierRoutines)
{
    BOM_DESCRIPTION_NODE* root = tree.node(BOM_KIND_CONTENT_ROOT);
    BOM_DESCRIPTION_NODE* search = tree.node(BOM_KIND_GENERIC_SEARCH, "Find");
    BOM_DESCRIPTION_NODE* record = tree.record(BOM_KIND_SEARCH_RECORD, "ByName", 9, {"CUSTNAM"});
    tree.list(root, 1, {search});
    tree.list(search, 6, {record});
    P3109_State().pDescription = root;
    const std::string text = writtenBy([&] { BOMGEN_WriteDescriptions(root); });
    EXPECT_NE(text.find("   X_BOM_IsEqual_DDD_SR_9_M,\n   pX_NULL,\n   pX_NULL,\n};\n"), std::string::npos) << text;
    const std::string entry = text.substr(text.find("X_BOM_RECORD_SDR_ByName ="));
    EXPECT_EQ(count(entry.substr(0, entry.find("};")), "pX_NULL,"), 7u);
    /* no features: the feature table holds the end mark alone */
    EXPECT_NE(text.find("static const X_BOM_KIND X_BomContentFeatures[] =\n{\n   X_BOM_KIND_NULL\n};\n"),
              std::string::npos);
    EXPECT_NE(text.find("   ((X_BOM_HEADER*)( &( X_BomSearch_0 ) )),\n"
                        "   ((X_BOM_HEADER*)( &( X_BOM_RECORD_SDR_ByName ) )),\n   pX_NULL,\n   pX_NULL\n};\n"),
              std::string::npos);
}

TEST_F(Bom, StructureDefinitionsOnTheStorageDefinitions)
{
    Capture stg;
    P3109_State().stg = stg.stream();
    BOM_DESCRIPTION_NODE* root = tree.node(BOM_KIND_CONTENT_ROOT);
    const std::string longName(45, 'L');
    BOM_DESCRIPTION_NODE* record = tree.record(1500, longName.c_str(), 2, {"CUSTNO", "CUSTSTS", "NOSUCH"});
    tree.list(root, 1, {record});
    BOMGEN_WriteRecordTypedef(root);
    std::string text = stg.text();
    P3109_State().stg = GEN_NO_STREAM;
    /* a name of 40 or more characters is cut to 39 */
    BOM_RECORD_NAMES names;
    BOMGEN_MakeRecordNames(record, names);
    const std::string cut(39, 'L');
    EXPECT_EQ(names.padded, cut + " ");
    EXPECT_EQ(names.vectorName, "V_RECORD_PDR_" + cut);
    const std::string tag = "X_PDR_" + cut;
    EXPECT_NE(text.find("typedef struct " + tag +
                        " \r\n{ \r\n   X_DICTIONARY_PACKED fCUSTNO[BYTE_LEN_V_FIELD_CUSTNO]; \r\n"
                        "   X_DICTIONARY_ALPHA fCUSTSTS; \r\n} " +
                        tag + "; \r\n"),
              std::string::npos)
        << text;
    /* a dispatch record's two static working variables */
    const auto& list1 = CGEN_StaticWorkingList(1);
    EXPECT_EQ(list1[list1.size() - 1].cDeclaration, "X_FLD_RECORD fRec_PDR_" + cut);
}

TEST_F(Bom, KeyConditionsAndServiceRoutines)
{
    BOM_DESCRIPTION_NODE* root = tree.node(BOM_KIND_CONTENT_ROOT);
    BOM_DESCRIPTION_NODE* dispatch = tree.record(BOM_KIND_DISPATCH_DOCUMENT, "Doc", 12, {"CUSTNO", "CUSTNAM"});
    BOM_DESCRIPTION_NODE* check = tree.node(2270);
    BOM_DESCRIPTION_NODE* checkCase = tree.node(2300, "Check");
    checkCase->aWord[2].lNumber = 12;
    BOM_DESCRIPTION_NODE* group = tree.node(2302);
    BOM_DESCRIPTION_NODE* key1 = tree.node(2303, "Doc");
    key1->aWord[2].pszText = "CUSTNO";
    BOM_DESCRIPTION_NODE* skipped = tree.node(2303, "Doc");
    skipped->aWord[2].pszText = "NOSUCH";
    BOM_DESCRIPTION_NODE* key2 = tree.node(2303, "Doc");
    key2->aWord[2].pszText = "CUSTNAM";
    tree.list(group, 3, {key1});
    tree.list(group, 5, {skipped, key2, key1});
    tree.list(checkCase, 3, {group});
    /* a case whose document record does not exist has no records to compare */
    BOM_DESCRIPTION_NODE* orphanCase = tree.node(2300, "Orphan");
    orphanCase->aWord[2].lNumber = 13;
    BOM_DESCRIPTION_NODE* orphanGroup = tree.node(2302);
    tree.list(orphanGroup, 3, {key1});
    tree.list(orphanGroup, 5, {key2});
    tree.list(orphanCase, 3, {orphanGroup});
    tree.list(check, 1, {checkCase, orphanCase});
    BOM_DESCRIPTION_NODE* loader = tree.node(2100);
    BOM_DESCRIPTION_NODE* verify = tree.node(2280);
    BOM_DESCRIPTION_NODE* verifyCase = tree.node(2300, "V");
    verifyCase->aWord[2].lNumber = 99;
    BOM_DESCRIPTION_NODE* verification = tree.node(2304, "Limit");
    verification->aWord[2].lNumber = 14;
    BOM_DESCRIPTION_NODE* call = tree.node(2301, "CHKLIM");
    tree.list(verifyCase, 3, {verification, call});
    tree.list(verify, 1, {verifyCase});
    tree.list(root, 1, {dispatch, check, loader, verify});
    P3109_State().pDescription = root;
    const std::string text = writtenBy([&] { BOMGEN_WriteServiceRoutines(root); });
    /* one key: "if " without a closing parenthesis of its own; a key that
       is not found takes no place */
    const std::string b9(9, ' ');
    EXPECT_NE(
        text.find("      case 12: /* Check */\n      {\n" + b9 + "struct X_DDR_Doc\n" + b9 +
                  "   *pRecNew = ((struct X_DDR_Doc*)( apvAgreedArgs[2] )),\n" + b9 +
                  "   *pRecOld = ((struct X_DDR_Doc*)( apvAgreedArgs[3] )),\n" + b9 +
                  "   *pRecCur = ((struct X_DDR_Doc*)( apvAgreedArgs[4] ));\n" + b9 + "\n" + b9 +
                  "/* Cross Update Group */\n" + b9 + "\n" + b9 +
                  "if ( memcmp( pRecCur->fCUSTNO, pRecOld->fCUSTNO, sizeof(pRecCur->fCUSTNO) ) != 0 )\n" + b9 + "{\n" +
                  b9 + "   if ( ( memcmp( pRecOld->fCUSTNAM, pRecNew->fCUSTNAM, sizeof(pRecOld->fCUSTNAM) ) != 0 )\n" +
                  b9 + "      || ( memcmp( pRecOld->fCUSTNO, pRecNew->fCUSTNO, sizeof(pRecOld->fCUSTNO) ) != 0 ) )\n" +
                  b9 + "   {\n" + b9 + "      /* Report Cross Update Error */\n" + b9 + "         void    *  apvAgreedArgs[5];\n" +
                  b9 + "         X_ULONG    aulContexts[] = { 1, 12 };\n" + b9 + "      \n" + b9 +
                  "         apvAgreedArgs[0] = aulContexts;\n" + b9 + "      \n" + b9 +
                  "         /* Fill out message parms */\n" + b9 + "      \n" + b9 +
                  "         apvAgreedArgs[1] = \"DC@M01\";\n" + b9 + "         apvAgreedArgs[2] = \"DEM0015\";\n" + b9 +
                  "         apvAgreedArgs[3] = \"Doc\";\n" + b9 + "         apvAgreedArgs[4] = pX_NULL;\n" + b9 + "      \n" +
                  b9 + "         X_VAR_ProcessRecordServiceRequest( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_RECORD_DDR_Doc, "
                  "X_COMP_RECORD_SERVICE_REQUEST_DOCUMENT_REPORT_ERROR, apvAgreedArgs );\n" +
                  b9 + "   }\n" + b9 + "}\n" + b9 + "break;\n      }\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("      case 13: /* Orphan */\n      {\n" + b9 + "/* Cross Update Group */\n" + b9 + "\n" + b9 +
                        "break;\n      }\n"),
              std::string::npos)
        << text;
    /* a loader without cases: the switch holds the default case alone */
    EXPECT_NE(text.find("COMPONENT_STD_FUNCTION X_BOM_PSS_Loader_M( COMPONENT_STD_ARGS )\n{\n"), std::string::npos);
    const std::string loaderText = text.substr(text.find("X_BOM_PSS_Loader_M"));
    EXPECT_NE(
        loaderText.find("   switch ( *((X_LONG*)( apvAgreedArgs[1] )) )\n   {\n      default:\n      {\n"
                        "         lReturnCode = X_COMP_RETURN_OBJECT_NOT_FOUND;\n         break;\n      }\n   }\n   \n"
                        "   X_TERMINATE_COMPONENT_ROUTINE\n   \n   return lReturnCode;\n}\n"),
        std::string::npos);
    /* a verification of a case without its record: its comment alone; a
       call of a function without cursors passes the standard parameters,
       and a subroutine that did not end normally ends the service */
    EXPECT_NE(text.find("      case 99: /* V */\n      {\n         /* Verify Limit(14) */\n         X_SHORT sResult;\n"
                        "         sResult = Subroutine_CHKLIM( FUNCTION_STD_PARMS );\n"
                        "         X_COMR_CHECK_EXECUTION(sResult)\n         break;\n      }\n"),
              std::string::npos);
    EXPECT_EQ(count(text, "pRecNew"), count(text.substr(0, text.find("X_BOM_PSS_Loader_M")), "pRecNew"));
}

}  // namespace
}  // namespace gencore_test
