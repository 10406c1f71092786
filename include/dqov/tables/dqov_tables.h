/*
** Removal of generated objects and the table-definition generator.
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

#include <stddef.h>
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

/*
** Table definitions.
**
** The environment's table tools build a table's DDL for the current DBMS
** through these: a table definition is read from its text form (or built
** column by column), CREATE, DROP and copy statements are built from it with
** the capabilities of the DBMS, the definition's messages say what was
** changed or refused, and definitions travel in the binary export file.
**
** The capability table, the DBMS description, the table definition and the
** export-file handle are opaque: they are made and released only here. The
** statement builders write into the caller's buffer: they return the length
** of the statement text and write it with a closing NUL only when length + 1
** bytes fit in outSize (else the buffer receives "" when outSize > 0). A
** buffer of several statements (the primary-key statements) holds each with
** its own NUL. Texts are NUL-terminated single-byte texts.
*/
typedef struct X_CTD_CAPABILITY_TABLE X_CTD_CAPABILITY_TABLE;
typedef struct X_CTD_DBMS_INFO X_CTD_DBMS_INFO;
typedef struct X_CTD_TABLE_DEFINITION X_CTD_TABLE_DEFINITION;
typedef struct X_CTD_EXPORT_FILE X_CTD_EXPORT_FILE;

/* One field of an export-file record. */
#define X_CTD_EXPORT_FIELDS 10
#define X_CTD_EXPORT_FIELD_LEN 9000
typedef struct X_CTD_EXPORT_FIELD {
    uint32_t length;
    unsigned char data[X_CTD_EXPORT_FIELD_LEN];
} X_CTD_EXPORT_FIELD;

/* The capability table and the description of the current DBMS of the
** connection (the database environment file of the root; never released by
** the caller). The table is null when the file cannot be loaded. */
const X_CTD_CAPABILITY_TABLE* SMISC_sGetDBMSTypes(void);
const X_CTD_DBMS_INFO* SSQL_pGetDBMSInfo(void);

/* Loads a database environment file into *ppTable (nothing is read when it
** is not null). 0 loaded, -1 the file cannot be opened, -2 out of memory,
** -3 read error; pszError (errorSize bytes) receives the failure's text. */
int16_t X_CTD_Load_Capabilities(const char* pszPath, X_CTD_CAPABILITY_TABLE** ppTable, char* pszError,
                                size_t errorSize);
/* Releases a table of X_CTD_Load_Capabilities and sets *ppTable to null. */
void X_CTD_FreeCapabilities(X_CTD_CAPABILITY_TABLE** ppTable);
/* A capability of a DBMS: 1 when it has the key; else 0 with "", 0 and a yes
** flag of 0. Each output may be null; the value takes up to 150 characters. */
int32_t X_CTD_GetCapabilityDefaultNo(const X_CTD_CAPABILITY_TABLE* pTable, const char* pszDbms, const char* pszKey,
                                     char* pszValue, size_t valueSize, int32_t* plNumber, int32_t* plYes);
/* The DBMS names of the table in file order; *pusCount is the capacity of
** apszNames on entry and the number stored on return. */
void X_CTD_ListDBMS(const X_CTD_CAPABILITY_TABLE* pTable, uint16_t* pusCount, const char** apszNames);
/* The DBMS that have the key with a value that is a prefix of pszValue. */
void X_CTD_FindDBMSWithCapability(const X_CTD_CAPABILITY_TABLE* pTable, const char* pszKey, const char* pszValue,
                                  uint16_t* pusCount, const char** apszNames);

/* A new table definition in *ppRecord (an earlier one is not released).
** Messages take their texts from the module's own message table. */
void X_CTD_CreateTableDefinition(X_CTD_TABLE_DEFINITION** ppRecord, const char* pszInternal, const char* pszTable,
                                 const char* pszDescription, const char* pszCollection, uint16_t usOtherDatabase,
                                 int16_t sCreationValue, const char* pszDsn, const char* pszQualifier,
                                 const char* pszDbType, const char* pszConnection, const char* pchEncrypted,
                                 const char* pszSpare, const char* pszDataLibrary, char chCommitmentControl,
                                 char chNameFlag, char chAtSign);
/* Releases a table definition and sets *ppRecord to null. */
void X_CTD_FreeTableDefinition(X_CTD_TABLE_DEFINITION** ppRecord);
/* Reads a table-definition text into a new record in *ppRecord (an earlier
** one is released); views and indexes are dropped unless kept. */
void X_CTD_ReadDefinition(const char* pszPath, X_CTD_TABLE_DEFINITION** ppRecord, int fKeepViews, int fKeepIndexes,
                          const X_CTD_CAPABILITY_TABLE* pTable, const char* pszDbms);
/* Writes the table-definition text of a record. */
void X_CTD_WriteDefinition(const char* pszPath, X_CTD_TABLE_DEFINITION* pRecord);
int32_t X_CTD_AddAppendClause(X_CTD_TABLE_DEFINITION* pRecord, const char* pszDbmsType, const char* pszText);
uint16_t X_CTD_AddColumn(X_CTD_TABLE_DEFINITION* pRecord, const char* pszName, const char* pszDescription, char chType,
                         uint32_t ulLength, uint32_t ulDecimals, int iNotNull, uint32_t ulAuto, const char* pszInternal,
                         uint32_t ulIgnoreIfNative, char chKsh, uint16_t usAlloc);
void X_CTD_AddPrimaryKeyColumn(X_CTD_TABLE_DEFINITION* pRecord, const char* pszKeyName, const char* pszColumn);
void X_CTD_AddView(X_CTD_TABLE_DEFINITION* pRecord, const char* pszName, const char* pszInternal, const char* pszText,
                   const char* pszInternalText);
