#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "tools/almanac/command.h"

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
