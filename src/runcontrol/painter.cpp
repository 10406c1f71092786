// The painter protocol: requests posted to the editor's painter window,
// answered when the painter fills the exchange block and posts its event.
// While waiting, the caller's thread keeps dispatching its window messages.
#include "dqov/runcontrol/painter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dqov/runcontrol/messages.h"
#include "platform/dqoz/dqoz.h"
#include "platform/winmsg/winmsg.h"
#include "runcontrol/services_bridge.h"

namespace {

P31O2_IDENTIFY_FN g_identifyScreen = nullptr;
P31O2_IDENTIFY_FN g_identifyReport = nullptr;

constexpr long kWaitSliceMs = 10;

HWND painterWindow(FFC_PAINT_STR* p)
{
    return static_cast<HWND>(p->hwndPainter);
}
HEV painterEvent(FFC_PAINT_STR* p)
{
    return static_cast<HEV>(p->hEvent);
}

// Runs the calling thread's window messages that are waiting.
void dispatchWaiting(FFC_PAINT_STR* p)
{
    WIN_MSG msg;
    while (WIN_PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!WIN_TranslateAccelerator(static_cast<HWND>(p->hwndAccelerators), p->hAccelerators, &msg))
            WIN_DispatchMessage(&msg);
    }
}

// Posts the request and waits for the painter's event; false when there is
// no painter to answer (no window, no event, or the window went away).
bool postAndWait(FFC_PAINT_STR* p, uint16_t request)
{
    if (!p || !p->hEvent || !WIN_IsWindow(painterWindow(p)))
        return false;
    if (!WIN_PostMessage(painterWindow(p), WM_USER + request, reinterpret_cast<WPARAM>(p), 0))
        return false;
    for (;;) {
        if (DosWaitEventSem(painterEvent(p), kWaitSliceMs) == 0)
            break;
        dispatchWaiting(p);
        if (!WIN_IsWindow(painterWindow(p)))
            return false;
    }
    DosResetEventSem(painterEvent(p), nullptr);
    return true;
}

bool codeIs(const char* code, const char* what)
{
    return std::memcmp(code, what, 4) == 0;
}

void trace(FFC_PAINT_STR* p, const char* requestArg)
{
    if (p->lTrace != 1)
        return;
    char text[64];
    std::snprintf(text, sizeof text, "PAINTER: Command=%.*s xACT=%.*s", 4, p->acRequestCode, 4, requestArg);
    bridge::DisplayServicesMessage(180, text);
}

}  // namespace

