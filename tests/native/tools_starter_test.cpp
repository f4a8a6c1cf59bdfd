// The editor's starter library against the system's time-zone database.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/rule_dialog.h"
#include "editor/stock_file.h"
#include "engine/calendar.h"
#include "tools/starter/starter.h"
#include "tools/starter/starter_file.h"
#include "tools/starter/zone_scan.h"

using namespace velkaro;

namespace {

const char kZoneTab[] = "/usr/share/zoneinfo/zone1970.tab";

const std::vector<StarterPlace>& Library() {
    static std::vector<StarterPlace> places;
    static bool built = false;
    if (!built) {
        std::string error;
        built = true;
        EXPECT_TRUE(BuildStarterPlaces(kZoneTab, &places, &error)) << error;
    }
    return places;
}

bool SameMinute(const DateTime& a, const DateTime& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute;
}

// The place's clock as the item shows it, against the zone's wall clock.
bool ShowsZoneTime(const StarterPlace& p, UnixTime utc) {
    const DateTime u = UtcFromUnix(utc);
    DateTime t = u;
    UtcToZoneTime(&t, p.UtcMargin);
    if (!p.DST.empty()) ApplyDst(&t, p.DST, ClockReading{u, u, 0});
    return SameMinute(t, ZoneLocalTime(utc));
}

const StarterPlace* Find(const std::string& zone) {
    for (const StarterPlace& p : Library())
        if (p.Zone == zone) return &p;
    return nullptr;
}

}  // namespace

TEST(StarterTab, CoordinatesNamesAndRegions) {
    double lat = 0, lng = 0;
    ASSERT_TRUE(ParseIso6709("+4230+00131", &lat, &lng));
    EXPECT_DOUBLE_EQ(lat, 42.5);
    EXPECT_NEAR(lng, 1 + 31 / 60.0, 1e-12);
    ASSERT_TRUE(ParseIso6709("-720041+0023206", &lat, &lng));
    EXPECT_NEAR(lat, -(72 + 0 / 60.0 + 41 / 3600.0), 1e-12);
    EXPECT_NEAR(lng, 2 + 32 / 60.0 + 6 / 3600.0, 1e-12);
    for (const char* bad : {"", "+4230", "4230+00131", "+4230+0013", "+4260+00131", "+9130+00131", "+42x0+00131"})
        EXPECT_FALSE(ParseIso6709(bad, &lat, &lng)) << bad;

    ZoneTabEntry e;
    ASSERT_TRUE(ParseZoneTabLine("AE,OM,RE,SC,TF\t+2518+05518\tAsia/Dubai\tCrozet\r", &e));
    EXPECT_EQ(e.Countries, "AE,OM,RE,SC,TF");
    EXPECT_EQ(e.Zone, "Asia/Dubai");
    EXPECT_FALSE(ParseZoneTabLine("# comment\t+2518+05518\tAsia/Dubai", &e));
    EXPECT_FALSE(ParseZoneTabLine("AE\t+2518+05518", &e));
    EXPECT_FALSE(ParseZoneTabLine("AE\t+2518+05518\tUTC", &e));

    EXPECT_EQ(CityName("America/Argentina/Buenos_Aires"), L"Buenos Aires");
    EXPECT_EQ(CityName("America/Port-au-Prince"), L"Port-au-Prince");
    EXPECT_EQ(RegionIndex("Pacific/Auckland"), 8);
    EXPECT_EQ(RegionIndex("Arctic/Longyearbyen"), -1);
}

TEST(StarterLibrary, EveryZoneInItsRegionSortedByName) {
    const auto& places = Library();
    EXPECT_GE(places.size(), 300u);
    const auto groups = GroupByRegion(places);
    size_t total = 0;
    for (int r = 0; r < kStarterRegionCount; ++r) {
        EXPECT_FALSE(groups[r].empty()) << kStarterRegions[r];
        for (size_t i = 0; i < groups[r].size(); ++i) {
            EXPECT_EQ(groups[r][i].Zone.rfind(std::string(kStarterRegions[r]) + "/", 0), 0u);
            if (i) EXPECT_LT(groups[r][i - 1].Name, groups[r][i].Name);
        }
        total += groups[r].size();
    }
    EXPECT_EQ(total, places.size());

    const StarterPlace* sp = Find("America/Sao_Paulo");
    ASSERT_NE(sp, nullptr);
    EXPECT_EQ(sp->Name, L"Sao Paulo");
    EXPECT_EQ(sp->Memo, L"America/Sao_Paulo BR");
    EXPECT_NEAR(sp->Lat, -23.5333, 1e-4);
    EXPECT_NEAR(sp->Lng, -46.6167, 1e-4);
    EXPECT_EQ(sp->UtcMargin, -3.0);
    EXPECT_EQ(sp->DST, L"");
    const StarterPlace* ny = Find("America/New_York");
    ASSERT_NE(ny, nullptr);
    EXPECT_EQ(ny->DST, L"03/S2 02;11/S1 01");
    EXPECT_EQ(Find("Asia/Kathmandu")->UtcMargin, 5.75);
    const StarterPlace* lh = Find("Australia/Lord_Howe");
    ASSERT_NE(lh, nullptr);
    EXPECT_EQ(lh->Memo, std::wstring(L"Australia/Lord_Howe AU, ") + kIrregularMark);
    EXPECT_EQ(lh->UtcMargin, 10.5);
}

