// Snapping to other cells, the output rectangle that follows a drag, the pull onto a frame,
// frame panels and the fit rectangle.
#include <gtest/gtest.h>

#include "mainwnd/canvas_geometry/CanvasSnap.h"

namespace {

struct SnapPair {
    CellModel Other;
    CellModel Moving;
    SnapPair() {
        Other.Rect = {100, 100, 200, 200};
        Other.OutputRect = {600, 600, 1200, 1200};
        Moving.OutputRect = {234, 234, 594, 594};
    }
    int Snap(CanvasRect& moving) { return SnapToCells(moving, Other.Rect, Other, Moving); }
};

TEST(Snap, CornerOnePixelAwaySnapsTwoPixelsDoesNot) {
    SnapPair p;
    CanvasRect near{39, 39, 99, 99};
    EXPECT_EQ(p.Snap(near), SnapTopLeft);
    EXPECT_EQ(near, (CanvasRect{40, 40, 100, 100}));
    // the output rectangle meets the other's exactly and keeps its size
    EXPECT_EQ(p.Moving.OutputRect, (CanvasRect{240, 240, 600, 600}));

    SnapPair q;
    CanvasRect far{38, 38, 98, 98};
    EXPECT_EQ(q.Snap(far), SnapNone);
    EXPECT_EQ(far, (CanvasRect{38, 38, 98, 98}));
    EXPECT_EQ(q.Moving.OutputRect, (CanvasRect{234, 234, 594, 594}));
}

TEST(Snap, CornerWinsOverEdge) {
    SnapPair p;
    CanvasRect r{200, 101, 260, 161}; // left edge on the other's right edge, and near its top-right
    EXPECT_EQ(p.Snap(r), SnapTopRight);
    EXPECT_EQ(r, (CanvasRect{200, 100, 260, 160}));
    EXPECT_EQ(p.Moving.OutputRect, (CanvasRect{1200, 600, 1560, 960}));
}

TEST(Snap, TopLeftWinsAmongCorners) {
    SnapPair p;
    p.Other.Rect = {100, 100, 102, 102}; // every corner of it lies within a pixel of (101, 101)
    CanvasRect r{101, 101, 161, 161};
    EXPECT_EQ(p.Snap(r), SnapTopLeft);
    EXPECT_EQ(r, (CanvasRect{100, 100, 160, 160}));
}

TEST(Snap, CoincidingEdgesWithOverlappingSpans) {
    // Only the coordinate across the shared edge is aligned in output pixels.
    const struct {
        CanvasRect Moved;
        int Snap;
        CanvasRect Output;
    } rows[] = {{{40, 120, 100, 180}, SnapLeftEdge, {240, 234, 600, 594}},
                {{200, 120, 260, 180}, SnapRightEdge, {1200, 234, 1560, 594}},
                {{120, 200, 180, 260}, SnapBottomEdge, {234, 1200, 594, 1560}},
                {{120, 40, 180, 100}, SnapTopEdge, {234, 240, 594, 600}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Snap);
        SnapPair p;
        CanvasRect r = row.Moved;
        EXPECT_EQ(p.Snap(r), row.Snap);
        EXPECT_EQ(r, row.Moved);
        EXPECT_EQ(p.Moving.OutputRect, row.Output);
    }
}

TEST(Snap, EdgesOnePixelApartDoNotSnap) {
    SnapPair p;
    CanvasRect r{40, 120, 99, 180};
    EXPECT_EQ(p.Snap(r), SnapNone);
    CanvasRect below{120, 201, 180, 260};
    EXPECT_EQ(p.Snap(below), SnapNone);
    // coinciding edges whose spans do not overlap do not snap either
    CanvasRect apart{40, 300, 100, 360};
    EXPECT_EQ(p.Snap(apart), SnapNone);
}

TEST(Snap, FramesAlignTheirOuterRectangles) {
    CellModel other, moving;
    other.IsFrame = moving.IsFrame = true;
    other.Rect = {100, 100, 200, 200};
    other.OutputRect = {1000, 1000, 2000, 2000};
    other.OutputInsets = {5, 5, 5, 5};
    moving.OutputRect = {0, 0, 400, 300};
    moving.OutputInsets = {10, 10, 10, 10};
    CanvasRect r{40, 60, 100, 100};
    EXPECT_EQ(SnapToCells(r, other.Rect, other, moving), SnapTopLeft);
    // outer bottom-right on the other's outer top-left (995, 995), less its own insets
    EXPECT_EQ(moving.OutputRect, (CanvasRect{585, 685, 985, 985}));
}

TEST(FollowOutput, ResizeTakesOnlyTheChangedSides) {
    CellModel cell({21, 33, 100, 213});
    cell.OutputRect = {125, 198, 2045, 1278};
    FollowOutput(cell, HandleRight, SnapNone, {6.0, 6.0});
    EXPECT_EQ(cell.OutputRect, (CanvasRect{125, 198, 600, 1278}));
    cell.Rect = {30, 40, 100, 213};
    FollowOutput(cell, HandleTopLeft, SnapNone, {6.0, 6.0});
    EXPECT_EQ(cell.OutputRect, (CanvasRect{180, 240, 600, 1278}));
}

TEST(FollowOutput, MoveKeepsSizeAndSkipsASnappedStep) {
    CellModel cell({30, 40, 130, 140});
    cell.OutputRect = {100, 100, 700, 700};
    FollowOutput(cell, HandleInside, SnapTopLeft, {6.0, 6.0});
    EXPECT_EQ(cell.OutputRect, (CanvasRect{100, 100, 700, 700}));
    FollowOutput(cell, HandleInside, SnapNone, {6.0, 6.0});
    EXPECT_EQ(cell.OutputRect, (CanvasRect{180, 240, 780, 840}));
}

const CanvasRect Frame0{125, 198, 2045, 1278};

TEST(PullOntoFrame, MoveOrderTopRightLeftBottom) {
    CellModel cell;
    cell.OutputRect = {126, 199, 1086, 739};
    PullOntoFrame(cell, HandleInside, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{125, 198, 1085, 738}));
    cell.OutputRect = {100, 300, 1060, 840}; // beyond the left edge
    PullOntoFrame(cell, HandleInside, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{125, 300, 1085, 840}));
    cell.OutputRect = {1200, 800, 2100, 1300}; // beyond right and bottom
    PullOntoFrame(cell, HandleInside, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{1145, 778, 2045, 1278}));
}

