#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "today/now.h"
#include "platform/clock.h"
#include "platform/registry.h"
#include "today/compose.h"
#include "today/item.h"

using namespace velkaro;

namespace {

class ItemLogic : public ::testing::Test {
protected:
    Item item;
    void SetUp() override {
        RegClearAll();
        SetNativeClock(MakeTime(2026, 3, 1, 0, 5), MakeTime(2026, 3, 1, 9, 5), -540);
        StartItem(&item, 480, 640, 480);
    }
    void TearDown() override { RegClearAll(); }
    DateTime Shown() {
        RecomputeEvents(&item);
        return item.State.DisplayTime;
    }
};

}  // namespace

TEST_F(ItemLogic, ZonesSplitAtThirds) {
    EXPECT_EQ(ZoneOf(159, 480), kZoneLeft);
    EXPECT_EQ(ZoneOf(160, 480), kZoneMiddle);
    EXPECT_EQ(ZoneOf(320, 480), kZoneMiddle);
    EXPECT_EQ(ZoneOf(321, 480), kZoneRight);
    EXPECT_EQ(ZoneOf(79, 239), kZoneMiddle);  // 239 / 3 truncates to 79
    EXPECT_EQ(ZoneOf(78, 239), kZoneLeft);
}

TEST_F(ItemLogic, StartsFromTheStoreAndTheFirstValidPlace) {
    EXPECT_EQ(item.State.HiResFactor, 2);
    EXPECT_EQ(item.State.AzimuthMode, 1);
    EXPECT_EQ(item.State.InfoMode, 1);
    EXPECT_EQ(item.State.SurfaceWidth, 640);
    EXPECT_EQ(item.Store.General.Deg, L"\u00B0");
    EXPECT_TRUE(RegKeyExists(SlotKeyPath(19)));

    SettingsStore s = item.Store;
    for (auto& r : s.Locations) r.Valid = 0;
    s.Locations[4].Valid = 1;
    SaveSettingsStore(s);
    Item again;
    StartItem(&again, 240, 320, 240);
    EXPECT_EQ(again.State.PosIndex, 4);
    EXPECT_EQ(again.State.HiResFactor, 1);
}

// Pixel sizes are scaled once, however often an item is created in one process.
TEST_F(ItemLogic, PixelSizesScaledOnceAfterAResetOrAMissingKey) {
    ASSERT_EQ(item.Store.General.WidthScale, 2);
    ASSERT_EQ(item.Store.Bodies[kMars].Spacetxt, 4);
    ASSERT_TRUE(ResetSettingsStore());
    StartItem(&item, 480, 640, 480);  // the same process-wide item, created again
    EXPECT_EQ(item.Store.General.WidthScale, 2);
    EXPECT_EQ(item.Store.Bodies[kMars].Spacetxt, 4);
    EXPECT_EQ(item.Store.Bodies[kMars].PosStxt, 4);

    RegDeleteKeyPath(SlotKeyPath(19));  // an incomplete store
    StartItem(&item, 480, 640, 480);
    EXPECT_EQ(item.Store.General.WidthScale, 2);
    EXPECT_EQ(item.Store.Bodies[kSaturn].PosRtxt, 4);
    SettingsStore stored;
    ASSERT_TRUE(LoadSettingsStore(&stored));
    EXPECT_EQ(stored.General.WidthScale, 2);
    EXPECT_EQ(stored.Bodies[kSaturn].WidthScale, 2);
    StartItem(&item, 480, 640, 480);
    EXPECT_EQ(item.Store.Bodies[kSun].PosRtxt, 4);
}

