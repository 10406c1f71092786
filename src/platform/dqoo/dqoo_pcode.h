/*
** dqoo_pcode.h: the compiled-expression records of the object layer.
**
** The object layer compiles every expression of a checked object into p-code
** and into up to three direct-code variants, groups them into evaluation
** routines and hands them to the generator through two enumerations. This
** header is the one place where those records are defined; the object layer
** fills them and the expression generators only read them (apart from
** EXPR_OPERAND_NODE::dispatchOp, which the operand describer may rewrite).
**
** The records are natural 64-bit structs with named members. Every record
** that may stand in a "node or instruction" slot starts with a 32-bit tag,
** and the tag tells the record apart:
**     40          an instruction (the same record serves as the "wrapper
**                 node" of an operand: its opcode is the pushing opcode and
**                 its operand the wrapped node)
**     260, 261    an intermediate-result node
**     1000-1020   an operand node
** Because an instruction and a wrapper node are one and the same object, one
** struct type serves both: EXPR_PCODE_INSTRUCTION is EXPR_OPERAND_NODE with
** kind 40. Every slot that may hold either is therefore typed
** EXPR_OPERAND_NODE* and the reader switches on `kind`.
**
** Lifetime: the records handed to a callback are valid during that callback
** only; the enumerations repeat the same routines in the same order on every
** call.
*/
#ifndef DQOO_PCODE_H
#define DQOO_PCODE_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ------------------------------------------------------------------------ */
/* Record tags and kinds                                                    */
/* ------------------------------------------------------------------------ */

/* Tag of an instruction, also the kind of a wrapper node. */
#define EXPR_TAG_INSTRUCTION 40
/* Intermediate-result nodes. */
#define EXPR_TAG_INTERMEDIATE_1 260
#define EXPR_TAG_INTERMEDIATE_2 261

/* Operand node kinds. */
#define EXPR_NODE_INT32_CONSTANT 1000
#define EXPR_NODE_CONSTANT_1001 1001
#define EXPR_NODE_DECIMAL_CONSTANT 1002
#define EXPR_NODE_STRING_CONSTANT 1003
#define EXPR_NODE_BOOLEAN_CONSTANT 1004
#define EXPR_NODE_PACKED_CONSTANT 1005
#define EXPR_NODE_DISPATCH_CONSTANT 1006
#define EXPR_NODE_FIELD 1007
#define EXPR_NODE_SYSTEM_VARIABLE 1008
#define EXPR_NODE_FIELD_BYTE_LENGTH 1009
#define EXPR_NODE_KIND_1010 1010
#define EXPR_NODE_SQLNULL 1011
#define EXPR_NODE_INT64_CONSTANT 1012
#define EXPR_NODE_FIELD_STRLEN 1013
#define EXPR_NODE_COMPONENT_FIELD 1014
#define EXPR_NODE_LIST_FIELD 1015
#define EXPR_NODE_RESULT_VECTOR 1016
#define EXPR_NODE_INT32_LOVAL 1017
#define EXPR_NODE_INT64_LOVAL 1018
#define EXPR_NODE_COMPONENT_FIELD_REF 1019
#define EXPR_NODE_RECORD_FIELD 1020

/* Flag bits of EXPR_OPERAND_NODE::flags. */
#define EXPR_NODE_FLAG_DISPATCH 0x001u       /* reached through dispatch operations */
#define EXPR_NODE_FLAG_INDEXED 0x002u        /* vector index is set after a store */
#define EXPR_NODE_FLAG_SQLNULL_STATE 0x004u  /* the field carries an SQL-null state */
#define EXPR_NODE_FLAG_STATUS_REFRESH 0x008u /* a pull refreshes the last I/O status */
#define EXPR_NODE_FLAG_40 0x040u             /* carried to the descriptor unchanged */
#define EXPR_NODE_FLAG_CONVERTED 0x080u      /* the field needs conversion */
#define EXPR_NODE_FLAG_ALPHA_CLASS4 0x100u   /* alpha field of string class 4, not 6 */

