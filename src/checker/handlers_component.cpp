// Check handlers of the component commands (BEGIN_COM, DEFINE_PTY, INVOKE,
// ASSIGN, the routine commands, FOR ...): whether the command may stand in
// the current source and routine, then the object layer's parse and check
// of the command as ZOPHX with its field references collected.
#include "checker/checker.h"
#include "checker/command_tables.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"
#include "dqov/layout/layout_records.h"
#include "dqov/runcontrol/fatal.h"
#include "dqov/runcontrol/work_records.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"
#include "platform/dqoo/dqoo.h"

using namespace checker;

namespace {

enum class Scope { None, Subroutine, Routine };

std::string Name()
{
    return Trim(G().parsed.acName, 10);
}

// In a component, the command must stand between BEGIN_COM and END_COM
// (tested and reported in pass 1).
bool InsideBlock()
{
    return !P3100_fFilterByPass(1) || G().state->pfnCheckComponentBlock == nullptr ||
           G().state->pfnCheckComponentBlock(1);
}

// The command may stand only in a component: refused in a function
// (message in pass 1 only).
bool ComponentOnly()
{
    if (!G().ctx->lFunctionRun)
        return InsideBlock();
    if (Pass() == 1)
        Issue(Msg::ComponentCommandInFunction, std::string_view(G().parsed.acName, 10));
    return false;
}

// The command may stand in a component or in a function of language level two.
bool ComponentOrLevelTwo()
{
    if (G().ctx->lLanguageLevelTwo && G().ctx->lFunctionRun)
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
        Issue(Msg::CommandNotForObject, std::string_view(G().parsed.acName, 10));
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
    NoteParmsWritten(14);
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
    int32_t dispatchId = -1;
    const long rc = DQOO_FCC_ParseZOPHX(build, g.buffer11000.data(), static_cast<uint32_t>(g.state->lLine),
                                        P3100_sCollectFieldReference, &dispatchId);
    g.parsingComponentCommand = false;
    // findings are the object layer's own messages; a failure ends the job
    if (rc < 0)
        DQOO_FCC_FatalError("DQOO_FCC_ParseZOPHX", rc);
    // the id the object layer gave the command: what its code dispatches
    g.parsed.lDispatchId = dispatchId;
}

int32_t P3100_fFilterByPass(int32_t lPass)
{
    return Pass() == lPass ? 1 : 0;
}

int32_t P3100_fCheckComponentBlock(int32_t fInside)
{
    Globals& g = G();
    if (!IsComponentRun() || (g.inComponentBlock ? 1 : 0) == (fInside ? 1 : 0))
        return 1;
    std::string name = Name();
    P3100_ReportIllegalReference(static_cast<uint32_t>(name.size()), name.c_str());
    return 0;
}

// A field a component command names: a field of the dictionary, of the
// process or defined by the function is used (its USEFIELD record brings
// it into the field vector); any other name is refused at the command's
// line. A system variable ("*DATE") is checked as a value and used.
// Asked once per name and check, in the pass the object layer resolves
// names (pass 2).
long P3100_sCheckFieldExistsCallback(const char* pszField)
{
    if (!pszField)
        return 1;
    const std::string field = Upper(pszField);
    if (!field.empty() && field[0] == '*') {
        // a system variable a command passes: used as one
        const OperandInfo value = CheckOperandValue(field);
        if (!value.valid || value.field)
            return 1;
        RecordFieldUse(field, "", "SV");
        return 0;
    }
    char type = ' ';
    int32_t length = 0, decimals = 0;
    if (!field.empty() && field.size() <= 10 && LookUpField(field, type, length, decimals)) {
        RecordFieldUse(field, field, "FL");
        return 0;
    }
    Issue('F', field.size() <= 10 ? Msg::FieldNotInDictionary : Msg::FieldNotUsableHere,
          std::string_view(field).substr(0, 50));
    return 1;
}

// A name the object layer could not resolve in its context: a class or
// component is "not valid for use in this context", a feature, parameter
// or routine "out of scope on this command". A name used as a class that
// no class has may be a field (a value holder of the field's type): it is
// then used. Reported in the pass the names are resolved in, at the
// command's line.
long P3100_sCheckNameInContext(const char* pszName, int32_t lKind)
{
    if (!pszName || !P3100_fFilterByPass(2))
        return 1;
    if (lKind == DQOO_NAME_FIELD_CLASS) {
        const std::string field = Upper(pszName);
        char type = ' ';
        int32_t length = 0, decimals = 0;
        if (field.size() <= 10 && LookUpField(field, type, length, decimals)) {
            RecordFieldUse(field, field, "FL");
            return 0;
        }
        lKind = DQOO_NAME_CLASS;
    }
    const int format = lKind == DQOO_NAME_CLASS || lKind == DQOO_NAME_COMPONENT ? FFC_FMT_CLASS_NOT_VALID
                                                                                 : FFC_FMT_OUT_OF_SCOPE;
    char text[256];
    std::snprintf(text, sizeof text, FFC_LITERAL_FORMATS[format], std::string(pszName).substr(0, 80).c_str());
    IssueText(text, 'F');
    return 1;
}

// A group of fields (GROUP_BY) named by IMPORT or WEB_MAP: each member
// goes to the sink, and the group counts as used.
long P3100_sExpandGroupCallback(const char* pszGroup, void* pvUser, DQOO_GROUP_FIELD_SINK pfnField)
{
    Globals& g = G();
    if (!pszGroup || !pfnField)
        return 0;
    // the group is known by its name as written, with the name character
    const std::string group = std::string(1, g.ctx->cNatChar1) + Upper(pszGroup);
    FFC_WORK_RECORD& r = g.record2;
    BlankRecord(r, WR_GROUPNAM, group);
    if (!FindRecord(r, 2))
        return 0;
    auto* data = reinterpret_cast<WR_GROUPNAM_DATA*>(r.acData);
    WR_SetGroupUseCount(data, WR_GroupUseCount(data) + 1);
    WF_cUpdate(g.ctx, 2, &r);
    std::vector<std::string> fields;
    FFC_WORK_RECORD member;
    BlankRecord(member, LAYOUT_KIND_GROUPFLD, group);
    for (char rc = WF_cReadFirst(g.ctx, 6, &member, 2); rc == '0'; rc = WF_cReadNext(g.ctx, 6, &member, 2))
        fields.push_back(Trim(reinterpret_cast<const GROUPFLD_DATA*>(member.acData)->acField, 10));
    for (const std::string& f : fields)
        pfnField(pvUser, f.c_str());
    return static_cast<long>(fields.size());
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
    Globals& g = G();
    if (!g.ctx->lFunctionRun) {
        // one block: a second BEGIN_COM stands inside the first
        if (P3100_fFilterByPass(1) && g.state->pfnCheckComponentBlock && !g.state->pfnCheckComponentBlock(0))
            return;
        g.inComponentBlock = true;
    }
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
    G().inComponentBlock = false;
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
