// The evaluation routine writer: the variant frame and p-code path of an
// expression, the routine frame, macros and prototypes, the routine-
// reference calls and the I/O table rows, against texts derived by hand.
#include "checked_access.h"
#include <gtest/gtest.h>

#include "expr_routine_support.h"
#include "generator/expressions/expr_core_services.h"
#include "platform/dqoo/dqoo_fixture.h"

namespace {

using Lines = std::vector<std::string>;

class RoutineWriter : public ::testing::Test {
protected:
    void SetUp() override { gen.dictionary.fields["F"] = FieldFacts("V_FIELD_F", 'A', 5); }
    void TearDown() override
    {
        DQOO_FCC_ClearExpressions();
        EXPR_ForgetDirectCode();
    }

    // One remembered-value statement: a one-line variant body.
    EXPR_VARIANT* OneLineVariant(uint32_t tag)
    {
        EXPR_OPERAND_NODE* field = b.code.Field("F");
        EXPR_STATEMENT* s = b.Statement(EXPR_STATEMENT_REMEMBER_USER, nullptr);
        s->field = field;
        return b.Variant(tag, {s});
    }
    static std::string Code()
    {
        return "X_Set_Remembered_Value( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_F, X_REMEMBER_FORMAT_USER_FUNCTION );";
    }

