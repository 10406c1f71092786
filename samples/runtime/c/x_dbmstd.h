/*
** x_dbmstd.h: the run-time interface that the code of the file commands
** calls: the argument block of an I/O request and its tables, the I/O
** module dispatcher and module bindings, status conversion and renames,
** KEEP_LAST, commitment control, the file checker, SELECT request blocks,
** SELECT_SQL information entries, and the built-in function call blocks.
** Declarations only.
*/
#ifndef X_DBMSTD_H
#define X_DBMSTD_H

#include "x_bifstd.h"

/* Every request declares the flag that POINT overrides raise, whether or
** not a POINT names its file. */
#pragma GCC diagnostic ignored "-Wunused-variable"

/* ---- the argument block of an I/O request ---- */
#define X_DBM_V9 9L
enum X_DBM_REQUEST {
    X_DBM_FETCH = 1, X_DBM_FETCH_NEXT, X_DBM_DELETE, X_DBM_DELETE_NEXT, X_DBM_UPDATE, X_DBM_UPDATE_NEXT,
    X_DBM_INSERT, X_DBM_SELECT, X_DBM_SELECT_NEXT, X_DBM_CHECK_FOR, X_DBM_OPEN, X_DBM_CLOSE, X_DBM_CURSOR_CLOSE
};
#define X_DBM_COMMIT_NO 'N'
#define X_DBM_COMMIT_YES 'Y'
#define X_DBM_COMMIT_FILE 'F'
#define X_DBM_ENDWHERE_NO 'N'
#define X_DBM_ENDWHERE_YES 'Y'
#define X_DBM_ENDWHERE_SQL 'S'
#define X_FILE_LIB_DFT "*LIBL"
#define X_FILE_MBR_DFT "*FIRST"
#define X_DBM_NAME_LEN 10

typedef struct X_MODULE_BINDING {
    X_LONG lBindingState;
    X_PVOID pvModule;
} X_Module_Binding;
#define X_MODULE_BINDING_OAM_UNBOUND 0L

struct X_DBM_WHERE;
struct X_DBM_EXPRESSION_COMPONENT;
struct X_DBM_EXPRESSION_ACTIVITY;
struct X_DBM_OPNQRYF;

struct X_DBM {
    X_LONG lX_DBMVersion;
    X_CHAR vchTableName[X_DBM_NAME_LEN + 1];
    X_SHORT sDBMRequest;
    X_CHAR vchReturnCode[X_DBM_RETURN_CODE_LEN + 1];
    X_SHORT sCursorID;
    struct X_FLD *pX_Fld;
    X_SHORT scGrpFlds;
    X_SHORT *psGrpFlds;
    X_SHORT scKeyFlds;
    X_SHORT *psKeyFlds;
    X_CHAR chWhereZOPH;
    X_SHORT scWhere;
    struct X_DBM_WHERE *pWhere;
    X_CHAR chWithRRNO;
    X_SHORT sWithRRNO;
    X_CHAR chRetRRNO;
    X_SHORT sRetRRNO;
    X_CHAR chMsgReqd;
    X_CHAR chValOnly;
    X_CHAR chActionRow;
    X_CHAR chGeneric;
    X_CHAR chBackwards;
    X_CHAR chStartKey;
    X_CHAR chEndWhere;
    X_CHAR chAutoCommit;
    X_CHAR chOPNQRYF;
    struct X_DBM_OPNQRYF *pOPNQRYF;
    X_CHAR chForceClose;
    X_SHORT sSequence;
    X_SHORT scXComponent;
    struct X_DBM_EXPRESSION_COMPONENT *pXComponent;
    X_SHORT scXActivity;
    struct X_DBM_EXPRESSION_ACTIVITY *pXActivity;
    X_CHAR vchPhysical[X_DBM_NAME_LEN + 1];
    X_CHAR chKeepOpen;
    const char *pvchFile;
    X_CHAR chTrigger;
    X_CHAR chDuplicate;
    X_PVOID pDatabase;
    X_CHAR chSystem;
    X_BOOL fUseNativeIO;
    X_BOOL fExternal;
    X_CHAR vchCollection[X_DBM_NAME_LEN + 1];
    X_CHAR chLock;
    X_CHAR vchMember[X_DBM_NAME_LEN + 1];
    X_CHAR vchBaseMbr[X_DBM_NAME_LEN + 1];
    X_SHORT scEvaluations;
    X_SHORT *psEvaluations;
    X_Module_Binding *pModuleBinding;
    X_CHAR vchFilePoint[X_DBM_NAME_LEN + 1];
};

