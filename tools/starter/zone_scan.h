// The system's time-zone database through the C library (TZ, tzset,
// localtime_r): local time and transitions of a named zone. Native build only;
// it changes the process's TZ while a ZoneScope lives.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "engine/rule_compose.h"
#include "platform/systime.h"

namespace velkaro {

// Seconds since 1970-01-01 00:00 UTC.
using UnixTime = int64_t;

UnixTime UnixFromUtc(int year, int month, int day, int hour = 0, int minute = 0);
DateTime UtcFromUnix(UnixTime t);

// True when the database has a zone of that name (the C library would
// silently take an unknown name as UTC).
bool ZoneKnown(const std::string& zone);

// Makes `zone` the process's time zone until destroyed, then restores TZ.
class ZoneScope {
public:
    explicit ZoneScope(const std::string& zone);
    ~ZoneScope();
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    bool hadTz_ = false;
    std::string oldTz_;
};

// In the zone of the live ZoneScope: seconds east of UTC at t, whether the
// database calls it daylight time, and the wall clock.
int ZoneOffsetAt(UnixTime t, bool* isDst = nullptr);
DateTime ZoneLocalTime(UnixTime t);

// Offset changes of the live zone in [from, to), found by stepping `step`
// seconds and narrowing each change down to the second.
std::vector<ZoneTransition> ZoneChanges(UnixTime from, UnixTime to, int step = 6 * 3600);
// The offset the database calls standard time, as it stands after the last
// of `changes` that enters it (or at `from` when none does).
int ZoneStandardOffset(UnixTime from, const std::vector<ZoneTransition>& changes);
// The live zone over whole UTC years, as the rule composer takes it.
ZoneYears ZoneOverYears(int firstYear, int lastYear);

}  // namespace velkaro
