/* The checker: module state, its entry and the services its passes and
 * handlers share.
 *
 * The run driver calls P3100_RunChecker once in every pass of a job. All
 * state is module state, refilled for every check; the command lookup, the
 * keyword area and the handlers cached in the lookup live for the process. */
#ifndef DQOV_CHECKER_CHECKER_H
#define DQOV_CHECKER_CHECKER_H

#include <initializer_list>
#include <map>
#include <set>
#include <stdint.h>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "checker/command_records.h"
#include "checker/command_tables.h"
#include "dqov/runcontrol/definitions.h"
#include "dqov/runcontrol/ffc_check_state.h"
#include "dqov/runcontrol/ffc_context.h"
#include "dqov/runcontrol/ffc_work_record.h"
#include "dqov/runcontrol/work_records.h"
#include "params/check_build.h"
#include "params/field_texts.h"
#include "params/fixed_text.h"
#include "platform/dqoo/dqoo.h"
#include "platform/dqos/dqos.h"
#include "runcontrol/message_table.h"

extern "C" {

/* The checker's entry: 23 arguments as the run driver hands them over. */
void P3100_RunChecker(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pProcessDefinition,
                      void* pFunctionDefinition, char* pachFunctionKind, char* pcSwitch6, char* pachOptionFlags,
                      char* pcSwitch8, char* pcSwitch9, const char* pachCode10, const char* pachMsgQueue,
                      uint16_t* pusStatus, const char* pszRootDirectory, void* pMsgCallback, void* pCallFromEditor,
                      int32_t lFunctionRun, int32_t* plHtml, int32_t* plXml, void* pDriverArgument, void* pLpcAnchor,
                      void* pCmpeAnchor, void* pDesignScreenCallback, void* pDesignReportCallback);

/* Withdraws the HTML or XML page request (flag cleared, notice issued) of
 * a function run with option 'G' and no fatal message whose function has
 * no screen to make a page from. */
void P3100_ReportWebOutputKind(FFC_CHECK_STATE* pState, int32_t* plHtml, int32_t* plXml, FFC_CONTEXT* pContext,
                               int32_t lFunctionRun);
/* The page requests the last check left set (the run step's flags). */
void P3100_GetWebOutputRequests(int32_t* plHtml, int32_t* plXml);

/* The run's stored command list and its kind byte (held by the driver). */
void P3100_SetEditorSource(SZOPH_LIST* pList);
/* The checker as the run driver's checker step (FFC_RUN_SEAMS.pfnChecker). */
int32_t P3100_lRunCheckerStep(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState, void* pBuild);

/* Parameter preparation: the parameter parser's entry. */
typedef int16_t (*P3100_PREPARE_COMMAND)(FFC_CONTEXT* pContext, FFC_PARSED_COMMAND* pParsed,
                                         FFC_COMMAND_EXTENSION* pExtension, const FFC_SOURCE_COMMAND* pSource,
                                         char* pBuffer11000, char* pBuffer256, const char* pachMsgQueue,
                                         const void* pKeywordArea, uint16_t usKeywordCount, FFC_COMMAND_ENTRY* pEntry);
void P3100_SetPrepareCommand(P3100_PREPARE_COMMAND pfnPrepare);
P3100_PREPARE_COMMAND P3100_pGetPrepareCommand(void);

/* Automatic screen and report layout: called in pass 2 by the screen
 * check for each REQUEST, DISPLAY and POP_UP and by the report-line checks;
 * a layout leaves its closing message in the check state's result slot. */
typedef void (*P3100_LAYOUT_CALL)(FFC_CONTEXT* pContext, FFC_CHECK_STATE* pState);
void P3100_SetLayoutCalls(P3100_LAYOUT_CALL pfnScreen, P3100_LAYOUT_CALL pfnReport);
/* Installs the library's own screen and report layouts; the function-wide
 * layout counters start again with every check. */
void P3100_UseLibraryLayouts(void);
void P3100_ResetLayoutCounters(void);

/* Keyword area (the parameter preparation's entries), loaded once per
 * process, and its entry count. */
void* P3100_pKeywordArea(uint16_t* pusCount);
void P3100_LoadKeywordTables(void);

/* The steps of a check run: start, the two passes, the end. */
void P3100_StartChecking(void);
void P3100_Pass1(void);
void P3100_Pass2(void);
void P3100_EndChecking(void);
/* Has the object layer parse the current command (an INCLUDE) and fills
 * its parameters from the result; 0 parsed, 1 with the finding issued. */
int16_t P3100_sParseIncludeCommand(void);

/* Services named by the other subsystems. */
void P3100_IssueMessageRecord(void* pRecord, int32_t lDefer, char cSeverity, const char* pachMsgId, const void* pData,
                              uint32_t ulLength);
void P3100_IssueMessage(char cSeverity, const char* pachMsgId, const char* pText, uint32_t ulLength);
void P3100_IssueTextMessage(const char* pszText);
void P3100_IssueServicesMessage(char cSeverity, uint32_t ulNumber, ...);
void P3100_ParseMessageCallback(const char* pText, uint32_t ulLength);
void P3100_ReplayQueuedMessages(void);
void P3100_ReportIllegalReference(uint32_t ulLength, const char* pName);
void P3100_RecordLabel(void);
void P3100_CheckStructure(void);
void P3100_DispatchCommand(FFC_COMMAND_ENTRY* pEntry);
/* 1 when the check of the command with the number does nothing (its
 * dispatch leaves the parsed command as it is), else 0. */
int32_t P3100_fCheckDoesNothing(uint32_t ulNumber);
char P3100_fNextCommand(void);
void P3100_ShowProgress(int32_t lMode);
void P3100_RecordFieldUsage(int32_t lMode, const char* pachName, const char* pachKind);
int32_t P3100_lCountParameters(void);
/* The count message at the end of generation, with the job's totals (the
 * generator's findings included): PRC0011, or PRC1054 for a component run,
 * in the summary of the current run context. */
void P3100_IssueCompletionMessages(const char* pachMsgQueue, int32_t lReserved, int32_t lWarnings, int32_t lFatal);

/* Source loading. */
uint16_t PCONTROL_sLoadSource(FFC_CONTEXT* pContext, void* pFunctionDefinition, uint16_t* pusCount, const char* pszRoot,
                              void* pDriverArgument, const char* pachComponent, void* pfnParseMessage,
                              void* pfnIssueMessage, char* pBuffer11000, char* pBuffer256, const char* pachMsgQueue,
                              void* pKeywordArea, uint16_t usKeywordCount, void* pfnCompare);
/* Fills pRecord with the command and stores it up to the end of its
 * parameter text. pRecord is blank past its text (usParmLength), as a
 * previous call leaves it; only what the old text used is blanked again. */
void PCONTROL_StoreCommandRecord(FFC_CONTEXT* pContext, int16_t sLine, int16_t sSubLine, int16_t sSequence,
                                 char chListKind, const SZOPH_COMMAND* pCommand, FFC_SOURCE_COMMAND* pRecord);
/* Reads the command after the one in pRecord into it: '0', or '1' at the
 * end. The text area past the new text is blanked as far as the old text
 * went, so a buffer kept blank past its text (as every reader of the
 * parameter text keeps it) stays so. */
char PCONTROL_chReadNextCommand(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pRecord);

/* The user DLL definitions the check read from the root's source
 * directory ("x_usedll.dat"); null when it names none. */
USEDLL_RECORD* P3100_pUserDlls(void);

/* Support services. */
int16_t P31O2_sParseCommandText(FFC_CONTEXT* pContext, FFC_SOURCE_COMMAND* pSource,
                                void (*pfnMessage)(const char*, uint32_t), int32_t lOption1, int32_t lOption2,
                                uint16_t* pusErrors);
int32_t P31O2_sTokenizeCommand(FFC_SOURCE_COMMAND* pSource);
int32_t P31O2_usLookupCommandCode(const char* pName, uint16_t* pusCommandCode);
int32_t P31O2_fGetCommandName(uint16_t usCommandCode, char* pachName);
/* 1 when the name is no built-in command (P31O2_usLookupCommandCode finds nothing). */
int32_t P31O2_fIsNotBuiltInCommand(const char* pName);
int32_t P31O2_fIsIncludeCommand(const char* pName);
/* 1 when the object name begins "*COMP" (a component run), and the opposite. */
int32_t P31O2_fIsComponentRun(void* pIgnored, const char* pName);
int32_t P31O2_fIsFunctionRun(void* pIgnored, const char* pName);
int32_t P31O2_fIsBlank(const void* pBuffer, int32_t lIgnored, uint32_t ulLength);
/* The text made an identifier into pszOut (room for ulMaximum + 1): see support.cpp. */
void P31O2_MakeIdentifier(const char* pSource, char* pszOut, uint32_t ulLength, uint32_t ulMaximum);

}  // extern "C"

