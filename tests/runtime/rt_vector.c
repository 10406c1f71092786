/*
** rt_vector.c: the vector services of the test run time: a field's value
** read as a short, a long, a long long, a double or a text, and stored
** from one; the move of one field into another with its rounding option;
** the index of an array element; substrings; the null test.
**
** A double is stored at the scale the caller set in chXVecAssignOption
** just before (0 to 16): the decimal nearest to the double at that scale,
** cut to the field's decimals. The option stays as it was set until it is
** set again, as the run-time interface leaves it: a caller that sets no
** scale before a store gets the one an earlier store left, so that a store
** without its own scale shows in the value it gives. A store before any
** scale was set (or after the option held a rounding choice of
** X_Vec_Assign) takes the decimal of 15 significant digits nearest to the
** double, the precision a double carries; but a literal holds the decimal
** written in the program, which a double with a fraction does not give
** without its scale: such a store into a decimal literal stops the run (a
** whole number of at most 15 digits, or a floating literal, needs no
** scale).
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rt.h"

/* The option no caller set. */
#define RT_OPTION_UNSET ((X_CHAR)-1)

static int takeScale(const struct X_IDS *pX_Ids)
{
    const int option = pX_Ids->chXVecAssignOption;
    return option >= 0 && option <= 16 ? option : -1;
}

static void readField(struct X_FLD *pX_Fld, X_SHORT s, RT_DEC *v)
{
    RT_ReadDecimal(&pX_Fld[s], RT_Data(pX_Fld, s), v);
}

/* A store through the run time keeps an index field's index value; a
** program that stores into one directly sets it (X_Vec_Set_Index). */
static void storeField(struct X_IDS *pX_Ids, struct X_FLD *pX_Fld, X_SHORT s, const RT_DEC *v)
{
    RT_StoreDecimal(pX_Ids, &pX_Fld[s], RT_Data(pX_Fld, s), v);
    RT_SetIndexValue(pX_Fld, s);
}

void X_Vec_Get_as_Short(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                        X_SHORT *ps)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF;
    readField(pV, s, &v);
    *ps = (X_SHORT)RT_DecToLongLong(&v);
}

void X_Vec_Get_as_Long(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_LONG *pl)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF;
    readField(pV, s, &v);
    *pl = (X_LONG)RT_DecToLongLong(&v);
}

X_VOID X_Vec_Get_as_LongLong(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                             X_LONGLONG *pll)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF;
    readField(pV, s, &v);
    *pll = RT_DecToLongLong(&v);
}

void X_Vec_Get_as_Double(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                         X_PDOUBLE pd)
{
    RT_DEC v;
    (void)pI, (void)pP, (void)pF;
    readField(pV, s, &v);
    *pd = RT_DecToDouble(&v);
}

void X_Vec_Set_from_Short(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                          X_SHORT value)
{
    RT_DEC v;
    (void)pP, (void)pF;
    RT_DecFromLongLong(&v, value);
    storeField(pI, pV, s, &v);
}

void X_Vec_Set_from_Long(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                         X_LONG value)
{
    RT_DEC v;
    (void)pP, (void)pF;
    RT_DecFromLongLong(&v, value);
    storeField(pI, pV, s, &v);
}

X_VOID X_Vec_Set_from_LongLong(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                               X_LONGLONG value)
{
    RT_DEC v;
    (void)pP, (void)pF;
    RT_DecFromLongLong(&v, value);
    storeField(pI, pV, s, &v);
}

void X_Vec_Set_from_Double(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                           X_DOUBLE value)
{
    RT_DEC v;
    const int scale = takeScale(pI);
    const RT_KIND k = RT_KindOf(&pV[s]);
    (void)pP, (void)pF;
    if (scale < 0 && pV[s].eSubtype == X_SUBTYPE_LITERAL && k != RT_KIND_DOUBLE && k != RT_KIND_FLOAT &&
        !RT_DoubleIsWhole(value))
        RT_Stop("X_Vec_Set_from_Double of %.17g into literal %s with no scale set: the decimal it stands for is "
                "unknown",
                value, RT_Name(&pV[s]));
    RT_DecFromDouble(&v, value, scale);
    storeField(pI, pV, s, &v);
}

void X_Vec_Get_as_Vchar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                        size_t size, char *text)
{
    (void)pI, (void)pP, (void)pF;
    if (size == 0)
        return;
    RT_ReadText(&pV[s], RT_Data(pV, s), text, size);
}

