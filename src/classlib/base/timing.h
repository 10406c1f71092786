// Small services around generation runs: an elapsed-time timer, a stack of
// working directories, the ISO-8601 time stamp and its zone offset, the
// packed date-time value, and the apartment guard of the document layer.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classlib/base/lstrings.h"

// Elapsed time since a start, in whole seconds. The start lives in the
// timer's implementation; a copy gets its own implementation with the same
// start.
class LTimerImpl {
public:
    explicit LTimerImpl(int64_t start) : m_start(start) {}
    virtual ~LTimerImpl() = default;
    int64_t start() const { return m_start; }
    void setStart(int64_t start) { m_start = start; }

private:
    int64_t m_start;  // milliseconds of a steady clock
};

class LTimer {
public:
    LTimer();
    LTimer(const LTimer& other);
    LTimer& operator=(const LTimer& other);
    virtual ~LTimer() = default;
    // Sets the start to now and returns it (milliseconds of a steady clock).
    int64_t restart();
    // Whole seconds since the start (the remainder is dropped).
    double elapsedSeconds() const;

private:
    std::unique_ptr<LTimerImpl> m_impl;
};

class LDirStack {
public:
    LDirStack() = default;
    LDirStack(const LDirStack&) = delete;
    LDirStack& operator=(const LDirStack&) = delete;
    // Unwinds: the process ends in the directory current at the first push.
    virtual ~LDirStack();
    // Changes to directory; false (and nothing recorded) when that fails.
    bool pushd(const char* directory);
    // Changes back to the directory saved last; false when empty or failed.
    bool popd();

private:
    std::vector<std::string> m_saved;
};

struct LZoneOffset {
    char sign = '?';
    int32_t hours = 0;
    int32_t minutes = 0;
};

// The offset of local time from UTC now, daylight saving time included;
// sign '?' when the zone cannot be told.
LZoneOffset P3142_GetZoneOffset();
// The offset for a bias in minutes (UTC = local time + bias).
LZoneOffset P3142_ZoneOffsetFromBias(int32_t biasMinutes);
// The current local time as "YYYY-MM-DDThh:mm:ss+hh:mm".
LCharBuffer P3142_FormatIsoTimestamp();

struct LDateTime {
    uint32_t date = 0;  // year*10000 + month*100 + day
    uint32_t time = 0;  // ((hour*100 + minute)*100 + second)*1000 + milliseconds
    LDateTime() = default;
    LDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond)
        : date(static_cast<uint32_t>(year * 10000 + month * 100 + day)),
          time(static_cast<uint32_t>(((hour * 100 + minute) * 100 + second) * 1000 + millisecond))
    {}
};

// Entered by the web generation around its work; here it makes sure the XML
// libraries are initialised once and has nothing to leave. Defined with the
// documents (classlib/xml/dom_holder.cpp), in the web library.
class LComApartment {
public:
    LComApartment();
    LComApartment(const LComApartment&) = delete;
    LComApartment& operator=(const LComApartment&) = delete;
    ~LComApartment() = default;
};
