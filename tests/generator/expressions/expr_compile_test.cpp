// Generated C tables compiled with the system's C compiler against the
// sample run-time's opcode names (samples/runtime/c/x_compopc.h, written
// from the opcode lists): every name of the catalogue stands for its number
// there, and a table holding every opcode in every row form compiles; an
// unknown opcode's row, a "???" operand and a value too wide for its column
// do not.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "expr_test_support.h"
#include "generator/expressions/expr_opcodes.h"
#include "support/commands.h"
#include "support/scratch.h"

namespace {

const char* const kRuntimeStandIn =
    "typedef short X_SHORT;\n"
    "typedef unsigned char X_BYTE;\n"
    "typedef struct { int iValue; } X_VAR_EXPRESSION_OPERAND;\n"
    "struct FUNCTION_STATIC_GLOBAL_1 { int iOther; char vchLastIOStatus[8]; };\n"
    "typedef struct { const X_SHORT* psTable; X_VAR_EXPRESSION_OPERAND* pStack; void** pp; } X_FRAME;\n"
    "#define X_VAR_DEFINE_EXPRESSION_FRAME(a, b, c, d, e, f, t) "
    "X_FRAME frame = { asInstructionTable, operandStack, (void**)(t) };\n"
    "static void X_VAR_EvaluateExpression(X_FRAME* f) { (void)f; }\n"
    "static void* apOperandTable[4];\n"
    "static void* pX_NULL;\n"
    "enum { V_FIELD_AMOUNT = 11, V_ARR = 12, V_DISP = 13, V_LIST = 14, V_REC = 15 };\n";

// Compiles the stand-in and one function holding the lines; "" on success,
// else the compiler's messages.
std::string Compile(const std::vector<std::string>& lines)
{
    const testsupport::ScratchDir dir("dqov_expr");
    const std::string path = (dir / "routine.c").string();
    {
        std::ofstream out(path);
        out << "#include \"" DQOV_SOURCE_DIR "/samples/runtime/c/x_compopc.h\"\n"
            << kRuntimeStandIn << "void Evaluation_Routine_1(void)\n{\n";
        for (const auto& l : lines)
            out << "   " << l << "\n";
        out << "}\n";
    }
    const testsupport::CommandResult gcc = testsupport::runCommand(
        "gcc -std=c99 -fsyntax-only -Wall -Werror=overflow " + path, testsupport::Errors::WithOutput);
    std::string messages = gcc.out;
    if (gcc.status != 0 && messages.empty())
        messages = "gcc failed";
    return messages.substr(0, 1500);
}

class CompileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("gcc --version > /dev/null 2>&1") != 0)
            GTEST_SKIP() << "no gcc";
        auto& f = gen.dictionary.fields;
        auto facts = [](const char* vector, bool isArray, int32_t dispatchOp) {
            ExprFieldFacts facts;
            facts.vectorName = vector;
            facts.typeLetter = 'P';
            facts.isArray = isArray;
            facts.dispatchOp = dispatchOp;
            return facts;
        };
        f["AMOUNT"] = facts("V_FIELD_AMOUNT", false, 0);
        f["ARR"] = facts("V_ARR", true, 0);
        f["DISP"] = facts("V_DISP", false, 77);
    }
    CaptureGenerator gen;
};

TEST_F(CompileTest, EveryOpcodeInEveryRowFormCompiles)
{
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 3);
    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "AMOUNT";
    list->listName = "V_LIST";
    EXPR_OPERAND_NODE* record = b.Node(EXPR_NODE_RECORD_FIELD);
    record->fieldRef = "AMOUNT";
    record->recordRef = "V_REC";
    EXPR_OPERAND_NODE* words = b.Field("AMOUNT");
    words->value = 15;
    words->second = 2;
    EXPR_OPERAND_NODE* const nodes[] = {words, b.Field("ARR", 5, EXPR_NODE_FLAG_INDEXED),
                                        b.Field("DISP", 5, EXPR_NODE_FLAG_STATUS_REFRESH), list, record};
    size_t rows = 0;
    for (uint32_t n = 0; n < 1300; ++n) {
        if (EXPR_FindRowEntry(n) == nullptr)
            continue;
        ++rows;
        for (EXPR_OPERAND_NODE* node : nodes)
            b.Instr(n, node);
    }
    b.Instr(65537);
    EXPECT_EQ(rows, 956u);
    ExprTableReport r = b.Write(gen);
    ASSERT_TRUE(r.written);
    EXPECT_EQ(r.unknownOpcodes + r.wideOperands, 0u);
    // Left out: the rows of nodes an opcode does not serve ("???"), and the
    // operand texts of list and record members, which the stand-in does not
    // declare as constants.
    std::vector<std::string> served;
    for (const std::string& line : gen.Texts())
        if (line.find("???") == std::string::npos && line.find(".V_FIELD") == std::string::npos)
            served.push_back(line);
    EXPECT_EQ(Compile(served), "");
}

TEST_F(CompileTest, EveryNameStandsForItsNumber)
{
    std::vector<std::string> checks;
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        const std::string number = std::to_string(e.writtenAs != 0 ? e.writtenAs : e.number);
        checks.push_back("_Static_assert(" + std::string(e.name) + " == " + number + ", \"" + number + "\");");
    }
    EXPECT_EQ(Compile(checks), "");
}

TEST_F(CompileTest, UnknownOpcodeUnresolvedOperandAndWideValueDoNotCompile)
{
    for (uint32_t opcode : {768u, 1300u}) {
        CaptureGenerator g;
        PcodeBuilder b(EXPR_ROUTINE_COMMAND, 1);
        b.Instr(opcode);
        b.Write(g);
        EXPECT_EQ(Compile(g.Texts()).empty(), opcode == 768) << opcode;
    }
    CaptureGenerator g, w;
    PcodeBuilder u(EXPR_ROUTINE_COMMAND, 1);
    u.Instr(64, u.Node(EXPR_NODE_RESULT_VECTOR));
    u.Write(g);
    EXPECT_NE(Compile(g.Texts()).find("???"), std::string::npos);
    PcodeBuilder v(EXPR_ROUTINE_COMMAND, 1);
    EXPR_OPERAND_NODE* wide = v.Node(EXPR_NODE_FIELD);
    wide->value = 0x12345;
    v.Instr(1077, wide);
    v.Write(w);
    EXPECT_NE(Compile(w.Texts()).find("overflow"), std::string::npos);
    EXPECT_EQ(w.errors.size(), 1u);
}

}  // namespace
