// The command emitter frame and the flow-control emitters, dispatched
// through the command loop with its block controls: lines compared as
// (stream, indent, text) with the forms the language's commands take.
#include "checked_access.h"
#include "emit_fixture.h"

namespace emitters_test {
namespace {

class Flow : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        field("A");
        field("B");
        field("CNT");
    }
};

TEST_F(Flow, ContinueInsideCaseInsideDoWhileReachesTheLoop)
{
    FFC_PARSED_COMMAND& loop = command("DOWHILE", "DOWHILE COND('#A > 1')");
    set(loop, "COND", "#A > 1");
    FFC_PARSED_COMMAND& kase = command("CASE", "CASE OF_FIELD(#B)");
    set(kase, "OF_FIELD", "#B");
    FFC_PARSED_COMMAND& when = command("WHEN", "WHEN VALUE_IS('= 1')");
    list(when, "VALUE_IS", {"= 1"});
    FFC_PARSED_COMMAND& cont = command("CONTINUE");
    FFC_PARSED_COMMAND& endcase = command("ENDCASE");
    FFC_PARSED_COMMAND& endwhile = command("ENDWHILE");

    const std::vector<Line> head = dispatch(loop);
    EXPECT_TRUE(holds(head, {{6, 1, " "},
                             {6, 3, "//"},
                             {6, 3, "// DOWHILE COND('#A > 1')"},
                             {6, 3, "//"},
                             {6, 3, "pX_Fun->sSequence = 1;"},
                             {6, 3, "#if defined(X_DEBUG)"},
                             {6, 3, "if (DebugMain(FUNCTION_STD_PARMS,_DOWHILE_COMMAND)) return;"},
                             {6, 3, "#endif"},
                             {6, 3, "while (Evaluation_Routine_1(FUNCTION_STD_PARMS) == YES)"},
                             {6, 3, "{"},
                             {6, 3, "if ( pX_Ids->chFatalError == YES ) break;"}}));
    EXPECT_TRUE(holds(dispatch(kase), {{6, 6, "do /* A Single Iteration CASE Loop */"}, {6, 6, "{"}}));
    EXPECT_TRUE(holds(dispatch(when), {{6, 9, "if (Evaluation_Routine_2(FUNCTION_STD_PARMS) == YES)"}, {6, 9, "{"}}));
    EXPECT_TRUE(holds(dispatch(cont), {{6, 12, " "},
                                       {6, 12, "/* Continue with the next iteration of this loop */"},
                                       {6, 12, " "},
                                       {6, 12, "goto Continue__1;"}}));
    const std::vector<Line> end = dispatch(endcase);
    EXPECT_TRUE(holds(end, {{6, 12, "break;"}, {6, 9, "}"}, {6, 6, "} while(0); /* A single iteration CASE Loop */"}}));
    const std::vector<Line> tail = dispatch(endwhile);
    EXPECT_TRUE(holds(
        tail, {{6, 6, "Continue__1: /* Continue Point */;"}, {6, 3, "}"}, {6, 3, "Leave__1: /* Leave Point */;"}}));
    EXPECT_EQ(P3109_State().sBlockDepth, 0);
    EXPECT_EQ(P3109_State().out.usIndent, 3);
    /* the WHEN value is a routine of the generator's chain: the operand and the value */
    EXPECT_EQ(checked::Last(P3109_EvaluationChain()).text.substr(0, 15), "#B         = 1 ");

    /* directly in a loop, CONTINUE is the loop's own */
    FFC_PARSED_COMMAND& loop2 = command("DOWHILE");
    set(loop2, "COND", "#A > 2");
    FFC_PARSED_COMMAND& cont2 = command("CONTINUE");
    dispatch(loop2);
    EXPECT_TRUE(holdsText(dispatch(cont2), "continue;"));
}