    CaptureWriter gen;
    RoutineBuilder b;
};

TEST_F(RoutineWriter, GenericVariantWithoutPcodeLeavesAnEmptyDeadPath)
{
    EXPR_EXPRESSION* e = b.Expression({OneLineVariant(EXPR_VARIANT_GENERIC)}, {});
    EXPR_ROUTINE* r = b.Routine(EXPR_ROUTINE_BOOLEAN, 3, {e});
    EXPR_WriteExpression(gen, *r, *e);
    EXPECT_EQ(gen.Indented(), (Lines{"   " + Code(), "   #if (0)", "   {", "   }", "   #endif"}));
}

TEST_F(RoutineWriter, ThreeVariantsInTheirPlatformBranches)
{
    EXPR_EXPRESSION* e = b.Expression({OneLineVariant(EXPR_VARIANT_ISERIES), OneLineVariant(EXPR_VARIANT_NO_LONGLONG),
                                       OneLineVariant(EXPR_VARIANT_GENERIC)},
                                      {});
    EXPR_ROUTINE* r = b.Routine(EXPR_ROUTINE_COMMAND, 3, {e});
    EXPR_WriteExpression(gen, *r, *e);
    const std::string code = "      " + Code();
    EXPECT_EQ(gen.Indented(), (Lines{"   #if defined(X_OPERATING_SYSTEM_ISERIES)", "   {", code, "   }",
                                     "   #elif !defined(X_CONST_LONGLONG_IS_LONG)", "   {", code, "   }", "   #else",
                                     "   {", code, "   }", "   #endif", "   #if (0)", "   {", "   }", "   #endif"}));
    gen.Clear();
    gen.target = '#';
    EXPR_WriteExpression(gen, *r, *e);
    EXPECT_EQ(gen.Texts().at(0), "#if X_OPERATING_SYSTEM_ISERIES");
    EXPECT_EQ(gen.Texts().at(4), "#elif !X_CONST_LONGLONG_IS_LONG");
    EXPECT_TRUE(gen.Has("#if UNUSED"));
}

TEST_F(RoutineWriter, OnlyTheNoLongLongVariantLeavesThePcodeToTheOtherPlatforms)
{
    EXPR_PCODE_INSTRUCTION* truth = b.code.Instr(32);
    EXPR_EXPRESSION* e = b.Expression({OneLineVariant(EXPR_VARIANT_NO_LONGLONG)}, {truth});
    EXPR_ROUTINE* r = b.Routine(EXPR_ROUTINE_BOOLEAN, 3, {e});
    EXPR_WriteExpression(gen, *r, *e);
    const Lines t = gen.Indented();
    ASSERT_GE(t.size(), 8u);
    EXPECT_EQ(t[0], "   #if !defined(X_CONST_LONGLONG_IS_LONG)");
    EXPECT_EQ(t[4], "   #else");
    EXPECT_EQ(t[5], "   {");
    EXPECT_EQ(t[6], "      static const X_SHORT asInstructionTable[] =");
    EXPECT_EQ(t[t.size() - 4], "");
    EXPECT_EQ(t[t.size() - 3], "      bResult = operandStack[0].m_Boolean;");
    EXPECT_EQ(t[t.size() - 2], "   }");
    EXPECT_EQ(t[t.size() - 1], "   #endif");
}

TEST_F(RoutineWriter, TwoExpressionsWithoutVariantsEachInBraces)
{
    EXPR_PCODE_INSTRUCTION* one = b.code.Instr(32);
    EXPR_PCODE_INSTRUCTION* two = b.code.Instr(33);
    EXPR_EXPRESSION* e1 = b.Expression({}, {one});
    EXPR_EXPRESSION* e2 = b.Expression({}, {two});
    EXPR_ROUTINE* r = b.Routine(EXPR_ROUTINE_COMMAND, 4, {e1, e2});
    gen.indent = 3;
    EXPR_WriteExpression(gen, *r, *e1);
    EXPR_WriteExpression(gen, *r, *e2);
    const Lines t = gen.Indented();
    EXPECT_EQ(std::count(t.begin(), t.end(), "   {"), 2);
    EXPECT_EQ(std::count(t.begin(), t.end(), "   }"), 2);
    EXPECT_EQ(t.front(), "   {");
    EXPECT_EQ(t.back(), "   }");
    EXPECT_FALSE(gen.Has("bResult = operandStack[0].m_Boolean;"));
}

TEST_F(RoutineWriter, SectionBoxIsAtLeast71WideAndWidensForLongTitles)
{
    EXPR_WriteSectionBox(gen, 9, "Short");
    const std::string rule71 = "/* " + std::string(65, '=') + " */";
    EXPECT_EQ(gen.Texts(), (Lines{" ", " ", rule71, "/* Short" + std::string(60, ' ') + " */", rule71}));
    gen.Clear();
    const std::string title(66, 'T');
    EXPR_WriteSectionBox(gen, 9, title);
    EXPECT_EQ(gen.Texts().at(2), "/* " + std::string(66, '=') + " */");
    EXPECT_EQ(gen.Texts().at(3), "/* " + title + " */");
}

// A kind-100 routine numbered 12, as the reference 3 B 0000012 names it.
const char* const kCommandFixture = R"(
ROUTINE cmd kind=100 number=12 stack=1
EXPRESSION
VARIANT tag=52
STATEMENT kind=300 field=f
VARIANT tag=50
STATEMENT kind=300 field=f
NODE f kind=1007 field=F
ROUTINE two kind=140 number=13
EXPRESSION
EXPRESSION
ROUTINE when kind=151 number=14
EXPRESSION
ROUTINE group kind=150 number=15 stack=0
REFERENCE B0000012
ELEMENT routine=cmd
REFERENCE G0000015
ELEMENT routine=group
)";

