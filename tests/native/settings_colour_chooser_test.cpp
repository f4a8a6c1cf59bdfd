#include <gtest/gtest.h>

#include "resources/colour_ids.h"
#include "settings/colour_chooser.h"

using namespace velkaro;

namespace {

void ExpectHsl(uint32_t c, int h, int s, int l) {
    const Hsl v = RgbToHsl(c);
    EXPECT_EQ(v.H, h) << std::hex << c;
    EXPECT_EQ(v.S, s) << std::hex << c;
    EXPECT_EQ(v.L, l) << std::hex << c;
}

}  // namespace

TEST(ColourConversions, RgbToHslRoundsHalfUp) {
    ExpectHsl(MakeColour(255, 255, 255), 0, 0, 511);
    ExpectHsl(MakeColour(255, 0, 0), 0, 255, 256);  // lightness 255.5
    ExpectHsl(MakeColour(0, 0, 0), 0, 0, 0);
    ExpectHsl(MakeColour(0, 255, 0), 120, 255, 256);
    ExpectHsl(MakeColour(0, 0, 255), 240, 255, 256);
    ExpectHsl(MakeColour(255, 0, 128), 330, 255, 256);  // 329.88: a negative hue plus 360
    ExpectHsl(MakeColour(128, 128, 128), 0, 0, 257);
    // Light colours take the upper saturation branch.
    ExpectHsl(MakeColour(255, 128, 128), 0, 255, 384);
    ExpectHsl(MakeColour(192, 160, 128), 30, 86, 321);
}

TEST(ColourConversions, HslToRgb) {
    for (int s : {0, 1, 128, 255}) EXPECT_EQ(HslToRgb({200, s, 511}), 0xFFFFFFu) << s;
    EXPECT_EQ(HslToRgb({77, 0, 300}), MakeColour(150, 150, 150));
    EXPECT_EQ(HslToRgb({0, 255, 256}), MakeColour(255, 0, 0));
    EXPECT_EQ(HslToRgb({120, 255, 256}), MakeColour(0, 255, 0));
    EXPECT_EQ(HslToRgb({240, 255, 256}), MakeColour(0, 0, 255));
    EXPECT_EQ(HslToRgb({360, 255, 256}), MakeColour(255, 0, 0));  // above 359: less 360
    EXPECT_EQ(HslToRgb({0, 0, 0}), 0u);
    // Out of range values are held to the ranges, never wrap into other colours.
    EXPECT_EQ(HslToRgb({30, 900, 9999}), 0xFFFFFFu);
    EXPECT_EQ(HslToRgb({-5, -1, -1}), 0u);
}

TEST(ColourConversions, RoundTripStaysWithinOneStep) {
    for (uint32_t c : {0x123456u, 0xFD8943u, 0x4A2418u, 0xC3F4FFu, 0x5050C8u, 0x808000u}) {
        const uint32_t back = HslToRgb(RgbToHsl(c));
        EXPECT_LE(std::abs(RedOf(back) - RedOf(c)), 2) << std::hex << c;
        EXPECT_LE(std::abs(GreenOf(back) - GreenOf(c)), 2) << std::hex << c;
        EXPECT_LE(std::abs(BlueOf(back) - BlueOf(c)), 2) << std::hex << c;
    }
}

TEST(ColourSwatches, HueSwatchesRotateTheCurrentColour) {
    const uint32_t red = MakeColour(255, 0, 0);
    EXPECT_EQ(HueSwatchColour(red, 3), MakeColour(0, 255, 255));
    EXPECT_EQ(HueSwatchColour(red, 2), MakeColour(0, 255, 0));
    EXPECT_EQ(HueSwatchColour(red, 4), MakeColour(0, 0, 255));
    EXPECT_EQ(HueSwatchHsl(MakeColour(0, 0, 255), 3).H, 60);  // 240 + 180 wraps once
    EXPECT_EQ(HueSwatchColour(MakeColour(90, 90, 90), 1), MakeColour(90, 90, 90));
}

TEST(ColourSwatches, PaletteHasFortyEightColoursAtTheirIds) {
    uint32_t c = 1;
    ASSERT_TRUE(PaletteColour(1031, &c));
    EXPECT_EQ(c, MakeColour(255, 128, 128));
    ASSERT_TRUE(PaletteColour(1038, &c));
    EXPECT_EQ(c, MakeColour(255, 128, 255));
    ASSERT_TRUE(PaletteColour(1042, &c));
    EXPECT_EQ(c, MakeColour(255, 0, 0));
    ASSERT_TRUE(PaletteColour(1063, &c));
    EXPECT_EQ(c, MakeColour(0, 0, 160));
    ASSERT_TRUE(PaletteColour(1081, &c));
    EXPECT_EQ(c, 0xFFFFFFu);
    // The hue and saturation fields sit between the two runs of ids.
    for (int id : {1030, 1039, 1040, 1041, 1082}) EXPECT_FALSE(PaletteColour(id, &c)) << id;
    EXPECT_EQ(PaletteIdAt(8), 1042);
    EXPECT_EQ(PaletteIdAt(47), 1081);
    EXPECT_EQ(PaletteIdAt(48), -1);
}

