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

bool Digits(const char* s, int count, int* value) {
    int v = 0;
    for (int i = 0; i < count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = 10 * v + (s[i] - '0');
    }
    *value = v;
    return true;
}

// "2026-12-08T09:30:00Z" or "2026-12-08T09:30Z" within the dates the engine serves.
bool ParseInstant(const std::string& text, ::SYSTEMTIME* out) {
    int y, mo, d, h, mi, sec = 0;
    const char* p = text.c_str();
    const size_t n = text.size();
    if (!(n == 17 || n == 20) || !Digits(p, 4, &y) || p[4] != '-' || !Digits(p + 5, 2, &mo) || p[7] != '-' ||
        !Digits(p + 8, 2, &d) || p[10] != 'T' || !Digits(p + 11, 2, &h) || p[13] != ':' ||
        !Digits(p + 14, 2, &mi) || p[n - 1] != 'Z')
        return false;
    if (n == 20 && (p[16] != ':' || !Digits(p + 17, 2, &sec))) return false;
    if (!IsServedDate(y, mo, d) || IsBadTime(h, mi) || sec > 59) return false;
    ::SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(y);
    t.wMonth = static_cast<WORD>(mo);
    t.wDay = static_cast<WORD>(d);
    t.wHour = static_cast<WORD>(h);
    t.wMinute = static_cast<WORD>(mi);
    t.wSecond = static_cast<WORD>(sec);
    FILETIME ft;
    if (!SystemTimeToFileTime(&t, &ft)) return false;
    FileTimeToSystemTime(&ft, &t);  // fills the day of the week
    *out = t;
    return true;
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
    if (ParseInstant(text, out)) return true;
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
