// The chains the command emitters fill: generated evaluations (macro and
// routine names, shared named conditions, the text limit), SELECT loops
// and POINT entries.
#include "checked_access.h"
#include "generator/core/gen_fixture.h"

#include "generator/core/model/gen_chains.h"
#include "generator/core/output/static_lists.h"
#include "generator/core/points/command_loop.h"

namespace gencore_test {
namespace {

class Chains : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
    void current(const char* name, int32_t line)
    {
        GEN_COMMAND_RECORD r;
        r.usNumber = 4;
        r.usSequence = 0;
        r.lLineNumber = line;
        std::string n(name);
        n.resize(10, ' ');
        std::memcpy(r.acName, n.data(), 10);
        P3109_MakeCurrentCommand(r);
    }
};

TEST_F(Chains, EvaluationsAreNamedAndNamedConditionsShared)
{
    current("IF", 7);
    GEN_EVALUATION_NODE* first =
        P3109_pszMakeEvaluationName("*MYCOND", 'C', 5, "A = B", GEN_EVAL_NAMED_CONDITION, GEN_EVAL_SHARE_NAMED, 0);
    EXPECT_EQ(first->name, "Evaluation_Routine_1");
    EXPECT_EQ(first->key, "*MYCOND   ");
    EXPECT_EQ(first->text, "A = B");
    EXPECT_EQ(first->lLineNumber, 7);
    /* the same condition, in other case: the same node */
    EXPECT_EQ(
        P3109_pszMakeEvaluationName("*mycond", 'C', 5, "A = B", GEN_EVAL_NAMED_CONDITION, GEN_EVAL_SHARE_NAMED, 0),
        first);
    /* no reuse asked: a new routine */
    EXPECT_EQ(P3109_pszMakeEvaluationName("*MYCOND", 'C', 5, "A = B", GEN_EVAL_NAMED_CONDITION, GEN_EVAL_NEW, 0)->name,
              "Evaluation_Routine_2");
    EXPECT_EQ(P3109_pszMakeEvaluationName("X", 'E', 1, "1", GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 1)->name,
              "EVALUATION_MACRO_1");
    EXPECT_EQ(P3109_pszMakeEvaluationName("\x03X", 'E', 1, "1", GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 1)->name,
              "Evaluation_Routine_3");
    ctx.lZophxUsed = 1;
    EXPECT_EQ(P3109_pszMakeEvaluationName("X", 'E', 1, "1", GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 1)->name,
              "Evaluation_Routine_4");
    const std::string longText(1200, 'x');
    EXPECT_EQ(P3109_pszMakeEvaluationName("Y", 'E', longText.size(), longText, GEN_EVAL_UNNAMED, GEN_EVAL_NEW, 0)
                  ->text.size(),
              1000u);
    EXPECT_EQ(P3109_EvaluationChain().size(), 6u);
    EXPECT_EQ(P3109_usCountMarkedNames({"*MYCOND", "*OTHER", "X"}), 1);
}

TEST_F(Chains, SelectLoopsGetTheirNamesAndJoinTheirBlock)
{
    current("SELECT", 12);
    P3109_PushBlock(true, false, false);
    GEN_SELECT_NODE* s = P3109_MakeSelectNames();
    EXPECT_EQ(s->cKind, 'N');
    EXPECT_EQ(s->loopName, "X_Sel_12");
    EXPECT_EQ(s->routineName, "Select_Routine_12");
    EXPECT_EQ(s->closeName, "Close_DEMOMIN_12");
    EXPECT_EQ(s->cursorName, "");
    EXPECT_EQ(s->usNumber, 4);
    EXPECT_EQ(P3109_State().blocks[1].pSelect, s);

    current("SELECT_SQL", 15);
    GEN_SELECT_NODE* q = P3109_MakeSelectNames(true);
    EXPECT_EQ(q->cKind, 'Q');
    EXPECT_EQ(q->cursorName, "SQL_CURSOR_15");
    EXPECT_EQ(q->odbcSelectName, "pODBCSelect_15");
    EXPECT_EQ(q->connectName, "pX_ConnectDB_15");
    bool declared = false;
    for (const GEN_STATIC_ENTRY& e : CGEN_StaticWorkingList(0))
        declared = declared || (e.cDeclaration == "struct X_ODBC_SELECT_2 * pODBCSelect_15" &&
                                e.cInitialiser == "INSTANCE(pODBCSelect_15) = pX_NULL;");
    EXPECT_TRUE(declared);
    current("SELECT_SQL", 16);
    EXPECT_EQ(P3109_MakeSelectNames(false)->connectName, "");
    EXPECT_EQ(P3109_SelectChain().size(), 3u);
    /* the first node is still where it was */
    EXPECT_EQ(&checked::First(P3109_SelectChain()), s);
    P3109_PopBlock();
}

TEST_F(Chains, PointEntriesAreKeptOncePerFileAndLibrary)
{
    GEN_POINT_ENTRY* p = P3109_pszMakePointName("CUSTMST   ", "DEMLIB    ");
    EXPECT_EQ(p->name, "X_Point_CUSTMSTxDEMLIB");
    EXPECT_EQ(p->file, "CUSTMST");
    EXPECT_EQ(P3109_pszMakePointName("CUSTMST", "DEMLIB"), p);
    EXPECT_EQ(P3109_pFindUsedFile("CUSTMST", "DEMLIB"), p);
    EXPECT_EQ(P3109_pFindUsedFile("CUSTMST", "OTHER"), nullptr);
    EXPECT_EQ(P3109_PointChain().size(), 1u);
    /* a new set-up forgets the chains */
    setUp();
    EXPECT_TRUE(P3109_PointChain().empty());
}

}  // namespace
}  // namespace gencore_test
