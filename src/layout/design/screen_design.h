/* Module state of the screen design step (module tag DC_P3097): the screen
 * being designed (its command, formats and pop-up window), the screen image
 * with its cell kinds and owners, the drawing state, the painter dialogue
 * and the field being worked on. Every routine of the step works on this
 * one state; the entry sets it up and releases it on every way out. */
#ifndef DQOV_LAYOUT_DESIGN_SCREEN_DESIGN_H
#define DQOV_LAYOUT_DESIGN_SCREEN_DESIGN_H

#include <stdint.h>

#include <string>
#include <vector>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_work_record.h"
#include "layout/design/design_state.h"

namespace layout::design {

constexpr int32_t kScreenWidth = 80, kScreenLines = 24, kScreenCells = kScreenWidth * kScreenLines;
constexpr int kScreenFormats = 20, kMarks = 50;
constexpr const char* kScreenWorkList = "DC_P3097/RM/X_INFO";

/* One record format of the screen being designed. */
struct ScreenFormat {
    char name[8]{};
    int32_t first = 0, last = 0;
    char kind[6]{};
    int32_t subfilePage = 0, subfileSize = 0, entries = 0, counted = 0, headingLines = 0;
    int32_t firstCell = 0, lastCell = 0;
    int32_t subfileLines = 0;
};

/* One entry of the mark list (the fields picked for a move). */
struct Mark {
    int32_t line, column;
    char kind;
    char number[4];
    char filler[3];
    int32_t cursorLine, cursorColumn;
    int32_t last, width;
};
static_assert(sizeof(Mark) == 32);

struct ScreenDesign : DesignCommon {
    /* arguments */
    const FFC_PROCESS_DEFINITION* process = nullptr;
    const FFC_FUNCTION_DEFINITION* function = nullptr;
    FFC_CHECK_STATE* state = nullptr;
    const FFC_PAINT_TEXTS* texts = nullptr;
    LAYOUT_FIELD_ENTRY* work = nullptr; /* elements 1 and 2 of "DC_P3097/RM/X_INFO" */
    int current = 1;                    /* the element the routines work on */
    int32_t screenLines = 24;

    /* action bar */
    char choiceLines[3][81]{};
    char separator[80]{};
    int32_t actionBarLines = 0, firstFree = 1;

    /* work-record helpers */
    FFC_WORK_RECORD record{};
    uint16_t keyCount = 1;
    char last = '1';
    std::vector<std::string> written;

    /* the screen being designed */
    int32_t commandNumber = 0, commandSecond = 0;
    char commandName[10]{};
    char selectedFormat[10]{};
    bool popUp = false;
    alignas(8) char popData[336]{};
    alignas(8) char popSaved[336]{};
    int32_t originLine = 0, originColumn = 0, usableWidth = kScreenWidth;
    std::vector<ScreenFormat> formats;
    int32_t selected = 0;
    std::string textMap;
    char title = 'Y';

    /* screen image: cells 1..size */
    int32_t size = kScreenCells, width = kScreenWidth;
    char chars[kScreenCells + 2]{};
    char kinds[kScreenCells + 2]{};
    int32_t owners[kScreenCells + 2]{};
    std::vector<std::pair<int32_t, char>> attributeUndo, rulerUndo;
    int32_t areaFirstLine = 99999, areaLastLine = -99999, areaFirstColumn = 99999, areaLastColumn = -99999;

    /* drawing state */
    int32_t line = 0, column = 0, length = 0;
    char drawText[256]{};
    int32_t attribute = 0;
    char kind = ' ';
    int32_t owner = 0;
    bool remember = false;
    char keepHighlights = 'Y';
    int32_t keptColumn = 0;
    char framePiece = ' ';

    /* pop-up window check */
    bool windowError = false; /* the window does not fit the screen */
    char windowTitle = 'Y';
    int32_t firstInner = 0, fourthLast = 0, bottomLines[3]{};

