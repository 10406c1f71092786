// The checks of a component's commands through the run driver: unknown
// classes, components, features and fields are findings at the lines that
// name them; a name declared further down is known; language level two
// comes from the component's kind word; the commands stand inside the
// component's block.
#include <sqlite3.h>

#include <string>
#include <vector>

#include "tools_check_fixture.h"

namespace {

class ComponentChecks : public ToolsCheckFixture {
protected:
    // Stores a component of these lines, with its kind word.
    void store(const std::string& name, const std::vector<std::string>& lines, int kind = 0)
    {
        std::string sql = "DELETE FROM QV_OCS WHERE XCSCMP = '" + name + "'; DELETE FROM QV_OCD WHERE XCDCMP = '" +
                          name + "'; INSERT INTO QV_OCD VALUES ('DEM', '" + name + "', " + std::to_string(kind) +
                          ", '');";
        for (size_t i = 0; i < lines.size(); ++i) {
            std::string text = lines[i];
            for (size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2))
                text.insert(at, 1, '\'');
            sql += "INSERT INTO QV_OCS VALUES ('DEM', '" + name + "', " + std::to_string(i + 1) + ", '" + text + "');";
        }
        exec(sql);
    }

    // The finding lines ("<RED>" lines) of a check of the component.
    std::vector<std::string> check(const char* component, int32_t& result)
    {
        errors = warnings = 0;
        std::vector<std::string> findings;
        for (const std::string& line : Lines(RunToolsJob(sys, component, "*COMP", 'C', errors, warnings, result)))
            if (line.rfind("<RED>", 0) == 0 && line.find("Line ") != std::string::npos)
                findings.push_back(line.substr(5));
        return findings;
    }
};

bool Has(const std::vector<std::string>& findings, const std::string& text)
{
    for (const std::string& f : findings)
        if (f.find(text) != std::string::npos)
            return true;
    return false;
}

std::string Joined(const std::vector<std::string>& findings)
{
    std::string all;
    for (const std::string& f : findings)
        all += f + "\n";
    return all;
}

TEST_F(ComponentChecks, UnknownNamesAreFindingsAtTheirLines)
{
    store("BADNAMES", {"BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",          // 1
                       "DEFINE_COM CLASS(#NOCLASS) NAME(#ONE)",        // 2
                       "DEFINE_COM CLASS(#PRIM_TIMR) NAME(#TIMER)",    // 3
                       "DEFINE_EVT NAME(DONE)",                        // 4
                       "MTHROUTINE NAME(RUN)",                         // 5
                       "SET COM(#NOSUCHCMP) VALUE(#NOSUCHFLD)",        // 6
                       "SET COM(#TIMER) NOPROPERTY(5)",                // 7
                       "SIGNAL EVENT(NOEVENT)",                        // 8
                       "INVOKE METHOD(#TIMER.NOMETHOD)",               // 9
                       "SIGNAL EVENT(DONE) NOPARM(1)",                 // 10
                       "SET COM(#LATE) VALUE(#CUSTNO)",                // 11: declared below
                       "ENDROUTINE",                                   // 12
                       "EVTROUTINE HANDLING(#TIMER.NOEVENT)",          // 13
                       "ENDROUTINE",                                   // 14
                       "DEFINE_COM CLASS(#PRIM_ALPH) NAME(#LATE)",     // 15
                       "END_COM"});
    int32_t result = -9;
    const std::vector<std::string> f = check("BADNAMES", result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(Has(f, "Line 2 DEFINE_COM: Name of class or component NOCLASS is not valid for use in this context"))
        << Joined(f);
    EXPECT_TRUE(Has(f, "Line 6 SET: Name of class or component NOSUCHCMP is not valid")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 6 SET: Field NOSUCHFLD is not defined in the dictionary.")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 7 SET: Reference to name TIMER.NOPROPERTY is out of scope")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 8 SIGNAL: Reference to name NOEVENT is out of scope")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 9 INVOKE: Reference to name TIMER.NOMETHOD is out of scope")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 10 SIGNAL: Reference to name DONE.NOPARM is out of scope")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 13 EVTROUTINE: Reference to name TIMER.NOEVENT is out of scope")) << Joined(f);
    // a member declared further down, and a field of the dictionary, are known
    EXPECT_FALSE(Has(f, "Line 11")) << Joined(f);
    EXPECT_EQ(errors, 8) << Joined(f);
    EXPECT_EQ(f.size(), 8u) << Joined(f);
}

