// The working area's layout rules without a window: frames per mosaic mode, frame arrangements,
// labels per switcher mode, zoom steps, switcher views and the preview quadrants.
#include "mainwnd/canvas_geometry/WorkAreaLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkAreaLayers, EachMosaicModeBindsTheLayersToTheFramesOfItsTable) {
    // mode -> frames of layers 0..3 (switcher mode 0, mosaic cell count 3)
    const int expected[6][4] = {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 1}, {0, 0, 1, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    for (uint32_t mode = 0; mode < 6; ++mode)
        for (int layer = 0; layer < 4; ++layer)
            EXPECT_EQ(FrameOfLayer(mode, layer, 3, 0), expected[mode][layer]) << "mode " << mode << " layer " << layer;
}

TEST(WorkAreaLayers, MosaicOffLeavesMainAloneInTheSwitcherModes) {
    EXPECT_EQ(FrameOfLayer(0, 0, 5, 1), -1);
    EXPECT_EQ(FrameOfLayer(0, 0, 5, 2), -1);
    EXPECT_EQ(FrameOfLayer(0, 1, 5, 1), 0);
}

TEST(WorkAreaLayers, ThreePanelsBindOnlyWithTwoToFourMosaicCells) {
    for (uint8_t cells : {0, 1, 5, 9}) EXPECT_EQ(FrameOfLayer(4, 2, cells, 0), -1) << int(cells);
    for (uint8_t cells : {2, 3, 4}) EXPECT_EQ(FrameOfLayer(4, 2, cells, 0), 2) << int(cells);
    EXPECT_EQ(FrameOfLayer(5, 4, 3, 0), -1);  // no fifth layer
    EXPECT_EQ(FrameOfLayer(5, -1, 3, 0), -1);
}

TEST(WorkAreaLayers, FramesShownPerMosaicMode) {
    const int shown[6] = {1, 1, 2, 2, 3, 4};
    for (uint32_t mode = 0; mode < 6; ++mode) EXPECT_EQ(FramesShownByMosaic(mode), shown[mode]) << mode;
    EXPECT_EQ(FramesShownByMosaic(77), 1);
}

const CanvasRect F0{125, 198, 2045, 1278};

std::array<CanvasRect, 4> Start() { return {F0, F0, F0, F0}; }

TEST(WorkAreaFrames, ArrangementsPlaceFramesEdgeToEdge) {
    int placed = -1;
    auto f = ArrangeOutputFrames(0, Start(), 1920, 1080, &placed);
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(f[1], (CanvasRect{2045, 198, 3965, 1278}));
    EXPECT_EQ(f[2], F0); // not placed

    f = ArrangeOutputFrames(1, Start(), 1920, 1080, &placed);
    EXPECT_EQ(f[1], (CanvasRect{125, 1278, 2045, 2358}));

    for (uint32_t a : {2u, 3u}) {
        f = ArrangeOutputFrames(a, Start(), 1920, 1080, &placed);
        EXPECT_EQ(placed, 2);
        EXPECT_EQ(f[2], (CanvasRect{3965, 198, 5885, 1278}));
    }
    f = ArrangeOutputFrames(4, Start(), 1920, 1080, &placed);
    EXPECT_EQ(f[2], (CanvasRect{125, 2358, 2045, 3438}));

    f = ArrangeOutputFrames(5, Start(), 1920, 1080, &placed);
    EXPECT_EQ(placed, 3);
    EXPECT_EQ(f[1], (CanvasRect{2045, 198, 3965, 1278}));
    EXPECT_EQ(f[2], (CanvasRect{125, 1278, 2045, 2358}));
    EXPECT_EQ(f[3], (CanvasRect{2045, 1278, 3965, 2358}));

    f = ArrangeOutputFrames(6, Start(), 1280, 720, &placed);
    EXPECT_EQ(f[3], (CanvasRect{2045 + 2560, 198, 2045 + 3840, 1278}));
    f = ArrangeOutputFrames(7, Start(), 1280, 720, &placed);
    EXPECT_EQ(f[3], (CanvasRect{125, 1278 + 1440, 2045, 1278 + 2160}));
}

TEST(WorkAreaFrames, UnknownArrangementMovesNothing) {
    int placed = -1;
    const auto f = ArrangeOutputFrames(8, Start(), 1920, 1080, &placed);
    EXPECT_EQ(placed, 0);
    EXPECT_EQ(f, Start());
}

