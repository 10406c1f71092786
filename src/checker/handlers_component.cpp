// Check handlers of the component commands (BEGIN_COM, DEFINE_PTY, INVOKE,
// ASSIGN, the routine commands, FOR ...): whether the command may stand in
// the current source and routine, then the object layer's parse and check
// of the command as ZOPHX with its field references collected.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/usage.h"

#include <cstdio>
#include <cstring>

#include "dqov/run_driver.h"
#include "platform/dqoo/dqoo.h"

using namespace checker;

namespace {

enum class Scope { None, Subroutine, Routine };

std::string Name()
{
    return Trim(G().parsed.acName, 10);
}

// The command may stand only in a component: refused in a function
// (message in pass 1 only).
bool ComponentOnly()
{
    if (!G().ctx->lFunctionRun)
        return true;
    if (Pass() == 1)
        Issue('F', "PRC1051", std::string_view(G().parsed.acName, 10));
    return false;
}

// The command may stand in a component or in a function of language level two.
bool ComponentOrLevelTwo()
{
    if (G().ctx->lLanguageLevelTwo)
        return true;
    return ComponentOnly();
}

// In a component the command needs language level two.
bool LevelTwoInComponent()
{
    const FFC_CONTEXT* ctx = G().ctx;
    if (!(ctx->lComponentRun && !ctx->lLanguageLevelTwo))
        return true;
    if (Pass() == 1)
        Issue('F', "PRC1052", std::string_view(G().parsed.acName, 10));
    return false;
}

// The command may not stand inside a routine of the given kind.
bool OutsideOf(Scope scope)
{
    const Globals& g = G();
    bool inside = scope == Scope::Subroutine ? g.inSubroutine : g.inRoutine;
    if (!inside)
        return true;
    std::string name = Name();
    P3100_ReportIllegalReference(static_cast<uint32_t>(name.size()), name.c_str());
    return false;
}

// Parse step: in pass 1, and in pass 2 when the component checks are on.
bool ParsePass()
{
    return Pass() == 1 || G().ctx->lComponentChecking;
}

void Parse()
{
    if (ParsePass())
        P3100_sParseComponentCommand();
}

void RoutineCommand(const char* kindText, char kind)
{
    if (!ComponentOrLevelTwo())
        return;
    if (kind == 'W' && !LevelTwoInComponent())
        return;
    if (!ParsePass())
        return;
    P3100_FormatRoutineLabel(kindText);
    P3100_CheckSubroutine(kind);
}

}  // namespace

