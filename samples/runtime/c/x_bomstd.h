/*
** x_bomstd.h: the interface of a generated component to the VELMO runtime:
** the arguments and frame of a component routine, its start and end, the
** data record services the record routines call, and the static tables
** that describe the component's business-object model. Declarations only.
*/
#ifndef X_BOMSTD_H
#define X_BOMSTD_H

#include <stddef.h>
#include <string.h>

#include "x_fldstd.h"
#include "x_tblstd.h"

struct X_IDS;
struct X_PRO;
struct X_FUN;
struct X_LIST;
struct FUNCTION_STATIC_GLOBAL_1;
struct FUNCTION_STATIC_GLOBAL_2;
struct X_FKEY;

/* ---- the routines of a component ---- */
typedef X_LONG X_COMP_RETURN_CODE;
#define X_COMP_RETURN_OBJECT_NOT_FOUND 4
#define X_INVALID_CURSOR (-1)

/* What the component's caller hands a routine. */
typedef struct X_COMP_SERVICES_POINT_REQUEST {
    struct X_IDS *pX_Ids;
} X_COMP_SERVICES_POINT_REQUEST;
typedef struct X_COMP_NEGOTIABLE_COMPONENT {
    X_PVOID pvComponent;
} X_COMP_NEGOTIABLE_COMPONENT;

/* The run-time blocks of one module of the component. */
typedef struct X_COMP_MODULE_FRAME {
    struct X_FUN *pX_Fun;
    struct X_FLD *pX_Fld;
    struct X_LIST *pX_List;
    X_PVOID pGlobal1;
    X_PVOID pGlobal2;
} X_COMP_MODULE_FRAME;

typedef struct X_COMPONENT_ROUTINE_INFO {
    X_CHAR chKind;
    X_PVOID pvCaller;
} X_COMPONENT_ROUTINE_INFO;


/* Start-up and shutdown of a component routine: the runtime takes the
** routine's blocks, its routine information and the cursors it found. A
** routine starts with its kind and, when it routes messages, the inbound
** and outbound routing flags. */
X_COMP_RETURN_CODE X_Start_Component_Routine(struct X_IDS *, struct X_PRO *, struct X_FUN *, struct X_FLD *,
                                             struct X_LIST *, X_COMP_MODULE_FRAME *, X_COMPONENT_ROUTINE_INFO *,
                                             struct X_FUN *pActiveCompRtnX_Fun, X_LONG lKind, ...);
X_COMP_RETURN_CODE X_Terminate_Component_Routine(struct X_IDS *, struct X_PRO *, struct X_FUN *,
                                                 X_COMPONENT_ROUTINE_INFO *, struct X_FUN *pActiveCompRtnX_Fun,
                                                 struct FUNCTION_STATIC_GLOBAL_1 *, struct FUNCTION_STATIC_GLOBAL_2 *,
                                                 struct X_FKEY *, X_SHORT sEntryCursors,
                                                 X_COMP_RETURN_CODE lReturnCode);
/* The kinds of a component routine and its message routing flags. */
#define X_COMPONENT_PTY_ROUTINE 'P'
#define X_COMPONENT_EVT_ROUTINE 'E'
#define X_COMPONENT_MTH_ROUTINE 'M'
#define X_COMPONENT_WEB_ROUTINE 'W'
#define X_COMPONENT_INFO_ROUTE_MESSAGES_IN 0x01
#define X_COMPONENT_INFO_ROUTE_MESSAGES_OUT 0x02
#define X_START_COMPONENT_ROUTINE(...)                                                                        \
    lReturnCode = X_Start_Component_Routine(pX_Ids, pX_Pro, pX_Fun, pX_Fld, pX_List, pModuleFrame, &RoutineInfo, \
                                            pSTACKActiveCompRtnX_Fun, __VA_ARGS__);
/* The routine ends with the return code its shutdown leaves. */
#define X_TERMINATE_COMPONENT_ROUTINE                                                                         \
    return X_Terminate_Component_Routine(pX_Ids, pX_Pro, pX_Fun, &RoutineInfo, pSTACKActiveCompRtnX_Fun,      \
                                         pGlobal1, pGlobal2, X_FKey, sEntryCursors, lReturnCode);

/* ---- the record services ---- */
/* (the date and time sizes, the compare masks and the varying-field moves
** and string compare are x_varexp.h's) */
X_LONG X_Compare_Identical_SorP(const void *pvData1, const void *pvData2, enum X_FIELD_TYPE eType, size_t ulLength);
X_LONG X_VAR_VarChar_Compare(struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_FLD_CHAR *,
                             const X_FLD_CHAR *);
X_LONG X_VAR_VarBinary_Compare(struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_FLD_BINARY *,
                               const X_FLD_BINARY *);
X_LONG X_VAR_Date_Compare(struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_FLD_DATE *, const X_FLD_DATE *);
X_LONG X_VAR_Time_Compare(struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_FLD_TIME *, const X_FLD_TIME *);
X_LONG X_VAR_DateTime_Compare(struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_FLD_DATETIME *,
                              const X_FLD_DATETIME *);

