// The arithmetic of a cell's video view.
#include <gtest/gtest.h>

#include <cstdint>

#include "mainwnd/canvas_geometry/CellVideoGeometry.h"

namespace {

TEST(ViewStretch, PreviewSizeOverTheWindow) {
    EXPECT_EQ(StretchPreviewToWindow(176, 480, 352, 240), (ViewStretch{0.5f, 2.0f}));
    EXPECT_EQ(StretchPreviewToWindow(0, 0, 352, 240), ViewStretch{});
    EXPECT_EQ(StretchPreviewToWindow(320, 180, 0, 0), ViewStretch{});
}

TEST(PreviewSize, CodesAndSizes) {
    const int table[][3] = {{1, 352, 240},  {7, 640, 480},  {16, 1280, 720}, {17, 1920, 1080},
                            {19, 960, 540}, {20, 640, 360}, {21, 480, 270}};
    for (const auto& row : table) {
        int w = 0, h = 0;
        ASSERT_TRUE(PreviewSizeForCode(row[0], w, h)) << row[0];
        EXPECT_EQ(w, row[1]);
        EXPECT_EQ(h, row[2]);
    }
    int w = 7, h = 9;
    EXPECT_FALSE(PreviewSizeForCode(0, w, h));
    EXPECT_FALSE(PreviewSizeForCode(18, w, h));
    EXPECT_EQ(w, 7);
    EXPECT_EQ(h, 9);
}

} // namespace
