// Check handlers of the structure and flow commands: ELSE, GOTO, RETURN,
// CASE, CONTINUE, LEAVE, SUBROUTINE, ENDROUTINE and EXECUTE, and the
// handlers of commands without a check of their own.
#include "checker/checker.h"
#include "checker/handlers.h"
#include "checker/operand_checks.h"
#include "checker/usage.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/run_driver.h"
#include "dqov/runcontrol/workfile.h"

using namespace checker;

namespace {

// Parameters a subroutine takes and an EXECUTE passes (the PARMS and
// WITH_PARMS lists hold at most 50 entries).
constexpr int32_t kRoutineParmsMax = 50;

void SetRoutine(std::string_view name)
{
    Pad(G().currentRoutine, sizeof G().currentRoutine, name);
}

// An EXECUTE argument is an operand moved into (or out of) the parameter at
// its place: it must be of the parameter's class, an alphanumeric value for
// an alphanumeric parameter and a number for a numeric one (a quoted text is
// an alphanumeric literal, never an expression).
void CheckArgument(const std::string& routine, int32_t index, const std::string& argument)
{
    int32_t position = index + 1;
    char digits[7];
    FIX_LongToDigits(&position, 7, digits);
    std::string key = routine;
    key.resize(10, ' ');
    FFC_WORK_RECORD& p = G().record2;
    BlankRecordKey(p, WR_USRSUBP, key + std::string(digits, 7));
    FFC_FIELD_DEFINITION def;
    if (argument.empty() || !FindRecord(p, 2) || !LookUpFieldDefinition(Trim(p.acData + 1, 10), def))
        return;
    CheckOperandValue(argument, P3100_chTypeClass(def.cType), 0, 0);
}

}  // namespace

