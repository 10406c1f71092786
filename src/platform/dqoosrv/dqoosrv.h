/*
 * Object server: components, the objects' version data and the directory
 * tree of the environment.
 *
 *   OSRV_lRestoreComponent   the stored source lines of a component, one
 *                            call of the collector per line, in order.
 *   OSRV_GetData             an object's data of a kind; kind 9 is the
 *                            version data (one callback per record).
 *   OSRV_RemoveDirectoryTree a directory of the environment with all it
 *                            holds.
 *
 * Results are 0 for success.  Callbacks are called as (user data, word,
 * record) and answer 1 to go on.  The repository is the services library's
 * connection; paths are mapped below the environment root by the OS layer.
 */
#ifndef DQOV_PLATFORM_DQOOSRV_H
#define DQOV_PLATFORM_DQOOSRV_H

#include <stdint.h>

#include "platform/dqoo/dqoo.h"

#ifdef __cplusplus
extern "C" {
#endif

enum {
    OSRV_OK = 0,
    OSRV_ERR_ARGUMENT = -1,
    OSRV_ERR_REFUSED = -3, /* the path may not be removed (the root itself) */
    OSRV_ERR_NOT_FOUND = -5,
    OSRV_ERR_KIND = -6, /* a data kind the server does not hold */
    OSRV_ERR_REPOSITORY = -8,
    OSRV_ERR_FAILED = -9 /* the file system refused */
};

/* Initialises the object server: with a root directory, it becomes the
 * environment root of the path mapping (NULL keeps the root set).  0, or
 * OSRV_ERR_NOT_FOUND when the directory does not exist. */
long OSRV_InitServices(const char* pszEnvironmentRoot);

/* ---- components -------------------------------------------------------- */

typedef struct OSRV_COMPONENT_NAME {
    const char* pszPartition; /* 3-character partition */
    const char* pszComponent; /* component name (trailing blanks ignored) */
} OSRV_COMPONENT_NAME;

typedef struct OSRV_RESTORE_RESULT {
    uint32_t ulLines; /* lines delivered */
    int32_t lStatus;  /* the call's result */
} OSRV_RESTORE_RESULT;

/* Delivers the component's stored lines to the collector in line order,
 * numbered from 1.  pvReserved and lReserved are 0.  Returns 0,
 * OSRV_ERR_NOT_FOUND (no such component), OSRV_ERR_REPOSITORY, or
 * DQOO_ERR_STOPPED when the collector answered 0.  The result block (may be
 * NULL) receives the count and the same status. */
long OSRV_lRestoreComponent(FCC_BUILD_HANDLE* pBuild, const OSRV_COMPONENT_NAME* pName, OSRV_RESTORE_RESULT* pResult,
                            DQOO_SOURCE_COLLECTOR pfnCollect, void* pvReserved, long lReserved);

/* A component's definition (table QV_OCD): its kind word, whose second
 * byte (bits 8 to 15) is 1 for a component of language level two, and its
 * module identifier, which names its generated files (at most 8
 * characters; empty when it has none). */
typedef struct OSRV_COMPONENT_DEFINITION {
    int32_t lKindWord;
    char szModule[9];
} OSRV_COMPONENT_DEFINITION;

/* Fills the definition of the component: 0, OSRV_ERR_NOT_FOUND (no
 * definition row: kind word 0 and no module identifier are filled in),
 * OSRV_ERR_ARGUMENT or OSRV_ERR_REPOSITORY. */
long OSRV_lGetComponentDefinition(const OSRV_COMPONENT_NAME* pName, OSRV_COMPONENT_DEFINITION* pDefinition);

/* The stems of the generated files of every other object of the partition:
 * each component's module identifier or name, each function's name,
 * upper-cased.  The callback is called once per object, the components by
 * name first, then the functions by name, with its name, its module
 * identifier (a component's; empty for a function) and the name's source
 * ('C' component, 'F' function), and answers 1 to go on.
 * 0 or OSRV_ERR_REPOSITORY. */
typedef long (*OSRV_OBJECT_NAME_CALLBACK)(void* pvUser, const char* pszName, const char* pszModule, char chKind);
long OSRV_lEnumerateObjectNames(const char* pszPartition, OSRV_OBJECT_NAME_CALLBACK pfnCallback, void* pvUser);

/* ---- data of an object --------------------------------------------------- */

#define OSRV_DATA_VERSION 9
#define OSRV_DATA_RESOURCES 10    /* the resources of a component */
#define OSRV_DATA_MEMBER_TEXTS 11 /* the multilingual texts of a component's members */

/* Request of OSRV_GetData: handed back to the callback as its user data. */
typedef struct OSRV_DATA_REQUEST {
    void* pvStream;            /* the caller's output (not used here) */
    const char* pszObjectName; /* object name (trailing blanks ignored) */
    const char* pszPartition;  /* partition */
} OSRV_DATA_REQUEST;

/* Version data record: each text may be NULL (not given).  The texts are
 * writable and valid during the callback. */
typedef struct OSRV_VERSION_DATA {
    char* pszCompanyName;
    char* pszLegalCopyright;
    char* pszLegalTrademarks;
    char* pszProductName;
    char* pszComments;
    char* pszProductVersion;
    char* pszFileVersion;
} OSRV_VERSION_DATA;

/* Resource record of a component (kind 10): its type (1130 a bitmap), its
 * identifier, its data, and the reference kind text, file extension and
 * resource keyword it is given (each may be empty).  Valid during the
 * callback. */
typedef struct OSRV_RESOURCE_DATA {
    long lType;
    unsigned short usIdentifier;
    const void* pvData;
    long lLength;
    const char* pszKind;
    const char* pszExtension;
    const char* pszKeyword;
} OSRV_RESOURCE_DATA;

/* Member text record of a component (kind 11): the owner and the member
 * whose text a routine fetches, the text kind (6 description, 7 label, 8 to
 * 10 the column headings) and the names of the target in C and in C#. */
typedef struct OSRV_MEMBER_TEXT_DATA {
    const char* pszOwner;
    const char* pszMember;
    long lTextKind;
    const char* pszCTarget;
    const char* pszCsTarget;
} OSRV_MEMBER_TEXT_DATA;

/* Called with (the request, the 1-based record number, the record);
 * answers 1 to go on, 0 to stop. */
typedef long (*OSRV_DATA_CALLBACK)(void* pvUser, long lWord, void* pvRecord);

/* Hands every record of the object's data of the kind to the callback.
 * pvReserved0, pvSel1, pvSel2 and pvSel3 are NULL.  Returns 0 (also when
 * the object has no data of the kind), OSRV_ERR_KIND, OSRV_ERR_ARGUMENT or
 * OSRV_ERR_REPOSITORY. */
long OSRV_GetData(void* pvReserved0, OSRV_DATA_REQUEST* pRequest, long lKind, void* pvSel1, void* pvSel2, void* pvSel3,
                  OSRV_DATA_CALLBACK pfnCallback);

/* ---- directories --------------------------------------------------------- */

/* Removes the directory (a path of the environment, mapped by the OS layer)
 * with everything below it.  Only directories strictly below the
 * environment root are removed.  0, OSRV_ERR_NOT_FOUND (no such directory),
 * OSRV_ERR_REFUSED (no root set, the root itself, a path outside it, a file
 * or a symbolic link), OSRV_ERR_FAILED.  While a job's file work is open
 * (the OS layer's DosBeginFileWork) the tree is only marked, and goes when
 * the job commits. */
long OSRV_RemoveDirectoryTree(const char* pszPath);

#ifdef __cplusplus
}
#endif

#endif
