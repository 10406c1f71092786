/*
** list_entries.cpp: the commands that work on the entries of a list:
** ADD_ENTRY, UPD_ENTRY, DLT_ENTRY, INZ_LIST, CLR_LIST, DLT_LIST, SORT_LIST,
** GET_ENTRY and LOC_ENTRY.
**
** A working list moves its entries itself: the command fetches the routine
** from the list's operation table and copies the entry between the
** function's fields and the list with the list's ASSEMBLE and DISASSEMBLE
** macros. Every other list (and ADD_ENTRY of a working list that counts its
** entries in one of its own fields) hands the entry to a run-time routine
** that receives the conditions and does the copying itself.
*/
#include <algorithm>

#include "generator/core/model/field_values.h"
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

bool cs()
{
    return P3109_fCSharp();
}

std::string conditions()
{
    return P3109_Instance("X_Cond");
}

/* The null argument and the reference to a variable of the first list. */
const char* null()
{
    return cs() ? "null" : "pX_NULL";
}
std::string reference(const std::string& name)
{
    return cs() ? "ref pGlobal1." + name : "&(INSTANCE(" + name + "))";
}

/* A work variable of a list count: long with ZOPH2; C# counts in int. */
const char* countType(bool fZoph2)
{
    return cs() ? "int" : fZoph2 ? "X_LIST_COUNT" : "X_SHORT";
}

/* A routine of the list's operation table called through its variable. */
std::string callOperation(const char* variable)
{
    return cs() ? std::string(variable) : "(" + std::string(variable) + ")";
}

/* The operation-table form serves working lists. */
bool operationTable(const GEN_LIST_DEFINITION& list)
{
    return list.cKind == 'W';
}

std::string yesNoText()
{
    return P3109_Parm("INZ_ENTRY") == "*NO" ? "NO" : "YES";
}

/* The routine's declaration and its pointer line, then a blank line. */
void declareOperation(const GEN_LIST_DEFINITION& list, const char* type, const char* member, int iIndent = 3)
{
    P3109_Line(type);
    P3109_Line(std::string(static_cast<size_t>(iIndent), ' ') + (cs() ? "" : "*") + member + " = " +
               P3109_ListSlotMember(list, P3109_Deref("pOperationTable", member)) + ";");
    blank();
}

/* The value of a number field moved into a work variable, long with ZOPH2. */
void moveNumber(std::string_view keyword, std::string_view variable)
{
    GEN_FIELD_INFO field;
    if (!P3109_fFindUsedField(P3109_Parm(keyword), field))
        return;
    if (P3109_fZoph2Used())
        P3109_WriteGetLongFromPacked(field, variable);
    else
        P3109_WriteGetShortFromPacked(field, variable);
}

/* The top entry of a browse list that shows the current entry goes back
** beyond the last entry. */
void resetTopEntry(const GEN_LIST_DEFINITION& list)
{
    if (list.cKind != 'B' || list.cTopCurrent != 'Y')
        return;
    if (!P3109_fZoph2Used() || cs()) {
        P3109_Line("pX_List[" + list.vectorName + "].svTopEntry = V_MAXIMUM_VALUE + 1;");
        return;
    }
    P3109_Line("X_CAST_LIST_FROM_NO( pX_List, " + list.vectorName + ", pX_Fun )");
    P3109_Line("X_SET_LIST_COMMON_ELEMENT( svTopEntry, (V_MAXIMUM_VALUE + 1) )");
}

/* The steps every command shares around its own code: the prologue, the
** frame, the list, its conditions and the entry mode before; the fatal test
** and the frame after. */
struct Frame {
    bool frame = false;
    GEN_LIST_DEFINITION* list = nullptr;
    std::string mode;
};

Frame open(const char* listKeyword, bool fFrame, bool fConditions)
{
    Frame f;
    P3109_EmitCommandPrologue();
    f.frame = fFrame && P3109_fFrameIndicator();
    if (f.frame)
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
    f.list = P3109_pFindListOrReport(P3109_Parm(listKeyword));
    if (!f.list || !fConditions)
        return f;
    P3109_EmitConditionTest(f.list->conditions, GEN_CONDITIONS_TEST);
    f.mode = P3109_EmitListEntryMode(P3109_ParmField("WITH_MODE"));
    return f;
}

