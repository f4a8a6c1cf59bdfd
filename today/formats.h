// Every text the item shows: times, remaining times, azimuth labels,
// coordinates, offsets, dates and the Moon's age.
#pragma once
#include <string>

#include "engine/events.h"
#include "platform/systime.h"
#include "settings/location.h"
#include "settings/store.h"

namespace velkaro {

// The degree mark to write ("0" in the settings stands for the degree sign).
std::wstring DegreeMark(const GeneralSettings& g);

// Whether the place's daylight-saving rule applies to its times.
bool DstApplies(const GeneralSettings& g, const LocationRecord& place);

// "%02d:%02d", with DSTMark appended (and the hour moved on) when the place's
// rule puts the time in daylight-saving time (a UTC rule judged at `now`).
std::wstring FormatEventTime(const DateTime& time, const GeneralSettings& g,
                             const LocationRecord& place, const ClockReading& now);
// "(-45)" within MaxMin minutes, else whole hours "(-1h)"; present minus event.
std::wstring FormatRemaining(const DateTime& present, const DateTime& event, int maxMin);
// Styles 0 numerical, 1 south base, 2 east-west base, 3 nearest cardinal point.
std::wstring FormatAzimuth(double azimuth, int style, double lat, const std::wstring& deg);
// "%d%s", whole degrees toward zero; with a trailing blank for the main line.
std::wstring FormatAltitude(double altitude, const std::wstring& deg, bool trailingBlank);
std::wstring FormatLatitude(double lat);   // "33.90S"
std::wstring FormatLongitude(double lng);  // "0.00E"
// " (+5.5)", " (-3.0)" or " (UTC)" (always " (UTC)" with the UTC clock).
std::wstring FormatUtcOffsetMark(double offsetHours, int clock);
// The place's offset plus the daylight-saving hour when `present` is in it.
double UtcOffsetWithDst(const GeneralSettings& g, const LocationRecord& place,
                        const DateTime& present, const ClockReading& now);
std::wstring FormatShiftDate(const DateTime& date);  // "2026/03/07 "
std::wstring FormatMoonAge(double age);                 // "(12.3) "

// Wide printf into a string of any length.
std::wstring FormatText(const wchar_t* format, ...);

}  // namespace velkaro
