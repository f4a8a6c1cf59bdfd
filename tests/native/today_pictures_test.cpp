#include <gtest/gtest.h>

#include "draw_fixture.h"

using namespace velkaro;
using namespace velkaro::testing_draw;

TEST(BodyPictures, MaskPathReplacesTheLastExtension) {
    EXPECT_EQ(MaskPath(L"\\Program Files\\Velkaro\\velkaro_sun.png"),
              L"\\Program Files\\Velkaro\\velkaro_sun.msk");
    EXPECT_EQ(MaskPath(L"\\my.pics\\moon.v2.bmp"), L"\\my.pics\\moon.v2.msk");
    EXPECT_EQ(MaskPath(L"\\Program Files\\Velkaro\\sun"), L"");
}

TEST(BodyPictures, SizesFramesRowsAndStates) {
    Rig rig(L"0");
    RegisterNativePicture(rig.Body(kSun).Icon, Picture(672, 24, 0xFFFFFF));
    // No "." anywhere in the path: the mask beside it is not looked for.
    rig.Body(kMercury).Icon = L"\\t\\mercury";
    RegisterNativePicture(L"\\t\\mercury", Picture(16, 16, 1));
    RegisterNativePicture(L"\\t\\mercury.msk", Picture(16, 16, 0xFFFFFF));
    RegisterNativePicture(MaskPath(rig.Body(kMars).Icon), Picture(20, 20, 0xFFFFFF));  // wrong height
    RegisterNativePicture(rig.Body(kJupiter).Icon, Picture(10, 24, 5));  // no whole frame
    RegisterNativePicture(rig.Body(kSaturn).Icon, Picture(4096, 2048, 5));  // far too tall
    rig.Body(kMoon).IconMode = 0;
    rig.Body(kMoon).MarginTop = rig.Body(kMoon).MarginBottom = -9;  // eats the text row
    rig.Load();

    const BodyPicture& sun = rig.Pic(kSun);
    EXPECT_EQ(sun.State, kImageOpaque);
    EXPECT_EQ(sun.Frames, 28);
    EXPECT_EQ(sun.Size, 24);
    EXPECT_EQ(sun.RowHeight, 24);
    EXPECT_EQ(rig.Pic(kMercury).State, kImageOpaque);
    EXPECT_EQ(rig.Pic(kMars).State, kImageOpaque);
    for (int b : {int(kMoon), int(kJupiter), int(kSaturn)}) {
        EXPECT_EQ(rig.Pic(b).State, kImageNone) << b;
        EXPECT_EQ(rig.Pic(b).Size, 13) << b;
    }
    EXPECT_EQ(rig.Pic(kMoon).RowHeight, 0);
    // Every body counts, each with the spare line below its row.
    EXPECT_EQ(rig.item.State.SurfaceHeight, 24 + 0 + 24 + 16 + 13 + 24 + 13 + 3 * 24 + 10);
}

TEST(BodyPictures, MoonStatesFollowTheFrameCounts) {
    struct Case { int body, pictureFrames, maskFrames, state; } cases[] = {
        {kMoon, 1, 14, kImageEarthShine}, {kMoon, 28, 28, kImageMoonFrames}, {kMoon, 1, 28, kImageMasked},
        {kMoon, 1, 5, kImageMasked},      {kMars, 1, 14, kImageMasked}};
    for (const Case& c : cases) {
        Rig rig(L"12");
        RegisterNativePicture(rig.Body(c.body).Icon, Picture(24 * c.pictureFrames, 24, 7));
        RegisterNativePicture(MaskPath(rig.Body(c.body).Icon), Picture(24 * c.maskFrames, 24, 0xFFFFFF));
        rig.Load();
        EXPECT_EQ(rig.Pic(c.body).State, c.state) << c.pictureFrames << "/" << c.maskFrames;
    }
}