void close(const Frame& f, bool fFatalTest = true)
{
    if (fFatalTest)
        P3109_EmitFatalErrorTest();
    if (f.frame)
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
}

void addByOperationTable(const GEN_LIST_DEFINITION& list, const std::string& mode)
{
    const std::string& l = list.vectorName;
    P3109_WriteOpenBrace();
    const std::string after = P3109_Parm("AFTER");
    if (after.empty() || after[0] == '*') {
        declareOperation(list, "X_Add_Entry_Fcn", "pfnAddEntry");
        P3109_Line(P3109_ListEntryMove(list, true));
        blank();
        P3109_Line(callOperation("pfnAddEntry") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + null() + ", " + l +
                   ", pX_List, YES, NO, " + mode + ", NO );");
        P3109_WriteCloseBrace();
        return;
    }
    const bool zoph2 = P3109_fZoph2Used();
    const std::string variable = zoph2 ? "lcAfterEntry" : "sAfterEntry";
    P3109_Line(countType(zoph2));
    P3109_Line("   " + variable + (cs() ? " = 0;" : ";"));
    declareOperation(list, "X_Add_Entry_After_Fcn", "pfnAddEntryAfter");
    moveNumber("AFTER", variable);
    blank();
    P3109_Line(P3109_ListEntryMove(list, true));
    blank();
    P3109_Line(callOperation("pfnAddEntryAfter") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + null() + ", " + l +
               ", pX_List, YES, NO, " + mode + ", NO, " + variable + ", " + reference(list.adjustment) + " );");
    P3109_WriteCloseBrace();
}

void addByRuntime(const GEN_LIST_DEFINITION& list, const std::string& mode)
{
    const std::string& l = list.vectorName;
    const std::string after = P3109_Parm("AFTER");
    if (!after.empty() && after[0] != '*') {
        P3109_Line(P3109_RunTime("X_Add_Entry_After") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + conditions() + ", " + l +
                   ", pX_List, YES, " + yesNoText() + ", " + mode + ", YES, " +
                   P3109_RequiredFieldVector("AFTER", P3109_ParmField("AFTER")) + ", " +
                   reference(list.adjustment) + " );");
        return;
    }
    P3109_Line((P3109_fCSharp() ? "X_RUN_DLL.X_Add_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, "
                                : "X_Add_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, ") +
               conditions() + ", " + l + ", pX_List, YES, " + yesNoText() + ", " + mode + ", YES );");
}

void deleteByOperationTable(const GEN_LIST_DEFINITION& list)
{
    const bool zoph2 = P3109_fZoph2Used();
    const std::string variable = zoph2 ? "lcDltEntry" : "sDltEntry";
    const bool current = P3109_Parm("NUMBER") == "*CURRENT";
    P3109_WriteOpenBrace();
    P3109_Line(countType(zoph2));
    P3109_Line("   " + variable + (cs() ? " = 0;" : ";"));
    const std::string& l = list.vectorName;
    if (cs()) {
        P3109_Line("X_LIST");
        P3109_Line("   pList = pX_List[" + l + "];");
    } else if (!zoph2) {
        P3109_Line("struct X_LIST");
        P3109_Line("   *pList = &( pX_List[" + l + "] );");
    } else if (list.Level2()) {
        P3109_Line("X_LIST_2");
        P3109_Line("   *pList = &((X_LIST_2*) pX_List)[" + l + "];");
    } else {
        P3109_Line("X_LIST_1");
        P3109_Line("   *pList = ((X_LIST_1*)( &((X_LIST_2*) pX_List)[" + l + "] ));");
    }
    P3109_Line("X_Dlt_Entry_Fcn");
    P3109_Line(cs() ? "   pfnDltEntry = pList.pOperationTable.pfnDltEntry;"
                    : "   *pfnDltEntry = pList->pOperationTable->pfnDltEntry;");
    blank();
    if (current) {
        const char* member = !zoph2 ? "sCurrentEntry" : list.Level2() ? "lcCurrentEntry" : "sCurrentEntry1";
        P3109_Line(variable + " = " + P3109_Deref("pList", member) + ";");
        blank();
    } else {
        moveNumber("NUMBER", variable);
    }
    P3109_Line(callOperation("pfnDltEntry") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + variable + ", " + l +
               ", pX_List, " + reference(list.adjustment) + " );");
    P3109_WriteCloseBrace();
}

