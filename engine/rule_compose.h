// Daylight-saving rules in the item's format, composed from a zone's list of
// offset changes or from the platform's time-zone record. Pure computation: no
// clock, no settings.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/systime.h"

namespace velkaro {

// One change of a zone's offset from UTC.
struct ZoneTransition {
    int64_t Utc = 0;       // seconds since 1970-01-01 00:00 UTC; first second of the new offset
    int OffsetBefore = 0;  // seconds east of UTC
    int OffsetAfter = 0;
};

// A zone over whole UTC years FirstYear..LastYear.
struct ZoneYears {
    int FirstYear = 0;
    int LastYear = 0;
    int OffsetAtStart = 0;    // seconds east at FirstYear-01-01 00:00 UTC
    int StandardOffset = 0;   // seconds east that the zone's data calls standard time
    std::vector<ZoneTransition> Changes;  // in time order, all inside the years
};

constexpr int kRuleFound = 1;     // Rule reproduces the zone
constexpr int kNoDst = 0;         // the zone keeps one offset; Rule is empty
constexpr int kRuleInexact = -1;  // no rule states it exactly; Rule is empty or an approximation

struct ComposedRule {
    int Result = kNoDst;
    std::wstring Rule;
    double StandardHours = 0;  // the offset the rule's hours and UtcMargin are on
};

// Looks for a rule in the weekday form (or the day form where the date is
// fixed), hours on the standard-time scale first, then in UTC, and keeps the
// first one whose replay through ApplyDst gives the zone's offset at and around
// every change and on every day of the years. When found, StandardHours is the
// lower of the two offsets; otherwise it is the zone's StandardOffset and the
// result is kRuleInexact (Rule empty).
ComposedRule ComposeRuleFromTransitions(const ZoneYears& zone);

// The daylight-saving state a rule gives at a UTC instant, as the item would
// evaluate it for a place whose offset is standardHours: 1 in daylight saving,
// else 0. Times are whole seconds since 1970 UTC.
int ReplayRule(const std::wstring& rule, double standardHours, int64_t utc);

// The platform's time-zone record (TIME_ZONE_INFORMATION, or the registry's
// binary "TZI"). In the recurring form wYear is 0, wDay the occurrence 1..5
// (5 the last), wDayOfWeek the weekday (0 Sunday), wHour:wMinute the wall clock.
struct TimeZoneRecord {
    int32_t Bias = 0;          // minutes: UTC = local standard time + Bias
    int32_t StandardBias = 0;  // minutes added to Bias in standard time (nearly always 0)
    int32_t DaylightBias = 0;  // minutes added to Bias in daylight time (usually -60)
    DateTime StandardDate;   // when daylight saving ends, on the daylight wall clock
    DateTime DaylightDate;   // when it starts, on the standard wall clock
};

// Reads the 44-byte little-endian "TZI" value (Bias, StandardBias,
// DaylightBias, StandardDate, DaylightDate). False, record unchanged, for any
// other size.
bool ParseTziBytes(const std::vector<uint8_t>& bytes, TimeZoneRecord* record);

// The record as a rule: kNoDst with an empty rule when the zone has no daylight
// saving; kRuleFound with the rule, its end hour moved to the standard-time
// scale; kRuleInexact when the record cannot be stated exactly (a switch off the
// whole hour, a shift other than one hour, a malformed date), with the nearest
// rule when there is one. StandardHours is always the zone's standard offset.
ComposedRule RuleFromTimeZoneRecord(const TimeZoneRecord& record);

}  // namespace velkaro
