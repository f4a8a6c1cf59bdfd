#include <gtest/gtest.h>

#include <cmath>

#include "engine/calendar.h"
#include "engine/events.h"

using namespace velkaro;

TEST(MoonAge, FromTheListAroundANewMoon) {
    // New moon 2010-01-15 16:11 UTC+9; the one before 2009-12-16 21:02.
    EXPECT_NEAR(MoonAge(2010, 1, 15, 16, 10, 9), 29.8, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 15, 16, 11, 9), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 15, 16, 12, 9), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 25, 16, 11, 9), 10.0, 1e-9);
    // The same instants from other zones.
    EXPECT_NEAR(MoonAge(2010, 1, 15, 7, 10, 0), 29.8, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 15, 7, 11, 0), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 15, 12, 40, 5.5), 29.8, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 15, 12, 41, 5.5), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2010, 1, 14, 21, 11, -10), 0.0, 1e-9);
    // A new moon at 00:03 and the first of a year on its first day.
    EXPECT_GT(MoonAge(2035, 1, 10, 0, 2, 9), 29.0);
    EXPECT_NEAR(MoonAge(2035, 1, 10, 0, 3, 9), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2014, 1, 1, 20, 13, 9), 29.5, 0.3);  // from 2013-12-03
    EXPECT_NEAR(MoonAge(2014, 1, 1, 22, 38, 9), 0.1, 1e-9);
    // Hours and minutes out of range are read as 12:00.
    EXPECT_EQ(MoonAge(2010, 1, 25, 99, 77, 9), MoonAge(2010, 1, 25, 12, 0, 9));
}

TEST(MoonAge, FromTheSeriesOutsideTheList) {
    // After the year's last listed new moon (2020-12-15 01:17 UTC+9): 5 d 8 h 43 min.
    EXPECT_NEAR(MoonAge(2020, 12, 20, 10, 0, 9), 5.4, 1e-9);
    // New moon 2009-12-16 21:02 UTC+9, the same day before and after it.
    EXPECT_NEAR(MoonAge(2009, 12, 16, 23, 0, 9), 0.1, 1e-9);
    EXPECT_NEAR(MoonAge(2009, 12, 16, 20, 0, 9), 29.7, 0.1);  // from 2009-11-17 04:14
    // 2007-03-19 11:43 UTC+9, where the Sun's longitude is close to 360.
    EXPECT_NEAR(MoonAge(2007, 3, 19, 12, 30, 9), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2007, 3, 19, 23, 0, 9), 0.5, 1e-9);
    EXPECT_NEAR(MoonAge(2007, 3, 25, 12, 0, 9), 6.0, 1e-9);
    EXPECT_NEAR(MoonAge(2007, 3, 19, 10, 30, 9), 29.4, 0.1);
    // 2042-03-22 02:23 UTC+9, also seen from UTC.
    EXPECT_NEAR(MoonAge(2042, 3, 21, 17, 30, 0), 0.0, 1e-9);
    EXPECT_NEAR(MoonAge(2042, 3, 22, 17, 23, 0), 1.0, 1e-9);

    // A year, hour by hour: the age grows with the clock and starts again from
    // zero only at a new moon, 29.3 to 29.9 days apart.
    double previous = MoonAge(2045, 1, 1, 0, 0, 1);
    int year = 2045, month = 1, day = 1, resets = 0;
    for (int h = 5; h < 24 * 365; h += 5) {
        if (h % 24 < 5) AddDays(1, &year, &month, &day);
        const double age = MoonAge(year, month, day, h % 24, 0, 1);
        if (age < previous) {
            ++resets;
            EXPECT_GT(previous, 29.0);
            EXPECT_LT(age, 0.25);
        } else {
            EXPECT_NEAR(age - previous, 5.0 / 24, 0.11) << year << month << day;
        }
        EXPECT_LT(age, 29.9);
        previous = age;
    }
    EXPECT_EQ(resets, 12);
}

TEST(MoonPhase, IndexFollowsElongation) {
    // Full moon 2010-01-30 15:18 UTC+9; new moon 2010-01-15 16:11.
    EXPECT_EQ(MoonPhaseIndex(2010, 1, 30, 15, 18, 9), 14);
    EXPECT_EQ(MoonPhaseIndex(2010, 1, 15, 17, 0, 9), 0);
    // About 10 hours before the new moon the elongation is near 355°: round(27.6)
    // is 28, which wraps to 0; a day earlier it is 27.
    EXPECT_EQ(MoonPhaseIndex(2010, 1, 15, 6, 0, 9), 0);
    EXPECT_EQ(MoonPhaseIndex(2010, 1, 14, 12, 0, 9), 27);
    // Over a month every index from 0 to 27 appears, in order.
    int last = MoonPhaseIndex(2010, 1, 15, 17, 0, 9), seen = 1;
    for (int h = 1; h < 24 * 29 + 12; ++h) {
        int year = 2010, month = 1, day = 15;
        AddDays((17 + h) / 24, &year, &month, &day);
        const int k = MoonPhaseIndex(year, month, day, (17 + h) % 24, 0, 9);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 27);
        if (k != last) {
            EXPECT_EQ(k, (last + 1) % 28);
            ++seen;
        }
        last = k;
    }
    EXPECT_EQ(seen, 29);
}
