#include <gtest/gtest.h>

#include "draw_fixture.h"
#include "engine/calendar.h"

using namespace velkaro;
using namespace velkaro::testing_draw;

namespace {

constexpr uint32_t kMeter = 0x000040;  // the rig's CrGradD as a pixel
constexpr uint32_t kMark = 0xFF0000;   // the rig's CrScale as a pixel
constexpr uint32_t kMarsPixel = 0x00F002;  // Mars' picture

// Mars alone (no half-disc offset), culmination halfway through the day.
struct MarsRig : Rig {
    MarsRig() : Rig(L"2") { Load(); }
    BodyEvents& Events() { return item.State.Events[kMars]; }
    ImagePlacement Place() {
        return TimeImagePlacement(item.Store.General, Body(kMars), Events(), kMars, 480);
    }
};

}  // namespace

TEST(TimeMeter, CulminationMarkSitsAtItsShareOfTheDay) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 2000);
    rig.Compose();
    const int y = rig.RowTop(kMars);
    // left 48, 432 columns: 48 + 300 * 432 / 600 = 264.
    EXPECT_EQ(Span(rig.composition.View(), y, kMark), std::make_pair(264, 264));

    rig.Body(kMars).WidthScale = 3;
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), y, kMark), std::make_pair(263, 265));
}

TEST(TimeMeter, RampWidthFollowsPosD) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 2000);  // picture in the side track
    rig.Events().Culmination.Valid = 0;
    rig.Compose();
    const int y = rig.RowTop(kMars) + 5;
    EXPECT_EQ(Span(rig.composition.View(), y, kMeter), std::make_pair(48, 479));

    rig.Body(kMars).PosD = 1;
    rig.Body(kMars).CrGradE = 0x0000FF;  // pixel 0xFF0000
    rig.Body(kMars).CrGradW = 0xFF0000;  // pixel 0x0000FF
    rig.Compose();
    PixelBuffer c = rig.composition.View();
    EXPECT_EQ(c.At(48, y), 0xFF0000u);
    EXPECT_EQ(c.At(479, y), 0x0000FFu);
    EXPECT_EQ(c.At(263, y), kMeter);  // where the two ramps meet
    EXPECT_NE(c.At(250, y), kMeter);
    EXPECT_NE(c.At(280, y), kMeter);
}

TEST(TimeMeter, PictureAtRiseAndSet) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 1000);
    ImagePlacement p = rig.Place();
    EXPECT_TRUE(p.Up);
    EXPECT_EQ(p.X + 12, 48);  // centred on the meter's left end
    rig.Compose();
    const int y = rig.RowTop(kMars);
    EXPECT_EQ(Span(rig.composition.View(), y, kMarsPixel), std::make_pair(36, 59));

    // The Sun's disc sits half a disc further left.
    Rig sun(L"0");
    sun.Load();
    sun.item.State.Events[kSun] = Frame(400, 1000, 1300, 1600, 2400, 1000);
    EXPECT_EQ(TimeImagePlacement(sun.item.Store.General, sun.Body(kSun), sun.item.State.Events[kSun],
                                 kSun, 480).X + 12, 48 - 12);

    // At the set minute it is down, entering the night track at both edges.
    rig.Events().Now = Event(1600);
    p = rig.Place();
    EXPECT_FALSE(p.Up);
    EXPECT_EQ(p.X, -12);
    ASSERT_EQ(p.CopyCount, 1);
    EXPECT_EQ(p.CopyX[0], 468);
    rig.Compose();
    PixelBuffer c = rig.composition.View();
    EXPECT_NE(c.At(0, y), 0u);
    EXPECT_NE(c.At(479, y), kMeter);
    EXPECT_EQ(c.At(12, y), 0u);
}

TEST(TimeMeter, NightTrackLeftOfTheMeter) {
    MarsRig rig;  // WidthSL 48, WidthSR 0
    int last = -1000;
    for (int now : {1600, 1800, 2000, 2200, 2399}) {
        rig.Events() = Frame(400, 1000, 1300, 1600, 2400, now);
        const ImagePlacement p = rig.Place();
        EXPECT_FALSE(p.Up);
        EXPECT_GT(p.X, last) << now;
        last = p.X;
    }
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 2000);
    EXPECT_EQ(rig.Place().X + 12, 24);  // midnight: the middle of the track
    rig.Events() = Frame(1600, 2400, 2700, 3000, 3800, 2400);
    EXPECT_EQ(rig.Place().X + 12, 48);  // next rise: the meter's left end
}

