#include "editor/rule_dialog.h"

#include <cwchar>

#include "editor/fields.h"

namespace velkaro {

const wchar_t kWeekdayLetters[] = L"SMTWHFA";
const wchar_t kWeekLetters[] = L"e1234";

namespace {

// The rule's fields are split as its format defines them: runs of the
// delimiter count as one and leading ones are skipped.
std::wstring NextToken(const std::wstring& s, size_t* pos, wchar_t delim) {
    size_t p = *pos;
    while (p < s.size() && s[p] == delim) ++p;
    size_t end = s.find(delim, p);
    if (end == std::wstring::npos) end = s.size();
    *pos = end < s.size() ? end + 1 : end;
    return s.substr(p, end - p);
}

// Index of a character in a letter table, -1 when it is not there.
int LetterIndex(const wchar_t* table, wchar_t ch) {
    if (ch == L'\0') return -1;
    const wchar_t* at = std::wcschr(table, ch);
    return at ? static_cast<int>(at - table) : -1;
}

wchar_t Letter(const wchar_t* table, int index) {
    const int n = static_cast<int>(std::wcslen(table));
    return table[index >= 0 && index < n ? index : 0];
}

// "%02d": two digits, and the sign inside the width ("-3").
std::wstring TwoDigits(int v) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%02d", v);
    return buf;
}

// "MM/DD HH" in the day form, else "MM/wk HH" with the weekday and week letters.
std::wstring Half(const RuleBoundary& b, bool dayForm) {
    std::wstring day = dayForm ? TwoDigits(b.Day) : std::wstring{Letter(kWeekdayLetters, b.Weekday), Letter(kWeekLetters, b.Week)};
    return TwoDigits(b.Month) + L"/" + day + L" " + TwoDigits(b.Hour);
}

}  // namespace

int ParseRuleHalf(const std::wstring& text, int* month, int* dayOrWeek, int* weekday, int* hour) {
    *month = 0;
    *dayOrWeek = 0;
    *weekday = -1;
    *hour = -1;
    if (text.empty() || text.find(L'/') == std::wstring::npos) return 0;
    size_t pos = 0;
    const std::wstring monthText = NextToken(text, &pos, L'/');
    const std::wstring rest = text.substr(pos);
    if (rest.find(L' ') == std::wstring::npos) return 0;
    size_t rpos = 0;
    const std::wstring dayText = NextToken(rest, &rpos, L' ');
    const std::wstring hourText = NextToken(rest, &rpos, L' ');

    bool isMonth = false, isHour = false;
    const long long m = LeadingInteger(monthText, &isMonth);
    const long long h = LeadingInteger(hourText, &isHour);
    if (!isMonth || !isHour || dayText.empty() || h > 23 || h < -23) return 0;
    // Beyond any month, but kept apart from the months 1 to 12 it is compared with.
    *month = m > 1000 ? 1000 : (m < -1000 ? -1000 : static_cast<int>(m));
    *hour = static_cast<int>(h);
    const int result = hourText.find(L'U') != std::wstring::npos ? -1 : 1;

    bool isDay = false;
    const long long d = LeadingInteger(dayText, &isDay);
    if (isDay) {
        *dayOrWeek = d > 1000 ? 1000 : (d < -1000 ? -1000 : static_cast<int>(d));
        return result;
    }
    if (dayText.size() < 2) return 0;
    const int w = LetterIndex(kWeekdayLetters, dayText[0]);
    const int k = LetterIndex(kWeekLetters, dayText[1]);
    if (w < 0 || k < 0) return 0;
    *weekday = w;
    *dayOrWeek = k;
    return result;
}

RuleFields RuleFieldsFromText(const std::wstring& rule, bool* understood) {
    RuleFields f;
    if (understood) *understood = false;
    if (rule.find(L';') == std::wstring::npos) return f;
    size_t pos = 0;
    const std::wstring start = NextToken(rule, &pos, L';');
    const std::wstring end = NextToken(rule, &pos, L';');
    int m1, d1, w1, h1, m2, d2, w2, h2;
    if (ParseRuleHalf(start, &m1, &d1, &w1, &h1) == 0 || ParseRuleHalf(end, &m2, &d2, &w2, &h2) == 0 || m1 == m2)
        return f;
    if (understood) *understood = true;
    if (m1 >= 1 && m1 <= 12) f.Start.Month = m1;
    if (m2 >= 1 && m2 <= 12) f.End.Month = m2;
    // The start half chooses the form of both; the end half fills only its own
    // kind of field.
    f.Start.Hour = h1;
    if (w1 < 0) {
        f.Start.Day = d1;
        f.DayForm = true;
    } else {
        f.Start.Week = d1;
        f.Start.Weekday = w1;
    }
    f.End.Hour = h2;
    if (w2 < 0) {
        f.End.Day = d2;
    } else {
        f.End.Week = d2;
        f.End.Weekday = w2;
    }
    return f;
}

std::wstring ComposeRule(const RuleFields& f) {
    return Half(f.Start, f.DayForm) + L";" + Half(f.End, f.DayForm);
}

int SpinPosition::Read(uint32_t reported) {
    if (reported >> 16) return Last;
    int v = static_cast<int>(reported & 0xFFFF);
    if (v > 65000) v -= 65536;  // a negative position in 16 bits
    Last = v;
    return v;
}

}  // namespace velkaro
