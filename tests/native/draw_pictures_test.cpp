#include <gtest/gtest.h>

#include "draw_fixture.h"

using namespace velkaro;
using namespace velkaro::testing_draw;

namespace {

// A mask strip of `frames` frames of s x s where frame k is zero except for
// column `column(k)` which is `value`.
DecodedPicture MaskStrip(int s, int frames, uint32_t fullFrame0, int markFrame, int markColumn,
                         uint32_t mark) {
    DecodedPicture m = Picture(s * frames, s, 0);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) m.Pixels[y * m.Width + x] = fullFrame0;
        m.Pixels[y * m.Width + markFrame * s + markColumn] = mark;
    }
    return m;
}

}  // namespace

TEST(BodyPictures, MaskPathReplacesTheLastExtension) {
    EXPECT_EQ(MaskPath(L"\\Program Files\\Velkaro\\velkaro_sun.png"),
              L"\\Program Files\\Velkaro\\velkaro_sun.msk");
    EXPECT_EQ(MaskPath(L"\\my.pics\\moon.v2.bmp"), L"\\my.pics\\moon.v2.msk");
    EXPECT_EQ(MaskPath(L"\\Program Files\\Velkaro\\sun"), L"");
}

TEST(BodyPictures, StripSizesFramesRowsAndStates) {
    Rig rig(L"0123");
    RegisterNativePicture(rig.Body(kSun).Icon, Picture(672, 24, 0xFFFFFF));
    // Mercury: no extension anywhere in its path, a ".msk" beside it is not looked for.
    rig.Body(kMercury).Icon = L"\\t\\mercury";
    RegisterNativePicture(L"\\t\\mercury", Picture(16, 16, 1));
    RegisterNativePicture(L"\\t\\mercury.msk", Picture(16, 16, 0xFFFFFF));
    // Mars: a mask of another height is ignored.
    RegisterNativePicture(MaskPath(rig.Body(kMars).Icon), Picture(20, 20, 0xFFFFFF));
    // Moon without picture mode: a text row, with negative margins eating it.
    rig.Body(kMoon).IconMode = 0;
    rig.Body(kMoon).TextSize = 13;
    rig.Body(kMoon).MarginTop = rig.Body(kMoon).MarginBottom = -9;
    rig.Load();

    const BodyLayout& sun = rig.Body(kSun).Layout;
    EXPECT_EQ(sun.ImageState, kImageOpaque);
    EXPECT_EQ(sun.Frames, 28);
    EXPECT_EQ(sun.ImageSize, 24);
    EXPECT_EQ(sun.RowHeight, 24);
    EXPECT_EQ(rig.Body(kMercury).Layout.ImageState, kImageOpaque);
    EXPECT_EQ(rig.Body(kMars).Layout.ImageState, kImageOpaque);
    EXPECT_EQ(rig.Body(kMoon).Layout.ImageState, kImageNone);
    EXPECT_EQ(rig.Body(kMoon).Layout.ImageSize, 13);
    EXPECT_EQ(rig.Body(kMoon).Layout.RowHeight, 0);

    // All ten bodies count, each with its spare line below.
    EXPECT_EQ(rig.item.State.SurfaceHeight, 24 + 0 + 24 + 16 + 6 * 24 + 10);
    rig.item.Store.General.Title = 1;
    rig.item.Store.General.MarginTop = 2;
    EXPECT_EQ(LoadItemPictures(&rig.item.Store, &rig.pictures),
              2 + 13 + 1 + 1 + 24 + 0 + 24 + 16 + 6 * 24 + 10);
}

TEST(BodyPictures, MissingOrUnusablePicturesBecomeTextRows) {
    Rig rig(L"0");
    ClearNativePictures();
    RegisterNativePicture(rig.Body(kMars).Icon, Picture(10, 24, 5));  // narrower than high
    RegisterNativePicture(rig.Body(kVenus).Icon, Picture(4096, 2048, 5));
    rig.Load();
    for (int b : {int(kSun), int(kMars), int(kVenus)}) {
        EXPECT_EQ(rig.Body(b).Layout.ImageState, kImageNone) << b;
        EXPECT_EQ(rig.Body(b).Layout.RowHeight, rig.Body(b).TextSize) << b;
    }
}

