/*
** emitter_frame.cpp: the frame every command's code is written in: the
** prologue (source comment, branch-target label, sequence number and
** debugger hook) and the shared writers for the recurring pieces: condition
** tests, the fatal-error test, transfers of control, the run-time failure of
** an unsupported command, I/O outcome actions and the I/O status copy,
** dynamic system variables, the fatal-error break and the native lock.
*/
#include <array>
#include <charconv>
#include <cstring>
#include <vector>

#include "checker/command_records.h"
#include "dqov/runcontrol/x_tree.h"
#include "generator/core/model/definitions.h"
#include "generator/core/model/field_helpers.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/gen_chains.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/core/points/command_loop.h"
#include "generator/emitters/emit_state.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "params/fixed_text.h"
#include "runcontrol/message_table.h"

using dqov::Msg;

namespace {

/* Whether the ten-byte name field is the name, blank-padded to ten. */
bool namedAs(const char* acName, const char (&padded)[11])
{
    return std::memcmp(acName, padded, 10) == 0;
}

/* Commands that write no executable code (the name fields of DEFINE,
** DEF_LIST, ..., WEB_MAP, and comments): their prologue has no sequence
** line and no debugger hook. The names are told apart by their first
** letter, then compared whole. */
bool isExecutable(const char* acName)
{
    switch (acName[0]) {
    case '*': return false;
    case 'B': return !namedAs(acName, "BEGIN_COM ");
    case 'E': return !namedAs(acName, "END_COM   ");
    case 'G': return !namedAs(acName, "GROUP_BY  ");
    case 'O': return !namedAs(acName, "OVERRIDE  ");
    case 'R': return !namedAs(acName, "RENAME    ");
    case 'W': return !namedAs(acName, "WEB_MAP   ");
    case 'D': {
        if (acName[1] != 'E')
            return true;
        static constexpr const char kDefinitions[][11] = {
            "DEFINE    ", "DEF_LIST  ", "DEF_ARRAY ", "DEF_REPORT", "DEF_HEAD  ", "DEF_FOOT  ", "DEF_LINE  ",
            "DEF_BREAK ", "DEF_COND  ", "DEFINE_COM", "DEFINE_MAP", "DEFINE_PTY", "DEFINE_EVT"};
        for (const auto& name : kDefinitions)
            if (namedAs(acName, name))
                return false;
        return true;
    }
    default: return true;
    }
}

/* The command's parameter text as written, without its label and name and
** without its trailing blanks: a view into a buffer kept between commands,
** valid until the next call. */
std::string_view sourceText(const GEN_COMMAND_RECORD& r)
{
    const GEN_COMMAND_SOURCE* source = P3109_pCommandSource();
    /* the lines joined by a blank */
    static std::string joined;
    joined.clear();
    if (source && source->pfnSourceText)
        source->pfnSourceText(P3109_Context(), r.usNumber, r.usSequence, &joined);
    const std::string_view text = joined;
    size_t at = text.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return {};
    size_t end = text.find(' ', at);
    std::string_view first = text.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
    if (first.size() >= 1 && first.size() <= 4 && first.back() == ':') {
        at = text.find_first_not_of(' ', at + first.size());
        if (at == std::string_view::npos)
            return {};
        end = text.find(' ', at);
    }
    /* a comment's text follows its marker, the first '*' (a blank line has
    ** none: the name it is kept under is all stars) */
    if (r.acName[0] == '*') {
        if (std::memcmp(r.acName, FFC_BLANK_COMMAND, 10) == 0)
            return {};
        const size_t from = text.find_first_not_of(' ', at + 1);
        return from == std::string_view::npos ? std::string_view{} : dqov::text::TrimmedRight(text.substr(from));
    }
    if (end == std::string_view::npos)
        return {};
    at = text.find_first_not_of(' ', end);
    return at == std::string_view::npos ? std::string_view{} : dqov::text::TrimmedRight(text.substr(at));
}

void enterDebugName(std::string_view name)
{
    RBTREE* tree = g().pDebugNames;
    if (!tree)
        return;
    std::array<char, 11> key{};
    std::memcpy(key.data(), name.data(), std::min<size_t>(name.size(), 10));
    /* a function uses few command names: most are in the tree already */
    std::vector<std::array<char, 11>>& entered = g().debugNamesEntered;
    /* compared as two words: the first eight bytes and the last four */
    auto words = [](const std::array<char, 11>& k) {
        uint64_t head;
        uint32_t tail;
        std::memcpy(&head, k.data(), 8);
        std::memcpy(&tail, k.data() + 7, 4);
        return std::pair{head, tail};
    };
    const auto wanted = words(key);
    /* the place in `entered` a name was last seen at, one for each of a
       few hash slots: a hit is checked against `entered` itself, so a slot
       left from an earlier generation is only a miss */
    static std::array<uint32_t, 64> seenAt{};
    uint32_t& slot = seenAt[(wanted.first * 0x9E3779B97F4A7C15ull + wanted.second) >> 58];
    if (slot != 0 && slot <= entered.size() && words(entered[slot - 1]) == wanted)
        return;
    for (size_t i = 0; i < entered.size(); ++i)
        if (words(entered[i]) == wanted) {
            slot = static_cast<uint32_t>(i + 1);
            return;
        }
    const void* keys[] = {key.data()};
    if (!RBTree_GetEntry(tree, keys, nullptr))
        RBTree_PutEntry(tree, keys, nullptr);
    entered.push_back(key);
    slot = static_cast<uint32_t>(entered.size());
}

bool startsWith(std::string_view target, std::string_view keyword)
{
    return target.size() >= keyword.size() && target.substr(0, keyword.size()) == keyword;
}

/* A keyword given with '*' or '@' in front. */
bool isKeyword(std::string_view target, std::string_view name)
{
    return !target.empty() && (target[0] == '*' || target[0] == '@') && startsWith(target.substr(1), name);
}

/* The end of the routine: C and the component routines the macros; the
** main function and subroutines of C# the statements of their end value. */
void writeRoutineMacro(const char* component, const char* subroutine, const std::string& main, uint16_t usIndent,
                       const char* end)
{
    if (P3109_fInComponentRoutine() && P3109_fCSharp())
        /* C# has no statement macros: the routine answers the end's code */
        P3109_LineAt(static_cast<int16_t>(usIndent),
                     std::string("return X_GloDef.") +
                         (std::string_view(end) == "X_SUBR_ABORTED" ? "X_COMR_FAILED" : end) + ";");
    else if (P3109_fInComponentRoutine())
        P3109_LineAt(static_cast<int16_t>(usIndent), component);
    else if (P3109_fCSharp())
        P3109_LineAt(static_cast<int16_t>(usIndent), P3109_CSharpRoutineEnd(std::string("X_GloDef.") + end));
    else if (P3109_fInSubroutine())
        P3109_LineAt(static_cast<int16_t>(usIndent), subroutine);
    else
        P3109_LineAt(static_cast<int16_t>(usIndent), main);
}

/* A component routine left before its end ends as at its end: through its
** end-of-routine step, which makes the caller's routine the active one
** again, with the code of a normal end. */
void writeComponentRoutineReturn(int16_t at)
{
    if (P3109_fCSharp()) {
        P3109_LineAt(at, "lReturnCode = X_GloDef.X_COMR_NORMAL_END;");
        P3109_LineAt(at, P3109_Format("return X_TERMINATE_COMPONENT_ROUTINE(%s);", GEN_COMPONENT_ROUTINE_ARGS));
        return;
    }
    P3109_LineAt(at, "lReturnCode = X_COMP_RETURN_OK;");
    P3109_LineAt(at, "X_TERMINATE_COMPONENT_ROUTINE");
}

void writeReturn(uint16_t usIndent)
{
    P3109_WriteComment("Return to the caller");
    const int16_t at = static_cast<int16_t>(usIndent);
    const std::string module = P3109_ModuleName();
    if (P3109_fInComponentRoutine()) {
        writeComponentRoutineReturn(at);
        return;
    }
    if (!P3109_fCSharp()) {
        writeRoutineMacro("", "X_SUBR_RETURN", "X_MAIN_RETURN(" + module + ")", usIndent, "");
        return;
    }
    if (P3109_fInSubroutine()) {
        P3109_LineAt(at, "return X_GloDef.X_SUBR_RETURN;");
    } else {
        /* a C# member is reached with '.', and Run is left as the C macro
        ** leaves the main function */
        P3109_LineAt(at, "pX_Pro.vchNextFunc = DqooDef.X_PROCESS_RETURN;");
        P3109_LineAt(at, "X_End_Function_" + module + "(" + GEN_FUNCTION_PARMS_CS + ");");
        P3109_LineAt(at, "return;");
    }
}

/* The last-display label of an enclosing DISPLAY of the current routine,
** empty when there is none. */
std::string lastDisplayLabel()
{
    const GEN_MODULE_STATE& s = g();
    const int16_t base = P3109_fInSubroutine() ? P3109_EmitterState().sRoutineBaseDepth : 0;
    for (int i = s.sBlockDepth; i >= base && i >= 0; --i) {
        const GEN_BLOCK_ENTRY& e = s.blocks[static_cast<size_t>(i)];
        if (e.fLastDisplay)
            return e.lastDisplayLabel;
    }
    return {};
}

}  // namespace

