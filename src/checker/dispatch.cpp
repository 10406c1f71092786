// Check dispatch: finds a command's handler once by its name and caches it
// in the command's lookup entry.
#include "checker/checker.h"
#include "checker/handlers.h"

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

// Comparison order and handlers of the checkable commands.
constexpr DispatchRow kRows[] = {
    {"GROUP_BY", P3100_CheckGroupBy, Mode::Stored},
    {"SELECT", P3100_CheckSelect, Mode::Stored},
    {"ENDSELECT", P3100_CheckEndSelect, Mode::StoredEmpty},
    {"IF", P3100_CheckIf, Mode::Stored},
    {"ELSE", P3100_CheckElse, Mode::Stored},
    {"ENDIF", P3100_CheckEndIf, Mode::StoredEmpty},
    {"GOTO", P3100_CheckGoto, Mode::Stored},
    {"DOWHILE", P3100_CheckDoWhile, Mode::Stored},
    {"ENDWHILE", P3100_CheckEndWhile, Mode::StoredEmpty},
    {"DOUNTIL", P3100_CheckDoUntil, Mode::Stored},
    {"ENDUNTIL", P3100_CheckEndUntil, Mode::StoredEmpty},
    {"FETCH", P3100_CheckFetch, Mode::Stored},
    {"INSERT", P3100_CheckInsert, Mode::Stored},
    {"SET_MODE", P3100_CheckSetMode, Mode::Stored},
    {"IF_MODE", P3100_CheckIfMode, Mode::Stored},
    {"CHANGE", P3100_CheckChange, Mode::Stored},
    {"DELETE", P3100_CheckDelete, Mode::Stored},
    {"UPDATE", P3100_CheckUpdate, Mode::Stored},
    {"CHECK_FOR", P3100_CheckCheckFor, Mode::Stored},
    {"RENAME", P3100_CheckRename, Mode::Stored},
    {"DEFINE", P3100_CheckDefine, Mode::Stored},
    {"OVERRIDE", P3100_CheckOverride, Mode::Stored},
    {"MESSAGE", P3100_CheckMessageCommand, Mode::Stored},
    {"ABORT", P3100_CheckMessageCommand, Mode::Stored},
    {"EXIT", P3100_CheckMessageCommand, Mode::Stored},
    {"MENU", P3100_CheckMessageCommand, Mode::Stored},
    {"TRANSFER", P3100_CheckTransfer, Mode::Stored},
    {"BEGINCHECK", P3100_CheckBeginCheck, Mode::Stored},
    {"ENDCHECK", P3100_CheckEndCheckOnError, Mode::Stored},
    {"ON_ERROR", P3100_CheckEndCheckOnError, Mode::Stored},
    {"IF_ERROR", P3100_CheckIfError, Mode::Stored},
    {"SET_ERROR", P3100_CheckSetError, Mode::Stored},
    {"DATECHECK", P3100_CheckDateCheck, Mode::Stored},
    {"RANGECHECK", P3100_CheckRangeCheck, Mode::Stored},
    {"VALUECHECK", P3100_CheckValueCheck, Mode::Stored},
    {"CONDCHECK", P3100_CheckCondCheck, Mode::Stored},
    {"FILECHECK", P3100_CheckFileCheck, Mode::Stored},
    {"CALLCHECK", P3100_CheckCallCheck, Mode::Stored},
    {"CALL", P3100_CheckCall, Mode::Stored},
    {"UPRINT", P3100_CheckUprint, Mode::Stored},
    {"ENDPRINT", P3100_CheckEndPrint, Mode::Stored},
    {"REQUEST", P3100_CheckRequestDisplay, Mode::Screen},
    {"DISPLAY", P3100_CheckRequestDisplay, Mode::Screen},
    {"IF_NULL", P3100_CheckIfNull, Mode::Stored},
    {"DEF_LIST", P3100_CheckDefList, Mode::Stored},
    {"ADD_ENTRY", P3100_CheckAddEntry, Mode::Stored},
    {"CLR_LIST", P3100_CheckClrList, Mode::Stored},
    {"INZ_LIST", P3100_CheckInzList, Mode::Stored},
    {"DLT_LIST", P3100_CheckDltList, Mode::Stored},
    {"UPD_ENTRY", P3100_CheckUpdEntry, Mode::Stored},
    {"SELECTLIST", P3100_CheckSelectList, Mode::Stored},
    {"IF_STATUS", P3100_CheckIfStatus, Mode::StoredEmpty},
    {"CASE", P3100_CheckCase, Mode::Stored},
    {"WHEN", P3100_CheckWhen, Mode::Stored},
    {"OTHERWISE", P3100_CheckOtherwise, Mode::StoredEmpty},
    {"ENDCASE", P3100_CheckEndCase, Mode::StoredEmpty},
    {"EXCHANGE", P3100_CheckExchange, Mode::Stored},
    {"SUBSTRING", P3100_CheckSubstring, Mode::Stored},
    {"EXEC_CPF", P3100_CheckExecCommand, Mode::Stored},
    {"BEGIN_LOOP", P3100_CheckBeginLoop, Mode::Stored},
    {"END_LOOP", P3100_CheckEndLoop, Mode::StoredEmpty},
    {"COMMIT", P3100_CheckCommit, Mode::StoredEmpty},
    {"ROLLBACK", P3100_CheckRollback, Mode::StoredEmpty},
    {"SUBROUTINE", P3100_CheckSubroutineCommand, Mode::EveryTime},
    {"ENDROUTINE", P3100_CheckEndRoutine, Mode::EveryTime},
    {"EXECUTE", P3100_CheckExecute, Mode::Stored},
    {"RETURN", P3100_CheckReturn, Mode::Stored},
    {"DEF_REPORT", P3100_CheckDefReport, Mode::Stored},
    {"DEF_HEAD", P3100_CheckDefHead, Mode::Stored},
    {"DEF_FOOT", P3100_CheckDefFoot, Mode::Stored},
    {"DEF_LINE", P3100_CheckDefLine, Mode::Stored},
    {"DEF_BREAK", P3100_CheckDefBreak, Mode::Stored},
    {"PRINT", P3100_CheckPrint, Mode::Stored},
    {"KEEP_TOTAL", P3100_CheckKeepCommand, Mode::Stored},
    {"KEEP_COUNT", P3100_CheckKeepCommand, Mode::Stored},
    {"KEEP_AVG", P3100_CheckKeepCommand, Mode::Stored},
    {"KEEP_MAX", P3100_CheckKeepCommand, Mode::Stored},
    {"KEEP_MIN", P3100_CheckKeepCommand, Mode::Stored},
    {"SPACE", P3100_CheckSpaceSkip, Mode::Stored},
    {"SKIP", P3100_CheckSpaceSkip, Mode::Stored},
    {"CLOSE", P3100_CheckClose, Mode::Stored},
    {"GET_ENTRY", P3100_CheckGetEntry, Mode::Stored},
    {"DLT_ENTRY", P3100_CheckDltEntry, Mode::Stored},
    {"LOC_ENTRY", P3100_CheckLocEntry, Mode::Stored},
    {"SORT_LIST", P3100_CheckSortList, Mode::Stored},
    {"IF_KEY", P3100_CheckIfKey, Mode::Stored},
    {"BROWSE", P3100_CheckBrowse, Mode::Stored},
    {"SUBMIT", P3100_CheckSubmit, Mode::Stored},
    {"USE", P3100_CheckUse, Mode::Stored},
    {"POINT", P3100_CheckPoint, Mode::Stored},
    {"OPEN", P3100_CheckOpen, Mode::Stored},
    {"EXEC_OS400", P3100_CheckExecCommand, Mode::Stored},
    {"POP_UP", P3100_CheckPopUp, Mode::Screen},
    {"DEF_COND", P3100_CheckDefCond, Mode::Stored},
    {"FUNCTION", P3100_CheckFunctionOptions, Mode::Stored},
    {"DEF_ARRAY", P3100_CheckDefArray, Mode::Stored},
    {"SELECT_SQL", P3100_CheckSelectSql, Mode::Stored},
    {"CONTINUE", P3100_CheckContinue, Mode::Stored},
    {"LEAVE", P3100_CheckLeave, Mode::Stored},
    {"INCLUDE", P3100_CheckInclude, Mode::Stored},
    {"BEGIN_COM", P3100_CheckBeginCom, Mode::Stored},
    {"END_COM", P3100_CheckEndCom, Mode::Stored},
    {"DEFINE_COM", P3100_CheckDefineCom, Mode::Stored},
    {"DEFINE_MAP", P3100_CheckDefineMap, Mode::Stored},
    {"SET", P3100_CheckSet, Mode::Stored},
    {"DEFINE_PTY", P3100_CheckDefinePty, Mode::Stored},
    {"PTYROUTINE", P3100_CheckPtyRoutine, Mode::EveryTime},
    {"EVTROUTINE", P3100_CheckEvtRoutine, Mode::EveryTime},
    {"DEFINE_EVT", P3100_CheckDefineEvt, Mode::Stored},
    {"SIGNAL", P3100_CheckSignal, Mode::Stored},
    {"MTHROUTINE", P3100_CheckMthRoutine, Mode::EveryTime},
    {"INVOKE", P3100_CheckInvoke, Mode::Stored},
    {"_INVOKE", P3100_CheckInvoke, Mode::Stored},
    {"SET_REF", P3100_CheckSetRef, Mode::Stored},
    {"IF_REF", P3100_CheckIfRef, Mode::Stored},
    {"ASSIGN", P3100_CheckAssign, Mode::Stored},
    {"_ASSIGN", P3100_CheckAssign, Mode::Stored},
    {"IMPORT", P3100_CheckImport, Mode::Stored},
    {"FOR", P3100_CheckFor, Mode::Stored},
    {"ENDFOR", P3100_CheckEndFor, Mode::Stored},
    {"WEBROUTINE", P3100_CheckWebRoutine, Mode::EveryTime},
    {"WEB_MAP", P3100_CheckWebMap, Mode::Stored},
    {"ATTRIBUTE", P3100_CheckAttribute, Mode::Stored},
    {"PERFORM", P3100_CheckPerform, Mode::Stored},
    {"_PERFORM", P3100_CheckPerform, Mode::Stored},
};
static_assert(std::size(kRows) == 125, "125 dispatchable names");

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

}  // namespace

extern "C" {

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
    if (IsRowName(name, "UREQUEST") || IsRowName(name, "UDISPLAY"))
        CheckUngeneratedCommand();
}

}  // extern "C"