TEST(BodyPictures, MoonStatesFollowTheFrameCounts) {
    const std::wstring mask = L"\\t\\body1.msk";
    struct Case { int pictureFrames, maskFrames, state; } cases[] = {
        {1, 14, kImageEarthShine}, {28, 28, kImageMoonFrames}, {1, 28, kImageMasked},
        {28, 14, kImageEarthShine}, {1, 5, kImageMasked}};
    for (const Case& c : cases) {
        Rig rig(L"1");
        RegisterNativePicture(rig.Body(kMoon).Icon, Picture(24 * c.pictureFrames, 24, 7));
        RegisterNativePicture(mask, Picture(24 * c.maskFrames, 24, 0xFFFFFF));
        rig.Load();
        EXPECT_EQ(rig.Body(kMoon).Layout.ImageState, c.state) << c.pictureFrames << "/" << c.maskFrames;
    }
    // Only the Moon has phases.
    Rig rig(L"2");
    RegisterNativePicture(MaskPath(rig.Body(kMars).Icon), Picture(24 * 14, 24, 0xFFFFFF));
    rig.Load();
    EXPECT_EQ(rig.Body(kMars).Layout.ImageState, kImageMasked);
    EXPECT_EQ(SelectFrame(rig.Body(kMars).Layout, kMars, 7), 0);
}

TEST(BodyPictures, EarthShineAndMirroredPhases) {
    const int s = 8;
    Rig rig(L"1");
    RegisterNativePicture(rig.Body(kMoon).Icon, Picture(s, s, 0x808080));
    // Frame 0 is the full disc; frame 7 lights only column 1 fully, column 2 by half.
    DecodedPicture m = MaskStrip(s, 14, 0xFFFFFF, 7, 1, 0xFFFFFF);
    for (int y = 0; y < s; ++y) {
        m.Pixels[y * m.Width + 7 * s + 2] = 0x808080;
        m.Pixels[y * m.Width + 1 * s + 0] = 0xFFFFFF;  // thickest crescent but one
    }
    RegisterNativePicture(L"\\t\\body1.msk", m);
    rig.Load();
    BodyPicture& pic = rig.pictures.Bodies[kMoon];
    const BodyLayout& layout = rig.Body(kMoon).Layout;
    ASSERT_EQ(layout.ImageState, kImageEarthShine);

    // Waning (21): frame 7 as it is.
    PrepareBodyFrame(layout, &pic, SelectFrame(layout, kMoon, 21), 64);
    EXPECT_EQ(pic.Alpha[1], 0xFFFFFFu);
    // 63 raised by half: 63 - ((128 * (63 - 255) + 255) >> 8) = 159.
    EXPECT_EQ(pic.Alpha[2], 159u * 0x010101u);
    EXPECT_EQ(pic.Alpha[s - 2], 63u * 0x010101u);  // earth-shine: (64 * 255) >> 8
    // Waxing (7): the same frame mirrored.
    PrepareBodyFrame(layout, &pic, SelectFrame(layout, kMoon, 7), 64);
    EXPECT_EQ(pic.Alpha[s - 2], 0xFFFFFFu);
    EXPECT_EQ(pic.Alpha[1], 63u * 0x010101u);
    // 13 is the last mirrored index, 15 its unmirrored twin.
    PrepareBodyFrame(layout, &pic, 13, 64);
    EXPECT_EQ(pic.Alpha[s - 1], 0xFFFFFFu);
    EXPECT_EQ(pic.Alpha[0], 63u * 0x010101u);
    PrepareBodyFrame(layout, &pic, 15, 64);
    EXPECT_EQ(pic.Alpha[0], 0xFFFFFFu);
    // Full (14): frame 0 lights the whole disc.
    PrepareBodyFrame(layout, &pic, 14, 64);
    EXPECT_EQ(pic.Alpha[0], 0xFFFFFFu);
    EXPECT_EQ(pic.Alpha[s * s - 1], 0xFFFFFFu);

    // Earth-shine 0: the unlit part vanishes; 255 shows it almost fully.
    PrepareBodyFrame(layout, &pic, 21, 0);
    EXPECT_EQ(pic.Alpha[s - 2], 0u);
    EXPECT_EQ(pic.Alpha[1], 0xFFFFFFu);
    PrepareBodyFrame(layout, &pic, 0, 255);  // new moon: the earth-shine alone
    EXPECT_EQ(pic.Alpha[1], 254u * 0x010101u);
    EXPECT_EQ(pic.Colour[0], 0x808080u);
}