/* The run-time query of OPEN ... USE_OPTION(*OPNQRYF). */
#define X_DBM_OPNQRYF_SELECT_ALL (-1)
#define X_DBM_OPNQRYF_KEY_NONE (-1)
#define X_DBM_OPNQRYF_KEY_FILE (-2)
struct X_DBM_OPNQRYF {
    X_SHORT sStructSize;
    X_SHORT sQrysltVector;
    X_SHORT sKeyfldVector;
    X_CHAR vchAlwcpydta[5];
    X_CHAR vchOptimize[9];
    X_CHAR vchSeqonly1[5];
    X_LONG sSeqonly2;
    X_CHAR vchCommit[5];
    X_CHAR vchType[9];
};

/* ---- the WHERE handed to the I/O module ---- */
enum X_DBM_WHERE_CODE {
    X_DBM_WHERE_NAME = 1, X_DBM_WHERE_VALUE, X_DBM_WHERE_SQLNULL, X_DBM_WHERE_OB, X_DBM_WHERE_CB, X_DBM_WHERE_AD,
    X_DBM_WHERE_SU, X_DBM_WHERE_MU, X_DBM_WHERE_DV, X_DBM_WHERE_EQ, X_DBM_WHERE_NE, X_DBM_WHERE_LT, X_DBM_WHERE_LE,
    X_DBM_WHERE_GT, X_DBM_WHERE_GE, X_DBM_WHERE_AN, X_DBM_WHERE_OR
};
struct X_DBM_WHERE {
    X_SHORT sCode;
    X_SHORT sVector;
};
enum X_DBM_COMPONENT_KIND {
    X_DBM_COMPONENT_FIELD_NAME = 1, X_DBM_COMPONENT_FIELD_VALUE, X_DBM_COMPONENT_ALP_RESULT,
    X_DBM_COMPONENT_NUM_RESULT, X_DBM_COMPONENT_LGL_RESULT, X_DBM_COMPONENT_SQLNULL_VALUE
};
struct X_DBM_EXPRESSION_COMPONENT {
    X_SHORT sKind;
    X_SHORT sVector;
};
enum X_DBM_ACTIVITY_CODE {
    X_DBM_ACTIVITY_IF = 1, X_DBM_ACTIVITY_AN, X_DBM_ACTIVITY_OR, X_DBM_ACTIVITY_AD, X_DBM_ACTIVITY_SU,
    X_DBM_ACTIVITY_MU, X_DBM_ACTIVITY_DV, X_DBM_ACTIVITY_EQ, X_DBM_ACTIVITY_NE, X_DBM_ACTIVITY_LT, X_DBM_ACTIVITY_LE,
    X_DBM_ACTIVITY_GT, X_DBM_ACTIVITY_GE, X_DBM_ACTIVITY_MB, X_DBM_ACTIVITY_ZA
};
struct X_DBM_EXPRESSION_ACTIVITY {
    X_SHORT sActivity;
    X_SHORT sFirst;
    X_SHORT sSecond;
    X_SHORT sResult;
};

/* ---- the I/O module ---- */
void X_PDF_Execute_IO_Module(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM,
                             const char *pszModule);
void X_Compute_Keys(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_DBM *pX_DBM);
void X_Check_Key_Count(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_DBM *pX_DBM,
                       X_SHORT sCountField);

/* The status the last request left, and its conversions. */
#define X_GET_IO_STATUS(block) memcpy(INSTANCE(vchLastIOStatus), (block).vchReturnCode, X_DBM_RETURN_CODE_LEN + 1);
#define X_CONVERT_IO_STATUS(from, to)                                                                  \
    if (memcmp(INSTANCE(vchLastIOStatus), (from), X_DBM_RETURN_CODE_LEN) == 0) {                        \
        memcpy(INSTANCE(vchLastIOStatus), (to), X_DBM_RETURN_CODE_LEN);                                 \
    }

