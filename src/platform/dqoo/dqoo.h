/*
 * Object layer: the build of one object (a ZOPH function or a ZOPHX
 * component) as the checker and the generator see it.
 *
 *   - Build start and end: the pass count (one) and the build-start value
 *     (non-zero for a member of a compound component).
 *   - Check start and end, with the checker's five callbacks.
 *   - The parse and tokenising of commands (ZOPH2, ZOPHX).
 *   - A component's source lines and its description tree (dqoo_bom.h),
 *     read from the repository.
 *   - The items of the object layer that commands carry as 9-byte kind-3
 *     references (byte 3, a letter, seven digits): literals ('S', 'T'),
 *     field attribute lists ('M'), pending escaped parameters ('2'); and the
 *     evaluations of a statement.
 *   - The expression records and their enumerations (dqoo_pcode.h), loaded
 *     from the expression fixture format (dqoo_fixture.h).
 *   - The Web Application Module and cross-reference enumerations.
 *
 * Every call takes the build handle the run driver owns; the object layer
 * keeps its own state per handle address and never reads the block.
 */
#ifndef DQOV_PLATFORM_DQOO_H
#define DQOV_PLATFORM_DQOO_H

#include <stddef.h>
#include <stdint.h>

#include "platform/dqot/dqot.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct FCC_BUILD_HANDLE FCC_BUILD_HANDLE;
typedef struct BOM_DESCRIPTION_NODE BOM_DESCRIPTION_NODE;

/* Result codes. */
enum {
    DQOO_OK = 0,
    DQOO_ERR_ARGUMENT = -1,   /* a required argument is missing */
    DQOO_ERR_NO_BUILD = -2,   /* the handle has no started build */
    DQOO_ERR_NOT_FOUND = -5,  /* no such object, item or routine */
    DQOO_ERR_SYNTAX = -7,     /* a command could not be parsed */
    DQOO_ERR_REPOSITORY = -8, /* the repository could not be read */
    DQOO_ERR_STOPPED = -9,    /* a callback asked to stop (collector 0) */
    DQOO_ERR_NO_CHECK = -10   /* no check started for the build */
};

/* ---- build start and end ------------------------------------------------ */

typedef struct DQOO_BUILD_REQUEST {
    const char* pszObjectName;            /* component name, or process name */
    const char* pszFunctionName;          /* function name; "*COMP" for a component */
    const char* pszPartition;             /* 3-character partition */
    const TPARS_COMMAND_TABLE* pCommands; /* command-name table for the parses */
    char chNational1;                     /* national characters allowed in names */
    char chNational2;
    char chNational3;
} DQOO_BUILD_REQUEST;

/* Starts the build of one object; the repository is the services
 * library's connection.  *pulPassCount receives the number of passes: 1,
 * or for a compound component (rows in QV_OCM) one pass per member;
 * *plBuildStart the build-start value: the number of members of a compound
 * component, else 0.  The command table must outlive the build. */
long DQOO_FCC_StartBuild(FCC_BUILD_HANDLE* pBuild, const DQOO_BUILD_REQUEST* pRequest, uint32_t* pulPassCount,
                         int32_t* plBuildStart);

/* Ends the build: its state, check and items are released. */
long DQOO_FCC_EndBuild(FCC_BUILD_HANDLE* pBuild);

/* Whether the handle holds a started build: 0, or DQOO_ERR_NO_BUILD once
 * the build has ended (or was never started). */
long DQOO_FCC_QueryBuild(const FCC_BUILD_HANDLE* pBuild);

/* ---- check start and end ----------------------------------------------- */

/* The checker's callbacks.  Each answers 0 for "good / go on".
 *
 * The field check is asked once per check for each name that a component
 * command uses as a field; a non-zero answer refuses it (the checker has
 * reported it).  The name check is asked for a name the object layer could
 * not resolve in its context, with one of the kinds below ("COMP.FEATURE"
 * for a feature); its answer is a refusal unless 0.  The group expansion
 * hands each field of a group of fields to the sink and answers how many it
 * handed (0: the name is no group). */
