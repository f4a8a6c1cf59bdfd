// Portable twin of the platform's eight-field date-time record (Win32's SYSTEMTIME),
// field for field, so that win/ code converts it member by member.
#pragma once
#include <cstdint>

namespace velkaro {

struct DateTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
};

// One reading of the device clock: what "now" means to the rules that depend
// on it. Read once by the caller and handed down, so that everything computed
// from it agrees and stays reproducible.
struct ClockReading {
    DateTime Utc;
    DateTime Local;
    int BiasMinutes = 0;  // minutes to add to local standard time to get UTC (Tokyo: -540)
};

inline DateTime MakeTime(int year, int month, int day, int hour = 0, int minute = 0) {
    DateTime t;
    t.wYear = static_cast<uint16_t>(year);
    t.wMonth = static_cast<uint16_t>(month);
    t.wDay = static_cast<uint16_t>(day);
    t.wHour = static_cast<uint16_t>(hour);
    t.wMinute = static_cast<uint16_t>(minute);
    return t;
}

}  // namespace velkaro
