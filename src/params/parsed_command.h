/* The parsed command: a command's header and its 5,000-byte parameter
 * area, filled by the parameter preparation and read by the check handlers,
 * the emitters and the layout steps.
 *
 * The parameter area holds blank-padded fixed fields in the order of the
 * command's parameter definition (below).  Every parameter is one of:
 *   'S' single:  its elements one after the other;
 *   'R' rows:    a 32-bit entry count, then `entries` rows of its elements;
 *   'C' columns: no count; for each element an array of `entries` values
 *                (texts with their lines and columns);
 *   'F' flag set: a 32-bit count, `entries` values as written, then one
 *                'Y'/'N' byte per allowed value, in the order of the values.
 * Element kinds and their storage:
 *   'A' a value as written (unquoted values upper-cased, literals keep their
 *       quotes), width characters;
 *   'T' a text: a quoted literal is stored without its quotes;
 *   'X' an expression or condition kept whole (a single literal loses its
 *       quotes), width characters;
 *   'S' a special value stored without its leading '*' ("*ACROSS" -> "ACROSS");
 *   'C' one code letter: the first letter after the '*' ("*LEADING" -> 'L',
 *       "*YES" -> 'Y');
 *   'N' a signed 32-bit number, 'H' a signed 16-bit number (native order).
 * Parameters whose keyword begins with '@' are result slots that the check
 * handlers fill; they cannot be written in the source.
 *
 * Keyword names the language does not fix are chosen in the style of their
 * siblings; they are listed in keyword-choices.md beside this header.
 *
 * The same definitions are the rows of the repository's keyword table
 * (QV_F98, see samples/repository/60-keywords.sql), which the checker loads
 * into the keyword area; a test holds both equal. */
#ifndef DQOV_PARAMS_PARSED_COMMAND_H
#define DQOV_PARAMS_PARSED_COMMAND_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define FFC_PARM_AREA_SIZE 5000

#ifndef FFC_PARSED_COMMAND_DEFINED
#define FFC_PARSED_COMMAND_DEFINED
typedef struct FFC_PARSED_COMMAND {
    int16_t sLine;                    /* 0: key of the command store */
    int16_t sSubLine;                 /* 2 */
    int16_t sSequence;                /* 4: running sequence number */
    uint16_t usCommandNumber;         /* 6: 1..127 */
    char acName[10];                  /* 8 (byte 9) */
    char acLabel[3];                  /* 18 */
    char cFrame;                      /* 21: non-zero when operands go through a frame */
    int16_t sOpenerLine;              /* 22: written by the structure check on a match */
    int16_t sOpenerSubLine;           /* 24 */
    char acRoutineRef[9];             /* 26: kind-3 routine reference: 3, letter, 7 digits */
    char cPrepared;                   /* 35: 'Y' once the parameters were prepared */
    int32_t lDispatchId;              /* 36: -1 when none */
    char acLoopId[6];                 /* 40: loop identifier of SELECT ("SL@" + 3 digits) */
    char acFiller[9];                 /* 46 */
    char acParms[FFC_PARM_AREA_SIZE]; /* 55 (byte 56) */
} FFC_PARSED_COMMAND;
#endif

#ifdef __cplusplus
}

#include <array>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

static_assert(offsetof(FFC_PARSED_COMMAND, acName) == 8);
static_assert(offsetof(FFC_PARSED_COMMAND, acParms) == 55);

namespace dqov::cmdparm {

inline constexpr int kMaxElements = 6;
/* The commands: the rows of commands.def. */
inline constexpr int kCommandCount = 0
#define DQOV_COMMAND(...) +1
#include "params/commands.def"
#undef DQOV_COMMAND
    ;

struct Element {
    char kind = 'A';
    uint16_t width = 0;
    int16_t offset = -1; /* fixed place in the parameter area, -1 auto */
    char role = ' ';     /* what the value names for the checker's usage records (kRole...) */
};

/* What an element's value names, so that the checker records its use for
 * the generator (the storage does not depend on it):
 *   kRoleField    a field when written with the national name character
 *                 ("#CUSTNO"); a special value ("*NONE") or a plain name
 *                 (a literal program or library) names none;
 *   kRoleOperand  a field, a literal ('ABC', 12.5) or a field group;
 *   kRoleCondition an expression or condition: the fields it names;
 *   kRoleStatus   an I/O status field: "*STATUS" is the function's own;
 *   kRoleName     a field, or else an object name taken as written (a
 *                 program, library or job attribute): an alphanumeric
 *                 literal of that text;
 *   kRoleSqlText  SQL text whose host fields (":NAME") are fields; the
 *                 SELECT_SQL check scans it, as only it knows which of its
 *                 texts the statement uses. */
inline constexpr char kRoleField = 'F';
inline constexpr char kRoleOperand = 'O';
inline constexpr char kRoleCondition = 'E';
inline constexpr char kRoleStatus = 'S';
inline constexpr char kRoleSqlText = 'Q';
inline constexpr char kRoleName = 'N';

/* The allowed-value lists of the one-value and flag-set parameters.  A
 * parameter definition holds the place of its list here rather than a
 * pointer, and its keyword and defaults in fixed fields, so the tables below
 * hold no addresses: loading the library writes none of their pages. */
#define DQOV_SELECT_OPTIONS "*BACKWARDS *STARTKEY *ENDWHERE *ENDWHERESQL *BLOCK"
/* The design of a screen or a report line: the values the layout steps
 * know, and the separations they step by (lines 1-10, columns 0-10). */
#define DQOV_DESIGNS "*ACROSS *DOWN"
#define DQOV_IDENTIFY "*COLHDG *LABEL *DESC *NOID"
#define DQOV_DOWN_SEPS "1 2 3 4 5 6 7 8 9 10"
#define DQOV_ACROSS_SEPS "0 1 2 3 4 5 6 7 8 9 10"
#define DQOV_TRIGGERS "*LEADING *TRAILING"
#define DQOV_USE_OPTIONS "*ONDEMAND *IMMEDIATE *KEEPOPEN *OPNQRYF"
#define DQOV_FUNCTION_OPTIONS                                                                                          \
    "*NOMESSAGES *DEFERWRITE *HEAVYUSAGE *LIGHTUSAGE *DBOPTIMISE *DBOPTIMIZE *PGMCOMMIT *DIRECT "                      \
    "*NOIGCCNV *NO_RLTB_MIRROR *CLOSE_DISPLAY *DBOPTIMISE_BATCH *DBOPTIMIZE_BATCH *NOPGMCOMMIT "                       \
    "*MLOPTIMISE *MLOPTIMIZE *ALP_SYSTEM_VARIABLE *NUM_SYSTEM_VARIABLE *ALP_FIELD_VALIDATE "                           \
    "*NUM_FIELD_VALIDATE *MINI_SCREEN *OS400_EXT_PRINT *WEBEVENT *BUILTIN *QUINTARO_EDITION "                          \
    "*STRICT_NULL_ASSIGN"

inline constexpr size_t kValueListSize = sizeof(DQOV_FUNCTION_OPTIONS);
inline constexpr char kValueLists[][kValueListSize] = {"",
                                                       DQOV_SELECT_OPTIONS,
                                                       DQOV_DESIGNS,
                                                       DQOV_IDENTIFY,
                                                       DQOV_DOWN_SEPS,
                                                       DQOV_ACROSS_SEPS,
                                                       DQOV_TRIGGERS,
                                                       DQOV_USE_OPTIONS,
                                                       DQOV_FUNCTION_OPTIONS};

/* Field sizes: the longest keyword and command name are 10 characters, the
 * longest defaults 22. */
inline constexpr size_t kKeywordSize = 11;
inline constexpr size_t kDefaultsSize = 24;

/* Copies a name into its fixed field; a name too long for it stops the
 * compilation of the table. */
template <size_t n> constexpr void CopyName(char (&to)[n], const char* from)
{
    size_t i = 0;
    for (; from[i] != '\0'; ++i) {
        if (i + 1 >= n)
            throw "name too long for its field";
        to[i] = from[i];
    }
    to[i] = '\0';
}

/* The place of an allowed-value list in kValueLists; a list missing there
 * stops the compilation of the table. */
constexpr uint8_t ValueListOf(const char* values)
{
    for (size_t k = 0; k < std::size(kValueLists); ++k) {
        size_t i = 0;
        while (values[i] != '\0' && values[i] == kValueLists[k][i])
            ++i;
        if (values[i] == '\0' && kValueLists[k][i] == '\0')
            return static_cast<uint8_t>(k);
    }
    throw "allowed values not in kValueLists";
}

struct ParamDef {
    char keyword[kKeywordSize] = "";
    char layout = 'S';
    uint16_t entries = 1;
    uint8_t elementCount = 0;
    Element elements[kMaxElements] = {};
    int16_t offset = -1; /* fixed start (the count of a list), -1 auto */
    bool positional = false;
    uint8_t valueList = 0;             /* place in kValueLists, 0 none */
    char defaults[kDefaultsSize] = ""; /* written as in the source, e.g. "*YES *EXIT" */

