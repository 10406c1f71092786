// The run context: the current context and option words, its fill from the
// caller's system definition, its release, and the label-number stack.
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/valid.h"
#include "dqov/runcontrol/workfile.h"
#include "dqov/runcontrol/x_tree.h"
#include "platform/dqoz/dqoz.h"
#include "runcontrol/definitions_internal.h"
#include "runcontrol/rc_internal.h"

struct FFC_LABEL_STACK {
    std::vector<uint32_t> numbers;
};

namespace {

FFC_CONTEXT* g_current = nullptr;
FFC_OPTION_WORDS* g_options = nullptr;
const FFC_RUN_REQUEST* g_kept = nullptr;

char orBlank(char c)
{
    return c ? c : ' ';
}

}  // namespace

extern "C" {

FFC_CONTEXT* P31O2_pGetCurrentRunContext(void)
{
    return g_current;
}
void P31O2_SetCurrentRunContext(FFC_CONTEXT* ctx)
{
    g_current = ctx;
}
FFC_OPTION_WORDS* P31O2_pGetCurrentOptionWords(void)
{
    return g_options;
}
void P31O2_SetCurrentOptionWords(FFC_OPTION_WORDS* words)
{
    g_options = words;
}

void P31O2_FillRunContext(FFC_CONTEXT* ctx, const FFC_SYSTEM_DEFINITION* sys)
{
    if (!ctx)
        return;
    std::memset(ctx->acPartition, ' ', sizeof ctx->acPartition);
    std::memset(ctx->acLanguage, ' ', sizeof ctx->acLanguage);
    std::memset(ctx->acProcess, ' ', sizeof ctx->acProcess);
    std::memset(ctx->acFunction, ' ', sizeof ctx->acFunction);
    std::memset(ctx->acComponent, ' ', sizeof ctx->acComponent);
    std::memset(ctx->acSecondComponent, ' ', sizeof ctx->acSecondComponent);
    std::memset(ctx->acObjectName, ' ', sizeof ctx->acObjectName);
    std::memset(ctx->acProcessDescription, ' ', sizeof ctx->acProcessDescription);
    std::memset(ctx->acFunctionDescription, ' ', sizeof ctx->acFunctionDescription);
    std::memset(ctx->acMsgData, ' ', sizeof ctx->acMsgData);
    std::memset(ctx->acUser, ' ', sizeof ctx->acUser);
    std::memset(ctx->acProduct, ' ', sizeof ctx->acProduct);
    ctx->cNatChar1 = ctx->cNatChar2 = ' ';
    ctx->cNatChar3 = '$';
    ctx->cExtraKey = 'N';
    std::memset(ctx->acExtraKeyNumber, ' ', sizeof ctx->acExtraKeyNumber);
    std::memset(ctx->acExtraKeyText, ' ', sizeof ctx->acExtraKeyText);
    ctx->cDecimalPoint = '.';
    ctx->cJobType = 'I';
    ctx->cCSharp = ctx->cCSharpSecond = 'N';
    ctx->lFunctionRun = 1;
    ctx->lPassCount = 1;
    ctx->usScreenLines = 24;
    ctx->pSystemDefinition = sys;

    DQOZ_DATETIME now{};
    if (DosGetDateTime(&now) == 0) {
        int yy = now.year % 100;
        ctx->lTodayYYYYMMDD = now.year * 10000 + now.month * 100 + now.day;
        ctx->lTodayYYMMDD = yy * 10000 + now.month * 100 + now.day;
        ctx->lTodayDDMMYY = now.day * 10000 + now.month * 100 + yy;
        ctx->lTodayMMDDYY = now.month * 10000 + now.day * 100 + yy;
    }
    if (!sys)
        return;
    rc::Pad(ctx->acPartition, 3, rc::Trimmed(sys->szPartition, sizeof sys->szPartition));
    rc::Pad(ctx->acLanguage, 4, rc::Trimmed(sys->szLanguage, sizeof sys->szLanguage));
    ctx->cMultilingual = std::memcmp(ctx->acLanguage, "NAT ", 4) == 0 ? 'N' : 'Y';
    rc::Pad(ctx->acDateFormat, 3, rc::Trimmed(sys->szDateFormat, sizeof sys->szDateFormat));
    if (sys->cDecimalPoint)
        ctx->cDecimalPoint = sys->cDecimalPoint;
    ctx->cNatChar1 = orBlank(sys->acNationalChars[0]);
    ctx->cNatChar2 = orBlank(sys->acNationalChars[1]);
    if (sys->acNationalChars[2] && sys->acNationalChars[2] != ' ')
        ctx->cNatChar3 = sys->acNationalChars[2];
    std::memcpy(ctx->aFunctionKeys, sys->aFunctionKeys, sizeof ctx->aFunctionKeys);
    ctx->cDoubleByte = sys->lDoubleByte > 0 ? 'Y' : 'N';
    ctx->cRightToLeft = sys->cRightToLeft == 'Y' ? 'Y' : 'N';
    ctx->cTitleUpper = sys->cTitleUpper == 'Y' ? 'Y' : 'N';
    ctx->cTitleLines = orBlank(sys->cTitleLines);
    if (sys->usScreenLines)
        ctx->usScreenLines = sys->usScreenLines;
    ctx->cPopupIdentifier = orBlank(sys->cPopupIdentifier);
    ctx->cExtendedAttributes = orBlank(sys->cExtendedAttributes);
    std::memcpy(ctx->acPlaceholders, sys->acPlaceholders, 4);
    std::memcpy(ctx->acFrameChars, sys->acFrameChars, 4);
    ctx->cDateTimeOnTitle = orBlank(sys->cDateTimeOnTitle);
    ctx->cReportImage = orBlank(sys->cReportImage);
    ctx->cKeepQuotes = orBlank(sys->cKeepQuotes);
    ctx->cExtraKey = sys->cExtraKey == 'Y' ? 'Y' : 'N';
    std::memcpy(ctx->acExtraKeyNumber, sys->acExtraKeyNumber, 2);
    std::memcpy(ctx->acExtraKeyText, sys->acExtraKeyText, 10);
    rc::Pad(ctx->acUser, 10, rc::Trimmed(sys->szUserId, sizeof sys->szUserId));
    rc::Pad(ctx->acProduct, 6, rc::Trimmed(sys->szProduct, sizeof sys->szProduct));
    std::memcpy(ctx->acPageLength, sys->acPageLength, 3);
    std::memcpy(ctx->acOverflowLine, sys->acOverflowLine, 3);
    ctx->lPageWidth = sys->lPageWidth;
}

void P31O2_LoadRunEnvironment(FFC_CONTEXT* ctx, const FFC_RUN_REQUEST* request, FFC_OPTION_WORDS* options, int32_t keep)
{
    if (!ctx)
        return;
    const FFC_SYSTEM_DEFINITION* sys = request ? request->pSystemDefinition : nullptr;
    if (!sys && VALID_pGetServicesAnchor())
        sys = VALID_pGetServicesAnchor()->pSystemDefinition;
    P31O2_FillRunContext(ctx, sys);
    if (request) {
        ctx->cOption = request->cOption;
        ctx->ulOptionBits = request->options.ulOptionBits;
        ctx->cCSharp = request->cCSharp == 'Y' ? 'Y' : 'N';
        ctx->lZoph2Used = request->cZoph2 == 'Y' ? 1 : 0;
    }
    P31O2_SetCurrentOptionWords(options);
    g_kept = keep && request ? request : nullptr;
}

const FFC_RUN_REQUEST* P31O2_pGetKeptRunRequest(void)
{
    return g_kept;
}

void P31O2_FreeRunContext(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return;
    QVRMM_FreeAll(ctx);
    WF_Destroy(ctx);
    RS_DestroyCommandStores(ctx);
    RS_sDestroyMessageStore(ctx);
    defs::FreeFieldCache(ctx);
    std::unique_ptr<FFC_LABEL_STACK> stack(ctx->pLabelStack);
    ctx->pLabelStack = nullptr;
    ctx->ulLabelNumber = 0;
    ctx->ulLabelCounter = 0;
}

uint32_t P31O2_ulPushLabelNumber(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return 0;
    try {
        if (!ctx->pLabelStack)
            ctx->pLabelStack = std::make_unique<FFC_LABEL_STACK>().release();
        auto& v = ctx->pLabelStack->numbers;
        if (v.size() == v.capacity())
            v.reserve(v.size() + 16);
        v.push_back(++ctx->ulLabelCounter);
    } catch (const std::bad_alloc&) {
        return ctx->ulLabelNumber;
    }
    ctx->ulLabelNumber = ctx->ulLabelCounter;
    return ctx->ulLabelNumber;
}

uint32_t P31O2_ulPopLabelNumber(FFC_CONTEXT* ctx)
{
    if (!ctx)
        return 0;
    if (ctx->pLabelStack && !ctx->pLabelStack->numbers.empty())
        ctx->pLabelStack->numbers.pop_back();
    ctx->ulLabelNumber = ctx->pLabelStack && !ctx->pLabelStack->numbers.empty() ? ctx->pLabelStack->numbers.back() : 0;
    return ctx->ulLabelNumber;
}

uint32_t P31O2_ResetLabelNumbers(void)
{
    FFC_CONTEXT* ctx = g_current;
    if (!ctx)
        return 0;
    ctx->ulLabelCounter = 0;
    ctx->ulLabelNumber = 0;
    if (ctx->pLabelStack)
        ctx->pLabelStack->numbers.clear();
    return ctx->ulLabelNumber;
}

}  // extern "C"
