/*
** x_lststd.h: the run-time interface of the working-list commands: the
** operation table of a working list, the entry routines of the other
** lists, the screening of a SELECTLIST loop and the common list element
** of a run that uses the two-level list tables. Declarations only.
*/
#ifndef X_LSTSTD_H
#define X_LSTSTD_H

struct X_IDS;
struct X_PRO;
struct X_FUN;
struct X_FLD;
struct X_COND;

/* The routines of a working list's operation table; the generated code
** declares pointers to them. */
struct X_LIST;
typedef void X_Add_Entry_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *,
                               X_SHORT sList, struct X_LIST *, X_YES_NO chCount, X_YES_NO chInitialise, X_CHAR chMode,
                               X_YES_NO chConditions);
typedef void X_Add_Entry_After_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *,
                                     X_SHORT sList, struct X_LIST *, X_YES_NO chCount, X_YES_NO chInitialise,
                                     X_CHAR chMode, X_YES_NO chConditions, X_LONG lAfter, X_LONG *plAdjustment);
typedef void X_Upd_Entry_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *,
                               X_SHORT sList, struct X_LIST *, X_CHAR chMode, X_YES_NO chConditions);
typedef void X_Dlt_Entry_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_LONG lEntry,
                               X_SHORT sList, struct X_LIST *, X_LONG *plAdjustment);
typedef void X_Drop_Entries_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList,
                                  struct X_LIST *, X_YES_NO chAll);
typedef void X_Inz_Entries_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *,
                                 X_SHORT sList, struct X_LIST *, X_YES_NO chCount, X_YES_NO chInitialise,
                                 X_LONG lEntries, X_CHAR chMode);
typedef X_YES_NO X_Get_Entry_Ext_Fcn(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *,
                                     X_SHORT sList, struct X_LIST *, X_LONG lEntry, X_YES_NO chConditions,
                                     X_CHAR *pchChanged, X_BOOL fDisassemble);
struct X_LIST_OPERATIONS {
    X_Add_Entry_Fcn *pfnAddEntry;
    X_Add_Entry_After_Fcn *pfnAddEntryAfter;
    X_Dlt_Entry_Fcn *pfnDltEntry;
    X_Drop_Entries_Fcn *pfnDropEntries;
    X_Inz_Entries_Fcn *pfnInzEntries;
    X_Upd_Entry_Fcn *pfnUpdEntry;
    X_Get_Entry_Ext_Fcn *pfnGetEntryExt;
};

/* The entry routines of a browse or component list: the list receives the
** function's conditions and copies the entry itself. */
void X_Add_Entry(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *, X_SHORT sList,
                 struct X_LIST *, X_YES_NO chCount, X_YES_NO chInitialise, X_CHAR chMode, X_YES_NO chConditions);
void X_Add_Entry_After(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *, X_SHORT sList,
                       struct X_LIST *, X_YES_NO chCount, X_YES_NO chInitialise, X_CHAR chMode, X_YES_NO chConditions,
                       X_SHORT sAfterField, X_LONG *plAdjustment);
void X_Upd_Entry(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *, X_SHORT sList,
                 struct X_LIST *, X_CHAR chMode, X_YES_NO chConditions);
void X_Dlt_Entry(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sEntryField, struct X_LIST *,
                 X_SHORT sList, X_LONG *plAdjustment);
void X_Inz_Entries(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *, X_SHORT sList,
                   struct X_LIST *, X_YES_NO chCount, X_YES_NO chInitialise, X_LONG lEntries, X_CHAR chMode);
void X_Drop_Entries(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList, struct X_LIST *,
                    X_YES_NO chAll);
X_CHAR X_Get_Entry(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *, X_SHORT sList,
                   struct X_LIST *, X_SHORT sEntry, X_YES_NO chConditions, X_CHAR *pchChanged);
X_CHAR X_Get_Entry_2(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_COND *, X_SHORT sList,
                     struct X_LIST *, X_LIST_COUNT lcEntry, X_YES_NO chConditions, X_CHAR *pchChanged);
void X_DisAssemble_Entry(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList,
                         struct X_LIST *, X_YES_NO *pchMode, X_YES_NO *pchChanged, X_YES_NO chFields);
void X_Set_Component_List_Entry_Count(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, struct X_LIST *,
                                      X_SHORT sList);
void X_Set_Error_States(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList,
                        struct X_LIST *, X_YES_NO chError);

/* SORT_LIST: the list sorted by its comparison routine, which compares two
   list entries as qsort's does. */
typedef int X_SORT_COMPARE_FCN(const void *pvLeft, const void *pvRight);
void X_Sort_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT sList, struct X_LIST *,
                 X_SORT_COMPARE_FCN *pfnCompare);

/* The list made current by X_CAST_LIST_FROM_NO, whatever its version. */
#define X_LIST_COMMON_ELEMENT(member) (((struct X_LIST *)X_LIST_PTR)->member)
#define X_SET_LIST_COMMON_ELEMENT(member, value) X_LIST_COMMON_ELEMENT(member) = (value);

#endif
