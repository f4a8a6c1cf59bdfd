#include "tools/almanac/command.h"

#include <cmath>
#include <cstdio>
#include <locale>
#include <map>
#include <sstream>

#include "engine/calendar.h"
#include "engine/events.h"
#include "engine/series.h"
#include "platform/codepage.h"
#include "settings/location.h"
#include "settings/store.h"
#include "tools/almanac/places.h"

namespace velkaro {
namespace {

const char kUsage[] =
    "usage: velkaro-almanac days (--city NAME [--dst] | --lat D --lng D --zone H) [--height M]\n"
    "                            --from YYYY-MM-DD [--days N] [--bodies DIGITS]\n"
    "       velkaro-almanac now (--city NAME [--dst] | --lat D --lng D --zone H) [--height M]\n"
    "                           --at YYYY-MM-DDTHH:MM [--bodies DIGITS]\n"
    "       velkaro-almanac moon --zone H --at YYYY-MM-DDTHH:MM\n"
    "Times are zone standard time, cut to the minute; bodies are numbered\n"
    "0 Sun, 1 Moon, 2 Mars, 3 Mercury, 4 Jupiter, 5 Venus, 6 Saturn, 7 Uranus,\n"
    "8 Neptune, 9 Pluto. Dates run from 1900-03-01 to 2100-02-28. The day column\n"
    "says \"up\" for a body above the horizon all day, \"down\" for one below it.\n"
    "--city takes a built-in city or a place of the library (--library FILE, by\n"
    "default the Sitarel.ini beside this program), case and accents optional;\n"
    "CATEGORY/NAME picks one of several places of one name. --dst shows times\n"
    "on the place's clock: its daylight-saving rule applied, moved times marked\n"
    "as the item marks them; --at is then read on that clock too (in the hour\n"
    "the clocks repeat, its first pass).\n";

const char kServedRange[] = "1900-03-01 to 2100-02-28";

struct BadArgument {
    std::string message;
};

[[noreturn]] void Fail(const std::string& message) { throw BadArgument{message}; }

struct Place {
    double lng = 0, lat = 0, height = 0, zone = 0;
    std::wstring rule;  // daylight-saving rule applied to printed times; empty for standard time
};

struct Moment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
};

std::string Narrow(const std::wstring& w) {
    std::string s;
    for (wchar_t c : w) s += static_cast<char>(c < 128 ? c : '?');
    return s;
}

// A command-line text: UTF-8 where it is that, else the system's code page.
std::wstring Widen(const std::string& s) {
    const std::wstring w = FromUtf8(s);
    return w.find(L'\xFFFD') == std::wstring::npos ? w : FromCodePage(s);
}


double ParseNumber(const std::string& option, const std::string& text) {
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    double v = 0;
    in >> v;
    if (text.empty() || in.fail() || !in.eof() || !std::isfinite(v))
        Fail(option + " needs a number, not '" + text + "'");
    return v;
}

bool ReadDigits(const std::string& s, size_t at, size_t count, int* value) {
    if (at + count > s.size()) return false;
    int v = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = 10 * v + (s[i] - '0');
    }
    *value = v;
    return true;
}

// YYYY-MM-DD, optionally followed by THH:MM.
Moment ParseMoment(const std::string& option, const std::string& text, bool withTime) {
    Moment m;
    const size_t length = withTime ? 16 : 10;
    bool ok = text.size() == length && ReadDigits(text, 0, 4, &m.year) && text[4] == '-' &&
              ReadDigits(text, 5, 2, &m.month) && text[7] == '-' && ReadDigits(text, 8, 2, &m.day);
    if (ok && withTime)
        ok = text[10] == 'T' && ReadDigits(text, 11, 2, &m.hour) && text[13] == ':' &&
             ReadDigits(text, 14, 2, &m.minute);
    if (!ok)
        Fail(option + " needs " + (withTime ? "YYYY-MM-DDTHH:MM" : "YYYY-MM-DD") + ", not '" +
             text + "'");
    if (m.year < 1 || m.month < 1 || m.month > 12 || m.day < 1 || m.day > DaysInMonth(m.year, m.month))
        Fail(option + ": impossible date '" + text + "'");
    if (withTime && IsBadTime(m.hour, m.minute)) Fail(option + ": impossible time '" + text + "'");
    if (!IsServedDate(m.year, m.month, m.day))
        Fail(option + ": " + text + " lies outside the dates the series serve, " + kServedRange);
    return m;
}

