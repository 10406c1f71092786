// Test support for writers fed by the object layer's compiler: a build and
// a check of the sample function EXPRPRC EXPCALC on a copy of the sample
// repository, checked operands and operations, and compiling a request.
#ifndef TESTS_GENERATOR_EXPRESSIONS_EXPR_COMPILE_SUPPORT_H
#define TESTS_GENERATOR_EXPRESSIONS_EXPR_COMPILE_SUPPORT_H

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_compile.h"
#include "platform/dqoo/objlayer_repo.h"

namespace expr_compile_test {

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

inline DQOO_CHECKED_OPERAND Operand(const char* cls, const char* name, char type = 'P', int32_t length = 7,
                                    int32_t decimals = 0, uint32_t flags = 0)
{
    DQOO_CHECKED_OPERAND o{};
    std::memcpy(o.achClass, cls, 2);
    o.chType = type;
    o.lLength = length;
    o.lDecimals = decimals;
    o.pszName = name;
    o.ulFlags = flags;
    return o;
}

inline DQOO_CHECKED_OPERATION Op(int16_t first, const char* code, int16_t second = 0, int16_t result = 0)
{
    DQOO_CHECKED_OPERATION op{};
    op.sFirst = first;
    std::memcpy(op.achCode, code, 2);
    op.sSecond = second;
    op.sResult = result;
    return op;
}

class CompiledRoutines : public ::testing::Test {
protected:
    objlayer_test::SampleRepository repo;
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();

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
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
    }
    void compile(const DQOO_COMPILE_REQUEST& r, const char* expected)
    {
        char reference[10] = {}, reason[200] = {};
        ASSERT_EQ(0, DQOO_FCC_CompileCheckedExpression(handle, &r, reference, reason, sizeof reason)) << reason;
        EXPECT_EQ(std::string(reference + 1, 8), expected);
    }
    // One expression assigned to one field.
    void compileValue(const DQOO_CHECKED_EXPRESSION& e, const DQOO_CHECKED_OPERAND& target, const char* expected,
                      char round = 'N')
    {
        DQOO_COMPILE_REQUEST r{};
        r.lForm = DQOO_COMPILE_VALUE;
        r.ulExpressionCount = 1;
        r.pExpressions = &e;
        r.ulTargetCount = 1;
        r.pTargets = &target;
        r.chRound = round;
        compile(r, expected);
    }
    void compileCondition(const DQOO_CHECKED_EXPRESSION& e, const char* expected)
    {
        DQOO_COMPILE_REQUEST r{};
        r.lForm = DQOO_COMPILE_CONDITION;
        r.ulExpressionCount = 1;
        r.pExpressions = &e;
        compile(r, expected);
    }
    void compileSpecial(const char* value, const DQOO_CHECKED_OPERAND& target, const char* expected)
    {
        DQOO_COMPILE_REQUEST r{};
        r.lForm = DQOO_COMPILE_SPECIAL;
        r.ulTargetCount = 1;
        r.pTargets = &target;
        r.pszSpecialValue = value;
        compile(r, expected);
    }
};

}  // namespace expr_compile_test

#endif
