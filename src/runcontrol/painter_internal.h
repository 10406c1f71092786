// Internal view of the painter block and the progress window for status
// routing.
#pragma once

#include <string>
#include <string_view>

namespace painter {

// Shows a status text in the progress window when it is up; false otherwise.
bool ShowProgressText(const std::string& text);
// True when the current painter block asks for traces.
bool TraceOn();
// Puts the address of an issued text into the painter block (editor mode).
void NoteIssuedText(std::string_view text);

}  // namespace painter

namespace painter {

// Set by the progress thread's window: the window is up / shows this text.
void SetProgressUp(bool up);
void SetProgressText(const std::string& text);
std::string ProgressText();
bool ProgressUp();
// Asks the progress window to show the pending text.
void PostProgressText();

}  // namespace painter
