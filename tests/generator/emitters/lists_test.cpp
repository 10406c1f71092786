// Working and browse lists: the definition written by DEF_LIST, the two
// forms of the list-entry commands in the three list layouts, and the head
// of a SELECTLIST loop.
#include "checked_access.h"
#include "emit_fixture.h"

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/list_definitions.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/static_lists.h"
#include "generator/emitters/list_support.h"

namespace emitters_test {
namespace {

class Lists : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        field("CUSTNO", 'P', 7);
        field("FLAG", 'A', 1);
        field("CNT", 'P', 5);
    }

    /* The checker's record of a DEF_LIST and the command in both runs;
    ** the main run's lines. */
    std::vector<Line> defineList(const std::string& name, std::initializer_list<std::string> fields,
                                 const std::string& type = "*WORKING", const std::string& counter = "*NONE",
                                 const std::string& top = "*NONE")
    {
        std::string names;
        for (const std::string& f : fields)
            names += f + std::string(10 - f.size(), ' ');
        const std::string count =
            std::string(3 - std::to_string(fields.size()).size(), '0') + std::to_string(fields.size());
        char order[8];
        std::snprintf(order, sizeof order, "%04zu", P3109_ListDefinitions().size() + 1);
        writeRecord("LISTNAME  ", name, "", {{0, order}, {4, type == "*BROWSE" ? "B" : "W"}, {5, count}, {15, names}});
        FFC_PARSED_COMMAND& p = command("DEF_LIST");
        set(p, "NAME", "#" + name);
        set(p, "TYPE", type);
        set(p, "ENTRYS", "50");
        set(p, "COUNTER", counter);
        set(p, "TOP_ENTRY", top);
        for (const char* k : {"PAGE_SIZE", "SEL_ENTRY", "SCROLL_TXT"})
            set(p, k, "*NONE");
        current(p);
        P3109_State().out.cSuppress = 'Y';
        P3109_State().cLabelFlag = 'Y';
        P3109_EmitDefList();
        P3109_State().out.cSuppress = 'N';
        current(p);
        return lines([] { P3109_EmitDefList(); });
    }

    /* A list command naming the list, made current. */
    FFC_PARSED_COMMAND& listCommand(const char* name, const char* keyword, const std::string& list)
    {
        FFC_PARSED_COMMAND& p = command(name);
        set(p, keyword, list);
        const auto& def = dqov::cmdparm::kCommands[static_cast<size_t>(dqov::cmdparm::FindCommand(name))];
        if (dqov::cmdparm::FindParam(def, "WITH_MODE") >= 0)
            set(p, "WITH_MODE", "*CURRENT");
        current(p);
        return p;
    }
};

