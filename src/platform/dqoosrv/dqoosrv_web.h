/*
 * Object server: the web services of the environment.
 *
 *   settings     global parameters 2 (base of the web work directory) and 28
 *                (base of the weblet design directories), the technology
 *                services' stylesheet home and the generation stylesheet
 *                and definition document of each technology-service
 *                application, the web images path and action request, and
 *                the code page and ISO code of a language;
 *   WAMs         the stored data of a Web Application Module (its layout
 *                weblet) and the applications registered for it;
 *   weblets      weblet stylesheets by name, language, technology service
 *                and application (the base stylesheet has neither), their
 *                locks, and the applications that offer a weblet;
 *   web routines the stylesheets of a web routine per language and
 *                application, and its runtime-data document.
 *
 * Everything is kept in the repository (tables QV_OWS, QV_OTA, QV_OLC,
 * QV_OWD, QV_OWA, QV_OWB, QV_OWK, QV_OWX and the document texts QV_OWT,
 * described in samples/objlayer/20-web.sql); the stylesheet files lie under
 * the environment root.  WAMs, weblets and web routines belong to the
 * session's partition (SMISC_SetSession).  Paths are handed out as the
 * environment writes them, with backslashes.
 *
 * Results: 0 success; OSRV_ERR_CALLBACK (-2) a callback answered 0 where the
 * function needs its data; OSRV_ERR_LOCKED (-3) the weblet is locked by
 * another job; OSRV_ERR_INVALID (-4) an argument is missing or unusable;
 * OSRV_ERR_NOT_FOUND (-5) nothing is stored; OSRV_ERR_READ_ONLY (-15) the
 * stored weblet may not be replaced; OSRV_ERR_REPOSITORY (-8).  Callbacks
 * are called as (user data, a word, record) and answer 1 to go on.
 */
#ifndef DQOV_PLATFORM_DQOOSRV_WEB_H
#define DQOV_PLATFORM_DQOOSRV_WEB_H

#include <stdint.h>

#include "platform/dqoosrv/dqoosrv.h"

