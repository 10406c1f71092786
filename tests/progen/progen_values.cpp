// The values each keyword takes, by kind: a table of forms by keywords
// (restricted to some commands where the same keyword takes other values
// elsewhere). The writer expands these forms and its own commands' forms:
//   {A} a short alphanumeric field  {A10} one of at most 10  {a} any alphanumeric field
//   {N} a packed or signed field    {a0} {n1} ... a field the commands rely on (alpha_[0], num_[1])
//   {P} a whole-number counter      {S} the status field     {R} the relative record number field
//   {d} the date field              {l} the first list       {f} a file
//   {T<n>} a quoted text of 1..n    {I<a>-<b>} a number      {L<x|y>} a label of the main routine or x, y
//   {V} an allowed value of the table {D} the table's defaults of every element
//   {F1} the first field the command names  {C} a condition name  {c} a condition
//   {IA} an input attribute of the kind of that field (LC alphanumeric, RZ numeric)
//   {m} a message (MSGTXT or MSGID)  {s<n>} 1..n fields that fit a screen line
//   {K} a field of any kind          {M} the data of a message (up to twenty fields of any kind)
//   {KN} a field of a numeric kind (P S I F Y)  {KA} of an alphanumeric kind (A E M Z H)
//   {X<n>} a quoted text of 1..n, or a multilingual variable
//   {=x|y} x or y, each a form       [<p>text] the text (a form) at p percent
// A form whose value is missing (no list, no file) expands to nothing. Forms
// of a keyword are separated by ';'. Keywords of a pair exclude each other.
#include "progen.h"

