// The operand check: every kind of operand, accepted and refused, with the
// exact finding.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/definitions.h"
#include "params_env.h"

namespace {

using Msgs = std::vector<std::pair<std::string, std::string>>;

class Operand : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(env.ready()); }
    // Checks the operand against class, length and decimals.
    int16_t Check(const std::string& operand, char cls, int32_t length = 0, int32_t decimals = 0,
                  const char* options = "YYYYYYYY", bool component = false)
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
        return component ? Component_P8007(&env.ctx, &b, kQueue, 1, 1, 1, 1)
                         : DC_P8007(&env.ctx, &b, kQueue, 1, 1, 1, 0);
    }
    std::string Resolved() const
    {
        std::string s(b.acResolved, sizeof b.acResolved);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    std::string Code() const { return std::string(b.acCode, 2); }
    // Defines (or defines again) a field of the function.
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

TEST_F(Operand, FieldsOfTheRepositoryAndOfTheFunction)
{
    ASSERT_EQ(Check("#CUSTNAM", 'A', 30), 0);
    EXPECT_EQ(b.cValid, 'Y');
    EXPECT_EQ(Code(), "FL");
    EXPECT_EQ(b.cTypeCode, 'A');
    EXPECT_EQ(Resolved(), "CUSTNAM");
    EXPECT_EQ(b.lResultLength, 30);
    EXPECT_EQ(b.sOperandKind, DC_OPERAND_FIELD);
    EXPECT_EQ(b.sLocal, 0);
    ASSERT_EQ(Check("credit", 'N', 11, 2), 0) << "without the name character, any case";
    EXPECT_EQ(b.cTypeCode, 'P');
    EXPECT_EQ(b.sResultDecimals, 2);

    ASSERT_EQ(Define("WRKLCL", 'S', 5, 0), 0);
    ASSERT_EQ(Check("#WRKLCL", 'N', 5), 0);
    EXPECT_EQ(b.sLocal, 1);
    EXPECT_EQ(b.cTypeCode, 'S');
    EXPECT_EQ(env.Take(), Msgs{});
}

TEST_F(Operand, AFieldDefinedOrRedefinedIsSeenAtItsNextUse)
{
    // asked before the function defines it: not known
    EXPECT_EQ(Check("#WRKNEW", 'A'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0401", "#WRKNEW             "}}));
    EXPECT_EQ(Check("#WRKNEW", 'A'), 1) << "still not known when asked again";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0401", "#WRKNEW             "}}));

    ASSERT_EQ(Define("WRKNEW", 'A', 12, 0), 0);
    ASSERT_EQ(Check("#WRKNEW", 'A', 12), 0) << "known once defined";
    EXPECT_EQ(b.cTypeCode, 'A');
    EXPECT_EQ(b.lResultLength, 12);
    ASSERT_EQ(Check("wrknew", 'A', 12), 0);

    // defined again with other attributes: the next use sees them
    ASSERT_EQ(Define("WRKNEW", 'P', 9, 2), 0);
    ASSERT_EQ(Check("#WRKNEW", 'N', 9, 2), 0);
    EXPECT_EQ(b.cTypeCode, 'P');
    EXPECT_EQ(b.lResultLength, 9);
    EXPECT_EQ(b.sResultDecimals, 2);
    EXPECT_EQ(Check("#WRKNEW", 'A'), 1) << "no longer alphanumeric";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0402", "#WRKNEW             AN"}}));
}

TEST_F(Operand, FieldFindings)
{
    EXPECT_EQ(Check("#NOSUCH", 'A'), 1);
    EXPECT_EQ(b.cValid, 'N');
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0401", "#NOSUCH             "}}));
    EXPECT_EQ(Check("#CUSTNAM", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0402", "#CUSTNAM            NA"}}));
    EXPECT_EQ(Check("#CUSTNAM", 'A', 20), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "#CUSTNAM            +0000020+0000030"}}));
    EXPECT_EQ(Check("#CREDIT", 'N', 7, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0404", "#CREDIT             +0000000+0000002"}}));
    EXPECT_EQ(Check("NOFIELD", 'A', 0, 0, "YYYYYYYN"), 1) << "a bare name is a literal only where option 8 allows";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0401", "NOFIELD             "}}));
}

TEST_F(Operand, Literals)
{
    ASSERT_EQ(Check("'It''s'", 'A', 10), 0);
    EXPECT_EQ(Code(), "AL");
    EXPECT_EQ(b.lResultLength, 4);
    EXPECT_EQ(Resolved(), "'It''s'");
    ASSERT_EQ(Check("-12.50", 'N', 7, 2), 0);
    EXPECT_EQ(Code(), "NL");
    EXPECT_EQ(b.lResultLength, 4);
    EXPECT_EQ(b.sResultDecimals, 2);
    EXPECT_EQ(b.lIntegerValue, -12);
    EXPECT_EQ(b.lFractionValue, 50);
    ASSERT_EQ(Check("X'0a1B'", 'A', 2), 0);
    EXPECT_EQ(Code(), "HL");
    EXPECT_EQ(b.lResultLength, 2);
    EXPECT_EQ(Resolved(), "X'0A1B'");
    ASSERT_EQ(Check("ABC", 'A', 3), 0) << "a value that names no field";
    EXPECT_EQ(Code(), "AL");
    EXPECT_EQ(env.Take(), Msgs{});

    EXPECT_EQ(Check("'ABCDEFGHIJKL'", 'A', 10), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "'ABCDEFGHIJKL'      +0000010+0000012"}}));
    EXPECT_EQ(Check("12.345", 'N', 7, 2), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0404", "12.345              +0000002+0000003"}}));
    EXPECT_EQ(Check("123456", 'N', 7, 2), 1) << "six whole digits where five fit";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "123456              +0000007+0000008"}}));
    EXPECT_EQ(Check("'ABC'", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0402", "'ABC'               NA"}}));
    // quotes written twice at the ends of the text count once
    ASSERT_EQ(Check("'''A'''", 'A', 10), 0);
    EXPECT_EQ(Code(), "AL");
    EXPECT_EQ(b.lResultLength, 3);
    ASSERT_EQ(Check("''''", 'A', 10), 0);
    EXPECT_EQ(b.lResultLength, 1);
    for (const char* bad : {"12.3.4", "'abc", "'a'b'", "'a''", "'''", "X'0G'", "X'ABC'", "1A"}) {
        EXPECT_EQ(Check(bad, ' '), 1) << bad;
        EXPECT_EQ(env.Take(), (Msgs{{"DCM0405", std::string(bad) + std::string(20 - std::strlen(bad), ' ')}})) << bad;
    }
    EXPECT_EQ(Check("'X'", 'A', 0, 0, "NYYYYYYY"), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0410", "'X'                 AL"}}));
}

TEST_F(Operand, SystemAndMultilingualVariables)
{
    ASSERT_EQ(Check("*user", 'A', 10), 0);
    EXPECT_EQ(Code(), "SV");
    EXPECT_EQ(Resolved(), "*USER");
    ASSERT_EQ(Check("*BLANKS", 'N', 5), 0) << "a special value fits every class";
    EXPECT_EQ(Check("*NOSUCHVAR", 'A'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0406", "*NOSUCHVAR          "}}));
    EXPECT_EQ(Check("*DATE", 'A'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0402", "*DATE               AN"}}));
    ASSERT_EQ(Check("*MTXTWELCOME", 'A'), 0);
    EXPECT_EQ(Code(), "ML");
    EXPECT_EQ(b.sOperandKind, DC_OPERAND_MULTILINGUAL);
    EXPECT_EQ(Check("*MTXTNOPE", 'A'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0407", "*MTXTNOPE           "}}));
    EXPECT_EQ(Check("", 'A'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0409", ""}}));
}

int32_t LookUpProperty(void*, const char* comp, const char* prop, char* type, int32_t* len, int32_t* dec)
{
    if (std::string(comp) != "CUSTFORM" || std::string(prop) != "CAPTION")
        return 0;
    *type = 'A';
    *len = 40;
    *dec = 0;
    return 1;
}

TEST_F(Operand, ComponentProperties)
{
    EXPECT_EQ(Check("#CUSTFORM.Caption", 'A', 40, 0, "YYYYYYYY", true), 1) << "no lookup registered";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0408", "#CUSTFORM.CAPTION   "}}));
    DC_SetComponentPropertyLookup(LookUpProperty, nullptr);
    ASSERT_EQ(Check("#CUSTFORM.Caption", 'A', 40, 0, "YYYYYYYY", true), 0);
    EXPECT_EQ(Code(), "CP");
    EXPECT_EQ(Resolved(), "CUSTFORM.CAPTION");
    EXPECT_EQ(Check("#CUSTFORM.Caption", 'A', 40, 0, "YYYYYYYY", false), 1) << "the classic flavour has none";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0408", "#CUSTFORM.CAPTION   "}}));
    EXPECT_EQ(Check("#CUSTFORM.Width", 'N', 5, 0, "YYYYYYYY", true), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0408", "#CUSTFORM.WIDTH     "}}));
    DC_SetComponentPropertyLookup(nullptr, nullptr);
}

TEST_F(Operand, OverlongOperandStaysInItsFields)
{
    std::string longText = "'" + std::string(300, 'Q') + "'";
    EXPECT_EQ(Check(longText, 'A', 10), 1) << "cut to 256 characters: the literal is not closed";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0405", "'" + std::string(19, 'Q')}}));
    std::string literal = "'" + std::string(254, 'Q') + "'";
    ASSERT_EQ(Check(literal, 'A', 256), 0);
    EXPECT_EQ(b.lResultLength, 254);
    EXPECT_EQ(Resolved(), literal);
}


// A field name fills its ten characters: written with the name character
// (eleven characters in all) or without it, in any case, it names the
// field; its attributes are the field's.
TEST_F(Operand, AFieldNameOfTenCharacters)
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
TEST_F(Operand, ElevenCharactersNameNoField)
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
TEST_F(Operand, NumericLiteralLengths)
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
    /* the first nine decimals give the fraction's value */
    ASSERT_EQ(Check("0.123456789", 'N', 15, 9), 0);
    EXPECT_EQ(b.lFractionValue, 123456789);
    ASSERT_EQ(Check("3.12345678", 'N', 15, 9), 0);
    EXPECT_EQ(b.lFractionValue, 12345678);
    EXPECT_EQ(b.lIntegerValue, 3);
    /* the zero fits a field of one digit, and of one decimal only */
    EXPECT_EQ(Check("0", 'N', 1, 0), 0);
    EXPECT_EQ(Check("0.5", 'N', 1, 1), 0) << "no whole digit to hold";
    EXPECT_EQ(Check("10", 'N', 1, 0), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "10                  +0000001+0000002"}}));
}

}  // namespace

namespace {

// Many fields asked in turn, then again in another order: each answer is
// the named field's own, whichever answers were kept between.
TEST_F(Operand, ManyFieldsAskedAgainAnswerEachTheirOwn)
{
    constexpr int kFields = 600;
    auto name = [](int i) {
        char n[16];
        std::snprintf(n, sizeof n, "MF%04d", i);
        return std::string(n);
    };
    for (int i = 0; i < kFields; ++i)
        ASSERT_EQ(Define(name(i).c_str(), 'P', 3 + i % 27, i % 3), 0);
    for (int round = 0; round < 2; ++round)
        for (int k = 0; k < kFields; ++k) {
            const int i = round == 0 ? k : (k * 7) % kFields; /* 7 and 600 share no factor */
            ASSERT_EQ(Check("#" + name(i), 'N'), 0) << name(i);
            EXPECT_EQ(b.lResultLength, 3 + i % 27) << name(i);
            EXPECT_EQ(b.sResultDecimals, i % 3) << name(i);
            EXPECT_EQ(Resolved(), name(i));
        }
    EXPECT_EQ(env.Take(), Msgs{});
}

}  // namespace
