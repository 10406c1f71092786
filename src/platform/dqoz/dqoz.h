/*
** dqoz: the operating-system layer of the environment.
**
** Event semaphores, threads, the process exit, the clock, identifiers,
** directories and deletes. Paths are given as the library forms them, in
** Windows form ("D:\X_VELMO\SOURCE\FUN00001.S"); every call that takes a path
** maps it onto the host below the environment root (DosMapPath).
**
** Every function has C linkage. Status results are 0 for success or one of
** the DQOZ_ERROR_ codes below; DosGetLastErrorText gives the text of the last
** failure on the calling thread.
*/
#ifndef DQOV_PLATFORM_DQOZ_H
#define DQOV_PLATFORM_DQOZ_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Status codes. */
#define DQOZ_NO_ERROR 0UL
#define DQOZ_ERROR_FILE_NOT_FOUND 2UL /* no file of that name or pattern      */
#define DQOZ_ERROR_PATH_NOT_FOUND 3UL /* a directory on the way is missing    */
#define DQOZ_ERROR_ACCESS_DENIED 5UL  /* read-only, a directory, no permission */
#define DQOZ_ERROR_INVALID_HANDLE 6UL /* null or closed semaphore handle      */
#define DQOZ_ERROR_NOT_ENOUGH_MEMORY 8UL
#define DQOZ_ERROR_INVALID_PARAMETER 87UL
#define DQOZ_ERROR_BUFFER_OVERFLOW 111UL      /* the result does not fit the buffer  */
#define DQOZ_ERROR_FILENAME_EXCED_RANGE 206UL /* the path leaves the environment root */
#define DQOZ_ERROR_ALREADY_POSTED 299UL       /* the event was posted already          */
#define DQOZ_ERROR_ALREADY_RESET 300UL        /* the event was reset already           */
#define DQOZ_ERROR_NO_ROOT 301UL              /* no environment root has been set      */
#define DQOZ_ERROR_TIMEOUT 640UL              /* the wait ended before the event posted */

/* Text of the last failure of a dqoz call on the calling thread ("" when none).
** The text stays valid until the next dqoz call on the same thread. */
const char* DosGetLastErrorText(void);

/* ---- Event semaphores ------------------------------------------------------
** An event is either posted or reset. Waiters block while it is reset and all
** of them are released when it is posted; it stays posted until reset, so a
** post that comes before the wait is not lost. Handles may be used from any
** thread. */
typedef struct DqozEventSem* HEV;

#define DQOZ_SEM_INDEFINITE_WAIT (-1L)
#define DQOZ_SEM_IMMEDIATE_RETURN 0L

/* Creates an event in the reset state (fPosted 0) or posted state (non-zero)
** and stores its handle in *phev. pszName is kept for diagnostics only (may be
** NULL): events are private to the process. flAttr is not used (pass 0). */
unsigned long DosCreateEventSem(const char* pszName, HEV* phev, unsigned long flAttr, unsigned long fPosted);

/* Closes an event and frees it; no thread may wait on it any more. */
unsigned long DosCloseEventSem(HEV hev);

/* Posts the event and releases every waiter. 0, or DQOZ_ERROR_ALREADY_POSTED
** when it was posted already (it stays posted). */
unsigned long DosPostEventSem(HEV hev);

/* Waits until the event is posted. lTimeoutMs: milliseconds,
** DQOZ_SEM_INDEFINITE_WAIT (-1) for no limit, 0 to only test. 0 when the event
** is posted, DQOZ_ERROR_TIMEOUT when the time ran out first. The wait does not
** reset the event. */
unsigned long DosWaitEventSem(HEV hev, long lTimeoutMs);

/* Resets the event. *pulPostCount (may be NULL) receives the number of posts
** since the last reset. 0, or DQOZ_ERROR_ALREADY_RESET when it was reset. */
unsigned long DosResetEventSem(HEV hev, unsigned long* pulPostCount);

/* ---- Threads ---------------------------------------------------------------
** Starts pfnThread(pArg) on a new thread. ulStackSize is not used (the host
** chooses). Returns a thread number > 0, or -1 when no thread could be made.
** The thread runs independently; DosWaitThread joins it. Threads that are never
** waited for are left to end on their own. */
typedef void (*DQOZ_THREAD_FN)(void* pArg);
long BeginThread(DQOZ_THREAD_FN pfnThread, void* pArg, unsigned long ulStackSize);

/* Waits until thread lThreadId (from BeginThread) has ended. 0, or
** DQOZ_ERROR_INVALID_HANDLE for an unknown or already waited-for number or for
** a thread waiting for itself. */
unsigned long DosWaitThread(long lThreadId);

