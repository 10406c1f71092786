/*
** evaluation_services.cpp: the expression check of an evaluation routine of
** the generator's own chain, and the prototypes of the evaluation routines.
*/
#include "generator/core/evaluation_services.h"

#include <cstring>
#include <memory>

#include "generator/core/gen_state.h"
#include "generator/core/line_writer.h"
#include "generator/core/services.h"
#include "generator/expressions/expr_core_services.h"
#include "generator/expressions/expr_routines.h"

namespace {

char expectedType(char cKind)
{
    switch (cKind) {
    case 'L': return 'L';
    case 'A': return 'A';
    case 'P': case 'S': case 'D': return 'N';
    default: return 'A';
    }
}

/* Whether the first bracket of the text closes at its end. */
bool whollyParenthesised(const std::string& text)
{
    const std::string t = P3109_TrimRight(text);
    size_t start = t.find_first_not_of(' ');
    if (start == std::string::npos || t[start] != '(' || t.back() != ')')
        return false;
    int depth = 0;
    for (size_t i = start; i < t.size(); ++i) {
        if (t[i] == '(')
            ++depth;
        else if (t[i] == ')' && --depth == 0)
            return i + 1 == t.size();
    }
    return false;
}

/* A numeric expression is widened when it multiplies or divides, or when
** an operand has more integer digits or decimals than the result. */
bool needsWidening(const DC_EXPRESSION_REQUEST& r)
{
    for (int i = 0; i < r.sOperationCount; ++i)
        if (std::memcmp(r.aOperations[i].acCode, "MU", 2) == 0 || std::memcmp(r.aOperations[i].acCode, "DV", 2) == 0)
            return true;
    for (int i = 0; i < r.sOperandCount; ++i) {
        const DC_EXPRESSION_OPERAND& o = r.aOperands[i];
        if (o.lLength - o.sDecimals > r.lResultLength - r.lResultDecimals || o.sDecimals > r.lResultDecimals)
            return true;
    }
    return false;
}

int32_t runCheck(GEN_EVALUATION_REQUEST& q, const GEN_EVALUATION_NODE& entry)
{
    GEN_MODULE_STATE& g = P3109_State();
    FFC_CONTEXT* ctx = P3109_Context();
    DC_EXPRESSION_REQUEST& r = q.request;
    auto workArea = std::make_unique<char[]>(DC_WORK_AREA_SIZE);
    std::memset(workArea.get(), 0, DC_WORK_AREA_SIZE);
    const char round[4] = {r.acRound[0], r.acRound[1], r.acRound[2], r.acRound[3]};
    const char kind = r.cExpectedType;
    const int32_t length = r.lResultLength, decimals = r.lResultDecimals;
    std::memset(&r, 0, sizeof r);
    r.pchText = q.text.c_str();
    r.pWorkArea = workArea.get();
    r.ulTextLength = static_cast<uint32_t>(q.text.size());
    std::memcpy(r.acWorkPrefix, "@@@@@@", 6);
    r.cExpectedType = kind;
    std::memcpy(r.acResultClass, "FL", 2);
    r.lResultLength = length;
    r.lResultDecimals = decimals;
    std::memcpy(r.acCaller, "DC_P3109  ", 10);
    std::memcpy(r.acRound, round, 4);
    std::memset(&q.operands, 0, sizeof q.operands);
    q.tokens.fill('\0');
    DC_CHECK_OPTIONS options;
    std::memset(&options, ' ', sizeof options);
    std::memset(options.acOptions, 'Y', 8);
    std::memcpy(options.acMsgFile, "DC@F23", 6);
    std::memcpy(options.acProcess, P3109_Padded(g.process, 10).data(), 10);
    std::memcpy(options.acFunction, P3109_Padded(g.function, 10).data(), 10);
    options.lReserved = 0;

    /* the check reads the source position of the expression */
    FFC_CHECK_STATE* st = P3109_CheckState();
    int32_t saved[3] = {0, 0, 0};
    if (st) {
        saved[0] = st->lLine;
        saved[1] = st->lSequence;
        saved[2] = st->lLineNumber;
        st->lLine = entry.lLine;
        st->lSequence = entry.lSequence;
        st->lLineNumber = entry.lLineNumber;
    }
    const bool component = ctx && ctx->lZophxUsed;
    const int32_t rc = component ? Component_P8015(ctx, &options, &r, &q.operands, 0, q.tokens.data(), nullptr, st, 1, 0)
                                 : DC_P8015(ctx, &options, &r, &q.operands, 0, q.tokens.data(), nullptr);
    if (st) {
        st->lLine = saved[0];
        st->lSequence = saved[1];
        st->lLineNumber = saved[2];
    }
    r.pWorkArea = nullptr;
    return rc;
}

} // namespace

GEN_EVALUATION_REQUEST& P3109_EvaluationRequest()
{
    static auto request = std::make_unique<GEN_EVALUATION_REQUEST>();
    return *request;
}

void P3109_PrepareEvaluationRequest(const GEN_EVALUATION_NODE& entry)
{
    GEN_EVALUATION_REQUEST& q = P3109_EvaluationRequest();
    q.text = P3109_TrimRight(entry.text);
    std::memset(&q.request, 0, sizeof q.request);
    q.request.cExpectedType = expectedType(entry.cKind);
    q.request.lResultLength = entry.lTargetLength;
    q.request.lResultDecimals = entry.sTargetDecimals;
    std::memcpy(q.request.acRound, entry.cChangeKind == 'R' ? "*YES" : "*NO ", 4);
    if (runCheck(q, entry) != 0 || q.request.cExpectedType != 'N' || whollyParenthesised(q.text) ||
        !needsWidening(q.request))
        return;
    q.text = "( " + q.text + " )";
    runCheck(q, entry);
}

void P3109_WriteEvaluationPrototypes()
{
    GEN_MODULE_STATE& g = P3109_State();
    g.skel.cKeep = 'N';
    const std::deque<GEN_EVALUATION_NODE>& chain = P3109_EvaluationChain();
    if (!chain.empty()) {
        P3109_WriteDashedBoxComment(g.header, "Evaluation and Expression Function Prototypes");
        for (const GEN_EVALUATION_NODE& e : chain) {
            if (e.name.compare(0, 17, "EVALUATION_MACRO_") == 0)
                continue;
            P3109_WriteLine(g.header, 3, (e.cKind == 'L' ? "X_YES_NO_FUNCTION " : "X_VOID_FUNCTION ") + e.name +
                                             " (FUNCTION_STD_ARGS);");
        }
    }
    P3109_ExprWriter writer;
    EXPR_WriteEvaluationHeaderSections(writer);
}
