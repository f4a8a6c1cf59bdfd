// The platform's list of time zones, read only: on Win32 the subkeys of
// "SOFTWARE\Microsoft\Windows NT\CurrentVersion\Time Zones" under the local
// machine. The native build reports what a test has set.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace velkaro {

struct PlatformTimeZone {
    std::wstring Key;          // the subkey's name, "W. Europe Standard Time"
    std::wstring Display;      // its "Display", empty when there is none
    std::vector<uint8_t> Tzi;  // its binary "TZI", empty when there is none or it is too long
};

// Every zone the platform lists, in the platform's order; empty when it has
// no such list.
std::vector<PlatformTimeZone> ReadPlatformTimeZones();

// Native build only: the list ReadPlatformTimeZones reports.
void SetPlatformTimeZones(const std::vector<PlatformTimeZone>& zones);

}  // namespace velkaro