void P3109_EmitCommandPrologue()
{
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const bool executable = isExecutable(r.acName);
    /* the name without its trailing blanks, one blank for none */
    std::string_view name = dqov::text::TrimmedRight(std::string_view(r.acName, 10));
    if (name.empty())
        name = " ";
    const uint16_t indent = g().out.usIndent;

    /* the text, cut to the room the line leaves it */
    std::string_view text = sourceText(r);
    const size_t room = indent < 4081 ? 4081 - indent : 0;
    if (text.size() > room)
        text = text.substr(0, room);

    /* the lines are put together in one buffer kept between commands */
    static std::string line;
    if (r.acName[0] == '*') {
        line.assign("// ", 3).append(text);
        if (P3109_MakeLineCommentTextFrom(line, 3))
            P3109_Line(line);
        else
            P3109_LineAt(1, " ");
    } else {
        line.assign("// ", 3).append(name).append(" ", 1);
        const size_t head = line.size();
        P3109_MakeLineCommentTextFrom(line.append(text), head);
        if (!executable) {
            P3109_Line(line);
        } else {
            P3109_LineAt(1, " ");
            P3109_Line("//");
            P3109_Line(line);
            P3109_Line("//");
        }
    }
    if (r.acLabel[0] == ' ' && !executable)
        return;

    P3109_EmitLabelTarget();
    const bool display = std::memcmp(r.acName, "DISPLAY", 7) == 0 || std::memcmp(r.acName, "REQUEST", 7) == 0 ||
                         std::memcmp(r.acName, "POP_UP", 6) == 0;
    if (display) {
        const std::string label = "X_Last_Display_" + g().lineNumberText;
        P3109_LineAt(3, label + ":");
        GEN_BLOCK_ENTRY& top = g().blocks[static_cast<size_t>(std::max<int16_t>(g().sBlockDepth, 0))];
        top.lastDisplayLabel = label;
        top.fLastDisplay = true;
        const uint16_t saved = g().out.usIndent;
        g().out.usIndent = 3;
        P3109_WriteCloseCursors(P3109_CursorOffsetText());
        g().out.usIndent = saved;
    }
    if (!executable)
        return;

    enterDebugName(name);
    const int sequence = P3109_sCurrentSequence();
    const bool csharp = P3109_fCSharp();
    char number[16];
    const auto digits = std::to_chars(number, number + sizeof number, sequence);
    P3109_Line(line.assign(csharp ? "pX_Fun.sSequence = " : "pX_Fun->sSequence = ")
                   .append(number, static_cast<size_t>(digits.ptr - number))
                   .append(";", 1));
    P3109_Line(csharp ? "#if X_DEBUG" : "#if defined(X_DEBUG)");
    if (P3109_fInComponentRoutine() && csharp)
        /* the C# form: the debugger is told the command's name and the routine's state */
        P3109_Line(line.assign("if (X_RUN_DLL.DebugComponentRoutine(")
                       .append(GEN_FUNCTION_PARMS_CS)
                       .append(",\"")
                       .append(name)
                       .append("\",RoutineInfo,pSTACKActiveCompRtnX_Fun)) return X_GloDef.X_COMR_FAILED;"));
    else if (P3109_fInComponentRoutine())
        P3109_Line(line.assign("if (DebugComponentRoutine(FUNCTION_STD_PARMS,_")
                       .append(name)
                       .append("_COMMAND,&(RoutineInfo),pSTACKActiveCompRtnX_Fun)) return(X_COMR_FAILED);"));
    else if (csharp)
        /* the debugger of the C# run time is told the command's name */
        P3109_Line(line.assign(P3109_fInSubroutine() ? "if (X_RUN_DLL.DebugSubRoutine(" : "if (X_RUN_DLL.DebugMain(")
                       .append(GEN_FUNCTION_PARMS_CS)
                       .append(",\"")
                       .append(name)
                       .append(P3109_fInSubroutine() ? "\")) return X_GloDef.X_SUBR_FAILED;" : "\")) return;"));
    else if (P3109_fInSubroutine())
        P3109_Line(line.assign("if (DebugSubRoutine(FUNCTION_STD_PARMS,_")
                       .append(name)
                       .append("_COMMAND)) return(X_SUBR_FAILED);"));
    else
        P3109_Line(line.assign("if (DebugMain(FUNCTION_STD_PARMS,_", 34).append(name).append("_COMMAND)) return;", 18));
    P3109_Line("#endif");
}

