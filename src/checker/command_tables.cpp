// Command tables, command lookup and the checker's fixed vocabulary.
#include "checker/command_tables.h"
#include "params/fixed_text.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <mutex>
#include <string_view>
#include <vector>

namespace {

struct CommandRow {
    const char* name;
    const char* role;     // "" for none
    const char* partner;  // "" for none
    const char* flags;    // "" for all 'N'
};

constexpr CommandRow kRows[] = {
#define DQOV_COMMAND(number, name, role, partner, params, flags, ...) {name, role, partner, flags},
#include "params/commands.def"
#undef DQOV_COMMAND
};
static_assert(std::size(kRows) == FFC_COMMAND_COUNT);

constexpr bool RowsAreSound()
{
    // the commands with a role come first: the joined role table holds
    // their rows, and the rows after it have none
    bool roles = true;
    for (const CommandRow& r : kRows) {
        const std::string_view role(r.role), flags(r.flags);
        if (!(role.empty() || role.size() == 2) || (!role.empty() && !roles) ||
            !(flags.empty() || flags.size() == FFC_COMMAND_FLAG_COUNT) || flags.find_first_not_of("YN") != flags.npos)
            return false;
        roles = roles && !role.empty();
    }
    return true;
}
static_assert(RowsAreSound(), "roles of two letters, the rows without one last, and flag rows of 28 'Y'/'N'");

struct Tables {
    char names[FFC_COMMAND_LOOKUP_SIZE][10]{};
    std::vector<std::array<char, 2>> roles;      // joined once per process
    std::vector<std::array<char, 10>> partners;  // joined once per process
    char flags[FFC_COMMAND_LOOKUP_SIZE][FFC_COMMAND_FLAG_COUNT]{};
    FFC_COMMAND_LOOKUP lookup{};
    bool joined = false;
    const char (*parserNames)[10] = nullptr;
    TPARS_COMMAND_TABLE parserTable{};
};

Tables& tables()
{
    static Tables t;
    return t;
}

void pad(char* field, size_t width, std::string_view text)
{
    std::memset(field, ' ', width);
    if (!text.empty())
        std::memcpy(field, text.data(), std::min(width, text.size()));
}

const CommandRow& row(uint32_t number)
{
    return kRows[number - 1];
}

void joinOnce()
{
    Tables& t = tables();
    if (t.joined)
        return;
    for (uint32_t n = 1; n <= FFC_COMMAND_COUNT; ++n) {
        pad(t.names[n - 1], 10, row(n).name);
        std::array<char, 10> partner;
        pad(partner.data(), 10, row(n).partner);
        t.partners.push_back(partner);
        if (*row(n).role) {
            std::array<char, 2> role{row(n).role[0], row(n).role[1]};
            t.roles.push_back(role);
        }
    }
    std::memset(t.names[FFC_COMMAND_LOOKUP_SIZE - 1], 0, 10);
    for (uint32_t i = 0; i < FFC_COMMAND_LOOKUP_SIZE; ++i) {
        FFC_COMMAND_ENTRY& e = t.lookup.aEntries[i];
        e = FFC_COMMAND_ENTRY{};
        std::memcpy(e.acName, t.names[i], 10);
        e.ulNumber = i + 1;
    }
    std::sort(std::begin(t.lookup.aEntries), std::end(t.lookup.aEntries),
              [](const FFC_COMMAND_ENTRY& a, const FFC_COMMAND_ENTRY& b) {
                  return P3100_sCompareCommandName(a.acName, b.acName) < 0;
              });
    t.parserTable.ulCount = FFC_COMMAND_COUNT;
    t.parserTable.pachNames = t.names;
    t.joined = true;
}

}  // namespace