// "up", "down" or nothing, for the local day at T0.
const char* DayWord(int body, const Place& p, double T0) {
    const int v = DayVisibility(body, p.lng, p.lat, p.height, T0, p.zone);
    return v > 0 ? "up" : (v < 0 ? "down" : "");
}

std::vector<int> ParseBodies(const std::string& text) {
    std::vector<int> bodies;
    for (char c : text) {
        if (c < '0' || c > '9') Fail("--bodies takes body numbers 0 to 9, not '" + text + "'");
        bodies.push_back(c - '0');
    }
    if (bodies.empty()) Fail("--bodies needs at least one body number");
    return bodies;
}

bool IsFlag(const std::string& name) { return name == "--dst"; }

// Options of one command: "--name value" or "--name=value", or a bare flag
// (held with the value "1"), each at most once.
std::map<std::string, std::string> ParseOptions(const std::vector<std::string>& args,
                                                const std::vector<std::string>& allowed) {
    std::map<std::string, std::string> options;
    for (size_t i = 1; i < args.size(); ++i) {
        std::string name = args[i], value;
        bool inlineValue = false;
        const size_t eq = name.find('=');
        if (name.compare(0, 2, "--") == 0 && eq != std::string::npos) {
            value = name.substr(eq + 1);
            name = name.substr(0, eq);
            inlineValue = true;
        }
        bool known = false;
        for (const std::string& a : allowed) known = known || a == name;
        if (!known) Fail("unknown option '" + name + "' for " + args[0]);
        if (IsFlag(name)) {
            if (inlineValue) Fail(name + " takes no value");
            value = "1";
        } else if (!inlineValue) {
            if (i + 1 >= args.size()) Fail(name + " needs a value");
            value = args[++i];
        }
        if (options.count(name)) Fail(name + " given twice");
        options[name] = value;
    }
    return options;
}

double ParseZone(const std::string& text) {
    const double zone = ParseNumber("--zone", text);
    if (zone < -14 || zone > 14) Fail("zone offset must lie within -14..14 hours");
    return zone;
}

// The place a --city names; an unknown or ambiguous name fails with what to
// give instead.
LocationRecord LookUpCity(const std::string& name, const std::string& library) {
    std::vector<PlaceMatch> matches;
    bool read = false;
    const PlaceLookup found = FindPlace(Widen(name), Widen(library), &matches, &read);
    if (found == PlaceLookup::kFound) return matches[0].Place;
    if (found == PlaceLookup::kAmbiguous) {
        std::string list;
        for (const PlaceMatch& m : matches) {
            char where[64];
            std::snprintf(where, sizeof where, " (%.2f, %.2f, UTC%+g)", m.Place.Lat, m.Place.Lng, m.Place.UtcMargin);
            list += "\n  " + ToUtf8(m.Where) + where;
        }
        Fail("'" + name + "' names " + std::to_string(matches.size()) +
             " places; give one as CATEGORY/NAME:" + list);
    }
    if (library.empty()) Fail("unknown city '" + name + "' (no library: only the built-in cities)");
    if (!read) Fail("unknown city '" + name + "': not built in, and the library " + library + " cannot be read");
    Fail("unknown city '" + name + "': neither built in nor in " + library);
}

