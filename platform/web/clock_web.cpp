// The page's clock: the browser's, and the text of the "now" parameter of the
// page's address (the twin of VELKARO_NOW), for reproducible pages.
#include <emscripten.h>

#include <string>

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

// The browser's Date does the calendar, so the seam needs nothing of the engine.
// clang-format off
EM_JS(double, velkaro_ms_of, (int y, int mo, int d, int h, int mi, int s, int ms), {
    const t = new Date(0);
    t.setUTCFullYear(y, mo - 1, d);
    t.setUTCHours(h, mi, s, ms);
    return t.getTime();
});
// Fills out[0..7] with year, month, day of week, day, hour, minute, second, ms (UTC).
EM_JS(void, velkaro_fields_of, (double ms, int* out), {
    const t = new Date(ms);
    const f = [t.getUTCFullYear(), t.getUTCMonth() + 1, t.getUTCDay(), t.getUTCDate(),
               t.getUTCHours(), t.getUTCMinutes(), t.getUTCSeconds(), t.getUTCMilliseconds()];
    for (let i = 0; i < 8; i++) HEAP32[(out >> 2) + i] = f[i];
});
// clang-format on

double MsOf(const DateTime& t) {
    return velkaro_ms_of(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, t.wMilliseconds);
}

DateTime FromMs(double ms) {
    int f[8] = {};
    velkaro_fields_of(ms, f);
    DateTime t{};
    uint16_t* fields[8] = {&t.wYear, &t.wMonth, &t.wDayOfWeek, &t.wDay,
                           &t.wHour, &t.wMinute, &t.wSecond, &t.wMilliseconds};
    for (int i = 0; i < 8; ++i) *fields[i] = static_cast<uint16_t>(f[i]);
    return t;
}

}  // namespace

DateTime SystemUtcNow() { return FromMs(velkaro_date_now()); }

DateTime SystemLocalNow() {
    const double ms = velkaro_date_now();
    return FromMs(ms - velkaro_offset_at(ms) * 60000.0);
}

bool LocalFromUtc(const DateTime& utc, DateTime* local) {
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

void SetNativeClock(const DateTime&, const DateTime&, int) {}
void SetNativeFixedNow(const std::string&) {}
int NativeBadFixedNowReports() { return 0; }

}  // namespace velkaro
