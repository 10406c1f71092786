// The direct code of compiled expressions, against lines derived by hand:
// the short-circuit OR block, the guarded division, the rounding constants,
// the clear of a field set to SQL null under strict assignment, the
// special-value stores, and the C# form of lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "expr_compile_support.h"
#include "expr_routine_support.h"
#include "generator/expressions/expr_direct_code.h"

namespace {

using namespace expr_compile_test;
using Lines = std::vector<std::string>;

class DirectCode : public CompiledRoutines {
protected:
    CaptureWriter gen;

    void SetUp() override
    {
        CompiledRoutines::SetUp();
        gen.indent = 0;
        gen.dictionary.fields["A"] = FieldFacts("V_FIELD_A", 'P', 7);
        gen.dictionary.fields["B"] = FieldFacts("V_FIELD_B", 'P', 7);
        gen.dictionary.fields["T"] = FieldFacts("V_FIELD_T", 'P', 9);
        gen.dictionary.fields["PRICE"] = FieldFacts("V_FIELD_PRICE", 'P', 9, 2);
        gen.dictionary.fields["RATE"] = FieldFacts("V_FIELD_RATE", 'P', 5, 3);
        gen.dictionary.fields["AMOUNT"] = FieldFacts("V_FIELD_AMOUNT", 'P', 11, 2);
        ExprFieldFacts big = FieldFacts("V_FIELD_BIG", 'P', 31, 5);
        gen.dictionary.fields["BIG"] = big;
        gen.dictionary.fields["I2"] = FieldFacts("V_FIELD_I2", 'I', 2);
    }
    // The routines' lines, with their indent.
    Lines written()
    {
        gen.Clear();
        EXPR_WriteEvaluationRoutines(gen);
        return gen.Indented();
    }
    // The lines from the first that is `from` to the end.
    static Lines from(const Lines& lines, const std::string& first)
    {
        const auto it = std::find(lines.begin(), lines.end(), first);
        return Lines(it, lines.end());
    }
    static bool startsWith(const Lines& lines, const Lines& prefix)
    {
        return lines.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), lines.begin());
    }
    // The sum of `kFields` one-digit fields, checked line by line.
    void longSum(int kFields);
};

// (#A = *ZERO) OR ((#B > 1) AND (#T <> 5)): the right side is evaluated
// only when the left is false, inside the braces of its block.
/* Numbers in lines are written in decimal whatever their size: the small
   ones on each side of a change in their count of digits, the first that
   is not small, negatives and the ends of the range. */
TEST(DirectCodeDigits, NumbersOfEverySizeAreWrittenInDecimal)
{
    const std::pair<int64_t, std::string_view> cases[] = {
        {0, "0"},
        {7, "7"},
        {9, "9"},
        {10, "10"},
        {42, "42"},
        {99, "99"},
        {100, "100"},
        {509, "509"},
        {999, "999"},
        {1000, "1000"},
        {4096, "4096"},
        {9999, "9999"},
        {10000, "10000"},
        {10001, "10001"},
        {123456789, "123456789"},
        {-1, "-1"},
        {-9999, "-9999"},
        {-10000, "-10000"},
        {std::numeric_limits<int64_t>::max(), "9223372036854775807"},
        {std::numeric_limits<int64_t>::min(), "-9223372036854775808"},
    };
    for (const auto& [value, text] : cases)
        EXPECT_EQ(std::string_view(ExprDigits(value)), text) << value;
}

TEST_F(DirectCode, OrIfBlockHasItsBraces)
{
    const DQOO_CHECKED_OPERAND operands[] = {
        Operand("FL", "A"),         Operand("SV", "*ZERO", 'P', 0), Operand("  ", "", 'L', 1),
        Operand("FL", "B"),         Operand("NL", "1", 'P', 1),     Operand("  ", "", 'L', 1),
        Operand("FL", "T", 'P', 9), Operand("NL", "5", 'P', 1),     Operand("  ", "", 'L', 1),
        Operand("  ", "", 'L', 1),  Operand("  ", "", 'L', 1)};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "EQ", 2, 3),  Op(4, "GT", 5, 6),   Op(7, "NE", 8, 9),
                                                 Op(6, "AN", 9, 10), Op(3, "OR", 10, 11), Op(11, "IF")};
    compileCondition({11, operands, 6, operations}, "D0000001");
    /* p-code: 1 push A, 2 is-null test, 3 BEGIN_ORIF, 4 push B, 5 push 1,
    ** 6 GT, 7 push T, 8 push 5, 9 NE, 10 AND, 11 END_ORIF; the Boolean
    ** routine's body is at 6, the generic variant's block within at 9 */
    const Lines generic =
        from(written(), "         X_Vec_Get_as_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, &lOperand1 );");
    EXPECT_TRUE(
        startsWith(generic,
                   {
                       "         X_Vec_Get_as_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, &lOperand1 );",
                       "         bOperand2 = ( lOperand1 == 0 );",
                       "         if ( !( bOperand2 ) )",
                       "         {",
                       "            X_Vec_Get_as_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_B, &lOperand4 );",
                       "            bOperand6 = ( lOperand4 > 1 );",
                       "            X_Vec_Get_as_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_T, &lOperand7 );",
                       "            bOperand9 = ( lOperand7 != 5 );",
                       "            bOperand10 = ( bOperand6 && bOperand9 );",
                       "            bOperand3 = bOperand10;",
                       "         }",
                       "         else bOperand3 = TRUE;",
                       "         bResult = bOperand3;",
                   }))
        << ::testing::PrintToString(generic);
}

