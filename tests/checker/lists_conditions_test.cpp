// The list commands against the function's DEF_LIST definitions, and the
// conditions, values and operands the handlers hand to the operand and
// expression checks, on small functions checked end to end.
#include "checker/handlers.h"
#include "checker_fixture.h"

#include <string>
#include <vector>

using checker_test::CheckJob;
using checker_test::Lines;
using checker_test::Message;
using checker_test::OnLine;

namespace {

TEST_F(CheckJob, ListCommandsNeedTheirList)
{
    addFunction("TSTPRC", "LISTS",
                {"FUNCTION OPTIONS(*DIRECT)",                                         // 1
                 "CLR_LIST NAMED(#NOLIST)",                                           // 2
                 "ADD_ENTRY TO_LIST(#WORKL)",                                         // 3  defined below
                 "DEF_LIST NAME(#WORKL) FIELDS(#CUSTNO #CUSTNAM)",                    // 4
                 "DEF_LIST NAME(#BRWL) FIELDS(#CUSTNO #CREDIT) TYPE(*BROWSE)",        // 5
                 "CLR_LIST",                                                          // 6  *FIRST: WORKL
                 "SORT_LIST NAMED(#BRWL) BY_FIELDS(#CUSTNO)",                         // 7
                 "SORT_LIST NAMED(#WORKL) BY_FIELDS((#CREDIT) (#CUSTNAM *UPWARDS))",  // 8
                 "SELECTLIST NAMED(#WORKL) GET_ENTRYS(*SELECT)",                      // 9
                 "ENDSELECT",                                                         // 10
                 "SELECTLIST NAMED(#BRWL) GET_ENTRYS(*SELECT)",                       // 11
                 "ENDSELECT",                                                         // 12
                 "DLT_ENTRY NUMBER(*LAST) FROM_LIST(#WORKL)",                         // 13
                 "LOC_ENTRY IN_LIST(#WORKL) GET_ENTRY(*NA)",                          // 14
                 "GET_ENTRY NUMBER(#CUSTNAM) FROM_LIST(#WORKL)",                      // 15
                 "DLT_LIST NAMED(#WORKL)",                                            // 16
                 "RETURN"});
    prepare("TSTPRC", "LISTS");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 2), Lines{"PRC1006 NOLIST"});
    EXPECT_TRUE(OnLine(all, 3).empty()) << "a list defined further down is known in pass 2";
    EXPECT_TRUE(OnLine(all, 6).empty());
    EXPECT_EQ(OnLine(all, 7), Lines{"PRC0156 BRWL"}) << "only working lists are sorted";
    EXPECT_EQ(OnLine(all, 8), (Lines{"PRC0155 CREDIT", "PRC0009 *UPWARDS"}));
    EXPECT_EQ(OnLine(all, 9), Lines{"PRC0152 *SELECT"}) << "selections other than *ALL need a browse list";
    EXPECT_TRUE(OnLine(all, 11).empty());
    EXPECT_EQ(OnLine(all, 13), Lines{"PRC0344 NUMBER(*LAST)"});
    EXPECT_EQ(OnLine(all, 14), Lines{"PRC0154 GET_ENTRY(*NA)"});
    ASSERT_EQ(OnLine(all, 15).size(), 1u);
    EXPECT_EQ(OnLine(all, 15).at(0).substr(0, 7), "DCM0402") << "the entry number is numeric";
    EXPECT_TRUE(OnLine(all, 16).empty());
    for (const Message& m : all)
        EXPECT_NE(m.id, "DCM9898") << m.line << " " << m.data;
}

