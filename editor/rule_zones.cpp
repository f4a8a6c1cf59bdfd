#include "editor/rule_zones.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>

namespace velkaro {

std::vector<ZoneEntry> ZoneEntries(const std::vector<PlatformTimeZone>& zones) {
    std::vector<ZoneEntry> out;
    out.reserve(zones.size());
    for (const PlatformTimeZone& z : zones) {
        ZoneEntry e;
        if (!ParseTziBytes(z.Tzi, &e.Record)) continue;
        e.Key = z.Key;
        e.Display = z.Display.empty() ? z.Key : z.Display;
        // + 0.0 keeps UTC itself from showing as "-0.0".
        e.StandardHours = -(static_cast<double>(e.Record.Bias) + e.Record.StandardBias) / 60.0 + 0.0;
        out.push_back(std::move(e));
    }
    std::stable_sort(out.begin(), out.end(), [](const ZoneEntry& a, const ZoneEntry& b) {
        if (a.StandardHours != b.StandardHours) return a.StandardHours < b.StandardHours;
        return a.Display < b.Display;
    });
    return out;
}

namespace {

std::wstring Clock(const SYSTEMTIME& t) {
    wchar_t buf[16];
    std::swprintf(buf, 16, L"%02d:%02d", t.wHour, t.wMinute);
    return buf;
}

// Why the nearest rule is not the zone's own.
std::wstring Caveat(const TimeZoneRecord& z) {
    std::wstring why;
    const int shift = z.StandardBias - z.DaylightBias;
    if (z.DaylightDate.wMinute != 0 || z.StandardDate.wMinute != 0)
        why = L"the zone switches at " + Clock(z.DaylightDate) + L" and " + Clock(z.StandardDate) +
              L", the rule on the nearest whole hour";
    if (shift != 60) {
        wchar_t buf[96];
        std::swprintf(buf, 96, L"the zone moves its clocks by %d minutes, the rule by one hour", shift);
        why += (why.empty() ? L"" : L"; ") + std::wstring(buf);
    }
    if (why.empty()) why = L"the rule comes as near to the zone's switches as its form allows";
    return L"The rule is approximate: " + why + L".";
}

bool StartsWithIgnoringCase(const std::wstring& text, size_t at, const std::wstring& prefix) {
    if (text.size() < at + prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (std::towlower(text[at + i]) != std::towlower(prefix[i])) return false;
    return true;
}

}  // namespace

ZoneChoice ChooseZone(const TimeZoneRecord& record, RuleFields* fields) {
    const ComposedRule r = RuleFromTimeZoneRecord(record);
    ZoneChoice c;
    c.Chosen = true;
    c.StandardHours = r.StandardHours + 0.0;
    c.HasDst = r.Result != kNoDst;
    // The dialog has one form for both halves; a record that mixes a fixed
    // date with a recurring one cannot be shown.
    const bool oneForm = (record.DaylightDate.wYear != 0) == (record.StandardDate.wYear != 0);
    bool understood = false;
    const RuleFields filled = RuleFieldsFromText(r.Rule, &understood);
    if (!c.HasDst) return c;
    if (understood && oneForm) {
        *fields = filled;
        if (r.Result == kRuleInexact) c.Caveat = Caveat(record);
    } else {
        c.Caveat = L"The zone's switches cannot be shown in these fields; they are left as they were.";
    }
    return c;
}

std::wstring ZoneNote(const ZoneEntry& zone, const ZoneChoice& choice) {
    return choice.Caveat.empty() ? zone.Display : zone.Display + L"\n" + choice.Caveat;
}

int FindTypedZone(ZoneTypeAhead* typing, wchar_t key, uint32_t timeMs, const std::vector<std::wstring>& names) {
    if (timeMs - typing->LastKeyMs > kTypeAheadPauseMs) typing->Typed.clear();
    typing->LastKeyMs = timeMs;
    if (key == L'\b') {
        if (!typing->Typed.empty()) typing->Typed.pop_back();
    } else {
        typing->Typed.push_back(key);
    }
    if (typing->Typed.empty()) return -1;
    for (size_t i = 0; i < names.size(); ++i)
        if (StartsWithIgnoringCase(names[i], 0, typing->Typed)) return static_cast<int>(i);
    for (size_t i = 0; i < names.size(); ++i) {
        const size_t name = names[i].compare(0, 1, L"(") == 0 ? names[i].find(L") ") : std::wstring::npos;
        if (name != std::wstring::npos && StartsWithIgnoringCase(names[i], name + 2, typing->Typed))
            return static_cast<int>(i);
    }
    return -1;
}

std::wstring RuleOnOk(const RuleFields& fields, const ZoneChoice& zone, const RuleOpening& opened) {
    if (zone.Chosen && !zone.HasDst) return std::wstring();
    // A zone's rule replaces the stored one even where it shows the same fields
    // (a stored "U" would put its hours on another scale).
    if (zone.Chosen) return ComposeRule(fields);
    return RuleAfterEdit(fields, opened);
}

}  // namespace velkaro