TEST(BodyPictures, OpacityRulesWhenDrawing) {
    Rig rig(L"0");
    DecodedPicture p = Picture(4, 4, 0x0000FF);
    RegisterNativePicture(rig.Body(kSun).Icon, p);
    rig.Body(kSun).AlphaS = 160;
    rig.Load();
    PixelStore comp(8, rig.item.State.SurfaceHeight, 0);
    BodyDraw d;
    d.X = 0;
    d.ClipRight = 8;
    d.Up = true;
    DrawBodyImage(comp.View(), rig.Body(kSun), rig.pictures.Bodies[kSun], d);
    EXPECT_EQ(comp.View().At(0, 0), 0x0000FFu);  // opaque and up: an exact copy

    d.X = 4;
    d.Up = false;
    DrawBodyImage(comp.View(), rig.Body(kSun), rig.pictures.Bodies[kSun], d);
    // Down: 255 * 255 >> 8 = 254, then 254 * 160 >> 8 = 158, about 62 %.
    EXPECT_EQ(comp.View().At(4, 0), 158u);
}

TEST(BodyPictures, SouthernPlacesTurnThePicture) {
    Rig rig(L"0");
    DecodedPicture p = Picture(4, 4, 0x000001);
    p.Pixels[0] = 0xABCDEF;  // top-left
    RegisterNativePicture(rig.Body(kSun).Icon, p);
    rig.Load();
    PixelStore comp(4, 4, 0);
    BodyDraw d;
    d.ClipRight = 4;
    d.Rotate = true;
    DrawBodyImage(comp.View(), rig.Body(kSun), rig.pictures.Bodies[kSun], d);
    EXPECT_EQ(comp.View().At(3, 3), 0xABCDEFu);
    EXPECT_EQ(comp.View().At(0, 0), 0x000001u);
}

TEST(BodyPictures, DrawingStaysInsideTheRowAndTheMargins) {
    Rig rig(L"0");
    RegisterNativePicture(rig.Body(kSun).Icon, Picture(12, 12, 0xFFFFFF));
    rig.Body(kSun).MarginTop = -4;  // the picture overflows its row at the top
    rig.Body(kSun).MarginBottom = 0;
    rig.Body(kSun).SpaceTop = 10;
    rig.Load();
    const BodyLayout& layout = rig.Body(kSun).Layout;
    ASSERT_EQ(layout.RowTop, 10);
    ASSERT_EQ(layout.RowHeight, 8);
    PixelStore comp(20, 30, 0);
    for (int x : {-100000, -6, 3, 15, 100000}) {
        BodyDraw d;
        d.X = x;
        d.ClipLeft = 2;
        d.ClipRight = 18;
        DrawBodyImage(comp.View(), rig.Body(kSun), rig.pictures.Bodies[kSun], d);
    }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = y >= 10 && y < 18 && x >= 2 && x < 18;
            if (!inside) EXPECT_EQ(comp.View().At(x, y), 0u) << x << "," << y;
        }
    EXPECT_EQ(comp.View().At(2, 10), 0xFFFFFFu);
    EXPECT_EQ(comp.View().At(17, 17), 0xFFFFFFu);
}
