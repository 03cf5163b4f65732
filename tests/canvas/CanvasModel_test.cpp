// The canvas's cell list, placement and mouse state machine.
#include <gtest/gtest.h>

#include "mainwnd/canvas_geometry/CanvasModel.h"

namespace {

const CanvasRect Frame0Output{125, 198, 2045, 1278};

// A canvas at the starting scale with output frame 0 and two layers bound to it.
struct Scene {
    CanvasModel Model;
    CellModel* Frame = nullptr;
    CellModel* Main = nullptr;
    CellModel* Pip = nullptr;

    Scene() {
        Model.Client = {0, 0, 2000, 1500};
        auto frame = std::make_unique<CellModel>();
        frame->IsFrame = frame->Passive = frame->OutlineOnly = true;
        Model.PlaceNewCell(*frame, 125, 198, 1920, 1080);
        Frame = Model.InsertCell(std::move(frame));
        Main = AddLayer(0, 200, 200, 960, 540);
        Pip = AddLayer(1, 1000, 600, 480, 270);
    }
    CellModel* AddLayer(uint32_t layer, int x, int y, int w, int h) {
        auto cell = std::make_unique<CellModel>();
        cell->Order = layer;
        Model.PlaceNewCell(*cell, x, y, w, h);
        CellModel* c = Model.InsertCell(std::move(cell));
        Model.SetCellLimitRect(*c, Frame0Output);
        Model.SetCellRect(c->OutputRect, *c);
        return c;
    }
};

TEST(CanvasCells, LayersBeforeFramesInLayerOrder) {
    CanvasModel m;
    auto make = [](uint32_t order, bool frame) {
        auto c = std::make_unique<CellModel>();
        c->Order = order;
        c->IsFrame = frame;
        return c;
    };
    const CellModel* f = m.InsertCell(make(255, true));
    const CellModel* l2 = m.InsertCell(make(2, false));
    const CellModel* l0 = m.InsertCell(make(0, false));
    const CellModel* l1 = m.InsertCell(make(1, false));
    EXPECT_EQ(m.CellList(), (std::vector<const CellModel*>{l0, l1, l2, f}));
    m.MoveCellToEnd(l0);
    EXPECT_EQ(m.CellList(), (std::vector<const CellModel*>{l1, l2, f, l0}));
    m.SortCellsByPriority();
    EXPECT_EQ(m.CellList(), (std::vector<const CellModel*>{l0, l1, l2, f}));
    EXPECT_EQ(m.FindCellByKey(1), l1);
    EXPECT_EQ(m.FindCellByKey(255), nullptr); // frames are not found by key
}

TEST(CanvasCells, PlacementFromOutputPixels) {
    Scene s;
    EXPECT_EQ(s.Frame->Rect, (CanvasRect{21, 33, 341, 213}));
    // bound to frame 0: the output rectangle moves by the frame's origin
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{325, 398, 1285, 938}));
    EXPECT_EQ(s.Main->Origin, (CanvasPoint{125, 198}));
    EXPECT_EQ(s.Main->LimitRect, (CanvasRect{21, 33, 341, 213}));
    EXPECT_EQ(s.Main->Rect, (CanvasRect{54, 66, 214, 156}));
    // binding to another frame moves it by the difference of the origins only
    s.Model.SetCellLimitRect(*s.Main, {2045, 198, 3965, 1278});
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{2245, 398, 3205, 938}));
}

TEST(CanvasCells, NegativeNewPositionStartsAtZero) {
    CanvasModel m;
    CellModel c;
    m.PlaceNewCell(c, -50, -7, 600, 300);
    EXPECT_EQ(c.OutputRect, (CanvasRect{0, 0, 600, 300}));
}

TEST(CanvasCells, ScaleThatCannotDivideIsRefused) {
    CanvasModel m;
    EXPECT_FALSE(m.SetScale({0.0, 0.0}));
    EXPECT_FALSE(m.SetScale({-1.0, 6.0}));
    EXPECT_EQ(m.Scale, (CanvasScale{6.0, 6.0}));
    EXPECT_TRUE(m.SetScale({3.0, 3.0}));
    EXPECT_EQ(m.Scale, (CanvasScale{3.0, 3.0}));
}

