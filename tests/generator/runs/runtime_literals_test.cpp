// The test run time's store of a double into a literal: a whole number
// needs no scale, a fraction is stored at the scale the caller set (which
// stays until it is set again), and a fraction with no scale set stops the
// run with a message naming the literal (the decimal the program wrote is
// not known from the double).
#include "generator/runs/run_fixture.h"

#include "support/scratch.h"

namespace runs_test {
namespace {

/* A program of two literals of the vector: a long and a packed 5,3. */
const char* kProgram = R"(#include <stdio.h>
#include "rt.h"
int RT_EndCode = -1;
int main(void)
{
    static struct X_IDS ids;
    static struct X_FUN fun;
    static X_LONG whole;
    static char packed[3];
    static struct X_FLD fields[2];
    fields[0].pszName = "WHOLE";
    fields[0].eType = X_TYPE_LONG;
    fields[0].eSubtype = X_SUBTYPE_LITERAL;
    fields[0].lLength = 3;
    fields[0].sByteLen = sizeof whole;
    fields[0].pField = (X_PDICTIONARY_FIELD)&whole;
    fields[1].pszName = "RATE";
    fields[1].eType = X_TYPE_PACKED;
    fields[1].eSubtype = X_SUBTYPE_LITERAL;
    fields[1].lLength = 5;
    fields[1].sDecimals = 3;
    fields[1].sByteLen = 3;
    fields[1].pField = packed;
    RT_pFields = fields;
    RT_scFields = 2;
    RT_pFun = &fun;
    ids.chXVecAssignOption = (X_CHAR)-1;
    X_Vec_Set_from_Double(&ids, 0, &fun, fields, 0, 100.0);
    RT_ShowValue("SET", "WHOLE", &fields[0], (unsigned char *)&whole);
    ids.chXVecAssignOption = (X_CHAR)3;
    X_Vec_Set_from_Double(&ids, 0, &fun, fields, 1, 1.125);
    RT_ShowValue("SET", "RATE", &fields[1], (unsigned char *)packed);
    X_Vec_Set_from_Double(&ids, 0, &fun, fields, 1, 0.1);
    RT_ShowValue("KEPT", "RATE", &fields[1], (unsigned char *)packed);
    fflush(stdout);
    ids.chXVecAssignOption = (X_CHAR)-1;
    X_Vec_Set_from_Double(&ids, 0, &fun, fields, 1, 0.1);
    printf("NOT STOPPED\n");
    return 0;
}
)";

TEST(RuntimeLiterals, AFractionIntoADecimalLiteralWithoutItsScaleStopsTheRun)
{
    testsupport::ScratchDir work("rt_literals");
    testsupport::writeFile(work / "literals.c", kProgram);
    const std::string exe = (work / "literals").string(), log = (work / "log").string(), out = (work / "out").string(),
                      err = (work / "err").string();
    ASSERT_TRUE(compileWithTestRuntime("", "", "", {(work / "literals.c").string()}, exe, log))
        << testsupport::readFile(log);
    /* the stop of the run time ends it with 3 */
    EXPECT_EQ(runCommand(shellQuote(exe) + " > " + shellQuote(out) + " 2> " + shellQuote(err)), 3);
    /* a store with no scale of its own takes the one set before it */
    EXPECT_EQ(testsupport::readFile(out), "SET WHOLE 100\nSET RATE 1.125\nKEPT RATE 0.100\n");
    EXPECT_EQ(testsupport::readFile(err),
              "run time: X_Vec_Set_from_Double of 0.10000000000000001 into literal RATE with no scale set: the "
              "decimal it stands for is unknown (at command 0)\n");
}

}  // namespace
}  // namespace runs_test
