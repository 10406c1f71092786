// Subroutines, component commands and their tables, and the function's
// entry and exit interface: the lines the Parts give for them.
#include "checked_access.h"
#include "emit_fixture.h"

#include "generator/core/model/data_structures.h"

namespace emitters_test {
namespace {

class Routines : public EmitterFixture {};

TEST_F(Routines, SubroutineWithoutCursorsAndItsExecute)
{
    field("A");
    field("P1");
    writeRecord("USRSUBP   ", "SUB1      0000001", "", {{0, "RP1        "}});
    FFC_PARSED_COMMAND& sub = command("SUBROUTINE", "SUBROUTINE NAME(SUB1) PARMS((#P1 *RECEIVED))");
    set(sub, "NAME", "SUB1");
    current(sub);
    GEN_MODULE_STATE& g = P3109_State();
    g.cRoutineFlag1 = 'Y';
    g.out.usIndent = 0;
    const std::vector<Line> head = lines([] { P3109_EmitSubroutine('S', ""); });
    EXPECT_TRUE(holds(head, {{6, 0, "F_SHORT_FUNCTION Subroutine_SUB1(FUNCTION_STD_ARGS)"}, {6, 0, "{"}}));
    EXPECT_TRUE(holds(head, {{6, 0, "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_1)))"}}));
    EXPECT_EQ(P3109_SubroutineList().size(), 1u);
    g.cRoutineFlag1 = 'N';

    FFC_PARSED_COMMAND& exec = command("EXECUTE");
    set(exec, "SUBROUTINE", "SUB1");
    list(exec, "WITH_PARMS", {"#A"});
    current(exec);
    const std::vector<Line> call = lines([] { P3109_EmitExecute(); });
    EXPECT_TRUE(holdsText(call, "X_SHORT sResult;"));
    EXPECT_TRUE(holdsText(call, "/* Assign the subroutine arguments */"));
    EXPECT_TRUE(holdsText(call, "sResult = Subroutine_SUB1(FUNCTION_STD_PARMS);"));
    EXPECT_TRUE(holdsText(call, "X_MAIN_CHECK_EXECUTION(sResult," + g.cName + ")"));
    for (const Line& l : call)
        EXPECT_EQ(l.text.find("sCurrentCursors"), std::string::npos) << l.text;
    /* the argument is received only: nothing comes back */
    EXPECT_FALSE(holdsText(call, "/* Get the subroutine returned values */"));

    /* the routine section declares it */
    g.header = 5;
    const std::vector<Line> section = lines([] { P3109_EmitRoutineSection(); });
    EXPECT_TRUE(holds(section, {{5, 3, "F_SHORT_FUNCTION Subroutine_SUB1 (FUNCTION_STD_ARGS);"}}));
}

TEST_F(Routines, ComponentTables)
{
    /* 16 ids: 3 on the first line, 12 on the next, 1 on the last */
    GEN_COMPONENT_DISPATCH_TABLE ids{"aDispatch", {}};
    for (int i = 1; i <= 16; ++i)
        ids.ids.push_back(i);
    const std::vector<Line> t = lines([&ids] { P3109_EmitComponentDispatchIdTable(&ids, 6, 1, 3); });
    std::vector<Line> c;
    for (const Line& l : t)
        if (l.stream == 6)
            c.push_back(l);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ(c[1].text, "static const X_COMP_DISPATCH_ID aDispatch[] = {1L,2L,3L");
    EXPECT_EQ(c[2].text, "             ,4L,5L,6L,7L,8L,9L,10L,11L,12L,13L,14L,15L");
    EXPECT_EQ(c[3].text, "             ,16L};");

    /* a table whose members are all left out still closes */
    GEN_COMPONENT_HEADER_TABLE none{"aHeader", {{"Routine_1", false}}};
    const std::vector<Line> h = lines([&none] { P3109_EmitComponentHeaderTable(&none, 6, 1, 0); });
    EXPECT_TRUE(holds(h, {{6, 0, "static const X_PVOID aHeader[] = { pX_NULL };"}}));
    GEN_COMPONENT_HEADER_TABLE two{"aHeader", {{"Routine_1", true}, {"Routine_2", true}}};
    const std::vector<Line> h2 = lines([&two] { P3109_EmitComponentHeaderTable(&two, 6, 1, 0); });
    EXPECT_TRUE(holds(
        h2, {{6, 3, "/* [0] */ ( (X_PVOID) &(Routine_1) ) ,"}, {6, 3, "/* [1] */ ( (X_PVOID) &(Routine_2) ) };"}}));
}

TEST_F(Routines, ComponentDispatchAndFor)
{
    ctx.lZophxUsed = 1;
    FFC_PARSED_COMMAND& set1 = command("SET");
    set1.lDispatchId = 42;
    current(set1);
    EXPECT_EQ(checked::Last(texts(lines([] { P3109_EmitSet(); }))),
              "X_DISPATCH_COMPONENT_COMMAND( 42L, pX_NULL, pX_NULL, 0, pX_NULL, X_COMP_DISPATCH_ZOPHX_COMMAND, "
              "X_MAIN_CHECK_DISPATCH( lReturnCode, " +
                  P3109_State().cName + " ) )");
    /* without an id: the prologue only */
    FFC_PARSED_COMMAND& set2 = command("SET");
    current(set2);
    for (const Line& l : lines([] { P3109_EmitSet(); }))
        EXPECT_EQ(l.text.find("X_DISPATCH"), std::string::npos);

    FFC_PARSED_COMMAND& loop = command("FOR");
    loop.lDispatchId = 7;
    FFC_PARSED_COMMAND& end = command("ENDFOR");
    const std::vector<Line> head = dispatch(loop);
    EXPECT_TRUE(holdsText(head, "X_PVOID pvForLoopIterator3 = pX_NULL;"));
    EXPECT_TRUE(holdsText(head, "if ( lForCommandResult3 != X_COMP_RETURN_TRUE ) break;"));
    const std::vector<Line> tail = dispatch(end);
    EXPECT_NE(texts(tail)[texts(tail).size() - 2].find("X_COMP_DISPATCH_ITERATOR_DESTROY, &pvForLoopIterator3"),
              std::string::npos);
    EXPECT_EQ(P3109_State().sBlockDepth, 0);
    ctx.lZophxUsed = 0;
}

TEST_F(Routines, ReceivedAndReturnedListsAndStructures)
{
    /* two lists received, the second not defined, then a data structure */
    writeRecord("RCV_LIST  ", "LISTA", "", {});
    writeRecord("RCV_LIST  ", "LISTB", "", {});
    writeRecord("RCV_DS    ", "", "DEMDS", {});
    writeRecord("LISTNAME  ", "LISTB", "", {{0, "0001W"}});
    writeRecord("USE_DS    ", "DEMDS", "", {});
    P3109_LoadDataStructures();
    ASSERT_NE(P3109_pFindDataStructure("DEMDS"), nullptr);
    const std::vector<std::string> in = texts(lines([] { P3109_EmitReceiveParameters(); }));
    auto at = [&in](const std::string& text) { return std::find(in.begin(), in.end(), text) != in.end(); };
    EXPECT_TRUE(at("X_Receive_Working_List( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_LIST_LISTA, pX_List, 0, "
                   "INSTANCE(scX_Parm), INSTANCE(pX_Parm) );"));
    EXPECT_TRUE(at("if ((INSTANCE(scX_Parm) < 3)"));
    EXPECT_TRUE(at(" || (INSTANCE(pX_Parm[2].sType) != X_PARM_DATA_STRUCTURE)"));
    EXPECT_TRUE(at("X_DisAssemble_DEMDS (FUNCTION_STD_PARMS);"));

    /* the defined list goes back into its own slot, 1 */
    const std::vector<std::string> out = texts(lines([] { P3109_EmitReturnParameters(); }));
    EXPECT_NE(std::find(out.begin(), out.end(),
                        "X_Return_Working_List( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_LIST_LISTB, pX_List, 1, "
                        "INSTANCE(scX_Parm), INSTANCE(pX_Parm) );"),
              out.end());

    /* the structure's routines: an alphanumeric member of one byte by address */
    GEN_DATA_STRUCTURE ds = *P3109_pFindDataStructure("DEMDS");
    ds.components = {{"FALPHA    ", 'A', 1, 0}, {"FPACKED   ", 'P', 9, 2}};
    useField("FALPHA", "FL", "FALPHA");
    useField("FPACKED", "FL", "FPACKED");
    const std::vector<std::string> assign = texts(lines([&ds] { P3109_EmitDataStructureAssign(ds, 'D'); }));
    ASSERT_EQ(assign.size(), 2u);
    EXPECT_EQ(assign[0], "X_Vec_Assign_from_Data_Structure( pX_Ids,pX_Pro,pX_Fun, &(INSTANCE(pDEMDS_STORAGE->FALPHA)), "
                         "pX_Fld, V_FIELD_FALPHA );");
    EXPECT_EQ(assign[1], "X_Vec_Assign_from_Data_Structure( pX_Ids,pX_Pro,pX_Fun, INSTANCE(pDEMDS_STORAGE->FPACKED), "
                         "pX_Fld, V_FIELD_FPACKED );");
}

TEST_F(Routines, TransferAndExecCpf)
{
    FFC_PARSED_COMMAND& next = command("TRANSFER");
    set(next, "TOFUNCTION", "*NEXT");
    current(next);
    const std::vector<std::string> t = texts(lines([] { P3109_EmitTransfer(); }));
    EXPECT_EQ(t.back(), "X_MAIN_TRANSFER(" + P3109_State().cName + ")");
    EXPECT_EQ(std::count(t.begin(), t.end(), "/* Set next function from user specified value */"), 0);

    FFC_PARSED_COMMAND& cpf = command("EXEC_CPF");
    set(cpf, "COMMAND", "DSPLIBL");
    set(cpf, "IF_ERROR", "@ABORT");
    current(cpf);
    const std::vector<std::string> c = texts(lines([] { P3109_EmitExecCpf(); }));
    EXPECT_EQ(std::count(c.begin(), c.end(), "pX_Ids->chFatalError = NO;"), 0);
    EXPECT_EQ(c.front(), " ");
    EXPECT_NE(std::find(c.begin(), c.end(), "#if defined X_OPERATING_SYSTEM_ISERIES"), c.end());
    EXPECT_NE(std::find(c.begin(), c.end(), "X_SHORT sCommandLen = 7;"), c.end());
    EXPECT_EQ(c.back(), "#endif");
}

}  // namespace
}  // namespace emitters_test
