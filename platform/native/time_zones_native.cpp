#include "platform/time_zones.h"

namespace velkaro {
namespace {
std::vector<PlatformTimeZone> g_zones;
}  // namespace

std::vector<PlatformTimeZone> ReadPlatformTimeZones() { return g_zones; }

void SetPlatformTimeZones(const std::vector<PlatformTimeZone>& zones) { g_zones = zones; }

}  // namespace velkaro
