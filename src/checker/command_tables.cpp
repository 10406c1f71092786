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
};

// Function commands (rows 1-98).
constexpr CommandRow kFunctionRows[FFC_FUNCTION_ROWS] = {
    {"GROUP_BY", "NA", ""},
    {"SELECT", "ST", "ENDSELECT"},
    {"ENDSELECT", "US", "SELECT"},
    {"IF", "ST", "ENDIF"},
    {"ELSE", "PR", "IF"},
    {"ENDIF", "US", "IF"},
    {"GOTO", "NA", ""},
    {"DOWHILE", "ST", "ENDWHILE"},
    {"ENDWHILE", "US", "DOWHILE"},
    {"DOUNTIL", "ST", "ENDUNTIL"},
    {"ENDUNTIL", "US", "DOUNTIL"},
    {"FETCH", "NA", ""},
    {"INSERT", "NA", ""},
    {"UREQUEST", "NA", ""},
    {"UDISPLAY", "NA", ""},
    {"SET_MODE", "NA", ""},
    {"IF_MODE", "S2", "ENDIF"},
    {"CHANGE", "NA", ""},
    {"DELETE", "NA", ""},
    {"UPDATE", "NA", ""},
    {"CHECK_FOR", "NA", ""},
    {"RENAME", "NA", ""},
    {"DEFINE", "NA", ""},
    {"OVERRIDE", "NA", ""},
    {"MESSAGE", "NA", ""},
    {"ABORT", "NA", ""},
    {"EXIT", "NA", ""},
    {"MENU", "NA", ""},
    {"TRANSFER", "NA", ""},
    {"BEGINCHECK", "ST", "ENDCHECK"},
    {"ENDCHECK", "US", "BEGINCHECK"},
    {"ON_ERROR", "NA", ""},
    {"IF_ERROR", "S2", "ENDIF"},
    {"SET_ERROR", "NA", ""},
    {"DATECHECK", "NA", ""},
    {"RANGECHECK", "NA", ""},
    {"VALUECHECK", "NA", ""},
    {"CONDCHECK", "NA", ""},
    {"FILECHECK", "NA", ""},
    {"CALLCHECK", "NA", ""},
    {"CALL", "NA", ""},
    {"UPRINT", "NA", ""},
    {"ENDPRINT", "NA", ""},
    {"REQUEST", "NA", ""},
    {"DISPLAY", "NA", ""},
    {"IF_NULL", "S2", "ENDIF"},
    {"DEF_LIST", "NA", ""},
    {"ADD_ENTRY", "NA", ""},
    {"CLR_LIST", "NA", ""},
    {"INZ_LIST", "NA", ""},
    {"DLT_LIST", "NA", ""},
    {"UPD_ENTRY", "NA", ""},
    {"SELECTLIST", "S6", "ENDSELECT"},
    {"IF_STATUS", "S2", "ENDIF"},
    {"CASE", "ST", "ENDCASE"},
    {"WHEN", "PR", "CASE"},
    {"OTHERWISE", "PR", "CASE"},
    {"ENDCASE", "US", "CASE"},
    {"EXCHANGE", "NA", ""},
    {"SUBSTRING", "NA", ""},
    {"EXEC_CPF", "NA", ""},
    {"BEGIN_LOOP", "ST", "END_LOOP"},
    {"END_LOOP", "US", "BEGIN_LOOP"},
    {"COMMIT", "NA", ""},
    {"ROLLBACK", "NA", ""},
    {"SUBROUTINE", "ST", "ENDROUTINE"},
    {"ENDROUTINE", "U7", "SUBROUTINE"},
    {"EXECUTE", "NA", ""},
    {"RETURN", "NA", ""},
    {"DEF_REPORT", "NA", ""},
    {"DEF_HEAD", "NA", ""},
    {"DEF_FOOT", "NA", ""},
    {"DEF_LINE", "NA", ""},
    {"DEF_BREAK", "NA", ""},
    {"PRINT", "NA", ""},
    {"KEEP_TOTAL", "NA", ""},
    {"KEEP_COUNT", "NA", ""},
    {"KEEP_AVG", "NA", ""},
    {"KEEP_MAX", "NA", ""},
    {"KEEP_MIN", "NA", ""},
    {"SPACE", "NA", ""},
    {"SKIP", "NA", ""},
    {"CLOSE", "NA", ""},
    {"GET_ENTRY", "NA", ""},
    {"LOC_ENTRY", "NA", ""},
    {"SORT_LIST", "NA", ""},
    {"IF_KEY", "S2", "ENDIF"},
    {"BROWSE", "NA", ""},
    {"SUBMIT", "NA", ""},
    {"USE", "NA", ""},
    {"POINT", "NA", ""},
    {"OPEN", "NA", ""},
    {"EXEC_OS400", "NA", ""},
    {"POP_UP", "NA", ""},
    {"DEF_COND", "NA", ""},
    {"FUNCTION", "NA", ""},
    {"DEF_ARRAY", "NA", ""},
    {"SELECT_SQL", "S6", "ENDSELECT"},
};

