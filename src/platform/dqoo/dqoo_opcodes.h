// The p-code opcodes the object layer's compiler writes, with the numbering
// of the run-time evaluator (the generator's opcode catalogue names them).
// Families are laid out in fixed steps, so most numbers are a base plus the
// place of a value type or a comparator.
#ifndef DQOV_PLATFORM_DQOO_OPCODES_H
#define DQOV_PLATFORM_DQOO_OPCODES_H

#include <cstdint>

namespace dqoo::op {

// Constants.
constexpr uint32_t kPushInt32AsLong = 1, kPushInt32AsLongLong = 2, kPushInt32AsDouble = 3;
constexpr uint32_t kPushInt64AsLongLong = 9, kPushInt64AsDouble = 10;
constexpr uint32_t kPushPackedAsDouble = 20;
constexpr uint32_t kPushStringConstant = 26;  // +1 AS_DATE, +2 AS_TIME, +3 AS_DATETIME
constexpr uint32_t kPushStringLoval = 185, kPushStringHival = 186;
constexpr uint32_t kPushDecimalLoval = 187, kPushDecimalHival = 188;

// Field vectors.
constexpr uint32_t kPushPackedAsLong = 64;  // +1 LONGLONG, +2 DOUBLE
constexpr uint32_t kPushSignedAsLong = 96;
constexpr uint32_t kVector2Step = 16;  // the VECTOR2 push of a field held with its
                                       // full field information
constexpr uint32_t kPushAlphaAsAlpha = 142, kPushAlphaAsString = 143;
constexpr uint32_t kPushStringAsString = 148, kPushBlobAsString = 152, kPushClobAsString = 156;
constexpr uint32_t kPushBinaryAsBinary = 160;
constexpr uint32_t kPushDateAsDate = 164, kPushTimeAsTime = 166, kPushDateTimeAsDateTime = 168;
constexpr uint32_t kPushVectorAsStackVector = 182;
// Integer, floating-point and boolean fields, pushed as what they hold.
constexpr uint32_t kPushInt8AsInt32 = 128, kPushIntU8AsInt32 = 130, kPushInt16AsInt32 = 132, kPushInt32AsInt32 = 134,
                   kPushInt64AsInt64 = 136;
constexpr uint32_t kPushFloat32AsFloat64 = 138, kPushFloat64AsFloat64 = 140;
constexpr uint32_t kPushBooleanAsBoolean = 170;

// Coercions, logic, comparisons, tests, arithmetic.
constexpr uint32_t kCoerceDateToDateTime = 390, kCoerceTimeToDateTime = 392;
// +LONG LONGLONG DOUBLE (the numeric the arithmetic is done in)
constexpr uint32_t kCoerceInt32ToLong = 348, kCoerceInt64ToLong = 358;
constexpr uint32_t kCoerceFloat64ToLong = 368, kCoerceFloat64ToLongLong = 369, kCoerceFloat64ToDecimal = 370;
constexpr uint32_t kCoerceDecimalToDouble = 340;
// +INT32 INT64 FLOAT64 (the type a field is stored from)
constexpr uint32_t kCoerceLongToInt32 = 293, kCoerceLongLongToInt32 = 303, kCoerceDoubleToInt32 = 313;
constexpr uint32_t kLogicalNot = 768, kLogicalOr = 769, kLogicalAnd = 770;
constexpr uint32_t kBeginOrIf = 771, kEndOrIf = 772, kBeginAndIf = 773, kEndAndIf = 774;
constexpr uint32_t kCompareLong = 800, kCompareLongLong = 806, kCompareDouble = 812;  // +EQ LT LE GT GE NE
constexpr uint32_t kCompareDate = 860, kCompareTime = 866, kCompareDateTime = 872;
constexpr uint32_t kCompareString = 878, kCompareBinary = 884;
constexpr uint32_t kIsLongNull = 912, kIsLongLongNull = 913, kIsDoubleNull = 914;
constexpr uint32_t kIsDateNull = 922, kIsTimeNull = 923, kIsDateTimeNull = 924, kIsStringNull = 926,
                   kIsBinaryNull = 927;
constexpr uint32_t kLongPlus = 928, kLongLongPlus = 932, kDoublePlus = 936;  // +PLUS MINUS DIVIDE MULTIPLY
constexpr uint32_t kRoundHalfUpDouble = 969;
constexpr uint32_t kBooleanIsTrue = 1195;
constexpr uint32_t kEvaluateSystemVariable = 1056;

// When groups: +the place of the type among the subject types.
constexpr uint32_t kWhenSubject = 992, kWhenTrue = 1008, kWhenAllFalse = 1024;
constexpr uint32_t kSubjectLoad = 65536;
constexpr uint32_t kSubjectLong = 0, kSubjectLongLong = 1, kSubjectDouble = 2, kSubjectDate = 11, kSubjectTime = 12,
                   kSubjectDateTime = 13, kSubjectString = 14;

// Pulls.
constexpr uint32_t kPullIdentical = 736;
enum PullSource {
    FromLong,
    FromLongLong,
    FromDouble,
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
// One row per target layout; 0 where the layout has no such pull. 'p' and
// 's' are the VECTOR2 forms of packed and signed fields held with their
// full field information. The VECTOR form has no SQL-null pull: its row
// names the VECTOR2 one, whose clear ends the program under strict SQL-null
// assignment.
struct PullRow {
    char layout;  // 'P' packed, 'S' signed, 'A' alpha, '1' string, '2' binary, '3' LOB,
                  // 'E' date, 'M' time, 'Z' datetime, 'b' 'u' 'h' 'i' 'l' integers of 1
                  // (signed, unsigned), 2, 4 and 8 bytes, 'f' 'd' floats of 4 and 8
                  // bytes, 'Y' boolean
    // The integer and float rows pull the value the arithmetic's numeric
    // was coerced to (INT32, INT64 or FLOAT64) from any of the three.
    uint32_t op[PullSourceCount];
};
constexpr PullRow kPulls[] = {
    {'P', {432, 435, 438, 0, 0, 0, 0, 0, 454, 487, 455, 456, 0}},
    {'S', {496, 499, 502, 0, 0, 0, 0, 0, 518, 551, 519, 520, 0}},
    {'p', {464, 467, 470, 0, 0, 0, 0, 0, 486, 487, 488, 489, 0}},
    {'s', {528, 531, 534, 0, 0, 0, 0, 0, 550, 551, 552, 553, 0}},
    {'A', {0, 0, 0, 619, 0, 0, 0, 0, 621, 0, 622, 623, 624}},
    {'1', {0, 0, 0, 625, 0, 0, 0, 0, 627, 628, 629, 630, 631}},
    {'2', {0, 0, 0, 632, 633, 0, 0, 0, 635, 636, 637, 638, 639}},
    {'3', {0, 0, 0, 640, 0, 0, 0, 0, 642, 643, 644, 645, 646}},
    {'E', {0, 0, 0, 0, 0, 600, 0, 601, 602, 603, 604, 605, 0}},
    {'M', {0, 0, 0, 0, 0, 0, 606, 607, 608, 609, 610, 611, 0}},
    {'Z', {0, 0, 0, 0, 0, 612, 613, 614, 615, 616, 617, 618, 0}},
    {'b', {560, 560, 560, 0, 0, 0, 0, 0, 561, 562, 563, 564, 0}},
    {'u', {565, 565, 565, 0, 0, 0, 0, 0, 566, 567, 568, 569, 0}},
    {'h', {570, 570, 570, 0, 0, 0, 0, 0, 571, 572, 573, 574, 0}},
    {'i', {575, 575, 575, 0, 0, 0, 0, 0, 576, 577, 578, 579, 0}},
    {'l', {580, 580, 580, 0, 0, 0, 0, 0, 581, 582, 583, 584, 0}},
    {'f', {585, 585, 585, 0, 0, 0, 0, 0, 586, 587, 588, 589, 0}},
    {'d', {590, 590, 590, 0, 0, 0, 0, 0, 591, 592, 593, 594, 0}},
    {'Y', {0, 0, 0, 0, 0, 0, 0, 0, 596, 597, 598, 599, 0, 595}},
};

}  // namespace dqoo::op

#endif
