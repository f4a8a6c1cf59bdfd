#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "draw_fixture.h"
#include "today/now.h"
#include "platform/registry.h"

using namespace velkaro;
using namespace velkaro::testing_draw;

namespace {

// Native metric: a character is height / 2 wide. Mars' main line is 5 pixels
// a character; the title 7.
struct TextRig : Rig {
    RowPlacement row;  // where the meters put Mars' picture
    explicit TextRig(const std::wstring& listed = L"2") : Rig(listed) {
        SetNativeClock(MakeTime(2026, 6, 15, 3, 0), MakeTime(2026, 6, 15, 12, 0), -540);
        GeneralSettings& g = item.Store.General;
        g.Title = 3;
        g.Clock = 6;
        g.TextSize = 14;
        g.Deg = L"d";
        item.State.InfoMode = 1;
        item.Store.Locations[0].Lat = 35.68;
        item.Store.Locations[0].Lng = 139.75;
        item.Store.Locations[0].Altitude = 40;
        Body(kMars).Text = 1;
        Body(kMars).TextSize = 10;
        Load();
    }
    // The title's clocks come from the refresh, as in the item.
    std::vector<TextDraw> Title() {
        UpdateDisplayTime(&item, ReadClock());
        std::vector<TextDraw> out;
        LayoutTitleBand(item, &out);
        return out;
    }
    std::vector<TextDraw> Info() {
        std::vector<TextDraw> out;
        LayoutBodyInfo(item, kMars, row, &out);
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
    EXPECT_EQ(t[1].Text, L"12:00 (+9.0)");
    EXPECT_EQ(t[1].X + t[1].Width, 480 - 3);
    EXPECT_EQ(t[1].Color, rig.item.Store.General.CrClock);
    EXPECT_FALSE(t[1].Fill);

    rig.item.Store.General.Title = 4;
    rig.item.Store.General.Clock = 1 | 4;  // the UTC clock, and the mark says so
    t = rig.Title();
    EXPECT_EQ(t[0].Text, L"(40m) ");
    EXPECT_EQ(t[1].Text, L"03:00 (UTC)");
}

TEST(TitleBand, ShiftShowsTheDateOnItsOwnColours) {
    TextRig rig;
    GeneralSettings& g = rig.item.Store.General;
    g.Clock = 4;  // no clock; and no offset mark while shifted
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

    g.Title = g.Clock = 0;
    EXPECT_TRUE(rig.Title().empty());
    rig.item.State.ShiftDays = rig.item.State.ShiftMinutes = 0;
    EXPECT_TRUE(rig.Title().empty());
}

TEST(InfoLines, MainLineBesideThePicture) {
    TextRig rig;
    BodyStyle& mars = rig.Body(kMars);
    rig.row.ImageX = 100;
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, L"Mars ");
    EXPECT_EQ(t[0].X, 100 + 24 + 2);
    EXPECT_EQ(t[0].Y, rig.RowTop(kMars));
    rig.row.ImageX = 480 - 24 - 20;  // no room on the right: left of the picture
    EXPECT_EQ(rig.Info()[0].X + rig.Info()[0].Width, 480 - 24 - 20 - 2);

    // Azimuth, altitude, and the coming set after them in the set's colour.
    mars.Text = 15;
    rig.row.ImageX = 0;
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

TEST(InfoLines, EventLinesPickTheirSide) {
    TextRig rig;
    BodyStyle& mars = rig.Body(kMars);
    mars.Text = 0;
    mars.TextR = 1 | 2;
    mars.TextS = 1;
    mars.TextRS = 0;
    mars.PosRtxt = 4;
    mars.PosStxt = 6;
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 960);
    e.Rise.Time = MakeTime(2026, 6, 15, 12, 40);
    e.Set.Time = MakeTime(2026, 6, 15, 23, 5);
    rig.row.ImageX = 20;  // more room on the right
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"12:40(-40)");
    EXPECT_EQ(t[0].X + t[0].Width, 480 - 6);
    EXPECT_EQ(t[0].Y, rig.RowTop(kMars) + mars.MarginRStxt);
    EXPECT_EQ(t[0].Color, mars.CrTextR);
    EXPECT_EQ(t[1].Text, L"23:05");
    EXPECT_EQ(t[1].Y, t[0].Y + 12);
    rig.row.ImageX = 400;  // more room on the left
    EXPECT_EQ(rig.Info()[0].X, 4);
    mars.TextRS = 3;  // forced right
    EXPECT_EQ(rig.Info()[0].X + rig.Info()[0].Width, 480 - 6);