// Component and later commands (rows 99-127); rows 124-127 have no role.
constexpr CommandRow kComponentRows[FFC_COMMAND_COUNT - FFC_FUNCTION_ROWS] = {
    {"CONTINUE", "LM", ""},
    {"LEAVE", "LM", ""},
    {"DLT_ENTRY", "NA", ""},
    {"BEGIN_COM", "ST", "END_COM"},
    {"END_COM", "US", "BEGIN_COM"},
    {"DEFINE_COM", "NA", ""},
    {"DEFINE_MAP", "NA", ""},
    {"SET", "NA", ""},
    {"DEFINE_PTY", "NA", ""},
    {"PTYROUTINE", "ST", "ENDROUTINE"},
    {"EVTROUTINE", "ST", "ENDROUTINE"},
    {"DEFINE_EVT", "NA", ""},
    {"SIGNAL", "NA", ""},
    {"MTHROUTINE", "ST", "ENDROUTINE"},
    {"INVOKE", "NA", ""},
    {"SET_REF", "NA", ""},
    {"IF_REF", "S2", "ENDIF"},
    {"FOR", "ST", "ENDFOR"},
    {"ENDFOR", "US", "FOR"},
    {"ASSIGN", "NA", ""},
    {"_ASSIGN", "NA", ""},
    {"IMPORT", "NA", ""},
    {"WEBROUTINE", "ST", "ENDROUTINE"},
    {"INCLUDE", "NA", ""},
    {"WEB_MAP", "NA", ""},
    {"ATTRIBUTE", "", ""},
    {"PERFORM", "", ""},
    {"_PERFORM", "", ""},
    {"_INVOKE", "", ""},
};

constexpr uint32_t kRoleRows = 123;  // rows 124-127 carry no role

// Flag rows holding at least one 'Y'; every other row is 28 'N'.
struct FlagRow {
    uint32_t number;
    const char* flags;
};
constexpr FlagRow kFlagRows[] = {
    {2, "YYYYYYYNYNNNNNYYNNYNNNNNYNYN"},  {12, "YYYYYYNYYNNNNNNNNYYNNNNNYNYN"}, {13, "YYNNYYNNYNNNNNNNNNYYNNNNYNYY"},
    {14, "YNNNYYNNNYYNNNNNNNNNNNNYYNNN"}, {15, "YNNNYYNNNYYYYYNNNNNNNNNYYNNN"}, {19, "YYYYYYNYYNNNNNNNNYYYNNNNYNYY"},
    {20, "YYYYYYNYYNNNNNNNNYYYNNNNYNYY"}, {21, "YYNYYYNYYNNNNNNNNYYNNNNNYNYN"}, {22, "NYNNNNNNNNNNNNNNNNNNNNNNNNNN"},
    {39, "NYNYNNNNNNNNNNNNNNNNNNNNNNYN"}, {42, "YNNNYYNNNNNNNNNNNNNNNNNYYNNN"}, {43, "NNNNYYNNNNNNNNNNNNNNNNNNNNNN"},
    {44, "YNNNNNNNNYYYYYNNYNNNYYYNNYNN"}, {45, "YNNNNNNNNYYYYYNNYNNNYYYNNYNN"}, {83, "NYNNYYNNNNNNNNNNNNNNNNNNNNNN"},
    {88, "YYYYYYNYYYYYYYYYNNYNYNNYYNNN"}, {91, "NYNNNNNNNNNNNNNNNNNNNNNNNNNN"}, {92, "NYNNYYNNNNNNNNNNNNNNNNNNNNNN"},
    {94, "YNNNNNNNNYYYYYNNYNNNYYYNNYNN"},
};

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
    return number <= FFC_FUNCTION_ROWS ? kFunctionRows[number - 1] : kComponentRows[number - 1 - FFC_FUNCTION_ROWS];
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
        if (n <= kRoleRows) {
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
    for (const FlagRow& r : kFlagRows)
        std::memcpy(t.flags[r.number - 1], r.flags, FFC_COMMAND_FLAG_COUNT);
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