TEST_F(RoutineWriter, PrototypesAndCallOfRoutine12)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kCommandFixture, error, sizeof error), 0) << error;
    EXPR_WriteEvaluationHeaderSections(gen);
    const Lines t = gen.Indented();
    auto at = std::find(t.begin(), t.end(), "   #if defined(COMMAND_EVALUATION_MACRO_12)");
    ASSERT_NE(at, t.end());
    EXPECT_EQ(Lines(at, at + 7),
              (Lines{"   #if defined(COMMAND_EVALUATION_MACRO_12)",
                     "      #define EVALUATE_COMMAND_12 COMMAND_EVALUATION_MACRO_12", "   #else",
                     "      F_VOID_FUNCTION Command_Evaluation_Routine_12( FUNCTION_STD_ARGS );",
                     "      #define EVALUATE_COMMAND_12 Command_Evaluation_Routine_12( FUNCTION_STD_PARMS );",
                     "   #endif", " "}));
    EXPECT_NE(std::find(t.begin(), t.end(),
                        "   F_BOOL_FUNCTION When_Evaluation_Routine_14( FUNCTION_STD_ARGS, X_VAR_EXPRESSION_OPERAND* "
                        "operandStack );"),
              t.end());
    EXPECT_EQ(std::count(t.begin(), t.end(),
                         "   #if !defined(COMMAND_EVALUATION_MACRO_12) && defined(X_OPERATING_SYSTEM_ISERIES)"),
              1);
    EXPECT_EQ(std::count(t.begin(), t.end(), "   #if !defined(COMMAND_EVALUATION_MACRO_12)"), 1);
    /* the two-expression routine 13 has no macro */
    EXPECT_EQ(std::count_if(t.begin(), t.end(),
                            [](const std::string& l) {
                                return l.find("DEFAULT_VALUE_EVALUATION_MACRO_13") != std::string::npos &&
                                       l.find("#define DEFAULT_VALUE_EVALUATION_MACRO_13") != std::string::npos;
                            }),
              0);
    /* a macro body is continued up to its last line; "}" and "#endif" are not */
    for (const WrittenLine& l : gen.lines) {
        if (l.text == "#define COMMAND_EVALUATION_MACRO_12") {
            EXPECT_TRUE(l.continued);
        }
        if (l.text == "}" || l.text == "#endif") {
            EXPECT_FALSE(l.continued);
        }
    }

    gen.Clear();
    const char reference[] = {3, 'B', '0', '0', '0', '0', '0', '1', '2', 0};
    EXPECT_EQ(EXPR_lRoutineNumber(reference), 12);
    EXPR_WriteCommandEvaluationCall(gen, reference);
    EXPECT_EQ(gen.Texts(), (Lines{"EVALUATE_COMMAND_12"}));
    gen.Clear();
    gen.target = '#';
    EXPR_WriteCommandEvaluationCall(gen, reference);
    EXPECT_EQ(gen.Texts(), (Lines{"Command_Evaluation_Routine_12( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, "
                                  "pGlobal1, pGlobal2 );"}));
    gen.Clear();
    EXPR_WriteEvaluationHeaderSections(gen);
    EXPECT_FALSE(gen.Has("   #else")) << "no prototypes in the C# pass";

    /* a When group of stack size 0 in C#: the array and no element lines */
    gen.Clear();
    const char group[] = {3, 'G', '0', '0', '0', '0', '0', '1', '5', 0};
    EXPR_WriteCommandEvaluationCall(gen, group);
    EXPECT_EQ(gen.Texts(),
              (Lines{"X_VAR_EXPRESSION_OPERAND[]", "   operandStack = new X_VAR_EXPRESSION_OPERAND[0];", ""}));
}

TEST_F(RoutineWriter, RoutineBodyFromTheMacroLinesIsTheBodyBuiltAnew)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kCommandFixture, error, sizeof error), 0) << error;
    EXPR_WriteEvaluationHeaderSections(gen);
    const Lines macros = gen.Indented();
    EXPECT_EQ(std::count(macros.begin(), macros.end(), std::string(9, ' ') + Code()), 2);
    gen.Clear();
    EXPR_WriteEvaluationRoutines(gen); /* from the lines the macros kept */
    const Lines kept = gen.Indented();
    gen.Clear();
    EXPR_WriteEvaluationRoutines(gen); /* nothing kept now: built */
    EXPECT_EQ(kept, gen.Indented());
    /* the two variants of routine 12, one level inside the routine's body */
    EXPECT_EQ(std::count(kept.begin(), kept.end(), "      " + Code()), 2);
}