// A list the function does not define is the finding of the list command
// whose check names one for it; the others give the generator's finding
// of a working list without a DEF_LIST. A numeric field that is not
// numeric is DLT_ENTRY's own finding too.
TEST_F(CheckJob, AListWithoutDefinitionIsTheCommandsOwnFinding)
{
    addFunction("TSTPRC", "NOLIST",
                {"FUNCTION OPTIONS(*DIRECT)",                             // 1
                 "SORT_LIST NAMED(#NOLIST) BY_FIELDS(#CUSTNO)",           // 2
                 "SELECTLIST NAMED(#NOLIST)",                             // 3
                 "ENDSELECT",                                             // 4
                 "LOC_ENTRY IN_LIST(#NOLIST) WHERE('#CREDIT > 0')",       // 5
                 "DLT_ENTRY FROM_LIST(#NOLIST)",                          // 6
                 "UPD_ENTRY IN_LIST(#NOLIST)",                            // 7
                 "DEF_LIST NAME(#WORKL) FIELDS(#CUSTNO)",                 // 8
                 "DLT_ENTRY NUMBER(#CUSTNAM) FROM_LIST(#WORKL)",          // 9
                 "DLT_ENTRY NUMBER(#CREDIT) FROM_LIST(#WORKL)",           // 10
                 "RETURN"});
    prepare("TSTPRC", "NOLIST");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 2), Lines{"PRC0156 NOLIST"});
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC0152 list NOLIST has no DEF_LIST"});
    EXPECT_EQ(OnLine(all, 5), Lines{"PRC0154 list NOLIST has no DEF_LIST"});
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC0344 list NOLIST has no DEF_LIST"});
    EXPECT_EQ(OnLine(all, 7), Lines{"PRC1006 NOLIST"});
    EXPECT_EQ(OnLine(all, 9), Lines{"PRC0344 NUMBER(#CUSTNAM) is not numeric"});
    EXPECT_TRUE(OnLine(all, 10).empty());
}

TEST_F(CheckJob, FirstListOfAFunctionWithoutLists)
{
    addFunction("TSTPRC", "NOLISTS", {"FUNCTION OPTIONS(*DIRECT)", "INZ_LIST NUM_ENTRYS(5)", "RETURN"});
    prepare("TSTPRC", "NOLISTS");
    run();
    EXPECT_EQ(OnLine(messages(), 2), Lines{"PRC1006 *FIRST"});
}

TEST_F(CheckJob, ConditionsAreCheckedInPassTwo)
{
    addFunction("TSTPRC", "CONDS",
                {"FUNCTION OPTIONS(*DIRECT)",                              // 1
                 "IF COND('#LATER > 0')",                                  // 2  defined on line 9
                 "ENDIF",                                                  // 3
                 "DOWHILE COND('#CUSTNAM = 5')",                           // 4
                 "ENDWHILE",                                               // 5
                 "DOUNTIL COND('#CREDIT + 1')",                            // 6
                 "ENDUNTIL",                                               // 7
                 "LOC_ENTRY IN_LIST(#L) WHERE('#NOSUCH = 1')",             // 8
                 "DEFINE FIELD(#LATER) TYPE(*DEC) LENGTH(5) DECIMALS(0)",  // 9
                 "DEF_LIST NAME(#L) FIELDS(#CUSTNO)",                      // 10
                 "RETURN"});
    prepare("TSTPRC", "CONDS");
    run();
    std::vector<Message> all = messages();
    EXPECT_TRUE(OnLine(all, 2).empty()) << "a field defined further down is known to the condition";
    EXPECT_EQ(OnLine(all, 4), Lines{"DCM0456 #CUSTNAM            5"});
    EXPECT_EQ(OnLine(all, 6), Lines{"DCM0459 LN"});
    std::vector<std::string> where = OnLine(all, 8);
    ASSERT_FALSE(where.empty());
    EXPECT_EQ(where[0], "DCM0401 #NOSUCH");
    for (const Message& m : all) {
        if (m.line == 4 || m.line == 6 || m.line == 8) {
            EXPECT_EQ(m.severity, 'F');
        }
    }
}

