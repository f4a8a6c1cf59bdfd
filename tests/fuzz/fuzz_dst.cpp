// Arbitrary rule text must never crash, a rule either shifts the time by
// exactly one hour or leaves it alone, and a rule that reads writes back to
// text that reads the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/calendar.h"

using namespace velkaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const ClockReading now{MakeTime(2011, 6, 1, 0, 0), MakeTime(2011, 6, 1, 9, 0), -540};
    const int month = 1 + data[0] % 12, day = 1 + data[1] % 28, hour = data[2] % 24;
    std::wstring rule;
    for (size_t i = 3; i + 1 < size; i += 2) rule.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
    // Plain ASCII as well, so that well-formed rules are reached often.
    std::wstring ascii;
    for (size_t i = 3; i < size; ++i) ascii.push_back(static_cast<wchar_t>(data[i] & 0x7F));
    for (const std::wstring* r : {&rule, &ascii}) {
        SYSTEMTIME t = MakeTime(2011, month, day, hour, 30);
        const SYSTEMTIME before = t;
        int result = ApplyDst(&t, *r, now);
        if (result == 0 && (t.wHour != before.wHour || t.wDay != before.wDay)) std::abort();
        if (result == 1) {
            int minutes = MinutesBetween(t, before);
            if (minutes != 60) std::abort();
        }
        DstRule parsed, again;
        if (ParseDstRule(*r, &parsed) && !(ParseDstRule(FormatDstRule(parsed), &again) && again == parsed))
            std::abort();
        int y = 0, m, d, h;
        const size_t cut = r->find(L';');
        if (ParseDstBoundary(&y, &m, &d, &h, r->substr(0, cut), now) != 0) {
            if (IsBadDate(y, m, d) || h < 0 || h > 23) std::abort();
        }
    }
    return 0;
}
