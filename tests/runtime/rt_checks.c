/*
** rt_checks.c: the validation checkers and the message handler of the
** test run time. A checker compares the field with its ranges, its list
** of values or the condition the program evaluated, and answers the
** action of the outcome the program gave it (in or out); an error action
** issues the check's message. A message is written to the run's output as
** a line "MESSAGE <type> <id> <text>", the text a literal of the program
** or its message field's value. The message of an ABORT is written as
** "ABORT <type> <id> <text>": the program then ends its function with the
** end code of an abort (X_SUBR_ABORTED), which the driver shows.
*/
#include <stdio.h>
#include <string.h>

#include "rt.h"

/* A field compared with another by value: numbers as decimals, texts of
** every kind as the shorter filled with blanks. */
static int compareFields(struct X_FLD *pX_Fld, X_SHORT a, X_SHORT b)
{
    const struct X_FLD *fa = &pX_Fld[a], *fb = &pX_Fld[b];
    if (RT_IsNumericKind(RT_KindOf(fa)) && RT_IsNumericKind(RT_KindOf(fb))) {
        RT_DEC x, y;
        RT_ReadDecimal(fa, RT_Data(pX_Fld, a), &x);
        RT_ReadDecimal(fb, RT_Data(pX_Fld, b), &y);
        return RT_DecCompare(&x, &y);
    }
    if (!RT_IsNumericKind(RT_KindOf(fa)) && !RT_IsNumericKind(RT_KindOf(fb))) {
        /* texts of any kind (fixed and varying, dates, times, timestamps) as they read */
        static char x[70000], y[70000];
        size_t nx, ny, n, i;
        RT_ReadText(fa, RT_Data(pX_Fld, a), x, sizeof x);
        RT_ReadText(fb, RT_Data(pX_Fld, b), y, sizeof y);
        nx = strlen(x), ny = strlen(y), n = nx > ny ? nx : ny;
        for (i = 0; i < n; ++i) {
            const int cx = i < nx ? (unsigned char)x[i] : ' ', cy = i < ny ? (unsigned char)y[i] : ' ';
            if (cx != cy)
                return cx < cy ? -1 : 1;
        }
        return 0;
    }
    RT_Stop("a check compares %s with %s, a number with a text", RT_Name(fa), RT_Name(fb));
    return 0;
}

static void issue(const char *pszTag, struct X_FLD *pX_Fld, X_CHAR chType, const char *pszMsgId,
                  const char *pszText, X_SHORT scSubstitutions, const X_SHORT *psSubstitutions)
{
    char text[1024];
    X_SHORT i;
    printf("%s %c %s %s", pszTag, chType != '\0' ? chType : '-', pszMsgId != pX_NULL ? pszMsgId : "-",
           pszText != pX_NULL ? pszText : "");
    for (i = 0; i < scSubstitutions; ++i) {
        RT_ReadText(&pX_Fld[psSubstitutions[i]], RT_Data(pX_Fld, psSubstitutions[i]), text, sizeof text);
        printf(" <%s>", text);
    }
    printf("\n");
}

static void message(struct X_FLD *pX_Fld, X_CHAR chType, const char *pszMsgId, const char *pszText,
                    X_SHORT scSubstitutions, const X_SHORT *psSubstitutions)
{
    issue("MESSAGE", pX_Fld, chType, pszMsgId, pszText, scSubstitutions, psSubstitutions);
}

static void outcome(struct X_FLD *pX_Fld, X_SHORT sField, int fIn, X_CHAR chIn, X_CHAR chOut, const char *pszMsgId,
                    X_SHORT scSubstitutions, const X_SHORT *psSubstitutions, X_CHAR *pchResult)
{
    *pchResult = fIn ? chIn : chOut;
    if (*pchResult == X_ERROR_ACTION) {
        char id[64];
        snprintf(id, sizeof id, "%s:%s", RT_Name(&pX_Fld[sField]), pszMsgId != pX_NULL ? pszMsgId : "-");
        message(pX_Fld, 'E', id, "", scSubstitutions, psSubstitutions);
    }
}

void X_Range_Check(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sField,
                   X_SHORT scRanges, const X_SHORT *psBounds, X_CHAR chIn, X_CHAR chOut, const char *pszMsgId,
                   const char *pszMsgFile, X_SHORT scSubstitutions, const X_SHORT *psSubstitutions, X_CHAR *pchResult)
{
    int fIn = 0;
    X_SHORT i;
    (void)pI, (void)pP, (void)pF, (void)pszMsgFile;
    for (i = 0; i < scRanges && !fIn; ++i)
        fIn = compareFields(pV, sField, psBounds[2 * i]) >= 0 && compareFields(pV, sField, psBounds[2 * i + 1]) <= 0;
    outcome(pV, sField, fIn, chIn, chOut, pszMsgId, scSubstitutions, psSubstitutions, pchResult);
}

void X_Values_Check(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sField,
                    X_SHORT scValues, const X_SHORT *psValues, X_CHAR chIn, X_CHAR chOut, const char *pszMsgId,
                    const char *pszMsgFile, X_SHORT scSubstitutions, const X_SHORT *psSubstitutions, X_CHAR *pchResult)
{
    int fIn = 0;
    X_SHORT i;
    (void)pI, (void)pP, (void)pF, (void)pszMsgFile;
    for (i = 0; i < scValues && !fIn; ++i)
        fIn = compareFields(pV, sField, psValues[i]) == 0;
    outcome(pV, sField, fIn, chIn, chOut, pszMsgId, scSubstitutions, psSubstitutions, pchResult);
}

void X_Condition_Check(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT sField,
                       X_YES_NO chCondition, X_CHAR chIn, X_CHAR chOut, const char *pszMsgId, const char *pszMsgFile,
                       X_SHORT scSubstitutions, const X_SHORT *psSubstitutions, X_CHAR *pchResult)
{
    (void)pI, (void)pP, (void)pF, (void)pszMsgFile;
    outcome(pV, sField, chCondition == YES, chIn, chOut, pszMsgId, scSubstitutions, psSubstitutions, pchResult);
}

/* Two fields compared by value: below 0, 0 or above 0. */
X_LONG X_Vec_Compare(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pLeft, X_SHORT sLeft,
                     struct X_FLD *pRight, X_SHORT sRight)
{
    (void)pI, (void)pP, (void)pF;
    if (pLeft != pRight)
        RT_Stop("X_Vec_Compare of fields of two vectors");
    return compareFields(pLeft, sLeft, sRight);
}

void X_Handle_Message(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_CHAR chType,
                      X_CHAR chOption, const char *pszMsgId, const char *pszMsgFile, const char *pszText,
                      X_SHORT sField, X_SHORT scSubstitutions, const X_SHORT *psSubstitutions)
{
    (void)pI, (void)pP, (void)pF, (void)chOption, (void)pszMsgFile, (void)sField;
    message(pV, chType, pszMsgId, pszText, scSubstitutions, psSubstitutions);
}

void X_Handle_Message_Abort(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_CHAR chType,
                            X_CHAR chOption, const char *pszMsgId, const char *pszMsgFile, const char *pszText,
                            X_SHORT sField, X_SHORT scSubstitutions, const X_SHORT *psSubstitutions)
{
    (void)pI, (void)pP, (void)pF, (void)chOption, (void)pszMsgFile, (void)sField;
    issue("ABORT", pV, chType, pszMsgId, pszText, scSubstitutions, psSubstitutions);
}
