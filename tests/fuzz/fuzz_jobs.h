// The environment of the fuzz targets that run whole jobs: a private copy
// of the built sample environment (root and repository), with the
// repository put back as it was built before every input, so that what one
// input's job committed never reaches the next.
#pragma once

#include <optional>
#include <string>

#include "support/scratch.h"

namespace dqov_fuzz {

class JobEnvironment {
public:
    // Put back, connected and with the environment root set; null when
    // the sample environment is missing.
    static JobEnvironment* Fresh();
    // Disconnects and clears the environment root again, so that the
    // other targets of the replay find the library as they left it.
    void Leave();

    std::string root() const { return directory_ + "/root"; }
    std::string repository() const { return directory_ + "/repository.db"; }

private:
    bool Make();
    std::optional<testsupport::ScratchDir> scratch_;  // removed when the process ends
    std::string directory_;
    std::string pristine_;
};

}  // namespace dqov_fuzz