/* Flag bits of EXPR_OPERAND_NODE::instructionFlags (kind 40 only). */
#define EXPR_INSTR_FLAG_SQLNULL 0x01u      /* the operation tracks SQL null */
#define EXPR_INSTR_FLAG_ALPHA 0x08u        /* treat the pushed vector as alpha */
#define EXPR_INSTR_FLAG_DECIMAL_CAST 0x20u /* iSeries decimal cast */

/* Routine kinds (EXPR_PCODE_ROUTINE::kind). */
#define EXPR_ROUTINE_SEPARATOR 30
#define EXPR_ROUTINE_COMMAND 100
#define EXPR_ROUTINE_COMPONENT 110
#define EXPR_ROUTINE_BOOLEAN 120
#define EXPR_ROUTINE_STRING 130
#define EXPR_ROUTINE_DEFAULT_VALUE 140
#define EXPR_ROUTINE_WHEN_GROUP 150
#define EXPR_ROUTINE_WHEN_TEST 151
#define EXPR_ROUTINE_CALLBACK 160
#define EXPR_ROUTINE_BOOLEAN_SUBJECT 170
#define EXPR_ROUTINE_EXEC_RECEIVED 180
#define EXPR_ROUTINE_EXEC_RETURNED 181
/* Element kinds that only the routine enumeration hands out. */
#define EXPR_ELEMENT_WHERE_START 200
#define EXPR_ELEMENT_WHERE_END 210
#define EXPR_ELEMENT_COMPONENT_START 220
#define EXPR_ELEMENT_COMPONENT_END 230
#define EXPR_ELEMENT_ACTIVITY_START 240
#define EXPR_ELEMENT_ACTIVITY_END 250
#define EXPR_ELEMENT_WHERE_ROW 270
#define EXPR_ELEMENT_COMPONENT_ROW 271
#define EXPR_ELEMENT_ACTIVITY_ROW 272

/* Direct-code variant tags (EXPR_VARIANT::tag); other tags are skipped. */
#define EXPR_VARIANT_GENERIC 50
#define EXPR_VARIANT_NO_LONGLONG 51
#define EXPR_VARIANT_ISERIES 52

/* Statement kinds (EXPR_STATEMENT::kind). */
#define EXPR_STATEMENT_SPECIAL_STORE 40  /* NULL/SQLNULL/HIVAL/LOVAL/NAVAIL store */
#define EXPR_STATEMENT_OPERATION 60      /* one evaluation operation */
#define EXPR_STATEMENT_ASSIGNMENT 61     /* result into a field */
#define EXPR_STATEMENT_IDENTICAL_MOVE 62 /* move between identical layouts */
#define EXPR_STATEMENT_REMEMBER_USER 300
#define EXPR_STATEMENT_REMEMBER_SYSTEM 301
#define EXPR_STATEMENT_REMEMBER_FUNCTION 302
#define EXPR_STATEMENT_REMEMBER_USER_SYSTEM 303

/* The first opcode of the direct-code-only operation kinds (the When
** subject loads and their kin, 65536 to 65552). */
#define EXPR_PSEUDO_OPCODE_FIRST 65536u
#define EXPR_PSEUDO_OPCODE_LAST 65552u

/* ------------------------------------------------------------------------ */
/* Records                                                                  */
/* ------------------------------------------------------------------------ */

typedef struct EXPR_OPERAND_NODE EXPR_OPERAND_NODE;
typedef struct EXPR_EXPRESSION EXPR_EXPRESSION;
typedef struct EXPR_VARIANT EXPR_VARIANT;
typedef struct EXPR_STATEMENT EXPR_STATEMENT;
typedef struct EXPR_PCODE_ROUTINE EXPR_PCODE_ROUTINE;

