// The records the TSML builders read: a field or list column, its value
// entries, and its weblet reference.
#pragma once

#include <cstdint>
#include <vector>

#include "classlib/base/lstrings.h"
#include "platform/dqoo/dqoo_wam.h"
#include "web/tsml/weblet_info.h"

// One value entry (pick-list entry) of a field.
struct TsmlValueEntry {
    const char* caption = nullptr;
    const char* value = nullptr;
    const char* variable = nullptr;  // a multilingual variable for the caption, may start with '*'
    uint32_t isDefault = 0;          // non-zero: the preselected entry
};

// Attribute flags of a field.
enum : uint32_t {
    kFieldLowerCase = 1,
    kFieldHighIntensity = 2,
    kFieldNonDisplay = 4,
    kFieldDisplayUtc = 8,
    kFieldSqlNullable = 32
};

// A field or list column as the builders read it (texts are narrow).
struct TsmlFieldRecord {
    const char* name = "";
    uint32_t length = 0;
    int16_t totalDigits = 0;
    int16_t decimals = 0;
    char decimalSeparator = '.';
    uint32_t type = 'A';
    uint32_t keyboardShift = ' ';
    uint32_t mode = 0;         // 0 hidden, 1 input, 2 output, 3 both, 4 private
    uint32_t captionKind = 0;  // 0 none, 1 label, 2 description, 3 headings
    const char* description = nullptr;
    const char* label = nullptr;
    const char* heading1 = nullptr;
    const char* heading2 = nullptr;
    const char* heading3 = nullptr;
    uint32_t valueCount = 0;
    const TsmlValueEntry* values = nullptr;
    uint32_t flags = 0;
    const char* sampleValue = nullptr;
    uint32_t usedFor = 0;  // 0 none, 1 input, 2 output, 3 both
    const char* weblet = nullptr;
};

// The record of an enumerated field; its pick-list entries become value
// entries kept in storage, which must outlive the record.
TsmlFieldRecord TsmlFieldFromInfo(const FieldInfo& info, std::vector<TsmlValueEntry>& storage);

// The weblet a field is shown with: its technology-service set and the id
// of the field's select-one list (null until one is made).
struct WebletReference {
    const TechServiceSet* set = nullptr;
    LWString selectOneId;
    // A field has a weblet when at least one technology service offers it.
    bool hasWeblet() const { return set && !set->entries.empty(); }
};