TEST(TimeMeter, WithoutSideTracksTheNightIsHidden) {
    MarsRig rig;
    rig.Body(kMars).WidthSL = 0;
    rig.Events() = Frame(520, 1000, 1300, 1600, 2080, 1000 - 240);
    ImagePlacement p = rig.Place();
    EXPECT_FALSE(p.Drawn);
    EXPECT_EQ(p.Returned, -24);
    // A minute before rise its right part already shows at the left edge.
    rig.Events().Now = Event(999);
    p = rig.Place();
    EXPECT_TRUE(p.Drawn);
    EXPECT_EQ(p.X, -13);
    EXPECT_EQ(p.CopyCount, 0);
    EXPECT_EQ(p.Returned, -24);  // sticking out: no place for the text
    rig.Events().Now = Event(1300);
    EXPECT_EQ(rig.Place().Returned, 240 - 12);
}

TEST(TimeMeter, RowWithoutAPassageShowsOnlyItsBackground) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 1300);
    rig.Events().NextRise.Valid = 0;
    rig.Compose();
    const int y = rig.RowTop(kMars);
    EXPECT_EQ(Span(rig.composition.View(), y, 0), std::make_pair(0, 479));
    EXPECT_EQ(rig.Body(kMars).Layout.ImageX, -24);
}

// Two events of one kind on one local day leave the frame out of order.
TEST(TimeMeter, OutOfOrderStampsDrawInsideTheRow) {
    const BodyEvents frames[] = {
        Frame(100, 1000, 1300, 900, 2400, 950),     // set before rise
        Frame(400, 1000, 1700, 2500, 2400, 2450),   // passage over a day, next rise before set
        Frame(400, 1000, 1000, 1000, 2400, 1000),   // rise, culmination and set in one minute
        Frame(1000, 1000, 1300, 1600, 2400, 900),   // previous set at the rise
        Frame(400, 1000, 1300, 1600, 1600, 1700),   // next rise at the set
        Frame(5000, 6000, 6300, 6600, 7400, 0),     // now long before the frame
        Frame(400, 1000, 0, 1600, 2400, 1300),      // culmination stamp far off
    };
    for (const BodyEvents& e : frames) {
        Rig rig(L"02");
        rig.Load();
        rig.item.State.Events[kSun] = e;
        rig.item.State.Events[kMars] = e;
        rig.item.State.Events[kMars].Culmination.MinuteStamp = e.Culmination.MinuteStamp;
        rig.Compose();
        PixelBuffer c = rig.composition.View();
        for (int y = 0; y < c.Height; ++y) {
            const bool inRow = (y >= rig.RowTop(kSun) && y < rig.RowTop(kSun) + 24) ||
                               (y >= rig.RowTop(kMars) && y < rig.RowTop(kMars) + 24);
            if (!inRow) ASSERT_EQ(Span(c, y, 0xFFFFFF), std::make_pair(0, 479)) << y;
        }
        for (int b : {int(kSun), int(kMars)}) {
            const ImagePlacement p = TimeImagePlacement(rig.item.Store.General, rig.Body(b),
                                                        rig.item.State.Events[b], b, 480);
            EXPECT_GE(p.X, -48) << e.Now.MinuteStamp;
            EXPECT_LE(p.X, 480) << e.Now.MinuteStamp;
        }
        int x = 0;
        const bool mark = CulminationMarkX(e, TimeMeterGeometry(rig.item.Store.General, rig.Body(kMars), 480),
                                           1, &x);
        EXPECT_EQ(mark, e.Set.MinuteStamp > e.Rise.MinuteStamp);
    }
}

