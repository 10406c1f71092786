/*
** x_funstd.h: the interface of a generated function to the VELMO runtime:
** its standard arguments and instance areas, the runtime blocks it
** reaches, and the vector, component, text and web services it calls.
** Declarations only.
*/
#ifndef X_FUNSTD_H
#define X_FUNSTD_H

#include "x_fldstd.h"
#include "x_objid.h"
#include "x_tblstd.h"
#include "x_bomstd.h"

struct X_LIST;
struct X_UIM;
struct X_ODBC_SELECT_2;
struct X_EXCHL2;
typedef struct X_EXCHL2 *PX_EXCHL2;

/* The exchange list as a validating function keeps it aside while its
   checks run: the number of fields and the first field's entry. */
struct X_EXCHL {
    X_SHORT sCount;
    PX_EXCHL2 pFirst;
};
struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;
struct FUNCTION_STATIC_GLOBAL_3;

/* The web pages' information of a job run by the web. */
struct X_WEB_INFO {
    X_CHAR chUseIFS;
    X_CHAR fchIFSFileName[256];
    X_CHAR fchIFSFileSuffix[256];
    X_CHAR fchIFSPath[256];
    X_CHAR fchIFSCodePage[16];
    X_CHAR fchIFSFileExtension[16];
    X_CHAR fchIFSPrimaryExtension[16];
    X_CHAR fchIFSSecondaryExtension[16];
};

/* The job's runtime block. */
struct X_IDS_COMPONENT {
    struct X_PRO *pX_ProComponent;
};

struct X_IDS {
    struct X_UIM *pX_UIM;
    struct X_IDS_COMPONENT *pX_IdsComponent;   /* the component's blocks */
    struct X_FUN *pActiveCompRtnX_Fun;        /* the active component routine's function block */
    struct X_WEB_INFO *pWebInfo;
    X_CHAR chExecutionState;
    X_CHAR chFatalError;
    X_CHAR chXVecAssignOption;          /* the scale of the next double stored (the vector routines) */
    X_CHAR vchNext[11];                 /* the next function asked for by a called one */
    X_CHAR vchStandardMessageFile[11];
    X_CHAR vchFileCheckRetCode[3];
    X_ULONG *pulNormalIOCounter;        /* the I/O counters of the module called last */
    X_ULONG *pulSServerIOCounter;
};

/* The process's runtime block. */
struct X_PRO {
    X_CHAR vchNextFunc[11];
    X_CHAR vchLastFunc[11];
    X_SHORT scX_ABar;                   /* the process's action bar */
    struct X_ABAR *pX_ABar;
};

/* A user-defined function key. */
struct X_UKEY {
    X_CHAR vchAID[3];
};

/* The function's runtime block: its instance of the third static area. */
struct X_FUN {
    X_PVOID pvGlobal3;
    X_CHAR vchName[11];
    X_SHORT sSequence;                  /* the command being run */
    X_CHAR chMode;                      /* display, add, change or delete */
    X_CHAR chError;
    X_CHAR chShutDown;
    X_CHAR vchLastAID[3];               /* the last function key */
    struct X_UKEY UKey[5];
    /* the panel being presented */
    X_CHAR vchDesc[41];                 /* the function's description */
    struct X_FLD *pX_Fld;
    X_SHORT scX_Fld;
    X_SHORT scX_CondEvaluate;
    struct X_COND_EVALUATE *pX_CondEvaluate;
    X_BOOL fAddPanelTitleAsWebText;
    X_BOOL fWebPanelHasDescription;
    X_PPVCHAR pWebTextTags;
    X_LONG lWebTextTagsLimit;
    X_SHORT sWebPageNumber;
    X_SHORT sWebTextOffset;
    X_SHORT scX_PanelFldExt;
    struct X_PANEL_FLD_EXT *pX_PanelFldExt;
    X_CHAR chChangeUsed;
    X_CHAR chDeleteUsed;
};

struct X_FKEY {
    X_CHAR chKey;
    X_CHAR chEnabled;
};
#define X_FKEY_TOTAL 26

/* One parameter passed between functions: a working list, a data
** structure or the block of a validation or evaluation call. */
struct X_PARM {
    X_SHORT sType;
    X_CHAR vchName[11];
    X_LONG sNumberOf;
    X_PVOID pValue;
};

typedef void (*PFNUIMVOIDFUNCTION)(void);

/* The arguments every generated function and routine receives, and their
** names when it passes them on. */
#define FUNCTION_STD_ARGS                                                                                     \
    struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld,                \
        struct X_LIST *pX_List, struct X_FKEY *X_FKey, struct FUNCTION_STATIC_GLOBAL_1 *pGlobal1,         \
        struct FUNCTION_STATIC_GLOBAL_2 *pGlobal2
