/*
** expr_opcode_traits.h: what the direct-code writers need to know of an
** opcode, read from its catalogue name.
**
** The writers of direct expression code switch on opcode families ("the
** LONG and INT32 forms", "PULL_<layout>_VECTOR(2)_FROM_<type>", "the six
** string compares"). Every such fact is spelled out in the opcode's written
** name, so the traits are derived from the catalogue once (expr_opcodes.h)
** instead of being kept as a second list of numbers: the kind of the
** opcode, the value type it pushes, pulls, compares or computes, the field
** layout of a vector push or pull with its VECTOR2 and _A.._D marks, and the
** comparator, arithmetic operator or When role. The direct-code-only
** operation kinds 65536 to 65552 (the When subject loads and their kin)
** have traits of their own.
*/
#ifndef GENERATOR_EXPRESSIONS_EXPR_OPCODE_TRAITS_H
#define GENERATOR_EXPRESSIONS_EXPR_OPCODE_TRAITS_H

#include <cstdint>

/* The value types named in opcodes, in the order of the When subject
** opcodes (which the subject loads 65536.. follow), then the others. */
enum class ExprValue : uint8_t {
    None,
    Long,
    LongLong,
    Double,
    Packed31,
    Packed63,
    Decimal,
    Int32,
    Int64,
    Float64,
    Boolean,
    Variant,
    Date,
    Time,
    DateTime,
    String,
    Binary,
    Alpha,
    Null,
    SqlNull,
    HiVal,
    LoVal,
    NAvail,
    StackVector,
    Reference,
    Int32Constant,
    Int64Constant,
    DoubleConstant,
    PackedConstant,
    Float64Constant,
    StringConstant,
    BooleanConstant,
    BooleanTrue,
    BooleanFalse,
};

/* Field layouts of vector pushes and pulls. */
enum class ExprLayout : uint8_t {
    None,
    Packed,
    Signed,
    Int8,
    IntU8,
    Int16,
    Int32,
    Int64,
    Float32,
    Float64,
    Boolean,
    Date,
    Time,
    DateTime,
    Alpha,
    String,
    Binary,
    Lob,
    Blob,
    Clob,
    ShortChar,
    Dispatch,
    ResultVariant,
    Identical,
};

enum class ExprOpKind : uint8_t {
    Other,
    ConstantPush, /* PUSH_<type>_CONSTANT_AS_<type>, the Boolean constants */
    NullPush,     /* PUSH_NULL_CONSTANT_AS_<type> */
    VectorPush,   /* PUSH_<layout>_VECTOR(2)_AS_<type> */
    DispatchGet,  /* PUSH_DISPATCH_GET_AS_<type> */
    Pull,         /* PULL_<layout>_VECTOR(2)_FROM_<type>, PULL_DISPATCH_SET_FROM_<type> */
    Coerce,
    Logical,
    Compare,
    IsNull, /* IS_<type>_NULL */
    Arithmetic,
    Round,
    WhenSubject,
    WhenTrue,
    WhenAllFalse,
    SubjectLoad, /* 65536-65550 */
    Intrinsic,
    Pseudo, /* the other direct-code-only kinds */
};

enum class ExprComparator : uint8_t { None, Eq, Lt, Le, Gt, Ge, Ne };
enum class ExprArith : uint8_t { None, Plus, Minus, Divide, Multiply };

struct ExprOpTraits {
    ExprOpKind kind = ExprOpKind::Other;
    ExprValue value = ExprValue::None;  /* pushed, pulled from, compared, computed */
    ExprValue source = ExprValue::None; /* coerce: the type coerced from */
    ExprLayout layout = ExprLayout::None;
    bool vector2 = false; /* the VECTOR2 form */
    char suffix = 0;      /* 'A'..'D' of the _A.._D forms, else 0 */
    ExprComparator comparator = ExprComparator::None;
    ExprArith arith = ExprArith::None;
};

/* The traits of the numbered opcodes already asked for, by number: the
** writers ask for the traits of every node they meet, so the lookup of a
** known number is made where it is asked for. */
struct ExprNumberedTraits {
    static constexpr uint32_t kSize = 1300;
    ExprOpTraits byNumber[kSize]{};
    bool read[kSize]{};
};
extern ExprNumberedTraits g_exprNumberedTraits;
/* The traits of any other opcode (a number not asked for yet, a pseudo
** opcode, an unknown number). */
const ExprOpTraits& EXPR_OtherOpTraits(uint32_t opcode);

/* The traits of an opcode; an unknown number gives kind Other. */
inline const ExprOpTraits& EXPR_OpTraits(uint32_t opcode)
{
    if (opcode < ExprNumberedTraits::kSize && g_exprNumberedTraits.read[opcode])
        return g_exprNumberedTraits.byNumber[opcode];
    return EXPR_OtherOpTraits(opcode);
}

