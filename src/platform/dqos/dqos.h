/*
** Services library: repository SQL, memory, messages, national-language
** helpers, the stored command list and cross-reference, miscellaneous
** services, the progress slider and object state.
**
** The repository is an SQLite file attached to the connection as schema
** QV_DTA, so statements name their tables "QV_DTA.QV_F23" and so on. One
** connection serves the process; every call runs on the caller's thread
** (the calls are serialised by a lock, so a progress thread may call too).
**
** Units of work: the first statement after the connection, a commit or a
** rollback opens a transaction, and "COMMIT WORK" or "ROLLBACK WORK" ends it;
** nothing is held between units. A job opens its unit with "BEGIN WORK",
** which takes the repository's write lock at once, so that jobs of several
** processes on one repository queue for it: the lock is waited for up to the
** lock timeout (environment variable DQOV_LOCK_TIMEOUT, seconds, default
** 60). A lock not granted in time fails the statement with a text that
** names the repository and the time waited (SSQL_fLockNotGranted answers
** 1 then). A job that only reads opens its unit with "BEGIN READ WORK",
** which takes no lock: the library's own writes in it (the cross-reference)
** are kept until the unit is committed, which takes the write lock for them
** then, and dropped when it is rolled back. The repository runs with a
** write-ahead log, so readers never wait for a job and a job's commit never
** waits for readers.
**
** Statements are printf-style templates. SSQL_DeclareExt turns every value
** placeholder into a bound parameter; no value is ever pasted into the SQL
** text, so quotes, semicolons or comment markers in data cannot change what a
** statement does.
*/
#ifndef DQOV_PLATFORM_DQOS_H
#define DQOV_PLATFORM_DQOS_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------
** Result codes of the SSQL_ calls.
*/
#define SSQL_RC_OK 0          /* done, or a row was delivered */
#define SSQL_RC_END 100       /* a cursor has no further row */
#define SSQL_RC_NOREPOS 65524 /* repository file missing, unreadable or not a database */
#define SSQL_RC_ERROR 65525   /* the statement failed (also an injected failure) */
#define SSQL_RC_NOROW 65526   /* a single-row SELECT found no row */

#define SSQL_STMT_SIZE 1028    /* statement text area, as callers size it */
#define SSQL_VALUES_SIZE 16384 /* room for the bound values of one statement */
#define SSQL_SINGLE_ROW 9999   /* pseudo-cursor that closes an SSQL_sRunExt */

/* ------------------------------------------------------------------------
** Connection.
*/

/* Opens the repository: pszPath names the SQLite file; null or empty takes
** the environment variable DQOV_REPOSITORY. The file must exist, be a
** readable and writable SQLite database and hold tables (an empty file is no
** repository); it is never created. The connection attaches it as QV_DTA,
** sets case-sensitive LIKE and the write-ahead log. A connection already open
** is closed (rolled back) first. Returns SSQL_RC_OK or SSQL_RC_NOREPOS;
** SSQL_pszLastError() then says why. */
unsigned short SSQL_sConnect(const char* pszPath);

/* Rolls back uncommitted work and closes the connection. Harmless when no
** connection is open. */
void SSQL_Disconnect(void);

/* 1 while a connection is open. */
int SSQL_fIsConnected(void);

/* Text of the last failure of this library (DBMS message, refused template,
** missing repository), for error displays. Never null; valid until the next
** failure. */
const char* SSQL_pszLastError(void);

/* 1 when the last failure was a lock that another process held longer
** than the lock timeout (SSQL_pszLastError() then names the repository and
** the time waited): no fault of the job nor of the library. */
int SSQL_fLockNotGranted(void);

/* Location tag ("DC_P3100/SQL052") of the statement the caller runs next. It
** stays current until changed, is copied into the communication area of a
** failure and is what the failure switch below compares. */
void SSQL_SetLocation(const char* pszTag);

/* The location tag current on the calling thread ("" when none was set). */
const char* SSQL_pszLocation(void);