#define FUNCTION_STD_PARMS pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, X_FKey, pGlobal1, pGlobal2
/* The arguments of a component routine, and their names. */
#define COMPONENT_STD_ARGS                                                                                    \
    struct X_COMP_SERVICES_POINT_REQUEST *pRequestBlock, X_PVOID *apvAgreedArgs, X_ULONG ulNoofNegotiableComps, \
        struct X_COMP_NEGOTIABLE_COMPONENT *aNegotiableComps
#define COMPONENT_STD_PARMS pRequestBlock, apvAgreedArgs, ulNoofNegotiableComps, aNegotiableComps
/* The cursor close routine of a SELECT or SELECT_SQL loop. */
typedef void (*PFNCURSORCLS)(FUNCTION_STD_ARGS);

/* The instance areas of the static working variables. */
#define INSTANCE(name) (pGlobal1->name)
#define INSTANCE_S2(name) (pGlobal2->name)
#define INSTANCE_S3(name) (((struct FUNCTION_STATIC_GLOBAL_3 *)(pX_Fun->pvGlobal3))->name)

#define X_VEC_ASSIGN_ROUND_UP 'R'
#define X_VEC_ASSIGN_TRUNCATE 'T'

extern X_PVCHAR pvchTRUE_STRING;
extern X_PVCHAR pvchFALSE_STRING;

void X_Return(FUNCTION_STD_ARGS);
void X_Close_Cursors(FUNCTION_STD_ARGS, X_LONG lEntryCursors);

/* ---- the field vector ---- */
X_PDICTIONARY_FIELD X_GET_INDEX(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField);
void X_SET_INDEX(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField);
X_PDICTIONARY_FIELD X_Vec_Apply_Index(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField);
void X_Vec_Set_Index(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField);
void X_Refresh_Field_Value(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *pField);
void X_Refresh_Component_Value(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *pField);
void X_Set_Remembered_Value(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField,
                            X_SHORT sKind);

/* The vector routines read a field's value as a long, a long long or a
** double (the double nearest to the field's decimal value), and store one
** into a field. A double is stored at the scale that the caller set in
** pX_Ids->chXVecAssignOption just before (16 for a floating-point value):
** the run time takes the decimal nearest to the double at that scale,
** which removes the binary representation error of a value that has no
** more decimals than that, and then cuts it to the field's decimals (a
** value to be rounded half up has already been moved by half a unit of
** the field). A value whose whole part does not fit the field ends the
** program (X_Fatal_Error). A store into a field that carries a field
** state clears its SQL-null bit. */
#define X_VECTOR_SERVICES(prefix)                                                                              \
    void prefix##Get_as_Short(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT, X_SHORT *); \
    void prefix##Get_as_Long(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT, X_LONG *);   \
    void prefix##Set_from_Short(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT, X_SHORT); \
    void prefix##Set_from_Long(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT, X_LONG);   \
    void prefix##Get_as_Double(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT,          \
                               X_PDOUBLE);                                                                      \
    void prefix##Set_from_Double(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT,        \
                                 X_DOUBLE);                                                                     \
    void prefix##Set_from_Vchar(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT,         \
                                const char *);                                                                  \
    void prefix##Set_from_String(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT,        \
                                 X_CHAR, const void *, const char *);                                           \
    void prefix##Get_as_Vchar(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT, size_t,   \
                              char *);
X_VECTOR_SERVICES(X_Vec_)
X_VECTOR_SERVICES(X_Comp_)

void X_Vec_Set_from_SysVar(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sField,
                           const char *pszSystemVariable);
void X_Vec_Assign(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *pSourceVector, X_SHORT sSource,
                  struct X_FLD *pTargetVector, X_SHORT sTarget);
void X_Vec_Assign_Identical_Field(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *pSourceVector,
                                  X_SHORT sSource, struct X_FLD *pTargetVector, X_SHORT sTarget, X_BOOL fConvert);

/* ---- multilingual texts ---- */
X_PVCHAR X_Get_MTxt(X_SHORT sText, X_SHORT sLanguage);
X_PVCHAR X_Get_MFld(X_SHORT sField, X_SHORT sLanguage, X_CHAR chKind);

/* ---- the web user-interface manager ---- */
void X_PDF_Switch_To_Web_UIM_DLL(struct X_IDS *, struct X_WEB_INFO *, X_MODULEHANDLE *, PFNUIMVOIDFUNCTION *);
void X_PDF_Restore_Original_UIM_DLL(struct X_IDS *, X_CHAR chExecutionState, X_MODULEHANDLE, PFNUIMVOIDFUNCTION);

/* ---- evaluation routines ---- */
#include "x_varexp.h"

/* ---- the commands ---- */
#include "x_cmdstd.h"
#include "x_comstd.h"

/* ---- the file commands and built-in function calls ---- */
#include "x_dbmstd.h"

/* ---- working lists, panels and reports ---- */
#include "x_lststd.h"
#include "x_pnlstd.h"
#include "x_rptstd.h"

#endif
