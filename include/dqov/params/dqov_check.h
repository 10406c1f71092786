/* Single checks of operands and expressions, for the checker, the generator
 * and other tools.
 *
 * An operand is checked against an expected type class, length and
 * decimals; an expression or condition is split into tokens, its operands
 * are checked one by one and the operations it performs are listed in the
 * order of evaluation.  Findings are queued by message id with their
 * substitution data in the caller's message queue.
 *
 * Other tools call VALID_fP8007 and VALID_fP8015 after VALID_InitServices:
 * they run in the single-check session with its message queues. */
#ifndef DQOV_DQOV_CHECK_H
#define DQOV_DQOV_CHECK_H

#include <stdint.h>

#include "dqov/runcontrol/ffc_context.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- operands ------------------------------------------------------------ */

#define DC_OPERAND_TEXT_SIZE 256

/* Operand kinds (result value 3 of the operand block). */
enum {
    DC_OPERAND_FIELD = 1,
    DC_OPERAND_ALPHA_LITERAL = 2,
    DC_OPERAND_NUMERIC_LITERAL = 3,
    DC_OPERAND_HEX_LITERAL = 4,
    DC_OPERAND_SYSTEM_VARIABLE = 5,
    DC_OPERAND_MULTILINGUAL = 6,
    DC_OPERAND_COMPONENT_PROPERTY = 7,
    DC_OPERAND_CONDITION = 8 /* a condition named by DEF_COND */
};

/* The operand block: request, then results. */
typedef struct DC_OPERAND_BLOCK {
    char acOperand[DC_OPERAND_TEXT_SIZE]; /* operand text, blank-padded */
    uint16_t usOperandLength;             /* characters used */
    char cTypeClass;                      /* expected: 'A' alphanumeric, 'N' numeric, ' ' either */
    int32_t lLength;                      /* expected length, 0 when any */
    int32_t lDecimals;                    /* expected decimals */
    char acField[10];                     /* the field the operand is given for */
    char cFlag;                           /* 'Y' */
    /* operand context: eight option letters, then the source kind.  Option
     * n (from 1) 'Y' allows: 1 alphanumeric literals, 2 numeric literals,
     * 3 hex literals, 4 system variables, 5 fields, 6 multilingual
     * variables, 7 component properties, 8 a value that names no field
     * taken as an alphanumeric literal */
    char acOptions[8];
    char acSourceKind[6]; /* "DC@F23" */
    char acProcess[10];
    char acFunction[10];
    /* results */
    char cValid;                           /* 'Y' accepted, 'N' */
    char acResolved[DC_OPERAND_TEXT_SIZE]; /* resolved operand, blank-padded */
    char acCode[2];                        /* "FL", "AL", "NL", "HL", "SV", "ML", "CP" */
    char cTypeCode;                        /* the field's type code; 'A'/'P' for literals */
    int32_t lResultLength;                 /* 1: length (characters or digits) */
    int16_t sResultDecimals;               /* 2: decimals */
    int16_t sOperandKind;                  /* 3: DC_OPERAND_... */
    int16_t sLocal;                        /* 4: 1 a field defined in the function itself */
    int32_t lIntegerValue;                 /* 5: a numeric literal's integer part (clamped), else 0 */
    int32_t lFractionValue;                /* 6: its decimal digits as a whole number, else 0 */
} DC_OPERAND_BLOCK;

/* Checks the block's operand.  Arguments after the queue name: 1 to queue
 * findings (0 checks silently), 1 to look fields up in the function and the
 * repository (0 takes every name as unknown), the check flag (non-zero
 * also checks length and decimals against the expected ones) and the
 * component switch (1 accepts component properties when option 7 allows
 * them).  Returns 0 when accepted ('Y'), 1 otherwise ('N'). */
int16_t DC_P8007(FFC_CONTEXT* pContext, DC_OPERAND_BLOCK* pBlock, const char* acQueue, int16_t sIssue, int16_t sLookUp,
                 int16_t sCheckFlag, int16_t sComponent);
/* The component flavour: as DC_P8007, with component properties. */
int16_t Component_P8007(FFC_CONTEXT* pContext, DC_OPERAND_BLOCK* pBlock, const char* acQueue, int16_t sIssue,
                        int16_t sLookUp, int16_t sCheckFlag, int16_t sComponent);

