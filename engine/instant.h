// The present instant: the system clock, or the instant that a text fixes for
// reproducible pictures and tests (VELKARO_NOW on Win32, the web edition's
// `now` parameter), written as ISO-8601 UTC.
#pragma once
#include <string>

#include "platform/systime.h"

namespace velkaro {

// Reads "2026-12-08T09:30:00Z" or "2026-12-08T09:30Z" into *out (the day of
// the week filled in, milliseconds 0). False, *out unchanged, for any other
// text and for instants outside the dates the engine serves (1900-03-01 to
// 2100-02-28).
bool ParseUtcInstant(const std::string& text, SYSTEMTIME* out);

// The present, read now: the fixed instant when the platform's text names one
// (its local time from the device's zone), else the system clock. A text that
// is not an instant is reported through the seam and the system clock is used.
SYSTEMTIME ClockUtcNow();
SYSTEMTIME ClockLocalNow();
ClockReading ReadClock();

}  // namespace velkaro
