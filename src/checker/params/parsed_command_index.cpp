/* The run-time lookup tables of the parsed-command layouts, made at compile
 * time from kCommands: the commands sorted by name, each command's
 * parameters sorted by keyword (equal keywords in their order) and the
 * placement of every parameter. */
#include <algorithm>

#include "checker/params/parsed_command.h"

namespace dqov::cmdparm {
namespace {

struct NameEntry {
    std::string_view name;
    int16_t command = -1;   /* index in kCommands */
    int16_t param = -1;     /* index in the command's parameters */
};

constexpr bool ByName(const NameEntry &e, std::string_view name) { return e.name < name; }

constexpr auto kCommandsByName = [] {
    std::array<NameEntry, kCommandCount> t{};
    for (size_t i = 0; i < kCommands.size(); ++i) t[i] = {kCommands[i].name, static_cast<int16_t>(i), -1};
    std::sort(t.begin(), t.end(), [](const NameEntry &a, const NameEntry &b) { return a.name < b.name; });
    return t;
}();

/* Where each command's parameters start in the tables below; then the end. */
constexpr auto kFirstParam = [] {
    std::array<uint16_t, kCommandCount + 1> t{};
    for (size_t i = 0; i < kCommands.size(); ++i) t[i + 1] = static_cast<uint16_t>(t[i] + kCommands[i].count);
    return t;
}();

constexpr auto kParamsByName = [] {
    std::array<NameEntry, kFirstParam[kCommandCount]> t{};
    for (size_t i = 0; i < kCommands.size(); ++i)
        for (int p = 0; p < kCommands[i].count; ++p)
            t[kFirstParam[i] + p] = {kCommands[i].params[p].keyword, static_cast<int16_t>(i), static_cast<int16_t>(p)};
    std::sort(t.begin(), t.end(), [](const NameEntry &a, const NameEntry &b) {
        if (a.command != b.command) return a.command < b.command;
        return a.name != b.name ? a.name < b.name : a.param < b.param;
    });
    return t;
}();

constexpr auto kPlacements = [] {
    std::array<Placement, kFirstParam[kCommandCount]> t{};
    for (size_t i = 0; i < kCommands.size(); ++i)
        for (int p = 0; p < kCommands[i].count; ++p) t[kFirstParam[i] + p] = Place(kCommands[i], p);
    return t;
}();

}  // namespace

int IndexedCommand(std::string_view name)
{
    auto it = std::lower_bound(kCommandsByName.begin(), kCommandsByName.end(), name, ByName);
    return it != kCommandsByName.end() && it->name == name ? it->command : -1;
}

int IndexedParam(int command, std::string_view keyword)
{
    auto first = kParamsByName.begin() + kFirstParam[command];
    auto last = kParamsByName.begin() + kFirstParam[command + 1];
    auto it = std::lower_bound(first, last, keyword, ByName);
    return it != last && it->name == keyword ? it->param : -1;
}

const Placement &IndexedPlacement(int command, int param) { return kPlacements[kFirstParam[command] + param]; }

}  // namespace dqov::cmdparm
