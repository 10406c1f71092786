// The release library's forwarders of the math functions: each must reach
// the math library's function of its own name and arity. The values below
// are exact in binary floating point (or the nearest double, for atan2 and
// acos), so they are compared exactly. The inputs are volatile so that the
// compiler cannot work the answers out itself and skip the calls.
#include <gtest/gtest.h>

extern "C" {
double acos(double);
double acosh(double);
double asin(double);
double asinh(double);
double atan(double);
double atanh(double);
double cos(double);
double cosh(double);
double exp(double);
double log(double);
double sin(double);
double sinh(double);
double sqrt(double);
double tan(double);
double tanh(double);
double trunc(double);
double atan2(double, double);
double fmod(double, double);
double pow(double, double);
}

namespace {

volatile double zero = 0.0;
volatile double one = 1.0;

TEST(LibraryMath, OneArgumentFunctionsGiveTheirOwnValues)
{
    volatile double sixteen = 16.0;
    volatile double minusTwoPointSeven = -2.7;
    volatile double minusOne = -1.0;
    EXPECT_EQ(sqrt(sixteen), 4.0);
    EXPECT_EQ(trunc(minusTwoPointSeven), -2.0);
    EXPECT_EQ(exp(zero), 1.0);
    EXPECT_EQ(log(one), 0.0);
    EXPECT_EQ(cos(zero), 1.0);
    EXPECT_EQ(cosh(zero), 1.0);
    EXPECT_EQ(acosh(one), 0.0);
    EXPECT_EQ(asin(zero), 0.0);
    EXPECT_EQ(asinh(zero), 0.0);
    EXPECT_EQ(atan(zero), 0.0);
    EXPECT_EQ(atanh(zero), 0.0);
    EXPECT_EQ(sin(zero), 0.0);
    EXPECT_EQ(sinh(zero), 0.0);
    EXPECT_EQ(tan(zero), 0.0);
    EXPECT_EQ(tanh(zero), 0.0);
    // acos(-1) is pi, and no other function here gives it
    EXPECT_EQ(acos(minusOne), 3.141592653589793);
}

TEST(LibraryMath, TwoArgumentFunctionsTakeTheirArgumentsInOrder)
{
    volatile double two = 2.0;
    volatile double ten = 10.0;
    volatile double sevenAndAHalf = 7.5;
    EXPECT_EQ(pow(two, ten), 1024.0);
    EXPECT_EQ(pow(ten, two), 100.0);
    EXPECT_EQ(fmod(sevenAndAHalf, two), 1.5);
    EXPECT_EQ(fmod(two, sevenAndAHalf), 2.0);
    // atan2(y, x): the angle of (x, y); (0, 1) lies at a right angle
    EXPECT_EQ(atan2(one, zero), 1.5707963267948966);
    EXPECT_EQ(atan2(zero, one), 0.0);
}

}  // namespace