// The component DEMOORD uses ASSIGN (lines 19 and 29), PERFORM (30 and 43)
// and IMPORT (11): clean with its kind word of level two (256), refused at
// those lines when the kind word's second byte is not 1.
TEST_F(ComponentChecks, LevelTwoComesFromTheKindWord)
{
    int32_t result = -9;
    std::vector<std::string> f = check("DEMOORD", result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(errors, 0) << Joined(f);
    EXPECT_EQ(warnings, 0);

    for (int kind : {0, 0x0200, 0x0001}) {
        exec("UPDATE QV_OCD SET XCDKND = " + std::to_string(kind) + " WHERE XCDCMP = 'DEMOORD'");
        f = check("DEMOORD", result);
        EXPECT_EQ(errors, 5) << kind << "\n" << Joined(f);
        for (const char* line : {"Line 11 IMPORT: Command IMPORT", "Line 19 ASSIGN: Command ASSIGN",
                                 "Line 29 _ASSIGN: Command _ASSIGN", "Line 30 PERFORM: Command PERFORM",
                                 "Line 43 _PERFORM: Command _PERFORM"})
            EXPECT_TRUE(Has(f, std::string(line) + " is not allowed in this kind of object.")) << kind << " "
                                                                                                << Joined(f);
    }
    // any other bits beside a second byte of 1
    exec("UPDATE QV_OCD SET XCDKND = " + std::to_string(0x7F0105) + " WHERE XCDCMP = 'DEMOORD'");
    f = check("DEMOORD", result);
    EXPECT_EQ(errors, 0) << Joined(f);
    // a component without a definition row is of level one
    exec("DELETE FROM QV_OCD WHERE XCDCMP = 'DEMOORD'");
    f = check("DEMOORD", result);
    EXPECT_EQ(errors, 5) << Joined(f);
}

TEST_F(ComponentChecks, CommandsStandInsideTheComponentsBlock)
{
    store("BLOCKS", {"DEFINE_EVT NAME(EARLY)",                    // 1: before the block
                     "BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",       // 2
                     "BEGIN_COM ROLE(*EXTENDS #PRIM_OBJT)",       // 3: a second block
                     "DEFINE_EVT NAME(INSIDE)",                   // 4
                     "END_COM",                                   // 5
                     "DEFINE_EVT NAME(LATE)"});                   // 6: after the block
    int32_t result = -9;
    const std::vector<std::string> f = check("BLOCKS", result);
    EXPECT_TRUE(Has(f, "Line 1 DEFINE_EVT: Illegal or invalid reference to DEFINE_EVT in DEFINE_EVT command at line 1"))
        << Joined(f);
    EXPECT_TRUE(Has(f, "Line 3 BEGIN_COM: Illegal or invalid reference to BEGIN_COM")) << Joined(f);
    EXPECT_TRUE(Has(f, "Line 6 DEFINE_EVT: Illegal or invalid reference to DEFINE_EVT")) << Joined(f);
    EXPECT_FALSE(Has(f, "Line 4")) << Joined(f);
    // two blocks opened, one closed
    EXPECT_TRUE(Has(f, "Line 2 BEGIN_COM: Command END_COM is expected to close the structure opened by BEGIN_COM"))
        << Joined(f);
    EXPECT_EQ(errors, 4) << Joined(f);
}

}  // namespace
