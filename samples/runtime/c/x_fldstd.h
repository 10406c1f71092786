/*
** x_fldstd.h: fields as the VELMO runtime holds them: the storage of
** dictionary fields, the field descriptor of the field vector, the data
** of the extended language's field kinds, and the type and subtype codes
** of a descriptor. Declarations only.
*/
#ifndef X_FLDSTD_H
#define X_FLDSTD_H

#include "x_glodef.h"

/* ---- storage of dictionary fields ---- */
typedef char X_DICTIONARY_FIELD;
typedef X_DICTIONARY_FIELD *X_PDICTIONARY_FIELD;
typedef char X_DICTIONARY_ALPHA;
typedef char X_DICTIONARY_PACKED;
typedef char X_DICTIONARY_SIGNED;
typedef char X_DICTIONARY_ARRAY;
typedef X_LONG X_DICTIONARY_LONG;
typedef X_DOUBLE X_DICTIONARY_DOUBLE;

/* ---- descriptor type, type and subtype codes ---- */
#define LL2FIELD 0x00000001UL
#define LL2NULLABLE 0x00000002UL
#define LL2FIXEDCHAR 0x00000004UL
#define LL2UNSINT 0x00000008UL
#define LL2SUTCDT 0x00000010UL
#define LL2DUTCDT 0x00000020UL

enum X_FIELD_TYPE {
    X_TYPE_UNKNOWN, X_TYPE_ALPHA, X_TYPE_PACKED, X_TYPE_SIGNED, X_TYPE_LONG, X_TYPE_DOUBLE, X_TYPE_CHAR,
    X_TYPE_SHORT_CHAR, X_TYPE_BINARY, X_TYPE_CLOB, X_TYPE_BLOB, X_TYPE_DATE, X_TYPE_TIME, X_TYPE_DATETIME,
    X_TYPE_INTEGER, X_TYPE_FLOAT, X_TYPE_BOOLEAN, X_TYPE_VARIANT, X_TYPE_COMPONENT, X_TYPE_RECORD
};

enum X_FIELD_SUBTYPE {
    X_SUBTYPE_UNKNOWN, X_SUBTYPE_SIMPLE_FIELD, X_SUBTYPE_INDEX, X_SUBTYPE_LITERAL, X_SUBTYPE_USER_PARAMETER,
    X_SUBTYPE_ARRAY, X_SUBTYPE_SYSTEM_VARIABLE, X_SUBTYPE_COMPONENT_ALPHA, X_SUBTYPE_COMPONENT_PACKED,
    X_SUBTYPE_COMPONENT_SIGNED, X_SUBTYPE_COMPONENT_LONG, X_SUBTYPE_COMPONENT_DOUBLE, X_SUBTYPE_COMPONENT_CHAR,
    X_SUBTYPE_COMPONENT_SHORT_CHAR, X_SUBTYPE_COMPONENT_BINARY, X_SUBTYPE_COMPONENT_CLOB,
    X_SUBTYPE_COMPONENT_BLOB, X_SUBTYPE_COMPONENT_DATE, X_SUBTYPE_COMPONENT_TIME, X_SUBTYPE_COMPONENT_DATETIME,
    X_SUBTYPE_COMPONENT_INTEGER, X_SUBTYPE_COMPONENT_FLOAT, X_SUBTYPE_COMPONENT_BOOLEAN,
    X_SUBTYPE_COMPONENT_EVALUATION, X_SUBTYPE_COMPONENT_RECORD, X_SUBTYPE_COMPONENT_UNKNOWN
};

/* One descriptor of the field vector. The generated descriptor vector
** gives the members of each descriptor one after the other, without
** braces of its own. */
#pragma GCC diagnostic ignored "-Wmissing-braces"
struct X_FLD {
    const char *pszName;
    X_ULONG ulFieldType;            /* 0, or LL2FIELD with its flags */
    enum X_FIELD_TYPE eType;
    enum X_FIELD_SUBTYPE eSubtype;
    X_CHAR chShift;
    X_LONG lLength;                 /* -1: national characters or beyond 32767 */
    X_USHORT sByteLen;
    X_SHORT sDecimals;
    X_PDICTIONARY_FIELD pField;     /* bound to the storage at run time */
    X_SHORT sIndexVOV;              /* an element's index field, a component field's number,
                                       then the small value of an index */
    X_YES_NO chChanged;
};

/* ---- fill values ---- */
#define X_CLEAR_ALPHA ' '
#define X_CLEAR_ALPHA_LOVAL 0x00
#define X_CLEAR_SIGN '0'
#define X_CLEAR_PACK 0x00
#define X_PACK_TERMINATOR 0x0F
#define HIVAL 0xFF