/* ---- Process exit ----------------------------------------------------------
** DosExit(ulAction, ulResult) ends the process: it calls the installed exit
** hook with both arguments. The default hook flushes the C streams and ends
** the process at once. The library calls DosExit only on fatal ends, always
** with (1, 0): the job could not run. So that such an end is told apart from
** success (0) and from a job that found errors in its object (1), the default
** hook ends the process with status 2 when ulResult is 0 and with ulResult
** otherwise. A hook may throw (tests do, to test fatal paths in-process);
** DosExit never returns: when a hook returns, the default hook runs. */
#define DQOZ_EXIT_THREAD 0UL
#define DQOZ_EXIT_PROCESS 1UL
typedef void (*DQOZ_EXIT_HOOK)(unsigned long ulAction, unsigned long ulResult);
void DosExit(unsigned long ulAction, unsigned long ulResult);

/* Installs pfnHook (NULL restores the default) and returns the previous hook
** (NULL when it was the default). */
DQOZ_EXIT_HOOK DosSetExitHook(DQOZ_EXIT_HOOK pfnHook);

/* ---- Interruption ------------------------------------------------------------
** A signal handler of the caller records an interruption of the process with
** DosNoteInterrupt (safe inside a signal handler); the library's long steps
** ask DosQueryInterrupt and end the job through its fatal path, which leaves
** the repository and the generated files as they were before the job.
** DosQueryInterrupt answers the signal number recorded, 0 when none. */
void DosNoteInterrupt(int iSignal);
int DosQueryInterrupt(void);

/* ---- Clock -----------------------------------------------------------------
** DosGetDateTime fills *pdt with the local date and time. The clock can be
** fixed so generated files are reproducible: a clock hook set with
** DosSetClockHook wins; otherwise the environment variable DQOV_FIXED_TIME,
** when set, holds the time as "YYYYMMDDhhmmss" (a malformed value is ignored
** and the real clock used); otherwise the host clock is read. */
typedef struct DQOZ_DATETIME {
    uint8_t hours;      /* 0-23 */
    uint8_t minutes;    /* 0-59 */
    uint8_t seconds;    /* 0-59 */
    uint8_t hundredths; /* 0-99 */
    uint8_t day;        /* 1-31 */
    uint8_t month;      /* 1-12 */
    uint16_t year;      /* e.g. 2026 */
    int16_t timezone;   /* minutes west of UTC */
    uint8_t weekday;    /* 0 = Sunday */
} DQOZ_DATETIME;

unsigned long DosGetDateTime(DQOZ_DATETIME* pdt);

/* A clock hook fills *pdt and returns 0. NULL restores the normal clock. */
typedef unsigned long (*DQOZ_CLOCK_HOOK)(DQOZ_DATETIME* pdt);
void DosSetClockHook(DQOZ_CLOCK_HOOK pfnClock);

/* ---- Identifiers -----------------------------------------------------------
** DosCreateGuid fills *pGuid with a new random (version 4) identifier. When
** the environment variable DQOV_GUID_SEED holds a number (or a seed was set
** with DosSetGuidSeed), the identifiers come from a fixed sequence started by
** that seed, so two runs give the same identifiers in the same order. */
typedef struct DQOZ_GUID {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
} DQOZ_GUID;

unsigned long DosCreateGuid(DQOZ_GUID* pGuid);

/* Starts the fixed sequence at ullSeed (fUse non-zero), or goes back to the
** variable DQOV_GUID_SEED or to random identifiers (fUse 0). */
void DosSetGuidSeed(int fUse, uint64_t ullSeed);

/* ---- Paths -----------------------------------------------------------------
** The environment root is a host directory. A path in Windows form maps below
** it: a drive prefix ("D:") is dropped, '\' and '/' separate components, "."
** is skipped and ".." steps back (never above the root: such a path is refused
** with DQOZ_ERROR_FILENAME_EXCED_RANGE). Each component that exists is matched
** without regard to case (an exact match is preferred), so "X_VELMO\SOURCE"
** and "x_velmo\source" are one directory; the remaining components are kept
** as written. A host path that already starts with the root is mapped the same
** way below the root, so mapping twice changes nothing.
** The root is the directory given to DosSetEnvironmentRoot, else the one in
** the environment variable DQOV_ENV_ROOT. Without a root only host paths
** (starting with '/') are accepted, as they are (backslashes turned into '/'). */

/* Sets the root; pszHostDir must be an existing directory (NULL or "" clears
** it). 0, DQOZ_ERROR_PATH_NOT_FOUND. */
unsigned long DosSetEnvironmentRoot(const char* pszHostDir);

/* Copies the root (absolute, without trailing '/') into pszBuf. 0,
** DQOZ_ERROR_NO_ROOT, DQOZ_ERROR_BUFFER_OVERFLOW. */
unsigned long DosQueryEnvironmentRoot(char* pszBuf, size_t cbBuf);

