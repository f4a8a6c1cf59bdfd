// The instant that a text fixes for reproducible pictures and tests
// (VELKARO_NOW on Win32, the web edition's `now` parameter), written as
// ISO-8601 UTC. Reading the clock is the caller's: today/now.h.
#pragma once
#include <string>

#include "platform/systime.h"

namespace velkaro {

// Reads "2026-12-08T09:30:00Z" or "2026-12-08T09:30Z" into *out (the day of
// the week filled in, milliseconds 0). False, *out unchanged, for any other
// text and for instants outside the dates the engine serves (1900-03-01 to
// 2100-02-28).
bool ParseUtcInstant(const std::string& text, DateTime* out);

}  // namespace velkaro
