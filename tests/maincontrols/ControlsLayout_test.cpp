// Where the layer rows, TAKE, Freeze and the preset names sit, and which pictures and labels
// the input strip uses.
#include "app/DeviceState.h"
#include "mainwnd/ControlsLayout.h"
#include "mainwnd/MainControlsLogic.h"

#include <gtest/gtest.h>

TEST(ControlsLayout, LayerRowsUnderTheWorkingArea) {
  const LayoutRect client{0, 0, 1280, 728};
  const LayoutRect wa = WorkingAreaRect(client, 1.0, false);  // 75 .. 1256
  const auto left = LeftLayerRowRects(wa, client, {70, 28});
  EXPECT_EQ(left[0], (LayoutRect{100, 604, 170, 632}));  // working-area left + 25, bottom at B - 96
  EXPECT_EQ(left[1].Left, 100 + 95);                      // pitch: width + 25
  EXPECT_EQ(left[3].Left, 100 + 3 * 95);
  const auto right = RightLayerRowRects(wa, client, {70, 28});
  EXPECT_EQ(right[3].Right, 1256 - 25);
  EXPECT_EQ(right[2].Right, 1256 - 25 - 95);
  EXPECT_EQ(right[0].Bottom, 632);
}

TEST(ControlsLayout, TakeCentredFreezeBesideIt) {
  const LayoutRect client{0, 0, 1280, 728};
  const LayoutRect wa{397, 106, 1256, 587};
  const LayoutRect take = CentredControlRect(wa, client, {90, 40});
  EXPECT_EQ(take.Left, 397 + (859 - 90) / 2);
  EXPECT_EQ(take.Bottom, 728 - 96);
  const LayoutRect freeze = FreezeRect(take);
  EXPECT_EQ(freeze.Left, take.Right + 40);
  EXPECT_EQ(freeze.Top, take.Top);
  EXPECT_EQ(freeze.Width(), take.Width());
  EXPECT_EQ(freeze.Height(), take.Height());
}

TEST(ControlsLayout, TopColumnAtHalfWidthVideoButtonBesideTheSyncGroup) {
  const auto top = TopButtonRects({0, 0, 1280, 728}, {28, 70});
  for (const LayoutRect& r : top) EXPECT_EQ(r.Right, 640);
  EXPECT_EQ(top[1].Top, top[0].Bottom + 6);
  const LayoutRect video = VideoWindowButtonRect({1078, 8, 1248, 99}, {24, 24});
  EXPECT_EQ(video, (LayoutRect{1044, 41, 1068, 65}));
}

TEST(ControlsLayout, NameLinesUnderSlotsAndIcons) {
  EXPECT_EQ(PresetNameRect({200, 600, 260, 640}), (LayoutRect{190, 642, 270, 662}));
  EXPECT_EQ(InputRemarkRect({123, 25, 191, 50}), (LayoutRect{123, 66, 191, 82}));
  const BottomRowLayout row = BottomRowRects({0, 0, 1280, 728}, {75, 30}, {60, 40}, {75, 28});
  // Slots in one row, left to right, clear of each other and of Load and Save.
  for (int i = 1; i < 10; ++i) EXPECT_GT(row.Slots[i].Left, row.Slots[i - 1].Right);
  EXPECT_LT(row.Slots[9].Right, row.Load.Left);
  EXPECT_LT(row.Load.Right, row.Save.Left);
  EXPECT_LE(row.Save.Right, 1280 - 24);
  EXPECT_GE(row.Slots[0].Top, 728 - 95);  // below the bottom separator
}

TEST(InputStripRules, IconPicturesByKindAndCard) {
  ResetDeviceState();
  DeviceState& s = GetDeviceState();
  EXPECT_EQ(InputIconImages(0, s), (IconPair{137, 138}));
  EXPECT_EQ(InputIconImages(3, s), (IconPair{139, 140}));
  EXPECT_EQ(InputIconImages(9, s), (IconPair{135, 136}));
  EXPECT_EQ(InputIconImages(5, s), (IconPair{141, 143}));
  s.InputCardType[6] = 3;
  s.InputCardType[7] = 9;
  EXPECT_EQ(InputIconImages(6, s), (IconPair{151, 153}));
  EXPECT_EQ(InputIconImages(7, s), (IconPair{1585, 1584}));
  s.InputCardType[6] = 8;
  EXPECT_EQ(InputIconImages(10, s), (IconPair{135, 136}));
  s.InputCardType[6] = 6;
  EXPECT_EQ(InputIconImages(11, s), (IconPair{139, 140}));
  EXPECT_EQ(InputIconImages(12, s), IconPair{});
}

TEST(InputStripRules, ResolutionLabels) {
  ResetDeviceState();
  DeviceState& s = GetDeviceState();
  s.InputSignal[1].HActive = 1920;
  s.InputSignal[1].VActive = 1080;
  s.InputSignal[1].FrameRate = 6000;
  s.InputSignal[1].Interlaced = 0;
  EXPECT_EQ(InputResolutionText(s, 1), "1920x1080 60Hz");
  s.InputSignal[5].HActive = 1920;
  s.InputSignal[5].VActive = 540;
  s.InputSignal[5].FrameRate = 5000;
  s.InputSignal[5].Interlaced = 1;
  EXPECT_EQ(InputResolutionText(s, 5), "1080i 50Hz");
  // The halves of DP-1 read the DP card's signal.
  s.InputSignal[4].HActive = 3840;
  s.InputSignal[4].VActive = 2160;
  s.InputSignal[4].FrameRate = 3000;
  EXPECT_EQ(InputResolutionText(s, 9), "3840x2160 30Hz");
}