void P3109_EmitLabelTarget()
{
    GEN_MODULE_STATE& s = g();
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    if (s.cLabelFlag == 'Y' || std::memcmp(r.acLabel, "   ", 3) == 0)
        return;
    P3109_WriteComment("Target Label for branching");
    P3109_LineAt(3, "X_Label_" + P3109_MakeCIdentifier(std::string_view(r.acLabel, 3), 3) + ": ;");
    const uint16_t saved = s.out.usIndent;
    s.out.usIndent = 3;
    P3109_WriteCloseCursors(P3109_CursorOffsetText());
    s.out.usIndent = saved;
    s.cLabelFlag = 'Y';
}

/* The delegate type of a condition's evaluation routine in C#: the
** function's standard parameters and the routine's YES or NO. */
constexpr const char* kCondEvaluateDelegate = "System.Func<X_IDS, X_PRO, X_FUN, X_FLD[], X_LIST[], X_FKEY, "
                                              "FUNCTION_STATIC_GLOBAL_1, FUNCTION_STATIC_GLOBAL_2, char>";

void P3109_EmitConditionTest(const std::vector<std::string>& names, GEN_CONDITIONS_FORM form)
{
    if (names.empty())
        return;
    P3109_WriteComment("Test or identify all relevant conditioning logic");
    for (const std::string& name : names) {
        const GEN_EVALUATION_NODE* found = P3109_pFindNamedCondition(name);
        if (!found)
            continue;
        const std::string key = found->key;
        const GEN_CONDITION* condition = P3109_pFindCondition(key);
        const int number = condition ? condition->sNumber : 0;
        if (form == GEN_CONDITIONS_IDENTIFY && P3109_fCSharp()) {
            /* the run time keeps the routine as a Delegate: C# makes one of a
               method only through a delegate type of its signature */
            P3109_Line(
                P3109_Format("X_CondEvaluate[pX_Fun.scX_CondEvaluate] = new X_COND_EVALUATE( %d, new %s( %s ) );",
                             number, kCondEvaluateDelegate, found->name.c_str()));
            P3109_Line("pX_Fun.scX_CondEvaluate++;");
        } else if (form == GEN_CONDITIONS_IDENTIFY) {
            P3109_Line(P3109_Format("X_CondEvaluate[pX_Fun->scX_CondEvaluate].sCondNumber = %d;", number));
            P3109_Line("X_CondEvaluate[pX_Fun->scX_CondEvaluate].Version.pfCondEvaluate_V5 = " + found->name + ";");
            P3109_Line("pX_Fun->scX_CondEvaluate++;");
        } else {
            P3109_Line(P3109_Format("%s = %s(%s);", P3109_Instance(P3109_Format("X_Cond[%d].chTrue", number)).c_str(),
                                    found->name.c_str(), P3109_StdParms().c_str()));
        }
    }
}