    /* title, multilingual texts, message line */
    char titleText[80]{};
    int32_t titleLength = 0, titleStart = 0;
    char titleIdentifier[11]{};
    char variable[20]{};
    char variableText[78]{};
    char variableShort[8]{};
    char message[67]{};
    char keySwitches[30]{};
    char displayHeader[80]{};
    char displayStarted = 'N';
    bool shownOnce = false;

    /* dialogue */
    char pending[3]{};
    char pendingRequest[4]{};
    int32_t cursorLine = 1, cursorColumn = 1, homeLine = 3, homeColumn = 2;
    char textLine[80]{};
    char textFlags[14]{};
    char textMode[3]{};
    LAYOUT_FIELD_ENTRY oldText{}; /* a text being changed, as it stands */
    char fieldName[10]{};
    char defaultLetter = 'D';
    char designMode = ' ';
    char selName[10]{}, selFormat[8]{}, selKind = ' ', selNumber[4]{};
    int32_t selFormatIndex = 0;
    char found = 'N', fits = 'N';
    bool inserted = false;  /* a new field waits to be placed */
    bool textTaken = false; /* a typed text waits to be placed */
    int32_t fitMessage = 0;
    Mark marks[kMarks]{};
    int32_t markCount = 0;
    char ruler = 'N';
    int32_t rulerLine = 1, rulerColumn = 1;
    char anyChanged = 'N', recordChanged = 'N', listChanged = 'N', textsChanged = 'N', popChanged = 'N';
    int32_t textCount = 0;
    double nextSequence = 9999.0;
    int32_t commonDescription = 0;
    bool lookupQuiet = false;
    bool painterGone = false;

    /* write-back */
    char screenDefault = 'X';
    int32_t lastListOwner = 0;
    FFC_PARSED_COMMAND command{};
};

/* The current element of the field work list. */
LAYOUT_FIELD_ENTRY& Field();
LAYOUT_FIELD_ENTRY& WorkElement(int element);
POP_UP_DATA& PopUp();
void ScreenMessage(int number, const std::string& text = {});
/* The 4-digit record number of a field. */
std::string RecordNumber(int32_t number);
/* Cell kind letter of a format ('R' record or control format, 'S' list). */
char FormatKindLetter(const ScreenFormat& f);
/* Keyed access to the screen's work records (kind, name and qualifier). */
void ScreenKey(FFC_WORK_RECORD& r, const char* kind, const std::string& name, const std::string& qualifier = {});
/* The step's record buffer blanked and keyed for reads of `parts` key parts. */
void RecordKey(const char* kind, const std::string& name, const std::string& qualifier, uint16_t parts);
/* The command's qualifier of its RCDFMT records and POP_UP record name. */
std::string CommandQualifier();
std::string PopUpName();
/* Reads the current element's RCDFLD record by its record number (second
 * key) into the step's record buffer; false when none. */
bool ReadFieldRecord(const std::string& number);
/* Rewrites the current element into its RCDFLD record, with the pop-up
 * origin taken off its position. */
void RewriteFieldRecord();
/* Rewrites the POP_UP record from the step's pop-up data. */
void RewritePopUpRecord();
void SetChanged(char kind);
/* Non-empty column-heading lines of a field, and its pieces drawn with its
 * own attributes (cell kind and owner as set). */
int32_t FieldHeadingLines(const LAYOUT_FIELD_ENTRY& f);
void ShowFieldPieces();
/* Whether the cursor lies on the screen's 24 lines and 80 columns; a
 * position outside is refused as the fit test refuses a block (fits 'N',
 * message 10 before the first line or column, 11 past the last), since its
 * cell would wrap onto another line. */
bool CursorOnScreen();

}  // namespace layout::design

