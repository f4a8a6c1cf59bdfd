#include <gtest/gtest.h>

#include "draw_fixture.h"

using namespace velkaro;
using namespace velkaro::testing_draw;

namespace {

constexpr uint32_t kMeter = 0x000040;      // the rig's CrGradD as a pixel
constexpr uint32_t kMark = 0xFF0000;       // the rig's CrScale as a pixel
constexpr uint32_t kMarsPixel = 0x00F002;  // Mars' picture

// Mars alone: no half-disc offset; meter from 48 to 479 behind a 48-pixel night track.
struct MarsRig : Rig {
    MarsRig() : Rig(L"2") { Load(); }
    BodyEvents& Events() { return item.State.Events[kMars]; }
    ImagePlacement Place(int now) {
        Events().Now = Event(now);
        return TimeImagePlacement(item.Store.General, Body(kMars), 24, Events(), kMars, 480);
    }
};

}  // namespace

TEST(TimeMeter, CulminationMarkAndRamps) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 2000);  // picture in the night track
    rig.Compose();
    const int y = rig.RowTop(kMars);
    // 48 + 300 * 432 / 600; PosD 0 leaves the rest solid.
    EXPECT_EQ(Span(rig.composition.View(), y, kMark), std::make_pair(264, 264));
    EXPECT_EQ(Span(rig.composition.View(), y, kMeter), std::make_pair(48, 479));
    rig.Body(kMars).WidthScale = 3;
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), y, kMark), std::make_pair(263, 265));

    rig.Events().Culmination.Valid = 0;
    rig.Body(kMars).PosD = 1;
    rig.Body(kMars).CrGradE = 0x0000FF;
    rig.Body(kMars).CrGradW = 0xFF0000;
    rig.Compose();
    EXPECT_EQ(rig.At(48, y), 0xFF0000u);
    EXPECT_EQ(rig.At(479, y), 0x0000FFu);
    EXPECT_EQ(Span(rig.composition.View(), y, kMeter), std::make_pair(263, 263));  // where they meet
}

TEST(TimeMeter, PictureAtRiseSetAndThroughTheNight) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 1000);
    ImagePlacement p = rig.Place(1000);
    EXPECT_TRUE(p.Up);
    EXPECT_EQ(p.X + 12, 48);  // centred on the meter's left end
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), rig.RowTop(kMars), kMarsPixel), std::make_pair(36, 59));

    Rig sun(L"0");  // the Sun's disc sits half a disc further left
    sun.Load();
    sun.item.State.Events[kSun] = Frame(400, 1000, 1300, 1600, 2400, 1000);
    EXPECT_EQ(TimeImagePlacement(sun.item.Store.General, sun.Body(kSun), 24, sun.item.State.Events[kSun], kSun, 480).X,
              48 - 24);

    // At the set minute it is down and enters the night track at both edges.
    p = rig.Place(1600);
    EXPECT_FALSE(p.Up);
    EXPECT_EQ(p.X, -12);
    ASSERT_EQ(p.CopyCount, 1);
    EXPECT_EQ(p.CopyX[0], 468);
    // Midnight: the middle of the 48-pixel track; next rise: the meter's end.
    EXPECT_EQ(rig.Place(2000).X + 12, 24);
    EXPECT_EQ(rig.Place(2399).X + 12, 48);
}

TEST(TimeMeter, WithoutSideTracksTheNightIsHidden) {
    MarsRig rig;
    rig.Body(kMars).WidthSL = 0;
    rig.Events() = Frame(520, 1000, 1300, 1600, 2080, 0);
    ImagePlacement p = rig.Place(760);
    EXPECT_FALSE(p.Drawn);
    EXPECT_EQ(p.Returned, -24);
    p = rig.Place(999);  // a minute before rise its right part shows
    EXPECT_TRUE(p.Drawn);
    EXPECT_EQ(p.X, -13);
    EXPECT_EQ(p.CopyCount, 0);
    EXPECT_EQ(p.Returned, -24);  // sticking out: no place for the text
    EXPECT_EQ(rig.Place(1300).Returned, 240 - 12);
}

