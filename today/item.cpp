#include "today/item.h"

#include <algorithm>

#include "engine/calendar.h"
#include "platform/screen_scale.h"
#include "today/now.h"
#include "resources/resource.h"

namespace velkaro {

Zone ZoneOf(int x, int itemWidth) {
    if (x < itemWidth / 3) return kZoneLeft;
    if (x > (2 * itemWidth) / 3) return kZoneRight;
    return kZoneMiddle;
}

int ActionForZone(const GeneralSettings& g, Zone zone, bool hold) {
    switch (zone) {
        case kZoneLeft: return hold ? g.HoldL : g.TapL;
        case kZoneMiddle: return hold ? g.HoldM : g.TapM;
        default: return hold ? g.HoldR : g.TapR;
    }
}

int ComputeItemHeight(Item* item) {
    const GeneralSettings& g = item->Store.General;
    // Each term is held before it is added, so the sum stays far from overflowing.
    long long h = HeightOf(g.MarginTop);
    h += TitleBandHeight(g);
    const SortList& list = item->Listed();
    for (int i = 0; i < 10 && list.Entries[i] >= 0; ++i) {
        const int body = list.Entries[i];
        if (body >= kBodyCount) continue;
        const BodyStyle& b = item->Store.Bodies[body];
        item->State.RowTop[body] = HeightOf(h + HeightOf(b.SpaceTop));
        h += HeightOf(b.SpaceTop) + item->Pictures.Bodies[body].RowHeight + HeightOf(b.SpaceBottom);
    }
    h += HeightOf(g.MarginBottom);
    item->State.ItemHeight = HeightOf(h);
    return item->State.ItemHeight;
}

void StartItem(Item* item, int screenWidth, int screenHeight, int parentWidth) {
    // Every creation starts from the built-in defaults: what an earlier item
    // of this process loaded (and scaled) must not be scaled again.
    item->Store = SettingsStore();
    item->State = ItemState();
    ItemState& s = item->State;
    s.HiResFactor = ScreenScale(screenWidth, screenHeight);
    LoadOrInitialiseStore(&item->Store, s.HiResFactor);
    s.AzimuthMode = item->Store.General.Start;
    s.InfoMode = item->Store.General.InfoStart;
    s.PosIndex = SelectFirstValidLocation(&item->Store.Locations);
    UpdateDisplayTime(item, ReadClock());
    s.SurfaceWidth = std::max(screenWidth, screenHeight);
    s.ItemWidth = parentWidth;
    s.SurfaceHeight = LoadItemPictures(item->Store, &item->Pictures);
    ComputeItemHeight(item);
}

namespace {

void CountdownSet(Item* item) { item->State.ResetCountdown = item->Store.General.ResetTime; }

}  // namespace

ActionResult RunItemAction(Item* item, int action) {
    ItemState& s = item->State;
    ActionResult r;
    switch (action) {
        case kActMeter:
            s.AzimuthMode ^= 1;
            r.Redraw = true;
            break;
        case kActSort: {
            const int before = s.ItemHeight;
            s.SortPage ^= 1;
            // A new height reaches the Today screen through the next refresh query,
            // which repaints the item anyway.
            r.Redraw = ComputeItemHeight(item) == before;
            break;
        }
        case kActPrevPos:
        case kActNextPos:
            s.PosIndex = StepLocation(&item->Store.Locations, s.PosIndex, action == kActPrevPos ? -1 : 1);
            CountdownSet(item);
            r.Redraw = true;
            break;
        case kActEdit:
            if (!item->Store.General.ExecPath.empty()) r.Request = kUiStartEditor;
            break;
        case kActPos: r.Request = kUiLocationMenu; break;
        case kActMinusMin: s.ShiftMinutes -= 10; CountdownSet(item); r.Redraw = true; break;
        case kActMinusHour: s.ShiftHours -= 1; CountdownSet(item); r.Redraw = true; break;
        case kActMinusDay: s.ShiftDays -= 1; CountdownSet(item); r.Redraw = true; break;
        case kActCurrent:
            s.ShiftDays = s.ShiftHours = s.ShiftMinutes = 0;
            r.Redraw = true;
            break;
        case kActPlusMin: s.ShiftMinutes += 10; CountdownSet(item); r.Redraw = true; break;
        case kActPlusHour: s.ShiftHours += 1; CountdownSet(item); r.Redraw = true; break;
        case kActPlusDay: s.ShiftDays += 1; CountdownSet(item); r.Redraw = true; break;
        case kActDate:
            r.Request = kUiDateDialog;
            r.Redraw = true;
            break;
        case kActMenu: r.Request = kUiTimeMenu; break;
        case kActInfo:
            s.InfoMode ^= 1;
            CountdownSet(item);
            r.Redraw = true;
            break;
        default: break;
    }
    return r;
}

int TimeMenuAction(int command) {
    static const int kActions[] = {kActCurrent,  kActPlusDay,   kActPlusHour,  kActPlusMin,
                                   kActMinusMin, kActMinusHour, kActMinusDay, kActDate};
    if (command < IDM_TIME_CURRENT || command > IDM_TIME_DATE) return -1;
    return kActions[command - IDM_TIME_CURRENT];
}

void HandleItemCommand(Item* item, int command) {
    if (command >= kLocationCommandBase && command < kLocationCommandBase + kSlotCount) {
        item->State.PosIndex = command - kLocationCommandBase;
        CountdownSet(item);
    }
}

void ApplyChosenDate(Item* item, const DateTime& chosen, const ClockReading& now) {
    ItemState& s = item->State;
    s.PresentTime = PresentTimeAt(&item->Place(), now);
    if (!IsBadDate(chosen.wYear, chosen.wMonth, chosen.wDay))
        s.ShiftDays = DaysBetween(s.PresentTime, chosen);
    CountdownSet(item);
}

// No clock reading gives key 0 (months start at 1).
void RequestRepaint(ItemState* s) { s->LastClockKey = 0; }

RefreshResult RefreshQuery(Item* item, const DateTime& now, uint32_t* heightField) {
    ItemState& s = item->State;
    RefreshResult r;
    const int key = (now.wMonth * 100 + now.wDay) * 10000 + now.wHour * 60 + now.wMinute;
    if (key != s.LastClockKey) {
        s.LastClockKey = key;
        r.Invalidate = true;
    }
    if (s.ResetCountdown > 0) {
        s.ResetCountdown -= 2;
        if (s.ResetCountdown <= 0) {
            s.InfoMode = item->Store.General.InfoStart;
            s.PosIndex = 0;
            s.ShiftDays = s.ShiftHours = s.ShiftMinutes = 0;
            r.Invalidate = true;
        }
    }
    if (heightField && *heightField != static_cast<uint32_t>(s.ItemHeight)) {
        *heightField = static_cast<uint32_t>(s.ItemHeight);
        r.HeightChanged = true;
    }
    return r;
}

void UpdateDisplayTime(Item* item, const ClockReading& now) {
    ItemState& s = item->State;
    s.Clock = now;
    s.PresentTime = PresentTimeAt(&item->Place(), now);
    s.DisplayTime = s.PresentTime;
    ApplyShift(&s.DisplayTime, &s.ShiftDays, &s.ShiftHours, &s.ShiftMinutes);

    s.TitleUtc = now.Utc;
    s.TitleZone = now.Utc;
    UtcToZoneTime(&s.TitleZone, item->Place().UtcMargin);
    s.TitleZoneNow = s.TitleZone;
    // The counters are normalised already; copies keep them as they are.
    int d = s.ShiftDays, h = s.ShiftHours, m = s.ShiftMinutes;
    ApplyShift(&s.TitleUtc, &d, &h, &m);
    d = s.ShiftDays, h = s.ShiftHours, m = s.ShiftMinutes;
    ApplyShift(&s.TitleZone, &d, &h, &m);
}

void RecomputeEvents(Item* item) {
    ItemState& s = item->State;
    const LocationRecord& place = item->Place();
    UpdateDisplayTime(item, ReadClock());
    const double height = item->Store.General.AltMode ? place.Altitude : 0;
    const SortList& list = item->Listed();
    for (int i = 0; i < 10 && list.Entries[i] >= 0; ++i) {
        const int body = list.Entries[i];
        BodyEvents& e = s.Events[body];
        e.Now.Time = s.DisplayTime;
        ComputeBodyEvents(body, place.Lng, place.Lat, height, place.UtcMargin, &e);
        s.AllDay[body] = 0;
        if (!e.Rise.Valid && !e.Set.Valid) {
            const DateTime& t = s.DisplayTime;
            s.AllDay[body] = DayVisibility(body, place.Lng, place.Lat, height,
                                           TimeArgument(t.wYear, t.wMonth, t.wDay, place.UtcMargin), place.UtcMargin);
        }
        if (body == kMoon) {
            const DateTime& t = s.DisplayTime;
            s.MoonPhase = MoonPhaseIndex(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, place.UtcMargin);
            s.MoonAge = MoonAge(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, place.UtcMargin);
        }
    }
}


}  // namespace velkaro

namespace velkaro {

void PenDown(Item* item) { item->State.HoldHandled = false; }

ActionResult PenHold(Item* item, int x) {
    item->State.HoldHandled = true;
    return RunItemAction(item, ActionForZone(item->Store.General, ZoneOf(x, item->State.ItemWidth), true));
}

ActionResult PenUp(Item* item, int x) {
    if (!item->Store.General.Tap) return {};
    if (item->State.HoldHandled) {
        item->State.HoldHandled = false;
        return {};
    }
    return RunItemAction(item, ActionForZone(item->Store.General, ZoneOf(x, item->State.ItemWidth), false));
}

}  // namespace velkaro
