/*
** x_bifstd.h: the interface of a generated built-in function program (the
** ".PGM" of a function) to the VELMO runtime: its entry's arguments, the
** binding of its arguments, return values, received lists and data
** structures, and its registration. Declarations only.
*/
#ifndef X_BIFSTD_H
#define X_BIFSTD_H

#include "x_glodef.h"
#include "x_funstd.h"

#define X_BIF_MAX_PARMS 100

/* The arguments of a program's entry, and their names when it passes them on. */
#define BUILTIN_STD_ARGS struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, int argc, char **argv
#define BUILTIN_STD_PARMS pX_Ids, pX_Pro, pX_Fun, argc, argv

/* Where a bound value goes. */
#define X_PARM_BIF_VECTOR_ARGUMENT 1
#define X_PARM_BIF_VECTOR_RETURN_VALUE 2
#define X_PARM_BIF_LIST_ARGUMENT 3
#define X_PARM_BIF_LIST_RETURN_VALUE 4

void BIF_ADD_Field(struct X_IDS *, struct X_PRO *, struct X_FUN *, int iField, X_SHORT *pscParm,
                   struct X_PARM *pParm, int *piNext, int argc, char **argv, int iKind);
void BIF_ADD_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, int iList, struct X_LIST_DATA *pData,
                  X_SHORT *pscParm, struct X_PARM *pParm, int *piNext, int argc, char **argv, int iKind,
                  int iReturnCountsArgvPos);
void RCV_ADD_List(struct X_IDS *, struct X_PRO *, struct X_FUN *, int iList, struct X_LIST_DATA *pData,
                  X_SHORT *pscParm, struct X_PARM *pParm, int *piNext, int argc, char **argv,
                  int iReturnCountsArgvPos);
void RCV_ADD_DataStruct(struct X_IDS *, struct X_PRO *, struct X_FUN *, const char *pszName, size_t ulSize,
                        X_SHORT *pscParm, struct X_PARM *pParm, int *piNext, int argc, char **argv);

void X_BIF_Register(struct X_IDS *, X_SHORT sNumber, size_t ulFields, const struct X_FLD *pFields, size_t ulLists,
                    const struct X_LIST *pLists);
void X_RCV_Register(struct X_IDS *, size_t ulLists, const struct X_LIST *pLists);
void X_BIF_Bind_Done(struct X_IDS *, X_SHORT scParm, struct X_PARM *pParm, int iNext, int iReturnCountsArgvPos);
void X_BIF_Return(BUILTIN_STD_ARGS);

#endif