TEST(WorkAreaLabels, PrefixesPerSwitcherMode) {
    EXPECT_EQ(LayerLabelPrefix(0, 0, {}), "Main : ");
    EXPECT_EQ(LayerLabelPrefix(2, 0, {true, false}), "PIP-2 : ");
    EXPECT_EQ(LayerLabelPrefix(0, 1, {true, false}), "PGM : ");
    EXPECT_EQ(LayerLabelPrefix(1, 1, {false, true}), "PVW : ");
    EXPECT_EQ(LayerLabelPrefix(3, 1, {true, false}), "PIP-3 : ");
    EXPECT_EQ(LayerLabelPrefix(0, 2, {true, false}), "PGM1 : ");
    EXPECT_EQ(LayerLabelPrefix(3, 2, {true, false}), "PGM2 : ");
    EXPECT_EQ(LayerLabelPrefix(2, 2, {false, true}), "PVW1 : ");
    EXPECT_EQ(LayerLabelPrefix(1, 2, {false, true}), "PVW2 : ");
    bool labelled = true;
    EXPECT_EQ(LayerLabelPrefix(1, 2, {false, false}, &labelled), "");
    EXPECT_FALSE(labelled);
}

TEST(WorkAreaZoom, CtrlWheelStepsByHalfAndNeverReachesZero) {
    EXPECT_DOUBLE_EQ(NextZoom(6.0, 120), 5.5);
    EXPECT_DOUBLE_EQ(NextZoom(6.0, 0), 5.5);
    EXPECT_DOUBLE_EQ(NextZoom(6.0, -120), 6.5);
    EXPECT_DOUBLE_EQ(NextZoom(0.5, 120), 1.0);
    EXPECT_DOUBLE_EQ(NextZoom(1.0, 120), 0.5);
}

TEST(WorkAreaZoom, OnlyCtrlAloneInSwitcherModeZero) {
    EXPECT_TRUE(ZoomWheelApplies(0, 0x8));
    EXPECT_FALSE(ZoomWheelApplies(1, 0x8));
    EXPECT_FALSE(ZoomWheelApplies(2, 0x8));
    EXPECT_FALSE(ZoomWheelApplies(0, 0x8 | 0x4));   // Ctrl + Shift
    EXPECT_FALSE(ZoomWheelApplies(0, 0x8 | 0x1));   // Ctrl with the left button held
    EXPECT_FALSE(ZoomWheelApplies(0, 0x8 | 0x10));  // Ctrl with the middle button held
    EXPECT_FALSE(ZoomWheelApplies(0, 0));
}

TEST(WorkAreaSwitcher, ModeOneCentresPreviewAboveProgram) {
    std::array<CanvasRect, 4> views{};
    for (auto& v : views) v = {125, 198, 2045, 1278};
    SwitcherViewPlacement p;
    ASSERT_TRUE(LayoutSwitcherViews(1, 1000, 598, 0, 0, 1920, 1080, views, p));
    // scale x = 1920 / (2000 / 5 - 125) = 6.9818; scale y = 1080 / ((598 - 198) / 2) = 5.4
    EXPECT_NEAR(p.Scale.x, 1920.0 / 275.0, 1e-4);
    EXPECT_NEAR(p.Scale.y, 5.4, 1e-4);
    const int cx = static_cast<int>(500.0f * (1920.0f / 275.0f));
    EXPECT_EQ(p.Views[ViewPvw1].left, cx - 960);
    EXPECT_EQ(p.Views[ViewPvw1].top, static_cast<int>(40.0f * 5.4f));
    EXPECT_EQ(p.Views[ViewPvw1].Width(), 1920);
    EXPECT_EQ(p.Views[ViewPgm1].top, static_cast<int>(299.0f * 5.4f + 40.0f * 5.4f));
    EXPECT_EQ(p.Views[ViewPgm1].Height(), 1080);
}

TEST(WorkAreaSwitcher, ModeTwoPutsTheViewsSideBySideAtTheCentre) {
    std::array<CanvasRect, 4> views{};
    for (auto& v : views) v = {0, 0, 1280, 720};
    SwitcherViewPlacement p;
    ASSERT_TRUE(LayoutSwitcherViews(2, 1125, 598, 0, 0, 1280, 720, views, p));
    EXPECT_NEAR(p.Scale.x, 1280.0 / 400.0, 1e-4);
    EXPECT_EQ(p.Views[ViewPvw1].right, p.Views[ViewPvw2].left);
    EXPECT_EQ(p.Views[ViewPgm1].right, p.Views[ViewPgm2].left);
    EXPECT_EQ(p.Views[ViewPvw1].right, static_cast<int>(562.5f * 3.2f));
    EXPECT_GT(p.Views[ViewPgm1].top, p.Views[ViewPvw1].bottom - 720);
}