/* Fields of a file known in the function under other names. */
typedef struct __attribute__((unused)) X_FUN_RENAMES {
    const char *pszFile;
    X_SHORT sRenamed;
    X_SHORT sOriginal;
} X_FUN_RENAMES;
void X_Clear_Rename_Stack(struct X_IDS *, struct X_FUN *);
void X_Apply_Rename(struct X_IDS *, struct X_FUN *, struct X_FLD *, X_SHORT sRenamed, X_SHORT sOriginal);
void X_Remove_Renames(struct X_IDS *, struct X_FUN *, struct X_FLD *);
#define X_CLEAR_RENAME_STACK X_Clear_Rename_Stack(pX_Ids, pX_Fun);
#define X_APPLY_RENAME(renamed, original) X_Apply_Rename(pX_Ids, pX_Fun, pX_Fld, (renamed), (original));
#define X_REMOVE_RENAMES X_Remove_Renames(pX_Ids, pX_Fun, pX_Fld);

/* ---- KEEP_LAST, commitment control, the file checker ---- */
void X_Search_Last(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_KEEP_LAST *pLast,
                   X_SHORT sKeys, X_PSHORT psKeys, X_SHORT sData, X_PSHORT psData, X_PCHAR pchStatus);
void X_Store_Last(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_KEEP_LAST *pLast,
                  X_SHORT sKeys, X_PSHORT psKeys, X_SHORT sData, X_PSHORT psData, X_LONG lKeep);
X_LONG X_Commit_DBMS(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM);
X_LONG X_DBM_Commit(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM);
X_LONG X_Rollback_DBMS(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM);
X_LONG X_DBM_Rollback(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM);
void X_Code_File_Check_2(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM, const char *pszFile,
                         const char *pszField, X_SHORT scKeys, X_PSHORT psKeys, X_CHECK_ARGUMENTS);

/* ---- SELECT loops ---- */
/* A selection routine answers YES while it has a record. */
#define F_YES_NO_FUNCTION X_YES_NO
X_PVOID X_PDF_Allocate_Memory(struct X_IDS *, struct X_PRO *, struct X_FUN *, size_t ulSize);
void X_PDF_Free_Memory(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_PVOID pvMemory);

/* ---- SELECT_SQL information entries ---- */
/* The run time reaches every database through its generic ODBC layer. */
#define F_USE_GENERIC_ODBC 1
#define X_ODBC_SELECT_V1 1
enum X_ODBC_SELECT_INFO {
    X_ODBC_SELECT_HANDLE = 1, X_ODBC_SELECT_IO_STATUS, X_ODBC_SELECT_DISTINCT_OPTION, X_ODBC_SELECT_USING,
    X_ODBC_SELECT_COLUMN_FIELD, X_ODBC_SELECT_COLUMN, X_ODBC_SELECT_COLLECTION, X_ODBC_SELECT_TABLE,
    X_ODBC_SELECT_CORRELATION, X_ODBC_SELECT_WHERE_FIELD, X_ODBC_SELECT_WHERE_REF_FIELD, X_ODBC_SELECT_WHERE,
    X_ODBC_SELECT_GROUP_BY_FIELD, X_ODBC_SELECT_GROUP_BY, X_ODBC_SELECT_HAVING_FIELD, X_ODBC_SELECT_HAVING_REF_FIELD,
    X_ODBC_SELECT_HAVING, X_ODBC_SELECT_ORDER_BY_FIELD, X_ODBC_SELECT_ORDER_BY
};
struct X_ODBC_SELECT_2 {
    X_ULONG ulSize;
    X_SHORT sVersion;
    X_CHAR chInfoType;
    X_ULONG ulInfoValue1;
    X_ULONG ulInfoValue2;
    const char *pvchInfoValue3;
    const char *pvchRealName;
};
#define X_DBM_HANDLE_SELECT_SQL_READ_2 21
#define X_DBM_HANDLE_SELECT_SQL_CLOSE_2 22
X_LONG X_DBM_Operation(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_SHORT sOperation, X_PVOID pvRequest,
                       X_LONG lEntries, X_PVOID pvInfo);
#define X_DBM_OP(result, operation, request, entries, info) \
    (result) = X_DBM_Operation(pX_Ids, pX_Pro, pX_Fun, (operation), (request), (entries), (info));
void X_Check_File_Redirected(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM,
                             X_PCHAR pchPhysical);
void X_Check_Database_SSN(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_DBM *pX_DBM, X_BOOL fConnection,
                          struct X_CONNECT_DATABASE *pConnection);

/* ---- built-in function calls ---- */
#define X_PARM_BIF_DEFAULT_ARG_INFO 5
#define X_PARM_BIF_DEFAULT_RET_INFO 6
struct _X_ZOPH_BIF_DEFAULT {
    X_CHAR chType;
    X_SHORT sLength;
    X_SHORT sDecimals;
    const char *pszDefault;
};

#endif
