#include <gtest/gtest.h>

#include "draw_fixture.h"
#include "today/textlayout.h"

using namespace velkaro;
using namespace velkaro::testing_draw;

namespace {

// Native metric: a character is height / 2 wide.
struct TextRig : Rig {
    explicit TextRig(const std::wstring& listed = L"2") : Rig(listed) {
        SetNativeClock(MakeTime(2026, 6, 15, 3, 0), MakeTime(2026, 6, 15, 12, 0), -540);
        GeneralSettings& g = item.Store.General;
        g.Title = 3;
        g.Clock = 6;
        g.TextSize = 14;
        g.Deg = L"d";
        item.State.DisplayTime = MakeTime(2026, 6, 15, 12, 0);
        item.State.InfoMode = 1;
        LocationRecord& place = item.Store.Locations[0];
        place.Lat = 35.68;
        place.Lng = 139.75;
        place.Altitude = 40;
        place.UtcMargin = 9;
        BodyStyle& mars = item.Store.Bodies[kMars];
        mars.Text = 1;
        mars.TextSize = 10;  // 5 pixels a character
        mars.Spacetxt = 2;
        Load();
    }
    std::vector<TextDraw> Title() {
        std::vector<TextDraw> out;
        LayoutTitleBand(item, &out);
        return out;
    }
    std::vector<TextDraw> Info(int body = kMars) {
        std::vector<TextDraw> out;
        LayoutBodyInfo(item, body, &out);
        return out;
    }
};

}  // namespace

TEST(TitleBand, LeftAndRightTexts) {
    TextRig rig;
    rig.item.Store.General.Title = 7;
    std::vector<TextDraw> t = rig.Title();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"Kyoto (35.68N 139.75E 40m) ");
    EXPECT_EQ(t[0].X, 3);
    EXPECT_EQ(t[0].Y, 1);
    EXPECT_EQ(t[0].Color, rig.item.Store.General.CrTitle);
    EXPECT_EQ(t[1].Text, L"12:00 (+9.0)");
    EXPECT_EQ(t[1].X + t[1].Width, 480 - 3);
    EXPECT_EQ(t[1].Width, 12 * 7);
    EXPECT_EQ(t[1].Color, rig.item.Store.General.CrClock);
    EXPECT_FALSE(t[1].Fill);

    rig.item.Store.General.Title = 4;
    rig.item.Store.General.Clock = 1 | 4;  // UTC clock, and the mark says so
    t = rig.Title();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"(40m) ");
    EXPECT_EQ(t[1].Text, L"03:00 (UTC)");
}

TEST(TitleBand, ShiftShowsTheDateOnItsOwnColours) {
    TextRig rig;
    GeneralSettings& g = rig.item.Store.General;
    g.Clock = 0;
    rig.item.State.ShiftDays = 1;
    rig.item.State.ShiftMinutes = -30;
    std::vector<TextDraw> t = rig.Title();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[1].Text, L"2026/06/16 11:30");
    EXPECT_EQ(t[1].Color, g.CrPlusText);
    ASSERT_TRUE(t[1].Fill);
    EXPECT_EQ(t[1].FillColor, g.CrPlusBack);
    EXPECT_EQ(t[1].FillArea.x0, t[1].X);
    EXPECT_EQ(t[1].FillArea.x1, 480 - g.TMarginRight);
    EXPECT_EQ(t[1].FillArea.y1 - t[1].FillArea.y0, 14);

    g.Clock = 4;  // no offset mark while shifted
    EXPECT_EQ(rig.Title()[1].Text, L"2026/06/16 11:30");

    g.Title = 0;
    g.Clock = 0;
    EXPECT_TRUE(rig.Title().empty());
    rig.item.State.ShiftDays = rig.item.State.ShiftMinutes = 0;
    EXPECT_TRUE(rig.Title().empty());
}

TEST(InfoLines, MainLineBesideThePicture) {
    TextRig rig;
    BodyLayout& layout = rig.Body(kMars).Layout;
    layout.ImageX = 100;
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, L"Mars ");
    EXPECT_EQ(t[0].X, 100 + 24 + 2);
    EXPECT_EQ(t[0].Y, layout.RowTop);

    // Too close to the right edge: it ends left of the picture.
    layout.ImageX = 480 - 24 - 20;
    t = rig.Info();
    EXPECT_EQ(t[0].X + t[0].Width, 480 - 24 - 20 - 2);

    // Azimuth, altitude and the coming set in the set's colour.
    BodyStyle& mars = rig.Body(kMars);
    mars.Text = 15;
    layout.ImageX = 0;
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 1200);
    e.Now.Azi = 46;
    e.Now.Alt = 30.6;
    e.Set.Time = MakeTime(2026, 6, 15, 18, 7);
    t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"Mars E44N 30d ");
    EXPECT_EQ(t[1].Text, L"18:07");
    EXPECT_EQ(t[1].Color, mars.CrTextS);
    EXPECT_EQ(t[1].X, t[0].X + t[0].Width);
}

