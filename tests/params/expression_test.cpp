// The expression and condition check: precedence, brackets, types, and
// each finding with its data; and VALID_fP8015 as another tool calls it.
#include "checked_access.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/valid.h"
#include "params/literal_key.h"
#include "params_env.h"

namespace {

using Msgs = std::vector<std::pair<std::string, std::string>>;

struct Op {
    int first;
    std::string code;
    int second;
    int result;
    bool operator==(const Op&) const = default;
};
std::ostream& operator<<(std::ostream& os, const Op& o)
{
    return os << "{" << o.first << " " << o.code << " " << o.second << " -> " << o.result << "}";
}

class Expression : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(env.ready());
        DC_SetExpressionQueue(kQueue);
        std::memset(&options, ' ', sizeof options);
        std::memset(options.acOptions, 'Y', 8);
        std::memcpy(options.acMsgFile, "DC@F23", 6);
        options.lReserved = 0;
    }
    int32_t Check(const std::string& expr, char type, const char* prefix = "@@@@@@")
    {
        text = expr;
        req = std::make_unique<DC_EXPRESSION_REQUEST>();
        std::memset(req.get(), 0, sizeof *req);
        req->pchText = text.data();
        req->pWorkArea = work;
        req->ulTextLength = static_cast<uint32_t>(text.size());
        std::memcpy(req->acWorkPrefix, prefix, 6);
        req->cExpectedType = type;
        std::memcpy(req->acResultClass, "FL", 2);
        req->lResultLength = resultLength;
        req->lResultDecimals = resultDecimals;
        std::memcpy(req->acCaller, "DC_P3109  ", 10);
        std::memcpy(req->acRound, "*NO ", 4);
        return DC_P8015(&env.ctx, &options, req.get(), &list, 1, tokens, nullptr);
    }
    std::vector<Op> Ops() const
    {
        std::vector<Op> out;
        for (int i = 0; i < req->sOperationCount; ++i) {
            const DC_OPERATION& o = req->aOperations[i];
            out.push_back({o.sFirst, std::string(o.acCode, 2), o.sSecond, o.sResult});
        }
        return out;
    }
    std::string OperandName(int i) const
    {
        std::string s(req->aOperands[i - 1].acName, 50);
        return s.substr(0, s.find_last_not_of(' ') + 1);
    }
    // The raw 16-byte token entry i (from 0).
    std::string TokenBytes(int i, int from, int n) const { return std::string(tokens + i * 16 + from, n); }

    ParamsEnv env;
    DC_CHECK_OPTIONS options;
    std::string text;
    std::unique_ptr<DC_EXPRESSION_REQUEST> req;
    DC_OPERAND_LIST list;
    char tokens[DC_TOKEN_TABLE_SIZE];
    char work[DC_WORK_AREA_SIZE] = {};
    int32_t resultLength = 9;
    int32_t resultDecimals = 2;
};

TEST_F(Expression, PrecedenceAndTheTokenTable)
{
    ASSERT_EQ(Check("#CREDIT + 1 * 2", 'N'), 0);
    EXPECT_EQ(req->lTokenCount, 5);
    EXPECT_EQ(TokenBytes(0, 0, 2), "FL");
    EXPECT_EQ(TokenBytes(1, 4, 2), "AD");
    EXPECT_EQ(TokenBytes(3, 4, 2), "MU") << "operator code at the fifth and sixth bytes";
    int16_t position;
    std::memcpy(&position, tokens + 3 * 16 + 6, 2);
    EXPECT_EQ(position, 13);
    EXPECT_EQ(Ops(), (std::vector<Op>{{2, "MU", 3, 4}, {1, "AD", 4, 5}, {5, "ZA", 0, 0}}));
    EXPECT_EQ(req->sOperandCount, 5);
    EXPECT_EQ(OperandName(1), "#CREDIT");
    EXPECT_EQ(std::string(req->aOperands[0].acClass, 2), "FL");
    EXPECT_EQ(std::string(req->aOperands[1].acClass, 2), "NL");
    EXPECT_EQ(OperandName(4), "@@@@@@001");
    EXPECT_EQ(req->aOperands[3].cWorkResult, 'Y');
    EXPECT_EQ(req->aOperands[3].lLength, 2) << "1 * 2: two whole digits";
    EXPECT_EQ(req->aOperands[4].lLength, 9) << "the last operation writes in the result's size";
    EXPECT_EQ(req->aOperands[4].sDecimals, 2);
    EXPECT_EQ(list.sCount, 5);
    EXPECT_EQ(list.a[0].sLength, 11);
    EXPECT_EQ(list.a[0].sDecimals, 2);
    EXPECT_EQ(env.Take(), Msgs{});
}