// (#A = 1) over a field that can be SQL null tests the field's state where
// the comparison's null flag is worked out. The routine written next,
// (#B = #C) where only #C can be null, tests #C's state alone: what the
// writers keep of an operand while one variant is written (its null test,
// its length) is not what the next variant finds for its own nodes.
TEST_F(DirectCode, NullTestsStayWithTheirVariant)
{
    gen.dictionary.fields["C"] = FieldFacts("V_FIELD_C", 'P', 7);
    const DQOO_CHECKED_OPERAND nullable[] = {Operand("FL", "A", 'P', 7, 0, DQOO_OPERAND_SQLNULL),
                                             Operand("NL", "1", 'P', 1), Operand("  ", "", 'L', 1)};
    const DQOO_CHECKED_OPERAND mixed[] = {Operand("FL", "B"), Operand("FL", "C", 'P', 7, 0, DQOO_OPERAND_SQLNULL),
                                          Operand("  ", "", 'L', 1)};
    const DQOO_CHECKED_OPERATION equal[] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
    compileCondition({3, nullable, 2, equal}, "D0000001");
    compileCondition({3, mixed, 2, equal}, "D0000002");
    const Lines t = written();
    const auto second = std::find_if(t.begin(), t.end(), [](const std::string& l) {
        return l.find("Boolean_Evaluation_Routine_2") != std::string::npos;
    });
    ASSERT_NE(second, t.end()) << ::testing::PrintToString(t);
    /* the null flag of each routine's comparison in its generic variant */
    const std::string stateOfA = "bSqlnullResult = ( ( ( ((X_FLD_PACKED*)( pX_Fld[V_FIELD_A].pField ))->bFieldState ) "
                                 "& FsIsSqlNull ) != 0 );";
    const std::string stateOfC = "bSqlnullResult = ( ( ( ((X_FLD_PACKED*)( pX_Fld[V_FIELD_C].pField ))->bFieldState ) "
                                 "& FsIsSqlNull ) != 0 );";
    const auto holds = [](Lines::const_iterator begin, Lines::const_iterator end, const std::string& text) {
        return std::count_if(begin, end, [&text](const std::string& l) { return l.find(text) != std::string::npos; });
    };
    EXPECT_GT(holds(t.begin(), second, stateOfA), 0) << ::testing::PrintToString(t);
    EXPECT_GT(holds(second, t.end(), stateOfC), 0) << ::testing::PrintToString(t);
    EXPECT_EQ(0, holds(second, t.end(), "V_FIELD_A")) << ::testing::PrintToString(t);
}

// #A := #T / 4: the quotient is guarded against a zero divisor, and a zero
// divisor ends the program with message 11 naming the evaluation.
TEST_F(DirectCode, DivisionIsGuarded)
{
    const DQOO_CHECKED_OPERAND quarter[] = {Operand("FL", "T", 'P', 9), Operand("NL", "4", 'P', 1),
                                            Operand("  ", "", 'P', 7)};
    const DQOO_CHECKED_OPERATION divide[] = {Op(1, "DV", 2, 3), Op(3, "ZA")};
    compileValue({3, quarter, 2, divide}, Operand("FL", "A"), "B0000001");
    const Lines t = written();
    const Lines generic = from(t, "      if ( 4 != 0 ) lOperand3 = ( lOperand1 / 4 );");
    EXPECT_TRUE(startsWith(generic, {"      if ( 4 != 0 ) lOperand3 = ( lOperand1 / 4 );", "      else", "      {",
                                     "         X_Fatal_Error( pX_Ids, pX_Pro, pX_Fun, \"Evaluation 1\", X_TEXT(11) );",
                                     "         lOperand3 = 0;", "      }"}))
        << ::testing::PrintToString(t);
}

// #A := #F1 + #F2 + ... + #Fn over one-digit fields: a variant of more
// operands than its writers look through one by one. The sum outgrows 9
// digits, so the variants of the other platforms read each field once into
// the 64-bit work variable of its push (F1 at 1, Fk at 2k-2) and the k-th
// sum (at 2k-1) adds the one before it and the next field; the iSeries
// variant adds the fields' decimals in place. With 18 fields (35 pushes
// and sums) the writers of a variant learn of more nodes than their first
// table of nodes holds, and it grows while the variant is written.
TEST_F(DirectCode, LongSumReadsEachFieldOnceAndAddsInTurn)
{
    longSum(15);
}

TEST_F(DirectCode, LongerSumOutgrowsTheFirstTableOfNodes)
{
    longSum(18);
}

void DirectCode::longSum(const int kFields)
{
    std::vector<std::string> names;
    for (int k = 1; k <= kFields; ++k) {
        names.push_back("F" + std::to_string(k));
        gen.dictionary.fields[names.back()] = FieldFacts(("V_FIELD_" + names.back()).c_str(), 'P', 1);
    }
    std::vector<DQOO_CHECKED_OPERAND> operands;
    for (const std::string& name : names)
        operands.push_back(Operand("FL", name.c_str(), 'P', 1));
    for (int k = 1; k < kFields; ++k)
        operands.push_back(Operand("  ", "", 'P', k + 1));
    std::vector<DQOO_CHECKED_OPERATION> operations;
    operations.push_back(Op(1, "AD", 2, kFields + 1));
    for (int k = 3; k <= kFields; ++k)
        operations.push_back(Op(kFields + k - 2, "AD", k, kFields + k - 1));
    operations.push_back(Op(2 * kFields - 1, "ZA"));
    compileValue({static_cast<uint32_t>(operands.size()), operands.data(), static_cast<uint32_t>(operations.size()),
                  operations.data()},
                 Operand("FL", "A"), "B0000001");
    const Lines t = written();
    /* the lines of the variants at their indent */
    auto count = [&](const std::string& text) { return std::count(t.begin(), t.end(), "      " + text); };
    auto n = [](int value) { return std::to_string(value); };
    auto packed = [&](int k) { return "*((decimal(1,0)*)( pX_Fld[V_FIELD_F" + n(k) + "].pField ))"; };
    EXPECT_EQ(count("decOperand3 = ( " + packed(1) + " + " + packed(2) + " );"), 1) << ::testing::PrintToString(t);
    EXPECT_EQ(count("llOperand3 = ( llOperand1 + llOperand2 );"), 2);
    for (int k = 1; k <= kFields; ++k)
        EXPECT_EQ(count("X_Vec_Get_as_LongLong( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_F" + n(k) + ", &llOperand" +
                        n(k == 1 ? 1 : 2 * k - 2) + " );"),
                  2)
            << k;
    for (int k = 3; k <= kFields; ++k) {
        EXPECT_EQ(
            count("llOperand" + n(2 * k - 1) + " = ( llOperand" + n(2 * k - 3) + " + llOperand" + n(2 * k - 2) + " );"),
            2)
            << k;
        EXPECT_EQ(count("decOperand" + n(2 * k - 1) + " = ( decOperand" + n(2 * k - 3) + " + " + packed(k) + " );"), 1)
            << k;
    }
    EXPECT_EQ(count("   X_Vec_Set_from_LongLong( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, llOperand" +
                    n(2 * kFields - 1) + " );"),
              2);
}