/*
** An operand node, an intermediate result, or (kind 40) an instruction.
** Which members mean something depends on `kind`; the object layer leaves
** the others zero. A compiled function holds tens of thousands of these, so
** members that no one kind uses together share their room (the unions
** below): a reader reads such a member only for the kinds it names.
*/
struct EXPR_OPERAND_NODE {
    int32_t kind; /* 40 instruction/wrapper; 260/261 intermediate;
                     1000-1020 operand node (EXPR_NODE_...) */

    /* ---- kind 40: instruction, and wrapper node of an operand ---- */
    uint32_t opcode;            /* X_COMP_OPCODE_ number; 65536-65552 are the
                                   direct-code-only operation kinds */
    EXPR_OPERAND_NODE* operand; /* the operand node (the "wrapped" node of a
                                   wrapper); may be null */
    union {
        uint32_t instructionFlags; /* kind 40: EXPR_INSTR_FLAG_... */
        int32_t pullOperand;       /* operand nodes: the operand word of a pull row */
    };

    /* ---- operand nodes and intermediate results ---- */
    uint32_t value;  /* digits, length or value word: the first half of
                        the pair operand, the length of the hex4
                        operand, the intrinsic value; the length of
                        260/261 and of constants */
    uint32_t second; /* decimal places: the second half of the pair
                        operand; the scale of 260/261 and constants */
    union {
        int32_t maxLength;          /* kind 1003: maximum length of the string */
        uint32_t resultVectorIndex; /* kind 1016: 224-243 selects a result vector */
    };
    const char* fieldRef;   /* field kinds (1007, 1008, 1009, 1013, 1014,
                               1015, 1020): name of the field the node
                               stands for, looked up in the used fields */
    int32_t dispatchOp;     /* dispatch operation number; written by the
                               operand describer when the field definition
                               names one (so the node is mutable) */
    uint32_t flags;         /* EXPR_NODE_FLAG_... */
    const char* valueText;  /* 1000/1002/1012: the constant as written in
                               code; 1003: the string text */
    union {
        const char* packedText;        /* 1002/1005/1012/1018: packed digits, four
                                          characters per byte (EXPR_PackedText) */
        const char* componentFieldRef; /* kind 1019: the component field */
        const int32_t* booleanValue;   /* kind 1004: the Boolean value */
        const char* listName;          /* kind 1015: the list the field belongs to */
        const char* recordRef;         /* kind 1020: the component record */
    };
};

/* An instruction is the operand-node record with kind 40. */
typedef EXPR_OPERAND_NODE EXPR_PCODE_INSTRUCTION;
typedef EXPR_OPERAND_NODE EXPR_INSTRUCTION;

/* A statement of a direct-code variant. */
struct EXPR_STATEMENT {
    int32_t kind;                      /* EXPR_STATEMENT_... */
    EXPR_PCODE_INSTRUCTION* operation; /* 40: the store instruction itself
                                     (PULL_..._FROM_NULL/SQLNULL/HIVAL/LOVAL/
                                     NAVAIL, operand = target field);
                                     60: the operation; 61: the target pull
                                     (operand = target field); 62: the
                                     PULL_IDENTICAL instruction */
    EXPR_OPERAND_NODE* result;         /* 60: result node or instruction; may be null
                                          (a Boolean routine's last test) */
    EXPR_OPERAND_NODE* left;           /* 60: first operand; may be null */
    EXPR_OPERAND_NODE* right;          /* 60: second operand; may be null */
    union {                            /* one room: no kind has both */
        EXPR_OPERAND_NODE* source;     /* 61, 62: the value moved */
        EXPR_OPERAND_NODE* field;      /* 300-303: the remembered field */
    };
};

/* One direct-code variant of an expression. */
struct EXPR_VARIANT {
    uint32_t tag;                /* EXPR_VARIANT_...; other values are skipped */
    uint32_t statementCount;     /* number of statements */
    EXPR_STATEMENT** statements; /* in execution order */
};