TEST(TimeMeter, RowWithoutAPassageShowsOnlyItsBackground) {
    MarsRig rig;
    rig.Events() = Frame(400, 1000, 1300, 1600, 2400, 1300);
    rig.Events().NextRise.Valid = 0;
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), rig.RowTop(kMars), 0), std::make_pair(0, 479));
    EXPECT_EQ(rig.rows[kMars].ImageX, -24);
}

// Two events of one kind on one local day leave the frame out of order.
TEST(TimeMeter, OutOfOrderStampsDrawInsideTheRow) {
    const BodyEvents frames[] = {
        Frame(100, 1000, 1300, 900, 2400, 950),    // set before rise
        Frame(400, 1000, 1700, 2500, 2400, 2450),  // passage over a day, next rise before set
        Frame(400, 1000, 1000, 1000, 2400, 1000),  // rise, culmination and set in one minute
        Frame(1000, 1000, 1300, 1600, 2400, 900),  // previous set at the rise
        Frame(400, 1000, 1300, 1600, 1600, 1700),  // next rise at the set
        Frame(5000, 6000, 6300, 6600, 7400, 0),    // now long before the frame
        Frame(400, 1000, 0, 1600, 2400, 1300),     // culmination stamp far off
    };
    for (const BodyEvents& e : frames) {
        Rig rig(L"02");
        rig.Load();
        rig.item.State.Events[kSun] = rig.item.State.Events[kMars] = e;
        rig.Compose();
        PixelBuffer c = rig.composition.View();
        for (int y = 0; y < c.Height; ++y) {
            const bool inRow = (y >= rig.RowTop(kSun) && y < rig.RowTop(kSun) + 24) ||
                               (y >= rig.RowTop(kMars) && y < rig.RowTop(kMars) + 24);
            if (!inRow) ASSERT_EQ(Span(c, y, 0xFFFFFF), std::make_pair(0, 479)) << y;
        }
        for (int b : {int(kSun), int(kMars)}) {
            const int x = TimeImagePlacement(rig.item.Store.General, rig.Body(b), 24, e, b, 480).X;
            EXPECT_GE(x, -48) << e.Now.MinuteStamp;
            EXPECT_LE(x, 480) << e.Now.MinuteStamp;
        }
        int x = 0;
        EXPECT_EQ(CulminationMarkX(e, TimeMeterGeometry(rig.item.Store.General, rig.Body(kMars), 480), 1, &x),
                  e.Set.MinuteStamp > e.Rise.MinuteStamp);
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
    EXPECT_EQ(rig.At(300, rig.RowTop(kMars)), kMeter);  // meters are not blended
    EXPECT_EQ(rig.At(0, rig.RowTop(kMars) + 24), MixPixel(0xFFFFFF, 0x123456, 192));
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

    PixelStore expected(480, rig.composition.Height, 0x777777);
    rig.composition.Pixels.assign(rig.composition.Pixels.size(), 0x777777);
    PixelBuffer e = expected.View();
    const int h = rig.item.State.SurfaceHeight;
    FillRect(e, Rect{0, 0, 300, h}, PixelFromColorref(g.CrBack));
    FillRect(e, Rect{0, 0, 300, 15}, 0xFF0000);
    for (int b : {int(kMars), int(kVenus)}) {
        const int top = rig.RowTop(b), bottom = top + rig.Pic(b).RowHeight;
        // Row backgrounds reach the last column inside the margin.
        FillRect(e, Rect{5, top, 300 - 7, bottom}, PixelFromColorref(rig.Body(b).CrBack));
    }
    BlendToward(e, rig.background.View(), 300, h, 200);
    ComposeBackground(rig.item, rig.background.View(), rig.composition.View());
    EXPECT_EQ(rig.composition.Pixels, expected.Pixels);
}

TEST(AzimuthMeter, SouthernRangeRunsThroughNorth) {
    GeneralSettings g;
    const AzimuthRange south = AzimuthRangeFor(g, -33);
    EXPECT_TRUE(south.South);
    EXPECT_EQ(south.Start, 120);
    EXPECT_EQ(south.End, 240);
    EXPECT_FALSE(AzimuthRangeFor(g, 33).South);
    EXPECT_EQ(AzimuthRangeFor(g, 33).Start, 60);
    g.AzimuthE = 170;  // out of its range: the end is capped
    EXPECT_EQ(AzimuthRangeFor(g, -33).End, 359);

    g = GeneralSettings();
    BodyEvents e;
    e.Rise = Event(1000, 60);
    e.Set = Event(1600, 300);
    int lx = 0, rx = 0;
    ASSERT_TRUE(AzimuthSpanX(g, south, e, 480, &lx, &rx));
    EXPECT_EQ(lx, 120);  // the set lies left, 60 degrees past 240
    EXPECT_EQ(rx, 479 - 120);
    // 240 at the left edge, north in the middle, east on the right.
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 240, 480).X, -12);
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 0, 480).X, 240 - 12);
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 90, 480).X, 480 - 60 - 12);
    EXPECT_EQ(AzimuthImagePlacement(g, south, 24, 120, 480).X, 480 - 12);
}