#define DQOO_NAME_CLASS 1     /* a class (BEGIN_COM, DEFINE_COM, DEFINE_MAP, SET_REF) */
#define DQOO_NAME_COMPONENT 2 /* a member component or reference */
#define DQOO_NAME_PROPERTY 3  /* a property of a component */
#define DQOO_NAME_EVENT 4     /* an event */
#define DQOO_NAME_METHOD 5    /* a method */
#define DQOO_NAME_PARAMETER 6 /* a parameter (map) of an event or method */
#define DQOO_NAME_ROUTINE 7   /* a routine no definition names */
#define DQOO_NAME_FIELD_CLASS 8 /* a name used as a class that no class has: 0 when it is a field (used as a
                                   value holder), else the class is refused */
typedef long (*DQOO_CHECK_FIELD_EXISTS)(const char* pszField);
typedef long (*DQOO_CHECK_NAME_IN_CONTEXT)(const char* pszName, int32_t lKind);
typedef long (*DQOO_GROUP_FIELD_SINK)(void* pvUser, const char* pszField);
typedef long (*DQOO_EXPAND_GROUP)(const char* pszGroup, void* pvUser, DQOO_GROUP_FIELD_SINK pfnField);
typedef long (*DQOO_COLLECT_FIELD_REFERENCE)(const char* pszField, uint32_t ulLine);
typedef long (*DQOO_RECORD_XREF)(const char* pszKind, const char* pszName, uint32_t ulLine);

/* Findings of the object layer's parses go to this sink when given. */
typedef void (*DQOO_REPORT_FINDING)(const char* pszText, size_t cbText);

#define DQOO_MODE_EDITOR 1
#define DQOO_MODE_TOOLS 2

/* Start request: what the checker hands over at the start of a check. */
typedef struct DQOO_START_REQUEST {
    const char* pszComponentName;         /* component run, else NULL */
    uint16_t usMode;                      /* DQOO_MODE_EDITOR or DQOO_MODE_TOOLS */
    const char* pszSecondComponentName;   /* component run, else NULL */
    const char* pszProcessName;           /* function run, else NULL */
    const char* pszFunctionName;          /* function run, else NULL */
    DQOO_REPORT_FINDING pfnReportFinding; /* NULL: findings are only counted */
    DQOO_CHECK_FIELD_EXISTS pfnCheckFieldExists;
    DQOO_CHECK_NAME_IN_CONTEXT pfnCheckNameInContext;
    DQOO_EXPAND_GROUP pfnExpandGroup;
    DQOO_COLLECT_FIELD_REFERENCE pfnCollectFieldReference;
    DQOO_RECORD_XREF pfnRecordXref;
} DQOO_START_REQUEST;

/* Starts checking the build's object; the request is copied.  0, or
 * DQOO_ERR_NO_BUILD / DQOO_ERR_ARGUMENT. */
long DQOO_FCC_StartChecking(FCC_BUILD_HANDLE* pBuild, const DQOO_START_REQUEST* pRequest);

/* Ends the open check.  0, or DQOO_ERR_NO_CHECK. */
long DQOO_FCC_EndChecking(void);

/* ---- parse and tokenising ------------------------------------------------ */

/* Result of a ZOPH2 parse. */
typedef struct DQOO_PARSED_COMMAND {
    int32_t lError;         /* 0, or the parser's error code */
    uint16_t usCommandCode; /* command number */
    char achLabel[3];       /* upper case, blank-padded */
    char achName[10];       /* upper case, blank-padded */
    uint32_t ulParmLength;
    char achParameters[11000]; /* blank-padded */
    char szErrorText[TPARS_RESULT_TEXT_SIZE];
} DQOO_PARSED_COMMAND;

