/*
** gen_state.cpp: the generator's one module state.
*/
#include "generator/core/output/gen_state.h"

FFC_CONTEXT* P3109_Context()
{
    return P3109_State().args.pContext;
}

FFC_CHECK_STATE* P3109_CheckState()
{
    return P3109_State().args.pState;
}

int32_t P3109_lAbortWord()
{
    const FFC_CHECK_STATE* st = P3109_CheckState();
    return st ? st->stats.lFatalLater : 0;
}

bool P3109_fCSharpRequested()
{
    const FFC_CONTEXT* ctx = P3109_Context();
    return ctx && (ctx->cCSharp == 'Y' || ctx->cCSharpSecond == 'Y');
}