#if DQOV_TEST_HOOKS
/* The two test switches below exist only in builds made for the tests.
** Test switch: every SSQL_ call, and every write of the services library
** itself (cross-reference, object state), made while the current location
** equals pszTag fails with SSQL_RC_ERROR without touching the database. Null
** or "" clears it. SSQL_sConnect also takes it from the environment variable
** DQOV_SQL_FAIL_AT when that is set. */
void SSQL_SetFailLocation(const char* pszTag);

/* Test switch beside it: with a file name, the location of every call that
** the failure switch could fail is appended to that file, each location
** once, one a line (an empty line for a call made without a location). Null
** or "" stops it. SSQL_sConnect also takes it from the environment variable
** DQOV_SQL_LOCATION_LOG when that is set. */
void SSQL_SetLocationLog(const char* pszPath);
#endif

/* ------------------------------------------------------------------------
** Statement area, communication and descriptor areas.
*/

/* A declared statement: the SQL text with one '?' per value, and the values
** themselves, encoded. Plain data: callers keep it on the stack or in their
** blocks; it owns nothing. A refused template leaves ulSerial 0, and every
** run of the area then fails with SSQL_RC_ERROR. */
typedef struct SSQL_AREA {
    char szStmt[SSQL_STMT_SIZE];
    uint32_t ulSerial;     /* declaration number; 0 = not usable */
    uint16_t usValues;     /* number of bound values */
    uint32_t ulValuesUsed; /* bytes used in abValues */
    unsigned char abValues[SSQL_VALUES_SIZE];
} SSQL_AREA;

/* Outcome of a statement and, for a SELECT, a copy of the current row as
** texts (NULL columns are null pointers). One block from SMEM_pMalloc, so
** the caller may free it with SMEM_FreeMem or SSQL_FreeSqlda. */
typedef struct SSQL_SQLDA {
    long lSqlCode;             /* 0 ok, 100 no row/end, negative: DBMS error */
    long lRowsChanged;         /* rows inserted, updated or deleted */
    char szLocation[48];       /* location tag current when it ran */
    char szMessage[256];       /* DBMS or library message */
    uint16_t usColumns;        /* columns of the row below */
    const char* apszColumn[1]; /* usColumns entries (texts in the same block) */
} SSQL_SQLDA;

/* Kinds of fetch buffers. */
enum {
    SSQL_COL_FIXED = 1,   /* usWidth bytes, text blank-padded to width, no terminator */
    SSQL_COL_VARYING = 2, /* uint16_t length then at most usWidth bytes of text */
    SSQL_COL_I16 = 3,     /* int16_t */
    SSQL_COL_I32 = 4,     /* int32_t */
    SSQL_COL_U32 = 5      /* uint32_t, e.g. COUNT(*) (negative values give 0) */
};

/* Typed fetch buffer: one per selected column, passed by value. A NULL
** column gives blanks, length 0 or 0. Longer texts are cut to the width. */
typedef struct SSQL_COLUMN {
    uint16_t usType;
    uint16_t usWidth;
    void* pBuffer;
} SSQL_COLUMN;

#ifdef __cplusplus
#define SSQL_COL_(t, w, p) (SSQL_COLUMN{(uint16_t)(t), (uint16_t)(w), (void*)(p)})
#else
#define SSQL_COL_(t, w, p) ((SSQL_COLUMN){(uint16_t)(t), (uint16_t)(w), (void*)(p)})
#endif
#define SSQL_FIXED(p, w) SSQL_COL_(SSQL_COL_FIXED, (w), (p))
#define SSQL_VARYING(p, w) SSQL_COL_(SSQL_COL_VARYING, (w), (p))
#define SSQL_I16(p) SSQL_COL_(SSQL_COL_I16, 2, (p))
#define SSQL_I32(p) SSQL_COL_(SSQL_COL_I32, 4, (p))
#define SSQL_U32(p) SSQL_COL_(SSQL_COL_U32, 4, (p))

/* ------------------------------------------------------------------------
** Statements.
*/