extern "C" {

// The closers and middle parts whose structure check is all they need,
// and the commands that take no check of their own.
void P3100_CheckEndSelect(void) {}
void P3100_CheckEndIf(void) {}
void P3100_CheckEndWhile(void) {}
void P3100_CheckEndUntil(void) {}
void P3100_CheckIfStatus(void) {}
void P3100_CheckOtherwise(void) {}
void P3100_CheckEndCase(void) {}
void P3100_CheckEndLoop(void) {}
void P3100_CheckCommit(void) {}
void P3100_CheckRollback(void) {}

// ELSE: a second ELSE under the same IF does not follow its IF.
void P3100_CheckElse(void)
{
    Globals& g = G();
    if (Pass() != 1 || g.depth < 1 || g.depth > kStackLimit)
        return;
    const StackLevel& top = g.stack[g.depth];
    if (std::memcmp(top.name, "IF        ", 10) == 0 && top.middleCount > 1)
        Issue(Msg::ElseWithoutIf, Trim(g.parsed.acName, 10));
}

// GOTO: the label must be a LABEL record of the current routine; "*FIRST"
// is resolved after pass 1 and so is taken as it stands.
void P3100_CheckGoto(void)
{
    Globals& g = G();
    std::string label = Upper(Parm("LABEL"));
    if (Pass() == 1) {
        if (label.find('_') != std::string::npos)
            Issue(Msg::LabelNotValid, label);
        else if (label == "*FIRST")
            g.labelReferences.push_back("*FIRST    ");
        return;
    }
    if (label.empty() || label == "*FIRST")
        return;
    if (label.size() > 3 || label.find('_') != std::string::npos) {
        Issue(Msg::GotoLabelNotDefined, label);
        return;
    }
    FFC_WORK_RECORD& r = g.record2;
    BlankRecordKey(r, WR_LABEL, label, std::string_view(g.currentRoutine, 10));
    if (!FindRecord(r, 3))
        Issue(Msg::GotoLabelNotDefined, label);
}

void P3100_CheckReturn(void) {}
// CONTINUE and LEAVE: a condition, when given, is checked as IF's is.
void P3100_CheckContinue(void)
{
    if (!Parm("COND").empty())
        P3100_CheckIf();
}

void P3100_CheckLeave(void)
{
    if (!Parm("COND").empty())
        P3100_CheckIf();
}

void P3100_CheckSubroutine(char cKind)
{
    Globals& g = G();
    // A component routine carries its formatted label in the name field of
    // the SUBROUTINE layout and takes no parameters.
    bool subroutine = cKind == 'S';
    std::string name = subroutine ? Upper(Parm("NAME")) : Trim(g.parsed.acParms, 10);
    if (!subroutine && g.ctx->lComponentChecking)
        P3100_sParseComponentCommand();
    if (cKind == 'S')
        g.inSubroutine = true;
    else
        g.inRoutine = true;
    ++g.routineDepth;
    g.ctx->ulLabelNumber = P31O2_ulPushLabelNumber(g.ctx);
    SetRoutine(name);
    WriteAbortLabel();
    if (Pass() != 1)
        return;
    FFC_WORK_RECORD& r = g.record2;
    if (!BlankNewRecord(r, WR_USRSUBR, name, Msg::ExecuteNotValid))
        return;
    auto* data = reinterpret_cast<WR_USRSUBR_DATA*>(r.acData);
    data->usModule = 0;
    int32_t line = g.parsed.sLine;
    FIX_LongToDigits(&line, 7, data->acLine);
    data->cEnded = 'N';
    int32_t count = subroutine ? std::max<int32_t>(0, std::min<int32_t>(ParmCount("PARMS"), kRoutineParmsMax)) : 0;
    for (int32_t i = 0; i < count; ++i) {
        int32_t position = i + 1;
        FFC_WORK_RECORD p;
        char digits[7];
        FIX_LongToDigits(&position, 7, digits);
        std::string key = name;
        key.resize(10, ' ');
        BlankRecord(p, WR_USRSUBP, key + std::string(digits, 7));
        std::string direction = Upper(ParmEntry("PARMS", i, 1));
        p.acData[0] = direction == "*RETURNED" ? 'T' : direction == "*BOTH" ? 'B' : 'R';
        Pad(p.acData + 1, 10, Upper(ParmEntry("PARMS", i, 0)));
        P3100_WriteRecord(p);
    }
    FIX_LongToDigits(&count, 3, data->acParmCount);
    P3100_WriteRecord(r);
}

void P3100_CheckSubroutineCommand(void)
{
    P3100_CheckSubroutine('S');
}

void P3100_CheckEndRoutine(void)
{
    Globals& g = G();
    if (Pass() == 1) {
        FFC_WORK_RECORD& r = g.record2;
        BlankRecordKey(r, WR_USRSUBR, std::string_view(g.currentRoutine, sizeof g.currentRoutine));
        if (WF_cReadFirst(g.ctx, 3, &r, 2) == '0') {
            reinterpret_cast<WR_USRSUBR_DATA*>(r.acData)->cEnded = 'Y';
            WF_cUpdate(g.ctx, 3, &r);
        }
    }
    g.inSubroutine = false;
    g.inRoutine = false;
    if (g.routineDepth > 0)
        --g.routineDepth;
    if (g.routineDepth == 0)
        SetRoutine("*MAIN");
    g.ctx->ulLabelNumber = P31O2_ulPopLabelNumber(g.ctx);
}

// EXECUTE: the subroutine must be defined in the function (checked in pass 2,
// when every SUBROUTINE has been seen) and take at least as many parameters
// as are passed; the fields passed are used.
void P3100_CheckExecute(void)
{
    Globals& g = G();
    int32_t passed = std::max<int32_t>(0, std::min<int32_t>(ParmCount("WITH_PARMS"), kRoutineParmsMax));
    if (Pass() == 1)
        return;
    std::string name = Upper(Parm("SUBROUTINE"));
    FFC_WORK_RECORD& r = g.record2;
    BlankRecordKey(r, WR_USRSUBR, name);
    if (name.empty() || !FindRecord(r, 2)) {
        Issue(Msg::ExecuteNotValid, name);
        return;
    }
    const auto* data = reinterpret_cast<const WR_USRSUBR_DATA*>(r.acData);
    const int32_t taken = FIX_lDigitsToLong(data->acParmCount, 3, nullptr);
    if (passed > taken)
        Issue(Msg::ExecuteNotValid, name);
    for (int32_t i = 0; i < std::min(passed, taken); ++i)
        CheckArgument(name, i, ParmEntry("WITH_PARMS", i));
}

}  // extern "C"
