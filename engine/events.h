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

constexpr double kEventOutsideDay = -10;
constexpr double kEventNotReached = -40;
constexpr double kHourAngleNever = -400;

double EventHourAngle(double ra, double dec, double theta, double z, double lat, int type);
double FindEvent(int body, double lng, double lat, double height, double T0, double zoneHours,
                 int type);
void FillEvent(int body, double lng, double lat, double T0, int year, int month, int day, double d,
               double zoneHours, EventRecord* record, int kind);
// Now.Time holds the moment (zone time with the user's shift); fills all six.
void ComputeBodyEvents(int body, double lng, double lat, double height, double zoneHours,
                       EventRecord* now, EventRecord* prevSet, EventRecord* rise,
                       EventRecord* culmination, EventRecord* set, EventRecord* nextRise);
inline void ComputeBodyEvents(int body, double lng, double lat, double height, double zoneHours,
                              BodyEvents* e) {
    ComputeBodyEvents(body, lng, lat, height, zoneHours, &e->Now, &e->PrevSet, &e->Rise,
                      &e->Culmination, &e->Set, &e->NextRise);
}

double MoonAge(int year, int month, int day, int hour, int minute, double zoneHours);
int MoonPhaseIndex(int year, int month, int day, int hour, int minute, double zoneHours);

}  // namespace velkaro