TEST_F(Lists, WorkingListStructureVectorAndMacros)
{
    const std::vector<Line> l = defineList("ORD", {"CUSTNO", "FLAG"});
    /* the packed structure, each packing line between blank lines */
    EXPECT_TRUE(holds(l, {{5, 0, " "},
                          {5, 0, "#include \"x_strpck.h\" "},
                          {5, 0, " "},
                          {5, 0, "struct LIST_ORD"},
                          {5, 0, "{"},
                          {5, 3, "X_DICTIONARY_PACKED fCUSTNO[BYTE_LEN_V_FIELD_CUSTNO];"},
                          {5, 3, "X_DICTIONARY_ALPHA fFLAG;"},
                          {5, 0, "};"},
                          {5, 0, " "},
                          {5, 0, " "},
                          {5, 0, "#include \"x_endpck.h\" "},
                          {5, 0, " "}}));
    /* the vector: the first entry begins with a blank, the next with a comma;
       a one-byte field is addressed without [0] */
    EXPECT_TRUE(holds(l, {{1, 3, "static struct LIST_ORD X_List_ORD;"}}));
    EXPECT_TRUE(holds(l, {{1, 3, "static struct X_FLD X_Fld_ORD[] = {"}}));
    EXPECT_TRUE(holds(l, {{1, 9, "7,4,0,"}, {1, 9, "&(X_List_ORD.fCUSTNO[0]),0,NO "}}));
    EXPECT_TRUE(holds(l, {{1, 9, "1,1,0,"}, {1, 9, "&(X_List_ORD.fFLAG),0,NO "}, {1, 3, "};"}, {1, 3, " "}}));
    size_t rows = 0;
    for (const Line& line : l) {
        if (line.stream == 1 && line.indent == 6) {
            EXPECT_EQ(line.text[0], rows++ == 0 ? ' ' : ',') << line.text;
        }
    }
    EXPECT_EQ(rows, 2u);
    /* the macros copy each field between the function and the list */
    EXPECT_TRUE(holds(l, {{5, 0, "#define ASSEMBLE_LIST_ENTRY_ORD()"},
                          {5, 0, "{"},
                          {5, 3, "struct X_FLD"},
                          {5, 3, "   *pX_FldList = pX_List[V_LIST_ORD].pX_Fld;"},
                          {5, 0, " "},
                          {5, 3,
                           "X_CPYBYTES( pX_FldList[V_LF_ORD_CUSTNO].pField, pX_Fld[V_FIELD_CUSTNO].pField, "
                           "BYTE_LEN_V_FIELD_CUSTNO );"}}));
    EXPECT_TRUE(holdsText(l, "X_CPYBYTES( pX_Fld[V_FIELD_FLAG].pField, pX_FldList[V_LF_ORD_FLAG].pField, "
                             "BYTE_LEN_V_FIELD_FLAG );"));
    const GEN_LIST_DEFINITION& list = checked::Last(P3109_ListDefinitions());
    EXPECT_EQ(list.fields[1].entryIdentifier, "V_LF_ORD_FLAG");
    EXPECT_EQ(list.ulEntryLength, 5u);

    /* the expression writers' reference to a list field */
    std::string reference, identifier, index;
    EXPECT_EQ(P3109_FormatListFieldVectorRef("#ORD", "#FLAG", reference, identifier, index), 0);
    EXPECT_EQ(reference, "pX_List[V_LIST_ORD].pX_Fld");
    EXPECT_EQ(identifier, "V_LIST_ORD");
    EXPECT_EQ(index, "V_LF_ORD_FLAG");
    EXPECT_EQ(P3109_FormatListFieldVectorRef("#NOLIST", "#FLAG", reference, identifier, index), -1);
    EXPECT_EQ(reference, "pX_Fld");
    EXPECT_EQ(identifier, "pX_List");
    EXPECT_EQ(index, "V_FIELD_FLAG");
}

TEST_F(Lists, TrigListHasNoPackingAndABrowseListNoMacros)
{
    const std::vector<std::string> trig = texts(defineList("TRIG_LIST", {"CUSTNO"}));
    EXPECT_EQ(std::count(trig.begin(), trig.end(), "#include \"x_strpck.h\" "), 0);
    EXPECT_EQ(std::count(trig.begin(), trig.end(), "#include \"x_endpck.h\" "), 0);
    EXPECT_EQ(std::count(trig.begin(), trig.end(), "#define ASSEMBLE_LIST_ENTRY_TRIG_LIST()"), 1);

    const std::vector<Line> b = defineList("BRW", {"CUSTNO"}, "*BROWSE", "#CNT");
    EXPECT_TRUE(holds(b, {{5, 0, "{"},
                          {5, 3, "X_CHAR chMode; "},
                          {5, 3, "struct X_COND Cond[2];"},
                          {5, 3, "X_DICTIONARY_PACKED fCUSTNO[BYTE_LEN_V_FIELD_CUSTNO];"},
                          {5, 3, "X_YES_NO efCUSTNO;"}}))
        << "TRUE and FALSE";
    EXPECT_FALSE(holdsText(b, "#define ASSEMBLE_LIST_ENTRY_BRW()"));
    const GEN_LIST_DEFINITION& brw = checked::Last(P3109_ListDefinitions());
    EXPECT_EQ(brw.cKind, 'B');
    EXPECT_EQ(brw.lMaxEntries, 9999);
    EXPECT_EQ(brw.sEntryCount, 1);
    EXPECT_EQ(brw.texts[0], "V_FIELD_CNT");

    /* change tracking adds the c-copies */
    P3109_ResetListDefinitions();
    P3109_ResetEmitters();
    defineList("CHG", {"CUSTNO"}, "*BROWSE");
    const_cast<GEN_LIST_DEFINITION&>(checked::Last(P3109_ListDefinitions())).cChangeTracking = 'Y';
    current(*commands_.back());
    const std::vector<Line> c = lines([] { P3109_EmitDefList(); });
    EXPECT_TRUE(holds(c, {{5, 3, "X_DICTIONARY_PACKED fCUSTNO[BYTE_LEN_V_FIELD_CUSTNO];"},
                          {5, 3, "X_DICTIONARY_PACKED cfCUSTNO[BYTE_LEN_V_FIELD_CUSTNO];"},
                          {5, 3, "X_YES_NO efCUSTNO;"}}));
}