/* Maps pszPath to the host path in pszHostPath (cbHostPath bytes with the
** terminator). 0, DQOZ_ERROR_INVALID_PARAMETER (NULL or empty path),
** DQOZ_ERROR_NO_ROOT, DQOZ_ERROR_FILENAME_EXCED_RANGE, or
** DQOZ_ERROR_BUFFER_OVERFLOW (the buffer then holds ""). */
unsigned long DosMapPath(const char* pszPath, char* pszHostPath, size_t cbHostPath);

/* ---- Directories and files -------------------------------------------------
** DosCreateDir creates one directory (its parent must exist). An existing
** directory is no error. pReserved is not used (callers pass 0). 0,
** DQOZ_ERROR_PATH_NOT_FOUND, DQOZ_ERROR_ACCESS_DENIED (a file of that name, or
** no permission), or a mapping error. */
unsigned long DosCreateDir(const char* pszPath, void* pReserved);

/* DosDelete deletes one file given by its full name, or every file that
** matches a pattern in the last component ('*' any run of characters, '?' one
** character, matched without regard to case; "name.*" also matches "name"
** without an extension). Directories are never deleted. A read-only file is
** not deleted (DQOZ_ERROR_ACCESS_DENIED). Returns 0 when every matching file
** was deleted, DQOZ_ERROR_FILE_NOT_FOUND when nothing matched, otherwise the
** status of the first file that could not be deleted (the others are still
** deleted). */
unsigned long DosDelete(const char* pszName);

/* DosDeleteDir removes one empty directory. 0, or the status of the failure
** (DQOZ_ERROR_ACCESS_DENIED for a directory that is not empty). */
unsigned long DosDeleteDir(const char* pszPath);

/* ---- The job's file work ---------------------------------------------------
** A job's files change together with its repository work: all of them or
** none. Between DosBeginFileWork and the end of the work, every file opened
** for writing through dqoz::OutputPath is written aside, in the same
** directory under a name of its own (the file's name, ".dqov-new-" and the
** job's identity), and
** the file it replaces stays as it was; reads through DosMapPath see the new
** text; DosDelete, DosDeleteDir and OSRV_RemoveDirectoryTree only mark what
** they would remove. DosCommitFileWork puts every new file in place (one
** rename each) and carries out the marked removals; DosRollbackFileWork
** drops the new files and removes the directories the job created, so that
** every file is as it was before the job.
** DosNoteScratch names a file or directory that the job makes in place for
** its own use (a numbered trace file, a working folder): it is removed, with
** all it holds, when the work is rolled back, and kept when it is committed.
** Outside a file work every call acts at once, as before. */
void DosBeginFileWork(void);
int DosFileWorkOpen(void);
/* 0, or the status of the first new file that could not be put in place
** (every other one is still put in place; DosGetLastErrorText says why). */
unsigned long DosCommitFileWork(void);
void DosRollbackFileWork(void);
void DosNoteScratch(const char* pszPath);
/* The path mapping keeps the directories a file work's paths go through,
** so that each is looked up once in the work. Whatever removes or renames a
** directory at once (not through the file work) calls this: it forgets
** them all. */
void DosForgetKeptDirectories(void);

/* ---- The job's identity and the root's --------------------------------------
** DosJobIdentity names the job of the current file work (each
** DosBeginFileWork makes a new one): the process id, the process's start
** time and 64 random bits ("2-1f3a-9c0e..."), so that no two jobs share it,
** not even two of one process id in two PID namespaces or on two hosts that
** share a root. The job's journal, the files it writes aside and its
** working folders are named by it. The text stays valid until the next call
** on the same thread.
** DosQueryRootIdentity copies the identity of the environment root (32 hex
** digits) into pszBuf. It is kept in the file ".dqov-root" at the root with
** the inode number of the root's folder, so that a copy of the root is told
** apart and makes one of its own. fMake 0 only reads it
** (DQOZ_ERROR_FILE_NOT_FOUND when the root has none of its own); fMake 1
** makes it first where it is missing (a write at the root). 0, or the
** status of the failure.
** DosJobRuns answers 1 while the job of that identity runs with a journal
** at the root (or is the current one), else 0. */
const char* DosJobIdentity(void);
unsigned long DosQueryRootIdentity(int fMake, char* pszBuf, size_t cbBuf);
int DosJobRuns(const char* pszIdentity);

