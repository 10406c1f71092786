// Check dispatch: finds a command's handler once by its name and caches it
// in the command's lookup entry.
#include "checker/checker.h"
#include "checker/handlers.h"

#include <array>
#include <cstring>
#include <string_view>

using namespace checker;

namespace {

enum class Mode { Stored, StoredEmpty, EveryTime, Screen };

struct DispatchRow {
    const char* name;
    FFC_CHECK_HANDLER handler;
    Mode mode;
};

// UREQUEST and UDISPLAY have no check of their own, and the generator has
// no code for them: when the check is to be followed by a generation the
// function cannot be generated whole, which is a finding at the command's
// line rather than a generation that stops after a clean check.
void CheckUngeneratedCommand()
{
    Globals& g = G();
    if (g.ctx->cOption == 'G' || IsComponentRun())
        Issue(Msg::CommandNotGenerated, std::string_view(g.parsed.acName, 10));
}

// The check handler of every command, from the command list.
constexpr DispatchRow kRows[] = {
#define DQOV_COMMAND(number, name, role, partner, params, flags, check, mode, ...) {name, check, Mode::mode},
#include "params/commands.def"
#undef DQOV_COMMAND
};
static_assert(std::size(kRows) == FFC_COMMAND_COUNT, "a check handler for every command");

// Whether the blank-padded command name (10 characters) is the row's name.
bool IsRowName(const char* name, std::string_view rowName)
{
    if (std::memcmp(name, rowName.data(), rowName.size()) != 0)
        return false;
    for (size_t i = rowName.size(); i < 10; ++i)
        if (name[i] != ' ')
            return false;
    return true;
}

// The commands whose check does nothing: the rows bound without a run, by
// command number (a row's number is its place in the command list).
constexpr auto kDoesNothing = [] {
    std::array<bool, FFC_COMMAND_COUNT + 1> rows{};
    for (size_t i = 0; i < std::size(kRows); ++i)
        rows[i + 1] = kRows[i].mode == Mode::StoredEmpty;
    return rows;
}();

}  // namespace

extern "C" {

int32_t P3100_fCheckDoesNothing(uint32_t ulNumber)
{
    return ulNumber < kDoesNothing.size() && kDoesNothing[ulNumber] ? 1 : 0;
}

void P3100_DispatchCommand(FFC_COMMAND_ENTRY* pEntry)
{
    if (pEntry && pEntry->pfnCheck) {
        pEntry->pfnCheck();
        return;
    }
    const char* name = G().parsed.acName;
    for (const DispatchRow& row : kRows) {
        if (!IsRowName(name, row.name))
            continue;
        switch (row.mode) {
        case Mode::Stored:
            if (pEntry)
                pEntry->pfnCheck = row.handler;
            row.handler();
            return;
        case Mode::StoredEmpty:
            if (pEntry)
                pEntry->pfnCheck = row.handler;
            return;
        case Mode::EveryTime: row.handler(); return;
        case Mode::Screen:
            if (pEntry)
                pEntry->pfnCheck = row.handler;
            P3100_CheckScreenCommand();
            return;
        }
    }
}

}  // extern "C"
