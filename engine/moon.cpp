#include <cmath>

#include "engine/calendar.h"
#include "engine/events.h"
#include "engine/series.h"
#include "engine/series_data.h"

namespace velkaro {
namespace {

// A mean synodic month of 29.552282913855095 days per 360 degrees of elongation.
constexpr double kDaysPerDegree = 0.0820896747607086;
constexpr int kMaxAgeIterations = 60;

double Elongation(double T) {
    BodyPosition moon, sun;
    PositionSeries(kMoon, T, &moon);
    PositionSeries(kSun, T, &sun);
    return moon.Lon - sun.Lon;
}

// Age from the list of new moons, or a negative value when the moment lies
// outside the years listed or after a year's last new moon.
double AgeFromTable(int year, int month, int day, int hour, int minute, double zoneHours) {
    if (std::fabs(zoneHours - 9.0) > 0.01) {
        int minutes = 60 * hour + minute + TruncGuarded((9.0 - zoneHours) * 60.0);
        int days = FloorDiv(minutes, 1440);
        minutes -= 1440 * days;
        if (days != 0) AddDays(days, &year, &month, &day);
        hour = minutes / 60;
        minute = minutes % 60;
    }
    if (year < kNewMoonFirstYear || year > kNewMoonLastYear) return -1.0;
    const int key = 10000 * year + 100 * month + day - 20000000;
    const int hhmm = 100 * hour + minute;
    const int first = kNewMoonYearStart[year - kNewMoonFirstYear];
    const int end = kNewMoonYearStart[year - kNewMoonFirstYear + 1];
    for (int i = first; i < end; ++i) {
        const NewMoon& e = kNewMoons[i];
        if (e.yymmdd > key || (e.yymmdd == key && e.hhmm > hhmm)) {
            // The entry before the year's first is the previous year's last new moon.
            const NewMoon& p = kNewMoons[i - 1];
            const int yy = p.yymmdd / 10000, mm = p.yymmdd / 100 % 100, dd = p.yymmdd % 100;
            return DayNumber(year, month, day) - DayNumber(2000 + yy, mm, dd) +
                   ((60 * hour + minute) - (60 * (p.hhmm / 100) + p.hhmm % 100)) / 1440.0;
        }
    }
    return -1.0;
}

// Walks back along the series' elongation to the conjunction at or before the
// moment. The first step takes the elongation in [0, 360), so it lands near the
// last new moon, never the next; later steps take it in [-180, 180] and settle
// on that conjunction.
double AgeFromSeries(int year, int month, int day, int hour, int minute, double zoneHours) {
    const double moment = day + (hour + minute / 60.0) / 24.0;
    double o = moment;
    for (int count = 0; count < kMaxAgeIterations; ++count) {
        double E = Elongation(TimeArgument(year, month, o, zoneHours));
        E = count == 0 ? Normalize360(E) : E - 360.0 * RoundHalfAway(E / 360.0);
        o -= E * kDaysPerDegree;
        if (std::fabs(E) <= 0.05) break;
    }
    const double age = moment - o;
    return age > 0.0 ? age : 0.0;
}

}  // namespace

double MoonAge(int year, int month, int day, int hour, int minute, double zoneHours) {
    if (hour < 0 || hour > 23) hour = 12;
    if (minute < 0 || minute > 59) minute = 0;
    double age = AgeFromTable(year, month, day, hour, minute, zoneHours);
    if (age < 0.0) age = AgeFromSeries(year, month, day, hour, minute, zoneHours);
    return RoundHalfAway(10.0 * age) * 0.1;
}

int MoonPhaseIndex(int year, int month, int day, int hour, int minute, double zoneHours) {
    const double T =
        TimeArgument(year, month, day, zoneHours) + ((60 * hour + minute) / 1440.0) / 36525.0;
    double E = Elongation(T);
    if (!std::isfinite(E)) return 0;
    while (E < 0.0) E += 360.0;
    while (E >= 360.0) E -= 360.0;
    const int k = static_cast<int>(std::trunc(RoundHalfAway(E * 28.0 / 360.0)));
    return k < 28 ? k : 0;
}

}  // namespace velkaro
