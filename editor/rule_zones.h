// The rule dialog's "Zone" list without its window: the platform's time zones
// as the list offers them, and what choosing one does to the dialog's fields
// and to its OK.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "editor/rule_dialog.h"
#include "engine/rule_compose.h"
#include "platform/time_zones.h"

namespace velkaro {

struct ZoneEntry {
    std::wstring Key;      // the platform's name, "W. Europe Standard Time"
    std::wstring Display;  // what the list shows: the zone's display name, else its key
    TimeZoneRecord Record;
    double StandardHours = 0;  // -(Bias + StandardBias) / 60, hours east of UTC
};

// The zones whose "TZI" reads, in the order the platform shows them: by
// standard offset from the west, then by display name.
std::vector<ZoneEntry> ZoneEntries(const std::vector<PlatformTimeZone>& zones);

// The zone chosen in the rule dialog.
struct ZoneChoice {
    bool Chosen = false;       // a zone of the list is chosen
    bool HasDst = false;       // false: the zone keeps one offset all year
    double StandardHours = 0;  // the zone's standard offset, for the location's "TD"
    std::wstring Caveat;       // how the fields differ from the zone's switches; empty when they state them
};

// Choosing a zone: its switches go into *fields (months, weeks, weekdays,
// hours and form, the end hour on the standard-time scale), the nearest the
// rule can state where it cannot state them exactly (the Caveat says how). A
// zone without daylight saving, or whose switches cannot be shown, leaves
// *fields as shown.
ZoneChoice ChooseZone(const TimeZoneRecord& record, RuleFields* fields);

// What the dialog says under the list about the chosen zone: its whole name,
// then the caveat, if any.
std::wstring ZoneNote(const ZoneEntry& zone, const ZoneChoice& choice);

// Typing into the zone list: the text typed so far and when its last key came.
struct ZoneTypeAhead {
    std::wstring Typed;
    uint32_t LastKeyMs = 0;
};
constexpr uint32_t kTypeAheadPauseMs = 1500;  // a longer pause starts the typed text anew

// A key typed into the list at timeMs (the key message's time): it joins the
// typed text (a backspace takes the last character back). Returns the index
// in `names` of the first that starts with the typed text, ignoring case, else
// of the first whose name after its offset ("(UTC+01:00) ") does; -1 when
// none does or nothing is typed.
int FindTypedZone(ZoneTypeAhead* typing, wchar_t key, uint32_t timeMs, const std::vector<std::wstring>& names);

// OK's rule: empty for a chosen zone without daylight saving, the rule the
// fields make after any other choice of a zone, else RuleAfterEdit's.
std::wstring RuleOnOk(const RuleFields& fields, const ZoneChoice& zone, const RuleOpening& opened);

}  // namespace velkaro
