#include "engine/events.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/coords.h"
#include "engine/series.h"

namespace velkaro {
namespace {

constexpr int kMaxSearchIterations = 200;
constexpr double kDayOf2000 = 730120;  // DayNumber(2000, 1, 1)

// Degrees of hour angle per day.
double HourAngleRate(int body) {
    if (body == kSun) return 360.0;
    if (body == kMoon) return 347.8;
    return 361.0;
}

double Dip(double height) {
    // Heights at or below sea level see no dip (and the root would be undefined).
    return height > 0 ? 0.0353333 * std::sqrt(height) : 0.0;
}

// Geometric altitude of the centre at which the body rises or sets.
double EventAltitude(int body, const EquatorialPosition& pos, double dip) {
    if (body == kSun) return 0.0024428 / pos.Dist - 0.266994 / pos.Dist - dip - 0.585556;
    if (body == kMoon) return pos.Parallax - dip - 0.585556;
    // A planet's horizontal parallax is 8.794"/Δ in degrees, like the Sun's.
    return 0.0024428 / pos.Dist - dip - 0.585556;
}

// Altitude of the body's centre above its rise-and-set altitude at fraction d
// of the local day whose midnight has time argument T0.
double AboveEventAltitude(int body, double lng, double lat, double dip, double T0, double d,
                          double zoneHours) {
    const double T = T0 + d / 36525.0;
    EquatorialPosition pos;
    EquatorialPlace(body, T, &pos);
    const double z = EventAltitude(body, pos, dip);
    const double H = (LocalSiderealTime(lng, T, d, zoneHours) - pos.RightAscension) * kDegToRad;
    const double p = lat * kDegToRad, dec = pos.Declination * kDegToRad;
    return std::asin(std::sin(dec) * std::sin(p) + std::cos(dec) * std::cos(p) * std::cos(H)) / kDegToRad - z;
}

constexpr int kHourlySamples = 24;

// The first rise (or set) of the day from hourly altitudes, narrowed down to
// the search's precision; `notFound` when no hour brackets one. At and near
// the poles a body crosses the horizon by its change of declination rather
// than by the turn of the sky, and the hour-angle iteration cannot follow that.
EventSearch BracketEvent(int body, double lng, double lat, double dip, double T0, double zoneHours,
                         int type, const EventSearch& notFound) {
    auto above = [&](double d) { return AboveEventAltitude(body, lng, lat, dip, T0, d, zoneHours) > 0; };
    const bool wantAbove = type == kEventRise;
    double lo = 0;
    bool loAbove = above(lo);
    for (int hour = 1; hour <= kHourlySamples; ++hour) {
        double hi = static_cast<double>(hour) / kHourlySamples;
        const bool hiAbove = above(hi);
        if (loAbove == wantAbove || hiAbove != wantAbove) {
            lo = hi;
            loAbove = hiAbove;
            continue;
        }
        while (hi - lo > 0.00005) {
            const double mid = 0.5 * (lo + hi);
            (above(mid) == wantAbove ? hi : lo) = mid;
        }
        EventSearch found;
        found.Status = EventStatus::Found;
        found.DayFraction = 0.5 * (lo + hi);
        return found;
    }
    return notFound;
}

int MinuteOfDay(double d) {
    int m = TruncGuarded(1440.0 * d);
    // The guard must not push an event just before midnight onto the next day.
    if (d < 1.0 && m > 1439) m = 1439;
    return m;
}

// The rise, set and culmination of one day, searched only when asked for.
struct DaySearch {
    int body = 0;
    double lng = 0, lat = 0, height = 0, zone = 0;
    int year = 0, month = 0, day = 0;
    double T0 = 0;
    EventSearch found[3];
    bool done[3] = {false, false, false};