extern "C" {

void P3100_FormatRoutineLabel(const char* pszKind)
{
    Globals& g = G();
    long number = IsComponentRun() ? static_cast<long>(g.state->lLine) : static_cast<long>(g.source.sSequence);
    char label[32];
    std::snprintf(label, sizeof label, "*%.3s_%ld", pszKind, number);
    Pad(g.parsed.acParms, 10, label);
    // The routine takes no parameters: the count of the SUBROUTINE layout.
    int32_t none = 0;
    std::memcpy(g.parsed.acParms + 10, &none, 4);
}

void P3100_sParseComponentCommand(void)
{
    Globals& g = G();
    FCC_BUILD_HANDLE* build = P3100_pGetBuildHandle();
    if (!build)
        return;
    std::string text;
    std::string label = Trim(g.source.acLabelWritten, 3);
    if (!label.empty())
        text = label + ":";
    std::string name = Trim(g.source.acNameWritten, 10);
    if (!name.empty() && name[0] != '_') {
        if (!text.empty())
            text += ' ';
        text += name;
    }
    size_t length = std::min<size_t>(g.source.usParmLength, FFC_SOURCE_TEXT_MAX);
    std::string parameters = Trim(g.source.acParameters, length);
    if (!parameters.empty()) {
        if (!text.empty())
            text += ' ';
        text += parameters;
    }
    // The work buffer grows in whole steps of its first size.
    size_t step = FFC_SOURCE_TEXT_MAX;
    if (text.size() + 1 > g.buffer11000.size())
        g.buffer11000.resize((text.size() + 1 + step - 1) / step * step, '\0');
    std::memcpy(g.buffer11000.data(), text.c_str(), text.size() + 1);
    g.parsingComponentCommand = true;
    DQOO_FCC_ParseZOPHX(build, g.buffer11000.data(), static_cast<uint32_t>(g.state->lLine),
                        P3100_sCollectFieldReference);
    g.parsingComponentCommand = false;
}

void P3100_ReportObjectLayerFinding(const char* pszText, size_t cbText)
{
    // Findings of the command parses that report their own (the ZOPH2
    // parse of INCLUDE) reach the checker through their callers.
    if (!G().parsingComponentCommand || !pszText)
        return;
    std::string text(pszText, strnlen(pszText, cbText));
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    if (!text.empty())
        IssueText(text, 'F');
}

long P3100_sCollectFieldReference(const char* pszField, uint32_t ulLine)
{
    Globals& g = G();
    if (!pszField || Pass() != 2)
        return 0;
    g.deferredReferences.push_back({pszField, static_cast<int32_t>(ulLine), Name()});
    return 0;
}

void P3100_CheckBeginCom(void)
{
    if (!ComponentOnly())
        return;
    bool subroutine = Pass() == 1 && !OutsideOf(Scope::Subroutine);
    bool routine = !OutsideOf(Scope::Routine);
    if (!subroutine && !routine)
        Parse();
}

void P3100_CheckEndCom(void)
{
    if (!ComponentOnly())
        return;
    if (Pass() == 1) {
        OutsideOf(Scope::Subroutine);
        OutsideOf(Scope::Routine);
    }
    Parse();
}

// DEFINE_COM, DEFINE_MAP and DEFINE_PTY.
void P3100_CheckDefineCom(void)
{
    if (!ComponentOrLevelTwo())
        return;
    if (Pass() == 1 && !OutsideOf(Scope::Subroutine))
        return;
    Parse();
}

void P3100_CheckDefineMap(void)
{
    P3100_CheckDefineCom();
}
void P3100_CheckDefinePty(void)
{
    P3100_CheckDefineCom();
}

// SET, INVOKE, _INVOKE, SET_REF, IF_REF and ATTRIBUTE.
void P3100_CheckSet(void)
{
    if (ComponentOrLevelTwo())
        Parse();
}

void P3100_CheckInvoke(void)
{
    P3100_CheckSet();
}
void P3100_CheckSetRef(void)
{
    P3100_CheckSet();
}
void P3100_CheckIfRef(void)
{
    P3100_CheckSet();
}
void P3100_CheckAttribute(void)
{
    P3100_CheckSet();
}

// DEFINE_EVT and SIGNAL.
void P3100_CheckDefineEvt(void)
{
    if (ComponentOnly())
        Parse();
}

void P3100_CheckSignal(void)
{
    P3100_CheckDefineEvt();
}

// ASSIGN, _ASSIGN, IMPORT, PERFORM and _PERFORM.
void P3100_CheckAssign(void)
{
    if (ComponentOrLevelTwo() && LevelTwoInComponent())
        Parse();
}

void P3100_CheckImport(void)
{
    P3100_CheckAssign();
}
void P3100_CheckPerform(void)
{
    P3100_CheckAssign();
}

void P3100_CheckWebMap(void)
{
    if (!ComponentOnly() || !LevelTwoInComponent())
        return;
    if (Pass() == 1 && !OutsideOf(Scope::Subroutine))
        return;
    Parse();
}

void P3100_CheckPtyRoutine(void)
{
    RoutineCommand("PTY", 'P');
}
void P3100_CheckEvtRoutine(void)
{
    RoutineCommand("EVT", 'E');
}
void P3100_CheckMthRoutine(void)
{
    RoutineCommand("MTH", 'M');
}

void P3100_CheckWebRoutine(void)
{
    if (!ComponentOnly() || !LevelTwoInComponent())
        return;
    if (!ParsePass())
        return;
    P3100_FormatRoutineLabel("WEB");
    P3100_CheckSubroutine('W');
}

// FOR opens a loop with a label number of its own, in both passes.
void P3100_CheckFor(void)
{
    Globals& g = G();
    if (!ComponentOrLevelTwo())
        return;
    g.ctx->ulLabelNumber = P31O2_ulPushLabelNumber(g.ctx);
    Parse();
}

void P3100_CheckEndFor(void)
{
    Globals& g = G();
    if (!ComponentOrLevelTwo())
        return;
    Parse();
    g.ctx->ulLabelNumber = P31O2_ulPopLabelNumber(g.ctx);
}

}  // extern "C"
