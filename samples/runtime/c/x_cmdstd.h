/*
** x_cmdstd.h: the run-time interface that the code of the language's
** commands calls: the ends of a function, subroutine or component routine,
** the I/O status codes, function modes and keys, the message handler, the
** validation checkers, calls, submission and the exchange list, the
** received and returned parameters, and the services of the generator's
** own evaluation routines. Declarations only.
*/
#ifndef X_CMDSTD_H
#define X_CMDSTD_H

/* Every module of a function is built in one unit. */
#define X_32BIT_COMPILER 1

/* Commands leave a label for every branch target, whether or not a branch
** names it. */
#pragma GCC diagnostic ignored "-Wunused-label"

typedef char *X_PCHAR;
typedef X_SHORT *X_PSHORT;
typedef char X_FCHAR;
typedef X_LONG X_COMP_DISPATCH_ID;

#define X_MAX_CHAR_FIELD_LEN 32767

/* ---- the ends of a function, a subroutine and a component routine ---- */
#define X_SUBR_NORMAL_END 0
#define X_SUBR_RETURNED 1
#define X_SUBR_FAILED 2
#define X_SUBR_ABORTED 3
#define X_SUBR_EXITED 4
#define X_SUBR_CANCELLED 5
#define X_SUBR_TRANSFERRED 6

void X_End_Main(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_SHORT sEnd);

/* The main function ends through its caller: each leaves the commands. */
#define X_MAIN_END(end) { X_End_Main(pX_Ids, pX_Pro, pX_Fun, (end)); return; }
#define X_MAIN_CHECK_FATAL(module) if (pX_Ids->chFatalError == YES) X_MAIN_END(X_SUBR_FAILED)
#define X_MAIN_ABORT(module) X_MAIN_END(X_SUBR_ABORTED)
#define X_MAIN_EXIT(module) X_MAIN_END(X_SUBR_EXITED)
#define X_MAIN_CANCEL(module) X_MAIN_END(X_SUBR_CANCELLED)
#define X_MAIN_RETURN(module) X_MAIN_END(X_SUBR_RETURNED)
#define X_MAIN_TRANSFER(module) X_MAIN_END(X_SUBR_TRANSFERRED)
#define X_MAIN_CHECK_EXECUTION(result, module) \
    if ((result) != X_SUBR_NORMAL_END && (result) != X_SUBR_RETURNED) X_MAIN_END(result)

/* A subroutine answers how it ended. */
#define X_SUBR_END(end) return (X_SHORT)(end);
#define X_SUBR_CHECK_FATAL if (pX_Ids->chFatalError == YES) X_SUBR_END(X_SUBR_FAILED)
#define X_SUBR_ABORT X_SUBR_END(X_SUBR_ABORTED)
#define X_SUBR_EXIT X_SUBR_END(X_SUBR_EXITED)
#define X_SUBR_CANCEL X_SUBR_END(X_SUBR_CANCELLED)
#define X_SUBR_RETURN X_SUBR_END(X_SUBR_RETURNED)
#define X_SUBR_TRANSFER X_SUBR_END(X_SUBR_TRANSFERRED)
#define X_SUBR_CHECK_EXECUTION(result) \
    if ((result) != X_SUBR_NORMAL_END && (result) != X_SUBR_RETURNED) X_SUBR_END(result)

/* A component routine answers a component return code. */
#define X_COMP_RETURN_OK 0L
#define X_COMP_RETURN_FALSE 0L
#define X_COMP_RETURN_TRUE 1L
#define X_COMP_RETURN_TRANSFER_REQUESTED 2L
#define X_COMR_FAILED -1L
#define X_COMR_END(end) return (X_COMP_RETURN_CODE)(end);
#define X_COMR_CHECK_FATAL if (pX_Ids->chFatalError == YES) X_COMR_END(X_COMR_FAILED)
#define X_COMR_ABORT X_COMR_END(X_COMR_FAILED)
#define X_COMR_EXIT X_COMR_END(X_SUBR_EXITED)
#define X_COMR_CANCEL X_COMR_END(X_SUBR_CANCELLED)
#define X_COMR_TRANSFER X_COMR_END(X_SUBR_TRANSFERRED)
#define X_COMR_CHECK_EXECUTION(result) \
    if ((result) != X_SUBR_NORMAL_END && (result) != X_SUBR_RETURNED) X_COMR_END(result)

/* ---- I/O status, function modes, keys ---- */
#define X_DBM_OKAY "OK"
#define X_DBM_VALIDATION_ERROR "VE"
#define X_DBM_FATAL_ERROR "ER"
#define X_DBM_NO_RECORD "NR"
#define X_DBM_END_FILE "EF"
#define X_DBM_BEGIN_FILE "BF"
#define X_DBM_NOT_EQUAL_KEY "NE"
#define X_DBM_EQUAL_KEY "EQ"