void P3109_EmitFatalErrorTest()
{
    P3109_WriteComment("Test for a fatal error");
    if (P3109_fInComponentRoutine())
        P3109_Line(P3109_fCSharp() ? P3109_Format("X_COMR_CHECK_FATAL(%s);", GEN_COMPONENT_ROUTINE_ARGS)
                                   : std::string("X_COMR_CHECK_FATAL"));
    else if (P3109_fInSubroutine())
        P3109_Line(P3109_fCSharp() ? "if (pX_Ids.chFatalError == YES){ pX_Pro.vchNextFunc = DqooDef.X_PROCESS_ERROR; "
                                     "return X_GloDef.X_SUBR_FAILED; }"
                                   : "X_SUBR_CHECK_FATAL");
    else if (P3109_fCSharp())
        P3109_Line("if ( pX_Ids.chFatalError == YES ) " + P3109_CSharpRoutineEnd("X_GloDef.X_SUBR_FAILED"));
    else
        P3109_Line("X_MAIN_CHECK_FATAL(" + P3109_ModuleName() + ")");
}

void P3109_EmitBranchToTarget(std::string_view target, uint16_t usIndent)
{
    const std::string_view t = dqov::text::TrimmedRight(target);
    const std::string module = P3109_ModuleName();
    bool abort = false;
    if (startsWith(t, "*LASTDIS")) {
        if (P3109_fInComponentRoutine()) {
            P3109_WriteComment("Return to the caller");
            writeComponentRoutineReturn(static_cast<int16_t>(usIndent));
            return;
        }
        const std::string label = lastDisplayLabel();
        if (!label.empty()) {
            P3109_WriteComment("Branch to computed last screen panel");
            P3109_LineAt(static_cast<int16_t>(usIndent), "goto " + label + ";");
            return;
        }
        abort = true;
    }
    if (abort || isKeyword(t, "ERROR") || isKeyword(t, "ABORT")) {
        P3109_WriteComment("Abort function execution");
        writeRoutineMacro("X_COMR_ABORT", "X_SUBR_ABORT", "X_MAIN_ABORT (" + module + ")", usIndent, "X_SUBR_ABORTED");
        return;
    }
    if (startsWith(t, "*NEXT"))
        return;
    if (isKeyword(t, "EXIT")) {
        P3109_WriteComment("Exit from this function");
        writeRoutineMacro("X_COMR_EXIT", "X_SUBR_EXIT", "X_MAIN_EXIT (" + module + ")", usIndent, "X_SUBR_EXITED");
        return;
    }
    if (startsWith(t, "*MENU")) {
        P3109_WriteComment("Cancel this function");
        writeRoutineMacro("X_COMR_CANCEL", "X_SUBR_CANCEL", "X_MAIN_CANCEL(" + module + ")", usIndent,
                          "X_SUBR_CANCELLED");
        return;
    }
    if (startsWith(t, "*RETURN")) {
        writeReturn(usIndent);
        return;
    }
    P3109_WriteComment("Branch to user defined label");
    P3109_LineAt(static_cast<int16_t>(usIndent), P3109_MakeGotoLabel(P3109_Padded(t, 10), 10));
}