/* ---- The journal of the job's file work --------------------------------------
** A job killed (SIGKILL, a crash) leaves its new files aside and its scratch
** in place, and, when it died between its repository commit and the last
** rename, files that the repository says were generated but that exist only
** aside. DosJournalFileWork(owner) has every later file work keep a journal
** at the environment root (".dqov-job-" and the job's identity) naming what
** it makes, for the repository owner (its file path; NULL keeps none). The
** journal is made when the work first makes something, with its first lines
** and a lock that the job holds while it runs, in one step that neither
** follows a link nor replaces anything of that name: where it cannot be
** made, the write that needed it fails (DosGetLastErrorText says why), and
** so does the commit. DosFileWorkJournaled answers 1 when the current work
** keeps one.
** DosPrepareFileWorkCommit, called before the repository commit, puts the
** list of what the commit does in the journal's place (made the same way
** under the journal's name and ".new"), under the key that the repository
** records in the same unit of work (NULL or "": the files are put in place
** whatever the repository holds); 0, or the status of the failure (the job
** must then not commit).
** DosSettleDeadFileWork, called by a job that starts, settles the journals
** of jobs that no longer run (their lock is free): a job whose key the
** repository holds for this root (pfnCommitted(key, root identity) answers
** 1) has its renames and removals completed; any other job's files aside,
** scratch and directories made are removed; where pfnCommitted answers -1
** (cannot tell) the journal is left. A journal is untrusted input: one that
** is a link, not a plain file or another user's, one written for another
** root (a copy of the root holds the original's) and one of another
** repository are never acted on, and an entry naming a path that does not
** lie under the root is refused. pfnReport (may be NULL) is given the text
** of every journal and entry so left, but for those of other repositories.
** Answers the number settled.
** DosListFileWorkKeys names the key of every journal of this root still
** there (jobs at their commit, and journals left).
** DosKillPoint, in builds made for the tests only, ends the process with
** SIGKILL when the environment variable DQOV_KILL_AT names the point: the
** tests' way of killing a job at a chosen step. Elsewhere it does nothing. */
void DosJournalFileWork(const char* pszOwner);
int DosFileWorkJournaled(void);
unsigned long DosPrepareFileWorkCommit(const char* pszKey);
unsigned long DosSettleDeadFileWork(int (*pfnCommitted)(const char* pszKey, const char* pszRoot, void* pUser),
                                    void (*pfnReport)(const char* pszText, void* pUser), void* pUser);
void DosListFileWorkKeys(void (*pfnKey)(const char* pszKey, void* pUser), void* pUser);
#if DQOV_TEST_HOOKS
void DosKillPoint(const char* pszPoint);
#else
static inline void DosKillPoint(const char* pszPoint)
{
    (void)pszPoint;
}
#endif

#ifdef __cplusplus
}
#endif

#ifdef __cplusplus
#include <cstdio>
#include <string>
#include <string_view>
namespace dqoz {
/* C++ form of DosMapPath: 0 and the host path in out, or a status with
** DosGetLastErrorText set. */
unsigned long MapPath(std::string_view path, std::string& out);
/* The host path to write the file at path to: in a file work the name it is
** written aside under (holding the file's present text first when fAppend is
** set and the job has not written it yet), else the path itself.
** DQOZ_ERROR_ACCESS_DENIED when a directory or a read-only file has the
** name. */
unsigned long OutputPath(std::string_view path, std::string& out, bool fAppend = false);
/* In a file work: marks the directory at the host path (with all it holds
** when fTree is set) for removal at the commit and answers true; false, and
** nothing done, when no file work is open or the path is the job's scratch. */
bool RemoveDirectoryLater(const std::string& host, bool fTree);
/* Makes the directory at the host path (its parent must exist), as the
** file work keeps it: in a file work it is named in the journal before it
** is made, and goes when the work is rolled back (should it be empty by
** then); a directory asked for again is kept at the commit. 0, the errno
** of the failure (EEXIST where something has the name already, a directory
** or not), or -1 when the journal could not name it (DosGetLastErrorText
** says why). */
int MakeDirectory(const std::string& host);
/* Whether the file at path, opened for writing now, would be written
** aside by the job's file work (the work is open, the path is not the
** job's scratch, and no directory or read-only file has the name): a job
** that writes such a file only for its own reading may keep the text in a
** scratch file instead, and leave the file system alone. */
bool WrittenAside(std::string_view path);
/* A new scratch file, open for reading and writing, with no name in any
** directory and closed on exec: anonymous memory where the host has it
** (memfd_create through pfnMemfd, which the tests replace), else
** std::tmpfile(). Null when neither can be made. */
FILE* ScratchFile(int (*pfnMemfd)(const char* pszName, unsigned int flags) = nullptr);
/* A mark of what the job's file work has done so far: 0 while no file work
** is open; else a number that moves on with each new file work and with
** every file or directory the work is asked to write, make or remove. What
** a job read through the layer stands while the mark is the same. */
unsigned long FileWorkState();
}  // namespace dqoz
#endif

#endif
