// Check handlers of the definition commands (FUNCTION, DEF_COND, INCLUDE),
// the message commands and the screen commands.
#include "checker/checker.h"
#include "checker/expression_routines.h"
#include "checker/handlers.h"
#include "checker/lists.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "params/fixed_text.h"

#include <cctype>
#include <cstring>
#include <memory>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/record_store.h"
#include "dqov/runcontrol/workfile.h"

using namespace checker;

namespace {

// SYSFLAGS position of each FUNCTION option, in option-table order.
constexpr int kOptionFlag[26] = {
    SF_NOMESSAGES,
    SF_DEFERWRITE,
    SF_HEAVYUSAGE,
    SF_LIGHTUSAGE,
    SF_DBOPTIMISE,
    SF_DBOPTIMISE,
    SF_PGMCOMMIT,
    SF_DIRECT,
    SF_NOIGCCNV,
    SF_NO_RLTB_MIRROR,
    SF_CLOSE_DISPLAY,
    SF_DBOPTIMISE_BATCH,
    SF_DBOPTIMISE_BATCH,
    SF_NOPGMCOMMIT,
    SF_MLOPTIMISE,
    SF_MLOPTIMISE,
    SF_ALP_SYSTEM_VARIABLE,
    SF_NUM_SYSTEM_VARIABLE,
    SF_ALP_FIELD_VALIDATE,
    SF_NUM_FIELD_VALIDATE,
    SF_MINI_SCREEN,
    SF_OS400_EXT_PRINT,
    SF_WEBEVENT,
    SF_BUILTIN,
    SF_QUINTARO,
    SF_STRICT_NULL_ASSIGN,
};

P3100_LAYOUT_CALL g_screenLayout = nullptr;
P3100_LAYOUT_CALL g_reportLayout = nullptr;

// TRIGGER: *NONE, *FIELD (a field's trigger), or the physical file whose
// trigger the function is.
void CheckTrigger()
{
    Globals& g = G();
    std::string trigger = Upper(Parm("TRIGGER"));
    if (trigger == "*FIELD") {
        g.sysFlags[SF_TRIGGER_FIELD] = 'Y';
        return;
    }
    if (!Given(trigger))
        return;
    g.sysFlags[SF_TRIGGER_OTHER] = 'Y';
    if (trigger[0] == '*' ||
        CountRows("DC_P3100/SQL041", "SELECT COUNT(*) FROM QV_DTA.QV_F27 WHERE X27P_I = '%s' AND X27PFL = '%s' ",
                  trigger) == 0)
        Issue(Msg::FunctionOptionNotValid, "TRIGGER(" + trigger + ")");
}

}  // namespace

namespace checker {

bool FindConditionRecord(const std::string& name, FFC_WORK_RECORD& r)
{
    /* a cursor of its own, so that a lookup inside another read of the
    ** work file leaves that read where it was */
    constexpr uint16_t kConditionSlot = 12;
    BlankRecord(r, WR_DEF_COND, name);
    return WF_cReadFirst(G().ctx, kConditionSlot, &r, 2) == '0';
}

}  // namespace checker

