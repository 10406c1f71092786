/*
** select_list.cpp: SELECTLIST, the head of a loop over the entries of a
** list.
**
** Each pass of the generated loop fetches the next entry (through the
** list's operation table for a working list, through the run-time entry
** routine for any other list), skips the entries that the selection
** keywords or the WHERE condition reject and counts the selected ones in
** lSelectLoopCount. The loop's body follows; ENDSELECT closes it. The
** adjustment variable of the list lets the body delete or insert entries:
** the entry counter advances by one plus the adjustment, which is reset at
** the top of every pass.
*/
#include <algorithm>
#include <array>
#include <cstring>

#include "generator/core/model/gen_chains.h"
#include "generator/core/output/line_writer.h"
#include "generator/core/output/services.h"
#include "generator/emitters/emit_support.h"
#include "generator/emitters/emitters.h"
#include "generator/emitters/list_support.h"
#include "generator/expressions/expr_routines.h"

namespace {

void blank()
{
    P3109_LineAt(0, " ");
}

/* The selection keywords and the members they switch, in member order. */
struct Selection {
    const char* keyword;
    const char* member;
};
constexpr std::array<Selection, 7> kSelections = {{{"*SELECT", "chOSelected"},
                                                   {"*ALTERED", "chOAltered"},
                                                   {"*NOTNULL", "chONotNull"},
                                                   {"*DISPLAY", "chODisplay"},
                                                   {"*ADD", "chOAdd"},
                                                   {"*CHANGE", "chOChange"},
                                                   {"*DELETE", "chODelete"}}};

/* The flags of the selection keywords (a browse list only); the scan stops
** at the first blank keyword. */
std::array<bool, 7> selectionFlags(const GEN_LIST_DEFINITION& list)
{
    std::array<bool, 7> flags{};
    if (list.cKind != 'B')
        return flags;
    const int32_t count = std::min<int32_t>(P3109_ParmCount("GET_ENTRYS"), 10);
    for (int32_t i = 0; i < count; ++i) {
        const std::string keyword = P3109_Parm("GET_ENTRYS", 0, i);
        if (keyword.empty())
            break;
        for (size_t k = 0; k < kSelections.size(); ++k)
            if (keyword == kSelections[k].keyword)
                flags[k] = true;
    }
    return flags;
}

/* The list pointer and, for a working list, the operation pointer. */
void declarePointers(const GEN_LIST_DEFINITION& list, const std::string& pointer, const std::string& operation)
{
    const std::string& l = list.vectorName;
    /* C# reaches a list of either layout as its element of the table */
    if (P3109_fCSharp()) {
        P3109_Line("X_LIST");
        P3109_Line("   " + pointer + " = pX_List[" + l + "];");
        if (list.cKind != 'W')
            return;
        P3109_Line("X_Get_Entry_Ext_Fcn");
        P3109_Line("   " + operation + " = " + pointer + ".pOperationTable.pfnGetEntryExt;");
        return;
    }
    if (!P3109_fZoph2Used()) {
        P3109_Line("struct X_LIST");
        P3109_Line("   *" + pointer + " = &pX_List[" + l + "];");
    } else if (list.Level2()) {
        P3109_Line("X_LIST_2");
        P3109_Line("   *" + pointer + " = &( ((X_LIST_2*) pX_List)[" + l + "] );");
    } else {
        P3109_Line("X_LIST_1");
        P3109_Line("   *" + pointer + " = ((X_LIST_1*)( &( ((X_LIST_2*) pX_List)[" + l + "] ) ));");
    }
    if (list.cKind != 'W')
        return;
    P3109_Line("X_Get_Entry_Ext_Fcn");
    P3109_Line("   *" + operation + " = " + pointer + "->pOperationTable->pfnGetEntryExt;");
}

void writeScreening(const std::string& pointer, const std::array<bool, 7>& flags)
{
    bool any = false;
    for (bool flag : flags)
        any = any || flag;
    if (!any) {
        P3109_Line(P3109_Deref(pointer, "chScreening = NO;"));
        return;
    }
    P3109_Line(P3109_Deref(pointer, "chScreening = YES;"));
    for (size_t k = 0; k < kSelections.size(); ++k)
        P3109_Line(P3109_Deref(pointer, kSelections[k].member) + " = " + (flags[k] ? " YES" : "NO") + ";");
}

void writeWhereSkip()
{
    if (const char* reference = P3109_pRoutineReference()) {
        std::string call, name;
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, &call, &name);
        if (!name.empty()) {
            P3109_WriteComment("If this list entry does not match the WHERE condition");
            P3109_Line("if ( !( " + name + "( " + P3109_StdParms() + " ) ) ) continue;");
            return;
        }
    }
    const std::string where = P3109_ParmField("WHERE");
    if (P3109_TrimRight(where).empty())
        return;
    const std::string routine = P3109_pszMakeEvaluationName(where, GEN_EVAL_LOGICAL, where.size(), where,
                                                            GEN_EVAL_UNNAMED, GEN_EVAL_SHARE_NAMED, 0)
                                    ->name;
    P3109_WriteComment("If this list entry does not match the WHERE condition");
    P3109_Line("if ( " + routine + "(" + P3109_StdParms() + ") != YES ) continue;");
}

}  // namespace