TEST(StarterLibrary, EveryClockIsItsZonesAroundEverySwitchAndThroughTheYear) {
    int withRule = 0;
    for (const StarterPlace& p : Library()) {
        ZoneScope scope(p.Zone);
        const ZoneYears z = ZoneOverYears(kStarterFirstYear, kStarterLastYear);
        if (p.DST.empty()) {
            // Without a rule: a zone that keeps one offset, or one marked irregular.
            const bool irregular = p.Memo.find(kIrregularMark) != std::wstring::npos;
            EXPECT_TRUE(z.Changes.empty() || irregular) << p.Zone;
            EXPECT_EQ(irregular, !z.Changes.empty()) << p.Zone;
            if (irregular) continue;
        } else {
            ++withRule;
        }
        for (const ZoneTransition& c : z.Changes)
            for (int minutes : {-30, 30})
                EXPECT_TRUE(ShowsZoneTime(p, c.Utc + 60 * minutes)) << p.Zone << " near a switch";
        for (int y = kStarterFirstYear; y <= kStarterLastYear; ++y)
            for (int month : {1, 4, 7, 10})
                EXPECT_TRUE(ShowsZoneTime(p, UnixFromUtc(y, month, 15, 12))) << p.Zone << " " << y << "-" << month;
    }
    EXPECT_GE(withRule, 90);
}

// Every rule reads and writes back to its own text, and the rule dialog
// confirmed without a change gives it back as it was.
TEST(StarterLibrary, EveryRuleWritesBackAsItWasAlsoThroughTheRuleDialog) {
    int rules = 0, utc = 0;
    for (const StarterPlace& p : Library()) {
        if (p.DST.empty()) continue;
        ++rules;
        DstRule r;
        ASSERT_TRUE(ParseDstRule(p.DST, &r)) << p.Zone;
        EXPECT_EQ(FormatDstRule(r), p.DST) << p.Zone;
        utc += r.Start.Utc;
        const RuleFields shown = RuleFieldsFromText(p.DST);
        EXPECT_EQ(RuleAfterEdit(shown, RuleOpening{p.DST, shown}), p.DST) << p.Zone;
    }
    EXPECT_GE(rules, 90);
    EXPECT_GE(utc, 1);  // Chatham's
    ASSERT_NE(Find("Pacific/Chatham"), nullptr);
    EXPECT_EQ(Find("Pacific/Chatham")->DST, L"09/Se -10U;04/S1 -10U");
}

TEST(StarterLibrary, FileReadsBackInTheEditorWithEveryRecordIntact) {
    const Categories built = StarterCategories(Library());
    const std::string path = ::testing::TempDir() + "starter_Sitarel.ini";
    const std::wstring wpath(path.begin(), path.end());
    int error = 0;
    ASSERT_TRUE(SaveStockFile(built, wpath, &error)) << error;
    Categories read;
    ASSERT_TRUE(LoadStockFile(&read, wpath));
    std::remove(path.c_str());

    EXPECT_EQ(read.Current, 2);
    ASSERT_EQ(CategoryCount(read), 2 + kStarterRegionCount);
    size_t records = 0;
    for (int r = 0; r < kStarterRegionCount; ++r) {
        const int index = 2 + r;
        const std::string region = kStarterRegions[r];
        EXPECT_EQ(read.Names[index], std::wstring(region.begin(), region.end()));
        EXPECT_EQ(read.Fixed[index], 0) << region;  // the user may change every place
        const RecordList& a = built.Stores[index];
        const RecordList& b = read.Stores[index];
        ASSERT_EQ(a.size(), b.size()) << region;
        for (size_t i = 0; i < a.size(); ++i) {
            SCOPED_TRACE(std::string(a[i].Memo.begin(), a[i].Memo.end()));
            EXPECT_EQ(b[i].Number, static_cast<int>(i));
            EXPECT_EQ(b[i].Valid, 1);
            EXPECT_EQ(b[i].Location, a[i].Location);
            EXPECT_EQ(b[i].Lat, a[i].Lat);
            EXPECT_EQ(b[i].Lng, a[i].Lng);
            EXPECT_EQ(b[i].Altitude, 0);
            EXPECT_EQ(b[i].UtcGet, 0);
            EXPECT_EQ(b[i].UtcMargin, a[i].UtcMargin);
            EXPECT_EQ(b[i].DST, a[i].DST);
            EXPECT_EQ(b[i].Memo, a[i].Memo);
        }
        records += b.size();
    }
    EXPECT_EQ(records, Library().size());
}
