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
#define SSQL_RC_OK          0       /* done, or a row was delivered */
#define SSQL_RC_END         100     /* a cursor has no further row */
#define SSQL_RC_NOREPOS     65524   /* repository file missing, unreadable or not a database */
#define SSQL_RC_ERROR       65525   /* the statement failed (also an injected failure) */
#define SSQL_RC_NOROW       65526   /* a single-row SELECT found no row */

#define SSQL_STMT_SIZE      1028    /* statement text area, as callers size it */
#define SSQL_VALUES_SIZE    16384   /* room for the bound values of one statement */
#define SSQL_SINGLE_ROW     9999    /* pseudo-cursor that closes an SSQL_sRunExt */

/* ------------------------------------------------------------------------
** Connection.
*/

/* Opens the repository: pszPath names the SQLite file; null or empty takes
** the environment variable DQOV_REPOSITORY. The file must exist and be a
** readable SQLite database; it is never created. The connection attaches it
** as QV_DTA, sets case-sensitive LIKE and opens a transaction. A connection
** already open is closed (rolled back) first. Returns SSQL_RC_OK or
** SSQL_RC_NOREPOS; SSQL_pszLastError() then says why. */
unsigned short SSQL_sConnect(const char *pszPath);

/* Rolls back uncommitted work and closes the connection. Harmless when no
** connection is open. */
void SSQL_Disconnect(void);

/* 1 while a connection is open. */
int SSQL_fIsConnected(void);

/* Text of the last failure of this library (DBMS message, refused template,
** missing repository), for error displays. Never null. */
const char *SSQL_pszLastError(void);

/* Location tag ("DC_P3100/SQL052") of the statement the caller runs next. It
** stays current until changed, is copied into the communication area of a
** failure and is what the failure switch below compares. */
void SSQL_SetLocation(const char *pszTag);

/* Test switch: every SSQL_ call made while the current location equals
** pszTag fails with SSQL_RC_ERROR without touching the database. Null or ""
** clears it. SSQL_sConnect also takes it from the environment variable
** DQOV_SQL_FAIL_AT when that is set. */
void SSQL_SetFailLocation(const char *pszTag);

/* ------------------------------------------------------------------------
** Statement area, communication and descriptor areas.
*/

/* A declared statement: the SQL text with one '?' per value, and the values
** themselves, encoded. Plain data: callers keep it on the stack or in their
** blocks; it owns nothing. A refused template leaves ulSerial 0, and every
** run of the area then fails with SSQL_RC_ERROR. */
typedef struct SSQL_AREA {
    char          szStmt[SSQL_STMT_SIZE];
    uint32_t      ulSerial;          /* declaration number; 0 = not usable */
    uint16_t      usValues;          /* number of bound values */
    uint32_t      ulValuesUsed;      /* bytes used in abValues */
    unsigned char abValues[SSQL_VALUES_SIZE];
} SSQL_AREA;

/* Outcome of a statement and, for a SELECT, a copy of the current row as
** texts (NULL columns are null pointers). One block from SMEM_pMalloc, so
** the caller may free it with SMEM_FreeMem or SSQL_FreeSqlda. */
typedef struct SSQL_SQLDA {
    long          lSqlCode;          /* 0 ok, 100 no row/end, negative: DBMS error */
    long          lRowsChanged;      /* rows inserted, updated or deleted */
    char          szLocation[48];    /* location tag current when it ran */
    char          szMessage[256];    /* DBMS or library message */
    uint16_t      usColumns;         /* columns of the row below */
    const char   *apszColumn[1];     /* usColumns entries (texts in the same block) */
} SSQL_SQLDA;

/* Kinds of fetch buffers. */
enum {
    SSQL_COL_FIXED   = 1,  /* usWidth bytes, text blank-padded to width, no terminator */
    SSQL_COL_VARYING = 2,  /* uint16_t length then at most usWidth bytes of text */
    SSQL_COL_I16     = 3,  /* int16_t */
    SSQL_COL_I32     = 4,  /* int32_t */
    SSQL_COL_U32     = 5   /* uint32_t, e.g. COUNT(*) (negative values give 0) */
};

/* Typed fetch buffer: one per selected column, passed by value. A NULL
** column gives blanks, length 0 or 0. Longer texts are cut to the width. */
typedef struct SSQL_COLUMN {
    uint16_t usType;
    uint16_t usWidth;
    void    *pBuffer;
} SSQL_COLUMN;

#ifdef __cplusplus
#define SSQL_COL_(t, w, p) (SSQL_COLUMN{(uint16_t)(t), (uint16_t)(w), (void *)(p)})
#else
#define SSQL_COL_(t, w, p) ((SSQL_COLUMN){(uint16_t)(t), (uint16_t)(w), (void *)(p)})
#endif
#define SSQL_FIXED(p, w)    SSQL_COL_(SSQL_COL_FIXED, (w), (p))
#define SSQL_VARYING(p, w)  SSQL_COL_(SSQL_COL_VARYING, (w), (p))
#define SSQL_I16(p)         SSQL_COL_(SSQL_COL_I16, 2, (p))
#define SSQL_I32(p)         SSQL_COL_(SSQL_COL_I32, 4, (p))
#define SSQL_U32(p)         SSQL_COL_(SSQL_COL_U32, 4, (p))

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
unsigned short SSQL_DeclareExt(SSQL_AREA *pArea, const char *pszTemplate, ...);

