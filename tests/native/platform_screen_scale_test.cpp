// The scale of a screen, which the item, the editor and the soft keys share.
#include <gtest/gtest.h>

#include "platform/screen_scale.h"

using velkaro::ScreenScale;

TEST(ScreenScale, TwiceOnlyPastThreeHundredTwentyPixelsEitherWay) {
    EXPECT_EQ(ScreenScale(240, 320), 1);
    EXPECT_EQ(ScreenScale(320, 240), 1);
    EXPECT_EQ(ScreenScale(320, 320), 1);
    EXPECT_EQ(ScreenScale(480, 640), 2);
    EXPECT_EQ(ScreenScale(321, 200), 2);
    EXPECT_EQ(ScreenScale(200, 321), 2);
    EXPECT_EQ(ScreenScale(0, 0), 1);
}
