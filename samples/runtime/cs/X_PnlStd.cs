// X_PnlStd.cs: the run-time interface that the C# code of the screen
// commands (DISPLAY, REQUEST, POP_UP) calls: the panel tables a command
// queues (texts, fields, extended GUI attributes, the overall control
// block), the panel manager that presents them, the user-interface
// manager's answer and the colours and attributes of texts and fields.
// Declarations (stubs that compile) only: the hosting run-time supplies the
// behaviour.

// The run-time blocks as the screen commands use them.
public partial class X_IDS { public char chExecutionState; }
public partial class X_UIM { public string vchAID, vchABOpt, vchPDOpt; }
public partial class X_PRO { public int scX_ABar; public X_ABAR pX_ABar; }
public partial class X_FUN
{
    public string vchName, vchDesc;
    public char chMode, chChangeUsed, chDeleteUsed;
    public int scX_CondEvaluate; public X_COND_EVALUATE[] pX_CondEvaluate;
    public int fAddPanelTitleAsWebText, fWebPanelHasDescription;
    public string[] pWebTextTags; public int lWebTextTagsLimit;
    public int sWebPageNumber, sWebTextOffset;
    public int scX_PanelFldExt; public X_PANEL_FLD_EXT[] pX_PanelFldExt;
}
public class X_ABAR { }

// A condition the panel manager evaluates itself.
public delegate char PFNCONDEVALUATE_V5(X_IDS ids, X_PRO pro, X_FUN fun, X_FLD[] vector, X_LIST[] lists,
                                        X_FKEY keys, FUNCTION_STATIC_GLOBAL_1 global1,
                                        FUNCTION_STATIC_GLOBAL_2 global2);
public class X_COND_EVALUATE
{
    public int sCondNumber;
    public System.Delegate pfCondEvaluate;
    public X_COND_EVALUATE(int condition, System.Delegate evaluate) { sCondNumber = condition; pfCondEvaluate = evaluate; }
}

// A text constant: row, column, text, the five attribute flags and the
// colour letter.
public class X_PANEL_TXT
{
    public int lRow, lColumn;
    public string pvchText, pszAttributes;
    public char chColour;
    public X_PANEL_TXT(int row, int column, string text, string attributes, char colour)
    {
        lRow = row; lColumn = column; pvchText = text; pszAttributes = attributes; chColour = colour;
    }
}

// A field of a panel format or of a browse list: its vector (or list
// column), display mode, the two condition numbers, position and colours;
// its identification with the three texts and their positions; edit code
// and word, attribute letter; attributes and width.
public class X_PANEL_FLD
{
    public int sField; public char chMode; public int sCond1, sCond2, lRow, lColumn;
    public char chInputColour, chOutputColour, chIdKind; public int sIdCond;
    public string[] pvchIdString = new string[3];
    public int[] asIdRow = new int[3], asIdColumn = new int[3];
    public char chEditCode; public string pvchEditWord; public char chAttribute;
    public string pszInputAttributes, pszOutputAttributes; public int sWidth;
    public X_PANEL_FLD(int field, char mode, int condition1, int condition2, int row, int column, char inputColour,
                       char outputColour, char idKind, int idCondition, string id1, string id2, string id3,
                       int idRow1, int idRow2, int idRow3, int idColumn1, int idColumn2, int idColumn3,
                       char editCode, string editWord, char attribute, string inputAttributes,
                       string outputAttributes, int width)
    {
        sField = field; chMode = mode; sCond1 = condition1; sCond2 = condition2; lRow = row; lColumn = column;
        chInputColour = inputColour; chOutputColour = outputColour; chIdKind = idKind; sIdCond = idCondition;
        pvchIdString[0] = id1; pvchIdString[1] = id2; pvchIdString[2] = id3;
        asIdRow[0] = idRow1; asIdRow[1] = idRow2; asIdRow[2] = idRow3;
        asIdColumn[0] = idColumn1; asIdColumn[1] = idColumn2; asIdColumn[2] = idColumn3;
        chEditCode = editCode; pvchEditWord = editWord; chAttribute = attribute;
        pszInputAttributes = inputAttributes; pszOutputAttributes = outputAttributes; sWidth = width;
    }
}

