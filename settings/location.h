// Observing places: the record, the twenty registry slots, and how the item
// picks, steps through and lists them.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "platform/systime.h"
#include "settings/protocol.h"

namespace velkaro {

constexpr int kSlotCount = 20;
constexpr size_t kLocationNameWidth = 260;
constexpr size_t kDstRuleWidth = 260;

struct LocationRecord {
    int32_t Valid = 0;  // the slot holds a place the item shows (0: skipped)
    std::wstring Location;  // the place's name, up to 259 characters
    double Lat = 0;  // latitude, degrees north
    double Lng = 0;  // longitude, degrees east
    int32_t Altitude = 0;  // height above sea level, metres
    int32_t UtcGet = 0;  // how the offset is obtained: a UtcMode value
    double UtcMargin = 0;  // standard-time offset, hours east of UTC (5.5, -3.5)
    int32_t ExistDST = 0;  // the place has a daylight-saving rule (DST not empty)
    std::wstring DST;  // daylight-saving rule ("03/S2 02;11/S1 02"), engine/dst_rule.h
};

using LocationTable = std::array<LocationRecord, kSlotCount>;

// How a place's present time and standard-time offset are obtained (the stored UtcGet).
enum class UtcMode : int32_t {
    Manual = 0,         // UtcMargin as typed, on the device's UTC clock
    DeviceZone = 1,     // the device's local time; UtcMargin its zone's, in whole hours
    FromLongitude = 2,  // UtcMargin from the longitude, on the device's UTC clock
    DeviceClock = 3,    // the device's local time as it is; UtcMargin as stored
};
// The mode a stored value stands for: any value but 0, 1 and 3 is from the longitude.
UtcMode UtcModeOf(int32_t utcGet);

const LocationRecord& FallbackLocation();
// The built-in cities, row n for slot n.
const LocationTable& CityTable();
// Finds a built-in city by name, case-insensitively; null when unknown.
const LocationRecord* FindCity(const std::wstring& name);

std::wstring SlotKeyPath(int slot);  // "\Software\quorrin\Velkaro\Pos07"

void ReadLocationRecord(RegKey key, LocationRecord* record);
void WriteLocationRecord(RegKey key, const LocationRecord& record);
bool LoadLocationSlots(LocationTable* table);
bool SaveLocationSlots(const LocationTable& table);

int SelectFirstValidLocation(LocationTable* table);
// direction -1 or +1; returns the new slot.
int StepLocation(LocationTable* table, int posIndex, int direction);

// Present time of a place by its UtcGet mode, from one clock reading. Modes 1
// and 2 rewrite the place's UtcMargin (the device's whole hours, the
// longitude's half hours).
SYSTEMTIME PresentTimeAt(LocationRecord* place, const ClockReading& now);

struct MenuEntry {
    int Command = 0;
    std::wstring Text;
    bool Checked = false;
};
constexpr int kLocationCommandBase = 40020;
std::vector<MenuEntry> BuildLocationMenu(const LocationTable& table, int posIndex, bool menuTime,
                                         bool dstOn, const ClockReading& now);

// Leading decimal number of a text ("35.68abc" is 35.68, leading white space
// skipped); anything else is 0. Always "." as the decimal point, whatever the
// process's locale.
double ParseLeadingDouble(const std::wstring& text);
// "%.*f" in the C locale ("." whatever the process's locale); not finite reads as 0.
std::wstring FormatFixed(double v, int decimals);
std::wstring FormatFixed6(double v);  // "%f"
// A zone offset as people write it: one decimal when that holds the value
// ("9.0", "5.5"), else two ("5.75", "12.75"), so quarter hours survive being
// shown and read back.
std::wstring FormatUtcOffset(double hours);

}  // namespace velkaro
