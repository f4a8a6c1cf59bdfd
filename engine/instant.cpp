#include "engine/instant.h"

#include "engine/calendar.h"

namespace velkaro {
namespace {

bool Digits(const std::string& s, size_t at, size_t count, int* value) {
    int v = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (s[i] < '0' || s[i] > '9') return false;
        v = 10 * v + (s[i] - '0');
    }
    *value = v;
    return true;
}

}  // namespace

bool ParseUtcInstant(const std::string& p, DateTime* out) {
    const size_t n = p.size();
    int y, mo, d, h, mi, sec = 0;
    if (!(n == 17 || n == 20) || !Digits(p, 0, 4, &y) || p[4] != '-' || !Digits(p, 5, 2, &mo) || p[7] != '-' ||
        !Digits(p, 8, 2, &d) || p[10] != 'T' || !Digits(p, 11, 2, &h) || p[13] != ':' || !Digits(p, 14, 2, &mi) ||
        p[n - 1] != 'Z')
        return false;
    if (n == 20 && (p[16] != ':' || !Digits(p, 17, 2, &sec))) return false;
    if (!IsServedDate(y, mo, d) || IsBadTime(h, mi) || sec > 59) return false;
    DateTime t = MakeTime(y, mo, d, h, mi);
    t.wSecond = static_cast<uint16_t>(sec);
    t.wDayOfWeek = static_cast<uint16_t>(DayNumber(y, mo, d) % 7);
    *out = t;
    return true;
}

}  // namespace velkaro