/* ---- data of the extended language's field kinds ---- */
typedef unsigned char XFIELDSTATE;
#define FsIsSqlNull 0x01
#define FsHasCharLength 0x02
#define X_FLDDATA_V1 1
#define X_FLDDATA_V2 2

typedef struct X_FLD_INFO {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
} X_FLD_INFO;

typedef struct X_FLD_PACKED {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_CHAR fchData[1];
} X_FLD_PACKED, *PX_FLD_PACKED;
typedef X_FLD_PACKED X_FLD_SIGNED, *PX_FLD_SIGNED;

typedef struct X_FLD_CHAR {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_ULONG ulMaxSize;
    X_PVOID pvData;
} X_FLD_CHAR, *PX_FLD_CHAR;

typedef struct X_FLD_NCHAR {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_ULONG ulMaxSize;
    X_ULONG ulMaxChars;
    X_PVOID pvData;
} X_FLD_NCHAR, *PX_FLD_NCHAR;

typedef struct X_FLD_BINARY {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_ULONG ulMaxSize;
    X_PVOID pvData;
} X_FLD_BINARY, *PX_FLD_BINARY;

typedef struct X_FLD_LOB {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_CHAR vchFileName[260];
} X_FLD_CLOB, X_FLD_BLOB;

typedef struct X_FLD_DATE {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_CHAR vchDate[11];
} X_FLD_DATE;

typedef struct X_FLD_TIME {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_CHAR vchTime[9];
} X_FLD_TIME;

typedef struct X_FLD_DATETIME {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_CHAR vchDateTime[30];
} X_FLD_DATETIME;

typedef struct X_FLD_FLT32 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_FLT32 dFloat32;
} X_FLD_FLT32, *PX_FLD_FLT32;

typedef struct X_FLD_FLT64 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_FLT64 dFloat64;
} X_FLD_FLT64, *PX_FLD_FLT64;

typedef struct X_FLD_INT8 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_INT8 iInt8;
} X_FLD_INT8;

typedef struct X_FLD_UINT8 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_UINT8 uiInt8;
} X_FLD_UINT8;

typedef struct X_FLD_INT16 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_INT16 iInt16;
} X_FLD_INT16;

typedef struct X_FLD_INT32 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_INT32 iInt32;
} X_FLD_INT32;

typedef struct X_FLD_INT64 {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_INT64 iInt64;
} X_FLD_INT64;

typedef struct X_FLD_SHORT_CHAR {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_SHORT sLength;
    X_CHAR vchData[1];
} X_FLD_SHORT_CHAR, *PX_FLD_SHORT_CHAR;

typedef struct X_FLD_BOOL {
    X_INT8 i8Version;
    XFIELDSTATE bFieldState;
    X_BOOL fBool;
} X_FLD_BOOL;

/* A varying length: the literal's length when it fits the limit. */
#define X_RESOLVE_VARCHAR_LENGTH(length, limit) ((length) < (limit) ? (length) : (limit))

/* ---- fields computed by a routine ---- */
typedef X_ULONG X_COMP_EVALUATION_TYPE_INFO;
enum X_VAR_HEADER_KIND { X_VAR_HEADER_KIND_EVALUATION_CALLBACK = 1, X_VAR_HEADER_KIND_EVALUATION_DISPATCH = 2 };
typedef struct X_VAR_HEADER {
    enum X_VAR_HEADER_KIND eKind;
} X_VAR_HEADER, *PX_VAR_HEADER;

typedef struct X_VAR_EVALUATION_CALLBACK {
    enum X_VAR_HEADER_KIND eKind;
    X_COMP_EVALUATION_TYPE_INFO ulTypeInfo;
    X_LONG lLength;
    X_LONG lDecimals;
    void (*pfnRoutine)(void);
} X_VAR_EVALUATION_CALLBACK;

typedef struct X_VAR_EVALUATION_DISPATCH {
    enum X_VAR_HEADER_KIND eKind;
    X_COMP_EVALUATION_TYPE_INFO ulTypeInfo;
    X_LONG lLength;
    X_LONG lDecimals;
    X_LONG lComponent;
} X_VAR_EVALUATION_DISPATCH;

typedef struct X_FLD_EVALUATION {
    X_INT8 i8Version;
    X_LONG lSize;
    X_PPVOID ppvTable;
} X_FLD_EVALUATION, *PX_FLD_EVALUATION;

#endif
