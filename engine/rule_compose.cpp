#include "engine/rule_compose.h"

#include <set>

#include "engine/calendar.h"

namespace velkaro {
namespace {

const int kEpochDay = 719163;  // DayNumber(1970, 1, 1)

int64_t FloorDiv64(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

SYSTEMTIME TimeFromSeconds(int64_t seconds) {
    const int64_t days = FloorDiv64(seconds, 86400);
    const int sod = static_cast<int>(seconds - days * 86400);
    int y, m, d;
    DateFromDayNumber(static_cast<int>(days) + kEpochDay, &y, &m, &d);
    return MakeTime(y, m, d, sod / 3600, sod / 60 % 60);
}

// occurrence: 0 the last such weekday of the month, 1 to 4 the first to fourth.
DstBoundary WeekdayBoundary(int month, int weekday, int occurrence, int hour, bool utc) {
    DstBoundary b;
    b.Month = month;
    b.ByWeekday = true;
    b.Weekday = weekday;
    b.Occurrence = occurrence;
    b.Hour = hour;
    b.Utc = utc;
    return b;
}

DstBoundary DayBoundary(int month, int day, int hour, bool utc) {
    DstBoundary b;
    b.Month = month;
    b.Day = day;
    b.Hour = hour;
    b.Utc = utc;
    return b;
}

// What the instants' dates on the scale have in common.
struct DatePattern {
    bool Whole = true;  // every instant on a whole hour
    bool SameMonthAndHour = true, SameWeekday = true, SameWeek = true, SameDay = true, AllLast = true;
    int Month = 0, Weekday = 0, Week = 0, Day = 0, Hour = 0;
};

// nextDay: each instant named by the following day with its hour less 24.
DatePattern PatternOf(const std::vector<int64_t>& instants, int scaleOffset, bool nextDay) {
    DatePattern p;
    for (size_t i = 0; i < instants.size(); ++i) {
        const int64_t local = instants[i] + scaleOffset;
        const int64_t days = FloorDiv64(local, 86400);
        const int sod = static_cast<int>(local - days * 86400);
        int h = sod / 3600;
        int dn = static_cast<int>(days) + kEpochDay;
        if (sod % 3600 != 0 || (nextDay && h == 0)) {  // hour -24 does not exist
            p.Whole = false;
            return p;
        }
        if (nextDay) {
            h -= 24;
            ++dn;
        }
        int y, m, d;
        DateFromDayNumber(dn, &y, &m, &d);
        const int week = (d - 1) / 7 + 1;
        if (i == 0) {
            p.Month = m;
            p.Weekday = dn % 7;
            p.Hour = h;
            p.Day = d;
            p.Week = week;
        }
        if (m != p.Month || h != p.Hour) p.SameMonthAndHour = false;
        if (dn % 7 != p.Weekday) p.SameWeekday = false;
        if (d != p.Day) p.SameDay = false;
        if (week != p.Week) p.SameWeek = false;
        if (d + 7 <= DaysInMonth(y, m)) p.AllLast = false;
    }
    return p;
}

// The ways one boundary can be written so that it names every instant given:
// the same day and hour on the scale, or the next day with the hour less 24
// (a negative hour means the day before).
std::vector<DstBoundary> BoundaryCandidates(const std::vector<int64_t>& instants, int scaleOffset, bool utc) {
    std::vector<DstBoundary> out;
    if (instants.empty()) return out;
    for (bool nextDay : {false, true}) {
        const DatePattern p = PatternOf(instants, scaleOffset, nextDay);
        if (!p.Whole || !p.SameMonthAndHour) continue;
        if (p.SameWeekday && p.AllLast) out.push_back(WeekdayBoundary(p.Month, p.Weekday, 0, p.Hour, utc));
        if (p.SameWeekday && p.SameWeek && p.Week <= 4)
            out.push_back(WeekdayBoundary(p.Month, p.Weekday, p.Week, p.Hour, utc));
        if (p.SameDay) out.push_back(DayBoundary(p.Month, p.Day, p.Hour, utc));
    }
    return out;
}

template <typename Rule>
int Replay(const Rule& rule, double standardHours, int64_t utc) {
    const SYSTEMTIME u = TimeFromSeconds(utc);
    const ClockReading now{u, u, 0};  // a rule in UTC is judged by the present instant
    SYSTEMTIME t = u;
    UtcToZoneTime(&t, standardHours);
    return ApplyDst(&t, rule, now) == 1 ? 1 : 0;
}

int OffsetAt(const ZoneYears& zone, int64_t utc) {
    int offset = zone.OffsetAtStart;
    for (const ZoneTransition& c : zone.Changes) {
        if (c.Utc > utc) break;
        offset = c.OffsetAfter;
    }
    return offset;
}

// The rule's state changes only at its two boundaries of each year, and the
// zone's only at its changes; agreeing on both sides of all of them and once a
// day between means agreeing everywhere.
bool Replays(const DstRule& rule, const ZoneYears& zone, int standard, int daylight) {
    const int scale = rule.Start.Utc || rule.End.Utc ? 0 : standard;
    const double hours = standard / 3600.0;
    const int64_t from = (static_cast<int64_t>(DayNumber(zone.FirstYear, 1, 1)) - kEpochDay) * 86400;
    const int64_t to = (static_cast<int64_t>(DayNumber(zone.LastYear + 1, 1, 1)) - kEpochDay) * 86400;
    auto agrees = [&](int64_t t) {
        return t < from || t >= to || Replay(rule, hours, t) == (OffsetAt(zone, t) == daylight);
    };
    for (const ZoneTransition& c : zone.Changes)
        for (int64_t d : {-1800, -60, -1, 0, 1, 1800})
            if (!agrees(c.Utc + d)) return false;
    for (int year = zone.FirstYear - 1; year <= zone.LastYear + 1; ++year)
        for (const DstBoundary& half : {rule.Start, rule.End}) {
            int y = 0, m = 0, d = 0, h = 0;
            if (!DstBoundaryDate(half, year, &y, &m, &d, &h)) return false;
            const int64_t at = (static_cast<int64_t>(DayNumber(y, m, d)) - kEpochDay) * 86400 + h * 3600 - scale;
            if (!agrees(at - 1) || !agrees(at)) return false;
        }
    for (int64_t t = from; t < to; t += 43200)
        if (!agrees(t)) return false;
    return true;
}

}  // namespace

int ReplayRule(const std::wstring& rule, double standardHours, int64_t utc) { return Replay(rule, standardHours, utc); }

ComposedRule ComposeRuleFromTransitions(const ZoneYears& zone) {
    ComposedRule out;
    out.StandardHours = zone.StandardOffset / 3600.0;
    if (zone.Changes.empty()) {
        out.StandardHours = zone.OffsetAtStart / 3600.0;
        return out;
    }
    out.Result = kRuleInexact;
    std::set<int> offsets = {zone.OffsetAtStart};
    for (const ZoneTransition& c : zone.Changes) {
        offsets.insert(c.OffsetBefore);
        offsets.insert(c.OffsetAfter);
    }
    if (offsets.size() != 2 || *offsets.rbegin() - *offsets.begin() != 3600) return out;
    const int standard = *offsets.begin(), daylight = *offsets.rbegin();
    std::vector<int64_t> starts, ends;
    for (const ZoneTransition& c : zone.Changes) (c.OffsetAfter == daylight ? starts : ends).push_back(c.Utc);
    const size_t years = static_cast<size_t>(zone.LastYear - zone.FirstYear + 1);
    if (starts.size() != years || ends.size() != years) return out;

    for (bool utc : {false, true}) {
        if (utc && standard == 0) break;  // the same scale again, only marked
        const int scale = utc ? 0 : standard;
        for (const DstBoundary& s : BoundaryCandidates(starts, scale, utc))
            for (const DstBoundary& e : BoundaryCandidates(ends, scale, utc)) {
                const DstRule rule{s, e};
                const std::wstring text = FormatDstRule(rule);
                if (text.size() > kMaxDstRuleLength || !Replays(rule, zone, standard, daylight)) continue;
                out.Result = kRuleFound;
                out.Rule = text;
                out.StandardHours = standard / 3600.0;
                return out;
            }
    }
    return out;
}

bool ParseTziBytes(const std::vector<uint8_t>& bytes, TimeZoneRecord* record) {
    if (bytes.size() != 44) return false;
    auto i32 = [&](size_t at) {
        uint32_t v = bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
        return static_cast<int32_t>(v);
    };
    auto date = [&](size_t at) {
        uint16_t f[8];
        for (int k = 0; k < 8; ++k) f[k] = static_cast<uint16_t>(bytes[at + 2 * k] | bytes[at + 2 * k + 1] << 8);
        SYSTEMTIME s;
        s.wYear = f[0];
        s.wMonth = f[1];
        s.wDayOfWeek = f[2];
        s.wDay = f[3];
        s.wHour = f[4];
        s.wMinute = f[5];
        s.wSecond = f[6];
        s.wMilliseconds = f[7];
        return s;
    };
    record->Bias = i32(0);
    record->StandardBias = i32(4);
    record->DaylightBias = i32(8);
    record->StandardDate = date(12);
    record->DaylightDate = date(28);
    return true;
}

namespace {

// One switch of the record: `date` on a wall clock that runs `shiftMinutes`
// ahead of standard time. Empty when the date is malformed; clears *exact when
// the rule can only come near it.
std::wstring RecordBoundary(const SYSTEMTIME& date, int shiftMinutes, bool* exact) {
    if (date.wMonth < 1 || date.wMonth > 12 || date.wHour > 23 || date.wMinute > 59) return L"";
    const bool fixed = date.wYear != 0;
    if (fixed ? date.wDay < 1 || date.wDay > DaysInMonth(date.wYear, date.wMonth)
              : date.wDayOfWeek > 6 || date.wDay < 1 || date.wDay > 5)
        return L"";
    // Seconds past the minute (23:59:59.999 marks a day's end) count as the next minute.
    const int minutes =
        date.wHour * 60 + date.wMinute + (date.wSecond || date.wMilliseconds ? 1 : 0) - shiftMinutes;
    if (minutes % 60 != 0) *exact = false;
    int hour = static_cast<int>(RoundHalfAway(minutes / 60.0));
    int day = date.wDay;
    if (fixed && hour >= 24 && day < DaysInMonth(date.wYear, date.wMonth)) {
        hour -= 24;  // midnight ending a fixed day starts the next
        ++day;
    }
    if (hour > 23 || hour < -23) {
        *exact = false;
        hour = hour > 23 ? 23 : -23;
    }
    if (fixed) return FormatDstBoundary(DayBoundary(date.wMonth, day, hour, false));
    const int occurrence = date.wDay == 5 ? 0 : date.wDay;
    return FormatDstBoundary(WeekdayBoundary(date.wMonth, date.wDayOfWeek, occurrence, hour, false));
}

}  // namespace

ComposedRule RuleFromTimeZoneRecord(const TimeZoneRecord& z) {
    ComposedRule out;
    out.StandardHours = -(z.Bias + z.StandardBias) / 60.0;
    if (z.DaylightDate.wMonth == 0 || z.StandardDate.wMonth == 0 || z.DaylightBias == z.StandardBias)
        return out;
    const int shift = z.StandardBias - z.DaylightBias;
    bool exact = shift == 60;
    const std::wstring start = RecordBoundary(z.DaylightDate, 0, &exact);
    const std::wstring end = RecordBoundary(z.StandardDate, shift, &exact);
    out.Result = kRuleInexact;
    if (start.empty() || end.empty()) return out;
    if (z.DaylightDate.wMonth == z.StandardDate.wMonth) exact = false;  // one month cannot hold both
    out.Rule = start + L";" + end;
    if (exact) out.Result = kRuleFound;
    return out;
}

}  // namespace velkaro
