/*
** rt_stops.c: the routines of the run-time interface that generated
** programs call and the test run time gives no meaning: files and their
** keys and commits, panels, calls of other functions and programs,
** submitted jobs, exchanged lists and data structures, remembered values,
** KEEP_LAST tracking, memory of built-in functions and the binary and
** short-character services. Each stops the run with a message naming it,
** so that a test never runs past a call whose effect it does not see.
*/
#include "rt.h"

void X_Check_Database_SSN(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM, X_BOOL fConnection, struct X_CONNECT_DATABASE *pConnection)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM, (void)fConnection, (void)pConnection;
    RT_NotHere("X_Check_Database_SSN");
}

void X_Check_File_Redirected(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM, X_PCHAR pchPhysical)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM, (void)pchPhysical;
    RT_NotHere("X_Check_File_Redirected");
}

void X_Check_Key_Count(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, struct X_DBM *pX_DBM, X_SHORT sCountField)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)pX_DBM, (void)sCountField;
    RT_NotHere("X_Check_Key_Count");
}

void X_Close_Cursors(FUNCTION_STD_ARGS, X_LONG lEntryCursors)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun, (void)pX_Fld, (void)pX_List, (void)X_FKey, (void)pGlobal1, (void)pGlobal2, (void)lEntryCursors;
    RT_NotHere("X_Close_Cursors");
}

void X_Code_File_Check_2(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM, const char *pszFile, const char *pszField, X_SHORT scKeys, X_PSHORT psKeys, X_CHECK_ARGUMENTS)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM, (void)pszFile, (void)pszField, (void)scKeys, (void)psKeys, (void)chIn, (void)chOut, (void)pszMsgId, (void)pszMsgFile, (void)scSubstitutions, (void)psSubstitutions, (void)pchResult;
    RT_NotHere("X_Code_File_Check_2");
}

X_LONG X_Commit_DBMS(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM;
    RT_NotHere("X_Commit_DBMS");
    return 0;
}

void X_Complex_Logic_Check(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sField, const char *pszProgram, X_SHORT scParms, const X_SHORT *psParms, X_CHECK_ARGUMENTS)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sField, (void)pszProgram, (void)scParms, (void)psParms, (void)chIn, (void)chOut, (void)pszMsgId, (void)pszMsgFile, (void)scSubstitutions, (void)psSubstitutions, (void)pchResult;
    RT_NotHere("X_Complex_Logic_Check");
}

void X_Compute_Keys(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, struct X_DBM *pX_DBM)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)pX_DBM;
    RT_NotHere("X_Compute_Keys");
}

X_LONG X_DBM_Commit(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM;
    RT_NotHere("X_DBM_Commit");
    return 0;
}

X_LONG X_DBM_Rollback(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM;
    RT_NotHere("X_DBM_Rollback");
    return 0;
}

void X_Date_Check(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sField, const char *pszFormat, X_LONG lFrom, X_LONG lTo, X_CHECK_ARGUMENTS)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sField, (void)pszFormat, (void)lFrom, (void)lTo, (void)chIn, (void)chOut, (void)pszMsgId, (void)pszMsgFile, (void)scSubstitutions, (void)psSubstitutions, (void)pchResult;
    RT_NotHere("X_Date_Check");
}

void X_Free_Last(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, struct X_KEEP_LAST *pLast, X_SHORT sKeys, X_PVOID pvKeys, X_SHORT sData, X_PVOID pvData)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)pLast, (void)sKeys, (void)pvKeys, (void)sData, (void)pvData;
    RT_NotHere("X_Free_Last");
}

void X_Handle_Trigger_Info(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, X_CHAR chDirection, struct X_FLD *a4, X_SHORT sList, struct X_LIST *a5, X_SHORT sOperation, X_SHORT sReturnCode, X_SHORT scParms, struct X_PARM *a6)
{
    (void)a1, (void)a2, (void)a3, (void)chDirection, (void)a4, (void)sList, (void)a5, (void)sOperation, (void)sReturnCode, (void)scParms, (void)a6;
    RT_NotHere("X_Handle_Trigger_Info");
}

X_PVOID X_PDF_Allocate_Memory(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, size_t ulSize)
{
    (void)a1, (void)a2, (void)a3, (void)ulSize;
    RT_NotHere("X_PDF_Allocate_Memory");
    return 0;
}

void X_PDF_Execute_Function(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, const char *pszFunction, X_LONG scParms, struct X_PARM *pParms)
{
    (void)a1, (void)a2, (void)a3, (void)pszFunction, (void)scParms, (void)pParms;
    RT_NotHere("X_PDF_Execute_Function");
}

