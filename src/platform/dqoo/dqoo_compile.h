/*
 * Expression compiler of the object layer: the checker hands over each
 * expression it accepted, already resolved (operands with their class,
 * type, length and decimals; operations in evaluation order), and gets back
 * the 9-byte kind-3 reference of the evaluation routine compiled from it
 * (byte 3, the routine letter, seven digits). The routine goes into the
 * expression store of the object: p-code for the run-time evaluator and a
 * direct-code variant where every construct has a direct form, handed out
 * by DQOO_FCC_EnumerateExpressionPcode and DQOO_FCC_EnumerateRoutinePcode
 * (dqoo_pcode.h).
 *
 * Routine forms and their references:
 *   CONDITION     a Boolean routine (kind 120), letter 'D'
 *   VALUE         a command routine (kind 100) that assigns the value to each
 *                 target field, one expression per target, letter 'B'
 *   SPECIAL       a command routine that sets each target to a special value
 *                 (*NULL, *BLANK(S), *ZERO(S/ES), *SQLNULL, *HIVAL, *LOVAL,
 *                 *NAVAIL, *REMEMBERED_VALUE_FOR_...), letter 'B'
 *   WHEN_SUBJECT  the When group of a CASE: a group element (kind 150) with
 *                 the group's operand stack size, and a command routine that
 *                 loads the subject into operandStack[1], letter 'B'
 *   WHEN_TEST     the When routine (kind 151) of one WHEN: one test per value,
 *                 of the innermost group opened at its CASE level, letter 'F'
 *   WHERE         the WHERE of a file command: a Boolean routine, letter 'D',
 *                 whose reference also holds the tables that hand the WHERE
 *                 to the I/O module (its WHERE, component and activity rows)
 *                 when the module can evaluate it: every comparison names a
 *                 real field of the file and no virtual field is named
 *
 * The store lives until the build ends; a new check of the build starts an
 * empty store (unless it was loaded from an expression fixture).
 */
#ifndef DQOV_PLATFORM_DQOO_COMPILE_H
#define DQOV_PLATFORM_DQOO_COMPILE_H

#include <stddef.h>
#include <stdint.h>

#include "platform/dqoo/dqoo.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Operand flags. */
#define DQOO_OPERAND_SQLNULL 0x01u  /* the field can hold SQL null */
#define DQOO_OPERAND_UNSIGNED 0x02u /* an unsigned integer field */
#define DQOO_OPERAND_FILE_FIELD 0x04u    /* WHERE: a real field of the command's file */
#define DQOO_OPERAND_VIRTUAL_FIELD 0x08u /* WHERE: a virtual field of the command's file */
#define DQOO_OPERAND_ARRAY_INDEX 0x10u   /* an index field of one of the object's arrays */

/* One operand as the checker resolved it. */
typedef struct DQOO_CHECKED_OPERAND {
    char achClass[2]; /* "FL" field, "AL" alphanumeric literal, "HL" hexadecimal
                         literal, "NL" numeric literal, "SV" system variable,
                         "ML" multilingual variable, "CP" component property;
                         blanks for the work result of an operation */
    char chType;      /* the type letter ('A', 'P', 'S', '1'-'4', 'B', 'E', 'H',
                         'M', 'Z'; 'L' a condition) */
    int32_t lLength;  /* characters or digits */
    int32_t lDecimals;
    const char* pszName; /* FL the field name (without the name character), SV the
                            variable ("*DATE"), literals as written */
    uint32_t ulFlags;    /* DQOO_OPERAND_... */
} DQOO_CHECKED_OPERAND;

/* One operation: operands by index from 1. The last operation of an
 * expression is "IF" (a condition), "ZA" (a number) or "MB" (a value). */
typedef struct DQOO_CHECKED_OPERATION {
    int16_t sFirst;
    char achCode[2]; /* AN OR EQ NE LT LE GT GE AD SU MU DV, IF ZA MB */
    int16_t sSecond;
    int16_t sResult;
} DQOO_CHECKED_OPERATION;

typedef struct DQOO_CHECKED_EXPRESSION {
    uint32_t ulOperandCount;
    const DQOO_CHECKED_OPERAND* pOperands;
    uint32_t ulOperationCount;
    const DQOO_CHECKED_OPERATION* pOperations;
} DQOO_CHECKED_EXPRESSION;

enum {
    DQOO_COMPILE_CONDITION = 1,
    DQOO_COMPILE_VALUE = 2,
    DQOO_COMPILE_SPECIAL = 3,
    DQOO_COMPILE_WHEN_SUBJECT = 4,
    DQOO_COMPILE_WHEN_TEST = 5,
    DQOO_COMPILE_WHERE = 6
};

typedef struct DQOO_COMPILE_REQUEST {
    int32_t lForm;              /* DQOO_COMPILE_... */
    uint32_t ulGroupLevel;      /* WHEN forms: the CASE nesting level, from 1 */
    uint32_t ulExpressionCount; /* WHEN_TEST: one per value; else 1 (0 for SPECIAL) */
    const DQOO_CHECKED_EXPRESSION* pExpressions;
    uint32_t ulTargetCount; /* VALUE and SPECIAL: the fields assigned */
    const DQOO_CHECKED_OPERAND* pTargets;
    const char* pszSpecialValue; /* SPECIAL: the value as written */
    char chRound;                /* VALUE: 'Y' rounds half up to the target */
} DQOO_COMPILE_REQUEST;

/* Compiles one checked expression into a routine of the build's store and
 * puts its reference (9 bytes) into pchReference. 0; DQOO_ERR_ARGUMENT or
 * DQOO_ERR_NO_BUILD; or DQOO_ERR_UNSUPPORTED with the reason in pszReason
 * (a construct the compiler has no code for; nothing is stored). */
long DQOO_FCC_CompileCheckedExpression(FCC_BUILD_HANDLE* pBuild, const DQOO_COMPILE_REQUEST* pRequest,
                                       char* pchReference, char* pszReason, size_t cbReason);

#ifdef __cplusplus
}
#endif

#endif
