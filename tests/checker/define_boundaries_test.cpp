// DEFINE and OVERRIDE at the edge of their types: a field made
// alphanumeric from a reference field with decimals takes none of them
// (an alphanumeric field has no decimals), unless DECIMALS asks for some,
// which no alphanumeric field can have.
#include "checker_fixture.h"

#include <string>
#include <vector>

#include "checker/usage.h"

using checker_test::CheckJob;
using checker_test::Message;

namespace {

class DefineEdges : public CheckJob {
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
    std::vector<unsigned> linesOf(const char* id)
    {
        std::vector<unsigned> lines;
        for (const Message& m : withId(id))
            lines.push_back(m.line);
        return lines;
    }
};

// #CREDIT is a packed field of 11 digits and 2 decimals.
TEST_F(DefineEdges, CharacterFieldsFromAReferenceWithDecimals)
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
TEST_F(DefineEdges, OverrideToCharacterDropsTheDecimals)
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

}  // namespace
