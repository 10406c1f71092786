/*
** x_pnlstd.h: the run-time interface of the screen commands: the panel
** tables a DISPLAY, REQUEST or POP_UP queues (texts, fields, extended GUI
** attributes, the overall control block), the panel manager that presents
** them, the user-interface manager's answer, the identification of the
** conditions evaluated at run time and the colours and attributes of
** texts and fields. Declarations only.
*/
#ifndef X_PNLSTD_H
#define X_PNLSTD_H

struct X_IDS;
struct X_PRO;
struct X_FUN;
struct X_FLD;
struct X_LIST;
struct X_COND;
struct X_FKEY;
struct X_ABAR;

/* The user-interface manager's answer: the key or button that ended the
** panel, and the action-bar and pull-down options chosen. */
struct X_UIM {
    X_CHAR vchAID[3];
    X_CHAR vchABOpt[3];
    X_CHAR vchPDOpt[3];
};

/* A condition the panel manager evaluates itself. */
typedef X_YES_NO_FUNCTION (*PFNCONDEVALUATE_V5)(FUNCTION_STD_ARGS);
struct X_COND_EVALUATE {
    X_SHORT sCondNumber;
    union {
        PFNCONDEVALUATE_V5 pfCondEvaluate_V5;
    } Version;
};

/* A text constant: row, column, text, the five attribute flags and the
** colour letter. */
struct X_PANEL_TXT {
    X_LONG lRow;
    X_LONG lColumn;
    const char *pvchText;
    const char *pszAttributes;
    X_CHAR chColour;
};
#define X_NORM_TEXT_ATTRIBUTES "NNNNN"
#define X_NORM_TEXT_COLOUR 'G'
#define X_EMPH_TEXT_ATTRIBUTES "YNNNN"
#define X_EMPH_TEXT_COLOUR 'W'

/* A field of a panel format or of a browse list: its vector (or list
** column), display mode, the two condition numbers, position and colours;
** its identification with the three texts and their positions; edit code
** and word, attribute letter; attributes and width. */
struct X_PANEL_FLD {
    X_SHORT sField;
    X_CHAR chMode;
    X_SHORT sCond1;
    X_SHORT sCond2;
    X_LONG lRow;
    X_LONG lColumn;
    X_CHAR chInputColour;
    X_CHAR chOutputColour;
    X_CHAR chIdKind;
    X_SHORT sIdCond;
    const char *pvchIdString[3];
    X_SHORT asIdRow[3];
    X_SHORT asIdColumn[3];
    X_CHAR chEditCode;
    const char *pvchEditWord;
    X_CHAR chAttribute;
    const char *pszInputAttributes;
    const char *pszOutputAttributes;
    X_SHORT sWidth;
};