#define X_FUNCTION_MODE_DISPLAY 'D'
#define X_FUNCTION_MODE_ADD 'A'
#define X_FUNCTION_MODE_CHANGE 'C'
#define X_FUNCTION_MODE_DELETE 'X'
#define X_FUNCTION_MODE_SAME 'S'
#define X_FUNCTION_MODE_UNKNOWN '?'
#define X_FUNCTION_MODE_IS_DISPLAY (pX_Fun->chMode == X_FUNCTION_MODE_DISPLAY)
#define X_FUNCTION_MODE_IS_ADD (pX_Fun->chMode == X_FUNCTION_MODE_ADD)
#define X_FUNCTION_MODE_IS_CHANGE (pX_Fun->chMode == X_FUNCTION_MODE_CHANGE)
#define X_FUNCTION_MODE_IS_DELETE (pX_Fun->chMode == X_FUNCTION_MODE_DELETE)
void X_Reset_Function_Mode(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sModeField);
X_CHAR X_Determine_Mode(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_PDICTIONARY_FIELD pField);

#define X_UIM_OKAY_AID "EN"
#define X_UIM_EXIT_HI_AID "03"
#define X_UIM_EXIT_LO_AID "3L"
#define X_UIM_CANCEL_AID "12"
#define X_UIM_CREATE_AID "06"
#define X_UIM_CHANGE_AID "21"
#define X_UIM_DELETE_AID "23"
#define X_UIM_PROMPT_AID "04"
#define X_PNL_PUSH_BUTTON_01_AID "B1"
#define X_PNL_PUSH_BUTTON_02_AID "B2"
#define X_PNL_PUSH_BUTTON_03_AID "B3"
#define X_PNL_PUSH_BUTTON_04_AID "B4"
#define X_PNL_PUSH_BUTTON_05_AID "B5"
#define X_PNL_PUSH_BUTTON_06_AID "B6"
#define X_PNL_PUSH_BUTTON_07_AID "B7"
#define X_PNL_PUSH_BUTTON_08_AID "B8"
#define X_PNL_PUSH_BUTTON_09_AID "B9"
#define X_PNL_PUSH_BUTTON_10_AID "BA"
#define X_PNL_PUSH_BUTTON_11_AID "BB"
#define X_PNL_PUSH_BUTTON_12_AID "BC"
#define X_PNL_PUSH_BUTTON_13_AID "BD"
#define X_PNL_PUSH_BUTTON_14_AID "BE"
#define X_PNL_PUSH_BUTTON_15_AID "BF"
#define X_PNL_PUSH_BUTTON_16_AID "BG"
#define X_PNL_PUSH_BUTTON_17_AID "BH"
#define X_PNL_PUSH_BUTTON_18_AID "BI"
#define X_PNL_PUSH_BUTTON_19_AID "BJ"
#define X_PNL_PUSH_BUTTON_20_AID "BK"

/* ---- field values ---- */
void X_Vec_Substring(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sSource, X_SHORT sFromPos,
                     X_SHORT sFromLen, struct X_FLD *, X_SHORT sTarget, X_SHORT sToPos, X_SHORT sToLen);
void X_Vec_Substring2(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sSource, X_LONG lFromPos,
                      X_LONG lFromLen, struct X_FLD *, X_SHORT sTarget, X_LONG lToPos, X_LONG lToLen);
X_YES_NO X_Vec_Null(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField);
void X_Vec_Increment(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField, X_LONG lBy);

/* ---- messages ---- */
#define X_MESSAGE_TYPE_INFO 'I'
#define X_MESSAGE_TYPE_STATUS 'S'
#define X_MESSAGE_TYPE_WINDOW 'W'
#define X_STANDARD_TEXT_MESSAGE_ID "*NONE  "
void X_Handle_Message(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_CHAR chType, X_CHAR chOption,
                      const char *pszMsgId, const char *pszMsgFile, const char *pszText, X_SHORT sField,
                      X_SHORT scSubstitutions, const X_SHORT *psSubstitutions);
void X_Handle_Message_Abort(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_CHAR chType,
                            X_CHAR chOption, const char *pszMsgId, const char *pszMsgFile, const char *pszText,
                            X_SHORT sField, X_SHORT scSubstitutions, const X_SHORT *psSubstitutions);

/* ---- validation ---- */
#define X_ERROR_ACTION 'E'
#define X_NEXT_ACTION 'N'
#define X_ACCEPT_ACTION 'A'
void X_Comp_Set_Error_On(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField);
void X_Comp_Set_All_Errors_Off(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_SHORT scFields, struct X_FLD *);
#define X_CHECK_ARGUMENTS X_CHAR chIn, X_CHAR chOut, const char *pszMsgId, const char *pszMsgFile, \
    X_SHORT scSubstitutions, const X_SHORT *psSubstitutions, X_CHAR *pchResult