/* P3100_IssueMessage by the message's name, with the severity of the message table. */
void P3100_IssueMessage(dqov::Msg msg, const char* pText, uint32_t ulLength);

/* Internal state and helpers of the checker (C++ only). */
namespace checker {

constexpr int kStackLimit = 99;

struct StackLevel {
    char name[10];
    char loop; /* 'Y' for loop openers */
    int16_t line;
    int16_t subLine;
    char high1[10];
    char high2[10];
    int32_t middleCount;
};

/* Structure stack, named FFC structure stack in the pass descriptions. */
struct Globals {
    FFC_CONTEXT* ctx = nullptr;
    FFC_CHECK_STATE* state = nullptr;
    void* processDefinition = nullptr;
    void* functionDefinition = nullptr;
    char* functionKind = nullptr; /* 3 characters */
    char* switch6 = nullptr;
    char* optionFlags = nullptr; /* 999 bytes */
    char* switch8 = nullptr;
    char* switch9 = nullptr;
    char code10[3]{};
    char msgQueue[10]{};
    uint16_t status = 0;
    std::string root;
    /* the user DLL definitions of the root's source directory, read at the
     * start of a check (those of the check before released first) */
    USEDLL_RECORD* userDlls = nullptr;
    void* msgCallback = nullptr;
    void* callFromEditor = nullptr;
    void* driverArgument = nullptr;
    void* lpcAnchor = nullptr;
    void* cmpeAnchor = nullptr;
    void* designScreen = nullptr;
    void* designReport = nullptr;