// A value rounded half up to the field's decimals: the product of 2 and 3
// decimals keeps its 5 and is moved by half a unit of the 2nd; to a whole
// number by half of one. The moved value goes straight into the field,
// stored at its own 5 decimals (the nearest decimal there, then cut to the
// field's 2), so that 2.5025 moved to 2.5075 stays 2.50. (The value was
// once stored at the field's decimals, where the nearest decimal of 2.5075
// is 2.51.)
TEST_F(DirectCode, RoundingAddsHalfAUnitOfTheTarget)
{
    const DQOO_CHECKED_OPERAND product[] = {Operand("FL", "PRICE", 'P', 9, 2), Operand("FL", "RATE", 'P', 5, 3),
                                            Operand("  ", "", 'P', 11, 2)};
    const DQOO_CHECKED_OPERATION multiply[] = {Op(1, "MU", 2, 3), Op(3, "ZA")};
    compileValue({3, product, 2, multiply}, Operand("FL", "AMOUNT", 'P', 11, 2), "B0000001", 'Y');
    const DQOO_CHECKED_OPERAND whole[] = {Operand("FL", "PRICE", 'P', 9, 2), Operand("NL", "2", 'P', 1),
                                          Operand("  ", "", 'P', 7)};
    compileValue({3, whole, 2, multiply}, Operand("FL", "A"), "B0000002", 'Y');
    const Lines t = written();
    auto has = [&](const std::string& line) { return std::find(t.begin(), t.end(), line) != t.end(); };
    /* 9,2 times 5,3: 14 digits, 5 decimals; rounded to 2 into the field;
    ** p-code: 1 and 2 the pushes, 3 the product, 4 the rounding, 5 the pull */
    EXPECT_TRUE(has("      decimal(14,5) decOperand3;")) << ::testing::PrintToString(t);
    EXPECT_TRUE(has("      *((decimal(11,2)*)( pX_Fld[V_FIELD_AMOUNT].pField )) = ( decOperand3 + ( ( decOperand3 "
                    "< 0 ) ? -0.005D : 0.005D ) );"));
    EXPECT_TRUE(startsWith(from(t, "      dOperand5 = ( dOperand3 + ( ( dOperand3 < 0 ) ? -0.005 : 0.005 ) );"),
                           {"      dOperand5 = ( dOperand3 + ( ( dOperand3 < 0 ) ? -0.005 : 0.005 ) );",
                            "      pX_Ids->chXVecAssignOption = ((X_CHAR) 5);",
                            "      X_Vec_Set_from_Double( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_AMOUNT, dOperand5 );"}));
    EXPECT_TRUE(has("         X_COMP_OPCODE_ROUND_HALFUP_DOUBLE,                                0x0c02,"));
    /* 9,2 times a whole 2: 2 decimals, rounded to none */
    EXPECT_TRUE(startsWith(from(t, "      dOperand5 = ( dOperand3 + ( ( dOperand3 < 0 ) ? -0.5 : 0.5 ) );"),
                           {"      dOperand5 = ( dOperand3 + ( ( dOperand3 < 0 ) ? -0.5 : 0.5 ) );",
                            "      pX_Ids->chXVecAssignOption = ((X_CHAR) 2);"}));
}

// A floating-point value rounded half up has no decimals of its own to
// compare with the field's: it is always moved by half a unit of the field.
// #I2 := #RATEF * 3 into an integer is rounded in the double, by 0.5, in
// both variants of the routine;
// #AMOUNT := #AMOUNT * #RATEF / 100 into a packed field is rounded by the
// run-time evaluator. No rounding is written as "???", which no compiler
// takes.
TEST_F(DirectCode, FloatingPointValuesAreRoundedIntoEveryField)
{
    gen.dictionary.fields["RATEF"] = FieldFacts("V_FIELD_RATEF", 'F', 8);
    const DQOO_CHECKED_OPERAND triple[] = {Operand("FL", "RATEF", 'F', 8), Operand("NL", "3", 'P', 1),
                                           Operand("  ", "", 'F', 8)};
    const DQOO_CHECKED_OPERATION multiply[] = {Op(1, "MU", 2, 3), Op(3, "ZA")};
    compileValue({3, triple, 2, multiply}, Operand("FL", "I2", 'I', 2), "B0000001", 'Y');
    const DQOO_CHECKED_OPERAND discount[] = {Operand("FL", "AMOUNT", 'P', 11, 2), Operand("FL", "RATEF", 'F', 8),
                                             Operand("  ", "", 'F', 8),           Operand("NL", "100", 'P', 3),
                                             Operand("  ", "", 'F', 8)};
    const DQOO_CHECKED_OPERATION discounted[] = {Op(1, "MU", 2, 3), Op(3, "DV", 4, 5), Op(5, "ZA")};
    compileValue({5, discount, 3, discounted}, Operand("FL", "AMOUNT", 'P', 11, 2), "B0000002", 'Y');
    const Lines t = written();
    EXPECT_TRUE(std::none_of(t.begin(), t.end(), [](const std::string& l) { return l.find("???") != l.npos; }))
        << ::testing::PrintToString(t);
    /* the product moved by half a unit away from zero, then cut by the cast */
    EXPECT_EQ(std::count(t.begin(), t.end(),
                         "      ((X_FLD_INT16*)( pX_Fld[V_FIELD_I2].pField ))->iInt16 = ((X_INT16)( ( dOperand3 + ( ( "
                         "dOperand3 < 0 ) ? -0.5 : 0.5 ) ) ));"),
              2)
        << ::testing::PrintToString(t);
    EXPECT_TRUE(std::any_of(t.begin(), t.end(),
                            [](const std::string& l) { return l.find("X_COMP_OPCODE_ROUND_HALFUP_") != l.npos; }))
        << ::testing::PrintToString(t);
}

// A quotient is rounded whatever decimals the field has: it has more. #Q
// := #C / 3 into 9,4 keeps 9 decimals in the double (4 of the field, and
// enough beyond them that the double's nearest decimal cannot carry into
// them) and is moved by half a unit of the 4th.
TEST_F(DirectCode, QuotientIsAlwaysRounded)
{
    gen.dictionary.fields["C"] = FieldFacts("V_FIELD_C", 'P', 5, 2);
    gen.dictionary.fields["Q"] = FieldFacts("V_FIELD_Q", 'P', 9, 4);
    const DQOO_CHECKED_OPERAND third[] = {Operand("FL", "C", 'P', 5, 2), Operand("NL", "3", 'P', 1),
                                          Operand("  ", "", 'P', 9, 4)};
    const DQOO_CHECKED_OPERATION divide[] = {Op(1, "DV", 2, 3), Op(3, "ZA")};
    compileValue({3, third, 2, divide}, Operand("FL", "Q", 'P', 9, 4), "B0000001", 'Y');
    const Lines t = written();
    EXPECT_TRUE(startsWith(from(t, "      dOperand5 = ( dOperand3 + ( ( dOperand3 < 0 ) ? -0.00005 : 0.00005 ) );"),
                           {"      dOperand5 = ( dOperand3 + ( ( dOperand3 < 0 ) ? -0.00005 : 0.00005 ) );",
                            "      pX_Ids->chXVecAssignOption = ((X_CHAR) 9);"}))
        << ::testing::PrintToString(t);
}