TEST(CanvasCells, ReplaceAllCellsAfterAZoom) {
    Scene s;
    ASSERT_TRUE(s.Model.SetScale({3.0, 3.0}));
    s.Model.ReplaceAllCells();
    EXPECT_EQ(s.Frame->Rect, (CanvasRect{42, 66, 682, 426}));
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{325, 398, 1285, 938})); // output untouched
}

TEST(CanvasMouse, DragToTheFrameEdgeStoresXZero) {
    Scene s;
    MouseOutcome down = s.Model.LeftDown({130, 110}, false);
    ASSERT_EQ(down.Notices.size(), 1u);
    EXPECT_EQ(down.Notices[0], (CanvasNotice{CanvasNotice::CellSelected, s.Main, 0, false}));
    EXPECT_TRUE(down.Capture);
    EXPECT_EQ(s.Model.Mode, DragMode::Move);
    // far to the left: the pointer is held so the cell stops at its frame
    s.Model.MouseMove({-400, 110});
    EXPECT_EQ(s.Main->Rect.left, 21);
    MouseOutcome up = s.Model.LeftUp();
    ASSERT_EQ(up.Notices.size(), 1u);
    EXPECT_EQ(up.Notices[0].What, CanvasNotice::CellChanged);
    EXPECT_EQ(up.Notices[0].Order, 0u);
    EXPECT_TRUE(up.Release);
    // canvas left 21 is output 126; the pull puts it exactly on the frame's 125
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{125, 396, 1085, 936}));
    EXPECT_EQ(LayerWindowOfCell(*s.Main), (CellLayerWindow{0, 198, 960, 540}));
}

TEST(CanvasMouse, ButtonUpLetsTheMouseGoAfterARebuildEndedTheDrag) {
    Scene s;
    ASSERT_TRUE(s.Model.LeftDown({130, 110}, false).Capture);
    s.Model.MouseMove({140, 115});
    // The layer cells are made again mid-drag (a preview report): the drag is over, the mouse
    // is still held.
    s.Model.TakeCell(s.Main);
    ASSERT_EQ(s.Model.Mode, DragMode::None);
    const MouseOutcome up = s.Model.LeftUp();
    EXPECT_TRUE(up.Release);
    EXPECT_TRUE(up.Notices.empty()); // the dropped drag is not reported
    // An up with nothing pressed lets go as well.
    EXPECT_TRUE(s.Model.LeftUp().Release);
}

TEST(CanvasMouse, PointerFollowsTheCellWithoutDrift) {
    Scene s;
    s.Model.LeftDown({130, 110}, false);
    s.Model.MouseMove({-400, 110}); // held at the frame
    s.Model.MouseMove({100, 110});  // back: the cell moves with the pointer again
    s.Model.MouseMove({130, 110});
    EXPECT_EQ(s.Main->Rect, (CanvasRect{54, 66, 214, 156}));
}

TEST(CanvasMouse, PressAndReleaseWithoutMovingOnlySelects) {
    Scene s;
    EXPECT_EQ(s.Model.LeftDown({130, 110}, false).Notices.size(), 1u);
    EXPECT_TRUE(s.Main->IsSelected());
    EXPECT_TRUE(s.Model.LeftUp().Notices.empty());
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{325, 398, 1285, 938}));
}

TEST(CanvasMouse, ControlClickNeverDragsOrTells) {
    Scene s;
    MouseOutcome down = s.Model.LeftDown({130, 110}, true);
    EXPECT_TRUE(down.Notices.empty());
    EXPECT_FALSE(down.Capture);
    EXPECT_EQ(s.Model.Mode, DragMode::None);
    EXPECT_TRUE(s.Main->IsSelected()); // toggled on
    EXPECT_EQ(s.Model.SelectedCell, nullptr);
    s.Model.MouseMove({150, 120});
    EXPECT_TRUE(s.Model.LeftUp().Notices.empty());
    EXPECT_EQ(s.Main->Rect, (CanvasRect{54, 66, 214, 156}));
}

