#include "app/DeviceState.h"

#include "app/SourceCode.h"

uint8_t DeviceId = InitialDeviceId;

namespace {

// The row an extension-card half stands for, by the card's active source.
std::optional<uint32_t> ExtensionRow(uint32_t activeSource) {
    if (activeSource == 0) return 10;
    if (activeSource == 1) return 6;
    return 0;
}

constexpr uint32_t HdmiCard = 6;
constexpr uint32_t DpCard = 8;

} // namespace

DeviceState::DeviceState()
    : StateBlock{}, SyncSourceNames(DefaultSyncSourceNames()), SyncModeNames(DefaultSyncModeNames()),
      PictureModeValues(DefaultPictureModeValues()), InputTable(DefaultInputTable()),
      ResolutionTable(DefaultResolutionTable()), PictureModePresets(DefaultPictureModePresets()),
      ColourTemperaturePresets(DefaultColourTemperaturePresets()) {
    CommandBlock.fill(CommandBlockFill);
    for (uint32_t layer = 0; layer < LayerCount; ++layer) {
        auto& extra = LayerWindowExtra[layer];
        // A 2 x 2 grid of 480 x 320 windows.
        extra.DefaultX = static_cast<uint16_t>((layer % 2) * 480);
        extra.DefaultY = static_cast<uint16_t>((layer / 2) * 320);
        extra.DefaultWidth = 480;
        extra.DefaultHeight = 320;
    }
    // Only the fixed inputs (rows 0..7) have start values; the split halves start at 0.
    for (uint32_t row = 0; row < 8; ++row) {
        for (uint32_t layer = 0; layer < LayerCount; ++layer) {
            const uint32_t record = 4 * row + layer;
            LayerPictureDefaults[record] = {0, 0, 50, 50, 50, 50, 50, 128, 128, 128};
            LayerRectDefaults[record] = {0, 0, 32, 32};
        }
    }
    for (auto& values : MosaicPageLayerValues) values.fill(32);
    MosaicPageLayerValues[0].fill(0);
    MosaicPageLayerValues[1].fill(0);
    for (uint8_t pip = 0; pip < PipPageRecords.size(); ++pip) PipPageRecords[pip].Layer = static_cast<uint8_t>(pip + 1);
    for (auto& entry : DefaultEdidEntries) {
        entry.HActive = 1024;
        entry.VActive = 768;
        entry.FrameRate = 60;
    }
    for (size_t range = 0; range < ByteRangeTables.size(); ++range) ByteRangeTables[range].fill(range % 2 ? 255 : 0);
    for (uint8_t task = 0; task < DefaultTasks.size(); ++task) DefaultTasks[task].Preset = task;
}

std::optional<size_t> EdidEntryIndex(uint32_t input) {
    if (input > 7) return std::nullopt;
    return input <= 5 ? input : input - 1u;
}

std::optional<uint32_t> DeviceState::GetLayerInputIndex(uint32_t layer) const {
    if (layer >= LayerCount) return std::nullopt;
    const uint32_t source = LayerWindow[layer].Source;
    const uint32_t card = InputCardType[6];
    const bool extensionPresent = ExtensionCardInfo.Present != 0;
    const uint32_t active = ExtensionCardInfo.ActiveSource;
    switch (source) {
    case 9: return 8;
    case 11:
        if (card != HdmiCard) return 9;
        if (!extensionPresent) return 0;
        if (active == 0) return 11;
        return active == 1 ? 9 : 0;
    case 10:
        if (card == HdmiCard) return extensionPresent ? ExtensionRow(active) : 6;
        return card == DpCard ? 6 : 0;
    case 6:
        if (card == HdmiCard && extensionPresent) return ExtensionRow(active);
        return 6;
    default:
        // A code beyond the input table comes from a bad device byte or project file: it has
        // no row, and nothing may be indexed with it.
        if (source >= InputRowCount) return std::nullopt;
        return static_cast<uint32_t>(SourceCodeToNumber(source) / 10);
    }
}

::PictureSettings* DeviceState::LayerPictureSettings(uint32_t layer) {
    const auto row = GetLayerInputIndex(layer);
    return row ? &PictureSettings[4 * *row + layer] : nullptr;
}

::CropRect* DeviceState::LayerCropRect(uint32_t layer) {
    const auto row = GetLayerInputIndex(layer);
    return row ? &CropRect[4 * *row + layer] : nullptr;
}

namespace {
DeviceState& Instance() {
    static DeviceState state;
    return state;
}
} // namespace

DeviceState& GetDeviceState() { return Instance(); }

void ResetDeviceState() {
    Instance() = DeviceState();
    DeviceId = InitialDeviceId;
}
