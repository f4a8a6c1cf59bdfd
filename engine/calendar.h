// Calendar and clock arithmetic, the time argument of the series, and the
// daylight-saving rules. Everything works on zone time unless a name says UTC.
#pragma once
#include <string>

#include "platform/systime.h"

namespace velkaro {

constexpr double kDegToRad = 0.017453292519943278;

// Proleptic Gregorian day number, 0001-01-01 = 1, 2000-01-01 = 730120.
int DayNumber(int year, int month, int day);
void DateFromDayNumber(int n, int* year, int* month, int* day);
void AddDays(int delta, int* year, int* month, int* day);
void AddDays(int delta, SYSTEMTIME* t);
int DaysBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);
int MinutesBetween(const SYSTEMTIME& a, const SYSTEMTIME& b);
int IsBadDate(int year, int month, int day);
int IsBadTime(int hour, int minute);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

void ApplyShift(SYSTEMTIME* time, int* shiftDays, int* shiftHours, int* shiftMinutes);
void UtcToZoneTime(SYSTEMTIME* time, double zoneHours, bool takeNow);
double ZoneOffsetFromLongitude(double lng);

double RoundHalfAway(double x);
double Normalize360(double x);
// trunc() that does not lose a whole unit to a representation error just below
// an integer (1440 * (13 / 1440.0) must give 13, not 12).
int TruncGuarded(double x);
int FloorDiv(int a, int b);

double TimeArgument(int year, int month, double day, double zoneHours);

// Daylight-saving rules ("03/S2 02;11/S1 02").
constexpr size_t kMaxDstRuleLength = 31;
int ParseDstBoundary(int* year, int* month, int* day, int* hour, const std::wstring& text);
int ApplyDst(SYSTEMTIME* time, const std::wstring& rule);

}  // namespace velkaro