// *SQLNULL into a field that cannot hold it: cleared, and under strict
// SQL-null assignment the program ends naming the field.
TEST_F(DirectCode, StrictSqlNullClearEndsTheProgram)
{
    compileSpecial("*SQLNULL", Operand("FL", "A"), "B0000001");
    gen.sqlNullMode = 'S';
    Lines t = written();
    /* 7 digits: 3 bytes of zeros and the sign byte */
    const Lines strict = from(t, "   memset( pX_Fld[V_FIELD_A].pField, X_CLEAR_PACK, 3 );");
    EXPECT_TRUE(startsWith(strict, {"   memset( pX_Fld[V_FIELD_A].pField, X_CLEAR_PACK, 3 );",
                                    "   pX_Fld[V_FIELD_A].pField[3] = X_PACK_TERMINATOR;",
                                    "   X_Fatal_Error( pX_Ids, pX_Pro, pX_Fun, pX_NULL, X_TEXT(1076), \"A\" );"}))
        << ::testing::PrintToString(t);
    gen.sqlNullMode = 'N';
    t = written();
    EXPECT_EQ(std::count_if(t.begin(), t.end(),
                            [](const std::string& l) { return l.find("X_TEXT(1076)") != std::string::npos; }),
              0);
}

// Stores of special values: the packed field beyond 30 digits is held with
// its field information, the integer field through its structure.
TEST_F(DirectCode, SpecialStoresByFieldStructure)
{
    compileSpecial("*ZERO", Operand("FL", "BIG", 'P', 31, 5), "B0000001");
    compileSpecial("*HIVAL", Operand("FL", "I2", 'I', 2), "B0000002");
    const Lines t = written();
    auto has = [&](const std::string& line) { return std::find(t.begin(), t.end(), line) != t.end(); };
    /* 31 digits: 15 bytes of zeros and the sign byte at 15 */
    EXPECT_TRUE(has("   memset( &( ((X_FLD_PACKED*)( pX_Fld[V_FIELD_BIG].pField ))->fchData[0] ), X_CLEAR_PACK, 15 );"))
        << ::testing::PrintToString(t);
    EXPECT_TRUE(has("   ((X_FLD_PACKED*)( pX_Fld[V_FIELD_BIG].pField ))->fchData[15] = X_PACK_TERMINATOR;"));
    EXPECT_TRUE(has("   ((X_FLD_INT16*)( pX_Fld[V_FIELD_I2].pField ))->iInt16 = X_INT16_HIVAL;"))
        << ::testing::PrintToString(t);
}

// High and low values of packed and signed fields are their nines with
// the sign: 5 digits in 3 bytes 99 99 9C, 4 digits 09 99 9C, 1 digit 9D;
// a signed field's last digit carries the negative zone.
TEST_F(DirectCode, HighAndLowValuesAreNinesWithTheirSign)
{
    gen.dictionary.fields["P5"] = FieldFacts("V_FIELD_P5", 'P', 5);
    gen.dictionary.fields["P4"] = FieldFacts("V_FIELD_P4", 'P', 4);
    gen.dictionary.fields["P1"] = FieldFacts("V_FIELD_P1", 'P', 1);
    gen.dictionary.fields["S3"] = FieldFacts("V_FIELD_S3", 'S', 3);
    compileSpecial("*HIVAL", Operand("FL", "P5", 'P', 5), "B0000001");
    compileSpecial("*HIVAL", Operand("FL", "P4", 'P', 4), "B0000002");
    compileSpecial("*LOVAL", Operand("FL", "P1", 'P', 1), "B0000003");
    compileSpecial("*LOVAL", Operand("FL", "S3", 'S', 3), "B0000004");
    /* each store in its block: the data pointer declared, then the bytes */
    const Lines t = written();
    EXPECT_TRUE(startsWith(from(t, "         pField = pX_Fld[V_FIELD_P5].pField;"),
                           {"         pField = pX_Fld[V_FIELD_P5].pField;", "      memset( pField, '\\x99', 2 );",
                            "      pField[2] = '\\x90' | X_PACKED_POSITIVE;", "   }"}))
        << ::testing::PrintToString(t);
    EXPECT_TRUE(
        startsWith(from(t, "         pField = pX_Fld[V_FIELD_P4].pField;"),
                   {"         pField = pX_Fld[V_FIELD_P4].pField;", "      pField[0] = '\\x09';",
                    "      memset( ( pField + 1 ), '\\x99', 1 );", "      pField[2] = '\\x90' | X_PACKED_POSITIVE;"}));
    EXPECT_TRUE(
        startsWith(from(t, "         pField = pX_Fld[V_FIELD_P1].pField;"),
                   {"         pField = pX_Fld[V_FIELD_P1].pField;", "      pField[0] = '\\x90' | X_PACKED_NEGATIVE;"}));
    EXPECT_TRUE(startsWith(from(t, "         pField = pX_Fld[V_FIELD_S3].pField;"),
                           {"         pField = pX_Fld[V_FIELD_S3].pField;", "      memset( pField, '9', 2 );",
                            "      pField[2] = '\\x09' | X_SIGNED_NEGATIVE;"}));
}

// The same nines in C#, through the run time's fill and byte store on the
// field's storage: the fill covers every digit byte, then the even count's
// leading half byte and the sign byte are set.
TEST_F(DirectCode, HighAndLowValuesInCSharp)
{
    gen.target = EXPR_TARGET_CSHARP;
    gen.dictionary.fields["P5"] = FieldFacts("V_FIELD_P5", 'P', 5);
    gen.dictionary.fields["P4"] = FieldFacts("V_FIELD_P4", 'P', 4);
    gen.dictionary.fields["S3"] = FieldFacts("V_FIELD_S3", 'S', 3);
    compileSpecial("*HIVAL", Operand("FL", "P5", 'P', 5), "B0000001");
    compileSpecial("*HIVAL", Operand("FL", "P4", 'P', 4), "B0000002");
    compileSpecial("*LOVAL", Operand("FL", "S3", 'S', 3), "B0000003");
    const Lines t = written();
    EXPECT_TRUE(
        startsWith(from(t, "      object pField = pX_Fld[V_FIELD_P5].pField;"),
                   {"      object pField = pX_Fld[V_FIELD_P5].pField;", "      X_DEFS.X_MEMSET( ref pField, 0x99, 2 );",
                    "      X_DEFS.X_SETBYTE( pField, 2, (byte)( 0x90 | X_DEFS.X_PACKED_POSITIVE ) );", "   }"}))
        << ::testing::PrintToString(t);
    EXPECT_TRUE(
        startsWith(from(t, "      object pField = pX_Fld[V_FIELD_P4].pField;"),
                   {"      object pField = pX_Fld[V_FIELD_P4].pField;", "      X_DEFS.X_MEMSET( ref pField, 0x99, 2 );",
                    "      X_DEFS.X_SETBYTE( pField, 0, 0x09 );",
                    "      X_DEFS.X_SETBYTE( pField, 2, (byte)( 0x90 | X_DEFS.X_PACKED_POSITIVE ) );"}));
    EXPECT_TRUE(
        startsWith(from(t, "      object pField = pX_Fld[V_FIELD_S3].pField;"),
                   {"      object pField = pX_Fld[V_FIELD_S3].pField;", "      X_DEFS.X_MEMSET( ref pField, '9', 2 );",
                    "      X_DEFS.X_SETBYTE( pField, 2, (byte)( 0x09 | X_DEFS.X_SIGNED_NEGATIVE ) );"}));
}

