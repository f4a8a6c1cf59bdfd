// The observing places: choosing and stepping among the slots, the present
// time by offset mode, and the location menu.
#include <gtest/gtest.h>

#include "settings/location.h"

using namespace velkaro;

TEST(Places, ChoosingAndSteppingSkipInvalidSlots) {
    LocationTable t = CityTable();
    EXPECT_EQ(SelectFirstValidLocation(&t), 0);
    EXPECT_EQ(StepLocation(&t, 0, -1), 19);
    for (auto& r : t) r.Valid = 0;
    t[3].Valid = t[7].Valid = 1;
    EXPECT_EQ(SelectFirstValidLocation(&t), 3);
    EXPECT_EQ(StepLocation(&t, 7, +1), 3);
    EXPECT_EQ(StepLocation(&t, 3, -1), 7);
    t[3].Valid = 0;
    EXPECT_EQ(StepLocation(&t, 7, +1), 7);
    EXPECT_EQ(StepLocation(&t, 7, -1), 7);
    t[7].Valid = 0;
    t[0].Location = L"Somewhere";
    EXPECT_EQ(StepLocation(&t, 7, +1), 0);
    EXPECT_EQ(t[0].Location, L"Tokyo");
    EXPECT_EQ(t[0].Valid, 1);
    for (auto& r : t) r.Valid = 0;
    t[0].Location = L"Somewhere";
    EXPECT_EQ(SelectFirstValidLocation(&t), 0);
    EXPECT_EQ(t[0].Location, L"Tokyo");
}

TEST(Places, PresentTimeByMode) {
    const ClockReading now{MakeTime(2026, 7, 15, 14, 10), MakeTime(2026, 7, 15, 23, 10), -330};
    LocationRecord r = *FindCity(L"new york");
    DateTime t = PresentTimeAt(&r, now);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 910);  // standard time; the shown time adds the rule
    r.UtcGet = 2;
    t = PresentTimeAt(&r, now);
    EXPECT_EQ(r.UtcMargin, -4.5);
    EXPECT_EQ(t.wHour * 100 + t.wMinute, 940);
    r.UtcGet = 1;
    t = PresentTimeAt(&r, now);
    EXPECT_EQ(r.UtcMargin, 5.0);  // whole hours of the device zone
    EXPECT_EQ(t.wHour, 23);
    r.UtcGet = 3;
    r.UtcMargin = -7.25;
    t = PresentTimeAt(&r, now);
    EXPECT_EQ(r.UtcMargin, -7.25);
    EXPECT_EQ(t.wHour, 23);
}

TEST(Places, LocationMenuShowsEachPlacesClock) {
    const ClockReading now{MakeTime(2026, 7, 15, 14, 10), MakeTime(2026, 7, 15, 23, 10), -540};
    LocationTable t = CityTable();
    t[1].Valid = 0;
    auto menu = BuildLocationMenu(t, 2, true, true, now);
    ASSERT_EQ(menu.size(), 19u);
    EXPECT_EQ(menu[0].Text, L"23:10  Tokyo");
    EXPECT_EQ(menu[0].Command, 40020);
    EXPECT_TRUE(menu[1].Checked);
    EXPECT_EQ(menu[1].Command, 40022);
    EXPECT_EQ(menu[7].Text, L"10:10  New York");     // daylight saving in July
    EXPECT_EQ(menu[15].Text, L"19:40  Delhi");
    EXPECT_EQ(BuildLocationMenu(t, 2, true, false, now)[7].Text, L"09:10  New York");
    EXPECT_EQ(BuildLocationMenu(t, 2, false, true, now)[7].Text, L"New York");
    for (auto& r : t) r.Valid = 0;
    EXPECT_TRUE(BuildLocationMenu(t, 0, true, true, now).empty());
}