/* One compiled expression (the counts after the pointers: no padding). */
struct EXPR_EXPRESSION {
    EXPR_OPERAND_NODE* result;             /* the result node (a wrapper), or null */
    EXPR_PCODE_INSTRUCTION** instructions; /* p-code in execution order; also
                                     the numbering list of work variables, so a
                                     statement refers to these same objects */
    EXPR_VARIANT** variants;
    EXPR_PCODE_INSTRUCTION** work; /* their 1-based position is the work number */
    uint32_t instructionCount;     /* 0 when the expression has no p-code */
    uint32_t variantCount;         /* 0 to 3, handed over in the order 52, 51, 50 */
    uint32_t workCount;            /* operations that own work variables */
};

/*
** An evaluation routine (expression enumeration) or an element of one
** routine (routine enumeration). The row members are used by the element
** kinds 270, 271 and 272 only.
*/
struct EXPR_PCODE_ROUTINE {
    int32_t kind;                  /* EXPR_ROUTINE_... or EXPR_ELEMENT_... */
    int32_t number;                /* the routine number of every "..._%d" name */
    uint32_t operandStackSize;     /* operand-stack entries the p-code needs; for
                                      kind 150 the shared stack of the When group */
    uint32_t expressionCount;      /* number of expressions */
    EXPR_EXPRESSION** expressions; /* in evaluation order */

    /* ---- row elements 270/271/272 ---- */
    EXPR_OPERAND_NODE* node; /* the row's operand node; may be null */
    int32_t first;           /* 272 only: the activity numbers */
    int32_t second;
    int32_t third;
    char code; /* the row's code letter */
};

typedef EXPR_PCODE_ROUTINE EXPR_ROUTINE;

/* ------------------------------------------------------------------------ */
/* Enumerations                                                             */
/* ------------------------------------------------------------------------ */

/* Called once per evaluation routine; returns 0 to go on. */
typedef long (*DQOO_FCC_EXPRESSION_PCODE_CALLBACK)(EXPR_PCODE_ROUTINE* routine, void* user);

/* Called once per element of one routine; user is a flag byte, a counter or
** null, user2 null or a 4,096-byte text buffer. Returns 0 to go on. */
typedef long (*DQOO_FCC_ROUTINE_PCODE_CALLBACK)(EXPR_PCODE_ROUTINE* element, void* user, void* user2);

/*
** Calls `callback` once for every evaluation routine of the current object,
** in one stable order. `reserved` is 0. Returns 0, or a failure code (the
** caller then ends the run).
*/
long DQOO_FCC_EnumerateExpressionPcode(DQOO_FCC_EXPRESSION_PCODE_CALLBACK callback, void* user, long reserved);

/*
** Calls `callback` for each element of the routine named by `ref9`: the nine
** bytes of a routine reference (byte 3, the routine letter, seven decimal
** digits), in place or ended by a zero byte. Returns 0 or a failure code.
*/
long DQOO_FCC_EnumerateRoutinePcode(const char* ref9, DQOO_FCC_ROUTINE_PCODE_CALLBACK callback, void* user,
                                    void* user2);

#ifdef __cplusplus
} /* extern "C" */

/* Reading a slot that may hold a node or an instruction. */
inline bool EXPR_IsInstruction(const EXPR_OPERAND_NODE* item)
{
    return item != nullptr && item->kind == EXPR_TAG_INSTRUCTION;
}

/* The packed digits of a node, or null: a reader that does not switch on the
** node's kind reads them here, since the kinds 1004, 1015, 1019 and 1020
** keep another member in their room. */
inline const char* EXPR_PackedText(const EXPR_OPERAND_NODE* node)
{
    if (node == nullptr)
        return nullptr;
    switch (node->kind) {
    case EXPR_NODE_BOOLEAN_CONSTANT:
    case EXPR_NODE_LIST_FIELD:
    case EXPR_NODE_COMPONENT_FIELD_REF:
    case EXPR_NODE_RECORD_FIELD: return nullptr;
    default: return node->packedText;
    }
}
#endif

#endif /* DQOO_PCODE_H */