/* Component properties (component.property) are record fields of the
 * component's description: by default they are looked up in the
 * description of the run's build (the component itself, or one of its
 * documents or records, names the scope) and take the type, length and
 * decimals of the field's definition.  A tool may register its own lookup
 * instead (NULL restores the default): it answers 1 with the property's
 * type code, length and decimals, 0 when unknown. */
typedef int32_t (*DC_PROPERTY_LOOKUP)(void* pUser, const char* pszComponent, const char* pszProperty, char* pcType,
                                      int32_t* plLength, int32_t* plDecimals);
void DC_SetComponentPropertyLookup(DC_PROPERTY_LOOKUP pfnLookup, void* pUser);

/* ---- expressions and conditions ------------------------------------------ */

#define DC_WORK_AREA_SIZE 9950
#define DC_TOKEN_TABLE_SIZE 796
#define DC_TOKEN_ENTRY_SIZE 16
#define DC_TOKEN_MAX (DC_TOKEN_TABLE_SIZE / DC_TOKEN_ENTRY_SIZE)
#define DC_OPERAND_LIST_SIZE 398
#define DC_OPERAND_MAX 49
#define DC_WHOLE_NAME_AREA 4000
#define DC_OPERATION_MAX 49

/* One token (16 bytes): class "OB" open bracket, "CB" close bracket, "FL"
 * operand, "OP" operator; the operand's index (from 1) in the request's
 * operand table; the operator code at the entry's fifth and sixth bytes
 * ("MU", "DV", "AD", "SU", "EQ", "NE", "LT", "LE", "GT", "GE", "AN", "OR");
 * the token's position in the text (from 1) and its precedence. */
typedef struct DC_TOKEN {
    char acClass[2];
    int16_t sOperand;
    char acOperator[2];
    int16_t sPosition;
    int16_t sPrecedence;
    char acSpare[6];
} DC_TOKEN;

/* The operand list handed beside the request: a 16-bit count and per
 * operand its length and decimals (16-bit each). */
typedef struct DC_OPERAND_LIST {
    int16_t sCount;
    struct {
        int16_t sLength;
        int16_t sDecimals;
    } a[(DC_OPERAND_LIST_SIZE - 2) / 4];
} DC_OPERAND_LIST;

/* One operand of the request's operand table. */
typedef struct DC_EXPRESSION_OPERAND {
    char acName[50];  /* as written (a work result: its work-field name) */
    char cWorkResult; /* 'Y' a work result of an operation */
    char cType;       /* type letter: field type code, 'A'/'P' literals, 'L' logical */
    char acClass[2];  /* "FL", "AL", "NL", "HL", "SV", "ML", "CP" */
    int32_t lLength;
    int16_t sDecimals;
} DC_EXPRESSION_OPERAND;

/* One operation in the order of evaluation: first operand index, code
 * (IF AN OR EQ NE LT LE GT GE MB ZA AD SU DV MU), second operand index (0
 * none), result operand index. */
typedef struct DC_OPERATION {
    int16_t sFirst;
    char acCode[2];
    int16_t sSecond;
    int16_t sResult;
} DC_OPERATION;

/* The request block.  The generator's set-up stores in the second word the
 * address of a zero-filled work area of DC_WORK_AREA_SIZE bytes and in the
 * third to seventh words the addresses of its five buffers; they belong to
 * the generator and the check leaves them as they are. */