TEST(WorkAreaSwitcher, TooSmallAnAreaGivesNoLayout) {
    std::array<CanvasRect, 4> views{};
    SwitcherViewPlacement p;
    EXPECT_FALSE(LayoutSwitcherViews(1, 300, 598, 0, 0, 1920, 1080, views, p));  // 2W/5 - 125 < 0
    EXPECT_FALSE(LayoutSwitcherViews(1, 1000, 198, 0, 0, 1920, 1080, views, p)); // no height
    EXPECT_FALSE(LayoutSwitcherViews(0, 1000, 598, 0, 0, 1920, 1080, views, p));
    EXPECT_FALSE(LayoutSwitcherViews(2, 1000, 598, 0, 0, 0, 1080, views, p));
}

TEST(WorkAreaSwitcher, LayersFollowTheirSide) {
    EXPECT_EQ(SwitcherViewOfLayer(1, 0, {true, false}), ViewPgm1);
    EXPECT_EQ(SwitcherViewOfLayer(1, 3, {false, false}), ViewPvw1);
    EXPECT_EQ(SwitcherViewOfLayer(2, 1, {true, false}), ViewPgm2);
    EXPECT_EQ(SwitcherViewOfLayer(2, 2, {false, true}), ViewPvw1);
    EXPECT_EQ(SwitcherViewOfLayer(0, 2, {true, true}), -1);
}

TEST(WorkAreaPreview, QuadrantPerLayerAndMode) {
    for (int layer = 0; layer < 4; ++layer) EXPECT_EQ(LayerQuadrant(layer, 0, {}, 0, 0), layer);
    EXPECT_EQ(LayerQuadrant(3, 0, {}, 3, 0), 1);
    EXPECT_EQ(LayerQuadrant(2, 0, {}, 3, 0), 2);
    EXPECT_EQ(LayerQuadrant(1, 0, {}, 0, 3), 2);
    EXPECT_EQ(LayerQuadrant(2, 0, {}, 0, 3), 1);
    EXPECT_EQ(LayerQuadrant(3, 0, {}, 0, 3), 3);
    EXPECT_EQ(LayerQuadrant(0, 1, {true, false}), 1);
    EXPECT_EQ(LayerQuadrant(2, 1, {false, true}), 0);
    EXPECT_EQ(LayerQuadrant(0, 2, {true, false}), 2);
    EXPECT_EQ(LayerQuadrant(1, 2, {true, false}), 3);
    EXPECT_EQ(LayerQuadrant(2, 2, {false, true}), 0);
    EXPECT_EQ(LayerQuadrant(3, 2, {false, true}), 1);
    EXPECT_EQ(LayerQuadrant(3, 2, {false, false}), -1);
}

TEST(WorkAreaPreview, SourceRectInsideTheQuadrant) {
    // 352 x 240 preview: quadrants 176 x 120. PIP at (960, 540) 960 x 540 of 1920 x 1080.
    EXPECT_EQ(CellSourceRect(0, 352, 240, 960, 540, 960, 540, 1920, 1080), (PixelArea{88, 60, 88, 60}));
    EXPECT_EQ(CellSourceRect(3, 352, 240, 0, 0, 1920, 1080, 1920, 1080), (PixelArea{176, 120, 176, 120}));
    // Rounding: 100 x 176 / 1920 = 9.17 -> 9; 1000 * 120 / 1080 = 111.1 -> 111
    EXPECT_EQ(CellSourceRect(1, 352, 240, 100, 1000, 100, 1000, 1920, 1080), (PixelArea{185, 111, 9, 111}));
    // Logo: the vertical values are divided as integers: 1079 * 120 / 1080 = 119 (not 120)
    EXPECT_EQ(CellSourceRect(0, 352, 240, 0, 1079, 10, 1079, 1920, 1080, true).y, 119);
    EXPECT_EQ(CellSourceRect(0, 352, 240, 0, 9, 10, 9, 1920, 1080, false).y, 1);
}

TEST(WorkAreaPreview, NoSourceRectWithoutAnOutputSizeOrQuadrant) {
    EXPECT_EQ(CellSourceRect(0, 352, 240, 0, 0, 10, 10, 0, 1080), PixelArea{});
    EXPECT_EQ(CellSourceRect(4, 352, 240, 0, 0, 10, 10, 1920, 1080), PixelArea{});
    EXPECT_EQ(CellSourceRect(-1, 352, 240, 0, 0, 10, 10, 1920, 1080), PixelArea{});
    EXPECT_EQ(CellSourceRect(0, 0, 240, 0, 0, 10, 10, 1920, 1080), PixelArea{});
}

} // namespace