TEST_F(RoutineWriter, RoutineBodiesFromManyKeptVariantsAreTheBodiesBuiltAnew)
{
    /* 300 command routines of two one-line variants each, every routine on
       a field of its own: their kept lines fill several of the keeper's
       blocks of text */
    std::string fixture;
    constexpr int kRoutines = 300;
    auto code = [](int n) {
        return "X_Set_Remembered_Value( pX_Ids, pX_Pro, pX_Fun, pX_Fld, V_FIELD_F" + std::to_string(n) +
               ", X_REMEMBER_FORMAT_USER_FUNCTION );";
    };
    for (int n = 1; n <= kRoutines; ++n) {
        const std::string number = std::to_string(n);
        gen.dictionary.fields["F" + number] = FieldFacts(("V_FIELD_F" + number).c_str(), 'A', 5);
        fixture += "ROUTINE r" + number + " kind=100 number=" + number +
                   " stack=1\nEXPRESSION\nVARIANT tag=52\nSTATEMENT kind=300 field=f" + number +
                   "\nVARIANT tag=50\nSTATEMENT kind=300 field=f" + number + "\nNODE f" + number +
                   " kind=1007 field=F" + number + "\n";
    }
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(fixture.c_str(), error, sizeof error), 0) << error;
    EXPR_WriteEvaluationHeaderSections(gen);
    const Lines macros = gen.Indented();
    gen.Clear();
    EXPR_WriteEvaluationRoutines(gen); /* from the lines the macros kept */
    const Lines kept = gen.Indented();
    gen.Clear();
    EXPR_WriteEvaluationRoutines(gen); /* nothing kept now: built */
    EXPECT_EQ(kept, gen.Indented());
    /* each routine's two variants, in its macros and in its body */
    for (int n = 1; n <= kRoutines; ++n) {
        EXPECT_EQ(std::count(macros.begin(), macros.end(), std::string(9, ' ') + code(n)), 2) << n;
        EXPECT_EQ(std::count(kept.begin(), kept.end(), "      " + code(n)), 2) << n;
    }
}

TEST(ExprFormat, WritesTheConversionsOfPrintf)
{
    EXPECT_EQ(EXPR_Format("dOperand%d", 7), "dOperand7");
    EXPECT_EQ(EXPR_Format("%d|%i|%d", -42, 5, 0), "-42|5|0");
    EXPECT_EQ(EXPR_Format("%ld %u %lld", -9000000000L, 4294967295u, -1LL), "-9000000000 4294967295 -1");
    EXPECT_EQ(EXPR_Format("0x03%.2x%.2x00", 2, 31), "0x03021f00");
    EXPECT_EQ(EXPR_Format("%08X|%.8x|%x", 0xABCu, 0x1Fu, 0u), "00000ABC|0000001f|0");
    EXPECT_EQ(EXPR_Format("[%5d|%-5d|%05d|%5s]", 42, 42, -42, "ab"), "[   42|42   |-0042|   ab]");
    EXPECT_EQ(EXPR_Format("%.3d|%.0d|%-6s|%.3s", 7, 0, "ab", "abcdef"), "007||ab    |abc");
    EXPECT_EQ(EXPR_Format("%c%%%zu", 'x', size_t{12}), "x%12");
    /* formats and texts beyond the writers' own still come out whole */
    EXPECT_EQ(EXPR_Format("%5.2f", 3.14159), " 3.14");
    const std::string long600(600, 'a');
    EXPECT_EQ(EXPR_Format("<%s>", long600.c_str()), "<" + long600 + ">");
}

TEST(ExprFormat, WritesTheWritersUnsignedLongAndHexConversions)
{
    EXPECT_EQ(EXPR_Format("operand%u = { %ld, %ld };", 4294967295u, -9223372036854775807L - 1, 0L),
              "operand4294967295 = { -9223372036854775808, 0 };");
    EXPECT_EQ(EXPR_Format("%lu|%u|%s", 18446744073709551615UL, 0u, "x"), "18446744073709551615|0|x");
    EXPECT_EQ(EXPR_Format("0x%08X /* %d */", 0u, 1), "0x00000000 /* 1 */");
    EXPECT_EQ(EXPR_Format("%08X%08X", 0xFFFFFFFFu, 0x900u), "FFFFFFFF00000900");
    /* a conversion among them that is not theirs: the whole text as printf writes it */
    EXPECT_EQ(EXPR_Format("%u|%lx|%08x", 7u, 255UL, 0xABu), "7|ff|000000ab");
    /* at least two lower-case digits, more when the value needs them */
    EXPECT_EQ(EXPR_Format("%.2x|%.2x|%.2x|%.2x", 0u, 9u, 0xABu, 0x1F2u), "00|09|ab|1f2");
    EXPECT_EQ(EXPR_Format("_CPYNV( 0x03%.2x%.2x00, %s )", 4, 63, "p"), "_CPYNV( 0x03043f00, p )");
    EXPECT_EQ(EXPR_Format("%.2x", 0xFFFFFFFFu), "ffffffff");
}

