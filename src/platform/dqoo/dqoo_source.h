// Component source lines as stored in the repository (table QV_OCS), shared
// by the object layer and the object server.
#ifndef DQOV_PLATFORM_DQOO_SOURCE_H
#define DQOV_PLATFORM_DQOO_SOURCE_H

#include "platform/dqoo/dqoo.h"

#include <string>

namespace dqoo {

// Hands every stored line of the component to the collector, numbered from
// 1 in stored order.  Sets *lines to the number delivered.  DQOO_OK,
// DQOO_ERR_NOT_FOUND (no lines), DQOO_ERR_STOPPED (the collector answered
// 0) or DQOO_ERR_REPOSITORY.
long deliverComponentSource(const std::string& partition, const std::string& component, DQOO_SOURCE_COLLECTOR collect,
                            uint32_t* lines);

}  // namespace dqoo

#endif