/* Declares a statement from a template and its values. Placeholders:
**   '%s'  text (const char *; null is empty)     '%c'  one character (int)
**   '%v'  length (int) then text (const char *), the length counts bytes
**   '%d' and %d  int;   '%l', '%ld', %l, %ld  long (quoted or not)
**   %s unquoted: an SQL function name, accepted only from a fixed list
**         ("substr", what SSUTL_GetSQLSubStringCommand answers)
**   %%    a percent sign
** A quoted placeholder with its quotes becomes one bound value. A template
** with any other conversion, a placeholder inside other literal text, an
** unknown function name or more text than the area holds is refused: the
** area is marked unusable and SSQL_RC_ERROR returned. */
unsigned short SSQL_DeclareExt(SSQL_AREA* pArea, const char* pszTemplate, ...);

/* Allocates a cursor number (1 to 9998) into *pusCursor. The statement is
** taken from the area given to the first SSQL_sFetchExt. SSQL_RC_OK or
** SSQL_RC_ERROR. */
unsigned short SSQL_sOpenExt(uint16_t* pusCursor);

/* Delivers the next row of the cursor into the usColumns buffers (passed as
** SSQL_COLUMN values). The first fetch runs the area's statement; an area
** declared anew (or another area) starts the cursor over. Returns
** SSQL_RC_OK with a row, SSQL_RC_END at the end, SSQL_RC_ERROR on failure.
** *ppCa receives the communication area (status; freed by the next fetch or
** the close), *ppDa a descriptor area holding the row's texts. Either may
** be null: that area is then not made. */
unsigned short SSQL_sFetchExt(const SSQL_AREA* pArea, uint16_t usCursor, SSQL_SQLDA** ppCa, SSQL_SQLDA** ppDa,
                              uint16_t usColumns, ...);

/* Runs a single-row statement (SELECT of one row, INSERT, UPDATE, DELETE).
** For a SELECT the first row goes into the usColumns buffers; no row gives
** SSQL_RC_NOROW. Failure SSQL_RC_ERROR. Areas as for SSQL_sFetchExt; release
** them with SSQL_sCloseExt(SSQL_SINGLE_ROW, ...). */
unsigned short SSQL_sRunExt(const SSQL_AREA* pArea, SSQL_SQLDA** ppCa, SSQL_SQLDA** ppDa, uint16_t usColumns, ...);

/* Closes a cursor (or, for SSQL_SINGLE_ROW, only the areas) and frees the
** two areas, setting the pointers to null. SSQL_RC_OK, or SSQL_RC_ERROR for
** an unknown cursor. */
unsigned short SSQL_sCloseExt(uint16_t usCursor, SSQL_SQLDA** ppCa, SSQL_SQLDA** ppDa);

/* Runs a declared statement without fetch buffers. "BEGIN [WORK]" (start the
** unit of work of a job with the write lock, see above; a unit open with
** writes of its own is kept, one that has only read is rolled back first),
** "COMMIT [WORK]", "ROLLBACK [WORK]" (each harmless when no unit is open)
** and "DISCONNECT" (roll back and close) are understood, also through
** SSQL_sRunExt. Every statement call fails while the process is interrupted
** (DosQueryInterrupt). For a SELECT, *ppDa receives the first row
** (read it with SSQL_GetData) and no row gives SSQL_RC_NOROW. On failure
** *ppDa receives the communication area. Free *ppDa with SSQL_FreeSqlda or
** SMEM_FreeMem. ppDa may be null. iReserved must be 0. */
unsigned short SSQL_sRun(const SSQL_AREA* pArea, SSQL_SQLDA** ppDa, int iReserved);

/* Copy of column usColumn (1-based) of a descriptor area as a NUL-terminated
** text from SMEM_pMalloc (caller frees it), or null for a NULL column or no
** such column. */
char* SSQL_GetData(const SSQL_SQLDA* pDa, uint16_t usColumn);

/* Frees a descriptor or communication area (null is allowed). */
void SSQL_FreeSqlda(SSQL_SQLDA* pDa);

/* Commits the unit of work (nothing to do when none is open). SSQL_RC_OK,
** or SSQL_RC_ERROR with *ppCa (when ppCa is not null) receiving the
** communication area, which the caller frees; the unit then stays open for
** the caller's rollback. */
unsigned short SSQL_sCommitExt(SSQL_SQLDA** ppCa);

