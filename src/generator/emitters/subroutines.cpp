/*
** subroutines.cpp: SUBROUTINE and the component routines (PTYROUTINE,
** EVTROUTINE, MTHROUTINE, WEBROUTINE) as generated functions of their own,
** their end, and EXECUTE, which passes the arguments in and out and checks
** how the subroutine ended.
**
** The command loop sends a routine's lines to the routine stream at indent
** 0 and keeps the routine flags; a routine lasts to its ENDROUTINE.
*/
#include <cstring>

#include "dqov/runcontrol/work_records.h"
#include "dqov/runcontrol/workfile.h"
#include "generator/core/model/data_structures.h"
#include "generator/core/model/field_values.h"
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/display_support.h"
#include "generator/emitters/emit_state.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/io_support.h"
#include "generator/emitters/list_support.h"
#include "generator/emitters/report_support.h"
#include "generator/expressions/expr_routines.h"

namespace {

/* A work record of the given kind and name; false when there is none. */
bool readRecord(const char* kind, std::string_view name, FFC_WORK_RECORD& r)
{
    FFC_CONTEXT* ctx = P3109_Context();
    if (!ctx || !ctx->pWorkFile)
        return false;
    WF_BlankRecord(ctx, &r);
    std::memcpy(r.acKind, kind, FFC_WORK_KIND_LEN);
    std::memcpy(r.acName, name.data(), std::min<size_t>(name.size(), FFC_WORK_NAME_LEN));
    return WF_cReadFirst(ctx, GEN_SLOT_EMITTERS_INNER, &r, 2) == '0';
}

int moduleNumber(const std::string& name)
{
    FFC_WORK_RECORD r;
    if (!readRecord(WR_USRSUBR, P3109_Padded(name, 10), r))
        return 1;
    WR_USRSUBR_DATA data;
    std::memcpy(&data, r.acData, sizeof data);
    return data.usModule;
}

/* The parameter of a subroutine at a position (from 1): its direction
** letter and field; false when the subroutine has none there. */
bool subroutineParameter(const std::string& subroutine, int32_t lPosition, char& cDirection, std::string& field)
{
    char digits[8];
    std::snprintf(digits, sizeof digits, "%07d", lPosition);
    FFC_WORK_RECORD r;
    if (!readRecord(WR_USRSUBP, P3109_Padded(subroutine, 10) + digits, r))
        return false;
    cDirection = r.acData[0];
    field.assign(r.acData + 1, 10);
    return true;
}

void writeSignature(char cKind, const std::string& cName)
{
    const bool cs = P3109_fCSharp();
    if (cKind != 'S') {
        P3109_Line(cs ? "private static int " + cName +
                            " ( _X_COMP_SERVICES_POINT_REQUEST pRequestBlock, object[] apvAgreedArgs, int "
                            "ulNoofNegotiableComps, _X_COMP_NEGOTIABLE_COMPONENT[] aNegotiableComps )"
                      : "COMPONENT_STD_FUNCTION " + cName + "(COMPONENT_STD_ARGS)");
        return;
    }
    static const std::string kArgs = GEN_FUNCTION_ARGS_CS;
    if (P3109_fHasCursors())
        P3109_Line(cs ? "private static int " + cName + " (" + kArgs + ", int sEntryCursors)"
                      : "F_SHORT_FUNCTION " + cName + "(FUNCTION_STD_ARGS, X_SHORT sEntryCursors)");
    else
        P3109_Line(cs ? "private static int " + cName + " (" + kArgs + ")"
                      : "F_SHORT_FUNCTION " + cName + "(FUNCTION_STD_ARGS)");
}

void writeRoutineLocals(char cKind)
{
    const FFC_CONTEXT* ctx = P3109_Context();
    if (cKind != 'S')
        P3109_EmitComponentRoutineLocals();
    else if (ctx && ctx->lZophxUsed)
        P3109_Line(P3109_fCSharp() ? "int  lReturnCode = DqooDef.X_COMP_RETURN_OK;"
                                   : "X_COMP_RETURN_CODE  lReturnCode = X_COMP_RETURN_OK;");
    if (!ctx || !ctx->lZoph2Used)
        return;
    if (!P3109_fCSharp()) {
        P3109_Line("X_DECLARE_WORK_LISTS");
        return;
    }
    P3109_Line("PX_LIST_1     pList_1 = (PX_LIST_1)pX_NULL;");
    P3109_Line("PX_LIST_2     pList_2 = (PX_LIST_2)pX_NULL;");
}

/* The arguments moved in ('R', 'B') or out ('T', 'B') of the subroutine. */
void moveArguments(const std::string& subroutine, bool fIn)
{
    const int32_t count = std::min<int32_t>(P3109_ParmCount("WITH_PARMS"), GEN_CALL_PARMS_MAX);
    bool first = true;
    for (int32_t i = 0; i < count; ++i) {
        const std::shared_ptr<const GEN_FIELD_INFO> held =
            P3109_HoldRequiredField("WITH_PARMS", P3109_ParmField("WITH_PARMS", 0, i), GEN_OPERAND_NAME_WIDTH);
        if (!held)
            continue;
        const GEN_FIELD_INFO& argument = *held;
        if (!fIn && !argument.fKind("FL"))
            continue;
        char direction = ' ';
        std::string field;
        if (!subroutineParameter(subroutine, i + 1, direction, field))
            continue;
        const bool wanted = fIn ? (direction == 'R' || direction == 'B') : (direction == 'T' || direction == 'B');
        if (!wanted)
            continue;
        const std::shared_ptr<const GEN_FIELD_INFO> heldParameter = P3109_HoldRequiredField("PARMS", field);
        if (!heldParameter)
            continue;
        const GEN_FIELD_INFO& parameter = *heldParameter;
        if (first)
            P3109_WriteComment(fIn ? "Assign the subroutine arguments" : "Get the subroutine returned values");
        first = false;
        if (fIn)
            P3109_WriteFieldMove(argument, parameter);
        else
            P3109_WriteFieldMove(parameter, argument);
    }
}

}  // namespace

