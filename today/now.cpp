#include "today/now.h"

#include "engine/instant.h"
#include "platform/clock.h"

namespace velkaro {
namespace {

// The fixed instant, when the platform's text names one.
bool FixedNow(DateTime* out) {
    const std::string text = FixedNowText();
    if (text.empty()) return false;
    if (ParseUtcInstant(text, out)) return true;
    ReportBadFixedNow(text);
    return false;
}

}  // namespace

DateTime ClockUtcNow() {
    DateTime t;
    return FixedNow(&t) ? t : SystemUtcNow();
}

DateTime ClockLocalNow() {
    DateTime utc, local;
    if (!FixedNow(&utc)) return SystemLocalNow();
    return LocalFromUtc(utc, &local) ? local : utc;
}

ClockReading ReadClock() { return ClockReading{ClockUtcNow(), ClockLocalNow(), ClockBiasMinutes()}; }

}  // namespace velkaro
