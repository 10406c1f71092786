// Ownership of the parse result arrays handed out by the command parser.
#ifndef DQOV_PLATFORM_DQOT_RESULTS_H
#define DQOV_PLATFORM_DQOT_RESULTS_H

#include "platform/dqot/dqot.h"

#include <string>
#include <vector>

namespace dqot {

// One result array with the parameter texts its results point at.
struct ResultSet {
    std::vector<TPARS_RESULT> results;
    std::vector<std::string> parameters;  // one per result
};

// Makes a zeroed set of n results, owned until TPARS_FreeResults.
ResultSet& newResultSet(size_t n);

}  // namespace dqot

#endif
