/*
 * Web Application Modules of a component.  At the end of a check the
 * object layer hands every WAM of the component to the checker's callback
 * with a module handle and the enumerator; the enumerator walks one WAM:
 *
 *   startWAM (WamInfo)
 *   for every web routine:  startWebRoutine (WebRoutineInfo), then its
 *       fields (FieldInfo) and lists: list start (ListInfo), its columns
 *       (FieldInfo), list end (ListInfo), in the order they were defined
 *   endWAM (no record)
 *
 * Every callback gets (module handle, the enumerator's second argument, the
 * user data, the record); records are valid during the callback.  A
 * callback's answer does not stop the walk (1 means the callback met a
 * failure of its own and reported it).
 *
 * The WAMs come from the repository tables QV_OWM (WAMs), QV_OWR (web
 * routines), QV_OWF (fields and lists of a web routine) and QV_OWP (pick
 * lists of a field).
 */
#ifndef DQOV_PLATFORM_DQOO_WAM_H
#define DQOV_PLATFORM_DQOO_WAM_H

#include <stdint.h>

#include "platform/dqoo/dqoo.h"

#ifdef __cplusplus
extern "C" {
#endif

#define DQOO_WAM_NAME_SIZE 256

typedef struct WamInfo {
    char szName[DQOO_WAM_NAME_SIZE];
    uint32_t ulInline;            /* 0 None, 1 Lists */
    uint32_t ulNumericValidation; /* 0 Default, 1 Yes, 2 No */
    const char* pszLayoutWeblet;  /* NULL or "" for none */
} WamInfo;

/* Response types of a web routine. */
enum { WEBROUTINE_INVALID = 0, WEBROUTINE_NONE = 1, WEBROUTINE_JSON = 2, WEBROUTINE_STANDARD = 3, WEBROUTINE_LOB = 4 };

typedef struct WebRoutineInfo {
    char szName[DQOO_WAM_NAME_SIZE];
    char szDescription[DQOO_WAM_NAME_SIZE];
    char szServiceName[DQOO_WAM_NAME_SIZE];
    uint32_t ulResponseType;
} WebRoutineInfo;

typedef struct WamPicklistEntry {
    const char* pszCaption;
    const char* pszValue;
} WamPicklistEntry;

/* Attribute flags of a field. */
#define WAM_ATTR_LC 1u
#define WAM_ATTR_HI 2u
#define WAM_ATTR_ND 4u
#define WAM_ATTR_DUTC 8u
#define WAM_ATTR_ASQN 32u

typedef struct FieldInfo {
    char szName[11];
    uint32_t ulMaxLength;
    int16_t sTotalDigits;
    int16_t sFractionDigits;
    char chDecimalSeparator;
    char chType;
    uint32_t ulKeyboardShift;    /* a character: ' ', 'A', 'D', ... */
    uint32_t ulFieldMode;        /* 0 Hidden, 1 Input, 2 Output, 3 Both, 4 Private */
    uint32_t ulCaptionReference; /* 0 No Id, 1 Label, 2 Description, 3 Headings */
    uint32_t ulUsedFor;          /* 0 None, 1 Input, 2 Output, 3 Both */
    uint32_t ulPersistence;      /* 0 No, 1 Yes */
    uint32_t ulInputOperation;   /* 0 Replace, 1 Merge */
    const char* pszWeblet;
    const char* pszDescription;
    const char* pszLabel;
    const char* pszHeading1;
    const char* pszHeading2;
    const char* pszHeading3;
    uint32_t ulPicklistCount;
    const WamPicklistEntry* pPicklist;
    uint32_t ulAttributes; /* WAM_ATTR_... */
    const char* pszSampleValue;
} FieldInfo;

typedef struct ListInfo {
    char szName[DQOO_WAM_NAME_SIZE];
    uint32_t ulMapFor;       /* 0 none, 1 input, 2 output, 3 both */
    uint32_t ulMode;         /* the field modes */
    uint32_t ulInline;       /* 0 default, 1 true, 2 false */
    uint32_t ulOutputFormat; /* 0 Default, 1 JSON */
} ListInfo;

typedef long (*DQOO_WAM_CALLBACK)(void* pvModule, void* pvArgument, void* pvUser, void* pvRecord);

/* The enumerator of one WAM: (module handle, second argument, user data,
 * start WAM, start web routine, field, list start, list column, list end,
 * end WAM).  0, or DQOO_ERR_ARGUMENT for an unknown module handle. */
typedef long (*WebAccessModuleEnumerator)(void* pvModule, void* pvArgument, void* pvUser, DQOO_WAM_CALLBACK pfnStartWam,
                                          DQOO_WAM_CALLBACK pfnStartWebRoutine, DQOO_WAM_CALLBACK pfnField,
                                          DQOO_WAM_CALLBACK pfnListStart, DQOO_WAM_CALLBACK pfnListColumn,
                                          DQOO_WAM_CALLBACK pfnListEnd, DQOO_WAM_CALLBACK pfnEndWam);

long DQOO_FCC_EnumerateWebAccessModule(void* pvModule, void* pvArgument, void* pvUser, DQOO_WAM_CALLBACK pfnStartWam,
                                       DQOO_WAM_CALLBACK pfnStartWebRoutine, DQOO_WAM_CALLBACK pfnField,
                                       DQOO_WAM_CALLBACK pfnListStart, DQOO_WAM_CALLBACK pfnListColumn,
                                       DQOO_WAM_CALLBACK pfnListEnd, DQOO_WAM_CALLBACK pfnEndWam);

/* The checker's callback, once per WAM: (user data, module handle, second
 * argument (0), enumerator).  A non-zero answer stops the enumeration. */
typedef long (*DQOO_WAM_MODULE_CALLBACK)(void* pvUser, void* pvModule, void* pvArgument,
                                         WebAccessModuleEnumerator pfnEnumerator);

/* Hands every WAM of the build's component to the callback, in order.  The
 * module handles stay valid until the build ends.  0 (also for an object
 * without WAMs), the callback's non-zero answer, DQOO_ERR_NO_BUILD or
 * DQOO_ERR_REPOSITORY. */
long DQOO_FCC_EnumerateWebAccessModules(FCC_BUILD_HANDLE* pBuild, DQOO_WAM_MODULE_CALLBACK pfnCallback, void* pvUser);

#ifdef __cplusplus
}
#endif

#endif
