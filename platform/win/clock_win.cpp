#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "platform/clock.h"

namespace velkaro {
namespace {

SYSTEMTIME FromWin(const ::SYSTEMTIME& w) {
    SYSTEMTIME t;
    t.wYear = w.wYear;
    t.wMonth = w.wMonth;
    t.wDayOfWeek = w.wDayOfWeek;
    t.wDay = w.wDay;
    t.wHour = w.wHour;
    t.wMinute = w.wMinute;
    t.wSecond = w.wSecond;
    t.wMilliseconds = w.wMilliseconds;
    return t;
}

// VELKARO_NOW=2026-12-08T09:30:00Z fixes the instant, for reproducible pictures.
bool FixedNow(::SYSTEMTIME* out) {
    const char* env = std::getenv("VELKARO_NOW");
    if (!env || !*env) return false;
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    int n = std::sscanf(env, "%d-%d-%dT%d:%d:%d", &y, &mo, &d, &h, &mi, &s);
    if (n < 5) return false;
    ::SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(y);
    t.wMonth = static_cast<WORD>(mo);
    t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h);
    t.wMinute = static_cast<WORD>(mi);
    t.wSecond = static_cast<WORD>(s);
    FILETIME ft;
    if (!SystemTimeToFileTime(&t, &ft)) return false;
    FileTimeToSystemTime(&ft, &t);  // fills the day of the week
    *out = t;
    return true;
}

}  // namespace

SYSTEMTIME ClockUtcNow() {
    ::SYSTEMTIME t;
    if (!FixedNow(&t)) GetSystemTime(&t);
    return FromWin(t);
}

SYSTEMTIME ClockLocalNow() {
    ::SYSTEMTIME utc, local;
    if (!FixedNow(&utc)) {
        GetLocalTime(&local);
        return FromWin(local);
    }
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
    return FromWin(local);
}

int ClockBiasMinutes() {
    TIME_ZONE_INFORMATION tz;
    if (GetTimeZoneInformation(&tz) == TIME_ZONE_ID_INVALID) return 0;
    return static_cast<int>(tz.Bias);
}

void SetNativeClock(const SYSTEMTIME&, const SYSTEMTIME&, int) {}

}  // namespace velkaro
