/*
** Removal of generated objects.
**
** The environment calls these when it deletes a function, a process or a
** table: they delete the compiled module, the generated sources and the
** intermediate object files under {root}\X_VELMO\X_{partition} and, for a
** table, drop the table in the current database. Names and paths are
** NUL-terminated single-byte texts; a root of one character is a drive
** letter.
*/
#ifndef DQOV_TABLES_H
#define DQOV_TABLES_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* 1 when the compiled module {root}\X_VELMO[\X_{partition}]\EXECUTE\{object}.DLL
** exists, else 0. The object name comes from the name by kind: 1 the last ten
** characters, 2 the process alias of X_PALIAS.DAT, any other the last eight.
** When ppszPathOut is not null it receives a copy of the module path in a
** block from SMEM_pMalloc, which the caller frees with SMEM_FreeMem. */
int32_t QV_IsObjectExecFileValid(const char* pszRoot, const char* pszPartition, const char* pszName, void* pReserved,
                                 int32_t lKind, char** ppszPathOut);

/* Drops the table (unless fKeepTable is non-zero) and deletes its .RRN file,
** compiled module, sources and object files. Returns the status of the last
** deletion. */
unsigned long QV_Remove_Table_Objects(const char* pszRoot, const char* pszPartition, const char* pszTable,
                                      const char* pszLibrary, int32_t fKeepTable);

/* Deletes the compiled module, sources and object files of a function.
** Returns the status of the last deletion. */
unsigned long QV_Remove_Function_Objects(const char* pszRoot, const char* pszPartition, const char* pszFunction);

/* Deletes the process's own module, sources and object files (named by its
** alias), then those of every function of the process in the repository.
** Returns the status of closing the repository cursor. */
unsigned long QV_Remove_Process_Objects(const char* pszRoot, const char* pszPartition, const char* pszProcess);

#ifdef __cplusplus
}
#endif

#endif /* DQOV_TABLES_H */
