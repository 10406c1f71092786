// CALL, SUBMIT and the exchange list: the call lines with and without
// passed lists, the next-function tests, the job attributes of SUBMIT and
// the exchange vector of insertion point 22.
#include "emit_fixture.h"

#include "generator/core/output/static_lists.h"

namespace emitters_test {
namespace {

class Calls : public EmitterFixture {};

TEST_F(Calls, DirectCallWithAndWithoutAList)
{
    FFC_PARSED_COMMAND& call = command("CALL");
    set(call, "PROCESS", "*DIRECT");
    set(call, "FUNCTION", "CUSTUPD");
    set(call, "PGM", "*NONE");
    set(call, "IF_ERROR", "*ABORT");
    set(call, "EXIT_USED", "*NEXT");
    set(call, "MENU_USED", "*NEXT");
    current(call);
    const std::vector<std::string> plain = texts(lines([] { P3109_EmitCall(); }));
    auto at = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    EXPECT_TRUE(at(plain, "strcpy(INSTANCE(vchCallFunction),\"CUSTUPD\");"));
    EXPECT_TRUE(at(plain, "      0,pX_NULL);"));
    /* IF_ERROR(*ABORT) keeps the fatal flag; *NEXT exits write no test */
    EXPECT_FALSE(at(plain, "pX_Ids->chFatalError = NO;"));
    EXPECT_FALSE(at(plain, " if (strcmp(pX_Ids->vchNext,X_PROCESS_EXIT) == 0)"));
    EXPECT_FALSE(at(plain, " if (strcmp(pX_Ids->vchNext,X_PROCESS_MENU) == 0)"));
    EXPECT_EQ(P3109_State().emit.cCallFunction, 'Y');

    writeRecord("LISTNAME  ", "LIST1", "", {{0, "0001W"}});
    FFC_PARSED_COMMAND& passing = command("CALL");
    set(passing, "PROCESS", "*DIRECT");
    set(passing, "FUNCTION", "CUSTUPD");
    set(passing, "PGM", "*NONE");
    set(passing, "IF_ERROR", "*NEXT");
    set(passing, "EXIT_USED", "*EXIT");
    set(passing, "MENU_USED", "*NEXT");
    list(passing, "PASS_LST", {"#LIST1"});
    current(passing);
    const std::vector<std::string> l = texts(lines([] { P3109_EmitCall(); }));
    EXPECT_TRUE(at(l, "X_PARM_WORKING_LIST,\"LIST1\","));
    EXPECT_TRUE(at(l, "X_CallParms[0].pValue = (X_PVOID) &(pX_List[V_LIST_LIST1]);"));
    EXPECT_TRUE(at(l, "      sizeof(X_CallParms)/sizeof(struct X_PARM),X_CallParms);"));
    EXPECT_TRUE(at(l, "pX_Ids->chFatalError = NO;"));
    EXPECT_TRUE(at(l, " if (strcmp(pX_Ids->vchNext,X_PROCESS_EXIT) == 0)"));

    /* the process menu passes the parameter vector too: the function
       chosen from it receives the list */
    FFC_PARSED_COMMAND& menu = command("CALL");
    set(menu, "PROCESS", "DEMOPRC");
    set(menu, "FUNCTION", "*MENU");
    set(menu, "PGM", "*NONE");
    list(menu, "PASS_LST", {"#LIST1"});
    current(menu);
    const std::vector<std::string> m = texts(lines([] { P3109_EmitCall(); }));
    EXPECT_TRUE(at(m, "strcpy(INSTANCE(vchCallFunction),X_PROCESS_MENU);"));
    EXPECT_TRUE(at(m, "      INSTANCE(vchCallProcess),INSTANCE(vchCallFunction),sizeof(X_CallParms)/sizeof(struct "
                      "X_PARM),X_CallParms);"));
}

TEST_F(Calls, SubmitWithDefaultJobAttributes)
{
    FFC_PARSED_COMMAND& submit = command("SUBMIT");
    set(submit, "PROCESS", "DEMOPRC");
    set(submit, "FUNCTION", "*FIRST");
    set(submit, "PGM", "*NONE");
    set(submit, "JOB", "*PGMPRO");
    set(submit, "JOBD", "*USRPRF");
    set(submit, "JOBQ", "*JOBD");
    set(submit, "OUTQ", "*JOBD");
    current(submit);
    const std::vector<std::string> s = texts(lines([] { P3109_EmitSubmit(); }));
    const auto fld = std::find(s.begin(), s.end(), "          pX_Fld,");
    ASSERT_NE(fld, s.end());
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(*(fld + i), "          pX_NULL,");
    EXPECT_EQ(*(fld + 8), "          0,");
}

TEST_F(Calls, ExchangeAlwaysWithAndWithoutNames)
{
    const std::vector<Line> none = lines([] { P3109_EmitExchangeAlways(); });
    EXPECT_TRUE(none.empty());
    const std::deque<GEN_STATIC_ENTRY>& list2 = CGEN_StaticWorkingList(2);
    EXPECT_NE(std::find_if(list2.begin(), list2.end(),
                           [](const GEN_STATIC_ENTRY& e) {
                               return e.cDeclaration == "X_SHORT scExchange_Always" &&
                                      e.csDeclaration == "public int scExchange_Always";
                           }),
              list2.end());

    field("A");
    field("B");
    writeRecord("EXCHALL   ", "A", "", {});
    writeRecord("EXCHALL   ", "B", "", {});
    const std::vector<Line> two = lines([] { P3109_EmitExchangeAlways(); });
    EXPECT_TRUE(holds(two, {{1, 3, "static const X_SHORT asExchange_Always[] ="}, {1, 10, "{V_FIELD_A,V_FIELD_B};"}}));
    EXPECT_TRUE(holds(two, {{6, 3, "X_Put_To_Exchange_List (pX_Ids,pX_Pro,pX_Fun,pX_Fld,"},
                            {6, 3, "     INSTANCE_S3(scExchange_Always),INSTANCE_S3(Exchange_Always));"}}));
}

}  // namespace
}  // namespace emitters_test
