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
    expectClean("LITCHG");
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
    expectClean("LITLNG");
    auto values = runValues("LITLNG", {3});
    EXPECT_EQ(values[3]["A256"], padded(longer, 256));

    const std::string c = generated(
        "LITCND", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#A60) TO('''" + shorter + "''')",
                   "IF COND('#A60 = ''" + shorter + "''')", "CHANGE FIELD(#A256) TO(#A60)", "ENDIF", "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    EXPECT_TRUE(has(gencore_test::readFile(sourceDir() / "LITCND.TXT"), shorter));
    expectClean("LITCND");
}

/* Literals as long as the longest alphanumeric field: 255 characters
** written plainly, and 256 with a quote inside written as a quoted literal
** (its text doubles the quote). With their quotes they run past the 256
** characters an operand check holds; they were read as field names
** (PRC0059). Each is moved whole; 257 characters do not fit the field. */
TEST_F(LongLiterals, LiteralsAsLongAsTheLongestFieldAreMovedWhole)
{
    std::string plain;
    while (plain.size() < 255)
        plain += "Crates 17 to 42 are held at gate 9. ";
    plain.resize(255);
    std::string quoted = "The carrier's " + plain;
    quoted.resize(256);
    std::string doubled;
    for (char ch : quoted)
        doubled += ch == '\'' ? std::string("''''") : std::string(1, ch);
    ASSERT_FALSE(generated("LIT255", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#A256) TO('" + plain + "')",
                                      "CHANGE FIELD(#A60) TO(#A256)", "CHANGE FIELD(#A256) TO('''" + doubled + "''')",
                                      "RETURN"})
                     .empty())
        << out_;
    EXPECT_FALSE(has(out_, "PRC0059")) << out_;
    expectClean("LIT255");
    auto values = runValues("LIT255", {3, 5});
    EXPECT_EQ(values[3]["A256"], padded(plain, 256));
    EXPECT_EQ(values[5]["A60"], padded(plain.substr(0, 60), 60));
    EXPECT_EQ(values[5]["A256"], padded(quoted, 256));

    addFunction("DEMOPRC", "LIT257", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#A256) TO('" + plain + "xy')", "RETURN"});
    job("LIT257");
    EXPECT_EQ(errors, 1) << out_;
    EXPECT_TRUE(has(out_, "DCM0403 F Line 2 CHANGE:")) << out_;
    EXPECT_FALSE(has(out_, "PRC0059")) << out_;
}

/* Two literals of 60 characters that differ only after their 50th: each
** has its own literal field, in conditions of DEF_COND and IF and in
** CHANGE, and the program compares and moves each one whole. By hand:
** #A60 holds the second, #A256 the first; *ISONE is false, *ISTWO true,
** #A256 equals the first and not the second. */
TEST_F(LongLiterals, LiteralsSharingTheirFirstFiftyCharactersStayApart)
{
    const std::string head = "Shipment 4711 leaves the northern warehouse at dawn, ";
    const std::string one = head + "by ship", two = head + "by rail";
    ASSERT_EQ(one.size(), 60u);
    ASSERT_EQ(two.size(), 60u);
    ASSERT_EQ(one.substr(0, 50), two.substr(0, 50));
    dictionary({{"F1", 'A', 1}, {"F2", 'A', 1}, {"F3", 'A', 1}, {"F4", 'A', 1}});
    const std::string c = generated(
        "LITTWO", {"FUNCTION OPTIONS(*DIRECT)",                             // 1
                   "DEF_COND NAME(*ISONE) COND('#A60 = ''" + one + "''')",  // 2
                   "DEF_COND NAME(*ISTWO) COND('#A60 = ''" + two + "''')",  // 3
                   "CHANGE FIELD(#F1) TO('''N''')",                         // 4
                   "CHANGE FIELD(#F2) TO('''N''')",                         // 5
                   "CHANGE FIELD(#F3) TO('''N''')",                         // 6
                   "CHANGE FIELD(#F4) TO('''N''')",                         // 7
                   "CHANGE FIELD(#A60) TO('''" + two + "''')",              // 8
                   "CHANGE FIELD(#A256) TO('''" + one + "''')",             // 9
                   "IF COND(*ISONE)",                                       // 10
                   "CHANGE FIELD(#F1) TO('''Y''')",                         // 11
                   "ENDIF",                                                 // 12
                   "IF COND(*ISTWO)",                                       // 13
                   "CHANGE FIELD(#F2) TO('''Y''')",                         // 14
                   "ENDIF",                                                 // 15
                   "IF COND('#A256 = ''" + one + "''')",                    // 16
                   "CHANGE FIELD(#F3) TO('''Y''')",                         // 17
                   "ENDIF",                                                 // 18
                   "IF COND('#A256 = ''" + two + "''')",                    // 19
                   "CHANGE FIELD(#F4) TO('''Y''')",                         // 20
                   "ENDIF",                                                 // 21
                   "RETURN"});                                              // 22
    ASSERT_FALSE(c.empty()) << out_;
    /* both literals stand whole in the C and the C# program */
    const std::string texts = gencore_test::readFile(sourceDir() / "LITTWO.TXT") + c;
    EXPECT_TRUE(has(texts, one)) << texts;
    EXPECT_TRUE(has(texts, two)) << texts;
    std::string csharp;
    for (const auto& f : std::filesystem::directory_iterator(project("LITTWO")))
        if (f.path().extension() == ".cs")
            csharp += gencore_test::readFile(f.path());
    EXPECT_TRUE(has(csharp, one)) << csharp;
    EXPECT_TRUE(has(csharp, two)) << csharp;
    expectClean("LITTWO");
    auto values = runValues("LITTWO", {22}, {"compare_runtime.c"});
    EXPECT_EQ(values[22]["A60"], padded(two, 60));
    EXPECT_EQ(values[22]["A256"], padded(one, 256));
    EXPECT_EQ(values[22]["F1"], "[N]");
    EXPECT_EQ(values[22]["F2"], "[Y]");
    EXPECT_EQ(values[22]["F3"], "[Y]");
    EXPECT_EQ(values[22]["F4"], "[N]");
}

}  // namespace
}  // namespace emitters_test