/* ---- the business-object model ---- */
typedef X_LONG X_BOM_KIND;
enum X_BOM_KINDS {
    X_BOM_KIND_NULL = 0,
    X_BOM_KIND_DEF_CONTENT_MODEL_HOME = 1000, X_BOM_KIND_DEF_CONTENT_DOCUMENT_HOME = 1010,
    X_BOM_KIND_DEF_CONTENT_PROXY_SERVER = 1020, X_BOM_KIND_DEF_CONTENT_DOCUMENT_SERVER = 1030,
    X_BOM_KIND_DEF_CONTENT_LINK_DOCUMENT_HOME = 1040, X_BOM_KIND_DEF_CONTENT_LINK_PROXY_SERVER = 1050,
    X_BOM_KIND_DEF_CONTENT_LINK_DOCUMENT_SERVER = 1060,
    X_BOM_KIND_DEF_DOCUMENT = 1100, X_BOM_KIND_DEF_DOCUMENT_ENUMERATION = 1101,
    X_BOM_KIND_DEF_DOCUMENT_CODE_TABLE = 1102, X_BOM_KIND_DEF_DOCUMENT_ENTITY = 1103,
    X_BOM_KIND_DEF_DOCUMENT_TRANSIENT = 1104, X_BOM_KIND_DEF_ASSOCIATION = 1110,
    X_BOM_KIND_DEF_ATTRIBUTE_DATA_FIELD = 1120, X_BOM_KIND_DEF_ATTRIBUTE_JOIN = 1121,
    X_BOM_KIND_DEF_SPECIALIZATION = 1130, X_BOM_KIND_DEF_SEARCH_GENERIC = 1170,
    X_BOM_KIND_DEF_SEARCH_GENERIC_KEY = 1171,
    X_BOM_KIND_DEF_PROXY_RECORD = 1300, X_BOM_KIND_DEF_SEARCH_RECORD = 1310, X_BOM_KIND_DEF_DOCUMENT_RECORD = 1320,
    X_BOM_KIND_DEF_IDENTIFIER_RECORD = 1330,
    X_BOM_KIND_DEF_DISPATCH_PROXY_RECORD = 1500, X_BOM_KIND_DEF_DISPATCH_SEARCH_RECORD = 1510,
    X_BOM_KIND_DEF_DISPATCH_DOCUMENT_RECORD = 1520, X_BOM_KIND_DEF_DISPATCH_IDENTIFIER_RECORD = 1530,
    X_BOM_KIND_DEF_SERVICE_PROXY_LOADER = 2100, X_BOM_KIND_DEF_SERVICE_PROXY_SEARCH = 2110,
    X_BOM_KIND_DEF_SERVICE_DOCUMENT_RESTORE = 2200, X_BOM_KIND_DEF_SERVICE_DOCUMENT_READ = 2210,
    X_BOM_KIND_DEF_SERVICE_DOCUMENT_INSERT = 2220, X_BOM_KIND_DEF_SERVICE_DOCUMENT_UPDATE = 2230,
    X_BOM_KIND_DEF_SERVICE_DOCUMENT_CROSS_UPDATE_CHECK = 2270, X_BOM_KIND_DEF_SERVICE_DOCUMENT_VERIFY = 2280,
    X_BOM_KIND_DEF_FEATURE = 3000, X_BOM_KIND_DEF_FEATURE_DOCUMENT_HOME_ACCESSOR = 3001,
    X_BOM_KIND_DEF_FEATURE_PROXY_ORIGIN_STORE_ACCESSOR = 3002,
    X_BOM_KIND_DEF_FEATURE_PROXY_ORIGIN_STORE_ITERATOR = 3003, X_BOM_KIND_DEF_FEATURE_PROXY_ORIGIN_STORE_FIND = 3004,
    X_BOM_KIND_DEF_FEATURE_PROXY_CHILD_STORE_ACCESSOR = 3005, X_BOM_KIND_DEF_FEATURE_PROXY_CHILD_STORE_ITERATOR = 3006,
    X_BOM_KIND_DEF_FEATURE_PROXY_CHILD_STORE_FIND = 3007,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_CREATE = 3020,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_ACCESSOR = 3021,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_ITERATOR = 3022,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_ADD = 3023,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_STORE_DELETE_ALL = 3024,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_ACCESSOR = 3030,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_ITERATOR = 3031,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_ADD = 3032,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_STORE_DELETE_ALL = 3033,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_CREATE = 3040, X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_DELETE = 3041,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_DESTROY = 3042, X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_OPEN = 3043,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_SAVE = 3044, X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_VERIFY = 3045,
    X_BOM_KIND_DEF_FEATURE_DOCUMENT_ORIGIN_MESSAGES = 3046, X_BOM_KIND_DEF_FEATURE_DOCUMENT_CHILD_DELETE = 3050,
    X_BOM_KIND_DEF_FEATURE_RESULT_SET_ITERATOR = 3060, X_BOM_KIND_DEF_FEATURE_RESULT_SET_FIND = 3061,
    X_BOM_KIND_DEF_FEATURE_JOIN = 3090, X_BOM_KIND_DEF_FEATURE_SEARCH_GENERIC = 3091,
    X_BOM_KIND_DEF_FEATURE_PROXY_DATA_FIELD = 4000, X_BOM_KIND_DEF_FEATURE_DOCUMENT_DATA_FIELD = 4001,
    X_BOM_KIND_DEF_FEATURE_IDENTIFIER_DATA_FIELD = 4002
};