TEST_F(ItemLogic, HoldSwallowsThePenUpAndTapsOffStillHold) {
    item.Store.General.TapL = kActPlusHour;
    item.Store.General.HoldL = kActPlusDay;
    PenDown(&item);
    PenHold(&item, 10);
    EXPECT_EQ(item.State.ShiftDays, 1);
    EXPECT_FALSE(PenUp(&item, 10).Redraw);
    EXPECT_EQ(item.State.ShiftHours, 0);
    PenDown(&item);  // the next pen-down clears the flag
    EXPECT_TRUE(PenUp(&item, 10).Redraw);
    EXPECT_EQ(item.State.ShiftHours, 1);

    item.Store.General.Tap = 0;
    PenDown(&item);
    EXPECT_FALSE(PenUp(&item, 10).Redraw);
    EXPECT_EQ(item.State.ShiftHours, 1);
    PenDown(&item);
    PenHold(&item, 10);
    EXPECT_EQ(item.State.ShiftDays, 2);
    EXPECT_FALSE(PenUp(&item, 10).Redraw);
}

TEST_F(ItemLogic, SortRedrawsOnlyWhenTheHeightStays) {
    const int two = item.State.ItemHeight;
    ActionResult r = RunItemAction(&item, kActSort);
    EXPECT_FALSE(r.Redraw);
    EXPECT_GT(item.State.ItemHeight, two);
    uint32_t field = static_cast<uint32_t>(two);
    EXPECT_TRUE(RefreshQuery(&item, MakeTime(2026, 3, 1, 9, 5), &field).HeightChanged);
    EXPECT_EQ(field, static_cast<uint32_t>(item.State.ItemHeight));
    EXPECT_FALSE(RefreshQuery(&item, MakeTime(2026, 3, 1, 9, 5), &field).HeightChanged);

    item.Store.General.SortP0 = item.Store.General.SortP1;  // same lists: same height
    r = RunItemAction(&item, kActSort);
    EXPECT_TRUE(r.Redraw);
}

TEST_F(ItemLogic, RepaintRequestRedrawsOnceAtTheNextQuery) {
    const DateTime now = MakeTime(2026, 1, 1, 0, 0);
    uint32_t field = static_cast<uint32_t>(item.State.ItemHeight);
    RefreshQuery(&item, now, &field);
    EXPECT_FALSE(RefreshQuery(&item, now, &field).Invalidate);
    RequestRepaint(&item.State);
    EXPECT_TRUE(RefreshQuery(&item, now, &field).Invalidate);
    EXPECT_FALSE(RefreshQuery(&item, now, &field).Invalidate);
}

TEST_F(ItemLogic, HeightFollowsTheRowsAndTheTitle) {
    GeneralSettings& g = item.Store.General;
    item.Pictures.Bodies[kSun].RowHeight = 24;
    item.Pictures.Bodies[kMoon].RowHeight = 30;
    item.Store.Bodies[kMoon].SpaceTop = 3;
    ComputeItemHeight(&item);
    EXPECT_EQ(item.State.RowTop[kSun], g.MarginTop + 15);
    EXPECT_EQ(item.State.RowTop[kMoon], g.MarginTop + 15 + 24 + 1 + 3);
    EXPECT_EQ(item.State.ItemHeight, g.MarginTop + 15 + (24 + 1) + (3 + 30 + 1) + g.MarginBottom);
    g.Title = g.Clock = 0;
    EXPECT_EQ(ComputeItemHeight(&item), g.MarginTop + (24 + 1) + (3 + 30 + 1) + g.MarginBottom);
}

TEST_F(ItemLogic, ShiftsAddUpAndMinusTenPassesMidnight) {
    for (int i = 0; i < 6; ++i) RunItemAction(&item, kActPlusMin);
    DateTime t = Shown();
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 1005);
    EXPECT_EQ(item.State.ShiftHours, 1);
    EXPECT_EQ(item.State.ShiftMinutes, 0);

    RunItemAction(&item, kActCurrent);
    EXPECT_FALSE(item.State.ShiftActive());
    SetNativeClock(MakeTime(2026, 2, 28, 15, 3), MakeTime(2026, 3, 1, 0, 3), -540);
    RunItemAction(&item, kActMinusMin);
    t = Shown();
    EXPECT_EQ(t.wMonth * 100 + t.wDay, 228);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 2353);
}