void P3109_EmitUnsupportedCommand()
{
    const GEN_COMMAND_RECORD& r = P3109_CurrentCommand();
    const std::string name = P3109_NameText(r.acName, 10);
    if (P3109_fCSharp()) {
        P3109_Line("X_RUN_DLL.X_Fatal_Error (pX_Ids,pX_Pro,pX_Fun,pX_Fun.vchName,");
        P3109_Line("               X_RUN_DLL.X_TEXT(136)," + P3109_MakeStringLiteral(name) + ");");
    } else {
        P3109_Line("X_Fatal_Error (pX_Ids,pX_Pro,pX_Fun,pX_Fun->vchName,");
        P3109_Line("               X_TEXT(136),\"" + (name == " " ? name : P3109_MakeHexLiteral(name, 10)) + "\");");
    }
    P3109_EmitBranchToTarget("*ERROR", g().out.usIndent);
    /* the C pass has said it of the command already */
    if (!P3109_fCSharp())
        P3109_sIssueMessage(Msg::CommandNotOnPlatform, std::string_view(r.acName, 10));
}

void P3109_EmitIoStatusAction(std::string_view target, std::string_view outcome)
{
    g().emit.cLastIoStatus = 'Y';
    const bool next = startsWith(dqov::text::TrimmedRight(target), "*NEXT");
    const bool validation = outcome == "X_DBM_VALIDATION_ERROR";
    if (next && !validation) {
        P3109_WriteComment("Error code check skipped as *NEXT requested");
        return;
    }
    if (P3109_fCSharp()) {
        P3109_Line("if ( " + P3109_CSharpIoStatusTest(outcome) + " )");
    } else {
        /* put together in a buffer kept between calls */
        static std::string test;
        P3109_Line(test.assign("if ( memcmp( INSTANCE(vchLastIOStatus), ").append(outcome).append(", 2 ) == 0 )"));
    }
    P3109_Line("{");
    g().out.usIndent = static_cast<uint16_t>(g().out.usIndent + 3);
    if (validation)
        P3109_EmitIncrementErrorCount();
    if (next)
        P3109_WriteComment("Error code ignored as *NEXT requested");
    else
        P3109_EmitBranchToTarget(target, g().out.usIndent);
    g().out.usIndent = static_cast<uint16_t>(g().out.usIndent - 3);
    P3109_Line("}");
}

