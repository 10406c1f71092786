// A generated evaluation routine compiled and run: the object layer
// compiles #EXTOTAL := #EXA + 2 * #EXB and a CASE of #EXA with two WHENs,
// the writers write the routines and their header sections, and gcc
// builds them with the runtime interface of samples/runtime/c and a test
// double of the vector routines. The program's output shows the values the
// routines compute.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "expr_routine_support.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_compile.h"
#include "platform/dqoo/objlayer_repo.h"

namespace {

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

DQOO_CHECKED_OPERAND Operand(const char* cls, const char* name, char type = 'P', int32_t length = 7)
{
    DQOO_CHECKED_OPERAND o{};
    std::memcpy(o.achClass, cls, 2);
    o.chType = type;
    o.lLength = length;
    o.pszName = name;
    return o;
}

DQOO_CHECKED_OPERATION Op(int16_t first, const char* code, int16_t second = 0, int16_t result = 0)
{
    DQOO_CHECKED_OPERATION op{};
    op.sFirst = first;
    std::memcpy(op.achCode, code, 2);
    op.sSecond = second;
    op.sResult = result;
    return op;
}

// The vector routines the direct code calls, over three long cells, and the
// program that runs the routines on the values of its arguments.
const char* const kDouble = R"(
static X_LONG alCell[3];
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
    struct X_IDS *pX_Ids = pX_NULL;
    struct X_PRO *pX_Pro = pX_NULL;
    struct X_FUN *pX_Fun = pX_NULL;
    struct X_FLD axFld[3];
    struct X_FLD *pX_Fld = axFld;
    struct X_LIST *pX_List = pX_NULL;
    struct X_FKEY *X_FKey = pX_NULL;
    struct FUNCTION_STATIC_GLOBAL_1 *pGlobal1 = pX_NULL;
    struct FUNCTION_STATIC_GLOBAL_2 *pGlobal2 = pX_NULL;
    X_VAR_EXPRESSION_OPERAND operandStack[8];
    if (argc < 3)
        return 2;
    memset(axFld, 0, sizeof axFld);
    alCell[V_FIELD_EXA] = atol(argv[1]);
    alCell[V_FIELD_EXB] = atol(argv[2]);
    EVALUATE_COMMAND_1
    EVALUATE_COMMAND_2
    printf("%ld %d %d\n", alCell[V_FIELD_EXTOTAL], (int)When_Evaluation_Routine_3(FUNCTION_STD_PARMS, operandStack),
           (int)When_Evaluation_Routine_4(FUNCTION_STD_PARMS, operandStack));
    return 0;
}
)";

class RunRoutines : public ::testing::Test {
protected:
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();
    std::filesystem::path dir;

    void SetUp() override
    {
        DQOO_BUILD_REQUEST build{};
        build.pszObjectName = "EXPRPRC";
        build.pszFunctionName = "EXPCALC";
        build.pszPartition = "DEM";
        uint32_t passes = 0;
        int32_t start = 0;
        ASSERT_EQ(0, DQOO_FCC_StartBuild(handle, &build, &passes, &start));
        DQOO_START_REQUEST check{};
        check.usMode = DQOO_MODE_TOOLS;
        check.pszProcessName = "EXPRPRC";
        check.pszFunctionName = "EXPCALC";
        ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &check));
        char tmpl[] = "/tmp/expr-run-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    void compile(const DQOO_COMPILE_REQUEST& r, const char* expected)
    {
        char reference[10] = {}, reason[200] = {};
        ASSERT_EQ(0, DQOO_FCC_CompileCheckedExpression(handle, &r, reference, reason, sizeof reason)) << reason;
        EXPECT_EQ(std::string(reference + 1, 8), expected);
    }
    // The lines of one stream, macro lines continued as the line writer
    // continues them.
    static std::string text(const CaptureWriter& gen, uint32_t stream)
    {
        std::string out;
        for (const WrittenLine& l : gen.lines)
            if (l.stream == stream)
                out += std::string(l.indent, ' ') + l.text + (l.continued ? " \\" : "") + "\n";
        return out;
    }
    static std::string run(const std::string& command)
    {
        std::string out;
        if (FILE* p = popen(command.c_str(), "r")) {
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, p) != nullptr)
                out += buffer;
            if (pclose(p) != 0)
                out += "(failed)";
        }
        return out;
    }
};

TEST_F(RunRoutines, SumAndWhenGroupComputeTheirValues)
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
    const DQOO_CHECKED_OPERAND one[] = {Operand("FL", "EXA"), Operand("NL", "1", 'P', 1), Operand("  ", "", 'L', 1)};
    const DQOO_CHECKED_OPERAND two[] = {Operand("FL", "EXA"), Operand("NL", "2", 'P', 1), Operand("  ", "", 'L', 1)};
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

    CaptureWriter gen;
    gen.indent = 0;
    gen.dictionary.fields["EXA"] = FieldFacts("V_FIELD_EXA", 'P', 7);
    gen.dictionary.fields["EXB"] = FieldFacts("V_FIELD_EXB", 'P', 7);
    gen.dictionary.fields["EXTOTAL"] = FieldFacts("V_FIELD_EXTOTAL", 'P', 9);
    EXPR_WriteEvaluationHeaderSections(gen);
    EXPR_WriteEvaluationRoutines(gen);
    const std::string header = text(gen, gen.header), source = text(gen, 7);
    ASSERT_NE(source.find("When_Evaluation_Routine_4"), std::string::npos) << source;

    const std::filesystem::path c = dir / "routines.c", exe = dir / "routines";
    {
        std::ofstream out(c);
        out << "#define X_MODULE_COMPONENT_EVALUATE_PCODE 1\n#include <stdio.h>\n#include <stdlib.h>\n"
               "#include \"x_funstd.h\"\n#define V_FIELD_EXA 0\n#define V_FIELD_EXB 1\n#define V_FIELD_EXTOTAL 2\n"
            << header << source << kDouble;
    }
    const std::string build = "gcc -std=c99 -Wall -Werror -I '" + std::string(DQOV_SOURCE_DIR) +
                              "/samples/runtime/c' -o '" + exe.string() + "' '" + c.string() + "' 2>&1";
    ASSERT_EQ(run(build), "") << header << source;
    /* 3 + 2*7; 3 is neither 1 nor 2 nor above 7 */
    EXPECT_EQ(run("'" + exe.string() + "' 3 7"), "17 0 0\n");
    /* 2 + 2*7; 2 is one of the first WHEN's values */
    EXPECT_EQ(run("'" + exe.string() + "' 2 7"), "16 1 0\n");
    /* 9 + 2*4; 9 is above 4 */
    EXPECT_EQ(run("'" + exe.string() + "' 9 4"), "17 0 1\n");
    /* negative values: -5 + 2*(-6); -5 is above -6 */
    EXPECT_EQ(run("'" + exe.string() + "' -5 -6"), "-17 0 1\n");
}

}  // namespace
