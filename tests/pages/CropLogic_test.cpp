// The crop arithmetic and the shared scaled preview.
#include <gtest/gtest.h>

#include "pages/CropPageLogic.h"

TEST(CropClamp, WidthThenStartInside1920) {
    PictureRect c = ClampCropEdit({200, 0, 1800, 1080}, CropEdit::Width, 1920, 1080);
    EXPECT_EQ(c, (PictureRect{200, 0, 1720, 1080}));
    c.X = 300;
    c = ClampCropEdit(c, CropEdit::HStart, 1920, 1080);
    EXPECT_EQ(c.X, 200);
}

TEST(CropClamp, Vertical) {
    EXPECT_EQ(ClampCropEdit({0, 900, 100, 300}, CropEdit::VStart, 1920, 1080).Y, 780);
    EXPECT_EQ(ClampCropEdit({0, 900, 100, 300}, CropEdit::Height, 1920, 1080).Height, 180);
}

TEST(CropClamp, NoSignalLeavesTheValueAndNeverNegative) {
    EXPECT_EQ(ClampCropEdit({100, 50, 640, 480}, CropEdit::Width, 0, 0), (PictureRect{100, 50, 640, 480}));
    EXPECT_EQ(ClampCropEdit({100, 50, 640, 480}, CropEdit::HStart, 320, 240).X, 0);
}

TEST(ScaledPreview, FullCropFillsTheBox) {
    const PagePreviewRect box{30, 180, 160, 280};
    EXPECT_EQ(ScaledPreviewRect(box, 1920, 1080, {0, 0, 1920, 1080}), box);
}

TEST(ScaledPreview, LowerRightQuarter) {
    const PagePreviewRect box{30, 180, 160, 280};
    const PagePreviewRect r = ScaledPreviewRect(box, 1920, 1080, {960, 540, 960, 540});
    EXPECT_EQ(r.Left, 30 + 65);
    EXPECT_EQ(r.Top, 180 + 50);
    EXPECT_EQ(r.Right, 160);
    EXPECT_EQ(r.Bottom, 280);
}

TEST(ScaledPreview, ZeroSourceDrawsAtScaleOne) {
    const PagePreviewRect box{0, 0, 130, 100};
    EXPECT_EQ(ScaledPreviewRect(box, 0, 0, {10, 20, 30, 40}), (PagePreviewRect{10, 20, 40, 60}));
}

TEST(CropEvent, RowInTheHighByte) { EXPECT_EQ(CropEventArgument(3, 2), 0x0302); }
