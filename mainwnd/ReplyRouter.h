#pragma once
#include <cstdint>
#include <span>

// What the main window does when a device reply arrives: a fixed table from reply slot to the
// refresh operations of the pages, the working area and the main window's own controls. The
// table holds no window code, so it is checked headless; VelkanDlg runs each step.
enum class RefreshStep : uint8_t {
  SearchRefreshMachinesAuto,    // MSearchMachineDlg::RefreshMachines (TRUE)
  SearchRefreshMachines,        // MSearchMachineDlg::RefreshMachines (FALSE)
  SearchAddFoundMachine,        // MSearchMachineDlg::AddFoundMachine
  MainCheckPreviewState,        // MMainDlg::CheckPreviewState
  FullStateRefresh,             // the whole-state refresh, FullStateRefreshSteps()
  WorkModeRefresh,              // the switcher-mode refresh, WorkModeRefreshSteps()
  PostGrabColorReady,           // MGrabColorReady posted to MTstPatternDlg
  TestPatternMachineRead,       // MTstPatternDlg::OnMachineStateRead once the link is up
  InvalidateSignalInputButton,  // VelkanDlg::InvalidateInputButton (DeviceState.SignalInput)
  InvalidateEachInputButton,    // VelkanDlg::InvalidateInputButton for inputs 0..11
  ApplyEachLayer,               // VelkanDlg::ApplyLayerSettings (layer, 0) for layers 0..3
  CropUpdateFromDevice,
  CropUpdateLayerButtons,
  VgaUpdateFromDevice,
  VgaUpdateInputSource0,        // MVgaDlg::UpdateInputSource (0)
  EdidSyncSelection,
  EdidFillInputList,
  TaskUpdateSchedule,
  TaskUpdateMachineTime,
  PicUpdateFromDevice,
  PicUpdateLayerButtons,
  OutputUpdateResolution,
  OutputUpdateLayer,
  OutputUpdateLayerButtons,
  LayerRectToCanvasArgument,    // MLayerWindowChanged (LayerRectToCanvas, argument) to itself
  LayerRectToCanvasEachLayer,   // the same for layers 0..3
  MosaicUpdateFromDeviceArgument,
  MosaicUpdateFromDevice3,      // MMosaicDlg::UpdateFromDevice (3)
  PipUpdateFromDevice,
  PipUpdateLayerLabels,
  PipFillInputLists,
  LogoUpdateFromDevice,
  LogoRecordArrived,            // MLogoDlg::OnLogoRecord
  LogoUpdateUsageControls,
  KeyerUpdateFromDevice,
  UpdatePresetButtons,
  MiscUpdateLoopOutSource,
  MiscUpdateSystemInfo,
  MiscUpdateExtSourceButtons,
  SwitcherUpdateFromDevice,
  SubTitleUpdateFromDeviceArgument,
  FeatherUpdateFromDevice,
  FreezeButtonFromState,        // Freeze button checked = DeviceState freeze byte, redrawn
  HideExtensionCardControls,    // signal-switch button, port-switch group, extension-card list
  PlaceOptionInputRect,
  FillSyncSourceList,
  UpdateSyncLists,
  MainRelayoutByWorkMode,       // MMainDlg::RelayoutByWorkMode
  MainRelayout,                 // MRelayout (0, 0) sent to MMainDlg
  ApplySwitcherModeButtons,
  InvalidateInputStrip,
  RefreshSwitcherMode,
  CropChangedEventAll,          // MPageEvent (EvCropChanged, 0xFFFF) to itself
  MediaUpdateDiskButtons,
};

// Slots 0..31 exist; a reply slot at or above this does nothing.
inline constexpr uint32_t ReplySlotCount = 32;

// The steps for one reply slot, in order; empty for slots that the router leaves alone
// (24, 26, 28, 29 and any slot of 32 or more).
std::span<const RefreshStep> RefreshStepsForSlot(uint32_t slot);
// The whole-state refresh (slot 2, or a project just read).
std::span<const RefreshStep> FullStateRefreshSteps();
// The switcher-mode refresh (slot 20).
std::span<const RefreshStep> WorkModeRefreshSteps();