TEST(CanvasMouse, HandleOfTheSelectedCellWinsOverASmallerCell) {
    Scene s;
    CellModel* small = s.AddLayer(2, 1080, 500, 300, 300); // overlaps Main's right band
    ASSERT_EQ(small->Rect, (CanvasRect{201, 116, 251, 166}));
    EXPECT_EQ(s.Model.CellFromPoint({211, 130}), small);
    s.Model.SelectCell(s.Main);
    EXPECT_EQ(s.Model.CellFromPoint({211, 130}), s.Main);
    EXPECT_EQ(s.Model.CellFromPoint({250, 140}), small); // away from Main
}

TEST(CanvasMouse, PassiveFramesIgnorePresses) {
    Scene s;
    MouseOutcome down = s.Model.LeftDown({30, 200}, false); // inside the frame, outside the layers
    EXPECT_TRUE(down.Notices.empty());
    EXPECT_EQ(s.Model.Mode, DragMode::None);
    EXPECT_EQ(s.Model.SelectedCell, nullptr);
}

TEST(CanvasMouse, ResizeFollowsOnlyTheDraggedSides) {
    Scene s;
    s.Model.LeftDown({55, 155}, false);
    EXPECT_EQ(s.Model.Mode, DragMode::Resize);
    EXPECT_EQ(s.Model.HitCode, HandleBottomLeft);
    s.Model.MouseMove({40, 200});
    EXPECT_EQ(s.Main->Rect, (CanvasRect{40, 66, 214, 200}));
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{240, 398, 1285, 1200})); // right and top untouched
    s.Model.MouseMove({0, 400}); // clamped to the frame; output pulled onto its edges
    EXPECT_EQ(s.Main->Rect, (CanvasRect{21, 66, 214, 213}));
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{125, 398, 1285, 1278}));
}

TEST(CanvasMouse, FramesAreNeverResized) {
    Scene s;
    s.Frame->Passive = false;
    MouseOutcome down = s.Model.LeftDown({22, 200}, false); // on the frame's left band
    EXPECT_TRUE(down.Notices.empty());
    EXPECT_EQ(s.Model.Mode, DragMode::None);
}

TEST(CanvasMouse, MoveSnapsToAnotherLayerInOutputPixels) {
    Scene s;
    ASSERT_EQ(s.Pip->Rect, (CanvasRect{188, 133, 268, 178}));
    ASSERT_EQ(s.Pip->OutputRect, (CanvasRect{1125, 798, 1605, 1068}));
    // Main's bottom-right to one pixel from PIP-1's top-left
    s.Model.LeftDown({100, 100}, false);
    s.Model.MouseMove({75, 78});
    EXPECT_EQ(s.Model.SnapState, SnapTopLeft);
    EXPECT_EQ(s.Model.GuideRect, s.Pip->Rect);
    EXPECT_EQ(s.Main->Rect, (CanvasRect{28, 43, 188, 133}));
    // in output pixels Main now ends exactly where PIP-1 starts, at its own size
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{165, 258, 1125, 798}));
    s.Model.LeftUp();
    EXPECT_EQ(s.Model.SnapState, SnapNone);
    EXPECT_EQ(LayerWindowOfCell(*s.Main), (CellLayerWindow{40, 60, 960, 540}));
}

TEST(CanvasMouse, DoubleClickFitsAndRestores) {
    Scene s;
    MouseOutcome fit = s.Model.DoubleClick({130, 110});
    EXPECT_EQ(fit.Changed, s.Main);
    ASSERT_EQ(fit.Notices.size(), 1u);
    EXPECT_EQ(fit.Notices[0].What, CanvasNotice::CellChanged);
    EXPECT_EQ(s.Main->Rect, (CanvasRect{21, 33, 341, 213}));
    EXPECT_EQ(s.Main->OutputRect, Frame0Output);
    MouseOutcome back = s.Model.DoubleClick({130, 110});
    EXPECT_EQ(back.Changed, s.Main);
    EXPECT_EQ(s.Main->Rect, (CanvasRect{54, 66, 214, 156}));
    EXPECT_EQ(s.Main->OutputRect, (CanvasRect{325, 398, 1285, 938}));
}