// An extended GUI control of a panel field.
public class X_PANEL_FLD_EXT
{
    public int sField, sControl; public string pszValue; public object pvReserved1, pvReserved2;
    public X_PANEL_FLD_EXT(int field, int control, string value, object reserved1, object reserved2)
    {
        sField = field; sControl = control; pszValue = value; pvReserved1 = reserved1; pvReserved2 = reserved2;
    }
}

// A user-defined button of a panel.
public class X_PANEL_UKEY
{
    public int sValue; public string vchAID, pvchDesc;
    public X_PANEL_UKEY(int value, string aid, string description) { sValue = value; vchAID = aid; pvchDesc = description; }
}

// The overall control block of a panel; every instance of a function
// works on a copy of its function's block.
public class X_PANEL_CTL
{
    public char chCommand, chStdHead, chRunLetter1, chRunLetter2;
    public string pvchPanelId, pvchPanelTitle;
    public int sRowOffset, sColumnOffset, sDescriptionWidth;
    public int sExitHigh, sExitLow, sMenu, sAdd, sChange, sDelete, sPrompt;
    public X_PANEL_UKEY[] UKey = new X_PANEL_UKEY[5];
    public int sIoKey, sWindowRow, sWindowColumn, sWindowWidth, sWindowHeight, sReserved1, sReserved2;
    public char chReserved1, chReserved2;
    public int sReserved3, sCursorRow, sCursorColumn;
    public X_PANEL_CTL(char command, char stdHead, char runLetter1, char runLetter2, string panelId, string title,
                       int rowOffset, int columnOffset, int descriptionWidth, int exitHigh, int exitLow, int menu,
                       int add, int change, int delete, int prompt, X_PANEL_UKEY key1, X_PANEL_UKEY key2,
                       X_PANEL_UKEY key3, X_PANEL_UKEY key4, X_PANEL_UKEY key5, int ioKey, int windowRow,
                       int windowColumn, int windowWidth, int windowHeight, int reserved1, int reserved2,
                       char reserved3, char reserved4, int reserved5, int cursorRow, int cursorColumn)
    {
        chCommand = command; chStdHead = stdHead; chRunLetter1 = runLetter1; chRunLetter2 = runLetter2;
        pvchPanelId = panelId; pvchPanelTitle = title; sRowOffset = rowOffset; sColumnOffset = columnOffset;
        sDescriptionWidth = descriptionWidth; sExitHigh = exitHigh; sExitLow = exitLow; sMenu = menu; sAdd = add;
        sChange = change; sDelete = delete; sPrompt = prompt;
        UKey[0] = key1; UKey[1] = key2; UKey[2] = key3; UKey[3] = key4; UKey[4] = key5;
        sIoKey = ioKey; sWindowRow = windowRow; sWindowColumn = windowColumn; sWindowWidth = windowWidth;
        sWindowHeight = windowHeight; sReserved1 = reserved1; sReserved2 = reserved2; chReserved1 = reserved3;
        chReserved2 = reserved4; sReserved3 = reserved5; sCursorRow = cursorRow; sCursorColumn = cursorColumn;
    }
    public X_PANEL_CTL(X_PANEL_CTL model)
    {
        chCommand = model.chCommand; chStdHead = model.chStdHead; chRunLetter1 = model.chRunLetter1;
        chRunLetter2 = model.chRunLetter2; pvchPanelId = model.pvchPanelId; pvchPanelTitle = model.pvchPanelTitle;
        sRowOffset = model.sRowOffset; sColumnOffset = model.sColumnOffset; sDescriptionWidth = model.sDescriptionWidth;
        sExitHigh = model.sExitHigh; sExitLow = model.sExitLow; sMenu = model.sMenu; sAdd = model.sAdd;
        sChange = model.sChange; sDelete = model.sDelete; sPrompt = model.sPrompt; UKey = (X_PANEL_UKEY[])model.UKey.Clone();
        sIoKey = model.sIoKey; sWindowRow = model.sWindowRow; sWindowColumn = model.sWindowColumn;
        sWindowWidth = model.sWindowWidth; sWindowHeight = model.sWindowHeight; sReserved1 = model.sReserved1;
        sReserved2 = model.sReserved2; chReserved1 = model.chReserved1; chReserved2 = model.chReserved2;
        sReserved3 = model.sReserved3; sCursorRow = model.sCursorRow; sCursorColumn = model.sCursorColumn;
    }
}