GEN_EMITTER_STATE& P3109_EmitterState()
{
    static GEN_EMITTER_STATE state;
    return state;
}

void P3109_ResetEmitters()
{
    P3109_EmitterState() = GEN_EMITTER_STATE{};
    P3109_ResetIoState();
    P3109_ResetListEmitters();
    P3109_ResetDisplayEmitters();
    P3109_ResetReportEmitters();
}

const std::vector<GEN_ROUTINE_NODE>& P3109_SubroutineList()
{
    return P3109_EmitterState().routines;
}

void P3109_EmitSubroutine(char cKind, std::string_view kindText)
{
    GEN_MODULE_STATE& s = g();
    const std::string name = cKind == 'S' ? P3109_Parm("NAME") : P3109_Parm("@NAME");
    GEN_ROUTINE_NODE node;
    node.name = P3109_Padded(name, 10);
    node.cName = P3109_MakeSubroutineName(node.name);
    node.cKind = cKind;
    GEN_EMITTER_STATE& es = P3109_EmitterState();
    es.routines.push_back(node);
    es.sRoutineBaseDepth = s.sBlockDepth;

    const int module = moduleNumber(name);
    P3109_Line(" ");
    if (!P3109_fCSharp())
        P3109_Line(P3109_Format("#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_%d)))", module));
    const FFC_CONTEXT* ctx = P3109_Context();
    const long scope = ctx ? static_cast<long>(ctx->ulLabelNumber) : 0;
    P3109_WriteDoubleBoxComment(s.out.current,
                                P3109_Format("Subroutine %s (from ZOPH name %.10s using scope identifier %4.4ld)",
                                             node.cName.c_str(), node.name.c_str(), scope));
    P3109_Line(" ");
    writeSignature(cKind, node.cName);
    P3109_Line("{");
    P3109_IndentIn();
    writeRoutineLocals(cKind);
    if (cKind != 'S')
        P3109_EmitStartComponentRoutine(kindText);
    P3109_EmitCommandPrologue();
}

