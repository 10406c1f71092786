/*
** x_tblstd.h: the runtime's tables that a generated function defines and
** the services it calls with them: languages and descriptions, conditions
** and renames, working and browse lists, multilingual texts and field
** texts, the debug arrays, report, cursor and KEEP_LAST tracking, database
** connections and POINT overrides, built-in function calls, component
** records and exchange vectors. Declarations only.
*/
#ifndef X_TBLSTD_H
#define X_TBLSTD_H

#include "x_fldstd.h"

struct X_IDS;
struct X_PRO;
struct X_FUN;
struct X_FKEY;
struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;

#define X_OBJECT_NAME_LEN 10
#define X_FUNCTION_NAME_LEN 7
#define X_DBM_RETURN_CODE_LEN 2
#define X_EXECUTION_STATE_SERVER_WEB_JOB 'W'

/* ---- languages and descriptions ---- */
struct X_LANG {
    X_PVCHAR pszLanguage;
    X_CHAR chDirection;        /* 'D' double-byte, 'R' right to left, else 'L' */
};

/* ---- conditions and renames ---- */
struct X_COND {
    X_YES_NO chTrue;
};

struct X_RENAME_STACK {
    X_CHAR fchFile[10];
    X_CHAR fchFileField[10];
    X_CHAR fchField[10];
};

/* ---- lists ---- */
/* The map of a list field onto the function's field vector. */
struct X_LMAP {
    X_SHORT sVector;
    X_SHORT sMap;
};

struct X_LIST_OPERATIONS;

/* The members a list's definition row initialises after its entry counts,
** in row order. The runtime fills the operation table; the eight flags are
** the screening switches of a SELECTLIST loop. */
#define X_LIST_MEMBERS                                                                                       \
    X_SHORT sFld;                                                                                            \
    struct X_FLD *pX_Fld;                                                                                    \
    X_SHORT sConditions;                                                                                     \
    struct X_COND *pX_Cond;                                                                                  \
    struct X_LMAP *pMap;                                                                                     \
    X_SHORT sEntryCount;                                                                                     \
    X_CHAR chExchange;                                                                                       \
    X_CHAR chChangeTracking;                                                                                 \
    X_SHORT svCounter, svPageSize, svTopEntry, svSelEntry, svScrollText, svFurther;                          \
    X_PVOID pvEntry;                                                                                         \
    struct X_LIST_OPERATIONS *pOperationTable;                                                               \
    X_PVOID pvArgument;                                                                                      \
    X_YES_NO chScreening, chOSelected, chOAltered, chONotNull, chODisplay, chOAdd, chOChange, chODelete;

/* A list of the first version: after the entry size and limit, the count
** of its entries and the current entry (rows give 0 and 0). */
struct X_LIST {
    const char *pszName;
    X_CHAR chKind;             /* 'W' working, 'B' browse, 'C' component */
    X_ULONG ulEntrySize;
    X_LONG lMaxEntries;
    X_SHORT sCurrentEntrys;
    X_SHORT sCurrentEntry;
    X_LIST_MEMBERS
};

/* The same list held in a table of the second version's elements. */
typedef struct X_LIST_1_S {
    const char *pszName;
    X_CHAR chKind;
    X_ULONG ulEntrySize;
    X_LONG lMaxEntries;
    X_SHORT sCountEntrys1;
    X_SHORT sCurrentEntry1;
    X_LIST_MEMBERS
} X_LIST_1;

/* A list of the second version: the version word follows the kind, the
** counts are long. */
#define X_LIST_V2 2
typedef X_LONG X_LIST_COUNT;
typedef struct X_LIST_2_S {
    const char *pszName;
    X_CHAR chKind;
    X_LONG lVersion;
    X_ULONG ulEntrySize;
    X_LONG lMaxEntries;
    X_LIST_COUNT lcCountEntrys;
    X_LIST_COUNT lcCurrentEntry;
    X_LIST_MEMBERS
    X_LONG lLayout;
} X_LIST_2;

/* The run-time data of a list a built-in function program receives. */
struct X_LIST_DATA {
    X_PVOID pvEntries;
    X_LONG lEntries;
};

/* The work pointers to a list of either version that the routines of a
** run that uses the two-level list tables declare. */
#define X_DECLARE_WORK_LISTS                                                                                          \
    X_LIST_1 *pList_1 = pX_NULL;                                                                                      \
    X_LIST_2 *pList_2 = pX_NULL;                                                                                      \
    (void)pList_1;                                                                                                    \
    (void)pList_2;

#define X_LIST_COUNT_ENTRYS X_List_Count_Entries(X_LIST_PTR)
#define X_CAST_LIST_FROM_NO(list, number, fun) X_LIST_PTR = X_List_From_Number((list), (number), (fun));
extern X_PVOID X_LIST_PTR;
X_PVOID X_List_From_Number(struct X_LIST *pX_List, X_SHORT sList, struct X_FUN *pX_Fun);
X_LONG X_List_Count_Entries(X_PVOID pvList);

void X_Create_List_Instances(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_SHORT sLists, struct X_LIST *pDefinitions,
                             struct X_LIST **ppX_List);