TEST(ColourChooserState, SwatchTapsAndEditsSetTheCurrentColour) {
    ChooserState s = OpenChooser(0x4A2418);
    ColourFields f;
    ASSERT_EQ(TapSwatch(&s, 1042, &f), kTapShow);  // palette red
    EXPECT_EQ(s.Current, MakeColour(255, 0, 0));
    EXPECT_EQ(f.R, 255);
    EXPECT_EQ(f.L, 256);
    ASSERT_EQ(TapSwatch(&s, IDC_COLOUR_HUE60 + 2, &f), kTapShow);  // +180
    EXPECT_EQ(s.Current, MakeColour(0, 255, 255));
    EXPECT_EQ(f.H, 180);
    EXPECT_EQ(f.G, 255);
    ASSERT_EQ(TapSwatch(&s, IDC_COLOUR_START, &f), kTapShow);
    EXPECT_EQ(s.Current, 0x4A2418u);
    EXPECT_EQ(TapSwatch(&s, IDC_COLOUR_RED, &f), kTapNothing);

    f = EditGroup(&s, kGroupHsl, 0, 0, 300);
    EXPECT_EQ(s.Current, MakeColour(150, 150, 150));
    EXPECT_EQ(f.R, 150);
    f = EditGroup(&s, kGroupRgb, 255, 255, 255);
    EXPECT_EQ(f.L, 511);
    EXPECT_EQ(f.S, 0);
}

TEST(ColourChooserState, RememberedColoursShiftAndOutliveTheDialog) {
    RememberedColours().fill(0);
    ChooserState s = OpenChooser(0x111111);
    ColourFields f;
    for (uint32_t c : {0x000001u, 0x000002u, 0x000003u, 0x000004u, 0x000005u}) {
        s.Current = c;
        ASSERT_EQ(TapSwatch(&s, IDC_COLOUR_PREVIEW, &f), kTapRemembered);
    }
    EXPECT_EQ(RememberedColours()[0], 5u);
    EXPECT_EQ(RememberedColours()[3], 2u);  // the first one fell off the end

    ChooserState again = OpenChooser(0);
    uint32_t c = 0;
    ASSERT_TRUE(SwatchColour(again, IDC_COLOUR_KEPT1 + 1, &c));
    EXPECT_EQ(c, 4u);
    ASSERT_EQ(TapSwatch(&again, IDC_COLOUR_KEPT1, &f), kTapShow);
    EXPECT_EQ(again.Current, 5u);
    RememberedColours().fill(0);
}

TEST(ColourChooserState, LabelsAndFields) {
    uint32_t c = 0;
    ASSERT_TRUE(LabelTextColour(IDC_COLOUR_LABEL_R, &c));
    EXPECT_EQ(c, 0x0000FFu);
    ASSERT_TRUE(LabelTextColour(IDC_COLOUR_LABEL_B, &c));
    EXPECT_EQ(c, 0xFF0000u);
    EXPECT_FALSE(LabelTextColour(IDC_COLOUR_PREVIEW, &c));
    // The number fields are read by ClampedInt (platform_int_text_test.cpp).
}

TEST(ColourUpdateCounter, OwnWritesAreSkippedAndTheUserEditTaken) {
    UpdateCounter c;
    // Opening: six writes, one notification each, before anything of the user.
    c.BeforeOwnWrites(6);
    for (int i = 0; i < 6; ++i) EXPECT_FALSE(c.Notify(i < 3 ? kGroupRgb : kGroupHsl)) << i;
    c.AfterOwnWrites();
    EXPECT_TRUE(c.Notify(kGroupRgb));  // the user's first edit

    // Its answer rewrites the other group: three more of the dialog's own.
    c.BeforeOwnWrites(3);
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(c.Notify(kGroupHsl));
    c.AfterOwnWrites();
    EXPECT_TRUE(c.Notify(kGroupRgb));

    // Writes that gave fewer or more notifications than expected still leave
    // the next user edit taken.
    c.BeforeOwnWrites(12);
    for (int i = 0; i < 5; ++i) EXPECT_FALSE(c.Notify(kGroupHsl));
    c.AfterOwnWrites();
    EXPECT_TRUE(c.Notify(kGroupHsl));
    c.BeforeOwnWrites(2);
    for (int i = 0; i < 4; ++i) c.Notify(kGroupRgb);
    c.AfterOwnWrites();
    EXPECT_TRUE(c.Notify(kGroupRgb));
}

TEST(ColourUpdateCounter, WrapsAfterSixAsAFreshDialogExpects) {
    UpdateCounter c;  // 0 on opening
    for (int i = 1; i <= 6; ++i) {
        EXPECT_FALSE(c.Notify(kGroupRgb));
        EXPECT_EQ(c.Value(), i);
    }
    EXPECT_TRUE(c.Notify(kGroupHsl));
    EXPECT_EQ(c.Value(), 0);
}