/* Parses one command ("label: NAME parameters") against the build's
 * command-name table.  0 (and the result) or DQOO_ERR_SYNTAX (the result
 * holds the text naming the place; it also goes to the finding sink). */
long DQOO_FCC_ParseZOPH2(FCC_BUILD_HANDLE* pBuild, const char* pszText, DQOO_PARSED_COMMAND* pResult);

/* Parses and checks one component command (the forms are described in
 * dqoo_zophx.cpp).  A check hands each command over twice: the first parse
 * of a line declares what the command defines (members, features,
 * routines) and gives a command that the generated program dispatches
 * (SET, SIGNAL, INVOKE, PERFORM, SET_REF, IF_REF, ASSIGN, FOR) its dispatch
 * id, unique within the build; the second resolves the names it uses
 * through the start request's callbacks, hands every field it uses to the
 * collector with the command's line, numbers the fields it exchanges and
 * keeps the command's dispatch record.  *plDispatchId (may be NULL)
 * receives the id, or -1.  Every word that begins with the first national
 * character is recorded as a cross-reference.  Returns the number of
 * findings (0 good), or DQOO_ERR_REPOSITORY when a class or list it looks
 * up could not be read; lexical findings go to the start request's sink on
 * the first parse. */
long DQOO_FCC_ParseZOPHX(FCC_BUILD_HANDLE* pBuild, const char* pszText, uint32_t ulLine,
                         DQOO_COLLECT_FIELD_REFERENCE pfnCollect, int32_t* plDispatchId);

/* A field the checked object exchanges with the run time: its exchange
 * number (from 1, in order of first use), its name, 'Y' when it is handed
 * in and back (a *BOTH map or web map: its maximum value travels) and 'Y'
 * when it has an evaluation case (a system variable a command passes: it
 * is set afresh when its evaluation is requested). */
typedef struct DQOO_EXCHANGED_FIELD {
    int32_t lNumber;
    const char* pszField;
    char chMaximum;
    char chEvaluationCase;
} DQOO_EXCHANGED_FIELD;
typedef long (*DQOO_EXCHANGE_CALLBACK)(void* pvUser, const DQOO_EXCHANGED_FIELD* pField);

/* Hands the exchanged fields of the build's last check to the callback in
 * number order.  The number handed, DQOO_ERR_NO_BUILD, or the callback's
 * non-zero answer (negated when positive). */
long DQOO_FCC_EnumerateExchangedFields(FCC_BUILD_HANDLE* pBuild, DQOO_EXCHANGE_CALLBACK pfnCallback, void* pvUser);

/* A member component (usage kind 100) or a property (200) of the checked
 * component, with the routine scope it belongs to (0 the component's own;
 * a map of a routine its routine's number from 1, in source order) and its
 * flags: 1 a member the component defines, 2 a member whose class is a
 * field of the dictionary (a value holder). */
typedef struct DQOO_USAGE {
    const char* pszName;
    int32_t lKind;
    int32_t lScope;
    uint32_t ulFlags;
} DQOO_USAGE;
typedef long (*DQOO_USAGE_CALLBACK)(void* pvUser, const DQOO_USAGE* pUsage);

/* Hands the members and properties of the build's last check to the
 * callback, members first, each in name order.  The number handed,
 * DQOO_ERR_NO_BUILD, or the callback's non-zero answer (negated when
 * positive). */
long DQOO_FCC_EnumerateUsage(FCC_BUILD_HANDLE* pBuild, DQOO_USAGE_CALLBACK pfnCallback, void* pvUser);

/* A command the generated program dispatches: its id, line, command name,
 * the component it acts on, the feature (the property names of a SET, an
 * event, a method, "TO" or "IS" for the references, "EACH" for FOR) and
 * its arguments as "NAME=value" pairs separated by ';' (an exchanged field
 * written "@" and its exchange number). */