namespace progen {

namespace {
const char* const kMsg = "ABORT EXIT MENU MESSAGE IF_ERROR ON_ERROR SET_ERROR ENDCHECK";
const char* const kChecks = "RANGECHECK VALUECHECK CONDCHECK DATECHECK FILECHECK CALLCHECK";
const char* const kScreens = "DISPLAY REQUEST POP_UP";
const char* const kUser = "UDISPLAY UREQUEST BROWSE";
const char* const kGroups = "DEF_HEAD DEF_LINE DEF_BREAK DEF_FOOT";
const char* const kFiles = "FETCH SELECT INSERT UPDATE DELETE CHECK_FOR BROWSE";
}  // namespace

const std::vector<KeywordForms>& KeywordTable()
{
    static const std::vector<KeywordForms> t = {
        {"MSGTXT", kMsg, "{X80}"},
        {"MSGTXT", kChecks, "{X80}"},
        {"MSGID", kMsg, "PG00001) MSGFILE(PGMSGF;PG00002) MSGFILE(PGMSGF) MSGDTA({M}"},
        {"MSGID", kChecks, "PG00003) MSGFILE(PGMSGF) MSGDTA({M}"},
        {"TYPE", "ABORT EXIT MENU MESSAGE IF_ERROR SET_ERROR", "*INFO;*STATUS;*WINDOW;*WINDOWBUZ"},
        {"MIN_TIME", kMsg, "{I1-5}"},
        {"WINDOW_FLD", kMsg, "{K}) TYPE(*WINDOW"},
        {"MSG_OPTION", kMsg, "Y;*NOROLL"},
        {"IO_STATUS", "SELECT_SQL", "{S};{KA}"},
        {"IO_STATUS", "", "{S};{K}"},
        {"RET_STATUS", "", "{S};{KA}"},
        {"IO_ERROR", "", "{L*ABORT|*NEXT|*RETURN}"},
        {"VAL_ERROR", "", "{L*NEXT|*RETURN|*LASTDIS}"},
        {"NOT_FOUND END_FILE", "", "{L*NEXT|*RETURN}"},
        {"ISSUE_MSG CHECK_ONLY LOCK", "", "*NO;*YES"},
        {"AUTOCOMMIT", "", "*FILEDEF;*YES;*NO"},
        {"KEEP_LAST", "FETCH", "{I1-50}"},
        {"GENERIC", "SELECT", "*NO;*YES"},
        {"RETURN_RRN", kFiles, "{R};{K}"},
        {"NBR_KEYS", "CHECK_FOR", "*WITHKEY;*COMPUTE"},
        {"NBR_KEYS", "FILECHECK", "*WITHKEY"},
        {"NBR_KEYS", "INSERT", "*WITHKEY"},
        {"COMMIT OPEN_TYPE", "OPEN", "{D}"},
        {"EXIT_KEY", kScreens, "{D};*YES {L*EXIT|*RETURN|*NEXT};*NO"},
        {"MENU_KEY", kScreens, "{D};*YES {L*MENU|*RETURN|*NEXT};*NO"},
        {"ADD_KEY CHANGE_KEY DELETE_KEY PROMPT_KEY", kScreens, "{D};*YES {L*NEXT|*RETURN}"},
        {"EXIT_KEY", kUser, "{L*EXIT|*RETURN|*NEXT}"},
        {"MENU_KEY", kUser, "{L*MENU|*RETURN|*NEXT}"},
        {"USER_KEYS", kScreens, "({I1-9} {X8});({I1-9} {T8} {L*NEXT|*RETURN});({I1-9} {X8} *NEXT {C})"},
        {"CURSOR_LOC", kScreens, "*ATFIELD {F1};{P} {P};{K} {K}"},
        {"OPTIONS", kScreens, "*OVERLAY"},
        {"DESIGN IDENTIFY DOWN_SEP ACROSS_SEP", "", "{V}"},
        {"LINE_22", kScreens, "*NO;*PROMPT"},
        {"STD_HEAD", kScreens, "N"},
        {"PANEL_ID", kScreens, "*AUTO;*NONE"},
        {"PANEL_TITL", kScreens, "{X40}"},
        {"TEXTS", kGroups, "({T20} 1 {I40-60})"},
        {"SPACE_BEF SPACE_AFT", kGroups, "{I0-2}"},
        {"PRINT_CTL", kGroups, "{D}"},
        {"AVAL_DFTC", "DEF_COND", "*NO;*YES"},
        {"WITH_MODE", "ADD_ENTRY INZ_LIST UPD_ENTRY", "*ADD;*CHANGE;*DISPLAY;*CURRENT"},
        {"INZ_ENTRY", "ADD_ENTRY INZ_LIST", "*NO;*YES"},
        {"GET_ENTRY", "LOC_ENTRY", "*NO;*YES"},
        {"ROUND_UP", "CHANGE", "*YES;*NO"},
        {"IN_RANGE IN_LIST IF_TRUE IF_VALID IN_FILE", kChecks, "*NEXT;*ACCEPT"},
        {"OUT_RANGE IF_FALSE", kChecks, "*ERROR;*NEXT"},
        {"NOT_INLIST IF_INVALID NOT_INFILE", kChecks, "*ERROR"},
        {"PROG_PARM", "CALLCHECK", "{K};{K} {K} {N}"},
        {"DAY_RANGE", "DATECHECK", "{I0-30} {I31-365}"},
        {"IN_FORMAT", "DATECHECK", "*YYMMDD;*DDMMYY;*MMDDYY;*SYSFMT"},
        {"KEEP_COUNT", "BEGINCHECK", "{P};{KN}"},
        {"PGM_LIB", "CALL SUBMIT", "*LIBL;PGLIB"},
        {"NUM_LEN", "CALL", "*DEFINED"},
        {"PGM_EXCH", "CALL", "*YES;*NO"},
        {"EXCHANGE", "CALL SUBMIT TRANSFER", "{K};{K} {K} {N}"},
        {"JOB", "SUBMIT", "PGJOB;{A10};{K}"},
        {"JOBD", "SUBMIT", "PGJOBD PGLIB;{D}"},
        {"JOBQ", "SUBMIT", "QBATCH;{D}"},
        {"OUTQ", "SUBMIT", "PGPRINT PGLIB;{D}"},
        {"INPUT_ATR", "DEFINE OVERRIDE", "{IA};{IA} HI"},
        {"OUTPUT_ATR", "DEFINE OVERRIDE", "HI;GRN;BLU ND"},
        {"COLHDG", "DEFINE OVERRIDE", "{T20};{T20} {T20}"},
        {"DESC", "DEFINE OVERRIDE", "{T40}"},
        {"LABEL", "DEFINE OVERRIDE", "{T15}"},
    };
    return t;
}

const std::vector<std::pair<std::string, std::string>>& ExcludingPairs()
{
    static const std::vector<std::pair<std::string, std::string>> p = {
        {"MSGTXT", "MSGID"},    {"WITH_KEY", "WITH_RRN"}, {"WHERE", "WITH_RRN"},   {"TYPE", "WINDOW_FLD"},
        {"GENERIC", "OPTIONS"}, {"WHERE", "NBR_KEYS"},    {"WITH_RRN", "NBR_KEYS"}};
    return p;
}

}  // namespace progen
