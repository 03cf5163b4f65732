#include "preview/window/PreviewWindowLayout.h"

#include <gtest/gtest.h>

TEST(PreviewWindowLayout, PanesInTwoByTwoFromTheClientSize) {
    // 800 x 600: halves of 780 and 574.
    EXPECT_EQ(PreviewPaneRect(800, 600, 0), (PreviewRect{10, 46, 390, 267}));
    EXPECT_EQ(PreviewPaneRect(800, 600, 1), (PreviewRect{400, 46, 390, 267}));
    EXPECT_EQ(PreviewPaneRect(800, 600, 2), (PreviewRect{10, 333, 390, 267}));
    EXPECT_EQ(PreviewPaneRect(800, 600, 3), (PreviewRect{400, 333, 390, 267}));
    // The smallest window, odd sizes truncated: (321 - 20) / 2 = 150, (251 - 26) / 2 = 112.
    EXPECT_EQ(PreviewPaneRect(321, 251, 0), (PreviewRect{10, 46, 150, 92}));
    EXPECT_EQ(PreviewPaneRect(321, 251, 3), (PreviewRect{160, 158, 150, 92}));
    EXPECT_EQ(PreviewLabelRect(800, 600, 0), (PreviewRect{10, 26, 80, 20}));
    EXPECT_EQ(PreviewLabelRect(800, 600, 3), (PreviewRect{400, 313, 80, 20}));
}

TEST(PreviewWindowLayout, EachPaneShowsItsQuadrant) {
    EXPECT_EQ(QuadrantSourceRect(352, 240, 0), (PreviewRect{0, 0, 176, 120}));
    EXPECT_EQ(QuadrantSourceRect(352, 240, 1), (PreviewRect{176, 0, 176, 120}));
    EXPECT_EQ(QuadrantSourceRect(352, 240, 2), (PreviewRect{0, 120, 176, 120}));
    EXPECT_EQ(QuadrantSourceRect(352, 240, 3), (PreviewRect{176, 120, 176, 120}));
    EXPECT_EQ(QuadrantSourceRect(1920, 1080, 3), (PreviewRect{960, 540, 960, 540}));
    EXPECT_EQ(QuadrantSourceRect(353, 241, 3), (PreviewRect{176, 120, 176, 120}));
}

TEST(PreviewWindowLayout, HitTestCornersEdgesAndCaption) {
    const PreviewRect window{100, 100, 800, 600}; // last pixel (899, 699)
    EXPECT_EQ(PreviewWindowHitTest(120, 120, window), PreviewHit::TopLeft); // 20 from both
    EXPECT_EQ(PreviewWindowHitTest(102, 121, window), PreviewHit::Left);    // 21 from the top
    EXPECT_EQ(PreviewWindowHitTest(121, 102, window), PreviewHit::Top);
    EXPECT_EQ(PreviewWindowHitTest(879, 120, window), PreviewHit::TopRight);
    EXPECT_EQ(PreviewWindowHitTest(120, 679, window), PreviewHit::BottomLeft);
    EXPECT_EQ(PreviewWindowHitTest(899, 699, window), PreviewHit::BottomRight);
    EXPECT_EQ(PreviewWindowHitTest(103, 400, window), PreviewHit::Left);
    EXPECT_EQ(PreviewWindowHitTest(104, 400, window), PreviewHit::Client);
    EXPECT_EQ(PreviewWindowHitTest(896, 400, window), PreviewHit::Right);
    EXPECT_EQ(PreviewWindowHitTest(500, 697, window), PreviewHit::Bottom);
    EXPECT_EQ(PreviewWindowHitTest(500, 110, window), PreviewHit::Caption);
    EXPECT_EQ(PreviewWindowHitTest(500, 125, window), PreviewHit::Caption);
    EXPECT_EQ(PreviewWindowHitTest(500, 126, window), PreviewHit::Client);
    EXPECT_EQ(PreviewWindowHitTest(50, 50, window), PreviewHit::Client); // outside
}

TEST(PreviewWindowLayout, DraggingMovesOrResizesButNeverBelowTheMinimum) {
    const PreviewRect start{100, 100, 800, 600};
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::Caption, 30, -20), (PreviewRect{130, 80, 800, 600}));
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::Right, 50, 99), (PreviewRect{100, 100, 850, 600}));
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::TopLeft, 100, 50), (PreviewRect{200, 150, 700, 550}));
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::BottomRight, -1000, -1000),
              (PreviewRect{100, 100, PreviewMinWidth, PreviewMinHeight}));
    // Shrinking from the left stops at the minimum with the right side where it was.
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::Left, 700, 0), (PreviewRect{580, 100, 320, 600}));
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::Top, 0, 500), (PreviewRect{100, 450, 800, 250}));
    EXPECT_EQ(DragPreviewWindow(start, PreviewHit::Client, 10, 10), start);
}
