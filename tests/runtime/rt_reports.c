/*
** rt_reports.c: reports in the test run time. A report is opened and
** closed by the program's report routines; each print line the program
** hands over (its texts and fields at their positions) is written to the
** run's output as "PRINT <report> <page>.<line> |<item>|<item>|...": the
** texts and the fields' values in the line's order, each without its
** trailing blanks. The field values that the report routines keep across
** breaks are held in the store slots the program names; the field texts
** and multilingual texts the program registered give the headings, labels
** and texts it asks for.
*/
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "rt.h"

static const struct X_MFLD *spTexts;
static int scTexts, scLanguages = 1;
static const struct X_MTXT *spMultiTexts;
static int scMultiTexts;

/* The store slots the run time allocated, released at the end. */
#define RT_MAX_SLOTS 256
static void *spvSlots[RT_MAX_SLOTS];
static int scSlots;

void RT_SetLanguageCount(int scCount)
{
    scLanguages = scCount > 0 ? scCount : 1;
}

void X_Register_Field_Texts(struct X_IDS *pI, const struct X_MFLD *pTexts, X_SHORT sFields)
{
    (void)pI;
    spTexts = pTexts;
    scTexts = sFields;
}

void X_Register_Multilingual_Texts(struct X_IDS *pI, const struct X_MTXT *pTexts, X_SHORT sTexts)
{
    (void)pI;
    spMultiTexts = pTexts;
    scMultiTexts = sTexts;
}

X_PVCHAR X_Get_MTxt(X_SHORT sText, X_SHORT sLanguage)
{
    if (spMultiTexts == pX_NULL || sText < 0 || sText >= scMultiTexts || sLanguage < 0 || sLanguage >= scLanguages)
        RT_Stop("X_Get_MTxt of text %d in language %d, which the program did not register", sText, sLanguage);
    return spMultiTexts[sText * scLanguages + sLanguage].pszText;
}

X_PVCHAR X_Get_MFld(X_SHORT sField, X_SHORT sLanguage, X_CHAR chKind)
{
    const struct X_MFLD *t;
    if (spTexts == pX_NULL || sField < 0 || sField >= scTexts || sLanguage < 0 || sLanguage >= scLanguages)
        RT_Stop("X_Get_MFld of field text %d in language %d, which the program did not register", sField, sLanguage);
    t = &spTexts[sField * scLanguages + sLanguage];
    switch (chKind) {
    case 'L': return t->pszLabel;
    case '1':
    case '2':
    case '3': return t->apszHeadings[chKind - '1'];
    case 'D': return t->pszDescription;
    default: RT_Stop("X_Get_MFld of text kind '%c'", chKind);
    }
    return pX_NULL;
}

X_YES_NO X_Open_Report(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_PIM *pPim, struct X_FLD *pV)
{
    (void)pI, (void)pP, (void)pF, (void)pV;
    printf("REPORT %d OPENED\n", pPim->sReportNumber);
    /* NO: no error */
    return NO;
}

void X_Close_Report(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_PIM *pPim, struct X_FLD *pV)
{
    (void)pI, (void)pP, (void)pF, (void)pV;
    printf("REPORT %d CLOSED\n", pPim->sReportNumber);
}

static void trimmed(const char *text, size_t n)
{
    while (n > 0 && (text[n - 1] == ' ' || text[n - 1] == '\0'))
        --n;
    fwrite(text, 1, n, stdout);
}

void X_Pim_Print(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_PIM *pPim, struct X_REPORT_CTL *pCtl,
                 struct X_COND *pCond, struct X_FLD *pV, X_SHORT scTexts, struct X_REPORT_TXT *pTexts,
                 X_SHORT scFields, struct X_REPORT_FLD *pFields)
{
    X_SHORT i;
    char text[1024];
    (void)pI, (void)pP, (void)pF, (void)pCond;
    if (pPim->sPIMCallCount == 0 && pPim->sCurrentLine == 0)
        pPim->sCurrentLine = 1;
    pPim->sCurrentLine = (X_SHORT)(pPim->sCurrentLine + (pCtl->sSpaceBefore > 0 ? pCtl->sSpaceBefore : 0));
    printf("PRINT %d %d.%d |", pPim->sReportNumber, pPim->sCurrentPage, pPim->sCurrentLine);
    for (i = 0; i < scTexts; ++i) {
        const char *t = pTexts[i].pvchText != pX_NULL ? pTexts[i].pvchText : "";
        trimmed(t, strlen(t) < (size_t)pTexts[i].sLength ? strlen(t) : (size_t)pTexts[i].sLength);
        printf("|");
    }
    for (i = 0; i < scFields; ++i) {
        const X_SHORT s = pFields[i].sField;
        RT_ReadText(&pV[s], RT_Data(pV, s), text, sizeof text);
        trimmed(text, strlen(text));
        printf("|");
    }
    printf("\n");
}