TEST_F(Flow, WhenWithThreeValuesAndOtherwiseAfterTwoWhens)
{
    FFC_PARSED_COMMAND& kase = command("CASE");
    set(kase, "OF_FIELD", "#B");
    FFC_PARSED_COMMAND& when1 = command("WHEN");
    list(when1, "VALUE_IS", {"= 1", "= 2", "> #A"});
    FFC_PARSED_COMMAND& when2 = command("WHEN");
    list(when2, "VALUE_IS", {"= 9"});
    FFC_PARSED_COMMAND& other = command("OTHERWISE");
    dispatch(kase);
    EXPECT_TRUE(holds(dispatch(when1), {{6, 6, "if ((Evaluation_Routine_1(FUNCTION_STD_PARMS) == YES)"},
                                        {6, 6, " || (Evaluation_Routine_2(FUNCTION_STD_PARMS) == YES)"},
                                        {6, 6, " || (Evaluation_Routine_3(FUNCTION_STD_PARMS) == YES))"},
                                        {6, 6, "{"}}));
    dispatch(when2);
    const std::vector<Line> otherwise = dispatch(other);
    ASSERT_GE(otherwise.size(), 3u);
    EXPECT_EQ(otherwise[0], (Line{6, 9, "break;"}));
    EXPECT_EQ(otherwise[1], (Line{6, 6, "}"}));
    EXPECT_EQ(otherwise[2], (Line{6, 6, "{"}));

    /* a WHEN without values is never entered, and said so */
    FFC_PARSED_COMMAND& blank = command("WHEN");
    EXPECT_TRUE(holds(dispatch(blank), {{6, 6, "if ( NO )"}, {6, 6, "{"}}));
    EXPECT_NE(checked::Last(issuedMessages()).find("PRC1190 F"), std::string::npos);
}

TEST_F(Flow, BeginLoopWithANegativeStep)
{
    FFC_PARSED_COMMAND& begin = command("BEGIN_LOOP", "BEGIN_LOOP USING(#CNT) FROM(#A) TO(#B) STEP(-2)", "L01");
    set(begin, "USING", "#CNT");
    set(begin, "FROM", "#A");
    set(begin, "TO", "#B");
    set(begin, "STEP", "-2");
    FFC_PARSED_COMMAND& end = command("END_LOOP");
    const std::vector<Line> head = dispatch(begin);
    /* the label stands before the loop's block, the loop variables by depth */
    EXPECT_TRUE(holds(head, {{6, 3, "X_Label_L01: ;"}}));
    EXPECT_TRUE(holds(head, {{6, 3, "{"}, {6, 6, "X_LONG X_Loop_Index_2;"}, {6, 6, "X_LONG X_Loop_Limit_2;"}}));
    EXPECT_FALSE(holdsText(head, "X_LONG X_Loop_Step_2 = 0;"));
    EXPECT_TRUE(holds(head, {{6, 6, "while (X_Loop_Index_2 >= X_Loop_Limit_2)"}, {6, 6, "{"}}));
    int labels = 0;
    for (const Line& l : head)
        labels += l.text == "X_Label_L01: ;";
    EXPECT_EQ(labels, 1);
    const std::vector<Line> tail = dispatch(end);
    EXPECT_TRUE(holdsText(tail, "X_Loop_Index_2 = X_Loop_Index_2 - 2;"));
    EXPECT_TRUE(holds(tail, {{6, 6, "}"}, {6, 6, "Leave__1: /* Leave Point */;"}, {6, 3, "}"}}));

    /* a step beyond 16 bits keeps its value */
    FFC_PARSED_COMMAND& wide = command("BEGIN_LOOP");
    set(wide, "USING", "*INTERNAL");
    set(wide, "STEP", "70000");
    FFC_PARSED_COMMAND& wideEnd = command("END_LOOP");
    EXPECT_TRUE(holdsText(dispatch(wide), "while (X_Loop_Index_2 <= X_Loop_Limit_2)"));
    EXPECT_TRUE(holdsText(dispatch(wideEnd), "X_Loop_Index_2 = X_Loop_Index_2 + 70000;"));
}

