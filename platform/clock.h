// Device clock seam: the system clock, the zone's bias, and the text that may
// fix the present instant (VELKARO_NOW on Win32). Reading that text, and
// choosing between it and the system clock, is portable: engine/instant.h parses it, today/now.h chooses.
// Win32 reads the system; the native build keeps a settable clock for tests.
#pragma once
#include <string>

#include "platform/systime.h"

namespace velkaro {

DateTime SystemUtcNow();
DateTime SystemLocalNow();
// The device zone's local time of a UTC instant; false when the platform cannot tell.
bool LocalFromUtc(const DateTime& utc, DateTime* local);
// Minutes to add to local standard time to get UTC (Tokyo: -540).
int ClockBiasMinutes();

// The text that fixes the present instant; empty when none is set.
std::string FixedNowText();
// Tells the user, once per process, that the text is not an instant and the
// system clock is used.
void ReportBadFixedNow(const std::string& text);

// Native build only: set what the clock reports and the fixed text (empty: none).
void SetNativeClock(const DateTime& utc, const DateTime& local, int biasMinutes);
void SetNativeFixedNow(const std::string& text);
// Native build only: how many bad texts have been reported.
int NativeBadFixedNowReports();

}  // namespace velkaro