void X_Vec_Set_from_Vchar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s,
                          const char *text)
{
    (void)pP, (void)pF;
    RT_StoreText(pI, &pV[s], RT_Data(pV, s), text, strlen(text));
    RT_SetIndexValue(pV, s);
}

/* ---- indexes ---- */

X_PDICTIONARY_FIELD X_Vec_Apply_Index(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV,
                                      X_SHORT s)
{
    (void)pI, (void)pP, (void)pF;
    return (X_PDICTIONARY_FIELD)RT_Data(pV, s);
}

X_PDICTIONARY_FIELD X_GET_INDEX(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s)
{
    return X_Vec_Apply_Index(pI, pP, pF, pV, s);
}

void X_Vec_Set_Index(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s)
{
    (void)pI, (void)pP, (void)pF;
    RT_SetIndexValue(pV, s);
}

void X_SET_INDEX(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s)
{
    X_Vec_Set_Index(pI, pP, pF, pV, s);
}

/* ---- moves ---- */

static int isText(RT_KIND k)
{
    return k == RT_KIND_ALPHA || k == RT_KIND_CHAR || k == RT_KIND_SHORT_CHAR || k == RT_KIND_DATE ||
           k == RT_KIND_TIME || k == RT_KIND_DATETIME;
}

/* One field into another: numbers cut to the target's decimals, or
** rounded half up when the caller asked for it (X_VEC_ASSIGN_ROUND_UP);
** texts copied and filled with blanks. A number moved into a text or a
** text into a number has no meaning set here. */
void X_Vec_Assign(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pSource, X_SHORT sSource,
                  struct X_FLD *pTarget, X_SHORT sTarget)
{
    const X_CHAR option = pI->chXVecAssignOption;
    const RT_KIND from = RT_KindOf(&pSource[sSource]), to = RT_KindOf(&pTarget[sTarget]);
    (void)pP, (void)pF;
    pI->chXVecAssignOption = RT_OPTION_UNSET;
    if (RT_IsNumericKind(from) && RT_IsNumericKind(to)) {
        RT_DEC v;
        readField(pSource, sSource, &v);
        if (option == X_VEC_ASSIGN_ROUND_UP && (to == RT_KIND_PACKED || to == RT_KIND_SIGNED))
            RT_DecRoundHalfUp(&v, pTarget[sTarget].sDecimals);
        else if (option == X_VEC_ASSIGN_ROUND_UP && to != RT_KIND_DOUBLE && to != RT_KIND_FLOAT)
            RT_DecRoundHalfUp(&v, 0);
        storeField(pI, pTarget, sTarget, &v);
        return;
    }
    if (isText(from) && isText(to)) {
        char text[70000];
        RT_ReadText(&pSource[sSource], RT_Data(pSource, sSource), text, sizeof text);
        if (from == RT_KIND_ALPHA) {
            /* an alphanumeric field moves whole, trailing blanks and all */
            RT_StoreText(pI, &pTarget[sTarget], RT_Data(pTarget, sTarget), (const char *)RT_Data(pSource, sSource),
                         pSource[sSource].sByteLen);
        } else {
            RT_StoreText(pI, &pTarget[sTarget], RT_Data(pTarget, sTarget), text, strlen(text));
        }
        return;
    }
    RT_Stop("X_Vec_Assign of %s into %s: a move between a number and a text has no meaning here",
            RT_Name(&pSource[sSource]), RT_Name(&pTarget[sTarget]));
}

void X_Vec_Assign_Identical_Field(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pSource,
                                  X_SHORT sSource, struct X_FLD *pTarget, X_SHORT sTarget, X_BOOL fConvert)
{
    (void)fConvert;
    if (pSource[sSource].sByteLen != pTarget[sTarget].sByteLen || pSource[sSource].eType != pTarget[sTarget].eType)
        RT_Stop("X_Vec_Assign_Identical_Field of %s into %s, which differ", RT_Name(&pSource[sSource]),
                RT_Name(&pTarget[sTarget]));
    (void)pP, (void)pF;
    memmove(RT_Data(pTarget, sTarget), RT_Data(pSource, sSource), pSource[sSource].sByteLen);
    RT_SetIndexValue(pTarget, sTarget);
    (void)pI;
}

/* ---- arithmetic of the generator's own evaluation routines ---- */

