#include <gtest/gtest.h>

#include <cmath>

#include "editor/rule_zones.h"

using namespace velkaro;

namespace {

void Put16(std::vector<uint8_t>* b, int v) {
    b->push_back(static_cast<uint8_t>(v & 0xff));
    b->push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

void Put32(std::vector<uint8_t>* b, int v) {
    for (int i = 0; i < 4; ++i) b->push_back(static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * i)) & 0xff));
}

// One recurring switch: month, occurrence (5 the last), weekday, hour; all 0
// for none. A year makes it a fixed date.
struct Switch {
    int Month = 0, Occurrence = 0, Weekday = 0, Hour = 0, Year = 0, Minute = 0;
};

void PutDate(std::vector<uint8_t>* b, const Switch& s) {
    for (int v : {s.Year, s.Month, s.Weekday, s.Occurrence, s.Hour, s.Minute, 0, 0}) Put16(b, v);
}

// A zone as the registry's binary "TZI" holds it.
std::vector<uint8_t> Tzi(int bias, int daylightBias, Switch end, Switch start) {
    std::vector<uint8_t> b;
    Put32(&b, bias);
    Put32(&b, 0);
    Put32(&b, daylightBias);
    PutDate(&b, end);
    PutDate(&b, start);
    return b;
}

const std::vector<uint8_t> kWestEurope = Tzi(-60, -60, {10, 5, 0, 3}, {3, 5, 0, 2});
const std::vector<uint8_t> kPacific = Tzi(480, -60, {11, 1, 0, 2}, {3, 2, 0, 2});
const std::vector<uint8_t> kAusEastern = Tzi(-600, -60, {4, 1, 0, 3}, {10, 1, 0, 2});
const std::vector<uint8_t> kNewZealand = Tzi(-720, -60, {4, 1, 0, 3}, {9, 5, 0, 2});
const std::vector<uint8_t> kTokyo = Tzi(-540, 0, {}, {});
const std::vector<uint8_t> kUtc = Tzi(0, 0, {}, {});

TimeZoneRecord Parsed(const std::vector<uint8_t>& tzi) {
    TimeZoneRecord r;
    EXPECT_TRUE(ParseTziBytes(tzi, &r));
    return r;
}

}  // namespace

TEST(ZoneList, OffersReadableZonesFromTheWestWithTheirDisplayNames) {
    SetPlatformTimeZones({{L"W. Europe Standard Time", L"(UTC+01:00) Amsterdam, Berlin", kWestEurope},
                          {L"Broken", L"(UTC) cut short", std::vector<uint8_t>(kTokyo.begin(), kTokyo.end() - 2)},
                          {L"Tokyo Standard Time", L"", kTokyo},
                          {L"Pacific Standard Time", L"(UTC-08:00) Pacific Time", kPacific},
                          {L"UTC", L"(UTC) Coordinated Universal Time", kUtc},
                          {L"Romance Standard Time", L"(UTC+01:00) Brussels, Paris", kWestEurope},
                          {L"No record", L"(UTC+02:00) nothing", {}}});
    const std::vector<ZoneEntry> list = ZoneEntries(ReadPlatformTimeZones());
    SetPlatformTimeZones({});
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].Key, L"Pacific Standard Time");
    EXPECT_EQ(list[0].StandardHours, -8.0);
    EXPECT_EQ(list[1].Display, L"(UTC) Coordinated Universal Time");
    EXPECT_FALSE(std::signbit(list[1].StandardHours));
    // Same offset: by display name.
    EXPECT_EQ(list[2].Key, L"W. Europe Standard Time");
    EXPECT_EQ(list[3].Key, L"Romance Standard Time");
    // No display name: the key stands in.
    EXPECT_EQ(list[4].Display, L"Tokyo Standard Time");
    EXPECT_EQ(list[4].StandardHours, 9.0);
}

TEST(ZoneList, ChoosingAZoneFillsTheFieldsWithItsRuleOnTheStandardScale) {
    struct Case {
        const std::vector<uint8_t>& tzi;
        const wchar_t* rule;
        double hours;
    } cases[] = {{kWestEurope, L"03/Se 02;10/Se 02", 1.0},
                 {kPacific, L"03/S2 02;11/S1 01", -8.0},
                 {kAusEastern, L"10/S1 02;04/S1 02", 10.0},
                 {kNewZealand, L"09/Se 02;04/S1 02", 12.0}};
    for (const Case& c : cases) {
        RuleFields f;
        f.DayForm = true;
        const ZoneChoice zone = ChooseZone(Parsed(c.tzi), &f);
        EXPECT_TRUE(zone.Chosen);
        EXPECT_TRUE(zone.HasDst);
        EXPECT_EQ(zone.StandardHours, c.hours);
        EXPECT_FALSE(f.DayForm);
        EXPECT_EQ(RuleOnOk(f, zone, RuleOpening{}), c.rule);
    }
}

TEST(ZoneList, AZoneWithoutDaylightSavingEmptiesTheRuleOnOk) {
    RuleFields f = RuleFieldsFromText(L"03/Se 02;10/Se 02");
    const ZoneChoice tokyo = ChooseZone(Parsed(kTokyo), &f);
    EXPECT_TRUE(tokyo.Chosen);
    EXPECT_FALSE(tokyo.HasDst);
    EXPECT_EQ(tokyo.StandardHours, 9.0);
    EXPECT_EQ(ComposeRule(f), L"03/Se 02;10/Se 02");  // the fields are left as shown
    EXPECT_EQ(RuleOnOk(f, tokyo, RuleOpening{}), L"");
    // Without a choice OK keeps the fields' rule.
    EXPECT_EQ(RuleOnOk(f, ZoneChoice(), RuleOpening{}), L"03/Se 02;10/Se 02");
}

