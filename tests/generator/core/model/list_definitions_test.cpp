// Storage sizes, the definitions of a component's lists and records, their
// X_LIST entries, the group-field check and the storage of the working lists.
#include "checked_access.h"
#include "generator/core/tables_fixture.h"

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/work_records.h"
#include "generator/core/components/record_definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_types.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/static_lists.h"

namespace gencore_test {
namespace {

/* A "#define" of a short constant: the name at column 8, the value at 60. */
std::string defineLine(const std::string& name, int value)
{
    std::string line = "#define " + name;
    line.resize(60, ' ');
    return line + std::to_string(value);
}

class ListDefinitions : public TablesFixture {
protected:
    /* The checker's record of a DEF_LIST: its place, fields and layout. */
    void listRecord(const std::string& name, int order, const std::vector<std::string>& fields, char longList = 'N')
    {
        std::map<size_t, std::string> data;
        char digits[8];
        int32_t n = order;
        FIX_LongToDigits(&n, 4, digits);
        data[0] = std::string(digits, 4);
        data[4] = "W";
        n = static_cast<int32_t>(fields.size());
        FIX_LongToDigits(&n, 3, digits);
        data[5] = std::string(digits, 3);
        for (size_t i = 0; i < fields.size(); ++i)
            data[15 + 10 * i] = fields[i];
        data[offsetof(WR_LISTNAME_DATA, cLongList)] = std::string(1, longList);
        writeRecord("LISTNAME", name, "", data);
    }
};

TEST(StorageSize, ByTypeLetter)
{
    uint32_t size = 0;
    P3109_GetFieldStorageSize('P', 7, 0, false, false, false, size);
    EXPECT_EQ(size, 4u);
    P3109_GetFieldStorageSize('P', 31, 0, false, false, false, size);
    EXPECT_EQ(size, 27u);
    P3109_GetFieldStorageSize('S', 5, 0, true, false, false, size);
    EXPECT_EQ(size, 16u);
    P3109_GetFieldStorageSize('H', 20, 0, false, false, true, size);
    EXPECT_EQ(size, 20u);
    P3109_GetFieldStorageSize('I', 8, 0, false, true, false, size);
    EXPECT_EQ(size, 16u);
    size = 99;
    P3109_GetFieldStorageSize('I', 3, 0, false, false, false, size);
    EXPECT_EQ(size, 99u) << "an integer of another length leaves the value unchanged";
}

TEST_F(ListDefinitions, ComponentListsAreDefinedAndTheirEntriesWritten)
{
    ctx.lZophxUsed = 1;
    useField("CUSTNO", "FL", "CUSTNO");
    useField("CUSTNAM", "FL", "CUSTNAM");
    listRecord("ORDERS", 1, {"CUSTNO", "CUSTNAM"});
    listRecord("EMPTY", 2, {});
    begin();
    P3109_WriteListDefinitions();

    const std::deque<GEN_LIST_DEFINITION>& lists = P3109_ListDefinitions();
    ASSERT_EQ(lists.size(), 2u);
    const GEN_LIST_DEFINITION& orders = lists[0];
    EXPECT_EQ(orders.name, "ORDERS    ");
    EXPECT_EQ(orders.vectorName, "V_LIST_ORDERS");
    EXPECT_EQ(orders.cKind, 'C');
    EXPECT_EQ(orders.lMaxEntries, 32000);
    EXPECT_EQ(orders.sEntryCount, 32000);
    EXPECT_EQ(orders.ulEntryLength, 34u) << "a packed field of 7 digits stores 4 bytes, 30 characters 30";
    EXPECT_EQ(orders.texts[2], "((X_SHORT)0)");
    EXPECT_EQ(orders.fields[1].entryIdentifier, "V_LF_ORDERS_CUSTNAM");

    const std::string h = header();
    EXPECT_NE(h.find("   /*  List ORDERS Definitions */\n"), std::string::npos) << h;
    EXPECT_NE(
        h.find(" #include \"x_strpck.h\" \n \nstruct LIST_ORDERS\n{\n"
               "      X_DICTIONARY_PACKED fCUSTNO[BYTE_LEN_V_FIELD_CUSTNO];\n"
               "      X_DICTIONARY_ALPHA fCUSTNAM[BYTE_LEN_V_FIELD_CUSTNAM];\n};\n \n \n #include \"x_endpck.h\" \n"),
        std::string::npos)
        << h;
    EXPECT_NE(h.find("struct LIST_EMPTY\n{\n      X_CHAR chDummyField;\n};\n"), std::string::npos) << h;

    const std::string q1 = queueText(1);
    EXPECT_NE(q1.find("   static struct LIST_ORDERS X_List_ORDERS;\n"), std::string::npos) << q1;
    EXPECT_NE(q1.find("   static struct X_FLD X_Fld_ORDERS[] = {\n"
                      "       U_NAME_TEXT_1,0,X_TYPE_COMPONENT,X_SUBTYPE_COMPONENT_PACKED,'N',\n"
                      "         7,4,0,\n"
                      "         &(X_List_ORDERS.fCUSTNO[0]),((X_SHORT)0),NO \n"
                      "      ,U_NAME_TEXT_2,0,X_TYPE_COMPONENT,X_SUBTYPE_COMPONENT_ALPHA,'N',\n"
                      "         30,30,0,\n"
                      "         &(X_List_ORDERS.fCUSTNAM[0]),((X_SHORT)0),NO \n   };\n"),
              std::string::npos)
        << q1;
    const std::string s = stg();
    EXPECT_NE(s.find("/* List ORDERS Field Vector Definitions"), std::string::npos) << s;
    EXPECT_NE(s.find("#define V_LF_ORDERS_CUSTNO"), std::string::npos);
    EXPECT_NE(s.find(defineLine("V_LF_ORDERS_CUSTNAM", 1)), std::string::npos) << s;
    EXPECT_EQ(checked::Last(CGEN_StaticWorkingList(0)).cInitialiser, "INSTANCE(lAdjustment_EMPTY) = 0;");

    P3109_State().out.queues[0].clear();
    P3109_WriteListDefinitionEntry(orders, 1);
    P3109_WriteListDefinitionEntry(lists[1], 2);
    EXPECT_EQ(queueText(1), "       \"ORDERS\",'C',sizeof(struct LIST_ORDERS),32000,0,0,\n"
                            "       2,&(X_Fld_ORDERS[0]),2,pX_NULL,\n"
                            "       &(X_LMap_ORDERS[0]),32000,'N','N',\n"
                            "       V_NOT_AVAILABLE,V_NOT_AVAILABLE,((X_SHORT)0),\n"
                            "       V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,&(X_List_ORDERS),pX_NULL,\n"
                            "       pX_NULL,\n"
                            "       NO,NO,NO,NO,NO,NO,NO,NO \n"
                            "      ,\"EMPTY\",'C',sizeof(struct LIST_EMPTY),32000,0,0,\n"
                            "       0,&(X_Fld_EMPTY[0]),2,pX_NULL,\n"
                            "       &(X_LMap_EMPTY[0]),32000,'N','N',\n"
                            "       V_NOT_AVAILABLE,V_NOT_AVAILABLE,((X_SHORT)0),\n"
                            "       V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,&(X_List_EMPTY),pX_NULL,\n"
                            "       pX_NULL,\n"
                            "       NO,NO,NO,NO,NO,NO,NO,NO \n");
    EXPECT_TRUE(issuedMessages().empty());
}

TEST_F(ListDefinitions, TheSecondVersionNeedsTheTwoLevelTables)
{
    ctx.lZophxUsed = 1;
    useField("CUSTNO", "FL", "CUSTNO");
    listRecord("LONG", 1, {"CUSTNO"}, 'Y');
    begin();
    P3109_WriteListDefinitions();
    EXPECT_EQ(P3109_ListDefinitions().at(0).lSecondVersion, 0) << "no ZOPH2: one table of X_LIST entries";
    EXPECT_EQ(P3109_ListDefinitions().at(0).lMaxEntries, 32000);

    P3109_ResetListDefinitions();
    ctx.lZoph2Used = 1;
    P3109_WriteListDefinitions();
    const GEN_LIST_DEFINITION& l = P3109_ListDefinitions().at(0);
    EXPECT_EQ(l.lMaxEntries, 2147483647);
    EXPECT_EQ(l.sEntryCount, 500);
    P3109_State().out.queues[0].clear();
    P3109_WriteListDefinitionEntry(l, 1);
    const std::string q = queueText(1);
    EXPECT_EQ(q.substr(0, q.find('\n')), "       \"LONG\",'C',-1,sizeof(struct LIST_LONG),2147483647,0,0,");
    EXPECT_NE(q.find("\n       ,X_LIST_V2 \n"), std::string::npos) << q;
}

// The base text of an operand: a field of the working list is reached
// through the list's element, in the two-level tables by the list's number;
// any other field, or a field of a list that is no working list, through
// the field vector.
TEST_F(ListDefinitions, ListElementNamesOfAnOperand)
{
    begin();
    GEN_LIST_DEFINITION& work = P3109_NewListDefinition("#ORDLINES", 'W', 0);
    work.fields.push_back({"QTY       ", "V_LF_ORDLINES_QTY", "V_FIELD_QTY", 0});
    GEN_LIST_DEFINITION& browse = P3109_NewListDefinition("BROWSE", 'B', 0);
    browse.fields.push_back({"QTY       ", "V_LF_BROWSE_QTY", "V_FIELD_QTY", 0});
    ASSERT_EQ(work.vectorName, "V_LIST_ORDLINES");
    EXPECT_EQ(P3109_MakeListElementName("QTY", &work), "pX_List[V_LIST_ORDLINES].pX_Fld");
    EXPECT_EQ(P3109_MakeListElementName("#qty      ", &work), "pX_List[V_LIST_ORDLINES].pX_Fld")
        << "the name character dropped, case ignored";
    EXPECT_EQ(P3109_MakeListElementName("PRICE", &work), "pX_Fld");
    EXPECT_EQ(P3109_MakeListElementName("QTY", &browse), "pX_Fld");
    EXPECT_EQ(P3109_MakeListElementName("QTY", nullptr), "pX_Fld");
    ctx.lZoph2Used = 1;
    EXPECT_EQ(P3109_MakeListElementName("QTY", &work), "X_LIST_ELEMENT_FROM_NO( pX_List, V_LIST_ORDLINES, pX_Fld)");
    EXPECT_EQ(P3109_MakeListElementName("PRICE", &work), "pX_Fld");
    ctx.lZoph2Used = 0;
}

TEST_F(ListDefinitions, ListFieldsAddToTheEntryLengthOnlyInTheDefinitionRun)
{
    useField("CUSTNAM", "FL", "CUSTNAM");
    begin();
    GEN_LIST_DEFINITION& list = P3109_NewListDefinition("#ORDERS", 'W', 0);
    EXPECT_EQ(list.name, "ORDERS    ");
    list.fields.push_back({"CUSTNAM   ", "V_LF_ORDERS_CUSTNAM", "V_FIELD_CUSTNAM"});
    EXPECT_EQ(P3109_sCheckGroupFields(list), 0);
    EXPECT_EQ(list.ulEntryLength, 0u) << "output not suppressed";
    P3109_State().out.cSuppress = 'Y';
    EXPECT_EQ(P3109_sCheckGroupFields(list), 0);
    EXPECT_EQ(list.ulEntryLength, 30u);
    list.ulEntryLength = 2147483640u;
    EXPECT_EQ(P3109_sCheckGroupFields(list), 1);
    EXPECT_TRUE(P3109_fListOverflow());
    EXPECT_EQ(issuedMessages().size(), 1u);
    EXPECT_EQ(issuedMessages().at(0).substr(0, 10), "PRC0047 F ");
    EXPECT_EQ(P3109_sFindListDefinition("*FIRST"), 0);
    EXPECT_EQ(P3109_sFindListDefinition("NOLIST"), -1);
}

TEST_F(ListDefinitions, WorkingListStorageIsSummedAtTheEnd)
{
    begin();
    auto add = [](const char* name, char kind, int32_t entries, uint32_t length) {
        GEN_LIST_DEFINITION& l = P3109_NewListDefinition(name, kind, 0);
        l.lMaxEntries = entries;
        l.ulEntryLength = length;
    };
    add("SMALL", 'W', 1000, 100);
    add("UNBOUND", 'W', 2147483647, 100000);
    add("COMPONENT", 'C', 100000000, 1000);
    P3109_CheckWorkingListStorage();
    EXPECT_TRUE(issuedMessages().empty());
    add("BIG", 'B', 2000000, 1000);
    P3109_CheckWorkingListStorage();
    std::vector<std::string> m = issuedMessages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_NE(m[0].find("Storage of 2000100000 bytes"), std::string::npos) << m[0];   /* 873 */
    EXPECT_NE(m[1].find("List SMALL needs 100000 bytes"), std::string::npos) << m[1]; /* 876 */
    EXPECT_NE(m[2].find("List BIG needs 2000000000 bytes"), std::string::npos) << m[2];
    add("MORE", 'W', 2000000, 1000);
    P3109_CheckWorkingListStorage();
    EXPECT_NE(issuedMessages().at(3).find("more than 3221225472 bytes"), std::string::npos) << issuedMessages().at(3);
}

/* A record node of the description with its member nodes. */
struct Nodes {
    std::vector<std::unique_ptr<BOM_DESCRIPTION_NODE>> owned;
    std::vector<std::vector<BOM_DESCRIPTION_NODE*>> arrays;
    BOM_DESCRIPTION_NODE* node(int32_t kind)
    {
        owned.push_back(std::make_unique<BOM_DESCRIPTION_NODE>());
        owned.back()->lKind = kind;
        return owned.back().get();
    }
    void children(BOM_DESCRIPTION_NODE* parent, int countWord, std::vector<BOM_DESCRIPTION_NODE*> list)
    {
        arrays.push_back(std::move(list));
        parent->aWord[countWord].lNumber = static_cast<intptr_t>(arrays.back().size());
        parent->aWord[countWord + 1].ppNodes = arrays.back().data();
    }
};

TEST_F(ListDefinitions, RecordDefinitionsOfTheDispatchRecords)
{
    useField("CUSTNO", "FL", "CUSTNO");
    useField("CUSTNAM", "FL", "CUSTNAM");
    begin();
    Nodes n;
    BOM_DESCRIPTION_NODE* root = n.node(1000);
    BOM_DESCRIPTION_NODE* onlyReference = n.node(1500);
    onlyReference->aWord[1].pszText = "Proxy";
    BOM_DESCRIPTION_NODE* reference = n.node(1410);
    reference->aWord[2].pszText = "Owner";
    n.children(onlyReference, 4, {reference});
    BOM_DESCRIPTION_NODE* record = n.node(1520);
    record->aWord[1].pszText = "Cust";
    BOM_DESCRIPTION_NODE *f1 = n.node(1400), *f2 = n.node(1400), *unknown = n.node(1400);
    f1->aWord[1].pszText = "CUSTNO";
    f2->aWord[1].pszText = "CUSTNAM";
    unknown->aWord[1].pszText = "NOSUCH";
    n.children(record, 4, {f1, f2, unknown});
    n.children(root, 1, {onlyReference, record});
    P3109_WriteRecordDefinitions(root);

    const std::string q = queueText(1);
    EXPECT_NE(q.find("   static struct X_PDR_Proxy rec_PDR_Proxy;\n"), std::string::npos) << q;
    EXPECT_NE(q.find(",LL2FIELD,X_TYPE_COMPONENT,X_SUBTYPE_COMPONENT_RECORD,'N',\n"
                     "         sizeof(X_PVOID),sizeof(X_PVOID),0, \n"
                     "         ((X_PDICTIONARY_FIELD)( &(rec_PDR_Proxy.pOwner) )),((X_SHORT)0),NO \n   };\n"),
              std::string::npos)
        << q;
    EXPECT_NE(q.find("   static struct X_LMAP X_LMap_PDR_Proxy[] =\n   {\n      V_NOT_AVAILABLE,-1\n   };\n"),
              std::string::npos);
    EXPECT_NE(q.find("   static X_ULONG X_Offsets_PDR_Proxy[] =\n   {\n      0\n   };\n"), std::string::npos);
    /* the unknown field is left out: the last member written has no comma */
    EXPECT_NE(q.find("   static struct X_LMAP X_LMap_DDR_Cust[] =\n   {\n      V_FIELD_CUSTNO,-1,\n"
                     "      V_FIELD_CUSTNAM,-1\n   };\n"),
              std::string::npos)
        << q;
    EXPECT_NE(q.find("      offsetof( struct X_DDR_Cust, fCUSTNO ),\n      offsetof( struct X_DDR_Cust, fCUSTNAM )\n"),
              std::string::npos);
    EXPECT_NE(q.find("   static const struct X_DRD X_DRD_DDR_Cust =\n   {\n"
                     "      X_DRD_CURRENT, " +
                     CGEN_NameLiteral("Cust") +
                     ", sizeof(struct X_DDR_Cust),\n"
                     "      2, X_Fld_DDR_Cust, X_LMap_DDR_Cust, X_Offsets_DDR_Cust,\n"
                     "      &(rec_DDR_Cust), pX_NULL\n   };\n"),
              std::string::npos)
        << q;
    EXPECT_NE(queueText(5).find("   rec_PDR_Proxy.pOwner = pX_NULL;\n"), std::string::npos);
    const std::string s = stg();
    EXPECT_NE(s.find("/* Member vector definitions for DDR Cust record"), std::string::npos) << s;
    EXPECT_NE(s.find(defineLine("V_DDR_Cust_CUSTNAM", 1)), std::string::npos) << s;
}

}  // namespace
}  // namespace gencore_test
