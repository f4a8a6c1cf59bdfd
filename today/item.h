// Run-time state of the Today item and the decisions its window procedure
// delegates: actions, countdown, zones, height, present and display time.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/events.h"
#include "settings/store.h"

namespace velkaro {

enum Action {
    kActNone = -1,
    kActMeter = 0,
    kActSort,
    kActPrevPos,
    kActNextPos,
    kActEdit,
    kActPos,
    kActMinusMin,
    kActMinusHour,
    kActMinusDay,
    kActCurrent,
    kActPlusMin,
    kActPlusHour,
    kActPlusDay,
    kActDate,
    kActMenu,
    kActInfo,
};

struct ItemState {
    int AzimuthMode = 0;
    int InfoMode = 0;
    int PosIndex = 0;
    int SortPage = 0;
    int ShiftDays = 0, ShiftHours = 0, ShiftMinutes = 0;
    int ResetCountdown = -1;
    int LastClockKey = 0;
    bool HoldHandled = false;
    int ItemHeight = 0;
    int ItemWidth = 0;
    int HiResFactor = 1;
    int SurfaceWidth = 0;
    int SurfaceHeight = 0;
    SYSTEMTIME PresentTime;  // unshifted present time at the current place
    SYSTEMTIME DisplayTime;  // present time plus the shift
    std::array<BodyEvents, kBodyCount> Events{};

    bool ShiftActive() const { return ShiftDays != 0 || ShiftHours != 0 || ShiftMinutes != 0; }
};

// Everything the item works on: the settings block and the run-time state.
struct Item {
    SettingsStore Store;
    ItemState State;

    const LocationRecord& Place() const { return Store.Locations[State.PosIndex]; }
    LocationRecord& Place() { return Store.Locations[State.PosIndex]; }
    const SortList& Listed() const { return State.SortPage ? Store.General.SortP1 : Store.General.SortP0; }
};

}  // namespace velkaro
