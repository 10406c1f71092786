/* The run time's substring move, for the programs the tests run against the
** least run time (least_runtime.c): the part of the source field from its
** position for its length goes into the target field from the target's
** position for the target's length, cut to that length or filled out with
** blanks; the rest of the target stays as it was. Positions count from 1;
** a part that reaches past the end of its field stops there. Alphanumeric
** fields only: their bytes are their characters. */
#include "x_glodef.h"
#include "x_funstd.h"

static long bounded(long position, long length, long fieldLength)
{
    if (position < 1 || position > fieldLength || length < 0)
        return 0;
    return position - 1 + length > fieldLength ? fieldLength - position + 1 : length;
}

static void substring(struct X_FLD *pSourceVector, X_SHORT sSource, long lFromPos, long lFromLen,
                      struct X_FLD *pTargetVector, X_SHORT sTarget, long lToPos, long lToLen)
{
    const struct X_FLD *s = &pSourceVector[sSource];
    struct X_FLD *t = &pTargetVector[sTarget];
    const long from = bounded(lFromPos, lFromLen, s->sByteLen), to = bounded(lToPos, lToLen, t->sByteLen);
    long i;
    for (i = 0; i < to; i++)
        t->pField[lToPos - 1 + i] = i < from ? s->pField[lFromPos - 1 + i] : ' ';
}

void X_Vec_Substring(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pSourceVector,
                     X_SHORT sSource, X_SHORT sFromPos, X_SHORT sFromLen, struct X_FLD *pTargetVector, X_SHORT sTarget,
                     X_SHORT sToPos, X_SHORT sToLen)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun;
    substring(pSourceVector, sSource, sFromPos, sFromLen, pTargetVector, sTarget, sToPos, sToLen);
}

void X_Vec_Substring2(struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pSourceVector,
                      X_SHORT sSource, X_LONG lFromPos, X_LONG lFromLen, struct X_FLD *pTargetVector, X_SHORT sTarget,
                      X_LONG lToPos, X_LONG lToLen)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun;
    substring(pSourceVector, sSource, lFromPos, lFromLen, pTargetVector, sTarget, lToPos, lToLen);
}
