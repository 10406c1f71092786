// A generated evaluation routine compiled and run: the object layer
// compiles #EXTOTAL := #EXA + 2 * #EXB and a CASE of #EXA with two WHENs,
// the writers write the routines and their header sections, and gcc
// builds them with the runtime interface of samples/runtime/c and a test
// double of the vector routines that stores a double as the run time's
// comment says. The program's output shows the values the
// routines compute.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "expr_compile_support.h"
#include "expr_routine_support.h"
#include "support/commands.h"
#include "support/scratch.h"

namespace {

using namespace expr_compile_test;

// The vector routines the direct code calls, over three long cells, and the
// program that runs the routines on the values of its arguments.
const char* const kDouble = R"(
static X_LONG alCell[3];
static X_DOUBLE adCell[6];
static const int aiDecimals[6] = {0, 0, 0, 2, 3, 2};
void X_Vec_Get_as_Double(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_PDOUBLE pd)
{
    (void)pI; (void)pP; (void)pF; (void)pV;
    *pd = adCell[s];
}
/* as the run time's comment says: the decimal nearest to the double at the
** scale the routine set, cut to the field's decimals */
void X_Vec_Set_from_Double(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_DOUBLE d)
{
    char text[80];
    char *point;
    (void)pP; (void)pF; (void)pV;
    snprintf(text, sizeof text, "%.*f", (int)pI->chXVecAssignOption, d);
    point = strchr(text, '.');
    if (point != NULL)
        point[aiDecimals[s] > 0 ? aiDecimals[s] + 1 : 0] = '\0';
    adCell[s] = atof(text);
}
void X_Vec_Get_as_Long(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_LONG *pl)
{
    (void)pI; (void)pP; (void)pF; (void)pV;
    *pl = alCell[s];
}
void X_Vec_Set_from_Long(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_LONG l)
{
    (void)pI; (void)pP; (void)pF; (void)pV;
    alCell[s] = l;
}
int main(int argc, char **argv)
{
    struct X_IDS xIds;
    struct X_IDS *pX_Ids = &xIds;
    struct X_PRO *pX_Pro = pX_NULL;
    struct X_FUN *pX_Fun = pX_NULL;
    struct X_FLD axFld[3];
    struct X_FLD *pX_Fld = axFld;
    struct X_LIST *pX_List = pX_NULL;
    struct X_FKEY *X_FKey = pX_NULL;
    struct FUNCTION_STATIC_GLOBAL_1 *pGlobal1 = pX_NULL;
    struct FUNCTION_STATIC_GLOBAL_2 *pGlobal2 = pX_NULL;
    X_VAR_EXPRESSION_OPERAND operandStack[8];
    if (argc < 5)
        return 2;
    memset(&xIds, 0, sizeof xIds);
    memset(axFld, 0, sizeof axFld);
    alCell[V_FIELD_EXA] = atol(argv[1]);
    alCell[V_FIELD_EXB] = atol(argv[2]);
    adCell[V_FIELD_EXPRICE] = atof(argv[3]);
    adCell[V_FIELD_EXRATE] = atof(argv[4]);
    EVALUATE_COMMAND_1
    EVALUATE_COMMAND_2
    EVALUATE_COMMAND_6
    printf("%ld %d %d %d %.2f\n", alCell[V_FIELD_EXTOTAL], (int)When_Evaluation_Routine_3(FUNCTION_STD_PARMS, operandStack),
           (int)When_Evaluation_Routine_4(FUNCTION_STD_PARMS, operandStack),
           (int)Boolean_Evaluation_Routine_5(FUNCTION_STD_PARMS), adCell[V_FIELD_EXAMOUNT]);
    return 0;
}
)";

// #EXA #EXB, and what the routines compute: #EXTOTAL = #EXA + 2 * #EXB,
// the WHEN '= 1' '= 2', the WHEN '> #EXB', and the condition
// (#EXA = *ZERO) OR ((#EXB > 1) AND (#EXTOTAL <> 5)).
// #EXAMOUNT = #EXPRICE * #EXRATE rounded half up to 2 decimals.
const std::pair<const char*, const char*> kRuns[] = {
    {"3 7 2.50 1.003", "17 0 0 1 2.51\n"},   /* 3 is neither 1 nor 2 nor above 7; 7 > 1 and 17 <> 5;
                                                2.5075 rounds up */
    {"2 7 2.50 1.001", "16 1 0 1 2.50\n"},   /* 2 is one of the first WHEN's values; 2.5025 rounds down */
    {"9 4 -2.50 1.003", "17 0 1 1 -2.51\n"}, /* 9 is above 4; -2.5075 rounds away from zero */
    {"-5 -6 0 0.5", "-17 0 1 0 0.00\n"},     /* -5 is above -6; -6 is not above 1 */
    {"0 0 1.10 2.000", "0 0 0 1 2.20\n"},    /* #EXA is zero: the right side is not evaluated */
    {"1 2 0.01 0.499", "5 1 0 0 0.00\n"},    /* 2 > 1 but the total is 5; 0.00499 rounds down */
};

