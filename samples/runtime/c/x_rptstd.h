/*
** x_rptstd.h: the run-time interface of the report commands: the report
** control block X_PIM of each printed report, the control and tables of a
** print routine, the print manager and the services of the report
** routines (open, close, spacing, skipping, and the save, restore and
** compare of field values across page and level breaks). Declarations
** only.
*/
#ifndef X_RPTSTD_H
#define X_RPTSTD_H

struct X_IDS;
struct X_PRO;
struct X_FUN;
struct X_FLD;
struct X_COND;

/* The control block of one report, in the order of its initialiser. */
struct X_PIM {
    size_t ulSize;
    X_SHORT sReportNumber;
    X_SHORT sLineWidth;
    X_SHORT sPageLength;
    X_SHORT sOverflowLine;
    X_SHORT sLastDetailLine;
    X_SHORT sCurrentLine;
    X_SHORT sCurrentPage;
    X_PVOID pvOutputFile;
    X_CHAR vchOutputFile[261];
    X_SHORT sReturnPageLength;
    X_SHORT sReturnPageWidth;
    X_SHORT sReturnOverflowLine;
    X_SHORT sReturnLineNumber;
    X_SHORT sReturnPageNumber;
    X_SHORT sPageNumberField;
    X_CHAR chOpen;
    X_SHORT sPIMCallCount;
    X_CHAR chOverFlowOn;
    X_CHAR chNewPageFlag;
    X_CHAR chLevelBreak;
    X_CHAR chClosingReport;
    X_CHAR vchOutputPath[261];
    X_SHORT sVersion;
    X_CHAR vchPrinterFile[11];
    X_CHAR vchPrinterLibrary[11];
    X_SHORT sOutputQueue;
    X_SHORT sCopies;
    X_SHORT sFormType;
    X_SHORT sOtherOverrides;
};

/* The control of one print routine: spacing before, the heading line. */
struct X_REPORT_CTL {
    X_SHORT sSpaceBefore;
    X_SHORT sReserved1;
    X_SHORT sLine;
    X_SHORT sReserved2;
};

/* A text of a print line and a field of one, in the order of their rows;
** the condition word, 0 in the row, is set to 1 to suppress a value that
** did not change. */
struct X_REPORT_TXT {
    X_PVCHAR pvchText;
    X_SHORT sPosition;
    X_SHORT sLength;
    X_SHORT sCond2;
};
struct X_REPORT_FLD {
    X_SHORT sField;
    X_SHORT sPosition;
    X_SHORT sLength;
    X_SHORT sCond2;
    X_CHAR chEditCode;
    const char *pvchEditWord;
    X_SHORT sEditValue;
};

void X_Pim_Print(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_PIM *, struct X_REPORT_CTL *,
                 struct X_COND *, struct X_FLD *, X_SHORT scTexts, struct X_REPORT_TXT *, X_SHORT scFields,
                 struct X_REPORT_FLD *);
X_YES_NO X_Open_Report(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_PIM *, struct X_FLD *);
void X_Close_Report(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_PIM *, struct X_FLD *);
void X_Space_Lines(FUNCTION_STD_ARGS, struct X_PIM *, X_LONG lLines);
void X_Skip_To_Line(FUNCTION_STD_ARGS, struct X_PIM *, X_LONG lLine);

/* The field values of an array of vector indexes kept in a storage slot. */
void X_Vec_Save_Values(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                       X_SHORT *psFields, X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots);
void X_Vec_Restore_Values(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                          X_SHORT *psFields, X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots);
X_LONG X_Vec_Compare_Values(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                            X_SHORT *psFields, X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots);
void X_Vec_Save_All_Fields(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                           X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots);
void X_Vec_Restore_All_Fields(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                              X_SHORT sSlot, X_PDICTIONARY_FIELD *ppSlots);

#endif