extern "C" {
void P3097_DesignScreens(FFC_CONTEXT* pContext, const FFC_PROCESS_DEFINITION* pProcess,
                         const FFC_FUNCTION_DEFINITION* pFunction, FFC_CHECK_STATE* pState, char* pachOptionFlags,
                         const char* pachMsgQueue, FFC_PAINT_STR* pPaint);
void P3097_ScanScreenCommands(void);
void P3097_DesignScreen(void);
/* action bar, backup and leave choice */
void P3097_StartScreenDesign(void);
void P3097_SaveScreenRecords(void);
void P3097_RestoreScreenRecords(void);
void P3097_ChooseLeaveAction(void);
/* screen image */
int32_t P3097_CellFromPosition(void);
void P3097_PositionFromCell(int32_t lCell);
void P3097_PutText(void);
void P3097_EraseText(void);
void P3097_DrawField(void);
void P3097_EraseField(void);
void P3097_UndoAttributes(void);
void P3097_UndoRuler(void);
void P3097_DrawRuler(void);
void P3097_ExtendChangedArea(void);
void P3097_ClearTextCells(void);
void P3097_MirrorColumn(void);
void P3097_UnmirrorColumn(void);
void P3097_AddOffsets(void);
void P3097_RemoveOffsets(void);
int32_t P3097_FieldAttributeCode(const LAYOUT_FIELD_ENTRY* pEntry);
/* support routines */
void P3097_CheckPopUpWindow(void);
void P3097_NormaliseAttributeFlags(void);
void P3097_ResolveMultilingualText(void);
void P3097_BuildScreenTitle(void);
void P3097_FormatMessageLine(int16_t sLength, int16_t sNumber, const char* pText);
void P3097_BuildFrameLine(void);
void P3097_StartDisplayRequest(void);
void P3097_RightAlignKeyText(void);
uint16_t P3097_usGetDbcsLength(FFC_CONTEXT* pContext, void* pUnused, uint16_t usLength, const char* pText,
                               int32_t lSwitch);
void P3097_ConvertToShiftText(FFC_CONTEXT* pContext, const char* pText, uint16_t usLength, char* pResult,
                              int32_t lSwitch);
char P3097_cGetAlignment(FFC_CONTEXT* pContext);
bool P3097_cHasControlCode(const char* pachCodes);
void P3097_ShowScreenOnce(void);
void P3097_GetDesignMode(void);
int P3097_CompareKeysUp(const void* p1, const void* p2);
int P3097_CompareKeysDown(const void* p1, const void* p2);
int P3097_CompareTwoBytes(const void* p1, const void* p2);
/* record and parameter helpers */
void P3097_ReadCommandRecord(void);
void P3097_ReadFirst(void);
void P3097_ReadNext(void);
void P3097_ReadFirstBySecondKey(void);
void P3097_UpdateBySecondKey(void);
void P3097_ReadAndDeleteBySecondKey(void);
void P3097_WriteRecord(void);
void P3097_UpdateRecord(void);
void P3097_BlankRecord(void);
void P3097_SkipWord(void);
void P3097_BackOverBlanks(void);
void P3097_AppendField(void);
/* format lines */
void P3097_SetFormatLines(void);
void P3097_MoveWindowFormats(void);
/* field blocks, drawing, insertion, dialogue, write-back */
void P3097_ComputeFieldBlock(void);
void P3097_FindFieldAtCursor(void);
void P3097_fFieldBlockFits(void);
void P3097_ShowField(void);
void P3097_DrawPopUpFrame(void);
void P3097_DrawHeaderLines(void);
void P3097_DrawTitleLine(void);
void P3097_DrawFunctionKeyLines(void);
void P3097_BuildFunctionKeyLine(void);
void P3097_LoadFormatFields(void);
void P3097_InsertField(void);
void P3097_RunPainterDialogue(void);
void P3097_WriteBackScreen(void);
void P3097_UpdateScreenCommand(void);
void P3097_UpdateGroupCommand(void);
void P3097_UpdateListCommand(void);
void P3097_BuildFieldsParameter(int32_t lCommand, char cKind);
void P3097_AddListFieldAtCell(int32_t lCell);
}

#endif
