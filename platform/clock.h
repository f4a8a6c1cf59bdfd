// Device clock seam. Win32 reads the system clock (or VELKARO_NOW); the native
// build keeps a settable clock for tests.
#pragma once
#include <string>

#include "platform/systime.h"

namespace velkaro {

SYSTEMTIME ClockUtcNow();
SYSTEMTIME ClockLocalNow();
// Minutes to add to local standard time to get UTC (Tokyo: -540).
int ClockBiasMinutes();

// The three at once.
inline ClockReading ReadClock() { return ClockReading{ClockUtcNow(), ClockLocalNow(), ClockBiasMinutes()}; }

// The fixed instant of VELKARO_NOW and of the page's "now" parameter:
// "2026-12-08T09:30:00Z" or "2026-12-08T09:30Z", within the dates the engine
// serves. False, with *out untouched, for anything else; on success the day of
// the week is filled in.
bool ParseUtcInstant(const std::string& text, SYSTEMTIME* out);

// Native build only: set what the clock reports.
void SetNativeClock(const SYSTEMTIME& utc, const SYSTEMTIME& local, int biasMinutes);

}  // namespace velkaro