TEST_F(Lists, MacroBracesCarryTheContinuationTheBlankLineAfterDoesNot)
{
    FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    const GEN_STREAM stream = P3109_AddFileStream(f);
    P3109_State().header = stream;
    defineList("ORD", {"CUSTNO"});
    P3109_pStreamFile(stream); /* hands the lines gathered so far to the file */
    std::fflush(f);
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;)
        text += static_cast<char>(c);
    EXPECT_NE(text.find("#define DISASSEMBLE_LIST_ENTRY_ORD() \\\r\n{ \\\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("BYTE_LEN_V_FIELD_CUSTNO ); \\\r\n} \\\r\n  \r\n"), std::string::npos) << text;
    EXPECT_EQ(P3109_State().out.lMacroContinuation, 0);
}

TEST_F(Lists, EntryCommandsInBothFormsAndTheThreeLayouts)
{
    defineList("ORD", {"CUSTNO"});
    defineList("BRW", {"CUSTNO"}, "*BROWSE", "*NONE", "*CURRENT");

    /* a working list moves the entry itself through its operation table */
    listCommand("ADD_ENTRY", "TO_LIST", "#ORD");
    std::vector<Line> add = lines([] { P3109_EmitAddEntry(); });
    EXPECT_TRUE(holds(add, {{6, 6, "X_Add_Entry_Fcn"},
                            {6, 6, "   *pfnAddEntry = pX_List[V_LIST_ORD].pOperationTable->pfnAddEntry;"},
                            {6, 0, " "},
                            {6, 6, "ASSEMBLE_LIST_ENTRY_ORD();"}}));
    EXPECT_TRUE(holdsText(add, "(pfnAddEntry)( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_NULL, V_LIST_ORD, pX_List, YES, NO, "
                               "X_FUNCTION_MODE_DISPLAY, NO );"));
    /* a browse list through the run-time routine */
    listCommand("ADD_ENTRY", "TO_LIST", "#BRW");
    add = lines([] { P3109_EmitAddEntry(); });
    EXPECT_TRUE(holdsText(add,
                          "X_Add_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, INSTANCE(X_Cond), V_LIST_BRW, pX_List, YES, "
                          "YES, pX_Fun->chMode, YES );"));

    /* CLR_LIST and DLT_LIST write the same; the top entry goes back for a
       browse list showing its current entry */
    listCommand("CLR_LIST", "NAMED", "#BRW");
    const std::vector<std::string> clr = texts(lines([] { P3109_EmitClrList(); }));
    listCommand("DLT_LIST", "NAMED", "#BRW");
    std::vector<std::string> dlt = texts(lines([] { P3109_EmitDltList(); }));
    std::replace(dlt.begin(), dlt.end(), std::string("// DLT_LIST NAMED(#BRW)"),
                 std::string("// CLR_LIST NAMED(#BRW)"));
    EXPECT_NE(std::find(clr.begin(), clr.end(), "pX_List[V_LIST_BRW].svTopEntry = V_MAXIMUM_VALUE + 1;"), clr.end());
    listCommand("CLR_LIST", "NAMED", "#ORD");
    const std::vector<std::string> clrOrd = texts(lines([] { P3109_EmitClrList(); }));
    EXPECT_NE(std::find(clrOrd.begin(), clrOrd.end(),
                        "( pX_List[V_LIST_ORD].pOperationTable->pfnDropEntries )( pX_Ids, pX_Pro, pX_Fun, pX_Fld, "
                        "V_LIST_ORD, pX_List, YES );"),
              clrOrd.end());
    EXPECT_EQ(std::count_if(clrOrd.begin(), clrOrd.end(),
                            [](const std::string& t) { return t.find("svTopEntry") != std::string::npos; }),
              0);

    /* with ZOPH2 a list of the short layout is reached through the X_LIST_1 overlay */
    ctx.lZoph2Used = 1;
    listCommand("UPD_ENTRY", "IN_LIST", "#ORD");
    const std::vector<Line> upd = lines([] { P3109_EmitUpdEntry(); });
    EXPECT_TRUE(holdsText(upd, "   *pfnUpdEntry = ((X_LIST_1*)( &( ((X_LIST_2*) pX_List)[V_LIST_ORD] ) ))->"
                               "pOperationTable->pfnUpdEntry;"));
    const_cast<GEN_LIST_DEFINITION&>(P3109_ListDefinitions().at(0)).lSecondVersion = 1;
    listCommand("DLT_ENTRY", "FROM_LIST", "#ORD");
    set(*commands_.back(), "NUMBER", "*CURRENT");
    current(*commands_.back());
    const std::vector<Line> del = lines([] { P3109_EmitDltEntry(); });
    EXPECT_TRUE(holds(del, {{6, 6, "X_LIST_2"},
                            {6, 6, "   *pList = &((X_LIST_2*) pX_List)[V_LIST_ORD];"},
                            {6, 6, "X_Dlt_Entry_Fcn"},
                            {6, 6, "   *pfnDltEntry = pList->pOperationTable->pfnDltEntry;"},
                            {6, 0, " "},
                            {6, 6, "lcDltEntry = pList->lcCurrentEntry;"}}));
    ctx.lZoph2Used = 0;
    EXPECT_TRUE(issuedMessages().empty());
}

