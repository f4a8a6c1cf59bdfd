#include "editor/rule_zones.h"

#include <algorithm>

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
    if (c.HasDst && understood && oneForm) *fields = filled;
    return c;
}

std::wstring RuleOnOk(const RuleFields& fields, const ZoneChoice& zone, const RuleOpening& opened) {
    if (zone.Chosen && !zone.HasDst) return std::wstring();
    // A zone's rule replaces the stored one even where it shows the same fields
    // (a stored "U" would put its hours on another scale).
    if (zone.Chosen) return ComposeRule(fields);
    return RuleAfterEdit(fields, opened);
}

}  // namespace velkaro