// In C# a variant whose direct code holds C text (the "not available" of a
// large-object field, written with memset and "->") is not written: its
// routine evaluates the expression through the instruction table, which
// stands live; a variant of C# text keeps its direct code and leaves the
// table dead under "#if UNUSED".
TEST_F(DirectCode, CSharpVariantWithCTextLeavesItsExpressionToTheTable)
{
    gen.target = EXPR_TARGET_CSHARP;
    gen.dictionary.fields["DOC"] = FieldFacts("V_FIELD_DOC", '3', 0);
    gen.dictionary.fields["A5"] = FieldFacts("V_FIELD_A5", 'A', 5);
    compileSpecial("*NAVAIL", Operand("FL", "DOC", '3', 0), "B0000001");
    compileSpecial("*NAVAIL", Operand("FL", "A5", 'A', 5), "B0000002");
    const Lines t = written();
    const Lines doc = from(t, "private static void Command_Evaluation_Routine_1( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN "
                              "pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 "
                              "pGlobal1, FUNCTION_STATIC_GLOBAL_2 pGlobal2 )");
    ASSERT_GE(doc.size(), 3u) << ::testing::PrintToString(t);
    const Lines body(doc.begin(), std::find(doc.begin(), doc.end(), "}"));
    auto in = [](const Lines& lines, const std::string& text) {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return l.find(text) != std::string::npos; });
    };
    EXPECT_FALSE(in(body, "memset")) << ::testing::PrintToString(body);
    EXPECT_FALSE(in(body, "->"));
    EXPECT_FALSE(in(body, "#if UNUSED"));
    EXPECT_TRUE(in(body, "   int[] asInstructionTable =  new int[]"));
    EXPECT_TRUE(in(body, "X_VAR_DLL.X_VAR_EvaluateExpression( frame );"));
    const Lines alpha = from(t, "private static void Command_Evaluation_Routine_2( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN "
                                "pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List, X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 "
                                "pGlobal1, FUNCTION_STATIC_GLOBAL_2 pGlobal2 )");
    ASSERT_GE(alpha.size(), 3u);
    EXPECT_EQ(alpha[2].rfind("   DqooDef.X_MEMCPY( ", 0), 0u) << ::testing::PrintToString(alpha);
    EXPECT_EQ(alpha[3], "   #if UNUSED");
    EXPECT_TRUE(gen.messages.empty());
}

// "Not available" in an alphanumeric field: as much of N/AVAIL as fits,
// after blanks when the field is longer; two characters are blanked.
TEST_F(DirectCode, NotAvailableFitsTheAlphanumericField)
{
    gen.dictionary.fields["A5"] = FieldFacts("V_FIELD_A5", 'A', 5);
    gen.dictionary.fields["A10"] = FieldFacts("V_FIELD_A10", 'A', 10);
    gen.dictionary.fields["A2"] = FieldFacts("V_FIELD_A2", 'A', 2);
    compileSpecial("*NAVAIL", Operand("FL", "A5", 'A', 5), "B0000001");
    compileSpecial("*NAVAIL", Operand("FL", "A10", 'A', 10), "B0000002");
    compileSpecial("*NAVAIL", Operand("FL", "A2", 'A', 2), "B0000003");
    const Lines t = written();
    auto has = [&](const std::string& line) { return std::find(t.begin(), t.end(), line) != t.end(); };
    const std::string a5 = "((X_PDICTIONARY_FIELD)( pX_Fld[V_FIELD_A5].pField ))";
    const std::string a10 = "((X_PDICTIONARY_FIELD)( pX_Fld[V_FIELD_A10].pField ))";
    const std::string a2 = "((X_PDICTIONARY_FIELD)( pX_Fld[V_FIELD_A2].pField ))";
    EXPECT_TRUE(has("   memcpy( " + a5 + ", \"N/AVAIL\", 5 );")) << ::testing::PrintToString(t);
    EXPECT_TRUE(
        startsWith(from(t, "   memset( " + a10 + ", X_CLEAR_ALPHA, 10 );"),
                   {"   memset( " + a10 + ", X_CLEAR_ALPHA, 10 );", "   memcpy( " + a10 + ", \"N/AVAIL\", 7 );"}));
    EXPECT_TRUE(startsWith(from(t, "   " + a2 + "[0] = X_CLEAR_ALPHA;"),
                           {"   " + a2 + "[0] = X_CLEAR_ALPHA;", "   " + a2 + "[1] = X_CLEAR_ALPHA;"}));
}

// A literal longer than its alphanumeric target is cut to the target; a
// shorter one is copied after the target is blanked.
TEST_F(DirectCode, LiteralsAreCutToTheirTarget)
{
    gen.dictionary.fields["N"] = FieldFacts("V_FIELD_N", 'A', 10);
    const DQOO_CHECKED_OPERAND longer[] = {Operand("AL", "'ABCDEFGHIJKLMNOP'", 'A', 16)};
    const DQOO_CHECKED_OPERAND shorter[] = {Operand("AL", "'ABC'", 'A', 3)};
    const DQOO_CHECKED_OPERATION move[] = {Op(1, "MB")};
    compileValue({1, longer, 1, move}, Operand("FL", "N", 'A', 10), "B0000001");
    compileValue({1, shorter, 1, move}, Operand("FL", "N", 'A', 10), "B0000002");
    const Lines t = written();
    const Lines cut = from(t, "   X_CPYBYTES( pX_Fld[V_FIELD_N].pField, \"ABCDEFGHIJKLMNOP\", BYTE_LEN_V_FIELD_N );");
    EXPECT_FALSE(cut.empty()) << ::testing::PrintToString(t);
    EXPECT_TRUE(startsWith(from(t, "   memset( pX_Fld[V_FIELD_N].pField, X_CLEAR_ALPHA, BYTE_LEN_V_FIELD_N );"),
                           {"   memset( pX_Fld[V_FIELD_N].pField, X_CLEAR_ALPHA, BYTE_LEN_V_FIELD_N );",
                            "   X_CPYBYTES( pX_Fld[V_FIELD_N].pField, \"ABC\", 3 );"}));
}