Place ParsePlace(const std::map<std::string, std::string>& o, const std::string& library) {
    Place p;
    const bool city = o.count("--city") != 0;
    const int coords = static_cast<int>(o.count("--lat") + o.count("--lng") + o.count("--zone"));
    if (city && coords > 0) Fail("--city cannot be combined with --lat, --lng or --zone");
    if (city) {
        const LocationRecord r = LookUpCity(o.at("--city"), o.count("--library") ? o.at("--library") : library);
        p.lat = r.Lat;
        p.lng = r.Lng;
        p.zone = r.UtcMargin;
        if (o.count("--dst") && r.ExistDST) p.rule = r.DST;
    } else {
        if (o.count("--dst")) Fail("--dst needs a --city: coordinates carry no daylight-saving rule");
        if (o.count("--library")) Fail("--library serves --city");
        if (coords < 3) Fail("give --city NAME or all of --lat, --lng and --zone");
        p.lat = ParseNumber("--lat", o.at("--lat"));
        p.lng = ParseNumber("--lng", o.at("--lng"));
        p.zone = ParseZone(o.at("--zone"));
        if (p.lat < -90 || p.lat > 90) Fail("latitude must lie within -90..90");
        if (p.lng < -180 || p.lng > 180) Fail("longitude must lie within -180..180");
    }
    if (o.count("--height")) {
        p.height = ParseNumber("--height", o.at("--height"));
        if (p.height < -1000 || p.height > 100000) Fail("height must lie within -1000..100000 m");
    }
    return p;
}

const std::string& Require(const std::map<std::string, std::string>& o, const char* name) {
    auto it = o.find(name);
    if (it == o.end()) Fail(std::string(name) + " is required");
    return it->second;
}

// ---------------------------------------------------------------- output

void Digits2(std::string* s, int v) {
    s->push_back(static_cast<char>('0' + v / 10 % 10));
    s->push_back(static_cast<char>('0' + v % 10));
}

void PutInt(std::string* s, long long v) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%lld", v);
    s->append(buf);
}

// One decimal, always with '.', never "-0.0".
void PutTenths(std::string* s, double v) {
    long long t = std::llround(v * 10.0);
    if (t < 0) {
        s->push_back('-');
        t = -t;
    }
    PutInt(s, t / 10);
    s->push_back('.');
    s->push_back(static_cast<char>('0' + t % 10));
}

void PutDate(std::string* s, int year, int month, int day) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-", year);
    s->append(buf);
    Digits2(s, month);
    s->push_back('-');
    Digits2(s, day);
}

void PutTime(std::string* s, int hour, int minute) {
    Digits2(s, hour);
    s->push_back(':');
    Digits2(s, minute);
}

// ---------------------------------------------------------------- the place's clock

// Moves a standard time of the place onto its clock. True when its rule moved
// it (an hour on, perhaps into the next day).
bool OnClock(const Place& p, SYSTEMTIME* t) {
    if (p.rule.empty()) return false;
    SYSTEMTIME utc = *t;
    UtcToZoneTime(&utc, -p.zone);
    // A rule with UTC boundaries is judged by this instant, not by today's clock.
    const ClockReading at{utc, *t, static_cast<int>(-p.zone * 60)};
    return ApplyDst(t, p.rule, at) == 1;
}

// The standard time at which the place's clock reads *t; fails for a time the
// clocks skip.
void FromClock(const Place& p, SYSTEMTIME* t) {
    SYSTEMTIME earlier = *t;
    int days = 0, hours = -1, minutes = 0;
    ApplyShift(&earlier, &days, &hours, &minutes);
    SYSTEMTIME moved = earlier;
    if (OnClock(p, &moved)) {
        *t = earlier;
        return;
    }
    moved = *t;
    if (OnClock(p, &moved)) Fail("--at: the place's clock skips that hour on that day");
}

void PutClockTime(std::string* s, const SYSTEMTIME& t, bool moved) {
    PutTime(s, t.wHour, t.wMinute);
    if (moved) s->append(ToUtf8(GeneralSettings().DSTMark));
}

// ---------------------------------------------------------------- commands