typedef struct DQOO_DISPATCH {
    int32_t lId;
    uint32_t ulLine;
    const char* pszCommand;
    const char* pszComponent;
    const char* pszFeature;
    const char* pszArguments;
} DQOO_DISPATCH;
typedef long (*DQOO_DISPATCH_CALLBACK)(void* pvUser, const DQOO_DISPATCH* pDispatch);

/* Hands the dispatch records of the build's last check to the callback in
 * id order.  The number handed, DQOO_ERR_NO_BUILD, or the callback's
 * non-zero answer (negated when positive). */
long DQOO_FCC_EnumerateDispatches(FCC_BUILD_HANDLE* pBuild, DQOO_DISPATCH_CALLBACK pfnCallback, void* pvUser);

typedef struct DQOO_TOKENIZE_REQUEST {
    uint32_t ulLine;
    uint32_t ulLength;
    const char* pchText;
} DQOO_TOKENIZE_REQUEST;

typedef long (*DQOO_TOKEN_COUNTER)(uint32_t ulLine, const char* pchToken, uint32_t cbToken);
typedef long (*DQOO_PARAMETER_SINK)(uint32_t ulLine, const char* pszParameters);

/* Tokenises one command: the counter is called once for each parameter
 * word at the outer level (a keyword with its bracketed value counts as
 * one), then the sink once with the parameter text.  0; the sink's
 * non-zero answer; or DQOO_ERR_SYNTAX. */
long DQOO_FCC_TokenizeCommand(FCC_BUILD_HANDLE* pBuild, const DQOO_TOKENIZE_REQUEST* pRequest,
                              DQOO_TOKEN_COUNTER pfnCount, DQOO_PARAMETER_SINK pfnParameters);

/* ---- component source and description ----------------------------------- */

/* One source line of a component. */
typedef struct DQOO_SOURCE_LINE {
    uint32_t ulNumber;         /* 1-based line number */
    const char* pszLabel;      /* label before ':' (at most 3), or "" */
    const char* pszName;       /* command name (at most 10), or "" */
    const char* pszParameters; /* parameter text, or "" */
    const char* pszText;       /* the line as stored */
} DQOO_SOURCE_LINE;

/* Collector: answers non-zero to go on, 0 to stop (out of storage). */
typedef int32_t (*DQOO_SOURCE_COLLECTOR)(const DQOO_SOURCE_LINE* pLine);

/* Delivers the source lines of the build's object (for a compound
 * component, of every member in member order) in line order.  0,
 * DQOO_ERR_NOT_FOUND, DQOO_ERR_STOPPED or DQOO_ERR_REPOSITORY. */
long DQOO_FCC_RetrieveCompoundComponentZOPHX(FCC_BUILD_HANDLE* pBuild, DQOO_SOURCE_COLLECTOR pfnCollect);

/* Splits one stored source line into label, name and parameters. */
void DQOO_SplitSourceLine(const char* pszText, char* pszLabel /* 4 */, char* pszName /* 11 */,
                          const char** ppszParameters);

/* Hands back the description tree of the build's component (0), or
 * DQOO_ERR_NOT_FOUND when it has none.  The tree lives until the build
 * ends. */
long DQOO_FCC_BOM_RetrieveDescription(FCC_BUILD_HANDLE** ppBuild, BOM_DESCRIPTION_NODE** ppRoot);

/* Attaches the compiled routine of a verification condition (a node of
 * kind 2305 of the build's description) to it: word 2 of the node becomes
 * the 9-byte routine reference (byte 3, the routine letter, seven digits),
 * kept with the description.  0, DQOO_ERR_ARGUMENT or DQOO_ERR_NO_BUILD. */
long DQOO_FCC_BOM_AttachConditionRoutine(FCC_BUILD_HANDLE* pBuild, BOM_DESCRIPTION_NODE* pNode,
                                         const char* pchReference);

/* ---- items and statement evaluations ------------------------------------ */

typedef struct DQOO_LITERAL_INFO {
    const char* pszText;
    uint16_t usLength;
    uint16_t usSecond;
} DQOO_LITERAL_INFO;