TEST_F(RoutineWriter, ReferencesOfOtherKindsWriteNothing)
{
    const char none[] = {3, 'A', '0', '0', '0', '0', '0', '0', '1', 0};
    const char other[] = "B0000012X";
    EXPR_WriteCommandEvaluationCall(gen, none);
    EXPR_WriteCommandEvaluationCall(gen, other);
    EXPR_WriteDefaultValueCall(gen, other, "x");
    EXPR_WriteSysVarSettings(gen, other);
    EXPECT_TRUE(gen.lines.empty());
    EXPECT_EQ(EXPR_fRoutineHasSysVarBlock(gen, other), 'N');
    std::string call = "x", name = "y";
    EXPR_BuildConditionRoutineCall(gen, other, &call, &name);
    EXPECT_EQ(call, "");
    EXPECT_EQ(name, "");
    const char when[] = {3, 'F', '0', '0', '0', '0', '0', '0', '7', 0};
    EXPR_BuildConditionRoutineCall(gen, when, &call, &name);
    EXPECT_EQ(call, "When_Evaluation_Routine_7( FUNCTION_STD_PARMS, operandStack )");
    EXPECT_EQ(name, "When_Evaluation_Routine_7");
}

TEST_F(RoutineWriter, DefaultValueAndExecuteCallsByTarget)
{
    const char value[] = {3, 'O', '0', '0', '0', '0', '0', '0', '5', 0};
    EXPR_WriteDefaultValueCall(gen, value, "pX_Fld");
    gen.target = '#';
    EXPR_WriteDefaultValueCall(gen, value, "pX_Fld");
    EXPECT_EQ(gen.Texts(), (Lines{"EVALUATE_DEFAULT_VALUE_5( pX_Fld )",
                                  "DefaultValue_Evaluation_Routine_5( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, "
                                  "pGlobal1, pGlobal2 );"}));
    EXPR_ROUTINE received{};
    received.kind = EXPR_ROUTINE_EXEC_RECEIVED;
    received.number = 9;
    gen.Clear();
    {
        ExprWriterScope scope(gen);
        EXPR_lWriteExecuteReceivedLine(&received, nullptr, nullptr);
    }
    EXPECT_EQ(checked::Last(gen.Texts()),
              "Execute_Received_Routine_9(pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2);");
}

// The calls around an EXECUTE whose arguments are compiled routines
// (reference letter 'H'): the received routine's call after the spaced
// comment, the returned routine's after the plain one, each enumeration
// writing only its own kind; the string evaluation of a MSGTXT, the release
// of its character field, and the frame's termination in a WHEN branch.
const char* const kExecuteFixture = R"(
REFERENCE H0000009
ELEMENT kind=180 number=9
ELEMENT kind=181 number=10
)";