std::string Days(const std::map<std::string, std::string>& o, const std::string& library) {
    const Place p = ParsePlace(o, library);
    const Moment from = ParseMoment("--from", Require(o, "--from"), false);
    int count = 1;
    if (o.count("--days")) {
        const double n = ParseNumber("--days", o.at("--days"));
        if (n != std::floor(n) || n < 1 || n > 36600) Fail("--days must be a whole number 1..36600");
        count = static_cast<int>(n);
    }
    int lastYear, lastMonth, lastDay;
    DateFromDayNumber(DayNumber(from.year, from.month, from.day) + count - 1, &lastYear, &lastMonth, &lastDay);
    if (!IsServedDate(lastYear, lastMonth, lastDay))
        Fail("--days: the table would run past 2100-02-28, the last date the series serve");
    const std::vector<int> bodies =
        ParseBodies(o.count("--bodies") ? o.at("--bodies") : "0123456789");

    // One body's rise, culmination and set of standard day n, each with its
    // time on the place's clock.
    struct DayEvents {
        EventRecord r[3];
        SYSTEMTIME clock[3];
        bool moved[3] = {false, false, false};
    };
    static const int kTypes[3] = {kEventRise, kEventCulmination, kEventSet};
    auto search = [&](int body, int n) {
        DayEvents e;
        int year, month, day;
        DateFromDayNumber(n, &year, &month, &day);
        const double T0 = TimeArgument(year, month, day, p.zone);
        for (int k = 0; k < 3; ++k) {
            const double d = FindEvent(body, p.lng, p.lat, p.height, T0, p.zone, kTypes[k]);
            FillEvent(body, p.lng, p.lat, T0, year, month, day, d, p.zone, &e.r[k],
                      kTypes[k] == kEventCulmination ? kFillCulmination : kFillRiseSet);
            e.clock[k] = e.r[k].Time;
            if (e.r[k].Valid) e.moved[k] = OnClock(p, &e.clock[k]);
        }
        return e;
    };
    auto onDay = [](const SYSTEMTIME& t, int n) { return DayNumber(t.wYear, t.wMonth, t.wDay) == n; };

    std::string out = "date,body,rise,rise_azimuth,culmination,culmination_altitude,set,set_azimuth,day\n";
    out.reserve(out.size() + static_cast<size_t>(count) * bodies.size() * 56);
    const int first = DayNumber(from.year, from.month, from.day);
    // On the place's clock a day begins an hour early while its rule is in
    // force: an event of the standard day before may fall into it.
    std::vector<DayEvents> before(bodies.size());
    if (!p.rule.empty())
        for (size_t b = 0; b < bodies.size(); ++b) before[b] = search(bodies[b], first - 1);
    for (int n = first; n < first + count; ++n) {
        int year, month, day;
        DateFromDayNumber(n, &year, &month, &day);
        const double T0 = TimeArgument(year, month, day, p.zone);
        for (size_t b = 0; b < bodies.size(); ++b) {
            const int body = bodies[b];
            const DayEvents today = search(body, n);
            PutDate(&out, year, month, day);
            out.push_back(',');
            out.append(Narrow(kBodyNames[body]));
            for (int k = 0; k < 3; ++k) {
                const DayEvents* e = &today;
                if (before[b].r[k].Valid && onDay(before[b].clock[k], n)) e = &before[b];
                const EventRecord& r = e->r[k];
                const bool shown = r.Valid && onDay(e->clock[k], n);
                out.push_back(',');
                if (shown) PutClockTime(&out, e->clock[k], e->moved[k]);
                out.push_back(',');
                if (shown) PutTenths(&out, kTypes[k] == kEventCulmination ? r.Alt : r.Azi);
            }
            out.push_back(',');
            out.append(DayWord(body, p, T0));
            out.push_back('\n');
            if (!p.rule.empty()) before[b] = today;
        }
    }
    return out;
}

