/*
** text_references.cpp: the table of text references of the web pages.
*/
#include "generator/core/text_references.h"

#include <algorithm>
#include <new>

#include "generator/core/name_services.h"
#include "generator/core/services.h"

namespace {

constexpr size_t kGrowth = 50;

std::vector<GEN_TEXT_REFERENCE>& table()
{
    static std::vector<GEN_TEXT_REFERENCE> references;
    return references;
}

GEN_TEXT_REFERENCE makeReference(std::string_view name, int32_t lKind, int32_t lValue)
{
    GEN_TEXT_REFERENCE r;
    r.name = P3109_Padded(name, 10);
    r.lKind = lKind;
    r.lValue = lValue;
    if (lKind == 1)
        r.lOrdinal = P3109_sFieldTextIndex(r.name);
    else if (lKind == 2)
        r.lOrdinal = P3109_sMultilingualVariableIndex(P3109_TrimRight(name));
    else
        r.lOrdinal = 0;
    return r;
}

} // namespace

bool P3109_fGrowTextReferences()
{
    std::vector<GEN_TEXT_REFERENCE>& t = table();
    if (t.size() < t.capacity())
        return true;
    try {
        t.reserve(std::max(t.capacity() + kGrowth, t.size() + 1 + kGrowth));
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

/* An entry that finds no room is reported and not counted: a count beyond
** the stored entries would lead a reader past the table. */
void P3109_AppendTextReference(std::string_view name, int32_t lKind, int32_t lValue)
{
    if (!P3109_fGrowTextReferences()) {
        P3109_IssueTextMessage('F', "ERROR : No storage for the text references of the web pages");
        return;
    }
    table().push_back(makeReference(name, lKind, lValue));
}

void P3109_InsertTextReference(size_t ulPosition, std::string_view name, int32_t lKind, int32_t lValue)
{
    if (!P3109_fGrowTextReferences()) {
        P3109_IssueTextMessage('F', "ERROR : No storage for the text references of the web pages");
        return;
    }
    std::vector<GEN_TEXT_REFERENCE>& t = table();
    t.insert(t.begin() + static_cast<std::ptrdiff_t>(std::min(ulPosition, t.size())),
             makeReference(name, lKind, lValue));
}

const std::vector<GEN_TEXT_REFERENCE>& P3109_TextReferences() { return table(); }
