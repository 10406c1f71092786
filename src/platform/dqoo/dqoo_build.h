// The object layer's state of one build, kept per build handle.
#ifndef DQOV_PLATFORM_DQOO_BUILD_H
#define DQOV_PLATFORM_DQOO_BUILD_H

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_bom.h"

#include <deque>
#include <string>
#include <vector>

namespace dqoo {

// The description tree of a component, owned by its build.
struct Description {
    std::deque<BOM_DESCRIPTION_NODE> nodes;
    std::deque<std::string> texts;
    std::deque<std::vector<BOM_DESCRIPTION_NODE*>> arrays;
    BOM_DESCRIPTION_NODE* root = nullptr;
};

struct BuildState {
    std::string objectName;
    std::string functionName;
    std::string partition;
    const TPARS_COMMAND_TABLE* commands = nullptr;
    char national[3] = {'#', '@', '$'};
    bool component = false;
    std::vector<std::string> members;  // members of a compound component, in order

    // Check state.
    bool checking = false;
    uint32_t checksStarted = 0;        // one per pass
    DQOO_START_REQUEST start{};
    std::string startNames[4];         // copies of the request's names
    uint32_t findings = 0;
    int32_t statements = 0;            // statements recorded by the ZOPHX parse

    // Description, read on first request.
    bool described = false;
    std::string describedFor;          // the component the tree describes
    Description description;
};

// The state of a started build, or nullptr.
BuildState* findBuild(const FCC_BUILD_HANDLE* build);

// The build whose check is open, or nullptr.
BuildState* checkingBuild();

// The component whose source the current pass reads: the member of the
// current pass for a compound component, else the object itself.
std::string currentComponent(const BuildState& state);

// Hands a finding to the check's sink and counts it.
void reportFinding(BuildState& state, const std::string& text);

}  // namespace dqoo

#endif