TEST_F(CheckJob, ChangeValueFollowsTheFieldChanged)
{
    addFunction("TSTPRC", "CHGS",
                {"FUNCTION OPTIONS(*DIRECT)",                              // 1
                 "DEFINE FIELD(#CNT) TYPE(*DEC) LENGTH(3) DECIMALS(0)",    // 2
                 "CHANGE FIELD(#CNT) TO('#CUSTNAM + 1')",                  // 3
                 "CHANGE FIELD(#CNT) TO(*NULL)",                           // 4
                 "CHANGE FIELD(#CNT) TO('#CNT + 1')",                      // 5
                 "CHANGE FIELD(#CUSTNAM) TO('#CUSTNAM')",                  // 6
                 "CHANGE FIELD(#NOFLD) TO(1)",                             // 7
                 "DEFINE FIELD(#ODD) TYPE(*WEIRD) LENGTH(3)",              // 8
                 "DEFINE FIELD(#ODD2) TYPE(*CHAR) LENGTH(5) DECIMALS(2)",  // 9
                 "RETURN"});
    prepare("TSTPRC", "CHGS");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 3), Lines{"DCM0457 #CUSTNAM"});
    EXPECT_TRUE(OnLine(all, 4).empty());
    EXPECT_TRUE(OnLine(all, 5).empty());
    EXPECT_TRUE(OnLine(all, 6).empty());
    EXPECT_EQ(OnLine(all, 7), Lines{"DCM0401 #NOFLD"});
    EXPECT_EQ(OnLine(all, 8), Lines{"PRC0058 #ODD"});
    EXPECT_EQ(OnLine(all, 9), Lines{"PRC0058 #ODD2"}) << "an alphanumeric field has no decimals";
}

TEST_F(CheckJob, WhenComparesWithItsOwnCase)
{
    addFunction("TSTPRC", "CASES",
                {"FUNCTION OPTIONS(*DIRECT)",          // 1
                 "CASE OF_FIELD(#CUSTNO)",             // 2
                 "WHEN VALUE_IS('= 5' '> #CUSTNAM')",  // 3
                 "CASE OF_FIELD(#CUSTNAM)",            // 4
                 "WHEN VALUE_IS('= A')",               // 5
                 "ENDCASE",                            // 6
                 "WHEN VALUE_IS('= B')",               // 7  the outer CASE again
                 "ENDCASE",                            // 8
                 "CASE OF_FIELD(#NOCASE)",             // 9
                 "WHEN VALUE_IS('= 1')",               // 10 nothing more to say
                 "ENDCASE",                            // 11
                 "RETURN"});
    prepare("TSTPRC", "CASES");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 3), Lines{"DCM0456 #CUSTNO             #CUSTNAM"});
    EXPECT_TRUE(OnLine(all, 5).empty());
    EXPECT_EQ(OnLine(all, 7), Lines{"DCM0456 #CUSTNO             B"});
    EXPECT_EQ(OnLine(all, 9), Lines{"DCM0401 #NOCASE"});
    EXPECT_TRUE(OnLine(all, 10).empty());
}

TEST_F(CheckJob, LoopBoundsAreNumeric)
{
    addFunction("TSTPRC", "LOOPS",
                {"FUNCTION OPTIONS(*DIRECT)", "BEGIN_LOOP USING(#CUSTNAM) FROM(1) TO(#CREDIT)", "END_LOOP",
                 "BEGIN_LOOP FROM(#CUSTNAM)", "END_LOOP", "RETURN"});
    prepare("TSTPRC", "LOOPS");
    run();
    std::vector<Message> all = messages();
    // the counter is BEGIN_LOOP's own finding; a bound is an operand's
    EXPECT_EQ(OnLine(all, 2), Lines{"PRC0158 USING(#CUSTNAM) is not numeric"});
    ASSERT_EQ(OnLine(all, 4).size(), 1u);
    EXPECT_EQ(OnLine(all, 4).at(0).substr(0, 7), "DCM0402");
}

}  // namespace