TEST_F(ItemLogic, CountdownRevertsAfterTenQueries) {
    item.Store.General.ResetTime = 20;
    RunItemAction(&item, kActNextPos);
    RunItemAction(&item, kActNextPos);
    RunItemAction(&item, kActPlusHour);
    RunItemAction(&item, kActInfo);
    RunItemAction(&item, kActMeter);
    EXPECT_EQ(item.State.PosIndex, 2);
    const DateTime now = MakeTime(2026, 3, 1, 9, 5);
    uint32_t field = static_cast<uint32_t>(item.State.ItemHeight);
    EXPECT_TRUE(RefreshQuery(&item, now, &field).Invalidate);  // a new minute
    for (int q = 2; q <= 9; ++q) EXPECT_FALSE(RefreshQuery(&item, now, &field).Invalidate) << q;
    EXPECT_EQ(item.State.ShiftHours, 1);
    EXPECT_TRUE(RefreshQuery(&item, now, &field).Invalidate);
    EXPECT_EQ(item.State.PosIndex, 0);
    EXPECT_EQ(item.State.ShiftHours, 0);
    EXPECT_EQ(item.State.InfoMode, 1);
    EXPECT_EQ(item.State.AzimuthMode, 0);  // never reverted
    EXPECT_FALSE(RefreshQuery(&item, now, &field).Invalidate);

    // Back to slot 0 even when it is not valid; every action restarts the count.
    item.Store.Locations[0].Valid = 0;
    RunItemAction(&item, kActNextPos);
    EXPECT_EQ(item.State.PosIndex, 1);
    for (int q = 0; q < 9; ++q) RefreshQuery(&item, now, &field);
    RunItemAction(&item, kActPlusMin);
    for (int q = 0; q < 9; ++q) RefreshQuery(&item, now, &field);
    EXPECT_EQ(item.State.PosIndex, 1);
    RefreshQuery(&item, now, &field);
    EXPECT_EQ(item.State.PosIndex, 0);

    // "current" clears the shift but the countdown keeps running.
    RunItemAction(&item, kActMinusDay);
    RunItemAction(&item, kActCurrent);
    EXPECT_EQ(item.State.ResetCountdown, 20);
    // A countdown of -1 never counts.
    item.State.ResetCountdown = -1;
    item.State.ShiftDays = 3;
    for (int q = 0; q < 20; ++q) RefreshQuery(&item, now, &field);
    EXPECT_EQ(item.State.ShiftDays, 3);
}

TEST_F(ItemLogic, MenusDateAndRequests) {
    EXPECT_EQ(RunItemAction(&item, kActPos).Request, kUiLocationMenu);
    EXPECT_EQ(RunItemAction(&item, kActMenu).Request, kUiTimeMenu);
    EXPECT_EQ(RunItemAction(&item, kActEdit).Request, kUiStartEditor);
    item.Store.General.ExecPath.clear();
    EXPECT_EQ(RunItemAction(&item, kActEdit).Request, kUiNone);
    EXPECT_FALSE(RunItemAction(&item, 16).Redraw);
    EXPECT_FALSE(RunItemAction(&item, -2).Redraw);

    HandleItemCommand(&item, 40020 + 8);
    EXPECT_EQ(item.State.PosIndex, 8);
    EXPECT_EQ(item.State.ResetCountdown, 20);
    EXPECT_EQ(TimeMenuAction(40005), kActCurrent);
    EXPECT_EQ(TimeMenuAction(40009), kActMinusMin);
    EXPECT_EQ(TimeMenuAction(40012), kActDate);
    EXPECT_EQ(TimeMenuAction(40013), -1);

    // Two days ahead in the date dialog keeps an hour shift made before.
    HandleItemCommand(&item, 40020);
    RunItemAction(&item, kActPlusHour);
    ApplyChosenDate(&item, MakeTime(2026, 3, 3), ReadClock());
    EXPECT_EQ(item.State.ShiftDays, 2);
    EXPECT_EQ(item.State.ShiftHours, 1);
    ApplyChosenDate(&item, MakeTime(2026, 2, 30), ReadClock());  // not a date: the day shift stays
    EXPECT_EQ(item.State.ShiftDays, 2);
}

