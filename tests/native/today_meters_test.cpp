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
    EXPECT_EQ(rig.At(0, rig.RowTop(kMars) + 24), 0x4D6680u);  // white 192/256 of the way to 0x123456
}

TEST(Composition, BackgroundInOnePassMatchesFillThenBlend) {
    Rig rig(L"25");
    GeneralSettings& g = rig.item.Store.General;
    g.Title = 2;
    g.MarginLeft = 5;
    g.MarginRight = 7;
    g.CrBack = 0xFF0000;       // blue
    g.CrTitleBack = 0x0000FF;  // red
    g.TransToday = 1;
    g.AlphaToday = 200;
    rig.Body(kMars).CrBack = 0x00FF00;   // green
    rig.Body(kVenus).CrBack = 0x00FFFF;  // yellow
    rig.Body(kVenus).SpaceTop = -3;      // counts as no space
    rig.Load();
    // Band 0-14, Mars 15-38, a line of space, Venus 40-63, the item's own back
    // below down to 264; columns 0-4 and 293-299 are margins.
    ASSERT_EQ(rig.item.State.SurfaceHeight, 265);
    ASSERT_EQ(rig.RowTop(kMars), 15);
    ASSERT_EQ(rig.RowTop(kVenus), 40);
    ASSERT_EQ(rig.Pic(kVenus).RowHeight, 24);
    // A black and white checkerboard, inverted in its lower half: a pixel
    // blended with its neighbour's or its mirrored row's background comes
    // out the other way. Towards black a full channel keeps 0x37, towards
    // white an empty one gets 0xC7 (200/256 of the way).
    PixelBuffer b = rig.background.View();
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x) b.Row(y)[x] = ((x + y) % 2 == 1) != (y >= 132) ? 0xFFFFFF : 0x000000;
    rig.item.State.ItemWidth = 300;  // narrower than the surfaces
    rig.composition.Pixels.assign(rig.composition.Pixels.size(), 0x777777);

    ComposeBackground(rig.item, rig.background.View(), rig.composition.View());
    const struct { int x, y; uint32_t pixel; } pinned[] = {
        {0, 0, 0x370000},     {299, 14, 0xFFC7C7},  // the band, to its last column and line
        {0, 15, 0xC7C7FF},    {4, 15, 0xC7C7FF},    // the left margin beside a row
        {5, 15, 0x003700},    {292, 38, 0x003700},  // Mars' row, corner to corner
        {293, 38, 0xC7C7FF},  {299, 15, 0x000037},  // the right margin
        {5, 39, 0x000037},                          // the space below Mars
        {5, 40, 0xFFFFC7},    {292, 63, 0xFFFFC7},  // Venus' row
        {5, 64, 0xC7C7FF},    {0, 264, 0xC7C7FF},   // below the rows, to the last line
        {300, 0, 0x777777},   {479, 264, 0x777777}, // past the item's width: untouched
    };
    for (const auto& p : pinned) EXPECT_EQ(rig.At(p.x, p.y), p.pixel) << p.x << "," << p.y;
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
