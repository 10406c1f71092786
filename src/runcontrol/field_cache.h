// The job's field cache.
#pragma once

#include <string>
#include <string_view>

#include "dqov/runcontrol/definitions.h"

namespace defs {

struct CachedField {
    char kind = 'R';  // 'F' function-defined, 'C' component-defined, 'R' from the repository, 'X' known missing
    FFC_FIELD_DEFINITION def{};
    FFC_FIELD_TEXT text{};
    // what the dictionary holds under the name, kept when the job defines
    // the field itself: 'Y' the field (with its default as written), 'N'
    // none, ' ' not read
    char dictionary = ' ';
    std::string dictionaryDefault;
};

CachedField* FindCachedField(FFC_CONTEXT* ctx, std::string_view name);
// Stores (or replaces) a field; the stored entry, NULL without storage.
CachedField* CacheField(FFC_CONTEXT* ctx, const std::string& name, const CachedField& field);

}  // namespace defs