/* The target takes the result of the operation on two numeric fields:
** exact decimals, a quotient to the target's decimals (a floating target
** gets the quotient of the doubles); a division by zero and a result too
** large for the target end the program (X_Fatal_Error). */
void X_PDF_Math(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_SHORT sOperation, struct X_FLD *pResult,
                X_SHORT sResult, struct X_FLD *pOperand, X_SHORT sOperand, struct X_FLD *pTarget, X_SHORT sTarget)
{
    const RT_KIND to = RT_KindOf(&pTarget[sTarget]);
    RT_DEC a, b, r;
    if (!RT_IsNumericKind(RT_KindOf(&pResult[sResult])) || !RT_IsNumericKind(RT_KindOf(&pOperand[sOperand])) ||
        !RT_IsNumericKind(to))
        RT_Stop("X_PDF_Math of %s and %s into %s: arithmetic on a field that is no number has no meaning here",
                RT_Name(&pResult[sResult]), RT_Name(&pOperand[sOperand]), RT_Name(&pTarget[sTarget]));
    readField(pResult, sResult, &a);
    readField(pOperand, sOperand, &b);
    switch (sOperation) {
    case X_PDF_MATH_ADD: RT_DecAdd(&a, &b, 0, &r); break;
    case X_PDF_MATH_SUBTRACT: RT_DecAdd(&a, &b, 1, &r); break;
    case X_PDF_MATH_MULTIPLY: RT_DecMultiply(&a, &b, &r); break;
    case X_PDF_MATH_DIVIDE:
        if (RT_DecIsZero(&b)) {
            printf("FATAL a division by zero\n");
            X_Fatal_Error(pI, pP, pF, "X_PDF_Math", 11);
            return;
        }
        if (to == RT_KIND_DOUBLE || to == RT_KIND_FLOAT)
            RT_DecFromDouble(&r, RT_DecToDouble(&a) / RT_DecToDouble(&b), -1);
        else
            RT_DecDivide(&a, &b, pTarget[sTarget].sDecimals, &r);
        break;
    default: RT_Stop("X_PDF_Math of an operation without a meaning here (%d)", (int)sOperation); return;
    }
    storeField(pI, pTarget, sTarget, &r);
}

/* ---- null tests and increments ---- */

X_YES_NO X_Vec_Null(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s)
{
    const RT_KIND k = RT_KindOf(&pV[s]);
    (void)pI, (void)pP, (void)pF;
    if (k == RT_KIND_ALPHA) {
        const unsigned char *p = RT_Data(pV, s);
        X_USHORT i;
        for (i = 0; i < pV[s].sByteLen; ++i)
            if (p[i] != ' ')
                return NO;
        return YES;
    }
    if (RT_IsNumericKind(k)) {
        RT_DEC v;
        readField(pV, s, &v);
        return RT_DecIsZero(&v) ? YES : NO;
    }
    if (k == RT_KIND_CHAR || k == RT_KIND_SHORT_CHAR) {
        /* characters of varying length: empty or only blanks */
        static char text[70000];
        size_t i;
        RT_ReadText(&pV[s], RT_Data(pV, s), text, sizeof text);
        for (i = 0; text[i] != '\0'; ++i)
            if (text[i] != ' ')
                return NO;
        return YES;
    }
    if (k == RT_KIND_DATE || k == RT_KIND_TIME || k == RT_KIND_DATETIME) {
        /* the default date, time or timestamp the null value of the kind
           sets; a field no value was ever stored into holds no text */
        static const char kStamp[] = X_DEFAULT_DATE " " X_DEFAULT_TIME ".000000000";
        const char *null = k == RT_KIND_DATE ? X_DEFAULT_DATE : k == RT_KIND_TIME ? X_DEFAULT_TIME : kStamp;
        char text[64];
        RT_ReadText(&pV[s], RT_Data(pV, s), text, sizeof text);
        return text[0] == '\0' || strcmp(text, null) == 0 ? YES : NO;
    }
    RT_Stop("X_Vec_Null of %s, of a kind without a null value here", RT_Name(&pV[s]));
    return NO;
}

void X_Vec_Increment(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT s, X_LONG lBy)
{
    RT_DEC v, by, r;
    (void)pP, (void)pF;
    readField(pV, s, &v);
    RT_DecFromLongLong(&by, lBy);
    RT_DecAdd(&v, &by, 0, &r);
    storeField(pI, pV, s, &r);
}

/* ---- comparisons of stored decimals ---- */

