/*
** evaluation_request.cpp: the expression checker's request for one
** evaluation routine of the generated program.
**
** Before an evaluation routine's code is written, its expression runs
** through the expression checker again, which leaves the operands, tokens
** and operations the routine writer reads. A numeric expression whose
** intermediate values may outgrow its result (a multiplication or
** division, or an operand wider than the result) is checked once more
** wrapped in parentheses, so that every operation keeps its full precision
** and only the final move brings the value to the result's size.
*/
#include <cstdio>
#include <cstring>

#include "generator/core/components/description_tables.h"
#include "generator/core/output/gen_state.h"
#include "generator/core/output/services.h"

namespace {

GEN_EVALUATION_REQUEST& request()
{
    static GEN_EVALUATION_REQUEST r;
    return r;
}

char expectedType(char cKind)
{
    switch (cKind) {
    case 'A': return 'A';
    case 'L': return 'L';
    default: return 'N';
    }
}

void fillRequest(GEN_EVALUATION_REQUEST& r, const GEN_EVALUATION_NODE& node)
{
    DC_EXPRESSION_REQUEST& q = r.request;
    if (r.workArea.size() != DC_WORK_AREA_SIZE)
        r.workArea.assign(DC_WORK_AREA_SIZE, '\0');
    void* area = r.workArea.data();
    q = DC_EXPRESSION_REQUEST{};
    q.pWorkArea = area;
    q.pchText = r.text.c_str();
    q.ulTextLength = static_cast<uint32_t>(r.text.size());
    q.cExpectedType = expectedType(node.cResultKind);
    std::memcpy(q.acResultClass, "FL", 2);
    q.lResultLength = node.lResultLength;
    q.lResultDecimals = node.sResultDecimals;
    std::memcpy(q.acCaller, "DC_P3109  ", 10);
    char prefix[8];
    if (node.alWorkFields[0] > 0)
        std::snprintf(prefix, sizeof prefix, "R@W%03d", node.alWorkFields[0] % 1000);
    else
        std::memcpy(prefix, "@@@@@@", 7);
    std::memcpy(q.acWorkPrefix, prefix, 6);
    q.alWorkFields[0] = node.alWorkFields[0];
    q.alWorkFields[1] = node.alWorkFields[1];
    std::memcpy(q.acRound, node.cChangeKind == 'R' ? "*YES" : "*NO ", 4);
    r.operands.sCount = 0;

    DC_CHECK_OPTIONS& o = r.options;
    std::memset(&o, ' ', sizeof o);
    std::memset(o.acOptions, 'Y', 8);
    std::memcpy(o.acMsgFile, "DC@F23", 6);
    const GEN_MODULE_STATE& g = P3109_State();
    const std::string process = P3109_Padded(g.process, 10), function = P3109_Padded(g.function, 10);
    std::memcpy(o.acProcess, process.data(), 10);
    std::memcpy(o.acFunction, function.data(), 10);
    o.lReserved = 0;
}

/* One run of the checker with the node's source position in the check
** state. */
void runCheck(GEN_EVALUATION_REQUEST& r, const GEN_EVALUATION_NODE& node)
{
    FFC_CONTEXT* ctx = P3109_Context();
    FFC_CHECK_STATE* st = P3109_CheckState();
    if (!ctx)
        return;
    int32_t saved[3] = {0, 0, 0};
    if (st) {
        saved[0] = st->lLine;
        saved[1] = st->lSequence;
        saved[2] = st->lLineNumber;
        st->lLine = node.lLine;
        st->lSequence = node.lSequence;
        st->lLineNumber = node.lLineNumber;
    }
    r.tokens.fill('\0');
    r.work.fill('\0');
    std::memset(&r.operands, 0, sizeof r.operands);
    if (ctx->lZophxUsed != 0 || ctx->lComponentRun != 0)
        Component_P8015(ctx, &r.options, &r.request, &r.operands, 0, r.tokens.data(), r.work.data(), st, 1, 0);
    else
        DC_P8015(ctx, &r.options, &r.request, &r.operands, 0, r.tokens.data(), r.work.data());
    ++r.lChecks;
    if (st) {
        st->lLine = saved[0];
        st->lSequence = saved[1];
        st->lLineNumber = saved[2];
    }
}

/* A multiplication or division, or an operand with more integer digits or
** more decimals than the result. */
bool needsWidening(const GEN_EVALUATION_REQUEST& r)
{
    const DC_EXPRESSION_REQUEST& q = r.request;
    const int32_t tokens = std::min<int32_t>(q.lTokenCount, DC_TOKEN_MAX);
    for (int32_t i = 0; i < tokens; ++i) {
        DC_TOKEN t;
        std::memcpy(&t, r.tokens.data() + static_cast<size_t>(i) * DC_TOKEN_ENTRY_SIZE, sizeof t);
        if (std::memcmp(t.acClass, "OP", 2) == 0 &&
            (std::memcmp(t.acOperator, "MU", 2) == 0 || std::memcmp(t.acOperator, "DV", 2) == 0))
            return true;
    }
    const int32_t resultDigits = q.lResultLength - q.lResultDecimals;
    const int16_t operands = std::min<int16_t>(q.sOperandCount, DC_OPERAND_MAX);
    for (int16_t i = 0; i < operands; ++i) {
        const DC_EXPRESSION_OPERAND& op = q.aOperands[i];
        if (op.lLength - op.sDecimals > resultDigits || op.sDecimals > q.lResultDecimals)
            return true;
    }
    return false;
}

}  // namespace

GEN_EVALUATION_REQUEST& P3109_EvaluationRequest()
{
    return request();
}

void P3109_FreeWorkBuffers()
{
    GEN_EVALUATION_REQUEST& r = request();
    std::vector<char>().swap(r.workArea);
    r.request = DC_EXPRESSION_REQUEST{};
    r.operands = DC_OPERAND_LIST{};
    r.tokens.fill('\0');
    r.work.fill('\0');
    std::string().swap(r.text);
    r.lChecks = 0;
}

int P3109_fIsWhollyParenthesised(std::string_view text, size_t ulLength)
{
    std::string_view t = text.substr(0, std::min(ulLength, text.size()));
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && (t.back() == ' ' || t.back() == '\0'))
        t.remove_suffix(1);
    if (t.size() < 2 || t.front() != '(' || t.back() != ')')
        return 0;
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        depth += t[i] == '(' ? 1 : t[i] == ')' ? -1 : 0;
        if (depth == 0)
            return i + 1 == t.size() ? 1 : 0;
    }
    return 0;
}

void P3109_PrepareEvaluationRequest(const GEN_EVALUATION_NODE& node)
{
    GEN_EVALUATION_REQUEST& r = request();
    r.lChecks = 0;
    r.text = node.text;
    fillRequest(r, node);
    runCheck(r, node);
    if (r.request.lError != 0 || r.request.cExpectedType != 'N' || P3109_fIsWhollyParenthesised(r.text, r.text.size()))
        return;
    if (!needsWidening(r))
        return;
    r.text = "( " + P3109_TrimRight(node.text) + " )";
    fillRequest(r, node);
    runCheck(r, node);
}