// A compare of a number with a literal that slipped past the checker is
// refused with its reason.
TEST_F(DirectCode, IncompatibleCompareIsRefused)
{
    const DQOO_CHECKED_OPERAND operands[] = {Operand("FL", "A"), Operand("AL", "'X'", 'A', 1),
                                             Operand("  ", "", 'L', 1)};
    const DQOO_CHECKED_OPERATION operations[] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
    const DQOO_CHECKED_EXPRESSION e{3, operands, 2, operations};
    DQOO_COMPILE_REQUEST r{};
    r.lForm = DQOO_COMPILE_CONDITION;
    r.ulExpressionCount = 1;
    r.pExpressions = &e;
    char reference[10] = {}, reason[200] = {};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_CompileCheckedExpression(handle, &r, reference, reason, sizeof reason));
    EXPECT_STREQ(reason, "a comparison of operands of different kinds");
    EXPECT_TRUE(written().empty()) << "nothing is written for a refused expression";
}

TEST(CsLine, CTextsInTheirCSharpForm)
{
    EXPECT_EQ(EXPR_CsLine("X_LONG lOperand3;"), "int lOperand3 = 0;");
    EXPECT_EQ(EXPR_CsLine("X_LONGLONG llOperand2;"), "long llOperand2 = 0;");
    EXPECT_EQ(EXPR_CsLine("X_DOUBLE dOperand1;"), "double dOperand1 = 0;");
    EXPECT_EQ(EXPR_CsLine("X_BOOL bOperand7;"), "bool bOperand7 = false;");
    EXPECT_EQ(EXPR_CsLine("if ( bOperand3 ) return TRUE;"), "if ( bOperand3 ) return true;");
    EXPECT_EQ(EXPR_CsLine("x = FALSE; y = TRUEVALUE; z = \"TRUE\";"), "x = false; y = TRUEVALUE; z = \"TRUE\";");
    EXPECT_EQ(EXPR_CsLine("X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, lOperand5 );"),
              "X_RUN_DLL.X_Vec_Set_from_Long( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_A, lOperand5 );");
    EXPECT_EQ(EXPR_CsLine("X_RUN_DLL.X_Vec_Get_as_Long( a, ref b );"), "X_RUN_DLL.X_Vec_Get_as_Long( a, ref b );");
    EXPECT_EQ(EXPR_CsLine("pX_Ids->chXVecAssignOption = ((X_CHAR) 2);"), "pX_Ids.chXVecAssignOption = ((char) 2);");
    EXPECT_EQ(EXPR_CsLine("v = ((X_INT32)( w ));"), "v = ((int)( w ));");
    /* a declaration with a value is not a work variable's */
    EXPECT_EQ(EXPR_CsLine("X_LONG lValue = 3;"), "X_LONG lValue = 3;");
}

// "Not available" into alphanumeric fields of every length where the form
// changes: 1 and 2 characters are blanked, 3 to 7 take as many characters
// of N/AVAIL, from 8 on the field is blanked and takes all seven.
TEST_F(DirectCode, NotAvailableByTheLengthOfTheField)
{
    struct Case {
        int32_t length;
        Lines lines; /* the lines of the store, "T" for the field */
    };
    const std::vector<Case> cases = {
        {1, {"   T[0] = X_CLEAR_ALPHA;"}},
        {2, {"   T[0] = X_CLEAR_ALPHA;", "   T[1] = X_CLEAR_ALPHA;"}},
        {3, {"   memcpy( T, \"N/AVAIL\", 3 );"}},
        {4, {"   memcpy( T, \"N/AVAIL\", 4 );"}},
        {7, {"   memcpy( T, \"N/AVAIL\", 7 );"}},
        {8, {"   memset( T, X_CLEAR_ALPHA, 8 );", "   memcpy( T, \"N/AVAIL\", 7 );"}},
    };
    int routine = 0;
    for (const Case& c : cases) {
        const std::string name = "A" + std::to_string(c.length);
        gen.dictionary.fields[name] = FieldFacts(("V_FIELD_" + name).c_str(), 'A', c.length);
        char reference[16];
        std::snprintf(reference, sizeof reference, "B%07d", ++routine);
        compileSpecial("*NAVAIL", Operand("FL", gen.dictionary.fields.find(name)->first.c_str(), 'A', c.length),
                       reference);
    }
    const Lines t = written();
    for (const Case& c : cases) {
        const std::string field = "((X_PDICTIONARY_FIELD)( pX_Fld[V_FIELD_A" + std::to_string(c.length) + "].pField ))";
        Lines expected;
        for (std::string line : c.lines) {
            line.replace(line.find('T'), 1, field);
            expected.push_back(line);
        }
        const Lines at = from(t, expected[0]);
        EXPECT_TRUE(startsWith(at, expected)) << c.length << ": " << ::testing::PrintToString(t);
        /* nothing more of the field follows in its routine */
        if (at.size() > expected.size())
            EXPECT_EQ(at[expected.size()].find(field), std::string::npos) << c.length;
    }
}

// The same in C#: two characters are blanked and take nothing, three and
// four take that many characters of N/AVAIL over no blanking, eight are
// blanked and take seven.
TEST_F(DirectCode, NotAvailableByTheLengthOfTheFieldInCSharp)
{
    gen.target = EXPR_TARGET_CSHARP;
    for (int32_t n : {2, 3, 4, 8}) {
        const std::string name = "A" + std::to_string(n);
        gen.dictionary.fields[name] = FieldFacts(("V_FIELD_" + name).c_str(), 'A', n);
    }
    compileSpecial("*NAVAIL", Operand("FL", "A2", 'A', 2), "B0000001");
    compileSpecial("*NAVAIL", Operand("FL", "A3", 'A', 3), "B0000002");
    compileSpecial("*NAVAIL", Operand("FL", "A4", 'A', 4), "B0000003");
    compileSpecial("*NAVAIL", Operand("FL", "A8", 'A', 8), "B0000004");
    const Lines t = written();
    auto routine = [&](int number) {
        const Lines rest = from(t, "private static void Command_Evaluation_Routine_" + std::to_string(number) +
                                       "( X_IDS pX_Ids, X_PRO pX_Pro, X_FUN pX_Fun, X_FLD[] pX_Fld, X_LIST[] pX_List, "
                                       "X_FKEY X_FKey, FUNCTION_STATIC_GLOBAL_1 pGlobal1, FUNCTION_STATIC_GLOBAL_2 "
                                       "pGlobal2 )");
        Lines body;
        for (size_t i = 1; i < rest.size() && rest[i] != "}"; ++i)
            if (rest[i].find("MEMSET") != std::string::npos || rest[i].find("MEMCPY") != std::string::npos)
                body.push_back(rest[i].substr(rest[i].find_first_not_of(' ')));
        return body;
    };
    auto count = [](const Lines& body, const std::string& text) {
        return std::count_if(body.begin(), body.end(),
                             [&](const std::string& l) { return l.find(text) != std::string::npos; });
    };
    const Lines two = routine(1), three = routine(2), four = routine(3), eight = routine(4);
    EXPECT_EQ(count(two, "X_CLEAR_ALPHA, 2 );"), 1) << ::testing::PrintToString(t);
    EXPECT_EQ(count(two, "N/AVAIL"), 0);
    EXPECT_EQ(count(three, "\"N/AVAIL\", 3 );"), 1) << ::testing::PrintToString(three);
    EXPECT_EQ(count(three, "X_CLEAR_ALPHA"), 0);
    EXPECT_EQ(count(four, "\"N/AVAIL\", 4 );"), 1) << ::testing::PrintToString(four);
    EXPECT_EQ(count(four, "X_CLEAR_ALPHA"), 0);
    EXPECT_EQ(count(eight, "X_CLEAR_ALPHA, 8 );"), 1) << ::testing::PrintToString(eight);
    EXPECT_EQ(count(eight, "\"N/AVAIL\", 7 );"), 1);
}

