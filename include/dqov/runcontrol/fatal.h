/* Fatal exits: each shows its text, runs "ROLLBACK WORK" and "DISCONNECT" on
 * the repository connection and ends the process through the OS layer's
 * DosExit(1, 0). None returns. */
#ifndef DQOV_FATAL_H
#define DQOV_FATAL_H

#include <stdint.h>

#ifdef __cplusplus
#define DQOV_NORETURN [[noreturn]]
extern "C" {
#else
#define DQOV_NORETURN _Noreturn
#endif

/* The two standard advice sentences that follow a fatal text. */
#define FFC_FATAL_ADVICE_REPORT "Please record details of this error and then report it to your product vendor."
#define FFC_FATAL_ADVICE_RESTART                                                                                       \
    "You MUST completely stop and restart your VELMO development environment after encountering an error of this "     \
    "type."
#define FFC_FATAL_ADVICE FFC_FATAL_ADVICE_REPORT " " FFC_FATAL_ADVICE_RESTART

/* Shows the text under the title "FFC_Fatal_Error". */
DQOV_NORETURN void FFC_Fatal_Error(const char* pszText);
/* A failed repository statement: pHandle is the communication area the
 * services library returned (SSQL_SQLDA, may be NULL), pszLocation the
 * statement's location tag. Shows "SQL Error at location %s" (also as
 * services message 181 when the system definition asks for it) and the
 * statement's own error. */
DQOV_NORETURN void FFC_SQL_Error(const void* pHandle, const char* pszLocation);
/* A failed statement of the generator or the web page records: "Fatal SQL
 * error identified as %s encountered." with the location tag, the
 * database's own reason and the two advice sentences. */
DQOV_NORETURN void FFC_Fatal_SQL_Location(const char* pszLocation);
/* Ends the job through FFC_Fatal_Error ("The job was interrupted by signal
 * %d.") when the process was interrupted (DosQueryInterrupt of the OS
 * layer); returns otherwise. The long steps of a job ask it between their
 * units of work, and the SQL and object-layer failure routines first, since
 * the services refuse every statement of an interrupted process. */
void FFC_StopWhenInterrupted(void);
/* A failed object-layer call: "Fatal error code %ld returned by DQOO_FCC
 * routine %s. " followed by the two advice sentences. When the code is the
 * repository's failure (-8), the location of the failed statement and its
 * reason come before the advice. */
DQOV_NORETURN void DQOO_FCC_FatalError(const char* pszRoutine, long lCode);
/* The same for a failed object-server call: "Fatal error code %ld returned
 * by object server routine %s. ". */
DQOV_NORETURN void OSRV_FatalError(const char* pszRoutine, long lCode);

#ifdef __cplusplus
}
#endif

#endif
