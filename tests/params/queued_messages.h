// The messages the parameter and operand checks queued for a run context.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "dqov/runcontrol/messages.h"
#include "dqov/runcontrol/named_lists.h"
#include "dqov/runcontrol/run_driver.h"

// The messages of the queue (its name without the blanks) as (id,
// substitution data); the queue is emptied.
inline std::vector<std::pair<std::string, std::string>> TakeQueuedMessages(FFC_CONTEXT& ctx, const std::string& queue)
{
    std::vector<std::pair<std::string, std::string>> out;
    const std::string list = "DC_P9006/MQ/" + queue;
    uint16_t high = QVRMM_usHighestEntry(&ctx, list.c_str());
    for (uint16_t n = 1; n <= high; ++n) {
        FFC_MESSAGE_RECORD r;
        uint16_t number = n, length = 0;
        if (QVRMM_sGetEntry(&ctx, list.c_str(), &number, &r, &length) != 0)
            continue;
        out.emplace_back(std::string(r.acMsgId, 7), std::string(r.acData, r.usDataLength));
    }
    qvrmm4(&ctx, list.c_str());
    return out;
}
