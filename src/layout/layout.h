/* Screen and report layout: the automatic layouts that the checker runs in
 * pass 2 for every screen command (DISPLAY, REQUEST, POP_UP) and every
 * report line (DEF_HEAD, DEF_FOOT, DEF_LINE, DEF_BREAK), and the title
 * resolution they share with the screen design step. The records they leave
 * are described in dqov/layout/layout_records.h. */
#ifndef DQOV_LAYOUT_LAYOUT_H
#define DQOV_LAYOUT_LAYOUT_H

#include <stdint.h>

#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "params/parsed_command.h"

extern "C" {

/* The editor's design callback: (CMPE anchor, LPC anchor, event block). */
typedef void (*LAYOUT_DESIGN_CALLBACK)(void* pCmpeAnchor, void* pLpcAnchor, void* pEvent);

/* Event block of the screen layout's callback: seven words. */
typedef struct DLG_DESIGN_EVENT {
    intptr_t lCode;
    void* pEntry;
    intptr_t lValue1;
    intptr_t lValue2;
    intptr_t lValue3;
    intptr_t lValue4;
    void* pStartInfo;
} DLG_DESIGN_EVENT;

/* Event block of the report layout's callback: four words. */
typedef struct RPT_DESIGN_EVENT {
    intptr_t lCode;
    void* pEntry;
    void* pCheckState;
    void* pStartInfo;
} RPT_DESIGN_EVENT;

/* The automatic screen layout of one DISPLAY, REQUEST or POP_UP command. */
void P3111_DesignDialogue(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const FFC_PROCESS_DEFINITION* pProcess,
                          const FFC_FUNCTION_DEFINITION* pFunction, FFC_PARSED_COMMAND* pCommand,
                          int32_t* plFormatCounter, int32_t* plFieldCounter, char* pcFlag30, char cMirror,
                          char cSinglePage, char cNoFrame, int32_t lScreenLines, const char* pachMsgQueue,
                          const char* pachSystemFlags, void* pLpcAnchor, void* pCmpeAnchor,
                          LAYOUT_DESIGN_CALLBACK pfnCallback);

/* The automatic report layout of one DEF_HEAD, DEF_FOOT, DEF_LINE or
 * DEF_BREAK command. pReportTable: the checker's nine report entries. */
void P3116_DesignReport(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, const FFC_PROCESS_DEFINITION* pProcess,
                        const FFC_FUNCTION_DEFINITION* pFunction, FFC_PARSED_COMMAND* pCommand,
                        int32_t* plFormatCounter, int32_t* plItemCounter, const int32_t* plReportNumber,
                        int32_t* plSavedValueCounter, char cMirror, const void* pReportTable, const char* pachMsgQueue,
                        const char* pachSystemFlags, void* pLpcAnchor, void* pCmpeAnchor,
                        LAYOUT_DESIGN_CALLBACK pfnCallback);

/* Resolves a 40-character title (a literal, "*FUNCTIO..." for the function
 * description, "*MTXT..." for a multilingual variable) into the current
 * language's text centred in the width reserved over all languages. */
void P3125_ResolveTitleText(FFC_CONTEXT* pContext, const FFC_PROCESS_DEFINITION* pProcess,
                            const FFC_FUNCTION_DEFINITION* pFunction, const char* pachTitle, char* pachResult,
                            int32_t* plLength, int32_t lAvailable, int32_t* plStartColumn, const void* pUnused);

/* Name-prefix helpers on 50-character names: the leading character dropped
 * when it is cChar (not a blank), or cChar put in front when it is not
 * there yet. */
void P3100_StripLeadingChar(char* pachName, char cChar);
void P3100_PrefixChar(char* pachName, char cChar);

}  // extern "C"

#endif