#ifdef __cplusplus
extern "C" {
#endif

enum { OSRV_ERR_CALLBACK = -2, OSRV_ERR_LOCKED = -3, OSRV_ERR_INVALID = -4, OSRV_ERR_READ_ONLY = -15 };

#define OSRV_PATH_SIZE 261

typedef long (*OSRV_WEB_CALLBACK)(void* pvUser, long lWord, void* pvRecord);

/* ---- settings ------------------------------------------------------------ */

#define OSRV_PARAM_WEB_WORK 2       /* base of the web work directory */
#define OSRV_PARAM_WEBLET_DESIGN 28 /* base of the weblet design directories */

/* Hands the parameter's text (const char*, NULL when the parameter is not
 * set) to the callback as its record; 0, or OSRV_ERR_REPOSITORY. */
long OSRV_GetGlobalParamData(void* pvReserved, void* pvUser, long lId, OSRV_WEB_CALLBACK pfnCallback);

/* Hands the directory of the technology services' stylesheets (const char*,
 * NULL when none is set) to the callback. */
long OWEB_GetTechServiceStylesheetsHome(void* pvUser, OSRV_WEB_CALLBACK pfnCallback);

typedef struct OWEB_TSP_APPLICATION {
    const char* pszTsp;
    const char* pszApplication;
    void* pvReserved;
} OWEB_TSP_APPLICATION;

#define OWEB_STYLESHEET_GENERATION 0 /* the technology service's generation stylesheet */
#define OWEB_STYLESHEET_DEFINITION 1 /* its definition document */

/* Hands the path of the application's stylesheet of the kind to the
 * callback; OSRV_ERR_NOT_FOUND for an unknown application or kind. */
long OWEB_GetTechServiceStylesheet(void* pvUser, const OWEB_TSP_APPLICATION* pApplication, long lKind,
                                   OSRV_WEB_CALLBACK pfnCallback);

/* The web images path and the action request into the buffer (cbBuffer
 * bytes with the terminator); OSRV_ERR_NOT_FOUND when not set,
 * OSRV_ERR_INVALID when it does not fit. */
long OSRV_GetWebImagesPath(char* pszBuffer, long cbBuffer);
long OSRV_GetWebActionRequest(char* pszBuffer, long cbBuffer);

typedef struct OSRV_LANGUAGE_CODEPAGE {
    const char* pszLanguage;
    uint32_t ulCodePage;
    const char* pszDescription;
    const char16_t* pwszIsoCode;
} OSRV_LANGUAGE_CODEPAGE;

/* Hands the language's record to the callback, or NULL when the language
 * is not known (the result is then OSRV_ERR_NOT_FOUND). */
long OSRV_GetLanguageCodePage(void* pvReserved, void* pvUser, const char* pszLanguage, OSRV_WEB_CALLBACK pfnCallback);

/* ---- WAMs ----------------------------------------------------------------- */

typedef struct OSRV_WAM_DATA {
    const char* pszLayoutWeblet; /* NULL or "" when the WAM names none */
    char chSetting1;
    char chSetting2;
} OSRV_WAM_DATA;

/* Hands the WAM's stored data to the callback; OSRV_ERR_NOT_FOUND when the
 * WAM has none. */
long OSRV_XslGetWamData(void* pvUser, const char* pszWam, OSRV_WEB_CALLBACK pfnCallback);
/* Stores the WAM's data (replacing what was stored). */
long OSRV_XslSetWamData(const char* pszWam, const OSRV_WAM_DATA* pData);

/* 0 when the technology-service application is a valid XML application. */
long OSRV_IsValidXmlApp(const char* pszTsp, const char* pszApplication);
/* Registers the application for the WAM (once). */
long OSRV_XslRegisterWamApp(const char* pszWam, const char* pszTsp, const char* pszApplication);

/* ---- weblets -------------------------------------------------------------- */

/* 0 when the weblet's stylesheet is stored for the language and application,
 * OSRV_ERR_NOT_FOUND when not. */
long OSRV_XslWebletExist(const char* pszWeblet, const char* pszLanguage, const char* pszTsp, const char* pszApplication,
                         long lReserved);

/* The record handed to a weblet load callback: only pszXsl and the two
 * numbers (the stored date and time) describe the stylesheet. */
typedef struct OSRV_WEBLET_RECORD {
    const char* pszTsp;
    const char* pszApplication;
    uint32_t ulReserved;
    const char* pszXsl;
    int32_t lModifiedDate; /* YYYYMMDD */
    int32_t lModifiedTime; /* HHMMSSmmm */
} OSRV_WEBLET_RECORD;

/* Loads the weblet's stylesheet and hands it to the callback once.
 * *plResult (may be NULL) receives the callback's answer.  0 loaded,
 * OSRV_ERR_NOT_FOUND, OSRV_ERR_INVALID, or OSRV_ERR_CALLBACK when the
 * callback answered 0. */
long OSRV_XslLoadWeblet(void* pvUser, const char* pszWeblet, const char* pszLanguage, const char* pszTsp,
                        const char* pszApplication, long* plResult, OSRV_WEB_CALLBACK pfnCallback, long lReserved1,
                        long lReserved2, long lReserved3);

typedef struct OSRV_WEBLET_NAME {
    const char* pszWeblet;
    const char* pszDescription;
} OSRV_WEBLET_NAME;

/* A stylesheet to store: per application (TSP and application given), or
 * the weblet's base stylesheet (both NULL). */
typedef struct OSRV_WEBLET_DATA {
    const char* pszTsp;
    const char* pszApplication;
    uint32_t ulReserved;
    const char* pszXsl;
    uint32_t ulReserved2;
    uint32_t ulReserved3;
} OSRV_WEBLET_DATA;

/* Stores the application's stylesheet (pTsp) or the base stylesheet (pBase)
 * of the weblet for the language and locks the weblet for this job (the
 * caller unlocks it).  OSRV_ERR_LOCKED when another job holds the lock,
 * OSRV_ERR_READ_ONLY when the stored weblet may not be replaced,
 * OSRV_ERR_INVALID for a missing name, language or text.  A refused save
 * leaves no lock of this job behind. */
long OSRV_XslSaveWeblet(const OSRV_WEBLET_NAME* pName, const OSRV_WEBLET_DATA* pTsp, const OSRV_WEBLET_DATA* pBase,
                        const char* pszLanguage);
/* Releases this job's lock of the weblet. */
long OSRV_UnlockWeblet(const char* pszWeblet, long lReserved);

typedef struct OSRV_TSP_APPLICATION_PAIR {
    const char* pszTsp;
    const char* pszApplication;
} OSRV_TSP_APPLICATION_PAIR;

/* Hands every application that offers the weblet in the language to the
 * callback, in name order, until it answers 0.  0, OSRV_ERR_NOT_FOUND when
 * no application offers it, OSRV_ERR_CALLBACK when the callback stopped. */
long OSRV_XslEnumWebletApps(void* pvUser, long lReserved, const char* pszWeblet, const char* pszLanguage,
                            long lReserved2, OSRV_WEB_CALLBACK pfnCallback);

/* ---- web routines --------------------------------------------------------- */

/* 0 when a document of the web routine is stored for the language and the
 * application; a NULL language, TSP or application matches any. */
long OSRV_XslWebRoutineExist(const char* pszWam, const char* pszWebRoutine, const char* pszLanguage, const char* pszTsp,
                             const char* pszApplication, long lReserved);
/* Deletes every stored document of the web routine. */
long OSRV_XslDeleteWebRoutine(const char* pszWam, const char* pszWebRoutine, long lReserved1, long lReserved2,
                              long lReserved3);

typedef long (*OSRV_LANGCOUNT_CALLBACK)(void* pvUser, void* pvApplication, long* plLanguages);
/* Calls back with the number of languages for which the web routine's
 * stylesheet is stored for the application. */
long OSRV_XslWebRoutineLangCount(void* pvUser, void* pvApplication, const char* pszWam, const char* pszWebRoutine,
                                 const char* pszTsp, const char* pszApplication, OSRV_LANGCOUNT_CALLBACK pfnCallback);

typedef struct OSRV_WEBROUTINE_DOCUMENT {
    const char* pszWebRoutine;
    const char* pszTsp;         /* NULL for the runtime-data document */
    const char* pszApplication; /* NULL for the runtime-data document */
    uint32_t ulReserved;
    const char* pszText;
    uint32_t ulReserved2;
    uint32_t ulReserved3;
} OSRV_WEBROUTINE_DOCUMENT;

typedef struct OSRV_WEBROUTINE_XSL_REQUEST {
    const char* pszWam;
    const char* pszLanguage;
    const OSRV_WEBROUTINE_DOCUMENT* pDocument;
    uint32_t ulReserved;
} OSRV_WEBROUTINE_XSL_REQUEST;

typedef struct OSRV_WEBROUTINE_XML_REQUEST {
    const char* pszWam;
    uint32_t ulReserved1;
    uint32_t ulReserved2;
    const OSRV_WEBROUTINE_DOCUMENT* pDocument;
} OSRV_WEBROUTINE_XML_REQUEST;

/* Stores a web routine's stylesheet for the language and application, and
 * its runtime-data document (replacing what was stored). */
long OSRV_SaveWebRoutineXslData(void* pvReserved1, void* pvReserved2, const OSRV_WEBROUTINE_XSL_REQUEST* pRequest);
long OSRV_SaveWebRoutineXmlData(void* pvReserved1, void* pvReserved2, const OSRV_WEBROUTINE_XML_REQUEST* pRequest);
/* Hands the stored runtime-data document (an OSRV_WEBROUTINE_DOCUMENT whose
 * text is NULL when none is stored) to the callback; *plResult (may be NULL)
 * receives its answer.  OSRV_ERR_NOT_FOUND when nothing is stored. */
long OSRV_LoadWebRoutineXmlData(void* pvRequest, void* pvUser, const char* pszWam, const char* pszWebRoutine,
                                long* plResult, OSRV_WEB_CALLBACK pfnCallback);

#ifdef __cplusplus
}
#endif

#endif
