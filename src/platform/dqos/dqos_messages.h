// Message texts for run control and the other C++ callers: lookup by
// message file, id and language with fallback, and substitution of the
// fixed-width substitution data into the text's &1, &2 ... markers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dqos {

// Message file under which the library's own DCM and PRC texts are stored;
// a lookup in any other file falls back to it.
inline constexpr std::string_view kLibraryMessageFile = "DC@F23";

struct MessageText {
    std::string file;      // message file the text was found in
    std::string id;        // message id, e.g. PRC0010
    std::string language;  // language the text was found in
    char severity = ' ';   // default severity 'F', 'W', 'I', or ' '
    std::string layout;    // widths of the substitution fields, "10,10"; "*" whole data
    std::string text;      // text with &1, &2 ... markers
};

// Finds the text of (file, id) in `language` (empty: the session language),
// then in the default language; then the same in kLibraryMessageFile.
// Nothing when no text exists or no repository is open.
// A text found is kept and answered again while the repository is
// unchanged.
std::optional<MessageText> lookupMessage(std::string_view file, std::string_view id, std::string_view language);

// Drops the texts kept by lookupMessage; called when the connection closes.
void forgetMessageTexts();

// Cuts `data` into the message's fields by its layout and puts each field,
// without trailing blanks, into its marker. A marker without a field
// becomes empty; "&&" stands for one '&'.
std::string substituteMessage(const MessageText& message, std::string_view data);

// Format of a numbered services message in `language` (empty: the session
// language) or the default language.
std::optional<std::string> numberedMessageFormat(unsigned long number, std::string_view language);

}  // namespace dqos