class RunRoutines : public CompiledRoutines {
protected:
    testsupport::ScratchDir dir{"expr-run"};

    // #EXTOTAL := #EXA + 2 * #EXB (B0000001), CASE OF_FIELD(#EXA) (B0000002),
    // WHEN VALUE_IS('= 1' '= 2') (F0000003) and WHEN VALUE_IS('> #EXB') (F0000004).
    void compileSample()
    {
        /* #EXTOTAL := #EXA + 2 * #EXB */
        const DQOO_CHECKED_OPERAND sum[] = {Operand("FL", "EXA"), Operand("NL", "2", 'P', 1), Operand("FL", "EXB"),
                                            Operand("  ", "", 'P', 9), Operand("  ", "", 'P', 9)};
        const DQOO_CHECKED_OPERATION sumOps[] = {Op(2, "MU", 3, 4), Op(1, "AD", 4, 5), Op(5, "ZA")};
        const DQOO_CHECKED_EXPRESSION sumExpression{5, sum, 3, sumOps};
        const DQOO_CHECKED_OPERAND total = Operand("FL", "EXTOTAL", 'P', 9);
        DQOO_COMPILE_REQUEST value{};
        value.lForm = DQOO_COMPILE_VALUE;
        value.ulExpressionCount = 1;
        value.pExpressions = &sumExpression;
        value.ulTargetCount = 1;
        value.pTargets = &total;
        compile(value, "B0000001");

        /* CASE OF_FIELD(#EXA) */
        const DQOO_CHECKED_OPERAND subject[] = {Operand("FL", "EXA")};
        const DQOO_CHECKED_OPERATION subjectOps[] = {Op(1, "MB")};
        const DQOO_CHECKED_EXPRESSION subjectExpression{1, subject, 1, subjectOps};
        DQOO_COMPILE_REQUEST group{};
        group.lForm = DQOO_COMPILE_WHEN_SUBJECT;
        group.ulGroupLevel = 1;
        group.ulExpressionCount = 1;
        group.pExpressions = &subjectExpression;
        compile(group, "B0000002");

        /* WHEN VALUE_IS('= 1' '= 2') and WHEN VALUE_IS('> #EXB') */
        const DQOO_CHECKED_OPERAND one[] = {Operand("FL", "EXA"), Operand("NL", "1", 'P', 1),
                                            Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERAND two[] = {Operand("FL", "EXA"), Operand("NL", "2", 'P', 1),
                                            Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERAND above[] = {Operand("FL", "EXA"), Operand("FL", "EXB"), Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERATION eq[] = {Op(1, "EQ", 2, 3), Op(3, "IF")};
        const DQOO_CHECKED_OPERATION gt[] = {Op(1, "GT", 2, 3), Op(3, "IF")};
        const DQOO_CHECKED_EXPRESSION firstValues[] = {{3, one, 2, eq}, {3, two, 2, eq}};
        const DQOO_CHECKED_EXPRESSION secondValues[] = {{3, above, 2, gt}};
        DQOO_COMPILE_REQUEST when{};
        when.lForm = DQOO_COMPILE_WHEN_TEST;
        when.ulGroupLevel = 1;
        when.ulExpressionCount = 2;
        when.pExpressions = firstValues;
        compile(when, "F0000003");
        when.ulExpressionCount = 1;
        when.pExpressions = secondValues;
        compile(when, "F0000004");

        /* COND('(#EXA = *ZERO) OR ((#EXB > 1) AND (#EXTOTAL <> 5))'): the
        ** right side of OR is more than a comparison, so it is skipped when
        ** the left is true */
        DQOO_CHECKED_OPERAND zero = Operand("SV", "*ZERO", 'P', 0);
        const DQOO_CHECKED_OPERAND condition[] = {Operand("FL", "EXA"),
                                                  zero,
                                                  Operand("  ", "", 'L', 1),
                                                  Operand("FL", "EXB"),
                                                  Operand("NL", "1", 'P', 1),
                                                  Operand("  ", "", 'L', 1),
                                                  Operand("FL", "EXTOTAL", 'P', 9),
                                                  Operand("NL", "5", 'P', 1),
                                                  Operand("  ", "", 'L', 1),
                                                  Operand("  ", "", 'L', 1),
                                                  Operand("  ", "", 'L', 1)};
        const DQOO_CHECKED_OPERATION conditionOps[] = {Op(1, "EQ", 2, 3),  Op(4, "GT", 5, 6),   Op(7, "NE", 8, 9),
                                                       Op(6, "AN", 9, 10), Op(3, "OR", 10, 11), Op(11, "IF")};
        const DQOO_CHECKED_EXPRESSION conditionExpression{11, condition, 6, conditionOps};
        DQOO_COMPILE_REQUEST test{};
        test.lForm = DQOO_COMPILE_CONDITION;
        test.ulExpressionCount = 1;
        test.pExpressions = &conditionExpression;
        compile(test, "D0000005");

        /* #EXAMOUNT := #EXPRICE * #EXRATE ROUND_UP(*YES); the checker sizes
        ** the product to the field, 11,2 */
        const DQOO_CHECKED_OPERAND product[] = {Operand("FL", "EXPRICE", 'P', 9), Operand("FL", "EXRATE", 'P', 5),
                                                Operand("  ", "", 'P', 11)};
        DQOO_CHECKED_OPERAND amount = Operand("FL", "EXAMOUNT", 'P', 11);
        const_cast<DQOO_CHECKED_OPERAND&>(product[0]).lDecimals = 2;
        const_cast<DQOO_CHECKED_OPERAND&>(product[1]).lDecimals = 3;
        const_cast<DQOO_CHECKED_OPERAND&>(product[2]).lDecimals = 2;
        amount.lDecimals = 2;
        const DQOO_CHECKED_OPERATION productOps[] = {Op(1, "MU", 2, 3), Op(3, "ZA")};
        const DQOO_CHECKED_EXPRESSION productExpression{3, product, 2, productOps};
        DQOO_COMPILE_REQUEST rounded{};
        rounded.lForm = DQOO_COMPILE_VALUE;
        rounded.ulExpressionCount = 1;
        rounded.pExpressions = &productExpression;
        rounded.ulTargetCount = 1;
        rounded.pTargets = &amount;
        rounded.chRound = 'Y';
        compile(rounded, "B0000006");
    }
    void fields(CaptureWriter& gen)
    {
        gen.indent = 0;
        gen.dictionary.fields["EXA"] = FieldFacts("V_FIELD_EXA", 'P', 7);
        gen.dictionary.fields["EXB"] = FieldFacts("V_FIELD_EXB", 'P', 7);
        gen.dictionary.fields["EXTOTAL"] = FieldFacts("V_FIELD_EXTOTAL", 'P', 9);
        gen.dictionary.fields["EXPRICE"] = FieldFacts("V_FIELD_EXPRICE", 'P', 9, 2);
        gen.dictionary.fields["EXRATE"] = FieldFacts("V_FIELD_EXRATE", 'P', 5, 3);
        gen.dictionary.fields["EXAMOUNT"] = FieldFacts("V_FIELD_EXAMOUNT", 'P', 11, 2);
    }
};

TEST_F(RunRoutines, SumAndWhenGroupComputeTheirValues)
{
    compileSample();
    CaptureWriter gen;
    fields(gen);
    EXPR_WriteEvaluationHeaderSections(gen);
    EXPR_WriteEvaluationRoutines(gen);
    const std::string header = gen.StreamText(gen.header), source = gen.StreamText(7);
    ASSERT_NE(source.find("When_Evaluation_Routine_4"), std::string::npos) << source;

    const std::filesystem::path c = dir / "routines.c", exe = dir / "routines";
    {
        std::ofstream out(c);
        out << "#define X_MODULE_COMPONENT_EVALUATE_PCODE 1\n#include <stdio.h>\n#include <stdlib.h>\n"
               "#include \"x_funstd.h\"\n#define V_FIELD_EXA 0\n#define V_FIELD_EXB 1\n#define V_FIELD_EXTOTAL 2\n"
               "#define V_FIELD_EXPRICE 3\n#define V_FIELD_EXRATE 4\n#define V_FIELD_EXAMOUNT 5\n"
            << header << source << kDouble;
    }
    const std::string build = "gcc -std=c99 -Wall -Werror -I '" + std::string(DQOV_SOURCE_DIR) +
                              "/samples/runtime/c' -o '" + exe.string() + "' '" + c.string() + "' 2>&1";
    ASSERT_EQ(testsupport::runOutput(build), "") << header << source;
    for (const auto& [arguments, values] : kRuns)
        EXPECT_EQ(testsupport::runOutput("'" + exe.string() + "' " + arguments), values) << arguments;
}

}  // namespace

namespace {

const char* const kCsArgs = "pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2";

// The vector services over three long cells, and the start of the program.
const char* const kCsDouble = R"(
    class Cells : X_VECTOR_SERVICES
    {
        public static long[] Value = new long[3];
        public int GetLong( X_FLD[] v, int f ) { return (int) Value[f]; }
        public long GetLongLong( X_FLD[] v, int f ) { return Value[f]; }
        public static double[] Decimal = new double[6];
        public double GetDouble( X_FLD[] v, int f ) { return Decimal[f]; }
        public void SetLong( X_FLD[] v, int f, int x ) { Value[f] = x; }
        public void SetLongLong( X_FLD[] v, int f, long x ) { Value[f] = x; }
        static readonly int[] Decimals = { 0, 0, 0, 2, 3, 2 };
        public void SetDouble( X_FLD[] v, int f, double x, char o )
        {
            /* the nearest decimal at the scale given, cut to the field's decimals */
            decimal nearest = System.Math.Round( (decimal) x, (int) o, System.MidpointRounding.AwayFromZero );
            decimal scale = (decimal) System.Math.Pow( 10, Decimals[f] );
            Decimal[f] = (double)( decimal.Truncate( nearest * scale ) / scale );
        }
    }
    public static void Main( string[] args )
    {
        X_RUN_DLL.Services = new Cells();
        X_IDS pX_Ids = new X_IDS(); X_PRO pX_Pro = null; X_FUN pX_Fun = null; X_LIST[] pX_List = null;
        X_FKEY X_FKey = null; FUNCTION_STATIC_GLOBAL_1 pGlobal1 = null; FUNCTION_STATIC_GLOBAL_2 pGlobal2 = null;
        X_FLD[] pX_Fld = new X_FLD[3];
        Cells.Value[0] = long.Parse( args[0] );
        Cells.Value[1] = long.Parse( args[1] );
        Cells.Decimal[3] = double.Parse( args[2], System.Globalization.CultureInfo.InvariantCulture );
        Cells.Decimal[4] = double.Parse( args[3], System.Globalization.CultureInfo.InvariantCulture );
)";

TEST_F(RunRoutines, CSharpRoutinesCompileWithMcsAndRun)
{
    compileSample();
    CaptureWriter gen;
    fields(gen);
    gen.target = '#';
    EXPR_WriteEvaluationRoutines(gen);
    const std::string routines = gen.StreamText(7);
    gen.Clear();
    gen.stream = 9;
    gen.indent = 8;
    {
        ExprWriterScope scope(gen);
        EXPR_WriteCommandEvaluationCall(gen, "\x03"
                                             "B0000001");
        EXPR_WriteCommandEvaluationCall(gen, "\x03"
                                             "B0000002");
        EXPR_WriteCommandEvaluationCall(gen, "\x03"
                                             "B0000006");
    }
    const std::string calls = gen.StreamText(9);
    const std::filesystem::path cs = dir / "Routines.cs", exe = dir / "Routines.exe";
    {
        std::ofstream out(cs);
        out << "public static class Routines\n{\n"
            << "    const int V_FIELD_EXA = 0, V_FIELD_EXB = 1, V_FIELD_EXTOTAL = 2, V_FIELD_EXPRICE = 3, "
               "V_FIELD_EXRATE = 4,"
               " V_FIELD_EXAMOUNT = 5;\n"
            << routines << kCsDouble << calls
            << "        System.Console.WriteLine( Cells.Value[2] + \" \" + ( When_Evaluation_Routine_3( " << kCsArgs
            << ", operandStack ) ? 1 : 0 ) + \" \" + ( When_Evaluation_Routine_4( " << kCsArgs
            << ", operandStack ) ? 1 : 0 ) + \" \" + ( Boolean_Evaluation_Routine_5( " << kCsArgs
            << " ) ? 1 : 0 ) + \" \" + Cells.Decimal[5].ToString( \"0.00\", "
               "System.Globalization.CultureInfo.InvariantCulture ) );\n    }\n}\n";
    }
    const std::string build = "mcs -nologo -warn:0 -out:'" + exe.string() + "' '" + cs.string() + "' '" +
                              std::string(DQOV_SOURCE_DIR) + "/samples/runtime/cs/'*.cs 2>&1";
    ASSERT_EQ(testsupport::runOutput(build), "") << routines << calls;
    /* the same values as the C routines compute */
    for (const auto& [arguments, values] : kRuns)
        EXPECT_EQ(testsupport::runOutput("mono '" + exe.string() + "' " + arguments), values) << arguments;
}

}  // namespace