    const EventSearch& Get(int type) {
        if (!done[type]) {
            found[type] = SearchEvent(body, lng, lat, height, T0, zone, type);
            done[type] = true;
        }
        return found[type];
    }
};

}  // namespace

bool HourAngleToEvent(double ra, double dec, double theta, double z, double lat, int type, double* out) {
    double H0 = 0.0;
    if (type != kEventCulmination) {
        const double p = lat * kDegToRad, d = dec * kDegToRad;
        const double c =
            (std::sin(z * kDegToRad) - std::sin(p) * std::sin(d)) / (std::cos(p) * std::cos(d));
        if (std::fabs(c) > 1.0) return false;
        H0 = std::acos(c) / kDegToRad;
        if (type == kEventRise) H0 = -H0;
    }
    double dH = H0 - (theta - ra);
    if (std::isfinite(dH)) {
        if (std::fabs(dH) > 540.0) dH -= 360.0 * std::floor((dH + 180.0) / 360.0);
        while (dH > 180.0) dH -= 360.0;
        while (dH < -180.0) dH += 360.0;
    }
    *out = dH;
    return true;
}

double EventHourAngle(double ra, double dec, double theta, double z, double lat, int type) {
    double dH = 0;
    return HourAngleToEvent(ra, dec, theta, z, lat, type, &dH) ? dH : kHourAngleNever;
}

namespace {

// The event by the hour-angle iteration from local noon.
EventSearch IterateEvent(int body, double lng, double lat, double height, double T0, double zoneHours,
                         int type) {
    EventSearch out;
    const double dip = Dip(height);
    const double u = HourAngleRate(body);
    double d = 0.5;
    bool converged = false;
    // Near the poles the iteration can crawl; past the bound the event counts as absent.
    for (int i = 0; i < kMaxSearchIterations && !converged; ++i) {
        const double T = T0 + d / 36525.0;
        EquatorialPosition pos;
        EquatorialPlace(body, T, &pos);
        const double z = EventAltitude(body, pos, dip);
        const double theta = LocalSiderealTime(lng, T, d, zoneHours);
        double dH = 0;
        if (!HourAngleToEvent(pos.RightAscension, pos.Declination, theta, z, lat, type, &dH)) {
            out.Status = EventStatus::NotReached;
            return out;
        }
        const double step = dH / u;
        d += step;
        converged = std::fabs(step) <= 0.00005;
    }
    if (!converged || !(d >= 0.0 && d < 1.0)) return out;
    out.Status = EventStatus::Found;
    out.DayFraction = d;
    return out;
}

}  // namespace

EventSearch SearchEvent(int body, double lng, double lat, double height, double T0, double zoneHours, int type) {
    if (body < 0 || body >= kBodyCount) return EventSearch();
    const EventSearch e = IterateEvent(body, lng, lat, height, T0, zoneHours, type);
    if (e.Found() || type == kEventCulmination) return e;
    return BracketEvent(body, lng, lat, Dip(height), T0, zoneHours, type, e);
}

double FindEvent(int body, double lng, double lat, double height, double T0, double zoneHours,
                 int type) {
    const EventSearch e = SearchEvent(body, lng, lat, height, T0, zoneHours, type);
    switch (e.Status) {
        case EventStatus::Found: return e.DayFraction;
        case EventStatus::NotReached: return kEventNotReached;
        case EventStatus::OutsideDay: break;
    }
    return kEventOutsideDay;
}

void FillEvent(int body, double lng, double lat, double T0, int year, int month, int day, double d,
               double zoneHours, EventRecord* record, int kind) {
    record->Body = body;
    if (d <= -2.0) {
        record->MinuteStamp = 0;
        record->Valid = 0;
        return;
    }
    const int minute = MinuteOfDay(d);
    record->Valid = 1;
    record->MinuteStamp =
        static_cast<int32_t>(1440 * (DayNumber(year, month, day) - kDayOf2000) + minute);

    const double T = TimeArgument(year, month, day, zoneHours) + d / 36525.0;
    EquatorialPosition pos;
    EquatorialPlace(body, T, &pos);
    const double theta = LocalSiderealTime(lng, T, d, zoneHours);
    if (kind != kFillRiseSet) record->Alt = HorizonAltitude(pos.RightAscension, pos.Declination, theta, lat);
    if (kind <= kFillRiseSet) record->Azi = HorizonAzimuth(pos.RightAscension, pos.Declination, theta, lat);
    if (kind == kFillNow) return;

    record->Time.wYear = static_cast<uint16_t>(year);
    record->Time.wMonth = static_cast<uint16_t>(month);
    record->Time.wDay = static_cast<uint16_t>(day);
    record->Time.wHour = static_cast<uint16_t>(minute / 60);
    record->Time.wMinute = static_cast<uint16_t>(minute % 60);
}

void ComputeBodyEvents(int body, double lng, double lat, double height, double zoneHours,
                       EventRecord* now, EventRecord* prevSet, EventRecord* rise,
                       EventRecord* culmination, EventRecord* set, EventRecord* nextRise) {
    const int year = now->Time.wYear, month = now->Time.wMonth, mday = now->Time.wDay;
    const double f = (60 * now->Time.wHour + now->Time.wMinute) / 1440.0;

    // Days -2..2 around today; each searched only for the events a case needs.
    DaySearch days[5];
    for (int k = -2; k <= 2; ++k) {
        DaySearch& s = days[k + 2];
        s.body = body;
        s.lng = lng;
        s.lat = lat;
        s.height = height;
        s.zone = zoneHours;
        s.year = year;
        s.month = month;
        s.day = mday;
        if (k != 0) AddDays(k, &s.year, &s.month, &s.day);
        s.T0 = TimeArgument(s.year, s.month, s.day, zoneHours);
    }
    auto R = [&](int k) { return days[k + 2].Get(kEventRise); };
    auto S = [&](int k) { return days[k + 2].Get(kEventSet); };
    auto C = [&](int k) { return days[k + 2].Get(kEventCulmination); };
    auto fill = [&](EventRecord* rec, int k, int type) {
        DaySearch& s = days[k + 2];
        const EventSearch& e = s.Get(type);
        FillEvent(body, lng, lat, s.T0, s.year, s.month, s.day, e.Found() ? e.DayFraction : kEventOutsideDay,
                  zoneHours, rec, type == kEventCulmination ? kFillCulmination : kFillRiseSet);
    };
    auto valid = [](const EventSearch& e) { return e.Found(); };

    FillEvent(body, lng, lat, days[2].T0, year, month, mday, f, zoneHours, now, kFillNow);

    // Today's rise and set; f: now. An absent set counts as long past.
    const EventSearch& r0 = R(0);
    const EventSearch& s0 = S(0);
    const double setAt = s0.Found() ? s0.DayFraction : kEventOutsideDay;
    if (valid(r0) && !valid(s0)) {
        // Rises today without setting: the passage runs into tomorrow.
        fill(prevSet, -1, kEventSet);
        fill(rise, 0, kEventRise);
        fill(culmination, 0, kEventCulmination);
        fill(set, 1, kEventSet);
        fill(nextRise, 1, kEventRise);
    } else if (valid(r0) && r0.DayFraction >= setAt && f >= setAt) {
        // Sets before it rises today and the set is past: the passage starts
        // at today's rise.
        fill(prevSet, 0, kEventSet);
        fill(rise, 0, kEventRise);
        if (C(0).Found() && r0.DayFraction < C(0).DayFraction)
            fill(culmination, 0, kEventCulmination);
        else
            fill(culmination, 1, kEventCulmination);
        fill(set, 1, kEventSet);
        fill(nextRise, valid(R(1)) ? 1 : 2, kEventRise);
    } else if (valid(r0) && r0.DayFraction >= setAt) {
        // Sets before it rises today, the set still ahead: the passage in
        // progress began with yesterday's rise.
        fill(prevSet, valid(S(-1)) ? -1 : -2, kEventSet);
        fill(rise, -1, kEventRise);
        if (C(0).Found() && 0 < C(0).DayFraction && C(0).DayFraction < setAt)
            fill(culmination, 0, kEventCulmination);
        else
            fill(culmination, -1, kEventCulmination);
        fill(set, 0, kEventSet);
        fill(nextRise, 0, kEventRise);
    } else if (valid(r0) && f <= setAt) {
        // Rises and then sets today, the set not yet past: today's passage.
        fill(prevSet, -1, kEventSet);
        fill(rise, 0, kEventRise);
        fill(culmination, 0, kEventCulmination);
        fill(set, 0, kEventSet);
        fill(nextRise, 1, kEventRise);
    } else if (valid(r0)) {
        // Rises and sets today and the set is past: tomorrow's passage.
        fill(prevSet, 0, kEventSet);
        fill(rise, 1, kEventRise);
        fill(culmination, 1, kEventCulmination);
        fill(set, valid(S(1)) ? 1 : 2, kEventSet);
        fill(nextRise, 2, kEventRise);
    } else if (f >= setAt) {
        // No rise today and the set past (or none either, as for a body that
        // stays up or down all day): tomorrow's passage.
        fill(prevSet, 0, kEventSet);
        fill(rise, 1, kEventRise);
        fill(culmination, 1, kEventCulmination);
        fill(set, 1, kEventSet);
        fill(nextRise, 2, kEventRise);
    } else {
        // No rise today, the set still ahead: the passage began yesterday.
        fill(prevSet, -1, kEventSet);
        fill(rise, -1, kEventRise);
        fill(culmination, 0, kEventCulmination);
        fill(set, 0, kEventSet);
        fill(nextRise, 1, kEventRise);
    }
}

int DayVisibility(int body, double lng, double lat, double height, double T0, double zoneHours) {
    if (body < 0 || body >= kBodyCount) return 0;
    if (SearchEvent(body, lng, lat, height, T0, zoneHours, kEventRise).Found() ||
        SearchEvent(body, lng, lat, height, T0, zoneHours, kEventSet).Found())
        return 0;
    // No rise or set: the search brackets every crossing of the hourly
    // altitudes, so the first hour tells the whole day.
    return AboveEventAltitude(body, lng, lat, Dip(height), T0, 0.0, zoneHours) > 0 ? 1 : -1;
}

}  // namespace velkaro
