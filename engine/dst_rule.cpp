#include "engine/dst_rule.h"

#include <cwchar>

#include "engine/calendar.h"

namespace velkaro {

const wchar_t kDstWeekdayLetters[] = L"SMTWHFA";
const wchar_t kDstOccurrenceLetters[] = L"e1234";

namespace {

// A leading decimal number as "%d" reads it: blanks, a sign, digits, the rest
// ignored. Numbers far beyond any field stop growing instead of overflowing.
bool ReadNumber(const std::wstring& field, int* value) {
    size_t i = 0;
    while (i < field.size() && (field[i] == L' ' || (field[i] >= L'\t' && field[i] <= L'\r'))) ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == L'+' || field[i] == L'-')) negative = field[i++] == L'-';
    int v = 0;
    bool digits = false;
    for (; i < field.size() && field[i] >= L'0' && field[i] <= L'9'; ++i) {
        digits = true;
        if (v < 100000000) v = v * 10 + (field[i] - L'0');
    }
    if (digits) *value = negative ? -v : v;
    return digits;
}

// Index of a character in a letter table, -1 when it is not there.
int LetterIndex(const wchar_t* table, wchar_t ch) {
    if (ch == L'\0') return -1;
    const wchar_t* at = std::wcschr(table, ch);
    return at ? static_cast<int>(at - table) : -1;
}

// The year a boundary is read in: the one asked for, or the present one when
// that is no year (0 or beyond 4000), on the clock of the boundary's hour.
int YearOrPresent(int year, const DstBoundary& b, const ClockReading& now) {
    return year <= 0 || year > 4000 ? (b.Utc ? now.Utc : now.Local).wYear : year;
}

std::wstring TwoDigits(int v) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%02d", v);
    return buf;
}

}  // namespace

bool DstBoundary::operator==(const DstBoundary& o) const {
    if (Month != o.Month || ByWeekday != o.ByWeekday || Hour != o.Hour || Utc != o.Utc) return false;
    return ByWeekday ? Weekday == o.Weekday && Occurrence == o.Occurrence : Day == o.Day;
}

std::wstring NextDstField(const std::wstring& text, size_t* pos, wchar_t delimiter) {
    size_t p = *pos;
    while (p < text.size() && text[p] == delimiter) ++p;
    size_t end = text.find(delimiter, p);
    if (end == std::wstring::npos) end = text.size();
    *pos = end < text.size() ? end + 1 : end;
    return text.substr(p, end - p);
}

bool SplitDstRule(const std::wstring& text, std::wstring* start, std::wstring* end) {
    if (text.find(L';') == std::wstring::npos) return false;
    size_t pos = 0;
    *start = NextDstField(text, &pos, L';');
    *end = NextDstField(text, &pos, L';');
    return true;
}

bool ParseDstBoundaryText(const std::wstring& text, DstBoundary* out) {
    if (text.empty() || text.find(L'/') == std::wstring::npos) return false;
    size_t pos = 0;
    const std::wstring monthField = NextDstField(text, &pos, L'/');
    const std::wstring rest = text.substr(pos);
    if (rest.find(L' ') == std::wstring::npos) return false;
    size_t rpos = 0;
    const std::wstring dayField = NextDstField(rest, &rpos, L' ');
    const std::wstring hourField = NextDstField(rest, &rpos, L' ');

    DstBoundary b;
    if (!ReadNumber(monthField, &b.Month) || !ReadNumber(hourField, &b.Hour) || dayField.empty()) return false;
    if (b.Hour > 23 || b.Hour < -23) return false;
    if (!ReadNumber(dayField, &b.Day)) {
        b.Day = 0;
        if (dayField.size() < 2) return false;
        b.Weekday = LetterIndex(kDstWeekdayLetters, dayField[0]);
        b.Occurrence = LetterIndex(kDstOccurrenceLetters, dayField[1]);
        if (b.Weekday < 0 || b.Occurrence < 0) return false;
        b.ByWeekday = true;
    }
    b.Utc = text.find(L'U') != std::wstring::npos;
    *out = b;
    return true;
}