/* Allocates a cursor number (1 to 9998) into *pusCursor. The statement is
** taken from the area given to the first SSQL_sFetchExt. SSQL_RC_OK or
** SSQL_RC_ERROR. */
unsigned short SSQL_sOpenExt(uint16_t *pusCursor);

/* Delivers the next row of the cursor into the usColumns buffers (passed as
** SSQL_COLUMN values). The first fetch runs the area's statement. Returns
** SSQL_RC_OK with a row, SSQL_RC_END at the end, SSQL_RC_ERROR on failure.
** *ppCa receives the communication area (status; freed by the next fetch or
** the close), *ppDa a descriptor area holding the row's texts. */
unsigned short SSQL_sFetchExt(const SSQL_AREA *pArea, uint16_t usCursor,
                              SSQL_SQLDA **ppCa, SSQL_SQLDA **ppDa,
                              uint16_t usColumns, ...);

/* Runs a single-row statement (SELECT of one row, INSERT, UPDATE, DELETE).
** For a SELECT the first row goes into the usColumns buffers; no row gives
** SSQL_RC_NOROW. Failure SSQL_RC_ERROR. Areas as for SSQL_sFetchExt; release
** them with SSQL_sCloseExt(SSQL_SINGLE_ROW, ...). */
unsigned short SSQL_sRunExt(const SSQL_AREA *pArea, SSQL_SQLDA **ppCa,
                            SSQL_SQLDA **ppDa, uint16_t usColumns, ...);

/* Closes a cursor (or, for SSQL_SINGLE_ROW, only the areas) and frees the
** two areas, setting the pointers to null. SSQL_RC_OK, or SSQL_RC_ERROR for
** an unknown cursor. */
unsigned short SSQL_sCloseExt(uint16_t usCursor, SSQL_SQLDA **ppCa, SSQL_SQLDA **ppDa);

/* Runs a declared statement without fetch buffers. "COMMIT [WORK]",
** "ROLLBACK [WORK]" (roll back, new transaction) and "DISCONNECT" (roll back
** and close) are understood. For a SELECT, *ppDa receives the first row
** (read it with SSQL_GetData) and no row gives SSQL_RC_NOROW. On failure
** *ppDa receives the communication area. Free *ppDa with SSQL_FreeSqlda or
** SMEM_FreeMem. ppDa may be null. iReserved must be 0. */
unsigned short SSQL_sRun(const SSQL_AREA *pArea, SSQL_SQLDA **ppDa, int iReserved);

/* Copy of column usColumn (1-based) of a descriptor area as a NUL-terminated
** text from SMEM_pMalloc (caller frees it), or null for a NULL column or no
** such column. */
char *SSQL_GetData(const SSQL_SQLDA *pDa, uint16_t usColumn);

/* Frees a descriptor or communication area (null is allowed). */
void SSQL_FreeSqlda(SSQL_SQLDA *pDa);

/* Commits the work and opens the next transaction. SSQL_RC_OK, or
** SSQL_RC_ERROR with *ppCa (when ppCa is not null) receiving the
** communication area, which the caller frees. */
unsigned short SSQL_sCommitExt(SSQL_SQLDA **ppCa);

/* Commits; a failure is kept in SSQL_pszLastError(). */
void SSQL_Commit(void);

/* ------------------------------------------------------------------------
** SQL utilities.
*/

/* Name of the DBMS's substring function ("substr"). */
const char *SSUTL_GetSQLSubStringCommand(void);

/* Copy of pszText with chEscape put before every character of pszChars and
** before every chEscape already in the text, for LIKE ... ESCAPE. From
** SMEM_pMalloc(ulFlags, ...); the caller frees it. Null for null text or
** no storage. */
char *SSUTL_pszEscapeSQLLikeWildcards(const char *pszText, const char *pszChars,
                                      char chEscape, unsigned long ulFlags);

/* Access, share and disposition values of SSUTL_OpenFileInSync. */
#define SSUTL_GENERIC_READ    0x80000000UL
#define SSUTL_GENERIC_WRITE   0x40000000UL
#define SSUTL_CREATE_NEW      1
#define SSUTL_CREATE_ALWAYS   2
#define SSUTL_OPEN_EXISTING   3
#define SSUTL_OPEN_ALWAYS     4
#define SSUTL_TRUNCATE_EXISTING 5

/* Opens a host file for synchronous I/O: returns a file descriptor, or -1
** (the file cannot be opened as asked). With write access the file is
** locked against other writers while it is open; the caller closes it with
** close(). ulShare is accepted for its callers and not enforced. */
long SSUTL_OpenFileInSync(const char *pszPath, unsigned long ulAccess,
                          unsigned long ulShare, unsigned long ulDisposition);

/* ------------------------------------------------------------------------
** Memory.
*/

/* Zero-filled block of ulSize bytes, or null when none is left (also for
** size 0). ulFlags is accepted and ignored. Free with SMEM_FreeMem. */
void *SMEM_pMalloc(unsigned long ulFlags, size_t ulSize);

/* Frees a block from SMEM_pMalloc (null is allowed). */
void SMEM_FreeMem(void *pBlock);

/* Zero-filled block that lives until the process ends; never freed by the
** caller. Null when none is left. */
void *SMEM_pMallocOrphan(size_t ulSize);

#ifdef __cplusplus
}
#endif

#endif /* DQOV_PLATFORM_DQOS_H */
