// The library's messages as data: one name for each message id, with the
// severity it is issued with (message_ids.def). Call sites name the message,
// Msg::LabelDefinedTwice rather than its id, so that a misspelt message does
// not compile and the ids live in one table only.
#pragma once

#include <cstddef>
#include <cstdint>

namespace dqov {

enum class Msg : uint16_t {
#define DQOV_MESSAGE(name, id, severity) name,
#define DQOV_PROGRAM_MESSAGE(name, id) name,
#include "runcontrol/message_ids.def"
#undef DQOV_MESSAGE
#undef DQOV_PROGRAM_MESSAGE
};

// An entry holds its name and id in place, not pointers to them: the table
// then holds no address, so loading the library writes none of its pages.
struct MessageEntry {
    char name[36];  // the longest name has 34 characters
    char id[8];     // seven characters and a NUL
    char severity;  // 'F', 'W' or 'I'; ' ' where the table fixes none
    bool program;   // reported by generated programs, not by the library
};

inline constexpr MessageEntry kMessageTable[] = {
#define DQOV_MESSAGE(name, id, severity) {#name, id, severity, false},
#define DQOV_PROGRAM_MESSAGE(name, id) {#name, id, ' ', true},
#include "runcontrol/message_ids.def"
#undef DQOV_MESSAGE
#undef DQOV_PROGRAM_MESSAGE
};

constexpr const MessageEntry& MessageOf(Msg m)
{
    return kMessageTable[static_cast<size_t>(m)];
}

// The message's seven-character id, NUL-terminated.
constexpr const char* MsgId(Msg m)
{
    return MessageOf(m).id;
}

// The severity the message is issued with (' ' where the caller gives it).
constexpr char MsgSeverity(Msg m)
{
    return MessageOf(m).severity;
}

}  // namespace dqov