/* Every table of the model begins with its kind. */
typedef struct X_BOM_HEADER {
    X_BOM_KIND eKind;
} X_BOM_HEADER, *PX_BOM_HEADER;

typedef struct X_BOM_DOCUMENT {
    X_BOM_KIND eKind;
    const X_CHAR *pszName, *pszDescription;
    X_LONG lIdentifier, lMembers, lLists6, lLists8, lLists10, lRecords, lFeatures;
} X_BOM_DOCUMENT;
typedef struct X_BOM_RELATION {
    X_BOM_KIND eKind;
    const X_CHAR *pszName, *pszDescription;
    X_LONG lIdentifier, lMembers, lLists6, lLists8, lRecords, lFeatures;
} X_BOM_ASSOCIATION, X_BOM_SPECIALIZATION;
typedef struct X_BOM_ATTRIBUTE_DATA_FIELD {
    X_BOM_KIND eKind;
    const X_CHAR *pszName, *pszDescription, *pszReserved;
    X_LONG lValue4, lIdentifier, lValue6;
} X_BOM_ATTRIBUTE_DATA_FIELD;
typedef struct X_BOM_ATTRIBUTE_JOIN {
    X_BOM_KIND eKind;
    const X_CHAR *pszName, *pszDescription;
    X_LONG lIdentifier, lValue4, lValue5;
} X_BOM_ATTRIBUTE_JOIN;
typedef struct X_BOM_SEARCH_GENERIC {
    X_BOM_KIND eKind;
    const X_CHAR *pszName, *pszDescription;
    X_LONG lIdentifier, lKeys, lMembers, lFeatures;
} X_BOM_SEARCH_GENERIC;
typedef struct X_BOM_SEARCH_GENERIC_KEY {
    X_BOM_KIND eKind;
    const X_CHAR *pszName, *pszDescription;
    X_LONG lValue3, lIdentifier, lValue5;
} X_BOM_SEARCH_GENERIC_KEY;

/* A record of the model with its routines. */
typedef void (*PFN_BOM_RECORD_RELEASE)(const void *pvRec);
typedef void (*PFN_BOM_RECORD_COPY)(const void *pvRec1, const void *pvRec2);
typedef int (*PFN_BOM_RECORD_COMPARE)(const void *pvRec1, const void *pvRec2);
typedef X_BOOL (*PFN_BOM_RECORD_IS_EQUAL)(const void *pvRec1, const void *pvRec2);
typedef struct X_BOM_RECORD {
    X_BOM_KIND eKind;
    const X_CHAR *pszName;
    X_LONG lNumber, lValue3, lValue4;
    const struct X_DRD *pDescription;
    PFN_BOM_RECORD_RELEASE pfnRelease;
    PFN_BOM_RECORD_COPY pfnCopy, pfnCopyToIdentifier, pfnCopyFromIdentifier, pfnMove;
    X_PVOID pvReserved;
    PFN_BOM_RECORD_COMPARE pfnCompare, pfnCompareWithIdentifier, pfnCompareByIdentifier;
    PFN_BOM_RECORD_IS_EQUAL pfnIsEqual, pfnIsEqualWithIdentifier, pfnIsEqualByIdentifier;
} X_BOM_RECORD;

/* A dispatch record: its vector entry and its assembly routines. */
typedef void (*PFN_BOM_ASSEMBLE)(X_COMP_MODULE_FRAME *pModuleFrame, const void *pvRec);
typedef struct X_BOM_DISPATCH_RECORD {
    X_BOM_KIND eKind;
    const X_CHAR *pszName;
    X_LONG lNumber;
    X_LONG lVector;
    X_PVOID pvReserved;
    PFN_BOM_ASSEMBLE pfnAssemble, pfnDisassemble;
} X_BOM_DISPATCH_RECORD;

typedef COMPONENT_STD_FUNCTION (*PFN_BOM_SERVICE)(X_COMP_SERVICES_POINT_REQUEST *, X_PVOID *, X_ULONG,
                                                  X_COMP_NEGOTIABLE_COMPONENT *);
typedef struct X_BOM_SERVICE_ROUTINE {
    X_BOM_KIND eKind;
    PFN_BOM_SERVICE pfnService;
} X_BOM_SERVICE_ROUTINE;

typedef struct X_BOM_CONTENT_LINK {
    X_BOM_KIND eKind;
    PFN_BOM_SERVICE pfnMemberInfo;
} X_BOM_CONTENT_LINK;

typedef struct X_BOM_CONTENT {
    X_BOM_KIND eKind;
    size_t ulItems;
    X_BOM_HEADER **ppItems;
    size_t ulFeatures;
    X_BOM_KIND *pFeatures;
} X_BOM_CONTENT;

#endif
