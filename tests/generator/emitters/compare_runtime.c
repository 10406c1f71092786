/* The run time's comparison of two fields of a vector, for the programs the
** tests run against the least run time (least_runtime.c): alphanumeric
** fields compare byte by byte, the shorter one taken as filled out with
** blanks; the answer is below 0, 0 or above 0. Also the blank string the
** generated conditions compare a blank field with. */
#include "x_glodef.h"
#include "x_funstd.h"

const char x_achAlphaBlankString[] =
    "                                                                                                    "
    "                                                                                                    "
    "                                                                                                    ";

X_LONG X_Vec_Compare(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pLeft, X_SHORT sLeft,
                     struct X_FLD *pRight, X_SHORT sRight)
{
    const struct X_FLD *l = &pLeft[sLeft], *r = &pRight[sRight];
    const long length = l->sByteLen > r->sByteLen ? l->sByteLen : r->sByteLen;
    long i;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < length; i++) {
        const unsigned char a = i < l->sByteLen ? (unsigned char)l->pField[i] : ' ';
        const unsigned char b = i < r->sByteLen ? (unsigned char)r->pField[i] : ' ';
        if (a != b)
            return a < b ? -1 : 1;
    }
    return 0;
}