void X_PDF_Execute_IO_Module(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM, const char *pszModule)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM, (void)pszModule;
    RT_NotHere("X_PDF_Execute_IO_Module");
}

void X_PDF_Execute_Process(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, const char *pszProcess, const char *pszFunction, X_LONG scParms, struct X_PARM *pParms)
{
    (void)a1, (void)a2, (void)a3, (void)pszProcess, (void)pszFunction, (void)scParms, (void)pParms;
    RT_NotHere("X_PDF_Execute_Process");
}

void X_PDF_Execute_User_BIF(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_BIF *pBif, X_CHAR chFlag, struct X_FLD *pX_Fld, struct X_LIST *pX_List, X_SHORT sArguments, X_SHORT *psArguments, X_SHORT sReturns, X_SHORT *psReturns)
{
    (void)a1, (void)a2, (void)a3, (void)pBif, (void)chFlag, (void)pX_Fld, (void)pX_List, (void)sArguments, (void)psArguments, (void)sReturns, (void)psReturns;
    RT_NotHere("X_PDF_Execute_User_BIF");
}

void X_PDF_Free_Memory(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, X_PVOID pvMemory)
{
    (void)a1, (void)a2, (void)a3, (void)pvMemory;
    RT_NotHere("X_PDF_Free_Memory");
}

void X_PDF_Restore_Original_UIM_DLL(struct X_IDS *a1, X_CHAR chExecutionState, X_MODULEHANDLE a2, PFNUIMVOIDFUNCTION a3)
{
    (void)a1, (void)chExecutionState, (void)a2, (void)a3;
    RT_NotHere("X_PDF_Restore_Original_UIM_DLL");
}

void X_PDF_Submit_Process(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, const char *pszProcess, const char *pszFunction, const char *pszReserved, struct X_FLD *a4, ...)
{
    (void)a1, (void)a2, (void)a3, (void)pszProcess, (void)pszFunction, (void)pszReserved, (void)a4;
    RT_NotHere("X_PDF_Submit_Process");
}

void X_PDF_Switch_To_Web_UIM_DLL(struct X_IDS *a1, struct X_WEB_INFO *a2, X_MODULEHANDLE *a3, PFNUIMVOIDFUNCTION *a4)
{
    (void)a1, (void)a2, (void)a3, (void)a4;
    RT_NotHere("X_PDF_Switch_To_Web_UIM_DLL");
}

void X_Present_Panel(X_SHORT sRequest, struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_PANEL_CTL *pControl, X_SHORT scFields, struct X_FLD *a4, struct X_COND *a5, struct X_FKEY *a6, X_SHORT scActionBar, struct X_ABAR *pActionBar, X_SHORT scTexts, struct X_PANEL_TXT *pTexts, X_SHORT scPanelFields, struct X_PANEL_FLD *pPanelFields, X_SHORT sListFields, struct X_FLD *pListFields, X_SHORT scBrowseFields, struct X_PANEL_FLD *pBrowseFields, struct X_COND *pListConditions, struct X_LIST *pLists, X_SHORT sList, X_SHORT scExchange, X_PVOID pvExchange)
{
    (void)sRequest, (void)a1, (void)a2, (void)a3, (void)pControl, (void)scFields, (void)a4, (void)a5, (void)a6, (void)scActionBar, (void)pActionBar, (void)scTexts, (void)pTexts, (void)scPanelFields, (void)pPanelFields, (void)sListFields, (void)pListFields, (void)scBrowseFields, (void)pBrowseFields, (void)pListConditions, (void)pLists, (void)sList, (void)scExchange, (void)pvExchange;
    RT_NotHere("X_Present_Panel");
}

void X_Put_To_Exchange_List(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT scFields, X_PVOID psFields)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)scFields, (void)psFields;
    RT_NotHere("X_Put_To_Exchange_List");
}

void X_Receive_Working_List(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sList, struct X_LIST *a5, X_SHORT sParm, X_SHORT scParms, struct X_PARM *a6)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sList, (void)a5, (void)sParm, (void)scParms, (void)a6;
    RT_NotHere("X_Receive_Working_List");
}

void X_Reset_List_Counter(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sList, struct X_LIST *a5)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sList, (void)a5;
    RT_NotHere("X_Reset_List_Counter");
}

void X_Return_Working_List(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sList, struct X_LIST *a5, X_SHORT sParm, X_SHORT scParms, struct X_PARM *a6)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sList, (void)a5, (void)sParm, (void)scParms, (void)a6;
    RT_NotHere("X_Return_Working_List");
}

