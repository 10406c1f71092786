/* FFC_PAINT_STR: the painter exchange block shared with the calling editor.
 * The caller's thread posts a request to the painter window and waits on
 * hEvent; the painter fills the block and posts the event. */
#ifndef DQOV_FFC_PAINT_STR_H
#define DQOV_FFC_PAINT_STR_H

#include <stdint.h>

/* 36-byte entries of the first object array */
typedef struct FFC_PAINT_OBJECT {
    int32_t lNumber;
    char acName[10];
    char acSecondName[8];
    char acThirdName[6];
} FFC_PAINT_OBJECT;

/* 32-byte entries of the second object array */
typedef struct FFC_PAINT_SELECTION {
    char cSelection; /* selection code, preset blank */
    char acFiller[23];
    int32_t lReserved;
    int32_t lRepeat; /* repeat count (the seventh 32-bit word) */
} FFC_PAINT_SELECTION;

/* The editor's texts that the design steps hand to the painter or issue:
 * list headings (up to 9 characters) and titles (up to 39) of the report,
 * print-line and screen lists, and the texts issued when there is nothing
 * to design. */
typedef struct FFC_PAINT_TEXTS {
    const char* apszReportHeadings[3];
    const char* pszReportTitle;
    const char* apszLineHeadings[3];
    const char* pszLineTitle;
    const char* apszScreenHeadings[4];
    const char* pszScreenTitle;
    const char* pszNoReport;
    const char* pszNoLine;
    const char* pszNoScreen;
} FFC_PAINT_TEXTS;

typedef struct FFC_PAINT_STR {
    int32_t lMode;       /* 0 report design, 1 screen design */
    int32_t lRequest;    /* request word */
    int32_t lProgressUp; /* 1: the progress window is up */
    int32_t lTrace;      /* 1: trace painter commands and show status lines */
    void* hEvent;        /* the painter's event (an OS-layer event semaphore) */
    void* hwndPainter;   /* the painter window */
    char acScreen[2000]; /* screen image */
    char acMessageLine[67];
    char acTextLine[80];
    char acTextAttributes[14];
    char acText[120];
    int16_t sFieldValue;
    char acAnswer[4];      /* painter's answer code ("WAIT" while a field is looked up) */
    char acFieldName[10];  /* field name returned by the painter */
    char acRequestCode[4]; /* request code in force */
    int32_t lCursorRow;
    int32_t lCursorColumn;
    int16_t sRequestValue; /* also the identification letter returned */
    int16_t sReply;        /* reply word */
    FFC_PAINT_OBJECT* pObjects;
    FFC_PAINT_SELECTION* pSelections;
    int32_t lObjectCount;
    char szHeading[40];      /* heading text of up to 39 characters */
    char aszHeadings[4][10]; /* four heading texts of up to 9 */
    int32_t lChosenCommand;  /* chosen object: command number */
    int32_t lChosenSecond;   /* second number */
    char acChosenCommandName[10];
    char acChosenFormatName[10];
    int32_t lBodyRepeat;
    int32_t lLinesBefore;
    int32_t lLinesAfter;
    const void* pTextTable;       /* the editor's text table (FFC_PAINT_TEXTS) */
    const char (*pTemplates)[70]; /* painter message templates, numbered from 1 */
    int32_t lTemplateCount;       /* entries of pTemplates */
    void* hAccelerators;          /* accelerator table used while waiting */
    void* hwndAccelerators;       /* window of the accelerator table */
    const char* pszIssuedText;    /* the last text issued in editor mode */
    int32_t lErrorCount;          /* the job's counts, told before the design loop */
    int32_t lWarningCount;
} FFC_PAINT_STR;

#endif
