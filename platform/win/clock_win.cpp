#include <windows.h>

#include <string>

#include "platform/clock.h"

namespace velkaro {
namespace {

const char kFixedNowVariable[] = "VELKARO_NOW";

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

::SYSTEMTIME ToWin(const SYSTEMTIME& t) {
    ::SYSTEMTIME w = {};
    w.wYear = t.wYear;
    w.wMonth = t.wMonth;
    w.wDayOfWeek = t.wDayOfWeek;
    w.wDay = t.wDay;
    w.wHour = t.wHour;
    w.wMinute = t.wMinute;
    w.wSecond = t.wSecond;
    w.wMilliseconds = t.wMilliseconds;
    return w;
}

}  // namespace

SYSTEMTIME SystemUtcNow() {
    ::SYSTEMTIME t;
    GetSystemTime(&t);
    return FromWin(t);
}

SYSTEMTIME SystemLocalNow() {
    ::SYSTEMTIME t;
    GetLocalTime(&t);
    return FromWin(t);
}

bool LocalFromUtc(const SYSTEMTIME& utc, SYSTEMTIME* local) {
    const ::SYSTEMTIME u = ToWin(utc);
    ::SYSTEMTIME l;
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &u, &l)) return false;
    *local = FromWin(l);
    return true;
}

int ClockBiasMinutes() {
    TIME_ZONE_INFORMATION tz;
    if (GetTimeZoneInformation(&tz) == TIME_ZONE_ID_INVALID) return 0;
    return static_cast<int>(tz.Bias);
}

std::string FixedNowText() {
    const DWORD size = GetEnvironmentVariableA(kFixedNowVariable, nullptr, 0);
    if (size <= 1) return std::string();  // not set, or empty
    std::string text(size, '\0');
    text.resize(GetEnvironmentVariableA(kFixedNowVariable, &text[0], size));
    return text;
}

// Said once per process, by whichever module of it meets the value first.
void ReportBadFixedNow(const std::string& text) {
    const wchar_t kReported[] = L"VELKARO_NOW_REPORTED";
    if (GetEnvironmentVariableW(kReported, nullptr, 0) != 0) return;
    SetEnvironmentVariableW(kReported, L"1");
    const std::string line = std::string(kFixedNowVariable) + "=\"" + text +
                             "\" is not a UTC instant such as 2026-12-08T09:30:00Z between 1900-03-01 and "
                             "2100-02-28; the system clock is used\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

void SetNativeClock(const SYSTEMTIME&, const SYSTEMTIME&, int) {}
void SetNativeFixedNow(const std::string&) {}
int NativeBadFixedNowReports() { return 0; }

}  // namespace velkaro
