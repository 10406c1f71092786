/*
 * x_varexp.h: the run-time interface that the evaluation routines of a
 * generated program call: the expression evaluator and its operand
 * factors, the typed field structures, the vector access and conversion
 * routines, the varying string services, and the constants the direct
 * expression code names. Declarations only.
 *
 * It stands on the function interface of x_funstd.h (the basic X_ types,
 * the field structures, struct X_IDS, X_FUN and X_FLD, FUNCTION_STD_ARGS
 * and the vector routines), which includes it in turn.
 */
#ifndef X_VAREXP_H
#define X_VAREXP_H

#include "x_funstd.h"
#include "x_compopc.h"

/* ---- basic values ------------------------------------------------------ */
typedef long long          X_LONGLONG;
typedef int                X_INT;

#define LL_CONST( n )            n##LL
#define X_INT8_HIVAL             127
#define X_INT8_LOVAL             (-128)
#define X_UINT8_HIVAL            255
#define X_INT16_HIVAL            32767
#define X_INT16_LOVAL            (-32768)
#define X_INT32_HIVAL            2147483647
#define X_INT32_LOVAL            (-2147483647 - 1)
#define X_INT64_HIVAL            9223372036854775807LL
#define X_INT64_LOVAL            (-9223372036854775807LL - 1)

/* ---- characters, dates, times --------------------------------------------- */
#define END_OF_STRING            '\0'
#define BLANK                    ' '
#define LOVAL                    '\0'
#define X_CLEAR_ALPHA_HIVAL      '\xFF'
#define X_ALPHA_BLANK_STRING     x_achAlphaBlankString
extern const char x_achAlphaBlankString[];
#define X_PACKED_POSITIVE        '\x0C'
#define X_PACKED_NEGATIVE        '\x0D'
#define X_SIGNED_NEGATIVE        '\x70'
#define X_DEFAULT_DATE           "0001-01-01"
#define X_DEFAULT_TIME           "00:00:00"
#define X_MAX_SIZE_DATE_LEN      10
#define X_MAX_SIZE_TIME_LEN      8
#define X_MAX_SIZE_DATETIME_LEN  29
#define X_MAX_SIZE_LOB_FILE_NAME 256
#define X_MAX_SIZE_ALPHA_LEN     65535
#define X_CPYBYTES( t, s, n )    memcpy( (t), (s), (size_t)(n) )
#define X_TEXT( n )              (n)

/* ---- fields of a record ------------------------------------------------- */
/* A record field: its data record and the record's description (struct
** X_DRD, x_tblstd.h), whose offset table places each field in the data. */
typedef struct X_FLD_RECORD { X_VOID *pDataRecord; const struct X_DRD *pDescription; } X_FLD_RECORD;

/* ---- vector access and conversion --------------------------------------- */
/* The run-time blocks and the field vector, the first arguments of the
 * vector routines. */
#define X_VEC_ARGS struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, struct X_FLD *pX_Fld
X_VOID X_Vec_Get_as_LongLong( X_VEC_ARGS, X_SHORT sVector, X_LONGLONG *pllValue );
X_VOID X_Vec_Set_from_LongLong( X_VEC_ARGS, X_SHORT sVector, X_LONGLONG llValue );
X_VOID X_Vec_Get_as_VarChar( X_VEC_ARGS, X_SHORT sVector, X_CHAR chFill, X_VOID *pvReserved,
                             X_FLD_CHAR *pTarget, X_VOID *pvReserved2 );
X_VOID X_VAR_GetFldDataUsingDispatchOperation( X_VEC_ARGS, X_SHORT sVector );
X_VOID X_VAR_SetFldDataUsingDispatchOperation( X_VEC_ARGS, X_SHORT sVector );
#define X_REMEMBER_FORMAT_USER_FUNCTION 1
#define X_REMEMBER_FORMAT_SYSTEM        2
#define X_REMEMBER_FORMAT_FUNCTION      3
#define X_REMEMBER_FORMAT_USER_SYSTEM   4
/* The fatal end of an evaluation: the evaluation's name or none, a message
 * number, and the message's data. */
X_VOID X_Fatal_Error( struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, const X_VOID *pvWhere,
                      X_INT iText, ... );

/* ---- varying strings and binaries ------------------------------------------ */
#define X_VAR_COMPARE_MASK_LESS    0x01
#define X_VAR_COMPARE_MASK_EQUAL   0x02
#define X_VAR_COMPARE_MASK_GREATER 0x04
X_VOID X_VAR_VarChar_Release( struct X_IDS *pX_Ids, struct X_PRO *pX_Pro, struct X_FUN *pX_Fun, X_FLD_CHAR *pChar );
X_VOID X_VAR_VarChar_SetFromVchar( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VCHAR *, X_FLD_CHAR * );
X_VOID X_VAR_VarChar_SetFromChar( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VOID *, X_LONG, X_FLD_CHAR * );
X_VOID X_VAR_VarChar_SetFromFixedChar( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VOID *, X_LONG,
                                       X_FLD_CHAR * );
