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
// Text of a message id with its substitution data filled in, from the
// repository's message table (its language, then the default language);
// severity gets the message's default severity (blank when it has none).
// False when the id has no text (the text then shows the id and the data).
bool MessageText(const std::string& file, const std::string& id, const std::string& language, const char* data,
                 size_t len, std::string& text, char& severity);
// "ROLLBACK WORK" then "DISCONNECT" on the repository connection.
void RollbackAndDisconnect();

}  // namespace bridge