TEST_F(Flow, IfElseEndifAndDoUntil)
{
    FFC_PARSED_COMMAND& iff = command("IF");
    set(iff, "COND", "#A = #B");
    FFC_PARSED_COMMAND& els = command("ELSE");
    FFC_PARSED_COMMAND& endif = command("ENDIF");
    EXPECT_TRUE(holds(dispatch(iff), {{6, 3, "if (Evaluation_Routine_1(FUNCTION_STD_PARMS) == YES)"}, {6, 3, "{"}}));
    const std::vector<Line> e = dispatch(els);
    ASSERT_GE(e.size(), 4u);
    EXPECT_EQ(e[0], (Line{6, 3, "}"}));
    EXPECT_EQ(e[1], (Line{6, 3, "else"}));
    EXPECT_EQ(e[2], (Line{6, 3, "{"}));
    EXPECT_EQ(e[3], (Line{6, 1, " "}));
    EXPECT_EQ(checked::Last(dispatch(endif)), (Line{6, 3, "}"}));

    FFC_PARSED_COMMAND& until = command("DOUNTIL");
    set(until, "COND", "#A > #B");
    FFC_PARSED_COMMAND& enduntil = command("ENDUNTIL");
    const std::vector<Line> u = dispatch(until);
    EXPECT_EQ(u[0], (Line{6, 3, "do"}));
    EXPECT_TRUE(holdsText(dispatch(enduntil), "} while (Evaluation_Routine_2(FUNCTION_STD_PARMS) == NO);"));
}

TEST_F(Flow, PrologueOfCommentsAndDeclarations)
{
    FFC_PARSED_COMMAND& blank = command("**********", " ");
    current(blank);
    EXPECT_EQ(lines([] { P3109_EmitCommandPrologue(); }), (std::vector<Line>{{6, 1, " "}}));

    /* a declaration with a label: its comment and label, no sequence line */
    FFC_PARSED_COMMAND& define = command("DEFINE", "A01: DEFINE FIELD(#X) REFFLD(#A)", "A01");
    set(define, "FIELD", "#X");
    set(define, "REFFLD", "#A");
    const std::vector<Line> d = dispatch(define);
    EXPECT_TRUE(holds(d, {{6, 3, "// DEFINE FIELD(#X) REFFLD(#A)"},
                          {6, 3, " "},
                          {6, 3, "/* Target Label for branching */"},
                          {6, 3, " "},
                          {6, 3, "X_Label_A01: ;"}}));
    for (const Line& l : d)
        EXPECT_EQ(l.text.find("sSequence"), std::string::npos);

    /* a source line cannot join the next generated line to its comment */
    FFC_PARSED_COMMAND& path = command("GOTO", "GOTO LABEL(L10) C:\\TEMP\\");
    set(path, "LABEL", "L10");
    EXPECT_TRUE(holdsText(dispatch(path), "// GOTO LABEL(L10) C:\\TEMP\\."));
}

TEST_F(Flow, CommentLinesOfControlCharactersTrigraphsAndWideBytes)
{
    auto comment = [this](const std::string& source) {
        FFC_PARSED_COMMAND& c = command("*", source);
        current(c);
        return lines([] { P3109_EmitCommandPrologue(); });
    };
    /* control characters anywhere in a long text are blanks, those at its
       end are dropped with the blanks */
    EXPECT_TRUE(holdsText(comment("* Tab\there and a bell\a inside a note that runs long\t\r\t"),
                          "// Tab here and a bell  inside a note that runs long"));
    /* bytes above 127 are text, in the first sixteen bytes and past them */
    EXPECT_TRUE(holdsText(comment("* caf\xe9 au lait and a na\xefve \x80\xff"),
                          "// caf\xe9 au lait and a na\xefve \x80\xff"));
    /* a trigraph backslash at the end would join the next line */
    EXPECT_TRUE(holdsText(comment("* a long note that ends in a trigraph ??/"),
                          "// a long note that ends in a trigraph ??/."));
    EXPECT_TRUE(holdsText(comment("* a note ending ?/"), "// a note ending ?/"));
    /* a text of control characters only is a blank line */
    EXPECT_EQ(comment("* \t\x1f\t"), (std::vector<Line>{{6, 1, " "}}));

    /* a command's text: the comment holds its name and the text so made */
    FFC_PARSED_COMMAND& change = command("CHANGE", "CHANGE FIELD(#A) TO('#B')\x01\x02 \\\t");
    set(change, "FIELD", "#A");
    set(change, "TO", "#B");
    EXPECT_TRUE(holdsText(dispatch(change), "// CHANGE FIELD(#A) TO('#B')   \\."));
}

