// Canvas pixels <-> output pixels.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>

#include "mainwnd/canvas_geometry/CanvasScale.h"

namespace {

const CanvasRect Client{0, 0, 10000, 10000};
const CanvasScale Six{6.0, 6.0};

TEST(CanvasScale, FirstOutputFrameAtTheStartingScale) {
    // Output frame 0 lies at (125, 198) with 1920 x 1080 pixels.
    EXPECT_EQ(OutputToCanvas({125, 198, 2045, 1278}, Six, Client), (CanvasRect{21, 33, 341, 213}));
    // and back: the left rounds to 126, which is why cells keep their output rectangle
    EXPECT_EQ(CanvasToOutput({21, 33, 341, 213}, Six), (CanvasRect{126, 198, 2046, 1278}));
}

TEST(CanvasScale, LeftOfZeroOrOneMapsToZero) {
    EXPECT_EQ(CanvasToOutput({0, 0, 10, 10}, Six), (CanvasRect{0, 0, 60, 60}));
    EXPECT_EQ(CanvasToOutput({1, 1, 11, 11}, Six), (CanvasRect{0, 0, 60, 60}));
    EXPECT_EQ(CanvasToOutput({2, 2, 12, 12}, Six), (CanvasRect{12, 12, 72, 72}));
    EXPECT_EQ(OutputToCanvas({0, 0, 60, 60}, Six, Client), (CanvasRect{0, 0, 10, 10}));
    EXPECT_EQ(OutputToCanvas({1, 1, 61, 61}, Six, Client), (CanvasRect{0, 0, 10, 10}));
    EXPECT_EQ(OutputToCanvas({3, 3, 63, 63}, Six, Client), (CanvasRect{1, 1, 11, 11}));
}

TEST(CanvasScale, RightEdgeOnePixelShortLandsOnTheClientEdge) {
    const CanvasRect client{0, 0, 341, 213};
    EXPECT_EQ(OutputToCanvas({0, 0, 2040, 600}, Six, client).right, 341); // 340 -> edge
    EXPECT_EQ(OutputToCanvas({0, 0, 2034, 600}, Six, client).right, 339); // 339 stays
    EXPECT_EQ(OutputToCanvas({0, 0, 9000, 600}, Six, client).right, 341); // never beyond
    EXPECT_EQ(OutputToCanvas({0, 0, 600, 1272}, Six, client).bottom, 213);
}

TEST(CanvasScale, QuotientInSinglePrecision) {
    // 125 / 6 = 20.83 -> 21; the length is added to the unrounded quotient.
    EXPECT_EQ(OutputToCanvas({125, 0, 128, 6}, Six, Client), (CanvasRect{21, 0, 21, 1}));
    const CanvasScale half{0.5, 0.5};
    EXPECT_EQ(OutputToCanvas({3, 3, 5, 5}, half, Client), (CanvasRect{6, 6, 10, 10}));
    EXPECT_EQ(CanvasToOutput({10, 10, 20, 30}, {1.5, 2.5}), (CanvasRect{15, 25, 30, 75}));
}

TEST(CanvasScale, NegativeResultsBecomeZeroAndRectsAreNormalised) {
    EXPECT_EQ(CanvasToOutput({-10, -10, 10, 10}, Six).left, 0);
    EXPECT_EQ(OutputToCanvas({-600, -600, -60, -60}, Six, Client).left, 0);
}

TEST(CanvasScale, UnusableScaleGivesAnEmptyRectangle) {
    EXPECT_TRUE(OutputToCanvas({125, 198, 2045, 1278}, {0.0, 6.0}, Client).IsEmpty());
    EXPECT_TRUE(OutputToCanvas({125, 198, 2045, 1278}, {6.0, -1.0}, Client).IsEmpty());
    EXPECT_TRUE(CanvasToOutput({1, 2, 3, 4}, {NAN, 6.0}).IsEmpty());
    EXPECT_FALSE(IsUsableScale({INFINITY, 6.0}));
    EXPECT_TRUE(IsUsableScale(Six));
}

TEST(CanvasScale, DeviceSizedValuesNeverOverflow) {
    // Layer windows come from the device as 32-bit values.
    const CanvasRect canvas = OutputToCanvas({0, 0, INT_MAX, INT_MAX}, {0.001, 0.001}, Client);
    EXPECT_EQ(canvas.right, Client.right);
    EXPECT_EQ(canvas.bottom, Client.bottom);
    EXPECT_GE(OutputToCanvas({INT_MAX - 10, 0, INT_MAX, 5}, {0.001, 0.001}, Client).left, 0);
    const CanvasRect out = CanvasToOutput({2, 2, 10000, 10000}, {DBL_MAX / 4, 1e300});
    EXPECT_GE(out.right, out.left);
}

} // namespace