TEST(CanvasMouse, DoubleClickOnAFrameOrOutsideAnyFrameChangesNothing) {
    Scene s;
    s.Frame->Passive = false; // a frame that can be pressed
    MouseOutcome onFrame = s.Model.DoubleClick({30, 200});
    EXPECT_TRUE(onFrame.Notices.empty());
    EXPECT_EQ(onFrame.Changed, nullptr);
    s.Frame->SetHidden(true);
    const CanvasRect before = s.Main->Rect;
    MouseOutcome none = s.Model.DoubleClick({130, 110});
    EXPECT_TRUE(none.Notices.empty());
    EXPECT_EQ(s.Main->Rect, before);
}

TEST(CanvasMouse, NeverFittedCellIsNotRestoredToNothing) {
    Scene s;
    s.Model.SetCellRect(Frame0Output, *s.Main); // already covers the frame exactly
    ASSERT_EQ(s.Main->Rect, (CanvasRect{21, 33, 341, 213}));
    MouseOutcome out = s.Model.DoubleClick({130, 110});
    EXPECT_EQ(out.Changed, nullptr);
    EXPECT_EQ(s.Main->OutputRect, Frame0Output);
    EXPECT_EQ(out.Notices.size(), 1u);
}

TEST(CanvasMouse, TakenCellIsNoLongerSelected) {
    Scene s;
    s.Model.LeftDown({130, 110}, false);
    auto taken = s.Model.TakeCell(s.Main);
    EXPECT_EQ(taken.get(), s.Main);
    EXPECT_EQ(s.Model.SelectedCell, nullptr);
    EXPECT_TRUE(s.Model.LeftUp().Notices.empty());
}

// Two unlocked output frames side by side, with borders.
struct FrameScene {
    CanvasModel Model;
    CellModel* A = nullptr;
    CellModel* B = nullptr;
    FrameScene() {
        Model.Client = {0, 0, 2000, 1500};
        A = Add({21, 33, 341, 213}, {125, 198, 2045, 1278});
        B = Add({400, 33, 720, 213}, {2400, 198, 4320, 1278});
    }
    CellModel* Add(const CanvasRect& rect, const CanvasRect& output) {
        auto c = std::make_unique<CellModel>();
        c->IsFrame = true;
        c->Rect = rect;
        c->OutputRect = output;
        c->BorderInsets = {2, 2, 2, 2};
        c->OutputInsets = {12, 12, 12, 12};
        return Model.InsertCell(std::move(c));
    }
};

TEST(CanvasMouse, FrameMovesSnapByTheirBorders) {
    FrameScene s;
    s.Model.LeftDown({500, 100}, false);
    ASSERT_EQ(s.Model.Mode, DragMode::Move);
    s.Model.MouseMove({446, 100}); // border edge one pixel right of A's border edge
    EXPECT_EQ(s.Model.SnapState, SnapTopRight);
    EXPECT_EQ(s.Model.GuideRect, (CanvasRect{19, 31, 343, 215}));
    EXPECT_EQ(s.B->Rect, (CanvasRect{345, 33, 665, 213}));
    // outer edges meet in output pixels: B starts both insets after A ends
    EXPECT_EQ(s.B->OutputRect, (CanvasRect{2069, 198, 3989, 1278}));
    MouseOutcome up = s.Model.LeftUp();
    ASSERT_EQ(up.Notices.size(), 1u);
    EXPECT_TRUE(up.Notices[0].IsFrame);
}

TEST(CanvasMouse, HiddenCellsAreNotSnappedTo) {
    FrameScene s;
    s.A->SetHidden(true);
    s.Model.LeftDown({500, 100}, false);
    s.Model.MouseMove({446, 100});
    EXPECT_EQ(s.Model.SnapState, SnapNone);
    EXPECT_EQ(s.B->Rect, (CanvasRect{346, 33, 666, 213}));
    EXPECT_EQ(s.B->OutputRect, (CanvasRect{2076, 198, 3996, 1278})); // follows the canvas, size kept
}

TEST(LayerWindowOfCell, OriginSubtractedAndNeverNegative) {
    CellModel c;
    c.Origin = {125, 198};
    c.OutputRect = {100, 150, 1060, 690};
    EXPECT_EQ(LayerWindowOfCell(c), (CellLayerWindow{0, 0, 960, 540}));
    c.OutputRect = {1085, 738, 2045, 1278};
    EXPECT_EQ(LayerWindowOfCell(c), (CellLayerWindow{960, 540, 960, 540}));
}

} // namespace
