// Fixed-field helpers and the allocators.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "dqov/runcontrol/fix.h"
#include "dqov/runcontrol/messages.h"

namespace {

TEST(Fix, MovesKeepTheRestOfTheTarget)
{
    char t[8];
    std::memcpy(t, "........", 8);
    FIX_MoveLeft("abc", 3, t, 8);
    EXPECT_EQ(std::string(t, 8), "abc.....");
    FIX_MoveLeftE("0123456789", 10, t, 8);
    EXPECT_EQ(std::string(t, 8), "01234567");

    std::memcpy(t, "........", 8);
    FIX_MoveRight("abc", 3, t, 8);
    EXPECT_EQ(std::string(t, 8), ".....abc");
    FIX_MoveRightB("0123456789", 10, t, 8);
    EXPECT_EQ(std::string(t, 8), "23456789");
}

TEST(Fix, Fills)
{
    char t[4];
    FIX_FillBlanksD(t, 4);
    EXPECT_EQ(std::string(t, 4), "    ");
    FIX_FillHighValues(t, 4);
    EXPECT_EQ(std::string(t, 4), std::string(4, '\xFF'));
    FIX_FillLowValues(t, 4);
    EXPECT_EQ(std::string(t, 4), std::string(4, '\0'));
}

TEST(Fix, DigitConversions)
{
    int32_t v = -1;
    EXPECT_EQ(FIX_lDigitsToLong("0000123", 7, &v), 123);
    EXPECT_EQ(v, 123);
    EXPECT_EQ(FIX_lDigitsToLong("0000000", 7, &v), 0);
    EXPECT_EQ(FIX_lDigitsToLong("7", 1, nullptr), 7);

    char d[8];
    std::memcpy(d, "xxxxxxxx", 8);
    int32_t n = 42;
    FIX_LongToDigits(&n, 4, d);
    EXPECT_EQ(std::string(d, 8), "0042xxxx");
    n = 1234567;
    FIX_LongToDigits(&n, 3, d);
    EXPECT_EQ(std::string(d, 3), "567") << "the rightmost digits";

    char z[24];
    EXPECT_EQ(std::string(z, FIX_ulZeroPadded(42, 4, z)), "0042");
    EXPECT_EQ(std::string(z, FIX_ulZeroPadded(-42, 7, z)), "-000042") << "the sign counts in the width";
    EXPECT_EQ(std::string(z, FIX_ulZeroPadded(12345678, 7, z)), "12345678") << "a wider value is not cut";
    EXPECT_EQ(std::string(z, FIX_ulZeroPadded(0, 0, z)), "0");
    EXPECT_EQ(std::string(z, FIX_ulZeroPadded(INT64_MIN, 4, z)), "-9223372036854775808");

    std::memcpy(d, "        ", 8);
    n = 7;
    FIX_MoveLongRight(&n, 3, d, 8);
    EXPECT_EQ(std::string(d, 8), "     007");

    double x = 0;
    EXPECT_DOUBLE_EQ(FIX_dDigitsToDouble("012345", 6, 2, &x), 123.45);
    x = 123.456;
    FIX_DoubleToDigits(&x, 6, 2, d);
    EXPECT_EQ(std::string(d, 6), "012346");
}

TEST(Fix, CentreText)
{
    char t[10];
    std::memcpy(t, "ab        ", 10);
    FIX_CentreText(nullptr, t, 10, 'Y');
    EXPECT_EQ(std::string(t, 10), "    AB    ");
}

TEST(Fix, LoadPaddedBufferPadsAndRefusesLongerSources)
{
    char t[6];
    ASSERT_EQ(LoadPaddedBuffer(t, 6, "abc", 3), 0);
    EXPECT_EQ(std::string(t, 6), "abc   ");
    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    P31O2_SetBaseColour(4);
    testing::internal::CaptureStdout();
    EXPECT_EQ(LoadPaddedBuffer(t, 6, "abcdefgh", 8), -1);
    std::string out = testing::internal::GetCapturedStdout();
    FFC_Set_Run_Mode(0);
    EXPECT_EQ(out, "<BLU>Error in LoadPaddedBuffer:Source len=8 greaterthan target len=6\r\n");
    EXPECT_EQ(std::string(t, 6), "abc   ") << "the target is left as it was";
}

TEST(Fix, Allocators)
{
    auto* z = static_cast<unsigned char*>(MEM_pAllocZeroed(16));
    ASSERT_NE(z, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(z[i], 0);
    std::free(z);
    auto* f = static_cast<unsigned char*>(MEM_pAllocFilled(16, ' '));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(f), 16), std::string(16, ' '));
    std::free(f);
}

TEST(Fix, ExhaustedStorageIssuesMessage510)
{
    FFC_Set_Run_Mode(FFC_RUN_MODE_TOOLS);
    P31O2_SetBaseColour(1);
    testing::internal::CaptureStdout();
    void* p = MEM_pAllocZeroed(static_cast<size_t>(1) << 62);
    void* q = MEM_pAllocFilled(static_cast<size_t>(1) << 62, 'x');
    std::string out = testing::internal::GetCapturedStdout();
    FFC_Set_Run_Mode(0);
    P31O2_SetBaseColour(4);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(q, nullptr);
    EXPECT_EQ(out, "<RED>Out of storage\r\n<RED>Out of storage\r\n");
}

}  // namespace
