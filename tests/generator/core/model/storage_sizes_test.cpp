// Storage sizes and machine types by kind and length, over every kind and
// every length where the rule changes: the storage size of a member of each
// type letter, and the fast type of a numeric work field (a 32-bit long
// below ten digits without decimals, a double from ten digits on).
#include "generator/core/gen_fixture.h"

#include "generator/core/model/field_info.h"
#include "generator/core/model/field_types.h"

namespace gencore_test {
namespace {

uint32_t storageSize(char type, int32_t length, int16_t decimals = 0, bool nullable = false, bool national = false)
{
    uint32_t size = 0xDEAD;
    P3109_GetFieldStorageSize(type, length, decimals, nullable, false, national, size);
    return size;
}

// Packed: half the digits and one byte (the sign's half byte), 11 more
// from 31 digits on, from 10 decimals on and for a nullable field; signed:
// a byte a digit, the same 11 more.
TEST(StorageSizes, PackedAndSignedAtEveryLength)
{
    for (int32_t n = 1; n <= 63; ++n) {
        const uint32_t extra = n >= 31 ? 11 : 0;
        EXPECT_EQ(storageSize('P', n), static_cast<uint32_t>(n / 2 + 1) + extra) << "P " << n;
        EXPECT_EQ(storageSize('S', n), static_cast<uint32_t>(n) + extra) << "S " << n;
        EXPECT_EQ(storageSize('P', n, 0, true), static_cast<uint32_t>(n / 2 + 1 + 11)) << "nullable P " << n;
        EXPECT_EQ(storageSize('S', n, 0, true), static_cast<uint32_t>(n + 11)) << "nullable S " << n;
    }
    for (int16_t d = 0; d <= 12; ++d) {
        const uint32_t extra = d > 9 ? 11 : 0;
        EXPECT_EQ(storageSize('P', 15, d), 8u + extra) << "decimals " << d;
        EXPECT_EQ(storageSize('S', 15, d), 15u + extra) << "decimals " << d;
    }
    EXPECT_EQ(storageSize('P', 30), 16u);
    EXPECT_EQ(storageSize('P', 31), 27u);
    EXPECT_EQ(storageSize('S', 30), 30u);
    EXPECT_EQ(storageSize('S', 31), 42u);
}

// A packed or signed field is a big decimal (held with its field
// information) from 31 digits, from 10 decimals, or with the extended flag.
TEST(StorageSizes, BigDecimalsFromThirtyOneDigitsOrTenDecimals)
{
    for (char type : {'P', 'S'}) {
        EXPECT_FALSE(P3109_fIsBigDecimal(type, 30, 0, false)) << type;
        EXPECT_TRUE(P3109_fIsBigDecimal(type, 31, 0, false)) << type;
        EXPECT_FALSE(P3109_fIsBigDecimal(type, 15, 9, false)) << type;
        EXPECT_TRUE(P3109_fIsBigDecimal(type, 15, 10, false)) << type;
        EXPECT_TRUE(P3109_fIsBigDecimal(type, 5, 0, true)) << type;
    }
    EXPECT_FALSE(P3109_fIsBigDecimal('A', 40, 0, true));
    EXPECT_FALSE(P3109_fIsBigDecimal('I', 8, 0, false));
}

// Floats: 12 bytes for the 4-byte float, 16 for the 8-byte one; integers
// 12 for 1, 2 and 4 bytes (signed or not), 16 for 8; an integer of another
// length leaves the value as it was.
TEST(StorageSizes, FloatsAndIntegersByTheirBytes)
{
    EXPECT_EQ(storageSize('F', 4), 12u);
    EXPECT_EQ(storageSize('F', 8), 16u);
    for (int32_t n : {1, 2, 4}) {
        EXPECT_EQ(storageSize('I', n), 12u) << n;
        uint32_t size = 0;
        P3109_GetFieldStorageSize('I', n, 0, false, true, false, size);
        EXPECT_EQ(size, 12u) << "unsigned " << n;
    }
    EXPECT_EQ(storageSize('I', 8), 16u);
    for (int32_t n : {0, 3, 5, 6, 7, 9, 16})
        EXPECT_EQ(storageSize('I', n), 0xDEADu) << n;
}

// Every other type letter by the table: the varying, binary and large
// kinds by their structures, the short character field its length and 12,
// the rest their length.
TEST(StorageSizes, EveryOtherKind)
{
    struct Case {
        char type;
        int32_t length;
        bool national;
        uint32_t size;
    };
    const Case cases[] = {
        {'H', 20, false, 16}, {'H', 20, true, 20}, {'1', 300, false, 16}, {'1', 300, true, 20},
        {'B', 10, false, 16}, {'2', 4000, false, 16}, {'3', 1, false, 268}, {'4', 99999, false, 268},
        {'E', 10, false, 20}, {'M', 8, false, 20},   {'Z', 29, false, 40},   {'Y', 1, false, 12},
        {'U', 1, false, 13},  {'U', 12, false, 24},  {'U', 32, false, 44},   {'A', 1, false, 1},
        {'A', 256, false, 256}, {'L', 4, false, 4},  {'D', 8, false, 8},
    };
    for (const Case& c : cases)
        EXPECT_EQ(storageSize(c.type, c.length, 0, false, c.national), c.size) << c.type << " " << c.length;
}

// The structure and value member of a field that needs extended handling,
// by type letter and length: integers by their bytes (1 signed or not, 2,
// 4, 8; any other length unknown), floats of 4 bytes and of any other
// length; a classic field has none.
TEST(KindNames, ByTypeLetterAndLength)
{
    struct Case {
        char type;
        int32_t length;
        bool isUnsigned, national;
        const char* kind;
        const char* member;
    };
    const Case cases[] = {
        {'I', 1, false, false, "X_FLD_INT8", "iInt8"},     {'I', 1, true, false, "X_FLD_UINT8", "uiInt8"},
        {'I', 2, false, false, "X_FLD_INT16", "iInt16"},   {'I', 4, false, false, "X_FLD_INT32", "iInt32"},
        {'I', 8, false, false, "X_FLD_INT64", "iInt64"},   {'I', 3, false, false, "X_FLD_UNKNOWN", "lValueNameUnknown"},
        {'F', 4, false, false, "X_FLD_FLT32", "dFloat32"}, {'F', 8, false, false, "X_FLD_FLT64", "dFloat64"},
        {'H', 20, false, false, "X_FLD_CHAR", "pvData"},   {'1', 20, false, true, "X_FLD_NCHAR", "pvData"},
        {'B', 10, false, false, "X_FLD_BINARY", "pvData"}, {'3', 0, false, false, "X_FLD_CLOB", "vchFileName"},
        {'4', 0, false, false, "X_FLD_BLOB", "vchFileName"}, {'E', 10, false, false, "X_FLD_DATE", "vchDate"},
        {'M', 8, false, false, "X_FLD_TIME", "vchTime"},   {'Z', 29, false, false, "X_FLD_DATETIME", "vchDateTime"},
        {'U', 12, false, false, "X_FLD_SHORT_CHAR", "vchData"}, {'Y', 1, false, false, "X_FLD_BOOL", "fBool"},
        {'P', 31, false, false, "X_FLD_PACKED", "fchData"}, {'S', 31, false, false, "X_FLD_SIGNED", "fchData"},
    };
    for (const Case& c : cases) {
        GEN_FIELD_INFO f;
        f.cType = c.type;
        f.lLength = c.length;
        f.alFlags[GEN_FLAG_UNSIGNED] = c.isUnsigned ? 1 : 0;
        f.alFlags[GEN_FLAG_NATIONAL] = c.national ? 1 : 0;
        EXPECT_STREQ(P3109_pszFieldKindName(f), c.kind) << c.type << " " << c.length;
        EXPECT_STREQ(P3109_pszValueMemberName(f), c.member) << c.type << " " << c.length;
    }
    /* a classic packed field of 7 digits needs no extended handling */
    GEN_FIELD_INFO classic;
    classic.cType = 'P';
    classic.lLength = 7;
    EXPECT_STREQ(P3109_pszFieldKindName(classic), "X_FLD_UNKNOWN");
    EXPECT_STREQ(P3109_pszValueMemberName(classic), "lValueNameUnknown");
}

class WorkTypes : public GenFixture {
protected:
    void SetUp() override
    {
        GenFixture::SetUp();
        setUp();
    }
    GEN_FIELD_INFO numeric(char type, int32_t length, int16_t decimals, char fast = 'Y')
    {
        GEN_FIELD_INFO f;
        f.fieldName = "WORKFLD   ";
        f.cType = type;
        f.lLength = length;
        f.sDecimals = decimals;
        f.cFastMaths = fast;
        return f;
    }
};

// A whole number of up to nine digits is computed as a 32-bit long (4
// bytes); of ten digits and more, or with decimals, as a double (8 bytes):
// ten nines do not fit 32 bits.
TEST_F(WorkTypes, TenDigitsAreNoLongerALong)
{
    for (char type : {'P', 'S'}) {
        for (int32_t n = 1; n <= 18; ++n) {
            GEN_FIELD_INFO f = numeric(type, n, 0);
            const char chosen = P3109_chChooseWorkFieldType(f);
            EXPECT_EQ(chosen, n < 10 ? 'L' : 'D') << type << " " << n;
            EXPECT_EQ(f.cType, chosen);
            EXPECT_EQ(f.usByteLength, n < 10 ? 4 : 8) << type << " " << n;
        }
        GEN_FIELD_INFO f = numeric(type, 9, 1);
        EXPECT_EQ(P3109_chChooseWorkFieldType(f), 'D');
        EXPECT_EQ(f.usByteLength, 8);
    }
    /* without fast maths the type stays */
    GEN_FIELD_INFO slow = numeric('P', 5, 0, 'N');
    EXPECT_EQ(P3109_chChooseWorkFieldType(slow), 'P');
    GEN_FIELD_INFO alpha = numeric('A', 5, 0);
    EXPECT_EQ(P3109_chChooseWorkFieldType(alpha), 'A');
}

}  // namespace
}  // namespace gencore_test
