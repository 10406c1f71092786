// The run-control modules' single route to the services library for
// numbered services messages, message texts, object state and the fatal
// rollback, so each call has one place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bridge {

// Text of numbered services message `number` with its %s filled by `arg`.
std::string ServicesMessageText(uint32_t number, const std::string& arg);
// Shows an already formatted services message (outside tools mode).
void DisplayServicesMessage(uint32_t number, const std::string& text);
// A message id's definition from the repository's message table (its
// language, then "ENG"): the format with markers &1..&9, the severity letter
// and the widths of the substitution fields in the data.
struct MessageDef {
    std::string format;
    char severity = 'F';
    std::vector<int> widths;
};
bool MessageDefinition(const std::string& file, const std::string& id, const std::string& language,
                       MessageDef& def);
// "ROLLBACK WORK" then "DISCONNECT" on the repository connection.
void RollbackAndDisconnect();

} // namespace bridge