extern "C" {

int16_t P31O2_sPainterPost(FFC_PAINT_STR* p, uint16_t request)
{
    if (!postAndWait(p, request))
        return -1;
    return p->sReply;
}

int32_t P31O2_fPainterPresent(const FFC_PAINT_STR* p)
{
    return p && p->hEvent && WIN_IsWindow(static_cast<HWND>(p->hwndPainter)) ? 1 : 0;
}

void P31O2_SendPainterBusy(FFC_PAINT_STR* p, int32_t free)
{
    if (P31O2_fPainterPresent(p))
        WIN_SendMessage(painterWindow(p), WM_USER + 19, free ? 1 : 0, 0);
}

int16_t P31O2_sPainterRequest5(FFC_PAINT_STR* p, int32_t value)
{
    if (p && value != 0)
        p->lRequest = value;
    return P31O2_sPainterPost(p, P31O2_PAINT_REQUEST5);
}

int16_t P31O2_sPainterRequest6(FFC_PAINT_STR* p, int16_t value)
{
    if (p)
        p->sRequestValue = value;
    return P31O2_sPainterPost(p, P31O2_PAINT_REQUEST6);
}

int16_t P31O2_sPainterRequest8(FFC_PAINT_STR* p)
{
    return P31O2_sPainterPost(p, P31O2_PAINT_REQUEST8);
}
int16_t P31O2_sPainterRequest11(FFC_PAINT_STR* p)
{
    return P31O2_sPainterPost(p, P31O2_PAINT_REQUEST11);
}
int16_t P31O2_sPainterRequest13(FFC_PAINT_STR* p)
{
    return P31O2_sPainterPost(p, P31O2_PAINT_REQUEST13);
}
void P31O2_PainterRequest16(FFC_PAINT_STR* p)
{
    P31O2_sPainterPost(p, P31O2_PAINT_REQUEST16);
}

int16_t P31O2_sPainterCounts(FFC_PAINT_STR* p, int32_t errors, int32_t warnings)
{
    if (!p)
        return -1;
    p->lErrorCount = errors;
    p->lWarningCount = warnings;
    return P31O2_sPainterPost(p, P31O2_PAINT_COUNTS);
}

void P31O2_SetIdentificationHandlers(P31O2_IDENTIFY_FN screen, P31O2_IDENTIFY_FN report)
{
    g_identifyScreen = screen;
    g_identifyReport = report;
}

int16_t P31O2_sPainterCommand(char* textLine, char* textAttributes, int16_t* fieldValue, char* requestCode,
                              int32_t* cursorRow, int32_t* cursorColumn, char* screen, char* messageLine,
                              char* fieldName, int16_t* identification, char* text, int32_t* linesAfter,
                              int32_t* linesBefore, FFC_PAINT_STR* p)
{
    if (!p || !requestCode)
        return -1;
    const bool screenMode = p->lMode != 0;
    int16_t result = 0;
    auto answer = [&] {
        if (fieldValue)
            *fieldValue = p->sFieldValue;
        std::memcpy(requestCode, p->acAnswer, 4);
    };
    // The text of the request (a screen line and its attributes, or a
    // report line) handed to the painter, and as the painter left it.
    auto putText = [&] {
        if (screenMode) {
            if (textLine)
                std::memcpy(p->acTextLine, textLine, sizeof p->acTextLine);
            if (textAttributes)
                std::memcpy(p->acTextAttributes, textAttributes, sizeof p->acTextAttributes);
        } else if (text) {
            std::memcpy(p->acText, text, sizeof p->acText);
        }
    };
    auto takeText = [&] {
        if (screenMode) {
            if (textLine)
                std::memcpy(textLine, p->acTextLine, sizeof p->acTextLine);
            if (textAttributes)
                std::memcpy(textAttributes, p->acTextAttributes, sizeof p->acTextAttributes);
        } else if (text) {
            std::memcpy(text, p->acText, sizeof p->acText);
        }
    };

    if (codeIs(requestCode, "IC  ")) {
        P31O2_IDENTIFY_FN fn = screenMode ? g_identifyScreen : g_identifyReport;
        if (fn)
            fn(p);
    } else if (codeIs(requestCode, "TS  ")) {
        putText();
        if (!postAndWait(p, screenMode ? P31O2_PAINT_SCREEN_TEXT : P31O2_PAINT_REPORT_TEXT)) {
            result = -1;
        } else {
            answer();
            takeText();
        }
    } else if (codeIs(requestCode, "FS  ")) {
        if (fieldValue)
            p->sFieldValue = *fieldValue;
        if (!postAndWait(p, P31O2_PAINT_FIELD)) {
            result = -1;
        } else {
            answer();
            if (fieldName)
                std::memcpy(fieldName, p->acFieldName, sizeof p->acFieldName);
            if (identification)
                *identification = p->sRequestValue;
        }
    } else if (codeIs(requestCode, "SS  ")) {
        if (!screenMode) {
            if (linesBefore)
                p->lLinesBefore = *linesBefore;
            if (linesAfter)
                p->lLinesAfter = *linesAfter;
            if (!postAndWait(p, P31O2_PAINT_SPACING)) {
                result = -1;
            } else {
                answer();
                if (linesBefore)
                    *linesBefore = p->lLinesBefore;
                if (linesAfter)
                    *linesAfter = p->lLinesAfter;
            }
        }
    } else {
        if (codeIs(p->acRequestCode, "END ")) {
            std::memcpy(p->acRequestCode, "    ", 4);
        } else if (codeIs(p->acRequestCode, "MT  ") && (codeIs(p->acAnswer, "WR  ") || codeIs(p->acAnswer, "WL  ") ||
                                                        codeIs(p->acAnswer, "DN  ") || codeIs(p->acAnswer, "UP  "))) {
            // a move continues
        } else {
            std::memcpy(p->acRequestCode, requestCode, 4);
        }
        if (messageLine)
            std::memcpy(p->acMessageLine, messageLine, sizeof p->acMessageLine);
        if (screen)
            std::memcpy(p->acScreen, screen, sizeof p->acScreen);
        putText();
        if (!postAndWait(p, P31O2_PAINT_COMMAND)) {
            result = -1;
        } else {
            answer();
            if (cursorRow)
                *cursorRow = p->lCursorRow;
            if (cursorColumn)
                *cursorColumn = p->lCursorColumn;
            takeText();
        }
    }
    trace(p, requestCode);
    return result;
}

int16_t P31O2_AddPainterObject(FFC_PAINT_STR* p, int32_t number, const char* name, const char* second,
                               const char* third, int16_t index, const char* h1, const char* h2, const char* h3,
                               const char* h4, const char* heading)
{
    if (!p || index < 1)
        return -1;
    if (index == 1)
        P31O2_FreePainterObjects(p);
    if (index > p->lObjectCount + 1)
        return -1;  // indexes run from 1 without gaps
    auto* objects = static_cast<FFC_PAINT_OBJECT*>(std::realloc(p->pObjects, sizeof(FFC_PAINT_OBJECT) * index));
    if (!objects)
        return -9;
    p->pObjects = objects;
    auto* selections =
        static_cast<FFC_PAINT_SELECTION*>(std::realloc(p->pSelections, sizeof(FFC_PAINT_SELECTION) * index));
    if (!selections)
        return -9;
    p->pSelections = selections;
    FFC_PAINT_OBJECT& o = objects[index - 1];
    o.lNumber = number;
    std::memcpy(o.acName, name ? name : "          ", sizeof o.acName);
    std::memcpy(o.acSecondName, second ? second : "        ", sizeof o.acSecondName);
    std::memcpy(o.acThirdName, third ? third : "      ", sizeof o.acThirdName);
    FFC_PAINT_SELECTION& s = selections[index - 1];
    std::memset(&s, 0, sizeof s);
    s.cSelection = ' ';
    s.lRepeat = 0;
    p->lObjectCount = index;
    const char* heads[] = {h1, h2, h3, h4};
    for (int i = 0; i < 4; ++i)
        std::snprintf(p->aszHeadings[i], sizeof p->aszHeadings[i], "%s", heads[i] ? heads[i] : "");
    std::snprintf(p->szHeading, sizeof p->szHeading, "%s", heading ? heading : "");
    return 0;
}

int16_t P31O2_AskSaveReportImage(FFC_PAINT_STR* p, char changed)
{
    char answer = changed == 'Y' ? 'Y' : 'N';
    bridge::DisplayServicesMessage(180, std::string("Save report image for VELMO Designer ? ") +
                                            (answer == 'Y' ? "Yes" : "No"));
    if (p)
        p->sReply = answer;
    return answer;
}

void P31O2_FreePainterObjects(FFC_PAINT_STR* p)
{
    if (!p)
        return;
    std::free(p->pObjects);
    std::free(p->pSelections);
    p->pObjects = nullptr;
    p->pSelections = nullptr;
    p->lObjectCount = 0;
}

}  // extern "C"