void X_Create_List_Instances_2(struct X_IDS *, struct X_PRO *, struct X_FUN *, X_SHORT sLevel1, X_LIST_1 *pLevel1,
                               X_SHORT sLevel2, X_LIST_2 *pLevel2, struct X_LIST **ppX_List);

/* ---- multilingual texts and field texts ---- */
struct X_MTXT {
    X_PVCHAR pszText;
};

struct X_MFLD {
    X_PVCHAR pszLabel;
    X_PVCHAR apszHeadings[3];
    X_PVCHAR pszDescription;
};

void X_Register_Language_Table(struct X_IDS *, const struct X_LANG *pTable, X_SHORT sLanguages,
                               const X_PVCHAR *ppszDescriptions);
void X_Register_Multilingual_Texts(struct X_IDS *, const struct X_MTXT *pTexts, X_SHORT sTexts);
void X_Register_Field_Texts(struct X_IDS *, const struct X_MFLD *pTexts, X_SHORT sFields);

/* ---- debug arrays ---- */
struct X_DEBUG_ARRAY {
    const char *pszName;
    X_LONG lEntries;
};
void X_Register_Debug_Arrays(struct X_IDS *, const struct X_DEBUG_ARRAY *pArrays, X_SHORT sArrays,
                             const X_SHORT *psBounds);

/* ---- KEEP_LAST tracking, database connections, POINT overrides ---- */
struct X_KEEP_LAST {
    X_PVOID pEntries;
    X_LONG lEntries;
};
void X_Free_Last(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_KEEP_LAST *pLast,
                 X_SHORT sKeys, X_PVOID pvKeys, X_SHORT sData, X_PVOID pvData);

struct X_DBM;

#define X_CONNECT_DB_V4 4
struct X_CONNECT_DATABASE {
    X_SHORT sVersion;
    X_CHAR vchSSN[33];
    X_CHAR vchDatabaseId[129];
    X_CHAR vchParameters[257];
    X_CHAR vchRRNPath[261];
    X_CHAR vchDatabaseType[33];
    X_CHAR chConnected;
    X_CHAR chFatalError;
    X_CHAR chEncrypted;
    X_CHAR chODBA;
    X_CHAR chODBI;
    X_PVOID pConnectionInfo;
    X_PVOID pDBMSInfo;
    struct X_CONNECT_DATABASE *pNext;
    X_PVOID pfnUserIO;
    X_PVOID pfnUserIONative;
    X_BOOL fActiveTransaction;
};
struct X_CONNECT_DATABASE *X_Locate_Database_Connect(struct X_IDS *, struct X_PRO *, struct X_FUN *,
                                                     const char *pszDatabaseId);
X_PVOID X_Create_Database_Connect(struct X_IDS *, struct X_PRO *, struct X_FUN *);

typedef struct X_POINT_FILE {
    X_CHAR vchFilePoint[11];
    X_CHAR vchLibrary[11];
    X_CHAR vchMember[11];
} X_POINT_FILE;

/* ---- variable-length fields ---- */


/* ---- built-in functions ---- */
struct X_BIF {
    X_SHORT sUID;
    X_CHAR chShutDown;
    X_CHAR chReturnCode;
};

#define X_PARM_BIF_CALLER_PX_FUN 1
#define X_PARM_BIF_CALLER_PX_BIF 2

struct X_PARM;
void X_PDF_Execute_User_BIF(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_BIF *pBif, X_CHAR chFlag,
                            struct X_FLD *pX_Fld, struct X_LIST *pX_List, X_SHORT sArguments, X_SHORT *psArguments,
                            X_SHORT sReturns, X_SHORT *psReturns);

/* The parameter rows of a built-in function program. */
enum X_BIFPARM_KIND { X_BIFPARM_ALPHA = 1, X_BIFPARM_NUMERIC, X_BIFPARM_LIST, X_BIFPARM_EITHER };
#define V_BIF_ARG_ALREADY_INITIALIZED 1
struct X_BIFPARM {
    X_LONG lRow;
    X_BOOL fRequired;
    X_LONG lKind;
    X_SHORT sVector;
    X_LONG alLimits[4];
    X_SHORT sState;
};
void X_Register_Bif_Parameters(struct X_IDS *, const struct X_BIFPARM *pArguments, X_SHORT sArguments,
                               const struct X_BIFPARM *pReturns, X_SHORT sReturns);

/* ---- component records and exchange ---- */
#define X_DRD_CURRENT 1
struct X_DRD {
    X_LONG lVersion;
    X_PVCHAR pszName;
    X_ULONG ulRecordLength;
    X_LONG lFields;
    struct X_FLD *pX_Fld;
    struct X_LMAP *pMap;
    X_ULONG *pOffsetTable;
    X_PVOID pvRecord;
    X_PVOID pvReserved;
};

#define V_MAXIMUM_VALUE 0x4000
struct X_VECTOR_COMPONENT_EXCHANGE {
    X_USHORT usExchange;
    X_SHORT sVector;
};

#define COMPONENT_STD_FUNCTION X_LONG

#endif
