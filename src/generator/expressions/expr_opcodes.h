/*
** expr_opcodes.h: the catalogue of p-code opcodes.
**
** Every opcode number that the instruction tables of generated programs use
** is listed here once, with the name the generated source writes, the family
** it belongs to, the rule that forms its rows and the companion opcodes that
** those rows name. The instruction table writer forms rows from it, and the
** expression routine generator asks it which family an operation belongs to.
**
** Numbers that only companion rows carry (stack-vector pushes, the array and
** list pushes, SET_INDEX, REFRESH_COMPONENT, REFRESH_FIELD and two
** result-vector pushes) are listed with the rule None: as the opcode of an
** instruction they give the unknown-opcode row.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_OPCODES_H
#define GENERATOR_EXPRESSIONS_EXPR_OPCODES_H

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

/* What an opcode does, as far as the generators tell opcodes apart. */
enum class ExprOpFamily : uint8_t {
    Companion,        /* written only as a companion row */
    ConstantPush,     /* constant named by the operand index */
    NoOperandPush,    /* Boolean, typed null, SQL null, default parameter */
    VectorPush,       /* field vector as a typed stack value */
    StackVectorPush,  /* field vector as a stack vector (182) */
    ValuePush,        /* string and decimal low and high values */
    ResultVectorPush, /* result vectors 224-243 */
    DispatchGet,      /* 256-275 */
    Coerce,           /* 288-416 */
    VectorPull,       /* 432-654 */
    DispatchSet,      /* 672-691 */
    ResultVariant,    /* 704-719 */
    IdenticalPull,    /* 736-743 */
    Logical,          /* 768-783 */
    Compare,          /* 800-891 */
    IsNull,           /* 912-927 */
    Arithmetic,       /* 928-968 */
    Round,            /* 969-974 */
    Concat,           /* 975-976 */
    When,             /* 992-1039 */
    Control,          /* 1056, 1057, 1065 */
    Intrinsic,        /* 1072-1284 */
    Bom,              /* 1296-1299 */
};

/* How the rows of one instruction are formed. */
enum class ExprRowRule : uint8_t {
    None,                 /* no row of its own: the unknown-opcode row */
    Index,                /* the operand index */
    Zero,                 /* the operand "0" */
    VectorPush,           /* by node kind, with stack and dispatch-get companions */
    StackVectorPush,      /* 182: by node kind, no companion after the push */
    Pair,                 /* node words as 0x%02x%02x; "0x0000" without a node */
    Hex4Or0002,           /* node value as 0x%04x; "0x0002" without a node */
    Hex4OrZero,           /* node value as 0x%04x; "0" without a node */
    DispatchOperand,      /* dispatch number of a 1006/1007 node, else "???" */
    PullStandard,         /* pull expansion with a dispatch-set opcode */
    PullComponentRefresh, /* pull expansion with REFRESH_COMPONENT for a dispatch target */
    OperandText,          /* the described operand's text */
};

/* The row after the record push of an SQL-null vector push: a name without
** a number, so the entry names it by this code (EXPR_RecordCompanionName). */
enum class ExprRecordCompanion : uint8_t {
    None,
    SqlNull,  /* after PUSH_VECTOR_AS_SQLNULL */
    SqlNull2, /* after PUSH_VECTOR2_AS_SQLNULL */
};

/* The name of a record companion, nullptr for none. */
constexpr const char* EXPR_RecordCompanionName(ExprRecordCompanion c)
{
    switch (c) {
    case ExprRecordCompanion::SqlNull: return "X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_SQLNULL";
    case ExprRecordCompanion::SqlNull2: return "X_COMP_OPCODE_PUSH_RECORD_VECTOR2_AS_SQLNULL";
    case ExprRecordCompanion::None: break;
    }
    return nullptr;
}

/* Room for an opcode's name and its end. */
inline constexpr size_t EXPR_OPCODE_NAME_SIZE = 60;

/* An entry holds its name itself, not a pointer to it: the catalogue then
** holds no address, so the loader has nothing to relocate in it and its
** pages stay shared with the library's file, read only where a job reads
** them. */
struct ExprOpcodeEntry {
    uint32_t number;                  /* the opcode */
    char name[EXPR_OPCODE_NAME_SIZE]; /* the name as written, prefix included */
    ExprOpFamily family;
    ExprRowRule rule;
    uint32_t writtenAs;          /* non-zero: written with the name and C# number of
                                    this opcode instead of its own */
    uint32_t stackCompanion;     /* vector pushes: the row after an array, list or
                                    record push */
    uint32_t dispatchCompanion;  /* vector pushes: the dispatch get; standard pulls:
                                    the dispatch set */
    uint32_t arrayCompanion;     /* SQL-null vector pushes: the row after an array push */
    uint32_t listCompanion;      /* SQL-null vector pushes: the row after a list push */
    /* SQL-null vector pushes: the row after a record push (a name without a number) */
    ExprRecordCompanion recordCompanion;
    bool whenRefresh;            /* C only: a dispatched field in a When routine is
                                    refreshed and pushed instead of got */
};

/* Names that generated tables write but that have no number. */
inline constexpr const char* EXPR_NAME_PUSH_RECORD_VECTOR = "X_COMP_OPCODE_PUSH_RECORD_VECTOR_AS_STACK_VECTOR";
inline constexpr const char* EXPR_NAME_PUSH_GLOBAL_STORAGE_OFFSET = "X_COMP_OPCODE_PUSH_GLOBAL_STORAGE_OFFSET";
inline constexpr const char* EXPR_NAME_REFRESH_USER_STATUS = "X_COMP_OPCODE_REFRESH_USER_STATUS";

/* Opcodes that the writer names in its own rules. */
inline constexpr uint32_t EXPR_OP_PUSH_VECTOR_AS_STACK_VECTOR = 182;
inline constexpr uint32_t EXPR_OP_PUSH_LIST_VECTOR_AS_STACK_VECTOR = 183;
inline constexpr uint32_t EXPR_OP_PUSH_ARRAY_VECTOR_AS_STACK_VECTOR = 184;
inline constexpr uint32_t EXPR_OP_FIRST_RESULT_VECTOR = 224;
inline constexpr uint32_t EXPR_OP_LAST_RESULT_VECTOR = 243;
inline constexpr uint32_t EXPR_OP_EVALUATE_SYSTEM_VARIABLE = 1056;
inline constexpr uint32_t EXPR_OP_SET_INDEX = 1058;
inline constexpr uint32_t EXPR_OP_REFRESH_COMPONENT = 1059;
inline constexpr uint32_t EXPR_OP_REFRESH_FIELD = 1060;

/* The whole catalogue, ordered by number. */
std::span<const ExprOpcodeEntry> EXPR_OpcodeCatalogue();

/* The entry of an opcode, companions included; null when the number has none. */
const ExprOpcodeEntry* EXPR_FindOpcode(uint32_t number);

/* The written name of an entry, its length known without counting it (a
** table row is put together from it for every instruction). */
std::string_view EXPR_OpcodeName(const ExprOpcodeEntry& entry);

/* The entry with the given written name (prefix included); null when none. */
const ExprOpcodeEntry* EXPR_FindOpcodeByName(std::string_view name);

/* The entry whose rule forms rows for an instruction with this opcode; null
** for numbers without a rule (companions, gaps, out of range). */
const ExprOpcodeEntry* EXPR_FindRowEntry(uint32_t number);

/* True for the direct-code-only operation kinds 65536 to 65552. */
constexpr bool EXPR_IsPseudoOpcode(uint32_t number)
{
    return number >= 65536u && number <= 65552u;
}

#endif