extern "C" {

void P3100_SetLayoutCalls(P3100_LAYOUT_CALL pfnScreen, P3100_LAYOUT_CALL pfnReport)
{
    g_screenLayout = pfnScreen;
    g_reportLayout = pfnReport;
}

// FUNCTION: each option given sets its flag, *DIRECT and *WEBEVENT also the
// function switches. A value that is no FUNCTION option is refused by the
// parameter preparation.
void P3100_CheckFunctionOptions(void)
{
    Globals& g = G();
    if (Pass() != 1) {
        // The lists the function receives are lists it defines.
        int32_t lists = ParmCount("RCV_LIST");
        for (int32_t i = 0; i < lists; ++i) {
            ListDefinition list;
            std::string name = ParmEntry("RCV_LIST", i);
            if (!FindList(name, list))
                Issue(Msg::ListNotDefined, NameOf(name));
        }
        return;
    }
    for (int i = 0; i < 26; ++i) {
        const char* option = FFC_FUNCTION_OPTIONS[i];
        if (!ParmFlag("OPTIONS", option))
            continue;
        char& flag = g.sysFlags[kOptionFlag[i]];
        flag = std::strcmp(option, "*STRICT_NULL_ASSIGN") == 0 ? 'S' : 'Y';
        if (std::strcmp(option, "*DIRECT") == 0)
            g.switchDirect = 'Y';
        if (std::strcmp(option, "*WEBEVENT") == 0) {
            g.switchWebEvent = 'Y';
            if (g.functionKind)
                std::memcpy(g.functionKind, "WEV", 3);
        }
    }
    std::string structure = Upper(Parm("RCV_DS"));
    if (Given(structure)) {
        FFC_WORK_RECORD& r = g.record2;
        BlankRecord(r, WR_RCV_DS, "", structure);
        P3100_WriteRecord(r);
        RecordDataStructureUse(structure, nullptr);
    }
    int32_t lists = ParmCount("RCV_LIST");
    for (int32_t i = 0; i < lists; ++i) {
        FFC_WORK_RECORD& r = g.record2;
        BlankRecord(r, WR_RCV_LIST, "", Upper(ParmEntry("RCV_LIST", i)));
        P3100_WriteRecord(r);
    }
    CheckTrigger();
    // A trigger receives its trigger information and a system variable
    // function its request, never lists or a data structure: their
    // generated entry has no place for them, so the receive would vanish.
    const char* kind = g.sysFlags[SF_TRIGGER_FIELD] == 'Y' || g.sysFlags[SF_TRIGGER_OTHER] == 'Y' ? "TRIGGER"
                       : g.sysFlags[SF_ALP_SYSTEM_VARIABLE] == 'Y' || g.sysFlags[SF_NUM_SYSTEM_VARIABLE] == 'Y'
                           ? "*SYSTEM_VARIABLE"
                           : nullptr;
    if (kind && (Given(structure) || lists > 0))
        Issue(Msg::FunctionOptionNotValid, std::string(Given(structure) ? "RCV_DS" : "RCV_LIST") + " with " + kind);
}

// DEF_COND: a named condition, recorded once in source order; IF, DOWHILE
// and DOUNTIL name it where a condition stands. Its condition is checked
// in pass 2, when every condition name of the function is known.
void P3100_CheckDefCond(void)
{
    Globals& g = G();
    std::string name = Upper(Parm("NAME"));
    std::string condition = Parm("COND");
    if (Pass() == 2) {
        /* the system variables it reads are used fields its routine sets */
        CheckedExpression accepted;
        if (name.size() > 1 && name[0] == '*' && !condition.empty())
            CheckConditionTextAs(condition, Msg::DefCondNotValid, dqov::text::Fixed(name, 10), &accepted);
        return;
    }
    if (name.size() < 2 || name[0] != '*' || condition.empty()) {
        Issue(Msg::DefCondNotValid, name);
        return;
    }
    FFC_WORK_RECORD& r = g.record2;
    if (!BlankNewRecord(r, WR_DEF_COND, name, Msg::ConditionDefinedTwice))
        return;
    BlankRecord(r, WR_DEF_COND, name);
    auto* data = reinterpret_cast<WR_DEF_COND_DATA*>(r.acData);
    int32_t line = g.parsed.sLine;
    FIX_LongToDigits(&line, 7, data->acLine);
    Pad(data->acCondition, sizeof data->acCondition, condition);
    Pad(data->acSwitch, 3, Upper(Parm("AVAL_DFTC")) == "*NO" ? "*NO" : "*YE");
    P3100_WriteRecord(r);
}

// INCLUDE: an INCLUDE whose commands were not brought in is reported.
void P3100_CheckInclude(void)
{
    Globals& g = G();
    if (Pass() != 1 || g.parsed.sSubLine != 0)
        return;
    auto first = std::make_unique<FFC_SOURCE_COMMAND>();
    first->sLine = g.parsed.sLine;
    first->sSubLine = 1;
    if (RS_fFindSourceRecord(g.ctx, first.get(), sizeof *first) == 0)
        return;
    Issue(Msg::IncludeNotExpanded, Upper(Parm("FUNCTION")));
}

// MESSAGE, ABORT, EXIT and MENU: not allowed in a component; the message
// text in use is noted for the end of pass 1; in pass 2 the fields of the
// message data are checked, as the validation commands check theirs.
void P3100_CheckMessageCommand(void)
{
    if (!NotInComponent())
        return;
    NoteMessageText();
    if (Pass() == 2)
        CheckEntryValues("MSGDTA");
}

// Runs a layout step of the layout subsystem and issues the closing message
// it leaves in the check state's result slot.
static void RunLayout(P3100_LAYOUT_CALL layout)
{
    Globals& g = G();
    if (!layout)
        return;
    g.state->cFinalSeverity = ' ';
    layout(g.ctx, g.state);
    char severity = g.state->cFinalSeverity;
    if (severity == ' ' || severity == '\0')
        return;
    Issue(severity, std::string(g.state->acFinalMsgId, 7).c_str(),
          Trim(g.state->acFinalText, sizeof g.state->acFinalText));
    g.state->cFinalSeverity = ' ';
}

// The branch target of a screen key: one of the actions the program takes
// when the key ends the panel, or a label of the routine (all of them known
// in pass 2). Any other value the program could branch to nowhere.
static void CheckKeyTarget(const char* keyword, const std::string& target)
{
    if (!TargetValid(target, {"*NEXT", "*EXIT", "*MENU", "*RETURN", "*LASTDIS", "*ERROR", "*ABORT", "*AUTO"}))
        Issue(Msg::ValueNotAllowedForParameter, dqov::text::Fixed(keyword, 10) + dqov::text::Fixed(Upper(target), 20));
}

static void CheckKeyTargets()
{
    for (const char* keyword : {"EXIT_KEY", "MENU_KEY", "ADD_KEY", "CHANGE_KEY", "DELETE_KEY", "PROMPT_KEY"}) {
        const std::string target = Upper(Parm(keyword, 1));
        /* only the prompt key takes *AUTO */
        if (target == "*AUTO" && std::strcmp(keyword, "PROMPT_KEY") != 0)
            Issue(Msg::ValueNotAllowedForParameter, dqov::text::Fixed(keyword, 10) + dqov::text::Fixed(target, 20));
        else
            CheckKeyTarget(keyword, target);
    }
    /* the five user keys: those given have a key number */
    for (int32_t i = 0; i < 5; ++i) {
        const std::string number = ParmEntry("USER_KEYS", i, 0);
        if (number.empty() || number == "0")
            continue;
        const std::string target = Upper(ParmEntry("USER_KEYS", i, 2));
        if (target == "*AUTO")
            Issue(Msg::ValueNotAllowedForParameter, dqov::text::Fixed("USER_KEYS", 10) + dqov::text::Fixed(target, 20));
        else
            CheckKeyTarget("USER_KEYS", target);
    }
}

// REQUEST, DISPLAY and POP_UP: their fields are used; counted for the
// *WEBEVENT rule; in pass 2 the branch targets of their keys are checked
// and each goes through the automatic screen layout.
void P3100_CheckScreenCommand(void)
{
    Globals& g = G();
    if (Pass() == 1) {
        RecordExpandedFieldList("FIELDS", {});
        return;
    }
    ++g.screenCommands;
    CheckKeyTargets();
    RunLayout(g_screenLayout);
}

void P3100_RunReportLayout(void)
{
    RunLayout(g_reportLayout);
}

void P3100_CheckRequestDisplay(void)
{
    P3100_CheckScreenCommand();
}

void P3100_CheckPopUp(void)
{
    P3100_CheckScreenCommand();
}

}  // extern "C"
