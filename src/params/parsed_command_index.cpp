/* The run-time lookup tables of the parsed-command layouts, made at compile
 * time from kCommands: the commands by name, each command's parameters by
 * keyword and the placement of every parameter. */
#include "params/parsed_command.h"

#include <bit>
#include <cstring>
#include <type_traits>

namespace dqov::cmdparm {
namespace {

/* Where each command's parameters start in kPlacements; then the end. */
constexpr auto kFirstParam = [] {
    std::array<uint16_t, kCommandCount + 1> t{};
    for (size_t i = 0; i < kCommands.size(); ++i)
        t[i + 1] = static_cast<uint16_t>(t[i] + kCommands[i].count);
    return t;
}();

constexpr auto kPlacements = [] {
    std::array<Placement, kFirstParam[kCommandCount]> t{};
    for (size_t i = 0; i < kCommands.size(); ++i)
        for (int p = 0; p < kCommands[i].count; ++p)
            t[kFirstParam[i] + p] = Place(kCommands[i], p);
    return t;
}();

/* For each parameter, the first of its command with the same keyword. */
constexpr auto kFirstOfKeyword = [] {
    std::array<int16_t, kFirstParam[kCommandCount]> t{};
    for (size_t i = 0; i < kCommands.size(); ++i)
        for (int p = 0; p < kCommands[i].count; ++p) {
            const std::string_view keyword = kCommands[i].params[p].keyword;
            int first = 0;
            while (std::string_view(kCommands[i].params[first].keyword) != keyword)
                ++first;
            t[kFirstParam[i] + p] = static_cast<int16_t>(first);
        }
    return t;
}();

/* Up to eight bytes of the name from `at`, the first the lowest: the same
 * number whether worked out while compiling or loaded while running. */
constexpr uint64_t Bytes(std::string_view name, size_t at, size_t n)
{
    if (!std::is_constant_evaluated() && std::endian::native == std::endian::little && n == 8) {
        uint64_t v;
        std::memcpy(&v, name.data() + at, 8);
        return v;
    }
    if (!std::is_constant_evaluated() && std::endian::native == std::endian::little && n == 4) {
        uint32_t v;
        std::memcpy(&v, name.data() + at, 4);
        return v;
    }
    uint64_t v = 0;
    for (size_t i = 0; i < n; ++i)
        v |= static_cast<uint64_t>(static_cast<unsigned char>(name[at + i])) << (8 * i);
    return v;
}

/* Names are found through open-addressed hash tables: a name's slot is its
 * hash (mixed with its command's index for a keyword), or the next free one.
 * The hash takes the name's first and last eight (or four) bytes, which may
 * overlap, and its length: no loop over its characters. */
constexpr uint32_t Hash(std::string_view name, uint32_t seed)
{
    const size_t n = name.size();
    uint64_t a = 0, b = 0;
    if (n >= 8) {
        a = Bytes(name, 0, 8);
        b = Bytes(name, n - 8, 8);
    } else if (n >= 4) {
        a = Bytes(name, 0, 4);
        b = Bytes(name, n - 4, 4);
    } else {
        a = Bytes(name, 0, n);
    }
    uint64_t h = (a ^ (static_cast<uint64_t>(seed) << 40 | n)) * 0x9E3779B97F4A7C15ULL;
    h ^= (b + n) * 0xC2B2AE3D27D4EB4FULL;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ULL;
    return static_cast<uint32_t>(h >> 32);
}

/* Whether the name equals a table name of the same length, told by the same
 * loads as the hash (first and last eight or four bytes, which cover a name
 * of up to sixteen) rather than a call; a longer name is compared whole. */
inline bool SameBytes(std::string_view name, const char* stored)
{
    const size_t n = name.size();
    const std::string_view other(stored, n);
    if (n > 16)
        return name == other;
    if (n >= 8)
        return Bytes(name, 0, 8) == Bytes(other, 0, 8) && Bytes(name, n - 8, 8) == Bytes(other, n - 8, 8);
    if (n >= 4)
        return Bytes(name, 0, 4) == Bytes(other, 0, 4) && Bytes(name, n - 4, 4) == Bytes(other, n - 4, 4);
    return Bytes(name, 0, n) == Bytes(other, 0, n);
}

struct Slot {
    int16_t command = -1; /* -1: free */
    int16_t param = -1;
    uint16_t length = 0; /* of the keyword, compared before its text */
};

/* The tables' sizes: powers of two, a quarter full or less. */
constexpr size_t SlotsFor(size_t names)
{
    size_t n = 1;
    while (n < names * 4)
        n *= 2;
    return n;
}
constexpr size_t kCommandSlots = SlotsFor(kCommands.size());
constexpr size_t kParamSlots = SlotsFor(kFirstParam[kCommandCount]);

constexpr auto kCommandTable = [] {
    std::array<Slot, kCommandSlots> t{};
    for (size_t i = 0; i < kCommands.size(); ++i) {
        size_t at = Hash(kCommands[i].name, 0) & (kCommandSlots - 1);
        while (t[at].command >= 0)
            at = (at + 1) & (kCommandSlots - 1);
        t[at] = {static_cast<int16_t>(i), -1, static_cast<uint16_t>(std::string_view(kCommands[i].name).size())};
    }
    return t;
}();

/* The first of equal keywords of a command is the one found. */
constexpr auto kParamTable = [] {
    std::array<Slot, kParamSlots> t{};
    for (size_t i = 0; i < kCommands.size(); ++i)
        for (int p = 0; p < kCommands[i].count; ++p) {
            std::string_view keyword = kCommands[i].params[p].keyword;
            size_t at = Hash(keyword, static_cast<uint32_t>(i)) & (kParamSlots - 1);
            bool known = false;
            for (; t[at].command >= 0; at = (at + 1) & (kParamSlots - 1))
                known = known || (t[at].command == static_cast<int16_t>(i) &&
                                  std::string_view(kCommands[i].params[t[at].param].keyword) == keyword);
            if (!known)
                t[at] = {static_cast<int16_t>(i), static_cast<int16_t>(p), static_cast<uint16_t>(keyword.size())};
        }
    return t;
}();

}  // namespace

int IndexedCommand(std::string_view name)
{
    for (size_t at = Hash(name, 0) & (kCommandSlots - 1);; at = (at + 1) & (kCommandSlots - 1)) {
        const Slot& slot = kCommandTable[at];
        if (slot.command < 0)
            return -1;
        if (slot.length == name.size() && SameBytes(name, kCommands[slot.command].name))
            return slot.command;
    }
}

int IndexedParam(int command, std::string_view keyword)
{
    for (size_t at = Hash(keyword, static_cast<uint32_t>(command)) & (kParamSlots - 1);;
         at = (at + 1) & (kParamSlots - 1)) {
        const Slot& slot = kParamTable[at];
        if (slot.command < 0)
            return -1;
        if (slot.command == command && slot.length == keyword.size() &&
            SameBytes(keyword, kCommands[command].params[slot.param].keyword))
            return slot.param;
    }
}

int FirstParamOfKeyword(int command, int param)
{
    return kFirstOfKeyword[kFirstParam[command] + param];
}

const Placement& IndexedPlacement(int command, int param)
{
    return kPlacements[kFirstParam[command] + param];
}

}  // namespace dqov::cmdparm
