// Generated C tables compiled with the system's C compiler, against a small
// stand-in of the runtime's definitions made from the opcode catalogue: a
// table of every row form compiles, and an unknown opcode's row does not.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

#include "expr_test_support.h"
#include "generator/expressions/expr_opcodes.h"

namespace {

std::string RuntimeStandIn() {
    std::string s =
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
        "enum { V_FIELD_AMOUNT = 11, V_ARR = 12, V_DISP = 13,\n"
        "  X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_STACK_VECTOR = 2001,\n"
        "  X_COMP_OPCODE_PUSH_GLOBAL_STORAGE_OFFSET = 2002,\n"
        "  X_COMP_OPCODE_REFRESH_USER_STATUS = 2003,\n"
        "  X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_SQLNULL = 2004,\n"
        "  X_COMP_OPCODE_PUSH_RECORD_VECTOR2_AS_SQLNULL = 2005 };\n"
        "enum {\n";
    for (const auto& e : EXPR_OpcodeCatalogue()) {
        if (e.writtenAs != 0) continue;
        s += "  " + std::string(e.name) + " = " + std::to_string(e.number) + ",\n";
    }
    s += "  X_LAST_OPCODE };\n";
    return s;
}

// Compiles the stand-in and one function holding the lines; true on success.
bool Compiles(const std::vector<std::string>& lines) {
    char path[] = "/tmp/dqov_expr_XXXXXX.c";
    const int fd = mkstemps(path, 2);
    if (fd < 0) return false;
    close(fd);
    {
        std::ofstream out(path);
        out << RuntimeStandIn() << "void Evaluation_Routine_1(void)\n{\n";
        for (const auto& l : lines) out << "   " << l << " \n";
        out << "}\n";
    }
    const std::string cmd = std::string("gcc -std=c99 -fsyntax-only -Werror=overflow ") + path +
                            " > /dev/null 2>&1";
    const int rc = std::system(cmd.c_str());
    std::remove(path);
    return rc == 0;
}

class CompileTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::system("gcc --version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no gcc";
        auto& f = gen.dictionary.fields;
        f["AMOUNT"] = ExprFieldFacts{"V_FIELD_AMOUNT", 'P', false, 0};
        f["ARR"] = ExprFieldFacts{"V_ARR", 'P', true, 0};
        f["DISP"] = ExprFieldFacts{"V_DISP", 'P', false, 77};
    }
    CaptureGenerator gen;
};

TEST_F(CompileTest, TableOfEveryRowFormCompiles) {
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 3);
    EXPR_OPERAND_NODE* dec = b.Node(EXPR_NODE_DECIMAL_CONSTANT);
    dec->value = 15;
    dec->second = 2;
    EXPR_OPERAND_NODE* list = b.Node(EXPR_NODE_LIST_FIELD);
    list->fieldRef = "AMOUNT";
    EXPR_OPERAND_NODE* rec = b.Node(EXPR_NODE_RECORD_FIELD);
    rec->fieldRef = "AMOUNT";
    b.Instr(1, b.Node(EXPR_NODE_INT32_CONSTANT));
    b.Instr(9, b.Node(EXPR_NODE_INT64_CONSTANT));
    b.Instr(64, b.Field("AMOUNT"));
    b.Instr(64, b.Field("ARR"));
    b.Instr(64, list);
    b.Instr(176, rec);
    b.Instr(402, dec);
    b.Instr(813, dec);
    b.Instr(948, dec);
    b.Instr(65537);
    b.Instr(1077, dec);
    b.Instr(432, b.Field("AMOUNT", 5, EXPR_NODE_FLAG_INDEXED));
    b.Instr(455, b.Field("DISP", 5, EXPR_NODE_FLAG_STATUS_REFRESH));
    b.Instr(704, dec);
    b.Instr(1296, b.Field("AMOUNT"));
    ExprTableReport r = b.Write(gen);
    ASSERT_TRUE(r.written);
    EXPECT_EQ(r.Problems(), 0u);
    EXPECT_TRUE(Compiles(gen.Texts()));
}

TEST_F(CompileTest, UnknownOpcodeAndUnresolvedOperandDoNotCompile) {
    PcodeBuilder b(EXPR_ROUTINE_COMMAND, 1);
    b.Instr(768);
    b.Instr(1300);
    b.Write(gen);
    EXPECT_FALSE(Compiles(gen.Texts()));

    CaptureGenerator g2;
    PcodeBuilder u(EXPR_ROUTINE_COMMAND, 1);
    u.Instr(64, u.Node(EXPR_NODE_RESULT_VECTOR));
    u.Write(g2);
    EXPECT_FALSE(Compiles(g2.Texts()));
}

} // namespace
