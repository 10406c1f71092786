// Expressions the checker accepts are compiled into evaluation routines;
// one the compiler cannot compile is a fatal message naming the command,
// the expression and the reason.
#include "checker_fixture.h"

#include <string>
#include <vector>

using checker_test::CheckJob;
using checker_test::Message;

namespace {

TEST_F(CheckJob, ExpressionsTheCompilerRefusesAreFatal)
{
    addFunction("TSTPRC", "EXPBAD",
                {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#EXNAME) TO(*SQLNULL)", "IF COND('#EXA > 1')",
                 "CHANGE FIELD(#EXA) TO('#EXA + 1')", "ENDIF", "RETURN"});
    prepare("TSTPRC", "EXPBAD");
    run();
    /* the alphanumeric field has no SQL-null state to set; the condition
    ** and the sum compile */
    std::vector<Message> refused = withId("PRC1810");
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].line, 2u);
    EXPECT_EQ(refused[0].severity, 'F');
    EXPECT_EQ(refused[0].data, "CHANGE    " + std::string("*SQLNULL") + std::string(52, ' ') +
                                   "the value cannot be stored into the field EXNAME of type A");
}

} // namespace
