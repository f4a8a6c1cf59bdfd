// The rule dialog's "Zone" list without its window: the platform's time zones
// as the list offers them, and what choosing one does to the dialog's fields
// and to its OK.
#pragma once
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
};

// Choosing a zone: its switches go into *fields (months, weeks, weekdays,
// hours and form, the end hour on the standard-time scale). A zone without
// daylight saving, or whose switches cannot be read, leaves *fields as shown.
ZoneChoice ChooseZone(const TimeZoneRecord& record, RuleFields* fields);

// OK's rule: empty for a chosen zone without daylight saving, the rule the
// fields make after any other choice of a zone, else RuleAfterEdit's.
std::wstring RuleOnOk(const RuleFields& fields, const ZoneChoice& zone, const RuleOpening& opened);

}  // namespace velkaro