TEST_F(RoutineWriter, ExecuteStringAndFrameCalls)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kExecuteFixture, error, sizeof error), 0) << error;
    const char execute[] = {3, 'H', '0', '0', '0', '0', '0', '0', '9', 0};
    EXPR_WriteExecuteReceivedCall(gen, execute);
    EXPECT_EQ(gen.Texts(), (Lines{" ", "/* Assign the subroutine arguments */", " ", "EVALUATE_EXECUTE_RECEIVED_9"}));
    gen.Clear();
    EXPR_WriteExecuteReturnedCall(gen, execute);
    EXPECT_EQ(gen.Texts(), (Lines{"/* Get the subroutine returned values */", "EVALUATE_EXECUTE_RETURNED_10"}));
    gen.Clear();
    gen.target = '#';
    EXPR_WriteExecuteReturnedCall(gen, execute);
    EXPECT_EQ(gen.Texts(), (Lines{"/* Get the subroutine returned values */",
                                  "Execute_Returned_Routine_10( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, "
                                  "pGlobal1, pGlobal2 );"}));
    /* a reference of another letter enumerates nothing */
    gen.Clear();
    const char command[] = {3, 'B', '0', '0', '0', '0', '0', '0', '9', 0};
    EXPR_WriteExecuteReceivedCall(gen, command);
    EXPR_WriteExecuteReturnedCall(gen, command);
    EXPECT_TRUE(gen.lines.empty());

    /* MSGTXT evaluated by a string routine into the message text */
    gen.target = 'C';
    const char text[] = {3, 'E', '0', '0', '0', '0', '0', '0', '4', 0};
    EXPR_WriteStringEvaluationCall(gen, text, "fldChar", "pvchMessageText");
    EXPR_WriteVarCharRelease(gen, text, "fldChar");
    EXPECT_EQ(gen.Texts(),
              (Lines{"String_Evaluation_Routine_4( FUNCTION_STD_PARMS, &fldChar );",
                     "X_VAR_VarChar_GetAsVchar( pX_Ids, pX_Pro, pX_Fun, &fldChar, &pvchMessageText );",
                     "X_VAR_VarChar_Release( pX_Ids, pX_Pro, pX_Fun, &fldChar );"}));
    /* another letter names a field: one not used by the function is an error, and nothing is written */
    gen.Clear();
    EXPR_WriteStringEvaluationCall(gen, command, "fldChar", "pvchMessageText");
    EXPECT_TRUE(gen.lines.empty());
    EXPECT_EQ(gen.messages, (Lines{"F PRC1008 " + std::string(command, 9)}));
    /* not a routine reference: nothing */
    EXPR_WriteStringEvaluationCall(gen, "B0000004X", "fldChar", "pvchMessageText");
    EXPR_WriteVarCharRelease(gen, "B0000004X", "fldChar");
    EXPECT_TRUE(gen.lines.empty());

    EXPR_WriteTerminateFrameCall(gen, 0);
    EXPECT_TRUE(gen.lines.empty());
    EXPR_WriteTerminateFrameCall(gen, 1);
    EXPECT_EQ(gen.Texts(), (Lines{" ", "/* Terminate X_VAR Frame */", " ", "X_VAR_TerminateFrame( pFrame );"}));
}

// The comment writers, at the current indent of the current stream: the
// comment alone, after a blank line, before one, and between two; and a
// nesting level in and out, the indent stopping at the 13th level.
TEST_F(RoutineWriter, CommentWritersAndNestingLevels)
{
    gen.indent = 6;
    EXPR_WriteComment(gen, "one");
    EXPR_WriteCommentAfterBlank(gen, "two");
    EXPR_WriteCommentBeforeBlank(gen, "three");
    EXPR_WriteSpacedComment(gen, "four");
    EXPECT_EQ(gen.Indented(), (Lines{"      /* one */", "       ", "      /* two */", "      /* three */", "       ",
                                     "       ", "      /* four */", "       "}));
    for (const WrittenLine& l : gen.lines)
        EXPECT_EQ(l.stream, gen.stream);

    gen.indent = 0;
    gen.depth = 0;
    for (int i = 0; i < 14; ++i)
        EXPR_IndentIn(gen);
    EXPECT_EQ(gen.depth, 14);
    EXPECT_EQ(gen.indent, 36); /* levels 1 to 12 moved it */
    for (int i = 0; i < 14; ++i)
        EXPR_IndentOut(gen);
    EXPECT_EQ(gen.depth, 0);
    EXPECT_EQ(gen.indent, 0);
}