TEST_F(Flow, BranchesByRoutineKindAndTarget)
{
    FFC_PARSED_COMMAND& ret = command("RETURN");
    current(ret);
    auto branch = [this](const char* target) {
        return texts(lines([target] { P3109_EmitBranchToTarget(target, 3); }));
    };
    EXPECT_EQ(checked::Last(branch("*RETURN")), "X_MAIN_RETURN(" + P3109_State().cName + ")");
    EXPECT_TRUE(branch("*NEXT").empty());
    EXPECT_EQ(checked::Last(branch("L20")), "goto X_Label_L20;");
    P3109_State().cRoutineFlag1 = 'Y';
    /* no DISPLAY of this subroutine is open */
    EXPECT_EQ(checked::Last(branch("*LASTDIS")), "X_SUBR_ABORT");
    EXPECT_EQ(checked::Last(branch("@EXIT")), "X_SUBR_EXIT");
    P3109_State().cRoutineFlag2 = 'Y';
    EXPECT_EQ(checked::Last(branch("*MENU")), "X_COMR_CANCEL");
    P3109_State().cTarget = GEN_TARGET_CSHARP;
    const std::vector<std::string> cs = branch("*RETURN");
    EXPECT_EQ(cs[cs.size() - 2], "lReturnCode = X_GloDef.X_COMR_NORMAL_END;");
    EXPECT_EQ(cs.back().rfind("return X_TERMINATE_COMPONENT_ROUTINE(pX_Ids, pX_Pro,", 0), 0u);
}

TEST_F(Flow, ACommandStoredAgainIsReadAgain)
{
    FFC_PARSED_COMMAND& go = command("GOTO");
    set(go, "LABEL", "L10");
    EXPECT_EQ(checked::Last(texts(dispatch(go))), "goto X_Label_L10;");
    set(go, "LABEL", "L20");
    EXPECT_EQ(checked::Last(texts(dispatch(go))), "goto X_Label_L20;");
}

TEST_F(Flow, UnsupportedCommandAndIoOutcomes)
{
    FFC_PARSED_COMMAND& blank = command("          ");
    current(blank);
    const std::vector<Line> u = lines([] { P3109_EmitUnsupportedCommand(); });
    EXPECT_EQ(u[1], (Line{6, 3, "               X_TEXT(136),\" \");"}));
    EXPECT_NE(checked::Last(issuedMessages()).find("PRC1005 W"), std::string::npos);

    const std::vector<Line> skipped = lines([] { P3109_EmitIoStatusAction("*NEXT", "X_DBM_NO_RECORD"); });
    EXPECT_EQ(texts(skipped),
              (std::vector<std::string>{" ", "/* Error code check skipped as *NEXT requested */", " "}));
    const std::vector<Line> counted = lines([] { P3109_EmitIoStatusAction("*NEXT", "X_DBM_VALIDATION_ERROR"); });
    EXPECT_TRUE(holdsText(counted, "/* Error code ignored as *NEXT requested */"));
    EXPECT_EQ(counted.back(), (Line{6, 3, "}"}));
    EXPECT_EQ(P3109_State().emit.cLastIoStatus, 'Y');

    /* the status field named as the user's field: the fixed copy only */
    const std::vector<Line> status = lines([] { P3109_EmitIoStatusToField("IO$STS"); });
    EXPECT_EQ(texts(status),
              (std::vector<std::string>{"memcpy(pX_Fld[V_FIELD_IOdSTS].pField,INSTANCE(vchLastIOStatus),2);"}));
}

}  // namespace
}  // namespace emitters_test