/* The entry count and loop head of LOC_ENTRY. */
void writeEntryLoop(const GEN_LIST_DEFINITION& list)
{
    const std::string& l = list.vectorName;
    if (!P3109_fZoph2Used()) {
        P3109_Line("sEntrys = pX_List[" + l + "].sCurrentEntrys;");
        blank();
        P3109_Line("for ( i = 1; i <= sEntrys; i++ )");
        return;
    }
    P3109_Line("lcEntrys = " + P3109_ListSlotMember(list, list.Level2() ? "lcCountEntrys" : "sCountEntrys1") + ";");
    blank();
    P3109_Line("for ( i = 1; i <= lcEntrys; i++ )");
}

/* The WHERE test of LOC_ENTRY: true when one was written. */
bool writeWhereTest()
{
    if (const char* reference = P3109_pRoutineReference()) {
        std::string call, name;
        EXPR_BuildConditionRoutineCall(P3109_ExpressionWriter(), reference, &call, &name);
        if (!name.empty()) {
            P3109_WriteComment("If this entry matches the WHERE clause");
            P3109_Line("if ( " + name + "( " + P3109_StdParms() + " ) )");
            P3109_WriteOpenBrace();
            return true;
        }
    }
    const std::string where = P3109_ParmField("WHERE");
    if (P3109_TrimRight(where).empty())
        return false;
    const std::string routine = P3109_pszMakeEvaluationName(where, GEN_EVAL_LOGICAL, where.size(), where,
                                                            GEN_EVAL_UNNAMED, GEN_EVAL_SHARE_NAMED, 0)
                                    ->name;
    P3109_WriteComment("If this entry matches the WHERE clause");
    P3109_Line("if ( " + routine + "(" + P3109_StdParms() + ") == YES )");
    P3109_WriteOpenBrace();
    return true;
}

}  // namespace

void P3109_EmitAddEntry()
{
    const Frame f = open("TO_LIST", true, true);
    if (!f.list)
        return;
    if (operationTable(*f.list) && f.list->lCounterInList == 0)
        addByOperationTable(*f.list, f.mode);
    else
        addByRuntime(*f.list, f.mode);
    close(f);
}

void P3109_EmitUpdEntry()
{
    const Frame f = open("IN_LIST", true, true);
    if (!f.list)
        return;
    const GEN_LIST_DEFINITION& list = *f.list;
    const std::string& l = list.vectorName;
    if (!operationTable(list)) {
        P3109_Line((P3109_fCSharp() ? "X_RUN_DLL.X_Upd_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, "
                                    : "X_Upd_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, ") +
                   conditions() + ", " + l + ", pX_List, " + f.mode + ", YES );");
    } else {
        P3109_WriteOpenBrace();
        declareOperation(list, "X_Upd_Entry_Fcn", "pfnUpdEntry");
        P3109_Line(P3109_ListEntryMove(list, true));
        blank();
        P3109_Line(callOperation("pfnUpdEntry") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + null() + ", " + l +
                   ", pX_List, " + f.mode + ", NO );");
        P3109_WriteCloseBrace();
    }
    close(f);
}

void P3109_EmitDltEntry()
{
    const Frame f = open("FROM_LIST", true, false);
    if (!f.list)
        return;
    const GEN_LIST_DEFINITION& list = *f.list;
    P3109_WriteComment("Attempt to delete the specified list entry");
    if (operationTable(list)) {
        deleteByOperationTable(list);
    } else {
        const std::string number = P3109_Parm("NUMBER");
        const std::string entry = P3109_KeywordFieldVector("NUMBER");
        if (P3109_fCSharp())
            P3109_Line("X_RUN_DLL.X_Dlt_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + entry + ", pX_List, " +
                       list.vectorName + ", ref pGlobal1." + list.adjustment + " );");
        else
            P3109_Line("X_Dlt_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + entry + ", pX_List, " + list.vectorName +
                       ", &(INSTANCE(" + list.adjustment + ")) );");
    }
    close(f);
}