// The load of the last I/O status after a field was set: only for the I/O
// status field (IO, the run's third name character, STS; the name as the
// field table holds it), in C or C#; the writer raises the flag with it.
TEST_F(RoutineWriter, IoStatusLoadOnlyForTheStatusField)
{
    const std::string c = "memcpy(INSTANCE(vchLastIOStatus),pX_Fld[V_FIELD_IOdSTS].pField,2);";
    EXPECT_EQ(EXPR_IoStatusLoadLine("IO$STS", '$', false), c);
    EXPECT_EQ(EXPR_IoStatusLoadLine("io$sts    ", '$', false), c);
    EXPECT_EQ(EXPR_IoStatusLoadLine("IO#STS", '#', true),
              "DqooDef.X_CPYBYTES( ref pGlobal1.vchLastIOStatus, pX_Fld[V_FIELD_IOdSTS].pField, 2 );");
    EXPECT_EQ(EXPR_IoStatusLoadLine("IO$STS", '#', false), "");
    EXPECT_EQ(EXPR_IoStatusLoadLine("IO$STSX", '$', false), "");
    EXPECT_EQ(EXPR_IoStatusLoadLine("", '$', false), "");

    gen.indent = 9;
    gen.LoadIoStatusFromField("FALPHA", gen.stream, 6);
    EXPECT_TRUE(gen.lines.empty());
    gen.LoadIoStatusFromField("IO$STS", gen.header, 6);
    ASSERT_EQ(gen.lines.size(), 1u);
    EXPECT_EQ(gen.lines[0].stream, gen.header);
    EXPECT_EQ(gen.lines[0].indent, 6);
    EXPECT_EQ(gen.lines[0].text, c);
}

// WHERE rows: three entries, a single one, rows without a start element.
const char* const kWhereFixture = R"(
NODE f kind=1007 field=F
NODE n kind=1011
REFERENCE W0000001
ELEMENT kind=200
ELEMENT kind=270 code=G
ELEMENT kind=270 code=O node=f
ELEMENT kind=270 code=P node=n
ELEMENT kind=210
REFERENCE W0000002
ELEMENT kind=200
ELEMENT kind=270 code=A
ELEMENT kind=210
REFERENCE W0000003
ELEMENT kind=270 code=A
ELEMENT kind=270 code=B
ELEMENT kind=270 code=C
ELEMENT kind=270 code=D
ELEMENT kind=200
ELEMENT kind=210
REFERENCE W0000004
ELEMENT kind=240
ELEMENT kind=272 code=A first=1 second=2 third=3
ELEMENT kind=272 code=D first=1 second=2 third=3
ELEMENT kind=272 code=Z
ELEMENT kind=250
)";

TEST_F(RoutineWriter, IoTableRows)
{
    char error[200] = "";
    ASSERT_EQ(DQOO_FCC_LoadExpressionFixture(kWhereFixture, error, sizeof error), 0) << error;
    auto reference = [](char n) { return std::string{3, 'W', '0', '0', '0', '0', '0', '0', n}; };
    EXPR_WriteDbmWhereRows(gen, reference('1').c_str());
    EXPECT_EQ(gen.Texts(), (Lines{"X_DBM_WHERE_EQ, 0, X_DBM_WHERE_NAME, V_FIELD_F,", "X_DBM_WHERE_SQLNULL, 0"}));
    gen.Clear();
    EXPR_WriteDbmWhereRows(gen, reference('2').c_str());
    EXPECT_EQ(gen.Texts(), (Lines{"X_DBM_WHERE_OB, 0"}));
    gen.Clear();
    EXPR_WriteDbmWhereRows(gen, reference('3').c_str());
    EXPECT_TRUE(gen.lines.empty());
    EXPR_WriteDbmActivityRows(gen, reference('4').c_str());
    EXPECT_EQ(gen.Texts(), (Lines{"X_DBM_ACTIVITY_IF, 0, 2, 3,", "X_DBM_ACTIVITY_AD, 1, 2, 3,",
                                  "X_DBM_ACTIVITY_???, ???, ???, ???"}));
    gen.Clear();
    EXPR_WriteDbmWhereRows(gen, reference('9').c_str());
    EXPECT_EQ(gen.failures, (Lines{"DQOO_FCC_EnumerateRoutinePcode -5"}));
}

}  // namespace