    // One part a line, the widest part setting the block.
    mars.TextR = 1 | 2 | 8;
    mars.TextS = 0;
    t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"12:40");
    EXPECT_EQ(t[1].Text, L"(-40)");
    EXPECT_EQ(t[0].X, t[1].X);
    EXPECT_EQ(t[1].Y, t[0].Y + 12);

    // Parts of different widths on the right side each end at the same column.
    mars.TextR = 1 | 2 | 4 | 8;
    e.Rise.Azi = 100;
    t = rig.Info();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[2].Text, L"E10S");
    for (const TextDraw& part : t) EXPECT_EQ(part.X + part.Width, 480 - 6) << part.Y;
    EXPECT_NE(t[0].X, t[2].X);
    mars.TextRS = 2;  // on the left they start together
    t = rig.Info();
    for (const TextDraw& part : t) EXPECT_EQ(part.X, 4);
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

    e.Set.MinuteStamp = 2400;  // a set no earlier than the next rise gives way to it
    e.NextRise.Time = MakeTime(2026, 6, 16, 5, 1);
    EXPECT_EQ(rig.Info()[0].Text, L"05:01N0E");
    EXPECT_EQ(rig.Info()[0].Color, mars.CrTextR);

    e.Rise.Valid = e.Set.Valid = e.NextRise.Valid = 0;  // nothing coming
    t = rig.Info();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, L"13:00");
}

TEST(InfoLines, ComposeReturnsTitleThenEachListedBody) {
    TextRig rig(L"02");
    rig.item.State.Events[kMars] = rig.item.State.Events[kSun] = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.Body(kSun).Text = 1;
    std::vector<TextDraw> t = rig.Compose();
    ASSERT_EQ(t.size(), 4u);
    EXPECT_EQ(t[2].Text, L"Sun ");
    EXPECT_EQ(t[3].Text, L"Mars ");
    EXPECT_EQ(t[3].X, rig.rows[kMars].ImageX + 24 + 2);
    rig.item.State.InfoMode = 0;
    EXPECT_EQ(rig.Compose().size(), 2u);
}

// A body that neither rises nor sets shows on its main line which of the two it is.
TEST(InfoLines, PolarDayAndNightInWords) {
    TextRig rig(L"0");
    LocationRecord& tromso = rig.item.Store.Locations[0];
    tromso.Lat = 69.65;
    tromso.Lng = 18.96;
    tromso.UtcMargin = 1;
    BodyStyle& sun = rig.Body(kSun);
    sun.Text = 8;
    const struct { int month; const wchar_t* words; uint32_t colour; } cases[] = {
        {6, kUpAllDay, sun.CrTextS}, {12, kDownAllDay, sun.CrTextR}};
    for (const auto& c : cases) {
        SetNativeClock(MakeTime(2026, c.month, 21, 11, 0), MakeTime(2026, c.month, 21, 20, 0), -540);
        RecomputeEvents(&rig.item);
        std::vector<TextDraw> t;
        LayoutBodyInfo(rig.item, kSun, rig.row, &t);
        ASSERT_EQ(t.size(), 1u) << c.month;
        EXPECT_EQ(t[0].Text, c.words);
        EXPECT_EQ(t[0].Color, c.colour);
    }
    // On a day with a sunset the time is shown instead.
    SetNativeClock(MakeTime(2026, 3, 21, 11, 0), MakeTime(2026, 3, 21, 20, 0), -540);
    RecomputeEvents(&rig.item);
    std::vector<TextDraw> t;
    LayoutBodyInfo(rig.item, kSun, rig.row, &t);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text.size(), 5u);
    EXPECT_EQ(t[0].Text[2], L':');
}

