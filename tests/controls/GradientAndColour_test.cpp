#include <gtest/gtest.h>

#include "controls/logic/ColourMatrix.h"
#include "controls/logic/GradientBands.h"

TEST(GradientBands, ThirteenRowsOfTheTitleBarMakeFourteenBandsTheLastEmpty) {
    const auto bands = GradientBands(0, 13, 0x535353, 0x2F2F2F, 1);
    ASSERT_EQ(bands.size(), 14u);
    EXPECT_EQ(bands.front().Colour, 0x535353u);
    EXPECT_EQ(bands.front().Top, 0);
    EXPECT_EQ(bands.front().Bottom, 1);
    EXPECT_EQ(bands.back().Top, 13);
    EXPECT_EQ(bands.back().Bottom, 13);
    // Every band is a grey between the two ends, darkening row by row.
    for (std::size_t i = 1; i < bands.size(); ++i) {
        const COLORREF c = bands[i].Colour;
        EXPECT_EQ(RefRed(c), RefGreen(c));
        EXPECT_EQ(RefGreen(c), RefBlue(c));
        EXPECT_LE(RefRed(c), RefRed(bands[i - 1].Colour));
        EXPECT_GE(RefRed(c), 0x2F);
    }
    EXPECT_EQ(RefRed(bands.back().Colour), 0x2F);
}

TEST(GradientBands, LowerHalfOfTheTitleBarEndsAtItsDarkColour) {
    const auto bands = GradientBands(13, 26, 0x171717, 0x070707, 1);
    ASSERT_EQ(bands.size(), 14u);
    EXPECT_EQ(bands[0].Colour, 0x171717u);
    EXPECT_EQ(bands[0].Top, 13);
    EXPECT_EQ(bands[12].Bottom, 26);
}

TEST(GradientBands, EmptyRectangleOrZeroBandHeightNeverDividesByZero) {
    EXPECT_TRUE(GradientBands(10, 10, 0x535353, 0x2F2F2F, 1).empty());
    const auto bands = GradientBands(0, 4, 0x000000, 0x040404, 0);
    ASSERT_EQ(bands.size(), 5u);   // treated as one-row bands
    EXPECT_EQ(bands[3].Colour, 0x030303u);
}

TEST(GradientBands, ColoursKeepTheirChannels) {
    // Red rising, blue falling: the COLORREF byte order must not swap them.
    const auto bands = GradientBands(0, 2, 0xFF0000, 0x0000FF, 1);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(RefBlue(bands[0].Colour), 0xFF);
    EXPECT_EQ(RefRed(bands[0].Colour), 0);
    EXPECT_EQ(RefRed(bands[2].Colour), 0xFF);
    EXPECT_EQ(RefBlue(bands[2].Colour), 0);
}

TEST(ColourMatrix, BrightenLiftsEachChannelAndKeepsAlpha) {
    unsigned char rgb[] = {0, 0, 0, 128, 128, 128, 250, 250, 250};
    unsigned char alpha[] = {10, 128, 255};
    ApplyColourMatrix(BrightenMatrix(), rgb, alpha, 3);
    EXPECT_EQ(rgb[0], 13);    // 0.05 x 255 = 12.75
    EXPECT_EQ(rgb[3], 147);   // (1.05 x 128/255 + 0.05) x 255
    EXPECT_EQ(rgb[6], 255);   // clipped
    EXPECT_EQ(alpha[0], 10);
    EXPECT_EQ(alpha[1], 128);
    EXPECT_EQ(alpha[2], 255);
}

TEST(ColourMatrix, GreyIsTheLuminanceInEveryChannel) {
    unsigned char rgb[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 239, 156, 0};
    unsigned char alpha[] = {200, 200, 200, 0};
    ApplyColourMatrix(GreyMatrix(), rgb, alpha, 4);
    EXPECT_NEAR(rgb[0], 77, 1);   // 0.3 x 255
    EXPECT_NEAR(rgb[3], 150, 1);  // 0.59 x 255
    EXPECT_NEAR(rgb[6], 28, 1);   // 0.11 x 255
    EXPECT_NEAR(rgb[9], 164, 1);  // the accent: 0.3 x 239 + 0.59 x 156
    for (int p = 0; p < 4; ++p) {
        EXPECT_EQ(rgb[3 * p], rgb[3 * p + 1]);
        EXPECT_EQ(rgb[3 * p + 1], rgb[3 * p + 2]);
    }
    EXPECT_EQ(alpha[0], 200);
    EXPECT_EQ(alpha[3], 0);
}
