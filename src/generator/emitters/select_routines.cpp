/*
** select_routines.cpp: the routines of a SELECT loop in the routine
** section: the selection routine, which on its first call allocates and
** fills the loop's request block, registers the close routine and counts
** the open cursor, and on every call asks the I/O module for the next
** record; and the close routine, which gives the cursor back and frees the
** block. The selection routine of a SELECT_SQL loop has the same frame
** around the body that its own writers give it.
*/
#include "generator/core/model/name_services.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/io_support.h"

namespace {

constexpr const char* kCommonGuard = "#if ((defined(X_32BIT_COMPILER)) || (defined(X_MODULE_COMPONENT_COMMON)))";

void openBlock()
{
    P3109_Line("{");
    P3109_IndentIn();
}

void closeBlock()
{
    P3109_IndentOut();
    P3109_Line("}");
}

/* The routine's head at indent 0, its body from indent 3. */
void openRoutine(const std::string& banner, const std::string& head)
{
    if (!P3109_fCSharp())
        P3109_LineAt(0, kCommonGuard);
    P3109_WriteDoubleBoxComment(g().out.current, banner);
    P3109_LineAt(0, head);
    P3109_LineAt(0, "{");
    g().out.usIndent = 3;
    g().out.sDepth = 1;
}

void closeRoutine(bool fReturn)
{
    if (fReturn)
        P3109_LineAt(3, "return;");
    else
        P3109_LineAt(0, " ");
    P3109_LineAt(0, "}");
    if (!P3109_fCSharp())
        P3109_LineAt(0, "#endif");
}

/* The answer of a SELECT's selection routine, by its end-where option and
** where its WHERE went. */
void writeAnswer(const std::string& block, char cEndWhere, bool fToModule, bool fInCode, const std::string& routine,
                 bool fCompiled)
{
    const std::string ok = P3109_fCSharp() ? "if ( " + P3109_CSharpIoStatusTest("X_DBM_OKAY") + " )"
                                           : "if ( memcmp( INSTANCE(vchLastIOStatus), X_DBM_OKAY, 2 ) == 0 )";
    const std::string parms = P3109_StdParms(), where = P3109_Deref("p" + block, "chWhereZOPH");
    if (cEndWhere == 'S' && fToModule) {
        P3109_Line(ok);
        P3109_Line(fCompiled
                       ? "   return ( ( ( ( " + where + " == NO ) || " + routine + "( " + parms + " ) ) ) ? YES : NO );"
                       : "   return ( ( ( " + where + " == NO ) || ( " + routine + "( " + parms +
                             " ) == YES ) ) ? YES : NO );");
    } else if ((cEndWhere == 'Y' || cEndWhere == 'S') && fInCode) {
        P3109_Line(ok);
        P3109_Line(fCompiled ? "   return ( ( " + routine + "( " + parms + " ) ) ? YES : NO );"
                             : "   return ( " + routine + "( " + parms + " ) );");
    } else {
        P3109_Line(ok + " return (YES);");
    }
    P3109_Line("else return (NO);");
}

/* The first call of a SELECT's selection routine: in C the request block
** is copied into memory of the function's instance; in C# the block is an
** object the instance keeps. */
void writeSelectStart(const std::string& block, const std::string& p)
{
    if (P3109_fCSharp()) {
        P3109_Line("pGlobal1." + p + " = " + block + ";");
        P3109_Line(p + " = pGlobal1." + p + ";");
        P3109_Line("");
        P3109_Line("if ( pX_Ids.chFatalError == YES )");
        openBlock();
        P3109_Line(P3109_CSharpSetIoStatus("X_DBM_FATAL_ERROR"));
        P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
        P3109_Line("return NO;");
        closeBlock();
        return;
    }
    P3109_Line("INSTANCE(" + p +
               ") = ((struct X_DBM*)( X_PDF_Allocate_Memory(pX_Ids, pX_Pro, pX_Fun, sizeof(struct X_DBM) ) ));");
    P3109_Line("");
    P3109_Line(p + " = INSTANCE(" + p + ");");
    P3109_Line("");
    P3109_Line("if ( ( " + p + " == pX_NULL ) || ( pX_Ids->chFatalError == YES ) )");
    openBlock();
    P3109_Line("memcpy( INSTANCE(vchLastIOStatus), X_DBM_FATAL_ERROR, 2);");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_Line("return(NO);");
    closeBlock();
    P3109_Line("");
    P3109_Line("memcpy( " + p + ", &" + block + ", sizeof(struct X_DBM) );");
}

/* The body of a SELECT's selection routine. */
void writeSelectBody(const GEN_SELECT_NODE& select)
{
    const std::string block = select.loopName, p = "p" + block;
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const std::string module = P3109_IoModuleName(io.physical);
    const std::string group = P3109_IoFieldGroup();
    char endWhere = P3109_fParmFlag("OPTIONS", "*ENDWHERESQL") ? 'S'
                    : P3109_fParmFlag("OPTIONS", "*ENDWHERE")  ? 'Y'
                                                               : 'N';
    g().emit.cLastIoStatus = 'Y';
    const bool cs = P3109_fCSharp();
    P3109_Line(cs ? "X_DBM " + p + ";" : "struct X_DBM * " + p + ";");
    P3109_WriteComment("If this is the first loop of the selection");
    P3109_Line("if (lSelectLoopCount == 0)");
    openBlock();
    P3109_WriteComment("Prepare arguments for the I/O Module");
    P3109_EmitDbmArgumentBlock(GEN_DBM_LAYOUT::Select, block);
    writeSelectStart(block, p);
    P3109_EmitFieldGroup(block, "");
    P3109_EmitKeyGroup(block, "", P3109_ParmField("NBR_KEYS"));
    P3109_EmitStatementEvaluations(block, "");
    P3109_EmitSetLock(P3109_Parm("LOCK"), block, "");
    P3109_EmitOamBinding(module, block, "");
    bool toModule = false, inCode = false;
    std::string routine;
    P3109_EmitWhereClause(block, "", toModule, inCode, io.physical,
                          io.physicalLibrary.empty() ? P3109_TrimRight(io.library) : io.physicalLibrary, routine,
                          endWhere);
    P3109_Line("");
    P3109_WriteCloseCursorRegistration(select.closeName);
    closeBlock();
    P3109_Line("else");
    openBlock();
    P3109_WriteComment("Handle a subsequent select.");
    P3109_Line(p + " = " + P3109_Instance(p) + ";");
    P3109_Line(P3109_Deref(p, "sDBMRequest = ") + P3109_RunTimeConst("X_DBM_SELECT_NEXT") + ";");
    closeBlock();
    const bool loop = inCode && endWhere == 'N';
    const bool compiled = P3109_fWhereIsCompiled();
    if (loop) {
        P3109_Line("do");
        openBlock();
    }
    P3109_EmitInvokeIoModule(module, block, "", GEN_IO_NO_FORCE_CLOSE, io.file, group);
    P3109_WriteComment("Handle returned status and/or fatal errors");
    P3109_EmitGetIoStatus(block, "");
    P3109_EmitIoStatusToField(P3109_ParmField("IO_STATUS"));
    P3109_Line(" ");
    if (loop) {
        P3109_Line(P3109_Deref(p, "sDBMRequest = ") + P3109_RunTimeConst("X_DBM_SELECT_NEXT") + ";");
        P3109_IndentOut();
        P3109_Line(cs ? "} while ( ( " + P3109_CSharpIoStatusTest("X_DBM_OKAY") + " )"
                      : "} while ( ( memcmp( INSTANCE(vchLastIOStatus), X_DBM_OKAY, 2 ) == 0 )");
        P3109_Line(compiled ? "   && ( !( " + routine + "(" + P3109_StdParms() + ") ) ));"
                            : "   && ( " + routine + "(" + P3109_StdParms() + ") == NO) );");
        P3109_Line(" ");
    }
    writeAnswer(block, endWhere, toModule, inCode, routine, compiled);
}

}  // namespace