    char partition[3]{};
    char process[10]{};
    char function[7]{};
    char language[4]{};
    std::string processName; /* stripped */
    std::string functionName;
    /* both names as the check blocks hold them, ten characters each,
     * blank-padded (and a closing null); set with the names */
    char paddedNames[21] = "                    ";

    /* work areas of a check */
    FFC_SOURCE_COMMAND source{};
    FFC_PARSED_COMMAND parsed{};
    /* parsed.acParms holds only blanks from this offset on: pass 1 learns
     * it from the preparation, every other write to the area moves it on
     * (NoteParmsWritten), and the next preparation blanks only what lies
     * before it */
    int32_t parmsBlankFrom = FFC_PARM_AREA_SIZE;
    FFC_COMMAND_EXTENSION extension{};
    std::vector<char> buffer11000; /* parameter work buffer (grows for object-layer parses) */
    std::vector<char> buffer256;
    FFC_WORK_RECORD record{};
    FFC_WORK_RECORD record2{};
    WR_DRINF_DATA reports[9]{};
    /* the line and command of each report's first use (its page-number
     * field is used from there) */
    int32_t reportLine[9]{};
    char reportCommand[9][10]{};
    char sysFlags[WR_SYSFLAGS_LEN]{};
    char currentFlags[FFC_COMMAND_FLAG_COUNT]{};

    /* per-check state */
    char recordMode = 'F';
    char currentRoutine[50]{};
    int routineDepth = 0; /* open routines */
    bool inSubroutine = false;
    bool inRoutine = false;
    bool inComponentBlock = false; /* between BEGIN_COM and END_COM */
    char messageTextUsed = 'N';
    char prc0324 = 'N';
    uint32_t screenCommands = 0;
    char switchDirect = 'N';
    char switchWebEvent = 'N';
    uint16_t screenLines = 24;
    char ioStatusField[10]{};
    /* the name of the run's abort label: "@ABORT" from the start of the
     * check, "*ABORT" once an I/O check names *ABORT as its error action;
     * each routine check writes the routine's abort label under it */
    std::string abortLabel = "@ABORT";
    long xref = 0;