// "Not available" into a short character field: below 3 characters it is
// emptied; from 3 to 6 it takes that many characters of N/AVAIL, its length
// and the end of the string after them; from 7 on all of N/AVAIL.
TEST_F(DirectCode, NotAvailableIntoShortCharacterFields)
{
    for (int32_t n : {2, 3, 4, 6, 7})
        gen.dictionary.fields["U" + std::to_string(n)] = FieldFacts(("V_FIELD_U" + std::to_string(n)).c_str(), 'U', n);
    compileSpecial("*NAVAIL", Operand("FL", "U2", 'U', 2), "B0000001");
    compileSpecial("*NAVAIL", Operand("FL", "U3", 'U', 3), "B0000002");
    compileSpecial("*NAVAIL", Operand("FL", "U4", 'U', 4), "B0000003");
    compileSpecial("*NAVAIL", Operand("FL", "U6", 'U', 6), "B0000004");
    compileSpecial("*NAVAIL", Operand("FL", "U7", 'U', 7), "B0000005");
    const Lines t = written();
    auto field = [](int n) { return "((X_FLD_SHORT_CHAR*)( pX_Fld[V_FIELD_U" + std::to_string(n) + "].pField ))"; };
    auto block = [&](int n, const Lines& lines) {
        Lines expected;
        for (const std::string& l : lines)
            expected.push_back("   " + field(n) + l);
        EXPECT_TRUE(startsWith(from(t, expected[0]), expected)) << n << ": " << ::testing::PrintToString(t);
    };
    block(2, {"->sLength = 0;", "->vchData[0] = END_OF_STRING;"});
    EXPECT_TRUE(startsWith(from(t, "   " + field(3) + "->sLength = 3;"),
                           {"   " + field(3) + "->sLength = 3;", "   memcpy( " + field(3) + "->vchData, \"N/AVAIL\", 3 );",
                            "   " + field(3) + "->vchData[3] = END_OF_STRING;"}))
        << ::testing::PrintToString(t);
    EXPECT_TRUE(startsWith(from(t, "   " + field(4) + "->sLength = 4;"),
                           {"   " + field(4) + "->sLength = 4;", "   memcpy( " + field(4) + "->vchData, \"N/AVAIL\", 4 );",
                            "   " + field(4) + "->vchData[4] = END_OF_STRING;"}));
    EXPECT_TRUE(startsWith(from(t, "   " + field(6) + "->sLength = 6;"),
                           {"   " + field(6) + "->sLength = 6;", "   memcpy( " + field(6) + "->vchData, \"N/AVAIL\", 6 );",
                            "   " + field(6) + "->vchData[6] = END_OF_STRING;"}));
    block(7, {"->sLength = 7;"});
    EXPECT_TRUE(startsWith(from(t, "   " + field(7) + "->sLength = 7;"),
                           {"   " + field(7) + "->sLength = 7;", "   strcpy( " + field(7) + "->vchData, \"N/AVAIL\" );"}));
}

// *SQLNULL into signed fields that cannot hold it clears them: one and two
// digits byte by byte, three and more with one fill over every digit;
// packed fields of 1 and 3 digits (one and two bytes) likewise.
TEST_F(DirectCode, ClearingSignedAndPackedFieldsOfFewDigits)
{
    for (int32_t n : {1, 2, 3, 4}) {
        gen.dictionary.fields["S" + std::to_string(n)] = FieldFacts(("V_FIELD_S" + std::to_string(n)).c_str(), 'S', n);
        gen.dictionary.fields["Q" + std::to_string(n)] = FieldFacts(("V_FIELD_Q" + std::to_string(n)).c_str(), 'P', n);
    }
    int routine = 0;
    char reference[16];
    for (const char* name : {"S1", "S2", "S3", "S4", "Q1", "Q3"}) {
        std::snprintf(reference, sizeof reference, "B%07d", ++routine);
        const ExprFieldFacts& f = gen.dictionary.fields[name];
        compileSpecial("*SQLNULL", Operand("FL", gen.dictionary.fields.find(name)->first.c_str(), f.typeLetter, f.length),
                       reference);
    }
    const Lines t = written();
    auto data = [](const char* name) { return std::string("pX_Fld[V_FIELD_") + name + "].pField"; };
    auto holds = [&](const Lines& block) {
        EXPECT_TRUE(startsWith(from(t, block[0]), block)) << block[0] << ": " << ::testing::PrintToString(t);
    };
    holds({"   " + data("S1") + "[0] = X_CLEAR_SIGN;"});
    EXPECT_EQ(std::find(t.begin(), t.end(), "   " + data("S1") + "[1] = X_CLEAR_SIGN;"), t.end());
    holds({"   " + data("S2") + "[0] = X_CLEAR_SIGN;", "   " + data("S2") + "[1] = X_CLEAR_SIGN;"});
    holds({"   memset( " + data("S3") + ", X_CLEAR_SIGN, 3 );"});
    holds({"   memset( " + data("S4") + ", X_CLEAR_SIGN, 4 );"});
    EXPECT_EQ(std::find(t.begin(), t.end(), "   " + data("S3") + "[0] = X_CLEAR_SIGN;"), t.end());
    holds({"   " + data("Q1") + "[0] = X_PACK_TERMINATOR;"});
    holds({"   " + data("Q3") + "[0] = X_CLEAR_PACK;", "   " + data("Q3") + "[1] = X_PACK_TERMINATOR;"});
}

