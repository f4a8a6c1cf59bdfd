// The page's clock: the browser's, and the text of the "now" parameter of the
// page's address (the twin of VELKARO_NOW), for reproducible pages.
#include <emscripten.h>

#include <cmath>
#include <string>

#include "engine/calendar.h"
#include "platform/clock.h"

namespace velkaro {
namespace {

// clang-format off
EM_JS(int, velkaro_now_parameter, (char* buffer, int size), {
    const v = new URLSearchParams(self.location.search).get('now');
    if (v === null || lengthBytesUTF8(v) >= size) return 0;
    stringToUTF8(v, buffer, size);
    return 1;
});
EM_JS(void, velkaro_report_bad_now, (const char* text), {
    console.warn('now=' + UTF8ToString(text) + ' is not a UTC instant such as 2026-12-08T09:30:00Z ' +
                 'between 1900-03-01 and 2100-02-28; the browser clock is used');
});
EM_JS(double, velkaro_date_now, (), { return Date.now(); });
// Minutes to add to local time to get UTC at that instant (daylight saving included).
EM_JS(int, velkaro_offset_at, (double ms), { return new Date(ms).getTimezoneOffset(); });
// The same for standard time: the larger of January's and July's.
EM_JS(int, velkaro_standard_offset, (double ms), {
    const y = new Date(ms).getFullYear();
    return Math.max(new Date(y, 0, 1).getTimezoneOffset(), new Date(y, 6, 1).getTimezoneOffset());
});
// clang-format on

const double kMsPerDay = 86400000.0;
const int kEpochDay = DayNumber(1970, 1, 1);

double MsOf(const SYSTEMTIME& t) {
    return (DayNumber(t.wYear, t.wMonth, t.wDay) - kEpochDay) * kMsPerDay +
           ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000.0 + t.wMilliseconds;
}

SYSTEMTIME FromMs(double ms) {
    const double days = std::floor(ms / kMsPerDay);
    const double rest = ms - days * kMsPerDay;
    int y, m, d;
    DateFromDayNumber(static_cast<int>(days) + kEpochDay, &y, &m, &d);
    const int seconds = static_cast<int>(rest / 1000.0);
    SYSTEMTIME t = MakeTime(y, m, d, seconds / 3600, seconds / 60 % 60);
    t.wSecond = static_cast<uint16_t>(seconds % 60);
    t.wMilliseconds = static_cast<uint16_t>(static_cast<int>(rest) % 1000);
    t.wDayOfWeek = static_cast<uint16_t>(DayNumber(y, m, d) % 7);
    return t;
}

}  // namespace

SYSTEMTIME SystemUtcNow() { return FromMs(velkaro_date_now()); }

SYSTEMTIME SystemLocalNow() {
    const double ms = velkaro_date_now();
    return FromMs(ms - velkaro_offset_at(ms) * 60000.0);
}

bool LocalFromUtc(const SYSTEMTIME& utc, SYSTEMTIME* local) {
    const double ms = MsOf(utc);
    *local = FromMs(ms - velkaro_offset_at(ms) * 60000.0);
    return true;
}

int ClockBiasMinutes() { return velkaro_standard_offset(velkaro_date_now()); }

std::string FixedNowText() {
    char text[64];
    return velkaro_now_parameter(text, sizeof text) ? std::string(text) : std::string();
}

void ReportBadFixedNow(const std::string& text) {
    static bool reported = false;
    if (reported) return;
    reported = true;
    velkaro_report_bad_now(text.c_str());
}

void SetNativeClock(const SYSTEMTIME&, const SYSTEMTIME&, int) {}
void SetNativeFixedNow(const std::string&) {}
int NativeBadFixedNowReports() { return 0; }

}  // namespace velkaro
