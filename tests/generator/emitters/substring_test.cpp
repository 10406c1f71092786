// SUBSTRING with every form of its positions and lengths: given as a
// numeric literal, as a field, "*END" or left out, for the source and the
// target. A position left out is the first; a length left out reaches to the
// end of its field, as "*END" does. Each form compiles in C (also in the long
// form of ZOPH2) and C#, and the moves of the literal forms are run.
#include "fault_jobs.h"

namespace emitters_test {
namespace {

class Substring : public FaultJobs {
protected:
    void SetUp() override
    {
        FaultJobs::SetUp();
        dictionary({{"LOTNO", 'A', 10}, {"PLANT", 'A', 6}, {"LOTPOS", 'P', 3}, {"LOTLEN", 'P', 3}});
    }

    /* The command's block in the .C, from its comment to its call. */
    static std::vector<std::string> block(const std::string& c, const std::string& command)
    {
        const auto lines = programLines(c);
        std::vector<std::string> b;
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == "// " + command) {
                for (size_t k = i; k < lines.size() && lines[k].rfind("pX_Fld,V_FIELD_PLANT", 0) != 0; ++k)
                    b.push_back(lines[k]);
                break;
            }
        return b;
    }
};

/* The command: no target position or length. The target takes the
** part from its first character to its end; the program compiles and the
** part arrives there, blank-filled. */
TEST_F(Substring, AnOmittedTargetPositionAndLengthFillTheTargetFromItsStart)
{
    const std::string c = generated("SUBPLT", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#LOTNO) TO('''AB12-XYZ9''')",
                                               "CHANGE FIELD(#PLANT) TO('''QQQQQQ''')",
                                               "SUBSTRING FIELD(#LOTNO 1 4) INTO_FIELD(#PLANT)", "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    const auto b = block(c, "SUBSTRING FIELD(#LOTNO 1 4) INTO_FIELD(#PLANT)");
    EXPECT_NE(findBlock(b, {"sStringToPos = 1;", "sStringToLen = 7 - sStringToPos;"}), std::string::npos) << shown(b);
    EXPECT_EQ(gcc("SUBPLT"), "");
    EXPECT_EQ(mcs("SUBPLT"), "");
    auto values = runValues("SUBPLT", {4, 5}, {"substring_runtime.c"});
    EXPECT_EQ(values[4]["PLANT"], "[QQQQQQ]");
    EXPECT_EQ(values[5]["PLANT"], "[AB12  ]");
}

/* Every combination of given and omitted positions and lengths, literal
** and "*END", on both sides, with a field and a literal as the source:
** every variable is set before the call, each program compiles in C and C#,
** and each move puts what it names into the target. */
TEST_F(Substring, EveryLiteralOrOmittedFormSetsItsVariable)
{
    const std::vector<std::string> commands = {
        "SUBSTRING FIELD(#LOTNO) INTO_FIELD(#PLANT)",
        "SUBSTRING FIELD(#LOTNO 3) INTO_FIELD(#PLANT 2)",
        "SUBSTRING FIELD(#LOTNO 5 *END) INTO_FIELD(#PLANT 1 *END)",
        "SUBSTRING FIELD(#LOTNO 2 3) INTO_FIELD(#PLANT 4 2)",
        "SUBSTRING FIELD('XY-123' 4) INTO_FIELD(#PLANT 3)",
    };
    std::vector<std::string> lines = {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#LOTNO) TO('''AB12-XYZ9''')"};
    for (const std::string& command : commands) {
        lines.push_back("CHANGE FIELD(#PLANT) TO('''QQQQQQ''')");
        lines.push_back(command);
    }
    lines.push_back("RETURN");
    const std::string c = generated("SUBALL", lines);
    ASSERT_FALSE(c.empty()) << out_;
    /* the set of each variable before the call, by hand from the forms: the
       source is 10 long, the literal 6, the target 6 */
    const std::vector<std::vector<std::string>> expected = {
        {"sStringFromPos = 1;", "sStringFromLen = 11 - sStringFromPos;", "sStringToPos = 1;",
         "sStringToLen = 7 - sStringToPos;"},
        {"sStringFromPos = +3;", "sStringFromLen = 11 - sStringFromPos;", "sStringToPos = +2;",
         "sStringToLen = 7 - sStringToPos;"},
        {"sStringFromPos = +5;", "sStringFromLen = 11 - sStringFromPos;", "sStringToPos = +1;",
         "sStringToLen = 7 - sStringToPos;"},
        {"sStringFromPos = +2;", "sStringFromLen = +3;", "sStringToPos = +4;", "sStringToLen = +2;"},
        {"sStringFromPos = +4;", "sStringFromLen = 7 - sStringFromPos;", "sStringToPos = +3;",
         "sStringToLen = 7 - sStringToPos;"},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const auto b = block(c, commands[i]);
        EXPECT_NE(findBlock(b, expected[i]), std::string::npos) << commands[i] << "\n" << shown(b);
    }
    EXPECT_EQ(gcc("SUBALL"), "");
    EXPECT_EQ(mcs("SUBALL"), "");
    /* the k-th SUBSTRING is sequence 4 + 2k; the command after it shows its
       move, into a target of six Q */
    auto values = runValues("SUBALL", {5, 7, 9, 11, 13}, {"substring_runtime.c"});
    EXPECT_EQ(values[5]["PLANT"], "[AB12-X]");
    EXPECT_EQ(values[7]["PLANT"], "[Q12-XY]");
    EXPECT_EQ(values[9]["PLANT"], "[-XYZ9 ]");
    EXPECT_EQ(values[11]["PLANT"], "[QQQB1Q]");
    EXPECT_EQ(values[13]["PLANT"], "[QQ123 ]");
}

/* Positions and lengths in fields are read into the variables; a length
** left out or "*END" after a position in a field counts from that field's
** value. */
TEST_F(Substring, PositionsAndLengthsInFieldsAreReadIntoTheVariables)
{
    const std::string full = "SUBSTRING FIELD(#LOTNO #LOTPOS #LOTLEN) INTO_FIELD(#PLANT #LOTPOS #LOTLEN)";
    const std::string open = "SUBSTRING FIELD(#LOTNO #LOTPOS) INTO_FIELD(#PLANT #LOTPOS *END)";
    const std::string c =
        generated("SUBFLD", {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#LOTPOS #LOTLEN) TO(2)", full, open, "RETURN"});
    ASSERT_FALSE(c.empty()) << out_;
    const auto fields = block(c, full);
    for (const char* v : {"sStringFromPos", "sStringFromLen", "sStringToPos", "sStringToLen"}) {
        const std::string reads = std::string("V_FIELD_") +
                                  (std::string(v).find("Pos") != std::string::npos ? "LOTPOS" : "LOTLEN") + ", &(" + v +
                                  ") );";
        bool found = false;
        for (const std::string& l : fields)
            found = found || l.find(reads) != std::string::npos;
        EXPECT_TRUE(found) << reads << "\n" << shown(fields);
    }
    const auto rest = block(c, open);
    EXPECT_NE(findBlock(rest, {"sStringFromLen = 11 - sStringFromPos;"}), std::string::npos) << shown(rest);
    EXPECT_NE(findBlock(rest, {"sStringToLen = 7 - sStringToPos;"}), std::string::npos) << shown(rest);
    EXPECT_EQ(gcc("SUBFLD"), "");
    EXPECT_EQ(mcs("SUBFLD"), "");
}

/* The long form of ZOPH2 sets its X_LONG variables the same way. */
TEST_F(Substring, TheLongFormSetsItsVariablesToo)
{
    const std::string c = generated("SUBLNG",
                                    {"FUNCTION OPTIONS(*DIRECT)", "DEF_LIST NAME(#LOTS) FIELDS(#LOTNO) TYPE(*WORKING)",
                                     "SUBSTRING FIELD(#LOTNO 2) INTO_FIELD(#PLANT)", "RETURN"},
                                    true);
    ASSERT_FALSE(c.empty()) << out_;
    const auto b = block(c, "SUBSTRING FIELD(#LOTNO 2) INTO_FIELD(#PLANT)");
    EXPECT_NE(findBlock(b, {"lStringFromPos = +2;", "lStringFromLen = 11 - lStringFromPos;", "lStringToPos = 1;",
                            "lStringToLen = 7 - lStringToPos;"}),
              std::string::npos)
        << shown(b);
    EXPECT_EQ(gcc("SUBLNG"), "");
    EXPECT_EQ(mcs("SUBLNG"), "");
}

}  // namespace
}  // namespace emitters_test