// The work variable of a whole number: 32 bits up to nine digits, 64 bits
// from ten (ten nines do not fit 32 bits); a number with decimals a double.
TEST(NumericWorkPrefix, TenDigitsTakeSixtyFourBits)
{
    for (int32_t n = 1; n <= 18; ++n) {
        EXPR_OPERAND_DESCRIPTOR d;
        d.length = n;
        d.decimals = 0;
        EXPECT_STREQ(EXPR_NumericWorkPrefix(0, d), n <= 9 ? "lOperand" : "llOperand") << n;
        d.decimals = 2;
        EXPECT_STREQ(EXPR_NumericWorkPrefix(0, d), "dOperand") << n;
    }
}

// A fixed-length field compared with a short character field by the run
// time's string compare: each comparator asks for its mask of outcomes.
TEST_F(DirectCode, StringComparisonsAskForTheirMasks)
{
    gen.dictionary.fields["A10"] = FieldFacts("V_FIELD_A10", 'A', 10);
    gen.dictionary.fields["U12"] = FieldFacts("V_FIELD_U12", 'U', 12);
    const std::pair<const char*, const char*> comparators[] = {
        {"EQ", "X_VAR_COMPARE_MASK_EQUAL"},
        {"LT", "X_VAR_COMPARE_MASK_LESS"},
        {"LE", "(X_VAR_COMPARE_MASK_LESS | X_VAR_COMPARE_MASK_EQUAL)"},
        {"GT", "X_VAR_COMPARE_MASK_GREATER"},
        {"GE", "(X_VAR_COMPARE_MASK_GREATER | X_VAR_COMPARE_MASK_EQUAL)"},
        {"NE", "(X_VAR_COMPARE_MASK_LESS | X_VAR_COMPARE_MASK_GREATER)"},
    };
    int routine = 0;
    for (const auto& [code, mask] : comparators) {
        const DQOO_CHECKED_OPERAND operands[] = {Operand("FL", "A10", 'A', 10), Operand("FL", "U12", 'U', 12),
                                                 Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERATION operations[] = {Op(1, code, 2, 3), Op(3, "IF")};
        char reference[16];
        std::snprintf(reference, sizeof reference, "D%07d", ++routine);
        compileCondition({3, operands, 2, operations}, reference);
    }
    Lines compares;
    for (const std::string& l : written())
        if (l.find("X_VAR_VarChar_StringCompare(") != std::string::npos)
            compares.push_back(l);
    ASSERT_EQ(compares.size(), std::size(comparators)) << ::testing::PrintToString(compares);
    for (size_t i = 0; i < compares.size(); ++i) {
        const std::string end = std::string(", ") + comparators[i].second + " );";
        EXPECT_EQ(compares[i].substr(compares[i].size() - std::min(compares[i].size(), end.size())), end)
            << comparators[i].first << ": " << compares[i];
    }
}

// Two integer fields compared directly: each comparator is written as the
// C operator of its own meaning, "<=" and ">=" with their equal sign.
TEST_F(DirectCode, IntegerComparisonsUseTheirOwnOperators)
{
    gen.dictionary.fields["I4"] = FieldFacts("V_FIELD_I4", 'I', 4);
    const std::pair<const char*, const char*> comparators[] = {
        {"EQ", " == "}, {"LT", " < "}, {"LE", " <= "}, {"GT", " > "}, {"GE", " >= "}, {"NE", " != "},
    };
    int routine = 0;
    for (const auto& [code, op] : comparators) {
        const DQOO_CHECKED_OPERAND operands[] = {Operand("FL", "I2", 'I', 2), Operand("FL", "I4", 'I', 4),
                                                 Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERATION operations[] = {Op(1, code, 2, 3), Op(3, "IF")};
        char reference[16];
        std::snprintf(reference, sizeof reference, "D%07d", ++routine);
        compileCondition({3, operands, 2, operations}, reference);
    }
    std::string text;
    for (const std::string& l : written())
        text += l + "\n";
    size_t at = 0;
    for (const auto& [code, op] : comparators) {
        at = text.find(op, at);
        EXPECT_NE(at, std::string::npos) << code << "\n" << text;
        if (at == std::string::npos)
            return;
        ++at;
    }
}

}  // namespace

namespace {

using expr_compile_test::Op;
using expr_compile_test::Operand;

// Alphanumeric fields of unequal lengths are compared over the shorter
// length, then the longer value's tail against blanks; the comparison reads
// the result of the two compares. Both orders of the operands.
class UnequalAlphaCompare : public DirectCode {
protected:
    Lines compare(const char* left, int32_t leftLength, const char* right, int32_t rightLength)
    {
        gen.dictionary.fields["A5"] = FieldFacts("V_FIELD_A5", 'A', 5);
        gen.dictionary.fields["A10"] = FieldFacts("V_FIELD_A10", 'A', 10);
        const DQOO_CHECKED_OPERAND operands[] = {Operand("FL", left, 'A', leftLength),
                                                 Operand("FL", right, 'A', rightLength), Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERATION operations[] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
        compileCondition({3, operands, 2, operations}, "D0000001");
        return written();
    }
    static bool has(const Lines& lines, const std::string& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

TEST_F(UnequalAlphaCompare, LongerOnTheLeft)
{
    /* p-code: 1 push A10, 2 push A5, 3 EQ, the expression's result; the
    ** only (generic) variant in the routine's #else at indent 6 */
    const Lines t = compare("A10", 10, "A5", 5);
    EXPECT_TRUE(has(t, "      X_INT iCompare3;")) << ::testing::PrintToString(t);
    EXPECT_TRUE(has(t, "      if ( ( iCompare3 = memcmp( pX_Fld[V_FIELD_A10].pField, pX_Fld[V_FIELD_A5].pField, 5 "
                       ") ) == 0 ) iCompare3 = memcmp( ( pX_Fld[V_FIELD_A10].pField + 5 ), X_ALPHA_BLANK_STRING, 5 );"))
        << ::testing::PrintToString(t);
    EXPECT_TRUE(has(t, "      bResult = ( iCompare3 == 0 );")) << ::testing::PrintToString(t);
}

TEST_F(UnequalAlphaCompare, LongerOnTheRight)
{
    const Lines t = compare("A5", 5, "A10", 10);
    EXPECT_TRUE(has(t, "      X_INT iCompare3;")) << ::testing::PrintToString(t);
    /* the blanks stand first: the compare keeps the order of the operands */
    EXPECT_TRUE(has(t, "      if ( ( iCompare3 = memcmp( pX_Fld[V_FIELD_A5].pField, pX_Fld[V_FIELD_A10].pField, 5 "
                       ") ) == 0 ) iCompare3 = memcmp( X_ALPHA_BLANK_STRING, ( pX_Fld[V_FIELD_A10].pField + 5 ), 5 );"))
        << ::testing::PrintToString(t);
    EXPECT_TRUE(has(t, "      bResult = ( iCompare3 == 0 );")) << ::testing::PrintToString(t);
}

}  // namespace