X_VOID X_VAR_VarChar_Assign( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_FLD_CHAR *pSource, X_FLD_CHAR *pTarget );
X_VOID X_VAR_VarChar_GetCurSize( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_FLD_CHAR *, X_ULONG * );
X_VOID X_VAR_VarChar_GetAsVchar( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_FLD_CHAR *, X_PVCHAR * );
X_VOID X_VAR_VarChar_GetAsFixedChar( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_FLD_CHAR *, X_VOID *, X_LONG );
X_SHORT X_VAR_VarChar_GetAsShortChar( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_FLD_CHAR *, X_VCHAR *, X_LONG );
X_VOID X_VAR_VarChar_Repeat( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VCHAR *, X_LONG, X_VOID * );
/* Compares two strings, each as a value, a length and a varying field; true
 * when the outcome is one of the mask's. */
X_BOOL X_VAR_VarChar_StringCompare( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VOID *, X_LONG,
                                    X_FLD_CHAR *, const X_VOID *, X_LONG, X_FLD_CHAR *, X_INT iMask );
X_SHORT X_VAR_ShortChar_SetFromFixedChar( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VOID *, X_LONG,
                                          X_VCHAR *, X_LONG );
X_VOID X_VAR_VarBinary_SetFromPointer( struct X_IDS *, struct X_PRO *, struct X_FUN *, const X_VOID *, X_ULONG,
                                       X_VOID * );
X_VOID X_VAR_VarBinary_Assign( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_VOID *pSource, X_VOID *pTarget );
X_VOID X_VAR_VarBinary_Release( struct X_IDS *, struct X_PRO *, struct X_FUN *, X_VOID * );

/* ---- the expression evaluator ------------------------------------------ */
#define X_VAR_HEADER_KIND_FRAME                  0x0100
#define X_VAR_HEADER_KIND_FACTOR_LONG            0x0200
#define X_VAR_HEADER_KIND_FACTOR_BOOLEAN         0x0300
#define X_VAR_HEADER_KIND_FACTOR_DOUBLE          0x0400
#define X_VAR_HEADER_KIND_FACTOR_DECIMAL_PACKED  0x0500
#define X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE  0x0600
#define X_VAR_HEADER_KIND_FACTOR_LONGLONG        0x0700
#define X_VAR_HEADER_KIND_FACTOR_SYSVAR_EVALUATION 0x0800
#define X_VAR_HEADER_KIND_FACTOR_STRING          0x0900
#define X_VAR_HEADER_KIND_FACTOR_LIST_FIELD_VECTOR 0x0A00
#define X_VAR_HEADER_KIND_FACTOR_RECORD_FIELD_VECTOR 0x0B00
#define X_VAR_HEADER_KIND_FACTOR_TABLE_HEADER_ID 0x0C00

typedef struct X_VAR_FACTOR_TABLE_HEADER { X_ULONG ulHeaderKind; X_LONG lEntryCount; } X_VAR_FACTOR_TABLE_HEADER;
typedef struct X_VAR_FACTOR_LONG { X_ULONG ulHeaderKind; X_LONG lValue; } X_VAR_FACTOR_LONG;
typedef struct X_VAR_FACTOR_DOUBLE { X_ULONG ulHeaderKind; X_DOUBLE dValue; } X_VAR_FACTOR_DOUBLE;
typedef struct X_VAR_FACTOR_DECIMAL_PACKED { X_ULONG ulHeaderKind; X_LONG lSize; X_LONG lScale; const char *pchPacked; } X_VAR_FACTOR_DECIMAL_PACKED;
typedef struct X_VAR_FACTOR_DECIMAL_DOUBLE { X_ULONG ulHeaderKind; X_LONG lSize; X_LONG lScale; X_DOUBLE dValue; const char *pchPacked; } X_VAR_FACTOR_DECIMAL_DOUBLE;
typedef struct X_VAR_FACTOR_LONGLONG { X_ULONG ulHeaderKind; X_LONG lSize; X_LONGLONG llValue; const char *pchPacked; } X_VAR_FACTOR_LONGLONG;
typedef struct X_VAR_FACTOR_SYSVAR_EVALUATION { X_ULONG ulHeaderKind; X_VOID *pvReserved; X_SHORT sVector; const char *pszName; } X_VAR_FACTOR_SYSVAR_EVALUATION;
typedef struct X_VAR_FACTOR_STRING { X_ULONG ulHeaderKind; X_LONG lSize; const X_VCHAR *pvchValue; } X_VAR_FACTOR_STRING;
typedef struct X_VAR_FACTOR_LIST_VECTOR { X_ULONG ulHeaderKind; X_VOID *pvReserved; const X_VOID *pvList; X_SHORT sVector; } X_VAR_FACTOR_LIST_VECTOR;
typedef struct X_VAR_FACTOR_RECORD_VECTOR { X_ULONG ulHeaderKind; const X_VOID *pvRecord; X_SHORT sVector; } X_VAR_FACTOR_RECORD_VECTOR;
#define X_VAR_RESOLVE_FACTOR_AS_DECIMAL_DOUBLE( name, size, scale, value, packed ) \
    static const X_VAR_FACTOR_DECIMAL_DOUBLE name = { X_VAR_HEADER_KIND_FACTOR_DECIMAL_DOUBLE, size, scale, value, packed };