TEST(ZoneList, ARecordTheFieldsCannotShowLeavesThemAlone) {
    // Daylight saving on a fixed date, ending on a recurring one: the dialog
    // has one form for both halves.
    RuleFields f = RuleFieldsFromText(L"04/S1 03;10/Se 03");
    const ZoneChoice mixed = ChooseZone(Parsed(Tzi(-120, -60, {10, 5, 0, 3}, {3, 21, 0, 2, 2024})), &f);
    EXPECT_TRUE(mixed.Chosen);
    EXPECT_EQ(mixed.StandardHours, 2.0);
    EXPECT_EQ(ComposeRule(f), L"04/S1 03;10/Se 03");
}

TEST(ZoneList, AChosenZonesRuleReplacesAStoredOneThatShowsTheSame) {
    // The fields look alike, but the stored hours are UTC and the zone's are not.
    const std::wstring stored = L"03/Se 02U;10/Se 02U";
    const RuleFields shown = RuleFieldsFromText(stored);
    RuleFields f = shown;
    const ZoneChoice europe = ChooseZone(Parsed(kWestEurope), &f);
    EXPECT_EQ(RuleOnOk(f, europe, RuleOpening{stored, shown}), L"03/Se 02;10/Se 02");
    EXPECT_EQ(RuleOnOk(shown, ZoneChoice(), RuleOpening{stored, shown}), stored);
}

TEST(ZoneList, AZoneTheRuleCannotStateFillsTheNearestAndSaysHow) {
    // Chatham switches at 02:45 standard and 03:45 daylight time.
    RuleFields f;
    const ZoneChoice chatham = ChooseZone(Parsed(Tzi(-765, -60, {4, 1, 0, 3, 0, 45}, {9, 5, 0, 2, 0, 45})), &f);
    EXPECT_EQ(chatham.StandardHours, 12.75);
    EXPECT_EQ(ComposeRule(f), L"09/Se 03;04/S1 03");
    EXPECT_NE(chatham.Caveat.find(L"approximate"), std::wstring::npos) << std::string(chatham.Caveat.begin(), chatham.Caveat.end());
    EXPECT_NE(chatham.Caveat.find(L"02:45 and 03:45"), std::wstring::npos);
    // Lord Howe moves its clocks by half an hour.
    const ZoneChoice lordHowe = ChooseZone(Parsed(Tzi(-630, -30, {4, 1, 0, 2}, {10, 1, 0, 2})), &f);
    EXPECT_EQ(ComposeRule(f), L"10/S1 02;04/S1 02");
    EXPECT_NE(lordHowe.Caveat.find(L"30 minutes"), std::wstring::npos);
    EXPECT_EQ(lordHowe.Caveat.find(L"02:00"), std::wstring::npos);
    // A record the fields cannot show at all says so too; an exact one says nothing.
    EXPECT_NE(ChooseZone(Parsed(Tzi(-120, -60, {10, 5, 0, 3}, {3, 21, 0, 2, 2024})), &f).Caveat, L"");
    EXPECT_EQ(ChooseZone(Parsed(kWestEurope), &f).Caveat, L"");
    EXPECT_EQ(ChooseZone(Parsed(kTokyo), &f).Caveat, L"");

    ZoneEntry entry;
    entry.Display = L"(UTC+12:45) Chatham Islands";
    EXPECT_EQ(ZoneNote(entry, chatham), L"(UTC+12:45) Chatham Islands\n" + chatham.Caveat);
    EXPECT_EQ(ZoneNote(entry, ZoneChoice()), L"(UTC+12:45) Chatham Islands");
}

TEST(ZoneList, TypingChoosesTheZoneWhoseNameStartsWithAllThatWasTyped) {
    const std::vector<std::wstring> names = {L"", L"(UTC-12:00) International Date Line West",
                                             L"(UTC+01:00) Amsterdam, Berlin", L"(UTC+01:00) Brussels, Paris",
                                             L"(UTC+12:45) Chatham Islands"};
    auto type = [&](ZoneTypeAhead* t, const std::wstring& text, uint32_t at) {
        int found = -1;
        for (wchar_t ch : text) found = FindTypedZone(t, ch, at += 100, names);
        return found;
    };
    ZoneTypeAhead t;
    EXPECT_EQ(type(&t, L"(UTC+01:00) Am", 1000), 2);
    ZoneTypeAhead u;
    EXPECT_EQ(type(&u, L"(utc+01:00) b", 1000), 3);  // case does not matter
    // The name after the offset will do, and a pause starts anew.
    ZoneTypeAhead v;
    EXPECT_EQ(type(&v, L"chat", 1000), 4);
    EXPECT_EQ(type(&v, L"bru", 5000), 3);
    EXPECT_EQ(FindTypedZone(&v, L'\b', 5500, names), 3);  // "br"
    EXPECT_EQ(FindTypedZone(&v, L'x', 5600, names), -1);
    EXPECT_EQ(v.Typed, L"brx");
}