void P3109_EmitInzList()
{
    const Frame f = open("NAMED", true, true);
    if (!f.list)
        return;
    const GEN_LIST_DEFINITION& list = *f.list;
    const std::string& l = list.vectorName;
    const std::string entries = std::to_string(P3109_ParmNumber("NUM_ENTRYS"));
    if (!operationTable(list)) {
        resetTopEntry(list);
        P3109_Line(P3109_RunTime("X_Inz_Entries") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + conditions() + ", " + l +
                   ", pX_List, YES, " + yesNoText() + ", " + entries + ", " + f.mode + " );");
    } else {
        P3109_Line("{");
        declareOperation(list, "   X_Inz_Entries_Fcn", "pfnInzEntries", 6);
        P3109_Line("   " + callOperation("pfnInzEntries") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + null() + ", " + l +
                   ", pX_List, YES, NO, " + entries + ", " + f.mode + " );");
        P3109_Line("}");
    }
    close(f);
}

/* CLR_LIST and DLT_LIST: every entry dropped. */
void P3109_EmitClrList()
{
    const Frame f = open("NAMED", false, false);
    if (!f.list)
        return;
    const GEN_LIST_DEFINITION& list = *f.list;
    const std::string& l = list.vectorName;
    P3109_WriteComment("Drop all entries from the list");
    if (operationTable(list) && cs()) {
        P3109_Line(P3109_ListSlotMember(list, "pOperationTable.pfnDropEntries") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " +
                   l + ", pX_List, YES );");
    } else if (operationTable(list)) {
        P3109_Line("( " + P3109_ListSlotMember(list, "pOperationTable->pfnDropEntries") +
                   " )( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + l + ", pX_List, YES );");
    } else {
        resetTopEntry(list);
        P3109_Line((P3109_fCSharp() ? "X_RUN_DLL.X_Drop_Entries( " : "X_Drop_Entries( ") +
                   std::string("pX_Ids, pX_Pro, pX_Fun, pX_Fld, ") + l + ", pX_List, YES );");
    }
    close(f);
}

void P3109_EmitDltList()
{
    P3109_EmitClrList();
}

void P3109_EmitSortList()
{
    const Frame f = open("NAMED", false, false);
    if (!f.list)
        return;
    GEN_SORT_ROUTINE_NODE node;
    node.name = "X_Sort_List_" + g().lineNumberText;
    node.listIdentifier = f.list->vectorName;
    node.structureName = "LIST_" + f.list->identifier;
    const int32_t keys = std::clamp<int32_t>(P3109_ParmCount("BY_FIELDS"), 0, static_cast<int32_t>(GEN_SORT_KEYS_MAX));
    for (int32_t i = 0; i < keys; ++i) {
        GEN_SORT_KEY key;
        key.field = P3109_Padded(P3109_DropNationalChar(P3109_Parm("BY_FIELDS", 0, i)), 10);
        key.cOrder = P3109_Parm("BY_FIELDS", 1, i).rfind("*D", 0) == 0 ? 'D' : 'A';
        node.keys.push_back(key);
    }
    /* the C# pass meets the command again: its routine is written once */
    std::vector<GEN_SORT_ROUTINE_NODE>& routines = P3109_SortRoutineList();
    const auto known = std::find_if(routines.begin(), routines.end(),
                                    [&](const GEN_SORT_ROUTINE_NODE& r) { return r.name == node.name; });
    if (known != routines.end())
        *known = node;
    else
        routines.push_back(node);
    P3109_WriteComment("Now sort the list (if it has entries in it)");
    P3109_Line(P3109_RunTime("X_Sort_List") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + node.listIdentifier +
               ", pX_List, " + node.name + " );");
    close(f);
}