    /* The allowed values of a flag set or of a one-value parameter. */
    constexpr const char* values() const { return kValueLists[valueList]; }
};

struct CommandDef {
    char name[kKeywordSize];
    uint8_t count;
    uint16_t number;
    const ParamDef* params;
};

/* ---- building blocks ---------------------------------------------------- */
constexpr Element A(uint16_t w, int16_t at = -1)
{
    return {'A', w, at};
}
constexpr Element T(uint16_t w, int16_t at = -1)
{
    return {'T', w, at};
}
constexpr Element X(uint16_t w, int16_t at = -1)
{
    return {'X', w, at};
}
constexpr Element S(uint16_t w, int16_t at = -1)
{
    return {'S', w, at};
}
constexpr Element C1(int16_t at = -1)
{
    return {'C', 1, at};
}
constexpr Element N(int16_t at = -1)
{
    return {'N', 4, at};
}
constexpr Element H(int16_t at = -1)
{
    return {'H', 2, at};
}

/* The same elements naming what the checker records (roles above). */
constexpr Element Fld(uint16_t w, int16_t at = -1)
{
    return {'A', w, at, kRoleField};
}
constexpr Element Opd(uint16_t w, int16_t at = -1)
{
    return {'A', w, at, kRoleOperand};
}
constexpr Element Cnd(uint16_t w, int16_t at = -1)
{
    return {'X', w, at, kRoleCondition};
}
/* Characters of a WHERE condition of the I/O and list commands. */
inline constexpr uint16_t kWhereWidth = 500;

constexpr Element Sts(uint16_t w, int16_t at = -1)
{
    return {'A', w, at, kRoleStatus};
}
constexpr Element Nam(uint16_t w, int16_t at = -1)
{
    return {'A', w, at, kRoleName};
}
constexpr Element Sql(Element e)
{
    e.role = kRoleSqlText;
    return e;
}

constexpr uint16_t ElementSize(const Element& e)
{
    return e.kind == 'N' ? 4 : e.kind == 'H' ? 2 : e.width;
}

constexpr ParamDef Make(const char* kw, char layout, uint16_t entries, std::initializer_list<Element> els,
                        const char* dft, bool pos, int16_t at = -1, const char* values = "")
{
    ParamDef p;
    CopyName(p.keyword, kw);
    p.layout = layout;
    p.entries = entries;
    for (const Element& e : els)
        p.elements[p.elementCount++] = e;
    p.offset = at;
    p.positional = pos;
    CopyName(p.defaults, dft);
    p.valueList = ValueListOf(values);
    return p;
}
/* One value. */
constexpr ParamDef P(const char* kw, Element e, const char* dft = "", bool pos = false)
{
    return Make(kw, 'S', 1, {e}, dft, pos);
}
/* One value out of a fixed set (numbers compare by value): any other
 * value is refused and the default stays. */
constexpr ParamDef PV(const char* kw, Element e, const char* dft, const char* values)
{
    return Make(kw, 'S', 1, {e}, dft, false, -1, values);
}
/* Several values under one keyword, e.g. EXIT_KEY(*YES *EXIT *NONE *HIGH). */
constexpr ParamDef G(const char* kw, std::initializer_list<Element> els, const char* dft = "", bool pos = false)
{
    return Make(kw, 'S', 1, els, dft, pos);
}
/* A list of entries, each of one or more elements; count first. */
constexpr ParamDef L(const char* kw, uint16_t n, std::initializer_list<Element> els, const char* dft = "",
                     bool pos = false, int16_t at = -1)
{
    return Make(kw, 'R', n, els, dft, pos, at);
}
/* Entries kept as parallel arrays, no count. */
constexpr ParamDef Cols(const char* kw, uint16_t n, std::initializer_list<Element> els)
{
    return Make(kw, 'C', n, els, "", false);
}
/* A flag set: the values as written and one 'Y'/'N' per allowed value. */
constexpr ParamDef F(const char* kw, uint16_t n, uint16_t w, const char* values, const char* dft = "", bool pos = false)
{
    return Make(kw, 'F', n, {A(w)}, dft, pos, -1, values);
}

/* ---- shared parameter groups -------------------------------------------- */
#define DQOV_IO_RESULTS                                                                                                \
    P("IO_STATUS", Sts(10), "*STATUS"), P("IO_ERROR", A(10), "*ABORT"), P("VAL_ERROR", A(10), "*LASTDIS")
#define DQOV_FILE_SLOTS P("@PHYSFILE", A(10)), P("@PHYSLIB", A(10)), P("@FILECLASS", C1()), P("@FILEMARK", C1())
#define DQOV_KEYS L("WITH_KEY", 20, {Opd(20)}), L("@KEYCODES", 20, {A(2)}), P("NBR_KEYS", Fld(10), "*WITHKEY")
#define DQOV_RRN_GROUP                                                                                                 \
    P("WITH_RRN", Fld(10), "*NONE"), P("RETURN_RRN", Fld(10), "*NONE"), P("ISSUE_MSG", A(4), "*NO"),                       \
        P("CHECK_ONLY", A(4), "*NO")
#define DQOV_MESSAGE_PARMS                                                                                             \
    P("MSGID", A(7), "*NONE"), P("MSGFILE", A(10), "*NONE"), P("MSGTXT", T(80), "*NONE"), P("TYPE", A(10), "*INFO"),   \
        P("MIN_TIME", N(), "1"), P("WINDOW_FLD", Fld(10), "*NONE"), P("@MSGKIND", C1()), P("MSG_OPTION", C1()),          \
        L("MSGDTA", 20, {Opd(21), C1()})
#define DQOV_CHECK_MESSAGE                                                                                             \
    P("MSGID", A(7), "*NONE"), P("MSGFILE", A(10), "*NONE"), P("MSGTXT", T(80), "*NONE"), L("MSGDTA", 20, {Opd(21), C1()})

inline constexpr ParamDef kGroupBy[] = {P("NAME", A(10), "", true), L("FIELDS", 100, {Fld(10)}, "", true)};
inline constexpr ParamDef kSelect[] = {L("FIELDS", 100, {Fld(10)}, "", true),
                                       G("FROM_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                       P("WHERE", Cnd(kWhereWidth)),
                                       DQOV_KEYS,
                                       P("GENERIC", A(4), "*NO"),
                                       F("OPTIONS", 6, 12, DQOV_SELECT_OPTIONS),
                                       DQOV_IO_RESULTS,
                                       P("END_FILE", A(10), "*NEXT"),
                                       P("LOCK", A(10), "*NO"),
                                       DQOV_RRN_GROUP,
                                       DQOV_FILE_SLOTS,
                                       P("@GROUPNAME", A(10))};
inline constexpr ParamDef kCondition[] = {P("COND", Cnd(1000), "", true)};
inline constexpr ParamDef kGoto[] = {P("LABEL", A(10), "", true)};
inline constexpr ParamDef kFetch[] = {L("FIELDS", 100, {Fld(10)}, "", true),
                                      G("FROM_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                      P("WHERE", Cnd(kWhereWidth)),
                                      DQOV_KEYS,
                                      DQOV_IO_RESULTS,
                                      P("NOT_FOUND", A(10), "*NEXT"),
                                      P("LOCK", A(10), "*NO"),
                                      P("KEEP_LAST", N(), "0"),
                                      DQOV_RRN_GROUP,
                                      DQOV_FILE_SLOTS,
                                      P("@GROUPNAME", A(10))};
inline constexpr ParamDef kInsert[] = {L("FIELDS", 100, {Fld(10)}, "", true),
                                       G("TO_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                       DQOV_IO_RESULTS,
                                       P("AUTOCOMMIT", A(8), "*FILEDEF"),
                                       P("CHECK_ONLY", A(4), "*NO"),
                                       P("ISSUE_MSG", A(4), "*NO"),
                                       P("RETURN_RRN", Fld(10), "*NONE"),
                                       P("NBR_KEYS", A(10), "*WITHKEY"),
                                       DQOV_FILE_SLOTS,
                                       P("@GROUPNAME", A(10))};
inline constexpr ParamDef kUScreen[] = {L("FIELDS", 100, {Fld(10)}, "", true), DQOV_IO_RESULTS,
                                        P("EXIT_KEY", A(10), "*EXIT"), P("MENU_KEY", A(10), "*MENU"),
                                        P("@GROUPNAME", A(10))};
inline constexpr ParamDef kSetMode[] = {P("TO", A(10), "", true)};
inline constexpr ParamDef kIfMode[] = {L("IS", 4, {A(10)}, "", true)};
inline constexpr ParamDef kChange[] = {L("FIELD", 100, {Fld(10)}, "", true),
                                       P("TO", Cnd(1000), "*NULL", true),
                                       P("ROUND_UP", A(4), "*NO"),
                                       P("@LITKIND", A(3)),
                                       P("@LITLENGTH", N()),
                                       G("@PRECISION", {N(), N()}, "-1 -1")};
inline constexpr ParamDef kDelete[] = {G("FROM_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                       P("WHERE", Cnd(kWhereWidth)),
                                       DQOV_KEYS,
                                       DQOV_IO_RESULTS,
                                       P("NOT_FOUND", A(10), "*NEXT"),
                                       P("AUTOCOMMIT", A(8), "*FILEDEF"),
                                       DQOV_RRN_GROUP,
                                       DQOV_FILE_SLOTS};
inline constexpr ParamDef kUpdate[] = {L("FIELDS", 100, {Fld(10)}, "", true),
                                       G("IN_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                       P("WHERE", Cnd(kWhereWidth)),
                                       DQOV_KEYS,
                                       DQOV_IO_RESULTS,
                                       P("NOT_FOUND", A(10), "*NEXT"),
                                       P("AUTOCOMMIT", A(8), "*FILEDEF"),
                                       DQOV_RRN_GROUP,
                                       DQOV_FILE_SLOTS,
                                       P("@GROUPNAME", A(10))};
inline constexpr ParamDef kCheckFor[] = {G("FOR_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                         DQOV_KEYS,
                                         DQOV_IO_RESULTS,
                                         P("NOT_FOUND", A(10), "*NEXT"),
                                         P("ISSUE_MSG", A(4), "*NO"),
                                         DQOV_FILE_SLOTS};
inline constexpr ParamDef kRename[] = {G("FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                       L("FIELDS", 100, {A(10), A(10)}, "", true), DQOV_FILE_SLOTS};
inline constexpr ParamDef kDefine[] = {
    P("FIELD", A(10), "", true),    P("REFFLD", A(10), "*NONE"),   P("TYPE", A(10), "*SAME"),
    P("LENGTH", A(10), "*SAME"),    P("DECIMALS", A(10), "*SAME"), P("EDIT_CODE", A(10), "*SAME"),
    P("EDIT_WORD", T(24), "*SAME"), P("LABEL", T(15), "*SAME"),    P("DESC", T(40), "*SAME"),
    L("COLHDG", 3, {T(20)}),        P("DEFAULT", A(50), "*SAME"),  L("INPUT_ATR", 10, {A(4)}),
    L("OUTPUT_ATR", 10, {A(4)})};
inline constexpr ParamDef kMessage[] = {DQOV_MESSAGE_PARMS};
inline constexpr ParamDef kTransfer[] = {P("TOFUNCTION", Fld(50), "", true), L("EXCHANGE", 200, {Fld(10)})};
inline constexpr ParamDef kBeginCheck[] = {P("KEEP_COUNT", Fld(10), "*NONE", true)};
inline constexpr ParamDef kEndCheck[] = {P("IF_ERROR", A(10), "*LASTDIS", true), DQOV_MESSAGE_PARMS};
inline constexpr ParamDef kIfError[] = {DQOV_MESSAGE_PARMS};
inline constexpr ParamDef kSetError[] = {L("FOR_FIELD", 100, {Fld(10)}, "", true), DQOV_MESSAGE_PARMS};
inline constexpr ParamDef kDateCheck[] = {P("FIELD", Fld(10), "", true),       P("IN_FORMAT", A(8), "*SYSFMT"),
                                          G("DAY_RANGE", {N(), N()}, "0 0"), P("IF_VALID", A(10), "*NEXT"),
                                          P("IF_INVALID", A(10), "*ERROR"),  DQOV_CHECK_MESSAGE};
inline constexpr ParamDef kRangeCheck[] = {P("FIELD", Fld(10), "", true), L("RANGE", 50, {Opd(20), Opd(20)}, "", true),
                                           P("IN_RANGE", A(10), "*NEXT"), P("OUT_RANGE", A(10), "*ERROR"),
                                           DQOV_CHECK_MESSAGE};
inline constexpr ParamDef kValueCheck[] = {P("FIELD", Fld(10), "", true), L("WITH_LIST", 50, {Opd(20)}, "", true),
                                           P("IN_LIST", A(10), "*NEXT"), P("NOT_INLIST", A(10), "*ERROR"),
                                           DQOV_CHECK_MESSAGE};
inline constexpr ParamDef kCondCheck[] = {P("FIELD", Fld(10), "", true), P("COND", Cnd(1000), "", true),
                                          P("IF_TRUE", A(10), "*NEXT"), P("IF_FALSE", A(10), "*ERROR"),
                                          DQOV_CHECK_MESSAGE};
inline constexpr ParamDef kFileCheck[] = {P("FIELD", Fld(10), "", true),
                                          G("USING_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                          L("WITH_KEY", 20, {Opd(20)}),
                                          L("@KEYCODES", 20, {A(2)}),
                                          P("NBR_KEYS", A(10), "*WITHKEY"),
                                          P("IN_FILE", A(10), "*NEXT"),
                                          P("NOT_INFILE", A(10), "*ERROR"),
                                          P("ISSUE_MSG", A(4), "*NO"),
                                          DQOV_CHECK_MESSAGE,
                                          DQOV_FILE_SLOTS};
inline constexpr ParamDef kCallCheck[] = {P("FIELD", Fld(10), "", true),
                                          G("BY_CALLING", {A(10), A(10)}, "", true),
                                          P("@PGMKIND", C1()),
                                          L("PROG_PARM", 50, {Opd(20)}),
                                          P("IF_VALID", A(10), "*NEXT"),
                                          P("IF_INVALID", A(10), "*ERROR"),
                                          DQOV_CHECK_MESSAGE};
inline constexpr ParamDef kCall[] = {P("PROCESS", Fld(20), "*DIRECT", true),
                                     P("FUNCTION", Fld(20), "*MENU", true),
                                     P("PGM", Nam(10), "*NONE"),
                                     P("PGM_LIB", Nam(10), "*LIBL"),
                                     L("PARMS", 50, {Opd(20)}),
                                     L("PASS_LST", 20, {A(10)}),
                                     L("PASS_DS", 20, {A(10)}),
                                     P("NUM_LEN", C1(), "*DEFINED"),
                                     P("PGM_EXCH", C1(), "*NO"),
                                     P("IF_ERROR", A(10), "*ABORT"),
                                     P("EXIT_USED", A(10), "*EXIT"),
                                     P("MENU_USED", A(10), "*MENU"),
                                     L("EXCHANGE", 200, {Fld(10)})};
inline constexpr ParamDef kUPrint[] = {L("FIELDS", 100, {Fld(10)}, "", true), DQOV_IO_RESULTS, P("@GROUPNAME", A(10))};
inline constexpr ParamDef kEndPrint[] = {P("REPORT_NUM", N(), "1", true), P("IO_STATUS", Sts(10), "*STATUS"),
                                         P("IO_ERROR", A(10), "*ABORT")};

/* DISPLAY, REQUEST and POP_UP: one layout, positions fixed where the layout
 * and design steps read them. */
#define DQOV_SCREEN_PARMS                                                                                              \
    L("FIELDS", 100, {Fld(10)}, "", true, 0), P("PANEL_ID", A(10, 1004), "*NONE"),                                       \
        P("PANEL_TITL", T(40, 1014), "*FUNCTION"), P("@GROUPNAME", A(10, 1061)),                                       \
        G("BROWSELIST", {A(10, 2228), N(1072)}, "*NONE 0"),                                                            \
        G("EXIT_KEY", {A(10, 1096), A(10, 1166), A(10, 1176), A(5, 1699)}, "*YES *EXIT *NONE *HIGH"),                  \
        P("@EXITVAL", N(1106)), G("MENU_KEY", {A(10, 1110), A(10, 1186), A(10, 1196)}, "*YES *MENU *NONE"),            \
        P("@MENUVAL", N(1120)), G("ADD_KEY", {A(10, 1124), A(10, 1206), A(10, 1216)}, "*NO *NEXT *NONE"),              \
        P("@ADDVAL", N(1134)), G("CHANGE_KEY", {A(10, 1138), A(10, 1226), A(10, 1236)}, "*NO *NEXT *NONE"),            \
        P("@CHGVAL", N(1148)), G("DELETE_KEY", {A(10, 1152), A(10, 1246), A(10, 1256)}, "*NO *NEXT *NONE"),            \
        P("@DLTVAL", N(1162)), G("PROMPT_KEY", {A(10, 1770), A(10, 1266), A(10, 1276)}, "*DFT *AUTO *NONE"),           \
        G("CURSOR_LOC", {Fld(10, 1286), Fld(10, 1296)}, "*NONE *NONE"),                                                    \
        Make("USER_KEYS", 'C', 5, {H(1560), T(8, 1580), A(10, 1306), A(10, 1356)}, "", false),                         \
        L("OPTIONS", 10, {A(8)}, "", false, 1908), PV("DESIGN", S(10, 2238), "*ACROSS", DQOV_DESIGNS),                 \
        PV("IDENTIFY", S(10, 2248), "*COLHDG", DQOV_IDENTIFY), PV("DOWN_SEP", N(2258), "1", DQOV_DOWN_SEPS),           \
        PV("ACROSS_SEP", N(2262), "1", DQOV_ACROSS_SEPS), P("LINE_22", A(10, 2408), "*NO"),                            \
        P("STD_HEAD", C1(2543), "*X"), Make("TEXTS", 'C', 50, {T(20, 3740), H(4740), H(4840)}, "", false)
inline constexpr ParamDef kScreen[] = {DQOV_SCREEN_PARMS};
inline constexpr ParamDef kPopUp[] = {DQOV_SCREEN_PARMS, G("AT_LOC", {N(2266), N(2270)}, "1 1"),
                                      G("DIMENSIONS", {N(2274), N(2278)}, "40 10")};

inline constexpr ParamDef kIfNull[] = {L("FIELD", 100, {Fld(10)}, "", true)};
inline constexpr ParamDef kDefList[] = {P("NAME", A(10), "", true),     L("FIELDS", 100, {Fld(10)}, "", true),
                                        P("TYPE", A(10), "*WORKING"),   P("ENTRYS", N(), "50"),
                                        P("MAX_ENTRYS", N(), "0"),      P("COUNTER", Fld(10), "*NONE"),
                                        P("PAGE_SIZE", Fld(10), "*NONE"), P("TOP_ENTRY", Fld(10), "*NONE"),
                                        P("SEL_ENTRY", Fld(10), "*NONE"), P("SCROLL_TXT", Fld(10), "*NONE"),
                                        P("LONG_LIST", N(), "0")};
inline constexpr ParamDef kAddEntry[] = {P("TO_LIST", A(10), "*FIRST", true), P("WITH_MODE", Fld(10), "*CURRENT"),
                                         P("INZ_ENTRY", A(4), "*YES"), P("AFTER", Fld(10), "*END")};
inline constexpr ParamDef kListName[] = {P("NAMED", A(10), "*FIRST", true)};
inline constexpr ParamDef kInzList[] = {P("NAMED", A(10), "*FIRST", true), P("NUM_ENTRYS", N(), "1"),
                                        P("WITH_MODE", Fld(10), "*CURRENT"), P("INZ_ENTRY", A(4), "*YES")};
inline constexpr ParamDef kUpdEntry[] = {P("IN_LIST", A(10), "*FIRST", true), P("WITH_MODE", Fld(10), "*CURRENT")};
inline constexpr ParamDef kSelectList[] = {P("NAMED", A(10), "*FIRST", true), L("GET_ENTRYS", 10, {A(10)}, "*ALL"),
                                           P("WHERE", Cnd(kWhereWidth))};
inline constexpr ParamDef kIfStatus[] = {L("IS", 10, {A(20)}, "*OKAY", true), L("IS_NOT", 10, {A(20)})};
inline constexpr ParamDef kCase[] = {P("OF_FIELD", Fld(10), "", true)};
inline constexpr ParamDef kWhen[] = {L("VALUE_IS", 20, {Cnd(50)}, "", true)};
inline constexpr ParamDef kExchange[] = {L("FIELDS", 200, {Fld(10)}, "", true), P("OPTION", C1(), "*NONE")};
inline constexpr ParamDef kSubstring[] = {G("FIELD", {Opd(10), Opd(10), Opd(10)}, "", true),
                                          G("INTO_FIELD", {Fld(10), Opd(10), Opd(10)}, "", true)};
inline constexpr ParamDef kExecCpf[] = {P("COMMAND", T(250), "", true), P("IF_ERROR", A(10), "*ABORT")};
inline constexpr ParamDef kBeginLoop[] = {P("USING", Fld(10), "*INTERNAL", true), P("FROM", Opd(20), "1"),
                                          P("TO", Opd(20), "9999999"), P("STEP", Opd(20), "1"), P("@STEPVALUE", N())};
inline constexpr ParamDef kFileOnly[] = {P("@FILE", A(10))};
inline constexpr ParamDef kSubroutine[] = {P("NAME", A(10), "", true), L("PARMS", 50, {Fld(10), A(10)}, "", true),
                                           P("@VALUE1", N()), P("@VALUE2", N()), P("@VALUE3", H())};
inline constexpr ParamDef kExecute[] = {P("SUBROUTINE", A(10), "", true), L("WITH_PARMS", 50, {Opd(50)}, "", true)};
inline constexpr ParamDef kDefReport[] = {P("REPORT_NUM", N(), "1", true),
                                          G("PRT_FILE", {A(10), A(10)}, "QSYSPRT *LIBL"),
                                          P("NAME", A(10)),
                                          G("FORMSIZE", {N(), N()}, "0 0"),
                                          P("OVERFLOW", N(), "0"),
                                          P("LAST_LINE", N(), "0"),
                                          P("OUTQ", Fld(10), "*FILE"),
                                          P("COPIES", Fld(10), "*FILE"),
                                          P("FORMTYPE", Fld(10), "*FILE"),
                                          P("OTHER_OVRD", Fld(50), "*NONE"),
                                          P("RET_LENGTH", Fld(10), "*NONE"),
                                          P("RET_WIDTH", Fld(10), "*NONE"),
                                          P("RET_OVRFLW", Fld(10), "*NONE"),
                                          P("RET_LINE", Fld(10), "*NONE"),
                                          P("RET_PAGE", Fld(10), "*NONE")};
#define DQOV_REPORT_LINE_PARMS                                                                                         \
    P("NAME", A(10), "", true), L("FIELDS", 100, {Fld(10)}, "", true), P("REPORT_NUM", N(), "1"),                        \
        PV("DESIGN", S(10), "*ACROSS", DQOV_DESIGNS), PV("IDENTIFY", S(10), "*COLHDG", DQOV_IDENTIFY),                 \
        PV("DOWN_SEP", N(), "1", DQOV_DOWN_SEPS), PV("ACROSS_SEP", N(), "1", DQOV_ACROSS_SEPS),                        \
        P("SPACE_BEF", N(), "0"), P("SPACE_AFT", N(), "0"), P("PRINT_CTL", A(10), "*NONE"), P("@GROUPNAME", A(10)),    \
        Make("TEXTS", 'C', 50, {T(20), H(), H()}, "", false)
inline constexpr ParamDef kDefLine[] = {DQOV_REPORT_LINE_PARMS};
inline constexpr ParamDef kDefBreak[] = {
    DQOV_REPORT_LINE_PARMS, PV("TRIGGER_BY", C1(), "*TRAILING", DQOV_TRIGGERS), L("TRIG_FLDS", 20, {Fld(10)})};
inline constexpr ParamDef kPrint[] = {L("LINE", 20, {A(10)}, "*ALL", true), P("REPORT_NUM", N(), "1")};
inline constexpr ParamDef kKeep[] = {L("OF_FIELD", 20, {Fld(10)}, "", true), P("IN_FIELD", Fld(10), "", true),
                                     L("BY_FIELD", 20, {Fld(10)})};
inline constexpr ParamDef kSpace[] = {P("LINES", N(), "1", true), P("REPORT_NUM", N(), "1")};
inline constexpr ParamDef kSkip[] = {P("TO_LINE", N(), "1", true), P("REPORT_NUM", N(), "1")};
inline constexpr ParamDef kClose[] = {G("FILE", {A(10), A(10)}, "*ALL *FIRST", true), P("IO_STATUS", Sts(10), "*STATUS"),
                                      P("IO_ERROR", A(10), "*ABORT"), DQOV_FILE_SLOTS};
inline constexpr ParamDef kGetEntry[] = {P("NUMBER", Opd(10), "", true), P("FROM_LIST", A(10), "*FIRST", true),
                                         P("RET_STATUS", Fld(10), "*STATUS")};
inline constexpr ParamDef kLocEntry[] = {P("IN_LIST", A(10), "*FIRST", true), P("WHERE", Cnd(kWhereWidth)),
                                         P("RET_NUMBER", Fld(10), "*NONE"), P("GET_ENTRY", A(4), "*YES"),
                                         P("RET_STATUS", Fld(10), "*STATUS")};
inline constexpr ParamDef kSortList[] = {P("NAMED", A(10), "*FIRST", true),
                                         L("BY_FIELDS", 100, {Fld(10), A(12)}, "", true)};
inline constexpr ParamDef kIfKey[] = {L("WAS", 10, {A(20)}, "*ENTER", true)};
inline constexpr ParamDef kBrowse[] = {L("FIELDS", 100, {Fld(10)}, "", true),
                                       G("FROM_FILE", {A(10), A(10)}, "*FIRST *FIRST", true),
                                       P("WHERE", Cnd(kWhereWidth)),
                                       DQOV_KEYS,
                                       DQOV_IO_RESULTS,
                                       P("END_FILE", A(10), "*NEXT"),
                                       P("EXIT_KEY", A(10), "*EXIT"),
                                       P("MENU_KEY", A(10), "*MENU"),
                                       P("RETURN_RRN", Fld(10), "*NONE"),
                                       P("ISSUE_MSG", A(4), "*NO"),
                                       DQOV_FILE_SLOTS,
                                       P("@GROUPNAME", A(10))};
inline constexpr ParamDef kSubmit[] = {P("PROCESS", Fld(20), "*NONE", true),
                                       P("FUNCTION", Fld(20), "*FIRST", true),
                                       P("PGM", Nam(10), "*NONE"),
                                       P("PGM_LIB", Nam(10), "*LIBL"),
                                       L("PARMS", 50, {Opd(20)}),
                                       P("JOB", Nam(10), "*PGMPRO"),
                                       G("JOBD", {Nam(10), Nam(10)}, "*USRPRF *LIBL"),
                                       G("JOBQ", {Nam(10), Nam(10)}, "*JOBD *LIBL"),
                                       G("OUTQ", {Nam(10), Nam(10)}, "*JOBD *LIBL"),
                                       L("EXCHANGE", 200, {Fld(10)})};
inline constexpr ParamDef kUse[] = {P("BUILTIN", A(20), "", true), L("WITH_ARGS", 50, {Opd(50)}, "", true),
                                    L("TO_GET", 50, {Fld(20)}, "", true)};
inline constexpr ParamDef kPoint[] = {G("FILE", {A(10), A(10)}, "*FIRST *FIRST", true), P("TO_FILE", Fld(20), "*SAME"),
                                      P("TO_LIBRARY", Fld(20), "*LIBL"), P("TO_MEMBER", Fld(20), "*FIRST")};
inline constexpr ParamDef kOpen[] = {G("FILE", {A(10), A(10)}, "*ALL *FIRST", true),
                                     PV("USE_OPTION", A(10), "*ONDEMAND", DQOV_USE_OPTIONS),
                                     P("IO_STATUS", Sts(10), "*STATUS"),
                                     P("IO_ERROR", A(10), "*ABORT"),
                                     P("QRYSLT", Fld(50), "*ALL"),
                                     P("KEYFLD", Fld(10), "*NONE"),
                                     P("ALWCPYDTA", A(4), "*YES"),
                                     P("OPTIMIZE", A(8), "*ALLIO"),
                                     G("SEQONLY", {A(4), N()}, "*NO 0"),
                                     P("COMMIT", A(4), "*NO"),
                                     P("OPEN_TYPE", A(8), "*NORMAL"),
                                     P("@OPENCODE", A(3)),
                                     DQOV_FILE_SLOTS};
inline constexpr ParamDef kExecOs[] = {P("CPFCMD", T(250), "", true), P("IF_ERROR", A(10), "*ABORT")};
inline constexpr ParamDef kDefCond[] = {P("NAME", A(10), "", true), P("COND", Cnd(1000), "", true),
                                        P("AVAL_DFTC", A(4), "*YES")};
inline constexpr ParamDef kFunction[] = {
    F("OPTIONS", 26, 20, DQOV_FUNCTION_OPTIONS,
      "", true),
    G("TRIGGER", {A(10), A(10), A(10)}, "*NONE"),
    P("RCV_DS", A(10), "*NONE"),
    P("@TRIGFLAG", C1()),
    G("@TRIGRET", {C1(), C1()}),
    P("@DSEXCHG", C1()),
    L("RCV_LIST", 20, {A(10)})};
/* The debug array table of the generator reads the array name (3
 * characters after the name character) at byte 6 and the entry count
 * (32-bit) at byte 12. */
inline constexpr ParamDef kDefArray[] = {P("@ELEMLEN", N(0)),
                                         P("NAME", A(4, 5), "", true),
                                         P("ENTRYS", N(12), "1"),
                                         L("INDEXES", 10, {Fld(10)}, "", true, 16),
                                         G("OVERLAYING", {Fld(10), N()}, "*NONE 1"),
                                         L("OF_FIELDS", 100, {Fld(10)})};
inline constexpr ParamDef kSelectSql[] = {L("FIELDS", 100, {Fld(10)}, "", true),
                                          L("FROM_FILES", 10, {A(10), A(3)}, "", true),
                                          L("@FILESLOTS", 10, {A(10), A(10), C1(), C1()}),
                                          P("@CLASS", C1()),
                                          P("WHERE", Sql(X(1000))),
                                          P("GROUP_BY", T(250)),
                                          P("HAVING", Sql(X(1000))),
                                          P("ORDER_BY", T(250)),
                                          P("DISTINCT", A(4), "*NO"),
                                          P("IO_STATUS", Sts(10), "*STATUS"),
                                          P("IO_ERROR", A(10), "*ABORT"),
                                          P("@WHOLE", C1()),
                                          P("USING", Sql(T(1000))),
                                          P("CONNECT", C1(), "*NO")};
inline constexpr ParamDef kDltEntry[] = {P("NUMBER", Opd(10), "*CURRENT", true), P("FROM_LIST", A(10), "*FIRST", true)};
inline constexpr ParamDef kInclude[] = {P("PROCESS", A(10), "*DIRECT", true), P("FUNCTION", A(10), "", true)};
/* Component commands are parsed by the object layer; only the routine
 * label of the routine commands lives in the parameter area. */
inline constexpr ParamDef kRoutine[] = {P("@NAME", A(10)), P("@PARMCOUNT", N())};

#undef DQOV_IO_RESULTS
#undef DQOV_FILE_SLOTS
#undef DQOV_KEYS
#undef DQOV_RRN_GROUP
#undef DQOV_MESSAGE_PARMS
#undef DQOV_CHECK_MESSAGE
#undef DQOV_SCREEN_PARMS
#undef DQOV_REPORT_LINE_PARMS

constexpr CommandDef Cmd(const char* name, uint16_t no, const ParamDef* params, uint8_t count)
{
    CommandDef c{};
    CopyName(c.name, name);
    c.number = no;
    c.params = params;
    c.count = count;
    return c;
}
template <size_t n> constexpr CommandDef Cmd(const char* name, uint16_t no, const ParamDef (&p)[n])
{
    return Cmd(name, no, p, static_cast<uint8_t>(n));
}
/* A command without parameters in the parameter area. */
struct NoParams {};
inline constexpr NoParams kNoParams{};
constexpr CommandDef Cmd(const char* name, uint16_t no, NoParams)
{
    return Cmd(name, no, nullptr, 0);
}

/* The commands in command-number order, from the command list. */
inline constexpr std::array<CommandDef, kCommandCount> kCommands = {{
#define DQOV_COMMAND(number, name, role, partner, params, ...) Cmd(name, number, params),
#include "params/commands.def"
#undef DQOV_COMMAND
}};

/* ---- layout ----------------------------------------------------------------- */

/* Where one parameter lies in the parameter area. */
struct Placement {
    int32_t countAt = -1; /* 32-bit count of 'R' and 'F' parameters */
    int32_t elementAt[kMaxElements] = {-1, -1, -1, -1, -1, -1};
    int32_t rowWidth = 0; /* 'R' and 'F': bytes per entry */
    int32_t flagsAt = -1; /* 'F': first flag byte */
    int32_t end = 0;      /* first byte after the parameter's automatic part */
};

constexpr int CountValues(const char* values)
{
    int n = 0;
    bool in = false;
    for (const char* p = values; *p; ++p) {
        bool blank = *p == ' ';
        if (!blank && !in)
            ++n;
        in = !blank;
    }
    return n;
}

/* Places parameter `index` of the command, laying out its predecessors. */
constexpr Placement Place(const CommandDef& c, int index)
{
    Placement pl;
    int32_t cursor = 0;
    for (int i = 0; i <= index; ++i) {
        const ParamDef& p = c.params[i];
        pl = Placement{};
        int32_t base = p.offset >= 0 ? p.offset : cursor;
        int32_t row = 0;
        for (int e = 0; e < p.elementCount; ++e)
            row += ElementSize(p.elements[e]);
        switch (p.layout) {
        case 'R':
        case 'F': {
            pl.countAt = base;
            pl.rowWidth = row;
            int32_t at = base + 4;
            for (int e = 0; e < p.elementCount; ++e) {
                pl.elementAt[e] = at;
                at += ElementSize(p.elements[e]);
            }
            pl.end = base + 4 + p.entries * row;
            if (p.layout == 'F') {
                pl.flagsAt = pl.end;
                pl.end += CountValues(p.values());
            }
            break;
        }
        case 'C': {
            int32_t run = base;
            for (int e = 0; e < p.elementCount; ++e) {
                int32_t size = ElementSize(p.elements[e]) * p.entries;
                if (p.elements[e].offset >= 0) {
                    pl.elementAt[e] = p.elements[e].offset;
                } else {
                    pl.elementAt[e] = run;
                    run += size;
                }
            }
            pl.end = run;
            break;
        }
        default: {
            int32_t run = base;
            for (int e = 0; e < p.elementCount; ++e) {
                if (p.elements[e].offset >= 0) {
                    pl.elementAt[e] = p.elements[e].offset;
                } else {
                    pl.elementAt[e] = run;
                    run += ElementSize(p.elements[e]);
                }
            }
            pl.end = run;
            break;
        }
        }
        cursor = pl.end;
    }
    return pl;
}

constexpr bool SameName(const char* a, std::string_view b)
{
    return std::string_view(a) == b;
}

/* ---- lookups ------------------------------------------------------------------
 * Parameters are read by command name and keyword many times per command, so
 * at run time the lookups go through tables made once at compile time
 * (parsed_command_index.cpp): the commands by name, each command's
 * parameters by keyword, and the placement of every parameter. */
int IndexedCommand(std::string_view name);
int IndexedParam(int command, std::string_view keyword);
const Placement& IndexedPlacement(int command, int param);
/* The first parameter of the command with the keyword of parameter `param`
 * (the one a lookup by that keyword finds). */
int FirstParamOfKeyword(int command, int param);

/* Index of a command of kCommands (-1 for a definition of its own). */
inline int TableIndex(const CommandDef& c)
{
    size_t i = c.number - 1u;
    return i < kCommands.size() && &kCommands[i] == &c ? static_cast<int>(i) : -1;
}

/* Index of the command in kCommands, -1 when unknown. */
constexpr int FindCommand(std::string_view name)
{
    if (!std::is_constant_evaluated())
        return IndexedCommand(name);
    for (size_t i = 0; i < kCommands.size(); ++i)
        if (SameName(kCommands[i].name, name))
            return static_cast<int>(i);
    return -1;
}
/* Index of the first parameter of the command with the keyword, -1 when none. */
constexpr int FindParam(const CommandDef& c, std::string_view keyword)
{
    if (!std::is_constant_evaluated())
        if (int ci = TableIndex(c); ci >= 0)
            return IndexedParam(ci, keyword);
    for (int i = 0; i < c.count; ++i)
        if (SameName(c.params[i].keyword, keyword))
            return i;
    return -1;
}
/* Place(c, index), from the table for the commands of kCommands. */
constexpr Placement PlaceOf(const CommandDef& c, int index)
{
    if (!std::is_constant_evaluated())
        if (int ci = TableIndex(c); ci >= 0)
            return IndexedPlacement(ci, index);
    return Place(c, index);
}
/* Offset in the parameter area of element `element` (from 0) of the first
 * entry of a parameter; -1 when the command has no such parameter. */
constexpr int32_t ElementOffset(std::string_view command, std::string_view keyword, int element = 0)
{
    int ci = FindCommand(command);
    if (ci < 0)
        return -1;
    const CommandDef* c = &kCommands[ci];
    int i = FindParam(*c, keyword);
    if (i < 0 || element >= c->params[i].elementCount)
        return -1;
    return PlaceOf(*c, i).elementAt[element];
}
/* Offset of the 32-bit entry count of a list or flag-set parameter. */
constexpr int32_t CountOffset(std::string_view command, std::string_view keyword)
{
    int ci = FindCommand(command);
    if (ci < 0)
        return -1;
    const CommandDef* c = &kCommands[ci];
    int i = FindParam(*c, keyword);
    return i < 0 ? -1 : PlaceOf(*c, i).countAt;
}
/* Offset of the 'Y'/'N' byte of an allowed value of a flag-set parameter. */
constexpr int32_t FlagOffset(std::string_view command, std::string_view keyword, std::string_view value)
{
    int ci = FindCommand(command);
    if (ci < 0)
        return -1;
    const CommandDef* c = &kCommands[ci];
    int i = FindParam(*c, keyword);
    if (i < 0 || c->params[i].layout != 'F')
        return -1;
    int32_t at = PlaceOf(*c, i).flagsAt;
    std::string_view all(c->params[i].values());
    size_t pos = 0;
    while (pos < all.size()) {
        while (pos < all.size() && all[pos] == ' ')
            ++pos;
        size_t end = all.find(' ', pos);
        if (end == std::string_view::npos)
            end = all.size();
        if (all.substr(pos, end - pos) == value)
            return at;
        ++at;
        pos = end;
    }
    return -1;
}
/* Distance between two entries of a parameter (the row width of 'R'/'F',
 * the element size of 'C'). */
constexpr int32_t EntryStride(std::string_view command, std::string_view keyword, int element = 0)
{
    int ci = FindCommand(command);
    if (ci < 0)
        return -1;
    const CommandDef* c = &kCommands[ci];
    int i = FindParam(*c, keyword);
    if (i < 0)
        return -1;
    const ParamDef& p = c->params[i];
    if (p.layout == 'C')
        return ElementSize(p.elements[element]);
    return PlaceOf(*c, i).rowWidth;
}

/* Field lists whose entries carry one column text (an SQL expression of up
 * to FFC_EXTENSION_COLUMN_WIDTH characters) in the command extension
 * instead of field attributes: FIELDS((#TOTAL 'SUM(CREDIT)') #CUSTNO). */
inline constexpr std::string_view kColumnTextLists[][2] = {{"SELECT_SQL", "FIELDS"}};

constexpr bool HasColumnTexts(std::string_view command, std::string_view keyword)
{
    for (const auto& l : kColumnTextLists)
        if (l[0] == command && l[1] == keyword)
            return true;
    return false;
}

/* Every byte of the parameter area belongs to at most one element, and
 * everything fits the area. */
constexpr bool LayoutIsSound(const CommandDef& c)
{
    std::array<bool, FFC_PARM_AREA_SIZE> used{};
    auto claim = [&](int32_t from, int32_t size) {
        if (from < 0 || from + size > FFC_PARM_AREA_SIZE)
            return false;
        for (int32_t b = from; b < from + size; ++b) {
            if (used[b])
                return false;
            used[b] = true;
        }
        return true;
    };
    for (int i = 0; i < c.count; ++i) {
        const ParamDef& p = c.params[i];
        Placement pl = Place(c, i);
        if (p.elementCount == 0 || std::string_view(p.keyword).size() > 10)
            return false;
        if (pl.countAt >= 0 && !claim(pl.countAt, 4))
            return false;
        if (p.layout == 'R' || p.layout == 'F') {
            if (!claim(pl.elementAt[0], pl.rowWidth * p.entries))
                return false;
            if (p.layout == 'F' && !claim(pl.flagsAt, CountValues(p.values())))
                return false;
        } else {
            int n = p.layout == 'C' ? p.entries : 1;
            for (int e = 0; e < p.elementCount; ++e)
                if (!claim(pl.elementAt[e], ElementSize(p.elements[e]) * n))
                    return false;
        }
    }
    return true;
}

/* Each command's layout is one constant evaluation of its own, so that the
 * check of all 127 stays within every compiler's evaluation limits. */
template <size_t I> inline constexpr bool kLayoutSound = LayoutIsSound(kCommands[I]);

template <size_t... I> constexpr bool EveryLayoutSound(std::index_sequence<I...>)
{
    return (kLayoutSound<I> && ...);
}

constexpr bool AllLayoutsSound()
{
    for (size_t i = 0; i < kCommands.size(); ++i)
        if (kCommands[i].number != i + 1)
            return false;
    return EveryLayoutSound(std::make_index_sequence<kCommandCount>{});
}

/* Positions the layout and design steps rely on. */
static_assert(ElementOffset("DISPLAY", "@GROUPNAME") == 1061);
static_assert(ElementOffset("DISPLAY", "EXIT_KEY") == 1096 && ElementOffset("DISPLAY", "MENU_KEY") == 1110 &&
              ElementOffset("DISPLAY", "ADD_KEY") == 1124 && ElementOffset("DISPLAY", "CHANGE_KEY") == 1138 &&
              ElementOffset("DISPLAY", "DELETE_KEY") == 1152);
static_assert(ElementOffset("DISPLAY", "USER_KEYS", 0) == 1560 && ElementOffset("DISPLAY", "USER_KEYS", 1) == 1580);
static_assert(ElementOffset("DISPLAY", "EXIT_KEY", 3) == 1699);
static_assert(ElementOffset("DISPLAY", "PROMPT_KEY") == 1770);
static_assert(ElementOffset("DISPLAY", "OPTIONS") == 1912);
static_assert(ElementOffset("POP_UP", "BROWSELIST") == 2228 && ElementOffset("REQUEST", "DESIGN") == 2238 &&
              ElementOffset("REQUEST", "IDENTIFY") == 2248);
static_assert(ElementOffset("DISPLAY", "LINE_22") == 2408 && ElementOffset("DISPLAY", "STD_HEAD") == 2543);
static_assert(ElementOffset("POP_UP", "TEXTS") == 3740);
static_assert(ElementOffset("DEF_ARRAY", "NAME") + 1 == 6 && ElementOffset("DEF_ARRAY", "ENTRYS") == 12);

/* ---- reading a parsed command by keyword ------------------------------------
 * The command's own name (acName) chooses the layout.  Unknown keywords,
 * elements or entries read as empty, 0 or false. */

inline std::string CommandNameOf(const FFC_PARSED_COMMAND& p)
{
    size_t n = sizeof p.acName;
    while (n > 0 && (p.acName[n - 1] == ' ' || p.acName[n - 1] == '\0'))
        --n;
    return std::string(p.acName, n);
}

/* Offset of entry `entry` of element `element` of parameter `pi` of command
 * `ci` of kCommands, for an element of `size` bytes; -1 when there is none. */
inline int32_t PlacedOffset(int ci, int pi, int element, int entry, int32_t size)
{
    const ParamDef& def = kCommands[ci].params[pi];
    if (element >= def.elementCount)
        return -1;
    const Placement& pl = IndexedPlacement(ci, pi);
    int32_t at = pl.elementAt[element];
    if (at < 0 || entry < 0 || entry >= (def.layout == 'S' ? 1 : def.entries))
        return -1;
    at += entry * (def.layout == 'C' ? ElementSize(def.elements[element]) : pl.rowWidth);
    return at + size <= FFC_PARM_AREA_SIZE ? at : -1;
}

inline int32_t EntryOffset(const FFC_PARSED_COMMAND& p, std::string_view keyword, int element, int entry, int32_t size)
{
    int ci = FindCommand(CommandNameOf(p));
    int pi = ci < 0 ? -1 : FindParam(kCommands[ci], keyword);
    return pi < 0 ? -1 : PlacedOffset(ci, pi, element, entry, size);
}

/* A character element of parameter pi of command ci (FindCommand,
** FindParam; -1 when not found), trailing blanks removed: for a reader
** that takes many elements of one parameter. */
inline std::string ParmTextOf(const FFC_PARSED_COMMAND& p, int ci, int pi, int element = 0, int entry = 0)
{
    if (ci < 0 || pi < 0 || element >= kCommands[ci].params[pi].elementCount)
        return {};
    int32_t size = ElementSize(kCommands[ci].params[pi].elements[element]);
    int32_t at = PlacedOffset(ci, pi, element, entry, size);
    if (at < 0)
        return {};
    size_t n = static_cast<size_t>(size);
    while (n > 0 && p.acParms[at + n - 1] == ' ')
        --n;
    return std::string(p.acParms + at, n);
}

/* A 32-bit ('N') or 16-bit ('H') element of parameter pi of command ci. */
inline int32_t ParmNumberOf(const FFC_PARSED_COMMAND& p, int ci, int pi, int element = 0, int entry = 0)
{
    if (ci < 0 || pi < 0 || element >= kCommands[ci].params[pi].elementCount)
        return 0;
    char kind = kCommands[ci].params[pi].elements[element].kind;
    int32_t at = PlacedOffset(ci, pi, element, entry, kind == 'H' ? 2 : 4);
    if (at < 0 || (kind != 'N' && kind != 'H'))
        return 0;
    if (kind == 'H') {
        int16_t v;
        std::memcpy(&v, p.acParms + at, 2);
        return v;
    }
    int32_t v;
    std::memcpy(&v, p.acParms + at, 4);
    return v;
}

/* The command of p and its parameter of the keyword: {-1, -1} when the
** command is not in the table, {ci, -1} when it has no such parameter. */
inline std::pair<int, int> CommandParam(const FFC_PARSED_COMMAND& p, std::string_view keyword)
{
    int ci = FindCommand(CommandNameOf(p));
    return {ci, ci < 0 ? -1 : FindParam(kCommands[ci], keyword)};
}

/* A character element, trailing blanks removed. */
inline std::string ParmText(const FFC_PARSED_COMMAND& p, std::string_view keyword, int element = 0, int entry = 0)
{
    auto [ci, pi] = CommandParam(p, keyword);
    return ParmTextOf(p, ci, pi, element, entry);
}

/* A 32-bit ('N') or 16-bit ('H') element. */
inline int32_t ParmNumber(const FFC_PARSED_COMMAND& p, std::string_view keyword, int element = 0, int entry = 0)
{
    auto [ci, pi] = CommandParam(p, keyword);
    return ParmNumberOf(p, ci, pi, element, entry);
}

/* The entry count of a list or flag-set parameter. */
inline int32_t ParmCount(const FFC_PARSED_COMMAND& p, std::string_view keyword)
{
    int32_t at = CountOffset(CommandNameOf(p), keyword);
    if (at < 0 || at + 4 > FFC_PARM_AREA_SIZE)
        return 0;
    int32_t v;
    std::memcpy(&v, p.acParms + at, 4);
    return v;
}

/* Whether an allowed value of a flag-set parameter was given. */
inline bool ParmFlag(const FFC_PARSED_COMMAND& p, std::string_view keyword, std::string_view value)
{
    int32_t at = FlagOffset(CommandNameOf(p), keyword, value);
    return at >= 0 && at < FFC_PARM_AREA_SIZE && p.acParms[at] == 'Y';
}

}  // namespace dqov::cmdparm

#endif /* __cplusplus */

#endif