// Sizes from the registry are read into the ranges the options offer: huge
// spaces make no huge surfaces, and no sum of sizes overflows.
TEST_F(ItemLogic, StoredSizesKeepTheItemWithinWhatTheOptionsOffer) {
    for (int b = 0; b < kBodyCount; ++b) RegWriteRaw(BodyKeyPath(b), L"SpaceTop", kRegDword, {0xA0, 0x86, 0x01, 0});
    RegWriteRaw(kSettingsKey, L"TextSize", kRegDword, {0x50, 0xC3, 0, 0});             // 50000
    RegWriteRaw(kSettingsKey, L"MarginTop", kRegDword, {0x60, 0x79, 0xFE, 0xFF});      // -100000
    RegWriteRaw(BodyKeyPath(kMars), L"TextSize", kRegDword, {0, 0, 0, 0x80});          // INT_MIN
    RegWriteRaw(BodyKeyPath(kMars), L"MarginTop", kRegDword, {0x60, 0x79, 0xFE, 0xFF});
    RegWriteRaw(BodyKeyPath(kMars), L"IconMode", kRegDword, {0, 0, 0, 0});
    Item big;
    StartItem(&big, 480, 640, 480);
    const GeneralSettings& g = big.Store.General;
    EXPECT_EQ(g.TextSize, 999);
    EXPECT_EQ(g.MarginTop, 0);
    EXPECT_EQ(big.Store.Bodies[kSaturn].SpaceTop, 999);
    EXPECT_EQ(big.Store.Bodies[kMars].TextSize, 0);
    EXPECT_EQ(big.Store.Bodies[kMars].MarginTop, -999);
    EXPECT_EQ(big.Pictures.Bodies[kMars].RowHeight, 0);
    EXPECT_EQ(big.State.SurfaceHeight, 999 + 1 + 1 + g.MarginBottom + 10 * (999 + 1) +
                                           [&] {
                                               int rows = 0;
                                               for (const BodyPicture& p : big.Pictures.Bodies) rows += p.RowHeight;
                                               return rows;
                                           }());
    EXPECT_LT(big.State.SurfaceHeight, 20000);
}

TEST_F(ItemLogic, ExtremeSizesInMemoryNeitherOverflowNorGrowPastTheCap) {
    GeneralSettings& g = item.Store.General;
    g.TextSize = INT32_MAX;
    g.TMarginTop = INT32_MAX;
    g.TMarginBottom = INT32_MIN;
    g.MarginTop = INT32_MIN;
    g.MarginBottom = INT32_MAX;
    g.MarginLeft = INT32_MAX;
    g.MarginRight = INT32_MIN;
    g.SortP0 = SortList(L"0123456789");
    for (BodyStyle& b : item.Store.Bodies) {
        b.SpaceTop = INT32_MAX;
        b.SpaceBottom = INT32_MIN;
        b.TextSize = INT32_MIN;
        b.MarginTop = INT32_MAX;
        b.MarginBottom = INT32_MAX;
        b.IconMode = 0;
    }
    item.State.SurfaceHeight = LoadItemPictures(item.Store, &item.Pictures);
    EXPECT_LE(item.State.SurfaceHeight, kMaxItemHeight);
    EXPECT_LE(ComputeItemHeight(&item), kMaxItemHeight);
    EXPECT_GE(item.State.ItemHeight, 0);
    EXPECT_LE(TitleBandHeight(g), kMaxItemHeight);
    PixelStore back(64, 64, 0x102030), comp(64, 64, 0);
    item.State.ItemWidth = 64;
    g.TransToday = 0;
    g.CrTitleBack = 0x0000FF;
    ComposeBackground(item, back.View(), comp.View());
    EXPECT_EQ(comp.View().Row(63)[63], 0xFF0000u);  // all title band, the tallest there is
}
