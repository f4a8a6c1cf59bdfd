#include "platform/clock.h"

namespace velkaro {
namespace {
SYSTEMTIME g_utc = MakeTime(2026, 1, 1, 0, 0);
SYSTEMTIME g_local = MakeTime(2026, 1, 1, 9, 0);
int g_bias = -540;
}  // namespace

SYSTEMTIME ClockUtcNow() { return g_utc; }
SYSTEMTIME ClockLocalNow() { return g_local; }
int ClockBiasMinutes() { return g_bias; }

void SetNativeClock(const SYSTEMTIME& utc, const SYSTEMTIME& local, int biasMinutes) {
    g_utc = utc;
    g_local = local;
    g_bias = biasMinutes;
}

}  // namespace velkaro
