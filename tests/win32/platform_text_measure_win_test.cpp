// Text measuring (GDI) behind the drawing.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_measure.h"

using namespace velkaro;

TEST(TextMeasure, WidthGrowsWithTheTextAndHeightFollowsTheFont) {
    const FontSpec small{L"", 0, 12};
    const TextExtent one = MeasureText(L"Mars", small);
    EXPECT_GT(one.Width, 0);
    EXPECT_GT(MeasureText(L"Mars Mars", small).Width, one.Width);
    EXPECT_NEAR(one.Height, 12, 2);  // the cell height, as the font maps it
    const TextExtent big = MeasureText(L"Mars", FontSpec{L"", 0, 24});
    EXPECT_NEAR(big.Height, 24, 2);
    EXPECT_GT(big.Width, one.Width);
    EXPECT_EQ(MeasureText(L"Mars", small).Width, one.Width);  // after a font switch
    EXPECT_EQ(MeasureText(L"", small).Width, 0);
    // A face name longer than GDI keeps is cut, not overrun.
    EXPECT_GT(MeasureText(L"Mars", FontSpec{std::wstring(100, L'a'), 0, 12}).Width, 0);
}
