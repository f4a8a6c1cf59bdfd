#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "engine/rule_compose.h"
#include <algorithm>
#include <array>
#include "tools/starter/zone_scan.h"

using namespace velkaro;

namespace {

ZoneYears FromDatabase(const std::string& name) {
    EXPECT_TRUE(ZoneKnown(name)) << name;
    ZoneScope scope(name);
    return ZoneOverYears(2026, 2030);
}

// Two switches a year at the given UTC dates and hour.
ZoneYears Synthetic(int standard, const std::vector<std::array<int, 4>>& starts,
                    const std::vector<std::array<int, 4>>& ends, bool southern) {
    ZoneYears z;
    z.FirstYear = starts.front()[0];
    z.LastYear = starts.back()[0];
    z.StandardOffset = standard;
    z.OffsetAtStart = southern ? standard + 3600 : standard;
    std::vector<ZoneTransition> all;
    for (auto& s : starts) all.push_back({UnixFromUtc(s[0], s[1], s[2], s[3]), standard, standard + 3600});
    for (auto& e : ends) all.push_back({UnixFromUtc(e[0], e[1], e[2], e[3]), standard + 3600, standard});
    std::sort(all.begin(), all.end(), [](auto& a, auto& b) { return a.Utc < b.Utc; });
    z.Changes = all;
    return z;
}

DateTime Date(int y, int mo, int d, int h = 0, int mi = 0, int dow = 0) {
    DateTime s = MakeTime(y, mo, d, h, mi);
    s.wDayOfWeek = static_cast<uint16_t>(dow);
    return s;
}

TimeZoneRecord Record(int bias, int daylightBias, DateTime standardDate, DateTime daylightDate) {
    TimeZoneRecord r;
    r.Bias = bias;
    r.DaylightBias = daylightBias;
    r.StandardDate = standardDate;
    r.DaylightDate = daylightDate;
    return r;
}

}  // namespace

TEST(RuleFromZone, RealZonesGiveTheirRulesOnTheStandardScale) {
    struct Case {
        const char* zone;
        const wchar_t* rule;
        double standard;
    } cases[] = {
        {"America/New_York", L"03/S2 02;11/S1 01", -5.0},
        {"America/St_Johns", L"03/S2 02;11/S1 01", -3.5},
        {"Europe/London", L"03/Se 01;10/Se 01", 0.0},
        {"Europe/Dublin", L"03/Se 01;10/Se 01", 0.0},  // its data calls summer standard time
        {"Europe/Paris", L"03/Se 02;10/Se 02", 1.0},
        {"Europe/Helsinki", L"03/Se 03;10/Se 03", 2.0},
        {"Atlantic/Azores", L"03/Se 00;10/Se 00", -1.0},
        {"Australia/Sydney", L"10/S1 02;04/S1 02", 10.0},
        {"Pacific/Auckland", L"09/Se 02;04/S1 02", 12.0},
    };
    for (const Case& c : cases) {
        ComposedRule r = ComposeRuleFromTransitions(FromDatabase(c.zone));
        EXPECT_EQ(r.Result, kRuleFound) << c.zone;
        EXPECT_EQ(r.Rule, c.rule) << c.zone;
        EXPECT_EQ(r.StandardHours, c.standard) << c.zone;
    }
}

TEST(RuleFromZone, ZonesWithoutOneHourYearlySwitchesGetNoRule) {
    ComposedRule tokyo = ComposeRuleFromTransitions(FromDatabase("Asia/Tokyo"));
    EXPECT_EQ(tokyo.Result, kNoDst);
    EXPECT_EQ(tokyo.Rule, L"");
    EXPECT_EQ(tokyo.StandardHours, 9.0);
    EXPECT_EQ(ComposeRuleFromTransitions(FromDatabase("Asia/Kolkata")).StandardHours, 5.5);
    // Half an hour of daylight saving; two hours; switches that follow the lunar calendar.
    const std::pair<const char*, double> irregular[] = {
        {"Australia/Lord_Howe", 10.5}, {"Antarctica/Troll", 0.0}, {"Africa/Casablanca", 1.0}};
    for (const auto& [zone, standard] : irregular) {
        ComposedRule r = ComposeRuleFromTransitions(FromDatabase(zone));
        EXPECT_EQ(r.Result, kRuleInexact) << zone;
        EXPECT_EQ(r.Rule, L"") << zone;
        EXPECT_EQ(r.StandardHours, standard) << zone;
    }
}

TEST(RuleFromZone, SwitchOffTheStandardHourIsStatedInUtc) {
    // Last Sundays of March and October at 01:00 UTC, standard +5:30.
    ZoneYears z = Synthetic(19800, {{2026, 3, 29, 1}, {2027, 3, 28, 1}, {2028, 3, 26, 1}},
                            {{2026, 10, 25, 1}, {2027, 10, 31, 1}, {2028, 10, 29, 1}}, false);
    ComposedRule r = ComposeRuleFromTransitions(z);
    EXPECT_EQ(r.Result, kRuleFound);
    EXPECT_EQ(r.Rule, L"03/Se 01U;10/Se 01U");
    EXPECT_EQ(r.StandardHours, 5.5);
}

