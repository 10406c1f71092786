// Internal view of definition loading for the run-control modules.
#pragma once

#include "dqov/runcontrol/ffc_context.h"

namespace defs {

void FreeFieldCache(FFC_CONTEXT* ctx);

}  // namespace defs
