// Internal services shared by the run-control modules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"

namespace rc {

// Shows a plain text by run mode (tools: standard output with the current
// colour; message service: message 180; editor: the services message line).
void IssueText(std::string_view text);
// Issues a numbered services message (e.g. 510 out of storage) by run mode;
// `arg` fills its substitution field when given.
void IssueServicesMessage(uint32_t number, const char* arg);
// The text of a numbered services message with its argument filled in.
std::string ServicesMessageText(uint32_t number, const char* arg);
// Writes one tools-mode line: colour tag, text, "\r\n"; flushed. Control
// bytes of the text are written visibly ("\x01").
void WriteToolsLine(int colour, std::string_view text);
// On a fatal end of a job that wrote files: removes every file the output
// driver wrote in the job (nothing when it wrote none or has committed).
void DiscardJobOutput();
// The text with its control bytes (below 0x20, and 0x7F) written as
// "\xNN", so that text from a source never drives the terminal.
std::string VisibleText(std::string_view text);
// Appends VisibleText(text) to out.
void AppendVisibleText(std::string& out, std::string_view text);
// Blank-padded fixed field as text with trailing blanks dropped.
std::string Trimmed(const char* field, size_t width);
// Copies text into a fixed field, blank-padded (cut when longer).
void Pad(char* field, size_t width, std::string_view text);
// The named list that holds the records of a message queue: its name is
// short enough to be kept without an allocation.
struct QueueListName {
    char text[24];
    const char* c_str() const { return text; }
};
QueueListName MessageQueueList(const char* queue);
// Makes the list of a message queue in the context: qvrmm1's result
// (QVRMM_EXISTS when the queue is there already).
int16_t CreateMessageQueue(FFC_CONTEXT* ctx, const char* queue);
// Whether the context is known to hold no list of the message queue (its
// name without trailing blanks): none made since it was found missing
// (NoteQueueListMissing), or no list at all.
bool QueueListKnownMissing(const FFC_CONTEXT* ctx, std::string_view queue);
void NoteQueueListMissing(FFC_CONTEXT* ctx, std::string_view queue);
// Counts a message of this severity ('F' error, 'W' warning; others are
// not counted) in the totals and in pass one's or the later passes' counts.
// True when it was counted.

}  // namespace rc
