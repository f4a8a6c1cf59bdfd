#include "engine/calendar.h"

#include <algorithm>
#include <cmath>
#include <cwchar>


namespace velkaro {
namespace {

const int kDaysInMonth[2][12] = {{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31},
                                 {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}};
const int kDaysBefore[2][12] = {{0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
                                {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335}};

int MonthIndex(int month) { return month < 1 ? 0 : (month > 12 ? 11 : month - 1); }

void Store(SYSTEMTIME* t, int year, int month, int day) {
    t->wYear = static_cast<uint16_t>(year);
    t->wMonth = static_cast<uint16_t>(month);
    t->wDay = static_cast<uint16_t>(day);
}

// One field of a boundary, tokenised the way the rule format is defined: leading
// delimiters skipped, the token runs to the next delimiter.
std::wstring NextToken(const std::wstring& s, size_t* pos, wchar_t delim) {
    size_t p = *pos;
    while (p < s.size() && s[p] == delim) ++p;
    size_t end = s.find(delim, p);
    if (end == std::wstring::npos) end = s.size();
    *pos = end < s.size() ? end + 1 : end;
    return s.substr(p, end - p);
}

bool ReadInt(const std::wstring& field, int* value) {
    return std::swscanf(field.c_str(), L"%d", value) == 1;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) { return kDaysInMonth[IsLeapYear(year)][MonthIndex(month)]; }

int FloorDiv(int a, int b) {
    int q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

int DayNumber(int year, int month, int day) {
    int y = year - 1;
    return 365 * y + FloorDiv(y, 4) - FloorDiv(y, 100) + FloorDiv(y, 400) +
           kDaysBefore[IsLeapYear(year)][MonthIndex(month)] + day;
}

void DateFromDayNumber(int n, int* year, int* month, int* day) {
    int r = n - 1;
    int q400 = FloorDiv(r, 146097);
    int r400 = r - 146097 * q400;
    int y, doy;
    if (r400 == 146096) {
        y = 400 * (q400 + 1);
        doy = 365;
    } else {
        int q100 = r400 / 36524, r100 = r400 % 36524;
        int q4 = r100 / 1461, r4 = r100 % 1461;
        int q1raw = r4 / 365;
        int q1 = q1raw < 3 ? q1raw : 3;
        y = 400 * q400 + 100 * q100 + 4 * q4 + q1 + 1;
        doy = q1raw == 4 ? 365 : r4 % 365;
    }
    const int* before = kDaysBefore[IsLeapYear(y)];
    int m = 12;
    for (int k = 1; k <= 11; ++k) {
        if (before[k] > doy) {
            m = k;
            break;
        }
    }
    *year = y;
    *month = m;
    *day = doy - before[m - 1] + 1;
}

void AddDays(int delta, int* year, int* month, int* day) {
    DateFromDayNumber(delta + DayNumber(*year, *month, *day), year, month, day);
}

void AddDays(int delta, SYSTEMTIME* t) {
    int y = t->wYear, m = t->wMonth, d = t->wDay;
    AddDays(delta, &y, &m, &d);
    Store(t, y, m, d);
}

int DaysBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return DayNumber(b.wYear, b.wMonth, b.wDay) - DayNumber(a.wYear, a.wMonth, a.wDay);
}

int MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    int da = DayNumber(a.wYear, a.wMonth, a.wDay);
    int db = DayNumber(b.wYear, b.wMonth, b.wDay);
    if (da - db > 1 || db - da > 1) return 10001;
    return ((da - db) * 24 + a.wHour - b.wHour) * 60 + a.wMinute - b.wMinute;
}

int IsBadDate(int year, int month, int day) {
    if (year <= 0 || year > 4000 || month < 1 || month > 12 || day <= 0) return 1;
    return day > DaysInMonth(year, month) ? 1 : 0;
}

int IsBadTime(int hour, int minute) {
    return (hour < 0 || hour > 23 || minute < 0 || minute > 59) ? 1 : 0;
}

void ApplyShift(SYSTEMTIME* time, int* shiftDays, int* shiftHours, int* shiftMinutes) {
    long long total = 1440LL * *shiftDays + 60LL * *shiftHours + *shiftMinutes;
    if (total == 0) {
        *shiftDays = *shiftHours = *shiftMinutes = 0;
        return;
    }
    long long days = total / 1440;
    long long r = total - 1440 * days;
    *shiftDays = static_cast<int>(days);
    *shiftHours = static_cast<int>(r / 60);
    *shiftMinutes = static_cast<int>(r - 60 * (r / 60));

    int h = *shiftHours;
    int d = *shiftDays;
    if (*shiftMinutes != 0) {
        int minute = time->wMinute + *shiftMinutes;
        if (minute < 0) {
            minute += 60;
            --h;
        } else if (minute > 59) {
            minute -= 60;
            ++h;
        }
        time->wMinute = static_cast<uint16_t>(minute);
    }
    if (h != 0) {
        int hour = time->wHour + h;
        if (hour < 0) {
            hour += 24;
            --d;
        } else if (hour > 23) {
            hour -= 24;
            ++d;
        }
        time->wHour = static_cast<uint16_t>(hour);
    }
    if (d != 0) AddDays(d, time);
}

void UtcToZoneTime(SYSTEMTIME* time, double zoneHours) {
    int m = TruncGuarded(zoneHours * 60.0);
    // Real offsets lie within a day; a corrupted one must not leave the clock face.
    m = std::min(std::max(m, -1440), 1440);
    int minutes = 60 * time->wHour + time->wMinute + m;
    int days = FloorDiv(minutes, 1440);
    minutes -= 1440 * days;
    if (days != 0) AddDays(days, time);
    time->wHour = static_cast<uint16_t>(minutes / 60);
    time->wMinute = static_cast<uint16_t>(minutes % 60);
}

double RoundHalfAway(double x) {
    double w = std::trunc(x);
    if (std::fabs(x - w) < 0.5) return w;
    return x >= 0 ? w + 1 : w - 1;
}

double Normalize360(double x) {
    double r = x - 360.0 * std::floor(x * (1.0 / 360.0));
    // A tiny negative x rounds up to exactly 360; the range is [0, 360).
    if (r >= 360.0 || r < 0.0) r = 0.0;
    return r;
}

int TruncGuarded(double x) {
    if (!std::isfinite(x)) return 0;
    double g = x + (x >= 0 ? 1e-7 : -1e-7);
    if (g > 2147483647.0) return 2147483647;
    if (g < -2147483648.0) return -2147483647 - 1;
    return static_cast<int>(std::trunc(g));
}

double ZoneOffsetFromLongitude(double lng) {
    double s = RoundHalfAway(lng / 15.0 * 10.0) * 0.1;
    double w = std::trunc(s);
    // Adding 0 turns the -0 of longitudes just west of Greenwich into 0.
    if (std::fabs(s - w) < 0.5) return w + 0.0;
    return s >= 0 ? w + 0.5 : w - 0.5;
}

bool IsServedDate(int year, int month, int day) {
    if (IsBadDate(year, month, day)) return false;
    const int n = DayNumber(year, month, day);
    return n >= DayNumber(kFirstServedYear, 3, 1) && n <= DayNumber(kLastServedYear, 2, 28);
}

double TimeArgument(int year, int month, double day, double zoneHours) {
    int mp = month < 3 ? month + 12 : month;
    int yp = year - 2000 - (month < 3 ? 1 : 0);
    double d = 365.0 * yp + FloorDiv(yp, 4) + 30.0 * mp + std::floor(0.6 * (mp + 1)) + day - 33.5 -
               zoneHours / 24.0;
    double deltaT = 57.0 + 0.8 * (year - 1990);
    d += deltaT / 86400.0;
    return d / 36525.0;
}

int ParseDstBoundary(int* year, int* month, int* day, int* hour, const std::wstring& text,
                     const ClockReading& now) {
    *month = 0;
    *day = 0;
    *hour = -1;
    if (text.empty() || text.find(L'/') == std::wstring::npos) return 0;
    size_t pos = 0;
    std::wstring monthField = NextToken(text, &pos, L'/');
    std::wstring rest = text.substr(pos);
    if (rest.find(L' ') == std::wstring::npos) return 0;
    size_t rpos = 0;
    std::wstring dayField = NextToken(rest, &rpos, L' ');
    std::wstring hourField = NextToken(rest, &rpos, L' ');

    int m = 0, h = 0;
    if (!ReadInt(monthField, &m) || !ReadInt(hourField, &h) || dayField.empty()) return 0;
    if (h > 23 || h < -23) return 0;
    const int kind = hourField.find(L'U') != std::wstring::npos ? -1 : 1;

    int y = *year;
    if (y <= 0 || y > 4000) y = (kind < 0 ? now.Utc : now.Local).wYear;

    int d = 0;
    int dayOfMonth = 0;
    if (ReadInt(dayField, &dayOfMonth)) {
        if (IsBadDate(y, m, dayOfMonth)) return 0;
        d = dayOfMonth;
    } else {
        if (dayField.size() < 2) return 0;
        static const wchar_t kWeekdays[] = L"SMTWHFA";
        static const wchar_t kOccurrences[] = L"e1234";
        const wchar_t* wp = std::wcschr(kWeekdays, dayField[0]);
        const wchar_t* kp = std::wcschr(kOccurrences, dayField[1]);
        if (dayField[0] == 0 || dayField[1] == 0 || !wp || !kp) return 0;
        if (m < 1 || m > 12 || y < 1) return 0;
        int w = static_cast<int>(wp - kWeekdays);
        int k = static_cast<int>(kp - kOccurrences);
        int f = DayNumber(y, m, 1);
        for (int i = 0; i < 7 && f % 7 != w; ++i) ++f;
        int yy, mm, dd;
        if (k >= 1) {
            DateFromDayNumber(f + 7 * (k - 1), &yy, &mm, &dd);
        } else {
            DateFromDayNumber(f + 21, &yy, &mm, &dd);
            if (dd + 7 <= DaysInMonth(yy, mm)) DateFromDayNumber(f + 28, &yy, &mm, &dd);
        }
        y = yy;
        m = mm;
        d = dd;
    }
    if (h < 0) {
        AddDays(-1, &y, &m, &d);
        h += 24;
    }
    *year = y;
    *month = m;
    *day = d;
    *hour = h;
    return kind;
}

int ApplyDst(SYSTEMTIME* time, const std::wstring& rule, const ClockReading& now) {
    if (rule.empty() || rule.size() > kMaxDstRuleLength) return 0;
    if (rule.find(L';') == std::wstring::npos) return 0;
    size_t pos = 0;
    std::wstring startPart = NextToken(rule, &pos, L';');
    std::wstring endPart = NextToken(rule, &pos, L';');
    const bool utc = rule.find(L'U') != std::wstring::npos;
    const SYSTEMTIME r = utc ? now.Utc : *time;

    int y1 = r.wYear, m1, d1, h1;
    int y2 = r.wYear, m2, d2, h2;
    if (ParseDstBoundary(&y1, &m1, &d1, &h1, startPart, now) == 0) return 0;
    if (ParseDstBoundary(&y2, &m2, &d2, &h2, endPart, now) == 0) return 0;
    if (m1 == m2) return 0;

    const int m = r.wMonth;
    if (m1 < m2) {
        if (m < m1 || m > m2) return 0;
    } else if (!(m >= m1 || m <= m2)) {
        return 0;
    }
    const int v = 24 * r.wDay + r.wHour;
    if (m == m1 && v < 24 * d1 + h1) return 0;
    if (m == m2 && v >= 24 * d2 + h2) return 0;

    if (time->wHour >= 23) {
        time->wHour = 0;
        AddDays(1, time);
    } else {
        time->wHour = static_cast<uint16_t>(time->wHour + 1);
    }
    return 1;
}

}  // namespace velkaro
