// The field texts kept for a unit of work (see kept_field_texts.h).
#include "runcontrol/kept_field_texts.h"

#include <unordered_map>

#include "platform/dqos/dqos.h"

namespace defs {
namespace {

struct KeptTexts {
    unsigned long unit = 0;
    // partition, field and language, each ended by a NUL
    std::unordered_map<std::string, std::string> rows;
};

KeptTexts& Kept()
{
    static KeptTexts kept;
    return kept;
}

// A name as the repository compares it: up to a NUL, without trailing blanks.
std::string_view Compared(std::string_view name)
{
    if (size_t nul = name.find('\0'); nul != std::string_view::npos)
        name = name.substr(0, nul);
    while (!name.empty() && name.back() == ' ')
        name.remove_suffix(1);
    return name;
}

std::string Key(std::string_view partition, std::string_view field, std::string_view language)
{
    std::string key;
    for (std::string_view part : {partition, field, language}) {
        key.append(Compared(part));
        key.push_back('\0');
    }
    return key;
}

// The store of the unit open now, emptied when the unit is another than
// the one its rows were read in; null outside a unit.
KeptTexts* Current()
{
    const unsigned long unit = SSQL_ulUnitOfWork();
    if (unit == 0)
        return nullptr;
    KeptTexts& kept = Kept();
    if (kept.unit != unit) {
        kept.rows.clear();
        kept.unit = unit;
    }
    return &kept;
}

}  // namespace

const std::string* FindKeptFieldTexts(std::string_view partition, std::string_view field, std::string_view language)
{
    KeptTexts* kept = Current();
    if (kept == nullptr)
        return nullptr;
    auto it = kept->rows.find(Key(partition, field, language));
    return it == kept->rows.end() ? nullptr : &it->second;
}

void KeepFieldTexts(std::string_view partition, std::string_view field, std::string_view language,
                    const char* stored)
{
    if (KeptTexts* kept = Current())
        kept->rows.insert_or_assign(Key(partition, field, language),
                                    stored ? std::string(stored, kStoredTextsWidth) : std::string());
}

}  // namespace defs