/* Commits; a failure is kept in SSQL_pszLastError(). */
void SSQL_Commit(void);

/* The number of the unit of work open on the connection, 0 when none is
** open. Each unit that begins gets a new number, so two reads made under
** the same nonzero number saw one state of the repository apart from the
** connection's own writes: the unit holds the write lock, or reads one
** snapshot of the write-ahead log. A write of the connection to QV_SET,
** QV_F60 or QV_FTX (no statement of a job writes them) moves the number on
** too, so a caller may keep what it read of those tables for as long as
** the number stays. */
unsigned long SSQL_ulUnitOfWork(void);

/* ------------------------------------------------------------------------
** SQL utilities.
*/

/* Name of the DBMS's substring function ("substr"). */
const char* SSUTL_GetSQLSubStringCommand(void);

/* Copy of pszText with chEscape put before every character of pszChars and
** before every chEscape already in the text, for LIKE ... ESCAPE. From
** SMEM_pMalloc(ulFlags, ...); the caller frees it. Null for null text or
** no storage. */
char* SSUTL_pszEscapeSQLLikeWildcards(const char* pszText, const char* pszChars, char chEscape, unsigned long ulFlags);

/* Access, share and disposition values of SSUTL_OpenFileInSync. */
#define SSUTL_GENERIC_READ 0x80000000UL
#define SSUTL_GENERIC_WRITE 0x40000000UL
#define SSUTL_CREATE_NEW 1
#define SSUTL_CREATE_ALWAYS 2
#define SSUTL_OPEN_EXISTING 3
#define SSUTL_OPEN_ALWAYS 4
#define SSUTL_TRUNCATE_EXISTING 5

/* Opens a file for synchronous I/O: the path, in the library's Windows form,
** is mapped below the environment root by the OS layer (DosMapPath).
** Returns a file descriptor, or -1 (the path cannot be mapped or the file
** cannot be opened as asked). With write access the file is
** locked against other writers while it is open; the caller closes it with
** close(). ulShare is accepted for its callers and not enforced. */
long SSUTL_OpenFileInSync(const char* pszPath, unsigned long ulAccess, unsigned long ulShare,
                          unsigned long ulDisposition);

/* ------------------------------------------------------------------------
** Memory.
*/

/* Zero-filled block of ulSize bytes, or null when none is left (also for
** size 0). ulFlags is accepted and ignored. Free with SMEM_FreeMem. */
void* SMEM_pMalloc(unsigned long ulFlags, size_t ulSize);

/* Frees a block from SMEM_pMalloc (null is allowed). */
void SMEM_FreeMem(void* pBlock);

/* Zero-filled block that lives until the process ends; never freed by the
** caller. Null when none is left. */
void* SMEM_pMallocOrphan(size_t ulSize);

/* ------------------------------------------------------------------------
** Session: the partition and language of the job.
*/

/* Sets the partition (3 characters) and run language (up to 4) that the
** stored command list, object state, field descriptions and message
** lookups use. Blank-padded or trimmed texts are both accepted. */
void SMISC_SetSession(const char* pszPartition, const char* pszLanguage);

/* Current partition and language, trimmed (never null). */
const char* SMISC_pszPartition(void);
const char* SMISC_pszLanguage(void);

/* The repository's default language (setting DEFLANG; "ENG" without it). */
const char* SMISC_pszDefaultLanguage(void);

/* ------------------------------------------------------------------------
** Messages.
*/

/* Format of numbered services message ulNumber (printf text with up to three
** %s) in the run language, else in the default language. The text stays
** valid until the process ends; callers do not free it. Null when the
** number has no text or no repository is open. ulReserved must be 0. */
const char* SMSG_pszGetMessage(unsigned long ulNumber, unsigned long ulReserved);

