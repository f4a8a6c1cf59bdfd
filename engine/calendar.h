// Calendar and clock arithmetic and the time argument of the series.
// Everything works on zone time unless a name says UTC. The daylight-saving
// rules that the calendar serves live in engine/dst_rule.h, included here for
// the many callers that take the time and its rule together.
#pragma once
#include <string>

#include "engine/dst_rule.h"
#include "platform/systime.h"

namespace velkaro {

constexpr double kDegToRad = 0.017453292519943278;

// Proleptic Gregorian day number, 0001-01-01 = 1, 2000-01-01 = 730120.
int DayNumber(int year, int month, int day);
void DateFromDayNumber(int n, int* year, int* month, int* day);
void AddDays(int delta, int* year, int* month, int* day);
void AddDays(int delta, SYSTEMTIME* t);
int DaysBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);
// Minutes from b to a (a - b); 10001 when their dates are more than one day
// apart, which callers take as too far to show.
int MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);
int IsBadDate(int year, int month, int day);
int IsBadTime(int hour, int minute);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Adds the user's shift to time and rewrites the three counters normalised
// (whole days, hours and minutes of the total, all with its sign; all 0 when
// the total is 0).
void ApplyShift(SYSTEMTIME* time, int* shiftDays, int* shiftHours, int* shiftMinutes);
// Turns the UTC date-time in *time into the zone time zoneHours east of UTC
// (the offset cut to whole minutes). An offset beyond a day, which only a
// corrupted record holds, moves the time by one day at most.
void UtcToZoneTime(SYSTEMTIME* time, double zoneHours);
// The mean solar offset of a longitude in whole half hours toward zero (never -0).
double ZoneOffsetFromLongitude(double lng);

double RoundHalfAway(double x);
double Normalize360(double x);
// trunc() that does not lose a whole unit to a representation error just below
// an integer (1440 * (13 / 1440.0) must give 13, not 12).
int TruncGuarded(double x);
int FloorDiv(int a, int b);

double TimeArgument(int year, int month, double day, double zoneHours);
// The dates TimeArgument serves (it has no century terms): 1900-03-01 to 2100-02-28.
constexpr int kFirstServedYear = 1900, kLastServedYear = 2100;
bool IsServedDate(int year, int month, int day);

}  // namespace velkaro