namespace VELMO
{
    // The constants of the panels, and the keys and buttons that end one.
    public static class X_PnlStr
    {
        public const int X_UIM_SHOW_PANEL = 1;
        public const char X_EXECUTION_STATE_SERVER_WEB_JOB = 'W';
        public const char BLANK = ' ';
        public const string X_NORM_TEXT_ATTRIBUTES = "NNNNN", X_EMPH_TEXT_ATTRIBUTES = "YNNNN";
        public const char X_NORM_TEXT_COLOUR = 'G', X_EMPH_TEXT_COLOUR = 'W';
        const string N16 = "NNNNNNNNNNNNNNNN";
        public const char X_DEFAULT_INPUT_COLOUR = 'G', X_DEFAULT_OUTPUT_COLOUR = 'G';
        public const string X_DEFAULT_INPUT_ATTRIBUTES = N16, X_DEFAULT_OUTPUT_ATTRIBUTES = N16;
        public const char X_PBIN_INPUT_COLOUR = 'G', X_PBIN_OUTPUT_COLOUR = 'G', X_PBFP_INPUT_COLOUR = 'G', X_PBFP_OUTPUT_COLOUR = 'G', X_PBBR_INPUT_COLOUR = 'G', X_PBBR_OUTPUT_COLOUR = 'G';
        public const char X_PBCM_INPUT_COLOUR = 'G', X_PBCM_OUTPUT_COLOUR = 'G', X_PBGH_INPUT_COLOUR = 'G', X_PBGH_OUTPUT_COLOUR = 'G', X_PBNT_INPUT_COLOUR = 'G', X_PBNT_OUTPUT_COLOUR = 'G';
        public const char X_PBET_INPUT_COLOUR = 'G', X_PBET_OUTPUT_COLOUR = 'G', X_PBEN_INPUT_COLOUR = 'G', X_PBEN_OUTPUT_COLOUR = 'G', X_PBEE_INPUT_COLOUR = 'G', X_PBEE_OUTPUT_COLOUR = 'G';
        public const char X_PBCN_INPUT_COLOUR = 'G', X_PBCN_OUTPUT_COLOUR = 'G', X_PBCE_INPUT_COLOUR = 'G', X_PBCE_OUTPUT_COLOUR = 'G', X_PBSI_INPUT_COLOUR = 'G', X_PBSI_OUTPUT_COLOUR = 'G';
        public const string X_PBIN_INPUT_ATTRIBUTES = N16, X_PBIN_OUTPUT_ATTRIBUTES = N16, X_PBFP_INPUT_ATTRIBUTES = N16, X_PBFP_OUTPUT_ATTRIBUTES = N16, X_PBBR_INPUT_ATTRIBUTES = N16, X_PBBR_OUTPUT_ATTRIBUTES = N16;
        public const string X_PBCM_INPUT_ATTRIBUTES = N16, X_PBCM_OUTPUT_ATTRIBUTES = N16, X_PBGH_INPUT_ATTRIBUTES = N16, X_PBGH_OUTPUT_ATTRIBUTES = N16, X_PBNT_INPUT_ATTRIBUTES = N16, X_PBNT_OUTPUT_ATTRIBUTES = N16;
        public const string X_PBET_INPUT_ATTRIBUTES = N16, X_PBET_OUTPUT_ATTRIBUTES = N16, X_PBEN_INPUT_ATTRIBUTES = N16, X_PBEN_OUTPUT_ATTRIBUTES = N16, X_PBEE_INPUT_ATTRIBUTES = N16, X_PBEE_OUTPUT_ATTRIBUTES = N16;
        public const string X_PBCN_INPUT_ATTRIBUTES = N16, X_PBCN_OUTPUT_ATTRIBUTES = N16, X_PBCE_INPUT_ATTRIBUTES = N16, X_PBCE_OUTPUT_ATTRIBUTES = N16, X_PBSI_INPUT_ATTRIBUTES = N16, X_PBSI_OUTPUT_ATTRIBUTES = N16;
        public const int X_PNL_EXT_DROP_DOWN_LIST = 1, X_PNL_EXT_PUSH_BUTTON = 2, X_PNL_EXT_RADIO_BUTTON = 3,
                         X_PNL_EXT_CHECK_BOX = 4, UNKNOWN_WIMP_TYPE = 0;
        public const string X_UIM_OKAY_AID = "EN", X_UIM_EXIT_HI_AID = "03", X_UIM_EXIT_LO_AID = "3L",
                            X_UIM_CANCEL_AID = "12", X_UIM_CREATE_AID = "06", X_UIM_CHANGE_AID = "21",
                            X_UIM_DELETE_AID = "23", X_UIM_PROMPT_AID = "04";
        public const string X_PNL_PUSH_BUTTON_01_AID = "B1", X_PNL_PUSH_BUTTON_02_AID = "B2", X_PNL_PUSH_BUTTON_03_AID = "B3", X_PNL_PUSH_BUTTON_04_AID = "B4";
        public const string X_PNL_PUSH_BUTTON_05_AID = "B5", X_PNL_PUSH_BUTTON_06_AID = "B6", X_PNL_PUSH_BUTTON_07_AID = "B7", X_PNL_PUSH_BUTTON_08_AID = "B8";
        public const string X_PNL_PUSH_BUTTON_09_AID = "B9", X_PNL_PUSH_BUTTON_10_AID = "BA", X_PNL_PUSH_BUTTON_11_AID = "BB", X_PNL_PUSH_BUTTON_12_AID = "BC";
        public const string X_PNL_PUSH_BUTTON_13_AID = "BD", X_PNL_PUSH_BUTTON_14_AID = "BE", X_PNL_PUSH_BUTTON_15_AID = "BF", X_PNL_PUSH_BUTTON_16_AID = "BG";
        public const string X_PNL_PUSH_BUTTON_17_AID = "BH", X_PNL_PUSH_BUTTON_18_AID = "BI", X_PNL_PUSH_BUTTON_19_AID = "BJ", X_PNL_PUSH_BUTTON_20_AID = "BK";
    }
}

// The panel manager, the web text tags and the action bar.
public static partial class X_RUN_DLL
{
    public static void X_Present_Panel(int request, X_IDS ids, X_PRO pro, X_FUN fun, X_PANEL_CTL control,
                                       int fieldCount, X_FLD[] vector, X_COND[] conditions, X_FKEY keys,
                                       int actionBarCount, X_ABAR actionBar, int textCount, X_PANEL_TXT[] texts,
                                       int panelFieldCount, X_PANEL_FLD[] panelFields, int listFieldCount,
                                       X_FLD[] listFields, int browseFieldCount, X_PANEL_FLD[] browseFields,
                                       X_COND[] listConditions, X_LIST[] lists, int list, int exchangeCount,
                                       object exchange) { }
    public static string[] X_Get_Web_Text_Tags(int language, ref int limit) { return null; }
    public static int X_Handle_Action_Bar(X_IDS ids, X_PRO pro, X_FUN fun) { return 0; }
}