/* Formats numbered message ulNumber with the values that follow (as its
** format asks: %s text, %d/%ld/%lu/%u number, %c character) and shows it
** (see SMSG_DisplayMessage). A stored format with any other conversion or
** more than three is shown as written, its values unused. hwndOwner,
** ulStyle, ulHelp and usButtons describe the message box of a windowed
** caller and are not used here. Returns 0 when shown, 1 when the number has
** no text. */
unsigned short SMSG_sGetMessage(void* hwndOwner, unsigned long ulNumber, unsigned long ulStyle, unsigned long ulHelp,
                                unsigned short usButtons, ...);

/* Shows a message text: appended to the redirection buffer while one is
** set (SMSG_RedirectMsgs), else handed to the display hook, else written to
** standard error as one line. */
void SMSG_DisplayMessage(const char* pszText);

/* Display hook of the caller (run control), or null to take it away. */
typedef void (*SMSG_DISPLAY_HOOK)(void* pUser, const char* pszText);
void SMSG_SetDisplayHook(SMSG_DISPLAY_HOOK pfnHook, void* pUser);

/* With a buffer: every message shown on this thread from now on is
** appended to pszBuffer (NUL-terminated, never past ulSize bytes, lines
** separated by '\n') instead of being displayed; the buffer is cleared
** first. With null: messages are displayed again. */
void SMSG_RedirectMsgs(char* pszBuffer, size_t ulSize);

/* Text of message pszMsgId of message file pszMsgFile in pszLanguage, with
** the default language as fallback and the library's own message file
** "DC@F23" after the file given. The fixed-width substitution data
** (pData, ulDataLen) is put into the text's markers &1, &2 ... by the
** message's field widths, each field without trailing blanks. The result
** goes into pszOut (at most ulOutSize-1 bytes, always terminated);
** pchSeverity (may be null) receives the message's default severity.
** Returns 0, or 1 when no text exists (pszOut then holds the id and the
** data, so nothing is lost). */
unsigned short SMSG_sGetMessageText(const char* pszMsgFile, const char* pszMsgId, const char* pszLanguage,
                                    const char* pData, size_t ulDataLen, char* pszOut, size_t ulOutSize,
                                    char* pchSeverity);

/* ------------------------------------------------------------------------
** National-language helpers. Text is single-byte unless SSNLS_SetCodePage
** named a double-byte code page (932, 936, 949, 950); then the lead bytes
** of that code page start two-byte characters.
*/
#define SSNLS_SHIFT_OUT 0x0E /* starts a run of double-byte characters */
#define SSNLS_SHIFT_IN 0x0F  /* ends it */

/* Code page of the job's texts (a Windows code page number). */
void SSNLS_SetCodePage(unsigned long ulCodePage);

/* 1 while a double-byte code page is set. */
int SSNLS_fIsDoubleByte(void);

/* Length of the NUL-terminated text in the host code page: its bytes, plus
** a shift-out and a shift-in around every run of double-byte characters. */
unsigned short SSNLS_usGetEbcdicLength(const char* pszText);

/* Writes pszText with SSNLS_SHIFT_OUT/SSNLS_SHIFT_IN around every run of
** double-byte characters into pszOut (at most usOutSize-1 bytes, never a
** character cut in two, always terminated) and returns its length. Single-
** byte text is copied unchanged. */
unsigned short SSNLS_CreateAsciiShiftString(const char* pszText, char* pszOut, unsigned short usOutSize);

/* Strips blanks in place from a NUL-terminated text: usMode 1 trailing,
** 2 leading, 3 both. Returns pszText. */
char* SSNLS_StripBlanks(char* pszText, unsigned short usMode);

/* ------------------------------------------------------------------------
** Miscellaneous services.
*/

/* Records the abend text shown when the run ends through SMISC_Die
** (printf format and values; kept up to 1,024 bytes). */
void SMISC_UpdateFatalAbendText(const char* pszFormat, ...);

/* The recorded abend text ("" when none). */
const char* SMISC_pszGetFatalAbendText(void);

/* Ends the run: shows the abend text (SMSG_DisplayMessage), rolls back and
** closes the repository, and ends through the OS layer's DosExit(1, 0), so
** an exit hook installed there sees it. */
void SMISC_Die(void);