TEST(RuleFromZone, SwitchLateOnSaturdayKeepsItsWeekdayOrBecomesANegativeHour) {
    // Standard -4. Off at 03:00 UTC on the first Sunday of April on or after
    // the 2nd: 23:00 standard on the first Saturday, in every year.
    ZoneYears chile = Synthetic(-14400, {{2027, 9, 5, 4}, {2028, 9, 3, 4}, {2029, 9, 2, 4}},
                                {{2027, 4, 4, 3}, {2028, 4, 2, 3}, {2029, 4, 8, 3}}, true);
    EXPECT_EQ(ComposeRuleFromTransitions(chile).Rule, L"09/S1 00;04/A1 23");
    // On at 03:00 UTC on the last Sunday of March: the Saturday before it is
    // the last Saturday in some years and the fourth in others, so the rule
    // names the Sunday with hour -1.
    ZoneYears z = Synthetic(-14400, {{2027, 3, 28, 3}, {2028, 3, 26, 3}, {2029, 3, 25, 3}, {2030, 3, 31, 3}},
                            {{2027, 11, 7, 4}, {2028, 11, 5, 4}, {2029, 11, 4, 4}, {2030, 11, 3, 4}}, false);
    ComposedRule r = ComposeRuleFromTransitions(z);
    EXPECT_EQ(r.Result, kRuleFound);
    EXPECT_EQ(r.Rule, L"03/Se -1;11/S1 00");
}

TEST(RuleFromZone, DatesNoOccurrenceNamesAreIrregular) {
    // The first Sunday on or after the 2nd, at midnight standard time: the
    // first Sunday of September 2029, the second of September 2030.
    ZoneYears z = Synthetic(-14400, {{2029, 9, 2, 4}, {2030, 9, 8, 4}}, {{2029, 4, 8, 3}, {2030, 4, 7, 3}}, true);
    EXPECT_EQ(ComposeRuleFromTransitions(z).Result, kRuleInexact);
    // A fixed date is the day form.
    ZoneYears fixed = Synthetic(0, {{2026, 3, 21, 2}, {2027, 3, 21, 2}}, {{2026, 9, 22, 1}, {2027, 9, 22, 1}},
                                false);
    EXPECT_EQ(ComposeRuleFromTransitions(fixed).Rule, L"03/21 02;09/22 01");
    // Off the whole hour on both scales.
    ZoneYears odd = Synthetic(19800, {{2026, 3, 29, 1}, {2027, 3, 28, 1}}, {{2026, 10, 25, 1}, {2027, 10, 31, 1}},
                              false);
    odd.Changes[1].Utc += 900;
    EXPECT_EQ(ComposeRuleFromTransitions(odd).Result, kRuleInexact);
    // A year without its pair of switches.
    ZoneYears gap = Synthetic(3600, {{2026, 3, 29, 1}, {2027, 3, 28, 1}}, {{2026, 10, 25, 1}, {2027, 10, 31, 1}},
                              false);
    gap.LastYear = 2028;
    EXPECT_EQ(ComposeRuleFromTransitions(gap).Result, kRuleInexact);
}

TEST(RuleFromZone, ReplayOfAUtcRuleMatchesTheItemsEvaluationAtThatInstant) {
    const std::wstring rule = L"03/Se 01U;10/Se 01U";
    for (UnixTime t : {UnixFromUtc(2026, 3, 29, 0, 59), UnixFromUtc(2026, 3, 29, 1, 0),
                       UnixFromUtc(2026, 7, 1, 12), UnixFromUtc(2026, 10, 25, 0, 59),
                       UnixFromUtc(2026, 10, 25, 1, 0), UnixFromUtc(2026, 12, 1)}) {
        const DateTime utc = UtcFromUnix(t);
        DateTime local = utc;
        UtcToZoneTime(&local, 5.5);
        EXPECT_EQ(ReplayRule(rule, 5.5, t), ApplyDst(&local, rule, ClockReading{utc, local, -330}));
    }
    EXPECT_EQ(ReplayRule(rule, 5.5, UnixFromUtc(2026, 3, 29, 1, 0)), 1);
    EXPECT_EQ(ReplayRule(rule, 5.5, UnixFromUtc(2026, 3, 29, 0, 59)), 0);
}