#define X_VAR_RESOLVE_FACTOR_AS_LONGLONG( name, size, value, packed ) \
    static const X_VAR_FACTOR_LONGLONG name = { X_VAR_HEADER_KIND_FACTOR_LONGLONG, size, value, packed };

#define X_VAR_STACK_STRING_ELEMENT_TYPE_CHAR           1
#define X_VAR_STACK_STRING_ELEMENT_TYPE_VAR_CHAR       2
#define X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_CHAR       3
#define X_VAR_STACK_STRING_ELEMENT_TYPE_FLD_SHORT_CHAR 4

/* One entry of the evaluator's operand stack: [0] the result, [1] the
 * subject of a When group. */
typedef struct X_VAR_EXPRESSION_OPERAND {
    X_ULONG m_State;
    X_BOOL m_Boolean;
    X_INT32 m_Int32;
    X_INT64 m_Int64;
    X_FLT64 m_Flt64;
    struct { X_DOUBLE m_Data; X_LONG m_Decimals; } m_Double;
    struct { unsigned char m_Data[16]; X_LONG m_Decimals; } m_Packed31;
    struct { unsigned char m_Data[32]; X_LONG m_Decimals; } m_Packed63;
    X_VCHAR m_Date[X_MAX_SIZE_DATE_LEN + 1];
    X_VCHAR m_Time[X_MAX_SIZE_TIME_LEN + 1];
    X_VCHAR m_DateTime[X_MAX_SIZE_DATETIME_LEN + 1];
    struct {
        X_INT m_Type;
        X_LONG m_Length;
        X_PVCHAR m_VarChar;
        X_PDICTIONARY_FIELD m_Char;
        X_FLD_CHAR *m_FldChar;
        X_FLD_SHORT_CHAR *m_FldShortChar;
    } m_String;
} X_VAR_EXPRESSION_OPERAND;

typedef struct X_VAR_EXPRESSION_FRAME {
    X_LONG lVersion;
    struct X_IDS *pX_Ids;
    struct X_PRO *pX_Pro;
    struct X_FUN *pX_Fun;
    struct X_FLD *pX_Fld;
    X_VOID *pX_List;
    X_VOID *pX_FldFile;
    const PX_VAR_HEADER *ppOperandTable;
    const X_SHORT *psInstructionTable;
    X_ULONG ulInstructionCount;
    X_VAR_EXPRESSION_OPERAND *pOperandStack;
    X_ULONG ulOperandSize;
} X_VAR_EXPRESSION_FRAME;
#define X_VAR_EXPRESSION_FRAME_CURRENT 1
/* The frame of one expression over the instruction table and the operand
 * stack: the routine's own array declared before it, or in a When routine
 * the group's stack handed in by address. The stack's size is not taken
 * from it (an address has none): the run time sizes it by the table. */
#define X_VAR_DEFINE_EXPRESSION_FRAME( ids, pro, fun, fld, list, fldFile, operands )                  \
    X_VAR_EXPRESSION_FRAME frame = { X_VAR_EXPRESSION_FRAME_CURRENT, ids, pro, fun, fld, list, fldFile, \
                                     operands, asInstructionTable,                                    \
                                     sizeof( asInstructionTable ) / sizeof( X_SHORT ),                \
                                     &( operandStack[0] ), 0 };
X_VOID X_VAR_EvaluateExpression( X_VAR_EXPRESSION_FRAME *pFrame );

typedef struct X_VAR_FRAME { X_ULONG ulHeaderKind; X_VOID *pvParent; } X_VAR_FRAME;
X_VOID X_VAR_InitializeFunctionFrame( FUNCTION_STD_ARGS, X_VAR_FRAME *pFrame );
X_VOID X_VAR_TerminateFrame( X_VAR_FRAME *pFrame );

/* ---- evaluation routines ------------------------------------------------- */
#define F_BOOL_FUNCTION  X_BOOL
#define E_VOID_FUNCTION  X_VOID
#define E_YES_NO_FUNCTION X_YES_NO

#endif