TEST(AzimuthMeter, PictureSlidesOffTheEdgeAndWraps) {
    GeneralSettings g;
    const AzimuthRange r = AzimuthRangeFor(g, 35);  // 2 pixels a degree
    EXPECT_EQ(AzimuthImagePlacement(g, r, 24, 59, 480).X, -14);
    EXPECT_FALSE(AzimuthImagePlacement(g, r, 24, 53, 480).Drawn);
    EXPECT_EQ(AzimuthImagePlacement(g, r, 24, 53, 480).Returned, -24);
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

    // Past the end of a nearly full circle the picture peeks in at the other edge.
    g.AzimuthS = 0;
    g.AzimuthE = 350;
    const ImagePlacement p = AzimuthImagePlacement(g, AzimuthRangeFor(g, 35), 24, 355, 480);
    EXPECT_EQ(p.X, 473);
    ASSERT_EQ(p.CopyCount, 1);
    EXPECT_EQ(p.CopyX[0], -19);
    EXPECT_EQ(AzimuthImagePlacement(g, AzimuthRangeFor(g, 35), 24, 180, 480).CopyCount, 0);
}

TEST(AzimuthMeter, RangeWithoutWidthDrawsNoPicture) {
    Rig rig(L"2");
    rig.item.State.AzimuthMode = 1;
    rig.item.Store.General.AzimuthS = rig.item.Store.General.AzimuthE = 180;
    rig.Load();
    rig.item.State.Events[kMars] = Frame(400, 1000, 1300, 1600, 2400, 1200);
    rig.item.State.Events[kMars].Now.Azi = 180;
    rig.Compose();
    EXPECT_EQ(Span(rig.composition.View(), rig.RowTop(kMars), 0), std::make_pair(0, 479));
    EXPECT_EQ(rig.rows[kMars].ImageX, -24);
}

TEST(AzimuthMeter, NearTheEquator) {
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

    // The Sun's substitute azimuth: up from the east, down through the west, and
    // across the night split at its middle.
    BodyEvents e = Frame(400, 1000, 1300, 1600, 2400, 0);
    const struct { int now; double alt, north, south; } cases[] = {
        {1100, 10, 100, 80}, {1400, 10, 260, 280}, {1900, -20, 290, 250}, {2100, -20, 70, 110}};
    for (const auto& c : cases) {
        e.Now = Event(c.now, 0, c.alt);
        EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, 2), c.north) << c.now;
        EXPECT_DOUBLE_EQ(SunSubstituteAzimuth(e, -2), c.south) << c.now;
    }
}