/* Web application build entry handed to SMISC_LoadBuildWamApp's callback. */
typedef struct SMISC_BUILD_APP {
    uint32_t ulNumber;
    char szName1[16];
    char szName2[16];
    char szName3[16];
} SMISC_BUILD_APP; /* 52 bytes; names of at most 11 characters, NUL-terminated */

typedef int (*SMISC_BUILD_APP_CALLBACK)(void* pList, void* pReserved, const SMISC_BUILD_APP* pEntry);

/* Hands every build entry of the partition (table QV_WBA, in number
** order) to the callback with pList; stops when the callback answers 0.
** Returns the number of entries handed over. */
unsigned long SMISC_LoadBuildWamApp(SMISC_BUILD_APP_CALLBACK pfnCallback, void* pList);

/* Number of older web page sets to keep (setting MAXSET; 0 without it). */
int16_t SMISC_GetMaximumSet(void);

/* Description of a field or component in the run language (default
** language as fallback), trailing blanks removed, in a block from
** SMEM_pMalloc that the caller frees; an empty text when none is stored;
** null only without storage. */
char* SMISC_pszGetDesc4Field(const char* pszName);

/* ------------------------------------------------------------------------
** Progress slider.
*/
#define SWIN_SLIDER_OPEN 1
#define SWIN_SLIDER_UPDATE 2
#define SWIN_SLIDER_CLOSE 3

typedef void (*SWIN_SLIDER_CALLBACK)(void* pUser, unsigned long ulCommand, const char* pszTitle,
                                     unsigned long ulPercent);

/* Receiver of the slider's progress (the caller's window), or null. */
void SWIN_SetSliderCallback(SWIN_SLIDER_CALLBACK pfnCallback, void* pUser);

/* Opens (with a title such as "Function Checking"), updates or closes the
** progress slider. ulDone of ulTotal is turned into a percentage (0 to
** 100; a total of 0 counts as done) that is reported and returned. */
unsigned long SWIN_ulSlider(unsigned long ulCommand, const char* pszTitle, unsigned long ulDone, unsigned long ulTotal);

/* ------------------------------------------------------------------------
** Object state.
*/
#define SDQOX_STATE_CHECKED_OK '7'
#define SDQOX_STATE_CHECKED_ERRORS '6'

/* Sets the state of an object of the session's partition (function of a
** process; a component with pszFunction null or blank) in table QV_OST,
** inside the current unit of work. SSQL_RC_OK or SSQL_RC_ERROR (with
** SSQL_pszLastError() saying why). */
unsigned short SDQOX_AlterState(const char* pszProcess, const char* pszFunction, char chState);

/* ------------------------------------------------------------------------
** The files of a job's commit. A job that puts files in place after its
** commit records the key of its journal of renames (the OS layer's
** DosPrepareFileWorkCommit) in table QV_FJW inside its unit of work, with
** the identity of the environment root it works on, so that the row exists
** exactly when the job committed; a later job on the same root that finds
** the journal of a job that died asks whether its key is there. Roots that
** share a repository each see only their own rows.
** SDQOX_NoteFileWork: SSQL_RC_OK or SSQL_RC_ERROR (SSQL_pszLastError says
** why). SDQOX_FileWorkCommitted: 1 committed, 0 not, -1 cannot tell.
** SDQOX_ForgetFileWork deletes, inside the current unit of work, every key
** of the root but the ulKeep ones given (the journals still at the root). */
unsigned short SDQOX_NoteFileWork(const char* pszKey, const char* pszRoot);
int SDQOX_FileWorkCommitted(const char* pszKey, const char* pszRoot);
unsigned short SDQOX_ForgetFileWork(const char* pszRoot, const char* const* apszKeep, unsigned long ulKeep);
/* The repository file the connection is open on ("" when none). */
const char* SSQL_pszRepositoryPath(void);

/* ------------------------------------------------------------------------
** Stored command list and cross-reference.
*/

/* One parameter component inserted into a command: the parameter's code
** (composite code / 100), the component's number (code % 100) and text. */
typedef struct SZOPH_PARMCOMP {
    uint16_t usParm;
    uint16_t usComp;
    const char* pszText;
} SZOPH_PARMCOMP;

