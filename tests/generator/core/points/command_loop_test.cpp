// The command loop's block stack and dispatch controls, the binding of
// emitters in the shared command lookup, and the status text of a command.
#include "generator/core/gen_fixture.h"

#include "generator/core/output/command_state.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emitters.h"

namespace gencore_test {
namespace {

class CommandLoop : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
    void atLine(int32_t line, const char* name)
    {
        state.lLineNumber = line;
        std::string n(name);
        n.resize(10, ' ');
        std::memcpy(state.acCommand, n.data(), 10);
    }
    FFC_COMMAND_ENTRY* entry(const char* name)
    {
        std::string n(name);
        n.resize(10, ' ');
        auto* lookup = static_cast<FFC_COMMAND_LOOKUP*>(ctx.pCommandLookup);
        for (FFC_COMMAND_ENTRY& e : lookup->aEntries)
            if (std::memcmp(e.acName, n.data(), 10) == 0)
                return &e;
        return nullptr;
    }
    int16_t depth() const { return P3109_State().sBlockDepth; }
};

TEST_F(CommandLoop, SetUpOpensTheOutermostBlock)
{
    EXPECT_EQ(depth(), 0);
    std::string out = "unchanged";
    P3109_MakeBreakContinueGoto(out, 'L');
    EXPECT_EQ(out, "");
}

TEST_F(CommandLoop, CaseInsideALoopGivesTheLoopLabels)
{
    atLine(12, "DOWHILE");
    P3109_DispatchCommand();
    EXPECT_EQ(depth(), 1);
    std::string out;
    P3109_MakeBreakContinueGoto(out, 'L');
    EXPECT_EQ(out, "break");
    P3109_MakeBreakContinueGoto(out, 'C');
    EXPECT_EQ(out, "continue");
    atLine(14, "CASE");
    P3109_DispatchCommand();
    EXPECT_EQ(depth(), 2);
    P3109_MakeBreakContinueGoto(out, 'L');
    EXPECT_EQ(out, "goto Leave__12");
    P3109_MakeBreakContinueGoto(out, 'C');
    EXPECT_EQ(out, "goto Continue__12");
    atLine(20, "ENDCASE");
    P3109_DispatchCommand();
    EXPECT_EQ(depth(), 1);

    Capture c;
    P3109_State().out.current = c.stream();
    P3109_State().out.usIndent = 3;
    P3109_WriteLeavePoint();
    P3109_WriteContinuePoint();
    EXPECT_EQ(c.text(), "   Leave__12: /* Leave Point */; \r\n   Continue__12: /* Continue Point */; \r\n");
}

TEST_F(CommandLoop, BeginLoopMakesItsLabelsAtOnce)
{
    atLine(30, "BEGIN_LOOP");
    P3109_DispatchCommand();
    std::string out;
    P3109_MakeBreakContinueGoto(out, 'L');
    EXPECT_EQ(out, "goto Leave__30");
}

TEST_F(CommandLoop, IfElseEndifControlsAndIndent)
{
    GEN_OUTPUT_STATE& o = P3109_State().out;
    const uint16_t base = o.usIndent;
    atLine(5, "IF");
    P3109_DispatchCommand(); /* push before, indent after */
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(o.usIndent, base + 3);
    atLine(7, "ELSE");
    P3109_DispatchCommand(); /* pop before, push after */
    EXPECT_EQ(depth(), 1);
    EXPECT_EQ(P3109_State().blocks[1].lLineNumber, 7);
    atLine(9, "ENDIF");
    P3109_DispatchCommand(); /* pop after */
    EXPECT_EQ(depth(), 0);
    atLine(10, "ON_ERROR");
    P3109_DispatchCommand(); /* the ENDCHECK emitter, no pop */
    EXPECT_EQ(depth(), 0);
    EXPECT_NE(entry("ON_ERROR")->pfnEmitter, nullptr);
    EXPECT_EQ(entry("ON_ERROR")->lPopWhen, GEN_CONTROL_NEVER);
    EXPECT_EQ(entry("ENDCHECK")->pfnEmitter, nullptr);
}

TEST_F(CommandLoop, EmittersAreBoundOnFirstUseByTheirFunction)
{
    atLine(3, "RETURN");
    FFC_COMMAND_ENTRY* e = entry("RETURN");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->pfnEmitter, nullptr);
    P3109_DispatchCommand();
    EXPECT_EQ(e->pfnEmitter, &P3109_EmitReturn);
    /* SUBROUTINE is never bound: every one pushes a block */
    atLine(40, "SUBROUTINE");
    P3109_DispatchCommand();
    P3109_DispatchCommand();
    EXPECT_EQ(depth(), 2);
    EXPECT_EQ(entry("SUBROUTINE")->pfnEmitter, nullptr);
}

