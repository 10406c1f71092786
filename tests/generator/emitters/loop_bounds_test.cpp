// BEGIN_LOOP with its bounds given as special values: blanks or zero, which
// no vector entry holds, set the variable to 0 (a bound left unset would
// start or end the loop anywhere); a value the loop cannot take stops the
// generation naming the keyword. The programs compile in C and C#, and the
// loop from *ZERO runs its counts.
#include "fault_jobs.h"

namespace emitters_test {
namespace {

class LoopBounds : public FaultJobs {
protected:
    void SetUp() override
    {
        FaultJobs::SetUp();
        dictionary({{"LOOPIX", 'P', 5}, {"LOOPSUM", 'P', 7}});
    }
};

TEST_F(LoopBounds, ZeroBoundsSetTheirVariables)
{
    const std::string c =
        generated("LOOPZR", {"FUNCTION OPTIONS(*DIRECT)", "BEGIN_LOOP USING(#LOOPIX) FROM(*ZERO) TO(4)",
                             "CHANGE FIELD(#LOOPSUM) TO('#LOOPSUM + 1')", "END_LOOP",
                             "BEGIN_LOOP USING(#LOOPIX) FROM(1) TO(*ZEROES)",
                             "CHANGE FIELD(#LOOPSUM) TO('#LOOPSUM + 100')", "END_LOOP", "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    const auto lines = programLines(c);
    EXPECT_NE(findBlock(lines, {"X_LONG X_Loop_Index_<n>;", "X_LONG X_Loop_Limit_<n>;", "X_Loop_Index_<n> = 0;"}),
              std::string::npos);
    EXPECT_NE(findBlock(lines, {"X_Loop_Limit_<n> = 0;"}), std::string::npos);
    EXPECT_EQ(gcc("LOOPZR"), "");
    EXPECT_EQ(mcs("LOOPZR"), "");
    /* 0 to 4 is five rounds; 1 to 0 none: the second loop's CHANGE
       (sequence 6) never runs */
    auto values = runValues("LOOPZR", {6, 8});
    EXPECT_EQ(values.count(6), 0u);
    EXPECT_EQ(values[8]["LOOPSUM"], "5");
}

TEST_F(LoopBounds, ABoundNoVariableCanTakeStopsTheGeneration)
{
    addFunction("DEMOPRC", "LOOPHI",
                {"FUNCTION OPTIONS(*DIRECT)", "BEGIN_LOOP USING(#LOOPIX) TO(*HIVAL)", "END_LOOP", "RETURN"});
    job("LOOPHI");
    EXPECT_EQ(errors, 1) << out_;
    EXPECT_TRUE(has(out_, "PRC1196 F Line 2 BEGIN_LOOP: Command BEGIN_LOOP cannot use *HIVAL in keyword TO.")) << out_;
    EXPECT_FALSE(anyFileOf("LOOPHI"));
}

}  // namespace
}  // namespace emitters_test
