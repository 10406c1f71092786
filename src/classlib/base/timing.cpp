// Timer, directory stack, time stamps and the apartment guard.
#include "classlib/base/timing.h"

#include <chrono>
#include <climits>
#include <ctime>
#include <unistd.h>

#include "classlib/base/qvseam.h"
#include "platform/dqoz/dqoz.h"
#include "platform/qvutil/qvutil.h"

namespace {

// Elapsed time, not processor time: a run that waits still counts.
int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

LTimer::LTimer() : m_impl(std::make_unique<LTimerImpl>(nowMs())) {}

LTimer::LTimer(const LTimer& other) : m_impl(std::make_unique<LTimerImpl>(other.m_impl->start())) {}

LTimer& LTimer::operator=(const LTimer& other)
{
    m_impl->setStart(other.m_impl->start());
    return *this;
}

int64_t LTimer::restart()
{
    m_impl->setStart(nowMs());
    return m_impl->start();
}

double LTimer::elapsedSeconds() const
{
    return static_cast<double>((nowMs() - m_impl->start()) / 1000);
}

LDirStack::~LDirStack()
{
    while (!m_saved.empty())
        popd();
}

bool LDirStack::pushd(const char* directory)
{
    char current[PATH_MAX];
    if (!directory || !getcwd(current, sizeof current))
        return false;
    if (chdir(lqv::hostPath(directory).c_str()) != 0)
        return false;
    m_saved.emplace_back(current);
    return true;
}

bool LDirStack::popd()
{
    if (m_saved.empty())
        return false;
    std::string dir = std::move(m_saved.back());
    m_saved.pop_back();
    return chdir(dir.c_str()) == 0;
}

LZoneOffset P3142_ZoneOffsetFromBias(int32_t bias)
{
    LZoneOffset z;
    if (bias < 0) {
        z.sign = '+';
        bias = -bias;
    } else {
        z.sign = '-';  // UTC itself gives the minus sign
    }
    z.hours = bias / 60;
    z.minutes = bias % 60;
    return z;
}

LZoneOffset P3142_GetZoneOffset()
{
    time_t now = time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local))
        return LZoneOffset();
    // tm_gmtoff is the offset in force now (east of UTC positive), so a
    // time stamp made with it names the instant its local time shows.
    return P3142_ZoneOffsetFromBias(static_cast<int32_t>(-local.tm_gmtoff / 60));
}

LCharBuffer P3142_FormatIsoTimestamp()
{
    char text[90];
    DQOZ_DATETIME dt{};
    if (DosGetDateTime(&dt) == 0) {
        // The OS layer's clock gives the zone in force at that time (minutes
        // west of UTC), so a fixed test clock also fixes the offset.
        LZoneOffset z = P3142_ZoneOffsetFromBias(dt.timezone);
        UTS_snprintf(text, sizeof text, "%4.4d-%2.2d-%2.2dT%2.2d:%2.2d:%2.2d%c%2.2d:%2.2d", dt.year, dt.month, dt.day,
                     dt.hours, dt.minutes, dt.seconds, z.sign, z.hours, z.minutes);
        return LCharBuffer(text);
    }
    // Without the zone the stamp has no zone part.
    time_t now = time(nullptr);
    struct tm local;
    if (!localtime_r(&now, &local))
        return LCharBuffer();
    UTS_snprintf(text, sizeof text, "%4.4d-%2.2d-%2.2dT%2.2d:%2.2d:%2.2d", local.tm_year + 1900, local.tm_mon + 1,
                 local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return LCharBuffer(text);
}