TEST_F(CommandLoop, DefinitionCommandsWriteNothingInTheFirstRun)
{
    testCommands() = {{"DEF_LIST", {"DEF_LIST NAME(#L)"}, 1}, {"ADD_ENTRY", {"ADD_ENTRY TO_LIST(#L)"}, 2}};
    Capture main;
    GEN_MODULE_STATE& g = P3109_State();
    g.out.mainOutput = main.stream();
    g.out.current = main.stream();
    g.out.usIndent = 3;
    P3109_GenerateCommands();
    /* DEF_LIST leaves only its line comment before the next command's code */
    EXPECT_EQ(main.text().rfind("   // DEF_LIST NAME(#L) \r\n   \r\n   // \r\n   // ADD_ENTRY TO_LIST(#L) \r\n", 0), 0u)
        << main.text();
    EXPECT_STREQ(std::string(state.acCommand, 10).c_str(), "          ");
    EXPECT_EQ(state.lLine, -1);
}

/* The survey of the list: the definition commands and the SELECT and
** SELECT_SQL commands in the list's order and the last command; read once
** for a list, afresh when the list is set again. */
TEST_F(CommandLoop, SurveyKeepsTheCommandsTheFirstWalksActOn)
{
    testCommands() = {{"FUNCTION", {}, 1},   {"DEF_COND", {}, 2},   {"CHANGE", {}, 3}, {"SELECT", {}, 4},
                      {"DEF_LIST", {}, 5},   {"SELECT_SQL", {}, 6}, {"POINT", {}, 7},  {"DEF_BREAK", {}, 8},
                      {"SELECTLIST", {}, 9}, {"ENDSELECT", {}, 10}};
    auto names = [](const GEN_COMMAND_SURVEY& survey) {
        std::vector<std::string> n;
        for (const GEN_COMMAND_RECORD& r : survey.records)
            n.emplace_back(r.acName, 10);
        return n;
    };
    const GEN_COMMAND_SURVEY& survey = P3109_CommandSurvey();
    EXPECT_EQ(names(survey), (std::vector<std::string>{"DEF_COND  ", "SELECT    ", "DEF_LIST  ", "SELECT_SQL",
                                                       "POINT     ", "DEF_BREAK "}));
    ASSERT_EQ(survey.records.size(), 6u);
    EXPECT_EQ(survey.records[0].usNumber, 2);
    EXPECT_EQ(survey.records[5].usNumber, 8);
    EXPECT_TRUE(survey.fAny);
    EXPECT_FALSE(survey.fLastKept);
    EXPECT_EQ(std::string(survey.last.acName, 10), "ENDSELECT ");
    EXPECT_EQ(survey.last.usNumber, 10);

    /* the same list: the survey is not read again */
    testCommands().push_back({"DEF_HEAD", {}, 11});
    EXPECT_EQ(P3109_CommandSurvey().records.size(), 6u);
    /* the list set again: read afresh, its last command now a kept one */
    P3109_SetCommandSource(&kTestSource);
    const GEN_COMMAND_SURVEY& again = P3109_CommandSurvey();
    ASSERT_EQ(again.records.size(), 7u);
    EXPECT_EQ(std::string(again.records.back().acName, 10), "DEF_HEAD  ");
    EXPECT_TRUE(again.fLastKept);
    EXPECT_EQ(again.last.usNumber, 11);

    /* an empty list */
    testCommands().clear();
    P3109_ForgetCommandSurvey();
    EXPECT_FALSE(P3109_CommandSurvey().fAny);
    EXPECT_TRUE(P3109_CommandSurvey().records.empty());
}

/* A list whose reader gives each command as its head alone, numbered by
** the list, with a running sequence and a label on the second command. */
int32_t findHeadOnly(FFC_CONTEXT* ctx, uint16_t number, uint16_t sequence, GEN_COMMAND_RECORD* r)
{
    if (findCommand(ctx, number, sequence, r) != 0)
        return 1;
    r->lLineNumber = number;
    r->fSequence = true;
    r->sSequence = static_cast<int16_t>(100 + number);
    r->cExtension = number == 2 ? 'Y' : 'N';
    if (number == 2)
        std::memcpy(r->acLabel, "L1 ", 3);
    return 0;
}
const GEN_COMMAND_SOURCE kHeadOnlySource{findHeadOnly, sourceText};