/* The colours and attributes of a field: the defaults and the display
** styles of the field definitions. */
#define X_DEFAULT_INPUT_COLOUR 'G'
#define X_DEFAULT_OUTPUT_COLOUR 'G'
#define X_DEFAULT_INPUT_ATTRIBUTES "NNNNNNNNNNNNNNNN"
#define X_DEFAULT_OUTPUT_ATTRIBUTES "NNNNNNNNNNNNNNNN"
#define X_PANEL_STYLE(style)                                                                                         \
    enum { X_##style##_INPUT_COLOUR = 'G', X_##style##_OUTPUT_COLOUR = 'G' };
X_PANEL_STYLE(PBIN) X_PANEL_STYLE(PBFP) X_PANEL_STYLE(PBBR) X_PANEL_STYLE(PBCM) X_PANEL_STYLE(PBGH)
X_PANEL_STYLE(PBNT) X_PANEL_STYLE(PBET) X_PANEL_STYLE(PBEN) X_PANEL_STYLE(PBEE) X_PANEL_STYLE(PBCN)
X_PANEL_STYLE(PBCE) X_PANEL_STYLE(PBSI)
#define X_PANEL_STYLE_ATTRIBUTES(style)                                                                              \
    extern const char X_##style##_INPUT_ATTRIBUTES[], X_##style##_OUTPUT_ATTRIBUTES[];
X_PANEL_STYLE_ATTRIBUTES(PBIN) X_PANEL_STYLE_ATTRIBUTES(PBFP) X_PANEL_STYLE_ATTRIBUTES(PBBR)
X_PANEL_STYLE_ATTRIBUTES(PBCM) X_PANEL_STYLE_ATTRIBUTES(PBGH) X_PANEL_STYLE_ATTRIBUTES(PBNT)
X_PANEL_STYLE_ATTRIBUTES(PBET) X_PANEL_STYLE_ATTRIBUTES(PBEN) X_PANEL_STYLE_ATTRIBUTES(PBEE)
X_PANEL_STYLE_ATTRIBUTES(PBCN) X_PANEL_STYLE_ATTRIBUTES(PBCE) X_PANEL_STYLE_ATTRIBUTES(PBSI)

/* An extended GUI control of a panel field. */
struct X_PANEL_FLD_EXT {
    X_SHORT sField;
    X_SHORT sControl;
    const char *pszValue;
    X_PVOID pvReserved1;
    X_PVOID pvReserved2;
};
#define X_PNL_EXT_DROP_DOWN_LIST 1
#define X_PNL_EXT_PUSH_BUTTON 2
#define X_PNL_EXT_RADIO_BUTTON 3
#define X_PNL_EXT_CHECK_BOX 4
#define UNKNOWN_WIMP_TYPE 0

/* A user-defined button of a panel. */
struct X_PANEL_UKEY {
    X_SHORT sValue;
    X_CHAR vchAID[3];
    const char *pvchDesc;
};

/* The overall control block of a panel. */
struct X_PANEL_CTL {
    X_CHAR chCommand;
    X_CHAR chStdHead;
    X_CHAR chRunLetter1;
    X_CHAR chRunLetter2;
    const char *pvchPanelId;
    const char *pvchPanelTitle;
    X_SHORT sRowOffset;
    X_SHORT sColumnOffset;
    X_SHORT sDescriptionWidth;
    X_SHORT sExitHigh, sExitLow, sMenu, sAdd, sChange, sDelete, sPrompt;
    struct X_PANEL_UKEY UKey[5];
    X_SHORT sIoKey;
    X_SHORT sWindowRow, sWindowColumn, sWindowWidth, sWindowHeight;
    X_SHORT sReserved1, sReserved2;
    X_CHAR chReserved1, chReserved2;
    X_SHORT sReserved3;
    X_SHORT sCursorRow, sCursorColumn;
};

#define X_UIM_SHOW_PANEL 1
void X_Present_Panel(X_SHORT sRequest, struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_PANEL_CTL *pControl,
                     X_SHORT scFields, struct X_FLD *, struct X_COND *, struct X_FKEY *, X_SHORT scActionBar,
                     struct X_ABAR *pActionBar, X_SHORT scTexts, struct X_PANEL_TXT *pTexts, X_SHORT scPanelFields,
                     struct X_PANEL_FLD *pPanelFields, X_SHORT sListFields, struct X_FLD *pListFields,
                     X_SHORT scBrowseFields, struct X_PANEL_FLD *pBrowseFields, struct X_COND *pListConditions,
                     struct X_LIST *pLists, X_SHORT sList, X_SHORT scExchange, X_PVOID pvExchange);
X_PPVCHAR X_Get_Web_Text_Tags(X_SHORT sLangNo, X_LONG *plLimit);

/* The extended language's fields in the panel manager's format and back. */
void X_Flip_to_ZOPH_Vec_Format(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                               X_PVOID *ppvTrack1, X_PVOID *ppvTrack2, X_BOOL f1, X_BOOL f2);
void X_Flop_to_ZOPHX_Vec_Format(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *, X_SHORT scFields,
                                X_PVOID *ppvTrack1, X_BOOL f1, X_PVOID *ppvTrack2, X_BOOL f2, X_BOOL f3);

/* The action chosen from the process's action bar: the function, a
** subroutine or a component routine ends by the runtime's answer. */
X_SHORT X_Handle_Action_Bar(struct X_IDS *, struct X_PRO *, struct X_FUN *);
#define X_MAIN_HANDLE_ACTION_BAR(module)                                                                             \
    { X_SHORT sAction = X_Handle_Action_Bar(pX_Ids, pX_Pro, pX_Fun); if (sAction != X_SUBR_NORMAL_END) X_MAIN_END(sAction) }
#define X_SUBR_HANDLE_ACTION_BAR                                                                                     \
    { X_SHORT sAction = X_Handle_Action_Bar(pX_Ids, pX_Pro, pX_Fun); if (sAction != X_SUBR_NORMAL_END) X_SUBR_END(sAction) }
#define X_COMR_HANDLE_ACTION_BAR                                                                                     \
    { X_SHORT sAction = X_Handle_Action_Bar(pX_Ids, pX_Pro, pX_Fun); if (sAction != X_SUBR_NORMAL_END) X_COMR_END(sAction) }

#endif
