/*
** x_objid.h: how a generated module describes itself to the VELMO runtime:
** the rows of its identification table and the function definition record.
** Declarations only.
*/
#ifndef X_OBJID_H
#define X_OBJID_H

#include "x_glodef.h"

/* ---- identification table ---- */
typedef struct X_OBJ_ID_TEXT {
    const X_CHAR *pszValue;
} X_OBJ_ID_OBJECT_TYPE, X_OBJ_ID_OBJECT_NAME, X_OBJ_ID_OBJECT_EXT, X_OBJ_ID_DLL_NAME, X_OBJ_ID_BUILD_DATE,
    X_OBJ_ID_BUILD_TIME, X_OBJ_ID_COLLECTION_NAME;
typedef struct X_OBJ_ID_SWITCH {
    X_BOOL fValue;
} X_OBJ_ID_SUPPORTS_COMPONENTS, X_OBJ_ID_IS_PC_OTHER_FILE, X_OBJ_ID_SUPPORTS_ISERIES_FEATURES;
typedef struct X_OBJ_ID_BUILD_NUMBER {
    X_LONG lBuildNumber;
    const X_CHAR *pszVersion;
    const X_CHAR *pszBuildDate;
    const X_CHAR *pszCopyrightYears;
} X_OBJ_ID_BUILD_NUMBER;

#define X_OBJ_ID_OBJECT_TYPE_OPTION 0
#define X_OBJ_ID_OBJECT_NAME_OPTION 1
#define X_OBJ_ID_OBJECT_EXT_OPTION 2
#define X_OBJ_ID_DLL_NAME_OPTION 3
#define X_OBJ_ID_BUILD_DATE_OPTION 4
#define X_OBJ_ID_BUILD_TIME_OPTION 5
#define X_OBJ_ID_SUPPORTS_COMPONENTS_OPTION 6
#define X_OBJ_ID_COLLECTION_NAME_OPTION 7
#define X_OBJ_ID_BUILD_NUMBER_OPTION 8
#define X_OBJ_ID_IS_PC_OTHER_FILE_OPTION 9
#define X_OBJ_ID_SUPPORTS_ISERIES_FEATURES_OPTION 10

/* One row: an option constant and its value; -1 and no value end it. */
typedef struct X_OBJ_ID_TABLE {
    X_LONG lOption;
    const void *pvValue;
} X_OBJ_ID_TABLE;

/* ---- function definition record ---- */
#define X_FUN_V18 18
#define V_NOT_AVAILABLE (-1)

/* Function states of the record's state word. */
#define FuncIsLanguageLevelTwo 0x0001
#define FuncIsFullZophxUsed 0x0002
#define FuncIsZophxUsed 0x0004
#define FuncIsStrictSqlNullAssign 0x0008
#define FuncIsSizingInfoInGlobals 0x0010

typedef struct X_FUN_DEFINITION {
    X_LONG lVersion;
    const X_CHAR *pszProcess, *pszFunction, *pszLibrary, *pszMessageFile;
    X_LONG lReserved1;
    X_YES_NO chUsage, chReserved2, chMessages;
    X_CHAR chMode;
    X_YES_NO chReserved3, chReserved4;
    const X_CHAR *pszKeyPrefix;
    X_CHAR achUserKeys[5][3];
    X_YES_NO chReserved5;
    X_LONG lReserved6;
    X_PVOID pvReserved7;
    X_YES_NO chReserved8;
    X_SHORT sCursorLocationField;
    X_LONG lReserved9;
    X_PVOID pvReserved10;
    X_LONG lReserved11;
    X_PVOID pvReserved12;
    X_LONG lReserved13;
    X_PVOID pvReserved14;
    X_SHORT sIoModeField;
    X_LONG lReserved15;
    X_PVOID pvReserved16;
    X_PVOID pvReserved17, pvReserved18;
    X_BOOL fReserved19, fReserved20;
    X_PVOID pvReserved21;
    X_LONG lReserved22;
    X_PVOID pvReserved23;
    X_LONG lReserved24, lReserved25;
    X_BOOL fReserved26;
    X_LONG lReserved27, lReserved28;
    X_PVOID pvReserved29, pvReserved30, pvReserved31;
    X_LONG lReserved32;
    X_BOOL fWebEnabled;
    X_LONG lReserved33;
    X_BOOL fReserved34, fReserved35;
    X_PVOID pvReserved36;
    X_LONG lReserved37;
    X_ULONG ulFunctionState;
    X_PVOID pvReserved38;
    X_LONG lRenameCount;
    const void *pvRenames;
} X_FUN_DEFINITION;

/* What a generated module hands to the runtime. */
X_OBJ_ID_TABLE *X_Get_Module_Identification(void);
X_FUN_DEFINITION *X_Get_Function_Definition(void);

#endif