typedef struct DC_EXPRESSION_REQUEST {
    const char* pchText; /* word 1: the expression text */
    void* pWorkArea;     /* word 2 */
    void* apBuffers[5];  /* words 3-7 */
    uint32_t ulTextLength;
    char acWorkPrefix[6];  /* "R@Wnnn" or "@@@@@@" */
    char cExpectedType;    /* 'A', 'N' or 'L' (a condition) */
    char acResultClass[2]; /* "FL" */
    int32_t lResultLength;
    int32_t lResultDecimals;
    char acCaller[10];       /* caller tag, e.g. "DC_P3109  " */
    int32_t lError;          /* 0 when no error */
    int32_t lErrorPosition;  /* the word after it: position of the first finding */
    int32_t alWorkFields[2]; /* the two work-field numbers */
    char acRound[4];         /* "*YES" or "*NO " */
    int32_t lTokenCount;
    int16_t sCounter;
    int16_t sOperandCount;
    DC_EXPRESSION_OPERAND aOperands[DC_OPERAND_MAX];
    int16_t sOperationCount;
    DC_OPERATION aOperations[DC_OPERATION_MAX];
    /* The whole texts of the operands whose name (50 characters) holds only
     * their start, i.e. long literals: operand i (from 0) has
     * asWholeLength[i] characters at acWholeNames + asWholeStart[i], and a
     * length of 0 when its name holds all of it (or when the area is full,
     * which takes expressions of more than DC_WHOLE_NAME_AREA characters).
     * The check fills them with the operand table. */
    int16_t asWholeStart[DC_OPERAND_MAX];
    int16_t asWholeLength[DC_OPERAND_MAX];
    char acWholeNames[DC_WHOLE_NAME_AREA];
} DC_EXPRESSION_REQUEST;

/* The checker option block: 12 option letters (the first 8 are the operand
 * options above), the message file code, process and function names. */
typedef struct DC_CHECK_OPTIONS {
    char acOptions[12];
    char acMsgFile[6];
    char acProcess[10];
    char acFunction[10];
    int32_t lReserved;
} DC_CHECK_OPTIONS;

/* The message queue (10 characters) in which DC_P8015 and Component_P8015
 * queue their findings; "DC_P8015  " until set. */
void DC_SetExpressionQueue(const char* acQueue);

/* Checks the request's expression (type 'A' or 'N') or condition ('L'),
 * filling the token table (DC_TOKEN_TABLE_SIZE bytes, DC_TOKEN entries),
 * the token count, the operand table and list, the operations and the
 * error word.  sValue: 1 queues findings, 0 checks silently.  pWork (may
 * be NULL) receives a copy of the operations (DC_TOKEN_TABLE_SIZE bytes).
 * Returns the error word: 0 no error. */
int32_t DC_P8015(FFC_CONTEXT* pContext, const DC_CHECK_OPTIONS* pOptions, DC_EXPRESSION_REQUEST* pRequest,
                 DC_OPERAND_LIST* pOperands, int16_t sValue, void* pTokens, void* pWork);
/* The component flavour (component properties accepted); the check state
 * is not read. */
int32_t Component_P8015(FFC_CONTEXT* pContext, const DC_CHECK_OPTIONS* pOptions, DC_EXPRESSION_REQUEST* pRequest,
                        DC_OPERAND_LIST* pOperands, int16_t sValue, void* pTokens, void* pWork, void* pCheckState,
                        int16_t sComponent, int16_t sReserved);

/* ---- single-check entries of the session ---------------------------------- */

/* Checks an operand in the single-check session (VALID_InitServices),
 * findings in the session's queue acQueue.  Returns 1 accepted, 0 not. */
int32_t VALID_fP8007(DC_OPERAND_BLOCK* pBlock, const char* acQueue);
/* Checks an expression or condition in the single-check session; the token
 * table (DC_TOKEN_TABLE_SIZE bytes) may be NULL.  Returns 1 without error,
 * 0 with errors (their messages in acQueue). */
int32_t VALID_fP8015(DC_EXPRESSION_REQUEST* pRequest, DC_OPERAND_LIST* pOperands, void* pTokens, const char* acQueue);

/* ---- double-byte adjustment of designs ------------------------------------ */

/* Sets the four switches (column headings, labels, descriptions, texts):
 * all 0 in a component run (lComponentRun not 0) and when both other values
 * are not 0; otherwise each is 1 unless its environment variable
 * X_ENV_ADJUST_DBCS_COLHDGS, _LABELS, _DESCS or _TEXTS begins with 'N' or
 * 'n'.  The variables are read once per process.  The six further result
 * addresses may be NULL; those given are set to 0. */
void GetDesignAdjustAttributes(int32_t lComponentRun, int32_t lSecond, int32_t lLevelTwo, int32_t* plColHdgs,
                               int32_t* plLabels, int32_t* plDescs, int32_t* plTexts, int32_t* pl5, int32_t* pl6,
                               int32_t* pl7, int32_t* pl8, int32_t* pl9, int32_t* pl10);

#ifdef __cplusplus
}
#endif

#endif