TEST_F(Expression, TheResultIsSizedAgainstTheRequest)
{
    // 11,2 times 5,0 into a result of 9,2
    ASSERT_EQ(Check("#CREDIT * #WRKCNT", 'N'), 0);
    EXPECT_EQ(Ops(), (std::vector<Op>{{1, "MU", 2, 3}, {3, "ZA", 0, 0}}));
    EXPECT_EQ(req->aOperands[2].lLength, 9);
    EXPECT_EQ(req->aOperands[2].sDecimals, 2);
    // the widened form: the product keeps 14 whole digits and 2 decimals
    ASSERT_EQ(Check("( #CREDIT * #WRKCNT )", 'N'), 0);
    EXPECT_EQ(Ops(), (std::vector<Op>{{1, "MU", 2, 3}, {3, "ZA", 0, 0}}));
    EXPECT_EQ(req->aOperands[2].lLength, 16);
    EXPECT_EQ(req->aOperands[2].sDecimals, 2);
    EXPECT_EQ(list.a[2].sLength, 16);
    ASSERT_EQ(Check("(#CREDIT + 1) * (#WRKCNT - 1)", 'N'), 0) << "brackets that do not enclose the whole text";
    EXPECT_EQ(req->aOperands[6].lLength, 9);
    /* a sum or difference holds one whole digit more than the longer
       operand's: 11,2 plus 1 is 12,2; 5,0 minus 1 is 6,0 */
    EXPECT_EQ(req->aOperands[4].lLength, 12);
    EXPECT_EQ(req->aOperands[4].sDecimals, 2);
    EXPECT_EQ(req->aOperands[5].lLength, 6);
    EXPECT_EQ(req->aOperands[5].sDecimals, 0);
    ASSERT_EQ(Check("#CREDIT", 'N'), 0) << "a field is moved into the result";
    ASSERT_EQ(Check("1234567.25", 'N'), 0);
    EXPECT_EQ(env.Take(), Msgs{});

    EXPECT_EQ(Check("12345678", 'N'), 1) << "eight whole digits where seven fit";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "12345678            +0000009+0000010"}}));
    EXPECT_EQ(Check("1.234", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0404", "1.234               +0000002+0000003"}}));
    resultLength = 5;
    resultDecimals = 0;
    EXPECT_EQ(Check("'ABCDEF'", 'A'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0403", "'ABCDEF'            +0000005+0000006"}}));
    ASSERT_EQ(Check("'ABCDE'", 'A'), 0);
    ASSERT_EQ(Check("#CUSTSTS = 'ABCDEFGH'", 'L'), 0) << "a condition has no result size";
    EXPECT_EQ(env.Take(), Msgs{});
}

TEST_F(Expression, TheGeneratorsAreaAndBuffersAreLeftAsTheyAre)
{
    char buffers[5][8] = {};
    text = "#CREDIT * 2 + 1";
    req = std::make_unique<DC_EXPRESSION_REQUEST>();
    std::memset(req.get(), 0, sizeof *req);
    req->pchText = text.data();
    req->ulTextLength = static_cast<uint32_t>(text.size());
    req->pWorkArea = work;
    for (int i = 0; i < 5; ++i)
        req->apBuffers[i] = buffers[i];
    req->cExpectedType = 'N';
    req->lResultLength = 9;
    req->lResultDecimals = 2;
    ASSERT_EQ(DC_P8015(&env.ctx, &options, req.get(), &list, 1, tokens, nullptr), 0);
    EXPECT_EQ(req->pWorkArea, static_cast<void*>(work));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(req->apBuffers[i], static_cast<void*>(buffers[i]));
    EXPECT_TRUE(std::all_of(work, work + DC_WORK_AREA_SIZE, [](char c) { return c == 0; }));
    EXPECT_EQ(req->lTokenCount, 5);
}

TEST_F(Expression, BracketsDivisionAndWorkFieldNames)
{
    ASSERT_EQ(Check("(#CREDIT + 1) / 3", 'N', "R@W004"), 0);
    EXPECT_EQ(TokenBytes(0, 0, 2), "OB");
    EXPECT_EQ(TokenBytes(4, 0, 2), "CB");
    EXPECT_EQ(TokenBytes(5, 4, 2), "DV");
    EXPECT_EQ(Ops(), (std::vector<Op>{{1, "AD", 2, 4}, {4, "DV", 3, 5}, {5, "ZA", 0, 0}}));
    EXPECT_EQ(OperandName(5), "R@W004002");
    EXPECT_EQ(Check("#CREDIT / 0", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0458", "+0000009"}}));
    EXPECT_EQ(req->lErrorPosition, 9);
}

TEST_F(Expression, ConditionsWithAndOrChains)
{
    ASSERT_EQ(Check("#CUSTSTS = A AND #CREDIT > 100 OR #WRKCNT < 5", 'L'), 0);
    EXPECT_EQ(
        Ops(),
        (std::vector<Op>{
            {1, "EQ", 2, 7}, {3, "GT", 4, 8}, {7, "AN", 8, 9}, {5, "LT", 6, 10}, {9, "OR", 10, 11}, {11, "IF", 0, 0}}));
    EXPECT_EQ(std::string(req->aOperands[1].acClass, 2), "AL") << "A names no field: a literal";
    EXPECT_EQ(req->aOperands[6].cType, 'L');
    ASSERT_EQ(Check("#CUSTSTS *EQ 'A' *AND (#CREDIT *GE 0 *OR #WRKCNT <> 1)", 'L'), 0);
    EXPECT_EQ(
        Ops(),
        (std::vector<Op>{
            {1, "EQ", 2, 7}, {3, "GE", 4, 8}, {5, "NE", 6, 9}, {8, "OR", 9, 10}, {7, "AN", 10, 11}, {11, "IF", 0, 0}}))
        << "the bracketed OR first";
    ASSERT_EQ(Check("#CUSTSTS = A", 'L'), 0) << "the condition of the sample function";
    EXPECT_EQ(env.Take(), Msgs{});
}

// One check after another, each refused at a different stage or holding
// more than the next: the last condition's request holds its own three
// tokens, three operands and two operations, nothing of the checks before.
TEST_F(Expression, EachCheckHoldsOnlyItsOwnTables)
{
    ASSERT_EQ(Check("#CUSTSTS = A AND #CREDIT > 100 OR #WRKCNT < 5", 'L'), 0);
    EXPECT_EQ(req->sOperandCount, 11);
    EXPECT_EQ(Check("(#CREDIT + 1 + 2 + 3", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0451", "+0000001"}}));
    EXPECT_EQ(Check("#CREDIT * / 2", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0454", "/         +0000011"}}));
    ASSERT_EQ(Check("#CUSTSTS = A", 'L'), 0);
    EXPECT_EQ(req->lTokenCount, 3);
    EXPECT_EQ(req->sOperandCount, 3);
    EXPECT_EQ(OperandName(1), "#CUSTSTS");
    EXPECT_EQ(OperandName(2), "A");
    EXPECT_EQ(req->aOperands[2].cWorkResult, 'Y');
    EXPECT_EQ(Ops(), (std::vector<Op>{{1, "EQ", 2, 3}, {3, "IF", 0, 0}}));
    EXPECT_EQ(env.Take(), Msgs{});
}

TEST_F(Expression, EveryOperatorSpellingGivesItsCode)
{
    // symbols and words, in either case, words with or without their '*'
    const std::vector<std::pair<std::string, std::string>> comparisons = {
        {"=", "EQ"},   {"EQ", "EQ"}, {"eq", "EQ"}, {"*Eq", "EQ"}, {"<>", "NE"}, {"^=", "NE"}, {"NE", "NE"},
        {"*ne", "NE"}, {"<", "LT"},  {"LT", "LT"}, {"lt", "LT"},  {"<=", "LE"}, {"LE", "LE"}, {"*LE", "LE"},
        {">", "GT"},   {"GT", "GT"}, {"*gt", "GT"}, {">=", "GE"}, {"GE", "GE"}, {"ge", "GE"}};
    for (const auto& [spelling, code] : comparisons) {
        ASSERT_EQ(Check("#CREDIT " + spelling + " 1", 'L'), 0) << spelling;
        EXPECT_EQ(Ops(), (std::vector<Op>{{1, code, 2, 3}, {3, "IF", 0, 0}})) << spelling;
    }
    ASSERT_EQ(Check("#CREDIT > 1 and #WRKCNT < 2 *or #CUSTSTS = A", 'L'), 0);
    EXPECT_EQ(Ops(), (std::vector<Op>{{1, "GT", 2, 7},
                                      {3, "LT", 4, 8},
                                      {7, "AN", 8, 9},
                                      {5, "EQ", 6, 10},
                                      {9, "OR", 10, 11},
                                      {11, "IF", 0, 0}}));
    ASSERT_EQ(Check("#CREDIT - 1 * 2", 'N'), 0);
    EXPECT_EQ(Ops(), (std::vector<Op>{{2, "MU", 3, 4}, {1, "SU", 4, 5}, {5, "ZA", 0, 0}}));
    EXPECT_EQ(env.Take(), Msgs{});
    // no operator of the language
    EXPECT_NE(Check("#CREDIT => 1", 'L'), 0);
    EXPECT_FALSE(env.Take().empty());
}

TEST_F(Expression, TypeFindings)
{
    EXPECT_EQ(Check("#CUSTNAM = 5", 'L'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0456", "#CUSTNAM            5                   "}}));
    EXPECT_EQ(Check("#CUSTNAM + 1", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0457", "#CUSTNAM            "}}));
    EXPECT_EQ(Check("#CREDIT + 1", 'L'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0459", "LN"}}));
    EXPECT_EQ(Check("#CREDIT AND #WRKCNT > 1", 'L'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0459", "LN"}}));
    EXPECT_EQ(Check("#NOSUCH + 1", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0401", "#NOSUCH             "}}));
    EXPECT_EQ(Check("*NOVAR = 1", 'L'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0406", "*NOVAR              "}}));
}

TEST_F(Expression, StructureFindings)
{
    EXPECT_EQ(Check("(#CREDIT + 1", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0451", "+0000001"}}));
    EXPECT_EQ(Check("#CREDIT + 1)", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0452", "+0000012"}}));
    EXPECT_EQ(Check("#CREDIT % 2", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0453", "%         +0000009"}}));
    EXPECT_EQ(Check("#CREDIT =< 2", 'L'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0453", "=<        +0000009"}}));
    EXPECT_EQ(Check("#CREDIT +", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0454", "+         +0000009"}}));
    EXPECT_EQ(Check("* 2", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0454", "*         +0000001"}}));
    EXPECT_EQ(Check("#CREDIT * / 2", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0454", "/         +0000011"}}));
    EXPECT_EQ(Check("(#CREDIT +) * 2", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0454", "+         +0000010"}}));
    EXPECT_EQ(Check("#CREDIT 5", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0455", "5                   +0000009"}}));
    EXPECT_EQ(Check("   ", 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0460", ""}}));
    EXPECT_EQ(Check("#CUSTNAM = 'abc", 'L'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0461", "+0000012"}}));
    std::string many = "1";
    for (int i = 0; i < 30; ++i)
        many += " + 1";
    EXPECT_EQ(Check(many, 'N'), 1) << "61 tokens";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0462", "+0000049"}}));
    EXPECT_EQ(req->lError, 1);
    // far more operands than the table holds: one finding for the expression
    std::string terms = "#CREDIT";
    for (int i = 1; i < 240; ++i)
        terms += " + #CREDIT";
    EXPECT_EQ(Check(terms, 'N'), 1);
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0462", "+0000049"}}));
}

int32_t Width(void*, const char* comp, const char* prop, char* type, int32_t* len, int32_t* dec)
{
    if (std::string(comp) != "PANEL" || std::string(prop) != "WIDTH")
        return 0;
    *type = 'S';
    *len = 5;
    *dec = 0;
    return 1;
}

TEST_F(Expression, ComponentFlavourTakesProperties)
{
    DC_SetComponentPropertyLookup(Width, nullptr);
    text = "#PANEL.Width * 2 > #CREDIT";
    req = std::make_unique<DC_EXPRESSION_REQUEST>();
    std::memset(req.get(), 0, sizeof *req);
    req->pchText = text.data();
    req->ulTextLength = static_cast<uint32_t>(text.size());
    req->cExpectedType = 'L';
    EXPECT_EQ(Component_P8015(&env.ctx, &options, req.get(), &list, 1, tokens, work, nullptr, 1, 0), 0);
    EXPECT_EQ(std::string(req->aOperands[0].acClass, 2), "CP");
    EXPECT_EQ(checked::First(Ops()), (Op{1, "MU", 2, 4}));
    EXPECT_EQ(Check(text, 'L'), 1) << "the classic flavour knows no properties";
    EXPECT_EQ(env.Take(), (Msgs{{"DCM0408", "#PANEL.WIDTH        "}}));
    DC_SetComponentPropertyLookup(nullptr, nullptr);
}

TEST_F(Expression, HostileTextsGiveFindingsNotCrashes)
{
    const std::string texts[] = {std::string(2000, '('),
                                 std::string(2000, ')'),
                                 "1" + std::string(3000, '+'),
                                 std::string(9000, '9'),
                                 "'" + std::string(5000, 'x') + "'",
                                 "X'" + std::string(600, 'F') + "'",
                                 "#A.B.C.D = *MTXT" + std::string(40, 'M'),
                                 "<><><><>",
                                 std::string("#CREDIT \0 1", 11),
                                 "((((1))))",
                                 "- - - 1"};
    for (const std::string& t : texts) {
        for (char type : {'A', 'N', 'L'}) {
            int32_t rc = Check(t, type);
            Msgs found = env.Take();
            EXPECT_EQ(rc != 0, !found.empty()) << t.substr(0, 30);
            EXPECT_LE(req->lTokenCount, DC_TOKEN_MAX);
            EXPECT_LE(req->sOperandCount, DC_OPERAND_MAX);
        }
    }
    EXPECT_EQ(Check("((((1))))", 'N'), 0);
}

TEST(SingleCheck, AnotherToolChecksAnExpression)
{
    ParamsEnv env;  // the repository connection
    ASSERT_TRUE(env.ready());
    FFC_SYSTEM_DEFINITION sys{};
    std::snprintf(sys.szPartition, sizeof sys.szPartition, "DEM");
    std::snprintf(sys.szLanguage, sizeof sys.szLanguage, "ENG");
    sys.cDecimalPoint = '.';
    std::memcpy(sys.acNationalChars, "#@$", 3);
    ASSERT_EQ(VALID_InitServices(&sys, 0, 0, nullptr), 0);
    ASSERT_EQ(VALID_CreateMsgQueue("EXPRCHK   "), 0);

    std::string text = "(#CREDIT + 10) * 2 > 500";
    auto req = std::make_unique<DC_EXPRESSION_REQUEST>();
    std::memset(req.get(), 0, sizeof *req);
    req->pchText = text.data();
    req->ulTextLength = static_cast<uint32_t>(text.size());
    std::memcpy(req->acWorkPrefix, "@@@@@@", 6);
    req->cExpectedType = 'L';
    DC_OPERAND_LIST list;
    char tokens[DC_TOKEN_TABLE_SIZE];
    EXPECT_EQ(VALID_fP8015(req.get(), &list, tokens, "EXPRCHK   "), 1);
    EXPECT_EQ(req->lTokenCount, 9);
    EXPECT_EQ(std::string(tokens + 5 * 16 + 4, 2), "MU");
    EXPECT_EQ(req->sOperationCount, 4);
    uint32_t count = 99;
    ASSERT_EQ(qvrms3(VALID_pGetSession(), "EXPRCHK", &count), 0);
    EXPECT_EQ(count, 0u);

    text = "(#CREDIT + 10 * 2 > 500";
    req->ulTextLength = static_cast<uint32_t>(text.size());
    req->pchText = text.data();
    EXPECT_EQ(VALID_fP8015(req.get(), &list, nullptr, "EXPRCHK   "), 0);
    ASSERT_EQ(qvrms3(VALID_pGetSession(), "EXPRCHK", &count), 0);
    ASSERT_EQ(count, 1u);
    char id[8], msg[256], severity = 0;
    ASSERT_EQ(qvrms4(VALID_pGetSession(), "EXPRCHK", 1, id, &severity, msg, sizeof msg), 0);
    EXPECT_STREQ(id, "DCM0451");
    EXPECT_EQ(severity, 'F');
    EXPECT_STREQ(msg, "The bracket opened at position +0000001 of the expression is not closed.");

    DC_OPERAND_BLOCK b;
    std::memset(&b, ' ', sizeof b);
    std::memcpy(b.acOperand, "#CUSTNO", 7);
    b.usOperandLength = 7;
    b.cTypeClass = 'N';
    b.lLength = 7;
    b.lDecimals = 0;
    std::memset(b.acOptions, 'Y', 8);
    EXPECT_EQ(VALID_fP8007(&b, "EXPRCHK   "), 1);
    EXPECT_EQ(std::string(b.acCode, 2), "FL");
    EXPECT_EQ(VALID_CloseMsgQueue("EXPRCHK"), 0);
}

// A literal longer than an operand's name (50 characters) is kept whole in
// the request itself: the name holds its start, the whole text goes with the
// request when it is copied, and operands that fit have no whole text.
TEST_F(Expression, LongLiteralsKeptWholeInTheRequest)
{
    const std::string sixty = "'" + std::string(58, 'A') + "'";
    const std::string fiftyFive = "'" + std::string(26, 'B') + std::string(27, 'C') + "'";
    ASSERT_EQ(Check("#CUSTNAM = " + sixty + " OR #CUSTNAM = " + fiftyFive + " OR #CUSTNAM = 'D'", 'L'), 0);
    std::vector<std::string> literals;
    for (int i = 0; i < req->sOperandCount; ++i)
        if (std::string(req->aOperands[i].acClass, 2) == "AL") {
            literals.push_back(dqov::literal::WholeOperandName(req.get(), i));
            if (literals.back().empty())
                EXPECT_EQ(OperandName(i + 1), "'D'");
            else
                EXPECT_EQ(std::string(req->aOperands[i].acName, 50), literals.back().substr(0, 50));
        } else {
            EXPECT_EQ(dqov::literal::WholeOperandName(req.get(), i), "") << OperandName(i + 1);
        }
    EXPECT_EQ(literals, (std::vector<std::string>{sixty, fiftyFive, ""}));
    auto copy = std::make_unique<DC_EXPRESSION_REQUEST>(*req);
    ASSERT_EQ(Check("#CUSTNAM = 'D'", 'L'), 0);
    EXPECT_EQ(dqov::literal::WholeOperandName(req.get(), 1), "");
    std::vector<std::string> copied;
    for (int i = 0; i < copy->sOperandCount; ++i)
        if (std::string(copy->aOperands[i].acClass, 2) == "AL")
            copied.push_back(dqov::literal::WholeOperandName(copy.get(), i));
    EXPECT_EQ(copied, literals);
    EXPECT_EQ(dqov::literal::WholeOperandName(copy.get(), -1), "");
    EXPECT_EQ(dqov::literal::WholeOperandName(copy.get(), copy->sOperandCount), "");
}

}  // namespace

// The operation work table handed in by the caller: an expression without
// operations leaves it blank (nothing is copied from an empty list).
TEST_F(Expression, NoOperationsLeaveTheWorkTableBlank)
{
    std::vector<char> table(DC_TOKEN_TABLE_SIZE, 'x');
    int withoutOperations = 0;
    for (const char* written : {"#CUSTSTS", "5", "'A'"}) {
        text = written;
        req = std::make_unique<DC_EXPRESSION_REQUEST>();
        std::memset(req.get(), 0, sizeof *req);
        req->pchText = text.data();
        req->ulTextLength = static_cast<uint32_t>(text.size());
        req->cExpectedType = 'A';
        req->lResultLength = 10;
        std::fill(table.begin(), table.end(), 'x');
        DC_P8015(&env.ctx, &options, req.get(), &list, 0, tokens, table.data());
        if (req->sOperationCount == 0) {
            ++withoutOperations;
            EXPECT_TRUE(std::all_of(table.begin(), table.end(), [](char c) { return c == 0; })) << written;
        }
    }
    EXPECT_GT(withoutOperations, 0);
}