extern "C" {

const char FFC_FUNCTION_OPTIONS[26][21] = {
    "*NOMESSAGES",
    "*DEFERWRITE",
    "*HEAVYUSAGE",
    "*LIGHTUSAGE",
    "*DBOPTIMISE",
    "*DBOPTIMIZE",
    "*PGMCOMMIT",
    "*DIRECT",
    "*NOIGCCNV",
    "*NO_RLTB_MIRROR",
    "*CLOSE_DISPLAY",
    "*DBOPTIMISE_BATCH",
    "*DBOPTIMIZE_BATCH",
    "*NOPGMCOMMIT",
    "*MLOPTIMISE",
    "*MLOPTIMIZE",
    "*ALP_SYSTEM_VARIABLE",
    "*NUM_SYSTEM_VARIABLE",
    "*ALP_FIELD_VALIDATE",
    "*NUM_FIELD_VALIDATE",
    "*MINI_SCREEN",
    "*OS400_EXT_PRINT",
    "*WEBEVENT",
    "*BUILTIN",
    "*QUINTARO_EDITION",
    "*STRICT_NULL_ASSIGN",
};

const char* const FFC_LITERAL_FORMATS[9] = {
    "Name of class or component %s is not valid for use in this context",
    "Use of non-default name %s for this type of component is not a recommended practice.",
    "Reference to name %s is out of scope on this commmand.",
    "Too many columns defined for list %s. Limit is 100.",
    "No dictionary sourceable columns have been defined for list %s",
    "Illegal or invalid reference to %s in %s command at line %ld.",
    "Another column in %s is already sourced from %s. Every column must have a unique source.",
    "Expandable name %s cannot be used this way in a component context.",
    "More than %ld lines in program or function. Reduce the number of lines.",
};

int32_t P3100_sCompareCommandName(const void* pName1, const void* pName2)
{
    const auto* a = static_cast<const unsigned char*>(pName1);
    const auto* b = static_cast<const unsigned char*>(pName2);
    for (int i = 0; i < 10; ++i)
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    return 0;
}

void P3100_BuildCommandTables(FFC_CONTEXT* pContext)
{
    static std::mutex once;
    std::lock_guard<std::mutex> lock(once);
    Tables& t = tables();
    std::memset(t.flags, 0, sizeof t.flags);
    for (uint32_t n = 1; n <= FFC_COMMAND_COUNT; ++n)
        std::memset(t.flags[n - 1], 'N', FFC_COMMAND_FLAG_COUNT);
    for (uint32_t n = 1; n <= FFC_COMMAND_COUNT; ++n)
        if (*row(n).flags)
            std::memcpy(t.flags[n - 1], row(n).flags, FFC_COMMAND_FLAG_COUNT);
    joinOnce();
    if (pContext)
        pContext->pCommandLookup = &t.lookup;
}

FFC_COMMAND_LOOKUP* P3100_pCommandLookup(void)
{
    return tables().joined ? &tables().lookup : nullptr;
}

const char* P3100_pCommandName(uint32_t ulNumber)
{
    joinOnce();
    return ulNumber >= 1 && ulNumber <= FFC_COMMAND_LOOKUP_SIZE ? tables().names[ulNumber - 1] : nullptr;
}

const char* P3100_pStructureRole(uint32_t ulNumber)
{
    static const char kNone[2] = {0, 0};
    joinOnce();
    if (ulNumber < 1 || ulNumber > tables().roles.size())
        return kNone;
    return tables().roles[ulNumber - 1].data();
}

const char* P3100_pStructurePartner(uint32_t ulNumber)
{
    static const char kBlank[10] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    joinOnce();
    if (ulNumber < 1 || ulNumber > tables().partners.size())
        return kBlank;
    return tables().partners[ulNumber - 1].data();
}

uint32_t P3100_ulStructureRows(void)
{
    return static_cast<uint32_t>(tables().roles.size());
}

const char* P3100_pCommandFlags(uint32_t ulNumber)
{
    return ulNumber >= 1 && ulNumber <= FFC_COMMAND_LOOKUP_SIZE ? tables().flags[ulNumber - 1] : nullptr;
}

FFC_COMMAND_ENTRY* P3100_pFindCommand(const char* pachName)
{
    joinOnce();
    // The table does not change once joined: the entry last found for a
    // name (or that there is none) is kept in a slot per name hash, as a
    // function names few commands many times.
    struct Known {
        char name[10];
        bool set = false;
        FFC_COMMAND_ENTRY* entry = nullptr;
    };
    static std::array<Known, 64> known;
    Known& k = known[dqov::text::NameFieldHash(pachName) >> 58];
    if (k.set && std::memcmp(k.name, pachName, 10) == 0)
        return k.entry;
    FFC_COMMAND_ENTRY* first = tables().lookup.aEntries;
    FFC_COMMAND_ENTRY* found = nullptr;
    size_t lo = 0, hi = FFC_COMMAND_LOOKUP_SIZE;
    while (lo < hi) {
        size_t mid = (lo + hi) / 2;
        int32_t c = P3100_sCompareCommandName(pachName, first[mid].acName);
        if (c == 0) {
            found = &first[mid];
            break;
        }
        if (c < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    std::memcpy(k.name, pachName, 10);
    k.entry = found;
    k.set = true;
    return found;
}

const TPARS_COMMAND_TABLE* P3100_pParserCommandTable(void)
{
    joinOnce();
    return &tables().parserTable;
}

}  // extern "C"