TEST(PullOntoFrame, WithinTwoPixelsOrBeyondOnly) {
    CellModel cell;
    cell.OutputRect = {127, 200, 500, 500};
    PullOntoFrame(cell, HandleTopLeft, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{125, 198, 500, 500}));
    cell.OutputRect = {128, 201, 500, 500}; // three pixels: stays
    PullOntoFrame(cell, HandleTopLeft, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{128, 201, 500, 500}));
    cell.OutputRect = {300, 300, 2100, 1300};
    PullOntoFrame(cell, HandleBottomRight, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{300, 300, 2045, 1278}));
    cell.OutputRect = {300, 300, 2100, 1300};
    PullOntoFrame(cell, HandleLeft, Frame0); // only the left side was dragged
    EXPECT_EQ(cell.OutputRect, (CanvasRect{300, 300, 2100, 1300}));
}

TEST(PullOntoFrame, TopRightLeavesAFarRightEdge) {
    CellModel cell;
    cell.OutputRect = {500, 199, 2100, 800};
    PullOntoFrame(cell, HandleTopRight, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{500, 198, 2100, 800}));
    cell.OutputRect = {500, 400, 2046, 800};
    PullOntoFrame(cell, HandleTopRight, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{500, 400, 2045, 800}));
    cell.OutputRect = {500, 400, 2100, 800};
    PullOntoFrame(cell, HandleRight, Frame0);
    EXPECT_EQ(cell.OutputRect, (CanvasRect{500, 400, 2045, 800}));
}