/* A stored command. Texts are owned by the list and stay valid until it is
** dropped (pszText and pszParms until the command changes). */
typedef struct SZOPH_COMMAND {
    int16_t sNumber;             /* command number in the function, from 1 */
    uint16_t usCode;             /* command code as stored (0 when unknown) */
    char szLabel[4];             /* label, at most 3 characters */
    char szName[11];             /* command name as written */
    const char* pszParms;        /* parameters as written */
    const char* pszText;         /* whole text: "LBL: NAME parameters" */
    uint32_t ulParmsLength;      /* lengths of the two texts, which may */
    uint32_t ulTextLength;       /* hold NUL bytes of the stored source */
    int fChanged;                /* 1 once a parameter component was inserted */
    struct SZOPH_CMDDATA* pData; /* the list's own data */
} SZOPH_COMMAND;

typedef struct SZOPH_LIST SZOPH_LIST;

/* Loads the commands of function pszFunction of process pszProcess of the
** session's partition, in command order, into a new list (*ppList). 0
** loaded (a function without stored source gives an empty list); 1 when
** the function does not exist or its source cannot be read (*ppList null). */
unsigned short SZOPH_sLoadCommands(const char* pszProcess, const char* pszFunction, SZOPH_LIST** ppList,
                                   unsigned long ulReserved);

/* Rewinds the list: the next SZOPH_sGetNextCommand gives the first command. */
void SZOPH_ResetCommandList(SZOPH_LIST* pList);

/* The next command into *ppCommand: 0, or 1 at the end (or no list). */
unsigned short SZOPH_sGetNextCommand(SZOPH_LIST* pList, SZOPH_COMMAND** ppCommand);

/* Brings pszText up to date from label, name and parameters. */
void SZOPH_UpdateCmdText(SZOPH_COMMAND* pCommand, int iReserved1, int iReserved2, char chKind);

/* Inserts a parameter component (its text copied, trailing blanks
** dropped); one with the same parameter and number is replaced. Marks the
** command and its list changed. 0, or 1 for a null argument. */
unsigned short SZOPH_InsertParmComp(SZOPH_COMMAND* pCommand, const SZOPH_PARMCOMP* pComp, int iReserved, char chKind);

/* Parameter components of a command, in (parameter, number) order. */
uint16_t SZOPH_usParmCompCount(const SZOPH_COMMAND* pCommand);
const SZOPH_PARMCOMP* SZOPH_pGetParmComp(const SZOPH_COMMAND* pCommand, uint16_t usIndex);

/* Kind byte of the list ('Z', '1' or another letter) and its changed mark. */
char SZOPH_chListKind(const SZOPH_LIST* pList);
int SZOPH_fListChanged(const SZOPH_LIST* pList);

/* Frees the list and all its commands (null is allowed). */
void SZOPH_DropCommands(SZOPH_LIST* pList);

/* Starts the cross-reference of a function (pszFunction) or component
** (pszFunction null or blank) of the session's partition: its earlier rows
** in QV_XRF are removed. Returns a handle for the calls below, 0 when the
** repository cannot be written (SSQL_pszLastError() says why). */
long SZOPH_XREF_Begin(const char* pszProcess, const char* pszFunction);

/* Records one reference: the kind of the referenced object (FIELD, FILE,
** FUNCTION ...), its name, how it is used, and the command line. 0, or
** SSQL_RC_ERROR (unknown handle, failing insert; SSQL_pszLastError() says
** why). */
unsigned short SZOPH_XREF_Record(long lXref, const char* pszKind, const char* pszName, const char* pszUsage,
                                 long lLine);

/* Ends the recording; the rows stay in the current unit of work for the
** caller's commit (in a unit that only reads, they are written then). Returns the number of references recorded, -1 for an
** unknown handle. */
long SZOPH_XREF_End(long lXref);

#ifdef __cplusplus
}
#endif

#endif /* DQOV_PLATFORM_DQOS_H */