bool ParseDstRule(const std::wstring& text, DstRule* rule) {
    std::wstring start, end;
    DstRule r;
    if (!SplitDstRule(text, &start, &end)) return false;
    if (!ParseDstBoundaryText(start, &r.Start) || !ParseDstBoundaryText(end, &r.End)) return false;
    *rule = r;
    return true;
}

std::wstring FormatDstBoundary(const DstBoundary& b) {
    std::wstring day;
    if (b.ByWeekday) {
        const bool known = b.Weekday >= 0 && b.Weekday < 7 && b.Occurrence >= 0 && b.Occurrence < 5;
        day = known ? std::wstring{kDstWeekdayLetters[b.Weekday], kDstOccurrenceLetters[b.Occurrence]} : L"??";
    } else {
        day = TwoDigits(b.Day);
    }
    return TwoDigits(b.Month) + L"/" + day + L" " + TwoDigits(b.Hour) + (b.Utc ? L"U" : L"");
}

std::wstring FormatDstRule(const DstRule& rule) {
    return FormatDstBoundary(rule.Start) + L";" + FormatDstBoundary(rule.End);
}

bool DstBoundaryDate(const DstBoundary& b, int year, int* outYear, int* month, int* day, int* hour) {
    int y = year, m = b.Month, d = b.Day;
    if (!b.ByWeekday) {
        if (IsBadDate(y, m, d)) return false;
    } else {
        if (m < 1 || m > 12 || y < 1) return false;
        int f = DayNumber(y, m, 1);
        for (int i = 0; i < 7 && f % 7 != b.Weekday; ++i) ++f;
        if (b.Occurrence >= 1) {
            DateFromDayNumber(f + 7 * (b.Occurrence - 1), &y, &m, &d);
        } else {
            DateFromDayNumber(f + 21, &y, &m, &d);
            if (d + 7 <= DaysInMonth(y, m)) DateFromDayNumber(f + 28, &y, &m, &d);
        }
    }
    int h = b.Hour;
    if (h < 0) {
        AddDays(-1, &y, &m, &d);
        h += 24;
    }
    *outYear = y;
    *month = m;
    *day = d;
    *hour = h;
    return true;
}

int ParseDstBoundary(int* year, int* month, int* day, int* hour, const std::wstring& text,
                     const ClockReading& now) {
    *month = 0;
    *day = 0;
    *hour = -1;
    DstBoundary b;
    if (!ParseDstBoundaryText(text, &b)) return 0;
    if (!DstBoundaryDate(b, YearOrPresent(*year, b, now), year, month, day, hour)) return 0;
    return b.Utc ? -1 : 1;
}

int ApplyDst(SYSTEMTIME* time, const DstRule& rule, const ClockReading& now) {
    const SYSTEMTIME r = rule.Start.Utc || rule.End.Utc ? now.Utc : *time;
    int y1, m1, d1, h1, y2, m2, d2, h2;
    if (!DstBoundaryDate(rule.Start, YearOrPresent(r.wYear, rule.Start, now), &y1, &m1, &d1, &h1)) return 0;
    if (!DstBoundaryDate(rule.End, YearOrPresent(r.wYear, rule.End, now), &y2, &m2, &d2, &h2)) return 0;
    if (m1 == m2) return 0;

    const int m = r.wMonth;
    if (m1 < m2) {
        if (m < m1 || m > m2) return 0;
    } else if (!(m >= m1 || m <= m2)) {
        return 0;
    }
    const int v = 24 * r.wDay + r.wHour;
    if (m == m1 && v < 24 * d1 + h1) return 0;
    if (m == m2 && v >= 24 * d2 + h2) return 0;

    if (time->wHour >= 23) {
        time->wHour = 0;
        AddDays(1, time);
    } else {
        time->wHour = static_cast<uint16_t>(time->wHour + 1);
    }
    return 1;
}

int ApplyDst(SYSTEMTIME* time, const std::wstring& rule, const ClockReading& now) {
    DstRule parsed;
    if (rule.size() > kMaxDstRuleLength || !ParseDstRule(rule, &parsed)) return 0;
    return ApplyDst(time, parsed, now);
}

}  // namespace velkaro
