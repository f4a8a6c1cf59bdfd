// The present as the item, the host and the tools see it: the instant that the
// platform's text fixes (VELKARO_NOW, the page's `now`), else the system clock.
#pragma once
#include "platform/systime.h"

namespace velkaro {

// Read the clock now: the fixed instant when the platform's text names one
// (its local time from the device's zone), else the system clock. A text that
// is not an instant is reported through the seam and the system clock is used.
DateTime ClockUtcNow();
DateTime ClockLocalNow();
ClockReading ReadClock();

}  // namespace velkaro
