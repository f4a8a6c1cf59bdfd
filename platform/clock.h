// Device clock seam. Win32 reads the system clock (or VELKARO_NOW); the native
// build keeps a settable clock for tests.
#pragma once
#include "platform/systime.h"

namespace velkaro {

SYSTEMTIME ClockUtcNow();
SYSTEMTIME ClockLocalNow();
// Minutes to add to local standard time to get UTC (Tokyo: -540).
int ClockBiasMinutes();

// The three at once.
inline ClockReading ReadClock() { return ClockReading{ClockUtcNow(), ClockLocalNow(), ClockBiasMinutes()}; }

// Native build only: set what the clock reports.
void SetNativeClock(const SYSTEMTIME& utc, const SYSTEMTIME& local, int biasMinutes);

}  // namespace velkaro