namespace {

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// Paints each text's box (with a shifted date's red box) into a pixel grid of
// the item's size; names every text that leaves the item or lands on another.
std::string Collisions(const std::vector<TextDraw>& texts, int width, int height) {
    std::vector<int> owner(static_cast<size_t>(width) * height, -1);
    std::string found;
    for (size_t i = 0; i < texts.size(); ++i) {
        const TextDraw& t = texts[i];
        Rect box{t.X, t.Y, t.X + t.Width, t.Y + t.Height};
        if (t.Fill)
            box = Rect{std::min(box.x0, t.FillArea.x0), std::min(box.y0, t.FillArea.y0),
                       std::max(box.x1, t.FillArea.x1), std::max(box.y1, t.FillArea.y1)};
        if (box.Empty()) continue;
        if (box.x0 < 0 || box.y0 < 0 || box.x1 > width || box.y1 > height) {
            found += "'" + Narrow(t.Text) + "' leaves the item; ";
            continue;
        }
        int hit = -1;
        for (int y = box.y0; y < box.y1; ++y)
            for (int x = box.x0; x < box.x1; ++x) {
                int& o = owner[static_cast<size_t>(y) * width + x];
                if (o >= 0 && hit < 0) hit = o;
                o = static_cast<int>(i);
            }
        if (hit >= 0) found += "'" + Narrow(t.Text) + "' over '" + Narrow(texts[hit].Text) + "'; ";
    }
    return found;
}

// A first start on a screen of the given size, every body listed, with
// pictures of the installed sizes.
struct ScreenRig {
    Item item;
    PixelStore background, composition;
    ScreenRig(int width, int height) {
        RegClearAll();
        ClearNativePictures();
        const int sides[kBodyCount] = {24, 24, 16, 12, 16, 12, 36, 12, 12, 12};
        for (int b = 0; b < kBodyCount; ++b)
            RegisterNativePicture(DefaultBodyStyle(b).Icon, Picture(sides[b], sides[b], 0x00F000u + b));
        SetNativeClock(MakeTime(2026, 12, 8, 3, 0), MakeTime(2026, 12, 8, 12, 0), -540);
        StartItem(&item, width, height, width);
        item.Store.General.SortP0 = SortList(L"0123456789");
        item.State.InfoMode = 1;
    }
    ~ScreenRig() { RegClearAll(); }
    std::vector<TextDraw> Compose() {
        RecomputeEvents(&item);
        const int h = ComputeItemHeight(&item);
        item.State.SurfaceHeight = std::max(item.State.SurfaceHeight, h);
        background = PixelStore(item.State.SurfaceWidth, h, 0x123456);
        composition = PixelStore(item.State.SurfaceWidth, h, 0);
        return ComposeItem(item, background.View(), composition.View());
    }
};

}  // namespace

TEST(TextFit, CutKeepsAStartAndAnEllipsis) {
    const FontSpec font{L"", 0, 10};  // 5 pixels a character
    EXPECT_EQ(CutToWidth(L"Tokyo ", 30, font), L"Tokyo ");
    EXPECT_EQ(CutToWidth(L"Tokyo ", 29, font), L"Tok\u2026 ");  // the blank stays after the ellipsis
    EXPECT_EQ(CutToWidth(L"Tokyo", 15, font), L"To\u2026");
    EXPECT_EQ(CutToWidth(L"Tokyo ", 14, font), L"");  // nothing of the name would be left
    EXPECT_EQ(CutToWidth(L"Tokyo", -5, font), L"");
    EXPECT_EQ(CutToWidth(L"   ", 10, font), L"");
    EXPECT_EQ(CutToWidth(L"(35.68N) ", 20, font), L"(3\u2026 ");
    EXPECT_EQ(CutToWidth(L"(35.68N) ", 19, font), L"");  // "(" alone would say nothing
    EXPECT_EQ(CutToWidth(L"\u6771\u4EAC\u90FD ", 19, font), L"\u6771\u2026 ");
}

// The clock keeps its place; the place name gives way, then the coordinates.
TEST(TextFit, TitleGivesWayToTheClock) {
    TextRig rig;
    LocationRecord& place = rig.item.Store.Locations[0];
    place.Location = L"Santa Cruz de Tenerife";
    GeneralSettings& g = rig.item.Store.General;
    rig.item.State.ShiftDays = 1;
    const struct { int size; const wchar_t* title; } cases[] = {
        {20, L"Santa Cruz d\u2026 (35.68N 139.75E) "},  // 10 pixels a character
        {24, L"Sant\u2026 (35.68N 139.75E) "},
        {30, L"(35.68N 139.7\u2026 "},  // the name has gone, the coordinates are cut
    };
    for (const auto& c : cases) {
        g.TextSize = c.size;
        const std::vector<TextDraw> t = rig.Title();
        ASSERT_EQ(t.size(), 2u) << c.size;
        EXPECT_EQ(t[1].Text, L"2026/06/16 12:00");
        EXPECT_EQ(t[1].X + t[1].Width, 480 - 3);
        EXPECT_EQ(t[0].Text, c.title) << c.size;
        EXPECT_LE(t[0].X + t[0].Width, t[1].FillArea.x0) << c.size;
    }

    g.TextSize = 999;  // not even the time fits the band: nothing is written
    EXPECT_TRUE(rig.Title().empty());

    g.TextSize = 100;  // without a clock the title ends inside the band
    g.Clock = 0;
    rig.item.State.ShiftDays = 0;
    const std::vector<TextDraw> t = rig.Title();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, L"(35.68N\u2026 ");
    EXPECT_LE(t[0].X + t[0].Width, 480 - 3);
}

