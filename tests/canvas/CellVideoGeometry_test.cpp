// The arithmetic of a cell's video view.
#include <gtest/gtest.h>

#include <cstdint>

#include "mainwnd/canvas_geometry/CellVideoGeometry.h"

namespace {

const uint8_t Plane[4] = {};
const void* const Planes[3] = {Plane, Plane, Plane};

TEST(YuvUpload, CommonAreaOfTextureAndPicture) {
    const int strides[3] = {384, 192, 192}; // decoders pad 352 to 384
    EXPECT_EQ(YuvUploadArea(352, 240, 352, 240, Planes, strides), (PixelArea{0, 0, 352, 240}));
    // a smaller picture than the texture is never over-read
    const int small[3] = {176, 88, 88};
    EXPECT_EQ(YuvUploadArea(352, 240, 176, 120, Planes, small), (PixelArea{0, 0, 176, 120}));
    const int large[3] = {640, 320, 320};
    EXPECT_EQ(YuvUploadArea(352, 240, 640, 480, Planes, large), (PixelArea{0, 0, 352, 240}));
}

TEST(YuvUpload, UnreadablePicturesAreRefused) {
    const int strides[3] = {352, 176, 176};
    EXPECT_EQ(YuvUploadArea(352, 240, 0, 240, Planes, strides), PixelArea{});
    EXPECT_EQ(YuvUploadArea(0, 0, 352, 240, Planes, strides), PixelArea{});
    const void* const missing[3] = {Plane, nullptr, Plane};
    EXPECT_EQ(YuvUploadArea(352, 240, 352, 240, missing, strides), PixelArea{});
    const int shortLuma[3] = {300, 176, 176};
    EXPECT_EQ(YuvUploadArea(352, 240, 352, 240, Planes, shortLuma), PixelArea{});
    const int shortChroma[3] = {352, 175, 176};
    EXPECT_EQ(YuvUploadArea(352, 240, 352, 240, Planes, shortChroma), PixelArea{});
    const int oddChroma[3] = {353, 176, 177}; // 353 wide needs 177 chroma bytes a row
    EXPECT_EQ(YuvUploadArea(353, 241, 353, 241, Planes, oddChroma), PixelArea{});
}

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