/* The survey keeps every command's head for the second run only when the
** reader gives nothing more; the heads give back the records read, and are
** handed over once. */
TEST_F(CommandLoop, SurveyKeepsHeadsOnlyOfPlainRecords)
{
    testCommands() = {{"FUNCTION", {}, 1}, {"CHANGE", {}, 2}, {"RETURN", {}, 3}};
    P3109_SetCommandSource(&kHeadOnlySource);
    ASSERT_TRUE(P3109_CommandSurvey().fHeads);
    std::vector<GEN_COMMAND_HEAD> heads;
    ASSERT_TRUE(P3109_fTakeCommandHeads(heads));
    ASSERT_EQ(heads.size(), 3u);
    GEN_COMMAND_RECORD read;
    for (uint16_t n = 1; n <= 3; ++n) {
        ASSERT_EQ(findHeadOnly(nullptr, n, 0, &read), 0);
        const GEN_COMMAND_RECORD made = P3109_CommandOfHead(heads[n - 1]);
        EXPECT_EQ(made.usNumber, n);
        EXPECT_EQ(made.usSequence, 0);
        EXPECT_EQ(made.lLineNumber, read.lLineNumber);
        EXPECT_EQ(std::string(made.acLabel, 3), std::string(read.acLabel, 3));
        EXPECT_EQ(std::string(made.acName, 10), std::string(read.acName, 10));
        EXPECT_EQ(made.cExtension, read.cExtension);
        EXPECT_TRUE(made.fSequence);
        EXPECT_EQ(made.sSequence, 100 + n);
        EXPECT_EQ(made.pFieldTable, nullptr);
    }
    EXPECT_EQ(std::string(heads[1].acLabel, 3), "L1 ");
    /* taken once: the survey keeps its kept records and last command */
    EXPECT_FALSE(P3109_fTakeCommandHeads(heads));
    EXPECT_TRUE(heads.empty());
    EXPECT_EQ(P3109_CommandSurvey().last.usNumber, 3);

    /* a reader that leaves the sequence unknown, or whose line differs
       from the number, gives no heads: the second run reads the list */
    P3109_SetCommandSource(&kTestSource);
    EXPECT_FALSE(P3109_CommandSurvey().fHeads);
    EXPECT_FALSE(P3109_fTakeCommandHeads(heads));
}

/* The second run emits the commands from the heads as from the list. */
TEST_F(CommandLoop, SecondRunFromHeadsWritesEveryCommand)
{
    testCommands() = {{"DEF_LIST", {"DEF_LIST NAME(#L)"}, 1}, {"ADD_ENTRY", {"ADD_ENTRY TO_LIST(#L)"}, 2}};
    P3109_SetCommandSource(&kHeadOnlySource);
    Capture main;
    GEN_MODULE_STATE& g = P3109_State();
    g.out.mainOutput = main.stream();
    g.out.current = main.stream();
    g.out.usIndent = 3;
    P3109_GenerateCommands();
    EXPECT_EQ(main.text().rfind("   // DEF_LIST NAME(#L) \r\n   \r\n   // \r\n   // ADD_ENTRY TO_LIST(#L) \r\n", 0), 0u)
        << main.text();
    EXPECT_EQ(g.usCommandCounter, 2);
    std::vector<GEN_COMMAND_HEAD> heads;
    EXPECT_FALSE(P3109_fTakeCommandHeads(heads)); /* used by the run */
}

TEST_F(CommandLoop, StatusTextOfACommand)
{
    GEN_COMMAND_RECORD r;
    r.lLineNumber = 7;
    std::memcpy(r.acName, "DISPLAY   ", 10);
    EXPECT_EQ(P3109_CommandStatusText(r), "Pass 3 :    7 Command DISPLAY   ");
    r.lLineNumber = 1205;
    EXPECT_EQ(P3109_CommandStatusText(r), "Pass 3 : 1205 Command DISPLAY   ");
    EXPECT_EQ(P3109_CommandStatusText(r).size(), 32u);
}

}  // namespace
}  // namespace gencore_test
