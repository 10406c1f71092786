// A field's texts in one language as the repository stores them (QV_FTX),
// kept for the unit of work they were read in. The field's definition
// (runcontrol/definitions.cpp) and the multilingual texts of the layouts
// (params/field_texts.cpp) read the same rows; what one read the other
// takes from here. No statement of a job writes QV_FTX, and a write of the
// connection to it moves the unit's number on (SSQL_ulUnitOfWork), so a
// row kept stays what the repository holds until the number moves; then
// everything kept is dropped.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace defs {

// The stored texts: label, three column headings and description, each
// blank-padded to its width.
constexpr size_t kStoredLabelWidth = 15, kStoredHeadingWidth = 20, kStoredDescriptionWidth = 40;
constexpr size_t kStoredTextsWidth = kStoredLabelWidth + 3 * kStoredHeadingWidth + kStoredDescriptionWidth;

// The texts kept for the field in the language within the current unit of
// work: null when none were kept (or no unit is open); an empty text when
// the read found none; else kStoredTextsWidth characters. The names are
// compared as the repository compares them: up to a NUL, trailing blanks
// left out.
const std::string* FindKeptFieldTexts(std::string_view partition, std::string_view field, std::string_view language);

// Keeps what a read of the field's texts in the language found (stored,
// kStoredTextsWidth characters, or null for none) for the unit of work
// now open; outside a unit nothing is kept.
void KeepFieldTexts(std::string_view partition, std::string_view field, std::string_view language,
                    const char* stored);

}  // namespace defs