void P3109_WriteCloseCursorRegistration(std::string_view closeName)
{
    if (P3109_fCSharp())
        P3109_Line("pGlobal1.pfCloseCursor[pGlobal1.sCurrentCursors] = () => " + std::string(closeName) + "( " +
                   GEN_FUNCTION_PARMS_CS + " );");
    else
        P3109_Line("INSTANCE(pfCloseCursor[INSTANCE(sCurrentCursors)]) = " + std::string(closeName) + ";");
    P3109_Line(P3109_Instance("sCurrentCursors") + "++;");
}

namespace {

/* The body of a SELECT's close routine. */
void writeSelectClose(const GEN_SELECT_NODE& select)
{
    const std::string p = "p" + select.loopName;
    const GEN_IO_FILE io = P3109_CurrentIoFile();
    const bool cs = P3109_fCSharp();
    P3109_Line(cs ? "X_DBM " + p + " = pGlobal1." + p + ";" : "struct X_DBM * " + p + " = INSTANCE(" + p + ");");
    P3109_Line("");
    P3109_Line(cs ? "if ( " + p + " != null )" : "if ( " + p + " != pX_NULL )");
    openBlock();
    P3109_WriteComment("Close the open file cursor");
    P3109_Line(P3109_Instance("sCurrentCursors") + "--;");
    P3109_Line("");
    P3109_Line(P3109_Deref(p, "sDBMRequest = ") + P3109_RunTimeConst("X_DBM_CURSOR_CLOSE") + ";");
    P3109_Line(P3109_Deref(p, "chRetRRNO = NO;"));
    P3109_EmitInvokeIoModule(P3109_IoModuleName(io.physical), select.loopName, "", GEN_IO_NO_FORCE_CLOSE, io.file, "");
    P3109_Line("");
    /* C# leaves the block to the garbage collector */
    if (!cs) {
        P3109_Line("X_PDF_Free_Memory( pX_Ids, pX_Pro, pX_Fun, ((X_PVOID) " + p + ") );");
        P3109_Line("");
    }
    P3109_Line(cs ? "pGlobal1." + p + " = null;" : "INSTANCE(" + p + ") = pX_NULL;");
    closeBlock();
}

}  // namespace

