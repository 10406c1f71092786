// The injectable clock and the seeded identifier source.
#include "platform/dqoz/dqoz.h"

#include <gtest/gtest.h>

#include "scoped_env.h"

#include <cstdlib>
#include <cstring>

namespace {

unsigned long NewYearClock(DQOZ_DATETIME* pdt)
{
    *pdt = DQOZ_DATETIME{};
    pdt->year = 2001;
    pdt->month = 1;
    pdt->day = 1;
    return DQOZ_NO_ERROR;
}

TEST(DqozClock, FixedTimeFromTheEnvironmentAndTheHook)
{
    ScopedEnv fixed("DQOV_FIXED_TIME", "20240229235958");
    DQOZ_DATETIME dt{};
    ASSERT_EQ(DosGetDateTime(&dt), DQOZ_NO_ERROR);
    EXPECT_EQ(dt.year, 2024);
    EXPECT_EQ(dt.month, 2);
    EXPECT_EQ(dt.day, 29);
    EXPECT_EQ(dt.hours, 23);
    EXPECT_EQ(dt.minutes, 59);
    EXPECT_EQ(dt.seconds, 58);
    EXPECT_EQ(dt.weekday, 4);  // a Thursday

    DosSetClockHook(NewYearClock);
    ASSERT_EQ(DosGetDateTime(&dt), DQOZ_NO_ERROR);
    EXPECT_EQ(dt.year, 2001);
    DosSetClockHook(nullptr);

    // Not a real date: the host clock is used instead.
    fixed.set("20230229120000");
    ASSERT_EQ(DosGetDateTime(&dt), DQOZ_NO_ERROR);
    EXPECT_GE(dt.year, 2024);
    EXPECT_EQ(DosGetDateTime(nullptr), DQOZ_ERROR_INVALID_PARAMETER);
}

bool SameGuid(const DQOZ_GUID& a, const DQOZ_GUID& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(DqozGuid, SeedGivesTheSameSequenceAndRandomOnesDiffer)
{
    setenv("DQOV_GUID_SEED", "42", 1);
    DQOZ_GUID a1, a2, b1, b2;
    DosCreateGuid(&a1);
    DosCreateGuid(&a2);
    DosSetGuidSeed(1, 42);  // restart the same sequence explicitly
    DosCreateGuid(&b1);
    DosCreateGuid(&b2);
    DosSetGuidSeed(0, 0);  // back to the variable, which starts over too
    DQOZ_GUID c1;
    DosCreateGuid(&c1);
    EXPECT_TRUE(SameGuid(a1, c1));
    EXPECT_FALSE(SameGuid(a1, a2));
    unsetenv("DQOV_GUID_SEED");

    DosSetGuidSeed(1, 42);
    DosCreateGuid(&b1);
    DosSetGuidSeed(0, 0);
    EXPECT_TRUE(SameGuid(a1, b1));

    DQOZ_GUID r1, r2;
    DosCreateGuid(&r1);
    DosCreateGuid(&r2);
    EXPECT_FALSE(SameGuid(r1, r2));
    for (const DQOZ_GUID* g : {&a1, &a2, &r1}) {
        EXPECT_EQ(g->data3 >> 12, 4) << "version 4";
        EXPECT_EQ(g->data4[0] >> 6, 2) << "RFC 4122 variant";
    }
}

}  // namespace
