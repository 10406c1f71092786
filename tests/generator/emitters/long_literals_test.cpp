// Alphanumeric literals longer than the 50 characters a used-field record
// holds of an operand: the generator takes the whole literal from the
// command that uses it, so that its vector entry has the literal's length
// and value. CHANGE to such a literal and a condition comparing with one
// compile in C and C#, and the run moves the whole text.
#include "fault_jobs.h"

namespace emitters_test {
namespace {

class LongLiterals : public FaultJobs {
protected:
    void SetUp() override
    {
        FaultJobs::SetUp();
        dictionary({{"A256", 'A', 256}, {"A60", 'A', 60}});
    }

    static std::string padded(const std::string& text, size_t width)
    {
        return "[" + text + std::string(width - text.size(), ' ') + "]";
    }
};

/* The command: a quoted literal of 53 characters. It is no field
** of the dictionary: the program is generated, its literal entry is 53
** long, and the field receives all of it. */
TEST_F(LongLiterals, ALiteralOfMoreThanFiftyCharactersIsMovedWhole)
{
    const std::string text = "The 31-digit value of the shipment is now confirmed!!";
    ASSERT_EQ(text.size(), 53u);
    const std::string c =
        generated("LITCHG", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#A256) TO('''" + text + "''')", "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    EXPECT_FALSE(has(out_, "PRC0056")) << out_;
    EXPECT_TRUE(has(gencore_test::readFile(sourceDir() / "LITCHG.STG"), "#define BYTE_LEN_V_ALPHA_LITERAL_001")) << c;
    EXPECT_NE(findBlock(programLines(gencore_test::readFile(sourceDir() / "LITCHG.STG")),
                        {"#define BYTE_LEN_V_ALPHA_LITERAL_001                        53"}),
              std::string::npos);
    EXPECT_EQ(gcc("LITCHG"), "");
    EXPECT_EQ(mcs("LITCHG"), "");
    auto values = runValues("LITCHG", {3});
    EXPECT_EQ(values[3]["A256"], padded(text, 256));
}

/* A literal of 104 characters is moved whole; one of 59 characters in a
** condition keeps its whole text in the condition's routine, and the
** program compiles in C and C#. */
TEST_F(LongLiterals, LongLiteralsInValuesAndConditionsKeepTheirWholeText)
{
    const std::string shorter = "The 31-digit value of the shipment is now confirmed by Tom.";
    const std::string longer = shorter + " And this sentence makes the literal longer..";
    ASSERT_EQ(shorter.size(), 59u);
    ASSERT_EQ(longer.size(), 104u);
    ASSERT_FALSE(
        generated("LITLNG", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#A256) TO('''" + longer + "''')", "RETURN"})
            .empty())
        << out_;
    EXPECT_EQ(gcc("LITLNG"), "");
    EXPECT_EQ(mcs("LITLNG"), "");
    auto values = runValues("LITLNG", {3});
    EXPECT_EQ(values[3]["A256"], padded(longer, 256));

    const std::string c = generated(
        "LITCND", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#A60) TO('''" + shorter + "''')",
                   "IF COND('#A60 = ''" + shorter + "''')", "CHANGE FIELD(#A256) TO(#A60)", "ENDIF", "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    EXPECT_TRUE(has(gencore_test::readFile(sourceDir() / "LITCND.TXT"), shorter));
    EXPECT_EQ(gcc("LITCND"), "");
    EXPECT_EQ(mcs("LITCND"), "");
}

}  // namespace
}  // namespace emitters_test
