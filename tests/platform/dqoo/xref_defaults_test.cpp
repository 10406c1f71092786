// Cross-references of a check and default-value routines.

#include "checked_access.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_fixture.h"
#include "platform/dqoo/dqoo_pcode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

struct HandleBlock {
    alignas(8) unsigned char bytes[64] = {};
    FCC_BUILD_HANDLE* get() { return reinterpret_cast<FCC_BUILD_HANDLE*>(bytes); }
};

std::vector<std::string> g_xrefs;

class ObjectCheck : public ::testing::Test {
protected:
    HandleBlock block;
    FCC_BUILD_HANDLE* handle = block.get();
    void SetUp() override
    {
        g_xrefs.clear();
        DQOO_FCC_ClearExpressions();
        DQOO_BUILD_REQUEST request{};
        // A function build: it reads nothing from the repository.
        request.pszObjectName = "DEMOPRC";
        request.pszFunctionName = "DEMOFN";
        request.pszPartition = "DEM";
        uint32_t passes = 0;
        int32_t value = 0;
        ASSERT_EQ(0, DQOO_FCC_StartBuild(handle, &request, &passes, &value));
    }
    void TearDown() override
    {
        DQOO_FCC_EndChecking();
        DQOO_FCC_EndBuild(handle);
    }
    void startCheck(DQOO_RECORD_XREF xref)
    {
        DQOO_START_REQUEST start{};
        start.pfnRecordXref = xref;
        ASSERT_EQ(0, DQOO_FCC_StartChecking(handle, &start));
    }
};

long recordXref(const char* kind, const char* name, uint32_t line)
{
    g_xrefs.push_back(std::string(kind) + " " + name + " " + std::to_string(line));
    return 0;
}

TEST_F(ObjectCheck, CrossReferencesOfTheParsesOnceEach)
{
    EXPECT_EQ(DQOO_ERR_NO_CHECK, DQOO_FCC_EnumerateCrossReferences(handle));
    startCheck(recordXref);
    ASSERT_EQ(0, DQOO_FCC_ParseZOPHX(handle, "SET COM(#PROPERTY) VALUE(#CUSTNAME)", 6, nullptr, nullptr));
    ASSERT_EQ(0, DQOO_FCC_ParseZOPHX(handle, "#TOTAL := #CUSTNAME", 9, nullptr, nullptr));
    EXPECT_EQ(3, DQOO_FCC_EnumerateCrossReferences(handle));
    EXPECT_EQ((std::vector<std::string>{"FIELD PROPERTY 6", "FIELD CUSTNAME 6", "FIELD TOTAL 9"}), g_xrefs);

    // A new check starts with no references.
    ASSERT_EQ(0, DQOO_FCC_EndChecking());
    startCheck([](const char*, const char*, uint32_t) -> long { return 4; });
    EXPECT_EQ(0, DQOO_FCC_EnumerateCrossReferences(handle));
    ASSERT_EQ(0, DQOO_FCC_ParseZOPHX(handle, "#A := 1", 1, nullptr, nullptr));
    EXPECT_EQ(-4, DQOO_FCC_EnumerateCrossReferences(handle));
}

std::vector<EXPR_PCODE_ROUTINE*> routines()
{
    std::vector<EXPR_PCODE_ROUTINE*> seen;
    EXPECT_EQ(0, DQOO_FCC_EnumerateExpressionPcode(
                     [](EXPR_PCODE_ROUTINE* r, void* u) -> long {
                         static_cast<std::vector<EXPR_PCODE_ROUTINE*>*>(u)->push_back(r);
                         return 0;
                     },
                     &seen, 0));
    return seen;
}

