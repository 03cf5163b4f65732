#include "mainwnd/ReplyRouter.h"

#include <array>

namespace {
using S = RefreshStep;

// A link that comes up may lead to a machine that restarted: it runs no test pattern.
constexpr S Slot0[] = {S::SearchRefreshMachinesAuto, S::TestPatternMachineRead};
constexpr S Slot1[] = {S::MainCheckPreviewState};
constexpr S Slot2[] = {S::FullStateRefresh};
constexpr S Slot3[] = {S::PostGrabColorReady};
constexpr S Slot4[] = {S::InvalidateSignalInputButton, S::CropUpdateFromDevice};
constexpr S Slot5[] = {S::VgaUpdateFromDevice};
constexpr S Slot6[] = {S::EdidSyncSelection};
constexpr S Slot7[] = {S::TaskUpdateSchedule};
constexpr S Slot8[] = {S::PicUpdateFromDevice};
constexpr S Slot9[] = {S::OutputUpdateResolution, S::OutputUpdateLayer, S::LayerRectToCanvasArgument};
constexpr S Slot10[] = {S::OutputUpdateLayer, S::LayerRectToCanvasArgument};
constexpr S Slot11[] = {S::CropUpdateFromDevice};
constexpr S Slot12[] = {S::MosaicUpdateFromDeviceArgument};
constexpr S Slot13[] = {S::TaskUpdateMachineTime};
// A layer may have moved to another input (another controller, the front panel, a schedule): every
// layer's label and pages follow at once, MAIN included, so the next edit goes to the input shown.
constexpr S Slot14[] = {S::InvalidateEachInputButton, S::ApplyEachLayer, S::PipUpdateFromDevice};
// A logo record that only confirms the page's own command leaves what the operator set.
constexpr S Slot15[] = {S::LogoRecordArrived};
constexpr S Slot16[] = {S::KeyerUpdateFromDevice};
constexpr S Slot17[] = {S::UpdatePresetButtons};
constexpr S Slot18[] = {S::MiscUpdateLoopOutSource};
constexpr S Slot19[] = {S::MiscUpdateSystemInfo};
constexpr S Slot20[] = {S::WorkModeRefresh};
constexpr S Slot21[] = {S::InvalidateEachInputButton, S::PipFillInputLists, S::ApplyEachLayer};
constexpr S Slot22[] = {S::InvalidateEachInputButton};
constexpr S Slot23[] = {S::SearchRefreshMachines};
constexpr S Slot25[] = {S::SubTitleUpdateFromDeviceArgument};
constexpr S Slot27[] = {S::SearchAddFoundMachine};
constexpr S Slot30[] = {S::FeatherUpdateFromDevice};
constexpr S Slot31[] = {S::FreezeButtonFromState};

// Slots 24, 26, 28 and 29 are handled whole by their callbacks and never come here.
const std::array<std::span<const S>, ReplySlotCount> SlotTable = {
    Slot0,  Slot1,  Slot2,  Slot3,  Slot4,  Slot5,  Slot6,  Slot7,
    Slot8,  Slot9,  Slot10, Slot11, Slot12, Slot13, Slot14, Slot15,
    Slot16, Slot17, Slot18, Slot19, Slot20, Slot21, Slot22, Slot23,
    {},     Slot25, {},     Slot27, {},     {},     Slot30, Slot31,
};

constexpr S FullState[] = {
    S::HideExtensionCardControls,
    S::PlaceOptionInputRect,
    S::PipFillInputLists,
    S::ApplyEachLayer,
    S::FillSyncSourceList,
    S::UpdateSyncLists,
    S::EdidFillInputList,
    S::PicUpdateFromDevice,
    S::OutputUpdateResolution,
    S::CropUpdateFromDevice,
    S::MosaicUpdateFromDevice3,
    S::PipUpdateLayerLabels,
    S::PipUpdateFromDevice,
    S::KeyerUpdateFromDevice,
    S::EdidSyncSelection,
    S::VgaUpdateFromDevice,
    S::SwitcherUpdateFromDevice,
    S::OutputUpdateLayerButtons,
    S::CropUpdateLayerButtons,
    S::PicUpdateLayerButtons,
    S::TaskUpdateSchedule,
    S::MiscUpdateExtSourceButtons,
    S::LogoUpdateFromDevice,
    S::LogoUpdateUsageControls,
    S::MainRelayoutByWorkMode,
    S::MiscUpdateLoopOutSource,
    S::MainRelayout,
    S::ApplySwitcherModeButtons,
    S::OutputUpdateLayer,
    S::LayerRectToCanvasEachLayer,
    S::InvalidateInputStrip,
    S::RefreshSwitcherMode,
    S::CropChangedEventAll,
    S::VgaUpdateInputSource0,
    S::MediaUpdateDiskButtons,
};

constexpr S WorkMode[] = {
    S::MainRelayout,
    S::OutputUpdateLayerButtons,
    S::CropUpdateLayerButtons,
    S::PicUpdateLayerButtons,
    S::PipUpdateLayerLabels,
    S::LogoUpdateUsageControls,
    S::SwitcherUpdateFromDevice,
    S::ApplySwitcherModeButtons,
    S::RefreshSwitcherMode,
};
}  // namespace

std::span<const RefreshStep> RefreshStepsForSlot(uint32_t slot) {
  if (slot >= ReplySlotCount) return {};
  return SlotTable[slot];
}

std::span<const RefreshStep> FullStateRefreshSteps() { return FullState; }

std::span<const RefreshStep> WorkModeRefreshSteps() { return WorkMode; }
