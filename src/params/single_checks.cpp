/* The operand and expression checks as other tools call them: in the
 * single-check session that VALID_InitServices started, with findings in
 * one of its message queues. */
#include <cstring>

#include "dqov/params/dqov_check.h"
#include "dqov/runcontrol/valid.h"

namespace {

/* Every operand kind allowed; the session's object names. */
DC_CHECK_OPTIONS SessionOptions(const FFC_CONTEXT* ctx)
{
    DC_CHECK_OPTIONS o;
    std::memset(&o, ' ', sizeof o);
    std::memset(o.acOptions, 'Y', 8);
    std::memcpy(o.acMsgFile, "DC@F23", 6);
    std::memcpy(o.acProcess, ctx->acProcess, 10);
    std::memcpy(o.acFunction, ctx->acFunction, 7);
    o.lReserved = 0;
    return o;
}

}  // namespace

extern "C" {

int32_t VALID_fP8007(DC_OPERAND_BLOCK* pBlock, const char* acQueue)
{
    FFC_CONTEXT* ctx = VALID_pGetSession();
    if (!ctx || !pBlock)
        return 0;
    int16_t rc = ctx->lComponentExpressions ? Component_P8007(ctx, pBlock, acQueue, 1, 1, 1, 1)
                                            : DC_P8007(ctx, pBlock, acQueue, 1, 1, 1, 0);
    return rc == 0 ? 1 : 0;
}

int32_t VALID_fP8015(DC_EXPRESSION_REQUEST* pRequest, DC_OPERAND_LIST* pOperands, void* pTokens, const char* acQueue)
{
    FFC_CONTEXT* ctx = VALID_pGetSession();
    if (!ctx || !pRequest)
        return 0;
    DC_CHECK_OPTIONS options = SessionOptions(ctx);
    DC_SetExpressionQueue(acQueue);
    int32_t error = ctx->lComponentExpressions
                        ? Component_P8015(ctx, &options, pRequest, pOperands, 1, pTokens, nullptr, nullptr, 1, 0)
                        : DC_P8015(ctx, &options, pRequest, pOperands, 1, pTokens, nullptr);
    return error == 0 ? 1 : 0;
}

}  // extern "C"