    /* pass state */
    int depth = 0;
    StackLevel stack[kStackLimit + 1]{};
    char previousName[10]{};
    char readerFlag = '1';
    int32_t readerSequence = 0;
    int32_t commandCount = 0;
    int32_t checkerCommandCounter = 0;
    uint32_t currentNumber = 0; /* command number of the current command */
    int32_t commandFatal = 0;   /* per-command counts */
    int32_t commandWarnings = 0;
    std::vector<std::string> labelReferences; /* "*FIRST" candidates (10 characters) */
    std::string firstLabel;
    bool firstLabelKnown = false;
    /* pass 2: the operands of the open CASE blocks, each with whether it
     * was accepted (the WHEN commands compare against the innermost) */
    std::vector<std::pair<std::string, bool>> caseLevels;
    /* the field references the object layer's parses of pass 2 noted */
    struct FieldReference {
        std::string name;
        int32_t line;
        std::string command;
    };
    std::vector<FieldReference> deferredReferences;
    bool parsingComponentCommand = false;
    /* the element forms of the function's arrays: "ARR#IX" names element
     * #IX of array #ARR (DEF_ARRAY ... INDEXES(#IX)) */
    struct ArrayElement {
        std::string name;  /* the element's field name: "ARR#IX" */
        std::string array; /* "#ARR" */
        std::string index; /* "#IX" */
    };
    std::vector<ArrayElement> arrayElements;
    /* the functions a check found in the repository or not, by process
     * and function: the check asks for each called function in both passes */
    std::map<std::pair<std::string, std::string>, bool> functionsFound;
    /* fields an operand check refused as undefined at the line of their
     * use; the final field check does not report them again */
    std::vector<std::string> undefinedFieldsReported;
    /* the files OPEN named (with the line of the first OPEN), and the files
     * a command other than OPEN and CLOSE named: a file opened that no
     * command uses is reported after pass 2 */
    std::map<std::string, int32_t> filesOpened;
    std::set<std::string> filesUsed;
    /* loops of the run: the running loop counter of SELECT, SELECT_SQL and
     * SELECTLIST ("SL@" + 3 digits) and, per structure depth, the SELECT
     * file, library and loop identifier; the current SELECT level */
    int32_t loopCounter = 0;
    std::string levelFile[kStackLimit + 1];
    std::string levelLibrary[kStackLimit + 1];
    std::string levelLoopId[kStackLimit + 1];
    int32_t currentSelectLevel = -1;
    char subReference[17]{};
};

/* The check's state; inline, as the handlers reach it at every turn. */
extern Globals gCheck;
inline Globals& G()
{
    return gCheck;
}

/* A write to the current command's parameter area reaching up to `end`
 * (FFC_PARM_AREA_SIZE when anywhere): the area is no longer known blank
 * before it. */
inline void NoteParmsWritten(int32_t end)
{
    Globals& g = G();
    if (end > g.parmsBlankFrom)
        g.parmsBlankFrom = end < FFC_PARM_AREA_SIZE ? end : FFC_PARM_AREA_SIZE;
}

/* Current command helpers (the fixed-field ones are the parameter checks'). */
using dqov::Msg;
using dqov::text::Pad;
using dqov::text::Trim;
using dqov::text::TrimmedView;
using dqov::text::Upper;
using dqov::text::UpperChar;
bool IsComponentRun();
bool IsFunctionRun();
int32_t Pass();
bool NameIs(const char* name); /* current command name equals name (blank-padded) */
/* A parameter value given: neither empty nor *NONE. */
bool Given(const std::string& value);
/* A message given in the command's own text (MSGTXT) or by id (MSGID) is
 * one the program shows: the message text field is needed. */
void NoteMessageText();
/* Counts the next loop of the run and gives it to the current command and
 * to the structure depth as its identifier ("SL@" + 3 digits). */
void NumberLoop(int depth);
/* Commands of the screen dialogue have no place in a component: false (and
 * in pass 1 the finding) when the run checks a component. */
bool NotInComponent();
/* A label (up to 3 characters) recorded in pass 1 for the current routine. */
bool LabelKnown(const std::string& label);
/* A branch target of the current command: blank, one of the keywords, or
 * a label of the current routine. */
bool TargetValid(const std::string& target, std::initializer_list<const char*> keywords);
/* The action of one outcome of a check command (the parameter `keyword`):
 * the run-time checker answers it as an action code, so only *NEXT,
 * *ERROR and *ACCEPT are actions; any other value gives DCM0310. */
void CheckCheckAction(const char* keyword);
/* Runs a single-row "SELECT COUNT(*)" of the partition: the statement takes
 * the partition and one or two names; a database error ends the run. */
uint32_t CountRows(const char* tag, const char* sql, const std::string& a, const std::string& b = {});
/* Runs the "SELECT COUNT(*)" declared in the area (location tag set) and
 * gives its count; a database error ends the run. */
uint32_t RunCount(SSQL_AREA& area, const char* tag);
/* Opens the "SELECT name, sequence" cursor declared in the area and fetches
 * its names (10 characters, trimmed), keeping at most `limit` of them. The
 * location tags: open, first fetch, further fetches, close. */
std::vector<std::string> FetchNames(SSQL_AREA& area, const char* const tags[4], size_t limit = SIZE_MAX);

/* Messages for the current command: with the severity of the message table;
 * a text carrier (CheckerText, ServicesText) with the caller's severity; a
 * message whose id another step handed over (the layout's final message, an
 * operand check's finding) by that id. */
void Issue(Msg msg, std::string_view data = {});
void Issue(char severity, Msg msg, std::string_view data);
void Issue(char severity, const char* msgId, std::string_view data = {});
void IssueText(std::string_view text, char severity = 'I');
/* A message of the checks after the passes that belongs to the line of a
 * command (command: its name, up to 10 characters). */
void IssueAt(int32_t line, std::string_view command, Msg msg, std::string_view data);

/* Prepared parameters of the current command (the parsed command's
 * parameter area): element `element` of the first entry of a parameter,
 * trimmed; entry `entry` (from 0) of a list parameter; the entry count of a
 * list or flag set; the 'Y' flag of a value of a flag set. */
std::string Parm(const char* keyword, int element = 0);
std::string ParmEntry(const char* keyword, int entry, int element = 0);
int32_t ParmCount(const char* keyword);
/* ParmEntry and ParmCount of a parameter known by its place in the command
 * table (command `command`, parameter `param`, as the keyword finds it):
 * for a caller that walks the parameters of the current command. */
std::string ParmEntryAt(int command, int param, int entry, int element);
/* The current command's place in the command table (-1 for none), kept
 * while the parsed command's name stays the same. */
int CurrentCommandIndex();
/* ParmEntryAt into `out`, whose room is kept for the next value. */
void ReadParmEntryAt(int command, int param, int entry, int element, std::string& out);
int32_t ParmCountAt(int command, int param);
bool ParmFlag(const char* keyword, const char* value);
/* Writes entry `entry` of a text parameter (blank-padded or cut to its
 * width) or a list's entry count; false when the command has no such slot. */
bool SetParmEntry(const char* keyword, int entry, int element, std::string_view value);
bool SetParmCount(const char* keyword, int32_t count);
/* Work records. */
void BlankRecord(FFC_WORK_RECORD& r, const char* kind, std::string_view name = {}, std::string_view qual = {});
// The key of a record to look up (kind, name, qualifier), the rest left as
// it is: for a lookup whose record is read whole when found and not used
// otherwise.
void BlankRecordKey(FFC_WORK_RECORD& r, const char* kind, std::string_view name = {}, std::string_view qual = {});
/* Writes the record as a new work record; false when it could not be kept. */
bool P3100_WriteRecord(const FFC_WORK_RECORD& r);
bool FindRecord(FFC_WORK_RECORD& r, uint16_t parts);
/* Whether a record with the buffer's leading key parts exists (only its key
 * is read into the buffer). */
bool RecordExists(FFC_WORK_RECORD& r, uint16_t parts);
/* Blanks the record for a name the function defines once: false, with the
 * finding `duplicate`, when a record of that kind and name exists. */
bool BlankNewRecord(FFC_WORK_RECORD& r, const char* kind, const std::string& name, Msg duplicate);
/* The "DEF_COND" record of a condition name of the function (with its
 * '*'); false when the function defines no such condition. */
bool FindConditionRecord(const std::string& name, FFC_WORK_RECORD& r);

/* The abort label of the current routine: a "LABEL" record named by the
 * run's abort label name, written unless the routine holds it. */
void WriteAbortLabel();
/* An I/O check's error action: *ABORT makes "*ABORT" the run's abort label
 * name, under which the routine checks then write their abort labels. */
void NoteErrorAction(const std::string& action);
/* Whether the current routine holds an abort label (under either name). */
bool AbortLabelKnown();

/* Set-up of the check that the run and the tests share. */
void ResetModuleForCheck();
void PresetReports();

/* Tells whether the run is a design-only ("X3") scope. */
bool DesignOnlyScope();

/* One cross-reference row of the check ("USE" of the kind and name at the
 * line); a repository failure ends the job through the fatal SQL path. */
void RecordXref(const char* kind, const std::string& name, long line);

}  // namespace checker

#endif