TEST(BodyPictures, EarthShineAndMirroredPhases) {
    const int s = 8;
    Rig rig(L"1");
    RegisterNativePicture(rig.Body(kMoon).Icon, Picture(s, s, 0x808080));
    // Frame 0 is the full disc; frame 7 lights column 1 fully and column 2 by
    // half; frame 1 lights column 0.
    DecodedPicture m = Picture(14 * s, s, 0);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) m.Pixels[y * m.Width + x] = 0xFFFFFF;
        m.Pixels[y * m.Width + 7 * s + 1] = 0xFFFFFF;
        m.Pixels[y * m.Width + 7 * s + 2] = 0x808080;
        m.Pixels[y * m.Width + 1 * s + 0] = 0xFFFFFF;
    }
    RegisterNativePicture(L"\\t\\body1.msk", m);
    rig.Load();
    BodyPicture& pic = rig.Pic(kMoon);
    ASSERT_EQ(pic.State, kImageEarthShine);
    const uint32_t shine = 63 * 0x010101u;  // (64 * 255) >> 8

    PrepareBodyFrame(&pic, 21, 64);  // waning: frame 7 as it is
    EXPECT_EQ(pic.Alpha[1], 0xFFFFFFu);
    EXPECT_EQ(pic.Alpha[2], 159u * 0x010101u);  // 63 - ((128 * (63 - 255) + 255) >> 8)
    EXPECT_EQ(pic.Alpha[s - 2], shine);
    PrepareBodyFrame(&pic, 7, 64);  // waxing: mirrored
    EXPECT_EQ(pic.Alpha[s - 2], 0xFFFFFFu);
    EXPECT_EQ(pic.Alpha[1], shine);
    PrepareBodyFrame(&pic, 13, 64);  // the last mirrored index
    EXPECT_EQ(pic.Alpha[s - 1], 0xFFFFFFu);
    PrepareBodyFrame(&pic, 15, 64);
    EXPECT_EQ(pic.Alpha[0], 0xFFFFFFu);
    PrepareBodyFrame(&pic, 14, 64);  // full: frame 0
    EXPECT_EQ(pic.Alpha[s * s - 1], 0xFFFFFFu);

    PrepareBodyFrame(&pic, 21, 0);  // no earth-shine: the unlit part vanishes
    EXPECT_EQ(pic.Alpha[s - 2], 0u);
    PrepareBodyFrame(&pic, 0, 255);  // new moon, full earth-shine
    EXPECT_EQ(pic.Alpha[1], 254u * 0x010101u);
    EXPECT_EQ(pic.Colour[0], 0x808080u);
}

TEST(BodyPictures, OpacityAndTurning) {
    Rig rig(L"0");
    DecodedPicture p = Picture(4, 4, 0x0000FF);
    p.Pixels[0] = 0x0000FE;  // top-left
    RegisterNativePicture(rig.Body(kSun).Icon, p);
    rig.Body(kSun).AlphaS = 160;
    rig.Load();
    PixelStore comp(12, 4, 0);
    BodyDraw d;
    d.ClipRight = 12;
    DrawBodyImage(comp.View(), rig.Body(kSun), rig.Pic(kSun), d);
    EXPECT_EQ(comp.View().At(0, 0), 0x0000FEu);  // up and opaque: an exact copy
    d.X = 4;
    d.Up = false;
    DrawBodyImage(comp.View(), rig.Body(kSun), rig.Pic(kSun), d);
    EXPECT_EQ(comp.View().At(5, 0), 158u);  // (255 * 255 >> 8) * 160 >> 8: about 62 %
    d.X = 8;
    d.Up = true;
    d.Rotate = true;  // southern places
    DrawBodyImage(comp.View(), rig.Body(kSun), rig.Pic(kSun), d);
    EXPECT_EQ(comp.View().At(11, 3), 0x0000FEu);
    EXPECT_EQ(comp.View().At(8, 0), 0x0000FFu);
}

TEST(BodyPictures, DrawingStaysInsideTheRowAndTheMargins) {
    Rig rig(L"0");
    RegisterNativePicture(rig.Body(kSun).Icon, Picture(12, 12, 0xFFFFFF));
    rig.Body(kSun).MarginTop = -4;  // the picture overflows its row at the top
    rig.Body(kSun).SpaceTop = 10;
    rig.Load();
    ASSERT_EQ(rig.RowTop(kSun), 10);
    ASSERT_EQ(rig.Pic(kSun).RowHeight, 8);
    PixelStore comp(20, 30, 0);
    for (int x : {-100000, -6, 3, 15, 100000}) {
        BodyDraw d;
        d.RowTop = rig.RowTop(kSun);
        d.X = x;
        d.ClipLeft = 2;
        d.ClipRight = 18;
        DrawBodyImage(comp.View(), rig.Body(kSun), rig.Pic(kSun), d);
    }
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 20; ++x) {
            const bool inside = y >= 10 && y < 18 && x >= 2 && x < 18;
            EXPECT_EQ(comp.View().At(x, y), inside ? 0xFFFFFFu : 0u) << x << "," << y;
        }
}