TEST(FrameTiles, PanelsBySplitType) {
    const CanvasRect f{0, 0, 100, 62};
    EXPECT_EQ(FrameTiles(f, 0), (std::vector<CanvasRect>{f}));
    EXPECT_EQ(FrameTiles(f, 8), (std::vector<CanvasRect>{f}));
    EXPECT_EQ(FrameTiles(f, 1), (std::vector<CanvasRect>{
                                    {0, 0, 100, 15}, {0, 15, 100, 30}, {0, 30, 100, 45}, {0, 45, 100, 60}}));
    EXPECT_EQ(FrameTiles(f, 2),
              (std::vector<CanvasRect>{{0, 0, 25, 62}, {25, 0, 50, 62}, {50, 0, 75, 62}, {75, 0, 100, 62}}));
    EXPECT_EQ(FrameTiles(f, 3), (std::vector<CanvasRect>{
                                    {0, 0, 50, 31}, {50, 0, 100, 31}, {0, 31, 50, 62}, {50, 31, 100, 62}}));
    EXPECT_EQ(FrameTiles(f, 4),
              (std::vector<CanvasRect>{{0, 0, 100, 20}, {0, 20, 100, 40}, {0, 40, 100, 60}}));
    EXPECT_EQ(FrameTiles(f, 5), (std::vector<CanvasRect>{{0, 0, 33, 62}, {33, 0, 66, 62}, {66, 0, 99, 62}}));
    EXPECT_EQ(FrameTiles(f, 6), (std::vector<CanvasRect>{{0, 0, 100, 31}, {0, 31, 100, 62}}));
    EXPECT_EQ(FrameTiles(f, 7), (std::vector<CanvasRect>{{0, 0, 50, 62}, {50, 0, 100, 62}}));
}

struct FitScene {
    CellModel Frame;
    CellModel Layer;
    FitScene() {
        Frame.IsFrame = true;
        Frame.Rect = {21, 33, 341, 213};
        Frame.OutputRect = Frame0;
    }
    FitRects Fit() { return ComputeFitRect(Layer, {&Layer, &Frame}); }
};

TEST(FitRect, WholeFrameWithoutPanels) {
    FitScene s;
    s.Layer.Rect = {50, 50, 100, 100};
    const FitRects fit = s.Fit();
    EXPECT_EQ(fit.Canvas, (CanvasRect{21, 33, 341, 213}));
    EXPECT_EQ(fit.Output, Frame0);
}

TEST(FitRect, OnlyThePanelsTheLayerCovers) {
    FitScene s;
    s.Frame.SplitType = 7;
    s.Layer.Rect = {50, 50, 100, 100};
    FitRects fit = s.Fit();
    EXPECT_EQ(fit.Canvas, (CanvasRect{21, 33, 181, 213}));
    EXPECT_EQ(fit.Output, (CanvasRect{125, 198, 1085, 1278}));
    s.Layer.Rect = {150, 50, 250, 100};
    fit = s.Fit();
    EXPECT_EQ(fit.Canvas, (CanvasRect{21, 33, 341, 213}));
    EXPECT_EQ(fit.Output, Frame0);
    s.Frame.SplitType = 3;
    s.Layer.Rect = {200, 150, 250, 200}; // lower right quarter only
    fit = s.Fit();
    EXPECT_EQ(fit.Canvas, (CanvasRect{181, 123, 341, 213}));
    EXPECT_EQ(fit.Output, (CanvasRect{1085, 738, 2045, 1278}));
}

TEST(FitRect, HiddenOrUncoveredFramesGiveNothing) {
    FitScene s;
    s.Layer.Rect = {400, 400, 500, 500};
    EXPECT_TRUE(s.Fit().Canvas.IsEmpty());
    s.Layer.Rect = {50, 50, 100, 100};
    s.Frame.SetHidden(true);
    EXPECT_TRUE(s.Fit().Canvas.IsEmpty());
}

} // namespace
