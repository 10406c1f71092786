// Routines of a generated component run under the test run time: a method
// that returns early ends as one that reaches its ENDROUTINE does, through
// its end-of-routine step, so that its caller's routine is the active one
// again, also for the method the caller calls next.
#include "generator/runs/run_fixture.h"

namespace runs_test {
namespace {

using ComponentRoutineRuns = RunFixture;

/* EARLY sets CREDIT to 1 and, CREDIT being above 0, returns before it
** sets 2; LATER sets ORDQTY to 7. Each ends with the code of a normal end
** (0), and after each the caller's routine is active. The routines are
** named by the lines of their MTHROUTINE commands (2 and 9). */
TEST_F(ComponentRoutineRuns, AMethodThatReturnsEarlyEndsThroughItsEndStep)
{
    exec("INSERT INTO QV_OCD VALUES ('DEM', 'DEMORET', 0, '');"
         "INSERT INTO QV_OCS VALUES ('DEM', 'DEMORET', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),"
         " ('DEM', 'DEMORET', 2, 'MTHROUTINE NAME(EARLY)'),"
         " ('DEM', 'DEMORET', 3, 'CHANGE FIELD(#CREDIT) TO(1)'),"
         " ('DEM', 'DEMORET', 4, 'IF COND(''#CREDIT > 0'')'),"
         " ('DEM', 'DEMORET', 5, 'RETURN'),"
         " ('DEM', 'DEMORET', 6, 'ENDIF'),"
         " ('DEM', 'DEMORET', 7, 'CHANGE FIELD(#CREDIT) TO(2)'),"
         " ('DEM', 'DEMORET', 8, 'ENDROUTINE'),"
         " ('DEM', 'DEMORET', 9, 'MTHROUTINE NAME(LATER)'),"
         " ('DEM', 'DEMORET', 10, 'CHANGE FIELD(#ORDQTY) TO(7)'),"
         " ('DEM', 'DEMORET', 11, 'ENDROUTINE'),"
         " ('DEM', 'DEMORET', 12, 'END_COM');");
    const RunResult r = runComponentRoutines("DEMORET", {"Subroutine_XMTH_2", "Subroutine_XMTH_9"});
    ASSERT_TRUE(r.ran) << r.errors << r.output;
    EXPECT_EQ(r.linesStarting({"CALLED "}), (std::vector<std::string>{"CALLED 1 0 CALLER", "CALLED 2 0 CALLER"}))
        << r.output;
    EXPECT_EQ(r["CREDIT"], "1.00");
    EXPECT_EQ(r["ORDQTY"], "7");
    const std::string module = testsupport::readFile(sourceDir() / "DEMORET.C");
    EXPECT_NE(module.find("lReturnCode = X_COMP_RETURN_OK; \r\n      X_TERMINATE_COMPONENT_ROUTINE"), std::string::npos)
        << "the RETURN ends the routine through its end step";
}

/* The state word of the module's function definition record, as the run
** time reads it: a component whose kind word carries 1 in its second byte
** runs at language level two, and its module says so with the level-two
** state (1); the state of a component of level one lacks it. Both hold the
** sizing state (16) and the ZOPHX state (4): their commands are the object
** layer's. */
TEST_F(ComponentRoutineRuns, TheModuleStatesItsLanguageLevel)
{
    for (const auto& [kind, state] : {std::pair<const char*, const char*>{"0", "20"}, {"256", "21"}}) {
        exec(std::string("DELETE FROM QV_OCS WHERE XCSCMP = 'DEMOLVL';"
                         "DELETE FROM QV_OCD WHERE XCDCMP = 'DEMOLVL';"
                         "INSERT INTO QV_OCD VALUES ('DEM', 'DEMOLVL', ") +
             kind +
             ", '');"
             "INSERT INTO QV_OCS VALUES ('DEM', 'DEMOLVL', 1, 'BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)'),"
             " ('DEM', 'DEMOLVL', 2, 'MTHROUTINE NAME(SETQTY)'),"
             " ('DEM', 'DEMOLVL', 3, 'CHANGE FIELD(#ORDQTY) TO(3)'),"
             " ('DEM', 'DEMOLVL', 4, 'ENDROUTINE'),"
             " ('DEM', 'DEMOLVL', 5, 'END_COM');");
        const RunResult r = runComponentRoutines("DEMOLVL", {"Subroutine_XMTH_2"});
        ASSERT_TRUE(r.ran) << "kind " << kind << ": " << r.errors << r.output;
        EXPECT_EQ(r["ORDQTY"], "3") << "kind " << kind << ": " << r.output;
        EXPECT_EQ(r.at.count("FUNCTION STATE") ? r.at.at("FUNCTION STATE") : "<none>", state)
            << "kind " << kind << ": " << r.output;
    }
}

}  // namespace
}  // namespace runs_test
