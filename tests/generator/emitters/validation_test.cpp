// Validation blocks and check commands: nested error counts, the constant
// vector group of RANGECHECK, the result actions and CALLCHECK's program.
#include "checked_access.h"
#include "emit_fixture.h"

#include "generator/core/output/static_lists.h"

namespace emitters_test {
namespace {

class Validation : public EmitterFixture {
protected:
    void SetUp() override
    {
        EmitterFixture::SetUp();
        for (const char* f : {"F", "L1", "H1", "L2", "H2", "L3", "H3", "C"})
            field(f);
    }
    FFC_PARSED_COMMAND& check(const char* name, const char* in, const char* out)
    {
        FFC_PARSED_COMMAND& p = command(name);
        set(p, "FIELD", "#F");
        set(p, in, "*NEXT");
        set(p, out, "*ERROR");
        set(p, "MSGTXT", "*NONE");
        set(p, "MSGID", "*NONE");
        set(p, "MSGFILE", "*NONE");
        return p;
    }
};

TEST_F(Validation, NestedBlocksRaiseEveryErrorCount)
{
    FFC_PARSED_COMMAND& outer = command("BEGINCHECK");
    set(outer, "KEEP_COUNT", "#C");
    FFC_PARSED_COMMAND& inner = command("BEGINCHECK");
    set(inner, "KEEP_COUNT", "*NONE");
    FFC_PARSED_COMMAND& date = check("DATECHECK", "IF_VALID", "IF_INVALID");
    FFC_PARSED_COMMAND& endInner = command("ENDCHECK");
    set(endInner, "IF_ERROR", "*NEXT");
    FFC_PARSED_COMMAND& endOuter = command("ENDCHECK");
    set(endOuter, "IF_ERROR", "*NEXT");

    const std::vector<std::string> first = texts(dispatch(outer));
    EXPECT_EQ(std::count(first.begin(), first.end(), "X_YES_NO X_ErrorsSave[X_VECTOR_TOTAL];"), 0);
    EXPECT_NE(std::find(first.begin(), first.end(), "   pX_Fld[i].chValError = NO;"), first.end());
    const std::vector<std::string> second = texts(dispatch(inner));
    EXPECT_NE(std::find(second.begin(), second.end(), "X_YES_NO X_ErrorsSave[X_VECTOR_TOTAL];"), second.end());
    EXPECT_NE(std::find(second.begin(), second.end(), "INSTANCE(X_ErrorCount_2) = 0;"), second.end());

    const std::vector<Line> d = dispatch(date);
    EXPECT_TRUE(holds(d, {{6, 12, "if (INSTANCE(chResultofCheck) == X_ERROR_ACTION)"},
                          {6, 12, "{"},
                          {6, 15, "INSTANCE(X_ErrorCount_1)++;"},
                          {6, 15, "INSTANCE(X_ErrorCount_2)++;"},
                          {6, 15, "X_Vec_Increment(pX_Ids,pX_Pro,pX_Fun,pX_Fld,"},
                          {6, 15, "               V_FIELD_C,1);"},
                          {6, 15, "pX_Fld[V_FIELD_F].chValError = YES;"}}));
    /* the actions *NEXT and *ERROR: no acceptance is handled */
    EXPECT_FALSE(holdsText(d, "if (INSTANCE(chResultofCheck) == X_ACCEPT_ACTION)"));

    const std::vector<std::string> merge = texts(dispatch(endInner));
    const auto merged =
        std::find(merge.begin(), merge.end(), "   if (X_ErrorsSave[i] == YES) pX_Fld[i].chValError = YES;");
    const auto tested = std::find(merge.begin(), merge.end(), "if (INSTANCE(X_ErrorCount_2) > 0)");
    EXPECT_TRUE(merged != merge.end() && tested != merge.end() && merged < tested);
    EXPECT_TRUE(holdsText(dispatch(endOuter), "if (INSTANCE(X_ErrorCount_1) > 0)"));
    EXPECT_EQ(P3109_State().sBlockDepth, 0);
    EXPECT_EQ(P3109_State().out.usIndent, 3);
    EXPECT_EQ(P3109_State().emit.sBeginChecks, 2);
}

TEST_F(Validation, RangeCheckWithThreeRanges)
{
    FFC_PARSED_COMMAND& range = check("RANGECHECK", "IN_RANGE", "OUT_RANGE");
    for (int i = 0; i < 3; ++i) {
        set(range, "RANGE", "#L" + std::to_string(i + 1), 0, i);
        set(range, "RANGE", "#H" + std::to_string(i + 1), 1, i);
    }
    const int32_t three = 3;
    std::memcpy(range.acParms + dqov::cmdparm::CountOffset("RANGECHECK", "RANGE"), &three, 4);
    current(range);
    const std::vector<Line> l = lines([] { P3109_EmitRangeCheck(); });
    EXPECT_TRUE(holds(l, {{1, 3, "static  X_SHORT asRange_Check_0001[] ="},
                          {1, 6, "{V_FIELD_L1,V_FIELD_H1,V_FIELD_L2,V_FIELD_H2,"},
                          {1, 10, " V_FIELD_L3,V_FIELD_H3};"}}));
    EXPECT_TRUE(holdsText(l, "     V_FIELD_F,(X_SHORT)(INSTANCE(scRange_Check_0001)/2),INSTANCE(Range_Check_0001),"));
    const std::deque<GEN_STATIC_ENTRY>& list0 = CGEN_StaticWorkingList(0);
    EXPECT_NE(std::find_if(list0.begin(), list0.end(),
                           [](const GEN_STATIC_ENTRY& e) {
                               return e.cInitialiser == "INSTANCE(scRange_Check_0001) = sizeof(asRange_Check_0001) / "
                                                        "sizeof(X_SHORT);";
                           }),
              list0.end());

    /* no ranges at all: neither the call nor a result action of an older check */
    FFC_PARSED_COMMAND& empty = check("RANGECHECK", "IN_RANGE", "OUT_RANGE");
    current(empty);
    const std::vector<std::string> e = texts(lines([] { P3109_EmitRangeCheck(); }));
    EXPECT_EQ(std::count(e.begin(), e.end(), "X_Range_Check (pX_Ids,pX_Pro,pX_Fun,pX_Fld,"), 0);
    EXPECT_EQ(std::count(e.begin(), e.end(), "if (INSTANCE(chResultofCheck) == X_ERROR_ACTION)"), 0);
}

// A range check's names form one constant vector group of at most 50
// names: 26 ranges (52 names) end the generation with its internal error.
TEST_F(Validation, RangeCheckBeyondItsGroupEndsTheGeneration)
{
    FFC_PARSED_COMMAND& range = check("RANGECHECK", "IN_RANGE", "OUT_RANGE");
    for (int i = 0; i < 26; ++i) {
        set(range, "RANGE", "#L1", 0, i);
        set(range, "RANGE", "#H1", 1, i);
    }
    const int32_t ranges = 26;
    std::memcpy(range.acParms + dqov::cmdparm::CountOffset("RANGECHECK", "RANGE"), &ranges, 4);
    current(range);
    const std::string fatal = expectFatal([] { P3109_EmitRangeCheck(); });
    EXPECT_NE(fatal.find("Internal error: FFC/FCC encounters an exception."), std::string::npos) << fatal;
}

TEST_F(Validation, CheckActionsAndProgramText)
{
    FFC_PARSED_COMMAND& next = check("VALUECHECK", "IN_LIST", "NOT_INLIST");
    set(next, "NOT_INLIST", "*NEXT");
    list(next, "WITH_LIST", {"#L1"});
    current(next);
    for (const std::string& l : texts(lines([] { P3109_EmitValueCheck(); })))
        EXPECT_EQ(l.find("chResultofCheck) =="), std::string::npos) << l;

    FFC_PARSED_COMMAND& call = check("CALLCHECK", "IF_VALID", "IF_INVALID");
    set(call, "BY_CALLING", "FLWMAIN");
    set(call, "@PGMKIND", "F");
    current(call);
    EXPECT_TRUE(holdsText(lines([] { P3109_EmitCallCheck(); }), "     V_FIELD_F,\"LF=FLWMAIN\","));

    /* a message text given in the check without the message-text field */
    FFC_PARSED_COMMAND& text = check("DATECHECK", "IF_VALID", "IF_INVALID");
    set(text, "MSGTXT", "Wrong date");
    current(text);
    lines([] { P3109_EmitDateCheck(); });
    EXPECT_NE(checked::Last(issuedMessages()).find("PRC1008 F"), std::string::npos);
}

}  // namespace
}  // namespace emitters_test
