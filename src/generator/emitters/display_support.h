/*
** display_support.h: what the two halves of the screen emitter share: the
** panel of the current DISPLAY, REQUEST or POP_UP (the argument texts of
** its X_Present_Panel call, the conditions it uses, its user keys, its
** title line and web flags) and the function's panel counters.
**
** The panel tables (display_tables.cpp) fill the panel from the layout
** records of the command; the emitter (display.cpp) writes the call and the
** handling of the key that ended the panel.
*/
#ifndef GENERATOR_EMITTERS_DISPLAY_SUPPORT_H
#define GENERATOR_EMITTERS_DISPLAY_SUPPORT_H

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "generator/core/model/list_definitions.h"

/* One user-defined button of a panel. */
struct GEN_PANEL_USER_KEY {
    bool fEnabled = false;
    std::string aid;    /* two characters */
    std::string target; /* 10 characters */
};

/* The panel of the current screen command. */
struct GEN_PANEL {
    std::string number;  /* GEN_COMMAND_NUMBER_TEXT */
    char cCommand = 'D'; /* 'D' DISPLAY, 'R' REQUEST, 'P' POP_UP */
    GEN_LIST_DEFINITION* pBrowse = nullptr;
    /* the eleven argument texts of X_Present_Panel, and the GUI table */
    std::string control = "pX_NULL";
    std::string textCount = "0", textTable = "pX_NULL";
    std::string fieldCount = "0", fieldTable = "pX_NULL";
    std::string listFieldNumber = "0", listFieldVectors = "pX_NULL";
    std::string browseCount = "0", browseTable = "pX_NULL";
    std::string listConditions = "pX_NULL", listArray = "pX_NULL", listNumber = "0";
    std::string guiCount = "0", guiTable = "pX_NULL";
    /* the conditions its fields and keys name */
    std::vector<std::string> conditions;
    std::array<GEN_PANEL_USER_KEY, 5> userKeys;
    /* set by the tables */
    std::string titleLine;
    bool fAddTitleAsWebText = false;
    bool fHasDescription = false;
    int32_t lWebTextOffset = 0;
};

/* The screen emitters' state of one generation: the current panel, the
** function's web page and web text counters, and the text position
** counter of the web page records with the switch of their first panel. */
struct GEN_DISPLAY_STATE {
    GEN_PANEL panel;
    int32_t lWebPages = 1;
    int32_t lWebTexts = 0;
    uint32_t ulWebPosition = 0;
    bool fWebStarted = false;
};
GEN_DISPLAY_STATE& P3109_DisplayState();

/* Raises the function's web text counter. */
void P3109_WebTextCounterAdd(int32_t lTexts);
/* Whether the panels are described in web page records: the function's
** HTML or XML pages are asked for, and this is the C pass. */
bool P3109_fWebRecords();

/* Builds and queues the panel tables of the current command (inside the
** one-time initialisation block): the title line to write, and the two web
** flags, go to the panel. */
void P3109_EmitPanelFieldTables(GEN_PANEL& panel);

/* Forgets the counters (the set-up). */
void P3109_ResetDisplayEmitters();

#endif