TEST(RuleFromRecord, RealRecordsGiveRulesWithTheEndOnTheStandardScale) {
    struct Case {
        const char* name;
        TimeZoneRecord record;
        int result;
        const wchar_t* rule;
        double standard;
    } cases[] = {
        {"Pacific Standard Time", Record(480, -60, Date(0, 11, 1, 2), Date(0, 3, 2, 2)), kRuleFound,
         L"03/S2 02;11/S1 01", -8.0},
        {"W. Europe Standard Time", Record(-60, -60, Date(0, 10, 5, 3), Date(0, 3, 5, 2)), kRuleFound,
         L"03/Se 02;10/Se 02", 1.0},
        {"AUS Eastern Standard Time", Record(-600, -60, Date(0, 4, 1, 3), Date(0, 10, 1, 2)), kRuleFound,
         L"10/S1 02;04/S1 02", 10.0},
        {"New Zealand Standard Time", Record(-720, -60, Date(0, 4, 1, 3), Date(0, 9, 5, 2)), kRuleFound,
         L"09/Se 02;04/S1 02", 12.0},
        {"Tokyo Standard Time", Record(-540, 0, DateTime{}, DateTime{}), kNoDst, L"", 9.0},
        {"India Standard Time", Record(-330, 0, DateTime{}, DateTime{}), kNoDst, L"", 5.5},
        // Daylight saving ending at midnight: 23:00 standard on the Saturday before.
        {"E. South America Standard Time (2018)", Record(180, -60, Date(0, 2, 3, 0), Date(0, 11, 1, 0)),
         kRuleFound, L"11/S1 00;02/S3 -1", -3.0},
    };
    for (const Case& c : cases) {
        ComposedRule r = RuleFromTimeZoneRecord(c.record);
        EXPECT_EQ(r.Result, c.result) << c.name;
        EXPECT_EQ(r.Rule, c.rule) << c.name;
        EXPECT_EQ(r.StandardHours, c.standard) << c.name;
    }
    // The midnight end through the item's evaluation: 16 February 2019 was that Saturday.
    const std::wstring brazil = RuleFromTimeZoneRecord(cases[6].record).Rule;
    DateTime before = MakeTime(2019, 2, 16, 22, 30), at = MakeTime(2019, 2, 16, 23, 0);
    EXPECT_EQ(ApplyDst(&before, brazil, ClockReading{}), 1);
    EXPECT_EQ(ApplyDst(&at, brazil, ClockReading{}), 0);
}

TEST(RuleFromRecord, RecordsNoRuleStatesExactly) {
    // The last Thursday at 23:59:59.999, as some records mark the end of a day.
    DateTime endOfDay = Date(0, 3, 5, 23, 59, 4);
    endOfDay.wSecond = 59;
    endOfDay.wMilliseconds = 999;
    ComposedRule r = RuleFromTimeZoneRecord(Record(-120, -60, Date(0, 10, 5, 1, 0, 5), endOfDay));
    EXPECT_EQ(r.Result, kRuleInexact);
    EXPECT_EQ(r.Rule, L"03/He 23;10/Fe 00");
    // Half an hour of daylight saving.
    EXPECT_EQ(RuleFromTimeZoneRecord(Record(-630, -30, Date(0, 4, 1, 2), Date(0, 10, 1, 2))).Result,
              kRuleInexact);
    // A weekday or an occurrence out of range.
    ComposedRule bad = RuleFromTimeZoneRecord(Record(0, -60, Date(0, 10, 6, 2), Date(0, 3, 5, 1, 0, 7)));
    EXPECT_EQ(bad.Result, kRuleInexact);
    EXPECT_EQ(bad.Rule, L"");
    // A fixed date in one year is the day form; the end of a day is the next day's midnight.
    DateTime on = Date(2022, 3, 21, 23, 59), off = Date(2022, 9, 21, 23, 59);
    on.wSecond = off.wSecond = 59;
    on.wMilliseconds = off.wMilliseconds = 999;
    ComposedRule iran = RuleFromTimeZoneRecord(Record(-210, -60, off, on));
    EXPECT_EQ(iran.Result, kRuleFound);
    EXPECT_EQ(iran.Rule, L"03/22 00;09/21 23");
    EXPECT_EQ(iran.StandardHours, 3.5);
}

TEST(RuleFromRecord, TziBytesAreReadLittleEndian) {
    // "Pacific Standard Time" as the registry stores it.
    const std::vector<uint8_t> pacific = {
        0xe0, 0x01, 0, 0, 0, 0, 0, 0, 0xc4, 0xff, 0xff, 0xff,          // Bias, StandardBias, DaylightBias
        0, 0, 11, 0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0,                // StandardDate
        0, 0, 3, 0, 0, 0, 2, 0, 2, 0, 0, 0, 0, 0, 0, 0};                // DaylightDate
    TimeZoneRecord r;
    ASSERT_TRUE(ParseTziBytes(pacific, &r));
    EXPECT_EQ(r.Bias, 480);
    EXPECT_EQ(r.DaylightBias, -60);
    EXPECT_EQ(r.StandardDate.wMonth, 11);
    EXPECT_EQ(r.DaylightDate.wDay, 2);
    EXPECT_EQ(RuleFromTimeZoneRecord(r).Rule, L"03/S2 02;11/S1 01");
    TimeZoneRecord untouched;
    untouched.Bias = 7;
    EXPECT_FALSE(ParseTziBytes(std::vector<uint8_t>(pacific.begin(), pacific.end() - 1), &untouched));
    EXPECT_EQ(untouched.Bias, 7);
}