void X_Space_Lines(FUNCTION_STD_ARGS, struct X_PIM *pPim, X_LONG lLines)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun, (void)pX_Fld, (void)pX_List, (void)X_FKey, (void)pGlobal1,
        (void)pGlobal2;
    pPim->sCurrentLine = (X_SHORT)(pPim->sCurrentLine + lLines);
}

void X_Skip_To_Line(FUNCTION_STD_ARGS, struct X_PIM *pPim, X_LONG lLine)
{
    (void)pX_Ids, (void)pX_Pro, (void)pX_Fun, (void)pX_Fld, (void)pX_List, (void)X_FKey, (void)pGlobal1,
        (void)pGlobal2;
    /* a line at or above the current one is on the next page */
    if (lLine <= pPim->sCurrentLine && pPim->sPIMCallCount > 0)
        ++pPim->sCurrentPage;
    pPim->sCurrentLine = (X_SHORT)(lLine - 1);
}

/* ---- the values kept across breaks ---- */

static size_t slotSize(struct X_FLD *pV, X_SHORT scFields, const X_SHORT *psFields)
{
    size_t n = 0;
    X_SHORT i;
    for (i = 0; i < scFields; ++i)
        n += pV[psFields[i]].sByteLen;
    return n;
}

static unsigned char *slot(struct X_FLD *pV, X_SHORT scFields, const X_SHORT *psFields, X_SHORT sSlot,
                           X_PDICTIONARY_FIELD *ppSlots, int fCreate)
{
    if (sSlot < 0)
        RT_Stop("store slot %d", sSlot);
    if (ppSlots[sSlot] == pX_NULL) {
        if (!fCreate)
            RT_Stop("store slot %d read before it was saved", sSlot);
        if (scSlots == RT_MAX_SLOTS)
            RT_Stop("more than %d store slots", RT_MAX_SLOTS);
        ppSlots[sSlot] = calloc(slotSize(pV, scFields, psFields) + 1, 1);
        spvSlots[scSlots++] = ppSlots[sSlot];
    }
    return (unsigned char *)ppSlots[sSlot];
}

void X_Vec_Save_Values(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT scFields,
                       X_SHORT *psFields, X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots)
{
    unsigned char *p = slot(pV, scFields, psFields, sSlot, ppSlots, 1);
    X_SHORT i;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < scFields; ++i) {
        memcpy(p, RT_Data(pV, psFields[i]), pV[psFields[i]].sByteLen);
        p += pV[psFields[i]].sByteLen;
    }
}

void X_Vec_Restore_Values(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT scFields,
                          X_SHORT *psFields, X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots)
{
    const unsigned char *p = slot(pV, scFields, psFields, sSlot, ppSlots, 0);
    X_SHORT i;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < scFields; ++i) {
        memcpy(RT_Data(pV, psFields[i]), p, pV[psFields[i]].sByteLen);
        RT_SetIndexValue(pV, psFields[i]);
        p += pV[psFields[i]].sByteLen;
    }
}

X_LONG X_Vec_Compare_Values(struct X_IDS *pI, struct X_PRO *pP, struct X_FUN *pF, struct X_FLD *pV, X_SHORT scFields,
                            X_SHORT *psFields, X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots)
{
    const unsigned char *p = slot(pV, scFields, psFields, sSlot, ppSlots, 0);
    X_SHORT i;
    (void)pI, (void)pP, (void)pF;
    for (i = 0; i < scFields; ++i) {
        const int c = memcmp(RT_Data(pV, psFields[i]), p, pV[psFields[i]].sByteLen);
        if (c != 0)
            return c;
        p += pV[psFields[i]].sByteLen;
    }
    return 0;
}

void RT_ReleaseSlots(void)
{
    int i;
    for (i = 0; i < scSlots; ++i)
        free(spvSlots[i]);
    scSlots = 0;
}
