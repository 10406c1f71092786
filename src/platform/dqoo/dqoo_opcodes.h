// The p-code opcodes the object layer's compiler writes, with the numbering
// of the run-time evaluator (the generator's opcode catalogue names them).
// Families are laid out in fixed steps, so most numbers are a base plus the
// place of a value type or a comparator.
#ifndef DQOV_PLATFORM_DQOO_OPCODES_H
#define DQOV_PLATFORM_DQOO_OPCODES_H

#include <cstdint>

namespace dqoo::op {

// The numeric value types of the evaluator, in the order its opcode
// families list them.
enum ValueType : uint32_t { Long, LongLong, Double, Packed31, Packed63, Decimal, Int32, Int64, Float64 };
constexpr uint32_t kValueTypes = 9;

// Constants.
constexpr uint32_t kPushInt32Constant = 1;  // +LONG .. INT64
constexpr uint32_t kPushInt64ConstantAsLongLong = 9, kPushInt64ConstantAsDouble = 10, kPushInt64ConstantAsPacked31 = 11,
                   kPushInt64ConstantAsPacked63 = 12, kPushInt64ConstantAsDecimal = 13, kPushInt64ConstantAsInt64 = 14;
constexpr uint32_t kPushPackedConstantAsPacked31 = 16, kPushPackedConstantAsPacked63 = 17, kPushPackedConstantAsDecimal = 18;
constexpr uint32_t kPushPackedConstantAsLongLong = 19, kPushPackedConstantAsDouble = 20, kPushPackedConstantAsInt64 = 24;
constexpr uint32_t kPushFloat64Constant = 25;
constexpr uint32_t kPushStringConstant = 26;  // +1 AS_DATE, +2 AS_TIME, +3 AS_DATETIME
constexpr uint32_t kPushStringLoval = 185, kPushStringHival = 186;
constexpr uint32_t kPushDecimalLoval = 187, kPushDecimalHival = 188;

// Field vectors.
constexpr uint32_t kPushPackedVector = 64;  // +LONG .. INT64
constexpr uint32_t kPushSignedVector = 96;
constexpr uint32_t kVector2Step = 16;  // the VECTOR2 push of a field held with its
                                       // full field information
constexpr uint32_t kPushAlphaAsAlpha = 142, kPushAlphaAsString = 143;
constexpr uint32_t kPushStringAsString = 148, kPushBlobAsString = 152, kPushClobAsString = 156;
constexpr uint32_t kPushBinaryAsBinary = 160;
constexpr uint32_t kPushShortCharAsString = 244;
constexpr uint32_t kPushDateAsDate = 164, kPushTimeAsTime = 166, kPushDateTimeAsDateTime = 168;
constexpr uint32_t kPushVectorAsStackVector = 182;
// Integer, floating-point and boolean fields, pushed as what they hold.
constexpr uint32_t kPushInt8AsInt32 = 128, kPushIntU8AsInt32 = 130, kPushInt16AsInt32 = 132, kPushInt32AsInt32 = 134,
                   kPushInt64AsInt64 = 136;
constexpr uint32_t kPushFloat32AsFloat64 = 138, kPushFloat64AsFloat64 = 140;
constexpr uint32_t kPushBooleanAsBoolean = 170;

// Coercions, logic, comparisons, tests, arithmetic.
constexpr uint32_t kCoerceDateToDateTime = 390, kCoerceTimeToDateTime = 392;
constexpr uint32_t kLogicalNot = 768, kLogicalOr = 769, kLogicalAnd = 770;
constexpr uint32_t kBeginOrIf = 771, kEndOrIf = 772, kBeginAndIf = 773, kEndAndIf = 774;
constexpr uint32_t kCompareDate = 860, kCompareTime = 866, kCompareDateTime = 872;  // +EQ LT LE GT GE NE
constexpr uint32_t kCompareString = 878, kCompareBinary = 884, kCompareBoolean = 890;
constexpr uint32_t kIsDateNull = 922, kIsTimeNull = 923, kIsDateTimeNull = 924, kIsBooleanNull = 925,
                   kIsStringNull = 926, kIsBinaryNull = 927;
constexpr uint32_t kBooleanIsTrue = 1195;
constexpr uint32_t kEvaluateSystemVariable = 1056;

// The push of a packed or signed field as a value type (not FLOAT64).
inline uint32_t PushDecimalVector(bool signedField, bool vector2, ValueType t)
{
    return (signedField ? kPushSignedVector : kPushPackedVector) + (vector2 ? kVector2Step : 0) + t;
}

// +PLUS MINUS DIVIDE MULTIPLY; DECIMAL has no 951, its MULTIPLY is 952.
inline uint32_t Arithmetic(ValueType t, uint32_t operation)
{
    constexpr uint32_t kBase[kValueTypes] = {928, 932, 936, 940, 944, 948, 953, 957, 961};
    return t == Decimal && operation == 3 ? 952 : kBase[t] + operation;
}

// +EQ LT LE GT GE NE.
inline uint32_t Compare(ValueType t, uint32_t comparator)
{
    return 800 + 6 * static_cast<uint32_t>(t) + comparator;
}

// The test against the language's *NULL value (zero).
inline uint32_t IsNull(ValueType t)
{
    return 912 + t;
}

// Half-up rounding; 0 for the whole-number types, which have none.
inline uint32_t RoundHalfUp(ValueType t)
{
    switch (t) {
    case Double: return 969;
    case Packed31: return 970;
    case Packed63: return 971;
    case Decimal: return 972;
    case Float64: return 973;
    default: return 0;
    }
}

// A value of one numeric type made another. Each source of LONG .. INT64
// has ten opcodes: the other eight of LONG .. FLOAT64 in order, then
// VARIANT and BOOLEAN; FLOAT64 has LONG, LONGLONG, DECIMAL, INT32, INT64.
// 0 where there is no such coercion (and for a type to itself).
inline uint32_t Coerce(ValueType from, ValueType to)
{
    if (from == to)
        return 0;
    if (from == Float64) {
        switch (to) {
        case Long: return 368;
        case LongLong: return 369;
        case Decimal: return 370;
        case Int32: return 371;
        case Int64: return 372;
        default: return 0;
        }
    }
    return 288 + 10 * from + (to < from ? to : to - 1);
}

// When groups: +the place of the type among the subject types, which list
// the numeric types first in their order.
constexpr uint32_t kWhenSubject = 992, kWhenTrue = 1008, kWhenAllFalse = 1024;
constexpr uint32_t kSubjectLoad = 65536;
constexpr uint32_t kSubjectBoolean = 9, kSubjectDate = 11, kSubjectTime = 12, kSubjectDateTime = 13,
                   kSubjectString = 14;

// Pulls.
constexpr uint32_t kPullIdentical = 736, kPullIdenticalVector2 = 739, kPullIdenticalVarChar = 742,
                   kPullIdenticalBinary = 743;
enum PullSource {
    FromLong,
    FromLongLong,
    FromDouble,
    FromPacked31,
    FromPacked63,
    FromDecimal,
    FromInt32,
    FromInt64,
    FromFloat64,
    FromString,
    FromBinary,
    FromDate,
    FromTime,
    FromDateTime,
    FromNull,
    FromSqlNull,
    FromHiVal,
    FromLoVal,
    FromNAvail,
    FromBoolean,
    PullSourceCount
};
inline PullSource FromValue(ValueType t)
{
    return static_cast<PullSource>(FromLong + static_cast<int>(t));
}
// One row per target layout; 0 where the layout has no such pull. 'p' and
// 's' are the VECTOR2 forms of packed and signed fields held with their
// full field information. The VECTOR form has no SQL-null pull: its row
// names the VECTOR2 one, whose clear ends the program under strict SQL-null
// assignment; the alphanumeric field, which has no SQL-null pull either,
// takes the string's (the field is cleared, or the program ends under
// strict assignment).
struct PullRow {
    char layout;  // 'P' packed, 'S' signed, 'A' alpha, '1' string, 'U' short string, '2' binary, '3' LOB,
                  // 'E' date, 'M' time, 'Z' datetime, 'b' 'u' 'h' 'i' 'l' integers of 1
                  // (signed, unsigned), 2, 4 and 8 bytes, 'f' 'd' floats of 4 and 8
                  // bytes, 'Y' boolean
    // An integer or float field is pulled from its own value type (INT32,
    // INT64 or FLOAT64), to which the value is coerced first.
    uint32_t op[PullSourceCount];
};
constexpr PullRow kPulls[] = {
    {'P', {432, 435, 438, 441, 444, 445, 446, 449, 452, 0, 0, 0, 0, 0, 454, 487, 455, 456, 0, 0}},
    {'S', {496, 499, 502, 505, 508, 509, 510, 513, 516, 0, 0, 0, 0, 0, 518, 551, 519, 520, 0, 0}},
    {'p', {464, 467, 470, 473, 476, 477, 478, 481, 484, 0, 0, 0, 0, 0, 486, 487, 488, 489, 0, 0}},
    {'s', {528, 531, 534, 537, 540, 541, 542, 545, 548, 0, 0, 0, 0, 0, 550, 551, 552, 553, 0, 0}},
    {'A', {0, 0, 0, 0, 0, 0, 0, 0, 0, 619, 0, 0, 0, 0, 621, 628, 622, 623, 624, 0}},
    {'1', {0, 0, 0, 0, 0, 0, 0, 0, 0, 625, 0, 0, 0, 0, 627, 628, 629, 630, 631, 0}},
    {'U', {0, 0, 0, 0, 0, 0, 0, 0, 0, 648, 0, 0, 0, 0, 650, 651, 652, 653, 654, 0}},
    {'2', {0, 0, 0, 0, 0, 0, 0, 0, 0, 632, 633, 0, 0, 0, 635, 636, 637, 638, 639, 0}},
    {'3', {0, 0, 0, 0, 0, 0, 0, 0, 0, 640, 0, 0, 0, 0, 642, 643, 644, 645, 646, 0}},
    {'E', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 600, 0, 601, 602, 603, 604, 605, 0, 0}},
    {'M', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 606, 607, 608, 609, 610, 611, 0, 0}},
    {'Z', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 612, 613, 614, 615, 616, 617, 618, 0, 0}},
    {'b', {0, 0, 0, 0, 0, 0, 560, 0, 0, 0, 0, 0, 0, 0, 561, 562, 563, 564, 0, 0}},
    {'u', {0, 0, 0, 0, 0, 0, 565, 0, 0, 0, 0, 0, 0, 0, 566, 567, 568, 569, 0, 0}},
    {'h', {0, 0, 0, 0, 0, 0, 570, 0, 0, 0, 0, 0, 0, 0, 571, 572, 573, 574, 0, 0}},
    {'i', {0, 0, 0, 0, 0, 0, 575, 0, 0, 0, 0, 0, 0, 0, 576, 577, 578, 579, 0, 0}},
    {'l', {0, 0, 0, 0, 0, 0, 0, 580, 0, 0, 0, 0, 0, 0, 581, 582, 583, 584, 0, 0}},
    {'f', {0, 0, 0, 0, 0, 0, 0, 0, 585, 0, 0, 0, 0, 0, 586, 587, 588, 589, 0, 0}},
    {'d', {0, 0, 0, 0, 0, 0, 0, 0, 590, 0, 0, 0, 0, 0, 591, 592, 593, 594, 0, 0}},
    {'Y', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 596, 597, 598, 599, 0, 595}},
};

}  // namespace dqoo::op

#endif