/* The digits of a field held with its field information, all blanks as the
** program's set-up leaves them: no value stored yet, read as 0. */
static int unsetDigits(const void *pvData, size_t ulLength)
{
    size_t i;
    for (i = 0; i < ulLength && ((const unsigned char *)pvData)[i] == ' '; ++i)
        ;
    return i == ulLength;
}

/* Two packed or zoned decimals of one layout (ulLength bytes each) compared
** by value: below 0, 0 or above 0. The digits of fields held with their
** field information (a sort of a list by a nullable or long decimal) come
** without it: all blanks are read as 0 as the fields' own readers do. */
X_LONG X_Compare_Identical_SorP(const void *pvData1, const void *pvData2, enum X_FIELD_TYPE eType, size_t ulLength)
{
    static const unsigned char zero[64];
    struct X_FLD f;
    RT_DEC a, b;
    if (ulLength <= sizeof zero) {
        if (unsetDigits(pvData1, ulLength))
            pvData1 = zero;
        if (unsetDigits(pvData2, ulLength))
            pvData2 = zero;
    }
    memset(&f, 0, sizeof f);
    f.pszName = "(compared)";
    f.eType = eType;
    f.sByteLen = (X_USHORT)ulLength;
    if (eType == X_TYPE_PACKED)
        f.lLength = (X_LONG)(ulLength * 2 - 1);
    else if (eType == X_TYPE_SIGNED)
        f.lLength = (X_LONG)ulLength;
    else
        RT_Stop("X_Compare_Identical_SorP of a type that is neither packed nor signed (%d)", (int)eType);
    RT_ReadDecimal(&f, (const unsigned char *)pvData1, &a);
    RT_ReadDecimal(&f, (const unsigned char *)pvData2, &b);
    return RT_DecCompare(&a, &b);
}

/* ---- substrings ---- */

/* The bytes of the source from its position for its length put into the
** target from its position for its length: cut to the target's length,
** or filled with blanks. Source and target may be the same field, their
** pieces overlapping: the target takes the source's bytes as they were
** before the move. A position or length outside its field ends the
** program. */
static void substring(struct X_IDS *pI, struct X_FLD *pSource, X_SHORT sSource, long lFromPos, long lFromLen,
                      struct X_FLD *pTarget, X_SHORT sTarget, long lToPos, long lToLen)
{
    const struct X_FLD *from = &pSource[sSource], *to = &pTarget[sTarget];
    const unsigned char *source;
    unsigned char *target;
    long moved;
    if (sSource < 0 || sTarget < 0)
        RT_Stop("X_Vec_Substring without a source or target field");
    if (RT_KindOf(from) != RT_KIND_ALPHA || RT_KindOf(to) != RT_KIND_ALPHA)
        RT_Stop("X_Vec_Substring of %s into %s: a substring of a number has no meaning here", RT_Name(from),
                RT_Name(to));
    if (lFromPos < 1 || lFromLen < 0 || lFromPos + lFromLen - 1 > from->sByteLen || lToPos < 1 || lToLen < 0 ||
        lToPos + lToLen - 1 > to->sByteLen) {
        printf("FATAL substring of %s from %ld for %ld into %s from %ld for %ld\n", RT_Name(from), lFromPos, lFromLen,
               RT_Name(to), lToPos, lToLen);
        X_Fatal_Error(pI, pX_NULL, pX_NULL, "substring", 300);
        return;
    }
    source = RT_Data(pSource, sSource) + lFromPos - 1;
    target = RT_Data(pTarget, sTarget) + lToPos - 1;
    moved = lFromLen < lToLen ? lFromLen : lToLen;
    memmove(target, source, (size_t)moved);
    memset(target + moved, ' ', (size_t)(lToLen - moved));
}

void X_Vec_Substring(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pSource, X_SHORT sSource,
                     X_SHORT sFromPos, X_SHORT sFromLen, struct X_FLD *pTarget, X_SHORT sTarget, X_SHORT sToPos,
                     X_SHORT sToLen)
{
    (void)pP, (void)pF;
    substring(pI, pSource, sSource, sFromPos, sFromLen, pTarget, sTarget, sToPos, sToLen);
}

void X_Vec_Substring2(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pSource, X_SHORT sSource,
                      X_LONG lFromPos, X_LONG lFromLen, struct X_FLD *pTarget, X_SHORT sTarget, X_LONG lToPos,
                      X_LONG lToLen)
{
    (void)pP, (void)pF;
    substring(pI, pSource, sSource, lFromPos, lFromLen, pTarget, sTarget, lToPos, lToLen);
}