// A main line that fits neither beside the picture goes to the roomier side
// and lets its name go first: no part of it runs off the item.
TEST(TextFit, MainLineStaysInTheItem) {
    TextRig rig;
    rig.item.State.ItemWidth = 240;
    BodyStyle& mars = rig.Body(kMars);
    mars.Text = 15;
    mars.TextSize = 14;  // 7 pixels a character
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 1200);
    e.Now.Azi = 46;
    e.Now.Alt = 30.6;
    e.Set.Time = MakeTime(2026, 6, 15, 18, 7);
    rig.row.ImageX = 100;  // 113 pixels right of it, 98 left
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"E44N 30d ");
    EXPECT_EQ(t[0].X, 100 + 24 + 2);
    EXPECT_EQ(t[1].Text, L"18:07");
    EXPECT_LT(t[1].X + t[1].Width, 240);

    rig.row.ImageX = 120;  // now the left is roomier: 118 pixels
    t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"E44N 30d ");
    EXPECT_EQ(t[1].X + t[1].Width, 120 - 2);
    EXPECT_GE(t[0].X, 0);

    // A polar day: the words are the last to go; a number is left out whole.
    e.Rise.Valid = e.Set.Valid = e.NextRise.Valid = e.PrevSet.Valid = 0;
    rig.item.State.AllDay[kMars] = 1;
    mars.Text = 12;
    mars.TextSize = 16;  // "30d up all day", 112 pixels; 103 right, 108 left
    rig.row.ImageX = 110;
    t = rig.Info();
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0].Text, kUpAllDay);
    EXPECT_EQ(t[0].X + t[0].Width, 110 - 2);
}

// Event lines keep clear of the main line beside them.
TEST(TextFit, EventLinesKeepClearOfTheMainLine) {
    TextRig rig;
    BodyStyle& mars = rig.Body(kMars);
    mars.Text = 1;  // "Mars ", 25 pixels, right of the picture: 386 to 411
    mars.TextR = 1 | 2 | 4;
    mars.TextRS = 3;  // on the right, ending at 478
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 960);
    e.Rise.Time = MakeTime(2026, 6, 15, 12, 40);
    e.Rise.Azi = 100;
    rig.row.ImageX = 360;
    std::vector<TextDraw> t = rig.Info();
    ASSERT_EQ(t.size(), 2u);
    EXPECT_EQ(t[0].Text, L"Mars ");
    EXPECT_EQ(t[1].Text, L"12:40(-40)");  // the azimuth gave way
    EXPECT_EQ(t[1].X + t[1].Width, 478);
    EXPECT_EQ(Collisions(t, 480, 100), "");
    rig.row.ImageX = 340;  // with room enough, the whole line
    EXPECT_EQ(rig.Info()[1].Text, L"12:40(-40)E10S");
}

// Every text of the item, on the smallest screen and a larger one, for every
// hour of a day in both meter modes and title fonts up to the largest the
// options take: inside the item and apart from every other.
TEST(TextFit, NothingOverlapsOrLeavesTheItemOnAnyScreen) {
    const int screens[2][2] = {{240, 320}, {480, 640}};
    const int titleSizes[] = {0, 13, 20, 30, 60, 999};
    for (const auto& screen : screens) {
        ScreenRig rig(screen[0], screen[1]);
        for (int size : titleSizes) {
            rig.item.Store.General.TextSize = size;
            for (int mode = 0; mode < 2; ++mode) {
                rig.item.State.AzimuthMode = mode;
                for (int hour = 0; hour < 24; ++hour) {
                    if (size != 13 && hour % 6 != 1) continue;  // the title alone changes with the font
                    rig.item.State.ShiftHours = hour;
                    const std::vector<TextDraw> t = rig.Compose();
                    EXPECT_EQ(Collisions(t, rig.item.State.ItemWidth, rig.item.State.ItemHeight), "")
                        << screen[0] << "x" << screen[1] << " title " << size << " mode " << mode << " +"
                        << hour << "h";
                }
            }
        }
    }
}