TEST_F(Lists, CounterInTheListSortOrderAndUndefinedList)
{
    defineList("CNTL", {"CUSTNO", "CNT"}, "*WORKING", "#CNT");
    listCommand("ADD_ENTRY", "TO_LIST", "#CNTL");
    EXPECT_TRUE(
        holdsText(lines([] { P3109_EmitAddEntry(); }),
                  "X_Add_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, INSTANCE(X_Cond), V_LIST_CNTL, pX_List, YES, YES, "
                  "X_FUNCTION_MODE_DISPLAY, YES );"));

    FFC_PARSED_COMMAND& sort = command("SORT_LIST");
    set(sort, "NAMED", "#CNTL");
    list(sort, "BY_FIELDS", {"#CUSTNO", "#CNT"});
    set(sort, "BY_FIELDS", "*DESCEND", 1, 1);
    current(sort);
    EXPECT_TRUE(holdsText(lines([] { P3109_EmitSortList(); }),
                          "X_Sort_List( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_LIST_CNTL, pX_List, X_Sort_List_" +
                              P3109_State().lineNumberText + " );"));
    const GEN_SORT_ROUTINE_NODE& node = checked::Last(P3109_SortRoutineList());
    EXPECT_EQ(node.structureName, "LIST_CNTL");
    ASSERT_EQ(node.keys.size(), 2u);
    EXPECT_EQ(node.keys[0].cOrder, 'A');
    EXPECT_EQ(node.keys[1].field, "CNT       ");
    EXPECT_EQ(node.keys[1].cOrder, 'D');

    listCommand("GET_ENTRY", "FROM_LIST", "#NOLIST");
    const std::vector<Line> none = lines([] { P3109_EmitGetEntry(); });
    EXPECT_FALSE(holdsText(none, "{"));
    ASSERT_EQ(issuedMessages().size(), 1u);
    EXPECT_EQ(issuedMessages().at(0).substr(0, 9), "PRC1006 F");
}

TEST_F(Lists, GetAndLocateEntries)
{
    defineList("ORD", {"CUSTNO"});
    FFC_PARSED_COMMAND& get = listCommand("GET_ENTRY", "FROM_LIST", "#ORD");
    set(get, "NUMBER", "#CNT");
    set(get, "RET_STATUS", "*STATUS");
    current(get);
    std::vector<Line> g = lines([] { P3109_EmitGetEntry(); });
    EXPECT_TRUE(holds(g, {{6, 0, " "}, {6, 3, "{"}}));
    EXPECT_TRUE(holds(g, {{6, 6, "X_SHORT"}, {6, 6, "   sGetEntry;"}, {6, 6, "X_Get_Entry_Ext_Fcn"}}));
    EXPECT_TRUE(holdsText(g, "   DISASSEMBLE_LIST_ENTRY_ORD();"));
    /* with a frame the block is the frame's own */
    get.cFrame = 1;
    current(get);
    g = lines([] { P3109_EmitGetEntry(); });
    EXPECT_FALSE(holds(g, {{6, 0, " "}, {6, 3, "{"}}));
    EXPECT_TRUE(holdsText(g, "X_VAR_InitializeFunctionFrame( FUNCTION_STD_PARMS, pFrame );"));

    /* LOC_ENTRY without WHERE takes the first entry; the status starts as no record */
    listCommand("LOC_ENTRY", "IN_LIST", "#ORD");
    const std::vector<Line> loc = lines([] { P3109_EmitLocEntry(); });
    EXPECT_TRUE(holds(loc, {{6, 3, "strcpy( INSTANCE(vchLastIOStatus), X_DBM_NO_RECORD );"}}));
    EXPECT_TRUE(holds(loc, {{6, 6, "sEntrys = pX_List[V_LIST_ORD].sCurrentEntrys;"},
                            {6, 0, " "},
                            {6, 6, "for ( i = 1; i <= sEntrys; i++ )"},
                            {6, 6, "{"}}));
    EXPECT_TRUE(holds(loc, {{6, 9, "DISASSEMBLE_LIST_ENTRY_ORD();"},
                            {6, 0, " "},
                            {6, 9, "strcpy( INSTANCE(vchLastIOStatus), X_DBM_OKAY );"},
                            {6, 9, "break;"},
                            {6, 6, "}"},
                            {6, 3, "}"}}));
    EXPECT_FALSE(holdsText(loc, "/* If this entry matches the WHERE clause */"));
    EXPECT_EQ(P3109_State().out.usIndent, 3);
}

