#include "engine/calendar.h"

#include <algorithm>
#include <cmath>

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

}  // namespace velkaro
