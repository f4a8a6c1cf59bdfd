#include "platform/clock.h"

namespace velkaro {
namespace {
SYSTEMTIME g_utc = MakeTime(2026, 1, 1, 0, 0);
SYSTEMTIME g_local = MakeTime(2026, 1, 1, 9, 0);
int g_bias = -540;
std::string g_fixed;
int g_reports = 0;
}  // namespace

SYSTEMTIME SystemUtcNow() { return g_utc; }
SYSTEMTIME SystemLocalNow() { return g_local; }
int ClockBiasMinutes() { return g_bias; }

// The settable clock knows no zone rules to convert with.
bool LocalFromUtc(const SYSTEMTIME&, SYSTEMTIME*) { return false; }

std::string FixedNowText() { return g_fixed; }
void ReportBadFixedNow(const std::string&) { ++g_reports; }

void SetNativeClock(const SYSTEMTIME& utc, const SYSTEMTIME& local, int biasMinutes) {
    g_utc = utc;
    g_local = local;
    g_bias = biasMinutes;
}

void SetNativeFixedNow(const std::string& text) { g_fixed = text; }
int NativeBadFixedNowReports() { return g_reports; }

}  // namespace velkaro