TEST_F(Lists, SelectListLoopHead)
{
    defineList("ORD", {"CUSTNO"});
    defineList("BRW", {"CUSTNO"}, "*BROWSE");
    FFC_PARSED_COMMAND& w = command("SELECTLIST");
    set(w, "NAMED", "#ORD");
    list(w, "GET_ENTRYS", {"*SELECT"});
    /* a KEEP_TOTAL inside the loop: the checker's record of it under the loop */
    FFC_PARSED_COMMAND& keep = command("KEEP_TOTAL");
    set(keep, "IN_FIELD", "#CNT");
    ASSERT_EQ(RS_PutCommandRecord(&ctx, &keep, sizeof keep), 0);
    FFC_WORK_RECORD r;
    WF_BlankRecord(&ctx, &r);
    const int32_t loopLine = w.sLine;
    const int16_t loopSub = 0;
    std::memcpy(r.acKind, &loopLine, 4);
    std::memcpy(r.acKind + 4, &loopSub, 2);
    std::memcpy(r.acName, "KEEP_", 5);
    const WR_KEEP_DATA data{keep.sLine, 0};
    std::memcpy(r.acData, &data, sizeof data);
    ASSERT_GT(WF_lWrite(&ctx, &r), 0);
    current(w);
    const std::string n = std::to_string(w.sSequence);
    const std::vector<Line> work = lines([] { P3109_EmitSelectList(); });
    EXPECT_TRUE(
        holds(work, {{6, 6, "X_LONG"},
                     {6, 6, "   lSelectEntry_" + n + ","},
                     {6, 6, "   lSelectLoopCount = 0;"},
                     {6, 6, "struct X_LIST"},
                     {6, 6, "   *pX_List_" + n + " = &pX_List[V_LIST_ORD];"},
                     {6, 6, "X_Get_Entry_Ext_Fcn"},
                     {6, 6, "   *pfnGetEntryExt_" + n + " = pX_List_" + n + "->pOperationTable->pfnGetEntryExt;"}}));
    EXPECT_TRUE(holdsText(work, "for ( lSelectEntry_" + n + " = 1; ( lSelectEntry_" + n + " <= pX_List_" + n +
                                    "->sCurrentEntrys ) && ( pX_Ids->chFatalError == NO ); lSelectEntry_" + n +
                                    " += (1 + INSTANCE(lAdjustment_ORD)) )"));
    EXPECT_TRUE(holds(work, {{6, 6, "/* Change KEEP_XXXX value(s) to zero */"}}));
    /* a working list never screens by selection keywords */
    EXPECT_TRUE(holdsText(work, "pX_List_" + n + "->chScreening = NO;"));
    EXPECT_EQ(checked::Last(texts(work)), "#endif") << "the prologue stands last, inside the loop";

    P3109_State().out.usIndent = 3;
    P3109_State().out.sDepth = 0;
    FFC_PARSED_COMMAND& b = command("SELECTLIST");
    set(b, "WHERE", "#CUSTNO = 1");
    set(b, "NAMED", "#BRW");
    list(b, "GET_ENTRYS", {"*ALTERED", "", "*DELETE"});
    current(b);
    const std::string m = std::to_string(b.sSequence);
    const std::vector<Line> brw = lines([] { P3109_EmitSelectList(); });
    EXPECT_TRUE(holds(brw, {{6, 9, "pX_List_" + m + "->chScreening = YES;"},
                            {6, 9, "pX_List_" + m + "->chOSelected = NO;"},
                            {6, 9, "pX_List_" + m + "->chOAltered =  YES;"}}));
    EXPECT_TRUE(holdsText(brw, "pX_List_" + m + "->chODelete = NO;")) << "after a blank keyword";
    EXPECT_TRUE(holdsText(brw, "INSTANCE(chEntryChanged) =  YES;"));
    EXPECT_TRUE(holdsText(
        brw, "   lSelectEntry_" + m +
                 " += (1 + INSTANCE(lAdjustment_BRW)), "
                 "X_Set_Component_List_Entry_Count( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, V_LIST_BRW ) )"));
    EXPECT_TRUE(holdsText(brw, "X_Set_Error_States( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_LIST_BRW, pX_List, NO );"));
    const std::string routine = checked::Last(P3109_EvaluationChain()).name;
    EXPECT_TRUE(holdsText(brw, "if ( " + routine + "(FUNCTION_STD_PARMS) != YES ) continue;"));
    EXPECT_EQ(checked::Last(P3109_EvaluationChain()).sList, 1) << "the condition reads the browse list's fields";
}