namespace {

TEST_F(CheckJob, ComponentCommandsInAFunctionAreRefusedOnce)
{
    addFunction("TSTPRC", "COMPCMD",
                {"FUNCTION OPTIONS(*DIRECT)",            // 1
                 "BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",  // 2
                 "SET COM(#X) VALUE(1)",                 // 3
                 "MTHROUTINE NAME(CHECK)",               // 4
                 "ENDROUTINE",                           // 5
                 "END_COM",                              // 6
                 "RETURN"});
    prepare("TSTPRC", "COMPCMD");
    run();
    std::vector<Message> all = messages();
    EXPECT_EQ(OnLine(all, 2), Lines{"PRC1051 BEGIN_COM"});
    EXPECT_EQ(OnLine(all, 3), Lines{"PRC1051 SET"});
    EXPECT_EQ(OnLine(all, 4), Lines{"PRC1051 MTHROUTINE"});
    EXPECT_EQ(OnLine(all, 6), Lines{"PRC1051 END_COM"});
    for (const Message& m : all)
        EXPECT_NE(m.id, "PRC0007") << "a component command's parameters are the object layer's";
}

}  // namespace

namespace {

// Page requests of a generating run: withdrawn, with a notice, from a
// function without screens; kept for a function with one; untouched when
// the check found errors or does not generate.
TEST_F(CheckJob, WebPagesNeedAScreen)
{
    addFunction("TSTPRC", "NOSCRN", {"FUNCTION OPTIONS(*DIRECT)", "RETURN"});
    addFunction("TSTPRC", "SCRN", {"FUNCTION OPTIONS(*DIRECT)", "DISPLAY FIELDS(#CUSTNO)", "RETURN"});
    addFunction("TSTPRC", "BADSCRN", {"FUNCTION OPTIONS(*DIRECT)", "FROB", "RETURN"});

    prepare("TSTPRC", "NOSCRN", 'G');
    html = 1;
    xml = 0;
    run();
    EXPECT_EQ(html, 0);
    std::vector<Message> m = withId("PRC0047");
    ASSERT_EQ(m.size(), 1u) << "only the page kind requested is withdrawn";
    EXPECT_EQ(m[0].data, "The HTML page request was withdrawn for this function.");
    EXPECT_EQ(m[0].severity, 'W');

    prepare("TSTPRC", "SCRN", 'G');
    html = xml = 1;
    run();
    EXPECT_EQ(html, 1);
    EXPECT_EQ(xml, 1);
    EXPECT_TRUE(withId("PRC0047").empty());

    prepare("TSTPRC", "BADSCRN", 'G');
    html = xml = 1;
    run();
    EXPECT_EQ(html, 1) << "a check with fatal findings generates nothing anyway";
    EXPECT_TRUE(withId("PRC0047").empty());

    prepare("TSTPRC", "NOSCRN", 'C');
    html = xml = 1;
    run();
    EXPECT_EQ(xml, 1);
    EXPECT_TRUE(withId("PRC0047").empty());
}

}  // namespace

namespace {

// Routine labels: the line in a component run, the source command's
// sequence counter in a function; the routine takes no parameters.
TEST_F(CheckJob, RoutineLabels)
{
    addFunction("TSTPRC", "LBLS", {"FUNCTION OPTIONS(*DIRECT)", "RETURN"});
    prepare("TSTPRC", "LBLS");
    run();
    checker::Globals& g = checker::G();
    ASSERT_EQ(g.ctx, &ctx);
    ctx.lComponentRun = 1;
    for (int32_t line : {12, 40}) {
        state.lLine = line;
        std::memset(g.parsed.acParms + 10, 0x55, 4);
        P3100_FormatRoutineLabel("PTY");
        std::string expected = "*PTY_" + std::to_string(line);
        expected.resize(10, ' ');
        EXPECT_EQ(std::string(g.parsed.acParms, 10), expected);
        int32_t count = -1;
        std::memcpy(&count, g.parsed.acParms + 10, 4);
        EXPECT_EQ(count, 0);
    }
    ctx.lComponentRun = 0;
    g.source.sSequence = 7;
    P3100_FormatRoutineLabel("WEB");
    EXPECT_EQ(std::string(g.parsed.acParms, 10), "*WEB_7    ");
}

}  // namespace