/* The named opcodes the writers test one by one. */
inline constexpr uint32_t EXPR_OP_LOGICAL_NOT = 768;
inline constexpr uint32_t EXPR_OP_LOGICAL_OR = 769;
inline constexpr uint32_t EXPR_OP_LOGICAL_AND = 770;
inline constexpr uint32_t EXPR_OP_LOGICAL_BEGIN_ORIF = 771;
inline constexpr uint32_t EXPR_OP_LOGICAL_END_ORIF = 772;
inline constexpr uint32_t EXPR_OP_LOGICAL_BEGIN_ANDIF = 773;
inline constexpr uint32_t EXPR_OP_LOGICAL_END_ANDIF = 774;
inline constexpr uint32_t EXPR_OP_LOGICAL_IS_SQLNULL = 775;
inline constexpr uint32_t EXPR_OP_LOGICAL_IS_NOT_SQLNULL = 776;
inline constexpr uint32_t EXPR_OP_COERCE_DATE_TO_DATETIME = 390;
inline constexpr uint32_t EXPR_OP_COERCE_TIME_TO_DATETIME = 392;
inline constexpr uint32_t EXPR_OP_COERCE_DATETIME_TO_DATE = 394;
inline constexpr uint32_t EXPR_OP_COERCE_DATETIME_TO_TIME = 395;
inline constexpr uint32_t EXPR_OP_COERCE_DECIMAL_TO_PRECISE_DECIMAL = 402;
inline constexpr uint32_t EXPR_OP_PUSH_NULL_CONSTANT_AS_STRING = 46;
inline constexpr uint32_t EXPR_OP_PUSH_NULL_50 = 50;
inline constexpr uint32_t EXPR_OP_PUSH_ALPHA_VECTOR_AS_STRING = 143;
inline constexpr uint32_t EXPR_OP_PUSH_DISPATCH_GET_AS_SQLNULL = 272;
inline constexpr uint32_t EXPR_OP_STRING_CUR_SIZE = 1072;
inline constexpr uint32_t EXPR_OP_STRING_IS_NULL = 1129;
inline constexpr uint32_t EXPR_OP_BOOLEAN_IS_TRUE = 1195;
inline constexpr uint32_t EXPR_OP_BOOLEAN_IS_FALSE = 1196;
inline constexpr uint32_t EXPR_OP_BOOLEAN_IS_NULL = 1197;
inline constexpr uint32_t EXPR_OP_DATE_IS_NULL = 1217;
inline constexpr uint32_t EXPR_OP_TIME_IS_NULL = 1230;
inline constexpr uint32_t EXPR_OP_DATETIME_IS_NULL = 1242;
inline constexpr uint32_t EXPR_OP_SUBJECT_LOAD_FIRST = 65536;
inline constexpr uint32_t EXPR_OP_SUBJECT_LOAD_VARIANT = 65546;
inline constexpr uint32_t EXPR_OP_SUBJECT_LOAD_LAST = 65550;
inline constexpr uint32_t EXPR_OP_PLAIN_OPERATION = 65552;

/* Opcode sets that several writers test. */
/* WHEN_SUBJECT_, WHEN_TRUE_, WHEN_ALL_FALSE_ */
inline bool EXPR_fIsWhenOpcode(uint32_t opcode)
{
    const ExprOpKind k = EXPR_OpTraits(opcode).kind;
    return k == ExprOpKind::WhenSubject || k == ExprOpKind::WhenTrue || k == ExprOpKind::WhenAllFalse;
}
/* 65536-65550 */
inline bool EXPR_fIsSubjectLoad(uint32_t opcode)
{
    return EXPR_OpTraits(opcode).kind == ExprOpKind::SubjectLoad;
}
/* The logical, compare and null-test opcodes whose result is an X_BOOL
** bOperand<n>: the bOperand rule of the value texts. */
inline bool EXPR_fHasBooleanResult(uint32_t opcode)
{
    switch (opcode) {
    case EXPR_OP_LOGICAL_NOT:
    case EXPR_OP_LOGICAL_OR:
    case EXPR_OP_LOGICAL_AND:
    case EXPR_OP_LOGICAL_BEGIN_ORIF:
    case EXPR_OP_LOGICAL_BEGIN_ANDIF:
    case EXPR_OP_LOGICAL_IS_SQLNULL:
    case EXPR_OP_LOGICAL_IS_NOT_SQLNULL:
    case EXPR_OP_STRING_IS_NULL:
    case EXPR_OP_DATE_IS_NULL:
    case EXPR_OP_TIME_IS_NULL:
    case EXPR_OP_DATETIME_IS_NULL:
    case EXPR_OP_BOOLEAN_IS_TRUE:
    case EXPR_OP_BOOLEAN_IS_FALSE:
    case EXPR_OP_BOOLEAN_IS_NULL: return true;
    default: break;
    }
    const ExprOpTraits& t = EXPR_OpTraits(opcode);
    if (t.kind == ExprOpKind::Compare)
        return t.value != ExprValue::Variant && t.value != ExprValue::Binary;
    if (t.kind == ExprOpKind::IsNull)
        return t.value != ExprValue::Variant;
    return false;
}
/* The null tests that a command routine without a result declares
** "X_BOOL bResult;" for. */
bool EXPR_fIsNullTest(uint32_t opcode);

#endif
