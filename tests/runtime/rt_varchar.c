/*
** rt_varchar.c: fields of varying characters (X_FLD_CHAR) in the test run
** time: the text is held in storage the run time allocates, one byte more
** than its length for a terminator, released when the field is released or
** given another value (and at the end of the run). The SQL-null state is
** cleared by every value stored.
*/
#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "rt.h"

/* The allocations of the run, released at its end. */
#define RT_MAX_TEXTS 4096
static void *spvTexts[RT_MAX_TEXTS];
static int scTexts;

static void forget(void *pv)
{
    int i;
    for (i = 0; i < scTexts; ++i)
        if (spvTexts[i] == pv) {
            spvTexts[i] = spvTexts[--scTexts];
            break;
        }
    free(pv);
}

/* A value of `length` bytes into a varying field. */
void RT_SetVarChar(X_FLD_CHAR *pChar, const void *pvText, size_t length)
{
    char *text;
    if (scTexts == RT_MAX_TEXTS)
        RT_Stop("more than %d varying texts", RT_MAX_TEXTS);
    if (pChar->ulMaxSize > 0 && length > pChar->ulMaxSize)
        length = pChar->ulMaxSize;
    text = malloc(length + 1);
    if (text == pX_NULL)
        RT_Stop("no memory for a varying text");
    memcpy(text, pvText, length);
    text[length] = '\0';
    if (pChar->pvData != pX_NULL)
        forget(pChar->pvData);
    pChar->pvData = text;
    spvTexts[scTexts++] = text;
    pChar->bFieldState &= (XFIELDSTATE)~FsIsSqlNull;
}

static const char *valueOf(const X_FLD_CHAR *pChar)
{
    return pChar->pvData != pX_NULL ? (const char *)pChar->pvData : "";
}

X_VOID X_VAR_VarChar_Release(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_FLD_CHAR *pChar)
{
    (void)pI, (void)pP, (void)pF;
    if (pChar->pvData != pX_NULL)
        forget(pChar->pvData);
    pChar->pvData = pX_NULL;
}

/* Bytes of varying length (X_FLD_BINARY) released: their storage, when
** the run time gave them any, and no value left. The structure may stand
** at any address. */
X_VOID X_VAR_VarBinary_Release(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_VOID *pvBinary)
{
    unsigned char *data = pvBinary;
    X_PVOID pvData;
    (void)pI, (void)pP, (void)pF;
    memcpy(&pvData, data + offsetof(X_FLD_BINARY, pvData), sizeof pvData);
    if (pvData != pX_NULL)
        forget(pvData);
    pvData = pX_NULL;
    memcpy(data + offsetof(X_FLD_BINARY, pvData), &pvData, sizeof pvData);
}

X_VOID X_VAR_VarChar_SetFromVchar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_VCHAR *pszText,
                                  X_FLD_CHAR *pChar)
{
    (void)pI, (void)pP, (void)pF;
    RT_SetVarChar(pChar, pszText, strlen(pszText));
}

X_VOID X_VAR_VarChar_SetFromChar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_VOID *pvText,
                                 X_LONG lLength, X_FLD_CHAR *pChar)
{
    (void)pI, (void)pP, (void)pF;
    RT_SetVarChar(pChar, pvText, (size_t)(lLength > 0 ? lLength : 0));
}

/* A fixed text moves without its trailing blanks. */
X_VOID X_VAR_VarChar_SetFromFixedChar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_VOID *pvText,
                                      X_LONG lLength, X_FLD_CHAR *pChar)
{
    const char *text = pvText;
    (void)pI, (void)pP, (void)pF;
    while (lLength > 0 && text[lLength - 1] == ' ')
        --lLength;
    RT_SetVarChar(pChar, text, (size_t)(lLength > 0 ? lLength : 0));
}