void P3109_EmitIoStatusToField(std::string_view userField)
{
    g().emit.cLastIoStatus = 'Y';
    const std::string statusField = P3109_SpecialFieldName("IO", "STS");
    const FFC_CONTEXT* ctx = P3109_Context();
    GEN_FIELD_INFO status;
    const bool componentField = ctx && ctx->lComponentRun && P3109_fFindUsedField(statusField, status) &&
                                (status.fComponent || status.lComponentNumber != 0);
    if (componentField)
        P3109_WriteSetFromVchar(status, P3109_Instance("vchLastIOStatus"));
    else if (P3109_fCSharp())
        P3109_Line("DqooDef.X_CPYBYTES( ref pX_Fld[V_FIELD_IOdSTS].pField, pGlobal1.vchLastIOStatus,2);");
    else
        P3109_Line("memcpy(pX_Fld[V_FIELD_IOdSTS].pField,INSTANCE(vchLastIOStatus),2);");
    /* the user's field named with or without the national character: the
    ** status field itself has its copy already */
    const std::string user = P3109_Padded(P3109_TrimRight(userField), 10);
    if (user[0] == '*' || user[0] == ' ' ||
        P3109_Padded(P3109_DropNationalChar(P3109_TrimRight(userField)), 10) == statusField)
        return;
    P3109_WriteComment("Return the user defined IO status Field");
    GEN_FIELD_INFO info;
    if (P3109_fFindUsedField(user, info))
        P3109_WriteSetFromVchar(info, P3109_Instance("vchLastIOStatus"));
}

void P3109_EmitDynamicSysVars(const std::vector<std::string>& operands, size_t ulWidth)
{
    bool first = true;
    for (const std::string& entry : operands) {
        if (entry.empty())
            continue;
        GEN_FIELD_INFO info;
        bool found = false;
        if (entry[0] == '*')
            found = P3109_fFindUsedField(entry, info, ulWidth);
        else if (static_cast<unsigned char>(entry[0]) == 3)
            found =
                P3109_fFindUsedField(entry, info, ulWidth) && !info.operandText.empty() && info.operandText[0] == '*';
        if (!found || info.cRefresh != 'D')
            continue;
        if (first)
            P3109_WriteComment("Evaluate dynamic system variables used in command");
        first = false;
        P3109_WriteSetToSpecialValue(info, GEN_REFRESH_DYNAMIC);
    }
}

void P3109_EmitFatalErrorBreak()
{
    P3109_Line(P3109_fCSharp() ? "if ( pX_Ids.chFatalError == YES ) break;"
                               : "if ( pX_Ids->chFatalError == YES ) break;");
}

void P3109_EmitSetLock(std::string_view lock, std::string_view pointerName, std::string_view blockName)
{
    if (startsWith(lock, "*NO"))
        return;
    P3109_WriteComment("Set Lock for execution via iSeries native I/O");
    /* C# reaches the block's members with "." through its reference too */
    if (!pointerName.empty())
        P3109_Line("p" + std::string(pointerName) + (P3109_fCSharp() ? ".chLock = YES;" : "->chLock = YES;"));
    else if (!blockName.empty())
        P3109_Line(std::string(blockName) + ".chLock = YES;");
    P3109_Line("");
}