X_LONG X_Rollback_DBMS(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_DBM *pX_DBM)
{
    (void)a1, (void)a2, (void)a3, (void)pX_DBM;
    RT_NotHere("X_Rollback_DBMS");
    return 0;
}

void X_Search_Last(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, struct X_KEEP_LAST *pLast, X_SHORT sKeys, X_PSHORT psKeys, X_SHORT sData, X_PSHORT psData, X_PCHAR pchStatus)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)pLast, (void)sKeys, (void)psKeys, (void)sData, (void)psData, (void)pchStatus;
    RT_NotHere("X_Search_Last");
}

void X_Set_Remembered_Value(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sField, X_SHORT sKind)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sField, (void)sKind;
    RT_NotHere("X_Set_Remembered_Value");
}

void X_Store_Last(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, struct X_KEEP_LAST *pLast, X_SHORT sKeys, X_PSHORT psKeys, X_SHORT sData, X_PSHORT psData, X_LONG lKeep)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)pLast, (void)sKeys, (void)psKeys, (void)sData, (void)psData, (void)lKeep;
    RT_NotHere("X_Store_Last");
}

X_VOID X_VAR_VarBinary_Assign(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, X_VOID *pSource, X_VOID *pTarget)
{
    (void)a1, (void)a2, (void)a3, (void)pSource, (void)pTarget;
    RT_NotHere("X_VAR_VarBinary_Assign");
}

X_VOID X_VAR_VarBinary_SetFromPointer(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, const X_VOID *a4, X_ULONG a5, X_VOID *a6)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)a5, (void)a6;
    RT_NotHere("X_VAR_VarBinary_SetFromPointer");
}

X_VOID X_VAR_VarChar_Repeat(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, const X_VCHAR *a4, X_LONG a5, X_VOID *a6)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)a5, (void)a6;
    RT_NotHere("X_VAR_VarChar_Repeat");
}

void X_Vec_Assign_from_Data_Structure(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, X_PVOID pvMember, struct X_FLD *a4, X_SHORT sField)
{
    (void)a1, (void)a2, (void)a3, (void)pvMember, (void)a4, (void)sField;
    RT_NotHere("X_Vec_Assign_from_Data_Structure");
}

void X_Vec_Assign_to_Data_Structure(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sField, X_PVOID pvMember)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sField, (void)pvMember;
    RT_NotHere("X_Vec_Assign_to_Data_Structure");
}

void X_Vec_Set_from_SysVar(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, struct X_FLD *a4, X_SHORT sField, const char *pszSystemVariable)
{
    (void)a1, (void)a2, (void)a3, (void)a4, (void)sField, (void)pszSystemVariable;
    RT_NotHere("X_Vec_Set_from_SysVar");
}

void X_Clear_Rename_Stack(struct X_IDS *a1, struct X_FUN *a2)
{
    (void)a1, (void)a2;
    RT_NotHere("X_Clear_Rename_Stack");
}

void X_Apply_Rename(struct X_IDS *a1, struct X_FUN *a2, struct X_FLD *a3, X_SHORT sRenamed, X_SHORT sOriginal)
{
    (void)a1, (void)a2, (void)a3, (void)sRenamed, (void)sOriginal;
    RT_NotHere("X_Apply_Rename");
}

void X_Remove_Renames(struct X_IDS *a1, struct X_FUN *a2, struct X_FLD *a3)
{
    (void)a1, (void)a2, (void)a3;
    RT_NotHere("X_Remove_Renames");
}

X_LONG X_DBM_Operation(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3, X_SHORT sOperation, X_PVOID pvRequest,
                       X_LONG lEntries, X_PVOID pvInfo)
{
    (void)a1, (void)a2, (void)a3, (void)sOperation, (void)pvRequest, (void)lEntries, (void)pvInfo;
    RT_NotHere("X_DBM_Operation");
    return 0;
}

X_PPVCHAR X_Get_Web_Text_Tags(X_SHORT sLangNo, X_LONG *plLimit)
{
    (void)sLangNo, (void)plLimit;
    RT_NotHere("X_Get_Web_Text_Tags");
    return pX_NULL;
}

X_SHORT X_Handle_Action_Bar(struct X_IDS *a1, struct X_PRO *a2, struct X_FUN *a3)
{
    (void)a1, (void)a2, (void)a3;
    RT_NotHere("X_Handle_Action_Bar");
    return 0;
}
