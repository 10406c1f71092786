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
