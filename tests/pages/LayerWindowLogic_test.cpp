// The layer-window half of the output page and the layer-button rule of the switcher modes.
#include <gtest/gtest.h>

#include "pages/LayerButtonRules.h"
#include "pages/LayerWindowLogic.h"

TEST(LayerClamp, WidthPulledBackInsideTheOutput) {
    const LayerRect r = ClampLayerEdit({600, 0, 1500, 500}, LayerEdit::Width, 1920, 1080);
    EXPECT_EQ(r, (LayerRect{600, 0, 1320, 500}));
}

TEST(LayerClamp, StartsPulledBack) {
    EXPECT_EQ(ClampLayerEdit({1800, 0, 400, 300}, LayerEdit::HStart, 1920, 1080), (LayerRect{1520, 0, 400, 300}));
    EXPECT_EQ(ClampLayerEdit({0, 1000, 400, 300}, LayerEdit::VStart, 1920, 1080), (LayerRect{0, 780, 400, 300}));
    EXPECT_EQ(ClampLayerEdit({0, 900, 400, 300}, LayerEdit::Height, 1920, 1080), (LayerRect{0, 900, 400, 180}));
}

TEST(LayerClamp, NeverNegativeStartOrEmptySize) {
    // A width kept from a larger output.
    EXPECT_EQ(ClampLayerEdit({100, 0, 3840, 200}, LayerEdit::HStart, 1920, 1080), (LayerRect{0, 0, 1920, 200}));
    // A start at the output's edge (from the canvas).
    EXPECT_EQ(ClampLayerEdit({1920, 0, 100, 200}, LayerEdit::Width, 1920, 1080), (LayerRect{1919, 0, 1, 200}));
    // No output size at all.
    const LayerRect none = ClampLayerEdit({10, 10, 10, 10}, LayerEdit::Width, 0, 0);
    EXPECT_EQ(none, (LayerRect{0, 0, 1, 1}));
}

TEST(QuickPlacement, HalfOn1366) {
    EXPECT_EQ(HalfWindow({700, 100, 10, 10}, 1366, 768), (LayerRect{683, 0, 683, 768}));
    EXPECT_EQ(HalfWindow({683, 100, 10, 10}, 1366, 768), (LayerRect{0, 0, 683, 768}));
}

TEST(QuickPlacement, QuarterByWhereTheLayerStood) {
    EXPECT_EQ(QuarterWindow({0, 0, 1, 1}, 1920, 1080), (LayerRect{0, 0, 960, 540}));
    EXPECT_EQ(QuarterWindow({961, 0, 1, 1}, 1920, 1080), (LayerRect{960, 0, 960, 540}));
    EXPECT_EQ(QuarterWindow({0, 541, 1, 1}, 1920, 1080), (LayerRect{0, 540, 960, 540}));
    EXPECT_EQ(QuarterWindow({1000, 1000, 1, 1}, 1920, 1080), (LayerRect{960, 540, 960, 540}));
    EXPECT_EQ(FullScreenWindow(1920, 1080), (LayerRect{0, 0, 1920, 1080}));
}

TEST(RotateCodes, TableOfButtonsAndTurns) {
    using R = RotateFlip;
    const struct {
        int Id;
        const char* Caption;
        std::vector<R> To, Back;
    } expected[8] = {
        {1131, "OFF", {R::RotateNoneFlipNone}, {}},
        {1120, "-90\u00b0", {R::Rotate90FlipNone}, {R::Rotate270FlipNone}},
        {1119, "90\u00b0", {R::Rotate270FlipNone}, {R::Rotate90FlipNone}},
        {1127, "H Flip", {R::RotateNoneFlipX}, {R::RotateNoneFlipX}},
        {1128, "V Flip", {R::Rotate180FlipX}, {R::Rotate180FlipX}},
        {1125, "180\u00b0", {R::Rotate180FlipNone}, {R::Rotate180FlipNone}},
        {1130, "-90\u00b0+HFlip", {R::Rotate90FlipNone, R::RotateNoneFlipX}, {R::RotateNoneFlipX, R::Rotate270FlipNone}},
        {1129, "90\u00b0+HFlip ", {R::Rotate270FlipNone, R::RotateNoneFlipX}, {R::RotateNoneFlipX, R::Rotate90FlipNone}},
    };
    for (int code = 0; code < 8; ++code) {
        const RotateCodeRow& row = RotateCodes()[code];
        EXPECT_EQ(row.Code, code);
        EXPECT_EQ(row.ControlId, expected[code].Id);
        EXPECT_STREQ(row.Caption, expected[code].Caption);
        EXPECT_EQ(row.TurnTo, expected[code].To);
        EXPECT_EQ(row.TurnBack, expected[code].Back);
    }
}

TEST(RotateCodes, StepsFrom90To90PlusFlip) {
    using R = RotateFlip;
    // "-90°+HFlip" after "90°": back by Rotate90FlipNone, then Rotate90FlipNone and the flip.
    EXPECT_EQ(RotateSteps(2, 6), (std::vector<R>{R::Rotate90FlipNone, R::Rotate90FlipNone, R::RotateNoneFlipX}));
    EXPECT_EQ(RotateCodeOf(9), 0);
    EXPECT_EQ(RotateCodeOf(7), 7);
    EXPECT_EQ(RotateSteps(9, 0), (std::vector<R>{R::RotateNoneFlipNone}));
}

TEST(LayerButtons, PgmPvwMode) {
    const uint8_t program[4] = {1, 0, 0, 0}, preview[4] = {0, 1, 0, 0};
    const LayerButtonPlan plan = LayerButtonsForSwitcher(1, program, preview);
    EXPECT_EQ(plan.Buttons[0].Caption, "PGM");
    EXPECT_EQ(plan.Buttons[0].Enabled, false);
    EXPECT_EQ(plan.Buttons[1].Caption, "PVW");
    EXPECT_EQ(plan.Buttons[1].Enabled, true);
    EXPECT_EQ(plan.Buttons[2].Caption, "PIP2");
    EXPECT_EQ(plan.Buttons[3].Caption, "PIP3");
    EXPECT_FALSE(plan.Buttons[2].Enabled.has_value());
    EXPECT_EQ(plan.SelectLayer, 1);
}

TEST(LayerButtons, DualModeAndNeitherSide) {
    const uint8_t program[4] = {0, 1, 1, 0}, preview[4] = {1, 0, 0, 0};
    const LayerButtonPlan plan = LayerButtonsForSwitcher(2, program, preview);
    EXPECT_EQ(plan.Buttons[0].Caption, "PVW1");
    EXPECT_EQ(plan.Buttons[1].Caption, "PGM2");
    EXPECT_EQ(plan.Buttons[1].Enabled, false);
    EXPECT_EQ(plan.Buttons[2].Caption, "PGM1");
    EXPECT_FALSE(plan.Buttons[3].Caption.has_value());
    EXPECT_FALSE(plan.SelectLayer.has_value());
}

TEST(LayerButtons, SwitcherOff) {
    const uint8_t program[4] = {1, 1, 1, 1}, preview[4] = {};
    const LayerButtonPlan plan = LayerButtonsForSwitcher(0, program, preview);
    const char* names[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(plan.Buttons[i].Caption, names[i]);
        EXPECT_EQ(plan.Buttons[i].Enabled, true);
    }
}
