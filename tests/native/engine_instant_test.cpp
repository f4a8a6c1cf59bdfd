// The instant that fixes the present (VELKARO_NOW), and the clock reading that honours it.
#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/instant.h"
#include "today/now.h"
#include "platform/clock.h"

using namespace velkaro;

namespace {

bool Same(const DateTime& a, const DateTime& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

}  // namespace

TEST(Instant, ReadsUtcInstantsWithOrWithoutSeconds) {
    DateTime t;
    ASSERT_TRUE(ParseUtcInstant("2026-12-08T09:30:15Z", &t));
    EXPECT_TRUE(Same(t, [] { DateTime s = MakeTime(2026, 12, 8, 9, 30); s.wSecond = 15; return s; }()));
    EXPECT_EQ(t.wDayOfWeek, 2);  // a Tuesday
    ASSERT_TRUE(ParseUtcInstant("2000-01-01T00:00Z", &t));
    EXPECT_EQ(t.wSecond, 0);
    EXPECT_EQ(t.wDayOfWeek, 6);  // a Saturday
    // The first and last instants the engine serves.
    EXPECT_TRUE(ParseUtcInstant("1900-03-01T00:00:00Z", &t));
    EXPECT_TRUE(ParseUtcInstant("2100-02-28T23:59:59Z", &t));
    EXPECT_TRUE(ParseUtcInstant("2024-02-29T12:00Z", &t));
}

TEST(Instant, RefusesWhatIsNotSuchAnInstantAndKeepsTheTime) {
    const DateTime kept = MakeTime(2011, 6, 1, 12, 0);
    for (const char* bad :
         {"", "2026-12-08", "2026-12-08T09:30:00", "2026-12-08 09:30:00Z", "2026-12-08t09:30:00z",
          "2026-12-08T09:30:00+01:00", "2026-12-08T09:30:00.5Z", "2026-1-08T09:30:00Z", " 2026-12-08T09:30Z",
          "2026-12-08T09:30Z ", "20261208T093000Z", "2026-13-08T09:30:00Z", "2026-00-08T09:30:00Z",
          "2026-02-29T09:30:00Z", "2026-04-31T09:30:00Z", "2026-12-00T09:30Z", "2026-12-08T24:00:00Z",
          "2026-12-08T09:60:00Z", "2026-12-08T09:30:60Z", "1900-02-28T23:59Z", "2100-03-01T00:00Z",
          "0000-01-01T00:00Z", "2026-12-08T-9:30Z", "2026-12-08T+9:30Z"}) {
        DateTime t = kept;
        EXPECT_FALSE(ParseUtcInstant(bad, &t)) << bad;
        EXPECT_TRUE(Same(t, kept)) << bad;
    }
}

TEST(Instant, TheClockTakesTheFixedInstantAndReportsABadOne) {
    const DateTime systemUtc = MakeTime(2026, 1, 1, 0, 0), systemLocal = MakeTime(2026, 1, 1, 9, 0);
    SetNativeClock(systemUtc, systemLocal, -540);
    const int reported = NativeBadFixedNowReports();

    SetNativeFixedNow("2026-07-15T14:10:00Z");
    ClockReading now = ReadClock();
    EXPECT_TRUE(Same(now.Utc, MakeTime(2026, 7, 15, 14, 10)));
    EXPECT_TRUE(Same(now.Local, MakeTime(2026, 7, 15, 14, 10)));  // no zone to convert with here
    EXPECT_EQ(now.BiasMinutes, -540);

    SetNativeFixedNow("2026-07-15");
    now = ReadClock();
    EXPECT_TRUE(Same(now.Utc, systemUtc));
    EXPECT_TRUE(Same(now.Local, systemLocal));
    EXPECT_GT(NativeBadFixedNowReports(), reported);

    SetNativeFixedNow("");
    const int before = NativeBadFixedNowReports();
    EXPECT_TRUE(Same(ClockUtcNow(), systemUtc));
    EXPECT_TRUE(Same(ClockLocalNow(), systemLocal));
    EXPECT_EQ(NativeBadFixedNowReports(), before);
}