void X_CTD_AddIndex(X_CTD_TABLE_DEFINITION* pRecord, const char* pszName, int iUnique);
void X_CTD_AddKeyToLastIndex(X_CTD_TABLE_DEFINITION* pRecord, const char* pszColumn, int iDescending);
int32_t X_CTD_AddIndexAppendClause(X_CTD_TABLE_DEFINITION* pRecord, const char* pszIndex, const char* pszDbmsType,
                                   const char* pszText);
void X_CTD_RemoveLastIndex(X_CTD_TABLE_DEFINITION* pRecord);

/* The record's messages: the next one (pszText receives "" when none is
** left; chRestart 'Y' starts again, chFatalOnly 'Y' passes over the others),
** the counts by level (the result is the last message's level or 0), and
** their removal. */
void X_CTD_NextMessage(X_CTD_TABLE_DEFINITION* pRecord, char* pszText, size_t textSize, char chRestart,
                       char chFatalOnly);
char X_CTD_CountMessages(const X_CTD_TABLE_DEFINITION* pRecord, uint16_t* pusInformation, uint16_t* pusWarnings,
                         uint16_t* pusFatal);
void X_CTD_ClearMessages(X_CTD_TABLE_DEFINITION* pRecord);

/* Statement builders (see above for pszOut and the result). */
size_t X_CTD_AppendCreateName(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                              const X_CTD_DBMS_INFO* pDbms, char* pszOut, size_t outSize);
/* The qualified name of the record's table in two pieces, each appended to
** the text its buffer holds: the delimited collection (when the name is
** qualified) to pszCollection and the rest to pszTable. 1 when both fit
** (a buffer whose text does not fit receives ""), else 0. */
int32_t X_CTD_AppendSplitName(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_DBMS_INFO* pDbms, char* pszTable,
                              size_t tableSize, char* pszCollection, size_t collectionSize);
size_t X_CTD_BuildCreateTable(X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                              const X_CTD_DBMS_INFO* pDbms, char* pszOut, size_t outSize);
size_t X_CTD_BuildIdentityColumnStatement(X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                                          const X_CTD_DBMS_INFO* pDbms, char* pszOut, size_t outSize);
size_t X_CTD_BuildPrimaryKeyStatements(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                                       const X_CTD_DBMS_INFO* pDbms, const char* pszConstraint, int fDrop, int fAdd,
                                       uint16_t* pusCount, char* pszOut, size_t outSize);
size_t X_CTD_BuildOracleRrnoBlock(const X_CTD_TABLE_DEFINITION* pRecord, const void* pUnused,
                                  const X_CTD_DBMS_INFO* pDbms, char* pszOut, size_t outSize);
size_t X_CTD_BuildCreateIndex(X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                              const X_CTD_DBMS_INFO* pDbms, uint16_t usIndex, char* pszOut, size_t outSize);
size_t X_CTD_BuildCreateView(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                             const X_CTD_DBMS_INFO* pDbms, uint16_t usView, char* pszOut, size_t outSize);
size_t X_CTD_DropPrefixedTableStatement(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                                        const X_CTD_DBMS_INFO* pDbms, const char* pszSuffix, char* pszOut,
                                        size_t outSize);
size_t X_CTD_DropViewStatement(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                               const X_CTD_DBMS_INFO* pDbms, uint16_t usView, char* pszOut, size_t outSize);
size_t X_CTD_DropIndexStatement(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                                const X_CTD_DBMS_INFO* pDbms, uint16_t usIndex, char* pszOut, size_t outSize,
                                int fAlways);
size_t X_CTD_BuildTableCopy(const X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                            const X_CTD_DBMS_INFO* pDbms, const char* pszSuffix, char* pszOut, size_t outSize);
size_t X_CTD_BuildInsertFromCopy(X_CTD_TABLE_DEFINITION* pNewRecord, const X_CTD_TABLE_DEFINITION* pOldRecord,
                                 const X_CTD_CAPABILITY_TABLE* pTable, const X_CTD_DBMS_INFO* pDbms,
                                 const char* pszSuffix, char* pszOut, size_t outSize);
/* The three collection commands, each in its own buffer of bufferSize bytes;
** 1 when all three fit (one that does not fit is left ""), else 0. */
int32_t X_CTD_BuildCollectionCommands(X_CTD_TABLE_DEFINITION* pRecord, const X_CTD_CAPABILITY_TABLE* pTable,
                                      const X_CTD_DBMS_INFO* pDbms, char* pszCreate, char* pszGrantCollection,
                                      char* pszGrantTable, size_t bufferSize);

/* The export file: opened for reading (mode 1) or writing plain (2) or
** compressed (3), 1 on success (the handle is then set even on failure and
** released by the close); the current record is reached through
** X_CTD_ExportRecord (its code, its field count and its ten fields), written
** (0 written, 2 stream error, 3 not written whole) or read (0 read, 1 end of
** file, 2 stream error, 3 short read); the close writes the end record of a
** file being written, releases the handle and sets it to null (1 success). */
int X_CTD_OpenExportFile(const char* pszPath, X_CTD_EXPORT_FILE** ppHandle, int iMode);
X_CTD_EXPORT_FIELD* X_CTD_ExportRecord(X_CTD_EXPORT_FILE* pHandle, uint16_t** ppusCode, uint16_t** ppusFieldCount);
int32_t X_CTD_WriteExportRecord(X_CTD_EXPORT_FILE* pHandle);
int32_t X_CTD_ReadExportRecord(X_CTD_EXPORT_FILE* pHandle);
int32_t X_CTD_CloseExportFile(X_CTD_EXPORT_FILE** ppHandle);

#ifdef __cplusplus
}
#endif

#endif /* DQOV_TABLES_H */
