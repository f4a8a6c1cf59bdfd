#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "editor/stock_file.h"
#include "tools/almanac/command.h"
#include "tools/almanac/places.h"
#include "tools/starter/starter.h"
#include "tools/starter/starter_file.h"
#include "tools/starter/zone_scan.h"

using namespace velkaro;

namespace {

struct Event {
    double t, v;
};

struct DayFixture {
    int place, year, month, day, body;
    Event rise[2], culmination[2], set[2];
};

const DayFixture kDays[] = {
#include "engine_event_fixtures.inc"
};

// Latitude, longitude and zone as the command takes them, in the fixtures' order.
const char* const kFixturePlaces[][3] = {
    {"35.68", "139.75", "9"}, {"-33.87", "151.2", "10"}, {"51.51", "-0.13", "0"},
    {"40.72", "-74.0", "-5"}, {"1.29", "103.86", "8"},   {"21.31", "-157.83", "-10"},
    {"29.02", "77.38", "5.5"}, {"-54.8", "-68.3", "-3"}, {"60.17", "24.94", "2"},
    {"69.65", "18.96", "1"},  {"78.22", "15.65", "1"},   {"-77.85", "166.67", "12"},
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    for (char c : line) {
        if (c == ',') {
            fields.push_back(field);
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(field);
    return fields;
}

int Minutes(const std::string& hhmm) {
    return std::stoi(hhmm.substr(0, 2)) * 60 + std::stoi(hhmm.substr(3, 2));
}

AlmanacResult Almanac(std::vector<std::string> args) { return RunAlmanac(args); }

// A library as the build makes it, through the starter's own code from the
// system's time-zone database, for a few zones.
const std::string& StarterLibrary() {
    static std::string path;
    if (!path.empty()) return path;
    std::vector<StarterPlace> places;
    std::ifstream tab("/usr/share/zoneinfo/zone1970.tab");
    for (std::string line; std::getline(tab, line);) {
        ZoneTabEntry e;
        if (!ParseZoneTabLine(line, &e)) continue;
        if (e.Zone != "Europe/Zurich" && e.Zone != "Australia/Sydney" && e.Zone != "America/Argentina/Buenos_Aires" &&
            e.Zone != "Pacific/Chatham")
            continue;
        ZoneScope scope(e.Zone);
        places.push_back(MakeStarterPlace(e, ZoneOverYears(kStarterFirstYear, kStarterLastYear)));
    }
    EXPECT_EQ(places.size(), 4u);
    path = ::testing::TempDir() + "almanac_starter.ini";
    int error = 0;
    EXPECT_TRUE(SaveStockFile(StarterCategories(places), std::wstring(path.begin(), path.end()), &error));
    return path;
}

EditorRecord Record(const wchar_t* name, double lat, double lng, double zone, const wchar_t* rule) {
    EditorRecord r;
    r.Valid = 1;
    r.Location = name;
    r.Lat = lat;
    r.Lng = lng;
    r.UtcMargin = zone;
    r.DST = rule;
    r.ExistDST = *rule ? 1 : 0;
    return r;
}

// A user's own file: accented names, one name for two places (and a copy).
const std::string& UserLibrary() {
    static std::string path;
    if (!path.empty()) return path;
    Categories c;
    ResetCategories(&c);
    const wchar_t kUs[] = L"03/S2 02;11/S1 01";
    const int trips = AddCategory(&c, L"Trips", 0);
    c.Stores[trips] = {Record(L"Genève", 46.2, 6.15, 1, L"03/Se 02;10/Se 02"),
                       Record(L"Springfield", 39.8, -89.65, -6, kUs)};
    const int west = AddCategory(&c, L"US West", 0);
    c.Stores[west] = {Record(L"Springfield", 44.05, -123.02, -8, kUs)};
    const int favourites = AddCategory(&c, L"Favourites", 0);
    c.Stores[favourites] = {Record(L"Springfield", 39.8, -89.65, -6, kUs)};
    path = ::testing::TempDir() + "almanac_user.ini";
    int error = 0;
    EXPECT_TRUE(SaveStockFile(c, std::wstring(path.begin(), path.end()), &error));
    return path;
}

std::vector<std::string> Row(const AlmanacResult& r, size_t line = 1) { return Fields(Lines(r.out).at(line)); }

// The day column of a one-row table.
std::string DayOf(const AlmanacResult& r) { return Fields(Lines(r.out).at(1)).at(8); }

}  // namespace

// Every printed time is the exact event cut to the minute (within the engine's
// few seconds), and every angle agrees to a tenth of a degree.
TEST(Almanac, DaysAgreeWithEphemeris) {
    int checked = 0;
    for (const DayFixture& f : kDays) {
        if (f.year != 2025 || f.month != 5) continue;
        char from[16];
        std::snprintf(from, sizeof from, "%04d-%02d-%02d", f.year, f.month, f.day);
        const auto& p = kFixturePlaces[f.place];
        const AlmanacResult r = Almanac({"days", "--lat", p[0], "--lng", p[1], "--zone", p[2], "--from",
                                     from, "--bodies", std::to_string(f.body)});
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const std::vector<std::string> lines = Lines(r.out);
        ASSERT_EQ(lines.size(), 2u);
        const std::vector<std::string> row = Fields(lines[1]);
        ASSERT_EQ(row.size(), 9u);
        EXPECT_EQ(row[0], from);
        const Event* lists[3] = {f.rise, f.culmination, f.set};
        for (int k = 0; k < 3; ++k) {
            const std::string& time = row[2 + 2 * k];
            const std::string& angle = row[3 + 2 * k];
            const std::string where = lines[1] + " place " + std::to_string(f.place);
            EXPECT_EQ(time.empty(), angle.empty()) << where;
            if (time.empty()) continue;
            const Event* best = nullptr;
            for (int i = 0; i < 2; ++i)
                if (lists[k][i].t >= 0 &&
                    (!best || std::fabs(lists[k][i].t - 60 * Minutes(time)) <
                                  std::fabs(best->t - 60 * Minutes(time))))
                    best = &lists[k][i];
            ASSERT_NE(best, nullptr) << where;
            const double slack = f.body == 9 ? 25 : 10;
            EXPECT_LE(60 * Minutes(time), best->t + slack) << where;
            EXPECT_GT(60 * Minutes(time) + 60, best->t - slack) << where;
            const double diff = std::remainder(std::stod(angle) - best->v, 360.0);
            EXPECT_LE(std::fabs(diff), std::fabs(std::stod(p[0])) > 60 ? 0.5 : 0.1) << where;
            ++checked;
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(Almanac, DaysLayout) {
    AlmanacResult r = Almanac({"days", "--city", "tOKYO", "--from", "2024-12-31", "--days", "3",
                           "--bodies", "95"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.empty());
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "date,body,rise,rise_azimuth,culmination,culmination_altitude,set,set_azimuth,day");
    EXPECT_EQ(lines[1].substr(0, 17), "2024-12-31,Pluto,");
    EXPECT_EQ(lines[2].substr(0, 17), "2024-12-31,Venus,");
    EXPECT_EQ(lines[5].substr(0, 17), "2025-01-02,Pluto,");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_EQ(r.out.back(), '\n');
    // A city is its coordinates and zone.
    EXPECT_EQ(r.out, Almanac({"days", "--lat", "35.68", "--lng", "139.75", "--zone", "9", "--from",
                          "2024-12-31", "--days=3", "--bodies", "95"})
                         .out);

    // All ten bodies by default, in body order.
    lines = Lines(Almanac({"days", "--city", "London", "--from", "2025-03-01"}).out);
    ASSERT_EQ(lines.size(), 11u);
    const char* const names[] = {"Sun",    "Moon",   "Mars",   "Mercury", "Jupiter",
                                 "Venus",  "Saturn", "Uranus", "Neptune", "Pluto"};
    for (int b = 0; b < 10; ++b) EXPECT_EQ(Fields(lines[1 + b])[1], names[b]);

    // Midnight sun: no rise or set, only the culmination.
    r = Almanac({"days", "--lat", "70", "--lng", "25", "--zone", "1", "--from", "2025-06-21",
             "--bodies", "0"});
    std::vector<std::string> row = Fields(Lines(r.out)[1]);
    EXPECT_EQ(row[2] + row[3] + row[6] + row[7], "");
    EXPECT_EQ(row[5], "43.5");
    EXPECT_EQ(row[8], "up");
    EXPECT_EQ(DayOf(Almanac({"days", "--city", "Tokyo", "--from", "2025-06-21", "--bodies", "0"})), "");

    // Height lowers the horizon: an earlier rise and a later set.
    const std::vector<std::string> base =
        Fields(Lines(Almanac({"days", "--city", "Tokyo", "--from", "2025-03-01", "--bodies", "0"}).out)[1]);
    const std::vector<std::string> high = Fields(Lines(Almanac({"days", "--city", "Tokyo", "--height",
                                                            "500", "--from", "2025-03-01",
                                                            "--bodies", "0"})
                                                           .out)[1]);
    EXPECT_LT(Minutes(high[2]), Minutes(base[2]));
    EXPECT_GT(Minutes(high[6]), Minutes(base[6]));
    EXPECT_EQ(high[4], base[4]);
}

TEST(Almanac, NowRecords) {
    AlmanacResult r = Almanac({"now", "--lat", "70", "--lng", "25", "--zone", "1", "--at",
                           "2025-06-21T00:13", "--bodies", "01"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "body,record,valid,date,time,minute_stamp,azimuth,altitude,day");
    const char* const records[] = {"Now", "PrevSet", "Rise", "Culmination", "Set", "NextRise"};
    for (int i = 0; i < 12; ++i) {
        const std::vector<std::string> f = Fields(lines[1 + i]);
        ASSERT_EQ(f.size(), 9u);
        EXPECT_EQ(f[0], i < 6 ? "Sun" : "Moon");
        if (i < 6) EXPECT_EQ(f[8], "up");
        EXPECT_EQ(f[1], records[i % 6]);
    }
    // The moment keeps its minute, with azimuth and altitude.
    std::vector<std::string> now = Fields(lines[1]);
    EXPECT_EQ(now[2] + "|" + now[3] + "|" + now[4], "1|2025-06-21|00:13");
    EXPECT_EQ(std::stoi(now[5]), 1440 * 9303 + 13);  // 9303 days after 2000-01-01
    EXPECT_FALSE(now[6].empty() || now[7].empty());
    // Absent events carry only their validity and a zero stamp.
    EXPECT_EQ(lines[3], "Sun,Rise,0,,,0,,,up");
    EXPECT_EQ(lines[2], "Sun,PrevSet,0,,,0,,,up");
    std::vector<std::string> culm = Fields(lines[4]);
    EXPECT_EQ(culm[2] + "|" + culm[3] + "|" + culm[4], "1|2025-06-22|11:22");  // the next day's
    EXPECT_TRUE(culm[6].empty());
    EXPECT_EQ(culm[7], "43.4");

    // A rise holds an azimuth and no altitude.
    lines = Lines(Almanac({"now", "--city", "Tokyo", "--at", "2025-03-01T10:00", "--bodies", "0"}).out);
    std::vector<std::string> rise = Fields(lines[3]);
    EXPECT_EQ(rise[1] + rise[2] + rise[3], "Rise12025-03-01");
    EXPECT_FALSE(rise[6].empty());
    EXPECT_TRUE(rise[7].empty());
}

// Polar day and polar night look alike in the times; the day column tells them apart.
TEST(Almanac, PolarDayAndNightAtTromso) {
    const std::vector<std::string> tromso = {"--lat", "69.65", "--lng", "18.96", "--zone", "1"};
    auto days = [&](const std::string& from) {
        std::vector<std::string> args = {"days"};
        args.insert(args.end(), tromso.begin(), tromso.end());
        args.insert(args.end(), {"--from", from, "--bodies", "0"});
        return Almanac(args);
    };
    const std::vector<std::string> june = Fields(Lines(days("2026-06-21").out)[1]);
    const std::vector<std::string> december = Fields(Lines(days("2026-12-21").out)[1]);
    EXPECT_EQ(june[2] + june[6], "");
    EXPECT_EQ(december[2] + december[6], "");
    EXPECT_EQ(june[8], "up");
    EXPECT_EQ(december[8], "down");
    // In March the Sun rises and sets there.
    EXPECT_EQ(Fields(Lines(days("2026-03-21").out)[1])[8], "");

    std::vector<std::string> now = {"now"};
    now.insert(now.end(), tromso.begin(), tromso.end());
    now.insert(now.end(), {"--at", "2026-12-21T12:00", "--bodies", "0"});
    const std::vector<std::string> lines = Lines(Almanac(now).out);
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i])[8], "down") << lines[i];
}

TEST(Almanac, MoonAgeAndPhase) {
    EXPECT_EQ(Almanac({"moon", "--zone", "9", "--at", "2010-01-15T16:11"}).out, "age,phase_index\n0.0,0\n");
    EXPECT_EQ(Almanac({"moon", "--zone", "9", "--at", "2010-01-15T16:10"}).out, "age,phase_index\n29.8,0\n");
    EXPECT_EQ(Almanac({"moon", "--zone", "0", "--at", "2010-01-30T06:18"}).out.substr(16), "15.0,14\n");
}

TEST(Almanac, BadArguments) {
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"tides"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--colour", "red"},
        {"days", "--lat", "91", "--lng", "0", "--zone", "0", "--from", "2025-01-01"},
        {"days", "--lat", "-90.5", "--lng", "0", "--zone", "0", "--from", "2025-01-01"},
        {"days", "--lat", "north", "--lng", "0", "--zone", "0", "--from", "2025-01-01"},
        {"days", "--lat", "10", "--lng", "0", "--from", "2025-01-01"},
        {"days", "--city", "Tokyo", "--lat", "10", "--from", "2025-01-01"},
        {"days", "--city", "Atlantis", "--from", "2025-01-01"},
        {"days", "--city", "Tokyo", "--from", "2025-02-29"},
        {"days", "--city", "Tokyo", "--from", "2025-13-01"},
        {"days", "--city", "Tokyo", "--from", "1/1/2025"},
        {"days", "--city", "Tokyo"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--days", "0"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--days", "36601"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--days", "2.5"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--bodies", "1a"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--bodies", ""},
        {"days", "--city", "Tokyo", "--from"},
        {"days", "--city", "Tokyo", "--from", "2025-01-01", "--from", "2025-01-02"},
        {"now", "--city", "Tokyo", "--at", "2025-01-01T24:00"},
        {"now", "--city", "Tokyo", "--at", "2025-01-01"},
        {"now", "--city", "Tokyo", "--from", "2025-01-01"},
        {"moon", "--at", "2025-01-01T10:00"},
        {"moon", "--zone", "9", "--at", "2025-01-01T10:00", "--city", "Tokyo"},
    };
    for (const auto& args : bad) {
        std::string joined;
        for (const auto& a : args) joined += a + " ";
        const AlmanacResult r = RunAlmanac(args);
        EXPECT_EQ(r.exitCode, 2) << joined;
        EXPECT_EQ(r.out, "") << joined;
        ASSERT_FALSE(r.err.empty()) << joined;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << joined;
    }
    // Dates the series cannot serve are named as such.
    for (const std::vector<std::string>& args :
         std::vector<std::vector<std::string>>{{"days", "--city", "Tokyo", "--from", "9999-12-31"},
                                               {"days", "--city", "Tokyo", "--from", "1900-02-28"},
                                               {"days", "--city", "Tokyo", "--from", "2100-02-20", "--days", "10"},
                                               {"now", "--city", "Tokyo", "--at", "2100-03-01T00:00"},
                                               {"moon", "--zone", "9", "--at", "1899-12-31T12:00"}}) {
        const AlmanacResult r = RunAlmanac(args);
        EXPECT_EQ(r.exitCode, 2) << args[4];
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("2100-02-28"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("impossible"), std::string::npos) << r.err;
    }
    EXPECT_EQ(Almanac({"days", "--city", "Tokyo", "--from", "2100-02-19", "--days", "10", "--bodies", "0"})
                  .exitCode, 0);
    EXPECT_EQ(Almanac({"days", "--city", "Tokyo", "--from", "1900-03-01", "--bodies", "0"}).exitCode, 0);

    // Both ends of the allowed ranges are accepted.
    EXPECT_EQ(Almanac({"days", "--lat", "-90", "--lng", "0", "--zone", "0", "--from", "2025-01-01",
                   "--bodies", "0"})
                  .exitCode,
              0);
    EXPECT_EQ(Lines(Almanac({"days", "--city", "Tokyo", "--from", "2024-02-29", "--days", "2",
                         "--bodies", "0"})
                        .out)
                  .size(),
              3u);
    EXPECT_EQ(Almanac({"--help"}).exitCode, 0);
}

TEST(AlmanacCity, PlacesOfTheLibraryByName) {
    const std::string& starter = StarterLibrary();
    const AlmanacResult zurich = RunAlmanac({"days", "--city", "Zurich", "--from", "2026-07-01", "--bodies", "0"}, starter);
    ASSERT_EQ(zurich.exitCode, 0) << zurich.err;
    // The place is the library's record: its coordinates cut to two decimals, its offset.
    EXPECT_EQ(zurich.out, Almanac({"days", "--lat", "47.38", "--lng", "8.53", "--zone", "1", "--from", "2026-07-01",
                                   "--bodies", "0"})
                              .out);
    // Case, accents and the zone's own spelling are all the same name.
    for (const char* name : {"zURICH", "Zürich", "Europe/Zurich", "europe/zürich"})
        EXPECT_EQ(RunAlmanac({"days", "--city", name, "--from", "2026-07-01", "--bodies", "0"}, starter).out, zurich.out)
            << name;
    EXPECT_EQ(RunAlmanac({"days", "--city", "America/Argentina/Buenos_Aires", "--from", "2026-07-01", "--bodies", "0"},
                         starter)
                  .exitCode,
              0);
    // --library names another file; a built-in city keeps its own record.
    EXPECT_EQ(RunAlmanac({"days", "--city", "Zurich", "--library", starter, "--from", "2026-07-01", "--bodies", "0"})
                  .out,
              zurich.out);
    EXPECT_EQ(RunAlmanac({"days", "--city", "Sydney", "--from", "2026-07-01", "--bodies", "0"}, starter).out,
              Almanac({"days", "--lat", "-33.87", "--lng", "151.2", "--zone", "10", "--from", "2026-07-01", "--bodies",
                       "0"})
                  .out);

    // A user's accented name typed without its accents.
    const std::string& user = UserLibrary();
    const AlmanacResult geneve = RunAlmanac({"now", "--city", "geneve", "--at", "2026-07-01T12:00"}, user);
    ASSERT_EQ(geneve.exitCode, 0) << geneve.err;
    EXPECT_EQ(geneve.out, Almanac({"now", "--lat", "46.2", "--lng", "6.15", "--zone", "1", "--at", "2026-07-01T12:00"}).out);
    EXPECT_EQ(RunAlmanac({"now", "--city", "GENÈVE", "--at", "2026-07-01T12:00"}, user).out, geneve.out);
    EXPECT_EQ(FoldPlaceName(L"Œland Straße Þórshöfn ÿ×"), L"oeland strasse thorshofn y×");

    // Unknown names, and a library that cannot be read, say so.
    for (const std::string& library : {starter, std::string(), std::string("/nonexistent/Sitarel.ini")}) {
        const AlmanacResult r = RunAlmanac({"days", "--city", "Atlantis", "--from", "2026-07-01"}, library);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find("Atlantis"), std::string::npos);
        if (!library.empty()) EXPECT_NE(r.err.find(library), std::string::npos) << r.err;
    }
}

TEST(AlmanacCity, AmbiguousNameListsItsPlaces) {
    const std::string& user = UserLibrary();
    const AlmanacResult r = RunAlmanac({"days", "--city", "springfield", "--from", "2026-07-01"}, user);
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    // Two places: the copy in Favourites is the same place as the one in Trips.
    const std::vector<std::string> lines = Lines(r.err);
    ASSERT_EQ(lines.size(), 3u) << r.err;
    EXPECT_NE(lines[0].find("2 places"), std::string::npos) << r.err;
    EXPECT_EQ(lines[1].substr(0, 20), "  Trips/Springfield ");
    EXPECT_EQ(lines[2].substr(0, 22), "  US West/Springfield ");
    EXPECT_NE(lines[2].find("-123.02"), std::string::npos);
    // Either one by its category.
    const AlmanacResult west = RunAlmanac({"days", "--city", "us west/Springfield", "--from", "2026-07-01"}, user);
    EXPECT_EQ(west.exitCode, 0) << west.err;
    EXPECT_EQ(west.out, Almanac({"days", "--lat", "44.05", "--lng", "-123.02", "--zone", "-8", "--from", "2026-07-01"}).out);
}

// Zurich's rule: the last Sunday of March 02:00 to the last Sunday of October
// 02:00, both on its standard time.
TEST(AlmanacDst, TimesOnThePlacesClock) {
    const std::string& starter = StarterLibrary();
    auto days = [&](const char* from, bool dst) {
        std::vector<std::string> args = {"days", "--city", "Zurich", "--from", from};
        if (dst) args.push_back("--dst");
        return RunAlmanac(args, starter);
    };
    // Summer: every time an hour on and marked, the angles as they were.
    const AlmanacResult summer = days("2026-07-01", true);
    ASSERT_EQ(summer.exitCode, 0) << summer.err;
    const std::vector<std::string> standard = Lines(days("2026-07-01", false).out);
    const std::vector<std::string> clock = Lines(summer.out);
    ASSERT_EQ(clock.size(), standard.size());
    const std::vector<std::string> sun = Fields(clock[1]), sunStandard = Fields(standard[1]);
    for (int k : {2, 4, 6}) {
        ASSERT_EQ(sun[k].size(), 6u) << clock[1];
        EXPECT_EQ(sun[k].back(), '+');
        EXPECT_EQ(Minutes(sun[k]), Minutes(sunStandard[k]) + 60);
        EXPECT_EQ(sun[k + 1], sunStandard[k + 1]);
    }
    // Winter: nothing moves.
    EXPECT_EQ(days("2026-01-15", true).out, days("2026-01-15", false).out);
    // A rule with boundaries in UTC is judged at each event, not by today's clock.
    auto chatham = [&](const char* from) {
        return Row(RunAlmanac({"days", "--city", "Chatham", "--dst", "--from", from, "--bodies", "0"}, starter));
    };
    EXPECT_EQ(chatham("2026-01-15")[2].back(), '+');
    EXPECT_EQ(chatham("2026-07-15")[2].size(), 5u);
    // A place without a rule keeps standard time.
    EXPECT_EQ(RunAlmanac({"days", "--city", "Tokyo", "--dst", "--from", "2026-07-01"}).out,
              Almanac({"days", "--city", "Tokyo", "--from", "2026-07-01"}).out);

    // The days the clocks change at 02:00 standard time: in spring what lies
    // past the switch moves, in autumn what lies before it.
    int early = 0, late = 0;
    for (const char* day : {"2026-03-29", "2026-10-25"}) {
        const bool spring = day[6] == '3';
        const std::vector<std::string> a = Lines(days(day, false).out), b = Lines(days(day, true).out);
        ASSERT_EQ(a.size(), 11u);
        for (size_t i = 1; i < a.size(); ++i) {
            const std::vector<std::string> s = Fields(a[i]), c = Fields(b[i]);
            for (int k : {2, 4, 6}) {
                if (s[k].empty() || Minutes(s[k]) >= 23 * 60) continue;
                const bool moved = (Minutes(s[k]) >= 2 * 60) == spring;
                (Minutes(s[k]) < 2 * 60 ? early : late) += 1;
                if (moved) {
                    EXPECT_EQ(Minutes(c[k]), Minutes(s[k]) + 60) << b[i];
                    EXPECT_EQ(c[k].back(), '+') << b[i];
                } else {
                    EXPECT_EQ(c[k], s[k]) << b[i];
                }
            }
        }
    }
    EXPECT_GT(early, 0);
    EXPECT_GT(late, 0);

    // An event late in the evening moves into the next day's row on the clock.
    bool seen = false;
    for (int body = 0; body < 10 && !seen; ++body) {
        const std::string bodies(1, static_cast<char>('0' + body));
        const AlmanacResult week =
            RunAlmanac({"days", "--city", "Zurich", "--from", "2026-06-01", "--days", "14", "--bodies", bodies}, starter);
        const AlmanacResult weekDst = RunAlmanac(
            {"days", "--city", "Zurich", "--dst", "--from", "2026-06-01", "--days", "14", "--bodies", bodies}, starter);
        const std::vector<std::string> s = Lines(week.out), c = Lines(weekDst.out);
        for (size_t i = 1; i + 1 < s.size() && !seen; ++i)
            for (int k : {2, 4, 6}) {
                const std::string late = Fields(s[i])[k];
                if (late.empty() || Minutes(late) < 23 * 60) continue;
                const std::string next = Fields(c[i + 1])[k];
                EXPECT_EQ(Minutes(next), Minutes(late) + 60 - 1440) << s[i] << " / " << c[i + 1];
                EXPECT_EQ(next.back(), '+');
                seen = true;
                break;
            }
    }
    EXPECT_TRUE(seen);
}

TEST(AlmanacDst, MomentReadOnTheClock) {
    const std::string& starter = StarterLibrary();
    const AlmanacResult noon =
        RunAlmanac({"now", "--city", "Zurich", "--dst", "--at", "2026-07-01T12:00", "--bodies", "0"}, starter);
    ASSERT_EQ(noon.exitCode, 0) << noon.err;
    const AlmanacResult standard =
        RunAlmanac({"now", "--city", "Zurich", "--at", "2026-07-01T11:00", "--bodies", "0"}, starter);
    const std::vector<std::string> now = Row(noon), nowStandard = Row(standard);
    EXPECT_EQ(now[3] + " " + now[4], "2026-07-01 12:00+");
    EXPECT_EQ(now[5], nowStandard[5]);  // the same instant
    EXPECT_EQ(now[6] + now[7], nowStandard[6] + nowStandard[7]);
    // In the hour the clocks skip there is no such moment.
    const AlmanacResult gap =
        RunAlmanac({"now", "--city", "Zurich", "--dst", "--at", "2026-03-29T02:30", "--bodies", "0"}, starter);
    EXPECT_EQ(gap.exitCode, 2);
    EXPECT_EQ(gap.out, "");
    // --dst wants a place with a rule to look at; coordinates have none.
    EXPECT_EQ(Almanac({"days", "--lat", "47", "--lng", "8", "--zone", "1", "--dst", "--from", "2026-07-01"}).exitCode,
              2);
    EXPECT_EQ(RunAlmanac({"days", "--city", "Zurich", "--dst=1", "--from", "2026-07-01"}, starter).exitCode, 2);
}

// At and near the poles a body crosses the horizon by its change of
// declination; every day either holds that crossing or says "up" or "down".
TEST(AlmanacPoles, EveryRowHasAnEventOrSaysUpOrDown) {
    const AlmanacResult pole = Almanac({"days", "--lat", "90", "--lng", "0", "--zone", "0", "--from", "2026-03-14",
                                        "--days", "6", "--bodies", "0"});
    const std::vector<std::string> lines = Lines(pole.out);
    ASSERT_EQ(lines.size(), 7u);
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Fields(lines[i]);
        if (f[0] < "2026-03-18") EXPECT_EQ(f[8], "down") << lines[i];
        if (f[0] > "2026-03-18") EXPECT_EQ(f[8], "up") << lines[i];
        if (f[0] == "2026-03-18") {
            EXPECT_FALSE(f[2].empty()) << lines[i];  // the Sun rises,
            EXPECT_TRUE(f[6].empty()) << lines[i];   // and stays up for half a year
        }
    }
    // The item's records agree: the passage in progress began with that rise.
    const std::vector<std::string> rise = Row(Almanac({"now", "--lat", "90", "--lng", "0", "--zone", "0", "--at",
                                                       "2026-03-18T23:00", "--bodies", "0"}),
                                              3);
    EXPECT_EQ(rise[1] + rise[2] + rise[3], "Rise12026-03-18");

    for (const char* lat : {"90", "89.9", "89", "86", "-86", "-89.5", "-90"})
        for (const char* from : {"2026-03-12", "2026-09-15"}) {
            const AlmanacResult r = Almanac({"days", "--lat", lat, "--lng", "20", "--zone", "1", "--from", from,
                                             "--days", "14", "--bodies", "01"});
            ASSERT_EQ(r.exitCode, 0) << r.err;
            for (const std::string& line : Lines(r.out)) {
                const std::vector<std::string> f = Fields(line);
                if (f[0] == "date") continue;
                EXPECT_TRUE(!f[2].empty() || !f[6].empty() || f[8] == "up" || f[8] == "down") << lat << ": " << line;
            }
        }
}
