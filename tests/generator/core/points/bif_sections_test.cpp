// The sections of a built-in function program (points 127 to 131, 69 and
// 70), the initial values of fields and literals, the releases of
// variable-length fields, array bounds, field group arrays, member service
// routines and the debug array table.
#include "generator/core/tables_fixture.h"

#include "dqov/runcontrol/work_records.h"
#include "generator/core/components/field_initialisation.h"
#include "generator/core/components/field_vector.h"
#include "generator/core/model/bif_parameters.h"
#include "generator/core/model/component_model.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/services.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/bif_sections.h"

namespace gencore_test {
namespace {

class BifSections : public TablesFixture {
protected:
    /* The sample's DEM_ADD_VAT made the function's own built-in function. */
    void builtIn(const std::string& function)
    {
        writeRecord("SYSFLAGS", "", "", {{SYSFLAG_BUILTIN, "Y"}});
        std::memcpy(state.acFunction, P3109_Padded(function, 7).data(), 7);
        std::memcpy(ctx.acFunction, P3109_Padded(function, 7).data(), 7);
    }
    /* The array bounds of a function with one array and one vector field
       besides the given number of work fields: what the bounds writer
       adds to the main text. */
    std::string arrayBounds(int workFields)
    {
        useField("CUSTNO", "FL", "CUSTNO");
        begin();
        for (int i = 0; i < workFields; ++i)
            P3109_AddWorkField("w" + std::to_string(i), "V_W" + std::to_string(i), 'A', 1, 0);
        std::string area(2000, ' ');
        area.replace(5, 4, "#ARR");
        for (int k = 0; k < WR_ARRAYNAM_RECORDS; ++k)
            writeRecord("ARRAYNAM", "#ARR", std::to_string(k + 1),
                        {{0, area.substr(static_cast<size_t>(500 * k), 250)},
                         {WR_ARRAYNAM_SECOND, area.substr(static_cast<size_t>(500 * k + 250), 250)}});
        P3109_WriteFieldVector();
        EXPECT_EQ(P3109_VectorFieldArrays().size() + P3109_WorkFields().size(), static_cast<size_t>(workFields) + 1);
        const std::string before = mainText();
        P3109_WriteArrayBounds();
        return mainText().substr(before.size());
    }
    static std::string zeros(int n)
    {
        std::string text;
        for (int i = 0; i < n; ++i)
            text += i == 0 ? "0" : ", 0";
        return text;
    }
};

TEST_F(BifSections, ABuiltInFunctionProgramWithoutLists)
{
    builtIn("DEFBIF");
    useField("DEFAMT", "FL", "DEFAMT");
    useField("DEFVAT", "FL", "DEFVAT");
    begin();
    const GEN_BIF_PARAMETERS& t = P3109_BifParameters();
    ASSERT_EQ(t.arguments.size(), 1u);
    EXPECT_EQ(t.sNumber, 901);
    EXPECT_EQ(t.returns[0].cReturn, 'R');

    P3109_WriteBifFieldList();
    P3109_WriteBifListDefs();
    P3109_WriteBifAddCalls();
    P3109_WriteReceiveListDefs();
    EXPECT_EQ(mainText(), "#define BIF_NUMBER 901\n   static struct X_FLD FLD_LIST[] = {\n"
                          "         \"DEFAMT\",0,X_TYPE_PACKED,X_SUBTYPE_SIMPLE_FIELD,'N',11,6,2,pX_NULL,0,NO\n"
                          "      ,  \"DEFVAT\",0,X_TYPE_PACKED,X_SUBTYPE_SIMPLE_FIELD,'N',11,6,2,pX_NULL,0,NO\n   };\n"
                          "#define BIF_FIELD_COUNT  (sizeof(FLD_LIST) / sizeof(struct X_FLD))\n"
                          "#define BIF_FIELD_STRUCT &(FLD_LIST[0])\n"
                          "   #define BIF_LIST_COUNT  0\n   #define BIF_LIST_STRUCT pX_NULL\n"
                          "      BIF_ADD_Field(pX_Ids,pX_Pro,pX_Fun,0,&(scX_Parm),X_Parm,&(argcNext),argc,argv,"
                          "X_PARM_BIF_VECTOR_ARGUMENT);\n"
                          "      BIF_ADD_Field(pX_Ids,pX_Pro,pX_Fun,1,&(scX_Parm),X_Parm,&(argcNext),argc,argv,"
                          "X_PARM_BIF_VECTOR_RETURN_VALUE);\n"
                          "   #define RCV_LIST_COUNT  0\n   #define RCV_LIST_STRUCT pX_NULL\n");

    const std::string before = mainText();
    P3109_WriteBifParmTable(1);
    P3109_WriteBifParmTableNoArgs();
    EXPECT_EQ(mainText().substr(before.size()),
              "{ 1, TRUE,X_BIFPARM_NUMERIC,V_FIELD_DEFVAT,11,2,0,0,V_BIF_ARG_ALREADY_INITIALIZED },\n"
              "{ 1, TRUE,X_BIFPARM_NUMERIC,V_FIELD_DEFAMT,11,2,0,0,V_BIF_ARG_ALREADY_INITIALIZED },\n");
}

// One row of the program's field list: the first led by a blank, the
// others by a comma, at indent 6; a parameter whose field is no defined
// used field writes no row.
TEST_F(BifSections, OneRowOfTheFieldList)
{
    useField("DEFAMT", "FL", "DEFAMT");
    begin();
    GEN_BIF_PARAMETER p;
    p.cKind = 'N';
    p.field = "DEFAMT    ";
    EXPECT_TRUE(P3109_WriteBifFieldEntry(p, true));
    EXPECT_TRUE(P3109_WriteBifFieldEntry(p, false));
    p.field = "NOFIELD   ";
    EXPECT_FALSE(P3109_WriteBifFieldEntry(p, false));
    EXPECT_EQ(mainText(), "         \"DEFAMT\",0,X_TYPE_PACKED,X_SUBTYPE_SIMPLE_FIELD,'N',11,6,2,pX_NULL,0,NO\n"
                          "      ,  \"DEFAMT\",0,X_TYPE_PACKED,X_SUBTYPE_SIMPLE_FIELD,'N',11,6,2,pX_NULL,0,NO\n");
}

TEST_F(BifSections, TwoListParametersAndNoneOfThem)
{
    builtIn("DEFBIF");
    exec("INSERT INTO QV_F48 (X48BIF, X48AOR, X48SEQ, X48ROO, X48TYP, X48PLN, X48PDP, X48DFT, X48FLD) VALUES "
         "('DEM_ADD_VAT', 'A', 2, 'O', 'L', 0, 0, '', 'ORDERS'), "
         "('DEM_ADD_VAT', 'R', 2, 'O', 'L', 0, 0, '', 'NOLIST')");
    begin();
    GEN_LIST_DEFINITION& l = P3109_NewListDefinition("ORDERS", 'W', 0);
    l.lMaxEntries = 50;
    l.fields.resize(2);
    P3109_WriteBifListDefs();
    const std::string entry = "\"ORDERS\",'W',sizeof(struct LIST_ORDERS),50,0,0,2,pX_NULL,0,pX_NULL,pX_NULL,2,NO,NO,\n";
    EXPECT_EQ(mainText(),
              "   static struct X_LIST LIST_DEF[] = {\n         " + entry +
                  "                V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,V_NOT_AVAILABLE,"
                  "V_NOT_AVAILABLE, \n"
                  "                pX_NULL,pX_NULL,pX_NULL,NO,NO,NO,NO,NO,NO,NO,NO \n"
                  "   };\n   static struct X_LIST_DATA ListData[sizeof(LIST_DEF) / sizeof(struct X_LIST)];\n"
                  "   #define BIF_LIST_COUNT  (sizeof(LIST_DEF) / sizeof(struct X_LIST))\n"
                  "   #define BIF_LIST_STRUCT &(LIST_DEF[0])\n");
    EXPECT_EQ(issuedMessages(), std::vector<std::string>{"PRC1006 F NOLIST"});
    int32_t counter = 3;
    const std::string before = mainText();
    P3109_WriteBifListEntry("#ORDERS", 10, counter);
    EXPECT_EQ(counter, 6);
    EXPECT_EQ(mainText().substr(before.size(), 10), "      ,  \"") << "a later entry begins with a comma";

    const std::string calls = mainText();
    P3109_WriteBifAddCalls();
    const std::string written = mainText().substr(calls.size());
    EXPECT_NE(written.find("BIF_ADD_List(pX_Ids,pX_Pro,pX_Fun,0,ListData,&(scX_Parm),X_Parm,&(argcNext),argc,argv,"
                           "X_PARM_BIF_LIST_ARGUMENT,ReturnCountsArgvPos);\n"),
              std::string::npos)
        << written;
    EXPECT_NE(written.find("BIF_ADD_Field(pX_Ids,pX_Pro,pX_Fun,1,"), std::string::npos) << "fields count on their own";
    EXPECT_NE(written.find("BIF_ADD_List(pX_Ids,pX_Pro,pX_Fun,1,"), std::string::npos);
}

TEST_F(BifSections, ReceivedListsAndDataStructures)
{
    writeRecord("RCV_LIST", "", "ORDERS", {});
    writeRecord("USE_DS", "#DEMDS", "", {});
    writeRecord("RCV_DS", "", "#DEMDS", {});
    begin();
    P3109_NewListDefinition("ORDERS", 'W', 0);
    P3109_WriteReceiveListDefs();
    P3109_WriteReceiveAddCalls();
    const std::string text = mainText();
    EXPECT_NE(text.find("   #define RCV_LIST_COUNT  (sizeof(LIST_DEF) / sizeof(struct X_LIST))\n"), std::string::npos);
    EXPECT_NE(text.find("      RCV_ADD_List(pX_Ids,pX_Pro,pX_Fun,0,ListData,&(scX_Parm),X_Parm,&(argcNext),argc,argv,"
                        "ReturnCountsArgvPos);\n"
                        "      RCV_ADD_DataStruct(pX_Ids,pX_Pro,pX_Fun,\"DEMDS\",sizeof(struct DEMDS_DS),&(scX_Parm),"
                        "X_Parm,&(argcNext),argc,argv);\n"),
              std::string::npos)
        << text;

    /* a trigger receives nothing */
    P3109_Definitions().cTrigger = 'Y';
    const std::string before = mainText();
    P3109_WriteReceiveListDefs();
    P3109_WriteReceiveAddCalls();
    EXPECT_EQ(mainText().substr(before.size()), "   #define RCV_LIST_COUNT  0\n   #define RCV_LIST_STRUCT pX_NULL\n");
}

TEST_F(BifSections, MemberServiceRoutinesOfACompoundComponent)
{
    GEN_COMPONENT_MODEL model;
    model.members = {{2, "MEMBER_LINK", 5, "", ""}, {1, "OTHER", 5, "", ""}};
    ctx.pComponentDefinitions = &model;
    ctx.lCompoundComponent = 1;
    begin();
    ctx.lPassCount = 1;
    P3109_WriteMemberInfoRoutines();
    EXPECT_EQ(mainText(), "") << "one pass, the home pass: no box";
    ctx.lPassCount = 2;
    P3109_WriteMemberInfoRoutines();
    EXPECT_EQ(mainText().substr(mainText().size() - 2), "\n\n") << "a member pass ends in an empty line";
    EXPECT_EQ(mainText().find("COMPONENT_STD_FUNCTION"), std::string::npos) << "member 1 has no link";
    ctx.lPassCount = 3;
    ctx.lCurrentPass = 3;
    const std::string before = mainText();
    P3109_WriteMemberInfoRoutines();
    const std::string written = mainText().substr(before.size());
    EXPECT_NE(written.find("/* External Derived Member service routine Definitions"), std::string::npos) << written;
    EXPECT_NE(written.find("\nCOMPONENT_STD_FUNCTION X_Get_Module_Member_Info_00000002( COMPONENT_STD_ARGS );\n"),
              std::string::npos)
        << written;
    EXPECT_EQ(written.find("00000001"), std::string::npos) << "no member link 1 waits";
    EXPECT_EQ(model.members[0].lKind, 1);
    EXPECT_EQ(model.members[0].text1, "X_Get_Module_Member_Info_00000002");
}

TEST_F(BifSections, ArraysInTheDebugTableAndTheBounds)
{
    begin();
    P3109_KeepLineIfDebugArrays();
    EXPECT_EQ(P3109_State().skel.cKeep, 'N');
    P3109_WriteDebugArrayTable();
    P3109_WriteArrayBounds();
    EXPECT_EQ(mainText(), "") << "no arrays";

    /* one DEF_ARRAY: its name at byte 6 and its entries at byte 12 of the parameter area */
    std::string area(2000, ' ');
    area.replace(5, 4, "#ARR");
    const int32_t entries = 7;
    area.replace(12, 4, std::string(reinterpret_cast<const char*>(&entries), 4));
    for (int k = 0; k < WR_ARRAYNAM_RECORDS; ++k)
        writeRecord("ARRAYNAM", "#ARR", std::to_string(k + 1),
                    {{0, area.substr(static_cast<size_t>(500 * k), 250)},
                     {WR_ARRAYNAM_SECOND, area.substr(static_cast<size_t>(500 * k + 250), 250)}});
    P3109_WriteDebugArrayTable();
    EXPECT_EQ(mainText(), "   static struct X_DEBUG_ARRAY X_Array[] =\n   {\n         \"ARR\",7,\n   };\n");
}

TEST_F(BifSections, TwentyOneVectorFieldsGiveTwoLinesOfBounds)
{
    const std::string bounds = arrayBounds(20);
    EXPECT_NE(bounds.find("   static X_SHORT s_ArrayVectorBounds[] =\n   {\n      " + zeros(20) + ",\n      0\n   };\n"),
              std::string::npos)
        << bounds;
}

/* Exactly twenty values fill one line, which is the last: no comma after
   it, no second line. */
TEST_F(BifSections, TwentyVectorFieldsGiveOneFullLastLine)
{
    const std::string bounds = arrayBounds(19);
    EXPECT_NE(bounds.find("   static X_SHORT s_ArrayVectorBounds[] =\n   {\n      " + zeros(20) + "\n   };\n"),
              std::string::npos)
        << bounds;
}

/* Only a field of variable length is released: a character field ('H')
** longer than the 32 characters a short character field holds, and a
** binary field ('2'); an alphanumeric field and a short 'H' field (held as
** a short character field) are not. */
TEST_F(BifSections, ReleasesOfVariableLengthFieldsOnly)
{
    defineField("VTXT", 'H', 100, 0);
    defineField("VBIN", '2', 50, 0);
    defineField("NAME", 'A', 20, 0);
    defineField("SHORT", 'H', 10, 0);
    for (const char* name : {"VTXT", "VBIN", "NAME", "SHORT"})
        useField(name, "FL", name);
    begin();
    const std::string before = mainText();
    P3109_WriteVarFieldReleases();
    const std::string releases = mainText().substr(before.size());
    EXPECT_NE(releases.find("X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_CHAR*)( "
                            "pX_Fld[V_FIELD_VTXT].pField )) );\n"),
              std::string::npos)
        << releases;
    EXPECT_NE(releases.find("X_VAR_VarBinary_Release( pX_Ids, pX_Pro, pX_Fun, ((X_FLD_BINARY*)( "
                            "pX_Fld[V_FIELD_VBIN].pField )) );\n"),
              std::string::npos)
        << releases;
    EXPECT_EQ(releases.find("NAME"), std::string::npos) << releases;
    EXPECT_EQ(releases.find("SHORT"), std::string::npos) << releases;
}

TEST_F(BifSections, InitialValuesOfLiteralsAndConnections)
{
    useField("'It''s'", "AL", "", 'Y', {{25, "001"}});
    useField("12", "NL", "", 'Y', {{25, "002"}});
    writeRecord("DATABASE", "ORDERS", "ORDLIB",
                {{0, "SALES\"DB"}, {128, "PGSQL"}, {160, "host=db;user=\\x"}, {416, "YNY"}});
    begin();
    P3109_State().emit.fileAccessBlocks = {{"ORDERS", "pX_ConnectORD", "ORDERS", "ORDLIB"}, {"PLAIN", "", "", ""}};
    P3109_State().emit.keepLastAreas = {"ORD"};
    P3109_WriteFieldInitialValues(0);
    const std::string c = mainText();
    EXPECT_NE(c.find("   INSTANCE(pX_ConnectORD) = X_Locate_Database_Connect( pX_Ids, pX_Pro, pX_Fun, "
                     "\"SALES\\x22\"\"DB\" );\n"),
              std::string::npos)
        << c;
    EXPECT_NE(c.find("         strcpy( INSTANCE(pX_ConnectORD)->vchParameters, \"host=db;user=\\x5C\"\"x\" );\n"),
              std::string::npos)
        << c;
    EXPECT_NE(c.find("         INSTANCE(pX_ConnectORD)->chEncrypted = 'Y';\n"
                     "         INSTANCE(pX_ConnectORD)->chODBA = 'N';\n"
                     "         INSTANCE(pX_ConnectORD)->chODBI = 'Y';\n"),
              std::string::npos);
    EXPECT_NE(c.find("INSTANCE(X_KLast[0].pEntries) = pX_NULL;\n"), std::string::npos);

    const std::string before = mainText();
    P3109_WriteFieldInitialValues(1);
    const std::string literals = mainText().substr(before.size());
    EXPECT_NE(literals.find("X_CPYBYTES( pX_Fld[V_ALPHA_LITERAL_001].pField, U_LITERAL_TEXT_"), std::string::npos)
        << literals;
    EXPECT_NE(literals.find("V_NUMERIC_LITERAL_002"), std::string::npos) << literals;
    EXPECT_NE(literals.find("12.0"), std::string::npos) << literals;
    EXPECT_STREQ(CGEN_pFindTextLiteral(literals.substr(literals.find("U_LITERAL_TEXT_"),
                                                       literals.find(',', literals.find("U_LITERAL_TEXT_")) -
                                                           literals.find("U_LITERAL_TEXT_")),
                                       nullptr),
                 "It's");
}

TEST_F(BifSections, FieldGroupArray)
{
    useField("CUSTNO", "FL", "CUSTNO");
    useField("CUSTNAM", "FL", "CUSTNAM");
    useField("CREDIT", "FL", "CREDIT");
    for (const auto& [n, field] : std::vector<std::pair<const char*, const char*>>{{"0000000001", "CUSTNO"},
                                                                                   {"0000000002", "CUSTNAM"},
                                                                                   {"0000000003", "CREDIT"},
                                                                                   {"0000000004", "CUSTNO"},
                                                                                   {"0000000005", "CREDIT"}})
        writeRecord("GROUPFLD", "ORDGRP", n, {{0, field}});
    begin();
    P3109_WriteFieldGroupArray(main_->stream(), 3, "#ORDGRP", "X_Group_ORDGRP");
    EXPECT_EQ(mainText(), "   static const X_SHORT asX_Group_ORDGRP[] =\n   {\n"
                          "      V_FIELD_CUSTNO, V_FIELD_CUSTNAM, V_FIELD_CREDIT, V_FIELD_CUSTNO,\n"
                          "      V_FIELD_CREDIT\n   };\n");
}

}  // namespace
}  // namespace gencore_test
