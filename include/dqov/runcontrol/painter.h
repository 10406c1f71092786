/* The painter protocol: requests posted to the editor's painter window
 * (WM_USER+1 .. WM_USER+16) through the shared exchange block FFC_PAINT_STR.
 * After posting, the caller's thread dispatches its window messages until
 * the painter posts the block's event, then resets the event. */
#ifndef DQOV_PAINTER_H
#define DQOV_PAINTER_H

#include "dqov/runcontrol/ffc_paint_str.h"
#include <stdint.h>

#define P31O2_PAINT_COMMAND 1 /* WM_USER+1: design command */
#define P31O2_PAINT_COUNTS 2  /* WM_USER+2: the job's counts; the reply drives the design loop */
#define P31O2_PAINT_REQUEST5 5
#define P31O2_PAINT_REQUEST6 6
#define P31O2_PAINT_REQUEST8 8
#define P31O2_PAINT_SCREEN_TEXT 9
#define P31O2_PAINT_FIELD 10
#define P31O2_PAINT_REQUEST11 11
#define P31O2_PAINT_REQUEST13 13
#define P31O2_PAINT_REPORT_TEXT 14
#define P31O2_PAINT_SPACING 15
#define P31O2_PAINT_REQUEST16 16

#ifdef __cplusplus
extern "C" {
#endif

/* Registers the editor's exchange block for the following jobs (NULL: none). */
void PassPaintStrPtr(FFC_PAINT_STR* pPaint);
FFC_PAINT_STR* P31O2_pGetPaintStr(void);

/* Posts WM_USER+usRequest to the painter window (wParam: the block) and
 * waits for the painter's answer; returns the block's reply word, or -1 when
 * there is no painter window or event. */
int16_t P31O2_sPainterPost(FFC_PAINT_STR* pPaint, uint16_t usRequest);
/* 1 while the block names a live painter window with its event, so that
 * requests can be answered; a design step ends when the painter is gone. */
int32_t P31O2_fPainterPresent(const FFC_PAINT_STR* pPaint);
/* Sends WM_USER+19 to the painter window (wParam 0 busy, 1 free again). */
void P31O2_SendPainterBusy(FFC_PAINT_STR* pPaint, int32_t fFree);

int16_t P31O2_sPainterRequest5(FFC_PAINT_STR* pPaint, int32_t lValue);
int16_t P31O2_sPainterRequest6(FFC_PAINT_STR* pPaint, int16_t sValue);
int16_t P31O2_sPainterRequest8(FFC_PAINT_STR* pPaint);
int16_t P31O2_sPainterRequest11(FFC_PAINT_STR* pPaint);
int16_t P31O2_sPainterRequest13(FFC_PAINT_STR* pPaint);
void P31O2_PainterRequest16(FFC_PAINT_STR* pPaint);
/* Tells the painter the job's error and warning counts (WM_USER+2) and
 * returns its reply: 3 screen design, 4 report design, 2 or less ends. */
int16_t P31O2_sPainterCounts(FFC_PAINT_STR* pPaint, int32_t lErrors, int32_t lWarnings);

/* One design exchange (see the request codes "IC  ", "TS  ", "FS  ", "SS  "). */
typedef void (*P31O2_IDENTIFY_FN)(FFC_PAINT_STR* pPaint);
void P31O2_SetIdentificationHandlers(P31O2_IDENTIFY_FN pfnScreen, P31O2_IDENTIFY_FN pfnReport);
int16_t P31O2_sPainterCommand(char* pTextLine, char* pTextAttributes, int16_t* psFieldValue, char* pRequestCode,
                              int32_t* plCursorRow, int32_t* plCursorColumn, char* pScreen, char* pMessageLine,
                              char* pFieldName, int16_t* psIdentification, char* pText, int32_t* plLinesAfter,
                              int32_t* plLinesBefore, FFC_PAINT_STR* pPaint);

/* Asks "Save report image for VELMO Designer ?" as a yes/no services
 * message; without an interactive answer the default stands (yes when
 * cChanged is 'Y', else no). Stores 'Y' or 'N' in the reply word and
 * returns it. */
int16_t P31O2_AskSaveReportImage(FFC_PAINT_STR* pPaint, char cChanged);

/* The painter's object arrays. */
int16_t P31O2_AddPainterObject(FFC_PAINT_STR* pPaint, int32_t lNumber, const char* acName, const char* acSecondName,
                               const char* acThirdName, int16_t sIndex, const char* pszHeading1,
                               const char* pszHeading2, const char* pszHeading3, const char* pszHeading4,
                               const char* pszHeading);
void P31O2_FreePainterObjects(FFC_PAINT_STR* pPaint);

/* The progress thread and window ("Function Checking"), editor mode only. */
int16_t P31O2_sStartProgress(void);
void P31O2_StopProgress(void);
void P31O2_SendProgressStep(int32_t lPass, int32_t lStep, int32_t lTotal);
/* The last text the progress window shows ("" when it is not up). */
const char* P31O2_pszProgressText(void);

#ifdef __cplusplus
}
#endif

#endif