void X_Date_Check(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField,
                  const char *pszFormat, X_LONG lFrom, X_LONG lTo, X_CHECK_ARGUMENTS);
void X_Range_Check(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField, X_SHORT scRanges,
                   const X_SHORT *psBounds, X_CHECK_ARGUMENTS);
void X_Values_Check(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField, X_SHORT scValues,
                    const X_SHORT *psValues, X_CHECK_ARGUMENTS);
void X_Condition_Check(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField,
                       X_YES_NO chCondition, X_CHECK_ARGUMENTS);
void X_Complex_Logic_Check(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField,
                           const char *pszProgram, X_SHORT scParms, const X_SHORT *psParms, X_CHECK_ARGUMENTS);

/* ---- calls, submission, the exchange list ---- */
#define X_PROCESS_MENU "*MENU"
#define X_PROCESS_EXIT "*EXIT"
#define X_PROCESS_ERROR "*ERROR"
#define X_PROCESS_RETURN "*RETURN"
#define X_PARM_WORKING_LIST 1
#define X_PARM_DATA_STRUCTURE 2
#define X_PARM_VALIDATE_STRUCTURE 3
#define X_PARM_SYSVAR_STRUCTURE 4
void X_PDF_Execute_Function(struct X_IDS *, struct X_PRO *, struct X_FUN *, const char *pszFunction, X_LONG scParms,
                            struct X_PARM *pParms);
void X_PDF_Execute_Process(struct X_IDS *, struct X_PRO *, struct X_FUN *, const char *pszProcess,
                           const char *pszFunction, X_LONG scParms, struct X_PARM *pParms);
void X_PDF_Submit_Process(struct X_IDS *, struct X_PRO *, struct X_FUN *, const char *pszProcess,
                          const char *pszFunction, const char *pszReserved, struct X_FLD *, ...);
void X_Reset_List_Counter(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList,
                          struct X_LIST *);
void X_Start_Call_ZOPH_from_ZOPHX(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_PPVOID ppvTrack);
void X_End_Call_ZOPH_from_ZOPHX(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_PPVOID ppvTrack);
void X_Put_To_Exchange_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                            X_PVOID psFields);
void X_Get_From_Exchange_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *);

/* ---- received and returned parameters ---- */
struct X_VALIDATE {
    X_CHAR vchName[X_OBJECT_NAME_LEN + 1];
    X_SHORT sLen;
    X_SHORT sDec;
    X_CHAR vchValue[256];
    X_CHAR chRetCode;
};
struct X_SYSVAR {
    X_CHAR vchName[X_OBJECT_NAME_LEN + 2];
    struct X_FLD *pX_Fld;
    X_SHORT svResult;
};
void X_Receive_Working_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList,
                            struct X_LIST *, X_SHORT sParm, X_SHORT scParms, struct X_PARM *);
void X_Return_Working_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList,
                           struct X_LIST *, X_SHORT sParm, X_SHORT scParms, struct X_PARM *);
X_YES_NO X_Locate_Data_Structure(struct X_IDS *, struct X_PRO *, struct X_FUN *, const char *pszName, size_t ulSize,
                                 X_PCHAR pchArea);
void X_Clear_Data_Structures(struct X_IDS *, struct X_PRO *, struct X_FUN *);
void X_Store_Data_Structure(struct X_IDS *, struct X_PRO *, struct X_FUN *, const char *pszName, size_t ulSize,
                            X_PCHAR pchArea);
void X_Handle_Trigger_Info(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_CHAR chDirection, struct X_FLD *,
                           X_SHORT sList, struct X_LIST *, X_SHORT sOperation, X_SHORT sReturnCode, X_SHORT scParms,
                           struct X_PARM *);
void X_Vec_Assign_from_Data_Structure(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_PVOID pvMember,
                                      struct X_FLD *, X_SHORT sField);
void X_Vec_Assign_to_Data_Structure(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField,
                                    X_PVOID pvMember);

/* ---- the generator's own evaluation routines ---- */
#define X_PDF_MATH_ADD 1
#define X_PDF_MATH_SUBTRACT 2
#define X_PDF_MATH_DIVIDE 3
#define X_PDF_MATH_MULTIPLY 4
X_LONG X_Vec_Compare(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sLeft, struct X_FLD *,
                     X_SHORT sRight);
void X_PDF_Math(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_SHORT sOperation, struct X_FLD *, X_SHORT sResult,
                struct X_FLD *, X_SHORT sOperand, struct X_FLD *, X_SHORT sTarget);

#endif