TEST_F(Lists, CSharpFormsOfTheEntryCommands)
{
    defineList("ORD", {"CUSTNO"});
    defineList("BRW", {"CUSTNO"}, "*BROWSE");
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    current(*commands_[0]);
    const std::vector<Line> def = lines([] { P3109_EmitDefList(); });
    EXPECT_TRUE(holdsText(def,
                          "DqooDef.X_CPYBYTES( ref pX_FldList[V_LF_ORD_CUSTNO].pField, pX_Fld[V_FIELD_CUSTNO].pField, "
                          "BYTE_LEN_V_FIELD_CUSTNO );"));
    bool adjustment = false;
    for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(0))
        adjustment = adjustment || (e.csDeclaration == "public int lAdjustment_ORD" &&
                                    e.csInitialiser == "pGlobal1.lAdjustment_ORD = 0;");
    EXPECT_TRUE(adjustment);

    listCommand("ADD_ENTRY", "TO_LIST", "#BRW");
    EXPECT_TRUE(
        holdsText(lines([] { P3109_EmitAddEntry(); }),
                  "X_RUN_DLL.X_Add_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pGlobal1.X_Cond, V_LIST_BRW, pX_List, "
                  "YES, YES, pX_Fun.chMode, YES );"));
    FFC_PARSED_COMMAND& del = listCommand("DLT_ENTRY", "FROM_LIST", "#BRW");
    set(del, "NUMBER", "*CURRENT");
    current(del);
    EXPECT_TRUE(
        holdsText(lines([] { P3109_EmitDltEntry(); }),
                  "X_RUN_DLL.X_Dlt_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_NOT_AVAILABLE, pX_List, V_LIST_BRW, "
                  "ref pGlobal1.lAdjustment_BRW );"));
    ctx.lZoph2Used = 1;
    FFC_PARSED_COMMAND& get = listCommand("GET_ENTRY", "FROM_LIST", "#BRW");
    set(get, "NUMBER", "#CNT");
    current(get);
    const std::vector<Line> g = lines([] { P3109_EmitGetEntry(); });
    EXPECT_TRUE(holds(g, {{6, 6, "int"}, {6, 6, "   lcGetEntry = 0;"}}));
    EXPECT_TRUE(holds(g, {{6, 6, "pX_List[V_LIST_BRW].chScreening = NO;"}, {6, 6, "pGlobal1.chEntryChanged = NO;"}}));
    EXPECT_TRUE(holdsText(g, "pGlobal1.chListEntryMode = X_RUN_DLL.X_Get_Entry_2( pX_Ids, pX_Pro, pX_Fun, pX_Fld, "
                             "pGlobal1.X_Cond, V_LIST_BRW, pX_List, lcGetEntry, YES, ref pGlobal1.chEntryChanged );"));
    EXPECT_TRUE(holds(g, {{6, 6, "if (pGlobal1.chListEntryMode == NO)"},
                          {6, 6, "   pGlobal1.vchLastIOStatus = DqooDef.X_DBM_NO_RECORD;"}}));
    ctx.lZoph2Used = 0;
}

}  // namespace
}  // namespace emitters_test
