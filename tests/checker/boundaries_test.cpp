// The checker at the edges of its rules: DEFINE and OVERRIDE making a
// field alphanumeric from a reference field with decimals (it takes none
// of them, unless DECIMALS asks for some, which no alphanumeric field can
// have); LEAVE and CONTINUE at every depth of a loop and outside every
// loop; the numbers of a function's literals, alphanumeric and numeric
// ones counted together.
#include "checker_fixture.h"

#include <string>
#include <vector>

#include "checker/usage.h"
#include "dqov/runcontrol/work_records.h"

using checker_test::CheckJob;
using checker_test::Message;

namespace {

class Boundaries : public CheckJob {
protected:
    /* The attributes DEFINE recorded for the field: type, length, decimals. */
    std::string defined(const std::string& field)
    {
        FFC_WORK_RECORD r;
        if (!record(WR_DEFINE, field, r))
            return "(none)";
        const auto* d = reinterpret_cast<const WR_DEFINE_DATA*>(r.acData);
        return std::string(1, d->cType) + " " + std::string(d->acLength, 5) + " " + std::string(d->acDecimals, 3);
    }
    /* The usage class and number of a literal's used-field record. */
    std::string numberOf(const std::string& literal)
    {
        FFC_WORK_RECORD r;
        if (!record(WR_USEFIELD, literal, r))
            return "(none)";
        const auto* d = reinterpret_cast<const WR_USEFIELD_DATA*>(r.acData);
        return std::string(d->acClass, 2) + " " + std::string(d->acLiteralNumber, 3);
    }
    std::vector<unsigned> linesOf(const char* id)
    {
        std::vector<unsigned> lines;
        for (const Message& m : withId(id))
            lines.push_back(m.line);
        return lines;
    }
};

// #CREDIT is a packed field of 11 digits and 2 decimals.
TEST_F(Boundaries, CharacterFieldsFromAReferenceWithDecimals)
{
    addFunction("TSTPRC", "DEFCHR",
                {"FUNCTION OPTIONS(*DIRECT)",
                 "DEFINE FIELD(#CHRAMT) REFFLD(#CREDIT) TYPE(*CHAR) LENGTH(12)",     // 2
                 "DEFINE FIELD(#CHRAM2) REFFLD(#CREDIT) TYPE(*CHAR)",                // 3
                 "DEFINE FIELD(#CHRAM3) REFFLD(#CREDIT) TYPE(*ALPHA) LENGTH(1)",     // 4
                 "DEFINE FIELD(#CHRBAD) REFFLD(#CREDIT) TYPE(*CHAR) DECIMALS(2)",    // 5
                 "DEFINE FIELD(#DECAMT) REFFLD(#CREDIT) LENGTH(9)",                  // 6
                 "CHANGE FIELD(#CHRAMT) TO('ABC')", "CHANGE FIELD(#CHRAM2) TO(#CHRAMT)",
                 "CHANGE FIELD(#CHRAM3) TO('X')", "CHANGE FIELD(#DECAMT) TO(1.25)", "RETURN"});
    prepare("TSTPRC", "DEFCHR");
    run();
    EXPECT_EQ(defined("CHRAMT"), "A 00012 000");
    EXPECT_EQ(defined("CHRAM2"), "A 00011 000");
    EXPECT_EQ(defined("CHRAM3"), "A 00001 000");
    EXPECT_EQ(defined("DECAMT"), "P 00009 002") << "a numeric field keeps the reference's decimals";
    EXPECT_EQ(defined("CHRBAD"), "(none)");
    EXPECT_EQ(linesOf("PRC0058"), std::vector<unsigned>{5u});
}

// OVERRIDE of a field with decimals to an alphanumeric one: the decimals
// go; a field defined from it afterwards is alphanumeric without decimals.
TEST_F(Boundaries, OverrideToCharacterDropsTheDecimals)
{
    addFunction("TSTPRC", "OVRCHR",
                {"FUNCTION OPTIONS(*DIRECT)", "OVERRIDE FIELD(#CREDIT) TYPE(*CHAR)",     // 2
                 "DEFINE FIELD(#CPYCRD) REFFLD(#CREDIT)",                                // 3
                 "DEFINE FIELD(#DECREF) TYPE(*DEC) LENGTH(7) DECIMALS(3)",               // 4
                 "OVERRIDE FIELD(#DECREF) REFFLD(#DECREF) TYPE(*CHAR) LENGTH(4)",        // 5
                 "DEFINE FIELD(#CPYDEC) REFFLD(#DECREF)",                                // 6
                 "OVERRIDE FIELD(#CUSTNO) TYPE(*CHAR) DECIMALS(1)",                      // 7
                 "CHANGE FIELD(#CPYCRD) TO('ABC')", "CHANGE FIELD(#CPYDEC) TO(#CPYCRD)", "RETURN"});
    prepare("TSTPRC", "OVRCHR");
    run();
    EXPECT_EQ(defined("CPYCRD"), "A 00011 000");
    EXPECT_EQ(defined("CPYDEC"), "A 00004 000");
    EXPECT_EQ(linesOf("PRC0064"), std::vector<unsigned>{7u});
    EXPECT_TRUE(withId("PRC0058").empty());
}

// LEAVE and CONTINUE directly in a loop, in an IF inside one, in a loop
// inside another; outside every loop each is a finding (PRC0320).
TEST_F(Boundaries, InsideEveryKindOfLoopAndOutside)
{
    addFunction("TSTPRC", "LOOPMOD",
                {"FUNCTION OPTIONS(*DIRECT)",                                              // 1
                 "DEFINE FIELD(#LMI) TYPE(*DEC) LENGTH(3) DECIMALS(0)",                    // 2
                 "BEGIN_LOOP USING(#LMI) FROM(1) TO(5)",                                   // 3
                 "LEAVE",                                                                  // 4
                 "END_LOOP",                                                               // 5
                 "DOWHILE COND('#LMI < 9')",                                               // 6
                 "CONTINUE",                                                               // 7
                 "IF COND('#LMI = 3')",                                                    // 8
                 "LEAVE",                                                                  // 9
                 "ENDIF",                                                                  // 10
                 "BEGIN_LOOP USING(#LMI) FROM(1) TO(2)",                                   // 11
                 "CONTINUE",                                                               // 12
                 "END_LOOP",                                                               // 13
                 "ENDWHILE",                                                               // 14
                 "LEAVE",                                                                  // 15
                 "IF COND('#LMI = 1')",                                                    // 16
                 "CONTINUE",                                                               // 17
                 "ENDIF",                                                                  // 18
                 "RETURN"});
    prepare("TSTPRC", "LOOPMOD");
    run();
    EXPECT_EQ(linesOf("PRC0320"), (std::vector<unsigned>{15u, 17u}));
    EXPECT_TRUE(withId("PRC0044").empty());
}

// The literals are numbered in the order of their first use, alphanumeric
// and numeric ones in one count, so that no two share a number; a literal
// used again keeps its number.
TEST_F(Boundaries, AlphanumericAndNumericLiteralsShareOneCount)
{
    addFunction("TSTPRC", "LITNUM",
                {"FUNCTION OPTIONS(*DIRECT)", "CHANGE FIELD(#CUSTNAM) TO('''ABC''')", "CHANGE FIELD(#CREDIT) TO(12.5)",
                 "CHANGE FIELD(#CUSTNAM) TO('''XYZ''')", "CHANGE FIELD(#CREDIT) TO(7)",
                 "CHANGE FIELD(#CUSTNAM) TO('''ABC''')", "RETURN"});
    prepare("TSTPRC", "LITNUM");
    run();
    EXPECT_EQ(numberOf("'ABC'"), "AL 001");
    EXPECT_EQ(numberOf("12.5"), "NL 002");
    EXPECT_EQ(numberOf("'XYZ'"), "AL 003");
    EXPECT_EQ(numberOf("7"), "NL 004");
}

}  // namespace
