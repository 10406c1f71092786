// The environment of the fuzz targets that read the repository: a private
// copy of the built sample repository, connected (again after a fatal end
// disconnected it), a run context of partition DEM with a message queue,
// and the loaded keyword area. Made once per process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dqov/runcontrol/ffc_context.h"
#include "support/scratch.h"

namespace dqov_fuzz {

struct Environment {
    Environment() = default;
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

    FFC_CONTEXT ctx{};
    std::vector<char> keywordArea;
    uint16_t keywordCount = 0;
    std::string directory;
    std::optional<testsupport::ScratchDir> scratch;  // removed when the process ends
};

// The environment, connected; null when the sample repository is missing.
Environment* RepositoryEnvironment();

// The queue the targets' findings go to; emptied by each call.
constexpr const char* kQueue = "FUZZQUEUE ";
void EmptyQueue(Environment& env);

}  // namespace dqov_fuzz