std::string Now(const std::map<std::string, std::string>& o, const std::string& library) {
    const Place p = ParsePlace(o, library);
    Moment at = ParseMoment("--at", Require(o, "--at"), true);
    if (!p.rule.empty()) {
        SYSTEMTIME t = MakeTime(at.year, at.month, at.day, at.hour, at.minute);
        FromClock(p, &t);
        at = {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
        if (!IsServedDate(at.year, at.month, at.day))
            Fail("--at lies outside the dates the series serve, " + std::string(kServedRange));
    }
    const std::vector<int> bodies =
        ParseBodies(o.count("--bodies") ? o.at("--bodies") : "0123456789");

    std::string out = "body,record,valid,date,time,minute_stamp,azimuth,altitude,day\n";
    const double T0 = TimeArgument(at.year, at.month, at.day, p.zone);
    for (int body : bodies) {
        BodyEvents e;
        e.Now.Time = MakeTime(at.year, at.month, at.day, at.hour, at.minute);
        ComputeBodyEvents(body, p.lng, p.lat, p.height, p.zone, &e);
        const std::string day = DayWord(body, p, T0);
        const struct {
            const char* name;
            const EventRecord* record;
            bool azimuth, altitude;
        } rows[6] = {{"Now", &e.Now, true, true},        {"PrevSet", &e.PrevSet, true, false},
                     {"Rise", &e.Rise, true, false},      {"Culmination", &e.Culmination, false, true},
                     {"Set", &e.Set, true, false},        {"NextRise", &e.NextRise, true, false}};
        for (const auto& row : rows) {
            const EventRecord& r = *row.record;
            SYSTEMTIME clock = r.Time;
            const bool moved = r.Valid && OnClock(p, &clock);
            out.append(Narrow(kBodyNames[body]));
            out.push_back(',');
            out.append(row.name);
            out.append(r.Valid ? ",1," : ",0,");
            if (r.Valid) PutDate(&out, clock.wYear, clock.wMonth, clock.wDay);
            out.push_back(',');
            if (r.Valid) PutClockTime(&out, clock, moved);
            out.push_back(',');
            PutInt(&out, r.MinuteStamp);
            out.push_back(',');
            if (r.Valid && row.azimuth) PutTenths(&out, r.Azi);
            out.push_back(',');
            if (r.Valid && row.altitude) PutTenths(&out, r.Alt);
            out.push_back(',');
            out.append(day);
            out.push_back('\n');
        }
    }
    return out;
}

std::string Moon(const std::map<std::string, std::string>& o) {
    const double zone = ParseZone(Require(o, "--zone"));
    const Moment at = ParseMoment("--at", Require(o, "--at"), true);
    std::string out = "age,phase_index\n";
    PutTenths(&out, MoonAge(at.year, at.month, at.day, at.hour, at.minute, zone));
    out.push_back(',');
    PutInt(&out, MoonPhaseIndex(at.year, at.month, at.day, at.hour, at.minute, zone));
    out.push_back('\n');
    return out;
}

}  // namespace

AlmanacResult RunAlmanac(const std::vector<std::string>& args, const std::string& library) {
    AlmanacResult result;
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
        result.out = kUsage;
        return result;
    }
    const std::vector<std::string> place = {"--city", "--library", "--dst", "--lat", "--lng", "--zone", "--height"};
    try {
        if (args.empty()) Fail("missing command: days, now or moon (see --help)");
        const std::string& command = args[0];
        if (command == "days") {
            std::vector<std::string> allowed = place;
            allowed.insert(allowed.end(), {"--from", "--days", "--bodies"});
            result.out = Days(ParseOptions(args, allowed), library);
        } else if (command == "now") {
            std::vector<std::string> allowed = place;
            allowed.insert(allowed.end(), {"--at", "--bodies"});
            result.out = Now(ParseOptions(args, allowed), library);
        } else if (command == "moon") {
            result.out = Moon(ParseOptions(args, {"--zone", "--at"}));
        } else {
            Fail("unknown command '" + command + "': days, now or moon");
        }
    } catch (const BadArgument& e) {
        result.out.clear();
        result.err = "velkaro-almanac: " + e.message + "\n";
        result.exitCode = 2;
    }
    return result;
}

}  // namespace velkaro