void P3109_EmitSelectList()
{
    GEN_LIST_DEFINITION* found = P3109_pFindListOrReport(P3109_Parm("NAMED"));
    if (!found)
        return;
    const GEN_LIST_DEFINITION& list = *found;
    const std::string& l = list.vectorName;
    const std::string sequence = std::to_string(P3109_sCurrentSequence());
    const std::string counter = "lSelectEntry_" + sequence;
    const std::string pointer = "pX_List_" + sequence;
    const std::string operation = "pfnGetEntryExt_" + sequence;
    const std::string& adjustment = list.adjustment;
    const bool working = list.cKind == 'W';

    P3109_WriteComment("Perform the SELECTLIST loop");
    P3109_EmitLabelTarget();
    P3109_WriteOpenBrace();
    const bool cs = P3109_fCSharp();
    const std::string loopCounter = P3109_OpenSelectLoopCounter();
    P3109_Line(cs ? "int" : "X_LONG");
    P3109_Line("   " + counter + ",");
    P3109_Line("   " + loopCounter + " = 0;");
    declarePointers(list, pointer, operation);
    const std::array<bool, 7> flags = selectionFlags(list);
    const FFC_PARSED_COMMAND& command = P3109_CurrentParsedCommand();
    char loop[6];
    const int32_t line = command.sLine;
    std::memcpy(loop, &line, 4);
    std::memcpy(loop + 4, &command.sSubLine, 2);
    P3109_EmitKeepReset(loop);
    const std::string entryCount =
        P3109_RunTime("X_Set_Component_List_Entry_Count") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, " + l + " )";
    if (!working) {
        P3109_Line(entryCount + ";");
        blank();
    }

    P3109_WriteComment("Loop through all entries in the list");
    const char* count = !P3109_fZoph2Used() ? "sCurrentEntrys" : list.Level2() ? "lcCountEntrys" : "sCountEntrys1";
    const std::string bound = "( " + counter + " <= " + P3109_Deref(pointer, count) + " ) && ( " +
                              P3109_Deref("pX_Ids", "chFatalError") + " == NO );";
    const std::string step = counter + " += (1 + " + P3109_Instance(adjustment) + ")";
    if (working) {
        P3109_Line("for ( " + counter + " = 1; " + bound + " " + step + " )");
    } else {
        P3109_Line("for ( " + counter + " = 1;");
        P3109_Line("   " + bound);
        P3109_Line("   " + step + ", " + entryCount + " )");
    }
    P3109_WriteOpenBrace();
    P3109_WriteComment("Default the loop adjustment factor to zero");
    P3109_Line(P3109_Instance(adjustment) + " = 0;");
    writeScreening(pointer, flags);

    P3109_WriteComment("Get the next entry to be selected");
    if (working) {
        P3109_Line((cs ? operation : "(" + operation + ")") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " +
                   (cs ? "null" : "pX_NULL") + ", " + l + ", pX_List, " + counter + ", NO, " +
                   (cs ? "null" : "pX_NULL") + ", TRUE );");
        P3109_EmitFatalErrorTest();
        blank();
        P3109_Line(P3109_ListEntryMove(list, false));
    } else if (cs) {
        P3109_Line(std::string("pGlobal1.chEntryChanged = ") + (flags[1] ? " YES" : "NO") + ";");
        P3109_Line("pGlobal1.chListEntryMode = X_RUN_DLL." +
                   std::string(P3109_fZoph2Used() ? "X_Get_Entry_2" : "X_Get_Entry") +
                   "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pGlobal1.X_Cond, " + l + ", pX_List, " + counter +
                   ", YES, ref pGlobal1.chEntryChanged );");
        P3109_EmitFatalErrorTest();
        P3109_WriteComment("Skip to next list entry if not selected/located");
        P3109_Line("if (pGlobal1.chListEntryMode == NO) continue;");
    } else {
        P3109_Line(std::string("INSTANCE(chEntryChanged) = ") + (flags[1] ? " YES" : "NO") + ";");
        if (P3109_fZoph2Used())
            P3109_Line("INSTANCE(chListEntryMode) = X_Get_Entry_2( pX_Ids, pX_Pro, pX_Fun, pX_Fld, INSTANCE(X_Cond), " +
                       l + ", pX_List, " + counter + ", YES, &(INSTANCE(chEntryChanged)) );");
        else
            P3109_Line("INSTANCE(chListEntryMode) = X_Get_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, INSTANCE(X_Cond), " +
                       l + ", pX_List, ((X_SHORT) " + counter + "), YES, &(INSTANCE(chEntryChanged)) );");
        P3109_EmitFatalErrorTest();
        P3109_WriteComment("Skip to next list entry if not selected/located");
        P3109_Line("if (INSTANCE(chListEntryMode) == NO) continue;");
    }
    writeWhereSkip();
    if (list.cKind == 'B') {
        P3109_WriteComment("Turn off errors for fields read from this browse list");
        P3109_Line(P3109_RunTime("X_Set_Error_States") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + l + ", pX_List, NO );");
    }
    P3109_WriteComment("Increment the loop counter");
    P3109_Line(loopCounter + "++;");
    P3109_EmitCommandPrologue();
}