TEST(Composition, TodayBlendWithZeroWeightChangesNothing) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.Compose();
    const std::vector<uint32_t> plain = rig.composition.Pixels;
    rig.item.Store.General.TransToday = 1;
    rig.item.Store.General.AlphaToday = 0;
    rig.Compose();
    EXPECT_EQ(rig.composition.Pixels, plain);
    rig.item.Store.General.AlphaToday = 192;
    rig.Compose();
    EXPECT_NE(rig.composition.Pixels, plain);
    // The meter and the picture are not blended, the item background is.
    EXPECT_EQ(rig.At(300, rig.RowTop(kMars)), kMeter);
    EXPECT_EQ(rig.At(0, rig.RowTop(kMars) + 24), MixPixel(0xFFFFFF, 0x123456, 192));
}

TEST(Composition, TitleBandAndRowBackgrounds) {
    Rig rig(L"2");
    GeneralSettings& g = rig.item.Store.General;
    g.Title = 1;
    g.MarginLeft = 5;
    g.MarginRight = 7;
    g.CrTitleBack = 0x0000FF;
    rig.Load();
    rig.Body(kMars).CrBack = 0x00FF00;
    rig.Compose();
    EXPECT_EQ(rig.At(0, 0), 0xFF0000u);
    EXPECT_EQ(rig.At(479, 14), 0xFF0000u);
    const int y = rig.RowTop(kMars);
    EXPECT_EQ(y, 15);
    EXPECT_EQ(Span(rig.composition.View(), y, 0x00FF00), std::make_pair(5, 480 - 7 - 1));
}

TEST(AzimuthMeter, SouthernRangeRunsThroughNorth) {
    GeneralSettings g;
    const AzimuthRange south = AzimuthRangeFor(g, -33);
    EXPECT_TRUE(south.South);
    EXPECT_EQ(south.Start, 120);
    EXPECT_EQ(south.End, 240);
    const AzimuthRange north = AzimuthRangeFor(g, 33);
    EXPECT_FALSE(north.South);
    EXPECT_EQ(north.Start, 60);
    EXPECT_EQ(north.End, 300);
    g.AzimuthE = 170;  // outside its range: the end is capped
    EXPECT_EQ(AzimuthRangeFor(g, -33).End, 359);

    g = GeneralSettings();
    g.MarginLeft = g.MarginRight = 0;
    BodyEvents e;
    e.Rise = Event(1000, 60);
    e.Set = Event(1600, 300);
    int lx = 0, rx = 0;
    ASSERT_TRUE(AzimuthSpanX(g, south, e, 480, &lx, &rx));
    EXPECT_EQ(lx, 120);  // set 60 degrees beyond the left end (240)
    EXPECT_EQ(rx, 479 - 120);
    // 240 at the left edge, north in the middle, 120 at the right edge; east right.
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 240, 480).X, -12);
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 0, 480).X, 240 - 12);
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 120, 480).X, 480 - 12);
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 90, 480).X, 480 - 60 - 12);
}

TEST(AzimuthMeter, PictureSlidesOffTheEdge) {
    GeneralSettings g;
    g.MarginLeft = g.MarginRight = 0;
    const AzimuthRange r = AzimuthRangeFor(g, 35);  // 2 pixels a degree
    ImagePlacement p = AzimuthImagePlacement(g, r, 24, 59, 480);
    EXPECT_TRUE(p.Drawn);
    EXPECT_EQ(p.X, -14);
    p = AzimuthImagePlacement(g, r, 24, 53, 480);
    EXPECT_FALSE(p.Drawn);
    EXPECT_EQ(p.Returned, -24);
    EXPECT_EQ(AzimuthImagePlacement(g, r, 24, 301, 480).X, 2 + 480 - 12 - 1);
    EXPECT_FALSE(AzimuthImagePlacement(g, r, 24, 307, 480).Drawn);

    Rig rig(L"2");
    rig.item.State.AzimuthMode = 1;
    rig.Load();
    BodyEvents& e = rig.item.State.Events[kMars];
    e = Frame(400, 1000, 1300, 1600, 2400, 1200);
    e.Rise.Azi = 50;
    e.Set.Azi = 310;
    e.Now.Azi = 59;
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), rig.RowTop(kMars), kMarsPixel), std::make_pair(0, 9));
}

