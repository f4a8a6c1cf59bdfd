// Rise, culmination and set search; the Moon's age and phase.
#pragma once
#include <cstdint>

#include "platform/systime.h"

namespace velkaro {

struct EventRecord {
    int32_t Body = 0;
    SYSTEMTIME Time;
    int32_t MinuteStamp = 0;  // minutes since 2000-01-01 00:00 zone time; 0 when absent
    double Azi = 0;
    double Alt = 0;
    int32_t Valid = 0;
};

struct BodyEvents {
    EventRecord Now, PrevSet, Rise, Culmination, Set, NextRise;
};

enum EventType { kEventRise = 0, kEventSet = 1, kEventCulmination = 2 };
enum FillKind { kFillNow = -1, kFillRiseSet = 0, kFillCulmination = 1 };

// What the search for one event on one local day found.
enum class EventStatus {
    Found,       // DayFraction holds it
    OutsideDay,  // it falls before or after this local day (or the search did not settle)
    NotReached,  // the body does not reach the event altitude
};
struct EventSearch {
    EventStatus Status = EventStatus::OutsideDay;
    double DayFraction = 0;  // in [0, 1) when Found
    bool Found() const { return Status == EventStatus::Found; }
};

// The event of `type` on the local day whose midnight has time argument T0.
EventSearch SearchEvent(int body, double lng, double lat, double height, double T0, double zoneHours, int type);

// The same as one number, the form the almanac and older callers take: the
// day fraction, or in its place a code below -5.
constexpr double kEventOutsideDay = -10;  // it falls before or after this local day
constexpr double kEventNotReached = -40;  // the body does not reach the event altitude
double FindEvent(int body, double lng, double lat, double height, double T0, double zoneHours,
                 int type);

// Hour angle (degrees, -180..180) still to run until the body reaches
// altitude z rising or setting, or the meridian for a culmination, into *dH.
// False when it never reaches z.
bool HourAngleToEvent(double ra, double dec, double theta, double z, double lat, int type, double* dH);
// The same as one number: kHourAngleNever when z is never reached.
constexpr double kHourAngleNever = -400;
double EventHourAngle(double ra, double dec, double theta, double z, double lat, int type);
// Writes one record from a day fraction d of the given date. A code (d <= -2)
// marks it absent: only MinuteStamp (0) and Valid (0) are written. Otherwise
// kind kFillNow writes Azi and Alt (Time is the caller's), kFillRiseSet Azi,
// kFillCulmination Alt, and both of these also Time cut to the minute.
void FillEvent(int body, double lng, double lat, double T0, int year, int month, int day, double d,
               double zoneHours, EventRecord* record, int kind);
// Now.Time holds the moment (zone time with the user's shift); fills all six:
// the set before the passage in progress (or the next one when the body is
// down), its rise, culmination and set, and the rise after it.
void ComputeBodyEvents(int body, double lng, double lat, double height, double zoneHours,
                       EventRecord* now, EventRecord* prevSet, EventRecord* rise,
                       EventRecord* culmination, EventRecord* set, EventRecord* nextRise);
inline void ComputeBodyEvents(int body, double lng, double lat, double height, double zoneHours,
                              BodyEvents* e) {
    ComputeBodyEvents(body, lng, lat, height, zoneHours, &e->Now, &e->PrevSet, &e->Rise,
                      &e->Culmination, &e->Set, &e->NextRise);
}

// Days since the last new moon, to 0.1 (an hour outside 0..23 counts as 12, a
// minute outside 0..59 as 0).
double MoonAge(int year, int month, int day, int hour, int minute, double zoneHours);
// 0..27: 0 new moon, 7 first quarter, 14 full moon.
int MoonPhaseIndex(int year, int month, int day, int hour, int minute, double zoneHours);

// Whether a body stays above (+1) or below (-1) its rise-and-set altitude
// through the whole local day whose midnight has time argument T0, or neither
// (0): it rises or sets that day.
int DayVisibility(int body, double lng, double lat, double height, double T0, double zoneHours);

}  // namespace velkaro
