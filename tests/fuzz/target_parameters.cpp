// The parameter preparation: the first byte picks one of the 127 commands,
// the rest is its parameter text.
#include "fuzz_env.h"
#include "fuzz_target.h"

#include <cstring>
#include <memory>
#include <vector>

#include "checker/command_records.h"
#include "checker/command_tables.h"
#include "params/cmdparm.h"

DQOV_FUZZ_TARGET(parameters)
{
    dqov_fuzz::Environment* env = dqov_fuzz::RepositoryEnvironment();
    if (!env || size == 0)
        return;
    P3100_BuildCommandTables(&env->ctx);
    const uint32_t number = data[0] % 127 + 1;
    FFC_COMMAND_ENTRY* entry = P3100_pFindCommand(P3100_pCommandName(number));
    if (!entry)
        return;
    auto source = std::make_unique<FFC_SOURCE_COMMAND>();
    std::memset(source.get(), 0, sizeof *source);
    source->sLine = 1;
    source->lPreSplit = 1;
    std::memcpy(source->acName, entry->acName, 10);
    std::memcpy(source->acNameWritten, entry->acName, 10);
    std::memset(source->acLabel, ' ', 3);
    std::memset(source->acParameters, ' ', FFC_SOURCE_TEXT_MAX);
    const size_t n = std::min<size_t>(size - 1, FFC_SOURCE_TEXT_MAX);
    std::memcpy(source->acParameters, data + 1, n);
    source->usParmLength = static_cast<uint16_t>(n);
    auto parsed = std::make_unique<FFC_PARSED_COMMAND>();
    auto extension = std::make_unique<FFC_COMMAND_EXTENSION>();
    std::vector<char> buffer(FFC_SOURCE_TEXT_MAX), small(256);
    dqov_fuzz::Guarded([&] {
        CMDPARM_sPrepareCommand(&env->ctx, parsed.get(), extension.get(), source.get(), buffer.data(), small.data(),
                                dqov_fuzz::kQueue, env->keywordArea.data(), env->keywordCount, entry);
    });
    dqov_fuzz::EmptyQueue(*env);
}
