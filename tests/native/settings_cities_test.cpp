// The built-in places against the system's time-zone database: what the item
// shows as a place's clock must be the zone's wall clock, switch days included.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>

#include "engine/calendar.h"
#include "settings/location.h"
#include "tools/starter/zone_scan.h"

using namespace velkaro;

namespace {

const std::map<std::wstring, std::string> kZoneOf = {
    {L"Tokyo", "Asia/Tokyo"},
    {L"Guam", "Pacific/Guam"},
    {L"Sydney", "Australia/Sydney"},
    {L"Auckland", "Pacific/Auckland"},
    {L"Honolulu", "Pacific/Honolulu"},
    {L"Vancouver", "America/Vancouver"},
    {L"Los Angeles", "America/Los_Angeles"},
    {L"Mexico City", "America/Mexico_City"},
    {L"New York", "America/New_York"},
    {L"Sao Paulo", "America/Sao_Paulo"},
    {L"London", "Europe/London"},
    {L"Paris", "Europe/Paris"},
    {L"Rome", "Europe/Rome"},
    {L"Johannesburg", "Africa/Johannesburg"},
    {L"Moscow", "Europe/Moscow"},
    {L"Baghdad", "Asia/Baghdad"},
    {L"Delhi", "Asia/Kolkata"},
    {L"Bangkok", "Asia/Bangkok"},
    {L"Singapore", "Asia/Singapore"},
    {L"Hong Kong", "Asia/Hong_Kong"},
};

// The clock the item shows for a place at a UTC instant: standard time from
// the offset, then the place's rule.
DateTime ShownClock(const LocationRecord& place, UnixTime utc) {
    const DateTime u = UtcFromUnix(utc);
    const ClockReading now{u, u, 0};  // a rule in UTC is judged by the present instant
    DateTime t = u;
    UtcToZoneTime(&t, place.UtcMargin);
    if (place.ExistDST) ApplyDst(&t, place.DST, now);
    return t;
}

std::string Stamp(const DateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour,
                  t.wMinute);
    return buf;
}

// Compares at `utc`; keeps the first few differences in `faults`.
void Compare(const LocationRecord& place, UnixTime utc, int* count, std::string* faults) {
    const DateTime shown = ShownClock(place, utc);
    const DateTime wall = ZoneLocalTime(utc);
    if (shown.wYear == wall.wYear && shown.wMonth == wall.wMonth && shown.wDay == wall.wDay &&
        shown.wHour == wall.wHour && shown.wMinute == wall.wMinute)
        return;
    if (++*count <= 5) *faults += "\n  UTC " + Stamp(UtcFromUnix(utc)) + ": shows " + Stamp(shown) +
                                  ", the zone reads " + Stamp(wall);
}

}  // namespace

TEST(Cities, EveryPlaceHasItsZone) {
    ASSERT_EQ(CityTable().size(), kZoneOf.size());
    for (const LocationRecord& place : CityTable()) {
        auto it = kZoneOf.find(place.Location);
        ASSERT_NE(it, kZoneOf.end()) << "no zone for a built-in place";
        EXPECT_TRUE(ZoneKnown(it->second)) << it->second << " is not in the time-zone database";
        EXPECT_EQ(place.ExistDST, place.DST.empty() ? 0 : 1);
        EXPECT_EQ(place.Valid, 1);
        EXPECT_EQ(place.UtcGet, 0);
    }
}

TEST(Cities, ShownClockIsTheZonesWallClockEveryHourAndAroundEverySwitch) {
    const UnixTime from = UnixFromUtc(2026, 1, 1), to = UnixFromUtc(2036, 1, 1);
    for (const LocationRecord& place : CityTable()) {
        const std::string zone = kZoneOf.at(place.Location);
        ASSERT_TRUE(ZoneKnown(zone)) << zone;
        ZoneScope scope(zone);
        int count = 0;
        std::string faults;
        for (UnixTime t = from; t < to; t += 3600) Compare(place, t, &count, &faults);
        const std::vector<ZoneTransition> changes = ZoneChanges(from, to);
        for (const ZoneTransition& c : changes)
            for (int minutes : {-30, -1, 0, 30}) Compare(place, c.Utc + 60 * minutes, &count, &faults);
        EXPECT_EQ(count, 0) << zone << " (rule \"" << std::string(place.DST.begin(), place.DST.end())
                            << "\"):" << faults;
        // A place with a rule must switch twice a year; one without, never.
        EXPECT_EQ(changes.size(), place.ExistDST ? 20u : 0u) << zone;
    }
}
