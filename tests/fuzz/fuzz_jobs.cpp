// The whole-job environment of the fuzz targets.
#include "fuzz_jobs.h"

#include <filesystem>

#include "platform/dqos/dqos.h"
#include "platform/dqoz/dqoz.h"

namespace dqov_fuzz {

bool JobEnvironment::Make()
{
    scratch_.emplace("dqov-fuzz-job");
    directory_ = scratch_->str();
    pristine_ = directory_ + "/pristine.db";
    std::error_code ec;
    std::filesystem::copy(testsupport::sampleRoot(), root(), std::filesystem::copy_options::recursive, ec);
    if (ec)
        return false;
    std::filesystem::copy_file(testsupport::sampleRepository(), pristine_, ec);
    return !ec;
}

JobEnvironment* JobEnvironment::Fresh()
{
    static JobEnvironment env;
    static const bool made = env.Make();
    if (!made)
        return nullptr;
    SSQL_Disconnect();
    std::error_code ec;
    std::filesystem::copy_file(env.pristine_, env.repository(), std::filesystem::copy_options::overwrite_existing,
                               ec);
    if (ec || DosSetEnvironmentRoot(env.root().c_str()) != 0)
        return nullptr;
    if (SSQL_sConnect(env.repository().c_str()) != SSQL_RC_OK) {
        DosSetEnvironmentRoot(nullptr);
        return nullptr;
    }
    return &env;
}

void JobEnvironment::Leave()
{
    SSQL_Disconnect();
    DosSetEnvironmentRoot(nullptr);
}

}  // namespace dqov_fuzz
