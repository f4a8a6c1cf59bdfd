#include "tools/starter/zone_scan.h"

#include <sys/stat.h>

#include <cstdlib>
#include <ctime>

namespace velkaro {

UnixTime UnixFromUtc(int year, int month, int day, int hour, int minute) {
    // Days from 1970-01-01 by the civil-from-days inverse (proleptic Gregorian).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = static_cast<int64_t>(era) * 146097 + doe - 719468;
    return days * 86400 + hour * 3600 + minute * 60;
}

namespace {

DateTime FromTm(const std::tm& tm) {
    DateTime s = MakeTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min);
    s.wDayOfWeek = static_cast<uint16_t>(tm.tm_wday);
    s.wSecond = static_cast<uint16_t>(tm.tm_sec);
    return s;
}

}  // namespace

DateTime UtcFromUnix(UnixTime t) {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    gmtime_r(&tt, &tm);
    return FromTm(tm);
}

bool ZoneKnown(const std::string& zone) {
    if (zone.empty() || zone[0] == '/' || zone.find("..") != std::string::npos) return false;
    const char* dir = std::getenv("TZDIR");
    const std::string path = std::string(dir && *dir ? dir : "/usr/share/zoneinfo") + "/" + zone;
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

ZoneScope::ZoneScope(const std::string& zone) {
    if (const char* old = std::getenv("TZ")) {
        hadTz_ = true;
        oldTz_ = old;
    }
    setenv("TZ", zone.c_str(), 1);
    tzset();
}

ZoneScope::~ZoneScope() {
    if (hadTz_)
        setenv("TZ", oldTz_.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

int ZoneOffsetAt(UnixTime t, bool* isDst) {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    if (isDst) *isDst = tm.tm_isdst > 0;
    return static_cast<int>(tm.tm_gmtoff);
}

DateTime ZoneLocalTime(UnixTime t) {
    std::time_t tt = static_cast<std::time_t>(t);
    std::tm tm{};
    localtime_r(&tt, &tm);
    return FromTm(tm);
}

std::vector<ZoneTransition> ZoneChanges(UnixTime from, UnixTime to, int step) {
    std::vector<ZoneTransition> out;
    UnixTime t = from;
    int offset = ZoneOffsetAt(t);
    while (t < to) {
        UnixTime next = t + step < to ? t + step : to;
        const int after = ZoneOffsetAt(next);
        if (after != offset) {
            UnixTime lo = t, hi = next;  // offset at lo, changed by hi
            while (hi - lo > 1) {
                const UnixTime mid = lo + (hi - lo) / 2;
                if (ZoneOffsetAt(mid) == offset)
                    lo = mid;
                else
                    hi = mid;
            }
            if (hi < to) out.push_back({hi, offset, ZoneOffsetAt(hi)});
            offset = ZoneOffsetAt(hi);
            t = hi;
            continue;
        }
        t = next;
    }
    return out;
}

int ZoneStandardOffset(UnixTime from, const std::vector<ZoneTransition>& changes) {
    bool dst = false;
    int standard = ZoneOffsetAt(from, &dst);
    bool found = !dst;
    for (const ZoneTransition& c : changes) {
        const int offset = ZoneOffsetAt(c.Utc, &dst);
        if (!dst) {
            standard = offset;
            found = true;
        }
    }
    if (!found) standard = ZoneOffsetAt(from);
    return standard;
}

ZoneYears ZoneOverYears(int firstYear, int lastYear) {
    const UnixTime from = UnixFromUtc(firstYear, 1, 1), to = UnixFromUtc(lastYear + 1, 1, 1);
    ZoneYears z;
    z.FirstYear = firstYear;
    z.LastYear = lastYear;
    z.OffsetAtStart = ZoneOffsetAt(from);
    z.Changes = ZoneChanges(from, to);
    z.StandardOffset = ZoneStandardOffset(from, z.Changes);
    return z;
}

}  // namespace velkaro
