// The expression and condition check: the first byte gives the expected
// type and the result's size, the rest the text.
#include "fuzz_env.h"
#include "fuzz_target.h"

#include <cstring>
#include <memory>

#include "dqov/params/dqov_check.h"

DQOV_FUZZ_TARGET(expression)
{
    dqov_fuzz::Environment* env = dqov_fuzz::RepositoryEnvironment();
    if (!env || size == 0)
        return;
    static constexpr char kTypes[] = {'A', 'N', 'L', 'L'};
    const std::string text = dqov_fuzz::Text(data + 1, size - 1);
    auto request = std::make_unique<DC_EXPRESSION_REQUEST>();
    std::memset(request.get(), 0, sizeof *request);
    auto work = std::make_unique<char[]>(DC_WORK_AREA_SIZE);
    auto tokens = std::make_unique<char[]>(DC_TOKEN_TABLE_SIZE);
    auto operations = std::make_unique<char[]>(DC_TOKEN_TABLE_SIZE);
    auto list = std::make_unique<DC_OPERAND_LIST>();
    std::memset(list.get(), 0, sizeof *list);
    request->pchText = text.data();
    request->pWorkArea = work.get();
    request->ulTextLength = static_cast<uint32_t>(text.size());
    std::memcpy(request->acWorkPrefix, "@@@@@@", 6);
    request->cExpectedType = kTypes[data[0] & 3];
    std::memcpy(request->acResultClass, "FL", 2);
    request->lResultLength = (data[0] >> 2) & 31;
    request->lResultDecimals = data[0] >> 7;
    std::memcpy(request->acCaller, "FUZZ      ", 10);
    std::memcpy(request->acRound, "*NO ", 4);
    DC_CHECK_OPTIONS options;
    std::memset(&options, ' ', sizeof options);
    std::memset(options.acOptions, 'Y', 8);
    std::memcpy(options.acMsgFile, "DC@F23", 6);
    options.lReserved = 0;
    DC_SetExpressionQueue(dqov_fuzz::kQueue);
    dqov_fuzz::Guarded([&] {
        if (data[0] & 0x40)
            Component_P8015(&env->ctx, &options, request.get(), list.get(), 1, tokens.get(), operations.get(), nullptr,
                            1, 0);
        else
            DC_P8015(&env->ctx, &options, request.get(), list.get(), 1, tokens.get(), operations.get());
    });
    dqov_fuzz::EmptyQueue(*env);
}
