// Check handlers of the definition commands (FUNCTION, DEF_COND, INCLUDE),
// the message commands and the screen commands.
#include "checker/checker.h"
#include "checker/handlers.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "dqov/fix.h"
#include "dqov/record_store.h"

using namespace checker;

namespace {

std::string Upper(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// SYSFLAGS position of each FUNCTION option, in option-table order.
constexpr int kOptionFlag[26] = {
    SF_NOMESSAGES, SF_DEFERWRITE, SF_HEAVYUSAGE, SF_LIGHTUSAGE, SF_DBOPTIMISE, SF_DBOPTIMISE, SF_PGMCOMMIT,
    SF_DIRECT, SF_NOIGCCNV, SF_NO_RLTB_MIRROR, SF_CLOSE_DISPLAY, SF_DBOPTIMISE_BATCH, SF_DBOPTIMISE_BATCH,
    SF_NOPGMCOMMIT, SF_MLOPTIMISE, SF_MLOPTIMISE, SF_ALP_SYSTEM_VARIABLE, SF_NUM_SYSTEM_VARIABLE,
    SF_ALP_FIELD_VALIDATE, SF_NUM_FIELD_VALIDATE, SF_MINI_SCREEN, SF_OS400_EXT_PRINT, SF_WEBEVENT, SF_BUILTIN,
    SF_QUINTARO, SF_STRICT_NULL_ASSIGN,
};

P3100_LAYOUT_CALL g_screenLayout = nullptr;
P3100_LAYOUT_CALL g_reportLayout = nullptr;

} // namespace

extern "C" {

void P3100_SetLayoutCalls(P3100_LAYOUT_CALL pfnScreen, P3100_LAYOUT_CALL pfnReport)
{
    g_screenLayout = pfnScreen;
    g_reportLayout = pfnReport;
}

// FUNCTION: every option must be one of the FUNCTION options; each given
// option sets its flag, *DIRECT and *WEBEVENT also the function switches.
void P3100_CheckFunctionOptions(void)
{
    Globals &g = G();
    if (Pass() != 1)
        return;
    std::string options;
    if (KeywordValue("OPTIONS", options)) {
        for (const std::string &item : ListItems(options)) {
            std::string option = Upper(item);
            int found = -1;
            for (int i = 0; i < 26; ++i)
                if (option == FFC_FUNCTION_OPTIONS[i])
                    found = i;
            if (found < 0) {
                Issue('F', "PRC0265", option);
                continue;
            }
            g.sysFlags[kOptionFlag[found]] = option == "*STRICT_NULL_ASSIGN" ? 'S' : 'Y';
            if (option == "*DIRECT")
                g.switchDirect = 'Y';
            if (option == "*WEBEVENT") {
                g.switchWebEvent = 'Y';
                if (g.functionKind)
                    std::memcpy(g.functionKind, "WEV", 3);
            }
        }
    }
    std::string trigger;
    if (KeywordValue("TRIGGER", trigger)) {
        std::vector<std::string> items = ListItems(trigger);
        std::string first = items.empty() ? "" : Upper(items.front());
        if (first == "*FIELD")
            g.sysFlags[SF_TRIGGER_FIELD] = 'Y';
        else if (!first.empty() && first != "*NONE")
            g.sysFlags[SF_TRIGGER_OTHER] = 'Y';
    }
}

// DEF_COND: a named condition, recorded once in source order.
void P3100_CheckDefCond(void)
{
    Globals &g = G();
    if (Pass() != 1)
        return;
    std::string name, condition;
    KeywordValue("NAME", name);
    name = Upper(name);
    if (name.empty() || name.size() > 10 || name[0] != '*' || !KeywordValue("COND", condition) ||
        condition.empty()) {
        Issue('F', "PRC0195", name);
        return;
    }
    FFC_WORK_RECORD &r = g.record2;
    BlankRecord(r, WR_DEF_COND, name);
    if (FindRecord(r, 2)) {
        Issue('F', "PRC0196", name);
        return;
    }
    BlankRecord(r, WR_DEF_COND, name);
    auto *data = reinterpret_cast<WR_DEF_COND_DATA *>(r.acData);
    int32_t line = g.parsed.sLine;
    FIX_LongToDigits(&line, 7, data->acLine);
    if (condition.size() >= 2 && condition.front() == '\'' && condition.back() == '\'')
        condition = condition.substr(1, condition.size() - 2);
    Pad(data->acCondition, sizeof data->acCondition, condition);
    Pad(data->acSwitch, 3, "*YE");
    WriteRecord(r);
}

// INCLUDE: an INCLUDE whose commands were not brought in is reported.
void P3100_CheckInclude(void)
{
    Globals &g = G();
    if (Pass() != 1 || g.parsed.sSubLine != 0)
        return;
    auto first = std::make_unique<FFC_SOURCE_COMMAND>();
    first->sLine = g.parsed.sLine;
    first->sSubLine = 1;
    if (RS_fFindSourceRecord(g.ctx, first.get(), sizeof *first) == 0)
        return;
    std::string function;
    KeywordValue("FUNCTION", function);
    Issue('F', "PRC0377", Upper(function));
}

// MESSAGE, ABORT, EXIT and MENU: not allowed in a component; the message
// text in use is noted for the end of pass 1.
void P3100_CheckMessageCommand(void)
{
    Globals &g = G();
    if (IsComponentRun()) {
        if (Pass() == 1)
            Issue('F', "PRC1052", Trim(g.parsed.acName, 10));
        return;
    }
    std::string text;
    if (KeywordValue("MSGTXT", text) || KeywordValue("MSGID", text))
        g.messageTextUsed = 'Y';
}

// REQUEST, DISPLAY and POP_UP: counted for the *WEBEVENT rule; the field and
// option checks belong to the screen check of the layout step.
void P3100_CheckScreenCommand(void)
{
    Globals &g = G();
    if (Pass() == 2)
        ++g.screenCommands;
    std::string design;
    if (g_screenLayout && KeywordValue("DESIGN", design) && Upper(design) == "*AUTO")
        g_screenLayout(g.ctx, g.state);
    ReportHandlerNotBuilt();
}

void P3100_CheckRequestDisplay(void)
{
    P3100_CheckScreenCommand();
}

void P3100_CheckPopUp(void)
{
    P3100_CheckScreenCommand();
}

} // extern "C"
