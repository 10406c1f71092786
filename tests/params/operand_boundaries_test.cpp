// The operand check at the edges of its names and numbers: field names of
// ten characters (the longest there is) and of eleven, with and without the
// name character.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/definitions.h"
#include "params_env.h"

namespace {

using Msgs = std::vector<std::pair<std::string, std::string>>;

class OperandEdges : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ready()); }
    int16_t Check(const std::string& operand, char cls, int32_t length = 0, int32_t decimals = 0,
                  const char* options = "YYYYYYYY")
    {
        std::memset(&b, ' ', sizeof b);
        std::memcpy(b.acOperand, operand.data(), std::min<size_t>(operand.size(), sizeof b.acOperand));
        b.usOperandLength = static_cast<uint16_t>(std::min<size_t>(operand.size(), sizeof b.acOperand));
        b.cTypeClass = cls;
        b.lLength = length;
        b.lDecimals = decimals;
        b.cFlag = 'Y';
        std::memcpy(b.acOptions, options, 8);
        std::memcpy(b.acSourceKind, "DC@F23", 6);
        return DC_P8007(&env.ctx, &b, kQueue, 1, 1, 1, 0);
    }
    std::string Resolved() const
    {
        std::string s(b.acResolved, sizeof b.acResolved);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    std::string Code() const { return std::string(b.acCode, 2); }
    int16_t Define(const char* name, char type, int32_t length, int32_t decimals)
    {
        FFC_FIELD_DEFINITION def;
        std::memset(&def, ' ', sizeof def);
        std::memcpy(def.acName, name, std::strlen(name));
        def.cType = type;
        def.lLength = length;
        def.lDecimals = decimals;
        FFC_FIELD_TEXT text;
        std::memset(&text, ' ', sizeof text);
        return Put_Function_Field(&env.ctx, 'F', &def, &text);
    }

    ParamsEnv env;
    DC_OPERAND_BLOCK b;
};

// A field name fills its ten characters: written with the name character
// (eleven characters in all) or without it, in any case, it names the
// field; its attributes are the field's.
TEST_F(OperandEdges, AFieldNameOfTenCharacters)
{
    ASSERT_EQ(Define("WRKTENCHRS", 'P', 9, 2), 0);
    for (const char* written : {"#WRKTENCHRS", "WRKTENCHRS", "#wrktenchrs"}) {
        ASSERT_EQ(Check(written, 'N', 9, 2), 0) << written;
        EXPECT_EQ(Code(), "FL") << written;
        EXPECT_EQ(Resolved(), "WRKTENCHRS") << written;
        EXPECT_EQ(b.cTypeCode, 'P') << written;
        EXPECT_EQ(b.lResultLength, 9) << written;
        EXPECT_EQ(b.sResultDecimals, 2) << written;
        EXPECT_EQ(b.sOperandKind, DC_OPERAND_FIELD) << written;
        EXPECT_EQ(b.sLocal, 1) << written;
    }
    /* nine characters too */
    ASSERT_EQ(Define("WRKNINECH", 'A', 4, 0), 0);
    ASSERT_EQ(Check("#WRKNINECH", 'A', 4), 0);
    EXPECT_EQ(Code(), "FL");
    EXPECT_EQ(env.Take(), Msgs{});
}

// Eleven characters after the name character are no field name: the
// operand names no field; without the name character, where a value that
// names no field may be a literal, it is one.
TEST_F(OperandEdges, ElevenCharactersNameNoField)
{
    ASSERT_EQ(Define("WRKTENCHRS", 'A', 20, 0), 0);
    EXPECT_EQ(Check("#WRKTENCHRSX", 'A', 20), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0401", "#WRKTENCHRSX        "}}));
    ASSERT_EQ(Check("WRKTENCHRSX", 'A', 20), 0);
    EXPECT_EQ(Code(), "AL");
    EXPECT_EQ(b.lResultLength, 11);
    EXPECT_EQ(env.Take(), Msgs{});
}

// A numeric literal's length is its digits without the leading zeros of
// its whole part, and at least one: 0 is one digit long; its decimals are
// the digits after the point; the whole digits decide what it fits.
TEST_F(OperandEdges, NumericLiteralLengths)
{
    struct Case {
        const char* literal;
        int32_t length;
        int16_t decimals;
        int32_t integerValue;
    };
    const Case cases[] = {
        {"0", 1, 0, 0},           {"000", 1, 0, 0},           {"-0", 1, 0, 0},
        {"7", 1, 0, 7},           {"007", 1, 0, 7},           {"10", 2, 0, 10},
        {"0.5", 1, 1, 0},         {"0.00", 2, 2, 0},          {".25", 2, 2, 0},
        {"12.50", 4, 2, 12},      {"999999999", 9, 0, 999999999}, {"1234567890", 10, 0, 1234567890},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Check(c.literal, 'N', 15, 5), 0) << c.literal;
        EXPECT_EQ(Code(), "NL") << c.literal;
        EXPECT_EQ(b.lResultLength, c.length) << c.literal;
        EXPECT_EQ(b.sResultDecimals, c.decimals) << c.literal;
        EXPECT_EQ(b.lIntegerValue, c.integerValue) << c.literal;
    }
    /* the zero fits a field of one digit, and of one decimal only */
    EXPECT_EQ(Check("0", 'N', 1, 0), 0);
    EXPECT_EQ(Check("0.5", 'N', 1, 1), 0) << "no whole digit to hold";
    EXPECT_EQ(Check("10", 'N', 1, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "10                  +0000001+0000002"}}));
}

}  // namespace