void P3109_EmitGetEntry()
{
    P3109_EmitCommandPrologue();
    g().emit.cLastIoStatus = 'Y';
    GEN_LIST_DEFINITION* found = P3109_pFindListOrReport(P3109_Parm("FROM_LIST"));
    if (!found)
        return;
    const GEN_LIST_DEFINITION& list = *found;
    const std::string& l = list.vectorName;
    const bool cs = P3109_fCSharp();
    const bool zoph2 = P3109_fZoph2Used();
    const bool working = operationTable(list);
    const bool frame = P3109_fFrameIndicator();
    if (frame) {
        EXPR_WriteDefineVarFrame(P3109_ExpressionWriter(), 1);
    } else {
        blank();
        P3109_WriteOpenBrace();
    }
    P3109_WriteComment("Declare variable and initialize with required entry number");
    const std::string variable = zoph2 ? "lcGetEntry" : "sGetEntry";
    if (zoph2) {
        P3109_Line(cs ? "int" : "X_LIST_COUNT");
        P3109_Line(cs ? "   lcGetEntry = 0;" : "   lcGetEntry;");
    } else {
        P3109_Line(cs ? "int" : "X_SHORT");
        P3109_Line(cs ? "   sGetEntry = 0;" : "   sGetEntry;");
    }
    if (working)
        declareOperation(list, "X_Get_Entry_Ext_Fcn", "pfnGetEntryExt");
    else
        blank();
    moveNumber("NUMBER", variable);
    P3109_WriteComment("Now attempt to locate the list entry that has the specified entry number ");
    if (working) {
        P3109_Line("if ( " + callOperation("pfnGetEntryExt") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + null() + ", " +
                   l + ", pX_List, " + variable + ", NO, " + null() + ", TRUE ) != NO ) ");
        P3109_Line("{");
        P3109_Line("   " + P3109_ListEntryMove(list, false));
        blank();
        P3109_Line(cs ? "   " + P3109_CSharpSetIoStatus("X_DBM_OKAY")
                      : "   strcpy( INSTANCE(vchLastIOStatus), X_DBM_OKAY );");
        P3109_Line("}");
        P3109_Line("else");
        P3109_Line("{");
        P3109_Line(cs ? "   " + P3109_CSharpSetIoStatus("X_DBM_NO_RECORD")
                      : "   strcpy( INSTANCE(vchLastIOStatus), X_DBM_NO_RECORD );");
        P3109_Line("}");
        P3109_EmitFatalErrorTest();
    } else {
        /* C# reaches a list of either layout as its element of the table */
        if (cs)
            P3109_Line("pX_List[" + l + "].chScreening = NO;");
        else
            P3109_Line(P3109_ListSlotMember(list, "chScreening") + " = NO;");
        P3109_Line(cs ? "pGlobal1.chEntryChanged = NO;" : "INSTANCE(chEntryChanged) = NO;");
        const std::string routine = zoph2 ? "X_Get_Entry_2" : "X_Get_Entry";
        if (cs)
            P3109_Line("pGlobal1.chListEntryMode = X_RUN_DLL." + routine +
                       "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pGlobal1.X_Cond, " + l + ", pX_List, " + variable +
                       ", YES, ref pGlobal1.chEntryChanged );");
        else
            P3109_Line("INSTANCE(chListEntryMode) = " + routine +
                       "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, INSTANCE(X_Cond), " + l + ", pX_List, " + variable +
                       ", YES, &(INSTANCE(chEntryChanged)) );");
        P3109_EmitFatalErrorTest();
        P3109_WriteComment("Set up normal returned status");
        if (cs) {
            P3109_Line("if (pGlobal1.chListEntryMode == NO)");
            P3109_Line("   pGlobal1.vchLastIOStatus = DqooDef.X_DBM_NO_RECORD;");
            P3109_Line("else");
            P3109_Line("   pGlobal1.vchLastIOStatus = DqooDef.X_DBM_OKAY;");
        } else {
            P3109_Line("if (INSTANCE(chListEntryMode) == NO)");
            P3109_Line("   strcpy(INSTANCE(vchLastIOStatus),X_DBM_NO_RECORD);");
            P3109_Line("else");
            P3109_Line("   strcpy(INSTANCE(vchLastIOStatus),X_DBM_OKAY);");
        }
    }
    P3109_EmitIoStatusToField(P3109_ParmField("RET_STATUS"));
    if (frame)
        EXPR_WriteTerminateVarFrame(P3109_ExpressionWriter(), 1);
    else
        P3109_WriteCloseBrace();
}

