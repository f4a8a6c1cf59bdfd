#include <windows.h>

#include <string>

#include "engine/calendar.h"
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

// Said once per process, by whichever module of it meets the value first.
void ReportBadInstant(const std::string& text) {
    const wchar_t kReported[] = L"VELKARO_NOW_REPORTED";
    if (GetEnvironmentVariableW(kReported, nullptr, 0) != 0) return;
    SetEnvironmentVariableW(kReported, L"1");
    const std::string line = "VELKARO_NOW=\"" + text +
                             "\" is not a UTC instant such as 2026-12-08T09:30:00Z between 1900-03-01 and "
                             "2100-02-28; the system clock is used\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

// VELKARO_NOW=2026-12-08T09:30:00Z fixes the instant, for reproducible pictures.
bool FixedNow(::SYSTEMTIME* out) {
    const DWORD size = GetEnvironmentVariableA("VELKARO_NOW", nullptr, 0);
    if (size <= 1) return false;  // not set, or empty
    std::string text(size, '\0');
    text.resize(GetEnvironmentVariableA("VELKARO_NOW", &text[0], size));
    SYSTEMTIME t;
    if (ParseUtcInstant(text, &t)) {
        *out = ::SYSTEMTIME{t.wYear, t.wMonth, t.wDayOfWeek, t.wDay, t.wHour, t.wMinute, t.wSecond, 0};
        return true;
    }
    ReportBadInstant(text);
    return false;
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