TEST(AzimuthMeter, NearlyFullCircleWrapsThePicture) {
    GeneralSettings g;
    g.MarginLeft = g.MarginRight = 0;
    g.AzimuthS = 0;
    g.AzimuthE = 350;
    const AzimuthRange r = AzimuthRangeFor(g, 35);
    const ImagePlacement p = AzimuthImagePlacement(g, r, 24, 355, 480);
    EXPECT_EQ(p.X, 473);
    ASSERT_EQ(p.CopyCount, 1);
    EXPECT_EQ(p.CopyX[0], -19);  // 360 degrees to the left, peeking in at the left edge
    EXPECT_EQ(AzimuthImagePlacement(g, r, 24, 180, 480).CopyCount, 0);
}

TEST(AzimuthMeter, RangeWithoutWidthDrawsNoPicture) {
    Rig rig(L"2");
    rig.item.State.AzimuthMode = 1;
    rig.item.Store.General.AzimuthS = 180;
    rig.item.Store.General.AzimuthE = 180;
    rig.Load();
    rig.item.State.Events[kMars] = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.item.State.Events[kMars].Now.Azi = 180;
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), rig.RowTop(kMars), 0), std::make_pair(0, 479));
    EXPECT_EQ(rig.Body(kMars).Layout.ImageX, -24);
}

TEST(AzimuthMeter, NearTheEquatorTimeMetersStandIn) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.item.Store.Locations[0].Lat = 3;
    rig.Compose();
    const std::vector<uint32_t> timeMode = rig.composition.Pixels;
    rig.item.State.AzimuthMode = 1;
    rig.Compose();
    EXPECT_EQ(rig.composition.Pixels, timeMode);
    rig.item.Store.General.EquatorMeter = 0;
    rig.Compose();
    EXPECT_NE(rig.composition.Pixels, timeMode);
}

TEST(AzimuthMeter, SunSubstituteMovesEvenlyNearTheEquator) {
    BodyEvents e = Frame(400, 1000, 1300, 1600, 2400, 1100);
    e.Now.Alt = 10;
    EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, 2), 100);
    e.Now = Event(1400, 0, 10);  // after culmination
    EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, 2), 260);
    e.Now = Event(1900, 0, -20);  // before the middle of the night
    EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, 2), 290);
    e.Now = Event(2100, 0, -20);  // after it
    EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, 2), 70);
    e.Now = Event(1100, 0, 10);
    EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, -2), 80);
}

TEST(Composition, BackgroundInOnePassMatchesFillThenBlend) {
    Rig rig(L"25");
    GeneralSettings& g = rig.item.Store.General;
    g.Title = 2;
    g.MarginLeft = 5;
    g.MarginRight = 7;
    g.CrTitleBack = 0x0000FF;
    g.TransToday = 1;
    g.AlphaToday = 200;
    rig.Body(kMars).CrBack = 0x00FF00;
    rig.Body(kVenus).CrBack = 0x345678;
    rig.Body(kVenus).SpaceTop = -3;  // overlapping rows: the later body wins
    rig.Load();
    for (size_t i = 0; i < rig.background.Pixels.size(); ++i)
        rig.background.Pixels[i] = static_cast<uint32_t>(i * 2654435761u) & 0x00FFFFFFu;
    rig.item.State.ItemWidth = 300;  // narrower than the surfaces

    PixelStore expected(rig.composition.Width, rig.composition.Height, 0x777777);
    rig.composition.Pixels.assign(rig.composition.Pixels.size(), 0x777777);
    PixelBuffer e = expected.View();
    const int h = rig.item.State.SurfaceHeight;
    FillRect(e, Rect{0, 0, 300, h}, PixelFromColorref(g.CrBack));
    FillRect(e, Rect{0, 0, 300, 15}, 0xFF0000);
    for (int b : {int(kMars), int(kVenus)}) {
        const BodyLayout& l = rig.Body(b).Layout;
        FillRect(e, Rect{5, l.RowTop, 300 - 7, l.RowTop + l.RowHeight}, PixelFromColorref(rig.Body(b).CrBack));
    }
    BlendToward(e, rig.background.View(), 300, h, 200);

    ComposeBackground(rig.item, rig.background.View(), rig.composition.View());
    EXPECT_EQ(rig.composition.Pixels, expected.Pixels);
}