void P3109_EmitLocEntry()
{
    const Frame f = open("IN_LIST", true, false);
    if (!f.list)
        return;
    g().emit.cLastIoStatus = 'Y';
    const GEN_LIST_DEFINITION& list = *f.list;
    const std::string& l = list.vectorName;
    const bool cs = P3109_fCSharp();
    const bool zoph2 = P3109_fZoph2Used();
    const bool working = operationTable(list);
    P3109_Line(cs ? "pGlobal1.vchLastIOStatus = DqooDef.X_DBM_NO_RECORD;"
                  : "strcpy( INSTANCE(vchLastIOStatus), X_DBM_NO_RECORD );");
    P3109_WriteComment("Search the list for the first matching entry");
    P3109_WriteOpenBrace();
    P3109_Line(countType(zoph2));
    P3109_Line("   i,");
    P3109_Line(zoph2 ? "   lcEntrys;" : "   sEntrys;");
    if (working)
        declareOperation(list, "X_Get_Entry_Ext_Fcn", "pfnGetEntryExt");
    else
        blank();
    if (list.cKind == 'B' || list.cKind == 'C') {
        P3109_Line(P3109_RunTime("X_Set_Component_List_Entry_Count") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, " +
                   l + " );");
        blank();
    }
    writeEntryLoop(list);
    P3109_WriteOpenBrace();
    P3109_WriteComment("Select the entry");
    if (working) {
        P3109_Line(callOperation("pfnGetEntryExt") + "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + null() + ", " + l +
                   ", pX_List, i, NO, " + null() + ", TRUE );");
    } else {
        const std::string routine = zoph2 ? "X_Get_Entry_2" : "X_Get_Entry";
        P3109_Line(cs ? "pGlobal1.chEntryChanged = NO;" : "INSTANCE(chEntryChanged) = NO;");
        /* the run time sets the changed flag: C# hands it over by reference */
        if (cs)
            P3109_Line("pGlobal1.chListEntryMode = X_RUN_DLL." + routine +
                       "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, pGlobal1.X_Cond, " + l +
                       ", pX_List, i, NO, ref pGlobal1.chEntryChanged );");
        else
            P3109_Line("INSTANCE(chListEntryMode) = " + routine +
                       "( pX_Ids, pX_Pro, pX_Fun, pX_Fld, INSTANCE(X_Cond), " + l +
                       ", pX_List, i, NO, &(INSTANCE(chEntryChanged)) );");
    }
    const bool where = writeWhereTest();
    const std::string number = P3109_Parm("RET_NUMBER");
    GEN_FIELD_INFO field;
    if (!number.empty() && number != "*NONE" && P3109_fFindUsedField(number, field)) {
        if (zoph2)
            P3109_WriteStoreLongInPacked(field, "i");
        else
            P3109_WriteStoreShortInPacked(field, "i");
    }
    if (P3109_Parm("GET_ENTRY") != "*NO") {
        if (working) {
            P3109_Line(P3109_ListEntryMove(list, false));
            blank();
        } else {
            P3109_WriteOpenBrace();
            P3109_Line(cs ? "char chNo = NO;" : "X_YES_NO chNo = NO;");
            P3109_Line(cs ? "X_RUN_DLL.X_DisAssemble_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + l +
                                ", pX_List, ref chNo, ref chNo, YES);"
                          : "X_DisAssemble_Entry( pX_Ids, pX_Pro, pX_Fun, pX_Fld, " + l +
                                ", pX_List, &(chNo), &(chNo), YES);");
            P3109_WriteCloseBrace();
        }
    }
    P3109_Line(cs ? "pGlobal1.vchLastIOStatus = DqooDef.X_DBM_OKAY;"
                  : "strcpy( INSTANCE(vchLastIOStatus), X_DBM_OKAY );");
    P3109_Line("break;");
    if (where)
        P3109_WriteCloseBrace();
    P3109_WriteCloseBrace();
    P3109_WriteCloseBrace();
    P3109_EmitIoStatusToField(P3109_ParmField("RET_STATUS"));
    close(f, false);
}
