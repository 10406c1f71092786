/*
** dqoel: the environment's event log.
**
** A job that is given a notification handle by its caller tells the event
** log when it starts and when it ends. Each notice is appended as one line to
** the log file EL_LOG_FILE below the environment root (the OS layer's root,
** see DosMapPath); the directories on the way are created when missing.
** A line reads
**     YYYY-MM-DD hh:mm:ss START handle object text
** with the time from the OS layer's clock (DosGetDateTime, so a fixed clock
** gives fixed lines), the kind START or END, and the three texts with line
** breaks and tabs turned into blanks. Lines of several threads never mix.
** C linkage.
*/
#ifndef DQOV_PLATFORM_DQOEL_H
#define DQOV_PLATFORM_DQOEL_H

#ifdef __cplusplus
extern "C" {
#endif

/* The log file, relative to the environment root. */
#define EL_LOG_FILE "X_VELMO\\X_EVENTS.LOG"

/* Notice kinds. */
#define EL_NOTICE_START 1UL
#define EL_NOTICE_END 2UL

/* Appends one notice. pszHandle is the caller's notification handle (must be
** non-empty); pszObject names the object the job works on and pszText is free
** text (either may be NULL or ""). 0 on success; -1 for a missing handle or an
** unknown kind; -2 when the log file cannot be reached or written (no root,
** no permission). A failing notice never disturbs the job. */
long EL_SendNotificationEx(const char* pszHandle, unsigned long ulKind, const char* pszObject, const char* pszText);

#ifdef __cplusplus
}
#endif

#endif
