// The operand check: the first byte gives the expected type class and the
// check flavour, the second the eight option flags, the rest the operand.
#include "fuzz_env.h"
#include "fuzz_target.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "dqov/params/dqov_check.h"

DQOV_FUZZ_TARGET(operand)
{
    dqov_fuzz::Environment* env = dqov_fuzz::RepositoryEnvironment();
    if (!env || size < 2)
        return;
    static constexpr char kClasses[] = {' ', 'A', 'N', 'L'};
    auto block = std::make_unique<DC_OPERAND_BLOCK>();
    std::memset(block.get(), ' ', sizeof *block);
    const size_t n = std::min<size_t>(size - 2, DC_OPERAND_TEXT_SIZE);
    std::memcpy(block->acOperand, data + 2, n);
    block->usOperandLength = static_cast<uint16_t>(n);
    block->cTypeClass = kClasses[data[0] & 3];
    block->lLength = (data[0] >> 2) & 31;
    block->lDecimals = data[0] >> 6;
    block->cFlag = 'Y';
    for (int i = 0; i < 8; ++i)
        block->acOptions[i] = data[1] & (1u << i) ? 'Y' : 'N';
    std::memcpy(block->acSourceKind, "DC@F23", 6);
    std::memcpy(block->acProcess, "DEMOPRC   ", 10);
    std::memcpy(block->acFunction, "FUZZFN    ", 10);
    const bool component = data[0] & 0x20;
    dqov_fuzz::Guarded([&] {
        if (component)
            Component_P8007(&env->ctx, block.get(), dqov_fuzz::kQueue, 1, 1, 1, 1);
        else
            DC_P8007(&env->ctx, block.get(), dqov_fuzz::kQueue, 1, 1, 1, 0);
    });
    dqov_fuzz::EmptyQueue(*env);
}
