// The object layer's state of one build, kept per build handle.
#ifndef DQOV_PLATFORM_DQOO_BUILD_H
#define DQOV_PLATFORM_DQOO_BUILD_H

#include "platform/dqoo/dqoo.h"
#include "platform/dqoo/dqoo_bom.h"
#include "platform/dqoo/dqoo_wam.h"
#include "platform/dqoo/dqoo_zophx.h"

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

// A web routine item: a field, or a list start, column or end.
struct WamItem {
    char kind = 'F';  // 'F' field, 'L' list start, 'C' list column, 'E' list end
    std::string name;
    FieldInfo field{};  // text pointers are set when the item is handed out
    ListInfo list{};
    std::string texts[7];  // weblet, description, label, headings 1-3, sample value
    bool present[7] = {};  // a text was given (else NULL is handed out)
    std::vector<std::pair<std::string, std::string>> picklist;
};

struct WamRoutine {
    WebRoutineInfo info{};
    std::vector<WamItem> items;
};

struct WamModule {
    WamInfo info{};
    std::string layoutWeblet;
    bool hasLayout = false;
    std::vector<WamRoutine> routines;
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
    uint32_t checksStarted = 0;  // one per pass
    DQOO_START_REQUEST start{};
    std::string startNames[4];  // copies of the request's names
    uint32_t findings = 0;
    int32_t statements = 0;  // statements recorded by the ZOPHX parse
    struct Reference {
        std::string kind;
        std::string name;
        uint32_t line;
    };
    std::vector<Reference> references;  // names referred to by the ZOPHX parses
    ZophxModel zophx;                   // the component commands of the check
    int32_t lastDispatchId = 0;         // dispatch ids are unique within the build

    std::deque<WamModule> wams;  // read by the WAM enumeration

    // Description, read on first request; its root is set only once the
    // whole tree has been read.
    std::string describedFor;  // the component the tree describes
    Description description;
};

// The state of a started build, or nullptr.
BuildState* findBuild(const FCC_BUILD_HANDLE* build);

// The build whose check is open, or nullptr.
BuildState* checkingBuild();

// The component whose source the current pass reads: the member of the
// current pass for a compound component, else the object itself.
std::string currentComponent(const BuildState& state);

// Releases the build's WAM module handles.
void releaseWams(BuildState& state);

// Hands a finding to the check's sink and counts it.
void reportFinding(BuildState& state, const std::string& text);

}  // namespace dqoo

#endif