/* Literal ('S', 'T', ...) of a kind-3 item.  0 or DQOO_ERR_NOT_FOUND. */
long DQOO_FCC_LL2_ETT_QueryGetLiteralInfo(const char* pchItem, DQOO_LITERAL_INFO* pInfo);

/* Resolves a pending escaped parameter ('2'): its text is copied into the
 * area, blank-padded to ulLength.  0 or DQOO_ERR_NOT_FOUND. */
long DQOO_FCC_LL2_ETT_ResolvePendingEscapedParameter(FCC_BUILD_HANDLE* pBuild, const char* pchItem, char* pchArea,
                                                     uint32_t ulLength);

/* One entry of a field attribute list: the field name and its attributes. */
typedef long (*DQOO_ATTRIBUTE_CALLBACK)(void* pvControl, const char* pszField, const char* pszAttributes);

/* Calls back once per field of the attribute list ('M').  0, or
 * DQOO_ERR_NOT_FOUND. */
long DQOO_FCC_LL2_ETT_EnumerateFieldAttributeParmList(const char* pchItem, DQOO_ATTRIBUTE_CALLBACK pfnCallback,
                                                      void* pvControl, void* pvReserved);

/* One evaluation attached to a statement. */
typedef struct DQOO_STATEMENT_EVALUATION {
    int32_t lStatement;    /* the statement handle */
    int32_t lSequence;     /* 1-based position within the statement */
    char achFieldName[10]; /* blank-padded */
    char chEnd;            /* NUL */
} DQOO_STATEMENT_EVALUATION;

typedef long (*DQOO_EVALUATION_CALLBACK)(const DQOO_STATEMENT_EVALUATION* pEvaluation, void* pvUser, void* pvUser2);

/* Calls back once per evaluation of the statement, in order.  0, or
 * DQOO_ERR_ARGUMENT for a handle not above 0. */
long DQOO_FCC_LL2_ETT_EnumerateStatementEvaluations(int32_t lStatement, DQOO_EVALUATION_CALLBACK pfnCallback,
                                                    void* pvUser, void* pvUser2);

/* ---- cross-references and default values --------------------------------- */

/* Hands every name that the check's ZOPHX parses referred to (kind
 * "FIELD") to the start request's cross-reference callback, each name once
 * with the line of its first reference, in order of first reference.
 * Returns the number handed over, DQOO_ERR_NO_CHECK without an open check
 * of the build, or the callback's non-zero answer (negated when positive). */
long DQOO_FCC_EnumerateCrossReferences(FCC_BUILD_HANDLE* pBuild);

typedef struct DQOO_DEFAULT_VALUE_REQUEST {
    const char* pszField; /* field name (trailing blanks ignored) */
    char chType;          /* type letter: 'A' alpha, 'P' packed, 'S' signed */
    uint32_t ulLength;    /* characters, or digits */
    uint32_t ulDecimals;
    const char* pszDefault; /* the default as written: 'text', a whole
                               number, *BLANK(S) or *ZERO(S) */
} DQOO_DEFAULT_VALUE_REQUEST;

#define DQOO_ERR_UNSUPPORTED (-11) /* a default this object layer cannot compile */

/* Prepares the default-value routine of a field: a routine of kind 140
 * whose one expression moves the default into the field, added to the
 * expression store (so the expression enumeration hands it out).  The
 * 9-byte routine reference (byte 3, 'O', seven digits) goes to pchReference.
 * 0, DQOO_ERR_ARGUMENT, or DQOO_ERR_UNSUPPORTED (another type, a fraction,
 * a value longer than the field, another special value). */
long DQOO_FCC_PrepareDefaultValueRoutine(FCC_BUILD_HANDLE* pBuild, const DQOO_DEFAULT_VALUE_REQUEST* pRequest,
                                         char* pchReference);

#ifdef __cplusplus
}
#endif

#endif