TEST_F(ObjectCheck, DefaultValueRoutines)
{
    char reference[10] = {};
    const DQOO_DEFAULT_VALUE_REQUEST alpha{"CUSTSTS   ", 'A', 1, 0, "'A'"};
    ASSERT_EQ(0, DQOO_FCC_PrepareDefaultValueRoutine(handle, &alpha, reference));
    EXPECT_EQ(std::string("\003O0000001", 9), std::string(reference, 9));
    const DQOO_DEFAULT_VALUE_REQUEST packed{"CREDIT", 'P', 11, 2, "-500"};
    ASSERT_EQ(0, DQOO_FCC_PrepareDefaultValueRoutine(handle, &packed, reference));
    EXPECT_EQ(std::string("\003O0000002", 9), std::string(reference, 9));

    const std::vector<EXPR_PCODE_ROUTINE*> all = routines();
    ASSERT_EQ(2u, all.size());
    const EXPR_PCODE_ROUTINE& first = *all[0];
    EXPECT_EQ(EXPR_ROUTINE_DEFAULT_VALUE, first.kind);
    EXPECT_EQ(1, first.number);
    ASSERT_EQ(1u, first.expressionCount);
    const EXPR_EXPRESSION& e = *first.expressions[0];
    ASSERT_EQ(2u, e.instructionCount);
    EXPECT_EQ(26u, e.instructions[0]->opcode);  // PUSH_STRING_CONSTANT_AS_STRING
    EXPECT_EQ(EXPR_NODE_STRING_CONSTANT, e.instructions[0]->operand->kind);
    EXPECT_STREQ("A", e.instructions[0]->operand->valueText);
    EXPECT_EQ(619u, e.instructions[1]->opcode);  // PULL_ALPHA_VECTOR_FROM_STRING
    EXPECT_STREQ("CUSTSTS", e.instructions[1]->operand->fieldRef);
    ASSERT_EQ(1u, e.variantCount);
    EXPECT_EQ(EXPR_VARIANT_GENERIC, e.variants[0]->tag);
    ASSERT_EQ(1u, e.variants[0]->statementCount);
    EXPECT_EQ(EXPR_STATEMENT_ASSIGNMENT, e.variants[0]->statements[0]->kind);
    EXPECT_EQ(e.instructions[1], e.variants[0]->statements[0]->operation);
    /* the value assigned is the push instruction's, whose operand is the constant */
    EXPECT_EQ(e.instructions[0], e.variants[0]->statements[0]->source);

    const EXPR_EXPRESSION& p = *all[1]->expressions[0];
    EXPECT_EQ(6u, p.instructions[0]->opcode);  // PUSH_INT32_CONSTANT_AS_DECIMAL
    EXPECT_EQ(EXPR_NODE_INT32_CONSTANT, p.instructions[0]->operand->kind);
    EXPECT_EQ(static_cast<uint32_t>(-500), p.instructions[0]->operand->value);
    EXPECT_STREQ("-500", p.instructions[0]->operand->valueText);
    EXPECT_EQ(445u, p.instructions[1]->opcode);  // PULL_PACKED_VECTOR_FROM_DECIMAL

    // The reference names the routine for the routine enumeration.
    std::vector<EXPR_PCODE_ROUTINE*> elements;
    ASSERT_EQ(0, DQOO_FCC_EnumerateRoutinePcode(
                     reference,
                     [](EXPR_PCODE_ROUTINE* r, void* u, void*) -> long {
                         static_cast<std::vector<EXPR_PCODE_ROUTINE*>*>(u)->push_back(r);
                         return 0;
                     },
                     &elements, nullptr));
    ASSERT_EQ(1u, elements.size());
    EXPECT_EQ(all[1], elements[0]);
}

TEST_F(ObjectCheck, DefaultsThatCannotBeCompiled)
{
    char reference[10] = {};
    const DQOO_DEFAULT_VALUE_REQUEST blanks{"CUSTNAM", 'A', 40, 0, "*BLANKS"};
    EXPECT_EQ(0, DQOO_FCC_PrepareDefaultValueRoutine(handle, &blanks, reference));
    const DQOO_DEFAULT_VALUE_REQUEST zero{"CREDIT", 'S', 5, 0, "*zero"};
    EXPECT_EQ(0, DQOO_FCC_PrepareDefaultValueRoutine(handle, &zero, reference));
    const DQOO_DEFAULT_VALUE_REQUEST tooLong{"CUSTSTS", 'A', 1, 0, "'AB'"};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_PrepareDefaultValueRoutine(handle, &tooLong, reference));
    const DQOO_DEFAULT_VALUE_REQUEST tooManyDigits{"CREDIT", 'P', 5, 2, "1234"};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_PrepareDefaultValueRoutine(handle, &tooManyDigits, reference));
    const DQOO_DEFAULT_VALUE_REQUEST fraction{"CREDIT", 'P', 5, 2, "-12.5"};
    EXPECT_EQ(0, DQOO_FCC_PrepareDefaultValueRoutine(handle, &fraction, reference));
    const EXPR_EXPRESSION& f = *checked::Last(routines())->expressions[0];
    EXPECT_EQ(20u, f.instructions[0]->opcode);  // PUSH_PACKED_CONSTANT_AS_DOUBLE
    EXPECT_EQ(EXPR_NODE_DECIMAL_CONSTANT, f.instructions[0]->operand->kind);
    EXPECT_STREQ("-12.5", f.instructions[0]->operand->valueText);
    EXPECT_STREQ("\\x12\\x5D", f.instructions[0]->operand->packedText);
    EXPECT_EQ(438u, f.instructions[1]->opcode);  // PULL_PACKED_VECTOR_FROM_DOUBLE
    EXPECT_EQ(2, f.instructions[1]->operand->pullOperand) << "stored with the field's two decimals";
    const DQOO_DEFAULT_VALUE_REQUEST tooManyDecimals{"CREDIT", 'P', 5, 2, "1.505"};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_PrepareDefaultValueRoutine(handle, &tooManyDecimals, reference));
    const DQOO_DEFAULT_VALUE_REQUEST tooManyWholeDigits{"CREDIT", 'P', 5, 2, "1234.5"};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_PrepareDefaultValueRoutine(handle, &tooManyWholeDigits, reference));
    const DQOO_DEFAULT_VALUE_REQUEST date{"ORDDATE", 'E', 10, 0, "*SQLNULL"};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_PrepareDefaultValueRoutine(handle, &date, reference));
    const DQOO_DEFAULT_VALUE_REQUEST unquoted{"CUSTSTS", 'A', 1, 0, "A"};
    EXPECT_EQ(DQOO_ERR_UNSUPPORTED, DQOO_FCC_PrepareDefaultValueRoutine(handle, &unquoted, reference));
    EXPECT_EQ(3u, routines().size());
    EXPECT_EQ(DQOO_ERR_ARGUMENT, DQOO_FCC_PrepareDefaultValueRoutine(handle, nullptr, reference));
}

}  // namespace
