#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "engine/calendar.h"

using namespace velkaro;

TEST(Calendar, DayNumbersAndTheirInverse) {
    EXPECT_EQ(DayNumber(2000, 1, 1), 730120);
    EXPECT_EQ(DayNumber(2000, 1, 1) % 7, 6);  // Saturday
    EXPECT_EQ(DayNumber(1, 1, 1), 1);
    EXPECT_EQ(DayNumber(1, 1, 1) % 7, 1);  // Monday
    int y, m, d;
    DateFromDayNumber(DayNumber(2000, 12, 31), &y, &m, &d);  // last day of a 400-year cycle
    EXPECT_EQ(y * 10000 + m * 100 + d, 20001231);
    for (int n = DayNumber(1899, 12, 25); n < DayNumber(2101, 3, 5); n += 17) {
        DateFromDayNumber(n, &y, &m, &d);
        ASSERT_EQ(DayNumber(y, m, d), n);
        ASSERT_EQ(IsBadDate(y, m, d), 0);
    }
    DateFromDayNumber(DayNumber(2024, 12, 31), &y, &m, &d);  // day 365 of a leap year
    EXPECT_EQ(y * 10000 + m * 100 + d, 20241231);
}

TEST(Calendar, BadDatesTimesAndDistances) {
    EXPECT_EQ(IsBadDate(2023, 2, 29), 1);
    EXPECT_EQ(IsBadDate(2024, 2, 29), 0);
    EXPECT_EQ(IsBadDate(1900, 2, 29), 1);
    EXPECT_EQ(IsBadDate(0, 1, 1), 1);
    EXPECT_EQ(IsBadDate(4001, 1, 1), 1);
    EXPECT_EQ(IsBadDate(2024, 13, 1), 1);
    EXPECT_EQ(IsBadTime(24, 0), 1);
    EXPECT_EQ(IsBadTime(23, 59), 0);
    EXPECT_EQ(IsBadTime(0, -1), 1);
    EXPECT_EQ(MinutesBetween(MakeTime(2024, 3, 1, 0, 10), MakeTime(2024, 2, 29, 23, 50)), 20);
    EXPECT_EQ(MinutesBetween(MakeTime(2024, 3, 2, 0, 0), MakeTime(2024, 2, 29, 23, 0)), 10001);
    EXPECT_EQ(DaysBetween(MakeTime(2024, 12, 30), MakeTime(2025, 1, 1)), 2);
}

TEST(Calendar, ShiftCarriesAcrossMidnightAndMonthEnds) {
    DateTime t = MakeTime(2012, 3, 1, 0, 5);
    int d = 0, h = 0, m = -10;
    ApplyShift(&t, &d, &h, &m);
    EXPECT_EQ(t.wYear * 10000 + t.wMonth * 100 + t.wDay, 20120229);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 2355);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(h, 0);
    EXPECT_EQ(m, -10);

    // Six "+10 min" read as one hour once normalised.
    t = MakeTime(2025, 12, 31, 23, 30);
    d = 0, h = 0, m = 60;
    ApplyShift(&t, &d, &h, &m);
    EXPECT_EQ(h, 1);
    EXPECT_EQ(m, 0);
    EXPECT_EQ(t.wYear * 10000 + t.wMonth * 100 + t.wDay, 20260101);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 30);

    // Mixed signs normalise to the sign of the total.
    t = MakeTime(2025, 6, 15, 12, 0);
    d = 1, h = -25, m = 0;
    ApplyShift(&t, &d, &h, &m);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(h, -1);
    EXPECT_EQ(t.wHour, 11);

    t = MakeTime(2025, 6, 15, 12, 0);
    d = 0, h = 0, m = 0;
    DateTime before = t;
    ApplyShift(&t, &d, &h, &m);
    EXPECT_EQ(t.wHour, before.wHour);
}

TEST(Calendar, ZoneTimeAndOffsets) {
    DateTime t = MakeTime(2025, 1, 1, 20, 0);
    UtcToZoneTime(&t, 5.5);
    EXPECT_EQ(t.wYear * 10000 + t.wMonth * 100 + t.wDay, 20250102);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 130);
    t = MakeTime(2025, 1, 1, 2, 0);
    UtcToZoneTime(&t, -3.5);
    EXPECT_EQ(t.wDay, 31);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 2230);

    EXPECT_EQ(ZoneOffsetFromLongitude(139.7), 9.0);
    EXPECT_EQ(ZoneOffsetFromLongitude(82.5), 5.5);
    EXPECT_EQ(ZoneOffsetFromLongitude(-3.7), 0.0);
    EXPECT_EQ(ZoneOffsetFromLongitude(-0.5), 0.0);
    EXPECT_EQ(ZoneOffsetFromLongitude(135), 9.0);
    EXPECT_EQ(ZoneOffsetFromLongitude(-74.0), -4.5);
    EXPECT_FALSE(std::signbit(ZoneOffsetFromLongitude(-0.13)));  // London: stored as 0.000000

    // A corrupted offset moves the clock by a day at most (and must not overflow).
    for (double corrupt : {1e9, -1e9, 1e300, -2147483648.0}) {
        t = MakeTime(2025, 1, 1, 20, 0);
        UtcToZoneTime(&t, corrupt);
        EXPECT_LE(std::abs(DaysBetween(MakeTime(2025, 1, 1), t)), 1) << corrupt;
        EXPECT_EQ(t.wHour * 100 + t.wMinute, 2000) << corrupt;
    }
}

TEST(Calendar, NumericHelpers) {
    EXPECT_EQ(RoundHalfAway(2.5), 3.0);
    EXPECT_EQ(RoundHalfAway(-2.5), -3.0);
    EXPECT_EQ(RoundHalfAway(-2.49), -2.0);
    EXPECT_EQ(Normalize360(-1e-18), 0.0);
    EXPECT_EQ(Normalize360(720.5), 0.5);
    EXPECT_LT(Normalize360(-1e-14), 360.0);
    for (int minute = 0; minute < 1440; ++minute)
        ASSERT_EQ(TruncGuarded(1440.0 * (minute / 1440.0)), minute);
    EXPECT_EQ(TruncGuarded(-1.5), -1);
}

TEST(Calendar, TimeArgumentUsesTheFloorBefore2000) {
    EXPECT_DOUBLE_EQ(TimeArgument(2000, 1, 1.5, 0), (65.0 / 86400.0) / 36525.0);
    // 1999-03-01 0h UT is JD 2451238.5.
    EXPECT_NEAR(TimeArgument(1999, 3, 1, 0) * 36525.0, 2451238.5 - 2451545.0 + (57 + 7.2) / 86400.0,
                1e-9);
    EXPECT_NEAR(TimeArgument(2026, 12, 8, 9) * 36525.0,
                2461382.5 - 2451545.0 - 9.0 / 24 + (57 + 0.8 * 36) / 86400.0, 1e-9);
}