/* A fixed text into the characters of a short character field: without
** its trailing blanks, cut to the field's `lMax` characters, followed by
** the end of the string; the length it holds is returned. */
X_SHORT X_VAR_ShortChar_SetFromFixedChar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_VOID *pvText,
                                         X_LONG lLength, X_VCHAR *pvchData, X_LONG lMax)
{
    const char *text = pvText;
    (void)pI, (void)pP, (void)pF;
    while (lLength > 0 && text[lLength - 1] == ' ')
        --lLength;
    if (lLength < 0)
        lLength = 0;
    if (lLength > lMax)
        lLength = lMax;
    memcpy(pvchData, text, (size_t)lLength);
    pvchData[lLength] = END_OF_STRING;
    return (X_SHORT)lLength;
}

X_VOID X_VAR_VarChar_Assign(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_FLD_CHAR *pSource,
                            X_FLD_CHAR *pTarget)
{
    (void)pI, (void)pP, (void)pF;
    if (pSource->bFieldState & FsIsSqlNull) {
        X_VAR_VarChar_Release(pI, pP, pF, pTarget);
        pTarget->bFieldState |= FsIsSqlNull;
        return;
    }
    RT_SetVarChar(pTarget, valueOf(pSource), strlen(valueOf(pSource)));
}

/* The text into a fixed field of lLength bytes, filled with blanks. */
X_VOID X_VAR_VarChar_GetAsFixedChar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_FLD_CHAR *pChar,
                                    X_VOID *pvTarget, X_LONG lLength)
{
    const char *text = valueOf(pChar);
    const size_t n = strlen(text) < (size_t)lLength ? strlen(text) : (size_t)lLength;
    (void)pI, (void)pP, (void)pF;
    memset(pvTarget, ' ', (size_t)lLength);
    memcpy(pvTarget, text, n);
}

/* The text of a varying field into the characters of a short character
** field: cut to the field's `lMax` characters, followed by the end of the
** string; the length it holds is returned. */
X_SHORT X_VAR_VarChar_GetAsShortChar(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, X_FLD_CHAR *pChar,
                                     X_VCHAR *pvchData, X_LONG lMax)
{
    const char *text = valueOf(pChar);
    const size_t n = strlen(text) < (size_t)lMax ? strlen(text) : (size_t)(lMax > 0 ? lMax : 0);
    (void)pI, (void)pP, (void)pF;
    memcpy(pvchData, text, n);
    pvchData[n] = END_OF_STRING;
    return (X_SHORT)n;
}

/* Two texts, each a value and length or a varying field, compared as the
** shorter filled with blanks; true when the outcome is one of the mask's. */
X_BOOL X_VAR_VarChar_StringCompare(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, const X_VOID *pvLeft,
                                   X_LONG lLeft, X_FLD_CHAR *pLeft, const X_VOID *pvRight, X_LONG lRight,
                                   X_FLD_CHAR *pRight, X_INT iMask)
{
    const char *a = pLeft != pX_NULL ? valueOf(pLeft) : (const char *)pvLeft,
               *b = pRight != pX_NULL ? valueOf(pRight) : (const char *)pvRight;
    const long na = pLeft != pX_NULL ? (long)strlen(a) : lLeft, nb = pRight != pX_NULL ? (long)strlen(b) : lRight;
    long i, n = na > nb ? na : nb;
    int c = 0;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < n && c == 0; ++i) {
        const int ca = i < na ? (unsigned char)a[i] : ' ', cb = i < nb ? (unsigned char)b[i] : ' ';
        c = ca < cb ? -1 : ca > cb;
    }
    return ((c < 0 && (iMask & X_VAR_COMPARE_MASK_LESS)) || (c == 0 && (iMask & X_VAR_COMPARE_MASK_EQUAL)) ||
            (c > 0 && (iMask & X_VAR_COMPARE_MASK_GREATER)))
               ? TRUE
               : FALSE;
}

void RT_ReleaseTexts(void)
{
    int i;
    for (i = 0; i < scTexts; ++i)
        free(spvTexts[i]);
    scTexts = 0;
}
