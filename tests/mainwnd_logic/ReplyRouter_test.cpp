#include "mainwnd/ReplyRouter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using S = RefreshStep;
std::vector<S> Steps(uint32_t slot) {
  auto s = RefreshStepsForSlot(slot);
  return {s.begin(), s.end()};
}
}  // namespace

TEST(ReplyRouter, EachSlotRefreshesWhatItConcernsInOrder) {
  EXPECT_EQ(Steps(0), (std::vector<S>{S::SearchRefreshMachinesAuto, S::TestPatternMachineRead}));
  EXPECT_EQ(Steps(1), (std::vector<S>{S::MainCheckPreviewState}));
  EXPECT_EQ(Steps(2), (std::vector<S>{S::FullStateRefresh}));
  EXPECT_EQ(Steps(3), (std::vector<S>{S::PostGrabColorReady}));
  EXPECT_EQ(Steps(4), (std::vector<S>{S::InvalidateSignalInputButton, S::CropUpdateFromDevice}));
  EXPECT_EQ(Steps(5), (std::vector<S>{S::VgaUpdateFromDevice}));
  EXPECT_EQ(Steps(6), (std::vector<S>{S::EdidSyncSelection}));
  EXPECT_EQ(Steps(7), (std::vector<S>{S::TaskUpdateSchedule}));
  EXPECT_EQ(Steps(8), (std::vector<S>{S::PicUpdateFromDevice}));
  EXPECT_EQ(Steps(9), (std::vector<S>{S::OutputUpdateResolution, S::OutputUpdateLayer, S::LayerRectToCanvasArgument}));
  EXPECT_EQ(Steps(10), (std::vector<S>{S::OutputUpdateLayer, S::LayerRectToCanvasArgument}));
  EXPECT_EQ(Steps(11), (std::vector<S>{S::CropUpdateFromDevice}));
  EXPECT_EQ(Steps(12), (std::vector<S>{S::MosaicUpdateFromDeviceArgument}));
  EXPECT_EQ(Steps(13), (std::vector<S>{S::TaskUpdateMachineTime}));
  EXPECT_EQ(Steps(14), (std::vector<S>{S::InvalidateEachInputButton, S::ApplyEachLayer, S::PipUpdateFromDevice}));
  EXPECT_EQ(Steps(15), (std::vector<S>{S::LogoRecordArrived}));
  EXPECT_EQ(Steps(16), (std::vector<S>{S::KeyerUpdateFromDevice}));
  EXPECT_EQ(Steps(17), (std::vector<S>{S::UpdatePresetButtons}));
  EXPECT_EQ(Steps(18), (std::vector<S>{S::MiscUpdateLoopOutSource}));
  EXPECT_EQ(Steps(19), (std::vector<S>{S::MiscUpdateSystemInfo}));
  EXPECT_EQ(Steps(20), (std::vector<S>{S::WorkModeRefresh}));
  EXPECT_EQ(Steps(21), (std::vector<S>{S::InvalidateEachInputButton, S::PipFillInputLists, S::ApplyEachLayer}));
  EXPECT_EQ(Steps(22), (std::vector<S>{S::InvalidateEachInputButton}));
  EXPECT_EQ(Steps(23), (std::vector<S>{S::SearchRefreshMachines}));
  EXPECT_EQ(Steps(25), (std::vector<S>{S::SubTitleUpdateFromDeviceArgument}));
  EXPECT_EQ(Steps(27), (std::vector<S>{S::SearchAddFoundMachine}));
  EXPECT_EQ(Steps(30), (std::vector<S>{S::FeatherUpdateFromDevice}));
  EXPECT_EQ(Steps(31), (std::vector<S>{S::FreezeButtonFromState}));
}

TEST(ReplyRouter, SlotsHandledByTheirCallbacksAndUnknownSlotsDoNothing) {
  for (uint32_t slot : {24u, 26u, 28u, 29u, 32u, 33u, 255u, 0xFFFFFFFFu}) EXPECT_TRUE(Steps(slot).empty()) << slot;
}

TEST(ReplyRouter, FullStateRefreshRunsInItsOrder) {
  const std::vector<S> expected = {
      S::HideExtensionCardControls, S::PlaceOptionInputRect, S::PipFillInputLists, S::ApplyEachLayer,
      S::FillSyncSourceList, S::UpdateSyncLists,
      // the pages
      S::EdidFillInputList, S::PicUpdateFromDevice, S::OutputUpdateResolution, S::CropUpdateFromDevice,
      S::MosaicUpdateFromDevice3, S::PipUpdateLayerLabels, S::PipUpdateFromDevice, S::KeyerUpdateFromDevice,
      S::EdidSyncSelection, S::VgaUpdateFromDevice, S::SwitcherUpdateFromDevice, S::OutputUpdateLayerButtons,
      S::CropUpdateLayerButtons, S::PicUpdateLayerButtons, S::TaskUpdateSchedule, S::MiscUpdateExtSourceButtons,
      S::LogoUpdateFromDevice, S::LogoUpdateUsageControls, S::MainRelayoutByWorkMode, S::MiscUpdateLoopOutSource,
      S::MainRelayout, S::ApplySwitcherModeButtons, S::OutputUpdateLayer, S::LayerRectToCanvasEachLayer,
      S::InvalidateInputStrip, S::RefreshSwitcherMode, S::CropChangedEventAll, S::VgaUpdateInputSource0,
      S::MediaUpdateDiskButtons};
  auto got = FullStateRefreshSteps();
  EXPECT_EQ(std::vector<S>(got.begin(), got.end()), expected);
}

TEST(ReplyRouter, WorkModeRefreshRunsInItsOrder) {
  const std::vector<S> expected = {S::MainRelayout, S::OutputUpdateLayerButtons, S::CropUpdateLayerButtons,
                                   S::PicUpdateLayerButtons, S::PipUpdateLayerLabels, S::LogoUpdateUsageControls,
                                   S::SwitcherUpdateFromDevice, S::ApplySwitcherModeButtons, S::RefreshSwitcherMode};
  auto got = WorkModeRefreshSteps();
  EXPECT_EQ(std::vector<S>(got.begin(), got.end()), expected);
}
