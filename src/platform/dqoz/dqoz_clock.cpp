/*
** DosGetDateTime with a clock that tests and reproducible runs can fix.
*/
#include "platform/dqoz/dqoz.h"
#include "platform/dqoz/dqoz_internal.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

std::atomic<DQOZ_CLOCK_HOOK> g_clockHook{nullptr};

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (m == 2 && IsLeapYear(y)) ? 29 : kDays[m - 1];
}

/* Day of the week, 0 = Sunday (Sakamoto's method). */
int Weekday(int y, int m, int d)
{
    static constexpr int kOffset[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (m < 3)
        y -= 1;
    return (y + y / 4 - y / 100 + y / 400 + kOffset[m - 1] + d) % 7;
}

/* Reads "YYYYMMDDhhmmss"; false when it is not exactly that or not a real
** date and time. */
bool ParseFixedTime(const char* text, DQOZ_DATETIME* pdt)
{
    if (std::strlen(text) != 14)
        return false;
    int v[14];
    for (int i = 0; i < 14; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        v[i] = text[i] - '0';
    }
    int year = v[0] * 1000 + v[1] * 100 + v[2] * 10 + v[3];
    int month = v[4] * 10 + v[5];
    int day = v[6] * 10 + v[7];
    int hour = v[8] * 10 + v[9];
    int minute = v[10] * 10 + v[11];
    int second = v[12] * 10 + v[13];
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
        second > 59)
        return false;
    *pdt = DQOZ_DATETIME{};
    pdt->year = static_cast<uint16_t>(year);
    pdt->month = static_cast<uint8_t>(month);
    pdt->day = static_cast<uint8_t>(day);
    pdt->hours = static_cast<uint8_t>(hour);
    pdt->minutes = static_cast<uint8_t>(minute);
    pdt->seconds = static_cast<uint8_t>(second);
    pdt->weekday = static_cast<uint8_t>(Weekday(year, month, day));
    pdt->timezone = 0;
    return true;
}

unsigned long HostDateTime(DQOZ_DATETIME* pdt)
{
    struct timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    struct tm tm;
    if (localtime_r(&ts.tv_sec, &tm) == nullptr)
        return dqoz::Fail(DQOZ_ERROR_INVALID_PARAMETER, "the host clock cannot be read");
    pdt->year = static_cast<uint16_t>(tm.tm_year + 1900);
    pdt->month = static_cast<uint8_t>(tm.tm_mon + 1);
    pdt->day = static_cast<uint8_t>(tm.tm_mday);
    pdt->hours = static_cast<uint8_t>(tm.tm_hour);
    pdt->minutes = static_cast<uint8_t>(tm.tm_min);
    pdt->seconds = static_cast<uint8_t>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    pdt->hundredths = static_cast<uint8_t>(ts.tv_nsec / 10000000L);
    pdt->weekday = static_cast<uint8_t>(tm.tm_wday);
    pdt->timezone = static_cast<int16_t>(-tm.tm_gmtoff / 60);
    return DQOZ_NO_ERROR;
}

}  // namespace

extern "C" unsigned long DosGetDateTime(DQOZ_DATETIME* pdt)
{
    if (pdt == nullptr)
        return dqoz::Fail(DQOZ_ERROR_INVALID_PARAMETER, "no place for the date and time");
    if (DQOZ_CLOCK_HOOK hook = g_clockHook.load(); hook != nullptr)
        return hook(pdt);
    if (const char* fixed = std::getenv("DQOV_FIXED_TIME"); fixed != nullptr && ParseFixedTime(fixed, pdt))
        return DQOZ_NO_ERROR;
    return HostDateTime(pdt);
}

extern "C" void DosSetClockHook(DQOZ_CLOCK_HOOK pfnClock)
{
    g_clockHook.store(pfnClock);
}
