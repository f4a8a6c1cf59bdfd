// Run-time state of the Today item and the decisions its window procedure
// delegates: actions, countdown, zones, height, present and display time.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "engine/events.h"
#include "settings/store.h"
#include "today/pictures.h"

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
    ClockReading Clock;      // the device clock, read once per refresh
    DateTime PresentTime;  // unshifted present time at the current place
    DateTime DisplayTime;  // present time plus the shift
    // The title band's clocks: UTC and the place's zone time (UTC + UtcMargin),
    // each plus the shift, and the zone time without it.
    DateTime TitleUtc, TitleZone, TitleZoneNow;
    std::array<BodyEvents, kBodyCount> Events{};
    std::array<int, kBodyCount> RowTop{};  // top of each listed body's row
    // +1 for a body above the horizon all day, -1 below it all day, else 0.
    std::array<int, kBodyCount> AllDay{};
    int MoonPhase = 0;     // phase index 0..27 of the display time
    double MoonAge = 0;    // days since the last new moon, to 0.1

    bool ShiftActive() const { return ShiftDays != 0 || ShiftHours != 0 || ShiftMinutes != 0; }
};

// Everything the item works on: the settings block, the run-time state and
// the pictures loaded for it.
struct Item {
    SettingsStore Store;
    ItemState State;
    ItemPictures Pictures;

    const LocationRecord& Place() const { return Store.Locations[State.PosIndex]; }
    LocationRecord& Place() { return Store.Locations[State.PosIndex]; }
    const SortList& Listed() const { return State.SortPage ? Store.General.SortP1 : Store.General.SortP0; }
};

}  // namespace velkaro

namespace velkaro {

// What an action asks of the window beyond the state change.
enum UiRequest { kUiNone = 0, kUiStartEditor, kUiLocationMenu, kUiTimeMenu, kUiDateDialog };

struct ActionResult {
    bool Redraw = false;
    UiRequest Request = kUiNone;
};

enum Zone { kZoneLeft = 0, kZoneMiddle = 1, kZoneRight = 2 };
Zone ZoneOf(int x, int itemWidth);
int ActionForZone(const GeneralSettings& g, Zone zone, bool hold);

// Start-up after the window exists: store, modes, first valid place, sizes,
// the pictures with the row heights they give, and the item height.
void StartItem(Item* item, int screenWidth, int screenHeight, int parentWidth);

ActionResult RunItemAction(Item* item, int action);
// Menu commands: 40020 + slot picks a place; IDM_TIME_CURRENT..IDM_TIME_DATE are the time menu.
void HandleItemCommand(Item* item, int command);
int TimeMenuAction(int command);  // -1 when the command is not on the time menu
// The day shift that shows `chosen` (today being the place's unshifted date at
// `now`); the hour and minute shifts stay. A date that is none changes no shift.
void ApplyChosenDate(Item* item, const DateTime& chosen, const ClockReading& now);

struct RefreshResult {
    bool Invalidate = false;  // the whole item should be redrawn
    bool HeightChanged = false;
};
// One refresh query of the Today screen; heightField is the descriptor's height.
RefreshResult RefreshQuery(Item* item, const DateTime& deviceLocalNow, uint32_t* heightField);
// Makes the next refresh query redraw the whole item, as a new minute does.
void RequestRepaint(ItemState* s);

// Row tops (State.RowTop) and the item height for the listed bodies, from the
// row heights the pictures give; returns the height.
int ComputeItemHeight(Item* item);

// Present time of the current place and, with the shift, the display time
// and the title's clocks, all from the reading `now`.
void UpdateDisplayTime(Item* item, const ClockReading& now);
// Reads the clock once, then the display time, the events of the listed
// bodies and the Moon's phase and age: everything a paint shows.
void RecomputeEvents(Item* item);

}  // namespace velkaro

namespace velkaro {

// The pen: every pen-down starts gesture recognition, since holds run whether
// taps are on or off; a recognised hold runs the hold action and swallows the
// pen-up that ends it; with taps off a pen-up does nothing.
void PenDown(Item* item);
ActionResult PenHold(Item* item, int x);
ActionResult PenUp(Item* item, int x);

}  // namespace velkaro