void P3109_WriteSelectPrototypes(GEN_STREAM stream)
{
    const std::deque<GEN_SELECT_NODE>& selects = P3109_SelectChain();
    /* C# declares no prototypes */
    if (selects.empty() || P3109_fCSharp())
        return;
    P3109_WriteDashedBoxComment(stream, "Prototypes for SELECT commands and Cursor Close routines");
    for (const GEN_SELECT_NODE& s : selects) {
        P3109_WriteLine(stream, 3, "F_YES_NO_FUNCTION " + s.routineName + " (FUNCTION_STD_ARGS, X_LONG);");
        P3109_WriteLine(stream, 3, "F_VOID_FUNCTION " + s.closeName + " (FUNCTION_STD_ARGS);");
    }
}

void P3109_WriteSelectRoutines()
{
    const bool cs = P3109_fCSharp();
    for (const GEN_SELECT_NODE& s : P3109_SelectChain()) {
        openRoutine("Data Selection (SELECT) Routine : " + s.routineName,
                    cs ? "private static char " + s.routineName + "( " + GEN_FUNCTION_ARGS_CS +
                             ", int lSelectLoopCount )"
                       : "F_YES_NO_FUNCTION " + s.routineName + "( FUNCTION_STD_ARGS, X_LONG lSelectLoopCount )");
        P3109_SetCurrentCommand(s.usNumber, s.usSequence);
        if (s.cKind == 'Q') {
            if (P3109_Parm("@WHOLE") == "Y")
                P3109_EmitSelectSqlOdbcLiteralRoutine(s);
            else
                P3109_EmitSelectSqlOdbcRoutine(s);
        } else {
            writeSelectBody(s);
        }
        closeRoutine(false);

        openRoutine("Cursor Closing Routine : " + s.closeName,
                    cs ? "private static void " + s.closeName + "(" + GEN_FUNCTION_ARGS_CS + ")"
                       : "F_VOID_FUNCTION " + s.closeName + "(FUNCTION_STD_ARGS)");
        if (s.cKind == 'Q')
            P3109_WriteSelectSqlClose(s);
        else
            writeSelectClose(s);
        closeRoutine(true);
    }
}