void P3109_EmitPtyRoutine()
{
    P3109_EmitSubroutine('P', "X_COMPONENT_PTY_ROUTINE");
}
void P3109_EmitEvtRoutine()
{
    P3109_EmitSubroutine('E', "X_COMPONENT_EVT_ROUTINE");
}
void P3109_EmitMthRoutine()
{
    P3109_EmitSubroutine('M', "X_COMPONENT_MTH_ROUTINE");
}
void P3109_EmitWebRoutine()
{
    P3109_EmitSubroutine('W', "X_COMPONENT_WEB_ROUTINE");
}

void P3109_EmitEndRoutine()
{
    P3109_EmitCommandPrologue();
    if (P3109_fInComponentRoutine())
        P3109_EmitTerminateComponentRoutine();
    else if (P3109_fInSubroutine())
        P3109_Line(P3109_fCSharp() ? "return X_GloDef.X_SUBR_NORMAL_END;" : "return(X_SUBR_NORMAL_END);");
    P3109_IndentOut();
    P3109_Line("}");
    if (!P3109_fCSharp())
        P3109_Line("#endif");
    P3109_EmitterState().sRoutineBaseDepth = 0;
}

void P3109_EmitExecute()
{
    P3109_EmitCommandPrologue();
    const std::string subroutine = P3109_ParmField("SUBROUTINE");
    const std::string cName = P3109_MakeSubroutineName(subroutine);
    const bool cs = P3109_fCSharp();
    P3109_Line("{");
    P3109_IndentIn();
    P3109_Line(cs ? "int sResult;" : "X_SHORT sResult;");

    const char* reference = P3109_pRoutineReference();
    const bool frame = !reference && P3109_fFrameIndicator();
    if (reference)
        EXPR_WriteExecuteReceivedCall(P3109_ExpressionWriter(), reference);
    else {
        if (frame)
            EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
        moveArguments(subroutine, true);
    }

    /* a subroutine that executes itself goes on only while the function
       has not failed: a failure the run time met at a deeper call ends
       every level in turn (without that test C finds no way out of the
       routine that does not recurse) */
    const std::vector<GEN_ROUTINE_NODE>& routines = P3109_EmitterState().routines;
    if (P3109_fInSubroutine() && !P3109_fInComponentRoutine() && !routines.empty() &&
        routines.back().cName == cName)
        P3109_EmitFatalErrorTest();

    P3109_WriteComment("Invoke the generated subroutine and get standard result");
    const std::string args = cs ? std::string(GEN_FUNCTION_PARMS_CS) : "FUNCTION_STD_PARMS";
    P3109_Line("sResult = " + cName + "(" + args +
               (P3109_fHasCursors() ? ", " + P3109_Instance("sCurrentCursors") : std::string()) + ");");
    if (P3109_fHasCursors())
        P3109_WriteCloseCursors(P3109_CursorOffsetText());

    if (reference)
        EXPR_WriteExecuteReturnedCall(P3109_ExpressionWriter(), reference);
    else {
        moveArguments(subroutine, false);
        if (frame)
            EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
    }

    P3109_WriteComment("Trap termination/shutdown in the subroutine");
    if (P3109_fInComponentRoutine())
        P3109_Line(cs ? P3109_Format("lReturnCode = X_COMR_CHECK_EXECUTION(%s, sResult);", GEN_COMPONENT_ROUTINE_ARGS)
                      : std::string("X_COMR_CHECK_EXECUTION(sResult)"));
    else if (cs)
        /* a subroutine, as the main function, ends as the called one did:
           the C macro's test, and in a subroutine its return of the end;
           a subroutine has none of a component routine's locals */
        P3109_Line("if ( sResult != X_GloDef.X_SUBR_NORMAL_END && sResult != X_GloDef.X_SUBR_RETURNED ) " +
                   P3109_CSharpRoutineEnd("sResult"));
    else if (P3109_fInSubroutine())
        P3109_Line("X_SUBR_CHECK_EXECUTION(sResult)");
    else
        P3109_Line("X_MAIN_CHECK_EXECUTION(sResult," + P3109_ModuleName() + ")");
    P3109_IndentOut();
    P3109_Line("}");
}
