#include <gtest/gtest.h>

#include <vector>

#include "today/pixels.h"

using namespace velkaro;

TEST(Pixels, BottomUpRowsAndColourOrder) {
    PixelStore s(4, 3, 0);
    FillRect(s.View(), Rect{0, 0, 4, 1}, 0x00ABCDEF);
    EXPECT_EQ(s.Pixels[2 * 4], 0x00ABCDEFu);  // row 0 is last in memory
    EXPECT_EQ(s.Pixels[0], 0u);
    EXPECT_EQ(PixelFromColorref(0x00112233), 0x00332211u);  // COLORREF is 0x00BBGGRR
}

TEST(Pixels, EveryOperationStaysInsideTheBuffer) {
    std::vector<uint32_t> block(16 + 16 + 16, 0xDEADBEEF);  // guards around a 4 x 4 buffer
    PixelBuffer b{4, 4, block.data() + 16};
    PixelStore src(8, 8, 0x111111);
    for (Rect r : {Rect{-100, -100, 100, 100}, Rect{-5, 2, 2, 9}, Rect{3, -1, 1000000, 2}}) {
        FillRect(b, r, 0x222222);
        FillGradientH(b, r, 0x000000, 0xFFFFFF);
        CopyRect(b, src.View(), r);
        FillRowBlended(b, src.View(), r.y0, r.x0, r.x1, 0x333333, 100);
    }
    CopyRowSpan(b, src.Pixels.data(), 8, -3, 40, -2, 9);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(block[i], 0xDEADBEEFu);
        EXPECT_EQ(block[block.size() - 1 - i], 0xDEADBEEFu);
    }
}

TEST(Pixels, GradientEndsOnBothColours) {
    PixelStore s(10, 2, 0);
    FillGradientH(s.View(), Rect{0, 0, 10, 2}, 0x00FF0000, 0x000000FF);
    EXPECT_EQ(s.View().At(0, 0), 0x00FF0000u);
    EXPECT_EQ(s.View().At(9, 1), 0x000000FFu);
    for (int x = 1; x < 10; ++x) EXPECT_LT(s.View().At(x, 0) >> 16, s.View().At(x - 1, 0) >> 16);

    // A clip cuts columns off without squeezing the ramp.
    PixelStore c(10, 1, 0);
    FillGradientH(c.View(), Rect{0, 0, 10, 1}, 0x00FF0000, 0x000000FF, Rect{5, 0, 10, 1});
    EXPECT_EQ(c.View().At(4, 0), 0u);
    EXPECT_EQ(c.View().At(5, 0), s.View().At(5, 0));
}

TEST(Pixels, BlendShiftsEachChannelTowardTheBackground) {
    PixelStore comp(2, 1, 0x00C80A80);  // 200, 10, 128
    PixelStore bg(2, 1, 0x000AC880);
    BlendToward(comp.View(), bg.View(), 1, 1, 192);
    // 200 + ((10 - 200) * 192 >> 8) = 57, the shift flooring; 10 + (190 * 192 >> 8) = 152.
    EXPECT_EQ(comp.View().At(0, 0), 0x00399880u);
    EXPECT_EQ(comp.View().At(1, 0), 0x00C80A80u);  // beyond the given width
}