TEST(InfoLines, MoonShowsItsAge) {
    TextRig rig(L"1");
    rig.Body(kMoon).Text = 1;
    const std::vector<TextDraw> t = rig.Info(kMoon);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text.front(), L'(');
    EXPECT_EQ(t[0].Text.substr(t[0].Text.size() - 2), L") ");
}

TEST(InfoLines, ComingEventChoice) {
    BodyEvents e = Frame(400, 1000, 1300, 1600, 2400, 900);
    ComingEvent c = SelectComingEvent(e);
    EXPECT_EQ(c.Event, &e.Rise);
    e.Now = Event(1200);
    c = SelectComingEvent(e);
    EXPECT_EQ(c.Event, &e.Set);
    EXPECT_FALSE(c.IsRise);
    e.Set.Valid = 0;
    EXPECT_EQ(SelectComingEvent(e).Event, &e.NextRise);
    e.NextRise.Valid = 0;
    EXPECT_EQ(SelectComingEvent(e).Event, nullptr);
    e = Frame(400, 1000, 1300, 1000, 2400, 900);  // equal stamps: the rise
    EXPECT_EQ(SelectComingEvent(e).Event, &e.Rise);
}

TEST(InfoLines, EventLinesPickTheirSide) {
    TextRig rig;
    BodyStyle& mars = rig.Body(kMars);
    mars.Text = 0;
    mars.TextR = 1 | 2;
    mars.TextS = 1;
    mars.TextRS = 0;
    mars.TextSizeR = 12;
    mars.TextSizeS = 12;
    mars.PosRtxt = 4;
    mars.PosStxt = 6;
    mars.MarginRStxt = 1;
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 960);
    e.Rise.Time = MakeTime(2026, 6, 15, 12, 40);
    e.Set.Time = MakeTime(2026, 6, 15, 23, 5);
    mars.Layout.ImageX = 20;  // more room on the right
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"12:40(-40)");
    EXPECT_EQ(t[0].X + t[0].Width, 480 - 6);
    EXPECT_EQ(t[0].Y, mars.Layout.RowTop + 1);
    EXPECT_EQ(t[0].Color, mars.CrTextR);
    EXPECT_EQ(t[1].Text, L"23:05");
    EXPECT_EQ(t[1].Y, t[0].Y + 12);
    EXPECT_EQ(t[1].Color, mars.CrTextS);

    mars.Layout.ImageX = 400;  // more room on the left
    t = rig.Info();
    EXPECT_EQ(t[0].X, 4);
    mars.TextRS = 3;  // forced right
    EXPECT_EQ(rig.Info()[0].X + rig.Info()[0].Width, 480 - 6);

    // One part a line: the widest part sets the block.
    mars.TextRS = 3;
    mars.TextR = 1 | 2 | 8;
    mars.TextS = 0;
    t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"12:40");
    EXPECT_EQ(t[1].Text, L"(-40)");
    EXPECT_EQ(t[0].X, t[1].X);
    EXPECT_EQ(t[1].Y, t[0].Y + 12);
}

TEST(InfoLines, NextLayoutShowsOneComingEvent) {
    TextRig rig;
    BodyStyle& mars = rig.Body(kMars);
    mars.Text = 0;
    mars.TextRS = 4;
    mars.TextR = 1;
    mars.TextS = 1 | 4;
    mars.TextD = 1;
    mars.TextSizeS = 16;
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 1200);
    e.Set.Time = MakeTime(2026, 6, 15, 18, 7);
    e.Set.Azi = 300;
    e.Culmination.Time = MakeTime(2026, 6, 15, 13, 0);
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"18:07W30N");
    EXPECT_EQ(t[0].Color, mars.CrTextS);
    EXPECT_EQ(t[0].Font.Height, 16);
    EXPECT_EQ(t[1].Text, L"13:00");
    EXPECT_EQ(t[1].Y, t[0].Y + 16);

    e.Rise.Valid = e.Set.Valid = e.NextRise.Valid = 0;
    t = rig.Info();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, L"13:00");
}

TEST(InfoLines, ComposeReturnsTitleAndInfoTogether) {
    TextRig rig(L"02");
    rig.item.State.Events[kMars] = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.item.State.Events[kSun] = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.Body(kSun).Text = 1;
    std::vector<TextDraw> t = rig.Compose();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[2].Text, L"Sun ");
    EXPECT_EQ(t[3].Text, L"Mars ");
    EXPECT_EQ(t[3].X, rig.Body(kMars).Layout.ImageX + 24 + 2);
    rig.item.State.InfoMode = 0;
    EXPECT_EQ(rig.Compose().size(), 2u);
}
